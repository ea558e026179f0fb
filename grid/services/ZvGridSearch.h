#pragma once
// Searching and highlighting: the search footer's settings; the typed-key
// search text with the timer ticks since the last key; and what Find keeps
// between calls (the last text and parameters, the last cell found, the
// preset column and row) so that FindNext goes on where FindFirst stopped.

#include "grid/ZvGrid.h"
#include "grid/ZvGridOptions.h"
#include "grid/services/ZvGridService.h"

#include <memory>

class TZvGridSearch : public TZvGridService {
public:
    explicit TZvGridSearch(TZvStringGrid* AGrid);

private:
    friend class TZvStringGrid;

    // The walk over the cells from StartCell (excluded) in the order and range
    // of the stored parameters; the first matching cell or (-1, -1).
    TPoint Walk(TPoint StartCell, bool Wide);
    bool CellMatches(int ACol, int ARow, bool Wide);
    TPoint FindCore(TPoint StartCell, const String& s, TFindParameters FindParams, bool Wide);
    void GotoFound(TPoint Cell);
    // The parameters the footer's edit and buttons ask for.
    TFindParameters FooterParams(bool Typing) const;
    void FooterFind(bool Backward);
    // Highlights (Remove false) or un-highlights the footer's text in its column or the whole grid.
    void FooterHighlight(bool Remove, const String& Text);

    std::unique_ptr<TSearchFooter> FSearchFooter;
    String FIncrSearchText;
    int FSearchTicks = 0;
    String FFindText;
    TFindParameters FFindParams;
    TPoint FSearchCell{-1, -1};
    int FFindCol = 0;
    int FFindRow = 0;
};
