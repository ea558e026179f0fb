#include "platform/DateUtils.h"

#include "tests/common/TestUtil.h"

#include <gtest/gtest.h>

namespace {

class DateUtils : public ::testing::Test {
protected:
    void SetUp() override { SetFormatSettings(TFormatSettings{}); }
    void TearDown() override { ResetFormatSettingsFromSystem(); }

    static TFormatSettings Settings(const char* shortDate, QChar dateSep)
    {
        TFormatSettings s;
        s.ShortDateFormat = QString::fromLatin1(shortDate);
        s.DateSeparator = dateSep;
        return s;
    }
    static TDateTime At(int y, int m, int d, int h = 0, int n = 0, int s = 0, int z = 0)
    {
        return ComposeDateTime(EncodeDate(y, m, d), EncodeTime(h, n, s, z));
    }
};

TEST_F(DateUtils, DayNumbersFollowThePlatformEpoch)
{
    struct Case {
        int y, m, d;
        double serial;
        int dayOfWeek;
    } cases[] = {
        {1899, 12, 30, 0, 7},  {1899, 12, 31, 1, 1},      {1900, 1, 1, 2, 2},        {1899, 12, 29, -1, 6},
        {2000, 1, 1, 36526, 7}, {2024, 3, 5, 45356, 3},   {1, 1, 1, -693593, 2},     {9999, 12, 31, 2958465, 6},
        {1600, 2, 29, -109512, 3}, {1970, 1, 1, 25569, 5},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EncodeDate(c.y, c.m, c.d), c.serial) << c.y << '-' << c.m << '-' << c.d;
        EXPECT_EQ(DayOfWeek(c.serial), c.dayOfWeek) << c.y << '-' << c.m << '-' << c.d;
        int y, m, d;
        DecodeDate(c.serial, y, m, d);
        EXPECT_EQ((std::array<int, 3>{y, m, d}), (std::array<int, 3>{c.y, c.m, c.d}));
    }
    // Every day of the range survives the trip through its number.
    for (int serial = -693593; serial <= 2958465; serial += 37) {
        int y, m, d;
        DecodeDate(serial, y, m, d);
        ASSERT_EQ(EncodeDate(y, m, d), serial);
    }
}

TEST_F(DateUtils, DatesThatDoNotExistAreRefused)
{
    const int bad[][3] = {{2023, 2, 29}, {1900, 2, 29}, {2024, 4, 31}, {2024, 0, 1}, {2024, 13, 1},
                          {2024, 1, 0},  {2024, 1, 32}, {0, 1, 1},     {10000, 1, 1}, {-5, 1, 1}};
    for (const auto& b : bad) {
        TDateTime v = 123;
        EXPECT_FALSE(TryEncodeDate(b[0], b[1], b[2], v)) << b[0] << '-' << b[1] << '-' << b[2];
        EXPECT_EQ(v, 123) << "untouched on failure";
        try {
            EncodeDate(b[0], b[1], b[2]);
            ADD_FAILURE() << "no exception";
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), QStringLiteral("Invalid argument to date encode"));
        }
    }
    EXPECT_NO_THROW(EncodeDate(2024, 2, 29));
    EXPECT_NO_THROW(EncodeDate(2000, 2, 29));

    const struct {
        int y;
        bool leap;
    } years[] = {{1900, false}, {2000, true}, {2023, false}, {2024, true}, {2100, false}, {2400, true}};
    for (const auto& c : years) EXPECT_EQ(IsLeapYear(c.y), c.leap) << c.y;
}

