// The combo editor and the data check box of a column grid driven as a user
// drives them: Qt key, mouse and wheel events sent to the grid, to the combo
// and to its opened list, with the grid's events logged in order. A hidden
// column sits before the combo columns, so that real and displayed columns
// differ in what the events report.

#include "grid/ZvColumnGrid.h"
#include "grid/editors/ZvGridCombo.h"

#include "platform/Forms.h"

#include "tests/common/TestSeams.h"
#include "tests/common/TestUtil.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// Real columns: 0 name (text), 1 hidden, 2 list-only combo, 3 editable
// combo, 4 data check box. Shown: 0, 2, 3, 4 at displayed 0 to 3.
constexpr int kList = 2, kEdit = 3, kCheck = 4;

struct ComboScenario : ::testing::Test {
    TTestSeams seams;
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
    TZvColumnGrid* grid = nullptr;
    TGridCombo* combo = nullptr;
    std::vector<String> log;

    void SetUp() override
    {
        ClearKeyStates();
        form->SetBounds(0, 0, 520, 320);
        grid = new TZvColumnGrid(form.get());
        grid->SetParent(form.get());
        grid->SetBounds(0, 0, 500, 300);
        grid->SetColCount(5);
        grid->SetRowCount(40);
        grid->SetFixedCols(0);
        for (int c = 0; c < 5; ++c) grid->SetColWidths(c, 100);
        Item(kList)->SetEditor(TEditorType::edComboList);
        Item(kEdit)->SetEditor(TEditorType::edComboEdit);
        Item(kCheck)->SetEditor(TEditorType::edDataCheckBox);
        for (int c : {kList, kEdit})
            for (const char* s : {"ONE", "TWO", "THREE"}) Item(c)->ComboItems()->Add(QString::fromLatin1(s));
        for (int r = 1; r < 40; ++r) {
            grid->SetCellEx(0, r, QStringLiteral("name%1").arg(r));
            grid->SetCellEx(kList, r, QStringLiteral("TWO"));
            grid->SetCellEx(kEdit, r, QStringLiteral("free"));
            grid->SetCellEx(kCheck, r, QStringLiteral("N"));
        }
        grid->HideColumn(1);
        grid->SetOptions(grid->Options() + goEditing);
        grid->OnComboChange = [this](TObject*, int c, int r, int i, const String& s) {
            log.push_back(QStringLiteral("ComboChange c%1 r%2 i%3 %4").arg(c).arg(r).arg(i).arg(s));
        };
        grid->OnEditCellDone = [this](TObject*, int c, int r) {
            log.push_back(QStringLiteral("EditCellDone c%1 r%2").arg(c).arg(r));
        };
        grid->OnCellsChanged = [this](TObject*, TRect R) {
            log.push_back(QStringLiteral("CellsChanged %1,%2").arg(R.Left).arg(R.Top));
        };
        form->Show();
        combo = grid->ComboEditor();
        grid->SetFocus();
    }
    void TearDown() override { ClearKeyStates(); }

    TGridColumnItem* Item(int i) { return grid->Columns()->Items(i); }
    QComboBox* Widget() { return static_cast<QComboBox*>(combo->Handle()); }
    // Opens the editor of a cell (real column) with F2 on the grid; the log
    // then holds what the opening fired.
    void OpenWithF2(int realCol, int row)
    {
        grid->GotoCell(grid->DisplColIndex(realCol), row);
        grid->SetFocus();
        Settle();
        log.clear();
        Simulate::Key(grid, Qt::Key_F2);
        ASSERT_TRUE(combo->Visible());
    }
    void Settle() { QApplication::processEvents(); }
    void Expect(const std::vector<String>& expected)
    {
        Settle();
        EXPECT_EQ(log, expected);
        log.clear();
    }
    // Clicks an entry of the opened list.
    void ClickEntry(int index)
    {
        QAbstractItemView* view = Widget()->view();
        ASSERT_TRUE(view->isVisible());
        const QPoint at = view->visualRect(view->model()->index(index, 0)).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    }
    TPoint CellCentre(int realCol, int row)
    {
        const TRect r = grid->CellRect(grid->DisplColIndex(realCol), row);
        return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }
};

