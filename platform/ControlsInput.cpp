// TWinControl's message dispatch, key handling and the translation of Qt's
// events into window messages.
#include "platform/Controls.h"
#include "platform/HintWindow.h"

#include "platform/ActnList.h"
#include "platform/ControlsPrivate.h"
#include "platform/DragDrop.h"
#include "platform/Forms.h"
#include "platform/Menus.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCursor>
#include <QEnterEvent>
#include <QFocusEvent>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QWheelEvent>
#include <QWidget>

#include <algorithm>
#include <climits>
#include <cxxabi.h>
#include <map>
#include <typeinfo>
#include <unordered_map>

namespace {
// The characters a key press types. Ctrl with a letter types its control character (Ctrl+V is 0x16), which
// the edits' clipboard keys rely on; not every windowing system puts it into the event's text.
QString TypedText(const QKeyEvent* k)
{
    const Qt::KeyboardModifiers mods = k->modifiers();
    if (k->text().isEmpty() && mods.testFlag(Qt::ControlModifier) && !mods.testFlag(Qt::AltModifier) &&
        k->key() >= Qt::Key_A && k->key() <= Qt::Key_Z)
        return QString(QChar(char16_t(k->key() - Qt::Key_A + 1)));
    return k->text();
}
} // namespace


using namespace ControlsPrivate;

// ---- Message dispatch of TWinControl ----
void TWinControl::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_KEYDOWN: { TWMKey m(Message); WMKeyDown(m); break; }
    case WM_KEYUP: { TWMKey m(Message); WMKeyUp(m); break; }
    case WM_CHAR: { TWMKey m(Message); WMChar(m); break; }
    case WM_SYSKEYDOWN: { TWMKey m(Message); WMSysKeyDown(m); break; }
    case WM_SYSKEYUP: { TWMKey m(Message); WMSysKeyUp(m); break; }
    case WM_SYSCHAR: { TWMKey m(Message); WMSysChar(m); break; }
    case CN_KEYDOWN: { TWMKey m(Message); CNKeyDown(m); break; }
    case CN_CHAR: { TWMKey m(Message); CNChar(m); break; }
    case WM_SETFOCUS: { TWMSetFocus m(Message); WMSetFocus(m); break; }
    case WM_KILLFOCUS: { TWMKillFocus m(Message); WMKillFocus(m); break; }
    case WM_ERASEBKGND: { TWMEraseBkgnd m(Message); WMEraseBkgnd(m); break; }
    case WM_SIZE: { TWMSize m(Message); WMSize(m); break; }
    case WM_MOVE: { TWMMove m(Message); WMMove(m); break; }
    case WM_TIMER: { TWMTimer m(Message); WMTimer(m); break; }
    case WM_HSCROLL: { TWMScroll m(Message); WMHScroll(m); break; }
    case WM_VSCROLL: { TWMScroll m(Message); WMVScroll(m); break; }
    case WM_GETDLGCODE: { TWMGetDlgCode m(Message); WMGetDlgCode(m); break; }
    case WM_SETREDRAW: { TWMSetRedraw m(Message); WMSetRedraw(m); break; }
    case WM_NCHITTEST: { TWMNCHitTest m(Message); WMNCHitTest(m); break; }
    case WM_SETCURSOR: { TWMSetCursor m(Message); WMSetCursor(m); break; }
    case WM_CAPTURECHANGED: WMCaptureChanged(Message); break;
    case CM_ENTER: CMEnter(Message); break;
    case CM_EXIT: CMExit(Message); break;
    case CM_FOCUSCHANGED: CMFocusChanged(Message); break;
    case CM_WANTSPECIALKEY: { TWMKey m(Message); CMWantSpecialKey(m); break; }
    case CM_SHOWINGCHANGED: CMShowingChanged(Message); break;
    default: TControl::Dispatch(Message); break;
    }
}

