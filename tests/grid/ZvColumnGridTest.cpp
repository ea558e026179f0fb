// The column grid: items that follow the real columns, headers written at
// run time, per-column answers, column streams and column positions.

#include "grid/ZvColumnGrid.h"

#include "platform/Forms.h"
#include "platform/Seams.h"

#include "platform/Menus.h"
#include "tests/common/TestSeams.h"
#include "tests/common/TestUtil.h"

#include <QBuffer>
#include <QFile>

#include <gtest/gtest.h>

namespace {

// Opens the protected input steps to the tests.
class TProbeColumnGrid : public TZvColumnGrid {
public:
    using TZvColumnGrid::TZvColumnGrid;
    using TZvColumnGrid::ColumnMovedHook;
    using TZvColumnGrid::GetEditLimit;
    using TZvColumnGrid::MouseDownHook;
};

struct ColumnGridTest : ::testing::Test {
    TForm form{nullptr};
    TProbeColumnGrid* grid = nullptr;

    void SetUp() override
    {
        grid = new TProbeColumnGrid(&form);
        grid->SetParent(&form);
        grid->SetBounds(0, 0, 600, 300);
    }

    TGridColumnItem* Col(int i) { return grid->Columns()->Items(i); }

    // Six columns headed "H0" .. "H5", one fixed row, four data rows with "r<row>c<col>".
    void SixColumns()
    {
        grid->SetColCount(6);
        grid->SetRowCount(5);
        for (int c = 0; c < 6; ++c) {
            Col(c)->SetHeader(QStringLiteral("H%1").arg(c));
            for (int r = 1; r < 5; ++r) grid->SetCellEx(c, r, QStringLiteral("r%1c%2").arg(r).arg(c));
        }
    }
};

TEST_F(ColumnGridTest, NewGridHasOneItemPerColumnWithStartingValues)
{
    ASSERT_EQ(grid->Columns()->Count(), grid->ColCount());
    const TGridColumnItem* c = Col(1);
    EXPECT_EQ(c->Editor(), TEditorType::edNormal);
    EXPECT_EQ(c->CheckTrue(), "Y");
    EXPECT_EQ(c->CheckFalse(), "N");
    EXPECT_EQ(c->DropDownCount(), 8);
    EXPECT_EQ(c->SpinStep(), 1);
    EXPECT_EQ(c->ColumnPopupType(), TColumnPopupType::cpFixedCellsRClick);
    EXPECT_TRUE(c->PrintBorderCustom());
    EXPECT_TRUE(c->PrintFontCustom());
    EXPECT_EQ(c->PrintColor(), clWhite);
    EXPECT_EQ(c->BorderPen()->Color(), TColor(0xC0C0C0));
    EXPECT_EQ(c->PrintBorderPen()->Color(), clBlack);
    EXPECT_EQ(c->PrintBorders(),
              (TCellBorders{TCellBorder::cbTop, TCellBorder::cbLeft, TCellBorder::cbRight, TCellBorder::cbBottom}));
    EXPECT_TRUE(c->Borders().Empty());
    EXPECT_EQ(c->Color(), grid->Color());
    EXPECT_EQ(c->Font()->Name(), grid->Font()->Name());
    EXPECT_EQ(c->DisplayName(), "Column 1");
    Col(1)->SetName("Addr");
    EXPECT_EQ(c->DisplayName(), "Col 1: Addr");
    EXPECT_EQ(grid->GetColumnByName("Addr"), Col(1));
    EXPECT_EQ(grid->GetColumnByName("addr"), nullptr);
    EXPECT_THROW(grid->Columns()->Items(grid->Columns()->Count()), EListError);
    EXPECT_THROW(grid->Columns()->Items(-1), EListError);
}

TEST_F(ColumnGridTest, RaisingColCountAppendsItemsCopyingThePreviousVisuals)
{
    grid->SetColCount(4);
    TPopupMenu menu(&form);
    TGridColumnItem* last = Col(3);
    last->SetEditor(TEditorType::edComboList);
    last->SetReadOnly(true);
    last->SetAlignment(TAlignment::taRightJustify);
    last->SetBorders(TCellBorders{TCellBorder::cbTop});
    last->SetCheckTrue("1");
    last->SetSpinMax(9);
    last->SetColumnPopup(&menu);
    last->SetHeader("Last");
    last->ComboItems()->Add("a");
    last->SetColor(clRed);
    grid->SetColCount(6);
    ASSERT_EQ(grid->Columns()->Count(), 6);
    for (int i : {4, 5}) {
        const TGridColumnItem* c = Col(i);
        EXPECT_EQ(c->Editor(), TEditorType::edComboList) << i;
        EXPECT_TRUE(c->ReadOnly()) << i;
        EXPECT_EQ(c->Alignment(), TAlignment::taRightJustify) << i;
        EXPECT_EQ(c->Borders(), TCellBorders{TCellBorder::cbTop}) << i;
        EXPECT_EQ(c->CheckTrue(), "1") << i;
        EXPECT_EQ(c->SpinMax(), 9) << i;
        EXPECT_EQ(c->ColumnPopup(), &menu) << i;
        EXPECT_EQ(c->Color(), grid->Color()) << i;
        EXPECT_TRUE(c->Header().isEmpty()) << i;
        EXPECT_EQ(c->ComboItems()->Count(), 0) << i;
    }
    grid->SetColCount(3);
    EXPECT_EQ(grid->Columns()->Count(), 3);
}

TEST_F(ColumnGridTest, HeadersWrittenAtRunTimeLandInRowZeroWithoutRecursion)
{
    // A header-list handler that writes back into the items, as the string
    // grid's own change handler does: each write must settle, not loop.
    int changes = 0;
    grid->ColumnHeaders()->OnChange = [&](TObject*) {
        ++changes;
        ASSERT_LT(changes, 100);
        grid->SyncColumnHeaders();
    };
    for (int round = 0; round < 2; ++round)
        for (int c = 0; c < grid->ColCount(); ++c) Col(c)->SetHeader(QStringLiteral("Head %1").arg(c));
    for (int c = 0; c < grid->ColCount(); ++c) {
        EXPECT_EQ(grid->GetCellEx(c, 0), QStringLiteral("Head %1").arg(c));
        EXPECT_EQ(grid->ColumnHeaders()->Strings(c), QStringLiteral("Head %1").arg(c));
    }
    EXPECT_EQ(grid->ColumnHeaders()->Count(), grid->Columns()->Count());
}

TEST_F(ColumnGridTest, ReplacedHeaderLinesReachEveryItemTheLastIncluded)
{
    grid->SetColCount(3);
    grid->ColumnHeaders()->OnChange = nullptr;
    grid->ColumnHeaders()->Clear();
    for (const char* h : {"One", "Two", "Three"}) grid->ColumnHeaders()->Add(h);
    grid->SyncColumnHeaders();
    EXPECT_EQ(Col(0)->Header(), "One");
    EXPECT_EQ(Col(1)->Header(), "Two");
    EXPECT_EQ(Col(2)->Header(), "Three");
    EXPECT_EQ(grid->GetCellEx(2, 0), "Three");
}

TEST_F(ColumnGridTest, HeaderOfAnEmptyItemIsTakenFromItsCell)
{
    grid->SetColCount(3);
    grid->SetCellEx(2, 0, "FromCell");
    Col(0)->SetHeader("A");
    EXPECT_EQ(Col(2)->Header(), "FromCell");
    EXPECT_EQ(grid->ColumnHeaders()->Strings(2), "FromCell");
}

TEST_F(ColumnGridTest, ColumnsAnswerTheCellQueriesOfTheirRealColumn)
{
    SixColumns();
    Col(2)->SetEditor(TEditorType::edDataCheckBox);
    Col(2)->SetCheckTrue("1");
    Col(3)->SetReadOnly(true);
    Col(4)->SetFixed(true);
    Col(5)->SetEditor(TEditorType::edComboEdit);
    grid->OnGetCheckTrue = [](TObject*, int, int, String& v) { v = "event"; };

    struct Case {
        int col;
        TEditorType editor;
        bool editable;
        bool combo;
    } cases[] = {
        {1, TEditorType::edNormal, true, false},      {2, TEditorType::edDataCheckBox, true, false},
        {3, TEditorType::edNormal, false, false},     {4, TEditorType::edNormal, false, false},
        {5, TEditorType::edComboEdit, true, true},
    };
    for (const Case& c : cases) {
        TEditorType e = TEditorType::edNone;
        grid->QueryEditorType(c.col, 1, e);
        EXPECT_EQ(e, c.editor) << c.col;
        bool can = true;
        grid->QueryCellEditable(c.col, 1, can);
        EXPECT_EQ(can, c.editable) << c.col;
        EXPECT_EQ(grid->QueryHasComboBox(c.col, 1), c.combo) << c.col;
    }
    // The column's check text wins over the event for normal cells.
    String t;
    grid->QueryCheckTrue(2, 1, t);
    EXPECT_EQ(t, "1");
    const TCellType type = grid->GetCellType(2, 1);
    EXPECT_TRUE(type == TCellType::ctDataCheckBox || type == TCellType::ctVirtCheckBox) << int(type);
    ASSERT_NE(grid->GetCellGraphic(2, 1), nullptr);
    EXPECT_EQ(grid->GetCellGraphic(2, 1)->CellType(), TCellType::ctVirtCheckBox);
    EXPECT_EQ(grid->GetCellGraphic(1, 1), nullptr);
    // Header cells are not edited through the column.
    bool can = true;
    grid->QueryCellEditable(1, 0, can);
    EXPECT_FALSE(can);
}

TEST_F(ColumnGridTest, DaliShapedGridWithRealColumnsTwoAndThreeHidden)
{
    SixColumns();
    for (int c = 0; c < 6; ++c) Col(c)->SetWidth(40 + c);
    Col(4)->SetEditor(TEditorType::edDataCheckBox);
    Col(4)->SetCheckTrue("1");
    Col(5)->SetReadOnly(true);
    grid->HideColumn(2);
    grid->HideColumn(3);
    if (grid->NumHiddenColumns() != 2) GTEST_SKIP() << "the string grid does not hide columns yet";
    EXPECT_EQ(grid->ColCount(), 4);
    EXPECT_EQ(grid->Columns()->Count(), 6);
    // Displayed column 2 is real column 4: its item answers.
    ASSERT_EQ(grid->RealColIndex(2), 4);
    TEditorType e = TEditorType::edNone;
    grid->QueryEditorType(grid->RealColIndex(2), 1, e);
    EXPECT_EQ(e, TEditorType::edDataCheckBox);
    String t;
    grid->QueryCheckTrue(grid->RealColIndex(2), 1, t);
    EXPECT_EQ(t, "1");
    bool can = true;
    grid->QueryCellEditable(grid->RealColIndex(3), 1, can);
    EXPECT_FALSE(can);
    // Cells by real column, hidden ones included.
    EXPECT_EQ(grid->GetCellEx(3, 2), "r2c3");
    grid->SetCellEx(2, 1, "hidden write");
    EXPECT_EQ(grid->GetCellEx(2, 1), "hidden write");
    // Widths: shown items read the displayed width, hidden ones keep theirs.
    EXPECT_EQ(Col(4)->Width(), 44);
    EXPECT_EQ(grid->ColWidths(2), 44);
    EXPECT_EQ(Col(3)->Width(), 43);
    Col(3)->SetWidth(70);
    EXPECT_EQ(grid->ColWidths(3), 45) << "a hidden column's width waits for it to be shown";
    // A header of a hidden column still lands in its cell, without recursion.
    Col(2)->SetHeader("Later");
    EXPECT_EQ(grid->GetCellEx(2, 0), "Later");
    Col(3)->ComboItems()->Add("x");
    grid->UnHideColumn(3);
    EXPECT_EQ(Col(3)->Width(), 70);
    EXPECT_EQ(grid->Columns()->Count(), 6);
}

TEST_F(ColumnGridTest, RemovingAndInsertingAroundHiddenColumns)
{
    SixColumns();
    grid->HideColumn(3);
    if (grid->NumHiddenColumns() != 1) GTEST_SKIP() << "the string grid does not hide columns yet";
    grid->InsertCols(1, 1);
    EXPECT_TRUE(grid->IsHiddenColumn(4)) << "the hidden column moved with its cells";
    EXPECT_FALSE(grid->IsHiddenColumn(3));
    EXPECT_EQ(grid->GetCellEx(4, 1), "r1c3");
    EXPECT_EQ(grid->Columns()->Count(), grid->ColCount() + grid->NumHiddenColumns());
    // Removing the hidden column lowers the hidden count with it.
    grid->RemoveCols(4, 1);
    EXPECT_EQ(grid->NumHiddenColumns(), 0);
    EXPECT_EQ(grid->ColCount(), 6);
    EXPECT_EQ(grid->Columns()->Count(), 6);
    EXPECT_EQ(grid->GetCellEx(4, 1), "r1c4");
}

TEST_F(ColumnGridTest, AMovedColumnTakesItsOwnItemAlong)
{
    SixColumns();
    TPopupMenu menu(&form);
    Col(1)->SetColumnPopup(&menu);
    Col(1)->SetColumnPopupType(TColumnPopupType::cpNormalCellsLClick);
    Col(1)->SetPrintFontCustom(false);
    std::vector<std::pair<int, int>> moved;
    grid->OnAfterColumnMoved = [&](TObject*, int from, int to) { moved.emplace_back(from, to); };
    grid->ColumnMovedHook(1, 3);
    ASSERT_EQ(moved.size(), 1u);
    EXPECT_EQ(moved[0], std::make_pair(1, 3));
    EXPECT_EQ(Col(3)->Header(), "H1");
    EXPECT_EQ(Col(3)->ColumnPopupType(), TColumnPopupType::cpNormalCellsLClick);
    EXPECT_FALSE(Col(3)->PrintFontCustom());
    EXPECT_EQ(Col(1)->Header(), "H2");
    EXPECT_EQ(grid->Columns()->Count(), 6);
}

TEST_F(ColumnGridTest, CellReadOnlyAndTheEventRefineTheColumnsAnswer)
{
    SixColumns();
    grid->SetReadOnly(1, 2, true);
    bool can = true;
    grid->QueryCellEditable(1, 2, can);
    EXPECT_FALSE(can) << "a writable column with a read-only cell";
    grid->QueryCellEditable(1, 3, can);
    EXPECT_TRUE(can);
    Col(3)->SetReadOnly(true);
    grid->SetReadOnly(3, 2, false);
    grid->QueryCellEditable(3, 2, can);
    EXPECT_FALSE(can) << "a read-only column stays read-only";
    std::vector<std::pair<int, int>> asked;
    grid->OnCanEditCell = [&](TObject*, int ARow, int ACol, bool& CanEdit) {
        asked.emplace_back(ACol, ARow);
        CanEdit = ACol == 3;
    };
    grid->QueryCellEditable(3, 2, can);
    EXPECT_TRUE(can);
    grid->QueryCellEditable(1, 3, can);
    EXPECT_FALSE(can);
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0], std::make_pair(3, 2));
}

