#include "grid/ZvGrid.h"
#include "grid/ZvGridFocusWindow.h"
#include "grid/ZvStringGridCheck.h"

#include "grid/editors/ZvEditBtn.h"
#include "grid/editors/ZvGridCombo.h"
#include "grid/services/panels/ZvFooterPanel.h"
#include "grid/services/panels/ZvSearchPanel.h"
#include "platform/Forms.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <variant>
#include <vector>

namespace {

struct TGridFixture : ::testing::Test {
    TForm form{nullptr};
    TZvStringGrid* grid = nullptr;

    void SetUp() override
    {
        grid = new TZvStringGrid(&form);
        grid->SetParent(&form);
    }
};

using TValue = std::variant<bool, int, String, TColor>;

struct TCase {
    const char* name;
    std::function<TValue(TZvStringGrid&)> read;
    TValue expected;
};

void CheckCases(TZvStringGrid& grid, const std::vector<TCase>& cases)
{
    for (const auto& c : cases) EXPECT_EQ(c.read(grid), c.expected) << c.name;
}

#define READ(Name, ...) TCase{Name, [](TZvStringGrid& g) -> TValue { return __VA_ARGS__; }, TValue{}}
TCase Expect(TCase c, TValue v)
{
    c.expected = std::move(v);
    return c;
}

}  // namespace

