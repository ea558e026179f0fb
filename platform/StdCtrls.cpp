#include "platform/StdCtrls.h"

#include "platform/DrawText.h"
#include "platform/Forms.h"
#include "platform/FrameControls.h"
#include "platform/TextCodec.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QTimer>
#include <QValidator>
#include <QApplication>

#include <atomic>
#include <utility>

// ---- Accelerators -------------------------------------------------------------

TAccelText StripAccelChar(const String& caption)
{
    TAccelText result;
    result.Text.reserve(caption.size());
    for (int i = 0; i < caption.size(); ++i) {
        const QChar c = caption[i];
        if (c == u'&' && i + 1 < caption.size()) {
            ++i;
            if (caption[i] != u'&' && result.AccelIndex < 0) {
                result.AccelIndex = int(result.Text.size());
                result.Accel = caption[i];
            }
            result.Text += caption[i];
            continue;
        }
        result.Text += c;
    }
    return result;
}

bool IsAccel(QChar key, const String& caption)
{
    const TAccelText a = StripAccelChar(caption);
    return a.AccelIndex >= 0 && a.Accel.toUpper() == key.toUpper();
}

// ---- Text blocks ------------------------------------------------------------------

// Laid out by the same code as DrawText, so a caption measures as it is drawn
// everywhere else; an empty caption measures as one blank.
TTextBlock::TTextBlock(const String& caption, const TFont& font, int wrapWidth, bool showAccelChar,
                       unsigned ellipsis, int ellipsisWidth)
{
    unsigned format = (showAccelChar ? 0u : DT_NOPREFIX) | (wrapWidth > 0 ? DT_WORDBREAK : 0u);
    int width = std::max(0, wrapWidth);
    if (ellipsis && wrapWidth <= 0) {
        format |= ellipsis;
        width = std::max(0, ellipsisWidth);
    }
    const TDrawTextLayout layout(font.ToQFont(), caption.isEmpty() ? QStringLiteral(" ") : caption, format, width);
    for (const TTextLine& line : layout.Lines()) FLines.push_back(LineInfo{line.Text, line.Width, line.Accel});
    FLineHeight = layout.LineHeight();
    FAscent = layout.Ascent();
    FSize = {layout.Width(), layout.Height()};
}

int TTextBlock::LineLeft(int index, const TRect& r, TAlignment alignment) const
{
    const int width = FLines.at(std::size_t(index)).width;
    switch (alignment) {
    case TAlignment::taRightJustify: return r.Right - width;
    case TAlignment::taCenter: return r.Left + (r.Width() - width) / 2;
    default: return r.Left;
    }
}

void TTextBlock::Draw(TCanvas& canvas, const TRect& r, TAlignment alignment, bool enabled) const
{
    const TBrushStyle brushStyle = canvas.Brush()->Style();
    const TColor brushColor = canvas.Brush()->Color();
    const TColor fontColor = canvas.Font()->Color();
    const QFontMetrics fm(canvas.Font()->ToQFont());
    auto drawPass = [&](int dx, int dy, TColor color) {
        canvas.Font()->SetColor(color);
        for (int i = 0; i < LineCount(); ++i) {
            const LineInfo& line = FLines[std::size_t(i)];
            const int x = LineLeft(i, r, alignment) + dx;
            const int y = r.Top + i * FLineHeight + dy;
            canvas.Brush()->SetStyle(TBrushStyle::bsClear);
            canvas.TextOut(x, y, line.text);
            if (line.accel >= 0 && color != clNone) {
                const int ux = x + fm.horizontalAdvance(line.text.left(line.accel));
                const int uw = fm.horizontalAdvance(line.text.mid(line.accel, 1));
                canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
                canvas.Brush()->SetColor(color);
                canvas.FillRect(TRect{ux, y + FAscent + 1, ux + uw, y + FAscent + 2});
            }
        }
    };
    if (enabled) {
        drawPass(0, 0, fontColor);
    } else {
        // Disabled text is etched: a highlight one pixel down and right, the shadow over it.
        drawPass(1, 1, clBtnHighlight);
        drawPass(0, 0, clBtnShadow);
    }
    canvas.Font()->SetColor(fontColor);
    canvas.Brush()->SetStyle(brushStyle);
    canvas.Brush()->SetColor(brushColor);
}

// ---- Colours of the Qt widgets ---------------------------------------------------------

namespace {

enum class ColorRole { Input, Caption, Button };

// An input field shows the control's colour behind the font's colour; a
// caption (check box, radio button) only takes the font's colour and lets
// its parent show through; a push button keeps its face.
void ApplyColors(TWinControl* control, ColorRole role)
{
    if (!control->HandleAllocated()) return;
    QWidget* widget = control->Handle();
    QPalette palette = widget->palette();
    const QColor text = ToQColor(control->Font()->Color());
    switch (role) {
    case ColorRole::Input:
        palette.setColor(QPalette::Base, ToQColor(control->Color()));
        palette.setColor(QPalette::Text, text);
        break;
    case ColorRole::Caption: palette.setColor(QPalette::WindowText, text); break;
    case ColorRole::Button: palette.setColor(QPalette::ButtonText, text); break;
    }
    widget->setPalette(palette);
}

} // namespace

// ---- Label ------------------------------------------------------------------------

TLabel::TLabel(TComponent* AOwner) : TGraphicControl(AOwner)
{
    SetBounds(0, 0, 65, 17);
}

void TLabel::SetAutoSize(bool value)
{
    if (value == FAutoSize) return;
    FAutoSize = value;
    AdjustBounds();
}

void TLabel::SetAlignment(TAlignment value)
{
    if (value == FAlignment) return;
    FAlignment = value;
    Invalidate();
}

