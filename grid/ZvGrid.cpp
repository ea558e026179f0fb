#include "grid/ZvGrid.h"
#include "grid/ZvGridPrivate.h"
#include "grid/ZvGridFocusWindow.h"
#include "grid/ZvStringGridCheck.h"
#include "grid/support/ZvPictureContainer.h"
#include "grid/editors/ZvCellEditor.h"
#include "grid/editors/ZvCellEditorRegistry.h"
#include "grid/services/ZvGridCellStream.h"
#include "grid/services/ZvGridClipboard.h"
#include "grid/services/ZvGridDragDrop.h"
#include "grid/services/ZvGridFilter.h"
#include "grid/services/ZvGridHTMLXML.h"
#include "grid/services/ZvGridOffice.h"
#include "grid/services/ZvGridLayout.h"
#include "grid/services/ZvGridPrint.h"
#include "grid/services/ZvGridSearch.h"
#include "grid/services/ZvGridSort.h"
#include "grid/services/ZvGridTextFormats.h"
#include "grid/services/panels/ZvGridPanels.h"

#include "grid/support/ZvStyles.h"

#include "grid/editors/ZvGridSimpleEditors.h"
#include "grid/services/ZvHTMLHintWindow.h"
#include "grid/services/panels/ZvFilterDropLists.h"
#include "grid/services/panels/ZvFooterPanel.h"
#include "grid/services/panels/ZvHeaderDragButton.h"
#include "grid/services/panels/ZvSearchPanel.h"
#include "platform/Forms.h"
#include "platform/Menus.h"
#include "platform/ScrollBar.h"
#include "platform/Themes.h"
#include "platform/Timers.h"

#include <QApplication>
#include <QBuffer>
#include <QStyle>
#include <cmath>

namespace {
constexpr std::uintptr_t GridTimerId = 111;
constexpr unsigned GridTimerInterval = 500;

// The window system's scroll-bar thickness, which the grid takes as its default scroll width.
int SystemScrollBarExtent()
{
    QStyle* style = QApplication::style();
    return style ? style->pixelMetric(QStyle::PM_ScrollBarExtent) : 16;
}

// The cursor shown over links in cells; one for the whole grid unit.
TCursor LinkCursor = crDefault;

// An in-place control: a child of the grid, hidden until the grid shows it.
template <class T>
T* HiddenChild(TZvStringGrid* grid)
{
    auto* child = new T(grid);
    child->SetParent(grid);
    child->SetVisible(false);
    return child;
}
}   // namespace

// ---- Construction -----------------------------------------------------------------------------
TZvStringGridPrivate::TZvStringGridPrivate() = default;
TZvStringGridPrivate::~TZvStringGridPrivate() = default;

