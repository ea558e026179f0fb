#pragma once
// What the Controls*.cpp files share and nobody else sees: the registries of
// live controls and their widgets, the focus and capture records, window
// timers, scroll-bar state, and the conversions between Qt's events and
// window messages.

#include "platform/Controls.h"
#include "platform/Seams.h"

#include <QEvent>
#include <QObject>
#include <QPointer>

#include <cstdint>
#include <map>
#include <memory>
#include <unordered_map>
#include <vector>

class QWidget;

namespace ControlsPrivate {

inline std::uint64_t NextSerial = 1;
inline TControl* CaptureControl = nullptr;
inline TWinControl* FocusedControl = nullptr;
// The event being handed back to a widget for Qt's own processing: the
// widget it is meant for sees it unfiltered; a parent that Qt propagates it
// to must not take it for its own.
inline QEvent* PassEvent = nullptr;
inline QWidget* PassTarget = nullptr;

std::unordered_map<const QWidget*, TWinControl*>& WidgetMap();
std::unordered_map<std::uint64_t, TControl*>& LiveControls();
// The widgets whose events are being handled right now, innermost last.
std::vector<QWidget*>& DispatchStack();
bool WidgetInDispatch(const QWidget* w);
TControl* LiveControl(std::uint64_t serial);

struct TWindowTimer {
    std::shared_ptr<TClock> Clock;
    TClock::TTimerId Id = 0;
};
std::map<std::pair<std::uint64_t, std::uintptr_t>, TWindowTimer>& WindowTimers();
void KillTimersOf(std::uint64_t serial);

struct TScrollBarState {
    int Min = 0;
    int Max = 0;
    int Page = 0;
    int Pos = 0;
    int TrackPos = 0;
    bool Visible = false;
};
std::map<std::pair<std::uint64_t, int>, TScrollBarState>& ScrollBars();
void ForgetScrollBarsOf(std::uint64_t serial);

Qt::CursorShape ToQtCursor(TCursor cursor);
Qt::KeyboardModifiers CurrentModifiers();
void NoteModifiers(Qt::KeyboardModifiers m);
void NoteButtons(Qt::MouseButtons b);
WPARAM MouseKeys(Qt::MouseButtons b, Qt::KeyboardModifiers m);
Qt::MouseButtons ButtonsFromKeys(WPARAM keys);
Qt::KeyboardModifiers ModifiersFromKeys(WPARAM keys);
bool IsMouseMessage(UINT msg);
bool IsKeyMessage(UINT msg);
// The mouse message of a Qt mouse event.
UINT MouseMessageOf(QEvent::Type type, Qt::MouseButton button);
// The Qt key event that a character message stands for.
int QtKeyForChar(char16_t ch);
// Moves our record of the keyboard focus and tells both sides, as the
// window system does: WM_KILLFOCUS to the old control, WM_SETFOCUS to the new.
void MoveFocusTo(TWinControl* control);
// Does the widget belong to the control: its own widget, a widget inside
// it, or a pop-up whose owner chain leads to it (a combo's list)?
bool BelongsTo(const QWidget* w, const TWinControl* control);

} // namespace ControlsPrivate

// Watches the widgets of our controls and turns their events into messages.
class TQtEventBridge : public QObject {
public:
    static TQtEventBridge* Instance()
    {
        static QPointer<TQtEventBridge> bridge;
        if (!bridge) bridge = new TQtEventBridge;
        return bridge;
    }
    bool eventFilter(QObject* watched, QEvent* event) override;
};
