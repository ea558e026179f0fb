// The clipboard of the grid: the text a copy writes for each kind of cell and
// selection, what a paste of text stores (counts, growth, insertion,
// protected cells, the paste events, undo), that every text survives a copy
// and a paste unchanged, what cut clears, the grid-cell format between grids,
// and the "HTML Format" document with its byte offsets.

#include "tests/common/TestSeams.h"
#include "tests/common/TestUtil.h"

#include "grid/ZvGrid.h"
#include "grid/services/ZvGridClipboard.h"
#include "grid/support/ZvGridUtil.h"
#include "platform/Clipbrd.h"
#include "platform/Forms.h"
#include "platform/ScopeGuard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <QtEndian>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

namespace {

// Records the hooks a paste calls, then does what the grid does.
class TRecordingGrid : public TZvStringGrid {
public:
    using TZvStringGrid::TZvStringGrid;
    using TZvStringGrid::MarkRowsModified;
    std::vector<String> Log;
    void MarkRowsModified(TPoint Origin, TRect R, TClipOperation LastOp) override
    {
        Log.push_back(QStringLiteral("mark %1,%2 %3,%4-%5,%6 %7")
                          .arg(Origin.X)
                          .arg(Origin.Y)
                          .arg(R.Left)
                          .arg(R.Top)
                          .arg(R.Right)
                          .arg(R.Bottom)
                          .arg(LastOp == TClipOperation::coCut ? "cut" : "copy"));
        TZvStringGrid::MarkRowsModified(Origin, R, LastOp);
    }
    void ImportNotification(TGridImportState State, int ARow) override
    {
        if (State == TGridImportState::isImportStart) Log.push_back(QStringLiteral("import start"));
        if (State == TGridImportState::isImportDone) Log.push_back(QStringLiteral("import done"));
    }
    void RecalcAllFooters() override
    {
        Log.push_back(QStringLiteral("footers"));
        TZvStringGrid::RecalcAllFooters();
    }
    bool Logged(const String& entry) const { return std::find(Log.begin(), Log.end(), entry) != Log.end(); }
};

struct Cell {
    int Col;
    int Row;
    const char* Text;
};

struct GridClipboard : ::testing::Test {
    TTestSeams seams;
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
    TRecordingGrid* grid = nullptr;

    void SetUp() override
    {
        Clipboard().Clear();
        grid = MakeGrid();
    }
    TRecordingGrid* MakeGrid()
    {
        auto* g = new TRecordingGrid(form.get());
        g->SetParent(form.get());
        g->SetColCount(5);
        g->SetRowCount(6);
        g->SetOptions(g->Options() + goEditing);
        return g;
    }
    void Put(const std::vector<Cell>& cells, TZvStringGrid* g = nullptr)
    {
        for (const Cell& c : cells) (g ? g : grid)->SetCells(c.Col, c.Row, String::fromUtf8(c.Text));
    }
    void Select(int l, int t, int r, int b, TZvStringGrid* g = nullptr) { (g ? g : grid)->SetSelection(TGridRect{l, t, r, b}); }
    // The normal cells as rows of tab-joined texts, for whole-grid comparisons.
    std::vector<String> Rows(TZvStringGrid* g = nullptr)
    {
        g = g ? g : grid;
        std::vector<String> rows;
        for (int r = 0; r < g->RowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < g->ColCount(); ++c) cells << g->Cells(c, r);
            rows.push_back(cells.join(u'|'));
        }
        return rows;
    }
};

// ---- Copy ----------------------------------------------------------------------------------------------------------

