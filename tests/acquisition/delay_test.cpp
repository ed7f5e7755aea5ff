#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "acquisition/Delay.h"
#include "platform/FakeClock.h"
#include "support/Dates.h"

namespace tav {
namespace {

using test::Date;

int64_t ElapsedMicros(const FakeClock& clock, int64_t startDay, int64_t startMicros) {
    return (clock.DayNumber() - startDay) * FakeClock::MicrosPerDay + clock.MicrosSinceMidnight() - startMicros;
}

TEST(Delay, WaitsTheRequestedTimeOnTheClock) {
    struct Case {
        int hour, minute, second, ms;
        int16_t wait;
        int64_t minMicros, maxMicros;
    };
    // Early in the day single precision resolves microseconds; late in the day 1/128 s or less,
    // so the end may come up to one clock step early or late.
    const Case cases[] = {
        {0, 1, 40, 0, 20, 20000 - 10, 21500},
        {0, 1, 40, 0, 5, 5000 - 10, 6500},
        {0, 1, 40, 0, 1, 1000 - 10, 2500},
        {10, 0, 0, 0, 20, 20000 - 3907, 20000 + 3907 + 1500},
        {23, 0, 0, 0, 200, 200000 - 7813, 200000 + 7813 + 1500},
        {0, 0, 0, 0, 32767, 32767000 - 10, 32768500},
    };
    for (const Case& c : cases) {
        FakeClock clock;
        clock.Set(c.hour, c.minute, c.second, c.ms);
        int64_t day = clock.DayNumber(), start = clock.MicrosSinceMidnight();
        EXPECT_TRUE(Delay(clock, c.wait));
        int64_t elapsed = ElapsedMicros(clock, day, start);
        EXPECT_GE(elapsed, c.minMicros) << c.hour << ":" << c.minute << " wait " << c.wait;
        EXPECT_LE(elapsed, c.maxMicros) << c.hour << ":" << c.minute << " wait " << c.wait;
    }
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

TEST(Delay, AWaitThatEndsAfterMidnightEndsAfterMidnight) {
    struct Case {
        int second, ms;
        int16_t wait;
        int64_t endMinMicros, endMaxMicros;  // time of day after the wait, on the next day
    };
    const Case cases[] = {
        // 23:59:59.990 + 20 ms: about 0.01 s after midnight (within a clock step of 1/128 s)
        {59, 990, 20, 10000 - 7813, 10000 + 7813 + 1500},
        {59, 500, 1000, 495000, 502000},
        {59, 999, 2, 0, 2500},
        // The end time lands just above the last clock step before midnight: it is taken
        // 86400 s lower, so the wait lasts until the clock has passed midnight.
        {59, 935, 10, 0, 1500},
    };
    for (const Case& c : cases) {
        FakeClock clock;
        clock.Set(23, 59, c.second, c.ms, Date(2024, 12, 31));
        EXPECT_TRUE(Delay(clock, c.wait));
        CivilTime now = clock.Peek();
        EXPECT_EQ(DateTextSlashes(now), "01/01/2025") << c.ms << " + " << c.wait;
        EXPECT_GE(clock.MicrosSinceMidnight(), c.endMinMicros) << c.ms << " + " << c.wait;
        EXPECT_LE(clock.MicrosSinceMidnight(), c.endMaxMicros) << c.ms << " + " << c.wait;
    }
}

TEST(Delay, AWaitBeforeTheLastStepStaysInTheDay) {
    FakeClock clock;
    clock.Set(23, 59, 59, 800, Date(2024, 6, 1));
    EXPECT_TRUE(Delay(clock, 50));
    EXPECT_EQ(DateTextSlashes(clock.Peek()), "06/01/2024");
    // The start reading and the end time each round to the clock step of 1/128 s.
    EXPECT_GE(clock.MicrosSinceMidnight(), FakeClock::MicrosPerDay - 200000 + 50000 - 2 * 7813);
}

// A clock whose readings a test scripts; Sleep only records.
class ScriptedClock : public Clock {
public:
    explicit ScriptedClock(std::function<float(int reading)> reading) : reading_(std::move(reading)) {}
    float Timer() override { return reading_(readings_++); }
    CivilTime Now() override { return {}; }
    void Sleep(double ms) override {
        ++sleeps_;
        slept_ += ms;
        longest_ = std::max(longest_, ms);
    }
    int readings_ = 0, sleeps_ = 0;
    double slept_ = 0, longest_ = 0;

private:
    std::function<float(int)> reading_;
};

TEST(Delay, GivesUpWhenTheClockStopsOrGoesBack) {
    struct Case {
        const char* name;
        int16_t wait;
        std::function<float(int)> reading;
    };
    const Case cases[] = {
        {"stopped", 20, [](int) { return 500.0f; }},
        {"put back after the start", 20, [](int i) { return i == 0 ? 500.0f : 400.0f; }},
        {"stopped before midnight", 100, [](int) { return 86399.95f; }},
        {"put back before passing midnight", 100, [](int i) { return i == 0 ? 86399.95f : 50000.0f; }},
        {"stopped with the longest wait", 32767, [](int) { return 1.0f; }},
    };
    for (const Case& c : cases) {
        ScriptedClock clock(c.reading);
        EXPECT_FALSE(Delay(clock, c.wait)) << c.name;
        // Bounded by what it slept: the wait plus a margin of one second, not by the clock.
        EXPECT_LE(clock.slept_, c.wait + 1002.0) << c.name;
        EXPECT_GE(clock.slept_, c.wait) << c.name;
        EXPECT_LE(clock.longest_, 1.0) << c.name;
    }
}

TEST(Delay, SleepsAboutAMillisecondAndNeverPastTheEnd) {
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
        void Sleep(double ms) override {
            longest = std::max(longest, ms);
            inner.Sleep(ms);
        }
    } clock(fake, longest);
    int64_t start = fake.MicrosSinceMidnight();
    EXPECT_TRUE(Delay(clock, 7));
    EXPECT_LE(longest, 1.0);
    EXPECT_GE(fake.Sleeps(), 7);
    // Never past the end: the last sleep was cut to what remained.
    EXPECT_NEAR(static_cast<double>(fake.MicrosSinceMidnight() - start), 7000.0, 20.0);
}

}  // namespace
}  // namespace tav
