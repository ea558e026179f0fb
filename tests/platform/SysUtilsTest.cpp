#include "platform/SysUtils.h"

#include <gtest/gtest.h>

namespace {

struct IntCase {
    const char* text;
    bool ok;
    int value;
};

TEST(SysUtils, ReadsIntegersAsEveryFieldDoes)
{
    const IntCase cases[] = {
        {"0", true, 0},           {"42", true, 42},          {"-42", true, -42},      {"+7", true, 7},
        {"  12", true, 12},       {"12 ", false, 0},         {"", false, 0},          {" ", false, 0},
        {"-", false, 0},          {"$1F", true, 31},         {"$ff", true, 255},      {"x10", true, 16},
        {"X10", true, 16},        {"0x10", true, 16},        {"0X1a", true, 26},      {"-$10", true, -16},
        {"$", false, 0},          {"0x", false, 0},          {"$FFFFFFFF", true, -1}, {"$100000000", false, 0},
        {"$000000001", true, 1},  {"2147483647", true, 2147483647}, {"2147483648", false, 0},
        {"-2147483648", true, -2147483647 - 1}, {"-2147483649", false, 0}, {"1.5", false, 0},
        {"12a", false, 0},        {"a12", false, 0},         {"0012", true, 12},      {"1 2", false, 0},
        {"\xd9\xa3", false, 0}, // Arabic-Indic digit three: no ASCII digit, no number
    };
    for (const IntCase& c : cases) {
        int v = -99;
        EXPECT_EQ(TryStrToInt(QString::fromUtf8(c.text), v), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(v, c.value) << c.text;
        }
        EXPECT_EQ(StrToIntDef(QString::fromUtf8(c.text), -1), c.ok ? c.value : -1) << c.text;
    }
}

TEST(SysUtils, StrToIntRaisesWithThePlatformText)
{
    try {
        StrToInt(QStringLiteral("abc"));
        FAIL() << "no exception";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("'abc' is not a valid integer value"));
        EXPECT_STREQ(e.what(), "'abc' is not a valid integer value");
    }
}

TEST(SysUtils, SixtyFourBitReading)
{
    std::int64_t v = 0;
    EXPECT_TRUE(TryStrToInt64(QStringLiteral("4294967296"), v));
    EXPECT_EQ(v, 4294967296LL);
    EXPECT_TRUE(TryStrToInt64(QStringLiteral("9223372036854775807"), v));
    EXPECT_FALSE(TryStrToInt64(QStringLiteral("9223372036854775808"), v));
    EXPECT_TRUE(TryStrToInt64(QStringLiteral("$FFFFFFFFFFFFFFFF"), v));
    EXPECT_EQ(v, -1);
    EXPECT_EQ(StrToInt64Def(QStringLiteral("zz"), 5), 5);
}

TEST(SysUtils, TrimRemovesBlanksAndControlCharacters)
{
    EXPECT_EQ(Trim(QStringLiteral(" \t\r\n abc \x01\x1f ")), QStringLiteral("abc"));
    EXPECT_EQ(Trim(QStringLiteral("a b")), QStringLiteral("a b"));
    EXPECT_EQ(Trim(QString(QChar(0x00A0)) + u'x'), QString(QChar(0x00A0)) + u'x'); // no-break space stays
    EXPECT_EQ(TrimLeft(QStringLiteral("  a  ")), QStringLiteral("a  "));
    EXPECT_EQ(TrimRight(QStringLiteral("  a  ")), QStringLiteral("  a"));
    EXPECT_EQ(Trim(QStringLiteral("   ")), QString());
}

TEST(SysUtils, CaseRulesFoldOnlyAsciiLettersUnlessAnsi)
{
    EXPECT_EQ(UpperCase(QStringLiteral("abcé")), QStringLiteral("ABCé"));
    EXPECT_TRUE(SameText(QStringLiteral("Alpha"), QStringLiteral("aLPHA")));
    EXPECT_FALSE(SameText(QStringLiteral("é"), QStringLiteral("É")));
    EXPECT_TRUE(AnsiSameText(QStringLiteral("é"), QStringLiteral("É")));
    EXPECT_LT(CompareText(QStringLiteral("a"), QStringLiteral("B")), 0);
    EXPECT_GT(CompareText(QStringLiteral("ab"), QStringLiteral("A")), 0);
}

TEST(SysUtils, FormatDirectives)
{
    EXPECT_EQ(Format(QStringLiteral("%d-%s"), {5, QStringLiteral("x")}), QStringLiteral("5-x"));
    EXPECT_EQ(Format(QStringLiteral("%3d|%-3d|%.3d"), {7, 7, 7}), QStringLiteral("  7|7  |007"));
    EXPECT_EQ(Format(QStringLiteral("%x %.4X"), {255, 255}), QStringLiteral("FF 00FF"));
    EXPECT_EQ(Format(QStringLiteral("%.2f%%"), {1.005 + 0.0001}), QStringLiteral("1.01%"));
    EXPECT_THROW(Format(QStringLiteral("%d %d"), {1}), EConvertError);
    EXPECT_THROW(Format(QStringLiteral("%q"), {1}), EConvertError);
    EXPECT_EQ(IntToHex(0xABu, 4), QStringLiteral("00AB"));
}

} // namespace