TEST_F(DateUtils, TimesEncodeAsTheFractionOfTheDay)
{
    EXPECT_EQ(EncodeTime(12, 0, 0, 0), 0.5);
    EXPECT_EQ(EncodeTime(6, 0, 0, 0), 0.25);
    EXPECT_DOUBLE_EQ(EncodeTime(23, 59, 59, 999), 86399999.0 / 86400000.0);
    const int bad[][4] = {{24, 0, 0, 0}, {-1, 0, 0, 0}, {0, 60, 0, 0}, {0, 0, 60, 0}, {0, 0, 0, 1000}};
    for (const auto& b : bad) {
        TDateTime v;
        EXPECT_FALSE(TryEncodeTime(b[0], b[1], b[2], b[3], v));
        EXPECT_THROW(EncodeTime(b[0], b[1], b[2], b[3]), EConvertError);
    }

    struct Case {
        TDateTime value;
        int y, m, d, h, n, s, z;
    } cases[] = {
        {At(2024, 3, 5, 13, 4, 5, 6), 2024, 3, 5, 13, 4, 5, 6},
        {-1.25, 1899, 12, 29, 6, 0, 0, 0}, // before the epoch the time still counts forward
        {-0.5, 1899, 12, 30, 12, 0, 0, 0},
        {At(2024, 12, 31) + 0.9999999999, 2025, 1, 1, 0, 0, 0, 0}, // rounds into the next day
        {EncodeDate(2024, 1, 1) + 1.0 / 3, 2024, 1, 1, 8, 0, 0, 0},
    };
    for (const Case& c : cases) {
        int y, m, d, h, n, s, z;
        DecodeDateTime(c.value, y, m, d, h, n, s, z);
        EXPECT_EQ((std::array<int, 7>{y, m, d, h, n, s, z}), (std::array<int, 7>{c.y, c.m, c.d, c.h, c.n, c.s, c.z})) << c.value;
    }
    EXPECT_EQ(ComposeDateTime(-1, 0.25), -1.25);
    EXPECT_EQ(ComposeDateTime(2, 0.25), 2.25);
}

TEST_F(DateUtils, FormatTokens)
{
    TFormatSettings s;
    s.DateSeparator = u'.';
    s.TimeSeparator = u'-';
    s.ShortDateFormat = QStringLiteral("dd/mm/yyyy");
    s.LongDateFormat = QStringLiteral("dddd d mmmm yyyy");
    s.ShortTimeFormat = QStringLiteral("hh:nn");
    s.LongTimeFormat = QStringLiteral("hh:nn:ss");
    s.TimeAMString = QStringLiteral("vorm.");
    s.TimePMString = QStringLiteral("nachm.");
    const TDateTime afternoon = At(2024, 3, 5, 13, 4, 5, 6);
    const TDateTime morning = At(2009, 11, 8, 0, 7, 0, 0);

    struct Case {
        const char* format;
        TDateTime value;
        const char* text;
    } cases[] = {
        {"d-dd-ddd-dddd", afternoon, "5-05-Tue-Tuesday"},
        {"m-mm-mmm-mmmm", afternoon, "3-03-Mar-March"},
        {"yy yyyy y", morning, "09 2009 09"},
        {"h hh n nn s ss z zzz", afternoon, "13 13 4 04 5 05 6 006"},
        {"hh:mm", afternoon, "13-04"},     // m after an hour is the minute
        {"h:m:s", morning, "0-7-0"},
        {"mm/dd/yy", afternoon, "03.05.24"}, // "/" is the date separator
        {"HH:NN DD/MM", afternoon, "13-04 05.03"},
        {"h:nn am/pm", afternoon, "1-04 pm"},
        {"h:nn AM/PM", morning, "12-07 AM"},
        {"h:nn a/p", afternoon, "1-04 p"},
        {"hh ampm", morning, "12 vorm."},
        {"hh ampm", afternoon, "01 nachm."},
        {"ddddd", afternoon, "05.03.2024"},
        {"dddddd", afternoon, "Tuesday 5 March 2024"},
        {"t|tt", afternoon, "13-04|13-04-05"},
        {"c", afternoon, "05.03.2024 13-04-05"},
        {"c", At(2024, 3, 5), "05.03.2024"}, // midnight: no time
        {"\"d/m\" 'y:' d", afternoon, "d/m y: 5"},
        {"\"unterminated", afternoon, "unterminated"},
        {"x[d]x", afternoon, "x[5]x"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatDateTime(QString::fromLatin1(c.format), c.value, s), QString::fromLatin1(c.text)) << c.format;
    EXPECT_EQ(FormatDateTime(QStringLiteral("yyyy"), 1e9, s), String()) << "beyond year 9999";

    SetFormatSettings(s);
    EXPECT_EQ(DateToStr(afternoon), QStringLiteral("05.03.2024"));
    EXPECT_EQ(TimeToStr(afternoon), QStringLiteral("13-04-05"));
    EXPECT_EQ(DateTimeToStr(afternoon), QStringLiteral("05.03.2024 13-04-05"));
    EXPECT_EQ(DateTimeToStr(At(2024, 3, 5)), QStringLiteral("05.03.2024"));
}

TEST_F(DateUtils, ReadsDatesInTheRegionalOrder)
{
    const int year = QDate::currentDate().year();
    const TFormatSettings dmy = Settings("dd/mm/yyyy", u'/');
    const TFormatSettings mdy = Settings("m/d/yyyy", u'/');
    const TFormatSettings ymd = Settings("yyyy/mm/dd", u'-');
    const TFormatSettings dotted = Settings("dd/mm/yyyy", u'.');

    struct Case {
        const TFormatSettings* settings;
        const char* text;
        bool ok;
        int y, m, d;
    } cases[] = {
        {&dmy, "31/12/2012", true, 2012, 12, 31},
        {&dmy, " 1/2/2024 ", true, 2024, 2, 1},
        {&dmy, "01/02/0001", true, 1, 2, 1},
        {&dmy, "1/2", true, year, 2, 1},
        {&dmy, "31/02/2024", false, 0, 0, 0},
        {&dmy, "12/31/2012", false, 0, 0, 0},
        {&dmy, "1.2.2024", false, 0, 0, 0},
        {&dmy, "1/2/2024/", false, 0, 0, 0},
        {&dmy, "1/2/3/4", false, 0, 0, 0},
        {&dmy, "1//2024", false, 0, 0, 0},
        {&dmy, "1/2/20245", false, 0, 0, 0},
        {&dmy, "1/2/2024x", false, 0, 0, 0},
        {&dmy, "a/b/c", false, 0, 0, 0},
        {&dmy, "12", false, 0, 0, 0},
        {&dmy, "", false, 0, 0, 0},
        {&dmy, "-1/2/2024", false, 0, 0, 0},
        {&mdy, "12/31/2012", true, 2012, 12, 31},
        {&mdy, "2/1", true, year, 2, 1},
        {&mdy, "31/12/2012", false, 0, 0, 0},
        {&ymd, "2012-12-31", true, 2012, 12, 31},
        {&ymd, "12-31", true, year, 12, 31},
        {&ymd, "2012/12/31", false, 0, 0, 0},
        {&dotted, "31.12.2012", true, 2012, 12, 31},
    };
    for (const Case& c : cases) {
        TDateTime v = -7;
        EXPECT_EQ(TryStrToDate(QString::fromLatin1(c.text), v, *c.settings), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(v, EncodeDate(c.y, c.m, c.d)) << c.text;
        } else {
            EXPECT_EQ(v, -7) << c.text;
        }
    }

    // Years of one or two digits fall into the century window.
    TDateTime v;
    ASSERT_TRUE(TryStrToDate(QStringLiteral("1/2/05"), v, dmy));
    EXPECT_EQ(v, EncodeDate(ExpandTwoDigitYear(5, year), 2, 1));
    ASSERT_TRUE(TryStrToDate(QStringLiteral("1/2/005"), v, dmy));
    EXPECT_EQ(v, EncodeDate(5, 2, 1)) << "three digits are the year as written";

    SetFormatSettings(dotted);
    EXPECT_EQ(StrToDate(QStringLiteral("5.3.2024")), EncodeDate(2024, 3, 5));
    try {
        StrToDate(QStringLiteral("5/3/2024"));
        FAIL() << "no exception";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("'5/3/2024' is not a valid date"));
    }
}

