#pragma once
// Sorting the grid's rows: the sort settings, the multi-column index list
// behind indexed sorts, the cross-reference from sorted to unsorted rows that
// undoing a sort needs, the scratch list a sort swaps rows through, and the
// columns that sorting leaves alone.

#include "grid/ZvGridOptions.h"
#include "grid/support/ZvGridTypes.h"
#include "grid/services/ZvGridService.h"

#include <memory>

class TZvGridSort : public TZvGridService {
public:
    explicit TZvGridSort(TZvStringGrid* AGrid);

private:
    friend class TZvStringGrid;
    std::unique_ptr<TSortSettings> FSortSettings;
    std::unique_ptr<TSortIndexList> FSortIndexes;
    std::unique_ptr<TIntList> FSortXRef;
    std::unique_ptr<TIntList> FUnSortXRef;
    std::unique_ptr<TStringList> FSortList;
    std::unique_ptr<TIntList> FIgnoreColumns;
};
