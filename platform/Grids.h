#pragma once
// The platform's grids: TCustomGrid < TCustomDrawGrid < TDrawGrid <
// TStringGrid (< TObjStringGrid, which adds nothing). A grid is a custom
// control that paints its cells on its own canvas; rows and columns have
// their own sizes, the first FixedRows rows and FixedCols columns stay in
// place while the rest scrolls, and one cell is current (Col, Row) with an
// anchor that spans the selection.
//
// Input keeps the layered order of every control:
//   message handler (WMKeyDown, WMChar, WMLButtonDown ...) -> inherited
//   handler -> virtual step (KeyDown, KeyPress, MouseDown ...) -> event.
// The grid's work happens in the virtual steps, after the inherited step has
// fired the event, so an OnKeyDown handler that clears the key stops it.
// Every step a descendant refines is virtual.
//
// Scroll bars run from 0 to 127: position p stands for the top row
// FixedRows + p * (last top row - FixedRows) / 127, and likewise for columns.
// The page is the share of the scrolling rows (columns) in view, out of 128,
// so the thumb's length shows how much of the grid is seen.

#include "platform/ScrollBars.h"
#include "platform/StdCtrls.h"

#include <functional>
#include <memory>
#include <utility>
#include <vector>

class TCustomGrid;

// A grid operation on a cell or count that the grid cannot have.
class EInvalidGridOperation : public Exception {
public:
    using Exception::Exception;
};

// A cell (X = column, Y = row).
struct TGridCoord {
    int X = 0;
    int Y = 0;
    constexpr bool operator==(const TGridCoord&) const = default;
};

// A block of cells, both corners included.
struct TGridRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    constexpr TGridCoord TopLeft() const { return {Left, Top}; }
    constexpr TGridCoord BottomRight() const { return {Right, Bottom}; }
    constexpr bool operator==(const TGridRect&) const = default;
};
constexpr TGridRect GridRect(TGridCoord a, TGridCoord b)
{
    return {a.X < b.X ? a.X : b.X, a.Y < b.Y ? a.Y : b.Y, a.X < b.X ? b.X : a.X, a.Y < b.Y ? b.Y : a.Y};
}
constexpr bool PointInGridRect(int col, int row, const TGridRect& r)
{
    return col >= r.Left && col <= r.Right && row >= r.Top && row <= r.Bottom;
}

enum class TGridOption {
    goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect, goDrawFocusSelected,
    goRowSizing, goColSizing, goRowMoving, goColMoving, goEditing, goTabs, goRowSelect,
    goAlwaysShowEditor, goThumbTracking, goFixedRowClick, goFixedColClick, goFixedHotTrack
};
using TGridOptions = TSet<TGridOption>;
constexpr TGridOption goFixedVertLine = TGridOption::goFixedVertLine, goFixedHorzLine = TGridOption::goFixedHorzLine,
                      goVertLine = TGridOption::goVertLine, goHorzLine = TGridOption::goHorzLine,
                      goRangeSelect = TGridOption::goRangeSelect,
                      goDrawFocusSelected = TGridOption::goDrawFocusSelected,
                      goRowSizing = TGridOption::goRowSizing, goColSizing = TGridOption::goColSizing,
                      goRowMoving = TGridOption::goRowMoving, goColMoving = TGridOption::goColMoving,
                      goEditing = TGridOption::goEditing, goTabs = TGridOption::goTabs,
                      goRowSelect = TGridOption::goRowSelect,
                      goAlwaysShowEditor = TGridOption::goAlwaysShowEditor,
                      goThumbTracking = TGridOption::goThumbTracking,
                      goFixedRowClick = TGridOption::goFixedRowClick,
                      goFixedColClick = TGridOption::goFixedColClick,
                      goFixedHotTrack = TGridOption::goFixedHotTrack;
// What a new grid has.
constexpr TGridOptions DefaultGridOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect};

