// Colours, fonts and the canvas, checked pixel by pixel on bitmaps.

#include "platform/Graphics.h"
#include "tests/common/TestUtil.h"

#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>
#include <gtest/gtest.h>

#include <functional>
#include <set>

namespace {

// A white bitmap of the given size with its canvas.
struct Sheet {
    TBitmap bmp;
    Sheet(int w, int h) : bmp(w, h) {}
    TCanvas& C() { return *bmp.Canvas(); }
    TColor At(int x, int y) { return C().Pixels(x, y); }
};

// Smallest rectangle (Right/Bottom exclusive) holding every pixel that is not `background`.
TRect PaintedBounds(TBitmap& bmp, TColor background)
{
    const QImage& img = bmp.Image();
    TRect r{img.width(), img.height(), 0, 0};
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb p = img.pixel(x, y);
            if (RGB(unsigned(qRed(p)), unsigned(qGreen(p)), unsigned(qBlue(p))) == background) continue;
            r.Left = std::min(r.Left, x);
            r.Top = std::min(r.Top, y);
            r.Right = std::max(r.Right, x + 1);
            r.Bottom = std::max(r.Bottom, y + 1);
        }
    return r;
}

// The picture as rows of characters: one letter per colour in `legend`, '?' for others.
std::vector<std::string> Map(TBitmap& bmp, const std::vector<std::pair<TColor, char>>& legend)
{
    std::vector<std::string> rows;
    const QImage& img = bmp.Image();
    for (int y = 0; y < img.height(); ++y) {
        std::string row;
        for (int x = 0; x < img.width(); ++x) {
            const QRgb p = img.pixel(x, y);
            const TColor c = RGB(unsigned(qRed(p)), unsigned(qGreen(p)), unsigned(qBlue(p)));
            char ch = '?';
            for (const auto& [color, letter] : legend)
                if (color == c) ch = letter;
            row += ch;
        }
        rows.push_back(row);
    }
    return rows;
}

const std::vector<std::pair<TColor, char>> Legend = {
    {clWhite, '.'}, {clBlack, '#'}, {clRed, 'r'}, {clBlue, 'b'}, {clYellow, 'y'}, {clLime, 'g'}};

} // namespace

// ---- Colours ---------------------------------------------------------------

TEST(GraphicsColors, ColorToRGBResolvesSystemColoursFromTheFixedPalette)
{
    struct Case {
        TColor in;
        TColor out;
    };
    const Case cases[] = {
        {RGB(1, 2, 3), 0x030201},        {0x123456, 0x123456},         {clBtnFace, 0xF0F0F0},
        {clWindow, 0xFFFFFF},            {clWindowText, 0x000000},     {clHighlight, 0xD77800},
        {clInfoBk, 0xE1FFFF},            {cl3DDkShadow, 0x696969},     {clBtnShadow, 0xA0A0A0},
        {clGrayText, 0x6D6D6D},          {clBtnHighlight, 0xFFFFFF},   {cl3DLight, 0xE3E3E3},
        {clHighlightText, 0xFFFFFF},     {clBtnText, 0x000000},        {SystemColor(200), clBlack},
        {clNone, clNone},                {clDefault, clDefault},
    };
    for (const Case& c : cases) EXPECT_EQ(ColorToRGB(c.in), c.out) << std::hex << c.in;
}

TEST(GraphicsColors, QtColoursKeepRedInTheLowByte)
{
    EXPECT_EQ(ToQColor(clRed), QColor(255, 0, 0));
    EXPECT_EQ(ToQColor(RGB(10, 20, 30)), QColor(10, 20, 30));
    EXPECT_EQ(ToQColor(clHighlight), QColor(0, 120, 215));
    EXPECT_EQ(ToQColor(clNone).alpha(), 0);
    EXPECT_EQ(FromQColor(QColor(10, 20, 30)), RGB(10, 20, 30));
    EXPECT_EQ(FromQColor(QColor(Qt::transparent)), clNone);
    EXPECT_EQ(FromQColor(QColor()), clNone);
    EXPECT_EQ(GetRValue(0x030201), 1u);
    EXPECT_EQ(GetGValue(0x030201), 2u);
    EXPECT_EQ(GetBValue(0x030201), 3u);
}

// ---- Fonts -----------------------------------------------------------------

TEST(GraphicsFont, SizeAndHeightConvertAt96Dpi)
{
    struct Case {
        int size;
        int height;
    };
    // Points to character height, rounded half away from zero.
    for (const Case c : {Case{8, -11}, Case{9, -12}, Case{10, -13}, Case{12, -16}, Case{24, -32}, Case{7, -9}}) {
        TFont f;
        f.SetSize(c.size);
        EXPECT_EQ(f.Height(), c.height) << c.size;
    }
    for (const Case c : {Case{8, -11}, Case{24, -32}, Case{9, -12}, Case{10, -13}, Case{-10, 13}}) {
        TFont f;
        f.SetHeight(c.height);
        EXPECT_EQ(f.Size(), c.size) << c.height;
    }
}

TEST(GraphicsFont, NegativeHeightIsPixelSizePositiveIsCellHeight)
{
    TFont f;
    f.SetHeight(-32);
    EXPECT_EQ(f.ToQFont().pixelSize(), 32);
    for (int cell : {13, 20, 40}) {
        f.SetHeight(cell);
        const QFontMetrics fm(f.ToQFont());
        EXPECT_NEAR(fm.ascent() + fm.descent(), cell, 1) << cell;
        EXPECT_LT(f.ToQFont().pixelSize(), cell);
    }
    f.SetHeight(0);
    EXPECT_GT(f.ToQFont().pixelSize(), 0);
}

TEST(GraphicsFont, MissingFamiliesFallBackButKeepTheirName)
{
    TFont f;
    for (const char* name : {"Verdana", "Tahoma", "MS Sans Serif", "Segoe UI", "Arial", "No Such Font 123"}) {
        f.SetName(QString::fromLatin1(name));
        EXPECT_EQ(f.Name(), QString::fromLatin1(name));
        const QFontInfo info(f.ToQFont());
        EXPECT_FALSE(info.fixedPitch()) << name;
        EXPECT_TRUE(QFontDatabase::hasFamily(f.ToQFont().family())) << name;
    }
    f.SetName(QStringLiteral("Courier New"));
    EXPECT_TRUE(QFontInfo(f.ToQFont()).fixedPitch());
    EXPECT_EQ(f.Name(), QStringLiteral("Courier New"));
}

TEST(GraphicsFont, StyleReachesTheQtFont)
{
    TFont f;
    f.SetStyle({TFontStyle::fsBold, TFontStyle::fsUnderline});
    QFont q = f.ToQFont();
    EXPECT_TRUE(q.bold());
    EXPECT_TRUE(q.underline());
    EXPECT_FALSE(q.italic());
    EXPECT_FALSE(q.strikeOut());
    f.SetStyle({TFontStyle::fsItalic, TFontStyle::fsStrikeOut});
    q = f.ToQFont();
    EXPECT_FALSE(q.bold());
    EXPECT_TRUE(q.italic());
    EXPECT_TRUE(q.strikeOut());
}

TEST(GraphicsFont, OnChangeFiresOnlyOnARealChange)
{
    TFont f;
    int changes = 0;
    f.OnChange = [&](TObject*) { ++changes; };
    f.SetHeight(f.Height());
    f.SetName(f.Name());
    f.SetColor(f.Color());
    f.SetStyle(f.Style());
    f.SetOrientation(0);
    f.SetSize(f.Size());
    EXPECT_EQ(changes, 0);
    f.SetHeight(-20);
    f.SetColor(clRed);
    f.SetStyle(TFontStyle::fsBold);
    f.SetOrientation(900);
    f.SetName(QStringLiteral("Arial"));
    EXPECT_EQ(changes, 5);

    TFont same;
    same.Assign(&f);
    changes = 0;
    f.Assign(&same);
    EXPECT_EQ(changes, 0);
    same.SetHeight(-9);
    same.SetColor(clBlue);
    f.Assign(&same);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(f.Height(), -9);
    EXPECT_EQ(f.Color(), clBlue);
    EXPECT_EQ(f.Orientation(), 900);
}

TEST(GraphicsFont, PenAndBrushNotifyOnlyOnChangeAndCopy)
{
    TPen pen;
    TBrush brush;
    int changes = 0;
    pen.OnChange = brush.OnChange = [&](TObject*) { ++changes; };
    pen.SetColor(clBlack);
    pen.SetWidth(1);
    brush.SetColor(clWhite);
    brush.SetStyle(TBrushStyle::bsSolid);
    EXPECT_EQ(changes, 0);
    pen.SetMode(TPenMode::pmXor);
    brush.SetStyle(TBrushStyle::bsClear);
    EXPECT_EQ(changes, 2);
    TPen other;
    other.Assign(&pen);
    EXPECT_EQ(other.Mode(), TPenMode::pmXor);
    TBrush otherBrush;
    otherBrush.Assign(&brush);
    EXPECT_EQ(otherBrush.Style(), TBrushStyle::bsClear);
    EXPECT_THROW(pen.Assign(&brush), Exception);
}

