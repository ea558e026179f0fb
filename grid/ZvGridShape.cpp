// Row and column insertion, removal and clearing: the operations that change
// the shape of the cell store and keep the per-row side lists in step.
//
// Rows move with the cells of every real column, hidden ones included: the
// store keeps hidden columns in place beyond ColCount, so the copies run
// over AllColCount instead of widening the platform grid.

#include "grid/ZvGrid.h"
#include "grid/ZvGridPrivate.h"

#include "platform/ScopeGuard.h"
#include "platform/SysUtils.h"

#include <algorithm>
#include <utility>

namespace {
// Drops `count` entries at `index` of a per-row list, as far as the list reaches.
void EraseRowEntries(TIntList* list, int index, int count)
{
    if (!list) return;
    for (int i = 0; i < count && index < list->Count(); ++i) list->Delete(index);
}

void EraseRowEntries(std::vector<bool>& flags, int index, int count)
{
    if (index >= int(flags.size())) return;
    const int last = std::min(int(flags.size()), index + count);
    flags.erase(flags.begin() + index, flags.begin() + last);
}
} // namespace

// ---- Moving whole rows and columns inside the store ------------------------------------------

void TZvStringGrid::CopyStoreRow(int From, int To, bool WithHeight)
{
    const int cols = AllColCount();
    for (int c = 0; c < cols; ++c) {
        SetGridCell(c, To, GetGridCell(c, From));
        TObject* obj = GetGridObject(c, From);
        SetGridObject(c, To, obj);
        if (auto* props = dynamic_cast<TCellProperties*>(obj)) props->SetOwnerRow(To);
    }
    if (WithHeight && RowHeights(To) != RowHeights(From)) SetRowHeights(To, RowHeights(From));
}

void TZvStringGrid::EmptyStoreRow(int ARow)
{
    const int cols = AllColCount();
    for (int c = 0; c < cols; ++c) {
        SetGridCell(c, ARow, String());
        SetGridObject(c, ARow, nullptr);
    }
}

void TZvStringGrid::CopyStoreCell(int From, int To, int ARow)
{
    SetGridCell(To, ARow, GetGridCell(From, ARow));
    TObject* obj = GetGridObject(From, ARow);
    SetGridObject(To, ARow, obj);
    if (auto* props = dynamic_cast<TCellProperties*>(obj)) props->SetOwnerCol(To);
}

void TZvStringGrid::EmptyStoreCell(int ACol, int ARow)
{
    SetGridCell(ACol, ARow, String());
    SetGridObject(ACol, ARow, nullptr);
}

void TZvStringGrid::CopyStoreCol(int From, int To, int Rows)
{
    for (int r = 0; r < Rows; ++r) CopyStoreCell(From, To, r);
}

void TZvStringGrid::EmptyStoreCol(int ACol, int Rows)
{
    for (int r = 0; r < Rows; ++r) EmptyStoreCell(ACol, r);
}

// ---- Rows ----------------------------------------------------------------------------------

void TZvStringGrid::InsertRows(int RowIndex, int RCount, bool UpdateCellControls)
{
    InsertRowsCore(RowIndex, RCount, UpdateCellControls);
}

