// The application's hints: one pending or showing hint for the whole
// program, its pauses on the clock seam, and the hint window it shows.

#include "platform/Forms.h"
#include "platform/HintWindow.h"
#include "platform/Timers.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

// The pointer's height below its hot spot: a hint starts under the pointer.
constexpr int PointerHeight = 16;

// The control whose hint the pointer over `control` asks for: the control
// itself, or the nearest parent that shows hints when it does not.
TControl* HintControlUnder(TControl* control)
{
    while (control && !control->ShowHint()) control = control->Parent();
    return control;
}

bool IsButtonDown(UINT msg)
{
    return msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN || msg == WM_LBUTTONDBLCLK ||
           msg == WM_RBUTTONDBLCLK || msg == WM_MBUTTONDBLCLK;
}

} // namespace

void TApplication::SetShowHint(bool value)
{
    if (value == FShowHint) return;
    FShowHint = value;
    if (!value) CancelHint();
}

void TApplication::HintMouseMessage(TControl* Control, TMessage& Message)
{
    if (IsButtonDown(Message.Msg)) {
        CancelHint();
        return;
    }
    if (Message.Msg != WM_MOUSEMOVE) return;
    // Moving with a button held drags or selects; no hint comes in between.
    if (Message.WParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) return;
    TControl* control = FShowHint ? HintControlUnder(Control) : nullptr;
    if (!control) {
        CancelHint();
        return;
    }
    const TPoint screen = Control->ClientToScreen(TWMMouse(Message).Pos());
    if (control == FHintControl && FHintCursorRect.Contains(screen)) return;
    // Until the hint has been asked for, every move starts the pause afresh:
    // the pointer must rest. Once one is showing, the next comes quickly.
    const bool wasActive = FHintActive;
    int pause = wasActive ? FHintShortPause : FHintPause;
    control->Perform(CM_HINTSHOWPAUSE, WPARAM(wasActive), LPARAM(&pause));
    CancelHint();
    FHintActive = wasActive;
    FHintControl = control;
    if (pause > 0) StartHintTimer(pause, THintTimerMode::Show);
    else ActivateHint(screen);
}

void TApplication::ActivateHint(const TPoint& CursorPos)
{
    StopHintTimer();
    TControl* control = FHintControl;
    if (!control) return;
    if (!control->Showing()) {
        CancelHint();
        return;
    }
    THintInfo info;
    info.HintControl = control;
    info.CursorPos = control->ScreenToClient(CursorPos);
    info.CursorRect = control->ClientRect();
    info.HintPos = {CursorPos.X, CursorPos.Y + PointerHeight};
    info.HintColor = FHintColor;
    info.HideTimeout = FHintHidePause;
    info.HintStr = control->Hint();
    const bool canShow = control->Perform(CM_HINTSHOW, 0, LPARAM(&info)) == 0;
    // The control may have cancelled the hint, or gone, while it answered.
    if (FHintControl != control) return;
    const TPoint origin = control->ClientToScreen({0, 0});
    FHintCursorRect = info.CursorRect;
    OffsetRect(FHintCursorRect, origin.X, origin.Y);
    FHintActive = canShow && !info.HintStr.isEmpty();
    if (!FHintActive) {
        HideHintWindow();
        return;
    }
    ShowHintWindow(info, info.HintWindowClass);
    if (info.ReshowTimeout > 0) StartHintTimer(info.ReshowTimeout, THintTimerMode::Reshow);
    else if (info.HideTimeout > 0) StartHintTimer(info.HideTimeout, THintTimerMode::Hide);
}

void TApplication::CancelHint()
{
    ForgetHintControl();
    HideHint();
}

void TApplication::HideHint()
{
    HideHintWindow();
}

void TApplication::ControlDestroyed(TControl* Control)
{
    if (Control != FHintControl) return;
    ForgetHintControl();
    // Controls freed after Qt has gone have no hint window left to hide.
    if (QCoreApplication::instance()) HideHint();
}

void TApplication::ForgetHintControl()
{
    StopHintTimer();
    FHintControl = nullptr;
    FHintActive = false;
    FHintCursorRect = TRect{};
}

void TApplication::StartHintTimer(int Interval, THintTimerMode Mode)
{
    if (!FHintTimer) {
        FHintTimer = std::make_unique<TTimer>(nullptr);
        FHintTimer->SetEnabled(false);
        FHintTimer->OnTimer = [this](TObject*) { HintTimerExpired(); };
    }
    FHintTimerMode = Mode;
    FHintTimer->SetEnabled(false);
    FHintTimer->SetInterval(unsigned(std::max(Interval, 1)));
    FHintTimer->SetEnabled(true);
}

void TApplication::StopHintTimer()
{
    if (FHintTimer) FHintTimer->SetEnabled(false);
}

void TApplication::HintTimerExpired()
{
    if (FHintTimerMode != THintTimerMode::Hide) {
        ActivateHint(GetCursorPos());
        return;
    }
    // Hidden by time: the pointer must move on before a hint is asked for again.
    StopHintTimer();
    FHintActive = false;
    HideHint();
}
