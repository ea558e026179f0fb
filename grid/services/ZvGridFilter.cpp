// Filtering the grid's rows: the service's state and the grid's members that front it.
//
// Each application of the filter hides its failing rows as one level of the
// grid's hidden-row store; levels come back newest first. Switching the
// filter off brings back every level, so rows narrowed away step by step are
// never left behind.

#include "grid/services/ZvGridFilter.h"

#include "grid/ZvGrid.h"
#include "grid/ZvGridPrivate.h"
#include "grid/services/panels/ZvFilterDropLists.h"
#include "grid/support/ZvGridUtil.h"
#include "platform/ScopeGuard.h"
#include "platform/SysUtils.h"

#include <cmath>

TZvGridFilter::TZvGridFilter(TZvStringGrid* AGrid)
    : TZvGridService(AGrid),
      FFilter(std::make_unique<TFilter>(AGrid)),
      FFilterDropDown(std::make_unique<TFilterDropDown>()),
      FFilterList(std::make_unique<TStringList>())
{
    FFilter->OnRepaintCell = [AGrid](int c, int r) { AGrid->RepaintCell(c, r); };
    FFilterDropDown->OnChange = [AGrid](TObject*) { AGrid->Invalidate(); };
    FFilterList->SetSorted(true);
    FFilterList->SetDuplicates(TDuplicates::dupIgnore);
}

TZvGridFilter& TZvStringGrid::FilterService() const { return MadeOnFirstUse(d->FFilterService, this); }

bool TZvStringGrid::FilterDropDownAuto() const { return FilterService().FFilterDropDownAuto; }
void TZvStringGrid::SetFilterDropDownAuto(bool Value) { FilterService().FFilterDropDownAuto = Value; }
const String& TZvStringGrid::FilterDropDownClear() const { return FilterService().FFilterDropDownClear; }
void TZvStringGrid::SetFilterDropDownClear(const String& Value) { FilterService().FFilterDropDownClear = Value; }
bool TZvStringGrid::FilterDropDownCheck() const { return FilterService().FFilterDropDownCheck; }
void TZvStringGrid::SetFilterDropDownCheck(bool Value) { FilterService().FFilterDropDownCheck = Value; }
TFilterDropDownColumns TZvStringGrid::FilterDropDownColumns() const { return FilterService().FFilterDropDownColumns; }
void TZvStringGrid::SetFilterDropDownColumns(TFilterDropDownColumns Value)
{
    FilterService().FFilterDropDownColumns = Value;
}
int TZvStringGrid::FilterDropDownRow() const { return FilterService().FFilterDropDownRow; }
// Only a fixed row can carry the drop-down buttons.
void TZvStringGrid::SetFilterDropDownRow(int Value)
{
    if (Value >= 0 && Value < FixedRows()) FilterService().FFilterDropDownRow = Value;
}
bool TZvStringGrid::FilterNormalCellsOnly() const { return FilterService().FFilterNormalCellsOnly; }
void TZvStringGrid::SetFilterNormalCellsOnly(bool Value) { FilterService().FFilterNormalCellsOnly = Value; }
bool TZvStringGrid::AutoFilterUpdate() const { return FilterService().FAutoFilterUpdate; }
void TZvStringGrid::SetAutoFilterUpdate(bool Value) { FilterService().FAutoFilterUpdate = Value; }
bool TZvStringGrid::FilterIncremental() const { return FilterService().FFilterIncremental; }
void TZvStringGrid::SetFilterIncremental(bool Value) { FilterService().FFilterIncremental = Value; }
TFilter* TZvStringGrid::Filter() const { return FilterService().FFilter.get(); }
void TZvStringGrid::SetFilter(TFilter* Value) { Filter()->Assign(Value); }
TFilterDropDown* TZvStringGrid::FilterDropDown() const { return FilterService().FFilterDropDown.get(); }
void TZvStringGrid::SetFilterDropDown(TFilterDropDown* Value) { FilterDropDown()->Assign(Value); }
TStringList* TZvStringGrid::FilterValues() const { return FilterService().FFilterList.get(); }
bool TZvStringGrid::FilterActive() const { return FilterService().FFilterActive; }