void TZvStringGrid::InsertRowsCore(int RowIndex, int RCount, bool MoveControls)
{
    if (RCount <= 0 || RowIndex < 0) return;
    const bool wasMoving = std::exchange(d->FRowsMoving, true);
    const TScopeExit moved([&] { d->FRowsMoving = wasMoving; });
    RowIndex = std::min(RowIndex, RowCount());
    // Hidden rows at or below the insertion point keep their place among
    // the rows around them: their real indexes move down with the rows.
    const int realAt = RowIndex < RowCount() ? RealRowIndex(RowIndex) : RowCount() + NumHiddenRows();
    const int oldCount = RowCount();
    const bool footerLast = d->FFloatingFooter && d->FFloatingFooter->Visible() && RowIndex < oldCount;
    BeginUpdate();
    SetRowCount(oldCount + RCount);
    // The floating footer's row stays the last row.
    // First out of the way of the rows moving down onto its old place.
    if (footerLast) CopyStoreRow(oldCount - 1, oldCount + RCount - 1, true);
    const int lastMoved = footerLast ? oldCount - 1 : oldCount;
    for (int i = lastMoved + RCount - 1; i >= RowIndex + RCount; --i) CopyStoreRow(i - RCount, i, true);
    for (int i = RowIndex; i < RowIndex + RCount; ++i) {
        EmptyStoreRow(i);
        if (RowHeights(i) != DefaultRowHeight()) SetRowHeights(i, DefaultRowHeight());
    }
    for (auto& item : d->FGridItems)
        if (item->Idx() >= realAt) item->SetIdx(item->Idx() + RCount);
    if (d->FShowModified && d->FShowModified->Enabled() && d->FModifiedRows)
        for (int i = 0; i < RCount && RowIndex < d->FModifiedRows->Count(); ++i) d->FModifiedRows->Insert(RowIndex, 0);
    if (d->FUseEnabledRows && d->FEnabledRows)
        // 0 is an enabled row: inserted rows can be typed in, as new rows are.
        for (int i = 0; i < RCount && RowIndex < d->FEnabledRows->Count(); ++i) d->FEnabledRows->Insert(RowIndex, 0);
    if (MoveControls && d->FCellControls && d->FCellControls->Count() > 0) {
        for (int i = 0; i < d->FCellControls->Count(); ++i) {
            TControlItem* ci = d->FCellControls->GetControl(i);
            if (ci->FY >= realAt) ci->FY += RCount;
        }
        CellControlsUpdate(false);
    }
    EndUpdate();
    if (!d->FDestroying) FireCellsChanged(TRect{0, RowIndex, ColCount() - 1, RowIndex + RCount});
}

void TZvStringGrid::AddRow()
{
    const bool footer = d->FFloatingFooter && d->FFloatingFooter->Visible();
    if (footer) {
        InsertRows(RowCount() - 1, 1, true);
        if (d->FFloatingFooter->FooterStyle() != TFooterStyle::fsFixedLastRow) return;
        ClearRows(RowCount() - 2, 1);
        return;
    }
    InsertRows(RowCount(), 1, true);
    ClearRows(RowCount() - 1, 1);
}

void TZvStringGrid::UnregisterRowControls(int RowIndex, int RCount)
{
    if (!d->FCellControls || d->FCellControls->Count() == 0) return;
    const int first = RealRowIndex(RowIndex);
    const int last = RealRowIndex(RowIndex + RCount - 1);
    for (int i = d->FCellControls->Count() - 1; i >= 0; --i) {
        TControlItem* ci = d->FCellControls->GetControl(i);
        if (ci->FY < first || ci->FY > last) continue;
        if (ci->FObject) ci->FObject->SetVisible(false);
        if (TCellProperties* props = PropsAt(ci->FX, DisplRowIndex(ci->FY))) props->SetControl(nullptr);
        d->FCellControls->RemoveControl(i);
    }
}

void TZvStringGrid::LowerRealRowIndexes(int RowIndex, int RCount, bool Controls)
{
    // The real rows of the removed grid rows: the first and the last, with
    // any hidden rows lying between them counted out.
    const int firstReal = RealRowIndex(RowIndex);
    const int lastReal = RealRowIndex(RowIndex + RCount - 1);
    // Counted in the sorted hidden indexes: a filter can hide tens of
    // thousands of rows, and each of them is asked.
    const std::vector<int> hidden = HiddenIdxSorted();
    const auto afterFirst = std::upper_bound(hidden.begin(), hidden.end(), firstReal);
    auto removedBelow = [&](int real) {
        if (real <= firstReal) return 0;
        if (real > lastReal) return RCount;
        const auto hiddenBetween = std::lower_bound(afterFirst, hidden.end(), real) - afterFirst;
        return real - firstReal - int(hiddenBetween);
    };
    for (auto& item : d->FGridItems) item->SetIdx(item->Idx() - removedBelow(item->Idx()));
    if (Controls && d->FCellControls)
        for (int i = 0; i < d->FCellControls->Count(); ++i) {
            TControlItem* ci = d->FCellControls->GetControl(i);
            ci->FY -= removedBelow(ci->FY);
        }
}

