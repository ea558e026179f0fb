// Hidden columns and rows: the index mappings, what hiding keeps (texts,
// cell properties, heights, widths) and what showing gives back, moves of
// rows and columns around hidden ones, and the filter levels.
#include "grid/ZvGrid.h"

#include "platform/Forms.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

struct HiddenFixture : ::testing::Test {
    TForm form{nullptr};
    TZvStringGrid* grid = nullptr;

    void SetUp() override
    {
        grid = new TZvStringGrid(&form);
        grid->SetParent(&form);
    }
    // Every cell of the grid, hidden columns included, holds "col:row".
    void Fill()
    {
        for (int r = 0; r < grid->RowCount(); ++r)
            for (int c = 0; c < grid->AllColCount(); ++c) grid->SetCells(c, r, QStringLiteral("%1:%2").arg(c).arg(r));
    }
    // The texts of one column down the shown rows.
    std::vector<QString> Column(int c) const
    {
        std::vector<QString> v;
        for (int r = 0; r < grid->RowCount(); ++r) v.push_back(grid->Cells(c, r));
        return v;
    }
    std::vector<QString> Expected(std::initializer_list<int> rows, int c = 1) const
    {
        std::vector<QString> v;
        for (int r : rows) v.push_back(QStringLiteral("%1:%2").arg(c).arg(r));
        return v;
    }
};

// ---- Columns -------------------------------------------------------------------------------------------

TEST_F(HiddenFixture, HiddenColumnsMapBetweenRealAndDisplayIndexes)
{
    grid->SetColCount(6);
    Fill();
    grid->SetColWidths(2, 90);
    grid->SetColWidths(3, 77);
    grid->HideColumn(2);
    EXPECT_EQ(grid->ColCount(), 5);
    EXPECT_EQ(grid->NumHiddenColumns(), 1);
    EXPECT_EQ(grid->AllColCount(), 6);
    EXPECT_TRUE(grid->IsHiddenColumn(2));
    EXPECT_FALSE(grid->IsHiddenColumn(3));
    struct Map {
        int index, real, displ;
    };
    // Columns past the grid count as shown; past the last that can hide, the
    // mapping goes on past the hidden ones instead of falling back to column 0.
    for (const Map& m : std::vector<Map>{{0, 0, 0}, {1, 1, 1}, {2, 3, 2}, {3, 4, 2}, {4, 5, 3}, {5, 6, 4}, {511, 512, 510}}) {
        EXPECT_EQ(grid->RealColIndex(m.index), m.real) << "display " << m.index;
        EXPECT_EQ(grid->DisplColIndex(m.index), m.displ) << "real " << m.index;
    }
    EXPECT_EQ(grid->RealColIndex(600), 600) << "past the table: passed through";
    EXPECT_EQ(grid->ColWidths(2), 77) << "the next column takes the hidden one's place with its width";
    // Cell access stays by real column.
    EXPECT_EQ(grid->GetCellEx(2, 4), QStringLiteral("2:4"));
    grid->SetCellEx(2, 4, QStringLiteral("still here"));
    EXPECT_EQ(grid->Cells(2, 4), QStringLiteral("still here"));

    grid->HideColumn(3);
    EXPECT_EQ(grid->RealColIndex(2), 4);
    EXPECT_EQ(grid->ColCount(), 4);

    grid->UnHideColumn(2);
    EXPECT_EQ(grid->ColCount(), 5);
    EXPECT_EQ(grid->ColWidths(2), 90) << "the width it had comes back";
    EXPECT_EQ(grid->RealColIndex(3), 4);
    grid->UnHideColumnsAll();
    EXPECT_EQ(grid->NumHiddenColumns(), 0);
    EXPECT_EQ(grid->ColWidths(3), 77);
    EXPECT_EQ(grid->Cells(2, 4), QStringLiteral("still here"));
}

TEST_F(HiddenFixture, ColumnsThatCannotBeHiddenAreLeftAlone)
{
    grid->SetColCount(2);
    grid->HideColumns(0, 1);
    EXPECT_EQ(grid->ColCount(), 1) << "the last shown column stays";
    EXPECT_EQ(grid->NumHiddenColumns(), 1);
    grid->UnHideColumnsAll();

    grid->SetColCount(6);
    EXPECT_FALSE(grid->IsHiddenColumn(600));
    grid->HideColumn(600);
    grid->HideColumn(6);   // past the last real column
    grid->HideColumn(-1);
    EXPECT_EQ(grid->ColCount(), 6);
    EXPECT_EQ(grid->NumHiddenColumns(), 0);
    grid->HideColumn(4);
    grid->HideColumn(4);   // already hidden
    grid->UnHideColumn(3); // shown
    EXPECT_EQ(grid->ColCount(), 5);
    EXPECT_EQ(grid->NumHiddenColumns(), 1);
    // Hiding the last display column while it is current moves the current column left.
    grid->SetCol(4);
    grid->HideColumn(5);
    EXPECT_EQ(grid->Col(), 3);
}

