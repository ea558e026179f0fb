#include "grid/ZvGrid.h"
#include "grid/editors/ZvInplaceEdit.h"

#include "grid/support/ZvStyles.h"

#include "platform/Forms.h"
#include "platform/Themes.h"
#include "platform/Timers.h"

#include <QApplication>
#include <QBuffer>
#include <QStyle>

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
TZvStringGrid::TZvStringGrid(TComponent* AOwner) : TBaseGrid(AOwner)
{
    // The grid hosts cell controls; the system only runs grids, it never designs them.
    FControlStyle.Include(csAcceptsControls);

    FFooterPanel = new TFooterPanel(this, this);
    FFooterPanel->SetAlign(TAlign::alBottom);
    FFooterPanel->SetHeight(0);
    FSearchPanel = new TSearchPanel(this, this);
    FSearchPanel->SetAlign(TAlign::alBottom);
    FSearchPanel->SetHeight(0);
    FSearchPanel->OnEditChange = [this](TObject* s) { SearchEditChange(s); };
    FSearchPanel->OnBackwardClick = [this](TObject* s) { SearchBackwardClick(s); };
    FSearchPanel->OnForwardClick = [this](TObject* s) { SearchForwardClick(s); };
    FSearchPanel->OnCloseClick = [this](TObject* s) { SearchCloseClick(s); };
    FSearchPanel->OnHighlightClick = [this](TObject* s) { SearchHighlightClick(s); };

    CreateOptionObjects();

    // The size goes through the platform so the scroll ranges and the footer follow it.
    SetRowCount(10);
    TBaseGrid::SetBounds(Left(), Top(), 400, 250);
    SetAutoSize(false);

    // A grid on a form takes over the form's resize handler and hands it back when it goes.
    FOwnerForm = dynamic_cast<TCustomForm*>(AOwner);
    if (FOwnerForm && !FDesignTime) {
        // A watch of the grid's own, not the form's OnResize: grids on one form
        // never hold each other's handlers, and the form's handler runs last, as itself.
        FOwnerForm->AddResizeWatch(this, [this](TControl* form) { SizeWithFormResize(form); });
        FOwnerForm->FreeNotification(this);
        FFormWidth = FOwnerForm->Width();
        FFormHeight = FOwnerForm->Height();
    }

    FVisibleCol.fill(true);
    SetDefaultDrawing(true);
    SetDefaultRowHeight(22);
    FVUDGradient.fill(clNone);
    SetVUDGradient(TLookGradient::lgFrom, 0xFFFFFF);
    SetVUDGradient(TLookGradient::lgTo, ColorToRGB(clBtnFace));

    // What the window system offers decides the look's defaults.
    FIsWinXP = IsWinXPOrLater();
    FIsWin7 = IsWin7OrLater();
    FIsComCtl6 = ::IsComCtl6();
    FIsWinVista = IsVistaOrLater();
    FBorderColor = FIsWinXP ? 0xB99D7F : 0x808080;
    FScrollWidth = SystemScrollBarExtent();

    FPrevLeftCol = LeftCol();
    FPrevTopRow = TBaseGrid::TopRow();

    CreateRunTimeWindows();
    HookOptionObjects();
    LinkCursor = crHandPoint;
}

