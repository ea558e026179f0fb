// The grid's model: cell store and merges, cell queries, typed access,
// selection and row flags, fills, checks and the footer calculation.

#include "tests/common/TestUtil.h"

#include "grid/ZvGrid.h"
#include "grid/ZvStringGridCheck.h"
#include "grid/support/ZvGridUtil.h"

#include "platform/DateUtils.h"
#include "platform/Forms.h"
#include "platform/Regional.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

struct GridModel : ::testing::Test {
    TForm form{nullptr};
    TZvStringGrid* grid = nullptr;

    void SetUp() override
    {
        grid = new TZvStringGrid(&form);
        grid->SetParent(&form);
    }

    // Cells ever given properties, over the whole grid.
    int PropertyCells()
    {
        int n = 0;
        for (int c = 0; c < grid->TotalColCount(); ++c)
            for (int r = 0; r < grid->RowCount(); ++r)
                if (grid->HasCellObject(c, r)) ++n;
        return n;
    }
};

// Runs f and returns the grid error's message, or "" when nothing was raised.
String GridError(const std::function<void()>& f)
{
    try {
        f();
    } catch (const EZvGridError& e) {
        return e.Message();
    }
    return {};
}

}   // namespace

// ---- Cell store and merges -----------------------------------------------------------------------------------

TEST_F(GridModel, MergeRecordsBaseAndOffsetsAndRedirectsWrites)
{
    grid->SetGridCell(2, 3, "own");
    grid->MergeCells(1, 1, 2, 3);

    struct Case {
        int c, r;
        bool base;
        TPoint spans, baseCell, span, ext;
    };
    const Case cases[] = {
        {1, 1, true, {1, 2}, {1, 1}, {1, 2}, {1, 2}},
        {2, 3, false, {1, 2}, {1, 1}, {1, 2}, {0, 0}},
        {1, 2, false, {0, 1}, {1, 1}, {1, 2}, {1, 1}},
    };
    for (const Case& k : cases) {
        TCellProperties* p = grid->GetCellProperties(k.c, k.r);
        SCOPED_TRACE(testing::Message() << "cell " << k.c << "," << k.r);
        EXPECT_EQ(p->IsBaseCell(), k.base);
        EXPECT_EQ(TPoint(p->CellSpanX(), p->CellSpanY()), k.spans);
        EXPECT_EQ(grid->BaseCell(k.c, k.r), k.baseCell);
        EXPECT_EQ(grid->CellSpan(k.c, k.r), k.span);
        EXPECT_EQ(grid->CellExt(k.c, k.r), k.ext);
        EXPECT_TRUE(grid->IsMergedCell(k.c, k.r));
    }
    EXPECT_EQ(grid->FullCell(2, 2), (TRect{1, 1, 2, 3}));

    grid->SetCellEx(2, 3, "merged");
    EXPECT_EQ(grid->GetGridCell(1, 1), String("merged"));
    EXPECT_EQ(grid->GetCellEx(2, 2), String("merged"));
    EXPECT_EQ(grid->GetGridCell(2, 3), String("own"));   // the covered cell keeps its own text
    EXPECT_EQ(grid->MergeCount(), 1);

    // Splitting from a covered cell splits the whole area; the texts stay where they are.
    grid->SplitCells(2, 3);
    EXPECT_EQ(grid->MergeCount(), 0);
    EXPECT_FALSE(grid->IsMergedCell(1, 1));
    EXPECT_EQ(grid->BaseCell(2, 3), TPoint(2, 3));
    EXPECT_EQ(grid->GetCellEx(2, 3), String("own"));
}

TEST_F(GridModel, OneByOneMergeIsNoMerge)
{
    grid->MergeCells(2, 2, 1, 1);
    EXPECT_EQ(grid->GetCellProperties(2, 2)->CellSpanX(), 0);
    EXPECT_FALSE(grid->IsMergedCell(2, 2));
    EXPECT_EQ(grid->CellSpan(2, 2), TPoint(0, 0));
}

TEST_F(GridModel, MergedCellRectangleCoversTheArea)
{
    grid->MergeCells(1, 1, 2, 2);
    const TRect area = grid->CellRect(2, 2);
    const TRect first = grid->RangeRect(1, 1);
    const TRect last = grid->RangeRect(2, 2);
    EXPECT_EQ(area, (TRect{first.Left, first.Top, last.Right, last.Bottom}));
    EXPECT_EQ(grid->CellSize(1, 1), TPoint(area.Width(), area.Height()));
}

TEST_F(GridModel, CellsOutsideTheGridAreRefused)
{
    grid->SetColCount(5);
    grid->SetRowCount(10);
    for (TPoint cell : {TPoint{-1, 0}, TPoint{0, -1}, TPoint{0, 10}, TPoint{5, 0}}) {
        EXPECT_EQ(GridError([&] { grid->GetCellProperties(cell.X, cell.Y); }), String("Invalid cell"))
            << cell.X << "," << cell.Y;
        EXPECT_EQ(GridError([&] { grid->MergeCells(cell.X, cell.Y, 2, 2); }), String("Invalid cell"));
    }
    EXPECT_EQ(PropertyCells(), 0);
    EXPECT_EQ(grid->MergeCount(), 0);

    // A span past the edge is clipped to the grid.
    grid->MergeCells(3, 8, 5, 5);
    EXPECT_EQ(grid->CellSpan(3, 8), TPoint(1, 1));
    EXPECT_EQ(PropertyCells(), 4);
}

