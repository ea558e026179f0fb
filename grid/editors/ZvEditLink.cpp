#include "grid/editors/ZvEditLink.h"

#include "grid/ZvGrid.h"
#include "grid/ZvGridOptions.h"
#include "grid/editors/ZvCellEditor.h"
#include "grid/editors/ZvCellEditorRegistry.h"
#include "platform/Forms.h"
#include "platform/ScopeGuard.h"

#include <QWidget>

TEditLink::TEditLink(TComponent* AOwner) : TComponent(AOwner) {}

TEditLink::~TEditLink()
{
    // A grid still showing this link's control must not store from it once it is gone.
    if (FOwner && FOwner->EditLink() == this) FOwner->SetEditLink(nullptr);
}

void TEditLink::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation != TOperation::opRemove) return;
    if (AComponent == FPopupForm) FPopupForm = nullptr;
    if (AComponent == FOwner) FOwner = nullptr;
}

TForm* TEditLink::NeedPopupForm()
{
    if (FPopupForm) return FPopupForm;
    // The window is the link's own: found through this field only, never by
    // its name, so another component of that name is never taken or freed.
    FPopupForm = new TForm(this);
    FPopupForm->SetName(QStringLiteral("gridform"));
    FPopupForm->SetBorderStyle(TFormBorderStyle::bsNone);
    FPopupForm->OnDeactivate = [this](TObject* Sender) { FormExit(Sender); };
    return FPopupForm;
}

TWinControl* TEditLink::GetParent()
{
    if (FEditStyle == TEditStyle::esPopup) return FPopupForm;
    return FOwner;
}

void TEditLink::SetVisible(bool Value)
{
    if (TWinControl* control = GetEditControl()) control->SetVisible(Value);
}

void TEditLink::SetRect(const TRect& R)
{
    TWinControl* control = GetEditControl();
    if (!control) throw Exception(QStringLiteral("The edit link has no control: CreateEditor must make one"));
    const int line = FOwner ? FOwner->GridLineWidth() : 0;
    control->SetBounds(R.Left, R.Top, R.Width() - line, R.Height() - line);
}

void TEditLink::SetFocus(bool Value)
{
    TWinControl* control = GetEditControl();
    if (!control) throw Exception(QStringLiteral("The edit link has no control: CreateEditor must make one"));
    if (Value) {
        control->SetVisible(true);
        control->SetEnabled(true);
    }
    if (FEditStyle == TEditStyle::esInplace && !FSubClassed && FOwner) {
        // The grid answers the control's key question while it tabs through its cells.
        FOwnProc = !WindowProcReplaced(control);
        FOwner->SetGridControlWndProc(GetWindowProc(control));
        TZvStringGrid* grid = FOwner;
        SetWindowProc(control, [grid](TMessage& Message) { grid->EditControlWindowProc(Message); });
        FSubClassed = true;
    }
    if (Value) {
        if (control->CanFocus()) control->SetFocus();
    } else if (FOwner && FOwner->CanFocus()) {
        FOwner->SetFocus();
    }
}

void TEditLink::RestoreWinProc()
{
    TWinControl* control = GetEditControl();
    if (FEditStyle != TEditStyle::esInplace || !control) return;
    if (FSubClassed) {
        SetWindowProc(control, FOwnProc || !FOwner ? TWndMethod() : FOwner->GridControlWndProc());
        if (FOwner) FOwner->SetGridControlWndProc(TWndMethod());
    }
    FSubClassed = false;
    control->SetVisible(false);
}

String TEditLink::GetCellValue()
{
    if (!FOwner) return String();
    return FOwner->GetCellEx(FOwner->RealColIndex(FOwner->Col()), FOwner->Row());
}

void TEditLink::SetCellValue(const String& S)
{
    if (!FOwner) return;
    FOwner->StoreEditorText(FOwner->RealColIndex(FOwner->Col()), FOwner->Row(), S);
}

void TEditLink::HideEditor()
{
    SetCellValue(GetEditorValue());
    if (FOwner) FOwner->HideInplaceEdit();
    RestoreWinProc();
}

void TEditLink::EditExit(TObject*)
{
    HideEditor();
    if (FEditStyle == TEditStyle::esPopup && FPopupForm) {
        DestroyEditor();
        FPopupForm->Hide();
    }
}

