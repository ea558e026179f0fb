// Frame controls, 3-D edges, 3-D frames and gradients, probed pixel by pixel.

#include "platform/FrameControls.h"
#include "tests/common/TestUtil.h"
#include "tests/platform/PaintBoard.h"

#include <QImage>
#include <gtest/gtest.h>

#include <set>
#include <tuple>

namespace {


TColor Rgb(TColor c) { return ColorToRGB(c); }

struct Case {
    const char* name;
    unsigned kind;
    unsigned state;
};

const Case FrameControls[] = {
    {"check", DFC_BUTTON, DFCS_BUTTONCHECK},
    {"check checked", DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED},
    {"check 3-state", DFC_BUTTON, DFCS_BUTTON3STATE | DFCS_CHECKED},
    {"check pushed", DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_PUSHED},
    {"check inactive", DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_INACTIVE},
    {"check flat", DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_FLAT},
    {"check mono", DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_MONO},
    {"radio", DFC_BUTTON, DFCS_BUTTONRADIO},
    {"radio checked", DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_CHECKED},
    {"radio inactive", DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_CHECKED | DFCS_INACTIVE},
    {"radio flat", DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_CHECKED | DFCS_FLAT},
    {"radio mono", DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_CHECKED | DFCS_MONO},
    {"radio mask", DFC_BUTTON, DFCS_BUTTONRADIOMASK},
    {"push", DFC_BUTTON, DFCS_BUTTONPUSH},
    {"push pushed", DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_PUSHED},
    {"push checked", DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_CHECKED},
    {"push inactive", DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_INACTIVE},
    {"push flat", DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_FLAT},
    {"push mono", DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_MONO},
    {"combo", DFC_SCROLL, DFCS_SCROLLCOMBOBOX},
    {"combo pushed", DFC_SCROLL, DFCS_SCROLLCOMBOBOX | DFCS_PUSHED},
    {"combo inactive", DFC_SCROLL, DFCS_SCROLLCOMBOBOX | DFCS_INACTIVE},
    {"combo flat", DFC_SCROLL, DFCS_SCROLLCOMBOBOX | DFCS_FLAT},
    {"up", DFC_SCROLL, DFCS_SCROLLUP},
    {"down", DFC_SCROLL, DFCS_SCROLLDOWN},
    {"left", DFC_SCROLL, DFCS_SCROLLLEFT},
    {"right", DFC_SCROLL, DFCS_SCROLLRIGHT},
    {"up pushed", DFC_SCROLL, DFCS_SCROLLUP | DFCS_PUSHED},
    {"right inactive", DFC_SCROLL, DFCS_SCROLLRIGHT | DFCS_INACTIVE},
    {"size grip", DFC_SCROLL, DFCS_SCROLLSIZEGRIP},
    {"close", DFC_CAPTION, DFCS_CAPTIONCLOSE},
    {"min", DFC_CAPTION, DFCS_CAPTIONMIN},
    {"max", DFC_CAPTION, DFCS_CAPTIONMAX},
    {"restore", DFC_CAPTION, DFCS_CAPTIONRESTORE},
    {"help", DFC_CAPTION, DFCS_CAPTIONHELP},
    {"close pushed", DFC_CAPTION, DFCS_CAPTIONCLOSE | DFCS_PUSHED},
    {"close inactive", DFC_CAPTION, DFCS_CAPTIONCLOSE | DFCS_INACTIVE},
};

} // namespace

TEST(FrameControlsTest, EveryKindPaintsInsideItsRectangleOnly)
{
    for (const Case& c : FrameControls) {
        for (const TRect r : {TRect{5, 5, 18, 18}, TRect{3, 4, 30, 20}, TRect{6, 2, 17, 29}}) {
            SCOPED_TRACE(c.name);
            Board b(36, 32);
            TRect rect = r;
            EXPECT_TRUE(DrawFrameControl(b.C(), rect, c.kind, c.state));
            EXPECT_GT(b.Changed(r), r.Width() * r.Height() / 4);
            EXPECT_EQ(b.Outside(r), 0);
            EXPECT_EQ(rect, r) << "only a push button with DFCS_ADJUSTRECT moves the rectangle";
        }
    }
}

