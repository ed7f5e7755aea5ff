#include "windows/FormCharts.h"

#include <array>

#include "charts/ChartDriver.h"
#include "charts/ChartScaling.h"
#include "platform/forms/App.h"
#include "windows/IndexForm.h"
#include "windows/KineticForms.h"
#include "windows/MDIForm1.h"
#include "windows/MainForm.h"
#include "windows/NormDiffForm.h"

namespace tav {
namespace {

// The names of the windows of F1 to F9; chart-window index i is entry i + 1 (0 the spectrum
// window, which is also F1's).
constexpr const char* SwitchableNames[] = {
    "MainForm",       "IndexForm",     "RatioForm",   "NormDiffForm",   "ExperimentalForm",
    "DerivativeForm", "IntegralForm",  "AverageForm", "DiagnosticsForm",
};

std::string ChartWindowName(int16_t windowIndex) {
    if (windowIndex <= 0 || windowIndex > 7) return SwitchableNames[0];
    return SwitchableNames[windowIndex + 1];
}

template <class Window>
Form& Get(App& app) {
    return app.forms.Get<Window>();
}

// The program's windows in key order.
using Getter = Form& (*)(App&);
constexpr std::array<Getter, 9> ProgramWindows = {
    &Get<MainForm>,       &Get<IndexForm>,     &Get<RatioForm>,
    &Get<NormDiffForm>,   &Get<ExperimentalForm>, &Get<DerivativeForm>,
    &Get<IntegralForm>,   &Get<AverageForm>,   &Get<DiagnosticsForm>,
};

}  // namespace

MainWindowView ReadMainWindows(App& app) {
    MainWindowView view;
    if (auto* main = app.forms.Find<MDIForm1>()) view.Text5 = main->Text5.Text();
    if (auto* spectrum = app.forms.Find<MainForm>()) view.MainFormBackColor = spectrum->Surface().BackColor;
    return view;
}

void DrawChart(Form& form, int16_t slotNumber, std::string& xTitle) {
    ProgramState& s = form.app.state;
    if (form.Name() == ChartWindowName(NormDiffWindow) && IsValidSlot(slotNumber)) {
        s.NormDiffRunFirst = FirstSlotOfRun(s, slotNumber);
        s.NormDiffRunShown = slotNumber;
    }
    DrawChart(s, form.Surface(), ReadMainWindows(form.app), slotNumber, xTitle);
}

Form* FormChartWindows::FindLoaded(const std::string& name) const {
    for (Form* form : app_.forms.Loaded()) {
        if (form->Loaded() && form->Name() == name) return form;
    }
    return nullptr;
}

Canvas* FormChartWindows::ChartCanvas(int16_t windowIndex) {
    Form* form = FindLoaded(ChartWindowName(windowIndex));
    return form ? &form->Surface() : nullptr;
}

MainWindowView FormChartWindows::MainView() { return ReadMainWindows(app_); }

void FormChartWindows::ShowWindow(SwitchableWindow window) {
    const auto index = static_cast<std::size_t>(window);
    if (index < ProgramWindows.size()) ProgramWindows[index](app_).Show();
}

}  // namespace tav
