// The grid's own focus handling: AlwaysEdit opening the text editor when the
// grid gains the focus from elsewhere, the search bar's accelerators, and the
// pointer's cursor over headers, borders and cells.

#include "grid/ZvColumnGrid.h"

#include "platform/Forms.h"
#include "platform/StdCtrls.h"

#include "grid/services/panels/ZvSearchPanel.h"
#include "tests/common/TestSeams.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <vector>

namespace {

struct GridFocus : ::testing::Test {
    TTestSeams seams;
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
    TZvColumnGrid* grid = nullptr;
    TEdit* other = nullptr;

    // Column 0 read-only, column 1 text, column 2 a data check box; a text box beside the grid.
    void SetUp() override
    {
        ClearKeyStates();
        form->SetBounds(0, 0, 480, 360);
        other = new TEdit(form.get());
        other->SetParent(form.get());
        other->SetBounds(0, 320, 100, 24);
        grid = new TZvColumnGrid(form.get());
        grid->SetParent(form.get());
        grid->SetBounds(0, 0, 460, 300);
        grid->SetColCount(3);
        grid->SetRowCount(4);
        grid->SetFixedCols(0);
        grid->Columns()->Items(0)->SetReadOnly(true);
        grid->Columns()->Items(2)->SetEditor(TEditorType::edDataCheckBox);
        for (int r = 1; r < 4; ++r) grid->SetCellEx(1, r, QStringLiteral("abc"));
        grid->SetOptions(grid->Options() + goEditing);
        grid->Navigation()->SetAlwaysEdit(true);
        form->Show();
        grid->SetRow(1);
    }
    void TearDown() override { ClearKeyStates(); }

