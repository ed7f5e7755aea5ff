#include "platform/Delay.h"

#include <algorithm>

namespace tav {

BoundedSleep::BoundedSleep(Clock& clock, double boundMs)
    : clock_(clock), boundMs_(boundMs), start_(clock.MonotonicMs()) {}

double BoundedSleep::ElapsedMs() {
    elapsedMs_ = std::max(elapsedMs_, clock_.MonotonicMs() - start_);
    return elapsedMs_;
}

void BoundedSleep::Sleep() {
    const double ms = std::clamp(boundMs_ - elapsedMs_, 0.0, SleepPollMs);
    if (ms > 0) clock_.Sleep(ms);
    sleptMs_ += std::max(ms, SleepPollMs / 10);
}

void BoundedSleep::Restart() {
    start_ = clock_.MonotonicMs();
    elapsedMs_ = 0;
    sleptMs_ = 0;
}

bool DelayMs(Clock& clock, double milliseconds) {
    if (!(milliseconds > 0)) return true;
    BoundedSleep wait(clock, milliseconds);
    while (!wait.Reached()) {
        if (wait.ClockStopped()) return false;
        wait.Sleep();
    }
    return true;
}

bool Delay(Clock& clock, int16_t milliseconds) { return DelayMs(clock, milliseconds); }

}  // namespace tav
