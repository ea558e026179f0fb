// The platform grid: its cell store, geometry, current cell and selection,
// keys, mouse, wheel, scroll messages, the selection-scrolling timer, sizing
// and moving by drag, painting and the inplace editor, driven through
// messages and simulated input as a user would.
#include "platform/Forms.h"
#include "platform/Grids.h"
#include "platform/Seams.h"
#include "tests/common/TestSeams.h"

#include <QScrollBar>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

std::string Num(long long v)
{
    return std::to_string(v);
}

// A string grid that writes down the steps the platform grid takes.
class TSpyGrid : public TStringGrid {
public:
    explicit TSpyGrid(TComponent* owner) : TStringGrid(owner) {}
    std::vector<std::string> Log;
    int WidthChanges = 0;
    int HeightChanges = 0;
    std::vector<std::string> Scrolls;
    bool AllowEditor = true;
    int SizeChanges = 0;
    // Sizing refused on this column's border, or moved from it to the next one.
    int RefuseSizingCol = -1;
    int ShiftSizingCol = -1;
    bool MovedCallsInherited = true;
    std::vector<std::pair<int, int>> ColumnMoves;

    using TCustomGrid::ClampInView;
    using TCustomGrid::FocusCell;
    using TCustomGrid::MaxTopLeft;

protected:
    void WMKeyDown(TWMKey& m) override
    {
        Log.push_back("handler " + Num(m.CharCode));
        TStringGrid::WMKeyDown(m);
        Log.push_back("handler done, row " + Num(Row()));
    }
    void KeyDown(WORD& key, TShiftState shift) override
    {
        Log.push_back("step " + Num(key));
        TStringGrid::KeyDown(key, shift);
    }
    void ColWidthsChanged() override
    {
        ++WidthChanges;
        TStringGrid::ColWidthsChanged();
    }
    void RowHeightsChanged() override
    {
        ++HeightChanges;
        TStringGrid::RowHeightsChanged();
    }
    void ModifyScrollBar(int bar, int code, int pos, bool rtl) override
    {
        Scrolls.push_back(Num(bar) + ":" + Num(code) + ":" + Num(pos));
        TStringGrid::ModifyScrollBar(bar, code, pos, rtl);
    }
    bool CanEditShow() override { return AllowEditor && TStringGrid::CanEditShow(); }
    void SizeChanged(int oldCols, int oldRows) override
    {
        ++SizeChanges;
        TStringGrid::SizeChanged(oldCols, oldRows);
    }
    void CalcSizingState(int x, int y, TGridState& state, int& index, int& pos, int& ofs) override
    {
        TStringGrid::CalcSizingState(x, y, state, index, pos, ofs);
        if (state == gsColSizing && index == RefuseSizingCol) state = gsNormal;
        if (state == gsColSizing && index == ShiftSizingCol) ++index;
    }
    void ColumnMoved(int from, int to) override
    {
        ColumnMoves.push_back({from, to});
        if (MovedCallsInherited) TStringGrid::ColumnMoved(from, to);
    }
};

// A shown form holding a focused grid: 5 x 20 cells of 64 x 24 pixels plus
// 1-pixel lines, in a window that shows 4 columns and 8 rows whole.
class GridTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        form->SetBounds(0, 0, 500, 400);
        grid = new TSpyGrid(form.get());
        grid->SetParent(form.get());
        grid->SetRowCount(20);
        // 4 columns of 65 and a vertical bar of 17; 9 rows of 25 and a horizontal bar.
        grid->SetBounds(0, 0, 4 * 65 + 17 + 10, 9 * 25 + 17 + 5);
        form->Show();
        grid->SetFocus();
    }
    void TearDown() override { ClearKeyStates(); }

    TPoint Center(int col, int row) const
    {
        const TRect r = grid->CellRect(col, row);
        return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }
    void Fill()
    {
        for (int r = 0; r < grid->RowCount(); ++r)
            for (int c = 0; c < grid->ColCount(); ++c) grid->SetCells(c, r, QStringLiteral("%1:%2").arg(c).arg(r));
    }

    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
    TSpyGrid* grid = nullptr;
};

// ---- Cell store ----------------------------------------------------------------------------

TEST(GridCellStore, KeepsCellsAnywhereAndMovesThemAsRowsAndColumnsChange)
{
    TGridCellStore s;
    TObject marker;
    s.SetText(3, 100000, QStringLiteral("far"));
    s.SetObject(40, 2, &marker);
    EXPECT_EQ(s.Text(3, 100000), QStringLiteral("far"));
    EXPECT_EQ(s.Object(40, 2), &marker);
    EXPECT_EQ(s.Text(2, 100000), QString());
    EXPECT_EQ(s.Text(-1, 0), QString()) << "negative cells read empty";
    s.SetText(-1, -1, QStringLiteral("lost"));   // ignored, nothing breaks
    EXPECT_EQ(s.RowCapacity(), 100001);

    // Rows: delete, insert, move.
    TGridCellStore r;
    for (int i = 0; i < 4; ++i) r.SetText(0, i, QString::number(i));
    r.DeleteRow(1);
    r.InsertRow(0);
    r.MoveRow(1, 3);   // "0" goes below "3"
    std::vector<QString> rows;
    for (int i = 0; i < 4; ++i) rows.push_back(r.Text(0, i));
    EXPECT_EQ(rows, (std::vector<QString>{"", "2", "3", "0"}));

    // Columns move in every row, short rows included.
    TGridCellStore c;
    c.SetText(0, 0, QStringLiteral("a"));
    c.SetText(2, 0, QStringLiteral("c"));
    c.SetText(0, 1, QStringLiteral("x"));
    c.MoveColumn(0, 2);
    EXPECT_EQ(c.Text(2, 0), QStringLiteral("a"));
    EXPECT_EQ(c.Text(1, 0), QStringLiteral("c"));
    EXPECT_EQ(c.Text(2, 1), QStringLiteral("x"));
    c.DeleteColumn(1);
    EXPECT_EQ(c.Text(1, 0), QStringLiteral("a"));
    c.InsertColumn(0);
    EXPECT_EQ(c.Text(2, 0), QStringLiteral("a"));

    EXPECT_THROW(s.SetText(0, TGridCellStore::MaxRows, QStringLiteral("x")), EInvalidGridOperation);
}

TEST(GridCellStore, StringGridKeepsCellsPastTheCountsWhenTheyShrink)
{
    TStringGrid g(nullptr);
    g.SetColCount(6);
    g.SetRowCount(6);
    g.SetCells(5, 5, QStringLiteral("corner"));
    g.SetCells(9, 2, QStringLiteral("beyond"));   // a column the grid does not have
    g.SetColCount(3);
    g.SetRowCount(3);
    EXPECT_EQ(g.Cells(5, 5), QStringLiteral("corner"));
    EXPECT_EQ(g.Cells(9, 2), QStringLiteral("beyond"));
    g.SetColCount(6);
    g.SetRowCount(6);
    EXPECT_EQ(g.Cells(5, 5), QStringLiteral("corner"));
    // A row list holds the texts up to ColCount.
    g.SetCells(1, 2, QStringLiteral("b"));
    EXPECT_EQ(g.Rows(2)->Count(), 6);
    EXPECT_EQ(g.Rows(2)->Strings(1), QStringLiteral("b"));
}

