#include "platform/MaskEdit.h"

#include "platform/Regional.h"

#include <algorithm>

TEditMask::TEditMask(const String& mask) : TEditMask(mask, FormatSettings()) {}

TEditMask::TEditMask(const String& mask, const TFormatSettings& settings) : FSource(mask)
{
    TCase currentCase = TCase::Keep;
    int i = 0;
    const int n = int(mask.size());
    for (; i < n; ++i) {
        const QChar c = mask[i];
        if (c == u';') break;
        TPosition p;
        p.Case = currentCase;
        switch (c.unicode()) {
        case u'!': FLeadingBlanks = true; continue;
        case u'>':
            currentCase = TCase::Upper;
            continue;
        case u'<':
            if (i + 1 < n && mask[i + 1] == u'>') {
                currentCase = TCase::Keep;
                ++i;
            } else {
                currentCase = TCase::Lower;
            }
            continue;
        case u'\\':
            // A trailing backslash escapes nothing and stands for itself.
            p.Literal = i + 1 < n ? mask[++i] : c;
            break;
        case u'0': p.Kind = TKind::Digit; p.Required = true; break;
        case u'9': p.Kind = TKind::Digit; break;
        case u'#': p.Kind = TKind::DigitOrSign; break;
        case u'L': p.Kind = TKind::Letter; p.Required = true; break;
        case u'l': p.Kind = TKind::Letter; break;
        case u'A': p.Kind = TKind::AlphaNum; p.Required = true; break;
        case u'a': p.Kind = TKind::AlphaNum; break;
        case u'C': p.Kind = TKind::AnyChar; p.Required = true; break;
        case u'c': p.Kind = TKind::AnyChar; break;
        case u':': p.Literal = settings.TimeSeparator; break;
        case u'/': p.Literal = settings.DateSeparator; break;
        case u'_': p.Literal = u' '; break;
        default: p.Literal = c; break;
        }
        FPositions.push_back(p);
    }
    // The two trailing fields: keep literals, then the blank character.
    if (i < n && mask[i] == u';') {
        ++i;
        if (i < n && mask[i] != u';') FSaveLiterals = mask[i] != u'0';
        const int next = int(mask.indexOf(u';', i));
        if (next >= 0 && next + 1 < n) FBlank = mask[next + 1];
    }
}

bool TEditMask::IsLiteral(int pos) const
{
    return pos >= 0 && pos < Length() && FPositions[size_t(pos)].Kind == TKind::Literal;
}

QChar TEditMask::Accept(int pos, QChar c) const
{
    if (pos < 0 || pos >= Length()) return {};
    const TPosition& p = FPositions[size_t(pos)];
    const bool digit = c >= u'0' && c <= u'9';
    bool ok = false;
    switch (p.Kind) {
    case TKind::Literal: ok = c == p.Literal; break;
    case TKind::Digit: ok = digit; break;
    case TKind::DigitOrSign: ok = digit || c == u'+' || c == u'-'; break;
    case TKind::Letter: ok = c.isLetter(); break;
    case TKind::AlphaNum: ok = c.isLetterOrNumber(); break;
    case TKind::AnyChar: ok = c.unicode() >= 32; break;
    }
    if (!ok) return {};
    if (p.Case == TCase::Upper) return c.toUpper();
    if (p.Case == TCase::Lower) return c.toLower();
    return c;
}

String TEditMask::EmptyText() const
{
    String s;
    s.reserve(Length());
    for (const TPosition& p : FPositions) s += p.Kind == TKind::Literal ? p.Literal : FBlank;
    return s;
}

int TEditMask::NextEditable(int pos) const
{
    pos = std::max(pos, 0);
    while (pos < Length() && IsLiteral(pos)) ++pos;
    return std::min(pos, Length());
}

int TEditMask::PreviousEditable(int pos) const
{
    pos = std::min(pos, Length()) - 1;
    while (pos >= 0 && IsLiteral(pos)) --pos;
    return pos;
}

// A text of the wrong length (from outside the engine) is cut or padded, and
// each literal put back, so every edit starts from a well-formed text.
String TEditMask::Normalised(const String& editText) const
{
    String s = EmptyText();
    for (int i = 0; i < Length() && i < editText.size(); ++i)
        if (!IsLiteral(i)) s[i] = Accept(i, editText[i]).isNull() ? FBlank : Accept(i, editText[i]);
    return s;
}

