// The grid's measuring routines: the text offsets, lines per row, the cell
// range to repaint, and where a turned text starts so that its box sits in
// the cell as the alignments say.

#include "tests/grid/services/GridOnForm.h"
#include "tests/common/TestUtil.h"

#include "grid/ZvGrid.h"
#include "grid/support/ZvGridUtil.h"
#include "platform/Forms.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>

namespace {

struct GridMeasure : GridOnForm {
    void SetUp() override
    {
        ShowGrid(480, 360);
        grid->SetColCount(5);
    }
};

TEST_F(GridMeasure, TextOffsetsCountOnceOrTwice)
{
    grid->SetXYOffset({2, 3});
    grid->SetXYOffsetTopLeftOnly(false);
    EXPECT_EQ(grid->TotalXOffset(), 4);
    EXPECT_EQ(grid->TotalYOffset(), 6);
    grid->SetXYOffsetTopLeftOnly(true);
    EXPECT_EQ(grid->TotalXOffset(), 2);
    EXPECT_EQ(grid->TotalYOffset(), 3);
}

TEST_F(GridMeasure, RowLinesCountTheShownCellsOnly)
{
    grid->SetCells(1, 1, "one");
    grid->SetCells(2, 1, "one\r\ntwo");
    grid->SetCells(3, 1, "a\r\nb\r\nc");
    grid->SetCells(4, 1, "1\r\n2\r\n3\r\n4");
    grid->SetMultilinecells(true);
    EXPECT_EQ(grid->RowLineCount(1), 4);
    grid->HideColumn(4);
    EXPECT_EQ(grid->RowLineCount(1), 3);
    EXPECT_EQ(grid->RowLineCount(2), 1);
    grid->SetMultilinecells(false);
    EXPECT_EQ(grid->RowLineCount(1), 1);
}

TEST_F(GridMeasure, InvalidatingACellRangeTakesNoHandleFault)
{
    grid->InvalidateCellRange(TGridRect{1, 1, 1, 1});
    grid->InvalidateCellRange(TGridRect{1, 1, 3, 4});
    SUCCEED();
}

// Where the corners of a text turned by `angle` lie around its start point,
// in screen coordinates (y down): the text runs along (cos, -sin) and its
// height along (sin, cos).
struct TBox {
    double MinX, MaxX, MinY, MaxY;
};
TBox TurnedBox(int angle, double w, double h)
{
    const double a = angle * std::numbers::pi / 180.0;
    const double xs[] = {0, w * std::cos(a), h * std::sin(a), w * std::cos(a) + h * std::sin(a)};
    const double ys[] = {0, -w * std::sin(a), h * std::cos(a), -w * std::sin(a) + h * std::cos(a)};
    return {*std::min_element(std::begin(xs), std::end(xs)), *std::max_element(std::begin(xs), std::end(xs)),
            *std::min_element(std::begin(ys), std::end(ys)), *std::max_element(std::begin(ys), std::end(ys))};
}

TEST(RotatedTextOrigin, TheTurnedBoxSitsAsTheAlignmentsSay)
{
    const double W = 61, H = 15;
    const TRect cell(10, 20, 210, 140);
    for (int angle : {0, 45, 90, 135, 180, 225, 270, 315}) {
        const double a = angle * std::numbers::pi / 180.0;
        const int CW = std::abs(int(std::cos(a) * W)), SH = std::abs(int(std::sin(a) * H));
        const int SW = std::abs(int(std::sin(a) * W)), CH = std::abs(int(std::cos(a) * H));
        // The box the origin rule works with: the truncated extents.
        const TBox box = TurnedBox(angle, std::hypot(CW, SW), std::hypot(SH, CH));
        for (int ha = 0; ha < 3; ++ha) {
            for (int va = 0; va < 3; ++va) {
                TRect r = cell;
                RotatedTextOrigin(r, ha, va, angle, CH, SW, SH, CW);
                EXPECT_EQ(r.Right, cell.Right);
                EXPECT_EQ(r.Bottom, cell.Bottom);
                const double left = r.Left + box.MinX, right = r.Left + box.MaxX;
                const double top = r.Top + box.MinY, bottom = r.Top + box.MaxY;
                const auto where = ::testing::Message() << "angle " << angle << " h " << ha << " v " << va;
                switch (ha) {
                case 0: EXPECT_NEAR(left, cell.Left, 1.01) << where; break;
                case 1: EXPECT_NEAR(right, cell.Right, 1.01) << where; break;
                default: EXPECT_NEAR(left - cell.Left, cell.Right - right, 2.01) << where;
                }
                switch (va) {
                case 0: EXPECT_NEAR(top, cell.Top, 1.01) << where; break;
                case 2: EXPECT_NEAR(bottom, cell.Bottom, 1.01) << where; break;
                default: EXPECT_NEAR(top - cell.Top, cell.Bottom - bottom, 2.01) << where;
                }
            }
        }
    }
}

TEST_F(GridMeasure, RotatedTextStartsInsideTheCellsInset)
{
    TCanvas& c = *grid->Canvas();
    c.Font()->Assign(grid->Font());
    const TSize e = c.TextExtent("up" + String(u'w'));
    const TRect cell(10, 20, 210, 120);
    TRect r = cell;
    grid->RotatedTextRect(r, 0, "up", TAlignment::taLeftJustify, TVAlignment::vtaTop);
    EXPECT_EQ(r.Left, 12);
    EXPECT_EQ(r.Top, 22);
    // Upright at 90 degrees the text reads upward from its start, one text width below the inset top.
    r = cell;
    grid->RotatedTextRect(r, 90, "up", TAlignment::taLeftJustify, TVAlignment::vtaTop);
    EXPECT_EQ(r.Left, 12);
    EXPECT_EQ(r.Top, 22 + e.cx);
}

}   // namespace
