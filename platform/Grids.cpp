// The platform grid: the cell store, dimensions, geometry, the current cell
// and selection, row and column moves, and scrolling. Input is in
// GridsInput.cpp, painting and the draw and string grids in GridsPaint.cpp.
#include "platform/Grids.h"


#include <algorithm>
#include <utility>

namespace {

const char* const IndexOutOfRange = "Grid index out of range";
constexpr int ScrollBarSize = TWindowScrollBars::Size;
constexpr int ScrollRange = 127;

void CheckIndex(int index, int count)
{
    if (index < 0 || index >= count) throw EInvalidGridOperation(QString::fromLatin1(IndexOutOfRange));
}

// The width of a column or height of a row; the default outside the grid.
int SizeAt(const std::vector<int>& sizes, int count, int index, int fallback)
{
    return index >= 0 && index < count ? sizes[std::size_t(index)] : fallback;
}

// Sets one column's width or row's height, never below 0; false when it was that already.
bool StoreSize(std::vector<int>& sizes, int count, int index, int value)
{
    CheckIndex(index, count);
    value = std::max(0, value);
    int& slot = sizes[std::size_t(index)];
    if (slot == value) return false;
    slot = value;
    return true;
}

// A new default size, which every column (or row) takes at once.
void ResetSizes(std::vector<int>& sizes, int& fallback, int value)
{
    fallback = std::max(0, value);
    std::fill(sizes.begin(), sizes.end(), fallback);
}

// Where a cell lands when another one moves from `from` to `to`.
int MovedIndex(int v, int from, int to)
{
    if (v == from) return to;
    if (from < to && v > from && v <= to) return v - 1;
    if (from > to && v >= to && v < from) return v + 1;
    return v;
}

template <class T>
void MoveItem(std::vector<T>& list, int from, int to)
{
    if (from == to) return;
    auto f = list.begin() + from;
    auto t = list.begin() + to;
    if (from < to) std::rotate(f, f + 1, t + 1);
    else std::rotate(t, f, f + 1);
}

int RoundDiv(long long num, long long den)
{
    if (den == 0) return 0;
    return int((2 * num + den) / (2 * den));
}

} // namespace

// ---- TGridCellStore ---------------------------------------------------------------
const TGridCellStore::Cell* TGridCellStore::Find(int ACol, int ARow) const
{
    if (ACol < 0 || ARow < 0 || ARow >= int(FRows.size())) return nullptr;
    const Row& row = FRows[std::size_t(ARow)];
    return ACol < int(row.size()) ? &row[std::size_t(ACol)] : nullptr;
}

TGridCellStore::Cell& TGridCellStore::Touch(int ACol, int ARow)
{
    if (ARow >= MaxRows || ACol >= MaxCols) throw EInvalidGridOperation(QString::fromLatin1(IndexOutOfRange));
    if (ARow >= int(FRows.size())) FRows.resize(std::size_t(ARow) + 1);
    Row& row = FRows[std::size_t(ARow)];
    if (ACol >= int(row.size())) {
        // Rows of a table are alike: one allocation per row instead of a growing one.
        FWidest = std::max(FWidest, ACol + 1);
        if (row.capacity() < std::size_t(ACol) + 1) row.reserve(std::size_t(FWidest));
        row.resize(std::size_t(ACol) + 1);
    }
    return row[std::size_t(ACol)];
}

String TGridCellStore::Text(int ACol, int ARow) const
{
    const Cell* c = Find(ACol, ARow);
    return c ? c->Text : String();
}

void TGridCellStore::SetText(int ACol, int ARow, const String& value)
{
    if (ACol < 0 || ARow < 0) return;
    // An empty text where nothing was stored stays unstored.
    if (value.isEmpty() && !Find(ACol, ARow)) return;
    Touch(ACol, ARow).Text = value;
}

void TGridCellStore::SetText(int ACol, int ARow, String&& value)
{
    if (ACol < 0 || ARow < 0) return;
    if (value.isEmpty() && !Find(ACol, ARow)) return;
    Touch(ACol, ARow).Text = std::move(value);
}

String TGridCellStore::TakeText(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0 || ARow >= int(FRows.size())) return String();
    Row& row = FRows[std::size_t(ARow)];
    return ACol < int(row.size()) ? std::exchange(row[std::size_t(ACol)].Text, String()) : String();
}

TObject* TGridCellStore::Object(int ACol, int ARow) const
{
    const Cell* c = Find(ACol, ARow);
    return c ? c->Object : nullptr;
}

void TGridCellStore::SetObject(int ACol, int ARow, TObject* value)
{
    if (ACol < 0 || ARow < 0) return;
    if (!value && !Find(ACol, ARow)) return;
    Touch(ACol, ARow).Object = value;
}

int TGridCellStore::ColCapacity(int ARow) const
{
    return ARow >= 0 && ARow < int(FRows.size()) ? int(FRows[std::size_t(ARow)].size()) : 0;
}

