#pragma once
// The timer component, ticking on the clock seam.

#include "platform/Classes.h"
#include "platform/Seams.h"

class TTimer;

// OnTimer: assigned like any event, but assigning it re-arms the timer, as
// the platform's timer only runs with a handler.
class TTimerEvent {
public:
    explicit TTimerEvent(TTimer* owner) : FOwner(owner) {}
    TTimerEvent& operator=(TNotifyEvent handler);
    TTimerEvent& operator=(std::nullptr_t) { return *this = TNotifyEvent(); }
    explicit operator bool() const { return bool(FHandler); }
    void operator()(TObject* sender) const { FHandler(sender); }

private:
    TTimer* FOwner;
    TNotifyEvent FHandler;
};

// Fires OnTimer every Interval milliseconds while Enabled. As on the
// platform: enabling an enabled timer does not restart its countdown;
// changing the interval or the handler of a running timer restarts it;
// disabling stops it; a timer with Interval 0 or without OnTimer does not run.
// It ticks no faster than a window timer (WindowTimerFloor in Controls.h).
class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* AOwner);
    ~TTimer() override;

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value);
    unsigned Interval() const { return FInterval; }
    void SetInterval(unsigned value);
    // True while a countdown runs.
    bool Running() const { return FTimerId != 0; }

    TTimerEvent OnTimer{this};

protected:
    // One tick: fires OnTimer.
    virtual void Timer();

private:
    friend class TTimerEvent;
    void UpdateTimer();
    void StopCountdown();

    bool FEnabled = true;
    unsigned FInterval = 1000;
    std::shared_ptr<TClock> FClock;
    TClock::TTimerId FTimerId = 0;
};
