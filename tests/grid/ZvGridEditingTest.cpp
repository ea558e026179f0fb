// Cell editing on a column grid: which editor a cell gets, opening by keys,
// storing and restoring, validation that rejects or replaces, editing
// switched per cell, and the shared combo list with its events.

#include "grid/ZvColumnGrid.h"
#include "grid/ZvGridBalloon.h"
#include "grid/support/ZvGridUtil.h"

#include "platform/Forms.h"
#include "platform/Seams.h"

#include "grid/editors/ZvGridCombo.h"
#include "tests/common/TestSeams.h"
#include "tests/common/TestUtil.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace {

struct GridEditing : ::testing::Test {
    TTestSeams seams;
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
    TZvColumnGrid* grid = nullptr;
    std::vector<String> log;

    // Four columns, no fixed column: 0 read-only, 1 text, 2 list-only combo,
    // 3 editable combo; one fixed row and four data rows.
    void SetUp() override
    {
        ClearKeyStates();
        form->SetBounds(0, 0, 480, 320);
        grid = new TZvColumnGrid(form.get());
        grid->SetParent(form.get());
        grid->SetBounds(0, 0, 460, 300);
        grid->SetColCount(4);
        grid->SetRowCount(5);
        grid->SetFixedCols(0);
        for (int c = 0; c < 4; ++c) grid->SetColWidths(c, 100);
        Item(0)->SetReadOnly(true);
        Item(2)->SetEditor(TEditorType::edComboList);
        Item(3)->SetEditor(TEditorType::edComboEdit);
        for (TGridColumnItem* item : {Item(2), Item(3)})
            for (const char* s : {"ONE", "TWO", "THREE"}) item->ComboItems()->Add(QString::fromLatin1(s));
        for (int r = 1; r < 5; ++r) {
            grid->SetCellEx(0, r, QStringLiteral("id%1").arg(r));
            grid->SetCellEx(1, r, QStringLiteral("abc"));
            grid->SetCellEx(2, r, QStringLiteral("TWO"));
            grid->SetCellEx(3, r, QStringLiteral("free"));
        }
        grid->SetOptions(grid->Options() + goEditing);
        form->Show();
        grid->SetCol(1);
        grid->SetRow(1);
        grid->SetFocus();
    }
    void TearDown() override { ClearKeyStates(); }

    TGridColumnItem* Item(int i) { return grid->Columns()->Items(i); }
    TInplaceEdit* Editor() { return grid->InplaceEditor(); }
    bool EditorShown() { return Editor() && Editor()->Visible(); }
    void Type(TWinControl* target, const String& ch) { Simulate::Key(target, Qt::Key_unknown, Qt::NoModifier, ch); }
    void Press(TWinControl* target, int key, const String& text = {}) { Simulate::Key(target, key, Qt::NoModifier, text); }
    void RecordEvents()
    {
        grid->OnComboChange = [this](TObject*, int c, int r, int i, const String& s) {
            log.push_back(QStringLiteral("ComboChange c%1 r%2 i%3 %4").arg(c).arg(r).arg(i).arg(s));
        };
        grid->OnEditingDone = [this](TObject*) { log.push_back(QStringLiteral("EditingDone")); };
        grid->OnEditCellDone = [this](TObject*, int c, int r) {
            log.push_back(QStringLiteral("EditCellDone c%1 r%2").arg(c).arg(r));
        };
        grid->OnCellsChanged = [this](TObject*, TRect R) {
            log.push_back(QStringLiteral("CellsChanged %1,%2-%3,%4").arg(R.Left).arg(R.Top).arg(R.Right).arg(R.Bottom));
        };
    }
    void Expect(const std::vector<String>& expected)
    {
        EXPECT_EQ(log, expected);
        log.clear();
    }
};

