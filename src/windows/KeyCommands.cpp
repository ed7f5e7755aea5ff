#include "windows/KeyCommands.h"

#include "acquisition/AutoScanTimer.h"
#include "acquisition/LinkPort.h"
#include "acquisition/LinkProtocol.h"
#include "acquisition/StatusFont.h"
#include "charts/ChartCursor.h"
#include "charts/TraceSelection.h"
#include "files/FileDialogs.h"
#include "files/SpectrumFileReader.h"
#include "files/SpectrumSave.h"
#include "indices/KineticIndices.h"
#include "indices/SlotStore.h"
#include "platform/comm/CommControl.h"
#include "platform/forms/App.h"
#include "windows/FormCharts.h"
#include "windows/MDIForm1.h"
#include "windows/MainForm.h"

namespace tav {

namespace {

char CommandOf(int16_t keyAscii) {
    if (keyAscii >= 'a' && keyAscii <= 'z') return static_cast<char>(keyAscii - 'a' + 'A');
    return keyAscii >= 0 && keyAscii <= 255 ? static_cast<char>(keyAscii) : '\0';
}

void CursorCommand(ProgramState& s, ProgramContexts& contexts) {
    if (s.ZoomDragging) return;
    if (s.CursorOn) ClearAllCursors(s, contexts.Charts());
    else s.CursorOn = true;
}

// Timed acquisition holds the port open between its scans. Without a port to hold (it cannot
// be opened) no series starts; in simulation mode the scans need no port.
void StartTimedAcquisition(App& app, MDIForm1& mdi) {
    ProgramState& s = app.state;
    if (!s.PortHeldOpen && !s.SimulationMode) {
        AcquisitionContext& acquisition = mdi.Contexts().Acquisition();
        std::string problem;
        if (ClaimPort(acquisition, s.CommPortNumber, link::FastSettings, &problem) != PortClaim::Opened) {
            app.op.MsgBox(problem + "\nAutoScan has not been started.",
                          MsgButtons::OkOnly, MsgIcon::Exclamation);
            return;
        }
        s.PortHeldOpen = true;
    }
    StartAutoScanTimer(s, mdi.Timer1);
}

// Reads one spectrum file into the slot on display, or into slot 0 for a new ring; draws and
// computes only what was read. A plain file ends a processed view; a read that fails leaves the
// window as it was.
void ReadFileCommand(App& app, ProgramContexts& contexts, std::string& xTitle, bool newRing = false) {
    ProgramState& s = app.state;
    MainForm& main = app.forms.Get<MainForm>();
    main.CMDialog1.FileTitle.clear();
    FileContext& files = contexts.Files();
    const ShownSpectrum shown(s);
    if (newRing) s.CurrentSlot = slot::FirstOverlay;  // the dialog names the file of this slot
    OpenSpectrumDialog(files);
    if (ReadSpectrumFile(files, s.CurrentSlot) != SpectrumReadResult::Ok) {
        shown.PutBack(s);
        return;
    }
    if (newRing) ResetOverlayRing(s);
    s.ProcessedResult = false;
    SetDisplayChannel(s, contexts.Charts(), s.CurrentSlot);
    main.Surface().Cls();
    DrawChart(main, s.CurrentSlot, xTitle);
    contexts.Flows().ComputeKineticIndices();
    if (newRing) s.OverlayCount = 1;
}

// N and O end a series for good (D and R only pause it): the held port goes with it, so that a
// port that failed meanwhile is opened afresh by the scan.
void EndSeriesForScan(App& app, MDIForm1& mdi) {
    app.state.AutoScanTimerOn = false;
    EndAutoScan(app.state, app.comm, mdi.Timer1);
}

void StopTimedAcquisition(App& app, MDIForm1& mdi, std::string& xTitle) {
    ProgramState& s = app.state;
    MainForm& main = app.forms.Get<MainForm>();
    Canvas& surface = main.Surface();
    surface.Cls();
    DrawChart(main, 0, xTitle);
    StatusFont font(surface, app.op);
    surface.CurrentX = StatusX;
    surface.CurrentY = StatusY;
    if (mdi.Timer1.Enabled()) surface.Print(s.MemoryMode == memmode::Read ? "AutoCopy Stopped" : "AutoScan Stopped");
    EndAutoScan(s, app.comm, mdi.Timer1);
}

}  // namespace

void ReadFileIntoNewRing(App& app) {
    MDIForm1& mdi = app.forms.Get<MDIForm1>();
    FlowScope flow(app.flow);
    std::string title;
    ReadFileCommand(app, mdi.Contexts(), title, true);
}

void HandleKeyCommand(App& app, int16_t& keyAscii, std::string& xTitle) {
    ProgramState& s = app.state;
    MDIForm1& mdi = app.forms.Get<MDIForm1>();
    ProgramContexts& contexts = mdi.Contexts();
    CommandFlows& flows = contexts.Flows();
    FlowScope flow(app.flow);
    switch (CommandOf(keyAscii)) {
        case 'M':
            CursorCommand(s, contexts);
            break;
        case 'N':
            EndSeriesForScan(app, mdi);
            flows.NextScan();
            break;
        case 'D':
            mdi.Timer1.SetEnabled(false);
            flows.DarkScan();
            break;
        case 'A':
            StartTimedAcquisition(app, mdi);
            break;
        case 'O':
            EndSeriesForScan(app, mdi);
            flows.OverlayScan();
            break;
        case 'L':
            flows.OverlayFile();
            break;
        case 'S': {
            FileContext& files = contexts.Files();
            BringIndexValuesUpToDate(s);
            SaveSpectrumAs(files, s.CurrentSlot);
            break;
        }
        case 'F':
            ReadFileCommand(app, contexts, xTitle);
            break;
        case 'E':
            flows.ShowEraseForm();
            break;
        case 'I':
            flows.ShowSettingsForm();
            break;
        case 'R':
            mdi.Timer1.SetEnabled(false);
            flows.ReferenceScan();
            break;
        case key::Escape:
            StopTimedAcquisition(app, mdi, xTitle);
            break;
        default:
            break;
    }
}

}  // namespace tav