TEST_F(GridModel, ReadingNeverCreatesProperties)
{
    TBrush brush;
    TFont font;
    bool canEdit = true;
    TAlignment ha = TAlignment::taLeftJustify;
    TVAlignment va = TVAlignment::vtaTop;
    grid->GetCellEx(2, 2);
    grid->BaseCell(2, 2);
    grid->CellRect(2, 2);
    grid->QueryCellColor(2, 2, {}, &brush, &font);
    grid->QueryCellEditable(2, 2, canEdit);
    grid->QueryCellAlignment(2, 2, ha, va);
    grid->GetReadOnly(2, 2);
    grid->UsedCells();
    EXPECT_EQ(PropertyCells(), 0);
    EXPECT_FALSE(grid->HasCellProps());
}

TEST_F(GridModel, NewPropertiesNeverFreezeAFixedColour)
{
    grid->SetColor(0x00FF00);
    EXPECT_EQ(grid->GetCellProperties(0, 2)->BrushColor(), clNone);   // fixed column
    EXPECT_EQ(grid->GetCellProperties(2, 0)->BrushColor(), clNone);   // fixed row
}

TEST_F(GridModel, ReplacingPropertiesFreesTheOldOnesAndTheirGraphic)
{
    // Under the sanitizer build a leak here fails the run.
    TCellProperties* p = grid->GetCellProperties(2, 2);
    p->SetGraphicObject(new TCellGraphic);
    grid->SetCellProperties(2, 2, new TCellProperties(grid, 2, 2));
    grid->GetCellProperties(3, 3)->SetGraphicObject(new TCellGraphic);
    grid->FreeCellObject(3, 3);
    EXPECT_FALSE(grid->HasCellObject(3, 3));
}

TEST_F(GridModel, RowsCutOffLoseTheirPropertiesButNotTheirTexts)
{
    // Under the sanitizer build a leak here fails the run: rows grown back are written over.
    const int rows = grid->RowCount();
    grid->SetRowCount(rows + 4);
    grid->AddCheckBox(2, rows + 2, true, false);
    grid->SetCellEx(3, rows + 2, QStringLiteral("kept"));
    grid->SetRowCount(rows);
    grid->SetRowCount(rows + 4);
    bool state = false;
    EXPECT_FALSE(grid->GetCheckBoxState(2, rows + 2, state)) << "the check box went with its row";
    EXPECT_FALSE(grid->HasCellObject(2, rows + 2));
    EXPECT_EQ(grid->Cells(3, rows + 2), QStringLiteral("kept"));
    grid->AddCheckBox(2, rows + 2, true, false);
    EXPECT_TRUE(grid->GetCheckBoxState(2, rows + 2, state));

    // Properties of a hidden column, past the count, are freed with the grid.
    grid->GetCellProperties(4, 1)->SetGraphicObject(new TCellGraphic);
    grid->HideColumn(4);
}

// ---- Undo ------------------------------------------------------------------------------------------------------

TEST_F(GridModel, NewChangeDropsTheUndoneOnes)
{
    auto* undo = new TZvGridUndoRedo(&form);
    grid->SetUndoRedo(undo);
    grid->SetCellEx(1, 1, "b");
    undo->RegisterChange(1, 1, "a", "b");
    grid->SetCellEx(2, 1, "d");
    undo->RegisterChange(2, 1, "c", "d");
    undo->Undo();
    EXPECT_EQ(grid->GetCellEx(2, 1), String("c"));
    EXPECT_TRUE(undo->CanRedo());

    grid->SetCellEx(3, 1, "f");
    undo->RegisterChange(3, 1, "e", "f");
    EXPECT_FALSE(undo->CanRedo());
    EXPECT_EQ(undo->Items()->Count(), 2);
    undo->Undo();
    undo->Undo();
    // The change undone before the new one is not undone a second time.
    EXPECT_EQ(grid->GetCellEx(3, 1), String("e"));
    EXPECT_EQ(grid->GetCellEx(2, 1), String("c"));
    EXPECT_EQ(grid->GetCellEx(1, 1), String("a"));
}

TEST_F(GridModel, SequenceUndoesAndRedoesAsOneStep)
{
    auto* undo = new TZvGridUndoRedo(&form);
    grid->SetUndoRedo(undo);
    undo->StartSequence();
    grid->SetCellEx(1, 1, "x");
    undo->RegisterChange(1, 1, "", "x");
    grid->SetCellEx(1, 2, "y");
    undo->RegisterChange(1, 2, "", "y");
    undo->StopSequence();
    undo->Undo();
    EXPECT_EQ(grid->GetCellEx(1, 1), String());
    EXPECT_EQ(grid->GetCellEx(1, 2), String());
    undo->Redo();
    EXPECT_EQ(grid->GetCellEx(1, 1), String("x"));
    EXPECT_EQ(grid->GetCellEx(1, 2), String("y"));
}

