// TWinControl: children and alignment, the widget behind its handle, focus
// and tab order, painting.
#include "platform/Controls.h"

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

// ---- TWinControl ---------------------------------------------------------------------------------
TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

TWinControl::~TWinControl()
{
    KillTimersOf(Serial());
    ForgetScrollBarsOf(Serial());
    if (FocusedControl == this) FocusedControl = nullptr;
    // The windows go first, all at once, so that no event of a window that
    // is going reaches a control that is half gone. From here on no window
    // is made for this control or its children again.
    SetControlState(ControlState() + csDestroyingHandle);
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
    // Hiding the windows that go runs their handlers (a drop-down closing up,
    // say), which may ask for a window: one made then would outlive its control.
    for (const TWinControl* c = this; c; c = c->Parent())
        if (c->ControlState().Contains(csDestroyingHandle)) return;
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
    const TControlState state = ControlState();
    SetControlState(state + csDestroyingHandle);
    QWidget* w = FWidget;
    ReleaseWidgets();
    if (WidgetInDispatch(w)) {
        w->hide();
        w->setParent(nullptr);
        w->deleteLater();
    } else {
        delete w;
    }
    SetControlState(state);
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
    AWidth = std::max(0, Constraints()->Width(AWidth));
    AHeight = std::max(0, Constraints()->Height(AHeight));
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
