// The column grid's pointer and keys as a user drives them: Qt key and mouse
// events sent to a shown grid, most of them beside a hidden column so that a
// displayed column read as a stored one (or the other way) shows.

#include "tests/common/TestSeams.h"
#include "tests/common/TestUtil.h"

#include "grid/ZvColumnGrid.h"
#include "grid/editors/ZvGridCombo.h"
#include "grid/editors/ZvGridSimpleEditors.h"
#include "grid/services/ZvHTMLHintWindow.h"

#include "platform/Forms.h"
#include "platform/Menus.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// Real columns 0 to 6 with real column 1 hidden: displayed 0, 1, 2, 3, 4, 5
// show real 0, 2, 3, 4, 5, 6. One fixed row and one fixed column.
struct PointerKeys : ::testing::Test {
    TTestSeams seams;
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
    TZvColumnGrid* grid = nullptr;
    std::vector<String> log;

    void SetUp() override
    {
        ClearKeyStates();
        form->SetBounds(0, 0, 520, 340);
        grid = new TZvColumnGrid(form.get());
        grid->SetParent(form.get());
        grid->SetBounds(0, 0, 500, 300);
        grid->SetColCount(7);
        grid->SetRowCount(10);
        for (int c = 0; c < 7; ++c) grid->SetColWidths(c, 64);
        for (int r = 1; r < 10; ++r)
            for (int c = 0; c < 7; ++c) grid->SetCellEx(c, r, QStringLiteral("%1:%2").arg(c).arg(r));
        grid->HideColumn(1);
        form->Show();
        grid->SetFocus();
        Settle();
    }
    void TearDown() override { ClearKeyStates(); }
    // A grid that only browses: an editable column would turn editing back on at each cell.
    void BrowseOnly()
    {
        for (int i = 0; i < grid->Columns()->Count(); ++i) grid->Columns()->Items(i)->SetReadOnly(true);
        grid->SetOptions(grid->Options() - goEditing);
    }

    void Settle() { QApplication::processEvents(); }
    void Note(const String& s) { log.push_back(s); }
    void Expect(const std::vector<String>& expected)
    {
        EXPECT_EQ(log, expected);
        log.clear();
    }
    // The centre of a displayed cell.
    TPoint At(int col, int row)
    {
        const TRect r = grid->CellRect(col, row);
        return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }
    void RecordChanges()
    {
        grid->OnRowChanging = [this](TObject*, int o, int n, bool&) { Note(QStringLiteral("Row %1>%2").arg(o).arg(n)); };
        grid->OnColChanging = [this](TObject*, int o, int n, bool&) { Note(QStringLiteral("Col %1>%2").arg(o).arg(n)); };
        grid->OnCellChanging = [this](TObject*, int orow, int ocol, int nrow, int ncol, bool&) {
            Note(QStringLiteral("Cell %1,%2>%3,%4").arg(ocol).arg(orow).arg(ncol).arg(nrow));
        };
    }
    // A click with a modifier key held, as the keyboard state shows it.
    void ClickWith(const TPoint& at, int vk, Qt::KeyboardModifiers mods)
    {
        SetKeyDown(vk, true);
        Simulate::MouseDown(grid, at, Qt::LeftButton, mods);
        Simulate::MouseUp(grid, at, Qt::LeftButton, mods);
        SetKeyDown(vk, false);
    }
};

} // namespace

// ---- Faults of displayed and real columns --------------------------------------------------------

