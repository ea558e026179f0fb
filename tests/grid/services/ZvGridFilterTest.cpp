// Filtering the grid's rows: the condition language as rows see it, how
// items join, levels stacking and coming back, narrowing while typing, and
// the header filter lists picking, ticking and closing.

#include "tests/grid/services/GridOnForm.h"
#include "tests/common/TestUtil.h"

#include "grid/ZvGrid.h"
#include "grid/services/panels/ZvFilterDropLists.h"
#include "grid/support/ZvGridUtil.h"
#include "platform/Forms.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using Texts = std::vector<String>;

struct GridFilter : GridOnForm {
    void SetUp() override
    {
        ShowGrid(480, 360);
    }
    void Fill(const Texts& values)
    {
        grid->SetFilterActive(false);   // hidden rows come back first, so the new values are all there is
        grid->SetColCount(3);
        grid->SetRowCount(int(values.size()) + 1);
        grid->SetCells(1, 0, "head");
        for (int i = 0; i < int(values.size()); ++i) {
            grid->SetCells(1, i + 1, values[std::size_t(i)]);
            grid->SetCells(2, i + 1, QString::number(i));
        }
    }
    Texts Shown(int c = 1)
    {
        Texts out;
        for (int r = grid->FixedRows(); r < grid->RowCount(); ++r) out.push_back(grid->Cells(c, r));
        return out;
    }
    void FilterOn(const String& condition, bool caseSensitive = true)
    {
        grid->SetFilterActive(false);
        grid->Filter()->Clear();
        TFilterData* f = grid->Filter()->Add();
        f->SetColumn(1);
        f->SetCondition(condition);
        f->SetCaseSensitive(caseSensitive);
        grid->SetFilterActive(true);
    }
};

TEST_F(GridFilter, ConditionsPassTheRowsTheySay)
{
    struct Case {
        const char* Condition;
        Texts Values, Pass;
        bool CaseSensitive = true;
    };
    const Case cases[] = {
        {"abc", {"abc", "ABC", "xabc"}, {"abc"}},
        {"abc", {"abc", "ABC", "xabc"}, {"abc", "ABC"}, false},
        {"*abc*", {"abc", "xabcx", "ab"}, {"abc", "xabcx"}},
        {"a?c", {"abc", "ac", "abbc"}, {"abc"}},
        {">10&<20", {"10", "15", "20", "9"}, {"15"}},
        {">=10&<=20", {"10", "15", "20", "21"}, {"10", "15", "20"}},
        {"!*x*", {"axb", "ab", "x"}, {"ab"}},
        {"a|b", {"a", "b", "c"}, {"a", "b"}},
        {"a;b", {"a", "b", "c"}, {"a", "b"}},
        {"=abc", {"abc", "abcd"}, {"abc"}},
        {"a b", {"ab", "a b"}, {"ab"}},
        {"\"a b\"", {"ab", "a b"}, {"a b"}},
        {"*a*|*b*&*c*", {"ac", "a", "bc", "c"}, {"ac", "bc"}},
        {"(*a*|*b*)&*c*", {"ac", "a", "bc", "c"}, {"ac", "bc"}},
        {">b", {"a", "b", "c"}, {"c"}},
        {">01/02/2020", {"15/01/2020", "02/02/2020", "01/03/2019"}, {"02/02/2020"}},
        {"", {"x", ""}, {"x", ""}},
    };
    TFormatSettings fs = FormatSettings();
    fs.DateSeparator = u'/';
    fs.ShortDateFormat = "dd/mm/yyyy";
    SetFormatSettings(fs);
    for (const Case& c : cases) {
        Fill(c.Values);
        FilterOn(c.Condition, c.CaseSensitive);
        EXPECT_EQ(Shown(), c.Pass) << c.Condition;
    }
    ResetFormatSettingsFromSystem();
}

TEST_F(GridFilter, LocaleNumbersCompareByValue)
{
    RegionalScope scope(u',', u'.');
    Fill({"1000,4", "1000,6", "2.000"});
    FilterOn(">1.000,5");
    EXPECT_EQ(Shown(), (Texts{"1000,6", "2.000"}));
}

TEST_F(GridFilter, AStarPatternDoesNotBacktrackWithoutEnd)
{
    // Each star would try every split of the text before; this must answer at once.
    const String text = String(10000, u'a');
    EXPECT_FALSE(MatchFilterExpression("*a*a*a*a*a*b", text, true));
    EXPECT_TRUE(MatchFilterExpression("*a*a*a*a*a*", text, true));
}

