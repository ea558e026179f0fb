// The grid's editors on a column grid whose first column is hidden, so that
// the displayed column the cursor is on and the stored column the text lives
// in differ by one: every editor must read and write the cell under the
// cursor, also when the focus leaves it for another control the way a click
// on a form's OK button takes it. Next to it the faults of opening and
// cancelling an edit: the cell's stored text comes back exactly, the
// column's limits reach the editor, and a typed letter lands where the user
// expects it.

#include "grid/ZvColumnGrid.h"
#include "grid/editors/ZvEditBtn.h"
#include "grid/editors/ZvGridCheckBox.h"
#include "grid/editors/ZvGridCombo.h"

#include "platform/Forms.h"
#include "platform/StdCtrls.h"

#include "tests/common/TestSeams.h"
#include "tests/common/TestUtil.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// Real columns: 0 hidden, 1 text, 2 list-only combo, 3 editable combo,
// 4 data check box, 5 check-box editor, 6 unit edit. Displayed: 1..6 at 0..5.
constexpr int kHidden = 0, kText = 1, kList = 2, kEdit = 3, kData = 4, kBox = 5, kUnit = 6;

struct EditorColumnMap : ::testing::Test {
    TTestSeams seams;
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
    TZvColumnGrid* grid = nullptr;
    TButton* ok = nullptr;
    std::vector<String> log;

    void SetUp() override
    {
        ClearKeyStates();
        form->SetBounds(0, 0, 760, 360);
        grid = new TZvColumnGrid(form.get());
        grid->SetParent(form.get());
        grid->SetBounds(0, 0, 740, 300);
        grid->SetColCount(7);
        grid->SetRowCount(6);
        grid->SetFixedCols(0);
        for (int c = 0; c < 7; ++c) grid->SetColWidths(c, 100);
        Item(kList)->SetEditor(TEditorType::edComboList);
        Item(kEdit)->SetEditor(TEditorType::edComboEdit);
        Item(kData)->SetEditor(TEditorType::edDataCheckBox);
        Item(kBox)->SetEditor(TEditorType::edCheckBox);
        Item(kUnit)->SetEditor(TEditorType::edUnitEditBtn);
        for (int c : {kList, kEdit})
            for (const char* s : {"ONE", "TWO", "THREE"}) Item(c)->ComboItems()->Add(QString::fromLatin1(s));
        for (int r = 1; r < 6; ++r) {
            grid->SetCellEx(kHidden, r, QStringLiteral("hidden%1").arg(r));
            grid->SetCellEx(kText, r, QStringLiteral("abc"));
            grid->SetCellEx(kList, r, QStringLiteral("TWO"));
            grid->SetCellEx(kEdit, r, QStringLiteral("free"));
            grid->SetCellEx(kData, r, QStringLiteral("N"));
            grid->SetCellEx(kBox, r, QStringLiteral("box%1").arg(r));
            grid->SetCellEx(kUnit, r, QStringLiteral("12mV"));
        }
        grid->HideColumn(kHidden);
        grid->SetOptions(grid->Options() + goEditing);
        ok = new TButton(form.get());
        ok->SetParent(form.get());
        ok->SetBounds(10, 310, 80, 30);
        ok->SetCaption(QStringLiteral("OK"));
        form->Show();
        grid->SetFocus();
    }
    void TearDown() override { ClearKeyStates(); }

    TGridColumnItem* Item(int i) { return grid->Columns()->Items(i); }
    TInplaceEdit* TextEditor() { return grid->InplaceEditor(); }
    void Settle() { QApplication::processEvents(); }
    // Types as a user does: each key to the control that has the focus then,
    // so the first opens the editor and the rest go into it.
    void TypeIntoFocus(const String& text)
    {
        Simulate::TypeIntoFocus(text);
        Settle();
    }
    void Press(TWinControl* target, int key, const String& text = {})
    {
        Simulate::Key(target, key, Qt::NoModifier, text);
    }
    // Puts the cursor on a cell given by its stored column.
    void GoTo(int realCol, int row)
    {
        grid->GotoCell(grid->DisplColIndex(realCol), row);
        grid->SetFocus();
        Settle();
    }
    // The user leaves the grid for the form's OK button.
    void ClickOk()
    {
        ok->SetFocus();
        Simulate::Click(ok, {40, 15});
        Settle();
    }
    void ExpectOtherColumnsUntouched(int row)
    {
        EXPECT_EQ(grid->GetCellEx(kHidden, row), QStringLiteral("hidden%1").arg(row));
        EXPECT_EQ(grid->Cells(kText, row), "abc");
    }
};

// ---- A hidden column before the edited cell -----------------------------------------------------------------
TEST_F(EditorColumnMap, TextTypedBesideAHiddenColumnSurvivesTheFocusMovingToOk)
{
    GoTo(kText, 2);
    EXPECT_EQ(grid->Col(), 0);
    TypeIntoFocus(QStringLiteral("hello"));
    ASSERT_TRUE(TextEditor() && TextEditor()->Visible());
    ClickOk();
    EXPECT_EQ(grid->Cells(kText, 2), "hello");
    EXPECT_EQ(grid->Cells(kHidden, 2), "hidden2");
    EXPECT_FALSE(TextEditor()->Visible());
}