// Qt's opened list ignores a release within the double-click time of the
// press that opened it; a user's pick comes later than that.
struct NoDoubleClickTime {
    const int saved = QApplication::doubleClickInterval();
    NoDoubleClickTime() { QApplication::setDoubleClickInterval(0); }
    ~NoDoubleClickTime() { QApplication::setDoubleClickInterval(saved); }
};

}  // namespace

TEST_F(ComboScenario, AListOnlyComboReportsEachPickByKeyClickOrWheelOnceAndEnterEndsTheEdit)
{
    // Keys: an arrow steps, a letter jumps to the entry it begins.
    OpenWithF2(kList, 1);
    Expect({});
    QTest::keyClick(Widget(), Qt::Key_Down);
    Expect({"ComboChange c2 r1 i2 THREE"});
    QTest::keyClick(Widget(), Qt::Key_O);
    Expect({"ComboChange c2 r1 i0 ONE"});
    QTest::keyClick(Widget(), Qt::Key_Return);
    Expect({"CellsChanged 2,1", "EditCellDone c2 r1"});
    EXPECT_EQ(grid->GetCellEx(kList, 1), "ONE");
    EXPECT_FALSE(combo->Visible());

    // A click on the combo opens its list, a click on an entry picks it and
    // closes the list; the editor stays open until Enter.
    NoDoubleClickTime instantly;
    OpenWithF2(kList, 2);
    QTest::mouseClick(Widget(), Qt::LeftButton, {}, QPoint(combo->Width() - 8, combo->Height() / 2));
    Settle();
    ASSERT_TRUE(combo->DroppedDown());
    Expect({});
    ClickEntry(0);
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_TRUE(combo->Visible());
    Expect({"ComboChange c2 r2 i0 ONE"});
    QTest::keyClick(Widget(), Qt::Key_Return);
    Expect({"CellsChanged 2,2", "EditCellDone c2 r2"});
    EXPECT_EQ(grid->GetCellEx(kList, 2), "ONE");

    // The wheel over the combo steps it; Escape then stores nothing.
    OpenWithF2(kList, 3);
    Simulate::Wheel(combo, {10, combo->Height() / 2}, -120);
    EXPECT_EQ(combo->ItemIndex(), 2);
    Expect({"ComboChange c2 r3 i2 THREE"});
    QTest::keyClick(Widget(), Qt::Key_Escape);
    Expect({"EditCellDone c2 r3"});
    EXPECT_EQ(grid->GetCellEx(kList, 3), "TWO");
}

TEST_F(ComboScenario, TypingIntoAnEditableComboReportsTheTextWithTheRealThenTheDisplayedColumn)
{
    OpenWithF2(kEdit, 4);
    Expect({});
    QTest::keyClick(Widget(), Qt::Key_End);
    QTest::keyClicks(Widget()->lineEdit(), "Xy");
    Expect({"ComboChange c3 r4 i-1 freeX", "ComboChange c2 r4 i-1 freeX", "ComboChange c3 r4 i-1 freeXy",
            "ComboChange c2 r4 i-1 freeXy"});
    QTest::keyClick(Widget(), Qt::Key_Return);
    Expect({"CellsChanged 3,4", "EditCellDone c3 r4"});
    EXPECT_EQ(grid->GetCellEx(kEdit, 4), "freeXy");
}

