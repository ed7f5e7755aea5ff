#pragma once
// The data folder dialog: OK makes the folder highlighted in the folder list the data folder
// (DefaultPath) and rewrites the settings file. The list opens at the current folder; Enter in
// it makes the highlighted folder the current folder for the rest of the run.
//
// The main window's "&Default Data Directory" shows it: app.forms.Get<SetDirectoryForm>().Show().

#include <string>

#include "platform/forms/Controls.h"

namespace tav {

class SetDirectoryForm : public Form {
public:
    explicit SetDirectoryForm(App& app);

    Label Label2{*this, "Label2", "Default Path"};
    Label Label1{*this, "Label1"};  // the folder OK would take
    DriveListBox Drive1{*this, "Drive1"};
    DirListBox Dir1{*this, "Dir1"};
    Button Command1{*this, "Command1", "OK"};
    Button Command2{*this, "Command2", "Cancel"};

protected:
    void Form_Load() override;
    void Form_KeyPress(int16_t& KeyAscii) override;

private:
    void Drive1_Change();
    void Dir1_Click();
    void Dir1_KeyPress(int16_t& KeyAscii);
    void Command1_Click();
    void Command2_Click();

    // The highlighted entry's folder; the open folder when no other entry is highlighted.
    std::string HighlightedFolder() const;
};

}  // namespace tav
