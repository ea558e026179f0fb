#pragma once
// The string grid's state, behind the one pointer the grid holds (TZvStringGrid::d).
// Only the grid's own source files in grid/ include this header: a change here
// rebuilds the grid, not every file that uses it. Fields are grouped by the
// feature file that owns them; defaults stand beside the fields, the
// constructor sets only what initialisers cannot.

#include "grid/ZvGrid.h"

#include <QRegion>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class TTimer;
class TScrollBar;

// A service's state is made the first time anything asks for it.
template <class TService>
TService& MadeOnFirstUse(std::unique_ptr<TService>& Slot, const TZvStringGrid* Grid)
{
    if (!Slot) Slot = std::make_unique<TService>(const_cast<TZvStringGrid*>(Grid));
    return *Slot;
}

// Narrows a canvas's clip to a rectangle within the clip it already has (the
// one that keeps a partly scrolled cell off the fixed cells) and gives the old
// clip back when it goes. A rectangle wholly outside the clip paints nothing.
class TClipWithin {
public:
    TClipWithin(TCanvas& Canvas, const TRect& Rect) : FCanvas(Canvas), FSaved(Canvas.ClipRegion())
    {
        QRegion clip(Rect.ToQRect());
        if (!FSaved.isEmpty()) clip &= FSaved;
        // An empty region would lift the clip altogether; one off the device drops everything.
        if (clip.isEmpty()) clip = QRegion(-2, -2, 1, 1);
        FCanvas.SetClipRegion(clip);
    }
    ~TClipWithin() { FCanvas.SetClipRegion(FSaved); }
    TClipWithin(const TClipWithin&) = delete;
    TClipWithin& operator=(const TClipWithin&) = delete;

private:
    TCanvas& FCanvas;
    QRegion FSaved;
};

// What the drawing engine knows of the cell being painted, shared with the
// text and graphic painters it calls.
struct TCellPaint {
    TCanvas* Canvas = nullptr;
    int RCol = 0, DCol = 0, ARow = 0, SelRow = 0;
    TGridDrawState AState;
    TRect Rect;
    TColor CellBrush = clNone, CellFont = clNone;
    TAlignment HAlign = TAlignment::taLeftJustify;
    TVAlignment VAlign = TVAlignment::vtaTop;
    bool WordWrap = false;
    TCellGraphic* Graphic = nullptr;
    int GraphicWidth = 0, GraphicHeight = 0;
    TCellHAlign GraphicHAlign = TCellHAlign::haLeft;
    TCellVAlign GraphicVAlign = TCellVAlign::vaTop;
    bool DrawText = true;
    bool FilterGlyph = false;
    int ScrollPos = 0;
    int TextWidth = 0;
};

struct TZvStringGridPrivate {
    TZvStringGridPrivate();
    ~TZvStringGridPrivate();
    TZvStringGridPrivate(const TZvStringGridPrivate&) = delete;
    TZvStringGridPrivate& operator=(const TZvStringGridPrivate&) = delete;

    // ---- The services, each made on first use (grid/services/) ----
    std::unique_ptr<TZvGridSort> FSortService;
    std::unique_ptr<TZvGridFilter> FFilterService;
    std::unique_ptr<TZvGridSearch> FSearchService;
    std::unique_ptr<TZvGridClipboard> FClipboardService;
    std::unique_ptr<TZvGridTextFormats> FTextFormatsService;
    std::unique_ptr<TZvGridCellStream> FCellStreamService;
    std::unique_ptr<TZvGridHTMLXML> FHTMLXMLService;
    std::unique_ptr<TZvGridOffice> FOfficeService;
    std::unique_ptr<TZvGridPrint> FPrintService;
    std::unique_ptr<TZvGridLayout> FLayoutService;
    std::unique_ptr<TZvGridDragDrop> FDragDropService;
    std::unique_ptr<TZvGridPanels> FPanels;

    // ---- Drawing engine ----
    TCellPaint FCellPaint;
    TGridCoord FHoverButtonCell{-1, -1};
    TColor FSelectionRectangleColor = clBlack;
    TGridCoord FBalloonCell{-1, -1};

    // ---- Validation: the balloon a rejected entry shows on its field ----
    TGridBalloonWindow* FRejectionBalloon = nullptr;

    // ---- Window messages ----
    int FWheelRemainder = 0;
    int FUserSizedCol = -1;
    int FUserSizedRow = -1;
    bool FCursorChangedByGrid = false;

