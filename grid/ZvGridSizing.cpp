// Selection queries, running numbers, row heights, fitting the columns to
// the control and the control to its cells, and swapping rows and columns.

#include "grid/ZvGrid.h"
#include "grid/ZvGridPrivate.h"
#include "grid/services/ZvGridClipboard.h"
#include "grid/services/ZvGridDragDrop.h"
#include "grid/services/ZvGridSort.h"
#include "grid/support/ZvGridUtil.h"
#include "grid/support/ZvHTMLUtil.h"

#include "platform/ScopeGuard.h"

#include <QApplication>
#include <QStyle>

#include <cmath>

namespace {
int SelectionKey(int ACol, int ARow)
{
    return ARow * 65536 + (ACol & 0xFFFF);
}
} // namespace

// ---- Selection queries -------------------------------------------------------------------

void TZvStringGrid::SelectCells(int FromCol, int FromRow, int ToCol, int ToRow)
{
    SetSelection(TGridRect{FromCol, FromRow, ToCol, ToRow});
}

String TZvStringGrid::SelectedText()
{
    TGridRect s = Selection();
    const int left = std::min(s.Left, s.Right), right = std::max(s.Left, s.Right);
    int l = left, rr = right;
    if (Options().Contains(goRowSelect) && DragDropSettings() && DragDropSettings()->OleEntireRows()) {
        l = 0;
        rr = ColCount() - 1;
    }
    std::vector<int> rows;
    const int top = std::min(s.Top, s.Bottom), bottom = std::max(s.Top, s.Bottom);
    if (d->FMouseActions && d->FMouseActions->DisjunctRowSelect()) {
        for (int r = FixedRows(); r < RowCount(); ++r) {
            const int key = d->FMouseActions->RowSelectPersistent() ? RealRowIndex(r) : r;
            if (key >= 0 && key < int(d->FRowSelect.size()) && d->FRowSelect[std::size_t(key)]) rows.push_back(r);
        }
    } else {
        for (int r = top; r <= bottom; ++r) rows.push_back(r);
    }
    String out;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        for (int c = l; c <= rr; ++c) {
            String text = GetCellEx(RealColIndex(c), rows[i]);
            if (d->FMultilinecells && ClipboardService().FExcelClipboardFormat && text.contains(QLatin1Char('\n'))) {
                text.remove(QLatin1Char('\r'));
                text.replace(QLatin1Char('\n'), QChar(11));
                text = QLatin1Char('"') + text + QLatin1Char('"');
            }
            if (c > l) out += QLatin1Char('\t');
            out += text;
        }
        if (rows[i] != bottom && i + 1 < rows.size()) out += QStringLiteral("\r\n");
    }
    return out;
}

bool TZvStringGrid::GetSelectedCells(int ACol, int ARow)
{
    if (d->FMouseActions && d->FMouseActions->DisjunctCellSelect())
        return d->FSelectedCells->HasValue(SelectionKey(ACol, ARow));
    const TGridRect s = Selection();
    return ACol >= std::min(s.Left, s.Right) && ACol <= std::max(s.Left, s.Right) &&
           ARow >= std::min(s.Top, s.Bottom) && ARow <= std::max(s.Top, s.Bottom);
}

void TZvStringGrid::SetSelectedCells(int ACol, int ARow, bool Value)
{
    const int key = SelectionKey(ACol, ARow);
    const bool present = d->FSelectedCells->HasValue(key);
    if (Value == present) return;
    if (Value)
        d->FSelectedCells->Add(key);
    else
        d->FSelectedCells->DeleteValue(key);
    RepaintCell(ACol, ARow);
}

TGridCoord TZvStringGrid::SelectedCell(int i)
{
    const int key = d->FSelectedCells->Items(i);
    return TGridCoord{key & 0xFFFF, key >> 16};
}