TEST_F(ColumnGridTest, ColoursAlignmentAndBordersComeFromTheItem)
{
    SixColumns();
    Col(1)->SetColor(clYellow);
    Col(1)->SetAlignment(TAlignment::taCenter);
    Col(1)->SetHeaderAlignment(TAlignment::taRightJustify);
    Col(1)->Font()->SetColor(clBlue);
    Col(1)->HeaderFont()->SetColor(clGreen);
    Col(1)->SetBorders(TCellBorders{TCellBorder::cbLeft});
    Col(2)->SetFixed(true);
    TBrush brush;
    TFont font;
    grid->QueryCellColor(1, 2, {}, &brush, &font);
    EXPECT_EQ(brush.Color(), clYellow);
    EXPECT_EQ(font.Color(), clBlue);
    grid->QueryCellColor(1, 0, {}, &brush, &font);
    EXPECT_EQ(font.Color(), clGreen);
    grid->QueryCellColor(2, 2, {}, &brush, &font);
    EXPECT_EQ(brush.Color(), grid->FixedColor());
    grid->SetColors(1, 3, clLime);
    grid->QueryCellColor(1, 3, {}, &brush, &font);
    EXPECT_EQ(brush.Color(), clLime) << "a cell's own colour wins";

    TAlignment ha = TAlignment::taLeftJustify;
    TVAlignment va = TVAlignment::vtaTop;
    grid->QueryCellAlignment(1, 2, ha, va);
    EXPECT_EQ(ha, TAlignment::taCenter);
    grid->QueryCellAlignment(1, 0, ha, va);
    EXPECT_EQ(ha, TAlignment::taRightJustify);

    TPen pen;
    TCellBorders borders;
    grid->QueryCellBorder(1, 2, &pen, borders);
    EXPECT_EQ(borders, TCellBorders{TCellBorder::cbLeft});
    EXPECT_EQ(pen.Color(), TColor(0xC0C0C0));
}

