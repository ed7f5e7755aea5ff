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

// Whether the last pass took its values from the spectrum the slot holds, whether or not the
// definitions changed since: a flow that changes that spectrum forgets the pass.
inline bool IndexPassTookValuesFrom(const ProgramState& state, int16_t slotNumber) {
    const ProgramState::IndicesComputed& pass = state.LastPassComputed;
    return IsValidSlot(slotNumber) && (pass.Slot == slotNumber || pass.RedefinedSlot == slotNumber);
}

// A flow that replaces or changes the spectrum on display without an index pass: the stored
// values belong to no spectrum any more (they stay for the index window and the next pass).
inline void ForgetIndexPass(ProgramState& state) { state.LastPassComputed = {}; }

// The bands or the index definitions changed: the stored values are no longer those of the
// pass's spectrum under the definitions in force, and are neither logged nor printed with it.
// The spectrum stays known, so that a save of it computes its values afresh.
inline void ForgetIndexPassForNewDefinitions(ProgramState& state) {
    ProgramState::IndicesComputed& pass = state.LastPassComputed;
    const int16_t spectrum = IsValidSlot(pass.Slot) ? pass.Slot : pass.RedefinedSlot;
    pass = {};
    pass.RedefinedSlot = spectrum;
}

// An index whose divisor is 0 has no value for its spectrum. It is kept as NaN, which the index
// window, the kinetic logs and the printed index block write as "NaN" (the text of a value that
// is no number, as in the spectrum files, which a spreadsheet does not take for a number), and
// the kinetic charts get no point for it.
inline constexpr float NoIndexValue = std::numeric_limits<float>::quiet_NaN();
inline bool HasIndexValue(float value) { return !std::isnan(value); }

}  // namespace tav
