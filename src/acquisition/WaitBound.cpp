#include "acquisition/WaitBound.h"

#include <algorithm>

#include "acquisition/LinkProtocol.h"

namespace tav {

namespace {

constexpr double SecondsPerDay = 86400.0;
constexpr double StoppedClockMarginMs = 1000.0;

}  // namespace

WaitBound::WaitBound(Clock& clock, double boundMs) : clock_(clock), boundMs_(boundMs) {
    last_ = clock_.Timer();
}

void WaitBound::Read() {
    float now = clock_.Timer();
    double step = static_cast<double>(now) - static_cast<double>(last_);
    // A large step back is midnight passing; a small one a clock put back, which counts as 0.
    if (step < -SecondsPerDay / 2) step += SecondsPerDay;
    if (step > 0) elapsedMs_ += step * 1000.0;
    last_ = now;
}

double WaitBound::ElapsedMs() {
    Read();
    return elapsedMs_;
}

bool WaitBound::Expired() {
    Read();
    return elapsedMs_ >= boundMs_ || pausedMs_ >= boundMs_ + StoppedClockMarginMs;
}

void WaitBound::Pause() {
    double ms = std::clamp(boundMs_ - elapsedMs_, 0.0, link::PollMs);
    // Even a pause that the bound leaves no room for counts a little against the stopped-clock
    // margin, so that a run of empty pauses ends.
    if (ms > 0) clock_.Sleep(ms);
    pausedMs_ += std::max(ms, link::PollMs / 10);
}

void WaitBound::Restart() {
    last_ = clock_.Timer();
    elapsedMs_ = 0;
    pausedMs_ = 0;
}

}  // namespace tav
