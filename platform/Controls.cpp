// The registries of controls and widgets, the bridge from Qt's events, and
// the free functions of messages, capture, timers and scroll bars.
#include "platform/Controls.h"
#include "platform/Cursors.h"

#include "platform/ActnList.h"
#include "platform/ControlsPrivate.h"
#include "platform/Forms.h"
#include "platform/Menus.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCursor>
#include <QEnterEvent>
#include <QFocusEvent>
#include <QHelpEvent>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QToolTip>
#include <QWheelEvent>
#include <QWidget>

#include <algorithm>
#include <climits>
#include <cxxabi.h>
#include <map>
#include <typeinfo>
#include <unordered_map>

using namespace ControlsPrivate;

// ---- Registries ----------------------------------------------------------------------
namespace ControlsPrivate {
std::unordered_map<const QWidget*, TWinControl*>& WidgetMap()
{
    static std::unordered_map<const QWidget*, TWinControl*> map;
    return map;
}

std::unordered_map<std::uint64_t, TControl*>& LiveControls()
{
    static std::unordered_map<std::uint64_t, TControl*> map;
    return map;
}

std::vector<QWidget*>& DispatchStack()
{
    static std::vector<QWidget*> stack;
    return stack;
}

bool WidgetInDispatch(const QWidget* w)
{
    for (const QWidget* busy : DispatchStack()) {
        if (busy == w || w->isAncestorOf(busy)) return true;
    }
    return false;
}

TControl* LiveControl(std::uint64_t serial)
{
    auto it = LiveControls().find(serial);
    return it == LiveControls().end() ? nullptr : it->second;
}

std::map<std::pair<std::uint64_t, std::uintptr_t>, TWindowTimer>& WindowTimers()
{
    static std::map<std::pair<std::uint64_t, std::uintptr_t>, TWindowTimer> timers;
    return timers;
}

void KillTimersOf(std::uint64_t serial)
{
    auto& timers = WindowTimers();
    for (auto it = timers.begin(); it != timers.end();) {
        if (it->first.first == serial) {
            it->second.Clock->StopTimer(it->second.Id);
            it = timers.erase(it);
        } else {
            ++it;
        }
    }
}

Qt::CursorShape ToQtCursor(TCursor cursor)
{
    switch (cursor) {
    case crNone: return Qt::BlankCursor;
    case crCross: return Qt::CrossCursor;
    case crIBeam: return Qt::IBeamCursor;
    case crSizeNESW: return Qt::SizeBDiagCursor;
    case crSizeNS: return Qt::SizeVerCursor;
    case crSizeNWSE: return Qt::SizeFDiagCursor;
    case crSizeWE: return Qt::SizeHorCursor;
    case crUpArrow: return Qt::UpArrowCursor;
    case crHourGlass:
    case crSQLWait: return Qt::WaitCursor;
    case crDrag: return Qt::DragMoveCursor;
    case crMultiDrag: return Qt::DragCopyCursor;
    case crNoDrop:
    case crNo: return Qt::ForbiddenCursor;
    case crHSplit: return Qt::SplitHCursor;
    case crVSplit: return Qt::SplitVCursor;
    case crAppStart: return Qt::BusyCursor;
    case crHelp: return Qt::WhatsThisCursor;
    case crHandPoint: return Qt::PointingHandCursor;
    case crSizeAll: return Qt::SizeAllCursor;
    default: return Qt::ArrowCursor;
    }
}

Qt::KeyboardModifiers CurrentModifiers()
{
    Qt::KeyboardModifiers m;
    if (GetKeyState(VK_SHIFT) < 0) m |= Qt::ShiftModifier;
    if (GetKeyState(VK_CONTROL) < 0) m |= Qt::ControlModifier;
    if (GetKeyState(VK_MENU) < 0) m |= Qt::AltModifier;
    return m;
}

void NoteModifiers(Qt::KeyboardModifiers m)
{
    SetKeyDown(VK_SHIFT, m.testFlag(Qt::ShiftModifier));
    SetKeyDown(VK_CONTROL, m.testFlag(Qt::ControlModifier));
    SetKeyDown(VK_MENU, m.testFlag(Qt::AltModifier));
}

void NoteButtons(Qt::MouseButtons b)
{
    SetKeyDown(VK_LBUTTON, b.testFlag(Qt::LeftButton));
    SetKeyDown(VK_RBUTTON, b.testFlag(Qt::RightButton));
    SetKeyDown(VK_MBUTTON, b.testFlag(Qt::MiddleButton));
}

WPARAM MouseKeys(Qt::MouseButtons b, Qt::KeyboardModifiers m)
{
    WPARAM keys = 0;
    if (b.testFlag(Qt::LeftButton)) keys |= MK_LBUTTON;
    if (b.testFlag(Qt::RightButton)) keys |= MK_RBUTTON;
    if (b.testFlag(Qt::MiddleButton)) keys |= MK_MBUTTON;
    if (m.testFlag(Qt::ShiftModifier)) keys |= MK_SHIFT;
    if (m.testFlag(Qt::ControlModifier)) keys |= MK_CONTROL;
    return keys;
}

Qt::MouseButtons ButtonsFromKeys(WPARAM keys)
{
    Qt::MouseButtons b;
    if (keys & MK_LBUTTON) b |= Qt::LeftButton;
    if (keys & MK_RBUTTON) b |= Qt::RightButton;
    if (keys & MK_MBUTTON) b |= Qt::MiddleButton;
    return b;
}

Qt::KeyboardModifiers ModifiersFromKeys(WPARAM keys)
{
    Qt::KeyboardModifiers m;
    if (keys & MK_SHIFT) m |= Qt::ShiftModifier;
    if (keys & MK_CONTROL) m |= Qt::ControlModifier;
    return m;
}

bool IsMouseMessage(UINT msg)
{
    return msg >= WM_MOUSEMOVE && msg <= WM_MBUTTONDBLCLK;
}

bool IsKeyMessage(UINT msg)
{
    return msg >= WM_KEYDOWN && msg <= WM_SYSCHAR;
}

UINT MouseMessageOf(QEvent::Type type, Qt::MouseButton button)
{
    const int base = button == Qt::RightButton ? WM_RBUTTONDOWN : button == Qt::MiddleButton ? WM_MBUTTONDOWN : WM_LBUTTONDOWN;
    switch (type) {
    case QEvent::MouseButtonPress: return UINT(base);
    case QEvent::MouseButtonRelease: return UINT(base + 1);
    case QEvent::MouseButtonDblClick: return UINT(base + 2);
    default: return WM_MOUSEMOVE;
    }
}

int QtKeyForChar(char16_t ch)
{
    switch (ch) {
    case 8: return Qt::Key_Backspace;
    case 9: return Qt::Key_Tab;
    case 13: return Qt::Key_Return;
    case 27: return Qt::Key_Escape;
    default: break;
    }
    if (ch >= 'a' && ch <= 'z') return Qt::Key_A + (ch - 'a');
    if (ch >= 'A' && ch <= 'Z') return Qt::Key_A + (ch - 'A');
    if (ch >= 0x20 && ch < 0x7F) return int(ch);
    return Qt::Key_unknown;
}

void MoveFocusTo(TWinControl* control)
{
    if (FocusedControl == control) return;
    TWinControl* old = FocusedControl;
    FocusedControl = control;
    QWidget* oldWidget = old && old->HandleAllocated() ? old->Handle() : nullptr;
    QWidget* newWidget = control && control->HandleAllocated() ? control->Handle() : nullptr;
    if (old) old->Perform(WM_KILLFOCUS, WPARAM(newWidget), 0);
    if (control && FocusedControl == control) control->Perform(WM_SETFOCUS, WPARAM(oldWidget), 0);
}

bool BelongsTo(const QWidget* w, const TWinControl* control)
{
    if (!w || !control->HandleAllocated()) return false;
    const QWidget* own = const_cast<TWinControl*>(control)->Handle();
    for (const QWidget* p = w; p; p = p->parentWidget()) {
        if (p == own) return true;
        if (FindControl(p) == control) return true;
    }
    return false;
}

std::map<std::pair<std::uint64_t, int>, TScrollBarState>& ScrollBars()
{
    static std::map<std::pair<std::uint64_t, int>, TScrollBarState> bars;
    return bars;
}

void ForgetScrollBarsOf(std::uint64_t serial)
{
    auto& bars = ScrollBars();
    bars.erase(bars.lower_bound({serial, INT_MIN}), bars.upper_bound({serial, INT_MAX}));
}

int ClampScrollPos(const TScrollBarState& s, int pos)
{
    const int top = std::max(s.Min, s.Page > 0 ? s.Max - s.Page + 1 : s.Max);
    return std::clamp(pos, s.Min, top);
}

void ScrollBarChanged(TWinControl* control, int bar)
{
    control->Perform(CM_SCROLLBARCHANGED, WPARAM(bar), 0);
}
} // namespace ControlsPrivate