String TEditMask::BlankRange(String text, int from, int to) const
{
    for (int i = std::max(from, 0); i < std::min(to, Length()); ++i)
        if (!IsLiteral(i)) text[i] = FBlank;
    return text;
}

String TEditMask::Apply(const String& value) const
{
    if (Empty()) return value;
    String s = EmptyText();
    // A value that shows every literal in place is the edit text itself.
    bool laidOut = value.size() == Length();
    for (int i = 0; laidOut && i < Length(); ++i)
        if (IsLiteral(i) && value[i] != FPositions[size_t(i)].Literal) laidOut = false;
    if (laidOut) return Normalised(value);
    std::vector<int> editable;
    for (int i = 0; i < Length(); ++i)
        if (!IsLiteral(i)) editable.push_back(i);
    // The value's own characters, without the mask's literals it carries.
    String literals;
    for (const TPosition& p : FPositions)
        if (p.Kind == TKind::Literal) literals += p.Literal;
    String chars;
    for (QChar c : value)
        if (!literals.contains(c)) chars += c;
    const int count = std::min(int(chars.size()), int(editable.size()));
    const int first = FLeadingBlanks ? int(editable.size()) - count : 0;
    for (int k = 0; k < count; ++k) {
        const int at = editable[size_t(first + k)];
        const QChar c = Accept(at, chars[k]);
        if (!c.isNull()) s[at] = c;
    }
    return s;
}

String TEditMask::Value(const String& editText) const
{
    if (Empty() || FSaveLiterals) return editText;
    String v;
    for (int i = 0; i < editText.size(); ++i)
        if (!IsLiteral(i)) v += editText[i];
    return v;
}

bool TEditMask::Complete(const String& editText) const
{
    const String s = Normalised(editText);
    for (int i = 0; i < Length(); ++i)
        if (FPositions[size_t(i)].Required && s[i] == FBlank) return false;
    return true;
}

TEditMask::TEditResult TEditMask::Type(const String& editText, int selStart, int selLength, QChar c) const
{
    TEditResult r;
    r.Text = Normalised(editText);
    selStart = std::clamp(selStart, 0, Length());
    r.Caret = selStart;
    if (selLength > 0) r.Text = BlankRange(r.Text, selStart, selStart + selLength);
    // A literal typed where it stands steps over it.
    if (IsLiteral(selStart) && c == FPositions[size_t(selStart)].Literal) {
        r.Accepted = true;
        r.Caret = NextEditable(selStart + 1);
        return r;
    }
    const int at = NextEditable(selStart);
    const QChar accepted = Accept(at, c);
    if (at >= Length() || accepted.isNull()) {
        r.Text = Normalised(editText);
        return r;
    }
    r.Text[at] = accepted;
    r.Accepted = true;
    r.Caret = NextEditable(at + 1);
    return r;
}

TEditMask::TEditResult TEditMask::Backspace(const String& editText, int selStart, int selLength) const
{
    TEditResult r;
    r.Text = Normalised(editText);
    selStart = std::clamp(selStart, 0, Length());
    r.Accepted = true;
    if (selLength > 0) {
        r.Text = BlankRange(r.Text, selStart, selStart + selLength);
        r.Caret = selStart;
        return r;
    }
    const int at = PreviousEditable(selStart);
    if (at < 0) {
        r.Caret = selStart;
        r.Accepted = false;
        return r;
    }
    r.Text[at] = FBlank;
    r.Caret = at;
    return r;
}

TEditMask::TEditResult TEditMask::Delete(const String& editText, int selStart, int selLength) const
{
    TEditResult r;
    r.Text = Normalised(editText);
    selStart = std::clamp(selStart, 0, Length());
    r.Caret = selStart;
    r.Accepted = true;
    if (selLength > 0) {
        r.Text = BlankRange(r.Text, selStart, selStart + selLength);
        return r;
    }
    const int at = NextEditable(selStart);
    if (at >= Length()) {
        r.Accepted = false;
        return r;
    }
    r.Text[at] = FBlank;
    return r;
}
