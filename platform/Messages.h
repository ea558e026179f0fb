#pragma once
// Window messages as the controls see them: the message record, the
// platform's message numbers, cracked views of the common messages, virtual
// key codes, mouse-key flags, scroll codes, shift states and key states.

#include "platform/Sets.h"
#include "platform/Types.h"

#include <QtGlobal>
#include <cstdint>

using UINT = unsigned int;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

// One message on its way to a control's WndProc. Result is the answer the
// sender gets back from Perform / SendMessage.
struct TMessage {
    UINT Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;
};

constexpr WORD LoWord(std::uintptr_t v) { return WORD(v & 0xFFFF); }
constexpr WORD HiWord(std::uintptr_t v) { return WORD((v >> 16) & 0xFFFF); }
constexpr LPARAM MakeLParam(int lo, int hi) { return LPARAM(DWORD(WORD(lo)) | (DWORD(WORD(hi)) << 16)); }
constexpr WPARAM MakeWParam(int lo, int hi) { return WPARAM(DWORD(WORD(lo)) | (DWORD(WORD(hi)) << 16)); }
// Signed 16-bit coordinates packed into a parameter.
constexpr int GetXParam(std::intptr_t v) { return std::int16_t(WORD(v & 0xFFFF)); }
constexpr int GetYParam(std::intptr_t v) { return std::int16_t(WORD((v >> 16) & 0xFFFF)); }
constexpr LPARAM PointToLParam(const TPoint& p) { return MakeLParam(p.X, p.Y); }

// ---- Window messages ---------------------------------------------------------
constexpr UINT WM_NULL = 0x0000, WM_CREATE = 0x0001, WM_DESTROY = 0x0002, WM_MOVE = 0x0003,
               WM_SIZE = 0x0005, WM_ACTIVATE = 0x0006, WM_SETFOCUS = 0x0007, WM_KILLFOCUS = 0x0008,
               WM_ENABLE = 0x000A, WM_SETREDRAW = 0x000B, WM_SETTEXT = 0x000C, WM_GETTEXT = 0x000D,
               WM_GETTEXTLENGTH = 0x000E, WM_PAINT = 0x000F, WM_CLOSE = 0x0010, WM_QUIT = 0x0012,
               WM_ERASEBKGND = 0x0014, WM_SHOWWINDOW = 0x0018, WM_CANCELMODE = 0x001F,
               WM_SETCURSOR = 0x0020, WM_MOUSEACTIVATE = 0x0021, WM_SETFONT = 0x0030, WM_GETFONT = 0x0031,
               WM_WINDOWPOSCHANGED = 0x0047, WM_CONTEXTMENU = 0x007B, WM_NCDESTROY = 0x0082,
               WM_NCHITTEST = 0x0084, WM_GETDLGCODE = 0x0087,
               WM_KEYDOWN = 0x0100, WM_KEYUP = 0x0101, WM_CHAR = 0x0102, WM_DEADCHAR = 0x0103,
               WM_SYSKEYDOWN = 0x0104, WM_SYSKEYUP = 0x0105, WM_SYSCHAR = 0x0106,
               WM_COMMAND = 0x0111, WM_SYSCOMMAND = 0x0112, WM_TIMER = 0x0113, WM_HSCROLL = 0x0114,
               WM_VSCROLL = 0x0115,
               WM_MOUSEMOVE = 0x0200, WM_LBUTTONDOWN = 0x0201, WM_LBUTTONUP = 0x0202, WM_LBUTTONDBLCLK = 0x0203,
               WM_RBUTTONDOWN = 0x0204, WM_RBUTTONUP = 0x0205, WM_RBUTTONDBLCLK = 0x0206,
               WM_MBUTTONDOWN = 0x0207, WM_MBUTTONUP = 0x0208, WM_MBUTTONDBLCLK = 0x0209,
               WM_MOUSEWHEEL = 0x020A, WM_MOUSEHWHEEL = 0x020E, WM_CAPTURECHANGED = 0x0215,
               WM_MOUSEHOVER = 0x02A1, WM_MOUSELEAVE = 0x02A3,
               WM_CUT = 0x0300, WM_COPY = 0x0301, WM_PASTE = 0x0302, WM_CLEAR = 0x0303, WM_UNDO = 0x0304,
               WM_USER = 0x0400, WM_APP = 0x8000;

// Combo box notifications, the high word of a WM_COMMAND's WParam; LParam is the combo's window.
constexpr WORD CBN_SELCHANGE = 1, CBN_EDITCHANGE = 5, CBN_DROPDOWN = 7, CBN_CLOSEUP = 8;
// An edit's character at a client point (LParam: x low, y high): the index in the low word, -1 without a window.
constexpr UINT EM_CHARFROMPOS = 0x00D7;

