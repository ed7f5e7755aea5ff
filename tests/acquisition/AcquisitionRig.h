#pragma once
// The acquisition under test on the simulated instrument in one process: loopback port, fake
// clock, scripted operator, a temporary folder and a recording spectrum window. The wire bytes
// the tests check are restated here, not taken from the code under test.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "acquisition/AcquisitionContext.h"
#include "doubles/FakeClock.h"
#include "doubles/LoopbackComm.h"
#include "doubles/RecordingCanvas.h"
#include "doubles/ScriptedOperator.h"
#include "platform/RealFileSystem.h"
#include "shared/ProgramState.h"
#include "simulator/SimulatedInstrument.h"
#include "support/TempDir.h"

namespace tav::acqtest {

inline std::string Byte(int b) { return std::string(1, static_cast<char>(b)); }
// The whole parameter block as the instrument hears it: 0x01, then six words high byte first
// (the lamp word 0).
inline std::string WholeParameterBlock(int integration, int average, int scanNumber, int interval, int readAddress) {
    std::string block = Byte(0x01);
    for (int word : {integration, average, 0, scanNumber, interval, readAddress}) block += Byte(word / 256) + Byte(word % 256);
    return block;
}
inline std::string Repeat(const std::string& s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

class FakeWindows : public AcquisitionWindows {
public:
    Canvas& MainFormSurface() override { return mainForm; }
    bool ReadSpectrumFile(int16_t slot) override {
        reads.push_back(slot);
        return reader ? reader(slot) : false;
    }
    SpectrumReadResult ReadSpectrumFileUntold(int16_t slot, std::string& why) override {
        untoldReads.push_back(slot);
        if (reader && reader(slot)) return SpectrumReadResult::Ok;
        why = untoldWhy;
        return SpectrumReadResult::ReadError;
    }
    void SetDisplayChannel(int16_t slot) override { displayChannels.push_back(slot); }
    void SetDialogFileName(const std::string& path) override { dialogNames.push_back(path); }
    void ShowDrawing() override { ++drawingShown; }
    bool KeepAlive() override { return keepAlive && keepAlive(); }

    RecordingCanvas mainForm;
    std::function<bool()> keepAlive;  // a long wait's keep-alive; true: the operator's Escape
    int drawingShown = 0;
    std::function<bool(int16_t)> reader;
    std::vector<int16_t> reads;
    std::vector<int16_t> untoldReads;
    std::string untoldWhy = "File not found.";  // what the reader would have said
    std::vector<int16_t> displayChannels;
    std::vector<std::string> dialogNames;
};

// Scans 1 to count in the instrument's memory, each recognisable by its values: reference pass
// 100 * a + 1, second pass 100 * a + 2.
inline void StoreDistinctScans(SimulatedInstrument& instrument, int count) {
    for (int a = 1; a <= count; ++a) {
        ScanPair stored;
        stored.reference.fill(static_cast<uint16_t>(100 * a + 1));
        stored.sample.fill(static_cast<uint16_t>(100 * a + 2));
        instrument.StoreScan(a, stored);
    }
}

// A rig starts where a run of the program stands once its parameters have gone out whole: the
// instrument holds what the state shows (its power-on values), and the read-out position too.
inline void MarkParametersInStep(ProgramState& state, const SimulatedInstrument& instrument) {
    const InstrumentParameters& held = instrument.Parameters();
    EXPECT_EQ(held.IntegrationTime, state.IntegrationTime);
    EXPECT_EQ(held.NumToAverage, state.NumToAverage);
    EXPECT_EQ(held.ScanNumber, state.ScanNumber);
    EXPECT_EQ(held.IntervalTenths, state.IntervalTenths);
    EXPECT_EQ(instrument.ReadPointer(), state.ReadAddress);
    state.InstrumentParametersUnknown = false;
}

inline InstrumentOptions Exact() {
    InstrumentOptions o;
    o.spectrum.noise = 0.0;
    return o;
}

struct Rig {
    explicit Rig(InstrumentOptions o = Exact()) : instrument(std::move(o)), port(instrument, clock), fs(dir.Path()) {
        clock.Set(10, 0, 0);
        state.IntegrationTime = 100;  // 10 ms
        state.NumToAverage = 1;
        state.CommPortNumber = 1;
        state.StartDir = dir.Path();
        for (int i = 0; i < WaveLengthCount; ++i) state.WaveLength[i] = 300.0f + 3.3f * (i + 1);
        MarkParametersInStep(state, instrument);
        op.SetFonts({"DejaVu Sans", "Arial"});
        windows.mainForm.SetAvailableFonts({"DejaVu Sans", "Arial", "MS Sans Serif"});
        windows.mainForm.SetFontName("MS Sans Serif");
    }

    // The bytes the computer put on the line, as the instrument heard them.
    std::string Heard() const { return instrument.Received(); }
    // Journal lines of the port that match a prefix ("out", "open" ...).
    std::vector<std::string> Journal(const std::string& prefix = "") const {
        std::vector<std::string> lines;
        for (const std::string& l : port.Journal())
            if (l.rfind(prefix, 0) == 0) lines.push_back(l);
        return lines;
    }
    double Seconds() const { return clock.MicrosSinceMidnight() / 1e6; }

    // The state is large (the raw store alone is close to a megabyte): kept off the stack.
    std::unique_ptr<ProgramState> stateStore = std::make_unique<ProgramState>();
    ProgramState& state = *stateStore;
    FakeClock clock;
    SimulatedInstrument instrument;
    LoopbackComm port;
    ScriptedOperator op;
    test::TempDir dir;
    RealFileSystem fs;
    FakeWindows windows;
    AcquisitionContext ctx{state, port, clock, fs, op, windows};
};

}  // namespace tav::acqtest