int TZvStringGrid::SelectedCellsCount()
{
    if (d->FMouseActions && d->FMouseActions->DisjunctCellSelect()) return d->FSelectedCells->Count();
    d->FSelectedCells->Clear();
    const TGridRect s = Selection();
    if (s.Left == s.Right && s.Top == s.Bottom) {
        d->FSelectedCells->Add(SelectionKey(Col(), Row()));
    } else {
        for (int c = std::min(s.Left, s.Right); c <= std::max(s.Left, s.Right); ++c)
            for (int r = std::min(s.Top, s.Bottom); r <= std::max(s.Top, s.Bottom); ++r)
                d->FSelectedCells->Add(SelectionKey(c, r));
    }
    return d->FSelectedCells->Count();
}

void TZvStringGrid::RepaintSelectedCells()
{
    for (int i = 0; i < d->FSelectedCells->Count(); ++i) {
        const TGridCoord c = SelectedCell(i);
        RepaintCell(c.X, c.Y);
    }
}

// The cells of a range selection other than its base cell join the disjunct
// selection; each cell of it is repainted.
void TZvStringGrid::AddSelectionToSelectedCells(TGridCoord Base)
{
    const TGridRect s = Selection();
    const int l = std::min(s.Left, s.Right), r = std::max(s.Left, s.Right);
    const int t = std::min(s.Top, s.Bottom), b = std::max(s.Top, s.Bottom);
    if (l != r || t != b)
        for (int row = t; row <= b; ++row)
            for (int col = l; col <= r; ++col)
                if ((col != Base.X || row != Base.Y) && !d->FSelectedCells->HasValue(SelectionKey(col, row)))
                    d->FSelectedCells->Add(SelectionKey(col, row));
    RepaintSelectedCells();
}

void TZvStringGrid::ClearSelectedCells()
{
    SetSelection(TGridRect{FixedCols(), FixedRows(), FixedCols(), FixedRows()});
    d->FSelectedCells->Clear();
    Invalidate();
}

int TZvStringGrid::SelectedRowCount()
{
    if (d->FMouseActions && d->FMouseActions->DisjunctRowSelect()) return d->FSelectedRows->Count();
    const TGridRect s = Selection();
    const int top = std::min(s.Top, s.Bottom);
    const int bottom = std::min(std::max(s.Top, s.Bottom), RowCount() - d->FFixedFooters - 1);
    const int left = std::min(s.Left, s.Right);
    if (IsMergedCell(left, top)) {
        const int e = CellSpan(left, top).Y;
        if (bottom < top + e) return e + 1;
    }
    if (IsMergedCell(left, bottom)) return bottom - top + CellSpan(left, bottom).Y + 1;
    return bottom - top + 1;
}

int TZvStringGrid::SelectedColCount()
{
    if (d->FMouseActions && d->FMouseActions->DisjunctColSelect()) {
        int n = 0;
        for (bool f : d->FColSelect) n += f ? 1 : 0;
        return n;
    }
    const TGridRect s = Selection();
    const int left = std::min(s.Left, s.Right), right = std::max(s.Left, s.Right);
    const int top = std::min(s.Top, s.Bottom);
    if (IsMergedCell(left, top)) {
        const int e = CellSpan(left, top).X;
        if (right < left + e) return e + 1;
    }
    if (IsMergedCell(right, top)) return right - left + CellSpan(right, top).X + 1;
    return right - left + 1;
}

int TZvStringGrid::SelectedRow(int i)
{
    if (d->FMouseActions && d->FMouseActions->DisjunctRowSelect())
        return i >= 0 && i < d->FSelectedRows->Count() ? d->FSelectedRows->Items(i) : -1;
    const TGridRect s = Selection();
    const int top = std::min(s.Top, s.Bottom), bottom = std::max(s.Top, s.Bottom);
    return i >= 0 && top + i <= bottom ? top + i : -1;
}

void TZvStringGrid::ClearModifiedRows()
{
    d->FModifiedRows->Clear();
    Invalidate();
}

// ---- Running numbers ------------------------------------------------------------------------