// ---- Control messages of the class library --------------------------------------
constexpr UINT CM_BASE = 0xB000;
constexpr UINT CM_ACTIVATE = CM_BASE + 0, CM_DEACTIVATE = CM_BASE + 1, CM_GOTFOCUS = CM_BASE + 2,
               CM_LOSTFOCUS = CM_BASE + 3, CM_CANCELMODE = CM_BASE + 4, CM_DIALOGKEY = CM_BASE + 5,
               CM_DIALOGCHAR = CM_BASE + 6, CM_FOCUSCHANGED = CM_BASE + 7, CM_PARENTFONTCHANGED = CM_BASE + 8,
               CM_PARENTCOLORCHANGED = CM_BASE + 9, CM_HITTEST = CM_BASE + 10, CM_VISIBLECHANGED = CM_BASE + 11,
               CM_ENABLEDCHANGED = CM_BASE + 12, CM_COLORCHANGED = CM_BASE + 13, CM_FONTCHANGED = CM_BASE + 14,
               CM_CURSORCHANGED = CM_BASE + 15, CM_TEXTCHANGED = CM_BASE + 18, CM_MOUSEENTER = CM_BASE + 19,
               CM_MOUSELEAVE = CM_BASE + 20, CM_BUTTONPRESSED = CM_BASE + 24, CM_SHOWINGCHANGED = CM_BASE + 25,
               CM_ENTER = CM_BASE + 26, CM_EXIT = CM_BASE + 27, CM_WANTSPECIALKEY = CM_BASE + 30,
               CM_RELEASE = CM_BASE + 33, CM_SHOWHINTCHANGED = CM_BASE + 34,
               CM_PARENTSHOWHINTCHANGED = CM_BASE + 35, CM_TABSTOPCHANGED = CM_BASE + 40,
               CM_CHILDKEY = CM_BASE + 46, CM_HINTSHOW = CM_BASE + 48, CM_HINTSHOWPAUSE = CM_BASE + 49,
               CM_CONTROLCHANGE = CM_BASE + 54, CM_CONTROLLISTCHANGE = CM_BASE + 44,
               CM_PARENTBIDIMODECHANGED = CM_BASE + 60;

// Notifications that a control reflects back to itself before the ordinary
// message: a key-down gets a chance to be a dialog key, a character a dialog
// character.
constexpr UINT CN_BASE = 0xBC00;
constexpr UINT CN_KEYDOWN = CN_BASE + WM_KEYDOWN, CN_KEYUP = CN_BASE + WM_KEYUP, CN_CHAR = CN_BASE + WM_CHAR,
               CN_SYSKEYDOWN = CN_BASE + WM_SYSKEYDOWN, CN_SYSCHAR = CN_BASE + WM_SYSCHAR;

// ---- Answers to WM_GETDLGCODE ------------------------------------------------
constexpr LRESULT DLGC_WANTARROWS = 0x0001, DLGC_WANTTAB = 0x0002, DLGC_WANTALLKEYS = 0x0004,
                  DLGC_WANTMESSAGE = 0x0004, DLGC_HASSETSEL = 0x0008, DLGC_DEFPUSHBUTTON = 0x0010,
                  DLGC_UNDEFPUSHBUTTON = 0x0020, DLGC_RADIOBUTTON = 0x0040, DLGC_WANTCHARS = 0x0080,
                  DLGC_STATIC = 0x0100, DLGC_BUTTON = 0x2000;

// ---- Hit-test answers ----------------------------------------------------------
constexpr LRESULT HTERROR = -2, HTTRANSPARENT = -1, HTNOWHERE = 0, HTCLIENT = 1, HTCAPTION = 2;

// ---- Mouse-key flags of the mouse messages ----------------------------------------
constexpr WPARAM MK_LBUTTON = 0x0001, MK_RBUTTON = 0x0002, MK_SHIFT = 0x0004, MK_CONTROL = 0x0008,
                 MK_MBUTTON = 0x0010;
constexpr int WHEEL_DELTA = 120;

// ---- Scroll codes and bars -------------------------------------------------------
constexpr int SB_LINEUP = 0, SB_LINELEFT = 0, SB_LINEDOWN = 1, SB_LINERIGHT = 1, SB_PAGEUP = 2, SB_PAGELEFT = 2,
              SB_PAGEDOWN = 3, SB_PAGERIGHT = 3, SB_THUMBPOSITION = 4, SB_THUMBTRACK = 5, SB_TOP = 6,
              SB_LEFT = 6, SB_BOTTOM = 7, SB_RIGHT = 7, SB_ENDSCROLL = 8;