TZvStringGrid::TZvStringGrid(TComponent* AOwner)
    : TBaseGrid(AOwner), d(std::make_unique<TZvStringGridPrivate>())
{
    // The grid hosts cell controls; the system only runs grids, it never designs them.
    FControlStyle.Include(csAcceptsControls);

    TZvGridPanels& panels = Panels();
    panels.FFooterPanel = new TFooterPanel(this, this);
    panels.FFooterPanel->SetAlign(TAlign::alBottom);
    panels.FFooterPanel->SetHeight(0);
    panels.FSearchPanel = new TSearchPanel(this, this);
    panels.FSearchPanel->SetAlign(TAlign::alBottom);
    panels.FSearchPanel->SetHeight(0);
    panels.FSearchPanel->OnEditChange = [this](TObject* s) { SearchEditChanged(s); };
    panels.FSearchPanel->OnBackwardClick = [this](TObject* s) { SearchBackwardClick(s); };
    panels.FSearchPanel->OnForwardClick = [this](TObject* s) { SearchForwardClick(s); };
    panels.FSearchPanel->OnExitClick = [this](TObject* s) { SearchExitClick(s); };
    panels.FSearchPanel->OnHighlightClick = [this](TObject* s) { SearchHighlightClick(s); };

    CreateOptionObjects();

    // The size goes through the platform so the scroll ranges and the footer follow it.
    SetRowCount(10);
    TBaseGrid::SetBounds(Left(), Top(), 400, 250);
    SetAutoSize(false);

    // A grid on a form takes over the form's resize handler and hands it back when it goes.
    d->FOwnerForm = dynamic_cast<TCustomForm*>(AOwner);
    if (d->FOwnerForm && !d->FDesignTime) {
        // A watch of the grid's own, not the form's OnResize: grids on one form
        // never hold each other's handlers, and the form's handler runs last, as itself.
        d->FOwnerForm->AddResizeWatch(this, [this](TControl* form) { SizeWithFormResize(form); });
        d->FOwnerForm->FreeNotification(this);
        d->FFormWidth = d->FOwnerForm->Width();
        d->FFormHeight = d->FOwnerForm->Height();
    }

    d->FVisibleCol.fill(true);
    SetDefaultDrawing(true);
    SetDefaultRowHeight(22);
    d->FVUDGradient.fill(clNone);
    SetVUDGradient(TLookGradient::lgFrom, 0xFFFFFF);
    SetVUDGradient(TLookGradient::lgTo, ColorToRGB(clBtnFace));

    // What the window system offers decides the look's defaults.
    d->FIsWinXP = IsWinXPOrLater();
    d->FIsWin7 = IsWin7OrLater();
    d->FIsComCtl6 = ::IsComCtl6();
    d->FIsWinVista = IsVistaOrLater();
    d->FBorderColor = d->FIsWinXP ? 0xB99D7F : 0x808080;
    d->FScrollWidth = SystemScrollBarExtent();

    d->FPrevLeftCol = LeftCol();
    d->FPrevTopRow = TBaseGrid::TopRow();

    CreateRunTimeWindows();
    HookOptionObjects();
    LinkCursor = crHandPoint;
}

void TZvStringGrid::CreateOptionObjects()
{
    d->FCellFont = std::make_unique<TFont>();
    d->FFocusHelper = std::make_unique<TFocusHelper>(this);
    d->FFloatingFooter = std::make_unique<TFloatingFooter>(this);
    d->FDragScrollOptions = std::make_unique<TDragScrollOptions>();
    d->FControlLook = std::make_unique<TControlLook>(this);
    d->FNavigation = std::make_unique<TNavigation>();
    d->FCellNode = std::make_unique<TCellNode>(this);
    d->FBands = std::make_unique<TBands>();
    d->FSizeWhileTyping = std::make_unique<TSizeWhileTyping>();
    d->FMouseActions = std::make_unique<TMouseActions>(this);
    d->FGrouping = std::make_unique<TGrouping>();
    d->FColumnHeaders = std::make_unique<TStringList>();
    d->FPictureCache = std::make_unique<THTMLPictureCache>();

    d->FFixedFont = std::make_unique<TFont>();
    d->FFixedFont->SetName(QStringLiteral("Tahoma"));
    d->FFixedFont->SetStyle(TFontStyle::fsBold);
    d->FActiveCellFont = std::make_unique<TFont>();
    if (d->FDesignTime) d->FActiveCellFont->SetName(QStringLiteral("Tahoma"));
    d->FActiveCellFont->SetStyle(TFontStyle::fsBold);

    d->FRowHeaders = std::make_unique<TStringList>();
    d->FLookupItems = std::make_unique<TStringList>();
    d->FRowSelectList = std::make_unique<TStringList>();
    d->FColSelectList = std::make_unique<TStringList>();
    d->FMergedColumns = std::make_unique<TIntList>();
    d->FSelectedCells = std::make_unique<TIntList>();
    d->FSelectedRows = std::make_unique<TIntList>();
    d->FModifiedRows = std::make_unique<TIntList>();
    d->FEnabledRows = std::make_unique<TIntList>();
    d->FRowIndicator = std::make_unique<TBitmap>();
    d->FBackGround = std::make_unique<TBackGround>(this);
    Panels().FScrollHintWindow = new THTMLHintWindow(this);
    ScrollHintWindow()->SetVisible(false);

    d->FCellControls = std::make_unique<TControlList>();
    d->FProgressAppearance = std::make_unique<TGridProgressAppearance>();
    d->FSyncGrid = std::make_unique<TSyncGrid>(this);

    d->FBalloon = std::make_unique<TBalloonSettings>();
    d->FShowModified = std::make_unique<TShowModified>();

    d->FColumnOrder = std::make_unique<TIntList>();
    d->FSharedCellGraphic = std::make_unique<TCellGraphic>();
}

