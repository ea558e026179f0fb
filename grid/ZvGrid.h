#pragma once
// TZvStringGrid: the string grid every table of the system is edited in.
// It sits on the base grid (cell store, merges, cell frame) and adds hidden
// columns and rows, typed cell access, the drawing engine, keyboard and
// mouse handling, per-cell objects, tree nodes, grouping, selection, the
// floating footer and its option objects.
//
// The class's operations are declared here and implemented one feature per
// file (ZvGrid.cpp construction, ZvGridCellQueries.cpp, ZvGridHidden.cpp,
// ZvGridAccess.cpp, ZvGridDraw.cpp, ...; ZvGridProperties.cpp the plain
// property accessors). Its state lives behind one pointer in
// grid/ZvGridPrivate.h, which only the grid's own source files include.
//
// Indexes: cell access, HideColumn and IsHiddenColumn take real columns;
// ColCount, Col, the selection and the columns of click and key events are
// display columns (RealColIndex converts); every paint and cell event
// receives the real column.

#include "grid/ZvBaseGrid.h"
#include "grid/support/ZvGridCellGraphic.h"
#include "grid/ZvGridOptions.h"
#include "grid/ZvGridSettings.h"
#include "grid/support/ZvGridTypes.h"
#include "grid/support/ZvStyles.h"
#include "platform/WindowProc.h"

#include <QDateTime>

#include <memory>
#include <vector>

class QIODevice;
class TCustomImageList;
class TPopupMenu;
class TPictureContainer;
class THTMLPictureCache;
class TRichEdit;
class TForm;
class TGridFocusWindow;
class TZvStringGridCheck;
struct TCellPress;
struct THTMLDrawParams;
struct THTMLDrawResult;
// The editors the grid shows (grid/editors/).
class TZvInplaceEdit;
class TZvCellEditor;
struct TZvCellEditorEntry;
class TGridCombo;
class TGridCheckBox;
class TGridEditBtn;
class TGridUnitEditBtn;
class TGridTransEdit;
class TGridTransCombo;
class TGridButton;
class TZvRichEdit;
class TGridColorDropDown;
class TGridImageDropDown;
// The windows of the services beside the cells (grid/services/).
class TGridBalloonWindow;
class THTMLHintWindow;
class TFooterPanel;
class TSearchPanel;
class TDropList;
class TDropCheckList;
class THeaderDragButton;
class TScrollControl;
struct TZvStringGridPrivate;
class TZvGridSort;
class TZvGridFilter;
class TZvGridSearch;
class TZvGridClipboard;
enum class TClipOperation;
class TZvGridTextFormats;
class TZvGridCellStream;
class TZvGridHTMLXML;
class TZvGridOffice;
class TZvGridPrint;
class TPrintTarget;
class TZvGridLayout;
class TZvGridDragDrop;
class TZvGridPanels;

// ---- Enumerations of the grid's own properties -----------------------------------------
enum class TGridLook { glStandard, glSoft, glClassic, glVUD, glXP, glListView, glVista, glWin7, glOffice2007, glCustom };
enum class TScrollType { ssNormal, ssFlat, ssEncarta, ssMetro };
enum class TScrollBarAlways { saNone, saVert, saHorz, saBoth };
enum class TScrollHintType { shNone, shVertical, shHorizontal, shBoth };
enum class THoverFixedCells { hfNone, hfAll, hfFixedRows, hfFixedColumns };
enum class TIntelliPan { ipVertical, ipHorizontal, ipBoth, ipNone };
enum class TInvalidEntryIcon { ieNone, ieInfo, ieWarning, ieError };
enum class THintShowLargeTextPos { hpCell, hpMouse };
enum class TFilterDropDownColumns { fdNormal, fdAll };
enum class TMouseSelectMode { msNormal, msColumn, msRow, msAll, msURL, msResize };
enum class TGridExportState { esExportStart, esExportNewRow, esExportSelRow, esExportDone };
enum class TGridImportState { isImportStart, isImportNewRow, isImportSelRow, isImportDone };
enum class TXPColorScheme { xpNone, xpBlue, xpGreen, xpGray, vistaAero };
enum class TZvGridStyle {
    gsOffice2003Blue, gsOffice2003Silver, gsOffice2003Olive, gsOffice2003Classic, gsOffice2007Luna,
    gsOffice2007Obsidian, gsWindowsXP, gsWhidbey, gsCustom, gsOffice2007Silver, gsWindowsVista, gsWindows7,
    gsTerminal, gsOffice2010Blue, gsOffice2010Silver, gsOffice2010Black
};
enum class TSearchAction { saFindFirst, saFindPrevious, saFindNext };
// How Find walks and matches; bit n of the stored word is the n-th member.
enum class TFindParameter {
    fnMatchCase, fnMatchFull, fnMatchRegular, fnDirectionLeftRight, fnMatchStart, fnFindInCurrentRow,
    fnFindInCurrentCol, fnIncludeFixed, fnAutoGoto, fnIgnoreHTMLTags, fnBackward, fnIncludeHiddenColumns,
    fnFindInPresetCol, fnFindInPresetRow, fnSelectedCells, fnIncludeHiddenRows
};
using TFindParameters = TSet<TFindParameter>;
enum class TDragScrollDirection { dsdUp, dsdDown, dsdLeft, dsdRight };
using TDragScrollDirections = TSet<TDragScrollDirection>;

// A cell's text as a number: decoration, thousands separators and currency
// signs go, an empty text or "-" is 0; anything else raises EZvGridError.
double CellTextToFloat(const String& text);

// ---- Event types beside those of the support unit ------------------------------------------
using TGridWideHintEvent = std::function<void(TObject* Sender, int ARow, int ACol, String& hintstr)>;
using THasComboEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& HasComboBox)>;
using THasSpinEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& HasSpinEdit)>;
using TIsFixedCellEvent = std::function<void(TObject* Sender, int ARow, int ACol, bool& IsFixed)>;
using TIsPasswordCellEvent = std::function<void(TObject* Sender, int ARow, int ACol, bool& IsPassword)>;
using TWordWrapEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& WordWrap)>;
using TGetCheckEvent = std::function<void(TObject* Sender, int ACol, int ARow, String& Value)>;
using TGetColumnFilterEvent = std::function<void(TObject* Sender, int Column, TStringList* Filter)>;
using TCellCursorEvent = std::function<void(TObject* Sender, int ACol, int ARow, int X, int Y, TCursor& ACursor)>;
using TSearchFooterActionEvent =
    std::function<void(TObject* Sender, const String& Value, int ACol, int ARow, TSearchAction SearchAction)>;
using TCustomCellSizeEvent = std::function<void(TObject* Sender, TCanvas* Canvas, int ACol, int ARow,
                                                TPoint& ASize, bool Printing)>;
using TCustomFilterEvent = std::function<void(TObject* Sender, int ARow, bool& AcceptRow)>;
using TFilterSelectEvent = std::function<void(TObject* Sender, int Column, int ItemIndex, const String& FriendlyName,
                                              String& FilterCondition)>;
using TFilterCheckEvent = std::function<void(TObject* Sender, int Column, int ItemIndex, const String& FriendlyName,
                                             String& FilterCondition, TStringList* CheckList)>;
using TColumnCalcEvent = std::function<void(TObject* Sender, int ACol, int FromRow, int ToRow, double& Res)>;
using TRowUpdateEvent = std::function<void(TObject* Sender, int OldRow, int NewRow)>;
using TRowChangingEvent = std::function<void(TObject* Sender, int OldRow, int NewRow, bool& Allow)>;
using TColChangingEvent = std::function<void(TObject* Sender, int OldCol, int NewCol, bool& Allow)>;
using TCellChangingEvent =
    std::function<void(TObject* Sender, int OldRow, int OldCol, int NewRow, int NewCol, bool& Allow)>;
using TCustomStrToDateEvent = std::function<void(TObject* Sender, const String& Value, QDateTime& Date,
                                                 bool& IsDate)>;
using TPrintPageEvent = std::function<void(TObject* Sender, TCanvas* Canvas, int PageNr, int PageXSize,
                                           int PageYSize)>;
using TPrintGetPageNumEvent =
    std::function<void(TObject* Sender, int PageNum, int PageColNum, String& PageNumString)>;
using TPrintStartEvent = std::function<void(TObject* Sender, int NrOfPages, int& FromPage, int& ToPage)>;
using TPrintCancelEvent = std::function<void(TObject* Sender, int PageNr, bool& Cancel)>;
using TFitToPageEvent = std::function<void(TObject* Sender, int& ScaleFactor, bool& Allow)>;
using TPrintNewPageEvent = std::function<void(TObject* Sender, int ARow, bool& NewPage)>;
using TPrintColumnWidthEvent = std::function<void(TObject* Sender, int ACol, int& Width)>;
using TPrintRowHeightEvent = std::function<void(TObject* Sender, int ARow, int& Height)>;
using TNodeClickEvent = std::function<void(TObject* Sender, int ARow, int ARowReal)>;
using TNodeAllowEvent = std::function<void(TObject* Sender, int ARow, int ARowReal, bool& Allow)>;
// A drop-down editor's header or footer button, with the cell it edits (displayed column).
using TDropDownButtonClickEvent = std::function<void(TObject* Sender, int ACol, int ARow, int ButtonIndex)>;
using TCanShowFixedDropDownEvent = std::function<void(TObject* Sender, int FixedColumn, bool& Allow)>;
using TFixedDropDownClickEvent =
    std::function<void(TObject* Sender, int FixedColumn, TPopupMenu*& DropDownMenu, bool& KeepFixedCellHighlighted)>;
using TClickCellControlEvent =
    std::function<void(TObject* Sender, int ARow, int ACol, const String& CtrlID, const String& CtrlType,
                       const String& CtrlVal)>;
using TControlComboListEvent =
    std::function<void(TObject* Sender, int ARow, int ACol, const String& CtrlID, const String& CtrlType,
                       const String& CtrlVal, TStringList* Values, bool& Edit, int& DropCount)>;
using TControlComboSelectEvent = std::function<void(TObject* Sender, int ARow, int ACol, int ItemIndex,
                                                    const String& CtrlID, const String& CtrlValue)>;
using TClipboardEvent = std::function<void(TObject* Sender, bool& Allow)>;
using TAfterCellPasteEvent = std::function<void(TObject* Sender, int ACol, int ARow, const String& Value)>;
using TBeforeCellPasteEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, String& Value, bool& Allow)>;
using TCellValidateEvent = std::function<void(TObject* Sender, int ACol, int ARow, String& Value, bool& Valid)>;
using TCellsChangedEvent = std::function<void(TObject* Sender, TRect R)>;
using TGridProgressEvent = std::function<void(TObject* Sender, short Progress)>;
using TGetEditorPropEvent = std::function<void(TObject* Sender, int ACol, int ARow, TObject* AEditLink)>;
using TGetEditorPropIntEvent = std::function<void(TObject* Sender, int ACol, int ARow, TObject* AEditor)>;
using TCheckBoxChangeEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool State)>;
using TColorSelectedEvent = std::function<void(TObject* Sender, int ACol, int ARow, TColor& Color, String& Value)>;
using TColorSelectEvent = std::function<void(TObject* Sender, int ACol, int ARow, TColor Color, const String& Value)>;
using TImageSelectedEvent = std::function<void(TObject* Sender, int ACol, int ARow, int& Index)>;
using TImageSelectEvent = std::function<void(TObject* Sender, int ACol, int ARow, int Index)>;
using TRadioClickEvent = std::function<void(TObject* Sender, int ACol, int ARow, int AIdx)>;
using TRadioButtonClickEvent = std::function<void(TObject* Sender, int ACol, int ARow)>;
using TComboChangeEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, int AItemIndex, const String& ASelection)>;
using TComboObjectChangeEvent = std::function<void(TObject* Sender, int ACol, int ARow, int AItemIndex,
                                                   const String& ASelection, TObject* AObject)>;
using TFloatSpinClickEvent = std::function<void(TObject* Sender, int ACol, int ARow, double AValue, bool UpDown)>;
using TDateTimeSpinClickEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, const QDateTime& AValue, bool UpDown)>;
using TDragScrollEvent = std::function<void(TObject* Sender, int TopRow, int LeftCol,
                                            TDragScrollDirections& DragScrollDir, bool& CanScroll)>;
using TEditCellDoneEvent = std::function<void(TObject* Sender, int ACol, int ARow)>;
using TEditChangeEvent = std::function<void(TObject* Sender, int ACol, int ARow, const String& Value)>;
using TDateTimeChangeEvent = std::function<void(TObject* Sender, int ACol, int ARow, const QDateTime& ADateTime)>;
using TFooterPaintEvent = std::function<void(TObject* Sender, int AColumn, TCanvas* Canvas, TRect ARect)>;
using TFooterCalcEvent = std::function<void(TObject* Sender, int ACol, String& Value)>;
using TRowDisjunctSelectEvent = std::function<void(TObject* Sender, int ARow, bool State, bool& Allow)>;
using TRowDisjunctSelectedEvent = std::function<void(TObject* Sender, int ARow)>;
using TSelectionChangedEvent =
    std::function<void(TObject* Sender, int ALeft, int ATop, int ARight, int ABottom)>;
using TOleDragDropEvent = std::function<void(TObject* Sender, int ARow, int ACol, const String& data, bool& Allow)>;
using TOleDroppedEvent = std::function<void(TObject* Sender, TGridRect ARect)>;
using TOleDragOverEvent = std::function<void(TObject* Sender, int ARow, int ACol, bool& Allow)>;
using TOleDragStartEvent = std::function<void(TObject* Sender, int ARow, int ACol)>;
using TOleDragStopEvent = std::function<void(TObject* Sender, int OLEEffect)>;
using TOleDropColEvent = std::function<void(TObject* Sender, int ARow, int ACol, int DropCol)>;
using TOleDropFileEvent =
    std::function<void(TObject* Sender, int ARow, int ACol, const String& FileName, bool& Allow)>;
using TOleDropURLEvent = std::function<void(TObject* Sender, int ARow, int ACol, const String& URL, bool& Allow)>;
using TRatingChangeEvent = std::function<void(TObject* Sender, int ACol, int ARow, int Value, bool& Allow)>;
using TColumnMoveEvent = std::function<void(TObject* Sender, int ACol, bool& Allow)>;
using TColumnMovingEvent = std::function<void(TObject* Sender, int ACol, bool& Allow)>;
using TRowMoveEvent = std::function<void(TObject* Sender, int ARow, bool& Allow)>;
using TRowMovingEvent = std::function<void(TObject* Sender, int ARow, bool& Allow)>;
using TScrollCellEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, int ScrollPosition, int ScrollMin, int ScrollMax)>;
using TSelectionResizeEvent = std::function<void(TObject* Sender, TGridRect OrigSelection, TGridRect NewSelection)>;
using TSaveCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, String& Value)>;
using TLoadCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, String& Value)>;
using TFixedEditEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, TGridFixedCellEditor& AEditor, TStringList* Values)>;
using TAutoAdvanceEvent =
    std::function<void(TObject* Sender, int OldRow, int OldCol, int& NewRow, int& NewCol, bool& Allow)>;
using TGroupCalcEvent = std::function<void(TObject* Sender, int ACol, int FromRow, int ToRow, double& Res)>;

// The one listener told of every cell the grid is about to make current:
// the grid's current column before the move, and the new row.
class ITZvStringGridSelect {
public:
    virtual ~ITZvStringGridSelect() = default;
    virtual void GridSelect(int ACol, int ARow) = 0;
};

// ---- The string grid ----------------------------------------------------------------------
class TZvStringGrid : public TBaseGrid, public IZvStyle, public IZvTones {
public:
    // ==== Construction, assignment, version: ZvGrid.cpp ============================================================
    explicit TZvStringGrid(TComponent* AOwner);
    ~TZvStringGrid() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    // The platform's after-load step: the form has set every stored property.
    virtual void Loaded();
    void Assign(TPersistent* Source) override;
    void Invalidate() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void ApplyScrollBarAlways(bool Force);
    TFont* GetCellFont(int c, int r);
    TFont* Fonts(int c, int r) { return GetCellFont(c, r); }

