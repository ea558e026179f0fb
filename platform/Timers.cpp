#include "platform/Timers.h"

#include "platform/Controls.h"

#include <algorithm>

TTimerEvent& TTimerEvent::operator=(TNotifyEvent handler)
{
    FHandler = std::move(handler);
    FOwner->UpdateTimer();
    return *this;
}

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) {}

TTimer::~TTimer()
{
    StopCountdown();
}

void TTimer::SetEnabled(bool value)
{
    if (value == FEnabled) return;
    FEnabled = value;
    UpdateTimer();
}

void TTimer::SetInterval(unsigned value)
{
    if (value == FInterval) return;
    FInterval = value;
    UpdateTimer();
}

void TTimer::StopCountdown()
{
    if (FTimerId != 0 && FClock) FClock->StopTimer(FTimerId);
    FTimerId = 0;
    FClock.reset();
}

// Every change that matters starts the countdown afresh, as the platform
// re-creates its timer.
void TTimer::UpdateTimer()
{
    StopCountdown();
    if (!FEnabled || FInterval == 0 || !OnTimer) return;
    FClock = CurrentClock();
    FTimerId = FClock->StartTimer(std::max(FInterval, WindowTimerFloor), [this] { RunGuarded(this, [this] { Timer(); }); });
}

void TTimer::Timer()
{
    if (FEnabled && OnTimer) OnTimer(this);
}