void TZvStringGrid::CreateOptionObjects()
{
    FCellFont = std::make_unique<TFont>();
    FFocusHelper = std::make_unique<TFocusHelper>(this);
    FSearchFooter = std::make_unique<TSearchFooter>(this, FDesignTime);
    FFloatingFooter = std::make_unique<TFloatingFooter>(this);
    FPrintSettings = std::make_unique<TPrintSettings>(this);
    FHTMLSettings = std::make_unique<THTMLSettings>();
    FSortSettings = std::make_unique<TSortSettings>(this);
    FDragDropSettings = std::make_unique<TDragDropSettings>(this);
    FDragScrollOptions = std::make_unique<TDragScrollOptions>();
    FControlLook = std::make_unique<TControlLook>(this);
    FNavigation = std::make_unique<TNavigation>();
    FColumnSize = std::make_unique<TColumnSize>(this);
    FCellNode = std::make_unique<TCellNode>(this);
    FBands = std::make_unique<TBands>();
    FSizeWhileTyping = std::make_unique<TSizeWhileTyping>();
    FMouseActions = std::make_unique<TMouseActions>(this);
    FGrouping = std::make_unique<TGrouping>();
    FColumnHeaders = std::make_unique<TStringList>();
    FPictureCache = std::make_unique<THTMLPictureCache>();

    FFixedFont = std::make_unique<TFont>();
    FFixedFont->SetName(QStringLiteral("Tahoma"));
    FFixedFont->SetStyle(TFontStyle::fsBold);
    FActiveCellFont = std::make_unique<TFont>();
    if (FDesignTime) FActiveCellFont->SetName(QStringLiteral("Tahoma"));
    FActiveCellFont->SetStyle(TFontStyle::fsBold);

    FRowHeaders = std::make_unique<TStringList>();
    FSortList = std::make_unique<TStringList>();
    FLookupItems = std::make_unique<TStringList>();
    FRowSelectList = std::make_unique<TStringList>();
    FColSelectList = std::make_unique<TStringList>();
    FSortIndexes = std::make_unique<TSortIndexList>();
    FSortXRef = std::make_unique<TIntList>();
    FUnSortXRef = std::make_unique<TIntList>();
    FMergedColumns = std::make_unique<TIntList>();
    FSelectedCells = std::make_unique<TIntList>();
    FSelectedRows = std::make_unique<TIntList>();
    FModifiedRows = std::make_unique<TIntList>();
    FEnabledRows = std::make_unique<TIntList>();
    FRowIndicator = std::make_unique<TBitmap>();
    FBackGround = std::make_unique<TBackGround>(this);
    FScrollHintWindow = new THTMLHintWindow(this);
    FScrollHintWindow->SetVisible(false);

    FCellControls = std::make_unique<TControlList>();
    FProgressAppearance = std::make_unique<TGridProgressAppearance>();
    FSyncGrid = std::make_unique<TSyncGrid>(this);
    FColSizes = std::make_unique<TIntList>();

    FFilter = std::make_unique<TFilter>(this);
    FBalloon = std::make_unique<TBalloonSettings>();
    FShowModified = std::make_unique<TShowModified>();

    FColumnOrder = std::make_unique<TIntList>();
    FSharedCellGraphic = std::make_unique<TCellGraphic>();
    FIgnoreColumns = std::make_unique<TIntList>();
    FFilterDropDown = std::make_unique<TFilterDropDown>();
    FFilterIncremental = false;
    FFilterList = std::make_unique<TStringList>();
    FFilterList->SetSorted(true);
    FFilterList->SetDuplicates(TDuplicates::dupIgnore);
}

// The change handlers go through the virtual operations, so a descendant's overrides receive them.
void TZvStringGrid::HookOptionObjects()
{
    FNavigation->OnChange = [this](TObject* s) { SpareHookB(s); };
    FBands->OnChange = [this](TObject*) { Invalidate(); };
    FMouseActions->OnChange = [this](TObject* s) { SpareHookA(s); };
    FMouseActions->OnIsDesigning = [this](TObject*, bool& designing) { QueryDesignMode(designing); };
    FMouseActions->OnInvalidate = [this](TObject* s) { InvalidateGrid(s); };
    FMouseActions->OnDisableEdit = [this](TObject* s) { DisableEditing(s); };
    FColumnHeaders->OnChange = [this](TObject*) {
        SyncColumnHeaders();
        ShowColumnHeaders();
    };
    FRowHeaders->OnChange = [this](TObject*) { ShowRowHeaders(); };
    FMergedColumns->SetOnChange([this](TObject* s, int c, int r) { MergedColumnsChanged(s, c, r); });
    FFixedFont->OnChange = [this](TObject*) { Invalidate(); };
    FActiveCellFont->OnChange = [this](TObject*) { Invalidate(); };
    FProgressAppearance->OnChange = [this](TObject*) { Invalidate(); };
    FSearchFooter->OnChange = [this](TObject*) { UpdateSearchPanel(); };
    FControlLook->OnInvalidate = [this](TObject*) { Invalidate(); };
    FControlLook->OnGradientChange = [this](TLookGradient which, TColor value) { SetVUDGradient(which, value); };
    FSortSettings->SetSortIndexes(FSortIndexes.get());
    FSortSettings->OnGetFixedRows = [this] { return FixedRows(); };
    FSortSettings->OnInvalidate = [this](TObject*) { Invalidate(); };
    FBackGround->OnInvalidate = [this](TObject*) { Invalidate(); };
    FFloatingFooter->SetFooterPanel(FFooterPanel);
    FFloatingFooter->OnInvalidateGrid = [this](TObject*) { Invalidate(); };
    FFilter->OnRepaintCell = [this](int c, int r) { RepaintCell(c, r); };
    FFilterDropDown->OnChange = [this](TObject*) { Invalidate(); };
    FBalloon->OnEnableChange = [this](TObject*) {
        if (FBalloon->Enable()) BalloonInit();
        else BalloonDone();
    };
    FShowModified->OnChange = [this](TObject*) { Invalidate(); };
}