void TZvStringGrid::AutoNumberCol(int ACol)
{
    if (RowCount() <= 0) return;
    const int last = RowCount() - d->FFixedFooters - 1;
    for (int a = FixedRows() + d->FAutoNumberStart; a <= last; ++a) {
        const int v = a - FixedRows() + 1 + d->FAutoNumberOffset;
        const int row = d->FAutoNumberDirection == TSortDirection::sdAscending ? a : FixedRows() + (last - a);
        SetInts(ACol, row, v);
    }
}

void TZvStringGrid::AutoNumberRow(int ARow)
{
    if (ColCount() <= 0) return;
    const int last = ColCount() - d->FFixedRightCols - 1;
    for (int a = FixedCols() + d->FAutoNumberStart; a <= last; ++a) {
        const int v = a - FixedCols() + 1 + d->FAutoNumberOffset;
        const int col = d->FAutoNumberDirection == TSortDirection::sdAscending
                            ? a
                            : ColCount() + FixedCols() - d->FFixedRightCols - a - 1;
        SetInts(col, ARow, v);
    }
}

// ---- Row heights ------------------------------------------------------------------------------

int TZvStringGrid::RowLines(int ARow)
{
    int lines = 1;
    for (int c = 0; c < ColCount(); ++c)
        lines = std::max(lines, LineCountOf(GetCellEx(RealColIndex(c), ARow), d->FMultilinecells));
    return lines;
}

void TZvStringGrid::SizeRowToLines(int ARow, int Lines, int Padding)
{
    TCanvas* canvas = Canvas();
    TBrush brush;
    TFont font;
    font.Assign(Font());
    QueryCellColor(FixedCols(), ARow, {}, &brush, &font);
    canvas->Font()->Assign(&font);
    const int h = canvas->TextHeight(QStringLiteral("gh"));
    SetRowHeights(ARow, ClampToLimits(Padding + Lines * (h + h / 8), d->FMinRowHeight, d->FMaxRowHeight));
}

void TZvStringGrid::AutoSizeRow(int ARow, int Padding)
{
    if (ARow < 0 || ARow >= RowCount()) return;
    int tallest = 0;
    for (int c = 0; c < ColCount(); ++c) {
        if (IsYMergedCell(c, ARow) && !IsBaseCell(c, ARow)) continue;
        const int real = RealColIndex(c);
        if (IsIgnoredColumn(real)) continue;
        const TCellType type = GetCellType(real, ARow);
        int h = 0;
        if (type == TCellType::ctCheckBox || type == TCellType::ctDataCheckBox ||
            type == TCellType::ctVirtCheckBox || type == TCellType::ctRadioButton) {
            h = DefaultRowHeight();
        } else {
            const int th = GetCellTextSize(real, ARow, false, WordWrap()).Y;
            const int gh = GetCellGraphicSize(real, ARow).Y;
            h = th + gh;
        }
        tallest = std::max(tallest, h);
    }
    const int totalY = d->FXYOffsetTopLeftOnly ? d->FXYOffset.Y : 2 * d->FXYOffset.Y;
    const int height = totalY + tallest + 2 * GridLineWidth() + (d->FXYOffsetTopLeftOnly ? 2 : 0);
    if (!d->FSizeGrowOnly || RowHeights(ARow) < height)
        SetRowHeights(ARow, ClampToLimits(height, d->FMinRowHeight, d->FMaxRowHeight));
    if (Padding != 0)
        SetRowHeights(ARow, ClampToLimits(RowHeights(ARow) + Padding, d->FMinRowHeight, d->FMaxRowHeight));
}

