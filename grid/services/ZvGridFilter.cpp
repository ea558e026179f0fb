// Filtering the grid's rows: the service's state and the grid's members that front it.
// Not built yet (each raises through NotBuilt): SelectFilterValue, ApplyCheckedFilterEntries, and switching
// FilterActive on.

#include "grid/services/ZvGridFilter.h"

#include "grid/ZvGrid.h"
#include "grid/ZvGridPrivate.h"

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
void TZvStringGrid::SetFilterDropDownRow(int Value) { FilterService().FFilterDropDownRow = Value; }
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
// Switching the filter on applies it, which is not built yet: so the filter is never on, and off stays off.
void TZvStringGrid::SetFilterActive(bool Value)
{
    if (Value) NotBuilt("FilterActive");
    FilterService().FFilterActive = Value;
}
bool TZvStringGrid::FilterActive() const { return FilterService().FFilterActive; }


void TZvStringGrid::SelectFilterValue(int, int) { NotBuilt("SelectFilterValue"); }

void TZvStringGrid::ApplyCheckedFilterEntries(int) { NotBuilt("ApplyCheckedFilterEntries"); }