TEST_F(EditorColumnMap, ComboTextsBesideAHiddenColumnGoIntoTheirOwnCellsOnLeaving)
{
    // The editable combo: typed text.
    GoTo(kEdit, 1);
    Press(grid, Qt::Key_F2);
    TGridCombo* combo = grid->ComboEditor();
    ASSERT_TRUE(combo->Visible());
    EXPECT_EQ(combo->Text(), "free");
    combo->SelectAll();
    TypeIntoFocus(QStringLiteral("typed"));
    EXPECT_EQ(combo->Text(), "typed");
    ClickOk();
    EXPECT_FALSE(combo->Visible());
    EXPECT_EQ(grid->Cells(kEdit, 1), "typed");
    EXPECT_EQ(grid->Cells(kList, 1), "TWO");
    ExpectOtherColumnsUntouched(1);

    // The list-only combo opens on its own cell's entry and stores a pick there.
    GoTo(kList, 3);
    Press(grid, Qt::Key_F2);
    ASSERT_TRUE(combo->Visible());
    EXPECT_EQ(combo->ItemIndex(), 1);
    Press(combo, Qt::Key_Down);
    EXPECT_EQ(combo->Text(), "THREE");
    ClickOk();
    EXPECT_EQ(grid->Cells(kList, 3), "THREE");
    EXPECT_EQ(grid->Cells(kEdit, 3), "free");
    ExpectOtherColumnsUntouched(3);
}

TEST_F(EditorColumnMap, CheckBoxesBesideAHiddenColumnShowAndToggleTheirOwnCells)
{
    // The data check box toggles the cell under the cursor, not its neighbour.
    GoTo(kData, 2);
    Press(grid, Qt::Key_Space, QStringLiteral(" "));
    EXPECT_EQ(grid->Cells(kData, 2), "Y");
    EXPECT_EQ(grid->Cells(kUnit, 2), "12mV");
    EXPECT_EQ(grid->Cells(kEdit, 2), "free");

    // The check-box editor captions its own cell and leaves every cell as it was.
    GoTo(kBox, 4);
    Press(grid, Qt::Key_F2);
    TGridCheckBox* box = grid->CheckBoxEditor();
    ASSERT_TRUE(box->Visible());
    EXPECT_EQ(box->Caption(), "box4");
    ClickOk();
    EXPECT_FALSE(box->Visible());
    EXPECT_EQ(grid->Cells(kBox, 4), "box4");
    EXPECT_EQ(grid->Cells(kData, 4), "N");
    ExpectOtherColumnsUntouched(4);
}

TEST_F(EditorColumnMap, AFixedColumnBehindAHiddenOneCountsAsFixed)
{
    Item(kText)->SetFixed(true);
    EXPECT_TRUE(grid->IsFixed(grid->DisplColIndex(kText), 2));
    EXPECT_FALSE(grid->IsFixed(grid->DisplColIndex(kList), 2));
}

// ---- Cancelling gives back the stored text ---------------------------------------------------------------------
TEST_F(EditorColumnMap, F2ThenEscapeKeepsTheStoredTextWhateverTheCellShows)
{
    grid->OnGetDisplText = [](TObject*, int, int, String& Value) {
        if (!Value.isEmpty()) Value += QStringLiteral("!!");
    };
    grid->SetCellEx(kText, 2, QStringLiteral("a"));
    GoTo(kText, 2);
    Press(grid, Qt::Key_F2);
    ASSERT_TRUE(TextEditor()->Visible());
    EXPECT_EQ(grid->OriginalCellValue(), "a");
    Press(TextEditor(), Qt::Key_Escape, QStringLiteral("\x1b"));
    Settle();
    EXPECT_EQ(grid->Cells(kText, 2), "a");
    // Escape reaching the grid itself after the edit put the cache back once more.
    Press(grid, Qt::Key_Escape, QStringLiteral("\x1b"));
    EXPECT_EQ(grid->Cells(kText, 2), "a");
    EXPECT_EQ(grid->Cells(kHidden, 2), "hidden2");
}

// ---- What reaches the editor -----------------------------------------------------------------------------------
TEST_F(EditorColumnMap, AColumnsEditLengthLimitsTheTextEditor)
{
    Item(kText)->SetEditLength(3);
    GoTo(kText, 1);
    TypeIntoFocus(QStringLiteral("wxyz"));
    ASSERT_TRUE(TextEditor()->Visible());
    EXPECT_EQ(TextEditor()->Text(), "wxy");
    Press(TextEditor(), Qt::Key_Return, QStringLiteral("\r"));
    EXPECT_EQ(grid->Cells(kText, 1), "wxy");

}

