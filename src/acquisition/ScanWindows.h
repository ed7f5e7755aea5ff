#pragma once
// What the scan flows do to the program's two main windows: the spectrum window's surface and
// chart, the main window's parameter boxes and mode box, and its series timer. The window layer
// implements it, so the flows never reach a form or a control.

#include <cstdint>

#include "shared/ProgramState.h"

namespace tav {

class Canvas;
class CommonDialog;

class ScanWindows {
public:
    virtual ~ScanWindows() = default;

    // The spectrum window's surface: status texts, warnings and clearing.
    virtual Canvas& SpectrumSurface() = 0;
    // The spectrum window's open and save dialog (its file name and title).
    virtual CommonDialog& SpectrumDialog() = 0;
    // The chart of the slot on the spectrum window, with the flows' empty x title.
    virtual void DrawSpectrum(int16_t slot) = 0;

    // The integration time, averaging (with the accepted count in its box) and bin width (rounded)
    // on their scroll bars.
    virtual void ShowIntegrationAverageAndBin(const ProgramState& state) = 0;
    // Those, and the read address in read-out mode, the scan number and the interval.
    virtual void ShowScanParameters(const ProgramState& state) = 0;
    // The integration time in its bar and box, and the averaging in its bar and box.
    virtual void ShowIntegrationAndAverage(const ProgramState& state) = 0;
    // The read address in its box and on its bar.
    virtual void ShowReadAddress(int16_t address) = 0;
    // The memory mode box's text (one of the modebox words).
    virtual void ShowMode(const char* text) = 0;

    // Whether a timed series runs (the main window's timer is on).
    virtual bool SeriesRuns() = 0;
    // Ends the timed series: its timer stops and a port the series held open is let go.
    virtual void EndSeries() = 0;
};

}  // namespace tav
