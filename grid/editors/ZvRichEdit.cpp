#include "grid/editors/ZvRichEdit.h"

#include "grid/ZvGrid.h"
#include "grid/ZvGridOptions.h"
#include "grid/ZvGridSettings.h"
#include "grid/editors/ZvCellEditorRegistry.h"
#include "platform/RichText.h"

#include <QBuffer>
#include <QTextDocument>
#include <QWidget>

TZvRichEdit::TZvRichEdit(TComponent* AOwner) : TRichEdit(AOwner), FGrid(TZvCellEditor::OwningGrid(AOwner)) {}

// The widget keeps no state beyond what the control holds; it only has to exist.
void TZvRichEdit::ReCreate() { HandleNeeded(); }

void TZvRichEdit::SetSelOffset(int Twips)
{
    QTextCharFormat f;
    f.setProperty(RichTextOffsetProperty, Twips);
    f.setVerticalAlignment(Twips > 0   ? QTextCharFormat::AlignSuperScript
                           : Twips < 0 ? QTextCharFormat::AlignSubScript
                                       : QTextCharFormat::AlignNormal);
    MergeSelFormat(f);
}

int TZvRichEdit::SelOffset() const { return SelFormat().intProperty(RichTextOffsetProperty); }

// ---- Keys and focus --------------------------------------------------------------------------
void TZvRichEdit::WMGetDlgCode(TWMGetDlgCode& Message)
{
    TRichEdit::WMGetDlgCode(Message);
    Message.Result |= DLGC_WANTTAB;
}

void TZvRichEdit::KeyDown(WORD& Key, TShiftState Shift)
{
    TRichEdit::KeyDown(Key, Shift);
    if (FConverter) return;
    if (Key == VK_TAB && FGrid->Options().Contains(goTabs)) {
        // The grid moves to the next cell and opens that cell's editor.
        Key = 0;
        FGrid->DoneInplaceEdit(VK_TAB, Shift);
        FGrid->ShowInplaceEdit();
        return;
    }
    if ((Key == VK_UP || Key == VK_DOWN) && !FGrid->WordWrap() && !FGrid->Multilinecells()) {
        const WORD key = Key;
        Key = 0;
        FGrid->DoneInplaceEdit(key, Shift);
    }
}

void TZvRichEdit::WMKillFocus(TWMKillFocus& Message)
{
    // The grid moving the focus itself ends nothing.
    if (!FConverter && FGrid->InvokedFocusChange()) return;
    if (!FConverter && FGrid->HandleAllocated() && Message.FocusedWnd == WPARAM(static_cast<QWidget*>(FGrid->Handle())))
        FGrid->HideInplaceEdit();
    TRichEdit::WMKillFocus(Message);
    if (!FConverter) FGrid->SpecialEditorFocusLost(this);
}

// ---- Resize requests ---------------------------------------------------------------------------
void TZvRichEdit::RequestSize(const TRect& Rect)
{
    if (FConverter) {
        FReqWidth = Rect.Width();
        FReqHeight = Rect.Height();
    } else if (FGrid->SizeWhileTyping()->Height() && !FLocked && Visible()) {
        const int h = Rect.Height();
        const int row = FGrid->Row();
        const TRect cell = FGrid->CellRect(FGrid->Col(), row);
        if (FGrid->RowHeights(row) < h + 5 && cell.Top + h + 5 < FGrid->Height()) {
            SetHeight(h + 9);
            FGrid->SetRowHeights(row, h + 10);
            if (FGrid->OnEndRowSize) FGrid->OnEndRowSize(FGrid, row);
        }
    }
    // Before the editor has a window its content has no size worth telling.
    if (FConverter || HandleAllocated()) TRichEdit::RequestSize(Rect);
}

// ---- The cell editor ---------------------------------------------------------------------------
void TZvRichEdit::BeginCellEdit(TZvStringGrid* Grid, const TZvCellEditStart& Start)
{
    ReCreate();
    SetBorderStyle(TBorderStyle::bsNone);
    SetHideSelection(false);
    PlaceOverCell(this, Start.Cell);
    Grid->FireGetEditorProp(Start.RealCol, Start.Row, Grid->EditLink());
    LockResize();
    Grid->CellToRich(Start.RealCol, Start.Row, this);
    if (Grid->Navigation()->EditSelectAll()) SelectAll();
    else SetSelStart(int(PlainTextContent().size()));
    SetVisible(true);
    SetEnabled(true);
    SetFormatRect(Rect(2, 2, Start.Cell.Width() - 2, Start.Cell.Height() - 2));
    SetColor(Start.Color);
    FocusWithStartChar(this, Start.StartChar);
    UnlockResize();
}

String TZvRichEdit::EditorText() { return FGrid->RichToString(this); }

void TZvRichEdit::EndCellEdit() { DisableAndHide(this); }

TZvRichEdit* TZvRichEdit::ConverterOf(TZvStringGrid* Grid)
{
    // Found among the grid's own components: the grid keeps no field for it.
    for (int i = 0; i < Grid->ComponentCount(); ++i)
        if (auto* r = dynamic_cast<TZvRichEdit*>(Grid->Components(i)); r && r->FConverter) return r;
    auto* r = new TZvRichEdit(Grid);
    r->FConverter = true;
    r->SetVisible(false);
    r->SetBorderStyle(TBorderStyle::bsNone);
    r->SetClickThrough(true);
    r->SetBounds(0, 0, 0, 0);
    r->SetParent(Grid);
    return r;
}

void RegisterRichEditCellEditor(TZvCellEditorRegistry& Registry)
{
    Registry.Register({QStringLiteral("RichEdit"), {TEditorType::edRichEdit}, [](TZvStringGrid* Grid) -> TZvCellEditor* {
                           auto* edit = new TZvRichEdit(Grid);
                           edit->SetVisible(false);
                           edit->SetParent(Grid);
                           edit->OnSelectionChange = [Grid](TObject* Sender) { Grid->RichEditSelectionChanged(Sender); };
                           return edit;
                       }});
}

// ---- The grid's rich-text members --------------------------------------------------------------
void TZvStringGrid::CellToRich(int ACol, int ARow, TRichEdit* Richeditor)
{
    if (!Richeditor) return;
    const String text = GetCellEx(ACol, ARow);
    if (text.isEmpty()) {
        Richeditor->Clear();
        return;
    }
    // One byte per character: what lies above the 8-bit range keeps only its low byte.
    QByteArray bytes(text.size(), '\0');
    for (qsizetype i = 0; i < text.size(); ++i) bytes[i] = char(text[i].unicode() & 0xFF);
    QBuffer stream(&bytes);
    stream.open(QIODevice::ReadOnly);
    Richeditor->LoadFromStream(stream);
}

String TZvStringGrid::RichToString(TRichEdit* Richeditor)
{
    if (!Richeditor || GridDestroying()) return String();
    QByteArray bytes;
    QBuffer stream(&bytes);
    stream.open(QIODevice::WriteOnly);
    Richeditor->SaveToStream(stream, true);
    return QString::fromLatin1(bytes);
}

void TZvStringGrid::RichToCell(int ACol, int ARow, TRichEdit* Richeditor) { SetCellEx(ACol, ARow, RichToString(Richeditor)); }

TRichEdit* TZvStringGrid::RichEdit() { return TZvRichEdit::ConverterOf(this); }

TZvRichEdit* TZvStringGrid::InplaceRichEdit()
{
    return dynamic_cast<TZvRichEdit*>(CellEditor(TEditorType::edRichEdit));
}
