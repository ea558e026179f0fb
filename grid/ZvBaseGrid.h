#pragma once
// The base of every grid: the platform's string grid plus per-cell
// properties kept in the cells' object slots, merged cells, the cell text
// path every caller uses (GetCellEx / SetCellEx), its own cell painting
// frame, and an optional undo/redo component that records cell changes.
//
// Column indexes here are real ones: the string grid hides columns by
// lowering the platform's column count while their cells keep their place,
// so the store accepts any column below TotalColCount.

#include "grid/support/ZvGridTypes.h"

#include "platform/Classes.h"
#include "platform/Graphics.h"
#include "platform/Grids.h"

#include <memory>
#include <vector>

class TBaseGrid;

// The grid's exception: a fixed English message.
class EZvGridError : public Exception {
public:
    using Exception::Exception;
};

enum class TGridSelectionStyle { ssDefault, ssVista, ssWin7, ssOffice2007 };
enum class THoverRowCell { hcNormal, hcFixed, hcSelected };
using THoverRowCells = TSet<THoverRowCell>;

using TGetDisplWideTextEvent = std::function<void(TObject* Sender, int ACol, int ARow, String& Value)>;

// ---- Per-cell properties ---------------------------------------------------------------
// One per cell that needs one, owned by the grid through the cell's object
// slot. The visual fields start from the grid's look of the cell when the
// object is made (TBaseGrid::GetCellProperties).
class TCellProperties : public TPersistent {
public:
    TCellProperties(TBaseGrid* AOwnerGrid, int AOwnerCol, int AOwnerRow);

    TBaseGrid* OwnerGrid() const { return FOwnerGrid; }
    int OwnerCol() const { return FOwnerCol; }
    void SetOwnerCol(int v) { FOwnerCol = v; }
    int OwnerRow() const { return FOwnerRow; }
    void SetOwnerRow(int v) { FOwnerRow = v; }
    // The user's own object of the cell.
    std::uintptr_t CellObject() const { return FObject; }
    void SetCellObject(std::uintptr_t v) { FObject = v; }
    // The cell graphic (check box, image, node ...), not published.
    TObject* GraphicObject() const { return FGraphicObject; }
    void SetGraphicObject(TObject* v) { FGraphicObject = v; }
    TBrushStyle BrushStyle() const { return FBrushStyle; }
    void SetBrushStyle(TBrushStyle v) { FBrushStyle = v; }
    TColor BrushColor() const { return FBrushColor; }
    void SetBrushColor(TColor v);
    TColor BrushColorTo() const { return FBrushColorTo; }
    void SetBrushColorTo(TColor v);
    int FontSize() const { return FFontSize; }
    void SetFontSize(int v) { FFontSize = v; }
    TColor FontColor() const { return FFontColor; }
    void SetFontColor(TColor v) { FFontColor = v; }
    TFontStyles FontStyle() const { return FFontStyle; }
    void SetFontStyle(TFontStyles v) { FFontStyle = v; }
    int CellSpanY() const { return FCellSpanY; }
    void SetCellSpanY(int v) { FCellSpanY = v; }
    int CellSpanX() const { return FCellSpanX; }
    void SetCellSpanX(int v) { FCellSpanX = v; }
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int v) { FBorderWidth = v; }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor v) { FBorderColor = v; }
    TAlignment Alignment() const { return FAlignment; }
    // Only stores: the next paint shows it.
    void SetAlignment(TAlignment v) { FAlignment = v; }
    TVAlignment VAlignment() const { return FVAlignment; }
    void SetVAlignment(TVAlignment v);
    int PaintID() const { return FPaintID; }
    void SetPaintID(int v) { FPaintID = v; }
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool v);
    bool IsBaseCell() const { return FIsBaseCell; }
    void SetIsBaseCell(bool v) { FIsBaseCell = v; }
    TColumnCalcType CalcType() const { return FCalcType; }
    void SetCalcType(TColumnCalcType v) { FCalcType = v; }
    TObject* CalcObject() const { return FCalcObject; }
    void SetCalcObject(TObject* v) { FCalcObject = v; }
    int NodeLevel() const { return FNodeLevel; }
    void SetNodeLevel(int v) { FNodeLevel = v; }
    TEditorType Editor() const { return FEditor; }
    void SetEditor(TEditorType v) { FEditor = v; }
    const String& FontName() const { return FFontName; }
    void SetFontName(const String& v) { FFontName = v; }
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool v) { FReadOnly = v; }
    TCellGradientDirection GradientDirection() const { return FGradientDirection; }
    void SetGradientDirection(TCellGradientDirection v) { FGradientDirection = v; }
    TControl* Control() const { return FControl; }
    void SetControl(TControl* v) { FControl = v; }

    // The base cell of the owner cell: itself unless it is covered by a merge.
    TPoint GetBaseCell() const;

    void Assign(TPersistent* source) override;

