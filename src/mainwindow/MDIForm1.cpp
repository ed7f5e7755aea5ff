#include "mainwindow/MDIForm1.h"

#include "acquisition/AutoScanTimer.h"
#include "acquisition/KeyCommands.h"
#include "files/SettingsFile.h"
#include "files/TextConversions.h"
#include "indices/Calibration.h"
#include "mainwindow/BoardDetection.h"
#include "mainwindow/WelcomeForm.h"
#include "platform/FileSystem.h"
#include "platform/Numbers.h"
#include "shared/ProgramState.h"

namespace tav {

namespace {

struct BarDesign {
    HScrollBar& bar;
    TextBox& box;
    Label& label;
    float left, width;
    int16_t min, max, smallChange, largeChange, value;
};

constexpr float BarTop = 0, BarHeight = 255;
constexpr float BoxTop = 300, BoxHeight = 300;
constexpr float LabelTop = 330, LabelHeight = 255;

// Start values of the shared state, before anything else runs.
void SetStartValues(ProgramState& s) {
    s.ShowChannel2 = true;
    s.PixelMode = true;
    s.BinWidth = 3.0f;
    s.MemoryMode = memmode::Normal;
    s.ScanNumber = 0;
    s.IntervalTenths = 10;
    s.MaxScanIdx = MaxScanIdxDefault;
    s.ReadAddressPending = true;
    s.ReadAddress = 1;
    s.ReadAddressSaved = s.ReadAddress;
    s.WriteAddress = 0;
}

// Every array of the state is created with its bounds and zeroed; sizing them is the state's own.
void SizeSharedArrays(ProgramState& s) { s.MaxSlotIdx = MaxSlot; }

}  // namespace

MDIForm1::MDIForm1(App& app) : MdiForm(app, "MDIForm1"), links_(app) {
    SetCaption("Veradin V2.5");
    Move(0, 0, 12300, 9000);

    Picture1.SetAlign(align::Top);
    Picture1.Move(0, 0, 12060, 615);

    const BarDesign bars[] = {
        {Integrat, Text3, Label3, 4000, 1200, 0, 32767, 100, 1000, 0},
        {Averaging, Text4, Label4, 5200, 1200, 0, 1000, 1, 10, 1},
        {Source, Text1, Label1, 6400, 1200, 0, 500, 1, 10, 0},
        {Integ, Text5, Label5, 9000, 1000, 1, 1764, 1, 10, 1},
        {scannumbe, Text6, Label6, 10000, 1000, 0, 1772, 1, 10, 0},
        {interva, Text7, Label7, 11000, 1000, 0, 32767, 1, 10, 0},
    };
    for (const BarDesign& d : bars) {
        d.bar.SetContainer(Picture1);
        d.bar.Move(d.left, BarTop, d.width, BarHeight);
        d.bar.SetMin(d.min);
        d.bar.SetMax(d.max);
        d.bar.SetSmallChange(d.smallChange);
        d.bar.SetLargeChange(d.largeChange);
        d.bar.SetValue(d.value);
        // The box sits under the right half of its bar, its label under the left half.
        d.box.SetContainer(Picture1);
        d.box.Move(d.left + d.width / 2, BoxTop, d.width / 2, BoxHeight);
        d.label.SetContainer(Picture1);
        d.label.Move(d.left, LabelTop, d.width / 2, LabelHeight);
        d.label.SetFontName("Small Fonts");
    }
    Text2.SetContainer(Picture1);
    Text2.Move(7600, BoxTop, 700, BoxHeight);

    Timer1.SetEnabled(false);
    Timer1.SetInterval(0);
    Timer1.Tick = [this] { Timer1_Timer(); };
    Exit.Click = [this] { Exit_Click(); };
    BindParameterBoxes();
    // Every window hands its letters to the one dispatcher (unless a test listens to them).
    if (!app.keyCommand) {
        app.keyCommand = [&app](int16_t& keyAscii, std::string& xTitle) { HandleKeyCommand(app, keyAscii, xTitle); };
        installedKeyCommand_ = true;
    }
}

MDIForm1::~MDIForm1() {
    if (installedKeyCommand_) app.keyCommand = nullptr;
}

void MDIForm1::MDIForm_Load() {
    ProgramState& s = app.state;
    loading_ = true;
    SetStartValues(s);

    Text5.SetText(IntToText(s.ReadAddress));
    Text6.SetText(IntToText(s.ScanNumber));
    Text7.SetText(Format(s.IntervalTenths / 10.0, "####.0"));
    Text1.SetText("");
    Text2.SetText(" Normal");
    Text3.SetText("");
    Text4.SetText("");

    SizeSharedArrays(s);

    s.DasBoardPresent = DasBoardDetected(app.fs, app.board, s.SimulationMode);

    s.StartDir = app.fs.CurrentDir();
    s.ResetTimer = true;
    s.PrintScalePct = 100;
    s.DisplayChannel[0] = 0;
    s.DisplayChannel[2] = 12;
    s.DisplayChannel[5] = 16;

    FileContext& files = links_.Files();
    ReadSettingsFile(files);
    ComputeWavelengths(s);
    // Without a settings file the reader fills no box: they show the defaults in force, so that
    // an Enter in another box does not take the empty ones as 4 ms and 0.4 nm.
    if (Text3.Text().empty() && Text4.Text().empty() && Text1.Text().empty()) ShowAcquisitionSettings(s);

    links_.logs.OpenAll(app.fs, app.fs.CurrentDir());
    loading_ = false;
}

// The integration, averaging and bin-size boxes with their bars, each bar first.
void MDIForm1::ShowAcquisitionSettings(const ProgramState& s) {
    Integrat.SetValue(s.IntegrationTime);
    Text3.SetText(Format(s.IntegrationTime / 10.0, "####.0"));
    Averaging.SetValue(s.NumToAverage);
    Text4.SetText(IntToText(s.NumToAverage));
    Source.SetValue(RoundToInt16Clamped(s.BinWidth));
    Text1.SetText(Format(s.BinWidth, "###.0"));
}

void MDIForm1::MDIForm_Unload(int16_t& /*Cancel*/) { links_.logs.CloseAll(); }

void MDIForm1::Unload() {
    if (!Loaded()) return;
    if (!exiting_) {
        exiting_ = true;
        // A settings file that cannot be written is reported by the writer; the program ends all
        // the same.
        app.fs.SetCurrentDir(app.state.StartDir);
        FileContext& files = links_.Files();
        WriteSettingsFile(files);
    }
    MdiForm::Unload();
    if (Loaded()) exiting_ = false;  // a window kept the program running
}

void MDIForm1::Exit_Click() { Unload(); }

void MDIForm1::MDIForm_Click() { app.forms.Unload<WelcomeForm>(); }

void MDIForm1::Timer1_Timer() {
    FlowScope flow(app.flow);
    AutoScanTick(app.state, app.clock, Timer1, links_.Flows());
}

}  // namespace tav