TEST_F(GridClipboard, CopyWritesEachKindOfCellAsTheClipboardTextLayoutSays)
{
    const struct {
        const char* Name;
        std::vector<Cell> Cells;
        TGridRect Sel;
        std::function<void(TZvStringGrid&)> Setup;
        const char* Text;
    } cases[] = {
        {"single cell, no line break", {{1, 1, "abc"}}, {1, 1, 1, 1}, nullptr, "abc"},
        {"2x2 block, every row ends", {{1, 1, "a"}, {2, 1, "b"}, {1, 2, "c"}, {2, 2, "d"}}, {1, 1, 2, 2}, nullptr,
         "a\tb\r\nc\td\r\n"},
        {"one row has no break", {{1, 1, "a"}, {2, 1, "b"}, {3, 1, "c"}}, {1, 1, 3, 1}, nullptr, "a\tb\tc"},
        {"empty cells keep their tabs", {{2, 1, "b"}}, {1, 1, 3, 1}, nullptr, "\tb\t"},
        {"CR LF inside a cell is one LF, quoted", {{1, 1, "x\r\ny"}}, {1, 1, 1, 1}, nullptr, "\"x\ny\""},
        {"a lone CR is one LF too", {{1, 1, "x\ry"}}, {1, 1, 1, 1}, nullptr, "\"x\ny\""},
        {"a tab inside a cell is quoted", {{1, 1, "a\tb"}}, {1, 1, 1, 1}, nullptr, "\"a\tb\""},
        {"inner quotes double", {{1, 1, "5\" disk"}}, {1, 1, 1, 1}, nullptr, "\"5\"\" disk\""},
        {"markup keeps its tags by default", {{1, 1, "<B>bold</B>"}}, {1, 1, 1, 1}, nullptr, "<B>bold</B>"},
        {"markup without tags when asked", {{1, 1, "<B>bold</B> text"}}, {1, 1, 1, 1},
         [](TZvStringGrid& g) { g.Navigation()->SetCopyHTMLTagsToClipboard(false); }, "bold text"},
        {"spreadsheet format: a reduced markup break is character 11", {{1, 1, "<B>a</B><BR>b"}}, {1, 1, 1, 1},
         [](TZvStringGrid& g) {
             g.Navigation()->SetCopyHTMLTagsToClipboard(false);
             g.SetMultilinecells(true);
             g.SetExcelClipboardFormat(true);
         },
         "\"a\x0B"
         "b\""},
        {"spreadsheet format leaves plain multi-line cells as LF", {{1, 1, "x\r\ny"}}, {1, 1, 1, 1},
         [](TZvStringGrid& g) {
             g.SetMultilinecells(true);
             g.SetExcelClipboardFormat(true);
         },
         "\"x\ny\""},
        {"a wide-coded cell is copied as its text", {}, {1, 1, 1, 1},
         [](TZvStringGrid& g) { g.SetCells(1, 1, EncodeUnicodeCellText(QStringLiteral("\u03A9m"))); }, "\u03A9m"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TRecordingGrid* g = MakeGrid();
        Put(c.Cells, g);
        if (c.Setup) c.Setup(*g);
        Select(c.Sel.Left, c.Sel.Top, c.Sel.Right, c.Sel.Bottom, g);
        g->CopySelectionToClipboard();
        EXPECT_EQ(Clipboard().AsText(), String::fromUtf8(c.Text));
        EXPECT_EQ(g->GetSelectionAsText(), String::fromUtf8(c.Text));
        EXPECT_EQ(g->ClipboardOrigin(), (TPoint{c.Sel.Left, c.Sel.Top}));
        EXPECT_EQ(g->LastClipOperation(), TClipOperation::coCopy);
        delete g;
    }
}

// Disjunct row and column selections copy only the chosen rows or columns, over the normal area.
TEST_F(GridClipboard, DisjunctSelectionsCopyOnlyTheChosenRowsOrColumns)
{
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 5; ++c) grid->SetCells(c, r, QStringLiteral("%1%2").arg(QChar(u'a' + c)).arg(r));
    grid->MouseActions()->SetDisjunctRowSelect(true);
    grid->SetRowSelect(2, true);
    grid->SetRowSelect(4, true);
    grid->CopySelectionToClipboard();
    EXPECT_EQ(Clipboard().AsText(), String("b2\tc2\td2\te2\r\nb4\tc4\td4\te4\r\n"));

    grid->MouseActions()->SetDisjunctRowSelect(false);
    grid->MouseActions()->SetDisjunctColSelect(true);
    grid->SetColSelect(3, true);
    grid->CopySelectionToClipboard();
    EXPECT_EQ(Clipboard().AsText(), String("d0\r\nd1\r\nd2\r\nd3\r\nd4\r\nd5\r\n")) << "the save range, fixed row too";
}

