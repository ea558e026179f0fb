#include "platform/TextCodec.h"

#include "platform/Xml.h"
#include "tests/common/TestUtil.h"

#include <gtest/gtest.h>

namespace {

QByteArray Bytes(std::initializer_list<int> values)
{
    QByteArray b;
    for (int v : values) b += char(v);
    return b;
}

TEST(TextCodec, ByteOrderMarkDecides)
{
    const String text = QStringLiteral("STR 12 = K\u00E4se \u20AC \U0001F600");
    const QByteArray utf8 = text.toUtf8();
    QByteArray le("\xFF\xFE"), be("\xFE\xFF");
    for (QChar c : text) {
        le += char(c.unicode() & 0xFF);
        le += char(c.unicode() >> 8);
        be += char(c.unicode() >> 8);
        be += char(c.unicode() & 0xFF);
    }
    EXPECT_EQ(DecodeText("\xEF\xBB\xBF" + utf8), text) << "the mark is not part of the text";
    EXPECT_EQ(DecodeText(le), text);
    EXPECT_EQ(DecodeText(be), text);
    EXPECT_EQ(DecodeText(utf8), text);
    EXPECT_EQ(DecodeText(QByteArray("\xEF\xBB\xBF")), String());
    EXPECT_EQ(DecodeText(QByteArray("\xFF\xFE")), String());
    EXPECT_EQ(DecodeText(QByteArray()), String());

    // An odd last byte of UTF-16 is dropped, never read past.
    EXPECT_EQ(DecodeText(Bytes({0xFF, 0xFE, 'A', 0, 'B'})), QStringLiteral("A"));
    EXPECT_EQ(DecodeText(Bytes({0xFE, 0xFF, 0, 'A', 0})), QStringLiteral("A"));
}

TEST(TextCodec, Utf8Validity)
{
    struct Case {
        QByteArray bytes;
        bool valid;
        const char* what;
    } cases[] = {
        {"plain ascii", true, "ASCII"},
        {Bytes({0xC3, 0xA4}), true, "two bytes"},
        {Bytes({0xE2, 0x82, 0xAC}), true, "three bytes"},
        {Bytes({0xF0, 0x9F, 0x98, 0x80}), true, "four bytes"},
        {Bytes({0xF4, 0x8F, 0xBF, 0xBF}), true, "highest code point"},
        {Bytes({0xC3}), false, "truncated two"},
        {Bytes({'a', 0xE2, 0x82}), false, "truncated three at the end"},
        {Bytes({0xF0, 0x9F, 0x98}), false, "truncated four"},
        {Bytes({0xE2, 0x82, 'x'}), false, "missing continuation"},
        {Bytes({0x80}), false, "lone continuation"},
        {Bytes({0xC0, 0x80}), false, "overlong NUL"},
        {Bytes({0xC1, 0xBF}), false, "overlong two"},
        {Bytes({0xE0, 0x80, 0xAF}), false, "overlong three"},
        {Bytes({0xF0, 0x80, 0x80, 0xAF}), false, "overlong four"},
        {Bytes({0xED, 0xA0, 0x80}), false, "surrogate"},
        {Bytes({0xF4, 0x90, 0x80, 0x80}), false, "beyond U+10FFFF"},
        {Bytes({0xF5, 0x80, 0x80, 0x80}), false, "F5 lead"},
        {Bytes({0xFF}), false, "FF"},
        {QByteArray(), true, "empty"},
    };
    for (const Case& c : cases) EXPECT_EQ(IsValidUtf8(c.bytes), c.valid) << c.what;
}

TEST(TextCodec, InvalidUtf8FallsBackToWindows1252)
{
    // 0x80 is the euro sign, 0x9F Y with diaeresis, 0xE4 a with diaeresis;
    // the five unassigned bytes keep their own number.
    EXPECT_EQ(DecodeText(Bytes({'K', 0xE4, 's', 'e', ' ', 0x80, 0x9F})), QStringLiteral("K\u00E4se \u20AC\u0178"));
    EXPECT_EQ(DecodeText(Bytes({0x81, 0x8D, 0x8F, 0x90, 0x9D})), QStringLiteral("\u0081\u008D\u008F\u0090\u009D"));
    // One bad sequence makes the whole file Windows-1252, valid-looking parts included.
    EXPECT_EQ(DecodeText(Bytes({0xC3, 0xA4, 0xC3})), QStringLiteral("\u00C3\u00A4\u00C3"));
    EXPECT_EQ(DecodeText(Bytes({0xC0, 0x80})), QStringLiteral("\u00C0\u20AC")) << "overlong forms are not UTF-8";

    // Every byte maps to exactly one character.
    QByteArray all;
    for (int i = 0; i < 256; ++i) all += char(i);
    const String decoded = DecodeWindows1252(all);
    ASSERT_EQ(decoded.size(), 256);
    for (int i = 0; i < 256; ++i) {
        if (i < 0x80 || i >= 0xA0) {
            EXPECT_EQ(decoded[i].unicode(), i) << i;
        }
    }
    EXPECT_EQ(decoded[0x80], QChar(0x20AC));
    EXPECT_EQ(decoded[0x8A], QChar(0x0160));
    EXPECT_EQ(decoded[0x99], QChar(0x2122));
}

TEST(TextCodec, LoadTextFile)
{
    TempFolder tmp;
    tmp.Write(QStringLiteral("a.lng"), Bytes({'S', 'T', 'R', ' ', '1', ' ', '=', ' ', 0xE9}));
    tmp.Write(QStringLiteral("dir/x"), "");
    String text = QStringLiteral("old");
    ASSERT_TRUE(LoadTextFile(tmp.File(QStringLiteral("a.lng")), text));
    EXPECT_EQ(text, QStringLiteral("STR 1 = \u00E9"));
    for (const String& bad : {tmp.File(QStringLiteral("missing")), tmp.File(QStringLiteral("dir")), String()}) {
        text = QStringLiteral("old");
        EXPECT_FALSE(LoadTextFile(bad, text)) << bad.toStdString();
        EXPECT_TRUE(text.isEmpty());
    }
}

// The storable characters are exactly those the XML reader takes back from a
// character reference, checked over the edges of every range the rule draws.
TEST(TextCodec, StorableCharactersAreThoseTheXmlReaderTakes)
{
    const std::pair<char32_t, char32_t> ranges[] = {
        {0x0000, 0x0040}, {0x007E, 0x00A0}, {0xD7F0, 0xE010}, {0xFDC0, 0xFDF0}, {0xFFF0, 0x10010},
        {0x1FFF0, 0x20000}, {0x10FFF0, 0x10FFFF},
    };
    for (const auto& [from, to] : ranges)
        for (char32_t c = from; c <= to; ++c) {
            bool readBack = true;
            TXMLDocument doc;
            try {
                doc.LoadFromString(QStringLiteral("<r>&#%1;</r>").arg(uint(c)));
            } catch (const Exception&) {
                readBack = false;
            }
            // A surrogate code point stands alone in UTF-16 as one unit.
            const String one = c >= 0xD800 && c <= 0xDFFF ? String(QChar(char16_t(c))) : QString::fromUcs4(&c, 1);
            const String text = QStringLiteral("a") + one + QStringLiteral("b");
            EXPECT_EQ(FirstUnstorableChar(text), readBack ? -1 : 1) << std::hex << uint(c);
            EXPECT_EQ(DropUnstorableChars(text), readBack ? text : QStringLiteral("ab")) << std::hex << uint(c);
            if (readBack) {
                EXPECT_EQ(doc.DocumentElement().Text(), one) << std::hex << uint(c);
            }
        }
}

TEST(TextCodec, SurrogatesCountOnlyInPairs)
{
    const QChar high(char16_t(0xD83D)), low(char16_t(0xDE00));
    const struct {
        String Text;
        qsizetype First;
        String Kept;
    } cases[] = {
        {String(high) + low, -1, String(high) + low},                       // one emoji
        {QStringLiteral("x") + high, 1, QStringLiteral("x")},                // a high half at the end
        {String(low) + high + QStringLiteral("x"), 0, QStringLiteral("x")},  // the halves the wrong way round
        {String(high) + high + low, 0, String(high) + low},                  // a high half before a pair
        {QStringLiteral("\t\n\r\u00E9\u4E2D"), -1, QStringLiteral("\t\n\r\u00E9\u4E2D")},
        {QString(QChar(0)) + QStringLiteral("a\u0001\u0008\u000B\u001F\uFFFE\uFFFFb"), 0, QStringLiteral("ab")},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FirstUnstorableChar(c.Text), c.First) << c.Text.toStdString();
        EXPECT_EQ(DropUnstorableChars(c.Text), c.Kept) << c.Text.toStdString();
    }
    EXPECT_EQ(CharCodeName(QStringLiteral("a\u0001"), 1), QStringLiteral("U+0001"));
    EXPECT_EQ(CharCodeName(QStringLiteral("\uFFFE"), 0), QStringLiteral("U+FFFE"));
    EXPECT_EQ(CharCodeName(QStringLiteral("\U0001F600"), 0), QStringLiteral("U+1F600"));
    EXPECT_EQ(CharCodeName(String(high), 0), QStringLiteral("U+D83D"));
}

} // namespace
