// A broken pass is no data, and keeps the instrument in step: a block that is short or long, in
// either pass, ends the scan as no data in every scan flow ("NO DATA TRANSMITTED" with the
// reason, no slot changed, no index point, no AutoSave file), after the rest of the pair has
// been taken and acknowledged, so that the instrument, which waits for each acknowledgement as
// long as it takes, ends its pair and the next scan is whole. An instrument that restarted into
// its loader while timed acquisition holds the port is no data too; the pass after a failed one
// on a held port probes the link again, so the restarted instrument gets its firmware.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "AcquisitionRig.h"
#include "FlowRig.h"
#include "acquisition/DarkReferenceScan.h"
#include "acquisition/NextScan.h"
#include "acquisition/OverlayScan.h"

namespace tav {
namespace {

using acqtest::FlowRig;

constexpr const char* NoData = "Warning:\nNO DATA TRANSMITTED\nRefer to 'Trouble Shooting'";
constexpr const char* ShortReason = "A block from the instrument had fewer characters than a block holds.";
constexpr const char* LongReason = "A block from the instrument had more characters than a block holds.";

// Every slot a scan flow may fill, with a recognisable earlier spectrum.
void FillEarlierScans(ProgramState& s) {
    for (int k = 0; k <= 10; ++k) {
        s.SlotInfo[k].NumPoints = 256;
        s.SlotInfo[k].FileName = "earlier.rdg";
        s.Ch1Data[k].fill(10.0f + k);
        s.Ch2Data[k].fill(5.0f);
    }
    s.DataAvailable = true;
}

void ExpectEarlierScans(const ProgramState& s) {
    for (int k = 0; k <= 10; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(s.SlotInfo[k].FileName, "earlier.rdg");
        EXPECT_EQ(s.Ch1Data[k][0], 10.0f + k);
        EXPECT_EQ(s.Ch1Data[k][255], 10.0f + k);
        EXPECT_EQ(s.Ch2Data[k][100], 5.0f);
    }
}

struct Flow {
    const char* name;
    std::function<void(ScanFlowContext&)> run;
};

const Flow Flows[] = {
    {"next scan", [](ScanFlowContext& f) { NextScan(f); }},
    {"overlay scan", [](ScanFlowContext& f) { OverlayScan(f); }},
    {"dark scan", [](ScanFlowContext& f) { DarkScan(f); }},
    {"reference scan", [](ScanFlowContext& f) { ReferenceScan(f); }},
};

// The flows as the operator starts them, with what each needs set up first and the slot its
// second pass fills.
struct FlowCase {
    const char* name;
    std::function<void(FlowRig&)> setUp;
    std::function<void(ScanFlowContext&)> run;
    std::function<int16_t(const ProgramState&)> secondPassSlot;
    bool timed = false;
    int scans = 1;  // pairs a run takes
};

void HoldPortForTimedAcquisition(FlowRig& r) {
    r.comm.CommPort = 1;
    ASSERT_TRUE(r.comm.SetSettings("115200,N,8,1"));
    ASSERT_TRUE(r.comm.SetPortOpen(true));
    r.state.PortHeldOpen = true;
    r.Main().Timer1.SetEnabled(true);
}

void ReadOutTwoScans(FlowRig& r) { acqtest::PrepareReadOut(r, 6, 2); }

const FlowCase FlowCases[] = {
    {"next scan", [](FlowRig&) {}, [](ScanFlowContext& f) { NextScan(f); }, [](const ProgramState&) { return int16_t{0}; }},
    {"overlay scan", [](FlowRig&) {}, [](ScanFlowContext& f) { OverlayScan(f); },
     [](const ProgramState& s) { return s.CurrentSlot; }},
    {"dark scan", [](FlowRig&) {}, [](ScanFlowContext& f) { DarkScan(f); }, [](const ProgramState&) { return int16_t{8}; }},
    {"reference scan", [](FlowRig&) {}, [](ScanFlowContext& f) { ReferenceScan(f); },
     [](const ProgramState&) { return int16_t{10}; }},
    {"timed scan", HoldPortForTimedAcquisition, [](ScanFlowContext& f) { NextScan(f); },
     [](const ProgramState&) { return int16_t{0}; }, true},
    {"read-out of two stored scans", ReadOutTwoScans, [](ScanFlowContext& f) { NextScan(f); },
     [](const ProgramState&) { return int16_t{0}; }, false, 2},
};

TEST(BrokenPass, AShortOrLongBlockIsNoDataInEveryFlowAndTheNextScanIsWhole) {
    struct Fault {
        const char* name;
        BlockFault block;
        const char* reason;
        int pairsTaken;  // in a read-out: the pairs the instrument sent before the read-out ended
    };
    using K = BlockFault::Kind;
    // Block 1 follows the command's reply; blocks 9 to 16 are the second pass.
    const Fault faults[] = {
        {"short block 1", {K::Short, 1, 6}, ShortReason, 1},
        {"only the reply's first byte", {K::Short, 1, 65}, ShortReason, 1},
        {"short block 5", {K::Short, 5, 6}, ShortReason, 1},
        {"short block 9", {K::Short, 9, 6}, ShortReason, 1},
        {"short block 16", {K::Short, 16, 1}, ShortReason, 1},
        {"long block 1", {K::Long, 1, 4}, LongReason, 1},
        {"long block 12", {K::Long, 12, 1}, LongReason, 1},
        {"short block 3 of the second scan", {K::Short, 3, 6, 2}, ShortReason, 2},
        {"long block 14 of the second scan", {K::Long, 14, 4, 2}, LongReason, 2},
    };
    for (const FlowCase& flow : FlowCases) {
        for (const Fault& fault : faults) {
            if (fault.block.pair > flow.scans) continue;
            SCOPED_TRACE(std::string(flow.name) + ", " + fault.name);
            InstrumentOptions o = acqtest::ExactInstrument();
            o.faults.blocks.push_back(fault.block);
            FlowRig r(o);
            ProgramState& s = r.state;
            FillEarlierScans(s);
            s.AutoSaveOn = true;
            s.AutoSaveName = "S";
            flow.setUp(r);
            const int16_t readAddress = s.ReadAddress;
            r.instrument.ClearLogs();
            flow.run(r.flow);

            EXPECT_TRUE(s.NoInstrumentResponse);
            ExpectEarlierScans(s);
            ASSERT_EQ(r.op.Messages().size(), 1u);
            EXPECT_EQ(r.op.Messages()[0].text, std::string(NoData) + "\n" + fault.reason);
            EXPECT_EQ(r.indices.passes, 0) << "no index point, no kinetic point";
            EXPECT_TRUE(r.dir.Names().empty()) << "no AutoSave file";
            EXPECT_EQ(s.ReadAddress, readAddress);
            EXPECT_EQ(r.comm.PortOpen(), flow.timed) << "only timed acquisition holds it";
            EXPECT_EQ(r.Main().Timer1.Enabled(), flow.timed) << "a timed series goes on";

            // The instrument took every acknowledgement of the pairs it sent, and no command
            // after the failed pair.
            r.comm.CatchUp();
            EXPECT_FALSE(r.instrument.InPair());
            const std::string heard = r.Heard();
            const int pairs = std::min(fault.pairsTaken, flow.scans);
            EXPECT_EQ(std::count(heard.begin(), heard.end(), '\x05'), 16 * pairs);
            EXPECT_EQ(heard.size(), 17u * pairs);

            r.instrument.Options().faults = {};
            flow.run(r.flow);
            EXPECT_EQ(r.op.Messages().size(), 1u) << "the next scan is whole";
            EXPECT_FALSE(s.NoInstrumentResponse);
            const int16_t slot = flow.secondPassSlot(s);
            for (int i = 0; i < 256; ++i) ASSERT_EQ(s.Ch1Data[slot][i], r.instrument.LastPair().sample[i]) << i;
        }
    }
}

// The instrument restarts into its loader in the middle of a timed series: its announcements
// come at the loader's speed and are never a spectrum. The next scan probes the link, sends the
// firmware and is whole again.
TEST(BrokenPass, AnInstrumentThatRestartedWhileThePortIsHeldGetsItsFirmware) {
    FlowRig r;
    ProgramState& s = r.state;
    ASSERT_TRUE(r.dir.Write("OLMMASTR.S19", "S1060000010203F3\r\nS804000000FB\r\n"));
    ASSERT_TRUE(r.dir.Write("OLMSLAVE.S19", "S1060100040506E9\r\nS804000000FB\r\n"));
    s.AutoSaveOn = true;
    s.AutoSaveName = "S";
    r.comm.CommPort = 1;
    ASSERT_TRUE(r.comm.SetSettings("115200,N,8,1"));
    ASSERT_TRUE(r.comm.SetPortOpen(true));
    s.PortHeldOpen = true;

    NextScan(r.flow);  // a whole scan on the held port
    ASSERT_FALSE(s.NoInstrumentResponse);
    ASSERT_EQ(r.dir.Names(), (std::vector<std::string>{"OLMMASTR.S19", "OLMSLAVE.S19", "S00001.rdg"}));
    const auto before = std::make_unique<ProgramState>(s);

    r.instrument.RestartIntoLoader();
    r.clock.Advance(500);  // it announces itself meanwhile
    r.instrument.ClearLogs();
    NextScan(r.flow);
    EXPECT_TRUE(s.NoInstrumentResponse);
    ASSERT_EQ(r.op.Messages().size(), 1u);
    EXPECT_EQ(r.op.Messages()[0].text.rfind(NoData, 0), 0u) << r.op.Messages()[0].text;
    for (int k : {0, 10}) {
        for (int i = 0; i < 256; ++i) ASSERT_EQ(s.Ch1Data[k][i], before->Ch1Data[k][i]) << k << " " << i;
    }
    EXPECT_EQ(r.dir.Names().size(), 3u) << "no AutoSave file";
    EXPECT_EQ(r.indices.passes, 1) << "from the first scan only";
    EXPECT_TRUE(r.instrument.Images().empty());
    EXPECT_TRUE(r.comm.PortOpen()) << "timed acquisition still holds it";

    NextScan(r.flow);  // probes, finds the loader, sends the firmware, scans
    EXPECT_FALSE(s.NoInstrumentResponse);
    EXPECT_EQ(r.instrument.Images().size(), 2u);
    EXPECT_EQ(r.instrument.Stage(), InstrumentStage::Running);
    EXPECT_EQ(r.op.Messages().size(), 1u);
    EXPECT_EQ(s.Ch1Data[0][7], r.instrument.LastPair().sample[7]);
    EXPECT_EQ(r.dir.Names().size(), 4u);
    EXPECT_TRUE(r.comm.PortOpen());
}

// A pair that stops early leaves the spectrum window's trace selection and axis slot as they
// were, so that the next paint, Resize, Tab and cursor key work on the slot on display, not on
// the slot the pair was filling.
TEST(BrokenPass, APairThatStopsEarlyLeavesTheTraceSelectionAsItWas) {
    struct Fault {
        const char* name;
        bool simulation;
        int dropAfter;  // the link goes dead after this block; 0: it stays up
    };
    const Fault faults[] = {{"no simulate.rdg", true, 0},
                            {"the second pass fails", false, 12},
                            {"the first pass fails", false, 3}};
    for (const Flow& flow : Flows) {
        for (const Fault& f : faults) {
            SCOPED_TRACE(std::string(flow.name) + ", " + f.name);
            InstrumentOptions o = acqtest::ExactInstrument();
            o.faults.dropAfterBlock = f.dropAfter;
            FlowRig r(o);
            ProgramState& s = r.state;
            FillEarlierScans(s);
            s.SimulationMode = f.simulation;
            s.CurrentSlot = 3;
            s.OverlayCount = 4;
            s.FirstOverlaySlot = 0;
            s.DisplayChannel[0] = 3;
            s.AxisSlot = -1;
            flow.run(r.flow);
            // The next scan starts a new ring in slot 0 before its pair, so slot 0 is the trace
            // it leaves selected; the other flows keep the ring.
            const int selected = std::string(flow.name) == "next scan" ? 0 : 3;
            EXPECT_EQ(s.DisplayChannel[0], selected);
            EXPECT_EQ(s.AxisSlot, -1);
            ExpectEarlierScans(s);
        }
    }
}

// An instrument that answers a scan command only after the program has given it up for a loader
// and tried to wake one: what went out meanwhile (the acknowledgement that looked for an earlier
// pair, which the instrument may keep for its first block; the wake-up, at whose speed its first
// block may arrive unreadable) puts its blocks out of step, and the no-data box says the reply
// came late, not that a block was long. The pair is taken to its end, so that the next exchange
// finds the instrument listening: a parameter block reaches it and the next scan is whole.
TEST(BrokenPass, AReplyThatCameLateIsToldAsLate) {
    struct Case {
        const char* name;
        double replyDelayMs;
        bool earlyAckKept;
    };
    const Case cases[] = {
        {"after the wake-up, the acknowledgement kept", 6000, true},
        {"during the wake-up, the first block unreadable", 4500, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        InstrumentOptions o = acqtest::ExactInstrument();
        o.faults.replyDelayMs = c.replyDelayMs;
        o.faults.earlyAckKept = c.earlyAckKept;
        FlowRig r(o);
        ProgramState& s = r.state;
        FillEarlierScans(s);
        NextScan(r.flow);
        EXPECT_TRUE(s.NoInstrumentResponse);
        EXPECT_EQ(r.op.MessageTexts(), std::vector<std::string>{std::string(NoData) +
                                                               "\nThe instrument answered the scan command later than "
                                                               "it should."});
        ExpectEarlierScans(s);
        r.InstrumentSettles();
        EXPECT_FALSE(r.instrument.InPair());

        r.clock.Advance(1000);
        r.instrument.Options().faults = {};
        s.NumToAverage = 2;
        r.SendParameters();
        r.InstrumentSettles();
        EXPECT_EQ(r.instrument.Parameters().NumToAverage, 2);
        NextScan(r.flow);
        EXPECT_FALSE(s.NoInstrumentResponse);
        EXPECT_EQ(r.op.Messages().size(), 1u);
        EXPECT_EQ(s.Ch1Data[0][9], r.instrument.LastPair().sample[9]);
    }
}

}  // namespace
}  // namespace tav
