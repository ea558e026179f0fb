// The string grid's input: the order and arguments of the events that keys,
// clicks and window messages fire, Tab and advance navigation, update
// batching, stretching, scroll hints and the drag auto-scroll, driven
// through Qt's input events on the offscreen platform and the test clock.

#include "tests/common/TestSeams.h"
#include "tests/common/TestUtil.h"

#include "grid/ZvGrid.h"

#include "grid/services/ZvHTMLHintWindow.h"
#include "platform/Forms.h"
#include "platform/Regional.h"
#include "platform/Seams.h"
#include "platform/StdCtrls.h"

#include <QApplication>
#include <QCoreApplication>
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <vector>

namespace {

// The grid with read-only columns (real indexes), a sort that only records
// that it ran, and a count of full repaints.
class TInputGrid : public TZvStringGrid {
public:
    using TZvStringGrid::TZvStringGrid;

    std::set<int> ReadOnlyCols;
    bool AllReadOnly = false;
    std::vector<String>* Log = nullptr;
    int Invalidations = 0;

    void QueryCellEditable(int ACol, int ARow, bool& CanEdit) override
    {
        TZvStringGrid::QueryCellEditable(ACol, ARow, CanEdit);
        if (AllReadOnly || ReadOnlyCols.count(ACol)) CanEdit = false;
    }
    void QSort() override { Note(QStringLiteral("QSort %1").arg(SortSettings()->Column())); }
    void QUnSort() override { Note(QStringLiteral("QUnSort")); }
    void Invalidate() override
    {
        ++Invalidations;
        TZvStringGrid::Invalidate();
    }

private:
    void Note(const String& s)
    {
        if (Log) Log->push_back(s);
    }
};

struct GridInput : ::testing::Test {
    TTestSeams seams;
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
    TInputGrid* grid = nullptr;
    std::vector<String> log;

    void SetUp() override
    {
        ClearKeyStates();
        form->SetBounds(0, 0, 480, 320);
        grid = new TInputGrid(form.get());
        grid->SetParent(form.get());
        grid->SetBounds(0, 0, 460, 300);
        grid->SetColCount(6);
        grid->SetRowCount(8);
        grid->Log = &log;
        for (int c = 0; c < 6; ++c) grid->SetColWidths(c, 64);
        form->Show();
        grid->SetFocus();
    }
    void TearDown() override { ClearKeyStates(); }

