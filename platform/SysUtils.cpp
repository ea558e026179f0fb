#include "platform/SysUtils.h"

#include <QLocale>
#include <algorithm>
#include <limits>

Exception::Exception(const String& message) : FMessage(message), FUtf8(message.toUtf8()) {}

void Exception::SetMessage(const String& message)
{
    FMessage = message;
    FUtf8 = message.toUtf8();
}

namespace {

int HexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9') return u - u'0';
    if (u >= u'a' && u <= u'f') return u - u'a' + 10;
    if (u >= u'A' && u <= u'F') return u - u'A' + 10;
    return -1;
}

// Parses into a 64-bit magnitude; `bits` bounds hexadecimal input, `maxDecimal`
// bounds decimal input (the negative bound is one more).
bool ParseInteger(const String& text, int bits, std::int64_t& out)
{
    const int n = text.size();
    int i = 0;
    while (i < n && text[i] == u' ') ++i;
    bool negative = false;
    if (i < n && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    bool hex = false;
    if (i < n && text[i] == u'$') {
        hex = true;
        ++i;
    } else if (i < n && (text[i] == u'x' || text[i] == u'X')) {
        hex = true;
        ++i;
    } else if (i + 1 < n && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X')) {
        hex = true;
        i += 2;
    }
    if (i >= n) return false;

    if (hex) {
        std::uint64_t v = 0;
        const int maxDigits = bits / 4;
        int digits = 0;
        for (; i < n; ++i) {
            const int d = HexDigit(text[i]);
            if (d < 0) return false;
            v = (v << 4) | static_cast<unsigned>(d);
            if (v != 0 || digits > 0) ++digits;
            if (digits > maxDigits) return false;
        }
        std::int64_t s = bits == 32 ? static_cast<std::int64_t>(static_cast<std::int32_t>(static_cast<std::uint32_t>(v)))
                                    : static_cast<std::int64_t>(v);
        out = negative ? -s : s;
        return true;
    }

    const std::uint64_t limitPos = bits == 32 ? std::numeric_limits<std::int32_t>::max()
                                              : static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    const std::uint64_t limit = negative ? limitPos + 1 : limitPos;
    std::uint64_t v = 0;
    for (; i < n; ++i) {
        const char16_t u = text[i].unicode();
        if (u < u'0' || u > u'9') return false;
        const unsigned d = u - u'0';
        if (v > (limit - d) / 10) return false;
        v = v * 10 + d;
    }
    if (negative)
        out = v == limitPos + 1 ? (bits == 32 ? std::numeric_limits<std::int32_t>::min() : std::numeric_limits<std::int64_t>::min())
                                : -static_cast<std::int64_t>(v);
    else
        out = static_cast<std::int64_t>(v);
    return true;
}

bool IsTrimmed(QChar c) { return c.unicode() <= u' '; }

char16_t FoldAscii(char16_t c, bool toUpper)
{
    if (toUpper && c >= u'a' && c <= u'z') return c - 32;
    if (!toUpper && c >= u'A' && c <= u'Z') return c + 32;
    return c;
}

} // namespace

bool TryStrToInt(const String& text, int& value)
{
    std::int64_t v;
    if (!ParseInteger(text, 32, v)) return false;
    value = static_cast<int>(v);
    return true;
}

bool TryStrToInt64(const String& text, std::int64_t& value) { return ParseInteger(text, 64, value); }

int StrToIntDef(const String& text, int defaultValue)
{
    int v;
    return TryStrToInt(text, v) ? v : defaultValue;
}

std::int64_t StrToInt64Def(const String& text, std::int64_t defaultValue)
{
    std::int64_t v;
    return TryStrToInt64(text, v) ? v : defaultValue;
}

int StrToInt(const String& text)
{
    int v;
    if (!TryStrToInt(text, v)) throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return v;
}

String IntToStr(std::int64_t value) { return QString::number(value); }

String IntToHex(std::uint64_t value, int digits)
{
    return QString::number(value, 16).toUpper().rightJustified(digits, u'0');
}

String Trim(const String& text)
{
    int b = 0, e = text.size();
    while (b < e && IsTrimmed(text[b])) ++b;
    while (e > b && IsTrimmed(text[e - 1])) --e;
    return text.mid(b, e - b);
}

