#pragma once
// Value scaling and curve plotting of one slot on a chart whose frame is laid out (the plot
// rectangle is in the slot record, PlotHeight is set). The window chart and the printed chart
// share ScaleChartData and ComputeCurvePoints; neither draws.

#include <cstdint>
#include <functional>

#include "platform/draw/Canvas.h"
#include "shared/ProgramState.h"

namespace tav {

// Finds the value range of the visible points and sets StartPixel, EndPixel, PlotWidth and
// the slot's DataMin, DataMax, YMin, YMax and YScale (automatic or the window's manual scale).
// The automatic range of a flat curve is widened around its value. A slot without points, or
// none inside the visible range, keeps its earlier scale.
void ScaleChartData(ProgramState& state, int16_t slotNumber);

// PlotY(i) for every point of the slot: screen y from YMin, YScale and PlotBottom, held to
// +/-30000.
void ComputeCurvePoints(ProgramState& state, int16_t slotNumber);

// Draws the visible points of the slot, spread evenly by index over the plot width, in the
// slot's colour; leaves ForeColor at TextColor.
void PlotCurve(ProgramState& state, Canvas& form, int16_t slotNumber);

// The curves of the run of the slot shown, oldest first and the slot shown last, on any
// target: the overlay ring from FirstOverlaySlot up to the slot for a spectrum-window slot, slot
// 12 with slot 13 when FirstOverlaySlot is 12, else the slot alone. Every slot with points is
// scaled, takes under CommonScale one scale that covers every slot of the run (not in a run
// that wraps past slot 7), and
// has its curve points computed; yAxis runs once, in the pass of the slot shown, and curve
// for every slot.
struct ChartRunDrawing {
    std::function<void()> yAxis;
    std::function<void(int16_t slotNumber)> curve;
};
void DrawChartRun(ProgramState& state, int16_t shown, const ChartRunDrawing& drawing);

// The first slot of that run.
int16_t FirstSlotOfRun(const ProgramState& state, int16_t shown);

}  // namespace tav
