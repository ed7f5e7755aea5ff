// The main window's menu bar: every item's handler bound, and the commands of "&Menu", "&Help"
// and "E&xit". The scan items run the letter commands of the key dispatcher, which carries the
// whole command (stopping a timed series, status texts, redraws).

#include <string>

#include "acquisition/WirelessDC.h"
#include "files/SpectrumSave.h"
#include "indices/KineticIndices.h"
#include "shared/ProgramState.h"
#include "windows/AboutForm.h"
#include "windows/EraseForm.h"
#include "windows/KeyCommands.h"
#include "windows/MDIForm1.h"
#include "windows/MainForm.h"

namespace tav {

namespace {

constexpr const char* HelpFileName = "olmhelp.hlp";
constexpr float AboutWidth = 7500, AboutHeight = 5500;

}  // namespace

void MDIForm1::BindMenus() {
    NextScanMenu.Click = [this] { NextScanMenu_Click(); };
    DarkScanMenu.Click = [this] { DarkScanMenu_Click(); };
    // A reference scan is taken from the quick menu; this item is never available.
    ReferenceScanMenu.SetEnabled(false);
    AutoScanMenu.Click = [this] { AutoScanMenu_Click(); };
    OverlayMenu.Click = [this] { OverlayMenu_Click(); };
    Cursor.Click = [this] { Cursor_Click(); };
    SaveFileMenu.Click = [this] { SaveFileMenu_Click(); };
    ReadFileMenu.Click = [this] { ReadFileMenu_Click(); };
    OverlayFileMenu.Click = [this] { OverlayFileMenu_Click(); };
    cartmenu.Click = [this] { cartmenu_Click(); };
    ClearMenu.Click = [this] { ClearMenu_Click(); };

    AutoSetIntegrationTime.Click = [this] { AutoSetIntegrationTime_Click(); };
    Options.Click = [this] { Options_Click(); };
    SetScale.Click = [this] { SetScale_Click(); };
    InstParams.Click = [this] { InstParams_Click(); };
    DefaultDataDirectory.Click = [this] { DefaultDataDirectory_Click(); };
    RefCalFile.Click = [this] { RefCalFile_Click(); };

    Divide.Click = [this] { Divide_Click(); };
    Add.Click = [this] { Add_Click(); };
    Subtract.Click = [this] { Subtract_Click(); };
    Multiply.Click = [this] { Multiply_Click(); };
    Average.Click = [this] { Average_Click(); };
    Derivative.Click = [this] { Derivative_Click(); };
    Transform.Click = [this] { Transform_Click(); };

    BandDefs.Click = [this] { BandDefs_Click(); };
    KinDefs.Click = [this] { KinDefs_Click(); };

    PrintMenu.Click = [this] { PrintMenu_Click(); };
    Exit.Click = [this] { Exit_Click(); };
    CommonDialog1.HelpFile = HelpFileName;
    help.Click = [this] { help_Click(); };
    about.Click = [this] { about_Click(); };
}

// The letter command, with the spectrum window's own x-axis title.
void MDIForm1::KeyCommand(char letter) {
    int16_t keyAscii = letter;
    std::string title;
    HandleKeyCommand(app, keyAscii, title);
}

// A scan command shows the spectrum window first and marks it open after.
void MDIForm1::ScanCommand(char letter) {
    app.forms.Get<MainForm>().Show();
    KeyCommand(letter);
    app.state.Menu.Viewmainform = true;
}

void MDIForm1::NextScanMenu_Click() { ScanCommand('N'); }

void MDIForm1::DarkScanMenu_Click() { ScanCommand('D'); }

void MDIForm1::OverlayMenu_Click() { ScanCommand('O'); }

// The series draws on the spectrum window, which is marked open but not brought up.
void MDIForm1::AutoScanMenu_Click() {
    KeyCommand('A');
    app.state.Menu.Viewmainform = true;
}

void MDIForm1::Cursor_Click() { KeyCommand('M'); }

void MDIForm1::SaveFileMenu_Click() {
    FlowScope flow(app.flow);
    BringIndexValuesUpToDate(app.state);
    SaveSpectrumAs(contexts_.Files(), app.state.CurrentSlot);
}

// A file read into slot 0 starts a new overlay ring.
void MDIForm1::ReadFileMenu_Click() { ReadFileIntoNewRing(app); }

void MDIForm1::OverlayFileMenu_Click() { KeyCommand('L'); }

void MDIForm1::cartmenu_Click() {
    FlowScope flow(app.flow);
    ToggleWirelessDC(contexts_.Acquisition());
}

void MDIForm1::ClearMenu_Click() { ShowEraseForm(app); }

// The program's own help, bundled with it under the common dialog's help file name.
void MDIForm1::help_Click() { CommonDialog1.ShowHelp(); }

void MDIForm1::about_Click() {
    Aboutform& box = app.forms.Get<Aboutform>();
    box.SetWidth(AboutWidth);
    box.SetHeight(AboutHeight);
    box.Show();
}

void MDIForm1::Exit_Click() { Unload(); }

}  // namespace tav