enum class TGridDrawStateItem { gdSelected, gdFocused, gdFixed, gdRowSelected, gdHotTrack, gdPressed };
using TGridDrawState = TSet<TGridDrawStateItem>;
constexpr TGridDrawStateItem gdSelected = TGridDrawStateItem::gdSelected,
                             gdFocused = TGridDrawStateItem::gdFocused, gdFixed = TGridDrawStateItem::gdFixed,
                             gdRowSelected = TGridDrawStateItem::gdRowSelected,
                             gdHotTrack = TGridDrawStateItem::gdHotTrack, gdPressed = TGridDrawStateItem::gdPressed;

enum class TGridState { gsNormal, gsSelecting, gsRowSizing, gsColSizing, gsRowMoving, gsColMoving };
constexpr TGridState gsNormal = TGridState::gsNormal, gsSelecting = TGridState::gsSelecting,
                     gsRowSizing = TGridState::gsRowSizing, gsColSizing = TGridState::gsColSizing,
                     gsRowMoving = TGridState::gsRowMoving, gsColMoving = TGridState::gsColMoving;

// Where a dragged object is relative to a control it passes over.
enum class TDragState { dsDragEnter, dsDragLeave, dsDragMove };
constexpr TDragState dsDragEnter = TDragState::dsDragEnter, dsDragLeave = TDragState::dsDragLeave,
                     dsDragMove = TDragState::dsDragMove;

// A drag passing over a control: WParam is the TDragState, LParam points to
// a TDragOverInfo; the control answers in its Accept.
constexpr UINT CM_DRAG = CM_BASE + 36;
struct TDragOverInfo {
    TObject* Source = nullptr;
    TPoint Pos;   // client coordinates
    bool Accept = false;
};

enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
constexpr TScrollStyle ssNone = TScrollStyle::ssNone, ssHorizontal = TScrollStyle::ssHorizontal,
                       ssVertical = TScrollStyle::ssVertical, ssBoth = TScrollStyle::ssBoth;

// ---- Events ----------------------------------------------------------------------
using TSelectCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& CanSelect)>;
using TDrawCellEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, const TRect& Rect, TGridDrawState State)>;
using TMovedEvent = std::function<void(TObject* Sender, int FromIndex, int ToIndex)>;
using TGetEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, String& Value)>;
using TSetEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, const String& Value)>;
using TFixedCellClickEvent = std::function<void(TObject* Sender, int ACol, int ARow)>;
using TDragOverEvent =
    std::function<void(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept)>;
using TMouseWheelUpDownEvent = std::function<void(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled)>;

// ---- The inplace editor ------------------------------------------------------------
// The edit box the grid shows over the current cell. The grid creates it
// through its CreateEditor factory, fills it from GetEditText and writes it
// back through SetEditText when it hides (UpdateText). Keys that move
// between cells (Up, Down, Page Up/Down, Tab with goTabs, Ctrl+Home/End) go
// to the grid; Enter and Escape go to the grid's key-press step first.
class TInplaceEdit : public TEdit {
public:
    explicit TInplaceEdit(TCustomGrid* AGrid);
    ~TInplaceEdit() override;

    TCustomGrid* Grid() const { return FGrid; }
    // The mask the grid asked for; kept for descendants, not enforced here.
    const String& EditMask() const { return FEditMask; }
    void SetEditMask(const String& value) { FEditMask = value; }

    // Places the editor over a rectangle of the grid's client area and shows it.
    virtual void Move(const TRect& Loc);
    // Hides the editor without touching the cell.
    virtual void HideEditor();
    // Fills the editor from the grid's current cell (text, limit, mask).
    virtual void UpdateContents();
    // Drops the selection, the caret at the end.
    virtual void Deselect();

protected:
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(QChar& Key) override;
    void WMGetDlgCode(TWMGetDlgCode& Message) override;
    // Hands a key-down to the grid's key step; true when the grid took it.
    bool SendToGrid(WORD& Key, TShiftState Shift);

private:
    TCustomGrid* FGrid;
    String FEditMask;
};

