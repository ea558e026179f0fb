// Column calculations, selection queries and fitting columns to their content.

#include "grid/ZvGrid.h"
#include "grid/ZvGridPrivate.h"
#include "grid/services/ZvGridFilter.h"
#include "grid/services/ZvGridLayout.h"
#include "grid/services/ZvGridSort.h"
#include "grid/support/ZvGridUtil.h"

#include <QSet>

#include <algorithm>
#include <cmath>

// ---- Calculations --------------------------------------------------------------------------

void TZvStringGrid::CalcRange(int& FromRow, int& ToRow)
{
    if (FromRow == -1 || ToRow == -1) {
        FromRow = FixedRows();
        ToRow = RowCount() - d->FFixedFooters - 1;
    }
}

template <class Visit>
void TZvStringGrid::ForCountedCells(int ACol, int FromRow, int ToRow, Visit visit)
{
    // A range reaching past the grid rows reads the real rows, hidden ones included.
    const bool footer = d->FFloatingFooter && d->FFloatingFooter->Visible();
    const bool all = footer ? ToRow > RowCount() - 1 : ToRow > RowCount();
    const bool grouped = d->FGroupColumn != -1;
    for (int r = FromRow; r <= ToRow; ++r) {
        const int g = all ? DisplRowIndex(r) : r;
        const bool hidden = all && IsHiddenRow(r);
        if (!hidden && !IsBaseCell(ACol, g)) continue;
        if (grouped && !hidden && (IsNode(g) || IsSummary(g))) continue;
        double v = 0;
        try {
            v = all ? GetAllFloats(ACol, r) : GetFloats(ACol, r);
        } catch (const EZvGridError&) {
            // A cell that is not a number counts for nothing.
            ExportNotification(TGridExportState::esExportNewRow, r);
            continue;
        }
        ExportNotification(TGridExportState::esExportNewRow, r);
        visit(v);
    }
}

double TZvStringGrid::ColumnSum(int ACol, int FromRow, int ToRow)
{
    CalcRange(FromRow, ToRow);
    ExportNotification(TGridExportState::esExportStart, FromRow);
    double sum = 0;
    ForCountedCells(ACol, FromRow, ToRow, [&](double v) { sum += v; });
    ExportNotification(TGridExportState::esExportDone, ToRow);
    return sum;
}

double TZvStringGrid::ColumnAvg(int ACol, int FromRow, int ToRow)
{
    CalcRange(FromRow, ToRow);
    if (ToRow < FromRow) return 0;
    return ColumnSum(ACol, FromRow, ToRow) / double(ToRow - FromRow + 1);
}

double TZvStringGrid::ColumnExtreme(int ACol, int FromRow, int ToRow, bool Largest)
{
    CalcRange(FromRow, ToRow);
    ExportNotification(TGridExportState::esExportStart, FromRow);
    // The start value is read unprotected: a first cell that is not a number raises.
    double result = GetFloats(ACol, FromRow);
    ForCountedCells(ACol, FromRow, ToRow, [&](double v) {
        if (Largest ? v > result : v < result) result = v;
    });
    ExportNotification(TGridExportState::esExportDone, ToRow);
    return result;
}

double TZvStringGrid::ColumnMin(int ACol, int FromRow, int ToRow)
{
    return ColumnExtreme(ACol, FromRow, ToRow, false);
}

double TZvStringGrid::ColumnMax(int ACol, int FromRow, int ToRow)
{
    return ColumnExtreme(ACol, FromRow, ToRow, true);
}

double TZvStringGrid::ColumnStdDev(int ACol, int FromRow, int ToRow)
{
    CalcRange(FromRow, ToRow);
    if (ToRow < FromRow) return 0;
    const double avg = ColumnAvg(ACol, FromRow, ToRow);
    const int n = ToRow - FromRow + 1;
    double sq = 0;
    // Every row counts here, and a text that is not a number raises.
    for (int r = FromRow; r <= ToRow; ++r) {
        const double d = GetFloats(ACol, r) - avg;
        sq += d * d;
    }
    return std::sqrt(sq / double(n));
}

double TZvStringGrid::ColumnDistinct(int ACol, int FromRow, int ToRow)
{
    CalcRange(FromRow, ToRow);
    QSet<String> seen;
    for (int r = FromRow; r <= ToRow; ++r) seen.insert(GetCellEx(ACol, r).toUpper());
    return double(seen.size());
}

double TZvStringGrid::ColumnCustomCalc(int ACol, int FromRow, int ToRow)
{
    CalcRange(FromRow, ToRow);
    double res = 0;
    if (OnColumnCalc) OnColumnCalc(this, ACol, FromRow, ToRow, res);
    return res;
}

double TZvStringGrid::CustomGroupCalc(int ACol, int FromRow, int ToRow)
{
    double res = 0;
    if (OnGroupCalc) OnGroupCalc(this, ACol, FromRow, ToRow, res);
    return res;
}

double TZvStringGrid::RowSum(int ARow, int FromCol, int ToCol)
{
    if (ToCol < FromCol) return 0;
    double sum = 0;
    for (int c = FromCol; c <= ToCol; ++c) {
        if (!IsBaseCell(c, ARow)) continue;
        try {
            sum += GetFloats(c, ARow);
        } catch (const EZvGridError&) {
            // Not a number: adds nothing.
        }
    }
    return sum;
}

double TZvStringGrid::RowAvg(int ARow, int FromCol, int ToCol)
{
    // An empty range has no average; 0 rather than a division by zero.
    if (ToCol < FromCol) return 0;
    return RowSum(ARow, FromCol, ToCol) / double(ToCol - FromCol + 1);
}