void TZvStringGrid::SetFilterActive(bool Value)
{
    TZvGridFilter& f = FilterService();
    const bool changed = f.FFilterActive != Value;
    if (changed) {
        f.FFilterActive = Value;
        if (Value) {
            if (Row() >= RowCount() || Col() >= ColCount()) MoveToCell(FixedCols(), FixedRows());
            BeginUpdate();
            TScopeExit done([this] { EndUpdate(); });
            ApplyFilter();
            d->FSelectionHidden = false;
        } else {
            // Every level comes back, not only the newest: narrowing may have stacked several.
            while (d->FFilterLevel > 0) {
                UnHideRowList();
                --d->FFilterLevel;
            }
            if (f.FSavedFixedRows >= 0 && f.FSavedFixedRows < RowCount()) SetFixedRows(f.FSavedFixedRows);
            UnHideSelection();
        }
        if (FixedRows() < RowCount()) SetTopRow(FixedRows());
    }
    RecalcAllFooters();
}

// ---- The row test ------------------------------------------------------------------------------------------------
namespace {

String FilterText(TZvStringGrid& G, const TFilterData& F, int ARow)
{
    String text;
    switch (F.Data()) {
    case TFilterCells::fcVirtual: text = G.GetCellEx(F.Column(), ARow); break;
    case TFilterCells::fcNormal: text = G.GetGridCell(F.Column(), ARow); break;
    case TFilterCells::fcStripHTML: text = G.GetStrippedCell(F.Column(), ARow); break;
    case TFilterCells::fcCalculated: text = G.CalculatedCellText(F.Column(), ARow); break;
    case TFilterCells::fcRow:
        for (int c = 0; c < G.AllColCount(); ++c) text += G.GetCellEx(c, ARow) + QStringLiteral("\r\n");
        break;
    }
    // A search's highlight tags are no part of what the cell holds: its drop-list entry matches it.
    text = Trim(G.WithoutSearchTags(text));
    if (CellTextKind(text, false) == ctUnicode) text = DecodeUnicodeCellText(text);
    return text;
}

bool ItemMatches(TZvStringGrid& G, const TFilterData& F, int ARow)
{
    String text = FilterText(G, F, ARow);
    const String& cond = F.Condition();
    if (F.Data() == TFilterCells::fcRow) return UpperCase(text).contains(UpperCase(cond));
    if (!F.Prefix().isEmpty() && text.startsWith(F.Prefix())) text.remove(0, F.Prefix().length());
    if (!F.Suffix().isEmpty()) {
        const auto p = text.indexOf(F.Suffix());
        if (p >= 0 && p + F.Suffix().length() == text.length()) text.truncate(p);
    }
    if (cond.isEmpty()) return true;
    if (F.Method() == TFilterMethod::fmLiteral) return text == cond;
    try {
        return MatchFilterExpression(cond, text, F.CaseSensitive());
    } catch (const std::exception&) {
        return false;
    }
}

}   // namespace

bool TZvStringGrid::RowMatchesFilter(int ARow)
{
    bool result = true;
    TFilter& filter = *Filter();
    for (int i = 0; i < filter.Count(); ++i) {
        const TFilterData& item = *filter.Items(i);
        const bool match = ItemMatches(*this, item, ARow);
        switch (item.Operation()) {
        case TFilterOperation::foNONE: result = match; break;
        case TFilterOperation::foAND: result = result && match; break;
        case TFilterOperation::foOR: result = result || match; break;
        case TFilterOperation::foXOR: result = result != match; break;
        case TFilterOperation::foSHORT: result = match; break;
        }
        if (item.Operation() == TFilterOperation::foSHORT && !match) break;
    }
    if (OnCustomFilter) OnCustomFilter(this, ARow, result);
    return result;
}

