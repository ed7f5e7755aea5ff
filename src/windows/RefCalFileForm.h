#pragma once
// The reference calibration file dialog: switches the use of the reference calibration file on
// or off and names it; OK stores both and rewrites the settings file.
//
// The main window's "&Reference Calibration File" shows it: app.forms.Get<RefCalFileForm>().Show().

#include <string>

#include "platform/forms/Controls.h"

namespace tav {

class RefCalFileForm : public Form {
public:
    explicit RefCalFileForm(App& app);

    CheckBox RefCalFileOnChk{*this, "RefCalFileOnChk", "Use Reference Calibration File"};
    Label RefNameLbl{*this, "RefNameLbl", "Reference File Name"};
    TextBox RefNameBox{*this, "RefNameBox"};
    DriveListBox Drive1{*this, "Drive1"};
    DirListBox Dir1{*this, "Dir1"};
    FileListBox File1{*this, "File1"};
    Button Command1{*this, "Command1", "OK"};
    Button Command2{*this, "Command2", "Cancel"};

protected:
    void Form_Load() override;
    void Form_KeyPress(int16_t& KeyAscii) override;

private:
    void Drive1_Change();
    void Dir1_Change();
    void File1_Click();
    void File1_KeyPress(int16_t& KeyAscii);
    void RefNameBox_GotFocus();
    void Command1_Click();
    void Command2_Click();
};

// The reference file name as stored: the file's name in upper case, a folder before it kept as
// it is (folders are told apart by case here).
std::string ReferenceNameText(const std::string& typed);

}  // namespace tav