// ---- Paste of text ---------------------------------------------------------------------------------------------------

TEST_F(GridClipboard, PastedTextCountsItsFieldsAndStoresThemWithOrWithoutGrowth)
{
    const struct {
        const char* Name;
        const char* Text;
        int Col, Row;
        bool Grow;
        int Count, Cols, Rows;
        std::vector<Cell> Expect;
        int ColCount, RowCount;
    } cases[] = {
        {"two fields and the empty last line", "1\t2\r\n", 1, 1, true, 3, 1, 2, {{1, 1, "1"}, {2, 1, "2"}}, 5, 6},
        {"no final break", "1\t2", 1, 1, true, 2, 2, 1, {{1, 1, "1"}, {2, 1, "2"}}, 5, 6},
        {"columns grow", "a\tb\tc\td\te", 2, 1, true, 5, 5, 1, {{2, 1, "a"}, {6, 1, "e"}}, 7, 6},
        {"columns stay: the rest is skipped", "a\tb\tc\td\te", 2, 1, false, 5, 5, 1, {{2, 1, "a"}, {4, 1, "c"}}, 5, 6},
        {"rows grow", "x\r\ny\r\nz", 1, 4, true, 3, 1, 3, {{1, 4, "x"}, {1, 5, "y"}, {1, 6, "z"}}, 5, 7},
        {"rows stay", "x\r\ny\r\nz", 1, 4, false, 3, 1, 3, {{1, 4, "x"}, {1, 5, "y"}}, 5, 6},
        {"LF ends rows as CR LF does", "a\nb\n", 1, 1, true, 3, 1, 3, {{1, 1, "a"}, {1, 2, "b"}}, 5, 6},
        {"a quoted field keeps its tab and line break", "\"p\tq\"\t\"r\ns\"", 1, 1, true, 2, 2, 1,
         {{1, 1, "p\tq"}, {2, 1, "r\r\ns"}}, 5, 6},
        {"an open quote is text", "\"open\tx", 1, 1, true, 2, 2, 1, {{1, 1, "\"open"}, {2, 1, "x"}}, 5, 6},
        {"negative cell: nothing", "a", -1, 1, true, 0, 0, 0, {}, 5, 6},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TRecordingGrid* g = MakeGrid();
        g->Navigation()->SetAllowClipboardColGrow(c.Grow);
        g->Navigation()->SetAllowClipboardRowGrow(c.Grow);
        int cols = -9, rows = -9;
        EXPECT_EQ(g->PasteTextAt(c.Col, c.Row, String::fromUtf8(c.Text), cols, rows), c.Count);
        EXPECT_EQ(cols, c.Cols);
        EXPECT_EQ(rows, c.Rows);
        for (const Cell& e : c.Expect) EXPECT_EQ(g->Cells(e.Col, e.Row), String::fromUtf8(e.Text)) << e.Col << "," << e.Row;
        EXPECT_EQ(g->ColCount(), c.ColCount);
        EXPECT_EQ(g->RowCount(), c.RowCount);
        delete g;
    }
}

