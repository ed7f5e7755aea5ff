#include "windows/FileAverageForm.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "files/FileNames.h"
#include "indices/FileAveraging.h"
#include "platform/Operator.h"
#include "platform/forms/DialogConventions.h"
#include "shared/ProgramState.h"
#include "windows/ProgramContexts.h"

namespace tav {
namespace {

constexpr size_t ShownPathChars = 25;
constexpr int PageDownStep = 6;
// FileAvgCount is 16-bit: a longer list could not be counted.
constexpr int MaxListedFiles = std::numeric_limits<int16_t>::max();

}  // namespace

FileAverageForm::FileAverageForm(App& app) : Form(app, "FileAverageForm") {
    SetCaption("Files to Average");
    SetBorderStyle(border::FixedDialog);
    SetKeyPreview(true);
    SetClientSize(8880, 4440);

    Label3.Move(120, 120, 2760, 255);
    FileNameBox.Move(120, 360, 2760, 315);
    Label1.Move(120, 780, 2760, 255);
    File1.Move(120, 1020, 2760, 2580);
    File1.SetPattern("*.RDG");
    Label2.Move(3060, 120, 2760, 255);
    Dir1.Move(3060, 360, 2760, 2760);
    Drive1.Move(3060, 3240, 2760, 315);
    RefNameLbl.Move(6000, 120, 2760, 255);
    List1.Move(6000, 360, 2760, 3240);
    CalcStdErrChk.Move(120, 3840, 3600, 315);
    Command1.Move(6000, 3840, 1290, 435);
    Command2.Move(7470, 3840, 1290, 435);

    Drive1.Change = [this] { Drive1_Change(); };
    Dir1.Change = [this] { Dir1_Change(); };
    Dir1.KeyDown = [this](int16_t& KeyCode, int16_t Shift) { Dir1_KeyDown(KeyCode, Shift); };
    Dir1.KeyPress = [this](int16_t& KeyAscii) { Dir1_KeyPress(KeyAscii); };
    File1.Click = [this] { File1_Click(); };
    File1.DblClick = [this] { File1_DblClick(); };
    File1.GotFocus = [this] { File1_GotFocus(); };
    File1.KeyPress = [this](int16_t& KeyAscii) { File1_KeyPress(KeyAscii); };
    FileNameBox.GotFocus = [this] { FileNameBox_GotFocus(); };
    FileNameBox.KeyPress = [this](int16_t& KeyAscii) { FileNameBox_KeyPress(KeyAscii); };
    List1.DblClick = [this] { List1_DblClick(); };
    List1.KeyPress = [this](int16_t& KeyAscii) { List1_KeyPress(KeyAscii); };
    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { Command2_Click(); };
}

void FileAverageForm::Form_Load() {
    app.state.AvgFileList.clear();
    // A data folder that is gone leaves the lists at the current folder.
    Dir1.SetPath(app.state.DefaultPath);
    File1.SetPath(Dir1.Path());
}

void FileAverageForm::Form_KeyPress(int16_t& KeyAscii) { CloseOnEscape(*this, KeyAscii); }

// A drive that cannot be read leaves the folder list as it was.
void FileAverageForm::Drive1_Change() { Dir1.SetPath(Drive1.Drive()); }

void FileAverageForm::Dir1_Change() { File1.SetPath(Dir1.Path()); }

// The highlight jumps six entries ahead before the list moves on by its own page.
void FileAverageForm::Dir1_KeyDown(int16_t& KeyCode, int16_t /*Shift*/) {
    if (KeyCode != key::PageDown) return;
    const int index = Dir1.ListIndex();
    const int last = Dir1.ListCount() - 1;
    Dir1.SetListIndex(index + PageDownStep < last ? index + PageDownStep : last);
}

void FileAverageForm::Dir1_KeyPress(int16_t& KeyAscii) {
    if (!TakeEnter(KeyAscii)) return;
    Dir1.SetPath(Dir1.List(Dir1.ListIndex()));
    File1.SetPath(Dir1.Path());
}

void FileAverageForm::File1_Click() { FileNameBox.SetText(File1.FileName()); }

void FileAverageForm::File1_DblClick() {
    if (File1.ListIndex() != -1) AddFile(File1.FileName());
}

void FileAverageForm::File1_GotFocus() {
    if (File1.ListIndex() == -1 && File1.ListCount() > 0) File1.SetListIndex(0);
}

// Enter adds the selected file and moves on to the next, so that repeated Enters add a run.
void FileAverageForm::File1_KeyPress(int16_t& KeyAscii) {
    if (!TakeEnter(KeyAscii)) return;
    const int index = File1.ListIndex();
    if (index == -1) return;
    AddFile(File1.FileName());
    if (index < File1.ListCount() - 1) File1.SetListIndex(index + 1);
}

void FileAverageForm::FileNameBox_GotFocus() { SelectForTyping(FileNameBox); }

// A typed name goes in as it is; the reader reports a name that leads nowhere.
void FileAverageForm::FileNameBox_KeyPress(int16_t& KeyAscii) {
    if (!TakeEnter(KeyAscii)) return;
    AddFile(FileNameBox.Text());
}

void FileAverageForm::List1_DblClick() { RemoveSelectedEntry(); }

void FileAverageForm::List1_KeyPress(int16_t& KeyAscii) {
    if (!TakeEnter(KeyAscii)) return;
    const int index = List1.ListIndex();
    if (index == -1) return;
    RemoveSelectedEntry();
    if (List1.ListCount() > 0) List1.SetListIndex(std::min(index, List1.ListCount() - 1));
}

void FileAverageForm::AddFile(const std::string& name) {
    std::vector<std::string>& list = app.state.AvgFileList;
    if (List1.ListCount() >= MaxListedFiles) return;
    const std::string entry = JoinPath(Dir1.Path(), name);
    list.resize(static_cast<size_t>(List1.ListCount()));
    list.push_back(entry);
    List1.AddItem(LastChars(entry, ShownPathChars));
}

void FileAverageForm::RemoveSelectedEntry() {
    const int index = List1.ListIndex();
    if (index == -1) return;
    std::vector<std::string>& list = app.state.AvgFileList;
    if (index < static_cast<int>(list.size())) list.erase(list.begin() + index);
    List1.RemoveItem(index);
}

void FileAverageForm::Command1_Click() {
    ProgramState& s = app.state;
    s.FileAvgCount = static_cast<int16_t>(List1.ListCount());
    s.CalcStdError = CalcStdErrChk.Value() == 1;
    Unload();
    if (s.FileAvgCount == 0) {
        app.op.MsgBox("You did not select any files.");
        return;
    }
    // The run replaces slots; no timer tick or key may start a scan in the middle of it.
    FlowScope flow(app.flow);
    AverageSpectrumFiles(ContextsOf(app).Files());
}

void FileAverageForm::Command2_Click() {
    app.state.FileAvgCount = 0;
    Unload();
}

}  // namespace tav
