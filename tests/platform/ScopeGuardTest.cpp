// The scope guard: its step runs once when the scope ends, on the normal path
// and when an exception leaves it, not at all once dismissed, and a step that
// raises on the normal path reaches the caller as the code after a block would.
#include "platform/ScopeGuard.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

// A guarded flag as the grid's blocks use it: set for the block, cleared however the block ends.
int RunGuarded(bool& busy, int& steps, bool fail)
{
    busy = true;
    const TScopeExit idle([&] {
        busy = false;
        ++steps;
    });
    if (fail) throw std::runtime_error("failed inside");
    return busy ? 1 : 0;
}

TEST(ScopeGuard, TheStepRunsOnceHoweverTheScopeEnds)
{
    for (bool fail : {false, true}) {
        bool busy = false;
        int steps = 0;
        if (fail) {
            EXPECT_THROW(RunGuarded(busy, steps, true), std::runtime_error);
        } else {
            EXPECT_EQ(RunGuarded(busy, steps, false), 1) << "the flag holds inside the block";
        }
        EXPECT_FALSE(busy) << "failing " << fail;
        EXPECT_EQ(steps, 1) << "failing " << fail;
    }
}

TEST(ScopeGuard, ADismissedStepDoesNotRun)
{
    // The form a failure-only step takes: dismissed once the block got through.
    auto attempt = [](bool fail, bool& stopped) {
        TScopeExit stop([&] { stopped = true; });
        if (fail) throw std::runtime_error("click failed");
        stop.Dismiss();
    };
    bool stopped = false;
    attempt(false, stopped);
    EXPECT_FALSE(stopped);
    EXPECT_THROW(attempt(true, stopped), std::runtime_error);
    EXPECT_TRUE(stopped);
}

TEST(ScopeGuard, AStepThatRaisesOnTheNormalPathReachesTheCaller)
{
    auto block = [] { const TScopeExit after([] { throw std::logic_error("after the block"); }); };
    EXPECT_THROW(block(), std::logic_error);
}

}   // namespace
