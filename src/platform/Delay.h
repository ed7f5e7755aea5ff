#pragma once
// The waits on the clock: the millisecond wait of every serial exchange, and the bounded sleep
// that every wait of the program, those on the instrument included, is made of.
//
// They run on the monotonic clock, so a wall clock that is set or jumps meanwhile (daylight
// saving, a time-sync step, midnight) neither ends them early nor stretches them. Between
// readings the clock sleeps for SleepPollMs, never longer than what remains.
//
// A clock that does not move must not hang the program: a wait gives up once it has slept its
// bound plus StoppedClockMarginMs without reaching its end (counted on its own sleeps, not on the
// clock; each sleep counts at least a tenth of a poll, so that a run of empty ones ends too).

#include <cstdint>

#include "platform/Clock.h"

namespace tav {

// Between two readings of the clock while a wait runs.
inline constexpr double SleepPollMs = 0.5;
inline constexpr double StoppedClockMarginMs = 1000.0;

// A wait of `boundMs` from its construction (or its last Restart), slept one poll at a time by
// its owner, who may look at the world between two sleeps.
class BoundedSleep {
public:
    BoundedSleep(Clock& clock, double boundMs);

    // The time since the start on the monotonic clock; it never goes back.
    double ElapsedMs();
    // The bound has passed on the clock (read now).
    bool Reached() { return ElapsedMs() >= boundMs_; }
    // The sleeps have counted the bound and the margin while the clock did not get there.
    bool ClockStopped() const { return sleptMs_ >= boundMs_ + StoppedClockMarginMs; }
    bool Expired() { return Reached() || ClockStopped(); }
    // Sleeps one poll, never past the bound as last read.
    void Sleep();
    // Counts from now again, with the same bound.
    void Restart();

private:
    Clock& clock_;
    double boundMs_;
    double start_;
    double elapsedMs_ = 0;
    double sleptMs_ = 0;
};

// True when the time has passed, false when the wait gave up. Zero or negative milliseconds
// return at once. Nothing else runs meanwhile.
bool Delay(Clock& clock, int16_t milliseconds);

// The same for a wait given in (fractional) milliseconds, without the 16-bit limit.
bool DelayMs(Clock& clock, double milliseconds);

}  // namespace tav