void TWinControl::DefaultHandler(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_SETREDRAW:
        FRedrawOff = Message.WParam == 0;
        if (FWidget) FWidget->setUpdatesEnabled(!FRedrawOff);
        break;
    case WM_GETDLGCODE:
        Message.Result = 0;
        break;
    case WM_NCHITTEST:
        Message.Result = HTCLIENT;
        break;
    default:
        if (IsKeyMessage(Message.Msg) || IsMouseMessage(Message.Msg) || Message.Msg == WM_MOUSEWHEEL ||
            Message.Msg == WM_SETFOCUS || Message.Msg == WM_KILLFOCUS || Message.Msg == CM_MOUSEENTER ||
            Message.Msg == CM_MOUSELEAVE || Message.Msg == WM_PAINT)
            SendToDefaultWidget(Message);
        break;
    }
}

// Hands a message back to the Qt widget for its own processing: the Qt
// event it came from when the message is still that event, otherwise an
// event made from the message. Our own plain widgets have nothing to do.
void TWinControl::SendToDefaultWidget(TMessage& Message)
{
    if (!FWidget || FWidget->metaObject() == &QWidget::staticMetaObject) return;
    QWidget* target = FWidget;
    QEvent* original = FCurrentEvent;
    std::unique_ptr<QEvent> made;
    QEvent* event = nullptr;
    const UINT msg = Message.Msg;

    auto currentKey = [&]() -> QKeyEvent* {
        if (!original || (original->type() != QEvent::KeyPress && original->type() != QEvent::KeyRelease)) return nullptr;
        return static_cast<QKeyEvent*>(original);
    };

    if (msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN || msg == WM_KEYUP || msg == WM_SYSKEYUP) {
        const bool down = msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN;
        const WORD vk = WORD(Message.WParam);
        // Tab moves the focus through the form's dialog keys, never through Qt.
        if (vk == 0 || vk == VK_TAB) return;
        QKeyEvent* k = currentKey();
        if (k && (k->type() == QEvent::KeyPress) == down &&
            QtKeyToVirtualKey(k->key(), k->modifiers().testFlag(Qt::KeypadModifier)) == vk) {
            // A key that types text is handed over with its characters (WM_CHAR).
            if (down && !TypedText(k).isEmpty()) return;
            event = k;
        } else {
            made = std::make_unique<QKeyEvent>(down ? QEvent::KeyPress : QEvent::KeyRelease, VirtualKeyToQtKey(vk),
                                               CurrentModifiers());
            event = made.get();
        }
    } else if (msg == WM_CHAR || msg == WM_SYSCHAR) {
        const char16_t ch = char16_t(Message.WParam);
        if (ch == 0 || ch == 9) return;
        QKeyEvent* k = currentKey();
        if (k && k->type() == QEvent::KeyPress && TypedText(k) == QString(QChar(ch))) {
            event = k;
        } else {
            Qt::KeyboardModifiers mods = CurrentModifiers();
            if (ch >= 32) mods &= ~Qt::ControlModifier;
            made = std::make_unique<QKeyEvent>(QEvent::KeyPress, QtKeyForChar(ch), mods, QString(QChar(ch)));
            event = made.get();
        }
    } else if (IsMouseMessage(msg)) {
        const QPointF pos(GetXParam(Message.LParam), GetYParam(Message.LParam));
        if (original && dynamic_cast<QMouseEvent*>(original) && FCurrentWidget) {
            event = original;
            target = FCurrentWidget;
        } else {
            QEvent::Type type = QEvent::MouseMove;
            Qt::MouseButton button = Qt::NoButton;
            switch (msg) {
            case WM_LBUTTONDOWN: type = QEvent::MouseButtonPress; button = Qt::LeftButton; break;
            case WM_LBUTTONUP: type = QEvent::MouseButtonRelease; button = Qt::LeftButton; break;
            case WM_LBUTTONDBLCLK: type = QEvent::MouseButtonDblClick; button = Qt::LeftButton; break;
            case WM_RBUTTONDOWN: type = QEvent::MouseButtonPress; button = Qt::RightButton; break;
            case WM_RBUTTONUP: type = QEvent::MouseButtonRelease; button = Qt::RightButton; break;
            case WM_RBUTTONDBLCLK: type = QEvent::MouseButtonDblClick; button = Qt::RightButton; break;
            case WM_MBUTTONDOWN: type = QEvent::MouseButtonPress; button = Qt::MiddleButton; break;
            case WM_MBUTTONUP: type = QEvent::MouseButtonRelease; button = Qt::MiddleButton; break;
            case WM_MBUTTONDBLCLK: type = QEvent::MouseButtonDblClick; button = Qt::MiddleButton; break;
            default: break;
            }
            const QPointF global = FWidget->mapToGlobal(pos);
            made = std::make_unique<QMouseEvent>(type, pos, global, button, ButtonsFromKeys(Message.WParam),
                                                 ModifiersFromKeys(Message.WParam));
            event = made.get();
        }
    } else if (original && FCurrentWidget) {
        // Focus, enter, leave, wheel and paint only go back as they came.
        const QEvent::Type t = original->type();
        const bool matches = (msg == WM_SETFOCUS && t == QEvent::FocusIn) || (msg == WM_KILLFOCUS && t == QEvent::FocusOut) ||
                             (msg == CM_MOUSEENTER && t == QEvent::Enter) || (msg == CM_MOUSELEAVE && t == QEvent::Leave) ||
                             (msg == WM_MOUSEWHEEL && t == QEvent::Wheel) || (msg == WM_PAINT && t == QEvent::Paint);
        if (!matches) return;
        event = original;
        target = FCurrentWidget;
    }
    if (!event) return;

    QEvent* savedEvent = PassEvent;
    QWidget* savedTarget = PassTarget;
    PassEvent = event;
    PassTarget = target;
    QCoreApplication::sendEvent(target, event);
    PassEvent = savedEvent;
    PassTarget = savedTarget;
}