TEST_F(ColumnGridTest, FloatFormatOfTheColumnFormatsNumbersOnly)
{
    SixColumns();
    Col(1)->SetFloatFormat("%.2f");
    grid->SetCellEx(1, 1, "3.14159");
    grid->SetCellEx(1, 2, "word");
    grid->SetCellEx(1, 3, "");
    EXPECT_EQ(grid->GetFormattedCell(1, 2), "word");
    EXPECT_EQ(grid->GetFormattedCell(1, 3), "");
    EXPECT_EQ(grid->GetFormattedCell(2, 1), "r1c2");
    EXPECT_EQ(grid->CellFloatFormat(1, 1), "%.2f");
}

TEST_F(ColumnGridTest, InsertAndRemoveColumnsMoveTheItems)
{
    SixColumns();
    Col(1)->SetEditor(TEditorType::edComboList);
    Col(2)->SetName("two");
    grid->InsertCols(1, 1);
    ASSERT_EQ(grid->Columns()->Count(), 7);
    EXPECT_EQ(grid->ColCount(), 7);
    EXPECT_EQ(Col(1)->Editor(), TEditorType::edNormal) << "a new item has the starting values";
    EXPECT_EQ(Col(2)->Editor(), TEditorType::edComboList);
    EXPECT_EQ(Col(3)->Name(), "two");
    EXPECT_EQ(grid->GetCellEx(2, 1), "r1c1");
    EXPECT_EQ(grid->GetCellEx(1, 1), "");

    grid->RemoveCols(1, 2);
    EXPECT_EQ(grid->ColCount(), 5);
    EXPECT_EQ(grid->Columns()->Count(), 5);
    EXPECT_EQ(Col(1)->Name(), "two");
    EXPECT_EQ(grid->GetCellEx(1, 1), "r1c2");
    grid->RemoveCols(3, 10);
    EXPECT_EQ(grid->ColCount(), 3);
    EXPECT_EQ(grid->Columns()->Count(), 3);
}

