// The main window's tool strip: where its controls sit, and what its buttons do. The buttons
// start scans and switch what the spectrum window shows; "Mode" steps the instrument memory
// mode. Most of them give the keyboard focus back to the spectrum window, so that the letter
// commands keep reaching it after a click on the strip.

#include <string>

#include "acquisition/AutoScanTimer.h"
#include "acquisition/StatusFont.h"
#include "charts/TraceSelection.h"
#include "files/TextConversions.h"
#include "platform/comm/InstrumentMemory.h"
#include "shared/ParameterTexts.h"
#include "shared/ProgramState.h"
#include "windows/FormCharts.h"
#include "windows/KeyCommands.h"
#include "windows/KineticForms.h"
#include "windows/MDIForm1.h"
#include "windows/MainForm.h"

namespace tav {

namespace {

constexpr const char* StripFont = "Small Fonts";

struct BarDesign {
    HScrollBar& bar;
    TextBox& box;
    Label& label;
    Label* unit;
    float left, width;
    int16_t min, max, smallChange, largeChange, value;
    const char* widest;  // the widest value the box shows
};

struct ButtonDesign {
    Button& button;
    float left, top, width, height;
};

constexpr float BarTop = 0, BarHeight = 255;
constexpr float BoxTop = 300, BoxHeight = 300;
constexpr float LabelTop = 330, LabelHeight = 255;
constexpr float UnitWidth = 240;
// Between a unit and what follows it in the strip, so that "ms" does not run into "Aver:".
constexpr float UnitGap = 60;

// The chart windows whose scale "Scale a/m" switches, in the order of their scale settings.
constexpr const char* ScaledWindows[] = {
    "MainForm", "RatioForm", "NormDiffForm", "ExperimentalForm",
    "DerivativeForm", "IntegralForm", "AverageForm", "DiagnosticsForm",
};

// The spectrum window's slot after a change of channel or scale: in the dark view the dark slot
// of the channel shown (the ring slot it replaces is kept), else the ring slot kept before.
void SelectDisplaySlot(ProgramState& s) {
    if (s.DarkViewOn) {
        if (s.CurrentSlot < slot::DarkCh2) s.SavedDisplaySlot = s.CurrentSlot;
        s.CurrentSlot = s.ShowChannel2 ? slot::DarkCh1 : slot::DarkCh2;
    } else {
        s.CurrentSlot = s.SavedDisplaySlot;
    }
}

// The mode box in memory mode Normal: Write while a scan number makes the next scan store scans.
const char* NormalModeText(const ProgramState& s) { return s.ScanNumber != 0 ? modebox::Write : modebox::Normal; }

}  // namespace

void MDIForm1::LayoutToolStrip() {
    Picture1.SetAlign(align::Top);
    Picture1.Move(0, 0, 12060, 615);

    const BarDesign bars[] = {
        {Integrat, Text3, Label3, &Label8, 4000, 1200, 0, 32767, 100, 1000, 0, "3276.7"},
        {Averaging, Text4, Label4, nullptr, 5200, 1200, 0, 1000, 1, 10, 1, "15000"},
        {Source, Text1, Label1, &Label9, 6400, 1200, 0, 500, 1, 10, 0, "500.0"},
        {Integ, Text5, Label5, nullptr, 9000, 1000, 1, MemoryScans, 1, 10, 1, "4817"},
        {scannumbe, Text6, Label6, nullptr, 10000, 1000, 0, 1772, 1, 10, 0, "1772"},
        {interva, Text7, Label7, &Label10, 11000, 1000, 0, 32767, 1, 10, 0, "3276.7"},
    };
    for (const BarDesign& d : bars) {
        d.bar.SetContainer(Picture1);
        d.bar.Move(d.left, BarTop, d.width, BarHeight);
        d.bar.SetMin(d.min);
        d.bar.SetMax(d.max);
        d.bar.SetSmallChange(d.smallChange);
        d.bar.SetLargeChange(d.largeChange);
        d.bar.SetValue(d.value);
        // Under the bar: its label on the left half, the box on the right half, the unit last.
        const float boxWidth = d.width / 2 - (d.unit ? UnitWidth + UnitGap : 0);
        d.box.SetContainer(Picture1);
        d.box.Move(d.left + d.width / 2, BoxTop, boxWidth, BoxHeight);
        d.box.SetWidestTexts({d.widest});
        for (Label* label : {&d.label, d.unit}) {
            if (!label) continue;
            label->SetContainer(Picture1);
            label->SetFontName(StripFont);
        }
        d.label.Move(d.left, LabelTop, d.width / 2, LabelHeight);
        if (d.unit) d.unit->Move(d.left + d.width - UnitWidth - UnitGap, LabelTop, UnitWidth, LabelHeight);
    }
    Text2.SetContainer(Picture1);
    Text2.Move(7600, BoxTop, 700, BoxHeight);
    Text2.SetWidestTexts({modebox::Normal, modebox::Write, modebox::Read, modebox::Erase});

    const ButtonDesign buttons[] = {
        {Command1, 0, 0, 800, 300},       {Command7, 0, 300, 800, 300},
        {Command9, 800, 0, 800, 300},     {Command11, 800, 300, 800, 300},
        {Command5, 1600, 0, 800, 300},    {Command2, 1600, 300, 800, 300},
        {Command3, 2400, 0, 800, 300},    {Command4, 2400, 300, 800, 300},
        {Command6, 3200, 0, 800, 300},    {Command8, 3200, 300, 800, 300},
        {Shutter, 7600, 0, 700, 300},     {Command10, 8300, 0, 700, 300},
        {Command12, 8300, 300, 700, 300},
    };
    for (const ButtonDesign& d : buttons) {
        d.button.SetContainer(Picture1);
        d.button.Move(d.left, d.top, d.width, d.height);
        d.button.SetFontName(StripFont);
    }
}

void MDIForm1::BindToolStrip() {
    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { Command2_Click(); };
    Command3.Click = [this] { Command3_Click(); };
    Command4.Click = [this] { Command4_Click(); };
    Command5.Click = [this] { Command5_Click(); };
    Command6.Click = [this] { Command6_Click(); };
    Command7.Click = [this] { Command7_Click(); };
    Command8.Click = [this] { Command8_Click(); };
    Command9.Click = [this] { Command9_Click(); };
    Command10.Click = [this] { Command10_Click(); };
    Command11.Click = [this] { Command11_Click(); };
    Shutter.Click = [this] { Shutter_Click(); };
}

// A write or erase run is announced over the chart it leaves on the screen.
void MDIForm1::AnnounceMemoryRun(const char* status) {
    MainForm& main = app.forms.Get<MainForm>();
    main.Surface().Cls();
    FocusSpectrumWindow();
    std::string title;
    DrawChart(main, app.state.CurrentSlot, title);
    PrintStatus(main.Surface(), app.op, StatusX, StatusY, status);
}

// START: one scan now; in Write mode it is stored in the instrument, in Erase mode it is the
// erase run, after which the mode in force before comes back.
void MDIForm1::Command1_Click() {
    ProgramState& s = app.state;
    FlowScope flow(app.flow);
    if (s.MemoryMode == memmode::Erase) AnnounceMemoryRun("Erase in Progress");
    else if (s.MemoryMode == memmode::Normal && s.ScanNumber != 0) AnnounceMemoryRun("Write in Progress");
    s.AutoScanTimerOn = false;
    EndAutoScan(s, app.comm, Timer1);  // a next or overlay scan ends a series and its held port
    app.forms.Get<MainForm>().Show();
    contexts_.Flows().NextScan();
    s.Menu.Viewmainform = true;
    FocusSpectrumWindow();
    if (s.MemoryMode == memmode::Erase) {
        s.MemoryMode = s.SavedMemoryMode;
        s.WriteAddress = 0;
        // The box says what the next scan does: a scan number typed during Erase turns the
        // restored Normal mode into Write (or back).
        if (s.MemoryMode == memmode::Normal) Text2.SetText(NormalModeText(s));
        else Text2.SetText(s.ModeText);
    }
}

// Darkscan.
void MDIForm1::Command2_Click() {
    FlowScope flow(app.flow);
    Timer1.SetEnabled(false);
    app.forms.Get<MainForm>().Show();
    contexts_.Flows().DarkScan();
    app.state.Menu.Viewmainform = true;
    FocusSpectrumWindow();
}

// Ch1 / Ch2: the other channel, in the raw view.
void MDIForm1::Command3_Click() {
    ProgramState& s = app.state;
    MainForm& main = app.forms.Get<MainForm>();
    main.Surface().Cls();
    FocusSpectrumWindow();
    s.ShowChannel2 = !s.ShowChannel2;
    SelectDisplaySlot(s);
    s.ViewReflectance = false;
    s.AxisSlot = SelectedTraceAxisSlot(s);
    std::string title;
    DrawChart(main, s.CurrentSlot, title);

    const bool reading = s.MemoryMode == memmode::Read;
    std::string status;
    if (Timer1.Enabled()) status = reading ? "AutoCopy in Progress" : "AutoScan in Progress";
    else if (reading && s.ReadAddress < MemoryScans) status = "Read Scan";
    if (!status.empty()) PrintStatus(main.Surface(), app.op, StatusX, StatusY, status);
}

// Cursor: the letter command M.
void MDIForm1::Command4_Click() { KeyCommand('M'); }

// Overlay.
void MDIForm1::Command5_Click() {
    ProgramState& s = app.state;
    FlowScope flow(app.flow);
    if (s.MemoryMode == memmode::Normal && s.ScanNumber != 0) AnnounceMemoryRun("Write in Progress");
    s.AutoScanTimerOn = false;
    EndAutoScan(s, app.comm, Timer1);  // a next or overlay scan ends a series and its held port
    contexts_.Flows().OverlayScan();
    app.forms.Get<MainForm>().Show();
    s.Menu.Viewmainform = true;
    FocusSpectrumWindow();
}

// Pixel / Bin: the next drawing uses it.
void MDIForm1::Command6_Click() { app.state.PixelMode = !app.state.PixelMode; }

// Refl / Raw: leaves the dark view for the ring slot it came from. The slot shown becomes the
// selected trace, with the cursor: drawn by the repaint, or moved on the chart left standing.
void MDIForm1::Command7_Click() {
    ProgramState& s = app.state;
    s.ViewReflectance = !s.ViewReflectance;
    if (s.DarkViewOn) {
        s.DarkViewOn = false;
        s.CurrentSlot = s.SavedDisplaySlot;
    }
    if (s.ProcessedResult) {
        SetDisplayChannel(s, contexts_.Charts(), s.CurrentSlot);
        s.AxisSlot = -1;
        return;
    }
    SelectSpectrumTrace(s, s.CurrentSlot);
    app.forms.Get<MainForm>().Form_Paint();
}

// Darkcorr: applies from the next scan.
void MDIForm1::Command8_Click() {
    app.state.DarkCorrectionOn = !app.state.DarkCorrectionOn;
    FocusSpectrumWindow();
}

// Scale a/m: automatic or manual y scale of the active chart window.
void MDIForm1::Command9_Click() {
    Form* active = ActiveForm();
    if (!active) return;
    std::size_t window = 0;
    while (window < std::size(ScaledWindows) && active->Name() != ScaledWindows[window]) ++window;
    if (window == std::size(ScaledWindows)) return;

    ProgramState& s = app.state;
    int16_t& ascale = s.AutoScaleOn[window];
    ascale = ascale != 0 ? 0 : -1;
    SelectDisplaySlot(s);
    if (auto* main = dynamic_cast<MainForm*>(active)) main->Form_Paint();
    else if (auto* kinetic = dynamic_cast<KineticForm*>(active)) kinetic->Form_Paint();
}

// Set Para.
void MDIForm1::Command10_Click() {
    FocusSpectrumWindow();
    SetIntegAverIntens();
}

// Zoom I/O: the range dragged on the spectrum window, or the whole spectrum again. A dark or
// reference scan on display is not zoomed.
void MDIForm1::Command11_Click() {
    ProgramState& s = app.state;
    s.XZoomOn = !s.XZoomOn;
    if (!s.DarkRefShown) app.forms.Get<MainForm>().Form_Paint();
}

// Mode: Normal or Write -> Read -> Normal or Write; Erase only when the access code armed it.
void MDIForm1::Shutter_Click() {
    ProgramState& s = app.state;
    if (s.EraseArmed) {
        s.ModeText = Text2.Text();
        Text2.SetText(modebox::Erase);
        s.SavedMemoryMode = s.MemoryMode;
        s.MemoryMode = memmode::Erase;
        s.EraseArmed = false;
    } else if (s.MemoryMode == memmode::Normal) {
        s.MemoryMode = memmode::Read;
        Text2.SetText(modebox::Read);
        // Nothing is sent: the instrument keeps the scan number it had until a block tells it.
        if (s.ScanNumber != 0) s.InstrumentParametersUnknown = true;
        s.ScanNumber = 0;
        Text6.SetText(IntToText(s.ScanNumber));
    } else {
        s.MemoryMode = memmode::Normal;
        Text2.SetText(NormalModeText(s));
    }
}

}  // namespace tav
