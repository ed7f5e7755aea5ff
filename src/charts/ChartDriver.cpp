#include "charts/ChartDriver.h"

#include "charts/ChartAxes.h"
#include "charts/ChartCursor.h"
#include "charts/ChartFrame.h"
#include "charts/ChartScaling.h"
#include "charts/ChartValues.h"

namespace tav {

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
    DrawChartRun(state, slotNumber,
                 {[&] { DrawYAxis(state, form, view, state.AxisSlot); },
                  [&](int16_t i) { PlotCurve(state, form, i); }});
    if (state.CursorOn) MoveChartCursor(state, form, view, state.AxisSlot, -1, -2.0f);
    state.AxisSlot = -1;
}

}  // namespace tav