TEST_F(ColumnGridTest, AutoSizeLimitsOfTheItemBoundTheWidth)
{
    SixColumns();
    Col(1)->SetAutoMaxSize(100);
    Col(2)->SetAutoMinSize(90);
    int w = 500;
    grid->ConstrainAutoColumnSize(1, w);
    EXPECT_EQ(w, 100);
    w = 10;
    grid->ConstrainAutoColumnSize(2, w);
    EXPECT_EQ(w, 90);
    Col(3)->SetMinSize(30);
    Col(3)->SetMaxSize(60);
    for (auto [in, out] : {std::pair{10, 30}, {45, 45}, {99, 60}}) {
        w = in;
        grid->ConstrainColumnSize(3, w);
        EXPECT_EQ(w, out) << in;
    }
}

TEST_F(ColumnGridTest, AutoSizeColObeysTheItemsLimitsThenTheGrids)
{
    SixColumns();
    Col(1)->SetAutoMinSize(90);
    grid->AutoSizeCol(1, 0);
    EXPECT_EQ(grid->ColWidths(1), std::max(90, grid->GetCellTextSize(1, 0, false, false).X + 8));
    Col(2)->SetAutoMaxSize(5);
    grid->AutoSizeCol(2, 0);
    EXPECT_EQ(grid->ColWidths(2), 5) << "never wider than the item allows";
    grid->SetMinColWidth(20);
    grid->AutoSizeCol(2, 0);
    EXPECT_EQ(grid->ColWidths(2), 20) << "the grid's limits apply after the item's";
}

