#pragma once
// The scan flows' window actions on the program's main window and spectrum window, found among
// the loaded windows at each call (loaded when not yet).

#include "acquisition/ScanWindows.h"

namespace tav {

class App;

class MainScanWindows : public ScanWindows {
public:
    explicit MainScanWindows(App& app) : app_(app) {}

    Canvas& SpectrumSurface() override;
    CommonDialog& SpectrumDialog() override;
    void DrawSpectrum(int16_t slot) override;
    void ShowIntegrationAverageAndBin(const ProgramState& state) override;
    void ShowScanParameters(const ProgramState& state) override;
    void ShowIntegrationAndAverage(const ProgramState& state) override;
    void ShowReadAddress(int16_t address) override;
    void ShowMode(const char* text) override;
    bool SeriesRuns() override;
    void EndSeries() override;

private:
    App& app_;
};

}  // namespace tav
