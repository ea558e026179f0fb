#include "platform/Regional.h"

#include "tests/common/TestUtil.h"

#include <QLocale>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <random>

namespace {

// Every test starts from known settings and leaves the system's behind.
class Regional : public ::testing::Test {
protected:
    void SetUp() override { SetFormatSettings(TFormatSettings{}); }
    void TearDown() override { ResetFormatSettingsFromSystem(); }

    static TFormatSettings Comma()
    {
        TFormatSettings s;
        s.DecimalSeparator = u',';
        s.ThousandSeparator = u'.';
        s.ProfileDecimal = QStringLiteral(",");
        return s;
    }
};

TEST_F(Regional, SettingsOfALocale)
{
    struct Case {
        const char* locale;
        char16_t decimal, thousand, dateSep, timeSep;
        const char* shortDate;
    } cases[] = {
        {"de_DE", u',', u'.', u'.', u':', "dd/mm/yyyy"},
        {"en_US", u'.', u',', u'/', u':', "m/d/yyyy"},
        {"en_GB", u'.', u',', u'/', u':', "dd/mm/yyyy"},
        {"sv_SE", u',', u'\u00A0', u'-', u':', "yyyy/mm/dd"},
        {"C", u'.', u',', u'/', u':', "dd/mm/yyyy"},
    };
    for (const Case& c : cases) {
        const TFormatSettings s = FormatSettingsFromLocale(QString::fromLatin1(c.locale));
        EXPECT_EQ(s.DecimalSeparator, QChar(c.decimal)) << c.locale;
        EXPECT_EQ(s.ProfileDecimal, String(QChar(c.decimal))) << c.locale;
        if (c.thousand != u'\u00A0') {
            EXPECT_EQ(s.ThousandSeparator, QChar(c.thousand)) << c.locale;
        }
        EXPECT_EQ(s.DateSeparator, QChar(c.dateSep)) << c.locale;
        EXPECT_EQ(s.TimeSeparator, QChar(c.timeSep)) << c.locale;
        EXPECT_EQ(s.ShortDateFormat, QString::fromLatin1(c.shortDate)) << c.locale;
    }
    const TFormatSettings us = FormatSettingsFromLocale(QStringLiteral("en_US"));
    EXPECT_TRUE(us.ShortTimeFormat.contains(QStringLiteral("ampm"))) << us.ShortTimeFormat.toStdString();
    const TFormatSettings de = FormatSettingsFromLocale(QStringLiteral("de_DE"));
    EXPECT_EQ(de.LongMonthNames[2], QStringLiteral("M\u00E4rz"));
    EXPECT_EQ(de.LongDayNames[0], QStringLiteral("Sonntag"));
    EXPECT_FALSE(de.LongTimeFormat.contains(u't')) << "no time zone: " << de.LongTimeFormat.toStdString();
}

TEST_F(Regional, SettingsInForceCanBeReplaced)
{
    SetFormatSettings(Comma());
    EXPECT_EQ(FormatSettings().DecimalSeparator, QChar(u','));
    EXPECT_EQ(StrToFloatDef(QStringLiteral("1,5"), -1), 1.5);
    ResetFormatSettingsFromSystem();
    EXPECT_EQ(FormatSettings().DecimalSeparator, FormatSettingsFromLocale(QLocale::system().name()).DecimalSeparator);
}

TEST_F(Regional, ReadsFloatsWithTheRegionalSeparatorOnly)
{
    struct Case {
        const char* text;
        bool okPoint; // under a point locale
        bool okComma; // under a comma locale
        double value;
    } cases[] = {
        {"1.5", true, false, 1.5},       {"1,5", false, true, 1.5},         {"-2.25", true, false, -2.25},
        {"+3", true, true, 3},           {"  7.5  ", true, false, 7.5},     {"1e3", true, true, 1000},
        {"1.5E-2", true, false, 0.015},  {"2E+2", true, true, 200},         {".5", true, false, 0.5},
        {"5.", true, false, 5},          {"", false, false, 0},             {" ", false, false, 0},
        {".", false, false, 0},          {"-", false, false, 0},            {"1e", false, false, 0},
        {"e5", false, false, 0},         {"1,234.5", false, false, 0},      {"1.234,5", false, false, 0},
        {"1 000", false, false, 0},      {"0x10", false, false, 0},         {"$10", false, false, 0},
        {"1.5.", false, false, 0},       {"--1", false, false, 0},          {"INF", false, false, 0},
        {"NAN", false, false, 0},        {"1e400", false, false, 0},        {"\t1", false, false, 0},
        {"1e-400", true, true, 0},       {"12abc", false, false, 0},        {"\xd9\xa3", false, false, 0},
    };
    const TFormatSettings point;
    const TFormatSettings comma = Comma();
    for (const Case& c : cases) {
        const String text = QString::fromUtf8(c.text);
        double v = -99;
        EXPECT_EQ(TryStrToFloat(text, v, point), c.okPoint) << "point: " << c.text;
        if (c.okPoint) {
            EXPECT_DOUBLE_EQ(v, c.value) << c.text;
        }
        v = -99;
        EXPECT_EQ(TryStrToFloat(text, v, comma), c.okComma) << "comma: " << c.text;
        if (c.okComma) {
            EXPECT_DOUBLE_EQ(v, c.value) << c.text;
        }
    }
}

TEST_F(Regional, StrToFloatRaisesWithThePlatformText)
{
    EXPECT_EQ(StrToFloatDef(QStringLiteral("x"), 1.0), 1.0);
    try {
        StrToFloat(QStringLiteral("1,5"));
        FAIL() << "no exception";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("'1,5' is not a valid floating point value"));
    }
}