TEST_F(ColumnGridTest, ItemWidthIsTheGridsColumnWidth)
{
    SixColumns();
    Col(2)->SetWidth(77);
    EXPECT_EQ(grid->ColWidths(2), 77);
    grid->SetColWidths(3, 55);
    EXPECT_EQ(Col(3)->Width(), 55);
    TGridColumnItem spare(nullptr);
    EXPECT_EQ(spare.Width(), 0);
}

TEST_F(ColumnGridTest, RightClickOnAHeaderPopsTheColumnsMenu)
{
    TTestSeams seams;
    SixColumns();
    TPopupMenu menu(&form);
    Col(2)->SetColumnPopup(&menu);
    std::vector<std::pair<int, int>> fired;
    grid->OnColumnPopup = [&](TObject*, int ACol, int ARow, TPopupMenu* m) {
        fired.emplace_back(ACol, ARow);
        EXPECT_EQ(m, &menu);
    };
    const TRect header = grid->TCustomGrid::CellRect(2, 0);
    grid->MouseDownHook(TMouseButton::mbRight, {}, header.Left + 3, header.Top + 3);
    ASSERT_EQ(seams.Popups.size(), 1u);
    EXPECT_EQ(seams.Popups[0].Menu, &menu);
    const TPoint corner = grid->ClientToScreen(TPoint{header.Left, header.Bottom});
    EXPECT_EQ(seams.Popups[0].X, corner.X);
    EXPECT_EQ(seams.Popups[0].Y, corner.Y);
    // A data cell of a header-menu column fires the event but shows nothing;
    // a left click does neither.
    const TRect data = grid->TCustomGrid::CellRect(2, 2);
    grid->MouseDownHook(TMouseButton::mbRight, {}, data.Left + 3, data.Top + 3);
    grid->MouseDownHook(TMouseButton::mbLeft, {}, header.Left + 3, header.Top + 3);
    EXPECT_EQ(seams.Popups.size(), 1u);
    EXPECT_EQ(fired, (std::vector<std::pair<int, int>>{{2, 0}, {2, 2}}));
    // A handler may take the menu away.
    grid->OnColumnPopup = [&](TObject*, int, int, TPopupMenu*) { Col(2)->SetColumnPopup(nullptr); };
    grid->MouseDownHook(TMouseButton::mbRight, {}, header.Left + 3, header.Top + 3);
    EXPECT_EQ(seams.Popups.size(), 1u);
}