TEST(FrameControlsTest, CheckBoxInkFollowsItsState)
{
    struct Row {
        unsigned state;
        TColor face;   // just inside the frame
        TColor mark;   // ink of the tick, clNone for none
    };
    const Row rows[] = {
        {0, clWindow, clNone},
        {DFCS_CHECKED, clWindow, clWindowText},
        {DFCS_PUSHED, clBtnFace, clNone},
        {DFCS_CHECKED | DFCS_INACTIVE, clBtnFace, clBtnShadow},
        {DFCS_CHECKED | DFCS_BUTTON3STATE, clNone, clBtnShadow},   // face: a checkerboard
        {DFCS_CHECKED | DFCS_FLAT, clWindow, clWindowText},
        {DFCS_CHECKED | DFCS_MONO, clWindow, clWindowText},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.state);
        Board b(13, 13);
        TRect r{0, 0, 13, 13};
        DrawFrameControl(b.C(), r, DFC_BUTTON, DFCS_BUTTONCHECK | row.state);
        const int ring = (row.state & (DFCS_FLAT | DFCS_MONO)) ? 1 : 2;
        if (row.face != clNone) {
            EXPECT_EQ(b.At(ring, ring), Rgb(row.face));
        } else {
            EXPECT_NE(b.At(ring, ring), b.At(ring + 1, ring));
        }
        const TRect middle{4, 4, 9, 9};
        if (row.mark == clNone) {
            EXPECT_EQ(b.Count(middle, row.face), 25);
        } else {
            EXPECT_GE(b.Count(middle, row.mark), 8);
        }
        const TColor outer = (row.state & DFCS_MONO) ? clWindowFrame : clBtnShadow;
        EXPECT_EQ(b.At(0, 6), Rgb(outer)) << "the frame's left side";
    }
}