private:
    void RepaintOwnerCell();

    TBaseGrid* FOwnerGrid;
    int FOwnerCol;
    int FOwnerRow;
    std::uintptr_t FObject = 0;
    TObject* FGraphicObject = nullptr;
    TBrushStyle FBrushStyle = TBrushStyle::bsSolid;
    TColor FBrushColor = clNone;
    TColor FBrushColorTo = clNone;
    int FFontSize = 0;
    TColor FFontColor = clNone;
    TFontStyles FFontStyle;
    int FCellSpanY = -1;
    int FCellSpanX = -1;
    int FBorderWidth = 0;
    TColor FBorderColor = 0;
    TAlignment FAlignment = TAlignment::taLeftJustify;
    TVAlignment FVAlignment = TVAlignment::vtaTop;
    int FPaintID = 0;
    bool FWordWrap = true;
    bool FIsBaseCell = true;
    TColumnCalcType FCalcType = TColumnCalcType::acNONE;
    TObject* FCalcObject = nullptr;
    int FNodeLevel = 0;
    TEditorType FEditor = TEditorType::edNormal;
    String FFontName;
    bool FReadOnly = false;
    TCellGradientDirection FGradientDirection = TCellGradientDirection::GradientVertical;
    TControl* FControl = nullptr;
};

// The look a fresh properties object of a cell starts from: the grid's InitialCellProperties asked over
// a scratch font and brush, word wrap preset to the grid's. Made here only, whoever asks.
struct TFreshCellLook {
    TFreshCellLook(TBaseGrid& grid, int c, int r);

    TFont Font;
    TBrush Brush;
    TCellGradientDirection GD = TCellGradientDirection::GradientVertical;
    bool WW = true;
    TVAlignment VA = TVAlignment::vtaTop;
    TAlignment HA = TAlignment::taLeftJustify;
    TColor MirrorColor = clNone;
    TColor MirrorColorTo = clNone;
    TColor ColorTo = clNone;
};

// ---- Undo and redo of cell changes ------------------------------------------------------
// A change, or (column and row -1, empty texts) a marker of a sequence's start or stop.
class TUndoRedoItem : public TPersistent {
public:
    int Row() const { return FRow; }
    void SetRow(int v) { FRow = v; }
    int Col() const { return FCol; }
    void SetCol(int v) { FCol = v; }
    // The new text.
    const String& Value() const { return FValue; }
    void SetValue(const String& v) { FValue = v; }
    // The text before the change.
    const String& OrigValue() const { return FOrigValue; }
    void SetOrigValue(const String& v) { FOrigValue = v; }
    bool SequenceStart() const { return FSequenceStart; }
    void SetSequenceStart(bool v) { FSequenceStart = v; }
    bool SequenceStop() const { return FSequenceStop; }
    void SetSequenceStop(bool v) { FSequenceStop = v; }

    void Assign(TPersistent* source) override;

private:
    int FRow = 0;
    int FCol = 0;
    String FValue;
    String FOrigValue;
    bool FSequenceStart = false;
    bool FSequenceStop = false;
};

class TUndoRedoCollection : public TPersistent {
public:
    int Count() const { return int(FItems.size()); }
    TUndoRedoItem* Items(int index) const { return FItems.at(std::size_t(index)).get(); }
    TUndoRedoItem* Add();
    void Delete(int index);
    void Clear() { FItems.clear(); }

private:
    std::vector<std::unique_ptr<TUndoRedoItem>> FItems;
};

using TZvGridUndoRedoEvent = std::function<void(TObject* Sender, TBaseGrid* Grid, int Col, int Row,
                                                const String& OrigValue, const String& NewValue)>;

