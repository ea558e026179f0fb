// The grid's side of sorting, filtering, searching, the clipboard and persistence.

#include "grid/ZvGrid.h"
#include "grid/support/ZvHTMLUtil.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <numbers>

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
void TZvStringGrid::RotatedTextRect(TRect& Rect, int Angle, TVAlignment VAlign, TAlignment HAlign,
                                    const String& Text)
{
    // The text turns about its start point: its run goes along (cos, -sin),
    // its height along (sin, cos). The start point is placed so that the box
    // around the turned text sits in the cell by the cell's alignments.
    TCanvas& canvas = *Canvas();
    const double w = canvas.TextWidth(Text + u'w');
    const double h = canvas.TextHeight(Text + u'w');
    const double a = Angle * std::numbers::pi / 180.0;
    const double runX = w * std::cos(a), runY = -w * std::sin(a);
    const double downX = h * std::sin(a), downY = h * std::cos(a);
    const double xs[] = {0, runX, downX, runX + downX};
    const double ys[] = {0, runY, downY, runY + downY};
    const double minX = *std::min_element(std::begin(xs), std::end(xs));
    const double maxX = *std::max_element(std::begin(xs), std::end(xs));
    const double minY = *std::min_element(std::begin(ys), std::end(ys));
    const double maxY = *std::max_element(std::begin(ys), std::end(ys));

    double x = Rect.Left - minX;
    if (HAlign == TAlignment::taRightJustify)
        x = Rect.Right - maxX;
    else if (HAlign == TAlignment::taCenter)
        x = Rect.Left + (Rect.Width() - (maxX - minX)) / 2 - minX;
    double y = Rect.Top - minY;
    if (VAlign == TVAlignment::vtaBottom)
        y = Rect.Bottom - maxY;
    else if (VAlign == TVAlignment::vtaCenter)
        y = Rect.Top + (Rect.Height() - (maxY - minY)) / 2 - minY;
    Rect.Left = int(std::lround(x));
    Rect.Top = int(std::lround(y));
}
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