// The change handlers go through the virtual operations, so a descendant's overrides receive them.
void TZvStringGrid::HookOptionObjects()
{
    d->FNavigation->OnChange = [this](TObject* s) { NavigationChanged(s); };
    d->FBands->OnChange = [this](TObject*) { Invalidate(); };
    d->FMouseActions->OnChange = [this](TObject* s) { MouseActionsChanged(s); };
    d->FMouseActions->OnIsDesigning = [this](TObject*, bool& designing) { QueryDesignMode(designing); };
    d->FMouseActions->OnInvalidate = [this](TObject* s) { InvalidateGrid(s); };
    d->FMouseActions->OnDisableEdit = [this](TObject* s) { DisableEditing(s); };
    d->FColumnHeaders->OnChange = [this](TObject*) {
        SyncColumnHeaders();
        ShowColumnHeaders();
    };
    d->FRowHeaders->OnChange = [this](TObject*) { ShowRowHeaders(); };
    d->FMergedColumns->SetOnChange([this](TObject* s, int c, int r) { MergedColumnsChanged(s, c, r); });
    d->FFixedFont->OnChange = [this](TObject*) { Invalidate(); };
    d->FActiveCellFont->OnChange = [this](TObject*) { Invalidate(); };
    d->FProgressAppearance->OnChange = [this](TObject*) { Invalidate(); };
    d->FControlLook->OnInvalidate = [this](TObject*) { Invalidate(); };
    d->FControlLook->OnGradientChange = [this](TLookGradient which, TColor value) { SetVUDGradient(which, value); };
    d->FBackGround->OnInvalidate = [this](TObject*) { Invalidate(); };
    d->FFloatingFooter->SetFooterPanel(FooterPanel());
    d->FFloatingFooter->OnInvalidateGrid = [this](TObject*) { Invalidate(); };
    ConnectFloatingFooter();
    d->FBalloon->OnEnableChange = [this](TObject*) {
        if (d->FBalloon->Enable()) BalloonInit();
        else BalloonDone();
    };
    d->FShowModified->OnChange = [this](TObject*) { Invalidate(); };
}

void TZvStringGrid::CreateRunTimeWindows()
{
    TZvGridPanels& panels = Panels();
    panels.FFilterDropList = new TDropList(this);
    panels.FFilterDropList->SetParent(this);
    panels.FFilterDropList->SetBounds(0, 0, 0, 0);
    panels.FFilterDropList->SetVisible(false);
    panels.FFilterDropList->OnSelect = [this](TObject*, int Index) {
        SelectFilterValue(FilterService().FilterCol(), Index);
    };
    panels.FFilterDropList->OnCancel = [this](TObject*) { FilterService().SetFilterCol(-1); };
    panels.FFilterDropCheckList = new TDropCheckList(this);
    panels.FFilterDropCheckList->SetParent(this);
    panels.FFilterDropCheckList->SetBounds(0, 0, 0, 0);
    panels.FFilterDropCheckList->SetVisible(false);
    panels.FFilterDropCheckList->OnSelect = [this](TObject*, int) {
        ApplyCheckedFilterEntries(FilterService().FilterCol());
    };
    panels.FFilterDropCheckList->OnCancel = [this](TObject*) { FilterService().SetFilterCol(-1); };

    if (d->FDesignTime) return;

    d->FFocusFrameWindow = new TGridFocusWindow(this);
    d->FFocusFrameWindow->SetVisible(false);
    const TArrowDirection directions[] = {TArrowDirection::arrUp, TArrowDirection::arrDown,
                                          TArrowDirection::arrLeft, TArrowDirection::arrRight};
    for (TArrowDirection dir : directions) {
        auto* arrow = new TArrowWindow(this);
        arrow->Init(this, dir);
        d->FArrows[std::size_t(dir)] = arrow;
    }

    // The cell editors come with the grid, hidden, in the order they registered.
    for (const TZvCellEditorEntry& entry : TZvCellEditorRegistry::Instance().Entries())
        if (!entry.MadeOnFirstUse) CellEditorOf(entry, true);
    d->FStyle = TZvStyle::tsWindowsXP;
    d->FInEditMode = false;
    d->FCurrentEditor = TEditorType::edNormal;

    d->FTransEdit = HiddenChild<TGridTransEdit>(this);
    d->FTransCombo = HiddenChild<TGridTransCombo>(this);

    Panels().FHeaderDragButton = new THeaderDragButton(this);
    HeaderDragButton()->SetVisible(false);

    d->FFormControlEdit = HiddenChild<TControlEdit>(this);
    d->FFormControlCombo = HiddenChild<TControlCombo>(this);
    // Leaving a form control hands its value to the cell's markup.
    d->FFormControlEdit->OnExit = [this](TObject* s) { CellControlExit(s); };
    d->FFormControlCombo->OnExit = [this](TObject* s) { CellControlExit(s); };
    d->FScrollBar = HiddenChild<TScrollBar>(this);
    d->FScrollBar->SetKind(TScrollBarKind::sbVertical);
    d->FPaintScrollBar = new TScrollBar(this);
    d->FPaintScrollBar->SetKind(TScrollBarKind::sbVertical);
}

