// The rich edit over a Qt text edit.
#include "platform/RichEdit.h"

#include "platform/RichText.h"
#include "platform/TextCodec.h"

#include <QAbstractTextDocumentLayout>
#include <QIODevice>
#include <QPalette>
#include <QSignalBlocker>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include <cmath>

TRichEdit::TRichEdit(TComponent* AOwner)
    : TWinControl(AOwner), FDocument(std::make_unique<QTextDocument>()), FLink(std::make_unique<QObject>())
{
    SetBounds(0, 0, 185, 89);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
    FDocument->setDocumentMargin(0);
    QObject::connect(FDocument->documentLayout(), &QAbstractTextDocumentLayout::documentSizeChanged, FLink.get(),
                     [this](const QSizeF& size) {
                         RunGuarded(this, [&] {
                             RequestSize(Rect(0, 0, int(std::ceil(size.width())), int(std::ceil(size.height()))));
                         });
                     });
    QObject::connect(FDocument.get(), &QTextDocument::contentsChanged, FLink.get(),
                     [this] { RunGuarded(this, [&] { Change(); }); });
}

TRichEdit::~TRichEdit()
{
    FLink.reset();
    // The widget outlives this class's members: it must not be left on a document that is gone.
    if (FEdit) FEdit->setDocument(new QTextDocument(FEdit));
}

QWidget* TRichEdit::CreateWidget(QWidget* parentWidget)
{
    auto* edit = new QTextEdit(parentWidget);
    FEdit = edit;
    edit->setDocument(FDocument.get());
    edit->setAcceptRichText(true);
    QObject::connect(edit, &QTextEdit::selectionChanged, FLink.get(),
                     [this] { RunGuarded(this, [&] { SelectionChange(); }); });
    QObject::connect(edit, &QTextEdit::cursorPositionChanged, FLink.get(),
                     [this] { RunGuarded(this, [&] { SelectionChange(); }); });
    return edit;
}

void TRichEdit::CreateWnd()
{
    TWinControl::CreateWnd();
    ShowState();
}

void TRichEdit::ShowState()
{
    FDocument->setDocumentMargin(FMargin);
    if (!FEdit) return;
    FEdit->setReadOnly(FReadOnly);
    FEdit->setLineWrapMode(FWordWrap ? QTextEdit::WidgetWidth : QTextEdit::NoWrap);
    FEdit->setFrameShape(FBorderStyle == TBorderStyle::bsNone ? QFrame::NoFrame : QFrame::StyledPanel);
    FEdit->setAttribute(Qt::WA_TransparentForMouseEvents, FClickThrough);
    ApplyWidgetPalette();
}

void TRichEdit::ApplyWidgetPalette()
{
    TWinControl::ApplyWidgetPalette();
    if (!FEdit) return;
    QPalette pal = FEdit->palette();
    pal.setColor(QPalette::Base, ToQColor(Color()));
    if (!FHideSelection) {
        pal.setColor(QPalette::Inactive, QPalette::Highlight, pal.color(QPalette::Active, QPalette::Highlight));
        pal.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     pal.color(QPalette::Active, QPalette::HighlightedText));
    }
    FEdit->setPalette(pal);
}

void TRichEdit::WMGetDlgCode(TWMGetDlgCode& Message)
{
    // A multi-line edit keeps the arrows, Enter and the characters.
    Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTALLKEYS | DLGC_HASSETSEL;
}

// ---- Content -----------------------------------------------------------------------------------
void TRichEdit::LoadFromStream(QIODevice& Stream)
{
    const QByteArray bytes = Stream.readAll();
    if (FPlainText) {
        FDocument->setPlainText(DecodeText(bytes));
        return;
    }
    LoadRtfIntoDocument(QString::fromLatin1(bytes), *FDocument);
}

void TRichEdit::SaveToStream(QIODevice& Stream, bool Unicode) const
{
    if (!FPlainText) {
        Stream.write(DocumentToRtf(*FDocument).toLatin1());
        return;
    }
    const String text = PlainTextContent();
    if (Unicode) Stream.write(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    else Stream.write(EncodeWindows1252(text));
}

String TRichEdit::PlainTextContent() const { return FDocument->toPlainText(); }

void TRichEdit::SetTextValue(const String& value)
{
    if (value == PlainTextContent()) return;
    FDocument->setPlainText(value);
}

void TRichEdit::Clear() { FDocument->clear(); }

void TRichEdit::Change()
{
    if (OnChange) OnChange(this);
}

void TRichEdit::SelectionChange()
{
    if (OnSelectionChange) OnSelectionChange(this);
}

void TRichEdit::RequestSize(const TRect& Rect)
{
    if (OnResizeRequest) OnResizeRequest(this, Rect);
}

// ---- Selection ---------------------------------------------------------------------------------
int TRichEdit::SelStart() const
{
    return FEdit ? FEdit->textCursor().selectionStart() : 0;
}

void TRichEdit::SetSelStart(int value)
{
    HandleNeeded();
    if (!FEdit) return;
    QTextCursor c = FEdit->textCursor();
    c.setPosition(std::clamp(value, 0, FDocument->characterCount() - 1));
    FEdit->setTextCursor(c);
}

int TRichEdit::SelLength() const
{
    if (!FEdit) return 0;
    const QTextCursor c = FEdit->textCursor();
    return c.selectionEnd() - c.selectionStart();
}

void TRichEdit::SetSelLength(int value)
{
    HandleNeeded();
    if (!FEdit) return;
    QTextCursor c = FEdit->textCursor();
    const int start = c.selectionStart();
    c.setPosition(start);
    c.setPosition(std::clamp(start + value, 0, FDocument->characterCount() - 1), QTextCursor::KeepAnchor);
    FEdit->setTextCursor(c);
}

String TRichEdit::SelText() const
{
    return FEdit ? FEdit->textCursor().selectedText().replace(QChar::ParagraphSeparator, u'\n') : String();
}

void TRichEdit::SelectAll()
{
    HandleNeeded();
    if (FEdit) FEdit->selectAll();
}

QTextCharFormat TRichEdit::SelFormat() const
{
    if (!FEdit) return QTextCursor(FDocument.get()).charFormat();
    const QTextCursor c = FEdit->textCursor();
    if (!c.hasSelection()) return c.charFormat();
    // The format of the selection's first character.
    QTextCursor first(FDocument.get());
    first.setPosition(c.selectionStart() + 1);
    return first.charFormat();
}

void TRichEdit::MergeSelFormat(const QTextCharFormat& Format)
{
    HandleNeeded();
    if (!FEdit) return;
    QTextCursor c = FEdit->textCursor();
    c.mergeCharFormat(Format);
    FEdit->mergeCurrentCharFormat(Format);
}

// ---- Look --------------------------------------------------------------------------------------
void TRichEdit::SetReadOnly(bool value)
{
    FReadOnly = value;
    ShowState();
}

void TRichEdit::SetWordWrap(bool value)
{
    FWordWrap = value;
    ShowState();
}

void TRichEdit::SetBorderStyle(TBorderStyle value)
{
    FBorderStyle = value;
    ShowState();
}

void TRichEdit::SetHideSelection(bool value)
{
    FHideSelection = value;
    ShowState();
}

void TRichEdit::SetFormatRect(const TRect& Rect)
{
    FMargin = std::max(0, Rect.Left);
    ShowState();
}

void TRichEdit::SetClickThrough(bool value)
{
    FClickThrough = value;
    ShowState();
}
