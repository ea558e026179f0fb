#include "platform/Messages.h"

#include <Qt>
#include <array>

namespace {

struct TKeyPair {
    int Qt;
    WORD Vk;
};

// Keys whose virtual key does not follow from their character.
constexpr TKeyPair KeyTable[] = {
    {Qt::Key_Backspace, VK_BACK}, {Qt::Key_Tab, VK_TAB}, {Qt::Key_Backtab, VK_TAB}, {Qt::Key_Clear, VK_CLEAR},
    {Qt::Key_Return, VK_RETURN}, {Qt::Key_Enter, VK_RETURN}, {Qt::Key_Shift, VK_SHIFT},
    {Qt::Key_Control, VK_CONTROL}, {Qt::Key_Alt, VK_MENU}, {Qt::Key_AltGr, VK_RMENU}, {Qt::Key_Pause, VK_PAUSE},
    {Qt::Key_CapsLock, VK_CAPITAL}, {Qt::Key_Escape, VK_ESCAPE}, {Qt::Key_Space, VK_SPACE},
    {Qt::Key_PageUp, VK_PRIOR}, {Qt::Key_PageDown, VK_NEXT}, {Qt::Key_End, VK_END}, {Qt::Key_Home, VK_HOME},
    {Qt::Key_Left, VK_LEFT}, {Qt::Key_Up, VK_UP}, {Qt::Key_Right, VK_RIGHT}, {Qt::Key_Down, VK_DOWN},
    {Qt::Key_Select, VK_SELECT}, {Qt::Key_Printer, VK_PRINT}, {Qt::Key_Execute, VK_EXECUTE},
    {Qt::Key_Print, VK_SNAPSHOT}, {Qt::Key_Insert, VK_INSERT}, {Qt::Key_Delete, VK_DELETE},
    {Qt::Key_Help, VK_HELP}, {Qt::Key_Meta, VK_LWIN}, {Qt::Key_Super_L, VK_LWIN}, {Qt::Key_Super_R, VK_RWIN},
    {Qt::Key_Menu, VK_APPS}, {Qt::Key_NumLock, VK_NUMLOCK}, {Qt::Key_ScrollLock, VK_SCROLL},
    // The punctuation keys of a US keyboard, shifted or not.
    {Qt::Key_Semicolon, VK_OEM_1}, {Qt::Key_Colon, VK_OEM_1}, {Qt::Key_Equal, VK_OEM_PLUS},
    {Qt::Key_Plus, VK_OEM_PLUS}, {Qt::Key_Comma, VK_OEM_COMMA}, {Qt::Key_Less, VK_OEM_COMMA},
    {Qt::Key_Minus, VK_OEM_MINUS}, {Qt::Key_Underscore, VK_OEM_MINUS}, {Qt::Key_Period, VK_OEM_PERIOD},
    {Qt::Key_Greater, VK_OEM_PERIOD}, {Qt::Key_Slash, VK_OEM_2}, {Qt::Key_Question, VK_OEM_2},
    {Qt::Key_QuoteLeft, VK_OEM_3}, {Qt::Key_AsciiTilde, VK_OEM_3}, {Qt::Key_BracketLeft, VK_OEM_4},
    {Qt::Key_BraceLeft, VK_OEM_4}, {Qt::Key_Backslash, VK_OEM_5}, {Qt::Key_Bar, VK_OEM_5},
    {Qt::Key_BracketRight, VK_OEM_6}, {Qt::Key_BraceRight, VK_OEM_6}, {Qt::Key_Apostrophe, VK_OEM_7},
    {Qt::Key_QuoteDbl, VK_OEM_7},
    // Shifted digits name their digit key.
    {Qt::Key_Exclam, '1'}, {Qt::Key_At, '2'}, {Qt::Key_NumberSign, '3'}, {Qt::Key_Dollar, '4'},
    {Qt::Key_Percent, '5'}, {Qt::Key_AsciiCircum, '6'}, {Qt::Key_Ampersand, '7'}, {Qt::Key_Asterisk, '8'},
    {Qt::Key_ParenLeft, '9'}, {Qt::Key_ParenRight, '0'},
};

WORD KeypadKey(int qtKey)
{
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return WORD(VK_NUMPAD0 + (qtKey - Qt::Key_0));
    switch (qtKey) {
    case Qt::Key_Asterisk: return VK_MULTIPLY;
    case Qt::Key_Plus: return VK_ADD;
    case Qt::Key_Minus: return VK_SUBTRACT;
    case Qt::Key_Period:
    case Qt::Key_Comma: return VK_DECIMAL;
    case Qt::Key_Slash: return VK_DIVIDE;
    case Qt::Key_Enter:
    case Qt::Key_Return: return VK_RETURN;
    // With NumLock off the keypad sends the navigation keys.
    case Qt::Key_Insert: return VK_INSERT;
    case Qt::Key_Delete: return VK_DELETE;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_End: return VK_END;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_Clear: return VK_CLEAR;
    default: return 0;
    }
}

// Scan codes of set 1 for the main block, indexed by virtual key.
int MainScanCode(WORD vk)
{
    static constexpr char Row1[] = "QWERTYUIOP";   // 0x10 ..
    static constexpr char Row2[] = "ASDFGHJKL";    // 0x1E ..
    static constexpr char Row3[] = "ZXCVBNM";      // 0x2C ..
    for (int i = 0; Row1[i]; ++i) if (vk == WORD(Row1[i])) return 0x10 + i;
    for (int i = 0; Row2[i]; ++i) if (vk == WORD(Row2[i])) return 0x1E + i;
    for (int i = 0; Row3[i]; ++i) if (vk == WORD(Row3[i])) return 0x2C + i;
    if (vk >= '1' && vk <= '9') return 0x02 + (vk - '1');
    if (vk == '0') return 0x0B;
    if (vk >= VK_F1 && vk <= VK_F1 + 9) return 0x3B + (vk - VK_F1);
    switch (vk) {
    case VK_ESCAPE: return 0x01;
    case VK_OEM_MINUS: return 0x0C;
    case VK_OEM_PLUS: return 0x0D;
    case VK_BACK: return 0x0E;
    case VK_TAB: return 0x0F;
    case VK_OEM_4: return 0x1A;
    case VK_OEM_6: return 0x1B;
    case VK_RETURN: return 0x1C;
    case VK_CONTROL: case VK_LCONTROL: case VK_RCONTROL: return 0x1D;
    case VK_OEM_1: return 0x27;
    case VK_OEM_7: return 0x28;
    case VK_OEM_3: return 0x29;
    case VK_SHIFT: case VK_LSHIFT: return 0x2A;
    case VK_OEM_5: return 0x2B;
    case VK_OEM_COMMA: return 0x33;
    case VK_OEM_PERIOD: return 0x34;
    case VK_OEM_2: return 0x35;
    case VK_RSHIFT: return 0x36;
    case VK_MULTIPLY: return 0x37;
    case VK_MENU: case VK_LMENU: case VK_RMENU: return 0x38;
    case VK_SPACE: return 0x39;
    case VK_CAPITAL: return 0x3A;
    case VK_NUMLOCK: return 0x45;
    case VK_SCROLL: return 0x46;
    case VK_F11: return 0x57;
    case VK_F12: return 0x58;
    // The grey navigation keys share the keypad's codes, marked extended.
    case VK_HOME: return 0x47;
    case VK_UP: return 0x48;
    case VK_PRIOR: return 0x49;
    case VK_LEFT: return 0x4B;
    case VK_RIGHT: return 0x4D;
    case VK_END: return 0x4F;
    case VK_DOWN: return 0x50;
    case VK_NEXT: return 0x51;
    case VK_INSERT: return 0x52;
    case VK_DELETE: return 0x53;
    case VK_DIVIDE: return 0x35;
    case VK_LWIN: return 0x5B;
    case VK_RWIN: return 0x5C;
    case VK_APPS: return 0x5D;
    default: return 0;
    }
}

int KeypadScanCode(WORD vk)
{
    switch (vk) {
    case VK_NUMPAD7: case VK_HOME: return 0x47;
    case VK_NUMPAD8: case VK_UP: return 0x48;
    case VK_NUMPAD9: case VK_PRIOR: return 0x49;
    case VK_SUBTRACT: return 0x4A;
    case VK_NUMPAD4: case VK_LEFT: return 0x4B;
    case VK_NUMPAD5: case VK_CLEAR: return 0x4C;
    case VK_NUMPAD6: case VK_RIGHT: return 0x4D;
    case VK_ADD: return 0x4E;
    case VK_NUMPAD1: case VK_END: return 0x4F;
    case VK_NUMPAD2: case VK_DOWN: return 0x50;
    case VK_NUMPAD3: case VK_NEXT: return 0x51;
    case VK_NUMPAD0: case VK_INSERT: return 0x52;
    case VK_DECIMAL: case VK_DELETE: return 0x53;
    case VK_MULTIPLY: return 0x37;
    case VK_DIVIDE: return 0x35;
    case VK_RETURN: return 0x1C;
    default: return MainScanCode(vk);
    }
}

std::array<bool, 256> KeyDown{};
std::array<bool, 256> KeyToggled{};
TPoint CursorPos;

} // namespace