TEST_F(ColumnGridTest, ARemovedMenuIsForgottenByTheItems)
{
    SixColumns();
    auto* menu = new TPopupMenu(&form);
    Col(1)->SetColumnPopup(menu);
    Col(4)->SetColumnPopup(menu);
    delete menu;
    EXPECT_EQ(Col(1)->ColumnPopup(), nullptr);
    EXPECT_EQ(Col(4)->ColumnPopup(), nullptr);
}

TEST_F(ColumnGridTest, EditLimitOfTheCurrentColumn)
{
    SixColumns();
    Col(2)->SetEditLength(12);
    grid->SetCol(2);
    EXPECT_EQ(grid->GetEditLimit(), 12);
}

TEST_F(ColumnGridTest, GroupingKeepsAndRestoresTheGroupedColumnsItem)
{
    SixColumns();
    TGridColumnItem spare(nullptr);
    Col(2)->SetEditor(TEditorType::edComboList);
    Col(2)->SetHeader("Grouped");
    grid->SortSettings()->SetAutoSortForGrouping(false);   // the rows are grouped as they stand
    grid->Group(2);
    Col(2)->SetEditor(TEditorType::edNormal);
    grid->UnGroup();
    if (grid->GroupColumn() == -1 && Col(2)->Editor() == TEditorType::edNormal)
        GTEST_SKIP() << "the string grid does not group yet";
    EXPECT_EQ(Col(2)->Editor(), TEditorType::edComboList);
}

TEST_F(ColumnGridTest, VersionText)
{
    EXPECT_EQ(grid->GetVersionNr(), 50397953);
    EXPECT_EQ(grid->GetVersionString(), "3.1.3.1 Aug, 2012");
}

TEST_F(ColumnGridTest, IOComponentNeedsAColumnGridOwner)
{
    TComponent plain(nullptr);
    EXPECT_THROW(TZvColumnGridIO io(&plain), EInvalidCast);
    TZvColumnGridIO io(grid);
    EXPECT_EQ(io.Items()->GetOwner(), grid);
}

// ---- Column streams ------------------------------------------------------------------------

