// Sorting the grid's rows: the service's state and the grid's members that front it.
// Not built yet (each raises through NotBuilt): QSort, QSortIndexed, QSortGroup, QSortGroupIndexed, QUnSort.

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

void TZvStringGrid::QSort() { NotBuilt("QSort"); }

void TZvStringGrid::QSortIndexed() { NotBuilt("QSortIndexed"); }

void TZvStringGrid::QSortGroup() { NotBuilt("QSortGroup"); }

void TZvStringGrid::QSortGroupIndexed() { NotBuilt("QSortGroupIndexed"); }

void TZvStringGrid::QUnSort() { NotBuilt("QUnSort"); }

// Entry i names the row that stood at i before sorting began: before any sort, every row itself.
TIntList* TZvStringGrid::SortRowXRef() const { return SortService().FSortXRef.get(); }

void TZvStringGrid::InitSortXRef()
{
    TIntList& xref = *SortService().FSortXRef;
    xref.Clear();
    for (int r = 0; r < RowCount(); ++r) xref.Add(r);
}
