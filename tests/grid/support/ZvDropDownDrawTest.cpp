#include "grid/support/ZvDropDownDraw.h"

#include "platform/ImgList.h"
#include "tests/common/TestUtil.h"
#include "tests/platform/PaintBoard.h"

#include <gtest/gtest.h>

namespace {

String S(const char* utf8) { return QString::fromUtf8(utf8); }

TEST(DropDownDraw, TwoBandGradientOverlapsByOnePixel)
{
    Board b(13, 4);
    DrawDropDownGradient(b.C(), clWhite, clBlack, true, Rect(1, 0, 12, 4), 2);
    // Band 0 (white) covers offsets 0 to 5, band 1 (255 - 127.5, halves to even: 0x7F) 5 to 10.
    for (int x = 1; x <= 5; ++x) EXPECT_EQ(b.At(x, 2), clWhite) << x;
    for (int x = 6; x <= 11; ++x) EXPECT_EQ(b.At(x, 2), RGB(127, 127, 127)) << x;
    EXPECT_EQ(b.Outside(Rect(1, 0, 12, 4)), 0);
    EXPECT_EQ(b.Changed(Rect(1, 0, 12, 4)), 11 * 4);
}

TEST(DropDownDraw, VerticalGradientRunsTopToBottom)
{
    Board b(6, 21);
    DrawDropDownGradient(b.C(), RGB(0, 0, 0), RGB(200, 100, 0), false, Rect(0, 0, 6, 21), 4);
    EXPECT_EQ(b.At(3, 0), RGB(0, 0, 0));
    EXPECT_EQ(b.At(3, 20), RGB(150, 75, 0)) << "the last band is steps-1 increments on";
    // Colours only grow downwards, and each row is one colour.
    unsigned previous = 0;
    for (int y = 0; y < 21; ++y) {
        EXPECT_GE(GetRValue(b.At(0, y)), previous) << y;
        previous = GetRValue(b.At(0, y));
        EXPECT_EQ(b.At(0, y), b.At(5, y)) << y;
    }
    EXPECT_EQ(b.Outside(Rect(0, 0, 6, 21)), 0);
}

TEST(DropDownDraw, OddInputsDoNotBreakTheGradient)
{
    struct Case {
        int steps;
        TRect rect;
    } cases[] = {{0, Rect(0, 0, 10, 10)}, {-3, Rect(0, 0, 10, 10)}, {200, Rect(0, 0, 10, 10)},
                 {5, Rect(0, 0, 0, 0)},   {5, Rect(5, 5, 2, 2)}};
    for (const Case& c : cases) {
        Board b(12, 12);
        DrawDropDownGradient(b.C(), clSilver, clBtnFace, true, c.rect, c.steps);
        DrawDropDownGradient(b.C(), clSilver, clBtnFace, false, c.rect, c.steps);
        if (c.steps <= 0) {
            EXPECT_EQ(b.At(4, 4), clSilver) << "zero steps count as one";
        }
    }
}

TEST(DropDownDraw, GradientRectFillsAndFrames)
{
    {
        Board b(20, 20);
        DrawGradientRect(b.bmp.Canvas(), Rect(2, 2, 18, 18), clRed, true, 1, clBlue, clNone);
        EXPECT_EQ(b.At(10, 10), clRed);
        EXPECT_EQ(b.At(2, 10), clBlue);
        EXPECT_EQ(b.At(17, 10), clBlue);
        EXPECT_EQ(b.Outside(Rect(2, 2, 18, 18)), 0);
    }
    {
        Board b(20, 20);
        // Vertical flag: the colour changes from top to bottom.
        DrawGradientRect(b.bmp.Canvas(), Rect(0, 0, 20, 20), clWhite, true, 0, clBlue, clBlack);
        EXPECT_GT(GetRValue(b.At(10, 1)), GetRValue(b.At(10, 18)));
        EXPECT_EQ(b.At(1, 10), b.At(18, 10));
        EXPECT_EQ(b.Count(Rect(0, 0, 20, 20), clBlue), 0) << "no frame at width 0";
    }
    {
        Board b(20, 20);
        DrawGradientRect(b.bmp.Canvas(), Rect(0, 0, 20, 20), clNone, false, 2, clNone, clNone);
        EXPECT_EQ(b.Changed(Rect(0, 0, 20, 20)), 0) << "nothing to paint";
    }
    DrawGradientRect(nullptr, Rect(0, 0, 5, 5), clRed, true, 1, clRed, clRed);   // no canvas: nothing
}

TEST(DropDownDraw, BlendAndScaleColours)
{
    struct Blend {
        TColor a, b;
        int percent;
        TColor result;
    } blends[] = {
        {0x000000, 0xFFFFFF, 50, 0x808080},
        {0x0000FF, 0xFF0000, 100, 0x0000FF},
        {0x0000FF, 0xFF0000, 0, 0xFF0000},
        {0x0000FF, 0xFF0000, 150, 0x0000FF},
        {0x0000FF, 0xFF0000, -5, 0xFF0000},
        {0x000064, 0x0000C8, 25, 0x0000AF},
        {clBtnFace, clBtnFace, 50, ColorToRGB(clBtnFace)},   // system colours resolved
        {clBtnFace, clWhite, 100, clBtnFace},                // unchanged, not resolved
    };
    for (const Blend& c : blends) EXPECT_EQ(BlendColors(c.a, c.b, c.percent), c.result) << std::hex << c.a << " " << c.b;

    struct Scale {
        TColor color;
        int r, g, b;
        TColor result;
    } scales[] = {
        {0x00FF80, -50, -50, 20, 0x148040},
        {0x808080, 0, 0, 0, 0x808080},
        {0x808080, 50, 50, 50, 0x808080},         // a positive percentage leaves a channel
        {0x808080, -100, -100, -100, 0x000000},
        {0x808080, -300, -250, -1000, 0x000000},  // clamped, not wrapped
        {0x000000, 300, 20, -20, 0x0014FF},       // zero channels take the percentage, kept to 255
    };
    for (const Scale& c : scales) EXPECT_EQ(ScaleColor(c.color, c.r, c.g, c.b), c.result) << std::hex << c.color;
}

TEST(DropDownDraw, ImageAndText)
{
    TImageList images;
    images.SetSize(8, 8);
    TBitmap red(8, 8);
    red.Canvas()->Brush()->SetColor(clRed);
    red.Canvas()->FillRect(Rect(0, 0, 8, 8));
    images.Add(&red, nullptr);

    Board b(80, 20);
    b.C().Brush()->SetStyle(TBrushStyle::bsClear);
    b.C().Font()->SetColor(clBlack);
    DrawImageAndText(b.bmp.Canvas(), Rect(0, 0, 80, 20), S("Text"), 0, &images);
    EXPECT_EQ(b.Count(Rect(4, 6, 12, 14), clRed), 64) << "the image at Left + 4, centred";
    EXPECT_EQ(b.Changed(Rect(12, 0, 16, 20)), 0) << "text starts at Left + width + 8";
    EXPECT_GT(b.Changed(Rect(16, 0, 80, 20)), 0);

    Board centred(80, 20);
    centred.C().Brush()->SetStyle(TBrushStyle::bsClear);
    centred.C().Font()->SetColor(clBlack);
    DrawImageAndText(centred.bmp.Canvas(), Rect(0, 0, 80, 20), S("Text"), -1, &images);
    EXPECT_EQ(centred.Changed(Rect(0, 0, 20, 20)), 0) << "centred without an image";
    EXPECT_EQ(centred.Changed(Rect(60, 0, 80, 20)), 0);
    EXPECT_GT(centred.Changed(Rect(20, 0, 60, 20)), 0);

    DrawImageAndText(nullptr, Rect(0, 0, 5, 5), S("x"), 0, &images);
    Board empty(20, 20);
    DrawImageAndText(empty.bmp.Canvas(), Rect(0, 0, 20, 20), String(), 5, &images);
    EXPECT_EQ(empty.Changed(Rect(0, 0, 20, 20)), 0) << "an index out of range draws nothing";
}

TEST(DropDownDraw, TransparentBitmap)
{
    TBitmap glyph(4, 4);
    glyph.Canvas()->Brush()->SetColor(clLime);   // top-left colour: transparent
    glyph.Canvas()->FillRect(Rect(0, 0, 4, 4));
    glyph.Canvas()->SetPixel(2, 2, clBlue);
    Board b(10, 10);
    DrawTransparentBitmap(b.C(), glyph, clYellow, Rect(3, 3, 6, 6));
    EXPECT_EQ(b.At(3, 3), clYellow);
    EXPECT_EQ(b.At(5, 5), clBlue);
    EXPECT_EQ(b.Count(Rect(0, 0, 10, 10), clLime), 0);
    EXPECT_EQ(b.Outside(Rect(3, 3, 6, 6)), 0) << "only the rectangle's size is copied";

    TBitmap none;
    DrawTransparentBitmap(b.C(), none, clRed, Rect(0, 0, 10, 10));
    EXPECT_EQ(b.Count(Rect(0, 0, 10, 10), clRed), 0);
}

TEST(DropDownDraw, MeasuringAndFitting)
{
    TBitmap bmp(10, 10);
    TCanvas& c = *bmp.Canvas();
    EXPECT_EQ(MeasureSingleLine(c, String()), (TSize{0, 0}));
    const TSize size = MeasureSingleLine(c, S("Hello"));
    EXPECT_EQ(size.cx, c.TextWidth(S("Hello")));
    EXPECT_EQ(size.cy, c.TextHeight(S("Hello")));
    EXPECT_EQ(MeasureSingleLine(c, S("a\r\nb")).cy, size.cy) << "one line";

    EXPECT_EQ(FitTextToWidth(c, S("fits"), 1000, true), S("fits"));
    const String text = S("A rather long caption");
    const int max = c.TextWidth(S("A rather"));
    const String fitted = FitTextToWidth(c, text, max, true);
    EXPECT_TRUE(fitted.endsWith(S("..."))) << fitted.toStdString();
    EXPECT_LT(c.TextWidth(fitted), max);
    EXPECT_TRUE(text.startsWith(fitted.chopped(3)));
    const String plain = FitTextToWidth(c, text, max, false);
    EXPECT_LT(c.TextWidth(plain), max);
    EXPECT_GT(plain.size(), fitted.size() - 3);
    EXPECT_EQ(FitTextToWidth(c, text, 0, true), text) << "nothing fits: the text stays whole";
}

TEST(DropDownDraw, ItemCaptionInMarkup)
{
    Board b(120, 40);
    b.C().Font()->SetColor(clBlack);
    EXPECT_EQ(DrawItemHTML(b.C(), String(), Rect(0, 0, 120, 40), nullptr, false), (TSize{0, 0}));
    const TSize measured = DrawItemHTML(b.C(), S("<b>Item</b> &amp; more"), Rect(0, 0, 120, 40), nullptr, true);
    EXPECT_GT(measured.cx, 0);
    EXPECT_GT(measured.cy, 0);
    EXPECT_EQ(b.Changed(Rect(0, 0, 120, 40)), 0) << "measuring draws nothing";
    const TSize drawn = DrawItemHTML(b.C(), S("<b>Item</b> &amp; more"), Rect(0, 0, 120, 40), nullptr, false);
    EXPECT_EQ(drawn, measured);
    EXPECT_GT(b.Changed(Rect(0, 0, 120, 40)), 0);
    const TSize twoLines = DrawItemHTML(b.C(), S("a<br>b"), Rect(0, 0, 120, 40), nullptr, true);
    EXPECT_GT(twoLines.cy, measured.cy);
}

TEST(DropDownDraw, SmallTextRoutines)
{
    for (char16_t c : {u',', u'-', u';'}) EXPECT_TRUE(IsListSeparator(c));
    for (char16_t c : {u'.', u' ', u'a'}) EXPECT_FALSE(IsListSeparator(c));
    struct Hex {
        char16_t c;
        int value;
    } digits[] = {{u'0', 0}, {u'9', 9}, {u'A', 10}, {u'f', 15}, {u'g', 0}, {u' ', 0}};
    for (const Hex& h : digits) EXPECT_EQ(HexDigitValue(h.c), h.value) << char(h.c);
    EXPECT_EQ(HexTextToInt(S("FF")), 255);
    EXPECT_EQ(HexTextToInt(S("1a2B")), 0x1A2B);
    EXPECT_EQ(HexTextToInt(String()), 0);
    EXPECT_EQ(HexTextToInt(S("FFFFFFFF")), -1) << "32-bit arithmetic";
    EXPECT_EQ(HexTextToInt(S("1FFFFFFFF")), -1) << "wraps instead of overflowing";
    EXPECT_EQ(ApplyCaseRule(S("abc\u00E9"), true), S("abc\u00E9"));
    EXPECT_EQ(ApplyCaseRule(S("abc\u00E9"), false), S("ABC\u00C9"));
}

}  // namespace
