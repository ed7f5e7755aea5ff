#include "acquisition/Delay.h"

#include <algorithm>

namespace tav {

namespace {

constexpr float LastClockStep = 86399.9375f;  // one step of the clock short of midnight
constexpr double SecondsPerDay = 86400.0;
constexpr float AfterMidnight = 1000.0f;      // a reading this low means midnight has passed
constexpr double PollMs = 1.0;
// Each poll counts at least this much against the budget, so that a run of tiny sleeps near
// the end time cannot go on forever either.
constexpr double MinChargeMs = 0.05;
constexpr double GiveUpMarginMs = 1000.0;

// Sleeps for the next poll and counts it; false once the budget is spent.
class PollBudget {
public:
    PollBudget(Clock& clock, double limitMs) : clock_(clock), limitMs_(limitMs) {}
    bool SleepUpTo(double remainingMs) {
        if (chargedMs_ > limitMs_) return false;
        double ms = std::min(PollMs, remainingMs);
        if (ms > 0) clock_.Sleep(ms);
        chargedMs_ += std::max(ms, MinChargeMs);
        return true;
    }

private:
    Clock& clock_;
    double limitMs_;
    double chargedMs_ = 0;
};

}  // namespace

bool Delay(Clock& clock, int16_t milliseconds) {
    if (milliseconds <= 0) return true;
    float target = static_cast<float>(clock.Timer() + milliseconds / 1000.0);
    PollBudget budget(clock, milliseconds + GiveUpMarginMs);

    if (target > LastClockStep) {
        target = static_cast<float>(target - SecondsPerDay);
        // The end may lie before midnight itself (a target just over the last step): the wait
        // still lasts until the clock has passed midnight.
        double afterMidnightMs = std::max(target, 0.0f) * 1000.0;
        for (float now = clock.Timer(); now >= AfterMidnight; now = clock.Timer())
            if (!budget.SleepUpTo((SecondsPerDay - now) * 1000.0 + afterMidnightMs)) return false;
    }
    for (float now = clock.Timer(); now < target; now = clock.Timer())
        if (!budget.SleepUpTo((target - now) * 1000.0)) return false;
    return true;
}

}  // namespace tav