TEST(FrameControlsTest, CheckedBoxShowsTheTick)
{
    Board b(13, 13);
    TRect r{0, 0, 13, 13};
    DrawFrameControl(b.C(), r, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
    std::vector<std::string> rows;
    // The button highlight and the window are both white: '.'.
    const std::pair<TColor, char> legend[] = {{Rgb(clBtnShadow), 's'}, {Rgb(cl3DDkShadow), 'd'},
                                              {Rgb(cl3DLight), 'l'},   {Rgb(clWindow), '.'},
                                              {Rgb(clWindowText), '#'}};
    for (int y = 0; y < 13; ++y) {
        std::string line;
        for (int x = 0; x < 13; ++x) {
            char ch = '?';
            for (const auto& [color, letter] : legend)
                if (b.At(x, y) == color) ch = letter;
            line += ch;
        }
        rows.push_back(line);
    }
    const std::vector<std::string> expected = {
        "ssssssssssss.",
        "sddddddddddl.",
        "sd.........l.",
        "sd.......#.l.",
        "sd......##.l.",
        "sd.#...###.l.",
        "sd.##.###..l.",
        "sd.#####...l.",
        "sd..###....l.",
        "sd...#.....l.",
        "sd.........l.",
        "slllllllllll.",
        ".............",
    };
    EXPECT_EQ(rows, expected);
}

TEST(FrameControlsTest, RadioDotOnlyWhenChecked)
{
    for (const unsigned extra : {0u, DFCS_FLAT, DFCS_MONO, DFCS_INACTIVE}) {
        SCOPED_TRACE(extra);
        Board off(12, 12), on(12, 12);
        TRect r{0, 0, 12, 12};
        DrawFrameControl(off.C(), r, DFC_BUTTON, DFCS_BUTTONRADIO | extra);
        DrawFrameControl(on.C(), r, DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_CHECKED | extra);
        const TColor dot = (extra & DFCS_INACTIVE) ? clBtnShadow : clWindowText;
        const TColor face = (extra & DFCS_INACTIVE) ? clBtnFace : clWindow;
        EXPECT_EQ(on.Count({5, 5, 7, 7}, dot), 4);
        EXPECT_EQ(off.Count({5, 5, 7, 7}, face), 4);
        // Round: the corners of the square stay as they were.
        for (const TPoint p : {TPoint{0, 0}, TPoint{11, 0}, TPoint{0, 11}, TPoint{11, 11}})
            EXPECT_EQ(on.At(p.X, p.Y), Untouched);
    }
    // Lit from the top left, shaded at the bottom right.
    Board b(12, 12);
    TRect r{0, 0, 12, 12};
    DrawFrameControl(b.C(), r, DFC_BUTTON, DFCS_BUTTONRADIO);
    EXPECT_EQ(b.At(5, 0), Rgb(clBtnShadow));
    EXPECT_EQ(b.At(6, 11), Rgb(clBtnHighlight));
}

TEST(FrameControlsTest, PushButtonRaisedOrPushedAndAdjustedRect)
{
    struct Row {
        unsigned state;
        TColor topLeft, bottomRight;
        int inset;   // with DFCS_ADJUSTRECT
    };
    const Row rows[] = {
        {0, clBtnHighlight, cl3DDkShadow, 2},
        {DFCS_PUSHED, cl3DDkShadow, clBtnHighlight, 2},
        {DFCS_FLAT, clBtnShadow, clBtnShadow, 1},
        {DFCS_MONO, clWindowFrame, clWindowFrame, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.state);
        Board b(40, 20);
        TRect r{2, 2, 38, 18};
        DrawFrameControl(b.C(), r, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | row.state);
        EXPECT_EQ(b.At(2, 10), Rgb(row.topLeft));
        EXPECT_EQ(b.At(20, 2), Rgb(row.topLeft));
        EXPECT_EQ(b.At(37, 10), Rgb(row.bottomRight));
        EXPECT_EQ(b.At(20, 17), Rgb(row.bottomRight));
        EXPECT_EQ(r, (TRect{2 + row.inset, 2 + row.inset, 38 - row.inset, 18 - row.inset}));
        EXPECT_EQ(b.At(20, 10), Rgb((row.state & DFCS_MONO) ? clWindow : clBtnFace));
    }
    // DFCS_TRANSPARENT leaves the face alone.
    Board b(40, 20);
    TRect r{2, 2, 38, 18};
    DrawFrameControl(b.C(), r, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_TRANSPARENT);
    EXPECT_EQ(b.At(20, 10), Untouched);
}

TEST(FrameControlsTest, ArrowsPointTheirWayAndMoveWhenPushed)
{
    // The extent of the ink across the arrow, line by line along its axis.
    auto widths = [](Board& b, const TRect& r, bool alongY) {
        std::vector<int> w;
        for (int i = alongY ? r.Top : r.Left; i < (alongY ? r.Bottom : r.Right); ++i) {
            const TRect line = alongY ? TRect{r.Left, i, r.Right, i + 1} : TRect{i, r.Top, i + 1, r.Bottom};
            const int n = b.Count(line, clBtnText);
            if (n) w.push_back(n);
        }
        return w;
    };
    struct Row {
        unsigned part;
        bool alongY;
        bool growing;   // lines widen from the first to the last
    };
    const Row rows[] = {{DFCS_SCROLLUP, true, true},
                        {DFCS_SCROLLDOWN, true, false},
                        {DFCS_SCROLLCOMBOBOX, true, false},
                        {DFCS_SCROLLLEFT, false, true},
                        {DFCS_SCROLLRIGHT, false, false}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.part);
        Board b(17, 17);
        TRect r{0, 0, 17, 17};
        DrawFrameControl(b.C(), r, DFC_SCROLL, row.part);
        const std::vector<int> w = widths(b, r, row.alongY);
        ASSERT_EQ(w.size(), 4u);
        EXPECT_EQ(row.growing ? w.back() : w.front(), 7);
        EXPECT_EQ(row.growing ? w.front() : w.back(), 1);
    }
    // Pushed: the same arrow one pixel down and right; inactive: embossed, no text colour.
    Board up(17, 17), pushed(17, 17), inactive(17, 17);
    TRect r{0, 0, 17, 17};
    DrawFrameControl(up.C(), r, DFC_SCROLL, DFCS_SCROLLUP);
    DrawFrameControl(pushed.C(), r, DFC_SCROLL, DFCS_SCROLLUP | DFCS_PUSHED);
    DrawFrameControl(inactive.C(), r, DFC_SCROLL, DFCS_SCROLLUP | DFCS_INACTIVE);
    for (int y = 2; y < 15; ++y)
        for (int x = 2; x < 15; ++x) EXPECT_EQ(up.At(x, y) == Rgb(clBtnText), pushed.At(x + 1, y + 1) == Rgb(clBtnText));
    EXPECT_EQ(inactive.Count(r, clBtnText), 0);
    EXPECT_EQ(inactive.Count({2, 2, 15, 15}, clBtnShadow), 16);
}

