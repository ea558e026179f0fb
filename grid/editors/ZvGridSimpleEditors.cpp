#include "grid/editors/ZvGridSimpleEditors.h"

#include "grid/ZvGrid.h"
#include "grid/ZvGridOptions.h"

namespace {

// The fixed-cell edit ends in one way for the edit box and the combo.
bool StopFixedEdit(TWinControl* Editor, TZvStringGrid* Grid, int ACol, int ARow)
{
    if (!Grid) {
        Editor->SetVisible(false);
        return true;
    }
    String text = Editor->Text();
    bool valid = true;
    if (Grid->OnCellValidate) Grid->OnCellValidate(Grid, ACol, ARow, text, valid);
    if (!valid) {
        Grid->SetCol(Grid->DisplColIndex(ACol));
        Grid->SetRow(ARow);
        if (Editor->CanFocus()) Editor->SetFocus();
        return false;
    }
    if (Grid->OnEditingDone) Grid->OnEditingDone(Grid);
    Grid->SetCellEx(ACol, ARow, text);
    Editor->SetVisible(false);
    return true;
}

// Enter and Tab in a form control: the value goes to the grid first.
bool FormControlKey(TWinControl* Control, QChar& Key)
{
    auto* grid = dynamic_cast<TZvStringGrid*>(Control->Parent());
    if (!grid || (Key != QChar(VK_RETURN) && Key != QChar(VK_TAB))) return false;
    const bool tab = Key == QChar(VK_TAB);
    Key = QChar();
    grid->CellControlExit(Control);
    if (!tab) {
        if (grid->CanFocus()) grid->SetFocus();
    } else if (grid->Navigation()->AdvanceAuto()) {
        if (grid->CanFocus()) grid->SetFocus();
        grid->AdvanceToNextCell(grid->Col(), grid->Row(), true, false, true, false, false);
    } else {
        grid->ActivateCellControl(grid->Col(), grid->Row(), grid->CellControlID());
    }
    return true;
}

} // namespace

// ---- Fixed cells ----------------------------------------------------------------------------
template <class TBase>
TFixedCellEditorOf<TBase>::TFixedCellEditorOf(TComponent* AOwner)
    : TBase(AOwner), FGrid(dynamic_cast<TZvStringGrid*>(AOwner))
{
}

template <class TBase>
bool TFixedCellEditorOf<TBase>::StopEdit()
{
    return StopFixedEdit(this, FGrid, FCol, FRow);
}

template <class TBase>
void TFixedCellEditorOf<TBase>::DoExit()
{
    TBase::DoExit();
    if (this->Visible()) StopEdit();
}

template <class TBase>
void TFixedCellEditorOf<TBase>::KeyPress(QChar& Key)
{
    if (Key == QChar(VK_RETURN)) Key = QChar();
    TBase::KeyPress(Key);
}

template class TFixedCellEditorOf<TEdit>;
template class TFixedCellEditorOf<TComboBox>;

// ---- Form controls ----------------------------------------------------------------------------
void TControlEdit::KeyPress(QChar& Key)
{
    if (FormControlKey(this, Key)) return;
    TEdit::KeyPress(Key);
}

void TControlEdit::WMGetDlgCode(TWMGetDlgCode& Message)
{
    TEdit::WMGetDlgCode(Message);
    // Over a grid Enter hands the value over, so it stays with the control too.
    Message.Result |= DLGC_WANTTAB;
    if (dynamic_cast<TZvStringGrid*>(Parent())) Message.Result |= DLGC_WANTALLKEYS;
}

void TControlCombo::KeyPress(QChar& Key)
{
    if (FormControlKey(this, Key)) return;
    TComboBox::KeyPress(Key);
}

void TControlCombo::WMGetDlgCode(TWMGetDlgCode& Message)
{
    TComboBox::WMGetDlgCode(Message);
    Message.Result |= DLGC_WANTTAB;
    if (dynamic_cast<TZvStringGrid*>(Parent())) Message.Result |= DLGC_WANTALLKEYS;
}