TEST(GridCellStore, RowAndColumnOperationsCarryTheirCells)
{
    TStringGrid g(nullptr);
    g.SetRowCount(5);
    for (int r = 0; r < 5; ++r) g.SetCells(1, r, QString::number(r));
    g.DeleteRow(1);
    EXPECT_EQ(g.RowCount(), 4);
    EXPECT_EQ(g.Cells(1, 1), QStringLiteral("2"));
    g.InsertRow(1);
    EXPECT_EQ(g.RowCount(), 5);
    EXPECT_EQ(g.Cells(1, 1), QString());
    EXPECT_EQ(g.Cells(1, 2), QStringLiteral("2"));
    std::vector<std::pair<int, int>> moved;
    g.OnRowMoved = [&](TObject*, int from, int to) { moved.push_back({from, to}); };
    g.MoveRow(4, 1);
    EXPECT_EQ(g.Cells(1, 1), QStringLiteral("4"));
    EXPECT_EQ(moved, (std::vector<std::pair<int, int>>{{4, 1}}));
    g.SetColWidths(2, 99);
    g.MoveColumn(2, 4);
    EXPECT_EQ(g.ColWidths(4), 99) << "the width goes with its column";
    EXPECT_THROW(g.DeleteRow(5), EInvalidGridOperation);
    EXPECT_THROW(g.MoveColumn(0, 5), EInvalidGridOperation);
}

// ---- Dimensions and geometry --------------------------------------------------------------

TEST(GridDimensions, FixedCellsStayFewerThanTheCells)
{
    TStringGrid g(nullptr);
    EXPECT_EQ(g.DefaultColWidth(), 64);
    EXPECT_EQ(g.DefaultRowHeight(), 24);
    EXPECT_EQ(g.GridLineWidth(), 1);
    EXPECT_EQ(g.Options(), DefaultGridOptions);
    try {
        g.SetFixedCols(g.ColCount());
        FAIL() << "no error";
    } catch (const EInvalidGridOperation& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Fixed column count must be less than column count"));
    }
    EXPECT_THROW(g.SetFixedRows(-1), EInvalidGridOperation);
    g.SetColCount(1);   // takes the fixed column with it
    EXPECT_EQ(g.FixedCols(), 0);
    EXPECT_EQ(g.Col(), 0);
    g.SetRowCount(0);   // at least one row
    EXPECT_EQ(g.RowCount(), 1);
    EXPECT_EQ(g.FixedRows(), 0);
}

// Each column operation has a row twin; both are driven alike here and read
// back through a view that swaps the axes, so a twin that mixes them up shows.
TEST(GridDimensions, ColumnAndRowFormsMirrorEachOther)
{
    for (const bool columns : {true, false}) {
        SCOPED_TRACE(columns ? "columns" : "rows");
        TStringGrid g(nullptr);
        g.SetColCount(5);
        g.SetRowCount(5);
        const int defaultSize = columns ? 64 : 24;
        // Cell k of line `line` (a column or a row).
        auto text = [&](int line, int k) { return columns ? g.Cells(line, k) : g.Cells(k, line); };
        auto setText = [&](int line, int k, const char* t) {
            columns ? g.SetCells(line, k, QString::fromLatin1(t)) : g.SetCells(k, line, QString::fromLatin1(t));
        };
        auto size = [&](int i) { return columns ? g.ColWidths(i) : g.RowHeights(i); };
        auto setSize = [&](int i, int v) { columns ? g.SetColWidths(i, v) : g.SetRowHeights(i, v); };
        auto setDefault = [&](int v) { columns ? g.SetDefaultColWidth(v) : g.SetDefaultRowHeight(v); };
        auto line = [&](int i) { return columns ? g.Cols(i) : g.Rows(i); };
        auto setLine = [&](int i, const TStringList& l) { columns ? g.SetCols(i, l) : g.SetRows(i, l); };
        auto move = [&](int from, int to) { columns ? g.MoveColumn(from, to) : g.MoveRow(from, to); };
        auto fixed = [&] { return columns ? g.FixedCols() : g.FixedRows(); };
        auto setFixed = [&](int v) { columns ? g.SetFixedCols(v) : g.SetFixedRows(v); };
        auto current = [&] { return columns ? g.Col() : g.Row(); };
        auto first = [&] { return columns ? g.LeftCol() : g.TopRow(); };

        // Sizes: never below 0; outside the grid a read gives the default and a write throws.
        setSize(2, -5);
        EXPECT_EQ(size(2), 0);
        EXPECT_EQ(size(3), defaultSize);
        EXPECT_EQ(size(7), defaultSize);
        EXPECT_THROW(setSize(5, 10), EInvalidGridOperation);
        setDefault(30);
        EXPECT_EQ(size(2), 30) << "a new default reaches every line";
        EXPECT_EQ(size(9), 30);
        setDefault(-3);
        EXPECT_EQ(size(0), 0);
        setDefault(30);

        // A list fills one line; its cells past the list's end are emptied, the next line is untouched.
        setText(1, 4, "old");
        setText(2, 0, "keep");
        TStringList l;
        l.Add(QStringLiteral("a"));
        l.Add(QStringLiteral("b"));
        setLine(1, l);
        EXPECT_EQ(text(1, 0), QStringLiteral("a"));
        EXPECT_EQ(text(1, 1), QStringLiteral("b"));
        EXPECT_EQ(text(1, 4), QString());
        EXPECT_EQ(text(2, 0), QStringLiteral("keep"));
        const auto back = line(1);
        ASSERT_EQ(back->Count(), 5);
        EXPECT_EQ(back->Strings(1), QStringLiteral("b"));

        // A move carries the cells, the size and the current cell along its axis only.
        setSize(1, 77);
        g.SetCol(1);
        g.SetRow(1);
        move(1, 3);
        EXPECT_EQ(text(3, 0), QStringLiteral("a"));
        EXPECT_EQ(size(3), 77);
        EXPECT_EQ(current(), 3);
        EXPECT_EQ(columns ? g.Row() : g.Col(), 1) << "the other axis stays";
        EXPECT_THROW(move(0, 5), EInvalidGridOperation);
        EXPECT_THROW(move(-1, 2), EInvalidGridOperation);

        // The fixed count names its own axis when refused, and scrolls the first line to after it.
        try {
            setFixed(5);
            ADD_FAILURE() << "no error";
        } catch (const EInvalidGridOperation& e) {
            EXPECT_EQ(e.Message(), columns ? QStringLiteral("Fixed column count must be less than column count")
                                           : QStringLiteral("Fixed row count must be less than row count"));
        }
        setFixed(2);
        EXPECT_EQ(fixed(), 2);
        EXPECT_EQ(first(), 2);
        EXPECT_EQ(columns ? g.FixedRows() : g.FixedCols(), 1) << "the other axis stays";
    }
}

