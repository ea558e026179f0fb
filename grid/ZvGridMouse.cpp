// Mouse press rules and the HTML form controls a press opens.

#include "grid/ZvGrid.h"

void TZvStringGrid::MouseWheelHook(TGridCoord&, bool&) {}
void TZvStringGrid::SelectRangeHook(TGridRect&) {}
void TZvStringGrid::RadioGroupClick(int, int, int, int) {}
void TZvStringGrid::ShowCellControl(int, int, int, int) {}
void TZvStringGrid::CellControlExit(TObject*) {}
void TZvStringGrid::CellControlComboSelect(TObject*) {}
bool TZvStringGrid::IsHoverFixedCell(int, int) { return false; }
void TZvStringGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    MouseDownHook(Button, Shift, X, Y);
}

void TZvStringGrid::MouseMove(TShiftState Shift, int X, int Y)
{
    MouseMoveHook(Shift, X, Y);
}

void TZvStringGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    MouseUpHook(Button, Shift, X, Y);
}

bool TZvStringGrid::SizingStateHook(int, int) { return false; }
void TZvStringGrid::MouseDownHook(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TBaseGrid::MouseDown(Button, Shift, X, Y);
}

void TZvStringGrid::MouseMoveHook(TShiftState Shift, int X, int Y)
{
    TBaseGrid::MouseMove(Shift, X, Y);
}

void TZvStringGrid::MouseUpHook(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TBaseGrid::MouseUp(Button, Shift, X, Y);
}

void TZvStringGrid::LButtonDownMessageHook(TWMMouse&) {}
