// The grid's text editor.

#include "grid/editors/ZvInplaceEdit.h"

#include "grid/ZvGrid.h"
#include "grid/editors/ZvCellEditorRegistry.h"
#include "grid/support/ZvGridUtil.h"
#include "platform/ScopeGuard.h"
#include "platform/TextCodec.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMimeData>

namespace {
using K = TEditorType;

bool IsDigit(QChar c) { return c >= QChar('0') && c <= QChar('9'); }

TZvStringGrid* AsZvGrid(TCustomGrid* owner)
{
    auto* grid = dynamic_cast<TZvStringGrid*>(owner);
    if (!grid) throw Exception(QStringLiteral("Invalid class typecast"));
    return grid;
}
}   // namespace

TZvInplaceEdit::TZvInplaceEdit(TCustomGrid* AOwner) : TInplaceEdit(AsZvGrid(AOwner)), FGrid(AsZvGrid(AOwner)) {}

int TZvInplaceEdit::Kind() const { return int(FGrid->CurrentEditor()); }

void TZvInplaceEdit::SetVAlign(bool value)
{
    FValign = value;
    SetAlignment(value ? TAlignment::taRightJustify : TAlignment::taLeftJustify);
}

void TZvInplaceEdit::SetWordWrap(bool value) { FWordWrap = value; }

void TZvInplaceEdit::SetLengthLimit(int value)
{
    FLengthLimit = value;
    SetMaxLength(std::max(0, value));
}

void TZvInplaceEdit::CreateWnd()
{
    TInplaceEdit::CreateWnd();
    // The editor lies over the cell without a border of its own, as the
    // cell's lines already frame it; a framed line edit would push the text
    // away from where the cell shows it.
    if (auto* edit = qobject_cast<QLineEdit*>(Handle())) edit->setFrame(false);
    FWordWrap = FGrid->WordWrap();
    GotKey = false;
    Workmode_ = true;
    SetLengthLimit(FGrid->EditLengthLimit());
}

// ---- Loading and placing ----------------------------------------------------------------------
void TZvInplaceEdit::UpdateContents()
{
    {
        FGrid->SetEditChangeMuted(true);
        const TScopeExit done([this] { FGrid->SetEditChangeMuted(false); });
        TInplaceEdit::UpdateContents();
    }
    SetPasswordChar(Kind() == int(K::edPassword) ? FGrid->PasswordChar() : QChar());
    SetLengthLimit(FGrid->EditLengthLimit());
    const int col = FGrid->Col();
    const int row = FGrid->Row();
    TBrush brush;
    TFont font;
    TAlignment ha;
    FGrid->CellEditorLook(col, row, brush, font, ha);
    SetColor(brush.Color());
    Font()->Assign(&font);
    SetAlignment(FValign ? TAlignment::taRightJustify : ha);
    FColE = col;
    FRowE = row;
    FGrid->FireGetEditorProp(FGrid->EditorRealCol(col), row, nullptr);
}

void TZvInplaceEdit::Move(const TRect& Loc)
{
    TRect r = Loc;
    if (FGrid->BiDiMode() == TBiDiMode::bdRightToLeft) ++r.Left;
    SetBounds(r.Left, r.Top, std::max(0, r.Width() - 1), std::max(0, r.Height() - 1));
    // The text keeps a 3-pixel margin at the left, 2 of which the line edit
    // keeps by itself; it stands centred in the height, as in the cell.
    SetTextMargins(TRect{1, 0, 0, 0});
    if (!Visible()) Show();
}

// ---- Ending and reloading ------------------------------------------------------------------------
void TZvInplaceEdit::EndEdit() { FGrid->CommitEdit(); }

void TZvInplaceEdit::ReloadAfterReject(const String& Saved)
{
    SetText(FGrid->NewCellText());
    if (FGrid->Navigation()->EditSelectAll()) SelectAll();
    else SetSelStart(int(Text().size()));
    Invalidate();
    FGrid->SetOldCellText(Saved);
}

bool TZvInplaceEdit::WriteAndValidate(const String& Text)
{
    FGrid->WriteEditedCellText(Text);
    return FGrid->ValidateCell(Text);
}

bool TZvInplaceEdit::CaretInFirstLine() const { return !Text().left(SelStart()).contains('\n'); }

bool TZvInplaceEdit::CaretInLastLine() const { return !Text().mid(SelStart()).contains('\n'); }