void TLabel::SetLayout(TTextLayout value)
{
    if (value == FLayout) return;
    FLayout = value;
    Invalidate();
}

void TLabel::SetWordWrap(bool value)
{
    if (value == FWordWrap) return;
    FWordWrap = value;
    AdjustBounds();
    Invalidate();
}

void TLabel::SetTransparent(bool value)
{
    if (value == FTransparent) return;
    FTransparent = value;
    Invalidate();
}

void TLabel::SetEllipsisPosition(TEllipsisPosition value)
{
    if (value == FEllipsisPosition) return;
    FEllipsisPosition = value;
    Invalidate();
}

void TLabel::SetShowAccelChar(bool value)
{
    if (value == FShowAccelChar) return;
    FShowAccelChar = value;
    AdjustBounds();
    Invalidate();
}

TSize TLabel::TextSize() const
{
    const TTextBlock block(Caption(), *Font(), FWordWrap ? Width() : 0, FShowAccelChar);
    return block.Size();
}

void TLabel::AdjustBounds()
{
    if (!FAutoSize) return;
    const TSize size = TextSize();
    const int width = FWordWrap ? Width() : size.cx;
    int left = Left();
    // A right-aligned label keeps its right edge where it was.
    if (FAlignment == TAlignment::taRightJustify && !FWordWrap) left += Width() - width;
    SetBounds(left, Top(), width, size.cy);
}

void TLabel::Paint()
{
    TCanvas& c = *Canvas();
    c.SetFont(Font());
    if (!FTransparent) {
        c.Brush()->SetStyle(TBrushStyle::bsSolid);
        c.Brush()->SetColor(Color());
        c.FillRect(ClientRect());
    }
    // An AutoSize label is always as wide as its caption: nothing to cut.
    unsigned ellipsis = 0;
    if (!FAutoSize) {
        switch (FEllipsisPosition) {
        case TEllipsisPosition::epEndEllipsis: ellipsis = DT_END_ELLIPSIS; break;
        case TEllipsisPosition::epPathEllipsis: ellipsis = DT_PATH_ELLIPSIS; break;
        case TEllipsisPosition::epWordEllipsis: ellipsis = DT_WORD_ELLIPSIS; break;
        case TEllipsisPosition::epNone: break;
        }
    }
    const TTextBlock block(Caption(), *Font(), FWordWrap ? Width() : 0, FShowAccelChar, ellipsis, Width());
    int top = 0;
    if (FLayout == TTextLayout::tlCenter) top = (Height() - block.Size().cy) / 2;
    else if (FLayout == TTextLayout::tlBottom) top = Height() - block.Size().cy;
    block.Draw(c, TRect{0, top, Width(), top + block.Size().cy}, FAlignment, IsEnabledInChain());
    TGraphicControl::Paint();
}

void TLabel::CMTextChanged(TMessage& Message)
{
    TGraphicControl::CMTextChanged(Message);
    AdjustBounds();
}

void TLabel::CMFontChanged(TMessage& Message)
{
    TGraphicControl::CMFontChanged(Message);
    AdjustBounds();
    Invalidate();
}

void TLabel::CMDialogChar(TCMDialogChar& Message)
{
    if (FFocusControl && FShowAccelChar && Enabled() && IsAccel(QChar(char16_t(Message.CharCode)), Caption()) &&
        FFocusControl->CanFocus()) {
        FFocusControl->SetFocus();
        Message.Result = 1;
        return;
    }
    TGraphicControl::CMDialogChar(Message);
}

// ---- Edit --------------------------------------------------------------------------

namespace {

// Keeps out of a line edit what no file of the program can hold, however the
// user brings it in (a key, an input method, a paste, a drop); the caret
// stays behind what was kept of the text before it. The control's own writes
// come with the line edit's signals blocked and stand as the program set them.
class StorableTextValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override
    {
        if (!parent()->signalsBlocked() && FirstUnstorableChar(input) >= 0) {
            pos = int(DropUnstorableChars(input.left(pos)).size());
            input = DropUnstorableChars(input);
        }
        return Acceptable;
    }
};

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

// ---- Combo box -------------------------------------------------------------------------

namespace {

// Tells whether the opened list is being closed by a pick: a mouse release
// over it or Enter on it. Qt closes the list first and reports the pick only
// afterwards; any other input, or the next pass of the event loop, ends the
// pick, so Escape or a click outside after an ignored release picks nothing.
//
// It also keeps a list open when the button that opened it is let go over
// the box: Qt closes the list on that release once the press has lasted a
// double-click interval, which a slow click or a busy moment reaches, and the
// click then seems to open nothing. The platform's list stays open however
// long the press was.
class PickWatcher : public QObject {
public:
    bool picking = false;
    // The press that opened the list is still down.
    bool openingPress = false;
    // The popup holding the list: a release on its frame is no pick.
    QPointer<QWidget> popup;
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        switch (e->type()) {
        case QEvent::MouseButtonRelease:
            // Over the list itself the release may pick, as after dragging there.
            if (std::exchange(openingPress, false) && watched == popup) return true;
            Begin(watched != popup);
            break;
        case QEvent::KeyPress: {
            const int key = static_cast<QKeyEvent*>(e)->key();
            Begin(key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Select);
            break;
        }
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::ShortcutOverride:
        case QEvent::Hide:
            picking = false;
            openingPress = false;
            break;
        default:
            break;
        }
        return false;
    }

private:
    void Begin(bool pick)
    {
        picking = pick;
        if (pick) QTimer::singleShot(0, this, [this] { picking = false; });
    }
};

