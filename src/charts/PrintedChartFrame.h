#pragma once
// The first step of a printed chart: the chart rectangle on the page from the page fractions,
// the chart font by its size, the plot rectangle (stored in the slot records that share the
// chart), the grid rows, the titles, the information block and the frame with its dotted grid.
// The printed layout, texts and titles differ from the window chart's on purpose.

#include <cstdint>
#include <string>

#include "platform/draw/Canvas.h"
#include "shared/ProgramState.h"

namespace tav {

// The chart size measure S: the smaller of the width and 2.75 heights.
int32_t PrintSizeMeasure(int16_t width, int16_t height);

// The printed title above the plot: the processing of a processed result, the view of the
// other spectrum slots, "DarkCurrent" (slot 8) or the reference; "" for the other slots (the
// kinetic slots print their window's title after the information block).
std::string PrintedChartTitle(const ProgramState& state, int16_t slotNumber);

// PrintGridY80 .. PrintGridY20 and PlotHeight from a printed plot rectangle.
void SetPrintGridRows(ProgramState& state, int16_t plotTop, int16_t plotBottom);

// Lays out and prints the frame of the slot's chart on the page, at the origin the chart
// driver has set for the half page.
void PrintChartFrame(ProgramState& state, Canvas& printer, int16_t slotNumber);

}  // namespace tav