// ---- The text editor -----------------------------------------------------------------------------------
TEST_F(GridEditing, TypingALetterOpensTheEditorWithJustThatLetterAndEnterStoresIt)
{
    Type(grid, QStringLiteral("a"));
    ASSERT_TRUE(EditorShown());
    EXPECT_EQ(Editor()->Text(), "a");
    EXPECT_EQ(grid->CurrentEditor(), TEditorType::edNormal);
    EXPECT_EQ(grid->OriginalCellValue(), "abc");
    EXPECT_TRUE(grid->Editing());
    Type(Editor(), QStringLiteral("z"));
    Press(Editor(), Qt::Key_Return, QStringLiteral("\r"));
    EXPECT_EQ(grid->GetCellEx(1, 1), "az");
    EXPECT_FALSE(EditorShown());
}

TEST_F(GridEditing, EscapePutsTheOriginalTextBackIntoTheCellAndTheEditor)
{
    Type(grid, QStringLiteral("x"));
    ASSERT_TRUE(EditorShown());
    Press(Editor(), Qt::Key_Escape, QStringLiteral("\x1b"));
    EXPECT_EQ(grid->GetCellEx(1, 1), "abc");
    EXPECT_EQ(Editor()->Text(), "abc");
}

TEST_F(GridEditing, TheEditorShowsCellTextWithoutItsMarkupUnlessAskedForTags)
{
    grid->SetCellEx(1, 2, QStringLiteral("<b>x</b>"));
    grid->SetRow(2);
    Press(grid, Qt::Key_F2);
    ASSERT_TRUE(EditorShown());
    EXPECT_EQ(Editor()->Text(), "x");
}

TEST_F(GridEditing, ShowAndHideWithoutAnEditorAndHideCellEditLeaveTheTextEditorAlone)
{
    grid->HideInplaceEdit();
    EXPECT_FALSE(EditorShown());
    EXPECT_EQ(grid->GetCellEx(1, 1), "abc");
    grid->ShowCellEdit();
    ASSERT_TRUE(EditorShown());
    grid->HideCellEdit();
    EXPECT_TRUE(EditorShown());
    grid->HideInplaceEdit();
    EXPECT_FALSE(EditorShown());
}

// ---- Which editor ---------------------------------------------------------------------------------------
TEST_F(GridEditing, KindsWithoutAnEditorOpenNothingAndLeaveNoEditBehind)
{
    // A data check box on an ordinary cell has no control; nor has a kind whose
    // control this grid does not own; edNone forbids editing.
    for (TEditorType kind : {TEditorType::edDataCheckBox, TEditorType::edColorPickerDropDown, TEditorType::edNone}) {
        SCOPED_TRACE(int(kind));
        grid->OnGetEditorType = [kind](TObject*, int c, int, TEditorType& e) {
            if (c == 1) e = kind;
        };
        Press(grid, Qt::Key_F2);
        Type(grid, QStringLiteral("q"));
        Press(grid, Qt::Key_Return, QStringLiteral("\r"));
        EXPECT_FALSE(EditorShown());
        EXPECT_FALSE(grid->Editing());
        EXPECT_FALSE(grid->EditActive());
        EXPECT_EQ(grid->GetCellEx(1, 1), "abc");
    }
    EXPECT_TRUE(grid->IsNoEditorCell(1, 1));
    // The next cell edits as ever.
    grid->OnGetEditorType = nullptr;
    Type(grid, QStringLiteral("k"));
    EXPECT_TRUE(EditorShown());
}

// ---- Validation -----------------------------------------------------------------------------------------
TEST_F(GridEditing, ARejectedTextKeepsTheEditorOnTheCellWithItsOldText)
{
    int calls = 0;
    grid->OnCellValidate = [&](TObject*, int c, int r, String& v, bool& ok) {
        ++calls;
        EXPECT_EQ(c, 1);
        EXPECT_EQ(r, 1);
        ok = v != "bad";
    };
    grid->SetCellEx(1, 2, QStringLiteral("keep"));
    Type(grid, QStringLiteral("b"));
    Type(Editor(), QStringLiteral("a"));
    Type(Editor(), QStringLiteral("d"));
    // Enter hands the text back and validates it: the editor reopens on the
    // cell with its old text.
    Press(Editor(), Qt::Key_Return, QStringLiteral("\r"));
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_EQ(grid->GetCellEx(1, 1), "abc");
    EXPECT_TRUE(EditorShown());
    EXPECT_TRUE(grid->Editing());
    EXPECT_EQ(grid->GetCellEx(1, 2), "keep");
    EXPECT_EQ(grid->OriginalCellValue(), "abc");

    // A good text then goes through and the grid moves on.
    Editor()->SetText(QStringLiteral("good"));
    Press(Editor(), Qt::Key_Return, QStringLiteral("\r"));
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(grid->GetCellEx(1, 1), "good");
    Press(grid, Qt::Key_Down);
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_EQ(grid->GetCellEx(1, 2), "keep") << "entering a cell never writes it";
    EXPECT_TRUE(grid->Modified());
}

