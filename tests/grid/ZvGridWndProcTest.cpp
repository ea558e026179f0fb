// The column grid's window procedure: the wheel (touchpad steps adding up to
// notches, rows by the system's wheel lines, scrolling, a parent that takes
// the wheel, zoom), the end-of-edit message, the editors' notifications turned
// into the combo events, typing mirrored into the cell, and the pan mode on
// the test clock.

#include "tests/common/TestSeams.h"
#include "tests/common/TestUtil.h"

#include "grid/ZvColumnGrid.h"
#include "grid/ZvGridPrivate.h"

#include "grid/editors/ZvGridCombo.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

constexpr UINT CM_MOUSEWHEEL = 0xB043;
constexpr WORD EN_CHANGE = 0x0300;

// The editor state the editing steps set, reachable for the test.
class TProcGrid : public TZvColumnGrid {
public:
    using TZvColumnGrid::TZvColumnGrid;
    void OpenEditor(TEditorType Kind)
    {
        d->FInEditMode = true;
        d->FCurrentEditor = Kind;
        d->FShowEditProcess = IsTextEditorKind(Kind) || Kind == TEditorType::edSpinEdit;
    }
    void SetEditStart(bool Value) { d->FEditStart = Value; }
};

// A form that takes the wheel messages offered to it while Take is set.
class TWheelTakingForm : public TForm {
public:
    using TForm::TForm;
    bool Take = false;
    int Offered = 0;

protected:
    void WndProc(TMessage& Message) override
    {
        if (Message.Msg == CM_MOUSEWHEEL) {
            ++Offered;
            Message.Result = Take ? 1 : 0;
            return;
        }
        TForm::WndProc(Message);
    }
};

struct GridWndProc : ::testing::Test {
    TTestSeams seams;
    std::unique_ptr<TForm> form = std::make_unique<TWheelTakingForm>(nullptr);
    TProcGrid* grid = nullptr;
    std::vector<String> log;
    const int lines = QApplication::wheelScrollLines();

    void SetUp() override
    {
        ClearKeyStates();
        form->SetBounds(0, 0, 480, 320);
        grid = new TProcGrid(form.get());
        grid->SetParent(form.get());
        grid->SetBounds(0, 0, 460, 300);
        grid->SetColCount(6);
        grid->SetRowCount(40);
        for (int c = 0; c < 6; ++c) grid->SetColWidths(c, 64);
        form->Show();
        grid->SetFocus();
    }
    void TearDown() override { ClearKeyStates(); }

    TWheelTakingForm* Parent() { return static_cast<TWheelTakingForm*>(form.get()); }
    TPoint Middle(int c, int r)
    {
        const TRect rc = grid->CellRect(c, r);
        return {(rc.Left + rc.Right) / 2, (rc.Top + rc.Bottom) / 2};
    }
    void RecordComboEvents()
    {
        grid->OnComboChange = [this](TObject* s, int c, int r, int i, const String& t) {
            EXPECT_EQ(s, grid);
            log.push_back(QStringLiteral("Change c%1 r%2 i%3 %4").arg(c).arg(r).arg(i).arg(t));
        };
        grid->OnComboObjectChange = [this](TObject*, int c, int, int i, const String&, TObject*) {
            log.push_back(QStringLiteral("ObjectChange c%1 i%2").arg(c).arg(i));
        };
        grid->OnComboCloseUp = [this](TObject*, int r, int c) {
            log.push_back(QStringLiteral("CloseUp r%1 c%2").arg(r).arg(c));
        };
        grid->OnComboDropDown = [this](TObject*, int r, int c) {
            log.push_back(QStringLiteral("DropDown r%1 c%2").arg(r).arg(c));
        };
    }
    void Expect(const std::vector<String>& expected)
    {
        EXPECT_EQ(log, expected);
        log.clear();
    }
};