// ---- Cell queries ----------------------------------------------------------------------------------------------

TEST_F(GridModel, CellColourTakesPropertiesOnlyForPlainCellTypes)
{
    grid->GetCellProperties(2, 2)->SetBrushColor(0x00FFFF);
    auto* checkCell = grid->GetCellProperties(3, 2);
    checkCell->SetBrushColor(0x00FFFF);
    checkCell->SetFontColor(0x0000FF);
    auto* graphic = new TCellGraphic;
    graphic->SetCellType(TCellType::ctCheckBox);
    checkCell->SetGraphicObject(graphic);

    TBrush brush;
    TFont font;
    brush.SetColor(clWhite);
    grid->QueryCellColor(2, 2, {}, &brush, &font);
    EXPECT_EQ(brush.Color(), TColor(0x00FFFF));

    brush.SetColor(clWhite);
    grid->QueryCellColor(3, 2, {}, &brush, &font);
    EXPECT_EQ(brush.Color(), clWhite);
    EXPECT_EQ(font.Color(), TColor(0x0000FF));

    // The handler has the last word.
    grid->OnGetCellColor = [](TObject*, int, int, TGridDrawState, TBrush* b, TFont*) { b->SetColor(clRed); };
    grid->QueryCellColor(2, 2, {}, &brush, &font);
    EXPECT_EQ(brush.Color(), clRed);
}

TEST_F(GridModel, ActiveCellHeadersTakeTheActiveCellLook)
{
    grid->SetColCount(5);
    grid->SetRowCount(8);
    grid->SetActiveCellShow(true);
    grid->SetActiveCellColor(0x123456);
    grid->SetCol(3);
    grid->SetRow(5);
    struct Case {
        int c, r;
        bool active;
    };
    for (const Case& k : {Case{0, 5, true}, Case{3, 0, true}, Case{0, 4, false}, Case{2, 0, false}}) {
        TBrush brush;
        TFont font;
        brush.SetColor(clWhite);
        grid->QueryCellColor(k.c, k.r, {}, &brush, &font);
        EXPECT_EQ(brush.Color() == TColor(0x123456), k.active) << k.c << "," << k.r;
    }
}

TEST_F(GridModel, QueriesWithAndWithoutHandlers)
{
    // Fixed: the handler may add fixed cells and is not asked about cells already fixed.
    int fixedAsked = 0;
    bool fixed = false;
    grid->QueryFixedCell(2, 2, fixed);
    EXPECT_FALSE(fixed);
    grid->OnIsFixedCell = [&](TObject*, int, int, bool& f) {
        ++fixedAsked;
        f = true;
    };
    grid->QueryFixedCell(2, 2, fixed);
    EXPECT_TRUE(fixed);
    fixed = false;
    grid->QueryFixedCell(0, 2, fixed);
    EXPECT_TRUE(fixed);
    EXPECT_EQ(fixedAsked, 1);

    // Editable: a read-only cell reaches the handler as not editable, and the handler decides last.
    grid->GetCellProperties(2, 3)->SetReadOnly(true);
    bool seen = true;
    bool canEdit = true;
    grid->QueryCellEditable(2, 3, canEdit);
    EXPECT_FALSE(canEdit);
    grid->OnCanEditCell = [&](TObject*, int, int, bool& e) {
        seen = e;
        e = true;
    };
    canEdit = true;
    grid->QueryCellEditable(2, 3, canEdit);
    EXPECT_FALSE(seen);
    EXPECT_TRUE(canEdit);

    // No editor: false without a handler, whatever the default editor says.
    grid->SetDefaultEditor(TEditorType::edNone);
    EXPECT_FALSE(grid->IsNoEditorCell(2, 2));
    grid->OnGetEditorType = [](TObject*, int c, int, TEditorType& e) {
        if (c == 2) e = TEditorType::edNone;
        if (c == 3) e = TEditorType::edComboList;
        if (c == 4) e = TEditorType::edFloatSpinEdit;
    };
    EXPECT_TRUE(grid->IsNoEditorCell(2, 2));
    EXPECT_FALSE(grid->IsNoEditorCell(3, 2));

    // Always-visible buttons come from the editor type only when the look asks for them.
    grid->SetDefaultEditor(TEditorType::edNormal);
    EXPECT_FALSE(grid->QueryHasComboBox(3, 2));
    grid->ControlLook()->SetDropDownAlwaysVisible(true);
    grid->ControlLook()->SetSpinButtonsAlwaysVisible(true);
    EXPECT_TRUE(grid->QueryHasComboBox(3, 2));
    EXPECT_FALSE(grid->QueryHasComboBox(2, 2));
    EXPECT_TRUE(grid->QueryHasSpinEdit(4, 2));
    EXPECT_FALSE(grid->QueryHasSpinEdit(4, 0));   // fixed row
    grid->OnHasComboBox = [](TObject*, int, int, bool& has) { has = false; };
    EXPECT_FALSE(grid->QueryHasComboBox(3, 2));

    // Check texts.
    String value;
    grid->QueryCheckTrue(1, 1, value);
    EXPECT_EQ(value, String("Y"));
    grid->OnGetCheckFalse = [](TObject*, int, int, String& v) { v = "off"; };
    grid->QueryCheckFalse(1, 1, value);
    EXPECT_EQ(value, String("off"));

    // Alignment of column 0 under Hotmail-style row selection.
    TAlignment ha = TAlignment::taLeftJustify;
    TVAlignment va = TVAlignment::vtaTop;
    grid->MouseActions()->SetHotmailRowSelect(true);
    grid->QueryCellAlignment(0, 1, ha, va);
    EXPECT_EQ(ha, TAlignment::taCenter);
}

