#include "tests/common/TestSeams.h"

#include "platform/Controls.h"
#include "platform/Forms.h"
#include "platform/Menus.h"

#include <QApplication>
#include <QGuiApplication>
#include <QWindow>
#include <QCoreApplication>
#include <QEnterEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <QUrl>
#include <QWidget>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <algorithm>

// ---- Test clock ------------------------------------------------------------------------
TTestClock::TTestClock(std::uint64_t start) : FNow(start) {}

void TTestClock::Sleep(unsigned ms)
{
    FSleeps.push_back(ms);
    FNow += ms;
}

TClock::TTimerId TTestClock::StartTimer(unsigned intervalMs, std::function<void()> onTick)
{
    const TTimerId id = FNextId++;
    TEntry e;
    e.Interval = std::max(1u, intervalMs);
    e.Due = FNow + e.Interval;
    e.Order = FNextOrder++;
    e.OnTick = std::move(onTick);
    FTimers.emplace(id, std::move(e));
    return id;
}

void TTestClock::StopTimer(TTimerId id)
{
    FTimers.erase(id);
}

void TTestClock::FireDueTimers()
{
    RunUntil(FNow);
}

void TTestClock::Advance(std::uint64_t ms)
{
    RunUntil(FNow + ms);
}

void TTestClock::RunUntil(std::uint64_t target)
{
    for (;;) {
        auto next = FTimers.end();
        for (auto it = FTimers.begin(); it != FTimers.end(); ++it) {
            if (it->second.Due > target) continue;
            if (next == FTimers.end() || it->second.Due < next->second.Due ||
                (it->second.Due == next->second.Due && it->second.Order < next->second.Order))
                next = it;
        }
        if (next == FTimers.end()) break;
        TEntry& e = next->second;
        FNow = std::max(FNow, e.Due);
        e.Due += e.Interval;
        // The tick may stop or start timers, this one included: call a copy.
        std::function<void()> tick = e.OnTick;
        tick();
    }
    FNow = std::max(FNow, target);
}

// ---- Test seams ------------------------------------------------------------------------
TTestSeams::TTestSeams() : FSaved(Seams()), FClock(std::make_shared<TTestClock>())
{
    Install();
}

TTestSeams::~TTestSeams()
{
    Seams() = FSaved;
}

void TTestSeams::Install()
{
    TSeamHandlers& h = Seams();
    h.MessageBox = [this](const TMessageBoxRequest& r) {
        Boxes.push_back(r);
        return NextBoxAnswer(r);
    };
    h.FileDialog = [this](const TFileDialogRequest& r) {
        FileDialogs.push_back(r);
        if (FFileAnswers.empty()) return TFileDialogAnswer{};
        TFileDialogAnswer a = FFileAnswers.front();
        FFileAnswers.pop_front();
        return a;
    };
    h.ModalStep = [this](TCustomForm& form) { ModalStep(form); };
    h.DragDrop = [this](const TDragRequest& r, std::uint32_t& effect) -> std::int32_t {
        TDragRecord record;
        record.OkEffects = r.OkEffects;
        for (const QString& mime : r.Data->formats()) record.Formats.emplace_back(mime, r.Data->data(mime));
        Drags.push_back(record);
        effect = DROPEFFECT_NONE;
        if (PlayDrag) return PlayDrag(r, effect);
        r.Source->QueryContinueDrag(true, 0);
        return DRAGDROP_S_CANCEL;
    };
    h.OpenUrl = [this](const String& url) {
        OpenedUrls.push_back(url);
        return true;
    };
    h.StartProgram = [this](const TProgramStart& s) -> std::shared_ptr<TProcessHandle> {
        StartedPrograms.push_back(s);
        if (FailProgramStarts) return nullptr;
        auto p = std::make_shared<TFakeProcess>(ProgramPollsBeforeExit);
        Processes.push_back(p);
        return p;
    };
    h.HttpUrl = [this](const String& url) {
        // Keep the path and query, replace scheme, host and port.
        const QUrl u(url);
        QString rest = u.path(QUrl::FullyEncoded);
        if (u.hasQuery()) rest += u'?' + u.query(QUrl::FullyEncoded);
        return FHttpBase + rest;
    };
    h.PopupMenu = [this](TPopupMenu* menu, int x, int y) {
        Popups.push_back({menu, x, y});
        if (FPopupAnswers.empty()) return;
        const int index = FPopupAnswers.front();
        FPopupAnswers.pop_front();
        if (index >= 0 && index < menu->Items()->Count()) menu->Items()->Items(index)->Click();
    };
    h.Clock = FClock;
}

