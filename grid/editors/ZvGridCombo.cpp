#include "grid/editors/ZvGridCombo.h"

#include "grid/ZvGrid.h"
#include "grid/ZvGridOptions.h"
#include "grid/editors/ZvCellEditorRegistry.h"
#include "platform/ScopeGuard.h"
#include "platform/Themes.h"
#include "platform/SysUtils.h"

#include <algorithm>

// ==== TAsgCustomCombo ===========================================================================================

TAsgCustomCombo::TAsgCustomCombo(TComponent* AOwner) : TComboBox(AOwner), FLabelFont(std::make_unique<TFont>())
{
    FButtonWidth = 16 + 2;
    FLoadedColor = clWindow;
    FNormalColor = Color();
    FLabelFont->OnChange = [this](TObject*) { PlaceLabel(); };
}

TAsgCustomCombo::~TAsgCustomCombo()
{
    FLabelFont->OnChange = nullptr;
    // The label belongs to this combo, whatever parent shows it.
    delete FLabel;
    FLabel = nullptr;
}

void TAsgCustomCombo::Notification(TComponent* AComponent, TOperation Operation)
{
    TComboBox::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == FLabel) FLabel = nullptr;
}

void TAsgCustomCombo::SetFlat(bool Value)
{
    if (!StoreChanged(FFlat, Value)) return;
    if (FFlat && FFlatParentColor && Parent()) SetColor(Parent()->Color());
    else SetColor(FLoadedColor);
    Invalidate();
}

void TAsgCustomCombo::SetEtched(bool Value)
{
    if (!StoreChanged(FEtched, Value)) return;
    Invalidate();
}

void TAsgCustomCombo::SetButtonWidth(int Value)
{
    if (Value < 14 || Value > 32) return;
    FButtonWidth = Value;
    Invalidate();
}

void TAsgCustomCombo::SetDropWidth(int Value)
{
    FDropWidth = Value;
    if (Value > 0) SetListWidth(Value);
}

void TAsgCustomCombo::SetFlatLineColor(TColor Value)
{
    FFlatLineColor = Value;
    Invalidate();
}

void TAsgCustomCombo::SetFlatParentColor(bool Value)
{
    FFlatParentColor = Value;
    Invalidate();
}

void TAsgCustomCombo::SetBorderColor(TColor Value)
{
    if (!StoreChanged(FBorderColor, Value)) return;
    Invalidate();
}

void TAsgCustomCombo::SetComboColor(TColor Value)
{
    FLoadedColor = Value;
    SetColor(Value);
}

void TAsgCustomCombo::SetEnabled(bool Value)
{
    const bool changed = Value != Enabled();
    if (changed && FFlat) {
        // A disabled flat combo blends into its parent until it is enabled again.
        if (!Value) {
            FOldColor = Color();
            FOldParentColor = ParentColor();
            if (Parent()) SetColor(Parent()->Color());
        } else {
            SetColor(FOldColor);
            SetParentColor(FOldParentColor);
        }
    }
    TComboBox::SetEnabled(Value);
    if (changed && FLabel && !FLabelAlwaysEnabled) {
        FLabel->SetEnabled(Value);
        PlaceLabel();
    }
}

void TAsgCustomCombo::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    TComboBox::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (!Destroying()) PlaceLabel();
}

void TAsgCustomCombo::CMVisibleChanged(TMessage& Message)
{
    TComboBox::CMVisibleChanged(Message);
    if (FLabel) FLabel->SetVisible(Visible());
}

String TAsgCustomCombo::LabelCaption() const { return FLabel ? FLabel->Caption() : String(); }

void TAsgCustomCombo::SetLabelCaption(const String& Value)
{
    if (!FLabel) {
        FLabel = new TLabel(nullptr);
        FLabel->FreeNotification(this);
        FLabel->SetParent(Parent());
        FLabel->SetFocusControl(this);
        FLabel->Font()->Assign(FLabelFont.get());
        FLabel->SetParentFont(ParentFont());
        FLabel->SetVisible(Visible());
    }
    FLabel->SetCaption(Value);
    PlaceLabel();
}

