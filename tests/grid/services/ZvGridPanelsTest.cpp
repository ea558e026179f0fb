// The windows beside the grid's cells, driven as a user drives them: the
// search footer (typing, Enter, the buttons), the slim scroll indicator's
// thumb and paging, and the floating footer's columns; and a screenshot of
// a grid with the search footer open, a search highlighted and a filter
// list dropped down.

#include "tests/grid/services/GridOnForm.h"
#include "tests/common/TestUtil.h"

#include "grid/ZvCheckBox.h"
#include "grid/ZvGrid.h"
#include "grid/ZvGridOptions.h"
#include "grid/services/panels/ZvFilterDropLists.h"
#include "grid/services/panels/ZvFooterPanel.h"
#include "grid/services/panels/ZvScrollControl.h"
#include "grid/services/panels/ZvSearchPanel.h"
#include "grid/support/ZvGridButton.h"
#include "platform/Forms.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

struct GridPanels : GridOnForm {
    void SetUp() override
    {
        ShowGrid(560, 360);
        grid->SetColCount(4);
        grid->SetRowCount(12);
        const char* fruit[] = {"apple", "pear", "fig", "plum", "grape", "lime"};
        for (int r = 1; r < 12; ++r) {
            grid->SetCells(1, r, fruit[(r - 1) % 6]);
            grid->SetCells(2, r, QStringLiteral("row %1").arg(r));
        }
    }
};

struct SearchFooter : GridPanels {
    TSearchPanel* panel = nullptr;
    void SetUp() override
    {
        GridPanels::SetUp();
        TSearchFooter& f = *grid->SearchFooter();
        f.SetFindNextCaption("Find &next");
        f.SetFindPrevCaption("Find &previous");
        f.SetHighLightCaption("Highlight");
        f.SetMatchCaseCaption("Match case");
        f.SetVisible(true);
        panel = grid->SearchPanel();
        panel->SearchEdit()->SetFocus();
    }
    TRetEdit* edit() const { return panel->SearchEdit(); }
    TPoint Middle(TControl* c) const { return {c->Left() + c->Width() / 2, c->Top() + c->Height() / 2}; }
};

TEST_F(SearchFooter, ControlsStandWhereTheyBelong)
{
    EXPECT_TRUE(panel->Visible());
    EXPECT_EQ(panel->Height(), 32);
    struct Case {
        const char* Name;
        TControl* Control;
        int Left, Top, Width, Height;
    };
    const Case cases[] = {
        {"edit", edit(), 25, 6, 110, -1},
        {"forward", panel->ForwardButton(), 140, 5, 90, 23},
        {"backward", panel->BackwardButton(), 235, 5, 90, 23},
        {"exit", panel->ExitButton(), 5, 7, 14, 14},
        {"highlight", panel->HighlightButton(), 330, 5, 90, 23},
        {"match case", panel->MatchCaseBox(), 425, 8, -1, -1},
    };
    for (const Case& k : cases) {
        EXPECT_EQ(k.Control->Left(), k.Left) << k.Name;
        EXPECT_EQ(k.Control->Top(), k.Top) << k.Name;
        if (k.Width >= 0) EXPECT_EQ(k.Control->Width(), k.Width) << k.Name;
        if (k.Height >= 0) EXPECT_EQ(k.Control->Height(), k.Height) << k.Name;
    }
    EXPECT_EQ(panel->ForwardButton()->Caption(), String("Find &next"));
    grid->SearchFooter()->SetShowHighLight(false);
    EXPECT_FALSE(panel->HighlightButton()->Visible());
    EXPECT_EQ(panel->MatchCaseBox()->Left(), 330);
    grid->SearchFooter()->SetVisible(false);
    EXPECT_EQ(panel->Height(), 0);
}