TEST(FrameControlsTest, UnknownKindsDrawNothing)
{
    Board b(16, 16);
    TRect r{0, 0, 16, 16};
    EXPECT_FALSE(DrawFrameControl(b.C(), r, DFC_MENU, 0));
    EXPECT_FALSE(DrawFrameControl(b.C(), r, 99, 0));
    EXPECT_FALSE(DrawFrameControl(b.C(), r, DFC_SCROLL, 0x7));
    EXPECT_FALSE(DrawFrameControl(b.C(), r, DFC_CAPTION, 0x9));
    EXPECT_EQ(b.Changed(r), 0);
    // A canvas with nowhere to draw.
    TCanvas nowhere;
    EXPECT_FALSE(DrawFrameControl(nowhere, r, DFC_BUTTON, DFCS_BUTTONCHECK));
    EXPECT_FALSE(DrawEdge(nowhere, r, EDGE_RAISED, BF_RECT));
}

TEST(FrameControlsTest, EdgeColoursPerKind)
{
    struct Row {
        const char* name;
        unsigned edge, flags;
        TColor outerTL, innerTL, innerBR, outerBR;
    };
    const Row rows[] = {
        {"raised", EDGE_RAISED, 0, cl3DLight, clBtnHighlight, clBtnShadow, cl3DDkShadow},
        {"raised soft", EDGE_RAISED, BF_SOFT, clBtnHighlight, cl3DLight, clBtnShadow, cl3DDkShadow},
        {"sunken", EDGE_SUNKEN, 0, clBtnShadow, cl3DDkShadow, cl3DLight, clBtnHighlight},
        {"etched", EDGE_ETCHED, 0, clBtnShadow, clBtnHighlight, clBtnShadow, clBtnHighlight},
        {"bump", EDGE_BUMP, 0, cl3DLight, cl3DDkShadow, cl3DLight, cl3DDkShadow},
        {"flat", EDGE_RAISED, BF_FLAT, clBtnShadow, clBtnFace, clBtnFace, clBtnShadow},
        {"mono", EDGE_SUNKEN, BF_MONO, clWindowFrame, clWindow, clWindow, clWindowFrame},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Board b(20, 20);
        TRect r{0, 0, 20, 20};
        EXPECT_TRUE(DrawEdge(b.C(), r, row.edge, BF_RECT | row.flags));
        EXPECT_EQ(b.At(0, 10), Rgb(row.outerTL));
        EXPECT_EQ(b.At(10, 0), Rgb(row.outerTL));
        EXPECT_EQ(b.At(1, 10), Rgb(row.innerTL));
        EXPECT_EQ(b.At(18, 10), Rgb(row.innerBR));
        EXPECT_EQ(b.At(10, 19), Rgb(row.outerBR));
        // The shaded side owns the far corners.
        EXPECT_EQ(b.At(19, 0), Rgb(row.outerBR));
        EXPECT_EQ(b.At(0, 19), Rgb(row.outerBR));
        EXPECT_EQ(b.At(10, 10), Untouched) << "no middle without BF_MIDDLE";
    }
}

TEST(FrameControlsTest, EdgeSidesMiddleAndAdjust)
{
    struct Row {
        unsigned edge, flags;
        TRect adjusted;
        TColor middle;
    };
    const TRect r0{2, 2, 22, 12};
    const Row rows[] = {
        {EDGE_RAISED, BF_RECT | BF_ADJUST, {4, 4, 20, 10}, Untouched},
        {BDR_SUNKENOUTER, BF_RECT | BF_ADJUST | BF_MIDDLE, {3, 3, 21, 11}, clBtnFace},
        {EDGE_SUNKEN, BF_LEFT | BF_TOP | BF_ADJUST, {4, 4, 22, 12}, Untouched},
        {EDGE_SUNKEN, BF_BOTTOM | BF_ADJUST | BF_MIDDLE | BF_MONO, {2, 2, 22, 10}, clWindow},
        {EDGE_RAISED, BF_RECT | BF_MIDDLE, r0, clBtnFace},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.flags);
        Board b(24, 14);
        TRect r = r0;
        DrawEdge(b.C(), r, row.edge, row.flags);
        EXPECT_EQ(r, row.adjusted);
        EXPECT_EQ(b.At(12, 7), row.middle == Untouched ? Untouched : Rgb(row.middle));
        EXPECT_EQ(b.Outside(r0), 0);
        // Sides not named stay unpainted.
        if (!(row.flags & BF_RIGHT)) {
            EXPECT_EQ(b.At(21, 7), row.middle == Untouched ? Untouched : Rgb(row.middle));
        }
        if (!(row.flags & BF_TOP)) {
            EXPECT_NE(b.At(12, 2), Rgb(cl3DDkShadow));
        }
    }
}

