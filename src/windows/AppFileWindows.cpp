#include "windows/AppFileWindows.h"

#include "files/TextConversions.h"
#include "files/WindowPositions.h"
#include "platform/Numbers.h"
#include "platform/draw/Canvas.h"
#include "platform/forms/App.h"
#include "shared/ParameterTexts.h"
#include "windows/FormCharts.h"
#include "windows/MDIForm1.h"
#include "windows/MainForm.h"

namespace tav {
namespace {

constexpr int NumbersOfALine = 6;  // top, left, height, width, state, open flag

// The open flag of a window line, for a window that cannot be placed.
int16_t OpenFlagOfLine(const std::string& text) {
    int16_t position = 1;
    float value = 0;
    for (int i = 0; i < NumbersOfALine; ++i) value = NextNumber(text, position);
    return RoundToInt16Clamped(value);
}

// The window line of a window that is not loaded: its record as it stands, normal state.
std::string RecordText(const WindowRect& rect) {
    std::string text;
    for (int16_t value : {rect.Top, rect.Left, rect.Height, rect.Width, winstate::Normal}) {
        text += IntToText(value) + " ";
    }
    return text;
}

constexpr const char* WindowNames[SettingsWindowCount] = {
    "MainForm", "MenuForm", "IndexForm", "RatioForm", "NormDiffForm", "ExperimentalForm",
    "DerivativeForm", "IntegralForm", "AverageForm", "DiagnosticsForm"};

Form& GetMainForm(App& app) { return app.forms.Get<MainForm>(); }

}  // namespace

AppFileWindows::AppFileWindows(App& app, std::array<Getter, SettingsWindowCount> getters)
    : app_(app), getters_(getters) {
    Getter& main = getters_[static_cast<int>(SettingsWindow::Main)];
    if (!main) main = GetMainForm;
}

Form* AppFileWindows::FindLoaded(SettingsWindow window) const {
    const std::string name = WindowNames[static_cast<int>(window)];
    for (Form* form : app_.forms.Loaded()) {
        if (form->Loaded() && form->Name() == name) return form;
    }
    return nullptr;
}

Form* AppFileWindows::GetOrLoaded(SettingsWindow window) {
    const Getter get = getters_[static_cast<int>(window)];
    return get ? &get(app_) : FindLoaded(window);
}

void AppFileWindows::StopAutoScanTimer() {
    if (MDIForm1* mdi = app_.forms.Find<MDIForm1>()) mdi->Timer1.SetEnabled(false);
}

void AppFileWindows::RedrawSpectrumWindow(int16_t slot, const std::string& xTitle) {
    MainForm& form = app_.forms.Get<MainForm>();
    form.Surface().Cls();
    std::string title = xTitle;
    DrawChart(form, slot, title);
}

int16_t AppFileWindows::ApplyWindowPosition(SettingsWindow window, const std::string& text) {
    Form* form = GetOrLoaded(window);
    return form ? tav::ApplyWindowPosition(text, *form) : OpenFlagOfLine(text);
}

std::string AppFileWindows::WindowPositionText(SettingsWindow window, WindowRect& rect) {
    Form* form = FindLoaded(window);
    return form ? tav::WindowPositionText(*form, rect) : RecordText(rect);
}

void AppFileWindows::ShowWindow(SettingsWindow window) {
    if (Form* form = GetOrLoaded(window)) form->Show();
}

// Each box before its bar, as the settings file has always been shown: a bar that has to clamp the
// value shows its own in the box. An integration time beyond 16 bits leaves its bar alone.
void AppFileWindows::ShowAcquisitionSettings(const ProgramState& s) {
    MDIForm1* mdi = app_.forms.Find<MDIForm1>();
    if (!mdi) return;
    mdi->Text3.SetText(IntegrationTimeText(s.IntegrationTime));
    if (s.IntegrationTime >= INT16_MIN && s.IntegrationTime <= INT16_MAX) {
        mdi->Integrat.SetValue(static_cast<int16_t>(s.IntegrationTime));
    }
    mdi->Text4.SetText(IntToText(s.NumToAverage));
    mdi->Averaging.SetValue(s.NumToAverage);
    mdi->Text1.SetText(BinSizeText(s.BinWidth));
    mdi->Source.SetValue(RoundToInt16Clamped(s.BinWidth));
}

void AppFileWindows::ShowWelcome() {
    if (showWelcome_) showWelcome_(app_);
}

}  // namespace tav
