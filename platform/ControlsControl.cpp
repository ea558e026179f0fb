// TControl: bounds, visibility, text, fonts and colours, its messages and
// the steps it takes on them, its action and pop-up menu.
#include "platform/Controls.h"

#include "platform/ActnList.h"
#include "platform/ControlsPrivate.h"
#include "platform/Forms.h"
#include "platform/Menus.h"
#include "platform/WindowProc.h"

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

// ---- TControl ---------------------------------------------------------------------------------
TControl::TControl(TComponent* AOwner)
    : TComponent(AOwner),
      FControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks},
      FFont(std::make_unique<TFont>()),
      FConstraints(std::make_unique<TSizeConstraints>()),
      FSerial(NextSerial++)
{
    FFont->OnChange = [this](TObject* s) { FontChanged(s); };
    FConstraints->OnChange = [this] { ConstraintsChanged(); };
    LiveControls()[FSerial] = this;
}

namespace {
// Controls whose window procedure someone replaced; few at any time.
std::unordered_map<const TControl*, TWndMethod>& ReplacedWindowProcs()
{
    static std::unordered_map<const TControl*, TWndMethod> procs;
    return procs;
}
} // namespace

TWndMethod GetWindowProc(TControl* Control)
{
    const auto& procs = ReplacedWindowProcs();
    if (const auto it = procs.find(Control); it != procs.end()) return it->second;
    return [Control](TMessage& Message) { Control->WndProc(Message); };
}

void SetWindowProc(TControl* Control, TWndMethod Proc)
{
    if (Proc) ReplacedWindowProcs()[Control] = std::move(Proc);
    else ReplacedWindowProcs().erase(Control);
}

bool WindowProcReplaced(const TControl* Control) { return ReplacedWindowProcs().count(Control) != 0; }

TControl::~TControl()
{
    ReplacedWindowProcs().erase(this);
    if (FAction) FAction->UnRegisterClient(this);
    LiveControls().erase(FSerial);
    if (Application) Application->ControlDestroyed(this);
    if (CaptureControl == this) CaptureControl = nullptr;
    if (FParent) FParent->RemoveControl(this);
    FFont->OnChange = nullptr;
    FConstraints->OnChange = nullptr;
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
    AWidth = std::max(0, FConstraints->Width(AWidth));
    AHeight = std::max(0, FConstraints->Height(AHeight));
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
    if (sized) SizeChanged();
    (void)moved;
}

void TControl::ConstraintsChanged()
{
    SetBounds(FLeft, FTop, FWidth, FHeight);
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
    auto& procs = ReplacedWindowProcs();
    if (const auto it = procs.find(this); it != procs.end()) {
        // A copy: the procedure may give the control back its own while it runs.
        const TWndMethod proc = it->second;
        proc(m);
    } else {
        WndProc(m);
    }
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

void TControl::AddResizeWatch(const void* Owner, TResizeWatch Watch)
{
    RemoveResizeWatch(Owner);
    FResizeWatches.emplace_back(Owner, std::move(Watch));
}

void TControl::RemoveResizeWatch(const void* Owner)
{
    std::erase_if(FResizeWatches, [Owner](const auto& w) { return w.first == Owner; });
}

void TControl::SizeChanged()
{
    // A watcher may remove itself or another one while the list is walked.
    const auto watches = FResizeWatches;
    for (auto it = watches.rbegin(); it != watches.rend(); ++it) {
        const bool stillThere = std::any_of(FResizeWatches.begin(), FResizeWatches.end(),
                                            [&](const auto& w) { return w.first == it->first; });
        if (stillThere) it->second(this);
    }
    Resize();
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