class TZvGridUndoRedo : public TComponent {
public:
    explicit TZvGridUndoRedo(TComponent* AOwner);
    ~TZvGridUndoRedo() override;

    virtual void RegisterChange(int ACol, int ARow, const String& OldValue, const String& NewValue);
    virtual void StartSequence();
    virtual void StopSequence();
    void Undo();
    void Redo();
    // Deletes every item and leaves the level alone.
    void Reset();
    bool CanUndo() const { return FLevel > 0; }
    bool CanRedo() const { return FLevel < FItems->Count(); }

    TUndoRedoCollection* Items() const { return FItems.get(); }
    TBaseGrid* Grid() const { return FGrid; }
    void SetGrid(TBaseGrid* v);
    // The number of items that count as done.
    int Level() const { return FLevel; }
    // 0: unlimited.
    int MaxLevel() const { return FMaxLevel; }
    void SetMaxLevel(int v) { FMaxLevel = v; }

    TZvGridUndoRedoEvent OnUndo;
    TZvGridUndoRedoEvent OnRedo;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    void AddMarker(bool start);
    void DropUndone();
    void UndoItem(TUndoRedoItem* item);
    void RedoItem(TUndoRedoItem* item);

    std::unique_ptr<TUndoRedoCollection> FItems;
    TBaseGrid* FGrid = nullptr;
    int FLevel = 0;
    int FMaxLevel = 0;
};

// ---- The base grid ---------------------------------------------------------------------------
class TBaseGrid : public TObjStringGrid {
public:
    explicit TBaseGrid(TComponent* AOwner);
    ~TBaseGrid() override;

    // ---- Cell text and objects (real columns) ----
    String GetCellEx(int c, int r);
    void SetCellEx(int c, int r, const String& Value);
    // The raw stored text of exactly that cell: no redirection, no events, no hooks.
    String GetGridCell(int c, int r) const;
    void SetGridCell(int c, int r, const String& Value);
    // Created on first use; a cell outside the grid raises EZvGridError
    // ("Invalid cell") rather than growing the store under a wrong index.
    TCellProperties* GetCellProperties(int c, int r);
    // Frees the present properties and takes ownership of Value.
    void SetCellProperties(int c, int r, TCellProperties* Value);
    TObject* GetObjectEx(int c, int r) const;
    void SetObjectEx(int c, int r, TObject* Value);
    TObject* GetGraphicObjectEx(int c, int r) const;
    void SetGraphicObjectEx(int c, int r, TObject* Value);
    // The raw object slot: the properties object itself. Nothing is freed.
    TObject* GetGridObject(int c, int r) const;
    void SetGridObject(int c, int r, TObject* Value);
    static TObject* CellGraphicOf(const TCellProperties* props) { return props ? props->GraphicObject() : nullptr; }
    bool HasCellObject(int c, int r) const;

    // ---- Clearing: freeing versus detaching ----
    void ClearCellPropertiesRange(int FromCol, int FromRow, int ToCol, int ToRow);
    void ClearAllCellProperties();
    void FreeCutRowsProperties(int OldRowCount);
    void FreeStoredRowsProperties(int From, int To);
    void FreeCellObject(int c, int r);
    void ClearColumnObjects(int col);
    void ClearRowObjects(int row);
    void ClearCellObject(int c, int r);

    // ---- Merges and geometry ----
    TPoint BaseCell(int c, int r) const;
    bool BaseCellOf(int c, int r, int& bc, int& br) const;
    bool IsBaseCell(int c, int r) const;
    bool IsMergedCell(int c, int r) const;
    bool IsMergedNonBaseCell(int c, int r) const;
    bool IsXMergedCell(int c, int r) const;
    bool IsYMergedCell(int c, int r) const;
    TPoint CellSpan(int c, int r) const;
    TPoint CellExt(int c, int r) const;
    TRect FullCell(int c, int r) const;
    int MinRowSpan(int ARow) const;
    int MaxRowSpan(int ARow) const;
    bool RowSpanIdentical(int ARow1, int ARow2) const;
    bool ColSpanIdentical(int ACol1, int ACol2) const;
    TRect CellRect(int c, int r);
    TPoint CellSize(int c, int r);
    TRect RangeRect(int c, int r);
    void RepaintCell(int c, int r);
    int FixedColsWidth() const;
    int FixedRowsHeight() const;
    void MoveToBaseCell();

