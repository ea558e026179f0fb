// What follows a scroll of the column grid (a linked grid, the cell
// controls), the balloon tool window and its lifetime, and the simulated
// cell click.

#include "tests/common/TestSeams.h"
#include "tests/common/TestUtil.h"

#include "grid/ZvColumnGrid.h"
#include "grid/ZvGridBalloon.h"

#include "platform/Forms.h"
#include "platform/StdCtrls.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

struct GridFollowUp : ::testing::Test {
    TTestSeams seams;
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
    TZvColumnGrid* grid = nullptr;

    void SetUp() override
    {
        ClearKeyStates();
        form->SetBounds(0, 0, 640, 320);
        grid = MakeGrid(0);
        form->Show();
        grid->SetFocus();
    }
    void TearDown() override { ClearKeyStates(); }

    TZvColumnGrid* MakeGrid(int Left)
    {
        auto* g = new TZvColumnGrid(form.get());
        g->SetParent(form.get());
        g->SetBounds(Left, 0, 300, 300);
        g->SetColCount(6);
        g->SetRowCount(60);
        for (int c = 0; c < 6; ++c) g->SetColWidths(c, 64);
        return g;
    }
    TPoint Middle(int c, int r)
    {
        const TRect rc = grid->CellRect(c, r);
        return {(rc.Left + rc.Right) / 2, (rc.Top + rc.Bottom) / 2};
    }
};

// ---- A linked grid ------------------------------------------------------------------------------------------
TEST_F(GridFollowUp, ALinkedGridFollowsEveryVerticalScrollEvenByTheWheel)
{
    TZvColumnGrid* other = MakeGrid(320);
    grid->SyncGrid()->SetGrid(other);
    grid->SyncGrid()->SetScrollVertical(true);

    grid->SetTopRow(9);
    EXPECT_EQ(other->TopRow(), 9);
    grid->SetRow(9);
    for (int i = 0; i < 10; ++i) Simulate::Wheel(grid, Middle(2, 9), -WHEEL_DELTA);
    EXPECT_GT(grid->TopRow(), 9);
    EXPECT_EQ(other->TopRow(), grid->TopRow());
    EXPECT_EQ(other->LeftCol(), 1) << "horizontal following is off";

    grid->SyncGrid()->SetScrollHorizontal(true);
    grid->SetLeftCol(3);
    EXPECT_EQ(other->LeftCol(), 3);
}

// ---- Controls in cells --------------------------------------------------------------------------------------
TEST_F(GridFollowUp, CellControlsFollowScrollingAndHiddenColumns)
{
    auto* edit = new TEdit(form.get());
    grid->SetCellControls(3, 4, edit);   // real column 3, row 4
    auto expectOver = [&](int displayedCol, int row) {
        const TRect r = grid->CellRect(displayedCol, row);
        EXPECT_TRUE(edit->Visible());
        EXPECT_EQ(edit->Left(), r.Left - 1);
        EXPECT_EQ(edit->Top(), r.Top - 1);
        EXPECT_EQ(edit->Width(), r.Width() + 1);
        EXPECT_EQ(edit->Height(), r.Height() + 1);
    };
    grid->CellControlsUpdate(true);
    expectOver(3, 4);

    grid->SetTopRow(30);
    EXPECT_FALSE(edit->Visible()) << "its row scrolled out of view";
    grid->SetTopRow(2);
    expectOver(3, 4);

    grid->HideColumn(1);
    grid->CellControlsUpdate(false);
    expectOver(2, 4);   // real column 3 is now displayed column 2
    grid->HideColumn(3);
    grid->CellControlsUpdate(false);
    EXPECT_FALSE(edit->Visible()) << "its column is hidden";
    grid->UnHideColumnsAll();
    grid->CellControlsUpdate(true);
    expectOver(3, 4);
}

// ---- Balloons -----------------------------------------------------------------------------------------------
TEST_F(GridFollowUp, BalloonWindowLivesWhileBalloonsAreEnabled)
{
    EXPECT_EQ(grid->BalloonWindow(), nullptr);
    grid->Balloon()->SetInitialDelay(200);
    grid->Balloon()->SetAutoHideDelay(1000);
    grid->Balloon()->SetTransparency(55);
    grid->Balloon()->SetEnable(true);
    TGridBalloonWindow* first = grid->BalloonWindow();
    ASSERT_NE(first, nullptr);
    grid->BalloonInit();
    EXPECT_EQ(grid->BalloonWindow(), first) << "a second init makes no second window";
    EXPECT_TRUE(first->HasTool());
    EXPECT_EQ(first->Icon(), 3);
    EXPECT_EQ(first->Title(), QStringLiteral("ToolTipText"));
    EXPECT_EQ(first->InitialDelay(), 200);
    EXPECT_EQ(first->ReshowDelay(), 100) << "-1 keeps the system's delay";
    EXPECT_EQ(first->AutoHideDelay(), 1000);
    EXPECT_EQ(first->Alpha(), 200);

    grid->Balloon()->SetEnable(false);
    EXPECT_EQ(grid->BalloonWindow(), nullptr);
    grid->Balloon()->SetEnable(true);
    EXPECT_NE(grid->BalloonWindow(), nullptr);
}

TEST_F(GridFollowUp, BalloonShowsTheCellsTextAfterTheDelayAndHidesOnAnotherCell)
{
    grid->SetCellsEx(2, 3, QStringLiteral("192.168.0.x"));
    grid->SetCellsEx(3, 5, QStringLiteral("other"));
    grid->OnCellBalloon = [](TObject*, int c, int r, String& title, String& text, int& icon) {
        if (c == 2 && r == 3) {
            title = QStringLiteral("Invalid address");
            text = QStringLiteral("Enter four numbers 0-255");
            icon = 3;
        }
    };
    grid->Balloon()->SetInitialDelay(300);
    grid->Balloon()->SetEnable(true);
    TGridBalloonWindow* balloon = grid->BalloonWindow();
    ASSERT_NE(balloon, nullptr);

    auto pointTo = [&](TPoint p) { grid->Perform(WM_MOUSEMOVE, 0, PointToLParam(p)); };
    pointTo(Middle(2, 3));
    seams.Clock().Advance(200);
    EXPECT_FALSE(balloon->Showing());
    seams.Clock().Advance(150);
    ASSERT_TRUE(balloon->Showing());
    EXPECT_EQ(balloon->Title(), QStringLiteral("Invalid address"));
    EXPECT_EQ(balloon->Text(), QStringLiteral("Enter four numbers 0-255"));

    pointTo(Middle(3, 5));
    EXPECT_FALSE(balloon->Showing()) << "another cell hides it at once";
    seams.Clock().Advance(150);
    ASSERT_TRUE(balloon->Showing()) << "then it shows again after the shorter reshow delay";
    EXPECT_EQ(balloon->Text(), QStringLiteral("other"));
    seams.Clock().Advance(6000);
    EXPECT_FALSE(balloon->Showing()) << "hidden after the system's auto-hide time";
}

// ---- The simulated click ------------------------------------------------------------------------------------
TEST_F(GridFollowUp, SimulatedClickSelectsTheCellWithoutTheMouseEvents)
{
    int mouseEvents = 0;
    grid->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++mouseEvents; };
    grid->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { ++mouseEvents; };
    grid->SimulateCellClick(4, 6);
    EXPECT_EQ(grid->Col(), 4);
    EXPECT_EQ(grid->Row(), 6);
    EXPECT_EQ(mouseEvents, 0);
    // The handlers are back for real clicks.
    Simulate::Click(grid, Middle(2, 2));
    EXPECT_EQ(mouseEvents, 2);
}

} // namespace