// Reports its list opening and closing, and asks for its entries before it
// shows, paints, opens or takes input, so that entries added while it was
// hidden reach it in one pass. A list closed by a pick reports the picked
// entry before the close-up, as the close-up handlers read the choice.
class ComboWidget : public QComboBox {
public:
    using QComboBox::QComboBox;
    std::function<void()> onDropDown, onCloseUp, onNeedItems;
    std::function<void(int)> onPicked;
    void showPopup() override
    {
        if (onDropDown) onDropDown();
        if (onNeedItems) onNeedItems();
        WatchPicks();
        FWatcher.picking = false;
        FWatcher.openingPress = FPressing;
        QComboBox::showPopup();
    }
    bool event(QEvent* e) override
    {
        switch (e->type()) {
        case QEvent::Show:
        case QEvent::Paint:
        case QEvent::KeyPress:
        case QEvent::Wheel:
        case QEvent::InputMethod:
            if (onNeedItems) onNeedItems();
            break;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: {
            if (onNeedItems) onNeedItems();
            // A second press soon after the first comes as a double click; it opens the list all the same.
            const QScopedValueRollback<bool> pressing(FPressing, true);
            return QComboBox::event(e);
        }
        default:
            break;
        }
        return QComboBox::event(e);
    }
    void hidePopup() override
    {
        // Closing a list that is not open is no close-up.
        QAbstractItemView* list = view();
        const bool wasOpen = list && list->isVisible();
        const QModelIndex current = list ? list->currentIndex() : QModelIndex();
        const bool picked = wasOpen && FWatcher.picking && current.isValid() &&
                            current.flags().testFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        FWatcher.picking = false;
        QComboBox::hidePopup();
        if (!wasOpen) return;
        if (picked && onPicked) onPicked(current.row());
        if (onCloseUp) onCloseUp();
    }

private:
    // The list's own handling filters the same widgets; a filter installed
    // later runs first, so the watcher sees the release before the list closes.
    void WatchPicks()
    {
        QAbstractItemView* list = view();
        if (!list || list == FWatchedView) return;
        FWatchedView = list;
        FWatcher.popup = list->parentWidget();
        if (FWatcher.popup) FWatcher.popup->installEventFilter(&FWatcher);
        list->installEventFilter(&FWatcher);
        list->viewport()->installEventFilter(&FWatcher);
    }

    PickWatcher FWatcher;
    QPointer<QAbstractItemView> FWatchedView;
    bool FPressing = false;
};

// A combo's list drops below the box, as users of the program's home platform expect,
// instead of being laid over the box around the chosen entry.
class DropBelowStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        if (hint == QStyle::SH_ComboBox_Popup) return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

QStyle* ComboStyle()
{
    // Owned by the application, so it goes with it; made again for a new application.
    static QPointer<DropBelowStyle> style;
    if (!style) {
        style = new DropBelowStyle;
        style->setParent(qApp);
    }
    return style;
}

bool IsEditableStyle(TComboBoxStyle style)
{
    return style == TComboBoxStyle::csDropDown || style == TComboBoxStyle::csSimple;
}

} // namespace

TComboBox::TComboBox(TComponent* AOwner)
    : TWinControl(AOwner), FItems(std::make_unique<TStringList>()), FLink(std::make_unique<QObject>())
{
    FControlStyle = TControlStyle{csSetCaption, csDoubleClicks, csFixedHeight};
    FItems->OnChange = [this](TObject*) { ItemsChanged(); };
    SetBounds(0, 0, 145, 21);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
}

TComboBox::~TComboBox()
{
    FLink.reset();
    FItems->OnChange = nullptr;
}

QWidget* TComboBox::CreateWidget(QWidget* parentWidget)
{
    auto* combo = new ComboWidget(parentWidget);
    combo->setStyle(ComboStyle());
    FCombo = combo;
    combo->onDropDown = [this] { RunGuarded(this, [&] { DropDown(); }); };
    combo->onCloseUp = [this] { RunGuarded(this, [&] { CloseUp(); }); };
    // The pick itself (OnClick, OnSelect) follows the close-up, as Qt reports it.
    combo->onPicked = [this](int index) { SetItemIndex(index); };
    combo->onNeedItems = [this] { SyncWidgetItems(); };
    FWidgetItemsStale = true;
    QObject::connect(combo, &QComboBox::activated, FLink.get(),
                     [this](int index) { RunGuarded(this, [&] { UserSelect(index); }); });
    return combo;
}

void TComboBox::CreateWnd()
{
    TWinControl::CreateWnd();
    FillWidget();
    if (FListWidth > 0 && FCombo && FCombo->view()) FCombo->view()->setMinimumWidth(FListWidth);
}

// Puts the choice and the text into the widget without signals. The entries
// follow at once only while the widget is on screen: refilling a hidden
// widget on every added entry made filling a long list quadratic.
void TComboBox::FillWidget()
{
    if (!FCombo) return;
    const QSignalBlocker block(FCombo.data());
    const bool editable = IsEditableStyle(FStyle);
    if (FCombo->isEditable() != editable) {
        FCombo->setEditable(editable);
        if (editable && FCombo->lineEdit()) {
            FCombo->setInsertPolicy(QComboBox::NoInsert);
            FCombo->lineEdit()->setValidator(new StorableTextValidator(FCombo->lineEdit()));
            AttachSubWidget(FCombo->lineEdit());
            QObject::connect(FCombo->lineEdit(), &QLineEdit::textEdited, FLink.get(),
                             [this](const QString& text) { RunGuarded(this, [&] { UserTyped(text); }); });
            // Enter or leaving the field keeps the text as typed: Qt would pick
            // the entry that matches it ignoring case and report that as a choice.
            QObject::disconnect(FCombo->lineEdit(), &QLineEdit::editingFinished, FCombo.data(), nullptr);
        }
    }
    if (FCombo->isVisible()) SyncWidgetItems();
    FCombo->setMaxVisibleItems(std::max(1, FDropDownCount));
    if (!FWidgetItemsStale) FCombo->setCurrentIndex(FItemIndex);
    if (editable && FCombo->lineEdit()) {
        const QSignalBlocker blockEdit(FCombo->lineEdit());
        if (FMaxLength > 0) FCombo->lineEdit()->setMaxLength(FMaxLength);
        FCombo->lineEdit()->setText(TWinControl::GetText());
        FCombo->lineEdit()->setCursorPosition(0);
    }
}