TEST_F(Regional, FloatToStrGivesTheShortestGeneralForm)
{
    struct Case {
        double value;
        const char* text;
    } cases[] = {
        {0, "0"},
        {-0.0, "0"},
        {1.5, "1.5"},
        {-1.5, "-1.5"},
        {100, "100"},
        {0.1, "0.1"},
        {1.0 / 3, "0.333333333333333"},
        {2.0 / 3, "0.666666666666667"},
        {0.0001, "0.0001"},
        {0.00001, "1E-5"},
        {0.000025, "2.5E-5"},
        {123456789012345.0, "123456789012345"},
        {999999999999999.0, "999999999999999"},
        {1e15, "1E15"},
        {1234567890123456.0, "1.23456789012346E15"},
        {1e20, "1E20"},
        {-1e-300, "-1E-300"},
        {std::numeric_limits<double>::infinity(), "INF"},
        {-std::numeric_limits<double>::infinity(), "-INF"},
        {std::numeric_limits<double>::quiet_NaN(), "NAN"},
    };
    for (const Case& c : cases) EXPECT_EQ(FloatToStr(c.value), QString::fromLatin1(c.text)) << c.text;

    const TFormatSettings comma = Comma();
    EXPECT_EQ(FloatToStr(1.5, comma), QStringLiteral("1,5"));
    EXPECT_EQ(FloatToStr(2.5e-5, comma), QStringLiteral("2,5E-5"));
}

TEST_F(Regional, FloatToStrReadsBackToFifteenDigits)
{
    std::mt19937_64 rng(42);
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    std::uniform_int_distribution<int> exponent(-30, 30);
    for (const TFormatSettings& s : {TFormatSettings{}, Comma()}) {
        for (int i = 0; i < 2000; ++i) {
            const double x = mantissa(rng) * std::pow(10.0, exponent(rng));
            double back = 0;
            const String text = FloatToStr(x, s);
            ASSERT_TRUE(TryStrToFloat(text, back, s)) << text.toStdString();
            EXPECT_LE(std::fabs(back - x), std::fabs(x) * 1e-14) << text.toStdString();
        }
    }
}

TEST_F(Regional, FloatToStrFFormats)
{
    struct Case {
        double value;
        TFloatFormat format;
        int precision, digits;
        const char* point;
        const char* comma;
    } cases[] = {
        {1234567.891, TFloatFormat::ffFixed, 15, 2, "1234567.89", "1234567,89"},
        {1234567.891, TFloatFormat::ffNumber, 15, 2, "1,234,567.89", "1.234.567,89"},
        {-1234.5, TFloatFormat::ffNumber, 15, 0, "-1,235", "-1.235"},
        {999.5, TFloatFormat::ffNumber, 15, 0, "1,000", "1.000"},
        {0.125, TFloatFormat::ffFixed, 15, 1, "0.1", "0,1"},
        {0.15, TFloatFormat::ffFixed, 15, 1, "0.2", "0,2"}, // rounded to 15 digits first
        {0.96, TFloatFormat::ffFixed, 15, 0, "1", "1"},
        {-0.001, TFloatFormat::ffFixed, 15, 2, "0.00", "0,00"},
        {1e20, TFloatFormat::ffFixed, 15, 2, "1.00000000000000E+20", "1,00000000000000E+20"},
        {1234.5, TFloatFormat::ffExponent, 4, 2, "1.235E+03", "1,235E+03"},
        {-0.00012, TFloatFormat::ffExponent, 3, 0, "-1.20E-4", "-1,20E-4"},
        {1234.5678, TFloatFormat::ffGeneral, 6, 0, "1234.57", "1234,57"},
        {1234567.0, TFloatFormat::ffGeneral, 4, 0, "1.235E6", "1,235E6"},
    };
    for (const Case& c : cases) {
        SetFormatSettings(TFormatSettings{});
        EXPECT_EQ(FloatToStrF(c.value, c.format, c.precision, c.digits), QString::fromLatin1(c.point)) << c.point;
        SetFormatSettings(Comma());
        EXPECT_EQ(FloatToStrF(c.value, c.format, c.precision, c.digits), QString::fromLatin1(c.comma)) << c.comma;
    }
}

} // namespace