    // The mouse actions' and the navigation's change notifications (the wheel action; the advance direction
    // and insert), for a descendant that follows them.
    virtual void MouseActionsChanged(TObject* Sender);
    virtual bool QueryDesignMode(bool& IsDesigning);
    virtual void InvalidateGrid(TObject* Sender);
    virtual void DisableEditing(TObject* Sender);
    virtual void NavigationChanged(TObject* Sender);
    virtual void AssignCells(TPersistent* Source);
    virtual int GetVersionNr();
    virtual String GetVersionString();

    // ==== Overrides of the base grid's steps ===========================================
    bool IsFixed(int ACol, int ARow) override;
    int RowIndent(int ARow) override;
    bool HasNodes() override;
    void PaintCellContents(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState) override;
    void LastRowWrittenHook() override;
    void FireGetDisplText(int ACol, int ARow, String& Value) override;
    void InitialCellProperties(int ACol, int ARow, TCellGradientDirection& GD, bool& WW, TVAlignment& VA,
                               TAlignment& HA, TColor& MirrorColor, TColor& MirrorColorTo, TColor& ColorTo,
                               TBrush* ABrush, TFont* AFont) override;
    void UpdateCellScrollBar(int ACol, int ARow) override;
    bool HasCustomCellBorders() override;
    bool UsesVCLStyles() override;
    void GetVisualProperties(int ACol, int ARow, TGridDrawState& AState, bool Print, bool Select, bool Remap,
                             TBrush* ABrush, TColor& AColorTo, TColor& AMirrorColor, TColor& AMirrorColorTo,
                             TFont* AFont, TAlignment& HA, TVAlignment& VA, bool& WW,
                             TCellGradientDirection& GD) override;
    int DisplColIndex(int ACol) override;
    int TotalColCount() override;

    // ==== Style interfaces ======================================================================
    void SetComponentStyle(TZvStyle AStyle) override;
    void SetColorTones(const TColorTones& ATones) override;

    // ==== Cell queries (per-cell events): ZvGridCellQueries.cpp ====================================================
    virtual void FireCanEditCell(int ACol, int ARow, bool& CanEdit);
    virtual void FireSearchFooterAction(const String& Value, int ACol, int ARow, TSearchAction SearchAction);
    virtual void FireButtonClick(int ACol, int ARow);
    virtual void FireExpandClick(int ACol, int ARow, bool Expanded);
    virtual void FireComboCloseUp(int ARow, int ACol);
    virtual void FireComboDropDown(int ARow, int ACol);
    virtual void FireGetCellCursor(int ACol, int ARow, int X, int Y);
    virtual void FireGridHint(int ACol, int ARow, String& AHint, String& AWideHint);
    virtual void QueryCellColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont);
    virtual void FireGetCellPrintColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush,
                                       TFont* AFont);
    virtual void QueryCellBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders);
    virtual void FireGetCellPrintBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders);
    virtual void QueryCellAlignment(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign);
    virtual void FireGetFormat(int ACol, TSortStyle& AStyle, String& APrefix, String& ASuffix);
    virtual void QueryDisplayEditorType(int ACol, int ARow, TEditorType& AEditor);
    virtual void QueryEditorType(int ACol, int ARow, TEditorType& AEditor);
    virtual bool IsNoEditorCell(int ACol, int ARow);
    virtual void QueryFixedCell(int ACol, int ARow, bool& IsFixed);
    virtual void QueryCellEditable(int ACol, int ARow, bool& CanEdit);
    virtual void FireIsPasswordCell(int ACol, int ARow, bool& IsPassword);
    virtual void FireGetWordWrap(int ACol, int ARow, bool& WordWrap);
    virtual bool QueryHasComboBox(int ACol, int ARow);
    virtual bool QueryHasSpinEdit(int ACol, int ARow);
    virtual void QueryCheckTrue(int ACol, int ARow, String& Value);
    virtual void QueryCheckFalse(int ACol, int ARow, String& Value);
    virtual bool QueryColumnFilter(int Column);
    void PaintCellBorders(int RCol, int ARow, TRect Rect);

    // ==== Hidden columns and rows, real and display indexes: ZvGridHidden.cpp ======================================
    void HideColumn(int ColIndex);
    void HideColumns(int FromCol, int ToCol);
    void UnHideColumn(int ColIndex);
    void UnHideColumns(int FromCol, int ToCol);
    void UnHideColumnsAll();
    bool IsHiddenColumn(int ColIndex) const;
    int NumHiddenColumns() const;
    int RealColIndex(int ACol);
    int DisplayToRealCol(int ACol) const;
    int RealToDisplayCol(int ACol) const;
    int GetRealCol();
    int RealCol() { return GetRealCol(); }
    void MoveColumn(int FromIndex, int ToIndex);
    void HideRow(int Rowindex);
    void HideRows(int FromRow, int ToRow);
    void HideRowsEx(int FromRow, int ToRow);
    void HideRowList(TIntList* RowList);
    void UnHideRow(int Rowindex);
    void UnHideRows(int FromRow, int ToRow);
    void UnHideRowsAll();
    void UnHideRowList();
    bool IsHiddenRow(int Rowindex) const;
    // Through a cached list of hidden rows, built on the first call (the caller frees it).
    bool IsHiddenRow(int Rowindex, TIntList*& ListHidden) const;
    int NumHiddenRows() const;
    int TotalRowCount() const { return RowCount() + NumHiddenRows(); }
    int RealRowIndex(int ARow) const;
    int DisplRowIndex(int ARow) const;
    int DisplayToRealRow(int ARow) const;
    int RealToDisplayRow(int ARow) const;
    int GetRealRow() const;
    int RealRow() const { return GetRealRow(); }
    void MoveRow(int FromIndex, int ToIndex);
    void MoveRows(int FromIndex, int ToIndex, int Count);
    int GetRowEx() const;
    void SetRowEx(int Value);
    int GetTopRowEx() const;
    void SetTopRowEx(int Value);
    void ScrollInView(int ColIndex, int RowIndex);
    void HideSelection();
    void UnHideSelection();
    void UpdateEditMode();
    // The hidden-row store (one item per hidden row).
    int GridItemCount() const;
    TGridItem* GridItems(int index) const;

protected:
    // Moves cells by real column, with the hidden-column tables and the
    // texts of hidden rows, so that hidden columns keep their place.
    void MoveColumnData(int FromIndex, int ToIndex) override;

private:
    // Many display rows (ascending, distinct) go into new hidden-row items,
    // in one pass; the items are returned in the order of the rows.
    std::vector<std::unique_ptr<TGridItem>> TakeRowsOut(const std::vector<int>& Rows, int Level);
    // Items go back into the grid at the display rows given (any order), in
    // one pass; the shown rows keep their order around them.
    void PutRowsBack(std::vector<std::pair<int, std::unique_ptr<TGridItem>>> Targets);
    // The items' Idx values, ascending.
    std::vector<int> HiddenIdxSorted() const;

