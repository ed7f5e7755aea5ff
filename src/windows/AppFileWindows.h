#pragma once
// The file routines' window actions on the program's own windows. The windows of the settings
// file are found among the loaded windows by their names ("MainForm", "MenuForm", "IndexForm",
// "RatioForm" ... "DiagnosticsForm"); to load one that is not loaded yet, its builder hands in a
// getter (the spectrum window's is built in). A window that is neither loaded nor has a getter is
// neither placed nor shown; its open flag and View check still reach the state that it will read.

#include <array>
#include <functional>

#include "files/FileWindows.h"

namespace tav {

class App;
class Form;

class AppFileWindows : public FileWindows {
public:
    using Getter = Form& (*)(App&);
    explicit AppFileWindows(App& app, std::array<Getter, SettingsWindowCount> getters = {});

    void SetWelcome(std::function<void(App&)> showWelcome) { showWelcome_ = std::move(showWelcome); }

    void StopAutoScanTimer() override;
    void RedrawSpectrumWindow(int16_t slot, const std::string& xTitle) override;
    int16_t ApplyWindowPosition(SettingsWindow window, const std::string& text) override;
    std::string WindowPositionText(SettingsWindow window, WindowRect& rect) override;
    void ShowWindow(SettingsWindow window) override;
    void ShowAcquisitionSettings(const ProgramState& state) override;
    void ShowWelcome() override;

private:
    Form* FindLoaded(SettingsWindow window) const;
    Form* GetOrLoaded(SettingsWindow window);

    App& app_;
    std::array<Getter, SettingsWindowCount> getters_;
    std::function<void(App&)> showWelcome_;
};

}  // namespace tav