void TAsgCustomCombo::SetLabelFont(TFont* Value)
{
    FLabelFont->Assign(Value);
    if (FLabel && !ParentFont()) FLabel->Font()->Assign(Value);
    PlaceLabel();
}

void TAsgCustomCombo::SetLabelMargin(int Value)
{
    FLabelMargin = Value;
    PlaceLabel();
}

void TAsgCustomCombo::SetLabelPosition(TLabelPosition Value)
{
    FLabelPosition = Value;
    PlaceLabel();
}

void TAsgCustomCombo::SetLabelTransparent(bool Value)
{
    FLabelTransparent = Value;
    PlaceLabel();
}

void TAsgCustomCombo::SetLabelAlwaysEnabled(bool Value)
{
    FLabelAlwaysEnabled = Value;
    if (FLabel) FLabel->SetEnabled(Value || Enabled());
    PlaceLabel();
}

void TAsgCustomCombo::PlaceLabel()
{
    if (!FLabel) return;
    if (FLabel->Parent() != Parent()) FLabel->SetParent(Parent());
    const TSize text = FLabel->TextSize();
    const int tw = text.cx;
    const int lh = FLabel->Height();
    const int m = FLabelMargin;
    int l = Left() - tw - m;
    int t = Top();
    switch (FLabelPosition) {
    case TLabelPosition::lpLeftTop: break;
    case TLabelPosition::lpLeftCenter: t = Top() + (Height() - lh) / 2; break;
    case TLabelPosition::lpLeftBottom: t = Top() + Height() - lh; break;
    case TLabelPosition::lpTopLeft: t = Top() - lh - m; l = Left(); break;
    case TLabelPosition::lpBottomLeft: t = Top() + Height() + m; l = Left(); break;
    case TLabelPosition::lpLeftTopLeft: l = Left() - m; break;
    case TLabelPosition::lpLeftCenterLeft: l = Left() - m; t = Top() + (Height() - lh) / 2; break;
    case TLabelPosition::lpLeftBottomLeft: l = Left() - m; t = Top() + Height() - lh; break;
    case TLabelPosition::lpTopCenter: t = Top() - lh - m; l = Left() + (Width() - tw) / 2; break;
    case TLabelPosition::lpBottomCenter: t = Top() + Height() + m; l = Left() + (Width() - tw) / 2; break;
    case TLabelPosition::lpRightTop: l = Left() + Width() + m; break;
    case TLabelPosition::lpRightCenter: l = Left() + Width() + m; t = Top() + (Height() - lh) / 2; break;
    case TLabelPosition::lpRighBottom: l = Left() + Width() + m; t = Top() + Height() - lh; break;
    }
    FLabel->SetTransparent(FLabelTransparent);
    if (!ParentFont()) FLabel->Font()->Assign(FLabelFont.get());
    FLabel->SetBounds(l, t, FLabel->Width(), FLabel->Height());
    FLabel->SetVisible(Visible());
}

void TAsgCustomCombo::Loaded()
{
    if (FDropWidth > 0) SetListWidth(FDropWidth);
    FOldColor = FLoadedColor;
    if (!FFlatParentColor || FFlat) SetColor(FLoadedColor);
    if (FLabel) {
        if (!FLabelAlwaysEnabled) FLabel->SetEnabled(Enabled());
        if (ParentFont()) FLabel->Font()->Assign(Font());
    }
    PlaceLabel();
    Init();
}

void TAsgCustomCombo::Init() { FNormalColor = Color(); }

void TAsgCustomCombo::SelectItem(const String& S)
{
    const int index = ExactItemIndex(Items(), S);
    if (index >= 0) SetItemIndex(index);
}

// "two" is not the entry "TWO": a cell text is listed only when it equals an
// entry, so that opening and closing an editor never recases a cell.
int ExactItemIndex(const TStringList* Items, const String& S)
{
    for (int i = 0; i < Items->Count(); ++i)
        if (Items->Strings(i) == S) return i;
    return -1;
}

void TAsgCustomCombo::CloseUp()
{
    TComboBox::CloseUp();
    Invalidate();
    if (OnDropUp) OnDropUp(this);
}

