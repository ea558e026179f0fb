#pragma once
// TZvStringGrid: the string grid every table of the system is edited in.
// It sits on the base grid (cell store, merges, cell frame) and adds hidden
// columns and rows, typed cell access, the drawing engine, keyboard and
// mouse handling, per-cell objects, tree nodes, grouping, selection, the
// floating footer and its option objects.
//
// The class is declared here whole; its operations are implemented one
// feature per file (ZvGrid.cpp construction, ZvGridCellQueries.cpp,
// ZvGridHidden.cpp, ZvGridAccess.cpp, ZvGridDraw.cpp, ...).
//
// Indexes: cell access, HideColumn and IsHiddenColumn take real columns;
// ColCount, Col, the selection and the columns of click and key events are
// display columns (RealColIndex converts); every paint and cell event
// receives the real column.

#include "grid/ZvBaseGrid.h"
#include "grid/support/ZvGridCellGraphic.h"
#include "grid/ZvGridNeighbours.h"
#include "grid/ZvGridOptions.h"
#include "grid/ZvGridSettings.h"
#include "grid/support/ZvGridTypes.h"
#include "grid/support/ZvStyles.h"

#include "platform/ImgList.h"
#include "platform/Menus.h"
#include "platform/Pictures.h"

#include <QDateTime>

#include <array>
#include <memory>
#include <vector>

class TPictureContainer;
class TRichEdit;
class TGridDropTarget;
class TZvInplaceEdit;
class TGridSpinEdit;
class TGridDateTimePicker;
class TGridDatePicker;
class TGridColorDropDown;
class TGridImageDropDown;
class TGridGridDropDown;
class TGridDetailPickerDropDown;
class TGridTimepickerDropDown;
class TGridCalculatorDropDown;
class TGridMemoDropDown;
class TGridBalloonWindow;
class TGridTrackbarDropDown;
class TGridZvGridDropDown;
class TTimer;
class TScrollBar;
class QIODevice;
struct THTMLDrawParams;
struct THTMLDrawResult;

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
using TDropDownButtonClickEvent = std::function<void(TObject* Sender, int ButtonIndex)>;
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

    virtual void SpareHookA(TObject* Sender);
    virtual bool QueryDesignMode(bool& IsDesigning);
    virtual void InvalidateGrid(TObject* Sender);
    virtual void DisableEditing(TObject* Sender);
    virtual void SpareHookB(TObject* Sender);
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
    int NumHiddenColumns() const { return FNumHidden; }
    int RealColIndex(int ACol);
    int DisplayToRealCol(int ACol) const;
    int RealToDisplayCol(int ACol) const;
    int GetRealCol();
    int RealCol() { return GetRealCol(); }
    bool IsIgnoredColumn(int ACol) const;
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
    int NumHiddenRows() const { return int(FGridItems.size()); }
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
    int GridItemCount() const { return int(FGridItems.size()); }
    TGridItem* GridItems(int index) const { return FGridItems.at(std::size_t(index)).get(); }

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
    int FixedRowHeight() const { return FFixedRowHeight; }
    void SetFixedRowHeight(int Value);
    int DefaultRowHeight() const { return TBaseGrid::DefaultRowHeight(); }
    void SetDefaultRowHeight(int Value);
    TAlignment DefaultAlignment() const { return FDefaultAlignment; }
    void SetDefaultAlignment(TAlignment Value);
    int FixedFooters() const { return FFixedFooters; }
    void SetFixedFooters(int Value);
    int FixedRightCols() const { return FFixedRightCols; }
    void SetFixedRightCols(int Value);
    bool WordWrap() const { return FWordWrapEx; }
    void SetWordWrap(bool Value);
    bool FixedRowAlways() const { return FFixedRowAlways; }
    void SetFixedRowAlways(bool Value) { FFixedRowAlways = Value; }
    bool FixedColAlways() const { return FFixedColAlways; }
    void SetFixedColAlways(bool Value) { FFixedColAlways = Value; }
    int GetInts(int ACol, int ARow);
    void SetInts(int ACol, int ARow, int Value);
    int GetAllInts(int ACol, int ARow);
    void SetAllInts(int ACol, int ARow, int Value);
    double GetFloats(int ACol, int ARow);
    void SetFloats(int ACol, int ARow, double Value);
    double GetAllFloats(int ACol, int ARow);
    void SetAllFloats(int ACol, int ARow, double Value);
    String GetCtrlVal(int ACol, int ARow, const String& ID);
    void SetCtrlVal(int ACol, int ARow, const String& ID, const String& Value);
    int GetPrintColWidth(int ACol) const;
    int GetPrintColOffset(int ACol) const;
    String Version() const;
    void SetVersion(const String&) {}
    int SaveStartCol() const;
    int SaveStartRow() const;
    int SaveEndCol() const;
    int SaveEndRow() const;
    int SaveColCount() const;
    int SaveRowCount() const;
    void HilightTextInRange(const String& HiText, const String& Tag, int FromCol, int ToCol, int FromRow, int ToRow,
                            bool DoCase);
    void UnHilightTextInRange(const String& Tag, int FromCol, int ToCol, int FromRow, int ToRow);
    void CellIntListChanged(TObject* Sender, int ACol, int ARow);

    // ==== Option-object helpers, check boxes, editor handlers, headers: ZvGridHelpers.cpp ==========================
    TCheckBoxState BoolToCheckBoxState(bool b) const;
    void AddCheckBox(int ACol, int ARow, TCheckBoxState State);
    void AddTriStateCheckBoxColumn(int ACol, TCheckBoxState State);
    bool GetCheckBoxState(int ACol, int ARow, TCheckBoxState& State);
    String EditMaskHook(int ACol, int ARow);
    void DateTimePickerChanged(TObject* Sender);
    void DatePickerChanged(TObject* Sender);
    void DatePickerClosedUp(TObject* Sender);
    void DatePickerDroppedDown(TObject* Sender);
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

private:
    // What the engine knows of the cell being painted, shared with the text
    // and graphic painters it calls.
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
    TCellPaint FCellPaint;
    TGridCoord FHoverButtonCell{-1, -1};
    TColor FSelectionRectangleColor = clBlack;
    TGridCoord FBalloonCell{-1, -1};