// ---- Key handling ----
bool TWinControl::DoKeyDown(TWMKey& Message)
{
    TCustomForm* form = GetParentForm(this);
    if (form && form != this && form->KeyPreview() && static_cast<TWinControl*>(form)->DoKeyDown(Message)) return true;
    if (!FControlStyle.Contains(csNoStdEvents)) {
        WORD key = WORD(Message.CharCode);
        KeyDown(key, KeyDataToShiftState(Message.KeyData));
        Message.CharCode = key;
    }
    return Message.CharCode == 0;
}

bool TWinControl::DoKeyUp(TWMKey& Message)
{
    TCustomForm* form = GetParentForm(this);
    if (form && form != this && form->KeyPreview() && static_cast<TWinControl*>(form)->DoKeyUp(Message)) return true;
    if (!FControlStyle.Contains(csNoStdEvents)) {
        WORD key = WORD(Message.CharCode);
        KeyUp(key, KeyDataToShiftState(Message.KeyData));
        Message.CharCode = key;
    }
    return Message.CharCode == 0;
}

bool TWinControl::DoKeyPress(TWMKey& Message)
{
    TCustomForm* form = GetParentForm(this);
    if (form && form != this && form->KeyPreview() && static_cast<TWinControl*>(form)->DoKeyPress(Message)) return true;
    if (!FControlStyle.Contains(csNoStdEvents)) {
        QChar ch(char16_t(Message.CharCode));
        KeyPress(ch);
        Message.CharCode = ch.unicode();
    }
    return Message.CharCode == 0;
}