void TComboBox::SyncWidgetItems()
{
    if (!FCombo || !FWidgetItemsStale) return;
    FWidgetItemsStale = false;
    const QSignalBlocker block(FCombo.data());
    QLineEdit* edit = FCombo->lineEdit();
    // Refilling resets the edit field; the user's text, caret and selection stay.
    const QString text = edit ? edit->text() : QString();
    const int caret = edit ? edit->cursorPosition() : 0;
    const int selStart = edit ? edit->selectionStart() : -1;
    const int selLength = edit ? int(edit->selectedText().size()) : 0;
    FCombo->clear();
    FCombo->addItems(FItems->ToQStringList());
    FCombo->setCurrentIndex(FItemIndex);
    if (edit) {
        const QSignalBlocker blockEdit(edit);
        edit->setText(text);
        if (selStart >= 0 && selLength > 0) edit->setSelection(selStart, selLength);
        else edit->setCursorPosition(caret);
    }
}

void TComboBox::ItemsChanged()
{
    if (FItemIndex >= FItems->Count()) {
        FItemIndex = -1;
        if (IsEditableStyle(FStyle)) TWinControl::SetTextValue(String());
    }
    FWidgetItemsStale = true;
    FillWidget();
}

void TComboBox::SetItems(const TStringList* items)
{
    FItems->Assign(const_cast<TStringList*>(items));
}

String TComboBox::GetText() const
{
    if (!IsEditableStyle(FStyle)) return FItemIndex >= 0 ? FItems->Strings(FItemIndex) : String();
    return TWinControl::GetText();
}

void TComboBox::SetTextValue(const String& value)
{
    if (!IsEditableStyle(FStyle)) {
        // A list-only combo can show only its entries.
        const int index = FItems->IndexOf(value);
        if (index >= 0) SetItemIndex(index);
        else if (value.isEmpty()) SetItemIndex(-1);
        return;
    }
    if (value == GetText()) return;
    FItemIndex = FItems->IndexOf(value);
    TWinControl::SetTextValue(value);
    FillWidget();
}

void TComboBox::SetItemIndex(int value)
{
    if (value < -1 || value >= FItems->Count()) value = -1;
    if (value == FItemIndex) return;
    FItemIndex = value;
    if (IsEditableStyle(FStyle)) TWinControl::SetTextValue(value >= 0 ? FItems->Strings(value) : String());
    FillWidget();
}

void TComboBox::SetStyle(TComboBoxStyle value)
{
    if (value == FStyle) return;
    const String text = GetText();
    FStyle = value;
    if (IsEditableStyle(value)) TWinControl::SetTextValue(text);
    FillWidget();
}

void TComboBox::SetSorted(bool value)
{
    if (value == FItems->Sorted()) return;
    const String chosen = FItemIndex >= 0 ? FItems->Strings(FItemIndex) : String();
    const bool hadChoice = FItemIndex >= 0;
    FItemIndex = -1;
    FItems->SetSorted(value);
    if (hadChoice) FItemIndex = FItems->IndexOf(chosen);
    FillWidget();
}

void TComboBox::SetDropDownCount(int value)
{
    FDropDownCount = value;
    if (FCombo) FCombo->setMaxVisibleItems(std::max(1, value));
}

void TComboBox::SetMaxLength(int value)
{
    FMaxLength = std::max(0, value);
    FillWidget();
}

bool TComboBox::DroppedDown() const { return FCombo && FCombo->view() && FCombo->view()->isVisible(); }

void TComboBox::SetDroppedDown(bool value)
{
    if (!value && FCombo) FCombo->hidePopup();
    else if (value) {
        HandleNeeded();
        if (FCombo) FCombo->showPopup();
    }
}

void TComboBox::Clear()
{
    FItemIndex = -1;
    TWinControl::SetTextValue(String());
    FItems->Clear();
    FillWidget();
}

void TComboBox::UserSelect(int index)
{
    if (index < 0 || index >= FItems->Count()) return;
    FItemIndex = index;
    TWinControl::SetTextValue(FItems->Strings(index));
    FillWidget();
    Click();
    Select();
}

void TComboBox::UserTyped(const String& text)
{
    FItemIndex = TypedItemIndex(text);
    TWinControl::SetTextValue(text);
    if (FCombo) {
        const QSignalBlocker block(FCombo.data());
        FCombo->setCurrentIndex(FItemIndex);
        if (FCombo->lineEdit() && FCombo->lineEdit()->text() != text) FCombo->lineEdit()->setText(text);
    }
    Change();
}

void TComboBox::Change()
{
    if (OnChange) OnChange(this);
}

void TComboBox::Select()
{
    if (OnSelect) OnSelect(this);
    else Change();
}

void TComboBox::DropDown()
{
    if (OnDropDown) OnDropDown(this);
}

void TComboBox::CloseUp()
{
    if (OnCloseUp) OnCloseUp(this);
}