// ---- Shapes ------------------------------------------------------------------

TEST(GraphicsCanvas, RectangleCoversLeftToRightMinusOne)
{
    struct Case {
        const char* name;
        TPenStyle pen;
        TColor penColor;
        int width;
        TBrushStyle brush;
        TColor brushColor;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"pen and brush", TPenStyle::psSolid, clBlack, 1, TBrushStyle::bsSolid, clRed,
         {"..........", ".######...", ".#rrrr#...", ".#rrrr#...", ".######...", ".........."}},
        {"clear brush", TPenStyle::psSolid, clBlack, 1, TBrushStyle::bsClear, clRed,
         {"..........", ".######...", ".#....#...", ".#....#...", ".######...", ".........."}},
        {"clNone brush", TPenStyle::psSolid, clBlack, 1, TBrushStyle::bsSolid, clNone,
         {"..........", ".######...", ".#....#...", ".#....#...", ".######...", ".........."}},
        // Without a pen the platform fills one pixel less to the right and bottom.
        {"clear pen", TPenStyle::psClear, clBlack, 1, TBrushStyle::bsSolid, clRed,
         {"..........", ".rrrrr....", ".rrrrr....", ".rrrrr....", "..........", ".........."}},
        {"clNone pen", TPenStyle::psSolid, clNone, 1, TBrushStyle::bsSolid, clRed,
         {"..........", ".rrrrr....", ".rrrrr....", ".rrrrr....", "..........", ".........."}},
        {"inside frame 2", TPenStyle::psInsideFrame, clBlack, 2, TBrushStyle::bsSolid, clRed,
         {"..........", ".######...", ".######...", ".######...", ".######...", ".........."}},
        {"width 3 grows outwards", TPenStyle::psSolid, clBlue, 3, TBrushStyle::bsSolid, clRed,
         {"bbbbbbbb..", "bbbbbbbb..", "bbbbbbbb..", "bbbbbbbb..", "bbbbbbbb..", "bbbbbbbb.."}},
    };
    for (const Case& c : cases) {
        Sheet s(10, 6);
        s.C().Pen()->SetStyle(c.pen);
        s.C().Pen()->SetColor(c.penColor);
        s.C().Pen()->SetWidth(c.width);
        s.C().Brush()->SetStyle(c.brush);
        s.C().Brush()->SetColor(c.brushColor);
        s.C().Rectangle(1, 1, 7, 5);
        EXPECT_EQ(Map(s.bmp, Legend), c.expected) << c.name;
    }
}

TEST(GraphicsCanvas, WidePenFrameSurroundsTheFill)
{
    Sheet s(14, 12);
    s.C().Pen()->SetWidth(3);
    s.C().Pen()->SetColor(clBlue);
    s.C().Brush()->SetColor(clRed);
    s.C().Rectangle(3, 3, 11, 9);
    // The outline is centred on the one-pixel frame 3..10 x 3..8.
    EXPECT_EQ(PaintedBounds(s.bmp, clWhite), (TRect{2, 2, 12, 10}));
    EXPECT_EQ(s.At(4, 4), clBlue);
    EXPECT_EQ(s.At(5, 5), clRed);
    EXPECT_EQ(s.At(8, 6), clRed);
    EXPECT_EQ(s.At(9, 7), clBlue);
}

TEST(GraphicsCanvas, ReversedCornersDrawTheSameRectangle)
{
    Sheet a(10, 8), b(10, 8);
    a.C().Rectangle(1, 1, 8, 6);
    b.C().Rectangle(8, 6, 1, 1);
    EXPECT_EQ(a.bmp.Image(), b.bmp.Image());
}

TEST(GraphicsCanvas, FillRectAndFrameRectUseTheBrushOnly)
{
    Sheet s(8, 6);
    s.C().Pen()->SetColor(clBlue);
    s.C().Brush()->SetColor(clRed);
    s.C().FillRect(TRect{1, 1, 4, 3});
    s.C().Brush()->SetColor(clBlack);
    s.C().FrameRect(TRect{4, 1, 8, 5});
    const std::vector<std::string> expected = {"........", ".rrr####", ".rrr#..#", "....#..#", "....####",
                                               "........"};
    EXPECT_EQ(Map(s.bmp, Legend), expected);

    // A clear or clNone brush fills nothing; an empty rectangle paints nothing.
    Sheet t(8, 6);
    t.C().Brush()->SetStyle(TBrushStyle::bsClear);
    t.C().FillRect(TRect{0, 0, 8, 6});
    t.C().Brush()->SetStyle(TBrushStyle::bsSolid);
    t.C().Brush()->SetColor(clNone);
    t.C().FillRect(TRect{0, 0, 8, 6});
    t.C().FrameRect(TRect{0, 0, 8, 6});
    t.C().Brush()->SetColor(clBlack);
    t.C().FillRect(TRect{5, 5, 2, 2});
    EXPECT_EQ(PaintedBounds(t.bmp, clWhite), (TRect{8, 6, 0, 0}));
}

TEST(GraphicsCanvas, HatchedBrushLeavesGapsBetweenItsLines)
{
    Sheet s(16, 16);
    s.C().Pen()->SetStyle(TPenStyle::psClear);
    s.C().Brush()->SetColor(clRed);
    s.C().Brush()->SetStyle(TBrushStyle::bsHorizontal);
    s.C().FillRect(TRect{0, 0, 16, 16});
    int red = 0, white = 0;
    for (int y = 0; y < 16; ++y) {
        const TColor rowColor = s.At(0, y);
        for (int x = 0; x < 16; ++x) {
            EXPECT_EQ(s.At(x, y), rowColor) << "horizontal lines run along whole rows";
            (s.At(x, y) == clRed ? red : white) += 1;
        }
    }
    EXPECT_GT(red, 0);
    EXPECT_GT(white, red);
}

TEST(GraphicsCanvas, LineToLeavesOutTheEndPointAndMovesThePen)
{
    Sheet s(10, 8);
    s.C().MoveTo(1, 1);
    s.C().LineTo(6, 1);
    EXPECT_EQ(s.C().PenPos(), Point(6, 1));
    s.C().LineTo(6, 5);
    s.C().MoveTo(0, 7);
    s.C().LineTo(4, 3);
    // (0,7) is the start and drawn; (4,3) is the end and left out.
    const std::vector<std::string> expected = {"..........", ".######...", "......#...", "......#...",
                                               "...#..#...", "..#.......", ".#........", "#........."};
    EXPECT_EQ(Map(s.bmp, Legend), expected);
}

TEST(GraphicsCanvas, BrokenPensDashAndFillGapsWithTheBrush)
{
    Sheet s(13, 3);
    s.C().Brush()->SetStyle(TBrushStyle::bsClear);
    s.C().Pen()->SetStyle(TPenStyle::psDot);
    s.C().MoveTo(0, 0);
    s.C().LineTo(13, 0);
    s.C().Brush()->SetStyle(TBrushStyle::bsSolid);
    s.C().Brush()->SetColor(clYellow);
    s.C().MoveTo(0, 2);
    s.C().LineTo(13, 2);
    const std::vector<std::string> expected = {"###...###...#", ".............", "###yyy###yyy#"};
    EXPECT_EQ(Map(s.bmp, Legend), expected);
}

TEST(GraphicsCanvas, XorAndNotDrawnTwiceRestoreThePicture)
{
    for (TPenMode mode : {TPenMode::pmXor, TPenMode::pmNot, TPenMode::pmNotXor}) {
        Sheet s(20, 12);
        s.C().Brush()->SetColor(clRed);
        s.C().FillRect(TRect{0, 0, 10, 12});
        s.C().Brush()->SetColor(clBlue);
        s.C().FillRect(TRect{10, 0, 20, 6});
        const QImage before = s.bmp.Image().copy();

        s.C().Pen()->SetMode(mode);
        s.C().Pen()->SetColor(clYellow);
        s.C().Pen()->SetStyle(TPenStyle::psDot);
        s.C().Brush()->SetStyle(TBrushStyle::bsClear);
        auto draw = [&] {
            s.C().MoveTo(2, 3);
            s.C().LineTo(18, 3);
            s.C().MoveTo(5, 0);
            s.C().LineTo(5, 12);
            s.C().Pen()->SetStyle(TPenStyle::psSolid);
            s.C().Rectangle(3, 5, 17, 11);
            s.C().Pen()->SetStyle(TPenStyle::psDot);
        };
        draw();
        EXPECT_NE(s.bmp.Image(), before) << int(mode);
        draw();
        EXPECT_EQ(s.bmp.Image(), before) << int(mode);
    }
}