TEST_F(GridFilter, ItemsJoinInOrderAndAFailingShortItemEndsTheTest)
{
    Fill({"a", "b", "c"});
    grid->Filter()->Clear();
    TFilterData* first = grid->Filter()->Add();
    first->SetColumn(1);
    first->SetCondition("a");
    TFilterData* second = grid->Filter()->Add();
    second->SetColumn(1);
    second->SetCondition("b");
    second->SetOperation(TFilterOperation::foOR);
    grid->SetFilterActive(true);
    EXPECT_EQ(Shown(), (Texts{"a", "b"}));

    grid->SetFilterActive(false);
    first->SetOperation(TFilterOperation::foSHORT);
    grid->SetFilterActive(true);
    EXPECT_EQ(Shown(), (Texts{"a"})) << "a failing short item cannot be rescued by a later or";

    grid->SetFilterActive(false);
    first->SetOperation(TFilterOperation::foNONE);
    second->SetOperation(TFilterOperation::foXOR);
    second->SetCondition("*");
    grid->SetFilterActive(true);
    EXPECT_EQ(Shown(), (Texts{"b", "c"}));
}

TEST_F(GridFilter, PrefixSuffixLiteralAndTheCustomHandler)
{
    Fill({"$10", "10 kg", "10", "a*"});
    FilterOn("10");
    TFilterData* f = grid->Filter()->Items(0);
    grid->SetFilterActive(false);
    f->SetPrefix("$");
    f->SetSuffix(" kg");
    grid->SetFilterActive(true);
    EXPECT_EQ(Shown(), (Texts{"$10", "10 kg", "10"}));

    grid->SetFilterActive(false);
    f->SetPrefix("");
    f->SetSuffix("");
    f->SetMethod(TFilterMethod::fmLiteral);
    f->SetCondition("a*");
    grid->SetFilterActive(true);
    EXPECT_EQ(Shown(), (Texts{"a*"}));

    grid->SetFilterActive(false);
    grid->OnCustomFilter = [&](TObject*, int ARow, bool& Accept) { Accept = grid->Cells(1, ARow) == "10"; };
    grid->SetFilterActive(true);
    EXPECT_EQ(Shown(), (Texts{"10"}));
}

TEST_F(GridFilter, SwitchingOffBringsBackEveryLevelWithItsHeight)
{
    Fill({"a1", "b1", "a2", "b2"});
    grid->SetRowHeights(3, 44);
    grid->SetFixedFooters(0);
    TFilterData* f = grid->Filter()->Add();
    f->SetColumn(1);
    f->SetCondition("a*");
    grid->SetFilterActive(true);
    EXPECT_EQ(Shown(), (Texts{"a1", "a2"}));
    f->SetCondition("*1");
    grid->ApplyFilter();
    EXPECT_EQ(Shown(), (Texts{"a1"}));
    EXPECT_EQ(grid->FilterLevel(), 2);
    grid->SetFilterActive(false);
    EXPECT_EQ(Shown(), (Texts{"a1", "b1", "a2", "b2"}));
    EXPECT_EQ(grid->RowHeights(3), 44);
    EXPECT_EQ(grid->FilterLevel(), 0);

    grid->SetFilterActive(true);
    grid->ApplyFilter();
    grid->RemoveAllFilters();
    EXPECT_EQ(Shown(), (Texts{"a1", "b1", "a2", "b2"}));
    grid->RemoveAllFilters();
    EXPECT_EQ(grid->Filter()->Count(), 0) << "with no level left the conditions go";
}

TEST_F(GridFilter, NarrowingFollowsTheTypedText)
{
    Fill({"apple", "apricot", "banana", "grape"});
    grid->NarrowDown("a", 1);
    EXPECT_EQ(Shown(), (Texts{"apple", "apricot", "banana", "grape"}));
    grid->NarrowDown("ap", 1);
    EXPECT_EQ(Shown(), (Texts{"apple", "apricot", "grape"}));
    grid->NarrowDown("apr", 1);
    EXPECT_EQ(Shown(), (Texts{"apricot"}));
    grid->NarrowDown("ap", 1);
    EXPECT_EQ(Shown(), (Texts{"apple", "apricot", "grape"}));
    grid->NarrowDown("APP", -1);   // not one more character of "ap": starts over, on whole rows
    EXPECT_EQ(Shown(), (Texts{"apple"}));
    grid->NarrowDown("", 1);
    EXPECT_EQ(Shown(), (Texts{"apple", "apricot", "banana", "grape"}));
    EXPECT_EQ(grid->NumHiddenRows(), 0);
}

TEST_F(GridFilter, NodeAndSummaryRowsStayOnlyWhenAsked)
{
    EXPECT_FALSE(grid->FilterNormalCellsOnly());
    Fill({"group", "x", "y"});
    grid->AddNode(1, 3);
    grid->SetFilterNormalCellsOnly(true);
    FilterOn("x");
    EXPECT_EQ(Shown(), (Texts{"group", "x"}));
    grid->SetFilterNormalCellsOnly(false);
    FilterOn("x");
    EXPECT_EQ(Shown(), (Texts{"x"}));
}

