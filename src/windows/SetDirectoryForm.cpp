#include "windows/SetDirectoryForm.h"

#include "files/AutoSaveNames.h"
#include "files/FileMessages.h"
#include "files/FileNames.h"
#include "files/SettingsFile.h"
#include "platform/FileSystem.h"
#include "platform/Operator.h"
#include "platform/forms/DialogConventions.h"
#include "shared/ProgramState.h"
#include "windows/ProgramContexts.h"

namespace tav {

SetDirectoryForm::SetDirectoryForm(App& app) : Form(app, "SetDirectoryForm") {
    SetCaption("Set Directory");
    SetBorderStyle(border::FixedDialog);
    SetKeyPreview(true);
    SetClientSize(6000, 3900);

    Label2.Move(120, 120, 1500, 255);
    Label1.Move(120, 420, 5760, 255);
    Dir1.Move(120, 780, 4080, 2520);
    Drive1.Move(120, 3450, 4080, 315);
    Command1.Move(4500, 780, 1380, 435);
    Command2.Move(4500, 1380, 1380, 435);

    Drive1.Change = [this] { Drive1_Change(); };
    Dir1.Click = [this] { Dir1_Click(); };
    Dir1.KeyPress = [this](int16_t& KeyAscii) { Dir1_KeyPress(KeyAscii); };
    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { Command2_Click(); };
}

std::string SetDirectoryForm::HighlightedFolder() const { return Dir1.List(Dir1.ListIndex()); }

// The list opens at the current folder, wherever the data folder is.
void SetDirectoryForm::Form_Load() {
    Dir1.SetPath(app.fs.CurrentDir());
    Label1.SetCaption(HighlightedFolder());
}

void SetDirectoryForm::Form_KeyPress(int16_t& KeyAscii) { CloseOnEscape(*this, KeyAscii); }

// A drive that cannot be read leaves the folder list as it was.
void SetDirectoryForm::Drive1_Change() { Dir1.SetPath(Drive1.Drive()); }

void SetDirectoryForm::Dir1_Click() { Label1.SetCaption(HighlightedFolder()); }

// Bare file names (the reference file's among them) are looked up in the new current folder.
// A data folder given relative to the current folder moves with it, so the series starts again.
void SetDirectoryForm::Dir1_KeyPress(int16_t& KeyAscii) {
    if (!TakeEnter(KeyAscii)) return;
    const std::string folder = HighlightedFolder();
    if (!app.fs.SetCurrentDir(folder)) return;
    Dir1.SetPath(folder);
    RestartAutoSaveSeries(app.state);
}

// A folder whose name the settings file cannot keep is refused; the dialog stays open.
void SetDirectoryForm::Command1_Click() {
    const std::string folder = HighlightedFolder();
    if (HasControlCharacter(folder)) {
        app.op.MsgBox(ControlCharacterMessage("The folder name"), MsgButtons::OkOnly, MsgIcon::Exclamation);
        return;
    }
    ProgramState& s = app.state;
    if (folder != s.DefaultPath) RestartAutoSaveSeries(s);
    s.DefaultPath = folder;
    Unload();
    WriteSettingsFile(ContextsOf(app).Files());
}

void SetDirectoryForm::Command2_Click() { Unload(); }

}  // namespace tav
