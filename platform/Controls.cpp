#include "platform/Controls.h"

#include "platform/ActnList.h"
#include "platform/Forms.h"
#include "platform/HintWindow.h"
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

// ---- Registries ----------------------------------------------------------------------
namespace {

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

std::uint64_t NextSerial = 1;
TControl* CaptureControl = nullptr;
TWinControl* FocusedControl = nullptr;

// The event being handed back to a widget for Qt's own processing: the
// widget it is meant for sees it unfiltered; a parent that Qt propagates it
// to must not take it for its own.
QEvent* PassEvent = nullptr;
QWidget* PassTarget = nullptr;

// The widgets whose events are being handled right now, innermost last.
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

struct TWindowTimer {
    std::shared_ptr<TClock> Clock;
    TClock::TTimerId Id = 0;
};
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

// The mouse message of a Qt mouse event.
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

// The Qt key event that a character message stands for.
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

// Moves our record of the keyboard focus and tells both sides, as the
// window system does: WM_KILLFOCUS to the old control, WM_SETFOCUS to the new.
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

// Does the widget belong to the control: its own widget, a widget inside
// it, or a pop-up whose owner chain leads to it (a combo's list)?
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

} // namespace

// ---- Event bridge ------------------------------------------------------------------------
// Watches the widgets of our controls and turns their events into messages.
class TQtEventBridge : public QObject {
public:
    static TQtEventBridge* Instance()
    {
        static QPointer<TQtEventBridge> bridge;
        if (!bridge) bridge = new TQtEventBridge;
        return bridge;
    }