int TComboBox::TypedItemIndex(const String& text) const { return FItems->IndexOf(text); }

void TComboBox::SetItemHeight(int value)
{
    if (value > 0) FItemHeight = value;
}

void TComboBox::SetListWidth(int value)
{
    FListWidth = std::max(0, value);
    if (FCombo && FCombo->view()) FCombo->view()->setMinimumWidth(FListWidth);
}

int TComboBox::SelStart() const
{
    if (!FCombo || !FCombo->lineEdit()) return 0;
    const QLineEdit* edit = FCombo->lineEdit();
    return edit->hasSelectedText() ? int(edit->selectionStart()) : int(edit->cursorPosition());
}

void TComboBox::SetSelStart(int value)
{
    if (!FCombo || !FCombo->lineEdit()) return;
    FCombo->lineEdit()->setCursorPosition(std::clamp(value, 0, int(GetText().size())));
}

int TComboBox::SelLength() const
{
    if (!FCombo || !FCombo->lineEdit()) return 0;
    return int(FCombo->lineEdit()->selectedText().size());
}

void TComboBox::SetSelLength(int value)
{
    if (!FCombo || !FCombo->lineEdit()) return;
    const int start = SelStart();
    const int length = std::clamp(value, 0, int(GetText().size()) - start);
    if (length > 0) FCombo->lineEdit()->setSelection(start, length);
    else FCombo->lineEdit()->setCursorPosition(start);
}

void TComboBox::SelectAll()
{
    if (FCombo && FCombo->lineEdit()) FCombo->lineEdit()->selectAll();
}

// ---- Check box ----------------------------------------------------------------------------

TCheckBox::TCheckBox(TComponent* AOwner) : TWinControl(AOwner), FLink(std::make_unique<QObject>())
{
    FControlStyle = TControlStyle{csSetCaption, csDoubleClicks};
    SetBounds(0, 0, 97, 17);
    SetTabStop(true);
}

TCheckBox::~TCheckBox() { FLink.reset(); }

QWidget* TCheckBox::CreateWidget(QWidget* parentWidget)
{
    auto* box = new QCheckBox(parentWidget);
    FBox = box;
    QObject::connect(box, &QCheckBox::clicked, FLink.get(), [this] { RunGuarded(this, [&] { Toggle(); }); });
    return box;
}

void TCheckBox::CreateWnd()
{
    TWinControl::CreateWnd();
    if (!FBox) return;
    FBox->setText(TWinControl::GetText());
    FBox->setLayoutDirection(FAlignment == TAlignment::taLeftJustify ? Qt::RightToLeft : Qt::LeftToRight);
    ShowState();
}

void TCheckBox::ShowState()
{
    if (!FBox) return;
    const QSignalBlocker block(FBox.data());
    FBox->setTristate(FAllowGrayed || FState == TCheckBoxState::cbGrayed);
    FBox->setCheckState(FState == TCheckBoxState::cbChecked  ? Qt::Checked
                        : FState == TCheckBoxState::cbGrayed ? Qt::PartiallyChecked
                                                             : Qt::Unchecked);
}

void TCheckBox::SetState(TCheckBoxState value)
{
    // The platform's box clicks itself whenever its state changes, also when code changes it.
    if (value == FState) {
        ShowState();
        return;
    }
    FState = value;
    ShowState();
    Click();
}

void TCheckBox::Toggle()
{
    switch (FState) {
    case TCheckBoxState::cbUnchecked: SetState(TCheckBoxState::cbChecked); break;
    case TCheckBoxState::cbChecked:
        SetState(FAllowGrayed ? TCheckBoxState::cbGrayed : TCheckBoxState::cbUnchecked);
        break;
    case TCheckBoxState::cbGrayed: SetState(TCheckBoxState::cbUnchecked); break;
    }
}

void TCheckBox::SetAllowGrayed(bool value)
{
    FAllowGrayed = value;
    ShowState();
}

void TCheckBox::SetAlignment(TAlignment value)
{
    FAlignment = value;
    if (FBox) FBox->setLayoutDirection(value == TAlignment::taLeftJustify ? Qt::RightToLeft : Qt::LeftToRight);
}

void TCheckBox::SetTextValue(const String& value)
{
    TWinControl::SetTextValue(value);
    if (FBox) FBox->setText(value);
}

void TCheckBox::CMDialogChar(TCMDialogChar& Message)
{
    if (IsAccel(QChar(char16_t(Message.CharCode)), Caption()) && CanFocus()) {
        SetFocus();
        Toggle();
        Message.Result = 1;
        return;
    }
    TWinControl::CMDialogChar(Message);
}

// ---- Radio button ---------------------------------------------------------------------------

TRadioButton::TRadioButton(TComponent* AOwner) : TWinControl(AOwner), FLink(std::make_unique<QObject>())
{
    FControlStyle = TControlStyle{csSetCaption, csDoubleClicks};
    SetBounds(0, 0, 113, 17);
}

TRadioButton::~TRadioButton() { FLink.reset(); }

QWidget* TRadioButton::CreateWidget(QWidget* parentWidget)
{
    auto* radio = new QRadioButton(parentWidget);
    FRadio = radio;
    // The siblings are kept exclusive here, not by Qt.
    radio->setAutoExclusive(false);
    QObject::connect(radio, &QRadioButton::clicked, FLink.get(), [this] {
        RunGuarded(this, [&] {
            SetChecked(true);
            ShowChecked();
        });
    });
    return radio;
}

void TRadioButton::CreateWnd()
{
    TWinControl::CreateWnd();
    if (!FRadio) return;
    FRadio->setText(TWinControl::GetText());
    ShowChecked();
}

