#pragma once
// Drag and drop between windows and programs, in the platform's shape: a
// window registers a drop target, which is told when a drag enters, moves
// over, leaves or drops on it and answers the effect it would take; a drag
// carries a data object (Qt's QMimeData, formats as MIME types with the
// clipboard's byte layouts) and asks its drop source, while it runs, whether
// to go on and what the target answered.
//
// The window system's drag (QDrag::exec) blocks until the drop, so it runs
// behind the seam Seams().DragDrop: tests play the drop themselves by sending
// drag events to a window. Points given to targets are screen points; key
// states are MK_* flags; effects are DROPEFFECT_* flags (Qt's drop actions
// have the same values).

#include "platform/Messages.h"

#include <QByteArray>
#include <QMimeData>
#include <memory>

class QWidget;
class QEvent;
class TWinControl;

using HRESULT = std::int32_t;

constexpr DWORD DROPEFFECT_NONE = 0, DROPEFFECT_COPY = 1, DROPEFFECT_MOVE = 2, DROPEFFECT_LINK = 4;
constexpr HRESULT S_OK = 0, S_FALSE = 1;
constexpr HRESULT DRAGDROP_S_DROP = 0x40100, DRAGDROP_S_CANCEL = 0x40101, DRAGDROP_S_USEDEFAULTCURSORS = 0x40102;
constexpr HRESULT DV_E_FORMATETC = HRESULT(0x80040064u), E_NOTIMPL = HRESULT(0x80004001u),
                  OLE_E_ADVISENOTSUPPORTED = HRESULT(0x80040003u), E_FAIL = HRESULT(0x80004005u);
// The Alt key in a drag's key state.
constexpr DWORD MK_ALT = 0x20;

// What a window does with drags that pass over it.
class TDropTarget {
public:
    virtual ~TDropTarget() = default;
    virtual HRESULT DragEnter(const QMimeData* Data, DWORD KeyState, TPoint Pt, DWORD& Effect) = 0;
    virtual HRESULT DragOver(DWORD KeyState, TPoint Pt, DWORD& Effect) = 0;
    virtual HRESULT DragLeave() = 0;
    virtual HRESULT Drop(const QMimeData* Data, DWORD KeyState, TPoint Pt, DWORD& Effect) = 0;
};

// What a drag asks of the window it started from.
class TDropSource {
public:
    virtual ~TDropSource() = default;
    // DRAGDROP_S_CANCEL, DRAGDROP_S_DROP or S_OK (go on).
    virtual HRESULT QueryContinueDrag(bool EscapePressed, DWORD KeyState) = 0;
    // The effect the target under the pointer answers now.
    virtual HRESULT GiveFeedback(DWORD Effect) = 0;
};

// One drag handed to the seam. Effect comes back as the effect of the drop.
struct TDragRequest {
    const QMimeData* Data = nullptr;
    TDropSource* Source = nullptr;
    DWORD OkEffects = DROPEFFECT_COPY;
};

// Runs a drag with the data (which the drag owns from now on) until it is
// dropped or cancelled: DRAGDROP_S_DROP with the effect of the drop, or
// DRAGDROP_S_CANCEL with DROPEFFECT_NONE.
HRESULT DoDragDrop(std::unique_ptr<QMimeData> Data, TDropSource* Source, DWORD OkEffects, DWORD& Effect);
// The window system's drag, the seam's real handler.
HRESULT RealDoDragDrop(const TDragRequest& Request, DWORD& Effect);

// The control's window takes drops through the target (not owned) until revoked.
// False when the control has no window to give.
bool RegisterDragDrop(TWinControl* Control, TDropTarget* Target);
void RevokeDragDrop(TWinControl* Control);
TDropTarget* RegisteredDropTarget(const TWinControl* Control);

// The key state of a drag event's buttons and modifiers.
DWORD DragKeyState(Qt::MouseButtons Buttons, Qt::KeyboardModifiers Modifiers);
// A Qt drag event on a registered control's window, handed to its target;
// false when the event is no drag event or the control registered none.
bool HandleDragEvent(TWinControl* Control, QWidget* Widget, QEvent* Event);
