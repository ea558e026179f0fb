// Row insertion beside hidden and disabled rows, range selection, cell
// properties beside hidden columns, the floating footer's row and counts,
// undo markers and the repaints that follow merged cells: each through the
// keys, clicks and paints of a shown grid where a user reaches it.

#include "tests/common/TestSeams.h"
#include "tests/common/TestUtil.h"

#include "grid/ZvGrid.h"

#include "platform/Forms.h"
#include "platform/Regional.h"

#include <QImage>
#include <QWidget>
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <vector>

namespace {

TColor PixelAt(const QImage& image, TPoint p)
{
    const QRgb c = image.pixel(p.X, p.Y);
    return RGB(unsigned(qRed(c)), unsigned(qGreen(c)), unsigned(qBlue(c)));
}

// Records the cells painted, and lets a test run the scroll follow-up alone.
class TRecordingGrid : public TZvStringGrid {
public:
    using TZvStringGrid::TZvStringGrid;
    std::set<std::pair<int, int>> Painted;
    void PaintCellContents(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState) override
    {
        Painted.insert({ACol, ARow});
        TZvStringGrid::PaintCellContents(ACanvas, ACol, ARow, ARect, AState);
    }
    void FollowScroll() { TopLeftChangeHook(); }
};

struct RowFaults : ::testing::Test {
    TTestSeams seams;
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
    TRecordingGrid* grid = nullptr;

    void SetUp() override
    {
        ClearKeyStates();
        form->SetBounds(0, 0, 520, 420);
        grid = new TRecordingGrid(form.get());
        grid->SetParent(form.get());
        grid->SetBounds(0, 0, 500, 400);
        grid->SetColCount(4);
        grid->SetRowCount(10);
        for (int r = 1; r < 10; ++r) grid->SetCellEx(1, r, "r" + IntToStr(r));
        form->Show();
        grid->SetFocus();
    }
    void TearDown() override { ClearKeyStates(); }

    std::vector<String> Column1()
    {
        std::vector<String> out;
        for (int r = 1; r < grid->RowCount(); ++r) out.push_back(grid->GetCellEx(1, r));
        return out;
    }
    TPoint Middle(int c, int r)
    {
        const TRect rc = grid->CellRect(c, r);
        return {(rc.Left + rc.Right) / 2, (rc.Top + rc.Bottom) / 2};
    }
    QImage Shown() { return grid->Handle()->grab().toImage(); }
};

std::vector<String> Texts(std::initializer_list<const char*> list)
{
    std::vector<String> out;
    for (const char* s : list) out.push_back(s);
    return out;
}

}  // namespace

// ---- Insert key beside contracted nodes and disabled rows -------------------------------------------------------

TEST_F(RowFaults, InsertKeyAboveAContractedNodeKeepsTheNodesRowsWithIt)
{
    struct Case {
        const char* name;
        std::vector<std::pair<int, int>> nodes;   // row, span
        int contract, cursor, expandAfter;
        std::vector<String> after;
    } cases[] = {
        // A plain row above the node: InsertNormalRow.
        {"normal row", {{5, 3}}, 5, 4, 6,
         Texts({"r1", "r2", "r3", "", "r4", "r5", "r6", "r7", "r8", "r9"})},
        // A child row of an open node, above a contracted node nested in it: InsertChildRow.
        {"child row", {{2, 7}, {5, 3}}, 5, 3, 6,
         Texts({"r1", "r2", "", "r3", "r4", "r5", "r6", "r7", "r8", "r9"})},
    };
    for (const Case& c : cases) {
        form = std::make_unique<TForm>(nullptr);
        SetUp();
        grid->Navigation()->SetAllowInsertRow(true);
        for (auto [row, span] : c.nodes) grid->AddNode(row, span);
        grid->ContractNode(c.contract);
        ASSERT_EQ(grid->NumHiddenRows(), 2) << c.name;
        grid->SetRow(c.cursor);
        Simulate::Key(grid, Qt::Key_Insert);
        ASSERT_EQ(grid->NumHiddenRows(), 2) << c.name;
        grid->ExpandNode(c.expandAfter);
        EXPECT_EQ(grid->NumHiddenRows(), 0) << c.name;
        EXPECT_EQ(Column1(), c.after) << c.name << ": the node's rows come back under it, once";
    }
}