TEST_F(HiddenFixture, MovingAColumnCarriesHiddenColumnsAndHiddenRowsAlong)
{
    grid->SetColCount(6);
    Fill();
    grid->HideColumn(2);
    grid->HideRow(5);
    grid->MoveColumn(1, 3);   // display 1 (real 1) to display 3 (real 4)
    EXPECT_TRUE(grid->IsHiddenColumn(1)) << "the hidden column shifted with its cells";
    EXPECT_EQ(grid->Cells(1, 2), QStringLiteral("2:2"));
    EXPECT_EQ(grid->Cells(4, 2), QStringLiteral("1:2"));
    EXPECT_EQ(grid->Cells(grid->RealColIndex(3), 2), QStringLiteral("1:2")) << "shown where it was dropped";
    grid->UnHideRow(5);
    EXPECT_EQ(grid->Cells(4, 5), QStringLiteral("1:5")) << "the hidden row's texts moved too";
    EXPECT_EQ(grid->Cells(1, 5), QStringLiteral("2:5"));
}

// ---- Rows --------------------------------------------------------------------------------------------------

TEST_F(HiddenFixture, HiddenRowsKeepTextsPropertiesAndHeightsAndComeBackInPlace)
{
    grid->SetColCount(4);
    Fill();
    grid->HideColumn(3);   // its cells travel with the rows too
    TCellProperties* props = grid->GetCellProperties(2, 3);
    props->SetBrushColor(clRed);
    grid->SetRowHeights(4, 40);

    grid->HideRows(3, 4);
    EXPECT_EQ(grid->RowCount(), 8);
    EXPECT_EQ(grid->NumHiddenRows(), 2);
    EXPECT_EQ(grid->TotalRowCount(), 10);
    EXPECT_TRUE(grid->IsHiddenRow(3));
    EXPECT_TRUE(grid->IsHiddenRow(4));
    EXPECT_FALSE(grid->IsHiddenRow(5));
    EXPECT_EQ(grid->RealRowIndex(3), 5);
    EXPECT_EQ(grid->DisplRowIndex(5), 3);
    EXPECT_EQ(grid->RealRowIndex(2), 2);
    EXPECT_EQ(Column(1), Expected({0, 1, 2, 5, 6, 7, 8, 9}));
    EXPECT_EQ(grid->RowHeights(3), grid->DefaultRowHeight());

    grid->UnHideRows(2, 4);
    EXPECT_EQ(grid->NumHiddenRows(), 2) << "row 2 is not hidden: nothing is shown";

    grid->UnHideRows(4, 4);
    EXPECT_EQ(Column(1), Expected({0, 1, 2, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(grid->RowHeights(3), 40);

    grid->UnHideRows(3, 4);
    EXPECT_EQ(grid->NumHiddenRows(), 0);
    EXPECT_EQ(Column(1), Expected({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(grid->GetCellProperties(2, 3), props) << "the same properties are back on their cell";
    EXPECT_EQ(props->BrushColor(), clRed);
    EXPECT_EQ(grid->RowHeights(4), 40);
    EXPECT_EQ(grid->Cells(3, 3), QStringLiteral("3:3")) << "the hidden column's cell came back";
}

TEST_F(HiddenFixture, ShowingARangeWithShownRowsBetweenKeepsThoseRows)
{
    Fill();
    grid->HideRow(3);
    grid->HideRow(5);
    grid->HideRows(6, 7);
    EXPECT_EQ(Column(1), Expected({0, 1, 2, 4, 8, 9}));
    // Rows 3 and 5 come back, row 4 between them stays; 6 and 7 stay hidden.
    grid->UnHideRows(3, 5);
    EXPECT_EQ(Column(1), Expected({0, 1, 2, 3, 4, 5, 8, 9}));
    EXPECT_EQ(grid->RealRowIndex(6), 8);
    grid->UnHideRowsAll();
    EXPECT_EQ(Column(1), Expected({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));

    // Hiding a range that holds hidden rows takes the right shown ones.
    grid->HideRow(4);
    grid->HideRows(3, 6);
    EXPECT_EQ(Column(1), Expected({0, 1, 2, 7, 8, 9}));
    TIntList* cache = nullptr;
    std::vector<bool> hidden;
    for (int r = 0; r < 10; ++r) hidden.push_back(grid->IsHiddenRow(r, cache));
    delete cache;
    EXPECT_EQ(hidden, (std::vector<bool>{false, false, false, true, true, true, true, false, false, false}));
    grid->UnHideRowsAll();
    EXPECT_EQ(Column(1), Expected({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    // Out of range and reversed ranges do nothing.
    grid->HideRows(20, 30);
    grid->HideRows(5, 4);
    EXPECT_EQ(grid->NumHiddenRows(), 0);
}

TEST_F(HiddenFixture, MoveRowsMovesABlockWithItsHeights)
{
    Fill();
    grid->SetRowHeights(2, 33);
    grid->MoveRows(1, 5, 2);
    EXPECT_EQ(Column(1), Expected({0, 3, 4, 1, 2, 5, 6, 7, 8, 9}));
    EXPECT_EQ(grid->RowHeights(4), 33);
    grid->MoveRows(3, 1, 2);   // back up
    EXPECT_EQ(Column(1), Expected({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    grid->MoveRows(8, 20, 5);  // past the end: the last rows stay last
    EXPECT_EQ(Column(1), Expected({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    grid->MoveRows(1, 1, 3);
    grid->MoveRows(1, 4, 0);
    EXPECT_EQ(Column(1), Expected({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
}

// Inserting and removing shown rows keeps the hidden ones between the same
// neighbours: their real indexes follow the rows above them.
TEST_F(HiddenFixture, RowOperationsKeepHiddenRowsBetweenTheirNeighbours)
{
    struct Case {
        const char* what;
        bool insert;
        int row, count;
        std::vector<int> afterShowing;   // column 1's original rows; -1 an inserted empty row
    };
    const Case cases[] = {
        {"insert above the hidden rows", true, 2, 2, {0, 1, -1, -1, 2, 3, 4, 5, 6, 7, 8, 9}},
        {"insert right below them", true, 4, 1, {0, 1, 2, 3, 4, 5, -1, 6, 7, 8, 9}},
        {"insert further down", true, 6, 1, {0, 1, 2, 3, 4, 5, 6, 7, -1, 8, 9}},
        {"remove across them", false, 3, 2, {0, 1, 2, 4, 5, 7, 8, 9}},
        {"remove above them", false, 1, 1, {0, 2, 3, 4, 5, 6, 7, 8, 9}},
        {"remove below them", false, 5, 2, {0, 1, 2, 3, 4, 5, 6, 9}},
        {"remove past the last row", false, 8, 3, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
    };
    for (const Case& k : cases) {
        grid->UnHideRowsAll();
        grid->SetColCount(3);
        grid->SetRowCount(10);
        Fill();
        grid->HideRows(4, 5);   // display rows 0 1 2 3 6 7 8 9
        if (k.insert) grid->InsertRows(k.row, k.count);
        else grid->RemoveRows(k.row, k.count);
        EXPECT_EQ(grid->NumHiddenRows(), 2) << k.what;
        grid->UnHideRowsAll();
        std::vector<QString> expected;
        for (int r : k.afterShowing) expected.push_back(r < 0 ? QString() : QStringLiteral("1:%1").arg(r));
        EXPECT_EQ(Column(1), expected) << k.what;
    }
}

TEST_F(HiddenFixture, AHiddenRowReadsEmptyPastItsKeptTexts)
{
    grid->SetColCount(3);
    Fill();
    grid->HideRow(2);
    grid->SetColCount(5);   // columns the hidden row never had
    EXPECT_EQ(grid->GetCellsEx(1, 2), QStringLiteral("1:2"));
    EXPECT_EQ(grid->GetCellsEx(4, 2), QString());
    EXPECT_EQ(grid->CellObjectByRealRow(4, 2), nullptr);
    grid->SetCellsEx(4, 2, QStringLiteral("late"));
    grid->UnHideRowsAll();
    EXPECT_EQ(grid->Cells(4, 2), QStringLiteral("late"));
    EXPECT_EQ(grid->Cells(1, 2), QStringLiteral("1:2"));
}

TEST_F(HiddenFixture, FilterLevelsHideListedRowsAndUndoTheLastLevel)
{
    Fill();
    grid->GetCellProperties(1, 4)->SetBrushColor(clBlue);
    TIntList odd;
    for (int r = 1; r < 10; r += 2) odd.Add(r);
    odd.Add(99);   // no such row: ignored
    grid->HideRowList(&odd);
    EXPECT_EQ(grid->FilterLevel(), 1);
    EXPECT_EQ(Column(1), Expected({0, 2, 4, 6, 8}));
    // A second level over the rows shown now.
    TIntList second;
    second.Add(2);
    grid->HideRowList(&second);
    EXPECT_EQ(Column(1), Expected({0, 2, 6, 8}));

    grid->UnHideRowList();
    EXPECT_EQ(Column(1), Expected({0, 2, 4, 6, 8}));
    EXPECT_EQ(grid->NumHiddenRows(), 5);
    EXPECT_EQ(grid->GetCellProperties(1, 2)->BrushColor(), clBlue);
}

TEST_F(HiddenFixture, DestroyingAGridWithHiddenRowsFreesTheirProperties)
{
    // Run under the sanitizer build, a leak here fails the test program.
    Fill();
    for (int r = 1; r < 10; ++r) grid->GetCellProperties(2, r)->SetBrushColor(clGreen);
    grid->HideRows(2, 5);
    TIntList rows;
    rows.Add(1);
    grid->HideRowList(&rows);
    grid->UnHideRows(3, 3);
    EXPECT_EQ(grid->NumHiddenRows(), 4);
    // The form frees the grid at the end of the test.
}

}  // namespace
