#include "platform/DateUtils.h"

#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

constexpr std::int64_t kMsPerDay = 86400000;
// Day numbers of 1 January 0001 and 1 January 10000: the range of years 1 to 9999.
constexpr std::int64_t kFirstDay = -693593;
constexpr std::int64_t kEndDay = 2958466;

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

// Days since 1899-12-30 of a date of the proleptic Gregorian calendar.
std::int64_t DayNumber(int year, int month, int day)
{
    const std::int64_t y = year - (month <= 2);
    const std::int64_t era = FloorDiv(y, 400);
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468 + 25569; // 25569: 1899-12-30 to 1970-01-01
}

void CivilFromDayNumber(std::int64_t serial, int& year, int& month, int& day)
{
    const std::int64_t z = serial - 25569 + 719468;
    const std::int64_t era = FloorDiv(z, 146097);
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    day = int(doy - (153 * mp + 2) / 5 + 1);
    month = int(mp < 10 ? mp + 3 : mp - 9);
    year = int(yoe + era * 400 + (month <= 2));
}

struct Split {
    std::int64_t day = 0;  // the date, days since 1899-12-30
    std::int64_t ms = 0;   // time of day in milliseconds
    bool valid = false;
};

// The date counts toward zero and the time forward from that date's
// midnight, in either sign; rounding to the millisecond may carry a day.
Split SplitValue(TDateTime value)
{
    Split s;
    if (!std::isfinite(value) || value <= double(kFirstDay - 1) || value >= double(kEndDay)) return s;
    const double whole = std::trunc(value);
    s.day = std::int64_t(whole);
    s.ms = std::llround(std::fabs(value - whole) * MSecsPerDay);
    if (s.ms >= kMsPerDay) {
        s.ms -= kMsPerDay;
        s.day += 1;
    }
    s.valid = s.day >= kFirstDay && s.day < kEndDay;
    return s;
}

int CurrentYear()
{
    return QDate::currentDate().year();
}

// ---- formatting ----------------------------------------------------------------

struct Fields {
    int year, month, day, hour, min, sec, msec, dow;
    bool midnight;
};

Fields FieldsOf(TDateTime value)
{
    Fields f{};
    DecodeDateTime(value, f.year, f.month, f.day, f.hour, f.min, f.sec, f.msec);
    f.dow = DayOfWeek(value);
    f.midnight = f.hour == 0 && f.min == 0 && f.sec == 0 && f.msec == 0;
    return f;
}

bool StartsWithNoCase(const String& text, int at, const char* what)
{
    const int n = int(std::strlen(what));
    return at + n <= text.size() && text.mid(at, n).compare(QLatin1String(what), Qt::CaseInsensitive) == 0;
}

// True when the format (outside quoted text) asks for a 12-hour clock.
bool UsesTwelveHours(const String& format)
{
    QChar quote;
    for (int i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (!quote.isNull()) {
            if (c == quote) quote = QChar();
        } else if (c == u'"' || c == u'\'') {
            quote = c;
        } else if (StartsWithNoCase(format, i, "am/pm") || StartsWithNoCase(format, i, "a/p") || StartsWithNoCase(format, i, "ampm")) {
            return true;
        }
    }
    return false;
}

String Padded(int value, int width) { return QString::number(value).rightJustified(width, u'0'); }

class Formatter {
public:
    Formatter(const Fields& f, const TFormatSettings& s) : F(f), S(s) {}

