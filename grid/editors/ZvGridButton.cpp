#include "grid/editors/ZvGridButton.h"

#include "grid/ZvGrid.h"
#include "grid/editors/ZvCellEditorRegistry.h"

TGridButton::TGridButton(TComponent* AOwner) : TButton(AOwner), FGrid(OwningGrid(AOwner)) {}

void TGridButton::BeginCellEdit(TZvStringGrid* Grid, const TZvCellEditStart& Start)
{
    FGrid = Grid;
    const TRect& r = Start.Cell;
    SetBounds(r.Left - 1, r.Top - 1, r.Width() + 1, r.Height() + 1);
    SetCaption(Start.Text);
    SetVisible(true);
    SetEnabled(true);
    if (CanFocus()) SetFocus();
}

void TGridButton::EndCellEdit() { DisableAndHide(this); }

void TGridButton::TakeEllipsText()
{
    const String text = FGrid->FireEllipsClick(Caption());
    SetCaption(text);
    FGrid->SetCurrentCell(text);
}

void TGridButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == TMouseButton::mbLeft && Parent() == FGrid) TakeEllipsText();
    TButton::MouseUp(Button, Shift, X, Y);
}

void TGridButton::KeyUp(WORD& Key, TShiftState Shift)
{
    if (Key == VK_SPACE) {
        TakeEllipsText();
        if (CanFocus()) SetFocus();
        Invalidate();
    }
    TButton::KeyUp(Key, Shift);
}

void TGridButton::ReturnToGrid()
{
    FGrid->RejectEdit();
    DisableAndHide(this);
    if (FGrid->CanFocus()) FGrid->SetFocus();
}

void TGridButton::KeyDown(WORD& Key, TShiftState Shift)
{
    if (Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN) {
        const WORD key = Key;
        Key = 0;
        SendMessage(FGrid, WM_KEYDOWN, key, 0);
        ReturnToGrid();
        SendMessage(FGrid, WM_KEYUP, key, 0);
        return;
    }
    if (Key == VK_ESCAPE) {
        Key = 0;
        // Put back before the grid leaves the cell, which takes the cell's text as the next start.
        FGrid->RestoreCellFromCache();
        ReturnToGrid();
        SendMessage(FGrid, WM_KEYDOWN, VK_ESCAPE, 0);
        return;
    }
    TButton::KeyDown(Key, Shift);
}

void TGridButton::WMGetDlgCode(TWMGetDlgCode& Message)
{
    TButton::WMGetDlgCode(Message);
    Message.Result |= DLGC_WANTARROWS | DLGC_WANTALLKEYS;
}

void RegisterButtonCellEditor(TZvCellEditorRegistry& Registry)
{
    Registry.Register({QStringLiteral("Button"), {TEditorType::edButton}, [](TZvStringGrid* Grid) -> TZvCellEditor* {
                           auto* button = new TGridButton(Grid);
                           button->SetParent(Grid);
                           button->SetVisible(false);
                           button->OnClick = [Grid](TObject* s) { Grid->GridButtonClick(s); };
                           return button;
                       }});
}

TGridButton* TZvStringGrid::ButtonEditor() const
{
    return dynamic_cast<TGridButton*>(const_cast<TZvStringGrid*>(this)->CellEditor(TEditorType::edButton));
}