void TZvStringGrid::AutoSizeCells(bool DoFixedCells, int PaddingX, int PaddingY)
{
    BeginUpdate();
    const TScopeExit ended([this] { EndUpdate(); });
    for (int i = DoFixedCells ? 0 : FixedCols(); i < ColCount(); ++i) {
        const int c = RealColIndex(i);
        // A column ends at its widest cell, or keeps a larger width under SizeGrowOnly;
        // rows only ever grow, so the tallest cell of each row wins whatever the column.
        int a = d->FSizeGrowOnly ? ColWidths(i) : 0;
        for (int r = DoFixedCells ? 0 : FixedRows(); r < RowCount(); ++r) {
            const TPoint g = GetCellGraphicSize(c, r);
            const TPoint t = GetCellTextSize(c, r, false, false);
            const int w = t.X + g.X + PaddingX + d->FXYOffset.X;
            const int h = t.Y + g.Y + PaddingY + d->FXYOffset.Y;
            if (!IsXMergedCell(c, r) && a < w) {
                const int fit = ClampToLimits(w, d->FMinColWidth, d->FMaxColWidth);
                if (a < fit) {
                    SetColWidths(i, fit);
                    a = fit;
                }
            }
            if (!IsYMergedCell(c, r) && RowHeights(r) < h) {
                const int fit = ClampToLimits(h, d->FMinRowHeight, d->FMaxRowHeight);
                if (RowHeights(r) < fit) SetRowHeights(r, fit);
            }
        }
    }
}

void TZvStringGrid::CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos, int& SizingOfs)
{
    TBaseGrid::CalcSizingState(X, Y, State, Index, SizingPos, SizingOfs);
    // The application may keep single columns and rows at their size: it is
    // asked for the cell left of (above) the border the pointer is on.
    if (State == gsColSizing && OnColumnSize) {
        const TGridCoord cell = MouseCoord(X - 6, Y);
        if (cell.X >= 0 && cell.Y >= 0 && cell.Y < FixedRows()) {
            bool allow = true;
            OnColumnSize(this, cell.X, allow);
            if (!allow) State = gsNormal;
        }
    } else if (State == gsRowSizing && OnRowSize) {
        const TGridCoord cell = MouseCoord(X, Y - 6);
        if (cell.X >= 0 && cell.Y >= 0 && cell.X < FixedCols()) {
            bool allow = true;
            OnRowSize(this, cell.Y, allow);
            if (!allow) State = gsNormal;
        }
    }
    if (State == gsNormal) Index = -1;
}

void TZvStringGrid::AutoSizeRows(bool DoFixedRows, int Padding)
{
    if (RowCount() <= 0) return;
    ExportNotification(TGridExportState::esExportStart, 0);
    for (int r = DoFixedRows ? 0 : FixedRows(); r < RowCount(); ++r) {
        if (WordWrap())
            AutoSizeRow(r, Padding);
        else
            SizeRowToLines(r, RowLines(r), Padding);
        ExportNotification(TGridExportState::esExportNewRow, r);
    }
    ExportNotification(TGridExportState::esExportDone, RowCount() - 1);
    ApplyScrollBarAlways(false);
}

// ---- Fitting the columns to the control and the control to the cells ----------------------------

void TZvStringGrid::AutoFitColumns(bool DoFixedCells)
{
    const bool vertBar = d->FScrollBarAlways == TScrollBarAlways::saVert ||
                         (ScrollBars() != ssNone && VisibleRowCount() + FixedRows() < RowCount());
    const int sb = vertBar ? QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent) : 0;
    const int border = d->FBorderStyle == TBorderStyle::bsSingle ? (d->FCtl3D ? 4 : 2) : 0;
    int first = 0, last = ColCount() - 1, width = Width();
    if (!DoFixedCells) {
        first = FixedCols();
        last = ColCount() - d->FFixedRightCols - 1;
        for (int c = 0; c < FixedCols(); ++c) width -= ColWidths(c);
        for (int c = last + 1; c < ColCount(); ++c) width -= ColWidths(c);
    }
    int lines = Options().Contains(goVertLine) ? GridLineWidth() * (ColCount() - FixedCols() - d->FFixedRightCols) : 0;
    if (Options().Contains(goFixedVertLine) && DoFixedCells) lines += FixedCols() + d->FFixedRightCols;
    if (ColCount() < 2) {
        SetColWidths(0, Width() - sb - 5);
        return;
    }
    int sum = 0;
    for (int c = first; c <= last; ++c) sum += ColWidths(c);
    if (sum <= 0 || sum == width - sb - border) return;
    const double f = double(width - sb - border - lines) / sum;
    double total = 0;
    for (int c = first; c <= last; ++c) total += std::nearbyint(ColWidths(c) * f);
    std::vector<int> fitted;
    for (int c = first; c <= last; ++c) fitted.push_back(int(std::nearbyint(ColWidths(c) * total / sum)));
    int newSum = 0;
    for (int c = first; c <= last; ++c) {
        SetColWidths(c, fitted[std::size_t(c - first)]);
        newSum += fitted[std::size_t(c - first)];
    }
    int rest = width - (sb + border + newSum);
    const int n = last - first + 1;
    if (n > 1 && n < rest) {
        for (int c = first; c <= last; ++c) SetColWidths(c, ColWidths(c) + rest / n);
        rest %= n;
    }
    int widest = first;
    for (int c = first; c <= last; ++c)
        if (ColWidths(c) > ColWidths(widest)) widest = c;
    SetColWidths(widest, ColWidths(widest) + rest);
}

