#include "grid/support/ZvGridUtil.h"

#include "platform/TextCodec.h"

#include "platform/Regional.h"

#include <array>
#include <cmath>

namespace {

constexpr QChar CR = u'\r';
constexpr QChar LF = u'\n';
constexpr QChar VT = QChar(11);
constexpr QChar Quote = u'"';

// 1-based position of `sub` in `text` from 1-based `from`; 0 when absent or `sub` is empty.
int PosFrom(const String& sub, const String& text, int from = 1)
{
    if (sub.isEmpty()) return 0;
    return int(text.indexOf(sub, from - 1)) + 1;
}

// Each CR becomes `mark` and each LF goes, so a CR LF pair turns into one mark.
String MarkCRDropLF(const String& text, const String& mark)
{
    String out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (c == CR) out += mark;
        else if (c != LF) out += c;
    }
    return out;
}

// A copy of `text` with every `from` put as `to`.
template <class From, class To>
String Replaced(String text, const From& from, const To& to)
{
    return text.replace(from, to);
}

bool IsAsciiDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// Reads a whole text as an integer the platform's way (sign, decimal or hex).
bool ReadInt(const String& text, int& value) { return TryStrToInt(text, value); }

bool ReadNumber(const String& text, double& value)
{
    static const TFormatSettings dot = [] {
        TFormatSettings s;
        s.DecimalSeparator = u'.';
        s.ThousandSeparator = u',';
        return s;
    }();
    return TryStrToFloat(text, value, dot);
}

}  // namespace

// ---- Strings ----------------------------------------------------------------

int PosOut(const String& sub, const String& text, int& pos)
{
    pos = PosFrom(sub, text);
    return pos;
}

int PosInUpper(const String& sub, const String& text) { return PosFrom(sub, UpperCase(text)); }

int CharPos(QChar c, const String& text) { return int(text.indexOf(c)) + 1; }

int CharPosOut(QChar c, const String& text, int& pos)
{
    const int p = CharPos(c, text);
    if (p > 0) pos = p;
    return p;
}

int WidePos(const String& sub, const String& text) { return PosFrom(sub, text); }

void SplitAtDelimiter(String& text, const String& delimiter, String& part)
{
    const int p = PosFrom(delimiter, text);
    if (p == 0) {
        part.clear();
        return;
    }
    part = text.left(p - 1);
    text = text.mid(p);
}

String ConcatStrings(const TStringList& list)
{
    String out;
    for (int i = 0; i < list.Count(); ++i) out += list[i];
    return out;
}

void FillWithChar(String& text, QChar c) { text.fill(c); }

String EscapeQuoteChars(const String& text)
{
    return Replaced(text, Quote, QStringLiteral("\"\""));
}

String UndoubleChar(QChar c, const String& text)
{
    if (!text.contains(c)) return text;
    String out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        out += text[i];
        if (text[i] == c && i + 1 < text.size() && text[i + 1] == c) ++i;
    }
    return out;
}

int FindUnpairedChar(QChar c, const String& text, int& pos)
{
    pos = 0;
    const int n = int(text.size());
    int i = 0;
    while (i < n) {
        if (text[i] != c) {
            ++i;
            continue;
        }
        int run = 0;
        while (i < n && text[i] == c) {
            ++run;
            ++i;
        }
        if (i == n) {
            pos = n;
            break;
        }
        if (run % 2 == 1) {
            pos = i;   // 1-based position of the run's last character
            break;
        }
    }
    return pos;
}

int CountUnpairedChars(QChar c, const String& text)
{
    String rest = text;
    int count = 0;
    int p = 0;
    while (FindUnpairedChar(c, rest, p) > 0) {
        ++count;
        rest = rest.mid(p);
    }
    return count;
}

int CountChar(QChar c, const String& text) { return int(text.count(c)); }

QChar FindOperatorOutsideQuotes(const String& chars, const String& text, int& pos)
{
    bool inQuotes = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == Quote) {
            inQuotes = !inQuotes;
        } else if (!inQuotes && chars.contains(c)) {
            pos = int(i) + 1;
            return c;
        }
    }
    pos = -1;
    return QChar(0);
}

