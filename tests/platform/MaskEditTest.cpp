// The edit-mask engine: reading masks, what each position takes, typing,
// Backspace and Delete over literals, and laying a written value over a mask.
#include "platform/MaskEdit.h"
#include "platform/Regional.h"

#include <gtest/gtest.h>

namespace {

TEST(TEditMaskTest, ReadsPositionsLiteralsAndTheTwoTrailingFields)
{
    TFormatSettings fs;
    fs.TimeSeparator = u'.';
    fs.DateSeparator = u'-';
    const TEditMask time(QStringLiteral("!90:00:00;1; "), fs);
    EXPECT_EQ(time.Length(), 8);
    EXPECT_TRUE(time.LeadingBlanks());
    EXPECT_TRUE(time.SaveLiterals());
    EXPECT_EQ(time.Blank(), QChar(u' '));
    // ':' stands for the regional time separator.
    EXPECT_EQ(time.EmptyText(), QStringLiteral("  .  .  "));
    EXPECT_FALSE(time.At(0).Required);
    EXPECT_TRUE(time.At(1).Required);

    const TEditMask date(QStringLiteral("00/00/0000;0"), fs);
    EXPECT_EQ(date.EmptyText(), QStringLiteral("__-__-____"));
    EXPECT_FALSE(date.SaveLiterals());
    EXPECT_EQ(date.Value(QStringLiteral("01-02-2003")), QStringLiteral("01022003"));

    // '\' makes the next character a literal; case switches take no position.
    const TEditMask escaped(QStringLiteral(">L\\0<l<>c"), fs);
    EXPECT_EQ(escaped.Length(), 4);
    EXPECT_TRUE(escaped.IsLiteral(1));
    EXPECT_EQ(escaped.EmptyText(), QStringLiteral("_0__"));
    EXPECT_TRUE(TEditMask(QString()).Empty());
}

TEST(TEditMaskTest, EachPositionTakesItsKindAndCase)
{
    const TEditMask m(QStringLiteral("09#LlAaCc>l<L_x"));
    struct TCase {
        int Pos;
        QChar In;
        QChar Out;   // null: refused
    };
    const TCase cases[] = {
        {0, u'5', u'5'}, {0, u'a', QChar()}, {1, u'9', u'9'}, {1, u'-', QChar()}, {2, u'+', u'+'}, {2, u'-', u'-'},
        {2, u'x', QChar()}, {3, u'q', u'q'}, {3, u'1', QChar()}, {4, u'Z', u'Z'}, {5, u'7', u'7'}, {5, u'!', QChar()},
        {6, u'b', u'b'}, {7, u'!', u'!'}, {8, u' ', u' '}, {9, u'k', u'K'}, {10, u'Q', u'q'}, {11, u' ', u' '},
        {11, u'y', QChar()}, {12, u'x', u'x'}, {13, u'1', QChar()}, {-1, u'1', QChar()},
    };
    for (const TCase& c : cases) EXPECT_EQ(m.Accept(c.Pos, c.In), c.Out) << c.Pos << " " << QString(c.In).toStdString();
}

TEST(TEditMaskTest, TypingBackspaceAndDeleteKeepTheLiteralsInPlace)
{
    const TEditMask m(QStringLiteral("!90:00:00;1; "));
    enum class TOp { Type, Back, Del };
    struct TCase {
        const char* Text;
        int SelStart;
        int SelLength;
        TOp Op;
        QChar Key;
        const char* Result;
        int Caret;
        bool Accepted;
    };
    const TCase cases[] = {
        // Typing overwrites and steps over the separator that follows.
        {"12:34:56", 0, 0, TOp::Type, u'0', "02:34:56", 1, true},
        {"12:34:56", 1, 0, TOp::Type, u'7', "17:34:56", 3, true},
        // At a literal the character goes to the next position; the literal itself steps over.
        {"12:34:56", 2, 0, TOp::Type, u'9', "12:94:56", 4, true},
        {"12:34:56", 2, 0, TOp::Type, u':', "12:34:56", 3, true},
        {"12:34:56", 0, 0, TOp::Type, u'x', "12:34:56", 0, false},
        {"12:34:56", 8, 0, TOp::Type, u'1', "12:34:56", 8, false},
        // A selection is blanked before the character goes in.
        {"12:34:56", 0, 5, TOp::Type, u'3', "3 :  :56", 1, true},
        {"12:34:56", 4, 0, TOp::Back, QChar(), "12: 4:56", 3, true},
        {"12:34:56", 3, 0, TOp::Back, QChar(), "1 :34:56", 1, true},
        {"12:34:56", 0, 0, TOp::Back, QChar(), "12:34:56", 0, false},
        {"12:34:56", 3, 3, TOp::Back, QChar(), "12:  :56", 3, true},
        {"12:34:56", 2, 0, TOp::Del, QChar(), "12: 4:56", 2, true},
        {"12:34:56", 8, 0, TOp::Del, QChar(), "12:34:56", 8, false},
        // A malformed text from outside is put in shape first.
        {"1x:3", 1, 0, TOp::Type, u'5', "15:3 :  ", 3, true},
    };
    for (const TCase& c : cases) {
        const String text = QString::fromLatin1(c.Text);
        TEditMask::TEditResult r;
        if (c.Op == TOp::Type) r = m.Type(text, c.SelStart, c.SelLength, c.Key);
        else if (c.Op == TOp::Back) r = m.Backspace(text, c.SelStart, c.SelLength);
        else r = m.Delete(text, c.SelStart, c.SelLength);
        EXPECT_EQ(r.Text, QString::fromLatin1(c.Result)) << c.Text << " @" << c.SelStart;
        EXPECT_EQ(r.Caret, c.Caret) << c.Text << " @" << c.SelStart;
        EXPECT_EQ(r.Accepted, c.Accepted) << c.Text << " @" << c.SelStart;
    }
}

TEST(TEditMaskTest, WrittenValuesLieOverTheMask)
{
    const TEditMask lead(QStringLiteral("!90:00;1; "));
    const TEditMask trail(QStringLiteral("90:00;1; "));
    const TEditMask plain(QStringLiteral("000-000;0;_"));
    struct TCase {
        const TEditMask* Mask;
        const char* Value;
        const char* Text;
    };
    const TCase cases[] = {
        {&lead, "12:34", "12:34"},  {&lead, "7:05", " 7:05"}, {&trail, "7:05", "70:5 "},
        {&lead, "ab:cd", "  :  "},  {&lead, "", "  :  "},     {&plain, "123456", "123-456"},
        {&plain, "123-4", "123-4__"}, {&lead, "1234567", "12:34"},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(c.Mask->Apply(QString::fromLatin1(c.Value)), QString::fromLatin1(c.Text)) << c.Value;
    EXPECT_TRUE(lead.Complete(QStringLiteral(" 7:05")));
    EXPECT_FALSE(lead.Complete(QStringLiteral(" 7: 5")));
    EXPECT_EQ(TEditMask().Apply(QStringLiteral("free")), QStringLiteral("free"));
}

} // namespace
