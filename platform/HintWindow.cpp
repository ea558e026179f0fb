#include "platform/HintWindow.h"

#include "platform/DrawText.h"
#include "platform/FrameControls.h"
#include "platform/Forms.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>

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
    auto* w = new QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
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
    int maxWidth = info.HintMaxWidth;
    if (maxWidth <= 0) {
        const QScreen* screen = QGuiApplication::primaryScreen();
        maxWidth = screen ? screen->geometry().width() : 1024;
    }
    TRect r = shown->CalcHintRect(maxWidth, info.HintStr, info.HintData);
    r = Rect(info.HintPos.X, info.HintPos.Y, info.HintPos.X + r.Width(), info.HintPos.Y + r.Height());
    shown->ActivateHintData(r, info.HintStr, info.HintData);
    if (info.HideTimeout > 0) {
        THintWindow* window = shown;
        QTimer::singleShot(info.HideTimeout, [window] {
            if (ShownHint() == window) window->ReleaseHandle();
        });
    }
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
