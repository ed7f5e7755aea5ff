// The flows that the key commands and the timed acquisition start, on the program's windows.

#include "acquisition/DarkReferenceScan.h"
#include "acquisition/NextScan.h"
#include "acquisition/OverlayScan.h"
#include "indices/KineticIndices.h"
#include "platform/forms/App.h"
#include "windows/EraseForm.h"
#include "windows/IndexForm.h"
#include "windows/ProgramContexts.h"
#include "windows/SettingsForm.h"

namespace tav {

namespace {

class ProgramFlows final : public CommandFlows {
public:
    ProgramFlows(App& app, ProgramContexts& contexts) : app_(app), contexts_(contexts) {}

    void NextScan() override { tav::NextScan(contexts_.ScanFlow()); }
    void DarkScan() override { tav::DarkScan(contexts_.ScanFlow()); }
    void OverlayScan() override { tav::OverlayScan(contexts_.ScanFlow()); }
    void ReferenceScan() override { tav::ReferenceScan(contexts_.ScanFlow()); }
    void OverlayFile() override { tav::OverlayFile(contexts_.ScanFlow()); }
    void ComputeKineticIndices() override { tav::ComputeKineticIndices(app_.state, contexts_.Indices()); }
    void ClearIndexWindow() override { tav::ClearIndexWindow(app_); }
    void ShowEraseForm() override { tav::ShowEraseForm(app_); }
    void ShowSettingsForm() override { app_.forms.Get<SettingsForm>().Show(); }

private:
    App& app_;
    ProgramContexts& contexts_;
};

}  // namespace

std::unique_ptr<CommandFlows> MakeProgramFlows(App& app, ProgramContexts& contexts) {
    return std::make_unique<ProgramFlows>(app, contexts);
}

}  // namespace tav