// Paste needs editing, or AllowClipboardAlways; protected cells take nothing unless that is on; fixed cells never.
TEST_F(GridClipboard, PasteTouchesOnlyCellsItMayEdit)
{
    const String text = QStringLiteral("a\tb\tc\r\nd\te\tf");
    auto paste = [&](TZvStringGrid& g) {
        int cols = 0, rows = 0;
        return g.PasteTextAt(0, 0, text, cols, rows);
    };
    grid->SetOptions(grid->Options() - goEditing);
    EXPECT_EQ(paste(*grid), 0);
    EXPECT_EQ(Rows()[0], String("||||"));

    grid->SetOptions(grid->Options() + goEditing);
    grid->OnCanEditCell = [](TObject*, int ARow, int ACol, bool& CanEdit) { CanEdit = !(ACol == 2 && ARow == 1); };
    paste(*grid);
    EXPECT_EQ(Rows()[0], String("||||")) << "the fixed row takes nothing";
    EXPECT_EQ(Rows()[1], String("|e|||")) << "the fixed column and the read-only cell take nothing";

    grid->Navigation()->SetAllowClipboardAlways(true);
    grid->SetOptions(grid->Options() - goEditing);
    paste(*grid);
    EXPECT_EQ(Rows()[0], String("||||")) << "still no fixed cell";
    EXPECT_EQ(Rows()[1], String("|e|f||"));
}

TEST_F(GridClipboard, InsertModeInsertsOneRowPerNonEmptyLineBeforeWriting)
{
    Put({{1, 2, "old2"}, {1, 3, "old3"}});
    grid->Navigation()->SetClipboardPasteAction(TClipboardPasteAction::paInsert);
    int cols = 0, rows = 0;
    grid->PasteTextAt(1, 2, QStringLiteral("p\r\nq\r\nr\r\n"), cols, rows);
    EXPECT_EQ(grid->RowCount(), 9);
    const char* expect[] = {"", "", "p", "q", "r", "old2", "old3", "", ""};
    for (int r = 0; r < 9; ++r) EXPECT_EQ(grid->Cells(1, r), String(expect[r])) << r;
}

TEST_F(GridClipboard, PasteEventsChangeOrRefuseEachValueAndPasteIsOneUndoStep)
{
    auto* undo = new TZvGridUndoRedo(form.get());
    undo->SetGrid(grid);
    grid->SetUndoRedo(undo);
    Put({{1, 1, "was1"}, {2, 1, "was2"}, {3, 1, "was3"}});
    std::vector<String> after;
    grid->OnClipboardBeforePasteCell = [](TObject*, int ACol, int, String& Value, bool& Allow) {
        if (ACol == 2) Value = Value.toUpper();
        if (ACol == 3) Allow = false;
    };
    grid->OnClipboardAfterPasteCell = [&](TObject*, int ACol, int ARow, const String& Value) {
        after.push_back(QStringLiteral("%1,%2 %3").arg(ACol).arg(ARow).arg(Value));
    };
    std::vector<TRect> changed;
    grid->OnCellsChanged = [&](TObject*, TRect R) { changed.push_back(R); };
    int cols = 0, rows = 0;
    grid->PasteTextAt(1, 1, QStringLiteral("x\ty\tz"), cols, rows);
    EXPECT_EQ(Rows()[1], String("|x|Y|was3|"));
    EXPECT_EQ(after, (std::vector<String>{"1,1 x", "2,1 Y"}));
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(changed[0], (TRect{1, 1, 2, 1})) << "the extent actually stored";
    undo->Undo();
    EXPECT_EQ(Rows()[1], String("|was1|was2|was3|"));
    undo->Redo();
    EXPECT_EQ(Rows()[1], String("|x|Y|was3|"));
}

// A wide-coded field reaches the wide events as its text and is stored coded again.
TEST_F(GridClipboard, WideCodedFieldsGoThroughTheWideEvents)
{
    String seen;
    grid->OnClipboardBeforePasteWideCell = [&](TObject*, int, int, String& Value, bool&) {
        seen = Value;
        Value += QStringLiteral("!");
    };
    int cols = 0, rows = 0;
    grid->PasteTextAt(1, 1, EncodeUnicodeCellText(QStringLiteral("\u20ACx")), cols, rows);
    EXPECT_EQ(seen, QStringLiteral("\u20ACx"));
    EXPECT_EQ(DecodeUnicodeCellText(grid->Cells(1, 1)), QStringLiteral("\u20ACx!"));
}