    bool eventFilter(QObject* watched, QEvent* event) override
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
};

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
    t.Id = t.Clock->StartTimer(ms, [serial, id] {
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
namespace {
struct TScrollBarState {
    int Min = 0;
    int Max = 0;
    int Page = 0;
    int Pos = 0;
    int TrackPos = 0;
    bool Visible = false;
};
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
} // namespace

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

// ---- TControl ---------------------------------------------------------------------------------
TControl::TControl(TComponent* AOwner)
    : TComponent(AOwner),
      FControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks},
      FFont(std::make_unique<TFont>()),
      FSerial(NextSerial++)
{
    FFont->OnChange = [this](TObject* s) { FontChanged(s); };
    LiveControls()[FSerial] = this;
}

TControl::~TControl()
{
    if (FAction) FAction->UnRegisterClient(this);
    LiveControls().erase(FSerial);
    if (CaptureControl == this) CaptureControl = nullptr;
    if (FParent) FParent->RemoveControl(this);
    FFont->OnChange = nullptr;
}

String TControl::ClassName() const
{
    const char* mangled = typeid(*this).name();
    int status = 0;
    char* demangled = abi::__cxa_demangle(mangled, nullptr, nullptr, &status);
    String name = QString::fromUtf8(status == 0 && demangled ? demangled : mangled);
    std::free(demangled);
    const int scope = int(name.lastIndexOf(QStringLiteral("::")));
    return scope >= 0 ? name.mid(scope + 2) : name;
}

void TControl::SetParent(TWinControl* AParent)
{
    if (AParent == FParent) return;
    if (AParent == this) throw EInvalidOperation(QStringLiteral("A control cannot have itself as its parent"));
    if (FParent) FParent->RemoveControl(this);
    if (AParent) AParent->InsertControl(this);
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    AWidth = std::max(0, AWidth);
    AHeight = std::max(0, AHeight);
    if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
    const bool sized = AWidth != FWidth || AHeight != FHeight;
    const bool moved = ALeft != FLeft || ATop != FTop;
    InvalidateControl();
    FLeft = ALeft;
    FTop = ATop;
    FWidth = AWidth;
    FHeight = AHeight;
    InvalidateControl();
    RequestAlign();
    if (sized) Resize();
    (void)moved;
}

void TControl::UpdateBoundsFromWindow(int ALeft, int ATop, int AWidth, int AHeight)
{
    FLeft = ALeft;
    FTop = ATop;
    FWidth = AWidth;
    FHeight = AHeight;
}

TRect TControl::ClientRect() const
{
    return Rect(0, 0, FWidth, FHeight);
}

void TControl::SetClientWidth(int v)
{
    SetClientSize(v, ClientHeight());
}

void TControl::SetClientHeight(int v)
{
    SetClientSize(ClientWidth(), v);
}

void TControl::SetClientSize(int w, int h)
{
    const TRect c = ClientRect();
    SetBounds(FLeft, FTop, FWidth - c.Width() + w, FHeight - c.Height() + h);
}

TPoint TControl::ClientOrigin() const
{
    if (!FParent) return {FLeft, FTop};
    const TPoint p = FParent->ClientOrigin();
    return {p.X + FLeft, p.Y + FTop};
}

TPoint TControl::ClientToScreen(const TPoint& p) const
{
    const TPoint o = ClientOrigin();
    return {p.X + o.X, p.Y + o.Y};
}

TPoint TControl::ScreenToClient(const TPoint& p) const
{
    const TPoint o = ClientOrigin();
    return {p.X - o.X, p.Y - o.Y};
}

TPoint TControl::ClientToParent(const TPoint& p, TWinControl* AParent) const
{
    if (!AParent) AParent = FParent;
    if (!AParent) return p;
    return AParent->ScreenToClient(ClientToScreen(p));
}

TPoint TControl::ParentToClient(const TPoint& p, TWinControl* AParent) const
{
    if (!AParent) AParent = FParent;
    if (!AParent) return p;
    return ScreenToClient(AParent->ClientToScreen(p));
}

void TControl::SetAlign(TAlign value)
{
    if (value == FAlign) return;
    const TAlign old = FAlign;
    FAlign = value;
    // Alignment also moves the anchors to the sides it sticks to.
    if (FParent && (old != TAlign::alNone || value != TAlign::alNone)) {
        FParent->AlignChildren(value != TAlign::alNone ? this : nullptr);
    }
}

void TControl::SetAnchors(TAnchors value)
{
    FAnchors = value;
}

void TControl::RequestAlign()
{
    if (FParent && FAlign != TAlign::alNone) FParent->AlignChildren(this);
}

void TControl::SetVisible(bool value)
{
    if (value == FVisible) return;
    VisibleChanging();
    InvalidateControl();
    FVisible = value;
    Perform(CM_VISIBLECHANGED, WPARAM(value), 0);
    if (FParent && FAlign != TAlign::alNone) FParent->AlignChildren(nullptr);
}

bool TControl::Showing() const
{
    return FVisible && (!FParent || FParent->Showing());
}

void TControl::SetEnabled(bool value)
{
    if (value == FEnabled) return;
    FEnabled = value;
    Perform(CM_ENABLEDCHANGED);
}

bool TControl::IsEnabledInChain() const
{
    for (const TControl* c = this; c; c = c->FParent) {
        if (!c->FEnabled) return false;
    }
    return true;
}

void TControl::SetTextValue(const String& value)
{
    if (value == FText) return;
    FText = value;
    Perform(CM_TEXTCHANGED);
}

void TControl::SetColor(TColor value)
{
    if (value == FColor) {
        FParentColor = false;
        return;
    }
    FColor = value;
    FParentColor = false;
    Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool value)
{
    if (value == FParentColor) return;
    FParentColor = value;
    if (value && FParent) ApplyParentColor(FParent->Color());
}

void TControl::ApplyParentColor(TColor parentColor)
{
    if (parentColor == FColor) return;
    FColor = parentColor;
    Perform(CM_COLORCHANGED);
}

void TControl::SetFont(TFont* value)
{
    if (value) FFont->Assign(value);
}

void TControl::SetParentFont(bool value)
{
    if (value == FParentFont) return;
    FParentFont = value;
    if (value && FParent) ApplyParentFont(FParent->Font());
}

void TControl::ApplyParentFont(const TFont* parentFont)
{
    FChangingFontFromParent = true;
    FFont->Assign(const_cast<TFont*>(parentFont));
    FChangingFontFromParent = false;
}

void TControl::FontChanged(TObject*)
{
    if (!FChangingFontFromParent) FParentFont = false;
    Perform(CM_FONTCHANGED);
}

void TControl::SetShowHint(bool value)
{
    FParentShowHint = false;
    if (value == FShowHint) return;
    FShowHint = value;
    if (auto* w = dynamic_cast<TWinControl*>(this)) w->NotifyControls(CM_PARENTSHOWHINTCHANGED);
}

void TControl::SetParentShowHint(bool value)
{
    if (value == FParentShowHint) return;
    FParentShowHint = value;
    if (value && FParent) Perform(CM_PARENTSHOWHINTCHANGED);
}

void TControl::SetCursor(TCursor value)
{
    if (value == FCursor) return;
    FCursor = value;
    Perform(CM_CURSORCHANGED);
}

bool TControl::MouseCapture() const
{
    return CaptureControl == this;
}

void TControl::SetMouseCapture(bool value)
{
    if (value == MouseCapture()) return;
    if (value) SetCapture(this);
    else ReleaseCapture();
}

void TControl::InvalidateControl()
{
    if (FParent && !IsWindowed() && (FVisible || FParent->Showing())) FParent->InvalidateRect(BoundsRect());
}

void TControl::Invalidate()
{
    InvalidateControl();
}

void TControl::Update()
{
    if (FParent) FParent->Update();
}

void TControl::Repaint()
{
    Invalidate();
    Update();
}

QImage TControl::PaintToImage()
{
    if (auto* w = dynamic_cast<TWinControl*>(this)) {
        w->HandleNeeded();
        if (FWidth <= 0 || FHeight <= 0) return {};
        // Painted afresh, whatever is valid already, as the platform's PaintTo does.
        w->FPaintWhole = true;
        const QImage image = w->Handle()->grab().toImage();
        w->FPaintWhole = false;
        return image;
    }
    QImage image(std::max(1, FWidth), std::max(1, FHeight), QImage::Format_ARGB32_Premultiplied);
    image.fill(FParent ? ToQColor(FParent->Color()) : QColor(Qt::white));
    QPainter p(&image);
    PaintTo(p, 0, 0);
    return image;
}

void TControl::PaintTo(QPainter& painter, int X, int Y)
{
    painter.save();
    if (auto* w = dynamic_cast<TWinControl*>(this)) {
        w->HandleNeeded();
        w->FPaintWhole = true;
        w->Handle()->render(&painter, QPoint(X, Y));
        w->FPaintWhole = false;
    } else {
        painter.translate(X, Y);
        painter.setClipRect(0, 0, FWidth, FHeight, Qt::IntersectClip);
        Perform(WM_PAINT, WPARAM(&painter), 0);
    }
    painter.restore();
}

void TControl::BringToFront()
{
    if (!FParent) return;
    auto& list = FParent->FControls;
    list.erase(std::find(list.begin(), list.end(), this));
    list.push_back(this);
    if (auto* w = dynamic_cast<TWinControl*>(this); w && w->HandleAllocated()) w->Handle()->raise();
    InvalidateControl();
}

void TControl::SendToBack()
{
    if (!FParent) return;
    auto& list = FParent->FControls;
    list.erase(std::find(list.begin(), list.end(), this));
    list.insert(list.begin(), this);
    if (auto* w = dynamic_cast<TWinControl*>(this); w && w->HandleAllocated()) w->Handle()->lower();
    InvalidateControl();
}

// ---- Messages of TControl ----
void TControl::WndProc(TMessage& Message)
{
    Dispatch(Message);
}

LRESULT TControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam)
{
    TMessage m;
    m.Msg = Msg;
    m.WParam = WParam;
    m.LParam = LParam;
    WndProc(m);
    return m.Result;
}

void TControl::DefaultHandler(TMessage&) {}

