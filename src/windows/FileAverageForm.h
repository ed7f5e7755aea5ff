#pragma once
// The file average dialog: the operator lists spectrum files (from the folder lists, or typed)
// and the averaging runs on OK. The list is AvgFileList itself, one full path per line of List1,
// which shows the last 25 characters of each. Every opening starts with an empty list.
//
// The main window's "A&verage" shows it: app.forms.Get<FileAverageForm>().Show().

#include "platform/forms/Controls.h"

namespace tav {

class FileAverageForm : public Form {
public:
    explicit FileAverageForm(App& app);

    DriveListBox Drive1{*this, "Drive1"};
    Label Label2{*this, "Label2", "Directories"};
    DirListBox Dir1{*this, "Dir1"};
    Label Label1{*this, "Label1", "Files"};
    FileListBox File1{*this, "File1"};
    Label Label3{*this, "Label3", "File Name"};
    TextBox FileNameBox{*this, "FileNameBox"};
    Label RefNameLbl{*this, "RefNameLbl", "Files to Average"};
    ListBox List1{*this, "List1"};
    CheckBox CalcStdErrChk{*this, "CalcStdErrChk", "Calculate Standard Error"};
    Button Command1{*this, "Command1", "OK"};
    Button Command2{*this, "Command2", "Cancel"};

protected:
    void Form_Load() override;
    void Form_KeyPress(int16_t& KeyAscii) override;

private:
    void Drive1_Change();
    void Dir1_Change();
    void Dir1_KeyDown(int16_t& KeyCode, int16_t Shift);
    void Dir1_KeyPress(int16_t& KeyAscii);
    void File1_Click();
    void File1_DblClick();
    void File1_GotFocus();
    void File1_KeyPress(int16_t& KeyAscii);
    void FileNameBox_GotFocus();
    void FileNameBox_KeyPress(int16_t& KeyAscii);
    void List1_DblClick();
    void List1_KeyPress(int16_t& KeyAscii);
    void Command1_Click();
    void Command2_Click();

    void AddFile(const std::string& name);
    void RemoveSelectedEntry();
};

}  // namespace tav
