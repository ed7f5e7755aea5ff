#pragma once
// The millisecond wait of every serial exchange.
//
// It runs on the monotonic clock, so a wall clock that is set or jumps meanwhile (daylight
// saving, a time-sync step, midnight) neither ends it early nor stretches it. Between readings
// the clock sleeps for about a millisecond, never longer than what remains. Nothing else runs
// meanwhile.
//
// A clock that does not move must not hang the program: the wait gives up once it has slept the
// requested time plus one second without reaching its end (counted on its own sleeps, not on
// the clock). Zero or negative milliseconds return at once.

#include <cstdint>

#include "platform/Clock.h"

namespace tav {

// True when the time has passed, false when the wait gave up.
bool Delay(Clock& clock, int16_t milliseconds);

// The same for a wait given in (fractional) milliseconds, without the 16-bit limit.
bool DelayMs(Clock& clock, double milliseconds);

}  // namespace tav