TEST_F(RowFaults, AnInsertedRowIsEnabledBesideDisabledOnes)
{
    grid->Navigation()->SetAllowInsertRow(true);
    grid->SetRowEnabled(3, false);
    grid->SetRow(2);
    Simulate::Key(grid, Qt::Key_Insert);
    EXPECT_EQ(grid->GetCellEx(1, 2), String());
    EXPECT_TRUE(grid->GetRowEnabled(2)) << "the new row can be typed in";
    EXPECT_TRUE(grid->GetRowEnabled(3)) << "r2 moved down, still enabled";
    EXPECT_FALSE(grid->GetRowEnabled(4)) << "r3 moved down, still disabled";
}

// ---- Range selection and the right button ------------------------------------------------------------------------

TEST_F(RowFaults, EveryCellOfARangeSelectedWithTheMouseIsSelected)
{
    Simulate::Click(grid, Middle(1, 2));
    Simulate::MouseDown(grid, Middle(3, 5), Qt::LeftButton, Qt::ShiftModifier);
    Simulate::MouseUp(grid, Middle(3, 5), Qt::LeftButton, Qt::ShiftModifier);
    const TGridRect range = grid->Selection();
    ASSERT_EQ(range, (TGridRect{1, 2, 3, 5}));
    struct Case {
        int c, r;
        bool selected;
    } cases[] = {{1, 2, true}, {2, 4, true}, {3, 5, true}, {3, 6, false}, {0, 3, false}, {2, 0, false}};
    for (const Case& k : cases) EXPECT_EQ(grid->IsSelected(k.c, k.r), k.selected) << k.c << "," << k.r;
    // Dragged the other way, the corners come in the other order.
    Simulate::Click(grid, Middle(3, 5));
    Simulate::MouseDown(grid, Middle(1, 2), Qt::LeftButton, Qt::ShiftModifier);
    Simulate::MouseUp(grid, Middle(1, 2), Qt::LeftButton, Qt::ShiftModifier);
    for (const Case& k : cases) EXPECT_EQ(grid->IsSelected(k.c, k.r), k.selected) << k.c << "," << k.r;
}

// ---- Cell properties beside a hidden column ------------------------------------------------------------------------

TEST_F(RowFaults, ALastColumnsNewPropertiesTakeNoFixedColourBesideAHiddenColumn)
{
    grid->HideColumn(1);   // real column 3 shows as display column 2, the last
    grid->SetFontColors(3, 2, clBlue);
    // New properties take the cell's present look: a normal cell's, not a fixed one's.
    EXPECT_EQ(grid->GetColors(3, 2), grid->Color());
    const QImage shown = Shown();
    EXPECT_EQ(PixelAt(shown, Middle(2, 2)), ColorToRGB(grid->Color()));
}

TEST_F(RowFaults, APropertySetterRepaintsTheCellWhereItIsShown)
{
    grid->HideColumn(1);
    Shown();   // the picture is valid: only what is invalidated is painted again
    grid->GetCellProperties(3, 2)->SetBrushColor(clRed);
    EXPECT_EQ(PixelAt(Shown(), Middle(2, 2)), clRed) << "real column 3 is display column 2";
}

// ---- The floating footer's row ------------------------------------------------------------------------------------

TEST_F(RowFaults, TheFloatingFooterMakesTheLastRowAFooterAndKeepsItLast)
{
    grid->FloatingFooter()->SetVisible(true);
    EXPECT_EQ(grid->FixedFooters(), 1);
    EXPECT_TRUE(grid->HideLastRow());
    grid->SetCellEx(1, 9, "total");
    grid->SetRowCount(12);
    EXPECT_EQ(grid->GetCellEx(1, 11), String("total")) << "the footer texts follow the last row";
    EXPECT_EQ(grid->GetCellEx(1, 9), String()) << "no footer text is left in a data row";
    grid->SetRowCount(11);
    EXPECT_EQ(grid->GetCellEx(1, 10), String("total"));
    grid->FloatingFooter()->SetVisible(false);
    EXPECT_EQ(grid->FixedFooters(), 0);
    EXPECT_FALSE(grid->HideLastRow());
}