// ---- The wheel --------------------------------------------------------------------------------------------
TEST_F(GridWndProc, TouchpadStepsAddUpToNotchesThatMoveTheRowByTheWheelLines)
{
    grid->SetFixedFooters(1);
    grid->SetRow(2);
    // Three touchpad steps of 40 make one notch towards the user.
    Simulate::Wheel(grid, Middle(2, 2), -40);
    Simulate::Wheel(grid, Middle(2, 2), -40);
    EXPECT_EQ(grid->Row(), 2);
    Simulate::Wheel(grid, Middle(2, 2), -40);
    EXPECT_EQ(grid->Row(), 2 + lines);
    // A step the other way drops what was left over.
    Simulate::Wheel(grid, Middle(2, 2), -100);
    Simulate::Wheel(grid, Middle(2, 2), 30);
    Simulate::Wheel(grid, Middle(2, 2), 90);
    EXPECT_EQ(grid->Row(), 2) << "one notch away from the user";
    // Many notches stop on the last row before the footer.
    for (int i = 0; i < 30; ++i) Simulate::Wheel(grid, Middle(2, 2), -WHEEL_DELTA);
    EXPECT_EQ(grid->Row(), grid->RowCount() - 2);
    EXPECT_GE(grid->TopRow() + grid->VisibleRowCount(), grid->Row()) << "the view follows the row";
}

TEST_F(GridWndProc, WheelActionIncrementAndDisabledWheel)
{
    struct Case {
        TWheelAction action;
        int increment;
        bool enabled;
        int row, top;   // after one notch towards the user from row 5, top row 1
    };
    const Case cases[] = {
        {TWheelAction::waMoveSelection, 0, true, 5 + QApplication::wheelScrollLines(), 1},
        {TWheelAction::waMoveSelection, 2, true, 7, 1},
        {TWheelAction::waScroll, 4, true, 5, 5},
        {TWheelAction::waMoveSelection, 0, false, 5, 1},
    };
    for (const Case& c : cases) {
        grid->MouseActions()->SetWheelAction(c.action);
        grid->MouseActions()->SetWheelIncrement(c.increment);
        grid->SetEnableWheel(c.enabled);
        grid->SetTopRow(1);
        grid->SetRow(5);
        int downEvents = 0;
        grid->OnMouseWheelDown = [&](TObject*, TShiftState, TPoint, bool&) { ++downEvents; };
        Simulate::Wheel(grid, Middle(2, 5), -WHEEL_DELTA);
        EXPECT_EQ(grid->Row(), c.row) << int(c.action) << " " << c.increment;
        EXPECT_EQ(grid->TopRow(), c.top) << int(c.action) << " " << c.increment;
        EXPECT_EQ(downEvents, c.increment != 0 && c.enabled ? 1 : 0) << "only a set increment reports the turn";
    }
}

TEST_F(GridWndProc, AParentThatTakesTheWheelLeavesItToTheDefaultWay)
{
    Parent()->Take = true;
    grid->SetRow(5);
    Simulate::Wheel(grid, Middle(2, 5), -WHEEL_DELTA);
    EXPECT_EQ(Parent()->Offered, 1);
    EXPECT_EQ(grid->Row(), 6) << "the platform's default moves one row a notch";
}

TEST_F(GridWndProc, CtrlWheelZoomsWithinTenStepsAndFitsTheCells)
{
    grid->SetCellEx(2, 2, "a text wider than a column");
    const int width = grid->ColWidths(2);
    auto ctrlNotch = [&](int delta) {
        const TPoint at = grid->ClientToScreen(Middle(2, 2));
        grid->Perform(WM_MOUSEWHEEL, MakeWParam(WORD(MK_CONTROL), delta), PointToLParam(at));
    };
    ctrlNotch(-WHEEL_DELTA);
    EXPECT_EQ(grid->ZoomFactor(), lines);
    // After the zoom's step the cells are fitted to their texts at the new size.
    const int zoomedIn = grid->ColWidths(2);
    EXPECT_GT(zoomedIn, width) << "the column takes its text";
    EXPECT_GE(grid->RowHeights(2), grid->DefaultRowHeight());
    for (int i = 0; i < 2; ++i) ctrlNotch(WHEEL_DELTA);
    EXPECT_EQ(grid->ZoomFactor(), -lines);
    EXPECT_LT(grid->ColWidths(2), zoomedIn) << "a smaller font, a narrower column";

    // Zoom's own step keeps a size that would reach 0.
    ASSERT_EQ(lines, 3) << "the width below counts on three lines a notch";
    grid->SetZoomFactor(0);
    grid->SetColWidths(1, 2);
    grid->Zoom(3);
    grid->Zoom(-3);
    grid->Zoom(-3);
    EXPECT_EQ(grid->ColWidths(1), 2) << "2 + 3 - 3 - 3 would be -1: the last step left it";

    grid->SetZoomFactor(0);
    for (int i = 0; i < 4; ++i) grid->Zoom(3);
    EXPECT_EQ(grid->ZoomFactor(), 9) << "the fourth step of 3 would leave -10..10";
    grid->Zoom(1);
    EXPECT_EQ(grid->ZoomFactor(), 10);
}

