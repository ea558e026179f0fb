// The spin edit, its button pair and the repeating arrow button.

#include "grid/editors/ZvSpinEdit.h"

#include "grid/ZvGrid.h"
#include "grid/editors/ZvCellEditorRegistry.h"
#include "grid/support/ZvGridUtil.h"

#include "platform/FrameControls.h"
#include "platform/ScopeGuard.h"

#include <cmath>

namespace {
constexpr unsigned FirstRepeatMs = 400;
constexpr unsigned NextRepeatMs = 100;
constexpr int ButtonPairWidth = 15;

// The 1-based position of the n-th (1, 2) separator in the text, 0 when missing.
int SeparatorPos(const String& text, QChar sep, int n)
{
    int from = 0;
    for (int i = 0; i < n; ++i) {
        const int at = int(text.indexOf(sep, from));
        if (at < 0) return 0;
        if (i == n - 1) return at + 1;
        from = at + 1;
    }
    return 0;
}

// A year step that keeps month and day; 29 February in a common year becomes the 28th.
TDateTime AddYears(TDateTime value, int years)
{
    int y = 0, m = 0, d = 0;
    DecodeDate(value, y, m, d);
    const int year = std::clamp(y + years, 1, 9999);
    return EncodeDate(year, m, std::min(d, DaysInAMonth(year, m)));
}

// A calendar month step, the day clamped to the month's end; the time of day stays.
TDateTime AddMonths(TDateTime value, int months)
{
    int y = 0, m = 0, d = 0;
    DecodeDate(value, y, m, d);
    int index = y * 12 + (m - 1) + months;
    index = std::clamp(index, 12, 9999 * 12 + 11);
    const int year = index / 12;
    const int month = index % 12 + 1;
    const TDateTime date = EncodeDate(year, month, std::min(d, DaysInAMonth(year, month)));
    const double time = value - std::floor(value);
    return date + time;
}
}   // namespace

// ---- TZvTimerSpeedButton ----------------------------------------------------------------------
TZvTimerSpeedButton::TZvTimerSpeedButton(TComponent* AOwner, TAsgSpinButton* APair) : TSpeedButton(AOwner), FPair(APair)
{
}

TZvTimerSpeedButton::~TZvTimerSpeedButton() = default;

void TZvTimerSpeedButton::SetButtonDirection(TButtonDirection value)
{
    FButtonDirection = value;
    Invalidate();
}

void TZvTimerSpeedButton::SetIsWinXP(bool value)
{
    FIsWinXP = value;
    Invalidate();
}

void TZvTimerSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TSpeedButton::MouseDown(Button, Shift, X, Y);
    if (Button == TMouseButton::mbLeft && FPair) FPair->ButtonPressed(this);
    if (Button == TMouseButton::mbLeft && FTimeBtnState.Contains(TTimeBtnStateItem::tbAllowTimer)) {
        if (!FRepeatTimer) {
            FRepeatTimer = new TTimer(this);
            FRepeatTimer->SetEnabled(false);
            FRepeatTimer->OnTimer = [this](TObject* Sender) { TimerExpired(Sender); };
        }
        FRepeatTimer->SetInterval(FirstRepeatMs);
        FRepeatTimer->SetEnabled(true);
    }
    if (Parent()) Parent()->Invalidate();
}

void TZvTimerSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TSpeedButton::MouseUp(Button, Shift, X, Y);
    if (FRepeatTimer) FRepeatTimer->SetEnabled(false);
    if (Parent()) Parent()->Invalidate();
}

void TZvTimerSpeedButton::TimerExpired(TObject*)
{
    FRepeatTimer->SetInterval(NextRepeatMs);
    if (State() != TSpeedButtonState::bsDown || !Dragging()) return;
    // A click that fails stops the repeating.
    TScopeExit stop([this] { FRepeatTimer->SetEnabled(false); });
    Click();
    stop.Dismiss();
}

void TZvTimerSpeedButton::MouseEnter()
{
    TSpeedButton::MouseEnter();
    FHasMouse = true;
    Invalidate();
}

void TZvTimerSpeedButton::MouseLeave()
{
    TSpeedButton::MouseLeave();
    FHasMouse = false;
    Invalidate();
}