    bool EditorShown() { return grid->InplaceEditor() && grid->InplaceEditor()->Visible(); }
    // Gives the focus to the text box, moves the grid to the cell, and gives the grid the focus back.
    void EnterGridAt(int ACol)
    {
        other->SetFocus();
        grid->SetCol(ACol);
        grid->SetFocus();
    }
};

TEST_F(GridFocus, AlwaysEditOpensTheTextEditorOnlyOnAnEditableTextCell)
{
    // The text editor exists once it has been opened; from then on gaining the focus reopens it.
    EnterGridAt(1);
    Simulate::Key(grid, Qt::Key_F2);
    ASSERT_TRUE(EditorShown());
    Simulate::Key(grid->InplaceEditor(), Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b"));
    EXPECT_FALSE(EditorShown()) << "focus coming back from the editor does not reopen it";

    EnterGridAt(1);
    EXPECT_TRUE(EditorShown()) << "entering an editable text cell opens the editor";
    EXPECT_EQ(grid->InplaceEditor()->Text(), QStringLiteral("abc"));

    grid->OnCanEditCell = [](TObject*, int, int ACol, bool& CanEdit) { CanEdit = ACol != 1; };
    EnterGridAt(1);
    EXPECT_FALSE(EditorShown()) << "a cell the handler refuses stays closed";
}

TEST_F(GridFocus, AlwaysEditLeavesACheckBoxCellAlone)
{
    EnterGridAt(1);
    Simulate::Key(grid, Qt::Key_F2);
    Simulate::Key(grid->InplaceEditor(), Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b"));
    EnterGridAt(2);
    EXPECT_FALSE(EditorShown());
    EXPECT_EQ(grid->Cells(2, 1), String()) << "gaining the focus toggles nothing";
}

TEST_F(GridFocus, SearchBarAcceleratorsRunOnlyShownButtons)
{
    int forward = 0, backward = 0;
    grid->SearchPanel()->OnForwardClick = [&](TObject*) { ++forward; };
    grid->SearchPanel()->OnBackwardClick = [&](TObject*) { ++backward; };
    grid->SearchFooter()->SetFindNextCaption(QStringLiteral("Find &next"));
    grid->SearchFooter()->SetFindPrevCaption(QStringLiteral("Find &previous"));

    EXPECT_EQ(grid->Perform(CM_DIALOGCHAR, 'n', 0), 0) << "no search bar, no accelerator";
    EXPECT_EQ(forward, 0);

    grid->SearchFooter()->SetVisible(true);
    EXPECT_NE(grid->Perform(CM_DIALOGCHAR, 'n', 0), 0);
    EXPECT_NE(grid->Perform(CM_DIALOGCHAR, 'P', 0), 0);
    EXPECT_EQ(grid->Perform(CM_DIALOGCHAR, 'x', 0), 0) << "a character that is no accelerator is not handled";
    EXPECT_EQ(forward, 1);
    EXPECT_EQ(backward, 1);

    grid->SearchFooter()->SetShowFindPrev(false);
    EXPECT_EQ(grid->Perform(CM_DIALOGCHAR, 'p', 0), 0) << "a hidden button has no accelerator";
    EXPECT_EQ(backward, 1);
}

TEST_F(GridFocus, AnEndedTextEditIsReportedOnceWhereverTheFocusGoes)
{
    grid->Navigation()->SetAlwaysEdit(false);
    std::vector<String> log;
    grid->OnEditingDone = [&](TObject*) { log.push_back(QStringLiteral("EditingDone")); };
    grid->OnEditCellDone = [&](TObject*, int c, int r) { log.push_back(QStringLiteral("EditCellDone %1,%2").arg(c).arg(r)); };
    EnterGridAt(1);

    // Enter gives the focus back to the grid.
    Simulate::Key(grid, Qt::Key_F2);
    Simulate::Type(grid->InplaceEditor(), QStringLiteral("x"));
    Simulate::Key(grid->InplaceEditor(), Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QCoreApplication::processEvents();
    EXPECT_EQ(log, (std::vector<String>{QStringLiteral("EditingDone"), QStringLiteral("EditCellDone 1,1")}));
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("x"));
    EXPECT_EQ(FindFocusedControl(), grid);

    // Another control takes the focus: the text is validated and stored on the way out.
    log.clear();
    Simulate::Key(grid, Qt::Key_F2);
    Simulate::Type(grid->InplaceEditor(), QStringLiteral("y"));
    other->SetFocus();
    QCoreApplication::processEvents();
    EXPECT_EQ(log, (std::vector<String>{QStringLiteral("EditingDone"), QStringLiteral("EditCellDone 1,1")}));
    EXPECT_FALSE(EditorShown());
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("y"));
}

TEST_F(GridFocus, ThePointerShowsTheSelectionModeTheBorderOrTheApplicationsCellCursor)
{
    grid->SetColCount(4);
    grid->HideColumn(1);
    grid->SetOptions(grid->Options() + goColSizing);
    grid->MouseActions()->SetColSelect(true);
    std::vector<int> cursorCols;
    grid->OnGetCellCursor = [&](TObject*, int ACol, int, int, int, TCursor& ACursor) {
        cursorCols.push_back(ACol);
        ACursor = crHandPoint;
    };
    auto shapeAt = [&](const TPoint& p) {
        Simulate::MouseMove(grid, p);
        return grid->Handle()->cursor().shape();
    };
    const TRect header = grid->CellRect(1, 0);
    const TRect cell = grid->CellRect(1, 1);

    EXPECT_EQ(shapeAt({header.Left + 10, header.Top + 5}), Qt::UpArrowCursor) << "column selection over a header";
    EXPECT_EQ(shapeAt({header.Right - 1, header.Top + 5}), Qt::SplitHCursor) << "a sizing border wins";
    EXPECT_EQ(shapeAt({cell.Left + 10, cell.Top + 5}), Qt::PointingHandCursor);
    EXPECT_EQ(cursorCols, std::vector<int>{2}) << "the handler gets the real column past the hidden one";
}

TEST_F(GridFocus, AGridDestroyedWithAnOpenEditRunsNoHandler)
{
    grid->Navigation()->SetAlwaysEdit(false);
    grid->HideColumn(2);
    int validations = 0;
    grid->OnCellValidate = [&](TObject*, int, int, String&, bool&) { ++validations; };
    EnterGridAt(1);
    Simulate::Key(grid, Qt::Key_F2);
    Simulate::Type(grid->InplaceEditor(), QStringLiteral("typed"));
    ASSERT_TRUE(EditorShown());
    delete grid;
    grid = nullptr;
    EXPECT_EQ(validations, 0);
}

} // namespace
