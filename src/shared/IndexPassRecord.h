#pragma once
// What the last index pass computed is kept with the spectrum it came from (LastPassComputed):
// the kinetic logs of a save and the printed index block read it, and every flow that replaces
// or changes that spectrum forgets it.

#include <cstdint>

#include "shared/ProgramState.h"

namespace tav {

// Whether the stored index values come from the spectrum the slot holds: the last pass took
// them from it, and no flow has put another spectrum there, or changed it, since. Only then are
// they logged or printed next to it.
inline bool IndexValuesBelongTo(const ProgramState& state, int16_t slotNumber) {
    return IsValidSlot(slotNumber) && state.LastPassComputed.Slot == slotNumber;
}

// A flow that replaces or changes the spectrum on display without an index pass: the stored
// values belong to no spectrum any more (they stay for the index window and the next pass).
inline void ForgetIndexPass(ProgramState& state) { state.LastPassComputed = {}; }

}  // namespace tav