public:

    // ==== Dimensions and typed cell access: ZvGridAccess.cpp =======================================================
    virtual String CellFloatFormat(int ACol, int ARow);
    virtual TGridRect UsedCells();
    void SetRowCount(int Value);
    void SetColCount(int Value);
    int Col() const { return TBaseGrid::Col(); }
    void SetCol(int Value);
    int Row() const { return GetRowEx(); }
    void SetRow(int Value) { SetRowEx(Value); }
    int TopRow() const { return GetTopRowEx(); }
    void SetTopRow(int Value) { SetTopRowEx(Value); }
    int FixedRows() const;
    void SetFixedRows(int Value);
    int FixedCols() const;
    void SetFixedCols(int Value);
    int FixedColWidth() const;
    void SetFixedColWidth(int Value);
    int FixedRowHeight() const;
    void SetFixedRowHeight(int Value);
    int DefaultRowHeight() const { return TBaseGrid::DefaultRowHeight(); }
    void SetDefaultRowHeight(int Value);
    TAlignment DefaultAlignment() const;
    void SetDefaultAlignment(TAlignment Value);
    int FixedFooters() const;
    void SetFixedFooters(int Value);
    int FixedRightCols() const;
    void SetFixedRightCols(int Value);
    bool WordWrap() const;
    void SetWordWrap(bool Value);
    bool FixedRowAlways() const;
    void SetFixedRowAlways(bool Value);
    bool FixedColAlways() const;
    void SetFixedColAlways(bool Value);
    int GetInts(int ACol, int ARow);
    void SetInts(int ACol, int ARow, int Value);
    int GetAllInts(int ACol, int ARow);
    void SetAllInts(int ACol, int ARow, int Value);
    double GetFloats(int ACol, int ARow);
    void SetFloats(int ACol, int ARow, double Value);
    // The text SetFloats writes for Value: the cell's float format, the regional separator.
    String FloatsText(int ACol, int ARow, double Value);
    double GetAllFloats(int ACol, int ARow);
    void SetAllFloats(int ACol, int ARow, double Value);
    String GetCtrlVal(int ACol, int ARow, const String& ID);
    void SetCtrlVal(int ACol, int ARow, const String& ID, const String& Value);
    String Version() const;
    void SetVersion(const String&) {}
    int SaveStartCol() const;
    int SaveStartRow() const;
    int SaveEndCol() const;
    int SaveEndRow() const;
    int SaveColCount() const;
    int SaveRowCount() const;
    void CellIntListChanged(TObject* Sender, int ACol, int ARow);

    // ==== Option-object helpers, check boxes, editor handlers, headers: ZvGridHelpers.cpp ==========================
    TCheckBoxState BoolToCheckBoxState(bool b) const;
    void AddCheckBox(int ACol, int ARow, TCheckBoxState State);
    void AddTriStateCheckBoxColumn(int ACol, TCheckBoxState State);
    bool GetCheckBoxState(int ACol, int ARow, TCheckBoxState& State);
    String EditMaskHook(int ACol, int ARow);
    void GridButtonClick(TObject* Sender);
    void RichEditSelectionChanged(TObject* Sender);
    void ShowColumnHeaders();
    void ClearColumnHeaders();
    void ShowRowHeaders();
    void ClearRowHeaders();

    // ==== Drawing engine: ZvGridDraw.cpp ===========================================================================
    void GetFontProperties(int ACol, int RCol, bool Remap, TBrush* ABrush, TFont* AFont, TGridDrawState& AState,
                           int ARow);
    void CellAlignment(int RCol, int ARow, TAlignment& HAlign, TVAlignment& VAlign);
    static TColor MixColors(TColor Color1, TColor Color2, int Percent);
    void DrawRichTextCell(int RCol, int ARow, TRect Rect, TCanvas* Canvas);
    // Themed drawing needs both the platform's visual styles and an active theme.
    bool ThemedControls() const;
    // The canvas of the cell being painted (a bitmap, a printer page), else the grid's own.
    TCanvas* CellCanvas() const;
    // Markup text: painted, or with MeasureOnly only measured, in one place.
    TSize DrawMarkupText(TCanvas& Canvas, const String& Text, TRect Rect, bool MeasureOnly, bool Selected);
    // The text a rich-text cell shows, without its formatting.
    static String RichTextPlain(const String& Rtf);

    // ==== Cell graphics: ZvGridGraphics.cpp ========================================================================
    virtual TCellType GetCellType(int ACol, int ARow);
    virtual TCellGraphic* GetCellGraphic(int ACol, int ARow);
    virtual TPoint GetCellGraphicSize(int ACol, int ARow);
    virtual void CellGraphicExtent(int ACol, int ARow, TPoint& Size, int HeightReserve);
    virtual void PrintCellGraphicExtent(int ACol, int ARow, double Scale, int AreaHeight, int AreaWidth,
                                        TPoint& Size);
    virtual TCustomImageList* CellImageList();
    TIntList* GetCellImages(int ACol, int ARow);
    int CellImageKey(int ACol, int ARow);
    void AttachNewCellGraphic(int ACol, int ARow);
    bool RemoveCellGraphic(int ACol, int ARow);
    bool RemoveCellGraphicOfType(int ACol, int ARow, TCellType Kind);
    // The graphic, its size and alignments and whether the text is drawn too.
    void CellGraphicLayout(int RCol, int ARow, TCellGraphic*& Graphic, int& Width, int& Height,
                           TCellHAlign& HAlign, TCellVAlign& VAlign, bool& DrawText);
    void RepaintActiveCellHeaders(int Col1, int Row1, int Col2, int Row2);
    void PaintCellGraphic(TCanvas* Canvas, int RCol, int ARow, TRect ARect, int TextWidth);
    // The expand or contract glyph of a node row, with its connector.
    void PaintNodeGlyph(TCanvas& Canvas, TCellGraphic* Graphic, int ARow, const TRect& ARect);
    // A cell button (plain, with glyph, expand), placed at (Left, Top) with size W x H.
    void PaintCellButton(TCanvas& Canvas, TCellGraphic* Graphic, int RCol, int ARow, const TRect& ARect, int Left,
                         int Top, int W, int H);
    // The cell whose button the mouse is over (hot look); set by the mouse handling.
    TGridCoord HoverButtonCell() const;
    void SetHoverButtonCell(TGridCoord Value);

    // ==== Appearance and style presets: ZvGridLook.cpp =============================================================
    virtual void SetStyle(TZvGridStyle AStyle);
    void SetTheme(TXPColorScheme Scheme);
    void ApplyOfficeTheme();
    // The four normal fixed-cell gradient colours at once, without repainting.
    void SetLookGradient(TColor From, TColor To, TColor MirrorFrom, TColor MirrorTo);

    // ==== Glyph painters: ZvGridGlyphs.cpp =========================================================================
    void DrawCheckBox(TRect Rect, bool Checked, TCheckBoxState State, bool ThreeState, TGridControlStyle Style,
                      bool Grayed, bool Enabled);
    void DrawRadioGroup(TCanvas* Canvas, TRect Rect, bool Upward, double Scale, TGridControlStyle Style, int Row,
                        int Col, bool Selected, TStringList* Options, bool Disabled, bool Horizontal,
                        int SelectedIndex, int Count);
    void DrawSortGlyph(TCanvas* Canvas, int ACol, int Y, int X);

    // ==== Surface, focus frame, design panel: ZvGridSurface.cpp ====================================================
    virtual void PaintDesignPanel();
    virtual void DesignPanelClick(int X, int Y);
    void PaintBackgroundOutsideCells();
    void PaintBackgroundPicture(TRect Rect);
    void TileBackground(TRect Rect);
    void PaintWindowBorder();
    void DrawColumnSizingLine(int X);
    void DrawRowSizingLine(int Y);
    void ShowFocusFrame(TRect Rect);
    // The focus frame's picture for a cell: 9 pixels larger, a soft ring with
    // the cell itself left clear.
    static QImage FocusFrameImage(const TRect& Cell);
    void MoveFocusFrame();
    void HideFocusFrame();
    int DesignPanelHitTest(int X, int Y);

    // ==== Text measuring, formatted and saved text: ZvGridText.cpp =================================================
    virtual String GetFormattedCell(int ACol, int ARow);
    virtual void FireFixedEdit(int ACol, int ARow, TStringList* Values, TGridFixedCellEditor& AEditor);
    virtual void FireSelectionChanged(int ALeft, int ATop, int ARight, int ABottom);
    virtual void InplaceEditChangeHook(const String& AText, int ACaret);
    virtual void AutoInsertRow(int ARow);
    virtual void AutoDeleteRow(int ARow);
    virtual void FireFilterDone();
    virtual String CalculatedCellText(int ACol, int ARow);
    virtual String CellTextToSave(int ACol, int ARow);
    virtual void StoreLoadedCell(int ACol, int ARow, const String& Value);
    virtual void ExportNotification(TGridExportState AState, int ARow);
    virtual void ImportNotification(TGridImportState AState, int ARow);
    TPoint GetCellTextSize(int ACol, int ARow, bool ReserveButton, bool Wrap);
    int TotalXOffset() const;
    int TotalYOffset() const;
    // Moves Rect's top-left corner to where Text, turned by Angle degrees, starts.
    void RotatedTextRect(TRect& Rect, int Angle, const String& Text, TAlignment HAlign, TVAlignment VAlign);
    // The most lines any displayed cell of the row holds (1 without Multilinecells).
    int RowLineCount(int ARow);
    // Repaints the cells from the rectangle's top-left to its bottom-right cell, without erasing.
    void InvalidateCellRange(TGridRect R);
    // The balloon's title, text and icon for a cell, cut to what the balloon shows;
    // false when balloons are off.
    bool CellBalloonText(int ACol, int ARow, String& Title, String& Text, int& Icon);

    // ==== Text painting: ZvGridTextPaint.cpp =======================================================================
    void PaintCellText();
    void PaintCellBackgroundPicture(TCanvas* Canvas, TRect Rect);
    void TileCellBackground(TCanvas* Canvas, TRect Rect);
    void PaintCellBackgroundGradient(TCanvas* Canvas, TRect Rect);
    bool IsSortIndicatorCell(int ACol, int ARow);

    // Opens the HTML form control with that ID in the cell (the first editable one for an empty ID).
    void ActivateCellControl(int ACol, int ARow, const String& ID);
    // ==== Keyboard: ZvGridKeys.cpp =================================================================================
    virtual void F2KeyHook();
    virtual void InplaceEditKeyHook(WORD& Key, TShiftState Shift);
    virtual void InplaceEditMessageHook(TMessage& Message);
    virtual void AdjustSelectAllRect(TGridRect& ARect);
    bool IsOnLastDataRow();
    void AppendRowOnArrowDown();
    TZvInplaceEdit* NormalEdit() const;

    // A link of a cell: "cell://RnCm" moves to that cell, http, https and
    // mailto go to the desktop; anything else is refused (false).
    bool OpenCellLink(const String& Anchor);
    // ==== Mouse press: ZvGridMouse.cpp =============================================================================
    virtual void MouseWheelHook(TGridCoord& Target, bool& Handled);
    virtual void SelectRangeHook(TGridRect& ARange);
    void RadioGroupClick(int ACol, int ARow, int X, int Y);
    void ShowCellControl(int ACol, int ARow, int X, int Y);
    void CellControlExit(TObject* Sender);
    // The form control of the cell's markup the grid has current.
    String CellControlID() const;
    void CellControlComboSelect(TObject* Sender);
    bool IsHoverFixedCell(int ACol, int ARow);

    // ==== Window messages, timers, scrolling: ZvGridMessages.cpp ===================================================
    virtual void ConstrainColumnSize(int ACol, int& AWidth);
    virtual void ConstrainAutoColumnSize(int ACol, int& AWidth);
    virtual void SyncColumnHeaders();
    virtual void FireScrollCell(int ACol, int ARow, int ScrollPosition, int ScrollMin, int ScrollMax);
    void BeginUpdate();
    void EndUpdate();
    void StartUpdate();
    void ResetUpdate();
    bool LockUpdate() const;
    void SetLockUpdate(bool Value);
    void DoStretchColumn(int Index);
    void StretchRightColumn();
    void UpdateProportionalHScroll();
    void UpdateProportionalVScroll();
    void ResetFixedCellHighlight();
    TColor ArrowColor() const;
    void SetArrowColor(TColor Value);
    TCanvas* FooterCanvas() const;

    int AdvanceOriginCol() const;
    int AdvanceOriginRow() const;
    // ==== Tab and advance navigation: ZvGridNavigation.cpp =========================================================
    virtual void MoveToFirstRow();
    virtual bool FireCellChanging(int OldRow, int OldCol, int NewRow, int NewCol);
    // OnCellChanging alone, for the advance's own ask before it moves the cursor.
    bool FireAdvanceCellChanging(int OldRow, int OldCol, int NewRow, int NewCol);
    bool TabToNextCell(bool Backward);
    void AdvanceToNextCell(int ACol, int ARow, bool Force, bool AutoEdit, bool Forward, bool Internal,
                           bool ReopenEditor);
    int FirstDataColumn();
    int VisibleFixedRightCols();
    bool IsTabStopCell(int ACol, int ARow);
    int FirstTabStopCol(int ARow);
    int LastTabStopCol(int ARow);

    // ==== Mouse release, double click, right button: ZvGridRelease.cpp =============================================
    virtual void FireClickSort(int ACol);
    virtual bool FireCanShowFixedDropDown(int ACol);
    void EditFixedCell(int ACol, int ARow);
    void FixedEditChanged(TObject* Sender);

    // ==== Per-cell objects: ZvGridObjects.cpp ======================================================================
    virtual bool ToggleCellCheckBox(int ACol, int ARow, bool ByUser);
    virtual bool SelectCellRadioButton(int ACol, int ARow, bool ByUser);
    virtual void FireCheckBoxClick(int ACol, int ARow, bool State);
    virtual void FireCanAddRow(bool& CanAdd);
    virtual void FireCanInsertRow(int ARow, bool& CanInsert);
    virtual void FireCheckBoxChange(int ACol, int ARow, bool State);
    virtual bool FireRatingChange(int ACol, int ARow, int Value);
    virtual void FireColorSelect();
    virtual void FireImageSelect();
    bool HasCellType(int ACol, int ARow, TCellTypes Types);
    bool HasCheckBox(int ACol, int ARow);
    bool HasDataCheckBox(int ACol, int ARow);
    bool HasProgress(int ACol, int ARow);
    bool HasRating(int ACol, int ARow);
    bool HasScrollBar(int ACol, int ARow);
    bool HasAutoRangeScrollBar(int ACol, int ARow);
    bool HasButton(int ACol, int ARow);
    bool IsCheckOrButtonCell(int ACol, int ARow);
    void AddBitmap(int ACol, int ARow, TBitmap* ABmp, bool Transparent, TCellHAlign hal, TCellVAlign val);
    TBitmap* CreateBitmap(int ACol, int ARow, bool Transparent, TCellHAlign hal, TCellVAlign val);
    TBitmap* GetBitmap(int ACol, int ARow);
    bool HasBitmap(int ACol, int ARow);
    void RemoveBitmap(int ACol, int ARow);
    void AddPicture(int ACol, int ARow, TPicture* APicture, bool Transparent, TStretchMode StretchMode, int Padding,
                    TCellHAlign hal, TCellVAlign val);
    TPicture* CreatePicture(int ACol, int ARow, bool Transparent, TStretchMode StretchMode, int Padding,
                            TCellHAlign hal, TCellVAlign val);
    TPicture* GetPicture(int ACol, int ARow);
    bool HasPicture(int ACol, int ARow);
    void RemovePicture(int ACol, int ARow);
    void AddFilePicture(int ACol, int ARow, TFilePicture* AFilePicture, bool Transparent, TStretchMode StretchMode,
                        int Padding, TCellHAlign hal, TCellVAlign val);
    TFilePicture* CreateFilePicture(int ACol, int ARow, bool Transparent, TStretchMode StretchMode, int Padding,
                                    TCellHAlign hal, TCellVAlign val);
    TFilePicture* GetFilePicture(int ACol, int ARow);
    void RemoveFilePicture(int ACol, int ARow);
    void AddIcon(int ACol, int ARow, TIcon* AIcon, TCellHAlign hal, TCellVAlign val);
    TIcon* CreateIcon(int ACol, int ARow, TCellHAlign hal, TCellVAlign val);
    void RemoveIcon(int ACol, int ARow);
    void AddInterfacedCell(int ACol, int ARow, TObject* AObject);
    TObject* GetInterfacedCell(int ACol, int ARow);
    void RemoveInterfacedCell(int ACol, int ARow);
    void AddImageIdx(int ACol, int ARow, int Aidx, TCellHAlign hal, TCellVAlign val);
    bool GetImageIdx(int ACol, int ARow, int& idx);
    void SetImageIdx(int ACol, int ARow, int Idx);
    void RemoveImageIdx(int ACol, int ARow);
    void AddMultiImage(int ACol, int ARow, int Dir, TCellHAlign hal, TCellVAlign val);
    void RemoveMultiImage(int ACol, int ARow);
    void AddDataImage(int ACol, int ARow, int Aidx, TCellHAlign hal, TCellVAlign val);
    bool HasDataImage(int ACol, int ARow);
    void RemoveDataImage(int ACol, int ARow);
    void AddRotated(int ACol, int ARow, int AAngle, const String& s);
    void SetRotated(int ACol, int ARow, int AAngle);
    bool IsRotated(int ACol, int ARow, int& aAngle);
    void RemoveRotated(int ACol, int ARow);
    void AddProgress(int ACol, int ARow, TColor FGColor, TColor BKColor);
    void AddProgressEx(int ACol, int ARow, TColor FGColor, TColor FGTextColor, TColor BKColor, TColor BKTextColor);
    void AddProgressFormatted(int ACol, int ARow, TColor FGColor, TColor FGTextColor, TColor BKColor,
                              TColor BKTextColor, const String& Fmt, double Min, double Max);
    void RemoveProgress(int ACol, int ARow);
    void AddZvProgress(int ACol, int ARow, int Min, int Max);
    void RemoveZvProgress(int ACol, int ARow);
    void AddProgressPie(int ACol, int ARow, TColor Color, int Value);
    void SetProgressPie(int ACol, int ARow, int Value);
    void RemoveProgressPie(int ACol, int ARow);
    void AddRangeIndicator(int ACol, int ARow, int Range, TColor NegColor, TColor PosColor, bool ShowValue);
    void RemoveRangeIndicator(int ACol, int ARow);
    void AddComment(int ACol, int ARow, const String& Comment);
    void AddColorComment(int ACol, int ARow, const String& Comment, TColor Color);
    String GetComment(int ACol, int ARow);
    bool IsComment(int ACol, int ARow, String& comment);
    void SetComment(int ACol, int ARow, const String& Value);
    void RemoveComment(int ACol, int ARow);
    void RemoveAllComments();
    void AddShape(int ACol, int ARow, TCellShape Shape, TColor FillColor, TColor LineColor, TCellHAlign hal,
                  TCellVAlign val);
    void SetShapeColor(int ACol, int ARow, TColor FillColor);
    TColor GetShapeColor(int ACol, int ARow);
    void RemoveShape(int ACol, int ARow);
    void AddRating(int ACol, int ARow, int Scale, TColor FillColor, TColor EmptyColor);
    void RemoveRating(int ACol, int ARow);
    void AddScrollBar(int ACol, int ARow, bool AutoRange);
    void RemoveScrollBar(int ACol, int ARow);
    void SetScrollPosition(int ACol, int ARow, int Pos);
    int GetScrollPosition(int ACol, int ARow);
    void SetScrollProp(int ACol, int ARow, int PageSize, int Range);
    void GetScrollProp(int ACol, int ARow, int& PageSize, int& Range);
    void AddButton(int ACol, int ARow, int bw, int bh, const String& Caption, TCellHAlign hal, TCellVAlign val);
    void AddBitButton(int ACol, int ARow, int bw, int bh, const String& Caption, TBitmap* Glyph, TCellHAlign hal,
                      TCellVAlign val);
    TBitmap* CreateBitButton(int ACol, int ARow, int bw, int bh, const String& Caption, TCellHAlign hal,
                             TCellVAlign val);
    void SetButtonText(int ACol, int ARow, const String& Caption);
    String GetButtonText(int ACol, int ARow);
    void PushButton(int ACol, int ARow, bool push);
    void RemoveButton(int ACol, int ARow);
    void RemoveBitButton(int ACol, int ARow);
    void RemoveAllButtons();
    TRect CellButtonRect(int ACol, int ARow);
    void AddMarker(int ACol, int ARow, int ErrPos, int ErrLen);
    void GetMarker(int ACol, int ARow, int& ErrPos, int& ErrLen);
    void RemoveMarker(int ACol, int ARow);
    void RemoveAllMarkers();
    void AddCheckBox(int ACol, int ARow, bool State, bool Data);
    void AddCheckBoxColumn(int ACol, bool DefaultState = false, bool DataCheckBox = false);
    void RemoveCheckBoxColumn(int ACol);
    void RemoveCheckBox(int ACol, int ARow);
    bool GetCheckBoxState(int ACol, int ARow, bool& State);
    bool IsChecked(int ACol, int ARow);
    bool SetCheckBoxState(int ACol, int ARow, bool State);
    bool SetCheckBoxState(int ACol, int ARow, TCheckBoxState State);
    bool ChangeCheckBoxState(int ACol, int ARow, bool State);
    void CheckAll(int ACol);
    void UnCheckAll(int ACol);
    void ToggleCheckBox(int ACol, int ARow);
    bool IsInCheckBox(int ACol, int ARow, int XPos, int YPos);
    void AddRadioButton(int ACol, int ARow, bool State);
    void AddRadioButtonColumn(int ACol);
    void RemoveRadioButtonColumn(int ACol);
    void RemoveRadioButton(int ACol, int ARow);
    bool HasRadioButton(int ACol, int ARow);
    bool IsRadioButtonChecked(int ACol, int ARow);
    bool SetRadioButtonState(int ACol, int ARow, bool State);
    void SetRadioButtonColumnIndex(int ACol, int Index);
    int GetRadioButtonColumnIndex(int ACol);

private:
    // A fresh graphic attached to the cell, replacing what it had.
    TCellGraphic* NewCellGraphic(int ACol, int ARow);
    TCellGraphic* GraphicOfKind(int ACol, int ARow, TCellType Kind);
    // The graphic of the merge base cell.
    TCellGraphic* BaseGraphic(int ACol, int ARow);
    void RepaintObjectCell(int ACol, int ARow);
    int DisplayedRowOfReal(int ARow) const;
    // Raises "Invalid cell" for a cell that cannot carry a check box or radio button.
    void CheckObjectCell(int ACol, int ARow);
    // The check-box graphic of a cell addressed by real row; ByRealRow tells
    // whether it came from the real-row lookup (then the text is read by real row too).
    TCellGraphic* CheckGraphicByRealRow(int ACol, int ARow, bool& ByRealRow);
    String CheckText(int ACol, int ARow, bool ByRealRow);
    void SetCheckText(int ACol, int ARow, bool ByRealRow, const String& Text);
    bool TextIsChecked(int ACol, int ARow, const String& Text);
    int FirstCheckRow() const;
    // Frees a balloon riding on a check box or radio button.
    void DropRidingBalloon(TCellGraphic* Graphic);

public:

    // ==== Tree nodes, balloons, radio groups, expand buttons: ZvGridNodes.cpp ======================================
    bool IsNode(int ARow);
    bool IsSummary(int ARow);
    bool GetNodeState(int ARow);
    void SetNodeState(int ARow, bool Value);
    int GetNodeLevel(int ARow);
    int GetNodeSpan(int ARow);
    void SetNodeSpan(int ARow, int Span);
    void UpdateNodeSpan(int ARow, int Delta);
    int GetSubNodeCount(int ARow);
    void UpdateSubNodeCount(int ARow, int Delta);
    int GetNodeSpanType(int ARow);
    int GetParentRow(int ARow);
    void AddNode(int ARow, int Span);
    void RemoveNode(int ARow);
    void RemoveAllNodes();
    void ExpandNode(int ARow);
    void ContractNode(int ARow);
    void DoExpandNode(int ARow);
    void ExpandAll();
    void ContractAll();
    void InsertChildRow(int ARow, int InsertAt);
    void RemoveChildRow(int ARow);
    void InsertNormalRow(int ARow);
    void RemoveNormalRow(int ARow);
    bool IsInNodeButton(int ARow, int X);
    int NumNodes() const;
    void AddRadio(int ACol, int ARow, int DirRadio, int IdxRadio, TStringList* sl);
    TStringList* CreateRadio(int ACol, int ARow, int DirRadio, int IdxRadio);
    bool GetRadioIdx(int ACol, int ARow, int& IdxRadio);
    bool SetRadioIdx(int ACol, int ARow, int IdxRadio);
    TStringList* GetRadioStrings(int ACol, int ARow);
    bool IsRadio(int ACol, int ARow);
    void RemoveRadio(int ACol, int ARow);
    void AdvanceCellRadio(int ACol, int ARow, bool ByUser);
    void AddBalloon(int ACol, int ARow, const String& Title, const String& Text, int Icon);
    bool IsBalloon(int ACol, int ARow, String& Title, String& Text, int& Icon);
    void RemoveBalloon(int ACol, int ARow);
    bool HasBalloon(int ACol, int ARow);
    void AddExpand(int ACol, int ARow, int ExpandedHeight);
    bool ToggleExpand(int ACol, int ARow);
    bool GetExpandState(int ACol, int ARow);
    int GetExpandHeight(int ACol, int ARow, bool Expanded);
    bool HasExpand(int ACol, int ARow);
    void RemoveExpand(int ACol, int ARow);
    TRect ExpandButtonRect(int ACol, int ARow);

