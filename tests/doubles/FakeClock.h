#pragma once
// A clock for tests. Time is held in whole microseconds since midnight (single-precision seconds
// near 86400 resolve only about 8 ms), with a calendar date that moves on at midnight, and a
// monotonic count of microseconds beside it.
// Time passes only when asked: Advance, Sleep, and a small step after every reading (100
// microseconds unless changed) so that a loop polling the clock always gets on; passing time
// moves both clocks. Set and Step move the wall clock alone, as a clock that is set or jumps.

#include <cstdint>
#include <vector>

#include "platform/Clock.h"

namespace tav {

class FakeClock : public Clock {
public:
    static constexpr int64_t MicrosPerDay = static_cast<int64_t>(SecondsPerDay) * 1000000;

    FakeClock();  // 01/01/2000 00:00:00.000

    // Time of day; out-of-range fields are carried (61 seconds is 1 minute 1 second) and a
    // time past midnight moves the date on. The date is kept.
    void Set(int hour, int minute, int second, int millisecond = 0);
    // Time of day and the calendar date taken from date.
    void Set(int hour, int minute, int second, int millisecond, const CivilTime& date);
    void SetDate(int year, int month, int day);
    // Lets time pass (a negative amount puts the wall clock back and leaves the monotonic one).
    void Advance(double milliseconds);
    void AdvanceMicros(int64_t micros);
    // The wall clock jumps by the amount, forward or back; the monotonic clock does not move.
    void Step(double milliseconds);
    // The same jump, once `afterMs` more milliseconds of time have passed: a step that comes
    // while the code under test waits.
    void StepAfter(double afterMs, double stepMs);
    void SetReadStepMicros(int64_t micros) { readStep_ = micros < 0 ? 0 : micros; }

    float Timer() override;
    CivilTime Now() override;
    double MonotonicMs() override;
    // Advances by the amount (nothing for 0 or less) and counts the call.
    void Sleep(double milliseconds) override;

    int64_t MicrosSinceMidnight() const { return micros_; }
    int64_t DayNumber() const { return day_; }  // days since 1970-01-01
    CivilTime Peek() const;                     // Now() without the reading step
    int64_t Readings() const { return readings_; }
    int64_t Sleeps() const { return sleeps_; }
    double SleptMilliseconds() const { return sleptMs_; }

private:
    void Normalize();
    void Pass(int64_t micros);
    void MoveWall(int64_t micros);
    struct PendingStep {
        int64_t atMonotonic;
        int64_t micros;
    };
    int64_t micros_ = 0;
    int64_t monotonic_ = 0;
    std::vector<PendingStep> steps_;
    int64_t day_ = 0;
    int64_t readStep_ = 100;
    int64_t readings_ = 0;
    int64_t sleeps_ = 0;
    double sleptMs_ = 0;
};

}  // namespace tav