void TZvStringGrid::ShiftRowsUp(int RowIndex, int RCount, bool WithHeights)
{
    const int count = RowCount();
    for (int i = RowIndex; i + RCount < count; ++i) CopyStoreRow(i + RCount, i, WithHeights);
    for (int i = std::max(RowIndex, count - RCount); i < count; ++i) EmptyStoreRow(i);
}

void TZvStringGrid::RemoveRows(int RowIndex, int RCount)
{
    // Past the last row there is nothing to remove, and a count reaching
    // beyond it stops at the last row.
    if (RowIndex < 0 || RowIndex >= RowCount() || RCount <= 0) return;
    const bool wasMoving = std::exchange(d->FRowsMoving, true);
    const TScopeExit moved([&] { d->FRowsMoving = wasMoving; });
    RCount = std::min(RCount, RowCount() - RowIndex);
    UnregisterRowControls(RowIndex, RCount);
    ClearCellPropertiesRange(0, RowIndex, AllColCount() - 1, RowIndex + RCount - 1);

    BeginUpdate();
    const int oldTop = TopRow();
    const int oldRow = Row();
    LowerRealRowIndexes(RowIndex, RCount, true);
    if (d->FShowModified && d->FShowModified->Enabled()) EraseRowEntries(d->FModifiedRows.get(), RowIndex, RCount);
    if (d->FUseEnabledRows) EraseRowEntries(d->FEnabledRows.get(), RowIndex, RCount);
    if (d->FMouseActions && d->FMouseActions->DisjunctRowSelect()) EraseRowEntries(d->FRowSelect, RowIndex, RCount);
    ShiftRowsUp(RowIndex, RCount, true);
    SetRowCount(std::max(1, RowCount() - RCount));
    d->FMaxRowCount -= RCount;
    const int lastNormal = RowCount() - d->FFixedFooters - 1;
    if (oldRow < RowCount() - d->FFixedFooters) {
        if (!(d->FMouseActions && d->FMouseActions->DisjunctRowSelect())) SetRow(oldRow);
        if (oldTop < RowCount() && oldTop >= FixedRows()) SetTopRow(oldTop);
    } else if (lastNormal >= FixedRows()) {
        SetRow(lastNormal);
    }
    EndUpdate();

    FireCellsChanged(TRect{0, RowIndex, ColCount() - 1, RowIndex + RCount});
    const int visible = VisibleRowCount();
    if (TopRow() >= RowCount() + FixedRows() - visible - 2 && RowCount() - visible - 1 > 0)
        SetTopRow(RowCount() + FixedRows() - visible - 2);
    if (d->FCellControls && d->FCellControls->Count() > 0) CellControlsUpdate(false);
}

void TZvStringGrid::RemoveRowsEx(int RowIndex, int RCount)
{
    if (RowIndex < 0 || RowIndex >= RowCount() || RCount <= 0) return;
    const bool wasMoving = std::exchange(d->FRowsMoving, true);
    const TScopeExit moved([&] { d->FRowsMoving = wasMoving; });
    RCount = std::min(RCount, RowCount() - RowIndex);
    const int oldRow = Row();
    const int oldTop = TopRow();
    LowerRealRowIndexes(RowIndex, RCount, false);
    BeginUpdate();
    ShiftRowsUp(RowIndex, RCount, false);
    if (d->FMouseActions && d->FMouseActions->DisjunctRowSelect()) EraseRowEntries(d->FRowSelect, RowIndex, RCount);
    SetRowCount(std::max(1, RowCount() - RCount));
    d->FMaxRowCount -= RCount;
    if (oldRow < RowCount()) {
        SetRow(oldRow);
        if (oldTop < RowCount() && oldTop >= FixedRows()) SetTopRow(oldTop);
    } else if (RowCount() > FixedRows()) {
        SetRow(FixedRows());
        SetTopRow(FixedRows());
    }
    EndUpdate();
    FireCellsChanged(TRect{0, RowIndex, ColCount() - 1, RowIndex + RCount});
}

void TZvStringGrid::RemoveRowsInternal(int RowIndex, int RCount)
{
    if (RowIndex < 0 || RowIndex >= RowCount() || RCount <= 0) return;
    RCount = std::min(RCount, RowCount() - RowIndex);
    ClearCellPropertiesRange(0, RowIndex, AllColCount() - 1, RowIndex + RCount - 1);
    RemoveRowsCore(RowIndex, RCount, true);
}

