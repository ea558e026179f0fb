#include "platform/DateTimePicker.h"

#include "platform/FrameControls.h"
#include "platform/Themes.h"

#include <QCalendarWidget>
#include <QKeyEvent>
#include <QWidget>

#include <cmath>

namespace {

constexpr int kTextIndent = 3;

bool IsFieldLetter(QChar c)
{
    return c == u'd' || c == u'M' || c == u'y' || c == u'h' || c == u'H' || c == u'm' || c == u's' || c == u't';
}

// The calendar as the drop-down of one picker: Escape closes it without taking a date.
class TPickerCalendar : public QCalendarWidget {
public:
    explicit TPickerCalendar(TDateTimePicker* APicker) : QCalendarWidget(nullptr), FPicker(APicker)
    {
        setWindowFlags(Qt::Popup);
        setGridVisible(false);
    }

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->key() == Qt::Key_Escape) {
            RunGuarded(FPicker, [&] { FPicker->CloseUp(false); });
            return;
        }
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            RunGuarded(FPicker, [&] { FPicker->CloseUp(true); });
            return;
        }
        QCalendarWidget::keyPressEvent(event);
    }
    void hideEvent(QHideEvent* event) override
    {
        QCalendarWidget::hideEvent(event);
        // A click outside closes a pop-up by hiding it: that is a close without a choice.
        if (FPicker->DroppedDown()) RunGuarded(FPicker, [&] { FPicker->CloseUp(false); });
    }

private:
    TDateTimePicker* FPicker;
};

} // namespace

TDateTimePicker::TDateTimePicker(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetTabStop(true);
    SetColor(clWindow);
    SetBounds(0, 0, 186, 21);
    FDateTime = Now();
}

TDateTimePicker::~TDateTimePicker() = default;

// ---- Value ---------------------------------------------------------------------------------------
TDateTime TDateTimePicker::Clamped(TDateTime value) const
{
    if (FMaxDate != 0 && value > FMaxDate) value = FMaxDate;
    if (FMinDate != 0 && value < FMinDate) value = FMinDate;
    return value;
}

void TDateTimePicker::SetDateTime(TDateTime value)
{
    value = Clamped(value);
    if (value == FDateTime) return;
    FDateTime = value;
    Invalidate();
}

TDateTime TDateTimePicker::Date() const { return std::floor(FDateTime); }

void TDateTimePicker::SetDate(TDateTime value) { SetDateTime(ComposeDateTime(std::floor(value), Time())); }

TDateTime TDateTimePicker::Time() const { return FDateTime - std::floor(FDateTime); }

void TDateTimePicker::SetTime(TDateTime value) { SetDateTime(ComposeDateTime(Date(), value - std::floor(value))); }

void TDateTimePicker::SetChecked(bool value)
{
    if (FChecked == value) return;
    FChecked = value;
    Invalidate();
}

void TDateTimePicker::SetShowCheckbox(bool value)
{
    if (FShowCheckbox == value) return;
    FShowCheckbox = value;
    Invalidate();
}

void TDateTimePicker::UserValue(TDateTime value)
{
    value = Clamped(value);
    if (value == FDateTime) return;
    FDateTime = value;
    Invalidate();
    Change();
}

void TDateTimePicker::Change()
{
    if (OnChange) OnChange(this);
}

// ---- Shape ---------------------------------------------------------------------------------------
void TDateTimePicker::SetKind(TDateTimeKind value)
{
    if (FKind == value) return;
    FKind = value;
    FPart = 0;
    Invalidate();
}

void TDateTimePicker::SetDateMode(TDTDateMode value)
{
    if (FDateMode == value) return;
    FDateMode = value;
    Invalidate();
}

void TDateTimePicker::SetFormat(const String& value)
{
    if (FFormat == value) return;
    FFormat = value;
    FPart = 0;
    Invalidate();
}