TEST_F(GridModel, ColumnFilterListsDistinctTextsInOrder)
{
    grid->SetRowCount(6);
    grid->SetFilterDropDownAuto(true);
    grid->SetCellEx(1, 1, "beta");
    grid->SetCellEx(1, 2, "two words");
    grid->SetCellEx(1, 3, "Beta");
    grid->SetCellEx(1, 4, " alpha ");
    EXPECT_TRUE(grid->QueryColumnFilter(1));
    const TStringList* list = grid->FilterValues();
    ASSERT_EQ(list->Count(), 5);
    EXPECT_EQ(list->Strings(0), String("(All)"));
    EXPECT_EQ(list->Strings(1), String());
    EXPECT_EQ(list->Strings(2), String("alpha"));
    EXPECT_EQ(list->Strings(3), String("beta"));
    EXPECT_EQ(list->Strings(4), String("two words=\"two words\""));

    grid->OnGetColumnFilter = [](TObject*, int, TStringList* l) { l->Clear(); };
    EXPECT_FALSE(grid->QueryColumnFilter(1));
}

TEST_F(GridModel, WideHintTravelsInTheCellCoding)
{
    grid->OnGridWideHint = [](TObject*, int, int, String& h) { h = QString::fromUtf8("Ω wide"); };
    String hint;
    String wide;
    grid->FireGridHint(1, 1, hint, wide);
    EXPECT_TRUE(hint.startsWith("|\\"));
    EXPECT_EQ(DecodeUnicodeCellText(hint), QString::fromUtf8("Ω wide"));
}

// ---- Typed access ------------------------------------------------------------------------------------------------

TEST_F(GridModel, IntsReadTheIntegerFormsAndRefuseTheRest)
{
    struct Case {
        const char* text;
        int value;
        bool ok;
    };
    const Case cases[] = {
        {" 42 ", 42, true}, {"-", 0, true},          {"", 0, true},       {"$1F", 31, true},
        {"-7", -7, true},   {"<b>12</b>", 12, true}, {"12a", 0, false},   {"1.5", 0, false},
        {"1,5", 0, false},  {"1,000", 0, false},
    };
    // Whole numbers read the same whatever the decimal setting.
    for (const QChar decimal : {QChar(u'.'), QChar(u',')}) {
        RegionalScope regional(decimal, decimal == u'.' ? u',' : u'.');
        for (const Case& k : cases) {
            grid->SetCellEx(1, 1, k.text);
            int value = -1;
            const String error = GridError([&] { value = grid->GetInts(1, 1); });
            if (k.ok) {
                EXPECT_EQ(value, k.value) << k.text << " " << decimal.toLatin1();
            } else {
                EXPECT_EQ(error, String("Cell does not contain integer value")) << k.text << " " << decimal.toLatin1();
                EXPECT_EQ(grid->GetCellEx(1, 1), String(k.text));
            }
        }
    }
    grid->SetInts(2, 2, -15);
    EXPECT_EQ(grid->GetCellEx(2, 2), String("-15"));
}

TEST_F(GridModel, FloatsFollowTheDecimalSetting)
{
    struct Case {
        QChar decimal, thousands;
        const char* written;
        const char* other;   // with thousands separators
        double otherValue;
        const char* broken;
    };
    const Case cases[] = {
        {u'.', u',', "3.14", "1,234.50", 1234.5, "1.2.3"},
        {u',', u'.', "3,14", "1.234,50", 1234.5, "1,2,3"},
    };
    for (const Case& k : cases) {
        RegionalScope regional(k.decimal, k.thousands);
        grid->SetFloats(1, 1, 3.14159);
        EXPECT_EQ(grid->GetCellEx(1, 1), String(k.written));
        EXPECT_DOUBLE_EQ(grid->GetFloats(1, 1), 3.14);
        grid->SetCellEx(1, 2, k.other);
        EXPECT_DOUBLE_EQ(grid->GetFloats(1, 2), k.otherValue);
        grid->SetCellEx(1, 3, "(5)");
        EXPECT_DOUBLE_EQ(grid->GetFloats(1, 3), -5);
        for (const char* bad : {k.broken, "abc", "$"}) {
            grid->SetCellEx(1, 4, bad);
            EXPECT_EQ(GridError([&] { grid->GetFloats(1, 4); }), String("Cell does not contain a float value"))
                << bad;
        }
        grid->SetCellEx(1, 4, "-");
        EXPECT_DOUBLE_EQ(grid->GetFloats(1, 4), 0);
    }
}

