#pragma once
// What the key commands and the timed acquisition start in the rest of the program: the scan
// flows, the index pass and the windows the commands open. The program runs them on its windows;
// a test can record the calls instead.

namespace tav {

class CommandFlows {
public:
    virtual ~CommandFlows() = default;
    virtual void NextScan() = 0;
    virtual void DarkScan() = 0;
    virtual void OverlayScan() = 0;
    virtual void ReferenceScan() = 0;
    virtual void OverlayFile() = 0;
    virtual void ComputeKineticIndices() = 0;
    // Blanks the index read-out window (loading it hidden when needed).
    virtual void ClearIndexWindow() = 0;
    // The erase confirmation (4500 x 2200 twips) and the settings window, not modal.
    virtual void ShowEraseForm() = 0;
    virtual void ShowSettingsForm() = 0;
};

}  // namespace tav