void TGridCellStore::DeleteRows(int ARow, int Count)
{
    const int kept = int(FRows.size());
    if (ARow < 0 || Count <= 0 || ARow >= kept) return;
    const int end = Count >= kept - ARow ? kept : ARow + Count;
    FRows.erase(FRows.begin() + ARow, FRows.begin() + end);
}

void TGridCellStore::InsertRows(int ARow, int Count)
{
    const int kept = int(FRows.size());
    if (ARow < 0 || Count <= 0 || ARow >= kept) return;
    if (Count > MaxRows - kept) throw EInvalidGridOperation(QString::fromLatin1(IndexOutOfRange));
    FRows.insert(FRows.begin() + ARow, std::size_t(Count), Row());
}

void TGridCellStore::ReorderRows(int First, const std::vector<int>& Order)
{
    const int n = int(Order.size());
    if (First < 0 || n == 0) return;
    const int kept = int(FRows.size());
    if (First >= kept) return;   // none of the rows holds anything
    if (First + n > kept) FRows.resize(std::size_t(First + n));
    std::vector<Row> moved(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) moved[std::size_t(i)] = std::move(FRows[std::size_t(Order[std::size_t(i)])]);
    std::move(moved.begin(), moved.end(), FRows.begin() + First);
}

void TGridCellStore::DeleteColumn(int ACol)
{
    if (ACol < 0) return;
    for (Row& row : FRows) {
        if (ACol < int(row.size())) row.erase(row.begin() + ACol);
    }
}

void TGridCellStore::InsertColumn(int ACol)
{
    if (ACol < 0) return;
    for (Row& row : FRows) {
        if (ACol < int(row.size())) row.insert(row.begin() + ACol, Cell());
    }
}

void TGridCellStore::MoveRow(int from, int to)
{
    if (from < 0 || to < 0 || from == to) return;
    const int need = std::max(from, to) + 1;
    if (int(FRows.size()) < need) {
        if (need > MaxRows) throw EInvalidGridOperation(QString::fromLatin1(IndexOutOfRange));
        FRows.resize(std::size_t(need));
    }
    MoveItem(FRows, from, to);
}

void TGridCellStore::MoveColumn(int from, int to)
{
    if (from < 0 || to < 0 || from == to) return;
    const int need = std::max(from, to) + 1;
    if (need > MaxCols) throw EInvalidGridOperation(QString::fromLatin1(IndexOutOfRange));
    for (Row& row : FRows) {
        if (row.empty()) continue;
        if (int(row.size()) < need) row.resize(std::size_t(need));
        MoveItem(row, from, to);
    }
}

// ---- TCustomGrid: construction and dimensions --------------------------------------

TCustomGrid::TCustomGrid(TComponent* AOwner) : TCustomControl(AOwner)
{
    FControlStyle = TControlStyle{csCaptureMouse, csOpaque, csDoubleClicks};
    FColWidths.assign(std::size_t(FColCount), FDefaultColWidth);
    FRowHeights.assign(std::size_t(FRowCount), FDefaultRowHeight);
    SetColor(clWindow);
    SetParentColor(false);
    SetTabStop(true);
    SetBounds(0, 0, 320, 120);
}

TCustomGrid::~TCustomGrid()
{
    StopTimer();
}

void TCustomGrid::SetColCount(int value)
{
    value = std::max(1, value);
    if (value != FColCount) ChangeSize(value, FRowCount);
}

void TCustomGrid::SetRowCount(int value)
{
    value = std::max(1, value);
    if (value != FRowCount) ChangeSize(FColCount, value);
}

void TCustomGrid::ChangeSize(int NewColCount, int NewRowCount)
{
    const int oldCols = FColCount;
    const int oldRows = FRowCount;
    FColWidths.resize(std::size_t(NewColCount), FDefaultColWidth);
    FRowHeights.resize(std::size_t(NewRowCount), FDefaultRowHeight);
    const bool parked = FSelection.Left >= oldCols || FSelection.Top >= oldRows;
    FColCount = NewColCount;
    FRowCount = NewRowCount;
    // Fixed cells always leave at least one scrolling cell.
    FFixedCols = std::min(FFixedCols, FColCount - 1);
    FFixedRows = std::min(FFixedRows, FRowCount - 1);
    ClampCurrent();
    // A selection parked outside the grid stays outside it; one cut off by
    // the new counts shrinks, and one wholly beyond them falls back to the
    // current cell.
    if (parked) FSelection = {FColCount, FRowCount, FColCount, FRowCount};
    else if (FSelection.Left >= FColCount || FSelection.Top >= FRowCount) FSelection = GridRect(FCurrent, FAnchor);
    else {
        FSelection.Right = std::min(FSelection.Right, FColCount - 1);
        FSelection.Bottom = std::min(FSelection.Bottom, FRowCount - 1);
    }
    UpdateScrollRange();
    InvalidateGrid();
    SizeChanged(oldCols, oldRows);
    UpdateEdit();
}

