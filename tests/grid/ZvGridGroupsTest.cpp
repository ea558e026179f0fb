#include "grid/ZvGrid.h"

#include "platform/Forms.h"

#include <gtest/gtest.h>

namespace {

// Column 1 holds the group values, column 2 a label, column 3 a number.
struct TGroupGrid : ::testing::Test {
    TForm form{nullptr};
    TZvStringGrid* grid = nullptr;

    void SetUp() override
    {
        grid = new TZvStringGrid(&form);
        grid->SetParent(&form);
        grid->SortSettings()->SetAutoSortForGrouping(false);
        grid->SetColCount(4);
        Fill({{"A", "a1", "1"}, {"A", "a2", "2"}, {"B", "b1", "6"}});
        grid->SetCellEx(1, 0, "Key");
    }

    void Fill(const std::vector<std::vector<const char*>>& rows)
    {
        grid->SetRowCount(int(rows.size()) + 1);
        for (std::size_t r = 0; r < rows.size(); ++r)
            for (std::size_t c = 0; c < rows[r].size(); ++c) grid->SetCellEx(int(c) + 1, int(r) + 1, rows[r][c]);
    }
};

}  // namespace

TEST_F(TGroupGrid, GroupColumnZeroDoesNothingAndFixedColumnsAreRefused)
{
    grid->SetGroupColumn(0);
    EXPECT_EQ(grid->GroupColumn(), -1);
    EXPECT_EQ(grid->RowCount(), 4);
    grid->Group(0);   // left of the fixed columns
    EXPECT_EQ(grid->NumNodes(), 0);
    grid->SetGroupColumn(1);
    EXPECT_EQ(grid->GroupColumn(), 1);
    grid->SetGroupColumn(-1);
    EXPECT_EQ(grid->GroupColumn(), -1);
    EXPECT_EQ(grid->RowCount(), 4);
}


namespace {

// What one row of a grouped grid is: a header with its span, a summary row,
// or a data row; and the texts of its columns from 1 on.
struct TRowShape {
    int span;   // > 0 a group header, 0 a data row, -1 a summary row
    std::vector<String> texts;
    bool operator==(const TRowShape&) const = default;
};

void PrintTo(const TRowShape& r, std::ostream* os)
{
    *os << (r.span > 0 ? "header " + std::to_string(r.span) : r.span < 0 ? std::string("summary") : std::string("row"));
    for (const String& t : r.texts) *os << " \"" << t.toStdString() << '"';
}

std::vector<TRowShape> Shape(TZvStringGrid* grid)
{
    std::vector<TRowShape> out;
    for (int r = grid->FixedRows(); r < grid->RowCount(); ++r) {
        TRowShape row{grid->IsNode(r) ? grid->GetNodeSpan(r) : grid->IsSummary(r) ? -1 : 0, {}};
        for (int c = 1; c < grid->ColCount(); ++c) row.texts.push_back(grid->GetCellEx(c, r));
        out.push_back(row);
    }
    return out;
}

// Rows of the grouped fixture, whose grouped column has left: columns 1 and 2.
TRowShape Header(int span, const char* value) { return {span, {value, ""}}; }
TRowShape Data(const char* label, const char* number) { return {0, {label, number}}; }
TRowShape Summary() { return {-1, {"", ""}}; }

}  // namespace

TEST_F(TGroupGrid, GroupsEqualValuesUnderHeadersWithAndWithoutSummaries)
{
    struct Case {
        bool summary;
        std::vector<TRowShape> rows;
    };
    const Case cases[] = {
        {false, {Header(3, "A"), Data("a1", "1"), Data("a2", "2"), Header(2, "B"), Data("b1", "6")}},
        {true,
         {Header(3, "A"), Data("a1", "1"), Data("a2", "2"), Summary(), Header(2, "B"), Data("b1", "6"), Summary()}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.summary ? "with summary" : "without summary");
        SetUp();
        grid->Grouping()->SetSummary(c.summary);
        grid->SetColWidths(1, 77);
        grid->Group(1);
        EXPECT_EQ(grid->GroupColumn(), 1);
        EXPECT_EQ(grid->ColCount(), 3) << "the grouped column leaves the grid";
        EXPECT_EQ(grid->GetCellEx(1, 0), String()) << "the caption went with its column";
        EXPECT_EQ(grid->NumNodes(), 2);
        EXPECT_EQ(Shape(grid), c.rows);
        EXPECT_EQ(grid->Row(), 1);

        grid->UnGroup();
        EXPECT_EQ(grid->GroupColumn(), -1);
        EXPECT_EQ(grid->NumNodes(), 0);
        EXPECT_EQ(grid->ColCount(), 4);
        EXPECT_EQ(grid->ColWidths(1), 77);
        EXPECT_EQ(grid->GetCellEx(1, 0), String("Key"));
        const std::vector<TRowShape> restored{
            {0, {"A", "a1", "1"}}, {0, {"A", "a2", "2"}}, {0, {"B", "b1", "6"}}};
        EXPECT_EQ(Shape(grid), restored);
    }
}

