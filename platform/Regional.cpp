#include "platform/Regional.h"

#include <QLocale>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>

namespace {

// ---- building the settings of a locale ---------------------------------------

bool IsQtFormatLetter(QChar c) { return c.isLetter() && c.unicode() < 0x80; }

// Qt's date and time patterns in the platform's tokens: M becomes m, minutes
// become n, H becomes h, AP becomes ampm, the time zone is left out, and any
// other letter is quoted so that it cannot be taken for a token.
String FromQtPattern(const String& qt)
{
    String out;
    String literal;
    auto flushLiteral = [&] {
        if (literal.isEmpty()) return;
        out += u'"' + literal + u'"';
        literal.clear();
    };
    const int n = qt.size();
    for (int i = 0; i < n;) {
        const QChar c = qt[i];
        if (c == u'\'') { // quoted text; '' is one quote
            int j = i + 1;
            if (j < n && qt[j] == u'\'') {
                literal += u'\'';
                i = j + 1;
                continue;
            }
            while (j < n) {
                if (qt[j] == u'\'') {
                    if (j + 1 < n && qt[j + 1] == u'\'') {
                        literal += u'\'';
                        j += 2;
                        continue;
                    }
                    break;
                }
                literal += qt[j++];
            }
            i = j + 1;
            continue;
        }
        int run = 1;
        while (i + run < n && qt[i + run] == c) ++run;
        const char16_t u = c.unicode();
        String token;
        switch (u) {
        case u'd': token = String(std::min(run, 4), u'd'); break;
        case u'M': token = String(std::min(run, 4), u'm'); break;
        case u'y': token = run <= 2 ? QStringLiteral("yy") : QStringLiteral("yyyy"); break;
        case u'h':
        case u'H': token = run == 1 ? QStringLiteral("h") : QStringLiteral("hh"); break;
        case u'm': token = run == 1 ? QStringLiteral("n") : QStringLiteral("nn"); break;
        case u's': token = run == 1 ? QStringLiteral("s") : QStringLiteral("ss"); break;
        case u'z': token = run < 3 ? QStringLiteral("z") : QStringLiteral("zzz"); break;
        case u'A':
        case u'a':
            token = QStringLiteral("ampm");
            if (i + 1 < n && (qt[i + 1] == u'P' || qt[i + 1] == u'p')) run = 2;
            else run = 1;
            break;
        case u't': // the time zone: dropped with its brackets
            flushLiteral();
            if (out.endsWith(u'(')) out.chop(1);
            if (i + run < n && qt[i + run] == u')') ++run;
            i += run;
            continue;
        default:
            if (IsQtFormatLetter(c)) {
                literal += String(run, c);
                i += run;
                continue;
            }
            // Separators and blanks stay bare, so "/" and ":" keep their meaning.
            flushLiteral();
            out += String(run, c);
            i += run;
            continue;
        }
        flushLiteral();
        out += token;
        i += run;
    }
    flushLiteral();
    return out.trimmed();
}

// The first character of a pattern that is neither a letter, a blank, a
// quote nor an invisible direction mark: the separator of its fields.
QChar SeparatorOf(const String& qtPattern, QChar fallback)
{
    for (QChar c : qtPattern) {
        if (c.isLetter() || c.isSpace() || c == u'\'' || c.category() == QChar::Other_Format) continue;
        return c;
    }
    return fallback;
}

// Replaces the separator by its placeholder outside quoted text.
String WithPlaceholder(const String& format, QChar separator, QChar placeholder)
{
    String out;
    QChar quote;
    for (QChar c : format) {
        if (!quote.isNull()) {
            if (c == quote) quote = QChar();
        } else if (c == u'"' || c == u'\'') {
            quote = c;
        } else if (c == separator) {
            c = placeholder;
        }
        out += c;
    }
    return out;
}

// A short date with a two-digit year could not be read back beyond the
// century window, so the settings always carry the full year.
String WithFullYear(const String& format)
{
    String out = format;
    const int at = out.indexOf(QStringLiteral("yy"));
    if (at >= 0 && out.mid(at, 4) != u"yyyy") out.replace(at, 2, QStringLiteral("yyyy"));
    return out;
}

bool HasNumericDateFields(const String& format)
{
    const String f = format.toLower();
    return f.contains(u'd') && f.contains(u'y') && f.contains(u'm') && !f.contains(QStringLiteral("mmm"));
}

std::optional<TFormatSettings>& Current()
{
    static std::optional<TFormatSettings> settings;
    return settings;
}

// ---- reading numbers ---------------------------------------------------------

// Decimal order of magnitude of a number text (digits, point, exponent): 0 for
// 1-9.99, positive above, negative below. Tells overflow from underflow.
int Magnitude(const std::string& ascii)
{
    int leadingInt = 0, fracZeros = 0;
    bool seenPoint = false, significant = false;
    std::size_t i = ascii[0] == '-' ? 1 : 0;
    for (; i < ascii.size() && ascii[i] != 'e'; ++i) {
        const char c = ascii[i];
        if (c == '.') {
            seenPoint = true;
        } else if (!significant && c == '0') {
            if (seenPoint) ++fracZeros;
        } else {
            significant = true;
            if (!seenPoint) ++leadingInt;
        }
    }
    long exp = 0;
    if (i < ascii.size()) {
        std::size_t j = i + 1;
        const bool negative = j < ascii.size() && ascii[j] == '-';
        if (j < ascii.size() && (ascii[j] == '-' || ascii[j] == '+')) ++j;
        for (; j < ascii.size(); ++j) exp = std::min(exp * 10 + (ascii[j] - '0'), 100000L);
        if (negative) exp = -exp;
    }
    return int((leadingInt > 0 ? leadingInt - 1 : -(fracZeros + 1)) + exp);
}

// [sign] digits [separator digits] [e [sign] digits], with blanks allowed at
// both ends; at least one mantissa digit. Only the given separator counts.
bool ParseFloat(const String& text, QChar separator, double& value)
{
    int b = 0, e = text.size();
    while (b < e && text[b] == u' ') ++b;
    while (e > b && text[e - 1] == u' ') --e;
    std::string ascii;
    ascii.reserve(std::size_t(e - b));
    int i = b;
    auto digits = [&] {
        int count = 0;
        while (i < e && text[i].unicode() >= u'0' && text[i].unicode() <= u'9') {
            ascii += char(text[i].unicode());
            ++i;
            ++count;
        }
        return count;
    };
    if (i < e && (text[i] == u'+' || text[i] == u'-')) {
        if (text[i] == u'-') ascii += '-';
        ++i;
    }
    int mantissa = digits();
    if (i < e && text[i] == separator) {
        ascii += '.';
        ++i;
        mantissa += digits();
    }
    if (mantissa == 0) return false;
    if (i < e && (text[i] == u'e' || text[i] == u'E')) {
        ascii += 'e';
        ++i;
        if (i < e && (text[i] == u'+' || text[i] == u'-')) ascii += char(text[i++].unicode());
        if (digits() == 0) return false;
    }
    if (i != e) return false;
    double v = 0;
    const auto res = std::from_chars(ascii.data(), ascii.data() + ascii.size(), v);
    if (res.ec == std::errc::result_out_of_range) {
        // Too large is no number; too small is zero.
        if (Magnitude(ascii) > 0) return false;
        v = ascii[0] == '-' ? -0.0 : 0.0;
    } else if (res.ec != std::errc() || res.ptr != ascii.data() + ascii.size() || !std::isfinite(v)) {
        return false;
    }
    value = v;
    return true;
}

// ---- writing numbers ---------------------------------------------------------

// A magnitude as significant digits: value = 0.d1d2d3... * 10^exponent.
struct Decimal {
    bool negative = false;
    std::string digits; // no trailing zeros; empty for zero
    int exponent = 0;
};

// Keeps `keep` significant digits, rounding half away from zero.
void RoundDigits(Decimal& d, int keep)
{
    if (keep >= int(d.digits.size())) return;
    if (keep < 0) {
        d.digits.clear();
        return;
    }
    const bool up = d.digits[std::size_t(keep)] >= '5';
    d.digits.resize(std::size_t(keep));
    if (up) {
        int k = keep - 1;
        while (k >= 0 && d.digits[std::size_t(k)] == '9') d.digits[std::size_t(k--)] = '0';
        if (k >= 0) {
            ++d.digits[std::size_t(k)];
        } else {
            d.digits.insert(d.digits.begin(), '1');
            ++d.exponent;
        }
    }
    while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
}

// The value rounded to `precision` significant digits, from an expansion
// long enough (19 digits) that its own rounding never decides a tie.
Decimal ToDecimal(double value, int precision)
{
    Decimal d;
    d.negative = std::signbit(value);
    if (value == 0) return d;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.18e", std::fabs(value));
    const std::string s(buf);
    const std::size_t ePos = s.find('e');
    for (std::size_t i = 0; i < ePos; ++i)
        if (s[i] != '.') d.digits += s[i];
    d.exponent = std::stoi(s.substr(ePos + 1)) + 1;
    RoundDigits(d, precision);
    return d;
}

char DigitAt(const Decimal& d, int index)
{
    return index >= 0 && index < int(d.digits.size()) ? d.digits[std::size_t(index)] : '0';
}

String NonFinite(double value)
{
    if (std::isnan(value)) return QStringLiteral("NAN");
    return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

String Signed(const Decimal& d, const String& body) { return d.negative && !d.digits.empty() ? u'-' + body : body; }

String ExponentText(int exponent, bool plusSign, int minDigits)
{
    String digits = QString::number(std::abs(exponent));
    if (digits.size() < minDigits) digits = digits.rightJustified(minDigits, u'0');
    if (exponent < 0) return u'-' + digits;
    return plusSign ? u'+' + digits : digits;
}

// The integer part (grouped when asked) and `decimals` digits after the separator.
String FixedText(const Decimal& d, int decimals, const TFormatSettings& s, bool group)
{
    String intPart;
    for (int i = 0; i < d.exponent; ++i) {
        if (group && i > 0 && (d.exponent - i) % 3 == 0) intPart += s.ThousandSeparator;
        intPart += QChar(DigitAt(d, i));
    }
    if (intPart.isEmpty()) intPart = QStringLiteral("0");
    if (decimals <= 0) return intPart;
    String frac;
    for (int k = 0; k < decimals; ++k) frac += QChar(DigitAt(d, d.exponent + k));
    return intPart + s.DecimalSeparator + frac;
}

// Fixed notation while the integer digits fit the precision and the value is
// at least 0.0001, else the exponent form; no trailing zeros either way.
String GeneralText(double value, int precision, int expDigits, const TFormatSettings& s)
{
    const Decimal d = ToDecimal(value, precision);
    if (d.digits.empty()) return QStringLiteral("0");
    if (d.exponent > precision || d.exponent < -3) {
        String body = QChar(d.digits[0]);
        if (d.digits.size() > 1) body += s.DecimalSeparator + QString::fromLatin1(d.digits.substr(1));
        return Signed(d, body + u'E' + ExponentText(d.exponent - 1, false, expDigits));
    }
    return Signed(d, FixedText(d, std::max(0, int(d.digits.size()) - d.exponent), s, false));
}

String ExponentFormText(double value, int precision, int expDigits, const TFormatSettings& s)
{
    const Decimal d = ToDecimal(value, precision);
    String mantissa = QChar(DigitAt(d, 0));
    if (precision > 1) {
        mantissa += s.DecimalSeparator;
        for (int k = 1; k < precision; ++k) mantissa += QChar(DigitAt(d, k));
    }
    const int exponent = d.digits.empty() ? 0 : d.exponent - 1;
    return Signed(d, mantissa + u'E' + ExponentText(exponent, true, expDigits));
}

// Rounded first to the precision, then to the decimals, as the platform does.
String FixedFormText(double value, int precision, int decimals, bool group, const TFormatSettings& s)
{
    Decimal d = ToDecimal(value, precision);
    if (d.exponent > precision) return ExponentFormText(value, precision, 0, s);
    RoundDigits(d, d.exponent + decimals);
    return Signed(d, FixedText(d, decimals, s, group));
}

} // namespace

TFormatSettings FormatSettingsFromLocale(const String& localeName)
{
    const QLocale locale(localeName);
    TFormatSettings s;
    if (locale.language() == QLocale::C) return s;

    s.DecimalSeparator = locale.decimalPoint().isEmpty() ? QChar(u'.') : locale.decimalPoint().at(0);
    s.ThousandSeparator = locale.groupSeparator().isEmpty() ? QChar(u',') : locale.groupSeparator().at(0);
    s.ProfileDecimal = locale.decimalPoint();

    const String qtShortDate = locale.dateFormat(QLocale::ShortFormat);
    const String shortDate = WithFullYear(FromQtPattern(qtShortDate));
    if (HasNumericDateFields(shortDate)) {
        s.DateSeparator = SeparatorOf(qtShortDate, u'/');
        s.ShortDateFormat = WithPlaceholder(shortDate, s.DateSeparator, u'/');
        s.LongDateFormat = WithPlaceholder(FromQtPattern(locale.dateFormat(QLocale::LongFormat)), s.DateSeparator, u'/');
    }

    const String qtShortTime = locale.timeFormat(QLocale::ShortFormat);
    s.TimeSeparator = SeparatorOf(qtShortTime, u':');
    s.ShortTimeFormat = WithPlaceholder(FromQtPattern(qtShortTime), s.TimeSeparator, u':');
    s.LongTimeFormat = WithPlaceholder(FromQtPattern(locale.timeFormat(QLocale::LongFormat)), s.TimeSeparator, u':');
    s.TimeAMString = locale.amText();
    s.TimePMString = locale.pmText();

    for (int m = 1; m <= 12; ++m) {
        s.ShortMonthNames[std::size_t(m - 1)] = locale.monthName(m, QLocale::ShortFormat);
        s.LongMonthNames[std::size_t(m - 1)] = locale.monthName(m, QLocale::LongFormat);
    }
    for (int d = 0; d < 7; ++d) {
        const int qtDay = d == 0 ? 7 : d; // Qt counts from Monday = 1, the platform from Sunday
        s.ShortDayNames[std::size_t(d)] = locale.dayName(qtDay, QLocale::ShortFormat);
        s.LongDayNames[std::size_t(d)] = locale.dayName(qtDay, QLocale::LongFormat);
    }
    return s;
}

const TFormatSettings& FormatSettings()
{
    if (!Current()) Current() = FormatSettingsFromLocale(QLocale::system().name());
    return *Current();
}

void SetFormatSettings(const TFormatSettings& settings) { Current() = settings; }

void ResetFormatSettingsFromSystem() { Current() = FormatSettingsFromLocale(QLocale::system().name()); }

bool TryStrToFloat(const String& text, double& value) { return TryStrToFloat(text, value, FormatSettings()); }

bool TryStrToFloat(const String& text, double& value, const TFormatSettings& settings)
{
    return ParseFloat(text, settings.DecimalSeparator, value);
}

double StrToFloatDef(const String& text, double defaultValue)
{
    double v;
    return TryStrToFloat(text, v) ? v : defaultValue;
}

double StrToFloat(const String& text)
{
    double v;
    if (!TryStrToFloat(text, v)) throw EConvertError(QStringLiteral("'%1' is not a valid floating point value").arg(text));
    return v;
}

String FloatToStr(double value) { return FloatToStr(value, FormatSettings()); }

String FloatToStr(double value, const TFormatSettings& settings)
{
    if (!std::isfinite(value)) return NonFinite(value);
    return GeneralText(value, 15, 0, settings);
}

String FloatToStrF(double value, TFloatFormat format, int precision, int digits)
{
    if (!std::isfinite(value)) return NonFinite(value);
    const TFormatSettings& s = FormatSettings();
    precision = std::clamp(precision, 1, 17);
    switch (format) {
    case TFloatFormat::ffGeneral: return GeneralText(value, precision, std::clamp(digits, 0, 4), s);
    case TFloatFormat::ffExponent: return ExponentFormText(value, precision, std::clamp(digits, 0, 4), s);
    case TFloatFormat::ffFixed: return FixedFormText(value, precision, std::clamp(digits, 0, 18), false, s);
    case TFloatFormat::ffNumber:
    case TFloatFormat::ffCurrency: return FixedFormText(value, precision, std::clamp(digits, 0, 18), true, s);
    }
    return {};
}
