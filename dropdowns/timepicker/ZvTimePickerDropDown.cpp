#include "dropdowns/timepicker/ZvTimePickerDropDown.h"

#include "dropdowns/base/ZvDropDownForm.h"
#include "platform/DateTimePicker.h"
#include "platform/ExtCtrls.h"
#include "platform/Regional.h"
#include "platform/ScopeGuard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace {
QChar Separator() { return FormatSettings().TimeSeparator; }
String TwoDigits(int n) { return n < 10 ? QStringLiteral("0") + String::number(n) : String::number(n); }

String BlanksToZeros(String text)
{
    text.replace(u' ', u'0');
    return text;
}

// The first two characters, where present, are digits; an empty part counts as 0.
bool IsTimePartValid(const String& part)
{
    for (int i = 0; i < std::min<int>(2, int(part.size())); ++i)
        if (part[i] < u'0' || part[i] > u'9') return false;
    return true;
}

constexpr int ClockPanelSize = 170;

bool IsUpDown(WORD key) { return key == VK_PRIOR || key == VK_NEXT || key == VK_UP || key == VK_DOWN; }
} // namespace

TZvTimePickerDropDown::TZvTimePickerDropDown(TComponent* AOwner)
    : TZvCustomDropDown(AOwner), FWatchAppearance(std::make_unique<TWatchAppearance>()),
      FWatchSettings(std::make_unique<TWatchSettings>())
{
    FWatchAppearance->OnChange = [this](TObject*) { WatchAppearanceChanged(); };
    // The base applied its default style before this object's appearance existed.
    ApplyWatchComponentStyle(*FWatchAppearance, GetComponentStyle());
    CreateDropDownForm();
    FShowTimePicker = false;
    SetEditorEnabled(false);
    SetDropDownEnabled(true);
    FShowSeconds = true;
    {
        FInternalCall = true;
        TScopeExit reset([this] { FInternalCall = false; });
        FMask = TEditMask(MaskText());
        AssignEditText(FormatTime(0, 0, 0));
    }
    FShowWatchAMPM = true;
    FShowWatchNumbers = true;
    FAnimation = true;
    FAnimationFactor = 10;
    DropDownHeader()->SetVisible(false);
    DropDownFooter()->SetVisible(false);
}

TZvTimePickerDropDown::~TZvTimePickerDropDown()
{
    if (FZvWatch) FZvWatch->OnChange = nullptr;
    if (FDateTimePicker) FDateTimePicker->OnChange = nullptr;
}

String TZvTimePickerDropDown::MaskText() const
{
    const String s = Separator();
    return FShowSeconds ? QStringLiteral("!90") + s + QStringLiteral("00") + s + QStringLiteral("00;1; ")
                        : QStringLiteral("!90") + s + QStringLiteral("00;1; ");
}

String TZvTimePickerDropDown::FormatTime(int h, int m, int s) const
{
    String t = TwoDigits(h) + Separator() + TwoDigits(m);
    if (FShowSeconds) t += Separator() + TwoDigits(s);
    return t;
}

void TZvTimePickerDropDown::SetComponentStyle(TZvStyle AStyle)
{
    TZvCustomDropDown::SetComponentStyle(AStyle);
    if (FWatchAppearance) ApplyWatchComponentStyle(*FWatchAppearance, AStyle);
}

// ---- The pop-up ------------------------------------------------------------------------------------
void TZvTimePickerDropDown::CreateDropDownForm()
{
    TZvCustomDropDown::CreateDropDownForm();
    if (!DropDownForm()) return;
    if (!FPanelCtrl) {
        FPanelCtrl = new TPanel(this);
        FPanelCtrl->SetParent(DropDownForm());
        FPanelCtrl->SetBorderWidth(0);
        FPanelCtrl->SetBevelInner(TBevelCut::bvNone);
        FPanelCtrl->SetBevelOuter(TBevelCut::bvNone);
        FPanelCtrl->SetShowCaption(false);
        FPanelCtrl->SetBounds(0, 0, FPanelCtrl->Width(), 180);
    }
    if (!FZvWatch) {
        FZvWatch = new TZvWatch(this);
        FZvWatch->SetParent(FPanelCtrl);
    }
    FZvWatch->SetAlign(TAlign::alClient);
    SetHostedControl(FPanelCtrl);
}