// ---- Key-down message ----------------------------------------------------------------------------
void TZvInplaceEdit::WMKeyDown(TWMKey& Message)
{
    TMessage& raw = Message.Message;
    FGrid->InplaceEditMessageHook(raw);
    FOldSelStart = SelStart();
    FEnterState = TEnterState::None;
    const WORD key = WORD(Message.CharCode);
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    TNavigation* nav = FGrid->Navigation();

    if (key == VK_ESCAPE) {
        // The cell keeps the text it had when the edit began. A paste writes the cell at once,
        // so the cell is put back too, not just the editor.
        SetText(FGrid->OriginalCellValue());
        FGrid->CancelEdit();
        return;
    }
    if (key == 'A' && ctrl && GetKeyState(VK_RMENU) >= 0) {
        SelectAll();
        return;
    }
    const bool multiLine = FGrid->WordWrap() || FGrid->Multilinecells();
    if (key == VK_RETURN && ctrl && !(nav->AllowCtrlEnter() && multiLine)) return;

    const String text = Text();
    const String saved = FGrid->OldCellText();
    const bool wantsTab =
        FGrid->Options().Contains(goTabs) || bool(FGrid->OnCellValidate) || bool(FGrid->OnCellValidateWide);
    if (key == VK_TAB && wantsTab) {
        if (FGrid->ValidateCell(text)) {
            SetText(FGrid->NewCellText());
            EndEdit();
            if (FGrid->Options().Contains(goTabs)) FGrid->TabToNextCell(shift);
            else PostMessage(FGrid->Handle(), WM_KEYDOWN, VK_TAB, 0);
        } else {
            ReloadAfterReject(saved);
        }
        return;
    }
    if (nav->CursorWalkEditor() && shift &&
        ((key == VK_LEFT && SelStart() == 0) || (key == VK_RIGHT && SelStart() == int(text.size())))) {
        if (WriteAndValidate(text)) {
            SetText(FGrid->NewCellText());
            EndEdit();
            if (FGrid->CanFocus()) FGrid->SetFocus();
        } else {
            ReloadAfterReject(saved);
        }
        return;
    }
    if ((key == VK_UP && CaretInFirstLine()) || (key == VK_DOWN && CaretInLastLine())) {
        if (!WriteAndValidate(text)) {
            ReloadAfterReject(saved);
            return;
        }
        SetText(FGrid->NewCellText());
    }
    if (key == VK_RETURN && !ctrl && !nav->LineFeedOnEnter()) {
        if (!FGrid->ValidateCell(text)) {
            ReloadAfterReject(saved);
            FEnterState = TEnterState::Refused;
            return;
        }
        FEnterState = TEnterState::Accepted;
        SetText(FGrid->NewCellText());
    }
    if (key == VK_HOME && !ctrl && !shift) SetSelStart(0);
    if (key == VK_END && !ctrl && !shift) SetSelStart(int(Text().size()));
    TInplaceEdit::WMKeyDown(Message);
}

void TZvInplaceEdit::KeyDown(WORD& Key, TShiftState Shift)
{
    FSelKeyDown = SelStart();
    switch (Key) {
    case VK_BACK:
    case VK_DELETE: Workmode_ = false; break;
    case VK_RETURN:
        Workmode_ = true;
        if (!FGrid->Navigation()->AllowCtrlEnter() && (FGrid->WordWrap() || FGrid->Multilinecells()))
            FGrid->LeaveEditMode();
        break;
    case VK_UP:
        Workmode_ = true;
        // Inside a multi-line text the caret moves, the cell does not.
        if (!CaretInFirstLine()) return;
        break;
    case VK_DOWN:
        Workmode_ = true;
        if (!CaretInLastLine()) return;
        break;
    default: Workmode_ = true; break;
    }
    FGrid->InplaceEditKeyHook(Key, Shift);
    if (Key == 0) return;
    TInplaceEdit::KeyDown(Key, Shift);
}

