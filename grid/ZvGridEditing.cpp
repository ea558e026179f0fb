// The string grid's side of its inplace editors: which editor a cell gets,
// whether it may open, and opening, storing and hiding the special editors.
// The text editor is the platform grid's own; validation and the selection
// hook live in ZvGridValidation.cpp.

#include "grid/ZvGrid.h"
#include "grid/ZvGridPrivate.h"
#include "grid/support/ZvHTMLUtil.h"
#include "grid/editors/ZvEditBtn.h"
#include "grid/editors/ZvGridCheckBox.h"
#include "grid/editors/ZvGridCombo.h"
#include "grid/editors/ZvGridSimpleEditors.h"

namespace {

bool IsComboKind(TEditorType e)
{
    return e == TEditorType::edComboEdit || e == TEditorType::edComboList;
}

bool IsButtonEditKind(TEditorType e)
{
    return e == TEditorType::edEditBtn || e == TEditorType::edNumericEditBtn || e == TEditorType::edFloatEditBtn ||
           e == TEditorType::edMaskEditBtn;
}

bool IsUnitEditKind(TEditorType e)
{
    return e == TEditorType::edUnitEditBtn || e == TEditorType::edNumericUnitEditBtn ||
           e == TEditorType::edFloatUnitEditBtn;
}

// A fixed number in the application range stands in for the registered message:
// only this grid posts and handles it.
constexpr UINT kEditDoneMessage = WM_APP + 0x1D0E;

} // namespace

// ---- Cell text under edit ------------------------------------------------------------------------
String TZvStringGrid::CurrentCell() { return GetCellEx(RealColIndex(Col()), Row()); }

void TZvStringGrid::SetCurrentCell(const String& Value) { SetCellEx(RealColIndex(Col()), Row(), Value); }

String TZvStringGrid::ReadCurrentCellText() { return CurrentCell(); }

void TZvStringGrid::WriteCurrentCellText(const String& Value) { SetCurrentCell(Value); }

void TZvStringGrid::StoreEditorText(int ACol, int ARow, const String& Value)
{
    EditTextSetHook(DisplColIndex(ACol), ARow, Value);
    SetCellEx(ACol, ARow, Value);
}

void TZvStringGrid::RestoreCellFromCache()
{
    const int rc = RealColIndex(Col());
    SetCellEx(rc, Row(), d->FCellCache);
    SetCellEx(rc, Row(), GetCellEx(rc, Row()));
}

String TZvStringGrid::EditTextGetHook(int ACol, int ARow)
{
    d->FNoEditChange = true;
    const int rc = RealColIndex(ACol);
    const TPoint base = BaseCell(rc, ARow);
    const String text = TBaseGrid::EditTextGetHook(base.X, base.Y);
    return d->FEditWithTags ? text : StripHTMLTags(text);
}

void TZvStringGrid::EditTextSetHook(int ACol, int ARow, const String& Value)
{
    const int rc = RealColIndex(ACol);
    const TPoint base = BaseCell(rc, ARow);
    TBaseGrid::EditTextSetHook(base.X, base.Y, Value);
}

void TZvStringGrid::FireGetEditorProp(int ACol, int ARow, TObject* AEditLink)
{
    if (OnGetEditorProp) OnGetEditorProp(this, ACol, ARow, AEditLink);
    if (OnGetEditorPropInt) OnGetEditorPropInt(this, ACol, ARow, AEditLink);
}

// ---- Which editor, and may it open ---------------------------------------------------------------
void TZvStringGrid::ResolveEditorKind()
{
    const TPoint base = BaseCell(RealColIndex(Col()), Row());
    d->FCurrentEditor = d->FDefaultEditor;
    QueryEditorType(base.X, base.Y, d->FCurrentEditor);
}