// A grid made at run time on a form: every starting value a form relies on.
TEST_F(TGridFixture, StartsWithItsStartingValues)
{
    CheckCases(*grid, {
        Expect(READ("RowCount", g.RowCount()), 10),
        Expect(READ("ColCount", g.ColCount()), 5),
        Expect(READ("FixedRows", g.FixedRows()), 1),
        Expect(READ("FixedCols", g.FixedCols()), 1),
        Expect(READ("DefaultRowHeight", g.DefaultRowHeight()), 22),
        Expect(READ("FixedRowHeight", g.FixedRowHeight()), 22),
        Expect(READ("Width", g.Width()), 400),
        Expect(READ("Height", g.Height()), 250),
        Expect(READ("FloatFormat", g.FloatFormat()), String("%.2f")),
        Expect(READ("CheckTrue", g.CheckTrue()), String("Y")),
        Expect(READ("CheckFalse", g.CheckFalse()), String("N")),
        Expect(READ("FilterDropDownClear", g.FilterDropDownClear()), String("(All)")),
        Expect(READ("XMLEncoding", g.XMLEncoding()), String("ISO-8859-1")),
        Expect(READ("PasswordChar", String(g.PasswordChar())), String("*")),
        Expect(READ("Delimiter is none", g.Delimiter().isNull()), true),
        Expect(READ("Look is glXP", g.Look() == TGridLook::glXP), true),
        Expect(READ("Version", g.Version()), String("6.2.1.3")),
        Expect(READ("VersionString", g.GetVersionString()), String("6.2.1.3 Sep, 2012")),
        Expect(READ("VersionNr", g.GetVersionNr()), 0x06020103),
        Expect(READ("GridLineWidth", g.GridLineWidth()), 1),
        Expect(READ("GridLineColor", g.GridLineColor()), TColor(0xC0C0C0)),
        Expect(READ("GridFixedLineColor", g.GridFixedLineColor()), TColor(0x808080)),
        Expect(READ("ActiveRowColor", g.ActiveRowColor()), TColor(0xFF000018)),
        Expect(READ("HoverRowColor", g.HoverRowColor()), TColor(0xFF000018)),
        Expect(READ("HoverRowColorTo", g.HoverRowColorTo()), clNone),
        Expect(READ("HoverRowCells", g.HoverRowCells() == THoverRowCells{THoverRowCell::hcNormal, THoverRowCell::hcSelected}), true),
        Expect(READ("HintColor", g.HintColor()), TColor(0xFF000018)),
        Expect(READ("HighlightColor", g.HighlightColor()), TColor(0xFF00000D)),
        Expect(READ("HighlightTextColor", g.HighlightTextColor()), TColor(0xFF00000E)),
        Expect(READ("SelectionColor", g.SelectionColor()), TColor(0xEACAB6)),
        Expect(READ("SelectionColorTo", g.SelectionColorTo()), clNone),
        Expect(READ("SelectionTextColor", g.SelectionTextColor()), TColor(0)),
        Expect(READ("SelectionColorMixerFactor", g.SelectionColorMixerFactor()), 50),
        Expect(READ("ActiveCellColor", g.ActiveCellColor()), TColor(0x808080)),
        Expect(READ("ActiveCellColorTo", g.ActiveCellColorTo()), clNone),
        Expect(READ("DisabledFontColor", g.DisabledFontColor()), TColor(0xC0C0C0)),
        Expect(READ("URLColor", g.URLColor()), TColor(0xFF0000)),
        Expect(READ("ScrollColor", g.ScrollColor()), clNone),
        Expect(READ("ScrollType is ssNormal", g.ScrollType() == TScrollType::ssNormal), true),
        Expect(READ("ScrollWidth is the system's", g.ScrollWidth() > 0), true),
        Expect(READ("VUDGradientFrom", g.VUDGradientFrom()), TColor(0xFFFFFF)),
        Expect(READ("VUDGradientTo", g.VUDGradient(TLookGradient::lgTo)), ColorToRGB(clBtnFace)),
        Expect(READ("VUDGradientMirrorFrom", g.VUDGradient(TLookGradient::lgMirrorFrom)), clNone),
        Expect(READ("XYOffset", g.XYOffset() == TPoint{2, 2}), true),
        Expect(READ("GroupColumn", g.GroupColumn()), -1),
        Expect(READ("ShowSelection", g.ShowSelection()), true),
        Expect(READ("EnableHTML", g.EnableHTML()), true),
        Expect(READ("EnableWheel", g.EnableWheel()), true),
        Expect(READ("EnhRowColMove", g.EnhRowColMove()), true),
        Expect(READ("IntelliZoom", g.IntelliZoom()), true),
        Expect(READ("WordWrap", g.WordWrap()), true),
        Expect(READ("AutoFilterUpdate", g.AutoFilterUpdate()), true),
        Expect(READ("FilterNormalCellsOnly", g.FilterNormalCellsOnly()), false),
        Expect(READ("UseInternalHintClass", g.UseInternalHintClass()), true),
        Expect(READ("ShowDesignHelper", g.ShowDesignHelper()), true),
        Expect(READ("QuoteEmptyCells", g.QuoteEmptyCells()), true),
        Expect(READ("SaveFixedCells", g.SaveFixedCells()), true),
        Expect(READ("SaveVirtCells", g.SaveVirtCells()), true),
        Expect(READ("SaveWithHTML", g.SaveWithHTML()), true),
        Expect(READ("LoadFirstRow", g.LoadFirstRow()), true),
        Expect(READ("ShowNullDates", g.ShowNullDates()), true),
        Expect(READ("ActiveCellShow", g.ActiveCellShow()), false),
        Expect(READ("AutoSize", g.AutoSize()), false),
        Expect(READ("Flat", g.Flat()), false),
        Expect(READ("FilterActive", g.FilterActive()), false),
        Expect(READ("ClearTextOnly", g.ClearTextOnly()), false),
        Expect(READ("JavaCSV", g.JavaCSV()), false),
        Expect(READ("MaxEditLength", g.MaxEditLength()), 0),
        Expect(READ("ZoomFactor", g.ZoomFactor()), 0),
        Expect(READ("FixedFooters", g.FixedFooters()), 0),
        Expect(READ("FixedRightCols", g.FixedRightCols()), 0),
        Expect(READ("NumHiddenColumns", g.NumHiddenColumns()), 0),
        Expect(READ("NumHiddenRows", g.NumHiddenRows()), 0),
        Expect(READ("TotalColCount", g.TotalColCount()), 5),
        Expect(READ("DefaultEditor is edNormal", g.DefaultEditor() == TEditorType::edNormal), true),
        Expect(READ("DefaultAlignment is left", g.DefaultAlignment() == TAlignment::taLeftJustify), true),
        Expect(READ("VAlignment is top", g.VAlignment() == TVAlignment::vtaTop), true),
        Expect(READ("InvalidEntryIcon is ieWarning", g.InvalidEntryIcon() == TInvalidEntryIcon::ieWarning), true),
        Expect(READ("IntelliPan is ipVertical", g.IntelliPan() == TIntelliPan::ipVertical), true),
        Expect(READ("HintShowLargeTextPos is hpCell", g.HintShowLargeTextPos() == THintShowLargeTextPos::hpCell), true),
        Expect(READ("FilterDropDownColumns is fdNormal", g.FilterDropDownColumns() == TFilterDropDownColumns::fdNormal), true),
        Expect(READ("ScrollBarAlways is saNone", g.ScrollBarAlways() == TScrollBarAlways::saNone), true),
        Expect(READ("ScrollBars both", g.ScrollBars() == ssBoth), true),
        Expect(READ("HoverFixedCells is hfNone", g.HoverFixedCells() == THoverFixedCells::hfNone), true),
        Expect(READ("Style is tsWindowsXP", g.Style() == TZvStyle::tsWindowsXP), true),
    });
}