TEST_F(GridTest, CellRectAndMouseCoordAgree)
{
    EXPECT_EQ(grid->VisibleColCount(), 3) << "columns 1..3 whole beside the fixed one";
    EXPECT_EQ(grid->VisibleRowCount(), 8);
    EXPECT_EQ(grid->CellRect(0, 0), Rect(0, 0, 64, 24));
    EXPECT_EQ(grid->CellRect(2, 1), Rect(130, 25, 194, 49));
    // The partly visible last column is cut at the client edge.
    EXPECT_EQ(grid->CellRect(4, 1).Right, grid->ClientWidth());
    struct Case {
        int x, y, col, row;
    } cases[] = {
        {0, 0, 0, 0}, {63, 23, 0, 0}, {64, 24, 0, 0},   // the line belongs to the cell before it
        {65, 25, 1, 1}, {200, 60, 3, 2}, {-1, 5, -1, -1}, {5, 2000, -1, -1},
    };
    for (const Case& c : cases) {
        const TGridCoord got = grid->MouseCoord(c.x, c.y);
        EXPECT_EQ(got, (TGridCoord{c.col, c.row})) << c.x << "," << c.y;
    }
    grid->SetTopRow(5);
    EXPECT_TRUE(grid->CellRect(1, 2).IsEmpty()) << "scrolled out of view";
    EXPECT_EQ(grid->CellRect(1, 5), Rect(65, 25, 129, 49));
    EXPECT_EQ(grid->MouseCoord(70, 30), (TGridCoord{1, 5}));
    EXPECT_EQ(grid->MouseCoord(70, 5), (TGridCoord{1, 0})) << "fixed rows stay";
}

// ---- Current cell and selection by mouse ---------------------------------------------------

