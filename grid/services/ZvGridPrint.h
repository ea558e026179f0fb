#pragma once
// Printing: the print settings, the printed width and left offset of every
// column from the last page layout, the page range and the current page.

#include "grid/ZvGridSettings.h"
#include "grid/services/ZvGridService.h"

#include <memory>
#include <array>

class TZvGridPrint : public TZvGridService {
public:
    explicit TZvGridPrint(TZvStringGrid* AGrid);

private:
    friend class TZvStringGrid;
    std::unique_ptr<TPrintSettings> FPrintSettings;
    std::array<int, 513> MaxWidths{};
    std::array<int, 513> Indents{};
    int FPrintPageFrom = 1;
    int FPrintPageTo = 1;
    int FPrintPageNum = 0;
    bool FPrinterDriverFix = false;
};