TEST_F(GridEditing, ARejectionShowsTheInvalidEntryBalloonWithItsIconOnlyWhenItHasWords)
{
    grid->OnCellValidate = [](TObject*, int, int, String&, bool& ok) { ok = false; };
    auto reject = [&] {
        Type(grid, QStringLiteral("x"));
        Press(Editor(), Qt::Key_Return, QStringLiteral("\r"));
        ASSERT_TRUE(EditorShown());
        Press(Editor(), Qt::Key_Escape, QStringLiteral("\x1b"));
    };
    reject();
    EXPECT_EQ(grid->RejectionBalloon(), nullptr) << "no title and no text, no balloon";

    grid->SetInvalidEntryTitle(QStringLiteral("Bad entry"));
    grid->SetInvalidEntryText(QStringLiteral("Use digits"));
    grid->SetInvalidEntryIcon(TInvalidEntryIcon::ieError);
    reject();
    TGridBalloonWindow* balloon = grid->RejectionBalloon();
    ASSERT_NE(balloon, nullptr);
    EXPECT_TRUE(balloon->Showing());
    EXPECT_EQ(balloon->Title(), QStringLiteral("Bad entry"));
    EXPECT_EQ(balloon->Text(), QStringLiteral("Use digits"));
    EXPECT_EQ(balloon->Icon(), 3);
    const TPoint editorBottom = Editor()->ClientToScreen(TPoint{0, Editor()->Height()});
    EXPECT_GE(balloon->Top(), editorBottom.Y) << "it stands below the field that holds the text";

    grid->SetInvalidEntryIcon(TInvalidEntryIcon::ieNone);
    reject();
    EXPECT_EQ(balloon->Icon(), 0);
}

TEST_F(GridEditing, AHandlerThatReplacesTheTextStoresOrShowsTheReplacement)
{
    RecordEvents();
    struct Case {
        bool valid;
        const char* expectCell;
        int expectRow;
    };
    for (const Case& k : {Case{true, "REPLACED", 2}, Case{false, "REPLACED", 1}}) {
        SCOPED_TRACE(k.valid);
        grid->SetRow(1);
        grid->SetCellEx(1, 1, QStringLiteral("abc"));
        log.clear();
        grid->OnCellValidate = [&](TObject*, int, int, String& v, bool& ok) {
            v = QStringLiteral("REPLACED");
            ok = k.valid;
        };
        Type(grid, QStringLiteral("n"));
        Press(Editor(), Qt::Key_Return, QStringLiteral("\r"));
        EXPECT_EQ(grid->GetCellEx(1, 1), k.expectCell);
        if (k.valid) {
            // The text editor gives the focus back to the grid, which ends the edit.
            Expect({"CellsChanged 1,1-1,1", "EditingDone"});
            Press(grid, Qt::Key_Down);
            EXPECT_EQ(grid->Row(), k.expectRow);
        } else {
            EXPECT_EQ(grid->Row(), k.expectRow);
            EXPECT_TRUE(EditorShown());
            EXPECT_EQ(Editor()->Text(), "REPLACED");
            grid->OnCellValidate = nullptr;
            grid->HideInplaceEdit();
        }
    }
}

