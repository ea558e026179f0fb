// The road of the DALI access form's rule grid: an object check box in every
// row of column 1, toggled on a shown window the way a click and the Space key
// do it (the hit test, then the toggle by the user), read and written back
// while columns and rows are hidden.

#include "grid/ZvColumnGrid.h"
#include "grid/ZvGrid.h"

#include "platform/Forms.h"
#include "tests/common/TestSeams.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr int DataRows = 8;

struct TRuleGrid : ::testing::Test {
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
    TZvStringGrid* grid = nullptr;
    std::vector<std::pair<int, bool>> changes;

    void SetUp() override
    {
        form->SetBounds(0, 0, 600, 400);
        grid = new TZvStringGrid(form.get());
        grid->SetParent(form.get());
        grid->SetBounds(0, 0, 560, 360);
        grid->SetColCount(5);
        grid->SetRowCount(DataRows + 1);
        grid->SetOptions(grid->Options() + TGridOptions{TGridOption::goEditing});
        for (int r = 1; r <= DataRows; ++r) {
            grid->SetCellEx(2, r, "Device " + IntToStr(r));
            grid->SetCellEx(3, r, "None");
        }
        grid->AddCheckBoxColumn(1, false, false);
        grid->OnCheckBoxChange = [this](TObject*, int, int r, bool s) { changes.emplace_back(r, s); };
        form->Show();
        grid->SetFocus();
    }

    std::vector<bool> States()
    {
        std::vector<bool> out;
        for (int r = 1; r <= DataRows; ++r) {
            bool state = false;
            EXPECT_TRUE(grid->GetCheckBoxState(1, r, state)) << r;
            out.push_back(state);
        }
        return out;
    }

    // A click in the middle of the box of a displayed cell: the box's hit test, then the toggle.
    void ClickBox(int col, int row)
    {
        const TRect cell = grid->CellRect(col, row);
        const int x = cell.Left + 2 + grid->ControlLook()->CheckSize() / 2;
        const int y = cell.Top + 2 + grid->ControlLook()->CheckSize() / 2;
        const int real = grid->RealColIndex(col);
        if (grid->IsInCheckBox(real, row, x, y)) grid->ToggleCellCheckBox(real, row, true);
    }

    // Space on the current cell: a check cell opens no editor and toggles.
    void Space()
    {
        const int real = grid->RealColIndex(grid->Col());
        if (grid->IsCheckOrButtonCell(real, grid->Row())) grid->ToggleCellCheckBox(real, grid->Row(), true);
    }
};

}  // namespace

TEST_F(TRuleGrid, TogglesByClickAndSpaceAndReadsBackWithHiddenColumnsAndRows)
{
    EXPECT_EQ(States(), std::vector<bool>(DataRows, false));
    EXPECT_TRUE(grid->IsCheckOrButtonCell(1, 1));

    // The column of the recall texts is hidden, as the form does for a narrow layout.
    grid->MouseActions()->SetPreciseCheckBoxCheck(true);
    grid->HideColumn(3);
    ClickBox(1, 2);
    const TRect cell = grid->CellRect(1, 3);
    if (grid->IsInCheckBox(1, 3, cell.Right - 1, cell.Bottom - 1)) grid->ToggleCellCheckBox(1, 3, true);
    grid->SetCol(1);
    grid->SetRow(4);
    Space();
    std::vector<bool> expected(DataRows, false);
    expected[1] = expected[3] = true;
    EXPECT_EQ(States(), expected);
    const std::vector<std::pair<int, bool>> events{{2, true}, {4, true}};
    EXPECT_EQ(changes, events);

    // Writing and toggling by real row while a row above is hidden.
    grid->HideRow(1);
    EXPECT_TRUE(grid->SetCheckBoxState(1, 6, true));
    grid->ToggleCheckBox(1, 2);   // the displayed row 2 is the real row 3
    // The hidden row's box is reached through the store of hidden rows.
    EXPECT_TRUE(grid->SetCheckBoxState(1, 1, true));
    EXPECT_TRUE(grid->IsChecked(1, 1));
    EXPECT_TRUE(grid->IsChecked(1, 4));
    grid->UnHideRowsAll();
    grid->UnHideColumnsAll();
    expected[0] = expected[2] = expected[5] = true;
    EXPECT_EQ(States(), expected);
    EXPECT_EQ(grid->GetCellEx(2, 3), String("Device 3"));   // the texts stay beside their boxes
}