constexpr int SB_HORZ = 0, SB_VERT = 1, SB_CTL = 2, SB_BOTH = 3;

// ---- Size kinds of WM_SIZE ---------------------------------------------------------
constexpr WPARAM SIZE_RESTORED = 0, SIZE_MINIMIZED = 1, SIZE_MAXIMIZED = 2;

// ---- Virtual key codes -----------------------------------------------------------
// Letters and digits are their upper-case ASCII codes ('A' .. 'Z', '0' .. '9').
constexpr WORD VK_LBUTTON = 0x01, VK_RBUTTON = 0x02, VK_CANCEL = 0x03, VK_MBUTTON = 0x04,
               VK_BACK = 0x08, VK_TAB = 0x09, VK_CLEAR = 0x0C, VK_RETURN = 0x0D,
               VK_SHIFT = 0x10, VK_CONTROL = 0x11, VK_MENU = 0x12, VK_PAUSE = 0x13, VK_CAPITAL = 0x14,
               VK_ESCAPE = 0x1B, VK_SPACE = 0x20, VK_PRIOR = 0x21, VK_NEXT = 0x22, VK_END = 0x23,
               VK_HOME = 0x24, VK_LEFT = 0x25, VK_UP = 0x26, VK_RIGHT = 0x27, VK_DOWN = 0x28,
               VK_SELECT = 0x29, VK_PRINT = 0x2A, VK_EXECUTE = 0x2B, VK_SNAPSHOT = 0x2C,
               VK_INSERT = 0x2D, VK_DELETE = 0x2E, VK_HELP = 0x2F,
               VK_LWIN = 0x5B, VK_RWIN = 0x5C, VK_APPS = 0x5D,
               VK_NUMPAD0 = 0x60, VK_NUMPAD1 = 0x61, VK_NUMPAD2 = 0x62, VK_NUMPAD3 = 0x63, VK_NUMPAD4 = 0x64,
               VK_NUMPAD5 = 0x65, VK_NUMPAD6 = 0x66, VK_NUMPAD7 = 0x67, VK_NUMPAD8 = 0x68, VK_NUMPAD9 = 0x69,
               VK_MULTIPLY = 0x6A, VK_ADD = 0x6B, VK_SEPARATOR = 0x6C, VK_SUBTRACT = 0x6D, VK_DECIMAL = 0x6E,
               VK_DIVIDE = 0x6F,
               VK_F1 = 0x70, VK_F2 = 0x71, VK_F3 = 0x72, VK_F4 = 0x73, VK_F5 = 0x74, VK_F6 = 0x75,
               VK_F7 = 0x76, VK_F8 = 0x77, VK_F9 = 0x78, VK_F10 = 0x79, VK_F11 = 0x7A, VK_F12 = 0x7B,
               VK_F24 = 0x87, VK_NUMLOCK = 0x90, VK_SCROLL = 0x91,
               VK_LSHIFT = 0xA0, VK_RSHIFT = 0xA1, VK_LCONTROL = 0xA2, VK_RCONTROL = 0xA3,
               VK_LMENU = 0xA4, VK_RMENU = 0xA5,
               VK_OEM_1 = 0xBA, VK_OEM_PLUS = 0xBB, VK_OEM_COMMA = 0xBC, VK_OEM_MINUS = 0xBD,
               VK_OEM_PERIOD = 0xBE, VK_OEM_2 = 0xBF, VK_OEM_3 = 0xC0, VK_OEM_4 = 0xDB, VK_OEM_5 = 0xDC,
               VK_OEM_6 = 0xDD, VK_OEM_7 = 0xDE, VK_OEM_8 = 0xDF, VK_OEM_102 = 0xE2;

// Key-data bits of the key messages (LParam).
constexpr LPARAM KF_EXTENDED_BIT = LPARAM(1) << 24;   // the key is one of the extended (grey) keys
constexpr LPARAM KF_ALTDOWN_BIT = LPARAM(1) << 29;    // Alt is held
constexpr LPARAM KF_REPEAT_BIT = LPARAM(1) << 30;     // the key was already down
constexpr LPARAM KF_UP_BIT = LPARAM(1) << 31;         // the key is being released
constexpr int KeyDataScanCode(LPARAM keyData) { return int((keyData >> 16) & 0xFF); }

