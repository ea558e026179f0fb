#include "platform/ScrollBars.h"

#include <QScrollBar>
#include <QWidget>

#include <algorithm>

// ---- The bars as Qt scroll bars ----------------------------------------------------------------------------

void TWindowScrollBars::Sync()
{
    if (!FOwner->HandleAllocated()) return;
    const bool vert = IsScrollBarVisible(FOwner, SB_VERT);
    const bool horz = IsScrollBarVisible(FOwner, SB_HORZ);
    const int width = FOwner->Width();
    const int height = FOwner->Height();
    for (bool horizontal : {false, true}) {
        QPointer<QScrollBar>& bar = Bar(horizontal);
        if (!(horizontal ? horz : vert)) {
            if (bar) bar->hide();
            continue;
        }
        if (!bar) {
            bar = new QScrollBar(horizontal ? Qt::Horizontal : Qt::Vertical, FOwner->Handle());
            bar->setFocusPolicy(Qt::NoFocus);
            bar->setSingleStep(1);
            QObject::connect(bar, &QAbstractSlider::actionTriggered, bar,
                             [this, horizontal](int action) { Action(horizontal, action); });
            QObject::connect(bar, &QAbstractSlider::sliderReleased, bar, [this, horizontal] { Released(horizontal); });
        }
        TScrollInfo info;
        info.fMask = SIF_ALL;
        GetScrollInfo(FOwner, horizontal ? SB_HORZ : SB_VERT, info);
        bar->blockSignals(true);
        // The window system's range counts the page in: the last position is max - page + 1.
        const int page = int(info.nPage);
        bar->setRange(info.nMin, std::max(info.nMin, page > 0 ? info.nMax - page + 1 : info.nMax));
        bar->setPageStep(std::max(1, page));
        if (!bar->isSliderDown()) bar->setValue(info.nPos);
        bar->blockSignals(false);
        if (horizontal) bar->setGeometry(0, height - Size, width - (vert ? Size : 0), Size);
        else bar->setGeometry(width - Size, 0, Size, height - (horz ? Size : 0));
        bar->show();
    }
}

// A user's action on a bar becomes the scroll message the window would get.
void TWindowScrollBars::Action(bool horizontal, int action)
{
    QScrollBar* bar = Bar(horizontal);
    if (!bar) return;
    int code = -1;
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd: code = SB_LINEDOWN; break;
    case QAbstractSlider::SliderSingleStepSub: code = SB_LINEUP; break;
    case QAbstractSlider::SliderPageStepAdd: code = SB_PAGEDOWN; break;
    case QAbstractSlider::SliderPageStepSub: code = SB_PAGEUP; break;
    case QAbstractSlider::SliderToMinimum: code = SB_TOP; break;
    case QAbstractSlider::SliderToMaximum: code = SB_BOTTOM; break;
    case QAbstractSlider::SliderMove: code = SB_THUMBTRACK; break;
    default: return;
    }
    const int pos = bar->sliderPosition();
    const int kind = horizontal ? SB_HORZ : SB_VERT;
    TWinControl* owner = FOwner;
    RunGuarded(owner, [&] { owner->Perform(horizontal ? WM_HSCROLL : WM_VSCROLL, MakeWParam(code, pos), 0); });
    // The bar shows where the window went, not where Qt would have put it.
    if (code != SB_THUMBTRACK && Bar(horizontal)) bar->setSliderPosition(GetScrollPos(owner, kind));
}

void TWindowScrollBars::Released(bool horizontal)
{
    QScrollBar* bar = Bar(horizontal);
    if (!bar) return;
    const UINT msg = horizontal ? WM_HSCROLL : WM_VSCROLL;
    FOwner->Perform(msg, MakeWParam(SB_THUMBPOSITION, bar->sliderPosition()), 0);
    FOwner->Perform(msg, MakeWParam(SB_ENDSCROLL, 0), 0);
}

// ---- A scrolling window's bar ------------------------------------------------------------------------------

bool TControlScrollBar::IsScrollBarVisible() const { return ::IsScrollBarVisible(FControl, FKind); }

void TControlScrollBar::SetPosition(int Value)
{
    const TRect client = FControl->ClientRect();
    const int page = FKind == SB_HORZ ? client.Width() : client.Height();
    const int last = std::max(0, FRange - page);
    const int position = IsScrollBarVisible() ? std::clamp(Value, 0, last) : 0;
    if (position == FPosition) return;
    const int delta = FPosition - position;
    FPosition = position;
    if (FKind == SB_HORZ) FControl->ScrollBy(delta, 0);
    else FControl->ScrollBy(0, delta);
    SetScrollPos(FControl, FKind, position, true);
}

void TControlScrollBar::SetRange(int Value)
{
    FRange = std::max(0, Value);
    FControl->UpdateScrollBars();
}

void TControlScrollBar::ScrollMessage(int code, int thumb)
{
    const TRect client = FControl->ClientRect();
    const int page = std::max(1, FKind == SB_HORZ ? client.Width() : client.Height());
    int next = FPosition;
    switch (code) {
    case SB_LINEUP: next -= FIncrement; break;
    case SB_LINEDOWN: next += FIncrement; break;
    case SB_PAGEUP: next -= page; break;
    case SB_PAGEDOWN: next += page; break;
    case SB_THUMBPOSITION: next = thumb; break;
    case SB_THUMBTRACK:
        if (!FTracking) return;
        next = thumb;
        break;
    case SB_TOP: next = 0; break;
    case SB_BOTTOM: next = FRange; break;
    default: return;
    }
    SetPosition(next);
}

