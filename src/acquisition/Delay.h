#pragma once
// The millisecond wait of every serial exchange, on the seconds-since-midnight clock.
//
// The end time is the clock plus the wait, held in single precision like the clock itself (near
// the end of the day it resolves 1/128 s). An end time after 86399.9375 s is taken 86400 s lower,
// and the wait first lets the clock pass midnight. Between readings the clock sleeps for about
// a millisecond, never longer than what remains. Nothing else runs meanwhile.
//
// A clock that stops or is put back must not hang the program: the wait gives up once it has
// slept the requested time plus one second without reaching its end (counted on its own sleeps,
// not on the clock). Zero or negative milliseconds return at once.

#include <cstdint>

#include "platform/Clock.h"

namespace tav {

// True when the clock reached the end time, false when the wait gave up.
bool Delay(Clock& clock, int16_t milliseconds);

}  // namespace tav
