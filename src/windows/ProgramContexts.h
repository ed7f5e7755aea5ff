#pragma once
// What the windows of the program share besides the state and the services, owned by the main
// window for the whole run: the kinetic logs, the file routines' and the scan flows' contexts
// over the program's windows, the chart windows, the index output and the flows that the key
// commands start. Each window reaches them from its App through ContextsOf, so no window keeps a
// copy of any of it.

#include <memory>

#include "acquisition/AcquisitionContext.h"
#include "acquisition/CommandFlows.h"
#include "acquisition/ScanFlowContext.h"
#include "files/FileWindows.h"
#include "files/KineticLogs.h"
#include "windows/AppFileWindows.h"
#include "windows/FormCharts.h"
#include "windows/IndexWindowOutput.h"
#include "windows/MainScanWindows.h"

namespace tav {

class App;

class ProgramContexts {
public:
    explicit ProgramContexts(App& app);
    ProgramContexts(const ProgramContexts&) = delete;
    ProgramContexts& operator=(const ProgramContexts&) = delete;

    // The kinetic logs, open from start-up to shut-down.
    KineticLogs logs;

    FileContext& Files() { return files_; }
    AcquisitionContext& Acquisition() { return acquisition_.ctx; }
    ScanFlowContext& ScanFlow() { return flow_; }
    ChartWindows& Charts() { return charts_; }
    KineticIndicesOutput& Indices() { return indices_; }
    AppFileWindows& FileWindowsOfProgram() { return fileWindows_; }

    CommandFlows& Flows() { return *flows_; }
    // Puts other flows in place of the program's (a test's recording ones).
    void SetFlows(std::unique_ptr<CommandFlows> flows) { flows_ = std::move(flows); }

private:
    AppFileWindows fileWindows_;
    FileContext files_;
    FormChartWindows charts_;
    IndexWindowOutput indices_;
    MainScanWindows scanWindows_;
    ScanFlowContext flow_;
    FlowAcquisition acquisition_;
    std::unique_ptr<CommandFlows> flows_;
};

// The contexts of the program that app runs (its main window's; the main window is loaded when
// it is not yet).
ProgramContexts& ContextsOf(App& app);

// The program's flows on its windows.
std::unique_ptr<CommandFlows> MakeProgramFlows(App& app, ProgramContexts& contexts);

}  // namespace tav