void TAsgCustomCombo::DoEnter()
{
    FHasFocus = true;
    if (FFocusColor != clComboNone) {
        FNormalColor = Color();
        SetColor(FFocusColor);
    }
    if (FFocusLabel && FLabel) FLabel->Font()->SetStyle(FLabel->Font()->Style() + TFontStyles{TFontStyle::fsBold});
    Invalidate();
    TComboBox::DoEnter();
}

void TAsgCustomCombo::DoExit()
{
    FHasFocus = false;
    if (FFocusColor != clComboNone && FNormalColor != clComboNone) SetColor(FNormalColor);
    if (FFocusLabel && FLabel) FLabel->Font()->SetStyle(FLabel->Font()->Style() - TFontStyles{TFontStyle::fsBold});
    Invalidate();
    TComboBox::DoExit();
}

void TAsgCustomCombo::MouseEnter()
{
    if (Enabled()) {
        FMouseInControl = true;
        Invalidate();
        if (FAutoFocus && CanFocus()) SetFocus();
    }
    TComboBox::MouseEnter();
}

void TAsgCustomCombo::MouseLeave()
{
    FMouseInControl = false;
    FButtonHover = false;
    Invalidate();
    TComboBox::MouseLeave();
}

void TAsgCustomCombo::MouseMove(TShiftState Shift, int X, int Y)
{
    const bool over = X >= Width() - FButtonWidth;
    if (StoreChanged(FButtonHover, over)) {
        Invalidate();
    }
    TComboBox::MouseMove(Shift, X, Y);
}

// ==== TGridCombo ================================================================================================

namespace {

bool IsArrowKey(WORD Key) { return Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN; }

// The first of the texts that begins with the typed part, or -1.
int FirstCompletion(const TStringList* List, const String& Typed, bool CaseSensitive)
{
    const Qt::CaseSensitivity cs = CaseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    for (int i = 0; i < List->Count(); ++i)
        if (List->Strings(i).startsWith(Typed, cs)) return i;
    return -1;
}

} // namespace

TGridCombo::TGridCombo(TComponent* AOwner) : TAsgCustomCombo(AOwner), FGrid(TZvCellEditor::OwningGrid(AOwner))
{
    SetButtonWidth(16);
}

void TGridCombo::ResetEditState()
{
    FEditCancelled = false;
    FUserChanged = false;
}

bool TGridCombo::IsListOnly() const
{
    return Style() == TComboBoxStyle::csDropDownList || Style() == TComboBoxStyle::csOwnerDrawFixed ||
           Style() == TComboBoxStyle::csOwnerDrawVariable;
}

bool TGridCombo::EditorWantsTab() const
{
    return FGrid->Options().Contains(goTabs) || FGrid->OnCellValidate || FGrid->OnCellValidateWide;
}

int TGridCombo::RealCol() const { return FGrid->EditorRealCol(); }

void TGridCombo::NotifyGrid(WORD Code)
{
    FGrid->Perform(WM_COMMAND, MakeWParam(0, Code), reinterpret_cast<LPARAM>(Handle()));
}

void TGridCombo::FireComboChange(int Index, const String& Text)
{
    if (FGrid->OnComboChange) FGrid->OnComboChange(FGrid, RealCol(), FGrid->Row(), Index, Text);
    if (FGrid->OnComboObjectChange) {
        TObject* object = Index >= 0 && Index < Items()->Count() ? Items()->Objects(Index) : nullptr;
        FGrid->OnComboObjectChange(FGrid, RealCol(), FGrid->Row(), Index, Text, object);
    }
}

void TGridCombo::HideEditor()
{
    if (FHiding) return;
    FHiding = true;
    const TScopeExit done([this] { FHiding = false; });
    FGrid->CommitEdit();
}

bool TGridCombo::CommitText()
{
    const String text = Text();
    FGrid->SetCurrentCell(text);
    return FGrid->ValidateCell(text);
}

void TGridCombo::TakeCellText()
{
    if (IsListOnly()) SelectItem(FGrid->CurrentCell());
    else SetText(FGrid->CurrentCell());
}