TEST(GraphicsCanvas, XorWithWhiteInvertsAndNopDrawsNothing)
{
    Sheet s(6, 3);
    s.C().Brush()->SetColor(clRed);
    s.C().FillRect(TRect{0, 0, 6, 3});
    s.C().Pen()->SetMode(TPenMode::pmXor);
    s.C().Pen()->SetColor(clWhite);
    s.C().MoveTo(0, 1);
    s.C().LineTo(6, 1);
    EXPECT_EQ(s.At(2, 1), clAqua);
    EXPECT_EQ(s.At(2, 0), clRed);
    s.C().Pen()->SetMode(TPenMode::pmNop);
    s.C().Brush()->SetColor(clBlack);
    s.C().Rectangle(0, 0, 6, 3);
    EXPECT_EQ(s.At(0, 0), clRed);
    EXPECT_EQ(s.At(2, 1), clAqua);
}

TEST(GraphicsCanvas, EllipseAndRoundRectStayInsideTheirBox)
{
    for (int kind = 0; kind < 2; ++kind) {
        Sheet s(30, 24);
        s.C().Pen()->SetColor(clBlack);
        s.C().Brush()->SetColor(clRed);
        if (kind == 0) s.C().Ellipse(4, 3, 24, 19);
        else s.C().RoundRect(4, 3, 24, 19, 8, 8);
        EXPECT_EQ(PaintedBounds(s.bmp, clWhite), (TRect{4, 3, 24, 19})) << kind;
        EXPECT_EQ(s.At(14, 11), clRed) << kind;
        EXPECT_EQ(s.At(4, 3), clWhite) << kind; // corners are round
        EXPECT_EQ(s.At(14, 3), clBlack) << kind;
        EXPECT_EQ(s.At(23, 11), clBlack) << kind;

        // Clear pen, clear brush: nothing at all.
        Sheet t(30, 24);
        t.C().Pen()->SetStyle(TPenStyle::psClear);
        t.C().Brush()->SetStyle(TBrushStyle::bsClear);
        if (kind == 0) t.C().Ellipse(4, 3, 24, 19);
        else t.C().RoundRect(4, 3, 24, 19, 8, 8);
        EXPECT_EQ(PaintedBounds(t.bmp, clWhite), (TRect{30, 24, 0, 0})) << kind;
    }
}

TEST(GraphicsCanvas, PolygonFillsAndOutlines)
{
    Sheet s(12, 12);
    s.C().Pen()->SetColor(clBlack);
    s.C().Brush()->SetColor(clRed);
    s.C().Polygon({Point(1, 1), Point(10, 1), Point(10, 10), Point(1, 10)});
    EXPECT_EQ(PaintedBounds(s.bmp, clWhite), (TRect{1, 1, 11, 11}));
    EXPECT_EQ(s.At(1, 1), clBlack);
    EXPECT_EQ(s.At(10, 10), clBlack);
    EXPECT_EQ(s.At(5, 5), clRed);
}

TEST(GraphicsCanvas, PixelsReadAndWrite)
{
    Sheet s(5, 5);
    s.C().SetPixel(2, 3, clRed);
    s.C().SetPixel(0, 0, clBtnFace);
    s.C().SetPixel(1, 1, clNone);
    EXPECT_EQ(s.At(2, 3), clRed);
    EXPECT_EQ(s.At(0, 0), 0xF0F0F0u);
    EXPECT_EQ(s.At(1, 1), clWhite);
    EXPECT_EQ(s.At(-1, 0), clNone);
    EXPECT_EQ(s.At(5, 0), clNone);
    EXPECT_EQ(s.At(0, 5), clNone);
    // Written pixels are seen by the picture itself.
    EXPECT_EQ(QColor(s.bmp.Image().pixel(2, 3)), QColor(255, 0, 0));
}

TEST(GraphicsCanvas, ClipRectDropsPaintingOutsideIt)
{
    Sheet s(10, 10);
    s.C().SetClipRect(TRect{2, 2, 6, 5});
    s.C().Brush()->SetColor(clBlack);
    s.C().FillRect(TRect{0, 0, 10, 10});
    EXPECT_EQ(PaintedBounds(s.bmp, clWhite), (TRect{2, 2, 6, 5}));
    EXPECT_EQ(s.C().ClipRect(), (TRect{2, 2, 6, 5}));
    s.C().SetClipRect(TRect{});
    s.C().Brush()->SetColor(clRed);
    s.C().FillRect(TRect{0, 0, 10, 10});
    EXPECT_EQ(s.At(9, 9), clRed);
}

TEST(GraphicsCanvas, HandedInPainterKeepsItsOwnClip)
{
    QImage img(10, 10, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::white);
    {
        QPainter painter(&img);
        painter.setClipRect(QRect(0, 0, 5, 10));
        TCanvas canvas;
        canvas.BeginPaint(&painter);
        EXPECT_TRUE(canvas.HandleAllocated());
        canvas.SetClipRect(TRect{3, 0, 10, 10});
        canvas.Brush()->SetColor(clBlack);
        canvas.FillRect(TRect{0, 0, 10, 10});
        canvas.EndPaint();
        EXPECT_FALSE(canvas.HandleAllocated());
    }
    EXPECT_EQ(QColor(img.pixel(2, 0)), QColor(Qt::white));
    EXPECT_EQ(QColor(img.pixel(3, 0)), QColor(Qt::black));
    EXPECT_EQ(QColor(img.pixel(4, 9)), QColor(Qt::black));
    EXPECT_EQ(QColor(img.pixel(5, 0)), QColor(Qt::white));
}

TEST(GraphicsCanvas, CanvasWithoutDeviceRefusesToDraw)
{
    TCanvas canvas;
    EXPECT_FALSE(canvas.HandleAllocated());
    EXPECT_EQ(canvas.Painter(), nullptr);
    EXPECT_THROW(canvas.Rectangle(0, 0, 5, 5), Exception);
    EXPECT_EQ(canvas.Pixels(0, 0), clNone);
    EXPECT_GT(canvas.TextWidth(QStringLiteral("abc")), 0);
}

// ---- Text --------------------------------------------------------------------

TEST(GraphicsText, TextOutPaintsInsideItsExtentOnTheBrush)
{
    Sheet s(200, 60);
    s.C().Font()->SetHeight(-16);
    s.C().Font()->SetColor(clBlack);
    s.C().Brush()->SetColor(clYellow);
    const String text = QStringLiteral("Hgjy Quillmer");
    const TSize ext = s.C().TextExtent(text);
    EXPECT_EQ(ext.cx, s.C().TextWidth(text));
    EXPECT_EQ(ext.cy, s.C().TextHeight(text));
    EXPECT_GE(ext.cy, 16);
    s.C().TextOut(10, 20, text);
    EXPECT_EQ(s.C().PenPos(), Point(10 + ext.cx, 20));
    // The cell is painted in the brush colour; only the last glyph's ink may overhang its advance.
    const TRect painted = PaintedBounds(s.bmp, clWhite);
    EXPECT_EQ(painted.Left, 10);
    EXPECT_EQ(painted.Top, 20);
    EXPECT_EQ(painted.Bottom, 20 + ext.cy);
    EXPECT_GE(painted.Right, 10 + ext.cx);
    EXPECT_LE(painted.Right, 10 + ext.cx + 1);
    EXPECT_EQ(s.At(10, 20), clYellow);
    EXPECT_EQ(s.At(10 + ext.cx - 1, 20), clYellow);
    EXPECT_EQ(s.At(10 + ext.cx, 20), clWhite);
    // The ink lies inside the cell.
    Sheet t(200, 60);
    t.C().Font()->SetHeight(-16);
    t.C().Brush()->SetStyle(TBrushStyle::bsClear);
    t.C().TextOut(10, 20, text);
    const TRect ink = PaintedBounds(t.bmp, clWhite);
    EXPECT_FALSE(ink.IsEmpty());
    EXPECT_GE(ink.Left, 10);
    EXPECT_GE(ink.Top, 20);
    EXPECT_LE(ink.Right, 10 + ext.cx + 1);
    EXPECT_LE(ink.Bottom, 20 + ext.cy);
    EXPECT_GT(ink.Width(), ext.cx / 2);
}

TEST(GraphicsText, ExtentFollowsTheFont)
{
    TCanvas c;
    const String text = QStringLiteral("Configuration");
    c.Font()->SetHeight(-11);
    const TSize small = c.TextExtent(text);
    c.Font()->SetHeight(-32);
    const TSize big = c.TextExtent(text);
    EXPECT_GT(big.cx, small.cx * 2);
    EXPECT_GT(big.cy, small.cy * 2);
    c.Font()->SetStyle(TFontStyle::fsBold);
    EXPECT_GE(c.TextWidth(text), big.cx);
    EXPECT_EQ(c.TextWidth(QString()), 0);
}