TEST_F(SearchFooter, TypingEnablesTheButtonsAndFindsAsItGoes)
{
    for (TZvGridButton* b : {panel->ForwardButton(), panel->BackwardButton(), panel->HighlightButton()})
        EXPECT_FALSE(b->Enabled());
    std::vector<TSearchAction> actions;
    grid->OnSearchFooterAction = [&](TObject*, const String&, int, int, TSearchAction a) { actions.push_back(a); };
    Simulate::Type(edit(), "pl");
    for (TZvGridButton* b : {panel->ForwardButton(), panel->BackwardButton(), panel->HighlightButton()})
        EXPECT_TRUE(b->Enabled());
    EXPECT_EQ(edit()->Text(), String("pl"));
    EXPECT_EQ(grid->Cells(grid->Col(), grid->Row()), String("apple"));
    EXPECT_EQ(edit()->Color(), clWindow);
    ASSERT_FALSE(actions.empty());
    EXPECT_EQ(actions.back(), TSearchAction::saFindFirst);

    // A text that occurs nowhere turns the edit red; erasing it turns it back.
    Simulate::Type(edit(), "zz");
    EXPECT_EQ(edit()->Color(), clRed);
    for (int i = 0; i < 4; ++i) Simulate::Key(edit(), Qt::Key_Backspace);
    EXPECT_EQ(edit()->Text(), String());
    EXPECT_EQ(edit()->Color(), clWindow);
    EXPECT_FALSE(panel->ForwardButton()->Enabled());
}