TEST_F(TGroupGrid, UngroupingBringsBackContractedGroupsAndFooters)
{
    Fill({{"A", "a1", "1"}, {"A", "a2", "2"}, {"B", "b1", "6"}, {"footer", "", "9"}});
    grid->SetFixedFooters(1);
    grid->Grouping()->SetSummary(true);
    grid->Group(1);
    ASSERT_EQ(grid->RowCount(), 9);
    EXPECT_EQ(grid->GetCellEx(2, 8), String("9")) << "the footer stays last";
    grid->ContractNode(1);
    EXPECT_TRUE(grid->GetNodeState(1)) << "contracted";
    EXPECT_EQ(grid->RowCount(), 7);

    grid->SetGroupColumn(-1);
    EXPECT_EQ(grid->NumNodes(), 0);
    EXPECT_EQ(grid->NumHiddenRows(), 0);
    ASSERT_EQ(grid->RowCount(), 5);
    const char* expected[][3] = {{"A", "a1", "1"}, {"A", "a2", "2"}, {"B", "b1", "6"}, {"footer", "", "9"}};
    for (int r = 1; r <= 4; ++r)
        for (int c = 1; c <= 3; ++c) EXPECT_EQ(grid->GetCellEx(c, r), String(expected[r - 1][c - 1])) << c << ',' << r;
}

TEST_F(TGroupGrid, AnotherColumnGroupsByItsOwnValuesAndGroupingAgainUngroupsFirst)
{
    Fill({{"x", "L", "1"}, {"y", "L", "2"}, {"z", "M", "3"}});
    grid->Group(1);
    grid->SetGroupColumn(2);   // regroups from the original rows
    EXPECT_EQ(grid->GroupColumn(), 2);
    const std::vector<TRowShape> rows{
        Header(3, "L"), Data("x", "1"), Data("y", "2"), Header(2, "M"), Data("z", "3")};
    EXPECT_EQ(Shape(grid), rows);
}

TEST_F(TGroupGrid, TheOldSentinelTextGroupsLikeAnyOtherValue)
{
    const String odd = QString(QChar(0xFF)) + QChar(0xFE);
    Fill({{"", "e", "1"}, {"", "f", "2"}, {"x", "g", "3"}});
    grid->SetCellEx(1, 1, odd);
    grid->SetCellEx(1, 2, odd);
    grid->Group(1);
    ASSERT_EQ(grid->NumNodes(), 2);
    EXPECT_EQ(grid->GetNodeSpan(1), 3);
    EXPECT_EQ(grid->GetCellEx(1, 1), odd);
    grid->UnGroup();
    EXPECT_EQ(grid->GetCellEx(1, 2), odd);
}

TEST_F(TGroupGrid, RowObjectsTravelWithTheirRows)
{
    grid->AddCheckBox(3, 2, true, false);
    grid->Group(1);
    // a2 stands at row 3 below the header of A; its number column is now column 2.
    bool state = false;
    ASSERT_TRUE(grid->GetCheckBoxState(2, 3, state));
    EXPECT_TRUE(state);
    EXPECT_FALSE(grid->GetCheckBoxState(2, 2, state));
    grid->UnGroup();
    ASSERT_TRUE(grid->GetCheckBoxState(3, 2, state));
    EXPECT_TRUE(state);
}

TEST_F(TGroupGrid, GroupCalculationsWriteIntoHeadersOrSummaries)
{
    Fill({{"A", "a1", "1"}, {"A", "a2", "2"}, {"B", "b1", "6"}, {"B", "b2", "4"}});
    struct Case {
        bool summary;
        int rowA, rowB;   // where the results of A and B go
    };
    for (const Case& c : {Case{false, 1, 4}, Case{true, 4, 8}}) {
        SCOPED_TRACE(c.summary ? "with summary" : "without summary");
        grid->UnGroup();
        grid->Grouping()->SetSummary(c.summary);
        grid->Group(1);
        grid->GroupCount(2);
        EXPECT_EQ(grid->GetInts(2, c.rowA), 2);
        EXPECT_EQ(grid->GetInts(2, c.rowB), 2);
        grid->GroupSum(2);
        EXPECT_DOUBLE_EQ(grid->GetFloats(2, c.rowA), 3.0);
        grid->GroupAvg(2);
        EXPECT_DOUBLE_EQ(grid->GetFloats(2, c.rowA), 1.5);
        grid->GroupMax(2);
        EXPECT_DOUBLE_EQ(grid->GetFloats(2, c.rowB), 6.0);
    }
}

TEST_F(TGroupGrid, CalculationsPassOverContractedGroups)
{
    grid->Grouping()->SetSummary(true);
    grid->Group(1);
    grid->ContractNode(1);   // A: its rows and its summary follow the header
    grid->GroupCount(2);
    EXPECT_EQ(grid->GetCellEx(2, 1), String());
    const int bHeader = grid->RowCount() - 3;
    ASSERT_TRUE(grid->IsNode(bHeader));
    EXPECT_EQ(grid->GetInts(2, bHeader + 2), 1);
}

TEST_F(TGroupGrid, NewHeaderAndSummaryRowsStartEmpty)
{
    // Rows once written and then cut off must not come back as group rows.
    grid->SetRowCount(12);
    for (int r = 4; r < 12; ++r)
        for (int c = 0; c < 4; ++c) grid->SetCellEx(c, r, "stale");
    grid->AddCheckBox(2, 6, true, false);
    grid->SetRowCount(4);
    grid->Grouping()->SetSummary(true);
    grid->Group(1);
    const std::vector<TRowShape> rows{Header(3, "A"), Data("a1", "1"), Data("a2", "2"), Summary(),
                                      Header(2, "B"), Data("b1", "6"), Summary()};
    EXPECT_EQ(Shape(grid), rows);
    for (int r = 1; r < grid->RowCount(); ++r) EXPECT_EQ(grid->GetCellEx(0, r), String()) << r;
    bool state = false;
    EXPECT_FALSE(grid->GetCheckBoxState(1, 6, state));
}
