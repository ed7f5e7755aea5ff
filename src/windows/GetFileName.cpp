#include "windows/GetFileName.h"

#include "files/FileNames.h"
#include "indices/TwoFileArithmetic.h"
#include "platform/Operator.h"
#include "platform/forms/DialogConventions.h"
#include "shared/ProgramState.h"
#include "windows/MDIForm1.h"
#include "windows/MainForm.h"
#include "windows/ProgramContexts.h"

namespace tav {
namespace {

constexpr int PageDownStep = 6;

constexpr int16_t KindReflectance = 1;
constexpr int16_t KindRawData = 2;
constexpr int16_t KindReference = 3;

std::string FirstPrompt(int16_t operation) {
    return operation == twofile::Divide ? "Name of Numerator?" : "Name of First File?";
}

std::string SecondPrompt(int16_t operation) {
    return operation == twofile::Divide ? "Name of Denominator?" : "Name of Second File?";
}

bool IsPattern(const std::string& text) { return text.find_first_of("?*") != std::string::npos; }

bool IsBlank(const std::string& text) { return text.find_first_not_of(' ') == std::string::npos; }

// Channel 1 of a file the transform multiplies by 0: that file is not asked for.
void ClearChannel1(ProgramState& s, int16_t slot) {
    for (int i = 0; i < MaxPoint; ++i) s.Ch1Data[slot][i] = 0.0f;
}

}  // namespace

GetFileName::GetFileName(App& app) : Form(app, "GetFileName") {
    outsideSlot_ = app.state.CurrentSlot;
    outsideData_ = app.state.DataAvailable;
    SetCaption("File");
    SetBorderStyle(border::FixedDialog);
    SetKeyPreview(true);
    Move(2400, 1800);

    Label1.Move(120, 120, 2640, 255);
    FileNameBox.Move(120, 375, 2640, 315);
    File1.Move(120, 750, 2640, 1920);
    File1.SetPattern("*.RDG");
    Label4.Move(120, 2760, 2640, 255);
    FileType.Move(120, 3015, 2640, 315);
    FileType.SetText("Quorveld Files (*.rdg)");
    Label2.Move(2880, 120, 2400, 255);
    Path.Move(2880, 375, 2400, 315);
    Dir1.Move(2880, 750, 2400, 1920);
    Label3.Move(2880, 2760, 2400, 255);
    Drive1.Move(2880, 3015, 2400, 315);
    Command1.Move(5520, 120, 1560, 375);
    Command2.Move(5520, 600, 1560, 375);
    Frame1.Move(5520, 1200, 1560, 1320);
    for (OptionButton* option : {&Reflectance, &RawData, &Reference}) option->SetContainer(Frame1);
    Reflectance.Move(120, 240, 1380, 300);
    RawData.Move(120, 600, 1380, 300);
    Reference.Move(120, 960, 1380, 300);

    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { Command2_Click(); };
    File1.Click = [this] { File1_Click(); };
    File1.DblClick = [this] { File1_DblClick(); };
    File1.GotFocus = [this] { File1_GotFocus(); };
    Dir1.Change = [this] { Dir1_Change(); };
    Dir1.KeyDown = [this](int16_t& KeyCode, int16_t Shift) { Dir1_KeyDown(KeyCode, Shift); };
    Dir1.KeyPress = [this](int16_t& KeyAscii) { Dir1_KeyPress(KeyAscii); };
    Drive1.Change = [this] { Drive1_Change(); };
    FileType.Click = [this] { FileType_Click(); };
    FileType.KeyPress = [](int16_t& KeyAscii) { KeyAscii = 0; };
    FileNameBox.GotFocus = [this] { FileNameBox_GotFocus(); };
    Reflectance.Click = [this] { Reflectance_Click(); };
    RawData.Click = [this] { RawData_Click(); };
    Reference.Click = [this] { Reference_Click(); };
}

void GetFileName::Form_Load() {
    ProgramState& s = app.state;
    // Here, not in the constructor: sizing the client area needs the window's view.
    SetClientSize(7200, 3480);
    operation_ = s.FileDialogMode;
    s.DataAvailable = false;

    // A data folder that is gone leaves the lists on the current folder.
    const std::string shown = Dir1.Path();
    Dir1.SetPath(s.DefaultPath);
    if (Dir1.Path() == shown) Dir1_Change();

    FileType.AddItem("Prismel Files (*.rdg)");
    FileType.AddItem("All Files (*.*)");

    if (s.KindChoice == KindRawData) RawData.SetValue(true);
    else if (s.KindChoice == KindReference) Reference.SetValue(true);
    else Reflectance.SetValue(true);

    const bool transform = operation_ == twofile::Transform;
    if (!(transform && s.TransFactor1 == 0.0f)) SetCaption(FirstPrompt(operation_));
    askingSlot_ = 1;
    s.CurrentSlot = askingSlot_;

    if (transform && s.TransFactor1 == 0.0f) {
        ClearChannel1(s, 1);
        AskSecondFile();
        if (!Loaded()) return;
        // The first accepted name still fills slot 1: its points and x values shape the result,
        // its values count zero times.
        askingSlot_ = 1;
        s.CurrentSlot = askingSlot_;
    }
}

// Other windows may have moved CurrentSlot meanwhile; the dialog goes on with the slot whose
// prompt it shows, and remembers theirs for an operation that ends without a result.
void GetFileName::Form_Activate() {
    ProgramState& s = app.state;
    if (s.CurrentSlot != askingSlot_) outsideSlot_ = s.CurrentSlot;
    s.CurrentSlot = askingSlot_;
}

void GetFileName::AskSecondFile() {
    ProgramState& s = app.state;
    const bool skipSecond = operation_ == twofile::Transform && s.TransFactor2 == 0.0f;
    if (!skipSecond) SetCaption(SecondPrompt(operation_));
    askingSlot_ = 2;
    s.CurrentSlot = askingSlot_;
    if (!skipSecond) return;
    // Its blank name keeps the second file from being read.
    ClearChannel1(s, 2);
    CloseAndCombine();
}

void GetFileName::CheckFileName() {
    ProgramState& s = app.state;
    s.NameRejected = false;
    const std::string text = FileNameBox.Text();
    if (IsPattern(text)) {
        File1.SetPattern(text);
        return;
    }
    if (IsBlank(text)) {
        app.op.MsgBox("Invalid File Name!");
        Close();
        s.NameRejected = true;
        return;
    }
    // The name is taken inside the listed folder; whether the file exists the read will tell.
    const int16_t slot = askingSlot_;
    s.CurrentSlot = slot;
    s.SlotInfo[slot].FileName = JoinPath(File1.Path(), text);
    s.SlotInfo[slot].DataKind = SelectedKind();
    if (slot == 1) {
        AskSecondFile();
        return;
    }
    CloseAndCombine();
}

int16_t GetFileName::SelectedKind() const {
    if (RawData.Value()) return KindRawData;
    if (Reference.Value()) return KindReference;
    return KindReflectance;
}

void GetFileName::Accept() {
    CheckFileName();
    if (app.state.NameRejected) Close();
}

void GetFileName::Close() { Unload(); }

void GetFileName::CloseAndCombine() {
    App& program = app;
    const int16_t operation = operation_;
    const int16_t outsideSlot = outsideSlot_;
    const bool outsideData = outsideData_;
    combining_ = true;
    Close();
    FlowScope flow(program.flow);
    if (CombineFiles(ContextsOf(program).Files(), operation) == CombineResult::Done) return;
    // A file that could not be read leaves the slot on display to the other windows again.
    ProgramState& s = program.state;
    s.CurrentSlot = outsideSlot;
    if (!s.DataAvailable) s.DataAvailable = outsideData;
}

void GetFileName::Command1_Click() { Accept(); }

void GetFileName::Command2_Click() { Close(); }

void GetFileName::Form_KeyPress(int16_t& KeyAscii) {
    if (KeyAscii == key::Escape) {
        KeyAscii = 0;
        Close();
        return;
    }
    if (KeyAscii != key::Return) return;
    // The name box takes no Enter: the acceptance has used it up.
    const bool nameBox = ActiveControl() == &FileNameBox;
    Accept();
    if (nameBox) KeyAscii = 0;
}

void GetFileName::Form_Unload(int16_t& /*Cancel*/) {
    ProgramState& s = app.state;
    if (!combining_) {
        if (s.CurrentSlot == askingSlot_) s.CurrentSlot = outsideSlot_;
        if (!s.DataAvailable) s.DataAvailable = outsideData_;
    }
    // Not while the program ends: the spectrum window has gone already.
    const MDIForm1* mdi = app.forms.Find<MDIForm1>();
    if (mdi && mdi->Exiting()) return;
    app.state.Menu.Viewmainform = true;
    app.forms.Get<MainForm>().Show();
}

void GetFileName::File1_Click() { FileNameBox.SetText(File1.FileName()); }

void GetFileName::File1_DblClick() {
    FileNameBox.SetText(File1.FileName());
    CheckFileName();
}

void GetFileName::File1_GotFocus() {
    if (File1.ListCount() > 0 && File1.ListIndex() == -1) File1.SetListIndex(0);
}

void GetFileName::Dir1_Change() {
    File1.SetPath(Dir1.Path());
    Path.SetCaption(Dir1.Path());
}

void GetFileName::Dir1_KeyDown(int16_t& KeyCode, int16_t /*Shift*/) {
    if (KeyCode != key::PageDown) return;
    const int below = Dir1.TopIndex() + PageDownStep;
    const int last = Dir1.ListCount() - 1;
    Dir1.SetListIndex(below < last ? below : last);
    KeyCode = 0;
}

void GetFileName::Dir1_KeyPress(int16_t& KeyAscii) {
    if (KeyAscii != key::Return) return;
    Dir1.SetPath(Dir1.List(Dir1.ListIndex()));
    KeyAscii = 0;
}

// A drive that is not ready leaves the lists where they are.
void GetFileName::Drive1_Change() { Dir1.SetPath(Drive1.Drive()); }

void GetFileName::FileType_Click() { File1.SetPattern(FileType.ListIndex() == 0 ? "*.rdg" : "*.*"); }

void GetFileName::Reflectance_Click() { app.state.KindChoice = KindReflectance; }
void GetFileName::RawData_Click() { app.state.KindChoice = KindRawData; }
void GetFileName::Reference_Click() { app.state.KindChoice = KindReference; }

void GetFileName::FileNameBox_GotFocus() {
    SelectForTyping(FileNameBox);
}

void ShowGetFileName(App& app, int16_t mode) {
    ProgramState& s = app.state;
    // An open dialog gives its operation up first, and with it what it borrowed.
    app.forms.Unload<GetFileName>();
    s.FileDialogMode = mode;
    s.SlotInfo[1].FileName = FileNameField("");
    s.SlotInfo[2].FileName = FileNameField("");
    // With A = B = 0 the transform needs no file: the dialog does its work while it loads and
    // has closed again before it could be shown.
    app.forms.Get<GetFileName>().Show();
}

}  // namespace tav