public:

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
    TGridCoord HoverButtonCell() const { return FHoverButtonCell; }
    void SetHoverButtonCell(TGridCoord Value) { FHoverButtonCell = Value; }

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
    bool IsOnLastDataRow();
    void AppendRowOnArrowDown();
    TZvInplaceEdit* NormalEdit() const { return FNormalEdit; }
    const String& IncrSearchText() const { return FIncrSearchText; }
    void SetIncrSearchText(const String& Value) { FIncrSearchText = Value; }

    // A link of a cell: "cell://RnCm" moves to that cell, http, https and
    // mailto go to the desktop; anything else is refused (false).
    bool OpenCellLink(const String& Anchor);
    // ==== Mouse press: ZvGridMouse.cpp =============================================================================
    virtual void MouseWheelHook(TGridCoord& Target, bool& Handled);
    virtual void SelectRangeHook(TGridRect& ARange);
    void RadioGroupClick(int ACol, int ARow, int X, int Y);
    void ShowCellControl(int ACol, int ARow, int X, int Y);
    void CellControlExit(TObject* Sender);
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
    bool LockUpdate() const { return FUpdateCount > 0; }
    void SetLockUpdate(bool Value);
    void DoStretchColumn(int Index);
    void StretchRightColumn();
    void UpdateProportionalHScroll();
    void UpdateProportionalVScroll();
    void ResetFixedCellHighlight();
    TColor ArrowColor() const { return FArrowColor; }
    void SetArrowColor(TColor Value);
    TCanvas* FooterCanvas() const;

    int AdvanceOriginCol() const { return FAdvanceOrigin.X; }
    int AdvanceOriginRow() const { return FAdvanceOrigin.Y; }
    // ==== Tab and advance navigation: ZvGridNavigation.cpp =========================================================
    virtual void MoveToFirstRow();
    virtual bool FireCellChanging(int OldRow, int OldCol, int NewRow, int NewCol);
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
    int NumNodes() const { return FNumNodes; }
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
    // Hidden rows below an inserted row move down with it.
    void RaiseHiddenRowsAbove(int ARealRow);
    TCellGraphic* ExpandGraphic(int ACol, int ARow);