String StripSpacesOutsideQuotes(const String& text)
{
    String out;
    out.reserve(text.size());
    bool inQuotes = false;
    for (QChar c : text) {
        if (c == Quote) inQuotes = !inQuotes;
        if (c == u' ' && !inQuotes) continue;
        out += c;
    }
    return out;
}

int MatchingParenPos(const String& text)
{
    int open = 0;
    int close = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'(') {
            ++open;
        } else if (text[i] == u')') {
            ++close;
            if (open == close) return int(i) + 1;
        }
    }
    return 0;
}

String ToMixedCase(const String& text)
{
    auto isSeparator = [](QChar c) { return c == u' ' || c == u'\'' || c == u',' || c == u'-' || c == u'.'; };
    String out = text;
    bool wordStart = true;
    for (qsizetype i = 0; i < out.size(); ++i) {
        const QChar c = out[i];
        if (isSeparator(c)) {
            wordStart = true;
            continue;
        }
        if (c.isLetter()) {
            out[i] = wordStart ? c.toUpper() : c.toLower();
            wordStart = false;
        } else {
            wordStart = false;
        }
    }
    auto upperAt = [&out](qsizetype i) {
        if (i >= 0 && i < out.size()) out[i] = out[i].toUpper();
    };
    if (out.startsWith(QStringLiteral("Mc"))) upperAt(2);
    if (const qsizetype mc = out.indexOf(QStringLiteral(" Mc")); mc >= 0) upperAt(mc + 3);
    // A closing Roman numeral II or III stays in capitals.
    const qsizetype n = out.size();
    for (qsizetype k = qMax<qsizetype>(0, n - 3); k < n; ++k) {
        if (k >= 2 && out.mid(k - 2, 2) == QStringLiteral(" I")) upperAt(k);
        else if (k >= 3 && out.mid(k - 3, 3) == QStringLiteral(" II")) upperAt(k);
    }
    return out;
}

// ---- Line breaks and cell-text encodings -----------------------------------

String CRToBreakTags(const String& text)
{
    if (!text.contains(CR)) return text;
    return Replaced(text, CR, QStringLiteral("<br>"));
}

String EscapedNewlineToCR(const String& text)
{
    return Replaced(text, QStringLiteral("\\n"), String(CR));
}

String CRToEscapedNewline(const String& text)
{
    return MarkCRDropLF(text, QStringLiteral("\\n"));
}

String CRLFToVTQuoted(const String& text)
{
    return Quote + Replaced(text, QStringLiteral("\r\n"), String(VT)) + Quote;
}

String VTToCRLF(const String& text)
{
    if (!text.contains(VT)) return text;
    return Replaced(text, VT, QStringLiteral("\r\n"));
}

String StripCRBeforeLF(const String& text)
{
    return Replaced(text, QStringLiteral("\r\n"), String(LF));
}

String StripCR(const String& text)
{
    String out = text;
    return out.remove(CR);
}

String CRToLF(const String& text)
{
    return Replaced(text, CR, LF);
}

String CRToTilde(const String& text)
{
    return MarkCRDropLF(text, QStringLiteral("~"));
}

String TildeToCRLF(const String& text)
{
    String out = text;
    out.replace(u'~', QStringLiteral("\r\n"));
    if (out == QStringLiteral("^")) out.clear();
    return out;
}

String EncodeLineBreaks(const String& text)
{
    if (!text.contains(CR)) return text;
    String out = text;
    for (QChar& c : out) {
        if (c == CR) c = QChar(9);
        else if (c == LF) c = QChar(8);
        else if (c == QChar(0)) c = QChar(1);
    }
    return out;
}

String DecodeLineBreaks(const String& text, bool keepAll)
{
    String out = text;
    if (out.contains(QChar(8))) {
        for (QChar& c : out) {
            if (c == QChar(9)) c = CR;
            else if (c == QChar(8)) c = LF;
            else if (c == QChar(1)) c = QChar(0);
        }
    }
    if (keepAll) return out;
    return FirstLineOf(out, false);
}

