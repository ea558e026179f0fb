// Colours, fonts and the canvas, checked pixel by pixel on bitmaps.

#include "platform/Graphics.h"
#include "tests/common/TestUtil.h"

#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>
#include <gtest/gtest.h>

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

TEST(GraphicsBitmap, SetSizeStartsAFreshWhitePicture)
{
    TBitmap b(4, 4);
    int changes = 0;
    b.OnChange = [&](TObject*) { ++changes; };
    b.Canvas()->Brush()->SetColor(clBlack);
    b.Canvas()->FillRect(TRect{0, 0, 4, 4});
    b.SetSize(6, 3);
    EXPECT_EQ(b.Width(), 6);
    EXPECT_EQ(b.Height(), 3);
    EXPECT_EQ(b.Canvas()->Pixels(0, 0), clWhite);
    EXPECT_EQ(b.Canvas()->Pixels(5, 2), clWhite);
    // The canvas keeps drawing into the resized picture.
    b.Canvas()->FillRect(TRect{5, 2, 6, 3});
    EXPECT_EQ(b.Canvas()->Pixels(5, 2), clBlack);
    b.SetWidth(0);
    EXPECT_TRUE(b.Empty());
    EXPECT_GE(changes, 2);
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
        {"png-named.bmp", pngBytes},
    };
    for (const auto& [name, content] : broken) {
        dir.Write(QString::fromLatin1(name), content);
        TBitmap x(3, 3);
        EXPECT_FALSE(x.LoadFromFile(dir.File(QString::fromLatin1(name)))) << name;
        EXPECT_TRUE(x.Empty()) << name;
    }
    TBitmap missing(2, 2);
    EXPECT_FALSE(missing.LoadFromFile(dir.File("missing.bmp")));
    EXPECT_TRUE(missing.Empty());
}
