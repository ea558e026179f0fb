// Painting of the platform grid, and the draw and string grids that build on it.
#include "platform/Grids.h"

#include <QPainter>

#include <algorithm>

namespace {

constexpr int ScrollBarSize = TWindowScrollBars::Size;
const TColor FixedLineColor = clBtnShadow;
const TColor LineColor = clSilver;

// Where the k-th cell of a row (or of a column) stands.
TGridCoord LineCell(bool row, int line, int k)
{
    return row ? TGridCoord{k, line} : TGridCoord{line, k};
}

// The texts and objects of the first `count` cells of one row (or column) as a list.
std::unique_ptr<TStringList> LineToList(const TStringGrid& grid, bool row, int line, int count)
{
    auto list = std::make_unique<TStringList>();
    for (int k = 0; k < count; ++k) {
        const TGridCoord at = LineCell(row, line, k);
        list->AddObject(grid.Cells(at.X, at.Y), grid.Objects(at.X, at.Y));
    }
    return list;
}

// Fills the first `count` cells of one row (or column) from a list; the
// cells past its end are emptied.
void ListToLine(TStringGrid& grid, bool row, int line, const TStringList& value, int count)
{
    for (int k = 0; k < count; ++k) {
        const TGridCoord at = LineCell(row, line, k);
        grid.SetCells(at.X, at.Y, k < value.Count() ? value[k] : String());
        grid.SetObjects(at.X, at.Y, k < value.Count() ? value.Objects(k) : nullptr);
    }
}

} // namespace

// ---- TCustomGrid painting -----------------------------------------------------------
TGridDrawState TCustomGrid::StateOf(int ACol, int ARow) const
{
    TGridDrawState state;
    if (ACol < FFixedCols || ARow < FFixedRows) {
        state.Include(gdFixed);
        if (FOptions.Contains(goFixedHotTrack) && FHotTrackCell == TGridCoord{ACol, ARow}) state.Include(gdHotTrack);
        if (FPressedCell == TGridCoord{ACol, ARow}) state.Include(gdPressed);
        return state;
    }
    const bool current = ACol == FCurrent.X && ARow == FCurrent.Y;
    const bool focused = current && Focused();
    if (focused) state.Include(gdFocused);
    if (PointInGridRect(ACol, ARow, Selection())) {
        // The focused cell shows as selected only where the options ask for it.
        if (!focused || FOptions.Contains(goDrawFocusSelected) || FOptions.Contains(goRowSelect))
            state.Include(gdSelected);
        if (FOptions.Contains(goRowSelect)) state.Include(gdRowSelected);
    }
    return state;
}

// The line after the cell on the right and below, in the line width of its
// axis; where the cell's kind shows no line the gap takes the background.
void TCustomGrid::PaintCellLines(TCanvas& canvas, int ACol, int ARow, const TRect& r)
{
    const bool fixed = ACol < FFixedCols || ARow < FFixedRows;
    const int lwV = LineWidthFor(true);
    const int lwH = LineWidthFor(false);
    const TColor background = fixed ? FFixedColor : Color();
    const TColor line = fixed ? FixedLineColor : LineColor;
    const bool vert = FOptions.Contains(fixed ? goFixedVertLine : goVertLine);
    const bool horz = FOptions.Contains(fixed ? goFixedHorzLine : goHorzLine);
    if (lwV > 0) {
        canvas.Brush()->SetColor(vert ? line : background);
        canvas.FillRect({r.Right, r.Top, r.Right + lwV, r.Bottom + lwH});
    }
    if (lwH > 0) {
        canvas.Brush()->SetColor(horz ? line : background);
        canvas.FillRect({r.Left, r.Bottom, r.Right, r.Bottom + lwH});
    }
}

