#pragma once
// The quick menu: a small child window listing the single-letter commands as labels, for
// operators who prefer the mouse. A click on a label runs what its caption names. The window
// keeps its place and its open flag in MenuFormRect; the open flag is also the "quick menu on"
// setting, so closing the window turns the quick menu off.

#include <cstdint>

#include "acquisition/CommandFlows.h"
#include "platform/forms/Controls.h"

namespace tav {

class MenuForm : public Form {
public:
    explicit MenuForm(App& app);

    Frame Frame1{*this, "Frame1"};
    Label NextScanLbl{*this, "NextScanLbl", "N - Next Scan"};
    Label DarkLbl{*this, "DarkLbl", "D - Dark Scan"};
    Label ReferenceLbl{*this, "ReferenceLbl", "R - Reference Scan"};
    Label AutoScanLbl{*this, "AutoScanLbl", "A - Auto Scan"};
    Label OverlayLbl{*this, "OverlayLbl", "O - Overlay Scan"};
    Label MarkerLbl{*this, "MarkerLbl", "M - Marker"};
    Label SaveLbl{*this, "SaveLbl", "S - Save File"};
    Label ReadFileLbl{*this, "ReadFileLbl", "F - Read File"};
    Label OverlayFile{*this, "OverlayFile", "L - Overlay File"};
    Label ClearLbl{*this, "ClearLbl", "E - Clear"};
    Label Label11{*this, "Label11", "F1 - Main Window"};
    Label Label12{*this, "Label12", "F2 - Index Window"};
    Label Label13{*this, "Label13", "F3 - Ratio Window"};
    Label Label2{*this, "Label2", "F4 - Norm. Diff. Win"};
    Label Label3{*this, "Label3", "F5 - Derivative Win"};
    Label Label4{*this, "Label4", "F6 - Integral Win"};
    Label Label5{*this, "Label5", "F7 - Average Win"};

protected:
    void Form_GotFocus() override;
    void Form_Resize() override;
    void Form_Unload(int16_t& Cancel) override;

private:
    void NextScanLbl_Click();
    void DarkLbl_Click();
    void ReferenceLbl_Click();
    void AutoScanLbl_Click();
    void OverlayLbl_Click();
    void ClearLbl_Click();

    // Stops timed acquisition, runs a scan flow and brings up the spectrum window.
    void StoppingScan(void (CommandFlows::*scan)());
    // The key command of the letter, as if typed in a chart window.
    void KeyCommand(char letter);
    void ShowSpectrumWindow();
};

}  // namespace tav