String FirstLineOf(String& text, bool keepRest)
{
    const qsizetype p = text.indexOf(CR);
    if (p < 0) {
        String line = text;
        text.clear();
        return line;
    }
    String line = text.left(p);
    qsizetype cut = p + 1;
    if (cut < text.size() && text[cut] == LF) ++cut;
    if (keepRest) text.remove(0, cut);
    else text.clear();
    return line;
}

int LineCountOf(const String& text, bool multiLine) { return multiLine ? 1 + int(text.count(CR)) : 1; }

void TextToOem(String& text)
{
    for (QChar& c : text)
        if (c.unicode() >= 128) c = QChar(char16_t(Oem850Byte(c.unicode())));
}

void OemToText(String& text)
{
    for (QChar& c : text)
        if (c.unicode() >= 128 && c.unicode() < 256) c = QChar(Oem850Char(static_cast<unsigned char>(c.unicode())));
}

String EncodeUnicodeCellText(const String& text)
{
    String out = QStringLiteral("|\\");
    out.reserve(2 + text.size() * 2);
    for (QChar c : text) {
        out += QChar(char16_t(c.unicode() >> 8));
        out += QChar(char16_t(c.unicode() & 0xFF));
    }
    return out;
}

String DecodeUnicodeCellText(const String& text)
{
    if (!text.startsWith(QStringLiteral("|\\"))) return text;
    String out;
    out.reserve((text.size() - 2) / 2);
    for (qsizetype i = 2; i + 1 < text.size(); i += 2)
        out += QChar(char16_t((text[i].unicode() * 256 + text[i + 1].unicode()) & 0xFFFF));
    return out;
}

String ColorToHexText(TColor color)
{
    const TColor rgb = ColorToRGB(color);
    return IntToHex(GetRValue(rgb), 2) + IntToHex(GetGValue(rgb), 2) + IntToHex(GetBValue(rgb), 2);
}

String MakeClipboardHTML(const String& fragment)
{
    static const String doctype = QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">");
    static const String head = QStringLiteral(
        "<html><head><META http-equiv=Content-Type content=\"text/html; charset=iso-8859-1\"></head>"
        "<body><!--StartFragment-->");
    static const String tail = QStringLiteral("<!--EndFragment--></body></html>");
    const qsizetype headerLength = 97;
    const qsizetype fragmentStart = headerLength + doctype.size() + head.size();
    const qsizetype fragmentEnd = fragmentStart + fragment.size();
    auto number = [](qsizetype n) { return QStringLiteral("%1").arg(n, 8, 10, QChar(u'0')); };
    return QStringLiteral("Version:1.0\r\n") + QStringLiteral("StartHTML:") + number(headerLength)
        + QStringLiteral("\r\n") + QStringLiteral("EndHTML:") + number(fragmentEnd + tail.size())
        + QStringLiteral("\r\n") + QStringLiteral("StartFragment:") + number(fragmentStart) + QStringLiteral("\r\n")
        + QStringLiteral("EndFragment:") + number(fragmentEnd) + QStringLiteral("\r\n") + doctype + head + fragment
        + tail;
}

QByteArray MakeClipboardHTMLBytes(const String& fragment)
{
    static const QByteArray doctype = "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">";
    static const QByteArray head = "<html><head><META http-equiv=Content-Type content=\"text/html; charset=utf-8\"></head>"
                                   "<body><!--StartFragment-->";
    static const QByteArray tail = "<!--EndFragment--></body></html>";
    const QByteArray body = fragment.toUtf8();
    const qsizetype headerLength = 97;
    const qsizetype fragmentStart = headerLength + doctype.size() + head.size();
    const qsizetype fragmentEnd = fragmentStart + body.size();
    auto number = [](qsizetype n) { return QByteArray::number(n).rightJustified(8, '0'); };
    return "Version:1.0\r\nStartHTML:" + number(headerLength) + "\r\nEndHTML:" + number(fragmentEnd + tail.size())
        + "\r\nStartFragment:" + number(fragmentStart) + "\r\nEndFragment:" + number(fragmentEnd) + "\r\n" + doctype
        + head + body + tail;
}