void TZvStringGrid::Notification(TComponent* AComponent, TOperation Operation)
{
    TBaseGrid::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == d->FOwnerForm) d->FOwnerForm = nullptr;
}

// ---- Destruction ----------------------------------------------------------------------------------
TZvStringGrid::~TZvStringGrid()
{
    d->FDestroying = true;
    // An edit still open is dropped, not validated: no handler may run for a grid that is going,
    // and whatever owns the handlers may already be gone.
    d->FInEditMode = d->FEditing = d->FSpecialEditor = false;
    if (!d->FDesignTime) {
        BalloonDone();
        if (d->FOwnerForm) d->FOwnerForm->RemoveResizeWatch(this);
    }
    if (ColumnSize()->Save()) {
        // A layout that cannot be stored is not worth ending the program over.
        try {
            SaveColSizes();
        } catch (const std::exception&) {
        }
    }

    d->FClearTextOnly = false;
    d->FSaveHiddenCells = false;
    if (HasNodes()) ExpandAll();
    UnHideColumnsAll();
    ClearAllCellProperties();
    // Hidden rows carry their cells' properties with them; the store gives them back here.
    for (const auto& item : d->FGridItems) {
        TStringList* cells = item->Items();
        for (int i = 0; i < cells->Count(); ++i) {
            FreeCellProperties(dynamic_cast<TCellProperties*>(cells->Objects(i)));
        }
    }
    d->FGridItems.clear();
    if (d->FOldCursor != crDefault) Screen->SetCursor(d->FOldCursor);
}

// ---- Window creation and loading -------------------------------------------------------------------
void TZvStringGrid::CreateWnd()
{
    if (d->FDestroying) return;
    TBaseGrid::CreateWnd();
    if (!Parent()) return;
    if (!d->FDesignTime && d->FScrollType == TScrollType::ssMetro) CreateScrollControls();
    FooterPanel()->SetParent(this);
    SearchPanel()->SetParent(this);
    FooterPanel()->SetVisible(d->FFloatingFooter->Visible());
    if (SearchFooter()->Visible()) {
        SearchPanel()->SetHeight(32);
        SearchPanel()->SetVisible(true);
    } else {
        SearchPanel()->SetVisible(false);
        SearchPanel()->SetHeight(0);
    }
    if (ColumnSize()->Save()) LoadColSizes();
    d->FGridTimerID = SetTimer(this, GridTimerId, GridTimerInterval);
    d->FIsWinXP = d->FIsWinXP && IsThemeActive();
    d->FWheelMessage = WM_MOUSEWHEEL;
    d->FWheelScrollLines = QApplication::wheelScrollLines();
    if (d->FScrollType != TScrollType::ssNormal && !d->FLoading) UpdateFlatScrollBars();
}

