// The nine drop-down cell editors on a shown grid: each opened by F2, a
// click and typing, driven with real keys; the text the cell holds after
// Enter, Escape and the navigation keys; refusals; the events they fire; and
// a screenshot of each open, checked for its pixels.

#include "dropdowns/editors/ZvGridDropDowns.h"
#include "grid/ZvGrid.h"
#include "grid/ZvGridOptions.h"
#include "grid/editors/ZvCellEditorRegistry.h"

#include "platform/Forms.h"
#include "tests/common/TestSeams.h"
#include "tests/common/TestUtil.h"

#include <QApplication>
#include <QCoreApplication>
#include <QImage>
#include <QWidget>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

void Flush()
{
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
}

struct DropDownEditors : ::testing::Test {
    TTestSeams seams;
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
    TZvStringGrid* grid = nullptr;
    TEditorType kind = TEditorType::edNormal;

    static void SetUpTestSuite() { RegisterDropDownCellEditors(); }

    void SetUp() override
    {
        ClearKeyStates();
        form->SetBounds(0, 0, 520, 300);
        form->SetColor(clBtnFace);
        grid = new TZvStringGrid(form.get());
        grid->SetParent(form.get());
        grid->SetBounds(0, 0, 500, 280);
        grid->SetColCount(4);
        grid->SetRowCount(6);
        grid->SetDefaultRowHeight(24);
        grid->SetDefaultColWidth(140);
        grid->SetColWidths(0, 30);
        grid->SetOptions(grid->Options() + goEditing);
        grid->OnGetEditorType = [this](TObject*, int c, int, TEditorType& e) {
            if (c == 1) e = kind;
        };
        form->Show();
        grid->SetFocus();
        grid->SetCol(1);
        grid->SetRow(2);
    }
    void TearDown() override { ClearKeyStates(); }