String TDateTimePicker::PickerFormatOf(const String& regionalFormat)
{
    const TFormatSettings& fs = FormatSettings();
    const bool twelveHours = regionalFormat.contains(QStringLiteral("am/pm"), Qt::CaseInsensitive) ||
                             regionalFormat.contains(QStringLiteral("a/p"), Qt::CaseInsensitive);
    String out;
    for (int i = 0; i < regionalFormat.size(); ++i) {
        const QChar c = regionalFormat[i];
        const QChar l = c.toLower();
        if (c == u'"' || c == u'\'') {
            const int end = regionalFormat.indexOf(c, i + 1);
            const String lit = regionalFormat.mid(i + 1, end < 0 ? -1 : end - i - 1);
            out += u'\'' + lit + u'\'';
            i = end < 0 ? regionalFormat.size() : end;
        } else if (regionalFormat.mid(i, 5).compare(QStringLiteral("am/pm"), Qt::CaseInsensitive) == 0) {
            out += QStringLiteral("tt");
            i += 4;
        } else if (regionalFormat.mid(i, 3).compare(QStringLiteral("a/p"), Qt::CaseInsensitive) == 0) {
            out += u't';
            i += 2;
        } else if (l == u'd') out += u'd';
        else if (l == u'm') out += u'M';
        else if (l == u'y') out += u'y';
        else if (l == u'n') out += u'm';
        else if (l == u's') out += u's';
        else if (l == u'h') out += twelveHours ? u'h' : u'H';
        else if (c == u'/') out += fs.DateSeparator;
        else if (c == u':') out += fs.TimeSeparator;
        else if (IsFieldLetter(c) || c.isLetter()) out += u'\'' + String(c) + u'\'';
        else out += c;
    }
    return out;
}

String TDateTimePicker::EffectiveFormat() const
{
    if (!FFormat.isEmpty()) return FFormat;
    const TFormatSettings& fs = FormatSettings();
    return PickerFormatOf(FKind == TDateTimeKind::dtkTime ? fs.LongTimeFormat : fs.ShortDateFormat);
}

namespace {

struct TToken {
    QChar Letter;   // null for literal text
    String Text;    // the letters, or the literal text
};

std::vector<TToken> Tokenize(const String& format)
{
    std::vector<TToken> tokens;
    for (int i = 0; i < format.size();) {
        const QChar c = format[i];
        if (c == u'\'') {
            const int end = format.indexOf(u'\'', i + 1);
            const String lit = format.mid(i + 1, end < 0 ? -1 : end - i - 1);
            tokens.push_back({QChar(), lit.isEmpty() && end == i + 1 ? String(u'\'') : lit});
            i = end < 0 ? format.size() : end + 1;
        } else if (IsFieldLetter(c)) {
            int j = i;
            while (j < format.size() && format[j] == c) ++j;
            tokens.push_back({c, format.mid(i, j - i)});
            i = j;
        } else {
            tokens.push_back({QChar(), String(c)});
            ++i;
        }
    }
    return tokens;
}

String TokenText(const TToken& t, TDateTime value)
{
    if (t.Letter.isNull()) return t.Text;
    int y, mo, d, h, mi, s, ms;
    DecodeDateTime(value, y, mo, d, h, mi, s, ms);
    const TFormatSettings& fs = FormatSettings();
    const int n = int(t.Text.size());
    auto num = [&](int v, int width) { return QStringLiteral("%1").arg(v, width, 10, QChar(u'0')); };
    switch (t.Letter.unicode()) {
    case u'd':
        if (n >= 4) return fs.LongDayNames[size_t(DayOfWeek(value) - 1)];
        if (n == 3) return fs.ShortDayNames[size_t(DayOfWeek(value) - 1)];
        return num(d, n);
    case u'M':
        if (n >= 4) return fs.LongMonthNames[size_t(mo - 1)];
        if (n == 3) return fs.ShortMonthNames[size_t(mo - 1)];
        return num(mo, n);
    case u'y': return n <= 2 ? num(y % 100, n) : num(y, 4);
    case u'H': return num(h, n);
    case u'h': return num(h % 12 == 0 ? 12 : h % 12, n);
    case u'm': return num(mi, n);
    case u's': return num(s, n);
    case u't': {
        const String marker = h < 12 ? fs.TimeAMString : fs.TimePMString;
        return n == 1 ? marker.left(1) : marker;
    }
    default: return t.Text;
    }
}

} // namespace

String TDateTimePicker::FormatValue(const String& pickerFormat, TDateTime value)
{
    String out;
    for (const TToken& t : Tokenize(pickerFormat)) out += TokenText(t, value);
    return out;
}

String TDateTimePicker::GetText() const { return FormatValue(EffectiveFormat(), FDateTime); }