int TTestSeams::NextBoxAnswer(const TMessageBoxRequest& request)
{
    if (FBoxAnswers.empty()) return request.DefaultButton;
    const int a = FBoxAnswers.front();
    FBoxAnswers.pop_front();
    return a;
}

void TTestSeams::AnswerFileDialog(const String& fileName, int filterIndex)
{
    TFileDialogAnswer a;
    a.Accepted = true;
    a.FileNames.push_back(fileName);
    a.FilterIndex = filterIndex;
    FFileAnswers.push_back(a);
}

void TTestSeams::CancelFileDialog()
{
    FFileAnswers.push_back(TFileDialogAnswer{});
}

void TTestSeams::AnswerModal(std::function<void(TCustomForm&)> callback, int result)
{
    FModalScripts.push_back({std::move(callback), result});
}

void TTestSeams::ModalStep(TCustomForm& form)
{
    TModalRecord record;
    record.Form = &form;
    record.ClassName = form.ClassName();
    record.Caption = form.Caption();
    if (FModalScripts.empty()) {
        // An unscripted form closes with Cancel; one that refuses even that
        // would keep the test waiting for ever, so it is an error.
        if (FLastUnscripted == &form)
            throw Exception(QStringLiteral("The modal form %1 did not close").arg(record.ClassName));
        FLastUnscripted = &form;
        form.SetModalResult(mrCancel);
    } else {
        FLastUnscripted = nullptr;
        TModalScript script = std::move(FModalScripts.front());
        FModalScripts.pop_front();
        if (script.Callback) script.Callback(form);
        if (form.ModalResult() == mrNone) form.SetModalResult(script.Result);
    }
    record.Result = form.ModalResult();
    ModalForms.push_back(record);
}

// ---- Simulated input -----------------------------------------------------------------------

namespace {

// The widget that carries the control's input, and the point there.
QWidget* InputWidget(TControl* control, TPoint& at)
{
    auto* w = dynamic_cast<TWinControl*>(control);
    TControl* c = control;
    while (!w && c->Parent()) {
        at = {at.X + c->Left(), at.Y + c->Top()};
        c = c->Parent();
        w = dynamic_cast<TWinControl*>(c);
    }
    return w ? w->Handle() : nullptr;
}

void SendMouse(TControl* control, QEvent::Type type, TPoint at, Qt::MouseButton button, Qt::MouseButtons buttons,
               Qt::KeyboardModifiers modifiers)
{
    QWidget* w = InputWidget(control, at);
    if (!w) return;
    const QPointF local(at.X, at.Y);
    QMouseEvent e(type, local, w->mapToGlobal(local), button, buttons, modifiers);
    QCoreApplication::sendEvent(w, &e);
}

} // namespace

TModalLoopGuard::TModalLoopGuard(TCustomForm& form, int ms) : FTimer(std::make_unique<QTimer>())
{
    FTimer->setSingleShot(true);
    QObject::connect(FTimer.get(), &QTimer::timeout, [&form] { form.SetModalResult(mrAbort); });
    FTimer->start(ms);
}

TModalLoopGuard::~TModalLoopGuard() = default;

