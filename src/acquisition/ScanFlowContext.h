#pragma once
// What the scan flows work with: the program (state, services, windows) and the parts of the
// window layer that the program builds once: the chart windows, the index and kinetic windows
// that take each new spectrum's index points, and the file routines' context (kinetic logs and
// the file routines' window actions).

#include <cstdint>
#include <string>

#include "acquisition/AcquisitionContext.h"

namespace tav {

class App;
class ChartWindows;
class KineticIndicesOutput;
class ScanWindows;
struct FileContext;

struct ScanFlowContext {
    App& app;
    ChartWindows& charts;
    KineticIndicesOutput& indices;
    FileContext& files;
    ScanWindows& windows;  // the main windows, as the flows see them
};

// An acquisition's window actions on the program's windows: the spectrum window's surface and
// file dialog, the spectrum-file reader and the trace selection.
class FlowAcquisitionWindows : public AcquisitionWindows {
public:
    explicit FlowAcquisitionWindows(ScanFlowContext& flow) : flow_(flow) {}
    Canvas& MainFormSurface() override;
    bool ReadSpectrumFile(int16_t slot) override;
    SpectrumReadResult ReadSpectrumFileUntold(int16_t slot, std::string& why) override;
    void SetDisplayChannel(int16_t slot) override;
    void SetDialogFileName(const std::string& path) override;
    void ShowDrawing() override;
    bool KeepAlive() override;

private:
    ScanFlowContext& flow_;
};

// The acquisition context of a flow, over its windows.
struct FlowAcquisition {
    explicit FlowAcquisition(ScanFlowContext& flow);
    FlowAcquisitionWindows windows;
    AcquisitionContext ctx;
};

}  // namespace tav
