#pragma once
// The time bound of a wait for the instrument, on the seconds-since-midnight clock.
//
// Elapsed time is summed from successive clock readings, so a wait that crosses midnight keeps
// counting; a clock that is put back counts as standing still. The bound also counts its own
// pauses, and expires when they add up to the bound plus a second, so that a clock that stops
// cannot make the wait endless either. Pauses sleep on the clock: the processor is idle.

#include "platform/Clock.h"

namespace tav {

class WaitBound {
public:
    WaitBound(Clock& clock, double boundMs);

    // Reads the clock.
    bool Expired();
    double ElapsedMs();
    // Sleeps one poll interval, never past the bound.
    void Pause();
    // Counts from now again, with the same bound.
    void Restart();

private:
    void Read();

    Clock& clock_;
    double boundMs_;
    float last_ = 0;
    double elapsedMs_ = 0;
    double pausedMs_ = 0;
};

}  // namespace tav
