#include "dropdowns/calculator/ZvCalculatorDropDown.h"

#include "dropdowns/base/ZvDropDownForm.h"
#include "platform/Regional.h"
#include "platform/ScopeGuard.h"

#include <cmath>

namespace {
const String ErrorText = QStringLiteral("Error");
// Nine decimal digits at most: the divisor of a tenth would leave the range
// the display can show exactly anyway.
constexpr std::int64_t MaxDecimalDivisor = 1000000000;
constexpr int PanelHeight = 150;

bool IsNumeric(QChar c) { return c.isDigit(); }
} // namespace

TZvCalculatorDropdown::TZvCalculatorDropdown(TComponent* AOwner)
    : TZvCustomDropDown(AOwner), FCalcButtonAppearance(std::make_unique<TButtonAppearance>())
{
    // The base applied its default style before this object's appearance
    // existed; the button colours follow that style now.
    CopyButtonColors(GetComponentStyle());
    CreateDropDownForm();
    SetDropDownColor(clWhite);
    SetDropDownWidth(230);
    DropDownHeader()->SetVisible(false);
    DropDownFooter()->SetVisible(false);
    SetEditKind(TDropDownEditType::etFloat);
    SetPrecision(2);
    FPrevop = -1;
    FDecim = 0;
    FCalcClosed = true;
    FMVal = 0;
}

TZvCalculatorDropdown::~TZvCalculatorDropdown() = default;

void TZvCalculatorDropdown::CreateDropDownForm()
{
    TZvCustomDropDown::CreateDropDownForm();
    if (!DropDownForm()) return;
    if (!FZvButtonPanel) {
        FZvButtonPanel = new TCustomButtonPanel(this);
        FZvButtonPanel->SetParent(DropDownForm());
        FZvButtonPanel->SetZvDropDown(this);
        FZvButtonPanel->SetHeight(PanelHeight);
        FZvButtonPanel->CreateDefaultButtons();
    }
    SetHostedControl(FZvButtonPanel);
    FZvButtonPanel->OnButtonClick = [this](TObject* sender, int index) { ButtonClick(sender, index); };
}

void TZvCalculatorDropdown::BeforeDropDown()
{
    TZvCustomDropDown::BeforeDropDown();
    DropDownForm()->SetCancelOnDeActivate(false);
    if (FZvButtonPanel) {
        FZvButtonPanel->SetButtonAppearance(FCalcButtonAppearance.get());
        FZvButtonPanel->SetColor(DropDownColor());
        FZvButtonPanel->LayoutButtons();
    }
    FNewval = true;
    FDecim = 0;
    FCalcClosed = false;
    FTextAtOpening = Text();
}

void TZvCalculatorDropdown::CloseDropDownForm(bool CancelChanges)
{
    const bool wasOpen = DroppedDown();
    TZvCustomDropDown::CloseDropDownForm(CancelChanges);
    // Every result the calculator shows goes through Text, so the text last
    // assigned is the latest result: cancelling brings back the opening's text.
    if (CancelChanges && wasOpen) SetText(FTextAtOpening);
}

// The panel is aligned to the pop-up's client before the base measures it,
// so the pop-up takes the panel's own height.
void TZvCalculatorDropdown::SizeDropDownForm()
{
    TZvCustomDropDown::SizeDropDownForm();
    TDropDownForm* form = DropDownForm();
    if (!form || DropDownHeight() > 0) return;
    form->SetBounds(form->Left(), form->Top(), form->Width(), PanelHeight + 2 * DropDownBorderWidth());
}

// ---- Style ---------------------------------------------------------------------------------------
void TZvCalculatorDropdown::SetComponentStyle(TZvStyle AStyle)
{
    TZvCustomDropDown::SetComponentStyle(AStyle);
    CopyButtonColors(AStyle);
}

void TZvCalculatorDropdown::CopyButtonColors(TZvStyle AStyle)
{
    if (!FCalcButtonAppearance) return;
    const TZvButtonAppearance& b = *ButtonAppearance();
    TButtonAppearance& c = *FCalcButtonAppearance;
    c.SetBorderColor(b.BorderColor());
    c.SetBorderColorHot(b.BorderColorHot());
    c.SetBorderColorDown(b.BorderColorDown());
    c.SetColor(b.Color());
    c.SetColorTo(b.ColorTo());
    c.SetColorDown(b.ColorDown());
    c.SetColorDownTo(b.ColorDownTo());
    c.SetColorHot(b.ColorHot());
    c.SetColorHotTo(b.ColorHotTo());
    if (AStyle == TZvStyle::tsOffice2010Blue || AStyle == TZvStyle::tsOffice2010Silver ||
        AStyle == TZvStyle::tsOffice2010Black) {
        c.SetGlowColorHot(b.ColorHot());
        c.SetGlowColorDown(b.ColorHot());
    } else {
        c.SetGlowColorDown(0xD5C244);
        c.SetGlowColorHot(b.ColorDownTo());
    }
}

// ---- Numbers -------------------------------------------------------------------------------------
bool TZvCalculatorDropdown::ShownNumber(long double& value) const
{
    String text = Text();
    text.remove(FormatSettings().ThousandSeparator);
    double v = 0;
    if (!TryStrToFloat(text, v)) return false;
    value = v;
    return true;
}