// ---- Applying and removing -------------------------------------------------------------------------------------
void TZvStringGrid::ApplyFilter()
{
    TZvGridFilter& f = FilterService();
    f.FSavedFixedRows = FixedRows();
    const int first = FixedRows(), last = RowCount() - FixedFooters() - 1;
    const int total = RowCount() - FixedFooters() - FixedRows();
    TIntList failing;
    int tested = 0, lastProgress = -1;
    for (int r = first; r <= last; ++r) {
        if (f.FFilterNormalCellsOnly && (IsNode(r) || IsSummary(r))) continue;
        if (!RowMatchesFilter(r)) failing.Add(r);
        ++tested;
        if (OnFilterProgress && total > 0) {
            lastProgress = int(std::nearbyint(double(tested) / total * 100.0));
            OnFilterProgress(this, short(lastProgress));
        }
    }
    // Even a pass that hides nothing is a level, so removing it undoes exactly this pass.
    if (failing.Count() > 0) HideRowList(&failing);
    else ++d->FFilterLevel;
    if (OnFilterProgress) OnFilterProgress(this, short(std::max(lastProgress, 0)));
}

void TZvStringGrid::FilterRow(int ARow)
{
    if (ARow < FixedRows() || ARow >= RowCount()) return;
    if (!RowMatchesFilter(ARow)) HideRow(ARow);
}

bool TZvStringGrid::RemoveLastFilter()
{
    if (d->FFilterLevel <= 0) return false;
    UnHideRowList();
    --d->FFilterLevel;
    TZvGridFilter& f = FilterService();
    if (f.FSavedFixedRows >= 0 && f.FSavedFixedRows < RowCount()) SetFixedRows(f.FSavedFixedRows);
    UnHideSelection();
    RecalcAllFooters();
    return d->FFilterLevel > 1;
}

void TZvStringGrid::RemoveAllFilters()
{
    if (d->FFilterLevel == 0) {
        Filter()->Clear();
        return;
    }
    while (d->FFilterLevel > 0) RemoveLastFilter();
}

void TZvStringGrid::NarrowDown(const String& ACondition, int AColumn)
{
    TZvGridFilter& f = FilterService();
    SetFixedRowAlways(true);
    const String& last = f.FLastNarrowDown;
    const auto narrow = [&] {
        Filter()->Clear();
        TFilterData* item = Filter()->Add();
        if (AColumn == -1) {
            item->SetData(TFilterCells::fcRow);
            item->SetCondition(ACondition);
        } else {
            item->SetData(TFilterCells::fcNormal);
            const String pattern = QLatin1Char('*') + ACondition + QLatin1Char('*');
            item->SetCondition(ACondition.contains(QLatin1Char(' ')) ? QLatin1Char('"') + pattern + QLatin1Char('"')
                                                                     : pattern);
        }
        item->SetCaseSensitive(false);
        item->SetColumn(AColumn);
        ApplyFilter();
    };
    if (ACondition.length() == last.length() + 1 && ACondition.startsWith(last)) {
        narrow();
    } else if (!ACondition.isEmpty() && last.length() == ACondition.length() + 1 && last.startsWith(ACondition)) {
        RemoveLastFilter();
    } else {
        RemoveAllFilters();
        if (!ACondition.isEmpty()) narrow();
    }
    f.FLastNarrowDown = ACondition;
    if (ACondition.isEmpty()) {
        while (d->FFilterLevel > 0) RemoveLastFilter();
        if (NumHiddenRows() > 0) UnHideRowsAll();
    }
}

// ---- The header drop-down's choices -------------------------------------------------------------------------------
namespace {

void SplitEntry(const String& Entry, String& Friendly, String& Condition)
{
    const auto eq = Entry.indexOf(QLatin1Char('='));
    Friendly = eq >= 0 ? Entry.left(eq) : Entry;
    Condition = eq >= 0 ? Entry.mid(eq + 1) : Entry;
}

}   // namespace

