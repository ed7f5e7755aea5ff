#pragma once
// The two-file dialog: asks for the first and then the second spectrum file of a two-file
// operation (add, subtract, multiply, divide, transform), each with the kind of data to take
// from it, and then runs the operation. It is modeless: the other windows stay usable while it
// waits. The first name goes to slot 1, the second to slot 2, the result to slot 0.

#include <cstdint>
#include <string>

#include "platform/forms/Controls.h"

namespace tav {

class GetFileName : public Form {
public:
    explicit GetFileName(App& app);

    Label Label1{*this, "Label1", "File &Name:"};
    TextBox FileNameBox{*this, "FileNameBox", "*.rdg"};
    FileListBox File1{*this, "File1"};
    Label Label4{*this, "Label4", "List Files of &Type:"};
    ComboBox FileType{*this, "FileType"};
    Label Label2{*this, "Label2", "&Directories:"};
    Label Path{*this, "Path", "Path"};
    DirListBox Dir1{*this, "Dir1"};
    Label Label3{*this, "Label3", "Dri&ves:"};
    DriveListBox Drive1{*this, "Drive1"};
    Button Command1{*this, "Command1", "OK"};
    Button Command2{*this, "Command2", "Cancel"};
    Frame Frame1{*this, "Frame1", "Use:"};
    OptionButton Reflectance{*this, "Reflectance", "&Reflectance"};
    OptionButton RawData{*this, "RawData", "Ra&w Data"};
    OptionButton Reference{*this, "Reference", "Re&ference"};

    // Accepts or refuses the name in FileNameBox for the file being asked for.
    void CheckFileName();
    // Moves on to the second file; with B = 0 in a transform there is none to ask for.
    void AskSecondFile();

protected:
    void Form_Load() override;
    void Form_Activate() override;
    void Form_KeyPress(int16_t& KeyAscii) override;
    void Form_Unload(int16_t& Cancel) override;

private:
    void Command1_Click();
    void Command2_Click();
    void File1_Click();
    void File1_DblClick();
    void File1_GotFocus();
    void Dir1_Change();
    void Dir1_KeyDown(int16_t& KeyCode, int16_t Shift);
    void Dir1_KeyPress(int16_t& KeyAscii);
    void Drive1_Change();
    void FileType_Click();
    void FileNameBox_GotFocus();
    void Reflectance_Click();
    void RawData_Click();
    void Reference_Click();

    void Accept();
    void Close();
    void CloseAndCombine();
    int16_t SelectedKind() const;

    int16_t operation_ = 0;    // the operation this dialog was opened for
    int16_t askingSlot_ = 1;   // the slot the next accepted name goes to
    // What the other windows work on while the dialog borrows CurrentSlot and clears
    // DataAvailable: an operation that ends without a result gives both back.
    int16_t outsideSlot_ = 0;
    bool outsideData_ = false;
    bool combining_ = false;
};

// Starts a two-file operation (1 add, 2 subtract, 3 multiply, 4 divide, 5 transform): records it
// in FileDialogMode, clears DataAvailable, blanks the names of slots 1 and 2 and shows the
// dialog, which then does the work; returns at once. A dialog already open starts over. An
// operation left without a result (cancelled, refused or unreadable) puts CurrentSlot and
// DataAvailable back as the other windows had them.
void ShowGetFileName(App& app, int16_t mode);

}  // namespace tav
