// The long waits of the link keep the program alive and end on Escape; every wait runs on the
// monotonic clock, so a wall clock put forward or back meanwhile changes none of them.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "AcquisitionRig.h"
#include "FlowRig.h"
#include "acquisition/DarkReferenceScan.h"
#include "acquisition/FirmwareDownload.h"
#include "acquisition/NextScan.h"
#include "acquisition/ParameterBlocks.h"
#include "acquisition/ScanAcquisition.h"

namespace tav {
namespace {

using acqtest::FlowRig;

constexpr const char* NoData = "Warning:\nNO DATA TRANSMITTED\nRefer to 'Trouble Shooting'";

InstrumentOptions Silent() {
    InstrumentOptions o = acqtest::ExactInstrument();
    o.faults.silent = true;
    return o;
}

// A write series of ten scans 10 s apart against a silent instrument: the reply wait lasts the
// whole series. Without Escape the program stays alive through it (and through the second
// command after the loader's wake-up); with Escape the wait ends at once as no data, and nothing
// more is sent: no wake-up, no second command.
TEST(LongWaits, EscapeEndsAWriteSeriesWaitAsNoData) {
    struct Case {
        int escapeAt;  // keep-alive call at which Escape comes; 0: never
        double atLeastS, atMostS;
    };
    const Case cases[] = {{0, 2 * 90.0, 2 * 90.0 + 10.0}, {5, 0.2, 1.0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.escapeAt);
        FlowRig r(Silent());
        ProgramState& s = r.state;
        s.ScanNumber = 10;
        s.IntervalTenths = 100;
        s.SlotInfo[0].NumPoints = 256;
        s.Ch1Data[0].fill(9.0f);
        r.host.EscapeAtKeepAlive(c.escapeAt);
        const double start = r.clock.MonotonicMs();
        NextScan(r.flow);
        const double seconds = (r.clock.MonotonicMs() - start) / 1000.0;
        EXPECT_GE(seconds, c.atLeastS);
        EXPECT_LE(seconds, c.atMostS);
        EXPECT_TRUE(s.NoInstrumentResponse);
        EXPECT_EQ(s.Ch1Data[0][3], 9.0f);
        ASSERT_EQ(r.op.Messages().size(), 1u);
        EXPECT_EQ(r.op.Messages()[0].text, NoData);
        EXPECT_EQ(r.indices.passes, 0);
        EXPECT_FALSE(r.comm.PortOpen());
        if (c.escapeAt == 0) {
            // The windows were kept alive every few tens of milliseconds of the waits.
            EXPECT_GT(r.host.KeepAlives(), static_cast<int>(2 * 90.0 * 1000 / 40 * 0.9));
        } else {
            EXPECT_EQ(r.host.KeepAlives(), c.escapeAt);
            EXPECT_EQ(r.Journal("out"), std::vector<std::string>{"out 02"}) << "nothing after the command";
        }
    }
}

TEST(LongWaits, EscapeDuringATimedSeriesAlsoStopsTheSeries) {
    FlowRig r(Silent());
    ProgramState& s = r.state;
    s.ScanNumber = 3;
    s.IntervalTenths = 50;
    r.comm.CommPort = 1;
    ASSERT_TRUE(r.comm.SetPortOpen(true));
    s.PortHeldOpen = true;
    r.Main().Timer1.SetEnabled(true);
    r.host.EscapeAtKeepAlive(2);
    NextScan(r.flow);
    ASSERT_EQ(r.op.Messages().size(), 1u);
    EXPECT_EQ(r.op.Messages()[0].text, NoData);
    EXPECT_FALSE(r.Main().Timer1.Enabled());
    EXPECT_FALSE(s.PortHeldOpen);
    EXPECT_FALSE(r.comm.PortOpen());
    std::vector<std::string> printed = r.Printed();
    EXPECT_NE(std::find(printed.begin(), printed.end(), "AutoScan Stopped"), printed.end());
}

// The parameters go first when the instrument may hold others; Escape in the wait for the reply
// to their 0x01 gives the scan up there, and the data bytes stay unsent (an instrument that did
// not take the command, one still in a pair, would take them for commands; one that did take it
// ends the empty block on the pause): no scan command, the box that says so, the parameters
// still unknown, and a timed series stops; the reference scan gives up the same way.
TEST(LongWaits, EscapeWhileTheParametersWaitForTheirReplyGivesTheScanUp) {
    struct Flow {
        const char* name;
        std::function<void(FlowRig&)> run;
        bool series;
    };
    const Flow flows[] = {
        {"next scan", [](FlowRig& r) { NextScan(r.flow); }, false},
        {"timed scan",
         [](FlowRig& r) {
             r.Main().Timer1.SetEnabled(true);
             NextScan(r.flow);
         },
         true},
        {"reference scan", [](FlowRig& r) { ReferenceScan(r.flow); }, false},
    };
    for (const Flow& flow : flows) {
        SCOPED_TRACE(flow.name);
        FlowRig r(Silent());
        r.state.InstrumentParametersUnknown = true;
        r.host.EscapeAtKeepAlive(2);
        flow.run(r);
        EXPECT_EQ(r.host.KeepAlives(), 2);
        EXPECT_EQ(r.Journal("out").size(), 1u) << "the command alone and nothing after it";
        EXPECT_EQ(r.op.MessageTexts(), std::vector<std::string>{"The instrument on COM1 did not answer the parameter "
                                                                "command.\nThe parameters have not been sent to the "
                                                                "instrument."});
        EXPECT_TRUE(r.state.InstrumentParametersUnknown);
        EXPECT_FALSE(r.Main().Timer1.Enabled());
        if (flow.series) {
            std::vector<std::string> printed = r.Printed();
            EXPECT_NE(std::find(printed.begin(), printed.end(), "AutoScan Stopped"), printed.end());
        }
    }
}

// While a long wait keeps the program alive, a timer tick, a key or a click that the event loop
// delivers starts nothing, whoever called the link: here the parameter boxes, which are no scan
// flow, wait for a silent instrument's reply while timed acquisition is due.
TEST(LongWaits, NothingStartsWhileAWaitKeepsTheProgramAlive) {
    FlowRig r(Silent());
    ProgramState& s = r.state;
    s.AutoScanDelay = 0;  // a scan on every tick
    r.Main().Timer1.SetInterval(10);
    r.Main().Timer1.SetEnabled(true);
    int ticks = 0;
    r.host.duringKeepAlive = [&] {
        ++ticks;
        r.Main().Timer1.UserTick();
        r.app.forms.Get<MainForm>().UserKeyPress(nullptr, 'N');
    };
    r.Main().SetIntegAverIntens();
    EXPECT_GT(ticks, 5);
    const std::vector<std::string> out = r.Journal("out");
    EXPECT_EQ(out, (std::vector<std::string>{"out 01", "out 05", "out 01"}))
        << "the block's command, unanswered, and nothing else";
    EXPECT_EQ(r.indices.passes, 0);
}

// Escape during a timed read-out of several stored scans ends it after the pair under way: the
// instrument gets every acknowledgement of that pair and no further command, the read-out is no
// data and saves nothing, the series stops, and the next read-out is whole.
TEST(LongWaits, EscapeDuringAReadOutEndsItAfterThePairUnderWay) {
    struct Case {
        int escapeAt;  // keep-alive call at which Escape comes
        int pairs;     // the pair under way then (each takes about a third of a second)
    };
    for (const Case& c : {Case{1, 1}, Case{5, 2}}) {
        SCOPED_TRACE(c.escapeAt);
        FlowRig r;
        ProgramState& s = r.state;
        acqtest::PrepareReadOut(r, 6, 3);
        s.AutoSaveOn = true;
        s.AutoSaveName = "C";
        s.SlotInfo[0].NumPoints = 256;
        s.Ch1Data[0].fill(9.0f);
        r.comm.CommPort = 1;
        ASSERT_TRUE(r.comm.SetSettings("115200,N,8,1"));
        ASSERT_TRUE(r.comm.SetPortOpen(true));
        s.PortHeldOpen = true;
        r.Main().Timer1.SetEnabled(true);
        r.host.EscapeAtKeepAlive(c.escapeAt);
        NextScan(r.flow);
        EXPECT_EQ(r.host.KeepAlives(), c.escapeAt);
        EXPECT_EQ(r.Heard(), acqtest::Repeat("\x30" + std::string(16, '\x05'), c.pairs));
        r.comm.CatchUp();
        EXPECT_FALSE(r.instrument.InPair());
        ASSERT_EQ(r.op.Messages().size(), 1u);
        EXPECT_EQ(r.op.Messages()[0].text, NoData);
        EXPECT_EQ(s.Ch1Data[0][3], 9.0f);
        EXPECT_EQ(r.indices.passes, 0);
        EXPECT_TRUE(r.dir.Names().empty()) << "nothing saved";
        EXPECT_FALSE(r.Main().Timer1.Enabled()) << "Escape stops the series";

        // The instrument's read pointer moved on with the pairs it sent: the next read-out puts it
        // back where the screen says first, and reads the same three scans again.
        r.instrument.ClearLogs();
        NextScan(r.flow);
        EXPECT_EQ(r.Heard(), acqtest::WholeParameterBlock(100, 1, 3, 10, 1) +
                                 acqtest::Repeat("\x30" + std::string(16, '\x05'), 3));
        EXPECT_EQ(s.Ch1Data[10][3], 301.0f) << "the reference pass of the third scan";
        EXPECT_FALSE(s.NoInstrumentResponse);
        EXPECT_EQ(s.Ch1Data[0][3], r.instrument.LastPair().sample[3]);
        EXPECT_EQ(r.dir.Names().size(), 1u);
    }
}

// A quick scan never runs the event loop: keys typed meanwhile wait for the scan to end.
TEST(LongWaits, AQuickScanLeavesTheEventsAlone) {
    FlowRig r;
    NextScan(r.flow);
    EXPECT_FALSE(r.state.NoInstrumentResponse);
    EXPECT_EQ(r.host.KeepAlives(), 0);
    EXPECT_GT(r.host.DrawingShown(), 16) << "each wait shows the drawing first";
}

TEST(LongWaits, EscapeEndsTheFirmwareDownload) {
    acqtest::Rig r([] {
        InstrumentOptions o = acqtest::Exact();
        o.startInLoader = true;
        return o;
    }());
    std::string image = "S1060000010203F3\r\n";
    for (int i = 0; i < 200; ++i) image += "S1060000010203F3\r\n";
    ASSERT_TRUE(r.dir.Write("OLMMASTR.S19", image + "S804000000FB\r\n"));
    ASSERT_TRUE(r.dir.Write("OLMSLAVE.S19", "S1060100040506E9\r\nS804000000FB\r\n"));
    int calls = 0;
    r.windows.keepAlive = [&] { return ++calls == 30; };
    EXPECT_EQ(AcquireScanPair(r.ctx, 10, 0), AcquireResult::NoResponse);
    EXPECT_EQ(calls, 30);
    EXPECT_TRUE(r.state.NoInstrumentResponse);
    EXPECT_FALSE(r.port.PortOpen());
    ASSERT_EQ(r.instrument.Images().size(), 1u);
    EXPECT_FALSE(r.instrument.Images()[0].ended) << "given up in the middle of the master image";
    const std::vector<std::string> out = r.Journal("out");
    EXPECT_EQ(std::count(out.begin(), out.end(), "out 02"), 0) << "no scan command after it";
}

// The reply to 0x01 is not examined, but without one the data bytes stay unsent: Escape ends its
// wait, and the block with it.
TEST(LongWaits, EscapeEndsTheParameterReplyWaitAndTheBlockWithIt) {
    acqtest::Rig r(Silent());
    int calls = 0;
    r.windows.keepAlive = [&] {
        ++calls;
        return true;
    };
    const double start = r.clock.MonotonicMs();
    EXPECT_FALSE(ParameterBlock(r.ctx));
    EXPECT_LT(r.clock.MonotonicMs() - start, 500.0);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(r.Journal("out").size(), 1u);
    EXPECT_TRUE(r.ctx.waitGivenUp) << "the exchange is given up";
}

// A wall clock put forward or back while the scan command's reply is awaited: the wait neither
// ends early (a step forward would once have expired it and sent the firmware download after an
// answering instrument) nor stretches.
TEST(LongWaits, AClockStepDuringTheScanCommandWaitChangesNothing) {
    struct Case {
        const char* name;
        double stepMs;
        bool silent;
    };
    const Case cases[] = {
        {"an hour forward, slow reply", 3600000.0, false},
        {"an hour back, slow reply", -3600000.0, false},
        {"a day back, slow reply", -86400000.0, false},
        {"an hour forward, silent", 3600000.0, true},
        {"an hour back, silent", -3600000.0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        InstrumentOptions o = acqtest::Exact();
        o.faults.replyDelayMs = 2500;
        o.faults.silent = c.silent;
        acqtest::Rig r(o);
        r.clock.Set(1, 30, 0);
        r.clock.StepAfter(1000, c.stepMs);
        const double start = r.clock.MonotonicMs();
        const AcquireResult result = AcquireScanPair(r.ctx, 10, 0);
        const double ms = r.clock.MonotonicMs() - start;
        if (c.silent) {
            EXPECT_EQ(result, AcquireResult::NoResponse);
            // Two command waits of the 3 s bound, with the unanswered wake-up (2 s) between.
            EXPECT_GE(ms, 3000.0 + 2000.0 + 3000.0);
            EXPECT_LE(ms, 3000.0 + 2000.0 + 3000.0 + 500.0);
        } else {
            EXPECT_EQ(result, AcquireResult::Data);
            EXPECT_EQ(r.Heard(), acqtest::Byte(0x02) + acqtest::Repeat(acqtest::Byte(0x05), 16));
            EXPECT_TRUE(r.instrument.Images().empty());
            EXPECT_GE(ms, 2500.0);
            EXPECT_LE(ms, 2500.0 + 16 * 20.0 + 200.0);
        }
    }
}

}  // namespace
}  // namespace tav
