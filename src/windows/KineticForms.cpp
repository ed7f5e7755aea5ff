#include "windows/KineticForms.h"

#include <string>

#include "charts/ChartCursor.h"
#include "charts/TraceSelection.h"
#include "files/WindowPositions.h"
#include "indices/KineticSeries.h"
#include "platform/draw/Canvas.h"
#include "windows/FormCharts.h"
#include "windows/KeyCommandRoute.h"
#include "windows/NormDiffForm.h"
#include "windows/PlotKineticPoint.h"

namespace tav {
namespace {

constexpr float DesignWidth = 6000, DesignHeight = 4500;  // twips

void ClearCursorFields(ProgramState& state, int16_t slotNumber) {
    if (!IsValidSlot(slotNumber)) return;
    SlotRecord& rec = state.SlotInfo[static_cast<std::size_t>(slotNumber)];
    rec.CursorPoint = 0;
    rec.AnchorPoint = 0;
    rec.CursorShown = false;
}

}  // namespace

KineticForm::KineticForm(App& app, std::string name, int16_t code)
    : Form(app, std::move(name)), info_(*KineticWindowOf(code)) {
    SetMDIChild(true);
    SetCaption(info_.caption);
    SetOwnsFunctionKeys(true);
    Move(0, 0, DesignWidth, DesignHeight);
}

void KineticForm::MoveCursor(int16_t slotNumber, int16_t keyCode, float x) {
    MoveChartCursor(app.state, Surface(), ReadMainWindows(app), slotNumber, keyCode, x);
}

void KineticForm::FunctionKey(int16_t keyCode) {
    FormChartWindows windows(app);
    ChartFunctionKey(app.state, windows, keyCode);
}

void KineticForm::Form_KeyDown(int16_t& KeyCode, int16_t /*Shift*/) {
    if (app.state.CursorOn) MoveCursor(Code(), KeyCode, 0.0f);
    FunctionKey(KeyCode);
}

void KineticForm::Form_KeyPress(int16_t& KeyAscii) {
    if (KeyAscii == 'X' || KeyAscii == 'x') {
        app.state.Menu.*info_.viewItem = false;
        Unload();
        return;
    }
    PassKeyCommand(app, KeyAscii);
}

void KineticForm::Form_MouseDown(int16_t Button, int16_t /*Shift*/, float /*X*/, float /*Y*/) {
    if (Button != mouse::Left) return;
    ProgramState& s = app.state;
    if (!s.CursorOn) ClearCursorFields(s, TraceSlot());
    s.ZoomDragging = true;
}

void KineticForm::Form_MouseMove(int16_t /*Button*/, int16_t /*Shift*/, float X, float /*Y*/) {
    if (app.state.ZoomDragging) MoveCursor(TraceSlot(), cursor::NoKey, X);
}

void KineticForm::Form_MouseUp(int16_t Button, int16_t /*Shift*/, float /*X*/, float /*Y*/) {
    if (Button != mouse::Left) return;
    ProgramState& s = app.state;
    s.ZoomDragging = false;
    if (s.CursorOn) return;
    // Removes the rubber-band line and its read-out.
    MoveCursor(TraceSlot(), cursor::NoKey, cursor::Erase);
    ClearCursorFields(s, TraceSlot());
}

void KineticForm::Form_Paint() {
    ProgramState& s = app.state;
    if (Rect().Open == 0) return;
    s.FirstOverlaySlot = Code();
    const float value = s.*info_.value;
    // After an index pass the current value is already the last point: the series is drawn as
    // it is, so that a single point stays a dot.
    if (RepeatsLastKineticPoint(s, Code(), s.*info_.counter, value, s.ElapsedTime)) {
        RedrawKineticSeries(*this, Code());
        return;
    }
    PlotKineticPoint(*this, value, Code(), s.*info_.counter, s.ElapsedTime);
}

void KineticForm::Form_Resize() {
    ProgramState& s = app.state;
    SaveWindowRect(*this, Rect());
    Surface().Cls();
    if (!s.DataAvailable) return;
    s.AxisSlot = Code();
    s.FirstOverlaySlot = Code();
    std::string title = "Time";
    DrawChart(*this, Code(), title);
    s.AxisSlot = -1;
}

void KineticForm::Form_Unload(int16_t& /*Cancel*/) {
    Rect().Open = 0;
    SaveWindowRect(*this, Rect());
    app.state.Menu.*info_.viewItem = false;
}

RatioForm::RatioForm(App& app) : KineticForm(app, "RatioForm", slot::Ratio) {}
ExperimentalForm::ExperimentalForm(App& app)
    : KineticForm(app, "ExperimentalForm", slot::Experimental) {}
DerivativeForm::DerivativeForm(App& app) : KineticForm(app, "DerivativeForm", slot::Derivative) {}
IntegralForm::IntegralForm(App& app) : KineticForm(app, "IntegralForm", slot::Integral) {}
AverageForm::AverageForm(App& app) : KineticForm(app, "AverageForm", slot::Average) {}
DiagnosticsForm::DiagnosticsForm(App& app)
    : KineticForm(app, "DiagnosticsForm", slot::Diagnostics) {}

KineticForm* KineticWindowForm(App& app, int16_t code) {
    switch (code) {
        case slot::Ratio: return &app.forms.Get<RatioForm>();
        case slot::NormDiff: return &app.forms.Get<NormDiffForm>();
        case slot::Experimental: return &app.forms.Get<ExperimentalForm>();
        case slot::Derivative: return &app.forms.Get<DerivativeForm>();
        case slot::Integral: return &app.forms.Get<IntegralForm>();
        case slot::Average: return &app.forms.Get<AverageForm>();
        case slot::Diagnostics: return &app.forms.Get<DiagnosticsForm>();
        default: return nullptr;
    }
}

}  // namespace tav
