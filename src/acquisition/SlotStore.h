#pragma once
// Clearing the slot store and copying a slot's x axis and scale record.

#include <cstdint>

#include "platform/draw/Canvas.h"
#include "shared/ProgramState.h"

namespace tav {

// Forgets every spectrum and index series held in memory: the spectrum window is blanked,
// channel 1 of slots 0 to 10 is zeroed over their points, slots 0 to 17 get no points, and the
// next scan restarts the elapsed-time clock. Slots 18 and 19 are kept.
void ClearAllSlots(ProgramState& state, Canvas& mainForm);

// The target takes the source's point count, x values and scale record; its channel data, file
// name, cursor fields, NoRatio and DataKind stay. Slot numbers outside the store do nothing.
void CopySlot(ProgramState& state, int16_t source, int16_t target);

}  // namespace tav