void TZvTimerSpeedButton::Paint()
{
    TCanvas& c = *Canvas();
    TRect r = ClientRect();
    const bool down = State() == TSpeedButtonState::bsDown;
    if (FPair && FPair->ButtonColor != clNone) {
        const TColor back = down ? FPair->ButtonColorDown : FHasMouse ? FPair->ButtonColorHot : FPair->ButtonColor;
        c.Brush()->SetStyle(TBrushStyle::bsSolid);
        c.Brush()->SetColor(back == clNone ? FPair->ButtonColor : back);
        c.Pen()->SetColor(c.Brush()->Color());
        c.Rectangle(r);
        std::vector<TPoint> tri;
        const int x = r.Left, y = r.Top;
        switch (FButtonDirection) {
        case TButtonDirection::bdLeft: tri = {{x + 5, y + 5}, {x + 3, y + 7}, {x + 5, y + 9}}; break;
        case TButtonDirection::bdRight: tri = {{x + 3, y + 5}, {x + 5, y + 7}, {x + 3, y + 9}}; break;
        case TButtonDirection::bdUp: tri = {{x + 4, y + 4}, {x + 8, y + 4}, {x + 6, y + 2}}; break;
        case TButtonDirection::bdDown: tri = {{x + 4, y + 2}, {x + 8, y + 2}, {x + 6, y + 4}}; break;
        }
        c.Brush()->SetColor(clBlack);
        c.Pen()->SetColor(clBlack);
        c.Polygon(tri);
        return;
    }
    unsigned kind = DFCS_SCROLLUP;
    switch (FButtonDirection) {
    case TButtonDirection::bdLeft: kind = DFCS_SCROLLLEFT; break;
    case TButtonDirection::bdRight: kind = DFCS_SCROLLRIGHT; break;
    case TButtonDirection::bdUp: kind = DFCS_SCROLLUP; break;
    case TButtonDirection::bdDown: kind = DFCS_SCROLLDOWN; break;
    }
    if (down) kind |= DFCS_PUSHED;
    else if (FHasMouse && FIsWinXP) kind |= DFCS_HOT;
    if (Flat()) kind |= DFCS_FLAT;
    DrawFrameControl(c, r, DFC_SCROLL, kind);
}

// ---- TAsgSpinButton ---------------------------------------------------------------------------
TAsgSpinButton::TAsgSpinButton(TComponent* AOwner) : TWinControl(AOwner)
{
    FControlStyle = TControlStyle{csClickEvents, csOpaque};
    FUpButton = new TZvTimerSpeedButton(this, this);
    FDownButton = new TZvTimerSpeedButton(this, this);
    for (TZvTimerSpeedButton* b : {FUpButton, FDownButton}) {
        b->SetParent(this);
        b->SetTimeBtnState(TTimeBtnState{TTimeBtnStateItem::tbAllowTimer});
        b->OnClick = [this](TObject* Sender) { ButtonClicked(Sender); };
    }
    FUpButton->SetButtonDirection(TButtonDirection::bdUp);
    FDownButton->SetButtonDirection(TButtonDirection::bdDown);
    FFocusedButton = FUpButton;
    SetTabStop(false);
    SetBounds(0, 0, ButtonPairWidth, 25);
}

void TAsgSpinButton::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    const int minWidth = FDirection == TSpinDirection::spVertical ? 15 : 20;
    TWinControl::SetBounds(ALeft, ATop, std::max(AWidth, minWidth), AHeight);
    LayoutButtons();
}

void TAsgSpinButton::LayoutButtons()
{
    if (!FUpButton || !FDownButton) return;
    const int w = Width(), h = Height();
    if (FDirection == TSpinDirection::spVertical) {
        const int half = h / 2;
        FUpButton->SetBounds(0, 0, w, half);
        FDownButton->SetBounds(0, half - 1, w, h - half + 1);
    } else {
        const int half = w / 2;
        FDownButton->SetBounds(0, 0, half, h);
        FUpButton->SetBounds(half + 1, 0, w - half - 1, h);
    }
}

