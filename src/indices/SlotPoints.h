#pragma once
// A slot's point count as an index range of the point store: within 0 to 2202.

#include <algorithm>
#include <cstdint>

#include "shared/ProgramState.h"

namespace tav {

inline int SlotPoints(const ProgramState& state, int16_t slot) {
    if (!IsValidSlot(slot)) return 0;
    return std::clamp<int>(state.SlotInfo[slot].NumPoints, 0, PointCount);
}

inline bool InReadOutMode(const ProgramState& state) { return state.MemoryMode == memmode::Read; }

}  // namespace tav