// The option objects exist from the start, with their own defaults.
TEST_F(TGridFixture, CreatesItsOptionObjectsWithTheirDefaults)
{
    CheckCases(*grid, {
        Expect(READ("CellNode type", g.CellNode()->NodeType() == TNodeType::cnXP), true),
        Expect(READ("CellNode indent", g.CellNode()->NodeIndent()), 12),
        Expect(READ("CellNode colour", g.CellNode()->Color()), TColor(0xC0C0C0)),
        Expect(READ("CellNode tree colour", g.CellNode()->TreeColor()), TColor(0x808080)),
        Expect(READ("CellNode show tree", g.CellNode()->ShowTree()), true),
        Expect(READ("SizeWhileTyping", g.SizeWhileTyping()->Height() || g.SizeWhileTyping()->Width()), false),
        Expect(READ("ColumnSize stretch column", g.ColumnSize()->StretchColumn()), -1),
        Expect(READ("ColumnSize save", g.ColumnSize()->Save()), false),
        Expect(READ("ColumnSize owner", g.ColumnSize()->Owner() == &g), true),
        Expect(READ("HTMLSettings width", g.HTMLSettings()->Width()), 100),
        Expect(READ("HTMLSettings border", g.HTMLSettings()->BorderSize()), 1),
        Expect(READ("HTMLSettings export images", g.HTMLSettings()->ExportImages()), true),
        Expect(READ("PrintSettings page separator", g.PrintSettings()->PageNumSep()), String("/")),
        Expect(READ("PrintSettings date format", g.PrintSettings()->DateFormat()), String("dd/mm/yyyy")),
        Expect(READ("PrintSettings borders", g.PrintSettings()->Borders() == TPrintBorders::pbSingle), true),
        Expect(READ("PrintSettings centered", g.PrintSettings()->Centered()), true),
        Expect(READ("PrintSettings display font", g.PrintSettings()->UseDisplayFont()), true),
        Expect(READ("FixedFont name", g.FixedFont()->Name()), String("Tahoma")),
        Expect(READ("FixedFont bold", g.FixedFont()->Style().Contains(TFontStyle::fsBold)), true),
        Expect(READ("ActiveCellFont bold", g.ActiveCellFont()->Style().Contains(TFontStyle::fsBold)), true),
        Expect(READ("SortSettings column", g.SortSettings()->Column()), -1),
        Expect(READ("Bands inactive", g.Bands()->Active()), false),
        Expect(READ("FloatingFooter hidden", g.FloatingFooter()->Visible()), false),
        Expect(READ("SearchFooter hidden", g.SearchFooter()->Visible()), false),
        Expect(READ("DragScroll inactive", g.DragScrollOptions()->Active()), false),
        Expect(READ("Balloon off", g.Balloon()->Enable()), false),
        Expect(READ("ShowModified off", g.ShowModified()->Enabled()), false),
        Expect(READ("Filter drop-down list sorted", g.FilterValues()->Sorted()), true),
        Expect(READ("Row indicator empty", g.RowIndicator()->Empty()), true),
    });
    const std::vector<std::pair<const char*, const void*>> owned = {
        {"FocusHelper", grid->FocusHelper()},     {"Navigation", grid->Navigation()},
        {"MouseActions", grid->MouseActions()},   {"Grouping", grid->Grouping()},
        {"ControlLook", grid->ControlLook()},     {"DragDropSettings", grid->DragDropSettings()},
        {"ProgressAppearance", grid->ProgressAppearance()}, {"SyncGrid", grid->SyncGrid()},
        {"BackGround", grid->BackGround()},       {"Filter", grid->Filter()},
        {"FilterDropDown", grid->FilterDropDown()}, {"ColumnHeaders", grid->ColumnHeaders()},
        {"RowHeaders", grid->RowHeaders()},       {"LookupItems", grid->LookupItems()},
        {"SortIndexes", grid->SortIndexes()},     {"MergedColumns", grid->MergedColumns()},
        {"IgnoreColumns", grid->IgnoreColumns()}, {"CellControls", grid->CellControls()},
        {"PictureCache", grid->PictureCache()},   {"SharedCellGraphic", grid->SharedCellGraphic()},
        {"FooterPanel", grid->FooterPanel()},     {"SearchPanel", grid->SearchPanel()},
        {"ScrollHintWindow", grid->ScrollHintWindow()}, {"FilterDropList", grid->FilterDropList()},
        {"FilterDropCheckList", grid->FilterDropCheckList()}, {"FocusFrameWindow", grid->FocusFrameWindow()},
        {"ComboEditor", grid->ComboEditor()},     {"TransEdit", grid->TransEdit()},
        {"TransCombo", grid->TransCombo()},       {"CheckBoxEditor", grid->CheckBoxEditor()},
        {"EditBtnEditor", grid->EditBtnEditor()}, {"UnitEditBtnEditor", grid->UnitEditBtnEditor()},
        {"ButtonEditor", grid->ButtonEditor()},   {"HeaderDragButton", grid->HeaderDragButton()},
        {"FormControlEdit", grid->FormControlEdit()}, {"FormControlCombo", grid->FormControlCombo()},
        {"Arrow up", grid->ArrowWindow(TArrowDirection::arrUp)},
        {"Arrow right", grid->ArrowWindow(TArrowDirection::arrRight)},
    };
    for (const auto& [name, object] : owned) EXPECT_NE(object, nullptr) << name;
    EXPECT_EQ(grid->EditBtnEditor()->ButtonCaption(), String("..."));
    EXPECT_EQ(grid->UnitEditBtnEditor()->ButtonCaption(), String("..."));
    EXPECT_FALSE(grid->ComboEditor()->Visible());
    EXPECT_FALSE(grid->ComboEditor()->Enabled());
    EXPECT_EQ(grid->FooterPanel()->Height(), 0);
    EXPECT_EQ(grid->SearchPanel()->Height(), 0);
}

