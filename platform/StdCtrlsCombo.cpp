// The combo box over a Qt combo box.

#include "platform/StdCtrls.h"
#include "platform/StdCtrlsPrivate.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QProxyStyle>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QTimer>

#include <utility>
#include <algorithm>

using namespace StdCtrlsPrivate;

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

// ---- Combo box colours

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