void TCustomGrid::Paint()
{
    TCanvas& canvas = *Canvas();
    const TRect client = ClientRect();
    const TAxis h = Axis(true);
    const TAxis v = Axis(false);
    // Only the cells that meet the area to repaint are drawn.
    const QPainter* painter = canvas.Painter();
    const QRegion update = painter && painter->hasClipping() ? painter->clipRegion() : QRegion(client.ToQRect());
    const QRect bounds = update.boundingRect();

    // The cells on screen along each axis that meet the span lo .. hi: the
    // fixed ones, then from LeftCol / TopRow on.
    auto visible = [](const TAxis& a, int lo, int hi) {
        std::vector<std::pair<int, int>> cells;   // index, start pixel
        int pos = 0;
        auto add = [&](int i) {
            const int end = pos + a.Size(i) + a.LineWidth;
            if (end > lo && pos <= hi) cells.emplace_back(i, pos);
            pos = end;
        };
        for (int i = 0; i < a.FixedCount && pos < a.Extent && pos <= hi; ++i) add(i);
        for (int i = a.First; i < a.Count && pos < a.Extent && pos <= hi; ++i) add(i);
        return cells;
    };
    const auto cols = visible(h, bounds.left(), bounds.right());
    const auto rows = visible(v, bounds.top(), bounds.bottom());

    canvas.SetClipRect(client);
    canvas.Font()->Assign(Font());
    for (const auto& [row, y] : rows) {
        for (const auto& [col, x] : cols) {
            const TRect r{x, y, x + ColWidths(col), y + RowHeights(row)};
            if (!update.intersects(QRect(x, y, r.Width() + h.LineWidth, r.Height() + v.LineWidth))) continue;
            const TGridDrawState state = StateOf(col, row);
            if (FDefaultDrawing) {
                TColor back = Color();
                canvas.Font()->SetColor(Font()->Color());
                if (state.Contains(gdFixed)) back = FFixedColor;
                else if (state.Contains(gdSelected)) {
                    back = clHighlight;
                    canvas.Font()->SetColor(clHighlightText);
                }
                canvas.Brush()->SetColor(back);
                canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
                canvas.FillRect(r);
            }
            DrawCell(col, row, r, state);
            PaintCellLines(canvas, col, row, r);
            if (FDefaultDrawing && state.Contains(gdFocused) && !FOptions.Contains(goRowSelect) &&
                !(FInplaceEdit && FInplaceEdit->Visible()))
                canvas.DrawFocusRect(r);
        }
    }
    // The focused row as one frame in row selection.
    if (FDefaultDrawing && FOptions.Contains(goRowSelect) && Focused()) {
        const TRect r = BoxRect(FFixedCols, FCurrent.Y, FColCount - 1, FCurrent.Y);
        if (!r.IsEmpty()) canvas.DrawFocusRect({r.Left, r.Top, r.Right - h.LineWidth, r.Bottom - v.LineWidth});
    }
    // A column or row being dragged: a bar where it would drop.
    if (FGridState == gsColMoving && FMovePos >= 0 && FMovePos != FMoveIndex) {
        int x = 0;
        if (CellStart(true, FMovePos, x)) {
            if (FMovePos > FMoveIndex) x += ColWidths(FMovePos);
            canvas.Brush()->SetColor(clHighlight);
            canvas.FillRect({x - 1, 0, x + 2, client.Bottom});
        }
    }
    if (FGridState == gsRowMoving && FMovePos >= 0 && FMovePos != FMoveIndex) {
        int y = 0;
        if (CellStart(false, FMovePos, y)) {
            if (FMovePos > FMoveIndex) y += RowHeights(FMovePos);
            canvas.Brush()->SetColor(clHighlight);
            canvas.FillRect({0, y - 1, client.Right, y + 2});
        }
    }

    // Beyond the last column and row: the grid's colour.
    canvas.Brush()->SetColor(Color());
    canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
    if (h.GridBoundary < client.Right) canvas.FillRect({h.GridBoundary, 0, client.Right, client.Bottom});
    if (v.GridBoundary < client.Bottom) canvas.FillRect({0, v.GridBoundary, h.GridBoundary, client.Bottom});
    canvas.SetClipRect({});
    // The corner between two scroll bars.
    if (client.Right < Width() && client.Bottom < Height()) {
        canvas.Brush()->SetColor(clBtnFace);
        canvas.FillRect({Width() - ScrollBarSize, Height() - ScrollBarSize, Width(), Height()});
    }
    TCustomControl::Paint();   // OnPaint
}

void TCustomGrid::WMEraseBkgnd(TWMEraseBkgnd& Message)
{
    // The grid paints every pixel itself.
    Message.Result = 1;
}

// ---- TCustomDrawGrid ----------------------------------------------------------------
TCustomDrawGrid::TCustomDrawGrid(TComponent* AOwner) : TCustomGrid(AOwner) {}

void TCustomDrawGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState)
{
    if (OnDrawCell) OnDrawCell(this, ACol, ARow, ARect, AState);
}

