// Searching the grid: the order Find walks in and where it stops, what a
// cell must hold to match, Replace, and the highlight and mark tags going
// into cell texts and out again without changing anything else.

#include "tests/grid/services/GridOnForm.h"
#include "tests/common/TestUtil.h"

#include "grid/ZvGrid.h"
#include "grid/ZvGridOptions.h"
#include "platform/Forms.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using enum TFindParameter;
using Cells = std::vector<TPoint>;

struct GridSearch : GridOnForm {
    void SetUp() override
    {
        ShowGrid(480, 360);
        grid->SetColCount(4);
        grid->SetRowCount(4);
    }
    // Every match from FindFirst on, as FindNext hands them out.
    Cells Walk(const String& text, TFindParameters params)
    {
        Cells found;
        for (TPoint p = grid->FindFirst(text, params); p.X >= 0 && found.size() < 50; p = grid->FindNext())
            found.push_back(p);
        return found;
    }
};

// A 4 x 4 grid with one fixed row and column; "x" stands in the normal cells
// (1,1), (3,1), (2,2) and (1,3), and in the fixed cells (0,2) and (2,0).
struct GridWalk : GridSearch {
    void SetUp() override
    {
        GridSearch::SetUp();
        for (TPoint p : Cells{{1, 1}, {3, 1}, {2, 2}, {1, 3}, {0, 2}, {2, 0}}) grid->SetCells(p.X, p.Y, "x");
    }
};

TEST_F(GridWalk, FindVisitsMatchesInWalkOrderAndDoesNotWrap)
{
    struct Case {
        const char* Name;
        TFindParameters Params;
        Cells Expected;
    };
    const Case cases[] = {
        {"column by column", {}, {{1, 1}, {1, 3}, {2, 2}, {3, 1}}},
        {"row by row", {fnDirectionLeftRight}, {{1, 1}, {3, 1}, {2, 2}, {1, 3}}},
        {"column by column backwards", {fnBackward}, {{3, 1}, {2, 2}, {1, 3}, {1, 1}}},
        {"row by row backwards", {fnDirectionLeftRight, fnBackward}, {{1, 3}, {2, 2}, {3, 1}, {1, 1}}},
        {"fixed cells too", {fnDirectionLeftRight, fnIncludeFixed},
         {{2, 0}, {1, 1}, {3, 1}, {0, 2}, {2, 2}, {1, 3}}},
    };
    for (const Case& k : cases) {
        EXPECT_EQ(Walk("x", k.Params), k.Expected) << k.Name;
        // Past the last match FindNext keeps answering nothing instead of starting over.
        EXPECT_EQ(grid->FindNext(), (TPoint{-1, -1})) << k.Name;
        EXPECT_EQ(grid->FindNext(), (TPoint{-1, -1})) << k.Name;
    }
}

TEST_F(GridWalk, RestrictionsPinTheWalk)
{
    grid->SetCol(2);
    grid->SetRow(1);
    grid->SetFindCol(3);
    grid->SetFindRow(3);
    struct Case {
        const char* Name;
        TFindParameters Params;
        Cells Expected;
    };
    const Case cases[] = {
        {"current row", {fnFindInCurrentRow, fnDirectionLeftRight}, {{1, 1}, {3, 1}}},
        {"current column", {fnFindInCurrentCol}, {{2, 2}}},
        {"current column with fixed", {fnFindInCurrentCol, fnIncludeFixed}, {{2, 0}, {2, 2}}},
        {"preset column", {fnFindInPresetCol}, {{3, 1}}},
        {"preset row", {fnFindInPresetRow, fnDirectionLeftRight}, {{1, 3}}},
    };
    for (const Case& k : cases) EXPECT_EQ(Walk("x", k.Params), k.Expected) << k.Name;

    grid->SetSelection(TGridRect{2, 1, 3, 2});
    EXPECT_EQ(Walk("x", {fnSelectedCells, fnDirectionLeftRight}), (Cells{{3, 1}, {2, 2}}));
}

TEST_F(GridWalk, AStartCellIsLeftOutAndOnePastTheEndStartsOver)
{
    EXPECT_EQ(grid->Find({1, 1}, "x", {fnDirectionLeftRight}), (TPoint{3, 1}));
    EXPECT_EQ(grid->Find({3, 1}, "x", {fnDirectionLeftRight}), (TPoint{2, 2}));
    // Between two lines (a fixed column before the first normal one) the walk takes the line's first cell.
    EXPECT_EQ(grid->Find({0, 3}, "x", {fnDirectionLeftRight}), (TPoint{1, 3}));
    EXPECT_EQ(grid->Find({1, 3}, "x", {fnDirectionLeftRight}), (TPoint{-1, -1}));
    EXPECT_EQ(grid->Find({9, 9}, "x", {fnDirectionLeftRight}), (TPoint{1, 1}));
    EXPECT_EQ(grid->Find({1, 1}, "x", {fnDirectionLeftRight, fnBackward}), (TPoint{-1, -1}));
}

