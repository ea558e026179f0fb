// The edit with a button at its right, its unit variant and the button part.

#include "grid/editors/ZvEditBtn.h"

#include "grid/ZvGrid.h"
#include "grid/ZvGridOptions.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <type_traits>
#include "grid/editors/ZvCellEditorRegistry.h"
#include "grid/support/ZvGridTypes.h"
#include "platform/DrawText.h"
#include "platform/Regional.h"
#include "platform/FrameControls.h"
#include "platform/Themes.h"

namespace {
constexpr int DefaultButtonSide = 18;

// The unit shown between the text and the button of a unit edit.
class TUnitBox : public TCustomControl {
public:
    TUnitBox(TAsgUnitEditBtn* AEdit) : TCustomControl(AEdit), FEdit(AEdit) {}

protected:
    void Paint() override
    {
        TCanvas& c = *Canvas();
        c.Brush()->SetStyle(TBrushStyle::bsSolid);
        c.Brush()->SetColor(FEdit->Color());
        c.FillRect(ClientRect());
        c.SetFont(FEdit->Font());
        c.Brush()->SetStyle(TBrushStyle::bsClear);
        TRect r = ClientRect();
        DrawText(c, FEdit->UnitID(), r, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    }

private:
    TAsgUnitEditBtn* FEdit;
};
}   // namespace

// ---- TZvSpeedButton -------------------------------------------------------------------------
TZvSpeedButton::TZvSpeedButton(TComponent* AOwner, TAsgEditButton* APart) : TSpeedButton(AOwner), FPart(APart) {}

void TZvSpeedButton::SetIsWinXP(bool value)
{
    FIsWinXP = value;
    Invalidate();
}

void TZvSpeedButton::Click()
{
    // The part acts on the release of the button instead (see MouseUp).
}

void TZvSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    const bool clicked = Button == TMouseButton::mbLeft && Dragging() && ClientRect().Contains(TPoint{X, Y});
    TSpeedButton::MouseUp(Button, Shift, X, Y);
    if (clicked && FPart) FPart->ButtonReleased();
}

void TZvSpeedButton::MouseEnter()
{
    TSpeedButton::MouseEnter();
    FHot = true;
    Invalidate();
}

void TZvSpeedButton::MouseLeave()
{
    TSpeedButton::MouseLeave();
    FHot = false;
    Invalidate();
}