// ---- The cell store ----------------------------------------------------------------
// Texts and object slots of a string grid. Any non-negative cell can be
// written, beyond the grid's counts too; cells are kept when the counts
// shrink. One growable row per grid row: a cell is found in constant time.
class TGridCellStore {
public:
    String Text(int ACol, int ARow) const;
    void SetText(int ACol, int ARow, const String& value);
    void SetText(int ACol, int ARow, String&& value);
    // The cell's text moved out; the cell keeps an empty one.
    String TakeText(int ACol, int ARow);
    TObject* Object(int ACol, int ARow) const;
    void SetObject(int ACol, int ARow, TObject* value);

    // Rows and columns kept (at least the highest written index + 1).
    int RowCapacity() const { return int(FRows.size()); }
    int ColCapacity(int ARow) const;

    void DeleteRow(int ARow) { DeleteRows(ARow, 1); }
    void InsertRow(int ARow) { InsertRows(ARow, 1); }
    // Many rows in one pass; rows past the kept ones cost nothing.
    void DeleteRows(int ARow, int Count);
    void InsertRows(int ARow, int Count);
    // Row First + i takes what row Order[i] held; Order is a permutation of
    // First .. First + size - 1.
    void ReorderRows(int First, const std::vector<int>& Order);
    void DeleteColumn(int ACol);
    void InsertColumn(int ACol);
    // Moves a row (column) to `to`; the ones between shift by one towards `from`.
    void MoveRow(int from, int to);
    void MoveColumn(int from, int to);
    void Clear() { FRows.clear(); }

    // Index limits against runaway writes.
    static constexpr int MaxRows = 1 << 24;
    static constexpr int MaxCols = 1 << 16;

private:
    struct Cell {
        String Text;
        TObject* Object = nullptr;
    };
    using Row = std::vector<Cell>;
    const Cell* Find(int ACol, int ARow) const;
    Cell& Touch(int ACol, int ARow);
    std::vector<Row> FRows;
    int FWidest = 0;   // the longest row so far: new rows get room for as many cells
};

// ---- TCustomGrid -------------------------------------------------------------------
class TCustomGrid : public TCustomControl {
public:
    explicit TCustomGrid(TComponent* AOwner);
    ~TCustomGrid() override;

    // ---- Dimensions ----
    int ColCount() const { return FColCount; }
    void SetColCount(int value);
    int RowCount() const { return FRowCount; }
    void SetRowCount(int value);
    int FixedCols() const { return FFixedCols; }
    // Raises EInvalidGridOperation unless 0 <= value < ColCount.
    void SetFixedCols(int value);
    int FixedRows() const { return FFixedRows; }
    void SetFixedRows(int value);
    int ColWidths(int index) const;
    void SetColWidths(int index, int value);
    int RowHeights(int index) const;
    void SetRowHeights(int index, int value);
    int DefaultColWidth() const { return FDefaultColWidth; }
    // Sets every column to the width.
    void SetDefaultColWidth(int value);
    int DefaultRowHeight() const { return FDefaultRowHeight; }
    void SetDefaultRowHeight(int value);
    int GridLineWidth() const { return FGridLineWidth; }
    void SetGridLineWidth(int value);
    TColor FixedColor() const { return FFixedColor; }
    void SetFixedColor(TColor value);
    bool DefaultDrawing() const { return FDefaultDrawing; }
    void SetDefaultDrawing(bool value);

