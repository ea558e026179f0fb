// Hidden columns and rows, and the mappings between real and display indexes.
//
// A hidden column keeps its cells in the store under its real index; only
// the platform's column count shrinks. A hidden row leaves the grid: its
// texts and cell objects (the cell properties, which the grid owns) move into
// an item of the hidden-row store and come back from there. Rows are taken
// out and put back in one pass over the grid, so hiding or showing many rows
// costs no more than moving them once.

#include "grid/ZvGrid.h"
#include "grid/ZvGridPrivate.h"
#include "grid/services/ZvGridSearch.h"
#include "grid/services/ZvGridSort.h"
#include "grid/services/panels/ZvGridPanels.h"
#include "grid/services/panels/ZvSearchPanel.h"

#include <algorithm>
#include <limits>

namespace {

constexpr int MaxHideableCol = 512;   // real columns at or above this are never hidden

} // namespace

// ---- Columns ----------------------------------------------------------------------------------------
void TZvStringGrid::HideColumn(int ColIndex)
{
    HideColumns(ColIndex, ColIndex);
}

void TZvStringGrid::UnHideColumn(int ColIndex)
{
    UnHideColumns(ColIndex, ColIndex);
}

void TZvStringGrid::UnHideColumnsAll()
{
    UnHideColumns(0, ColCount() + d->FNumHidden);
}

void TZvStringGrid::HideColumns(int FromCol, int ToCol)
{
    HideInplaceEdit();
    for (int c = std::max(FromCol, 0); c <= ToCol && c < MaxHideableCol; ++c) {
        if (!d->FVisibleCol[std::size_t(c)] || c >= ColCount() + d->FNumHidden || ColCount() <= 1) continue;
        const int dc = DisplColIndex(c);
        d->FAllColWidths[std::size_t(c)] = std::int16_t(std::clamp(ColWidths(dc), 0, 0x7FFF));
        for (int i = dc; i + 1 < ColCount(); ++i) SetColWidths(i, ColWidths(i + 1));
        ++d->FNumHidden;
        d->FVisibleCol[std::size_t(c)] = false;
        if (Col() == ColCount() - 1) SetCol(Col() - 1);
        SetColCount(ColCount() - 1);
    }
    Invalidate();
}

void TZvStringGrid::UnHideColumns(int FromCol, int ToCol)
{
    HideInplaceEdit();
    for (int c = std::max(FromCol, 0); c <= ToCol && c < MaxHideableCol; ++c) {
        if (d->FVisibleCol[std::size_t(c)]) continue;
        --d->FNumHidden;
        d->FVisibleCol[std::size_t(c)] = true;
        SetColCount(ColCount() + 1);
        // The columns after it make room; it gets back the width it had.
        const int dc = DisplColIndex(c);
        for (int i = ColCount() - 1; i > dc; --i) SetColWidths(i, ColWidths(i - 1));
        SetColWidths(dc, d->FAllColWidths[std::size_t(c)]);
    }
    Invalidate();
}

int TZvStringGrid::DisplColIndex(int ACol) { return RealToDisplayCol(ACol); }

int TZvStringGrid::RealColIndex(int ACol) { return DisplayToRealCol(ACol); }

int TZvStringGrid::GetRealCol() { return RealColIndex(Col()); }

bool TZvStringGrid::IsHiddenColumn(int ColIndex) const
{
    if (ColIndex < 0 || ColIndex >= MaxHideableCol) return false;
    return !d->FVisibleCol[std::size_t(ColIndex)];
}


int TZvStringGrid::RealToDisplayCol(int ACol) const
{
    if (ACol >= MaxHideableCol || d->FNumHidden == 0 || ACol < 0) return ACol;
    int hidden = 0;
    for (int c = 0; c < ACol; ++c)
        if (!d->FVisibleCol[std::size_t(c)]) ++hidden;
    return ACol - hidden;
}

int TZvStringGrid::DisplayToRealCol(int ACol) const
{
    if (ACol >= MaxHideableCol || d->FNumHidden == 0 || ACol < 0) return ACol;
    int shown = 0;
    for (int j = 0; j < MaxHideableCol; ++j) {
        if (!d->FVisibleCol[std::size_t(j)]) continue;
        if (shown == ACol) return j;
        ++shown;
    }
    // Past the last shown column every hidden one lies before it: the real
    // index counts them in, as RealToDisplayCol counts them out.
    return ACol + d->FNumHidden;
}