namespace {

// Receives the posted messages and delivers them from the event loop.
class TPostedMessage : public QEvent {
public:
    static QEvent::Type EventType()
    {
        static const auto type = QEvent::Type(QEvent::registerEventType());
        return type;
    }
    TPostedMessage(std::uint64_t serial, UINT msg, WPARAM w, LPARAM l)
        : QEvent(EventType()), Serial(serial), Msg(msg), WParam(w), LParam(l)
    {
    }
    std::uint64_t Serial;
    UINT Msg;
    WPARAM WParam;
    LPARAM LParam;
};

class TPostBox : public QObject {
public:
    bool event(QEvent* e) override
    {
        if (e->type() != TPostedMessage::EventType()) return QObject::event(e);
        auto* m = static_cast<TPostedMessage*>(e);
        if (TControl* c = LiveControl(m->Serial)) RunGuarded(c, [&] { Deliver(c, *m); });
        return true;
    }

private:
    // A posted key goes through the loop's key handling first, as a typed
    // one: a dialog key (a posted Tab) may be the form's.
    static void Deliver(TControl* c, const TPostedMessage& m)
    {
        const bool key = m.Msg == WM_KEYDOWN || m.Msg == WM_SYSKEYDOWN || m.Msg == WM_CHAR;
        if (key && c->IsWindowed()) {
            const std::uint64_t serial = c->Serial();
            if (c->Perform(CN_BASE + m.Msg, m.WParam, m.LParam) != 0 || !LiveControl(serial)) return;
        }
        c->Perform(m.Msg, m.WParam, m.LParam);
    }
};

TPostBox* PostBox()
{
    static QPointer<TPostBox> box;
    if (!box) box = new TPostBox;
    return box;
}

} // namespace

