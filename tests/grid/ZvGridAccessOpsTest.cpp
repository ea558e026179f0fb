// The grid's accessors by real and unsorted rows, its per-cell properties,
// the clear, trim and merge family, row extremes, and the sizing that the
// wheel and the mouse start, on a shown grid.

#include "tests/common/TestSeams.h"
#include "tests/common/TestUtil.h"

#include "grid/ZvGrid.h"

#include "grid/editors/ZvEditBtn.h"
#include "grid/services/ZvHTMLHintWindow.h"
#include "grid/services/panels/ZvSearchPanel.h"
#include "platform/Forms.h"
#include "platform/HintWindow.h"
#include "platform/Messages.h"
#include "platform/Regional.h"

#include <QCoreApplication>
#include <QWheelEvent>
#include <QWidget>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

struct AccessOps : ::testing::Test {
    TTestSeams seams;
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
    TZvStringGrid* grid = nullptr;

    void SetUp() override
    {
        ClearKeyStates();
        form->SetBounds(0, 0, 520, 420);
        grid = new TZvStringGrid(form.get());
        grid->SetParent(form.get());
        grid->SetBounds(0, 0, 500, 400);
        grid->SetColCount(4);
        grid->SetRowCount(8);
        // Cell (c, r) holds "c:r".
        for (int r = 0; r < 8; ++r)
            for (int c = 0; c < 4; ++c) grid->SetCellEx(c, r, QStringLiteral("%1:%2").arg(c).arg(r));
        form->Show();
        grid->SetFocus();
    }
    void TearDown() override
    {
        ClearKeyStates();
        SetApplicationHintWindowClass({});
    }
    TPoint Middle(int c, int r)
    {
        const TRect rc = grid->CellRect(c, r);
        return {(rc.Left + rc.Right) / 2, (rc.Top + rc.Bottom) / 2};
    }
    std::vector<String> Row(int r)
    {
        std::vector<String> out;
        for (int c = 0; c < grid->AllColCount(); ++c) out.push_back(grid->GetCellEx(c, r));
        return out;
    }
};

std::vector<String> Texts(std::initializer_list<const char*> list)
{
    std::vector<String> out;
    for (const char* s : list) out.push_back(s);
    return out;
}

}  // namespace

// ---- Cells by real row: texts, raw texts and objects of hidden rows ---------------------------------------------

TEST_F(AccessOps, HiddenRowsAreReadAndWrittenThroughTheirKeptCells)
{
    grid->OnGetDisplText = [](TObject*, int, int, String& v) { v += "!"; };
    grid->HideRow(3);
    struct Case {
        int c, r;
        const char* shown;   // AllCells, with the display hook
        const char* raw;     // AllGridCells, without it
    } cases[] = {{1, 3, "1:3!", "1:3"}, {1, 5, "1:5!", "1:5"}, {2, 2, "2:2!", "2:2"}, {-1, 3, "", ""}};
    for (const Case& k : cases) {
        EXPECT_EQ(grid->GetCellsEx(k.c, k.r), String(k.shown)) << k.c << "," << k.r;
        EXPECT_EQ(grid->GetWideCellsEx(k.c, k.r), String(k.shown)) << k.c << "," << k.r;
        EXPECT_EQ(grid->GetGridCellsEx(k.c, k.r), String(k.raw)) << k.c << "," << k.r;
    }
    // A column added while the row is hidden: the kept cells grow with the write.
    grid->AddColumn();
    grid->SetGridCellsEx(4, 3, "late");
    grid->SetWideCellsEx(2, 3, "wide");
    TObject marker;
    grid->SetObjectsEx(1, 3, &marker);
    EXPECT_EQ(grid->GetObjectsEx(1, 3), &marker);
    EXPECT_EQ(grid->GetObjectsEx(1, 2), nullptr);
    grid->SetGridCellsEx(1, 5, "shown");   // real row 5 is grid row 4
    EXPECT_EQ(grid->GetGridCell(1, 4), String("shown"));

    grid->OnGetDisplText = nullptr;
    grid->UnHideRow(3);
    EXPECT_EQ(grid->GetCellEx(4, 3), String("late"));
    EXPECT_EQ(grid->GetCellEx(2, 3), String("wide"));
    EXPECT_EQ(grid->GetObjectEx(1, 3), &marker) << "the object comes back with its row";
    grid->SetObjectsEx(1, 3, nullptr);
}

