#include "dropdowns/editors/ZvGridDropDownEditor.h"

#include "grid/ZvGrid.h"
#include "grid/ZvGridOptions.h"

// ---- Opening and ending ------------------------------------------------------------------------
void TGridDropDownEditor::BeginCellEdit(TZvStringGrid* Grid, const TZvCellEditStart& Start)
{
    FGrid = Grid;
    TZvCustomDropDown& dd = DropDown();
    // Every drop-down editor of a grid shows the header and footer configured once on the grid.
    dd.DropDownHeader()->Assign(Grid->ControlLook()->DropDownHeader());
    dd.DropDownFooter()->Assign(Grid->ControlLook()->DropDownFooter());
    dd.SetComponentStyle(Grid->ComponentStyle());
    dd.OnDropDownHeaderButtonClick = [Grid](TObject* Sender, int Index) {
        Grid->DropDownHeaderButtonClicked(Sender, Index);
    };
    dd.OnDropDownFooterButtonClick = [Grid](TObject* Sender, int Index) {
        Grid->DropDownFooterButtonClicked(Sender, Index);
    };
    Grid->FireGetEditorProp(Start.RealCol, Start.Row, &dd);
    dd.SetBounds(Start.Cell.Left, Start.Cell.Top, 0, 0);
    dd.SetEnabled(true);
    PlaceOverCell(&dd, Start.Cell);
    {
        FLoading = true;
        struct Done {
            bool& Flag;
            ~Done() { Flag = false; }
        } done{FLoading};
        LoadCell(Start);
    }
    dd.SetColor(Start.Color);
    dd.SetVisible(true);
    FocusWithStartChar(&dd, Start.StartChar);
    if (Grid->MouseActions()->DirectComboDrop()) dd.ShowDropDown();
}

void TGridDropDownEditor::EndCellEdit()
{
    TZvCustomDropDown& dd = DropDown();
    // The value is stored already: the pop-up closes keeping what it shows.
    if (dd.DroppedDown()) dd.HideDropDown(false);
    dd.SetVisible(false);
    dd.SetEnabled(false);
}

// ---- The handlers ---------------------------------------------------------------------------
void TGridDropDownEditor::GridChange()
{
    if (!FGrid || FLoading) return;
    if (FGrid->OnEditChange) FGrid->OnEditChange(FGrid, FGrid->Col(), FGrid->Row(), TextOf());
}

void TGridDropDownEditor::GridExit()
{
    if (DropDown().Visible()) FGrid->HideInplaceEdit();
}

void TGridDropDownEditor::GridKillFocus() { FGrid->SpecialEditorFocusLost(&DropDown()); }

// The editor is the Sender: a handler of the grid's OnKeyPress does not take it for the grid.
void TGridDropDownEditor::GridKeyPress(QChar& Key)
{
    if (FGrid->OnKeyPress) FGrid->OnKeyPress(&DropDown(), Key);
    if (Key == QChar(0x1B) || Key == QChar(u'\r') || Key == QChar(u'\t')) Key = QChar();
    BaseKeyPress(Key);
}

void TGridDropDownEditor::GridWantSpecialKey(TWMKey& Message)
{
    const WORD key = WORD(Message.CharCode);
    if (key == VK_TAB && FGrid->EditorWantsTab()) Message.Result = 1;
    if ((key == VK_RETURN || key == VK_ESCAPE) && ClaimsEnterAndEscape()) Message.Result = 1;
}

void TGridDropDownEditor::GridDlgCode(TWMGetDlgCode& Message)
{
    if (FGrid->EditorWantsTab()) Message.Result |= DLGC_WANTTAB;
}

// ---- Caret placement -----------------------------------------------------------------------
void TGridDropDownEditor::GridSetFocus()
{
    if (PlacesCaretOnFocus() && FGrid->LButFlg()) PlaceCaretAtMouse();
}