WORD QtKeyToVirtualKey(int qtKey, bool keypad)
{
    if (keypad) {
        if (WORD vk = KeypadKey(qtKey)) return vk;
    }
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return WORD('A' + (qtKey - Qt::Key_A));
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return WORD('0' + (qtKey - Qt::Key_0));
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return WORD(VK_F1 + (qtKey - Qt::Key_F1));
    for (const TKeyPair& p : KeyTable) {
        if (p.Qt == qtKey) return p.Vk;
    }
    return 0;
}

int VirtualKeyToQtKey(WORD vk)
{
    if (vk >= 'A' && vk <= 'Z') return Qt::Key_A + (vk - 'A');
    if (vk >= '0' && vk <= '9') return Qt::Key_0 + (vk - '0');
    if (vk >= VK_F1 && vk <= VK_F24) return Qt::Key_F1 + (vk - VK_F1);
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) return Qt::Key_0 + (vk - VK_NUMPAD0);
    switch (vk) {
    case VK_MULTIPLY: return Qt::Key_Asterisk;
    case VK_ADD: return Qt::Key_Plus;
    case VK_SUBTRACT: return Qt::Key_Minus;
    case VK_DECIMAL: return Qt::Key_Period;
    case VK_DIVIDE: return Qt::Key_Slash;
    case VK_LSHIFT: case VK_RSHIFT: return Qt::Key_Shift;
    case VK_LCONTROL: case VK_RCONTROL: return Qt::Key_Control;
    case VK_LMENU: return Qt::Key_Alt;
    default: break;
    }
    for (const TKeyPair& p : KeyTable) {
        if (p.Vk == vk) return p.Qt;
    }
    return Qt::Key_unknown;
}