bool TZvStringGrid::AllowEditorShow()
{
    // A grid going away opens no editor: its editor controls may be gone already.
    if (d->FValidating || d->FDestroying) return false;
    bool allow = TBaseGrid::CanEditShow();
    // A key that asks for the editor while editing is switched off leaves no editor mode behind.
    if (!allow && !Options().Contains(goEditing) && EditorMode()) HideEditor();
    if (d->FDesignTime) return allow;
    const TPoint base = BaseCell(RealColIndex(Col()), Row());
    if (allow && !d->FInEditMode && IsCheckOrButtonCell(base.X, base.Y)) return false;
    if (allow && !d->FInEditMode) {
        d->FNoEditChange = true;
        d->FCellCache = CurrentCell();
        // Validation compares with, and writes back to, the cell the editor opens on,
        // however the grid reached it.
        if (!d->FEditing) RememberOldCell(Col(), Row());
        ResolveEditorKind();
        if (d->FCurrentEditor == TEditorType::edNone) return false;
        if (IsTextEditorKind(d->FCurrentEditor)) {
            d->FInEditMode = true;
            d->FShowEditProcess = true;
        } else {
            // A kind whose control this grid does not have opens nothing and leaves no edit behind.
            if (!ShowEditorControl(DisplColIndex(base.X), base.Y)) {
                d->FEditing = d->FSpecialEditor = d->FEditActive = false;
                return false;
            }
            d->FEntered = true;
            return false;
        }
    }
    if (allow) {
        d->FEntered = true;
        d->FEditing = true;
    }
    return allow;
}

bool TZvStringGrid::EditorWantsTab()
{
    return Options().Contains(goTabs) || bool(OnCellValidate) || bool(OnCellValidateWide);
}

// ---- Special editors -----------------------------------------------------------------------------
void TZvStringGrid::SetEditorControlBounds(TWinControl* Ctrl, const TRect& R)
{
    Ctrl->SetBounds(R.Left, R.Top, R.Width() - 1, R.Height() - 1);
}

void TZvStringGrid::GiveEditorFocus(TWinControl* Ctrl)
{
    if (Ctrl->CanFocus()) Ctrl->SetFocus();
    if (!d->FStartEditChar.isNull()) PostMessage(Ctrl, WM_CHAR, WPARAM(d->FStartEditChar.unicode()), 0);
}

bool TZvStringGrid::ShowEditorControl(int ACol, int ARow)
{
    const TEditorType kind = d->FCurrentEditor;
    TWinControl* ctrl = nullptr;
    if (IsComboKind(kind)) ctrl = d->FComboEditor;
    else if (kind == TEditorType::edCheckBox) ctrl = d->FCheckBoxEditor;
    else if (IsButtonEditKind(kind)) ctrl = d->FEditBtnEditor;
    else if (IsUnitEditKind(kind)) ctrl = d->FUnitEditBtnEditor;
    else if (kind == TEditorType::edButton) ctrl = d->FButtonEditor;
    if (!ctrl) {
        d->FStartEditChar = QChar();
        return false;
    }

    d->FEditing = d->FSpecialEditor = d->FEditActive = true;
    d->FInEditMode = true;
    TRect R = CellRect(ACol, ARow);
    if (UseRightToLeftReading()) ++R.Left;
    const int rc = RealColIndex(ACol);
    d->FEditCtrl = nullptr;
    d->FLastValidation = true;
    const String text = EditTextGetHook(ACol, ARow);

    if (IsComboKind(kind)) {
        ShowComboEditor(ACol, ARow, R, kind == TEditorType::edComboList);
    } else if (kind == TEditorType::edCheckBox) {
        SetEditorControlBounds(d->FCheckBoxEditor, R);
        d->FCheckBoxEditor->SetCaption(text);
        d->FCheckBoxEditor->SetEnabled(true);
        d->FCheckBoxEditor->SetChecked(false);
        d->FCheckBoxEditor->SetVisible(true);
        if (d->FCheckBoxEditor->CanFocus()) d->FCheckBoxEditor->SetFocus();
    } else if (kind == TEditorType::edButton) {
        d->FButtonEditor->SetBounds(R.Left - 1, R.Top - 1, R.Width() + 1, R.Height() + 1);
        d->FButtonEditor->SetCaption(text);
        d->FButtonEditor->SetVisible(true);
        d->FButtonEditor->SetEnabled(true);
        if (d->FButtonEditor->CanFocus()) d->FButtonEditor->SetFocus();
        d->FEditCtrl = d->FButtonEditor;
    } else {
        auto* edit = static_cast<TGridEditBtn*>(ctrl);
        SetEditorControlBounds(edit, R);
        edit->SetMaxLength(d->FMaxEditLength);
        edit->SetText(text);
        if (IsUnitEditKind(kind)) FireGetEditorProp(rc, ARow, d->FEditLink);
        edit->SetVisible(true);
        edit->SetEnabled(true);
        edit->SetColor(Color());
        GiveEditorFocus(edit);
        d->FEditCtrl = edit;
    }
    d->FStartEditChar = QChar();
    return true;
}