    // ---- Painting one cell onto any canvas ----
    void PaintCell(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState);
    void PaintCellExt(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState);

    // ---- Properties ----
    bool ActiveRowShow() const { return FActiveRowShow; }
    void SetActiveRowShow(bool v);
    TColor ActiveRowColor() const { return FActiveRowColor; }
    void SetActiveRowColor(TColor v);
    TColor ActiveRowColorTo() const { return FActiveRowColorTo; }
    void SetActiveRowColorTo(TColor v);
    TColor ActiveRowMirrorColor() const { return FActiveRowMirrorColor; }
    void SetActiveRowMirrorColor(TColor v);
    TColor ActiveRowMirrorColorTo() const { return FActiveRowMirrorColorTo; }
    void SetActiveRowMirrorColorTo(TColor v);
    bool DefaultDrawing() const { return FDefaultDrawing; }
    void SetDefaultDrawing(bool v);
    int GridLineWidth() const { return FGridLineWidth; }
    void SetGridLineWidth(int v);
    TColor GridLineColor() const { return FGridLineColor; }
    void SetGridLineColor(TColor v);
    TColor GridFixedLineColor() const { return FGridFixedLineColor; }
    void SetGridFixedLineColor(TColor v);
    bool HoverRow() const { return FHoverRow; }
    void SetHoverRow(bool v) { FHoverRow = v; }
    int HoverRowIdx() const { return FHoverRowIdx; }
    void SetHoverRowIdx(int v) { FHoverRowIdx = v; }
    TColor HoverRowColor() const { return FHoverRowColor; }
    void SetHoverRowColor(TColor v) { FHoverRowColor = v; }
    TColor HoverRowColorTo() const { return FHoverRowColorTo; }
    void SetHoverRowColorTo(TColor v) { FHoverRowColorTo = v; }
    THoverRowCells HoverRowCells() const { return FHoverRowCells; }
    void SetHoverRowCells(THoverRowCells v) { FHoverRowCells = v; }
    TGridSelectionStyle SelectionStyle() const { return FSelectionStyle; }
    void SetSelectionStyle(TGridSelectionStyle v);
    // The grid's word wrap; new cell properties copy it. TZvStringGrid's
    // WordWrap property keeps it in step.
    bool BaseWordWrap() const { return FWordWrap; }
    TZvGridUndoRedo* UndoRedo() const { return FUndoRedo; }
    void SetUndoRedo(TZvGridUndoRedo* v);
    bool HideLastRow() const { return FHideLastRow; }
    void SetHideLastRow(bool v) { FHideLastRow = v; }
    int NormalRowCount() const { return FNormalRowCount; }
    void SetNormalRowCount(int v) { FNormalRowCount = v; }
    bool ShowSel() const { return FShowSel; }
    bool CustomSelect() const { return FCustomSelect; }
    bool HasCellProps() const { return FHasCellProps; }
    int MergeCount() const { return FMergeCount; }
    int PaintID() const { return FPaintID; }

    TGetDisplTextEvent OnGetDisplText;
    TGetDisplWideTextEvent OnGetDisplWideText;

