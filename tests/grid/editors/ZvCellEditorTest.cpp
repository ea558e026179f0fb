// Cell editors plugging into the grid: the registry by kind, a kind
// registered from outside the grid driven through real keys and clicks on a
// shown grid (begin with the cell's text, commit writes, reject keeps the
// cell, cancel puts it back), and the contract the grid's own editors keep.

#include "grid/ZvGrid.h"
#include "grid/editors/ZvCellEditor.h"
#include "grid/editors/ZvCellEditorRegistry.h"
#include "grid/editors/ZvEditBtn.h"
#include "grid/editors/ZvGridButton.h"
#include "grid/editors/ZvGridCheckBox.h"
#include "grid/editors/ZvGridCombo.h"
#include "grid/editors/ZvSpinEdit.h"

#include "platform/Forms.h"
#include "platform/StdCtrls.h"
#include "tests/common/TestSeams.h"
#include "tests/common/TestUtil.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// An editor kind the grid knows nothing of: an edit that ends its edit with
// Return (commit), F4 (reject) and Escape (cancel), and may write what is
// typed into the cell at once, as a paste does.
class TTestCellEditor : public TEdit, public TZvCellEditor {
public:
    TTestCellEditor(TZvStringGrid* Grid) : TEdit(Grid), FGrid(Grid) {}

    TWinControl* EditorControl() override { return this; }
    void BeginCellEdit(TZvStringGrid*, const TZvCellEditStart& Start) override
    {
        ++Begins;
        BegunOn = Start;
        PlaceOverCell(this, Start.Cell);
        SetText(Start.Text);
        SetEnabled(true);
        SetVisible(true);
        FocusWithStartChar(this, Start.StartChar);
    }
    String EditorText() override { return Text(); }
    void EndCellEdit() override
    {
        ++Ends;
        SetEnabled(false);
        SetVisible(false);
    }

    bool WriteAtOnce = false;
    int Begins = 0;
    int Ends = 0;
    TZvCellEditStart BegunOn;

protected:
    void KeyDown(WORD& Key, TShiftState Shift) override
    {
        const WORD key = Key;
        if (key == VK_RETURN || key == VK_F4 || key == VK_ESCAPE) Key = 0;
        if (key == VK_RETURN) FGrid->CommitEdit();
        else if (key == VK_F4) FGrid->RejectEdit();
        else if (key == VK_ESCAPE) FGrid->CancelEdit();
        else TEdit::KeyDown(Key, Shift);
        // As every editor does, the grid gets the focus back when the edit ends.
        if (Key == 0 && FGrid->CanFocus()) FGrid->SetFocus();
    }
    void Change() override
    {
        TEdit::Change();
        if (WriteAtOnce && Visible()) FGrid->SetCurrentCell(Text());
    }

private:
    TZvStringGrid* FGrid;
};

const String TestKindName = QStringLiteral("Test editor");

// Registers the test kind for the test's life and removes it after.
struct TTestKindRegistration {
    explicit TTestKindRegistration(std::vector<TEditorType> Kinds)
    {
        TZvCellEditorRegistry::Instance().Register(
            {TestKindName, std::move(Kinds), [this](TZvStringGrid* Grid) -> TZvCellEditor* {
                 auto* editor = new TTestCellEditor(Grid);
                 editor->SetParent(Grid);
                 editor->SetVisible(false);
                 Made.push_back(editor);
                 return editor;
             }});
    }
    ~TTestKindRegistration() { TZvCellEditorRegistry::Instance().Unregister(TestKindName); }
    std::vector<TTestCellEditor*> Made;
};

struct CellEditors : ::testing::Test {
    TTestSeams seams;
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
    TZvStringGrid* grid = nullptr;
    TEditorType kind = TEditorType::edCustom;
    std::vector<String> log;

