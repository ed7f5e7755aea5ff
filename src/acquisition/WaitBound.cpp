#include "acquisition/WaitBound.h"

#include "acquisition/LinkProtocol.h"
#include "platform/Delay.h"

namespace tav {

namespace {

// The clock a wait's time starts on, once what the windows drew is on the screen.
Clock& ShownDrawing(AcquisitionContext& ctx) {
    ctx.windows.ShowDrawing();
    return ctx.clock;
}

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
    : ctx_(ctx),
      long_(boundMs >= link::LongWaitMs),
      beat_(ctx, link::KeepAliveAfterMs),
      sleep_(ShownDrawing(ctx), boundMs) {}

double WaitBound::ElapsedMs() { return sleep_.ElapsedMs(); }

bool WaitBound::Expired() { return ctx_.waitGivenUp || sleep_.Expired(); }

void WaitBound::Pause() {
    if (long_ && !beat_.Beat()) return;
    sleep_.Sleep();
}

void WaitBound::Restart() { sleep_.Restart(); }

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