// ---- Characters -----------------------------------------------------------------------------------
bool TZvInplaceEdit::FilterChar(QChar& Key)
{
    const TFormatSettings& fs = FormatSettings();
    const char16_t k = Key.unicode();
    const bool control = k == 8 || k == 9 || k == 13 || k == 27;
    const String text = Text();
    const String sel = SelText();
    switch (TEditorType(Kind())) {
    case K::edNumeric:
        if (control || IsDigit(Key)) return true;
        if (k == '-' && SelStart() == 0 && (!text.contains('-') || sel.contains('-'))) return true;
        MessageBeep();
        return false;
    case K::edPositiveNumeric:
        if (control || IsDigit(Key)) return true;
        MessageBeep();
        return false;
    case K::edFloat:
    case K::edPositiveFloat: {
        if (control || IsDigit(Key)) return true;
        const bool positive = Kind() == int(K::edPositiveFloat);
        if (Key == fs.DecimalSeparator) return !(text.contains(Key) && !sel.contains(Key));
        if (Key == fs.ThousandSeparator) return false;
        if (k == '-' && !positive) {
            if ((SelStart() == 0 && !text.contains('-')) || sel.contains('-')) return true;
            MessageBeep();
            return false;
        }
        // Other characters pass only while Ctrl is held.
        return GetKeyState(VK_CONTROL) < 0;
    }
    case K::edCapital:
    case K::edUpperCase: Key = Key.toUpper(); return true;
    case K::edLowerCase: Key = Key.toLower(); return true;
    case K::edValidChars:
        if (k == 8 || k == 13 || FGrid->ValidChars().contains(Key)) return true;
        MessageBeep();
        return false;
    default: return true;
    }
}

void TZvInplaceEdit::WMChar(TWMKey& Message)
{
    QChar key(char16_t(Message.CharCode));
    TNavigation* nav = FGrid->Navigation();
    const bool keypadDecimal = (KeyDataScanCode(Message.KeyData) & 0x40) != 0;
    if (FGrid->ExcelStyleDecimalSeparator() && key == QChar('.') && keypadDecimal) key = FormatSettings().DecimalSeparator;
    const bool multiLine = FGrid->WordWrap() || FGrid->Multilinecells();
    if (key.unicode() == 1) return;
    if (key.unicode() == 10 && !(nav->AllowCtrlEnter() && multiLine)) return;
    const char16_t k = key.unicode();
    if (FLengthLimit > 0 && Text().size() >= FLengthLimit && SelLength() == 0 && k != 8 && k != 27 && k != 13) return;
    const int kind = Kind();
    const bool textKind = kind == int(K::edNormal) || kind == int(K::edCapital) || kind == int(K::edMixedCase) ||
                          kind == int(K::edLowerCase) || kind == int(K::edUpperCase) || kind == int(K::edValidChars);
    if (textKind && k == 13 && nav->LineFeedOnEnter()) {
        const int at = SelStart();
        const String text = Text();
        SetText(text.left(at) + '\n' + text.mid(at + SelLength()));
        SetSelStart(at + 1);
        return;
    }
    if (!FilterChar(key)) return;
    Message.CharCode = key.unicode();
    const int caret = SelStart();
    TInplaceEdit::WMChar(Message);
    if (kind == int(K::edMixedCase) && k >= 32) {
        const String mixed = ToMixedCase(Text());
        if (mixed != Text()) {
            SetText(mixed);
            SetSelStart(caret + 1);
        }
    }
    if (nav->AdvanceAuto() && nav->AdvanceOnEnter() && FGrid->EditLengthLimit() > 0 &&
        Text().size() >= FGrid->EditLengthLimit() && SelLength() == 0 && SelStart() == int(Text().size())) {
        QChar enter(13);
        FGrid->EditorKeyPress(enter);
    }
}

void TZvInplaceEdit::KeyPress(QChar& Key)
{
    const TEnterState enter = FEnterState;
    FEnterState = TEnterState::None;
    if (Key.unicode() == 13 && enter == TEnterState::Refused) {
        Key = QChar(0);
        return;
    }
    if (Key.unicode() == 13 && !FGrid->Navigation()->LineFeedOnEnter() && enter == TEnterState::None) {
        if (!FGrid->ValidateCell(Text())) {
            UpdateContents();
            Key = QChar(0);
            return;
        }
    }
    TInplaceEdit::KeyPress(Key);
    if (Key.isNull()) return;
    if (FGrid->Navigation()->AdvanceAuto() && !EditMask().isEmpty() && !Text().contains(' ') &&
        SelStart() == int(Text().size())) {
        QChar enter(13);
        FGrid->EditorKeyPress(enter);
    }
}