    // Four columns (one fixed), five rows (one fixed); column 1 edits with `kind`.
    void SetUp() override
    {
        ClearKeyStates();
        form->SetBounds(0, 0, 480, 320);
        grid = new TZvStringGrid(form.get());
        grid->SetParent(form.get());
        grid->SetBounds(0, 0, 460, 300);
        grid->SetColCount(4);
        grid->SetRowCount(5);
        for (int r = 1; r < 5; ++r)
            for (int c = 1; c < 4; ++c) grid->SetCells(c, r, QStringLiteral("abc"));
        grid->SetOptions(grid->Options() + goEditing);
        grid->OnGetEditorType = [this](TObject*, int c, int, TEditorType& e) {
            if (c == 1) e = kind;
        };
        grid->OnEditCellDone = [this](TObject*, int c, int r) {
            log.push_back(QStringLiteral("EditCellDone c%1 r%2").arg(c).arg(r));
        };
        form->Show();
        grid->SetFocus();
        grid->SetCol(1);
        grid->SetRow(1);
    }
    void TearDown() override { ClearKeyStates(); }

    void Press(TWinControl* target, int key, const String& text = {}) { Simulate::Key(target, key, Qt::NoModifier, text); }
    void Open() { Press(grid, Qt::Key_F2); }
    TPoint Middle(int c, int r)
    {
        const TRect R = grid->CellRect(c, r);
        return {(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2};
    }
};

// ---- A kind registered from outside the grid -------------------------------------------------------------
TEST_F(CellEditors, AKindRegisteredFromOutsideOpensItsEditorOverTheCellWithTheCellsText)
{
    TTestKindRegistration reg({TEditorType::edCustom});
    grid->SetCells(1, 2, QStringLiteral("<b>bold</b>"));
    grid->SetRow(2);
    Open();
    ASSERT_EQ(reg.Made.size(), 1u) << "made on first use by the grid that was built before the kind";
    TTestCellEditor* ed = reg.Made[0];
    EXPECT_EQ(ed->Parent(), grid);
    EXPECT_TRUE(ed->Visible());
    EXPECT_TRUE(ed->Focused());
    EXPECT_EQ(ed->Begins, 1);
    EXPECT_EQ(ed->Text(), QStringLiteral("bold")) << "the text as the grid edits it, markup stripped";
    EXPECT_EQ(ed->BegunOn.Col, 1);
    EXPECT_EQ(ed->BegunOn.Row, 2);
    EXPECT_EQ(ed->BegunOn.Cell, grid->CellRect(1, 2));
    EXPECT_EQ(ed->BoundsRect().Left, grid->CellRect(1, 2).Left);
    EXPECT_EQ(grid->CurrentEditor(), TEditorType::edCustom);
    EXPECT_EQ(grid->EditCtrl(), ed);
    EXPECT_TRUE(grid->Editing());
    EXPECT_TRUE(grid->EditActive());
    EXPECT_EQ(grid->CellEditor(TEditorType::edCustom), static_cast<TZvCellEditor*>(ed));
    EXPECT_FALSE(grid->InplaceEditor() && grid->InplaceEditor()->Visible()) << "the text editor stays shut";
}

TEST_F(CellEditors, TheCommitCallWritesTheEditorsTextAndEndsTheEdit)
{
    TTestKindRegistration reg({TEditorType::edCustom});
    Open();
    ASSERT_EQ(reg.Made.size(), 1u);
    TTestCellEditor* ed = reg.Made[0];
    Press(ed, Qt::Key_End);
    Simulate::Type(ed, QStringLiteral("xy"));
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("abc")) << "nothing is written before the end";
    Press(ed, Qt::Key_Return, QStringLiteral("\r"));
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("abcxy"));
    EXPECT_FALSE(ed->Visible());
    EXPECT_EQ(ed->Ends, 1);
    EXPECT_FALSE(grid->EditActive());
    EXPECT_EQ(grid->EditCtrl(), nullptr);
    QCoreApplication::processEvents();
    EXPECT_EQ(log, (std::vector<String>{QStringLiteral("EditCellDone c1 r1")}));

    // The same editor serves the next edit, again from the cell's text.
    Open();
    EXPECT_EQ(reg.Made.size(), 1u);
    EXPECT_EQ(ed->Begins, 2);
    EXPECT_EQ(ed->Text(), QStringLiteral("abcxy"));
}

