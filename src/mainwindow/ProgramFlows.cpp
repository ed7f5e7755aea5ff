// The flows that the key commands and the timed acquisition start, on the program's windows.

#include "mainwindow/ProgramLinks.h"

#include "platform/forms/App.h"

namespace tav {

namespace {

class ProgramFlows final : public CommandFlows {
public:
    explicit ProgramFlows(App& app) : app_(app) {}

    void NextScan() override {}
    void DarkScan() override {}
    void OverlayScan() override {}
    void ReferenceScan() override {}
    void OverlayFile() override {}
    void ComputeKineticIndices() override {}
    void ClearIndexWindow() override {}
    void ShowEraseForm() override {}
    void ShowSettingsForm() override {}

private:
    [[maybe_unused]] App& app_;
};

}  // namespace

std::unique_ptr<CommandFlows> MakeProgramFlows(App& app) { return std::make_unique<ProgramFlows>(app); }

}  // namespace tav
