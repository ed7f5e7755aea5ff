// Timed acquisition on Timer1 with the fake clock: the front end's timer is played by a loop
// that lets each tick's interval pass and ticks again, and every next scan takes some time.

#include <gtest/gtest.h>

#include "MainWindowWorld.h"
#include "acquisition/AutoScanTimer.h"
#include "windows/SettingsForm.h"

namespace tav {
namespace {

using test::At;
using test::MainWindowWorld;

constexpr int64_t Second = 1000000;

// The whole second nearest to t, and how far t is from it. The clock of the day is a single:
// at 10 o'clock it resolves 4 ms, near midnight 8 ms, so a whole second shows that much early.
int64_t NearestSecond(int64_t t) { return (t + Second / 2) / Second; }
double OffSecond(int64_t t) { return static_cast<double>(t - NearestSecond(t) * Second); }

struct TimedSeries : ::testing::Test {
    MainWindowWorld w;
    std::vector<int32_t> intervals;  // of every tick that came, as armed when it came

    void SetUp() override {
        w.PastWelcome();
        w.flows.duringNextScan = [this] { w.clock.Advance(400); };  // a scan takes 0.4 s
    }
    int64_t Now() const { return w.clock.DayNumber() * FakeClock::MicrosPerDay + w.clock.MicrosSinceMidnight(); }
    // The event loop for that long: the next tick comes one interval after the last returned.
    void Run(double seconds) {
        const int64_t end = Now() + static_cast<int64_t>(seconds * Second);
        Timer& timer = w.Mdi().Timer1;
        while (Now() < end && timer.Running()) {
            w.clock.Advance(timer.Interval());
            intervals.push_back(timer.Interval());
            timer.UserTick();
        }
    }
    void Start(float delay) {
        w.state->AutoScanDelay = delay;
        w.state->SimulationMode = true;  // no port to hold
        w.Type('A');
    }
};

TEST_F(TimedSeries, FiveSecondsApartOnWholeSeconds) {
    w.clock.Set(10, 0, 0, 250);
    Start(5);
    Run(30);
    const std::vector<int64_t>& scans = w.flows.scanTimes;
    ASSERT_GE(scans.size(), 6u);
    EXPECT_EQ(NearestSecond(scans.front()), At(10, 0, 1) / Second);  // the first on the next whole second
    for (size_t i = 0; i < scans.size(); ++i) {
        EXPECT_NEAR(OffSecond(scans[i]), 0.0, 4500.0) << i;
        if (i > 0) {
            EXPECT_EQ(NearestSecond(scans[i]) - NearestSecond(scans[i - 1]), 5) << i;
        }
    }
    // Each aligned scan clears the index window first.
    int clears = 0;
    for (const std::string& call : w.flows.calls) clears += call == "ClearIndexWindow";
    EXPECT_EQ(clears, static_cast<int>(scans.size()));
    // Between scans about once a second, then one tick aimed 0.3 s before the scan.
    bool aimed = false;
    for (int32_t interval : intervals) aimed = aimed || (interval > 1 && interval < 1000 && interval != 10);
    EXPECT_TRUE(aimed);
    EXPECT_LT(intervals.size(), 6 * scans.size() + 4);
}

TEST_F(TimedSeries, ASeriesGoesOnAcrossMidnight) {
    w.clock.Set(23, 59, 48, 600);
    Start(5);
    Run(40);
    const std::vector<int64_t>& scans = w.flows.scanTimes;
    ASSERT_GE(scans.size(), 7u);
    bool crossed = false;
    for (size_t i = 1; i < scans.size(); ++i) {
        const int64_t gap = scans[i] - scans[i - 1];
        EXPECT_NEAR(static_cast<double>(gap), 5.0 * Second, 9000.0) << i;
        EXPECT_NEAR(OffSecond(scans[i]), 0.0, 9000.0) << i;
        crossed = crossed || scans[i] >= At(24, 0, 0);
    }
    EXPECT_TRUE(crossed);
}

TEST_F(TimedSeries, NoDelayScansOnEveryTickWithoutAligning) {
    w.clock.Set(10, 0, 0, 250);
    Start(0);
    Run(2.5);
    const std::vector<int64_t>& scans = w.flows.scanTimes;
    ASSERT_GE(scans.size(), 5u);
    EXPECT_EQ(scans.front(), At(10, 0, 0, 260));  // the first tick, 10 ms after A
    for (size_t i = 1; i < scans.size(); ++i) EXPECT_EQ(scans[i] - scans[i - 1], 410000);
    for (const std::string& call : w.flows.calls) EXPECT_NE(call, "ClearIndexWindow");
}

// A negative delay, which the settings dialog takes, is no "scan on every tick": each scan is
// aligned on a whole second and clears the index window first, as with any delay but 0.
TEST_F(TimedSeries, ANegativeDelayScansOnWholeSeconds) {
    w.clock.Set(10, 0, 0, 250);
    SettingsForm& settings = w.app.forms.Get<SettingsForm>();
    settings.Show();
    settings.AutoScanDelayBox.UserEdit("-2");
    settings.Command1.UserClick();
    ASSERT_EQ(w.state->AutoScanDelay, -2.0f);
    w.state->SimulationMode = true;  // no port to hold
    w.Type('A');
    Run(5);
    const std::vector<int64_t>& scans = w.flows.scanTimes;
    ASSERT_GE(scans.size(), 3u);
    for (size_t i = 0; i < scans.size(); ++i) {
        EXPECT_NEAR(OffSecond(scans[i]), 0.0, 4500.0) << i;
        if (i > 0) {
            EXPECT_EQ(NearestSecond(scans[i]) - NearestSecond(scans[i - 1]), 1) << i;
        }
    }
    int clears = 0;
    for (const std::string& call : w.flows.calls) clears += call == "ClearIndexWindow";
    EXPECT_EQ(clears, static_cast<int>(scans.size()));
}

TEST_F(TimedSeries, ALongScanMovesTheNextToTheFirstWholeSecondAfterIt) {
    w.clock.Set(10, 0, 0, 500);
    w.flows.duringNextScan = [this] { w.clock.Advance(5200); };
    Start(5);
    Run(20);
    const std::vector<int64_t>& scans = w.flows.scanTimes;
    ASSERT_GE(scans.size(), 3u);
    for (size_t i = 1; i < scans.size(); ++i) EXPECT_EQ(NearestSecond(scans[i]) - NearestSecond(scans[i - 1]), 6) << i;
}

TEST_F(TimedSeries, StoppedWhileWaitingAndRestartedItWaitsForThePeriodToRunOut) {
    w.clock.Set(10, 0, 0, 250);
    Start(10);
    Run(3);
    ASSERT_EQ(w.flows.scanTimes.size(), 1u);  // 10:00:01
    w.Type('N');
    ASSERT_EQ(w.flows.scanTimes.size(), 2u);
    w.flows.calls.clear();
    w.flows.scanTimes.clear();
    w.Type('A');
    Run(12);
    ASSERT_FALSE(w.flows.scanTimes.empty());
    EXPECT_EQ(NearestSecond(w.flows.scanTimes.front()), At(10, 0, 11) / Second);
}

TEST(AutoScanTick, ADelayAboveADayIsTakenAsADay) {
    test::MainWindowWorld w;
    w.PastWelcome();
    Timer& timer = w.Mdi().Timer1;
    w.state->AutoScanDelay = 1e9f;
    w.state->TimedScanAlignPending = false;
    w.state->TimedScanStart = 100.0f;
    w.clock.Set(0, 0, 50);  // 86350 s since the last scan
    AutoScanTick(*w.state, w.clock, timer, w.Mdi().Contexts().Flows());
    EXPECT_EQ(timer.Interval(), 1000);
    w.clock.Set(0, 1, 39);  // 86399 s: less than 1.5 s to go
    AutoScanTick(*w.state, w.clock, timer, w.Mdi().Contexts().Flows());
    EXPECT_TRUE(w.state->TimedScanAlignPending);
    EXPECT_NEAR(timer.Interval(), 700, 20);
    EXPECT_TRUE(w.flows.calls.empty());
}

TEST(AutoScanTick, AScanAtMidnightIsNoSignalToAlignAgain) {
    test::MainWindowWorld w;
    w.PastWelcome();
    Timer& timer = w.Mdi().Timer1;
    w.state->AutoScanDelay = 5;
    w.clock.SetReadStepMicros(0);
    w.clock.Set(23, 59, 59, 990);  // the alignment reads the clock at 00:00:00.000 exactly
    AutoScanTick(*w.state, w.clock, timer, w.Mdi().Contexts().Flows());  // aligns on 00:00:00
    ASSERT_EQ(w.flows.scanTimes.size(), 1u);
    EXPECT_EQ(w.state->TimedScanStart, 0.0f);
    w.clock.Advance(500);
    AutoScanTick(*w.state, w.clock, timer, w.Mdi().Contexts().Flows());
    EXPECT_EQ(w.flows.scanTimes.size(), 1u);  // waits for the period
    EXPECT_EQ(timer.Interval(), 1000);
}

TEST(AutoScanTick, TheAlignmentGivesUpOnAClockThatStops) {
    struct StoppedClock : Clock {
        float Timer() override { return 36000.5f; }
        CivilTime Now() override { return {}; }
        double MonotonicMs() override { return slept; }
        void Sleep(double ms) override { slept += ms; }
        double slept = 0;
    } stopped;
    const float reading = AwaitNextWholeSecond(stopped);
    EXPECT_EQ(reading, 36000.5f);
    EXPECT_LE(stopped.slept, 2500);
}

}  // namespace
}  // namespace tav