    // ---- Current cell, selection, scrolling ----
    int Col() const { return FCurrent.X; }
    void SetCol(int value);
    int Row() const { return FCurrent.Y; }
    void SetRow(int value);
    int LeftCol() const { return FTopLeft.X; }
    void SetLeftCol(int value);
    int TopRow() const { return FTopLeft.Y; }
    void SetTopRow(int value);
    // Scrolling cells wholly visible (at least 1 while there are any).
    int VisibleColCount() const;
    int VisibleRowCount() const;
    // The highlighted block; whole rows with goRowSelect. Moving the current
    // cell or the anchor makes it the block between the two again.
    TGridRect Selection() const;
    // Highlights the block and nothing else: the current cell and the anchor
    // stay, and nothing scrolls. A block outside the grid highlights nothing.
    void SetSelection(const TGridRect& value);
    TGridCoord Anchor() const { return FAnchor; }
    TGridOptions Options() const { return FOptions; }
    void SetOptions(TGridOptions value);
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle value);
    TGridState GridState() const { return FGridState; }

    // ---- Geometry ----
    // The cell's rectangle in the client area, cut at the client's right and
    // bottom edges; empty for a cell scrolled out of view.
    TRect CellRect(int ACol, int ARow) const;
    // The cell under a client point; (-1, -1) parts outside the cells.
    TGridCoord MouseCoord(int X, int Y) const;
    void MouseToCell(int X, int Y, int& ACol, int& ARow) const;
    // The pixel rectangle of a block of visible cells.
    TRect BoxRect(int ALeft, int ATop, int ARight, int ABottom) const;
    // Width and height of the painted cell area (at most the client area).
    int GridWidth() const;
    int GridHeight() const;
    TRect ClientRect() const override;

    // ---- Rows and columns ----
    void DeleteColumn(int ACol);
    void DeleteRow(int ARow);
    void InsertColumn(int ACol);
    void InsertRow(int ARow);
    // Many rows at once, in one pass, with one scroll-range update and one
    // repaint. DeleteRows keeps at least one row.
    void InsertRows(int ARow, int Count);
    void DeleteRows(int ARow, int Count);
    // Row First + i takes row Order[i] (a permutation of First .. First +
    // size - 1), with its height and data; the current cell stays on its row.
    void ReorderRows(int First, const std::vector<int>& Order);
    // Moves the column (row) and what belongs to it: its data (through the
    // MoveColumnData / MoveRowData step), width (height), the current cell,
    // anchor and selection; then the ColumnMoved (RowMoved) step, which only
    // notifies.
    void MoveColumn(int FromIndex, int ToIndex);
    void MoveRow(int FromIndex, int ToIndex);

    // Scales the column widths, row heights and default sizes by M / D.
    void ScaleBy(int M, int D);

    // ---- Inplace editor ----
    bool EditorMode() const { return FEditorMode; }
    void SetEditorMode(bool value);
    TInplaceEdit* InplaceEditor() const { return FInplaceEdit; }

    // ---- Repainting ----
    void InvalidateCell(int ACol, int ARow);
    void InvalidateCol(int ACol);
    void InvalidateRow(int ARow);
    void InvalidateGrid();
    void InvalidateEditor();
    using TWinControl::InvalidateRect;
    void InvalidateRect(const TGridRect& ARect);

    // ---- Events ----
    TFixedCellClickEvent OnFixedCellClick;
    TDragOverEvent OnDragOver;
    TMouseWheelUpDownEvent OnMouseWheelDown;
    TMouseWheelUpDownEvent OnMouseWheelUp;

