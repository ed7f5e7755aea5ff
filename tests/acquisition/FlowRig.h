#pragma once
// The scan flows on a headless program: the simulated instrument on the loopback port, a fake
// clock, a scripted operator, a temporary start folder, the real file routines, the chart
// engine on the forms' recording canvases and a recording index output.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "AcquisitionRig.h"
#include "acquisition/ParameterBlocks.h"
#include "acquisition/ScanFlowContext.h"
#include "doubles/FakeClock.h"
#include "doubles/HeadlessHost.h"
#include "doubles/LoopbackComm.h"
#include "doubles/RecordingPrinter.h"
#include "doubles/ScriptedOperator.h"
#include "files/FileWindows.h"
#include "files/KineticLogs.h"
#include "files/SpectrumFileWriter.h"
#include "indices/KineticIndices.h"
#include "platform/BoardLibrary.h"
#include "platform/RealFileSystem.h"
#include "platform/forms/App.h"
#include "shared/ProgramState.h"
#include "simulator/SimulatedInstrument.h"
#include "support/TempDir.h"
#include "windows/AppFileWindows.h"
#include "windows/FormCharts.h"
#include "windows/MDIForm1.h"
#include "windows/MainForm.h"
#include "windows/MainScanWindows.h"

namespace tav::acqtest {

class RecordingIndices : public KineticIndicesOutput {
public:
    explicit RecordingIndices(const FlowGuard& guard) : guard_(guard) {}
    void ClearIndexWindow() override {
        ++passes;
        duringFlow = duringFlow && guard_.Running();
    }
    void PrintIndexLine(const IndexReadoutLine&) override {}
    void Wait(int) override {}
    void KineticPointAdded(int16_t) override {}

    int passes = 0;
    bool duringFlow = true;  // every pass ran inside a flow

private:
    const FlowGuard& guard_;
};

inline InstrumentOptions ExactInstrument() {
    InstrumentOptions o;
    o.spectrum.noise = 0.0;
    return o;
}

struct FlowRig {
    explicit FlowRig(InstrumentOptions o = ExactInstrument())
        : instrument(std::move(o)), comm(instrument, clock), fs(dir.Path()) {
        // The program's main window first: its start-up runs in a folder of its own and without
        // the welcome window, and the rig then starts from a fresh state.
        fs.SetCurrentDir(programDir.Path());
        state.WelcomeShown = true;
        app.forms.Get<MDIForm1>();
        state = *std::make_unique<ProgramState>();
        fs.SetCurrentDir(dir.Path());
        Main().Text2.SetText("");
        clock.Set(10, 0, 0);
        ProgramState& s = state;
        s.IntegrationTime = 100;
        s.NumToAverage = 1;
        s.CommPortNumber = 1;
        s.StartDir = dir.Path();
        s.DefaultPath = dir.Path();
        for (int i = 0; i < WaveLengthCount; ++i) s.WaveLength[i] = 300.0f + 3.3f * (i + 1);
        MarkParametersInStep(s, instrument);
        s.AutoScaleOn.fill(-1);
        op.SetFonts({"DejaVu Sans", "Arial"});
        MainForm& spectrum = app.forms.Get<MainForm>();
        spectrum.Show();
        Canvas().SetAvailableFonts({"DejaVu Sans", "Arial", "MS Sans Serif", "Small Fonts"});
        s.ChartFontName = "Arial";
        Canvas().SetFontName("MS Sans Serif");
    }

    RecordingCanvas& Canvas() { return HeadlessHost::CanvasOf(app.forms.Get<MainForm>()); }
    // The parameter block, as the main window sends it when the scan number or address change,
    // so that the instrument knows them; then the instrument's logs are cleared.
    void SendParameters() {
        FlowAcquisition acquisition(flow);
        ASSERT_TRUE(ParameterBlock(acquisition.ctx));
        instrument.ClearLogs();
    }
    MDIForm1& Main() { return app.forms.Get<MDIForm1>(); }
    // A letter typed on a window, through the program's key commands.
    void Type(char letter) {
        int16_t key = letter;
        std::string title;
        app.keyCommand(key, title);
    }
    // Enter in a box of the main window's tool strip.
    void PressEnter(TextBox& box) { Main().UserKeyPress(&box, 13); }
    // The instrument as the next exchange finds it: it has run up to now, after the pause that
    // ends a parameter block it was sent.
    void InstrumentSettles() {
        clock.Advance(100);
        comm.CatchUp();
    }
    std::string Heard() const { return instrument.Received(); }
    // Journal lines of the port that match a prefix ("out", "open" ...).
    std::vector<std::string> Journal(const std::string& prefix = "") const {
        std::vector<std::string> lines;
        for (const std::string& l : comm.Journal())
            if (l.rfind(prefix, 0) == 0) lines.push_back(l);
        return lines;
    }
    size_t Clears() { return Canvas().OpsOfKind(CanvasOp::Kind::Cls).size(); }
    std::vector<std::string> Printed() { return Canvas().PrintedTexts(); }
    // What the flows printed in the status font (the first font of the screen), not the chart.
    std::vector<CanvasOp> StatusPrints() {
        std::vector<CanvasOp> prints;
        for (const CanvasOp& op : Canvas().OpsOfKind(CanvasOp::Kind::Print))
            if (op.fontName == StatusFontName) prints.push_back(op);
        return prints;
    }
    static constexpr const char* StatusFontName = "DejaVu Sans";