String TrimLeft(const String& text)
{
    int b = 0;
    while (b < text.size() && IsTrimmed(text[b])) ++b;
    return text.mid(b);
}

String TrimRight(const String& text)
{
    int e = text.size();
    while (e > 0 && IsTrimmed(text[e - 1])) --e;
    return text.left(e);
}

String UpperCase(const String& text)
{
    String r = text;
    for (QChar& c : r) c = QChar(FoldAscii(c.unicode(), true));
    return r;
}

String LowerCase(const String& text)
{
    String r = text;
    for (QChar& c : r) c = QChar(FoldAscii(c.unicode(), false));
    return r;
}

int CompareText(const String& a, const String& b)
{
    const int n = std::min(a.size(), b.size());
    for (int i = 0; i < n; ++i) {
        const int d = int(FoldAscii(a[i].unicode(), true)) - int(FoldAscii(b[i].unicode(), true));
        if (d != 0) return d;
    }
    return int(a.size()) - int(b.size());
}

bool SameText(const String& a, const String& b) { return a.size() == b.size() && CompareText(a, b) == 0; }

int CompareStr(const String& a, const String& b) { return QString::compare(a, b, Qt::CaseSensitive); }

bool AnsiSameText(const String& a, const String& b) { return QString::compare(a, b, Qt::CaseInsensitive) == 0; }

int AnsiCompareText(const String& a, const String& b) { return QString::localeAwareCompare(a.toLower(), b.toLower()); }

String BoolToStr(bool value, bool useBoolStrs)
{
    if (useBoolStrs) return value ? QStringLiteral("True") : QStringLiteral("False");
    return value ? QStringLiteral("-1") : QStringLiteral("0");
}

String Format(const String& format, std::initializer_list<QVariant> args)
{
    String out;
    auto arg = args.begin();
    const int n = format.size();
    for (int i = 0; i < n; ++i) {
        const QChar c = format[i];
        if (c != u'%') {
            out += c;
            continue;
        }
        if (i + 1 < n && format[i + 1] == u'%') {
            out += u'%';
            ++i;
            continue;
        }
        int j = i + 1;
        bool left = false;
        if (j < n && format[j] == u'-') {
            left = true;
            ++j;
        }
        int width = 0;
        while (j < n && format[j].isDigit()) width = width * 10 + format[j++].digitValue();
        int precision = -1;
        if (j < n && format[j] == u'.') {
            precision = 0;
            ++j;
            while (j < n && format[j].isDigit()) precision = precision * 10 + format[j++].digitValue();
        }
        if (j >= n) throw EConvertError(QStringLiteral("Format '%1' invalid or incompatible with argument").arg(format));
        const QChar kind = format[j];
        if (arg == args.end()) throw EConvertError(QStringLiteral("Format '%1' invalid or incompatible with argument").arg(format));
        const QVariant& v = *arg++;
        String piece;
        switch (kind.toLower().unicode()) {
        case u'd': piece = QString::number(v.toLongLong());
            if (precision > 0) {
                const bool neg = piece.startsWith(u'-');
                String digits = neg ? piece.mid(1) : piece;
                piece = (neg ? QStringLiteral("-") : String()) + digits.rightJustified(precision, u'0');
            }
            break;
        case u'u': piece = QString::number(v.toULongLong()); break;
        case u'x': piece = QString::number(v.toULongLong(), 16).toUpper();
            if (precision > 0) piece = piece.rightJustified(precision, u'0');
            break;
        case u's': piece = v.toString();
            if (precision >= 0) piece = piece.left(precision);
            break;
        case u'f': piece = QString::number(v.toDouble(), 'f', precision < 0 ? 2 : precision); break;
        case u'e': piece = QString::number(v.toDouble(), 'E', precision < 0 ? 15 : precision - 1); break;
        case u'g': piece = QString::number(v.toDouble(), 'g', precision < 0 ? 15 : precision); break;
        case u'n': piece = QLocale::c().toString(v.toDouble(), 'f', precision < 0 ? 2 : precision); break;
        case u'm': piece = QString::number(v.toDouble(), 'f', precision < 0 ? 2 : precision); break;
        default: throw EConvertError(QStringLiteral("Format '%1' invalid or incompatible with argument").arg(format));
        }
        if (piece.size() < width) piece = left ? piece.leftJustified(width) : piece.rightJustified(width);
        out += piece;
        i = j;
    }
    return out;
}