void TWinControl::KeyDown(WORD& Key, TShiftState Shift)
{
    if (OnKeyDown) OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyUp(WORD& Key, TShiftState Shift)
{
    if (OnKeyUp) OnKeyUp(this, Key, Shift);
}

void TWinControl::KeyPress(QChar& Key)
{
    if (OnKeyPress) OnKeyPress(this, Key);
}

void TWinControl::DoEnter()
{
    if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit()
{
    if (OnExit) OnExit(this);
}

void TWinControl::WMKeyDown(TWMKey& Message)
{
    if (!DoKeyDown(Message)) DefaultHandler(Message.Message);
}

void TWinControl::WMKeyUp(TWMKey& Message)
{
    if (!DoKeyUp(Message)) DefaultHandler(Message.Message);
}

void TWinControl::WMChar(TWMKey& Message)
{
    if (!DoKeyPress(Message)) DefaultHandler(Message.Message);
}

void TWinControl::WMSysKeyDown(TWMKey& Message)
{
    if (!DoKeyDown(Message)) DefaultHandler(Message.Message);
}

void TWinControl::WMSysKeyUp(TWMKey& Message)
{
    if (!DoKeyUp(Message)) DefaultHandler(Message.Message);
}

void TWinControl::WMSysChar(TWMKey& Message)
{
    DefaultHandler(Message.Message);
}

// A special key (Tab, arrows, Enter, Escape) that the control does not ask
// for is the form's: it answers CM_DIALOGKEY non-zero when it used the key.
void TWinControl::CNKeyDown(TWMKey& Message)
{
    Message.Result = 0;
    LRESULT mask = 0;
    switch (WORD(Message.CharCode)) {
    case VK_TAB: mask = DLGC_WANTTAB; break;
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: mask = DLGC_WANTARROWS; break;
    case VK_RETURN: case VK_EXECUTE: case VK_ESCAPE: case VK_CANCEL: mask = DLGC_WANTALLKEYS; break;
    default: break;
    }
    if (mask == 0) return;
    if (Perform(CM_WANTSPECIALKEY, Message.CharCode, Message.KeyData) != 0) return;
    if ((Perform(WM_GETDLGCODE) & mask) != 0) return;
    TCustomForm* form = GetParentForm(this);
    if (form && form->Perform(CM_DIALOGKEY, Message.CharCode, Message.KeyData) != 0) Message.Result = 1;
}

// A character that the control does not want may be an accelerator of the form's.
void TWinControl::CNChar(TWMKey& Message)
{
    Message.Result = 0;
    if ((Perform(WM_GETDLGCODE) & DLGC_WANTCHARS) != 0) return;
    TCustomForm* form = GetParentForm(this);
    if (form && form->Perform(CM_DIALOGCHAR, Message.CharCode, Message.KeyData) != 0) Message.Result = 1;
}

void TWinControl::CMWantSpecialKey(TWMKey& Message)
{
    DefaultHandler(Message.Message);
}

void TWinControl::CMDialogKey(TCMDialogKey& Message)
{
    Broadcast(Message.Message);
}

void TWinControl::CMDialogChar(TCMDialogChar& Message)
{
    Broadcast(Message.Message);
}

void TWinControl::WMSetFocus(TWMSetFocus& Message)
{
    DefaultHandler(Message.Message);
    if (TCustomForm* form = GetParentForm(this)) form->SetFocusedControl(this);
}

void TWinControl::WMKillFocus(TWMKillFocus& Message)
{
    DefaultHandler(Message.Message);
}

void TWinControl::CMEnter(TMessage&)
{
    DoEnter();
}

void TWinControl::CMExit(TMessage&)
{
    DoExit();
}

void TWinControl::CMFocusChanged(TMessage& Message)
{
    Broadcast(Message);
}

void TWinControl::CMShowingChanged(TMessage&)
{
    UpdateShowing();
}

void TWinControl::CMVisibleChanged(TMessage& Message)
{
    TControl::CMVisibleChanged(Message);
    if (!Visible()) {
        if (TCustomForm* form = GetParentForm(this); form && form != this) form->DefocusControl(this, false);
    }
    Perform(CM_SHOWINGCHANGED);
}

void TWinControl::CMEnabledChanged(TMessage& Message)
{
    if (!Enabled()) {
        if (TCustomForm* form = GetParentForm(this); form && form != this) form->DefocusControl(this, false);
    }
    if (FWidget) FWidget->setEnabled(Enabled());
    TControl::CMEnabledChanged(Message);
}

void TWinControl::CMFontChanged(TMessage& Message)
{
    TControl::CMFontChanged(Message);
    ApplyWidgetFont();
    NotifyControls(CM_PARENTFONTCHANGED);
}

void TWinControl::CMColorChanged(TMessage& Message)
{
    TControl::CMColorChanged(Message);
    ApplyWidgetPalette();
    NotifyControls(CM_PARENTCOLORCHANGED);
}

void TWinControl::CMCursorChanged(TMessage&)
{
    if (!FWidget) return;
    if (Cursor() == crDefault) FWidget->unsetCursor();
    else FWidget->setCursor(ToQtCursor(Cursor()));
}

void TWinControl::WMSize(TWMSize&)
{
    Realign();
    SizeChanged();
}

void TWinControl::WMMove(TWMMove& Message)
{
    DefaultHandler(Message.Message);
}

void TWinControl::WMTimer(TWMTimer& Message)
{
    DefaultHandler(Message.Message);
}

void TWinControl::WMHScroll(TWMScroll& Message)
{
    DefaultHandler(Message.Message);
}

void TWinControl::WMVScroll(TWMScroll& Message)
{
    DefaultHandler(Message.Message);
}

void TWinControl::WMGetDlgCode(TWMGetDlgCode& Message)
{
    DefaultHandler(Message.Message);
}

void TWinControl::WMSetRedraw(TWMSetRedraw& Message)
{
    DefaultHandler(Message.Message);
}

void TWinControl::WMNCHitTest(TWMNCHitTest& Message)
{
    DefaultHandler(Message.Message);
}

void TWinControl::WMSetCursor(TWMSetCursor& Message)
{
    DefaultHandler(Message.Message);
}

void TWinControl::WMCaptureChanged(TMessage& Message)
{
    DefaultHandler(Message);
}

// ---- Translation of Qt events ----
bool TWinControl::HandleQtEvent(QWidget* widget, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress: return TranslateKeyPress(widget, event);
    case QEvent::KeyRelease: return TranslateKeyRelease(widget, event);
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: return TranslateMouse(widget, event);
    case QEvent::Wheel: return TranslateWheel(widget, event);
    case QEvent::Paint: return widget == FWidget && TranslatePaint(widget, event);
    case QEvent::FocusIn:
    case QEvent::FocusOut: return TranslateFocus(widget, event);
    case QEvent::Enter:
    case QEvent::Leave: return TranslateHover(widget, event);
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::DragLeave:
    case QEvent::Drop: return widget == FWidget && HandleDragEvent(this, widget, event);
    // Hints come from the application's own pause (TApplication), not Qt's.
    case QEvent::ToolTip: return true;
    case QEvent::Close:
        // The window's close box asks the form, which decides.
        if (auto* form = dynamic_cast<TCustomForm*>(this); form && widget == FWidget) {
            event->ignore();
            form->Close();
            return true;
        }
        return false;
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate:
        if (widget == FWidget && FWidget->isWindow()) FollowWindowActivation();
        return false;
    case QEvent::Resize:
    case QEvent::Move:
        // Our geometry leads; only a window that the user moves or sizes reports back.
        if (widget == FWidget && FWidget->isWindow()) {
            const QRect g = FWidget->geometry();
            if (g.x() != Left() || g.y() != Top() || g.width() != Width() || g.height() != Height()) {
                const bool sized = g.width() != Width() || g.height() != Height();
                UpdateBoundsFromWindow(g.x(), g.y(), g.width(), g.height());
                if (sized) Perform(WM_SIZE, SIZE_RESTORED, MakeLParam(ClientWidth(), ClientHeight()));
                else Perform(WM_MOVE, 0, MakeLParam(Left(), Top()));
            }
        }
        return false;
    default: return false;
    }
}

namespace {

// Remembers the Qt event a message is being made from, for DefaultHandler.
// The control may be gone when the scope ends (a handler freed it).
class TCurrentEventScope {
public:
    TCurrentEventScope(TControl* control, QEvent*& slot, QWidget*& widgetSlot, QEvent* event, QWidget* widget)
        : FSerial(control->Serial()), FSlot(slot), FWidgetSlot(widgetSlot), FSaved(slot), FSavedWidget(widgetSlot)
    {
        slot = event;
        widgetSlot = widget;
    }
    ~TCurrentEventScope()
    {
        if (!LiveControl(FSerial)) return;
        FSlot = FSaved;
        FWidgetSlot = FSavedWidget;
    }

private:
    std::uint64_t FSerial;
    QEvent*& FSlot;
    QWidget*& FWidgetSlot;
    QEvent* FSaved;
    QWidget* FSavedWidget;
};

} // namespace

bool TWinControl::TranslateKeyPress(QWidget* widget, QEvent* event)
{
    auto* k = static_cast<QKeyEvent*>(event);
    event->accept();
    const std::uint64_t serial = Serial();
    auto alive = [serial] { return LiveControl(serial) != nullptr; };
    const bool keypad = k->modifiers().testFlag(Qt::KeypadModifier);
    const WORD vk = QtKeyToVirtualKey(k->key(), keypad);
    NoteModifiers(k->modifiers());
    if (vk) SetKeyDown(vk, true);
    const bool alt = k->modifiers().testFlag(Qt::AltModifier);
    const bool ctrl = k->modifiers().testFlag(Qt::ControlModifier);
    const LPARAM keyData = MakeKeyData(vk, keypad, alt, k->isAutoRepeat(), false);
    Application->CancelHint();
    TCurrentEventScope scope(this, FCurrentEvent, FCurrentWidget, event, widget);

    if (vk) {
        if (Perform(CN_KEYDOWN, vk, keyData) != 0) return true;
        if (!alive() || !FWidget) return true;
        Perform(alt && !ctrl ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, keyData);
        if (!alive() || !FWidget) return true;
    }
    const QString text = TypedText(k);
    for (QChar ch : text) {
        if (alt && !ctrl) {
            // Alt with a character: an accelerator of the form's, if it has one.
            TCustomForm* form = GetParentForm(this);
            if (form) form->ShowFocusCues();
            if (form && form->Perform(CM_DIALOGCHAR, ch.unicode(), keyData) != 0) continue;
            Perform(WM_SYSCHAR, ch.unicode(), keyData);
        } else {
            if (Perform(CN_CHAR, ch.unicode(), keyData) != 0) continue;
            Perform(WM_CHAR, ch.unicode(), keyData);
        }
        if (!alive() || !FWidget) return true;
    }
    return true;
}

bool TWinControl::TranslateKeyRelease(QWidget* widget, QEvent* event)
{
    auto* k = static_cast<QKeyEvent*>(event);
    event->accept();
    const bool keypad = k->modifiers().testFlag(Qt::KeypadModifier);
    const WORD vk = QtKeyToVirtualKey(k->key(), keypad);
    if (vk) SetKeyDown(vk, false);
    NoteModifiers(k->modifiers());
    // The modifier itself is up now, whatever the event's modifiers say.
    if (vk == VK_SHIFT || vk == VK_CONTROL || vk == VK_MENU) SetKeyDown(vk, false);
    if (!vk) return true;
    const bool alt = k->modifiers().testFlag(Qt::AltModifier);
    const LPARAM keyData = MakeKeyData(vk, keypad, alt, true, true);
    TCurrentEventScope scope(this, FCurrentEvent, FCurrentWidget, event, widget);
    Perform(alt ? WM_SYSKEYUP : WM_KEYUP, vk, keyData);
    return true;
}

bool TWinControl::TranslateMouse(QWidget* widget, QEvent* event)
{
    auto* m = static_cast<QMouseEvent*>(event);
    event->accept();
    QPoint local = m->position().toPoint();
    if (widget != FWidget && FWidget) local = widget->mapTo(FWidget, local);
    const TPoint client{local.x(), local.y()};
    const TPoint screen = ClientToScreen(client);
    SetCursorPosition(screen);
    NoteModifiers(m->modifiers());
    NoteButtons(m->buttons());

    TControl* hit = ControlAtPos(client, false);
    UpdateMouseControl(hit);

    TControl* target = CaptureControl ? CaptureControl : (hit ? hit : this);
    const TPoint at = target == this ? client : target->ScreenToClient(screen);

    // The pointer shows the cursor of the control under it.
    if (FWidget && !CaptureControl && widget == FWidget) {
        const TCursor cursor = hit ? hit->Cursor() : Cursor();
        if (cursor == crDefault) FWidget->unsetCursor();
        else FWidget->setCursor(ToQtCursor(cursor));
    }

    UINT msg = MouseMessageOf(event->type(), m->button());
    if (event->type() == QEvent::MouseButtonDblClick && !target->ControlStyle().Contains(csDoubleClicks))
        msg = msg - 2;   // taken as a second press
    const WPARAM keys = MouseKeys(m->buttons(), m->modifiers());
    // A press ends the hint before its handler runs (it may open a window);
    // a move is seen after the control's own handler, which may have
    // cancelled the hint because the pointer reached another part of it.
    TControl* under = hit ? hit : this;
    TMessage hintMessage{msg, keys, PointToLParam(under == this ? client : under->ScreenToClient(screen)), 0};
    if (msg != WM_MOUSEMOVE) Application->HintMouseMessage(under, hintMessage);
    const std::uint64_t underSerial = under->Serial();
    if (target == this) {
        TCurrentEventScope scope(this, FCurrentEvent, FCurrentWidget, event, widget);
        Perform(msg, keys, PointToLParam(at));
    } else {
        target->Perform(msg, keys, PointToLParam(at));
    }
    if (msg == WM_MOUSEMOVE && LiveControl(underSerial)) Application->HintMouseMessage(under, hintMessage);
    return true;
}

bool TWinControl::TranslateWheel(QWidget* widget, QEvent* event)
{
    auto* w = static_cast<QWheelEvent*>(event);
    event->accept();
    QPoint local = w->position().toPoint();
    if (widget != FWidget && FWidget) local = widget->mapTo(FWidget, local);
    const TPoint screen = ClientToScreen({local.x(), local.y()});
    SetCursorPosition(screen);
    NoteModifiers(w->modifiers());
    int delta = w->angleDelta().y();
    if (delta == 0) delta = w->angleDelta().x();
    const WPARAM wparam = MakeWParam(int(MouseKeys(w->buttons(), w->modifiers())), delta);
    Application->CancelHint();
    // The wheel goes to the focused control, as the platform sends it.
    TWinControl* target = FocusedControl ? FocusedControl : this;
    if (target == this) {
        TCurrentEventScope scope(this, FCurrentEvent, FCurrentWidget, event, widget);
        Perform(WM_MOUSEWHEEL, wparam, PointToLParam(screen));
    } else {
        target->Perform(WM_MOUSEWHEEL, wparam, PointToLParam(screen));
    }
    return true;
}

bool TWinControl::TranslatePaint(QWidget* widget, QEvent* event)
{
    TCurrentEventScope scope(this, FCurrentEvent, FCurrentWidget, event, widget);
    Perform(WM_PAINT, 0, 0);
    return true;
}

bool TWinControl::TranslateFocus(QWidget* widget, QEvent* event)
{
    auto* f = static_cast<QFocusEvent*>(event);
    TCurrentEventScope scope(this, FCurrentEvent, FCurrentWidget, event, widget);
    if (event->type() == QEvent::FocusIn) {
        // Focus back from our own pop-up or sub-widget changes nothing for us.
        if (FocusedControl == this) SendToDefaultWidgetOnly(event, widget);
        else MoveFocusTo(this);
        return true;
    }
    // Focus going into our own pop-up (a combo's list) or to a widget inside
    // us does not count as leaving; focus going to another control of ours is
    // recorded by that control's FocusIn, which follows.
    QWidget* next = QApplication::focusWidget();
    const bool staysWithUs = f->reason() == Qt::PopupFocusReason || (next && BelongsTo(next, this));
    if (!staysWithUs && !(next && FindControl(next)) && FocusedControl == this) MoveFocusTo(nullptr);
    else SendToDefaultWidgetOnly(event, widget);
    return true;
}

void TWinControl::SendToDefaultWidgetOnly(QEvent* event, QWidget* widget)
{
    if (widget->metaObject() == &QWidget::staticMetaObject) return;
    QEvent* savedEvent = PassEvent;
    QWidget* savedTarget = PassTarget;
    PassEvent = event;
    PassTarget = widget;
    QCoreApplication::sendEvent(widget, event);
    PassEvent = savedEvent;
    PassTarget = savedTarget;
}

bool TWinControl::TranslateHover(QWidget* widget, QEvent* event)
{
    TCurrentEventScope scope(this, FCurrentEvent, FCurrentWidget, event, widget);
    if (event->type() == QEvent::Enter) {
        Perform(CM_MOUSEENTER, 0, LPARAM(this));
    } else {
        UpdateMouseControl(nullptr);
        if (TControl* hinted = Application->HintControl(); hinted && (hinted == this || ContainsControl(hinted)))
            Application->CancelHint();
        Perform(CM_MOUSELEAVE, 0, LPARAM(this));
    }
    return true;
}

void TWinControl::UpdateMouseControl(TControl* control)
{
    if (FMouseControl == control) return;
    TControl* old = FMouseControl;
    FMouseControl = control;
    // While a control holds the mouse only it hears of entering and leaving.
    auto told = [](TControl* c) { return c && (!CaptureControl || CaptureControl == c); };
    if (told(old)) old->Perform(CM_MOUSELEAVE, 0, LPARAM(old));
    if (told(control)) control->Perform(CM_MOUSEENTER, 0, LPARAM(control));
}
