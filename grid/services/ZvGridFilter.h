#pragma once
// Filtering the grid's rows: the filter conditions, the header drop-down's
// settings and the values it offers, the column whose drop-down is open, and
// the switches of the filter properties.

#include "grid/ZvGrid.h"
#include "grid/ZvGridOptions.h"
#include "grid/services/ZvGridService.h"

#include <memory>

class TZvGridFilter : public TZvGridService {
public:
    explicit TZvGridFilter(TZvStringGrid* AGrid);

    // The column whose header drop-down is open, -1 when none is.
    int FilterCol() const { return FFilterCol; }
    void SetFilterCol(int Value) { FFilterCol = Value; }

private:
    friend class TZvStringGrid;
    std::unique_ptr<TFilter> FFilter;
    std::unique_ptr<TFilterDropDown> FFilterDropDown;
    std::unique_ptr<TStringList> FFilterList;
    int FFilterCol = -1;
    bool FFilterActive = false;
    bool FFilterDropDownAuto = false;
    String FFilterDropDownClear = QStringLiteral("(All)");
    bool FFilterDropDownCheck = false;
    TFilterDropDownColumns FFilterDropDownColumns = TFilterDropDownColumns::fdNormal;
    int FFilterDropDownRow = 0;
    bool FFilterNormalCellsOnly = false;
    bool FAutoFilterUpdate = true;
    bool FFilterIncremental = false;
    // FixedRows as the first application of the filter found it; -1 before any.
    int FSavedFixedRows = -1;
    String FLastNarrowDown;
};