void TZvStringGrid::CreateRunTimeWindows()
{
    FFilterDropList = new TDropList(this);
    FFilterDropList->SetParent(this);
    FFilterDropList->SetBounds(0, 0, 0, 0);
    FFilterDropList->SetVisible(false);
    FFilterDropList->OnSelect = [this](TObject*) { SelectFilterValue(FFilterCol, -1); };
    FFilterDropCheckList = new TDropCheckList(this);
    FFilterDropCheckList->SetParent(this);
    FFilterDropCheckList->SetBounds(0, 0, 0, 0);
    FFilterDropCheckList->SetVisible(false);
    FFilterDropCheckList->OnSelect = [this](TObject*) { ApplyCheckedFilterEntries(FFilterCol); };

    if (FDesignTime) return;

    FFocusFrameWindow = new TGridFocusWindow(this);
    FFocusFrameWindow->SetVisible(false);
    const TArrowDirection directions[] = {TArrowDirection::arrUp, TArrowDirection::arrDown,
                                          TArrowDirection::arrLeft, TArrowDirection::arrRight};
    for (TArrowDirection d : directions) {
        auto* arrow = new TArrowWindow(this);
        arrow->Init(this, d);
        FArrows[std::size_t(d)] = arrow;
    }

    FComboEditor = new TGridCombo(this);
    FComboEditor->SetParent(this);
    FComboEditor->SetEnabled(false);
    FComboEditor->SetVisible(false);
    FComboEditor->SetIsWinXP(FIsWinXP);
    FComboEditor->SetIsVista(FIsWinVista && FIsComCtl6);
    FComboEditor->SetIsThemed(FIsComCtl6);
    FStyle = TZvStyle::tsWindowsXP;
    FInEditMode = false;
    FCurrentEditor = TEditorType::edNormal;

    FTransEdit = HiddenChild<TGridTransEdit>(this);
    FTransCombo = HiddenChild<TGridTransCombo>(this);
    FCheckBoxEditor = HiddenChild<TGridCheckBox>(this);

    FEditBtnEditor = HiddenChild<TGridEditBtn>(this);
    FEditBtnEditor->SetEnabled(false);
    FEditBtnEditor->SetButtonCaption(QStringLiteral("..."));
    FEditBtnEditor->SetBorderStyle(TBorderStyle::bsNone);
    FEditBtnEditor->SetIsWinXP(FIsWinXP);

    FUnitEditBtnEditor = HiddenChild<TGridUnitEditBtn>(this);
    FUnitEditBtnEditor->SetEnabled(false);
    FUnitEditBtnEditor->SetButtonCaption(QStringLiteral("..."));
    FUnitEditBtnEditor->SetBorderStyle(TBorderStyle::bsNone);
    FUnitEditBtnEditor->SetIsWinXP(FIsWinXP);
    FUnitEditBtnEditor->OnUnitChanged = [this](TObject*, const String&) {
        if (OnUnitChanged) OnUnitChanged(this);
    };

    FButtonEditor = HiddenChild<TGridButton>(this);
    FButtonEditor->OnClick = [this](TObject* s) { GridButtonClick(s); };

    FHeaderDragButton = new THeaderDragButton(this);
    FHeaderDragButton->SetVisible(false);

    FFormControlEdit = HiddenChild<TEdit>(this);
    FFormControlCombo = HiddenChild<TComboBox>(this);
}