void TCustomGrid::ClampCurrent()
{
    auto clampCoord = [this](TGridCoord& c) {
        c.X = std::clamp(c.X, FFixedCols, FColCount - 1);
        c.Y = std::clamp(c.Y, FFixedRows, FRowCount - 1);
    };
    clampCoord(FCurrent);
    clampCoord(FAnchor);
    clampCoord(FTopLeft);
    if (FEditCell.X >= FColCount || FEditCell.Y >= FRowCount) FEditCell = {-1, -1};
}

void TCustomGrid::SetFixedCount(bool horizontal, int value)
{
    if (value < 0 || value >= (horizontal ? FColCount : FRowCount))
        throw EInvalidGridOperation(horizontal ? QStringLiteral("Fixed column count must be less than column count")
                                               : QStringLiteral("Fixed row count must be less than row count"));
    int& fixed = horizontal ? FFixedCols : FFixedRows;
    if (value == fixed) return;
    fixed = value;
    (horizontal ? FTopLeft.X : FTopLeft.Y) = value;
    ClampCurrent();
    FSelection = GridRect(FCurrent, FAnchor);
    UpdateScrollRange();
    InvalidateGrid();
    UpdateEdit();
}

void TCustomGrid::SetFixedCols(int value)
{
    SetFixedCount(true, value);
}

void TCustomGrid::SetFixedRows(int value)
{
    SetFixedCount(false, value);
}

int TCustomGrid::ColWidths(int index) const
{
    return SizeAt(FColWidths, FColCount, index, FDefaultColWidth);
}

void TCustomGrid::SetColWidths(int index, int value)
{
    if (StoreSize(FColWidths, FColCount, index, value)) ColWidthsChanged();
}

int TCustomGrid::RowHeights(int index) const
{
    return SizeAt(FRowHeights, FRowCount, index, FDefaultRowHeight);
}

void TCustomGrid::SetRowHeights(int index, int value)
{
    if (StoreSize(FRowHeights, FRowCount, index, value)) RowHeightsChanged();
}

void TCustomGrid::SetDefaultColWidth(int value)
{
    ResetSizes(FColWidths, FDefaultColWidth, value);
    ColWidthsChanged();
}

void TCustomGrid::SetDefaultRowHeight(int value)
{
    ResetSizes(FRowHeights, FDefaultRowHeight, value);
    RowHeightsChanged();
}

void TCustomGrid::SetGridLineWidth(int value)
{
    value = std::max(0, value);
    if (value == FGridLineWidth) return;
    FGridLineWidth = value;
    UpdateScrollRange();
    InvalidateGrid();
    UpdateEdit();
}

void TCustomGrid::SetFixedColor(TColor value)
{
    if (value == FFixedColor) return;
    FFixedColor = value;
    InvalidateGrid();
}

void TCustomGrid::SetDefaultDrawing(bool value)
{
    if (value == FDefaultDrawing) return;
    FDefaultDrawing = value;
    InvalidateGrid();
}

void TCustomGrid::SetOptions(TGridOptions value)
{
    if (value == FOptions) return;
    const bool editing = value.Contains(goEditing) && !value.Contains(goRowSelect);
    FOptions = value;
    if (!editing) HideEditor();
    else if (FOptions.Contains(goAlwaysShowEditor)) SetEditorMode(true);
    // Row selection spans whole rows: the anchor and the current cell share the row range.
    UpdateScrollRange();
    InvalidateGrid();
}

void TCustomGrid::SetScrollBars(TScrollStyle value)
{
    if (value == FScrollBars) return;
    FScrollBars = value;
    UpdateScrollRange();
}

// ---- Geometry ----------------------------------------------------------------------------
int TCustomGrid::LineWidthFor(bool horizontal) const
{
    const bool lines = horizontal ? (FOptions.Contains(goFixedVertLine) || FOptions.Contains(goVertLine))
                                  : (FOptions.Contains(goFixedHorzLine) || FOptions.Contains(goHorzLine));
    return lines ? FGridLineWidth : 0;
}

TCustomGrid::TAxis TCustomGrid::Axis(bool horizontal) const
{
    TAxis a;
    a.Sizes = horizontal ? &FColWidths : &FRowHeights;
    a.LineWidth = LineWidthFor(horizontal);
    const TRect client = ClientRect();
    a.Extent = horizontal ? client.Width() : client.Height();
    a.Count = horizontal ? FColCount : FRowCount;
    a.FixedCount = horizontal ? FFixedCols : FFixedRows;
    a.First = horizontal ? FTopLeft.X : FTopLeft.Y;
    int pos = 0;
    for (int i = 0; i < a.FixedCount; ++i) pos += a.Size(i) + a.LineWidth;
    a.FixedBoundary = pos;
    a.LastFullVisible = a.First - 1;
    a.LastVisible = a.First - 1;
    for (int i = a.First; i < a.Count && pos < a.Extent; ++i) {
        if (pos + a.Size(i) <= a.Extent) a.LastFullVisible = i;
        a.LastVisible = i;
        pos += a.Size(i) + a.LineWidth;
    }
    a.GridBoundary = std::min(pos, a.Extent);
    return a;
}