void TZvStringGrid::Loaded()
{
    d->FOldCursor = Screen->Cursor();
    ShowColumnHeaders();
    ShowRowHeaders();
    if (d->FLook == TGridLook::glVUD) {
        SetLook(TGridLook::glCustom);
        SetLook(TGridLook::glVUD);
    }
    if (d->FAutoSize) AutoSizeColumns(false, 10);
    if (ColumnSize()->Save()) LoadColSizes();
    d->FFixedRowsMin = TBaseGrid::FixedRows();
    d->FFixedColsMin = TBaseGrid::FixedCols();
    d->FMinRowHeight = DefaultRowHeight();
    d->FMinColWidth = 10;
    d->FMaxRowCount = RowCount();
    d->FLoaded = true;
    if (Options().Contains(goAlwaysShowEditor)) {
        SetOptions(Options() - TGridOptions{goAlwaysShowEditor});
        d->FNavigation->SetAlwaysEdit(true);
    }
    if (!d->FIsWinXP && d->FControlLook->ControlStyle() == TGridControlStyle::csTheme && !d->FDesignTime)
        d->FControlLook->SetControlStyle(TGridControlStyle::csClassic);
    SearchFooterChanged();
    ApplyScrollBarAlways(false);
    if (d->FAutoThemeAdapt && !d->FDesignTime) ApplyOfficeTheme();
    SetColumnOrder();
    if (d->FBalloon->Enable()) BalloonInit();
    ApplyStyleServiceColors();
    if (d->FDragDropService) CopyDropTargetFlags();
}

// ---- Copying ----------------------------------------------------------------------------------------
void TZvStringGrid::Assign(TPersistent* Source)
{
    auto* s = dynamic_cast<TZvStringGrid*>(Source);
    if (!s) return;   // only another string grid is copied
    Font()->Assign(s->Font());
    d->FActiveCellColor = s->d->FActiveCellColor;
    d->FActiveCellColorTo = s->d->FActiveCellColorTo;
    d->FActiveCellFont->Assign(s->d->FActiveCellFont.get());
    d->FActiveCellShow = s->d->FActiveCellShow;
    SetActiveRowShow(s->ActiveRowShow());
    SetAlign(s->Align());
    FilterDropDown()->Assign(s->FilterDropDown());
    d->FAnchorHint = s->d->FAnchorHint;
    d->FAutoNumAlign = s->d->FAutoNumAlign;
    d->FAutoSize = s->d->FAutoSize;
    d->FAutoThemeAdapt = s->d->FAutoThemeAdapt;
    SetAutoFilterUpdate(s->AutoFilterUpdate());
    d->FMouseActions->Assign(s->d->FMouseActions.get());
    d->FNavigation->Assign(s->d->FNavigation.get());
    d->FGrouping->Assign(s->d->FGrouping.get());
    SearchFooter()->Assign(s->SearchFooter());
    PrintSettings()->Assign(s->PrintSettings());
    Filter()->Assign(s->Filter());
    HTMLSettings()->Assign(s->HTMLSettings());
    d->FBands->Assign(s->d->FBands.get());
    d->FCellNode->Assign(s->d->FCellNode.get());
    SortSettings()->Assign(s->SortSettings());
    d->FDragScrollOptions->Assign(s->d->FDragScrollOptions.get());
    DragDropSettings()->Assign(s->DragDropSettings());
    d->FProgressAppearance->Assign(s->d->FProgressAppearance.get());
    ColumnSize()->Assign(s->ColumnSize());
    d->FSyncGrid->Assign(s->d->FSyncGrid.get());
    d->FFocusHelper->Assign(s->d->FFocusHelper.get());
    d->FFixedRowAlways = s->d->FFixedRowAlways;
    SetColCount(s->ColCount());
    SetRowCount(s->RowCount());
    SetFixedRows(s->FixedRows());
    SetFixedCols(s->FixedCols());
    SetDefaultColWidth(s->DefaultColWidth());
    SetDefaultRowHeight(s->DefaultRowHeight());
    SetFixedRowHeight(s->FixedRowHeight());
    SetFixedColWidth(s->FixedColWidth());
    d->FInvalidEntryTitle = s->d->FInvalidEntryTitle;
    d->FInvalidEntryIcon = s->d->FInvalidEntryIcon;
    d->FInvalidEntryText = s->d->FInvalidEntryText;
    SetOptions(s->Options());
    for (int c = 0; c < s->ColCount() && c < ColCount(); ++c) SetColWidths(c, s->ColWidths(c));
    d->FColumnHeaders->Assign(s->d->FColumnHeaders.get());
    for (int r = 0; r < s->RowCount() && r < RowCount(); ++r) SetRowHeights(r, s->RowHeights(r));
    d->FScrollProportional = s->d->FScrollProportional;
    d->FScrollSynch = s->d->FScrollSynch;
    SetScrollWidth(s->d->FScrollWidth);
    d->FScrollHints = s->d->FScrollHints;
    SetScrollBarAlways(s->d->FScrollBarAlways);
    SetScrollBars(s->ScrollBars());
    SetScrollColor(s->d->FScrollColor);
    SetScrollType(s->d->FScrollType);
    SetScrollWidth(s->d->FScrollWidth);
    AssignCells(Source);
}