void TZvSpeedButton::Paint()
{
    TCanvas& c = *Canvas();
    c.SetFont(Font());
    TRect r = ClientRect();
    const bool down = State() == TSpeedButtonState::bsDown || State() == TSpeedButtonState::bsExclusive;
    if (FPart && FPart->ButtonColor != clNone) {
        SetFlat(true);
        const TColor back = down ? FPart->ButtonColorDown : FHot ? FPart->ButtonColorHot : FPart->ButtonColor;
        const TColor text = down ? FPart->ButtonTextColorDown : FHot ? FPart->ButtonTextColorHot : FPart->ButtonTextColor;
        c.Brush()->SetStyle(TBrushStyle::bsSolid);
        c.Brush()->SetColor(back == clNone ? FPart->ButtonColor : back);
        c.FillRect(r);
        if (text != clNone) {
            c.Brush()->SetColor(text);
            c.Pen()->SetColor(text);
        }
    } else if (FIsWinXP && IsAppThemed()) {
        DrawFrameControl(c, r, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (down ? DFCS_PUSHED : FHot ? DFCS_HOT : 0));
    } else if (!Flat()) {
        DrawFrameControl(c, r, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (down ? DFCS_PUSHED : 0));
    } else {
        c.Brush()->SetStyle(TBrushStyle::bsSolid);
        c.Brush()->SetColor(clBtnFace);
        DrawEdge(c, r, down ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT | BF_MIDDLE);
        r = TRect{r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
    }
    const int shift = down ? 1 : 0;
    if (!Glyph()->Empty()) {
        const int gw = Glyph()->Width() / NumGlyphs();
        const int gh = Glyph()->Height();
        Glyph()->SetTransparent(true);
        c.Draw(r.Left + std::max(0, (r.Width() - gw) / 2) + shift, r.Top + std::max(0, (r.Height() - gh) / 2) + shift,
               Glyph());
    }
    if (!Caption().isEmpty()) {
        c.Font()->SetColor(clBlack);
        c.Brush()->SetStyle(TBrushStyle::bsClear);
        TRect t{r.Left + shift, r.Top + shift, r.Right + shift, r.Bottom + shift};
        DrawText(c, Caption(), t, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}

// ---- TAsgEditButton -------------------------------------------------------------------------
TAsgEditButton::TAsgEditButton(TComponent* AOwner) : TWinControl(AOwner)
{
    FControlStyle = TControlStyle{csClickEvents, csDoubleClicks, csOpaque};
    FButton = new TZvSpeedButton(this, this);
    FButton->SetParent(this);
    SetTabStop(false);
    SetBounds(0, 0, 20, 25);
}

void TAsgEditButton::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    TWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (FButton) FButton->SetBounds(0, 0, Width(), Height());
}

void TAsgEditButton::SetFocusControl(TWinControl* value)
{
    if (FFocusControl == value) return;
    if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
    FFocusControl = value;
    if (value) value->FreeNotification(this);
}

void TAsgEditButton::SetFlat(bool value)
{
    FFlat = value;
    FButton->SetFlat(value);
}

void TAsgEditButton::Notification(TComponent* AComponent, TComponent::TOperation Operation)
{
    TWinControl::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

void TAsgEditButton::ButtonReleased()
{
    if (OnClick) OnClick(this);
    if (FFocusControl && FFocusControl->TabStop() && FFocusControl->CanFocus() && !FFocusControl->Focused())
        FFocusControl->SetFocus();
    else if (TabStop() && CanFocus() && !Focused())
        SetFocus();
}

// ---- TAsgEditBtn ----------------------------------------------------------------------------
TAsgEditBtn::TAsgEditBtn(TComponent* AOwner) : TEdit(AOwner)
{
    FControlStyle.Exclude(csSetCaption);
    FButton = new TAsgEditButton(this);
    FButton->SetBounds(0, 0, DefaultButtonSide, DefaultButtonSide);
    FButton->SetParent(this);
    FButton->SetFocusControl(this);
    FButton->OnClick = [this](TObject* Sender) { EditButtonClick(Sender); };
    SetText(QStringLiteral("0"));
}

void TAsgEditBtn::EditButtonClick(TObject* Sender)
{
    if (OnClickBtn) OnClickBtn(Sender);
}

void TAsgEditBtn::SetRightAlign(bool value)
{
    if (!StoreChanged(FRightAlign, value)) return;
    SetAlignment(value ? TAlignment::taRightJustify : TAlignment::taLeftJustify);
}

void TAsgEditBtn::SetButtonWidth(int value)
{
    FButtonWidth = value;
    FButton->SetBounds(FButton->Left(), FButton->Top(), value, FButton->Height());
    SetEditRect();
}

void TAsgEditBtn::SetIsWinXP(bool value)
{
    FIsWinXP = value;
    FButton->Button()->SetIsWinXP(value);
}

void TAsgEditBtn::SetBorderStyle(TBorderStyle value)
{
    FBorderStyle = value;
    SetEditRect();
}

void TAsgEditBtn::CreateWnd()
{
    TEdit::CreateWnd();
    SetAlignment(FRightAlign ? TAlignment::taRightJustify : TAlignment::taLeftJustify);
    SetEditRect();
}

void TAsgEditBtn::SetEditRect()
{
    const int m = FBorderStyle == TBorderStyle::bsSingle ? 1 : 3;
    int right = FButton->Width() + 5 + FUnitSize;
    if (FUnitSize > 0) right += 3;
    SetTextMargins(TRect{m, m, right, 0});
}

int TAsgEditBtn::MinHeight()
{
    TBitmap probe;
    probe.Canvas()->SetFont(Font());
    const int h = probe.Canvas()->TextHeight(QStringLiteral("Wg"));
    TFont screen;
    probe.Canvas()->SetFont(&screen);
    const int s = probe.Canvas()->TextHeight(QStringLiteral("Wg"));
    return h + std::min(h, s) / 4;
}

void TAsgEditBtn::WMSize(TWMSize& Message)
{
    TEdit::WMSize(Message);
    const int minHeight = MinHeight();
    if (Height() < minHeight) {
        SetBounds(Left(), Top(), Width(), minHeight);
        return;
    }
    const int bw = FButton->Width();
    const int d = FBorderStyle == TBorderStyle::bsSingle ? 5 : 1;
    FButton->SetBounds(ClientWidth() - bw - d + (d == 5 ? 4 : 0), 0, bw, Height() - d + (d == 5 ? 1 : 0));
    SetEditRect();
}

void TAsgEditBtn::KeyDown(WORD& Key, TShiftState Shift)
{
    TEdit::KeyDown(Key, Shift);
    if (Key == VK_F4 && !Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt) && GetKeyState(VK_RMENU) >= 0)
        EditButtonClick(this);
}

void TAsgEditBtn::WMChar(TWMKey& Message)
{
    if (!FEditorEnabled) return;
    TEdit::WMChar(Message);
}

void TAsgEditBtn::WndProc(TMessage& Message)
{
    if ((Message.Msg == WM_CUT || Message.Msg == WM_PASTE) && (!FEditorEnabled || ReadOnly())) return;
    TEdit::WndProc(Message);
}

void TAsgEditBtn::CMEnter(TMessage& Message)
{
    if (AutoSelect() && GetKeyState(VK_LBUTTON) >= 0) SelectAll();
    TEdit::CMEnter(Message);
}

// ---- TAsgUnitEditBtn ------------------------------------------------------------------------
TAsgUnitEditBtn::TAsgUnitEditBtn(TComponent* AOwner)
    : TAsgEditBtn(AOwner), FUnits(std::make_unique<TStringList>()), FUnitBox(new TUnitBox(this))
{
    FUnitBox->SetParent(this);
    FUnitSize = 20;
    SetRightAlign(true);
    PlaceUnit();
}

TAsgUnitEditBtn::~TAsgUnitEditBtn() = default;

void TAsgUnitEditBtn::SetUnitID(const String& value)
{
    FUnitID = value;
    FUnitBox->Invalidate();
}

void TAsgUnitEditBtn::SetUnits(const TStringList* value)
{
    if (value) FUnits->Assign(const_cast<TStringList*>(value));
}

void TAsgUnitEditBtn::SetUnitSpace(int value)
{
    FUnitSize = value;
    SetEditRect();
    PlaceUnit();
}

String TAsgUnitEditBtn::TextWithUnit() const { return Text() + FUnitID; }

void TAsgUnitEditBtn::AssignTextAndUnit(const String& value)
{
    for (int i = 0; i < FUnits->Count(); ++i) {
        const String unit = FUnits->Strings(i);
        if (unit.isEmpty()) continue;
        const int at = int(value.indexOf(unit));
        if (at >= 0 && at == value.size() - unit.size()) {
            SetText(value.left(at));
            SetUnitID(unit);
            return;
        }
    }
}

void TAsgUnitEditBtn::EditButtonClick(TObject*)
{
    if (OnClickBtn) OnClickBtn(this);
    // A menu of its own for each press, owned by this edit and freed right after,
    // so nothing else can reach it by name or outlive it.
    std::unique_ptr<TPopupMenu> menu(new TPopupMenu(this));
    FUnitMenu = menu.get();
    for (int i = 0; i < FUnits->Count(); ++i) {
        auto* item = new TMenuItem(menu.get());
        item->SetCaption(FUnits->Strings(i));
        const int id = i + 1;
        item->OnClick = [this, id](TObject*) { Perform(WM_COMMAND, WPARAM(id), 0); };
        menu->Items()->Add(item);
    }
    const TPoint at = ClientToScreen(TPoint{ClientWidth() - 15, ClientHeight()});
    menu->Popup(at.X, at.Y);
    FUnitMenu = nullptr;
}

void TAsgUnitEditBtn::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_COMMAND) {
        const int id = int(Message.WParam & 0xFFFF);
        if (HiWord(std::uintptr_t(Message.WParam)) == 0 && id >= 1 && id <= FUnits->Count()) {
            const String previous = FUnitID;
            SetUnitID(FUnits->Strings(id - 1));
            if (FUnitID != previous && OnUnitChanged) OnUnitChanged(this, FUnitID);
        }
        return;
    }
    TAsgEditBtn::WndProc(Message);
}

