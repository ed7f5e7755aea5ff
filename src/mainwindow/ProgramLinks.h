#pragma once
// What the windows of the program share besides the state and the services, owned by the main
// window for the whole run: the kinetic logs, the file routines' and the scan flows' contexts
// over the program's windows, the chart windows, the index output and the flows that the key
// commands start. Each window reaches them from its App through LinksOf, so no window keeps a
// copy of any of it.

#include <memory>

#include "acquisition/AcquisitionContext.h"
#include "acquisition/CommandFlows.h"
#include "acquisition/ScanFlowContext.h"
#include "mainwindow/FormCharts.h"
#include "mainwindow/AppFileWindows.h"
#include "files/FileWindows.h"
#include "files/KineticLogs.h"
#include "mainwindow/IndexWindowOutput.h"
#include "mainwindow/MainScanWindows.h"

namespace tav {

class App;

class ProgramLinks {
public:
    explicit ProgramLinks(App& app);
    ProgramLinks(const ProgramLinks&) = delete;
    ProgramLinks& operator=(const ProgramLinks&) = delete;

    // The kinetic logs, open from start-up to shut-down.
    KineticLogs logs;

    FileContext& Files() { return files_; }
    AcquisitionContext& Link() { return acquisition_.ctx; }
    ScanFlowContext& Flow() { return flow_; }
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

// The links of the program that app runs (its main window's; the main window is loaded when
// it is not yet).
ProgramLinks& LinksOf(App& app);

// The program's flows on its windows.
std::unique_ptr<CommandFlows> MakeProgramFlows(App& app, ProgramLinks& links);

}  // namespace tav
