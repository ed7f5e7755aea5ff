// The flows that the key commands and the timed acquisition start, on the program's windows.

#include "acquisition/DarkReferenceScan.h"
#include "acquisition/NextScan.h"
#include "acquisition/OverlayScan.h"
#include "mainwindow/IndexForm.h"
#include "indices/KineticIndices.h"
#include "mainwindow/EraseForm.h"
#include "mainwindow/ProgramLinks.h"
#include "mainwindow/SettingsForm.h"
#include "platform/forms/App.h"

namespace tav {

namespace {

class ProgramFlows final : public CommandFlows {
public:
    ProgramFlows(App& app, ProgramLinks& links) : app_(app), links_(links) {}

    void NextScan() override { tav::NextScan(links_.Flow()); }
    void DarkScan() override { tav::DarkScan(links_.Flow()); }
    void OverlayScan() override { tav::OverlayScan(links_.Flow()); }
    void ReferenceScan() override { tav::ReferenceScan(links_.Flow()); }
    void OverlayFile() override { tav::OverlayFile(links_.Flow()); }
    void ComputeKineticIndices() override { tav::ComputeKineticIndices(app_.state, links_.Indices()); }
    void ClearIndexWindow() override { tav::ClearIndexWindow(app_); }
    void ShowEraseForm() override { tav::ShowEraseForm(app_); }
    void ShowSettingsForm() override { app_.forms.Get<SettingsForm>().Show(); }

private:
    App& app_;
    ProgramLinks& links_;
};

}  // namespace

std::unique_ptr<CommandFlows> MakeProgramFlows(App& app, ProgramLinks& links) {
    return std::make_unique<ProgramFlows>(app, links);
}

}  // namespace tav