// The grid ends the edit and acts on the key, keeping its own enter handling
// silent while the focus comes back to it.
void TGridCombo::DoneByKey(WORD Key, TShiftState Shift)
{
    if (FHiding) return;
    FHiding = true;
    const TScopeExit done([this] { FHiding = false; });
    FGrid->DoneInplaceEdit(Key, Shift);
}

void TGridCombo::KeyDown(WORD& Key, TShiftState Shift)
{
    Forced = false;
    TNavigation* nav = FGrid->Navigation();
    const bool listOnly = IsListOnly();
    const bool dropped = DroppedDown();
    bool handled;
    if (listOnly || dropped)
        handled = Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_LEFT || Key == VK_RIGHT;
    else
        handled = Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_PRIOR || Key == VK_NEXT ||
                  Key == VK_END || Key == VK_UP || Key == VK_DOWN;
    WorkMode = Key != VK_BACK && Key != VK_DELETE;

    if ((Key == VK_UP || Key == VK_DOWN) && !nav->ComboGetUpDown() && !dropped) {
        // The arrow belongs to the grid now: the combo is closed and must not
        // step its hidden list or write its text into the cell moved to.
        HideEditor();
        const bool alwaysEdit = nav->AlwaysEdit();
        nav->SetAlwaysEdit(false);
        if (FGrid->CanFocus()) FGrid->SetFocus();
        nav->SetAlwaysEdit(alwaysEdit);
        FGrid->Perform(WM_KEYDOWN, Key, 0);
        Key = 0;
        return;
    }

    if (!handled) {
        TAsgCustomCombo::KeyDown(Key, Shift);
        return;
    }

    if (Key == VK_ESCAPE) {
        // Escape stores nothing: the cell keeps the text it had, also when a
        // list-only combo could not show it and preselected another entry.
        const String cellText = FGrid->CurrentCell();
        SelectItem(cellText);
        if (!listOnly) SetText(cellText);
        FEditCancelled = true;
        if (!FHiding) {
            FHiding = true;
            const TScopeExit done([this] { FHiding = false; });
            FGrid->RejectEdit();
        }
        if (FGrid->CurrentCell() != cellText) FGrid->SetCurrentCell(cellText);
        if (FGrid->CanFocus()) FGrid->SetFocus();
        Key = 0;
        return;
    }

    if (Key == VK_RETURN || Key == VK_UP || Key == VK_DOWN) {
        if (!CommitText()) {
            SetText(FGrid->NewCellText());
            if (!listOnly) SelectAll();
            Invalidate();
            Key = 0;
            FGrid->SetNoAutoAdvance(true);
            return;
        }
        TakeCellText();
    }

    if (Key == VK_TAB && EditorWantsTab()) {
        if (!CommitText()) {
            SetText(FGrid->NewCellText());
            SetSelStart(int(Text().size()));
            Invalidate();
            Key = 0;
            return;
        }
        TakeCellText();
        if (FGrid->Options().Contains(goTabs)) {
            HideEditor();
            if (FGrid->CanFocus()) FGrid->SetFocus();
            FGrid->TabToNextCell(Shift.Contains(ssShift));
            Key = 0;
            return;
        }
        PostMessage(FGrid, WM_KEYDOWN, VK_TAB, 0);
    }

    if (listOnly || dropped) {
        const bool directClose = FGrid->MouseActions()->DirectComboClose();
        FGrid->MouseActions()->SetDirectComboClose(false);
        HideEditor();
        FGrid->MouseActions()->SetDirectComboClose(directClose);
        if (Key == VK_LEFT || Key == VK_RIGHT) {
            if (FGrid->CanFocus()) FGrid->SetFocus();
            FGrid->Perform(WM_KEYDOWN, Key, 0);
            Key = 0;
        } else if (Key == VK_PRIOR || Key == VK_NEXT || IsArrowKey(Key)) {
            Key = 0;
        }
    } else if (Key == VK_END) {
        TAsgCustomCombo::KeyDown(Key, Shift);
        return;
    }

    DoneByKey(Key, Shift);
    if (nav->AdvanceOnEnter() && nav->AdvanceAutoEdit()) FGrid->ShowInplaceEdit();
    Key = 0;
}

