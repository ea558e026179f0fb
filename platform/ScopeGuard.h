#pragma once
// A step that runs when the scope ends, however it ends: the flag, counter or
// handler a block set aside comes back on the normal path and when an
// exception leaves the block, without a catch-and-rethrow around it.
//
//     FBusy = true;
//     const TScopeExit idle([this] { FBusy = false; });
//
// Dismiss() drops the step, for one that only a failure needs. The step may
// raise on the normal path, as the code after a block could; while an
// exception already leaves the scope it must not.

#include <utility>

template <class TStep>
class TScopeExit {
public:
    explicit TScopeExit(TStep Step) : FStep(std::move(Step)) {}
    ~TScopeExit() noexcept(false)
    {
        if (FActive) FStep();
    }
    TScopeExit(const TScopeExit&) = delete;
    TScopeExit& operator=(const TScopeExit&) = delete;

    void Dismiss() { FActive = false; }

private:
    TStep FStep;
    bool FActive = true;
};