void TControl::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_LBUTTONDOWN: { TWMMouse m(Message); WMLButtonDown(m); break; }
    case WM_LBUTTONUP: { TWMMouse m(Message); WMLButtonUp(m); break; }
    case WM_LBUTTONDBLCLK: { TWMMouse m(Message); WMLButtonDblClk(m); break; }
    case WM_RBUTTONDOWN: { TWMMouse m(Message); WMRButtonDown(m); break; }
    case WM_RBUTTONUP: { TWMMouse m(Message); WMRButtonUp(m); break; }
    case WM_RBUTTONDBLCLK: { TWMMouse m(Message); WMRButtonDblClk(m); break; }
    case WM_MBUTTONDOWN: { TWMMouse m(Message); WMMButtonDown(m); break; }
    case WM_MBUTTONUP: { TWMMouse m(Message); WMMButtonUp(m); break; }
    case WM_MBUTTONDBLCLK: { TWMMouse m(Message); WMMButtonDblClk(m); break; }
    case WM_MOUSEMOVE: { TWMMouse m(Message); WMMouseMove(m); break; }
    case WM_MOUSEWHEEL: { TWMMouseWheel m(Message); WMMouseWheel(m); break; }
    case WM_CANCELMODE: { TWMCancelMode m(Message); WMCancelMode(m); break; }
    case WM_PAINT: { TWMPaint m(Message); WMPaint(m); break; }
    case CM_MOUSEENTER: CMMouseEnter(Message); break;
    case CM_MOUSELEAVE: CMMouseLeave(Message); break;
    case CM_ENABLEDCHANGED: CMEnabledChanged(Message); break;
    case CM_VISIBLECHANGED: CMVisibleChanged(Message); break;
    case CM_FONTCHANGED: CMFontChanged(Message); break;
    case CM_COLORCHANGED: CMColorChanged(Message); break;
    case CM_TEXTCHANGED: CMTextChanged(Message); break;
    case CM_PARENTFONTCHANGED: CMParentFontChanged(Message); break;
    case CM_PARENTCOLORCHANGED: CMParentColorChanged(Message); break;
    case CM_PARENTSHOWHINTCHANGED: CMParentShowHintChanged(Message); break;
    case CM_CURSORCHANGED: CMCursorChanged(Message); break;
    case CM_HINTSHOW: CMHintShow(Message); break;
    case CM_HITTEST: CMHitTest(Message); break;
    case CM_DIALOGKEY: { TCMDialogKey m(Message); CMDialogKey(m); break; }
    case CM_DIALOGCHAR: { TCMDialogChar m(Message); CMDialogChar(m); break; }
    default: DefaultHandler(Message); break;
    }
}

void TControl::DoMouseDown(TWMMouse& Message, TMouseButton Button, TShiftState Shift)
{
    if (FControlStyle.Contains(csNoStdEvents)) return;
    MouseDown(Button, KeysToShiftState(Message.Keys) + Shift, Message.XPos(), Message.YPos());
}

void TControl::DoMouseUp(TWMMouse& Message, TMouseButton Button)
{
    if (FControlStyle.Contains(csNoStdEvents)) return;
    MouseUp(Button, KeysToShiftState(Message.Keys), Message.XPos(), Message.YPos());
}

void TControl::WMLButtonDown(TWMMouse& Message)
{
    DefaultHandler(Message.Message);
    if (FControlStyle.Contains(csCaptureMouse)) SetMouseCapture(true);
    if (FControlStyle.Contains(csClickEvents)) FControlState.Include(csClicked);
    FControlState.Include(csLButtonDown);
    DoMouseDown(Message, TMouseButton::mbLeft, {});
}

void TControl::WMLButtonUp(TWMMouse& Message)
{
    DefaultHandler(Message.Message);
    if (FControlStyle.Contains(csCaptureMouse)) SetMouseCapture(false);
    FControlState.Exclude(csLButtonDown);
    if (FControlState.Contains(csClicked)) {
        FControlState.Exclude(csClicked);
        if (ClientRect().Contains(Message.Pos())) Click();
    }
    DoMouseUp(Message, TMouseButton::mbLeft);
}

void TControl::WMLButtonDblClk(TWMMouse& Message)
{
    DefaultHandler(Message.Message);
    if (FControlStyle.Contains(csCaptureMouse)) SetMouseCapture(true);
    if (FControlStyle.Contains(csClickEvents)) DblClick();
    DoMouseDown(Message, TMouseButton::mbLeft, {ssDouble});
}

void TControl::WMRButtonDown(TWMMouse& Message)
{
    DefaultHandler(Message.Message);
    DoMouseDown(Message, TMouseButton::mbRight, {});
}

void TControl::WMRButtonUp(TWMMouse& Message)
{
    DefaultHandler(Message.Message);
    DoMouseUp(Message, TMouseButton::mbRight);
}

void TControl::WMRButtonDblClk(TWMMouse& Message)
{
    DefaultHandler(Message.Message);
    DoMouseDown(Message, TMouseButton::mbRight, {ssDouble});
}

void TControl::WMMButtonDown(TWMMouse& Message)
{
    DefaultHandler(Message.Message);
    DoMouseDown(Message, TMouseButton::mbMiddle, {});
}

void TControl::WMMButtonUp(TWMMouse& Message)
{
    DefaultHandler(Message.Message);
    DoMouseUp(Message, TMouseButton::mbMiddle);
}

void TControl::WMMButtonDblClk(TWMMouse& Message)
{
    DefaultHandler(Message.Message);
    DoMouseDown(Message, TMouseButton::mbMiddle, {ssDouble});
}

void TControl::WMMouseMove(TWMMouse& Message)
{
    DefaultHandler(Message.Message);
    if (!FControlStyle.Contains(csNoStdEvents)) MouseMove(KeysToShiftState(Message.Keys), Message.XPos(), Message.YPos());
}

void TControl::WMMouseWheel(TWMMouseWheel& Message)
{
    TShiftState shift = KeysToShiftState(Message.Keys());
    if (DoMouseWheel(shift, Message.WheelDelta(), {Message.XPos(), Message.YPos()})) {
        Message.Result = 1;
        return;
    }
    DefaultHandler(Message.Message);
}

void TControl::WMCancelMode(TWMCancelMode& Message)
{
    DefaultHandler(Message.Message);
    if (MouseCapture()) ReleaseCapture();
    FControlState.Exclude(csClicked);
    FControlState.Exclude(csLButtonDown);
}

