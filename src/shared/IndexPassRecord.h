#pragma once
// What the last index pass computed is kept with the spectrum it came from (LastPassComputed):
// the kinetic logs of a save and the printed index block read it, and every flow that replaces
// or changes that spectrum forgets it.

#include <cmath>
#include <cstdint>
#include <limits>

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

// An index whose divisor is 0 has no value for its spectrum. It is kept as NaN, which the index
// window, the kinetic logs and the printed index block write as "NaN" (the text of a value that
// is no number, as in the spectrum files, which a spreadsheet does not take for a number), and
// the kinetic charts get no point for it.
inline constexpr float NoIndexValue = std::numeric_limits<float>::quiet_NaN();
inline bool HasIndexValue(float value) { return !std::isnan(value); }

}  // namespace tav