TEST(GraphicsText, ClNoneFontColourDrawsNoInk)
{
    Sheet s(80, 30);
    s.C().Brush()->SetStyle(TBrushStyle::bsClear);
    s.C().Font()->SetColor(clNone);
    s.C().TextOut(2, 2, QStringLiteral("Text"));
    EXPECT_EQ(PaintedBounds(s.bmp, clWhite), (TRect{80, 30, 0, 0}));
}

TEST(GraphicsText, TextRectClipsToItsRectangle)
{
    Sheet s(200, 40);
    s.C().Font()->SetHeight(-20);
    s.C().Brush()->SetColor(clYellow);
    const TRect r{10, 5, 40, 30};
    s.C().TextRect(r, 12, 8, QStringLiteral("A long text that goes far beyond"));
    EXPECT_EQ(PaintedBounds(s.bmp, clWhite), r);
    // The clip ends with the call.
    s.C().Brush()->SetColor(clRed);
    s.C().FillRect(TRect{0, 0, 200, 40});
    EXPECT_EQ(s.At(199, 39), clRed);
}

TEST(GraphicsText, OrientationTurnsTextCounterClockwise)
{
    Sheet s(80, 200);
    s.C().Font()->SetHeight(-16);
    s.C().Brush()->SetStyle(TBrushStyle::bsClear);
    s.C().Font()->SetOrientation(900);
    const String text = QStringLiteral("Upward text");
    const TSize ext = s.C().TextExtent(text);
    s.C().TextOut(20, 180, text);
    const TRect ink = PaintedBounds(s.bmp, clWhite);
    // Turned by 90 degrees, the text runs upwards from (20, 180) and its cell lies to the right.
    EXPECT_GE(ink.Left, 20);
    EXPECT_LE(ink.Right, 20 + ext.cy + 1);
    EXPECT_LE(ink.Bottom, 181);
    EXPECT_GE(ink.Top, 180 - ext.cx - 1);
    EXPECT_GT(ink.Height(), ink.Width());
}

// ---- Bitmaps -----------------------------------------------------------------

TEST(GraphicsBitmap, TransparentDrawLeavesOutTheKeyColour)
{
    TBitmap glyph(3, 2);
    glyph.Canvas()->SetPixel(0, 0, clRed);
    glyph.Canvas()->SetPixel(1, 0, clFuchsia);
    glyph.Canvas()->SetPixel(2, 0, clLime);
    glyph.Canvas()->SetPixel(0, 1, clFuchsia); // bottom-left: the automatic key
    glyph.Canvas()->SetPixel(1, 1, clBlack);
    glyph.Canvas()->SetPixel(2, 1, clFuchsia);
    EXPECT_EQ(glyph.TransparentColor(), clFuchsia);

    auto drawOnBlue = [&](TBitmap& g) {
        auto s = std::make_unique<Sheet>(5, 4);
        s->C().Brush()->SetColor(clBlue);
        s->C().FillRect(TRect{0, 0, 5, 4});
        s->C().Draw(1, 1, &g);
        return s;
    };
    auto opaque = drawOnBlue(glyph);
    EXPECT_EQ(Map(opaque->bmp, {{clBlue, 'b'}, {clRed, 'r'}, {clFuchsia, 'm'}, {clLime, 'g'}, {clBlack, '#'}}),
              (std::vector<std::string>{"bbbbb", "brmgb", "bm#mb", "bbbbb"}));

    glyph.SetTransparent(true);
    auto keyed = drawOnBlue(glyph);
    EXPECT_EQ(Map(keyed->bmp, {{clBlue, 'b'}, {clRed, 'r'}, {clFuchsia, 'm'}, {clLime, 'g'}, {clBlack, '#'}}),
              (std::vector<std::string>{"bbbbb", "brbgb", "bb#bb", "bbbbb"}));

    glyph.SetTransparentColor(clLime);
    auto lime = drawOnBlue(glyph);
    EXPECT_EQ(Map(lime->bmp, {{clBlue, 'b'}, {clRed, 'r'}, {clFuchsia, 'm'}, {clLime, 'g'}, {clBlack, '#'}}),
              (std::vector<std::string>{"bbbbb", "brmbb", "bm#mb", "bbbbb"}));
}

TEST(GraphicsBitmap, StretchDrawScalesPixelForPixel)
{
    TBitmap glyph(2, 2);
    glyph.Canvas()->SetPixel(0, 0, clRed);
    glyph.Canvas()->SetPixel(1, 1, clBlack);
    Sheet s(6, 5);
    s.C().StretchDraw(TRect{1, 1, 5, 5}, &glyph);
    EXPECT_EQ(Map(s.bmp, Legend), (std::vector<std::string>{"......", ".rr...", ".rr...", "...##.", "...##."}));
    // An empty graphic or none at all draws nothing.
    TBitmap empty;
    s.C().Draw(0, 0, &empty);
    s.C().Draw(0, 0, nullptr);
    EXPECT_EQ(s.At(0, 0), clWhite);
}

TEST(GraphicsBitmap, SetSizeKeepsTheTopLeftAndWhitensTheRest)
{
    TBitmap b(4, 4);
    int changes = 0;
    b.OnChange = [&](TObject*) { ++changes; };
    b.Canvas()->Brush()->SetColor(clBlack);
    b.Canvas()->FillRect(TRect{0, 0, 4, 4});
    b.Canvas()->SetPixel(1, 2, clRed);
    b.SetSize(6, 3);
    EXPECT_EQ(b.Width(), 6);
    EXPECT_EQ(b.Height(), 3);
    EXPECT_EQ(Map(b, Legend), (std::vector<std::string>{"####..", "####..", "#r##.."}));
    // The canvas keeps drawing into the resized picture.
    b.Canvas()->FillRect(TRect{5, 2, 6, 3});
    EXPECT_EQ(b.Canvas()->Pixels(5, 2), clBlack);
    b.SetSize(2, 2);
    EXPECT_EQ(Map(b, Legend), (std::vector<std::string>{"##", "##"}));
    b.SetWidth(0);
    EXPECT_TRUE(b.Empty());
    EXPECT_GE(changes, 3);
}

TEST(GraphicsBitmap, AssignMakesAnIndependentCopy)
{
    TBitmap a(3, 3);
    a.Canvas()->SetPixel(1, 1, clRed);
    a.SetTransparent(true);
    TBitmap b;
    b.Assign(&a);
    EXPECT_EQ(b.Width(), 3);
    EXPECT_TRUE(b.Transparent());
    EXPECT_EQ(b.Canvas()->Pixels(1, 1), clRed);
    a.Canvas()->SetPixel(1, 1, clBlue);
    EXPECT_EQ(b.Canvas()->Pixels(1, 1), clRed);
    TFont font;
    EXPECT_THROW(b.Assign(&font), Exception);
}

TEST(GraphicsBitmap, LoadFromFileReadsBmpAndRefusesBrokenFiles)
{
    TempFolder dir;
    QImage source(5, 4, QImage::Format_RGB32);
    source.fill(QColor(10, 20, 30));
    source.setPixel(4, 3, qRgb(200, 0, 0));
    ASSERT_TRUE(source.save(dir.File("good.bmp"), "BMP"));
    QByteArray bytes;
    {
        QFile f(dir.File("good.bmp"));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        bytes = f.readAll();
    }

    TBitmap b;
    ASSERT_TRUE(b.LoadFromFile(dir.File("good.bmp")));
    EXPECT_EQ(b.Width(), 5);
    EXPECT_EQ(b.Height(), 4);
    EXPECT_EQ(b.Canvas()->Pixels(0, 0), RGB(10, 20, 30));
    EXPECT_EQ(b.Canvas()->Pixels(4, 3), RGB(200, 0, 0));

    QImage png(2, 2, QImage::Format_RGB32);
    png.fill(Qt::red);
    png.save(dir.File("picture.png"), "PNG");
    QByteArray pngBytes;
    {
        QFile f(dir.File("picture.png"));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        pngBytes = f.readAll();
    }
    QByteArray badHeader = bytes;
    badHeader[0] = 'X';
    QByteArray hugeSize = bytes;
    hugeSize[18] = char(0xFF); // width far beyond the data
    hugeSize[19] = char(0xFF);
    hugeSize[20] = char(0xFF);
    hugeSize[21] = char(0x7F);

    const std::pair<const char*, QByteArray> broken[] = {
        {"empty.bmp", QByteArray()},
        {"header-only.bmp", bytes.left(14)},
        {"truncated.bmp", bytes.left(40)},
        {"bad-magic.bmp", badHeader},
        {"huge.bmp", hugeSize},
        {"garbage.bmp", QByteArray(300, '\x5A')},
    };
    for (const auto& [name, content] : broken) {
        dir.Write(QString::fromLatin1(name), content);
        TBitmap x(3, 3);
        EXPECT_FALSE(x.LoadFromFile(dir.File(QString::fromLatin1(name)))) << name;
        EXPECT_TRUE(x.Empty()) << name;
    }
    // A picture file loads by its content, whatever its name says.
    dir.Write(QStringLiteral("png-named.bmp"), pngBytes);
    TBitmap named;
    EXPECT_TRUE(named.LoadFromFile(dir.File("png-named.bmp")));
    EXPECT_EQ(named.Canvas()->Pixels(1, 1), clRed);
    TBitmap missing(2, 2);
    EXPECT_FALSE(missing.LoadFromFile(dir.File("missing.bmp")));
    EXPECT_TRUE(missing.Empty());
}