void TGridCombo::KeyPress(QChar& Key)
{
    // The grid's handler takes its Sender for the grid.
    if (FGrid->OnKeyPress) FGrid->OnKeyPress(FGrid, Key);
    if (Key == QChar(0x1B)) Key = QChar();
    if (Key == QChar('\r') && OnReturnKey) OnReturnKey(this);
    if (Key == QChar('\r') || Key == QChar('\t')) Key = QChar();
    TAsgCustomCombo::KeyPress(Key);
}

void TGridCombo::WMChar(TWMKey& Message)
{
    const int before = ItemIndex();
    TAsgCustomCombo::WMChar(Message);
    // Type-ahead in a list-only combo picks an entry. The pick reaches the
    // grid as a selection change, which reports it; reporting it here as
    // well would tell a handler of one pick twice.
    if (IsListOnly() && ItemIndex() != before) FUserChanged = true;
}

void TGridCombo::KeyUp(WORD& Key, TShiftState Shift)
{
    TNavigation* nav = FGrid->Navigation();
    if (!IsListOnly() && nav->CursorWalkEditor() && !Shift.Contains(ssShift) && SelLength() == 0) {
        if (Key == VK_LEFT && SelStart() == 0) {
            Key = 0;
            CursorWalk(false);
            return;
        }
        if (Key == VK_RIGHT && SelStart() == int(Text().size())) {
            Key = 0;
            CursorWalk(true);
            return;
        }
    }
    FGrid->SetNoAutoAdvance(false);
    if (Key != VK_RETURN) TAsgCustomCombo::KeyUp(Key, Shift);
    DoChange();
}

void TGridCombo::CursorWalk(bool Forward)
{
    TNavigation* nav = FGrid->Navigation();
    const int col = FGrid->Col();
    const int row = FGrid->Row();
    if (Forward && col >= FGrid->ColCount() - 1) return;
    const int target = Forward ? col + 1 : col - 1;
    if (target < FGrid->FixedCols()) return;
    if (FGrid->IsCheckOrButtonCell(FGrid->EditorRealCol(target), row)) {
        if (!CommitText()) return;
        HideEditor();
        FGrid->SetCol(target);
        return;
    }
    if (FGrid->CanFocus()) FGrid->SetFocus();
    HideEditor();
    FGrid->AdvanceToNextCell(col, row, true, true, Forward, false, false);
    if (nav->CursorWalkAlwaysEdit()) FGrid->ShowInplaceEdit();
}

void TGridCombo::DoChange()
{
    if (!WorkMode || !FGrid->Lookup() || IsListOnly()) return;
    const String text = Text();
    const int caret = std::min(SelStart(), int(text.size()));
    const String typed = text.left(caret);
    // Nothing typed yet: every entry would match.
    if (typed.isEmpty()) return;
    const bool cs = FGrid->LookupCaseSensitive();
    auto complete = [&](const String& item) {
        const String completed = (typed + item.mid(typed.size())).left(255);
        SetText(completed);
        SetSelStart(int(typed.size()));
        SetSelLength(int(completed.size()) - int(typed.size()));
    };
    const int index = FirstCompletion(Items(), typed, cs);
    if (index >= 0) {
        SetItemIndex(index);
        complete(Items()->Strings(index));
        return;
    }
    if (TStringList* lookup = FGrid->LookupItems()) {
        const int li = FirstCompletion(lookup, typed, cs);
        if (li >= 0) complete(lookup->Strings(li));
    }
}

void TGridCombo::Change()
{
    TAsgCustomCombo::Change();
    if (FGrid->OnEditChange) FGrid->OnEditChange(FGrid, FGrid->Col(), FGrid->Row(), Text());
    if (FInSelect) return;
    FUserChanged = true;
    NotifyGrid(CBN_EDITCHANGE);
}

