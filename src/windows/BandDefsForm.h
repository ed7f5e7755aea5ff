#pragma once
// The band definitions dialog: how many bands there are (at most 100) and the start and end
// wavelength of each. There is no Cancel: every entry goes into NumOfBands, BandStart and
// BandEnd as it is typed, and closing the dialog in any way rewrites the settings file. Opened
// modeless from the main window's Index menu:
//
//     app.forms.Get<BandDefsForm>().Show();

#include <array>
#include <cstdint>
#include <vector>

#include "platform/forms/Controls.h"
#include "shared/ProgramState.h"

namespace tav {

class BandDefsForm : public Form {
public:
    explicit BandDefsForm(App& app);

    Label NumOfBandsLbl{*this, "NumOfBandsLbl", "Number Of Bands"};
    TextBox NumOfBandsBox{*this, "NumOfBandsBox"};
    ListBox List1{*this, "List1"};  // "Band1" ... : the selected entry is the band being edited
    Label BandStartLbl{*this, "BandStartLbl", "Band Start"};
    TextBox BandStartBox{*this, "BandStartBox"};
    Label BandEndLbl{*this, "BandEndLbl", "Band End"};
    TextBox BandEndBox{*this, "BandEndBox"};
    Button Command1{*this, "Command1", "OK"};

protected:
    void Form_Load() override;
    void Form_KeyPress(int16_t& KeyAscii) override;
    void Form_Unload(int16_t& Cancel) override;

private:
    void NumOfBandsBox_Change();
    void List1_Click();
    void BandStartBox_Change();
    void BandEndBox_Change();
    void Command1_Click();

    void SetBandCount(int16_t count);
    void StoreBandValue(const TextBox& box, std::vector<float>& bands, std::array<float, MaxBands>& kept);

    // The start and end of every band this dialog has held since it opened. A count is typed
    // digit by digit (12 passes through 1), and the bands that a passing count drops come back
    // with their values when the count grows again.
    std::array<float, MaxBands> keptStart_{};
    std::array<float, MaxBands> keptEnd_{};
};

}  // namespace tav