// ---- Pixel rules of lines ------------------------------------------------------

namespace {

std::set<std::pair<int, int>> PaintedPixels(TBitmap& bmp, TColor background)
{
    std::set<std::pair<int, int>> set;
    const QImage& img = bmp.Image();
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb p = img.pixel(x, y);
            if (RGB(unsigned(qRed(p)), unsigned(qGreen(p)), unsigned(qBlue(p))) != background) set.insert({x, y});
        }
    return set;
}

} // namespace

// Every direction and slope: the start point is drawn, the end point is not,
// one pixel per step of the longer axis, each pixel the one nearest the ideal
// line, and the line drawn backwards covers the same pixels between the ends.
TEST(GraphicsLines, OnePixelLinesHitThePixelsNearestTheIdealLine)
{
    const QPoint a(12, 12);
    for (int dx = -11; dx <= 11; ++dx)
        for (int dy = -11; dy <= 11; ++dy) {
            if (dx == 0 && dy == 0) continue;
            const QPoint b = a + QPoint(dx, dy);
            Sheet fwd(25, 25), back(25, 25);
            fwd.C().MoveTo(a.x(), a.y());
            fwd.C().LineTo(b.x(), b.y());
            back.C().MoveTo(b.x(), b.y());
            back.C().LineTo(a.x(), a.y());
            auto forward = PaintedPixels(fwd.bmp, clWhite);
            auto backward = PaintedPixels(back.bmp, clWhite);
            const std::string name = std::to_string(dx) + "," + std::to_string(dy);
            const bool xMajor = std::abs(dx) >= std::abs(dy);
            ASSERT_EQ(int(forward.size()), std::max(std::abs(dx), std::abs(dy))) << name;
            EXPECT_TRUE(forward.count({a.x(), a.y()})) << name;
            EXPECT_FALSE(forward.count({b.x(), b.y()})) << name;
            std::set<int> majors;
            for (const auto& [x, y] : forward) {
                majors.insert(xMajor ? x : y);
                const double t = xMajor ? double(x - a.x()) / dx : double(y - a.y()) / dy;
                const double ideal = xMajor ? a.y() + t * dy : a.x() + t * dx;
                EXPECT_LE(std::abs((xMajor ? y : x) - ideal), 0.5) << name;
            }
            EXPECT_EQ(majors.size(), forward.size()) << name;
            forward.erase({a.x(), a.y()});
            backward.erase({b.x(), b.y()});
            EXPECT_EQ(forward, backward) << name;
        }
}

TEST(GraphicsLines, DashesRunOnAcrossCornersAndStopAtTheEnd)
{
    struct Case {
        const char* name;
        TPenStyle style;
        std::vector<TPoint> points;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"dots turn the corner", TPenStyle::psDot, {Point(0, 0), Point(4, 0), Point(4, 4)},
         {"###..", ".....", "....#", "....#", "....."}},
        {"dash dot", TPenStyle::psDashDot, {Point(0, 1), Point(25, 1)},
         {".........................", "#########......###......#", ".........................",
          ".........................", "........................."}},
        {"closed solid square", TPenStyle::psSolid, {Point(0, 0), Point(3, 0), Point(3, 3), Point(0, 3), Point(0, 0)},
         {"####.", "#..#.", "#..#.", "####.", "....."}},
    };
    for (const Case& c : cases) {
        Sheet s(int(c.expected[0].size()), 5);
        s.C().Brush()->SetStyle(TBrushStyle::bsClear);
        s.C().Pen()->SetStyle(c.style);
        s.C().Polyline(c.points);
        EXPECT_EQ(Map(s.bmp, Legend), c.expected) << c.name;
    }
}

TEST(GraphicsLines, WidePensDrawSolidWithRoundEnds)
{
    Sheet s(20, 12);
    s.C().Pen()->SetWidth(3);
    s.C().Pen()->SetStyle(TPenStyle::psDot);
    s.C().MoveTo(5, 6);
    s.C().LineTo(15, 6);
    // Solid across, three pixels thick, and the end point is covered by the cap.
    for (int x = 5; x <= 15; ++x) EXPECT_EQ(s.At(x, 6), clBlack) << x;
    EXPECT_EQ(s.At(10, 5), clBlack);
    EXPECT_EQ(s.At(10, 7), clBlack);
    EXPECT_EQ(s.At(10, 3), clWhite);
    EXPECT_EQ(s.At(10, 9), clWhite);
}

TEST(GraphicsLines, PolyBezierThroughCollinearPointsIsTheStraightLineWithItsEnd)
{
    Sheet s(12, 3);
    s.C().PolyBezier({Point(0, 1), Point(3, 1), Point(6, 1), Point(9, 1)});
    EXPECT_EQ(Map(s.bmp, Legend), (std::vector<std::string>{"............", "##########..", "............"}));
    // Fewer than four points draw nothing.
    Sheet t(5, 5);
    t.C().PolyBezier({Point(0, 0), Point(4, 4), Point(2, 2)});
    EXPECT_EQ(PaintedBounds(t.bmp, clWhite), (TRect{5, 5, 0, 0}));
}

// ---- Pen modes -----------------------------------------------------------------

TEST(GraphicsPenModes, EveryModeCombinesPenAndPictureAsTheRasterOperation)
{
    const TColor pen = 0x3C5A96, under = 0x1030F0;
    const TColor m = 0xFFFFFF;
    struct Case {
        TPenMode mode;
        TColor expected;
    };
    const Case cases[] = {
        {TPenMode::pmBlack, 0},
        {TPenMode::pmWhite, m},
        {TPenMode::pmNop, under},
        {TPenMode::pmNot, ~under & m},
        {TPenMode::pmCopy, pen},
        {TPenMode::pmNotCopy, ~pen & m},
        {TPenMode::pmMergePenNot, (pen | ~under) & m},
        {TPenMode::pmMaskPenNot, pen & ~under & m},
        {TPenMode::pmMergeNotPen, (~pen | under) & m},
        {TPenMode::pmMaskNotPen, ~pen & under & m},
        {TPenMode::pmMerge, pen | under},
        {TPenMode::pmNotMerge, ~(pen | under) & m},
        {TPenMode::pmMask, pen & under},
        {TPenMode::pmNotMask, ~(pen & under) & m},
        {TPenMode::pmXor, pen ^ under},
        {TPenMode::pmNotXor, ~(pen ^ under) & m},
    };
    for (const Case& c : cases) {
        Sheet s(8, 8);
        s.C().Brush()->SetColor(under);
        s.C().FillRect(TRect{0, 0, 8, 8});
        s.C().Pen()->SetColor(pen);
        s.C().Pen()->SetMode(c.mode);
        s.C().MoveTo(1, 2);
        s.C().LineTo(7, 2);
        s.C().Brush()->SetStyle(TBrushStyle::bsClear);
        s.C().Rectangle(1, 4, 7, 8);
        EXPECT_EQ(s.At(3, 2), c.expected) << int(c.mode);
        EXPECT_EQ(s.At(1, 4), c.expected) << int(c.mode) << " rectangle outline";
        EXPECT_EQ(s.At(7, 2), under) << int(c.mode) << " end point left out";
        EXPECT_EQ(s.At(3, 5), under) << int(c.mode) << " clear brush";
    }
}

// ---- Focus rectangle -------------------------------------------------------------

