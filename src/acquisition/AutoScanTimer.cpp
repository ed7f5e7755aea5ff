#include "acquisition/AutoScanTimer.h"

#include <algorithm>
#include <cmath>

#include "acquisition/ReferenceFile.h"
#include "platform/Delay.h"
#include "platform/Numbers.h"

namespace tav {

namespace {

constexpr int32_t StartIntervalMs = 10;
constexpr int32_t WaitIntervalMs = 1000;
constexpr int32_t AtOnceIntervalMs = 1;
constexpr float NearSeconds = 1.5f;   // closer than this, the timer is aimed at the scan
constexpr float EarlySeconds = 0.3f;  // the aimed tick comes this much before the scan is due
constexpr double EarlyMs = 300.0;
constexpr double AlignGiveUpMs = 2000.0;

// Seconds from start to now on the clock of the day, across midnight.
float SecondsSince(float now, float start) {
    float elapsed = now - start;
    if (elapsed < 0) elapsed += SecondsPerDay;
    return elapsed;
}

}  // namespace

void StartAutoScanTimer(ProgramState& state, Timer& Timer1) {
    Timer1.SetInterval(StartIntervalMs);
    Timer1.SetEnabled(true);
    state.AutoScanTimerOn = true;
    ForgetReferenceFileTold(state);  // a new series tells each problem of the file once more
}

float AwaitNextWholeSecond(Clock& clock) {
    float now = clock.Timer();
    const int32_t second = FloorToInt32(now);
    BoundedSleep wait(clock, AlignGiveUpMs);
    while (!wait.Expired()) {
        wait.Sleep();
        now = clock.Timer();
        if (FloorToInt32(now) != second) break;
    }
    return now;
}

void EndAutoScan(ProgramState& s, CommControl& comm, Timer& Timer1) {
    Timer1.SetEnabled(false);
    if (s.PortHeldOpen && comm.PortOpen()) comm.SetPortOpen(false);
    s.PortHeldOpen = false;
}

void AutoScanTick(ProgramState& state, Clock& clock, Timer& Timer1, CommandFlows& flows) {
    const float delay = std::min(state.AutoScanDelay, MaxAutoScanDelay);
    // Only a delay of 0 scans on every tick; a negative one aligns like any other.
    if (delay == 0 || std::isnan(delay)) {
        flows.NextScan();
        return;
    }
    if (state.TimedScanAlignPending) {
        state.TimedScanStart = AwaitNextWholeSecond(clock);
        state.TimedScanAlignPending = false;
        flows.ClearIndexWindow();
        flows.NextScan();
        return;
    }
    float elapsed = SecondsSince(clock.Timer(), state.TimedScanStart);
    if (elapsed < delay - NearSeconds) {
        Timer1.SetInterval(WaitIntervalMs);
        return;
    }
    elapsed = SecondsSince(clock.Timer(), state.TimedScanStart);
    state.TimedScanAlignPending = true;
    const float remaining = delay - elapsed;
    if (remaining - EarlySeconds <= 0) {
        Timer1.SetInterval(AtOnceIntervalMs);
        return;
    }
    Timer1.SetInterval(RoundToInt32Clamped(static_cast<double>(remaining) * 1000.0 - EarlyMs));
}

}  // namespace tav