void TZvStringGrid::Notification(TComponent* AComponent, TOperation Operation)
{
    TBaseGrid::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == FOwnerForm) FOwnerForm = nullptr;
}

// ---- Destruction ----------------------------------------------------------------------------------
TZvStringGrid::~TZvStringGrid()
{
    FDestroying = true;
    // An edit still open is dropped, not validated: no handler may run for a grid that is going,
    // and whatever owns the handlers may already be gone.
    FInEditMode = FEditing = FSpecialEditor = false;
    if (!FDesignTime) {
        BalloonDone();
        if (FOwnerForm) FOwnerForm->RemoveResizeWatch(this);
    }
    if (FColumnSize->Save()) SaveColSizes();

    FClearTextOnly = false;
    FSaveHiddenCells = false;
    if (HasNodes()) ExpandAll();
    UnHideColumnsAll();
    ClearAllCellProperties();
    // Hidden rows carry their cells' properties with them; the store gives them back here.
    for (const auto& item : FGridItems) {
        TStringList* cells = item->Items();
        for (int i = 0; i < cells->Count(); ++i) {
            FreeCellProperties(dynamic_cast<TCellProperties*>(cells->Objects(i)));
        }
    }
    FGridItems.clear();
    if (FOldCursor != crDefault) Screen->SetCursor(FOldCursor);
}

// ---- Window creation and loading -------------------------------------------------------------------
void TZvStringGrid::CreateWnd()
{
    if (FDestroying) return;
    TBaseGrid::CreateWnd();
    if (!Parent()) return;
    if (!FDesignTime && FScrollType == TScrollType::ssMetro) CreateScrollControls();
    FFooterPanel->SetParent(this);
    FSearchPanel->SetParent(this);
    FFooterPanel->SetVisible(FFloatingFooter->Visible());
    if (FSearchFooter->Visible()) {
        FSearchPanel->SetHeight(32);
        FSearchPanel->SetVisible(true);
    } else {
        FSearchPanel->SetVisible(false);
        FSearchPanel->SetHeight(0);
    }
    if (FColumnSize->Save()) LoadColSizes();
    FGridTimerID = SetTimer(this, GridTimerId, GridTimerInterval);
    FIsWinXP = FIsWinXP && IsThemeActive();
    FWheelMessage = WM_MOUSEWHEEL;
    FWheelScrollLines = QApplication::wheelScrollLines();
    if (FScrollType != TScrollType::ssNormal && !FLoading) UpdateFlatScrollBars();
}

void TZvStringGrid::Loaded()
{
    FOldCursor = Screen->Cursor();
    ShowColumnHeaders();
    ShowRowHeaders();
    if (FLook == TGridLook::glVUD) {
        SetLook(TGridLook::glCustom);
        SetLook(TGridLook::glVUD);
    }
    if (FAutoSize) AutoSizeColumns(false, 10);
    if (FColumnSize->Save()) LoadColSizes();
    FFixedRowsMin = TBaseGrid::FixedRows();
    FFixedColsMin = TBaseGrid::FixedCols();
    FMinRowHeight = DefaultRowHeight();
    FMinColWidth = 10;
    FMaxRowCount = RowCount();
    FLoaded = true;
    if (Options().Contains(goAlwaysShowEditor)) {
        SetOptions(Options() - TGridOptions{goAlwaysShowEditor});
        FNavigation->SetAlwaysEdit(true);
    }
    if (!FIsWinXP && FControlLook->ControlStyle() == TGridControlStyle::csTheme && !FDesignTime)
        FControlLook->SetControlStyle(TGridControlStyle::csClassic);
    UpdateSearchPanel();
    ApplyScrollBarAlways(false);
    if (FAutoThemeAdapt && !FDesignTime) ApplyOfficeTheme();
    SetColumnOrder();
    if (FBalloon->Enable()) BalloonInit();
    ApplyStyleServiceColors();
}

