#include "grid/editors/ZvGridCheckBox.h"

#include "grid/ZvGrid.h"
#include "grid/ZvGridOptions.h"
#include "grid/editors/ZvCellEditorRegistry.h"
#include "platform/ScopeGuard.h"
#include "platform/SysUtils.h"

TGridCheckBox::TGridCheckBox(TComponent* AOwner) : TCheckBox(AOwner), FGrid(TZvCellEditor::OwningGrid(AOwner)) {}

// The widget keeps no state of its own beyond what the control holds, so
// making sure it exists is all a fresh opening needs.
void TGridCheckBox::ReCreate() { HandleNeeded(); }

void TGridCheckBox::EndEdit(bool Rejected)
{
    if (FEnding) return;
    FEnding = true;
    const TScopeExit done([this] { FEnding = false; });
    if (Rejected) FGrid->RejectEdit();
    else FGrid->CommitEdit();
    if (FGrid->CanFocus()) FGrid->SetFocus();
}

void TGridCheckBox::KeyDown(WORD& Key, TShiftState Shift)
{
    switch (Key) {
    case VK_SPACE:
        Toggle();
        // The toggle is done; the widget must not click itself again on release.
        Key = 0;
        return;
    case VK_RETURN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: {
        const WORD key = Key;
        Key = 0;
        if (FEnding) return;
        FEnding = true;
        const TScopeExit done([this] { FEnding = false; });
        // The grid ends the edit and acts on the key; its enter handling stays
        // silent while the focus comes back to it.
        // Left and Right only end the edit; they do not move the cursor on.
        FGrid->DoneInplaceEdit(key == VK_LEFT || key == VK_RIGHT ? WORD(0) : key, Shift);
        return;
    }
    case VK_ESCAPE:
        Key = 0;
        SetCaption(FGrid->CurrentCell());
        EndEdit(true);
        return;
    default:
        TCheckBox::KeyDown(Key, Shift);
        return;
    }
}

void TGridCheckBox::KeyPress(QChar& Key)
{
    TCheckBox::KeyPress(Key);
    // Space toggled on key-down already.
    if (Key == QChar(' ')) Key = QChar();
}

void TGridCheckBox::WMLButtonDown(TWMMouse& Message)
{
    // One toggle per press: the widget is not given the press, so it does
    // not click itself again on release.
    Toggle();
    if (CanFocus() && !Focused()) SetFocus();
    MouseDown(TMouseButton::mbLeft, KeysToShiftState(Message.Keys), Message.XPos(), Message.YPos());
}

void TGridCheckBox::WMGetDlgCode(TWMGetDlgCode& Message) { Message.Result = WantedKeys(); }

void TGridCheckBox::DoExit()
{
    if (Visible()) EndEdit();
    TCheckBox::DoExit();
}

void TGridCheckBox::WMKillFocus(TWMKillFocus& Message)
{
    TCheckBox::WMKillFocus(Message);
    FGrid->SpecialEditorFocusLost(this);
}

// ---- The cell editor ------------------------------------------------------------------------------
void TGridCheckBox::BeginCellEdit(TZvStringGrid*, const TZvCellEditStart& Start)
{
    PlaceOverCell(this, Start.Cell);
    SetCaption(Start.Text);
    SetEnabled(true);
    SetChecked(false);
    SetVisible(true);
    if (CanFocus()) SetFocus();
}

void TGridCheckBox::EndCellEdit() { DisableAndHide(this); }

void RegisterCheckBoxCellEditor(TZvCellEditorRegistry& Registry)
{
    Registry.Register({QStringLiteral("CheckBox"), {TEditorType::edCheckBox}, [](TZvStringGrid* Grid) -> TZvCellEditor* {
                           auto* box = new TGridCheckBox(Grid);
                           box->SetParent(Grid);
                           box->SetVisible(false);
                           return box;
                       }});
}

TGridCheckBox* TZvStringGrid::CheckBoxEditor() const
{
    return dynamic_cast<TGridCheckBox*>(const_cast<TZvStringGrid*>(this)->CellEditor(TEditorType::edCheckBox));
}