private:
    // The node graphic of a displayed row, none for other rows.
    TCellGraphic* NodeGraphic(int ARow);
    // The nesting level kept in column 0's properties, 0 without properties.
    int RowLevel(int ARow);
    void ShiftRowLevels(int FromRow, int Count, int Delta);
    // The real row of a displayed one; past the last displayed row, the row after all rows.
    int RealRowOfDisplayed(int ARow) const;
    int NextNodeRow(int ARow);
    TCellGraphic* ExpandGraphic(int ACol, int ARow);

public:

    // ==== Grouping: ZvGridGroups.cpp ===============================================================================
    virtual void SubGroup(int Colindex);
    virtual void SubUnGroup(int Colindex);
    virtual void Group(int Colindex);
    virtual void UnGroup();
    int GroupColumn() const;
    void SetGroupColumn(int Value);
    void MarkSummaryRow(int ARow);
    void GroupCalc(int Colindex, int method);
    void GroupSum(int Colindex);
    void GroupAvg(int Colindex);
    void GroupMin(int Colindex);
    void GroupMax(int Colindex);
    void GroupCount(int Colindex);
    void GroupCustomCalc(int Colindex);
    void GroupDistinct(int Colindex);
    void GroupStdDev(int Colindex);

private:
    // Lays the rows from FixedRows on out anew: entry i names the row that
    // goes to FixedRows + i, or is negative for a new empty row. Rows not
    // named are freed with their cell objects.
    void RelayRows(const std::vector<int>& Layout);
    void ColorGroupRow(int ARow, TColor Color, TColor ColorTo, TColor TextColor);
    void ColorGroupCell(int ACol, int ARow, TColor Color, TColor ColorTo, TColor TextColor);
    void EndGrouping();
    double GroupAverage(int Colindex, int FromRow, int ToRow);
    // The calculation, and the floating footer's calculation of the column when the footer shows.
    void GroupFooterCalc(int Colindex, int method, TColumnCalcType Calc);

