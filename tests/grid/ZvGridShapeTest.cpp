// Row and column insertion and removal, clearing, row colours, cell
// controls, calculations and column fitting of the string grid.

#include "grid/ZvGrid.h"

#include "platform/Forms.h"
#include "platform/StdCtrls.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Records every change report the operations make.
class TReportingGrid : public TZvStringGrid {
public:
    using TZvStringGrid::TZvStringGrid;
    std::vector<TRect>* Changes = nullptr;
    void FireCellsChanged(TRect R) override
    {
        if (Changes) Changes->push_back(R);
        TZvStringGrid::FireCellsChanged(R);
    }
};

struct ShapeTest : ::testing::Test {
    TForm form{nullptr};
    TReportingGrid* grid = nullptr;
    std::vector<TRect> changes;

    void SetUp() override
    {
        grid = new TReportingGrid(&form);
        grid->SetParent(&form);
        grid->SetBounds(0, 0, 500, 300);
        grid->Changes = &changes;
    }

    // Rows labelled by their original index: cell (c, r) holds "c:r".
    void Fill(int cols, int rows)
    {
        grid->SetColCount(cols);
        grid->SetRowCount(rows);
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < cols; ++c) grid->SetCellEx(c, r, QStringLiteral("%1:%2").arg(c).arg(r));
        changes.clear();
    }

    std::vector<String> ColumnTexts(int c)
    {
        std::vector<String> out;
        for (int r = 0; r < grid->RowCount(); ++r) out.push_back(grid->GetCellEx(c, r));
        return out;
    }
};

TEST_F(ShapeTest, RemoveRowsMovesTheRowsBelowWithTheirHeights)
{
    Fill(3, 10);
    grid->SetRowHeights(6, 40);
    grid->SetColors(1, 3, clRed);
    grid->RemoveRows(2, 3);
    ASSERT_EQ(grid->RowCount(), 7);
    EXPECT_EQ(ColumnTexts(1), (std::vector<String>{"1:0", "1:1", "1:5", "1:6", "1:7", "1:8", "1:9"}));
    EXPECT_EQ(grid->RowHeights(3), 40) << "row 6 moved up to 3 with its height";
    EXPECT_EQ(grid->GetColors(1, 3), clNone) << "the removed row's properties went with it";
    ASSERT_FALSE(changes.empty());
    EXPECT_EQ(changes.back(), (TRect{0, 2, 2, 5}));
    // Nothing of the removed rows stays behind in the store.
    grid->SetRowCount(10);
    EXPECT_EQ(grid->GetCellEx(1, 8), "");
}

TEST_F(ShapeTest, RemoveRowsGuardsItsRange)
{
    struct Case {
        int index, count;
        std::vector<String> col0;
    } cases[] = {
        {5, 1, {"0:0", "0:1", "0:2", "0:3", "0:4"}},   // past the last row: nothing
        {6, 2, {"0:0", "0:1", "0:2", "0:3", "0:4"}},
        {3, 0, {"0:0", "0:1", "0:2", "0:3", "0:4"}},
        {3, -2, {"0:0", "0:1", "0:2", "0:3", "0:4"}},
        {3, 50, {"0:0", "0:1", "0:2"}},                // the count stops at the last row
        {-1, 2, {"0:0", "0:1", "0:2", "0:3", "0:4"}},
    };
    for (const Case& c : cases) {
        Fill(2, 5);
        grid->RemoveRows(c.index, c.count);
        EXPECT_EQ(ColumnTexts(0), c.col0) << c.index << "," << c.count;
    }
}

TEST_F(ShapeTest, RemoveRowsCarriesHiddenColumnsAndSideLists)
{
    Fill(4, 8);
    grid->SetCellEx(5, 4, "beyond");   // a store column past ColCount, as hidden columns are
    grid->ShowModified()->SetEnabled(true);
    for (int r = 0; r < 8; ++r) grid->SetRowModified(r, r == 5);
    if (!grid->GetRowModified(5)) GTEST_SKIP() << "the string grid keeps no modified flags yet";
    grid->RemoveRows(2, 2);
    EXPECT_TRUE(grid->GetRowModified(3)) << "row 5's flag moved with it";
    EXPECT_FALSE(grid->GetRowModified(2));
}