// Setters store what they are given; the few that shape their value do so.
TEST_F(TGridFixture, SettersStoreTheirValues)
{
    grid->SetSelectionColor(0x123456);
    grid->SetFixedFooters(2);
    grid->SetDefaultAlignment(TAlignment::taCenter);
    grid->SetCheckTrue("1");
    grid->SetGridLineColor(0x010203);
    grid->SetActiveRowShow(true);
    grid->SetWordWrap(false);
    grid->SetVAlignment(TVAlignment::vtaBottom);
    grid->SetURLColor(0x00FF00);
    grid->SetMaxEditLength(7);
    EXPECT_EQ(grid->SelectionColor(), TColor(0x123456));
    EXPECT_EQ(grid->FixedFooters(), 2);
    EXPECT_EQ(grid->DefaultAlignment(), TAlignment::taCenter);
    EXPECT_EQ(grid->CheckTrue(), String("1"));
    EXPECT_EQ(grid->GridLineColor(), TColor(0x010203));
    EXPECT_TRUE(grid->ActiveRowShow());
    EXPECT_FALSE(grid->WordWrap());
    EXPECT_FALSE(grid->BaseWordWrap()) << "the base grid's word wrap follows the grid's";
    EXPECT_EQ(grid->VAlignment(), TVAlignment::vtaBottom);
    EXPECT_EQ(grid->URLColor(), TColor(0x00FF00));
    EXPECT_EQ(grid->MaxEditLength(), 7);

    const std::pair<int, int> factors[] = {{150, 100}, {-5, 0}, {30, 30}};
    for (auto [given, stored] : factors) {
        grid->SetSelectionColorMixerFactor(given);
        EXPECT_EQ(grid->SelectionColorMixerFactor(), stored) << given;
    }

    // A fixed row count of the whole grid keeps one normal row while FixedRowAlways is off.
    grid->SetFixedRows(3);
    EXPECT_EQ(grid->FixedRows(), 3);
    grid->SetRowCount(20);
    EXPECT_EQ(grid->RowCount(), 20);
    EXPECT_EQ(grid->MaxRowCount(), 20);
    EXPECT_EQ(grid->NormalRowCount(), 20);
}