std::vector<TDateTimePicker::TPart> TDateTimePicker::Parts() const
{
    std::vector<TPart> parts;
    for (const TToken& t : Tokenize(EffectiveFormat())) {
        TPart::TField f = TPart::Literal;
        switch (t.Letter.unicode()) {
        case u'd': f = t.Text.size() >= 3 ? TPart::DayName : TPart::Day; break;
        case u'M': f = TPart::Month; break;
        case u'y': f = TPart::Year; break;
        case u'h': f = TPart::Hour12; break;
        case u'H': f = TPart::Hour24; break;
        case u'm': f = TPart::Minute; break;
        case u's': f = TPart::Second; break;
        case u't': f = TPart::AmPm; break;
        default: break;
        }
        parts.push_back({f, t.Letter.isNull() ? t.Text : t.Text});
    }
    return parts;
}

int TDateTimePicker::PartCount() const
{
    int n = 0;
    for (const TPart& p : Parts())
        if (p.Field != TPart::Literal && p.Field != TPart::DayName) ++n;
    return n;
}

// The field of the partIndex-th editable part (Literal when there is none).
int TDateTimePicker::FieldOfPart(int partIndex) const
{
    int n = 0;
    for (const TPart& p : Parts()) {
        if (p.Field == TPart::Literal || p.Field == TPart::DayName) continue;
        if (n++ == partIndex) return p.Field;
    }
    return TPart::Literal;
}

void TDateTimePicker::SetPartIndex(int value)
{
    const int count = PartCount();
    value = count == 0 ? 0 : std::clamp(value, 0, count - 1);
    FTyped = FTypedDigits = 0;
    if (FPart == value) return;
    FPart = value;
    Invalidate();
}

// ---- Keys ----------------------------------------------------------------------------------------
void TDateTimePicker::WMGetDlgCode(TWMGetDlgCode& Message)
{
    TCustomControl::WMGetDlgCode(Message);
    Message.Result |= DLGC_WANTARROWS | DLGC_WANTCHARS;
}

void TDateTimePicker::KeyDown(WORD& Key, TShiftState Shift)
{
    TCustomControl::KeyDown(Key, Shift);
    const bool alt = Shift.Contains(ssAlt);
    switch (Key) {
    case VK_LEFT: SetPartIndex(FPart - 1); Key = 0; break;
    case VK_RIGHT: SetPartIndex(FPart + 1); Key = 0; break;
    case VK_UP:
    case VK_DOWN:
        if (alt && Key == VK_DOWN && FKind == TDateTimeKind::dtkDate && FDateMode == TDTDateMode::dmComboBox) DropDown();
        else StepPart(Key == VK_UP ? 1 : -1);
        Key = 0;
        break;
    case VK_F4:
        if (!alt && FKind == TDateTimeKind::dtkDate && FDateMode == TDTDateMode::dmComboBox) DropDown();
        Key = 0;
        break;
    default: break;
    }
}

void TDateTimePicker::KeyPress(QChar& Key)
{
    TCustomControl::KeyPress(Key);
    if (Key >= u'0' && Key <= u'9') {
        TypeDigit(Key.digitValue());
        Key = QChar();
    } else if (Key == u' ' && FShowCheckbox) {
        SetChecked(!FChecked);
        Change();
        Key = QChar();
    } else if (FieldOfPart(FPart) == TPart::AmPm) {
        const QChar l = Key.toLower();
        int h, mi, s, ms;
        DecodeTime(FDateTime, h, mi, s, ms);
        if (l == FormatSettings().TimeAMString.left(1).toLower() && h >= 12) StepPart(1);
        else if (l == FormatSettings().TimePMString.left(1).toLower() && h < 12) StepPart(1);
        Key = QChar();
    }
}

// A part steps round within its own range; no carry goes into its neighbours.
void TDateTimePicker::StepPart(int Delta)
{
    int y, mo, d, h, mi, s, ms;
    DecodeDateTime(FDateTime, y, mo, d, h, mi, s, ms);
    auto wrap = [](int v, int lo, int hi) { return lo + ((v - lo) % (hi - lo + 1) + (hi - lo + 1)) % (hi - lo + 1); };
    switch (FieldOfPart(FPart)) {
    case TPart::Day: d = wrap(d + Delta, 1, DaysInAMonth(y, mo)); break;
    case TPart::Month: mo = wrap(mo + Delta, 1, 12); break;
    case TPart::Year: y = std::clamp(y + Delta, 1, 9999); break;
    case TPart::Hour12:
    case TPart::Hour24: h = wrap(h + Delta, 0, 23); break;
    case TPart::Minute: mi = wrap(mi + Delta, 0, 59); break;
    case TPart::Second: s = wrap(s + Delta, 0, 59); break;
    case TPart::AmPm: h = (h + 12) % 24; break;
    default: return;
    }
    d = std::min(d, DaysInAMonth(y, mo));
    FTyped = FTypedDigits = 0;
    UserValue(ComposeDateTime(EncodeDate(y, mo, d), EncodeTime(h, mi, s, ms)));
}

