// Sorting the grid's rows: how cells compare, which rows move and which stay,
// undoing sorts, indexed and grouped sorts, and what a failing comparison leaves.

#include "tests/common/TestSeams.h"
#include "tests/common/TestUtil.h"

#include "grid/ZvGrid.h"
#include "platform/Forms.h"
#include "platform/Regional.h"
#include "platform/ScopeGuard.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

namespace {

struct GridSort : ::testing::Test {
    TTestSeams seams;
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
    TZvStringGrid* grid = nullptr;
    TFormatSettings savedFormat = FormatSettings();

    void SetUp() override
    {
        form->SetBounds(0, 0, 480, 320);
        grid = new TZvStringGrid(form.get());
        grid->SetParent(form.get());
        grid->SetBounds(0, 0, 460, 300);
        form->Show();
    }
    void TearDown() override { SetFormatSettings(savedFormat); }

    // Column 1 gets the values, column 2 the row's original position.
    void Fill(const std::vector<String>& values, int cols = 3)
    {
        grid->SetColCount(cols);
        grid->SetRowCount(int(values.size()) + 1);
        for (int i = 0; i < int(values.size()); ++i) {
            grid->SetCells(1, i + 1, values[std::size_t(i)]);
            grid->SetCells(2, i + 1, QString::number(i));
        }
    }
    std::vector<String> Column(int c)
    {
        std::vector<String> out;
        for (int r = grid->FixedRows(); r < grid->RowCount(); ++r) out.push_back(grid->Cells(c, r));
        return out;
    }
};

using Texts = std::vector<String>;

TEST_F(GridSort, CellsCompareByTheirStyle)
{
    struct Case {
        const char* Name;
        std::optional<TSortStyle> Style;   // none: the automatic choice
        bool IgnoreCase;
        QChar DateSep;
        Texts In, Ascending;
    };
    const Case cases[] = {
        {"numbers by value, an empty cell as zero", {}, false, u'/', {"10", "9", ""}, {"", "9", "10"}},
        {"exponents are numbers", {}, false, u'/', {"1e3", "20", "3.5"}, {"3.5", "20", "1e3"}},
        {"text by code unit", {}, false, u'/', {"abc", "ABC", "b"}, {"ABC", "abc", "b"}},
        {"text without case keeps equal rows in order", {}, true, u'/', {"abc", "ABC", "Ab"}, {"Ab", "abc", "ABC"}},
        {"dates under a dot", {}, false, u'.', {"02.01.2020", "15.01.2019", "01.02.2020"},
         {"15.01.2019", "02.01.2020", "01.02.2020"}},
        {"dates under a slash", {}, false, u'/', {"02/01/2020", "15/01/2019", "01/02/2020"},
         {"15/01/2019", "02/01/2020", "01/02/2020"}},
        {"times", {}, false, u'/', {"10:30", "9:15", "23:59"}, {"9:15", "10:30", "23:59"}},
        {"month-first dates", TSortStyle::ssShortDateUS, false, u'/', {"12/31/2019", "01/02/2020", "bad"},
         {"bad", "12/31/2019", "01/02/2020"}},
        {"day-first dates", TSortStyle::ssShortDateEU, false, u'/', {"31-12-2019", "01-02-2020", "02-01-2020"},
         {"31-12-2019", "02-01-2020", "01-02-2020"}},
        {"financial drops thousands", TSortStyle::ssFinancial, false, u'/', {"1,000.5", "999", "12,000"},
         {"999", "1,000.5", "12,000"}},
        {"markup sorts by its text", TSortStyle::ssHTML, false, u'/', {"<b>c</b>", "a", "<i>b</i>"},
         {"a", "<i>b</i>", "<b>c</b>"}},
        {"alphanumeric falls back to text", TSortStyle::ssAlphaNumeric, false, u'/', {"b2", "10", "a1"},
         {"10", "a1", "b2"}},
        {"numbers not by their text", TSortStyle::ssAlphaNumeric, false, u'/', {"10", "9"}, {"9", "10"}},
    };
    for (const Case& c : cases) {
        TFormatSettings fs = savedFormat;
        fs.DateSeparator = c.DateSep;
        fs.ShortDateFormat = c.DateSep == u'.' ? "dd.mm.yyyy" : "dd/mm/yyyy";
        SetFormatSettings(fs);
        grid->SortSettings()->SetIgnoreCase(c.IgnoreCase);
        grid->SortSettings()->SetAutoFormat(true);
        grid->OnGetFormat = [&](TObject*, int, TSortStyle& Style, String&, String&) {
            if (c.Style) Style = *c.Style;
        };
        Fill(c.In);
        grid->Sort(1, TSortDirection::sdAscending);
        EXPECT_EQ(Column(1), c.Ascending) << c.Name;
        Texts descending(c.Ascending.rbegin(), c.Ascending.rend());
        grid->Sort(1, TSortDirection::sdDescending);
        // Equal rows keep their order in both directions, so only strict orders reverse.
        if (!c.IgnoreCase) EXPECT_EQ(Column(1), descending) << c.Name;
    }
}

TEST_F(GridSort, PrefixAndSuffixAreCutBeforeNumbersCompare)
{
    grid->OnGetFormat = [](TObject*, int, TSortStyle& Style, String& Prefix, String& Suffix) {
        Style = TSortStyle::ssNumeric;
        Prefix = "$";
        Suffix = " kg";
    };
    Fill({"$10 kg", "$9 kg", "$100 kg"});
    grid->Sort(1, TSortDirection::sdAscending);
    EXPECT_EQ(Column(1), (Texts{"$9 kg", "$10 kg", "$100 kg"}));
}

TEST_F(GridSort, BlanksStayFirstOrLastWhateverTheDirection)
{
    struct Case {
        TSortBlankPosition Pos;
        TSortDirection Dir;
        Texts Expected;
    } cases[] = {
        {TSortBlankPosition::blFirst, TSortDirection::sdAscending, {"", "", "a", "b"}},
        {TSortBlankPosition::blFirst, TSortDirection::sdDescending, {"", "", "b", "a"}},
        {TSortBlankPosition::blLast, TSortDirection::sdAscending, {"a", "b", "", ""}},
        {TSortBlankPosition::blLast, TSortDirection::sdDescending, {"b", "a", "", ""}},
    };
    grid->SortSettings()->SetIgnoreBlanks(true);
    for (const Case& c : cases) {
        grid->SortSettings()->SetBlankPos(c.Pos);
        Fill({"b", "", "a", ""});
        grid->Sort(1, c.Dir);
        EXPECT_EQ(Column(1), c.Expected);
    }
}

TEST_F(GridSort, EqualCellsAreDecidedByTheColumnsToTheRightOnlyWithFull)
{
    Fill({"x", "x", "a"}, 4);
    grid->SetCells(3, 1, "2");
    grid->SetCells(3, 2, "1");
    grid->SetCells(2, 1, "k");
    grid->SetCells(2, 2, "k");
    grid->SetCells(0, 1, "z");   // left of the sort column: never decides
    grid->Sort(1, TSortDirection::sdAscending);
    EXPECT_EQ(Column(3), (Texts{"", "1", "2"}));

    Fill({"x", "x", "a"}, 4);
    grid->SetCells(3, 1, "2");
    grid->SetCells(3, 2, "1");
    grid->SetCells(3, 3, "");
    grid->SortSettings()->SetFull(false);
    grid->Sort(1, TSortDirection::sdAscending);
    EXPECT_EQ(Column(3), (Texts{"", "2", "1"})) << "without Full equal rows keep their order";
}

TEST_F(GridSort, UnsortBringsBackTheOrderBeforeTheFirstSort)
{
    Fill({"c", "a", "d", "b"});
    grid->SetRowHeights(1, 40);
    grid->Sort(1, TSortDirection::sdAscending);
    EXPECT_EQ(Column(1), (Texts{"a", "b", "c", "d"}));
    EXPECT_EQ(grid->RowHeights(3), 40) << "a row's height moves with it";
    grid->Sort(1, TSortDirection::sdDescending);
    grid->Sort(2, TSortDirection::sdDescending);
    grid->QUnSort();
    EXPECT_EQ(Column(1), (Texts{"c", "a", "d", "b"}));
    EXPECT_EQ(grid->RowHeights(1), 40);
    for (int r = 0; r < grid->RowCount(); ++r) EXPECT_EQ(grid->SortRowXRef()->Items(r), r);
}

TEST_F(GridSort, NothingHappensWithoutAColumnOrWithOneRow)
{
    Fill({"b", "a"});
    grid->SortSettings()->SetColumn(-1);
    grid->QSort();
    EXPECT_EQ(Column(1), (Texts{"b", "a"}));
    grid->SetRowCount(1);
    grid->SetCells(1, 0, "z");
    grid->SortByColumn(1);
    EXPECT_EQ(grid->Cells(1, 0), String("z"));
}

TEST_F(GridSort, HeaderFooterAndFixedColumnStayHiddenColumnsMove)
{
    Fill({"c", "a", "b", "FOOT"}, 4);
    grid->SetCells(1, 0, "head");
    grid->SetFixedFooters(1);
    for (int r = 1; r <= 4; ++r) {
        grid->SetCells(3, r, "h" + grid->Cells(1, r));
        grid->SetCells(0, r, QString::number(r));
    }
    grid->HideColumn(3);
    grid->SortSettings()->SetNormalCellsOnly(true);
    grid->Sort(1, TSortDirection::sdAscending);
    EXPECT_EQ(Column(1), (Texts{"a", "b", "c", "FOOT"}));
    EXPECT_EQ(grid->Cells(1, 0), String("head"));
    EXPECT_EQ(Column(0), (Texts{"1", "2", "3", "4"})) << "column 0 stays with NormalCellsOnly";
    EXPECT_EQ(grid->GetGridCell(3, 1), String("ha")) << "a hidden column moves with its row";
    EXPECT_EQ(grid->GetGridCell(3, 3), String("hc"));
}

TEST_F(GridSort, IndexedSortUsesEveryKeyWithItsOwnDirection)
{
    Fill({"b", "a", "b", "a"});
    grid->SetCells(2, 1, "1");
    grid->SetCells(2, 2, "1");
    grid->SetCells(2, 3, "2");
    grid->SetCells(2, 4, "2");
    EXPECT_THROW(
        {
            try {
                grid->QSortIndexed();
            } catch (const EZvGridError& e) {
                EXPECT_EQ(e.Message(), String("No indexes specified for indexed sort"));
                throw;
            }
        },
        EZvGridError);
    EXPECT_EQ(Column(1), (Texts{"b", "a", "b", "a"}));
    grid->SortIndexes()->AddIndex(1, true);
    grid->SortIndexes()->AddIndex(2, false);
    grid->QSortIndexed();
    EXPECT_EQ(Column(1), (Texts{"a", "a", "b", "b"}));
    EXPECT_EQ(Column(2), (Texts{"2", "1", "2", "1"}));
}

TEST_F(GridSort, GroupSortOrdersChildrenInsideEachExpandedNode)
{
    Fill({"g1", "c", "a", "b", "g2", "z", "y"});
    grid->AddNode(1, 4);
    grid->AddNode(5, 3);
    grid->Sort(1, TSortDirection::sdAscending);   // plain sort first would move nodes: use the grouped one
    Fill({"g1", "c", "a", "b", "g2", "z", "y"});
    grid->AddNode(1, 4);
    grid->AddNode(5, 3);
    grid->SortSettings()->SetColumn(1);
    grid->QSortGroup();
    EXPECT_EQ(Column(1), (Texts{"g1", "a", "b", "c", "g2", "y", "z"}));
}

TEST_F(GridSort, AThrowingComparisonLeavesTheGridWhole)
{
    Fill({"c", "a", "b", "d"});
    grid->SortSettings()->SetNormalCellsOnly(true);
    for (int r = 1; r <= 4; ++r) grid->SetCells(0, r, QString::number(r));
    const int rows = grid->RowCount(), updates = grid->UpdateCount();
    int calls = 0;
    grid->OnGetFormat = [](TObject*, int, TSortStyle& Style, String&, String&) { Style = TSortStyle::ssCustom; };
    grid->OnCustomCompare = [&](TObject*, const String&, const String&, int&) {
        if (++calls == 3) throw EZvGridError("compare failed");
    };
    EXPECT_THROW(grid->Sort(1, TSortDirection::sdAscending), EZvGridError);
    EXPECT_EQ(grid->RowCount(), rows);
    EXPECT_EQ(grid->UpdateCount(), updates);
    EXPECT_EQ(Column(1), (Texts{"c", "a", "b", "d"}));
    EXPECT_EQ(Column(0), (Texts{"1", "2", "3", "4"}));

    grid->OnGetFormat = [](TObject*, int, TSortStyle&, String&, String&) { throw EZvGridError("format failed"); };
    EXPECT_THROW(grid->Sort(1, TSortDirection::sdAscending), EZvGridError);
    EXPECT_EQ(grid->UpdateCount(), updates);
    EXPECT_EQ(grid->RowCount(), rows);
}

TEST_F(GridSort, AContradictingComparisonLosesAndDoublesNoRow)
{
    std::vector<String> values;
    for (int i = 0; i < 200; ++i) values.push_back(QString::number(i));
    Fill(values);
    grid->OnGetFormat = [](TObject*, int, TSortStyle& Style, String&, String&) { Style = TSortStyle::ssCustom; };
    unsigned seed = 7;
    grid->OnCustomCompare = [&](TObject*, const String&, const String&, int& Res) {
        seed = seed * 1103515245u + 12345u;
        Res = int((seed >> 16) % 3) - 1;
    };
    grid->Sort(1, TSortDirection::sdAscending);
    Texts after = Column(1);
    std::sort(after.begin(), after.end());
    std::sort(values.begin(), values.end());
    EXPECT_EQ(after, values);
}

TEST_F(GridSort, AMillionRowsInAnAdversarialOrderSort)
{
    const int n = 1000000;
    grid->SetColCount(2);
    grid->SetRowCount(n + 1);
    // Organ pipe: rising then falling, the classic trap for a middle pivot.
    for (int i = 0; i < n; ++i) grid->SetCells(1, i + 1, QString::number(i < n / 2 ? i : n - i));
    grid->Sort(1, TSortDirection::sdAscending);
    for (int r = 2; r <= n; r += 997)
        ASSERT_LE(grid->Cells(1, r - 1).toInt(), grid->Cells(1, r).toInt()) << r;
    EXPECT_EQ(grid->Cells(1, n).toInt(), n / 2);
}

TEST_F(GridSort, CurrentRowStaysOrFollowsItsRow)
{
    Fill({"c", "a", "b"});
    int changedFrom = -1, changedTo = -1;
    grid->OnRowChanged = [&](TObject*, int From, int To) {
        changedFrom = From;
        changedTo = To;
    };
    grid->SetRow(1);
    grid->Sort(1, TSortDirection::sdAscending);
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_EQ(changedFrom, 1);
    EXPECT_EQ(changedTo, 1);
    grid->Navigation()->SetMoveRowOnSort(true);
    grid->SetRow(1);   // holds "a"
    grid->Sort(1, TSortDirection::sdDescending);
    EXPECT_EQ(grid->Cells(1, grid->Row()), String("a"));
}

TEST_F(GridSort, SortLineSwapsRowsOutOfOrder)
{
    Fill({"b", "a"});
    EXPECT_TRUE(grid->SortLine(1, 1, 2));
    EXPECT_EQ(Column(1), (Texts{"a", "b"}));
    EXPECT_FALSE(grid->SortLine(1, 1, 2));
    EXPECT_EQ(grid->CompareCells(1, 1, 2, TSortDirection::sdAscending), -1);
}

}   // namespace

