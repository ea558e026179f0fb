// The timer component on the test clock: when it ticks, and what restarts,
// stops or leaves alone its countdown.
#include "platform/Forms.h"
#include "platform/Seams.h"
#include "platform/Timers.h"
#include "tests/common/TestSeams.h"

#include <gtest/gtest.h>

namespace {

class TimersTest : public ::testing::Test {
protected:
    // The moments of the ticks, in milliseconds since the test began.
    std::vector<std::uint64_t> Ticks;
    TTestSeams Seams;
    const std::uint64_t Start = GetTickCount64();
    TNotifyEvent Record = [this](TObject*) { Ticks.push_back(GetTickCount64() - Start); };
    void Advance(std::uint64_t ms) { Seams.Clock().Advance(ms); }
};

TEST_F(TimersTest, DefaultsAreEnabledAndOneSecond)
{
    TTimer timer(nullptr);
    EXPECT_TRUE(timer.Enabled());
    EXPECT_EQ(timer.Interval(), 1000u);
    EXPECT_FALSE(timer.Running()) << "no handler, no countdown";
    timer.OnTimer = Record;
    EXPECT_TRUE(timer.Running());
    Advance(2500);
    EXPECT_EQ(Ticks, (std::vector<std::uint64_t>{1000, 2000}));
}

// Each case runs `Change` 400 ms into a running 1000 ms timer.
struct TChangeCase {
    const char* Name;
    std::function<void(TTimer&)> Change;
    std::vector<std::uint64_t> Expected;   // ticks within the first 2500 ms
};

class TimerChanges : public TimersTest, public ::testing::WithParamInterface<TChangeCase> {};

TEST_P(TimerChanges, TickWhenThePlatformWould)
{
    TTimer timer(nullptr);
    timer.OnTimer = Record;
    Advance(400);
    GetParam().Change(timer);
    Advance(2100);
    EXPECT_EQ(Ticks, GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    TimersTest, TimerChanges,
    ::testing::Values(
        TChangeCase{"Nothing", [](TTimer&) {}, {1000, 2000}},
        TChangeCase{"EnablingAnEnabledTimerKeepsItsCountdown", [](TTimer& t) { t.SetEnabled(true); }, {1000, 2000}},
        TChangeCase{"SameIntervalKeepsItsCountdown", [](TTimer& t) { t.SetInterval(1000); }, {1000, 2000}},
        TChangeCase{"NewIntervalRestarts", [](TTimer& t) { t.SetInterval(1000 + 1); }, {1401, 2402}},
        TChangeCase{"ShorterIntervalRestarts", [](TTimer& t) { t.SetInterval(300); },
                    {700, 1000, 1300, 1600, 1900, 2200, 2500}},
        TChangeCase{"DisablingStops", [](TTimer& t) { t.SetEnabled(false); }, {}},
        TChangeCase{"DisableAndEnableRestarts", [](TTimer& t) { t.SetEnabled(false); t.SetEnabled(true); }, {1400, 2400}},
        TChangeCase{"IntervalZeroStops", [](TTimer& t) { t.SetInterval(0); }, {}},
        TChangeCase{"NoHandlerStops", [](TTimer& t) { t.OnTimer = nullptr; }, {}}),
    [](const ::testing::TestParamInfo<TChangeCase>& info) { return std::string(info.param.Name); });

TEST_F(TimersTest, FirstCheckAfterSixtySecondsThenEveryTwoHours)
{
    // The main window's update check: disabled at design, 60 s, re-armed
    // with two hours from inside its own tick.
    TTimer timer(nullptr);
    timer.SetEnabled(false);
    timer.SetInterval(60000);
    timer.OnTimer = [&](TObject*) {
        Record(&timer);
        timer.SetEnabled(false);
        timer.SetInterval(7200000);
        timer.SetEnabled(true);
    };
    timer.SetEnabled(true);
    Advance(59999);
    EXPECT_TRUE(Ticks.empty());
    Advance(1);
    EXPECT_EQ(Ticks, std::vector<std::uint64_t>{60000});
    Advance(2 * 7200000);
    EXPECT_EQ(Ticks, (std::vector<std::uint64_t>{60000, 7260000, 14460000}));
}

TEST_F(TimersTest, ReEnablingBeforeTheFirstTickKeepsTheCurrentInterval)
{
    TTimer timer(nullptr);
    timer.SetEnabled(false);
    timer.SetInterval(60000);
    timer.OnTimer = Record;
    Advance(30000);
    timer.SetEnabled(true);
    Advance(60000);
    EXPECT_EQ(Ticks, std::vector<std::uint64_t>{90000});
}

TEST_F(TimersTest, DestroyedTimerStopsAndAnOwnerTakesItsTimersAlong)
{
    auto* owner = new TComponent(nullptr);
    auto* timer = new TTimer(owner);
    timer->OnTimer = Record;
    EXPECT_EQ(Seams.Clock().TimerCount(), 1);
    delete owner;
    EXPECT_EQ(Seams.Clock().TimerCount(), 0);
    Advance(5000);
    EXPECT_TRUE(Ticks.empty());
}

TEST_F(TimersTest, HandlerThatRaisesShowsTheErrorAndTheTimerGoesOn)
{
    TTimer timer(nullptr);
    timer.SetInterval(500);
    int calls = 0;
    timer.OnTimer = [&](TObject*) {
        ++calls;
        throw Exception(QStringLiteral("No answer"));
    };
    Advance(1000);
    EXPECT_EQ(calls, 2);
    ASSERT_EQ(Seams.Boxes.size(), 2u);
    EXPECT_EQ(Seams.Boxes[0].Text, QStringLiteral("No answer."));
    EXPECT_TRUE(timer.Running());
}

TEST_F(TimersTest, TimerKeepsTheClockItStartedOnEvenAfterTheTestScopeEnds)
{
    auto timer = std::make_unique<TTimer>(nullptr);
    {
        TTestSeams inner;
        timer->OnTimer = Record;
        inner.Clock().Advance(1000);
    }
    EXPECT_EQ(Ticks.size(), 1u);
    Advance(5000);
    EXPECT_EQ(Ticks.size(), 1u) << "it runs on the clock it started on";
    timer.reset();   // stopping on a clock whose scope is gone is safe
    SUCCEED();
}

} // namespace