TEST_F(CellEditors, TheRejectCallEndsTheEditAndKeepsTheCell)
{
    TTestKindRegistration reg({TEditorType::edCustom});
    Open();
    ASSERT_EQ(reg.Made.size(), 1u);
    TTestCellEditor* ed = reg.Made[0];
    Simulate::Type(ed, QStringLiteral("zz"));
    Press(ed, Qt::Key_F4);
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("abc"));
    EXPECT_FALSE(ed->Visible());
    EXPECT_FALSE(grid->EditActive());

    // A cell the editor wrote as it went keeps what it holds: reject writes nothing, it puts nothing back.
    ed->WriteAtOnce = true;
    Open();
    Press(ed, Qt::Key_End);
    Simulate::Type(ed, QStringLiteral("q"));
    Press(ed, Qt::Key_F4);
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("abcq"));
}

TEST_F(CellEditors, TheCancelCallPutsBackTheTextTheCellHadWhenTheEditBegan)
{
    TTestKindRegistration reg({TEditorType::edCustom});
    Open();
    ASSERT_EQ(reg.Made.size(), 1u);
    TTestCellEditor* ed = reg.Made[0];
    ed->WriteAtOnce = true;
    Press(ed, Qt::Key_End);
    Simulate::Type(ed, QStringLiteral("zz"));
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("abczz")) << "this editor writes as it goes";
    Press(ed, Qt::Key_Escape, QStringLiteral("\x1b"));
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("abc"));
    EXPECT_FALSE(ed->Visible());
    EXPECT_FALSE(grid->EditActive());
}

TEST_F(CellEditors, ClickingAnotherCellEndsTheEditWithTheEditorsValue)
{
    TTestKindRegistration reg({TEditorType::edCustom});
    Open();
    ASSERT_EQ(reg.Made.size(), 1u);
    TTestCellEditor* ed = reg.Made[0];
    Press(ed, Qt::Key_End);
    Simulate::Type(ed, QStringLiteral("7"));
    Simulate::Click(grid, Middle(2, 3));
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("abc7"));
    EXPECT_FALSE(ed->Visible());
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(grid->Row(), 3);
}

TEST_F(CellEditors, EachGridMakesItsOwnEditorOfAKindAndOneServesAllItsKinds)
{
    TTestKindRegistration reg({TEditorType::edCustom, TEditorType::edDateEdit});
    auto* other = new TZvStringGrid(form.get());
    other->SetParent(form.get());
    TZvCellEditor* mine = grid->CellEditor(TEditorType::edCustom);
    ASSERT_NE(mine, nullptr);
    EXPECT_EQ(grid->CellEditor(TEditorType::edDateEdit), mine);
    TZvCellEditor* theirs = other->CellEditor(TEditorType::edCustom);
    ASSERT_NE(theirs, nullptr);
    EXPECT_NE(theirs, mine);
    EXPECT_EQ(theirs->EditorControl()->Parent(), other);
    EXPECT_EQ(reg.Made.size(), 2u);

    // The grid's own combo serves both combo kinds.
    EXPECT_EQ(grid->CellEditor(TEditorType::edComboEdit), grid->CellEditor(TEditorType::edComboList));
    EXPECT_EQ(grid->CellEditor(TEditorType::edComboEdit), static_cast<TZvCellEditor*>(grid->ComboEditor()));
}

TEST_F(CellEditors, AKindRegisteredLaterTakesOverABuiltInKindUntilItIsRemoved)
{
    kind = TEditorType::edCheckBox;
    {
        TTestKindRegistration reg({TEditorType::edCheckBox});
        EXPECT_EQ(TZvCellEditorRegistry::Instance().Find(TEditorType::edCheckBox)->Name, TestKindName);
        EXPECT_EQ(grid->CheckBoxEditor(), nullptr) << "the check box no longer serves the kind";
        Open();
        ASSERT_EQ(reg.Made.size(), 1u);
        EXPECT_TRUE(reg.Made[0]->Visible());
        Press(reg.Made[0], Qt::Key_End);
        Simulate::Type(reg.Made[0], QStringLiteral("!"));
        Press(reg.Made[0], Qt::Key_Return, QStringLiteral("\r"));
        EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("abc!"));
    }
    EXPECT_EQ(TZvCellEditorRegistry::Instance().Find(TEditorType::edCheckBox)->Name, QStringLiteral("CheckBox"));
    ASSERT_NE(grid->CheckBoxEditor(), nullptr);
    Open();
    EXPECT_TRUE(grid->CheckBoxEditor()->Visible());
    EXPECT_EQ(grid->CheckBoxEditor()->Caption(), QStringLiteral("abc!"));
}