TEST_F(ShapeTest, RemoveRowsUnregistersTheRemovedRowsControls)
{
    Fill(3, 8);
    auto* above = new TEdit(&form);
    auto* removed = new TEdit(&form);
    auto* below = new TEdit(&form);
    grid->SetCellControls(1, 1, above);
    grid->SetCellControls(1, 3, removed);
    grid->SetCellControls(2, 6, below);
    if (grid->RealRowIndex(6) != 6) GTEST_SKIP() << "the string grid maps no real rows yet";
    EXPECT_EQ(grid->NumCellControls(), 3);
    grid->RemoveRows(3, 2);
    EXPECT_EQ(grid->NumCellControls(), 2);
    EXPECT_EQ(grid->GetCellControls(1, 1), above);
    EXPECT_EQ(grid->GetCellControls(2, 4), below) << "the control below moved up with its row";
    EXPECT_FALSE(removed->Visible());
    grid->SetCellControls(2, 4, nullptr);
    grid->SetCellControls(1, 1, nullptr);
    EXPECT_EQ(grid->NumCellControls(), 0);
    EXPECT_EQ(grid->GetCellControls(1, 1), nullptr);
}

TEST_F(ShapeTest, CellControlsAreRegisteredOncePerCell)
{
    Fill(3, 5);
    auto* a = new TEdit(&form);
    auto* b = new TEdit(&form);
    grid->SetCellControls(1, 2, a);
    grid->SetCellControls(1, 2, b);
    EXPECT_EQ(grid->NumCellControls(), 1);
    EXPECT_EQ(grid->GetCellControls(1, 2), b);
    const TRect cell = grid->CellRect(1, 2);
    EXPECT_EQ(b->Left(), cell.Left - 1);
    EXPECT_EQ(b->Width(), cell.Width() + 1);
}

TEST_F(ShapeTest, InsertRowsOpensEmptyRowsOfDefaultHeight)
{
    Fill(3, 5);
    grid->SetRowHeights(1, 50);
    grid->InsertRows(1, 2);
    ASSERT_EQ(grid->RowCount(), 7);
    EXPECT_EQ(ColumnTexts(0), (std::vector<String>{"0:0", "", "", "0:1", "0:2", "0:3", "0:4"}));
    EXPECT_EQ(grid->RowHeights(1), grid->DefaultRowHeight());
    EXPECT_EQ(grid->RowHeights(3), 50);
    EXPECT_EQ(changes.back(), (TRect{0, 1, 2, 3}));
    grid->AddRow();
    EXPECT_EQ(grid->RowCount(), 8);
    EXPECT_EQ(grid->GetCellEx(0, 7), "");
}

TEST_F(ShapeTest, InsertRowsKeepsTheFloatingFootersRowLast)
{
    Fill(2, 5);
    grid->SetCellEx(1, 4, "footer");
    grid->FloatingFooter()->SetVisible(true);
    if (!grid->FloatingFooter()->Visible()) GTEST_SKIP() << "no floating footer yet";
    grid->InsertRows(1, 2, true);
    ASSERT_EQ(grid->RowCount(), 7);
    EXPECT_EQ(ColumnTexts(1), (std::vector<String>{"1:0", "", "", "1:1", "1:2", "1:3", "footer"}));
    EXPECT_EQ(grid->RowHeights(1), grid->DefaultRowHeight());
}

TEST_F(ShapeTest, RemoveAndInsertColumns)
{
    Fill(5, 3);
    grid->SetColWidths(4, 33);
    grid->RemoveCols(1, 2);
    ASSERT_EQ(grid->ColCount(), 3);
    EXPECT_EQ(grid->GetCellEx(1, 1), "3:1");
    EXPECT_EQ(grid->ColWidths(2), 33);
    EXPECT_EQ(grid->GetCellEx(3, 1), "") << "no copy of a moved column stays behind";
    grid->RemoveCols(1, 10);
    EXPECT_EQ(grid->ColCount(), 1);
    grid->InsertCols(0, 2);
    EXPECT_EQ(grid->ColCount(), 3);
    EXPECT_EQ(grid->GetCellEx(2, 1), "0:1");
    EXPECT_EQ(grid->GetCellEx(0, 1), "");
}

TEST_F(ShapeTest, ClearRectEmptiesTextsAndPropertiesAndReportsOnce)
{
    Fill(4, 5);
    grid->SetColors(1, 1, clRed);
    grid->SetReadOnly(2, 2, true);
    grid->ClearRect(1, 1, 2, 3);
    EXPECT_EQ(grid->GetCellEx(1, 1), "");
    EXPECT_EQ(grid->GetCellEx(3, 1), "3:1");
    EXPECT_EQ(grid->GetColors(1, 1), clNone);
    EXPECT_FALSE(grid->GetReadOnly(2, 2));
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0], (TRect{1, 1, 2, 3}));
    grid->SetClearTextOnly(true);
    grid->SetColors(1, 1, clRed);
    grid->ClearRows(1, 1);
    EXPECT_EQ(grid->GetColors(1, 1), clRed) << "text only";
}