bool TCustomDrawGrid::SelectCell(int ACol, int ARow)
{
    bool canSelect = true;
    if (OnSelectCell) OnSelectCell(this, ACol, ARow, canSelect);
    return canSelect;
}

void TCustomDrawGrid::ColumnMoved(int FromIndex, int ToIndex)
{
    if (OnColumnMoved) OnColumnMoved(this, FromIndex, ToIndex);
}

void TCustomDrawGrid::RowMoved(int FromIndex, int ToIndex)
{
    if (OnRowMoved) OnRowMoved(this, FromIndex, ToIndex);
}

void TCustomDrawGrid::TopLeftChanged()
{
    TCustomGrid::TopLeftChanged();
    if (OnTopLeftChanged) OnTopLeftChanged(this);
}

String TCustomDrawGrid::GetEditText(int ACol, int ARow)
{
    String value;
    if (OnGetEditText) OnGetEditText(this, ACol, ARow, value);
    return value;
}

void TCustomDrawGrid::SetEditText(int ACol, int ARow, const String& Value)
{
    if (OnSetEditText) OnSetEditText(this, ACol, ARow, Value);
}

String TCustomDrawGrid::GetEditMask(int ACol, int ARow)
{
    String value;
    if (OnGetEditMask) OnGetEditMask(this, ACol, ARow, value);
    return value;
}

// ---- TStringGrid -------------------------------------------------------------------------
TStringGrid::TStringGrid(TComponent* AOwner) : TDrawGrid(AOwner) {}

TStringGrid::~TStringGrid() = default;

void TStringGrid::SetCells(int ACol, int ARow, const String& value)
{
    FStore.SetText(ACol, ARow, value);
    if (ACol >= 0 && ARow >= 0 && ACol < ColCount() && ARow < RowCount()) InvalidateCell(ACol, ARow);
}

void TStringGrid::SetObjects(int ACol, int ARow, TObject* value)
{
    FStore.SetObject(ACol, ARow, value);
}

std::unique_ptr<TStringList> TStringGrid::Rows(int ARow) const
{
    return LineToList(*this, true, ARow, ColCount());
}

void TStringGrid::SetRows(int ARow, const TStringList& value)
{
    ListToLine(*this, true, ARow, value, ColCount());
}

std::unique_ptr<TStringList> TStringGrid::Rows(int ARow, int ACount) const
{
    return LineToList(*this, true, ARow, std::max(0, ACount));
}

void TStringGrid::SetRows(int ARow, const TStringList& value, int ACount)
{
    ListToLine(*this, true, ARow, value, std::max(0, ACount));
}

std::unique_ptr<TStringList> TStringGrid::Cols(int ACol) const
{
    return LineToList(*this, false, ACol, RowCount());
}

void TStringGrid::SetCols(int ACol, const TStringList& value)
{
    ListToLine(*this, false, ACol, value, RowCount());
}

void TStringGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState)
{
    if (DefaultDrawing()) Canvas()->TextRect(ARect, ARect.Left + 2, ARect.Top + 2, Cells(ACol, ARow));
    TDrawGrid::DrawCell(ACol, ARow, ARect, AState);
}

void TStringGrid::MoveColumnData(int FromIndex, int ToIndex)
{
    FStore.MoveColumn(FromIndex, ToIndex);
}

void TStringGrid::MoveRowData(int FromIndex, int ToIndex)
{
    FStore.MoveRow(FromIndex, ToIndex);
}

void TStringGrid::ReorderRowsData(int First, const std::vector<int>& Order)
{
    FStore.ReorderRows(First, Order);
}

String TStringGrid::GetEditText(int ACol, int ARow)
{
    String value = Cells(ACol, ARow);
    if (OnGetEditText) OnGetEditText(this, ACol, ARow, value);
    return value;
}

void TStringGrid::SetEditText(int ACol, int ARow, const String& Value)
{
    if (Value != Cells(ACol, ARow)) SetCells(ACol, ARow, Value);
    TDrawGrid::SetEditText(ACol, ARow, Value);
}

void TStringGrid::DeleteColumnData(int ACol)
{
    FStore.DeleteColumn(ACol);
}

void TStringGrid::DeleteRowsData(int ARow, int Count)
{
    FStore.DeleteRows(ARow, Count);
}

void TStringGrid::InsertColumnData(int ACol)
{
    FStore.InsertColumn(ACol);
}

void TStringGrid::InsertRowsData(int ARow, int Count)
{
    FStore.InsertRows(ARow, Count);
}