TEST_F(ColumnGridTest, ColumnStreamRoundTripKeepsEverySetting)
{
    SixColumns();
    TPopupMenu menu(&form);
    menu.SetName("HeaderMenu");
    TGridColumnItem* c = Col(3);
    c->SetHeader("Line\nbreak \u00e9");
    c->SetEditor(TEditorType::edDataCheckBox);
    c->SetCheckTrue("1");
    c->SetCheckFalse("0");
    c->ComboItems()->Add("x=1");
    c->ComboItems()->Add("");
    c->Filter()->Add("Big=>100");
    c->SetColumnPopup(&menu);
    c->SetColumnPopupType(TColumnPopupType::cpAllCellsLClick);
    c->SetPrintBorderCustom(false);
    c->SetPrintFontCustom(false);
    c->Font()->SetStyle(TFontStyles{TFontStyle::fsBold});
    c->BorderPen()->SetWidth(3);
    c->SetSortStyle(TSortStyle::ssNumeric);
    c->SetSpinMin(-5);
    c->SetTag(42);
    c->SetWidth(91);
    c->SetName("third");
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    grid->SaveColumnsToStream(&buffer);

    TProbeColumnGrid other(&form);
    other.SetParent(&form);
    buffer.seek(0);
    other.LoadColumnsFromStream(&buffer);
    ASSERT_EQ(other.Columns()->Count(), 6);
    EXPECT_EQ(other.ColCount(), 6);
    const TGridColumnItem* d = other.Columns()->Items(3);
    EXPECT_EQ(d->Header(), c->Header());
    EXPECT_EQ(d->Editor(), TEditorType::edDataCheckBox);
    EXPECT_EQ(d->CheckTrue(), "1");
    EXPECT_EQ(d->CheckFalse(), "0");
    EXPECT_EQ(d->ComboItems()->Count(), 2);
    EXPECT_EQ(d->ComboItems()->Strings(0), "x=1");
    EXPECT_EQ(d->Filter()->Strings(0), "Big=>100");
    EXPECT_EQ(d->ColumnPopup(), &menu);
    EXPECT_EQ(d->ColumnPopupType(), TColumnPopupType::cpAllCellsLClick);
    EXPECT_FALSE(d->PrintBorderCustom());
    EXPECT_FALSE(d->PrintFontCustom());
    EXPECT_TRUE(d->Font()->Style().Contains(TFontStyle::fsBold));
    EXPECT_EQ(d->BorderPen()->Width(), 3);
    EXPECT_EQ(d->SortStyle(), TSortStyle::ssNumeric);
    EXPECT_EQ(d->SpinMin(), -5);
    EXPECT_EQ(d->Tag(), 42);
    EXPECT_EQ(d->Width(), 91);
    EXPECT_EQ(d->Name(), "third");
    EXPECT_EQ(other.Columns()->Items(5)->Header(), "H5");
}

TEST_F(ColumnGridTest, BrokenColumnStreamsRaiseAndLeaveTheItemsAlone)
{
    SixColumns();
    QBuffer good;
    good.open(QIODevice::ReadWrite);
    grid->SaveColumnsToStream(&good);
    const QByteArray bytes = good.data();

    TProbeColumnGrid other(&form);
    other.SetParent(&form);
    other.Columns()->Items(0)->SetHeader("kept");
    const int count = other.Columns()->Count();
    // Every truncation, and a few flipped bytes, either loads or raises: never half a grid.
    for (int len = 0; len < bytes.size(); len += std::max(1, int(bytes.size() / 200))) {
        QByteArray cut = bytes.left(len);
        QBuffer b(&cut);
        b.open(QIODevice::ReadOnly);
        EXPECT_THROW(other.LoadColumnsFromStream(&b), EReadError) << len;
        EXPECT_EQ(other.Columns()->Count(), count);
        EXPECT_EQ(other.Columns()->Items(0)->Header(), "kept");
    }
    QByteArray huge = bytes;
    huge[9] = char(0x7F);   // the item count's high byte
    QBuffer b(&huge);
    b.open(QIODevice::ReadOnly);
    EXPECT_THROW(other.LoadColumnsFromStream(&b), EReadError);
    for (int pos = 10; pos < bytes.size(); pos += 7) {
        QByteArray flipped = bytes;
        flipped[pos] = char(flipped[pos] ^ 0xFF);
        QBuffer fb(&flipped);
        fb.open(QIODevice::ReadOnly);
        try {
            other.LoadColumnsFromStream(&fb);
        } catch (const EReadError&) {
        }
        EXPECT_EQ(other.Columns()->Count(), other.ColCount() + other.NumHiddenColumns()) << pos;
    }
}