void TZvStringGrid::ShowComboEditor(int ACol, int ARow, const TRect& R, bool ListOnly)
{
    TGridCombo* combo = d->FComboEditor;
    const int rc = RealColIndex(ACol);
    combo->SetDropDownCount(d->FControlLook->DropDownCount());
    FireGetEditorProp(rc, ARow, d->FEditLink);
    combo->SetEnabled(true);
    combo->SetDroppedDown(false);
    combo->SetStyle(ListOnly ? TComboBoxStyle::csDropDownList : TComboBoxStyle::csDropDown);
    bool defaulted = false;
    if (ListOnly) {
        const TStringList* items = combo->Items();
        int idx = ExactItemIndex(items, GetCellEx(rc, ARow));
        if (idx < 0 && d->FComboIndex == -1) {
            idx = ExactItemIndex(items, EditTextGetHook(ACol, ARow));
            if (idx < 0 && items->Count() > 0) {
                idx = 0;
                defaulted = true;
            }
        } else if (idx < 0) {
            idx = d->FComboIndex < items->Count() ? d->FComboIndex : -1;
        }
        combo->SetItemIndex(idx);
        d->FComboDefaulted = defaulted;
    } else {
        d->FComboDefaulted = false;
        combo->SetText(EditTextGetHook(ACol, ARow));
        if (d->FComboIndex != -1 && combo->ItemIndex() == -1 && d->FComboIndex < combo->Items()->Count())
            combo->SetItemIndex(d->FComboIndex);
        combo->SetMaxLength(d->FMaxComboLength);
    }
    combo->SetBounds(R.Left, R.Top, R.Width() - 1, R.Height() - 1);
    combo->SetColor(Color());
    combo->SetVisible(true);
    if (combo->CanFocus()) combo->SetFocus();
    if (d->FMouseActions->DirectComboDrop() || d->FControlLook->DropDownAlwaysVisible()) combo->SetDroppedDown(true);
    if (d->FMouseActions->DirectEdit() && d->FMouseActions->DirectComboDrop()) {
        const TGridRect s = Selection();
        FireSelectionChanged(s.Left, s.Top, s.Right, s.Bottom);
    }
    if (defaulted) {
        const String first = combo->Items()->Strings(0);
        if (OnComboChange) OnComboChange(this, rc, ARow, 0, first);
        if (OnComboObjectChange) OnComboObjectChange(this, rc, ARow, 0, first, combo->Items()->Objects(0));
    }
    if (!d->FStartEditChar.isNull()) PostMessage(combo, WM_CHAR, WPARAM(d->FStartEditChar.unicode()), 0);
    d->FEditCtrl = combo;
}

// ---- Storing and hiding --------------------------------------------------------------------------
void TZvStringGrid::StoreAndHideEditor(int ACol, int ARow)
{
    if (d->FDestroying) return;
    d->FSpecialEditor = false;
    d->FBlockFocusKill = true;
    const int rc = RealColIndex(ACol);
    d->FStartEditChar = QChar();
    const TEditorType kind = d->FCurrentEditor;
    if (IsComboKind(kind)) {
        // An opening that only preselected the first item stores nothing until the user picks
        // (the first item too). Nor does a list-only combo with nothing selected (an empty list):
        // it would blank the cell. Escape stores nothing at all.
        const bool listOnly = d->FComboEditor->Style() == TComboBoxStyle::csDropDownList;
        const int index = d->FComboEditor->ItemIndex();
        const bool picked =
            !listOnly || (index >= 0 && (!d->FComboDefaulted || index > 0 || d->FComboEditor->UserChangedSelection()));
        if (d->FInEditMode && d->FComboEditor->Visible()) {
            if (picked && !d->FComboEditor->EditCancelled()) StoreEditorText(rc, ARow, d->FComboEditor->Text());
            d->FComboEditor->SetVisible(false);
            d->FComboEditor->SetEnabled(false);
        }
    } else if (IsButtonEditKind(kind) || IsUnitEditKind(kind)) {
        const bool withUnit = IsUnitEditKind(kind);
        TAsgEditBtn* edit = withUnit ? static_cast<TAsgEditBtn*>(d->FUnitEditBtnEditor) : d->FEditBtnEditor;
        if (d->FInEditMode && edit && edit->Visible()) {
            // A unit edit stores its number followed by the chosen unit.
            StoreEditorText(rc, ARow, withUnit ? d->FUnitEditBtnEditor->TextWithUnit() : edit->Text());
            edit->SetEnabled(false);
            edit->SetVisible(false);
        }
    } else if (kind == TEditorType::edCheckBox) {
        d->FCheckBoxEditor->SetEnabled(false);
        d->FCheckBoxEditor->SetVisible(false);
    } else if (kind == TEditorType::edButton) {
        d->FButtonEditor->SetEnabled(false);
        d->FButtonEditor->SetVisible(false);
    }
    d->FInEditMode = false;
    d->FEditCtrl = nullptr;
    d->FComboDefaulted = false;
    if (kind != TEditorType::edNormal && d->FEditActive) PostEditDone(rc, ARow);
    d->FBlockFocusKill = false;
    d->FEditActive = false;
}