void TZvStringGrid::SelectFilterValue(int Column, int ItemIndex)
{
    TZvGridFilter& f = FilterService();
    TScopeExit closed([&f] { f.SetFilterCol(-1); });
    if (CanFocus()) SetFocus();
    if (Column < 0 || Column >= AllColCount()) return;
    QueryColumnFilter(Column);
    TStringList& list = *FilterValues();
    if (ItemIndex < 0 || ItemIndex >= list.Count()) return;
    String friendly, condition;
    SplitEntry(list.Strings(ItemIndex), friendly, condition);
    if (condition == f.FFilterDropDownClear) condition.clear();
    if (f.FAutoFilterUpdate) SetFilterActive(false);
    if (OnFilterSelect) OnFilterSelect(this, Column, ItemIndex, friendly, condition);
    if (!condition.isEmpty()) Filter()->GetColFilter(Column)->SetCondition(condition);
    else Filter()->RemoveColumnFilter(Column);
    if (f.FAutoFilterUpdate) {
        SetFixedRowAlways(true);
        SetFilterActive(true);
        if (RowCount() > FixedRows() && RowCount() > 1) SetRow(FixedRows());
        FireFilterDone();
    }
}

void TZvStringGrid::ApplyCheckedFilterEntries(int Column)
{
    TZvGridFilter& f = FilterService();
    if (Column < 0 || Column >= AllColCount()) return;
    QueryColumnFilter(Column);
    TStringList& list = *FilterValues();
    if (f.FAutoFilterUpdate) SetFilterActive(false);
    Filter()->Clear();
    TDropCheckList* checks = FilterDropCheckList();
    bool first = true;
    for (int i = 0; i < list.Count(); ++i) {
        if (!checks || !checks->Checked(i)) continue;
        String friendly, condition;
        SplitEntry(list.Strings(i), friendly, condition);
        if (condition == f.FFilterDropDownClear) condition.clear();
        if (OnFilterCheck) OnFilterCheck(this, Column, i, friendly, condition, &list);
        TFilterData* item = Filter()->Add();
        item->SetColumn(Column);
        item->SetCondition(condition);
        item->SetOperation(first ? TFilterOperation::foNONE : TFilterOperation::foOR);
        first = false;
    }
    SetFilterActive(true);
    if (checks) checks->Invalidate();
}

bool TZvStringGrid::ShowFilterDropDown(int ACol)
{
    TZvGridFilter& f = FilterService();
    if (ACol < 0 || ACol >= ColCount() || !QueryColumnFilter(RealColIndex(ACol))) return false;
    const bool check = f.FFilterDropDownCheck;
    TDropListBase* list = check ? static_cast<TDropListBase*>(FilterDropCheckList()) : FilterDropList();
    (check ? static_cast<TDropListBase*>(FilterDropList()) : FilterDropCheckList())->SetVisible(false);
    const TStringList& values = *FilterValues();
    list->Items()->Clear();
    for (int i = 0; i < values.Count(); ++i) {
        const String& e = values.Strings(i);
        const auto eq = e.indexOf(QLatin1Char('='));
        list->Items()->Add(eq >= 0 ? e.left(eq) : e);
    }
    list->SetItemIndex(-1);
    if (check) {
        // The ticks show the conditions the column filters on now.
        FilterDropCheckList()->ClearChecks();
        for (int i = 0; i < Filter()->Count(); ++i) {
            const TFilterData& item = *Filter()->Items(i);
            if (item.Column() != RealColIndex(ACol)) continue;
            for (int k = 0; k < values.Count(); ++k) {
                String friendly, condition;
                SplitEntry(values.Strings(k), friendly, condition);
                if (condition == f.FFilterDropDownClear) condition.clear();
                if (condition == item.Condition()) FilterDropCheckList()->SetChecked(k, true);
            }
        }
    }
    TFilterDropDown& look = *FilterDropDown();
    list->Font()->Assign(look.Font());
    if (look.Color() != clNone) list->SetColor(look.Color());
    const TRect cell = CellRect(ACol, f.FFilterDropDownRow);
    int width = look.ColumnWidth() ? cell.Width() : look.Width();
    int height = look.Height();
    if (look.AutoSize()) height = std::min(height, values.Count() * list->ItemHeight() + 2);
    width = std::min(width, std::max(ClientWidth(), 40));
    int left = std::clamp(cell.Left, 0, std::max(0, ClientWidth() - width));
    list->SetBounds(left, cell.Bottom, width, std::max(height, list->ItemHeight() + 2));
    f.SetFilterCol(RealColIndex(ACol));
    list->SetVisible(true);
    list->BringToFront();
    if (list->CanFocus()) list->SetFocus();
    return true;
}
