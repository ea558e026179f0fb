// Cell text painting.

#include "grid/ZvGrid.h"

void TZvStringGrid::PaintCellText() {}
void TZvStringGrid::PaintCellBackgroundPicture(TCanvas*, TRect) {}
void TZvStringGrid::TileCellBackground(TCanvas*, TRect) {}
void TZvStringGrid::PaintCellBackgroundGradient(TCanvas*, TRect) {}
bool TZvStringGrid::IsSortIndicatorCell(int, int) { return false; }