// ---- Numbers ------------------------------------------------------------------

bool IsDigitChar(QChar c) { return c.isDigit(); }

bool IsDigitOrMinus(QChar c) { return IsDigitChar(c) || c == u'-'; }

bool IsNumberChar(QChar c)
{
    const TFormatSettings& fs = FormatSettings();
    return IsDigitChar(c) || c == fs.ThousandSeparator || c == fs.DecimalSeparator || c == u'e' || c == u'E';
}

bool IsFloatChar(QChar c)
{
    return IsDigitChar(c) || c == u'-' || c == u'.' || c == u'e' || c == u'E' || c == u'+';
}

bool IsNumberOrSignChar(QChar c) { return IsNumberChar(c) || c == u'+' || c == u'-'; }

int NumberTextType(const String& text)
{
    if (text.isEmpty()) return ntNotNumber;
    const TFormatSettings& fs = FormatSettings();
    const QChar dec = fs.DecimalSeparator;
    const QChar thou = fs.ThousandSeparator;

    int minus = 0, decimals = 0, exps = 0, thousands = 0;
    bool minusInside = false;     // a "-" anywhere but first
    bool onlyDigitsMinus = true;
    bool exponentChars = true;    // digits, decimal separator, + - E e
    bool decimalChars = true;     // digits, separators, leading -
    bool thousandsSpaced = true;
    int lastThousand = -4;
    for (int i = 0; i < int(text.size()); ++i) {
        const QChar c = text[i];
        const bool digit = IsAsciiDigit(c);
        if (c == u'-') {
            ++minus;
            if (i > 0) minusInside = true;
        }
        if (c == u'e' || c == u'E') ++exps;
        if (!digit && c != u'-') onlyDigitsMinus = false;
        if (!digit && c != dec && c != u'+' && c != u'-' && c != u'e' && c != u'E') exponentChars = false;
        if (c == dec) {
            ++decimals;
        } else if (c == thou) {
            ++thousands;
            if (i - lastThousand < 4) thousandsSpaced = false;
            lastThousand = i;
        } else if (!digit && c != u'-') {
            decimalChars = false;
        }
    }
    if (decimals > 1) return ntNotNumber;
    if (onlyDigitsMinus && !minusInside) return ntInteger;
    const QChar last = text.back();
    const bool lastOk = last != u'+' && last != u'-' && last != u'e' && last != u'E';
    const QChar first = text.front();
    if (exponentChars && exps == 1 && first != u'e' && first != u'E' && lastOk && thousands == 0)
        return minus > 2 ? ntNotNumber : ntExponent;
    if (exps == 0 && !minusInside && decimalChars && thousandsSpaced && minus <= 1) return ntDecimal;
    return ntNotNumber;
}

String CleanNumericText(const String& text)
{
    String t = text;
    while (t.startsWith(u' ')) t.remove(0, 1);
    while (t.endsWith(u' ')) t.chop(1);
    if (t.isEmpty()) return {};
    bool negative = t.startsWith(u'(') && t.endsWith(u')');
    while (t.size() >= 2 && !IsNumberChar(t[0])) {
        if (t[0] == u'-') negative = true;
        t.remove(0, 1);
    }
    const TFormatSettings& fs = FormatSettings();
    String out;
    for (QChar c : t) {
        if (c == fs.ThousandSeparator) continue;
        if (c == fs.DecimalSeparator) out += u'.';
        else if (IsFloatChar(c)) out += c;
        else break;
    }
    return negative ? u'-' + out : out;
}

String CleanFilterNumber(const String& text)
{
    const TFormatSettings& fs = FormatSettings();
    String out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (c == fs.ThousandSeparator) continue;
        out += c == fs.DecimalSeparator ? QChar(u'.') : c;
    }
    return out;
}

int ClampToLimits(int value, int minimum, int maximum)
{
    if (minimum == maximum) return value;
    if (maximum > 0 && value > maximum) return maximum;
    if (minimum > 0 && value < minimum) return minimum;
    return value;
}