TEST_F(GridModel, PrintLayoutAndUsedCells)
{
    EXPECT_EQ(GridError([&] { grid->GetPrintColWidth(512); }), String("Columns is not in valid range"));
    EXPECT_EQ(GridError([&] { grid->GetPrintColOffset(-1); }), String("Columns is not in valid range"));
    EXPECT_EQ(grid->GetPrintColWidth(511), 0);
    EXPECT_EQ(grid->UsedCells(), (TGridRect{0, 0, 0, 0}));
    grid->SetCellEx(2, 3, "x");
    EXPECT_EQ(grid->UsedCells(), (TGridRect{2, 3, 2, 3}));
}

TEST_F(GridModel, IntegralHeightFitsWholeRows)
{
    grid->SetIntegralHeight(true);
    grid->SetBounds(0, 0, 400, 250);
    // 248 pixels inside the border hold 11 rows of 22.
    EXPECT_EQ(grid->Height(), 11 * 22 + 4);
    grid->SetIntegralHeight(false);
    grid->SetBounds(0, 0, 400, 250);
    EXPECT_EQ(grid->Height(), 250);
}

// ---- Selection and row flags ---------------------------------------------------------------------------------------

TEST_F(GridModel, SelectRowsKeepsTheCurrentCell)
{
    grid->SetColCount(5);
    grid->SetRowCount(8);
    grid->SetCol(3);
    grid->SetRow(4);
    grid->SelectRows(4, 1);
    EXPECT_EQ(grid->Selection(), (TGridRect{1, 4, 4, 4}));
    EXPECT_EQ(grid->Col(), 3);
    EXPECT_EQ(grid->Row(), 4);

    grid->SelectRows(5, 10);   // clipped at the last row
    EXPECT_EQ(grid->Selection(), (TGridRect{1, 5, 4, 7}));
}

TEST_F(GridModel, SelectRangeEndsOnItsBottomRightCell)
{
    grid->SetColCount(5);
    grid->SetRowCount(8);
    grid->SelectRange(1, 3, 2, 6);
    EXPECT_EQ(grid->Selection(), (TGridRect{1, 2, 3, 6}));
    EXPECT_EQ(grid->Col(), 3);
    EXPECT_EQ(grid->Row(), 6);
}

TEST_F(GridModel, DisjunctRowSelection)
{
    grid->SetRowCount(8);
    grid->MouseActions()->SetDisjunctRowSelect(true);
    int selectedEvents = 0;
    grid->OnRowDisjunctSelected = [&](TObject*, int) { ++selectedEvents; };
    grid->SelectRows(2, 2);
    grid->SelectRows(6, 1);
    EXPECT_EQ(grid->GetRowSelectCount(), 3);
    grid->SetRowSelect(2, true);   // already selected: fires again, not listed twice
    EXPECT_EQ(selectedEvents, 4);
    EXPECT_EQ(grid->GetRowSelectCount(), 3);

    grid->OnRowDisjunctSelect = [](TObject*, int row, bool, bool& allow) { allow = row != 5; };
    grid->SetRowSelect(5, true);
    EXPECT_FALSE(grid->GetRowSelect(5));

    grid->ClearRowSelect();
    EXPECT_EQ(grid->GetRowSelectCount(), 0);
}

TEST_F(GridModel, RowFlagsRefuseNegativeRows)
{
    grid->MouseActions()->SetRowSelectPersistent(true);
    EXPECT_EQ(GridError([&] { grid->GetRowSelect(-1); }), String("Invalid row -1 accessed"));
    grid->MouseActions()->SetRowSelectPersistent(false);
    EXPECT_EQ(GridError([&] { grid->GetRowSelect(-1); }), String("Invalid row -1 accessed"));
    EXPECT_EQ(GridError([&] { grid->GetRowSelect(10); }), String("Invalid row 10 accessed"));
    EXPECT_EQ(GridError([&] { grid->SetRowSelect(-1, true); }), String("Invalid row accessed"));
    EXPECT_EQ(GridError([&] { grid->GetColSelect(5); }), String("Invalid column accessed"));
    for (const auto& f : std::vector<std::function<void()>>{
             [&] { grid->GetRowModified(-1); }, [&] { grid->SetRowModified(-1, true); },
             [&] { grid->GetRowEnabled(-1); }, [&] { grid->SetRowEnabled(-1, false); }})
        EXPECT_EQ(GridError(f), String("Invalid row accessed"));
}

TEST_F(GridModel, ModifiedAndEnabledRows)
{
    grid->SetRowModified(3, true);
    grid->SetRowModified(5, true);
    grid->SetRowModified(5, false);
    EXPECT_TRUE(grid->GetRowModified(3));
    EXPECT_FALSE(grid->GetRowModified(100));
    EXPECT_EQ(grid->ModifiedRowCount(), 1);

    grid->SetRow(2);
    grid->SetRowEnabled(2, false);
    EXPECT_FALSE(grid->GetRowEnabled(2));
    EXPECT_TRUE(grid->GetRowEnabled(200));
    EXPECT_EQ(grid->Row(), 1);   // the first enabled row from the fixed rows on
}

// ---- Fills, dates and checks ------------------------------------------------------------------------------------------