// ---- Event bridge ------------------------------------------------------------------------
bool TQtEventBridge::eventFilter(QObject* watched, QEvent* event)
{
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget) return false;
    if (event == PassEvent) {
        if (widget == PassTarget) return false;
        // Qt propagates an event the widget ignored to its parents; the
        // window system would not, so it stops here.
        event->accept();
        return true;
    }
    TWinControl* control = FindControl(widget);
    if (!control) return false;
    bool handled = false;
    DispatchStack().push_back(widget);
    RunGuarded(control, [&] { handled = control->HandleQtEvent(widget, event); });
    DispatchStack().pop_back();
    return handled;
}

// ---- Free functions -------------------------------------------------------------------------
void Abort()
{
    throw EAbort();
}

TWinControl* FindControl(const QWidget* widget)
{
    auto it = WidgetMap().find(widget);
    return it == WidgetMap().end() ? nullptr : it->second;
}

TControl* FindDragTarget(const TPoint& screenPos, bool allowDisabled)
{
    QWidget* w = QApplication::widgetAt(screenPos.X, screenPos.Y);
    TWinControl* control = nullptr;
    for (; w && !control; w = w->parentWidget()) control = FindControl(w);
    if (!control) return nullptr;
    if (TControl* child = control->ControlAtPos(control->ScreenToClient(screenPos), allowDisabled)) return child;
    return control;
}

TControl* FindVCLWindow(const TPoint& screenPos)
{
    return FindDragTarget(screenPos, true);
}

TCustomForm* GetParentForm(const TControl* control, bool topForm)
{
    TCustomForm* found = nullptr;
    for (const TControl* c = control; c; c = c->Parent()) {
        if (auto* f = dynamic_cast<TCustomForm*>(const_cast<TControl*>(c))) {
            found = f;
            if (!topForm) break;
        }
    }
    return found;
}

TCustomForm* FindOwnerForm(const TComponent* component)
{
    for (const TComponent* c = component; c; c = c->Owner()) {
        if (auto* f = dynamic_cast<TCustomForm*>(const_cast<TComponent*>(c))) return f;
    }
    return nullptr;
}

LRESULT SendMessage(TControl* control, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    return control ? control->Perform(Msg, WParam, LParam) : 0;
}

LRESULT SendMessage(QWidget* handle, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    return SendMessage(FindControl(handle), Msg, WParam, LParam);
}

bool PostMessage(TControl* control, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    if (!control) return false;
    QCoreApplication::postEvent(PostBox(), new TPostedMessage(control->Serial(), Msg, WParam, LParam));
    return true;
}

bool PostMessage(QWidget* handle, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    return PostMessage(FindControl(handle), Msg, WParam, LParam);
}

TControl* SetCapture(TControl* control)
{
    TControl* old = CaptureControl;
    if (old == control) return old;
    CaptureControl = control;
    if (old) old->Perform(WM_CAPTURECHANGED, 0, LPARAM(control));
    return old;
}

bool ReleaseCapture()
{
    SetCapture(nullptr);
    return true;
}

TControl* GetCapture()
{
    return CaptureControl;
}

std::uintptr_t SetTimer(TWinControl* control, std::uintptr_t id, unsigned ms)
{
    if (!control) return 0;
    KillTimer(control, id);
    const std::uint64_t serial = control->Serial();
    TWindowTimer t;
    t.Clock = CurrentClock();
    t.Id = t.Clock->StartTimer(std::max(ms, WindowTimerFloor), [serial, id] {
        if (TControl* c = LiveControl(serial)) RunGuarded(c, [&] { c->Perform(WM_TIMER, id, 0); });
    });
    WindowTimers()[{serial, id}] = t;
    return id == 0 ? 1 : id;
}