namespace Simulate {

void KeyDown(TWinControl* control, int qtKey, Qt::KeyboardModifiers modifiers, const String& text)
{
    QKeyEvent e(QEvent::KeyPress, qtKey, modifiers, text);
    QCoreApplication::sendEvent(control->Handle(), &e);
}

void KeyUp(TWinControl* control, int qtKey, Qt::KeyboardModifiers modifiers)
{
    QKeyEvent e(QEvent::KeyRelease, qtKey, modifiers);
    QCoreApplication::sendEvent(control->Handle(), &e);
}

void Key(TWinControl* control, int qtKey, Qt::KeyboardModifiers modifiers, const String& text)
{
    QPointer<QWidget> w(control->Handle());
    KeyDown(control, qtKey, modifiers, text);
    // The press may have closed or freed what it was typed into.
    if (w && FindControl(w) == control) KeyUp(control, qtKey, modifiers);
    // The fingers leave the modifier keys too.
    if (modifiers.testFlag(Qt::ShiftModifier)) SetKeyDown(VK_SHIFT, false);
    if (modifiers.testFlag(Qt::ControlModifier)) SetKeyDown(VK_CONTROL, false);
    if (modifiers.testFlag(Qt::AltModifier)) SetKeyDown(VK_MENU, false);
}

void Type(TWinControl* control, const String& text)
{
    for (QChar ch : text) {
        const char16_t c = ch.unicode();
        int key = Qt::Key_unknown;
        Qt::KeyboardModifiers mods;
        if (c >= 'a' && c <= 'z') key = Qt::Key_A + (c - 'a');
        else if (c >= 'A' && c <= 'Z') { key = Qt::Key_A + (c - 'A'); mods = Qt::ShiftModifier; }
        else if (c >= '0' && c <= '9') key = Qt::Key_0 + (c - '0');
        else if (c == '\r') key = Qt::Key_Return;
        else if (c == 8) key = Qt::Key_Backspace;
        else if (c == 27) key = Qt::Key_Escape;
        else if (c == ' ') key = Qt::Key_Space;
        else if (c < 0x80) key = int(c);
        Key(control, key, mods, QString(ch));
    }
}

void TypeIntoFocus(const String& text)
{
    // A window just shown has the focus once the window system activated it.
    // The offscreen platform keeps a hidden window as its focus window, so
    // one shown again is not activated anew: that is done here, as a window
    // manager would.
    QCoreApplication::processEvents();
    if (!QApplication::focusWidget()) {
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->isVisible() && window->windowHandle() == QGuiApplication::focusWindow())
                QApplication::setActiveWindow(window);
    }
    if (!QTest::qWaitFor([] { return QApplication::focusWidget() != nullptr; }, 5000)) {
        ADD_FAILURE() << "no window has the focus";
        return;
    }
    for (QChar ch : text) {
        TWinControl* focused = FindControl(QApplication::focusWidget());
        if (!focused) {
            ADD_FAILURE() << "no control has the focus for " << QString(ch).toStdString();
            return;
        }
        if (ch == u'\t') Key(focused, Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
        else Type(focused, String(ch));
    }
}

void MouseDown(TControl* control, const TPoint& at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    SendMouse(control, QEvent::MouseButtonPress, at, button, button, modifiers);
}

void MouseUp(TControl* control, const TPoint& at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    SendMouse(control, QEvent::MouseButtonRelease, at, button, Qt::NoButton, modifiers);
}

void MouseMove(TControl* control, const TPoint& at, Qt::MouseButtons buttons)
{
    SendMouse(control, QEvent::MouseMove, at, Qt::NoButton, buttons, Qt::NoModifier);
}

void Click(TControl* control, const TPoint& at)
{
    MouseDown(control, at);
    MouseUp(control, at);
}

void DoubleClick(TControl* control, const TPoint& at)
{
    MouseDown(control, at);
    MouseUp(control, at);
    SendMouse(control, QEvent::MouseButtonDblClick, at, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    MouseUp(control, at);
}

void Wheel(TControl* control, const TPoint& at, int delta)
{
    TPoint p = at;
    QWidget* w = InputWidget(control, p);
    if (!w) return;
    const QPointF local(p.X, p.Y);
    QWheelEvent e(local, w->mapToGlobal(local), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                  Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(w, &e);
}

void Enter(TWinControl* control)
{
    QEnterEvent e(QPointF(0, 0), QPointF(0, 0), QPointF(0, 0));
    QCoreApplication::sendEvent(control->Handle(), &e);
}

void Leave(TWinControl* control)
{
    QEvent e(QEvent::Leave);
    QCoreApplication::sendEvent(control->Handle(), &e);
}

void TPointer::Send(TControl* control, const TPoint& at, int afterMs, QEvent::Type type)
{
    TPoint p = at;
    QWidget* w = InputWidget(control, p);
    QWindow* window = w ? w->window()->windowHandle() : nullptr;
    if (!window) return;
    const QPointF global = w->mapToGlobal(QPointF(p.X, p.Y));
    if (type != QEvent::MouseMove) FButtons.setFlag(Qt::LeftButton, type == QEvent::MouseButtonPress);
    // QTest's own mouse events count from the same clock, so both kinds may follow each other.
    QTest::lastMouseTimestamp += std::max(0, afterMs);
    qt_handleMouseEvent(window, window->mapFromGlobal(global), global, FButtons,
                        type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, type, Qt::NoModifier,
                        QTest::lastMouseTimestamp);
    QCoreApplication::processEvents();
}

void TPointer::Press(TControl* control, const TPoint& at, int afterMs)
{
    Send(control, at, afterMs, QEvent::MouseButtonPress);
}

void TPointer::Release(TControl* control, const TPoint& at, int afterMs)
{
    Send(control, at, afterMs, QEvent::MouseButtonRelease);
}

void TPointer::Move(TControl* control, const TPoint& at, int afterMs)
{
    Send(control, at, afterMs, QEvent::MouseMove);
}

void TPointer::Click(TControl* control, const TPoint& at, int afterMs, int holdMs)
{
    Press(control, at, afterMs);
    Release(control, at, holdMs);
}

} // namespace Simulate