TEST_F(SearchFooter, EnterFindsNextAndCtrlEnterPrevious)
{
    Simulate::Type(edit(), "p");   // apple (row 1), pear (2), plum (4), grape (5), apple (7) ...
    ASSERT_EQ(grid->Row(), 1);
    Simulate::Key(edit(), Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_EQ(grid->Row(), 2);
    Simulate::Key(edit(), Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_EQ(grid->Row(), 4);
    Simulate::Key(edit(), Qt::Key_Return, Qt::ControlModifier, "\r");
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_EQ(edit()->Text(), String("p"));   // no line break went in
    // The forward button does what Enter does.
    Simulate::Click(panel->ForwardButton(), {10, 10});
    EXPECT_EQ(grid->Row(), 4);
}

TEST_F(SearchFooter, TheHighlightButtonTagsTheTypedTextAndTakesItOutAgain)
{
    Simulate::Type(edit(), "ear");
    Simulate::Click(panel->HighlightButton(), {10, 10});
    ASSERT_TRUE(panel->HighlightButton()->Down());
    EXPECT_EQ(grid->Cells(1, 2), String("p<hi>ear</hi>"));
    EXPECT_EQ(grid->Cells(1, 1), String("apple"));
    // Typing on searches through the tags and highlights the new text instead.
    Simulate::Type(edit(), "x");
    EXPECT_EQ(grid->Cells(1, 2), String("pear"));
    Simulate::Key(edit(), Qt::Key_Backspace);
    EXPECT_EQ(grid->Cells(1, 2), String("p<hi>ear</hi>"));
    Simulate::Click(panel->HighlightButton(), {10, 10});
    EXPECT_FALSE(panel->HighlightButton()->Down());
    EXPECT_EQ(grid->Cells(1, 2), String("pear"));
}

TEST_F(SearchFooter, TheCloseButtonHidesTheFooterAndSaysSo)
{
    bool closed = false;
    grid->OnSearchFooterClose = [&](TObject*) { closed = true; };
    Simulate::Click(panel->ExitButton(), {5, 5});
    EXPECT_TRUE(closed);
    EXPECT_FALSE(grid->SearchFooter()->Visible());
    EXPECT_EQ(panel->Height(), 0);
}

// ---- The slim scroll indicator ----------------------------------------------------------------------------------
struct ScrollIndicator : GridPanels {
    TScrollControl* bar = nullptr;
    void SetUp() override
    {
        GridPanels::SetUp();
        grid->SetScrollType(TScrollType::ssMetro);
        bar = grid->VertScrollControl();
    }
};

TEST_F(ScrollIndicator, TheThumbShowsTheShareInViewAndNeverDividesByZero)
{
    ASSERT_NE(bar, nullptr);
    grid->SetDefaultRowHeight(20);
    grid->SetRowCount(101);   // 100 normal rows
    const int visible = grid->VisibleRowCount();
    ASSERT_LT(visible, 100);
    int start = 0, length = 0;
    ASSERT_TRUE(bar->ThumbSpan(start, length));
    const int track = bar->Height() - grid->RowHeights(0);
    EXPECT_EQ(start, grid->RowHeights(0));
    EXPECT_NEAR(length, std::max(20.0, track * visible / 101.0), 1);
    grid->SetTopRow(51);
    ASSERT_TRUE(bar->ThumbSpan(start, length));
    EXPECT_NEAR(start, grid->RowHeights(0) + track * 0.5, 1);

    // A long table still has a thumb one can grab.
    grid->SetRowCount(100001);
    ASSERT_TRUE(bar->ThumbSpan(start, length));
    EXPECT_EQ(length, 20);
    grid->SetTopRow(grid->RowCount() - grid->VisibleRowCount());
    ASSERT_TRUE(bar->ThumbSpan(start, length));
    EXPECT_LE(start + length, bar->Height());

    // All rows in view, no normal rows, or no height: no thumb and no fault.
    for (int rows : {5, 1}) {
        grid->SetRowCount(rows);
        EXPECT_FALSE(bar->ThumbSpan(start, length)) << rows;
    }
    grid->SetRowCount(200);
    bar->SetAlign(TAlign::alNone);
    bar->SetBounds(0, 0, 6, 0);
    EXPECT_FALSE(bar->ThumbSpan(start, length));
    (void)bar->PaintToImage();
}

TEST_F(ScrollIndicator, PressesBesideTheThumbPageAndStopAtTheLastPage)
{
    grid->SetRowCount(41);
    const int page = grid->VisibleRowCount();
    int start = 0, length = 0;
    ASSERT_TRUE(bar->ThumbSpan(start, length));
    Simulate::Click(bar, {2, start + length + 3});
    EXPECT_EQ(grid->TopRow(), 1 + page);
    for (int i = 0; i < 10; ++i) {
        ASSERT_TRUE(bar->ThumbSpan(start, length));
        if (start + length + 3 >= bar->Height()) break;
        Simulate::Click(bar, {2, bar->Height() - 2});
    }
    EXPECT_EQ(grid->TopRow(), grid->RowCount() - page);
    ASSERT_TRUE(bar->ThumbSpan(start, length));
    Simulate::Click(bar, {2, start - 2});
    EXPECT_EQ(grid->TopRow(), grid->RowCount() - 2 * page);
}

TEST_F(ScrollIndicator, DraggingTheThumbScrollsInProportion)
{
    grid->SetRowCount(201);
    int start = 0, length = 0;
    ASSERT_TRUE(bar->ThumbSpan(start, length));
    const int y = start + length / 2;
    Simulate::MouseDown(bar, {2, y});
    const int span = bar->Height() - grid->RowHeights(0);
    Simulate::MouseMove(bar, {2, y + span / 4}, Qt::LeftButton);
    EXPECT_NEAR(grid->TopRow(), 1 + 201 / 4, 2);
    Simulate::MouseMove(bar, {2, y + 5 * span}, Qt::LeftButton);
    EXPECT_EQ(grid->TopRow(), grid->RowCount() - grid->VisibleRowCount());
    Simulate::MouseUp(bar, {2, y + 5 * span});
    Simulate::MouseMove(bar, {2, y});
    EXPECT_EQ(grid->TopRow(), grid->RowCount() - grid->VisibleRowCount());
}

// ---- The floating footer -------------------------------------------------------------------------------------------
TEST_F(GridPanels, AFooterClickNamesTheColumnUnderThePointerAndTheLastRow)
{
    grid->SetColCount(12);
    for (int c = 0; c < 12; ++c) grid->SetColWidths(c, 60);
    grid->FloatingFooter()->SetVisible(true);
    TFooterPanel* footer = grid->FooterPanel();
    ASSERT_GT(footer->Height(), 0);
    grid->SetLeftCol(4);
    int col = -1, row = -1;
    grid->OnClickCell = [&](TObject*, int ARow, int ACol) { row = ARow, col = ACol; };
    // Fixed column 0, then columns 4, 5, 6 ...: the third one shown is column 5.
    Simulate::Click(footer, {60 + 60 + 30, 5});
    EXPECT_EQ(col, 5);
    EXPECT_EQ(row, grid->RowCount() - 1);
    EXPECT_EQ(footer->ColumnAt(10), 0);
    EXPECT_EQ(footer->ColumnAt(60 * 9 + 5), -1);
}

TEST_F(GridPanels, APreviewTemplateTakesTheCurrentRowsTexts)
{
    grid->SetRow(2);
    struct Case {
        const char* Template;
        const char* Shown;
    };
    const Case cases[] = {
        {"Fruit: <#1>", "Fruit: pear"},
        {"<#1>/<#2>", "pear/row 2"},
        {"beyond: <#40>.", "beyond: ."},
        {"odd <#x> one", "odd  one"},
        {"<b>no placeholder</b>", "<b>no placeholder</b>"},
    };
    for (const Case& k : cases)
        EXPECT_EQ(TFooterPanel::FillTemplate(*grid, k.Template, grid->Row()), String(k.Shown)) << k.Template;
}

TEST_F(GridPanels, EveryFooterStylePaints)
{
    grid->FloatingFooter()->SetVisible(true);
    grid->FloatingFooter()->SetCustomTemplate("Row: <#2>");
    for (TFooterStyle style : {TFooterStyle::fsFixedLastRow, TFooterStyle::fsColumnPreview,
                               TFooterStyle::fsCustomPreview, TFooterStyle::fsCustomPaint}) {
        grid->FloatingFooter()->SetFooterStyle(style);
        const QImage image = grid->FooterPanel()->PaintToImage();
        EXPECT_FALSE(image.isNull()) << int(style);
    }
}

// ---- What a user sees ------------------------------------------------------------------------------------------------
TEST_F(SearchFooter, ScreenshotShowsTheFooterAHighlightAndAFilterList)
{
    grid->SetFilterDropDownAuto(true);
    grid->SetCells(1, 0, "Fruit");
    grid->SetCells(2, 0, "Row");
    grid->SetColWidths(1, 120);
    Simulate::Type(edit(), "pe");
    Simulate::Click(panel->HighlightButton(), {10, 10});
    ASSERT_EQ(grid->Cells(1, 2), String("<hi>pe</hi>ar"));
    ASSERT_TRUE(grid->ShowFilterDropDown(1));
    const QImage image = form->PaintToImage();
    ASSERT_FALSE(image.isNull());
    EXPECT_TRUE(image.save(ScreenshotFolder() + QStringLiteral("/grid-search-footer.png")));
    const QRect footerArea(panel->Left(), grid->Top() + panel->Top(), 400, panel->Height());
    EXPECT_TRUE(LooksPainted(image.copy(footerArea), ColorToRGB(grid->SearchFooter()->Color()), QRect(140, 5, 90, 23)));
    // The highlighted letters stand on the highlight colour (row 8's pear lies below the open list).
    ASSERT_EQ(grid->Cells(1, 8), String("<hi>pe</hi>ar"));
    const TRect cell = grid->CellRect(1, 8);
    int hits = 0;
    const QColor hi = ToQColor(ColorToRGB(grid->HighlightColor()));
    for (int x = cell.Left; x < cell.Right; ++x)
        for (int y = cell.Top; y < cell.Bottom; ++y) hits += QColor(image.pixel(x, y)) == hi;
    EXPECT_GT(hits, 10);
    // The filter list lies open over the grid with its entries.
    TDropList* list = grid->FilterDropList();
    ASSERT_TRUE(list->Visible());
    const QRect listArea(list->Left() + grid->Left(), list->Top() + grid->Top(), list->Width(), list->Height());
    EXPECT_TRUE(LooksPainted(image.copy(listArea), ColorToRGB(list->Color()), QRect(0, 0, listArea.width(), listArea.height())));
}

}   // namespace