void TAsgSpinButton::SetDirection(TSpinDirection value)
{
    FDirection = value;
    const bool vertical = value == TSpinDirection::spVertical;
    FUpButton->SetButtonDirection(vertical ? TButtonDirection::bdUp : TButtonDirection::bdRight);
    FDownButton->SetButtonDirection(vertical ? TButtonDirection::bdDown : TButtonDirection::bdLeft);
    SetBounds(Left(), Top(), vertical ? 15 : 20, Height());
}

void TAsgSpinButton::SetFocusControl(TWinControl* value)
{
    if (FFocusControl == value) return;
    if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
    FFocusControl = value;
    if (value) value->FreeNotification(this);
}

void TAsgSpinButton::Notification(TComponent* AComponent, TComponent::TOperation Operation)
{
    TWinControl::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

void TAsgSpinButton::SetXPLook(bool value)
{
    FIsWinXP = value;
    FUpButton->SetIsWinXP(value);
    FDownButton->SetIsWinXP(value);
}

void TAsgSpinButton::ButtonPressed(TZvTimerSpeedButton* Button)
{
    if (TabStop() && CanFocus()) FFocusedButton = Button;
    if (FFocusControl && FFocusControl->TabStop() && FFocusControl->CanFocus() && !FFocusControl->Focused())
        FFocusControl->SetFocus();
    else if (TabStop() && CanFocus() && !Focused())
        SetFocus();
}

void TAsgSpinButton::ButtonClicked(TObject* Sender)
{
    if (Sender == FUpButton) {
        if (OnUpClick) OnUpClick(this);
    } else if (OnDownClick) {
        OnDownClick(this);
    }
}

void TAsgSpinButton::KeyDown(WORD& Key, TShiftState Shift)
{
    TWinControl::KeyDown(Key, Shift);
    switch (Key) {
    case VK_SPACE: FFocusedButton->Click(); break;
    case VK_UP:
        FFocusedButton = FUpButton;
        FUpButton->Click();
        break;
    case VK_DOWN:
        FFocusedButton = FDownButton;
        FDownButton->Click();
        break;
    default: break;
    }
}

void TAsgSpinButton::WMGetDlgCode(TWMGetDlgCode& Message) { Message.Result = DLGC_WANTARROWS; }

// ---- TAsgSpinEdit: values ------------------------------------------------------------------------
TAsgSpinEdit::TAsgSpinEdit(TComponent* AOwner) : TEdit(AOwner)
{
    FButton = new TAsgSpinButton(this);
    FButton->SetBounds(0, 0, 15, 17);
    FButton->SetParent(this);
    FButton->SetFocusControl(this);
    FButton->OnUpClick = [this](TObject* Sender) { StepUpDefault(Sender); };
    FButton->OnDownClick = [this](TObject* Sender) { StepDownDefault(Sender); };
    SetText(QStringLiteral("0"));
}

int TAsgSpinEdit::Value()
{
    const String text = Text().trimmed();
    if (text.isEmpty()) return 0;
    bool ok = false;
    const int v = text.toInt(&ok);
    return ok ? v : FMinValue;
}

void TAsgSpinEdit::SetValue(int value)
{
    SetText(String::number(ClampInt(value)));
    if (!FEditorEnabled) SelectAll();
}

double TAsgSpinEdit::FloatValue()
{
    double v = 0;
    // An unreadable text reads the float minimum, not the integer one.
    if (!TryStrToFloat(Text().trimmed(), v)) return FMinFloatValue;
    return v;
}

String TAsgSpinEdit::FormatFloatValue(double value) const
{
    if (FPrecision != 0) return FloatToStrF(value, TFloatFormat::ffFixed, 15, FPrecision);
    return FloatToStr(value);
}

void TAsgSpinEdit::SetFloatValue(double value)
{
    SetText(FormatFloatValue(ClampFloat(value)));
    if (!FEditorEnabled) SelectAll();
}

TDateTime TAsgSpinEdit::DateValue()
{
    const String text = Text().trimmed();
    if (text.isEmpty() || text == QStringLiteral("0")) return Now();
    TDateTime v = 0;
    if (!TryStrToDate(text, v)) return FMinDateValue;
    return v;
}

void TAsgSpinEdit::SetDateValue(TDateTime value)
{
    FDateValue = value;
    if (FLoading) return;
    SetTextKeepCaret(DateToStr(ClampDate(value)));
}

String TAsgSpinEdit::TimeFormat() const
{
    return FShowSeconds ? FormatSettings().LongTimeFormat : QStringLiteral("h:nn");
}

TDateTime TAsgSpinEdit::TimeValue()
{
    TDateTime v = 0;
    if (!TryStrToTime(Text().trimmed(), v)) return 0;
    return v;
}

void TAsgSpinEdit::SetTimeValue(TDateTime value)
{
    FTimeValue = value;
    if (FLoading) return;
    SetTextKeepCaret(FormatDateTime(TimeFormat(), ClampDate(value)));
}

void TAsgSpinEdit::SetTextKeepCaret(const String& text)
{
    const int caret = SelStart();
    SetText(text);
    SetSelStart(caret);
    if (!FEditorEnabled) SelectAll();
}

void TAsgSpinEdit::Loaded()
{
    FLoading = false;
    if (FSpinType == TAsgSpinType::sptDate) SetDateValue(FDateValue);
    else if (FSpinType == TAsgSpinType::sptTime) SetTimeValue(FTimeValue);
    SetSpinType(FSpinType);
}

int TAsgSpinEdit::ClampInt(int value) const
{
    if (FMinValue == FMaxValue) return value;
    return std::clamp(value, std::min(FMinValue, FMaxValue), std::max(FMinValue, FMaxValue));
}

double TAsgSpinEdit::ClampFloat(double value) const
{
    if (FMinFloatValue == FMaxFloatValue) return value;
    if (value < FMinFloatValue) return FMinFloatValue;
    if (value > FMaxFloatValue) return FMaxFloatValue;
    return value;
}

TDateTime TAsgSpinEdit::ClampDate(TDateTime value) const
{
    if (FMinDateValue == FMaxDateValue) return value;
    if (value < FMinDateValue) return FMinDateValue;
    if (value > FMaxDateValue) return FMaxDateValue;
    return value;
}

void TAsgSpinEdit::SetSpinType(TAsgSpinType value)
{
    FSpinType = value;
    switch (value) {
    case TAsgSpinType::sptNormal: SetValue(Value()); break;
    case TAsgSpinType::sptFloat: SetFloatValue(FloatValue()); break;
    case TAsgSpinType::sptDate: SetDateValue(DateValue()); break;
    case TAsgSpinType::sptTime: SetTimeValue(TimeValue()); break;
    }
}

void TAsgSpinEdit::SetPrecision(int value)
{
    FPrecision = value;
    if (FSpinType == TAsgSpinType::sptFloat) SetFloatValue(FloatValue());
}

void TAsgSpinEdit::SetEditAlign(TEditAlign value)
{
    FEditAlign = value;
    SetAlignment(value == TEditAlign::eaRight    ? TAlignment::taRightJustify
                 : value == TEditAlign::eaCenter ? TAlignment::taCenter
                                                 : TAlignment::taLeftJustify);
}

void TAsgSpinEdit::SetDirection(TSpinDirection value)
{
    FDirection = value;
    FButton->SetDirection(value);
    LayoutButton();
}

void TAsgSpinEdit::SetSpinFlat(bool value)
{
    FSpinFlat = value;
    FButton->UpButton()->SetFlat(value);
    FButton->DownButton()->SetFlat(value);
}

void TAsgSpinEdit::SetSpinTransparent(bool value)
{
    FSpinTransparent = value;
    FButton->Invalidate();
}

void TAsgSpinEdit::SetXPLook(bool value)
{
    FIsWinXP = value;
    FButton->SetXPLook(value);
}

// ---- TAsgSpinEdit: stepping ------------------------------------------------------------------------
void TAsgSpinEdit::StepUp(bool Page) { Step(1, Page); }

void TAsgSpinEdit::StepDown(bool Page) { Step(-1, Page); }

void TAsgSpinEdit::StepUpDefault(TObject*) { StepUp(false); }

void TAsgSpinEdit::StepDownDefault(TObject*) { StepDown(false); }

void TAsgSpinEdit::Step(int Sign, bool Page)
{
    if (ReadOnly()) {
        MessageBeep();
        return;
    }
    const TFormatSettings& fs = FormatSettings();
    switch (FSpinType) {
    case TAsgSpinType::sptNormal: SetValue(Value() + Sign * FIncrement); break;
    case TAsgSpinType::sptFloat: SetFloatValue(FloatValue() + Sign * (Page ? FIncrementFloatPage : FIncrementFloat)); break;
    case TAsgSpinType::sptDate: {
        const String format = fs.ShortDateFormat.toUpper();
        FUsDates = format.indexOf('M') < format.indexOf('D');
        const String text = Text();
        const int p = SelStart();
        const int s1 = SeparatorPos(text, fs.DateSeparator, 1);
        const int s2 = SeparatorPos(text, fs.DateSeparator, 2);
        const TDateTime value = DateValue();
        enum { Day, Month, Year } part = Year;
        if (p < s1) part = FUsDates ? Month : Day;
        else if (p < s2) part = FUsDates ? Day : Month;
        TDateTime next = value;
        if (part == Day) next = value + Sign;
        else if (part == Month) next = AddMonths(value, Sign);
        else next = AddYears(value, Sign);
        SetDateValue(next);
        break;
    }
    case TAsgSpinType::sptTime: {
        const String text = Text();
        const int p = SelStart();
        const int t1 = SeparatorPos(text, fs.TimeSeparator, 1);
        const int t2 = SeparatorPos(text, fs.TimeSeparator, 2);
        double delta = 0;
        if (p < t1) delta = FIncrementHours / 24.0;
        else if (FShowSeconds && t2 > 0 && p >= t2) delta = FIncrementSeconds / 86400.0;
        else delta = FIncrementMinutes / 1440.0;
        double t = TimeValue();
        t = t - std::floor(t);
        if (Sign > 0) {
            t += delta;
            if (t >= 1) t -= std::floor(t);
        } else {
            t = t + 1 - delta;
            if (t >= 1) t -= 1;
            if (t < 0) t += 1;
        }
        // Rounded to the millisecond, so that 23:30 less nothing stays 23:30:00.
        t = std::round(t * MSecsPerDay) / MSecsPerDay;
        if (t >= 1) t = 0;
        SetTimeValue(t);
        break;
    }
    }
}

// ---- TAsgSpinEdit: keys ------------------------------------------------------------------------
bool TAsgSpinEdit::AcceptsChar(QChar Key)
{
    const TFormatSettings& fs = FormatSettings();
    const char16_t k = Key.unicode();
    if (k == 8) return FEditorEnabled;
    const bool isDigit = k >= '0' && k <= '9';
    bool result = Key == fs.DecimalSeparator || Key == fs.ThousandSeparator || Key == fs.TimeSeparator ||
                  Key == fs.DateSeparator || isDigit || k == '-';
    if (!result) result = k < 32 && k != 13;
    const bool numberKind = FSpinType == TAsgSpinType::sptNormal || FSpinType == TAsgSpinType::sptFloat;
    auto sharedSeparator = [&](QChar sep) {
        return sep == fs.DecimalSeparator || sep == fs.ThousandSeparator || sep == QChar('-') || sep == QChar('+');
    };
    if (Key == fs.TimeSeparator && FSpinType != TAsgSpinType::sptTime)
        result = sharedSeparator(fs.TimeSeparator) ? result && numberKind : false;
    if (Key == fs.DateSeparator && FSpinType != TAsgSpinType::sptDate)
        result = sharedSeparator(fs.DateSeparator) ? result && numberKind : false;
    const String text = Text();
    const String sel = SelText();
    if (k == '-') {
        if (!text.contains('-') || sel.contains('-')) result = result && SelStart() == 0;
        else result = false;
    }
    switch (FSpinType) {
    case TAsgSpinType::sptNormal: result = result && (isDigit || k == '-'); break;
    case TAsgSpinType::sptFloat:
        if (k != 27 && k != 13 && k != 8) {
            if (Key == fs.ThousandSeparator && Key != fs.DecimalSeparator) result = false;
            if (Key == fs.DecimalSeparator && text.contains(Key) && !sel.contains(Key)) result = false;
            const int d = int(text.indexOf(fs.DecimalSeparator)) + 1;
            if (FPrecision > 0 && d > 0 && SelStart() >= d && SelLength() == 0 && result)
                result = text.size() < d + FPrecision;
        }
        break;
    case TAsgSpinType::sptTime:
        if (Key == fs.TimeSeparator && text.count(fs.TimeSeparator) >= 2) result = false;
        break;
    case TAsgSpinType::sptDate: break;
    }
    if (!FEditorEnabled && k >= 32) result = false;
    return result;
}

void TAsgSpinEdit::WMKeyDown(TWMKey& Message)
{
    switch (Message.CharCode) {
    case VK_UP: StepUp(false); return;
    case VK_DOWN: StepDown(false); return;
    case VK_PRIOR: StepUp(true); return;
    case VK_NEXT: StepDown(true); return;
    default: break;
    }
    TEdit::WMKeyDown(Message);
}

void TAsgSpinEdit::KeyDown(WORD& Key, TShiftState Shift)
{
    TEdit::KeyDown(Key, Shift);
    if (Key == VK_RETURN && FReturnIsTab) {
        Key = VK_TAB;
        PostMessage(Handle(), WM_KEYDOWN, VK_TAB, 0);
    }
    if (Key == VK_DELETE && !FEditorEnabled) Key = 0;
}

void TAsgSpinEdit::WMChar(TWMKey& Message)
{
    const bool keypadDecimal = (KeyDataScanCode(Message.KeyData) & 0x40) != 0;
    if (Message.CharCode == '.' && keypadDecimal && FExcelStyleDecimalSeparator)
        Message.CharCode = FormatSettings().DecimalSeparator.unicode();
    TEdit::WMChar(Message);
}

void TAsgSpinEdit::KeyPress(QChar& Key)
{
    TEdit::KeyPress(Key);
    if (Key.isNull()) return;
    if (!AcceptsChar(Key)) {
        Key = QChar(0);
        MessageBeep();
    }
}

void TAsgSpinEdit::WndProc(TMessage& Message)
{
    if ((Message.Msg == WM_CUT || Message.Msg == WM_PASTE) && (!FEditorEnabled || ReadOnly())) return;
    TEdit::WndProc(Message);
}

// ---- TAsgSpinEdit: focus and layout ------------------------------------------------------------------
void TAsgSpinEdit::CMEnter(TMessage& Message)
{
    const bool byClick = GetKeyState(VK_LBUTTON) < 0;
    if (AutoSelect() && !(byClick && FEditorEnabled)) SelectAll();
    TEdit::CMEnter(Message);
}

void TAsgSpinEdit::CMExit(TMessage& Message)
{
    TEdit::CMExit(Message);
    switch (FSpinType) {
    case TAsgSpinType::sptNormal: {
        const int v = Value();
        if (ClampInt(v) != v) SetValue(v);
        break;
    }
    case TAsgSpinType::sptFloat: {
        const double v = FloatValue();
        if (ClampFloat(v) != v) SetFloatValue(v);
        break;
    }
    case TAsgSpinType::sptDate: {
        const TDateTime v = DateValue();
        if (ClampDate(v) != v) SetDateValue(v);
        break;
    }
    case TAsgSpinType::sptTime: {
        const TDateTime v = TimeValue();
        if (ClampDate(v) != v) SetTimeValue(v);
        break;
    }
    }
}

void TAsgSpinEdit::CreateWnd()
{
    TEdit::CreateWnd();
    SetEditAlign(FEditAlign);
    SetEditRect();
}

void TAsgSpinEdit::SetEditRect()
{
    constexpr int m = 3;
    SetTextMargins(TRect{0, 0, FButton->Width() + m + 2, 0});
}

int TAsgSpinEdit::MinHeight()
{
    TBitmap probe;
    probe.Canvas()->SetFont(Font());
    const int h = probe.Canvas()->TextHeight(QStringLiteral("Wg"));
    TFont system;
    probe.Canvas()->SetFont(&system);
    const int s = probe.Canvas()->TextHeight(QStringLiteral("Wg"));
    return h + std::min(h, s) / 4 + 2;
}

void TAsgSpinEdit::WMSize(TWMSize& Message)
{
    TEdit::WMSize(Message);
    LayoutButton();
}

void TAsgSpinEdit::LayoutButton()
{
    const int minHeight = MinHeight();
    if (Height() < minHeight) {
        SetBounds(Left(), Top(), Width(), minHeight);
        return;
    }
    FButton->SetBounds(ClientWidth() - FButton->Width(), 1, FButton->Width(), std::max(0, Height() - 3));
    SetEditRect();
}

// The arrow keys step the value; they never move the focus.
void TAsgSpinEdit::WMGetDlgCode(TWMGetDlgCode& Message)
{
    TEdit::WMGetDlgCode(Message);
    Message.Result |= DLGC_WANTARROWS | DLGC_WANTCHARS;
}

// ==== The grid's spin cell editor =====================================================================
TGridSpin::TGridSpin(TComponent* AOwner) : TAsgSpinEdit(AOwner), FGrid(OwningGrid(AOwner))
{
    SetMaxValue(100);
    SetMinValue(0);
    SetIncrement(1);
}

void TGridSpin::BeginCellEdit(TZvStringGrid* Grid, const TZvCellEditStart& Start)
{
    FGrid = Grid;
    // The kind is set first, so that the value below is written in its form.
    switch (Grid->CurrentEditor()) {
    case TEditorType::edFloatSpinEdit: {
        SetSpinType(TAsgSpinType::sptFloat);
        TFormatSettings dot = FormatSettings();
        dot.DecimalSeparator = u'.';
        double v = 0;
        SetFloatValue(TryStrToFloat(CleanNumericText(Start.Text), v, dot) ? v : 0.0);
        break;
    }
    case TEditorType::edTimeSpinEdit:
        SetSpinType(TAsgSpinType::sptTime);
        SetText(Start.Text);
        break;
    case TEditorType::edDateSpinEdit: {
        SetSpinType(TAsgSpinType::sptDate);
        TDateTime v = 0;
        SetDateValue(!Start.Text.trimmed().isEmpty() && TryStrToDate(Start.Text, v) ? v : Now());
        break;
    }
    default:
        SetSpinType(TAsgSpinType::sptNormal);
        SetValue(StrToIntDef(Start.Text.trimmed(), 0));
        break;
    }
    PlaceOverCell(this, Start.Cell);
    SetEnabled(true);
    SetVisible(true);
    FocusWithStartChar(this, Start.StartChar);
}

String TGridSpin::EditorText()
{
    switch (SpinType()) {
    case TAsgSpinType::sptNormal: return IntToStr(Value());
    case TAsgSpinType::sptFloat:
        return FGrid->FloatsText(FGrid->EditorRealCol(), FGrid->Row(), FloatValue());
    case TAsgSpinType::sptDate: return DateToStr(DateValue());
    case TAsgSpinType::sptTime: break;
    }
    return Text();
}

void TGridSpin::EndCellEdit() { DisableAndHide(this); }

void TGridSpin::FireStep(bool Up)
{
    const int col = FGrid->Col(), row = FGrid->Row();
    switch (SpinType()) {
    case TAsgSpinType::sptNormal:
        if (FGrid->OnSpinClick) FGrid->OnSpinClick(FGrid, col, row, Value(), Up);
        break;
    case TAsgSpinType::sptFloat:
        if (FGrid->OnFloatSpinClick) FGrid->OnFloatSpinClick(FGrid, col, row, FloatValue(), Up);
        break;
    case TAsgSpinType::sptDate:
        if (FGrid->OnDateSpinClick) FGrid->OnDateSpinClick(FGrid, col, row, DateTimeToQDateTime(DateValue()), Up);
        break;
    case TAsgSpinType::sptTime:
        if (FGrid->OnTimeSpinClick) FGrid->OnTimeSpinClick(FGrid, col, row, DateTimeToQDateTime(TimeValue()), Up);
        break;
    }
}

void TGridSpin::StepUpDefault(TObject* Sender)
{
    TAsgSpinEdit::StepUpDefault(Sender);
    FireStep(true);
}

void TGridSpin::StepDownDefault(TObject* Sender)
{
    TAsgSpinEdit::StepDownDefault(Sender);
    FireStep(false);
}

void TGridSpin::Change()
{
    TAsgSpinEdit::Change();
    if (FGrid && FGrid->OnEditChange) FGrid->OnEditChange(FGrid, FGrid->Col(), FGrid->Row(), Text());
}

void TGridSpin::WMChar(TWMKey& Message)
{
    if (Message.CharCode == VK_TAB || Message.CharCode == VK_RETURN) {
        Message.Result = 0;
        return;
    }
    TAsgSpinEdit::WMChar(Message);
}

void TGridSpin::KeyPress(QChar& Key)
{
    if (Key == QChar(VK_ESCAPE)) Key = QChar();
    if (Key == QChar(VK_RETURN)) return;
    TAsgSpinEdit::KeyPress(Key);
}

void TGridSpin::WMGetDlgCode(TWMGetDlgCode& Message)
{
    TAsgSpinEdit::WMGetDlgCode(Message);
    Message.Result |= DLGC_WANTALLKEYS;
    if (FGrid->Options().Contains(goTabs)) Message.Result |= DLGC_WANTTAB;
}

void TGridSpin::KeyDown(WORD& Key, TShiftState Shift)
{
    const bool normal = SpinType() == TAsgSpinType::sptNormal, isFloat = SpinType() == TAsgSpinType::sptFloat;
    if (Key == VK_HOME || Key == VK_END) {
        const bool home = Key == VK_HOME;
        if (normal) SetValue(home ? MaxValue() : MinValue());
        if (isFloat) SetFloatValue(home ? MaxFloatValue() : MinFloatValue());
        if (FGrid->OnSpinClick) FGrid->OnSpinClick(FGrid, FGrid->Col(), FGrid->Row(), Value(), home);
    }
    if (Key == VK_ESCAPE) {
        SetText(FGrid->OriginalCellValue());
        if (normal) SetValue(StrToIntDef(Text().trimmed(), MinValue()));
        if (isFloat) SetFloatValue(StrToFloatDef(Text().trimmed(), MinFloatValue()));
    }
    if (Key == VK_TAB || Key == VK_RETURN) {
        const String text = EditorText();
        FGrid->SetCurrentCell(text);
        if (!FGrid->ValidateCell(text)) {
            SetText(FGrid->CurrentCell());
            SetSelStart(Text().size());
            Key = 0;
            FGrid->SetNoAutoAdvance(true);
            Invalidate();
            return;
        }
        SetText(FGrid->CurrentCell());
    }
    if (Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE) {
        if (Key == VK_TAB && FGrid->Options().Contains(goTabs)) {
            TabToNextCell(FGrid);
            Key = 0;
            return;
        }
        FGrid->DoneInplaceEdit(Key, Shift);
        if (FGrid->Navigation()->AdvanceOnEnter() && FGrid->Navigation()->AdvanceAutoEdit()) FGrid->ShowInplaceEdit();
        Key = 0;
    }
    TAsgSpinEdit::KeyDown(Key, Shift);
}

// Leaving the editor for another control ends the edit, its value stored.
void TGridSpin::DoExit()
{
    if (Visible() && FGrid) FGrid->HideInplaceEdit();
    TAsgSpinEdit::DoExit();
}

void RegisterSpinCellEditor(TZvCellEditorRegistry& Registry)
{
    Registry.Register({QStringLiteral("Spin"),
                       {TEditorType::edSpinEdit, TEditorType::edFloatSpinEdit, TEditorType::edTimeSpinEdit,
                        TEditorType::edDateSpinEdit},
                       [](TZvStringGrid* Grid) -> TZvCellEditor* {
                           auto* spin = new TGridSpin(Grid);
                           spin->SetParent(Grid);
                           spin->SetVisible(false);
                           spin->SetEnabled(false);
                           return spin;
                       },
                       true});
}
