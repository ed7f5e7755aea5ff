#pragma once
// Value scaling and curve plotting of one slot on a chart whose frame is laid out (the plot
// rectangle is in the slot record, PlotHeight is set). The window chart and the printed chart
// share ScaleChartData and ComputeCurvePoints; neither draws.

#include <cstdint>

#include "platform/draw/Canvas.h"
#include "shared/ProgramState.h"

namespace tav {

// Finds the value range of the visible points and sets StartPixel, EndPixel, PlotWidth and
// the slot's DataMin, DataMax, YMin, YMax and YScale (automatic or the window's manual scale).
// A slot with fewer than 2 points, or none inside the visible range, keeps its earlier scale.
void ScaleChartData(ProgramState& state, int16_t slotNumber);

// PlotY(i) for every point of the slot: screen y from YMin, YScale and PlotBottom, held to
// +/-30000.
void ComputeCurvePoints(ProgramState& state, int16_t slotNumber);

// Draws the visible points of the slot, spread evenly by index over the plot width, in the
// slot's colour; leaves ForeColor at TextColor.
void PlotCurve(ProgramState& state, Canvas& form, int16_t slotNumber);

}  // namespace tav
