#pragma once
// The file routines' window actions on the program's own windows. The spectrum window and the
// main window are reached directly; the other windows of the settings file (the quick menu, the
// index window, the seven kinetic windows) and the welcome window are reached through what their
// builders register, so this layer needs no knowledge of their classes. A window nobody has
// registered is neither placed nor shown; its open flag and View check still reach the state.

#include <array>
#include <functional>

#include "files/FileWindows.h"
#include "platform/forms/App.h"

namespace tav {

class Form;

struct WindowAccess {
    std::function<Form*(App&)> find;  // the loaded window, or null
    std::function<Form&(App&)> get;   // loads it when needed
};

template <class T>
WindowAccess AccessTo() {
    return {[](App& app) -> Form* { return app.forms.Find<T>(); },
            [](App& app) -> Form& { return app.forms.Get<T>(); }};
}

class AppFileWindows : public FileWindows {
public:
    explicit AppFileWindows(App& app);

    void SetWindow(SettingsWindow window, WindowAccess access);
    void SetWelcome(std::function<void(App&)> showWelcome) { showWelcome_ = std::move(showWelcome); }

    void StopAutoScanTimer() override;
    void RedrawSpectrumWindow(int16_t slot, const std::string& xTitle) override;
    int16_t ApplyWindowPosition(SettingsWindow window, const std::string& text) override;
    std::string WindowPositionText(SettingsWindow window, WindowRect& rect) override;
    void ShowWindow(SettingsWindow window) override;
    void FillAcquisitionBoxes(const AcquisitionBoxes& boxes) override;
    void ShowWelcome() override;

private:
    App& app_;
    std::array<WindowAccess, SettingsWindowCount> windows_{};
    std::function<void(App&)> showWelcome_;
};

}  // namespace tav