void TEditLink::FormExit(TObject* Sender)
{
    if (!FOwner) return;
    if (TInplaceEdit* text = FOwner->InplaceEditor()) text->SetText(GetEditorValue());
    if (FForcedExit) {
        SetCellValue(GetEditorValue());
    } else {
        EditExit(Sender);
        FOwner->SetInvokedFocusChange(true);
    }
}

void TEditLink::Leave()
{
    {
        FForcedExit = true;
        const TScopeExit cleared([this] { FForcedExit = false; });
        if (FOwner->CanFocus()) FOwner->SetFocus();
    }
    FOwner->StoreAndHideEditor(FOwner->Col(), FOwner->Row());
    FOwner->HideInplaceEdit();
}

void TEditLink::EditKeyDown(TObject* Sender, WORD& Key, TShiftState Shift)
{
    if (!FOwner) return;
    const bool alt = Shift.Contains(ssAlt);
    bool ends = alt;
    bool wanted = false;
    switch (Key) {
    case VK_TAB: ends = true; wanted = FWantTabs; break;
    case VK_RETURN: ends = true; wanted = FWantKeyReturn; break;
    case VK_ESCAPE: ends = true; wanted = FWantKeyEscape; break;
    case VK_PRIOR:
    case VK_NEXT: ends = true; wanted = FWantKeyPriorNext; break;
    case VK_END: ends = true; wanted = FWantKeyHomeEnd; break;
    case VK_HOME: wanted = FWantKeyHomeEnd; break;
    case VK_LEFT:
    case VK_RIGHT: ends = true; wanted = FWantKeyLeftRight; break;
    case VK_UP:
    case VK_DOWN: ends = true; wanted = FWantKeyUpDown; break;
    default: break;
    }
    // A key the link wants stays in the control, even with Alt.
    if (!ends || wanted) return;

    TZvStringGrid* grid = FOwner;
    if (Key == VK_TAB) {
        if (grid->Navigation()->TabToNextAtEnd()) {
            Leave();
            const bool moved = grid->TabToNextCell(Shift.Contains(ssShift));
            if (moved && !grid->IsCheckOrButtonCell(grid->RealColIndex(grid->Col()), grid->Row()))
                PostMessage(grid, WM_KEYDOWN, VK_F2, 0);
            Key = 0;
            return;
        }
        Key = 0;
    }
    if (Key == VK_ESCAPE) SetEditorValue(grid->OriginalCellValue());
    const WORD key = Key;
    Leave();
    if (FEditStyle == TEditStyle::esPopup) EditExit(Sender);

    if (grid->LastValidation()) {
        if (key == VK_RETURN) {
            if (grid->Navigation()->AdvanceOnEnter())
                grid->AdvanceToNextCell(grid->Col(), grid->Row(), false, false, !Shift.Contains(ssShift), false, false);
            Key = 0;
        } else if (key == VK_ESCAPE) {
            Key = 0;
        } else {
            if (key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN) grid->Perform(WM_KEYDOWN, key, 0);
            if (TWinControl* control = GetEditControl()) control->SetEnabled(false);
            FForcedExit = true;
            const TScopeExit cleared([this] { FForcedExit = false; });
            if (grid->CanFocus()) grid->SetFocus();
        }
    } else {
        // A refused value reopens the editor on the same cell.
        grid->ShowInplaceEdit();
    }
    grid->SetLastValidation(true);
}

// ---- The grid's side: the kind edCustom opens the grid's link --------------------------------
namespace {

// Serves edCustom cells through whatever link the grid holds when the edit
// begins. It has no control of its own; it reports the link's.
class TEditLinkCellEditor : public TComponent, public TZvCellEditor {
public:
    explicit TEditLinkCellEditor(TZvStringGrid* Grid) : TComponent(Grid), FGrid(Grid) {}

    TWinControl* EditorControl() override { return FLink ? FLink->GetEditControl() : nullptr; }
    LRESULT WantedKeys() override
    {
        TWinControl* control = EditorControl();
        return control ? control->Perform(WM_GETDLGCODE) : 0;
    }
    bool IsEditCtrl() const override { return true; }
    bool CanBegin(TZvStringGrid* Grid) override { return dynamic_cast<TEditLink*>(Grid->EditLink()) != nullptr; }
    bool HasValue() override { return FLink != nullptr; }
    bool WritesThrough(const TControl*) override { return false; }

