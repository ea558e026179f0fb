#include "grid/ZvGrid.h"

#include "platform/Forms.h"

#include <gtest/gtest.h>

namespace {

// Rows 1 to 9 hold "r1" to "r9" in column 1.
struct TNodeGrid : ::testing::Test {
    TForm form{nullptr};
    TZvStringGrid* grid = nullptr;

    void SetUp() override
    {
        grid = new TZvStringGrid(&form);
        grid->SetParent(&form);
        grid->SetColCount(3);
        grid->SetRowCount(10);
        for (int r = 1; r < 10; ++r) grid->SetCellEx(1, r, "r" + IntToStr(r));
    }
};


}  // namespace

TEST_F(TNodeGrid, ParentRowsOfAShallowTree)
{
    EXPECT_EQ(grid->GetParentRow(5), -1);   // no nodes yet
    grid->AddNode(2, 4);                     // 2..5
    grid->AddNode(3, 2);                     // 3..4, nested
    grid->AddNode(7, 3);                     // 7..9
    struct Case {
        int row, parent;
    };
    const Case cases[] = {{1, -1}, {2, 2}, {3, 2}, {4, 3}, {5, 2}, {6, -1}, {7, 7}, {8, 7}, {9, 7}};
    for (const Case& c : cases) EXPECT_EQ(grid->GetParentRow(c.row), c.parent) << c.row;

    EXPECT_EQ(grid->GetNodeLevel(2), 1);
    EXPECT_EQ(grid->GetNodeLevel(3), 2);
    EXPECT_EQ(grid->GetNodeLevel(4), -1);   // not a node row
    EXPECT_EQ(grid->GetNodeSpan(3), 2);
    EXPECT_EQ(grid->GetNodeSpan(4), -1);
    EXPECT_EQ(grid->NumNodes(), 3);
    EXPECT_EQ(grid->GetNodeSpanType(2), 0);
    EXPECT_EQ(grid->GetNodeSpanType(4), 1);   // the nested branch ends here
    EXPECT_EQ(grid->GetNodeSpanType(8), 2);
}

TEST_F(TNodeGrid, AddingANodeMovesTheCurrentColumnOffTheButtons)
{
    grid->SetFixedCols(0);
    grid->SetCol(0);
    grid->AddNode(1, 2);
    EXPECT_EQ(grid->Col(), 1);
    const TCellGraphic* g = grid->GetCellGraphic(0, 1);
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->CellType(), TCellType::ctNode);
    EXPECT_EQ(g->CellVar().toInt(), -1);
    EXPECT_EQ(g->CellHAlign(), TCellHAlign::haBeforeText);
    EXPECT_EQ(g->CellVAlign(), TCellVAlign::vaCenter);
    EXPECT_FALSE(grid->GetNodeState(1));
}

TEST_F(TNodeGrid, ASpanOfOneHidesNothing)
{
    grid->AddNode(4, 1);
    grid->ContractNode(4);
    EXPECT_TRUE(grid->GetNodeState(4));
    EXPECT_EQ(grid->RowCount(), 10);
}

TEST_F(TNodeGrid, RemovingNodesRestoresLevelsAndRows)
{
    grid->AddNode(2, 3);
    grid->ContractNode(2);
    grid->RemoveNode(2);
    EXPECT_EQ(grid->RowCount(), 10);
    EXPECT_FALSE(grid->IsNode(2));
    EXPECT_EQ(grid->NumNodes(), 0);
    EXPECT_EQ(grid->GetCellProperties(0, 3)->NodeLevel(), 0);

    grid->AddNode(1, 2);
    grid->AddNode(5, 2);
    grid->ContractNode(5);
    grid->RemoveAllNodes();
    EXPECT_EQ(grid->NumNodes(), 0);
    EXPECT_EQ(grid->RowCount(), 10);
}

TEST_F(TNodeGrid, TheNodeButtonHitZone)
{
    grid->AddNode(2, 2);
    grid->CellNode()->SetNodeType(TNodeType::cnFlat);
    const int indent = grid->CellNode()->NodeIndent();
    // Level 1, flat: strictly between 4 and 4 + indent.
    EXPECT_FALSE(grid->IsInNodeButton(2, 4));
    EXPECT_TRUE(grid->IsInNodeButton(2, 5));
    EXPECT_TRUE(grid->IsInNodeButton(2, 3 + indent));
    EXPECT_FALSE(grid->IsInNodeButton(2, 4 + indent));
    grid->MouseActions()->SetPreciseNodeClick(false);
    EXPECT_TRUE(grid->IsInNodeButton(2, 1000));
}
