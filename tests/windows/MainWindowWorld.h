#pragma once
// The program's main window under test: a fresh folder as the start folder (behind a file system
// that can be told to fail), the headless front end, the simulated instrument on a loopback
// port, a board library that knows one board, a fake clock at 10:00:00, and the scan flows
// replaced by recording ones (each call noted, with the clock time of every next scan).

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "acquisition/CommandFlows.h"
#include "doubles/FakeBoardLibrary.h"
#include "doubles/FaultyFileSystem.h"
#include "platform/forms_test_app.h"
#include "windows/MDIForm1.h"
#include "windows/MainForm.h"
#include "windows/PrinterForm.h"
#include "windows/WelcomeForm.h"

namespace tav::test {

// What the recording flows were asked to do. It belongs to the test, so it outlives the main
// window that holds the flows.
struct FlowRecord {
    std::vector<std::string> calls;
    // Microseconds since 01/01/1970 00:00 at the start of each next scan.
    std::vector<int64_t> scanTimes;
    // Runs inside every next scan (a test lets the scan take time, or looks at the state).
    std::function<void()> duringNextScan;
};

// Records every call; with the program's flows given, each call then runs them.
class RecordingFlows : public CommandFlows {
public:
    RecordingFlows(FlowRecord& record, FakeClock& clock, std::unique_ptr<CommandFlows> program = nullptr)
        : record_(record), clock_(clock), program_(std::move(program)) {}

    void NextScan() override {
        record_.calls.push_back("NextScan");
        record_.scanTimes.push_back(clock_.DayNumber() * FakeClock::MicrosPerDay + clock_.MicrosSinceMidnight());
        if (record_.duringNextScan) record_.duringNextScan();
        if (program_) program_->NextScan();
    }
    void DarkScan() override { Note("DarkScan", &CommandFlows::DarkScan); }
    void OverlayScan() override { Note("OverlayScan", &CommandFlows::OverlayScan); }
    void ReferenceScan() override { Note("ReferenceScan", &CommandFlows::ReferenceScan); }
    void OverlayFile() override { Note("OverlayFile", &CommandFlows::OverlayFile); }
    void ComputeKineticIndices() override { Note("ComputeKineticIndices", &CommandFlows::ComputeKineticIndices); }
    void ClearIndexWindow() override { Note("ClearIndexWindow", &CommandFlows::ClearIndexWindow); }
    void ShowEraseForm() override { Note("ShowEraseForm", &CommandFlows::ShowEraseForm); }
    void ShowSettingsForm() override { Note("ShowSettingsForm", &CommandFlows::ShowSettingsForm); }

private:
    void Note(const char* call, void (CommandFlows::*run)()) {
        record_.calls.push_back(call);
        if (program_) (program_.get()->*run)();
    }

    FlowRecord& record_;
    FakeClock& clock_;
    std::unique_ptr<CommandFlows> program_;
};

struct MainWindowWorld : TestServices {
    // Start-up runs unless the test asks to set up the folder first.
    explicit MainWindowWorld(bool start = true, const std::string& boardName = "") : boardLibrary(boardName) {
        clock.Set(10, 0, 0);
        op.SetFonts({"DejaVu Sans", "Arial", "Times New Roman"});
        if (start) Start();
    }

    // Loads the main window (its start-up) and puts the recording flows in place; with
    // programFlows they run the program's scan flows as well.
    void Start(bool programFlows = false) {
        ProgramContexts& contexts = app.forms.Get<MDIForm1>().Contexts();
        contexts.SetFlows(std::make_unique<RecordingFlows>(flows, clock, programFlows ? MakeProgramFlows(app, contexts) : nullptr));
    }

    MDIForm1& Mdi() { return app.forms.Get<MDIForm1>(); }
    MainForm& Main() { return app.forms.Get<MainForm>(); }
    WelcomeForm* Welcome() { return app.forms.Find<WelcomeForm>(); }
    RecordingCanvas& MainCanvas() { return HeadlessHost::CanvasOf(Main()); }

    // Closes the welcome window (which takes the first scan) and forgets what was recorded.
    void PastWelcome() {
        app.forms.Unload<WelcomeForm>();
        flows.calls.clear();
        flows.scanTimes.clear();
        MainCanvas().ClearRecord();
    }

    // A character typed into the spectrum window.
    void Type(int16_t character) { Main().UserKeyPress(nullptr, character); }

    // The texts of a print run of the spectrum chart with the index block under it, as the
    // Print menu's dialog starts it.
    std::vector<std::string> PrintWithIndex() {
        printer.Page().ClearRecord();
        Mdi().PrintMenu.UserClick();
        PrinterForm& d = app.forms.Get<PrinterForm>();
        d.IndexChk.UserClick();
        d.Command1.UserClick();
        return printer.Page().PrintedTexts();
    }

    // A series of timed acquisition in progress, holding the port open.
    void RunningSeries() {
        state->PortHeldOpen = true;
        comm.SetSettings("115200,N,8,1");
        comm.SetPortOpen(true);
        Mdi().Timer1.SetInterval(1000);
        Mdi().Timer1.SetEnabled(true);
        state->AutoScanTimerOn = true;
    }

    FaultyFileSystem faulty{fs};
    FakeBoardLibrary boardLibrary;
    HeadlessHost host;
    App app{*state, Services{clock, op, comm, boardLibrary, faulty, printer}, host};
    FlowRecord flows;
};

// Absolute microseconds of a time of day on the fake clock's first day.
inline int64_t At(int hour, int minute, int second, int millisecond = 0) {
    return FakeClock::MicrosPerDay * 10957 +  // 01/01/2000
           ((hour * 60LL + minute) * 60 + second) * 1000000LL + millisecond * 1000LL;
}

}  // namespace tav::test