    void BeginCellEdit(TZvStringGrid* Grid, const TZvCellEditStart& Start) override
    {
        FLink = dynamic_cast<TEditLink*>(Grid->EditLink());
        if (!FLink) return;
        FLink->SetGrid(Grid);
        FLink->FreeNotification(this);
        FLink->SetEditCell({Start.RealCol, Start.Row});
        if (FLink->EditStyle() == TEditStyle::esPopup) {
            if (FLink->AutoPopupWidth()) FLink->SetPopupWidth(Start.Cell.Width());
            TForm* form = FLink->NeedPopupForm();
            TPoint at{FLink->PopupLeft(), FLink->PopupTop()};
            if (at.X == -1 || at.Y == -1) at = Grid->ClientToScreen({Start.Cell.Left, Start.Cell.Top});
            form->SetBounds(at.X, at.Y, 0, 0);
            form->HandleNeeded();
            form->Handle()->setWindowFlag(Qt::WindowStaysOnTopHint, true);
            form->Show();
            form->SetBounds(at.X, at.Y, FLink->PopupWidth(), FLink->PopupHeight());
            FLink->CreateEditor(form);
            FLink->SetRect(Rect(0, 0, FLink->PopupWidth(), FLink->PopupHeight()));
        } else {
            FLink->CreateEditor(Grid);
            FLink->SetRect(Start.Cell);
        }
        FLink->SetVisible(true);
        TBrush brush;
        TFont font;
        TAlignment ha;
        Grid->CellEditorLook(Start.Col, Start.Row, brush, font, ha);
        FLink->SetCellProps(Start.Color, &font);
        FLink->SetProperties();
        Grid->FireGetEditorProp(Start.RealCol, Start.Row, FLink);
        FLink->SetEditorValue(Start.Text);
        FLink->SetFocus(true);
        if (TWinControl* control = FLink->GetEditControl(); control && !Start.StartChar.isNull())
            PostMessage(control, WM_CHAR, WPARAM(Start.StartChar.unicode()), 0);
    }

    String EditorText() override { return FLink ? FLink->GetEditorValue() : String(); }

    void EndCellEdit() override
    {
        if (!FLink) return;
        if (FLink->EditStyle() == TEditStyle::esInplace) FLink->SetVisible(false);
        FLink->RestoreWinProc();
    }

    // A combo of the link's reports its choice to the grid's combo event.
    void GridCommand(TZvStringGrid* Grid, const TControl* Sender, WORD Code) override
    {
        if (!FLink || Sender == nullptr || Sender != FLink->GetEditControl() || !Grid->OnComboChange) return;
        if (Code != CBN_SELCHANGE && Code != CBN_EDITCHANGE) return;
        auto* combo = dynamic_cast<const TComboBox*>(Sender);
        if (!combo) return;
        const int index = combo->ItemIndex();
        const String text = index >= 0 && index < combo->Items()->Count() ? combo->Items()->Strings(index) : String();
        Grid->OnComboChange(Grid, Grid->Col(), Grid->Row(), index, text);
    }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override
    {
        TComponent::Notification(AComponent, Operation);
        if (Operation == TOperation::opRemove && AComponent == FLink) FLink = nullptr;
    }

private:
    TZvStringGrid* FGrid;
    TEditLink* FLink = nullptr;
};

} // namespace

void RegisterEditLinkCellEditor(TZvCellEditorRegistry& Registry)
{
    Registry.Register({QStringLiteral("EditLink"), {TEditorType::edCustom},
                       [](TZvStringGrid* Grid) -> TZvCellEditor* { return new TEditLinkCellEditor(Grid); }});
}

// ---- The grid's members for its links ---------------------------------------------------------
void TZvStringGrid::EditControlWindowProc(TMessage& Message)
{
    const TWndMethod saved = GridControlWndProc();
    if (Message.Msg == WM_GETDLGCODE && Options().Contains(goTabs)) {
        Message.Result |= DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS;
        return;
    }
    if (saved) saved(Message);
}