TEST_F(GridEditing, AnUnchangedTextIsValidatedOnlyWhenAlwaysValidateIsOn)
{
    std::vector<String> seen;
    grid->OnCellValidate = [&](TObject*, int, int, String& v, bool&) { seen.push_back(v); };
    for (bool always : {false, true}) {
        grid->SetAlwaysValidate(always);
        grid->SetRow(1);
        Press(grid, Qt::Key_F2);
        Press(Editor(), Qt::Key_Return, QStringLiteral("\r"));
        Press(grid, Qt::Key_Down);
    }
    EXPECT_EQ(seen, std::vector<String>{"abc"});
    EXPECT_FALSE(grid->Modified());
}

TEST_F(GridEditing, AdvanceOnEnterIsOffDuringValidationAndComesBackWhenTheHandlerRaises)
{
    grid->Navigation()->SetAdvanceOnEnter(true);
    bool seenDuring = true;
    grid->OnCellValidate = [&](TObject*, int, int, String&, bool&) {
        seenDuring = grid->Navigation()->AdvanceOnEnter();
        throw std::runtime_error("handler failed");
    };
    Type(grid, QStringLiteral("r"));
    EXPECT_THROW(grid->ValidateCell(QStringLiteral("r")), std::runtime_error);
    EXPECT_FALSE(seenDuring);
    EXPECT_TRUE(grid->Navigation()->AdvanceOnEnter());
    grid->HideInplaceEdit();
    // The validation state ended: the next edit validates again.
    int calls = 0;
    grid->OnCellValidate = [&](TObject*, int, int, String&, bool&) { ++calls; };
    grid->Navigation()->SetAdvanceOnEnter(false);
    grid->SetRow(3);
    Type(grid, QStringLiteral("s"));
    Press(Editor(), Qt::Key_Return, QStringLiteral("\r"));
    Press(grid, Qt::Key_Up);
    EXPECT_EQ(calls, 1);
}

// ---- Editing switched per cell ------------------------------------------------------------------------------
TEST_F(GridEditing, EditingFollowsTheCellAndAGridWithoutItGainsItOnAWritableColumn)
{
    grid->SetCol(0);
    EXPECT_FALSE(grid->Options().Contains(goEditing)) << "a read-only column switches editing off";
    Type(grid, QStringLiteral("a"));
    EXPECT_FALSE(EditorShown());
    EXPECT_EQ(grid->GetCellEx(0, 1), "id1");
    grid->SetCol(1);
    EXPECT_TRUE(grid->Options().Contains(goEditing)) << "and the next writable one on again";

    grid->SetOptions(grid->Options() - TGridOptions{goEditing});
    grid->SetCol(0);
    EXPECT_FALSE(grid->Options().Contains(goEditing));
    grid->SetCol(1);
    EXPECT_TRUE(grid->Options().Contains(goEditing));
}

// Column 0 refused either way a form does it: the column's ReadOnly, or an
// OnCanEditCell handler. A click there and typing open nothing and change
// nothing; a key that moves to column 1 brings editing back, and typing opens
// the text editor there.
TEST_F(GridEditing, ClicksAndTypingOnARefusedColumnOpenNothingAndTheNextColumnEdits)
{
    for (const bool byHandler : {false, true}) {
        SCOPED_TRACE(byHandler ? "OnCanEditCell" : "ReadOnly");
        Item(0)->SetReadOnly(!byHandler);
        if (byHandler)
            grid->OnCanEditCell = [](TObject*, int, int c, bool& canEdit) { canEdit = c != 0; };
        grid->SetCol(1);
        grid->SetRow(2);
        const TRect cell = grid->CellRect(0, 2);
        const TPoint middle{(cell.Left + cell.Right) / 2, (cell.Top + cell.Bottom) / 2};
        Simulate::Click(grid, middle);
        ASSERT_EQ(grid->Col(), 0);
        EXPECT_FALSE(grid->Options().Contains(goEditing));
        Simulate::Click(grid, middle);   // a second click on the current cell
        Type(grid, QStringLiteral("a"));
        Press(grid, Qt::Key_F2);
        Press(grid, Qt::Key_Return, QStringLiteral("\r"));
        QCoreApplication::processEvents();
        EXPECT_FALSE(EditorShown());
        EXPECT_FALSE(grid->ComboEditor()->Visible());
        EXPECT_EQ(grid->GetCellEx(0, 2), "id2");

        Press(grid, Qt::Key_Right);
        ASSERT_EQ(grid->Col(), 1);
        EXPECT_TRUE(grid->Options().Contains(goEditing));
        Type(grid, QStringLiteral("x"));
        ASSERT_TRUE(EditorShown());
        EXPECT_EQ(Editor()->Text(), "x");
        Press(Editor(), Qt::Key_Return, QStringLiteral("\r"));
        EXPECT_EQ(grid->GetCellEx(1, 2), "x");
        grid->OnCanEditCell = nullptr;
        grid->SetFocus();
    }
}

