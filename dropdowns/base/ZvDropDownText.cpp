// The text kinds of the drop-down edit: the Text property with its prefix and
// suffix, typed characters and keys per kind, numbers with precision and
// thousand separators (the money reformat keeps the caret), the clipboard,
// and the reformat when the focus leaves. The decimal and thousand
// separators are the regional settings' at each use.
#include "dropdowns/base/ZvCustomDropDown.h"

#include "grid/support/ZvGridUtil.h"
#include "platform/Forms.h"
#include "platform/Regional.h"

#include <QClipboard>
#include <QGuiApplication>

#include <cmath>

namespace {
QChar D() { return FormatSettings().DecimalSeparator; }
QChar T() { return FormatSettings().ThousandSeparator; }

bool IsNumericKind(TDropDownEditType k)
{
    return k == TDropDownEditType::etNumeric || k == TDropDownEditType::etFloat || k == TDropDownEditType::etMoney ||
           k == TDropDownEditType::etHex;
}
bool IsFloatKind(TDropDownEditType k) { return k == TDropDownEditType::etFloat || k == TDropDownEditType::etMoney; }
bool SignedKind(TDropDownEditType k) { return k == TDropDownEditType::etNumeric || IsFloatKind(k); }

String MixedCase(const String& text)
{
    String result = text;
    bool start = true;
    for (QChar& c : result) {
        c = start ? c.toUpper() : c.toLower();
        start = !c.isLetterOrNumber();
    }
    return result;
}
} // namespace

// ---- Text ----------------------------------------------------------------------------------
String TZvCustomDropDown::Text() const
{
    String text = WindowText();
    if (!FTextPrefix.isEmpty() && text.startsWith(FTextPrefix)) text.remove(0, FTextPrefix.size());
    if (!FTextSuffix.isEmpty() && text.endsWith(FTextSuffix)) text.chop(FTextSuffix.size());
    return text;
}

int TZvCustomDropDown::ValueEnd() const { return ValueStart() + int(Text().size()); }

void TZvCustomDropDown::SetText(const String& value)
{
    String v = value;
    if (v.isEmpty() && IsNumericKind(FEditKind)) v = QStringLiteral("0");
    if (FPrecision > 0 && !v.isEmpty() && v != QStringLiteral("Error")) {
        if (FEditKind == TDropDownEditType::etMoney) v = FormatNumber(ParseNumber(v), true, FPrecision);
        else if (FEditKind == TDropDownEditType::etFloat) v = FormatNumber(ParseNumber(v), false, FPrecision);
    }
    if (FEditKind == TDropDownEditType::etHex) v = v.toUpper();
    TEdit::SetTextValue(FTextPrefix + v + FTextSuffix);
    FLastAssignedText = v;
    SetModifiedState(false);
}

void TZvCustomDropDown::AssignEditText(const String& value) { TEdit::SetTextValue(value); }

void TZvCustomDropDown::WriteWindowText(const String& text, int selStart, int selLength)
{
    if (text != WindowText()) {
        TControl::SetText(text);
    }
    SetSelStart(selStart);
    SetSelLength(selLength);
}

void TZvCustomDropDown::Change()
{
    if (FBlockChange) {
        FBlockChange = false;
        return;
    }
    TEdit::Change();
}

void TZvCustomDropDown::SetModifiedState(bool value)
{
    if (!FEditorEnabled || ReadOnly()) return;
    SetModified(value);
}