void TZvTimePickerDropDown::BeforeDropDown()
{
    TZvCustomDropDown::BeforeDropDown();
    FPanelHeight = ClockPanelSize;
    FPanelCtrl->SetBounds(FPanelCtrl->Left(), FPanelCtrl->Top(), ClockPanelSize, ClockPanelSize);
    TDropDownForm* form = DropDownForm();
    // A width step makes the aligned children lay out anew.
    form->SetWidth(form->Width() + 1);
    form->SetWidth(form->Width() - 1);
    form->SetCancelOnDeActivate(false);
    FPanelCtrl->SetColor(DropDownColor());
    FZvWatch->SetAppearance(FWatchAppearance.get());
    FZvWatch->SetSettings(FWatchSettings.get());
    FZvWatch->SetShowAMPM(FShowWatchAMPM);
    FZvWatch->SetShowNumbers(FShowWatchNumbers);
    FZvWatch->SetAnimation(FAnimation);
    FZvWatch->SetAnimationFactor(FAnimationFactor);
    FZvWatch->OnChange = nullptr;
    if (!FWatchSettings->Auto()) FZvWatch->SetTime(FTime);
    FZvWatch->OnChange = [this](TObject*) { WatchChanged(); };
    FTimeAtOpening = FTime;
    if (FShowTimePicker) ShowPicker();
    else if (FDateTimePicker) FDateTimePicker->SetVisible(false);
}

// Created at the first opening that asks for it and kept for the later ones;
// its change is unbound while it takes the time so that the clock is not set back.
void TZvTimePickerDropDown::ShowPicker()
{
    if (!FDateTimePicker) {
        FDateTimePicker = new TDateTimePicker(this);
        FDateTimePicker->SetParent(FPanelCtrl);
        FDateTimePicker->SetKind(TDateTimeKind::dtkTime);
    }
    FDateTimePicker->OnChange = nullptr;
    FDateTimePicker->SetAlign(TAlign::alBottom);
    FDateTimePicker->SetVisible(true);
    FDateTimePicker->SetTime(FTime);
    FDateTimePicker->BringToFront();
    FDateTimePicker->OnChange = [this](TObject*) { PickerChanged(); };
    FDateTimePicker->OnKeyDown = [this](TObject*, WORD& key, TShiftState shift) { ControlKeyDown(key, shift); };
    FDateTimePicker->OnKeyUp = [this](TObject*, WORD& key, TShiftState shift) { ControlKeyUp(key, shift); };
    FDateTimePicker->OnKeyPress = [this](TObject*, QChar& key) { ControlKeyPress(key); };
    FDateTimePicker->SetFormat(FShowSeconds ? QStringLiteral("HH:mm:ss") : QStringLiteral("HH:mm"));
    FPanelHeight = FDateTimePicker->Height() + ClockPanelSize;
    FPanelCtrl->SetHeight(FPanelHeight);
}

// A live clock keeps its own time; otherwise the picker's time sets the clock,
// whose change then reaches the edit.
void TZvTimePickerDropDown::PickerChanged()
{
    if (FZvWatch && !FWatchSettings->Auto()) FZvWatch->SetTime(FDateTimePicker->Time());
}

// The panel is aligned to the pop-up's client before the base measures it,
// so the pop-up takes the panel's own size: 170 wide, the clock (and the time
// picker below it) plus the border high.
void TZvTimePickerDropDown::SizeDropDownForm()
{
    TZvCustomDropDown::SizeDropDownForm();
    TDropDownForm* form = DropDownForm();
    if (!form) return;
    const int width = DropDownWidth() > 0 ? DropDownWidth() : ClockPanelSize;
    const int height = DropDownHeight() > 0 ? DropDownHeight() : FPanelHeight + 2 * DropDownBorderWidth();
    form->SetBounds(form->Left(), form->Top(), width, height);
}

