#include "grid/support/ZvHTMLUtil.h"

#include "platform/DrawText.h"
#include "tests/common/TestUtil.h"
#include "tests/platform/PaintBoard.h"

#include <gtest/gtest.h>

#include <random>

namespace {

String S(const char* utf8) { return QString::fromUtf8(utf8); }

TEST(HTMLUtil, StripTags)
{
    struct Case {
        const char* in;
        const char* out;
    } cases[] = {
        {"<b>x</b><BR>y", "x\r\ny"},
        {"a<br>b<hR>c", "a\r\nb\r\nc"},
        {"a &amp; b", "a &amp; b"},            // entities stay
        {"<font color=\"red\">r</font>", "r"},
        {"a < b", "a < b"},                    // no ">" after: the rest as it is
        {"a<b>c<d", "ac<d"},
        {"a > b", "a > b"},
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(StripHTMLTags(S(c.in)), S(c.out)) << c.in;
}

TEST(HTMLUtil, EscapeAndUnescape)
{
    struct Case {
        const char* plain;
        bool extended;
        const char* escaped;
    } cases[] = {
        {"a&b\"c<d>e", false, "a&amp;b&quot;c&lt;d&gt;e"},
        {"\u00E9t\u00E9", false, "\u00E9t\u00E9"},
        {"\u00E9t\u00E9 \u00C9", true, "&eacute;t&eacute; &Eacute;"},
        {"\u00E3", true, "\u00E3"},                      // stored, but not used
        {"\u00A9\u00AE\u20AC\u00AB\u00BB", true, "&copy;&reg;&euro;&laquo;&raquo;"},
        {"&amp;", false, "&amp;amp;"},                   // escaping is single-pass
        {"*amp;", false, "*amp;"},
        {"", true, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HTMLEscape(S(c.plain), c.extended), S(c.escaped)) << c.plain;
        EXPECT_EQ(HTMLUnescape(S(c.escaped), c.extended), S(c.plain)) << c.escaped;
    }
    // A literal entity survives a round trip instead of being unescaped twice.
    EXPECT_EQ(HTMLUnescape(S("&amp;amp;"), false), S("&amp;"));
    EXPECT_EQ(HTMLUnescape(S("&amp;quot;"), false), S("&quot;"));
    EXPECT_EQ(HTMLUnescape(S("&Eacute;&eacute;"), true), S("\u00C9\u00E9"));
    EXPECT_EQ(HTMLUnescape(S("&EACUTE; &LT;"), true), S("&EACUTE; &LT;")) << "exact letter case";
    EXPECT_EQ(HTMLUnescape(S("&eacute;"), false), S("&eacute;"));
    EXPECT_EQ(HTMLUnescape(S("a & b &"), true), S("a & b &"));
    EXPECT_EQ(SpaceToNbsp(S("a b  c")), S("a&nbsp;b&nbsp;&nbsp;c"));
}

TEST(HTMLUtil, HighlightAndUnhighlight)
{
    struct Case {
        const char* markup;
        const char* search;
        bool caseSensitive;
        const char* highlighted;
    } cases[] = {
        {"abab", "ab", true, "<hi>ab</hi><hi>ab</hi>"},
        {"xab yab", "ab", true, "x<hi>ab</hi> y<hi>ab</hi>"},
        {"aaa", "aa", true, "<hi>aa</hi>a"},
        {"<b>Hello</b> hello", "hello", false, "<b><hi>Hello</hi></b> <hi>hello</hi>"},   // tags nest
        {"<b>Hello</b> hello", "hello", true, "<b>Hello</b> <hi>hello</hi>"},
        {"<b>he</b>llo", "hell", true, "<b><hi>he</b>ll</hi>o"},   // across a tag: markup positions of visible text
        {"ab", "x", true, "ab"},
        {"ab", "", true, "ab"},
        {"a > b", ">", true, "a <hi>&gt;</hi> b"},                  // stray ">" escaped
    };
    for (const Case& c : cases) {
        const String h = HighlightHTMLText(S(c.markup), S(c.search), S("hi"), c.caseSensitive);
        EXPECT_EQ(h, S(c.highlighted)) << c.markup << " / " << c.search;
        EXPECT_EQ(UnhighlightHTMLText(h, S("HI")).contains(S("hi>"), Qt::CaseInsensitive), false) << c.markup;
    }
    EXPECT_EQ(UnhighlightHTMLText(HighlightHTMLText(S("x <i>abc</i>"), S("b"), S("e"), true), S("e")),
              S("x <i>abc</i>"));
    EXPECT_EQ(UnhighlightHTMLText(S("&lt;<E>a</e>&gt;"), S("e")), S("<a>"));
}

TEST(HTMLUtil, Colours)
{
    EXPECT_EQ(ColorFromHTMLHex(S("#FF0000")), RGB(255, 0, 0));
    EXPECT_EQ(ColorFromHTMLHex(S("#0A0B0C")), RGB(10, 11, 12));
    EXPECT_EQ(ColorFromHTMLHex(S("#ff0000")), RGB(0, 0, 0)) << "upper-case digits only";
    EXPECT_EQ(ColorFromHTMLHex(S("#F")), RGB(0, 0, 0));
    EXPECT_EQ(ColorFromHTMLHex(String()), RGB(0, 0, 0));
    EXPECT_EQ(HexPairValue(S("7F")), 127);
    EXPECT_EQ(HexPairValue(S("7")), 0);
    struct Named {
        const char* name;
        TColor color;
    } names[] = {{"clred", RGB(255, 0, 0)},         {"clgreen", RGB(0, 128, 0)}, {"clteal", RGB(0, 128, 128)},
                 {"clmaroon", RGB(128, 0, 0)},      {"clwindow", 0xFF000005},    {"clbtnface", 0xFF00000F},
                 {"clinfobk", 0xFF000018},          {"cl3ddkshadow", 0xFF000015}, {"clRed", 0},
                 {"clpink", 0},                     {"", 0}};
    for (const Named& n : names) EXPECT_EQ(ColorFromHTMLName(S(n.name)), n.color) << n.name;

    const TColor bg = HTMLHighlightBackground(), fg = HTMLHighlightTextColor();
    EXPECT_EQ(bg, clHighlight);
    EXPECT_EQ(fg, clHighlightText);
    SetHTMLHighlightColors(clYellow, clRed);
    EXPECT_EQ(HTMLHighlightBackground(), clYellow);
    EXPECT_EQ(HTMLHighlightTextColor(), clRed);
    SetHTMLHighlightColors(bg, fg);
}

TEST(HTMLUtil, ControlTags)
{
    const String cell = S("Name: <CONTROL TYPE=\"EDIT\" ID=\"name\" VALUE=\"J&amp;J\" WIDTH=\"80\" MAXLEN=\"12\"> "
                          "<control type=\"check\" id=\"ok\" value=\"TRUE\"> "
                          "<CONTROL TYPE=\"COMBO\" ID=\"kind\" VALUE=\"a\" PROP=\"x&lt;y\" HEIGHT=\"30\">");
    EXPECT_TRUE(HasControlTag(cell));
    EXPECT_FALSE(HasControlTag(S("<b>no</b>")));

    const TControlTag tag = ParseControlTag(S("<CONTROL type=\"edit\" ID=\"a\" VALUE=\"&eacute;&quot;\" "
                                              "WIDTH=\"5\" HEIGHT=\"6\" PROP=\"p&amp;\" MAXLEN=\"7\">"));
    EXPECT_EQ(tag.Type, S("EDIT"));
    EXPECT_EQ(tag.ID, S("a"));
    EXPECT_EQ(tag.Value, S("\u00E9\""));
    EXPECT_EQ(tag.Width, S("5"));
    EXPECT_EQ(tag.Height, S("6"));
    EXPECT_EQ(tag.Prop, S("p&"));
    EXPECT_EQ(tag.MaxLen, S("7"));
    const TControlTag odd = ParseControlTag(S("<CONTROL VALUE=\"ID=x\" ID=\"real\" TYPE=EDIT>"));
    EXPECT_EQ(odd.ID, S("real")) << "attribute names inside values do not count";
    EXPECT_EQ(odd.Type, String()) << "no quotes, no value";

    String value;
    EXPECT_TRUE(FindControlTag(cell, S("name"), value));
    EXPECT_EQ(value, S("J&J"));
    EXPECT_FALSE(FindControlTag(cell, S("NAME"), value)) << "exact case";
    EXPECT_EQ(GetControlProp(cell, S("kind")), S("x<y"));
    EXPECT_EQ(GetControlProp(cell, S("none")), String());
    EXPECT_EQ(GetControlIntAttr(cell, S("name")), 12);
    EXPECT_EQ(GetControlIntAttr(cell, S("ok")), 0);
    EXPECT_EQ(GetControlIntAttr(cell, S("none")), 0);

    struct Next {
        const char* id;
        const char* next;
    } nexts[] = {{"", "name"}, {"name", "kind"}, {"ok", "kind"}, {"kind", ""}, {"none", ""}};
    for (const Next& n : nexts) EXPECT_EQ(NextEditableControlID(cell, S(n.id)), S(n.next)) << n.id;
}

TEST(HTMLUtil, SetControlValueRewritesTheTag)
{
    String cell = S("x<CONTROL TYPE=\"combo\" ID=\"c\" VALUE=\"a\" WIDTH=\"40\" HEIGHT=\"30\" PROP=\"p&lt;\" MAXLEN=\"3\">y");
    EXPECT_TRUE(SetControlValue(cell, S("c"), S("<new & \u00E9>")));
    EXPECT_EQ(cell, S("x<CONTROL ID=\"c\" VALUE=\"&lt;new &amp; &eacute;&gt;\" WIDTH=\"40\" TYPE=\"COMBO\" "
                      "HEIGHT=\"30\" PROP=\"p&lt;\" MAXLEN=\"3\">y"));
    String value;
    ASSERT_TRUE(FindControlTag(cell, S("c"), value));
    EXPECT_EQ(value, S("<new & \u00E9>"));

    const String before = cell;
    EXPECT_FALSE(SetControlValue(cell, S("missing"), S("v")));
    EXPECT_EQ(cell, before);

    const String radios = S("<CONTROL TYPE=\"RADIO\" ID=\"r1\" VALUE=\"TRUE\" WIDTH=\"\">"
                            "<CONTROL TYPE=\"RADIO\" ID=\"r2\" VALUE=\"FALSE\" WIDTH=\"\">"
                            "<CONTROL TYPE=\"CHECK\" ID=\"c\" VALUE=\"TRUE\" WIDTH=\"\">");
    const String cleared = ClearRadioControls(radios);
    ASSERT_TRUE(FindControlTag(cleared, S("r1"), value));
    EXPECT_EQ(value, S("FALSE"));
    ASSERT_TRUE(FindControlTag(cleared, S("r2"), value));
    EXPECT_EQ(value, S("FALSE"));
    ASSERT_TRUE(FindControlTag(cleared, S("c"), value));
    EXPECT_EQ(value, S("TRUE")) << "check boxes stay";
}

TEST(HTMLUtil, RendererAids)
{
    struct Replace {
        const char* text;
        const char* find;
        const char* by;
        bool replaced;
        const char* out;
    } replaces[] = {
        {"a&AMP;b&amp;", "&amp;", "&&", true, "a&&b&amp;"},
        {"abc", "x", "y", false, "abc"},
        {"abc", "", "y", false, "abc"},
        {"\u00E9A", "\u00C9a", "z", false, "\u00E9A"},   // only a-z fold
    };
    for (const Replace& r : replaces) {
        String t = S(r.text);
        EXPECT_EQ(ReplaceFirstNoCase(t, S(r.find), S(r.by)), r.replaced) << r.text;
        EXPECT_EQ(t, S(r.out)) << r.text;
    }
    EXPECT_EQ(UnwrapHashTags(S("a<#1>b<#c")), S("a#1b#c"));
    EXPECT_EQ(LineBreaksToBRTags(S("a\r\nb\nc\r")), S("a<BR>bc<BR>"));
    EXPECT_EQ(PasswordMask(S("abc")), S("***"));
    EXPECT_EQ(PasswordMask(String()), String());

    struct BiDi {
        unsigned in;
        bool rtl, rtlLocale;
        unsigned out;
    } bidis[] = {
        {DT_LEFT, true, true, DT_RIGHT | DT_RTLREADING},
        {DT_RIGHT, true, true, DT_LEFT | DT_RTLREADING},
        {DT_CENTER, true, true, DT_CENTER | DT_RTLREADING},
        {DT_LEFT, false, true, DT_LEFT},
        {DT_LEFT, true, false, DT_LEFT},
    };
    for (const BiDi& b : bidis) EXPECT_EQ(BiDiDrawFlags(b.in, b.rtl, b.rtlLocale), b.out);

    TempFolder folder;
    folder.Write(S("f.txt"), "x");
    EXPECT_TRUE(DirectoryExistsAt(folder.Path()));
    EXPECT_FALSE(DirectoryExistsAt(folder.File(S("f.txt"))));
    EXPECT_FALSE(DirectoryExistsAt(folder.File(S("none"))));
    EXPECT_FALSE(DirectoryExistsAt(String()));

    HTMLEngineInit();
    EXPECT_TRUE(HTMLEngineIsXP());
}

TEST(HTMLUtil, RotatedFontIsRestored)
{
    Board b(10, 10);
    b.C().Font()->SetOrientation(50);
    TRotatedFontState state = SelectRotatedFont(b.C(), 90);
    EXPECT_EQ(b.C().Font()->Orientation(), 900);
    RestoreRotatedFont(b.C(), state);
    EXPECT_EQ(b.C().Font()->Orientation(), 50);
    RestoreRotatedFont(b.C(), state);   // twice does no harm
    EXPECT_EQ(b.C().Font()->Orientation(), 50);
}

TEST(HTMLUtil, BitmapStretchAndShellIcon)
{
    TBitmap source(2, 2);
    source.Canvas()->SetPixel(0, 0, clRed);
    source.Canvas()->SetPixel(1, 0, clBlue);
    source.Canvas()->SetPixel(0, 1, clLime);
    source.Canvas()->SetPixel(1, 1, clBlack);
    source.SetTransparent(true);   // a plain copy all the same
    Board b(12, 12);
    StretchBitmapToRect(b.C(), Rect(2, 2, 10, 10), source);
    EXPECT_EQ(b.At(3, 3), clRed);
    EXPECT_EQ(b.At(8, 3), clBlue);
    EXPECT_EQ(b.At(3, 8), clLime);
    EXPECT_EQ(b.At(9, 9), clBlack);
    EXPECT_EQ(b.Outside(Rect(2, 2, 10, 10)), 0);

    TSize size;
    Board icon(40, 40);
    DrawShellIcon(icon.C(), 0, 0, S("/"), true, false, false, 1, size);
    EXPECT_EQ(size, (TSize{32, 32}));
    EXPECT_EQ(icon.Changed(Rect(0, 0, 40, 40)), 0) << "measuring draws nothing";
    DrawShellIcon(icon.C(), 4, 4, S("3"), false, true, false, 1, size);
    EXPECT_EQ(size, (TSize{16, 16}));
    EXPECT_EQ(icon.Outside(Rect(4, 4, 20, 20)), 0);
}

TEST(HTMLUtil, BrokenMarkupNeverCrashes)
{
    std::mt19937 rng(7);
    const String alphabet = S("<>\"=&;# CONTROLidvaluetypeRADIO\r\n\u00E9");
    for (int n = 0; n < 2000; ++n) {
        String markup;
        const int len = int(rng() % 40);
        for (int i = 0; i < len; ++i) markup += alphabet[int(rng() % alphabet.size())];
        (void)StripHTMLTags(markup);
        (void)HighlightHTMLText(markup, S("a"), S("hi"), n % 2 == 0);
        (void)UnhighlightHTMLText(markup, S("hi"));
        EXPECT_EQ(HTMLUnescape(HTMLEscape(markup, true), true), markup);
        (void)ParseControlTag(markup);
        (void)NextEditableControlID(markup, S("i"));
        (void)ClearRadioControls(markup);
        String m = markup;
        (void)SetControlValue(m, String(), S("x"));
        (void)UnwrapHashTags(markup);
        (void)ColorFromHTMLHex(markup);
    }
}

}  // namespace