// ---- The end of an edit ---------------------------------------------------------------------------------------
TEST_F(GridWndProc, EditDoneMessageFiresEditCellDoneWithColumnThenRow)
{
    std::vector<std::pair<int, int>> done;
    grid->OnEditCellDone = [&](TObject* s, int c, int r) {
        EXPECT_EQ(s, grid);
        done.push_back({c, r});
    };
    grid->SetOptions(grid->Options() + TGridOptions{goEditing});
    PostMessage(grid, TZvStringGrid::GridEditDoneMessage, 4, 7);
    EXPECT_TRUE(done.empty()) << "posted, so handled after the current message";
    Application->ProcessMessages();
    ASSERT_EQ(done.size(), 1u);
    EXPECT_EQ(done[0], std::make_pair(4, 7));
    EXPECT_TRUE(grid->Options().Contains(goEditing));

    grid->MouseActions()->SetEditOnDblClickOnly(true);
    grid->SetOptions(grid->Options() + TGridOptions{goEditing});
    grid->Perform(TZvStringGrid::GridEditDoneMessage, 2, 3);
    EXPECT_EQ(done.back(), std::make_pair(2, 3));
    EXPECT_FALSE(grid->Options().Contains(goEditing)) << "editing waits for the next double click";
}

// ---- Combo notifications ---------------------------------------------------------------------------------------
TEST_F(GridWndProc, ComboPickFiresComboChangeOnceWithTheRealColumn)
{
    grid->HideColumn(1);   // displayed column 2 is real column 3
    grid->SetCol(2);
    grid->SetRow(4);
    TGridCombo* combo = grid->ComboEditor();
    combo->Items()->Add(QStringLiteral("INT"));
    combo->Items()->Add(QStringLiteral("STRING"));
    RecordComboEvents();

    combo->SetItemIndex(1);
    grid->NotifyEditorCommand(combo, CBN_SELCHANGE);
    Expect({});   // no editor open, no event

    grid->OpenEditor(TEditorType::edComboList);
    grid->NotifyEditorCommand(combo, CBN_DROPDOWN);
    grid->NotifyEditorCommand(combo, CBN_SELCHANGE);
    grid->NotifyEditorCommand(combo, CBN_CLOSEUP);
    Expect({"DropDown r4 c3", "Change c3 r4 i1 STRING", "ObjectChange c3 i1", "CloseUp r4 c3"});
}

TEST_F(GridWndProc, TypingIntoAnEditableComboReportsTheTypedTextNotAStaleItem)
{
    grid->HideColumn(1);
    grid->SetCol(2);
    grid->SetRow(4);
    TGridCombo* combo = grid->ComboEditor();
    combo->Items()->Add(QStringLiteral("public"));
    combo->Items()->Add(QStringLiteral("private"));
    combo->SetItemIndex(1);
    combo->SetText(QStringLiteral("pub"));
    RecordComboEvents();
    grid->OpenEditor(TEditorType::edComboEdit);
    grid->NotifyEditorCommand(combo, CBN_EDITCHANGE);
    // First with the real column, then once more with the displayed one.
    Expect({"Change c3 r4 i-1 pub", "ObjectChange c3 i-1", "Change c2 r4 i-1 pub"});
}

