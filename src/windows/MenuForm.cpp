#include "windows/MenuForm.h"

#include "acquisition/AutoScanTimer.h"
#include "charts/ChartWindows.h"
#include "charts/TraceSelection.h"
#include "files/WindowPositions.h"
#include "indices/SlotStore.h"
#include "windows/KeyCommandRoute.h"
#include "windows/MDIForm1.h"
#include "windows/MainForm.h"

namespace tav {

namespace {

constexpr float LabelLeft = 240, LabelWidth = 2055, LabelHeight = 255;

}  // namespace

MenuForm::MenuForm(App& app) : Form(app, "MenuForm") {
    SetMDIChild(true);
    SetCaption("Menu");
    Move(0, 0, 2775, 5100);
    Frame1.Move(120, 0, 2415, 4575);

    struct Entry {
        Label& label;
        float top;
        Handler click;
    };
    // Marked open as the function keys do: a window shown unmarked would stay blank.
    const auto show = [this](SwitchableWindow window) {
        return [this, window] { BringUpWindow(this->app.state, ContextsOf(this->app).Charts(), window); };
    };
    // Marker, Save, Read and Overlay File do what their keys do.
    const Entry entries[] = {
        {NextScanLbl, 240, [this] { NextScanLbl_Click(); }},
        {DarkLbl, 480, [this] { DarkLbl_Click(); }},
        {ReferenceLbl, 720, [this] { ReferenceLbl_Click(); }},
        {AutoScanLbl, 960, [this] { AutoScanLbl_Click(); }},
        {OverlayLbl, 1200, [this] { OverlayLbl_Click(); }},
        {MarkerLbl, 1440, [this] { KeyCommand('M'); }},
        {SaveLbl, 1680, [this] { KeyCommand('S'); }},
        {ReadFileLbl, 1920, [this] { KeyCommand('F'); }},
        {OverlayFile, 2160, [this] { KeyCommand('L'); }},
        {ClearLbl, 2400, [this] { ClearLbl_Click(); }},
        {Label11, 2760, show(SwitchableWindow::MainForm)},
        {Label12, 3000, show(SwitchableWindow::IndexForm)},
        {Label13, 3240, show(SwitchableWindow::RatioForm)},
        {Label2, 3480, show(SwitchableWindow::NormDiffForm)},
        {Label3, 3720, show(SwitchableWindow::DerivativeForm)},
        {Label4, 3960, show(SwitchableWindow::IntegralForm)},
        {Label5, 4200, show(SwitchableWindow::AverageForm)},
    };
    for (const Entry& e : entries) {
        e.label.SetContainer(Frame1);
        e.label.Move(LabelLeft, e.top, LabelWidth, LabelHeight);
        e.label.Click = e.click;
    }
}

void MenuForm::ShowSpectrumWindow() { app.forms.Get<MainForm>().Show(); }

void MenuForm::StoppingScan(void (CommandFlows::*scan)()) {
    {
        FlowScope flow(app.flow);
        MDIForm1& mdi = app.forms.Get<MDIForm1>();
        mdi.Timer1.SetEnabled(false);
        (mdi.Contexts().Flows().*scan)();
    }
    ShowSpectrumWindow();
}

void MenuForm::KeyCommand(char letter) {
    int16_t keyAscii = letter;
    PassKeyCommand(app, keyAscii);
}

// As the key N: the series ends, and its held port with it.
void MenuForm::NextScanLbl_Click() {
    MDIForm1& mdi = app.forms.Get<MDIForm1>();
    EndAutoScan(app.state, app.comm, mdi.Timer1);
    StoppingScan(&CommandFlows::NextScan);
}

void MenuForm::DarkLbl_Click() { StoppingScan(&CommandFlows::DarkScan); }

void MenuForm::ReferenceLbl_Click() { StoppingScan(&CommandFlows::ReferenceScan); }

// Only arms the timer: unlike the key, it holds no port, so each scan of the series opens and
// closes the port itself.
void MenuForm::AutoScanLbl_Click() {
    StartAutoScanTimer(app.state, app.forms.Get<MDIForm1>().Timer1);
    ShowSpectrumWindow();
}

// Unlike the key, a running series goes on.
void MenuForm::OverlayLbl_Click() {
    {
        FlowScope flow(app.flow);
        ContextsOf(app).Flows().OverlayScan();
    }
    ShowSpectrumWindow();
}

// At once, without the confirmation that the key asks for.
void MenuForm::ClearLbl_Click() { ClearAllSlots(app.state, app.forms.Get<MainForm>().Surface()); }

// Once the welcome window has gone, taking the focus brings the window to the front.
void MenuForm::Form_GotFocus() {
    if (!app.state.IniLoaded) Show();
}

void MenuForm::Form_Resize() { SaveWindowRect(*this, app.state.MenuFormRect); }

void MenuForm::Form_Unload(int16_t& /*Cancel*/) {
    app.state.MenuFormRect.Open = 0;
    SaveWindowRect(*this, app.state.MenuFormRect);
}

}  // namespace tav