public:

    // ==== Grouping: ZvGridGroups.cpp ===============================================================================
    virtual void SubGroup(int Colindex);
    virtual void SubUnGroup(int Colindex);
    virtual void Group(int Colindex);
    virtual void UnGroup();
    int GroupColumn() const { return FGroupColumn; }
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
    void UpdateXYOffset(int X, int Y) { FXYOffset = {X, Y}; }

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
    int AllColCount() const { return ColCount() + FNumHidden; }
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
    void UpdateSearchPanel();
    void SizeWithFormResize(TObject* Sender);
    void MergedColumnsChanged(TObject* Sender, int ACol, int ARow);

    // ==== Window procedure, wheel, panning and zoom: ZvGridWndProc.cpp ===========================
    // The message an ended edit posts to its grid: WParam the real column, LParam the row.
    static constexpr UINT GridEditDoneMessage = 0xC0DE;
    // Sends the grid a control notification (EN_CHANGE, CBN_SELCHANGE, ...) from one of its editors,
    // as the window system reports a child control's notification to its parent (LParam: the control's window).
    void NotifyEditorCommand(TWinControl* Sender, WORD Code);
    void Zoom(int Step);
    bool Panning() const { return FWheelPan; }
    // The cursor the pan mode shows now: 8000 neutral, 8001 down ... 8008 down-left; 0 when not panning.
    int PanCursorId() const { return FWheelPan ? FPanCursorId : 0; }

    // ==== Scroll follow-up, cell controls and balloons: ZvGridFollowUp.cpp ========================
    // The balloon tool window while balloons are on; null otherwise.
    TGridBalloonWindow* BalloonWindow() const { return FBalloonWindow; }
    // The balloon a rejected entry shows on its field; none before the first rejection.
    TGridBalloonWindow* RejectionBalloon() const { return FRejectionBalloon; }
    void OleColumnDragStart(int ACol, int AIndex, TObject* AList);

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
    int ColumnByHeader(const String& AValue);
    int ColumnPosition(int ACol);
    int ColumnAtPosition(int APosition);
    void ResetColumnOrder();
    String GetOriginalCells(int ACol, int ARow);
    void SetOriginalCells(int ACol, int ARow, const String& Value);
    void ClearNormalRows(int RowIndex, int RCount);
    void AddColumn();
    void ClearCols(int ColIndex, int CCount);
    double ColumnCustomCalc(int ACol, int FromRow = -1, int ToRow = -1);
    double RowSum(int ARow, int FromCol, int ToCol);
    double RowAvg(int ARow, int FromCol, int ToCol);
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
    int AutoNumberStart() const { return FAutoNumberStart; }
    void SetAutoNumberStart(int Value) { FAutoNumberStart = Value; }
    int AutoNumberOffset() const { return FAutoNumberOffset; }
    void SetAutoNumberOffset(int Value) { FAutoNumberOffset = Value; }
    TSortDirection AutoNumberDirection() const { return FAutoNumberDirection; }
    void SetAutoNumberDirection(TSortDirection Value) { FAutoNumberDirection = Value; }
    void AutoNumberCol(int ACol);
    void AutoNumberRow(int ARow);
    void SizeRowToLines(int ARow, int Lines, int Padding);
    void AutoSizeRow(int ARow, int Padding = 0);
    void AutoSizeRows(bool DoFixedRows, int Padding);
    void AutoFitColumns(bool DoFixedCells);
    void SizeToCols();
    void SizeToRows();
    void SizeToCells();
    // Real columns, with their widths, sort column and cell controls.
    void SwapColumns(int Index, int Index2);
    // Grid rows, all real columns, with their heights and cell controls.
    void SwapRows(int Index, int Index2);

    // ==== Cell editors: ZvGridEditing.cpp ==========================================================================
    virtual void StoreEditorText(int ACol, int ARow, const String& Value);
    virtual String CurrentCell();
    virtual void SetCurrentCell(const String& Value);
    virtual String ReadCurrentCellText();
    virtual void WriteCurrentCellText(const String& Value);
    virtual void RestoreCellFromCache();
    virtual void FireGetEditorProp(int ACol, int ARow, TObject* AEditLink);
    virtual void FireEllipsClick();
    virtual void RememberOldCell(int ACol, int ARow);
    virtual void SetFormulaEditing(bool Value);
    virtual void FireStartBlockFocus(int ACol, int ARow);
    virtual void FireEndBlockFocus();
    virtual bool ValidateCell(const String& NewValue);
    virtual bool ValidateCellWide(const String& NewValue);
    bool AllowEditorShow();
    void ApplyStyleServiceColors();
    bool CellAllowsEdit(int ACol, int ARow);
    void CellToRich(int ACol, int ARow, TRichEdit* RichEdit);
    TGridColorDropDown* ColorPickerDropDown();
    TGridImageDropDown* ImagePickerDropDown();
    bool IsEditable(int ACol, int ARow);
    int MaxEditLength() const { return FMaxEditLength; }
    void SetMaxEditLength(int Value);
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
    TEditorType CurrentEditor() const { return FCurrentEditor; }
    bool EditActive() const { return FEditActive; }
    String OriginalCellValue() const { return FCellCache; }
    void SetOriginalCellValue(const String& Value) { FCellCache = Value; }
    // The special editor's control while one is open, else nullptr.
    TWinControl* EditCtrl() const { return FEditCtrl; }
    // The posted message that turns the end of an edit into OnEditCellDone.
    static UINT EditDoneMessage();
    void EditDoneMessageHook(TMessage& Message);
    // The one combo list every combo cell shares.
    void ClearComboString();
    void AddComboString(const String& S);
    void AddComboStringObject(const String& S, TObject* AObject);
    bool RemoveComboString(const String& S);
    bool SetComboSelectionString(const String& S);
    void SetComboSelection(int Index) { FComboIndex = Index; }
    int GetComboCount();
    void SetComboIndex(int ACol, int ARow, int Value);
    int GetComboIndex(int ACol, int ARow);
    // Validation, change notifiers and the selection listener (ZvGridValidation.cpp).
    bool AlwaysValidate() const { return FAlwaysValidate; }
    void SetAlwaysValidate(bool Value) { FAlwaysValidate = Value; }
    bool Modified() const { return FGridModified; }
    void SetModified(bool Value) { FGridModified = Value; }
    bool Editing() const { return FEditing; }
    void RegisterNotifier(TGridChangeNotifier* ANotifier);
    void UnRegisterNotifier(TGridChangeNotifier* ANotifier);
    void RegisterSelListener(std::shared_ptr<ITZvStringGridSelect> AListener) { FISelect = std::move(AListener); }
    void UnRegisterSelListener(const std::shared_ptr<ITZvStringGridSelect>&) { FISelect.reset(); }

    // ==== Grid services: ZvGridServices.cpp ========================================================================
    virtual void AdjustSelectAllRect(TGridRect& ARect);
    virtual void StoreCellText(int ACol, int ARow, const String& Value);
    virtual void FirePrintGetPageNum(int PageNum, int PageColNum, String& PageNumString);
    virtual bool RowMatchesFilter(int ARow);
    virtual void PasteBegin();
    virtual void PasteEnd();
    virtual void MarkRowsModified(int FromRow, int ToRow);
    virtual void CellClickHook(int ACol, int ARow);
    virtual bool UsesFormattedClipboard();
    virtual void SelectFilterValue(int Column, int ItemIndex);
    virtual void ApplyCheckedFilterEntries(int Column);
    virtual void SortSwapRows(int ARow1, int ARow2);
    virtual void SaveColPositions();
    virtual void LoadColPositions();
    virtual void QSort();
    virtual void QSortIndexed();
    virtual void QSortGroup();
    virtual void QSortGroupIndexed();
    virtual void QUnSort();
    void CopySelectionToClipboard();
    void CutSelectionToClipboard();
    void PasteSelectionFromClipboard();
    bool FilterActive() const { return FFilterActive; }
    void SetFilterActive(bool Value);
    void FixedEditChanged(TObject* Sender);
    void HilightInCell(int ACol, int ARow, const String& HiText, bool DoCase);
    void HilightInCol(int ACol, const String& HiText, bool DoCase);
    void HilightInRow(int ARow, const String& HiText, bool DoCase);
    void HilightInGrid(const String& HiText, bool DoCase);
    void MarkInCell(int ACol, int ARow, const String& HiText, bool DoCase);
    void MarkInCol(int ACol, const String& HiText, bool DoCase);
    void MarkInRow(int ARow, const String& HiText, bool DoCase);
    void MarkInGrid(const String& HiText, bool DoCase);
    void UnHilightInCell(int ACol, int ARow);
    void UnHilightInCol(int ACol);
    void UnHilightInRow(int ARow);
    void UnHilightInGrid();
    void UnMarkInCell(int ACol, int ARow);
    void UnMarkInCol(int ACol);
    void UnMarkInRow(int ARow);
    void UnMarkInGrid();
    void InitSortXRef();
    void InvalidateCellRange(TRect R);
    void LoadColSizes();
    void SaveColSizes();
    void RotatedTextRect(TRect& Rect, int Angle, TVAlignment VAlign, TAlignment HAlign, const String& Text);
    void SaveToStream(QIODevice* Stream);
    void LoadFromStream(QIODevice* Stream);
    int Search(const String& Text);
    void SearchEditChange(TObject* Sender);
    void SearchBackwardClick(TObject* Sender);
    void SearchForwardClick(TObject* Sender);
    void SearchCloseClick(TObject* Sender);
    void SearchHighlightClick(TObject* Sender);
    int TotalXOffset() const;
    int TotalYOffset() const;
    String UnMarkText(const String& Text);

    // ==== Properties ===================================================================================
    // Appearance.
    bool ActiveCellShow() const { return FActiveCellShow; }
    void SetActiveCellShow(bool Value);
    TFont* ActiveCellFont() const { return FActiveCellFont.get(); }
    void SetActiveCellFont(TFont* Value);
    TColor ActiveCellColor() const { return FActiveCellColor; }
    void SetActiveCellColor(TColor Value);
    TColor ActiveCellColorTo() const { return FActiveCellColorTo; }
    void SetActiveCellColorTo(TColor Value);
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value);
    TFont* FixedFont() const { return FFixedFont.get(); }
    void SetFixedFont(TFont* Value);
    TColor HintColor() const { return FHintColor; }
    void SetHintColor(TColor Value) { FHintColor = Value; }
    TColor HighlightColor() const { return FHighlightColor; }
    void SetHighlightColor(TColor Value);
    TColor HighlightTextColor() const { return FHighLightTextColor; }
    void SetHighlightTextColor(TColor Value);
    TColor SelectionColor() const { return FSelectionColor; }
    void SetSelectionColor(TColor Value);
    TColor SelectionColorTo() const { return FSelectionColorTo; }
    void SetSelectionColorTo(TColor Value);
    TColor SelectionMirrorColor() const { return FSelectionMirrorColor; }
    void SetSelectionMirrorColor(TColor Value);
    TColor SelectionMirrorColorTo() const { return FSelectionMirrorColorTo; }
    void SetSelectionMirrorColorTo(TColor Value);
    bool SelectionColorMixer() const { return FSelectionColorMixer; }
    void SetSelectionColorMixer(bool Value);
    int SelectionColorMixerFactor() const { return FSelectionColorMixerFactor; }
    void SetSelectionColorMixerFactor(int Value);
    TColor SelectionTextColor() const { return FSelectionTextColor; }
    void SetSelectionTextColor(TColor Value);
    bool SelectionRectangle() const { return FSelectionRectangle; }
    void SetSelectionRectangle(bool Value);
    bool SelectionResizer() const { return FSelectionResizer; }
    void SetSelectionResizer(bool Value);
    TColor SelectionRectangleColor() const { return FSelectionRectangleColor; }
    void SetSelectionRectangleColor(TColor Value);
    bool SelectionRTFKeep() const { return FSelectionRTFKeep; }
    void SetSelectionRTFKeep(bool Value) { FSelectionRTFKeep = Value; }
    bool ShowSelection() const { return FShowSelection; }
    void SetShowSelection(bool Value);
    TColor URLColor() const { return FURLColor; }
    void SetURLColor(TColor Value);
    bool URLShow() const { return FURLShow; }
    void SetURLShow(bool Value);
    bool URLShowInText() const { return FURLShowInText; }
    void SetURLShowInText(bool Value);
    bool URLUnderlineOnHover() const { return FURLUnderlineOnHover; }
    void SetURLUnderlineOnHover(bool Value) { FURLUnderlineOnHover = Value; }
    bool URLFull() const { return FURLFull; }
    void SetURLFull(bool Value);
    bool URLEdit() const { return FURLEdit; }
    void SetURLEdit(bool Value) { FURLEdit = Value; }
    TColor DisabledFontColor() const { return FDisabledFontColor; }
    void SetDisabledFontColor(TColor Value) { FDisabledFontColor = Value; }
    bool UseDisabledFont() const { return FUseDisabledFont; }
    void SetUseDisabledFont(bool Value) { FUseDisabledFont = Value; }
    TGridLook Look() const { return FLook; }
    void SetLook(TGridLook Value);
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    bool Ctl3D() const { return FCtl3D; }
    void SetCtl3D(bool Value) { FCtl3D = Value; }
    bool Hovering() const { return FHovering; }
    void SetHovering(bool Value) { FHovering = Value; }
    THoverFixedCells HoverFixedCells() const { return FHoverFixedCells; }
    void SetHoverFixedCells(THoverFixedCells Value) { FHoverFixedCells = Value; }
    bool AutoThemeAdapt() const { return FAutoThemeAdapt; }
    void SetAutoThemeAdapt(bool Value);
    TScrollType ScrollType() const { return FScrollType; }
    void SetScrollType(TScrollType Value);
    TColor ScrollColor() const { return FScrollColor; }
    void SetScrollColor(TColor Value);
    int ScrollWidth() const { return FScrollWidth; }
    void SetScrollWidth(int Value);
    bool ScrollProportional() const { return FScrollProportional; }
    void SetScrollProportional(bool Value);
    bool ScrollSynch() const { return FScrollSynch; }
    void SetScrollSynch(bool Value) { FScrollSynch = Value; }
    TScrollHintType ScrollHints() const { return FScrollHints; }
    void SetScrollHints(TScrollHintType Value) { FScrollHints = Value; }
    TScrollBarAlways ScrollBarAlways() const { return FScrollBarAlways; }
    void SetScrollBarAlways(TScrollBarAlways Value);
    TScrollStyle ScrollBars() const { return FScrollBarsEx; }
    void SetScrollBars(TScrollStyle Value);
    TGridProgressAppearance* ProgressAppearance() const { return FProgressAppearance.get(); }
    void SetProgressAppearance(TGridProgressAppearance* Value) { FProgressAppearance->Assign(Value); }
    TBitmap* RowIndicator() const { return FRowIndicator.get(); }
    void SetRowIndicator(TBitmap* Value);
    bool NoDefaultDraw() const { return FNoDefaultDraw; }
    void SetNoDefaultDraw(bool Value) { FNoDefaultDraw = Value; }
    bool NoImageAndText() const { return FNoImageAndText; }
    void SetNoImageAndText(bool Value) { FNoImageAndText = Value; }
    bool FitCellsInGrid() const { return FFitCellsInGrid; }
    void SetFitCellsInGrid(bool Value) { FFitCellsInGrid = Value; }
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value) { FBorderStyle = Value; }
    TColor VUDGradientFrom() const { return FVUDGradient[0]; }
    TColor VUDGradient(TLookGradient which) const { return FVUDGradient[std::size_t(which)]; }
    void SetVUDGradient(TLookGradient which, TColor Value) { FVUDGradient[std::size_t(which)] = Value; }
    TZvStyle ComponentStyle() const { return FComponentStyle; }
    const TColorTones& ColorTones() const { return FColorTones; }

    // Layout.
    bool FixedAsButtons() const { return FFixedAsButtons; }
    void SetFixedAsButtons(bool Value) { FFixedAsButtons = Value; }
    bool Multilinecells() const { return FMultilinecells; }
    void SetMultilinecells(bool Value) { FMultilinecells = Value; }
    TVAlignment VAlignment() const { return FVAlignment; }
    void SetVAlignment(TVAlignment Value);
    bool IntegralHeight() const { return FIntegralHeight; }
    void SetIntegralHeight(bool Value) { FIntegralHeight = Value; }
    bool SizeWithForm() const { return FSizeWithForm; }
    void SetSizeWithForm(bool Value) { FSizeWithForm = Value; }
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);
    bool AutoNumAlign() const { return FAutoNumAlign; }
    void SetAutoNumAlign(bool Value) { FAutoNumAlign = Value; }
    TEditorType DefaultEditor() const { return FDefaultEditor; }
    void SetDefaultEditor(TEditorType Value) { FDefaultEditor = Value; }
    bool SpreadSheet() const { return FSpreadSheet; }
    void SetSpreadSheet(bool Value);

    // Behaviour.
    bool EnableHTML() const { return FEnableHTML; }
    void SetEnableHTML(bool Value) { FEnableHTML = Value; }
    bool EnableWheel() const { return FEnableWheel; }
    void SetEnableWheel(bool Value) { FEnableWheel = Value; }
    bool EnableBlink() const { return FEnableBlink; }
    void SetEnableBlink(bool Value) { FEnableBlink = Value; }
    bool EnhTextSize() const { return FEnhTextSize; }
    void SetEnhTextSize(bool Value) { FEnhTextSize = Value; }
    bool EnhRowColMove() const { return FEnhRowColMove; }
    void SetEnhRowColMove(bool Value) { FEnhRowColMove = Value; }
    bool EditWithTags() const { return FEditWithTags; }
    void SetEditWithTags(bool Value) { FEditWithTags = Value; }
    const String& FloatFormat() const { return FFloatFormat; }
    void SetFloatFormat(const String& Value) { FFloatFormat = Value; }
    bool ExcelStyleDecimalSeparator() const { return FExcelStyleDecimalSeparator; }
    void SetExcelStyleDecimalSeparator(bool Value) { FExcelStyleDecimalSeparator = Value; }
    bool FilterDropDownAuto() const { return FFilterDropDownAuto; }
    void SetFilterDropDownAuto(bool Value) { FFilterDropDownAuto = Value; }
    const String& FilterDropDownClear() const { return FFilterDropDownClear; }
    void SetFilterDropDownClear(const String& Value) { FFilterDropDownClear = Value; }
    bool FilterDropDownCheck() const { return FFilterDropDownCheck; }
    void SetFilterDropDownCheck(bool Value) { FFilterDropDownCheck = Value; }
    TFilterDropDownColumns FilterDropDownColumns() const { return FFilterDropDownColumns; }
    void SetFilterDropDownColumns(TFilterDropDownColumns Value) { FFilterDropDownColumns = Value; }
    int FilterDropDownRow() const { return FFilterDropDownRow; }
    void SetFilterDropDownRow(int Value) { FFilterDropDownRow = Value; }
    bool FilterNormalCellsOnly() const { return FFilterNormalCellsOnly; }
    void SetFilterNormalCellsOnly(bool Value) { FFilterNormalCellsOnly = Value; }
    bool AutoFilterUpdate() const { return FAutoFilterUpdate; }
    void SetAutoFilterUpdate(bool Value) { FAutoFilterUpdate = Value; }
    bool FilterIncremental() const { return FFilterIncremental; }
    void SetFilterIncremental(bool Value) { FFilterIncremental = Value; }
    bool HintShowCells() const { return FHintShowCells; }
    void SetHintShowCells(bool Value) { FHintShowCells = Value; }
    bool HintShowLargeText() const { return FHintShowLargeText; }
    void SetHintShowLargeText(bool Value) { FHintShowLargeText = Value; }
    bool HintShowSizing() const { return FHintShowSizing; }
    void SetHintShowSizing(bool Value) { FHintShowSizing = Value; }
    bool HTMLHint() const { return FHTMLHint; }
    void SetHTMLHint(bool Value) { FHTMLHint = Value; }
    bool AnchorHint() const { return FAnchorHint; }
    void SetAnchorHint(bool Value) { FAnchorHint = Value; }
    THintShowLargeTextPos HintShowLargeTextPos() const { return FHintShowLargeTextPos; }
    void SetHintShowLargeTextPos(THintShowLargeTextPos Value) { FHintShowLargeTextPos = Value; }
    bool UseInternalHintClass() const { return FUseInternalHintClass; }
    void SetUseInternalHintClass(bool Value) { FUseInternalHintClass = Value; }
    TIntelliPan IntelliPan() const { return FIntelliPan; }
    void SetIntelliPan(TIntelliPan Value) { FIntelliPan = Value; }
    bool IntelliZoom() const { return FIntelliZoom; }
    void SetIntelliZoom(bool Value) { FIntelliZoom = Value; }
    const String& InvalidEntryTitle() const { return FInvalidEntryTitle; }
    void SetInvalidEntryTitle(const String& Value) { FInvalidEntryTitle = Value; }
    const String& InvalidEntryText() const { return FInvalidEntryText; }
    void SetInvalidEntryText(const String& Value) { FInvalidEntryText = Value; }
    TInvalidEntryIcon InvalidEntryIcon() const { return FInvalidEntryIcon; }
    void SetInvalidEntryIcon(TInvalidEntryIcon Value) { FInvalidEntryIcon = Value; }
    bool Lookup() const { return FLookup; }
    void SetLookup(bool Value) { FLookup = Value; }
    bool LookupCaseSensitive() const { return FLookupCaseSensitive; }
    void SetLookupCaseSensitive(bool Value) { FLookupCaseSensitive = Value; }
    bool LookupHistory() const { return FLookupHistory; }
    void SetLookupHistory(bool Value) { FLookupHistory = Value; }
    int MaxComboLength() const { return FMaxComboLength; }
    void SetMaxComboLength(int Value) { FMaxComboLength = Value; }
    bool OemConvert() const { return FOemConvert; }
    void SetOemConvert(bool Value) { FOemConvert = Value; }
    bool HideFocusRect() const { return FHideFocusRect; }
    void SetHideFocusRect(bool Value) { FHideFocusRect = Value; }
    bool ShowDesignHelper() const { return FShowDesignHelper; }
    void SetShowDesignHelper(bool Value);
    const String& ValidChars() const { return FValidChars; }
    void SetValidChars(const String& Value) { FValidChars = Value; }
    const String& EditMask() const { return FEditMask; }
    void SetEditMask(const String& Value) { FEditMask = Value; }

    // Further properties, not stored with a form.
    const String& CheckTrue() const { return FCheckTrue; }
    void SetCheckTrue(const String& Value) { FCheckTrue = Value; }
    const String& CheckFalse() const { return FCheckFalse; }
    void SetCheckFalse(const String& Value) { FCheckFalse = Value; }
    const String& XMLEncoding() const { return FXMLEncoding; }
    void SetXMLEncoding(const String& Value) { FXMLEncoding = Value; }
    QChar PasswordChar() const { return FPasswordChar; }
    void SetPasswordChar(QChar Value) { FPasswordChar = Value; }
    QChar Delimiter() const { return FDelimiter; }
    void SetDelimiter(QChar Value) { FDelimiter = Value; }
    bool QuoteEmptyCells() const { return FQuoteEmptyCells; }
    void SetQuoteEmptyCells(bool Value) { FQuoteEmptyCells = Value; }
    bool AlwaysQuotes() const { return FAlwaysQuotes; }
    void SetAlwaysQuotes(bool Value) { FAlwaysQuotes = Value; }
    bool JavaCSV() const { return FJavaCSV; }
    void SetJavaCSV(bool Value) { FJavaCSV = Value; }
    bool SaveFixedCells() const { return FSaveFixedCells; }
    void SetSaveFixedCells(bool Value) { FSaveFixedCells = Value; }
    bool SaveFixedRows() const { return FSaveFixedRows; }
    void SetSaveFixedRows(bool Value) { FSaveFixedRows = Value; }
    bool SaveFixedCols() const { return FSaveFixedCols; }
    void SetSaveFixedCols(bool Value) { FSaveFixedCols = Value; }
    bool SaveHiddenCells() const { return FSaveHiddenCells; }
    void SetSaveHiddenCells(bool Value) { FSaveHiddenCells = Value; }
    bool SaveVirtCells() const { return FSaveVirtCells; }
    void SetSaveVirtCells(bool Value) { FSaveVirtCells = Value; }
    bool SaveWithHTML() const { return FSaveWithHTML; }
    void SetSaveWithHTML(bool Value) { FSaveWithHTML = Value; }
    bool SaveWithRTF() const { return FSaveWithRTF; }
    void SetSaveWithRTF(bool Value) { FSaveWithRTF = Value; }
    bool LoadFirstRow() const { return FLoadFirstRow; }
    void SetLoadFirstRow(bool Value) { FLoadFirstRow = Value; }
    bool ShowNullDates() const { return FShowNullDates; }
    void SetShowNullDates(bool Value) { FShowNullDates = Value; }
    bool ClearTextOnly() const { return FClearTextOnly; }
    void SetClearTextOnly(bool Value) { FClearTextOnly = Value; }
    bool ExcelClipboardFormat() const { return FExcelClipboardFormat; }
    void SetExcelClipboardFormat(bool Value) { FExcelClipboardFormat = Value; }
    bool PrinterDriverFix() const { return FPrinterDriverFix; }
    void SetPrinterDriverFix(bool Value) { FPrinterDriverFix = Value; }
    bool SizeGrowOnly() const { return FSizeGrowOnly; }
    void SetSizeGrowOnly(bool Value) { FSizeGrowOnly = Value; }
    int MinRowHeight() const { return FMinRowHeight; }
    void SetMinRowHeight(int Value) { FMinRowHeight = Value; }
    int MaxRowHeight() const { return FMaxRowHeight; }
    void SetMaxRowHeight(int Value) { FMaxRowHeight = Value; }
    int MinColWidth() const { return FMinColWidth; }
    void SetMinColWidth(int Value) { FMinColWidth = Value; }
    int MaxColWidth() const { return FMaxColWidth; }
    void SetMaxColWidth(int Value) { FMaxColWidth = Value; }
    int ZoomFactor() const { return FZoomFactor; }
    void SetZoomFactor(int Value) { FZoomFactor = Value; }
    TPoint XYOffset() const { return FXYOffset; }
    void SetXYOffset(TPoint Value);
    bool XYOffsetTopLeftOnly() const { return FXYOffsetTopLeftOnly; }
    void SetXYOffsetTopLeftOnly(bool Value) { FXYOffsetTopLeftOnly = Value; }
    TObject* EditLink() const { return FEditLink; }
    void SetEditLink(TObject* Value) { FEditLink = Value; }
    bool Loading() const { return FLoading; }
    bool IsLoaded() const { return FLoaded; }
    bool Designing() const { return FDesignTime; }
    int UpdateCount() const { return FUpdateCount; }
    bool IsWinXP() const { return FIsWinXP; }
    bool IsWin7() const { return FIsWin7; }
    bool IsWinVista() const { return FIsWinVista; }
    bool IsComCtl6() const { return FIsComCtl6; }
    TZvStyle Style() const { return FStyle; }
    int FilterLevel() const { return FFilterLevel; }
    int MaxRowCount() const { return FMaxRowCount; }
    int MaxColCount() const { return FMaxColCount; }
    int FixedRowsMin() const { return FFixedRowsMin; }
    int FixedColsMin() const { return FFixedColsMin; }

    // Option objects.
    TBalloonSettings* Balloon() const { return FBalloon.get(); }
    void SetBalloon(TBalloonSettings* Value) { FBalloon->Assign(Value); }
    TBands* Bands() const { return FBands.get(); }
    void SetBands(TBands* Value) { FBands->Assign(Value); }
    TBackGround* BackGround() const { return FBackGround.get(); }
    void SetBackGround(TBackGround* Value);
    TCellNode* CellNode() const { return FCellNode.get(); }
    void SetCellNode(TCellNode* Value) { FCellNode->Assign(Value); }
    TZvStringGridCheck* CellChecker() const { return FCellChecker; }
    void SetCellChecker(TZvStringGridCheck* Value);
    TStringList* ColumnHeaders() const { return FColumnHeaders.get(); }
    void SetColumnHeaders(TStringList* Value);
    TColumnSize* ColumnSize() const { return FColumnSize.get(); }
    void SetColumnSize(TColumnSize* Value) { FColumnSize->Assign(Value); }
    TControlLook* ControlLook() const { return FControlLook.get(); }
    void SetControlLook(TControlLook* Value) { FControlLook->Assign(Value); }
    TDragDropSettings* DragDropSettings() const { return FDragDropSettings.get(); }
    void SetDragDropSettings(TDragDropSettings* Value) { FDragDropSettings->Assign(Value); }
    TDragScrollOptions* DragScrollOptions() const { return FDragScrollOptions.get(); }
    void SetDragScrollOptions(TDragScrollOptions* Value) { FDragScrollOptions->Assign(Value); }
    TFilter* Filter() const { return FFilter.get(); }
    void SetFilter(TFilter* Value) { FFilter->Assign(Value); }
    TFilterDropDown* FilterDropDown() const { return FFilterDropDown.get(); }
    void SetFilterDropDown(TFilterDropDown* Value) { FFilterDropDown->Assign(Value); }
    TPopupMenu* FixedDropDownMenu() const { return FFixedDropDownMenu; }
    void SetFixedDropDownMenu(TPopupMenu* Value);
    TFloatingFooter* FloatingFooter() const { return FFloatingFooter.get(); }
    void SetFloatingFooter(TFloatingFooter* Value) { FFloatingFooter->Assign(Value); }
    TFocusHelper* FocusHelper() const { return FFocusHelper.get(); }
    void SetFocusHelper(TFocusHelper* Value) { FFocusHelper->Assign(Value); }
    TCustomImageList* GridImages() const { return FGridImages; }
    void SetGridImages(TCustomImageList* Value);
    TGrouping* Grouping() const { return FGrouping.get(); }
    void SetGrouping(TGrouping* Value) { FGrouping->Assign(Value); }
    THTMLSettings* HTMLSettings() const { return FHTMLSettings.get(); }
    void SetHTMLSettings(THTMLSettings* Value) { FHTMLSettings->Assign(Value); }
    TStringList* LookupItems() const { return FLookupItems.get(); }
    void SetLookupItems(TStringList* Value);
    TMouseActions* MouseActions() const { return FMouseActions.get(); }
    void SetMouseActions(TMouseActions* Value) { FMouseActions->Assign(Value); }
    TNavigation* Navigation() const { return FNavigation.get(); }
    void SetNavigation(TNavigation* Value) { FNavigation->Assign(Value); }
    TPictureContainer* PictureContainer() const { return FPictureContainer; }
    void SetPictureContainer(TPictureContainer* Value);
    TPrintSettings* PrintSettings() const { return FPrintSettings.get(); }
    void SetPrintSettings(TPrintSettings* Value) { FPrintSettings->Assign(Value); }
    TStringList* RowHeaders() const { return FRowHeaders.get(); }
    void SetRowHeaders(TStringList* Value);
    TSearchFooter* SearchFooter() const { return FSearchFooter.get(); }
    void SetSearchFooter(TSearchFooter* Value) { FSearchFooter->Assign(Value); }
    TShowModified* ShowModified() const { return FShowModified.get(); }
    void SetShowModified(TShowModified* Value) { FShowModified->Assign(Value); }
    TSizeWhileTyping* SizeWhileTyping() const { return FSizeWhileTyping.get(); }
    void SetSizeWhileTyping(TSizeWhileTyping* Value) { FSizeWhileTyping->Assign(Value); }
    TSortSettings* SortSettings() const { return FSortSettings.get(); }
    void SetSortSettings(TSortSettings* Value) { FSortSettings->Assign(Value); }
    TSyncGrid* SyncGrid() const { return FSyncGrid.get(); }
    void SetSyncGrid(TSyncGrid* Value) { FSyncGrid->Assign(Value); }

    // Owned lists, panels and windows other classes of the control library reach.
    TSortIndexList* SortIndexes() const { return FSortIndexes.get(); }
    TStringList* FilterValues() const { return FFilterList.get(); }
    TIntList* IgnoreColumns() const { return FIgnoreColumns.get(); }
    TIntList* MergedColumns() const { return FMergedColumns.get(); }
    TIntList* ColumnOrder() const { return FColumnOrder.get(); }
    TControlList* CellControls() const { return FCellControls.get(); }
    THTMLPictureCache* PictureCache() const { return FPictureCache.get(); }
    TCellGraphic* SharedCellGraphic() const { return FSharedCellGraphic.get(); }
    TFooterPanel* FooterPanel() const { return FFooterPanel; }
    TSearchPanel* SearchPanel() const { return FSearchPanel; }
    THTMLHintWindow* ScrollHintWindow() const { return FScrollHintWindow; }
    TDropList* FilterDropList() const { return FFilterDropList; }
    TDropCheckList* FilterDropCheckList() const { return FFilterDropCheckList; }
    TGridFocusWindow* FocusFrameWindow() const { return FFocusFrameWindow; }
    TArrowWindow* ArrowWindow(TArrowDirection d) const { return FArrows[std::size_t(d)]; }
    TGridCombo* ComboEditor() const { return FComboEditor; }
    TGridTransEdit* TransEdit() const { return FTransEdit; }
    TGridTransCombo* TransCombo() const { return FTransCombo; }
    TGridCheckBox* CheckBoxEditor() const { return FCheckBoxEditor; }
    TGridEditBtn* EditBtnEditor() const { return FEditBtnEditor; }
    TGridUnitEditBtn* UnitEditBtnEditor() const { return FUnitEditBtnEditor; }
    TGridButton* ButtonEditor() const { return FButtonEditor; }
    THeaderDragButton* HeaderDragButton() const { return FHeaderDragButton; }
    TEdit* FormControlEdit() const { return FFormControlEdit; }
    TComboBox* FormControlCombo() const { return FFormControlCombo; }
    TScrollControl* VertScrollControl() const { return FVScrlCtrl; }
    TScrollControl* HorzScrollControl() const { return FHScrlCtrl; }

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
    TInplaceEdit* CreateEditor() override;
    bool CanEditShow() override;
    void HideEditor() override;
    String GetEditMask(int ACol, int ARow) override;
    void ColumnMoved(int FromIndex, int ToIndex) override;
    void RowMoved(int FromIndex, int ToIndex) override;
    void ColWidthsChanged() override;
    void RowHeightsChanged() override;
    void SizeChanged(int OldColCount, int OldRowCount) override;
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
    void ShowComboEditor(int ACol, int ARow, const TRect& R, bool ListOnly);
    void SetEditorControlBounds(TWinControl* Ctrl, const TRect& R);
    void GiveEditorFocus(TWinControl* Ctrl);
    // Cells that the editor reopens on after a rejected validation.
    void ReopenAfterRejection(int ACol, int ARow, const String& Value, bool ValueReplaced);
    void ShowRejectionBalloon();
    TGridBalloonWindow* FRejectionBalloon = nullptr;
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
    int FWheelRemainder = 0;
    int FUserSizedCol = -1;
    int FUserSizedRow = -1;
    bool FCursorChangedByGrid = false;

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
    void InvalidatePanOrigin();
    void StyleChangedHook();
    bool WheelDownHook(TShiftState Shift, TPoint MousePos) override;
    bool WheelUpHook(TShiftState Shift, TPoint MousePos) override;
    bool WheelOverride(bool Down, TShiftState Shift, TPoint MousePos);
    bool FShowEditProcess = false;
    bool FEditStart = false;
    bool FScrollLock = false;
    bool FWheelPan = false;
    TPoint FPanOrigin;
    int FPanCursorId = 8000;
    TCursor FPrevCursor = crDefault;
    TGridRect FSelectionBeforeMessage;

    // ==== Scroll follow-up, cell controls and balloons (ZvGridFollowUp.cpp) ==========================
    void TopLeftChangeHook() override;
    TRect BackgroundCellRange();
    void AddBalloonTool(int Icon, const String& Text, const String& Title);
    void BalloonPointerMoved(int X, int Y);
    void BalloonTimerTick();
    TGridBalloonWindow* FBalloonWindow = nullptr;
    std::unique_ptr<TTimer> FBalloonTimer;
    TGridCoord FBalloonPointerCell{-1, -1};
    bool FBalloonInitialised = false;
    TObject* FOleDragList = nullptr;
    int FOleDragIndex = -1;

    // ==== Tab and advance (ZvGridNavigation.cpp) =====================================================
    void JumpToCell(int ACol, int ARow);
    void TabMove(bool Backward, bool& HandedOn, bool& Again);
    void AdvanceTarget(int& ACol, int& ARow, bool Forward, bool& Stop);

    // ==== Release, double click, right button (ZvGridRelease.cpp) ==========================================
    void HeaderClickSort(TGridCoord Cell, int X, int Y);
    bool FColumnMovedFlag = false;
    bool FSyncing = false;

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
    static double FooterCalculation(TColumnCalcType Kind, const std::vector<String>& Texts);
    TScrollControl* NewScrollControl(int Direction);
    void FreeScrollControls();
    // The fixed-cell, selection and search-footer colours of the looks without a grid style.
    void ApplyClassicLook(TGridLook Value);
    // The text the search highlight works on.
    String HighlightSourceText(int ACol, int ARow);

    // ==== Construction helpers ============================================================
    void CreateOptionObjects();
    void CreateRunTimeWindows();
    void HookOptionObjects();

    // ==== State shared between the features ==================================================
    // Construction and platform level.
    bool FDesignTime = false;
    bool FLoading = false;
    TZvStyle FStyle = TZvStyle::tsWindowsXP;
    TGridCoord FLastKeyCell{-1, -1};
    int FFilterLevel = 0;
    int FGroupColumn = -1;
    bool FLoaded = false;
    std::unique_ptr<TIntList> FSortXRef;
    std::unique_ptr<TIntList> FUnSortXRef;
    std::unique_ptr<TIntList> FMergedColumns;
    std::unique_ptr<TIntList> FSelectedCells;
    std::unique_ptr<TIntList> FSelectedRows;
    std::unique_ptr<TIntList> FModifiedRows;
    std::unique_ptr<TIntList> FEnabledRows;
    TColor FHintColor = clInfoBk;
    TColor FHighlightColor = clHighlight;
    TColor FHighLightTextColor = clHighlightText;
    std::unique_ptr<TPrintSettings> FPrintSettings;
    std::unique_ptr<THTMLSettings> FHTMLSettings;
    std::unique_ptr<TBands> FBands;
    TColor FBorderColor = 0xB99D7F;
    std::unique_ptr<TNavigation> FNavigation;
    std::unique_ptr<TColumnSize> FColumnSize;
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
    int FFilterCol = -1;
    std::unique_ptr<TSortSettings> FSortSettings;
    std::unique_ptr<TControlLook> FControlLook;
    TFooterPanel* FFooterPanel = nullptr;
    TSearchPanel* FSearchPanel = nullptr;
    std::unique_ptr<TSearchFooter> FSearchFooter;
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
    std::unique_ptr<TDragDropSettings> FDragDropSettings;
    std::unique_ptr<TDragScrollOptions> FDragScrollOptions;
    std::unique_ptr<TGridProgressAppearance> FProgressAppearance;
    std::unique_ptr<TSyncGrid> FSyncGrid;
    std::unique_ptr<TBackGround> FBackGround;
    std::unique_ptr<TFilter> FFilter;
    std::unique_ptr<TFilterDropDown> FFilterDropDown;
    std::unique_ptr<TBalloonSettings> FBalloon;
    std::unique_ptr<TShowModified> FShowModified;
    std::unique_ptr<TFont> FActiveCellFont;
    std::unique_ptr<TStringList> FSortList;
    std::unique_ptr<TStringList> FFilterList;
    std::unique_ptr<TStringList> FRowSelectList;
    std::unique_ptr<TStringList> FColSelectList;
    std::unique_ptr<TSortIndexList> FSortIndexes;
    std::unique_ptr<TIntList> FColSizes;
    std::unique_ptr<TIntList> FColumnOrder;
    std::unique_ptr<TIntList> FIgnoreColumns;
    std::vector<TGridChangeNotifier*> FNotifiers;
    std::unique_ptr<TControlList> FCellControls;
    std::unique_ptr<THTMLPictureCache> FPictureCache;
    std::unique_ptr<TBitmap> FRowIndicator;
    std::unique_ptr<TCellGraphic> FSharedCellGraphic;
    // Windows and editors, owned as components of the grid.
    THTMLHintWindow* FScrollHintWindow = nullptr;
    TDropList* FFilterDropList = nullptr;
    TDropCheckList* FFilterDropCheckList = nullptr;
    TGridFocusWindow* FFocusFrameWindow = nullptr;
    std::array<TArrowWindow*, 4> FArrows{};
    TGridCombo* FComboEditor = nullptr;
    TGridTransEdit* FTransEdit = nullptr;
    TGridTransCombo* FTransCombo = nullptr;
    TGridCheckBox* FCheckBoxEditor = nullptr;
    TGridEditBtn* FEditBtnEditor = nullptr;
    TGridUnitEditBtn* FUnitEditBtnEditor = nullptr;
    TGridButton* FButtonEditor = nullptr;
    THeaderDragButton* FHeaderDragButton = nullptr;
    TEdit* FFormControlEdit = nullptr;
    TComboBox* FFormControlCombo = nullptr;
    TScrollBar* FHScrollBar = nullptr;
    TScrollBar* FVScrollBar = nullptr;
    TScrollControl* FVScrlCtrl = nullptr;
    TScrollControl* FHScrlCtrl = nullptr;
    // Editors made on first use.
    TZvInplaceEdit* FNormalEdit = nullptr;
    TGridSpinEdit* FSpinEdit = nullptr;
    TGridDatePicker* FDateEdit = nullptr;
    TGridDateTimePicker* FDateTimeEdit = nullptr;
    TRichEdit* FRichEdit = nullptr;
    TGridColorDropDown* FColorPickerDropDown = nullptr;
    TGridImageDropDown* FImagePickerDropDown = nullptr;
    TGridGridDropDown* FGridDropDown = nullptr;
    TGridDetailPickerDropDown* FDetailPickerDropDown = nullptr;
    TGridTimepickerDropDown* FTimePickerDropDown = nullptr;
    TGridCalculatorDropDown* FCalculatorDropDown = nullptr;
    TGridMemoDropDown* FMemoDropDown = nullptr;
    TGridTrackbarDropDown* FTrackbarDropDown = nullptr;
    TGridZvGridDropDown* FZvGridDropDown = nullptr;
    TGridDropTarget* FGridDropTarget = nullptr;
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
    bool FFilterActive = false;
    bool FFilterDropDownAuto = false;
    String FFilterDropDownClear = QStringLiteral("(All)");
    bool FFilterDropDownCheck = false;
    TFilterDropDownColumns FFilterDropDownColumns = TFilterDropDownColumns::fdNormal;
    int FFilterDropDownRow = 0;
    bool FFilterNormalCellsOnly = true;
    bool FAutoFilterUpdate = true;
    bool FFilterIncremental = false;
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
    bool FOemConvert = false;
    bool FHideFocusRect = false;
    bool FShowDesignHelper = true;
    String FValidChars;
    String FEditMask;
    String FXMLEncoding = QStringLiteral("ISO-8859-1");
    QChar FPasswordChar = QLatin1Char('*');
    QChar FDelimiter;
    bool FQuoteEmptyCells = true;
    bool FAlwaysQuotes = false;
    bool FJavaCSV = false;
    bool FSaveFixedCells = true;
    bool FSaveFixedRows = false;
    bool FSaveFixedCols = false;
    bool FSaveHiddenCells = false;
    bool FSaveVirtCells = true;
    bool FSaveWithHTML = true;
    bool FSaveWithRTF = false;
    bool FLoadFirstRow = true;
    bool FShowNullDates = true;
    bool FClearTextOnly = false;
    bool FExcelClipboardFormat = false;
    bool FPrinterDriverFix = false;
    bool FSizeGrowOnly = false;
    int FMinRowHeight = 0;
    int FMaxRowHeight = 0;
    int FMinColWidth = 0;
    int FMaxColWidth = 0;
    int FZoomFactor = 0;
    TPoint FXYOffset{2, 2};
    bool FXYOffsetTopLeftOnly = false;
    TObject* FEditLink = nullptr;

    // Keyboard, mouse and navigation state.
    TGridRect FSelectionBeforeKey;
    QChar FStartEditChar;
    String FIncrSearchText;
    int FSearchTicks = 0;
    TGridCoord FHTMLControlCell{-1, -1};
    String FHTMLControlID;
    String FHTMLControlType;
    bool FHTMLControlEditing = false;
    bool FClickPending = false;
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
    // The combo and check-box editors end edits on the grid's behalf.
    friend class TGridCombo;
    friend class TGridCheckBox;
    bool FEditChange = false;
    bool FEditingDisabled = false;
    bool FBlockFocusKill = false;
    bool FCellChangeBlocked = false;
    bool FValidating = false;
    bool FLastValidation = true;
    String FCellCache;
    String FOldCellText;
    // No edit-change events while the text editor is loaded by code.
    bool FNoEditChange = false;
    friend class TZvInplaceEdit;
    bool FOldCellModified = false;
    int FPrevReportedRow = -1;
    int FPrevSelectedRow = -1;
    bool FInEditMode = false;
    TEditorType FCurrentEditor = TEditorType::edNormal;
    int FComboIndex = -1;
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
    // The list-only combo opened on a text outside its list and preselected item 0.
    bool FComboDefaulted = false;
    int FRejections = 0;

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
    TGridCoord FClipboardTopLeft{-1, -1};
    int FClickedCol = -1;
    int FClickedRow = -1;
    int FSizedCol = -1;
    int FSizedRow = -1;
    int FOleDragCol = -1;
    int FLastDesignChoice = -1;
    bool FShowColumnNumbers = true;
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

    // Printing: printed width and left offset per column, filled by the print engine.
    std::array<int, 513> MaxWidths{};
    std::array<int, 513> Indents{};
    int FPrintPageFrom = 1;
    int FPrintPageTo = 1;
    int FPrintPageNum = 0;

    // Cell hints (ZvGridCellHint.cpp): the base cell whose hint was last asked
    // for, so that the pointer reaching another cell asks again, and the text
    // last given for an anchor.
    TGridCoord FLastHintPos{-1, -1};
    String FLastAnchorHint;

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
    // While set, clearing drops object references without freeing them (swaps).
    bool FNilObjects = false;
    int FAutoNumberStart = 0;
    int FAutoNumberOffset = 0;
    TSortDirection FAutoNumberDirection = TSortDirection::sdAscending;
};

// Whether the merge base cell holds a graphic whose value is the cell text
// (data check boxes, data images, virtual and row check boxes).
bool IsDataGraphicCell(TZvStringGrid* Grid, int ACol, int ARow);