    // ---- Window procedure, wheel and panning ----
    bool FShowEditProcess = false;
    bool FEditStart = false;
    bool FScrollLock = false;
    bool FWheelPan = false;
    TPoint FPanOrigin;
    int FPanCursorId = 8000;
    TCursor FPrevCursor = crDefault;
    TGridRect FSelectionBeforeMessage;

    // ---- Scroll follow-up, cell controls and balloons ----
    TGridBalloonWindow* FBalloonWindow = nullptr;
    std::unique_ptr<TTimer> FBalloonTimer;
    TGridCoord FBalloonPointerCell{-1, -1};
    bool FBalloonInitialised = false;

    // ---- Mouse release, double click, right button ----
    bool FColumnMovedFlag = false;
    bool FSyncing = false;

    // ---- Pointer and keys of the column grid ----
    // Hover of fixed cells frozen while a fixed drop-down menu is open.
    bool FNoMouseLeave = false;
    bool FDropDownDown = false;
    // Real column whose header filter list is open.
    int FFilterCol = -1;
    int FOldKeepLeftCol = -1;
    TGridRect FSizeSelection{-1, -1, -1, -1};
    TGridRect FMoveSelection{-1, -1, -1, -1};
    TGridCoord FHoverCell{-1, -1};
    TGridCoord FHotFixedCell{-1, -1};
    TGridCoord FScrollBarCell{-1, -1};
    String FAnchor;
    // Fixed rows sized by dragging their bottom border.
    bool FFixedRowSizingHover = false;
    bool FFixedRowSizing = false;
    int FFixedRowSizingIndex = -1;
    int FSizeFixedX = -1;
    int FSizeFixedY = -1;
    int FMoveColInd = -1;
    int FMoveRowInd = -1;
    // A row drag selection scrolled above its start: rows above FixedRows count.
    bool FDragScrolledUp = false;
    // The header filter list as last opened: its place, its texts and ticks.
    TRect FFilterListBounds;
    TStringList FFilterListItems;
    std::vector<bool> FFilterListTicked;

