// Grouping rows by the values of a column.
//
// Group and UnGroup lay the rows out anew in one pass instead of inserting
// and removing header and summary rows one at a time, so that grouping a
// large table costs time in proportion to its rows, not to rows times groups.

#include "grid/ZvGrid.h"
#include "grid/ZvGridPrivate.h"
#include "grid/services/ZvGridSearch.h"
#include "grid/services/ZvGridSort.h"
#include "grid/services/panels/ZvGridPanels.h"
#include "grid/services/panels/ZvSearchPanel.h"
#include "platform/ScopeGuard.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

namespace {

// A group's header row, in the new layout, with its value and the rows under it.
struct TGroupHeader {
    int layoutIndex;
    String value;
    int rows;
};

}  // namespace

void TZvStringGrid::RelayRows(const std::vector<int>& Layout)
{
    const int first = FixedRows();
    const int oldCount = RowCount();
    const int cols = AllColCount();
    const int fresh = int(std::count_if(Layout.begin(), Layout.end(), [first](int src) { return src < first; }));
    // The layout places every row, the floating footer's included.
    const bool wasMoving = std::exchange(d->FRowsMoving, true);
    const TScopeExit moved([&] { d->FRowsMoving = wasMoving; });

    // New empty rows come in at the end; then one permutation moves every
    // row, with its texts, objects and height, to its place. Rows the layout
    // does not name end up below the new last row and go with their objects.
    if (fresh > 0) SetRowCount(oldCount + fresh);
    const int total = oldCount + fresh;
    // The store may still hold what rows past the old count once had.
    for (int r = oldCount; r < total; ++r)
        for (int c = 0; c < cols; ++c) {
            if (!GetGridCell(c, r).isEmpty()) SetGridCell(c, r, String());
            if (GetGridObject(c, r)) SetGridObject(c, r, nullptr);
        }
    std::vector<bool> used(std::size_t(total), false);
    std::vector<int> order;
    order.reserve(std::size_t(total - first));
    int nextFresh = oldCount;
    for (int src : Layout) {
        const int from = src < first ? nextFresh++ : src;
        used[std::size_t(from)] = true;
        order.push_back(from);
    }
    for (int r = first; r < total; ++r)
        if (!used[std::size_t(r)]) order.push_back(r);
    ReorderRows(first, order);

    const int newCount = first + int(Layout.size());
    for (int r = first; r < newCount; ++r) {
        if (order[std::size_t(r - first)] == r) continue;
        for (int c = 0; c < cols; ++c)
            if (auto* props = dynamic_cast<TCellProperties*>(GetGridObject(c, r))) props->SetOwnerRow(r);
    }
    for (int r = newCount; r < total; ++r)
        for (int c = 0; c < cols; ++c) {
            FreeCellProperties(dynamic_cast<TCellProperties*>(GetGridObject(c, r)));
            SetGridObject(c, r, nullptr);
        }
    SetRowCount(newCount);
}

void TZvStringGrid::ColorGroupRow(int ARow, TColor Color, TColor ColorTo, TColor TextColor)
{
    if (Color != clNone) SetRowColor(ARow, Color);
    if (ColorTo != clNone) SetRowColorTo(ARow, ColorTo);
    if (TextColor != clNone) SetRowFontColor(ARow, TextColor);
}

void TZvStringGrid::ColorGroupCell(int ACol, int ARow, TColor Color, TColor ColorTo, TColor TextColor)
{
    if (Color != clNone) SetColors(ACol, ARow, Color);
    if (ColorTo != clNone) SetColorsTo(ACol, ARow, ColorTo);
    if (TextColor != clNone) SetFontColors(ACol, ARow, TextColor);
}

