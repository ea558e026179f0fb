// Data check-box cells of a column grid, toggled by a click on the box and by
// Space, as the table forms' "Y"/"N" columns use them; and the check-box
// editor laid over an edCheckBox cell, which never changes the cell.

#include "grid/ZvColumnGrid.h"
#include "grid/ZvGrid.h"
#include "grid/editors/ZvGridCheckBox.h"

#include "grid/editors/ZvGridCombo.h"
#include "platform/Forms.h"
#include "tests/common/TestSeams.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace {

// Answers the current cell's text, which the check-box editor shows again on Escape.
class TCheckHarnessGrid : public TZvColumnGrid {
public:
    using TZvColumnGrid::TZvColumnGrid;
    String CurrentCell() override { return GetCellEx(RealColIndex(Col()), Row()); }
};

struct TDataCheckColumns : ::testing::Test {
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
    TZvColumnGrid* grid = nullptr;
    std::vector<std::tuple<int, int, bool>> clicks;

    void SetUp() override
    {
        form->SetBounds(0, 0, 640, 400);
        grid = new TCheckHarnessGrid(form.get());
        grid->SetParent(form.get());
        grid->SetBounds(0, 0, 600, 360);
        grid->SetColCount(5);
        grid->SetRowCount(6);
        grid->SetOptions(grid->Options() + TGridOptions{TGridOption::goEditing});
        // Column 1: the usual "Y"/"N" column; column 2: read-only; column 3: "1"/"0".
        for (int c : {1, 2, 3}) grid->Columns()->Items(c)->SetEditor(TEditorType::edDataCheckBox);
        grid->Columns()->Items(2)->SetReadOnly(true);
        grid->Columns()->Items(3)->SetCheckTrue("1");
        grid->Columns()->Items(3)->SetCheckFalse("0");
        for (int r = 1; r < 6; ++r) {
            grid->SetCellEx(1, r, "N");
            grid->SetCellEx(2, r, "N");
            grid->SetCellEx(3, r, "0");
            grid->SetCellEx(4, r, "Name " + IntToStr(r));
        }
        grid->OnCheckBoxClick = [this](TObject*, int c, int r, bool s) { clicks.emplace_back(c, r, s); };
        form->Show();
        grid->SetFocus();
    }

    void ClickBox(int col, int row)
    {
        const TRect cell = grid->CellRect(col, row);
        Simulate::Click(grid, {cell.Left + 2 + grid->ControlLook()->CheckSize() / 2, (cell.Top + cell.Bottom) / 2});
    }

    void Space(int col, int row)
    {
        grid->GotoCell(col, row);
        Simulate::Key(grid, Qt::Key_Space, Qt::NoModifier, " ");
    }
};

}  // namespace

TEST_F(TDataCheckColumns, ClickAndSpaceToggleTheCellTextBetweenTheColumnsTexts)
{
    // Any text that is not the check-true text counts as clear, an empty one too.
    grid->SetCellEx(1, 2, "");
    grid->SetCellEx(1, 3, "x");
    struct Case {
        int col, row;
        bool bySpace;
        const char* first;
        const char* second;
    } cases[] = {
        {1, 1, false, "Y", "N"}, {1, 2, true, "Y", "N"}, {1, 3, false, "Y", "N"},
        {1, 4, true, "Y", "N"},  {3, 1, false, "1", "0"}, {3, 2, true, "1", "0"},
    };
    for (const Case& c : cases) {
        auto toggle = [&] { c.bySpace ? Space(c.col, c.row) : ClickBox(c.col, c.row); };
        toggle();
        EXPECT_EQ(grid->GetCellEx(c.col, c.row), String(c.first)) << c.col << ',' << c.row;
        toggle();
        EXPECT_EQ(grid->GetCellEx(c.col, c.row), String(c.second)) << c.col << ',' << c.row;
    }
    ASSERT_EQ(clicks.size(), 12u);
    EXPECT_EQ(clicks[0], std::make_tuple(1, 1, true));
    EXPECT_EQ(clicks[1], std::make_tuple(1, 1, false));
    EXPECT_EQ(clicks[3], std::make_tuple(1, 2, false));
    // Nothing else of the row moved.
    EXPECT_EQ(grid->GetCellEx(4, 2), String("Name 2"));
}

