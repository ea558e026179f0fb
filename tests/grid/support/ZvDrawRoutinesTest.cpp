// The free drawing routines, checked by probing the pixels they paint.

#include "grid/support/ZvDrawRoutines.h"
#include "grid/support/ZvGridCellGraphic.h"

#include "platform/Controls.h"
#include "platform/Pictures.h"
#include "tests/common/TestUtil.h"

#include <gtest/gtest.h>

namespace {

struct Sheet {
    TBitmap bmp;
    Sheet(int w, int h, TColor background = clWhite) : bmp(w, h)
    {
        C().Brush()->SetColor(background);
        C().FillRect(Rect(0, 0, w, h));
    }
    TCanvas& C() { return *bmp.Canvas(); }
    TColor At(int x, int y) { return C().Pixels(x, y); }
};

TRect PaintedBounds(Sheet& s, TColor background)
{
    const QImage& img = s.bmp.Image();
    TRect r{img.width(), img.height(), 0, 0};
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb p = img.pixel(x, y);
            if (RGB(unsigned(qRed(p)), unsigned(qGreen(p)), unsigned(qBlue(p))) == background) continue;
            r = {std::min(r.Left, x), std::min(r.Top, y), std::max(r.Right, x + 1), std::max(r.Bottom, y + 1)};
        }
    return r;
}

int CountColour(Sheet& s, TColor colour)
{
    int n = 0;
    const QImage& img = s.bmp.Image();
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb p = img.pixel(x, y);
            n += RGB(unsigned(qRed(p)), unsigned(qGreen(p)), unsigned(qBlue(p))) == colour;
        }
    return n;
}

} // namespace

// ---- Colours ----------------------------------------------------------------------------

TEST(DrawRoutinesColours, ShadingHalvingAndInterpolation)
{
    EXPECT_EQ(HalfColor(RGB(201, 100, 3)), RGB(100, 50, 1));
    EXPECT_EQ(HalfColor(clBtnFace), RGB(120, 120, 120));   // resolved before halving

    struct Shade {
        TColor in;
        int percent;
        TColor out;
    };
    const Shade shades[] = {
        {RGB(100, 100, 100), 7, RGB(107, 107, 107)},
        {RGB(100, 50, 0), -20, RGB(80, 40, 0)},
        {RGB(200, 250, 255), 50, RGB(255, 255, 255)},   // held at 255, not wrapped round
        {RGB(10, 20, 30), -150, RGB(0, 0, 0)},          // held at 0
    };
    for (const Shade& s : shades) EXPECT_EQ(ShadeColorByPercent(s.in, s.percent), s.out) << s.percent;

    EXPECT_EQ(InterpolateColor(RGB(0, 0, 0), RGB(200, 100, 50), 0, 100, 50), RGB(100, 50, 25));
    EXPECT_EQ(InterpolateColor(RGB(10, 10, 10), clNone, 0, 100, 50), RGB(10, 10, 10));
    // An empty extent keeps the first colour instead of dividing by zero.
    EXPECT_EQ(InterpolateColor(RGB(10, 20, 30), RGB(200, 200, 200), 5, 5, 3), RGB(10, 20, 30));
}

// ---- Gradients ----------------------------------------------------------------------------

TEST(DrawRoutinesGradients, LinearGradientRunsEndToEndAndLimitsItsSteps)
{
    Sheet s(10, 4);
    DrawGradientRect(s.C(), RGB(0, 0, 0), RGB(90, 90, 90), 128, Rect(0, 0, 10, 4), true);
    // 9 pixels of extent give 9 steps of 10 per channel: one band per column.
    for (int x = 0; x < 10; ++x) EXPECT_EQ(s.At(x, 2), RGB(10 * x, 10 * x, 10 * x)) << x;

    Sheet v(4, 20);
    DrawGradientRect(v.C(), clRed, clBlue, 4, Rect(0, 0, 4, 20), false);
    EXPECT_EQ(v.At(1, 0), clRed);
    EXPECT_EQ(v.At(1, 19), clBlue);

    Sheet solid(6, 6);
    DrawGradientRect(solid.C(), clLime, clNone, 16, Rect(1, 1, 5, 5), true);
    EXPECT_EQ(solid.At(1, 1), clLime);
    EXPECT_EQ(solid.At(4, 4), clLime);
    EXPECT_EQ(solid.At(5, 5), clWhite);

    Sheet flat(6, 6);
    DrawGradientRect(flat.C(), clRed, clBlue, 16, Rect(0, 3, 6, 3), true);   // no height: nothing
    EXPECT_EQ(PaintedBounds(flat, clWhite), Rect(6, 6, 0, 0));
}