TEST(FrameControlsTest, EdgeKeepsTheCanvasTools)
{
    Board b(20, 20);
    b.C().Pen()->SetColor(clRed);
    b.C().Pen()->SetMode(TPenMode::pmXor);
    b.C().Brush()->SetColor(clLime);
    b.C().Brush()->SetStyle(TBrushStyle::bsCross);
    TRect r{0, 0, 20, 20};
    DrawEdge(b.C(), r, EDGE_RAISED, BF_RECT | BF_MIDDLE);
    // The edge itself is painted plainly, not in the canvas's XOR mode.
    EXPECT_EQ(b.At(0, 0), Rgb(cl3DLight));
    DrawFrameControl(b.C(), r, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
    EXPECT_EQ(b.C().Pen()->Color(), clRed);
    EXPECT_EQ(b.C().Pen()->Mode(), TPenMode::pmXor);
    EXPECT_EQ(b.C().Brush()->Color(), clLime);
    EXPECT_EQ(b.C().Brush()->Style(), TBrushStyle::bsCross);
}

TEST(FrameControlsTest, DiagonalEdgeRunsCornerToCorner)
{
    struct Row {
        unsigned flags;
        TPoint from, to;
    };
    const Row rows[] = {{BF_DIAGONAL | BF_TOP | BF_RIGHT, {0, 9}, {9, 0}},
                        {BF_DIAGONAL | BF_BOTTOM | BF_RIGHT, {0, 0}, {9, 9}},
                        {BF_DIAGONAL | BF_TOP | BF_LEFT, {9, 9}, {0, 0}},
                        {BF_DIAGONAL | BF_BOTTOM | BF_LEFT, {9, 0}, {0, 9}}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.flags);
        Board b(10, 10);
        TRect r{0, 0, 10, 10};
        DrawEdge(b.C(), r, BDR_RAISEDOUTER, row.flags);
        EXPECT_NE(b.At(row.from.X, row.from.Y), Untouched);
        EXPECT_NE(b.At(row.from.X + (row.to.X - row.from.X) * 4 / 9, row.from.Y + (row.to.Y - row.from.Y) * 4 / 9), Untouched);
        // The other diagonal's ends stay clear.
        EXPECT_EQ(b.At(row.from.X, row.to.Y), Untouched);
        EXPECT_EQ(b.At(row.to.X, row.from.Y), Untouched);
        EXPECT_EQ(r, (TRect{0, 0, 10, 10}));
    }
}

TEST(FrameControlsTest, Frame3DRingsShrinkTheRectangle)
{
    Board b(10, 10);
    TRect r{0, 0, 10, 10};
    Frame3D(b.C(), r, clWhite, clBlack, 2);
    EXPECT_EQ(r, (TRect{2, 2, 8, 8}));
    EXPECT_EQ(b.At(1, 5), clWhite);
    EXPECT_EQ(b.At(5, 0), clWhite);
    EXPECT_EQ(b.At(8, 5), clBlack);
    EXPECT_EQ(b.At(0, 9), clBlack);
    EXPECT_EQ(b.At(9, 0), clBlack);
    EXPECT_EQ(b.At(5, 5), Untouched);
    // A frame wider than the rectangle stops when it is used up.
    TRect small{0, 0, 3, 3};
    Frame3D(b.C(), small, clWhite, clBlack, 5);
    EXPECT_TRUE(small.IsEmpty());
}

