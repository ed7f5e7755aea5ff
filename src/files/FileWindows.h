#pragma once
// What the file routines do to the windows: stopping the timed acquisition, redrawing the spectrum
// window, placing and showing the windows the settings file records, filling the main window's
// acquisition boxes. The window layer implements it; the file code never reaches a form directly.

#include <cstdint>
#include <optional>
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

// The main window's acquisition boxes as the settings reader fills them.
struct AcquisitionBoxes {
    std::string Text3;                 // integration time in ms, IntegrationTimeText
    std::optional<int16_t> Integrat;   // integration scroll bar; absent when the value exceeds 32767
    std::string Text4;                 // scans to average
    int16_t Averaging = 0;
    std::string Text1;                 // bin size, "###.0"
    int16_t Source = 0;
};

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
    virtual void FillAcquisitionBoxes(const AcquisitionBoxes& boxes) = 0;
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