TEST_F(GridModel, FillsWriteTheirRange)
{
    grid->SetColCount(4);
    grid->SetRowCount(4);
    grid->LinearFill(false);
    EXPECT_EQ(grid->GetCellEx(1, 1), String("1:1"));
    EXPECT_EQ(grid->GetCellEx(2, 1), String("2:1"));
    EXPECT_EQ(grid->GetCellEx(0, 0), String());
    grid->FormatFill(true, "%d-%d");
    EXPECT_EQ(grid->GetCellEx(0, 0), String("0-0"));
    EXPECT_EQ(grid->GetCellEx(3, 2), String("3-2"));
    grid->RandomFill(false, 3);
    for (int r = 1; r < 4; ++r)
        for (int c = 1; c < 4; ++c) EXPECT_LT(grid->GetInts(c, r), 3);
}

TEST_F(GridModel, NullDateEmptiesTheCellUnlessShown)
{
    grid->SetShowNullDates(false);
    grid->SetCellEx(1, 1, "x");
    grid->SetDates(1, 1, DateTimeToQDateTime(0));
    EXPECT_EQ(grid->GetCellEx(1, 1), String());
    grid->SetDates(1, 1, DateTimeToQDateTime(EncodeDate(2024, 2, 29)));
    EXPECT_EQ(grid->GetDates(1, 1).date(), QDate(2024, 2, 29));
}

namespace {
// Corrects "bad" into "good".
class TFixingChecker : public TZvStringGridCheck {
public:
    using TZvStringGridCheck::TZvStringGridCheck;
    String Correct(int, int, const String& s) override { return s == "bad" ? String("good") : s; }
    int Started = 0, Stopped = 0;
    void StartCheck() override { ++Started; }
    void StopCheck() override { ++Stopped; }
};
}   // namespace

TEST_F(GridModel, CheckingVisitsEveryCellAndReportsCorrections)
{
    EXPECT_TRUE(grid->CheckGrid(false));
    auto* checker = new TFixingChecker(&form);
    checker->SetUseCorrect(true);
    grid->SetCellChecker(checker);
    grid->SetCellEx(1, 1, "bad");
    grid->SetCellEx(2, 2, "bad");
    EXPECT_FALSE(grid->CheckGrid(false));
    EXPECT_EQ(grid->GetCellEx(1, 1), String("good"));
    EXPECT_EQ(grid->GetCellEx(2, 2), String("good"));
    EXPECT_EQ(checker->Started, 1);
    EXPECT_EQ(checker->Stopped, 1);
    EXPECT_TRUE(grid->CheckGrid(false));
}

// ---- Footer ---------------------------------------------------------------------------------------------------------------

TEST_F(GridModel, FooterCalculations)
{
    grid->SetRowCount(7);   // one fixed row, five data rows, the footer row
    grid->FloatingFooter()->SetVisible(true);
    const String data[] = {"1", "2", "x", "4", "3"};
    for (int r = 0; r < 5; ++r) grid->SetCellEx(1, r + 1, data[r]);
    struct Case {
        TColumnCalcType kind;
        const char* shown;
    };
    RegionalScope regional(u'.', u',');
    const Case cases[] = {
        {TColumnCalcType::acCOUNT, "5"}, {TColumnCalcType::acSUM, "10.00"}, {TColumnCalcType::acAVG, "2.00"},
        {TColumnCalcType::acMIN, "1.00"}, {TColumnCalcType::acMAX, "4.00"}, {TColumnCalcType::acDISTINCT, "5.00"},
    };
    for (const Case& k : cases) {
        grid->GetCellProperties(1, 6)->SetCalcType(k.kind);
        grid->CalcFooter(-1);
        EXPECT_EQ(grid->GetCellEx(1, 6), String(k.shown)) << int(k.kind);
    }
    grid->GetCellProperties(1, 6)->SetCalcType(TColumnCalcType::acCUSTOM);
    grid->OnFooterCalc = [](TObject*, int, String& v) { v = "custom"; };
    grid->CalcFooter(1);
    EXPECT_EQ(grid->GetCellEx(1, 6), String("custom"));

    // Hidden footer: nothing changes.
    grid->FloatingFooter()->SetVisible(false);
    grid->GetCellProperties(1, 6)->SetCalcType(TColumnCalcType::acSUM);
    grid->CalcFooter(-1);
    EXPECT_EQ(grid->GetCellEx(1, 6), String("custom"));
}

TEST_F(GridModel, FooterOverHiddenRowsTakesTheRealRowsOnly)
{
    grid->SetRowCount(7);   // one fixed row, five data rows, the footer row
    grid->FloatingFooter()->SetVisible(true);
    const String data[] = {"1", "2", "x", "4", "3"};
    for (int r = 0; r < 5; ++r) grid->SetCellEx(1, r + 1, data[r]);
    grid->HideRow(2);   // the "2"
    RegionalScope regional(u'.', u',');
    struct Case {
        bool hiddenToo;
        TColumnCalcType kind;
        const char* shown;
    };
    const Case cases[] = {
        {true, TColumnCalcType::acSUM, "10.00"}, {true, TColumnCalcType::acCOUNT, "5"},
        {true, TColumnCalcType::acMAX, "4.00"},  {false, TColumnCalcType::acSUM, "8.00"},
        {false, TColumnCalcType::acCOUNT, "4"},  {false, TColumnCalcType::acMIN, "1.00"},
    };
    for (const Case& k : cases) {
        grid->FloatingFooter()->SetCalculateHiddenRows(k.hiddenToo);
        const int footer = grid->RowCount() - 1;
        grid->GetCellProperties(1, footer)->SetCalcType(k.kind);
        // Twice: the footer's own figure never joins the next calculation.
        grid->CalcFooter(-1);
        grid->CalcFooter(-1);
        EXPECT_EQ(grid->GetCellEx(1, footer), String(k.shown)) << k.hiddenToo << " " << int(k.kind);
    }
}

