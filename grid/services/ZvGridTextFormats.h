#pragma once
// Delimited, fixed-width and grid text files and streams: the delimiter, the
// quoting rules, whether the first row is loaded and whether text goes through
// the OEM code page.

#include "grid/services/ZvGridService.h"
#include "platform/Types.h"

class TZvGridTextFormats : public TZvGridService {
public:
    using TZvGridService::TZvGridService;

private:
    friend class TZvStringGrid;
    QChar FDelimiter;
    bool FQuoteEmptyCells = true;
    bool FAlwaysQuotes = false;
    bool FJavaCSV = false;
    bool FLoadFirstRow = true;
    bool FOemConvert = false;
};