// ---- Copying ----------------------------------------------------------------------------------------
void TZvStringGrid::Assign(TPersistent* Source)
{
    auto* s = dynamic_cast<TZvStringGrid*>(Source);
    if (!s) return;   // only another string grid is copied
    Font()->Assign(s->Font());
    FActiveCellColor = s->FActiveCellColor;
    FActiveCellColorTo = s->FActiveCellColorTo;
    FActiveCellFont->Assign(s->FActiveCellFont.get());
    FActiveCellShow = s->FActiveCellShow;
    SetActiveRowShow(s->ActiveRowShow());
    SetAlign(s->Align());
    FFilterDropDown->Assign(s->FFilterDropDown.get());
    FAnchorHint = s->FAnchorHint;
    FAutoNumAlign = s->FAutoNumAlign;
    FAutoSize = s->FAutoSize;
    FAutoThemeAdapt = s->FAutoThemeAdapt;
    FAutoFilterUpdate = s->FAutoFilterUpdate;
    FMouseActions->Assign(s->FMouseActions.get());
    FNavigation->Assign(s->FNavigation.get());
    FGrouping->Assign(s->FGrouping.get());
    FSearchFooter->Assign(s->FSearchFooter.get());
    FPrintSettings->Assign(s->FPrintSettings.get());
    FFilter->Assign(s->FFilter.get());
    FHTMLSettings->Assign(s->FHTMLSettings.get());
    FBands->Assign(s->FBands.get());
    FCellNode->Assign(s->FCellNode.get());
    FSortSettings->Assign(s->FSortSettings.get());
    FDragScrollOptions->Assign(s->FDragScrollOptions.get());
    FDragDropSettings->Assign(s->FDragDropSettings.get());
    FProgressAppearance->Assign(s->FProgressAppearance.get());
    FColumnSize->Assign(s->FColumnSize.get());
    FSyncGrid->Assign(s->FSyncGrid.get());
    FFocusHelper->Assign(s->FFocusHelper.get());
    FFixedRowAlways = s->FFixedRowAlways;
    SetColCount(s->ColCount());
    SetRowCount(s->RowCount());
    SetFixedRows(s->FixedRows());
    SetFixedCols(s->FixedCols());
    SetDefaultColWidth(s->DefaultColWidth());
    SetDefaultRowHeight(s->DefaultRowHeight());
    SetFixedRowHeight(s->FixedRowHeight());
    SetFixedColWidth(s->FixedColWidth());
    FInvalidEntryTitle = s->FInvalidEntryTitle;
    FInvalidEntryIcon = s->FInvalidEntryIcon;
    FInvalidEntryText = s->FInvalidEntryText;
    SetOptions(s->Options());
    for (int c = 0; c < s->ColCount() && c < ColCount(); ++c) SetColWidths(c, s->ColWidths(c));
    FColumnHeaders->Assign(s->FColumnHeaders.get());
    for (int r = 0; r < s->RowCount() && r < RowCount(); ++r) SetRowHeights(r, s->RowHeights(r));
    FScrollProportional = s->FScrollProportional;
    FScrollSynch = s->FScrollSynch;
    SetScrollWidth(s->FScrollWidth);
    FScrollHints = s->FScrollHints;
    SetScrollBarAlways(s->FScrollBarAlways);
    SetScrollBars(s->ScrollBars());
    SetScrollColor(s->FScrollColor);
    SetScrollType(s->FScrollType);
    SetScrollWidth(s->FScrollWidth);
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
    if (FEditChange) {
        FEditChange = false;
        return;
    }
    TBaseGrid::Invalidate();
    if (!FLoading && FFloatingFooter && FFloatingFooter->Visible() && FFooterPanel) FFooterPanel->Invalidate();
}

void TZvStringGrid::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    if (FIntegralHeight && FUpdateCount == 0 && DefaultRowHeight() > 0) {
        const int s = VisibleColCount() + TBaseGrid::FixedCols() < ColCount() ? SystemScrollBarExtent() : 0;
        const int b = FBorderStyle == TBorderStyle::bsSingle ? 2 : 0;
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
    const TBackGroundDisplay bg = FBackGround->Display();
    if ((bg == TBackGroundDisplay::bdGradientHorz || bg == TBackGroundDisplay::bdGradientVert) &&
        FBackGround->ColorTo() != clNone)
        Invalidate();
    ApplyScrollBarAlways(false);
    CellControlsUpdate(false);
    if (FDesignTime) Invalidate();
}