protected:
    friend class TInplaceEdit;

    // ---- Virtual steps ----
    // Paints one visible cell; the base paints nothing.
    virtual void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState);
    // May the cell become current?
    virtual bool SelectCell(int ACol, int ARow);
    virtual void ColumnMoved(int FromIndex, int ToIndex);
    virtual void RowMoved(int FromIndex, int ToIndex);
    virtual void ColWidthsChanged();
    virtual void RowHeightsChanged();
    virtual void SizeChanged(int OldColCount, int OldRowCount);
    virtual void TopLeftChanged();
    virtual void FixedCellClick(int ACol, int ARow);
    // Data steps of row and column insertion, deletion, moving and
    // reordering; the base keeps no data. They run before the sizes move.
    virtual void DeleteColumnData(int ACol);
    virtual void DeleteRowsData(int ARow, int Count);
    virtual void InsertColumnData(int ACol);
    virtual void InsertRowsData(int ARow, int Count);
    virtual void MoveColumnData(int FromIndex, int ToIndex);
    virtual void MoveRowData(int FromIndex, int ToIndex);
    virtual void ReorderRowsData(int First, const std::vector<int>& Order);
    // A drag passes over the grid: OnDragOver decides; no handler refuses.
    virtual void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept);
    // The window is scaled by M / D (ScaleBy).
    virtual void ChangeScale(int M, int D);
    // What a left press at (X, Y) starts: gsColSizing or gsRowSizing with the
    // column (row), the pointer position and its offset from the border; else
    // gsNormal. A descendant may refuse or move the sizing; the pointer shape
    // over the grid follows the same answer.
    virtual void CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos, int& SizingOfs);

    // Editor protocol.
    virtual TInplaceEdit* CreateEditor();
    virtual bool CanEditShow();
    virtual bool CanEditModify();
    virtual bool CanEditAcceptKey(QChar Key);
    virtual bool CanGridAcceptKey(WORD Key, TShiftState Shift);
    virtual String GetEditText(int ACol, int ARow);
    virtual void SetEditText(int ACol, int ARow, const String& Value);
    virtual String GetEditMask(int ACol, int ARow);
    virtual int GetEditLimit();
    virtual void ShowEditor();
    virtual void HideEditor();
    virtual void ShowEditorChar(QChar Ch);
    // Writes the editor's text into the current cell (SetEditText) when it changed.
    virtual void UpdateText();
    // Places (or hides) the editor after a move, a scroll or a size change.
    virtual void UpdateEdit();

    // Moves of the current cell: may be refused by SelectCell; MoveAnchor
    // collapses the selection to the new cell; Show scrolls it into view.
    virtual void MoveColRow(int ACol, int ARow, bool MoveAnchor, bool Show);
    virtual void FocusCell(int ACol, int ARow, bool MoveAnchor);
    void MoveCurrent(int ACol, int ARow, bool MoveAnchor, bool Show);
    void MoveAnchor(const TGridCoord& NewAnchor);
    void MoveTopLeft(int ALeft, int ATop);
    // Scrolls so that the cell is wholly visible.
    void ClampInView(const TGridCoord& Coord);
    // The largest LeftCol and TopRow that still fill the client area.
    TGridCoord MaxTopLeft() const;

    // Scroll bars.
    virtual void ModifyScrollBar(int ScrollBar, int ScrollCode, int Pos, bool UseRightToLeft);
    void UpdateScrollRange();
    void UpdateScrollPos();

    // Control steps.
    void Paint() override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(QChar& Key) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;
    virtual bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos);
    virtual bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos);
    void Resize() override;
    void CreateWnd() override;

    // Message handlers.
    void WndProc(TMessage& Message) override;
    void WMChar(TWMKey& Message) override;
    void WMGetDlgCode(TWMGetDlgCode& Message) override;
    void WMSetFocus(TWMSetFocus& Message) override;
    void WMKillFocus(TWMKillFocus& Message) override;
    void WMSize(TWMSize& Message) override;
    void WMTimer(TWMTimer& Message) override;
    void WMHScroll(TWMScroll& Message) override;
    void WMVScroll(TWMScroll& Message) override;
    void WMCancelMode(TWMCancelMode& Message) override;
    void WMEraseBkgnd(TWMEraseBkgnd& Message) override;
    void CMFontChanged(TMessage& Message) override;
    void CMColorChanged(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;

    // Sizing and moving by mouse: what lies under a point of the fixed cells.
    // Index is the column (row) whose right (bottom) border is under the
    // point, Pos that border's pixel coordinate.
    bool IsColSizingPoint(int X, int Y, int& Index, int& Pos) const;
    bool IsRowSizingPoint(int X, int Y, int& Index, int& Pos) const;
    // Where a drag of the column (row) drops: the scrolling column (row) under the point.
    int MoveTargetCol(int X) const;
    int MoveTargetRow(int Y) const;

    // ---- State ----
    TGridState FGridState = gsNormal;
    TGridCoord FCurrent{1, 1};
    TGridCoord FAnchor{1, 1};
    TGridRect FSelection{1, 1, 1, 1};
    TGridCoord FTopLeft{1, 1};
    TInplaceEdit* FInplaceEdit = nullptr;   // owned as a component of the grid
    bool FEditorMode = false;
    // Column or row being sized: its index, the pointer's position and the
    // offset between the pointer and the border at the press.
    int FSizingIndex = -1;
    int FSizingPos = 0;
    int FSizingOfs = 0;
    // Column or row being moved: where it came from and where it would go.
    int FMoveIndex = -1;
    int FMovePos = -1;
    // The fixed cell under the pointer (goFixedHotTrack) and the one pressed.
    TGridCoord FHotTrackCell{-1, -1};
    TGridCoord FPressedCell{-1, -1};

private:
    // One axis of the grid as painted now: the cells along it, their sizes and
    // where the fixed and the scrolling ones lie in the client area.
    struct TAxis {
        const std::vector<int>* Sizes = nullptr;
        int LineWidth = 0;
        int Extent = 0;          // client width or height
        int Count = 0;
        int FixedCount = 0;
        int First = 0;           // LeftCol or TopRow
        int FixedBoundary = 0;   // end of the fixed cells (lines included)
        int LastFullVisible = 0; // last scrolling cell wholly inside the client area
        int LastVisible = 0;     // last scrolling cell at least partly inside it
        int GridBoundary = 0;    // end of the painted cells, at most Extent
        int Size(int i) const { return (*Sizes)[std::size_t(i)]; }
    };
    TAxis Axis(bool horizontal) const;
    int ScrollPosFor(bool horizontal) const;
    int CellFromScrollPos(bool horizontal, int pos) const;
    void ScrollStep(bool horizontal, int code, int pos);
    void SelectionMoved(const TGridRect& OldSel);
    // The selection becomes the block between the current cell and the anchor.
    void SelectionFromCurrent(const TGridRect& OldSel);
    // Row or column indexes shifted by an insertion, deletion or move.
    void ShiftCoords(bool horizontal, const std::function<int(int)>& Map);
    void FinishRowChange(int NewRowCount);
    void ChangeSize(int NewColCount, int NewRowCount);
    // The one body behind each column and row pair of the same name.
    void SetFixedCount(bool horizontal, int value);
    void MoveLine(bool horizontal, int FromIndex, int ToIndex);
    // A point on the border after a column (or row) in the fixed header across it.
    bool IsSizingPoint(bool horizontal, int along, int across, int& Index, int& Pos) const;
    int MoveTarget(bool horizontal, int pos) const;
    void ClampCurrent();
    void SyncScrollBars();
    void SetPointerCursor(TCursor cursor);
    void StartTimer();
    void StopTimer();
    void TimedScroll();
    bool CanRangeSelect() const;
    int LineWidthFor(bool horizontal) const;
    // Pixel start of a visible cell along an axis; false when it is not shown.
    bool CellStart(bool horizontal, int index, int& start) const;
    bool AxisSpan(bool horizontal, int from, int to, int& p0, int& p1) const;
    int CellAt(bool horizontal, int pos) const;
    TGridDrawState StateOf(int ACol, int ARow) const;
    void PaintCellLines(TCanvas& canvas, int ACol, int ARow, const TRect& r);

    int FColCount = 5;
    int FRowCount = 5;
    int FFixedCols = 1;
    int FFixedRows = 1;
    std::vector<int> FColWidths;
    std::vector<int> FRowHeights;
    int FDefaultColWidth = 64;
    int FDefaultRowHeight = 24;
    int FGridLineWidth = 1;
    TColor FFixedColor = clBtnFace;
    bool FDefaultDrawing = true;
    TGridOptions FOptions = DefaultGridOptions;
    TScrollStyle FScrollBars = ssBoth;
    bool FUpdatingScrollBars = false;
    TWindowScrollBars FBars{this};
    bool FTimerRunning = false;
    // The cell the editor was filled from, and the text it got.
    TGridCoord FEditCell{-1, -1};
    String FEditOrig;
};