int MaxOf(int a, int b) { return a > b ? a : b; }

int MinOf(int a, int b) { return a < b ? a : b; }

// ---- Dates ----------------------------------------------------------------------

namespace {

// Three fields of a date joined by "/", "." or "-"; false when they are not there or not numbers.
bool SplitDateFields(const String& text, int& first, int& second, int& year)
{
    QChar sep = u'-';
    if (text.contains(u'/')) sep = u'/';
    else if (text.contains(u'.')) sep = u'.';
    const qsizetype p1 = text.indexOf(sep);
    if (p1 < 0) return false;
    const qsizetype p2 = text.indexOf(sep, p1 + 1);
    if (p2 < 0) return false;
    return ReadInt(text.left(p1), first) && ReadInt(text.mid(p1 + 1, p2 - p1 - 1), second)
        && ReadInt(text.mid(p2 + 1), year);
}

// Two-digit years fall into 2000-2025 and 1926-1999; longer years stay as written,
// so that four-digit years keep their order among themselves.
int ExpandSortYear(int year)
{
    if (year >= 0 && year < 26) return year + 2000;
    if (year >= 0 && year < 100) return year + 1900;
    return year;
}

}  // namespace

TDateTime ParseDateMonthFirst(const String& text)
{
    int month = 0, day = 0, year = 0;
    if (!SplitDateFields(text, month, day, year)) return 0;
    return EncodeDate(ExpandSortYear(year), month, day);
}

TDateTime ParseDateDayFirst(const String& text)
{
    int month = 0, day = 0, year = 0;
    if (!SplitDateFields(text, day, month, year)) return 0;
    return EncodeDate(ExpandSortYear(year), month, day);
}

bool LooksLikeDate(const String& text)
{
    const QChar sep = FormatSettings().DateSeparator;
    const qsizetype p1 = text.indexOf(sep);
    if (p1 < 1) return false;
    const qsizetype p2 = text.indexOf(sep, p1 + 1);
    return p2 > p1 + 1;
}

TDateTime IncDateBy(int years, int months, int days, TDateTime date, double fallbackDays)
{
    if (years == 0 && months == 0 && days != 0) return date + days;
    if ((years != 0) == (months != 0) || days != 0) return date + fallbackDays;
    int y = 0, m = 0, d = 0;
    DecodeDate(date, y, m, d);
    if (years != 0) return EncodeDate(y + years, m, d);
    // Month 0 is December of the year before, 13 January of the next, and so on.
    const int total = y * 12 + (m - 1) + months;
    const int newYear = total >= 0 ? total / 12 : -((-total + 11) / 12);
    const int newMonth = total - newYear * 12 + 1;
    return EncodeDate(newYear, newMonth, d);
}

