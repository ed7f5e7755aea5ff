#pragma once
// The waits of the link: a time bound for a wait on the instrument, a pause, and the beat that
// keeps the program alive through a long exchange. All run on the monotonic clock, so a wall
// clock that is set or jumps meanwhile changes none of them.
//
// Each wait first puts what the windows drew on the screen. A long one (a bound of a second or
// more, or an exchange such as the firmware download) keeps the windows painting once it has
// lasted a moment, and lets the operator give it up with Escape: the context then remembers
// that the exchange was given up, and the wait ends at once.

#include "acquisition/AcquisitionContext.h"
#include "platform/Delay.h"

namespace tav {

// Keeps the program alive at most once every few tens of milliseconds.
class KeepAliveBeat {
public:
    // Beats start once `quietMs` have passed (0: at the first beat).
    KeepAliveBeat(AcquisitionContext& ctx, double quietMs = 0);
    // False once the operator has given the exchange up.
    bool Beat();

private:
    AcquisitionContext& ctx_;
    double start_;
    double quietMs_;
    double last_ = -1e300;
};

class WaitBound {
public:
    WaitBound(AcquisitionContext& ctx, double boundMs);

    // Reads the clock; also true once the wait was given up.
    bool Expired();
    bool GivenUp() const { return ctx_.waitGivenUp; }
    double ElapsedMs();
    // Sleeps one poll interval, never past the bound; a long wait keeps the program alive.
    void Pause();
    // Counts from now again, with the same bound.
    void Restart();

private:
    AcquisitionContext& ctx_;
    bool long_;
    KeepAliveBeat beat_;
    BoundedSleep sleep_;  // started once the drawing is shown
};

// A pause of the link: the drawing shown, then the time on the monotonic clock. A pause of a
// second or more keeps the program alive; false when the operator gave it up.
bool LinkPause(AcquisitionContext& ctx, double milliseconds);

}  // namespace tav