void TRadioButton::ShowChecked()
{
    if (!FRadio) return;
    const QSignalBlocker block(FRadio.data());
    FRadio->setChecked(FChecked);
}

void TRadioButton::SetChecked(bool value)
{
    if (value == FChecked) return;
    FChecked = value;
    SetTabStop(value);
    ShowChecked();
    if (!value) return;
    if (TWinControl* parent = Parent()) {
        for (int i = 0; i < parent->ControlCount(); ++i)
            if (auto* sibling = dynamic_cast<TRadioButton*>(parent->Controls(i)); sibling && sibling != this)
                sibling->SetChecked(false);
    }
    Click();
}

void TRadioButton::SetTextValue(const String& value)
{
    TWinControl::SetTextValue(value);
    if (FRadio) FRadio->setText(value);
}

void TRadioButton::CMDialogChar(TCMDialogChar& Message)
{
    if (IsAccel(QChar(char16_t(Message.CharCode)), Caption()) && CanFocus()) {
        SetFocus();
        SetChecked(true);
        Message.Result = 1;
        return;
    }
    TWinControl::CMDialogChar(Message);
}

// ---- Group box -------------------------------------------------------------------------------

TGroupBox::TGroupBox(TComponent* AOwner) : TCustomControl(AOwner)
{
    FControlStyle = TControlStyle{csAcceptsControls, csClickEvents, csSetCaption, csDoubleClicks, csOpaque,
                                  csParentBackground};
    SetBounds(0, 0, 185, 105);
}

// An etched frame (shadow, then highlight one pixel to the lower right) whose
// top runs through the middle of the caption; the caption stands at x 8 on the
// box's own colour.
void TGroupBox::Paint()
{
    TCanvas& c = *Canvas();
    c.SetFont(Font());
    c.Brush()->SetStyle(TBrushStyle::bsSolid);
    c.Brush()->SetColor(Color());
    c.FillRect(ClientRect());
    const int textHeight = c.TextHeight(QStringLiteral("0"));
    const int top = textHeight / 2;
    c.Brush()->SetColor(clBtnHighlight);
    c.FrameRect(TRect{1, top + 1, Width(), Height()});
    c.Brush()->SetColor(clBtnShadow);
    c.FrameRect(TRect{0, top, Width() - 1, Height() - 1});
    if (!Caption().isEmpty()) {
        const TTextBlock block(Caption(), *Font(), 0, true);
        const TSize size = block.Size();
        c.Brush()->SetColor(Color());
        c.FillRect(TRect{8, 0, 8 + size.cx, size.cy});
        block.Draw(c, TRect{8, 0, 8 + size.cx, size.cy}, TAlignment::taLeftJustify, IsEnabledInChain());
    }
    TCustomControl::Paint();
}

// ---- List box -------------------------------------------------------------------------------

TListBox::TListBox(TComponent* AOwner)
    : TWinControl(AOwner), FItems(std::make_unique<TStringList>()), FLink(std::make_unique<QObject>())
{
    FControlStyle = TControlStyle{csSetCaption, csDoubleClicks, csOpaque};
    FItems->OnChange = [this](TObject*) { ItemsChanged(); };
    SetBounds(0, 0, 121, 97);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
}

TListBox::~TListBox()
{
    FLink.reset();
    FItems->OnChange = nullptr;
}

QWidget* TListBox::CreateWidget(QWidget* parentWidget)
{
    auto* list = new QListWidget(parentWidget);
    FList = list;
    QObject::connect(list, &QListWidget::itemSelectionChanged, FLink.get(), [this] {
        RunGuarded(this, [&] {
            if (FFilling || !FList) return;
            // The user changed the selection: take it over and report it.
            FSelected.assign(std::size_t(FItems->Count()), false);
            for (int i = 0; i < FList->count(); ++i) FSelected[std::size_t(i)] = FList->item(i)->isSelected();
            FItemIndex = FList->currentRow();
            if (!FMultiSelect && FItemIndex >= 0 && !FSelected[std::size_t(FItemIndex)]) FItemIndex = -1;
            Click();
        });
    });
    // The platform's list reports a double click on an entry itself.
    QObject::connect(list, &QListWidget::itemDoubleClicked, FLink.get(),
                     [this] { RunGuarded(this, [&] { DblClick(); }); });
    return list;
}

void TListBox::CreateWnd()
{
    TWinControl::CreateWnd();
    FillWidget();
}

void TListBox::FillWidget()
{
    if (!FList) return;
    FFilling = true;
    {
        const QSignalBlocker block(FList.data());
        FList->setSelectionMode(FMultiSelect ? QAbstractItemView::ExtendedSelection
                                             : QAbstractItemView::SingleSelection);
        FList->clear();
        FList->addItems(FItems->ToQStringList());
    }
    FFilling = false;
    ShowSelection();
}

void TListBox::ShowSelection()
{
    if (!FList) return;
    FFilling = true;
    {
        const QSignalBlocker block(FList.data());
        FList->clearSelection();
        if (FItemIndex >= 0) FList->setCurrentRow(FItemIndex, QItemSelectionModel::NoUpdate);
        for (int i = 0; i < FList->count(); ++i) {
            const bool selected = FMultiSelect ? FSelected[std::size_t(i)] : i == FItemIndex;
            FList->item(i)->setSelected(selected);
        }
    }
    FFilling = false;
    FList->viewport()->update();
}

void TListBox::ItemsChanged()
{
    FSelected.resize(std::size_t(FItems->Count()), false);
    if (FItemIndex >= FItems->Count()) FItemIndex = -1;
    FillWidget();
}