// Translation from Qt's key numbers. `keypad` tells a key of the numeric keypad.
WORD QtKeyToVirtualKey(int qtKey, bool keypad);
// The Qt key for a virtual key, for handing a message back to a Qt widget.
int VirtualKeyToQtKey(WORD vk);
// The platform's hardware scan code of a virtual key (set 1, as a PC keyboard
// sends it). The keypad's decimal key is 0x53, the main "." key 0x34.
int VirtualKeyToScanCode(WORD vk, bool keypad);
bool IsExtendedKey(WORD vk, bool keypad);
// Key data of a key message: repeat count 1, scan code, extended, Alt, repeat and up bits.
LPARAM MakeKeyData(WORD vk, bool keypad, bool altDown, bool repeat, bool up);

// ---- Shift states and mouse buttons ---------------------------------------------
enum class TShiftStateItem { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateItem>;
constexpr TShiftStateItem ssShift = TShiftStateItem::ssShift, ssAlt = TShiftStateItem::ssAlt,
                          ssCtrl = TShiftStateItem::ssCtrl, ssLeft = TShiftStateItem::ssLeft,
                          ssRight = TShiftStateItem::ssRight, ssMiddle = TShiftStateItem::ssMiddle,
                          ssDouble = TShiftStateItem::ssDouble;

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

// The mouse-key flags of a mouse message as a shift state, and back.
TShiftState KeysToShiftState(WPARAM keys);
WPARAM ShiftStateToKeys(TShiftState shift);
// The shift state of a key message: Alt from its key data, Shift and Ctrl
// from the key states at the time the message is handled.
TShiftState KeyDataToShiftState(LPARAM keyData);
// Shift, Ctrl, Alt and the mouse buttons as they are down now.
TShiftState KeyboardStateToShiftState();

// ---- Key states -------------------------------------------------------------------
// Key states are those of the last translated input event; the translation
// keeps them up to date, and tests set them by hand. As the platform answers:
// the high bit (the value is negative) when the key is down, bit 0 when a
// toggle key is on.
short GetKeyState(int vk);
short GetAsyncKeyState(int vk);
void SetKeyDown(int vk, bool down);
void ClearKeyStates();

// The screen position of the pointer: the last translated mouse event's,
// or the one a test set.
TPoint GetCursorPos();
void SetCursorPosition(const TPoint& screenPoint);

// ---- Cracked views ------------------------------------------------------------------
// A view names the parts of a message without copying it: writes go to the
// message itself, so a handler that clears CharCode or sets Result changes
// what the next step and the sender see.
struct TWMKey {
    explicit TWMKey(TMessage& m) : Msg(m.Msg), CharCode(m.WParam), KeyData(m.LParam), Result(m.Result), Message(m) {}
    UINT& Msg;
    WPARAM& CharCode;
    LPARAM& KeyData;
    LRESULT& Result;
    TMessage& Message;
};
using TWMKeyDown = TWMKey;
using TWMKeyUp = TWMKey;
using TWMChar = TWMKey;
using TWMSysKeyDown = TWMKey;
using TCMDialogKey = TWMKey;
using TCMDialogChar = TWMKey;
using TCMWantSpecialKey = TWMKey;

struct TWMMouse {
    explicit TWMMouse(TMessage& m) : Msg(m.Msg), Keys(m.WParam), Result(m.Result), Message(m) {}
    UINT& Msg;
    WPARAM& Keys;
    LRESULT& Result;
    TMessage& Message;
    int XPos() const { return GetXParam(Message.LParam); }
    int YPos() const { return GetYParam(Message.LParam); }
    TPoint Pos() const { return {XPos(), YPos()}; }
    void SetPos(const TPoint& p) { Message.LParam = PointToLParam(p); }
};
using TWMLButtonDown = TWMMouse;
using TWMLButtonUp = TWMMouse;
using TWMLButtonDblClk = TWMMouse;
using TWMRButtonDown = TWMMouse;
using TWMRButtonUp = TWMMouse;
using TWMMouseMove = TWMMouse;

// WParam: mouse-key flags in the low word, the wheel distance (signed,
// WHEEL_DELTA per notch) in the high word; LParam: the pointer in screen coordinates.
struct TWMMouseWheel {
    explicit TWMMouseWheel(TMessage& m) : Msg(m.Msg), Result(m.Result), Message(m) {}
    UINT& Msg;
    LRESULT& Result;
    TMessage& Message;
    WORD Keys() const { return LoWord(Message.WParam); }
    int WheelDelta() const { return std::int16_t(HiWord(Message.WParam)); }
    int XPos() const { return GetXParam(Message.LParam); }
    int YPos() const { return GetYParam(Message.LParam); }
};

struct TWMTimer {
    explicit TWMTimer(TMessage& m) : Msg(m.Msg), TimerID(m.WParam), Result(m.Result), Message(m) {}
    UINT& Msg;
    WPARAM& TimerID;
    LRESULT& Result;
    TMessage& Message;
};

// WParam: scroll code in the low word, thumb position in the high word;
// LParam: the scroll-bar control that sent it, 0 for the window's own bars.
struct TWMScroll {
    explicit TWMScroll(TMessage& m) : Msg(m.Msg), ScrollBar(m.LParam), Result(m.Result), Message(m) {}
    UINT& Msg;
    LPARAM& ScrollBar;
    LRESULT& Result;
    TMessage& Message;
    int ScrollCode() const { return LoWord(Message.WParam); }
    int Pos() const { return HiWord(Message.WParam); }
};
using TWMHScroll = TWMScroll;
using TWMVScroll = TWMScroll;

// WParam: SIZE_* kind; LParam: new client width (low) and height (high).
struct TWMSize {
    explicit TWMSize(TMessage& m) : Msg(m.Msg), SizeType(m.WParam), Result(m.Result), Message(m) {}
    UINT& Msg;
    WPARAM& SizeType;
    LRESULT& Result;
    TMessage& Message;
    int Width() const { return LoWord(std::uintptr_t(Message.LParam)); }
    int Height() const { return HiWord(std::uintptr_t(Message.LParam)); }
};

struct TWMMove {
    explicit TWMMove(TMessage& m) : Msg(m.Msg), Result(m.Result), Message(m) {}
    UINT& Msg;
    LRESULT& Result;
    TMessage& Message;
    int XPos() const { return GetXParam(Message.LParam); }
    int YPos() const { return GetYParam(Message.LParam); }
};

// WParam: for WM_SETFOCUS the window losing the focus, for WM_KILLFOCUS the
// one receiving it (a QWidget*, 0 when none or not ours).
struct TWMFocus {
    explicit TWMFocus(TMessage& m) : Msg(m.Msg), FocusedWnd(m.WParam), Result(m.Result), Message(m) {}
    UINT& Msg;
    WPARAM& FocusedWnd;
    LRESULT& Result;
    TMessage& Message;
};
using TWMSetFocus = TWMFocus;
using TWMKillFocus = TWMFocus;

// WParam: the QPainter* to paint with, or 0 to paint the window's own surface.
struct TWMPaint {
    explicit TWMPaint(TMessage& m) : Msg(m.Msg), DC(m.WParam), Result(m.Result), Message(m) {}
    UINT& Msg;
    WPARAM& DC;
    LRESULT& Result;
    TMessage& Message;
};
using TWMEraseBkgnd = TWMPaint;

struct TWMNoParams {
    explicit TWMNoParams(TMessage& m) : Msg(m.Msg), Result(m.Result), Message(m) {}
    UINT& Msg;
    LRESULT& Result;
    TMessage& Message;
};
using TWMCancelMode = TWMNoParams;
using TWMGetDlgCode = TWMNoParams;
using TCMEnter = TWMNoParams;
using TCMExit = TWMNoParams;

// WParam: the window that gets the capture (0 when none).
using TWMCaptureChanged = TWMNoParams;

// WParam: 1 to switch drawing back on, 0 to switch it off.
struct TWMSetRedraw {
    explicit TWMSetRedraw(TMessage& m) : Msg(m.Msg), Redraw(m.WParam), Result(m.Result), Message(m) {}
    UINT& Msg;
    WPARAM& Redraw;
    LRESULT& Result;
    TMessage& Message;
};

struct TWMNCHitTest {
    explicit TWMNCHitTest(TMessage& m) : Msg(m.Msg), Result(m.Result), Message(m) {}
    UINT& Msg;
    LRESULT& Result;
    TMessage& Message;
    int XPos() const { return GetXParam(Message.LParam); }
    int YPos() const { return GetYParam(Message.LParam); }
};

// WParam: the window under the pointer; LParam: hit-test code (low) and the mouse message (high).
struct TWMSetCursor {
    explicit TWMSetCursor(TMessage& m) : Msg(m.Msg), CursorWnd(m.WParam), Result(m.Result), Message(m) {}
    UINT& Msg;
    WPARAM& CursorWnd;
    LRESULT& Result;
    TMessage& Message;
    int HitTest() const { return std::int16_t(LoWord(std::uintptr_t(Message.LParam))); }
    int MouseMsg() const { return HiWord(std::uintptr_t(Message.LParam)); }
};