// Assign copies the settings and dimensions of another string grid and ignores anything else.
TEST_F(TGridFixture, AssignCopiesAnotherGrid)
{
    TZvStringGrid other(nullptr);
    other.SetColCount(7);
    other.SetRowCount(12);
    other.SetActiveCellColor(0x112233);
    other.SetAnchorHint(true);
    other.Navigation()->SetAllowInsertRow(true);
    other.CellNode()->SetNodeIndent(20);
    other.PrintSettings()->SetTitleText("Report");
    other.ColumnSize()->SetKey("Grid");
    grid->Assign(&other);
    EXPECT_EQ(grid->ColCount(), 7);
    EXPECT_EQ(grid->RowCount(), 12);
    EXPECT_EQ(grid->ActiveCellColor(), TColor(0x112233));
    EXPECT_TRUE(grid->AnchorHint());
    EXPECT_TRUE(grid->Navigation()->AllowInsertRow());
    EXPECT_EQ(grid->CellNode()->NodeIndent(), 20);
    EXPECT_EQ(grid->PrintSettings()->TitleText(), String("Report"));
    EXPECT_EQ(grid->ColumnSize()->Key(), String("Grid"));

    TStringList notAGrid;
    grid->Assign(&notAGrid);
    EXPECT_EQ(grid->ColCount(), 7);
}

// The grid's own option objects copy every setting with Assign.
// The mouse actions' and the navigation's change notifications reach a descendant's overrides, once per change.
TEST(TGridHooks, OptionChangesReachADescendant)
{
    struct TFollowingGrid : TZvStringGrid {
        using TZvStringGrid::TZvStringGrid;
        std::vector<String> Heard;
        void MouseActionsChanged(TObject* Sender) override
        {
            Heard.push_back(Sender == MouseActions() ? String("mouse actions") : String("?"));
        }
        void NavigationChanged(TObject* Sender) override
        {
            Heard.push_back(Sender == Navigation() ? String("navigation") : String("?"));
        }
    } grid(nullptr);
    grid.MouseActions()->SetWheelAction(TWheelAction::waScroll);
    grid.MouseActions()->SetWheelAction(TWheelAction::waScroll);
    grid.Navigation()->SetAdvanceDirection(TAdvanceDirection::adTopBottom);
    grid.Navigation()->SetAdvanceInsert(true);
    grid.Navigation()->SetAdvanceInsert(true);
    EXPECT_EQ(grid.Heard, (std::vector<String>{"mouse actions", "navigation", "navigation"}));
}

