// Row and column operations and cell access shared with the rest of the grid.

#include "grid/ZvGrid.h"

void TZvStringGrid::RecalcColumnFooter(int) {}
void TZvStringGrid::FireCellsChanged(TRect) {}
void TZvStringGrid::RecalcAllFooters() {}
void TZvStringGrid::BalloonInit() {}
void TZvStringGrid::BalloonDone() {}
void TZvStringGrid::CellControlsUpdate(bool) {}
void TZvStringGrid::HideInplaceEdit() {}
void TZvStringGrid::InitOrigColSizes() {}
void TZvStringGrid::ShowInplaceEdit() {}
void TZvStringGrid::SimulateCellClick(int, int) {}
void TZvStringGrid::UpdateSearchPanel() {}
void TZvStringGrid::SizeWithFormResize(TObject*) {}
void TZvStringGrid::MergedColumnsChanged(TObject*, int, int) {}