// ---- Column positions in an INI file ---------------------------------------------------------

TEST_F(ColumnGridTest, ColumnPositionsRoundTripThroughTheIniFile)
{
    TempFolder dir;
    SixColumns();
    grid->Columns()->SetOrganization();
    const String ini = dir.File("cols.ini");
    grid->SaveColumnPositions(ini, "Grid");
    const QByteArray text = dir.Read("cols.ini");
    EXPECT_TRUE(text.contains("[Grid]")) << text.constData();
    EXPECT_TRUE(text.contains("CP0=0")) << text.constData();
    EXPECT_TRUE(text.contains("CP5=5")) << text.constData();

    TProbeColumnGrid other(&form);
    other.SetParent(&form);
    other.SetColCount(6);
    other.Columns()->SetOrganization();
    other.LoadColumnPositions(ini, "Grid");
    for (int i = 0; i < 6; ++i) EXPECT_EQ(other.Columns()->Items(i)->DefIdx(), i);
}

TEST_F(ColumnGridTest, PositionsFileThroughColumnSizeSettings)
{
    TempFolder dir;
    SixColumns();
    grid->Columns()->SetOrganization();
    grid->ColumnSize()->SetLocation(TColumnSizeLocation::clIniFile);
    grid->ColumnSize()->SetKey(dir.File("pos.ini"));
    grid->ColumnSize()->SetSection("Table");
    grid->SaveColPositions();
    EXPECT_TRUE(dir.Read("pos.ini").contains("[Table]"));
}

TEST_F(ColumnGridTest, IncompletePositionFilesLeaveTheGridUnchanged)
{
    TempFolder dir;
    SixColumns();
    grid->Columns()->SetOrganization();
    const char* broken[] = {
        "[Grid]\nCP0=0\nCP1=1\nCP2=2\n",                                // keys missing
        "[Grid]\nCP0=0\nCP1=1\nCP2=2\nCP3=3\nCP4=4\nCP5=9\n",           // out of range
        "[Grid]\nCP0=0\nCP1=1\nCP2=2\nCP3=3\nCP4=4\nCP5=4\n",           // a place twice
        "[Grid]\nCP0=a\nCP1=1\nCP2=2\nCP3=3\nCP4=4\nCP5=5\n",           // not a number
        "[Other]\nCP0=5\nCP1=4\nCP2=3\nCP3=2\nCP4=1\nCP5=0\n",          // another section
        "\xff\xfe garbage \x00\x01 [[[ = =\n",
    };
    for (const char* content : broken) {
        dir.Write("bad.ini", QByteArray(content));
        grid->LoadColumnPositions(dir.File("bad.ini"), "Grid");
        for (int i = 0; i < 6; ++i) {
            EXPECT_EQ(Col(i)->DefIdx(), i) << content;
            EXPECT_EQ(Col(i)->Header(), QStringLiteral("H%1").arg(i)) << content;
        }
    }
    grid->LoadColumnPositions(dir.File("missing.ini"), "Grid");
    EXPECT_EQ(Col(0)->Header(), "H0");
}

TEST_F(ColumnGridTest, LoadedGrowsTheItemsToTheColumns)
{
    // A layout that streamed fewer items than it has columns loses no column.
    grid->SetColCount(6);
    {
        TNoRecursiveUpdateScope scope(grid->Columns());
        grid->Columns()->Delete(5);
        grid->Columns()->Delete(4);
    }
    grid->Loaded();
    EXPECT_EQ(grid->ColCount(), 6);
    EXPECT_EQ(grid->Columns()->Count(), 6);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(Col(i)->DefIdx(), i);
}

TEST_F(ColumnGridTest, AddingAndDeletingItemsAddsAndRemovesColumns)
{
    grid->SetColCount(4);
    grid->Columns()->Add();
    EXPECT_EQ(grid->ColCount(), 5);
    grid->Columns()->Delete(4);
    grid->Columns()->Delete(3);
    EXPECT_EQ(grid->ColCount(), 3);
    TGridColumnCollection copy(grid);
    copy.SetNoRecursiveUpdate(true);
    copy.Add()->SetHeader("only");
    grid->SetColumns(&copy);
    EXPECT_EQ(grid->Columns()->Items(0)->Header(), "only");
}

} // namespace