    // Writes a spectrum file of the slot's present contents (and leaves the slot as it was).
    bool WriteSpectrum(const std::string& name, const std::vector<float>& x, const std::vector<float>& ch1,
                       const std::vector<float>& ch2) {
        auto scratch = std::make_unique<ProgramState>();
        for (size_t i = 0; i < x.size(); ++i) {
            scratch->XData[0][i] = x[i];
            scratch->Ch1Data[0][i] = ch1[i];
            scratch->Ch2Data[0][i] = ch2[i];
        }
        scratch->SlotInfo[0].NumPoints = static_cast<int16_t>(x.size());
        scratch->SlotInfo[0].FileName = name;
        return dir.Write(name, SpectrumFileText(*scratch, 0, SpectrumRowForm::Raw, CivilTime{}));
    }

    test::TempDir dir;
    test::TempDir programDir;
    std::unique_ptr<ProgramState> stateStore = std::make_unique<ProgramState>();
    ProgramState& state = *stateStore;
    FakeClock clock;
    ScriptedOperator op;
    SimulatedInstrument instrument;
    LoopbackComm comm;
    NoBoardLibrary board;
    RealFileSystem fs;
    RecordingPrinter printer;
    HeadlessHost host;
    App app{state, Services{clock, op, comm, board, fs, printer}, host};
    FormChartWindows charts{app};
    RecordingIndices indices{app.flow};
    KineticLogs logs;
    AppFileWindows fileWindows{app};
    FileContext files{state, fs, op, clock, logs, fileWindows};
    MainScanWindows scanWindows{app};
    ScanFlowContext flow{app, charts, indices, files, scanWindows};
};

// A read-out of `scans` stored scans from address 1, told to the instrument as the read-address
// box's Enter tells it, with scans 1 to `stored` in its memory (see StoreDistinctScans).
inline void PrepareReadOut(FlowRig& r, int stored, int16_t scans) {
    StoreDistinctScans(r.instrument, stored);
    r.state.MemoryMode = 48;
    r.state.ScanNumber = scans;
    r.state.ReadAddress = 1;
    r.state.ReadAddressPending = true;
    r.SendParameters();
}

// One case of a scan flow's handling of the instrument memory addresses: the memory mode, scan
// number and addresses before, the addresses after, the status line ("" for none) and the mode
// box's text afterwards.
struct MemoryAddressCase {
    int16_t mode, scanNumber, readAddress, writeAddress;
    int16_t readAfter, writeAfter;
    const char* status;
    const char* text2;
};

// Runs the flow once per case on a fresh rig and checks the addresses, the mode box and the
// status line at 5500, 0.
inline void ExpectMemoryAddresses(const std::vector<MemoryAddressCase>& cases,
                                  const std::function<void(ScanFlowContext&)>& runFlow) {
    for (const MemoryAddressCase& c : cases) {
        SCOPED_TRACE(c.mode * 10000 + c.readAddress + c.writeAddress);
        FlowRig r;
        ProgramState& s = r.state;
        s.MemoryMode = c.mode;
        s.ScanNumber = c.scanNumber;
        s.ReadAddress = c.readAddress;
        s.ReadAddressPending = false;  // a read-out under way: the address names the last scan read
        s.WriteAddress = c.writeAddress;
        r.Canvas().ClearRecord();
        runFlow(r.flow);
        EXPECT_EQ(s.ReadAddress, c.readAfter);
        EXPECT_EQ(s.WriteAddress, c.writeAfter);
        EXPECT_EQ(r.Main().Text2.Text(), c.text2);
        std::vector<CanvasOp> status = r.StatusPrints();
        if (*c.status) {
            ASSERT_EQ(status.size(), 1u);
            EXPECT_EQ(status[0].text, c.status);
            EXPECT_EQ(status[0].x1, 5500);
            EXPECT_EQ(status[0].y1, 0);
        } else {
            EXPECT_TRUE(status.empty());
        }
    }
}

// The memory states a flow that needs a plain scan meets: only Normal with scan number 0 is one.
struct MemoryState {
    const char* name;
    int16_t mode, scanNumber;
    bool plain;
};
inline const MemoryState MemoryStates[] = {{"Normal", 2, 0, true},
                                           {"Read", 48, 0, false},
                                           {"Read with a scan number", 48, 2, false},
                                           {"Erase", 64, 0, false},
                                           {"Write", 2, 3, false}};

// One stored scan in the instrument's memory, to see afterwards that nothing read, wrote or
// erased the memory.
inline ScanPair StoreOneScan(SimulatedInstrument& instrument, uint16_t value) {
    ScanPair stored;
    stored.sample.fill(value);
    instrument.StoreScan(1, stored);
    return stored;
}

inline void ExpectMemoryAsStored(const SimulatedInstrument& instrument, const ScanPair& stored) {
    ASSERT_TRUE(instrument.StoredScan(1).has_value());
    EXPECT_EQ(*instrument.StoredScan(1), stored);
    EXPECT_FALSE(instrument.StoredScan(2).has_value());
    EXPECT_EQ(instrument.ReadPointer(), 1);
    EXPECT_EQ(instrument.WritePointer(), 1);
}

}  // namespace tav::acqtest
