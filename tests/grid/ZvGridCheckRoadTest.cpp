// The road of the DALI access form's rule grid: an object check box in every
// row of column 1, toggled on a shown window the way a click and the Space key
// do it (the hit test, then the toggle by the user), read and written back
// while columns and rows are hidden.

#include "grid/ZvGrid.h"

#include "platform/Forms.h"

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
