// The header hints of the table forms as a user meets them: the form shown
// modally, the pointer resting on each column header of the DALI Set Access
// grid and of the SNMP grid (scrolled into view where the window is too
// narrow), and the column's help text showing below the header; a data
// cell shows none.

#include "core/ULanguage.h"
#include "grid/ZvColumnGrid.h"
#include "platform/ComCtrls.h"
#include "platform/Forms.h"
#include "platform/HintWindow.h"
#include "tables/dali/UDALI_Access.h"
#include "tables/snmp/USNMPManagerAccess.h"
#include "tests/common/TestSeams.h"
#include "tests/common/TestUtil.h"
#include "tests/core/ProgramStateFixture.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

#include <functional>

namespace {

struct TableHeaderHint : ProgramStateFixture {
    TTestSeams Seams;
    TempFolder Folder;

    void SetUp() override
    {
        ProgramStateFixture::SetUp();
        Application->CancelHint();
        Project_Path = Folder.Path();
        File_DALI_Access = Folder.File("DALI_Access.xml");
        File_DALI2_Access = Folder.File("DALI2_Access.xml");
        File_SNMP_Manager = Folder.File("SNMP_Manager.xml");
    }
    void TearDown() override
    {
        Application->CancelHint();
        ProgramStateFixture::TearDown();
    }

    // Runs `check` while the form's modal loop shows it, then cancels the form.
    void While_Shown(TCustomForm& form, const std::function<void()>& check)
    {
        bool ran = false;
        Seams.AnswerModal(
            [&](TCustomForm&) {
                check();
                ran = true;
            },
            mrCancel);
        form.ShowModal();
        EXPECT_TRUE(ran);
    }
    // The text of the hint that shows after the pointer rests on a client
    // point of the grid; "" when none shows.
    String RestOn(TZvStringGrid* grid, const TPoint& at)
    {
        Simulate::MouseMove(grid, at);
        Seams.Clock().Advance(std::uint64_t(Application->HintPause()));
        THintWindow* hint = ActiveHintWindow();
        return hint ? hint->Caption() : String();
    }
    // Rests on every column header in turn, scrolling it into view when
    // needed, and expects hints[c - 1] below header c; then rests on a data cell.
    void Expect_Header_Hints(TZvStringGrid* grid, const TStringList& hints)
    {
        ASSERT_TRUE(grid->Showing());
        ASSERT_EQ(hints.Count(), grid->ColCount() - 1);
        for (int c = 1; c < grid->ColCount(); ++c) {
            SCOPED_TRACE(QStringLiteral("column %1").arg(c).toStdString());
            TRect cell = grid->CellRect(c, 0);
            if (cell.IsEmpty() || cell.Right > grid->ClientWidth()) {
                grid->SetLeftCol(c);
                cell = grid->CellRect(c, 0);
            }
            ASSERT_FALSE(cell.IsEmpty());
            const TPoint at{cell.Left + std::min(10, cell.Width() / 2), cell.Top + 5};
            ASSERT_FALSE(hints[c - 1].isEmpty());
            EXPECT_EQ(RestOn(grid, at), hints[c - 1]);
            THintWindow* hint = ActiveHintWindow();
            if (!hint) continue;
            // Below the header at the pointer, moved back onto the screen where the wide window leaves it.
            const TPoint place = grid->ClientToScreen({at.X, cell.Bottom + 6});
            const QRect screen = QGuiApplication::primaryScreen()->geometry();
            EXPECT_EQ(hint->Top(), place.Y);
            EXPECT_EQ(hint->Left(), std::clamp(place.X, screen.left(), screen.left() + screen.width() - hint->Width()));
            EXPECT_TRUE(hint->Handle()->isVisible());
        }
        grid->SetLeftCol(grid->FixedCols());
        const TRect data = grid->CellRect(2, 1);
        EXPECT_EQ(RestOn(grid, {data.Left + 5, data.Top + 5}), String());
    }
};

TEST_F(TableHeaderHint, TheDALISetAccessHeadersShowTheirHelpTexts)
{
    TFDALI_Access form(nullptr);
    form.AfterConstruction();
    While_Shown(form, [&] {
        form.PC_DALI->SetActivePage(form.TS_Set_Access);
        form.PC_DALIChange(form.PC_DALI);
        Expect_Header_Hints(form.ASG, form.Hint());
    });
}

TEST_F(TableHeaderHint, TheSNMPHeadersShowTheirHelpTexts)
{
    TFSNMPManagerAccess form(nullptr);
    form.AfterConstruction();
    While_Shown(form, [&] {
        ASSERT_EQ(form.Hint_SNMP()[SM_Priv_Mode - 1],
                  "Select the Privacy Mode (only if Security Level is set to \"Auth Priv\"");
        Expect_Header_Hints(form.ACG_SNMP, form.Hint_SNMP());
    });
}

} // namespace