// The spin editor is in the grid's own list: spin cells open it.
TEST_F(CellEditors, TheSpinEditorStepsTheCellAndLeavingStoresIt)
{
    kind = TEditorType::edSpinEdit;
    grid->SetCells(1, 1, QStringLiteral("41"));
    Open();
    auto* spin = dynamic_cast<TGridSpin*>(grid->CellEditor(TEditorType::edSpinEdit));
    ASSERT_NE(spin, nullptr);
    EXPECT_TRUE(spin->Visible());
    EXPECT_EQ(spin->Text(), QStringLiteral("41"));
    EXPECT_EQ(spin->SpinType(), TAsgSpinType::sptNormal);
    Press(spin, Qt::Key_Up);
    EXPECT_EQ(spin->Text(), QStringLiteral("42"));
    Simulate::Click(grid, Middle(2, 2));
    EXPECT_FALSE(spin->Visible());
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("42"));
}

// ---- The registry ----------------------------------------------------------------------------------------
TEST(CellEditorRegistry, HoldsTheGridsOwnKindsByEntry)
{
    using E = TEditorType;
    const TZvCellEditorRegistry& reg = TZvCellEditorRegistry::Instance();
    const struct {
        E Kind;
        const char* Entry;
    } cases[] = {
        {E::edComboEdit, "Combo"},       {E::edComboList, "Combo"},         {E::edCheckBox, "CheckBox"},
        {E::edEditBtn, "EditBtn"},       {E::edNumericEditBtn, "EditBtn"},  {E::edFloatEditBtn, "EditBtn"},
        {E::edMaskEditBtn, "EditBtn"},   {E::edUnitEditBtn, "UnitEditBtn"}, {E::edNumericUnitEditBtn, "UnitEditBtn"},
        {E::edFloatUnitEditBtn, "UnitEditBtn"}, {E::edButton, "Button"},    {E::edNormal, "Text"},
        {E::edSpinEdit, "Spin"},         {E::edFloatSpinEdit, "Spin"},      {E::edTimeSpinEdit, "Spin"},
        {E::edDateSpinEdit, "Spin"},     {E::edDateEdit, "DatePicker"},     {E::edDateEditUpDown, "DatePicker"},
        {E::edTimeEdit, "DatePicker"},   {E::edDateTimeEdit, "DateTimePicker"},
        {E::edNumeric, "Text"},          {E::edPassword, "Text"},           {E::edPositiveFloat, "Text"},
        {E::edRichEdit, "RichEdit"},     {E::edCustom, "EditLink"},
    };
    for (const auto& c : cases) {
        const TZvCellEditorEntry* entry = reg.Find(c.Kind);
        ASSERT_NE(entry, nullptr) << int(c.Kind);
        EXPECT_EQ(entry->Name, QString::fromLatin1(c.Entry)) << int(c.Kind);
    }
    // Kinds whose editors come later have none yet: the grid opens nothing for them.
    for (E k : {E::edDataCheckBox, E::edNone, E::edColorPickerDropDown})
        EXPECT_EQ(reg.Find(k), nullptr) << int(k);
    EXPECT_TRUE(reg.FindByName(QStringLiteral("Text"))->MadeOnFirstUse);
    EXPECT_FALSE(reg.FindByName(QStringLiteral("Combo"))->MadeOnFirstUse);
}

