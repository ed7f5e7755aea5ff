#pragma once
// The settings dialog (modeless): integration time, scans to average, the AutoScan delay, the
// raw or reflectance view, dark correction, the AutoSave options, the beep and the quick menu.
// It shows the values in force when it opens; OK, or Enter in almost any control, takes them
// all (ApplySettings): the acquisition values are limited, shown on the main window and sent to
// the instrument, the quick menu is shown or closed, the settings file is rewritten and the
// dialog closes. Cancel, Escape and the close box change nothing.
//
//     app.forms.Get<SettingsForm>().Show();

#include <cstdint>

#include "platform/forms/Controls.h"
#include "shared/ProgramState.h"

namespace tav {

class SettingsForm : public Form {
public:
    explicit SettingsForm(App& app);

    Label IntTimeLbl{*this, "IntTimeLbl", "Integration Time (ms)"};
    Label Label1{*this, "Label1", "4.0 - 3276.7"};
    TextBox IntTimeBox{*this, "IntTimeBox"};
    Label Label2{*this, "Label2", "Halogen Souce"};
    Label Label3{*this, "Label3", "0 - 100%"};
    TextBox lightbox{*this, "lightbox"};
    Label NumScansLbl{*this, "NumScansLbl", "Number of Scans to Average"};
    TextBox NumToAverageBox{*this, "NumToAverageBox"};
    Label AutoScanDelayLbl{*this, "AutoScanDelayLbl", "Auto Scan Delay (Seconds)"};
    TextBox AutoScanDelayBox{*this, "AutoScanDelayBox"};
    Frame Frame1{*this, "Frame1"};
    OptionButton ViewRefOff{*this, "ViewRefOff", "View Raw Data"};
    OptionButton ViewRefOn{*this, "ViewRefOn", "View Reflectance"};
    Frame Frame3{*this, "Frame3"};
    CheckBox AutoSaveOnChk{*this, "AutoSaveOnChk", "Auto Save On"};
    OptionButton UserSuppliedNames{*this, "UserSuppliedNames", "User Suplied Names"};
    OptionButton AutoNames{*this, "AutoNames", "Auto Names"};
    Label AutoSaveNameLbl{*this, "AutoSaveNameLbl", "Auto Save Name"};
    TextBox AutoSaveNameBox{*this, "AutoSaveNameBox"};
    PictureBox Picture2{*this, "Picture2"};
    CheckBox BeepOnChk{*this, "BeepOnChk", "Beep On"};
    CheckBox QuickMenuOnChk{*this, "QuickMenuOnChk", "Quick Menu On"};
    Button Command1{*this, "Command1", "OK"};
    Button Command2{*this, "Command2", "Cancel"};
    Frame Frame2{*this, "Frame2"};
    OptionButton DarkCorrOn{*this, "DarkCorrOn", "Dark Correction On"};
    OptionButton DarkCorrOff{*this, "DarkCorrOff", "Dark Correction Off"};

protected:
    void Form_Load() override;
    void Form_KeyPress(int16_t& KeyAscii) override;

private:
    void AutoSaveNameBox_Change();
    void Command1_Click();
    void Command2_Click();
    void Control_KeyPress(int16_t& KeyAscii);
    void ApplySettings();
};

}  // namespace tav