void TAsgUnitEditBtn::WMSize(TWMSize& Message)
{
    TAsgEditBtn::WMSize(Message);
    PlaceUnit();
}

void TAsgUnitEditBtn::PlaceUnit()
{
    const int right = ClientWidth() - ButtonPart()->Width() - 3;
    FUnitBox->SetBounds(right - FUnitSize, 2, std::max(0, FUnitSize), std::max(0, ClientHeight() - 2));
}

// ==== The grid's cell editors =====================================================================
namespace {

void BeginEditBtn(TAsgEditBtn* Edit, TZvStringGrid* Grid, const TZvCellEditStart& Start, bool AskUnits)
{
    TZvCellEditor::PlaceOverCell(Edit, Start.Cell);
    Edit->SetMaxLength(Grid->MaxEditLength());
    Edit->SetText(Start.Text);
    if (AskUnits) {
        // The unit of the edit before must not stay: an unchanged "12mV" would come back as "12mVV".
        auto* unitEdit = static_cast<TAsgUnitEditBtn*>(Edit);
        unitEdit->SetUnitID(String());
        // The units are asked first, so that a handler filling them splits this very cell;
        // a text ending in no unit stays whole.
        Grid->FireGetEditorProp(Start.RealCol, Start.Row, Grid->EditLink());
        unitEdit->AssignTextAndUnit(Start.Text);
    }
    Edit->SetVisible(true);
    Edit->SetEnabled(true);
    Edit->SetColor(Start.Color);
    TZvCellEditor::FocusWithStartChar(Edit, Start.StartChar);
}

template <class TEditor>
TEditor* HiddenEditBtn(TZvStringGrid* Grid)
{
    auto* edit = new TEditor(Grid);
    edit->SetParent(Grid);
    edit->SetVisible(false);
    edit->SetEnabled(false);
    edit->SetButtonCaption(QStringLiteral("..."));
    edit->SetBorderStyle(TBorderStyle::bsNone);
    edit->SetIsWinXP(IsWinXPOrLater());
    // The button hands the editor's text to the grid's OnEllipsClick and shows what comes back.
    edit->OnClickBtn = [Grid, edit](TObject*) {
        if constexpr (std::is_same_v<TEditor, TGridEditBtn>) {
            edit->GridButtonClick();
        } else {
            edit->SetText(Grid->FireEllipsClick(edit->Text()));
            edit->SelectAll();
            edit->Invalidate();
        }
    };
    return edit;
}

} // namespace

