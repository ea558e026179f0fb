#pragma once
// Layout persistence: where and whether column sizes are kept, and the column
// widths as last loaded, which stretching to the grid's width scales from.

#include "grid/ZvGridSettings.h"
#include "grid/support/ZvGridTypes.h"
#include "grid/services/ZvGridService.h"

#include <memory>

class TZvGridLayout : public TZvGridService {
public:
    explicit TZvGridLayout(TZvStringGrid* AGrid);

private:
    friend class TZvStringGrid;
    std::unique_ptr<TColumnSize> FColumnSize;
    std::unique_ptr<TIntList> FColSizes;
};