TEST_F(ComboScenario, ACellTextThatDiffersFromAnEntryOnlyInCaseIsNoEntry)
{
    grid->SetCellEx(kList, 6, QStringLiteral("two"));
    grid->SetCellEx(kEdit, 6, QStringLiteral("two"));

    // List-only: opens on the first entry, as for any unlisted text.
    OpenWithF2(kList, 6);
    EXPECT_EQ(combo->ItemIndex(), 0);
    Expect({"ComboChange c2 r6 i0 ONE"});
    // Escape, before or after choosing, leaves exactly the old text and stores nothing.
    QTest::keyClick(Widget(), Qt::Key_Escape);
    Expect({"EditCellDone c2 r6"});
    EXPECT_EQ(grid->GetCellEx(kList, 6), "two");
    OpenWithF2(kList, 6);
    QTest::keyClick(Widget(), Qt::Key_Down);
    EXPECT_EQ(combo->Text(), "TWO");
    log.clear();
    QTest::keyClick(Widget(), Qt::Key_Escape);
    Expect({"EditCellDone c2 r6"});
    EXPECT_EQ(grid->GetCellEx(kList, 6), "two");
    // Choosing the preselected first entry is a pick like any other.
    OpenWithF2(kList, 6);
    QTest::keyClick(Widget(), Qt::Key_Down);
    QTest::keyClick(Widget(), Qt::Key_Up);
    log.clear();
    QTest::keyClick(Widget(), Qt::Key_Return);
    Expect({"CellsChanged 2,6", "EditCellDone c2 r6"});
    EXPECT_EQ(grid->GetCellEx(kList, 6), "ONE");

    // Editable: the text stays as typed, also when Enter ends the edit.
    OpenWithF2(kEdit, 6);
    EXPECT_EQ(combo->Text(), "two");
    QTest::keyClick(Widget(), Qt::Key_Return);
    Expect({"EditCellDone c3 r6"});
    EXPECT_EQ(grid->GetCellEx(kEdit, 6), "two");
}

TEST_F(ComboScenario, ATwoThousandEntryListOpensWithAllEntriesOnOneClick)
{
    grid->MouseActions()->SetDirectEdit(true);
    grid->MouseActions()->SetDirectComboDrop(true);
    grid->OnGetEditorType = [this](TObject*, int c, int, TEditorType& e) {
        if (c != kList) return;
        grid->ClearComboString();
        for (int i = 0; i < 2000; ++i) grid->AddComboString(QStringLiteral("Object %1").arg(i, 4, 10, QChar('0')));
        e = TEditorType::edComboList;
    };
    grid->SetCellEx(kList, 7, QStringLiteral("Object 1500"));
    Simulate::Click(grid, CellCentre(kList, 7));
    ASSERT_TRUE(combo->Visible());
    EXPECT_TRUE(combo->DroppedDown());
    EXPECT_EQ(Widget()->count(), 2000);
    EXPECT_EQ(Widget()->currentIndex(), 1500);
    EXPECT_EQ(Widget()->currentText(), "Object 1500");
    EXPECT_EQ(combo->ItemIndex(), 1500);
    combo->SetDroppedDown(false);
}