void TGridDropDownEditor::PlaceCaretAtMouse()
{
    TZvCustomDropDown& dd = DropDown();
    const TPoint at = dd.ScreenToClient(GetCursorPos());
    // A press on the button part lies outside the edit: the flag waits for the next focus.
    if (at.X < 0 || at.X > dd.Width() || at.Y < 0 || at.Y > dd.Height()) return;
    const LRESULT r = dd.Perform(EM_CHARFROMPOS, 0, PointToLParam(at));
    if (r == LRESULT(-1)) return;
    dd.SetSelStart(int(LoWord(std::uintptr_t(r))));
    dd.SetSelLength(0);
    FGrid->SetLButFlg(false);
}

// ---- Keys ---------------------------------------------------------------------------------
bool TGridDropDownEditor::HandlesKey(WORD Key, TShiftState Shift) const
{
    switch (Key) {
    case VK_TAB:
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_UP: return true;
    case VK_DOWN: return !Shift.Contains(ssAlt) && GetKeyState(VK_MENU) >= 0;
    default: return false;
    }
}

// The key-down message: a key of the rule is the editor's, before any move
// of the member's (a list member would otherwise step its choice first and
// commit that); every other key is the member's own.
void TGridDropDownEditor::GridWMKeyDown(TWMKey& Message)
{
    const WORD key = WORD(Message.CharCode);
    const TShiftState shift = KeyDataToShiftState(Message.KeyData) + KeysToShiftState(0);
    if (!HandlesKey(key, shift)) {
        BaseWMKeyDown(Message);
        return;
    }
    TZvCustomDropDown& dd = DropDown();
    if (key == VK_RETURN && dd.DroppedDown()) {
        // Enter in the open pop-up takes what it points at, as it does outside a grid.
        FPassing = true;
        struct Done {
            bool& Flag;
            ~Done() { Flag = false; }
        } done{FPassing};
        TWMKey accept = Message;
        BaseWMKeyDown(accept);
        if (!dd.Visible()) return;
    }
    PlainWMKeyDown(Message);
}

bool TGridDropDownEditor::Commit()
{
    const String text = TextOf();
    FGrid->SetCurrentCell(text);
    return FGrid->ValidateCell(text);
}

void TGridDropDownEditor::GridKeyDown(WORD& Key, TShiftState Shift)
{
    TZvCustomDropDown& dd = DropDown();
    if (!HandlesKey(Key, Shift)) {
        BaseKeyDown(Key, Shift);
        return;
    }
    TZvStringGrid* grid = FGrid;
    if (Key == VK_ESCAPE) {
        // Escape stores nothing: the cell keeps the text it holds, and the editor shows it.
        dd.SetText(grid->CurrentCell());
        grid->RejectEdit();
        if (grid->CanFocus()) grid->SetFocus();
        Key = 0;
        return;
    }
    if (CommitsOn(Key)) {
        BeforeCommit(Key);
        if (!Commit()) {
            dd.SetText(grid->NewCellText());
            dd.SelectAll();
            dd.Invalidate();
            Key = 0;
            grid->SetNoAutoAdvance(true);
            return;
        }
        dd.SetText(grid->CurrentCell());
    }
    if (Key == VK_TAB && grid->EditorWantsTab()) {
        if (!Commit()) {
            dd.SetText(grid->NewCellText());
            dd.SetSelStart(int(dd.Text().size()));
            dd.Invalidate();
            Key = 0;
            return;
        }
        if (grid->Options().Contains(goTabs)) {
            TabToNextCell(grid);
            Key = 0;
            return;
        }
        PostMessage(grid, WM_KEYDOWN, VK_TAB, 0);
    }
    if (dd.DroppedDown()) {
        grid->HideInplaceEdit();
        if (Key == VK_PRIOR || Key == VK_NEXT || Key == VK_UP || Key == VK_DOWN) Key = 0;
    } else if (Key == VK_END) {
        dd.SetSelStart(int(dd.Text().size()));
        dd.SetSelLength(0);
        Key = 0;
        return;
    }
    grid->DoneInplaceEdit(Key, Shift);
    TNavigation* nav = grid->Navigation();
    if (nav->AdvanceOnEnter() && nav->AdvanceAutoEdit()) grid->ShowInplaceEdit();
    Key = 0;
}
