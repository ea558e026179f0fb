// Cell scroll bars: the one scroll-bar control is laid over the bar of the cell the pointer is on, moves
// that cell's text by lines and pages, reports each move, and stays with its cell while the grid scrolls.
#include "tests/common/TestSeams.h"

#include "grid/ZvGrid.h"
#include "platform/Forms.h"
#include "platform/ScrollBar.h"

#include <QApplication>
#include <QScrollBar>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

struct CellScrollBar : ::testing::Test {
    TTestSeams seams;
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
    TZvStringGrid* grid = nullptr;
    std::vector<std::vector<int>> scrolled;

    void SetUp() override
    {
        form->SetBounds(0, 0, 420, 300);
        grid = new TZvStringGrid(form.get());
        grid->SetParent(form.get());
        grid->SetBounds(0, 0, 400, 280);
        grid->SetColCount(4);
        grid->SetRowCount(30);
        grid->SetDefaultRowHeight(40);
        for (int c = 0; c < 4; ++c) grid->SetColWidths(c, 90);
        grid->AddScrollBar(2, 2, false);
        grid->SetScrollProp(2, 2, 40, 100);
        grid->AddScrollBar(2, 3, false);
        grid->SetScrollProp(2, 3, 200, 100);   // the whole text fits: no control
        grid->OnScrollCell = [this](TObject*, int c, int r, int pos, int lo, int hi) {
            scrolled.push_back({c, r, pos, lo, hi});
        };
        form->Show();
        QApplication::processEvents();
    }
    TScrollBar* Bar() const
    {
        for (int i = 0; i < grid->ComponentCount(); ++i)
            if (auto* bar = dynamic_cast<TScrollBar*>(grid->Components(i)); bar && bar->Parent() == grid) return bar;
        return nullptr;
    }
    TPoint Middle(int c, int r) const
    {
        const TRect rc = grid->CellRect(c, r);
        return {(rc.Left + rc.Right) / 2, (rc.Top + rc.Bottom) / 2};
    }
};

TEST_F(CellScrollBar, ThePointerOverABarCellLaysTheControlOnItsRightEdge)
{
    ASSERT_NE(Bar(), nullptr);
    EXPECT_FALSE(Bar()->Visible());
    Simulate::MouseMove(grid, Middle(2, 2));
    ASSERT_TRUE(Bar()->Visible());
    const TRect cell = grid->CellRect(2, 2);
    const int line = grid->GridLineWidth();
    EXPECT_EQ(Bar()->Left(), cell.Right - 17 - line);
    EXPECT_EQ(Bar()->Top(), cell.Top + line);
    EXPECT_EQ(Bar()->Width(), 17);
    EXPECT_EQ(Bar()->Height(), cell.Height() - 2 * line);
    EXPECT_EQ(Bar()->Max(), 100);
    EXPECT_EQ(Bar()->PageSize(), 40);

    Simulate::MouseMove(grid, Middle(1, 2));   // another cell hides it
    EXPECT_FALSE(Bar()->Visible());
    Simulate::MouseMove(grid, Middle(2, 3));   // a bar whose page holds the whole range gets no control
    EXPECT_FALSE(Bar()->Visible());
}

TEST_F(CellScrollBar, StepsMoveTheCellByLinesAndPagesWithinItsRange)
{
    Simulate::MouseMove(grid, Middle(2, 2));
    QScrollBar* qt = qobject_cast<QScrollBar*>(Bar()->Handle());
    ASSERT_NE(qt, nullptr);
    qt->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    qt->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(grid->GetScrollPosition(2, 2), 20);
    qt->triggerAction(QAbstractSlider::SliderPageStepAdd);   // 120 is past the range: held at 100
    EXPECT_EQ(grid->GetScrollPosition(2, 2), 100);
    qt->triggerAction(QAbstractSlider::SliderPageStepAdd);   // no move, no report
    qt->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(grid->GetScrollPosition(2, 2), 90);
    const std::vector<std::vector<int>> expected = {
        {2, 2, 10, 0, 100}, {2, 2, 20, 0, 100}, {2, 2, 100, 0, 100}, {2, 2, 90, 0, 100}};
    EXPECT_EQ(scrolled, expected);
    EXPECT_EQ(Bar()->Position(), 90);
}

TEST_F(CellScrollBar, TheControlFollowsItsCellAndFoldsAwayOutOfView)
{
    Simulate::MouseMove(grid, Middle(2, 2));
    ASSERT_TRUE(Bar()->Visible());
    grid->SetTopRow(2);
    QApplication::processEvents();
    EXPECT_EQ(Bar()->Top(), grid->CellRect(2, 2).Top + grid->GridLineWidth());
    grid->SetTopRow(10);
    QApplication::processEvents();
    EXPECT_EQ(Bar()->Height(), 0);
}

TEST_F(CellScrollBar, EveryBarCellPaintsItsBarAndTheControlCoversOnlyOne)
{
    const QImage img = grid->PaintToImage();
    const TRect cell = grid->CellRect(2, 3);
    const QRgb window = ColorToRGB(grid->Color()) | 0xFF000000u;
    int inked = 0;
    for (int y = cell.Top + 2; y < cell.Bottom - 2; ++y)
        for (int x = cell.Right - 16; x < cell.Right - 1; ++x) inked += (img.pixel(x, y) | 0xFF000000u) != window;
    EXPECT_GT(inked, 15 * (cell.Height() - 4) / 4);
}

} // namespace