void TZvStringGrid::Group(int Colindex)
{
    if (Colindex < FixedCols()) return;
    if (d->FGroupColumn > 0) UnGroup();
    const int first = FixedRows();
    if (RowCount() - d->FFixedFooters - 1 < first) return;

    BeginUpdate();
    d->FIsGrouping = true;
    const TScopeExit ended([this] { EndGrouping(); });
    d->FGroupColumn = Colindex;
    d->FGroupWidth = ColWidths(Colindex);
    if (FixedRows() > 0) d->FGroupCaption = GetGridCell(Colindex, 0);
    if (d->FFixedFooters > 0) d->FGroupFooter = GetGridCell(Colindex, RowCount() - 1);
    if (SortSettings()->AutoSortForGrouping()) {
        SortSettings()->SetColumn(Colindex);
        QSort();
    }

    const bool summary = d->FGrouping->Summary();
    const int last = RowCount() - d->FFixedFooters - 1;
    std::vector<int> layout;
    layout.reserve(std::size_t(RowCount()) * 2);
    std::vector<TGroupHeader> headers;
    std::vector<int> summaries;
    // A flag, not a sentinel text: every cell text, whatever it holds, can start a group.
    std::optional<String> previous;
    for (int r = first; r <= last; ++r) {
        String text = GetGridCell(Colindex, r);
        if (!previous || text != *previous) {
            if (summary && !headers.empty()) {
                summaries.push_back(int(layout.size()));
                layout.push_back(-1);
            }
            headers.push_back({int(layout.size()), text, 0});
            layout.push_back(-1);
            previous = std::move(text);
        }
        ++headers.back().rows;
        layout.push_back(r);
    }
    if (summary) {
        summaries.push_back(int(layout.size()));
        layout.push_back(-1);
    }
    for (int r = last + 1; r < RowCount(); ++r) layout.push_back(r);
    RelayRows(layout);

    const int valueCol = Colindex == 1 ? 2 : 1;
    for (const TGroupHeader& h : headers) {
        const int row = first + h.layoutIndex;
        SetGridCell(valueCol, row, h.value);
        AddNode(row, h.rows + 1);
        if (!d->FGrouping->MergeHeader())
            ColorGroupRow(row, d->FGrouping->HeaderColor(), d->FGrouping->HeaderColorTo(),
                          d->FGrouping->HeaderTextColor());
    }
    const bool mergedSummary = d->FGrouping->MergeSummary() && summary;
    for (int s : summaries) {
        MarkSummaryRow(first + s);
        if (!mergedSummary)
            ColorGroupRow(first + s, d->FGrouping->SummaryColor(), d->FGrouping->SummaryColorTo(),
                          d->FGrouping->SummaryTextColor());
    }

    RemoveCols(Colindex, 1);

    if (d->FGrouping->MergeHeader() || mergedSummary) {
        for (int b = first; b < RowCount(); ++b) {
            if (d->FGrouping->MergeHeader() && IsNode(b)) {
                MergeCells(1, b, ColCount() - 1, 1);
                ColorGroupCell(1, b, d->FGrouping->HeaderColor(), d->FGrouping->HeaderColorTo(),
                               d->FGrouping->HeaderTextColor());
            } else if (mergedSummary && IsSummary(b)) {
                // Only the summary rows: the fixed footer rows below stay as they are.
                MergeCells(1, b, ColCount() - 1, 1);
                ColorGroupCell(1, b, d->FGrouping->SummaryColor(), d->FGrouping->SummaryColorTo(),
                               d->FGrouping->SummaryTextColor());
            }
        }
    }
    if (d->FCellNode->ExpandOne()) ExpandNode(RealRowOfDisplayed(first));
    if (Col() >= ColCount() || Row() >= RowCount()) SetCol(FixedCols());
    SetRow(first);
}

void TZvStringGrid::EndGrouping()
{
    d->FIsGrouping = false;
    EndUpdate();
    if (SearchFooter()->Visible() && SearchPanel()) {
        // A width change makes the panel lay its controls out again.
        SearchPanel()->SetWidth(SearchPanel()->Width() + 1);
        SearchPanel()->SetWidth(SearchPanel()->Width() - 1);
    }
}