TEST_F(AccessOps, UnsortedRowsFollowTheSortsCrossReference)
{
    EXPECT_EQ(grid->UnSortedRowIndex(5), 5) << "before any sort a row is where it was";
    EXPECT_EQ(grid->GetUnSortedCell(1, 5), String("1:5"));
    // What a sort leaves: rows 2 and 4 changed places.
    grid->InitSortXRef();
    grid->SwapRows(2, 4);
    grid->SortRowXRef()->Exchange(2, 4);
    EXPECT_EQ(grid->UnSortedRowIndex(2), 4);
    EXPECT_EQ(grid->SortedRowIndex(4), 2);
    EXPECT_EQ(grid->GetUnSortedCell(1, 2), String("1:2")) << "row 2 before the sort, now shown at 4";
    grid->SetUnSortedCell(1, 4, "was four");
    EXPECT_EQ(grid->GetCellEx(1, 2), String("was four"));
    EXPECT_EQ(grid->UnSortedRowIndex(99), grid->SortRowXRef()->Count()) << "a row the sort never saw";
}

TEST_F(AccessOps, LinesInCellCountsTheLineBreaks)
{
    struct Case {
        const char* text;
        int lines;
    } cases[] = {{"", 1}, {"one", 1}, {"a\rb", 2}, {"a\r\nb\r\nc", 3}};
    for (const Case& k : cases) {
        grid->SetCellEx(2, 2, k.text);
        EXPECT_EQ(grid->GetLinesInCell(2, 2), k.lines) << k.text;
    }
}

// ---- Per-cell properties -------------------------------------------------------------------------------------------

TEST_F(AccessOps, ReadingAPropertyCreatesNothingButWordWrapAndEveryWriteDoes)
{
    EXPECT_EQ(grid->GetFontSizes(2, 2), 0);
    EXPECT_EQ(grid->GetFontNames(2, 2), String());
    EXPECT_TRUE(grid->GetFontStyles(2, 2).Empty());
    EXPECT_EQ(grid->GetGradientDir(2, 2), TCellGradientDirection::GradientVertical);
    EXPECT_FALSE(grid->HasCellObject(2, 2)) << "reads leave the cell without properties";
    EXPECT_EQ(grid->GetWordWraps(2, 2), grid->WordWrap());
    EXPECT_TRUE(grid->HasCellObject(2, 2)) << "the word-wrap read makes them";

    grid->SetFontSizes(1, 3, 14);
    grid->SetFontNames(1, 4, "Courier");
    grid->SetFontStyles(1, 5, TFontStyles{TFontStyle::fsItalic});
    grid->SetGradientDir(1, 6, TCellGradientDirection::GradientHorizontal);
    grid->SetWordWraps(1, 7, false);
    EXPECT_EQ(grid->GetFontSizes(1, 3), 14);
    EXPECT_EQ(grid->GetFontNames(1, 4), String("Courier"));
    EXPECT_TRUE(grid->GetFontStyles(1, 5).Contains(TFontStyle::fsItalic));
    EXPECT_EQ(grid->GetGradientDir(1, 6), TCellGradientDirection::GradientHorizontal);
    EXPECT_FALSE(grid->GetWordWraps(1, 7));

    TFont font;
    font.SetName("Arial");
    font.SetSize(11);
    font.SetStyle(TFontStyles{TFontStyle::fsBold});
    font.SetColor(clGreen);
    grid->SetFonts(3, 2, &font);
    EXPECT_EQ(grid->GetFontNames(3, 2), String("Arial"));
    EXPECT_EQ(grid->GetFontSizes(3, 2), 11);
    EXPECT_TRUE(grid->GetFontStyles(3, 2).Contains(TFontStyle::fsBold));
    EXPECT_EQ(grid->GetFontColors(3, 2), clGreen);
}

TEST_F(AccessOps, HTMLHintsChooseTheApplicationsHintWindow)
{
    grid->SetUseHTMLHints(true);
    EXPECT_TRUE(grid->UseHTMLHints());
    ASSERT_TRUE(bool(ApplicationHintWindowClass()));
    std::unique_ptr<THintWindow> window(ApplicationHintWindowClass()(nullptr));
    EXPECT_NE(dynamic_cast<THTMLHintWindow*>(window.get()), nullptr);
    grid->SetUseHTMLHints(false);
    EXPECT_FALSE(bool(ApplicationHintWindowClass())) << "the platform's plain hint window again";
}

// ---- Clearing, trimming, merging and colouring -----------------------------------------------------------------------