void TZvStringGrid::ApplyScrollBarAlways(bool Force)
{
    if (!HandleAllocated()) return;
    const bool rowsFit = VisibleRowCount() + FixedRows() >= RowCount();
    const bool colsFit = VisibleColCount() + FixedCols() >= ColCount();
    if (FScrollBarAlways == TScrollBarAlways::saNone) {
        if (!Force) return;
        if (rowsFit) ShowScrollBar(this, SB_VERT, false);
        if (colsFit) ShowScrollBar(this, SB_HORZ, false);
        return;
    }
    // A bar asked for always stays, even with nothing to scroll; the platform shows it idle.
    const bool vert = FScrollBarAlways == TScrollBarAlways::saVert || FScrollBarAlways == TScrollBarAlways::saBoth;
    const bool horz = FScrollBarAlways == TScrollBarAlways::saHorz || FScrollBarAlways == TScrollBarAlways::saBoth;
    if (rowsFit) ShowScrollBar(this, SB_VERT, vert);
    if (colsFit) ShowScrollBar(this, SB_HORZ, horz);
}

TFont* TZvStringGrid::GetCellFont(int c, int r)
{
    const TCellProperties* props = PropsAt(c, r);
    if (!props) return Font();
    FCellFont->SetName(props->FontName());
    FCellFont->SetSize(props->FontSize());
    FCellFont->SetStyle(props->FontStyle());
    FCellFont->SetColor(props->FontColor());
    return FCellFont.get();
}

TInplaceEdit* TZvStringGrid::CreateEditor() { return EditorCreateHook(); }

TInplaceEdit* TZvStringGrid::EditorCreateHook()
{
    FNormalEdit = new TZvInplaceEdit(this);
    return FNormalEdit;
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
void TZvStringGrid::SpareHookA(TObject*) {}
void TZvStringGrid::SpareHookB(TObject*) {}

bool TZvStringGrid::QueryDesignMode(bool& IsDesigning)
{
    IsDesigning = FDesignTime;
    return IsDesigning;
}

void TZvStringGrid::InvalidateGrid(TObject*) { Invalidate(); }

void TZvStringGrid::DisableEditing(TObject*) { SetOptions(Options() - TGridOptions{goEditing}); }

// ---- Property setters of the class ---------------------------------------------------------------------
void TZvStringGrid::SetBorderColor(TColor Value)
{
    if (FBorderColor == Value) return;
    FBorderColor = Value;
    if (Parent() && HandleAllocated()) PaintWindowBorder();
}

void TZvStringGrid::SetFixedFont(TFont* Value)
{
    FFixedFont->Assign(Value);
    Invalidate();
}

void TZvStringGrid::SetArrowColor(TColor Value)
{
    FArrowColor = Value;
    for (TArrowWindow* arrow : FArrows)
        if (arrow) arrow->SetColor(Value);
}

void TZvStringGrid::SetCellChecker(TZvStringGridCheck* Value)
{
    if (FCellChecker == Value) return;
    if (FCellChecker) FCellChecker->RemoveFreeNotification(this);
    FCellChecker = Value;
    if (FCellChecker) FCellChecker->FreeNotification(this);
}

void TZvStringGrid::SetFixedDropDownMenu(TPopupMenu* Value)
{
    if (FFixedDropDownMenu == Value) return;
    if (FFixedDropDownMenu) FFixedDropDownMenu->RemoveFreeNotification(this);
    FFixedDropDownMenu = Value;
    if (FFixedDropDownMenu) FFixedDropDownMenu->FreeNotification(this);
}

void TZvStringGrid::SetPictureContainer(TPictureContainer* Value) { FPictureContainer = Value; }

void TZvStringGrid::SetColumnHeaders(TStringList* Value)
{
    if (Value) FColumnHeaders->Assign(Value);
    if (TBaseGrid::FixedRows() > 0) ClearColumnHeaders();
    ShowColumnHeaders();
}

void TZvStringGrid::SetRowHeaders(TStringList* Value)
{
    if (Value) FRowHeaders->Assign(Value);
    if (FDesignTime && TBaseGrid::FixedCols() > 0) ClearRowHeaders();
    ShowRowHeaders();
}

void TZvStringGrid::SetLookupItems(TStringList* Value)
{
    if (Value) FLookupItems->Assign(Value);
}