TEST_F(ShapeTest, ClearRectOverHiddenColumnsReportsTheRealColumnsCleared)
{
    Fill(5, 4);
    grid->SetSaveHiddenCells(true);
    grid->HideColumn(1);   // display columns 1 and 2 are real 2 and 3
    changes.clear();
    grid->ClearRect(1, 1, 2, 2);
    for (int r = 1; r <= 2; ++r) {
        EXPECT_EQ(grid->GetCellEx(1, r), QStringLiteral("1:%1").arg(r)) << "the hidden column keeps its texts";
        EXPECT_EQ(grid->GetCellEx(2, r), "");
        EXPECT_EQ(grid->GetCellEx(3, r), "");
        EXPECT_EQ(grid->GetCellEx(4, r), QStringLiteral("4:%1").arg(r));
    }
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0], (TRect{2, 1, 3, 2}));
}

TEST_F(ShapeTest, RowColoursResetOnlyTheirOwnField)
{
    Fill(4, 5);
    grid->SetRowColor(2, clRed);
    grid->SetRowFontColor(2, clBlue);
    grid->SetReadOnly(3, 2, true);
    for (int c = 1; c < 4; ++c) {
        EXPECT_EQ(grid->GetColors(c, 2), clRed);
        EXPECT_EQ(grid->GetFontColors(c, 2), clBlue);
    }
    EXPECT_EQ(grid->GetColors(0, 2), clNone) << "fixed columns keep theirs";
    grid->SetRowColor(2, clNone);
    for (int c = 1; c < 4; ++c) {
        EXPECT_EQ(grid->GetColors(c, 2), clNone) << c;
        EXPECT_EQ(grid->GetFontColors(c, 2), clBlue) << "the font colour stays " << c;
    }
    EXPECT_TRUE(grid->GetReadOnly(3, 2));
    grid->SetRowFontColor(2, clNone);
    EXPECT_TRUE(grid->GetReadOnly(3, 2)) << "properties still holding a flag are kept";
    EXPECT_EQ(grid->GetFontColors(1, 2), clNone);
    grid->SetRowColorTo(2, clGreen);
    grid->SetRowColorTo(2, clNone);
    EXPECT_TRUE(grid->GetReadOnly(3, 2));
}

TEST_F(ShapeTest, ColumnOrderPositionsAndHeaders)
{
    Fill(4, 3);
    grid->SetCellEx(3, 0, "0:0");
    EXPECT_EQ(grid->ColumnByHeader("0:0"), 0) << "the lower of two equal headers";
    EXPECT_EQ(grid->ColumnByHeader("2:0"), 2);
    EXPECT_EQ(grid->ColumnByHeader("none"), -1);
    EXPECT_EQ(grid->ColumnPosition(2), 2) << "no order recorded";
    EXPECT_EQ(grid->ColumnAtPosition(1), 1);
}

// ---- Calculations ---------------------------------------------------------------------------

struct CalcTest : ShapeTest {
    void Column(std::initializer_list<const char*> values)
    {
        grid->SetColCount(3);
        grid->SetRowCount(int(values.size()) + 1);
        int r = 1;
        for (const char* v : values) grid->SetCellEx(1, r++, v);
    }
};

TEST_F(CalcTest, SumAverageMinMaxSkipNonNumbers)
{
    Column({"2", "4", "x", "6"});
    if (grid->GetFloats(1, 1) != 2.0) GTEST_SKIP() << "the string grid's number conversion is not there yet";
    struct Case {
        const char* name;
        double (*calc)(TZvStringGrid&);
        double expected;
    } cases[] = {
        {"sum", [](TZvStringGrid& g) { return g.ColumnSum(1, -1, -1); }, 12},
        {"avg", [](TZvStringGrid& g) { return g.ColumnAvg(1, -1, -1); }, 3},
        {"min", [](TZvStringGrid& g) { return g.ColumnMin(1, -1, -1); }, 2},
        {"max", [](TZvStringGrid& g) { return g.ColumnMax(1, -1, -1); }, 6},
    };
    for (const Case& c : cases) EXPECT_DOUBLE_EQ(c.calc(*grid), c.expected) << c.name;
    EXPECT_DOUBLE_EQ(grid->ColumnSum(1, 2, 3), 4);
    EXPECT_DOUBLE_EQ(grid->ColumnAvg(1, 3, 2), 0) << "an empty range";
}