TEST_F(EditorColumnMap, ATypedLetterReplacesOrExtendsTheTextAsEditSelectAllSays)
{
    struct Case {
        int col;
        bool selectAll;
        const char* typed;
        const char* expected;
    };
    const Case cases[] = {
        {kText, true, "x", "x"},
        {kText, false, "x", "abcx"},
        {kEdit, true, "k", "k"},
        {kEdit, false, "k", "freek"},
    };
    int row = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(QStringLiteral("column %1 select-all %2").arg(c.col).arg(c.selectAll).toStdString());
        grid->Navigation()->SetEditSelectAll(c.selectAll);
        GoTo(c.col, row);
        TypeIntoFocus(QString::fromLatin1(c.typed));
        if (c.col == kText) {
            ASSERT_TRUE(TextEditor()->Visible());
            EXPECT_EQ(TextEditor()->Text(), QString::fromLatin1(c.expected));
            Press(TextEditor(), Qt::Key_Return, QStringLiteral("\r"));
        } else {
            TGridCombo* combo = grid->ComboEditor();
            ASSERT_TRUE(combo->Visible());
            EXPECT_EQ(combo->Text(), QString::fromLatin1(c.expected));
            Press(combo, Qt::Key_Return, QStringLiteral("\r"));
        }
        Settle();
        EXPECT_EQ(grid->Cells(c.col, row), QString::fromLatin1(c.expected));
        ++row;
    }
}

// ---- The combo editor's look and its end -----------------------------------------------------------------------
TEST_F(EditorColumnMap, TheComboOpensInTheCellsColourAndSizesItsListWhenAsked)
{
    Item(kEdit)->SetColor(clYellow);
    Item(kEdit)->ComboItems()->Add(QStringLiteral("an entry far wider than the hundred pixels of its column"));
    GoTo(kEdit, 1);
    Press(grid, Qt::Key_F2);
    TGridCombo* combo = grid->ComboEditor();
    ASSERT_TRUE(combo->Visible());
    EXPECT_EQ(combo->Color(), clYellow);
    const int plain = combo->ListWidth();
    Press(combo, Qt::Key_Escape, QStringLiteral("\x1b"));

    grid->Navigation()->SetAutoComboDropSize(true);
    GoTo(kEdit, 2);
    Press(grid, Qt::Key_F2);
    ASSERT_TRUE(combo->Visible());
    EXPECT_GT(combo->ListWidth(), std::max(plain, combo->Width()));
    Press(combo, Qt::Key_Escape, QStringLiteral("\x1b"));
}

TEST_F(EditorColumnMap, EnterEndingAComboOrCheckBoxEditHandsTheFocusBackWithoutTheGridsEnter)
{
    int entered = 0;
    grid->OnEnter = [&](TObject*) { ++entered; };
    GoTo(kEdit, 1);
    Press(grid, Qt::Key_F2);
    TGridCombo* combo = grid->ComboEditor();
    ASSERT_TRUE(combo->Visible());
    combo->SelectAll();
    TypeIntoFocus(QStringLiteral("new"));
    entered = 0;
    Press(combo, Qt::Key_Return, QStringLiteral("\r"));
    Settle();
    EXPECT_FALSE(combo->Visible());
    EXPECT_TRUE(grid->Focused());
    EXPECT_EQ(grid->Cells(kEdit, 1), "new");
    EXPECT_EQ(entered, 0);

    GoTo(kBox, 1);
    Press(grid, Qt::Key_F2);
    TGridCheckBox* box = grid->CheckBoxEditor();
    ASSERT_TRUE(box->Visible());
    entered = 0;
    Press(box, Qt::Key_Return, QStringLiteral("\r"));
    Settle();
    EXPECT_FALSE(box->Visible());
    EXPECT_TRUE(grid->Focused());
    EXPECT_EQ(entered, 0);
}

// ---- The unit edit ---------------------------------------------------------------------------------------------
TEST_F(EditorColumnMap, AUnitEditSplitsItsCellAndAnUnchangedEditKeepsTheText)
{
    grid->OnGetEditorProp = [this](TObject*, int, int, TObject*) {
        TStringList units;
        units.Add(QStringLiteral("mV"));
        units.Add(QStringLiteral("V"));
        grid->UnitEditBtnEditor()->SetUnits(&units);
    };
    grid->SetCellEx(kUnit, 2, QStringLiteral("3V"));
    grid->SetCellEx(kUnit, 3, QStringLiteral("7"));
    struct Case {
        int row;
        const char* text;
        const char* unit;
        const char* stored;
    };
    // Opened twice over, so that the unit of the edit before cannot linger.
    const Case cases[] = {{1, "12", "mV", "12mV"}, {2, "3", "V", "3V"}, {3, "7", "", "7"}, {1, "12", "mV", "12mV"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        GoTo(kUnit, c.row);
        Press(grid, Qt::Key_F2);
        TGridUnitEditBtn* unit = grid->UnitEditBtnEditor();
        ASSERT_TRUE(unit->Visible());
        EXPECT_EQ(unit->Text(), QString::fromLatin1(c.text));
        EXPECT_EQ(unit->UnitID(), QString::fromLatin1(c.unit));
        ClickOk();
        EXPECT_FALSE(unit->Visible());
        EXPECT_EQ(grid->Cells(kUnit, c.row), QString::fromLatin1(c.stored));
    }
}

} // namespace