void TGridCombo::Select()
{
    // A pick that closed the list arrives after the close-up, which with
    // DirectComboClose has already stored it and closed the editor.
    if (!Visible()) return;
    FUserChanged = true;
    {
        FInSelect = true;
        const TScopeExit done([this] { FInSelect = false; });
        TAsgCustomCombo::Select();
        // Select runs Change only when no OnSelect is bound; the grid hears of every pick.
        if (OnSelect && FGrid->OnEditChange) FGrid->OnEditChange(FGrid, FGrid->Col(), FGrid->Row(), Text());
    }
    NotifyGrid(CBN_SELCHANGE);
}

void TGridCombo::DropDown()
{
    TAsgCustomCombo::DropDown();
    NotifyGrid(CBN_DROPDOWN);
}

void TGridCombo::CloseUp()
{
    TAsgCustomCombo::CloseUp();
    NotifyGrid(CBN_CLOSEUP);
}

// Typing leaves no entry chosen, so that what the grid reports for typing
// is the typed text with index -1, never an entry chosen before.
int TGridCombo::TypedItemIndex(const String&) const { return -1; }

void TGridCombo::DoEnter()
{
    TAsgCustomCombo::DoEnter();
    if (!IsListOnly() && !FGrid->Navigation()->EditSelectAll()) SetSelStart(int(Text().size()));
}

void TGridCombo::DoExit()
{
    if (FGrid->LookupHistory() && !IsListOnly()) {
        const String text = Text();
        if (!text.isEmpty() && Items()->IndexOf(text) < 0) Items()->Add(text);
    }
    if (Visible()) HideEditor();
    TAsgCustomCombo::DoExit();
}

void TGridCombo::WMKillFocus(TWMKillFocus& Message)
{
    TAsgCustomCombo::WMKillFocus(Message);
    FGrid->SpecialEditorFocusLost(this);
}

void TGridCombo::WMMouseWheel(TWMMouseWheel& Message)
{
    Message.Result = 1;
    const int count = Items()->Count();
    if (count == 0) return;
    const int before = ItemIndex();
    // A turn towards the user (negative delta) goes down the list.
    const int index = Message.WheelDelta() < 0 ? std::min(before + 1, count - 1) : std::max(before - 1, 0);
    SetItemIndex(index);
    if (index != before) FUserChanged = true;
    const String item = Items()->Strings(index);
    if (FGrid->OnEditChange) FGrid->OnEditChange(FGrid, RealCol(), FGrid->Row(), item);
    FireComboChange(index, item);
}

void TGridCombo::WMGetDlgCode(TWMGetDlgCode& Message) { Message.Result = WantedKeys(); }

void TGridCombo::CMWantSpecialKey(TWMKey& Message)
{
    const WORD key = WORD(Message.CharCode);
    if (key == VK_RETURN || key == VK_ESCAPE || (key == VK_TAB && EditorWantsTab())) {
        Message.Result = 1;
        return;
    }
    TAsgCustomCombo::CMWantSpecialKey(Message);
}

void TGridCombo::CMVisibleChanged(TMessage& Message)
{
    TAsgCustomCombo::CMVisibleChanged(Message);
    if (Visible()) ResetEditState();
}

void TGridCombo::SizeDropDownWidth()
{
    int width = Width();
    TCanvas* canvas = FGrid->Canvas();
    canvas->Font()->Assign(FGrid->Font());
    const bool scrolls = Items()->Count() > DropDownCount();
    for (int i = 0; i < Items()->Count(); ++i) {
        const int tw = canvas->TextWidth(Items()->Strings(i));
        if (scrolls) {
            if (tw > width - 25) width = tw + 25;
        } else if (tw > width - 5) {
            width = tw + 8;
        }
    }
    SetListWidth(width);
}