long double TZvCalculatorDropdown::ShownNumberOrZero() const
{
    long double v = 0;
    return ShownNumber(v) ? v : 0;
}

String TZvCalculatorDropdown::GeneralText(long double value)
{
    String s = String::number(double(value), 'g', 15);
    if (FormatSettings().DecimalSeparator != u'.') s.replace(u'.', FormatSettings().DecimalSeparator);
    return s;
}

double TZvCalculatorDropdown::Value()
{
    if (Text().isEmpty()) SetText(QStringLiteral("0"));
    return double(ShownNumberOrZero());
}

void TZvCalculatorDropdown::SetValue(double value) { SetText(GeneralText(value)); }

void TZvCalculatorDropdown::SetShowThousandSeparator(bool value)
{
    if (value == FShowThousandSeparator) return;
    FShowThousandSeparator = value;
    const double current = GetFloatValue();
    SetEditKind(value ? TDropDownEditType::etMoney : TDropDownEditType::etFloat);
    SetFloatValue(current);
}

void TZvCalculatorDropdown::ZeroWhenEmptyOrError()
{
    if (Text().isEmpty() || Text() == ErrorText) SetText(QStringLiteral("0"));
}

bool TZvCalculatorDropdown::Full() const { return MaxLength() > 0 && Text().size() == MaxLength(); }

// ---- Operations ----------------------------------------------------------------------------------
// A shown text that is no number reads as 0: a key or a click never raises.
void TZvCalculatorDropdown::ApplyPendingOperation()
{
    ZeroWhenEmptyOrError();
    const long double x = ShownNumberOrZero();
    switch (FPrevop) {
    case 0: FPrevval += x; break;
    case 1: FPrevval *= x; break;
    case 2: FPrevval -= x; break;
    case 3:
        if (x == 0) {
            FPrevval = 0;
            SetText(ErrorText);
            return;
        }
        FPrevval /= x;
        break;
    default: FPrevval = x; break;
    }
    if (!std::isfinite(double(FPrevval))) FPrevval = 0;
    SetFloatValue(double(FPrevval));
    FNewval = true;
}

void TZvCalculatorDropdown::Operation(int code)
{
    ApplyPendingOperation();
    FPrevop = code;
}

void TZvCalculatorDropdown::CalcResult()
{
    ApplyPendingOperation();
    if (Text().isEmpty()) SetText(QStringLiteral("0"));
    FPrevop = -1;
    if (Text() != ErrorText) FPrevval = ShownNumberOrZero();
}

void TZvCalculatorDropdown::PercentOperation()
{
    ZeroWhenEmptyOrError();
    const long double x = ShownNumberOrZero();
    SetText(GeneralText(FPrevval * x / 100));
}

void TZvCalculatorDropdown::Clear(bool newValue, bool clearResult)
{
    SetText(QStringLiteral("0"));
    if (clearResult) FPrevval = 0;
    if (newValue) FNewval = true;
    FPrevop = -1;
}

// ---- The button panel ----------------------------------------------------------------------------
void TZvCalculatorDropdown::ButtonClick(TObject*, int Index)
{
    if (!FZvButtonPanel || Index < 0 || Index >= FZvButtonPanel->Buttons()->Count()) return;
    BeforeCalcInput();
    const int tag = FZvButtonPanel->Buttons()->GetItem(Index)->Tag();
    if ((tag >= 10 && tag <= 14) || (tag >= 16 && tag <= 18)) FDecim = 0;
    if (((tag >= 0 && tag <= 9) || tag == 14 || tag == 15) && Full()) return;
    if (tag >= 0 && tag <= 9) {
        long double x = GetFloatValue();
        if ((x == 0 && FDecim == 0) || FNewval) {
            SetText(String::number(tag));
            FNewval = false;
        } else if (FDecim > 0) {
            // Past the ninth decimal the digit is dropped rather than overflowing the divisor.
            if (FDecim <= MaxDecimalDivisor) {
                x += static_cast<long double>(tag) / FDecim;
                FDecim *= 10;
                SetFloatValue(double(x));
            }
        } else {
            x = x * 10 + tag;
            if (std::isfinite(double(x))) SetFloatValue(double(x));
        }
    } else {
        switch (tag) {
        case 10: AddOperation(); break;
        case 11: SubtractOperation(); break;
        case 12: MultiplyOperation(); break;
        case 13: DivideOperation(); break;
        case 14: {
            const String t = Text();
            SetText(t.contains(u'-') ? t.mid(1) : u'-' + t);
            break;
        }
        case 15: {
            const QChar d = FormatSettings().DecimalSeparator;
            if (!Text().contains(d)) SetText(Text() + d);
            FDecim = 10;
            if (FNewval) SetText(QStringLiteral("0"));
            FNewval = false;
            break;
        }
        case 16:
        case 30:
        case 32: Clear(false, true); break;
        case 17: CalcResult(); break;
        case 18: PercentOperation(); break;
        case 31:
            if (FPrevop == -1) {
                String t = FloatToStr(GetFloatValue());
                t.chop(1);
                SetText(t);
            }
            break;
        case 33: FMVal = 0; break;
        case 34: SetFloatValue(double(FMVal)); break;
        case 35: FMVal = Value(); break;
        case 36: FMVal += Value(); break;
        case 37: {
            const double x = GetFloatValue();
            if (x < 0) SetText(ErrorText);
            else SetFloatValue(std::sqrt(x));
            break;
        }
        case 38: {
            const double x = GetFloatValue();
            if (x == 0) SetText(ErrorText);
            else SetFloatValue(1 / x);
            break;
        }
        default: break;
        }
    }
    SetModifiedState(true);
}