// A typed text that begins with a brace and a backslash is taken for rich
// text: it is stored as typed, shown and measured by its plain text, and
// neither a broken nor an empty document upsets typing, painting or sizing.
TEST_F(GridEditing, TypedRichLookingTextIsStoredAsTypedAndShownAndMeasuredPlain)
{
    struct Case {
        const char* typed;
        const char* shown;
    } const cases[] = {
        {R"({\rtf1 boom\par})", "boom"},
        {R"({\rtf1 open)", "open"},
        {R"({\)", ""},
        {R"({\b}}}}} tail)", ""},   // nothing of a document is read after its end
        {R"({\'zz\u99999999 x})", "x"},
    };
    int row = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        const String typed = QString::fromLatin1(c.typed);
        grid->SetCol(1);
        grid->SetRow(row);
        grid->SetFocus();
        Type(grid, typed.left(1));
        ASSERT_TRUE(EditorShown());
        for (QChar ch : typed.mid(1)) Type(Editor(), String(ch));
        EXPECT_EQ(Editor()->Text(), typed) << "the editor shows what is typed";
        Press(Editor(), Qt::Key_Return, QStringLiteral("\r"));
        EXPECT_EQ(grid->GetCellEx(1, row), typed);
        EXPECT_EQ(CellTextKind(typed, true), ctRichText);
        EXPECT_EQ(TZvStringGrid::RichTextPlain(typed).trimmed(), QString::fromLatin1(c.shown).trimmed());

        for (int r = 1; r < 5; ++r) grid->SetCellEx(1, r, r == row ? typed : QString());
        EXPECT_FALSE(form->PaintToImage().isNull());
        grid->AutoSizeCol(1);
        const int plainWidth = grid->Canvas()->TextWidth(QString::fromLatin1(c.shown));
        const int rawWidth = grid->Canvas()->TextWidth(typed);
        EXPECT_LT(grid->ColWidths(1), rawWidth) << "sized to the plain text, not the markup";
        EXPECT_GE(grid->ColWidths(1), plainWidth);
        row = row % 4 + 1;
    }
}

// ---- The shared combo ---------------------------------------------------------------------------------------
TEST_F(GridEditing, AListOnlyComboOnATextOutsideItsListPreselectsTheFirstItemAndStoresOnlyAPick)
{
    RecordEvents();
    grid->SetCellEx(2, 1, QStringLiteral("four"));
    grid->SetCol(2);
    log.clear();
    Press(grid, Qt::Key_F2);
    TGridCombo* combo = grid->ComboEditor();
    ASSERT_TRUE(combo->Visible());
    EXPECT_EQ(grid->EditCtrl(), combo);
    EXPECT_EQ(combo->Style(), TComboBoxStyle::csDropDownList);
    EXPECT_EQ(combo->ItemIndex(), 0);
    Expect({"ComboChange c2 r1 i0 ONE"});

    // Hidden without a pick (scrolled away, say): the cell keeps its text.
    grid->HideInplaceEdit();
    EXPECT_FALSE(combo->Visible());
    EXPECT_EQ(grid->GetCellEx(2, 1), "four");
    QCoreApplication::processEvents();
    Expect({"EditingDone", "EditCellDone c2 r1"});

    grid->SetFocus();
    Press(grid, Qt::Key_F2);
    ASSERT_TRUE(combo->Visible());
    log.clear();
    combo->SetItemIndex(2);
    grid->HideInplaceEdit();
    EXPECT_EQ(grid->GetCellEx(2, 1), "THREE");
    QCoreApplication::processEvents();
    Expect({"EditingDone", "CellsChanged 2,1-2,1", "EditCellDone c2 r1"});
}