void TZvTimePickerDropDown::CloseDropDownForm(bool Cancel)
{
    const bool wasOpen = DroppedDown();
    TZvCustomDropDown::CloseDropDownForm(Cancel);
    if (!FZvWatch || !wasOpen) return;
    if (Cancel) {
        // The text the base restores is the one last written through Text,
        // which is empty when the time only came through Time: the time of
        // the opening comes back instead, text and clock alike.
        FTime = FTimeAtOpening + 1;
        SetTime(FTimeAtOpening);
        FZvWatch->SetTime(FTime);
    } else {
        SetTime(FZvWatch->Time());
    }
}

void TZvTimePickerDropDown::DropDownFormHidden()
{
    TZvCustomDropDown::DropDownFormHidden();
    if (FZvWatch) SetTime(FZvWatch->Time());
}

// The clock takes the appearance at each opening; a change in between waits for that.
void TZvTimePickerDropDown::WatchAppearanceChanged() {} // nothing to redraw while the pop-up is closed

void TZvTimePickerDropDown::WatchChanged()
{
    if (FDateTimePicker && FShowTimePicker && FDateTimePicker->Time() != FZvWatch->Time()) {
        FDateTimePicker->SetTime(FZvWatch->Time());
        if (OnTimeChange) OnTimeChange(this);
    }
    SetTime(FZvWatch->Time());
}

// ---- Time -------------------------------------------------------------------------------------------
void TZvTimePickerDropDown::SetTime(TDateTime Value)
{
    if (Value == FTime) return;
    FTime = Value;
    int h = 0, m = 0, s = 0, ms = 0;
    DecodeTime(Value, h, m, s, ms);
    const String text = FormatTime(h, m, s);
    const bool same = text == WindowText();
    AssignEditText(text);
    // An unchanged text raises no change notification; the time still drops its fractions.
    if (same) ParseEditText();
    if (DroppedDown() && FZvWatch) {
        FZvWatch->SetTime(Value);
        if (FShowTimePicker && FDateTimePicker) FDateTimePicker->SetTime(Value);
    }
}

void TZvTimePickerDropDown::SetText(const String& value)
{
    TZvCustomDropDown::SetText(FMask.Empty() ? value : FMask.Apply(value));
}

void TZvTimePickerDropDown::SetShowSeconds(bool Value)
{
    if (Value == FShowSeconds) return;
    FShowSeconds = Value;
    const TDateTime keep = FTime;
    {
        FInternalCall = true;
        TScopeExit reset([this] { FInternalCall = false; });
        FMask = TEditMask();
        AssignEditText(String());
    }
    FMask = TEditMask(MaskText());
    FTime = FTime + 1;
    SetTime(keep);
}

void TZvTimePickerDropDown::Change()
{
    TZvCustomDropDown::Change();
    ParseEditText();
}

void TZvTimePickerDropDown::ChangeHook() { Change(); }

bool TZvTimePickerDropDown::IsTimeTextShaped(const String& text) const
{
    const QChar s = Separator();
    const int first = int(text.indexOf(s));
    if (first < 0) return false;
    const String rest = text.mid(first + 1).trimmed();
    const int second = int(rest.indexOf(s));
    if ((second >= 0) != FShowSeconds) return false;
    if (second < 0) return true;
    return !rest.mid(second + 1).trimmed().contains(s);
}

