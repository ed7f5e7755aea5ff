#pragma once
// What the windows of the program share besides the state and the services, owned by the main
// window for the whole run: the kinetic logs, the file routines' and the acquisitions' view of
// the windows, the chart windows and the flows that the key commands start. Each window reaches
// them from its App through LinksOf, so no window keeps a copy of any of it.

#include <memory>

#include "acquisition/AcquisitionContext.h"
#include "acquisition/CommandFlows.h"
#include "charts/FormCharts.h"
#include "files/AppFileWindows.h"
#include "files/FileWindows.h"
#include "files/KineticLogs.h"

namespace tav {

class App;

class ProgramLinks final : public AcquisitionWindows {
public:
    explicit ProgramLinks(App& app);

    // The kinetic logs, open from start-up to shut-down.
    KineticLogs logs;

    FileContext Files();
    AcquisitionContext Link();
    ChartWindows& Charts() { return charts_; }
    AppFileWindows& FileWindowsOfProgram() { return fileWindows_; }

    CommandFlows& Flows() { return *flows_; }
    // Puts other flows in place of the program's (a test's recording ones).
    void SetFlows(std::unique_ptr<CommandFlows> flows) { flows_ = std::move(flows); }

    // The acquisitions' side of the windows.
    Canvas& MainFormSurface() override;
    bool ReadSpectrumFile(int16_t slot) override;
    void SetDisplayChannel(int16_t slot) override;
    void SetDialogFileName(const std::string& path) override;

private:
    App& app_;
    AppFileWindows fileWindows_;
    FormChartWindows charts_;
    std::unique_ptr<CommandFlows> flows_;
};

// The links of the program that app runs (its main window's; the main window is loaded when
// it is not yet).
ProgramLinks& LinksOf(App& app);

// The program's flows on its windows.
std::unique_ptr<CommandFlows> MakeProgramFlows(App& app);

}  // namespace tav