TEST_F(GridClipboard, EveryTextSurvivesCopyThenPaste)
{
    const char* texts[] = {"plain",      "x\r\ny",        "two\r\n\r\nbreaks", "tab\there", "say \"hi\"", "\"quoted\"",
                           "ends in \"", " spaced ",      "trailing\r\n",      "",         "a\"\tb\r\nc", "\xCE\xA9 \xE2\x82\xAC",
                           "$amp; &lt;", "\"", "\"\""};
    for (const char* t : texts) {
        SCOPED_TRACE(t);
        TRecordingGrid* g = MakeGrid();
        g->SetCells(1, 1, String::fromUtf8(t));
        g->SetCells(2, 1, QStringLiteral("next"));
        g->SetCells(1, 2, QStringLiteral("below"));
        Select(1, 1, 2, 2, g);
        g->CopySelectionToClipboard();
        Select(2, 3, 2, 3, g);
        g->PasteSelectionFromClipboard();
        EXPECT_EQ(g->Cells(2, 3), String::fromUtf8(t));
        EXPECT_EQ(g->Cells(3, 3), String("next"));
        EXPECT_EQ(g->Cells(2, 4), String("below"));
        EXPECT_EQ(g->Cells(2, 5), String());
        delete g;
    }
}

TEST_F(GridClipboard, MeasuringAClipboardTextCountsItsWidestRowAndNonEmptyLines)
{
    const struct {
        const char* Text;
        int Cols, Rows;
    } cases[] = {
        {"", 0, -1},         {"a", 1, 0},          {"a\tb\r\nc", 2, 1}, {"a\tb\r\nc\r\n", 2, 1},
        {"a\r\n\r\nb", 1, 1}, {"\"x\ny\"\tz", 2, 0}, {"a\nb\nc", 1, 2},
    };
    for (const auto& c : cases) {
        int cols = -9, rows = -9;
        TZvStringGrid::MeasureClipboardText(String::fromUtf8(c.Text), cols, rows);
        EXPECT_EQ(cols, c.Cols) << c.Text;
        EXPECT_EQ(rows, c.Rows) << c.Text;
    }
}

TEST_F(GridClipboard, SelectionAsTextWritesRawTextAndGrowsWithoutAsking)
{
    grid->SetOptions(grid->Options() - goEditing);
    grid->OnCanEditCell = [](TObject*, int, int, bool& CanEdit) { CanEdit = false; };
    Select(3, 4, 3, 4);
    grid->SetSelectionAsText(QStringLiteral("a\tb\tc\r\nd\r\ne"));
    EXPECT_EQ(grid->ColCount(), 6);
    EXPECT_EQ(grid->RowCount(), 7);
    EXPECT_EQ(Rows()[4], String("|||a|b|c"));
    EXPECT_EQ(Rows()[5], String("|||d||"));
    EXPECT_EQ(Rows()[6], String("|||e||"));
}

TEST_F(GridClipboard, PasteFromClipboardStartsAtTheSaveRangeAndRecalculatesFooters)
{
    grid->SetSaveFixedCells(false);
    Clipboard().SetAsText(QStringLiteral("p\tq"));
    grid->PasteFromClipboard();
    EXPECT_EQ(Rows()[1], String("|p|q||"));
    EXPECT_EQ(grid->Log.front(), String("import start"));
    EXPECT_TRUE(grid->Logged("import done"));
    EXPECT_EQ(grid->Log.back(), String("footers"));
}

// ---- Cut ------------------------------------------------------------------------------------------------------------

TEST_F(GridClipboard, CutClearsOnlyWhatItMayEditAndKeepsEveryTextOnTheClipboard)
{
    Put({{0, 1, "fixed"}, {1, 1, "a"}, {2, 1, "ro"}, {1, 2, "c"}, {2, 2, "d"}});
    grid->OnCanEditCell = [](TObject*, int ARow, int ACol, bool& CanEdit) { CanEdit = !(ACol == 2 && ARow == 1); };
    std::vector<TRect> changed;
    grid->OnCellsChanged = [&](TObject*, TRect R) { changed.push_back(R); };
    Select(1, 1, 2, 2);
    grid->CutSelectionToClipboard();
    EXPECT_EQ(Clipboard().AsText(), String("a\tro\r\nc\td\r\n"));
    EXPECT_EQ(Rows()[1], String("fixed||ro||"));
    EXPECT_EQ(Rows()[2], String("||||"));
    EXPECT_EQ(grid->LastClipOperation(), TClipOperation::coCut);
    ASSERT_FALSE(changed.empty());
    EXPECT_EQ(changed.front(), (TRect{1, 1, 2, 2}));
}