TEST_F(RowFaults, AGroupedGridsFooterCountsTheDataRowsOnly)
{
    RegionalScope regional(u'.', u',');
    grid->SortSettings()->SetAutoSortForGrouping(false);
    grid->SetRowCount(6);   // four data rows and the footer row
    // Numeric keys: a header row counted by mistake would add its key to the sum.
    const char* keys[] = {"100", "100", "200", "300"};
    const char* values[] = {"1", "2", "6", "10"};
    for (int r = 1; r <= 4; ++r) {
        grid->SetCellEx(1, r, keys[r - 1]);
        grid->SetCellEx(2, r, values[r - 1]);
        grid->SetCellEx(3, r, values[r - 1]);
    }
    grid->FloatingFooter()->SetVisible(true);
    grid->Grouping()->SetSummary(true);
    grid->Group(1);   // the key column leaves: the values are in columns 1 and 2 now
    ASSERT_EQ(grid->NumNodes(), 3);
    grid->GroupSum(1);   // summary rows with each group's sum
    const int footer = grid->RowCount() - 1;
    grid->FloatingFooter()->SetColumnCalc(1, TColumnCalcType::acSUM);
    grid->FloatingFooter()->SetColumnCalc(2, TColumnCalcType::acCOUNT);
    EXPECT_EQ(grid->FloatingFooter()->GetColumnCalc(2), TColumnCalcType::acCOUNT);
    EXPECT_EQ(grid->GetCellEx(1, footer), String("19.00"));
    EXPECT_EQ(grid->GetCellEx(2, footer), String("4")) << "group headers and summaries are no data rows";
    // Contracted groups hide their rows: with hidden rows counted the figures stay.
    grid->ContractAll();
    grid->CalcFooter(-1);
    EXPECT_EQ(grid->GetCellEx(2, grid->RowCount() - 1), String("4"));
    EXPECT_EQ(grid->GetCellEx(1, grid->RowCount() - 1), String("19.00"));
}

// ---- Undo markers --------------------------------------------------------------------------------------------------

TEST_F(RowFaults, UndoSkipsTheMarkersOfASequence)
{
    auto* undo = new TZvGridUndoRedo(form.get());
    grid->SetUndoRedo(undo);
    undo->StartSequence();
    EXPECT_NO_THROW(undo->Undo()) << "a sequence just opened has nothing to give back";
    EXPECT_EQ(grid->GetCellEx(1, 1), String("r1"));

    grid->SetCellEx(1, 1, "x");
    undo->RegisterChange(1, 1, "r1", "x");
    undo->StartSequence();
    grid->SetCellEx(1, 2, "y");
    undo->RegisterChange(1, 2, "r2", "y");
    undo->StopSequence();
    undo->Undo();
    EXPECT_EQ(grid->GetCellEx(1, 2), String("r2"));
    EXPECT_EQ(grid->GetCellEx(1, 1), String("x"));
    undo->Undo();
    EXPECT_EQ(grid->GetCellEx(1, 1), String("r1"));
    undo->Redo();
    undo->Redo();
    EXPECT_EQ(grid->GetCellEx(1, 1), String("x"));
    EXPECT_EQ(grid->GetCellEx(1, 2), String("y"));
    EXPECT_FALSE(undo->CanRedo());
}

// ---- Merged fixed cells follow the scroll --------------------------------------------------------------------------

TEST_F(RowFaults, MergedFixedCellsFollowTheScrollAfterASplitOfAPlainCell)
{
    grid->SetRowCount(40);
    grid->MergeCells(0, 3, 1, 3);
    grid->SplitCells(2, 6);   // never merged: the merge count drops to 0
    ASSERT_EQ(grid->MergeCount(), 0);
    grid->SetTopRow(2);
    Shown();
    grid->Painted.clear();
    // Only the follow-up's own repaints: the merged fixed cell is among them.
    grid->FollowScroll();
    Shown();
    EXPECT_TRUE(grid->Painted.count({0, 3})) << "the merged fixed cell is painted again";
}
