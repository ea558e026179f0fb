// Tab and advance navigation.

#include "grid/ZvGrid.h"

void TZvStringGrid::MoveToFirstRow() {}
bool TZvStringGrid::FireCellChanging(int, int, int, int) { return false; }
bool TZvStringGrid::TabToNextCell(bool) { return false; }
void TZvStringGrid::AdvanceToNextCell(int, int, bool, bool, bool, bool, bool) {}
int TZvStringGrid::FirstDataColumn() { return 0; }
int TZvStringGrid::VisibleFixedRightCols() { return 0; }
bool TZvStringGrid::IsTabStopCell(int, int) { return false; }
int TZvStringGrid::FirstTabStopCol(int) { return 0; }
int TZvStringGrid::LastTabStopCol(int) { return 0; }