void TControl::WMPaint(TWMPaint& Message)
{
    DefaultHandler(Message.Message);
}

void TControl::CMMouseEnter(TMessage& Message)
{
    DefaultHandler(Message);
    MouseEnter();
}

void TControl::CMMouseLeave(TMessage& Message)
{
    DefaultHandler(Message);
    MouseLeave();
}

void TControl::CMEnabledChanged(TMessage&)
{
    Invalidate();
}

void TControl::CMVisibleChanged(TMessage&)
{
    InvalidateControl();
}

void TControl::CMFontChanged(TMessage&)
{
    Invalidate();
}

void TControl::CMColorChanged(TMessage&)
{
    Invalidate();
}

void TControl::CMTextChanged(TMessage&)
{
    Invalidate();
}

void TControl::CMParentFontChanged(TMessage&)
{
    if (FParentFont && FParent) ApplyParentFont(FParent->Font());
}

void TControl::CMParentColorChanged(TMessage&)
{
    if (FParentColor && FParent) ApplyParentColor(FParent->Color());
}

void TControl::CMParentShowHintChanged(TMessage&)
{
    if (!FParentShowHint || !FParent) return;
    const bool value = FParent->ShowHint();
    if (value == FShowHint) return;
    FShowHint = value;
    if (auto* w = dynamic_cast<TWinControl*>(this)) w->NotifyControls(CM_PARENTSHOWHINTCHANGED);
}

void TControl::CMCursorChanged(TMessage&) {}

void TControl::CMHintShow(TMessage& Message)
{
    DefaultHandler(Message);
}

void TControl::CMHitTest(TMessage& Message)
{
    Message.Result = HTCLIENT;
}

void TControl::CMDialogKey(TCMDialogKey& Message)
{
    DefaultHandler(Message.Message);
}

void TControl::CMDialogChar(TCMDialogChar& Message)
{
    DefaultHandler(Message.Message);
}

// ---- Steps of TControl ----
void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y)
{
    if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

void TControl::MouseEnter()
{
    if (OnMouseEnter) OnMouseEnter(this);
}

void TControl::MouseLeave()
{
    if (OnMouseLeave) OnMouseLeave(this);
}

bool TControl::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos)
{
    bool handled = false;
    if (OnMouseWheel) OnMouseWheel(this, Shift, WheelDelta, MousePos, handled);
    return handled;
}

void TControl::Resize()
{
    if (OnResize) OnResize(this);
}

void TControl::Click()
{
    // A control linked to an action runs it unless it has a click handler of its own.
    if (OnClick) OnClick(this);
    else if (FAction) FAction->Execute();
}

// ---- Linked action and pop-up menu ----
void TControl::SetAction(TBasicAction* value)
{
    if (value == FAction) return;
    if (FAction) FAction->UnRegisterClient(this);
    FAction = value;
    if (!FAction) return;
    FAction->RegisterClient(this);
    ActionChange(FAction, true);
}

void TControl::SetPopupMenu(TPopupMenu* value)
{
    if (value == FPopupMenu) return;
    if (FPopupMenu) RemoveFreeNotification(FPopupMenu);
    FPopupMenu = value;
    if (FPopupMenu) FreeNotification(FPopupMenu);
}

void TControl::ActionChange(TObject* Sender, bool CheckDefaults)
{
    auto* action = dynamic_cast<TCustomAction*>(Sender);
    if (!action) return;
    if (!CheckDefaults || Caption().isEmpty()) SetCaption(action->Caption());
    if (!CheckDefaults || Enabled()) SetEnabled(action->Enabled());
    if (!CheckDefaults || FHint.isEmpty()) SetHint(action->Hint());
    if (!CheckDefaults || Visible()) SetVisible(action->Visible());
}

void TControl::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation != TOperation::opRemove) return;
    if (component == FAction) FAction = nullptr;
    if (component == FPopupMenu) FPopupMenu = nullptr;
}

void TControl::DblClick()
{
    if (OnDblClick) OnDblClick(this);
}

// ---- TWinControl ---------------------------------------------------------------------------------
TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

TWinControl::~TWinControl()
{
    KillTimersOf(Serial());
    ForgetScrollBarsOf(Serial());
    if (FocusedControl == this) FocusedControl = nullptr;
    // The windows go first, all at once, so that no event of a window that
    // is going reaches a control that is half gone.
    DestroyHandle();
    // A window takes its children with it.
    while (!FControls.empty()) delete FControls.back();
    if (Parent()) Parent()->RemoveControl(this);
}

bool TWinControl::ContainsControl(const TControl* control) const
{
    for (const TControl* c = control; c; c = c->Parent()) {
        if (c == this) return true;
    }
    return false;
}

TControl* TWinControl::ControlAtPos(const TPoint& pos, bool allowDisabled, bool allowWinControls) const
{
    for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
        TControl* c = *it;
        if (!allowWinControls && c->IsWindowed()) continue;
        if (!c->Visible() || (!allowDisabled && !c->Enabled())) continue;
        if (!c->BoundsRect().Contains(pos)) continue;
        const TPoint local{pos.X - c->Left(), pos.Y - c->Top()};
        if (c->Perform(CM_HITTEST, 0, PointToLParam(local)) != 0) return c;
    }
    return nullptr;
}

void TWinControl::InsertControl(TControl* control)
{
    control->SetParentField(this);
    // A windowed control joins its new parent's tab order at the end, after
    // every sibling, whatever numbers earlier SetTabOrder calls gave them.
    if (auto* w = dynamic_cast<TWinControl*>(control)) {
        int last = -1;
        for (TControl* c : FControls) {
            if (auto* sibling = dynamic_cast<TWinControl*>(c)) last = std::max(last, sibling->FTabOrder);
        }
        w->FTabOrder = last + 1;
    }
    FControls.push_back(control);
    if (control->ParentFont()) control->ApplyParentFont(Font());
    if (control->ParentColor()) control->ApplyParentColor(Color());
    if (control->ParentShowHint()) control->Perform(CM_PARENTSHOWHINTCHANGED);
    if (auto* w = dynamic_cast<TWinControl*>(control)) {
        if (HandleAllocated()) w->UpdateHandle();
    } else {
        control->InvalidateControl();
    }
    if (control->Align() != TAlign::alNone) AlignChildren(control);
}