TEST(DrawRoutinesGradients, MirroredBoxSplitsAtHalfHeightAndFramesInTheBorderColour)
{
    Sheet s(12, 20);
    DrawGradientBox(s.C(), Rect(0, 0, 12, 20), clRed, clRed, clBlue, clBlue, true, clLime, false, true);
    EXPECT_EQ(s.At(5, 2), clRed);
    EXPECT_EQ(s.At(5, 9), clRed);
    EXPECT_EQ(s.At(5, 10), clBlue);
    EXPECT_EQ(s.At(5, 17), clBlue);
    EXPECT_EQ(s.At(0, 5), clLime);
    EXPECT_EQ(s.At(11, 15), clLime);
    EXPECT_EQ(s.At(5, 19), clLime);

    Sheet sides(12, 8);
    DrawGradientBox(sides.C(), Rect(0, 0, 12, 8), clNone, clNone, clNone, clNone, true, clRed, true, true);
    EXPECT_EQ(sides.At(0, 4), clRed);
    EXPECT_EQ(sides.At(11, 4), clRed);
    EXPECT_EQ(sides.At(5, 0), clWhite);   // sides only: no top edge
}

// ---- Progress and value displays -------------------------------------------------------------

TEST(DrawRoutinesProgress, TextAndFilledShareOfTheBar)
{
    struct Case {
        double pos, min, max;
        const char* format;
        const char* text;
        int percent;
    };
    const Case cases[] = {
        {50, 0, 200, "%d", "50", 25},
        {150, 0, 100, "", "150%", 100},
        {-5, 0, 100, "", "-5%", 0},
        {2.5, 0, 10, "%.1f", "2.5", 25},
        // Equal bounds fill nothing; the text is still formatted.
        {7, 3, 3, "%d", "7", 0},
    };
    for (const Case& c : cases) {
        String text;
        int percent = -1;
        ProgressBarText(c.pos, c.min, c.max, c.format, text, percent);
        EXPECT_EQ(text, QString::fromLatin1(c.text)) << c.text;
        EXPECT_EQ(percent, c.percent) << c.text;
    }

    Sheet s(104, 20, clWhite);
    s.C().Font()->SetColor(clBlack);
    DrawProgressBar(s.C(), Rect(2, 2, 102, 18), clRed, clWhite, clBlue, clBlack, 50, 0, 0, 0, 200, "%d", clNone,
                    false);
    EXPECT_EQ(s.At(3, 4), clRed);
    EXPECT_EQ(s.At(26, 4), clRed);    // a quarter of 100 pixels
    EXPECT_EQ(s.At(28, 4), clBlue);
    EXPECT_EQ(s.At(100, 4), clBlue);

    Sheet empty(104, 20, clWhite);
    DrawProgressBar(empty.C(), Rect(2, 2, 102, 18), clRed, clWhite, clBlue, clBlack, 9, 0, 0, 4, 4, "%d", clNone,
                    false);
    EXPECT_EQ(CountColour(empty, clRed), 0);
}

TEST(DrawRoutinesProgress, StyledBarTakesItsLevelColourByPercent)
{
    TProgressStyleRecord style;
    style.Level2Color = clYellow;
    style.Level3Color = clRed;
    style.ShowGradient = false;
    style.ShowPercentage = false;
    style.BackgroundColor = clWhite;
    Sheet full(60, 12);
    DrawStyledProgressBar(full.C(), Rect(0, 0, 60, 12), 100, style);
    EXPECT_EQ(full.At(30, 6), clRed);
    Sheet almost(60, 12);
    DrawStyledProgressBar(almost.C(), Rect(0, 0, 60, 12), 99, style);
    EXPECT_EQ(almost.At(30, 6), clYellow);
}

