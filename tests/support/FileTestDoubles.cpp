#include "support/FileTestDoubles.h"

#include <fstream>
#include <memory>
#include <sstream>

#include "files/TextConversions.h"
#include "platform/Numbers.h"

namespace tav::test {

std::string Fixture(const std::string& name) {
    std::ifstream in(std::string(TAVOLIN_TEST_DATA_DIR) + "/" + name, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

static void StartClock(FakeClock& clock) {
    clock.SetReadStepMicros(0);
    clock.SetDate(2024, 3, 7);
    clock.Set(14, 5, 9);
}

FileWorld::FileWorld()
    : real(dir.Path()), fs(real), state(std::make_unique<ProgramState>()),
      ctx{*state, fs, op, clock, logs, windows} {
    StartClock(clock);
    state->StartDir = dir.Path();
}

void FileWorld::Reset() {
    std::destroy_at(state.get());
    std::construct_at(state.get());
    state->StartDir = dir.Path();
    fs.ClearFaults();
    op = ScriptedOperator();
    clock = FakeClock();
    StartClock(clock);
    logs.CloseAll();
    windows = RecordingWindows();
}

void RecordingWindows::RedrawSpectrumWindow(int16_t slot, const std::string& xTitle) {
    calls.push_back("redraw " + std::to_string(slot) + " " + xTitle);
}

int16_t RecordingWindows::ApplyWindowPosition(SettingsWindow window, const std::string& text) {
    applied.emplace_back(window, text);
    int16_t position = 1;
    float flag = 0;
    for (int i = 0; i < 6; ++i) flag = NextNumber(text, position);
    return RoundToInt16Clamped(flag);
}

std::string RecordingWindows::WindowPositionText(SettingsWindow, WindowRect& rect) {
    return IntToText(rect.Top) + " " + IntToText(rect.Left) + " " + IntToText(rect.Height) + " " +
           IntToText(rect.Width) + " 0 ";
}

void RecordingWindows::ShowWindow(SettingsWindow window) {
    calls.push_back("show " + std::to_string(static_cast<int>(window)));
}

void RecordingWindows::ShowAcquisitionSettings(const ProgramState& s) {
    calls.push_back("boxes");
    shown = {s.IntegrationTime, s.NumToAverage, s.BinWidth};
}

}  // namespace tav::test