    // ---- Overridable steps of the cell store ----
    virtual bool IsFixed(int ACol, int ARow);
    virtual int RowIndent(int ARow);
    virtual bool HasNodes();
    virtual void PaintCellContents(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState);
    virtual void LastRowWrittenHook();
    virtual void FireGetDisplText(int ACol, int ARow, String& Value);
    virtual void FireGetDisplWideText(int ACol, int ARow, String& Value);
    virtual void InitialCellProperties(int ACol, int ARow, TCellGradientDirection& GD, bool& WW, TVAlignment& VA,
                                       TAlignment& HA, TColor& MirrorColor, TColor& MirrorColorTo, TColor& ColorTo,
                                       TBrush* ABrush, TFont* AFont);
    virtual void UpdateCellScrollBar(int ACol, int ARow);
    virtual bool HasCustomCellBorders();
    virtual bool UsesVCLStyles();
    virtual void GetVisualProperties(int ACol, int ARow, TGridDrawState& AState, bool Print, bool Select,
                                     bool Remap, TBrush* ABrush, TColor& AColorTo, TColor& AMirrorColor,
                                     TColor& AMirrorColorTo, TFont* AFont, TAlignment& HA, TVAlignment& VA,
                                     bool& WW, TCellGradientDirection& GD);
    virtual int DisplColIndex(int ACol);
    // The span is clipped to the grid; a base cell outside it raises EZvGridError.
    virtual void MergeCells(int c, int r, int spanx, int spany);
    virtual void SplitCells(int c, int r);
    virtual int TotalColCount();

protected:
    // The platform grid's steps, taken under this system's names.
    virtual void CellDrawHook(int ACol, int ARow, TRect ARect, TGridDrawState AState);
    virtual bool CellSelectHook(int ACol, int ARow);
    virtual void KeyDownHook(WORD& Key, TShiftState Shift);
    virtual bool WheelDownHook(TShiftState Shift, TPoint MousePos);
    virtual bool WheelUpHook(TShiftState Shift, TPoint MousePos);
    virtual void TopLeftChangeHook();
    virtual String EditTextGetHook(int ACol, int ARow);
    virtual void EditTextSetHook(int ACol, int ARow, const String& Value);
    virtual void ComponentRemovedHook(TComponent* AComponent, TOperation Operation);

    void Paint() override;
    void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
    bool SelectCell(int ACol, int ARow) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
    void TopLeftChanged() override;
    String GetEditText(int ACol, int ARow) override;
    void SetEditText(int ACol, int ARow, const String& Value) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    // The cell painter behind PaintCell, PaintCellExt and the draw-cell request.
    void PaintCellFrame(TCanvas* ACanvas, int ACol, int ARow, bool Full, TGridDrawState AState, TRect ARect);
    // A new properties object for (c, r) with the grid's look of the cell;
    // withCalcType also resets its footer calculation.
    TCellProperties* CreateCellProperties(int c, int r, bool withCalcType);
    TCellProperties* PropsAt(int c, int r) const;
    // The pixel rectangle of the whole merged area (c, r) belongs to.
    TRect MergedAreaRect(int c, int r);
    // 0 <= c < TotalColCount and 0 <= r < RowCount.
    bool IsInsideGrid(int c, int r);
    // The one rule for letting go of a cell's graphic: only the grid's own graphic class is freed, and
    // not the shared check boxes standing in for many cells (only they carry the virtual and row
    // check-box kinds); a graphic of another class belongs to whoever attached it.
    static void FreeCellGraphic(TObject* graphic);
    // The one rule for letting go of a cell's properties: its graphic by FreeCellGraphic, then the object.
    // Every path that frees properties (clearing, cut rows, relaid rows, the grid's end) comes here.
    static void FreeCellProperties(TCellProperties* props);

    // Fields, after those of the platform grid.
    bool FDefaultDrawing = false;
    int FGridLineWidth = 1;
    TColor FGridLineColor = 0xC0C0C0;
    TColor FGridFixedLineColor = 0x808080;
    int FPaintID = 1;
    bool FCustomSelect = true;
    bool FHideLastRow = false;
    int FNormalRowCount = 0;
    TZvGridUndoRedo* FUndoRedo = nullptr;
    bool FWordWrap = true;
    bool FActiveRowShow = false;
    TColor FActiveRowColor = clInfoBk;
    TColor FActiveRowColorTo = clNone;
    TColor FActiveRowMirrorColor = clNone;
    TColor FActiveRowMirrorColorTo = clNone;
    TGridSelectionStyle FSelectionStyle = TGridSelectionStyle::ssDefault;
    int FHoverRowIdx = -1;
    bool FHoverRow = false;
    THoverRowCells FHoverRowCells{THoverRowCell::hcNormal, THoverRowCell::hcSelected};
    TColor FHoverRowColor = clInfoBk;
    TColor FHoverRowColorTo = clNone;
    bool FShowSel = true;
    bool FHasCellProps = false;
    int FMergeCount = 0;
    // Whether any merge was ever made: FMergeCount also falls for splits of
    // cells that were never merged, so it cannot tell whether merges exist.
    bool FEverMerged = false;

private:
    friend class TCellProperties;
    void NoteCellPropsCreated() { FHasCellProps = true; }
};