bool TCustomGrid::CellStart(bool horizontal, int index, int& start) const
{
    const TAxis a = Axis(horizontal);
    if (index < 0 || index >= a.Count) return false;
    int pos = 0;
    if (index < a.FixedCount) {
        for (int i = 0; i < index; ++i) pos += a.Size(i) + a.LineWidth;
    } else {
        if (index < a.First || index > a.LastVisible) return false;
        pos = a.FixedBoundary;
        for (int i = a.First; i < index; ++i) pos += a.Size(i) + a.LineWidth;
    }
    if (pos >= a.Extent) return false;
    start = pos;
    return true;
}

int TCustomGrid::CellAt(bool horizontal, int pos) const
{
    const TAxis a = Axis(horizontal);
    if (pos < 0 || pos >= a.GridBoundary) return -1;
    int p = 0;
    for (int i = 0; i < a.FixedCount; ++i) {
        p += a.Size(i) + a.LineWidth;
        if (pos < p) return i;
    }
    for (int i = a.First; i <= a.LastVisible; ++i) {
        p += a.Size(i) + a.LineWidth;
        if (pos < p) return i;
    }
    return -1;
}

TRect TCustomGrid::ClientRect() const
{
    const int w = Width() - (IsScrollBarVisible(this, SB_VERT) ? ScrollBarSize : 0);
    const int h = Height() - (IsScrollBarVisible(this, SB_HORZ) ? ScrollBarSize : 0);
    return {0, 0, std::max(0, w), std::max(0, h)};
}

TRect TCustomGrid::CellRect(int ACol, int ARow) const
{
    int x = 0, y = 0;
    if (!CellStart(true, ACol, x) || !CellStart(false, ARow, y)) return {};
    const TRect client = ClientRect();
    return {x, y, std::min(x + ColWidths(ACol), client.Right), std::min(y + RowHeights(ARow), client.Bottom)};
}

TGridCoord TCustomGrid::MouseCoord(int X, int Y) const
{
    TGridCoord c{CellAt(true, X), CellAt(false, Y)};
    if (c.X < 0 || c.Y < 0) return {-1, -1};
    return c;
}

void TCustomGrid::MouseToCell(int X, int Y, int& ACol, int& ARow) const
{
    const TGridCoord c = MouseCoord(X, Y);
    ACol = c.X;
    ARow = c.Y;
}

bool TCustomGrid::AxisSpan(bool horizontal, int from, int to, int& p0, int& p1) const
{
    const TAxis a = Axis(horizontal);
    from = std::max(from, 0);
    to = std::min(to, a.Count - 1);
    if (from > to) return false;
    // The first and last cells of [from, to] that are on screen, in screen order.
    int first = -1, last = -1;
    if (from < a.FixedCount) first = from;
    else if (from < a.First) first = a.First <= to ? a.First : -1;
    else first = from <= a.LastVisible ? from : -1;
    if (to >= a.First) last = std::min(to, a.LastVisible);
    else if (to >= a.FixedCount) last = a.FixedCount - 1;
    else last = to;
    if (first < 0 || last < 0 || last < from) return false;
    if (last >= a.FixedCount && last < a.First) return false;
    int s0 = 0, s1 = 0;
    if (!CellStart(horizontal, first, s0) || !CellStart(horizontal, last, s1)) return false;
    if (s1 < s0) return false;
    p0 = s0;
    p1 = std::min(s1 + a.Size(last) + a.LineWidth, a.Extent);
    return true;
}

TRect TCustomGrid::BoxRect(int ALeft, int ATop, int ARight, int ABottom) const
{
    int x0 = 0, x1 = 0, y0 = 0, y1 = 0;
    if (!AxisSpan(true, std::min(ALeft, ARight), std::max(ALeft, ARight), x0, x1)) return {};
    if (!AxisSpan(false, std::min(ATop, ABottom), std::max(ATop, ABottom), y0, y1)) return {};
    return {x0, y0, x1, y1};
}

int TCustomGrid::GridWidth() const
{
    return Axis(true).GridBoundary;
}

int TCustomGrid::GridHeight() const
{
    return Axis(false).GridBoundary;
}

int TCustomGrid::VisibleColCount() const
{
    const TAxis a = Axis(true);
    const int n = a.LastFullVisible - a.First + 1;
    return std::max(n, a.Count > a.FixedCount ? 1 : 0);
}

int TCustomGrid::VisibleRowCount() const
{
    const TAxis a = Axis(false);
    const int n = a.LastFullVisible - a.First + 1;
    return std::max(n, a.Count > a.FixedCount ? 1 : 0);
}

TGridCoord TCustomGrid::MaxTopLeft() const
{
    auto maxFirst = [this](bool horizontal) {
        const TAxis a = Axis(horizontal);
        const int avail = a.Extent - a.FixedBoundary;
        int first = a.Count;
        int used = 0;
        while (first - 1 >= a.FixedCount) {
            const int need = used + a.Size(first - 1);
            if (need > avail) break;
            used = need + a.LineWidth;
            --first;
        }
        if (first == a.Count) first = a.Count - 1;
        return std::max(first, a.FixedCount);
    };
    return {maxFirst(true), maxFirst(false)};
}