public:

    // ==== Selection, fills, cell checks: ZvGridSelection.cpp =======================================================
    virtual void AddEmptyRow();
    TGridRect Selection() const { return TBaseGrid::Selection(); }
    void SetSelection(const TGridRect& Value);
    void SelectRows(int RowIndex, int RCount);
    void UnSelectRows(int RowIndex, int RCount);
    void SelectCols(int ColIndex, int CCount);
    void UnSelectCols(int ColIndex, int CCount);
    void SelectRange(int FromCol, int ToCol, int FromRow, int ToRow);
    void ClearRowSelect();
    void ClearColSelect();
    bool GetRowSelect(int ARow);
    void SetRowSelect(int ARow, bool Value);
    bool GetColSelect(int ACol);
    void SetColSelect(int ACol, bool Value);
    int GetRowSelectCount();
    int GetColSelectCount();
    void SelectionToRowSelect(bool All);
    void SelectionToColSelect(bool All);
    void GotoCell(int ACol, int ARow);
    void FocusCell(int ACol, int ARow);
    void EditCell(int ACol, int ARow);
    void MoveToCell(int ACol, int ARow);
    void SwapCells(TGridCoord FromCell, TGridCoord ToCell);
    void RepaintRow(int ARow);
    void RepaintCol(int ACol);
    void RepaintRect(TGridRect r);
    bool GetRowModified(int ARow);
    void SetRowModified(int ARow, bool Value);
    int ModifiedRowCount();
    bool GetRowEnabled(int ARow);
    void SetRowEnabled(int ARow, bool Value);
    void TextFill(bool DoFixed, const String& Txt);
    void FormatFill(bool DoFixed, const String& Fmt);
    void RandomFill(bool DoFixed, int Rnd);
    void LinearFill(bool DoFixed);
    void SetDates(int ACol, int ARow, const QDateTime& Value);
    QDateTime GetDates(int ACol, int ARow);
    void SetTimes(int ACol, int ARow, const QDateTime& Value);
    QDateTime GetTimes(int ACol, int ARow);
    bool CheckCells(int FromCol, int FromRow, int ToCol, int ToRow);
    bool CheckCol(bool DoFixed, int ACol);
    bool CheckRow(bool DoFixed, int ARow);
    bool CheckGrid(bool DoFixed);
    bool CheckCell(int ACol, int ARow);
    bool LastRowClearOfSearchFooter();
    void ScrollLastRowClearOfSearchFooter();

    // ==== Floating footer, hit-testing, scroll-bar appearance: ZvGridFooter.cpp ====================================
    virtual void CalculateFooterValues(int ACol);
    virtual void CalcFooter(int ACol);
    void ScreenToCell(TPoint pt, int& ACol, int& ARow);
    bool IsOnSizingEdge(int X, int Y);
    void UpdateFooter();
    void InitFlatScrollBars();
    void DoneFlatScrollBars();
    void FlatSetScrollProp(int Index, int Value, bool Redraw);
    void FlatShowScrollBar(int Bar, bool Show);
    void ApplyFlatScrollStyle();
    void ApplyFlatScrollColor();
    void ApplyFlatScrollWidth();
    void SyncFlatVertScrollInfo();
    void SyncFlatHorzScrollInfo();
    void UpdateFlatScrollBars();
    void CreateScrollControls();
    static String LookName(TGridLook Value);
    static String LookDisplayName(TGridLook Value);
    void UpdateXYOffset(int X, int Y);

    // ==== Rows, columns and cells shared with the rest of the grid: ZvGridRows.cpp =================================
    virtual void RecalcColumnFooter(int ACol);
    virtual void FireCellsChanged(TRect R);
    virtual void RecalcAllFooters();
    virtual void RemoveRowsInternal(int RowIndex, int RCount);
    virtual void RemoveRowsEx(int RowIndex, int RCount);
    virtual void RemoveRows(int RowIndex, int RCount);
    virtual void InsertRows(int RowIndex, int RCount, bool UpdateCellControls = false);
    virtual void RemoveCols(int ColIndex, int CCount);
    virtual void InsertCols(int ColIndex, int CCount);
    virtual void ClearRect(int ACol1, int ARow1, int ACol2, int ARow2);
    virtual void TrimRect(int ACol1, int ARow1, int ACol2, int ARow2);
    void AddRow();
    int AllColCount() const;
    int AllRowCount() const { return RowCount() + NumHiddenRows(); }
    void AutoSizeCol(int Index, int Extra = 0);
    void AutoSizeColumns(bool DoFixedCols, int Extra);
    void BalloonInit();
    void BalloonDone();
    void CellControlsUpdate(bool Rebuild);
    TCellProperties* CellObjectByRealRow(int ACol, int ARealRow);
    void ClearRows(int RowIndex, int RCount);
    double ColumnSum(int ACol, int FromRow = -1, int ToRow = -1);
    double ColumnAvg(int ACol, int FromRow = -1, int ToRow = -1);
    double ColumnMin(int ACol, int FromRow = -1, int ToRow = -1);
    double ColumnMax(int ACol, int FromRow = -1, int ToRow = -1);
    double ColumnStdDev(int ACol, int FromRow = -1, int ToRow = -1);
    double ColumnDistinct(int ACol, int FromRow = -1, int ToRow = -1);
    double CustomGroupCalc(int ACol, int FromRow, int ToRow);
    void FillCellHint(String& HintStr, THintInfo& HintInfo);
    TControl* GetCellControls(int ACol, int ARow);
    String GetCellsEx(int ACol, int ARow);
    void SetCellsEx(int ACol, int ARow, const String& Value);
    bool GetReadOnly(int ACol, int ARow);
    String GetStrippedCell(int ACol, int ARow);
    String GetWideCells(int ACol, int ARow);
    void HideInplaceEdit();
    void InitOrigColSizes();
    void InsertRowsCore(int RowIndex, int RCount, bool MoveControls);
    bool IsSelected(int ACol, int ARow);
    void RemoveRowsCore(int RowIndex, int RCount, bool MoveControls);
    void SetAlignments(int ACol, int ARow, TAlignment Value);
    void SetColors(int ACol, int ARow, TColor Value);
    void SetColorsTo(int ACol, int ARow, TColor Value);
    void SetFontColors(int ACol, int ARow, TColor Value);
    void SetColumnOrder();
    void SetRowColor(int ARow, TColor Value);
    void SetRowColorTo(int ARow, TColor Value);
    void SetRowFontColor(int ARow, TColor Value);
    void ShowInplaceEdit();
    void SimulateCellClick(int ACol, int ARow);
    // The search footer's settings reach its panel (ZvGridRows.cpp).
    void SearchFooterChanged();
    void SizeWithFormResize(TObject* Sender);
    void MergedColumnsChanged(TObject* Sender, int ACol, int ARow);

    // ==== Window procedure, wheel, panning and zoom: ZvGridWndProc.cpp ===========================
    // The message an ended edit posts to its grid: WParam the real column, LParam the row.
    static constexpr UINT GridEditDoneMessage = 0xC0DE;
    // Sends the grid a control notification (EN_CHANGE, CBN_SELCHANGE, ...) from one of its editors,
    // as the window system reports a child control's notification to its parent (LParam: the control's window).
    void NotifyEditorCommand(TWinControl* Sender, WORD Code);
    void Zoom(int Step);
    bool Panning() const;
    // The cursor the pan mode shows now: 8000 neutral, 8001 down ... 8008 down-left; 0 when not panning.
    int PanCursorId() const;

    // ==== Scroll follow-up, cell controls and balloons: ZvGridFollowUp.cpp ========================
    // The balloon tool window while balloons are on; null otherwise.
    TGridBalloonWindow* BalloonWindow() const;
    // The balloon a rejected entry shows on its field; none before the first rejection.
    TGridBalloonWindow* RejectionBalloon() const;
    // A borderless, half-transparent form owned by the grid showing the cells of
    // ARect as painted, for a drag to carry along; not shown.
    TForm* SelectionToForm(TGridRect ARect);

    // ==== Index-mapped access, shape changes, calculations and sizing ==========================
    // (ZvGridIndexAccess.cpp, ZvGridShape.cpp, ZvGridCalc.cpp, ZvGridCellHint.cpp)
    // Real column, real row: hidden rows are read from and written to their kept texts.
    void SetReadOnly(int ACol, int ARow, bool Value);
    TColor GetColors(int ACol, int ARow);
    TColor GetColorsTo(int ACol, int ARow);
    TColor GetFontColors(int ACol, int ARow);
    TAlignment GetAlignments(int ACol, int ARow);
    // The width of a real column: remembered while it is hidden, shown at once otherwise.
    int GetAllColWidths(int ACol);
    void SetAllColWidths(int ACol, int Value);
    void SetCellControls(int ACol, int ARow, TControl* Value);
    int NumCellControls() const;
    // Real column, real row, bypassing the display-text hook (AllGridCells).
    String GetGridCellsEx(int ACol, int ARow);
    void SetGridCellsEx(int ACol, int ARow, const String& Value);
    // The text as a wide string; String is UTF-16 already, so these are AllCells and GetCellEx.
    String GetWideCellsEx(int ACol, int ARow);
    void SetWideCellsEx(int ACol, int ARow, const String& Value);
    void SetWideCells(int ACol, int ARow, const String& Value);
    // The cell's own object by real column and real row (AllObjects).
    TObject* GetObjectsEx(int ACol, int ARow);
    void SetObjectsEx(int ACol, int ARow, TObject* Value);
    // Real column, row as it was before the last sort.
    String GetUnSortedCell(int ACol, int ARow);
    void SetUnSortedCell(int ACol, int ARow, const String& Value);
    int UnSortedRowIndex(int ARow);
    int SortedRowIndex(int ARow);
    int GetLinesInCell(int ACol, int ARow);
    // Per-cell properties (real column, grid row); a write creates the properties and repaints.
    TCellGradientDirection GetGradientDir(int ACol, int ARow);
    void SetGradientDir(int ACol, int ARow, TCellGradientDirection Value);
    TFontStyles GetFontStyles(int ACol, int ARow);
    void SetFontStyles(int ACol, int ARow, TFontStyles Value);
    int GetFontSizes(int ACol, int ARow);
    void SetFontSizes(int ACol, int ARow, int Value);
    String GetFontNames(int ACol, int ARow);
    void SetFontNames(int ACol, int ARow, const String& Value);
    void SetFonts(int ACol, int ARow, TFont* Value);
    // Reading creates the properties: the word wrap a new cell would have is the answer.
    bool GetWordWraps(int ACol, int ARow);
    void SetWordWraps(int ACol, int ARow, bool Value);
    bool UseHTMLHints() const;
    void SetUseHTMLHints(bool Value);
    int ColumnByHeader(const String& AValue);
    int ColumnPosition(int ACol);
    int ColumnAtPosition(int APosition);
    void ResetColumnOrder();
    String GetOriginalCells(int ACol, int ARow);
    void SetOriginalCells(int ACol, int ARow, const String& Value);
    void ClearNormalRows(int RowIndex, int RCount);
    void AddColumn();
    void ClearCols(int ColIndex, int CCount);
    void ClearNormalCols(int ColIndex, int CCount);
    void ClearNormalCells();
    void Clear();
    // Clear, and the kept texts of the hidden rows as well.
    void ClearAll();
    void ClearSelection();
    // Column ColIndex1 takes "text1 Separator text2" (trimmed) in the normal rows; ColIndex2 goes.
    void MergeCols(int ColIndex1, int ColIndex2, const String& Separator);
    void TrimColumn(int ACol);
    void TrimRow(int ARow);
    void TrimAll();
    void ColorRect(int ACol1, int ARow1, int ACol2, int ARow2, TColor AColor);
    // The text carries the Unicode coding ("|\" first).
    bool IsWideCell(int ACol, int ARow);
    double ColumnCustomCalc(int ACol, int FromRow = -1, int ToRow = -1);
    double RowSum(int ARow, int FromCol, int ToCol);
    double RowAvg(int ARow, int FromCol, int ToCol);
    double RowMin(int ARow, int FromCol, int ToCol);
    double RowMax(int ARow, int FromCol, int ToCol);
    void RemoveCheckedRows(int CheckBoxColumn, bool RemoveChecked);
    // Keeps the first row of each text of the displayed column, letter case ignored.
    void RemoveDuplicates(int ACol, bool DoCase);
    void RemoveSelectedRows();
    void RemoveUnSelectedRows();
    void HideSelectedRows();
    void HideUnSelectedRows();
    void RemoveSelectedCols();
    void RemoveUnSelectedCols();
    bool IsCell(const String& SubStr, int& ACol, int& ARow);
    void MergeColumnCells(int ColIndex, bool MainMerge);
    void MergeRowCells(int RowIndex, bool MainMerge);
    void SplitColumnCells(int ColIndex);
    void SplitRowCells(int RowIndex);
    void SplitAllCells();
    void SelectCells(int FromCol, int FromRow, int ToCol, int ToRow);
    // Tab between cells, CR LF between rows.
    String SelectedText();
    bool GetSelectedCells(int ACol, int ARow);
    void SetSelectedCells(int ACol, int ARow, bool Value);
    TGridCoord SelectedCell(int i);
    int SelectedCellsCount();
    void ClearSelectedCells();
    int SelectedRowCount();
    int SelectedColCount();
    // -1 past the selection.
    int SelectedRow(int i);
    void ClearModifiedRows();
    int AutoNumberStart() const;
    void SetAutoNumberStart(int Value);
    int AutoNumberOffset() const;
    void SetAutoNumberOffset(int Value);
    TSortDirection AutoNumberDirection() const;
    void SetAutoNumberDirection(TSortDirection Value);
    void AutoNumberCol(int ACol);
    void AutoNumberRow(int ARow);
    void SizeRowToLines(int ARow, int Lines, int Padding);
    void AutoSizeRow(int ARow, int Padding = 0);
    void AutoSizeRows(bool DoFixedRows, int Padding);
    void AutoFitColumns(bool DoFixedCells);
    // Columns and rows grow to the cells' texts and graphics, with padding.
    void AutoSizeCells(bool DoFixedCells, int PaddingX, int PaddingY);
    void SizeToCols();
    void SizeToRows();
    void SizeToCells();
    // Real columns, with their widths, sort column and cell controls.
    void SwapColumns(int Index, int Index2);
    // Grid rows, all real columns, with their heights and cell controls.
    void SwapRows(int Index, int Index2);

    // ==== Cell editors: ZvGridEditing.cpp ==========================================================================
    // The editors' one mapping from the displayed column the cursor is on (the
    // current column when none is given) to the stored column the cell's text
    // lives in. Every read and write of an edited cell goes through it, so a
    // hidden column before the cell never shifts the text into its neighbour.
    int EditorRealCol(int DisplayCol = -1);
    // The length the text editor accepts: the column's EditLength in a column
    // grid, else MaxEditLength; 0 for no limit.
    int EditLengthLimit();
    // The look an editor opening on a cell (displayed column) takes over: the
    // cell's colour, font and alignment as the cell is painted.
    void CellEditorLook(int ACol, int ARow, TBrush& Brush, TFont& AFont, TAlignment& HA);
    virtual void StoreEditorText(int ACol, int ARow, const String& Value);
    virtual String CurrentCell();
    virtual void SetCurrentCell(const String& Value);
    virtual String ReadCurrentCellText();
    virtual void WriteCurrentCellText(const String& Value);
    virtual void RestoreCellFromCache();
    virtual void FireGetEditorProp(int ACol, int ARow, TObject* AEditLink);
    // The edit-button editors' button: OnEllipsClick may change the text (real current column).
    virtual String FireEllipsClick(const String& Text);
    virtual void RememberOldCell(int ACol, int ARow);
    virtual void SetFormulaEditing(bool Value);
    virtual void FireStartBlockFocus(int ACol, int ARow);
    virtual void FireEndBlockFocus();
    virtual bool ValidateCell(const String& NewValue);
    virtual bool ValidateCellWide(const String& NewValue);
    bool AllowEditorShow();
    void ApplyStyleServiceColors();
    bool CellAllowsEdit(int ACol, int ARow);
    // ==== Rich-text cells: editors/ZvRichEdit.cpp ====
    // Loads a cell's text (its base cell, as displayed) into a rich edit.
    void CellToRich(int ACol, int ARow, TRichEdit* RichEdit);
    // A rich edit's content as a cell holds it: its RTF, one character per byte.
    String RichToString(TRichEdit* Richeditor);
    void RichToCell(int ACol, int ARow, TRichEdit* Richeditor);
    // The rich editor shown over edRichEdit cells, made on first use.
    TZvRichEdit* InplaceRichEdit();
    // ==== External edit links: editors/ZvEditLink.cpp ====
    // The procedure an inplace link's control runs while it edits a cell.
    void EditControlWindowProc(TMessage& Message);
    TWndMethod GridControlWndProc() const;
    void SetGridControlWndProc(TWndMethod Proc);
    // The grid moves the focus itself: its focus gain does nothing meanwhile.
    bool InvokedFocusChange() const;
    void SetInvokedFocusChange(bool Value);
    // Whether the last validation of an edited value passed.
    bool LastValidation() const;
    void SetLastValidation(bool Value);
    bool GridDestroying() const;
    // The colour and image picker editors, made on first use. Defined with the
    // drop-down editors (dropdowns/editors), the floor that knows their classes.
    TGridColorDropDown* ColorPickerDropDown();
    TGridImageDropDown* ImagePickerDropDown();
    bool IsEditable(int ACol, int ARow);
    int MaxEditLength() const;
    void SetMaxEditLength(int Value);
    // The hidden rich edit that converts and measures rich text, made on first use (editors/ZvRichEdit.cpp).
    TRichEdit* RichEdit();
    void ExitHook();
    // Focus gain and loss, and accelerators of the search bar's buttons.
    void SetFocusMessageHook(TWMSetFocus& Message);
    void KillFocusMessageHook(TWMKillFocus& Message);
    void DialogCharMessageHook(TCMDialogChar& Message);
    bool CurrentCellInView() const;
    void RepaintMergedCurrentCell();
    // The editor lifecycle: opening, storing and hiding the editor of the current cell.
    void DoneInplaceEdit(WORD Key, TShiftState Shift);
    void ShowCellEdit();
    void HideCellEdit();
    void StoreAndHideEditor(int ACol, int ARow);
    // A special editor lost the focus: when that is because its page was
    // changed or its window closed under it, the edit ends as leaving the cell ends it.
    void SpecialEditorFocusLost(TWinControl* Editor);
    void PostEditDone(int ACol, int ARow);
    bool EditorWantsTab();
    TEditorType CurrentEditor() const;
    bool EditActive() const;
    String OriginalCellValue() const;
    void SetOriginalCellValue(const String& Value);
    // The special editor's control while one is open, else nullptr.
    TWinControl* EditCtrl() const;
    // The editor serving Kind in this grid (one per registry entry, shared by its
    // kinds, made with the grid or on first use), or nullptr when none serves it.
    TZvCellEditor* CellEditor(TEditorType Kind);
    // The three ways an editor ends its edit (grid/editors/ZvCellEditor.h): its
    // value written, nothing written, or the cell's text from the edit's start put back.
    void CommitEdit();
    void RejectEdit();
    void CancelEdit();
    // Ends an edit of Kind that its editor closed by itself, also when the grid
    // no longer counted it as open (a combo list closed with a direct close).
    void CommitEditOf(TEditorType Kind);
    // What the text editor reads and sets through the grid while it edits.
    bool InEditMode() const;
    // The text editor goes on as a plain edit: Enter in a multi-line cell ends no edit mode.
    void LeaveEditMode();
    String NewCellText() const;
    String OldCellText() const;
    void SetOldCellText(const String& Value);
    // Change notifications of the text editor are not reported while it is loaded.
    bool EditChangeMuted() const;
    void SetEditChangeMuted(bool Value);
    // Writes the text editor's text into the current cell without the grid reopening it.
    void WriteEditedCellText(const String& Value);
    bool ClickPending() const;
    void ClearStartEditChar();
    // A refused validation keeps the grid from advancing on the Enter that asked for it.
    void SetNoAutoAdvance(bool Value);
    // A character typed into an editor goes through the grid's own key press.
    void EditorKeyPress(QChar& Key);
    // Set by a left press that opened an editor; an editor that places its caret
    // under the pointer clears it once it has.
    bool LButFlg() const;
    void SetLButFlg(bool Value);
    // The drop-down editors' header and footer button clicks, fired as the
    // grid's own events with the current cell.
    void DropDownHeaderButtonClicked(TObject* Sender, int ButtonIndex);
    void DropDownFooterButtonClicked(TObject* Sender, int ButtonIndex);
    // The memo drop-down editor's change: its lines, joined, become the current cell's text.
    void MemoDropDownToCell(TObject* Sender);
    // The posted message that turns the end of an edit into OnEditCellDone.
    static UINT EditDoneMessage();
    void EditDoneMessageHook(TMessage& Message);
    // The one combo list every combo cell shares.
    // Replaces the list (entries and their objects) and the number of entries it drops down.
    void LoadComboList(TStringList* Items, int DropDownCount);
    void ClearComboString();
    void AddComboString(const String& S);
    void AddComboStringObject(const String& S, TObject* AObject);
    bool RemoveComboString(const String& S);
    bool SetComboSelectionString(const String& S);
    void SetComboSelection(int Index);
    int GetComboCount();
    void SetComboIndex(int ACol, int ARow, int Value);
    int GetComboIndex(int ACol, int ARow);
    // Validation, change notifiers and the selection listener (ZvGridValidation.cpp).
    bool AlwaysValidate() const;
    void SetAlwaysValidate(bool Value);
    bool Modified() const;
    void SetModified(bool Value);
    bool Editing() const;
    void RegisterNotifier(TGridChangeNotifier* ANotifier);
    void UnRegisterNotifier(TGridChangeNotifier* ANotifier);
    void RegisterSelListener(std::shared_ptr<ITZvStringGridSelect> AListener);
    void UnRegisterSelListener(const std::shared_ptr<ITZvStringGridSelect>&);

    // ==== The services (grid/services/): each keeps its own state, made on first use ===============================
    // A service's header is included only by the grid's source files that use it.
    TZvGridSort& SortService() const;
    TZvGridFilter& FilterService() const;
    TZvGridSearch& SearchService() const;
    TZvGridClipboard& ClipboardService() const;
    TZvGridTextFormats& TextFormatsService() const;
    TZvGridCellStream& CellStreamService() const;
    TZvGridHTMLXML& HTMLXMLService() const;
    TZvGridOffice& OfficeService() const;
    TZvGridPrint& PrintService() const;
    TZvGridLayout& LayoutService() const;
    TZvGridDragDrop& DragDropService() const;
    TZvGridPanels& Panels() const;

    // ==== Sorting: services/ZvGridSort.cpp ========================================================================
    virtual void QSort();
    virtual void QSortIndexed();
    virtual void QSortGroup();
    virtual void QSortGroupIndexed();
    virtual void QUnSort();
    void InitSortXRef();
    // Entry g: the row, before the last sort, that grid row g shows; empty before any sort.
    TIntList* SortRowXRef() const;
    bool IsIgnoredColumn(int ACol) const;
    void Sort(int Column, TSortDirection Direction);
    void SortByColumn(int Col);
    // Rows Left..Right only: no cross-reference check, current row or footer handling.
    void QuickSort(int Col, int Left, int Right);
    void QuickSortIndexed(int Left, int Right);
    // Swaps the two rows when they are out of order on Col (ties go to the next columns).
    bool SortLine(int Col, int ARow1, int ARow2);
    // -1, 0 or 1: the cell of Row1 before, equal to or after the one of Row2 in ascending order.
    int CompareCells(int ACol, int Row1, int Row2, TSortDirection Direction);
    std::function<void(TObject* Sender, int OldRow, int NewRow)> OnRowChanged;
    // Row First + i takes row Order[i] with everything that belongs to it (only
    // the cells of SingleColumn when it is 0 or more), its cross-reference entry too.
    void ApplySortOrder(int First, const std::vector<int>& Order, int SingleColumn);

    // ==== Filtering: services/ZvGridFilter.cpp =====================================================================
    virtual void SelectFilterValue(int Column, int ItemIndex);
    virtual void ApplyCheckedFilterEntries(int Column);
    bool FilterActive() const;
    void SetFilterActive(bool Value);
    // Hides every normal row that fails the filter, as one new level.
    void ApplyFilter();
    // Hides the shown row ARow when it fails the filter.
    void FilterRow(int ARow);
    // Brings back the latest level; true while more than one level is left.
    bool RemoveLastFilter();
    void RemoveAllFilters();
    // Narrows the rows shown a step at a time while the text grows by one
    // character, and widens them again while it shrinks; AColumn -1 tests whole rows.
    void NarrowDown(const String& ACondition, int AColumn = -1);
    virtual bool RowMatchesFilter(int ARow);
    // Opens the column's filter list (the check list with FilterDropDownCheck)
    // below its cell in the filter row; false when the column offers no values.
    bool ShowFilterDropDown(int ACol);

    // ==== Searching and highlighting: services/ZvGridSearch.cpp ====================================================
    int Search(const String& Text);
    const String& IncrSearchText() const;
    void SetIncrSearchText(const String& Value);
    // One step from StartCell (not included; (-1, -1) starts at the range's first
    // cell); the cell found or (-1, -1).
    TPoint Find(TPoint StartCell, const String& s, TFindParameters FindParams);
    TPoint FindWide(TPoint StartCell, const String& s, TFindParameters FindParams);
    TPoint FindFirst(const String& s, TFindParameters FindParams);
    // Goes on after the last cell found, with the last text and parameters; never wraps.
    TPoint FindNext();
    // Replaces OrigStr (in any case) in every cell Find visits; the number of cells changed.
    int Replace(const String& OrigStr, const String& NewStr, TFindParameters FindParams);
    TPoint SearchCell() const;
    int FindCol() const;
    void SetFindCol(int Value);
    int FindRow() const;
    void SetFindRow(int Value);
    // Tags around every occurrence of HiText in the cells of a range: "hi" highlights, "e" marks.
    // A cell is rewritten only when it holds an occurrence (or, to remove, the tag), and
    // highlighting then un-highlighting gives every text back unchanged.
    void HilightTextInRange(const String& HiText, const String& Tag, int FromCol, int ToCol, int FromRow, int ToRow,
                            bool DoCase);
    void UnHilightTextInRange(const String& Tag, int FromCol, int ToCol, int FromRow, int ToRow);
    String HilightText(bool DoCase, const String& S, const String& Text);
    String MarkText(bool DoCase, const String& S, const String& Text);
    String UnHilightText(const String& S);
    String UnMarkText(const String& Text);
    // A cell's text without the highlight and mark tags a search left in it.
    String WithoutSearchTags(const String& Text);
    void HilightInCell(bool DoCase, const String& HiText, int Col, int Row);
    void HilightInCol(bool DoFixed, bool DoCase, const String& HiText, int Col);
    void HilightInRow(bool DoFixed, bool DoCase, const String& HiText, int Row);
    void HilightInGrid(bool DoFixed, bool DoCase, const String& HiText);
    void MarkInCell(bool DoCase, const String& HiText, int Col, int Row);
    void MarkInCol(bool DoFixed, bool DoCase, const String& HiText, int Col);
    void MarkInRow(bool DoFixed, bool DoCase, const String& HiText, int Row);
    void MarkInGrid(bool DoFixed, bool DoCase, const String& HiText);
    void UnHilightInCell(int Col, int Row);
    void UnHilightInCol(bool DoFixed, int Col);
    void UnHilightInRow(bool DoFixed, int Row);
    void UnHilightInGrid(bool DoFixed);
    void UnMarkInCell(int Col, int Row);
    void UnMarkInCol(bool DoFixed, int Col);
    void UnMarkInRow(bool DoFixed, int Row);
    void UnMarkInGrid(bool DoFixed);
    void SearchEditChanged(TObject* Sender);
    void SearchBackwardClick(TObject* Sender);
    void SearchForwardClick(TObject* Sender);
    void SearchExitClick(TObject* Sender);
    void SearchHighlightClick(TObject* Sender);

    // ==== Clipboard: services/ZvGridClipboard.cpp ==================================================================
    virtual void MarkRowsModified(int FromRow, int ToRow);
    // A paste's marking: Origin is where the pasted cells were copied in this grid, (-1, -1) when elsewhere.
    virtual void MarkRowsModified(TPoint Origin, TRect R, TClipOperation LastOp);
    void CopySelectionToClipboard();
    void CopyToClipBoard();
    void CutToClipboard();
    void CutSelectionToClipboard();
    void CopyToClipBoardAsHTML();
    void PasteSelectionFromClipboard();
    void PasteFromClipboard();
    String GetSelectionAsText();
    void SetSelectionAsText(const String& Value);
    // Display columns; the count of fields processed, the block's columns and rows in Cols and Rows.
    int PasteAt(int Col, int Row, int& Cols, int& Rows);
    int PasteTextAt(int Col, int Row, const String& Text, int& Cols, int& Rows);
    String RectToClipboardText(TGridRect Rect, bool OnlySelected);
    void ExpandSelectionToMerged();
    // The widest row's field count in Cols, the non-empty lines less one in Rows (-1 for an empty text).
    static void MeasureClipboardText(const String& Text, int& Cols, int& Rows);
    virtual void StoreCellText(int ACol, int ARow, const String& Value);
    virtual void PasteBegin() {}   // a hook for grids that prepare for a paste
    virtual void PasteEnd() {}     // a hook for grids that finish a paste
    virtual bool UsesFormattedClipboard();
    TPoint ClipboardOrigin() const;
    TClipOperation LastClipOperation() const;

    // ==== Grid text file and stream: services/ZvGridTextFile.cpp ===================================================
    void SaveToFile(const String& FileName, bool Unicode = false);
    void LoadFromFile(const String& FileName);
    void SaveToStream(QIODevice* Stream);
    void LoadFromStream(QIODevice* Stream);

    // ==== Text table and cell values: services/ZvGridTextTable.cpp =================================================
    void SaveToASCII(const String& FileName, bool Unicode = false);
    void AppendToASCII(const String& FileName, bool Unicode = false);
    double CellToReal(int ACol, int ARow);

    // ==== Delimited text: services/ZvGridDelimitedText.cpp; MaxRows 0 or less reads every line ======================
    void SaveToCSV(const String& FileName, bool Unicode = false);
    void AppendToCSV(const String& FileName, bool Unicode = false);
    void LoadFromCSV(const String& FileName, int MaxRows = 0);
    void InsertFromCSV(const String& FileName, int MaxRows = 0);
    void LoadFromCSVStream(QIODevice* AStream, int MaxRows = 0);

    // ==== Fixed-width text: services/ZvGridFixedWidth.cpp; positions are widths to save, 1-based starts to load ====
    void SaveToFixed(const String& FileName, TIntList* positions);
    void LoadFromFixed(const String& FileName, TIntList* positions, bool DoTrim = true, int MaxRows = -1);

    // ==== Binary cell stream: services/ZvGridCellStream.cpp =========================================================
    void SaveRectToBinStream(TRect Rect, QIODevice* Stream);
    void LoadAtPointFromBinStream(TPoint Point, QIODevice* Stream);
    // A paste's reading: every stream lands at Point (a whole grid's too, clearing nothing), and only
    // the cells that Accept (real column, row) takes change.
    void LoadAtPointFromBinStream(TPoint Point, QIODevice* Stream, const std::function<bool(int, int)>& Accept);
    void SaveToBinStream(QIODevice* Stream);
    void LoadFromBinStream(QIODevice* Stream);
    void SaveToBinFile(const String& FileName);
    void LoadFromBinFile(const String& FileName);

    // ==== HTML and XML: services/ZvGridHTMLXML.cpp =================================================================
    // Dir: the folder, with "/" separators and a final "/", that exported pictures go to (none when empty).
    String SaveToHTMLString(const String& Dir);
    void SaveToHTML(const String& FileName, bool Show = false, bool Unicode = false);
    void AppendToHTML(const String& FileName, bool Show = false, bool Unicode = false);
    void SaveToXML(const String& FileName, const String& ListDescr, const String& RecordDescr, TStringList* FieldDescr,
                   bool ExportEmptyCells = false);
    void LoadFromXML(const String& FileName, bool LevelToRow = false, bool LoadFieldDescr = false);

    // ==== Workbooks, documents and databases: services/ZvGridOffice.cpp ============================================
    // The caller owns the list.
    TStringList* GetXLSSheets(const String& FileName);
    void LoadFromXLS(const String& Filename);
    void LoadFromXLSSheet(const String& Filename, const String& SheetName);
    // A name ending in .xls is written in the .xlsx format all the same.
    void SaveToXLS(const String& Filename, bool CreateNewSheet);
    void SaveToXLSSheet(const String& Filename, const String& SheetName);
    void SaveToDOC(const String& Filename, bool CreateNewDocument);
    void AppendToDoc(const String& Filename, const String& Bookmark);
    void LoadFromMDBTable(const String& Filename, const String& Table);
    void LoadFromMDBSQL(const String& Filename, const String& SQL);

    // ==== Printing: services/ZvGridPrint.cpp =======================================================================
    int GetPrintColWidth(int ACol) const;
    int GetPrintColOffset(int ACol) const;
    // Jobs on the platform printer (platform/Printers.h).
    void Print();
    void PrintSelection();
    void PrintRect(TGridRect Gridrect);
    void PrintSelectedRows();
    void PrintSelectedCols();
    // The cell rectangle as page 1 of 1 on any target, without a printer job.
    void PrintDrawRect(TPrintTarget* Target, TGridRect Gridrect);
    // The same job as Print on any target (a PDF writer, a recording in tests).
    void PrintTo(TPrintTarget* Target, TGridRect Gridrect, bool SelectedOnly);
    // One page on a canvas, the display rectangle standing for the paper.
    void PrintPreview(TCanvas* Canvas, TRect Displayrect);
    void PrintPreviewRect(TCanvas* Canvas, TRect Displayrect, TGridRect Gridrect, bool SelectedOnly = false);
    void PrintPreviewSelection(TCanvas* Canvas, TRect Displayrect);
    void PrintPreviewSelectedRows(TCanvas* Canvas, TRect Displayrect);
    void PrintPreviewSelectedCols(TCanvas* Canvas, TRect Displayrect);
    void PrintPreviewTo(TPrintTarget* Target, TGridRect Gridrect, bool SelectedOnly);
    int PreviewPage() const;
    void SetPreviewPage(int Value);
    bool IsPrintPreview() const;
    int MapFontHeight(int PointSize) const;
    int MapFontSize(int Height) const;
    int PrintNrOfPages() const;
    bool FastPrint() const;
    void SetFastPrint(bool Value);
    TRect PrintPageRect() const;
    int PrintPageWidth() const;
    int PrintColStart() const;
    int PrintColEnd() const;

    // ==== Layout persistence: services/ZvGridLayout.cpp ============================================================
    virtual void SaveColPositions();
    virtual void LoadColPositions();
    void LoadColSizes();
    void SaveColSizes();
    // "N#widths#order#visible", e.g. "3#64,80,64#0,1,2#1,1,1" for three plain columns.
    String ColumnStatesToString();
    void StringToColumnStates(const String& Value);
    void SavePrintSettings(const String& Key, const String& Section);
    void LoadPrintSettings(const String& Key, const String& Section);
    // The look as Key=Value lines. Saving raises "Cannot Create <file>";
    // loading raises "Cannot open file <file>", and a bad number stops it
    // with what was read before it applied.
    void SaveVisualProps(const String& FileName);
    void LoadVisualProps(const String& FileName);
    // Key and Section both set, and the grid not being designed.
    bool ColumnStoreUsable() const;

    // ==== Drag and drop: services/ZvGridDragDrop.cpp ===============================================================
    void OleColumnDragStart(int ACol, int AIndex, TObject* AList);
    // Drags the selection (or, from a header with OleColumnDragDrop, the column) pressed at the cell.
    void OleDragStart(int ACol, int ARow);
    // The mouse-move step of a pressed selection: true when it started a drag.
    bool OleDragOnMove(TShiftState Shift, int X, int Y);
    // The accept flags of the settings into the registered drop target.
    void CopyDropTargetFlags();
    // The header drag button as the picture of the column's header, its bottom left at the screen point.
    void ShowHeaderDragPicture(int ACol, TPoint ScreenPt);
    friend class TGridDropTarget;
    friend class TGridDropSource;