void TZvTimePickerDropDown::ParseEditText()
{
    const String text = WindowText();
    if (text.isEmpty() || FInternalCall) return;
    if (text.trimmed().size() != (FShowSeconds ? 8 : 5)) return;
    if (!IsTimeTextShaped(text)) return;
    const QChar sep = Separator();
    const String t = BlanksToZeros(text);
    const int first = int(t.indexOf(sep));
    const String hourText = t.left(first).trimmed();
    const String rest = t.mid(first + 1).trimmed();
    String minuteText = rest;
    String secondText;
    if (FShowSeconds) {
        const int at = int(rest.indexOf(sep));
        minuteText = rest.left(at);
        secondText = rest.mid(at + 1).trimmed();
    }
    minuteText = minuteText.trimmed();
    int parts[3] = {0, 0, 0};
    const String* texts[3] = {&hourText, &minuteText, &secondText};
    for (int i = 0; i < (FShowSeconds ? 3 : 2); ++i) {
        if (!IsTimePartValid(*texts[i])) return;
        bool ok = true;
        parts[i] = texts[i]->isEmpty() ? 0 : texts[i]->toInt(&ok);
        if (!ok) return;
    }
    // An hour above 23 or a minute or second above 59 is refused quietly: the time stays.
    TDateTime parsed = 0;
    if (!TryEncodeTime(parts[0], parts[1], parts[2], 0, parsed)) return;
    FTime = parsed;
    const String formatted = FormatTime(parts[0], parts[1], parts[2]);
    if (formatted != text && parts[1] == 0 && parts[2] == 0) {
        FInternalCall = true;
        TScopeExit reset([this] { FInternalCall = false; });
        AssignEditText(formatted);
    }
}

// ---- Keys ---------------------------------------------------------------------------------------------
void TZvTimePickerDropDown::KeyDown(WORD& Key, TShiftState Shift) { KeyDownHook(Key, Shift); }

void TZvTimePickerDropDown::KeyDownHook(WORD& Key, TShiftState Shift)
{
    TZvCustomDropDown::KeyDownHook(Key, Shift);
    if (GetKeyState(VK_MENU) < 0 || Shift.Contains(ssAlt) || Shift.Contains(ssCtrl)) return;
    if (Key != VK_UP && Key != VK_DOWN) return;
    const String text = WindowText();
    const int p = SelStart();
    int h = 0, m = 0, s = 0, ms = 0;
    DecodeTime(FTime, h, m, s, ms);
    const QChar sep = Separator();
    const int a = int(text.indexOf(sep)) + 1;
    int part = 0;
    if (p >= a) {
        const int b = int(text.mid(a).indexOf(sep)) + 1;
        part = (b > 0 && p - a >= b && FShowSeconds) ? 2 : 1;
    }
    const int delta = Key == VK_DOWN ? 1 : -1;
    const int values[3] = {h, m, s};
    const int range = part == 0 ? 24 : 60;
    SetPart(part, (values[part] + delta + range) % range);
    SetSelStart(p);
}

void TZvTimePickerDropDown::SetHourPart(int V) { SetPart(0, V); }
void TZvTimePickerDropDown::SetMinutePart(int V) { SetPart(1, V); }
void TZvTimePickerDropDown::SetSecondPart(int V) { SetPart(2, V); }

void TZvTimePickerDropDown::SetPart(int part, int V)
{
    int v[4] = {0, 0, 0, 0};
    DecodeTime(FTime, v[0], v[1], v[2], v[3]);
    if (V == v[part] || V < 0 || V > (part == 0 ? 23 : 59)) return;
    v[part] = V;
    SetTime(EncodeTime(v[0], v[1], v[2], v[3]));
    if (OnTimeChange) OnTimeChange(this);
}

// Up and Down step the time whether or not the edit takes typing; the other
// keys go the base's way.
void TZvTimePickerDropDown::WMKeyDown(TWMKey& Message)
{
    WORD key = WORD(Message.CharCode);
    const bool alt = GetKeyState(VK_MENU) < 0;
    if ((key == VK_UP || key == VK_DOWN) && !alt) {
        const TShiftState shift = KeyDataToShiftState(Message.KeyData) + KeysToShiftState(0);
        KeyDownHook(key, shift);
        Message.CharCode = 0;
        return;
    }
    if (key == VK_DELETE && EditorEnabled() && !ReadOnly() && !FMask.Empty() && GetKeyState(VK_SHIFT) >= 0) {
        TShiftState shift = KeyDataToShiftState(Message.KeyData);
        KeyDownHook(key, shift);
        if (key == 0) return;
        ApplyMaskEdit(FMask.Delete(WindowText(), SelStart(), SelLength()));
        Message.CharCode = 0;
        return;
    }
    TZvCustomDropDown::WMKeyDown(Message);
}