// ---- Keys -----------------------------------------------------------------------------------------
// The calculator's rules come first; what they leave of the character goes
// through the edit's own character handling (its float filter), without
// running the rules a second time.
void TZvCalculatorDropdown::WMChar(TWMKey& Message)
{
    if (!EditorEnabled()) {
        TZvCustomDropDown::WMChar(Message);
        return;
    }
    QChar key(char16_t(Message.CharCode));
    KeyPressHook(key);
    if (key.isNull()) return;
    Message.CharCode = key.unicode();
    FKeyRulesDone = true;
    TScopeExit done([this] { FKeyRulesDone = false; });
    TZvCustomDropDown::WMChar(Message);
}

void TZvCalculatorDropdown::KeyPress(QChar& Key)
{
    if (!FKeyRulesDone) KeyPressHook(Key);
}

void TZvCalculatorDropdown::KeyPressHook(QChar& Key)
{
    const QChar d = FormatSettings().DecimalSeparator;
    const bool popupHidden = DropDownForm() && !DropDownForm()->Visible();
    if (FCalcClosed || popupHidden) {
        switch (Key.unicode()) {
        case u'-': SubtractOperation(); break;
        case 13:
        case u'=': CalcResult(); break;
        case u'%': PercentOperation(); break;
        case u'*': MultiplyOperation(); break;
        case u'+': AddOperation(); break;
        case u'/': DivideOperation(); break;
        case u'C':
        case u'c':
            SetText(QStringLiteral("0"));
            FNewval = true;
            FPrevop = -1;
            break;
        default: break;
        }
    }
    if (!(IsNumeric(Key) || Key == d || Key.unicode() == 8 || Key == u'-')) {
        Key = QChar();
        return;
    }
    if ((Text() == QStringLiteral("0") || FNewval) && IsNumeric(Key)) {
        SetText(String(Key));
        Key = QChar();
        SetSelStart(int(TextPrefix().size()) + 1);
        SetSelLength(0);
        FNewval = false;
        return;
    }
    if (Text().size() == 1 && Key.unicode() == 8) {
        SetText(QStringLiteral("0"));
        Key = QChar();
        SetSelStart(int(TextPrefix().size()) + 1);
        SetSelLength(0);
        return;
    }
    // A decimal separator typed over the one the text holds goes on to the
    // float rules, which step the caret behind it, so "1.5" reads 1.5, not 15.
    if (Key == FormatSettings().ThousandSeparator && Key != d) Key = QChar();
    else if (Key == d && Text().contains(d) && Precision() <= 0) Key = QChar();
    if (!Key.isNull()) TZvCustomDropDown::KeyPressHook(Key);
}

void TZvCalculatorDropdown::FormKeyPress(QChar& Key)
{
    TZvCustomDropDown::FormKeyPress(Key);
    PopupKeyRules(Key);
}

void TZvCalculatorDropdown::PopupKeyRules(QChar Key)
{
    BeforeCalcInput();
    const QChar d = FormatSettings().DecimalSeparator;
    if (Key == d && !Text().contains(d)) SetText(Text() + d);
    if (IsNumeric(Key) && Full()) return;
    switch (Key.unicode()) {
    case 13:
        CalcResult();
        HideDropDown(false);
        break;
    case 27: HideDropDown(true); break;
    case u'%': PercentOperation(); break;
    case u'*': MultiplyOperation(); break;
    case u'+': AddOperation(); break;
    case u'-': SubtractOperation(); break;
    case u'/': DivideOperation(); break;
    case u'=': CalcResult(); break;
    case u'C':
    case u'c': Clear(true, true); break;
    default:
        if (IsNumeric(Key)) FNewval = false;
        break;
    }
}

void TZvCalculatorDropdown::FormKeyDown(WORD& Key, TShiftState Shift)
{
    TZvCustomDropDown::FormKeyDown(Key, Shift);
    if (Key == VK_TAB || Key == VK_F4) {
        HideDropDown(false);
    } else if (Key == VK_BACK) {
        String t = Text();
        t.chop(1);
        SetText(t);
        if (Text().isEmpty() || Text() == ErrorText) SetText(QStringLiteral("0"));
    }
}

void TZvCalculatorDropdown::WMKeyDown(TWMKey& Message)
{
    const WORD key = WORD(Message.CharCode);
    TZvCustomDropDown::WMKeyDown(Message);
    if (key == VK_DELETE && (Text().isEmpty() || Text() == ErrorText)) SetText(QStringLiteral("0"));
}