TEST_F(GridClipboard, ADisjunctCutClearsTheCopiedCellsNotFixedOrProtectedOnes)
{
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 5; ++c) grid->SetCells(c, r, QStringLiteral("%1%2").arg(QChar(u'a' + c)).arg(r));
    grid->OnCanEditCell = [](TObject*, int ARow, int ACol, bool& CanEdit) { CanEdit = !(ACol == 3 && ARow == 2); };
    grid->MouseActions()->SetDisjunctRowSelect(true);
    grid->SetRowSelect(2, true);
    grid->CutSelectionToClipboard();
    EXPECT_EQ(Clipboard().AsText(), String("b2\tc2\td2\te2\r\n"));
    EXPECT_EQ(Rows()[2], String("a2|||d2|"));
    EXPECT_EQ(Rows()[3], String("a3|b3|c3|d3|e3"));

    grid->MouseActions()->SetDisjunctRowSelect(false);
    grid->MouseActions()->SetDisjunctColSelect(true);
    grid->SetColSelect(1, true);
    grid->CutSelectionToClipboard();
    EXPECT_EQ(grid->Cells(1, 0), String("b0")) << "the fixed row keeps its text";
    for (int r = 1; r < 6; ++r) EXPECT_EQ(grid->Cells(1, r), String()) << r;
}

TEST_F(GridClipboard, CutOfTheSaveRangeClearsEditableCellsAndMarksRows)
{
    grid->ShowModified()->SetEnabled(true);
    Put({{1, 1, "a"}, {2, 3, "keep"}, {0, 2, "f"}});
    grid->OnCanEditCell = [](TObject*, int ARow, int ACol, bool& CanEdit) { CanEdit = !(ACol == 2 && ARow == 3); };
    grid->CutToClipboard();
    EXPECT_EQ(grid->Cells(1, 1), String());
    EXPECT_EQ(grid->Cells(2, 3), String("keep"));
    EXPECT_EQ(grid->Cells(0, 2), String("f"));
    EXPECT_TRUE(Clipboard().AsText().contains(QStringLiteral("keep")));
    EXPECT_TRUE(grid->GetRowModified(1));
}

// ---- Grid cells -----------------------------------------------------------------------------------------------------

TEST_F(GridClipboard, GridCellsCarryTheirOriginOnlyWithinTheirOwnGrid)
{
    TRecordingGrid* other = MakeGrid();
    for (TZvStringGrid* g : {static_cast<TZvStringGrid*>(grid), static_cast<TZvStringGrid*>(other)})
        g->Navigation()->SetAllowFmtClipboard(true);
    Put({{1, 1, "a"}, {2, 1, "b"}, {1, 2, "c"}, {2, 2, "d"}});
    Select(1, 1, 2, 2);
    grid->CopySelectionToClipboard();
    const QByteArray bytes = Clipboard().Data(String::fromLatin1(MIME_GRID_CELLS));
    ASSERT_GE(bytes.size(), 8);
    EXPECT_EQ(qFromLittleEndian<quint32>(bytes.constData()), quint32(bytes.size() - 8));
    EXPECT_EQ(qFromLittleEndian<quint32>(bytes.constData() + 4), 0u);

    grid->Log.clear();
    Select(3, 3, 3, 3);
    grid->PasteSelectionFromClipboard();
    EXPECT_EQ(Rows()[3], String("|||a|b"));
    EXPECT_EQ(Rows()[4], String("|||c|d"));
    EXPECT_TRUE(grid->Logged("mark 1,1 3,3-4,4 copy"));

    Select(1, 2, 1, 2, other);
    other->PasteSelectionFromClipboard();
    EXPECT_EQ(Rows(other)[2], String("|a|b||"));
    EXPECT_TRUE(other->Logged("mark -1,-1 1,2-2,3 copy"));
}