// ---- The scrolling window ----------------------------------------------------------------------------------

TScrollingWinControl::TScrollingWinControl(TComponent* AOwner)
    : TCustomControl(AOwner),
      FHorzScrollBar(std::make_unique<TControlScrollBar>(this, SB_HORZ)),
      FVertScrollBar(std::make_unique<TControlScrollBar>(this, SB_VERT))
{
}

TScrollingWinControl::~TScrollingWinControl() = default;

void TScrollingWinControl::SetAutoScroll(bool Value)
{
    if (FAutoScroll == Value) return;
    FAutoScroll = Value;
    UpdateScrollBars();
}

TRect TScrollingWinControl::ClientRect() const
{
    TRect r = TCustomControl::ClientRect();
    if (::IsScrollBarVisible(this, SB_VERT)) r.Right = std::max(r.Left, r.Right - TWindowScrollBars::Size);
    if (::IsScrollBarVisible(this, SB_HORZ)) r.Bottom = std::max(r.Top, r.Bottom - TWindowScrollBars::Size);
    return r;
}

void TScrollingWinControl::ScrollBy(int DeltaX, int DeltaY)
{
    if (DeltaX == 0 && DeltaY == 0) return;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        c->SetBounds(c->Left() + DeltaX, c->Top() + DeltaY, c->Width(), c->Height());
    }
    Invalidate();
}

// How far the children reach, in the unscrolled area.
int TScrollingWinControl::FullExtent(int kind) const
{
    const TControlScrollBar& bar = kind == SB_HORZ ? *FHorzScrollBar : *FVertScrollBar;
    int extent = 0;
    for (int i = 0; i < ControlCount(); ++i) {
        const TControl* c = Controls(i);
        if (!c->Visible()) continue;
        extent = std::max(extent, (kind == SB_HORZ ? c->Left() + c->Width() : c->Top() + c->Height()) + bar.FPosition);
    }
    return extent;
}

void TScrollingWinControl::UpdateScrollBars()
{
    if (FUpdating) return;
    FUpdating = true;
    if (FAutoScroll) {
        FHorzScrollBar->FRange = FullExtent(SB_HORZ);
        FVertScrollBar->FRange = FullExtent(SB_VERT);
    }
    // A bar shown takes room from the other direction, which may then need its bar too.
    const TRect full = TCustomControl::ClientRect();
    bool vert = FVertScrollBar->FRange > full.Height();
    const bool horz = FHorzScrollBar->FRange > full.Width() - (vert ? TWindowScrollBars::Size : 0);
    if (horz && !vert) vert = FVertScrollBar->FRange > full.Height() - TWindowScrollBars::Size;
    ShowScrollBar(this, SB_VERT, vert);
    ShowScrollBar(this, SB_HORZ, horz);
    const TRect client = ClientRect();
    for (TControlScrollBar* bar : {FHorzScrollBar.get(), FVertScrollBar.get()}) {
        TScrollInfo info;
        info.fMask = SIF_RANGE | SIF_PAGE;
        info.nMin = 0;
        info.nMax = std::max(0, bar->FRange - 1);
        info.nPage = UINT(std::max(0, bar->FKind == SB_HORZ ? client.Width() : client.Height()));
        SetScrollInfo(this, bar->FKind, info, true);
        // A bar that went away, or a range that shrank, scrolls back into it.
        bar->SetPosition(bar->FPosition);
    }
    FUpdating = false;
}

void TScrollingWinControl::ScrollInView(TControl* AControl)
{
    if (!AControl || AControl->Parent() != this) return;
    const TRect client = ClientRect();
    const auto bring = [](TControlScrollBar& bar, int from, int to, int extent) {
        from -= bar.Margin();
        to += bar.Margin();
        if (from < 0) bar.SetPosition(bar.Position() + from);
        else if (to > extent) bar.SetPosition(bar.Position() + std::min(to - extent, from));
    };
    bring(*FHorzScrollBar, AControl->Left(), AControl->Left() + AControl->Width(), client.Width());
    bring(*FVertScrollBar, AControl->Top(), AControl->Top() + AControl->Height(), client.Height());
}

void TScrollingWinControl::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_HSCROLL:
    case WM_VSCROLL: {
        TControlScrollBar& bar = Message.Msg == WM_HSCROLL ? *FHorzScrollBar : *FVertScrollBar;
        bar.ScrollMessage(LoWord(Message.WParam), HiWord(Message.WParam));
        return;
    }
    case CM_SCROLLBARCHANGED:
        FBars.Sync();
        return;
    default:
        TCustomControl::WndProc(Message);
    }
}

bool TScrollingWinControl::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos)
{
    if (TCustomControl::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
    TControlScrollBar& bar = FVertScrollBar->IsScrollBarVisible() ? *FVertScrollBar : *FHorzScrollBar;
    if (!bar.IsScrollBarVisible()) return false;
    // Three lines a notch, as the desktop scrolls lists.
    bar.SetPosition(bar.Position() - WheelDelta * 3 * bar.Increment() / 120);
    return true;
}

void TScrollingWinControl::CreateWnd()
{
    TCustomControl::CreateWnd();
    FBars.Sync();
}

void TScrollingWinControl::Resize()
{
    TCustomControl::Resize();
    UpdateScrollBars();
    FBars.Sync();
}