void TListBox::SetItems(const TStringList* items) { FItems->Assign(const_cast<TStringList*>(items)); }

int TListBox::ItemIndex() const { return FItemIndex; }

void TListBox::SetItemIndex(int value)
{
    if (value < -1 || value >= FItems->Count()) value = -1;
    if (value == FItemIndex) return;
    FItemIndex = value;
    if (!FMultiSelect) FSelected.assign(std::size_t(FItems->Count()), false);
    if (value >= 0) FSelected[std::size_t(value)] = true;
    ShowSelection();
}

void TListBox::SetSorted(bool value)
{
    if (value == FItems->Sorted()) return;
    const String chosen = FItemIndex >= 0 ? FItems->Strings(FItemIndex) : String();
    const bool hadChoice = FItemIndex >= 0;
    FItemIndex = -1;
    FItems->SetSorted(value);
    FSelected.assign(std::size_t(FItems->Count()), false);
    if (hadChoice) SetItemIndex(FItems->IndexOf(chosen));
}

void TListBox::SetMultiSelect(bool value)
{
    if (value == FMultiSelect) return;
    FMultiSelect = value;
    FSelected.assign(std::size_t(FItems->Count()), false);
    if (FItemIndex >= 0) FSelected[std::size_t(FItemIndex)] = true;
    FillWidget();
}

bool TListBox::Selected(int index) const
{
    if (index < 0 || index >= FItems->Count()) throw EStringListError(QStringLiteral("List index out of bounds (%1)").arg(index));
    return FMultiSelect ? FSelected[std::size_t(index)] : index == FItemIndex;
}

void TListBox::SetSelected(int index, bool value)
{
    if (index < 0 || index >= FItems->Count()) throw EStringListError(QStringLiteral("List index out of bounds (%1)").arg(index));
    if (!FMultiSelect) {
        if (value) SetItemIndex(index);
        else if (index == FItemIndex) SetItemIndex(-1);
        return;
    }
    FSelected[std::size_t(index)] = value;
    ShowSelection();
}

int TListBox::SelCount() const
{
    if (!FMultiSelect) return -1;
    return int(std::count(FSelected.begin(), FSelected.end(), true));
}

int TListBox::TopIndex() const
{
    if (!FList || FList->count() == 0) return 0;
    const int row = FList->row(FList->itemAt(QPoint(2, 2)));
    return std::max(0, row);
}

int TListBox::ItemHeight() const
{
    if (FList && FList->count() > 0) return FList->sizeHintForRow(0);
    return QFontMetrics(Font()->ToQFont()).height();
}

int TListBox::ItemAtPos(const TPoint& pos, bool existing) const
{
    if (FList) {
        const QModelIndex index = FList->indexAt(FList->viewport()->mapFrom(FList, QPoint(pos.X, pos.Y)));
        if (index.isValid()) return index.row();
    } else if (ItemHeight() > 0 && pos.Y >= 0) {
        const int row = pos.Y / ItemHeight();
        if (row < FItems->Count()) return row;
    }
    return existing ? -1 : FItems->Count();
}

void TListBox::Clear()
{
    FItemIndex = -1;
    FItems->Clear();
}

void TListBox::ClearSelection()
{
    FSelected.assign(std::size_t(FItems->Count()), false);
    if (!FMultiSelect) FItemIndex = -1;
    ShowSelection();
}

void TListBox::UserSelect(int index)
{
    if (index < 0 || index >= FItems->Count()) return;
    FItemIndex = index;
    FSelected.assign(std::size_t(FItems->Count()), false);
    FSelected[std::size_t(index)] = true;
    ShowSelection();
    Click();
}

// ---- Button ---------------------------------------------------------------------------------

TButton::TButton(TComponent* AOwner) : TWinControl(AOwner), FLink(std::make_unique<QObject>())
{
    FControlStyle = TControlStyle{csSetCaption, csDoubleClicks};
    SetBounds(0, 0, 75, 25);
    SetTabStop(true);
}

TButton::~TButton() { FLink.reset(); }

QWidget* TButton::CreateWidget(QWidget* parentWidget)
{
    auto* button = new QPushButton(parentWidget);
    FButton = button;
    // Enter and Escape are ours to handle (CM_DIALOGKEY), not Qt's.
    button->setAutoDefault(false);
    QObject::connect(button, &QPushButton::clicked, FLink.get(), [this] { RunGuarded(this, [&] { Click(); }); });
    return button;
}

void TButton::CreateWnd()
{
    TWinControl::CreateWnd();
    if (!FButton) return;
    FButton->setText(TWinControl::GetText());
    FButton->setDefault(FDefault);
}

void TButton::SetDefault(bool value)
{
    FDefault = value;
    if (FButton) FButton->setDefault(value);
}

void TButton::SetTextValue(const String& value)
{
    TWinControl::SetTextValue(value);
    if (FButton) FButton->setText(value);
}

void TButton::Click()
{
    if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(FModalResult);
    TWinControl::Click();
}

void TButton::CMDialogKey(TCMDialogKey& Message)
{
    const WORD key = WORD(Message.CharCode);
    // Enter belongs to the focused button, else to the default button unless
    // another button has the focus.
    bool active = Focused();
    if (!active && FDefault) active = dynamic_cast<TButton*>(FindFocusedControl()) == nullptr;
    if (((key == VK_RETURN && active) || (key == VK_ESCAPE && FCancel)) &&
        KeyDataToShiftState(Message.KeyData).Empty() && CanFocus()) {
        Click();
        Message.Result = 1;
        return;
    }
    TWinControl::CMDialogKey(Message);
}