TEST_F(GridFilter, ProgressCountsTheTestedRows)
{
    Fill({"a", "b", "c", "d"});
    std::vector<int> seen;
    grid->OnFilterProgress = [&](TObject*, short p) { seen.push_back(p); };
    FilterOn("a");
    EXPECT_EQ(seen, (std::vector<int>{25, 50, 75, 100, 100}));
}

// ---- The header filter lists ---------------------------------------------------------------------------------
struct GridFilterList : GridFilter {
    void SetUp() override
    {
        GridFilter::SetUp();
        Fill({"pear", "apple", "pear", "fig"});
        grid->SetFilterDropDownAuto(true);
        grid->SetAutoFilterUpdate(true);
    }
    TPoint ItemPoint(TDropListBase* list, int i) { return {10, i * list->ItemHeight() + list->ItemHeight() / 2}; }
};

// A search's highlight and mark tags stay in the cells; the list offers the cells' own texts.
TEST_F(GridFilterList, EntriesAreThePlainTextsOfHighlightedAndMarkedCells)
{
    grid->SetCells(1, 4, "a<b & c");
    grid->HilightInCol(false, false, "p", 1);
    grid->MarkInCol(false, false, "a", 1);
    ASSERT_NE(grid->Cells(1, 1), String("pear"));
    ASSERT_TRUE(grid->ShowFilterDropDown(1));
    TDropList* list = grid->FilterDropList();
    ASSERT_TRUE(list->Visible());
    Texts entries;
    for (int i = 0; i < list->Items()->Count(); ++i) entries.push_back(list->Items()->Strings(i));
    EXPECT_EQ(entries, (Texts{"(All)", "a<b & c", "apple", "pear"}));
    Simulate::Click(list, ItemPoint(list, 3));
    EXPECT_EQ(Shown().size(), 2u) << "picking an entry finds the highlighted cells it came from";
}

TEST_F(GridFilterList, PickingAValueFiltersAndAllClearsIt)
{
    ASSERT_TRUE(grid->ShowFilterDropDown(1));
    TDropList* list = grid->FilterDropList();
    ASSERT_TRUE(list->Visible());
    EXPECT_EQ(list->Items()->Count(), 4);   // "(All)", apple, fig, pear
    EXPECT_EQ(list->Items()->Strings(0), String("(All)"));
    bool done = false;
    grid->OnFilterDone = [&](TObject*) { done = true; };
    Simulate::Click(list, ItemPoint(list, 3));
    EXPECT_FALSE(list->Visible());
    EXPECT_TRUE(done);
    EXPECT_EQ(Shown(), (Texts{"pear", "pear"}));

    grid->ShowFilterDropDown(1);
    list->SetItemIndex(0);
    Simulate::Key(list, Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_FALSE(list->Visible());
    EXPECT_EQ(Shown(), (Texts{"pear", "apple", "pear", "fig"}));
    EXPECT_FALSE(grid->Filter()->HasFilter(1));
}

TEST_F(GridFilterList, ClosingWithoutAChoiceChangesNothing)
{
    ASSERT_TRUE(grid->ShowFilterDropDown(1));
    TDropList* list = grid->FilterDropList();
    Simulate::Key(list, Qt::Key_Escape);
    EXPECT_FALSE(list->Visible());
    EXPECT_EQ(Shown(), (Texts{"pear", "apple", "pear", "fig"}));
    EXPECT_EQ(grid->Filter()->Count(), 0);
    EXPECT_FALSE(grid->FilterActive());
}

TEST_F(GridFilterList, TickingReappliesAtEachTickAndKeepsTheListOpen)
{
    grid->SetFilterDropDownCheck(true);
    ASSERT_TRUE(grid->ShowFilterDropDown(1));
    TDropCheckList* list = grid->FilterDropCheckList();
    ASSERT_TRUE(list->Visible());
    Simulate::Click(list, ItemPoint(list, 1));   // apple
    EXPECT_TRUE(list->Visible());
    EXPECT_EQ(Shown(), (Texts{"apple"}));
    Simulate::Click(list, ItemPoint(list, 2));   // fig
    EXPECT_EQ(Shown(), (Texts{"apple", "fig"}));
    Simulate::Click(list, ItemPoint(list, 1));   // apple cleared
    EXPECT_EQ(Shown(), (Texts{"fig"}));
    EXPECT_TRUE(list->Visible());
}

TEST_F(GridFilterList, AChoiceOutsideTheListOrColumnIsIgnored)
{
    grid->SelectFilterValue(1, 99);
    grid->SelectFilterValue(99, 0);
    grid->ApplyCheckedFilterEntries(-1);
    EXPECT_EQ(Shown(), (Texts{"pear", "apple", "pear", "fig"}));
    EXPECT_FALSE(grid->FilterActive());
}

}   // namespace