TEST_F(ComboScenario, ScrollingTheGridEndsAnOpenComboAndStoresItsPickInItsOwnCell)
{
    // The scroll bar: the view moves, the current cell stays and takes the pick.
    OpenWithF2(kList, 5);
    Simulate::Wheel(combo, {10, combo->Height() / 2}, -120);
    Expect({"ComboChange c2 r5 i2 THREE"});
    grid->Perform(WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_FALSE(combo->Visible());
    EXPECT_EQ(grid->Row(), 5);
    EXPECT_EQ(grid->TopRow(), 2);
    Expect({"CellsChanged 2,5", "EditCellDone c2 r5"});
    EXPECT_EQ(grid->GetCellEx(kList, 5), "THREE");

    // The wheel over the grid goes to the focused combo, as the system sends
    // it: the entry steps, the grid stays where it is.
    OpenWithF2(kList, 9);
    QTest::keyClick(Widget(), Qt::Key_Up);
    Expect({"ComboChange c2 r9 i0 ONE"});
    Simulate::Wheel(grid, CellCentre(0, 9), -120);
    EXPECT_TRUE(combo->Visible());
    EXPECT_EQ(grid->Row(), 9);
    Expect({"ComboChange c2 r9 i1 TWO"});
    // Scrolling the page by its scroll bar ends the edit with the entry shown.
    grid->Perform(WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_FALSE(combo->Visible());
    EXPECT_EQ(grid->Row(), 9);
    Expect({"EditCellDone c2 r9"});
    EXPECT_EQ(grid->GetCellEx(kList, 9), "TWO");
}


TEST_F(ComboScenario, DirectComboCloseStoresAClickedEntryOnceAndAnEscapedListNothing)
{
    grid->MouseActions()->SetDirectComboClose(true);
    // The pick must not reach the editor again once it is closed.
    grid->OnEditChange = [this](TObject*, int c, int r, const String& s) {
        log.push_back(QStringLiteral("EditChange c%1 r%2 %3").arg(c).arg(r).arg(s));
    };
    NoDoubleClickTime instantly;
    auto openList = [this] {
        QTest::mouseClick(Widget(), Qt::LeftButton, {}, QPoint(combo->Width() - 8, combo->Height() / 2));
        Settle();
        ASSERT_TRUE(combo->DroppedDown());
    };

    // A click on an entry picks it, stores it and ends the edit.
    OpenWithF2(kList, 10);
    openList();
    Expect({});
    ClickEntry(0);
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_FALSE(combo->Visible());
    Expect({"ComboChange c2 r10 i0 ONE", "CellsChanged 2,10", "EditCellDone c2 r10"});
    EXPECT_EQ(grid->GetCellEx(kList, 10), "ONE");

    // The same for an editable combo: the entry's text replaces the typed one.
    OpenWithF2(kEdit, 11);
    openList();
    Expect({});
    ClickEntry(2);
    EXPECT_FALSE(combo->Visible());
    Expect({"ComboChange c3 r11 i2 THREE", "CellsChanged 3,11", "EditCellDone c3 r11"});
    EXPECT_EQ(grid->GetCellEx(kEdit, 11), "THREE");

    // Escape, or a click outside, closes the list without a pick, also after
    // the mouse went over another entry: the edit ends with the cell's entry.
    for (const bool escape : {true, false}) {
        SCOPED_TRACE(escape ? "Escape" : "click outside");
        OpenWithF2(kList, 12);
        openList();
        QAbstractItemView* view = Widget()->view();
        QTest::mouseMove(view->viewport(), view->visualRect(view->model()->index(0, 0)).center());
        Settle();
        if (escape) QTest::keyClick(view, Qt::Key_Escape);
        else QTest::mouseClick(Widget()->view()->window(), Qt::LeftButton, {}, QPoint(-40, -40));
        EXPECT_FALSE(combo->DroppedDown());
        Expect({"ComboChange c2 r12 i1 TWO", "EditCellDone c2 r12"});
        EXPECT_EQ(grid->GetCellEx(kList, 12), "TWO");
        EXPECT_FALSE(combo->Visible());
    }
}

TEST_F(ComboScenario, ARejectedComboTextKeepsTheCursorWhereAClickWouldTakeIt)
{
    grid->OnCellValidate = [](TObject*, int, int, String& value, bool& valid) { valid = value != "bad"; };
    OpenWithF2(kEdit, 4);
    Widget()->lineEdit()->selectAll();
    QTest::keyClicks(Widget()->lineEdit(), "bad");
    Simulate::Click(grid, CellCentre(0, 7));
    Settle();
    EXPECT_EQ(grid->Row(), 4);
    EXPECT_EQ(grid->Col(), grid->DisplColIndex(kEdit));
    EXPECT_EQ(grid->GetCellEx(kEdit, 4), "free");
    // An accepted text lets the next click move.
    OpenWithF2(kEdit, 4);
    Widget()->lineEdit()->selectAll();
    QTest::keyClicks(Widget()->lineEdit(), "good");
    Simulate::Click(grid, CellCentre(0, 7));
    Settle();
    EXPECT_EQ(grid->Row(), 7);
    EXPECT_EQ(grid->GetCellEx(kEdit, 4), "good");
}