// ==== The cell editor =============================================================================================
void TGridCombo::BeginCellEdit(TZvStringGrid* Grid, const TZvCellEditStart& Start)
{
    const bool listOnly = Grid->CurrentEditor() == TEditorType::edComboList;
    SetDropDownCount(Grid->ControlLook()->DropDownCount());
    Grid->FireGetEditorProp(Start.RealCol, Start.Row, Grid->EditLink());
    SetEnabled(true);
    SetDroppedDown(false);
    SetStyle(listOnly ? TComboBoxStyle::csDropDownList : TComboBoxStyle::csDropDown);
    FDefaulted = false;
    if (listOnly) {
        const TStringList* items = Items();
        int idx = ExactItemIndex(items, Grid->GetCellEx(Start.RealCol, Start.Row));
        if (idx < 0 && FPresetIndex == -1) {
            idx = ExactItemIndex(items, Start.Text);
            if (idx < 0 && items->Count() > 0) {
                idx = 0;
                FDefaulted = true;
            }
        } else if (idx < 0) {
            idx = FPresetIndex < items->Count() ? FPresetIndex : -1;
        }
        SetItemIndex(idx);
    } else {
        SetText(Start.Text);
        if (FPresetIndex != -1 && ItemIndex() == -1 && FPresetIndex < Items()->Count()) SetItemIndex(FPresetIndex);
        SetMaxLength(Grid->MaxComboLength());
    }
    PlaceOverCell(this, Start.Cell);
    const TGridLook look = Grid->Look();
    const bool flat = look != TGridLook::glStandard && look != TGridLook::glClassic && look != TGridLook::glCustom;
    SetFlat(flat);
    SetEtched(flat);
    // After the flat look, which may take the parent's colour.
    SetColor(Start.Color);
    SetVisible(true);
    // The list is shared by every combo cell: a width sized for another cell's entries must not stay.
    if (Grid->Navigation()->AutoComboDropSize()) SizeDropDownWidth();
    else SetListWidth(DropWidth());
    if (CanFocus()) SetFocus();
    // The typed letter that opened the edit replaces the text, or with
    // EditSelectAll off goes after it.
    if (!listOnly && !Start.StartChar.isNull()) {
        if (Grid->Navigation()->EditSelectAll()) SelectAll();
        else SetSelStart(int(Text().size()));
    }
    TMouseActions* mouse = Grid->MouseActions();
    if (mouse->DirectComboDrop() || Grid->ControlLook()->DropDownAlwaysVisible()) SetDroppedDown(true);
    if (mouse->DirectEdit() && mouse->DirectComboDrop()) {
        const TGridRect s = Grid->Selection();
        Grid->FireSelectionChanged(s.Left, s.Top, s.Right, s.Bottom);
    }
    if (FDefaulted) {
        const String first = Items()->Strings(0);
        if (Grid->OnComboChange) Grid->OnComboChange(Grid, Start.RealCol, Start.Row, 0, first);
        if (Grid->OnComboObjectChange)
            Grid->OnComboObjectChange(Grid, Start.RealCol, Start.Row, 0, first, Items()->Objects(0));
    }
    if (!Start.StartChar.isNull()) PostMessage(this, WM_CHAR, WPARAM(Start.StartChar.unicode()), 0);
}

bool TGridCombo::HasValue()
{
    const int index = ItemIndex();
    const bool picked =
        Style() != TComboBoxStyle::csDropDownList || (index >= 0 && (!FDefaulted || index > 0 || FUserChanged));
    return picked && !FEditCancelled;
}

void TGridCombo::EndCellEdit()
{
    SetVisible(false);
    SetEnabled(false);
    FDefaulted = false;
}