void TZvStringGrid::AssignCells(TPersistent* Source)
{
    auto* s = dynamic_cast<TZvStringGrid*>(Source);
    if (!s) return;
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    s->SaveToStream(&buffer);
    buffer.seek(0);
    LoadFromStream(&buffer);
}

// ---- Window-level operations of the class -------------------------------------------------------------
void TZvStringGrid::Invalidate()
{
    if (d->FEditChange) {
        d->FEditChange = false;
        return;
    }
    TBaseGrid::Invalidate();
    if (!d->FLoading && d->FFloatingFooter && d->FFloatingFooter->Visible() && FooterPanel())
        FooterPanel()->Invalidate();
}

void TZvStringGrid::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    if (d->FIntegralHeight && d->FUpdateCount == 0 && DefaultRowHeight() > 0) {
        const int s = VisibleColCount() + TBaseGrid::FixedCols() < ColCount() ? SystemScrollBarExtent() : 0;
        const int b = d->FBorderStyle == TBorderStyle::bsSingle ? 2 : 0;
        const int h = AHeight - s - b;
        AHeight = s + (h - h % DefaultRowHeight()) + 2 * b;
    }
    TBaseGrid::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (Parent() && HandleAllocated()) PaintWindowBorder();
}

void TZvStringGrid::Resize()
{
    TBaseGrid::Resize();
    if (OnGridResize) OnGridResize(this);
    const TBackGroundDisplay bg = d->FBackGround->Display();
    if ((bg == TBackGroundDisplay::bdGradientHorz || bg == TBackGroundDisplay::bdGradientVert) &&
        d->FBackGround->ColorTo() != clNone)
        Invalidate();
    ApplyScrollBarAlways(false);
    CellControlsUpdate(false);
    if (d->FDesignTime) Invalidate();
}

void TZvStringGrid::ChangeScale(int M, int D)
{
    TBaseGrid::ChangeScale(M, D);
    ScaleChangeHook(M, D);
}

void TZvStringGrid::ScaleChangeHook(int M, int D)
{
    if (M == D || D == 0 || d->FDesignTime) return;
    for (TFont* font : {FixedFont(), ActiveCellFont()})
        font->SetSize(int(std::lround(double(font->Size()) * M / D)));
}

void TZvStringGrid::ApplyScrollBarAlways(bool Force)
{
    if (!HandleAllocated()) return;
    const bool rowsFit = VisibleRowCount() + FixedRows() >= RowCount();
    const bool colsFit = VisibleColCount() + FixedCols() >= ColCount();
    if (d->FScrollBarAlways == TScrollBarAlways::saNone) {
        if (!Force) return;
        if (rowsFit) ShowScrollBar(this, SB_VERT, false);
        if (colsFit) ShowScrollBar(this, SB_HORZ, false);
        return;
    }
    // A bar asked for always stays, even with nothing to scroll; the platform shows it idle.
    const TScrollBarAlways always = d->FScrollBarAlways;
    const bool vert = always == TScrollBarAlways::saVert || always == TScrollBarAlways::saBoth;
    const bool horz = always == TScrollBarAlways::saHorz || always == TScrollBarAlways::saBoth;
    if (rowsFit) ShowScrollBar(this, SB_VERT, vert);
    if (colsFit) ShowScrollBar(this, SB_HORZ, horz);
}

