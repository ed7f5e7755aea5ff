#include "platform/Delay.h"

#include <algorithm>

namespace tav {

namespace {

constexpr double PollMs = 1.0;
// Each poll counts at least this much against the budget, so that a run of tiny sleeps near
// the end cannot go on forever either.
constexpr double MinChargeMs = 0.05;
constexpr double GiveUpMarginMs = 1000.0;

}  // namespace

bool DelayMs(Clock& clock, double milliseconds) {
    if (!(milliseconds > 0)) return true;
    const double end = clock.MonotonicMs() + milliseconds;
    const double budget = milliseconds + GiveUpMarginMs;
    double charged = 0;
    for (double now = clock.MonotonicMs(); now < end; now = clock.MonotonicMs()) {
        if (charged > budget) return false;
        const double ms = std::min(PollMs, end - now);
        clock.Sleep(ms);
        charged += std::max(ms, MinChargeMs);
    }
    return true;
}

bool Delay(Clock& clock, int16_t milliseconds) { return DelayMs(clock, milliseconds); }

}  // namespace tav