    void Note(const String& s) { log.push_back(s); }
    void RecordCellEvents()
    {
        grid->OnKeyDown = [this](TObject*, WORD& k, TShiftState) { Note(QStringLiteral("KeyDown %1").arg(k)); };
        grid->OnKeyPress = [this](TObject*, QChar& k) { Note(QStringLiteral("KeyPress %1").arg(k.unicode())); };
        grid->OnClickCell = [this](TObject*, int r, int c) { Note(QStringLiteral("ClickCell r%1 c%2").arg(r).arg(c)); };
        grid->OnDblClickCell = [this](TObject*, int r, int c) {
            Note(QStringLiteral("DblClickCell r%1 c%2").arg(r).arg(c));
        };
        grid->OnRightClickCell = [this](TObject*, int r, int c) {
            Note(QStringLiteral("RightClickCell r%1 c%2 at %3,%4").arg(r).arg(c).arg(grid->Col()).arg(grid->Row()));
        };
        grid->OnMouseDown = [this](TObject*, TMouseButton b, TShiftState, int, int) {
            Note(QStringLiteral("MouseDown %1").arg(int(b)));
        };
        grid->OnMouseUp = [this](TObject*, TMouseButton b, TShiftState, int, int) {
            Note(QStringLiteral("MouseUp %1").arg(int(b)));
        };
        grid->OnClick = [this](TObject*) { Note(QStringLiteral("Click")); };
        grid->OnDblClick = [this](TObject*) { Note(QStringLiteral("DblClick")); };
    }
    TPoint Middle(int c, int r)
    {
        const TRect rc = grid->CellRect(c, r);
        return {(rc.Left + rc.Right) / 2, (rc.Top + rc.Bottom) / 2};
    }
    void Expect(const std::vector<String>& expected)
    {
        EXPECT_EQ(log, expected);
        log.clear();
    }
};

// ---- Event order and arguments --------------------------------------------------------------------------
TEST_F(GridInput, ClickDoubleClickAndRightClickFireTheirEventsInOrder)
{
    RecordCellEvents();
    Simulate::Click(grid, Middle(3, 2));
    EXPECT_EQ(grid->Col(), 3);
    EXPECT_EQ(grid->Row(), 2);
    Expect({"MouseDown 0", "ClickCell r2 c3", "Click", "MouseUp 0"});

    Simulate::DoubleClick(grid, Middle(2, 4));
    const auto dbl = std::find(log.begin(), log.end(), String("DblClick"));
    const auto cellDbl = std::find(log.begin(), log.end(), String("DblClickCell r4 c2"));
    ASSERT_NE(cellDbl, log.end());
    EXPECT_LT(dbl, cellDbl) << "the cell event follows the control's";
    log.clear();

    // Without SelectOnRightClick the current cell stays; with it the cell
    // becomes current before OnRightClickCell.
    Simulate::MouseDown(grid, Middle(4, 5), Qt::RightButton);
    Simulate::MouseUp(grid, Middle(4, 5), Qt::RightButton);
    EXPECT_NE(std::find(log.begin(), log.end(), String("RightClickCell r5 c4 at 2,4")), log.end());
    log.clear();
    grid->MouseActions()->SetSelectOnRightClick(true);
    Simulate::MouseDown(grid, Middle(4, 5), Qt::RightButton);
    Simulate::MouseUp(grid, Middle(4, 5), Qt::RightButton);
    EXPECT_NE(std::find(log.begin(), log.end(), String("RightClickCell r5 c4 at 4,5")), log.end());
    EXPECT_EQ(grid->Col(), 4);
    EXPECT_EQ(grid->Row(), 5);
}

TEST_F(GridInput, EnterAndF2OnAReadOnlyCellAreSwallowedAfterOnKeyDown)
{
    RecordCellEvents();
    grid->SetOptions(grid->Options() + goEditing);
    grid->ReadOnlyCols = {2};
    grid->SetCol(2);
    grid->SetRow(3);
    log.clear();
    Simulate::Key(grid, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    // OnKeyDown once, from the grid; the base grid never sees the key and no
    // editor opens; the Enter character still reaches OnKeyPress, which is
    // where a form without advancing hears of it.
    Expect({"KeyDown 13", "KeyPress 13"});
    EXPECT_FALSE(grid->EditorMode());
    Simulate::Key(grid, Qt::Key_F2);
    Expect({"KeyDown 113"});
    EXPECT_FALSE(grid->EditorMode());

    // Without editing, RangeSelectAndEdit gates Enter the same way and turns
    // editing on for a cell that may be edited.
    grid->SetOptions(grid->Options() - goEditing);
    grid->MouseActions()->SetRangeSelectAndEdit(true);
    Simulate::Key(grid, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    Expect({"KeyDown 13", "KeyPress 13"});
    EXPECT_FALSE(grid->Options().Contains(goEditing));
    grid->SetCol(1);
    Simulate::Key(grid, Qt::Key_F2);
    EXPECT_TRUE(grid->Options().Contains(goEditing));
}

TEST_F(GridInput, LeftAtTheFirstDataColumnStaysAndMoveScrollOnlyKeepsTheCell)
{
    RecordCellEvents();
    grid->SetCol(1);
    grid->SetRow(2);
    Simulate::Key(grid, Qt::Key_Left);
    EXPECT_EQ(grid->Col(), 1);

    grid->SetRowCount(60);
    grid->Navigation()->SetMoveScrollOnly(true);
    log.clear();
    const int top = grid->TopRow();
    Simulate::Key(grid, Qt::Key_Down);
    EXPECT_EQ(grid->TopRow(), top + 1);
    EXPECT_EQ(grid->Row(), 2);
    Simulate::Key(grid, Qt::Key_PageDown);
    EXPECT_EQ(grid->TopRow(), top + 1 + grid->VisibleRowCount());
    Simulate::Key(grid, Qt::Key_Home);
    EXPECT_EQ(grid->TopRow(), grid->FixedRows());
    EXPECT_EQ(grid->Row(), 2);
    Expect({});   // no OnKeyDown while only scrolling
}

TEST_F(GridInput, IncrementalLookupCollectsTypedLettersUntilFourTicks)
{
    for (int r = 1; r < 8; ++r) grid->SetCells(1, r, QStringList{"", "apple", "banana", "abacus", "abba", "cherry", "ab", "x"}[r]);
    grid->SortSettings()->SetShow(true);
    grid->SortSettings()->SetColumn(1);
    grid->Navigation()->SetAutoGotoWhenSorted(true);
    grid->Navigation()->SetAutoGotoIncremental(true);
    Simulate::Type(grid, QStringLiteral("a"));
    EXPECT_EQ(grid->IncrSearchText(), String("a"));
    EXPECT_EQ(grid->Row(), 1);
    Simulate::Type(grid, QStringLiteral("b"));
    EXPECT_EQ(grid->IncrSearchText(), String("ab"));
    EXPECT_EQ(grid->Row(), 3);
    seams.Clock().Advance(1500);   // three ticks: the text stays
    EXPECT_EQ(grid->IncrSearchText(), String("ab"));
    seams.Clock().Advance(500);    // the fourth clears it
    EXPECT_EQ(grid->IncrSearchText(), String());
    Simulate::Type(grid, QStringLiteral("c"));
    EXPECT_EQ(grid->IncrSearchText(), String("c"));
    EXPECT_EQ(grid->Row(), 5);
    Simulate::Type(grid, QStringLiteral("z"));   // no row starts with "CZ": the lookup starts over
    EXPECT_EQ(grid->IncrSearchText(), String());
    EXPECT_EQ(grid->Row(), 5);
}

TEST_F(GridInput, CtrlCCopiesOnceAndTheControlCharacterIsDropped)
{
    RecordCellEvents();
    grid->Navigation()->SetAllowClipboardShortCuts(true);
    int copies = 0;
    grid->OnClipboardCopy = [&](TObject*, bool&) { ++copies; };
    Simulate::Key(grid, Qt::Key_C, Qt::ControlModifier, QString(QChar(3)));
    EXPECT_EQ(copies, 1);
    for (const String& s : log) EXPECT_FALSE(s.startsWith(QStringLiteral("KeyPress"))) << s.toStdString();
}

TEST_F(GridInput, KeypadPointTypesTheDecimalSeparatorOnlyWhenAsked)
{
    TFormatSettings fs = FormatSettings();
    const TFormatSettings saved = fs;
    fs.DecimalSeparator = u',';
    SetFormatSettings(fs);
    grid->SetOptions(grid->Options() + goEditing);
    QChar typed;
    grid->OnKeyPress = [&](TObject*, QChar& k) { typed = k; };
    struct Case {
        bool excelStyle;
        bool keypad;
        char16_t expected;
    };
    for (const Case c : {Case{true, true, u','}, Case{true, false, u'.'}, Case{false, true, u'.'}}) {
        grid->SetExcelStyleDecimalSeparator(c.excelStyle);
        grid->SetEditorMode(false);
        typed = QChar();
        Simulate::Key(grid, Qt::Key_Period, c.keypad ? Qt::KeypadModifier : Qt::NoModifier, QStringLiteral("."));
        EXPECT_EQ(typed, QChar(c.expected)) << "excel " << c.excelStyle << " keypad " << c.keypad;
    }
    SetFormatSettings(saved);
}

struct SpaceCase {
    const char* name;
    bool editing;
    bool alwaysActive;
    bool readOnly;
    std::vector<String> events;
    bool checked;
};

// The key-down message step toggles the box before the control's own key
// step fires OnKeyDown; the typed space still reaches OnKeyPress.
TEST_F(GridInput, SpaceOnACheckBoxCellTogglesItWhenTheCellMayBeEdited)
{
    const SpaceCase cases[] = {
        {"editing", true, false, false, {"CheckBoxChange c2 r3 1", "CheckBoxClick c2 r3 1", "KeyDown 32", "KeyPress 32"}, true},
        {"no editing", false, false, false, {"KeyDown 32", "KeyPress 32"}, false},
        {"no editing, always active", false, true, false,
         {"CheckBoxChange c2 r3 1", "CheckBoxClick c2 r3 1", "KeyDown 32", "KeyPress 32"}, true},
        {"read-only cell", true, false, true, {"KeyDown 32", "KeyPress 32"}, false},
        {"read-only cell, always active", true, true, true,
         {"CheckBoxChange c2 r3 1", "CheckBoxClick c2 r3 1", "KeyDown 32", "KeyPress 32"}, true},
    };
    RecordCellEvents();
    grid->OnCheckBoxChange = [this](TObject*, int c, int r, bool s) {
        Note(QStringLiteral("CheckBoxChange c%1 r%2 %3").arg(c).arg(r).arg(int(s)));
    };
    grid->OnCheckBoxClick = [this](TObject*, int c, int r, bool s) {
        Note(QStringLiteral("CheckBoxClick c%1 r%2 %3").arg(c).arg(r).arg(int(s)));
    };
    for (const SpaceCase& c : cases) {
        SCOPED_TRACE(c.name);
        grid->SetOptions(c.editing ? grid->Options() + goEditing : grid->Options() - goEditing);
        grid->ControlLook()->SetCheckAlwaysActive(c.alwaysActive);
        grid->ReadOnlyCols = c.readOnly ? std::set<int>{2} : std::set<int>{};
        grid->AddCheckBox(2, 3, false, false);
        grid->SetCells(3, 3, QStringLiteral("beside"));
        grid->SetCol(2);
        grid->SetRow(3);
        log.clear();
        Simulate::Key(grid, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
        Expect(c.events);
        bool state = false;
        EXPECT_TRUE(grid->GetCheckBoxState(2, 3, state));
        EXPECT_EQ(state, c.checked);
        EXPECT_FALSE(grid->EditorMode()) << "a check-box cell opens no editor";
        EXPECT_EQ(grid->Cells(3, 3), String("beside"));
        grid->RemoveCheckBox(2, 3);
    }
}

// ---- Header clicks and sorting ------------------------------------------------------------------------------
struct HeaderClicks : GridInput {
    void SetUp() override
    {
        GridInput::SetUp();
        grid->SetOptions(grid->Options() + goColSizing);
        grid->SortSettings()->SetShow(true);
        grid->OnClickSort = [this](TObject*, int c) { Note(QStringLiteral("ClickSort %1").arg(c)); };
    }
};

TEST_F(HeaderClicks, ThreeClicksSortReverseAndUndo)
{
    grid->SortSettings()->SetUndoSort(true);
    Simulate::Click(grid, Middle(2, 0));
    EXPECT_EQ(grid->SortSettings()->Direction(), TSortDirection::sdAscending);
    Simulate::Click(grid, Middle(2, 0));
    EXPECT_EQ(grid->SortSettings()->Direction(), TSortDirection::sdDescending);
    Simulate::Click(grid, Middle(2, 0));
    EXPECT_EQ(grid->SortSettings()->Column(), -1);
    Expect({"QSort 2", "ClickSort 2", "QSort 2", "ClickSort 2", "QUnSort", "ClickSort -1"});
}

TEST_F(HeaderClicks, ReleasesThatDoNotSort)
{
    // On a column border, in a two-row grid, or refused by OnCanSort.
    const TRect r = grid->CellRect(2, 0);
    Simulate::Click(grid, {r.Left + 1, (r.Top + r.Bottom) / 2});
    Expect({});
    grid->OnCanSort = [](TObject*, int, bool& doSort) { doSort = false; };
    Simulate::Click(grid, Middle(2, 0));
    Expect({});
    grid->OnCanSort = nullptr;
    grid->SetRowCount(2);
    Simulate::Click(grid, Middle(2, 0));
    Expect({});
}

TEST_F(HeaderClicks, DoubleClickOnABorderSizesTheColumnAndTheNextReleaseDoesNotSort)
{
    grid->OnColumnSize = [this](TObject*, int c, bool&) { Note(QStringLiteral("ColumnSize %1").arg(c)); };
    grid->OnEndColumnSize = [this](TObject*, int c) { Note(QStringLiteral("EndColumnSize %1").arg(c)); };
    const TRect r = grid->CellRect(2, 0);
    Simulate::DoubleClick(grid, {r.Right - 2, (r.Top + r.Bottom) / 2});
    // The press on the border asks whether the column may be sized; the
    // double click asks again before it fits the column.
    Expect({"ColumnSize 2", "ColumnSize 2", "EndColumnSize 2"});
}

// ---- Cell buttons and column moves ---------------------------------------------------------------------------
TEST_F(GridInput, AColumnDragKeepsItsWidthAndTheSortColumnFollows)
{
    grid->SetOptions(grid->Options() + goColMoving);
    grid->SetColWidths(2, 90);
    grid->SortSettings()->SetColumn(2);
    for (int r = 0; r < 8; ++r) grid->SetCells(2, r, QStringLiteral("moved%1").arg(r));
    Simulate::MouseDown(grid, Middle(2, 0));
    Simulate::MouseMove(grid, Middle(4, 0), Qt::LeftButton);
    Simulate::MouseUp(grid, Middle(4, 0));
    EXPECT_EQ(grid->Cells(4, 1), String("moved1"));
    EXPECT_EQ(grid->ColWidths(4), 90);
    EXPECT_EQ(grid->SortSettings()->Column(), 4);
}

// ---- Tab and advance -----------------------------------------------------------------------------------
struct Navigation : GridInput {
    void Go(int c, int r)
    {
        grid->SetCol(c);
        grid->SetRow(r);
    }
    void ExpectAt(int c, int r)
    {
        EXPECT_EQ(grid->Col(), c);
        EXPECT_EQ(grid->Row(), r);
    }
};

TEST_F(Navigation, TabWalksRowsWrapsAndHandsTheFocusOnAtTheEnd)
{
    grid->Navigation()->SetAdvanceAutoEdit(false);
    auto* next = new TEdit(form.get());
    next->SetParent(form.get());
    next->SetBounds(0, 300, 100, 20);
    grid->SetFocus();
    Go(5, 7);
    grid->Navigation()->SetTabToNextAtEnd(true);
    EXPECT_FALSE(grid->TabToNextCell(false));
    ExpectAt(1, 1);
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    EXPECT_TRUE(next->Focused()) << "the Tab goes on to the next control";

    // Shift+Tab from the first stop of the first data row wraps to the last stop.
    EXPECT_TRUE(grid->TabToNextCell(true));
    ExpectAt(5, 7);
    Go(3, 2);
    EXPECT_TRUE(grid->TabToNextCell(false));
    ExpectAt(4, 2);
}

TEST_F(Navigation, TabPastTheEndWithAdvanceInsertAddsARow)
{
    grid->Navigation()->SetAdvanceAutoEdit(false);
    grid->Navigation()->SetAdvanceInsert(true);
    int added = -1;
    grid->OnAutoAddRow = [&](TObject*, int r) { added = r; };
    Go(5, 7);
    EXPECT_TRUE(grid->TabToNextCell(false));
    EXPECT_EQ(grid->RowCount(), 9);
    EXPECT_EQ(added, 8);
    ExpectAt(1, 8);
}

TEST_F(Navigation, AnOnKeyDownThatChangesTabStopsTheMove)
{
    grid->OnKeyDown = [](TObject*, WORD& k, TShiftState) { k = 0; };
    Go(2, 2);
    EXPECT_TRUE(grid->TabToNextCell(false));
    ExpectAt(2, 2);
}

TEST_F(Navigation, TabUnderEditingSkipsReadOnlyColumnsAndStopsOnAnAllReadOnlyGrid)
{
    grid->Navigation()->SetAdvanceAutoEdit(false);
    grid->SetOptions(grid->Options() + goEditing);
    grid->ReadOnlyCols = {3, 4};
    Go(2, 2);
    grid->TabToNextCell(false);
    ExpectAt(5, 2);
    grid->AllReadOnly = true;
    Go(2, 3);
    grid->TabToNextCell(false);   // must come back
    ExpectAt(2, 3);
}

struct AdvanceCase {
    const char* name;
    TAdvanceDirection dir;
    bool insert;
    bool loop;
    int fromCol, fromRow;
    int toCol, toRow;
    int colCount, rowCount;
};

TEST_F(Navigation, EnterAdvancesByDirection)
{
    const AdvanceCase cases[] = {
        {"next in row", TAdvanceDirection::adLeftRight, false, true, 2, 3, 3, 3, 6, 8},
        {"row end to next row", TAdvanceDirection::adLeftRight, false, true, 5, 3, 1, 4, 6, 8},
        {"last cell without loop stays", TAdvanceDirection::adLeftRight, false, false, 5, 7, 5, 7, 6, 8},
        {"last cell with loop", TAdvanceDirection::adLeftRight, false, true, 5, 7, 1, 1, 6, 8},
        {"down the column", TAdvanceDirection::adTopBottom, false, true, 2, 3, 2, 4, 6, 8},
        {"column end to next column", TAdvanceDirection::adTopBottom, false, true, 2, 7, 3, 1, 6, 8},
        {"in column wraps to the top", TAdvanceDirection::adTopBottomInCol, false, true, 2, 7, 2, 1, 6, 8},
        {"in row wraps to the start", TAdvanceDirection::adLeftRightInRow, false, true, 5, 4, 1, 4, 6, 8},
        {"last column with insert adds a column", TAdvanceDirection::adTopBottom, true, true, 5, 7, 6, 1, 7, 8},
        {"last cell with insert adds a row", TAdvanceDirection::adLeftRight, true, false, 5, 7, 1, 8, 6, 9},
    };
    for (const AdvanceCase& c : cases) {
        SCOPED_TRACE(c.name);
        grid->SetColCount(6);
        grid->SetRowCount(8);
        grid->Navigation()->SetAdvanceOnEnter(true);
        grid->Navigation()->SetAdvanceDirection(c.dir);
        grid->Navigation()->SetAdvanceInsert(c.insert);
        grid->Navigation()->SetAdvanceOnEnterLoop(c.loop);
        int insertedCol = -1, addedRow = -1;
        grid->OnAutoInsertCol = [&](TObject*, int col) { insertedCol = col; };
        grid->OnAutoAddRow = [&](TObject*, int row) { addedRow = row; };
        for (int col = 0; col < 6; ++col) grid->SetCells(col, 7, QStringLiteral("last%1").arg(col));
        Go(c.fromCol, c.fromRow);
        grid->AdvanceToNextCell(c.fromCol, c.fromRow, false, false, true, false, false);
        ExpectAt(c.toCol, c.toRow);
        EXPECT_EQ(grid->ColCount(), c.colCount);
        EXPECT_EQ(grid->RowCount(), c.rowCount);
        EXPECT_EQ(insertedCol, c.colCount == 7 ? 6 : -1);
        EXPECT_EQ(addedRow, c.rowCount == 9 ? 8 : -1);
        if (c.rowCount == 9) {
            // The row comes from AddRow: empty, and the row above keeps its texts.
            EXPECT_EQ(grid->Cells(5, 7), String("last5"));
            for (int col = 0; col < 6; ++col) EXPECT_EQ(grid->Cells(col, 8), String()) << col;
        }
    }
}

TEST_F(Navigation, AdvanceInsertStopsOnTheNewRowWhenNothingThereIsEditableAndAsksFirst)
{
    grid->Navigation()->SetAdvanceOnEnter(true);
    grid->Navigation()->SetAdvanceInsert(true);
    bool refuse = true;
    grid->OnCanAddRow = [&](TObject*, bool& canAdd) { canAdd = !refuse; };
    Go(5, 7);
    grid->AdvanceToNextCell(5, 7, false, false, true, false, false);
    EXPECT_EQ(grid->RowCount(), 8) << "a refused row is not added";

    refuse = false;
    grid->AllReadOnly = true;
    Go(5, 7);
    grid->AdvanceToNextCell(5, 7, false, false, true, false, false);
    EXPECT_EQ(grid->RowCount(), 9) << "one row, not one per pass";
    ExpectAt(1, 8);
}

TEST_F(Navigation, AdvanceSkipsMergedAreasAndReadOnlyCellsAndFollowsOnAutoAdvance)
{
    grid->Navigation()->SetAdvanceOnEnter(true);
    grid->MergeCells(2, 3, 2, 1);
    Go(2, 3);
    grid->AdvanceToNextCell(2, 3, false, false, true, false, false);
    ExpectAt(4, 3);

    grid->ReadOnlyCols = {2, 3};
    Go(1, 5);
    grid->AdvanceToNextCell(1, 5, false, false, true, false, false);
    ExpectAt(4, 5);

    std::vector<String> seen;
    grid->OnAutoAdvance = [&](TObject*, int oldRow, int oldCol, int& newRow, int& newCol, bool&) {
        seen.push_back(QStringLiteral("%1,%2 -> %3,%4").arg(oldCol).arg(oldRow).arg(newCol).arg(newRow));
        newRow = 6;
        newCol = 1;
    };
    grid->AdvanceToNextCell(4, 5, false, false, true, false, false);
    ExpectAt(1, 6);
    EXPECT_EQ(seen, std::vector<String>{"4,5 -> 5,5"});

    // Refused by OnAutoAdvance: the cell stays.
    grid->OnAutoAdvance = [](TObject*, int, int, int&, int&, bool& allow) { allow = false; };
    grid->AdvanceToNextCell(1, 6, false, false, true, false, false);
    ExpectAt(1, 6);
}

TEST_F(Navigation, AdvanceOnAnAllReadOnlyGridEndsAndLeavesTheCell)
{
    grid->Navigation()->SetAdvanceOnEnter(true);
    grid->AllReadOnly = true;
    for (bool loop : {true, false}) {
        grid->Navigation()->SetAdvanceOnEnterLoop(loop);
        Go(3, 4);
        grid->AdvanceToNextCell(3, 4, false, false, true, false, false);
        ExpectAt(3, 4);
    }
}

// ---- Window messages ----------------------------------------------------------------------------------
TEST_F(GridInput, NestedUpdatesRepaintOnceAndAHiddenGridStillCountsDown)
{
    grid->BeginUpdate();
    grid->BeginUpdate();
    grid->Invalidations = 0;
    grid->EndUpdate();
    EXPECT_EQ(grid->Invalidations, 0);
    EXPECT_TRUE(grid->LockUpdate());
    grid->EndUpdate();
    EXPECT_EQ(grid->Invalidations, 1);
    EXPECT_FALSE(grid->LockUpdate());

    grid->BeginUpdate();
    grid->SetVisible(false);
    grid->EndUpdate();
    EXPECT_FALSE(grid->LockUpdate()) << "a grid hidden inside a batch must paint again once shown";
}

TEST_F(GridInput, StretchingFillsTheClientWidthLessTheOtherColumnsLessOne)
{
    grid->ColumnSize()->SetStretch(true);
    grid->DoStretchColumn(-1);
    const int others = 5 * 64;
    EXPECT_EQ(grid->ColWidths(5), grid->ClientWidth() - others - 1);

    grid->ColumnSize()->SetStretchColumn(grid->ColCount());
    EXPECT_THROW(grid->DoStretchColumn(grid->ColCount()), Exception);
}

TEST_F(GridInput, DraggingTheThumbShowsTheRowHintUntilTheScrollEnds)
{
    grid->SetRowCount(200);
    grid->SetScrollHints(TScrollHintType::shBoth);
    grid->Perform(WM_VSCROLL, MakeWParam(SB_THUMBTRACK, 127));
    ASSERT_NE(grid->ScrollHintWindow(), nullptr);
    EXPECT_EQ(grid->ScrollHintWindow()->Caption(), String("Row : %1").arg(200 - grid->VisibleRowCount()));
    EXPECT_TRUE(grid->ScrollHintWindow()->Visible());
    grid->Perform(WM_HSCROLL, MakeWParam(SB_THUMBTRACK, 0));
    EXPECT_EQ(grid->ScrollHintWindow()->Caption(), String("Col : 1"));
    grid->Perform(WM_VSCROLL, MakeWParam(SB_ENDSCROLL, 0));
    EXPECT_FALSE(grid->ScrollHintWindow()->Visible());
}

TEST_F(GridInput, DragNearTheTopScrollsAfterTheInitialDelayThenRepeats)
{
    grid->SetRowCount(100);
    grid->SetTopRow(20);
    grid->DragScrollOptions()->SetActive(true);
    TDragOverInfo over{nullptr, {100, 10}};
    grid->Perform(CM_DRAG, WPARAM(dsDragEnter), LPARAM(&over));
    seams.Clock().Advance(999);
    EXPECT_EQ(grid->TopRow(), 20);
    seams.Clock().Advance(1);
    EXPECT_EQ(grid->TopRow(), 19);
    seams.Clock().Advance(250);
    EXPECT_EQ(grid->TopRow(), 18);
    seams.Clock().Advance(500);
    EXPECT_EQ(grid->TopRow(), 16);
    // Leaving the margins stops it; switching the option off frees the timer.
    over.Pos = {100, 150};
    grid->Perform(CM_DRAG, WPARAM(dsDragMove), LPARAM(&over));
    seams.Clock().Advance(1000);
    EXPECT_EQ(grid->TopRow(), 16);
    over.Pos = {100, 10};
    grid->Perform(CM_DRAG, WPARAM(dsDragMove), LPARAM(&over));
    grid->DragScrollOptions()->SetActive(false);
    seams.Clock().Advance(2000);
    EXPECT_EQ(grid->TopRow(), 16);
    grid->DragScrollOptions()->SetActive(true);
    grid->Perform(CM_DRAG, WPARAM(dsDragEnter), LPARAM(&over));
    grid->Perform(CM_DRAG, WPARAM(dsDragLeave), LPARAM(&over));
    seams.Clock().Advance(2000);
    EXPECT_EQ(grid->TopRow(), 16) << "leaving the grid stops the scroll";
}

TEST_F(GridInput, SmallWheelStepsAddUpToOneNotch)
{
    // A notch moves the current row by the system's wheel lines.
    const int lines = QApplication::wheelScrollLines();
    grid->SetRowCount(40);
    grid->SetRow(3);
    for (int i = 0; i < 2; ++i) Simulate::Wheel(grid, Middle(2, 2), -40);
    EXPECT_EQ(grid->Row(), 3);
    Simulate::Wheel(grid, Middle(2, 2), -40);
    EXPECT_EQ(grid->Row(), 3 + lines);
    Simulate::Wheel(grid, Middle(2, 2), -WHEEL_DELTA * 2);
    EXPECT_EQ(grid->Row(), 3 + 3 * lines);
}

// ---- Links ------------------------------------------------------------------------------------------------
TEST_F(GridInput, OnlyWebAndMailLinksLeaveTheProgram)
{
    struct Case {
        const char* link;
        bool opened;
    };
    for (const Case c : {Case{"http://127.0.0.1/x", true}, Case{"HTTPS://127.0.0.1/", true},
                         Case{"mailto:a@b.example", true}, Case{"file:///etc/passwd", false},
                         Case{"/usr/bin/xterm", false}, Case{"javascript:alert(1)", false},
                         Case{"ftp://127.0.0.1/", false}}) {
        seams.OpenedUrls.clear();
        grid->OpenCellLink(String::fromUtf8(c.link));
        EXPECT_EQ(seams.OpenedUrls.size(), c.opened ? 1u : 0u) << c.link;
    }
    grid->OpenCellLink(QStringLiteral("cell://R3C2"));
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(grid->Row(), 3);
    EXPECT_TRUE(seams.OpenedUrls.empty());
}

TEST_F(GridInput, AClickOnAURLCellOpensItThroughTheLinkSeam)
{
    grid->SetURLShow(true);
    grid->SetCells(2, 2, QStringLiteral("http://127.0.0.1/manual"));
    grid->SetCells(3, 2, QStringLiteral("file:///etc/passwd"));
    Simulate::Click(grid, Middle(2, 2));
    Simulate::Click(grid, Middle(3, 2));
    EXPECT_EQ(seams.OpenedUrls, std::vector<String>{"http://127.0.0.1/manual"});
}

// Cells of markup with two anchors and form controls, in a wide column so
// that every word lies inside the cell.
struct MarkupClicks : GridInput {
    void SetUp() override
    {
        GridInput::SetUp();
        grid->SetColWidths(2, 300);
        grid->SetDefaultRowHeight(24);
    }
    // The client point in the middle of `word`, laid out from the left of the
    // cell's text after `before`, on the first line.
    TPoint At(int col, int row, const String& before, const String& word)
    {
        TCanvas& canvas = *grid->Canvas();
        canvas.SetFont(grid->Font());
        const TRect r = grid->CellRect(col, row);
        const int left = r.Left + grid->XYOffset().X - 1;
        const int x = left + canvas.TextWidth(before) + canvas.TextWidth(word) / 2;
        return {x, r.Top + grid->XYOffset().Y + canvas.TextHeight(QStringLiteral("gh")) / 2};
    }
};

TEST_F(MarkupClicks, EachAnchorTakesThePressesOnItsOwnText)
{
    grid->SetCells(2, 2,
                   QStringLiteral("<a href=\"http://127.0.0.1/one\">one</a> gap <a href=\"http://127.0.0.1/two\">two</a>"));
    std::vector<String> clicked;
    Simulate::Click(grid, At(2, 2, QStringLiteral("one gap "), QStringLiteral("two")));
    Simulate::Click(grid, At(2, 2, QString(), QStringLiteral("one")));
    Simulate::Click(grid, At(2, 2, QStringLiteral("one "), QStringLiteral("gap")));
    EXPECT_EQ(seams.OpenedUrls, (std::vector<String>{"http://127.0.0.1/two", "http://127.0.0.1/one"}));

    // OnAnchorClick hears the anchor first and may keep it from being opened;
    // schemes outside the web and mail are never opened.
    seams.OpenedUrls.clear();
    grid->OnAnchorClick = [&](TObject*, int r, int c, const String& a, bool& autoHandle) {
        clicked.push_back(QStringLiteral("r%1 c%2 %3").arg(r).arg(c).arg(a));
        autoHandle = a.contains(QStringLiteral("two")) || a.startsWith(QStringLiteral("file"));
    };
    Simulate::Click(grid, At(2, 2, QString(), QStringLiteral("one")));
    grid->SetCells(2, 4, QStringLiteral("see <a href=\"file:///etc/passwd\">here</a>"));
    Simulate::Click(grid, At(2, 4, QStringLiteral("see "), QStringLiteral("here")));
    EXPECT_EQ(clicked, (std::vector<String>{"r2 c2 http://127.0.0.1/one", "r4 c2 file:///etc/passwd"}));
    EXPECT_TRUE(seams.OpenedUrls.empty());
}

TEST_F(MarkupClicks, ACheckBoxLeavesRoomForItsBoxAndACellAnchorMovesToItsCell)
{
    // With a check box the text starts right of the box: the press lands where
    // the word is painted (a precise box check leaves the text to the anchor).
    grid->SetCells(2, 5, QStringLiteral("<a href=\"http://127.0.0.1/boxed\">boxed</a>"));
    grid->AddCheckBox(2, 5, false, false);
    grid->MouseActions()->SetPreciseCheckBoxCheck(true);
    // Half a box before the word's end: without the room for the box the
    // point would lie half a box past it.
    TPoint p = At(2, 5, QStringLiteral("boxed"), QString());
    p.X += grid->ControlLook()->CheckSize() / 2;
    Simulate::Click(grid, p);
    EXPECT_EQ(seams.OpenedUrls, std::vector<String>{"http://127.0.0.1/boxed"});

    grid->SetCells(2, 2, QStringLiteral("go <a href=\"cell://R6C4\">there</a>"));
    Simulate::Click(grid, At(2, 2, QStringLiteral("go "), QStringLiteral("there")));
    EXPECT_EQ(grid->Col(), 4);
    EXPECT_EQ(grid->Row(), 6);
}

TEST_F(MarkupClicks, FormControlsChangeOnlyWhileTheCellMayBeEdited)
{
    const String markup = QStringLiteral("<CONTROL TYPE=\"CHECK\" id=\"c1\" value=\"FALSE\" width=\"16\">");
    grid->SetCells(2, 2, markup);
    std::vector<String> clicks;
    grid->OnControlClick = [&](TObject*, int r, int c, const String& id, const String& type, const String& value) {
        clicks.push_back(QStringLiteral("r%1 c%2 %3 %4 %5").arg(r).arg(c).arg(id, type, value));
    };
    const TRect r = grid->CellRect(2, 2);
    const TPoint box{r.Left + grid->XYOffset().X + 4, r.Top + grid->XYOffset().Y + 4};
    Simulate::Click(grid, box);
    EXPECT_EQ(grid->Cells(2, 2), markup) << "without editing the control stays";
    EXPECT_TRUE(clicks.empty());
    EXPECT_TRUE(seams.OpenedUrls.empty());

    grid->SetOptions(grid->Options() + goEditing);
    Simulate::Click(grid, box);
    EXPECT_TRUE(grid->Cells(2, 2).contains(QStringLiteral("VALUE=\"TRUE\"")));
    Simulate::Click(grid, box);
    EXPECT_TRUE(grid->Cells(2, 2).contains(QStringLiteral("VALUE=\"FALSE\"")));
    EXPECT_EQ(clicks, (std::vector<String>{"r2 c2 c1 CHECK TRUE", "r2 c2 c1 CHECK FALSE"}));

    grid->ReadOnlyCols = {2};
    grid->OnCanEditCell = [](TObject*, int, int c, bool& canEdit) { canEdit = canEdit && c != 2; };
    Simulate::Click(grid, box);
    EXPECT_EQ(clicks.size(), 2u) << "a cell that may not be edited keeps its control";
}

// ---- A short recorded run ---------------------------------------------------------------------------------
TEST_F(GridInput, RecordedRunEndsOnTheExpectedCellSelectionAndWidths)
{
    grid->SetRowCount(40);
    grid->SetOptions(grid->Options() + TGridOptions{goEditing, goTabs, goColSizing});
    grid->Navigation()->SetAdvanceAutoEdit(false);
    grid->ReadOnlyCols = {3};
    grid->SetCol(1);
    grid->SetRow(1);
    Simulate::Key(grid, Qt::Key_Right);
    Simulate::Key(grid, Qt::Key_Down);
    Simulate::Key(grid, Qt::Key_Down);
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(grid->Row(), 3);
    Simulate::Key(grid, Qt::Key_PageDown);
    const int afterPage = 3 + grid->VisibleRowCount();
    EXPECT_EQ(grid->Row(), afterPage);
    const int lines = QApplication::wheelScrollLines();
    Simulate::Wheel(grid, Middle(2, grid->TopRow()), WHEEL_DELTA);
    EXPECT_EQ(grid->Row(), afterPage - lines);
    Simulate::Key(grid, Qt::Key_Tab);   // column 3 is read-only
    EXPECT_EQ(grid->Col(), 4);
    EXPECT_EQ(grid->Row(), afterPage - lines);
    // Size column 2 by dragging its header border 30 px to the right.
    const TRect h = grid->CellRect(2, 0);
    const int y = (h.Top + h.Bottom) / 2;
    Simulate::MouseMove(grid, {h.Right, y});
    Simulate::MouseDown(grid, {h.Right, y});
    Simulate::MouseMove(grid, {h.Right + 30, y}, Qt::LeftButton);
    Simulate::MouseUp(grid, {h.Right + 30, y});
    EXPECT_EQ(grid->ColWidths(2), 94);
    EXPECT_EQ(grid->ColWidths(1), 64);
    EXPECT_EQ(grid->Col(), 4);
    EXPECT_EQ(grid->Selection(), (TGridRect{4, afterPage - lines, 4, afterPage - lines}));
}

} // namespace