// ---- Current cell, anchor, selection ---------------------------------------------------
bool TCustomGrid::CanRangeSelect() const
{
    // While cells are edited a drag moves the current cell instead.
    return FOptions.Contains(goRangeSelect) && !FOptions.Contains(goEditing);
}

TGridRect TCustomGrid::Selection() const
{
    TGridRect r = FSelection;
    if (FOptions.Contains(goRowSelect) && r.Left < FColCount) {
        r.Left = FFixedCols;
        r.Right = FColCount - 1;
    }
    return r;
}

void TCustomGrid::SetSelection(const TGridRect& value)
{
    const TGridRect old = Selection();
    FSelection = GridRect(value.TopLeft(), value.BottomRight());
    SelectionMoved(old);
}

void TCustomGrid::SelectionFromCurrent(const TGridRect& OldSel)
{
    FSelection = GridRect(FCurrent, FAnchor);
    SelectionMoved(OldSel);
}

void TCustomGrid::SelectionMoved(const TGridRect& OldSel)
{
    if (!HandleAllocated()) return;
    InvalidateRect(OldSel);
    InvalidateRect(Selection());
}

void TCustomGrid::SetCol(int value)
{
    if (value != FCurrent.X) FocusCell(value, FCurrent.Y, true);
}

void TCustomGrid::SetRow(int value)
{
    if (value != FCurrent.Y) FocusCell(FCurrent.X, value, true);
}

void TCustomGrid::MoveCurrent(int ACol, int ARow, bool MoveAnchor, bool Show)
{
    if (ACol < 0 || ARow < 0 || ACol >= FColCount || ARow >= FRowCount)
        throw EInvalidGridOperation(QString::fromLatin1(IndexOutOfRange));
    if (!SelectCell(ACol, ARow)) return;
    const TGridRect old = Selection();
    const bool moved = ACol != FCurrent.X || ARow != FCurrent.Y;
    if (moved) {
        // The text typed so far belongs to the cell being left.
        UpdateText();
        if (!FOptions.Contains(goAlwaysShowEditor)) HideEditor();
    }
    FCurrent = {ACol, ARow};
    if (MoveAnchor || !CanRangeSelect()) FAnchor = FCurrent;
    if (Show) ClampInView(FCurrent);
    SelectionFromCurrent(old);
}

void TCustomGrid::MoveAnchor(const TGridCoord& NewAnchor)
{
    if (!CanRangeSelect()) {
        MoveCurrent(NewAnchor.X, NewAnchor.Y, true, true);
        return;
    }
    const TGridRect old = Selection();
    FAnchor = {std::clamp(NewAnchor.X, FFixedCols, FColCount - 1), std::clamp(NewAnchor.Y, FFixedRows, FRowCount - 1)};
    ClampInView(FAnchor);
    SelectionFromCurrent(old);
}

void TCustomGrid::MoveColRow(int ACol, int ARow, bool MoveAnchor, bool Show)
{
    MoveCurrent(ACol, ARow, MoveAnchor, Show);
    UpdateEdit();
    Click();
}

void TCustomGrid::FocusCell(int ACol, int ARow, bool MoveAnchor)
{
    MoveColRow(ACol, ARow, MoveAnchor, true);
}

void TCustomGrid::ClampInView(const TGridCoord& Coord)
{
    if (!HandleAllocated() && (Width() == 0 || Height() == 0)) return;
    auto firstFor = [this](bool horizontal, int index) {
        const TAxis a = Axis(horizontal);
        if (index < a.FixedCount) return a.First;
        if (index < a.First) return index;
        if (index <= a.LastFullVisible) return a.First;
        // Scroll until the cell is the last wholly visible one.
        const int avail = a.Extent - a.FixedBoundary;
        int first = index;
        int used = a.Size(index);
        while (first - 1 >= a.FixedCount && used + a.LineWidth + a.Size(first - 1) <= avail) {
            used += a.LineWidth + a.Size(first - 1);
            --first;
        }
        return std::max(first, a.FixedCount);
    };
    MoveTopLeft(firstFor(true, Coord.X), firstFor(false, Coord.Y));
}

void TCustomGrid::SetLeftCol(int value)
{
    value = std::clamp(value, FFixedCols, FColCount - 1);
    MoveTopLeft(value, FTopLeft.Y);
}

void TCustomGrid::SetTopRow(int value)
{
    value = std::clamp(value, FFixedRows, FRowCount - 1);
    MoveTopLeft(FTopLeft.X, value);
}

void TCustomGrid::MoveTopLeft(int ALeft, int ATop)
{
    if (ALeft == FTopLeft.X && ATop == FTopLeft.Y) return;
    FTopLeft = {ALeft, ATop};
    InvalidateGrid();
    UpdateScrollPos();
    TopLeftChanged();
}

