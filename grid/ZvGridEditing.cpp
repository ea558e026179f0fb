// The string grid's side of its inplace editors: showing, storing and validating edits.

#include "grid/ZvGrid.h"

void TZvStringGrid::StoreEditorText(int, int, const String&) {}
String TZvStringGrid::CurrentCell() { return String(); }
void TZvStringGrid::SetCurrentCell(const String&) {}
String TZvStringGrid::ReadCurrentCellText() { return String(); }
void TZvStringGrid::WriteCurrentCellText(const String&) {}
void TZvStringGrid::RestoreCellFromCache() {}
void TZvStringGrid::FireGetEditorProp(int, int, TObject*) {}
void TZvStringGrid::FireEllipsClick() {}
void TZvStringGrid::RememberOldCell(int, int) {}
void TZvStringGrid::SetFormulaEditing(bool) {}
void TZvStringGrid::FireStartBlockFocus(int, int) {}
void TZvStringGrid::FireEndBlockFocus() {}
bool TZvStringGrid::ValidateCell(const String&) { return false; }
bool TZvStringGrid::ValidateCellWide(const String&) { return false; }
bool TZvStringGrid::AllowEditorShow()
{
    return TBaseGrid::CanEditShow();
}

void TZvStringGrid::ApplyStyleServiceColors() {}
bool TZvStringGrid::CellAllowsEdit(int ACol, int ARow)
{
    const TPoint base = BaseCell(ACol, ARow);
    bool canEdit = true;
    QueryCellEditable(base.X, base.Y, canEdit);
    if (!canEdit) return false;
    bool fixed = false;
    QueryFixedCell(base.X, base.Y, fixed);
    return !fixed;
}
void TZvStringGrid::CellToRich(int, int, TRichEdit*) {}
TGridColorDropDown* TZvStringGrid::ColorPickerDropDown() { return nullptr; }
TGridImageDropDown* TZvStringGrid::ImagePickerDropDown() { return nullptr; }
bool TZvStringGrid::IsEditable(int ACol, int ARow)
{
    const bool on = Options().Contains(goEditing) || FMouseActions->RangeSelectAndEdit() || FEditingDisabled;
    return on && CellAllowsEdit(ACol, ARow);
}
TRichEdit* TZvStringGrid::RichEdit() { return nullptr; }
void TZvStringGrid::ExitHook()
{
    TBaseGrid::DoExit();
}

bool TZvStringGrid::CanEditShow()
{
    return AllowEditorShow();
}

String TZvStringGrid::GetEditMask(int ACol, int ARow)
{
    return EditMaskHook(ACol, ARow);
}

void TZvStringGrid::DoExit()
{
    ExitHook();
}

bool TZvStringGrid::CellSelectHook(int ACol, int ARow)
{
    return TBaseGrid::CellSelectHook(ACol, ARow);
}