TEST_F(DateUtils, TwoDigitYearWindow)
{
    struct Case {
        int year, current, window, full;
    } cases[] = {
        {30, 2025, 50, 2030}, {74, 2025, 50, 2074}, {75, 2025, 50, 1975}, {99, 2025, 50, 1999},
        {0, 2025, 50, 2000},  {49, 2000, 50, 2049}, {50, 2000, 50, 1950}, {5, 2025, 0, 2005},
        {95, 2025, 0, 2095},  {150, 2025, 50, 150},
    };
    for (const Case& c : cases) EXPECT_EQ(ExpandTwoDigitYear(c.year, c.current, c.window), c.full) << c.year << " in " << c.current;
}

TEST_F(DateUtils, ReadsTimesAndDateTimes)
{
    TFormatSettings s;
    s.TimeAMString = QStringLiteral("vorm.");
    s.TimePMString = QStringLiteral("nachm.");
    struct Case {
        const char* text;
        bool ok;
        int h, n, sec, ms;
    } cases[] = {
        {"10:30", true, 10, 30, 0, 0},     {"0:00", true, 0, 0, 0, 0},          {"23:59:59", true, 23, 59, 59, 0},
        {"10:30:15.5", true, 10, 30, 15, 500}, {"10:30:15.123", true, 10, 30, 15, 123},
        {" 1:05 PM ", true, 13, 5, 0, 0},  {"1:05pm", true, 13, 5, 0, 0},       {"12:00 AM", true, 0, 0, 0, 0},
        {"12:00 PM", true, 12, 0, 0, 0},   {"PM 1:05", true, 13, 5, 0, 0},      {"1:05 p", true, 13, 5, 0, 0},
        {"1:05 nachm.", true, 13, 5, 0, 0}, {"13:00 PM", false, 0, 0, 0, 0},    {"0:30 AM", false, 0, 0, 0, 0},
        {"24:00", false, 0, 0, 0, 0},      {"10:60", false, 0, 0, 0, 0},        {"10", false, 0, 0, 0, 0},
        {"10:", false, 0, 0, 0, 0},        {"10:30:", false, 0, 0, 0, 0},       {"10.30", false, 0, 0, 0, 0},
        {"", false, 0, 0, 0, 0},           {"10:30 xx", false, 0, 0, 0, 0},     {"10:30:15.1234", false, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        TDateTime v = -7;
        EXPECT_EQ(TryStrToTime(QString::fromLatin1(c.text), v, s), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(v, EncodeTime(c.h, c.n, c.sec, c.ms)) << c.text;
        }
    }

    TDateTime v;
    ASSERT_TRUE(TryStrToDateTime(QStringLiteral("31/12/2012 10:30"), v, s));
    EXPECT_EQ(v, At(2012, 12, 31, 10, 30));
    ASSERT_TRUE(TryStrToDateTime(QStringLiteral("31/12/2012"), v, s));
    EXPECT_EQ(v, EncodeDate(2012, 12, 31));
    ASSERT_TRUE(TryStrToDateTime(QStringLiteral("10:30"), v, s));
    EXPECT_EQ(v, EncodeTime(10, 30, 0, 0));
    for (const char* bad : {"31/12/2012 10", "31/12/2012 x", "31/12/2012 10:30 5", "x 10:30"})
        EXPECT_FALSE(TryStrToDateTime(QString::fromLatin1(bad), v, s)) << bad;
    EXPECT_THROW(StrToTime(QStringLiteral("25:00")), EConvertError);
    EXPECT_THROW(StrToDateTime(QStringLiteral("nonsense")), EConvertError);
}

TEST_F(DateUtils, WhatALocaleWritesItReadsBack)
{
    const TDateTime values[] = {At(2024, 3, 5, 13, 4, 5), At(1999, 12, 31, 0, 0, 1), At(2000, 1, 1), At(1, 1, 1, 23, 59, 59),
                                At(9999, 12, 31, 12, 0, 0)};
    for (const char* locale : {"C", "en_US", "en_GB", "de_DE", "fr_FR", "sv_SE", "it_IT", "pt_BR", "ko_KR", "ja_JP"}) {
        const TFormatSettings s = FormatSettingsFromLocale(QString::fromLatin1(locale));
        const bool timeReadable = s.LongTimeFormat.contains(u':');
        for (TDateTime v : values) {
            const String date = FormatDateTime(s.ShortDateFormat, v, s);
            TDateTime back = -1;
            EXPECT_TRUE(TryStrToDate(date, back, s)) << locale << ": " << date.toStdString();
            EXPECT_EQ(back, std::trunc(v)) << locale << ": " << date.toStdString();
            if (!timeReadable) continue;
            const String text = FormatDateTime(QStringLiteral("c"), v, s);
            EXPECT_TRUE(TryStrToDateTime(text, back, s)) << locale << ": " << text.toStdString();
            EXPECT_EQ(FormatDateTime(QStringLiteral("c"), back, s), text) << locale;
        }
    }
}

TEST_F(DateUtils, QtConversions)
{
    const QDateTime qt(QDate(2024, 3, 5), QTime(13, 4, 5, 6), Qt::LocalTime);
    const TDateTime v = DateTimeFromQDateTime(qt);
    EXPECT_DOUBLE_EQ(v, At(2024, 3, 5, 13, 4, 5, 6));
    EXPECT_EQ(DateTimeToQDateTime(v), qt);
    EXPECT_EQ(DateTimeToQDate(-1.25), QDate(1899, 12, 29));
    EXPECT_EQ(DateFromQDate(QDate(1899, 12, 30)), 0);
    EXPECT_EQ(DateTimeFromQDateTime(QDateTime()), 0);
    EXPECT_FALSE(DateTimeToQDateTime(1e12).isValid());

    // The clock agrees with Qt's.
    const TDateTime today = Date();
    EXPECT_EQ(DateTimeToQDate(today), QDate::currentDate());
    EXPECT_GE(Now(), today);
    EXPECT_GE(Time(), 0);
    EXPECT_LT(Time(), 1);
}

} // namespace
