#include "grid/editors/ZvCellEditor.h"

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