// ---- Rows and columns --------------------------------------------------------------------
void TCustomGrid::ShiftCoords(bool horizontal, const std::function<int(int)>& Map)
{
    int TGridCoord::*along = horizontal ? &TGridCoord::X : &TGridCoord::Y;
    FCurrent.*along = Map(FCurrent.*along);
    FAnchor.*along = Map(FAnchor.*along);
    // A selection parked outside the grid is left where it is.
    if (FSelection.Left >= FColCount || FSelection.Top >= FRowCount) return;
    TGridRect& sel = FSelection;
    int& lo = horizontal ? sel.Left : sel.Top;
    int& hi = horizontal ? sel.Right : sel.Bottom;
    const int a = Map(lo);
    const int b = Map(hi);
    lo = std::min(a, b);
    hi = std::max(a, b);
}

void TCustomGrid::DeleteColumn(int ACol)
{
    CheckIndex(ACol, FColCount);
    HideEditor();
    DeleteColumnData(ACol);
    FColWidths.erase(FColWidths.begin() + ACol);
    FColWidths.push_back(FDefaultColWidth);
    ShiftCoords(true, [ACol](int v) { return v > ACol ? v - 1 : v; });
    if (FColCount > 1) ChangeSize(FColCount - 1, FRowCount);
    else ColWidthsChanged();
}

void TCustomGrid::InsertColumn(int ACol)
{
    CheckIndex(ACol, FColCount + 1);   // one past the last appends
    HideEditor();
    InsertColumnData(ACol);
    FColWidths.insert(FColWidths.begin() + ACol, FDefaultColWidth);
    const int fixed = FFixedCols;
    ShiftCoords(true, [ACol, fixed](int v) { return v >= ACol && ACol >= fixed ? v + 1 : v; });
    ChangeSize(FColCount + 1, FRowCount);
}

void TCustomGrid::DeleteRow(int ARow)
{
    DeleteRows(ARow, 1);
}

void TCustomGrid::InsertRow(int ARow)
{
    InsertRows(ARow, 1);
}

void TCustomGrid::DeleteRows(int ARow, int Count)
{
    CheckIndex(ARow, FRowCount);
    if (Count <= 0) return;
    Count = std::min(Count, FRowCount - ARow);
    HideEditor();
    DeleteRowsData(ARow, Count);
    FRowHeights.erase(FRowHeights.begin() + ARow, FRowHeights.begin() + ARow + Count);
    FRowHeights.insert(FRowHeights.end(), std::size_t(Count), FDefaultRowHeight);
    // Cells below the deleted rows move up; those on them stay at the place.
    const int newCount = std::max(1, FRowCount - Count);
    ShiftCoords(false, [ARow, Count, newCount](int v) {
        if (v >= ARow + Count) return v - Count;
        return v >= ARow ? std::min(ARow, newCount - 1) : v;
    });
    FinishRowChange(newCount);
}

void TCustomGrid::InsertRows(int ARow, int Count)
{
    CheckIndex(ARow, FRowCount + 1);   // one past the last appends
    if (Count <= 0) return;
    if (Count > TGridCellStore::MaxRows - FRowCount) throw EInvalidGridOperation(QString::fromLatin1(IndexOutOfRange));
    HideEditor();
    InsertRowsData(ARow, Count);
    FRowHeights.insert(FRowHeights.begin() + ARow, std::size_t(Count), FDefaultRowHeight);
    const int fixed = FFixedRows;
    ShiftCoords(false, [ARow, Count, fixed](int v) { return v >= ARow && ARow >= fixed ? v + Count : v; });
    FinishRowChange(FRowCount + Count);
}

void TCustomGrid::ReorderRows(int First, const std::vector<int>& Order)
{
    const int n = int(Order.size());
    if (n == 0) return;
    if (First < 0 || First + n > FRowCount) throw EInvalidGridOperation(QString::fromLatin1(IndexOutOfRange));
    // Order must name each row of the block once.
    std::vector<int> newIndex(std::size_t(n), -1);
    for (int i = 0; i < n; ++i) {
        const int from = Order[std::size_t(i)] - First;
        if (from < 0 || from >= n || newIndex[std::size_t(from)] >= 0)
            throw EInvalidGridOperation(QString::fromLatin1(IndexOutOfRange));
        newIndex[std::size_t(from)] = First + i;
    }
    UpdateText();
    ReorderRowsData(First, Order);
    std::vector<int> heights(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) heights[std::size_t(i)] = FRowHeights[std::size_t(Order[std::size_t(i)])];
    std::copy(heights.begin(), heights.end(), FRowHeights.begin() + First);
    ShiftCoords(false, [&](int v) { return v >= First && v < First + n ? newIndex[std::size_t(v - First)] : v; });
    ClampCurrent();
    UpdateScrollRange();
    InvalidateGrid();
    UpdateEdit();
}

void TCustomGrid::FinishRowChange(int NewRowCount)
{
    if (NewRowCount != FRowCount) ChangeSize(FColCount, NewRowCount);
    else RowHeightsChanged();
}