TEST(GraphicsFocusRect, InvertsEveryOtherFramePixelAndTwiceRestores)
{
    Sheet s(20, 14);
    s.C().Brush()->SetColor(clRed);
    s.C().FillRect(TRect{0, 0, 10, 14});
    s.C().Brush()->SetColor(clBlue);
    s.C().FillRect(TRect{10, 0, 20, 14});
    const QImage before = s.bmp.Image().copy();
    auto original = [&](int x, int y) {
        const QRgb p = before.pixel(x, y);
        return RGB(unsigned(qRed(p)), unsigned(qGreen(p)), unsigned(qBlue(p)));
    };
    const TRect r{3, 2, 16, 11};
    s.C().DrawFocusRect(r);
    for (int y = 0; y < 14; ++y)
        for (int x = 0; x < 20; ++x) {
            const bool frame = r.Contains({x, y}) && (x == r.Left || x == r.Right - 1 || y == r.Top || y == r.Bottom - 1);
            const TColor now = s.At(x, y);
            if (!frame) EXPECT_EQ(now, original(x, y)) << x << "," << y;
            else if ((x + y) % 2 == 0) EXPECT_EQ(now, ~original(x, y) & 0xFFFFFF) << x << "," << y;
            else EXPECT_EQ(now, original(x, y)) << x << "," << y;
        }
    s.C().DrawFocusRect(r);
    EXPECT_EQ(s.bmp.Image(), before);
    // Thin and empty rectangles: a one-pixel-high one dots a single row; an empty one draws nothing.
    s.C().DrawFocusRect(TRect{2, 5, 8, 6});
    EXPECT_EQ(Map(s.bmp, {{clRed, 'r'}, {clAqua, 'a'}, {clBlue, 'b'}})[5], "rrrarararrbbbbbbbbbb");
    s.C().DrawFocusRect(TRect{2, 5, 8, 6});
    s.C().DrawFocusRect(TRect{5, 5, 5, 9});
    EXPECT_EQ(s.bmp.Image(), before);
}

// ---- Clip regions --------------------------------------------------------------

TEST(GraphicsClip, RegionsLimitPaintingAndCombineWithThePainterClip)
{
    const QRegion ell = QRegion(1, 1, 2, 5) + QRegion(1, 4, 6, 2);
    Sheet s(8, 7);
    s.C().SetClipRegion(ell);
    EXPECT_EQ(s.C().ClipRegion(), ell);
    EXPECT_EQ(s.C().ClipRect(), (TRect{1, 1, 7, 6}));
    s.C().Brush()->SetColor(clBlack);
    s.C().FillRect(TRect{0, 0, 8, 7});
    EXPECT_EQ(Map(s.bmp, Legend),
              (std::vector<std::string>{"........", ".##.....", ".##.....", ".##.....", ".######.", ".######.", "........"}));
    EXPECT_EQ(s.At(5, 1), clNone) << "outside the clip nothing is read";
    EXPECT_EQ(s.At(5, 4), clBlack);
    // An empty region lifts the clip; the whole picture is the clip rectangle again.
    s.C().SetClipRegion(QRegion());
    EXPECT_TRUE(s.C().ClipRegion().isEmpty());
    EXPECT_EQ(s.C().ClipRect(), (TRect{0, 0, 8, 7}));
    s.C().Brush()->SetColor(clRed);
    s.C().FillRect(TRect{0, 0, 8, 7});
    EXPECT_EQ(PaintedBounds(s.bmp, clRed), (TRect{8, 7, 0, 0}));

    // A handed-in painter's clip stays in force; disjoint clips paint nothing.
    struct Case {
        QRect painterClip;
        QRegion canvasClip;
        TRect painted;
    };
    const Case cases[] = {
        {QRect(0, 0, 5, 10), QRegion(3, 0, 7, 10), TRect{3, 0, 5, 10}},
        {QRect(0, 0, 5, 10), QRegion(), TRect{0, 0, 5, 10}},
        {QRect(0, 0, 3, 10), QRegion(6, 0, 4, 10), TRect{10, 10, 0, 0}},
    };
    for (const Case& c : cases) {
        TBitmap target(10, 10);
        {
            QPainter painter(&target.Image());
            painter.setClipRect(c.painterClip);
            TCanvas canvas;
            canvas.BeginPaint(&painter);
            canvas.SetClipRegion(c.canvasClip);
            canvas.Brush()->SetColor(clBlack);
            canvas.FillRect(TRect{0, 0, 10, 10});
            EXPECT_EQ(canvas.ClipRect(), c.painted.IsEmpty() ? TRect{} : c.painted);
            canvas.EndPaint();
        }
        EXPECT_EQ(PaintedBounds(target, clWhite), c.painted);
    }
}

// ---- Flood fill -------------------------------------------------------------------

TEST(GraphicsFloodFill, BorderAndSurfaceFillTheirConnectedArea)
{
    // A black ring with a red spot inside and a gap only diagonally open.
    const std::vector<std::string> picture = {
        "..........",
        ".######...",
        ".#....#...",
        ".#.rr.#...",
        ".#....#...",
        ".#####.#..",
        "..........",
    };
    struct Case {
        const char* name;
        TPoint start;
        TColor color;
        TFillStyle style;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"border: up to black, over the red", Point(2, 2), clBlack, TFillStyle::fsBorder,
         {"..........", ".######...", ".#gggg#...", ".#gggg#...", ".#gggg#...", ".#####.#..", ".........."}},
        {"surface: the white inside only", Point(2, 2), clWhite, TFillStyle::fsSurface,
         {"..........", ".######...", ".#gggg#...", ".#grrg#...", ".#gggg#...", ".#####.#..", ".........."}},
        {"surface: the red spot", Point(4, 3), clRed, TFillStyle::fsSurface,
         {"..........", ".######...", ".#....#...", ".#.gg.#...", ".#....#...", ".#####.#..", ".........."}},
        {"surface outside: the diagonal gap does not leak", Point(0, 0), clWhite, TFillStyle::fsSurface,
         {"gggggggggg", "g######ggg", "g#....#ggg", "g#.rr.#ggg", "g#....#ggg", "g#####g#gg", "gggggggggg"}},
        {"border started on the border", Point(1, 1), clBlack, TFillStyle::fsBorder, picture},
        {"surface started on another colour", Point(2, 2), clRed, TFillStyle::fsSurface, picture},
        {"outside the picture", Point(-1, 3), clBlack, TFillStyle::fsBorder, picture},
    };
    for (const Case& c : cases) {
        Sheet s(10, 7);
        for (int y = 0; y < 7; ++y)
            for (int x = 0; x < 10; ++x)
                if (picture[y][x] != '.') s.C().SetPixel(x, y, picture[y][x] == '#' ? clBlack : clRed);
        s.C().Brush()->SetColor(clLime);
        s.C().FloodFill(c.start.X, c.start.Y, c.color, c.style);
        EXPECT_EQ(Map(s.bmp, Legend), c.expected) << c.name;
    }
}

TEST(GraphicsFloodFill, NoBrushOrAClipLimitsTheFill)
{
    for (TBrushStyle style : {TBrushStyle::bsClear, TBrushStyle::bsSolid}) {
        Sheet s(6, 4);
        s.C().Brush()->SetStyle(style);
        s.C().Brush()->SetColor(style == TBrushStyle::bsClear ? clRed : clNone);
        s.C().FloodFill(2, 2, clWhite, TFillStyle::fsSurface);
        EXPECT_EQ(PaintedBounds(s.bmp, clWhite), (TRect{6, 4, 0, 0})) << int(style);
    }
    Sheet s(6, 4);
    s.C().SetClipRect(TRect{1, 1, 4, 3});
    s.C().Brush()->SetColor(clRed);
    s.C().FloodFill(2, 2, clWhite, TFillStyle::fsSurface);
    EXPECT_EQ(PaintedBounds(s.bmp, clWhite), (TRect{1, 1, 4, 3}));
    // A start outside the clip fills nothing.
    Sheet t(6, 4);
    t.C().SetClipRect(TRect{1, 1, 4, 3});
    t.C().Brush()->SetColor(clRed);
    t.C().FloodFill(5, 0, clWhite, TFillStyle::fsSurface);
    EXPECT_EQ(PaintedBounds(t.bmp, clWhite), (TRect{6, 4, 0, 0}));
}

// A one-pixel corridor winding through the whole picture: a fill that recursed
// per pixel would go hundreds of thousands of calls deep.
TEST(GraphicsFloodFill, LargeWindingAreaFillsCompletely)
{
    const int w = 1201, h = 801;
    Sheet s(w, h);
    s.C().Brush()->SetColor(clBlack);
    long long walls = 0;
    for (int y = 1; y < h; y += 2) {
        // Every other row is a wall with a gap at alternating ends.
        const int gap = (y / 2) % 2 == 0 ? w - 1 : 0;
        s.C().FillRect(TRect{0, y, w, y + 1});
        s.C().SetPixel(gap, y, clWhite);
        walls += w - 1;
    }
    s.C().Brush()->SetColor(clRed);
    s.C().FloodFill(0, 0, clBlack, TFillStyle::fsBorder);
    const QImage& img = s.bmp.Image();
    long long red = 0, white = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const QRgb p = img.pixel(x, y);
            red += p == qRgb(255, 0, 0);
            white += p == qRgb(255, 255, 255);
        }
    EXPECT_EQ(white, 0);
    EXPECT_EQ(red, (long long)w * h - walls);
}

// ---- Reading and filling through a moved painter -------------------------------------