TEST(CellEditorRegistry, AnEntryNeedsANameKindsAndAFactoryAndANameIsRegisteredOnce)
{
    TZvCellEditorRegistry reg;
    auto factory = [](TZvStringGrid*) -> TZvCellEditor* { return nullptr; };
    EXPECT_THROW(reg.Register({QString(), {TEditorType::edCustom}, factory}), Exception);
    EXPECT_THROW(reg.Register({QStringLiteral("A"), {}, factory}), Exception);
    EXPECT_THROW(reg.Register({QStringLiteral("A"), {TEditorType::edCustom}, nullptr}), Exception);
    EXPECT_TRUE(reg.Entries().empty());

    reg.Register({QStringLiteral("A"), {TEditorType::edCustom}, factory});
    reg.Register({QStringLiteral("B"), {TEditorType::edCustom, TEditorType::edRichEdit}, factory});
    EXPECT_EQ(reg.Find(TEditorType::edCustom)->Name, QStringLiteral("B")) << "the later entry takes the kind";
    reg.Register({QStringLiteral("A"), {TEditorType::edCustom}, factory});
    EXPECT_EQ(reg.Entries().size(), 2u) << "a name registered again replaces its entry";
    EXPECT_EQ(reg.Find(TEditorType::edCustom)->Name, QStringLiteral("A"));
    EXPECT_TRUE(reg.Unregister(QStringLiteral("A")));
    EXPECT_FALSE(reg.Unregister(QStringLiteral("A")));
    EXPECT_EQ(reg.Find(TEditorType::edCustom)->Name, QStringLiteral("B"));
    EXPECT_EQ(reg.Find(TEditorType::edRichEdit)->Name, QStringLiteral("B"));
}

// ---- The grid's own editors keep the contract -------------------------------------------------------------
TEST_F(CellEditors, TheGridsOwnEditorsBeginOnTheCellTextAndEndThroughTheThreeCalls)
{
    using E = TEditorType;
    const struct {
        E Kind;
        bool Writes;    // a commit writes the editor's text
        bool EditCtrl;  // reported as the grid's EditCtrl while open
    } cases[] = {
        {E::edComboEdit, true, true}, {E::edEditBtn, true, true}, {E::edCheckBox, false, false},
        {E::edButton, false, true},
    };
    enum class End { Commit, Reject, Cancel };
    for (const auto& c : cases)
        for (End end : {End::Commit, End::Reject, End::Cancel}) {
            SCOPED_TRACE(testing::Message() << int(c.Kind) << " end " << int(end));
            kind = c.Kind;
            grid->SetCells(1, 1, QStringLiteral("abc"));
            Open();
            TZvCellEditor* ed = grid->CellEditor(c.Kind);
            ASSERT_NE(ed, nullptr);
            TWinControl* ctrl = ed->EditorControl();
            EXPECT_TRUE(ctrl->Visible());
            EXPECT_EQ(ed->EditorText(), QStringLiteral("abc"));
            EXPECT_EQ(grid->EditCtrl(), c.EditCtrl ? ctrl : nullptr);
            EXPECT_TRUE(grid->EditActive());
            // What the user left in the editor, and a cell changed under the edit.
            ctrl->SetText(QStringLiteral("new"));
            grid->SetCells(1, 1, QStringLiteral("changed"));
            if (end == End::Commit) grid->CommitEdit();
            else if (end == End::Reject) grid->RejectEdit();
            else grid->CancelEdit();
            grid->SetFocus();
            EXPECT_FALSE(ctrl->Visible());
            EXPECT_FALSE(ctrl->Enabled());
            EXPECT_FALSE(grid->EditActive());
            const String expected = end == End::Cancel                ? QStringLiteral("abc")
                                    : end == End::Commit && c.Writes ? QStringLiteral("new")
                                                                      : QStringLiteral("changed");
            EXPECT_EQ(grid->Cells(1, 1), expected);
        }
}

TEST_F(CellEditors, TheKeysAnEditorWantsAreWhatItAnswersTheDialogQuestionWith)
{
    TZvCellEditor* box = grid->CellEditor(TEditorType::edCheckBox);
    TZvCellEditor* combo = grid->CellEditor(TEditorType::edComboList);
    ASSERT_TRUE(box && combo);
    EXPECT_EQ(box->WantedKeys(), DLGC_WANTARROWS | DLGC_WANTALLKEYS);
    EXPECT_EQ(box->EditorControl()->Perform(WM_GETDLGCODE), box->WantedKeys());
    EXPECT_EQ(combo->WantedKeys(), DLGC_WANTARROWS | DLGC_WANTCHARS);
    EXPECT_EQ(combo->EditorControl()->Perform(WM_GETDLGCODE), combo->WantedKeys());
    TZvCellEditor* edit = grid->CellEditor(TEditorType::edEditBtn);
    EXPECT_EQ(edit->WantedKeys(), edit->EditorControl()->Perform(WM_GETDLGCODE));
}

} // namespace
