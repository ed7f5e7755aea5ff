#pragma once
// The machine's local wall clock and its monotonic clock. Sleep really sleeps, so waits built on
// it do not spin.

#include "platform/Clock.h"

namespace tav {

class SystemClock : public Clock {
public:
    // Seconds since local midnight; never SecondsPerDay (the last instant of the day stays
    // below it).
    float Timer() override;
    CivilTime Now() override;
    double MonotonicMs() override;  // CLOCK_MONOTONIC
    void Sleep(double milliseconds) override;  // nothing for 0 or less
};

}  // namespace tav
