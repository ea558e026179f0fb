#include "grid/support/ZvGridUtil.h"

#include "platform/Regional.h"
#include "tests/common/TestUtil.h"

#include <gtest/gtest.h>

#include <random>

namespace {

String S(const char* utf8) { return QString::fromUtf8(utf8); }

TFormatSettings DotSettings()
{
    TFormatSettings s;
    s.DecimalSeparator = u'.';
    s.ThousandSeparator = u',';
    s.DateSeparator = u'/';
    s.TimeSeparator = u':';
    s.ShortDateFormat = QStringLiteral("dd/MM/yyyy");
    return s;
}

TFormatSettings CommaSettings()
{
    TFormatSettings s = DotSettings();
    s.DecimalSeparator = u',';
    s.ThousandSeparator = u'.';
    s.ProfileDecimal = QStringLiteral(",");
    s.DateSeparator = u'.';
    s.ShortDateFormat = QStringLiteral("dd.MM.yyyy");
    return s;
}

// Every test starts from the "." settings and leaves the system's behind.
class GridUtil : public ::testing::Test {
protected:
    void SetUp() override { SetFormatSettings(DotSettings()); }
    void TearDown() override { ResetFormatSettingsFromSystem(); }
};

TEST_F(GridUtil, PositionsAreOneBasedAndZeroWhenMissing)
{
    int pos = -7;
    EXPECT_EQ(PosOut(S("lo"), S("hello"), pos), 4);
    EXPECT_EQ(pos, 4);
    EXPECT_EQ(PosOut(S("x"), S("hello"), pos), 0);
    EXPECT_EQ(pos, 0);
    EXPECT_EQ(PosOut(String(), S("hello"), pos), 0);
    EXPECT_EQ(PosInUpper(S("LL"), S("hello")), 3);
    EXPECT_EQ(PosInUpper(S("ll"), S("hello")), 0) << "the sub-text is expected in upper case";
    EXPECT_EQ(CharPos(u'o', S("foo")), 2);
    EXPECT_EQ(CharPos(u'z', S("foo")), 0);
    pos = 99;
    EXPECT_EQ(CharPosOut(u'z', S("foo"), pos), 0);
    EXPECT_EQ(pos, 99) << "written only when found";
    EXPECT_EQ(CharPosOut(u'f', S("foo"), pos), 1);
    EXPECT_EQ(pos, 1);
    EXPECT_EQ(WidePos(S("\u00E9t"), S("\u00E9t\u00E9")), 1);
}

TEST_F(GridUtil, SplittingAndJoining)
{
    struct Case {
        const char* text;
        const char* delimiter;
        const char* part;
        const char* rest;
    } cases[] = {
        {"a;b;c", ";", "a", "b;c"},
        {";b", ";", "", "b"},
        {"abc", ";", "", "abc"},
        {"a::b", "::", "a", ":b"},   // only the delimiter's first character goes
        {"", ";", "", ""},
    };
    for (const Case& c : cases) {
        String text = S(c.text), part = S("junk");
        SplitAtDelimiter(text, S(c.delimiter), part);
        EXPECT_EQ(part, S(c.part)) << c.text;
        EXPECT_EQ(text, S(c.rest)) << c.text;
    }
    TStringList list;
    list.Add(S("a"));
    list.Add(S("b c"));
    EXPECT_EQ(ConcatStrings(list), S("ab c"));
    String t = S("abc");
    FillWithChar(t, u'*');
    EXPECT_EQ(t, S("***"));
}

TEST_F(GridUtil, QuotesAndPairedCharacters)
{
    EXPECT_EQ(EscapeQuoteChars(S("a\"b\"\"")), S("a\"\"b\"\"\"\""));
    struct Undouble {
        const char* in;
        const char* out;
    } undouble[] = {{"a\"\"b", "a\"b"}, {"\"\"\"", "\"\""}, {"abc", "abc"}, {"\"", "\""}, {"", ""}};
    for (const Undouble& c : undouble) EXPECT_EQ(UndoubleChar(u'"', S(c.in)), S(c.out)) << c.in;

    struct Unpaired {
        const char* text;
        int pos;
        int count;
    } unpaired[] = {
        {"abc", 0, 0},
        {"a\"b", 2, 1},          // a lone quote
        {"a\"\"b", 0, 0},        // a pair
        {"a\"\"\"b", 4, 1},      // odd run: its last character
        {"a\"b\"c", 2, 2},
        {"ab\"", 3, 1},          // a run at the end gives the last position
        {"ab\"\"", 4, 1},        // even at the end still counts
        {"", 0, 0},
    };
    for (const Unpaired& c : unpaired) {
        int pos = -1;
        EXPECT_EQ(FindUnpairedChar(u'"', S(c.text), pos), c.pos) << c.text;
        EXPECT_EQ(pos, c.pos) << c.text;
        EXPECT_EQ(CountUnpairedChars(u'"', S(c.text)), c.count) << c.text;
    }
    EXPECT_EQ(CountChar(u'a', S("banana")), 3);
}

TEST_F(GridUtil, OperatorsOutsideQuotesAndParentheses)
{
    int pos = 0;
    EXPECT_EQ(FindOperatorOutsideQuotes(S("&|"), S("\"a&b\"|c"), pos), QChar(u'|'));
    EXPECT_EQ(pos, 6);
    EXPECT_EQ(FindOperatorOutsideQuotes(S("&|"), S("\"a&b\""), pos), QChar(0));
    EXPECT_EQ(pos, -1);
    EXPECT_EQ(StripSpacesOutsideQuotes(S(" a b \" c d \" e ")), S("ab\" c d \"e"));
    struct Paren {
        const char* text;
        int pos;
    } parens[] = {{"(a)", 3}, {"((a)b)c", 6}, {"(a", 0}, {")(", 0}, {"", 0}, {"a(b)(c)", 4}};
    for (const Paren& p : parens) EXPECT_EQ(MatchingParenPos(S(p.text)), p.pos) << p.text;
}

TEST_F(GridUtil, MixedCase)
{
    struct Case {
        const char* in;
        const char* out;
    } cases[] = {
        {"hello world", "Hello World"},
        {"HELLO", "Hello"},
        {"o'neil-smith jr.", "O'Neil-Smith Jr."},
        {"mcdonald", "McDonald"},
        {"ronald mcdonald", "Ronald McDonald"},
        {"henry viii", "Henry Viii"},
        {"john smith ii", "John Smith II"},
        {"john smith iii", "John Smith III"},
        {"\u00E9mile zola", "\u00C9mile Zola"},
        {"", ""},
        {"m", "M"},
    };
    for (const Case& c : cases) EXPECT_EQ(ToMixedCase(S(c.in)), S(c.out)) << c.in;
}

TEST_F(GridUtil, LineBreakConversions)
{
    using Fn = String (*)(const String&);
    struct Case {
        Fn fn;
        const char* name;
        const char* in;
        const char* out;
    } cases[] = {
        {CRToBreakTags, "CRToBreakTags", "a\r\nb", "a<br>\nb"},
        {CRToBreakTags, "CRToBreakTags", "a\nb", "a\nb"},
        {EscapedNewlineToCR, "EscapedNewlineToCR", "a\\nb\\n", "a\rb\r"},
        {CRToEscapedNewline, "CRToEscapedNewline", "a\r\nb\nc", "a\\nbc"},
        {CRLFToVTQuoted, "CRLFToVTQuoted", "a\r\nb", "\"a\x0b" "b\""},
        {CRLFToVTQuoted, "CRLFToVTQuoted", "", "\"\""},
        {VTToCRLF, "VTToCRLF", "a\x0b" "b", "a\r\nb"},
        {StripCRBeforeLF, "StripCRBeforeLF", "a\r\nb\rc", "a\nb\rc"},
        {StripCR, "StripCR", "a\r\nb\r", "a\nb"},
        {CRToLF, "CRToLF", "a\rb\n", "a\nb\n"},
        {CRToTilde, "CRToTilde", "a\r\nb", "a~b"},
        {TildeToCRLF, "TildeToCRLF", "a~b", "a\r\nb"},
        {TildeToCRLF, "TildeToCRLF", "^", ""},
        {TildeToCRLF, "TildeToCRLF", "^^", "^^"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.fn(S(c.in)), S(c.out)) << c.name << " of " << c.in;
}

TEST_F(GridUtil, LineBreakStorageRoundTrip)
{
    EXPECT_EQ(EncodeLineBreaks(S("a\nb")), S("a\nb")) << "without CR nothing changes";
    const String text = QStringLiteral("one\r\ntwo") + QChar(0) + QStringLiteral("\r\nthree");
    const String stored = EncodeLineBreaks(text);
    EXPECT_FALSE(stored.contains(u'\r'));
    EXPECT_FALSE(stored.contains(u'\n'));
    EXPECT_FALSE(stored.contains(QChar(0)));
    EXPECT_EQ(stored, QStringLiteral("one\t\x08two\x01\t\x08three"));
    EXPECT_EQ(DecodeLineBreaks(stored, true), text);
    EXPECT_EQ(DecodeLineBreaks(stored, false), S("one"));

    struct Line {
        const char* text;
        bool keepRest;
        const char* line;
        const char* rest;
    } lines[] = {
        {"abc", true, "abc", ""},
        {"a\r\nb\r\nc", true, "a", "b\r\nc"},
        {"a\rb", true, "a", "b"},
        {"a\r\nb", false, "a", ""},
        {"\r\n", true, "", ""},
        {"", true, "", ""},
    };
    for (const Line& l : lines) {
        String t = S(l.text);
        EXPECT_EQ(FirstLineOf(t, l.keepRest), S(l.line)) << l.text;
        EXPECT_EQ(t, S(l.rest)) << l.text;
    }
    EXPECT_EQ(LineCountOf(S("a\rb\rc"), true), 3);
    EXPECT_EQ(LineCountOf(S("a\rb\rc"), false), 1);
    EXPECT_EQ(LineCountOf(String(), true), 1);
}

TEST_F(GridUtil, OemCodePageRoundTrip)
{
    String t = S("Gr\u00FC\u00DFe \u00E9t\u00E9 \u00C7a");
    const String original = t;
    TextToOem(t);
    EXPECT_EQ(t[2], QChar(char16_t(0x81))) << "u umlaut";
    EXPECT_EQ(t[3], QChar(char16_t(0xE1))) << "sharp s";
    OemToText(t);
    EXPECT_EQ(t, original);
    String unknown = S("\u4E2D");
    TextToOem(unknown);
    EXPECT_EQ(unknown, S("?"));
}

TEST_F(GridUtil, UnicodeCellTextRoundTrip)
{
    const String samples[] = {S(""), S("abc"), S("\u4E2D\u6587 \u00E9"), S("=A1"), QString::fromUtf16(u"\U0001F600")};
    for (const String& s : samples) {
        const String encoded = EncodeUnicodeCellText(s);
        EXPECT_TRUE(encoded.startsWith(QStringLiteral("|\\")));
        EXPECT_EQ(encoded.size(), 2 + 2 * s.size());
        for (qsizetype i = 2; i < encoded.size(); ++i) EXPECT_LT(encoded[i].unicode(), 256);
        EXPECT_EQ(DecodeUnicodeCellText(encoded), s) << s.toStdString();
    }
    EXPECT_EQ(DecodeUnicodeCellText(S("plain")), S("plain"));
    EXPECT_EQ(DecodeUnicodeCellText(QStringLiteral("|\\") + QChar(0) + QChar(u'A') + QChar(u'B')), S("A"))
        << "an odd last character is ignored";
    // Characters above 255 (a broken coding) stay within 16 bits and never crash.
    EXPECT_EQ(DecodeUnicodeCellText(QStringLiteral("|\\") + QChar(char16_t(0x1234)) + QChar(u'A')).size(), 1);
}

TEST_F(GridUtil, ColoursAndClipboardHTML)
{
    EXPECT_EQ(ColorToHexText(RGB(0x12, 0xAB, 0xEF)), S("12ABEF"));
    EXPECT_EQ(ColorToHexText(clRed), S("FF0000"));

    const String doc = MakeClipboardHTML(S("0123456789"));
    EXPECT_TRUE(doc.startsWith(S("Version:1.0\r\nStartHTML:00000097\r\nEndHTML:00000316\r\n"
                                 "StartFragment:00000274\r\nEndFragment:00000284\r\n")));
    // The offsets point where they say.
    EXPECT_EQ(doc.indexOf(S("<!DOCTYPE")), 97);
    EXPECT_EQ(doc.indexOf(S("0123456789")), 274);
    EXPECT_EQ(doc.size(), 316);
    EXPECT_TRUE(doc.endsWith(S("0123456789<!--EndFragment--></body></html>")));
    const String big = MakeClipboardHTML(String(100000000 / 1000, u'x'));
    EXPECT_TRUE(big.contains(S("EndFragment:00100274")));
}

TEST_F(GridUtil, CharacterClasses)
{
    SetFormatSettings(CommaSettings());
    struct Case {
        char16_t c;
        bool digit, digitOrMinus, number, floatChar, numberOrSign;
    } cases[] = {
        {u'5', true, true, true, true, true},
        {u'-', false, true, false, true, true},
        {u'+', false, false, false, true, true},
        {u',', false, false, true, false, true},   // decimal separator here
        {u'.', false, false, true, true, true},    // thousands separator here, and a float character
        {u'e', false, false, true, true, true},
        {u'x', false, false, false, false, false},
        {u'\u0663', true, true, true, true, true},   // Arabic-Indic three
    };
    for (const Case& c : cases) {
        const QChar ch(c.c);
        EXPECT_EQ(IsDigitChar(ch), c.digit) << char(c.c);
        EXPECT_EQ(IsDigitOrMinus(ch), c.digitOrMinus) << char(c.c);
        EXPECT_EQ(IsNumberChar(ch), c.number) << char(c.c);
        EXPECT_EQ(IsFloatChar(ch), c.floatChar) << char(c.c);
        EXPECT_EQ(IsNumberOrSignChar(ch), c.numberOrSign) << char(c.c);
    }
}

TEST_F(GridUtil, NumberTextTypes)
{
    struct Case {
        const char* text;
        int dotType;     // thousands ",", decimal "."
        int commaType;   // thousands ".", decimal ","
    } cases[] = {
        {"123", ntInteger, ntInteger},
        {"-123", ntInteger, ntInteger},
        {"-", ntInteger, ntInteger},
        {"", ntNotNumber, ntNotNumber},
        {"1,234.5", ntDecimal, ntDecimal},   // for the comma settings: decimal "," then thousands "."
        {"1.234,5", ntDecimal, ntDecimal},
        {"1,23,4", ntNotNumber, ntNotNumber},
        {"1,234,567", ntDecimal, ntNotNumber},
        {"12.5", ntDecimal, ntDecimal},   // "." is the thousands separator for the comma settings
        {"1E5", ntExponent, ntExponent},
        {"1.5e-3", ntExponent, ntNotNumber},
        {"-1.5E+3", ntExponent, ntNotNumber},
        {"1E", ntNotNumber, ntNotNumber},
        {"E5", ntNotNumber, ntNotNumber},
        {"1E5E", ntNotNumber, ntNotNumber},
        {"1.2.3", ntNotNumber, ntNotNumber},
        {"1-2", ntNotNumber, ntNotNumber},
        {"--1", ntNotNumber, ntNotNumber},
        {"abc", ntNotNumber, ntNotNumber},
        {"12 ", ntNotNumber, ntNotNumber},
    };
    for (const Case& c : cases) EXPECT_EQ(NumberTextType(S(c.text)), c.dotType) << "dot: " << c.text;
    SetFormatSettings(CommaSettings());
    for (const Case& c : cases) EXPECT_EQ(NumberTextType(S(c.text)), c.commaType) << "comma: " << c.text;
}

TEST_F(GridUtil, CleaningNumbers)
{
    struct Case {
        const char* text;
        const char* dot;
        const char* comma;
    } cases[] = {
        {"($1,234.50)", "-1234.50", "-1.23450"},
        {"  $ 12 ", "12", "12"},
        {"-$ 5", "-5", "-5"},
        {"-$7.5", "-7.5", "-75"},
        {"1.234,5", "1.2345", "1234.5"},
        {"12 kg", "12", "12"},
        {"", "", ""},
        {"x", "", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(CleanNumericText(S(c.text)), S(c.dot)) << c.text;
    SetFormatSettings(CommaSettings());
    for (const Case& c : cases) EXPECT_EQ(CleanNumericText(S(c.text)), S(c.comma)) << c.text;
    EXPECT_EQ(CleanFilterNumber(S("1.234,5 x")), S("1234.5 x"));
}

TEST_F(GridUtil, ClampAndMinMax)
{
    struct Case {
        int value, minimum, maximum, result;
    } cases[] = {
        {5, 0, 0, 5}, {5, 3, 3, 5}, {50, 1, 10, 10}, {-5, 1, 10, 1}, {5, 1, 10, 5},
        {50, 0, 10, 10}, {-5, 0, 10, -5}, {-50, -10, 0, -50}, {50, 5, 0, 50},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ClampToLimits(c.value, c.minimum, c.maximum), c.result) << c.value << " " << c.minimum << " " << c.maximum;
    EXPECT_EQ(MaxOf(-3, 2), 2);
    EXPECT_EQ(MinOf(-3, 2), -3);
}

TEST_F(GridUtil, SortDates)
{
    struct Case {
        const char* text;
        int y, m, d;   // month-first reading; y == 0: no date
    } cases[] = {
        {"12/31/2012", 2012, 12, 31},
        {"1.2.03", 2003, 1, 2},
        {"1-2-99", 1999, 1, 2},
        {"1/2/25", 2025, 1, 2},
        {"1/2/26", 1926, 1, 2},
        {"1/2/1850", 1850, 1, 2},   // four-digit years stay as written
        {"1/2/2150", 2150, 1, 2},
        {"12312012", 0, 0, 0},
        {"1/2", 0, 0, 0},
        {"a/2/2000", 0, 0, 0},
        {"", 0, 0, 0},
    };
    for (const Case& c : cases) {
        const TDateTime expected = c.y ? EncodeDate(c.y, c.m, c.d) : 0;
        EXPECT_EQ(ParseDateMonthFirst(S(c.text)), expected) << c.text;
    }
    EXPECT_EQ(ParseDateDayFirst(S("31/12/2012")), EncodeDate(2012, 12, 31));
    EXPECT_LT(ParseDateDayFirst(S("1/1/1999")), ParseDateDayFirst(S("1/1/2001")));
    EXPECT_LT(ParseDateDayFirst(S("1/1/1999")), ParseDateDayFirst(S("1/1/2150")));
    EXPECT_THROW(ParseDateMonthFirst(S("2/30/2012")), EConvertError);
    EXPECT_THROW(ParseDateDayFirst(S("0/1/2012")), EConvertError);
}

TEST_F(GridUtil, DateLookAndIncrements)
{
    struct Look {
        const char* text;
        bool date;
    } looks[] = {{"1/2/3", true}, {"12/2012/", true}, {"/1/2", false}, {"1//2", false}, {"1/2", false}, {"", false}};
    for (const Look& l : looks) EXPECT_EQ(LooksLikeDate(S(l.text)), l.date) << l.text;

    const TDateTime base = EncodeDate(2012, 1, 31) + 0.5;
    struct Inc {
        int years, months, days;
        double fallback;
        TDateTime expected;
    } incs[] = {
        {0, 0, 3, 9, base + 3},
        {2, 0, 0, 9, EncodeDate(2014, 1, 31)},
        {0, 2, 0, 9, EncodeDate(2012, 3, 31)},
        {0, -1, 0, 9, EncodeDate(2011, 12, 31)},   // month 0: December before
        {0, 11, 0, 9, EncodeDate(2012, 12, 31)},
        {0, 12, 0, 9, EncodeDate(2013, 1, 31)},    // month 13: into the next year
        {0, -25, 0, 9, EncodeDate(2009, 12, 31)},
        {1, 1, 0, 9, base + 9},
        {0, 1, 1, 9, base + 9},
        {0, 0, 0, 9, base + 9},
    };
    for (const Inc& c : incs)
        EXPECT_DOUBLE_EQ(IncDateBy(c.years, c.months, c.days, base, c.fallback), c.expected)
            << c.years << "/" << c.months << "/" << c.days;
    EXPECT_THROW(IncDateBy(0, 1, 0, base, 0), EConvertError) << "31 February";
    EXPECT_THROW(IncDateBy(1, 0, 0, EncodeDate(2012, 2, 29), 0), EConvertError);
}

TEST_F(GridUtil, DatesInTheRegionalFormat)
{
    struct Case {
        const char* format;
        char16_t dateSep;
        const char* text;
        bool ok;
        TDateTime expected;
    } cases[] = {
        {"dd/MM/yyyy", u'/', "31/12/2012 10:30", true, EncodeDate(2012, 12, 31) + EncodeTime(10, 30, 0, 0)},
        {"dd/MM/yyyy", u'/', "31/12/2012 10:30:15", true, EncodeDate(2012, 12, 31) + EncodeTime(10, 30, 15, 0)},
        {"dd/MM/yyyy", u'/', "31/12/2012", true, EncodeDate(2012, 12, 31)},
        {"dd/MM/yyyy", u'/', "31/12/2012 1a:30", false, 0},
        {"dd/MM/yyyy", u'/', "31/12/2012 10", false, EncodeDate(2012, 12, 31)},
        {"dd/MM/yyyy", u'/', "31/12/2012 24:00", false, 0},
        {"dd/MM/yyyy", u'/', "31/12/2012 10:60", false, 0},
        {"dd/MM/yyyy", u'/', "32/12/2012", false, 0},
        {"dd/MM/yyyy", u'/', "31/13/2012", false, 0},
        {"dd/MM/yyyy", u'/', "31/11/2012", false, 0},
        {"dd/MM/yyyy", u'/', "31/12", false, 0},
        {"dd/MM/yyyy", u'/', "3x/12/2012", false, 0},
        {"M/d/yyyy", u'/', "12/31/2012", true, EncodeDate(2012, 12, 31)},
        {"yyyy-MM-dd", u'-', "2012-12-31 23:59:59", true, EncodeDate(2012, 12, 31) + EncodeTime(23, 59, 59, 0)},
        {"dd.MM.yyyy", u'.', "31.12.2012", true, EncodeDate(2012, 12, 31)},
        {"", u'/', "31/12/2012", false, 0},
    };
    for (const Case& c : cases) {
        TFormatSettings s = DotSettings();
        s.ShortDateFormat = S(c.format);
        s.DateSeparator = c.dateSep;
        SetFormatSettings(s);
        TDateTime value = -1;
        EXPECT_EQ(ParseDateTimeByFormat(S(c.text), value), c.ok) << c.format << " " << c.text;
        if (c.ok || c.expected != 0) {
            EXPECT_DOUBLE_EQ(value, c.expected) << c.format << " " << c.text;
        }
    }
}

TEST_F(GridUtil, CellTextKinds)
{
    const String unicodeFormula = EncodeUnicodeCellText(S("=A1"));
    const String unicodeText = EncodeUnicodeCellText(S("A1"));
    struct Case {
        String text;
        bool html;
        int kind;
    } cases[] = {
        {S("=A1+1"), false, ctFormula},
        {S("{\\rtf1"), false, ctRichText},
        {S("a<B>b</B>"), true, ctHTML},
        {S("a<B>b</B>"), false, ctPlain},
        {S("a<b>b"), true, ctPlain},     // exact case
        {S("x</y"), true, ctHTML},
        {S("<CONTROL"), true, ctHTML},
        {S("<i>"), true, ctPlain},
        {S(""), true, ctPlain},
        {S("|\\"), true, ctUnicode},
        {S("|"), true, ctPlain},
        {unicodeFormula, false, ctFormula},
        {unicodeText, false, ctUnicode},
        {EncodeUnicodeCellText(S("\u3D00")), false, ctUnicode},   // "=" as a low byte, but of a wide character alone
    };
    for (const Case& c : cases) EXPECT_EQ(CellTextKind(c.text, c.html), c.kind) << c.text.toStdString();
}

TEST_F(GridUtil, LinksAndReferences)
{
    EXPECT_TRUE(IsURLText(S("http://a")));
    EXPECT_TRUE(IsURLText(S("mailto:x@y")));
    EXPECT_FALSE(IsURLText(S("MAILTO:x@y")));
    struct Strip {
        const char* in;
        const char* out;
    } strips[] = {{"http://a/b", "a/b"}, {"mailto:x@y", "x@y"}, {"x://a mailto:b", "a mailto:b"}, {"plain", "plain"}};
    for (const Strip& s : strips) {
        String t = S(s.in);
        StripURLScheme(t);
        EXPECT_EQ(t, S(s.out)) << s.in;
    }

    String out = S("untouched");
    EXPECT_FALSE(AutoLinkURL(S("no link"), S("HTTP://"), out));
    EXPECT_EQ(out, S("untouched"));
    EXPECT_TRUE(AutoLinkURL(S("see <Http://x.org/a_b?q> now"), S("HTTP://"), out));
    EXPECT_EQ(out, S("see &lt;<a href=\"Http://x.org/a_b\">Http://x.org/a_b</a>?q&gt; now"));

    struct Ref {
        const char* text;
        bool ok;
        int col, row;
    } refs[] = {{"r2c5", true, 5, 2}, {"R10C1", true, 1, 10}, {"R2", false, 0, 0}, {"RXC5", false, 0, 0},
                {"R2C", false, 0, 0}, {"C2R5", false, 0, 0}, {"RC12", false, 0, 0}};
    for (const Ref& r : refs) {
        TPoint p{-1, -1};
        EXPECT_EQ(ParseRCCellRef(S(r.text), p), r.ok) << r.text;
        if (r.ok) {
            EXPECT_EQ(p, (TPoint{r.col, r.row})) << r.text;
        }
    }
    const TRect sel = Rect(1, 2, 3, 4);
    EXPECT_TRUE(CellInGridRect(sel, 1, 2));
    EXPECT_TRUE(CellInGridRect(sel, 3, 4)) << "right and bottom count";
    EXPECT_FALSE(CellInGridRect(sel, 4, 4));
    EXPECT_FALSE(CellInGridRect(sel, 0, 3));
}

struct FilterCase {
    const char* expression;
    const char* value;
    bool caseSensitive;
    bool passes;
};

void CheckFilters(const std::vector<FilterCase>& cases, const char* settings)
{
    for (const FilterCase& c : cases)
        EXPECT_EQ(MatchFilterExpression(S(c.expression), S(c.value), c.caseSensitive), c.passes)
            << settings << ": '" << c.expression << "' on '" << c.value << "'";
}

TEST_F(GridUtil, FilterComparisons)
{
    CheckFilters({
                     {">10", "12", false, true},
                     {">10", "9", false, false},
                     {">10", "10", false, false},
                     {">=10", "10", false, true},
                     {"<10", "9.5", false, true},
                     {"<=10", "10", false, true},
                     {"<=10", "10.01", false, false},
                     {"> 10", "12", false, true},
                     {">1,000", "1,500", false, true},   // thousands separators
                     {">2", "10", false, true},          // numbers, not texts
                     {">b", "c", false, true},           // texts when not numbers
                     {">b", "a", false, false},
                     {">\"b\"", "c", false, true},
                     {">01/12/2012", "15/12/2012", false, true},   // dates, not texts
                     {"<01/12/2012", "15/11/2012", false, true},
                     {"<01/12/2012", "02/01/2013", false, false},
                     {">10&<20", "15", false, true},
                     {">10&<20", "25", false, false},
                     {"<5|>20", "25", false, true},
                 },
                 "dot");
    SetFormatSettings(CommaSettings());
    CheckFilters({
                     {"<2,5", "2,4", false, true},
                     {"<2,5", "2,6", false, false},
                     {">1.000", "1.500", false, true},
                     {">=2,5", "2,50", false, true},
                     {">01.12.2012", "15.12.2012", false, true},
                     {">01.12.2012", "15.11.2012", false, false},   // as dates, though both read as numbers
                 },
                 "comma");
}

TEST_F(GridUtil, FilterPatternsAndGroups)
{
    CheckFilters({
        {"A*", "Abc", false, true},
        {"A*", "A", false, true},
        {"A*", "bA", false, false},
        {"?b", "ab", false, true},
        {"?b", "b", false, false},
        {"!A*", "Abc", false, false},
        {"!A*", "xyz", false, true},
        {"A!*", "xyz", false, true},       // "!" anywhere inverts
        {"a*|b*", "bcd", false, true},
        {"a*;b*", "bcd", false, true},
        {"a*^b*", "bcd", false, true},
        {"a*&b*", "bcd", false, false},
        {"(a*|b*)&*d", "bcd", false, true},
        {"(a*|b*)&*d", "bce", false, false},
        {"(a*|b*)&*d", "xcd", false, false},
        {"((a*))", "abc", false, true},
        {"=x", "x", false, true},
        {"=x", "y", false, false},
        {"abc", "ABC", false, true},
        {"abc", "ABC", true, false},
        {"a**c", "abbbc", false, true},
        {"*", "", false, true},
        {"", "", false, true},
        {"", "x", false, false},
        {"\"a b\"", "a b", false, true},
        {" a b ", "ab", false, true},       // spaces outside quotes go
        {"\"a|b\"", "a|b", false, true},    // operators inside quotes are text
        {"a*|", "", false, true},           // an empty last operand matches the empty value
        {"(x*", "xyz", false, true},        // an unclosed group runs to the end
        {"(a*)junk|b*", "bz", false, true}, // text after a group is ignored up to the next operator
        {"\u00E9*", "\u00C9T\u00C9", false, true},
    },
                 "dot");
}

TEST_F(GridUtil, FilterConditionAlone)
{
    EXPECT_TRUE(MatchFilterCondition(S(">5 & junk"), S("6"), false)) << "the operand ends at a space";
    EXPECT_TRUE(MatchFilterCondition(S("a?c"), S("abc"), true));
    EXPECT_FALSE(MatchFilterCondition(S("<10"), S("<11"), false)) << "falls back to a pattern, which fails";
    EXPECT_TRUE(MatchFilterCondition(S(">zz"), S(">zz"), false)) << "the pattern equals the value";
}

TEST_F(GridUtil, WildcardsStayLinear)
{
    // Many stars against a long value that almost matches: a backtracking
    // matcher would take exponential time here.
    const String value = String(20000, u'a') + u'b';
    const String pattern = String(30, u'*') + QStringLiteral("a*a*a*a*a*a*a*a*a*a*c");
    EXPECT_FALSE(MatchFilterPattern(pattern, value));
    EXPECT_TRUE(MatchFilterPattern(pattern.chopped(1) + u'b', value));
}

TEST_F(GridUtil, BrokenExpressionsNeverCrash)
{
    std::mt19937 rng(42);
    const String alphabet = QStringLiteral("()&|;^!*?\"<>=a1,. ");
    for (int n = 0; n < 3000; ++n) {
        String expression;
        const int len = int(rng() % 24);
        for (int i = 0; i < len; ++i) expression += alphabet[int(rng() % alphabet.size())];
        (void)MatchFilterExpression(expression, QStringLiteral("a1"), n % 2 == 0);
    }
    // Deep nesting answers instead of exhausting the stack.
    EXPECT_FALSE(MatchFilterExpression(String(100000, u'(') + u'a' + String(100000, u')'), S("a"), false));
    EXPECT_TRUE(MatchFilterExpression(String(50, u'(') + u'a' + String(50, u')'), S("a"), false));
}

}  // namespace