TEST_F(CalcTest, StandardDeviationAndStartValuesRaiseOnNonNumbers)
{
    Column({"2", "4", "4", "4", "5", "5", "7", "9"});
    if (grid->GetFloats(1, 1) != 2.0) GTEST_SKIP() << "the string grid's number conversion is not there yet";
    EXPECT_DOUBLE_EQ(grid->ColumnStdDev(1, -1, -1), 2.0);
    grid->SetCellEx(1, 3, "x");
    EXPECT_THROW(grid->ColumnStdDev(1, -1, -1), EZvGridError);
    grid->SetCellEx(1, 1, "word");
    EXPECT_THROW(grid->ColumnMin(1, -1, -1), EZvGridError);
    EXPECT_THROW(grid->ColumnMax(1, -1, -1), EZvGridError);
    EXPECT_NO_THROW(grid->ColumnSum(1, -1, -1));
}

TEST_F(CalcTest, DistinctIgnoresCaseAndCountsEmptyText)
{
    Column({"a", "A", "", "b"});
    EXPECT_DOUBLE_EQ(grid->ColumnDistinct(1, -1, -1), 3);
}

TEST_F(CalcTest, CustomCalculationAndRowSums)
{
    Column({"1", "2"});
    EXPECT_DOUBLE_EQ(grid->ColumnCustomCalc(1), 0);
    grid->OnColumnCalc = [](TObject*, int ACol, int FromRow, int ToRow, double& Res) {
        Res = ACol * 100 + FromRow * 10 + ToRow;
    };
    EXPECT_DOUBLE_EQ(grid->ColumnCustomCalc(1), 112);
    EXPECT_DOUBLE_EQ(grid->RowAvg(1, 2, 1), 0);
}

// ---- Selection --------------------------------------------------------------------------------

TEST_F(ShapeTest, FixedCellsAreNeverSelected)
{
    Fill(4, 5);
    grid->TCustomGrid::SetSelection(TGridRect{0, 0, 3, 4});
    EXPECT_FALSE(grid->IsSelected(0, 2));
    EXPECT_FALSE(grid->IsSelected(2, 0));
}

} // namespace

namespace {

// ---- Fitting a column to its texts ---------------------------------------------------------

struct AutoSizeTest : ShapeTest {
    // The widest text of a displayed column as the grid itself measures it.
    int Widest(int col, int fromRow = 0)
    {
        int w = 0;
        for (int r = fromRow; r < grid->RowCount(); ++r)
            w = std::max(w, grid->GetCellTextSize(grid->RealColIndex(col), r, false, false).X);
        return w;
    }
};

TEST_F(AutoSizeTest, ColumnFitsItsWidestHeaderOrDataTextPlusMargins)
{
    grid->SetColCount(3);
    grid->SetRowCount(4);
    grid->SetCellEx(1, 0, "A rather long header text");
    grid->SetCellEx(1, 1, "x");
    grid->SetCellEx(2, 0, "H");
    grid->SetCellEx(2, 2, "A much longer data text than the header");
    // Two margins of XYOffset.X (2), two grid lines (1) and 2 pixels.
    for (int col : {1, 2}) {
        grid->SetColWidths(col, 300);
        grid->AutoSizeCol(col, 0);
        EXPECT_EQ(grid->ColWidths(col), Widest(col) + 8) << col;
    }
    grid->AutoSizeCol(1, 10);
    EXPECT_EQ(grid->ColWidths(1), Widest(1) + 18) << "padding";
    grid->SetSizeGrowOnly(true);
    grid->SetColWidths(1, 400);
    grid->AutoSizeCol(1, 0);
    EXPECT_EQ(grid->ColWidths(1), 400) << "grow only keeps a wider column";
    grid->SetSizeGrowOnly(false);
    grid->SetMaxColWidth(5);
    grid->AutoSizeCol(1, 0);
    EXPECT_EQ(grid->ColWidths(1), 5);
}

TEST_F(AutoSizeTest, RowsExaminedFollowTheColumnSizeSetting)
{
    grid->SetColCount(2);
    grid->SetRowCount(3);
    grid->SetCellEx(1, 0, "Header that is long");
    grid->SetCellEx(1, 1, "d");
    grid->ColumnSize()->SetRows(TAutoSizeRows::arNormal);
    grid->AutoSizeCol(1, 0);
    EXPECT_EQ(grid->ColWidths(1), Widest(1, 1) + 8);
    grid->AutoSizeColumns(false, 0);
    EXPECT_EQ(grid->ColWidths(1), Widest(1, 1) + 8);
}

} // namespace
