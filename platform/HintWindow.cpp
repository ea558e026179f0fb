#include "platform/HintWindow.h"

#include "platform/DrawText.h"
#include "platform/FrameControls.h"
#include "platform/Forms.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace {

THintWindowClass& AppHintClass()
{
    static THintWindowClass windowClass;
    return windowClass;
}

// The hint showing now. Left alone at exit: its window may outlive the
// application object, and deleting a widget then is not allowed.
THintWindow*& ShownHint()
{
    static THintWindow* window = nullptr;
    return window;
}

}  // namespace

THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetColor(clInfoBk);
    SetVisible(false);
}

THintWindow::~THintWindow() = default;

QWidget* THintWindow::CreateWidget(QWidget*)
{
    // Transparent for input: a hint that opens under the pointer must not
    // take it from the control, which would then count as left.
    auto* w = new QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                                       Qt::WindowTransparentForInput);
    w->setAttribute(Qt::WA_ShowWithoutActivating);
    w->setFocusPolicy(Qt::NoFocus);
    return w;
}

TRect THintWindow::CalcHintRect(int MaxWidth, const String& AHint, void*)
{
    TRect r = Rect(0, 0, MaxWidth, 0);
    DrawText(*Canvas(), AHint, r, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    r.Right += 6;
    r.Bottom += 2;
    return r;
}

void THintWindow::ShowAtBounds()
{
    HandleNeeded();
    QWidget* w = Handle();
    w->setGeometry(Left(), Top(), Width(), Height());
    w->show();
    w->raise();
    w->update();
}

void THintWindow::ActivateHint(const TRect& Rect, const String& AHint)
{
    SetCaption(AHint);
    SetBoundsRect(Rect);
    ShowAtBounds();
}

void THintWindow::ActivateHintData(const TRect& Rect, const String& AHint, void*) { ActivateHint(Rect, AHint); }

void THintWindow::ReleaseHandle()
{
    if (HandleAllocated()) Handle()->hide();
}

bool THintWindow::HintShowing() const
{
    return HandleAllocated() && const_cast<THintWindow*>(this)->Handle()->isVisible();
}

void THintWindow::Paint()
{
    TCanvas& c = *Canvas();
    c.Brush()->SetStyle(TBrushStyle::bsSolid);
    c.Brush()->SetColor(Color());
    TRect r = ClientRect();
    c.FillRect(r);
    DrawEdge(c, r, BDR_RAISEDOUTER, BF_RECT);
    TRect text = Rect(r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2);
    c.Brush()->SetStyle(TBrushStyle::bsClear);
    c.Font()->SetColor(clInfoText);
    DrawText(c, Caption(), text, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
}

void THintWindow::CMTextChanged(TMessage& Message)
{
    TCustomControl::CMTextChanged(Message);
    Invalidate();
}

THintWindowClass ApplicationHintWindowClass() { return AppHintClass(); }

void SetApplicationHintWindowClass(THintWindowClass windowClass) { AppHintClass() = std::move(windowClass); }

void ShowHintWindow(const THintInfo& info, const THintWindowClass& windowClass)
{
    const THintWindowClass& make = windowClass ? windowClass : AppHintClass();
    THintWindow*& shown = ShownHint();
    delete shown;
    shown = make ? make(nullptr) : new THintWindow(nullptr);
    if (!shown) return;
    shown->SetColor(info.HintColor);
    const QScreen* screen = QGuiApplication::screenAt(QPoint(info.HintPos.X, info.HintPos.Y));
    if (!screen) screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    const int maxWidth = info.HintMaxWidth > 0 ? info.HintMaxWidth : area.width();
    TRect r = shown->CalcHintRect(maxWidth, info.HintStr, info.HintData);
    // A hint near the screen's right or bottom edge is moved back onto it.
    const int left = std::max(int(area.left()), std::min(info.HintPos.X, area.left() + area.width() - r.Width()));
    const int top = std::max(int(area.top()), std::min(info.HintPos.Y, area.top() + area.height() - r.Height()));
    r = Rect(left, top, left + r.Width(), top + r.Height());
    shown->ActivateHintData(r, info.HintStr, info.HintData);
}

void HideHintWindow()
{
    if (ShownHint()) ShownHint()->ReleaseHandle();
}

THintWindow* ActiveHintWindow()
{
    THintWindow* window = ShownHint();
    return window && window->HintShowing() ? window : nullptr;
}
