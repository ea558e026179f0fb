#include "grid/ZvGrid.h"

#include "platform/Forms.h"

#include <gtest/gtest.h>

namespace {

// Column 1 holds the group values, column 2 a label, column 3 a number.
struct TGroupGrid : ::testing::Test {
    TForm form{nullptr};
    TZvStringGrid* grid = nullptr;

    void SetUp() override
    {
        grid = new TZvStringGrid(&form);
        grid->SetParent(&form);
        grid->SortSettings()->SetAutoSortForGrouping(false);
        grid->SetColCount(4);
        Fill({{"A", "a1", "1"}, {"A", "a2", "2"}, {"B", "b1", "6"}});
        grid->SetCellEx(1, 0, "Key");
    }

    void Fill(const std::vector<std::vector<const char*>>& rows)
    {
        grid->SetRowCount(int(rows.size()) + 1);
        for (std::size_t r = 0; r < rows.size(); ++r)
            for (std::size_t c = 0; c < rows[r].size(); ++c) grid->SetCellEx(int(c) + 1, int(r) + 1, rows[r][c]);
    }
};

}  // namespace

TEST_F(TGroupGrid, GroupColumnZeroDoesNothingAndFixedColumnsAreRefused)
{
    grid->SetGroupColumn(0);
    EXPECT_EQ(grid->GroupColumn(), -1);
    EXPECT_EQ(grid->RowCount(), 4);
    grid->Group(0);   // left of the fixed columns
    EXPECT_EQ(grid->NumNodes(), 0);
    grid->SetGroupColumn(1);
    EXPECT_EQ(grid->GroupColumn(), 1);
    grid->SetGroupColumn(-1);
    EXPECT_EQ(grid->GroupColumn(), -1);
    EXPECT_EQ(grid->RowCount(), 4);
}