TEST_F(PointerKeys, EnterAdvancesFromEveryCheckBoxColumnBesideAHiddenColumn)
{
    // Check boxes in real 3 and 4 (displayed 2 and 3): each is left by Enter.
    for (int r = 1; r < 10; ++r) {
        grid->AddCheckBox(3, r, false, false);
        grid->AddCheckBox(4, r, false, false);
    }
    grid->SetOptions(grid->Options() + goEditing);
    grid->Navigation()->SetAdvanceOnEnter(true);
    for (int start : {2, 3}) {
        SCOPED_TRACE(start);
        grid->GotoCell(start, 2);
        Simulate::Key(grid, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        EXPECT_EQ(grid->Col(), start + 1);
        EXPECT_EQ(grid->Row(), 2);
    }
}

TEST_F(PointerKeys, ACellButtonBesideAHiddenColumnIsPushedAndClickedInItsOwnCell)
{
    grid->AddButton(3, 2, 40, 18, QStringLiteral("Go"), TCellHAlign::haFull, TCellVAlign::vaFull);
    grid->SetOptions(grid->Options() + goEditing);
    grid->OnButtonClick = [this](TObject*, int c, int r) { Note(QStringLiteral("Button %1,%2").arg(c).arg(r)); };
    Simulate::MouseDown(grid, At(2, 2));
    EXPECT_TRUE(grid->GetCellGraphic(3, 2)->CellBoolean()) << "drawn pushed while held";
    Simulate::MouseUp(grid, At(2, 2));
    EXPECT_FALSE(grid->GetCellGraphic(3, 2)->CellBoolean());
    Expect({"Button 2,2"});
    // Released off the button: drawn raised, no click.
    Simulate::MouseDown(grid, At(2, 2));
    Simulate::MouseUp(grid, At(4, 4));
    EXPECT_FALSE(grid->GetCellGraphic(3, 2)->CellBoolean());
    Expect({});
}

TEST_F(PointerKeys, AColumnSizedByDraggingTakesItsWidthOnlyWhenReleasedInsideTheGrid)
{
    grid->SetOptions(grid->Options() + goColSizing);
    struct Case {
        int releaseX;
        int width;
    };
    const int border = grid->CellRect(2, 0).Right;
    for (const Case& c : {Case{500 + 40, 64}, Case{border + 20, 84}}) {
        SCOPED_TRACE(c.releaseX);
        grid->SetColWidths(2, 64);
        const int y = grid->CellRect(2, 0).Top + 5;
        Simulate::MouseMove(grid, {border, y});
        Simulate::MouseDown(grid, {border, y});
        ASSERT_EQ(grid->GridState(), gsColSizing);
        Simulate::MouseMove(grid, {c.releaseX, y}, Qt::LeftButton);
        Simulate::MouseUp(grid, {c.releaseX, y});
        EXPECT_EQ(grid->ColWidths(2), c.width);
        EXPECT_EQ(grid->GridState(), gsNormal);
    }
}

// ---- Cell changes -----------------------------------------------------------------------------------

TEST_F(PointerKeys, ArrowKeysAskTheRowOrColumnThatChangesAndTheCellOnce)
{
    RecordChanges();
    grid->GotoCell(2, 2);
    log.clear();
    Simulate::Key(grid, Qt::Key_Down);
    Expect({"Row 2>3", "Cell 2,2>2,3"});
    Simulate::Key(grid, Qt::Key_Right);
    Expect({"Col 2>3", "Cell 2,3>3,3"});
    EXPECT_EQ(grid->Col(), 3);
    EXPECT_EQ(grid->Row(), 3);
}

TEST_F(PointerKeys, ARefusedCellChangeLeavesTheCursorAndSkipsOnSelectCell)
{
    grid->GotoCell(2, 2);
    int selects = 0;
    grid->OnSelectCell = [&](TObject*, int, int, bool&) { ++selects; };
    grid->OnCellChanging = [](TObject*, int, int, int, int, bool& allow) { allow = false; };
    Simulate::Click(grid, At(4, 5));
    Simulate::Key(grid, Qt::Key_Down);
    Simulate::Key(grid, Qt::Key_Right);
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_EQ(selects, 0);
    EXPECT_EQ(grid->Selection(), (TGridRect{2, 2, 2, 2}));
}

TEST_F(PointerKeys, EnterAdvanceAsksOnCellChangingOnceAndTheRowOrColumnOnTheWay)
{
    grid->SetOptions(grid->Options() + goEditing);
    grid->Navigation()->SetAdvanceOnEnter(true);
    grid->GotoCell(5, 2);
    Simulate::Key(grid, Qt::Key_F2);
    ASSERT_TRUE(grid->EditorMode());
    RecordChanges();
    // From the editor, at the row end, the advance goes to the next row's first column.
    Simulate::TypeIntoFocus(QStringLiteral("\r"));
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_EQ(grid->Row(), 3);
    Expect({"Cell 5,2>1,3", "Col 5>1", "Row 2>3"});
}

// ---- Disjunct row selection at the press --------------------------------------------------------

TEST_F(PointerKeys, DisjunctRowsAPlainClickSelectsOneRowCtrlClickAddsAndRemoves)
{
    grid->MouseActions()->SetDisjunctRowSelect(true);
    auto rows = [this] {
        std::vector<int> out;
        for (int r = grid->FixedRows(); r < grid->RowCount(); ++r)
            if (grid->GetRowSelect(r)) out.push_back(r);
        return out;
    };
    Simulate::Click(grid, At(2, 2));
    Simulate::Click(grid, At(2, 4));
    EXPECT_EQ(rows(), (std::vector<int>{4}));
    ClickWith(At(3, 2), VK_CONTROL, Qt::ControlModifier);
    ClickWith(At(3, 6), VK_CONTROL, Qt::ControlModifier);
    EXPECT_EQ(rows(), (std::vector<int>{2, 4, 6}));
    ClickWith(At(3, 4), VK_CONTROL, Qt::ControlModifier);
    EXPECT_EQ(rows(), (std::vector<int>{2, 6}));
    Simulate::Click(grid, At(2, 7));
    EXPECT_EQ(rows(), (std::vector<int>{7}));
}

// ---- Key down and key up ---------------------------------------------------------------------------

TEST_F(PointerKeys, CtrlDownAndUpCarryTheSelectedRowAlongButNotPastAnEdge)
{
    grid->Navigation()->SetCursorMoveRows(true);
    grid->GotoCell(2, 3);
    SetKeyDown(VK_CONTROL, true);
    Simulate::Key(grid, Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(grid->Row(), 4);
    EXPECT_EQ(grid->GetCellEx(0, 4), "0:3") << "the row moved with the cursor";
    EXPECT_EQ(grid->GetCellEx(0, 3), "0:4");
    Simulate::Key(grid, Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(grid->Row(), 3);
    EXPECT_EQ(grid->GetCellEx(0, 3), "0:3");
    // At the first data row Ctrl+Up leaves rows and cursor alone.
    grid->GotoCell(2, 1);
    Simulate::Key(grid, Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_EQ(grid->GetCellEx(0, 1), "0:1");
    // A block of rows travels whole and stays selected over the data columns.
    grid->SetOptions(grid->Options() + goRangeSelect);
    grid->SetSelection(TGridRect{2, 5, 3, 6});
    Simulate::Key(grid, Qt::Key_Down, Qt::ControlModifier);
    SetKeyDown(VK_CONTROL, false);
    EXPECT_EQ(grid->GetCellEx(0, 6), "0:5");
    EXPECT_EQ(grid->GetCellEx(0, 7), "0:6");
    EXPECT_EQ(grid->GetCellEx(0, 5), "0:7");
    EXPECT_EQ(grid->Selection(), (TGridRect{1, 6, 5, 7}));
}

TEST_F(PointerKeys, CursorAdvanceWrapsAtTheEdgesLoopingOrSnaking)
{
    struct Case {
        TCursorAdvance mode;
        int key, fromCol, fromRow, toCol, toRow;
    };
    const Case cases[] = {
        {TCursorAdvance::caLoop, Qt::Key_Left, 1, 4, 5, 4},   {TCursorAdvance::caSnake, Qt::Key_Left, 1, 4, 5, 3},
        {TCursorAdvance::caSnake, Qt::Key_Left, 1, 1, 5, 1},  {TCursorAdvance::caLoop, Qt::Key_Right, 5, 4, 1, 4},
        {TCursorAdvance::caSnake, Qt::Key_Right, 5, 4, 1, 5}, {TCursorAdvance::caLoop, Qt::Key_Up, 3, 1, 3, 9},
        {TCursorAdvance::caSnake, Qt::Key_Up, 3, 1, 2, 9},    {TCursorAdvance::caLoop, Qt::Key_Down, 3, 9, 3, 1},
        {TCursorAdvance::caSnake, Qt::Key_Down, 3, 9, 4, 1},  {TCursorAdvance::caDefault, Qt::Key_Left, 1, 4, 1, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QStringLiteral("mode %1 key %2 from %3,%4").arg(int(c.mode)).arg(c.key).arg(c.fromCol).arg(c.fromRow).toStdString());
        grid->Navigation()->SetCursorAdvance(c.mode);
        grid->GotoCell(c.fromCol, c.fromRow);
        Simulate::Key(grid, c.key);
        EXPECT_EQ(grid->Col(), c.toCol);
        EXPECT_EQ(grid->Row(), c.toRow);
    }
}

TEST_F(PointerKeys, UpAndDownStepOverDisabledRows)
{
    grid->SetRowEnabled(3, false);
    grid->SetRowEnabled(4, false);
    grid->GotoCell(2, 2);
    Simulate::Key(grid, Qt::Key_Down);
    EXPECT_EQ(grid->Row(), 5);
    Simulate::Key(grid, Qt::Key_Up);
    EXPECT_EQ(grid->Row(), 2);
    grid->Navigation()->SetSkipDisabledRows(false);
    Simulate::Key(grid, Qt::Key_Down);
    EXPECT_EQ(grid->Row(), 3);
}

// Typed characters go to the lookup only while the grid does not edit.
TEST_F(PointerKeys, NavigationKeysButHomeClearTheIncrementalLookup)
{
    BrowseOnly();
    for (int key : {Qt::Key_End, Qt::Key_PageDown, Qt::Key_Left, Qt::Key_Down, Qt::Key_Insert, Qt::Key_Delete}) {
        SCOPED_TRACE(key);
        grid->Navigation()->SetAutoGotoWhenSorted(true);
        grid->Navigation()->SetAutoGotoIncremental(true);
        grid->GotoCell(1, 2);
        Simulate::Type(grid, QStringLiteral("2"));
        ASSERT_EQ(grid->IncrSearchText(), "2");
        Simulate::Key(grid, key);
        EXPECT_EQ(grid->IncrSearchText(), "");
    }
    Simulate::Type(grid, QStringLiteral("2"));
    Simulate::Key(grid, Qt::Key_Home);
    EXPECT_EQ(grid->IncrSearchText(), "2");
}

TEST_F(PointerKeys, SpaceTakesTheCurrentCellIntoTheDisjunctSelectionAndCtrlSpaceToggles)
{
    BrowseOnly();
    grid->MouseActions()->SetDisjunctCellSelect(true);
    grid->GotoCell(2, 2);
    Simulate::Key(grid, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    grid->GotoCell(4, 5);
    SetKeyDown(VK_CONTROL, true);
    Simulate::Key(grid, Qt::Key_Space, Qt::ControlModifier, QStringLiteral(" "));
    EXPECT_TRUE(grid->GetSelectedCells(2, 2));
    EXPECT_TRUE(grid->GetSelectedCells(4, 5));
    Simulate::Key(grid, Qt::Key_Space, Qt::ControlModifier, QStringLiteral(" "));
    SetKeyDown(VK_CONTROL, false);
    EXPECT_FALSE(grid->GetSelectedCells(4, 5));
    // A plain Space starts over; a refusing OnSelectCell leaves the list.
    Simulate::Key(grid, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    EXPECT_FALSE(grid->GetSelectedCells(2, 2));
    EXPECT_TRUE(grid->GetSelectedCells(4, 5));
    grid->OnSelectCell = [](TObject*, int, int, bool& can) { can = false; };
    grid->GotoCell(3, 3);
    grid->OnSelectCell = [](TObject*, int, int, bool& can) { can = false; };
    Simulate::Key(grid, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    EXPECT_FALSE(grid->GetSelectedCells(3, 3));
    EXPECT_TRUE(grid->GetSelectedCells(4, 5));
}

// ---- Mouse up ----------------------------------------------------------------------------------------

TEST_F(PointerKeys, DisjunctCellClicksStartOverAddOrToggleAndAskOnSelectCell)
{
    grid->MouseActions()->SetDisjunctCellSelect(true);
    Simulate::Click(grid, At(2, 2));
    ClickWith(At(4, 4), VK_CONTROL, Qt::ControlModifier);
    EXPECT_TRUE(grid->GetSelectedCells(2, 2));
    EXPECT_TRUE(grid->GetSelectedCells(4, 4));
    ClickWith(At(4, 4), VK_CONTROL, Qt::ControlModifier);
    EXPECT_FALSE(grid->GetSelectedCells(4, 4));
    Simulate::Click(grid, At(3, 6));
    EXPECT_FALSE(grid->GetSelectedCells(2, 2));
    EXPECT_TRUE(grid->GetSelectedCells(3, 6));
    EXPECT_EQ(grid->SelectedCellsCount(), 1);
    int asked = 0;
    grid->OnSelectCell = [&](TObject*, int c, int r, bool& can) {
        ++asked;
        can = !(c == 5 && r == 7);
    };
    ClickWith(At(5, 7), VK_CONTROL, Qt::ControlModifier);
    EXPECT_FALSE(grid->GetSelectedCells(5, 7));
    EXPECT_GT(asked, 0);
}

TEST_F(PointerKeys, AReleaseReportsTheSelectionEvenWhenTheClickLeftItAsItWas)
{
    std::vector<TGridRect> reports;
    grid->OnSelectionChanged = [&](TObject*, int l, int t, int r, int b) { reports.push_back({l, t, r, b}); };
    grid->GotoCell(2, 2);
    reports.clear();
    Simulate::Click(grid, At(2, 2));
    ASSERT_FALSE(reports.empty());
    EXPECT_EQ(reports.back(), (TGridRect{2, 2, 2, 2}));
    reports.clear();
    Simulate::Click(grid, At(3, 4));
    ASSERT_FALSE(reports.empty());
    EXPECT_EQ(reports.back(), (TGridRect{3, 4, 3, 4}));
}

TEST_F(PointerKeys, TheHeaderFilterButtonOpensTheColumnsListUnderItAndAnotherClickClosesIt)
{
    grid->Columns()->Items(3)->Filter()->Add(QStringLiteral("low=<10"));
    grid->Columns()->Items(3)->Filter()->Add(QStringLiteral("in range"));
    TFilterData* cond = grid->Filter()->Add();
    cond->SetColumn(3);
    cond->SetCondition(QStringLiteral("\"in range\""));
    grid->SetFilterDropDownCheck(true);
    const TRect header = grid->CellRect(2, 0);
    // The button: the cell's rightmost 16 pixels, not its last 3, the top 19.
    Simulate::Click(grid, {header.Right - 10, header.Top + 5});
    EXPECT_EQ(grid->FilterListColumn(), 3);
    ASSERT_EQ(grid->FilterListItems().Count(), 2);
    EXPECT_EQ(grid->FilterListItems().Strings(0), "low");
    EXPECT_EQ(grid->FilterListItems().Strings(1), "in range");
    EXPECT_FALSE(grid->FilterListTicked(0));
    EXPECT_TRUE(grid->FilterListTicked(1));
    const TRect list = grid->FilterListBounds();
    EXPECT_EQ(list.Left, header.Right - 16);
    EXPECT_EQ(list.Top, header.Top + 16);
    Simulate::Click(grid, At(4, 4));
    EXPECT_EQ(grid->FilterListColumn(), -1);
    // A column without a filter list opens nothing; nor does the last 3 pixels.
    const TRect other = grid->CellRect(3, 0);
    Simulate::Click(grid, {other.Right - 10, other.Top + 5});
    EXPECT_EQ(grid->FilterListColumn(), -1);
    Simulate::Click(grid, {header.Right - 2, header.Top + 5});
    EXPECT_EQ(grid->FilterListColumn(), -1);
}

// ---- Mouse down -------------------------------------------------------------------------------------

TEST_F(PointerKeys, TheFixedDropDownButtonAsksItsHandlerAndPopsTheMenuUnderTheCell)
{
    TPopupMenu menu(form.get());
    grid->ControlLook()->SetFixedDropDownButton(true);
    grid->SetHoverFixedCells(THoverFixedCells::hfFixedRows);
    std::vector<int> asked;
    grid->OnFixedDropDownClick = [&](TObject*, int col, TPopupMenu*& m, bool& keep) {
        asked.push_back(col);
        m = &menu;
        keep = false;
    };
    const TRect header = grid->CellRect(3, 0);
    Simulate::Click(grid, {header.Right - 8, header.Top + 5});
    EXPECT_EQ(asked, (std::vector<int>{3}));
    ASSERT_EQ(seams.Popups.size(), 1u);
    EXPECT_EQ(seams.Popups[0].Menu, &menu);
    const TPoint expected = grid->ClientToScreen(TPoint{header.Right - 16, header.Bottom});
    EXPECT_EQ(seams.Popups[0].X, expected.X);
    EXPECT_EQ(seams.Popups[0].Y, expected.Y);
    // Left of the button the press is an ordinary header click.
    Simulate::Click(grid, {header.Left + 8, header.Top + 5});
    EXPECT_EQ(asked.size(), 1u);
}

TEST_F(PointerKeys, ALeftClickEditsAFixedCellKeepingClearOfTheSizingBorders)
{
    grid->MouseActions()->SetFixedRowsEdit(TGridFixedCellEdit::fceLeftClick);
    grid->SetOptions(grid->Options() + goColSizing);
    const TRect header = grid->CellRect(3, 0);
    Simulate::Click(grid, {header.Right - 3, header.Top + 5});
    ASSERT_TRUE(grid->TransEdit());
    EXPECT_FALSE(grid->TransEdit()->Visible()) << "too near the border";
    Simulate::Click(grid, {(header.Left + header.Right) / 2, (header.Top + header.Bottom) / 2});
    EXPECT_TRUE(grid->TransEdit()->Visible());
}

// ---- Mouse move and leave ----------------------------------------------------------------------------

TEST_F(PointerKeys, HoverFollowsTheRowAndLeavingClearsIt)
{
    grid->SetHoverRow(true);
    Simulate::MouseMove(grid, At(3, 4));
    EXPECT_EQ(grid->HoverRowIdx(), 4);
    Simulate::MouseMove(grid, At(2, 6));
    EXPECT_EQ(grid->HoverRowIdx(), 6);
    Simulate::Leave(grid);
    EXPECT_EQ(grid->HoverRowIdx(), -1);
}

TEST_F(PointerKeys, DraggingDownTheRowHeadersSelectsWholeRows)
{
    grid->MouseActions()->SetRowSelect(true);
    Simulate::MouseMove(grid, At(0, 2));
    Simulate::MouseDown(grid, At(0, 2));
    Simulate::MouseMove(grid, At(0, 5), Qt::LeftButton);
    Simulate::MouseUp(grid, At(0, 5));
    EXPECT_EQ(grid->Selection(), (TGridRect{1, 2, 5, 5}));
}

TEST_F(PointerKeys, SizingAColumnReportsItsWidthAndShowsTheHint)
{
    grid->SetOptions(grid->Options() + goColSizing);
    grid->SetHintShowSizing(true);
    std::vector<int> widths;
    grid->OnColumnSizing = [&](TObject*, int c, int w) {
        if (c == 2) widths.push_back(w);
    };
    const int border = grid->CellRect(2, 0).Right;
    const int y = 5;
    Simulate::MouseMove(grid, {border, y});
    Simulate::MouseDown(grid, {border, y});
    Simulate::MouseMove(grid, {border + 10, y}, Qt::LeftButton);
    ASSERT_FALSE(widths.empty());
    EXPECT_EQ(widths.back(), 74);
    ASSERT_TRUE(grid->ScrollHintWindow());
    EXPECT_TRUE(grid->ScrollHintWindow()->Visible());
    EXPECT_EQ(grid->ScrollHintWindow()->Caption(), "cw=<b>74</b>");
    Simulate::MouseUp(grid, {border + 10, y});
    EXPECT_EQ(grid->ColWidths(2), 74);
    EXPECT_FALSE(grid->ScrollHintWindow()->Visible());
}

TEST_F(PointerKeys, AFixedColumnIsSizedByItsRightBorder)
{
    grid->MouseActions()->SetSizeFixedCol(true);
    int ended = -1;
    grid->OnEndColumnSize = [&](TObject*, int c) { ended = c; };
    const int border = grid->ColWidths(0);
    // Three pixels off is not on the border.
    Simulate::MouseMove(grid, {border + 3, At(0, 3).Y});
    Simulate::MouseDown(grid, {border + 3, At(0, 3).Y});
    Simulate::MouseUp(grid, {border + 3, At(0, 3).Y});
    EXPECT_EQ(ended, -1);
    Simulate::MouseMove(grid, {border + 2, At(0, 3).Y});
    Simulate::MouseDown(grid, {border + 2, At(0, 3).Y});
    Simulate::MouseMove(grid, {border + 30, At(0, 3).Y}, Qt::LeftButton);
    // The dotted line follows the pointer, inverting what lies under it, and goes with the release.
    auto inverted = [this](int x) {
        const QImage img = grid->PaintToImage();
        int count = 0;
        for (int y = 0; y < img.height(); ++y) count += img.pixelColor(x, y) != img.pixelColor(x + 3, y);
        return count;
    };
    EXPECT_GT(inverted(border + 30), grid->Height() / 4);
    Simulate::MouseMove(grid, {border + 40, At(0, 3).Y}, Qt::LeftButton);
    EXPECT_GT(inverted(border + 40), grid->Height() / 4);
    EXPECT_LT(inverted(border + 30), grid->Height() / 8);
    Simulate::MouseMove(grid, {border + 30, At(0, 3).Y}, Qt::LeftButton);
    Simulate::MouseUp(grid, {border + 30, At(0, 3).Y});
    EXPECT_LT(inverted(border + 40), grid->Height() / 8);
    EXPECT_EQ(ended, 0);
    EXPECT_EQ(grid->ColWidths(0), border + 30);
}

TEST_F(PointerKeys, AnchorsReportEnteringAndLeaving)
{
    grid->SetCellEx(3, 3, QStringLiteral("<a href=\"x\">link</a> and more text"));
    grid->SetColWidths(2, 200);
    const TRect r = grid->CellRect(2, 3);
    grid->OnAnchorEnter = [this](TObject*, int row, int col, const String& a) {
        Note(QStringLiteral("Enter %1,%2 %3").arg(col).arg(row).arg(a));
    };
    grid->OnAnchorExit = [this](TObject*, int row, int col, const String& a) {
        Note(QStringLiteral("Exit %1,%2 [%3]").arg(col).arg(row).arg(a));
    };
    Simulate::MouseMove(grid, {r.Left + 6, (r.Top + r.Bottom) / 2});
    Simulate::MouseMove(grid, {r.Left + 8, (r.Top + r.Bottom) / 2});
    Simulate::MouseMove(grid, {r.Left + 150, (r.Top + r.Bottom) / 2});
    Expect({"Enter 2,3 x", "Exit 2,3 []"});
}

// ---- Press rules ---------------------------------------------------------------------------------

TEST_F(PointerKeys, ARightClickOnOneOfSeveralSelectedRowsKeepsThemForThePopUp)
{
    TPopupMenu menu(form.get());
    grid->SetPopupMenu(&menu);
    grid->MouseActions()->SetDisjunctRowSelect(true);
    grid->MouseActions()->SetSelectOnRightClick(true);
    Simulate::Click(grid, At(2, 2));
    ClickWith(At(2, 5), VK_CONTROL, Qt::ControlModifier);
    ASSERT_TRUE(grid->GetRowSelect(2) && grid->GetRowSelect(5));
    Simulate::MouseDown(grid, At(3, 5), Qt::RightButton);
    Simulate::MouseUp(grid, At(3, 5), Qt::RightButton);
    EXPECT_TRUE(grid->GetRowSelect(2));
    EXPECT_TRUE(grid->GetRowSelect(5));
    // On a row outside the selection only that row stays.
    Simulate::MouseDown(grid, At(3, 7), Qt::RightButton);
    Simulate::MouseUp(grid, At(3, 7), Qt::RightButton);
    EXPECT_FALSE(grid->GetRowSelect(2));
    EXPECT_FALSE(grid->GetRowSelect(5));
    EXPECT_TRUE(grid->GetRowSelect(7));
}