    void Render(const String& format, int depth)
    {
        const bool twelve = UsesTwelveHours(format);
        bool afterHour = false;
        const int n = format.size();
        for (int i = 0; i < n;) {
            const QChar c = format[i];
            const char16_t lower = c.toLower().unicode();
            int run = 1;
            while (i + run < n && format[i + run].toLower() == c.toLower()) ++run;
            switch (lower) {
            case u'"':
            case u'\'': {
                int j = i + 1;
                while (j < n && format[j] != c) Out += format[j++];
                i = j + 1;
                continue;
            }
            case u'c':
                Nested(S.ShortDateFormat, depth);
                if (!F.midnight) {
                    Out += u' ';
                    Nested(S.LongTimeFormat, depth);
                }
                i += 1;
                continue;
            case u'd':
                if (run == 1) Out += QString::number(F.day);
                else if (run == 2) Out += Padded(F.day, 2);
                else if (run == 3) Out += S.ShortDayNames[std::size_t(F.dow - 1)];
                else if (run == 4) Out += S.LongDayNames[std::size_t(F.dow - 1)];
                else if (run == 5) Nested(S.ShortDateFormat, depth);
                else Nested(S.LongDateFormat, depth);
                afterHour = false;
                break;
            case u'm':
                if (afterHour && run <= 2) {
                    Out += run == 1 ? QString::number(F.min) : Padded(F.min, 2);
                } else if (run == 1) {
                    Out += QString::number(F.month);
                } else if (run == 2) {
                    Out += Padded(F.month, 2);
                } else if (run == 3) {
                    Out += S.ShortMonthNames[std::size_t(F.month - 1)];
                } else {
                    Out += S.LongMonthNames[std::size_t(F.month - 1)];
                }
                afterHour = false;
                break;
            case u'y':
                Out += run <= 2 ? Padded(F.year % 100, 2) : Padded(F.year, 4);
                afterHour = false;
                break;
            case u'h': {
                int hour = F.hour;
                if (twelve) hour = hour % 12 == 0 ? 12 : hour % 12;
                Out += run == 1 ? QString::number(hour) : Padded(hour, 2);
                i += std::min(run, 2);
                afterHour = true;
                continue;
            }
            case u'n':
                Out += run == 1 ? QString::number(F.min) : Padded(F.min, 2);
                i += std::min(run, 2);
                afterHour = false;
                continue;
            case u's':
                Out += run == 1 ? QString::number(F.sec) : Padded(F.sec, 2);
                i += std::min(run, 2);
                afterHour = false;
                continue;
            case u'z':
                Out += run < 3 ? QString::number(F.msec) : Padded(F.msec, 3);
                i += run < 3 ? run : 3;
                afterHour = false;
                continue;
            case u't':
                Nested(run == 1 ? S.ShortTimeFormat : S.LongTimeFormat, depth);
                i += std::min(run, 2);
                afterHour = false;
                continue;
            case u'a':
                i += AmPm(format, i);
                afterHour = false;
                continue;
            case u'/':
                Out += String(run, S.DateSeparator);
                break;
            case u':':
                Out += String(run, S.TimeSeparator);
                break;
            default:
                Out += format.mid(i, run);
                break;
            }
            i += run;
        }
    }

    String Out;

private:
    void Nested(const String& format, int depth)
    {
        // A regional format that names itself would never end.
        if (depth < 2) Render(format, depth + 1);
    }

    // Writes the marker that starts at `at`; returns the characters used.
    int AmPm(const String& format, int at)
    {
        const bool pm = F.hour >= 12;
        if (StartsWithNoCase(format, at, "am/pm")) {
            Out += pm ? format.mid(at + 3, 2) : format.mid(at, 2);
            return 5;
        }
        if (StartsWithNoCase(format, at, "a/p")) {
            Out += pm ? format.mid(at + 2, 1) : format.mid(at, 1);
            return 3;
        }
        if (StartsWithNoCase(format, at, "ampm")) {
            Out += pm ? S.TimePMString : S.TimeAMString;
            return 4;
        }
        Out += format[at];
        return 1;
    }

    const Fields& F;
    const TFormatSettings& S;
};

// ---- reading ---------------------------------------------------------------

class Scanner {
public:
    explicit Scanner(const String& text) : T(text) {}

    bool AtEnd() const { return P >= T.size(); }
    void SkipBlanks()
    {
        while (P < T.size() && T[P] == u' ') ++P;
    }
    bool Take(QChar c)
    {
        if (P < T.size() && T[P] == c) {
            ++P;
            return true;
        }
        return false;
    }
    // Up to `maxDigits` ASCII digits; false when there is none or more follow.
    bool Number(int maxDigits, int& value, int& digits)
    {
        value = 0;
        digits = 0;
        while (P < T.size() && T[P].unicode() >= u'0' && T[P].unicode() <= u'9') {
            if (++digits > maxDigits) return false;
            value = value * 10 + (T[P].unicode() - u'0');
            ++P;
        }
        return digits > 0;
    }
    // Takes the first of the words that stands here, ignoring case; -1 when none.
    int Word(std::initializer_list<String> words)
    {
        int index = 0;
        for (const String& w : words) {
            if (!w.isEmpty() && T.mid(P, w.size()).compare(w, Qt::CaseInsensitive) == 0) {
                P += w.size();
                return index;
            }
            ++index;
        }
        return -1;
    }

    int P = 0;

private:
    const String& T;
};

// 'd', 'm' and 'y' in the order the short date format names them.
String DateOrder(const String& shortDateFormat)
{
    String order;
    for (QChar c : shortDateFormat.toLower()) {
        if ((c == u'd' || c == u'm' || c == u'y') && !order.contains(c)) order += c;
    }
    for (QChar c : {QChar(u'd'), QChar(u'm'), QChar(u'y')})
        if (!order.contains(c)) order += c;
    return order;
}

