#pragma once
// Searching and highlighting: the search footer's settings, and the text that
// typed keys have searched for so far with the timer ticks since the last key.

#include "grid/ZvGridOptions.h"
#include "grid/services/ZvGridService.h"

#include <memory>

class TZvGridSearch : public TZvGridService {
public:
    explicit TZvGridSearch(TZvStringGrid* AGrid);

private:
    friend class TZvStringGrid;
    std::unique_ptr<TSearchFooter> FSearchFooter;
    String FIncrSearchText;
    int FSearchTicks = 0;
};
