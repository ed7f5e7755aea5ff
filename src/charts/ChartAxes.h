#pragma once
// The axes of a window chart: dotted vertical grid lines with their values under the plot and
// the x title; six value labels beside the plot (fewer where six would overlap) and the y title
// of the ratio views.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "charts/ChartValues.h"
#include "charts/MainWindowView.h"
#include "platform/draw/Canvas.h"
#include "shared/ProgramState.h"

namespace tav {

// Ticks and title of the slot shown. An empty xTitle becomes "Wavelength (nm)" (or
// "Wavenumbers (cm-1)" for x values of 3000 and more); xTitle is emptied after printing.
void DrawXAxis(ProgramState& state, Canvas& form, int16_t slotNumber, std::string& xTitle);

// The x ticks of the slot (XAxisTicks) as dotted grid lines in ChartColor with their values
// centred at labelY; a kinetic slot's only while timed acquisition stamps the time. The window
// and the printed chart differ only in labelY.
void DrawXTicks(ProgramState& state, Canvas& form, int16_t slotNumber, XRange range,
                const VisiblePoints& visible, float labelY);

// True when the slot was scaled for the drawing under way: it has points inside its visible
// range. Another slot holds the scale of an earlier drawing.
bool HasCurrentScale(const ProgramState& state, int16_t slotNumber);

// Blanks the y label column left of the plot in the spectrum window's background colour (what
// every chart window, and the printed chart, does) and gives half the height of "8", rounded.
double ClearYLabelColumn(Canvas& form, const SlotRecord& rec, const MainWindowView& view);

// The y labels from the axis slot's YMin and YMax, after clearing the label column; on a plot
// too short for six, fewer (FittingYLabels).
void DrawYAxis(ProgramState& state, Canvas& form, const MainWindowView& view,
               int16_t slotNumber);

// One y label: a value within a millionth of the range is 0; small and large values take
// "#.##E+00" and end their line, the others PrintValueWithUnit's picture.
struct AxisLabel {
    std::string text;
    bool endsLine = false;
};
AxisLabel YAxisLabel(float value, float yMin, float yMax);

// Which of the six y labels, drawn top to bottom from the given rows, are drawn: all six when
// each lies at least a text height above the next, else the first set of the top, the 0.6 label
// and the bottom; the top and the bottom; the top alone, whose labels do not overlap.
std::vector<int> FittingYLabels(const std::array<double, 6>& rows, double textHeight);

}  // namespace tav