bool ScanDate(Scanner& in, const TFormatSettings& s, TDateTime& value)
{
    int numbers[3] = {0, 0, 0};
    int digits[3] = {0, 0, 0};
    int count = 0;
    while (count < 3) {
        in.SkipBlanks();
        if (!in.Number(4, numbers[count], digits[count])) return false;
        ++count;
        in.SkipBlanks();
        if (!in.Take(s.DateSeparator)) break;
        if (count == 3 || in.AtEnd()) {
            // A separator after the last field only where the format ends in one.
            if (!s.ShortDateFormat.trimmed().endsWith(u'/')) return false;
            break;
        }
    }
    if (count < 2) return false;

    const String order = DateOrder(s.ShortDateFormat);
    int year = CurrentYear(), month = 0, day = 0;
    if (count == 3) {
        for (int k = 0; k < 3; ++k) {
            if (order[k] == u'd') day = numbers[k];
            else if (order[k] == u'm') month = numbers[k];
            else year = digits[k] <= 2 ? ExpandTwoDigitYear(numbers[k], CurrentYear(), s.TwoDigitYearCenturyWindow) : numbers[k];
        }
    } else {
        const String dm = String(order).remove(u'y');
        day = dm[0] == u'd' ? numbers[0] : numbers[1];
        month = dm[0] == u'd' ? numbers[1] : numbers[0];
    }
    return TryEncodeDate(year, month, day, value);
}

// 0 for AM, 1 for PM, -1 when no marker stands here.
int ScanMarker(Scanner& in, const TFormatSettings& s)
{
    const int w = in.Word({s.TimeAMString, s.TimePMString, QStringLiteral("AM"), QStringLiteral("PM"), QStringLiteral("A"), QStringLiteral("P")});
    return w < 0 ? -1 : w % 2;
}

bool ScanTime(Scanner& in, const TFormatSettings& s, TDateTime& value)
{
    in.SkipBlanks();
    int marker = ScanMarker(in, s);
    in.SkipBlanks();
    int hour, min, sec = 0, msec = 0, d;
    if (!in.Number(2, hour, d)) return false;
    if (!in.Take(s.TimeSeparator) || !in.Number(2, min, d)) return false;
    if (in.Take(s.TimeSeparator)) {
        if (!in.Number(2, sec, d)) return false;
        if (in.Take(u'.') || in.Take(s.DecimalSeparator)) {
            if (!in.Number(3, msec, d)) return false;
            for (; d < 3; ++d) msec *= 10; // ".5" is half a second
        }
    }
    in.SkipBlanks();
    if (marker < 0) marker = ScanMarker(in, s);
    in.SkipBlanks();
    if (marker >= 0) {
        if (hour < 1 || hour > 12) return false;
        hour = hour % 12 + (marker == 1 ? 12 : 0);
    }
    return TryEncodeTime(hour, min, sec, msec, value);
}

} // namespace

// ---- clock ---------------------------------------------------------------------

TDateTime Now() { return DateTimeFromQDateTime(QDateTime::currentDateTime()); }
TDateTime Date() { return DateFromQDate(QDate::currentDate()); }
TDateTime Time()
{
    const TDateTime now = Now();
    return now - std::trunc(now);
}

// ---- encoding and decoding -------------------------------------------------------

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int DaysInAMonth(int year, int month)
{
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

bool TryEncodeDate(int year, int month, int day, TDateTime& date)
{
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInAMonth(year, month)) return false;
    date = double(DayNumber(year, month, day));
    return true;
}

TDateTime EncodeDate(int year, int month, int day)
{
    TDateTime d;
    if (!TryEncodeDate(year, month, day, d)) throw EConvertError(QStringLiteral("Invalid argument to date encode"));
    return d;
}

bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& time)
{
    if (hour < 0 || hour > 23 || min < 0 || min > 59 || sec < 0 || sec > 59 || msec < 0 || msec > 999) return false;
    time = (((hour * 60.0 + min) * 60.0 + sec) * 1000.0 + msec) / MSecsPerDay;
    return true;
}

TDateTime EncodeTime(int hour, int min, int sec, int msec)
{
    TDateTime t;
    if (!TryEncodeTime(hour, min, sec, msec, t)) throw EConvertError(QStringLiteral("Invalid argument to time encode"));
    return t;
}

TDateTime ComposeDateTime(TDateTime date, TDateTime time)
{
    const double day = std::trunc(date);
    const double t = std::fabs(time - std::trunc(time));
    return day < 0 ? day - t : day + t;
}

void DecodeDate(TDateTime value, int& year, int& month, int& day)
{
    const Split s = SplitValue(value);
    if (!s.valid) {
        year = month = day = 0;
        return;
    }
    CivilFromDayNumber(s.day, year, month, day);
}

void DecodeTime(TDateTime value, int& hour, int& min, int& sec, int& msec)
{
    const Split s = SplitValue(value);
    std::int64_t ms = s.valid ? s.ms : 0;
    msec = int(ms % 1000);
    ms /= 1000;
    sec = int(ms % 60);
    ms /= 60;
    min = int(ms % 60);
    hour = int(ms / 60);
}

