#include "acquisition/WaitBound.h"

#include <algorithm>

#include "platform/Delay.h"
#include "acquisition/LinkProtocol.h"

namespace tav {

namespace {

constexpr double StoppedClockMarginMs = 1000.0;

}  // namespace

KeepAliveBeat::KeepAliveBeat(AcquisitionContext& ctx, double quietMs)
    : ctx_(ctx), start_(ctx.clock.MonotonicMs()), quietMs_(quietMs) {}

bool KeepAliveBeat::Beat() {
    if (ctx_.waitGivenUp) return false;
    const double now = ctx_.clock.MonotonicMs();
    if (now - start_ < quietMs_ || now - last_ < link::KeepAlivePeriodMs) return true;
    last_ = now;
    if (ctx_.windows.KeepAlive()) ctx_.waitGivenUp = true;
    return !ctx_.waitGivenUp;
}

WaitBound::WaitBound(AcquisitionContext& ctx, double boundMs)
    : ctx_(ctx), boundMs_(boundMs), long_(boundMs >= link::LongWaitMs), beat_(ctx, link::KeepAliveAfterMs) {
    ctx_.windows.ShowDrawing();
    start_ = ctx_.clock.MonotonicMs();
}

double WaitBound::ElapsedMs() {
    elapsedMs_ = std::max(elapsedMs_, ctx_.clock.MonotonicMs() - start_);
    return elapsedMs_;
}

bool WaitBound::Expired() {
    if (ctx_.waitGivenUp) return true;
    // A clock that stops cannot make the wait endless either: the pauses are counted too.
    return ElapsedMs() >= boundMs_ || pausedMs_ >= boundMs_ + StoppedClockMarginMs;
}

void WaitBound::Pause() {
    if (long_ && !beat_.Beat()) return;
    double ms = std::clamp(boundMs_ - elapsedMs_, 0.0, link::PollMs);
    // Even a pause that the bound leaves no room for counts a little against the stopped-clock
    // margin, so that a run of empty pauses ends.
    if (ms > 0) ctx_.clock.Sleep(ms);
    pausedMs_ += std::max(ms, link::PollMs / 10);
}

void WaitBound::Restart() {
    start_ = ctx_.clock.MonotonicMs();
    elapsedMs_ = 0;
    pausedMs_ = 0;
}

bool LinkPause(AcquisitionContext& ctx, double milliseconds) {
    if (milliseconds < link::LongWaitMs) {
        ctx.windows.ShowDrawing();
        DelayMs(ctx.clock, milliseconds);
        return !ctx.waitGivenUp;
    }
    WaitBound bound(ctx, milliseconds);
    while (!bound.Expired()) bound.Pause();
    return !bound.GivenUp();
}

}  // namespace tav