TEST(DrawRoutinesProgress, CentredValueBarGrowsFromTheMiddleAndNeedsAPositiveMaximum)
{
    Sheet s(44, 10);
    DrawCenteredValueBar(s.C(), Rect(0, 0, 44, 10), 10, 20, false, clRed, clBlue);
    EXPECT_EQ(s.At(25, 5), clBlue);
    EXPECT_EQ(s.At(18, 5), clWhite);
    Sheet neg(44, 10);
    DrawCenteredValueBar(neg.C(), Rect(0, 0, 44, 10), -100, 20, false, clRed, clBlue);   // limited to -maximum
    EXPECT_EQ(neg.At(3, 5), clRed);
    Sheet none(44, 10);
    DrawCenteredValueBar(none.C(), Rect(0, 0, 44, 10), 5, 0, false, clRed, clBlue);
    EXPECT_EQ(PaintedBounds(none, clWhite), Rect(44, 10, 0, 0));
}

// ---- Shapes and bitmaps -------------------------------------------------------------------------

TEST(DrawRoutinesShapes, CircleAndSquareUseTheSmallerSide)
{
    Sheet s(30, 20);
    DrawCellShape(s.C(), 0, 0, 20, 10, TCellShape::csCircle, clRed, clRed);
    const TRect r = PaintedBounds(s, clWhite);
    EXPECT_EQ(r.Width(), 10);
    EXPECT_EQ(r.Height(), 10);

    Sheet marker(12, 8);
    DrawMarkerTriangle(marker.C(), 5, 2, clBlue);
    EXPECT_EQ(marker.At(5, 3), clBlue);
    EXPECT_EQ(marker.At(5, 0), clWhite);
}

TEST(DrawRoutinesBitmaps, TopLeftColourShowsTheBackground)
{
    TBitmap bmp(4, 4);
    bmp.Canvas()->Brush()->SetColor(clFuchsia);
    bmp.Canvas()->FillRect(Rect(0, 0, 4, 4));
    bmp.Canvas()->SetPixel(2, 2, clBlack);
    Sheet s(8, 8);
    DrawBitmapTransparent(s.C(), bmp, clLime, Rect(2, 2, 6, 6));
    EXPECT_EQ(s.At(2, 2), clLime);
    EXPECT_EQ(s.At(4, 4), clBlack);
    EXPECT_EQ(s.At(7, 7), clWhite);
}

TEST(DrawRoutinesBitmaps, BuiltInPicturesExistAtTheirSizes)
{
    RegisterGridBitmaps();
    struct Picture {
        const char* name;
        int size;
    };
    const Picture pictures[] = {
        {"ASGCHK01", 20}, {"ASGCHK04", 20}, {"ASGCHK05", 16}, {"ASGCHK08", 16}, {"ASGRAD01", 16},
        {"ASGRAD08", 16}, {"metrocheckon", 16}, {"metroradiooff", 16}, {"ASGFILT", 16}, {"ASGLEAFOPEN", 16},
        {"ASGLEAFCLOSE", 16}, {"XPNODEO", 9}, {"XPNODEC", 9}, {"ASGCLOSE", 14},
    };
    for (const Picture& p : pictures) {
        const QImage img = BitmapResource(p.name);
        EXPECT_EQ(img.width(), p.size) << p.name;
        EXPECT_EQ(img.height(), p.size) << p.name;
    }
    // Checked and unchecked pictures differ.
    EXPECT_NE(BitmapResource("ASGCHK05"), BitmapResource("ASGCHK06"));
    Sheet s(20, 20, clBlue);
    EXPECT_TRUE(DrawResourceBitmap(s.C(), clBlue, Rect(0, 0, 16, 16), "ASGCHK05"));
    EXPECT_EQ(s.At(0, 0), clBlue);   // transparent corner
    EXPECT_FALSE(DrawResourceBitmap(s.C(), clBlue, Rect(0, 0, 16, 16), "NOSUCHPICTURE"));
}

TEST(DrawRoutinesLayered, MissingLayeredFunctionsCountAsSuccess)
{
    EXPECT_TRUE(CallSetLayeredWindowAttributes(nullptr, clNone, 230, 2));
    EXPECT_TRUE(CallUpdateLayeredWindow(nullptr, QImage(), 230));
}
