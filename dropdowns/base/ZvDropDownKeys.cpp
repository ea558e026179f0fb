// The drop-down edit's keys, mouse and focus.
#include "dropdowns/base/ZvCustomDropDown.h"

#include "dropdowns/base/ZvDropDownForm.h"

bool TZvCustomDropDown::AltArrow(WORD key, TShiftState shift) const
{
    return (key == VK_UP || key == VK_DOWN) && shift.Contains(TShiftStateItem::ssAlt);
}

void TZvCustomDropDown::ToggleDropDown(bool byF4)
{
    const bool open = byF4 ? FDropDownForm && FDropDownForm->Visible() : FDroppedDown;
    if (open) CloseDropDownForm(false);
    else OpenDropDownForm();
}

void TZvCustomDropDown::WndProc(TMessage& Message)
{
    TEdit::WndProc(Message);
}

// The key-down message: opening and closing keys, the non-editable mode, the
// caret rules of the text kinds.
void TZvCustomDropDown::WMKeyDown(TWMKey& Message)
{
    const WORD key = WORD(Message.CharCode);
    const TShiftState shift = KeyDataToShiftState(Message.KeyData) + KeysToShiftState(0);
    const bool alt = GetKeyState(VK_MENU) < 0;
    if ((key == VK_UP || key == VK_DOWN) && alt) {
        // One keystroke toggles once: the key event that follows does not toggle again.
        FToggledByKeyMessage = true;
        ToggleDropDown(false);
        Message.CharCode = 0;
        return;
    }
    if (!FEditorEnabled && Enabled()) {
        if (!ReadOnly()) {
            if (key == VK_RETURN) CloseDropDownForm(false);
            else if (key == VK_ESCAPE) CloseDropDownForm(true);
            else if (key == VK_F4) ToggleDropDown(true);
        }
        if (key == VK_RETURN || key == VK_ESCAPE) TEdit::WMKeyDown(Message);
        return;
    }
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    if (ctrl && (key == VK_TAB || key == VK_RETURN)) {
        TEdit::WMKeyDown(Message);
        return;
    }
    WORD k = key;
    if (TextKindKeyDown(k, shift)) return;
    Message.CharCode = k;
    TEdit::WMKeyDown(Message);
    if (key == VK_RETURN) CloseDropDownForm(false);
    else if (key == VK_ESCAPE) CloseDropDownForm(true);
    else if (key == VK_F4) ToggleDropDown(true);
}

void TZvCustomDropDown::KeyDown(WORD& Key, TShiftState Shift)
{
    KeyDownHook(Key, Shift);
}

void TZvCustomDropDown::KeyDownHook(WORD& Key, TShiftState Shift)
{
    TEdit::KeyDown(Key, Shift);
    if (AltArrow(Key, Shift)) {
        if (!FToggledByKeyMessage) ToggleDropDown(false);
        FToggledByKeyMessage = false;
    }
}

void TZvCustomDropDown::KeyPress(QChar& Key)
{
    KeyPressHook(Key);
}

void TZvCustomDropDown::KeyPressHook(QChar& Key)
{
    TEdit::KeyPress(Key);
    if (Key == QChar(u'\r')) Key = QChar(0);
}

void TZvCustomDropDown::CMWantSpecialKey(TWMKey& Message)
{
    SpecialKeyHook(Message);
}

void TZvCustomDropDown::SpecialKeyHook(TWMKey& Message)
{
    TCustomForm* form = GetParentForm(this);
    if (!form) return;
    const bool preview = form->KeyPreview();
    const WORD key = WORD(Message.CharCode);
    if (key == VK_ESCAPE && FUndoOnEscape && !preview) {
        SelectAll();
        SetModifiedState(false);
        Message.CharCode = 0;
        Message.Result = 0;
        if (Parent() && FForwardDialogKeys) {
            PostMessage(Parent(), WM_KEYDOWN, VK_ESCAPE, 0);
            PostMessage(Parent(), WM_KEYUP, VK_ESCAPE, 0);
        }
    } else if (key == VK_RETURN && FForwardDialogKeys && !preview && Parent() && Parent()->Focused()) {
        PostMessage(Parent(), WM_KEYDOWN, VK_RETURN, 0);
        PostMessage(Parent(), WM_KEYUP, VK_RETURN, 0);
    }
    TEdit::CMWantSpecialKey(Message);
    if (WORD(Message.CharCode) == VK_ESCAPE && FDroppedDown) Message.Result = 1;
}