// A copy of the whole grid lands at the paste point of another grid; the rest of that grid stays.
TEST_F(GridClipboard, AFullGridCopyPastesAtThePointAndClearsNothing)
{
    TRecordingGrid* other = MakeGrid();
    grid->Navigation()->SetAllowFmtClipboard(true);
    other->Navigation()->SetAllowFmtClipboard(true);
    grid->SetColCount(3);
    grid->SetRowCount(3);
    Put({{1, 1, "a"}, {2, 1, "b"}, {1, 2, "c"}, {2, 2, "d"}});
    grid->CopyToClipBoard();
    Put({{4, 5, "stays"}, {1, 1, "also"}}, other);
    Select(2, 2, 2, 2, other);
    other->PasteSelectionFromClipboard();
    EXPECT_EQ(other->Cells(4, 5), String("stays"));
    EXPECT_EQ(other->Cells(1, 1), String("also"));
    EXPECT_EQ(Rows(other)[3], String("|||a|b")) << "the copy's fixed row and column land at the point";
    EXPECT_EQ(Rows(other)[4], String("|||c|d"));
}

TEST_F(GridClipboard, GridCellsSkipProtectedCellsAndBrokenBytesChangeNothing)
{
    grid->Navigation()->SetAllowFmtClipboard(true);
    Put({{1, 1, "a"}, {2, 1, "b"}});
    Select(1, 1, 2, 1);
    grid->CopySelectionToClipboard();
    grid->OnCanEditCell = [](TObject*, int ARow, int ACol, bool& CanEdit) { CanEdit = !(ACol == 2 && ARow == 3); };
    grid->SetCells(2, 3, "ro");
    Select(1, 3, 1, 3);
    grid->PasteSelectionFromClipboard();
    EXPECT_EQ(Rows()[3], String("|a|ro||"));

    const std::vector<String> before = Rows();
    for (const QByteArray& broken : {QByteArray("\x05\0\0\0", 4), QByteArray("\x03\0\0\0\0\0\0\0abc", 11),
                                     QByteArray("\xFF\0\0\0\0\0\0\0", 8), QByteArray("\x02\0\0\0\x01\0\0\0ab", 10)}) {
        Clipboard().SetData(String::fromLatin1(MIME_GRID_CELLS), broken);
        int cols = 0, rows = 0;
        EXPECT_THROW(grid->PasteAt(1, 1, cols, rows), EZvGridError);
        EXPECT_EQ(Rows(), before);
    }
}

TEST_F(GridClipboard, RichTextComesFirstWhenAskedAndCountsNothing)
{
    grid->Navigation()->SetAllowRTFClipboard(true);
    Clipboard().Open();
    Clipboard().SetAsText(QStringLiteral("plain"));
    Clipboard().SetData(String::fromLatin1(MIME_RTF), QByteArray("{\\rtf1 hi}\0junk", 15));
    Clipboard().Close();
    int cols = 0, rows = 0;
    EXPECT_EQ(grid->PasteAt(1, 1, cols, rows), 0);
    EXPECT_EQ(cols, 1);
    EXPECT_EQ(rows, 1);
    EXPECT_EQ(grid->Cells(1, 1), String("{\\rtf1 hi}"));

    grid->SetCells(1, 2, QStringLiteral("{\\rtf1 there}"));
    Select(1, 2, 1, 2);
    grid->CopySelectionToClipboard();
    EXPECT_EQ(Clipboard().Data(String::fromLatin1(MIME_RTF)), QByteArray("{\\rtf1 there}"));
}