    // ---- State shared between the features ----
    // Construction and platform level.
    bool FDesignTime = false;
    bool FLoading = false;
    TZvStyle FStyle = TZvStyle::tsWindowsXP;
    TGridCoord FLastKeyCell{-1, -1};
    int FFilterLevel = 0;
    int FGroupColumn = -1;
    bool FLoaded = false;
    std::unique_ptr<TIntList> FMergedColumns;
    std::unique_ptr<TIntList> FSelectedCells;
    std::unique_ptr<TIntList> FSelectedRows;
    std::unique_ptr<TIntList> FModifiedRows;
    std::unique_ptr<TIntList> FEnabledRows;
    TColor FHintColor = clInfoBk;
    TColor FHighlightColor = clHighlight;
    TColor FHighLightTextColor = clHighlightText;
    std::unique_ptr<TBands> FBands;
    TColor FBorderColor = 0xB99D7F;
    std::unique_ptr<TNavigation> FNavigation;
    std::unique_ptr<TCellNode> FCellNode;
    std::unique_ptr<TSizeWhileTyping> FSizeWhileTyping;
    std::unique_ptr<TMouseActions> FMouseActions;
    std::unique_ptr<TGrouping> FGrouping;
    std::array<bool, 513> FVisibleCol;
    std::array<std::int16_t, 513> FAllColWidths{};
    int FUpdateCount = 0;
    int FNumNodes = 0;
    int FNumHidden = 0;
    TColor FSelectionColor = 0xEACAB6;
    TColor FSelectionColorTo = clNone;
    TColor FSelectionMirrorColor = clNone;
    TColor FSelectionMirrorColorTo = clNone;
    TColor FSelectionTextColor = clBlack;
    bool FSelectionColorMixer = false;
    int FSelectionColorMixerFactor = 50;
    std::unique_ptr<TFont> FFixedFont;
    bool FFixedRowAlways = false;
    bool FFixedColAlways = false;
    int FFixedRowsMin = 1;
    int FFixedColsMin = 1;
    std::unique_ptr<TStringList> FColumnHeaders;
    std::unique_ptr<TStringList> FRowHeaders;
    std::unique_ptr<TStringList> FLookupItems;
    int FFixedFooters = 0;
    int FFixedRightCols = 0;
    String FCheckTrue = QStringLiteral("Y");
    String FCheckFalse = QStringLiteral("N");
    String FFloatFormat = QStringLiteral("%.2f");
    TCursor FOldCursor = crDefault;
    std::uintptr_t FGridTimerID = 0;
    std::vector<std::unique_ptr<TGridItem>> FGridItems;
    std::unique_ptr<TControlLook> FControlLook;
    std::unique_ptr<TFloatingFooter> FFloatingFooter;
    bool FIsWinXP = false;
    bool FIsWin7 = false;
    bool FIsWinVista = false;
    bool FIsComCtl6 = false;
    int FMaxRowCount = 0;
    int FMaxColCount = 0;
    int FFixedRowHeight = 22;
    TEditorType FDefaultEditor = TEditorType::edNormal;
    TAlignment FDefaultAlignment = TAlignment::taLeftJustify;
    // Further owned objects.
    std::unique_ptr<TFont> FCellFont;
    std::unique_ptr<TFocusHelper> FFocusHelper;
    std::unique_ptr<TDragScrollOptions> FDragScrollOptions;
    std::unique_ptr<TGridProgressAppearance> FProgressAppearance;
    std::unique_ptr<TSyncGrid> FSyncGrid;
    std::unique_ptr<TBackGround> FBackGround;
    std::unique_ptr<TBalloonSettings> FBalloon;
    std::unique_ptr<TShowModified> FShowModified;
    std::unique_ptr<TFont> FActiveCellFont;
    std::unique_ptr<TStringList> FRowSelectList;
    std::unique_ptr<TStringList> FColSelectList;
    std::unique_ptr<TIntList> FColumnOrder;
    std::vector<TGridChangeNotifier*> FNotifiers;
    std::unique_ptr<TControlList> FCellControls;
    std::unique_ptr<THTMLPictureCache> FPictureCache;
    std::unique_ptr<TBitmap> FRowIndicator;
    std::unique_ptr<TCellGraphic> FSharedCellGraphic;
    // Windows and editors, owned as components of the grid.
    TGridFocusWindow* FFocusFrameWindow = nullptr;
    std::array<TArrowWindow*, 4> FArrows{};
    // The cell editors by registry entry name (grid/editors/ZvCellEditorRegistry.h).
    std::vector<std::pair<String, TZvCellEditor*>> FCellEditors;
    TGridTransEdit* FTransEdit = nullptr;
    TGridTransCombo* FTransCombo = nullptr;
    TEdit* FFormControlEdit = nullptr;
    TComboBox* FFormControlCombo = nullptr;
    // The control over the bar of the cell the pointer last was on (real column), and the
    // windowless bar that paints the bars of all cells.
    TScrollBar* FScrollBar = nullptr;
    TScrollBar* FPaintScrollBar = nullptr;
    int FScrollCol = -1;
    int FScrollRow = -1;
    // Referenced, never freed.
    TZvStringGridCheck* FCellChecker = nullptr;
    TPictureContainer* FPictureContainer = nullptr;
    TCustomImageList* FGridImages = nullptr;
    TPopupMenu* FFixedDropDownMenu = nullptr;
    // The owner form whose size the grid watches, and that form's size when last followed.
    TCustomForm* FOwnerForm = nullptr;
    int FFormWidth = 0;
    int FFormHeight = 0;
    // Appearance.
    bool FActiveCellShow = false;
    TColor FActiveCellColor = 0x808080;
    TColor FActiveCellColorTo = clNone;
    bool FSelectionRectangle = false;
    bool FSelectionResizer = false;
    bool FSelectionRTFKeep = false;
    bool FShowSelection = true;
    TColor FURLColor = 0xFF0000;
    bool FURLShow = false;
    bool FURLShowInText = false;
    bool FURLUnderlineOnHover = false;
    bool FURLFull = false;
    bool FURLEdit = false;
    TColor FDisabledFontColor = 0xC0C0C0;
    bool FUseDisabledFont = true;
    TGridLook FLook = TGridLook::glXP;
    bool FFlat = false;
    bool FCtl3D = true;
    bool FHovering = false;
    THoverFixedCells FHoverFixedCells = THoverFixedCells::hfNone;
    bool FAutoThemeAdapt = false;
    TOfficeTheme FLastOfficeTheme = TOfficeTheme::otUnknown;
    TScrollType FScrollType = TScrollType::ssNormal;
    TColor FScrollColor = clNone;
    int FScrollWidth = 0;
    bool FScrollProportional = false;
    bool FScrollSynch = false;
    TScrollHintType FScrollHints = TScrollHintType::shNone;
    TScrollBarAlways FScrollBarAlways = TScrollBarAlways::saNone;
    TScrollStyle FScrollBarsEx = ssBoth;
    bool FIsFlat = false;
    bool FNoDefaultDraw = false;
    bool FNoImageAndText = false;
    bool FFitCellsInGrid = true;
    TBorderStyle FBorderStyle = TBorderStyle::bsSingle;
    // The fixed-cell gradients: normal, hover and pressed (indexed by TLookGradient).
    std::array<TColor, LookGradientCount> FVUDGradient{};
    TZvStyle FComponentStyle = TZvStyle::tsCustom;
    TColorTones FColorTones;
    bool FHasColorTones = false;
    TColor FArrowColor = clLime;
    int FVerticalTextFlag = 0;
    // Layout and behaviour.
    bool FWordWrapEx = true;
    bool FFixedAsButtons = false;
    bool FMultilinecells = false;
    TVAlignment FVAlignment = TVAlignment::vtaTop;
    bool FIntegralHeight = false;
    bool FSizeWithForm = false;
    bool FAutoSize = false;
    bool FAutoNumAlign = false;
    bool FSpreadSheet = false;
    bool FEnableHTML = true;
    bool FEnableWheel = true;
    bool FEnableBlink = false;
    bool FEnhTextSize = false;
    bool FEnhRowColMove = true;
    bool FEditWithTags = false;
    bool FExcelStyleDecimalSeparator = false;
    bool FHintShowCells = false;
    bool FHintShowLargeText = false;
    bool FHintShowSizing = false;
    bool FHTMLHint = false;
    bool FAnchorHint = false;
    THintShowLargeTextPos FHintShowLargeTextPos = THintShowLargeTextPos::hpCell;
    bool FUseInternalHintClass = true;
    TIntelliPan FIntelliPan = TIntelliPan::ipVertical;
    bool FIntelliZoom = true;
    String FInvalidEntryTitle;
    String FInvalidEntryText;
    TInvalidEntryIcon FInvalidEntryIcon = TInvalidEntryIcon::ieWarning;
    bool FLookup = false;
    bool FLookupCaseSensitive = false;
    bool FLookupHistory = false;
    int FMaxEditLength = 0;
    int FMaxComboLength = 0;
    bool FHideFocusRect = false;
    bool FShowDesignHelper = true;
    String FValidChars;
    String FEditMask;
    QChar FPasswordChar = QLatin1Char('*');
    bool FSaveFixedCells = true;
    bool FSaveFixedRows = false;
    bool FSaveFixedCols = false;
    bool FSaveHiddenCells = false;
    bool FSaveVirtCells = true;
    bool FSaveWithHTML = true;
    bool FSaveWithRTF = false;
    bool FShowNullDates = true;
    bool FClearTextOnly = false;
    bool FSizeGrowOnly = false;
    int FMinRowHeight = 0;
    int FMaxRowHeight = 0;
    int FMinColWidth = 0;
    int FMaxColWidth = 0;
    int FZoomFactor = 0;
    TPoint FXYOffset{2, 2};
    bool FXYOffsetTopLeftOnly = false;
    TObject* FEditLink = nullptr;
    // The window procedure of an inplace edit link's control while the grid answers for it.
    TWndMethod FGridControlWndProc;
    // Keyboard, mouse and navigation state.
    TGridRect FSelectionBeforeKey;
    QChar FStartEditChar;
    TGridCoord FHTMLControlCell{-1, -1};
    String FHTMLControlID;
    String FHTMLControlType;
    bool FHTMLControlEditing = false;
    bool FClickPending = false;
    // A left press opened the editor: the drop-down editors put the caret under the pointer.
    bool FLButFlg = false;
    bool FMouseDownMove = false;
    bool FMouseKeepDown = false;
    bool FSpinUp = false;
    bool FSpinDown = false;
    TGridCoord FSizingCell{-1, -1};
    int FSizingColWidth = 0;
    int FSizingRowHeight = 0;
    TPoint FPressPos;
    TPoint FPressCornerDist;
    int FMoveIndex = -1;
    TPoint FPressOffset;
    TGridCoord FPushedCellButton{-1, -1};
    TRect FPushedFixedRect;
    bool FPushedFixed = false;
    bool FHTMLButtonDown = false;
    TGridCoord FHTMLButtonCell{-1, -1};
    bool FDeselect = false;
    bool FSelectionClick = false;
    bool FMouseDown = false;
    bool FMouseResize = false;
    TGridRect FResizeSelection;
    bool FFixedSizingHover = false;
    bool FFixedSizing = false;
    int FFixedSizingIndex = -1;
    int FFixedSizingStart = 0;
    bool FDblClickSized = false;
    bool FCaretPositioning = false;
    TMouseSelectMode FMouseSelectMode = TMouseSelectMode::msNormal;
    int FMouseSelectStart = -1;
    TGridCoord FSavedScrollPos;
    bool FSelectionHidden = false;
    TGridRect FHiddenSelection;
    bool FSelChange = false;
    bool FSelectionChanged = false;
    TGridCoord FAdvanceOrigin{-1, -1};
    TGridCoord FLastTabCell{-1, -1};
    bool FForceSelect = false;
    bool FDisableChange = false;
    bool FNoAutoAdvance = false;
    bool FEditChange = false;
    bool FEditingDisabled = false;
    bool FBlockFocusKill = false;
    bool FCellChangeBlocked = false;
    bool FValidating = false;
    bool FLastValidation = true;
    // A rejection that came with the focus leaving the editor: the click or key that took the
    // focus must not move the cursor either. Cleared once the input that caused it is handled.
    bool FHoldCursor = false;
    String FCellCache;
    String FOldCellText;
    // No edit-change events while the text editor is loaded by code.
    bool FNoEditChange = false;
    bool FOldCellModified = false;
    int FPrevReportedRow = -1;
    int FPrevSelectedRow = -1;
    bool FInEditMode = false;
    TEditorType FCurrentEditor = TEditorType::edNormal;
    // The editing state of the editor lifecycle and of validation.
    TWinControl* FEditCtrl = nullptr;
    bool FEditing = false;
    bool FSpecialEditor = false;
    bool FEditActive = false;
    String FEditText;
    bool FEntered = false;
    int FOldCol = -1;
    int FOldRow = -1;
    String FOldCellTextWide;
    bool FAlwaysValidate = false;
    bool FGridModified = false;
    bool FBlockFocus = false;
    bool InvokedFocusChange = false;
    std::shared_ptr<ITZvStringGridSelect> FISelect;
    int FRejections = 0;
    // The edit being ended writes nothing (RejectEdit, CancelEdit).
    bool FRejectingEdit = false;
    // Window, timer and scrolling state.
    int FPaintCount = 0;
    int FTickCount = 0;
    bool FBlinkOn = false;
    bool FScrollHintShowing = false;
    std::unique_ptr<TTimer> FDragScrollTimer;
    TDragScrollDirections FDragScrollDirections;
    bool FStretchGuard = false;
    bool FColChanged = true;
    bool FColSized = false;
    bool FRowSized = false;
    int FOldWidth = -1;
    bool FDisableSize = false;
    TGridCoord FHoverFixedCell{-1, -1};
    int FPrevLeftCol = 0;
    int FPrevTopRow = 0;
    int FClickedCol = -1;
    int FClickedRow = -1;
    int FSizedCol = -1;
    int FSizedRow = -1;
    int FLastDesignChoice = -1;
    bool FShowColumnNumbers = true;
    // The markup link under the pointer (one-based, -1 for none); its cell is
    // FHoverCell. Painted in its hover look while URLUnderlineOnHover is on.
    int FHoverLink = -1;
    int FWheelScrollLines = 3;
    UINT FWheelMessage = WM_MOUSEWHEEL;
    bool FDestroying = false;
    bool FClearObjectsOnRowClear = false;
    bool FUsesVCLStyles = false;
    // Grouping.
    int FGroupWidth = 0;
    String FGroupCaption;
    String FGroupFooter;
    bool FIsGrouping = false;
    // Selection flags.
    std::vector<bool> FRowSelect;
    std::vector<bool> FColSelect;
    bool FUseEnabledRows = false;
    // Cell hints (ZvGridCellHint.cpp): the base cell whose hint was last asked
    // for, so that the pointer reaching another cell asks again, and the text
    // last given for an anchor.
    TGridCoord FLastHintPos{-1, -1};
    String FLastAnchorHint;

    // ---- Index-mapped access, shape changes and calculations ----
    // While set, clearing drops object references without freeing them (swaps).
    bool FNilObjects = false;
    // While set, a row operation places the floating footer's row itself, so
    // the RowCount setter leaves the footer texts where the operation puts them.
    bool FRowsMoving = false;
    int FAutoNumberStart = 0;
    bool FUseHTMLHints = false;
    int FAutoNumberOffset = 0;
    TSortDirection FAutoNumberDirection = TSortDirection::sdAscending;
};