// ---- Numbers ---------------------------------------------------------------------------------
int TZvCustomDropDown::ClassifyNumberText(const String& s) const
{
    if (s.isEmpty()) return 2;
    if (s.count(u'-') > 1 || s.count(D()) > 1) return 2;
    bool integer = true, isFloat = true, hex = true;
    int lastT = -100;
    for (int i = 0; i < s.size(); ++i) {
        const QChar c = s[i];
        const bool digit = c.isDigit() && c.unicode() < 128;
        if (!digit && c != u'-') integer = false;
        if (!digit && c != u',' && c != u'-' && c != u'.') isFloat = false;
        if (c == T()) {
            if (i == 0 || i - lastT < 3) isFloat = false;
            lastT = i;
        }
        if (!digit && c != u'-' && !((c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f'))) hex = false;
    }
    if (integer) return 0;
    if (isFloat) return 1;
    return hex ? 5 : 2;
}

double TZvCustomDropDown::ParseNumber(String text) const
{
    text.remove(T());
    double value = 0;
    return TryStrToFloat(text, value) ? value : 0;
}

String TZvCustomDropDown::FormatNumber(double value, bool thousands, int decimals) const
{
    return FloatToStrF(value, thousands ? TFloatFormat::ffNumber : TFloatFormat::ffFixed, 18, decimals);
}

double TZvCustomDropDown::GetFloatValue() const
{
    const String text = Text();
    switch (FEditKind) {
    case TDropDownEditType::etNumeric:
    case TDropDownEditType::etFloat:
        if (text.isEmpty() || text == QStringLiteral("Error") || text == QStringLiteral("-")) return 0;
        return ParseNumber(text);
    case TDropDownEditType::etMoney: {
        String v = text;
        v.remove(T());
        if (v.endsWith(D())) v.chop(1);
        return v.isEmpty() || v == QStringLiteral("-") ? 0 : ParseNumber(v);
    }
    case TDropDownEditType::etHex: {
        long long n = 0;
        for (QChar c : text) {
            int d = 0;
            if (c >= u'0' && c <= u'9') d = c.unicode() - u'0';
            else if (c >= u'A' && c <= u'F') d = c.unicode() - u'A' + 10;
            else if (c >= u'a' && c <= u'f') d = c.unicode() - u'a' + 10;
            n = n * 16 + d;
        }
        return double(n);
    }
    default: {
        // The longest leading number.
        for (int n = int(text.size()); n > 0; --n) {
            double value = 0;
            if (TryStrToFloat(text.left(n), value)) return value;
        }
        return 0;
    }
    }
}

void TZvCustomDropDown::SetFloatValue(double value)
{
    switch (FEditKind) {
    case TDropDownEditType::etNumeric:
        SetText(FPrecision < 0 ? FloatToStr(value) : FormatNumber(value, true, FPrecision));
        break;
    case TDropDownEditType::etMoney:
        SetText(FPrecision < 0 ? FloatToStr(value) : FormatNumber(value, false, FPrecision));
        MoneyReformat();
        break;
    case TDropDownEditType::etHex:
        SetText(String::number(static_cast<long long>(std::trunc(value)), 16).toUpper());
        break;
    default:
        SetText(FPrecision < 0 ? FloatToStr(value) : FormatNumber(value, false, FPrecision));
        break;
    }
    SetModifiedState(true);
}

void TZvCustomDropDown::SetIntValue(long long value)
{
    if (FEditKind == TDropDownEditType::etHex) SetText(String::number(value, 16).toUpper());
    else {
        SetText(String::number(value));
        if (FEditKind == TDropDownEditType::etMoney) MoneyReformat();
    }
    SetModifiedState(true);
}

void TZvCustomDropDown::SetPrecision(int value)
{
    if (value == FPrecision) return;
    if (FEditKind != TDropDownEditType::etString && !IsFloatKind(FEditKind)) return;
    FPrecision = value;
    const int kind = ClassifyNumberText(Text());
    SetFloatValue(kind == 0 || kind == 1 ? GetFloatValue() : 0);
}

void TZvCustomDropDown::SetEditKind(TDropDownEditType value)
{
    if (value == FEditKind) return;
    FEditKind = value;
    if (value == TDropDownEditType::etPassword) {
        SetPasswordChar(u'*');
        FUndoOnEscape = false;
    } else {
        SetPasswordChar(QChar());
    }
    const int kind = ClassifyNumberText(Text());
    if (value == TDropDownEditType::etNumeric && kind != 0) SetIntValue(0);
    else if (IsFloatKind(value) && kind != 0 && kind != 1) SetFloatValue(0);
    else if (value == TDropDownEditType::etHex && kind != 0 && kind != 5) SetIntValue(0);
}

void TZvCustomDropDown::MoneyReformat()
{
    String v = Text();
    if (v.isEmpty()) return;
    const int caret = SelStart();
    const int oldLength = int(v.size());
    String sign;
    if (v.startsWith(u'-')) sign = QStringLiteral("-");
    const int dpos = int(v.indexOf(D()));
    const String fraction = dpos >= 0 ? v.mid(dpos) : String();
    String whole = FormatNumber(std::trunc(std::fabs(GetFloatValue())), FShowThousandSeparators, 0);
    const String text = FTextPrefix + sign + whole + fraction + FTextSuffix;
    const int newLength = int((sign + whole + fraction).size());
    if (text != WindowText()) FBlockChange = true;
    WriteWindowText(text, std::max(ValueStart(), caret + newLength - oldLength));
    FBlockChange = false;
}

// ---- Selections ------------------------------------------------------------------------------
void TZvCustomDropDown::SelectAll()
{
    SetSelStart(ValueStart());
    SetSelLength(int(Text().size()));
}

void TZvCustomDropDown::SelectBeforeDecimal()
{
    const int p = int(Text().indexOf(D()));
    SetSelStart(ValueStart() + (p >= 0 ? p : 0));
}

void TZvCustomDropDown::SelectAfterDecimal()
{
    const int p = int(Text().indexOf(D()));
    SetSelStart(ValueStart() + (p >= 0 ? p + 1 : 0));
}

// ---- Typed characters --------------------------------------------------------------------------
void TZvCustomDropDown::InsertTyped(QChar key)
{
    TMessage m{WM_CHAR, WPARAM(key.unicode()), 0, 0};
    TWMKey k(m);
    TEdit::WMChar(k);
}

void TZvCustomDropDown::ToggleSign()
{
    const String v = Text();
    const int caret = SelStart();
    if (v.startsWith(u'-')) WriteWindowText(FTextPrefix + v.mid(1) + FTextSuffix, std::max(ValueStart(), caret - 1));
    else WriteWindowText(FTextPrefix + u'-' + v + FTextSuffix, caret + 1);
    SetModifiedState(true);
}

// The rules of etFloat and etMoney for separators and the fixed number of
// decimals. True when the character has been dealt with here.
bool TZvCustomDropDown::FloatSeparatorRules(QChar key, bool money)
{
    const String v = Text();
    const int caret = SelStart() - ValueStart();
    const int selLength = SelLength();
    const int dpos = int(v.indexOf(D()));
    const bool wholeSelected = selLength > 0 && selLength == v.size();
    if (key == D() && v.isEmpty() && caret == 0) {
        WriteWindowText(FTextPrefix + u'0' + D() + FTextSuffix, ValueStart() + 2);
        SetModifiedState(true);
        return true;
    }
    if (key == D()) {
        const bool dInSelection = dpos >= caret && dpos < caret + selLength;
        if ((dpos >= 0 && !dInSelection) || FPrecision == 0) {
            if (money && wholeSelected) SetText(QStringLiteral("0,0"));
            if (FPrecision > 0 && dpos >= 0) SetSelStart(ValueStart() + int(Text().indexOf(D())) + 1);
            return true;
        }
    }
    if (key == u',' && v.contains(u',') && T() != u',') return true;
    if ((key == T() || key == D()) && v.contains(T())) {
        const int near = int(v.lastIndexOf(T(), caret - 1));
        if (near < 0 || caret - near != 4) return true;
    }
    if (FPrecision > 0 && dpos >= 0 && caret > dpos && selLength == 0 && v.size() - dpos - 1 >= FPrecision) {
        if (key.isDigit()) {
            if (caret >= v.size()) return true;
            SetSelLength(1);
            return false;
        }
        if (key == D()) return true;
    }
    return false;
}

// True when the character is dropped or fully handled.
bool TZvCustomDropDown::TextKindChar(QChar key, bool ctrl, bool keypad)
{
    const ushort k = key.unicode();
    if (FKeypadDecimalSeparator && keypad && (key == u'.' || key == u',')) key = D();
    // Backspace into the prefix.
    if (k == 8 && !FTextPrefix.isEmpty() && SelStart() <= ValueStart() && SelLength() == 0) return true;
    if (FDigitLimit > 0 && k != 8 && key != D() && !(key == u'-' && FAllowNegative)) {
        const String v = Text();
        const int dpos = int(v.indexOf(D()));
        String whole = dpos >= 0 ? v.left(dpos) : v;
        whole.remove(u'-');
        const int caret = SelStart() - ValueStart();
        if (whole.size() >= FDigitLimit && SelLength() == 0 && (dpos < 0 || caret <= dpos)) return true;
    }
    if (k == 10) return true;
    if (SignedKind(FEditKind) && key == u'-' && !FAllowNegative) return true;
    const bool control = k == 8 || k == 9 || k == 13;
    switch (FEditKind) {
    case TDropDownEditType::etString:
    case TDropDownEditType::etPassword:
        return false;
    case TDropDownEditType::etNumeric:
        if (key == u'-') {
            if (SelLength() > 0 && SelLength() == Text().size()) WriteWindowText(FTextPrefix + u'-' + FTextSuffix,
                                                                                  ValueStart() + 1);
            else ToggleSign();
            return true;
        }
        return !(control || key.isDigit() || ctrl);
    case TDropDownEditType::etFloat:
    case TDropDownEditType::etMoney: {
        const bool money = FEditKind == TDropDownEditType::etMoney;
        if (key == u'-') {
            if (SelLength() == 0) {
                ToggleSign();
                return true;
            }
            return false;
        }
        if (!money && (key == u',' || key == u'.') && key != D() && key != T()) return true;
        if (!(control || key.isDigit() || key == D() || (!money && (key == u',' || key == u'.')))) return true;
        if (!control && FloatSeparatorRules(key, money)) return true;
        if (money && !control && key != D()) {
            InsertTyped(key);
            if (!Text().isEmpty() && Text() != QStringLiteral("-")) MoneyReformat();
            SetModifiedState(true);
            return true;
        }
        return false;
    }
    case TDropDownEditType::etUppercase:
    case TDropDownEditType::etLowerCase:
        return false;
    case TDropDownEditType::etMixedCase: {
        InsertTyped(key);
        const int caret = SelStart();
        WriteWindowText(FTextPrefix + MixedCase(Text()) + FTextSuffix, caret);
        return true;
    }
    case TDropDownEditType::etRange: {
        if (control || key.isDigit()) return false;
        if (key != u',' && key != u'-' && key != u';') return true;
        const String v = Text();
        const int caret = SelStart() - ValueStart();
        if (caret == 0) return true;
        auto separatorAt = [&](int i) { return i >= 0 && i < v.size() && (v[i] == u',' || v[i] == u'-' || v[i] == u';'); };
        return separatorAt(caret - 1) || separatorAt(caret);
    }
    case TDropDownEditType::etHex:
        return !(control || key == u'-' || key.isDigit() || (key >= u'A' && key <= u'F') || (key >= u'a' && key <= u'f'));
    case TDropDownEditType::etAlphaNumeric:
        return !(control || key.isDigit() || (key >= u'A' && key <= u'Z') || (key >= u'a' && key <= u'z'));
    case TDropDownEditType::etValidChars:
        return !(k == 8 || FAllowedChars.contains(key));
    }
    return false;
}

void TZvCustomDropDown::WMChar(TWMKey& Message)
{
    if (!FEditorEnabled) return;
    QChar key(char16_t(Message.CharCode));
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    if (SelLength() > 0 && SelLength() == Text().size() && !Text().isEmpty()) FBlockChange = true;
    if (ctrl && key == u'\r') {
        FBlockChange = false;
        Message.Result = 1;
        return;
    }
    if (key == u'\r') {
        FBlockChange = false;
        QChar k = key;
        if (OnKeyPress) OnKeyPress(this, k);
        if (!FForwardDialogKeys && Parent()) {
            PostMessage(Parent(), WM_KEYDOWN, VK_RETURN, 0);
            PostMessage(Parent(), WM_KEYUP, VK_RETURN, 0);
        }
        return;
    }
    if (key == QChar(27)) {
        if (!FForwardDialogKeys && Parent()) {
            PostMessage(Parent(), WM_KEYDOWN, VK_ESCAPE, 0);
            PostMessage(Parent(), WM_KEYUP, VK_ESCAPE, 0);
        }
        FBlockChange = false;
        TEdit::WMChar(Message);
        return;
    }
    if (ctrl && (key == QChar(3) || key == QChar(22) || key == QChar(24))) {
        FBlockChange = false;
        TEdit::WMChar(Message);
        return;
    }
    const bool keypad = (Message.KeyData & (LPARAM(0x40) << 16)) != 0;
    if (FEditKind == TDropDownEditType::etUppercase) key = key.toUpper();
    else if (FEditKind == TDropDownEditType::etLowerCase) key = key.toLower();
    if (TextKindChar(key, ctrl, keypad)) {
        FBlockChange = false;
        return;
    }
    Message.CharCode = key.unicode();
    const String before = Text();
    TEdit::WMChar(Message);
    FBlockChange = false;
    if (key.unicode() == 8 && Text().isEmpty() && before.size() > 1) TEdit::Change();
    if (Modified()) SetModifiedState(true);
}

// ---- Key-downs of the kinds ---------------------------------------------------------------------
// True when the key is consumed here.
bool TZvCustomDropDown::TextKindKeyDown(WORD& key, TShiftState shift)
{
    const int start = ValueStart();
    const int end = ValueEnd();
    const bool shiftDown = shift.Contains(ssShift) || GetKeyState(VK_SHIFT) < 0;
    if (!FTextSuffix.isEmpty()) {
        if (key == VK_RIGHT && SelStart() + SelLength() >= end && SelLength() == 0) return true;
        if (key == VK_DELETE && SelStart() >= end && SelLength() == 0) return true;
        if (key == VK_END) {
            const int from = SelStart();
            if (shiftDown) {
                SetSelStart(from);
                SetSelLength(end - from);
            } else {
                SetSelStart(end);
            }
            return true;
        }
    }
    if (!FTextPrefix.isEmpty()) {
        if (key == VK_LEFT && SelStart() <= start && SelLength() == 0) return true;
        if (key == VK_HOME) {
            if (shiftDown) {
                SetSelStart(start);
                SetSelLength(end - start);
            } else {
                SetSelStart(start);
            }
            return true;
        }
        if (key == VK_BACK && SelStart() <= start && SelLength() == 0) return true;
    }
    if (key == VK_DELETE) {
        if (FDigitLimit > 0) {
            String after = Text();
            const int caret = SelStart() - start;
            after.remove(caret, std::max(1, SelLength()));
            const int dpos = int(after.indexOf(D()));
            String whole = dpos >= 0 ? after.left(dpos) : after;
            whole.remove(u'-');
            if (whole.size() > FDigitLimit) return true;
        }
        SetModifiedState(true);
    }
    if (FEnterMovesFocus && key == VK_RETURN) {
        key = VK_TAB;
        if (Showing()) PostMessage(this, WM_KEYDOWN, VK_TAB, 0);
    }
    return false;
}

// ---- Clipboard ------------------------------------------------------------------------------------
void TZvCustomDropDown::ClipboardMessage(TMessage& Message)
{
    const String value = Text();
    const int selFrom = std::max(0, SelStart() - ValueStart());
    String selected = value.mid(selFrom, SelLength());
    if (Message.Msg == WM_COPY) {
        bool allow = true;
        if (OnClipboardCopy && !FBlockCopy) OnClipboardCopy(this, selected, allow);
        FBlockCopy = false;
        if (allow) TEdit::DefaultHandler(Message);
        return;
    }
    if (Message.Msg == WM_CUT) {
        if (!FEditorEnabled || ReadOnly()) return;
        FBlockCopy = true;
        bool allow = true;
        if (OnClipboardCut) OnClipboardCut(this, selected, allow);
        if (allow) TEdit::DefaultHandler(Message);
        FBlockCopy = false;
        return;
    }
    // Paste.
    const String clip = QGuiApplication::clipboard()->text();
    if (ReadOnly() || clip.isEmpty()) return;
    String n = value;
    n.replace(selFrom, SelLength(), clip);
    bool allow = true;
    if (OnClipboardPaste) OnClipboardPaste(this, n, allow);
    if (!allow) return;
    if (MaxLength() > 0 && clip.size() + value.size() - SelLength() > MaxLength()) return;
    const int caretAfter = ValueStart() + selFrom + int(clip.size());
    const bool negativeOk = FAllowNegative || !n.contains(u'-');
    switch (FEditKind) {
    case TDropDownEditType::etString:
    case TDropDownEditType::etPassword:
        SetText(n);
        break;
    case TDropDownEditType::etNumeric:
        if (ClassifyNumberText(n) != 0 || !negativeOk) return;
        SetText(n);
        break;
    case TDropDownEditType::etFloat:
    case TDropDownEditType::etMoney: {
        const int kind = ClassifyNumberText(n);
        if ((kind != 0 && kind != 1) || !(FPrecision > 0 || !clip.contains(D())) || !negativeOk) return;
        SetText(n);
        SetFloatValue(GetFloatValue());
        break;
    }
    case TDropDownEditType::etUppercase: SetText(n.toUpper()); break;
    case TDropDownEditType::etLowerCase: SetText(n.toLower()); break;
    case TDropDownEditType::etMixedCase: SetText(MixedCase(n)); break;
    case TDropDownEditType::etAlphaNumeric:
        for (QChar c : n)
            if (!(c.isDigit() || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'))) return;
        SetText(n);
        break;
    case TDropDownEditType::etValidChars:
        for (QChar c : n)
            if (!FAllowedChars.contains(c)) return;
        SetText(n);
        break;
    case TDropDownEditType::etRange:
    case TDropDownEditType::etHex:
        return;
    }
    if (FEditKind == TDropDownEditType::etMoney && Text().size() > 3) SelectAll();
    else SetSelStart(std::min(caretAfter, ValueEnd()));
    SetModifiedState(true);
}

// ---- Losing the focus --------------------------------------------------------------------------------
void TZvCustomDropDown::KillFocusReformat()
{
    if (IsFloatKind(FEditKind) && FPrecision > 0 && !(Text().isEmpty() && FAllowEmptyNumber)) {
        const bool modified = Modified();
        SetFloatValue(GetFloatValue());
        SetModified(modified);
    }
    if (FEditKind == TDropDownEditType::etNumeric && Text().isEmpty() && !FAllowEmptyNumber) SetText(QStringLiteral("0"));
    if (IsFloatKind(FEditKind) && Text().isEmpty() && !FAllowEmptyNumber) SetFloatValue(0);
}
