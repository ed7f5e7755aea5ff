#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "doubles/FakeClock.h"
#include "platform/Delay.h"
#include "support/Dates.h"

namespace tav {
namespace {

using test::Date;

int64_t WallMicros(const FakeClock& clock, int64_t startDay, int64_t startMicros) {
    return (clock.DayNumber() - startDay) * FakeClock::MicrosPerDay + clock.MicrosSinceMidnight() - startMicros;
}

// The wait lasts what it was asked for on the monotonic clock, whatever the time of day: late in
// the day too, where single-precision seconds resolve only 1/128 s, and across midnight.
TEST(Delay, WaitsTheRequestedTimeAtAnyTimeOfDay) {
    struct Case {
        int hour, minute, second, ms;
        int16_t wait;
    };
    const Case cases[] = {
        {0, 1, 40, 0, 20},  {0, 1, 40, 0, 5},    {0, 1, 40, 0, 1},   {10, 0, 0, 0, 20},
        {23, 0, 0, 0, 200}, {0, 0, 0, 0, 32767}, {23, 59, 59, 990, 20},
        {23, 59, 59, 935, 10},  // an end just past the last clock step of the day
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.hour) + ":" + std::to_string(c.minute) + ":" + std::to_string(c.second) +
                     "." + std::to_string(c.ms) + " wait " + std::to_string(c.wait));
        FakeClock clock;
        clock.Set(c.hour, c.minute, c.second, c.ms, Date(2024, 12, 31));
        const int64_t day = clock.DayNumber(), start = clock.MicrosSinceMidnight();
        const double mono = clock.MonotonicMs();
        EXPECT_TRUE(Delay(clock, c.wait));
        const double elapsed = clock.MonotonicMs() - mono;
        EXPECT_GE(elapsed, c.wait);
        EXPECT_LE(elapsed, c.wait + 1.5);
        // With no step of the wall clock, the time of day moved on as much.
        EXPECT_NEAR(static_cast<double>(WallMicros(clock, day, start)), elapsed * 1000.0, 1000.0);
    }
}

TEST(Delay, AWaitOverMidnightEndsOnTheNextDay) {
    FakeClock clock;
    clock.Set(23, 59, 59, 990, Date(2024, 12, 31));
    EXPECT_TRUE(Delay(clock, 20));
    EXPECT_EQ(DateTextSlashes(clock.Peek()), "01/01/2025");
    EXPECT_NEAR(clock.MicrosSinceMidnight(), 10000, 1500);
}

TEST(Delay, NothingOrLessReturnsAtOnce) {
    for (int16_t wait : {int16_t(0), int16_t(-1), int16_t(-32768)}) {
        FakeClock clock;
        clock.Set(12, 0, 0);
        EXPECT_TRUE(Delay(clock, wait));
        EXPECT_EQ(clock.Sleeps(), 0) << wait;
        EXPECT_LE(clock.Readings(), 1) << wait;
    }
}

// A wall clock put forward or back in the middle of the wait (daylight saving, a time-sync
// jump) neither ends it early nor stretches it.
TEST(Delay, AClockStepDuringTheWaitChangesNothing) {
    struct Case {
        const char* name;
        int hour;
        double stepMs;
    };
    const Case cases[] = {
        {"an hour forward", 1, 3600000.0},
        {"an hour back", 2, -3600000.0},
        {"a sync jump of 2 s back", 12, -2000.0},
        {"a sync jump of 5 s forward", 12, 5000.0},
        {"back across midnight", 0, -60000.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeClock clock;
        clock.Set(c.hour, 0, 0, 0);
        const int64_t day = clock.DayNumber(), start = clock.MicrosSinceMidnight();
        clock.StepAfter(100, c.stepMs);
        const double mono = clock.MonotonicMs();
        EXPECT_TRUE(Delay(clock, 500));
        const double elapsed = clock.MonotonicMs() - mono;
        EXPECT_GE(elapsed, 500.0);
        EXPECT_LE(elapsed, 501.5);
        // The step did happen: the wall clock moved by the wait and the step.
        EXPECT_NEAR(static_cast<double>(WallMicros(clock, day, start)), (elapsed + c.stepMs) * 1000.0, 1000.0);
    }
}

// A monotonic clock that a test scripts; Sleep only records.
class StoppedClock : public Clock {
public:
    float Timer() override { return 500.0f; }
    CivilTime Now() override { return {}; }
    double MonotonicMs() override { return 1234.0; }
    void Sleep(double ms) override {
        ++sleeps_;
        slept_ += ms;
        longest_ = std::max(longest_, ms);
    }
    int sleeps_ = 0;
    double slept_ = 0, longest_ = 0;
};

TEST(Delay, GivesUpWhenTheClockStops) {
    for (int16_t wait : {int16_t(20), int16_t(32767)}) {
        StoppedClock clock;
        EXPECT_FALSE(Delay(clock, wait)) << wait;
        // Bounded by what it slept: the wait plus a margin of one second, not by the clock.
        EXPECT_LE(clock.slept_, wait + 1002.0) << wait;
        EXPECT_GE(clock.slept_, wait) << wait;
        EXPECT_LE(clock.longest_, 1.0) << wait;
    }
}

TEST(Delay, SleepsAtMostAMillisecondAndNeverPastTheEnd) {
    // A clock that moves only when slept, exactly by the time slept.
    FakeClock fake;
    fake.SetReadStepMicros(0);
    fake.Set(0, 0, 10);
    double longest = 0;
    struct Recorder : Clock {
        FakeClock& inner;
        double& longest;
        Recorder(FakeClock& c, double& l) : inner(c), longest(l) {}
        float Timer() override { return inner.Timer(); }
        CivilTime Now() override { return inner.Now(); }
        double MonotonicMs() override { return inner.MonotonicMs(); }
        void Sleep(double ms) override {
            longest = std::max(longest, ms);
            inner.Sleep(ms);
        }
    } clock(fake, longest);
    const double start = fake.MonotonicMs();
    EXPECT_TRUE(Delay(clock, 7));
    EXPECT_LE(longest, 1.0);
    EXPECT_GE(fake.Sleeps(), 7);
    // Never past the end: the last sleep was cut to what remained.
    EXPECT_NEAR(fake.MonotonicMs() - start, 7.0, 0.02);
}

}  // namespace
}  // namespace tav