private:
    void RemoveDraggedCells();

public:

    // ==== Properties ===================================================================================
    // Appearance.
    bool ActiveCellShow() const;
    void SetActiveCellShow(bool Value);
    TFont* ActiveCellFont() const;
    void SetActiveCellFont(TFont* Value);
    TColor ActiveCellColor() const;
    void SetActiveCellColor(TColor Value);
    TColor ActiveCellColorTo() const;
    void SetActiveCellColorTo(TColor Value);
    TColor BorderColor() const;
    void SetBorderColor(TColor Value);
    TFont* FixedFont() const;
    void SetFixedFont(TFont* Value);
    TColor HintColor() const;
    void SetHintColor(TColor Value);
    TColor HighlightColor() const;
    void SetHighlightColor(TColor Value);
    TColor HighlightTextColor() const;
    void SetHighlightTextColor(TColor Value);
    TColor SelectionColor() const;
    void SetSelectionColor(TColor Value);
    TColor SelectionColorTo() const;
    void SetSelectionColorTo(TColor Value);
    TColor SelectionMirrorColor() const;
    void SetSelectionMirrorColor(TColor Value);
    TColor SelectionMirrorColorTo() const;
    void SetSelectionMirrorColorTo(TColor Value);
    bool SelectionColorMixer() const;
    void SetSelectionColorMixer(bool Value);
    int SelectionColorMixerFactor() const;
    void SetSelectionColorMixerFactor(int Value);
    TColor SelectionTextColor() const;
    void SetSelectionTextColor(TColor Value);
    bool SelectionRectangle() const;
    void SetSelectionRectangle(bool Value);
    bool SelectionResizer() const;
    void SetSelectionResizer(bool Value);
    TColor SelectionRectangleColor() const;
    void SetSelectionRectangleColor(TColor Value);
    bool SelectionRTFKeep() const;
    void SetSelectionRTFKeep(bool Value);
    bool ShowSelection() const;
    void SetShowSelection(bool Value);
    TColor URLColor() const;
    void SetURLColor(TColor Value);
    bool URLShow() const;
    void SetURLShow(bool Value);
    bool URLShowInText() const;
    void SetURLShowInText(bool Value);
    bool URLUnderlineOnHover() const;
    void SetURLUnderlineOnHover(bool Value);
    bool URLFull() const;
    void SetURLFull(bool Value);
    bool URLEdit() const;
    void SetURLEdit(bool Value);
    TColor DisabledFontColor() const;
    void SetDisabledFontColor(TColor Value);
    bool UseDisabledFont() const;
    void SetUseDisabledFont(bool Value);
    TGridLook Look() const;
    void SetLook(TGridLook Value);
    bool Flat() const;
    void SetFlat(bool Value);
    bool Ctl3D() const;
    void SetCtl3D(bool Value);
    bool Hovering() const;
    void SetHovering(bool Value);
    THoverFixedCells HoverFixedCells() const;
    void SetHoverFixedCells(THoverFixedCells Value);
    bool AutoThemeAdapt() const;
    void SetAutoThemeAdapt(bool Value);
    TScrollType ScrollType() const;
    void SetScrollType(TScrollType Value);
    TColor ScrollColor() const;
    void SetScrollColor(TColor Value);
    int ScrollWidth() const;
    void SetScrollWidth(int Value);
    bool ScrollProportional() const;
    void SetScrollProportional(bool Value);
    bool ScrollSynch() const;
    void SetScrollSynch(bool Value);
    TScrollHintType ScrollHints() const;
    void SetScrollHints(TScrollHintType Value);
    TScrollBarAlways ScrollBarAlways() const;
    void SetScrollBarAlways(TScrollBarAlways Value);
    TScrollStyle ScrollBars() const;
    void SetScrollBars(TScrollStyle Value);
    TGridProgressAppearance* ProgressAppearance() const;
    void SetProgressAppearance(TGridProgressAppearance* Value);
    TBitmap* RowIndicator() const;
    void SetRowIndicator(TBitmap* Value);
    bool NoDefaultDraw() const;
    void SetNoDefaultDraw(bool Value);
    bool NoImageAndText() const;
    void SetNoImageAndText(bool Value);
    bool FitCellsInGrid() const;
    void SetFitCellsInGrid(bool Value);
    TBorderStyle BorderStyle() const;
    void SetBorderStyle(TBorderStyle Value);
    TColor VUDGradientFrom() const;
    TColor VUDGradient(TLookGradient which) const;
    void SetVUDGradient(TLookGradient which, TColor Value);
    TZvStyle ComponentStyle() const;
    const TColorTones& ColorTones() const;

    // Layout.
    bool FixedAsButtons() const;
    void SetFixedAsButtons(bool Value);
    bool Multilinecells() const;
    void SetMultilinecells(bool Value);
    TVAlignment VAlignment() const;
    void SetVAlignment(TVAlignment Value);
    bool IntegralHeight() const;
    void SetIntegralHeight(bool Value);
    bool SizeWithForm() const;
    void SetSizeWithForm(bool Value);
    bool AutoSize() const;
    void SetAutoSize(bool Value);
    bool AutoNumAlign() const;
    void SetAutoNumAlign(bool Value);
    TEditorType DefaultEditor() const;
    void SetDefaultEditor(TEditorType Value);
    bool SpreadSheet() const;
    void SetSpreadSheet(bool Value);

    // Behaviour.
    bool EnableHTML() const;
    void SetEnableHTML(bool Value);
    bool EnableWheel() const;
    void SetEnableWheel(bool Value);
    bool EnableBlink() const;
    void SetEnableBlink(bool Value);
    bool EnhTextSize() const;
    void SetEnhTextSize(bool Value);
    bool EnhRowColMove() const;
    void SetEnhRowColMove(bool Value);
    bool EditWithTags() const;
    void SetEditWithTags(bool Value);
    const String& FloatFormat() const;
    void SetFloatFormat(const String& Value);
    bool ExcelStyleDecimalSeparator() const;
    void SetExcelStyleDecimalSeparator(bool Value);
    bool FilterDropDownAuto() const;
    void SetFilterDropDownAuto(bool Value);
    const String& FilterDropDownClear() const;
    void SetFilterDropDownClear(const String& Value);
    bool FilterDropDownCheck() const;
    void SetFilterDropDownCheck(bool Value);
    TFilterDropDownColumns FilterDropDownColumns() const;
    void SetFilterDropDownColumns(TFilterDropDownColumns Value);
    int FilterDropDownRow() const;
    void SetFilterDropDownRow(int Value);
    bool FilterNormalCellsOnly() const;
    void SetFilterNormalCellsOnly(bool Value);
    bool AutoFilterUpdate() const;
    void SetAutoFilterUpdate(bool Value);
    bool FilterIncremental() const;
    void SetFilterIncremental(bool Value);
    bool HintShowCells() const;
    void SetHintShowCells(bool Value);
    bool HintShowLargeText() const;
    void SetHintShowLargeText(bool Value);
    bool HintShowSizing() const;
    void SetHintShowSizing(bool Value);
    bool HTMLHint() const;
    void SetHTMLHint(bool Value);
    bool AnchorHint() const;
    void SetAnchorHint(bool Value);
    THintShowLargeTextPos HintShowLargeTextPos() const;
    void SetHintShowLargeTextPos(THintShowLargeTextPos Value);
    bool UseInternalHintClass() const;
    void SetUseInternalHintClass(bool Value);
    TIntelliPan IntelliPan() const;
    void SetIntelliPan(TIntelliPan Value);
    bool IntelliZoom() const;
    void SetIntelliZoom(bool Value);
    const String& InvalidEntryTitle() const;
    void SetInvalidEntryTitle(const String& Value);
    const String& InvalidEntryText() const;
    void SetInvalidEntryText(const String& Value);
    TInvalidEntryIcon InvalidEntryIcon() const;
    void SetInvalidEntryIcon(TInvalidEntryIcon Value);
    bool Lookup() const;
    void SetLookup(bool Value);
    bool LookupCaseSensitive() const;
    void SetLookupCaseSensitive(bool Value);
    bool LookupHistory() const;
    void SetLookupHistory(bool Value);
    int MaxComboLength() const;
    void SetMaxComboLength(int Value);
    bool OemConvert() const;
    void SetOemConvert(bool Value);
    bool HideFocusRect() const;
    void SetHideFocusRect(bool Value);
    bool ShowDesignHelper() const;
    void SetShowDesignHelper(bool Value);
    const String& ValidChars() const;
    void SetValidChars(const String& Value);
    const String& EditMask() const;
    void SetEditMask(const String& Value);

    // Further properties, not stored with a form.
    const String& CheckTrue() const;
    void SetCheckTrue(const String& Value);
    const String& CheckFalse() const;
    void SetCheckFalse(const String& Value);
    const String& XMLEncoding() const;
    void SetXMLEncoding(const String& Value);
    QChar PasswordChar() const;
    void SetPasswordChar(QChar Value);
    QChar Delimiter() const;
    void SetDelimiter(QChar Value);
    bool QuoteEmptyCells() const;
    void SetQuoteEmptyCells(bool Value);
    bool AlwaysQuotes() const;
    void SetAlwaysQuotes(bool Value);
    bool JavaCSV() const;
    void SetJavaCSV(bool Value);
    bool SaveFixedCells() const;
    void SetSaveFixedCells(bool Value);
    bool SaveFixedRows() const;
    void SetSaveFixedRows(bool Value);
    bool SaveFixedCols() const;
    void SetSaveFixedCols(bool Value);
    bool SaveHiddenCells() const;
    void SetSaveHiddenCells(bool Value);
    bool SaveVirtCells() const;
    void SetSaveVirtCells(bool Value);
    bool SaveWithHTML() const;
    void SetSaveWithHTML(bool Value);
    bool SaveWithRTF() const;
    void SetSaveWithRTF(bool Value);
    bool LoadFirstRow() const;
    void SetLoadFirstRow(bool Value);
    bool ShowNullDates() const;
    void SetShowNullDates(bool Value);
    bool ClearTextOnly() const;
    void SetClearTextOnly(bool Value);
    bool ExcelClipboardFormat() const;
    void SetExcelClipboardFormat(bool Value);
    bool PrinterDriverFix() const;
    void SetPrinterDriverFix(bool Value);
    bool SizeGrowOnly() const;
    void SetSizeGrowOnly(bool Value);
    int MinRowHeight() const;
    void SetMinRowHeight(int Value);
    int MaxRowHeight() const;
    void SetMaxRowHeight(int Value);
    int MinColWidth() const;
    void SetMinColWidth(int Value);
    int MaxColWidth() const;
    void SetMaxColWidth(int Value);
    int ZoomFactor() const;
    void SetZoomFactor(int Value);
    TPoint XYOffset() const;
    void SetXYOffset(TPoint Value);
    bool XYOffsetTopLeftOnly() const;
    void SetXYOffsetTopLeftOnly(bool Value);
    TObject* EditLink() const;
    void SetEditLink(TObject* Value);
    bool Loading() const;
    bool IsLoaded() const;
    bool Designing() const;
    int UpdateCount() const;
    bool IsWinXP() const;
    bool IsWin7() const;
    bool IsWinVista() const;
    bool IsComCtl6() const;
    TZvStyle Style() const;
    int FilterLevel() const;
    int MaxRowCount() const;
    int MaxColCount() const;
    int FixedRowsMin() const;
    int FixedColsMin() const;

    // Option objects.
    TBalloonSettings* Balloon() const;
    void SetBalloon(TBalloonSettings* Value);
    TBands* Bands() const;
    void SetBands(TBands* Value);
    TBackGround* BackGround() const;
    void SetBackGround(TBackGround* Value);
    TCellNode* CellNode() const;
    void SetCellNode(TCellNode* Value);
    TZvStringGridCheck* CellChecker() const;
    void SetCellChecker(TZvStringGridCheck* Value);
    TStringList* ColumnHeaders() const;
    void SetColumnHeaders(TStringList* Value);
    TColumnSize* ColumnSize() const;
    void SetColumnSize(TColumnSize* Value);
    TControlLook* ControlLook() const;
    void SetControlLook(TControlLook* Value);
    TDragDropSettings* DragDropSettings() const;
    void SetDragDropSettings(TDragDropSettings* Value);
    TDragScrollOptions* DragScrollOptions() const;
    void SetDragScrollOptions(TDragScrollOptions* Value);
    TFilter* Filter() const;
    void SetFilter(TFilter* Value);
    TFilterDropDown* FilterDropDown() const;
    void SetFilterDropDown(TFilterDropDown* Value);
    TPopupMenu* FixedDropDownMenu() const;
    void SetFixedDropDownMenu(TPopupMenu* Value);
    TFloatingFooter* FloatingFooter() const;
    void SetFloatingFooter(TFloatingFooter* Value);
    TFocusHelper* FocusHelper() const;
    void SetFocusHelper(TFocusHelper* Value);
    TCustomImageList* GridImages() const;
    void SetGridImages(TCustomImageList* Value);
    TGrouping* Grouping() const;
    void SetGrouping(TGrouping* Value);
    THTMLSettings* HTMLSettings() const;
    void SetHTMLSettings(THTMLSettings* Value);
    TStringList* LookupItems() const;
    void SetLookupItems(TStringList* Value);
    TMouseActions* MouseActions() const;
    void SetMouseActions(TMouseActions* Value);
    TNavigation* Navigation() const;
    void SetNavigation(TNavigation* Value);
    TPictureContainer* PictureContainer() const;
    void SetPictureContainer(TPictureContainer* Value);
    TPrintSettings* PrintSettings() const;
    void SetPrintSettings(TPrintSettings* Value);
    TStringList* RowHeaders() const;
    void SetRowHeaders(TStringList* Value);
    TSearchFooter* SearchFooter() const;
    void SetSearchFooter(TSearchFooter* Value);
    TShowModified* ShowModified() const;
    void SetShowModified(TShowModified* Value);
    TSizeWhileTyping* SizeWhileTyping() const;
    void SetSizeWhileTyping(TSizeWhileTyping* Value);
    TSortSettings* SortSettings() const;
    void SetSortSettings(TSortSettings* Value);
    TSyncGrid* SyncGrid() const;
    void SetSyncGrid(TSyncGrid* Value);

    // Owned lists, panels and windows other classes of the control library reach.
    TSortIndexList* SortIndexes() const;
    TStringList* FilterValues() const;
    TIntList* IgnoreColumns() const;
    TIntList* MergedColumns() const;
    TIntList* ColumnOrder() const;
    TControlList* CellControls() const;
    THTMLPictureCache* PictureCache() const;
    TCellGraphic* SharedCellGraphic() const;
    TFooterPanel* FooterPanel() const;
    TSearchPanel* SearchPanel() const;
    THTMLHintWindow* ScrollHintWindow() const;
    TDropList* FilterDropList() const;
    TDropCheckList* FilterDropCheckList() const;
    // The header filter list as the last click opened it: its client rectangle,
    // the texts it shows and which of them are ticked; FilterListColumn is the
    // real column whose list is open, -1 none.
    TRect FilterListBounds() const;
    const TStringList& FilterListItems() const;
    bool FilterListTicked(int Index) const;
    int FilterListColumn() const;
    TGridFocusWindow* FocusFrameWindow() const;
    TArrowWindow* ArrowWindow(TArrowDirection dir) const;
    TGridCombo* ComboEditor() const;
    TGridTransEdit* TransEdit() const;
    TGridTransCombo* TransCombo() const;
    TGridCheckBox* CheckBoxEditor() const;
    TGridEditBtn* EditBtnEditor() const;
    TGridUnitEditBtn* UnitEditBtnEditor() const;
    TGridButton* ButtonEditor() const;
    THeaderDragButton* HeaderDragButton() const;
    TEdit* FormControlEdit() const;
    TComboBox* FormControlCombo() const;
    TScrollControl* VertScrollControl() const;
    TScrollControl* HorzScrollControl() const;

    // ==== Events ======================================================================================
    TAutoAdvanceEvent OnAutoAdvance;
    TCustomCellDrawEvent OnCustomCellBkgDraw;
    TCustomCellDrawEvent OnCustomCellDraw;
    TCustomCellSizeEvent OnCustomCellSize;
    TCustomFilterEvent OnCustomFilter;
    TGridColorEvent OnGetCellColor;
    TCellCursorEvent OnGetCellCursor;
    TGridGradientEvent OnGetCellGradient;
    TGridColorEvent OnGetCellPrintColor;
    TGridBorderEvent OnGetCellPrintBorder;
    TGridBorderEvent OnGetCellBorder;
    TGridBorderPropEvent OnGetCellBorderProp;
    TGridAlignEvent OnGetAlignment;
    TWordWrapEvent OnGetWordWrap;
    TGetColumnFilterEvent OnGetColumnFilter;
    TNotifyEvent OnFilterDone;
    TFilterSelectEvent OnFilterSelect;
    TFilterCheckEvent OnFilterCheck;
    TGridFormatEvent OnGetFormat;
    TGetCheckEvent OnGetCheckTrue;
    TGetCheckEvent OnGetCheckFalse;
    TGridHintEvent OnGridHint;
    TGridWideHintEvent OnGridWideHint;
    TColumnCalcEvent OnColumnCalc;
    TGroupCalcEvent OnGroupCalc;
    TRowUpdateEvent OnRowUpdate;
    TRowChangingEvent OnRowChanging;
    TColChangingEvent OnColChanging;
    TCellChangingEvent OnCellChanging;
    TGridBalloonEvent OnCellBalloon;
    TCustomStrToDateEvent OnCustomStrToDate;
    TPrintPageEvent OnPrintPage;
    TPrintGetPageNumEvent OnPrintGetPageNum;
    TPrintPageEvent OnPrintPageDone;
    TPrintStartEvent OnPrintStart;
    TPrintCancelEvent OnPrintCancel;
    TFitToPageEvent OnFitToPage;
    TPrintNewPageEvent OnPrintNewPage;
    TPrintColumnWidthEvent OnPrintSetColumnWidth;
    TPrintRowHeightEvent OnPrintSetRowHeight;
    TCanAddRowEvent OnCanAddRow;
    TAutoAddRowEvent OnAutoAddRow;
    TCanInsertRowEvent OnCanInsertRow;
    TAutoInsertRowEvent OnAutoInsertRow;
    TAutoInsertColEvent OnAutoInsertCol;
    TCanDeleteRowEvent OnCanDeleteRow;
    TAutoDeleteRowEvent OnAutoDeleteRow;
    TClickSortEvent OnClickSort;
    TCanSortEvent OnCanSort;
    TNodeClickEvent OnExpandNode;
    TNodeClickEvent OnContractNode;
    TDropDownButtonClickEvent OnDropDownHeaderButtonClick;
    TDropDownButtonClickEvent OnDropDownFooterButtonClick;
    TNodeAllowEvent OnBeforeExpandNode;
    TNodeAllowEvent OnBeforeContractNode;
    TCustomCompareEvent OnCustomCompare;
    TRawCompareEvent OnRawCompare;
    TSearchEditChangeEvent OnSearchEditChange;
    TSearchFooterActionEvent OnSearchFooterAction;
    TNotifyEvent OnSearchFooterClose;
    TCanShowFixedDropDownEvent OnCanShowFixedDropDown;
    TFixedDropDownClickEvent OnFixedDropDownClick;
    TClickCellEvent OnClickCell;
    TClickCellEvent OnRightClickCell;
    TDblClickCellEvent OnDblClickCell;
    TCanEditCellEvent OnCanClickCell;
    TCanEditCellEvent OnCanEditCell;
    TFixedEditEvent OnFixedEdit;
    TIsFixedCellEvent OnIsFixedCell;
    TIsPasswordCellEvent OnIsPasswordCell;
    TAnchorClickEvent OnAnchorClick;
    TAnchorEvent OnAnchorEnter;
    TAnchorEvent OnAnchorExit;
    TAnchorHintEvent OnAnchorHint;
    TClickCellControlEvent OnControlClick;
    TClickCellControlEvent OnControlEditDone;
    TControlComboListEvent OnControlComboList;
    TControlComboSelectEvent OnControlComboSelect;
    TClipboardEvent OnClipboardPaste;
    TClipboardEvent OnClipboardCopy;
    TClipboardEvent OnClipboardCut;
    TAfterCellPasteEvent OnClipboardAfterPasteCell;
    TAfterCellPasteEvent OnClipboardAfterPasteWideCell;
    TBeforeCellPasteEvent OnClipboardBeforePasteCell;
    TBeforeCellPasteEvent OnClipboardBeforePasteWideCell;
    TCellValidateEvent OnCellValidate;
    TCellValidateEvent OnCellValidateWide;
    TCellsChangedEvent OnCellsChanged;
    TGridProgressEvent OnFileProgress;
    TGridProgressEvent OnFilterProgress;
    THasComboEvent OnHasComboBox;
    THasSpinEditEvent OnHasSpinEdit;
    TGetEditorTypeEvent OnGetEditorType;
    TGetEditorPropEvent OnGetEditorProp;
    TFloatFormatEvent OnGetFloatFormat;
    TEllipsClickEvent OnEllipsClick;
    TButtonClickEvent OnButtonClick;
    TCheckBoxChangeEvent OnCheckBoxChange;
    TCheckBoxClickEvent OnCheckBoxClick;
    TCheckBoxClickEvent OnCheckBoxMouseUp;
    TColorSelectedEvent OnColorSelected;
    TColorSelectEvent OnColorSelect;
    TExpandClickEvent OnExpandClick;
    TImageSelectedEvent OnImageSelected;
    TImageSelectEvent OnImageSelect;
    TRadioClickEvent OnRadioClick;
    TRadioClickEvent OnRadioMouseUp;
    TRadioButtonClickEvent OnRadioButtonClick;
    TClickCellEvent OnDatePickerCloseUp;
    TClickCellEvent OnDatePickerDropDown;
    TComboChangeEvent OnComboChange;
    TClickCellEvent OnComboCloseUp;
    TClickCellEvent OnComboDropDown;
    TComboObjectChangeEvent OnComboObjectChange;
    TSpinClickEvent OnSpinClick;
    TFloatSpinClickEvent OnFloatSpinClick;
    TDateTimeSpinClickEvent OnTimeSpinClick;
    TDateTimeSpinClickEvent OnDateSpinClick;
    TNotifyEvent OnRichEditSelectionChange;
    TDragScrollEvent OnDragScroll;
    TNotifyEvent OnEditingDone;
    TEditCellDoneEvent OnEditCellDone;
    TEditChangeEvent OnEditChange;
    TDateTimeChangeEvent OnDateTimeChange;
    TFooterPaintEvent OnFooterPaint;
    TFooterCalcEvent OnFooterCalc;
    TOnResizeEvent OnGridResize;
    TRowDisjunctSelectEvent OnRowDisjunctSelect;
    TRowDisjunctSelectedEvent OnRowDisjunctSelected;
    TSelectionChangedEvent OnSelectionChanged;
    TNotifyEvent OnUnitChanged;
    TOleDragDropEvent OnOleDrop;
    TOleDroppedEvent OnOleDropped;
    TOleDragDropEvent OnOleDrag;
    TOleDragOverEvent OnOleDragOver;
    TOleDragStartEvent OnOleDragStart;
    TOleDragStopEvent OnOleDragStop;
    TOleDropColEvent OnOleDropCol;
    TOleDropFileEvent OnOleDropFile;
    TOleDropURLEvent OnOleDropURL;
    TRatingChangeEvent OnRatingChange;
    TScrollHintEvent OnScrollHint;
    TColumnSizeEvent OnColumnSize;
    TColumnSizingEvent OnColumnSizing;
    TColumnMoveEvent OnColumnMove;
    TColumnMovingEvent OnColumnMoving;
    TRowSizeEvent OnRowSize;
    TRowSizingEvent OnRowSizing;
    TRowMoveEvent OnRowMove;
    TRowMovingEvent OnRowMoving;
    TEndColumnSizeEvent OnEndColumnSize;
    TUpdateColumnSizeEvent OnUpdateColumnSize;
    TEndRowSizeEvent OnEndRowSize;
    TScrollCellEvent OnScrollCell;
    TSelectionResizeEvent OnSelectionResize;
    TSelectionResizeEvent OnSelectionResized;
    TNotifyEvent OnCreatedFloatingFooter;
    TNotifyEvent OnCreatedSearchFooter;
    TSaveCellEvent OnSaveCell;
    TLoadCellEvent OnLoadCell;
    TButtonClickEvent OnStartBlockFocus;
    TNotifyEvent OnEndBlockFocus;
    TNotifyEvent OnPainted;
    TGetEditorPropIntEvent OnGetEditorPropInt;