void DecodeDateTime(TDateTime value, int& year, int& month, int& day, int& hour, int& min, int& sec, int& msec)
{
    DecodeDate(value, year, month, day);
    DecodeTime(value, hour, min, sec, msec);
}

int DayOfWeek(TDateTime value)
{
    const Split s = SplitValue(value);
    if (!s.valid) return 0;
    // Day 0, 30 December 1899, was a Saturday.
    return int(((s.day + 6) % 7 + 7) % 7) + 1;
}

int ExpandTwoDigitYear(int year, int currentYear, int window)
{
    if (year < 0 || year >= 100) return year;
    const int start = currentYear - window;
    int full = year + start / 100 * 100;
    if (window > 0 && full < start) full += 100;
    return full;
}

// ---- text ----------------------------------------------------------------------

String FormatDateTime(const String& format, TDateTime value) { return FormatDateTime(format, value, FormatSettings()); }

String FormatDateTime(const String& format, TDateTime value, const TFormatSettings& settings)
{
    const Fields f = FieldsOf(value);
    if (f.year == 0) return {}; // outside the years 1 to 9999
    Formatter out(f, settings);
    out.Render(format.isEmpty() ? QStringLiteral("c") : format, 0);
    return out.Out;
}

String DateToStr(TDateTime value) { return FormatDateTime(FormatSettings().ShortDateFormat, value); }
String TimeToStr(TDateTime value) { return FormatDateTime(FormatSettings().LongTimeFormat, value); }
String DateTimeToStr(TDateTime value) { return FormatDateTime(QStringLiteral("c"), value); }

bool TryStrToDate(const String& text, TDateTime& value) { return TryStrToDate(text, value, FormatSettings()); }

bool TryStrToDate(const String& text, TDateTime& value, const TFormatSettings& settings)
{
    Scanner in(text);
    TDateTime d;
    if (!ScanDate(in, settings, d)) return false;
    in.SkipBlanks();
    if (!in.AtEnd()) return false;
    value = d;
    return true;
}

TDateTime StrToDate(const String& text)
{
    TDateTime v;
    if (!TryStrToDate(text, v)) throw EConvertError(QStringLiteral("'%1' is not a valid date").arg(text));
    return v;
}

bool TryStrToTime(const String& text, TDateTime& value) { return TryStrToTime(text, value, FormatSettings()); }

bool TryStrToTime(const String& text, TDateTime& value, const TFormatSettings& settings)
{
    Scanner in(text);
    TDateTime t;
    if (!ScanTime(in, settings, t) || !in.AtEnd()) return false;
    value = t;
    return true;
}

TDateTime StrToTime(const String& text)
{
    TDateTime v;
    if (!TryStrToTime(text, v)) throw EConvertError(QStringLiteral("'%1' is not a valid time").arg(text));
    return v;
}

bool TryStrToDateTime(const String& text, TDateTime& value) { return TryStrToDateTime(text, value, FormatSettings()); }

bool TryStrToDateTime(const String& text, TDateTime& value, const TFormatSettings& settings)
{
    Scanner in(text);
    TDateTime date = 0, time = 0;
    if (ScanDate(in, settings, date)) {
        in.SkipBlanks();
        if (in.AtEnd()) {
            value = date;
            return true;
        }
        if (!ScanTime(in, settings, time) || !in.AtEnd()) return false;
        value = ComposeDateTime(date, time);
        return true;
    }
    // A time alone is a time on day 0.
    return TryStrToTime(text, value, settings);
}

TDateTime StrToDateTime(const String& text)
{
    TDateTime v;
    if (!TryStrToDateTime(text, v)) throw EConvertError(QStringLiteral("'%1' is not a valid date and time").arg(text));
    return v;
}

// ---- Qt --------------------------------------------------------------------------

TDateTime DateFromQDate(const QDate& value)
{
    TDateTime d = 0;
    if (!value.isValid() || !TryEncodeDate(value.year(), value.month(), value.day(), d)) return 0;
    return d;
}

TDateTime DateTimeFromQDateTime(const QDateTime& value)
{
    if (!value.isValid()) return 0;
    const QDateTime local = value.toLocalTime();
    const TDateTime date = DateFromQDate(local.date());
    return ComposeDateTime(date, local.time().msecsSinceStartOfDay() / MSecsPerDay);
}

QDate DateTimeToQDate(TDateTime value)
{
    int y, m, d;
    DecodeDate(value, y, m, d);
    return y == 0 ? QDate() : QDate(y, m, d);
}

QDateTime DateTimeToQDateTime(TDateTime value)
{
    const QDate date = DateTimeToQDate(value);
    if (!date.isValid()) return {};
    int h, n, s, z;
    DecodeTime(value, h, n, s, z);
    return QDateTime(date, QTime(h, n, s, z), Qt::LocalTime);
}