void TButton::CMDialogChar(TCMDialogChar& Message)
{
    if (IsAccel(QChar(char16_t(Message.CharCode)), Caption()) && CanFocus()) {
        Click();
        Message.Result = 1;
        return;
    }
    TWinControl::CMDialogChar(Message);
}

// ---- Colours, by control -------------------------------------------------------------

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

void TComboBox::ApplyWidgetFont()
{
    TWinControl::ApplyWidgetFont();
    ApplyColors(this, ColorRole::Input);
}

void TComboBox::ApplyWidgetPalette()
{
    TWinControl::ApplyWidgetPalette();
    ApplyColors(this, ColorRole::Input);
}

void TCheckBox::ApplyWidgetFont()
{
    TWinControl::ApplyWidgetFont();
    ApplyColors(this, ColorRole::Caption);
}

void TCheckBox::ApplyWidgetPalette()
{
    TWinControl::ApplyWidgetPalette();
    ApplyColors(this, ColorRole::Caption);
}

void TRadioButton::ApplyWidgetFont()
{
    TWinControl::ApplyWidgetFont();
    ApplyColors(this, ColorRole::Caption);
}

void TRadioButton::ApplyWidgetPalette()
{
    TWinControl::ApplyWidgetPalette();
    ApplyColors(this, ColorRole::Caption);
}

void TListBox::ApplyWidgetFont()
{
    TWinControl::ApplyWidgetFont();
    ApplyColors(this, ColorRole::Input);
}

void TListBox::ApplyWidgetPalette()
{
    TWinControl::ApplyWidgetPalette();
    ApplyColors(this, ColorRole::Input);
}

void TButton::ApplyWidgetFont()
{
    TWinControl::ApplyWidgetFont();
    ApplyColors(this, ColorRole::Button);
}

void TButton::ApplyWidgetPalette()
{
    TWinControl::ApplyWidgetPalette();
    ApplyColors(this, ColorRole::Button);
}

// ---- Speed button ----------------------------------------------------------------------

namespace {
std::atomic<int> Beeps{0};
}

void MessageBeep()
{
    ++Beeps;
    QApplication::beep();
}

int BeepCount() { return Beeps.load(); }

TSpeedButton::TSpeedButton(TComponent* AOwner) : TCustomControl(AOwner), FGlyph(std::make_unique<TBitmap>())
{
    FControlStyle = TControlStyle{csCaptureMouse, csDoubleClicks, csOpaque};
    SetBounds(0, 0, 23, 22);
    SetTabStop(false);
}

TSpeedButton::~TSpeedButton() = default;

void TSpeedButton::SetFlat(bool value)
{
    if (value == FFlat) return;
    FFlat = value;
    Invalidate();
}

void TSpeedButton::SetGlyph(TBitmap* value)
{
    if (value) FGlyph->Assign(value);
    else FGlyph = std::make_unique<TBitmap>();
    Invalidate();
}

void TSpeedButton::SetNumGlyphs(int value)
{
    FNumGlyphs = std::clamp(value, 1, 4);
    Invalidate();
}

void TSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != TMouseButton::mbLeft || !Enabled()) return;
    FDragging = true;
    FState = TSpeedButtonState::bsDown;
    Invalidate();
}

void TSpeedButton::MouseMove(TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseMove(Shift, X, Y);
    if (!FDragging) return;
    const TSpeedButtonState now = ClientRect().Contains(TPoint{X, Y}) ? TSpeedButtonState::bsDown : TSpeedButtonState::bsUp;
    if (now == FState) return;
    FState = now;
    Invalidate();
}

void TSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (Button != TMouseButton::mbLeft || !FDragging) return;
    FDragging = false;
    const bool over = ClientRect().Contains(TPoint{X, Y});
    FState = TSpeedButtonState::bsUp;
    Invalidate();
    if (over) Click();
}

void TSpeedButton::MouseEnter()
{
    TCustomControl::MouseEnter();
    FMouseInControl = true;
    if (FFlat) Invalidate();
}

void TSpeedButton::MouseLeave()
{
    TCustomControl::MouseLeave();
    FMouseInControl = false;
    if (FFlat) Invalidate();
}

void TSpeedButton::Paint()
{
    TCanvas& c = *Canvas();
    PaintFace(c, ClientRect());
}

void TSpeedButton::PaintFace(TCanvas& c, TRect r)
{
    const bool down = FState == TSpeedButtonState::bsDown || FState == TSpeedButtonState::bsExclusive;
    c.Brush()->SetStyle(TBrushStyle::bsSolid);
    c.Brush()->SetColor(clBtnFace);
    c.FillRect(r);
    if (!FFlat) {
        DrawFrameControl(c, r, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (down ? DFCS_PUSHED : 0));
    } else if (down || FMouseInControl) {
        DrawEdge(c, r, down ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
    }
    const int shift = down ? 1 : 0;
    if (!FGlyph->Empty()) {
        const int gw = FGlyph->Width() / FNumGlyphs;
        const int gh = FGlyph->Height();
        TBitmap one;
        one.SetSize(gw, gh);
        one.Canvas()->CopyRect(TRect{0, 0, gw, gh}, *FGlyph->Canvas(), TRect{0, 0, gw, gh});
        one.SetTransparent(true);
        c.Draw(r.Left + (r.Width() - gw) / 2 + shift, r.Top + (r.Height() - gh) / 2 + shift, &one);
    }
    if (!Caption().isEmpty()) {
        c.SetFont(Font());
        c.Brush()->SetStyle(TBrushStyle::bsClear);
        TRect t{r.Left + shift, r.Top + shift, r.Right + shift, r.Bottom + shift};
        DrawText(c, Caption(), t, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}