TFont* TZvStringGrid::GetCellFont(int c, int r)
{
    const TCellProperties* props = PropsAt(c, r);
    if (!props) return Font();
    d->FCellFont->SetName(props->FontName());
    d->FCellFont->SetSize(props->FontSize());
    d->FCellFont->SetStyle(props->FontStyle());
    d->FCellFont->SetColor(props->FontColor());
    return d->FCellFont.get();
}

TInplaceEdit* TZvStringGrid::CreateEditor() { return EditorCreateHook(); }

TInplaceEdit* TZvStringGrid::EditorCreateHook()
{
    TZvCellEditor* editor = CellEditor(TEditorType::edNormal);
    TInplaceEdit* edit = editor ? editor->AsInplaceEdit() : nullptr;
    // With no text editor registered the platform grid's plain one edits the text kinds.
    return edit ? edit : TBaseGrid::CreateEditor();
}

// ---- Version ---------------------------------------------------------------------------------------
int TZvStringGrid::GetVersionNr() { return 0x06020103; }

String TZvStringGrid::Version() const
{
    const unsigned nr = unsigned(const_cast<TZvStringGrid*>(this)->GetVersionNr());
    return QStringLiteral("%1.%2.%3.%4").arg(nr >> 24).arg((nr >> 16) & 0xFF).arg((nr >> 8) & 0xFF).arg(nr & 0xFF);
}

String TZvStringGrid::GetVersionString() { return Version() + QStringLiteral(" Sep, 2012"); }

// ---- Hooks handed to the option objects ----------------------------------------------------------------
// Empty by design: the grid reads these settings each time it uses them, so a change needs nothing more.
void TZvStringGrid::MouseActionsChanged(TObject*) {}
void TZvStringGrid::NavigationChanged(TObject*) {}

bool TZvStringGrid::QueryDesignMode(bool& IsDesigning)
{
    IsDesigning = d->FDesignTime;
    return IsDesigning;
}

void TZvStringGrid::InvalidateGrid(TObject*) { Invalidate(); }

void TZvStringGrid::DisableEditing(TObject*) { SetOptions(Options() - TGridOptions{goEditing}); }

// ---- Property setters of the class ---------------------------------------------------------------------
void TZvStringGrid::SetBorderColor(TColor Value)
{
    if (!StoreChanged(d->FBorderColor, Value)) return;
    if (Parent() && HandleAllocated()) PaintWindowBorder();
}

void TZvStringGrid::SetFixedFont(TFont* Value)
{
    d->FFixedFont->Assign(Value);
    Invalidate();
}

void TZvStringGrid::SetArrowColor(TColor Value)
{
    d->FArrowColor = Value;
    for (TArrowWindow* arrow : d->FArrows)
        if (arrow) arrow->SetColor(Value);
}

void TZvStringGrid::SetCellChecker(TZvStringGridCheck* Value)
{
    if (d->FCellChecker == Value) return;
    if (d->FCellChecker) d->FCellChecker->RemoveFreeNotification(this);
    d->FCellChecker = Value;
    if (d->FCellChecker) d->FCellChecker->FreeNotification(this);
}

void TZvStringGrid::SetFixedDropDownMenu(TPopupMenu* Value)
{
    if (d->FFixedDropDownMenu == Value) return;
    if (d->FFixedDropDownMenu) d->FFixedDropDownMenu->RemoveFreeNotification(this);
    d->FFixedDropDownMenu = Value;
    if (d->FFixedDropDownMenu) d->FFixedDropDownMenu->FreeNotification(this);
}

void TZvStringGrid::SetPictureContainer(TPictureContainer* Value) { d->FPictureContainer = Value; }

void TZvStringGrid::SetColumnHeaders(TStringList* Value)
{
    if (Value) d->FColumnHeaders->Assign(Value);
    if (TBaseGrid::FixedRows() > 0) ClearColumnHeaders();
    ShowColumnHeaders();
}

void TZvStringGrid::SetRowHeaders(TStringList* Value)
{
    if (Value) d->FRowHeaders->Assign(Value);
    if (d->FDesignTime && TBaseGrid::FixedCols() > 0) ClearRowHeaders();
    ShowRowHeaders();
}

void TZvStringGrid::SetLookupItems(TStringList* Value)
{
    if (Value) d->FLookupItems->Assign(Value);
}