TEST_F(TDataCheckColumns, ReadOnlyColumnTogglesOnlyWhenChecksAreAlwaysActive)
{
    ClickBox(2, 1);
    Space(2, 2);
    EXPECT_EQ(grid->GetCellEx(2, 1), String("N"));
    EXPECT_EQ(grid->GetCellEx(2, 2), String("N"));

    grid->ControlLook()->SetCheckAlwaysActive(true);
    ClickBox(2, 1);
    Space(2, 2);
    EXPECT_EQ(grid->GetCellEx(2, 1), String("Y"));
    EXPECT_EQ(grid->GetCellEx(2, 2), String("Y"));
}

TEST_F(TDataCheckColumns, KeysThatOpenEditorsLeaveADataCheckCellAlone)
{
    grid->GotoCell(1, 3);
    Simulate::Key(grid, Qt::Key_F2);
    Simulate::Key(grid, Qt::Key_Return, Qt::NoModifier, "\r");
    Simulate::Type(grid, "a");
    EXPECT_EQ(grid->GetCellEx(1, 3), String("N"));
    EXPECT_FALSE(grid->ComboEditor()->Visible());
    EXPECT_FALSE(grid->CheckBoxEditor()->Visible());
}

namespace {

// The edCheckBox editor over a cell, opened the way the grid's show step does.
struct TCheckBoxEditor : TDataCheckColumns {
    TGridCheckBox* box = nullptr;

    void Open(int col, int row)
    {
        grid->GotoCell(col, row);
        box = grid->CheckBoxEditor();
        box->ReCreate();
        const TRect r = grid->CellRect(col, row);
        box->SetBounds(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
        box->SetCaption(grid->GetCellEx(grid->RealColIndex(col), row));
        box->SetEnabled(true);
        box->SetChecked(false);
        box->SetVisible(true);
        box->SetFocus();
    }
};

}  // namespace

TEST_F(TCheckBoxEditor, SpaceAndClickToggleOnceAndTheCellKeepsItsText)
{
    Open(4, 2);
    Simulate::Key(box, Qt::Key_Space, Qt::NoModifier, " ");
    EXPECT_TRUE(box->Checked());
    Simulate::Click(box, {5, 5});
    EXPECT_FALSE(box->Checked());
    Simulate::Key(box, Qt::Key_Space, Qt::NoModifier, " ");
    EXPECT_TRUE(box->Checked());

    box->SetCaption("changed");
    Simulate::Key(box, Qt::Key_Escape, Qt::NoModifier, QString(QChar(0x1B)));
    EXPECT_EQ(box->Caption(), String("Name 2")) << "Escape shows the cell's text again";
    EXPECT_EQ(grid->GetCellEx(4, 2), String("Name 2"));
    EXPECT_TRUE(grid->Focused());
}

TEST_F(TCheckBoxEditor, ArrowsEndTheEditAndMoveTheGrid)
{
    Open(4, 2);
    Simulate::Key(box, Qt::Key_Space, Qt::NoModifier, " ");
    Simulate::Key(box, Qt::Key_Down);
    EXPECT_EQ(grid->Row(), 3);
    EXPECT_TRUE(grid->Focused());
    EXPECT_EQ(grid->GetCellEx(4, 2), String("Name 2"));
}

TEST(TGridCheckBoxControl, BelongsToAGrid)
{
    TForm form(nullptr);
    EXPECT_THROW(TGridCheckBox{&form}, Exception);
    TZvStringGrid grid(&form);
    EXPECT_EQ(grid.CheckBoxEditor()->Grid(), &grid);
}
