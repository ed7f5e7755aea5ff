#pragma once
// The single entry point that draws the complete chart of one slot on one window: frame and x
// axis of the slot shown, then the curves of its run (the overlay ring up to the slot, or the
// slot alone), the y axis of AxisSlot, and the cursor read-out while the cursor is on. It does
// not clear the window.

#include <cstdint>
#include <string>

#include "charts/MainWindowView.h"
#include "platform/draw/Canvas.h"
#include "shared/ProgramState.h"

namespace tav {

// xTitle is handed to DrawXAxis, which prints it (or a title of its own when it is empty) and
// empties it. AxisSlot is -1 again when DrawChart returns.
void DrawChart(ProgramState& state, Canvas& form, const MainWindowView& view, int16_t slotNumber,
               std::string& xTitle);

}  // namespace tav