void TZvStringGrid::UnGroup()
{
    if (d->FGroupColumn <= 0) return;
    const bool expandOne = d->FCellNode->ExpandOne();
    d->FCellNode->SetExpandOne(false);
    ExpandAll();

    InsertCols(d->FGroupColumn, 1);
    SetColWidths(d->FGroupColumn, d->FGroupWidth);
    if (FixedRows() > 0) SetGridCell(d->FGroupColumn, 0, d->FGroupCaption);
    if (d->FFixedFooters > 0) SetGridCell(d->FGroupColumn, RowCount() - 1, d->FGroupFooter);

    d->FIsGrouping = true;
    const int first = FixedRows();
    const int last = RowCount() - d->FFixedFooters - 1;
    const int valueCol = d->FGroupColumn == 1 ? 2 : 1;
    std::vector<int> layout;
    layout.reserve(std::size_t(RowCount()));
    String value;
    for (int r = first; r <= last; ++r) {
        if (IsNode(r)) {
            value = GetGridCell(valueCol, r);
            if (IsMergedCell(1, r)) SplitCells(1, r);
            RemoveNode(r);
            continue;
        }
        if (IsSummary(r)) {
            if (IsMergedCell(1, r)) SplitCells(1, r);
            continue;
        }
        SetGridCell(d->FGroupColumn, r, value);
        layout.push_back(r);
    }
    for (int r = last + 1; r < RowCount(); ++r) layout.push_back(r);
    RelayRows(layout);

    d->FIsGrouping = false;
    d->FGroupColumn = -1;
    d->FCellNode->SetExpandOne(expandOne);
    Invalidate();
}

void TZvStringGrid::SubGroup(int Colindex)
{
    if (Colindex < FixedCols()) return;
    BeginUpdate();
    d->FGroupColumn = Colindex;
    d->FGroupWidth = ColWidths(Colindex);
    if (FixedRows() > 0) d->FGroupCaption = GetGridCell(Colindex, 0);
    if (d->FFixedFooters > 0) d->FGroupFooter = GetGridCell(Colindex, RowCount() - 1);

    const int valueCol = Colindex + 1;
    const bool summary = d->FGrouping->Summary();
    const bool mergedSummary = d->FGrouping->MergeSummary() && summary;
    auto decorateHeader = [&](int row) {
        if (d->FGrouping->MergeHeader()) {
            MergeCells(valueCol, row, ColCount() - valueCol, 1);
            ColorGroupCell(valueCol, row, d->FGrouping->HeaderColor(), d->FGrouping->HeaderColorTo(),
                           d->FGrouping->HeaderTextColor());
        } else {
            const TGrouping& g = *d->FGrouping;
            ColorGroupRow(row, g.HeaderColor(), g.HeaderColorTo(), g.HeaderTextColor());
        }
    };
    auto closeSubGroup = [&](int s, int r) {
        AddNode(RealRowOfDisplayed(s), r - s);
        if (TCellGraphic* g = NodeGraphic(s)) g->SetCellVar(Colindex);
    };
    auto boundaryRow = [&](int r) { return IsNode(r) || IsSummary(r); };

    std::optional<String> previous;
    int s = -1;
    int r = FixedRows() + 1;
    while (r < RowCount() - d->FFixedFooters) {
        const String text = GetGridCell(Colindex, r);
        if (!previous || text != *previous || boundaryRow(r)) {
            if (s >= 0 && !boundaryRow(s)) closeSubGroup(s, r);
            if (!boundaryRow(r)) {
                InsertChildRow(RealRowOfDisplayed(r), 0);
                SetGridCell(valueCol, r, text);
                decorateHeader(r);
            }
            s = r;
            ++r;
        }
        // Below a group header or summary the next row always starts a sub-group;
        // the walk moves on at every step, whatever the texts hold.
        if (r >= RowCount() - d->FFixedFooters || boundaryRow(r - 1)) {
            previous.reset();
            continue;
        }
        previous = GetGridCell(Colindex, r);
        SetGridCell(Colindex, r, String());
        ++r;
    }

    if (s >= 0 && !IsSummary(s)) {
        if (!IsNode(s)) {
            closeSubGroup(s, r);
            decorateHeader(s);
        }
        if (summary) {
            InsertRows(r, 1, true);
            MarkSummaryRow(RealRowOfDisplayed(r));
            if (mergedSummary) {
                MergeCells(valueCol, r, ColCount() - valueCol, 1);
                ColorGroupCell(valueCol, r, d->FGrouping->SummaryColor(), d->FGrouping->SummaryColorTo(),
                               d->FGrouping->SummaryTextColor());
            } else {
                ColorGroupRow(r, d->FGrouping->SummaryColor(), d->FGrouping->SummaryColorTo(),
                              d->FGrouping->SummaryTextColor());
            }
        }
    }
    SetRow(FixedRows());
    EndUpdate();
}

