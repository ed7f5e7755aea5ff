#include "windows/SettingsForm.h"

#include "acquisition/AutoScanTimer.h"
#include "acquisition/ParameterBlocks.h"
#include "acquisition/ParameterLimits.h"
#include "files/AutoSaveNames.h"
#include "files/SettingsFile.h"
#include "files/TextConversions.h"
#include "platform/Numbers.h"
#include "platform/Operator.h"
#include "platform/forms/DialogConventions.h"
#include "shared/ParameterTexts.h"
#include "windows/MDIForm1.h"
#include "windows/MenuForm.h"

namespace tav {

namespace {

constexpr int NumberBoxLength = 10;
constexpr int SeriesNameLength = 3;

struct Place {
    Control& control;
    float left, top, width, height;
    int tab;
    Control* container = nullptr;  // the frame or panel; positions are relative to it
};

float Entry(const TextBox& box) { return ToSingleClamped(Val(box.Text())); }


}  // namespace

SettingsForm::SettingsForm(App& app) : Form(app, "SettingsForm") {
    SetCaption("Settings");
    SetBorderStyle(border::FixedDialog);
    SetKeyPreview(true);
    SetFont("MS Sans Serif", 8.25f, true);

    const Place places[] = {
        {IntTimeLbl, 240, 240, 2775, 255, 0},
        {Label1, 210, 450, 2820, 255, 21},
        {IntTimeBox, 240, 675, 2415, 330, 1},
        {Label2, 240, 1080, 2415, 255, 22},
        {Label3, 240, 1320, 2415, 255, 23},
        {lightbox, 240, 1560, 2415, 375, 2},
        {NumScansLbl, 240, 2040, 2535, 255, 3},
        {NumToAverageBox, 240, 2280, 2415, 330, 4},
        {AutoScanDelayLbl, 240, 2760, 2415, 255, 5},
        {AutoScanDelayBox, 240, 3000, 2415, 330, 6},
        {Frame1, 240, 3360, 2415, 855, 7},
        {ViewRefOff, 135, 240, 2235, 195, 8, &Frame1},
        {ViewRefOn, 120, 480, 2250, 195, 9, &Frame1},
        {Frame3, 3000, 360, 2295, 1860, 10},
        {AutoSaveOnChk, 120, 240, 1575, 195, 11, &Frame3},
        {UserSuppliedNames, 120, 600, 2130, 255, 12, &Frame3},
        {AutoNames, 120, 840, 2055, 255, 13, &Frame3},
        {AutoSaveNameLbl, 360, 1200, 1455, 255, 14, &Frame3},
        {AutoSaveNameBox, 360, 1440, 1575, 330, 15, &Frame3},
        {Picture2, 3000, 2640, 2535, 735, 16},
        {BeepOnChk, 120, 0, 2415, 195, 17, &Picture2},
        {QuickMenuOnChk, 120, 480, 2415, 195, 18, &Picture2},
        {Command1, 3480, 3840, 1215, 375, 19},
        {Command2, 3480, 4560, 1215, 375, 20},
        {Frame2, 240, 4320, 2415, 855, 24},
        {DarkCorrOn, 120, 240, 2295, 195, 25, &Frame2},
        {DarkCorrOff, 120, 480, 2250, 195, 26, &Frame2},
    };
    for (const Place& p : places) {
        if (p.container) p.control.SetContainer(*p.container);
        p.control.Move(p.left, p.top, p.width, p.height);
        p.control.SetTabIndex(p.tab);
    }

    for (TextBox* box : {&IntTimeBox, &NumToAverageBox, &AutoScanDelayBox}) box->SetMaxLength(NumberBoxLength);
    AutoSaveNameBox.SetMaxLength(SeriesNameLength);

    for (TextBox* box : {&IntTimeBox, &lightbox, &NumToAverageBox, &AutoScanDelayBox, &AutoSaveNameBox}) {
        SelectTextOnFocus(*box);
    }
    // Enter takes the settings from every control but the dark-correction pair.
    for (Control* control : std::initializer_list<Control*>{
             &IntTimeBox, &lightbox, &NumToAverageBox, &AutoScanDelayBox, &AutoSaveNameBox, &ViewRefOn,
             &ViewRefOff, &UserSuppliedNames, &AutoNames, &AutoSaveOnChk, &BeepOnChk, &QuickMenuOnChk}) {
        control->KeyPress = [this](int16_t& KeyAscii) { Control_KeyPress(KeyAscii); };
    }
    AutoSaveNameBox.Change = [this] { AutoSaveNameBox_Change(); };
    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { Command2_Click(); };
}

void SettingsForm::Form_Load() {
    // Sizing by the client area needs the window's surface, which only a loaded window has.
    SetClientSize(5535, 5610);
    const ProgramState& s = app.state;
    IntTimeBox.SetText(IntegrationTimeText(s.IntegrationTime));
    NumToAverageBox.SetText(IntToText(s.NumToAverage));
    lightbox.SetText(Format(s.LampLevel / 10.0, "###.0"));
    (s.ViewReflectance ? ViewRefOn : ViewRefOff).SetValue(true);
    (s.DarkCorrectionOn ? DarkCorrOn : DarkCorrOff).SetValue(true);
    (s.UserSuppliedName ? UserSuppliedNames : AutoNames).SetValue(true);
    AutoScanDelayBox.SetText(SngToText(s.AutoScanDelay));
    AutoSaveOnChk.SetValue(s.AutoSaveOn ? 1 : 0);
    // The box holds three characters; the filter then runs on what it holds.
    AutoSaveNameBox.SetText(s.AutoSaveName.substr(0, SeriesNameLength));
    BeepOnChk.SetValue(s.BeepOn ? 1 : 0);
    QuickMenuOnChk.SetValue(s.MenuFormRect.Open != 0 ? 1 : 0);
}

// Keeps only the characters a series name may have. A change of the name starts a new series.
void SettingsForm::AutoSaveNameBox_Change() {
    ProgramState& s = app.state;
    const std::string text = AutoSaveNameBox.Text();
    const std::string kept = FilterSeriesName(text);
    if (kept != text) {
        AutoSaveNameBox.SetText(kept);  // runs this handler again on the kept text
        AutoSaveNameBox.SetSelStart(static_cast<int>(kept.size()));
        return;
    }
    if (text != s.PrevAutoSaveName) RestartAutoSaveSeries(s);
    s.PrevAutoSaveName = text;
}

void SettingsForm::Form_KeyPress(int16_t& KeyAscii) {
    CloseOnEscape(*this, KeyAscii);
}

void SettingsForm::Control_KeyPress(int16_t& KeyAscii) {
    if (TakeEnter(KeyAscii)) ApplySettings();
}

void SettingsForm::Command1_Click() { ApplySettings(); }

void SettingsForm::Command2_Click() { Unload(); }

// Each bar first, then its box: a count beyond the averaging bar's end stays whole in the box,
// and the boxes show the values taken, not the bars' reading of them.
void SettingsForm::ApplySettings() {
    ProgramState& s = app.state;
    AcceptIntegrationAndAverage(s, Entry(IntTimeBox), Entry(NumToAverageBox));
    app.forms.Get<MDIForm1>().ShowAcquisitionSettings(s);

    // The values are taken whether or not the instrument heard them: they are in force for the
    // scans and the settings file, and the next Set Para sends them again.
    ProgramContexts& contexts = ContextsOf(app);
    ParameterBlock(contexts.Acquisition());  // tells the operator when it cannot be sent

    const float delay = Entry(AutoScanDelayBox);
    s.AutoScanDelay = delay > MaxAutoScanDelay ? MaxAutoScanDelay : delay;
    s.ViewReflectance = ViewRefOn.Value();
    s.DarkCorrectionOn = DarkCorrOn.Value();
    // Another series name, or names that come from the operator instead, start a new series.
    if (UserSuppliedNames.Value() != s.UserSuppliedName || AutoSaveNameBox.Text() != s.AutoSaveName) {
        RestartAutoSaveSeries(s);
    }
    s.UserSuppliedName = UserSuppliedNames.Value();
    s.AutoSaveOn = AutoSaveOnChk.Value() != 0;
    s.AutoSaveName = AutoSaveNameBox.Text();
    s.BeepOn = BeepOnChk.Value() != 0;

    if (QuickMenuOnChk.Value() != 0) {
        s.MenuFormRect.Open = -1;
        app.forms.Get<MenuForm>().Show();
    } else {
        s.MenuFormRect.Open = 0;
        app.forms.Unload<MenuForm>();
    }

    WriteSettingsFile(contexts.Files());
    Unload();
}

}  // namespace tav