void TZvStringGrid::RemoveRowsCore(int RowIndex, int RCount, bool MoveControls)
{
    if (RowIndex < 0 || RowIndex >= RowCount() || RCount <= 0) return;
    const bool wasMoving = std::exchange(d->FRowsMoving, true);
    const TScopeExit moved([&] { d->FRowsMoving = wasMoving; });
    RCount = std::min(RCount, RowCount() - RowIndex);
    if (MoveControls) UnregisterRowControls(RowIndex, RCount);
    const int savedFooters = d->FFixedFooters;
    d->FFixedFooters = 0;
    BeginUpdate();
    const int oldTop = TopRow();
    const int oldRow = Row();
    if (MoveControls) LowerRealRowIndexes(RowIndex, RCount, true);
    if (d->FMouseActions && d->FMouseActions->DisjunctRowSelect() && !d->FMouseActions->RowSelectPersistent())
        EraseRowEntries(d->FRowSelect, RowIndex, RCount);
    ShiftRowsUp(RowIndex, RCount, true);
    SetRowCount(std::max(1, RowCount() - RCount));
    if (oldRow < RowCount() - savedFooters) {
        SetRow(oldRow);
        if (oldTop < RowCount() && oldTop >= FixedRows()) SetTopRow(oldTop);
    } else if (RowCount() - savedFooters - 1 >= FixedRows()) {
        SetRow(RowCount() - savedFooters - 1);
    }
    EndUpdate();
    d->FFixedFooters = savedFooters;
    FireCellsChanged(TRect{0, RowIndex, ColCount() - 1, RowIndex + RCount});
    if (TopRow() >= RowCount() - 1 && RowCount() - 1 >= FixedRows()) SetTopRow(RowCount() - 1);
    if (d->FCellControls && d->FCellControls->Count() > 0) CellControlsUpdate(false);
}

void TZvStringGrid::ClearRows(int RowIndex, int RCount)
{
    if (RowCount() <= 0 || ColCount() <= 0 || RCount <= 0) return;
    ClearRect(0, RowIndex, AllColCount() - 1, RowIndex + RCount - 1);
}

void TZvStringGrid::ClearNormalRows(int RowIndex, int RCount)
{
    if (RowCount() <= 0 || ColCount() <= 0 || RCount <= 0) return;
    ClearRect(FixedCols(), RowIndex, AllColCount() - d->FFixedRightCols - 1, RowIndex + RCount - 1);
}

// ---- Columns (real indexes) -------------------------------------------------------------------

std::vector<int> TZvStringGrid::AllWidths()
{
    std::vector<int> widths(static_cast<std::size_t>(AllColCount()));
    for (int c = 0; c < AllColCount(); ++c) widths[std::size_t(c)] = GetAllColWidths(c);
    return widths;
}

void TZvStringGrid::InsertCols(int ColIndex, int CCount)
{
    if (CCount <= 0 || ColIndex < 0) return;
    const int oldAll = AllColCount();
    ColIndex = std::min(ColIndex, oldAll);
    std::vector<int> widths = AllWidths();
    std::vector<bool> visible(static_cast<std::size_t>(oldAll));
    for (int c = 0; c < oldAll; ++c) visible[std::size_t(c)] = !IsHiddenColumn(c);
    widths.insert(widths.begin() + ColIndex, std::size_t(CCount), DefaultColWidth());
    visible.insert(visible.begin() + ColIndex, std::size_t(CCount), true);

    BeginUpdate();
    SetColCount(ColCount() + CCount);
    // Row by row: each row's cells are visited once while they are at hand,
    // instead of one sweep over all rows per moved column.
    const int rows = RowCount();
    for (int r = 0; r < rows; ++r) {
        for (int c = oldAll + CCount - 1; c >= ColIndex + CCount; --c) CopyStoreCell(c - CCount, c, r);
        for (int c = ColIndex; c < ColIndex + CCount; ++c) EmptyStoreCell(c, r);
    }
    for (int c = 0; c < int(visible.size()) && c < int(d->FVisibleCol.size()); ++c)
        d->FVisibleCol[std::size_t(c)] = visible[std::size_t(c)];
    for (int c = 0; c < int(widths.size()); ++c) SetAllColWidths(c, widths[std::size_t(c)]);
    EndUpdate();
    FireCellsChanged(TRect{ColIndex, 0, ColIndex + CCount, RowCount() - 1});
}