    TZvCustomDropDown* Open(TEditorType k, const String& text)
    {
        kind = k;
        grid->SetCells(1, 2, text);
        grid->SetCol(1);
        grid->SetRow(2);
        grid->SetFocus();
        Simulate::Key(grid, Qt::Key_F2);
        Flush();
        TZvCellEditor* editor = grid->CellEditor(k);
        return editor ? dynamic_cast<TZvCustomDropDown*>(editor->EditorControl()) : nullptr;
    }
    void Press(int key, Qt::KeyboardModifiers m = Qt::NoModifier)
    {
        auto* target = dynamic_cast<TWinControl*>(FindControl(QApplication::focusWidget()));
        ASSERT_NE(target, nullptr);
        Simulate::Key(target, key, m);
        Flush();
    }
    TPoint Middle(int c, int r)
    {
        const TRect R = grid->CellRect(c, r);
        return {(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2};
    }
};

using E = TEditorType;

// The kinds whose text the user types into (the rest show a value they pick).
const struct {
    const char* Name;
    E Kind;
    const char* Cell;
} kTextKinds[] = {
    {"memo", E::edMemoDropDown, "note"},
    {"calculator", E::edCalculatorDropDown, "12"},
    {"detail", E::edDetailDropDown, "Alpha"},
    {"multi-column", E::edGridDropDown, "Oslo"},
    {"grid", E::edZvGridDropDown, "Pear"},
};

const E kAllKinds[] = {E::edTrackbarDropDown, E::edMemoDropDown,   E::edCalculatorDropDown,
                       E::edTimePickerDropDown, E::edDetailDropDown, E::edGridDropDown,
                       E::edZvGridDropDown,   E::edColorPickerDropDown, E::edImagePickerDropDown};

// ---- Opening ---------------------------------------------------------------------------------
TEST_F(DropDownEditors, EachKindOpensOnItsCellByF2AClickAndTyping)
{
    enum class How { F2, Click, Typing };
    for (E k : kAllKinds) {
        for (How how : {How::F2, How::Click, How::Typing}) {
            SCOPED_TRACE(int(k) * 10 + int(how));
            kind = k;
            grid->SetCells(1, 2, QStringLiteral("5"));
            grid->SetCol(1);
            grid->SetRow(2);
            grid->SetFocus();
            Flush();
            if (how == How::F2) {
                Simulate::Key(grid, Qt::Key_F2);
            } else if (how == How::Click) {
                // The second press on the current cell edits it.
                Simulate::Click(grid, Middle(1, 2));
            } else {
                Simulate::Key(grid, Qt::Key_7, Qt::NoModifier, QStringLiteral("7"));
            }
            Flush();
            TZvCellEditor* editor = grid->CellEditor(k);
            ASSERT_NE(editor, nullptr);
            TWinControl* control = editor->EditorControl();
            EXPECT_TRUE(grid->EditActive());
            EXPECT_TRUE(control->Visible());
            EXPECT_EQ(grid->EditCtrl(), control);
            const TRect cell = grid->CellRect(1, 2);
            EXPECT_NEAR(control->Left(), cell.Left, 2);
            EXPECT_NEAR(control->Top(), cell.Top, 2);
            Simulate::Key(control, Qt::Key_Escape);
            Flush();
            EXPECT_FALSE(control->Visible());
            EXPECT_EQ(grid->Cells(1, 2), QStringLiteral("5")) << "Escape stores nothing";
        }
    }
}

TEST_F(DropDownEditors, ACharacterThatOpensATextKindIsTypedIntoIt)
{
    kind = E::edMemoDropDown;
    grid->SetCells(1, 2, QString());
    Simulate::Key(grid, Qt::Key_Q, Qt::NoModifier, QStringLiteral("q"));
    Flush();
    auto* memo = dynamic_cast<TGridMemoDropDown*>(grid->CellEditor(E::edMemoDropDown));
    ASSERT_NE(memo, nullptr);
    EXPECT_EQ(memo->Text(), QStringLiteral("q"));
    Press(Qt::Key_Return);
    EXPECT_EQ(grid->Cells(1, 2), QStringLiteral("q"));
}

// ---- The common key rule: a case table of text kinds ------------------------------------------
TEST_F(DropDownEditors, EnterStoresTheTypedTextAndEscapePutsTheCellsTextBack)
{
    for (const auto& c : kTextKinds) {
        for (bool escape : {false, true}) {
            SCOPED_TRACE(std::string(c.Name) + (escape ? " Escape" : " Enter"));
            TZvCustomDropDown* dd = Open(c.Kind, QString::fromLatin1(c.Cell));
            ASSERT_NE(dd, nullptr);
            ASSERT_TRUE(dd->Visible());
            dd->SelectAll();
            Simulate::Type(dd, QStringLiteral("9"));
            Flush();
            const String typed = dynamic_cast<TZvCellEditor*>(dd)->EditorText();
            Press(escape ? Qt::Key_Escape : Qt::Key_Return);
            EXPECT_FALSE(dd->Visible());
            EXPECT_EQ(grid->Row(), 2) << "the grid does not move";
            // The memo writes through as it is typed; its Escape undoes the typing
            // first, which is written through too, so every kind keeps the cell's text.
            const String expected = escape ? QString::fromLatin1(c.Cell) : typed;
            if (!escape && c.Kind == E::edCalculatorDropDown)
                EXPECT_DOUBLE_EQ(grid->Cells(1, 2).toDouble(), 9.0) << "the calculator shows its result";
            else
                EXPECT_EQ(grid->Cells(1, 2), expected);
            EXPECT_TRUE(grid->Focused());
        }
    }
}

TEST_F(DropDownEditors, NavigationKeysEndTheEditAndMoveAsTheRuleSays)
{
    const struct {
        const char* Name;
        E Kind;
        int Key;
        bool Ends;
        int RowAfter;
    } cases[] = {
        {"track bar Up commits and moves up", E::edTrackbarDropDown, Qt::Key_Up, true, 1},
        {"track bar Down commits and moves down", E::edTrackbarDropDown, Qt::Key_Down, true, 3},
        {"memo Page Up ends without moving", E::edMemoDropDown, Qt::Key_PageUp, true, 2},
        {"calculator Page Down ends without moving", E::edCalculatorDropDown, Qt::Key_PageDown, true, 2},
        {"calculator Home stays in the edit", E::edCalculatorDropDown, Qt::Key_Home, false, 2},
        {"memo End stays in the edit", E::edMemoDropDown, Qt::Key_End, false, 2},
        {"colour Home ends without moving", E::edColorPickerDropDown, Qt::Key_Home, true, 2},
        {"colour Up ends and moves up", E::edColorPickerDropDown, Qt::Key_Up, true, 1},
        {"detail Up commits and moves up", E::edDetailDropDown, Qt::Key_Up, true, 1},
        {"multi-column Down moves down", E::edGridDropDown, Qt::Key_Down, true, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TZvCustomDropDown* dd = Open(c.Kind, QStringLiteral("4"));
        ASSERT_NE(dd, nullptr);
        Press(c.Key);
        EXPECT_EQ(dd->Visible(), !c.Ends);
        EXPECT_EQ(grid->Row(), c.RowAfter);
        if (!c.Ends) {
            if (c.Key == Qt::Key_End) EXPECT_EQ(dd->SelStart(), int(dd->Text().size()));
            Press(Qt::Key_Escape);
        }
    }
}

TEST_F(DropDownEditors, EnterInTheCalculatorCompletesThePendingCalculation)
{
    TZvCustomDropDown* dd = Open(E::edCalculatorDropDown, QStringLiteral("12"));
    ASSERT_NE(dd, nullptr);
    dd->SetSelStart(int(dd->Text().size()));
    Simulate::Type(dd, QStringLiteral("+3"));
    Flush();
    Press(Qt::Key_Return);
    EXPECT_DOUBLE_EQ(grid->Cells(1, 2).toDouble(), 15.0);
}

TEST_F(DropDownEditors, ARefusedCommitKeepsTheEditorOnTheCellWithTheValidatedText)
{
    grid->OnCellValidate = [](TObject*, int, int, String& v, bool& ok) {
        ok = v != QStringLiteral("bad");
        if (!ok) v = QStringLiteral("fixed");
    };
    for (int key : {Qt::Key_Return, Qt::Key_Down, Qt::Key_Tab}) {
        SCOPED_TRACE(key);
        TZvCustomDropDown* dd = Open(E::edMemoDropDown, QStringLiteral("ok"));
        ASSERT_NE(dd, nullptr);
        dd->SelectAll();
        Simulate::Type(dd, QStringLiteral("bad"));
        Flush();
        Press(key);
        EXPECT_TRUE(dd->Visible());
        EXPECT_EQ(grid->Row(), 2);
        EXPECT_EQ(dd->Text(), QStringLiteral("fixed"));
        Press(Qt::Key_Escape);
    }
}

TEST_F(DropDownEditors, TabWithGoTabsCommitsAndTabsOnWithoutItTheEditorClaimsNoTab)
{
    TZvCustomDropDown* dd = Open(E::edCalculatorDropDown, QStringLiteral("1"));
    ASSERT_NE(dd, nullptr);
    EXPECT_EQ(dd->Perform(WM_GETDLGCODE) & DLGC_WANTTAB, 0);
    EXPECT_EQ(dd->Perform(CM_WANTSPECIALKEY, VK_TAB, 0), 0);
    Press(Qt::Key_Escape);

    grid->SetOptions(grid->Options() + goTabs);
    dd = Open(E::edCalculatorDropDown, QStringLiteral("1"));
    EXPECT_NE(dd->Perform(WM_GETDLGCODE) & DLGC_WANTTAB, 0);
    dd->SelectAll();
    Simulate::Type(dd, QStringLiteral("8"));
    Flush();
    Press(Qt::Key_Tab);
    EXPECT_FALSE(dd->Visible());
    EXPECT_EQ(grid->Cells(1, 2), QStringLiteral("8"));
    EXPECT_EQ(grid->Col(), 2);
}

TEST_F(DropDownEditors, TheTrackBarAndColourClaimEnterAndEscapeTheOthersDoNot)
{
    for (E k : kAllKinds) {
        SCOPED_TRACE(int(k));
        TZvCustomDropDown* dd = Open(k, QStringLiteral("3"));
        ASSERT_NE(dd, nullptr);
        const bool claims = k == E::edTrackbarDropDown || k == E::edColorPickerDropDown;
        EXPECT_EQ(dd->Perform(CM_WANTSPECIALKEY, VK_RETURN, 0) != 0, claims);
        Press(Qt::Key_Escape);
    }
}

// ---- Events ----------------------------------------------------------------------------------
TEST_F(DropDownEditors, KeyPressNamesTheEditorAsSenderAndChangesReportTheText)
{
    TObject* sender = nullptr;
    std::vector<String> changes;
    grid->OnKeyPress = [&](TObject* s, QChar&) { sender = s; };
    grid->OnEditChange = [&](TObject* s, int, int, const String& v) {
        EXPECT_EQ(s, grid);
        changes.push_back(v);
    };
    TZvCustomDropDown* dd = Open(E::edMemoDropDown, QString());
    ASSERT_NE(dd, nullptr);
    EXPECT_TRUE(changes.empty()) << "loading the cell is no edit";
    Simulate::Type(dd, QStringLiteral("ab"));
    Flush();
    EXPECT_EQ(sender, dd);
    ASSERT_FALSE(changes.empty());
    EXPECT_EQ(changes.back(), QStringLiteral("ab"));
    EXPECT_EQ(grid->Cells(1, 2), QStringLiteral("ab")) << "the memo writes through";
    Press(Qt::Key_Escape);
}

TEST_F(DropDownEditors, HeaderAndFooterButtonsReachTheGridWithTheCell)
{
    grid->ControlLook()->DropDownFooter()->SetVisible(true);
    TFooterButton* b = grid->ControlLook()->DropDownFooter()->Buttons()->Add();
    b->SetCaption(QStringLiteral("OK"));
    int col = -1, row = -1, index = -1;
    grid->OnDropDownFooterButtonClick = [&](TObject*, int c, int r, int i) { col = c, row = r, index = i; };
    TZvCustomDropDown* dd = Open(E::edTrackbarDropDown, QStringLiteral("2"));
    ASSERT_NE(dd, nullptr);
    EXPECT_EQ(dd->DropDownFooter()->Buttons()->Count(), 1) << "the grid's footer is copied";
    ASSERT_TRUE(dd->OnDropDownFooterButtonClick);
    dd->OnDropDownFooterButtonClick(dd, 0);
    EXPECT_EQ(col, 1);
    EXPECT_EQ(row, 2);
    EXPECT_EQ(index, 0);
    Press(Qt::Key_Escape);
}

// ---- Load and store --------------------------------------------------------------------------
TEST_F(DropDownEditors, TheTrackBarLoadsTheCellsIntegerAsItsPosition)
{
    const struct {
        const char* Cell;
        int Position;
    } cases[] = {{"7", 7}, {" 3 ", 3}, {"99", 10}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Cell);
        auto* tb = dynamic_cast<TGridTrackbarDropDown*>(Open(E::edTrackbarDropDown, QString::fromLatin1(c.Cell)));
        ASSERT_NE(tb, nullptr);
        EXPECT_EQ(tb->Position(), c.Position);
        Press(Qt::Key_Return);
        EXPECT_EQ(grid->Cells(1, 2), IntToStr(c.Position));
    }
}

TEST_F(DropDownEditors, TheColourEditorStoresTheColourTextAndTheCellsColour)
{
    TColor seen = clNone;
    grid->OnColorSelected = [&](TObject*, int, int, TColor& color, String& value) {
        seen = color;
        color = clRed;
        value = QStringLiteral("red");
    };
    auto* cp = dynamic_cast<TGridColorDropDown*>(Open(E::edColorPickerDropDown, QStringLiteral("x")));
    ASSERT_NE(cp, nullptr);
    EXPECT_EQ(grid->ColorPickerDropDown(), cp);
    cp->SetSelectedColor(clBlue);
    Press(Qt::Key_Return);
    EXPECT_EQ(seen, clBlue);
    EXPECT_EQ(grid->Cells(1, 2), QStringLiteral("red"));
    EXPECT_EQ(grid->GetColors(1, 2), clRed);

    // Escape stores neither text nor colour.
    cp = dynamic_cast<TGridColorDropDown*>(Open(E::edColorPickerDropDown, QStringLiteral("keep")));
    cp->SetSelectedColor(clGreen);
    Press(Qt::Key_Escape);
    EXPECT_EQ(grid->Cells(1, 2), QStringLiteral("keep"));
    EXPECT_EQ(grid->GetColors(1, 2), clRed);
}

TEST_F(DropDownEditors, ColourPicksReachOnColorSelect)
{
    TColor picked = clNone;
    grid->OnColorSelect = [&](TObject*, int, int, TColor c, const String&) { picked = c; };
    auto* cp = dynamic_cast<TGridColorDropDown*>(Open(E::edColorPickerDropDown, QString()));
    ASSERT_NE(cp, nullptr);
    cp->SetSelectedColor(clYellow);
    ASSERT_TRUE(cp->OnSelect);
    cp->OnSelect(cp);
    EXPECT_EQ(picked, clYellow);
    Press(Qt::Key_Escape);
}

TEST_F(DropDownEditors, TheDetailAndListEditorsSelectTheCellsItem)
{
    auto* detail = dynamic_cast<TGridDetailPickerDropDown*>(grid->CellEditor(E::edDetailDropDown));
    ASSERT_NE(detail, nullptr);
    for (const char* caption : {"Alpha", "Beta", "Gamma"}) detail->Items()->Add()->SetCaption(QString::fromLatin1(caption));
    Open(E::edDetailDropDown, QStringLiteral("Beta"));
    EXPECT_EQ(detail->ItemIndex(), 1);
    Press(Qt::Key_Escape);

    auto* list = dynamic_cast<TGridGridDropDown*>(grid->CellEditor(E::edGridDropDown));
    ASSERT_NE(list, nullptr);
    list->Columns()->Add()->Header = QStringLiteral("City");
    for (const char* city : {"Oslo", "Rome", "Lima"}) {
        TStringList texts;
        texts.Add(QString::fromLatin1(city));
        list->Items()->Add()->SetText(texts);
    }
    Open(E::edGridDropDown, QStringLiteral("Lima"));
    EXPECT_EQ(list->ItemIndex(), 2);
    Press(Qt::Key_Escape);
    Open(E::edGridDropDown, QString());
    EXPECT_EQ(list->ItemIndex(), 0) << "an empty cell selects the first item";
    Press(Qt::Key_Escape);
}

// ---- Caret placement -------------------------------------------------------------------------
TEST_F(DropDownEditors, AClickThatOpensTheTrackBarPutsTheCaretUnderThePointer)
{
    kind = E::edCalculatorDropDown;
    grid->SetCells(1, 2, QStringLiteral("123456789"));
    const TRect cell = grid->CellRect(1, 2);
    // The second press on the current cell opens the editor under the pointer.
    const TPoint at{cell.Left + 30, (cell.Top + cell.Bottom) / 2};
    Simulate::Click(grid, at);
    Flush();
    auto* dd = dynamic_cast<TZvCustomDropDown*>(grid->CellEditor(E::edCalculatorDropDown)->EditorControl());
    ASSERT_TRUE(dd->Visible());
    EXPECT_GT(dd->SelStart(), 0);
    EXPECT_LT(dd->SelStart(), 9);
    EXPECT_EQ(dd->SelLength(), 0);
    EXPECT_FALSE(grid->LButFlg());
    Press(Qt::Key_Escape);
}

// ---- Screenshots -----------------------------------------------------------------------------
TEST_F(DropDownEditors, EachEditorShowsOpenOverItsCell)
{
    const struct {
        E Kind;
        const char* Text;
        const char* Name;
    } cases[] = {
        {E::edTrackbarDropDown, "6", "trackbar"},      {E::edMemoDropDown, "Quenta", "memo"},
        {E::edCalculatorDropDown, "1234", "calculator"}, {E::edTimePickerDropDown, "09:15:00", "timepicker"},
        {E::edDetailDropDown, "Alpha", "detail"},      {E::edGridDropDown, "Oslo", "multicolumn"},
        {E::edZvGridDropDown, "Pear", "griddropdown"}, {E::edColorPickerDropDown, "", "colour"},
        {E::edImagePickerDropDown, "", "image"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const QImage closed = form->Handle()->grab().toImage();
        TZvCustomDropDown* dd = Open(c.Kind, QString::fromLatin1(c.Text));
        ASSERT_NE(dd, nullptr);
        const QImage image = form->Handle()->grab().toImage();
        EXPECT_TRUE(image.save(ScreenshotFolder() + "/dropdown-editor-" + c.Name + ".png"));
        EXPECT_NE(image, closed) << "the open editor changes what the window shows";
        // The arrow button stands at the editor's right edge, drawn darker than the cell.
        const TRect r = dd->BoundsRect();
        int dark = 0;
        for (int y = r.Top + 2; y < r.Bottom - 2; ++y)
            for (int x = r.Right - 16; x < r.Right - 2; ++x)
                if (qGray(image.pixel(x, y)) < 200) ++dark;
        EXPECT_GT(dark, 3) << "the drop-down button is drawn";
        Press(Qt::Key_Escape);
    }
}

} // namespace