std::uintptr_t SetTimer(QWidget* handle, std::uintptr_t id, unsigned ms)
{
    return SetTimer(FindControl(handle), id, ms);
}

bool KillTimer(TWinControl* control, std::uintptr_t id)
{
    if (!control) return false;
    auto& timers = WindowTimers();
    auto it = timers.find({control->Serial(), id});
    if (it == timers.end()) return false;
    it->second.Clock->StopTimer(it->second.Id);
    timers.erase(it);
    return true;
}

bool KillTimer(QWidget* handle, std::uintptr_t id)
{
    return KillTimer(FindControl(handle), id);
}

// ---- Scroll-bar information ----


bool GetScrollInfo(TWinControl* control, int bar, TScrollInfo& info)
{
    if (!control) return false;
    auto it = ScrollBars().find({control->Serial(), bar});
    if (it == ScrollBars().end()) return false;
    const TScrollBarState& s = it->second;
    if (info.fMask & SIF_RANGE) {
        info.nMin = s.Min;
        info.nMax = s.Max;
    }
    if (info.fMask & SIF_PAGE) info.nPage = UINT(s.Page);
    if (info.fMask & SIF_POS) info.nPos = s.Pos;
    if (info.fMask & SIF_TRACKPOS) info.nTrackPos = s.TrackPos;
    return true;
}

int SetScrollInfo(TWinControl* control, int bar, const TScrollInfo& info, bool)
{
    if (!control || (bar != SB_HORZ && bar != SB_VERT)) return 0;
    TScrollBarState& s = ScrollBars()[{control->Serial(), bar}];
    const TScrollBarState old = s;
    if (info.fMask & SIF_RANGE) {
        s.Min = info.nMin;
        s.Max = std::max(info.nMin, info.nMax);
    }
    if (info.fMask & SIF_PAGE) s.Page = int(std::min<UINT>(info.nPage, UINT(INT_MAX)));
    if (info.fMask & SIF_POS) s.Pos = info.nPos;
    if (info.fMask & SIF_TRACKPOS) s.TrackPos = info.nTrackPos;
    s.Pos = ClampScrollPos(s, s.Pos);
    const bool changed = old.Min != s.Min || old.Max != s.Max || old.Page != s.Page || old.Pos != s.Pos;
    if (changed) ScrollBarChanged(control, bar);
    return s.Pos;
}

int GetScrollPos(TWinControl* control, int bar)
{
    TScrollInfo info;
    info.fMask = SIF_POS;
    return GetScrollInfo(control, bar, info) ? info.nPos : 0;
}

int SetScrollPos(TWinControl* control, int bar, int pos, bool redraw)
{
    const int old = GetScrollPos(control, bar);
    TScrollInfo info;
    info.fMask = SIF_POS;
    info.nPos = pos;
    SetScrollInfo(control, bar, info, redraw);
    return old;
}

bool GetScrollRange(TWinControl* control, int bar, int& minPos, int& maxPos)
{
    TScrollInfo info;
    info.fMask = SIF_RANGE;
    const bool known = GetScrollInfo(control, bar, info);
    minPos = info.nMin;
    maxPos = info.nMax;
    return known;
}

bool SetScrollRange(TWinControl* control, int bar, int minPos, int maxPos, bool redraw)
{
    if (!control || (bar != SB_HORZ && bar != SB_VERT)) return false;
    TScrollInfo info;
    info.fMask = SIF_RANGE;
    info.nMin = minPos;
    info.nMax = maxPos;
    SetScrollInfo(control, bar, info, redraw);
    return true;
}

bool ShowScrollBar(TWinControl* control, int bar, bool show)
{
    if (!control || bar < SB_HORZ || bar > SB_BOTH || bar == SB_CTL) return false;
    for (int b : {SB_HORZ, SB_VERT}) {
        if (bar != b && bar != SB_BOTH) continue;
        TScrollBarState& s = ScrollBars()[{control->Serial(), b}];
        if (s.Visible == show) continue;
        s.Visible = show;
        ScrollBarChanged(control, b);
    }
    return true;
}

bool IsScrollBarVisible(const TWinControl* control, int bar)
{
    if (!control) return false;
    auto it = ScrollBars().find({control->Serial(), bar});
    return it != ScrollBars().end() && it->second.Visible;
}

TWinControl* FindFocusedControl()
{
    return FocusedControl;
}

void ShowCursorNow(TWinControl* control, TCursor cursor)
{
    if (!control || !control->HandleAllocated()) return;
    if (cursor == crDefault) control->Handle()->unsetCursor();
    else control->Handle()->setCursor(ToQtCursor(cursor));
}
