#pragma once
// The index pass run after every new spectrum: the enabled band indices of the spectrum on
// display, their read-out, and one point for each open kinetic window.

#include <cstdint>

#include "indices/IndexReadout.h"
#include "shared/IndexPassRecord.h"
#include "shared/ProgramState.h"

namespace tav {

// Where the pass shows what it computed: the index read-out window and the kinetic windows.
class KineticIndicesOutput {
public:
    virtual ~KineticIndicesOutput() = default;
    // Blanks the read-out window (creating it hidden when needed).
    virtual void ClearIndexWindow() = 0;
    // Prints one line on the read-out window below the previous one.
    virtual void PrintIndexLine(const IndexReadoutLine& line) = 0;
    // The short pauses between read-out lines.
    virtual void Wait(int milliseconds) = 0;
    // The series of window `code` got a point (already stored): the window redraws it.
    virtual void KineticPointAdded(int16_t code) = 0;
};

// Index values are computed over the current slot, or over a reflectance row (channel 1 /
// channel 2) built in the work slot when the reflectance view is on. An index whose band
// numbers lie outside 1..NumOfBands is skipped for the pass and keeps its value. An index whose
// divisor is 0 has no value for this spectrum (NoIndexValue): its read-out line says "NaN" and
// its window gets no point. A spectrum of fewer than two points computes nothing: the read-out
// shows only the elapsed time, no window gets a point. What the pass computed is left in
// LastPassComputed for the kinetic logs (shared/IndexPassRecord.h).
void ComputeKineticIndices(ProgramState& state, KineticIndicesOutput& output);

// Before a save of the spectrum on display: when the band or index definitions changed since
// the pass that took its values from it, computes them afresh under the definitions in force, as
// the pass would but without read-out or kinetic points, so that the save files this spectrum's
// values. Otherwise nothing changes.
void BringIndexValuesUpToDate(ProgramState& state);

}  // namespace tav