namespace {
// The start cell is read unguarded (a start that is no number raises); after
// it only base cells holding numbers are candidates.
double RowExtreme(TZvStringGrid& Grid, int ARow, int FromCol, int ToCol, bool Largest)
{
    double v = Grid.GetFloats(FromCol, ARow);
    for (int c = FromCol; c <= ToCol; ++c) {
        if (!Grid.IsBaseCell(c, ARow)) continue;
        try {
            const double x = Grid.GetFloats(c, ARow);
            v = Largest ? std::max(v, x) : std::min(v, x);
        } catch (const EZvGridError&) {
            // Not a number: no candidate.
        }
    }
    return v;
}
}  // namespace

double TZvStringGrid::RowMin(int ARow, int FromCol, int ToCol)
{
    return RowExtreme(*this, ARow, FromCol, ToCol, false);
}

double TZvStringGrid::RowMax(int ARow, int FromCol, int ToCol)
{
    return RowExtreme(*this, ARow, FromCol, ToCol, true);
}

// ---- Selection queries -------------------------------------------------------------------

bool TZvStringGrid::IsSelected(int ACol, int ARow)
{
    if (ARow < FixedRows() || ACol < FixedCols()) return false;
    if (d->FMouseActions && d->FMouseActions->DisjunctCellSelect())
        return d->FSelectedCells && d->FSelectedCells->HasValue(ARow * 65536 + (ACol & 0xFFFF));
    if (d->FMouseActions && d->FMouseActions->DisjunctRowSelect()) {
        const int r = d->FMouseActions->RowSelectPersistent() ? RealRowIndex(ARow) : ARow;
        return r >= 0 && r < int(d->FRowSelect.size()) && d->FRowSelect[std::size_t(r)];
    }
    if (d->FMouseActions && d->FMouseActions->DisjunctColSelect())
        return ACol < int(d->FColSelect.size()) && d->FColSelect[std::size_t(ACol)];
    const TGridRect s = Selection();
    return ACol >= std::min(s.Left, s.Right) && ACol <= std::max(s.Left, s.Right) &&
           ARow >= std::min(s.Top, s.Bottom) && ARow <= std::max(s.Top, s.Bottom);
}

// ---- Fitting columns ---------------------------------------------------------------------

int TZvStringGrid::MeasureColumnContent(int ACol)
{
    const int c = RealColIndex(ACol);
    int first = 0, last = RowCount() - 1;
    switch (ColumnSize() ? ColumnSize()->Rows() : TAutoSizeRows::arAll) {
    case TAutoSizeRows::arAll:
        break;
    case TAutoSizeRows::arNormal:
        first = FixedRows();
        last = RowCount() - d->FFixedFooters - 1;
        break;
    case TAutoSizeRows::arFixed:
        last = FixedRows() - 1;
        break;
    }
    const bool dropDown = d->FControlLook && d->FControlLook->DropDownAlwaysVisible();
    const bool sortShown = SortSettings() && SortSettings()->Show() && RowCount() - FixedRows() > 1;
    int widest = 0;
    for (int r = first; r <= last; ++r) {
        if (IsXMergedCell(ACol, r)) continue;
        int w = GetCellGraphicSize(c, r).X + GetCellTextSize(c, r, false, false).X;
        if (dropDown && QueryHasComboBox(ACol, r)) w += 16;
        if (FilterDropDownAuto() && r == FilterDropDownRow() && QueryColumnFilter(ACol)) w += 12;
        if (sortShown && SortSettings()->Column() == ACol) {
            const int lastRow = r + CellSpan(ACol, r).Y;
            if (r == SortSettings()->Row() || lastRow == SortSettings()->Row()) w += 10;
        }
        if (TCellGraphic* g = GetCellGraphic(c, r); g && g->CellHAlign() == TCellHAlign::haFull)
            w = GetCellGraphicSize(c, r).X - 2 * GridLineWidth() - d->FXYOffset.X - 2;
        widest = std::max(widest, w);
    }
    return widest;
}

void TZvStringGrid::AutoSizeColumnCore(int ACol, bool GrowOnly)
{
    if (ACol < 0 || ACol >= ColCount()) return;
    const int totalX = d->FXYOffsetTopLeftOnly ? d->FXYOffset.X : 2 * d->FXYOffset.X;
    int width = MeasureColumnContent(ACol) + totalX + 2 * GridLineWidth() + 2;
    if (GrowOnly && ColWidths(ACol) >= width) return;
    ConstrainAutoColumnSize(ACol, width);
    SetColWidths(ACol, ClampToLimits(width, d->FMinColWidth, d->FMaxColWidth));
}

void TZvStringGrid::AutoSizeCol(int Index, int Extra)
{
    if (Index < 0 || Index >= ColCount()) return;
    AutoSizeColumnCore(Index, d->FSizeGrowOnly);
    if (Extra != 0) SetColWidths(Index, ClampToLimits(ColWidths(Index) + Extra, d->FMinColWidth, d->FMaxColWidth));
}

void TZvStringGrid::AutoSizeColumns(bool DoFixedCols, int Extra)
{
    const int first = DoFixedCols ? 0 : FixedCols();
    const int last = DoFixedCols ? ColCount() - 1 : ColCount() - d->FFixedRightCols - 1;
    BeginUpdate();
    for (int c = first; c <= last; ++c) AutoSizeCol(c, Extra);
    EndUpdate();
}