bool ParseDateTimeByFormat(const String& text, TDateTime& value)
{
    const TFormatSettings& fs = FormatSettings();
    const String format = fs.ShortDateFormat.toUpper();
    const qsizetype dPos = format.indexOf(u'D'), mPos = format.indexOf(u'M'), yPos = format.indexOf(u'Y');
    if (dPos < 0 || mPos < 0 || yPos < 0) return false;

    const QChar sep = fs.DateSeparator;
    const qsizetype p1 = text.indexOf(sep);
    if (p1 < 0) return false;
    const qsizetype p2 = text.indexOf(sep, p1 + 1);
    if (p2 < 0) return false;
    String rest = Trim(text.mid(p2 + 1));
    String timeText;
    if (const qsizetype space = rest.indexOf(u' '); space >= 0) {
        timeText = rest.mid(space);
        rest = rest.left(space);
    }
    int f[3] = {0, 0, 0};
    if (!ReadInt(text.left(p1), f[0]) || !ReadInt(text.mid(p1 + 1, p2 - p1 - 1), f[1]) || !ReadInt(rest, f[2]))
        return false;
    // The fields stand in the order of the first D, M and Y of the format.
    auto rank = [&](qsizetype pos) { return int(pos > dPos) + int(pos > mPos) + int(pos > yPos); };
    const int day = f[rank(dPos)], month = f[rank(mPos)], year = f[rank(yPos)];
    if (day > 31 || month > 12) return false;
    TDateTime date = 0;
    if (!TryEncodeDate(year, month, day, date)) return false;

    timeText = Trim(timeText);
    if (timeText.isEmpty()) {
        value = date;
        return true;
    }
    const QChar tsep = fs.TimeSeparator;
    const qsizetype t1 = timeText.indexOf(tsep);
    if (t1 < 0) {
        value = date;
        return false;
    }
    int hour = 0, minute = 0, second = 0;
    if (!ReadInt(timeText.left(t1), hour) || hour > 23) return false;
    const qsizetype t2 = timeText.indexOf(tsep, t1 + 1);
    if (t2 < 0) {
        if (!ReadInt(timeText.mid(t1 + 1), minute)) return false;
    } else if (!ReadInt(timeText.mid(t1 + 1, t2 - t1 - 1), minute) || !ReadInt(timeText.mid(t2 + 1), second)) {
        return false;
    }
    if (minute > 59 || second > 60) return false;
    TDateTime time = 0;
    if (!TryEncodeTime(hour, minute, second, 0, time)) return false;
    value = date + time;
    return true;
}

// ---- Cell text kinds, links and references ---------------------------------

int CellTextKind(const String& text, bool detectHTML)
{
    // The space keeps every look-ahead below inside the text.
    const String t = text + u' ';
    if (t.startsWith(QStringLiteral("|\\"))) {
        if (t.size() > 4 && t[3] == u'=' && t[4] == QChar(0)) return ctFormula;
        return ctUnicode;
    }
    if (t.startsWith(QStringLiteral("{\\"))) return ctRichText;
    if (t.startsWith(u'=')) return ctFormula;
    if (detectHTML
        && (t.contains(QStringLiteral("</")) || t.contains(QStringLiteral("<B")) || t.contains(QStringLiteral("<I"))
            || t.contains(QStringLiteral("<C"))))
        return ctHTML;
    return ctPlain;
}

bool IsURLText(const String& text)
{
    return text.contains(QStringLiteral("://")) || text.contains(QStringLiteral("mailto:"));
}

void StripURLScheme(String& text)
{
    if (const qsizetype p = text.indexOf(QStringLiteral("://")); p >= 0) {
        text.remove(0, p + 3);
    } else if (const qsizetype m = text.indexOf(QStringLiteral("mailto:")); m >= 0) {
        text.remove(0, m + 7);
    }
}

bool AutoLinkURL(const String& text, const String& upperScheme, String& out)
{
    if (upperScheme.isEmpty() || !text.toUpper().contains(upperScheme)) return false;
    String escaped = text;
    escaped.replace(u'<', QStringLiteral("&lt;")).replace(u'>', QStringLiteral("&gt;"));
    const qsizetype start = escaped.indexOf(upperScheme, 0, Qt::CaseInsensitive);
    if (start < 0) return false;
    auto inLink = [](QChar c) {
        return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9')
            || String(QStringLiteral("%()-./:@\\_{}")).contains(c);
    };
    qsizetype end = start;
    while (end < escaped.size() && inLink(escaped[end])) ++end;
    const String link = escaped.mid(start, end - start);
    out = escaped.left(start) + QStringLiteral("<a href=\"") + link + QStringLiteral("\">") + link
        + QStringLiteral("</a>") + escaped.mid(end);
    return true;
}

bool ParseRCCellRef(const String& text, TPoint& cell)
{
    const String t = text.toUpper();
    if (t.size() <= 3 || !t.startsWith(u'R')) return false;
    const qsizetype c = t.indexOf(u'C');
    if (c < 0) return false;
    int row = 0, col = 0;
    if (!ReadInt(t.mid(1, c - 1), row) || !ReadInt(t.mid(c + 1), col)) return false;
    cell = {col, row};
    return true;
}

// ---- Filter expressions --------------------------------------------------------

