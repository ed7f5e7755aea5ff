#pragma once
// The main window: the frame of the child windows, with the menu bar, the tool strip of buttons,
// acquisition parameter boxes and scroll bars, and the timer of timed acquisition. Loading it
// starts the program (MDIForm_Load); unloading it, by Exit or by its close box, ends the program
// with the settings file written first.
//
// Where the handlers live: start-up, shut-down and the timer here; the tool strip's buttons in
// MainToolStrip.cpp, its boxes and scroll bars in ParameterBoxes.cpp; the menu bar and the
// commands of "&Menu", "&Help" and "E&xit" in MainMenus.cpp; "&View", "&Activate" and "Sav&e" in
// ViewActivateSaveMenus.cpp; the Derivative processing in DerivativeProcessing.cpp; the items
// that open the setup, processing, definition and print dialogs in MainMenuDialogs.cpp.

#include <cstddef>

#include "platform/forms/Controls.h"
#include "windows/ProgramContexts.h"

namespace tav {

class MDIForm1 : public MdiForm {
public:
    explicit MDIForm1(App& app);
    ~MDIForm1() override;

    // Tool strip along the top edge.
    PictureBox Picture1{*this, "Picture1"};
    HScrollBar Integrat{*this, "Integrat"};    // integration time, tenths of a millisecond
    HScrollBar Averaging{*this, "Averaging"};  // scans to average
    HScrollBar Source{*this, "Source"};        // bin size, nm
    HScrollBar Integ{*this, "Integ"};          // memory read address
    HScrollBar scannumbe{*this, "scannumbe"};  // scan number
    HScrollBar interva{*this, "interva"};      // interval, tenths of a second
    TextBox Text3{*this, "Text3"};  // integration box, under Integrat
    TextBox Text4{*this, "Text4"};  // averaging box, under Averaging
    TextBox Text1{*this, "Text1"};  // bin-size box, under Source
    TextBox Text2{*this, "Text2"};  // memory-mode box, under Shutter
    TextBox Text5{*this, "Text5"};  // read-address box, under Integ
    TextBox Text6{*this, "Text6"};  // scan-number box, under scannumbe
    TextBox Text7{*this, "Text7"};  // interval box, under interva
    Label Label3{*this, "Label3", "Integ:"};
    Label Label4{*this, "Label4", "Aver:"};
    Label Label1{*this, "Label1", "Binsize:"};
    Label Label5{*this, "Label5", "Raddr:"};
    Label Label6{*this, "Label6", "Scan#:"};
    Label Label7{*this, "Label7", "Interv:"};
    Label Label8{*this, "Label8", "ms"};  // units of the integration, bin-size and interval boxes
    Label Label9{*this, "Label9", "nm"};
    Label Label10{*this, "Label10", "s"};
    Button Command1{*this, "Command1", "START"};
    Button Command7{*this, "Command7", "Refl / Raw"};
    Button Command9{*this, "Command9", "Scale a/m"};
    Button Command11{*this, "Command11", "Zoom I/O"};
    Button Command5{*this, "Command5", "Overlay"};
    Button Command2{*this, "Command2", "Darkscan"};
    Button Command3{*this, "Command3", "Ch1 / Ch2"};
    Button Command4{*this, "Command4", "Cursor"};
    Button Command6{*this, "Command6", "Pixel / Bin"};
    Button Command8{*this, "Command8", "Darkcorr"};
    Button Shutter{*this, "Shutter", "Mode"};
    Button Command10{*this, "Command10", "Set Para"};
    Button Command12{*this, "Command12", "STOP"};  // has no action

    Timer Timer1{*this, "Timer1"};  // timed acquisition
    Timer Timer2{*this, "Timer2"};  // no handler
    CommonDialog CommonDialog1{*this, "CommonDialog1"};  // help

    // The menu bar, in its order.
    MenuItem GetData{*this, "GetData", "&Menu"};
    MenuItem NextScanMenu{GetData, "NextScanMenu", "Sca&n"};
    MenuItem DarkScanMenu{GetData, "DarkScanMenu", "&Dark Scan"};
    MenuItem ReferenceScanMenu{GetData, "ReferenceScanMenu", "&Reference Scan"};  // never available
    MenuItem AutoScanMenu{GetData, "AutoScanMenu", "&AutoScan / AutoCopy"};
    MenuItem OverlayMenu{GetData, "OverlayMenu", "&Overlay Scan"};
    MenuItem Cursor{GetData, "Cursor", "&Cursor"};
    MenuItem SaveFileMenu{GetData, "SaveFileMenu", "&Save File"};
    MenuItem ReadFileMenu{GetData, "ReadFileMenu", "Read &File"};
    MenuItem OverlayFileMenu{GetData, "OverlayFileMenu", "Over&lay File"};
    MenuItem cartmenu{GetData, "cartmenu", "Cart %Go/Stop"};
    MenuItem ClearMenu{GetData, "ClearMenu", "&Erase"};