TEST_F(GridModel, DisjunctCellsAreListedOnce)
{
    grid->MouseActions()->SetDisjunctCellSelect(true);
    grid->SetSelectedCells(1, 2, true);
    grid->SetSelectedCells(1, 2, true);
    grid->SetSelectedCells(2, 1, true);
    EXPECT_EQ(grid->SelectedCellsCount(), 2);
    EXPECT_TRUE(grid->GetSelectedCells(1, 2));
    EXPECT_FALSE(grid->GetSelectedCells(2, 2));
    grid->SetSelectedCells(1, 2, false);
    grid->SetSelectedCells(1, 2, false);
    EXPECT_EQ(grid->SelectedCellsCount(), 1);
    EXPECT_EQ(grid->SelectedCell(0).X, 2);
    EXPECT_EQ(grid->SelectedCell(0).Y, 1);
}

TEST_F(GridModel, LookNames)
{
    EXPECT_EQ(TZvStringGrid::LookName(TGridLook::glWin7), String("glWin7"));
    EXPECT_EQ(TZvStringGrid::LookDisplayName(TGridLook::glXP), String("Windows XP"));
    EXPECT_EQ(TZvStringGrid::LookName(TGridLook::glCustom), String());
}

TEST_F(GridModel, CustomLookKeepsColoursButResetsScrollAndBorder)
{
    grid->SetLook(TGridLook::glStandard);
    EXPECT_EQ(grid->SelectionColor(), clHighlight);
    grid->SetScrollType(TScrollType::ssFlat);
    grid->SetLook(TGridLook::glCustom);
    EXPECT_EQ(grid->SelectionColor(), clHighlight);
    EXPECT_EQ(grid->ScrollType(), TScrollType::ssNormal);
    EXPECT_EQ(grid->BorderColor(), TColor(0xB99D7F));
}

// ---- Cell frame and keys over merged cells ----------------------------------------------------------------------------------

namespace {
class TKeyGrid : public TZvStringGrid {
public:
    using TZvStringGrid::TZvStringGrid;
    void Press(WORD key) { KeyDown(key, {}); }
};
}   // namespace

TEST(GridMergedKeys, RightAndDownLeaveAMergedAreaInOneStep)
{
    TForm form{nullptr};
    auto* grid = new TKeyGrid(&form);
    grid->SetParent(&form);
    grid->SetColCount(6);
    grid->SetRowCount(6);
    grid->MergeCells(2, 2, 2, 2);
    struct Case {
        const char* name;
        WORD key;
        TGridCoord from, to;
    };
    const Case cases[] = {
        {"right", VK_RIGHT, {2, 2}, {4, 2}},
        {"down", VK_DOWN, {2, 2}, {2, 4}},
        {"left from a covered cell", VK_LEFT, {3, 3}, {1, 3}},
        {"up from a covered cell", VK_UP, {3, 3}, {3, 1}},
        {"left onto the area ends on its base", VK_LEFT, {4, 3}, {2, 2}},
    };
    for (const Case& k : cases) {
        grid->GotoCell(k.from.X, k.from.Y);
        grid->Press(k.key);
        EXPECT_EQ((TGridCoord{grid->Col(), grid->Row()}), k.to) << k.name;
    }
}

TEST_F(GridModel, CellFrameDrawsTheLinesOfTheCellsKind)
{
    TBitmap bitmap;
    bitmap.SetSize(200, 80);
    TCanvas* canvas = bitmap.Canvas();
    canvas->Brush()->SetColor(0x00FF00);
    canvas->FillRect(TRect{0, 0, 200, 80});

    grid->SetGridLineColor(0x0000FF);
    // Clear of the fixed column and row, which a scrolling cell never paints over.
    const TRect normal{70, 30, 134, 52};
    grid->PaintCellExt(canvas, 2, 2, normal, {});
    EXPECT_EQ(canvas->Pixels(100, normal.Bottom - 1), TColor(0x0000FF));   // bottom line
    EXPECT_EQ(canvas->Pixels(normal.Right - 1, 40), TColor(0x0000FF));     // right line
    EXPECT_NE(canvas->Pixels(100, 40), TColor(0x0000FF));                  // inside

    // A cell scrolled partly under the fixed column stays out of it.
    grid->PaintCellExt(canvas, 2, 2, TRect{10, 30, 74, 52}, {});
    EXPECT_EQ(canvas->Pixels(40, 51), TColor(0x00FF00));
    EXPECT_EQ(canvas->Pixels(70, 51), TColor(0x0000FF));

    grid->SetGridFixedLineColor(0xFF0000);
    const TRect fixed{140, 30, 180, 52};
    grid->PaintCellExt(canvas, 0, 2, fixed, {});
    EXPECT_EQ(canvas->Pixels(160, fixed.Bottom - 1), TColor(0xFF0000));

    // The hidden last row paints as plain background.
    grid->SetHideLastRow(true);
    grid->SetColor(0x123456);
    grid->PaintCellExt(canvas, 2, grid->RowCount() - 1, normal, {});
    EXPECT_EQ(canvas->Pixels(100, normal.Bottom - 1), TColor(0x123456));
}