void TWinControl::RemoveControl(TControl* control)
{
    auto it = std::find(FControls.begin(), FControls.end(), control);
    if (it == FControls.end()) return;
    control->InvalidateControl();
    if (TCustomForm* form = GetParentForm(this)) {
        if (auto* w = dynamic_cast<TWinControl*>(control)) form->DefocusControl(w, true);
    }
    if (FMouseControl == control) FMouseControl = nullptr;
    FControls.erase(std::find(FControls.begin(), FControls.end(), control));
    control->SetParentField(nullptr);
    if (auto* w = dynamic_cast<TWinControl*>(control)) {
        if (FocusedControl && w->ContainsControl(FocusedControl)) FocusedControl = nullptr;
        w->DestroyHandle();
    }
    if (control->Align() != TAlign::alNone) AlignChildren(nullptr);
}

void TWinControl::Broadcast(TMessage& Message)
{
    // A copy: a handler may add or remove controls.
    const std::vector<TControl*> children = FControls;
    for (TControl* c : children) {
        if (std::find(FControls.begin(), FControls.end(), c) == FControls.end()) continue;
        c->WndProc(Message);
        if (Message.Result != 0) return;
    }
}

void TWinControl::NotifyControls(UINT Msg)
{
    TMessage m;
    m.Msg = Msg;
    Broadcast(m);
}

void TWinControl::DisableAlign()
{
    ++FAlignLevel;
}

void TWinControl::EnableAlign()
{
    if (FAlignLevel > 0) --FAlignLevel;
    if (FAlignLevel == 0 && FAlignPending) {
        FAlignPending = false;
        Realign();
    }
}

void TWinControl::Realign()
{
    AlignChildren(nullptr);
}

void TWinControl::AlignChildren(TControl* AControl)
{
    if (FAlignLevel > 0) {
        FAlignPending = true;
        return;
    }
    if (FAligning) return;
    FAligning = true;
    TRect r = ClientRect();
    try {
        AlignControls(AControl, r);
    } catch (...) {
        FAligning = false;
        throw;
    }
    FAligning = false;
}

void TWinControl::ApplyAnchors(int dw, int dh)
{
    if (dw == 0 && dh == 0) return;
    for (TControl* c : FControls) {
        if (c->Align() != TAlign::alNone) continue;
        const TAnchors a = c->Anchors();
        int left = c->Left(), top = c->Top(), width = c->Width(), height = c->Height();
        const bool l = a.Contains(TAnchorKind::akLeft), r = a.Contains(TAnchorKind::akRight);
        const bool t = a.Contains(TAnchorKind::akTop), b = a.Contains(TAnchorKind::akBottom);
        if (l && r) width += dw;
        else if (r) left += dw;
        else if (!l) left += dw / 2;
        if (t && b) height += dh;
        else if (b) top += dh;
        else if (!t) top += dh / 2;
        c->SetBounds(left, top, width, height);
    }
}

namespace {

// Which of two controls of the same alignment comes first: the one nearer
// the side they stick to.
bool AlignsBefore(const TControl* a, const TControl* b, TAlign align)
{
    switch (align) {
    case TAlign::alTop: return a->Top() < b->Top();
    case TAlign::alBottom: return a->Top() + a->Height() > b->Top() + b->Height();
    case TAlign::alLeft: return a->Left() < b->Left();
    case TAlign::alRight: return a->Left() + a->Width() > b->Left() + b->Width();
    default: return false;
    }
}

} // namespace

void TWinControl::AlignControls(TControl* AControl, TRect& rect)
{
    const int cw = rect.Width(), ch = rect.Height();
    if (FAnchorWidth >= 0) ApplyAnchors(cw - FAnchorWidth, ch - FAnchorHeight);
    FAnchorWidth = cw;
    FAnchorHeight = ch;

    for (TAlign align : {TAlign::alTop, TAlign::alBottom, TAlign::alLeft, TAlign::alRight, TAlign::alClient}) {
        // The control that asked goes first; the others slot in by position.
        std::vector<TControl*> list;
        if (AControl && AControl->Align() == align && AControl->Visible() && AControl->Parent() == this)
            list.push_back(AControl);
        for (TControl* c : FControls) {
            if (c == AControl || c->Align() != align || !c->Visible()) continue;
            std::size_t j = 0;
            while (j < list.size() && !AlignsBefore(c, list[j], align)) ++j;
            list.insert(list.begin() + std::ptrdiff_t(j), c);
        }
        for (TControl* c : list) {
            const int w = std::max(0, rect.Width()), h = std::max(0, rect.Height());
            switch (align) {
            case TAlign::alTop:
                c->SetBounds(rect.Left, rect.Top, w, c->Height());
                rect.Top += c->Height();
                break;
            case TAlign::alBottom:
                c->SetBounds(rect.Left, rect.Bottom - c->Height(), w, c->Height());
                rect.Bottom -= c->Height();
                break;
            case TAlign::alLeft:
                c->SetBounds(rect.Left, rect.Top, c->Width(), h);
                rect.Left += c->Width();
                break;
            case TAlign::alRight:
                c->SetBounds(rect.Right - c->Width(), rect.Top, c->Width(), h);
                rect.Right -= c->Width();
                break;
            default:
                c->SetBounds(rect.Left, rect.Top, w, h);
                break;
            }
        }
    }
}

// ---- Handle ----
void TWinControl::HandleNeeded()
{
    if (!FWidget) CreateHandle();
}

QWidget* TWinControl::Handle()
{
    HandleNeeded();
    return FWidget;
}

void TWinControl::UpdateHandle()
{
    if (!Parent() || !Parent()->HandleAllocated()) return;
    if (!FWidget) {
        CreateHandle();
        return;
    }
    FWidget->setParent(Parent()->FWidget);
    ApplyWidgetGeometry();
    UpdateShowing();
}