// ---- Key release ----------------------------------------------------------------------------------
void TZvInplaceEdit::KeyUp(WORD& Key, TShiftState Shift)
{
    TNavigation* nav = FGrid->Navigation();
    const bool plain = !Shift.Contains(ssShift) && !Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt);
    const bool walkLeft = Key == VK_LEFT && SelLength() == 0 && SelStart() == 0 && FSelKeyDown == 0;
    const bool walkRight = Key == VK_RIGHT && SelLength() == 0 && FSelKeyDown == int(Text().size());
    if (nav->CursorWalkEditor() && plain && (walkLeft || walkRight)) {
        Key = 0;
        if (!FGrid->ValidateCell(Text())) return;
        SetText(FGrid->NewCellText());
        const int col = FGrid->Col();
        const int row = FGrid->Row();
        EndEdit();
        FGrid->AdvanceToNextCell(col, row, true, true, walkRight, false, nav->CursorWalkAlwaysEdit());
        if (nav->CursorWalkAlwaysEdit() && FGrid->AllowEditorShow()) FGrid->ShowInplaceEdit();
        return;
    }
    TInplaceEdit::KeyUp(Key, Shift);
    LookupComplete();
    if (FGrid->SizeWhileTyping()->Width()) FGrid->AutoSizeCol(FGrid->Col());
    if (FGrid->SizeWhileTyping()->Height() && FGrid->WordWrap()) {
        FGrid->AutoSizeRow(FGrid->Row());
        if (FGrid->OnEndRowSize) FGrid->OnEndRowSize(FGrid, FGrid->Row());
    }
}

void TZvInplaceEdit::WMKeyUp(TWMKey& Message)
{
    TInplaceEdit::WMKeyUp(Message);
    const String text = Text();
    const int caret = SelStart();
    if (caret > 0) FGrid->InplaceEditChangeHook(text, caret);
    FGrid->SetFormulaEditing(text.startsWith('='));
}

void TZvInplaceEdit::LookupComplete()
{
    if (!Workmode_ || SelLength() > 0 || !FGrid->Lookup() || FGrid->LookupItems()->Count() == 0) return;
    const bool exact = FGrid->LookupCaseSensitive();
    const String typed = Text().left(SelStart());
    if (typed.isEmpty()) return;
    const String probe = exact ? typed : typed.toUpper();
    TStringList* items = FGrid->LookupItems();
    for (int i = 0; i < items->Count(); ++i) {
        const String item = items->Strings(i);
        if (!(exact ? item : item.toUpper()).startsWith(probe)) continue;
        const String tail = item.mid(typed.size(), 255);
        const QSignalBlocker quiet(nullptr);
        SetText(typed + tail);
        SetSelStart(int(typed.size()));
        SetSelLength(int(tail.size()));
        GotKey = false;
        return;
    }
}

// ---- Clipboard and system keys -----------------------------------------------------------------------
bool TZvInplaceEdit::ClipboardAllowed(bool Cut)
{
    bool allow = true;
    if (Cut && FGrid->OnClipboardCut) FGrid->OnClipboardCut(this, allow);
    if (!Cut && FGrid->OnClipboardCopy) FGrid->OnClipboardCopy(this, allow);
    return allow;
}

bool TZvInplaceEdit::AcceptsText(int Kind, const String& Text, const String& ValidChars)
{
    const int type = NumberTextType(Text);
    const bool integer = type == ntInteger;
    const bool number = integer || type == ntDecimal || type == ntExponent;
    switch (TEditorType(Kind)) {
    case K::edNumeric: return integer;
    case K::edPositiveNumeric: return integer && !Text.contains('-');
    case K::edFloat: return number;
    case K::edPositiveFloat: return number && !Text.contains('-');
    case K::edValidChars:
        for (QChar c : Text)
            if (!ValidChars.contains(c)) return false;
        return true;
    default: return true;
    }
}

void TZvInplaceEdit::Paste()
{
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    bool allow = mime && mime->hasText();
    String pasted = allow ? QGuiApplication::clipboard()->text() : String();
    if (FGrid->OnClipboardPaste) FGrid->OnClipboardPaste(this, allow);
    if (allow && FGrid->OnClipboardBeforePasteCell) FGrid->OnClipboardBeforePasteCell(this, FColE, FRowE, pasted, allow);
    // The paste writes the cell at once, past the line edit's own filter:
    // what no file of the program can hold is dropped here.
    pasted = DropUnstorableChars(pasted);
    if (!allow || (FLengthLimit > 0 && pasted.size() > FLengthLimit)) return;
    const int crlf = int(pasted.indexOf(QStringLiteral("\r\n")));
    if (crlf >= 0 && crlf == pasted.size() - 2) pasted.chop(2);
    const String text = Text();
    const int start = SelStart();
    const int length = SelLength();
    String next = text.left(start) + pasted + text.mid(start + length);
    if (FLengthLimit > 0 && next.size() > FLengthLimit) return;
    switch (TEditorType(Kind())) {
    case K::edCapital:
    case K::edUpperCase: next = next.toUpper(); break;
    case K::edLowerCase: next = next.toLower(); break;
    case K::edMixedCase: next = ToMixedCase(next); break;
    default:
        if (!AcceptsText(Kind(), next, FGrid->ValidChars())) return;
        break;
    }
    SetText(next);
    SetModified(true);
    FGrid->WriteCurrentCellText(next);
    if (length > 0) {
        SetSelStart(start);
        SetSelLength(int(pasted.size()));
    } else {
        SetSelStart(start + int(pasted.size()));
    }
    if (FGrid->OnClipboardAfterPasteCell) FGrid->OnClipboardAfterPasteCell(this, FColE, FRowE, Text());
}