void TGridCombo::GridCommand(TZvStringGrid* Grid, const TControl* Sender, WORD Code)
{
    const bool fromCombo = Sender && Sender == this;
    auto report = [&](int index, bool hasItem, const String& selection) {
        TObject* object = hasItem ? Items()->Objects(index) : nullptr;
        const int realCol = Grid->EditorRealCol();
        if (Grid->OnComboChange) Grid->OnComboChange(Grid, realCol, Grid->Row(), hasItem ? index : -1, selection);
        if (Grid->OnComboObjectChange)
            Grid->OnComboObjectChange(Grid, realCol, Grid->Row(), hasItem ? index : -1, selection, object);
    };
    if ((Code == CBN_SELCHANGE || Code == CBN_EDITCHANGE) && fromCombo && Grid->InEditMode()) {
        // Typed text is no item: the item index a list still holds from before would be stale.
        const int index = Code == CBN_EDITCHANGE ? -1 : ItemIndex();
        const bool hasItem = index >= 0 && index < Items()->Count();
        report(index, hasItem, hasItem ? Items()->Strings(index) : Text());
    }
    if (Code == CBN_CLOSEUP && fromCombo) {
        TMouseActions* mouse = Grid->MouseActions();
        if (mouse->DirectComboClose()) {
            const int index = ItemIndex();
            const bool hasItem = index >= 0 && index < Items()->Count();
            if (hasItem) SetText(Items()->Strings(index));
            report(index, hasItem, Text());
            const bool directEdit = mouse->DirectEdit();
            mouse->SetDirectEdit(false);
            Grid->CommitEditOf(TEditorType::edComboEdit);
            mouse->SetDirectEdit(directEdit);
            if (Grid->CanFocus()) Grid->SetFocus();
        }
        Grid->FireComboCloseUp(Grid->Row(), Grid->EditorRealCol());
    }
    if (Code == CBN_DROPDOWN && fromCombo) Grid->FireComboDropDown(Grid->Row(), Grid->EditorRealCol());
    if (Code == CBN_EDITCHANGE && Grid->OnComboChange) Grid->OnComboChange(Grid, Grid->Col(), Grid->Row(), -1, Text());
}

void RegisterComboCellEditor(TZvCellEditorRegistry& Registry)
{
    Registry.Register({QStringLiteral("Combo"),
                       {TEditorType::edComboEdit, TEditorType::edComboList},
                       [](TZvStringGrid* Grid) -> TZvCellEditor* {
                           auto* combo = new TGridCombo(Grid);
                           combo->SetParent(Grid);
                           combo->SetEnabled(false);
                           combo->SetVisible(false);
                           combo->SetIsWinXP(IsWinXPOrLater());
                           combo->SetIsVista(IsVistaOrLater() && IsComCtl6());
                           combo->SetIsThemed(IsComCtl6());
                           return combo;
                       }});
}

// ==== The grid's combo members ====================================================================================
TGridCombo* TZvStringGrid::ComboEditor() const
{
    return dynamic_cast<TGridCombo*>(const_cast<TZvStringGrid*>(this)->CellEditor(TEditorType::edComboEdit));
}

void TZvStringGrid::LoadComboList(TStringList* Items, int DropDownCount)
{
    ComboEditor()->Items()->Assign(Items);
    ComboEditor()->SetDropDownCount(DropDownCount);
}

void TZvStringGrid::ClearComboString() { ComboEditor()->Items()->Clear(); }

void TZvStringGrid::AddComboString(const String& S) { ComboEditor()->Items()->Add(S); }

void TZvStringGrid::AddComboStringObject(const String& S, TObject* AObject)
{
    ComboEditor()->Items()->AddObject(S, AObject);
}

bool TZvStringGrid::RemoveComboString(const String& S)
{
    const int i = ComboEditor()->Items()->IndexOf(S);
    if (i < 0) return false;
    ComboEditor()->Items()->Delete(i);
    return true;
}

bool TZvStringGrid::SetComboSelectionString(const String& S)
{
    const int i = ComboEditor()->Items()->IndexOf(S);
    if (i < 0) return false;
    ComboEditor()->SetPresetIndex(i);
    return true;
}

void TZvStringGrid::SetComboSelection(int Index) { ComboEditor()->SetPresetIndex(Index); }

int TZvStringGrid::GetComboCount() { return ComboEditor()->Items()->Count(); }

void TZvStringGrid::SetComboIndex(int ACol, int ARow, int Value)
{
    FireGetEditorProp(ACol, ARow, nullptr);
    // Strings() raises the list's index error for an index outside it, before anything is written.
    SetCellEx(ACol, ARow, ComboEditor()->Items()->Strings(Value));
}

int TZvStringGrid::GetComboIndex(int ACol, int ARow)
{
    FireGetEditorProp(ACol, ARow, nullptr);
    return ComboEditor()->Items()->IndexOf(GetCellEx(ACol, ARow));
}