QWidget* TWinControl::CreateWidget(QWidget* parentWidget)
{
    auto* w = new QWidget(parentWidget);
    w->setFocusPolicy(Qt::NoFocus);
    return w;
}

void TWinControl::CreateHandle()
{
    QWidget* parentWidget = nullptr;
    if (Parent()) parentWidget = Parent()->Handle();
    FWidget = CreateWidget(parentWidget);
    WidgetMap()[FWidget] = this;
    FWidget->installEventFilter(TQtEventBridge::Instance());
    FWidget->setMouseTracking(true);
    FWidget->setAttribute(Qt::WA_NoMousePropagation);
    ApplyWidgetGeometry();
    ApplyWidgetFont();
    ApplyWidgetPalette();
    FWidget->setEnabled(Enabled());
    if (Cursor() != crDefault) FWidget->setCursor(ToQtCursor(Cursor()));
    CreateWnd();
    for (TControl* c : FControls) {
        if (auto* w = dynamic_cast<TWinControl*>(c); w && !w->FWidget) w->CreateHandle();
    }
    if (Parent()) UpdateShowing();
}

void TWinControl::CreateWnd() {}

void TWinControl::DestroyWnd() {}

void TWinControl::ReleaseWidgets()
{
    for (TControl* c : FControls) {
        if (auto* w = dynamic_cast<TWinControl*>(c)) w->ReleaseWidgets();
    }
    if (!FWidget) return;
    DestroyWnd();
    if (FocusedControl == this) FocusedControl = nullptr;
    for (QWidget* sub : FSubWidgets) {
        WidgetMap().erase(sub);
        sub->removeEventFilter(TQtEventBridge::Instance());
    }
    FSubWidgets.clear();
    WidgetMap().erase(FWidget);
    FWidget->removeEventFilter(TQtEventBridge::Instance());
    FWidget = nullptr;
}

// The widget and the widgets of the children (its Qt children) go together.
// One that is still handling an event of its own is only hidden now and
// deleted once that event is done.
void TWinControl::DestroyHandle()
{
    if (!FWidget) return;
    QWidget* w = FWidget;
    ReleaseWidgets();
    if (WidgetInDispatch(w)) {
        w->hide();
        w->setParent(nullptr);
        w->deleteLater();
    } else {
        delete w;
    }
}

void TWinControl::AttachSubWidget(QWidget* widget)
{
    if (!widget || WidgetMap().count(widget)) return;
    WidgetMap()[widget] = this;
    FSubWidgets.push_back(widget);
    widget->installEventFilter(TQtEventBridge::Instance());
    widget->setMouseTracking(true);
    widget->setAttribute(Qt::WA_NoMousePropagation);
    QObject::connect(widget, &QObject::destroyed, [widget, serial = Serial()] {
        WidgetMap().erase(widget);
        if (auto* c = dynamic_cast<TWinControl*>(LiveControl(serial))) {
            auto& subs = c->FSubWidgets;
            subs.erase(std::remove(subs.begin(), subs.end(), widget), subs.end());
        }
    });
}

void TWinControl::ApplyWidgetGeometry()
{
    if (!FWidget) return;
    // A window of fixed size keeps its size fixed at the new values.
    if (FWidget->isWindow() && FWidget->minimumSize() == FWidget->maximumSize()) FWidget->setFixedSize(Width(), Height());
    FWidget->setGeometry(Left(), Top(), Width(), Height());
}

void TWinControl::ApplyWidgetFont()
{
    if (FWidget) FWidget->setFont(Font()->ToQFont());
}

void TWinControl::ApplyWidgetPalette() {}

void TWinControl::UpdateShowing()
{
    if (!FWidget || FWidget->isWindow()) return;
    FWidget->setVisible(Visible());
}

bool TWinControl::Showing() const
{
    return TControl::Showing();
}

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    AWidth = std::max(0, AWidth);
    AHeight = std::max(0, AHeight);
    if (ALeft == Left() && ATop == Top() && AWidth == Width() && AHeight == Height()) return;
    const bool sized = AWidth != Width() || AHeight != Height();
    const bool moved = ALeft != Left() || ATop != Top();
    UpdateBoundsFromWindow(ALeft, ATop, AWidth, AHeight);
    ApplyWidgetGeometry();
    RequestAlign();
    if (sized) Perform(WM_SIZE, SIZE_RESTORED, MakeLParam(ClientWidth(), ClientHeight()));
    if (moved) Perform(WM_MOVE, 0, MakeLParam(Left(), Top()));
}

// ---- Focus ----
bool TWinControl::CanFocus() const
{
    const TCustomForm* form = GetParentForm(this);
    for (const TControl* c = this; c; c = c->Parent()) {
        if (!c->Visible() || !c->Enabled()) return false;
        if (c == form) break;
    }
    return true;
}

bool TWinControl::Focused() const
{
    return FocusedControl == this;
}

void TWinControl::SetFocus()
{
    if (TCustomForm* form = GetParentForm(this); form && form != this) {
        if (!CanFocus()) throw EInvalidOperation(QStringLiteral("Cannot focus a disabled or invisible window"));
        form->SetActiveControl(this);
        if (!form->Active()) form->SetFocus();
        return;
    }
    HandleNeeded();
    FWidget->setFocus(Qt::OtherFocusReason);
    MoveFocusTo(this);
}

int TWinControl::TabOrder() const
{
    if (!Parent()) return FTabOrder < 0 ? 0 : FTabOrder;
    int index = 0;
    std::vector<const TWinControl*> list;
    for (TControl* c : Parent()->FControls) {
        if (auto* w = dynamic_cast<TWinControl*>(c)) list.push_back(w);
    }
    std::stable_sort(list.begin(), list.end(), [](const TWinControl* a, const TWinControl* b) { return a->FTabOrder < b->FTabOrder; });
    for (const TWinControl* w : list) {
        if (w == this) return index;
        ++index;
    }
    return -1;
}