TEST(FrameControlsTest, GradientBandsRunFromEndToEnd)
{
    struct Row {
        bool vertical;
        int bands;
        int distinct;   // colours along the gradient
    };
    const Row rows[] = {{false, 0, 40}, {true, 0, 20}, {false, 5, 5}, {true, 4, 4}, {false, 1, 1}, {true, 100, 20}};
    const TColor from = RGB(0, 100, 200), to = RGB(250, 50, 0);
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.vertical << " " << row.bands);
        Board b(44, 24);
        const TRect r{2, 2, 42, 22};
        GradientFillRect(b.C(), r, from, to, row.vertical, row.bands);
        EXPECT_EQ(b.Outside(r), 0);
        EXPECT_EQ(b.Changed(r), 40 * 20);
        std::set<TColor> along;
        for (int i = 0; i < (row.vertical ? 20 : 40); ++i) {
            const TColor c = row.vertical ? b.At(10, 2 + i) : b.At(2 + i, 10);
            along.insert(c);
            // Constant across the gradient.
            EXPECT_EQ(c, row.vertical ? b.At(41, 2 + i) : b.At(2 + i, 21));
        }
        EXPECT_EQ(int(along.size()), row.distinct);
        EXPECT_EQ(b.At(2, 2), from);
        if (row.distinct > 1) {
            EXPECT_EQ(b.At(41, 21), to);
        }
    }
}

TEST(FrameControlsTest, GradientWithoutOneColourIsSolid)
{
    for (const auto& [from, to, expected] : {std::tuple{clNone, clBtnFace, clBtnFace},
                                             std::tuple{clBlue, clNone, clBlue}}) {
        Board b(10, 10);
        GradientFillRect(b.C(), {0, 0, 10, 10}, from, to, true, 8);
        EXPECT_EQ(b.Count({0, 0, 10, 10}, expected), 100);
    }
    Board b(10, 10);
    GradientFillRect(b.C(), {0, 0, 10, 10}, clNone, clNone, false);
    EXPECT_EQ(b.Changed({0, 0, 10, 10}), 0);
    // System colours are resolved, so the ends are the palette's.
    GradientFillRect(b.C(), {0, 0, 10, 10}, clBtnFace, clWindowText, false, 3);
    EXPECT_EQ(b.At(0, 5), Rgb(clBtnFace));
    EXPECT_EQ(b.At(9, 5), Rgb(clWindowText));
}

TEST(FrameControlsTest, SheetOfEveryFrameControl)
{
    const int cell = 34, perRow = 8;
    const int sizes[] = {13, 17, 24};
    const int count = int(std::size(FrameControls));
    const int rows = (count + perRow - 1) / perRow;
    Board b(perRow * cell * 3 + 10, rows * cell + 120);
    b.C().Brush()->SetColor(clBtnFace);
    b.C().FillRect({0, 0, b.bmp.Width(), b.bmp.Height()});
    for (int i = 0; i < count; ++i) {
        for (int s = 0; s < 3; ++s) {
            const int side = sizes[s];
            const int x = 5 + ((i % perRow) * 3 + s) * cell, y = 5 + (i / perRow) * cell;
            const bool wide = FrameControls[i].kind == DFC_BUTTON && (FrameControls[i].state & DFCS_BUTTONPUSH);
            TRect r{x, y, x + (wide ? cell - 4 : side), y + side};
            DrawFrameControl(b.C(), r, FrameControls[i].kind, FrameControls[i].state);
        }
    }
    // Edges and gradients below.
    const unsigned edges[] = {EDGE_RAISED, EDGE_SUNKEN, EDGE_ETCHED, EDGE_BUMP, BDR_RAISEDINNER, BDR_SUNKENOUTER};
    int x = 5;
    const int y = rows * cell + 10;
    for (const unsigned edge : edges)
        for (const unsigned flags : {0u, BF_SOFT, BF_FLAT, BF_MONO}) {
            TRect r{x, y, x + 22, y + 22};
            DrawEdge(b.C(), r, edge, BF_RECT | BF_MIDDLE | flags);
            x += 26;
        }
    TRect diag{x, y, x + 22, y + 22};
    DrawEdge(b.C(), diag, EDGE_RAISED, BF_DIAGONAL | BF_TOP | BF_RIGHT);
    GradientFillRect(b.C(), {5, y + 30, 305, y + 50}, clNavy, clWhite, false);
    GradientFillRect(b.C(), {5, y + 55, 305, y + 75}, clBtnFace, clGray, false, 8);
    GradientFillRect(b.C(), {320, y + 30, 360, y + 100}, clRed, clYellow, true, 16);
    const String path = ScreenshotFolder() + QStringLiteral("/frame-controls.png");
    ASSERT_TRUE(b.bmp.Image().save(path));
}