void TZvCustomDropDown::WMGetDlgCode(TWMGetDlgCode& Message)
{
    TEdit::WMGetDlgCode(Message);
    Message.Result |= DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_HASSETSEL;
}

// ---- Keys from the pop-up and its control --------------------------------------------------
void TZvCustomDropDown::FormKeyPress(QChar& Key) { SendMessage(this, WM_CHAR, Key.unicode(), 0); }
void TZvCustomDropDown::FormKeyDown(WORD& Key, TShiftState) { SendMessage(this, WM_KEYDOWN, Key, 0); }
void TZvCustomDropDown::FormKeyUp(WORD& Key, TShiftState) { SendMessage(this, WM_KEYUP, Key, 0); }
void TZvCustomDropDown::ControlKeyDown(WORD& Key, TShiftState) { SendMessage(this, WM_KEYDOWN, Key, 0); }
void TZvCustomDropDown::ControlKeyUp(WORD& Key, TShiftState) { SendMessage(this, WM_KEYUP, Key, 0); }
void TZvCustomDropDown::ControlKeyPress(QChar& Key) { SendMessage(this, WM_CHAR, Key.unicode(), 0); }

void TZvCustomDropDown::BindHostedKeys()
{
    auto* control = dynamic_cast<TWinControl*>(FHostedControl);
    if (!control) return;
    control->OnKeyDown = [this](TObject*, WORD& key, TShiftState shift) { ControlKeyDown(key, shift); };
    control->OnKeyUp = [this](TObject*, WORD& key, TShiftState shift) { ControlKeyUp(key, shift); };
    control->OnKeyPress = [this](TObject*, QChar& key) { ControlKeyPress(key); };
}

// ---- Mouse ----------------------------------------------------------------------------------
void TZvCustomDropDown::WMLButtonDown(TWMMouse& Message)
{
    if (!FEditorEnabled) {
        TEdit::WMLButtonDown(Message);
        ButtonClick();
        return;
    }
    TEdit::WMLButtonDown(Message);
}

void TZvCustomDropDown::WMLButtonUp(TWMMouse& Message)
{
    if (!FEditorEnabled || ReadOnly()) DrawFocusedText();
    FButtonPressedInSelection = false;
    TEdit::WMLButtonUp(Message);
    // The selection stays between prefix and suffix.
    const int start = std::max(SelStart(), ValueStart());
    const int end = std::min(SelStart() + SelLength(), ValueEnd());
    if (start != SelStart() || end != SelStart() + SelLength()) {
        SetSelStart(start);
        SetSelLength(std::max(0, end - start));
    }
}

bool TZvCustomDropDown::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos)
{
    const bool handled = TEdit::DoMouseWheel(Shift, WheelDelta, MousePos);
    if (WheelDelta < 0) WheelDownNotify();
    else WheelUpNotify();
    return handled;
}

// ---- Focus ---------------------------------------------------------------------------------
void TZvCustomDropDown::CMEnter(TMessage& Message)
{
    TEdit::CMEnter(Message);
    RepaintBorder();
}

void TZvCustomDropDown::DoEnter()
{
    TEdit::DoEnter();
    UpdateEditRect();
}

void TZvCustomDropDown::WMSetFocus(TWMSetFocus& Message)
{
    TEdit::WMSetFocus(Message);
    if (FEditorEnabled) {
        if (AutoSelect()) SelectAll();
        else if (FEditKind == TDropDownEditType::etFloat || FEditKind == TDropDownEditType::etMoney)
            SelectBeforeDecimal();
    } else {
        Invalidate();
    }
}

void TZvCustomDropDown::WMKillFocus(TWMKillFocus& Message)
{
    KillFocusReformat();
    TEdit::WMKillFocus(Message);
    if (!FEditorEnabled) Invalidate();
}

void TZvCustomDropDown::CMExit(TMessage& Message)
{
    TEdit::CMExit(Message);
    RepaintBorder();
}

void TZvCustomDropDown::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_CUT:
    case WM_COPY:
    case WM_PASTE:
        ClipboardMessage(Message);
        return;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE: {
        TEdit::Dispatch(Message);
        const bool inside = Message.Msg == CM_MOUSEENTER;
        if (Enabled() && inside != FMouseInControl) {
            FMouseInControl = inside;
            RepaintBorder();
        }
        return;
    }
    default:
        TEdit::Dispatch(Message);
    }
}