void TZvStringGrid::MoveColumnData(int FromIndex, int ToIndex)
{
    if (d->FNumHidden == 0 && d->FGridItems.empty()) {
        TBaseGrid::MoveColumnData(FromIndex, ToIndex);
        return;
    }
    const int from = RealColIndex(FromIndex);
    const int to = RealColIndex(ToIndex);
    if (from == to) return;
    TBaseGrid::MoveColumnData(from, to);
    auto moveEntry = [from, to](auto& table) {
        if (from >= int(table.size()) || to >= int(table.size())) return;
        auto f = table.begin() + from;
        auto t = table.begin() + to;
        if (from < to) std::rotate(f, f + 1, t + 1);
        else std::rotate(t, f, f + 1);
    };
    if (from < MaxHideableCol && to < MaxHideableCol) {
        moveEntry(d->FVisibleCol);
        moveEntry(d->FAllColWidths);
    }
    for (const auto& item : d->FGridItems) {
        TStringList* cells = item->Items();
        if (std::max(from, to) < cells->Count()) cells->Move(from, to);
    }
}

void TZvStringGrid::MoveColumn(int FromIndex, int ToIndex)
{
    // The base grid moves cells, widths and the current cell together; the
    // column-moved step that follows only notifies.
    TBaseGrid::MoveColumn(FromIndex, ToIndex);
    CellControlsUpdate(false);
}

// ---- Rows ----------------------------------------------------------------------------------------------
std::vector<int> TZvStringGrid::HiddenIdxSorted() const
{
    std::vector<int> idx;
    idx.reserve(d->FGridItems.size());
    for (const auto& item : d->FGridItems) idx.push_back(item->Idx());
    std::sort(idx.begin(), idx.end());
    return idx;
}

std::vector<std::unique_ptr<TGridItem>> TZvStringGrid::TakeRowsOut(const std::vector<int>& Rows, int Level)
{
    std::vector<std::unique_ptr<TGridItem>> items;
    if (Rows.empty()) return items;
    const int width = TotalColCount();
    items.reserve(Rows.size());
    for (int r : Rows) {
        auto item = std::make_unique<TGridItem>();
        TStringList* cells = item->Items();
        // The texts move over rather than being copied: a copy and the
        // store's release would touch every text's shared data once each.
        cells->Reserve(width);
        for (int c = 0; c < width; ++c) cells->AddObject(TakeCellText(c, r), Objects(c, r));
        item->SetIdx(r);
        item->SetHeight(RowHeights(r));
        item->SetLevel(Level);
        items.push_back(std::move(item));
    }
    // The rows left shown move up over the ones taken, in order; the taken
    // ones end at the bottom and leave the grid there. Their cell objects
    // now belong to the items, so the store lets go of them without freeing.
    const int count = RowCount();
    const int first = Rows.front();
    std::vector<int> order;
    order.reserve(std::size_t(count - first));
    std::size_t k = 0;
    for (int r = first; r < count; ++r) {
        if (k < Rows.size() && Rows[k] == r) ++k;
        else order.push_back(r);
    }
    order.insert(order.end(), Rows.begin(), Rows.end());
    TBaseGrid::ReorderRows(first, order);
    const int taken = int(Rows.size());
    if (taken < count) {
        TBaseGrid::DeleteRows(count - taken, taken);
    } else {
        // The last row cannot go; it stays as an empty one.
        TBaseGrid::DeleteRows(1, count - 1);
        for (int c = 0; c < width; ++c) {
            SetObjects(c, 0, nullptr);
            SetCells(c, 0, String());
        }
    }
    SetRowCount(RowCount());
    return items;
}