void TWinControl::SetTabOrder(int value)
{
    if (!Parent()) {
        FTabOrder = value;
        return;
    }
    // Renumber the siblings so that this one sits at `value`.
    std::vector<TWinControl*> list;
    for (TControl* c : Parent()->FControls) {
        if (auto* w = dynamic_cast<TWinControl*>(c)) list.push_back(w);
    }
    std::stable_sort(list.begin(), list.end(), [](const TWinControl* a, const TWinControl* b) { return a->FTabOrder < b->FTabOrder; });
    list.erase(std::find(list.begin(), list.end(), this));
    const std::size_t pos = std::size_t(std::clamp(value, 0, int(list.size())));
    list.insert(list.begin() + std::ptrdiff_t(pos), this);
    for (std::size_t i = 0; i < list.size(); ++i) list[i]->FTabOrder = int(i);
}

void TWinControl::SetTabStop(bool value)
{
    if (value == FTabStop) return;
    FTabStop = value;
    Perform(CM_TABSTOPCHANGED);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const
{
    std::vector<TWinControl*> children;
    for (TControl* c : FControls) {
        if (auto* w = dynamic_cast<TWinControl*>(c)) children.push_back(w);
    }
    std::stable_sort(children.begin(), children.end(),
                     [](const TWinControl* a, const TWinControl* b) { return a->FTabOrder < b->FTabOrder; });
    for (TWinControl* w : children) {
        list.push_back(w);
        w->GetTabOrderList(list);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool goForward, bool checkTabStop,
                                          bool checkParent) const
{
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty()) return nullptr;
    const auto n = std::ptrdiff_t(list.size());
    std::ptrdiff_t start = std::find(list.begin(), list.end(), current) - list.begin();
    if (start == n) start = goForward ? n - 1 : 0;
    std::ptrdiff_t i = start;
    do {
        i = goForward ? (i + 1) % n : (i - 1 + n) % n;
        TWinControl* c = list[std::size_t(i)];
        if (c == current) break;
        if ((!checkTabStop || c->TabStop()) && (!checkParent || c->Parent() == this) && c->CanFocus()) return c;
    } while (i != start);
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool goForward, bool checkTabStop)
{
    if (TWinControl* next = FindNextControl(current, goForward, checkTabStop, !checkTabStop)) next->SetFocus();
}

// ---- Painting ----
namespace {
// Larger than any window: "all of it".
const QRect WholeWindow(0, 0, 1 << 15, 1 << 15);
} // namespace

void TWinControl::Invalidate()
{
    FInvalid = WholeWindow;
    if (FWidget) FWidget->update();
}

void TWinControl::InvalidateRect(const TRect& r)
{
    if (r.IsEmpty()) return;
    FInvalid += r.ToQRect();
    if (FWidget) FWidget->update(r.ToQRect());
}

QImage& TWinControl::Surface()
{
    // Never empty, so that a canvas always has pixels to draw on.
    const QSize size = (FWidget ? FWidget->size() : QSize(Width(), Height())).expandedTo(QSize(1, 1));
    if (FSurface.size() != size) {
        ReleaseSurface();
        QImage resized(size, QImage::Format_ARGB32_Premultiplied);
        resized.fill(Qt::transparent);
        FSurface = resized;
        FInvalid = WholeWindow;
    }
    return FSurface;
}

void TWinControl::Update()
{
    if (!FWidget || !FWidget->isVisible()) return;
    QCoreApplication::sendPostedEvents(FWidget->window(), QEvent::UpdateRequest);
}

void TWinControl::PaintControls(QPainter& painter)
{
    for (TControl* c : FControls) {
        if (c->IsWindowed() || !c->Visible() || c->Width() <= 0 || c->Height() <= 0) continue;
        painter.save();
        painter.translate(c->Left(), c->Top());
        painter.setClipRect(0, 0, c->Width(), c->Height(), Qt::IntersectClip);
        c->Perform(WM_PAINT, WPARAM(&painter), 0);
        painter.restore();
    }
}

void TWinControl::PaintWindow(QPainter&) {}

void TWinControl::PaintHandler(TWMPaint& Message)
{
    if (FRedrawOff) return;
    auto paintClient = [this](QPainter& p) {
        Perform(WM_ERASEBKGND, WPARAM(&p), 0);
        p.save();
        try {
            PaintWindow(p);
        } catch (...) {
            p.restore();
            throw;
        }
        p.restore();
        PaintControls(p);
    };
    if (Message.DC) {
        paintClient(*reinterpret_cast<QPainter*>(Message.DC));
        return;
    }
    if (!FWidget) return;
    if (FCurrentEvent && FCurrentEvent->type() == QEvent::Paint && FWidget->metaObject() != &QWidget::staticMetaObject) {
        // A Qt widget of its own paints itself; our graphic children go on top.
        SendToDefaultWidget(Message.Message);
        QPainter p(FWidget);
        PaintControls(p);
        return;
    }
    // Paint messages draw into the window's picture where it is invalid;
    // paint events show the picture. So drawing on a canvas outside a paint
    // stays until the next paint message covers it, as on the platform.
    QImage& surface = Surface();
    ReleaseSurface();
    const QRect client(QPoint(0, 0), surface.size());
    const QRegion dirty = (FPaintWhole ? QRegion(client) : FInvalid) & client;
    FInvalid = QRegion();
    FPaintWhole = false;
    if (!dirty.isEmpty()) {
        auto paintInto = [&](QImage& target) {
            QPainter p(&target);
            p.setClipRegion(dirty);
            // An invalid area starts see-through: what a control leaves unpainted shows its parent.
            p.setCompositionMode(QPainter::CompositionMode_Source);
            p.fillRect(client, Qt::transparent);
            p.setCompositionMode(QPainter::CompositionMode_SourceOver);
            paintClient(p);
        };
        if (FDoubleBuffered) {
            // Painted whole into a memory bitmap first, then copied in one step.
            TBitmap buffer;
            buffer.SetImage(surface);
            paintInto(buffer.Image());
            QPainter p(&surface);
            p.setClipRegion(dirty);
            p.setCompositionMode(QPainter::CompositionMode_Source);
            p.drawImage(0, 0, buffer.Image());
        } else {
            paintInto(surface);
        }
    }
    if (FCurrentEvent && FCurrentEvent->type() == QEvent::Paint) {
        QPainter p(FWidget);
        p.drawImage(0, 0, surface);
    } else if (!dirty.isEmpty()) {
        // A paint message of our own: the window shows it at its next paint event.
        FWidget->update(dirty.boundingRect());
    }
}

void TWinControl::WMPaint(TWMPaint& Message)
{
    PaintHandler(Message);
}

void TWinControl::WMEraseBkgnd(TWMEraseBkgnd& Message)
{
    if (Message.DC && Color() != clNone) {
        auto* p = reinterpret_cast<QPainter*>(Message.DC);
        p->fillRect(ClientRect().ToQRect(), ToQColor(Color()));
    }
    Message.Result = 1;
}

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
            if (down && !k->text().isEmpty()) return;
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
        if (k && k->type() == QEvent::KeyPress && k->text() == QString(QChar(ch))) {
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
    Resize();
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
    case QEvent::ToolTip: return TranslateToolTip(widget, event);
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
    TCurrentEventScope scope(this, FCurrentEvent, FCurrentWidget, event, widget);

    if (vk) {
        if (Perform(CN_KEYDOWN, vk, keyData) != 0) return true;
        if (!alive() || !FWidget) return true;
        Perform(alt && !ctrl ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, keyData);
        if (!alive() || !FWidget) return true;
    }
    const QString text = k->text();
    for (QChar ch : text) {
        if (alt && !ctrl) {
            // Alt with a character: an accelerator of the form's, if it has one.
            TCustomForm* form = GetParentForm(this);
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
    if (target == this) {
        TCurrentEventScope scope(this, FCurrentEvent, FCurrentWidget, event, widget);
        Perform(msg, keys, PointToLParam(at));
    } else {
        target->Perform(msg, keys, PointToLParam(at));
    }
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

bool TWinControl::TranslateToolTip(QWidget* widget, QEvent* event)
{
    auto* h = static_cast<QHelpEvent*>(event);
    QPoint local = h->pos();
    if (widget != FWidget && FWidget) local = widget->mapTo(FWidget, local);
    const TPoint client{local.x(), local.y()};
    TControl* control = ControlAtPos(client, true);
    if (!control) control = this;
    const TPoint at = control == this ? client : TPoint{client.X - control->Left(), client.Y - control->Top()};
    const bool show = Application->ShowHint() && control->ShowHint() && !control->Hint().isEmpty();
    THintInfo info;
    info.HintControl = control;
    info.CursorPos = at;
    info.CursorRect = control->ClientRect();
    info.HintPos = control->ClientToScreen({at.X, at.Y + 16});
    info.HintStr = control->Hint();
    info.HintColor = Application->HintColor();
    info.HideTimeout = Application->HintHidePause();
    if (!show || control->Perform(CM_HINTSHOW, 0, LPARAM(&info)) != 0 || info.HintStr.isEmpty()) {
        QToolTip::hideText();
        HideHintWindow();
    } else if (info.HintWindowClass || ApplicationHintWindowClass()) {
        QToolTip::hideText();
        ShowHintWindow(info, info.HintWindowClass);
    } else {
        HideHintWindow();
        QToolTip::showText(h->globalPos(), info.HintStr, widget);
    }
    return true;
}

// ---- TCustomControl ----------------------------------------------------------------------------
// A control's canvas: drawing on it outside a paint goes into the control's
// picture and asks the window to show it.
class TControlCanvas : public TCanvas {
public:
    explicit TControlCanvas(TCustomControl* control) : FControl(control) {}

protected:
    void Changed() override
    {
        TCanvas::Changed();
        if (!FControl->FPainting && FControl->HandleAllocated()) FControl->Handle()->update();
    }

private:
    TCustomControl* FControl;
};

TCustomControl::TCustomControl(TComponent* AOwner)
    : TWinControl(AOwner), FCanvas(std::make_unique<TControlCanvas>(this))
{
    FCanvas->SetFont(Font());
}

TCustomControl::~TCustomControl() { FCanvas->FreeHandle(); }

TCanvas* TCustomControl::Canvas() const
{
    if (!FPainting) {
        // Outside a paint the canvas draws into the picture, kept to the client size.
        auto* self = const_cast<TCustomControl*>(this);
        QImage& surface = self->Surface();
        if (!FCanvas->HandleAllocated()) FCanvas->SetDevice(&surface);
    }
    return FCanvas.get();
}

void TCustomControl::ReleaseSurface() { FCanvas->FreeHandle(); }

void TCustomControl::Paint()
{
    if (OnPaint) OnPaint(this);
}

void TCustomControl::PaintWindow(QPainter& painter)
{
    FCanvas->BeginPaint(&painter);
    FPainting = true;
    try {
        Paint();
    } catch (...) {
        FPainting = false;
        FCanvas->EndPaint();
        throw;
    }
    FPainting = false;
    FCanvas->EndPaint();
}

void TCustomControl::CMFontChanged(TMessage& Message)
{
    FCanvas->SetFont(Font());
    TWinControl::CMFontChanged(Message);
}

// ---- TGraphicControl --------------------------------------------------------------------------
TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner), FCanvas(std::make_unique<TCanvas>())
{
    FCanvas->SetFont(Font());
}

TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::Paint()
{
    if (OnPaint) OnPaint(this);
}

void TGraphicControl::WMPaint(TWMPaint& Message)
{
    if (!Message.DC) return;
    FCanvas->BeginPaint(reinterpret_cast<QPainter*>(Message.DC));
    try {
        Paint();
    } catch (...) {
        FCanvas->EndPaint();
        throw;
    }
    FCanvas->EndPaint();
}

void TGraphicControl::CMFontChanged(TMessage& Message)
{
    FCanvas->SetFont(Font());
    TControl::CMFontChanged(Message);
}

void FocusWindow(TWinControl* control)
{
    if (control) {
        control->HandleNeeded();
        control->Handle()->setFocus(Qt::OtherFocusReason);
    }
    MoveFocusTo(control);
}