// ---- The character filter of the numeric and float kinds -----------------------------------------
bool TGridEditBtnKeys::AcceptsChar(TAsgEditBtn* Edit, TEditorType Kind, QChar Ch, bool Ctrl)
{
    using E = TEditorType;
    const bool control = Ch == QChar(VK_BACK) || Ch == QChar(VK_TAB) || Ch == QChar(VK_RETURN) || Ch == QChar(VK_ESCAPE);
    const String text = Edit->Text();
    const int start = Edit->SelStart();
    switch (Kind) {
    case E::edEditBtn:
    case E::edMaskEditBtn:
    case E::edUnitEditBtn: return true;
    case E::edNumericEditBtn:
    case E::edNumericUnitEditBtn: {
        const bool ok = control || Ch.isDigit() || (Ch == u'-' && !text.contains(u'-') && start == 0);
        if (!ok) MessageBeep();
        return ok && Ch.unicode() < 128;
    }
    case E::edFloatEditBtn:
    case E::edFloatUnitEditBtn: {
        const TFormatSettings& fs = FormatSettings();
        const bool candidate = control || (Ch >= u'0' && Ch <= u'9') || Ch == u',' || Ch == u'-' || Ch == u'.';
        if (!candidate) return Ctrl;
        if (Ch == fs.ThousandSeparator && Ch != fs.DecimalSeparator) return false;
        const String selected = Edit->SelText();
        if (Ch == fs.DecimalSeparator && text.contains(Ch) && !selected.contains(Ch)) return false;
        if (Ch == u'-') {
            const bool ok = (start == 0 && !text.contains(u'-')) || selected.contains(u'-');
            if (!ok) MessageBeep();
            return ok;
        }
        return true;
    }
    default: return false;
    }
}