TEST_F(GridTest, ClickMovesTheCellAndShiftClickSpansFromTheAnchor)
{
    int clicks = 0;
    grid->OnClick = [&](TObject*) { ++clicks; };
    Simulate::Click(grid, Center(2, 3));
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(grid->Row(), 3);
    EXPECT_EQ(grid->Selection(), (TGridRect{2, 3, 2, 3}));
    EXPECT_EQ(clicks, 1);

    Simulate::MouseDown(grid, Center(3, 6), Qt::LeftButton, Qt::ShiftModifier);
    Simulate::MouseUp(grid, Center(3, 6), Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(grid->Selection(), (TGridRect{2, 3, 3, 6}));
    EXPECT_EQ(grid->Col(), 2) << "the current cell stays where the selection began";
    EXPECT_EQ(grid->Anchor(), (TGridCoord{3, 6}));

    // Shift-click above and left: the rectangle turns round the current cell.
    Simulate::MouseDown(grid, Center(1, 1), Qt::LeftButton, Qt::ShiftModifier);
    Simulate::MouseUp(grid, Center(1, 1), Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(grid->Selection(), (TGridRect{1, 1, 2, 3}));

    // A plain click collapses it again; a drag spans it.
    Simulate::MouseDown(grid, Center(1, 2));
    Simulate::MouseMove(grid, Center(3, 4), Qt::LeftButton);
    Simulate::MouseUp(grid, Center(3, 4));
    EXPECT_EQ(grid->Selection(), (TGridRect{1, 2, 3, 4}));

    // While cells are edited a shift-click only moves the current cell.
    grid->SetOptions(grid->Options() + TGridOptions{goEditing});
    Simulate::MouseDown(grid, Center(3, 6), Qt::LeftButton, Qt::ShiftModifier);
    Simulate::MouseUp(grid, Center(3, 6), Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(grid->Selection(), (TGridRect{3, 6, 3, 6}));
}

TEST_F(GridTest, SelectCellMayRefuseAMove)
{
    grid->OnSelectCell = [](TObject*, int col, int, bool& can) { can = col != 3; };
    Simulate::Click(grid, Center(3, 2));
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_EQ(grid->Row(), 1);
    Simulate::Click(grid, Center(2, 2));
    EXPECT_EQ(grid->Col(), 2);
}

// ---- Keys ------------------------------------------------------------------------------------

TEST_F(GridTest, NavigationKeysMoveTheCurrentCell)
{
    struct Case {
        const char* name;
        int key;
        Qt::KeyboardModifiers mods;
        TGridCoord from, to;
    } cases[] = {
        {"down", Qt::Key_Down, Qt::NoModifier, {2, 3}, {2, 4}},
        {"up stops at the fixed row", Qt::Key_Up, Qt::NoModifier, {2, 1}, {2, 1}},
        {"left stops at the fixed column", Qt::Key_Left, Qt::NoModifier, {1, 3}, {1, 3}},
        {"right", Qt::Key_Right, Qt::NoModifier, {2, 3}, {3, 3}},
        {"home", Qt::Key_Home, Qt::NoModifier, {3, 3}, {1, 3}},
        {"end", Qt::Key_End, Qt::NoModifier, {2, 3}, {4, 3}},
        {"ctrl home", Qt::Key_Home, Qt::ControlModifier, {3, 9}, {1, 1}},
        {"ctrl end", Qt::Key_End, Qt::ControlModifier, {2, 3}, {4, 19}},
        {"page down by the visible rows", Qt::Key_PageDown, Qt::NoModifier, {2, 3}, {2, 11}},
        {"page down stops at the last row", Qt::Key_PageDown, Qt::NoModifier, {2, 15}, {2, 19}},
        {"page up", Qt::Key_PageUp, Qt::NoModifier, {2, 12}, {2, 4}},
    };
    for (const Case& c : cases) {
        grid->FocusCell(c.from.X, c.from.Y, true);
        Simulate::Key(grid, c.key, c.mods);
        EXPECT_EQ((TGridCoord{grid->Col(), grid->Row()}), c.to) << c.name;
        // The current cell is always in view afterwards.
        EXPECT_FALSE(grid->CellRect(grid->Col(), grid->Row()).IsEmpty()) << c.name;
    }
    // Page Down scrolls the view with the cell.
    grid->FocusCell(1, 1, true);
    Simulate::Key(grid, Qt::Key_PageDown);
    EXPECT_EQ(grid->TopRow(), 1 + grid->VisibleRowCount());
}

TEST_F(GridTest, ShiftArrowsExtendTheSelectionOnlyWithRangeSelect)
{
    grid->FocusCell(2, 2, true);
    Simulate::Key(grid, Qt::Key_Down, Qt::ShiftModifier);
    Simulate::Key(grid, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(grid->Selection(), (TGridRect{2, 2, 3, 3}));
    EXPECT_EQ(grid->Row(), 2);
    grid->SetOptions(grid->Options() - TGridOptions{goRangeSelect});
    Simulate::Key(grid, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(grid->Selection(), (TGridRect{2, 3, 2, 3}));
}

TEST_F(GridTest, TabWalksAndWrapsOnlyWithGoTabs)
{
    grid->FocusCell(4, 2, true);
    Simulate::Key(grid, Qt::Key_Tab);
    EXPECT_EQ((TGridCoord{grid->Col(), grid->Row()}), (TGridCoord{4, 2})) << "without goTabs the form has Tab";

    grid->SetOptions(grid->Options() + TGridOptions{goTabs});
    struct Case {
        TGridCoord from;
        bool back;
        TGridCoord to;
    } cases[] = {
        {{2, 2}, false, {3, 2}},
        {{4, 2}, false, {1, 3}},     // end of a row: the next row's first cell
        {{4, 19}, false, {1, 1}},    // the last cell: back to the first
        {{1, 3}, true, {4, 2}},      // Shift+Tab at a row's start: the row above's end
        {{1, 1}, true, {4, 19}},
    };
    for (const Case& c : cases) {
        grid->FocusCell(c.from.X, c.from.Y, true);
        Simulate::Key(grid, c.back ? Qt::Key_Backtab : Qt::Key_Tab, c.back ? Qt::ShiftModifier : Qt::NoModifier);
        EXPECT_EQ((TGridCoord{grid->Col(), grid->Row()}), c.to) << c.from.X << "," << c.from.Y << " back " << c.back;
    }
}

TEST_F(GridTest, KeyDownPassesHandlerInheritedStepAndEventInOrder)
{
    std::vector<std::string>& log = grid->Log;
    grid->OnKeyDown = [&](TObject*, WORD& key, TShiftState) {
        log.push_back("event " + Num(key) + ", row " + Num(grid->Row()));
    };
    grid->FocusCell(1, 2, true);
    Simulate::KeyDown(grid, Qt::Key_Down);
    Simulate::KeyUp(grid, Qt::Key_Down);
    EXPECT_EQ(log, (std::vector<std::string>{"handler 40", "step 40", "event 40, row 2", "handler done, row 3"}));

    // An event that takes the key stops the grid's own move.
    log.clear();
    grid->OnKeyDown = [](TObject*, WORD& key, TShiftState) { key = 0; };
    Simulate::Key(grid, Qt::Key_Down);
    EXPECT_EQ(grid->Row(), 3);
}

// ---- Wheel and scroll messages ---------------------------------------------------------------

TEST_F(GridTest, WheelMovesTheRowOneStepPerNotch)
{
    grid->FocusCell(1, 5, true);
    Simulate::Wheel(grid, Center(1, 5), -2 * WHEEL_DELTA);
    EXPECT_EQ(grid->Row(), 7);
    Simulate::Wheel(grid, Center(1, 5), WHEEL_DELTA);
    EXPECT_EQ(grid->Row(), 6);
    // A wheel-down handler that takes the step stops it; OnMouseWheel comes before both.
    std::vector<std::string> order;
    grid->OnMouseWheel = [&](TObject*, TShiftState, int, TPoint, bool&) { order.push_back("wheel"); };
    grid->OnMouseWheelDown = [&](TObject*, TShiftState, TPoint, bool& handled) {
        order.push_back("down");
        handled = true;
    };
    Simulate::Wheel(grid, Center(1, 5), -WHEEL_DELTA);
    EXPECT_EQ(grid->Row(), 6);
    EXPECT_EQ(order, (std::vector<std::string>{"wheel", "down"}));
    // Scrolling at the end stays at the last row.
    grid->OnMouseWheelDown = nullptr;
    grid->FocusCell(1, 19, true);
    Simulate::Wheel(grid, Center(1, 19), -WHEEL_DELTA);
    EXPECT_EQ(grid->Row(), 19);
}

TEST_F(GridTest, TheShownBarsThumbIsAsLongAsThePartOfTheGridInView)
{
    auto verticalBar = [this]() -> QScrollBar* {
        for (QScrollBar* bar : grid->Handle()->findChildren<QScrollBar*>())
            if (bar->orientation() == Qt::Vertical && bar->isVisible()) return bar;
        return nullptr;
    };
    QScrollBar* bar = verticalBar();
    ASSERT_NE(bar, nullptr);
    // The bar's positions are the window system's 0 .. 127 with the page taken off the end.
    EXPECT_EQ(bar->minimum(), 0);
    EXPECT_EQ(bar->maximum(), 127);
    const int fewRowsPage = bar->pageStep();
    EXPECT_GT(fewRowsPage, 30) << "9 of 19 scrolling rows in view: about half the bar";
    grid->SetRowCount(2000);
    bar = verticalBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->maximum(), 127);
    EXPECT_LE(bar->pageStep(), 2) << "a hundredfold longer grid has a thumb of a sliver";
    // Dragging the thumb to the end of the bar still reaches the last rows.
    grid->Perform(WM_VSCROLL, MakeWParam(SB_THUMBPOSITION, bar->maximum()), 0);
    EXPECT_EQ(grid->TopRow(), grid->MaxTopLeft().Y);
}

TEST_F(GridTest, ScrollMessagesReachModifyScrollBarAndMapTheThumbRange)
{
    int minPos = -1, maxPos = -1;
    ASSERT_TRUE(IsScrollBarVisible(grid, SB_VERT));
    EXPECT_TRUE(GetScrollRange(grid, SB_VERT, minPos, maxPos));
    EXPECT_TRUE(IsScrollBarVisible(grid, SB_HORZ)) << "the fifth column does not fit";

    const int lastTop = grid->MaxTopLeft().Y;
    EXPECT_EQ(lastTop, 20 - grid->VisibleRowCount());
    // Positions run 0 .. 127 whatever the page; the page is the share of the
    // scrolling rows in view, so the thumb is as long as the part shown.
    TScrollInfo info;
    info.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(grid, SB_VERT, info));
    const int visible = grid->VisibleRowCount();
    const int page = (128 * visible + (visible + lastTop - 1) / 2) / (visible + lastTop - 1);
    EXPECT_EQ(int(info.nPage), page);
    EXPECT_EQ(minPos, 0);
    EXPECT_EQ(maxPos - page + 1, 127);
    struct Case {
        int code, pos, top;
    } cases[] = {
        {SB_LINEDOWN, 0, 2}, {SB_PAGEDOWN, 0, 10}, {SB_LINEUP, 0, 9}, {SB_BOTTOM, 0, lastTop},
        {SB_TOP, 0, 1}, {SB_THUMBPOSITION, 127, lastTop}, {SB_THUMBPOSITION, 0, 1},
        {SB_THUMBPOSITION, 64, 1 + (64 * (lastTop - 1) + 63) / 127}, {SB_PAGEDOWN, 0, lastTop},
    };
    grid->SetTopRow(1);
    for (const Case& c : cases) {
        grid->Scrolls.clear();
        grid->Perform(WM_VSCROLL, MakeWParam(c.code, c.pos), 0);
        EXPECT_EQ(grid->Scrolls, (std::vector<std::string>{"1:" + Num(c.code) + ":" + Num(c.pos)}));
        EXPECT_EQ(grid->TopRow(), c.top) << "code " << c.code << " pos " << c.pos;
    }
    EXPECT_EQ(GetScrollPos(grid, SB_VERT), 127 * (grid->TopRow() - 1) / (lastTop - 1));
    // A dragged thumb scrolls only with goThumbTracking.
    grid->Perform(WM_VSCROLL, MakeWParam(SB_THUMBTRACK, 0), 0);
    EXPECT_EQ(grid->TopRow(), lastTop);
    grid->SetOptions(grid->Options() + TGridOptions{goThumbTracking});
    grid->Perform(WM_VSCROLL, MakeWParam(SB_THUMBTRACK, 0), 0);
    EXPECT_EQ(grid->TopRow(), 1);
    // Horizontally likewise.
    grid->Perform(WM_HSCROLL, MakeWParam(SB_LINEDOWN, 0), 0);
    EXPECT_EQ(grid->LeftCol(), 2);
    // No bars where none are wanted.
    grid->SetScrollBars(ssNone);
    EXPECT_FALSE(IsScrollBarVisible(grid, SB_VERT));
    EXPECT_FALSE(IsScrollBarVisible(grid, SB_HORZ));
}

TEST_F(GridTest, SelectionTimerScrollsWhileTheMouseIsHeldBelowTheGrid)
{
    Simulate::MouseDown(grid, Center(1, 2));
    ASSERT_EQ(grid->GridState(), gsSelecting);
    const int top = grid->TopRow();
    // The pointer below the grid; each tick scrolls one row and drags the selection along.
    SetCursorPosition(grid->ClientToScreen({50, grid->Height() + 30}));
    grid->Perform(WM_TIMER, 1, 0);
    grid->Perform(WM_TIMER, 1, 0);
    EXPECT_EQ(grid->TopRow(), top + 2);
    const TGridRect sel = grid->Selection();
    EXPECT_EQ(sel.Top, 2);
    EXPECT_EQ(sel.Bottom, top + 2 + grid->VisibleRowCount() - 1);
    Simulate::MouseUp(grid, Center(1, 2));
    EXPECT_EQ(grid->GridState(), gsNormal);
    // No more scrolling once released.
    grid->Perform(WM_TIMER, 1, 0);
    EXPECT_EQ(grid->TopRow(), top + 2);
}

// ---- Sizing and moving by drag --------------------------------------------------------------

TEST_F(GridTest, ColumnBorderDragEndsInColWidthsChanged)
{
    grid->SetOptions(grid->Options() + TGridOptions{goColSizing, goRowSizing});
    const int border = grid->CellRect(2, 0).Right;   // right border of column 2 in the header
    grid->WidthChanges = 0;
    Simulate::MouseDown(grid, {border + 1, 10});
    EXPECT_EQ(grid->GridState(), gsColSizing);
    Simulate::MouseMove(grid, {border + 20, 10}, Qt::LeftButton);
    Simulate::MouseMove(grid, {border + 31, 12}, Qt::LeftButton);
    EXPECT_EQ(grid->WidthChanges, 0) << "the width is set once, on release";
    Simulate::MouseUp(grid, {border + 31, 12});
    EXPECT_EQ(grid->WidthChanges, 1);
    EXPECT_EQ(grid->ColWidths(2), 64 + 30);
    EXPECT_EQ(grid->GridState(), gsNormal);
    EXPECT_EQ(grid->Col(), 1) << "sizing selects nothing";

    // Rows from the fixed column likewise.
    const int bottom = grid->CellRect(0, 3).Bottom;
    Simulate::MouseDown(grid, {10, bottom});
    Simulate::MouseUp(grid, {10, bottom + 6});
    EXPECT_EQ(grid->HeightChanges, 1);
    EXPECT_EQ(grid->RowHeights(3), 30);

    // Without goColSizing the same press is a click on the header.
    grid->SetOptions(grid->Options() - TGridOptions{goColSizing});
    Simulate::MouseDown(grid, {grid->CellRect(2, 0).Right, 10});
    EXPECT_EQ(grid->GridState(), gsNormal);
    Simulate::MouseUp(grid, {grid->CellRect(2, 0).Right, 10});
}

TEST_F(GridTest, HeaderDragMovesTheColumnWithItsCells)
{
    Fill();
    grid->SetOptions(grid->Options() + TGridOptions{goColMoving});
    grid->SetColWidths(1, 70);
    grid->FocusCell(1, 2, true);
    std::vector<std::pair<int, int>> moved;
    grid->OnColumnMoved = [&](TObject*, int from, int to) { moved.push_back({from, to}); };
    Simulate::MouseDown(grid, Center(1, 0));
    EXPECT_EQ(grid->GridState(), gsColMoving);
    Simulate::MouseMove(grid, Center(2, 0), Qt::LeftButton);
    Simulate::MouseMove(grid, Center(3, 0), Qt::LeftButton);
    Simulate::MouseUp(grid, Center(3, 0));
    EXPECT_EQ(moved, (std::vector<std::pair<int, int>>{{1, 3}}));
    EXPECT_EQ(grid->Cells(3, 5), QStringLiteral("1:5"));
    EXPECT_EQ(grid->Cells(1, 5), QStringLiteral("2:5"));
    EXPECT_EQ(grid->Cells(2, 0), QStringLiteral("3:0"));
    EXPECT_EQ(grid->ColWidths(3), 70);
    EXPECT_EQ(grid->Col(), 3) << "the current cell goes with its column";

    // Released where it started: nothing moves.
    moved.clear();
    Simulate::MouseDown(grid, Center(2, 0));
    Simulate::MouseUp(grid, Center(2, 0));
    EXPECT_TRUE(moved.empty());
}

TEST_F(GridTest, FixedColumnDragMovesTheRowWithItsCells)
{
    Fill();
    grid->SetOptions(grid->Options() + TGridOptions{goRowMoving});
    grid->SetRowHeights(1, 30);
    grid->FocusCell(2, 1, true);
    std::vector<std::pair<int, int>> moved;
    grid->OnRowMoved = [&](TObject*, int from, int to) { moved.push_back({from, to}); };
    Simulate::MouseDown(grid, Center(0, 1));
    EXPECT_EQ(grid->GridState(), gsRowMoving);
    Simulate::MouseMove(grid, Center(0, 2), Qt::LeftButton);
    Simulate::MouseMove(grid, Center(0, 3), Qt::LeftButton);
    Simulate::MouseUp(grid, Center(0, 3));
    EXPECT_EQ(moved, (std::vector<std::pair<int, int>>{{1, 3}}));
    EXPECT_EQ(grid->Cells(4, 3), QStringLiteral("4:1"));
    EXPECT_EQ(grid->Cells(4, 1), QStringLiteral("4:2"));
    EXPECT_EQ(grid->RowHeights(3), 30);
    EXPECT_EQ(grid->Row(), 3) << "the current cell goes with its row";
    EXPECT_EQ(grid->Col(), 2);
}

// ---- Painting -------------------------------------------------------------------------------

TEST_F(GridTest, PaintAsksEachVisibleCellOnceWithItsState)
{
    grid->FocusCell(1, 2, true);
    grid->SetSelection(TGridRect{1, 2, 2, 3});
    std::map<std::pair<int, int>, int> seen;
    std::map<std::pair<int, int>, TGridDrawState> states;
    std::map<std::pair<int, int>, TRect> rects;
    grid->OnDrawCell = [&](TObject*, int c, int r, const TRect& rect, TGridDrawState s) {
        ++seen[{c, r}];
        states[{c, r}] = s;
        rects[{c, r}] = rect;
    };
    auto stateAt = [&](int c, int r) { return states[std::make_pair(c, r)]; };
    grid->SetTopRow(2);
    grid->PaintToImage();
    // Columns 0..4 (the last one partly) and rows 0, then 2..10 (the last partly).
    std::map<std::pair<int, int>, int> expected;
    for (int c = 0; c < 5; ++c) {
        expected[{c, 0}] = 1;
        for (int r = 2; r <= 10; ++r) expected[{c, r}] = 1;
    }
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(stateAt(0, 0), TGridDrawState{gdFixed});
    EXPECT_EQ(stateAt(0, 5), TGridDrawState{gdFixed});
    EXPECT_EQ(stateAt(1, 2), TGridDrawState{gdFocused}) << "the focused cell is not drawn selected";
    EXPECT_EQ(stateAt(2, 3), TGridDrawState{gdSelected});
    EXPECT_EQ(stateAt(3, 3), TGridDrawState{});
    EXPECT_EQ(rects[std::make_pair(2, 3)], Rect(130, 50, 194, 74)) << "whole cell, scrolled by the top row";

    // Focus drawn selected with the option, and no focus without the keyboard focus.
    grid->SetOptions(grid->Options() + TGridOptions{goDrawFocusSelected});
    grid->PaintToImage();
    EXPECT_EQ(stateAt(1, 2), (TGridDrawState{gdFocused, gdSelected}));
    TEdit other(form.get());
    other.SetParent(form.get());
    other.SetBounds(300, 300, 50, 20);
    other.SetFocus();
    grid->PaintToImage();
    EXPECT_EQ(stateAt(1, 2), TGridDrawState{gdSelected});
}

TEST_F(GridTest, StringGridDrawsItsTextsOnlyWithDefaultDrawing)
{
    grid->SetCells(1, 1, QStringLiteral("WWWW"));
    grid->FocusCell(2, 2, true);
    const TRect cell = grid->CellRect(1, 1);
    auto darkPixels = [&](const QImage& img) {
        int n = 0;
        for (int y = cell.Top; y < cell.Bottom; ++y)
            for (int x = cell.Left; x < cell.Right; ++x) n += qGray(img.pixel(x, y)) < 128;
        return n;
    };
    EXPECT_GT(darkPixels(grid->PaintToImage()), 10);
    grid->SetDefaultDrawing(false);
    EXPECT_EQ(darkPixels(grid->PaintToImage()), 0) << "no text, no fill: the owner draws";
}

// ---- Inplace editor ---------------------------------------------------------------------------

TEST_F(GridTest, TypingOpensTheEditorAndEnterStoresTheText)
{
    grid->SetOptions(grid->Options() + TGridOptions{goEditing});
    grid->SetCells(2, 3, QStringLiteral("old"));
    std::vector<std::string> sets;
    grid->OnSetEditText = [&](TObject*, int c, int r, const String& v) {
        sets.push_back(Num(c) + "," + Num(r) + "=" + v.toStdString());
    };
    grid->FocusCell(2, 3, true);
    EXPECT_EQ(grid->InplaceEditor(), nullptr) << "made on first use";
    Simulate::Type(grid, QStringLiteral("n"));
    ASSERT_NE(grid->InplaceEditor(), nullptr);
    TInplaceEdit* editor = grid->InplaceEditor();
    EXPECT_TRUE(editor->Visible());
    EXPECT_TRUE(grid->EditorMode());
    EXPECT_EQ(editor->Text(), QStringLiteral("n"));
    EXPECT_EQ(editor->BoundsRect(), grid->CellRect(2, 3));
    Simulate::Type(editor, QStringLiteral("ew"));
    Simulate::Key(editor, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    EXPECT_FALSE(editor->Visible());
    EXPECT_EQ(grid->Cells(2, 3), QStringLiteral("new"));
    EXPECT_EQ(sets, (std::vector<std::string>{"2,3=new"}));

    // F2 opens it with the cell's text; Escape gives the text back; Down leaves the cell.
    Simulate::Key(grid, Qt::Key_F2);
    EXPECT_EQ(editor->Text(), QStringLiteral("new"));
    Simulate::Type(editor, QStringLiteral("xyz"));
    Simulate::Key(editor, Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b"));
    EXPECT_EQ(editor->Text(), QStringLiteral("new"));
    Simulate::Key(editor, Qt::Key_Down);
    EXPECT_EQ(grid->Row(), 4);
    EXPECT_EQ(grid->Cells(2, 3), QStringLiteral("new"));
    EXPECT_FALSE(editor->Visible());

    // A descendant that says no keeps the editor shut.
    grid->AllowEditor = false;
    Simulate::Type(grid, QStringLiteral("q"));
    EXPECT_FALSE(editor->Visible());
    EXPECT_EQ(grid->Cells(2, 4), QString());
}

TEST_F(GridTest, EditTextEventsCanChangeWhatTheEditorShows)
{
    grid->SetOptions(grid->Options() + TGridOptions{goEditing});
    grid->SetCells(1, 1, QStringLiteral("raw"));
    grid->OnGetEditText = [](TObject*, int, int, String& v) { v = v.toUpper(); };
    grid->OnGetEditMask = [](TObject*, int, int, String& v) { v = QStringLiteral("999"); };
    grid->SetEditorMode(true);
    ASSERT_NE(grid->InplaceEditor(), nullptr);
    EXPECT_EQ(grid->InplaceEditor()->Text(), QStringLiteral("RAW"));
    EXPECT_EQ(grid->InplaceEditor()->EditMask(), QStringLiteral("999"));
    // Unchanged text is not written back.
    grid->SetEditorMode(false);
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("raw"));
}

// ---- Selection apart from the current cell ---------------------------------------------------

TEST_F(GridTest, SettingTheSelectionLeavesTheCurrentCellAndItsAnchor)
{
    grid->FocusCell(3, 4, true);
    // A whole row highlighted, as a table form does on a click: the column stays.
    grid->SetSelection(TGridRect{grid->FixedCols(), 4, grid->ColCount() - 1, 4});
    EXPECT_EQ(grid->Col(), 3);
    EXPECT_EQ(grid->Row(), 4);
    EXPECT_EQ(grid->Anchor(), (TGridCoord{3, 4}));
    EXPECT_EQ(grid->Selection(), (TGridRect{1, 4, 4, 4}));
    // Given corners in any order.
    grid->SetSelection(TGridRect{4, 6, 2, 5});
    EXPECT_EQ(grid->Selection(), (TGridRect{2, 5, 4, 6}));
    EXPECT_EQ(grid->Col(), 3);

    // Any move of the current cell makes it the block between cell and anchor again.
    Simulate::Key(grid, Qt::Key_Down);
    EXPECT_EQ(grid->Selection(), (TGridRect{3, 5, 3, 5}));
    // An arrow that cannot move still drops a wider selection.
    grid->FocusCell(4, 5, true);
    grid->SetSelection(TGridRect{1, 5, 4, 5});
    Simulate::Key(grid, Qt::Key_Right);
    EXPECT_EQ(grid->Selection(), (TGridRect{4, 5, 4, 5}));

    // Parked outside the grid it highlights nothing and survives count changes.
    grid->SetSelection(TGridRect{grid->ColCount(), grid->RowCount(), grid->ColCount(), grid->RowCount()});
    std::map<std::pair<int, int>, TGridDrawState> states;
    grid->OnDrawCell = [&](TObject*, int c, int r, const TRect&, TGridDrawState st) { states[{c, r}] = st; };
    grid->PaintToImage();
    for (const auto& [cell, st] : states) EXPECT_FALSE(st.Contains(gdSelected)) << cell.first << ":" << cell.second;
    grid->DeleteRows(2, 3);
    EXPECT_EQ(grid->Selection(), (TGridRect{5, 17, 5, 17}));
    grid->SetRowCount(30);
    EXPECT_EQ(grid->Selection(), (TGridRect{5, 30, 5, 30}));

    // A selection cut off by fewer rows shrinks; one wholly beyond falls back to the current cell.
    grid->FocusCell(2, 3, true);
    grid->SetSelection(TGridRect{1, 8, 2, 12});
    grid->SetRowCount(10);
    EXPECT_EQ(grid->Selection(), (TGridRect{1, 8, 2, 9}));
    grid->SetSelection(TGridRect{1, 8, 2, 9});
    grid->SetRowCount(6);
    EXPECT_EQ(grid->Selection(), (TGridRect{2, 3, 2, 3}));
}

TEST_F(GridTest, TheSelectionFollowsItsRowsThroughInsertDeleteAndMove)
{
    grid->FocusCell(2, 5, true);
    grid->SetSelection(TGridRect{1, 5, 4, 6});
    grid->InsertRows(2, 3);
    EXPECT_EQ(grid->Selection(), (TGridRect{1, 8, 4, 9}));
    EXPECT_EQ(grid->Row(), 8);
    grid->DeleteRows(1, 2);
    EXPECT_EQ(grid->Selection(), (TGridRect{1, 6, 4, 7}));
    grid->MoveRow(6, 10);
    EXPECT_EQ(grid->Row(), 10);
    EXPECT_EQ(grid->Selection(), (TGridRect{1, 6, 4, 10})) << "edges map one by one";
    grid->MoveColumn(4, 1);
    EXPECT_EQ(grid->Col(), 3);
}

// ---- Steps a descendant refines ----------------------------------------------------------------

TEST_F(GridTest, TheSizingDecisionIsAStepADescendantCanRefuseOrMove)
{
    grid->SetOptions(grid->Options() + TGridOptions{goColSizing});
    const int border2 = grid->CellRect(2, 0).Right;
    const int border1 = grid->CellRect(1, 0).Right;

    grid->RefuseSizingCol = 2;
    Simulate::MouseDown(grid, {border2, 10});
    EXPECT_EQ(grid->GridState(), gsNormal) << "refused: no sizing starts";
    Simulate::MouseUp(grid, {border2 + 20, 10});
    EXPECT_EQ(grid->ColWidths(2), 64);

    // Moved: the press on column 1's border sizes column 2.
    grid->RefuseSizingCol = -1;
    grid->ShiftSizingCol = 1;
    Simulate::MouseDown(grid, {border1, 10});
    EXPECT_EQ(grid->GridState(), gsColSizing);
    Simulate::MouseUp(grid, {border1 + 10, 10});
    EXPECT_EQ(grid->ColWidths(1), 64);
    EXPECT_NE(grid->ColWidths(2), 64);
}

TEST_F(GridTest, MovesCarryDataAndWidthsEvenWhenTheMovedStepSkipsInherited)
{
    Fill();
    grid->SetColWidths(1, 71);
    int events = 0;
    grid->OnColumnMoved = [&](TObject*, int, int) { ++events; };
    grid->MovedCallsInherited = false;
    grid->MoveColumn(1, 3);
    EXPECT_EQ(grid->ColumnMoves, (std::vector<std::pair<int, int>>{{1, 3}}));
    EXPECT_EQ(events, 0) << "the skipped inherited step is what notifies";
    EXPECT_EQ(grid->Cells(3, 4), QStringLiteral("1:4"));
    EXPECT_EQ(grid->ColWidths(3), 71);
    EXPECT_EQ(grid->Cells(1, 4), QStringLiteral("2:4"));

    grid->MovedCallsInherited = true;
    grid->MoveColumn(3, 1);
    EXPECT_EQ(events, 1);
    EXPECT_EQ(grid->Cells(1, 4), QStringLiteral("1:4"));
    EXPECT_EQ(grid->ColWidths(1), 71);
}

TEST_F(GridTest, DragOverMessageAndScaling)
{
    TObject source;
    TDragOverInfo info{&source, {30, 40}, true};
    grid->Perform(CM_DRAG, WPARAM(dsDragMove), LPARAM(&info));
    EXPECT_FALSE(info.Accept) << "no handler refuses";

    std::vector<std::string> seen;
    grid->OnDragOver = [&](TObject*, TObject* src, int x, int y, TDragState st, bool& accept) {
        seen.push_back(Num(x) + "," + Num(y) + (st == dsDragEnter ? " enter" : " move") + (src == &source ? " src" : ""));
        accept = x < 100;
    };
    grid->Perform(CM_DRAG, WPARAM(dsDragEnter), LPARAM(&info));
    EXPECT_TRUE(info.Accept);
    info.Pos = {150, 40};
    grid->Perform(CM_DRAG, WPARAM(dsDragMove), LPARAM(&info));
    EXPECT_FALSE(info.Accept);
    EXPECT_EQ(seen, (std::vector<std::string>{"30,40 enter src", "150,40 move src"}));

    grid->SetColWidths(2, 50);
    grid->ScaleBy(3, 2);
    EXPECT_EQ(grid->ColWidths(2), 75);
    EXPECT_EQ(grid->ColWidths(1), 96);
    EXPECT_EQ(grid->RowHeights(1), 36);
    EXPECT_EQ(grid->DefaultRowHeight(), 36);
    grid->SetRowCount(25);
    EXPECT_EQ(grid->RowHeights(24), 36) << "new rows take the scaled default";
}

TEST(GridCellStore, RowListsForAGivenWidthCarryCellsBeyondColCount)
{
    TStringGrid g(nullptr);
    g.SetColCount(3);
    TObject marker;
    g.SetCells(4, 2, QStringLiteral("hidden"));
    g.SetObjects(4, 2, &marker);
    g.SetCells(1, 2, QStringLiteral("shown"));
    EXPECT_EQ(g.Rows(2)->Count(), 3);
    auto wide = g.Rows(2, 5);
    ASSERT_EQ(wide->Count(), 5);
    EXPECT_EQ(wide->Strings(4), QStringLiteral("hidden"));
    EXPECT_EQ(wide->Objects(4), &marker);
    g.SetRows(3, *wide, 5);
    EXPECT_EQ(g.Cells(4, 3), QStringLiteral("hidden"));
    EXPECT_EQ(g.Objects(4, 3), &marker);
    EXPECT_EQ(g.Cells(1, 3), QStringLiteral("shown"));
    // A short list empties the rest of the given width.
    TStringList one;
    one.Add(QStringLiteral("x"));
    g.SetRows(3, one, 5);
    EXPECT_EQ(g.Cells(0, 3), QStringLiteral("x"));
    EXPECT_EQ(g.Cells(4, 3), QString());
    EXPECT_EQ(g.Objects(4, 3), nullptr);
    EXPECT_EQ(g.Rows(2, -1)->Count(), 0);
}

// ---- Many rows at once ----------------------------------------------------------------------------

TEST_F(GridTest, BulkRowOperationsMoveCellsHeightsAndTheCurrentRowInOneChange)
{
    grid->SetRowCount(12);
    for (int r = 0; r < 12; ++r) grid->SetCells(1, r, QString::number(r));
    grid->SetRowHeights(7, 40);
    grid->FocusCell(2, 7, true);
    auto column = [&] {
        std::vector<QString> v;
        for (int r = 0; r < grid->RowCount(); ++r) v.push_back(grid->Cells(1, r));
        return v;
    };

    grid->SizeChanges = 0;
    grid->DeleteRows(2, 4);
    EXPECT_EQ(grid->SizeChanges, 1);
    EXPECT_EQ(column(), (std::vector<QString>{"0", "1", "6", "7", "8", "9", "10", "11"}));
    EXPECT_EQ(grid->RowHeights(3), 40);
    EXPECT_EQ(grid->Row(), 3);

    grid->InsertRows(1, 3);
    EXPECT_EQ(grid->SizeChanges, 2);
    EXPECT_EQ(column(), (std::vector<QString>{"0", "", "", "", "1", "6", "7", "8", "9", "10", "11"}));
    EXPECT_EQ(grid->Row(), 6);
    EXPECT_EQ(grid->RowHeights(6), 40);

    // Reversing rows 4 .. 10: row 4 + i takes old row 10 - i.
    std::vector<int> order;
    for (int r = 10; r >= 4; --r) order.push_back(r);
    grid->ReorderRows(4, order);
    EXPECT_EQ(column(), (std::vector<QString>{"0", "", "", "", "11", "10", "9", "8", "7", "6", "1"}));
    EXPECT_EQ(grid->Row(), 8) << "the current cell stays on its row";
    EXPECT_EQ(grid->RowHeights(8), 40);
    EXPECT_EQ(grid->SizeChanges, 2) << "reordering keeps the counts";

    // Deleting past the end stops at the end; deleting everything keeps one row.
    grid->DeleteRows(9, 100);
    EXPECT_EQ(grid->RowCount(), 9);
    grid->DeleteRows(0, grid->RowCount());
    EXPECT_EQ(grid->RowCount(), 1);

    // Bad arguments raise and change nothing.
    grid->SetRowCount(5);
    EXPECT_THROW(grid->ReorderRows(1, {1, 1, 2}), EInvalidGridOperation);
    EXPECT_THROW(grid->ReorderRows(3, {3, 4, 5}), EInvalidGridOperation);
    EXPECT_THROW(grid->DeleteRows(5, 1), EInvalidGridOperation);
    EXPECT_THROW(grid->InsertRows(6, 1), EInvalidGridOperation);
    EXPECT_EQ(grid->RowCount(), 5);
}

TEST(GridCellStore, BulkRowOperationsOnTheStore)
{
    TGridCellStore s;
    for (int i = 0; i < 6; ++i) s.SetText(0, i, QString::number(i));
    s.DeleteRows(1, 2);
    s.InsertRows(2, 2);
    s.ReorderRows(0, {3, 2, 1, 0});
    std::vector<QString> rows;
    for (int i = 0; i < s.RowCapacity(); ++i) rows.push_back(s.Text(0, i));
    EXPECT_EQ(rows, (std::vector<QString>{"", "", "3", "0", "4", "5"}));
    // Rows that hold nothing cost nothing: operations past the kept rows are no-ops.
    s.DeleteRows(50, 10);
    s.InsertRows(50, 10);
    s.ReorderRows(40, {41, 40});
    EXPECT_EQ(s.RowCapacity(), 6);
    // A block that reaches past the kept rows grows them.
    s.ReorderRows(4, {7, 6, 5, 4});
    EXPECT_EQ(s.Text(0, 6), QStringLiteral("5"));
    EXPECT_EQ(s.Text(0, 7), QStringLiteral("4"));
    EXPECT_EQ(s.Text(0, 4), QString());
}

// ---- Repainting only what is invalid -------------------------------------------------------

TEST_F(GridTest, ARepaintDrawsOnlyTheCellsThatMeetTheInvalidArea)
{
    Fill();
    grid->PaintToImage();
    std::vector<std::pair<int, int>> drawn;
    grid->OnDrawCell = [&](TObject*, int c, int r, const TRect&, TGridDrawState) { drawn.push_back({c, r}); };
    auto paint = [&] {
        drawn.clear();
        grid->Perform(WM_PAINT, 0, 0);
        return drawn;
    };
    paint();   // whatever was pending from the set-up

    grid->InvalidateCell(2, 3);
    EXPECT_EQ(paint(), (std::vector<std::pair<int, int>>{{2, 3}}));
    grid->SetCells(3, 5, QStringLiteral("new"));
    EXPECT_EQ(paint(), (std::vector<std::pair<int, int>>{{3, 5}}));
    // Two cells far apart: two cells, not the block between them.
    grid->InvalidateCell(1, 1);
    grid->InvalidateCell(3, 7);
    EXPECT_EQ(paint(), (std::vector<std::pair<int, int>>{{1, 1}, {3, 7}}));
    // A fixed cell, and a cell out of view costs nothing.
    grid->InvalidateCell(0, 2);
    grid->InvalidateCell(2, 19);
    EXPECT_EQ(paint(), (std::vector<std::pair<int, int>>{{0, 2}}));
    // A row covers its visible cells.
    grid->InvalidateRow(4);
    EXPECT_EQ(paint().size(), 5u);
    // Painted whole, every visible cell is drawn.
    drawn.clear();
    grid->PaintToImage();
    EXPECT_EQ(drawn.size(), 5u * 10u);
}

} // namespace