TEST_F(GridModel, HeadersGoIntoTheFixedRowAndColumn)
{
    TStringList headers;
    headers.Add("No.");
    headers.Add("Name\\nfirst");
    grid->SetColumnHeaders(&headers);
    EXPECT_EQ(grid->GetCellEx(0, 0), String("No."));
    EXPECT_EQ(grid->GetCellEx(1, 0), String("Name\rfirst"));
    grid->ClearColumnHeaders();
    EXPECT_EQ(grid->GetCellEx(1, 0), String());

    TStringList rows;
    rows.Add("");
    rows.Add("first");
    grid->SetRowHeaders(&rows);
    EXPECT_EQ(grid->GetCellEx(0, 1), String("first"));

    grid->SetEditMask("999");
    EXPECT_EQ(grid->EditMaskHook(1, 1), String("999"));
}

TEST_F(GridModel, ClearRectFreesObjectsUnlessTextOnly)
{
    int changes = 0;
    grid->OnCellsChanged = [&](TObject*, TRect) { ++changes; };
    grid->SetCellEx(1, 1, "a");
    grid->GetCellProperties(1, 1)->SetGraphicObject(new TCellGraphic);
    grid->SetCellEx(2, 1, "b");
    grid->GetCellProperties(2, 1);
    grid->SetClearTextOnly(true);
    grid->ClearRect(2, 1, 2, 1);
    EXPECT_EQ(grid->GetCellEx(2, 1), String());
    EXPECT_TRUE(grid->HasCellObject(2, 1));
    grid->SetClearTextOnly(false);
    grid->ClearRect(1, 1, 2, 1);
    EXPECT_FALSE(grid->HasCellObject(1, 1));
    EXPECT_FALSE(grid->HasCellObject(2, 1));
    EXPECT_EQ(changes, 2);
}

// ---- Following the owner form's size ----------------------------------------------------------------------
namespace {

struct FormFollow : ::testing::Test {
    TForm form{nullptr};
    std::vector<String> log;

    TZvStringGrid* AddGrid(const String& name)
    {
        auto* grid = new TZvStringGrid(&form);
        grid->SetParent(&form);
        grid->SetBounds(0, 0, 200, 100);
        grid->SetSizeWithForm(true);
        grid->OnResize = [this, name](TObject*) { log.push_back(name); };
        return grid;
    }
    void SetUp() override
    {
        form.SetBounds(0, 0, 400, 300);
        form.OnResize = [this](TObject*) { log.push_back(QStringLiteral("form")); };
    }
};

TEST_F(FormFollow, GridsFollowTheLastCreatedFirstAndTheFormsHandlerLast)
{
    TZvStringGrid* first = AddGrid(QStringLiteral("first"));
    TZvStringGrid* second = AddGrid(QStringLiteral("second"));
    log.clear();
    form.SetBounds(0, 0, 430, 320);
    EXPECT_EQ(log, (std::vector<String>{"second", "first", "form"}));
    for (TZvStringGrid* g : {first, second}) {
        EXPECT_EQ(g->Width(), 230);
        EXPECT_EQ(g->Height(), 120);
    }
}

TEST_F(FormFollow, AGridThatGoesLeavesTheOthersAndTheFormsHandlerInPlace)
{
    TZvStringGrid* first = AddGrid(QStringLiteral("first"));
    TZvStringGrid* second = AddGrid(QStringLiteral("second"));
    delete first;
    log.clear();
    form.SetBounds(0, 0, 410, 310);
    EXPECT_EQ(log, (std::vector<String>{"second", "form"}));
    delete second;
    log.clear();
    form.SetBounds(0, 0, 420, 320);
    EXPECT_EQ(log, (std::vector<String>{"form"}));
}

TEST_F(FormFollow, TheFormsHandlerRaisesToItsCaller)
{
    AddGrid(QStringLiteral("grid"));
    form.OnResize = [](TObject*) { throw Exception(QStringLiteral("form handler")); };
    EXPECT_THROW(form.SetBounds(0, 0, 500, 400), Exception);
}

TEST_F(FormFollow, AFormShrunkPastTheGridLeavesItsSize)
{
    TZvStringGrid* grid = AddGrid(QStringLiteral("grid"));
    form.SetBounds(0, 0, 190, 300);
    EXPECT_EQ(grid->Width(), 200) << "a width of -10 is not taken";
    form.SetBounds(0, 0, 420, 300);
    EXPECT_EQ(grid->Width(), 220) << "the next size counts from the form size last followed";
    grid->SetSizeWithForm(false);
    form.SetBounds(0, 0, 500, 300);
    EXPECT_EQ(grid->Width(), 220);
}

} // namespace
