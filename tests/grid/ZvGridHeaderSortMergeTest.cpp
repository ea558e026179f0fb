// A header-click sort on a grid whose columns merge runs of equal texts: the runs are split before the
// rows move and merged again over the new order, so no merge ever spans texts that differ.
#include "tests/common/TestSeams.h"

#include "grid/ZvGrid.h"
#include "grid/ZvGridOptions.h"
#include "platform/Forms.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

struct HeaderSortMerge : ::testing::Test {
    TTestSeams seams;
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
    TZvStringGrid* grid = nullptr;

    void SetUp() override
    {
        form->SetBounds(0, 0, 420, 300);
        grid = new TZvStringGrid(form.get());
        grid->SetParent(form.get());
        grid->SetBounds(0, 0, 400, 280);
        grid->SetColCount(3);
        grid->SetRowCount(5);
        grid->SortSettings()->SetShow(true);
        grid->MergedColumns()->Add(1);
        form->Show();
        QApplication::processEvents();
    }
    void Fill(const std::vector<const char*>& merged, const std::vector<const char*>& key)
    {
        for (int r = 1; r < 5; ++r) {
            grid->SetCells(1, r, merged[std::size_t(r - 1)]);
            grid->SetCells(2, r, key[std::size_t(r - 1)]);
        }
        grid->MergeColumnCells(1, true);
    }
    void ClickHeader(int col)
    {
        const TRect r = grid->CellRect(col, 0);
        Simulate::Click(grid, {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2});
    }
    std::vector<String> Column(int col) const
    {
        std::vector<String> texts;
        for (int r = 1; r < 5; ++r) texts.push_back(grid->Cells(col, r));
        return texts;
    }
};

TEST_F(HeaderSortMerge, RunsAreSplitBeforeTheRowsMoveAndMergedOverTheNewOrder)
{
    grid->SortSettings()->SetAutoColumnMerge(true);
    Fill({"A", "A", "B", "B"}, {"3", "1", "4", "2"});
    ASSERT_TRUE(grid->IsMergedCell(1, 2));
    ClickHeader(2);
    EXPECT_EQ(Column(2), (std::vector<String>{"1", "2", "3", "4"}));
    EXPECT_EQ(Column(1), (std::vector<String>{"A", "B", "A", "B"}));
    for (int r = 1; r < 5; ++r) EXPECT_FALSE(grid->IsMergedCell(1, r)) << r;

    Fill({"A", "B", "A", "B"}, {"1", "3", "2", "4"});
    ClickHeader(2);   // the same column again: descending
    EXPECT_EQ(Column(1), (std::vector<String>{"B", "B", "A", "A"}));
    for (int r = 1; r < 5; ++r) EXPECT_TRUE(grid->IsMergedCell(1, r)) << r;
}

TEST_F(HeaderSortMerge, WithoutTheOptionMergesAreLeftAlone)
{
    Fill({"A", "B", "A", "B"}, {"1", "3", "2", "4"});
    ClickHeader(2);
    for (int r = 1; r < 5; ++r) EXPECT_FALSE(grid->IsMergedCell(1, r)) << r;
}

} // namespace
