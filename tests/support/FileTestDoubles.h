#pragma once
// The world of one file test: a fresh temporary folder as the current and start folder, the real
// file system behind one that injects failures, a scripted operator, a fake clock at
// 03/07/2024 14:05:09, the kinetic logs and a recording window layer.

#include <memory>
#include <string>
#include <vector>

#include "files/FileWindows.h"
#include "files/KineticLogs.h"
#include "platform/FakeClock.h"
#include "platform/FaultyFileSystem.h"
#include "platform/RealFileSystem.h"
#include "platform/ScriptedOperator.h"
#include "shared/ProgramState.h"
#include "support/TempDir.h"

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

// The contents of a hand-made file of tests/data.
std::string Fixture(const std::string& name);

struct FileWorld {
    FileWorld();

    // Absolute path of a name in the world's folder.
    std::string P(const std::string& name) const { return dir.File(name); }
    // Back to a fresh state and services, in the same folder.
    void Reset();

    TempDir dir;
    RealFileSystem real;
    FaultyFileSystem fs;
    ScriptedOperator op;
    FakeClock clock;
    KineticLogs logs;
    RecordingWindows windows;
    std::unique_ptr<ProgramState> state;
    FileContext ctx;
};

}  // namespace tav::test
