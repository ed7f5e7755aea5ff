#include <gtest/gtest.h>

#include <chrono>
#include <cmath>

#include "doubles/FakeClock.h"
#include "platform/SystemClock.h"
#include "support/Dates.h"

namespace tav {
namespace {

using test::Date;

TEST(ClockTexts, AreZeroPaddedInTheirFixedOrder) {
    CivilTime t = Date(2024, 3, 7);
    t.hour = 9;
    t.minute = 5;
    t.second = 3;
    EXPECT_EQ(DateTextSlashes(t), "03/07/2024");
    EXPECT_EQ(DateTextDashes(t), "03-07-2024");
    EXPECT_EQ(TimeText(t), "09:05:03");
    t.hour = 23;
    t.minute = 59;
    t.second = 59;
    EXPECT_EQ(TimeText(t), "23:59:59");
    EXPECT_EQ(DateTextSlashes(Date(1999, 12, 31)), "12/31/1999");
}

TEST(FakeClock, ReadsWhatWasSetAndStepsAfterEachReading) {
    FakeClock clock;
    clock.Set(10, 30, 15, 250, Date(2024, 5, 17));
    CivilTime now = clock.Now();
    EXPECT_EQ(DateTextSlashes(now), "05/17/2024");
    EXPECT_EQ(TimeText(now), "10:30:15");
    EXPECT_EQ(now.millisecond, 250);
    EXPECT_EQ(clock.MicrosSinceMidnight(), 37815250000LL + 100);

    float t = clock.Timer();
    EXPECT_FLOAT_EQ(t, 37815.2501f);
    EXPECT_EQ(clock.Readings(), 2);

    clock.SetReadStepMicros(0);
    float a = clock.Timer();
    EXPECT_EQ(clock.Timer(), a);
}

TEST(FakeClock, KeepsWholeMicrosecondsNearMidnight) {
    // Ten thousand small steps late in the day: a clock held in single-precision seconds would
    // not move at all (a step is far below its resolution there).
    FakeClock clock;
    clock.SetReadStepMicros(0);
    clock.Set(23, 50, 0);
    for (int i = 0; i < 10000; ++i) clock.Advance(0.1);
    EXPECT_EQ(clock.MicrosSinceMidnight(), (23 * 3600 + 50 * 60 + 1) * 1000000LL);
    for (int i = 0; i < 1000; ++i) clock.Sleep(0.5);
    EXPECT_EQ(clock.MicrosSinceMidnight(), (23 * 3600 + 50 * 60 + 1) * 1000000LL + 500000);
    EXPECT_EQ(clock.Sleeps(), 1000);
    EXPECT_DOUBLE_EQ(clock.SleptMilliseconds(), 500.0);
}

TEST(FakeClock, CrossingMidnightMovesTheDate) {
    struct Case {
        CivilTime before;
        double advanceMs;
        const char* date;
        const char* time;
    };
    const Case cases[] = {
        {Date(2024, 2, 28), 2, "02/29/2024", "00:00:00"},   // leap year
        {Date(2023, 2, 28), 2, "03/01/2023", "00:00:00"},
        {Date(2024, 12, 31), 2, "01/01/2025", "00:00:00"},
        {Date(1900, 2, 28), 2, "03/01/1900", "00:00:00"},   // century, not a leap year
        {Date(2000, 2, 28), 2, "02/29/2000", "00:00:00"},   // 400 years: a leap year
        {Date(2024, 1, 31), 86400000.0 + 2, "02/02/2024", "00:00:00"},
        {Date(2024, 3, 1), -86400000.0, "02/29/2024", "23:59:59"},  // put back a whole day
    };
    for (const Case& c : cases) {
        FakeClock clock;
        clock.SetReadStepMicros(0);
        clock.Set(23, 59, 59, 999, c.before);
        clock.Advance(c.advanceMs);
        CivilTime now = clock.Now();
        EXPECT_EQ(DateTextSlashes(now), c.date) << DateTextSlashes(c.before) << " + " << c.advanceMs;
        EXPECT_EQ(TimeText(now), c.time) << DateTextSlashes(c.before) << " + " << c.advanceMs;
    }
}

TEST(FakeClock, PuttingTheClockBackAcrossMidnightGoesToTheDayBefore) {
    FakeClock clock;
    clock.SetReadStepMicros(0);
    clock.Set(0, 0, 0, 5, Date(2024, 1, 1));
    clock.Advance(-10);
    EXPECT_EQ(DateTextSlashes(clock.Now()), "12/31/2023");
    EXPECT_EQ(clock.MicrosSinceMidnight(), FakeClock::MicrosPerDay - 5000);
}

TEST(FakeClock, TimerStaysBelowAFullDay) {
    FakeClock clock;
    clock.SetReadStepMicros(0);
    clock.Set(23, 59, 59, 999);
    clock.AdvanceMicros(999);
    float t = clock.Timer();
    EXPECT_EQ(t, std::nextafter(86400.0f, 0.0f));
    clock.AdvanceMicros(1);
    EXPECT_EQ(clock.Timer(), 0.0f);
}

TEST(FakeClock, SleepOfNothingOrLessDoesNotMoveTime) {
    FakeClock clock;
    clock.SetReadStepMicros(0);
    clock.Set(12, 0, 0);
    clock.Sleep(0);
    clock.Sleep(-5);
    EXPECT_EQ(clock.MicrosSinceMidnight(), 12 * 3600 * 1000000LL);
    EXPECT_EQ(clock.Sleeps(), 2);
}

TEST(FakeClock, SetCarriesOutOfRangeFields) {
    FakeClock clock;
    clock.SetReadStepMicros(0);
    clock.Set(10, 0, 61, 1500);
    EXPECT_EQ(TimeText(clock.Now()), "10:01:02");
    clock.Set(24, 0, 1, 0, Date(2024, 2, 29));
    EXPECT_EQ(DateTextSlashes(clock.Now()), "03/01/2024");
    EXPECT_EQ(TimeText(clock.Now()), "00:00:01");
}

TEST(SystemClock, TimerAgreesWithNow) {
    SystemClock clock;
    // Read until the two readings fall in the same second (they may straddle a second boundary).
    for (int attempt = 0; attempt < 5; ++attempt) {
        CivilTime before = clock.Now();
        float t = clock.Timer();
        CivilTime after = clock.Now();
        if (before.second != after.second) continue;
        EXPECT_GE(t, 0.0f);
        EXPECT_LT(t, 86400.0f);
        float expected = before.hour * 3600.0f + before.minute * 60.0f + before.second;
        EXPECT_GE(t, expected);
        EXPECT_LT(t, expected + 1.0f);
        EXPECT_GE(before.month, 1);
        EXPECT_LE(before.month, 12);
        EXPECT_GE(before.year, 2000);
        return;
    }
    ADD_FAILURE() << "readings never fell in one second";
}

TEST(SystemClock, SleepReallySleeps) {
    SystemClock clock;
    auto start = std::chrono::steady_clock::now();
    clock.Sleep(20);
    auto slept = std::chrono::steady_clock::now() - start;
    EXPECT_GE(slept, std::chrono::milliseconds(20));

    start = std::chrono::steady_clock::now();
    clock.Sleep(-1);
    clock.Sleep(0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
}

}  // namespace
}  // namespace tav
