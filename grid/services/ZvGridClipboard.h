#pragma once
// The clipboard: the top-left cell of the last copy and the switch for the
// spreadsheet's clipboard format of multi-line cells.

#include "grid/support/ZvGridTypes.h"
#include "grid/services/ZvGridService.h"

class TZvGridClipboard : public TZvGridService {
public:
    using TZvGridService::TZvGridService;

private:
    friend class TZvStringGrid;
    TGridCoord FClipboardTopLeft{-1, -1};
    bool FExcelClipboardFormat = false;
};