// ---- TGridEditBtn ---------------------------------------------------------------------------------
TGridEditBtn::TGridEditBtn(TComponent* AOwner) : TAsgEditBtn(AOwner), FGrid(OwningGrid(AOwner)) {}

void TGridEditBtn::BeginCellEdit(TZvStringGrid* Grid, const TZvCellEditStart& Start)
{
    FGrid = Grid;
    BeginEditBtn(this, Grid, Start, false);
}

void TGridEditBtn::DoExit()
{
    if (Visible() && FGrid) FGrid->CommitEdit();
    TAsgEditBtn::DoExit();
}

void TGridEditBtn::GridButtonClick()
{
    SetText(FGrid->FireEllipsClick(Text()));
    SelectAll();
    Invalidate();
    if (FStopEditAfterClick) {
        LeaveToGrid(FGrid);
    }
}

void TGridEditBtn::WMGetDlgCode(TWMGetDlgCode& Message)
{
    TAsgEditBtn::WMGetDlgCode(Message);
    Message.Result |= DLGC_WANTALLKEYS | DLGC_WANTARROWS;
    if (FGrid->EditorWantsTab()) Message.Result |= DLGC_WANTTAB;
}

void TGridEditBtn::WMChar(TWMKey& Message)
{
    const QChar ch(char16_t(Message.CharCode));
    if (ch == QChar(VK_RETURN) || ch == QChar(VK_TAB)) {
        Message.Result = 1;
        return;
    }
    if (!TGridEditBtnKeys::AcceptsChar(this, FGrid->CurrentEditor(), ch, GetKeyState(VK_CONTROL) < 0)) return;
    TAsgEditBtn::WMChar(Message);
    if (FGrid->OnKeyPress) {
        QChar k = ch;
        FGrid->OnKeyPress(FGrid, k);
    }
}

void TGridEditBtn::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_PASTE && EditorEnabled() && !ReadOnly()) {
        Paste();
        return;
    }
    TAsgEditBtn::WndProc(Message);
}

void TGridEditBtn::Paste()
{
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    bool allow = mime && mime->hasText();
    String pasted = allow ? QGuiApplication::clipboard()->text() : String();
    if (FGrid->OnClipboardPaste) FGrid->OnClipboardPaste(this, allow);
    if (allow && FGrid->OnClipboardBeforePasteCell)
        FGrid->OnClipboardBeforePasteCell(this, FGrid->Col(), FGrid->Row(), pasted, allow);
    if (!allow) return;
    // Only the line end a copied cell brings with it goes; a break inside the text stays.
    const int crlf = int(pasted.indexOf(QStringLiteral("\r\n")));
    if (crlf >= 0 && crlf == pasted.size() - 2) pasted.chop(2);
    const String text = Text();
    const int start = SelStart();
    const int length = SelLength();
    SetText(text.left(start) + pasted + text.mid(start + length));
    if (length > 0) {
        SetSelStart(start);
        SetSelLength(int(pasted.size()));
    } else {
        SetSelStart(start + int(pasted.size()));
    }
    FGrid->WriteCurrentCellText(Text());
}

bool TGridEditBtn::Commit()
{
    const String text = Text();
    FGrid->SetCurrentCell(text);
    const bool valid = FGrid->ValidateCell(text);
    SetText(FGrid->NewCellText());
    return valid;
}

void TGridEditBtn::KeyDown(WORD& Key, TShiftState Shift)
{
    const bool own = Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_PRIOR || Key == VK_NEXT ||
                     Key == VK_UP || Key == VK_DOWN;
    if (!own && FGrid->OnKeyDown) FGrid->OnKeyDown(FGrid, Key, Shift);
    WorkMode = Key != VK_BACK && Key != VK_DELETE;
    FSelKeyDown = SelStart();
    if (Shift.Contains(ssCtrl) || !own) {
        TAsgEditBtn::KeyDown(Key, Shift);
        return;
    }
    if (OnKeyDown) OnKeyDown(this, Key, Shift);
    if (Key == VK_TAB || Key == VK_RETURN || Key == VK_UP || Key == VK_DOWN) {
        if (!Commit()) {
            SelectAll();
            Invalidate();
            Key = 0;
            return;
        }
    }
    if (Key == VK_TAB && FGrid->EditorWantsTab()) {
        if (!Commit()) {
            SetSelStart(Text().size());
            Invalidate();
            Key = 0;
            return;
        }
        if (FGrid->Options().Contains(goTabs)) {
            TabToNextCell(FGrid);
            Key = 0;
            return;
        }
        PostMessage(FGrid, WM_KEYDOWN, VK_TAB, 0);
    }
    if (Key == VK_ESCAPE) {
        // A paste may have written the cell already: the cell is put back, not only the editor.
        SetText(FGrid->OriginalCellValue());
        Key = 0;
        FGrid->CancelEdit();
        if (FGrid->CanFocus()) FGrid->SetFocus();
        return;
    }
    const WORD key = Key;
    Key = 0;
    FGrid->DoneInplaceEdit(key, Shift);
}