// Digits gather in the current part: a second digit joins the first while the
// number still fits the part, otherwise it starts the part afresh.
void TDateTimePicker::TypeDigit(int Digit)
{
    int y, mo, d, h, mi, s, ms;
    DecodeDateTime(FDateTime, y, mo, d, h, mi, s, ms);
    const int field = FieldOfPart(FPart);
    auto gather = [&](int lo, int hi, int maxDigits) {
        const int joined = FTyped * 10 + Digit;
        if (FTypedDigits > 0 && FTypedDigits < maxDigits && joined <= hi) {
            FTyped = joined;
            ++FTypedDigits;
        } else {
            FTyped = Digit;
            FTypedDigits = 1;
        }
        const int value = FTyped;
        if (FTypedDigits >= maxDigits) FTyped = FTypedDigits = 0;
        return value < lo ? -1 : value;
    };
    int v = -1;
    switch (field) {
    case TPart::Day: if ((v = gather(1, DaysInAMonth(y, mo), 2)) >= 0) d = v; break;
    case TPart::Month: if ((v = gather(1, 12, 2)) >= 0) mo = v; break;
    case TPart::Hour24: if ((v = gather(0, 23, 2)) >= 0) h = v; break;
    case TPart::Hour12: if ((v = gather(1, 12, 2)) >= 0) h = (v % 12) + (h >= 12 ? 12 : 0); break;
    case TPart::Minute: if ((v = gather(0, 59, 2)) >= 0) mi = v; break;
    case TPart::Second: if ((v = gather(0, 59, 2)) >= 0) s = v; break;
    case TPart::Year: {
        const int digits = FTypedDigits + 1;
        const int typed = (FTypedDigits > 0 && FTypedDigits < 4 ? FTyped * 10 : 0) + Digit;
        FTypedDigits = FTypedDigits > 0 && FTypedDigits < 4 ? digits : 1;
        FTyped = typed;
        if (FTypedDigits <= 2) y = ExpandTwoDigitYear(FTyped, y, FormatSettings().TwoDigitYearCenturyWindow);
        else if (FTypedDigits == 4 && FTyped >= 1) y = FTyped;
        if (FTypedDigits >= 4) FTyped = FTypedDigits = 0;
        v = 0;
        break;
    }
    default: return;
    }
    if (v < 0) return;
    d = std::min(d, DaysInAMonth(y, mo));
    UserValue(ComposeDateTime(EncodeDate(y, mo, d), EncodeTime(h, mi, s, ms)));
}

// ---- Mouse and focus -----------------------------------------------------------------------------
TRect TDateTimePicker::ButtonRect() const
{
    const int w = DropButtonWidth();
    return TRect{ClientWidth() - w - 2, 2, ClientWidth() - 2, ClientHeight() - 2};
}

// The width of a vertical scroll bar, as the platform's combo button has it.
int TDateTimePicker::DropButtonWidth() const { return 17; }

void TDateTimePicker::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (CanFocus() && !Focused()) SetFocus();
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != TMouseButton::mbLeft) return;
    if (FShowCheckbox && X < 16) {
        SetChecked(!FChecked);
        Change();
        return;
    }
    const TRect b = ButtonRect();
    if (X >= b.Left) {
        if (FKind == TDateTimeKind::dtkDate && FDateMode == TDTDateMode::dmComboBox) {
            if (DroppedDown()) CloseUp(false);
            else DropDown();
        } else {
            StepPart(Y < Height() / 2 ? 1 : -1);
        }
        return;
    }
    // A click on a part makes it current.
    TCanvas* c = Canvas();
    c->SetFont(Font());
    int x = kTextIndent + (FShowCheckbox ? 16 : 0);
    int index = 0;
    for (const TPart& p : Parts()) {
        const String text = FormatValue(p.Field == TPart::Literal ? u'\'' + p.Token + u'\'' : p.Token, FDateTime);
        const int w = c->TextWidth(text);
        const bool editable = p.Field != TPart::Literal && p.Field != TPart::DayName;
        if (editable && X < x + w) {
            SetPartIndex(index);
            return;
        }
        if (editable) ++index;
        x += w;
    }
}

void TDateTimePicker::DoEnter()
{
    TCustomControl::DoEnter();
    Invalidate();
}

void TDateTimePicker::DoExit()
{
    FTyped = FTypedDigits = 0;
    TCustomControl::DoExit();
    Invalidate();
}

