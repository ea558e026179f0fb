// Removing and hiding rows and columns by check box, duplicate text or
// selection, finding a cell by text, and merging runs of equal cells.

#include "grid/ZvGrid.h"
#include "grid/ZvGridPrivate.h"

#include <QSet>

void TZvStringGrid::RemoveCheckedRows(int CheckBoxColumn, bool RemoveChecked)
{
    BeginUpdate();
    for (int r = RowCount() - 1; r >= FixedRows(); --r)
        if (IsChecked(CheckBoxColumn, r) == RemoveChecked) RemoveRows(r, 1);
    EndUpdate();
}

void TZvStringGrid::RemoveDuplicates(int ACol, bool DoCase)
{
    Q_UNUSED(DoCase);   // the look-up ignores case either way; only the kept spelling differs
    const int c = RealColIndex(ACol);
    QSet<String> seen;
    BeginUpdate();
    int r = FixedRows();
    while (r < RowCount() - d->FFixedFooters) {
        const String key = GetCellEx(c, r).toUpper();
        if (!seen.contains(key)) {
            seen.insert(key);
            ++r;
            continue;
        }
        RemoveRowsInternal(r, 1);
    }
    EndUpdate();
}

bool TZvStringGrid::RowSelectedForRemoval(int ARow)
{
    if (d->FMouseActions->RowSelectPersistent()) {
        const int real = RealRowIndex(ARow);
        return real >= 0 && real < int(d->FRowSelect.size()) && d->FRowSelect[std::size_t(real)];
    }
    return ARow >= 0 && ARow < int(d->FRowSelect.size()) && d->FRowSelect[std::size_t(ARow)];
}

void TZvStringGrid::RemoveSelectedRows()
{
    BeginUpdate();
    if (d->FMouseActions && d->FMouseActions->DisjunctRowSelect()) {
        std::vector<int> rows;
        for (int r = RowCount() - d->FFixedFooters - 1; r >= FixedRows(); --r)
            if (RowSelectedForRemoval(r)) rows.push_back(r);
        // Bottom up, so the rows still to go keep their indexes.
        for (int r : rows) RemoveRowsInternal(r, 1);
        ClearRowSelect();
    } else {
        const TGridRect s = Selection();
        const int top = std::min(s.Top, s.Bottom), bottom = std::max(s.Top, s.Bottom);
        for (int r = bottom; r >= top; --r) RemoveRowsInternal(r, 1);
    }
    EndUpdate();
}

void TZvStringGrid::RemoveUnSelectedRows()
{
    BeginUpdate();
    for (int r = RowCount() - d->FFixedFooters - 1; r >= FixedRows(); --r)
        if (!GetRowSelect(r)) RemoveRowsInternal(r, 1);
    if (d->FMouseActions && d->FMouseActions->RowSelectPersistent())
        SelectRows(FixedRows(), RowCount() - FixedRows());
    else
        ClearRowSelect();
    EndUpdate();
}

void TZvStringGrid::HideSelectedRows()
{
    BeginUpdate();
    for (int r = RowCount() - 1; r >= FixedRows(); --r)
        if (RowSelectedForRemoval(r)) HideRows(RealRowIndex(r), RealRowIndex(r));
    EndUpdate();
}

void TZvStringGrid::HideUnSelectedRows()
{
    BeginUpdate();
    int r = FixedRows();
    while (r < RowCount() && RowCount() > FixedRows()) {
        if (RowSelectedForRemoval(r)) {
            ++r;
            continue;
        }
        const int before = RowCount();
        HideRows(RealRowIndex(r), RealRowIndex(r));
        // A row that cannot be hidden would be met again forever: step past it.
        if (RowCount() == before) ++r;
    }
    EndUpdate();
}