TEST_F(AccessOps, TheClearFamilyEmptiesItsOwnPart)
{
    struct Case {
        const char* name;
        std::function<void(TZvStringGrid*)> clear;
        std::vector<String> row0, row2, row7;
    } cases[] = {
        {"Clear", [](TZvStringGrid* g) { g->Clear(); }, Texts({"", "", "", ""}), Texts({"", "", "", ""}),
         Texts({"", "", "", ""})},
        {"ClearNormalCells", [](TZvStringGrid* g) { g->ClearNormalCells(); }, Texts({"0:0", "1:0", "2:0", "3:0"}),
         Texts({"0:2", "", "", ""}), Texts({"0:7", "", "", ""})},
        {"ClearNormalCols", [](TZvStringGrid* g) { g->ClearNormalCols(2, 1); }, Texts({"0:0", "1:0", "2:0", "3:0"}),
         Texts({"0:2", "1:2", "", "3:2"}), Texts({"0:7", "1:7", "", "3:7"})},
        {"ClearCols", [](TZvStringGrid* g) { g->ClearCols(1, 2); }, Texts({"0:0", "", "", "3:0"}),
         Texts({"0:2", "", "", "3:2"}), Texts({"0:7", "", "", "3:7"})},
    };
    for (const Case& k : cases) {
        SetUp();
        grid->SetColors(3, 2, clRed);
        k.clear(grid);
        EXPECT_EQ(Row(0), k.row0) << k.name;
        EXPECT_EQ(Row(2), k.row2) << k.name;
        EXPECT_EQ(Row(7), k.row7) << k.name;
        if (Row(2)[3].isEmpty()) {
            EXPECT_EQ(grid->GetColors(3, 2), clNone) << k.name << ": the properties went too";
        }
    }
}

TEST_F(AccessOps, ClearReachesHiddenColumnsAndClearAllTheHiddenRows)
{
    grid->HideColumn(3);
    grid->HideRow(5);
    grid->SetIncrSearchText("abc");
    grid->Clear();
    EXPECT_EQ(grid->GetCellEx(3, 2), String()) << "a hidden column is cleared too";
    EXPECT_EQ(grid->IncrSearchText(), String());
    EXPECT_EQ(grid->GetCellsEx(1, 5), String("1:5")) << "Clear leaves the hidden rows";
    grid->ClearAll();
    EXPECT_EQ(grid->GetCellsEx(1, 5), String());
}

TEST_F(AccessOps, ClearSelectionClearsWhatTheUserSelected)
{
    // A range dragged with Shift.
    Simulate::Click(grid, Middle(1, 2));
    Simulate::Key(grid, Qt::Key_Right, Qt::ShiftModifier);
    Simulate::Key(grid, Qt::Key_Down, Qt::ShiftModifier);
    grid->ClearSelection();
    EXPECT_EQ(Row(2), Texts({"0:2", "", "", "3:2"}));
    EXPECT_EQ(Row(3), Texts({"0:3", "", "", "3:3"}));
    EXPECT_EQ(Row(4), Texts({"0:4", "1:4", "2:4", "3:4"}));

    // Disjunct rows picked one by one.
    SetUp();
    grid->MouseActions()->SetDisjunctRowSelect(true);
    grid->SetRowSelect(2, true);
    grid->SetRowSelect(5, true);
    grid->ClearSelection();
    EXPECT_EQ(Row(2), Texts({"", "", "", ""}));
    EXPECT_EQ(Row(5), Texts({"", "", "", ""}));
    EXPECT_EQ(Row(3), Texts({"0:3", "1:3", "2:3", "3:3"}));
}

TEST_F(AccessOps, MergeTrimColourAndWideCells)
{
    grid->SetCellEx(1, 2, " a ");
    grid->SetCellEx(2, 2, "b\t");
    grid->MergeCols(1, 2, " - ");
    EXPECT_EQ(grid->ColCount(), 3);
    EXPECT_EQ(grid->GetCellEx(1, 2), String("a  - b"));
    EXPECT_EQ(grid->GetCellEx(1, 0), String("1:0")) << "the header row is left as it was";
    EXPECT_EQ(grid->GetCellEx(2, 3), String("3:3")) << "the second column left the grid";

    grid->SetCellEx(2, 4, "\t x \r");
    grid->SetCellEx(1, 5, "  y");
    grid->SetCellEx(2, 6, "z  ");
    grid->TrimColumn(2);
    EXPECT_EQ(grid->GetCellEx(2, 4), String("x"));
    EXPECT_EQ(grid->GetCellEx(1, 5), String("  y"));
    grid->TrimRow(5);
    EXPECT_EQ(grid->GetCellEx(1, 5), String("y"));
    grid->SetCellEx(0, 7, " w ");
    grid->TrimAll();
    EXPECT_EQ(grid->GetCellEx(0, 7), String("w"));

    grid->ColorRect(1, 1, 2, 2, clYellow);
    EXPECT_EQ(grid->GetColors(1, 1), clYellow);
    EXPECT_EQ(grid->GetColors(2, 2), clYellow);
    EXPECT_EQ(grid->GetColors(2, 3), clNone);

    grid->SetCellEx(1, 3, "|\\0041");
    EXPECT_TRUE(grid->IsWideCell(1, 3));
    EXPECT_FALSE(grid->IsWideCell(1, 4));
}

