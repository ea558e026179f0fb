// Editor handlers, column and row headers.

#include "grid/ZvGrid.h"

String TZvStringGrid::EditMaskHook(int ACol, int ARow)
{
    return TBaseGrid::GetEditMask(ACol, ARow);
}

void TZvStringGrid::DateTimePickerChanged(TObject*) {}
void TZvStringGrid::DatePickerChanged(TObject*) {}
void TZvStringGrid::DatePickerClosedUp(TObject*) {}
void TZvStringGrid::DatePickerDroppedDown(TObject*) {}
void TZvStringGrid::GridButtonClick(TObject*) {}
void TZvStringGrid::RichEditSelectionChanged(TObject*) {}
void TZvStringGrid::ShowColumnHeaders() {}
void TZvStringGrid::ClearColumnHeaders() {}
void TZvStringGrid::ShowRowHeaders() {}
void TZvStringGrid::ClearRowHeaders() {}

TCheckBoxState TZvStringGrid::BoolToCheckBoxState(bool b) const
{
    return b ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked;
}