void TZvStringGrid::RemoveSelectedCols()
{
    if (d->FMouseActions && d->FMouseActions->DisjunctColSelect()) {
        for (int c = ColCount() - 1; c >= FixedCols(); --c) {
            if (c >= int(d->FColSelect.size()) || !d->FColSelect[std::size_t(c)]) continue;
            RemoveCols(c, 1);
            d->FColSelect.erase(d->FColSelect.begin() + c);
        }
        return;
    }
    const TGridRect s = Selection();
    const int left = std::min(s.Left, s.Right), right = std::max(s.Left, s.Right);
    RemoveCols(left, right - left + 1);
}

void TZvStringGrid::RemoveUnSelectedCols()
{
    if (d->FMouseActions && d->FMouseActions->DisjunctColSelect()) {
        for (int c = ColCount() - 1; c >= FixedCols(); --c) {
            if (c < int(d->FColSelect.size()) && d->FColSelect[std::size_t(c)]) continue;
            RemoveCols(c, 1);
            if (c < int(d->FColSelect.size())) d->FColSelect.erase(d->FColSelect.begin() + c);
        }
    } else {
        const TGridRect s = Selection();
        const int left = std::min(s.Left, s.Right), right = std::max(s.Left, s.Right);
        RemoveCols(right + 1, ColCount() - right);
        RemoveCols(FixedCols(), left - FixedCols());
    }
    ClearColSelect();
}

bool TZvStringGrid::IsCell(const String& SubStr, int& ACol, int& ARow)
{
    for (int r = 0; r < RowCount(); ++r)
        for (int c = 0; c < ColCount(); ++c)
            if (GetGridCell(c, r) == SubStr) {
                ACol = c;
                ARow = r;
                return true;
            }
    return false;
}

void TZvStringGrid::MergeColumnCells(int ColIndex, bool MainMerge)
{
    const int last = RowCount() - d->FFixedFooters - 1;
    int start = FixedRows();
    auto flush = [&](int end) {
        if (end - start + 1 > 1) MergeCells(ColIndex, start, 1, end - start + 1);
    };
    for (int r = FixedRows() + 1; r <= last; ++r) {
        const bool same = GetCellEx(ColIndex, r) == GetCellEx(ColIndex, r - 1) && (MainMerge || RowSpanIdentical(r, r - 1));
        if (same) continue;
        flush(r - 1);
        start = r;
    }
    flush(last);
}

void TZvStringGrid::MergeRowCells(int RowIndex, bool MainMerge)
{
    const int last = ColCount() - d->FFixedRightCols - 1;
    int start = FixedCols();
    for (int c = FixedCols() + 1; c <= last; ++c) {
        const bool same = GetCellEx(c, RowIndex) == GetCellEx(c - 1, RowIndex) && (MainMerge || ColSpanIdentical(c, c - 1));
        if (same) continue;
        if (c - start > 1) MergeCells(start, RowIndex, c - start, 1);
        start = c;
    }
    if (last - start + 1 >= 2) MergeCells(start, RowIndex, last - start + 1, 1);
}

void TZvStringGrid::SplitColumnCells(int ColIndex)
{
    int r = 0;
    while (r < RowCount() - d->FFixedFooters - 1) {
        const TPoint span = CellSpan(ColIndex, r);
        if (IsBaseCell(ColIndex, r) && span.Y > 0) {
            SplitCells(ColIndex, r);
            r += span.Y + 1;
        } else {
            ++r;
        }
    }
}

void TZvStringGrid::SplitRowCells(int RowIndex)
{
    int c = 0;
    while (c < ColCount() - d->FFixedRightCols - 1) {
        const TPoint span = CellSpan(c, RowIndex);
        if (IsBaseCell(c, RowIndex) && span.X > 0) {
            SplitCells(c, RowIndex);
            c += span.X + 1;
        } else {
            ++c;
        }
    }
}

void TZvStringGrid::SplitAllCells()
{
    for (int r = 0; r < RowCount(); ++r)
        for (int c = 0; c < ColCount(); ++c)
            if (IsMergedCell(c, r) && IsBaseCell(c, r)) SplitCells(c, r);
}
