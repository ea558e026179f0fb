// The memo over a Qt plain-text edit.
#include "platform/Memo.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextCursor>

#include <algorithm>

TMemo::TMemo(TComponent* AOwner) : TWinControl(AOwner), FLink(std::make_unique<QObject>())
{
    SetBounds(0, 0, 185, 89);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
}

TMemo::~TMemo() { FLink.reset(); }

QWidget* TMemo::CreateWidget(QWidget* parentWidget)
{
    auto* edit = new QPlainTextEdit(parentWidget);
    FEdit = edit;
    QObject::connect(edit, &QPlainTextEdit::textChanged, FLink.get(),
                     [this] { RunGuarded(this, [&] { UserEdited(); }); });
    return edit;
}

void TMemo::CreateWnd()
{
    TWinControl::CreateWnd();
    if (!FEdit) return;
    const QSignalBlocker block(FEdit.data());
    FEdit->setPlainText(TWinControl::GetText());
    ShowState();
}

void TMemo::ShowState()
{
    if (!FEdit) return;
    FEdit->setReadOnly(FReadOnly);
    const bool horz = FScrollBars == TScrollStyle::ssHorizontal || FScrollBars == TScrollStyle::ssBoth;
    const bool vert = FScrollBars == TScrollStyle::ssVertical || FScrollBars == TScrollStyle::ssBoth;
    FEdit->setHorizontalScrollBarPolicy(horz ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    FEdit->setVerticalScrollBarPolicy(vert ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    // A horizontal scroll bar means long lines stay whole.
    FEdit->setLineWrapMode(FWordWrap && !horz ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    FEdit->setFrameShape(FBorderStyle == TBorderStyle::bsNone ? QFrame::NoFrame : QFrame::StyledPanel);
}

String TMemo::GetText() const { return FEdit ? FEdit->toPlainText() : TWinControl::GetText(); }

void TMemo::SetTextValue(const String& value)
{
    if (value == GetText()) return;
    TWinControl::SetTextValue(value);
    if (FEdit) {
        const QSignalBlocker block(FEdit.data());
        FEdit->setPlainText(value);
    }
    Change();
}

void TMemo::UserEdited()
{
    String text = FEdit->toPlainText();
    if (FMaxLength > 0 && text.size() > FMaxLength) {
        // What goes beyond the limit is refused where it was typed: the caret's side.
        QTextCursor cursor = FEdit->textCursor();
        const int over = int(text.size()) - FMaxLength;
        const int at = std::max(0, cursor.position() - over);
        text.remove(at, over);
        const QSignalBlocker block(FEdit.data());
        FEdit->setPlainText(text);
        cursor = FEdit->textCursor();
        cursor.setPosition(at);
        FEdit->setTextCursor(cursor);
    }
    if (text == TWinControl::GetText()) return;
    TWinControl::SetTextValue(text);
    Change();
}

void TMemo::Change()
{
    if (OnChange) OnChange(this);
}

int TMemo::LineCount() const
{
    const String text = GetText();
    return text.isEmpty() ? 0 : int(text.count(u'\n')) + 1;
}

void TMemo::SetReadOnly(bool value)
{
    FReadOnly = value;
    ShowState();
}

void TMemo::SetMaxLength(int value) { FMaxLength = std::max(0, value); }

void TMemo::SetScrollBars(TScrollStyle value)
{
    FScrollBars = value;
    ShowState();
}

void TMemo::SetWordWrap(bool value)
{
    FWordWrap = value;
    ShowState();
}

void TMemo::SetBorderStyle(TBorderStyle value)
{
    FBorderStyle = value;
    ShowState();
}

void TMemo::SelectAll()
{
    if (FEdit) FEdit->selectAll();
}

int TMemo::SelStart() const
{
    return FEdit ? FEdit->textCursor().selectionStart() : 0;
}

int TMemo::SelLength() const
{
    if (!FEdit) return 0;
    const QTextCursor c = FEdit->textCursor();
    return c.selectionEnd() - c.selectionStart();
}
