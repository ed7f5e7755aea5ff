#include "windows/RefCalFileForm.h"

#include <cctype>

#include "files/FileMessages.h"
#include "files/FileNames.h"
#include "files/SettingsFile.h"
#include "platform/FileSystem.h"
#include "platform/Operator.h"
#include "platform/forms/DialogConventions.h"
#include "shared/ProgramState.h"
#include "windows/ProgramContexts.h"

namespace tav {

std::string ReferenceNameText(const std::string& typed) {
    const size_t nameStart = typed.find_last_of("/\\") + 1;  // 0 without a folder
    std::string text = typed;
    for (size_t i = nameStart; i < text.size(); ++i) {
        text[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[i])));
    }
    return text;
}

RefCalFileForm::RefCalFileForm(App& app) : Form(app, "RefCalFileForm") {
    SetCaption("Select Reference Calibration File");
    SetBorderStyle(border::FixedDialog);
    SetKeyPreview(true);
    SetClientSize(7440, 3840);

    RefCalFileOnChk.Move(120, 120, 3600, 315);
    RefNameLbl.Move(120, 540, 2760, 255);
    RefNameBox.Move(120, 780, 2760, 315);
    File1.Move(120, 1200, 2760, 2400);
    File1.SetPattern("*.RDG");
    Dir1.Move(3060, 540, 2760, 2580);
    Drive1.Move(3060, 3285, 2760, 315);
    Command1.Move(6000, 540, 1290, 435);
    Command2.Move(6000, 1140, 1290, 435);

    Drive1.Change = [this] { Drive1_Change(); };
    Dir1.Change = [this] { Dir1_Change(); };
    File1.Click = [this] { File1_Click(); };
    File1.DblClick = [this] { File1_Click(); };
    File1.KeyPress = [this](int16_t& KeyAscii) { File1_KeyPress(KeyAscii); };
    RefNameBox.GotFocus = [this] { RefNameBox_GotFocus(); };
    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { Command2_Click(); };
}

void RefCalFileForm::Form_Load() {
    const ProgramState& s = app.state;
    RefCalFileOnChk.SetValue(s.ReferenceOn ? 1 : 0);
    RefNameBox.SetText(s.ReferenceFileName);
}

void RefCalFileForm::Form_KeyPress(int16_t& KeyAscii) { CloseOnEscape(*this, KeyAscii); }

// A drive that cannot be read leaves the folder list as it was.
void RefCalFileForm::Drive1_Change() { Dir1.SetPath(Drive1.Drive()); }

void RefCalFileForm::Dir1_Change() { File1.SetPath(Dir1.Path()); }

// The scans look a bare name up in the current folder; a file of another folder keeps its
// folder, or a file of the same name in the current folder would be taken instead.
void RefCalFileForm::File1_Click() {
    const std::string name = File1.FileName();
    if (name.empty()) return;
    const bool inCurrentFolder = File1.Path() == app.fs.Resolve(app.fs.CurrentDir());
    RefNameBox.SetText(ReferenceNameText(inCurrentFolder ? name : JoinPath(File1.Path(), name)));
}

void RefCalFileForm::File1_KeyPress(int16_t& KeyAscii) {
    if (TakeEnter(KeyAscii)) File1_Click();
}

void RefCalFileForm::RefNameBox_GotFocus() { SelectForTyping(RefNameBox); }

// A name that the settings file cannot keep is refused; the dialog stays open.
void RefCalFileForm::Command1_Click() {
    if (HasControlCharacter(RefNameBox.Text())) {
        app.op.MsgBox(ControlCharacterMessage("The reference file name"), MsgButtons::OkOnly, MsgIcon::Exclamation);
        return;
    }
    ProgramState& s = app.state;
    s.ReferenceOn = RefCalFileOnChk.Value() == 1;
    s.ReferenceFileName = ReferenceNameText(RefNameBox.Text());
    WriteSettingsFile(ContextsOf(app).Files());
    Unload();
}

void RefCalFileForm::Command2_Click() { Unload(); }

}  // namespace tav