void TCustomGrid::DeleteColumnData(int) {}
void TCustomGrid::DeleteRowsData(int, int) {}
void TCustomGrid::InsertColumnData(int) {}
void TCustomGrid::InsertRowsData(int, int) {}
void TCustomGrid::MoveColumnData(int, int) {}
void TCustomGrid::MoveRowData(int, int) {}
void TCustomGrid::ReorderRowsData(int, const std::vector<int>&) {}

void TCustomGrid::MoveLine(bool horizontal, int FromIndex, int ToIndex)
{
    const int count = horizontal ? FColCount : FRowCount;
    CheckIndex(FromIndex, count);
    CheckIndex(ToIndex, count);
    if (FromIndex == ToIndex) return;
    UpdateText();
    // Data and sizes move here together, so a moved step that is overridden
    // without calling inherited cannot part them.
    if (horizontal) MoveColumnData(FromIndex, ToIndex);
    else MoveRowData(FromIndex, ToIndex);
    MoveItem(horizontal ? FColWidths : FRowHeights, FromIndex, ToIndex);
    ShiftCoords(horizontal, [FromIndex, ToIndex](int v) { return MovedIndex(v, FromIndex, ToIndex); });
    ClampCurrent();
    if (horizontal) ColumnMoved(FromIndex, ToIndex);
    else RowMoved(FromIndex, ToIndex);
    UpdateScrollRange();
    InvalidateGrid();
    UpdateEdit();
}

void TCustomGrid::MoveColumn(int FromIndex, int ToIndex)
{
    MoveLine(true, FromIndex, ToIndex);
}

void TCustomGrid::MoveRow(int FromIndex, int ToIndex)
{
    MoveLine(false, FromIndex, ToIndex);
}

void TCustomGrid::ScaleBy(int M, int D)
{
    ChangeScale(M, D);
}

void TCustomGrid::ChangeScale(int M, int D)
{
    if (M == D || D == 0) return;
    auto scale = [M, D](int v) { return std::max(0, int((long long)v * M / D)); };
    FDefaultColWidth = scale(FDefaultColWidth);
    FDefaultRowHeight = scale(FDefaultRowHeight);
    for (int& w : FColWidths) w = scale(w);
    for (int& h : FRowHeights) h = scale(h);
    ColWidthsChanged();
    RowHeightsChanged();
}

void TCustomGrid::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept)
{
    Accept = false;
    if (!OnDragOver) return;
    Accept = true;
    OnDragOver(this, Source, X, Y, State, Accept);
}

// ---- The virtual steps' base behaviour ------------------------------------------------------
void TCustomGrid::DrawCell(int, int, const TRect&, TGridDrawState) {}

bool TCustomGrid::SelectCell(int, int)
{
    return true;
}

void TCustomGrid::ColumnMoved(int, int) {}
void TCustomGrid::RowMoved(int, int) {}

void TCustomGrid::ColWidthsChanged()
{
    UpdateScrollRange();
    InvalidateGrid();
    UpdateEdit();
}

void TCustomGrid::RowHeightsChanged()
{
    UpdateScrollRange();
    InvalidateGrid();
    UpdateEdit();
}

void TCustomGrid::SizeChanged(int, int) {}

void TCustomGrid::TopLeftChanged()
{
    UpdateEdit();
}

void TCustomGrid::FixedCellClick(int ACol, int ARow)
{
    if (OnFixedCellClick) OnFixedCellClick(this, ACol, ARow);
}

// ---- Repainting ------------------------------------------------------------------------------
void TCustomGrid::InvalidateCell(int ACol, int ARow)
{
    if (!HandleAllocated() || ACol < 0 || ARow < 0 || ACol >= FColCount || ARow >= FRowCount) return;
    // Most cells written are off screen: a short walk down from the top row
    // tells, before the geometry is worked out.
    if (ARow >= FFixedRows) {
        if (ARow < FTopLeft.Y) return;
        const int height = ClientHeight();
        const int lineWidth = LineWidthFor(false);
        int y = 0;
        for (int r = FTopLeft.Y; r < ARow && y < height; ++r) y += FRowHeights[std::size_t(r)] + lineWidth;
        if (y >= height) return;
    }
    InvalidateRect(TGridRect{ACol, ARow, ACol, ARow});
}

void TCustomGrid::InvalidateCol(int ACol)
{
    if (HandleAllocated()) InvalidateRect(TGridRect{ACol, 0, ACol, FRowCount - 1});
}

void TCustomGrid::InvalidateRow(int ARow)
{
    if (HandleAllocated()) InvalidateRect(TGridRect{0, ARow, FColCount - 1, ARow});
}

void TCustomGrid::InvalidateGrid()
{
    Invalidate();
}

void TCustomGrid::InvalidateRect(const TGridRect& ARect)
{
    if (!HandleAllocated()) return;
    const TRect r = BoxRect(ARect.Left, ARect.Top, ARect.Right, ARect.Bottom);
    if (!r.IsEmpty()) TWinControl::InvalidateRect(r);
}