protected:
    // The text as the last validation left it; editors reload themselves from it after a refusal.
    String FNewCellText;

    // ==== Platform steps under this system's names ==========================================
    void Paint() override;
    void Resize() override;
    void CreateWnd() override;
    void WndProc(TMessage& Message) override;
    // Scaling by M/D: the platform scales the sizes, ScaleChangeHook the grid's own extra fonts.
    void ChangeScale(int M, int D) override;
    virtual void ScaleChangeHook(int M, int D);
    TInplaceEdit* CreateEditor() override;
    bool CanEditShow() override;
    void HideEditor() override;
    void ShowEditorChar(QChar Ch) override;
    String GetEditMask(int ACol, int ARow) override;
    int GetEditLimit() override;
    void ColumnMoved(int FromIndex, int ToIndex) override;
    void RowMoved(int FromIndex, int ToIndex) override;
    void ColWidthsChanged() override;
    void RowHeightsChanged() override;
    void SizeChanged(int OldColCount, int OldRowCount) override;
    // The platform's sizing answer, then OnColumnSize / OnRowSize may refuse it (ZvGridSizing.cpp).
    void CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos, int& SizingOfs) override;
    void DoExit() override;
    void KeyPress(QChar& Key) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void CellDrawHook(int ACol, int ARow, TRect ARect, TGridDrawState AState) override;
    bool CellSelectHook(int ACol, int ARow) override;
    void KeyDownHook(WORD& Key, TShiftState Shift) override;
    void ComponentRemovedHook(TComponent* AComponent, TOperation Operation) override;

    virtual TInplaceEdit* EditorCreateHook();
    // The editor lifecycle's side of the platform's edit-text steps and its special editors.
    String EditTextGetHook(int ACol, int ARow) override;
    void EditTextSetHook(int ACol, int ARow, const String& Value) override;
    void ResolveEditorKind();
    bool ShowEditorControl(int ACol, int ARow);
    void EndEdit(bool WriteValue);
    // The editor of an entry in this grid; Make makes it when the grid has none yet.
    TZvCellEditor* CellEditorOf(const TZvCellEditorEntry& Entry, bool Make);
    // The editor serving Kind if this grid has made it already.
    TZvCellEditor* MadeCellEditor(TEditorType Kind);
    // Cells that the editor reopens on after a rejected validation.
    void ReopenAfterRejection(int ACol, int ARow, const String& Value, bool ValueReplaced);
    void HoldCursorAfterRejection();
    void ShowRejectionBalloon();
    bool RunValidation(const String& NewValue, const String& OldValue, bool& Valid,
                       const std::function<void(int ACol, int ARow, bool& Valid)>& Check);
    void DoEnter() override;
    void Click() override;
    virtual void WindowProcHook(TMessage& Message);
    virtual bool SizingStateHook(int X, int Y);
    virtual void KeyPressHook(QChar& Key);
    virtual void MouseDownHook(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMoveHook(TShiftState Shift, int X, int Y);
    void PointerCursorHook(int X, int Y);
    // Cell hints (ZvGridCellHint.cpp): the displayed base cell whose hint a
    // client point asks for ((-1, -1) off the cells); ending a cell's hint
    // once the pointer is over another cell.
    TGridCoord HintCellAt(int X, int Y);
    void EndHintOfOtherCell(int X, int Y);
    virtual void MouseUpHook(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void ColumnMovedHook(int FromIndex, int ToIndex);
    virtual void RowMovedHook(int FromIndex, int ToIndex);
    virtual void DragOverHook(TObject* Source, int X, int Y, TDragState State, bool& Accept);
    void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) override;
    virtual void SizeChangedHook(int OldColCount, int OldRowCount);
    virtual void ColWidthsChangedHook();
    virtual void RowHeightsChangedHook();

    // ==== Keyboard (ZvGridKeys.cpp) ============================================================
    void FireKeyDownCopy(WORD Key, TShiftState Shift);
    bool CellHasFormControl(int ACol, int ARow);
    bool HomeEndKeyDown(WORD Key, TShiftState Shift, int RowBefore);
    bool SkipFixedCellsKey(WORD Key, TShiftState Shift);
    void KeyDownAfterInherited(WORD Key, TShiftState Shift, int ColBefore);

    // ==== Mouse press (ZvGridMouse.cpp) ==========================================================
    // A press (and release) replayed through the grid's own mouse steps, as a user's click would go.
    void ReplayPress(int X, int Y);
    void ReplayClick(int X, int Y);
    bool HitTestMarkup(int ACol, int ARow, int X, int Y, THTMLDrawResult& Result);
    THTMLDrawParams CellMarkupParams() const;
    void PressCellControl(int ACol, int ARow, const THTMLDrawResult& Hit);
    // The steps of a left press, each true when it took the press (TCellPress: ZvGridMouse.cpp).
    bool PressCellWidget(const TCellPress& Press);
    bool PressCellLink(const TCellPress& Press);
    void PressFixedCell(const TCellPress& Press);
    bool PressCellCheck(const TCellPress& Press);
    void PressSelectCell(TWMMouse& Message, const TCellPress& Press);
    void PressEditCell(const TCellPress& Press);

    // ==== Pointer and key input of the column grid (ZvGridPointer.cpp, ZvGridKeys.cpp) ===========
    void RepaintRowIndicators(int OldRow, int NewRow);
    void KeyUp(WORD& Key, TShiftState Shift) override;
    virtual void KeyUpHook(WORD& Key, TShiftState Shift);
    void CMMouseLeave(TMessage& Message) override;
    virtual void MouseLeaveHook();
    // Key down: moving the selected rows, wrapping at the edges, stepping over disabled rows.
    void MoveSelectedRowsByKey(bool Down);
    void WrapCursorAtEdge(WORD Key, TGridCoord Before);
    void SkipDisabledRowByKey(WORD Key, int RowBefore);
    // Key up: the disjunct cell selection follows Shift and Space.
    void DisjunctCellsOnKeyUp(WORD Key, TShiftState Shift, const TGridRect& Before);
    // Mouse down: the fixed cells' drop-down button, their editing on a click.
    bool PressFixedDropDown(TGridCoord Cell, int X);
    bool EditFixedCellOnPress(TMouseButton Button, TGridCoord Cell, int X, int Y);
    // Mouse up: the header filter list and the disjunct cell selection.
    bool FilterListOnRelease(TGridCoord Cell, int X, int Y);
    void OpenFilterList(int ACol, int ARow);
    bool DisjunctCellsOnRelease(TGridCoord Cell, TShiftState Shift);
    void AddSelectionToSelectedCells(TGridCoord Base);
    void RepaintSelectedCells();
    // Mouse move, step by step.
    void HoverOnMove(TGridCoord Cell, int X, int Y);
    void DragSelectOnMove(TGridCoord Cell, int Y);
    void FixedBordersOnMove(TGridCoord Cell, int X, int Y);
    bool OnResizeHandle(int X, int Y);
    void MoveEventsOnMove(int X, int Y);
    void RowColMoveOnMove(TGridCoord Cell, int X, int Y);
    bool LinkHoverOnMove(TGridCoord Cell, int X, int Y);
    // Cell scroll bars (ZvGridCellScrollBar.cpp): one control laid over the hovered cell's bar,
    // its scroll messages, and the bars painted in the other cells.
    void PlaceCellScrollBar(TGridCoord Cell);
    void FollowCellScrollBar();
    bool CellScrollBarMessage(TWMScroll& Message);
    int PaintCellScrollBar(TCanvas& Canvas, int RCol, int ARow, const TRect& ARect);
    void SizingHintOnMove(int X, int Y);
    TMouseSelectMode MouseSelectModeAt(TGridCoord Cell, int X, int Y);
    void DrawFixedSizingLine(bool Column, int Pos);
    // Press rules: resize grip, fixed sizing, node glyphs, disjunct rows and columns, a drag's start.
    bool PressResizeGrip(TWMMouse& Message, const TGridCoord& Cell, bool Inherit);
    bool PressFixedSizing(int X, int Y);
    bool PressNodeGlyph(const TCellPress& Press);
    bool PressDisjunctRowsCols(TWMMouse& Message, const TCellPress& Press);
    bool PressOleDragStart(const TCellPress& Press);
    void PressFixedButtonLook(const TCellPress& Press);

    // ==== Cell painting steps (ZvGridDraw.cpp, ZvGridTextPaint.cpp, ZvGridGraphics.cpp) ==========
    // Each paints one part of PaintCellContents, PaintCellText or PaintCellGraphic; a step that
    // takes room from the cell narrows ARect.
    void PaintFixedCellLook(TCanvas& Canvas, int ACol, int ARow, TRect& ARect, TColor ColorTo, TColor MirrorColor,
                            TColor MirrorColorTo);
    void PaintRowIndicator(TCanvas& Canvas, int RCol, int ARow, TRect& ARect);
    void PaintListViewHeader(TCanvas& Canvas, int ACol, int ARow, const TRect& ARect);
    void PaintAlwaysVisibleButtons(TCanvas& Canvas, int ACol, int ARow, TRect& ARect);
    void PaintFixedCellEdges(TCanvas& Canvas, int RCol, const TRect& ARect, bool FixedLook);
    void PaintTreeLines(TCanvas& Canvas, int RCol, int ARow, const TRect& ARect);
    void PaintCellFocusRect(TCanvas& Canvas, int RCol, int ARow, const TRect& ARect);
    // The text colours of a selected cell; answers the colour a link takes.
    TColor SelectedTextColors(TCanvas& Canvas, bool Selected, bool FixedCell);
    void PaintCellTextBackground(TCanvas& Canvas, const TRect& Rect);
    void PaintSelectionRectangle(TCanvas& Canvas);
    void PaintPlainCellText(TCanvas& Canvas, String Text, const TRect& Rect, TColor AnchorColor, bool SortGlyph,
                            int SortOffset, int ErrFrom, int ErrLen);
    // Where a graphic goes: the rectangle it is placed in, its left and top, its width and height.
    void PlaceCellGraphic(int RCol, int ARow, TCellType Kind, int TextRoom, const TRect& ARect, TRect& R, int& Left,
                          int& Top, int& W, int& H);
    void PaintCellCheckGraphic(TCellGraphic* Graphic, int RCol, int ARow, const TRect& R, int Top, int W, int H,
                               int TextRoom);
    void PaintRotatedCellText(TCanvas& Canvas, TCellGraphic* Graphic, int RCol, int ARow, const TRect& ARect);
    void PaintCellProgress(TCanvas& Canvas, TCellGraphic* Graphic, int RCol, int ARow, const TRect& ARect);
    void PaintCellXPProgress(TCanvas& Canvas, TCellGraphic* Graphic, int RCol, int ARow, const TRect& ARect);
    void PaintCellRating(TCanvas& Canvas, TCellGraphic* Graphic, int RCol, int ARow, int Left, int Top);

    // ==== Window messages (ZvGridMessages.cpp) =====================================================
    void WheelMessageHook(TMessage& Message);
    // Adds a wheel delta to what is left over and takes the whole notches out (signed).
    int TakeWheelNotches(int Delta);
    int ThumbToCell(bool Horizontal, int Pos);
    void ShowScrollHint(const String& Text);
    void HideScrollHint();
    void DragScrollTick();
    void DragScrollOver(int X, int Y, TDragState State);
    void ScaleOtherLines(bool Columns, int Sized, int SizeAtPress);

    // ==== Window procedure, wheel and panning (ZvGridWndProc.cpp) =====================================
    void DispatchMessageHook(TMessage& Message);
    void GridEditDoneHook(TMessage& Message);
    bool EditorCommandHook(TMessage& Message);
    void WheelStepsHook(TMessage& Message);
    void WheelNotch(bool TowardsUser, TMessage& Message);
    void StartPanning(int X, int Y);
    void StopPanning();
    void PanStep();
    void SetPanCursor(int Id);
    void PaintPanOrigin();
    void PaintFixedSizingLines();
    void InvalidatePanOrigin();
    void StyleChangedHook();
    bool WheelDownHook(TShiftState Shift, TPoint MousePos) override;
    bool WheelUpHook(TShiftState Shift, TPoint MousePos) override;
    bool WheelOverride(bool Down, TShiftState Shift, TPoint MousePos);

    // ==== Scroll follow-up, cell controls and balloons (ZvGridFollowUp.cpp) ==========================
    void TopLeftChangeHook() override;
    TRect BackgroundCellRange();
    void AddBalloonTool(int Icon, const String& Text, const String& Title);
    void BalloonPointerMoved(int X, int Y);
    void BalloonTimerTick();

    // ==== Tab and advance (ZvGridNavigation.cpp) =====================================================
    void JumpToCell(int ACol, int ARow);
    void TabMove(bool Backward, bool& HandedOn, bool& Again);
    void AdvanceTarget(int& ACol, int& ARow, bool Forward, bool& Stop);

    // ==== Release, double click, right button (ZvGridRelease.cpp) ==========================================
    void HeaderClickSort(TGridCoord Cell, int X, int Y);

    // ==== Message handlers of the grid ===================================================
    void KeyDownMessageHook(TWMKey& Message);
    void KeyUpMessageHook(TWMKey& Message);
    void CharMessageHook(TWMKey& Message);
    void LButtonDownMessageHook(TWMMouse& Message);
    void LButtonUpMessageHook(TWMMouse& Message);
    void LButtonDblClkMessageHook(TWMMouse& Message);
    void RButtonDownMessageHook(TWMMouse& Message);
    void RButtonUpMessageHook(TWMMouse& Message);
    void DlgCodeMessageHook(TMessage& Message);
    void TimerMessageHook(TWMTimer& Message);
    void PaintMessageHook(TWMPaint& Message);
    void EraseBkgndMessageHook(TWMEraseBkgnd& Message);
    void SizeMessageHook(TWMSize& Message);
    void HScrollMessageHook(TWMScroll& Message);
    void VScrollMessageHook(TWMScroll& Message);
    void HintShowMessageHook(TMessage& Message);
    void EnabledChangedMessageHook(TMessage& Message);
    void ColorChangedMessageHook(TMessage& Message);
    void FontChangedMessageHook(TMessage& Message);
    void CursorChangedMessageHook(TMessage& Message);
    void NotifyMessageHook(TMessage& Message);

    // The hidden-row store's item of a real row, or nothing when the row is shown.
    TGridItem* HiddenRowItem(int ARealRow) const;
    // -1 for either end means the normal rows without the fixed footers.
    void CalcRowRange(int& FromRow, int& ToRow) const;
    // The readable numbers of a column's base cells, group header and summary rows left out.
    std::vector<double> ColumnValues(int ACol, int FromRow, int ToRow);
    // A displayed row as the selection flags know it: the real row under RowSelectPersistent.
    int SelectionRow(int ARow) const;
    // Raises "Invalid column accessed" outside the shown columns.
    void CheckSelectColumn(int ACol) const;
    // Runs Fill over the whole grid or its normal cells, then recalculates the footers.
    void FillCells(bool DoFixed, const std::function<void(int, int)>& Fill);
    // One footer cell's value by its calculation kind.
    void WriteFooterValue(int ACol, TColumnCalcType Kind);
    // Gives the floating footer the grid's side of its settings (ZvGridFooter.cpp).
    void ConnectFloatingFooter();
    static double FooterCalculation(TColumnCalcType Kind, const std::vector<String>& Texts);
    TScrollControl* NewScrollControl(int Direction);
    void FreeScrollControls();
    // The fixed-cell, selection and search-footer colours of the looks without a grid style.
    void ApplyClassicLook(TGridLook Value);

    // ==== Construction helpers ============================================================
    void CreateOptionObjects();
    void CreateRunTimeWindows();
    void HookOptionObjects();

    // ==== The state behind the private pointer ==============================================
    // Every field of the grid lives in TZvStringGridPrivate (grid/ZvGridPrivate.h), which only
    // the grid's own source files include; descendants in grid/ reach it through d as well.
    std::unique_ptr<TZvStringGridPrivate> d;

    // ==== Helpers of index-mapped access, shape changes and calculations ======================
    enum class TRowColorField { Brush, BrushTo, Font };
    bool PropertiesHoldNothingElse(int ACol, int ARow, const TCellProperties* p);
    void ApplyRowColor(int ARow, TColor Value, TRowColorField Field);
    void CopyStoreRow(int From, int To, bool WithHeight);
    void EmptyStoreRow(int ARow);
    void CopyStoreCol(int From, int To, int Rows);
    void EmptyStoreCol(int ACol, int Rows);
    void CopyStoreCell(int From, int To, int ARow);
    void EmptyStoreCell(int ACol, int ARow);
    void ShiftRowsUp(int RowIndex, int RCount, bool WithHeights);
    void UnregisterRowControls(int RowIndex, int RCount);
    void LowerRealRowIndexes(int RowIndex, int RCount, bool Controls);
    std::vector<int> AllWidths();
    void ClearStoreCell(int a, int r);
    void CalcRange(int& FromRow, int& ToRow);
    template <class Visit>
    void ForCountedCells(int ACol, int FromRow, int ToRow, Visit visit);
    double ColumnExtreme(int ACol, int FromRow, int ToRow, bool Largest);
    int MeasureColumnContent(int ACol);
    void AutoSizeColumnCore(int ACol, bool GrowOnly);
    bool RowSelectedForRemoval(int ARow);
    // The most text lines any cell of the row holds.
    int RowLines(int ARow);
};

// Whether the merge base cell holds a graphic whose value is the cell text
// (data check boxes, data images, virtual and row check boxes).
bool IsDataGraphicCell(TZvStringGrid* Grid, int ACol, int ARow);