TEST(GraphicsCanvas, HandedInPainterOffsetReachesReadsFillsAndCopies)
{
    TBitmap target(12, 10);
    {
        QPainter painter(&target.Image());
        painter.translate(4, 3);
        TCanvas canvas;
        canvas.BeginPaint(&painter);
        canvas.Brush()->SetColor(clBlack);
        canvas.FrameRect(TRect{0, 0, 5, 5});
        EXPECT_EQ(canvas.Pixels(0, 0), clBlack);
        EXPECT_EQ(canvas.Pixels(1, 1), clWhite);
        EXPECT_EQ(canvas.ClipRect(), (TRect{-4, -3, 8, 7}));
        canvas.Brush()->SetColor(clRed);
        canvas.FloodFill(2, 2, clBlack, TFillStyle::fsBorder);
        TBitmap copy(3, 3);
        copy.Canvas()->CopyRect(TRect{0, 0, 3, 3}, canvas, TRect{1, 1, 4, 4});
        EXPECT_EQ(Map(copy, Legend), (std::vector<std::string>{"rrr", "rrr", "rrr"}));
        canvas.EndPaint();
    }
    EXPECT_EQ(PaintedBounds(target, clWhite), (TRect{4, 3, 9, 8}));
    EXPECT_EQ(target.Canvas()->Pixels(6, 5), clRed);
}

// ---- clNone ---------------------------------------------------------------------------

TEST(GraphicsCanvas, ClNoneColoursPaintNothing)
{
    using Op = std::function<void(TCanvas&)>;
    const std::pair<const char*, Op> ops[] = {
        {"line", [](TCanvas& c) { c.MoveTo(0, 0); c.LineTo(9, 9); }},
        {"dotted line", [](TCanvas& c) { c.Pen()->SetStyle(TPenStyle::psDot); c.MoveTo(0, 3); c.LineTo(9, 3); }},
        {"polyline", [](TCanvas& c) { c.Polyline({Point(0, 0), Point(8, 0), Point(8, 8)}); }},
        {"rectangle", [](TCanvas& c) { c.Rectangle(1, 1, 8, 8); }},
        {"wide rectangle", [](TCanvas& c) { c.Pen()->SetWidth(3); c.Rectangle(1, 1, 8, 8); }},
        {"ellipse", [](TCanvas& c) { c.Ellipse(0, 0, 9, 9); }},
        {"round rect", [](TCanvas& c) { c.RoundRect(0, 0, 9, 9, 4, 4); }},
        {"polygon", [](TCanvas& c) { c.Polygon({Point(0, 0), Point(9, 0), Point(4, 9)}); }},
        {"fill rect", [](TCanvas& c) { c.FillRect(TRect{0, 0, 9, 9}); }},
        {"frame rect", [](TCanvas& c) { c.FrameRect(TRect{0, 0, 9, 9}); }},
        {"flood fill", [](TCanvas& c) { c.FloodFill(4, 4, clWhite, TFillStyle::fsSurface); }},
        {"pixel", [](TCanvas& c) { c.SetPixel(4, 4, clNone); }},
        {"text", [](TCanvas& c) { c.TextOut(0, 0, QStringLiteral("Wg")); }},
        {"text rect", [](TCanvas& c) { c.TextRect(TRect{0, 0, 9, 9}, 0, 0, QStringLiteral("Wg")); }},
    };
    for (const auto& [name, op] : ops) {
        Sheet s(10, 10);
        s.C().Pen()->SetColor(clNone);
        s.C().Brush()->SetColor(clNone);
        s.C().Font()->SetColor(clNone);
        op(s.C());
        EXPECT_EQ(PaintedBounds(s.bmp, clWhite), (TRect{10, 10, 0, 0})) << name;
    }
}

TEST(GraphicsCanvas, InsideFramePenKeepsCurvesInsideTheirBox)
{
    for (int kind = 0; kind < 2; ++kind)
        for (TPenStyle style : {TPenStyle::psInsideFrame, TPenStyle::psSolid}) {
            Sheet s(40, 40);
            s.C().Pen()->SetWidth(6);
            s.C().Pen()->SetStyle(style);
            s.C().Brush()->SetColor(clRed);
            if (kind == 0) s.C().Ellipse(8, 8, 32, 30);
            else s.C().RoundRect(8, 8, 32, 30, 10, 10);
            const TRect painted = PaintedBounds(s.bmp, clWhite);
            TRect inside;
            EXPECT_TRUE(IntersectRect(inside, painted, TRect{8, 8, 32, 30}));
            if (style == TPenStyle::psInsideFrame) EXPECT_EQ(inside, painted) << kind;
            else EXPECT_NE(inside, painted) << kind << " a centred wide pen reaches beyond the box";
            EXPECT_EQ(s.At(20, 19), clRed) << kind;
        }
}

TEST(GraphicsCanvas, OnChangeFiresAfterEachDrawing)
{
    Sheet s(10, 10);
    int changes = 0;
    s.C().OnChange = [&](TObject*) { ++changes; };
    s.C().MoveTo(1, 1);
    EXPECT_EQ(changes, 0);
    s.C().LineTo(5, 5);
    s.C().FillRect(TRect{0, 0, 2, 2});
    s.C().TextOut(0, 0, QStringLiteral("a"));
    s.C().DrawFocusRect(TRect{1, 1, 6, 6});
    EXPECT_EQ(changes, 4);
}

// ---- Copying between canvases -------------------------------------------------------------

TEST(GraphicsCopy, CopyRectCopiesStretchesMirrorsAndCombines)
{
    TBitmap source(3, 2);
    source.Canvas()->SetPixel(0, 0, clRed);
    source.Canvas()->SetPixel(1, 0, clBlue);
    source.Canvas()->SetPixel(2, 1, clBlack);
    struct Case {
        const char* name;
        TCopyMode mode;
        TRect dest, src;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"one to one", TCopyMode::cmSrcCopy, TRect{1, 1, 4, 3}, TRect{0, 0, 3, 2},
         {"......", ".rb...", "...#..", "......"}},
        {"part", TCopyMode::cmSrcCopy, TRect{0, 0, 2, 1}, TRect{1, 0, 3, 1}, {"b.....", "......", "......", "......"}},
        {"stretched", TCopyMode::cmSrcCopy, TRect{0, 0, 6, 4}, TRect{0, 0, 3, 2},
         {"rrbb..", "rrbb..", "....##", "....##"}},
        {"mirrored", TCopyMode::cmSrcCopy, TRect{4, 0, 1, 2}, TRect{0, 0, 3, 2}, {"..br..", ".#....", "......", "......"}},
        {"blackness", TCopyMode::cmBlackness, TRect{0, 0, 2, 2}, TRect{0, 0, 1, 1}, {"##....", "##....", "......", "......"}},
        {"invert destination", TCopyMode::cmDstInvert, TRect{4, 2, 6, 4}, TRect{0, 0, 1, 1},
         {"......", "......", "....##", "....##"}},
    };
    for (const Case& c : cases) {
        Sheet s(6, 4);
        s.C().SetCopyMode(c.mode);
        s.C().CopyRect(c.dest, *source.Canvas(), c.src);
        EXPECT_EQ(Map(s.bmp, Legend), c.expected) << c.name;
    }
    // XOR copied twice restores; a canvas copies onto itself even where the rectangles overlap.
    Sheet s(6, 4);
    s.C().Brush()->SetColor(clYellow);
    s.C().FillRect(TRect{0, 0, 3, 4});
    const QImage before = s.bmp.Image().copy();
    s.C().SetCopyMode(TCopyMode::cmSrcInvert);
    s.C().CopyRect(TRect{1, 0, 4, 2}, *source.Canvas(), TRect{0, 0, 3, 2});
    EXPECT_NE(s.bmp.Image(), before);
    s.C().CopyRect(TRect{1, 0, 4, 2}, *source.Canvas(), TRect{0, 0, 3, 2});
    EXPECT_EQ(s.bmp.Image(), before);
    s.C().SetCopyMode(TCopyMode::cmSrcCopy);
    s.C().CopyRect(TRect{1, 0, 5, 4}, s.C(), TRect{0, 0, 4, 4});
    EXPECT_EQ(Map(s.bmp, Legend), (std::vector<std::string>{"yyyy..", "yyyy..", "yyyy..", "yyyy.."}));
    // A canvas that cannot be read gives nothing.
    TCanvas blind;
    Sheet t(4, 4);
    t.C().CopyRect(TRect{0, 0, 4, 4}, blind, TRect{0, 0, 4, 4});
    EXPECT_EQ(PaintedBounds(t.bmp, clWhite), (TRect{4, 4, 0, 0}));
}

TEST(GraphicsCopy, DrawWithOpacityBlends)
{
    TBitmap black(2, 2);
    black.Canvas()->Brush()->SetColor(clBlack);
    black.Canvas()->FillRect(TRect{0, 0, 2, 2});
    struct Case {
        int opacity;
        int low, high;
    };
    for (const Case c : {Case{0, 255, 255}, Case{255, 0, 0}, Case{128, 120, 135}}) {
        Sheet s(4, 4);
        s.C().Draw(1, 1, &black, std::uint8_t(c.opacity));
        const int red = int(GetRValue(s.At(1, 1)));
        EXPECT_GE(red, c.low) << c.opacity;
        EXPECT_LE(red, c.high) << c.opacity;
        EXPECT_EQ(s.At(0, 0), clWhite);
        EXPECT_EQ(s.At(3, 3), clWhite);
    }
}

