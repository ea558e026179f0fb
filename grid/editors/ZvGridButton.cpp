#include "grid/editors/ZvGridButton.h"

#include "grid/ZvGrid.h"
#include "grid/editors/ZvCellEditorRegistry.h"

void TGridButton::BeginCellEdit(TZvStringGrid*, const TZvCellEditStart& Start)
{
    const TRect& r = Start.Cell;
    SetBounds(r.Left - 1, r.Top - 1, r.Width() + 1, r.Height() + 1);
    SetCaption(Start.Text);
    SetVisible(true);
    SetEnabled(true);
    if (CanFocus()) SetFocus();
}

void TGridButton::EndCellEdit() { DisableAndHide(this); }

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
