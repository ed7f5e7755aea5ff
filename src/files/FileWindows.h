#pragma once
// What the file routines do to the windows: stopping the timed acquisition, redrawing the spectrum
// window, placing and showing the windows the settings file records, showing the acquisition
// settings it read. The window layer implements it; the file code never reaches a form directly.

#include <cstdint>
#include <string>

#include "shared/ProgramState.h"

namespace tav {

class KineticLogs;
class Clock;
class FileSystem;
class Operator;

// The ten windows of the settings file, in its order.
enum class SettingsWindow : int {
    Main = 0, Menu, Index, Ratio, NormDiff, Experimental, Derivative, Integral, Average, Diagnostics
};
inline constexpr int SettingsWindowCount = 10;

class FileWindows {
public:
    virtual ~FileWindows() = default;
    // MDIForm1.Timer1.Enabled = False.
    virtual void StopAutoScanTimer() = 0;
    // MainForm.Cls, then DrawChart(MainForm, slot, xTitle).
    virtual void RedrawSpectrumWindow(int16_t slot, const std::string& xTitle) = 0;
    // Places the window from a window line's value; returns the line's open flag.
    virtual int16_t ApplyWindowPosition(SettingsWindow window, const std::string& text) = 0;
    // The window line (without the open flag) for the window and its record, refreshing the record.
    virtual std::string WindowPositionText(SettingsWindow window, WindowRect& rect) = 0;
    virtual void ShowWindow(SettingsWindow window) = 0;
    // The integration time, averaging and bin width as the settings file gave them, shown in the
    // main window's boxes at once: before the reader's fix-ups change the state.
    virtual void ShowAcquisitionSettings(const ProgramState& state) = 0;
    virtual void ShowWelcome() = 0;
};

// Everything the file routines work with, handed in explicitly.
struct FileContext {
    ProgramState& state;
    FileSystem& fs;
    Operator& op;
    Clock& clock;
    KineticLogs& logs;
    FileWindows& windows;
};

}  // namespace tav
