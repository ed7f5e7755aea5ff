#pragma once
// The chart engine on the windows of the program: a window draws its chart on its own surface,
// and the chart windows are found among the loaded windows by their names.

#include <cstdint>
#include <string>

#include "charts/ChartWindows.h"
#include "charts/MainWindowView.h"

namespace tav {

class App;
class Form;

// What the chart reads of the main windows: MDIForm1's Text5 and MainForm's background colour
// (white while the spectrum window is not loaded).
MainWindowView ReadMainWindows(App& app);

// DrawChart on the window's own surface.
void DrawChart(Form& form, int16_t slotNumber, std::string& xTitle);

// ChartWindows over app.forms. Chart window i is the loaded window named "MainForm",
// "RatioForm", ..., "DiagnosticsForm"; showing a window loads it when needed.
class FormChartWindows : public ChartWindows {
public:
    explicit FormChartWindows(App& app) : app_(app) {}

    Canvas* ChartCanvas(int16_t windowIndex) override;
    MainWindowView MainView() override;
    void ShowWindow(SwitchableWindow window) override;

private:
    Form* FindLoaded(const std::string& name) const;

    App& app_;
};

}  // namespace tav
