#pragma once
// The axes of a printed chart: dotted vertical grid lines with their values under the plot and
// the x caption; six value labels beside the plot. Their positions, label thresholds and number
// pictures are the printed chart's own; the tick places are the window chart's.

#include <cstdint>
#include <string>

#include "charts/MainWindowView.h"
#include "platform/draw/Canvas.h"
#include "shared/ProgramState.h"

namespace tav {

// Ticks and caption of the slot printed. An empty caption becomes "Wavelength (nm)" (or "cm-1"
// for x values of 3000 and more), also in the caller's variable.
void PrintXAxis(ProgramState& state, Canvas& printer, int16_t slotNumber, std::string& caption);

// The y labels from the axis slot's YMin and YMax, after clearing the label column in the
// spectrum window's background colour.
void PrintYAxis(ProgramState& state, Canvas& printer, const MainWindowView& view,
                int16_t axisSlot);

// What PrinterValueWithUnit prints: the value in a picture chosen by the signed value (every
// negative value in the exponent picture), the unit (at most 9 characters) and blanks up to 10
// picture places.
std::string PrinterValueText(float value, const std::string& unit);
// Prints PrinterValueText at the current position without ending the line.
void PrinterValueWithUnit(Canvas& printer, float value, const std::string& unit);

}  // namespace tav