// ---- Scroll bars -------------------------------------------------------------------------------
int TCustomGrid::ScrollPosFor(bool horizontal) const
{
    const TGridCoord max = MaxTopLeft();
    const int fixed = horizontal ? FFixedCols : FFixedRows;
    const int last = horizontal ? max.X : max.Y;
    const int first = horizontal ? FTopLeft.X : FTopLeft.Y;
    if (last <= fixed) return 0;
    return std::clamp(RoundDiv((long long)(first - fixed) * ScrollRange, last - fixed), 0, ScrollRange);
}

int TCustomGrid::CellFromScrollPos(bool horizontal, int pos) const
{
    const TGridCoord max = MaxTopLeft();
    const int fixed = horizontal ? FFixedCols : FFixedRows;
    const int last = horizontal ? max.X : max.Y;
    if (last <= fixed) return fixed;
    return fixed + RoundDiv((long long)std::clamp(pos, 0, ScrollRange) * (last - fixed), ScrollRange);
}

void TCustomGrid::UpdateScrollRange()
{
    if (FUpdatingScrollBars) return;
    FUpdatingScrollBars = true;
    const bool wantsVert = FScrollBars == ssVertical || FScrollBars == ssBoth;
    const bool wantsHorz = FScrollBars == ssHorizontal || FScrollBars == ssBoth;
    // A bar that shows takes room from the other direction: look twice.
    for (int pass = 0; pass < 2; ++pass) {
        const TGridCoord max = MaxTopLeft();
        ShowScrollBar(this, SB_VERT, wantsVert && max.Y > FFixedRows);
        ShowScrollBar(this, SB_HORZ, wantsHorz && max.X > FFixedCols);
    }
    // Positions stay 0 .. ScrollRange; the page is the share of the scrolling
    // cells in view, so the thumb is as long as the part of the grid it shows.
    for (bool horizontal : {true, false}) {
        const int bar = horizontal ? SB_HORZ : SB_VERT;
        if (!IsScrollBarVisible(this, bar)) continue;
        const TGridCoord max = MaxTopLeft();
        const int steps = std::max(0, (horizontal ? max.X - FFixedCols : max.Y - FFixedRows));
        const int shown = std::max(1, horizontal ? VisibleColCount() : VisibleRowCount());
        const int page = std::clamp(RoundDiv((long long)(ScrollRange + 1) * shown, shown + steps), 1, ScrollRange);
        TScrollInfo info;
        info.fMask = SIF_RANGE | SIF_PAGE;
        info.nMin = 0;
        info.nMax = ScrollRange + page - 1;
        info.nPage = UINT(page);
        SetScrollInfo(this, bar, info, false);
    }
    // A grid that got bigger may now show cells that no longer need scrolling.
    const TGridCoord max = MaxTopLeft();
    const int left = std::min(FTopLeft.X, std::max(max.X, FFixedCols));
    const int top = std::min(FTopLeft.Y, std::max(max.Y, FFixedRows));
    FUpdatingScrollBars = false;
    if (left != FTopLeft.X || top != FTopLeft.Y) MoveTopLeft(left, top);
    UpdateScrollPos();
}

void TCustomGrid::UpdateScrollPos()
{
    if (IsScrollBarVisible(this, SB_VERT)) SetScrollPos(this, SB_VERT, ScrollPosFor(false), true);
    if (IsScrollBarVisible(this, SB_HORZ)) SetScrollPos(this, SB_HORZ, ScrollPosFor(true), true);
}

void TCustomGrid::ModifyScrollBar(int ScrollBar, int ScrollCode, int Pos, bool)
{
    if (ScrollBar != SB_HORZ && ScrollBar != SB_VERT) return;
    ScrollStep(ScrollBar == SB_HORZ, ScrollCode, Pos);
}

void TCustomGrid::ScrollStep(bool horizontal, int code, int pos)
{
    const TGridCoord max = MaxTopLeft();
    const int fixed = horizontal ? FFixedCols : FFixedRows;
    const int last = std::max(fixed, horizontal ? max.X : max.Y);
    const int first = horizontal ? FTopLeft.X : FTopLeft.Y;
    const int page = horizontal ? VisibleColCount() : VisibleRowCount();
    int next = first;
    switch (code) {
    case SB_LINEUP: next = first - 1; break;
    case SB_LINEDOWN: next = first + 1; break;
    case SB_PAGEUP: next = first - page; break;
    case SB_PAGEDOWN: next = first + page; break;
    case SB_THUMBPOSITION: next = CellFromScrollPos(horizontal, pos); break;
    case SB_THUMBTRACK:
        if (!FOptions.Contains(goThumbTracking)) return;
        next = CellFromScrollPos(horizontal, pos);
        break;
    case SB_TOP: next = fixed; break;
    case SB_BOTTOM: next = last; break;
    case SB_ENDSCROLL: UpdateScrollPos(); return;
    default: return;
    }
    next = std::clamp(next, fixed, last);
    if (horizontal) MoveTopLeft(next, FTopLeft.Y);
    else MoveTopLeft(FTopLeft.X, next);
}

void TCustomGrid::SyncScrollBars() { FBars.Sync(); }