TEST(TGridSettings, AssignCopiesEverySetting)
{
    TPrintSettings a(nullptr), b(nullptr);
    a.SetTitleText("T");
    a.SetPageNumSep("-");
    a.SetBorders(TPrintBorders::pbAround);
    a.SetFitToPage(TFitToPage::fpAlways);
    a.Font()->SetName("Arial");
    a.TitleLines()->Add("line");
    a.SetBorderColor(0x0000FF);
    b.Assign(&a);
    EXPECT_EQ(b.TitleText(), String("T"));
    EXPECT_EQ(b.PageNumSep(), String("-"));
    EXPECT_EQ(b.Borders(), TPrintBorders::pbAround);
    EXPECT_EQ(b.FitToPage(), TFitToPage::fpAlways);
    EXPECT_EQ(b.Font()->Name(), String("Arial"));
    ASSERT_EQ(b.TitleLines()->Count(), 1);
    EXPECT_EQ(b.TitleLines()->Strings(0), String("line"));
    EXPECT_EQ(b.BorderColor(), TColor(0x0000FF));

    THTMLSettings h1, h2;
    h1.SetWidth(50);
    h1.SetTableStyle("x");
    h1.ColWidths()->Add(30);
    h2.Assign(&h1);
    EXPECT_EQ(h2.Width(), 50);
    EXPECT_EQ(h2.TableStyle(), String("x"));
    EXPECT_EQ(h2.ColWidths()->CommaText(), String("30"));

    TCellNode n1(nullptr), n2(nullptr);
    n1.SetNodeType(TNodeType::cnLeaf);
    n1.SetExpandOne(true);
    n2.Assign(&n1);
    EXPECT_EQ(n2.NodeType(), TNodeType::cnLeaf);
    EXPECT_TRUE(n2.ExpandOne());
}

// ---- The base cell store ---------------------------------------------------------------------------
TEST_F(TGridFixture, MergedCellsRedirectToTheirBaseCell)
{
    grid->MergeCells(1, 1, 2, 3);
    EXPECT_EQ(grid->MergeCount(), 1);
    EXPECT_TRUE(grid->IsBaseCell(1, 1));
    EXPECT_FALSE(grid->IsBaseCell(2, 3));
    EXPECT_EQ(grid->GetCellProperties(1, 1)->CellSpanX(), 1);
    EXPECT_EQ(grid->GetCellProperties(1, 1)->CellSpanY(), 2);
    EXPECT_EQ(grid->BaseCell(2, 3), (TPoint{1, 1}));
    EXPECT_EQ(grid->CellSpan(2, 3), (TPoint{1, 2}));
    EXPECT_EQ(grid->CellExt(1, 2), (TPoint{1, 1}));
    EXPECT_EQ(grid->FullCell(2, 2), (TRect{1, 1, 2, 3}));

    grid->SetGridCell(2, 3, "own");
    grid->SetCellEx(2, 3, "merged");
    EXPECT_EQ(grid->GetGridCell(1, 1), String("merged"));
    EXPECT_EQ(grid->GetCellEx(2, 2), String("merged"));
    EXPECT_EQ(grid->GetGridCell(2, 3), String("own"));

    grid->SplitCells(2, 3);
    EXPECT_EQ(grid->MergeCount(), 0);
    EXPECT_TRUE(grid->IsBaseCell(2, 3));
    EXPECT_EQ(grid->CellSpan(1, 1), (TPoint{0, 0}));

    // A 1 x 1 merge is no merged cell; split of a never merged cell still counts down.
    grid->MergeCells(3, 3, 1, 1);
    EXPECT_FALSE(grid->IsMergedCell(3, 3));
    EXPECT_EQ(grid->CellSpan(3, 3), (TPoint{0, 0}));
    grid->SplitCells(4, 4);
    EXPECT_EQ(grid->MergeCount(), 0);
}

