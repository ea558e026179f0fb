#include "platform/DragDrop.h"

#include "platform/Controls.h"
#include "platform/Seams.h"

#include <QApplication>
#include <QCursor>
#include <QDrag>
#include <QDropEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <unordered_map>

namespace {

std::unordered_map<const TWinControl*, TDropTarget*>& Targets()
{
    static std::unordered_map<const TWinControl*, TDropTarget*> targets;
    return targets;
}

// A copy for the window system's drag, which owns its data and frees it when it likes.
QMimeData* CopyOf(const QMimeData& data)
{
    auto* copy = new QMimeData;
    for (const QString& mime : data.formats()) copy->setData(mime, data.data(mime));
    if (data.hasText() && !copy->hasText()) copy->setText(data.text());
    return copy;
}

// How often a running drag asks its source whether to go on (and lets it move its picture).
constexpr int SourcePollMs = 15;

} // namespace

DWORD DragKeyState(Qt::MouseButtons Buttons, Qt::KeyboardModifiers Modifiers)
{
    DWORD state = 0;
    if (Buttons & Qt::LeftButton) state |= MK_LBUTTON;
    if (Buttons & Qt::RightButton) state |= MK_RBUTTON;
    if (Buttons & Qt::MiddleButton) state |= MK_MBUTTON;
    if (Modifiers & Qt::ShiftModifier) state |= MK_SHIFT;
    if (Modifiers & Qt::ControlModifier) state |= MK_CONTROL;
    if (Modifiers & Qt::AltModifier) state |= MK_ALT;
    return state;
}

HRESULT DoDragDrop(std::unique_ptr<QMimeData> Data, TDropSource* Source, DWORD OkEffects, DWORD& Effect)
{
    Effect = DROPEFFECT_NONE;
    if (!Data || !Source || !Seams().DragDrop) return DRAGDROP_S_CANCEL;
    const TDragRequest request{Data.get(), Source, OkEffects};
    return Seams().DragDrop(request, Effect);
}

HRESULT RealDoDragDrop(const TDragRequest& Request, DWORD& Effect)
{
    Effect = DROPEFFECT_NONE;
    if (!QApplication::instance()) return DRAGDROP_S_CANCEL;
    QObject* origin = QApplication::widgetAt(QCursor::pos());
    if (!origin) origin = QApplication::instance();
    QPointer<QDrag> drag = new QDrag(origin);
    drag->setMimeData(CopyOf(*Request.Data));
    TDropSource* source = Request.Source;
    QObject::connect(drag, &QDrag::actionChanged,
                     [source](Qt::DropAction action) { source->GiveFeedback(DWORD(action)); });
    // The window system runs its own loop until the drop; timers still fire in it.
    QTimer poll;
    poll.setInterval(SourcePollMs);
    QObject::connect(&poll, &QTimer::timeout, [source] {
        // The window system's drag loop takes the pointer's moves, so the position a drag picture follows is
        // read here rather than left at the last move our windows saw.
        const QPoint at = QCursor::pos();
        SetCursorPosition(TPoint{at.x(), at.y()});
        source->QueryContinueDrag(false, MK_LBUTTON | DragKeyState({}, QApplication::queryKeyboardModifiers()));
    });
    poll.start();
    const Qt::DropActions ok = Qt::DropActions(int(Request.OkEffects));
    const Qt::DropAction preferred = (Request.OkEffects & DROPEFFECT_MOVE) ? Qt::MoveAction : Qt::CopyAction;
    const Qt::DropAction result = drag->exec(ok, preferred);
    poll.stop();
    if (drag) drag->deleteLater();
    // The drag is over: a drop ends it as a released button does, anything else as Escape does.
    const bool dropped = result != Qt::IgnoreAction;
    source->QueryContinueDrag(!dropped, 0);
    if (!dropped) return DRAGDROP_S_CANCEL;
    Effect = DWORD(result);
    return DRAGDROP_S_DROP;
}

bool RegisterDragDrop(TWinControl* Control, TDropTarget* Target)
{
    if (!Control || !Target) return false;
    QWidget* widget = Control->Handle();
    if (!widget) return false;
    widget->setAcceptDrops(true);
    Targets()[Control] = Target;
    return true;
}

void RevokeDragDrop(TWinControl* Control)
{
    if (Targets().erase(Control) == 0) return;
    if (Control->HandleAllocated()) Control->Handle()->setAcceptDrops(false);
}

TDropTarget* RegisteredDropTarget(const TWinControl* Control)
{
    const auto it = Targets().find(Control);
    return it == Targets().end() ? nullptr : it->second;
}

bool HandleDragEvent(TWinControl* Control, QWidget* Widget, QEvent* Event)
{
    TDropTarget* target = RegisteredDropTarget(Control);
    if (!target) return false;
    auto screenPoint = [&](const QDropEvent* e) {
        const QPoint p = Widget->mapToGlobal(e->position().toPoint());
        return TPoint{p.x(), p.y()};
    };
    // The target's answer: an effect the drag allows, or a refusal.
    auto answer = [](QDropEvent* e, DWORD effect, bool keepListening) {
        const DWORD allowed = effect & DWORD(int(e->possibleActions()));
        const DWORD chosen = (allowed & DROPEFFECT_MOVE) ? DROPEFFECT_MOVE
                             : (allowed & DROPEFFECT_COPY) ? DROPEFFECT_COPY
                                                           : allowed & DROPEFFECT_LINK;
        if (chosen != DROPEFFECT_NONE) {
            e->setDropAction(Qt::DropAction(int(chosen)));
            e->accept();
        } else if (keepListening) {
            // Entering is always taken, so that the moves keep coming; the move decides.
            e->setDropAction(Qt::IgnoreAction);
            e->accept();
        } else {
            e->ignore();
        }
    };
    switch (Event->type()) {
    case QEvent::DragEnter: {
        auto* e = static_cast<QDragEnterEvent*>(Event);
        DWORD effect = DWORD(int(e->possibleActions()));
        target->DragEnter(e->mimeData(), DragKeyState(e->buttons(), e->modifiers()), screenPoint(e), effect);
        answer(e, effect, true);
        return true;
    }
    case QEvent::DragMove: {
        auto* e = static_cast<QDragMoveEvent*>(Event);
        DWORD effect = DWORD(int(e->possibleActions()));
        target->DragOver(DragKeyState(e->buttons(), e->modifiers()), screenPoint(e), effect);
        answer(e, effect, false);
        return true;
    }
    case QEvent::DragLeave:
        target->DragLeave();
        Event->accept();
        return true;
    case QEvent::Drop: {
        auto* e = static_cast<QDropEvent*>(Event);
        DWORD effect = DWORD(int(e->possibleActions()));
        target->Drop(e->mimeData(), DragKeyState(e->buttons(), e->modifiers()), screenPoint(e), effect);
        answer(e, effect, false);
        return true;
    }
    default: return false;
    }
}
