// The edit control over a Qt line edit.

#include "platform/StdCtrls.h"
#include "platform/StdCtrlsPrivate.h"

#include <QFocusEvent>
#include <QLineEdit>
#include <QSignalBlocker>

#include <algorithm>

using namespace StdCtrlsPrivate;

// ---- Edit --------------------------------------------------------------------------

namespace {

// Lets the edit judge what the user types before the line edit takes it.
class EditValidator : public StorableTextValidator {
public:
    EditValidator(TEdit* owner, QLineEdit* edit) : StorableTextValidator(edit), FOwner(owner) {}
    // The line edit asks with its new text already in place, so the old one
    // comes from the control, which takes the text over only after this.
    State validate(QString& input, int& pos) const override
    {
        StorableTextValidator::validate(input, pos);
        String proposed = input;
        if (!FOwner->AcceptTyped(proposed)) return Invalid;
        input = proposed;
        return Acceptable;
    }

private:
    TEdit* FOwner;
};

int CountNonDigits(const String& text)
{
    int n = 0;
    for (QChar c : text)
        if (!c.isDigit()) ++n;
    return n;
}

} // namespace

TEdit::TEdit(TComponent* AOwner) : TWinControl(AOwner), FLink(std::make_unique<QObject>())
{
    FControlStyle = TControlStyle{csClickEvents, csSetCaption, csDoubleClicks, csFixedHeight};
    SetBounds(0, 0, 121, 21);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
}

TEdit::~TEdit() { FLink.reset(); }

QWidget* TEdit::CreateWidget(QWidget* parentWidget)
{
    auto* edit = new QLineEdit(parentWidget);
    FEdit = edit;
    edit->setValidator(new EditValidator(this, edit));
    QObject::connect(edit, &QLineEdit::textEdited, FLink.get(),
                     [this](const QString& text) { RunGuarded(this, [&] { UserEdited(text); }); });
    return edit;
}

void TEdit::CreateWnd()
{
    TWinControl::CreateWnd();
    if (!FEdit) return;
    const QSignalBlocker block(FEdit);
    FEdit->setText(TWinControl::GetText());
    FEdit->setReadOnly(FReadOnly);
    FEdit->setEchoMode(FPasswordChar.isNull() ? QLineEdit::Normal : QLineEdit::Password);
    FEdit->setCursorPosition(FSelStart);
    if (FSelLength > 0) FEdit->setSelection(FSelStart, FSelLength);
    SetAlignment(FAlignment);
    SetTextMargins(FTextMargins);
}

void TEdit::SetAlignment(TAlignment value)
{
    FAlignment = value;
    if (!FEdit) return;
    Qt::Alignment a = Qt::AlignLeft;
    if (value == TAlignment::taRightJustify) a = Qt::AlignRight;
    else if (value == TAlignment::taCenter) a = Qt::AlignHCenter;
    FEdit->setAlignment(a | Qt::AlignVCenter);
}

void TEdit::SetTextMargins(const TRect& value)
{
    FTextMargins = value;
    if (FEdit) FEdit->setTextMargins(value.Left, value.Top, value.Right, value.Bottom);
}

void TEdit::DefaultHandler(TMessage& Message)
{
    UINT clip = 0;
    if (Message.Msg == WM_CHAR) {
        switch (Message.WParam) {
        case 0x03: clip = WM_COPY; break;
        case 0x16: clip = WM_PASTE; break;
        case 0x18: clip = WM_CUT; break;
        default: break;
        }
    } else if (Message.Msg == WM_KEYDOWN && (Message.WParam == VK_INSERT || Message.WParam == VK_DELETE)) {
        const bool shift = GetKeyState(VK_SHIFT) < 0;
        const bool ctrl = GetKeyState(VK_CONTROL) < 0;
        if (Message.WParam == VK_INSERT && shift && !ctrl) clip = WM_PASTE;
        else if (Message.WParam == VK_INSERT && ctrl && !shift) clip = WM_COPY;
        else if (Message.WParam == VK_DELETE && shift && !ctrl) clip = WM_CUT;
    }
    if (clip) {
        Perform(clip, 0, 0);
        return;
    }
    if (Message.Msg == EM_CHARFROMPOS) {
        const TPoint at{GetXParam(Message.LParam), GetYParam(Message.LParam)};
        Message.Result = FEdit ? LRESULT(FEdit->cursorPositionAt(QPoint(at.X, at.Y)) & 0xFFFF) : LRESULT(-1);
        return;
    }
    if (Message.Msg == WM_COPY || Message.Msg == WM_CUT || Message.Msg == WM_PASTE) {
        if (!FEdit) return;
        if (Message.Msg == WM_COPY) FEdit->copy();
        else if (FReadOnly) return;
        else if (Message.Msg == WM_CUT) FEdit->cut();
        else FEdit->paste();
        // The line edit may have reported the change itself already.
        if (FEdit->text() != TWinControl::GetText()) UserEdited(FEdit->text());
        return;
    }
    TWinControl::DefaultHandler(Message);
}