TEST_F(AccessOps, RowExtremesSkipWhatIsNoNumber)
{
    RegionalScope regional(u'.', u',');
    grid->SetColCount(6);
    const char* row[] = {"", "3", "x", "-2", "7", "1"};
    for (int c = 0; c < 6; ++c) grid->SetCellEx(c, 2, row[c]);
    EXPECT_DOUBLE_EQ(grid->RowMin(2, 1, 5), -2);
    EXPECT_DOUBLE_EQ(grid->RowMax(2, 1, 5), 7);
    EXPECT_DOUBLE_EQ(grid->RowMax(2, 1, 1), 3);
    EXPECT_THROW(grid->RowMin(2, 2, 5), EZvGridError) << "the start cell is no number";
}

// ---- Sizing started by the wheel and the mouse -------------------------------------------------------------------

TEST_F(AccessOps, ZoomingWithCtrlAndTheWheelFitsTheCellsToTheirText)
{
    grid->SetCellEx(2, 3, "a text far wider than the default column");
    const int before = grid->ColWidths(2);
    // The wheel turned towards the user with Ctrl held, as the window system delivers it.
    const QPointF at(Middle(1, 1).X, Middle(1, 1).Y);
    QWheelEvent wheel(at, grid->Handle()->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
    SetKeyDown(VK_CONTROL, true);
    QCoreApplication::sendEvent(grid->Handle(), &wheel);
    SetKeyDown(VK_CONTROL, false);
    EXPECT_EQ(grid->ZoomFactor(), 3);
    EXPECT_GT(grid->ColWidths(2), before + 100) << "the column takes the long text";
    for (int r = 0; r < grid->RowCount(); ++r) EXPECT_GE(grid->RowHeights(r), grid->DefaultRowHeight());
}

TEST_F(AccessOps, TheApplicationMayKeepAColumnFromBeingSizedByDrag)
{
    grid->SetOptions(grid->Options() + TGridOptions{goColSizing});
    std::vector<int> asked;
    bool allow = false;
    grid->OnColumnSize = [&](TObject*, int ACol, bool& Allow) {
        asked.push_back(ACol);
        Allow = allow;
    };
    const TRect header = grid->CellRect(2, 0);
    const TPoint border{header.Right - 1, (header.Top + header.Bottom) / 2};
    const int width = grid->ColWidths(2);
    auto drag = [&] {
        Simulate::MouseDown(grid, border);
        Simulate::MouseMove(grid, {border.X + 40, border.Y}, Qt::LeftButton);
        Simulate::MouseUp(grid, {border.X + 40, border.Y});
    };
    drag();
    ASSERT_FALSE(asked.empty());
    EXPECT_EQ(asked.back(), 2) << "asked for the column left of the border";
    EXPECT_EQ(grid->ColWidths(2), width) << "refused: no sizing starts";
    allow = true;
    drag();
    EXPECT_GT(grid->ColWidths(2), width + 30);
}

// ---- The search footer and the edit-button editor ------------------------------------------------------------------

TEST_F(AccessOps, TheSearchFooterShowsItsPanelBelowTheCells)
{
    grid->SearchFooter()->SetColor(clYellow);
    grid->SearchFooter()->SetVisible(true);
    EXPECT_TRUE(grid->SearchPanel()->Visible());
    EXPECT_EQ(grid->SearchPanel()->Height(), 32);
    EXPECT_EQ(grid->SearchPanel()->Color(), clYellow);
    grid->SearchFooter()->SetVisible(false);
    EXPECT_EQ(grid->SearchPanel()->Height(), 0);
}

TEST_F(AccessOps, TheEditButtonsButtonHandsTheTextToOnEllipsClick)
{
    grid->HideColumn(1);   // display column 2 is real column 3
    grid->SetOptions(grid->Options() + TGridOptions{goEditing});
    grid->OnGetEditorType = [](TObject*, int, int, TEditorType& kind) { kind = TEditorType::edEditBtn; };
    std::vector<std::pair<int, int>> asked;
    grid->OnEllipsClick = [&](TObject*, int ACol, int ARow, String& S) {
        asked.emplace_back(ACol, ARow);
        S = S + " picked";
    };
    grid->SetCol(2);
    grid->SetRow(4);
    Simulate::Key(grid, Qt::Key_F2);
    TEdit* edit = grid->EditBtnEditor();
    ASSERT_TRUE(edit->Visible()) << "the edit-button editor is open";
    Simulate::Key(edit, Qt::Key_F4);   // the editor's key for its button
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], std::make_pair(3, 4)) << "the real column of the current cell";
    EXPECT_EQ(edit->Text(), String("3:4 picked"));
}