TEST_F(GridWalk, AutoGotoMakesTheFoundCellCurrent)
{
    grid->SetCol(1);
    grid->SetRow(1);
    const TPoint p = grid->Find({-1, -1}, "x", {fnAutoGoto, fnBackward});
    EXPECT_EQ(p, (TPoint{3, 1}));
    EXPECT_EQ(grid->Col(), 3);
    EXPECT_EQ(grid->Row(), 1);
    // Nothing found leaves the current cell alone.
    EXPECT_EQ(grid->Find({-1, -1}, "nowhere", {fnAutoGoto}), (TPoint{-1, -1}));
    EXPECT_EQ(grid->Col(), 3);
}

TEST_F(GridSearch, CellsMatchAsTheParametersSay)
{
    struct Case {
        const char* Cell;
        const char* Search;
        TFindParameters Params;
        bool Matches;
    };
    const Case cases[] = {
        {"abc", "ab", {fnMatchStart}, true},
        {"cab", "ab", {fnMatchStart}, false},
        {"abc", "ab", {fnMatchFull}, false},
        {"ab", "ab", {fnMatchFull}, true},
        {"AB", "ab", {fnMatchFull}, true},
        {"AB", "ab", {fnMatchFull, fnMatchCase}, false},
        {"xaBy", "Ab", {}, true},
        {"xaBy", "Ab", {fnMatchCase}, false},
        {"<b>bold</b>", "b>b", {}, true},
        {"<b>bold</b>", "b>b", {fnIgnoreHTMLTags}, false},
        {"<b>bo</b>ld", "bold", {fnIgnoreHTMLTags}, true},
        {"15", ">10&<20", {fnMatchRegular}, true},
        {"25", ">10&<20", {fnMatchRegular}, false},
        {"Apple", "a*", {fnMatchRegular}, true},
        {"Apple", "a*", {fnMatchRegular, fnMatchCase}, false},
        {"text", "", {}, false},
    };
    for (const Case& k : cases) {
        grid->SetCells(1, 1, k.Cell);
        EXPECT_EQ(grid->Find({-1, -1}, k.Search, k.Params) == (TPoint{1, 1}), k.Matches)
            << k.Cell << " / " << k.Search;
    }
}

TEST_F(GridSearch, TwoDoubleQuotesFindTheFirstEmptyCell)
{
    for (int c = 1; c < 4; ++c)
        for (int r = 1; r < 4; ++r) grid->SetCells(c, r, "full");
    grid->SetCells(2, 3, "");
    grid->SetCells(3, 2, "");
    EXPECT_EQ(grid->Find({-1, -1}, "\"\"", {}), (TPoint{2, 3}));
    EXPECT_EQ(grid->Find({-1, -1}, "\"\"", {fnDirectionLeftRight}), (TPoint{3, 2}));
}

TEST_F(GridSearch, FindReachesHiddenRowsAndOpensTheirNode)
{
    grid->SetRowCount(6);
    for (int r = 1; r < 6; ++r) grid->SetCells(1, r, QStringLiteral("row %1").arg(r));
    grid->SetCells(2, 4, "needle");
    grid->AddNode(2, 3);   // rows 2 to 4
    grid->ContractNode(2);
    ASSERT_EQ(grid->RowCount(), 4);
    EXPECT_EQ(grid->Find({-1, -1}, "needle", {}), (TPoint{-1, -1}));
    const TPoint p = grid->Find({-1, -1}, "needle", {fnIncludeHiddenRows, fnAutoGoto});
    EXPECT_EQ(p, (TPoint{2, 4}));
    EXPECT_EQ(grid->RowCount(), 6);
    EXPECT_EQ(grid->Cells(2, grid->Row()), String("needle"));
}