// ---- TCustomDrawGrid -----------------------------------------------------------------
// Hands the steps to events: each visible cell to OnDrawCell, the may-select
// query to OnSelectCell, moves to OnColumnMoved and OnRowMoved, the editor's
// text to OnGetEditText, OnSetEditText and OnGetEditMask.
class TCustomDrawGrid : public TCustomGrid {
public:
    explicit TCustomDrawGrid(TComponent* AOwner);

    TDrawCellEvent OnDrawCell;
    TSelectCellEvent OnSelectCell;
    TMovedEvent OnColumnMoved;
    TMovedEvent OnRowMoved;
    TNotifyEvent OnTopLeftChanged;
    TGetEditEvent OnGetEditText;
    TSetEditEvent OnSetEditText;
    TGetEditEvent OnGetEditMask;

protected:
    void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
    bool SelectCell(int ACol, int ARow) override;
    void ColumnMoved(int FromIndex, int ToIndex) override;
    void RowMoved(int FromIndex, int ToIndex) override;
    void TopLeftChanged() override;
    String GetEditText(int ACol, int ARow) override;
    void SetEditText(int ACol, int ARow, const String& Value) override;
    String GetEditMask(int ACol, int ARow) override;
};

class TDrawGrid : public TCustomDrawGrid {
public:
    explicit TDrawGrid(TComponent* AOwner) : TCustomDrawGrid(AOwner) {}
};

