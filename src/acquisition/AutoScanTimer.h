#pragma once
// Timed acquisition on the main window's Timer1: one next scan every AutoScanDelay seconds,
// each started on a whole second of the clock (0 s: a scan on every tick; a negative delay, a
// scan on every whole second).
//
// Between scans the timer ticks once a second until the next scan is less than 1.5 s away, is
// then re-armed for the remaining time less 0.3 s, and marks the next tick to align: that tick
// waits for the clock's whole second to change and scans. Elapsed times wrap at midnight.

#include "acquisition/CommandFlows.h"
#include "platform/Clock.h"
#include "platform/comm/CommControl.h"
#include "platform/forms/Timer.h"
#include "shared/ProgramState.h"

namespace tav {

// The longest AutoScanDelay taken: one day.
inline constexpr float MaxAutoScanDelay = SecondsPerDay;

// Arms Timer1 at 10 ms and sets AutoScanTimerOn.
void StartAutoScanTimer(ProgramState& state, Timer& Timer1);

// Ends timed acquisition: Timer1 stops and a port that the series held open is closed.
void EndAutoScan(ProgramState& state, CommControl& comm, Timer& Timer1);

// One tick of Timer1 (the main window's Timer1_Timer).
void AutoScanTick(ProgramState& state, Clock& clock, Timer& Timer1, CommandFlows& flows);

// Waits until the whole second of the clock changes and returns the reading at that moment.
// The wait gives up after two seconds, and on a clock that stops (BoundedSleep).
float AwaitNextWholeSecond(Clock& clock);

}  // namespace tav
