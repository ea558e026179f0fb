// The grid's side of sorting, filtering, searching, the clipboard and persistence.

#include "grid/ZvGrid.h"
#include "grid/ZvHTMLUtil.h"

#include "grid/ZvHTMLUtil.h"

void TZvStringGrid::AdjustSelectAllRect(TGridRect&) {}
void TZvStringGrid::StoreCellText(int, int, const String&) {}
void TZvStringGrid::FirePrintGetPageNum(int, int, String&) {}
bool TZvStringGrid::RowMatchesFilter(int) { return false; }
void TZvStringGrid::PasteBegin() {}
void TZvStringGrid::PasteEnd() {}
void TZvStringGrid::MarkRowsModified(int, int) {}
void TZvStringGrid::CellClickHook(int, int) {}
bool TZvStringGrid::UsesFormattedClipboard() { return false; }
void TZvStringGrid::SelectFilterValue(int, int) {}
void TZvStringGrid::ApplyCheckedFilterEntries(int) {}
void TZvStringGrid::SortSwapRows(int, int) {}
void TZvStringGrid::SaveColPositions() {}
void TZvStringGrid::LoadColPositions() {}
void TZvStringGrid::QSort() {}
void TZvStringGrid::QSortIndexed() {}
void TZvStringGrid::QSortGroup() {}
void TZvStringGrid::QSortGroupIndexed() {}
void TZvStringGrid::QUnSort() {}
void TZvStringGrid::CopySelectionToClipboard() {}
void TZvStringGrid::CutSelectionToClipboard() {}
void TZvStringGrid::PasteSelectionFromClipboard() {}
void TZvStringGrid::FixedEditChanged(TObject*) {}
void TZvStringGrid::HilightInCell(int, int, const String&, bool) {}
void TZvStringGrid::HilightInCol(int, const String&, bool) {}
void TZvStringGrid::HilightInRow(int, const String&, bool) {}
void TZvStringGrid::HilightInGrid(const String&, bool) {}
void TZvStringGrid::MarkInCell(int, int, const String&, bool) {}
void TZvStringGrid::MarkInCol(int, const String&, bool) {}
void TZvStringGrid::MarkInRow(int, const String&, bool) {}
void TZvStringGrid::MarkInGrid(const String&, bool) {}
void TZvStringGrid::UnHilightInCell(int, int) {}
void TZvStringGrid::UnHilightInCol(int) {}
void TZvStringGrid::UnHilightInRow(int) {}
void TZvStringGrid::UnHilightInGrid() {}
void TZvStringGrid::UnMarkInCell(int, int) {}
void TZvStringGrid::UnMarkInCol(int) {}
void TZvStringGrid::UnMarkInRow(int) {}
void TZvStringGrid::UnMarkInGrid() {}
void TZvStringGrid::InitSortXRef() {}
void TZvStringGrid::InvalidateCellRange(TRect) {}
void TZvStringGrid::LoadColSizes() {}
void TZvStringGrid::SaveColSizes() {}
void TZvStringGrid::RotatedTextRect(TRect&, int, TVAlignment, TAlignment, const String&) {}
void TZvStringGrid::SaveToStream(QIODevice*) {}
void TZvStringGrid::LoadFromStream(QIODevice*) {}
int TZvStringGrid::Search(const String& Text)
{
    int col;
    if (!FSortSettings->Show()) col = FixedCols();
    else if (FSortSettings->IndexShow())
        col = FSortIndexes && FSortIndexes->Count() > 0 ? FSortIndexes->SortColumns(0) : FixedCols();
    else col = FSortSettings->Column();
    if (RowCount() < 2 || col < 0) return -1;
    const String wanted = Text.toUpper();
    for (int r = FixedRows(); r < RowCount(); ++r)
        if (StripHTMLTags(GetCellEx(RealColIndex(col), r)).left(wanted.length()).toUpper() == wanted) return r;
    return -1;
}
void TZvStringGrid::SearchEditChange(TObject*) {}
void TZvStringGrid::SearchBackwardClick(TObject*) {}
void TZvStringGrid::SearchForwardClick(TObject*) {}
void TZvStringGrid::SearchCloseClick(TObject*) {}
void TZvStringGrid::SearchHighlightClick(TObject*) {}
int TZvStringGrid::TotalXOffset() const { return 0; }
int TZvStringGrid::TotalYOffset() const { return 0; }
String TZvStringGrid::UnMarkText(const String& Text) { return UnhighlightHTMLText(Text, QStringLiteral("e")); }

void TZvStringGrid::SetFilterActive(bool Value) { FFilterActive = Value; }