namespace {

// Deeper groups than this are taken as no match rather than risking the stack.
constexpr int MaxFilterDepth = 200;

// The operand of a comparison starting at `from`: up to the first space, "&"
// or "|" outside quotes, a leading and a trailing quote dropped.
String ComparisonOperand(const String& condition, qsizetype from)
{
    while (from < condition.size() && condition[from] == u' ') ++from;
    qsizetype end = from;
    bool inQuotes = false;
    for (; end < condition.size(); ++end) {
        const QChar c = condition[end];
        if (c == Quote) inQuotes = !inQuotes;
        else if (!inQuotes && (c == u' ' || c == u'&' || c == u'|')) break;
    }
    String operand = condition.mid(from, end - from);
    if (operand.startsWith(Quote)) operand.remove(0, 1);
    if (operand.endsWith(Quote)) operand.chop(1);
    return operand;
}

// Numbers as numbers, else dates as dates, else texts by code (255 characters at most).
int CompareFilterValues(const String& value, const String& operand)
{
    double a = 0, b = 0;
    TDateTime da = 0, db = 0;
    const bool aDate = ParseDateTimeByFormat(value, da);
    const bool bDate = ParseDateTimeByFormat(operand, db);
    if (ReadNumber(CleanFilterNumber(value), a) && ReadNumber(CleanFilterNumber(operand), b) && !aDate && !bDate)
        return a < b ? -1 : (a > b ? 1 : 0);
    if (aDate && bDate) return da < db ? -1 : (da > db ? 1 : 0);
    const int c = QStringView(value).left(255).compare(QStringView(operand).left(255), Qt::CaseSensitive);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

bool ComparisonHolds(const String& condition, QChar op, const String& value)
{
    const qsizetype p = condition.indexOf(op);
    if (p < 0) return false;
    const bool orEqual = p + 1 < condition.size() && condition[p + 1] == u'=';
    const String operand = ComparisonOperand(condition, p + 1 + (orEqual ? 1 : 0));
    const int c = CompareFilterValues(value, operand);
    if (op == u'>') return orEqual ? c >= 0 : c > 0;
    return orEqual ? c <= 0 : c < 0;
}

// Position (1-based) of the ")" closing the "(" the text starts with; 0 when none.
qsizetype ClosingParen(QStringView text)
{
    qsizetype open = 0, close = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'(') ++open;
        else if (text[i] == u')' && ++close == open) return i + 1;
    }
    return 0;
}

// The first operator character outside quotes (0-based), -1 when none.
qsizetype OperatorOutsideQuotes(QStringView text)
{
    bool inQuotes = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == Quote) inQuotes = !inQuotes;
        else if (!inQuotes && (c == u'(' || c == u'&' || c == u'|' || c == u';' || c == u'^')) return i;
    }
    return -1;
}

// Groups are read in place (views, no copies), so deep nesting costs one scan per level.
bool MatchExpression(QStringView expression, const String& value, bool caseSensitive, int depth)
{
    if (depth > MaxFilterDepth) return false;
    if (expression.startsWith(u'=')) expression = expression.mid(1);

    bool result = false;
    bool first = true;
    QChar previousOp = QChar(0);
    bool more = true;
    while (more) {
        bool operand = false;
        QChar op = QChar(0);
        if (expression.startsWith(u'(')) {
            qsizetype close = ClosingParen(expression);
            if (close == 0) close = expression.size() + 1;   // an unclosed group runs to the end
            operand = MatchExpression(expression.mid(1, close - 2), value, caseSensitive, depth + 1);
            expression = expression.mid(qMin(close, expression.size()));
            op = u'(';
            more = !expression.isEmpty();
        } else {
            const qsizetype pos = OperatorOutsideQuotes(expression);
            QStringView condition = expression;
            if (pos < 0) {
                expression = {};
                more = false;
            } else {
                op = expression[pos];
                condition = expression.left(pos);
                expression = expression.mid(pos + 1);
            }
            operand = MatchFilterCondition(condition.toString(), value, caseSensitive);
        }
        if (first) {
            result = operand;
            first = false;
        } else if (previousOp == u'&') {
            result = result && operand;
        } else if (previousOp == u'|' || previousOp == u';' || previousOp == u'^') {
            result = result || operand;
        }
        previousOp = op;
    }
    return result;
}

}  // namespace

