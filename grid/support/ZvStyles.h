#pragma once
// Style and theme support of the grid and its controls: the theme binding
// they draw themed parts through, the version and colour-scheme checks, the
// office-suite theme the grids can follow, the style vocabulary shared by the
// styled controls, and the notifier that tells grid windows about a changed
// office theme.

#include "platform/Classes.h"
#include "platform/Controls.h"
#include "platform/Graphics.h"
#include "platform/Messages.h"
#include "platform/Themes.h"

#include <vector>

class QWidget;

// ---- Style vocabulary ---------------------------------------------------------
enum class TZvStyle {
    tsOffice2003Blue, tsOffice2003Silver, tsOffice2003Olive, tsOffice2003Classic, tsOffice2007Luna,
    tsOffice2007Obsidian, tsWindowsXP, tsWhidbey, tsCustom, tsOffice2007Silver, tsWindowsVista, tsWindows7,
    tsTerminal, tsOffice2010Blue, tsOffice2010Silver, tsOffice2010Black
};

enum class TOfficeTheme {
    ot2003Blue, ot2003Silver, ot2003Olive, ot2003Classic, ot2007Blue, ot2007Silver, ot2007Black, ot2010Blue,
    ot2010Silver, ot2010Black, otUnknown
};

struct TColorTone {
    TColor BrushColor = clNone;
    TColor BorderColor = clNone;
    TColor TextColor = clNone;
    bool operator==(const TColorTone&) const = default;
};

struct TColorTones {
    TColorTone Background;
    TColorTone Foreground;
    TColorTone Selected;
    TColorTone Hover;
    TColorTone Disabled;
    bool operator==(const TColorTones&) const = default;
};

// Lets a caller restyle any styled control without knowing its class.
class IZvStyle {
public:
    virtual ~IZvStyle() = default;
    virtual void SetComponentStyle(TZvStyle AStyle) = 0;
};

class IZvTones {
public:
    virtual ~IZvTones() = default;
    virtual void SetColorTones(const TColorTones& ATones) = 0;
};

// The grid's style for an office theme (otUnknown: tsOffice2003Blue).
TZvStyle ZvStyleOfOfficeTheme(TOfficeTheme theme);

// ---- Theme binding --------------------------------------------------------------
// The theme functions the controls call, bound once per unit at start-up
// (ZvXPVS for the grid and its editors, ATXPVS for the drop-down controls).
// Here they are the platform's theme painter, which is always there.
struct TThemeBinding {
    bool Loaded = false;
    HTHEME (*OpenThemeData)(TWinControl* control, const String& classList) = nullptr;
    void (*CloseThemeData)(HTHEME theme) = nullptr;
    bool (*DrawThemeBackground)(HTHEME theme, TCanvas& canvas, int partId, int stateId, const TRect& rect,
                                const TRect* clip) = nullptr;
    bool (*IsThemeActive)() = nullptr;
    bool (*GetCurrentThemeName)(String* fileName, String* colorName, String* sizeName) = nullptr;
};

namespace ZvXPVS {
// Binds the table unless it is bound; the start-up of the unit runs it once.
void LoadThemeLibrary();
// Releases the table when the last user lets go.
void Finalization();
const TThemeBinding& Theme();
}

namespace ATXPVS {
void LoadThemeLibrary();
void Finalization();
const TThemeBinding& Theme();
}

// ---- Platform checks ---------------------------------------------------------------
// "Segoe UI" on newer platforms, else "Tahoma".
String DefaultUIFontName();
// 0 without an active theme (or on an old platform); else the colour scheme of
// the visual style: 1 blue ("NormalColor"), 2 olive ("HomeStead"), 3 silver
// ("Metallic"), 0 any other.
int XPColorScheme();

// ---- The office suite's theme --------------------------------------------------------
// Where an office suite keeps its settings. This desktop has neither a
// registry nor such a suite: the system store has no key at all. Tests hand
// in a store of their own.
class TOfficeSettingsStore {
public:
    virtual ~TOfficeSettingsStore() = default;
    virtual bool KeyExists(const String& key) const = 0;
    // False when the key or its integer value is missing.
    virtual bool ReadInteger(const String& key, const String& name, int& value) const = 0;
};
const TOfficeSettingsStore& SystemOfficeSettings();

extern const String OfficeKey2010;          // ...\Office\14.0\Common
extern const String OfficeKey2007;          // ...\Office\12.0\Common

// 2 with the 2010 suite's "General" key, else 1 with the 2007 one's, else 0.
int OfficeVersionKey(const TOfficeSettingsStore& store = SystemOfficeSettings());
// The key's "Theme" value; -1 when the key or the value is missing.
int ReadOfficeThemeValue(const TOfficeSettingsStore& store, const String& key);
TOfficeTheme DetectOfficeStyle(const TOfficeSettingsStore& store = SystemOfficeSettings());

// ---- Theme notifier ----------------------------------------------------------------
// Sent to registered grid windows when the office theme changed.
constexpr UINT WM_OFFICETHEMECHANGED = WM_USER + 1969;   // 2993
constexpr UINT WM_THEMECHANGED = 0x031A;

// Window handles, each listed once by whoever adds them.
class THandleList {
public:
    int Count() const { return int(FItems.size()); }
    int Add(QWidget* handle);
    void Insert(int index, QWidget* handle);
    void Delete(int index);
    // Deletes the first equal item; nothing when absent.
    void DeleteValue(QWidget* handle);
    bool HasValue(QWidget* handle) const;
    QWidget* GetInteger(int index) const;
    void SetInteger(int index, QWidget* handle);

private:
    std::vector<QWidget*> FItems;
};

// The registry watcher of the office theme. This desktop has no registry to
// watch, so no watcher thread is ever started: the notifier stays without one
// and registering a window does nothing, as it does on a system without the suite.
class TRegMonitorThread;

class TThemeNotifier : public TComponent {
public:
    explicit TThemeNotifier(TComponent* AOwner);
    ~TThemeNotifier() override;

    // Adds the handle to the watcher's list when there is a watcher and the handle is not listed.
    void RegisterWindow(QWidget* handle);
    void UnRegisterWindow(QWidget* handle);
    TRegMonitorThread* RegMonitorThread() const { return FRegMonitorThread; }

    TNotifyEvent OnOfficeThemeChange;

private:
    TRegMonitorThread* FRegMonitorThread = nullptr;
};

// The process's one notifier: created on first use, owned by the main form
// when that has a window, else by `AOwner`.
TThemeNotifier* ThemeNotifierInstance(TComponent* AOwner);