TEST_F(TGridFixture, ReadingACellCreatesNoProperties)
{
    grid->SetCellEx(2, 2, "x");
    EXPECT_EQ(grid->GetCellEx(2, 2), String("x"));
    EXPECT_FALSE(grid->HasCellObject(2, 2));
    EXPECT_FALSE(grid->HasCellProps());
    TCellProperties* props = grid->GetCellProperties(2, 2);
    ASSERT_NE(props, nullptr);
    EXPECT_TRUE(grid->HasCellProps());
    EXPECT_EQ(props->OwnerCol(), 2);
    EXPECT_EQ(props->OwnerRow(), 2);
    EXPECT_EQ(props->Alignment(), TAlignment::taLeftJustify);
    EXPECT_TRUE(props->WordWrap());

    // Storing an object in an empty cell leaves its text empty.
    TObject user;
    grid->SetObjectEx(3, 3, &user);
    EXPECT_EQ(grid->GetObjectEx(3, 3), &user);
    EXPECT_TRUE(grid->GetCellEx(3, 3).isEmpty());

    // Outside the grid nothing is merged and reads go to the store directly.
    EXPECT_FALSE(grid->HasCellObject(-1, 0));
    EXPECT_EQ(grid->BaseCell(50, 50), (TPoint{50, 50}));
    EXPECT_TRUE(grid->GetCellEx(50, 50).isEmpty());
}

TEST_F(TGridFixture, DisplayTextEventsSeeNormalRowsOnly)
{
    grid->SetCellEx(1, 1, "a");
    grid->SetCellEx(1, 9, "b");
    grid->OnGetDisplText = [](TObject*, int, int, String& v) { v += "!"; };
    EXPECT_EQ(grid->GetCellEx(1, 1), String("a!"));
    grid->SetNormalRowCount(9);
    EXPECT_EQ(grid->GetCellEx(1, 9), String("b")) << "rows at or beyond the normal row count read raw";
}

TEST_F(TGridFixture, HiddenLastRowReportsWrites)
{
    int written = 0;
    struct TProbe : TZvStringGrid {
        using TZvStringGrid::TZvStringGrid;
        int* counter = nullptr;
        void LastRowWrittenHook() override { ++*counter; }
    };
    auto* probe = new TProbe(&form);
    probe->counter = &written;
    probe->SetHideLastRow(true);
    probe->SetCellEx(1, probe->RowCount() - 2, "not last");
    probe->SetCellEx(1, probe->RowCount() - 1, "last");
    EXPECT_EQ(written, 1);
}

TEST_F(TGridFixture, UndoAndRedoASequence)
{
    auto* undo = new TZvGridUndoRedo(&form);
    grid->SetUndoRedo(undo);
    EXPECT_EQ(undo->Grid(), grid);
    grid->SetCellEx(1, 1, "new1");
    grid->SetCellEx(2, 2, "new2");
    undo->StartSequence();
    undo->RegisterChange(1, 1, "", "new1");
    undo->RegisterChange(2, 2, "", "new2");
    undo->StopSequence();
    EXPECT_TRUE(undo->CanUndo());
    undo->Undo();
    EXPECT_TRUE(grid->GetCellEx(1, 1).isEmpty());
    EXPECT_TRUE(grid->GetCellEx(2, 2).isEmpty());
    EXPECT_FALSE(undo->CanUndo());
    undo->Redo();
    EXPECT_EQ(grid->GetCellEx(1, 1), String("new1"));
    EXPECT_EQ(grid->GetCellEx(2, 2), String("new2"));

    // Reset empties the list and keeps the level: Undo then does nothing.
    undo->Reset();
    EXPECT_TRUE(undo->CanUndo());
    undo->Undo();
    EXPECT_EQ(grid->GetCellEx(1, 1), String("new1"));

    // The grid forgets the component when it goes, and the component the grid.
    delete undo;
    EXPECT_EQ(grid->UndoRedo(), nullptr);
}

