#pragma once
// The clipboard: where the last copy started, what it was (copy or cut),
// whether a paste fills the whole save range or a selection, and the switch
// for the spreadsheet's clipboard format of multi-line cells.
//
// The text on the clipboard is tab-separated, rows ending in CR LF. A cell
// text holding a tab, a double quote or a line break goes in double quotes
// with its inner quotes doubled, and its line breaks (CR LF, CR or LF) as one
// LF each; reading takes exactly that back, so no text changes on its way
// and no line break doubles. A line break outside quotes, CR LF, CR or LF,
// ends a row, so the text of programs that end lines in LF pastes by rows.

#include "grid/support/ZvGridTypes.h"
#include "grid/services/ZvGridService.h"
#include "platform/Grids.h"

class TZvStringGrid;

#include <vector>

enum class TClipOperation { coCut, coCopy };

class TZvGridClipboard : public TZvGridService {
public:
    using TZvGridService::TZvGridService;

    // The rows of a clipboard text, each its fields, quotes taken off. A text
    // ending in a line break has one more, empty, row.
    static std::vector<std::vector<String>> SplitText(const String& Text);
    // One cell text as the clipboard carries it; ExcelBreaks writes each CR LF
    // as the character 11 (the spreadsheet's line break inside a cell).
    static String QuoteField(const String& Text, bool ExcelBreaks);
    // Whether cut, paste and drops may change the cell (display column, row): a normal cell the
    // user may edit, or any normal cell with AllowClipboardAlways.
    static bool MayTouch(TZvStringGrid& grid, int c, int r);

private:
    friend class TZvStringGrid;
    TGridCoord FClipboardTopLeft{-1, -1};
    TClipOperation FLastOperation = TClipOperation::coCopy;
    bool FPasteAll = false;
    // Whether the last text pasted ended in a line break (so its last line is empty).
    bool FTrailingEmptyLine = false;
    // The fields of its last row that holds something.
    int FLastRowFields = 0;
    bool FExcelClipboardFormat = false;
};
