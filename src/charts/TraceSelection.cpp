#include "charts/TraceSelection.h"

#include "charts/ChartAxes.h"
#include "charts/ChartCursor.h"
#include "charts/ChartValues.h"
#include "platform/forms/Keys.h"

namespace tav {
namespace {

constexpr int16_t SpectrumWindow = 0;

int16_t NextSpectrumTrace(const ProgramState& state, int16_t newest) {
    const int16_t first = state.FirstOverlaySlot;
    int16_t next = static_cast<int16_t>(state.DisplayChannel[SpectrumWindow] - 1);
    if (first < newest) return next < first ? newest : next;
    // Wrapped ring: first .. 7, then 0 .. newest.
    if (next < 0) next = slot::LastOverlay;
    if (next > newest && next < first) next = newest;
    return next;
}

void ClearCursorFields(SlotRecord& rec) {
    rec.CursorPoint = 0;
    rec.AnchorPoint = 0;
    rec.CursorShown = false;
}

// The new trace takes over the old one's cursor at the same point (both slots valid, CursorOn).
void MoveCursorFields(ProgramState& state, int16_t newSlot, int16_t oldSlot) {
    SlotRecord& fresh = state.SlotInfo[newSlot];
    SlotRecord& old = state.SlotInfo[oldSlot];
    fresh.CursorPoint = old.CursorPoint;
    fresh.AnchorPoint = old.AnchorPoint;
    fresh.CursorShown = true;
    if (newSlot != oldSlot) ClearCursorFields(old);
}

// Slot k lies in the overlay run from first to newest, which may wrap past slot 7.
bool InOverlayRun(int16_t first, int16_t newest, int16_t k) {
    if (newest < slot::FirstOverlay || newest > slot::LastOverlay || k < slot::FirstOverlay ||
        k > slot::LastOverlay) {
        return false;
    }
    if (first <= newest) return k >= first && k <= newest;
    return k >= first || k <= newest;
}

// The window's saved record (none for the spectrum window) and its View menu check mark.
struct WindowMarks {
    WindowRect* rect;
    bool* viewCheck;
};

WindowMarks MarksOf(ProgramState& state, SwitchableWindow window) {
    MenuChecks& m = state.Menu;
    switch (window) {
        case SwitchableWindow::MainForm: return {nullptr, &m.Viewmainform};
        case SwitchableWindow::IndexForm: return {&state.IndexFormRect, &m.ViewIndexForm};
        case SwitchableWindow::RatioForm: return {&state.RatioFormRect, &m.ViewRatioForm};
        case SwitchableWindow::NormDiffForm: return {&state.NormDiffFormRect, &m.ViewNormDiffForm};
        case SwitchableWindow::ExperimentalForm: return {&state.ExperimentalFormRect, &m.ViewExperimentalForm};
        case SwitchableWindow::DerivativeForm: return {&state.DerivativeFormRect, &m.ViewDerivativeForm};
        case SwitchableWindow::IntegralForm: return {&state.IntegralFormRect, &m.ViewIntegralForm};
        case SwitchableWindow::AverageForm: return {&state.AverageFormRect, &m.Viewaverageform};
        case SwitchableWindow::DiagnosticsForm: return {&state.DiagnosticsFormRect, &m.ViewDiagnosticsForm};
    }
    return {nullptr, nullptr};
}

}  // namespace

void BringUpWindow(ProgramState& state, ChartWindows& windows, SwitchableWindow window) {
    // Marked open before it is shown, as the View menu does: the Paint of the Show draws only
    // in an open window, and only an open window takes the new points.
    const WindowMarks marks = MarksOf(state, window);
    if (marks.rect) marks.rect->Open = -1;
    if (marks.viewCheck) *marks.viewCheck = true;
    windows.ShowWindow(window);
}

void ChartFunctionKey(ProgramState& state, ChartWindows& windows, int16_t keyCode) {
    const int index = keyCode - key::F1;
    if (index < 0 || index > static_cast<int>(SwitchableWindow::DiagnosticsForm)) return;
    BringUpWindow(state, windows, static_cast<SwitchableWindow>(index));
}

void RedrawSpectrumTraces(ProgramState& state, Canvas& window, const MainWindowView& view,
                          int16_t newSlot, int16_t oldSlot) {
    if (!IsValidSlot(newSlot) || !IsValidSlot(oldSlot)) return;
    // The labels take the colour in which the new trace is drawn.
    window.ForeColor = TraceColor(newSlot);
    if (state.OverlayCount != 0) DrawYAxis(state, window, view, newSlot);
    window.ForeColor = 1;

    if (!state.CursorOn) {
        ClearCursorFields(state.SlotInfo[newSlot]);
        return;
    }
    MoveChartCursor(state, window, view, oldSlot, cursor::NoKey, cursor::Erase);
    MoveCursorFields(state, newSlot, oldSlot);
    MoveChartCursor(state, window, view, newSlot, cursor::NoKey, cursor::Redraw);
}

void SetDisplayChannel(ProgramState& state, ChartWindows& windows, int16_t slotNumber) {
    const int16_t old = state.DisplayChannel[SpectrumWindow];
    state.DisplayChannel[SpectrumWindow] = slotNumber;
    if (slotNumber != old) {
        if (Canvas* window = windows.ChartCanvas(SpectrumWindow)) {
            RedrawSpectrumTraces(state, *window, windows.MainView(), slotNumber, old);
        } else if (IsValidSlot(slotNumber)) {
            ClearCursorFields(state.SlotInfo[slotNumber]);
        }
    }
    state.AxisSlot = slotNumber;
}

void SelectSpectrumTrace(ProgramState& state, int16_t slotNumber) {
    const int16_t old = state.DisplayChannel[SpectrumWindow];
    state.DisplayChannel[SpectrumWindow] = slotNumber;
    if (slotNumber == old || !IsValidSlot(slotNumber)) return;
    if (!state.CursorOn || !IsValidSlot(old)) {
        ClearCursorFields(state.SlotInfo[slotNumber]);
        return;
    }
    // The old cursor is not on the window any more: the new one starts where it stood, or at
    // the first visible point when it was not shown.
    const bool shown = state.SlotInfo[old].CursorShown;
    MoveCursorFields(state, slotNumber, old);
    state.SlotInfo[slotNumber].CursorShown = shown;
}

int16_t SelectedTraceAxisSlot(const ProgramState& state) {
    const int16_t selected = state.DisplayChannel[SpectrumWindow];
    return InOverlayRun(state.FirstOverlaySlot, state.CurrentSlot, selected) ? selected : -1;
}

void SelectWindowTrace(ProgramState& state, Canvas& window, const MainWindowView& view,
                       int16_t /*keyCode*/, int16_t slotNumber) {
    const int16_t w = state.ActiveWindowIdx;
    if (w < 0 || w >= static_cast<int16_t>(state.DisplayChannel.size())) return;
    const int16_t old = state.DisplayChannel[w];
    int16_t next = old;
    if (w == SpectrumWindow) {
        if (state.FirstOverlaySlot == slotNumber) return;  // a single curve
        next = NextSpectrumTrace(state, slotNumber);
    } else if (w == NormDiffWindow) {
        // The window shows both series exactly when both indices are on; its selection is
        // not compared with the overlay run, which would leave it stuck on slot 12.
        if (!state.Menu.ActivateNormDiff || !state.Menu.ActivateExperimental) return;
        next = static_cast<int16_t>(old - 1);
        if (next < slot::NormDiff) next = slot::Experimental;
    } else {
        return;
    }
    state.DisplayChannel[w] = next;
    if (next != old) RedrawSpectrumTraces(state, window, view, next, old);
}

}  // namespace tav