void TZvStringGrid::AddColumn()
{
    InsertCols(ColCount(), 1);
}

void TZvStringGrid::ClearCols(int ColIndex, int CCount)
{
    if (RowCount() <= 0 || ColCount() <= 0 || CCount <= 0) return;
    ClearRect(ColIndex, 0, ColIndex + CCount - 1, RowCount() - 1);
}

void TZvStringGrid::ClearNormalCols(int ColIndex, int CCount)
{
    if (RowCount() <= 0 || ColCount() <= 0 || CCount <= 0) return;
    ClearRect(ColIndex, FixedRows(), ColIndex + CCount - 1, RowCount() - d->FFixedFooters - 1);
}

void TZvStringGrid::MergeCols(int ColIndex1, int ColIndex2, const String& Separator)
{
    for (int r = FixedRows(); r < RowCount(); ++r)
        SetCellEx(ColIndex1, r, Trim(GetCellEx(ColIndex1, r) + Separator + GetCellEx(ColIndex2, r)));
    RemoveCols(ColIndex2, 1);
}

void TZvStringGrid::RemoveCols(int ColIndex, int CCount)
{
    const int oldAll = AllColCount();
    if (ColIndex < 0 || ColIndex >= oldAll || CCount <= 0) return;
    CCount = std::min(CCount, oldAll - ColIndex);
    // Hidden columns among the removed ones leave the hidden count with them.
    int hiddenRemoved = 0;
    for (int c = ColIndex; c < ColIndex + CCount; ++c)
        if (IsHiddenColumn(c)) ++hiddenRemoved;
    std::vector<int> widths = AllWidths();
    std::vector<bool> visible(static_cast<std::size_t>(oldAll));
    for (int c = 0; c < oldAll; ++c) visible[std::size_t(c)] = !IsHiddenColumn(c);
    widths.erase(widths.begin() + ColIndex, widths.begin() + ColIndex + CCount);
    visible.erase(visible.begin() + ColIndex, visible.begin() + ColIndex + CCount);

    const bool savedTextOnly = d->FClearTextOnly;
    d->FClearTextOnly = false;
    const int rows = RowCount();
    {
        const bool blocked = d->FCellChangeBlocked;
        d->FCellChangeBlocked = true;
        for (int r = 0; r < rows; ++r)
            for (int c = ColIndex; c < ColIndex + CCount; ++c) ClearStoreCell(c, r);
        d->FCellChangeBlocked = blocked;
    }
    d->FClearTextOnly = savedTextOnly;

    BeginUpdate();
    // One pass over the rows, as in InsertCols.
    for (int r = 0; r < rows; ++r) {
        for (int c = ColIndex; c + CCount < oldAll; ++c) CopyStoreCell(c + CCount, c, r);
        for (int c = std::max(ColIndex, oldAll - CCount); c < oldAll; ++c) EmptyStoreCell(c, r);
    }
    for (int c = 0; c < int(d->FVisibleCol.size()); ++c)
        d->FVisibleCol[std::size_t(c)] = c < int(visible.size()) ? bool(visible[std::size_t(c)]) : true;
    d->FNumHidden -= hiddenRemoved;
    SetColCount(std::max(1, ColCount() - (CCount - hiddenRemoved)));
    for (int c = 0; c < int(widths.size()); ++c) SetAllColWidths(c, widths[std::size_t(c)]);
    EndUpdate();
    FireCellsChanged(TRect{ColIndex, 0, ColIndex + CCount, RowCount() - 1});
}

// ---- Clearing --------------------------------------------------------------------------------

void TZvStringGrid::ClearStoreCell(int a, int r)
{
    if (!d->FClearTextOnly && GetGridObject(a, r)) {
        if (d->FNilObjects) {
            SetGridObject(a, r, nullptr);
            SetGridCell(a, r, String());
            return;
        }
        FreeCellProperties(PropsAt(a, r));
        SetGridObject(a, r, nullptr);
    }
    if (!d->FDestroying && !GetGridCell(a, r).isEmpty()) SetGridCell(a, r, String());
}