    MenuItem Setup{*this, "Setup", "&Setup"};
    MenuItem AutoSetIntegrationTime{Setup, "AutoSetIntegrationTime", "&Auto Set Integration Time", {key::Letter('I'), shift::Ctrl}};
    MenuItem Options{Setup, "Options", "&Options", {key::Letter('O'), shift::Ctrl}};
    MenuItem SetScale{Setup, "SetScale", "&Set Scale", {key::Letter('S'), shift::Ctrl}};
    MenuItem InstParams{Setup, "InstParams", "&Instrument Parameters", {key::Letter('P'), shift::Ctrl}};
    MenuItem DefaultDataDirectory{Setup, "DefaultDataDirectory", "&Default Data Directory"};
    MenuItem RefCalFile{Setup, "RefCalFile", "&Reference Calibration File", {key::Letter('R'), shift::Ctrl}};

    MenuItem ViewMenu{*this, "ViewMenu", "&View"};
    MenuItem Viewmainform{ViewMenu, "Viewmainform", "&Main Window"};
    MenuItem ViewIndexForm{ViewMenu, "ViewIndexForm", "Inde&x Data Window", {key::Fn(2)}};
    MenuItem ViewRatioForm{ViewMenu, "ViewRatioForm", "&Ratio Window", {key::Fn(3)}};
    MenuItem ViewNormDiffForm{ViewMenu, "ViewNormDiffForm", "&Normalized Difference", {key::Fn(4)}};
    MenuItem ViewExperimentalForm{ViewMenu, "ViewExperimentalForm", "&Experimental Window", {key::Fn(5)}};
    MenuItem ViewDerivativeForm{ViewMenu, "ViewDerivativeForm", "&Derivative Window", {key::Fn(6)}};
    MenuItem ViewIntegralForm{ViewMenu, "ViewIntegralForm", "&Integral Window", {key::Fn(7)}};
    MenuItem Viewaverageform{ViewMenu, "Viewaverageform", "&Average Window", {key::Fn(8)}};
    MenuItem ViewDiagnosticsForm{ViewMenu, "ViewDiagnosticsForm", "Dia&gnostics Window", {key::Fn(9)}};
    MenuItem Tile{ViewMenu, "Tile", "&Tile Windows"};

    MenuItem Process{*this, "Process", "&Process"};
    MenuItem Divide{Process, "Divide", "&Divide", {key::Letter('D'), shift::Ctrl}};
    MenuItem Add{Process, "Add", "&Add"};
    MenuItem Subtract{Process, "Subtract", "Su&btract", {key::Letter('B'), shift::Ctrl}};
    MenuItem Multiply{Process, "Multiply", "&Multiply"};
    MenuItem Average{Process, "Average", "A&verage", {key::Letter('A'), shift::Ctrl}};
    MenuItem Derivative{Process, "Derivative", "De&rivative"};
    MenuItem Transform{Process, "Transform", "&Transform", {key::Letter('T'), shift::Ctrl}};

    MenuItem Index{*this, "Index", "&Index"};
    MenuItem BandDefs{Index, "BandDefs", "&Band Definitions"};
    MenuItem KinDefs{Index, "KinDefs", "&Kinetic Definitions"};

    MenuItem Activate{*this, "Activate", "&Activate"};
    MenuItem ActivateRatio{Activate, "ActivateRatio", "&Ratio", {key::Fn(3), shift::Shift}};
    MenuItem ActivateNormDiff{Activate, "ActivateNormDiff", "&Normalized Difference", {key::Fn(4), shift::Shift}};
    MenuItem ActivateExperimental{Activate, "ActivateExperimental", "&Experimental", {key::Fn(5), shift::Shift}};
    MenuItem ActivateDerivative{Activate, "ActivateDerivative", "&Derivative", {key::Fn(6), shift::Shift}};
    MenuItem ActivateIntegral{Activate, "ActivateIntegral", "&Integral", {key::Fn(7), shift::Shift}};
    MenuItem ActivateAverage{Activate, "ActivateAverage", "&Average", {key::Fn(8), shift::Shift}};
    MenuItem ActivateDiagnostics{Activate, "ActivateDiagnostics", "Dia&gnostics", {key::Fn(9), shift::Shift}};
    MenuItem ActivateTimeStamp{Activate, "ActivateTimeStamp", "&TimeStamp"};

