#pragma once
// The selected trace of a chart window: the slot whose y axis is drawn and whose cursor is
// shown. Tab steps it through the spectrum window's overlay run and toggles the
// normalized-difference window between its two series; new data selects its own slot.

#include <cstdint>

#include "charts/ChartWindows.h"
#include "charts/MainWindowView.h"
#include "platform/draw/Canvas.h"
#include "shared/ProgramState.h"

namespace tav {

// Marks the window open (and checked in the View menu) and shows it, so that it paints and takes
// the index points at once.
void BringUpWindow(ProgramState& state, ChartWindows& windows, SwitchableWindow window);

// F1 to F9 (key codes 112 to 120) bring up the nine windows; any other key does nothing.
void ChartFunctionKey(ProgramState& state, ChartWindows& windows, int16_t keyCode);

// Makes the slot the spectrum window's selected trace (redrawn when it changed) and the axis
// slot of the next drawing.
void SetDisplayChannel(ProgramState& state, ChartWindows& windows, int16_t slotNumber);

// Makes the slot the spectrum window's selected trace for a window that is blank or about to be
// drawn afresh: the cursor fields move over from the trace selected before, nothing is drawn.
void SelectSpectrumTrace(ProgramState& state, int16_t slotNumber);

// The slot whose y axis and cursor a whole drawing of the spectrum window takes: the selected
// trace when the run FirstOverlaySlot .. CurrentSlot draws it, else -1 (the slot shown).
int16_t SelectedTraceAxisSlot(const ProgramState& state);

// Tab in the window ActiveWindowIdx names: slotNumber is the newest slot of the overlay run
// for the spectrum window. The key code is not examined.
void SelectWindowTrace(ProgramState& state, Canvas& window, const MainWindowView& view,
                       int16_t keyCode, int16_t slotNumber);

// Carries out a change of the selected trace: the y axis in the new trace's colour, and the
// cursor moved to the new trace at the same point.
void RedrawSpectrumTraces(ProgramState& state, Canvas& window, const MainWindowView& view,
                          int16_t newSlot, int16_t oldSlot);

}  // namespace tav