TEST_F(GridWndProc, DirectComboCloseStoresThePickedItemOnCloseUp)
{
    grid->SetCol(3);
    grid->SetRow(2);
    TGridCombo* combo = grid->ComboEditor();
    combo->Items()->Add(QStringLiteral("v1"));
    combo->Items()->Add(QStringLiteral("v2c"));
    combo->SetItemIndex(1);
    RecordComboEvents();
    grid->MouseActions()->SetDirectComboClose(true);
    grid->MouseActions()->SetDirectEdit(true);
    grid->OpenEditor(TEditorType::edComboList);
    grid->NotifyEditorCommand(combo, CBN_CLOSEUP);
    Expect({"Change c3 r2 i1 v2c", "ObjectChange c3 i1", "CloseUp r2 c3"});
    EXPECT_EQ(combo->Text(), QStringLiteral("v2c"));
    EXPECT_TRUE(grid->MouseActions()->DirectEdit()) << "switched off only for the moment";
}

// ---- Typing mirrored into the cell -----------------------------------------------------------------------------
TEST_F(GridWndProc, EditChangesOfAMirroringEditorReachTheCellAtOnce)
{
    auto* spin = new TEdit(form.get());
    spin->SetParent(grid);
    grid->SetCol(2);
    grid->SetRow(3);

    struct Case {
        TEditorType kind;
        bool editStart;
        const char* cell;
    };
    const Case cases[] = {
        {TEditorType::edSpinEdit, false, "11"},
        {TEditorType::edSpinEdit, true, "10"},        // a mouse press in progress
        {TEditorType::edComboList, false, "10"},      // not a kind that mirrors
    };
    for (const Case& c : cases) {
        grid->SetCellsEx(2, 3, QStringLiteral("10"));
        grid->OpenEditor(c.kind);
        grid->SetEditStart(c.editStart);
        spin->SetText(QStringLiteral("11"));
        grid->NotifyEditorCommand(spin, EN_CHANGE);
        EXPECT_EQ(grid->GetCellsEx(2, 3), QString::fromLatin1(c.cell)) << int(c.kind) << c.editStart;
    }
}

// ---- Panning ----------------------------------------------------------------------------------------------------
TEST_F(GridWndProc, MiddlePressPansOnTheTimerUntilTheNextPress)
{
    grid->SetRow(5);
    grid->SetCol(2);
    const TPoint origin = Middle(2, 5);
    auto pointTo = [&](TPoint p) { SetCursorPosition(grid->ClientToScreen(p)); };
    Simulate::MouseDown(grid, origin, Qt::MiddleButton);
    Simulate::MouseUp(grid, origin, Qt::MiddleButton);
    ASSERT_TRUE(grid->Panning());
    EXPECT_EQ(grid->PanCursorId(), 8000);
    EXPECT_FALSE(grid->ShowHint());

    // Inside the dead zone nothing moves.
    pointTo({origin.X + 3, origin.Y + 4});
    seams.Clock().Advance(30);
    EXPECT_EQ(grid->Row(), 5);
    EXPECT_EQ(grid->PanCursorId(), 8000);

    // Below the origin: the row moves down one each 10 ms; vertical panning ignores the side.
    pointTo({origin.X + 40, origin.Y + 20});
    seams.Clock().Advance(30);
    EXPECT_EQ(grid->Row(), 8);
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(grid->PanCursorId(), 8001);

    grid->SetIntelliPan(TIntelliPan::ipBoth);
    pointTo({origin.X - 40, origin.Y - 20});
    seams.Clock().Advance(10);
    EXPECT_EQ(grid->Row(), 7);
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_EQ(grid->PanCursorId(), 8006) << "up-left";

    Simulate::MouseDown(grid, Middle(3, 3));
    EXPECT_FALSE(grid->Panning());
    EXPECT_EQ(grid->PanCursorId(), 0);
    EXPECT_TRUE(grid->ShowHint());
    const int row = grid->Row();
    seams.Clock().Advance(50);
    EXPECT_EQ(grid->Row(), row) << "the pan timer is gone";
    Simulate::MouseUp(grid, Middle(3, 3));
}

TEST_F(GridWndProc, NoPanningWithIntelliPanNone)
{
    grid->SetIntelliPan(TIntelliPan::ipNone);
    Simulate::MouseDown(grid, Middle(2, 4), Qt::MiddleButton);
    Simulate::MouseUp(grid, Middle(2, 4), Qt::MiddleButton);
    EXPECT_FALSE(grid->Panning());
}

} // namespace
