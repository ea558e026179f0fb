// Mouse release, double click, right button and fixed-cell editing.

#include "grid/ZvGrid.h"

void TZvStringGrid::FireClickSort(int) {}
bool TZvStringGrid::FireCanShowFixedDropDown(int) { return false; }
void TZvStringGrid::EditFixedCell(int, int) {}
void TZvStringGrid::ColumnMoved(int FromIndex, int ToIndex)
{
    ColumnMovedHook(FromIndex, ToIndex);
}

void TZvStringGrid::RowMoved(int FromIndex, int ToIndex)
{
    RowMovedHook(FromIndex, ToIndex);
}

void TZvStringGrid::ColumnMovedHook(int FromIndex, int ToIndex)
{
    TBaseGrid::ColumnMoved(FromIndex, ToIndex);
}

void TZvStringGrid::RowMovedHook(int FromIndex, int ToIndex)
{
    TBaseGrid::RowMoved(FromIndex, ToIndex);
}

void TZvStringGrid::LButtonUpMessageHook(TWMMouse&) {}
void TZvStringGrid::LButtonDblClkMessageHook(TWMMouse&) {}
void TZvStringGrid::RButtonDownMessageHook(TWMMouse&) {}
void TZvStringGrid::RButtonUpMessageHook(TWMMouse&) {}
