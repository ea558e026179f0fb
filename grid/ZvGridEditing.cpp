// The string grid's side of its inplace editors: which editor a cell gets,
// whether it may open, and opening, storing and hiding it. The editors plug in
// through grid/editors/ZvCellEditor.h and the registry by kind; the text
// editor is the platform grid's own. Validation and the selection hook live
// in ZvGridValidation.cpp.

#include "grid/ZvGrid.h"
#include "grid/ZvGridPrivate.h"
#include "grid/support/ZvHTMLUtil.h"
#include "grid/editors/ZvCellEditor.h"
#include "grid/editors/ZvCellEditorRegistry.h"
#include "platform/ScopeGuard.h"

namespace {

// A fixed number in the application range stands in for the registered message:
// only this grid posts and handles it.
constexpr UINT kEditDoneMessage = WM_APP + 0x1D0E;

} // namespace

// ---- Cell text under edit ------------------------------------------------------------------------
int TZvStringGrid::EditorRealCol(int DisplayCol) { return RealColIndex(DisplayCol < 0 ? Col() : DisplayCol); }

int TZvStringGrid::EditLengthLimit() { return GetEditLimit(); }

int TZvStringGrid::GetEditLimit() { return d->FMaxEditLength; }

// The stored text, not what OnGetDisplText makes of it: the edit's cache is
// written back on Escape and must give the cell back exactly.
String TZvStringGrid::CurrentCell()
{
    const TPoint base = BaseCell(EditorRealCol(), Row());
    return Cells(base.X, base.Y);
}

void TZvStringGrid::SetCurrentCell(const String& Value) { SetCellEx(EditorRealCol(), Row(), Value); }

String TZvStringGrid::ReadCurrentCellText() { return CurrentCell(); }

void TZvStringGrid::WriteCurrentCellText(const String& Value) { SetCurrentCell(Value); }

void TZvStringGrid::StoreEditorText(int ACol, int ARow, const String& Value)
{
    EditTextSetHook(DisplColIndex(ACol), ARow, Value);
    SetCellEx(ACol, ARow, Value);
}

void TZvStringGrid::RestoreCellFromCache()
{
    const int rc = EditorRealCol();
    SetCellEx(rc, Row(), d->FCellCache);
    SetCellEx(rc, Row(), CurrentCell());
}

String TZvStringGrid::EditTextGetHook(int ACol, int ARow)
{
    d->FNoEditChange = true;
    const int rc = EditorRealCol(ACol);
    const TPoint base = BaseCell(rc, ARow);
    const String text = TBaseGrid::EditTextGetHook(base.X, base.Y);
    return d->FEditWithTags ? text : StripHTMLTags(text);
}