bool MatchFilterPattern(const String& pattern, const String& value)
{
    bool invert = false;
    String p;
    p.reserve(pattern.size());
    for (QChar c : pattern) {
        if (c == u'!') invert = true;
        else if (c != Quote) p += c;
    }
    // Greedy matching with one remembered star: each star restarts the
    // search, so the work stays within pattern length times value length.
    const qsizetype n = value.size(), m = p.size();
    qsizetype vi = 0, pi = 0, starP = -1, starV = 0;
    while (vi < n) {
        if (pi < m && (p[pi] == u'?' || (p[pi] != u'*' && p[pi] == value[vi]))) {
            ++vi;
            ++pi;
        } else if (pi < m && p[pi] == u'*') {
            starP = pi++;
            starV = vi;
        } else if (starP >= 0) {
            pi = starP + 1;
            vi = ++starV;
        } else {
            return invert;
        }
    }
    while (pi < m && p[pi] == u'*') ++pi;
    return (pi == m) != invert;
}

bool MatchFilterCondition(const String& condition, const String& value, bool caseSensitive)
{
    const String c = caseSensitive ? condition : condition.toUpper();
    const String v = caseSensitive ? value : value.toUpper();
    if (c.contains(u'>') && ComparisonHolds(c, u'>', v)) return true;
    if (c.contains(u'<') && ComparisonHolds(c, u'<', v)) return true;
    return MatchFilterPattern(c, v);
}

bool MatchFilterExpression(const String& expression, const String& value, bool caseSensitive)
{
    // Spaces go once for the whole expression; its groups are then read in place.
    const String stripped = StripSpacesOutsideQuotes(expression.trimmed());
    return MatchExpression(stripped, value, caseSensitive, 0);
}

// ---- Turned text -----------------------------------------------------------
void RotatedTextOrigin(TRect& Rect, int HAlign, int VAlign, int Angle, int CH, int SW, int SH, int CW)
{
    const int quadrant = Angle <= 90 ? 1 : Angle <= 180 ? 2 : Angle <= 270 ? 3 : 4;
    const int w = Rect.Right - Rect.Left;
    // How far the turned box overhangs the rectangle's height, split over both edges when centred.
    const int overhang = (SW + CH - (Rect.Bottom - Rect.Top)) / 2;
    int left = Rect.Left, top = Rect.Top;
    switch (quadrant) {
    case 1:
        left = HAlign == 1 ? Rect.Right - CW - SH : HAlign == 2 ? Rect.Left + (w - SH - CW) / 2 : Rect.Left;
        top = VAlign == 1 ? Rect.Top + SW - overhang : VAlign == 2 ? Rect.Bottom - CH : Rect.Top + SW;
        break;
    case 2:
        left = HAlign == 1 ? Rect.Right - SH : HAlign == 2 ? Rect.Right - (SH + w - CW) / 2 : Rect.Left + CW;
        top = VAlign == 1 ? Rect.Top + CH + SW - overhang : VAlign == 2 ? Rect.Bottom : Rect.Top + CH + SW;
        break;
    case 3:
        left = HAlign == 1 ? Rect.Right : HAlign == 2 ? Rect.Right - (w - SH - CW) / 2 : Rect.Left + SH + CW;
        top = VAlign == 1 ? Rect.Top + CH - overhang : VAlign == 2 ? Rect.Bottom - SW : Rect.Top + CH;
        break;
    default:
        left = HAlign == 1 ? Rect.Right - CW : HAlign == 2 ? Rect.Left + (SH + w - CW) / 2 : Rect.Left + SH;
        top = VAlign == 1 ? Rect.Top - overhang : VAlign == 2 ? Rect.Bottom - CH - SW : Rect.Top;
        break;
    }
    Rect.Left = left;
    Rect.Top = top;
}
