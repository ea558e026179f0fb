// The edit with a button: its click by mouse and by F4, typing switched off,
// the unit split and the unit pop-up, whose menu the edit owns and frees.

#include "tests/common/TestSeams.h"
#include "tests/common/TestUtil.h"

#include "grid/ZvGrid.h"
#include "grid/editors/ZvEditBtn.h"

#include "platform/Forms.h"

#include <QClipboard>
#include <QGuiApplication>
#include <gtest/gtest.h>

#include <memory>

namespace {

struct EditBtn : ::testing::Test {
    TTestSeams seams;
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
    TAsgUnitEditBtn* edit = nullptr;
    std::vector<TObject*> clicks;
    std::vector<String> unitChanges;

    void SetUp() override
    {
        form->SetBounds(0, 0, 300, 200);
        edit = new TAsgUnitEditBtn(form.get());
        edit->SetParent(form.get());
        edit->SetBounds(10, 10, 160, 24);
        edit->OnClickBtn = [this](TObject* s) { clicks.push_back(s); };
        edit->OnUnitChanged = [this](TObject*, const String& u) { unitChanges.push_back(u); };
        form->Show();
        edit->SetFocus();
    }
};

TEST_F(EditBtn, ButtonClickFiresWithThePartAndReturnsTheFocus)
{
    TAsgEditBtn* plain = new TAsgEditBtn(form.get());
    plain->SetParent(form.get());
    plain->SetBounds(10, 50, 160, 24);
    std::vector<TObject*> got;
    plain->OnClickBtn = [&](TObject* s) { got.push_back(s); };
    edit->SetFocus();
    TZvSpeedButton* button = plain->ButtonPart()->Button();
    Simulate::Click(button, TPoint{5, 5});
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0], plain->ButtonPart());
    EXPECT_TRUE(plain->Focused()) << "the click hands the focus to the edit";

    // Pressed on the button, released elsewhere: no click.
    Simulate::MouseDown(button, TPoint{5, 5});
    Simulate::MouseUp(button, TPoint{-30, 5});
    EXPECT_EQ(got.size(), 1u);
}

TEST_F(EditBtn, F4PressesTheButtonUnlessAltOrCtrlIsHeld)
{
    TAsgEditBtn* plain = new TAsgEditBtn(form.get());
    plain->SetParent(form.get());
    std::vector<TObject*> got;
    plain->OnClickBtn = [&](TObject* s) { got.push_back(s); };
    plain->SetFocus();
    Simulate::Key(plain, Qt::Key_F4, Qt::ControlModifier);
    Simulate::Key(plain, Qt::Key_F4, Qt::AltModifier);
    EXPECT_TRUE(got.empty());
    Simulate::Key(plain, Qt::Key_F4);
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0], plain) << "F4 passes the edit itself";
}

TEST_F(EditBtn, EditorDisabledRefusesTypingCutAndPasteButNotTheButton)
{
    edit->SetText(QStringLiteral("12"));
    edit->SetEditorEnabled(false);
    edit->SetSelStart(2);
    Simulate::Type(edit, QStringLiteral("34"));
    EXPECT_EQ(edit->Text(), QStringLiteral("12"));
    QGuiApplication::clipboard()->setText(QStringLiteral("99"));
    edit->Perform(WM_PASTE);
    edit->SelectAll();
    edit->Perform(WM_CUT);
    EXPECT_EQ(edit->Text(), QStringLiteral("12"));

    edit->SetEditorEnabled(true);
    edit->SetSelStart(2);
    Simulate::Type(edit, QStringLiteral("3"));
    edit->Perform(WM_PASTE);
    EXPECT_EQ(edit->Text(), QStringLiteral("12399"));
}

struct TSplitCase {
    std::vector<const char*> Units;
    const char* Value;
    const char* Text;
    const char* Unit;
};

TEST_F(EditBtn, TheFirstUnitInListOrderThatEndsTheValueSplitsIt)
{
    const TSplitCase cases[] = {
        {{"V", "mV"}, "12mV", "12m", "V"},
        {{"mV", "V"}, "12mV", "12", "mV"},
        {{"mV", "V"}, "12A", "old", "kA"},   // no unit ends it: nothing changes
        {{"mV", "V"}, "V5V", "old", "kA"},    // the unit's first place must be the end
    };
    for (const TSplitCase& c : cases) {
        TStringList units;
        for (const char* u : c.Units) units.Add(QString::fromUtf8(u));
        edit->SetUnits(&units);
        edit->SetText(QStringLiteral("old"));
        edit->SetUnitID(QStringLiteral("kA"));
        edit->AssignTextAndUnit(QString::fromUtf8(c.Value));
        EXPECT_EQ(edit->Text(), QString::fromUtf8(c.Text)) << c.Value;
        EXPECT_EQ(edit->UnitID(), QString::fromUtf8(c.Unit)) << c.Value;
    }
    edit->SetText(QStringLiteral("3"));
    edit->SetUnitID(QStringLiteral("mV"));
    EXPECT_EQ(edit->TextWithUnit(), QStringLiteral("3mV"));
}

TEST_F(EditBtn, TheUnitPopupChoosesAUnitAndIsFreedByItsOwner)
{
    TStringList units;
    units.Add(QStringLiteral("V"));
    units.Add(QStringLiteral("mV"));
    edit->SetUnits(&units);
    edit->SetUnitID(QStringLiteral("V"));
    const int owned = edit->ComponentCount();

    seams.AnswerPopup(1);
    Simulate::Click(edit->ButtonPart()->Button(), TPoint{4, 4});
    ASSERT_EQ(seams.Popups.size(), 1u);
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0], edit) << "the unit edit passes itself";
    EXPECT_EQ(edit->UnitID(), QStringLiteral("mV"));
    EXPECT_EQ(unitChanges, (std::vector<String>{QStringLiteral("mV")}));
    EXPECT_EQ(edit->UnitMenu(), nullptr);
    EXPECT_EQ(edit->ComponentCount(), owned) << "the menu went with the click";
    const TPoint corner = edit->ClientToScreen(TPoint{edit->ClientWidth() - 15, edit->ClientHeight()});
    EXPECT_EQ(seams.Popups[0].X, corner.X);
    EXPECT_EQ(seams.Popups[0].Y, corner.Y);

    // The unit already shown: no change event. Ids outside the list are ignored.
    seams.AnswerPopup(1);
    Simulate::Key(edit, Qt::Key_F4);
    EXPECT_EQ(unitChanges.size(), 1u);
    edit->Perform(WM_COMMAND, 7, 0);
    EXPECT_EQ(edit->UnitID(), QStringLiteral("mV"));
}

TEST_F(EditBtn, TheGridsEditorsAreEditButtons)
{
    // They belong to a grid: another owner is refused.
    EXPECT_THROW(TGridEditBtn(nullptr), Exception);
    EXPECT_THROW(TGridUnitEditBtn(nullptr), Exception);
    TZvStringGrid owner(nullptr);
    TGridEditBtn grid(&owner);
    EXPECT_EQ(grid.Text(), QStringLiteral("0"));
    EXPECT_TRUE(grid.EditorEnabled());
    EXPECT_EQ(grid.ButtonPart()->Width(), 18);
    TGridUnitEditBtn unit(&owner);
    EXPECT_EQ(unit.UnitSpace(), 20);
    EXPECT_TRUE(unit.RightAlign());
}

}   // namespace
