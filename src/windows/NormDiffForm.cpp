#include "windows/NormDiffForm.h"

#include <string>

#include "charts/ChartCursor.h"
#include "charts/TraceSelection.h"
#include "files/WindowPositions.h"
#include "platform/draw/Canvas.h"
#include "windows/FormCharts.h"

namespace tav {
namespace {

constexpr int16_t WindowIdx = 2;  // the window's element of DisplayChannel

bool NormDiffDefined(const ProgramState& s) {
    return s.NumOfBands != 0 && s.NormDiffX != 0 && s.NormDiffY != 0 && s.Menu.ActivateNormDiff;
}

bool ExperimentalDefined(const ProgramState& s) {
    return s.NumOfBands != 0 && s.ExpBand1 != 0 && s.ExpBand2 != 0 && s.ExpBand3 != 0 &&
           s.ExpBand4 != 0 && s.Menu.ActivateExperimental;
}

}  // namespace

NormDiffForm::NormDiffForm(App& app) : KineticForm(app, "NormDiffForm", slot::NormDiff) {}

int16_t NormDiffForm::TraceSlot() const { return app.state.DisplayChannel[WindowIdx]; }

void NormDiffForm::Form_KeyDown(int16_t& KeyCode, int16_t /*Shift*/) {
    ProgramState& s = app.state;
    if (KeyCode == key::Tab) {
        // A rubber band left by a drag is removed before the trace changes.
        if (s.Menu.ActivateNormDiff && s.Menu.ActivateExperimental && s.ZoomDragging &&
            !s.CursorOn) {
            s.ActiveWindowIdx = WindowIdx;
            MoveCursor(TraceSlot(), key::Tab, cursor::Erase);
        }
        s.ActiveWindowIdx = WindowIdx;
        SelectWindowTrace(s, Surface(), ReadMainWindows(app), key::Tab, TraceSlot());
    }
    if (s.CursorOn) {
        s.ActiveWindowIdx = WindowIdx;
        // The cursor keys work on the selected trace, where Tab has put the cursor.
        MoveCursor(TraceSlot(), KeyCode, 0.0f);
    }
    FunctionKey(KeyCode);
}

void NormDiffForm::Form_Resize() {
    ProgramState& s = app.state;
    SaveWindowRect(*this, Rect());
    Surface().Cls();
    // Only set here: the index pass clears them.
    if (NormDiffDefined(s)) s.NormDiffValid = true;
    if (ExperimentalDefined(s)) s.ExperimentalValid = true;
    if (Rect().Open == 0) return;

    // The y axis is the selected trace's only while both series are on the chart; a series
    // drawn alone is labelled with its own scale.
    const bool both = s.NormDiffValid && s.ExperimentalValid;
    s.AxisSlot = both ? TraceSlot() : (s.NormDiffValid ? slot::NormDiff : slot::Experimental);
    std::string title = "Time";
    if (s.NormDiffValid) {
        s.FirstOverlaySlot = slot::NormDiff;
        // With FirstOverlaySlot 12, drawing slot 13 puts both series on one chart.
        DrawChart(*this, s.ExperimentalValid ? slot::Experimental : slot::NormDiff, title);
    } else if (s.ExperimentalValid) {
        s.FirstOverlaySlot = slot::Experimental;
        DrawChart(*this, slot::Experimental, title);
    }
    s.AxisSlot = -1;
}

}  // namespace tav
