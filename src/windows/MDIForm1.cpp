#include "windows/MDIForm1.h"

#include "acquisition/AutoScanTimer.h"
#include "files/LeftoverWrites.h"
#include "files/SettingsFile.h"
#include "files/TextConversions.h"
#include "indices/Calibration.h"
#include "platform/FileSystem.h"
#include "platform/Numbers.h"
#include "platform/forms/FormHost.h"
#include "shared/ParameterTexts.h"
#include "shared/ProgramState.h"
#include "windows/BoardDetection.h"
#include "windows/KeyCommands.h"
#include "windows/WelcomeForm.h"

namespace tav {

namespace {


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
    // The instrument keeps what an earlier run sent it: the first scan sends the screen's values.
    s.InstrumentParametersUnknown = true;
}

// Every array of the state is created with its bounds and zeroed; sizing them is the state's own.
void SizeSharedArrays(ProgramState& s) { s.MaxSlotIdx = MaxSlot; }

}  // namespace

MDIForm1::MDIForm1(App& app) : MdiForm(app, "MDIForm1"), contexts_(app) {
    SetCaption("Veradin V2.5");
    Move(0, 0, 12300, 9000);

    LayoutToolStrip();

    Timer1.SetEnabled(false);
    Timer1.SetInterval(0);
    Timer1.Tick = [this] { Timer1_Timer(); };
    BindToolStrip();
    BindParameterBoxes();
    BindMenus();
    BindViewActivateSaveMenus();
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
    Text7.SetText(IntervalText(s.IntervalTenths));
    Text1.SetText("");
    Text2.SetText(modebox::Normal);
    Text3.SetText("");
    Text4.SetText("");

    SizeSharedArrays(s);

    s.DasBoardPresent = DasBoardDetected(app.fs, app.board, s.SimulationMode);

    s.StartDir = app.fs.CurrentDir();
    s.ResetTimer = true;
    s.PrintScalePct = 100;
    s.DisplayChannel[0] = 0;
    s.DisplayChannel[NormDiffWindow] = slot::NormDiff;
    s.DisplayChannel[5] = 16;

    FileContext& files = contexts_.Files();
    ReadSettingsFile(files);
    RemoveLeftoverWrites(app.fs, s);
    KeepACalibrationForEachChannel(s);
    ComputeWavelengths(s);
    // Without a settings file the reader fills no box: they show the defaults in force, so that
    // an Enter in another box does not take the empty ones as 4 ms and 0.4 nm.
    if (Text3.Text().empty() && Text4.Text().empty() && Text1.Text().empty()) ShowAcquisitionSettings(s);

    contexts_.logs.OpenAll(app.fs, app.fs.CurrentDir());
    loading_ = false;
}

// The integration, averaging and bin-size boxes with their bars, each bar first.
void MDIForm1::ShowIntegrationAndAverage(const ProgramState& s) {
    Integrat.SetValue(s.IntegrationTime);
    Text3.SetText(IntegrationTimeText(s.IntegrationTime));
    ShowScanCount(s.NumToAverage);
}

void MDIForm1::ShowScanCount(int16_t count) {
    Averaging.SetValue(count);
    Text4.SetText(IntToText(count));
}

void MDIForm1::ShowAcquisitionSettings(const ProgramState& s) {
    ShowIntegrationAndAverage(s);
    Source.SetValue(RoundToInt16Clamped(s.BinWidth));
    Text1.SetText(BinSizeText(s.BinWidth));
}

void MDIForm1::MDIForm_Unload(int16_t& /*Cancel*/) { contexts_.logs.CloseAll(); }

void MDIForm1::Unload() {
    if (!Loaded()) return;
    if (!exiting_) {
        exiting_ = true;
        // A settings file that cannot be written is reported by the writer; the program ends all
        // the same.
        app.fs.SetCurrentDir(app.state.StartDir);
        FileContext& files = contexts_.Files();
        WriteSettingsFile(files);
    }
    MdiForm::Unload();
    if (Loaded()) exiting_ = false;  // a window kept the program running
}

void MDIForm1::MDIForm_Click() { app.forms.Unload<WelcomeForm>(); }

void MDIForm1::Timer1_Timer() {
    FlowScope flow(app.flow);
    const int escapedBoxes = app.op.EscapedBoxes();
    const int escapes = app.host.EscapesTaken();
    AutoScanTick(app.state, app.clock, Timer1, contexts_.Flows());
    // Escape anywhere during the tick (on a box that its scan raised, in one of its waits, on a
    // window while it held the event loop) stops the series, as the key does between scans;
    // otherwise a box that comes back on every tick could never be left.
    const bool escaped = app.op.EscapedBoxes() != escapedBoxes || app.host.EscapesTaken() != escapes;
    if (escaped && Timer1.Enabled() && app.keyCommand) {
        int16_t escape = key::Escape;
        std::string title;
        app.keyCommand(escape, title);
    }
}

}  // namespace tav