int VirtualKeyToScanCode(WORD vk, bool keypad)
{
    return keypad ? KeypadScanCode(vk) : MainScanCode(vk);
}

bool IsExtendedKey(WORD vk, bool keypad)
{
    switch (vk) {
    case VK_HOME: case VK_END: case VK_PRIOR: case VK_NEXT: case VK_LEFT: case VK_RIGHT: case VK_UP:
    case VK_DOWN: case VK_INSERT: case VK_DELETE:
        return !keypad;
    case VK_DIVIDE: case VK_RCONTROL: case VK_RMENU: case VK_LWIN: case VK_RWIN: case VK_APPS: case VK_NUMLOCK:
        return true;
    case VK_RETURN:
        return keypad;
    default:
        return false;
    }
}

LPARAM MakeKeyData(WORD vk, bool keypad, bool altDown, bool repeat, bool up)
{
    LPARAM data = 1 | (LPARAM(VirtualKeyToScanCode(vk, keypad) & 0xFF) << 16);
    if (IsExtendedKey(vk, keypad)) data |= KF_EXTENDED_BIT;
    if (altDown) data |= KF_ALTDOWN_BIT;
    if (repeat || up) data |= KF_REPEAT_BIT;
    if (up) data |= KF_UP_BIT;
    return data;
}