void TGridEditBtn::KeyUp(WORD& Key, TShiftState Shift)
{
    if (FGrid->OnKeyUp) FGrid->OnKeyUp(FGrid, Key, Shift);
    const bool plain = !Shift.Contains(ssShift) && !Shift.Contains(ssAlt) && !Shift.Contains(ssCtrl);
    if (plain && SelLength() == 0 && FGrid->Navigation()->CursorWalkEditor()) {
        if (Key == VK_RIGHT && SelStart() == Text().size()) {
            Key = 0;
            CursorWalk(true);
            return;
        }
        if (Key == VK_LEFT && FSelKeyDown == 0) {
            Key = 0;
            CursorWalk(false);
            return;
        }
    }
    if (Key != VK_RETURN) TAsgEditBtn::KeyUp(Key, Shift);
    if (WorkMode && SelLength() == 0) Complete();
}

// The caret walked off the text's end: on to the neighbouring cell, whose
// check box or button is taken at once, any other cell through the grid's advance.
void TGridEditBtn::CursorWalk(bool Right)
{
    const int col = FGrid->Col(), row = FGrid->Row();
    const int span = Right ? FGrid->CellSpan(FGrid->EditorRealCol(), row).X : 0;
    const int n = Right ? col + span + 1 : col - 1;
    const bool inside = Right ? col < FGrid->ColCount() - 1 - FGrid->FixedRightCols() : col > FGrid->FixedCols();
    if (inside && FGrid->IsCheckOrButtonCell(FGrid->EditorRealCol(n), row)) {
        if (!FGrid->ValidateCell(Text())) return;
        FGrid->HideInplaceEdit();
        FGrid->SetCol(n);
        return;
    }
    if (FGrid->CanFocus()) FGrid->SetFocus();
    TNavigation* nav = FGrid->Navigation();
    const TAdvanceDirection direction = nav->AdvanceDirection();
    nav->SetAdvanceDirection(TAdvanceDirection::adLeftRight);
    FGrid->AdvanceToNextCell(FGrid->Col(), FGrid->Row(), true, false, Right, false, false);
    nav->SetAdvanceDirection(direction);
    if (nav->CursorWalkAlwaysEdit()) FGrid->ShowInplaceEdit();
}

void TGridEditBtn::Complete()
{
    const bool cs = FGrid->LookupCaseSensitive();
    const String typed = Text().left(SelStart());
    const String prefix = cs ? typed : typed.toUpper();
    if (!FGrid->Lookup() || !FGrid->LookupItems() || FGrid->LookupItems()->Count() == 0 || prefix.isEmpty()) return;
    TStringList* items = FGrid->LookupItems();
    for (int i = 0; i < items->Count(); ++i) {
        const String item = items->Strings(i);
        if (!(cs ? item : item.toUpper()).startsWith(prefix)) continue;
        const String tail = item.mid(prefix.size()).left(255);
        SetText(typed + tail);
        SetSelStart(int(typed.size()));
        SetSelLength(int(tail.size()));
        return;
    }
}

void TGridEditBtn::DblClick()
{
    TAsgEditBtn::DblClick();
    if (FGrid->OnDblClickCell) FGrid->OnDblClickCell(FGrid, FGrid->Row(), FGrid->Col());
}

// ---- TGridUnitEditBtn -----------------------------------------------------------------------------
TGridUnitEditBtn::TGridUnitEditBtn(TComponent* AOwner) : TAsgUnitEditBtn(AOwner), FGrid(OwningGrid(AOwner)) {}