TEST(TCellGraphicTest, SettersSetTheKindAndFieldsAndAssignCopiesThem)
{
    TCellGraphic g;
    EXPECT_EQ(g.CellType(), TCellType::ctNone);
    g.SetCheckBox(true, true, TCellVAlign::vaCenter, TCellHAlign::haBeforeText, true);
    EXPECT_EQ(g.CellType(), TCellType::ctDataCheckBox);
    EXPECT_TRUE(g.CellBoolean());
    EXPECT_TRUE(g.CellTransparent());
    g.SetButton(20, 10, TCellVAlign::vaTop, TCellHAlign::haLeft, "Go");
    EXPECT_EQ(g.CellIndex(), 10 * 65536 + 20);
    EXPECT_EQ(g.CellText(), String("Go"));

    const std::pair<int, int> angles[] = {{-90, 270}, {720, 360}, {721, 1}, {45, 45}};
    for (auto [given, stored] : angles) {
        g.SetAngle(given);
        EXPECT_EQ(g.CellAngle(), stored) << given;
    }
    TCellGraphic copy;
    copy.Assign(&g);
    EXPECT_EQ(copy.CellType(), TCellType::ctRotated);
    EXPECT_EQ(copy.CellText(), String("Go"));
}

// The picture setters share one body, and so do the two-state controls': each
// must still record its own kind and every field it is given.
TEST(TCellGraphicTest, TwinSettersRecordTheirOwnKindAndFields)
{
    constexpr auto v = TCellVAlign::vaBottom;
    constexpr auto h = TCellHAlign::haAfterText;
    const struct {
        const char* name;
        std::function<void(TCellGraphic&)> set;
        TCellType kind;
        int index;   // the margin of a picture
        int angle;   // the stretch mode of a picture, 0 for a control
        bool boolean;
    } cases[] = {
        {"SetPicture", [](TCellGraphic& g) { g.SetPicture(nullptr, true, v, h, 7, TStretchMode::Shrink); },
         TCellType::ctPicture, 7, int(TStretchMode::Shrink), false},
        {"SetFilePicture", [](TCellGraphic& g) { g.SetFilePicture(nullptr, true, v, h, 9, TStretchMode::Stretch); },
         TCellType::ctFilePicture, 9, int(TStretchMode::Stretch), false},
        {"SetCheckBox", [](TCellGraphic& g) { g.SetCheckBox(true, false, v, h, true); }, TCellType::ctCheckBox, 0, 0,
         true},
        {"SetCheckBox data", [](TCellGraphic& g) { g.SetCheckBox(true, true, v, h, true); },
         TCellType::ctDataCheckBox, 0, 0, true},
        {"SetRadioButton", [](TCellGraphic& g) { g.SetRadioButton(true, true, v, h); }, TCellType::ctRadioButton, 0,
         0, true},
    };
    for (const auto& c : cases) {
        TCellGraphic g;
        g.SetCellAngle(5);   // a control clears what a picture left here
        c.set(g);
        EXPECT_EQ(g.CellType(), c.kind) << c.name;
        EXPECT_EQ(g.CellVAlign(), v) << c.name;
        EXPECT_EQ(g.CellHAlign(), h) << c.name;
        EXPECT_TRUE(g.CellTransparent()) << c.name;
        EXPECT_EQ(g.CellIndex(), c.index) << c.name;
        EXPECT_EQ(g.CellAngle(), c.angle) << c.name;
        EXPECT_EQ(g.CellBoolean(), c.boolean) << c.name;
    }
}

TEST(TZvStringGridLife, LivesAndDiesWithAFormShownHeadless)
{
    auto* form = new TForm(nullptr);
    auto* grid = new TZvStringGrid(form);
    grid->SetParent(form);
    grid->GetCellProperties(1, 1)->SetBrushColor(0x00FFFF);
    grid->AddCheckBoxColumn(1);
    form->Show();
    grid->HandleNeeded();
    EXPECT_TRUE(grid->HandleAllocated());
    form->Hide();
    delete form;   // frees the grid with its cell properties and windows
}