// ---- TStringGrid ---------------------------------------------------------------------
// A draw grid with a text and an object slot per cell (the grid does not own
// the objects). The default drawing writes the cell's text; moves carry the
// cells along; the editor edits the cell's text.
class TStringGrid : public TDrawGrid {
public:
    explicit TStringGrid(TComponent* AOwner);
    ~TStringGrid() override;

    // Any non-negative cell, beyond the counts too; a negative one reads
    // empty and ignores writes.
    String Cells(int ACol, int ARow) const { return FStore.Text(ACol, ARow); }
    void SetCells(int ACol, int ARow, const String& value);
    TObject* Objects(int ACol, int ARow) const { return FStore.Object(ACol, ARow); }
    void SetObjects(int ACol, int ARow, TObject* value);
    // A row's (column's) texts and objects up to ColCount (RowCount).
    std::unique_ptr<TStringList> Rows(int ARow) const;
    void SetRows(int ARow, const TStringList& value);
    // The same for a row as wide as ACount cells: the cells of columns
    // beyond ColCount (hidden ones) travel with the row.
    std::unique_ptr<TStringList> Rows(int ARow, int ACount) const;
    void SetRows(int ARow, const TStringList& value, int ACount);
    std::unique_ptr<TStringList> Cols(int ACol) const;
    void SetCols(int ACol, const TStringList& value);

    const TGridCellStore& Store() const { return FStore; }

protected:
    // The store's text moved out of a cell or into it, without a repaint:
    // for rows carried away and back in bulk, repainted once by the caller.
    String TakeCellText(int ACol, int ARow) { return FStore.TakeText(ACol, ARow); }
    void PutCellText(int ACol, int ARow, String&& value) { FStore.SetText(ACol, ARow, std::move(value)); }
    void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
    String GetEditText(int ACol, int ARow) override;
    void SetEditText(int ACol, int ARow, const String& Value) override;
    void DeleteColumnData(int ACol) override;
    void DeleteRowsData(int ARow, int Count) override;
    void InsertColumnData(int ACol) override;
    void InsertRowsData(int ARow, int Count) override;
    void MoveColumnData(int FromIndex, int ToIndex) override;
    void MoveRowData(int FromIndex, int ToIndex) override;
    void ReorderRowsData(int First, const std::vector<int>& Order) override;

private:
    TGridCellStore FStore;
};

class TObjStringGrid : public TStringGrid {
public:
    explicit TObjStringGrid(TComponent* AOwner) : TStringGrid(AOwner) {}
};