// ---- The calendar --------------------------------------------------------------------------------
bool TDateTimePicker::DroppedDown() const { return FCalendar && FCalendar->isVisible(); }

QCalendarWidget* TDateTimePicker::Calendar() const { return DroppedDown() ? FCalendar.get() : nullptr; }

void TDateTimePicker::DropDown()
{
    if (DroppedDown() || !HandleAllocated()) return;
    if (!FCalendar) {
        FCalendar = std::make_unique<TPickerCalendar>(this);
        QObject::connect(FCalendar.get(), &QCalendarWidget::clicked, FCalendar.get(),
                         [this](const QDate&) { RunGuarded(this, [&] { CloseUp(true); }); });
        QObject::connect(FCalendar.get(), &QCalendarWidget::activated, FCalendar.get(),
                         [this](const QDate&) { RunGuarded(this, [&] { CloseUp(true); }); });
    }
    FCalendar->setSelectedDate(DateTimeToQDateTime(FDateTime).date());
    if (FMinDate != 0) FCalendar->setMinimumDate(DateTimeToQDateTime(FMinDate).date());
    if (FMaxDate != 0) FCalendar->setMaximumDate(DateTimeToQDateTime(FMaxDate).date());
    if (OnDropDown) OnDropDown(this);
    const QSize size = FCalendar->sizeHint();
    const TPoint origin = ClientToScreen(TPoint{0, Height()});
    FCalendar->setGeometry(origin.X, origin.Y, size.width(), size.height());
    FCalendar->show();
    FCalendar->setFocus();
}

void TDateTimePicker::CloseUp(bool Accept)
{
    if (!FCalendar || !FCalendar->isVisible()) return;
    const QDate chosen = FCalendar->selectedDate();
    FCalendar->hide();
    if (Accept) {
        const TDateTime date = DateFromQDate(chosen);
        if (date != Date()) UserValue(ComposeDateTime(date, Time()));
    }
    if (OnCloseUp) OnCloseUp(this);
    if (CanFocus()) SetFocus();
}

// ---- Painting ------------------------------------------------------------------------------------
void TDateTimePicker::Paint() { PaintPlatform(); }

void TDateTimePicker::PaintPlatform()
{
    TCanvas* c = Canvas();
    TRect r = ClientRect();
    c->Brush()->SetColor(Enabled() ? Color() : clBtnFace);
    c->FillRect(r);
    DrawEdge(*c, r, EDGE_SUNKEN, BF_RECT);
    c->SetFont(Font());
    int x = kTextIndent + (FShowCheckbox ? 16 : 0);
    if (FShowCheckbox) {
        TRect box{4, (Height() - 13) / 2, 17, (Height() - 13) / 2 + 13};
        DrawFrameControl(*c, box, DFC_BUTTON, DFCS_BUTTONCHECK | (FChecked ? DFCS_CHECKED : 0));
    }
    const int y = (ClientHeight() - c->TextHeight(QStringLiteral("0"))) / 2;
    int index = 0;
    for (const TPart& p : Parts()) {
        const String text = FormatValue(p.Field == TPart::Literal ? u'\'' + p.Token + u'\'' : p.Token, FDateTime);
        const bool editable = p.Field != TPart::Literal && p.Field != TPart::DayName;
        const bool current = editable && index == FPart && Focused() && !DroppedDown();
        c->Brush()->SetColor(current ? clHighlight : (Enabled() ? Color() : clBtnFace));
        c->Font()->SetColor(current ? clHighlightText : (Enabled() && FChecked ? Font()->Color() : clGrayText));
        c->TextOut(x, y, text);
        x += c->TextWidth(text);
        if (editable) ++index;
    }
    TRect b = ButtonRect();
    if (FKind == TDateTimeKind::dtkDate && FDateMode == TDTDateMode::dmComboBox) {
        DrawFrameControl(*c, b, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | (Enabled() ? 0 : DFCS_INACTIVE));
    } else {
        TRect up{b.Left, b.Top, b.Right, b.Top + b.Height() / 2};
        TRect down{b.Left, up.Bottom, b.Right, b.Bottom};
        DrawFrameControl(*c, up, DFC_SCROLL, DFCS_SCROLLUP | (Enabled() ? 0 : DFCS_INACTIVE));
        DrawFrameControl(*c, down, DFC_SCROLL, DFCS_SCROLLDOWN | (Enabled() ? 0 : DFCS_INACTIVE));
    }
}
