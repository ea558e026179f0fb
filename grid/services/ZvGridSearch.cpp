// Searching and highlighting: the service's state and the grid's members that front it.
// Not built yet (each raises through NotBuilt): the search panel's handlers SearchEditChange,
// SearchBackwardClick, SearchForwardClick, SearchCloseClick and SearchHighlightClick.

#include "grid/services/ZvGridSearch.h"

#include "grid/ZvGrid.h"
#include "grid/ZvGridPrivate.h"
#include "grid/support/ZvHTMLUtil.h"
#include "grid/services/ZvGridSort.h"

namespace {
// A display-text handler decides what a cell shows, so the highlight works on that.
String HighlightSourceText(TZvStringGrid& Grid, int ACol, int ARow)
{
    return Grid.OnGetDisplText ? Grid.GetCellEx(ACol, ARow) : Grid.GetGridCell(ACol, ARow);
}
}   // namespace

TZvGridSearch::TZvGridSearch(TZvStringGrid* AGrid)
    : TZvGridService(AGrid),
      FSearchFooter(std::make_unique<TSearchFooter>(AGrid, AGrid->Designing()))
{
    FSearchFooter->OnChange = [AGrid](TObject*) { AGrid->SearchFooterChanged(); };
}

TZvGridSearch& TZvStringGrid::SearchService() const { return MadeOnFirstUse(d->FSearchService, this); }

TSearchFooter* TZvStringGrid::SearchFooter() const { return SearchService().FSearchFooter.get(); }
void TZvStringGrid::SetSearchFooter(TSearchFooter* Value) { SearchFooter()->Assign(Value); }
const String& TZvStringGrid::IncrSearchText() const { return SearchService().FIncrSearchText; }
void TZvStringGrid::SetIncrSearchText(const String& Value) { SearchService().FIncrSearchText = Value; }

int TZvStringGrid::Search(const String& Text)
{
    int col;
    if (!SortSettings()->Show()) col = FixedCols();
    else if (SortSettings()->IndexShow())
        col = SortIndexes() && SortIndexes()->Count() > 0 ? SortIndexes()->SortColumns(0) : FixedCols();
    else col = SortSettings()->Column();
    if (RowCount() < 2 || col < 0) return -1;
    const String wanted = Text.toUpper();
    for (int r = FixedRows(); r < RowCount(); ++r)
        if (StripHTMLTags(GetCellEx(RealColIndex(col), r)).left(wanted.length()).toUpper() == wanted) return r;
    return -1;
}

void TZvStringGrid::SearchEditChange(TObject*) { NotBuilt("SearchEditChange"); }

void TZvStringGrid::SearchBackwardClick(TObject*) { NotBuilt("SearchBackwardClick"); }

void TZvStringGrid::SearchForwardClick(TObject*) { NotBuilt("SearchForwardClick"); }

void TZvStringGrid::SearchCloseClick(TObject*) { NotBuilt("SearchCloseClick"); }

void TZvStringGrid::SearchHighlightClick(TObject*) { NotBuilt("SearchHighlightClick"); }

String TZvStringGrid::UnMarkText(const String& Text) { return UnhighlightHTMLText(Text, QStringLiteral("e")); }

void TZvStringGrid::HilightTextInRange(const String& HiText, const String& Tag, int FromCol, int ToCol, int FromRow,
                                       int ToRow, bool DoCase)
{
    const String search = HTMLEscape(HiText, false);
    for (int r = FromRow; r <= ToRow; ++r) {
        for (int c = FromCol; c <= ToCol; ++c) {
            if (!IsBaseCell(c, r)) continue;
            const String text = HTMLEscape(HighlightSourceText(*this, c, r), false);
            SetCellEx(c, r, HighlightHTMLText(text, search, Tag, DoCase));
        }
    }
}

void TZvStringGrid::UnHilightTextInRange(const String& Tag, int FromCol, int ToCol, int FromRow, int ToRow)
{
    for (int r = FromRow; r <= ToRow; ++r) {
        for (int c = FromCol; c <= ToCol; ++c) {
            if (!IsBaseCell(c, r)) continue;
            SetCellEx(c, r, UnhighlightHTMLText(HTMLUnescape(HighlightSourceText(*this, c, r), false), Tag));
        }
    }
}
