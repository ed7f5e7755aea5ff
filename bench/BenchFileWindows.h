#pragma once
// A window layer for the file benchmarks: nothing to draw, place or show.

#include <string>

#include "files/FileWindows.h"

namespace tav::bench {

class NoWindows : public FileWindows {
public:
    void StopAutoScanTimer() override {}
    void RedrawSpectrumWindow(int16_t, const std::string&) override {}
    int16_t ApplyWindowPosition(SettingsWindow, const std::string&) override { return 0; }
    std::string WindowPositionText(SettingsWindow, WindowRect&) override { return ""; }
    void ShowWindow(SettingsWindow) override {}
    void ShowAcquisitionSettings(const ProgramState&) override {}
    void ShowWelcome() override {}
};

}  // namespace tav::bench