// A whole-column sort converts each key once before ordering; the order it gives
// must be the one the cell-by-cell comparison gives, whatever the style, the
// direction, the blanks and the tie-break.
TEST_F(GridSort, WholeColumnSortAgreesWithCellComparisons)
{
    struct Case {
        const char* Name;
        std::optional<TSortStyle> Style;   // none: the automatic choice
        Texts Values;
    } cases[] = {
        {"numbers", TSortStyle::ssNumeric, {"10", "9", "-3.5", "100", "", "9", "abc", "0", "1e3"}},
        {"financial", TSortStyle::ssFinancial, {"1,000", "999", "", "12,5", "-1,000", "7"}},
        {"automatic numbers", std::nullopt, {"10", "9", "-3.5", "100", "9", "0", "2"}},
        {"alphanumeric numbers", TSortStyle::ssAlphaNumeric, {"10", "9", "100", "9", "-1"}},
        {"alphanumeric texts", TSortStyle::ssAlphaNumeric, {"b10", "b9", "a", "B", "", "b9"}},
        {"long shared heads", TSortStyle::ssAlphabetic,
         {"abcdefghij2", "abcdefghij10", "abcdefgh", "abcdefghi", "ABCdefgh", "b", "", QString::fromUtf8("a\xc3\xa9"),
          "abcdefgh", QString::fromUtf16(u"abc\u0000d", 5), "abc", QString::fromUtf8("\xf0\x9f\x98\x80"), QString(QChar(0xffff))}},
        {"no case", TSortStyle::ssAlphaNoCase,
         {"beta", "Alpha", "alpha", "ALPHABETICAL", "", QString::fromUtf8("stra\xc3\x9f" "e"), "STRASSE", "b"}},
        {"automatic texts", std::nullopt, {"pear", "Apple", "apple", "fig", "", "figs"}},
        {"dates", TSortStyle::ssDate, {"01.02.2020", "31.01.2020", "", "01.01.2019", "x", "15.06.2020"}},
        {"automatic dates", std::nullopt, {"01.02.2020", "31.01.2020", "01.01.2019", "15.06.2020"}},
        {"times", TSortStyle::ssTime, {"12:30", "9:05", "23:59:59", "", "00:00"}},
        {"short dates EU", TSortStyle::ssShortDateEU, {"01/02/2020", "02/01/2020", "", "31/12/2019"}},
        {"short dates US", TSortStyle::ssShortDateUS, {"01/02/2020", "02/01/2020", "", "12/31/2019"}},
    };
    TFormatSettings fs = FormatSettings();
    fs.DateSeparator = u'.';
    fs.ShortDateFormat = "dd.mm.yyyy";
    fs.TimeSeparator = u':';
    fs.DecimalSeparator = u'.';
    fs.ThousandSeparator = u',';
    SetFormatSettings(fs);
    const int cols = 4;   // 1 the values, 2 a coarse tie-break, 3 the original place
    for (const Case& c : cases) {
        for (const bool full : {false, true})
            for (const bool ignoreBlanks : {false, true})
                for (const TSortBlankPosition pos : {TSortBlankPosition::blFirst, TSortBlankPosition::blLast})
                    for (const TSortDirection dir : {TSortDirection::sdAscending, TSortDirection::sdDescending}) {
                        grid->OnGetFormat = [&c](TObject*, int ACol, TSortStyle& Style, String&, String&) {
                            if (ACol == 1 && c.Style) Style = *c.Style;
                        };
                        grid->SortSettings()->SetColumn(1);
                        grid->SortSettings()->SetFull(full);
                        grid->SortSettings()->SetIgnoreBlanks(ignoreBlanks);
                        grid->SortSettings()->SetBlankPos(pos);
                        grid->SortSettings()->SetDirection(dir);
                        const int n = int(c.Values.size());
                        grid->SetColCount(cols);
                        grid->SetRowCount(n + 1);
                        for (int i = 0; i < n; ++i) {
                            grid->SetCells(1, i + 1, c.Values[std::size_t(i)]);
                            grid->SetCells(2, i + 1, QString::number(i % 2));
                            grid->SetCells(3, i + 1, QString::number(i));
                        }
                        std::vector<int> expected(static_cast<std::size_t>(n));
                        for (int i = 0; i < n; ++i) expected[std::size_t(i)] = i + 1;
                        const int sign = dir == TSortDirection::sdDescending ? -1 : 1;
                        std::stable_sort(expected.begin(), expected.end(), [&](int a, int b) {
                            for (int col = 1; col < cols; ++col) {
                                const int res = grid->CompareCells(col, a, b, dir);
                                if (res != 0 || !full || col > cols - 2) return sign * res < 0;
                            }
                            return false;
                        });
                        grid->QSort();
                        Texts want, got = Column(3);
                        for (int r : expected) want.push_back(QString::number(r - 1));
                        EXPECT_EQ(got, want) << c.Name << " full " << full << " blanks " << ignoreBlanks << " pos "
                                             << int(pos) << " dir " << int(dir);
                        grid->OnGetFormat = nullptr;
                    }
    }
}
