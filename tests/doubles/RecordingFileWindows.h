#pragma once
// The window layer as the file routines see it, recorded: what they asked of the windows, in order.

#include <string>
#include <utility>
#include <vector>

#include "files/FileWindows.h"
#include "shared/ProgramState.h"

namespace tav::test {

class RecordingWindows : public FileWindows {
public:
    std::vector<std::string> calls;  // "stop", "redraw <slot> <title>", "show <n>", "welcome", "boxes"
    // The acquisition settings as they were handed over, before any fix-up.
    struct ShownSettings {
        int32_t IntegrationTime = 0;
        int16_t NumToAverage = 0;
        float BinWidth = 0;
    } shown;
    std::vector<std::pair<SettingsWindow, std::string>> applied;

    void StopAutoScanTimer() override { calls.push_back("stop"); }
    void RedrawSpectrumWindow(int16_t slot, const std::string& xTitle) override;
    // Returns the line's sixth number, as the window layer does.
    int16_t ApplyWindowPosition(SettingsWindow window, const std::string& text) override;
    // The record's rectangle, state 0.
    std::string WindowPositionText(SettingsWindow window, WindowRect& rect) override;
    void ShowWindow(SettingsWindow window) override;
    void ShowAcquisitionSettings(const ProgramState& state) override;
    void ShowWelcome() override { calls.push_back("welcome"); }
};

}  // namespace tav::test