void TZvStringGrid::EditTextSetHook(int ACol, int ARow, const String& Value)
{
    const int rc = EditorRealCol(ACol);
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
    const TPoint base = BaseCell(EditorRealCol(), Row());
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
    // While a special editor is open the platform grid may ask again (a row
    // growing under the editor): its text editor must not open over it.
    if (allow && d->FInEditMode && d->FSpecialEditor) return false;
    const TPoint base = BaseCell(EditorRealCol(), Row());
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
TZvCellEditor* TZvStringGrid::CellEditorOf(const TZvCellEditorEntry& Entry, bool Make)
{
    for (const auto& [name, editor] : d->FCellEditors)
        if (name == Entry.Name) return editor;
    if (!Make || d->FDestroying) return nullptr;
    TZvCellEditor* editor = Entry.Factory(this);
    d->FCellEditors.emplace_back(Entry.Name, editor);
    return editor;
}

TZvCellEditor* TZvStringGrid::CellEditor(TEditorType Kind)
{
    const TZvCellEditorEntry* entry = TZvCellEditorRegistry::Instance().Find(Kind);
    return entry ? CellEditorOf(*entry, true) : nullptr;
}

TZvCellEditor* TZvStringGrid::MadeCellEditor(TEditorType Kind)
{
    const TZvCellEditorEntry* entry = TZvCellEditorRegistry::Instance().Find(Kind);
    return entry ? CellEditorOf(*entry, false) : nullptr;
}

bool TZvStringGrid::ShowEditorControl(int ACol, int ARow)
{
    TZvCellEditor* editor = CellEditor(d->FCurrentEditor);
    // The text editor opens through the platform grid's own steps, never here.
    if (!editor || editor->AsInplaceEdit() || !editor->CanBegin(this)) {
        d->FStartEditChar = QChar();
        return false;
    }

    d->FEditing = d->FSpecialEditor = d->FEditActive = true;
    d->FInEditMode = true;
    TZvCellEditStart start;
    start.Col = ACol;
    start.Row = ARow;
    start.RealCol = EditorRealCol(ACol);
    start.Cell = CellRect(ACol, ARow);
    if (UseRightToLeftReading()) ++start.Cell.Left;
    d->FEditCtrl = nullptr;
    // A link keeps the verdict of the validation that sent it back to its cell.
    if (d->FCurrentEditor != TEditorType::edCustom) d->FLastValidation = true;
    {
        // The editor opens in the cell's own colour, as the cell is painted.
        TBrush brush;
        TFont font;
        TAlignment ha;
        CellEditorLook(ACol, ARow, brush, font, ha);
        start.Color = brush.Color();
    }
    start.Text = EditTextGetHook(ACol, ARow);
    start.StartChar = d->FStartEditChar;
    editor->BeginCellEdit(this, start);
    if (editor->IsEditCtrl()) d->FEditCtrl = editor->EditorControl();
    d->FStartEditChar = QChar();
    return true;
}

void TZvStringGrid::CellEditorLook(int ACol, int ARow, TBrush& Brush, TFont& AFont, TAlignment& HA)
{
    TGridDrawState state;
    AFont.Assign(Font());
    Brush.SetColor(Color());
    TColor colorTo = clNone, mirror = clNone, mirrorTo = clNone;
    HA = TAlignment::taLeftJustify;
    TVAlignment va = TVAlignment::vtaTop;
    bool ww = false;
    TCellGradientDirection gd = TCellGradientDirection::GradientVertical;
    GetVisualProperties(ACol, ARow, state, false, false, true, &Brush, colorTo, mirror, mirrorTo, &AFont, HA, va, ww, gd);
}

// ---- Storing and hiding --------------------------------------------------------------------------
void TZvStringGrid::StoreAndHideEditor(int ACol, int ARow)
{
    if (d->FDestroying) return;
    d->FSpecialEditor = false;
    d->FBlockFocusKill = true;
    const int rc = EditorRealCol(ACol);
    d->FStartEditChar = QChar();
    const TEditorType kind = d->FCurrentEditor;
    if (TZvCellEditor* editor = MadeCellEditor(kind); editor && !editor->AsInplaceEdit()) {
        const bool writes = editor->WritesCell();
        // An edit link may have made no control; its edit still ends here.
        TWinControl* control = editor->EditorControl();
        if (!writes || (d->FInEditMode && (!control || control->Visible()))) {
            if (writes && !d->FRejectingEdit && editor->HasValue()) editor->StoreCellValue(this, rc, ARow);
            editor->EndCellEdit();
        }
    }
    d->FInEditMode = false;
    d->FEditCtrl = nullptr;
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
    if (IsCheckOrButtonCell(EditorRealCol(), Row())) return;
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

// ---- The editors' ending calls ---------------------------------------------------------------------
void TZvStringGrid::EndEdit(bool WriteValue)
{
    const bool rejecting = d->FRejectingEdit;
    d->FRejectingEdit = !WriteValue;
    const TScopeExit restore([this, rejecting] { d->FRejectingEdit = rejecting; });
    HideInplaceEdit();
    // The platform grid's own hide, for a text edit the grid had not counted as open.
    if (TInplaceEdit* text = InplaceEditor(); text && text->Visible()) HideEditor();
}

void TZvStringGrid::CommitEdit() { EndEdit(true); }

void TZvStringGrid::RejectEdit() { EndEdit(false); }

void TZvStringGrid::CancelEdit()
{
    // A paste writes the cell at once, so the cell is put back, not just the editor.
    if (CurrentCell() != d->FCellCache) RestoreCellFromCache();
    EndEdit(false);
}

void TZvStringGrid::CommitEditOf(TEditorType Kind)
{
    d->FCurrentEditor = Kind;
    d->FInEditMode = true;
    HideInplaceEdit();
}

bool TZvStringGrid::InEditMode() const { return d->FInEditMode; }
void TZvStringGrid::LeaveEditMode() { d->FInEditMode = false; }
String TZvStringGrid::NewCellText() const { return FNewCellText; }
String TZvStringGrid::OldCellText() const { return d->FOldCellText; }
void TZvStringGrid::SetOldCellText(const String& Value) { d->FOldCellText = Value; }
bool TZvStringGrid::EditChangeMuted() const { return d->FNoEditChange; }
void TZvStringGrid::SetEditChangeMuted(bool Value) { d->FNoEditChange = Value; }
bool TZvStringGrid::ClickPending() const { return d->FClickPending; }
void TZvStringGrid::ClearStartEditChar() { d->FStartEditChar = QChar(); }
void TZvStringGrid::SetNoAutoAdvance(bool Value) { d->FNoAutoAdvance = Value; }
void TZvStringGrid::EditorKeyPress(QChar& Key) { KeyPress(Key); }
bool TZvStringGrid::LButFlg() const { return d->FLButFlg; }
void TZvStringGrid::SetLButFlg(bool Value) { d->FLButFlg = Value; }

void TZvStringGrid::DropDownHeaderButtonClicked(TObject*, int ButtonIndex)
{
    if (OnDropDownHeaderButtonClick) OnDropDownHeaderButtonClick(this, Col(), Row(), ButtonIndex);
}

void TZvStringGrid::DropDownFooterButtonClicked(TObject*, int ButtonIndex)
{
    if (OnDropDownFooterButtonClick) OnDropDownFooterButtonClick(this, Col(), Row(), ButtonIndex);
}

// Written through on every change, so the cell holds the memo's text while it is edited.
void TZvStringGrid::MemoDropDownToCell(TObject*)
{
    TZvCellEditor* memo = MadeCellEditor(TEditorType::edMemoDropDown);
    if (!memo || !d->FInEditMode || d->FCurrentEditor != TEditorType::edMemoDropDown) return;
    EditTextSetHook(Col(), Row(), memo->EditorText());
}

void TZvStringGrid::WriteEditedCellText(const String& Value)
{
    // While the text is written the grid does not open the editor on the cell again.
    const bool validating = d->FValidating;
    d->FValidating = true;
    const TScopeExit restore([this, validating] { d->FValidating = validating; });
    WriteCurrentCellText(Value);
}

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

// ---- Editing switches ----------------------------------------------------------------------------
bool TZvStringGrid::CellAllowsEdit(int ACol, int ARow)
{
    const TPoint base = BaseCell(ACol, ARow);
    bool canEdit = true;
    QueryCellEditable(base.X, base.Y, canEdit);
    if (!canEdit) return false;
    // The editability query takes the stored column, the fixed-cell query the displayed one.
    bool fixed = false;
    QueryFixedCell(DisplColIndex(base.X), base.Y, fixed);
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

// The character that opened the text editor reaches it as if typed there: its
// character filters apply, and it replaces the selected text, or with
// EditSelectAll off goes after it. It is handed over at once, so that the
// keys typed next come after it.
void TZvStringGrid::ShowEditorChar(QChar Ch)
{
    ShowEditor();
    TInplaceEdit* editor = InplaceEditor();
    if (!editor || !editor->Visible()) return;
    if (!d->FNavigation->EditSelectAll()) editor->SetSelStart(int(editor->Text().size()));
    editor->Perform(WM_CHAR, WPARAM(Ch.unicode()), 0);
}

// ---- Editors of later features ---------------------------------------------------------------------
String TZvStringGrid::FireEllipsClick(const String& Text)
{
    String result = Text;
    if (OnEllipsClick) OnEllipsClick(this, EditorRealCol(), Row(), result);
    return result;
}
void TZvStringGrid::SetFormulaEditing(bool) {} // this grid keeps no formulas

// ---- Accessors ----------------------------------------------------------------------------------------------
int TZvStringGrid::MaxEditLength() const { return d->FMaxEditLength; }
TEditorType TZvStringGrid::CurrentEditor() const { return d->FCurrentEditor; }
bool TZvStringGrid::EditActive() const { return d->FEditActive; }
String TZvStringGrid::OriginalCellValue() const { return d->FCellCache; }
void TZvStringGrid::SetOriginalCellValue(const String& Value) { d->FCellCache = Value; }
TWinControl* TZvStringGrid::EditCtrl() const { return d->FEditCtrl; }
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
