#include "charts/ChartDriver.h"

#include "charts/ChartAxes.h"
#include "charts/ChartFrame.h"
#include "charts/ChartScaling.h"
#include "charts/ChartValues.h"
#include "indices/ChartCursor.h"

namespace tav {
namespace {

struct RunContext {
    ProgramState& state;
    Canvas& form;
    const MainWindowView& view;
    int16_t shown;
    bool commonScale;
};

void DrawRunSlot(const RunContext& run, int16_t i) {
    ProgramState& state = run.state;
    if (SlotPoints(state, i) == 0) return;  // an empty slot of the ring is no curve
    ScaleChartData(state, i);
    // Under a common scale the curve takes slot 0's scale; take it before the axis so the
    // labels show the scale the curves are drawn on.
    if (run.commonScale && i != 0) {
        state.SlotInfo[i].YMin = state.SlotInfo[0].YMin;
        state.SlotInfo[i].YMax = state.SlotInfo[0].YMax;
        state.SlotInfo[i].YScale = state.SlotInfo[0].YScale;
    }
    if (i == run.shown) DrawYAxis(state, run.form, run.view, state.AxisSlot);
    ComputeCurvePoints(state, i);
    PlotCurve(state, run.form, i);
}

// The first slot of the run. Slot 13 shares its chart only with slot 12.
int16_t FirstOfRun(const ProgramState& state, int16_t shown) {
    const int16_t first = state.FirstOverlaySlot;
    if (shown <= slot::LastOverlay) return IsValidSlot(first) ? first : shown;
    if (shown == slot::Experimental && first == slot::NormDiff) return first;
    return shown;
}

void DrawRun(RunContext run) {
    ProgramState& state = run.state;
    const int16_t first = FirstOfRun(state, run.shown);
    if (first <= run.shown) {
        for (int16_t i = first; i <= run.shown; ++i) DrawRunSlot(run, i);
        return;
    }
    // The ring has wrapped past slot 7: oldest curves first, no common scale.
    run.commonScale = false;
    for (int16_t i = first; i <= slot::LastOverlay; ++i) DrawRunSlot(run, i);
    for (int16_t i = 0; i <= run.shown; ++i) DrawRunSlot(run, i);
}

}  // namespace

void DrawChart(ProgramState& state, Canvas& form, const MainWindowView& view, int16_t slotNumber,
               std::string& xTitle) {
    if (!IsValidSlot(slotNumber)) {
        state.AxisSlot = -1;
        return;
    }
    if (slotNumber <= slot::LastOverlay) state.MainFirstOverlaySlot = state.FirstOverlaySlot;
    if (state.AxisSlot == -1) state.AxisSlot = slotNumber;
    if (!IsValidSlot(state.AxisSlot)) state.AxisSlot = slotNumber;
    if (SlotPoints(state, slotNumber) == 0 || !DrawChartFrame(state, form, view, slotNumber)) {
        state.AxisSlot = -1;
        return;
    }
    DrawXAxis(state, form, slotNumber, xTitle);
    DrawRun({state, form, view, slotNumber, state.CommonScale});
    if (state.CursorOn) MoveChartCursor(state, form, view, state.AxisSlot, -1, -2.0f);
    state.AxisSlot = -1;
}

}  // namespace tav
