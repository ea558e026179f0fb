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

    std::vector<String> Column1() const
    {
        std::vector<String> texts;
        for (int r = 1; r < grid->RowCount(); ++r) texts.push_back(grid->GetCellEx(1, r));
        return texts;
    }
};

std::vector<String> Texts(std::initializer_list<const char*> list)
{
    std::vector<String> out;
    for (const char* s : list) out.push_back(s);
    return out;
}

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

TEST_F(TNodeGrid, ContractingAndExpandingKeepsTextsPropertiesAndHeights)
{
    grid->SetRowHeights(3, 40);
    grid->GetCellProperties(2, 3)->SetBrushColor(clYellow);
    grid->AddNode(2, 4);   // covers 2..5
    grid->SetNodeState(2, true);
    EXPECT_TRUE(grid->GetNodeState(2));
    EXPECT_EQ(grid->RowCount(), 7);
    EXPECT_EQ(Column1(), Texts({"r1", "r2", "r6", "r7", "r8", "r9"}));

    grid->SetNodeState(2, false);
    EXPECT_EQ(grid->RowCount(), 10);
    EXPECT_EQ(Column1(), Texts({"r1", "r2", "r3", "r4", "r5", "r6", "r7", "r8", "r9"}));
    EXPECT_EQ(grid->RowHeights(3), 40);
    EXPECT_EQ(grid->GetCellProperties(2, 3)->BrushColor(), clYellow);
    EXPECT_FALSE(grid->GetNodeState(2));
}

TEST_F(TNodeGrid, ASpanOfOneHidesNothing)
{
    grid->AddNode(4, 1);
    grid->ContractNode(4);
    EXPECT_TRUE(grid->GetNodeState(4));
    EXPECT_EQ(grid->RowCount(), 10);
}

// A nested node that is contracted is marked expanded when its parent contracts;
// expanding the parent brings back the rows of both.
TEST_F(TNodeGrid, NestedContractedNodes)
{
    grid->AddNode(2, 5);   // 2..6
    grid->AddNode(3, 2);   // 3..4
    grid->ContractNode(3);
    EXPECT_EQ(Column1(), Texts({"r1", "r2", "r3", "r5", "r6", "r7", "r8", "r9"}));
    grid->ContractNode(2);
    EXPECT_EQ(Column1(), Texts({"r1", "r2", "r7", "r8", "r9"}));
    grid->ExpandNode(2);
    EXPECT_EQ(Column1(), Texts({"r1", "r2", "r3", "r4", "r5", "r6", "r7", "r8", "r9"}));
    EXPECT_FALSE(grid->GetNodeState(3));
    EXPECT_EQ(grid->GetParentRow(4), 3);

    grid->ContractAll();
    EXPECT_EQ(Column1(), Texts({"r1", "r2", "r7", "r8", "r9"}));
    grid->ExpandAll();
    EXPECT_EQ(grid->RowCount(), 10);
}

TEST_F(TNodeGrid, ExpandingOneContractsTheOthers)
{
    grid->AddNode(1, 3);   // 1..3
    grid->AddNode(4, 3);   // 4..6
    grid->CellNode()->SetExpandOne(true);
    grid->ContractNode(1);
    grid->ContractNode(4);
    grid->ExpandNode(1);
    EXPECT_FALSE(grid->GetNodeState(1));
    EXPECT_EQ(Column1(), Texts({"r1", "r2", "r3", "r4", "r7", "r8", "r9"}));
    grid->ExpandNode(4);   // real row 4; the first node contracts
    EXPECT_TRUE(grid->GetNodeState(1));
    EXPECT_EQ(Column1(), Texts({"r1", "r4", "r5", "r6", "r7", "r8", "r9"}));
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