void TZvStringGrid::PostEditDone(int ACol, int ARow)
{
    if (OnEditingDone) OnEditingDone(this);
    d->FInEditMode = false;
    PostMessage(this, EditDoneMessage(), WPARAM(ACol), LPARAM(ARow));
}

UINT TZvStringGrid::EditDoneMessage() { return kEditDoneMessage; }

void TZvStringGrid::EditDoneMessageHook(TMessage& Message)
{
    if (OnEditCellDone) OnEditCellDone(this, int(Message.WParam), int(Message.LParam));
    if (d->FMouseActions->EditOnDblClickOnly()) {
        HideInplaceEdit();
        d->FInEditMode = false;
        SetOptions(Options() - TGridOptions{goEditing});
    }
}

// ---- Opening and ending ----------------------------------------------------------------------------
void TZvStringGrid::ShowInplaceEdit()
{
    if (IsCheckOrButtonCell(RealColIndex(Col()), Row())) return;
    if (Row() < TopRow()) SetTopRow(Row());
    if (Col() < LeftCol()) SetLeftCol(Col());
    d->FEditText = CurrentCell();
    ShowEditor();
}

void TZvStringGrid::HideInplaceEdit()
{
    if (!d->FInEditMode) return;
    HideEditor();
    StoreAndHideEditor(Col(), Row());
    d->FInEditMode = false;
    CellSelectHook(Col(), Row());
}

// A special editor ends on its exit, which comes when the user leaves it for
// another control. Hidden with its page or its window it loses the focus
// without that exit, and would stay open out of sight until the next click
// on the grid stored its old value into whatever the grid then shows.
void TZvStringGrid::SpecialEditorFocusLost(TWinControl* Editor)
{
    if (d->FInEditMode && Editor->Visible() && !Editor->Showing()) HideInplaceEdit();
}

void TZvStringGrid::HideCellEdit()
{
    if (d->FSpecialEditor) StoreAndHideEditor(Col(), Row());
}

void TZvStringGrid::ShowCellEdit() { SendMessage(this, WM_KEYDOWN, VK_F2, 0); }

void TZvStringGrid::DoneInplaceEdit(WORD Key, TShiftState Shift)
{
    d->FBlockFocus = true;
    d->FEditing = false;
    HideInplaceEdit();
    if (d->FNavigation->AppendOnArrowDown() && Key == VK_DOWN && Row() == RowCount() - 1) AddRow();
    if (Key == VK_TAB || Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN) {
        WORD k = Key;
        KeyDown(k, Shift);
    }
    const bool alwaysEdit = d->FNavigation->AlwaysEdit();
    d->FNavigation->SetAlwaysEdit(false);
    if (CanFocus()) SetFocus();
    if (Key == VK_RETURN && d->FNavigation->AdvanceOnEnter())
        AdvanceToNextCell(Col(), Row(), false, false, true, false, false);
    d->FNavigation->SetAlwaysEdit(alwaysEdit);
    d->FBlockFocus = false;
}

// ---- The shared combo list -------------------------------------------------------------------------
void TZvStringGrid::ClearComboString() { d->FComboEditor->Items()->Clear(); }

void TZvStringGrid::AddComboString(const String& S) { d->FComboEditor->Items()->Add(S); }

void TZvStringGrid::AddComboStringObject(const String& S, TObject* AObject)
{
    d->FComboEditor->Items()->AddObject(S, AObject);
}

bool TZvStringGrid::RemoveComboString(const String& S)
{
    const int i = d->FComboEditor->Items()->IndexOf(S);
    if (i < 0) return false;
    d->FComboEditor->Items()->Delete(i);
    return true;
}

