// Sorting the grid's rows: the service's state and the grid's members that front it.

#include "grid/services/ZvGridSort.h"

#include "grid/ZvGrid.h"
#include "grid/ZvGridPrivate.h"

TZvGridSort::TZvGridSort(TZvStringGrid* AGrid)
    : TZvGridService(AGrid),
      FSortSettings(std::make_unique<TSortSettings>(AGrid)),
      FSortIndexes(std::make_unique<TSortIndexList>()),
      FSortXRef(std::make_unique<TIntList>()),
      FUnSortXRef(std::make_unique<TIntList>()),
      FSortList(std::make_unique<TStringList>()),
      FIgnoreColumns(std::make_unique<TIntList>())
{
    FSortSettings->SetSortIndexes(FSortIndexes.get());
    FSortSettings->OnGetFixedRows = [AGrid] { return AGrid->FixedRows(); };
    FSortSettings->OnInvalidate = [AGrid](TObject*) { AGrid->Invalidate(); };
}

TZvGridSort& TZvStringGrid::SortService() const { return MadeOnFirstUse(d->FSortService, this); }

TSortSettings* TZvStringGrid::SortSettings() const { return SortService().FSortSettings.get(); }
void TZvStringGrid::SetSortSettings(TSortSettings* Value) { SortSettings()->Assign(Value); }
TSortIndexList* TZvStringGrid::SortIndexes() const { return SortService().FSortIndexes.get(); }
TIntList* TZvStringGrid::IgnoreColumns() const { return SortService().FIgnoreColumns.get(); }
bool TZvStringGrid::IsIgnoredColumn(int ACol) const { return IgnoreColumns()->HasValue(ACol); }

void TZvStringGrid::SortSwapRows(int, int) {}

void TZvStringGrid::QSort() {}

void TZvStringGrid::QSortIndexed() {}

void TZvStringGrid::QSortGroup() {}

void TZvStringGrid::QSortGroupIndexed() {}

void TZvStringGrid::QUnSort() {}

void TZvStringGrid::InitSortXRef() {}