void TGridUnitEditBtn::BeginCellEdit(TZvStringGrid* Grid, const TZvCellEditStart& Start)
{
    FGrid = Grid;
    BeginEditBtn(this, Grid, Start, true);
}

void TGridUnitEditBtn::DoExit()
{
    if (Visible() && FGrid) FGrid->CommitEdit();
    TAsgUnitEditBtn::DoExit();
}

void TGridUnitEditBtn::WMGetDlgCode(TWMGetDlgCode& Message)
{
    TAsgUnitEditBtn::WMGetDlgCode(Message);
    Message.Result |= DLGC_WANTALLKEYS | DLGC_WANTARROWS;
    if (FGrid->Options().Contains(goTabs)) Message.Result |= DLGC_WANTTAB;
}

void TGridUnitEditBtn::WMChar(TWMKey& Message)
{
    const QChar ch(char16_t(Message.CharCode));
    if (ch == QChar(VK_RETURN)) {
        Message.Result = 0;
        return;
    }
    if (!TGridEditBtnKeys::AcceptsChar(this, FGrid->CurrentEditor(), ch, GetKeyState(VK_CONTROL) < 0)) return;
    TAsgUnitEditBtn::WMChar(Message);
}

void TGridUnitEditBtn::KeyDown(WORD& Key, TShiftState Shift)
{
    const bool own = Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_PRIOR || Key == VK_NEXT ||
                     Key == VK_UP || Key == VK_DOWN;
    if (!own) {
        TAsgUnitEditBtn::KeyDown(Key, Shift);
        return;
    }
    if (Key == VK_TAB || Key == VK_RETURN || Key == VK_UP || Key == VK_DOWN) {
        const String text = TextWithUnit();
        FGrid->SetCurrentCell(text);
        if (!FGrid->ValidateCell(text)) {
            SetText(FGrid->CurrentCell());
            return;
        }
        AssignTextAndUnit(FGrid->CurrentCell());
    }
    if (Key == VK_RETURN && FGrid->Navigation()->AdvanceOnEnter()) {
        LeaveToGrid(FGrid);
        Key = 0;
        FGrid->AdvanceToNextCell(FGrid->Col(), FGrid->Row(), false, false, true, false, false);
        return;
    }
    if (Key == VK_TAB && FGrid->Options().Contains(goTabs)) {
        TabToNextCell(FGrid);
        Key = 0;
        return;
    }
    if (Key == VK_ESCAPE) {
        SetUnitID(String());
        SetText(FGrid->CurrentCell());
    }
    const WORD key = Key;
    Key = 0;
    FGrid->DoneInplaceEdit(key, Shift);
}

void RegisterEditBtnCellEditors(TZvCellEditorRegistry& Registry)
{
    Registry.Register({QStringLiteral("EditBtn"),
                       {TEditorType::edEditBtn, TEditorType::edNumericEditBtn, TEditorType::edFloatEditBtn,
                        TEditorType::edMaskEditBtn},
                       [](TZvStringGrid* Grid) -> TZvCellEditor* { return HiddenEditBtn<TGridEditBtn>(Grid); }});
    Registry.Register({QStringLiteral("UnitEditBtn"),
                       {TEditorType::edUnitEditBtn, TEditorType::edNumericUnitEditBtn, TEditorType::edFloatUnitEditBtn},
                       [](TZvStringGrid* Grid) -> TZvCellEditor* {
                           auto* edit = HiddenEditBtn<TGridUnitEditBtn>(Grid);
                           edit->OnUnitChanged = [Grid](TObject*, const String&) {
                               if (Grid->OnUnitChanged) Grid->OnUnitChanged(Grid);
                           };
                           return edit;
                       }});
}

TGridEditBtn* TZvStringGrid::EditBtnEditor() const
{
    return dynamic_cast<TGridEditBtn*>(const_cast<TZvStringGrid*>(this)->CellEditor(TEditorType::edEditBtn));
}

TGridUnitEditBtn* TZvStringGrid::UnitEditBtnEditor() const
{
    return dynamic_cast<TGridUnitEditBtn*>(const_cast<TZvStringGrid*>(this)->CellEditor(TEditorType::edUnitEditBtn));
}