void TZvStringGrid::SubUnGroup(int Colindex)
{
    ExpandAll();
    String value;
    int r = FixedRows();
    while (r <= RowCount() - d->FFixedFooters - 1) {
        TCellGraphic* g = NodeGraphic(r);
        if (g && g->CellVar().toInt() == Colindex) {
            value = GetGridCell(Colindex + 1, r);
            RemoveNode(RealRowOfDisplayed(r));
            RemoveChildRow(RealRowOfDisplayed(r));
        } else if (g) {
            ++r;
        } else {
            SetGridCell(Colindex, r, value);
            ++r;
        }
    }
}

void TZvStringGrid::SetGroupColumn(int Value)
{
    if (Value == -1)
        UnGroup();
    else if (Value > 0)
        Group(Value);
}

void TZvStringGrid::MarkSummaryRow(int ARow)
{
    const int d = DisplayedRowOfReal(ARow);
    if (d < 0 || d >= RowCount()) return;
    NewCellGraphic(0, d)->SetCellType(TCellType::ctSummary);
}

double TZvStringGrid::GroupAverage(int Colindex, int FromRow, int ToRow)
{
    // Header and summary rows hold no values: they count neither in the sum nor in the divisor.
    double sum = 0;
    int counted = 0;
    for (int r = FromRow; r <= ToRow; ++r) {
        if (IsNode(r) || IsSummary(r)) continue;
        sum += GetFloats(Colindex, r);
        ++counted;
    }
    return counted ? sum / counted : 0.0;
}

void TZvStringGrid::GroupCalc(int Colindex, int method)
{
    int r = FixedRows();
    while (r < RowCount()) {
        const TCellGraphic* g = NodeGraphic(r);
        if (!g || g->CellBoolean()) {
            ++r;
            continue;
        }
        const int span = std::max(g->CellIndex(), 1);
        const int target = d->FGrouping->Summary() ? r + span : r;
        const int from = r + 1;
        const int to = r + span - 1;
        if (target < RowCount()) {
            switch (method) {
            case 1: SetFloats(Colindex, target, ColumnSum(Colindex, from, to)); break;
            case 2: SetFloats(Colindex, target, GroupAverage(Colindex, from, to)); break;
            case 3: SetFloats(Colindex, target, ColumnMin(Colindex, from, to)); break;
            case 4: SetFloats(Colindex, target, ColumnMax(Colindex, from, to)); break;
            case 5: SetInts(Colindex, target, span - 1); break;
            case 6: SetFloats(Colindex, target, CustomGroupCalc(Colindex, from, to)); break;
            case 7: SetFloats(Colindex, target, ColumnDistinct(Colindex, from, to)); break;
            case 8: SetFloats(Colindex, target, ColumnStdDev(Colindex, from, to)); break;
            default: break;
            }
        }
        r += span;
    }
}

void TZvStringGrid::GroupFooterCalc(int Colindex, int method, TColumnCalcType Calc)
{
    GroupCalc(Colindex, method);
    if (d->FFloatingFooter->Visible()) d->FFloatingFooter->SetColumnCalc(Colindex, Calc);
}

void TZvStringGrid::GroupSum(int Colindex) { GroupFooterCalc(Colindex, 1, TColumnCalcType::acSUM); }
void TZvStringGrid::GroupAvg(int Colindex) { GroupFooterCalc(Colindex, 2, TColumnCalcType::acAVG); }
void TZvStringGrid::GroupMin(int Colindex) { GroupFooterCalc(Colindex, 3, TColumnCalcType::acMIN); }
void TZvStringGrid::GroupMax(int Colindex) { GroupFooterCalc(Colindex, 4, TColumnCalcType::acMAX); }
void TZvStringGrid::GroupCount(int Colindex) { GroupFooterCalc(Colindex, 5, TColumnCalcType::acCOUNT); }
void TZvStringGrid::GroupCustomCalc(int Colindex) { GroupCalc(Colindex, 6); }
void TZvStringGrid::GroupDistinct(int Colindex) { GroupCalc(Colindex, 7); }
void TZvStringGrid::GroupStdDev(int Colindex) { GroupCalc(Colindex, 8); }

// ---- Accessors ----------------------------------------------------------------------------------------------
int TZvStringGrid::GroupColumn() const { return d->FGroupColumn; }