TEST_F(GridSearch, ReplaceChangesEveryOccurrenceAndCountsTheCells)
{
    const auto fill = [&] {
        grid->SetCells(1, 1, "a cat");
        grid->SetCells(2, 1, "A CAT and a cat");
        grid->SetCells(3, 2, "dog");
        grid->SetCells(1, 3, "Cat");
    };
    fill();
    EXPECT_EQ(grid->Replace("cat", "owl", {}), 3);
    EXPECT_EQ(grid->Cells(1, 1), String("a owl"));
    EXPECT_EQ(grid->Cells(2, 1), String("A owl and a owl"));
    EXPECT_EQ(grid->Cells(1, 3), String("owl"));
    EXPECT_EQ(grid->Cells(3, 2), String("dog"));

    // With the case to match, only the occurrences in that case change.
    fill();
    EXPECT_EQ(grid->Replace("cat", "owl", {fnMatchCase}), 2);
    EXPECT_EQ(grid->Cells(2, 1), String("A CAT and a owl"));
    EXPECT_EQ(grid->Cells(1, 3), String("Cat"));

    // A replacement holding the text itself still ends.
    fill();
    EXPECT_EQ(grid->Replace("cat", "catcat", {}), 3);
    EXPECT_EQ(grid->Cells(1, 1), String("a catcat"));
}

TEST_F(GridSearch, TypedKeySearchNeedsTwoRows)
{
    grid->SetCells(1, 1, "Bravo");
    grid->SetCells(1, 2, "alpha");
    EXPECT_EQ(grid->Search("AL"), 2);
    EXPECT_EQ(grid->Search("ZZ"), -1);
    grid->SetRowCount(1);
    EXPECT_EQ(grid->Search("A"), -1);
}

// ---- Highlighting ---------------------------------------------------------------------------------------------
TEST_F(GridSearch, HighlightThenUnhighlightGivesEveryTextBack)
{
    struct Case {
        const char* Text;
        const char* Search;
        const char* Tagged;   // what the cell holds while highlighted
    };
    const Case cases[] = {
        {"plain a text", "a", "pl<hi>a</hi>in <hi>a</hi> text"},
        {"a<b", "<", "a<hi>&lt;</hi>b"},
        {"x & y", "&", "x <hi>&amp;</hi> y"},
        {"&lt; stays", "lt", "&amp;<hi>lt</hi>; stays"},
        {"say \"hi\" A", "a", "s<hi>a</hi>y &quot;hi&quot; <hi>A</hi>"},
        {"<b>bold</b> a", "bold", "<b><hi>bold</hi></b> a"},
        {"<i>x &amp; y</i>", "&", "<i>x <hi>&amp;</hi> y</i>"},
    };
    for (const Case& k : cases) {
        grid->SetCells(1, 1, k.Text);
        grid->SetCells(2, 1, "nothing");
        grid->HilightInGrid(false, false, k.Search);
        EXPECT_EQ(grid->Cells(1, 1), String(k.Tagged)) << k.Text;
        EXPECT_EQ(grid->Cells(2, 1), String("nothing")) << k.Text;
        grid->UnHilightInGrid(false);
        EXPECT_EQ(grid->Cells(1, 1), String(k.Text)) << k.Text;
    }
}

TEST_F(GridSearch, HighlightAndMarkRangesAndTheirOwnTags)
{
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r) grid->SetCells(c, r, "ab");
    grid->HilightInCol(false, true, "a", 2);
    grid->MarkInRow(false, true, "b", 3);
    grid->HilightInCell(true, "b", 0, 0);
    EXPECT_EQ(grid->Cells(2, 0), String("ab"));   // fixed row: outside a normal column range
    EXPECT_EQ(grid->Cells(2, 1), String("<hi>a</hi>b"));
    EXPECT_EQ(grid->Cells(1, 3), String("a<e>b</e>"));
    EXPECT_EQ(grid->Cells(2, 3), String("<hi>a</hi><e>b</e>"));
    EXPECT_EQ(grid->Cells(0, 3), String("ab"));
    EXPECT_EQ(grid->Cells(0, 0), String("a<hi>b</hi>"));
    // Un-marking leaves the highlight, and the other way round.
    grid->UnMarkInGrid(true);
    EXPECT_EQ(grid->Cells(2, 3), String("<hi>a</hi>b"));
    grid->UnHilightInGrid(true);
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r) EXPECT_EQ(grid->Cells(c, r), String("ab")) << c << "," << r;
    // Case: with DoCase off "A" is found in "ab".
    grid->HilightInRow(true, false, "A", 1);
    EXPECT_EQ(grid->Cells(0, 1), String("<hi>a</hi>b"));
    EXPECT_EQ(grid->HilightText(true, "Aa", "a"), String("A<hi>a</hi>"));
    EXPECT_EQ(grid->UnMarkText(grid->MarkText(false, "x<y", "<")), String("x<y"));
}

}   // namespace