void TZvStringGrid::PutRowsBack(std::vector<std::pair<int, std::unique_ptr<TGridItem>>> Targets)
{
    if (Targets.empty()) return;
    std::stable_sort(Targets.begin(), Targets.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    const int old = RowCount();
    const int m = int(Targets.size());
    const int total = old + m;
    // Each target lies after the one before and leaves room for the rest.
    int prev = -1;
    for (int j = 0; j < m; ++j) {
        int& t = Targets[std::size_t(j)].first;
        t = std::clamp(t, prev + 1, total - (m - j));
        prev = t;
    }
    // Empty rows are appended, then every row goes to its place at once.
    TBaseGrid::InsertRows(old, m);
    std::vector<int> order(static_cast<std::size_t>(total));
    int nextOld = 0;
    int nextNew = old;
    std::size_t j = 0;
    for (int t = 0; t < total; ++t) {
        if (j < Targets.size() && Targets[j].first == t) {
            order[std::size_t(t)] = nextNew++;
            ++j;
        } else {
            order[std::size_t(t)] = nextOld++;
        }
    }
    TBaseGrid::ReorderRows(0, order);
    const int width = TotalColCount();
    for (const auto& [row, item] : Targets) {
        TStringList* cells = item->Items();
        const int n = std::min(width, cells->Count());
        // The reordering repainted the grid: the cells need no repaint each.
        for (int c = 0; c < n; ++c) {
            SetObjects(c, row, cells->Objects(c));
            PutCellText(c, row, cells->TakeString(c));
        }
        if (RowHeights(row) != item->Height() && item->Height() > 0) SetRowHeights(row, item->Height());
    }
    SetRowCount(RowCount());
}

void TZvStringGrid::HideRow(int Rowindex)
{
    HideRows(Rowindex, Rowindex);
}

void TZvStringGrid::HideRows(int FromRow, int ToRow)
{
    FromRow = std::max(FromRow, 0);
    ToRow = std::min(ToRow, TotalRowCount() - 1);
    if (FromRow > ToRow) return;
    // Display rows of the range that are still shown: r's display index is r
    // less the hidden rows above it.
    const std::vector<int> hidden = HiddenIdxSorted();
    std::vector<int> rows;
    std::vector<int> idx;
    auto h = std::lower_bound(hidden.begin(), hidden.end(), FromRow);
    const int above = int(h - hidden.begin());
    int hiddenSoFar = above;
    for (int r = FromRow; r <= ToRow; ++r) {
        if (h != hidden.end() && *h == r) {
            ++hiddenSoFar;
            ++h;
            continue;
        }
        const int d = r - hiddenSoFar;
        if (d >= RowCount()) break;
        rows.push_back(d);
        idx.push_back(r);
    }
    if (rows.empty()) return;
    if (auto* control = GetCellControls(1, rows.front())) control->SetVisible(false);
    auto items = TakeRowsOut(rows, 0);
    for (std::size_t i = 0; i < items.size(); ++i) items[i]->SetIdx(idx[i]);
    // Kept in ascending Idx order: they go in after the items below FromRow.
    std::size_t at = 0;
    while (at < d->FGridItems.size() && d->FGridItems[at]->Idx() < FromRow) ++at;
    d->FGridItems.insert(d->FGridItems.begin() + std::ptrdiff_t(at), std::make_move_iterator(items.begin()),
                      std::make_move_iterator(items.end()));
    CellControlsUpdate(false);
}

void TZvStringGrid::HideRowsEx(int FromRow, int ToRow)
{
    if (IsHiddenRow(FromRow)) return;
    const int p = DisplRowIndex(FromRow);
    std::vector<int> rows;
    for (int r = FromRow; r <= ToRow; ++r) {
        const int d = p + (r - FromRow);
        if (d < 0 || d >= RowCount()) continue;
        rows.push_back(d);
    }
    if (rows.empty()) return;
    auto items = TakeRowsOut(rows, 0);
    for (auto& item : items) {
        item->SetIdx(FromRow + (item->Idx() - p));
        item->SetHeight(0);
        d->FGridItems.push_back(std::move(item));
    }
    CellControlsUpdate(false);
}

void TZvStringGrid::HideRowList(TIntList* RowList)
{
    if (!RowList) return;
    std::vector<int> rows;
    rows.reserve(std::size_t(RowList->Count()));
    for (int i = 0; i < RowList->Count(); ++i) {
        const int r = RowList->Items(i);
        if (r >= 0 && r < RowCount()) rows.push_back(r);
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    auto items = TakeRowsOut(rows, d->FFilterLevel);
    for (auto& item : items) d->FGridItems.push_back(std::move(item));
    ++d->FFilterLevel;
    CellControlsUpdate(false);
}

void TZvStringGrid::UnHideRowList()
{
    if (d->FFilterLevel <= 0) return;
    const int level = d->FFilterLevel - 1;
    if (Row() >= RowCount()) MoveToCell(FixedCols(), FixedRows());
    std::vector<std::pair<int, std::unique_ptr<TGridItem>>> back;
    std::vector<std::unique_ptr<TGridItem>> kept;
    for (auto& item : d->FGridItems) {
        // Below the second level every item comes back: rows hidden directly
        // share level 0 with the first filter.
        if (item->Level() == level || d->FFilterLevel < 2) {
            const int t = item->Idx();
            back.emplace_back(t, std::move(item));
        } else {
            kept.push_back(std::move(item));
        }
    }
    d->FGridItems = std::move(kept);
    PutRowsBack(std::move(back));
    CellControlsUpdate(false);
}

void TZvStringGrid::UnHideRow(int Rowindex)
{
    UnHideRows(Rowindex, Rowindex);
}

void TZvStringGrid::UnHideRows(int FromRow, int ToRow)
{
    if (!IsHiddenRow(FromRow)) return;
    const bool showModified = d->FShowModified->Enabled();
    d->FShowModified->SetEnabled(false);
    // A row comes back where it would be were it never hidden: its real
    // index less the rows that stay hidden above it.
    std::vector<std::unique_ptr<TGridItem>> kept;
    std::vector<std::unique_ptr<TGridItem>> shown;
    for (auto& item : d->FGridItems) {
        if (item->Idx() >= FromRow && item->Idx() <= ToRow) shown.push_back(std::move(item));
        else kept.push_back(std::move(item));
    }
    d->FGridItems = std::move(kept);
    const std::vector<int> stay = HiddenIdxSorted();
    std::vector<std::pair<int, std::unique_ptr<TGridItem>>> back;
    for (auto& item : shown) {
        const int above = int(std::lower_bound(stay.begin(), stay.end(), item->Idx()) - stay.begin());
        const int t = item->Idx() - above;
        back.emplace_back(t, std::move(item));
    }
    const int first = back.empty() ? -1 : std::min_element(back.begin(), back.end(), [](const auto& a, const auto& b) {
                                               return a.first < b.first;
                                           })->first;
    PutRowsBack(std::move(back));
    if (first >= 0) {
        if (auto* control = GetCellControls(1, first)) {
            const TRect r = CellRect(1, first);
            control->SetBounds(r.Left, r.Top, r.Width(), r.Height() - 1);
            control->SetVisible(true);
        }
    }
    d->FShowModified->SetEnabled(showModified);
    CellControlsUpdate(false);
}

void TZvStringGrid::UnHideRowsAll()
{
    if (d->FGridItems.empty()) return;
    UnHideRows(HiddenIdxSorted().front(), std::numeric_limits<int>::max());
}

bool TZvStringGrid::IsHiddenRow(int Rowindex) const
{
    const auto& items = d->FGridItems;
    return std::any_of(items.begin(), items.end(), [Rowindex](const auto& i) { return i->Idx() == Rowindex; });
}

bool TZvStringGrid::IsHiddenRow(int Rowindex, TIntList*& ListHidden) const
{
    if (!ListHidden) {
        ListHidden = new TIntList();
        for (int idx : HiddenIdxSorted()) ListHidden->Add(idx);
    }
    // Built ascending: a binary search answers.
    int lo = 0, hi = ListHidden->Count();
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (ListHidden->Items(mid) < Rowindex) lo = mid + 1;
        else hi = mid;
    }
    return lo < ListHidden->Count() && ListHidden->Items(lo) == Rowindex;
}

int TZvStringGrid::RealRowIndex(int ARow) const { return DisplayToRealRow(ARow); }

int TZvStringGrid::DisplRowIndex(int ARow) const { return RealToDisplayRow(ARow); }

int TZvStringGrid::DisplayToRealRow(int ARow) const
{
    if (d->FGridItems.empty()) return ARow;
    // Every hidden row at or above the real row found so far pushes it down one.
    int real = ARow;
    for (int idx : HiddenIdxSorted()) {
        if (idx > real) break;
        ++real;
    }
    return real;
}

int TZvStringGrid::RealToDisplayRow(int ARow) const
{
    int above = 0;
    for (const auto& item : d->FGridItems)
        if (item->Idx() < ARow) ++above;
    return ARow - above;
}

int TZvStringGrid::GetRealRow() const { return RealRowIndex(Row()); }

void TZvStringGrid::MoveRow(int FromIndex, int ToIndex)
{
    TBaseGrid::MoveRow(FromIndex, ToIndex);
    CellControlsUpdate(false);
}

void TZvStringGrid::MoveRows(int FromIndex, int ToIndex, int Count)
{
    if (FromIndex == ToIndex || Count <= 0) return;
    const int rows = RowCount();
    if (FromIndex < 0 || FromIndex >= rows || ToIndex < 0) return;
    Count = std::min(Count, rows - FromIndex);
    if (FromIndex + Count < ToIndex) ToIndex -= Count;
    ToIndex = std::min(ToIndex, rows - Count);
    // The block leaves and goes in again at ToIndex of what is left: one
    // reordering of the rows between, which carries texts, objects and heights.
    std::vector<int> rest;
    const int lo = std::min(FromIndex, ToIndex);
    const int hi = std::max(FromIndex, ToIndex) + Count;
    for (int r = lo; r < hi; ++r)
        if (r < FromIndex || r >= FromIndex + Count) rest.push_back(r);
    std::vector<int> order(rest.begin(), rest.begin() + (ToIndex - lo));
    for (int i = 0; i < Count; ++i) order.push_back(FromIndex + i);
    order.insert(order.end(), rest.begin() + (ToIndex - lo), rest.end());
    TBaseGrid::ReorderRows(lo, order);
    CellControlsUpdate(false);
}

// ---- Current cell and scrolling ----------------------------------------------------------------------
int TZvStringGrid::GetRowEx() const { return TBaseGrid::Row(); }

void TZvStringGrid::SetRowEx(int Value)
{
    if (Col() < 0 || Col() >= ColCount()) MoveToCell(FixedCols(), Value);
    TBaseGrid::SetRow(Value);
    if (TBaseGrid::Row() != d->FPrevReportedRow && OnRowUpdate) {
        OnRowUpdate(this, d->FPrevReportedRow, TBaseGrid::Row());
        d->FPrevReportedRow = TBaseGrid::Row();
    }
    if (d->FMouseActions->DisjunctRowSelect()) SelectionToRowSelect(false);
    if (d->FSyncGrid->Grid() && d->FSyncGrid->SelectionRow()) d->FSyncGrid->Grid()->SetRow(TBaseGrid::Row());
    if (Value == RowCount() - 1 && SearchFooter()->Visible()) ScrollLastRowClearOfSearchFooter();
}

int TZvStringGrid::GetTopRowEx() const { return TBaseGrid::TopRow(); }

void TZvStringGrid::SetTopRowEx(int Value)
{
    if (Value >= TBaseGrid::FixedRows() && Value <= RowCount() - 1) TBaseGrid::SetTopRow(Value);
}

void TZvStringGrid::ScrollInView(int ColIndex, int RowIndex)
{
    if (ColIndex >= ColCount() || RowIndex >= RowCount()) return;
    int l = LeftCol();
    int t = TopRow();
    if (ColIndex < LeftCol() || ColIndex >= LeftCol() + VisibleColCount()) {
        SetCol(ColIndex);
        l = std::max(ColIndex - VisibleColCount() / 2, FixedCols());
    }
    if (RowIndex < TopRow() || RowIndex >= TopRow() + VisibleRowCount()) {
        SetRow(RowIndex);
        t = std::max(RowIndex - VisibleRowCount() / 2, FixedRows());
    }
    const bool colsFit = VisibleColCount() + FixedCols() >= ColCount();
    const bool rowsFit = VisibleRowCount() + FixedRows() >= RowCount();
    if (!colsFit) SetLeftCol(std::min(l, ColCount() - VisibleColCount() + 1));
    if (rowsFit) return;
    SetTopRow(std::min(t, RowCount() - VisibleRowCount() + 1));
    if (!SearchFooter()->Visible()) return;
    constexpr int ScrollBarHeight = 17;
    const int panel = SearchPanel() ? SearchPanel()->Height() : 0;
    const int limit = Height() - panel - (colsFit ? 0 : ScrollBarHeight);
    while (TopRow() < RowCount() - 1 && CellRect(FixedCols(), RowIndex).Bottom > limit) {
        const int before = TopRow();
        SetTopRow(TopRow() + 1);
        if (TopRow() == before) break;
    }
}

void TZvStringGrid::HideSelection()
{
    d->FHiddenSelection = Selection();
    TBaseGrid::SetSelection(TGridRect{ColCount(), RowCount(), ColCount(), RowCount()});
    d->FSelectionHidden = true;
}

void TZvStringGrid::UnHideSelection()
{
    d->FSelectionHidden = false;
    if (d->FHiddenSelection.Top < RowCount() && d->FHiddenSelection.Left < ColCount()) {
        TBaseGrid::SetSelection(d->FHiddenSelection);
        return;
    }
    const int left = d->FFixedColAlways && FixedCols() == ColCount() ? 0 : FixedCols();
    const int top = d->FFixedRowAlways && FixedRows() == RowCount() ? 0 : FixedRows();
    TBaseGrid::SetSelection(TGridRect{left, top, left, top});
}

void TZvStringGrid::UpdateEditMode() { CellSelectHook(Col(), Row()); }

// ---- Accessors ----------------------------------------------------------------------------------------------
int TZvStringGrid::NumHiddenColumns() const { return d->FNumHidden; }
int TZvStringGrid::NumHiddenRows() const { return int(d->FGridItems.size()); }
int TZvStringGrid::GridItemCount() const { return int(d->FGridItems.size()); }
TGridItem* TZvStringGrid::GridItems(int index) const { return d->FGridItems.at(std::size_t(index)).get(); }