void TZvStringGrid::SizeToCols()
{
    int w = 0;
    for (int c = 0; c < ColCount(); ++c) w += ColWidths(c);
    SetClientWidth(w);
}

void TZvStringGrid::SizeToRows()
{
    int h = 0;
    for (int r = 0; r < RowCount(); ++r) h += RowHeights(r);
    SetClientHeight(h);
}

void TZvStringGrid::SizeToCells()
{
    const TScrollStyle saved = ScrollBars();
    SetScrollBars(ssNone);
    SizeToCols();
    SizeToRows();
    SetScrollBars(saved);
}

// ---- Swapping ------------------------------------------------------------------------------

void TZvStringGrid::SwapColumns(int Index, int Index2)
{
    if (Index == Index2 || Index < 0 || Index2 < 0 || Index >= AllColCount() || Index2 >= AllColCount()) return;
    const int spare = AllColCount();
    const int rows = RowCount();
    CopyStoreCol(Index, spare, rows);
    CopyStoreCol(Index2, Index, rows);
    CopyStoreCol(spare, Index2, rows);
    EmptyStoreCol(spare, rows);
    const int w1 = GetAllColWidths(Index), w2 = GetAllColWidths(Index2);
    SetAllColWidths(Index, w2);
    SetAllColWidths(Index2, w1);
    if (SortSettings()) {
        if (SortSettings()->Column() == Index)
            SortSettings()->SetColumn(Index2);
        else if (SortSettings()->Column() == Index2)
            SortSettings()->SetColumn(Index);
    }
    if (d->FCellControls && d->FCellControls->Count() > 0) {
        for (int i = 0; i < d->FCellControls->Count(); ++i) {
            TControlItem* ci = d->FCellControls->GetControl(i);
            if (ci->FX == Index)
                ci->FX = Index2;
            else if (ci->FX == Index2)
                ci->FX = Index;
        }
        CellControlsUpdate(false);
    }
    Invalidate();
}

void TZvStringGrid::SwapRows(int Index, int Index2)
{
    if (Index == Index2 || Index < 0 || Index2 < 0 || Index >= RowCount() || Index2 >= RowCount()) return;
    // The row beyond the last one serves as the spare; its cells are only dropped.
    const int spare = RowCount();
    CopyStoreRow(Index, spare, false);
    CopyStoreRow(Index2, Index, false);
    CopyStoreRow(spare, Index2, false);
    EmptyStoreRow(spare);
    const int h1 = RowHeights(Index), h2 = RowHeights(Index2);
    if (h1 != h2) {
        SetRowHeights(Index, h2);
        SetRowHeights(Index2, h1);
    }
    if (d->FCellControls && d->FCellControls->Count() > 0) {
        const int r1 = RealRowIndex(Index), r2 = RealRowIndex(Index2);
        for (int i = 0; i < d->FCellControls->Count(); ++i) {
            TControlItem* ci = d->FCellControls->GetControl(i);
            if (ci->FY == r1)
                ci->FY = r2;
            else if (ci->FY == r2)
                ci->FY = r1;
        }
        CellControlsUpdate(false);
    }
    Invalidate();
}