// ---- Bitmap formats and transparency -------------------------------------------------------

TEST(GraphicsBitmap, ScanLineBytesRoundTripIn24And32Bit)
{
    struct Case {
        TPixelFormat format;
        int bytes;
    };
    for (const Case c : {Case{TPixelFormat::pf24bit, 3}, Case{TPixelFormat::pf32bit, 4}, Case{TPixelFormat::pfDevice, 4}}) {
        TBitmap b(5, 3);
        b.Canvas()->SetPixel(0, 0, clRed);
        b.SetPixelFormat(c.format);
        EXPECT_EQ(b.Canvas()->Pixels(0, 0), clRed) << "the picture survives the conversion";
        // Canvas to bytes.
        b.Canvas()->SetPixel(2, 1, RGB(10, 20, 30));
        auto* row = static_cast<std::uint8_t*>(b.ScanLine(1));
        EXPECT_EQ(row[2 * c.bytes + 0], 30) << int(c.format);
        EXPECT_EQ(row[2 * c.bytes + 1], 20) << int(c.format);
        EXPECT_EQ(row[2 * c.bytes + 2], 10) << int(c.format);
        if (c.bytes == 4) {
            EXPECT_EQ(row[2 * c.bytes + 3], 255);
        }
        // Bytes to canvas, every pixel of a row.
        auto* last = static_cast<std::uint8_t*>(b.ScanLine(2));
        for (int x = 0; x < 5; ++x) {
            last[x * c.bytes + 0] = std::uint8_t(200);
            last[x * c.bytes + 1] = std::uint8_t(x * 40);
            last[x * c.bytes + 2] = std::uint8_t(7);
            if (c.bytes == 4) last[x * c.bytes + 3] = 255;
        }
        for (int x = 0; x < 5; ++x) EXPECT_EQ(b.Canvas()->Pixels(x, 2), RGB(7, unsigned(x * 40), 200)) << x;
        EXPECT_EQ(b.Canvas()->Pixels(2, 1), RGB(10, 20, 30));
        EXPECT_THROW(b.ScanLine(3), Exception);
        EXPECT_THROW(b.ScanLine(-1), Exception);
    }
}

TEST(GraphicsBitmap, TransparentModeAutoFollowsTheCornerFixedKeepsItsColour)
{
    TBitmap glyph(2, 2);
    glyph.Canvas()->SetPixel(0, 1, clFuchsia);
    EXPECT_EQ(glyph.TransparentMode(), TTransparentMode::tmAuto);
    EXPECT_EQ(glyph.TransparentColor(), clFuchsia);
    glyph.Canvas()->SetPixel(0, 1, clLime);
    EXPECT_EQ(glyph.TransparentColor(), clLime) << "auto reads the bottom-left pixel now";

    glyph.SetTransparentMode(TTransparentMode::tmFixed);
    glyph.Canvas()->SetPixel(0, 1, clRed);
    EXPECT_EQ(glyph.TransparentColor(), clLime) << "fixed keeps the colour it had";
    glyph.SetTransparentColor(clBlue);
    EXPECT_EQ(glyph.TransparentMode(), TTransparentMode::tmFixed);
    EXPECT_EQ(glyph.TransparentColor(), clBlue);
    glyph.SetTransparentMode(TTransparentMode::tmAuto);
    EXPECT_EQ(glyph.TransparentColor(), clRed);

    // Drawn transparent in each mode: only the key colour is left out.
    struct Case {
        TTransparentMode mode;
        TColor fixed;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {TTransparentMode::tmAuto, clNone, {"rb", "yb"}},
        {TTransparentMode::tmFixed, clBlue, {"ry", "gy"}},
    };
    for (const Case& c : cases) {
        TBitmap g(2, 2);
        g.Canvas()->SetPixel(0, 0, clRed);
        g.Canvas()->SetPixel(1, 0, clBlue);
        g.Canvas()->SetPixel(1, 1, clBlue);
        g.Canvas()->SetPixel(0, 1, clLime);
        g.SetTransparent(true);
        if (c.mode == TTransparentMode::tmFixed) g.SetTransparentColor(c.fixed);
        Sheet s(2, 2);
        s.C().Brush()->SetColor(clYellow);
        s.C().FillRect(TRect{0, 0, 2, 2});
        s.C().Draw(0, 0, &g);
        EXPECT_EQ(Map(s.bmp, Legend), c.expected) << int(c.mode);
    }
}

// ---- Text background and rotation --------------------------------------------------------

TEST(GraphicsText, OnlyASolidBrushMakesTheTextBackgroundOpaque)
{
    struct Case {
        TBrushStyle style;
        bool opaque;
    };
    for (const Case c : {Case{TBrushStyle::bsSolid, true}, Case{TBrushStyle::bsClear, false},
                         Case{TBrushStyle::bsCross, false}}) {
        Sheet s(120, 40);
        s.C().Font()->SetHeight(-16);
        s.C().Brush()->SetColor(clYellow);
        s.C().Brush()->SetStyle(c.style);
        s.C().TextOut(5, 5, QStringLiteral("Text"));
        const TSize ext = s.C().TextExtent(QStringLiteral("Text"));
        // The cell's top-left and bottom-right corners carry no ink.
        EXPECT_EQ(s.At(5, 5), c.opaque ? clYellow : clWhite) << int(c.style);
        EXPECT_EQ(s.At(5 + ext.cx - 1, 5 + ext.cy - 1), c.opaque ? clYellow : clWhite) << int(c.style);
        EXPECT_FALSE(PaintedBounds(s.bmp, c.opaque ? clYellow : clWhite).IsEmpty()) << "ink " << int(c.style);
    }
}

TEST(GraphicsText, RotatedInkLiesOnTheTurnedSideOfTheStartPoint)
{
    struct Case {
        int tenths;
        bool right, below;   // where the ink lies relative to the start point
        bool tall;           // runs vertically
    };
    const Case cases[] = {
        {0, true, true, false}, {900, true, false, true}, {1800, false, false, false}, {2700, false, true, true},
    };
    const String text = QStringLiteral("Rotated text");
    for (const Case& c : cases) {
        Sheet s(240, 240);
        s.C().Font()->SetHeight(-16);
        s.C().Font()->SetOrientation(c.tenths);
        s.C().Brush()->SetStyle(TBrushStyle::bsClear);
        s.C().TextOut(120, 120, text);
        const TRect ink = PaintedBounds(s.bmp, clWhite);
        ASSERT_FALSE(ink.IsEmpty()) << c.tenths;
        if (c.right) EXPECT_GE(ink.Left, 119) << c.tenths;
        else EXPECT_LE(ink.Right, 121) << c.tenths;
        if (c.below) EXPECT_GE(ink.Top, 119) << c.tenths;
        else EXPECT_LE(ink.Bottom, 121) << c.tenths;
        EXPECT_EQ(ink.Height() > ink.Width(), c.tall) << c.tenths;
        // The cell of a turned text with a solid brush is turned with it.
        Sheet o(240, 240);
        o.C().Font()->SetHeight(-16);
        o.C().Font()->SetOrientation(c.tenths);
        o.C().Brush()->SetColor(clYellow);
        o.C().TextOut(120, 120, text);
        const TRect cell = PaintedBounds(o.bmp, clWhite);
        const TSize ext = o.C().TextExtent(text);
        EXPECT_EQ(c.tall ? cell.Height() : cell.Width(), ext.cx) << c.tenths;
        EXPECT_EQ(c.tall ? cell.Width() : cell.Height(), ext.cy) << c.tenths;
    }
}

TEST(GraphicsText, RightToLeftReadingReordersButKeepsTheStartPoint)
{
    const String text = QStringLiteral("abc!");
    QImage pictures[2];
    for (int rtl = 0; rtl < 2; ++rtl) {
        Sheet s(100, 30);
        s.C().Font()->SetHeight(-16);
        s.C().Brush()->SetStyle(TBrushStyle::bsClear);
        s.C().SetTextFlags(rtl ? ETO_RTLREADING : 0);
        s.C().TextOut(10, 5, text);
        const TRect ink = PaintedBounds(s.bmp, clWhite);
        EXPECT_GE(ink.Left, 10) << rtl;
        EXPECT_LE(ink.Right, 11 + s.C().TextWidth(text)) << rtl;
        pictures[rtl] = s.bmp.Image().copy();
    }
    // The "!" moves from the right end to the left end of the same cell.
    EXPECT_NE(pictures[0], pictures[1]);
}