TEST_F(GridEditing, AListOnlyComboSelectsTheCellTextOrAPendingIndexAndAnEmptyListNothing)
{
    RecordEvents();
    grid->SetCol(2);
    log.clear();
    Press(grid, Qt::Key_F2);
    EXPECT_EQ(grid->ComboEditor()->ItemIndex(), 1) << "TWO is in the list";
    grid->HideInplaceEdit();

    grid->SetCellEx(2, 2, QStringLiteral("other"));
    grid->SetRow(2);
    grid->SetComboSelection(2);
    log.clear();
    Press(grid, Qt::Key_F2);
    EXPECT_EQ(grid->ComboEditor()->ItemIndex(), 2);
    grid->HideInplaceEdit();
    EXPECT_EQ(grid->GetCellEx(2, 2), "THREE");
    grid->SetComboSelection(-1);

    Item(2)->ComboItems()->Clear();
    grid->SetRow(3);
    log.clear();
    Press(grid, Qt::Key_F2);
    EXPECT_EQ(grid->ComboEditor()->ItemIndex(), -1);
    grid->HideInplaceEdit();
    QCoreApplication::processEvents();
    EXPECT_EQ(std::count_if(log.begin(), log.end(), [](const String& s) { return s.startsWith("ComboChange"); }), 0);
}

TEST_F(GridEditing, PerRowListsFilledInOnGetEditorTypeOpenAtOnceEvenWithTwoThousandItems)
{
    grid->OnGetEditorType = [this](TObject*, int c, int r, TEditorType& e) {
        if (c != 1) return;
        e = TEditorType::edComboEdit;
        grid->ClearComboString();
        const int n = r == 1 ? 2000 : 3;
        for (int i = 0; i < n; ++i) grid->AddComboString(QStringLiteral("r%1-%2").arg(r).arg(i));
    };
    grid->SetCellEx(1, 1, QStringLiteral("r1-1999"));
    Press(grid, Qt::Key_F2);
    TGridCombo* combo = grid->ComboEditor();
    ASSERT_TRUE(combo->Visible());
    EXPECT_EQ(combo->Style(), TComboBoxStyle::csDropDown);
    EXPECT_EQ(grid->GetComboCount(), 2000);
    EXPECT_EQ(combo->Text(), "r1-1999");
    combo->SetText(QStringLiteral("typed"));
    grid->HideInplaceEdit();
    EXPECT_EQ(grid->GetCellEx(1, 1), "typed");

    grid->SetRow(2);
    Press(grid, Qt::Key_F2);
    EXPECT_EQ(grid->GetComboCount(), 3);
    grid->HideInplaceEdit();
}

TEST_F(GridEditing, ComboStringOperations)
{
    grid->ClearComboString();
    grid->AddComboString(QStringLiteral("A"));
    TObject tag;
    grid->AddComboStringObject(QStringLiteral("B"), &tag);
    grid->AddComboString(QStringLiteral("C"));
    EXPECT_EQ(grid->GetComboCount(), 3);
    EXPECT_EQ(grid->ComboEditor()->Items()->Objects(1), &tag);
    EXPECT_TRUE(grid->RemoveComboString(QStringLiteral("C")));
    EXPECT_FALSE(grid->RemoveComboString(QStringLiteral("C")));
    EXPECT_FALSE(grid->SetComboSelectionString(QStringLiteral("Z")));
    EXPECT_TRUE(grid->SetComboSelectionString(QStringLiteral("B")));

    grid->SetComboIndex(1, 3, 1);
    EXPECT_EQ(grid->GetCellEx(1, 3), "B");
    EXPECT_EQ(grid->GetComboIndex(1, 3), 1);
    EXPECT_EQ(grid->GetComboIndex(1, 4), -1);
    EXPECT_ANY_THROW(grid->SetComboIndex(1, 3, 5));
    EXPECT_EQ(grid->GetCellEx(1, 3), "B") << "nothing written";
}

} // namespace