TEST_F(GridClipboard, AnEmptyClipboardChangesNothing)
{
    const std::vector<String> before = Rows();
    int cols = 0, rows = 0;
    EXPECT_EQ(grid->PasteAt(1, 1, cols, rows), 0);
    Select(1, 1, 3, 3);
    grid->Navigation()->SetAllowSmartClipboard(true);
    grid->PasteSelectionFromClipboard();
    EXPECT_EQ(Rows(), before);
}

// ---- HTML Format ----------------------------------------------------------------------------------------------------

// The document's offsets count bytes, so the fragment they mark is the HTML whatever characters it holds.
TEST_F(GridClipboard, TheHTMLFormatOffsetsMarkTheFragmentsBytes)
{
    Put({{1, 1, "\xC3\xA9t\xC3\xA9"}, {2, 1, "\xE2\x82\xAC 5"}, {1, 2, "\xF0\x9F\x98\x80"}});
    grid->CopyToClipBoardAsHTML();
    const QByteArray doc = Clipboard().Data(String::fromLatin1(MIME_HTML_FORMAT));
    auto offset = [&](const char* key) {
        const qsizetype at = doc.indexOf(key);
        return at < 0 ? -1 : doc.mid(at + qsizetype(strlen(key)), 8).toInt();
    };
    const int start = offset("StartFragment:"), end = offset("EndFragment:");
    const String html = grid->SaveToHTMLString(String());
    EXPECT_EQ(doc.mid(start, end - start), html.toUtf8());
    EXPECT_EQ(doc.mid(offset("StartHTML:"), 9), QByteArray("<!DOCTYPE"));
    EXPECT_EQ(offset("EndHTML:"), doc.size());
    EXPECT_EQ(Clipboard().Data(String::fromLatin1(MIME_HTML)), html.toUtf8());
    EXPECT_EQ(Clipboard().AsText(), html);
}

// ---- Qt's clipboard -------------------------------------------------------------------------------------------------

// Text, HTML and grid cells go through Qt's clipboard (the offscreen one of this program) from one grid to another.
TEST_F(GridClipboard, QtsClipboardCarriesTextHTMLAndCellsBetweenTwoGrids)
{
    const std::shared_ptr<TClipboardStore> before = SetClipboardStore(std::make_shared<TSystemClipboardStore>());
    const TScopeExit restore([&] { SetClipboardStore(before); });
    TRecordingGrid* other = MakeGrid();
    grid->Navigation()->SetAllowFmtClipboard(true);
    Put({{1, 1, "a\tb"}, {2, 1, "\xE2\x82\xAC"}, {1, 2, "x\r\ny"}});
    grid->SetColors(2, 1, 0x0000FF00);
    Select(1, 1, 2, 2);
    grid->CopySelectionToClipboard();
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->text(), QStringLiteral("\"a\tb\"\t\u20AC\r\n\"x\ny\"\t\r\n"));
    EXPECT_TRUE(data->hasFormat(QString::fromLatin1(MIME_GRID_CELLS)));

    // Without the grid format the other grid takes the text.
    Select(1, 3, 1, 3, other);
    other->PasteSelectionFromClipboard();
    EXPECT_EQ(Rows(other)[3], QStringLiteral("|a\tb|\u20AC||"));
    EXPECT_EQ(Rows(other)[4], QStringLiteral("|x\r\ny|||"));
    EXPECT_EQ(other->GetColors(2, 3), clNone) << "text carries no colour";

    // With it, the cells come with their properties.
    other->Navigation()->SetAllowFmtClipboard(true);
    Select(2, 1, 2, 1, other);
    other->PasteSelectionFromClipboard();
    EXPECT_EQ(other->Cells(3, 1), QStringLiteral("\u20AC"));
    EXPECT_EQ(other->GetColors(3, 1), TColor(0x0000FF00));
    EXPECT_TRUE(other->Logged("mark -1,-1 2,1-3,2 copy"));

    grid->CopyToClipBoardAsHTML();
    data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->html(), grid->SaveToHTMLString(String()));
    EXPECT_TRUE(data->data(QString::fromLatin1(MIME_HTML_FORMAT)).startsWith("Version:1.0\r\n"));
}

} // namespace
