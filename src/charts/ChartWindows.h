#pragma once
// The chart windows as the chart engine sees them: a drawing surface per chart-window index
// (0 the spectrum window, 1 to 7 the kinetic windows), what it reads of the main windows, and
// showing the windows that the function keys bring up. The window layer implements it.

#include <cstdint>

#include "charts/MainWindowView.h"
#include "platform/draw/Canvas.h"

namespace tav {

// The windows of F1 to F9, in key order.
enum class SwitchableWindow : int16_t {
    MainForm, IndexForm, RatioForm, NormDiffForm, ExperimentalForm, DerivativeForm,
    IntegralForm, AverageForm, DiagnosticsForm
};

class ChartWindows {
public:
    virtual ~ChartWindows() = default;
    // The surface of a loaded chart window; nullptr when the window is not loaded (then nothing
    // of it is on the screen).
    virtual Canvas* ChartCanvas(int16_t windowIndex) = 0;
    virtual MainWindowView MainView() = 0;
    // Loads the window when needed and shows it, modeless.
    virtual void ShowWindow(SwitchableWindow window) = 0;
};

}  // namespace tav