void TZvStringGrid::ClearRect(int ACol1, int ARow1, int ACol2, int ARow2)
{
    const auto mapped = [&](int i) { return d->FSaveHiddenCells ? RealColIndex(i) : i; };
    for (int r = ARow1; r <= ARow2; ++r) {
        if (r < 0) continue;
        for (int i = ACol1; i <= ACol2; ++i) {
            if (i < 0) continue;
            const int a = mapped(i);
            const bool hadText = !GetGridCell(a, r).isEmpty();
            ClearStoreCell(a, r);
            if (hadText && !d->FDestroying) RepaintCell(i, r);
        }
    }
    if (ACol1 <= 0 && ARow1 <= 0 && ACol2 >= ColCount() - 1 && ARow2 >= RowCount() - 1) FHasCellProps = false;
    // The report names the store's columns: the ones actually emptied.
    if (!d->FDestroying && !d->FCellChangeBlocked) FireCellsChanged(TRect{mapped(ACol1), ARow1, mapped(ACol2), ARow2});
}

void TZvStringGrid::TrimRect(int ACol1, int ARow1, int ACol2, int ARow2)
{
    for (int r = std::max(ARow1, 0); r <= ARow2 && r < RowCount(); ++r)
        for (int i = std::max(ACol1, 0); i <= ACol2; ++i) {
            const int c = d->FSaveHiddenCells ? RealColIndex(i) : i;
            const String text = GetCellEx(c, r);
            // Blanks and control characters at either end go, as Trim takes them.
            const String trimmed = Trim(text);
            if (trimmed != text) SetCellEx(c, r, trimmed);
        }
}

void TZvStringGrid::TrimColumn(int ACol) { TrimRect(ACol, 0, ACol, RowCount() - 1); }

void TZvStringGrid::TrimRow(int ARow) { TrimRect(0, ARow, ColCount() - 1, ARow); }

void TZvStringGrid::TrimAll() { TrimRect(0, 0, ColCount() - 1, RowCount() - 1); }

void TZvStringGrid::ColorRect(int ACol1, int ARow1, int ACol2, int ARow2, TColor AColor)
{
    for (int r = ARow1; r <= ARow2; ++r)
        for (int c = ACol1; c <= ACol2; ++c) SetColors(c, r, AColor);
}

bool TZvStringGrid::IsWideCell(int ACol, int ARow)
{
    return GetCellEx(ACol, ARow).startsWith(QStringLiteral("|\\"));
}

void TZvStringGrid::ClearNormalCells()
{
    if (FixedCols() == 0 && d->FNumNodes > 0) RemoveAllNodes();
    if (RowCount() <= 0 || ColCount() <= 0) return;
    ClearRect(FixedCols(), FixedRows(), AllColCount() - d->FFixedRightCols - 1, RowCount() - d->FFixedFooters - 1);
}

void TZvStringGrid::Clear()
{
    if (d->FDestroying) return;
    if (d->FNumNodes > 0) RemoveAllNodes();
    if (RowCount() > 0 && ColCount() > 0) ClearRect(0, 0, AllColCount() - 1, RowCount() - 1);
    SetIncrSearchText(String());
    if (d->FNumHidden > 0) Invalidate();
}

void TZvStringGrid::ClearAll()
{
    Clear();
    for (auto& item : d->FGridItems) {
        TStringList* kept = item->Items();
        for (int c = 0; c < kept->Count(); ++c) kept->SetStrings(c, String());
    }
}

void TZvStringGrid::ClearSelection()
{
    const TMouseActions& mouse = *d->FMouseActions;
    if (mouse.DisjunctRowSelect()) {
        for (int r = FixedRows(); r < RowCount(); ++r)
            if (RowSelectedForRemoval(r)) ClearRows(r, 1);
        return;
    }
    if (mouse.DisjunctColSelect()) {
        for (int c = FixedCols(); c < ColCount(); ++c)
            if (c < int(d->FColSelect.size()) && d->FColSelect[std::size_t(c)]) ClearCols(c, 1);
        return;
    }
    const TGridRect s = Selection();
    ClearRect(std::min(s.Left, s.Right), std::min(s.Top, s.Bottom), std::max(s.Left, s.Right),
              std::max(s.Top, s.Bottom));
}