bool TZvStringGrid::SetComboSelectionString(const String& S)
{
    const int i = d->FComboEditor->Items()->IndexOf(S);
    if (i < 0) return false;
    d->FComboIndex = i;
    return true;
}

int TZvStringGrid::GetComboCount() { return d->FComboEditor->Items()->Count(); }

void TZvStringGrid::SetComboIndex(int ACol, int ARow, int Value)
{
    FireGetEditorProp(ACol, ARow, nullptr);
    // Strings() raises the list's index error for an index outside it, before anything is written.
    SetCellEx(ACol, ARow, d->FComboEditor->Items()->Strings(Value));
}

int TZvStringGrid::GetComboIndex(int ACol, int ARow)
{
    FireGetEditorProp(ACol, ARow, nullptr);
    return d->FComboEditor->Items()->IndexOf(GetCellEx(ACol, ARow));
}

// ---- Editing switches ----------------------------------------------------------------------------
bool TZvStringGrid::CellAllowsEdit(int ACol, int ARow)
{
    const TPoint base = BaseCell(ACol, ARow);
    bool canEdit = true;
    QueryCellEditable(base.X, base.Y, canEdit);
    if (!canEdit) return false;
    bool fixed = false;
    QueryFixedCell(base.X, base.Y, fixed);
    return !fixed;
}

bool TZvStringGrid::IsEditable(int ACol, int ARow)
{
    const bool on = Options().Contains(goEditing) || d->FMouseActions->RangeSelectAndEdit() || d->FEditingDisabled;
    return on && CellAllowsEdit(ACol, ARow);
}

bool TZvStringGrid::CanEditShow() { return AllowEditorShow(); }

// The base grid hides the text editor by itself too (Enter toggles it off):
// that ends the text edit, or the next cell would open the text editor
// again whatever its own kind.
void TZvStringGrid::HideEditor()
{
    TBaseGrid::HideEditor();
    if (IsTextEditorKind(d->FCurrentEditor)) d->FInEditMode = false;
}

String TZvStringGrid::GetEditMask(int ACol, int ARow) { return EditMaskHook(ACol, ARow); }

// ---- Editors of later features ---------------------------------------------------------------------
String TZvStringGrid::FireEllipsClick(const String& Text)
{
    String result = Text;
    if (OnEllipsClick) OnEllipsClick(this, RealCol(), Row(), result);
    return result;
}
void TZvStringGrid::SetFormulaEditing(bool) {} // this grid keeps no formulas
void TZvStringGrid::CellToRich(int, int, TRichEdit*) {} // rich-text cells come with the rich-text editor
TGridColorDropDown* TZvStringGrid::ColorPickerDropDown() { return nullptr; } // the drop-down editors come later
TGridImageDropDown* TZvStringGrid::ImagePickerDropDown() { return nullptr; } // likewise
TRichEdit* TZvStringGrid::RichEdit() { return nullptr; } // likewise the rich-text editor

// ---- Accessors ----------------------------------------------------------------------------------------------
int TZvStringGrid::MaxEditLength() const { return d->FMaxEditLength; }
TEditorType TZvStringGrid::CurrentEditor() const { return d->FCurrentEditor; }
bool TZvStringGrid::EditActive() const { return d->FEditActive; }
String TZvStringGrid::OriginalCellValue() const { return d->FCellCache; }
void TZvStringGrid::SetOriginalCellValue(const String& Value) { d->FCellCache = Value; }
TWinControl* TZvStringGrid::EditCtrl() const { return d->FEditCtrl; }
void TZvStringGrid::SetComboSelection(int Index) { d->FComboIndex = Index; }
bool TZvStringGrid::AlwaysValidate() const { return d->FAlwaysValidate; }
void TZvStringGrid::SetAlwaysValidate(bool Value) { d->FAlwaysValidate = Value; }
bool TZvStringGrid::Modified() const { return d->FGridModified; }
void TZvStringGrid::SetModified(bool Value) { d->FGridModified = Value; }
bool TZvStringGrid::Editing() const { return d->FEditing; }
void TZvStringGrid::RegisterSelListener(std::shared_ptr<ITZvStringGridSelect> AListener)
{
    d->FISelect = std::move(AListener);
}
void TZvStringGrid::UnRegisterSelListener(const std::shared_ptr<ITZvStringGridSelect>&) { d->FISelect.reset(); }