    MenuItem save{*this, "save", "Sav&e"};
    MenuItem SaveRatio{save, "SaveRatio", "&Ratio", {key::Fn(3), shift::Ctrl | shift::Shift}};
    MenuItem SaveNormDiff{save, "SaveNormDiff", "&Normalized Difference", {key::Fn(4), shift::Ctrl | shift::Shift}};
    MenuItem SaveExperimental{save, "SaveExperimental", "&Experimental", {key::Fn(5), shift::Ctrl | shift::Shift}};
    MenuItem SaveDerivative{save, "SaveDerivative", "&Derivative", {key::Fn(6), shift::Ctrl | shift::Shift}};
    MenuItem SaveIntegral{save, "SaveIntegral", "&Integral", {key::Fn(7), shift::Ctrl | shift::Shift}};
    MenuItem SaveAverage{save, "SaveAverage", "&Average", {key::Fn(8), shift::Ctrl | shift::Shift}};
    MenuItem SaveDiagnostics{save, "SaveDiagnostics", "Dia&gnostics", {key::Fn(9), shift::Ctrl | shift::Shift}};

    MenuItem PrintMenu{*this, "PrintMenu", "P&rint"};

    MenuItem ExitProg{*this, "ExitProg", "E&xit"};
    MenuItem Exit{ExitProg, "Exit", "E&xit", {key::Letter('X'), shift::Ctrl}};

    MenuItem help1{*this, "help1", "&Help"};
    MenuItem help{help1, "help", "Help"};
    MenuItem about{help1, "about", "About Tavolin..."};

    // Takes all parameter boxes at once: limits and stores the values, shows what was accepted
    // and sends the parameter block to the instrument.
    void SetIntegAverIntens();

    // The integration and averaging bars with their boxes, each bar first, so that a box shows
    // the stored value even where its bar cannot reach it; then the same for the bin size.
    void ShowIntegrationAndAverage(const ProgramState& state);
    void ShowAcquisitionSettings(const ProgramState& state);
    // The averaging bar, then its box: the box shows the accepted count also above the bar's
    // 1000, and also when the bar was moved without Enter before.
    void ShowScanCount(int16_t count);

    ProgramContexts& Contexts() { return contexts_; }
    // True from the moment the program began to end.
    bool Exiting() const { return exiting_; }

    // Every way of closing the main window ends the program the same way: back to the start
    // folder and the settings file written, then every window unloaded and the logs closed.
    void Unload() override;

protected:
    void MDIForm_Load() override;
    void MDIForm_Unload(int16_t& Cancel) override;
    void MDIForm_Click() override;

private:
    void Timer1_Timer();

    // Tool strip.
    void LayoutToolStrip();
    void BindToolStrip();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Command7_Click();
    void Command8_Click();
    void Command9_Click();
    void Command10_Click();
    void Command11_Click();
    void Shutter_Click();
    void AnnounceMemoryRun(const char* status);
    void BindParameterBoxes();
    void ShowScrollValue(HScrollBar& bar);
    void ParameterBox_KeyPress(int16_t& KeyAscii);
    void ScrollBar_KeyPress(int16_t& KeyAscii);
    void FocusSpectrumWindow();

    // "&Menu", "&Help", "E&xit".
    void BindMenus();
    void NextScanMenu_Click();
    void DarkScanMenu_Click();
    void AutoScanMenu_Click();
    void OverlayMenu_Click();
    void Cursor_Click();
    void SaveFileMenu_Click();
    void ReadFileMenu_Click();
    void OverlayFileMenu_Click();
    void cartmenu_Click();
    void ClearMenu_Click();
    void help_Click();
    void about_Click();
    void Exit_Click();
    void ScanCommand(char letter);
    void KeyCommand(char letter);

    // "&Process" > "De&rivative".
    void Derivative_Click();

    // "&View", "&Activate", "Sav&e".
    void BindViewActivateSaveMenus();
    void ViewItem_Click(std::size_t item);
    void Tile_Click();
    void ActivateItem_Click(std::size_t item);
    void ActivateTimeStamp_Click();
    void ActivateDiagnostics_Click();
    void SaveItem_Click(int16_t fileNumber);

    // The items that open the dialogs of the setup, processing, definition and print commands.
    void AutoSetIntegrationTime_Click();
    void Options_Click();
    void SetScale_Click();
    void InstParams_Click();
    void DefaultDataDirectory_Click();
    void RefCalFile_Click();
    void Divide_Click();
    void Add_Click();
    void Subtract_Click();
    void Multiply_Click();
    void Average_Click();
    void Transform_Click();
    void BandDefs_Click();
    void KinDefs_Click();
    void PrintMenu_Click();

    ProgramContexts contexts_;
    bool installedKeyCommand_ = false;
    bool loading_ = false;
    bool exiting_ = false;
};

}  // namespace tav