// The arrows are the edit's (Up and Down step the time), not the form's focus keys.
void TZvTimePickerDropDown::WMGetDlgCode(TWMGetDlgCode& Message)
{
    TZvCustomDropDown::WMGetDlgCode(Message);
    Message.Result |= DLGC_WANTARROWS | DLGC_WANTCHARS;
}

// Typing fills the mask's positions in place.
void TZvTimePickerDropDown::WMChar(TWMKey& Message)
{
    const char16_t c = char16_t(Message.CharCode);
    if (!EditorEnabled() || ReadOnly() || FMask.Empty() || (c < 32 && c != 8) || GetKeyState(VK_CONTROL) < 0) {
        TZvCustomDropDown::WMChar(Message);
        return;
    }
    if (DoKeyPress(Message)) return;
    const QChar key(char16_t(Message.CharCode));
    if (key.unicode() == 8) ApplyMaskEdit(FMask.Backspace(WindowText(), SelStart(), SelLength()));
    else ApplyMaskEdit(FMask.Type(WindowText(), SelStart(), SelLength(), key));
}

// A paste under the mask goes in as typing does: each character fills the
// next position that takes it, the selection blanked first. Put in place of
// the selection as plain text, one digit pasted before "34" would push the
// minutes into the seconds and the last digit out of the text.
void TZvTimePickerDropDown::Dispatch(TMessage& Message)
{
    if (Message.Msg == WM_PASTE && !FMask.Empty()) {
        PasteThroughMask();
        return;
    }
    TZvCustomDropDown::Dispatch(Message);
}

void TZvTimePickerDropDown::PasteThroughMask()
{
    const String clip = QGuiApplication::clipboard()->text();
    if (ReadOnly() || clip.isEmpty()) return;
    String text = WindowText();
    int caret = SelStart();
    int selection = SelLength();
    bool typed = false;
    for (QChar c : clip) {
        const TEditMask::TEditResult r = FMask.Type(text, caret, selection, c);
        // A character no position takes is left out; the rest still go in.
        if (!r.Accepted) continue;
        text = r.Text;
        caret = r.Caret;
        selection = 0;
        typed = true;
    }
    if (!typed) return;
    bool allow = true;
    if (OnClipboardPaste) OnClipboardPaste(this, text, allow);
    if (!allow) return;
    ApplyMaskEdit({true, text, caret});
}

void TZvTimePickerDropDown::ApplyMaskEdit(const TEditMask::TEditResult& r)
{
    if (!r.Accepted) return;
    WriteWindowText(r.Text, r.Caret);
    SetModifiedState(true);
}

// Page Up, Page Down, Up and Down set the clock in the pop-up; with Alt they go to the edit (Alt+Up closes).
void TZvTimePickerDropDown::FormKeyDown(WORD& Key, TShiftState Shift)
{
    if (!IsUpDown(Key) || Shift.Contains(ssAlt)) TZvCustomDropDown::FormKeyDown(Key, Shift);
    if (DropDownForm() && DropDownForm()->Visible() && FZvWatch) FZvWatch->ClockKeyDown(Key);
}

void TZvTimePickerDropDown::FormKeyUp(WORD& Key, TShiftState Shift)
{
    if (!IsUpDown(Key) || Shift.Contains(ssAlt)) TZvCustomDropDown::FormKeyUp(Key, Shift);
}

void TZvTimePickerDropDown::ControlKeyDown(WORD& Key, TShiftState Shift)
{
    if (!IsUpDown(Key) || Shift.Contains(ssAlt)) TZvCustomDropDown::ControlKeyDown(Key, Shift);
}

void TZvTimePickerDropDown::ControlKeyUp(WORD& Key, TShiftState Shift)
{
    if (!IsUpDown(Key) || Shift.Contains(ssAlt)) TZvCustomDropDown::ControlKeyUp(Key, Shift);
}

// Characters typed in the time picker reach the edit as characters.
void TZvTimePickerDropDown::ControlKeyPress(QChar& Key) { TZvCustomDropDown::ControlKeyPress(Key); }