void TZvInplaceEdit::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_PASTE: Paste(); return;
    case WM_COPY:
    case WM_CUT:
        if (!ClipboardAllowed(Message.Msg == WM_CUT)) return;
        break;
    case WM_SYSKEYDOWN:
        if (Message.WParam == VK_BACK) FAltBack = true;
        break;
    case WM_SYSKEYUP:
        if (Message.WParam == VK_BACK) FAltBack = false;
        break;
    default: break;
    }
    TInplaceEdit::WndProc(Message);
}

void TZvInplaceEdit::DblClick()
{
    TInplaceEdit::DblClick();
    if (FGrid->OnDblClickCell) FGrid->OnDblClickCell(FGrid, FGrid->Row(), FGrid->Col());
}

// ---- Focus ------------------------------------------------------------------------------------------
void TZvInplaceEdit::WMSetFocus(TWMSetFocus& Message)
{
    TInplaceEdit::WMSetFocus(Message);
    FGotFocus = true;
    FGrid->SetEditChangeMuted(false);
    SetLengthLimit(FGrid->EditLengthLimit());
    if (!EditMask().isEmpty() && FGrid->Navigation()->ImproveMaskSel() && !FGrid->ClickPending()) {
        SetSelStart(0);
        SetSelLength(1);
        return;
    }
    if (!FGrid->Navigation()->EditSelectAll()) SetSelStart(int(Text().size()));
}

void TZvInplaceEdit::WMKillFocus(TWMKillFocus& Message)
{
    FGrid->ClearStartEditChar();
    if (FGrid->LookupHistory() && !Text().isEmpty() && FGrid->LookupItems()->IndexOf(Text()) < 0)
        FGrid->LookupItems()->Add(Text());
    FGrid->SetFormulaEditing(false);
    TInplaceEdit::WMKillFocus(Message);
    if (FAltBack) return;
    const bool toOther = Message.FocusedWnd != WPARAM(FGrid->Handle());
    if (toOther && Visible()) {
        FGrid->ValidateCell(Text());
        FGrid->SetEditChangeMuted(true);
        SetText(FGrid->CurrentCell());
        FGrid->SetEditChangeMuted(false);
        EndEdit();
    }
    FGrid->InplaceEditChangeHook(Text(), -1);
    if (FGotFocus) {
        FGotFocus = false;
        FGrid->PostEditDone(FGrid->EditorRealCol(FColE), FRowE);
    }
}

void TZvInplaceEdit::Change()
{
    TInplaceEdit::Change();
    if (FGrid->EditChangeMuted()) return;
    if (FGrid->OnEditChange) FGrid->OnEditChange(FGrid, FGrid->Col(), FGrid->Row(), Text());
}

// ---- The cell editor ------------------------------------------------------------------------------
// The grid opens this editor through the platform grid's steps (ShowEditor,
// UpdateContents, Move); beginning it directly places and loads it the same way.
void TZvInplaceEdit::BeginCellEdit(TZvStringGrid*, const TZvCellEditStart& Start)
{
    Move(Start.Cell);
    SetText(Start.Text);
    FocusWithStartChar(this, Start.StartChar);
}

void RegisterTextCellEditor(TZvCellEditorRegistry& Registry)
{
    TZvCellEditorEntry entry{QStringLiteral("Text"), {}, [](TZvStringGrid* Grid) -> TZvCellEditor* {
                                 return new TZvInplaceEdit(Grid);
                             }};
    for (int k = 0; k <= int(TEditorType::edMaskEditBtn); ++k)
        if (IsTextEditorKind(TEditorType(k))) entry.Kinds.push_back(TEditorType(k));
    entry.MadeOnFirstUse = true;
    Registry.Register(std::move(entry));
}

TZvInplaceEdit* TZvStringGrid::NormalEdit() const
{
    return dynamic_cast<TZvInplaceEdit*>(InplaceEditor());
}