TShiftState KeysToShiftState(WPARAM keys)
{
    TShiftState s;
    if (keys & MK_SHIFT) s.Include(ssShift);
    if (keys & MK_CONTROL) s.Include(ssCtrl);
    if (keys & MK_LBUTTON) s.Include(ssLeft);
    if (keys & MK_RBUTTON) s.Include(ssRight);
    if (keys & MK_MBUTTON) s.Include(ssMiddle);
    if (GetKeyState(VK_MENU) < 0) s.Include(ssAlt);
    return s;
}

WPARAM ShiftStateToKeys(TShiftState shift)
{
    WPARAM keys = 0;
    if (shift.Contains(ssShift)) keys |= MK_SHIFT;
    if (shift.Contains(ssCtrl)) keys |= MK_CONTROL;
    if (shift.Contains(ssLeft)) keys |= MK_LBUTTON;
    if (shift.Contains(ssRight)) keys |= MK_RBUTTON;
    if (shift.Contains(ssMiddle)) keys |= MK_MBUTTON;
    return keys;
}

TShiftState KeyDataToShiftState(LPARAM keyData)
{
    TShiftState s;
    if (GetKeyState(VK_SHIFT) < 0) s.Include(ssShift);
    if (GetKeyState(VK_CONTROL) < 0) s.Include(ssCtrl);
    if (keyData & KF_ALTDOWN_BIT) s.Include(ssAlt);
    return s;
}

TShiftState KeyboardStateToShiftState()
{
    TShiftState s;
    if (GetKeyState(VK_SHIFT) < 0) s.Include(ssShift);
    if (GetKeyState(VK_CONTROL) < 0) s.Include(ssCtrl);
    if (GetKeyState(VK_MENU) < 0) s.Include(ssAlt);
    if (GetKeyState(VK_LBUTTON) < 0) s.Include(ssLeft);
    if (GetKeyState(VK_RBUTTON) < 0) s.Include(ssRight);
    if (GetKeyState(VK_MBUTTON) < 0) s.Include(ssMiddle);
    return s;
}

short GetKeyState(int vk)
{
    if (vk < 0 || vk > 255) return 0;
    short state = KeyDown[std::size_t(vk)] ? short(0x8000) : short(0);
    if (KeyToggled[std::size_t(vk)]) state = short(state | 1);
    return state;
}

short GetAsyncKeyState(int vk)
{
    return short(GetKeyState(vk) & short(0x8000));
}

void SetKeyDown(int vk, bool down)
{
    if (vk < 0 || vk > 255) return;
    const auto i = std::size_t(vk);
    // A toggle key changes its toggle state on each press.
    if (down && !KeyDown[i] && (vk == VK_CAPITAL || vk == VK_NUMLOCK || vk == VK_SCROLL)) KeyToggled[i] = !KeyToggled[i];
    KeyDown[i] = down;
    // The left and right variants follow the generic keys and back.
    auto both = [&](int generic, int left) {
        if (vk == generic) KeyDown[std::size_t(left)] = down;
        if (vk == left) KeyDown[std::size_t(generic)] = down;
    };
    both(VK_SHIFT, VK_LSHIFT);
    both(VK_CONTROL, VK_LCONTROL);
    both(VK_MENU, VK_LMENU);
}

void ClearKeyStates()
{
    KeyDown.fill(false);
    KeyToggled.fill(false);
}

TPoint GetCursorPos()
{
    return CursorPos;
}

void SetCursorPosition(const TPoint& screenPoint)
{
    CursorPos = screenPoint;
}
