#pragma once
// The theme painter: themed parts (header items, buttons, check boxes, radio
// buttons, combo drop-down buttons, spin buttons, progress bars) drawn through
// one fixed style with a fixed palette, and the "is a theme active" and
// version questions the controls ask, answered as a current themed system.

#include "platform/Graphics.h"

class TWinControl;

struct TThemeData;
using HTHEME = TThemeData*;   // null = no theme

HTHEME OpenThemeData(TWinControl* control, const String& classList);
void CloseThemeData(HTHEME theme);
bool DrawThemeBackground(HTHEME theme, TCanvas& canvas, int partId, int stateId, const TRect& rect,
                         const TRect* clip = nullptr);
bool IsThemeActive();
bool IsAppThemed();
// The file of the current visual style, as a current system names it
// (C:\Windows\resources\Themes\Aero\Aero.msstyles); empty without a theme.
String GetCurrentThemeName();
// The three names of the current visual style: file, colour scheme
// ("NormalColor", the blue scheme) and size ("NormalSize"). Any may be null.
// False, and empty names, without a theme.
bool GetCurrentThemeName(String* fileName, String* colorName, String* sizeName);

// Puts the whole application on the theme's fixed style and palette, so the
// ordinary controls look the same on every desktop. Call once the
// application object exists.
void UseThemeForApplication();

// ---- Platform version ------------------------------------------------------------
int GetComCtlVersion();               // major file version of the common controls: 6
int Win32MajorVersion();              // 10
int Win32MinorVersion();              // 0
// True when the platform is major.minor or later.
bool CheckWin32Version(int major, int minor = 0);
// The file version of a system module: major in the high, minor in the low 16
// bits ("comctl32.dll": 6.16); -1 for a module without version information.
int ModuleFileVersion(const String& fileName);
// Whether a system module ("kernel32", "uxtheme", with or without ".dll")
// offers a function by that name: only those this system's version checks ask for.
bool ModuleExports(const String& module, const String& function);
// The platform questions the controls ask by name, answered here once so every
// control takes the same branch.
bool IsWinXPOrLater();                // 5.1 or later
bool IsVistaOrLater();                // offers the newer locale functions (and the newer interface font)
bool IsWin7OrLater();                 // 6.1 or later
bool IsComCtl6();                     // the common controls' major file version is above 5
// Test hook: false sends callers down their classic drawing branch. Returns the previous setting.
bool SetThemeActiveForTest(bool active);

// ---- Parts and states ----------------------------------------------------------
constexpr int HP_HEADERITEM = 1;
constexpr int HIS_NORMAL = 1, HIS_HOT = 2, HIS_PRESSED = 3;

constexpr int BP_PUSHBUTTON = 1, BP_RADIOBUTTON = 2, BP_CHECKBOX = 3;
constexpr int PBS_NORMAL = 1, PBS_HOT = 2, PBS_PRESSED = 3, PBS_DISABLED = 4, PBS_DEFAULTED = 5;
constexpr int RBS_UNCHECKEDNORMAL = 1, RBS_UNCHECKEDHOT = 2, RBS_UNCHECKEDPRESSED = 3, RBS_UNCHECKEDDISABLED = 4,
    RBS_CHECKEDNORMAL = 5, RBS_CHECKEDHOT = 6, RBS_CHECKEDPRESSED = 7, RBS_CHECKEDDISABLED = 8;
constexpr int CBS_UNCHECKEDNORMAL = 1, CBS_UNCHECKEDHOT = 2, CBS_UNCHECKEDPRESSED = 3, CBS_UNCHECKEDDISABLED = 4,
    CBS_CHECKEDNORMAL = 5, CBS_CHECKEDHOT = 6, CBS_CHECKEDPRESSED = 7, CBS_CHECKEDDISABLED = 8,
    CBS_MIXEDNORMAL = 9, CBS_MIXEDHOT = 10, CBS_MIXEDPRESSED = 11, CBS_MIXEDDISABLED = 12;

constexpr int CP_DROPDOWNBUTTON = 1;
constexpr int CBXS_NORMAL = 1, CBXS_HOT = 2, CBXS_PRESSED = 3, CBXS_DISABLED = 4;

constexpr int SPNP_UP = 1, SPNP_DOWN = 2, SPNP_UPHORZ = 3, SPNP_DOWNHORZ = 4;
constexpr int UPS_NORMAL = 1, UPS_HOT = 2, UPS_PRESSED = 3, UPS_DISABLED = 4;
constexpr int DNS_NORMAL = 1, DNS_HOT = 2, DNS_PRESSED = 3, DNS_DISABLED = 4;
constexpr int UPHZS_NORMAL = 1, UPHZS_HOT = 2, UPHZS_PRESSED = 3, UPHZS_DISABLED = 4;
constexpr int DNHZS_NORMAL = 1, DNHZS_HOT = 2, DNHZS_PRESSED = 3, DNHZS_DISABLED = 4;

constexpr int PP_BAR = 1, PP_BARVERT = 2, PP_CHUNK = 3, PP_CHUNKVERT = 4;
