#include "grid/editors/ZvCellEditor.h"

#include "grid/ZvGrid.h"

TZvStringGrid* TZvCellEditor::OwningGrid(TComponent* AOwner)
{
    auto* grid = dynamic_cast<TZvStringGrid*>(AOwner);
    if (!grid) throw Exception(QStringLiteral("Invalid class typecast"));
    return grid;
}

void TZvCellEditor::PlaceOverCell(TWinControl* Control, const TRect& Cell)
{
    Control->SetBounds(Cell.Left, Cell.Top, Cell.Width() - 1, Cell.Height() - 1);
}

void TZvCellEditor::DisableAndHide(TWinControl* Control)
{
    Control->SetEnabled(false);
    Control->SetVisible(false);
}

void TZvCellEditor::FocusWithStartChar(TWinControl* Control, QChar StartChar)
{
    if (Control->CanFocus()) Control->SetFocus();
    if (!StartChar.isNull()) PostMessage(Control, WM_CHAR, WPARAM(StartChar.unicode()), 0);
}

void TZvCellEditor::LeaveToGrid(TZvStringGrid* Grid)
{
    Grid->HideInplaceEdit();
    if (Grid->CanFocus()) Grid->SetFocus();
}

void TZvCellEditor::TabToNextCell(TZvStringGrid* Grid)
{
    LeaveToGrid(Grid);
    Grid->TabToNextCell(GetKeyState(VK_SHIFT) < 0);
}

void TZvCellEditor::StoreCellValue(TZvStringGrid* Grid, int RealCol, int Row)
{
    Grid->StoreEditorText(RealCol, Row, EditorText());
}