namespace {

// The same road on a column grid of the rule table's shape, 13 columns and
// 257 rows, driven by the pointer and the keyboard through the window: two
// check-box columns, real 1 and real 4, with real columns 2 and 3 hidden
// between them, so that a confusion of displayed and real columns shows.
struct TRuleWindow : ::testing::Test {
    static constexpr int Cols = 13;
    static constexpr int Rows = 257;
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
    TZvColumnGrid* grid = nullptr;
    std::vector<std::tuple<int, int, bool>> changes;

    void SetUp() override
    {
        form->SetBounds(0, 0, 1000, 400);
        grid = new TZvColumnGrid(form.get());
        grid->SetParent(form.get());
        grid->SetBounds(0, 0, 1000, 400);
        grid->SetColCount(Cols);
        grid->SetRowCount(Rows);
        grid->SetOptions(grid->Options() + TGridOptions{goEditing});
        for (int c = 0; c < Cols; ++c) grid->Columns()->Items(c)->SetWidth(70);
        for (int r = 1; r < Rows; ++r) {
            grid->SetCellEx(0, r, IntToStr(r));
            grid->SetCellEx(2, r, "Device");
            grid->SetCellEx(12, r, "Rule " + IntToStr(r));
        }
        grid->HideColumn(2);
        grid->HideColumn(3);
        grid->AddCheckBoxColumn(1);
        grid->AddCheckBoxColumn(4);
        grid->OnCheckBoxChange = [this](TObject*, int c, int r, bool s) { changes.emplace_back(c, r, s); };
        form->Show();
        grid->SetFocus();
    }

    bool State(int realCol, int row)
    {
        bool state = false;
        EXPECT_TRUE(grid->GetCheckBoxState(realCol, row, state)) << realCol << ',' << row;
        return state;
    }

    // A click on the box of a displayed cell: the box is drawn at the cell's left, centred in height.
    void ClickBox(int displayedCol, int row)
    {
        const TRect cell = grid->CellRect(displayedCol, row);
        Simulate::Click(grid, {cell.Left + 2 + grid->ControlLook()->CheckSize() / 2, (cell.Top + cell.Bottom) / 2});
    }
};

}  // namespace

TEST_F(TRuleWindow, ClicksAndSpaceToggleTheRightBoxesWhileColumnsAndRowsAreHidden)
{
    ASSERT_EQ(grid->ColCount(), Cols - 2);
    EXPECT_EQ(grid->RealColIndex(2), 4);
    EXPECT_FALSE(State(1, 5));
    EXPECT_FALSE(State(4, 5));

    ClickBox(1, 5);   // real column 1
    ClickBox(2, 6);   // real column 4 stands at displayed column 2
    EXPECT_TRUE(State(1, 5));
    EXPECT_TRUE(State(4, 6));
    EXPECT_FALSE(State(4, 5));
    EXPECT_FALSE(State(1, 6));

    // Space toggles the box of the current cell, and again back.
    grid->GotoCell(2, 7);
    Simulate::Key(grid, Qt::Key_Space, Qt::NoModifier, " ");
    EXPECT_TRUE(State(4, 7));
    grid->GotoCell(1, 8);
    Simulate::Key(grid, Qt::Key_Space, Qt::NoModifier, " ");
    Simulate::Key(grid, Qt::Key_Space, Qt::NoModifier, " ");
    EXPECT_FALSE(State(1, 8));
    using Change = std::tuple<int, int, bool>;
    const std::vector<Change> events{{1, 5, true}, {4, 6, true}, {4, 7, true}, {1, 8, true}, {1, 8, false}};
    EXPECT_EQ(changes, events);
    EXPECT_EQ(grid->GetCellEx(12, 7), String("Rule 7")) << "no text was typed into the grid";

    // With rows 2 and 3 hidden, displayed row 3 is real row 5: a toggle takes the
    // displayed row, the state calls the real one.
    grid->HideRows(2, 3);
    ClickBox(1, 4);   // real row 6
    EXPECT_TRUE(State(1, 6));
    grid->ToggleCheckBox(4, 3);   // displayed row 3: real row 5
    EXPECT_TRUE(State(4, 5));
    EXPECT_TRUE(grid->SetCheckBoxState(4, 2, true));   // a hidden row's box
    EXPECT_TRUE(grid->IsChecked(4, 2));

    grid->UnHideRowsAll();
    grid->UnHideColumnsAll();
    const bool expected[][2] = {{false, true}, {false, false}, {false, false}, {true, true}, {true, true},
                                {false, true}, {false, false}};
    for (int r = 2; r <= 8; ++r) {
        EXPECT_EQ(State(1, r), expected[r - 2][0]) << "row " << r;
        EXPECT_EQ(State(4, r), expected[r - 2][1]) << "row " << r;
    }
    EXPECT_EQ(grid->GetCellEx(2, 6), String("Device")) << "the hidden texts stay beside their boxes";
}