// Qt gives the focus before it delivers the press that caused it, so the
// press is known here only by the focus event's reason.
bool TEdit::FocusedByClick() const
{
    if (ControlState().Contains(csLButtonDown)) return true;
    const QEvent* event = CurrentQtEvent();
    return event && event->type() == QEvent::FocusIn &&
           static_cast<const QFocusEvent*>(event)->reason() == Qt::MouseFocusReason;
}

void TEdit::CMEnter(TMessage& Message)
{
    if (FAutoSelect && !FocusedByClick()) SelectAll();
    TWinControl::CMEnter(Message);
}

String TEdit::Cased(const String& text) const
{
    switch (FCharCase) {
    case TEditCharCase::ecUpperCase: return text.toUpper();
    case TEditCharCase::ecLowerCase: return text.toLower();
    default: return text;
    }
}

bool TEdit::AcceptInput(String& proposed, const String& previous) const
{
    proposed = Cased(proposed);
    if (FMaxLength > 0 && proposed.size() > FMaxLength && proposed.size() > previous.size()) return false;
    if (FNumbersOnly && CountNonDigits(proposed) > CountNonDigits(previous)) return false;
    return true;
}

String TEdit::GetText() const { return FEdit ? FEdit->text() : TWinControl::GetText(); }

void TEdit::SetTextValue(const String& value)
{
    const String text = Cased(value);
    if (text == GetText()) return;
    TWinControl::SetTextValue(text);
    if (FEdit) {
        const QSignalBlocker block(FEdit);
        FEdit->setText(text);
        FEdit->setCursorPosition(0);
    }
    FSelStart = 0;
    FSelLength = 0;
    FModified = false;
    Change();
}

void TEdit::UserEdited(const String& text)
{
    FModified = true;
    TWinControl::SetTextValue(text);
    Change();
}

void TEdit::Change()
{
    if (OnChange) OnChange(this);
}

void TEdit::SetMaxLength(int value) { FMaxLength = std::max(0, value); }

void TEdit::SetReadOnly(bool value)
{
    FReadOnly = value;
    if (FEdit) FEdit->setReadOnly(value);
}

void TEdit::SetCharCase(TEditCharCase value)
{
    if (value == FCharCase) return;
    FCharCase = value;
    // The text already there takes the new case, as the platform's edit does.
    const String cased = Cased(GetText());
    if (cased != GetText()) SetText(cased);
}

void TEdit::SetPasswordChar(QChar value)
{
    FPasswordChar = value;
    if (FEdit) FEdit->setEchoMode(value.isNull() ? QLineEdit::Normal : QLineEdit::Password);
}

void TEdit::SetNumbersOnly(bool value) { FNumbersOnly = value; }

int TEdit::SelStart() const
{
    if (!FEdit) return FSelStart;
    return FEdit->hasSelectedText() ? FEdit->selectionStart() : FEdit->cursorPosition();
}

void TEdit::SetSelStart(int value)
{
    const int clamped = std::clamp(value, 0, int(GetText().size()));
    FSelStart = clamped;
    FSelLength = 0;
    if (FEdit) FEdit->setCursorPosition(clamped);
}

int TEdit::SelLength() const
{
    if (!FEdit) return FSelLength;
    return int(FEdit->selectedText().size());
}

void TEdit::SetSelLength(int value)
{
    const int start = SelStart();
    const int length = std::clamp(value, 0, int(GetText().size()) - start);
    FSelStart = start;
    FSelLength = length;
    if (FEdit) {
        if (length > 0) FEdit->setSelection(start, length);
        else FEdit->setCursorPosition(start);
    }
}

String TEdit::SelText() const { return GetText().mid(SelStart(), SelLength()); }

void TEdit::SelectAll()
{
    FSelStart = 0;
    FSelLength = int(GetText().size());
    if (FEdit) FEdit->selectAll();
}

// ---- Edit colours

void TEdit::ApplyWidgetFont()
{
    TWinControl::ApplyWidgetFont();
    ApplyColors(this, ColorRole::Input);
}

void TEdit::ApplyWidgetPalette()
{
    TWinControl::ApplyWidgetPalette();
    ApplyColors(this, ColorRole::Input);
}
