#include "doubles/RecordingFileWindows.h"

#include "files/TextConversions.h"
#include "platform/Numbers.h"

namespace tav::test {

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
