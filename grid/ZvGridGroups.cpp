// Grouping rows by the values of a column.

#include "grid/ZvGrid.h"

void TZvStringGrid::SubGroup(int) {}
void TZvStringGrid::SubUnGroup(int) {}
void TZvStringGrid::Group(int) {}
void TZvStringGrid::UnGroup() {}
void TZvStringGrid::SetGroupColumn(int) {}
void TZvStringGrid::MarkSummaryRow(int) {}
void TZvStringGrid::GroupCalc(int, int) {}
void TZvStringGrid::GroupSum(int) {}
void TZvStringGrid::GroupAvg(int) {}
void TZvStringGrid::GroupMin(int) {}
void TZvStringGrid::GroupMax(int) {}
void TZvStringGrid::GroupCount(int) {}
void TZvStringGrid::GroupCustomCalc(int) {}
void TZvStringGrid::GroupDistinct(int) {}
void TZvStringGrid::GroupStdDev(int) {}
