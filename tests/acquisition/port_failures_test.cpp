// A serial port that cannot be opened says why, once: every scan flow, the parameter block, the
// wireless bytes and key A each show the port, its device and the reason in one box, and no
// other box follows it (no "NO DATA TRANSMITTED" after it). A port that fails, held or not, is
// let go by the exchange that finds it dead, at once and with its reason, in one box.

#include <gtest/gtest.h>

#include <functional>

#include "FlowRig.h"
#include "acquisition/AutoIntegrationTime.h"
#include "acquisition/DarkReferenceScan.h"
#include "acquisition/NextScan.h"
#include "acquisition/OverlayScan.h"
#include "acquisition/WirelessDC.h"
#include "windows/MainForm.h"

namespace tav {
namespace {

using acqtest::FlowRig;

constexpr const char* Opening = "The serial port COM1 could not be opened:\n";

std::vector<std::string> Texts(const ScriptedOperator& op) {
    std::vector<std::string> texts;
    for (const MessageRecord& m : op.Messages()) texts.push_back(m.text);
    return texts;
}

TEST(PortFailures, EveryExchangeNamesThePortTheDeviceAndTheReasonOnce) {
    struct Reason {
        const char* name;
        std::function<void(LoopbackComm&)> set;
        std::string why;
    };
    const std::string busy = "COM1 is the bench's port 1:\ndevice busy: in use by another program.";
    const std::string denied =
        "COM1 is the bench's port 1:\npermission denied. Join the \"dialout\" group "
        "(sudo usermod -aG dialout $USER), then log out and in again.";
    const Reason reasons[] = {
        {"no such device", [](LoopbackComm& c) { c.SetPortPresent(1, false); },
         "COM1 is the bench's port 1: no such device."},
        {"device busy", [&](LoopbackComm& c) { c.SetOpenRefusal(1, busy); }, busy},
        {"permission denied", [&](LoopbackComm& c) { c.SetOpenRefusal(1, denied); }, denied},
    };
    struct Exchange {
        const char* name;
        std::function<void(FlowRig&)> run;
        std::function<std::vector<std::string>(const std::string& box)> messages;
    };
    auto alone = [](const std::string& box) { return std::vector<std::string>{box}; };
    auto unsent = [](const std::string& box) {
        return std::vector<std::string>{box + "\nThe parameters have not been sent to the instrument."};
    };
    const Exchange exchanges[] = {
        {"a next scan", [](FlowRig& r) { NextScan(r.flow); }, alone},
        {"an overlay scan", [](FlowRig& r) { OverlayScan(r.flow); }, alone},
        {"a dark scan", [](FlowRig& r) { DarkScan(r.flow); }, alone},
        {"a reference scan", [](FlowRig& r) { ReferenceScan(r.flow); }, alone},
        {"a reference scan after a block that did not go out whole",
         [](FlowRig& r) {
             r.state.InstrumentParametersUnknown = true;
             ReferenceScan(r.flow);
         },
         unsent},
        {"Auto Set Integration Time", [](FlowRig& r) { AutoSetIntegrationTime(r.flow); }, unsent},
        {"the parameter block", [](FlowRig& r) { r.Main().SetIntegAverIntens(); }, unsent},
        {"the wireless bytes",
         [](FlowRig& r) {
             r.op.AnswerMessage(MsgResult::Yes);
             FlowAcquisition link(r.flow);
             ToggleWirelessDC(link.ctx);
         },
         [](const std::string& box) {
             return std::vector<std::string>{"Are you sure you want to start Wireless DC?",
                                             box + "\nWireless DC has not been started."};
         }},
        {"key A",
         [](FlowRig& r) {
             int16_t key = 'A';
             std::string title;
             r.app.keyCommand(key, title);
             EXPECT_FALSE(r.Main().Timer1.Enabled());
             EXPECT_FALSE(r.state.PortHeldOpen);
         },
         [](const std::string& box) { return std::vector<std::string>{box + "\nAutoScan has not been started."}; }},
    };
    for (const Reason& reason : reasons) {
        for (const Exchange& exchange : exchanges) {
            SCOPED_TRACE(std::string(exchange.name) + ", " + reason.name);
            FlowRig r;
            reason.set(r.comm);
            exchange.run(r);
            EXPECT_EQ(Texts(r.op), exchange.messages(Opening + reason.why));
            EXPECT_EQ(r.Heard(), "");
            EXPECT_FALSE(r.comm.PortOpen());
            EXPECT_FALSE(r.state.WirelessDCOn);
        }
    }
}

// Timed acquisition holds COM2 while the parameter block is for COM1: one box says so, and no
// second one follows it.
TEST(PortFailures, AParameterBlockRefusedForTheHeldPortIsOneBox) {
    FlowRig r;
    r.comm.CommPort = 2;
    ASSERT_TRUE(r.comm.SetPortOpen(true));
    r.state.PortHeldOpen = true;
    r.Main().SetIntegAverIntens();
    EXPECT_EQ(Texts(r.op), std::vector<std::string>{
                               "COM2 is held open by AutoScan.\nPress Escape to stop AutoScan before using COM1."});
    EXPECT_TRUE(r.comm.PortOpen());
    EXPECT_EQ(r.Heard(), "");
}

// A port held by timed acquisition whose adapter is pulled: whichever exchange finds it dead
// closes it and lets it go, so that once the adapter is back the same exchange opens the port
// afresh and gets through.
TEST(PortFailures, AHeldPortThatFailsIsLetGoByTheExchangeThatFindsIt) {
    struct Exchange {
        const char* name;
        std::function<void(FlowRig&)> run;
        size_t boxes;  // when the port is dead
    };
    const Exchange exchanges[] = {
        {"a scan", [](FlowRig& r) { NextScan(r.flow); }, 1},
        {"the parameter block", [](FlowRig& r) { r.Main().SetIntegAverIntens(); }, 1},
        {"the wireless bytes",
         [](FlowRig& r) {
             r.op.AnswerMessage(MsgResult::Yes);
             FlowAcquisition link(r.flow);
             ToggleWirelessDC(link.ctx);
         },
         2},
    };
    for (const Exchange& exchange : exchanges) {
        SCOPED_TRACE(exchange.name);
        FlowRig r;
        r.comm.CommPort = 1;
        ASSERT_TRUE(r.comm.SetSettings("115200,N,8,1"));
        ASSERT_TRUE(r.comm.SetPortOpen(true));
        r.state.PortHeldOpen = true;
        r.comm.SetPortPresent(1, false);
        exchange.run(r);
        EXPECT_EQ(r.op.Messages().size(), exchange.boxes);
        EXPECT_FALSE(r.comm.PortOpen()) << "the dead port is closed at once";
        EXPECT_FALSE(r.state.PortHeldOpen);

        r.comm.SetPortPresent(1, true);
        r.instrument.ClearLogs();
        if (std::string(exchange.name) == "the wireless bytes") r.op.AnswerMessage(MsgResult::Yes);
        exchange.run(r);
        EXPECT_NE(r.Heard(), "") << "through on the port opened afresh";
        EXPECT_EQ(r.op.Messages().size(), exchange.boxes + (std::string(exchange.name) == "the wireless bytes"));
        EXPECT_FALSE(r.comm.PortOpen());
    }
}

// The adapter pulled at any point of a scan's exchange: in the scan command, in either pass, while
// the rest of a broken pair is taken, at a read-out's next command, while the parameters go again
// first, in the firmware download. The exchange ends at once, the port is closed and let go, and
// the box says that the port failed and why, and no no-data box follows it; a timed series ends
// on that one box, also one that holds no port (started from the quick menu). With the adapter
// back, the next scan on the same instrument is whole: an instrument left in its pair is taken
// through the rest of it first.
TEST(PortFailures, APortThatFailsInTheMiddleOfAScanIsLetGoAndToldAtOnce) {
    const std::string failed = "The serial port COM1 failed:\nThe serial device has been removed.";
    struct Point {
        const char* name;
        int bytes;  // the adapter goes after the computer has sent this many bytes
        std::function<void(FlowRig&)> setUp;
        std::string unsent = "";   // the line that follows the reason, for what was not done
        bool commandSent = true;
    };
    const Point points[] = {
        {"the scan command", 0, [](FlowRig&) {}},
        {"the first acknowledgement", 1, [](FlowRig&) {}},
        {"the first pass", 5, [](FlowRig&) {}},
        {"the second pass", 12, [](FlowRig&) {}},
        {"the rest of a broken pair",
         6, [](FlowRig& r) { r.instrument.Options().faults.blocks.push_back({BlockFault::Kind::Short, 3, 6, 1}); }},
        {"a read-out's next command", 17, [](FlowRig& r) { acqtest::PrepareReadOut(r, 4, 2); }},
        {"the parameters sent again first", 4, [](FlowRig& r) { r.state.InstrumentParametersUnknown = true; },
         "\nThe parameters have not been sent to the instrument.", false},
        {"the firmware download",
         9,
         [](FlowRig& r) {
             ASSERT_TRUE(r.dir.Write("OLMMASTR.S19", "S1060000010203F3\r\nS804000000FB\r\n"));
             ASSERT_TRUE(r.dir.Write("OLMSLAVE.S19", "S1060100040506E9\r\nS804000000FB\r\n"));
             r.instrument.RestartIntoLoader();
             r.clock.Advance(100);
             r.state.NoInstrumentResponse = true;  // a held port probes the link again
         }},
    };
    enum class Run { Single, HeldSeries, MenuSeries };
    for (const Point& point : points) {
        for (Run run : {Run::Single, Run::HeldSeries, Run::MenuSeries}) {
            SCOPED_TRACE(std::string(point.name) + (run == Run::Single       ? ", a single scan"
                                                    : run == Run::HeldSeries ? ", a series holding the port"
                                                                             : ", a series from the menu"));
            FlowRig r;
            point.setUp(r);
            if (run == Run::HeldSeries) {
                r.comm.CommPort = 1;
                ASSERT_TRUE(r.comm.SetSettings("115200,N,8,1"));
                ASSERT_TRUE(r.comm.SetPortOpen(true));
                r.state.PortHeldOpen = true;
            }
            if (run != Run::Single) r.Main().Timer1.SetEnabled(true);
            r.instrument.ClearLogs();
            r.comm.PullPortAfterBytes(1, point.bytes + static_cast<int>(r.Heard().size()));
            const double start = r.clock.MonotonicMs();
            NextScan(r.flow);
            EXPECT_LT(r.clock.MonotonicMs() - start, 1500.0) << "no bound waited out on a dead port";
            std::vector<std::string> boxes = Texts(r.op);
            ASSERT_EQ(boxes.size(), 1u) << boxes.back();
            if (run != Run::Single) {
                EXPECT_FALSE(r.Main().Timer1.Enabled()) << "the series ends on the one box";
            }
            EXPECT_EQ(boxes[0], failed + point.unsent);
            EXPECT_FALSE(r.comm.PortOpen());
            EXPECT_FALSE(r.state.PortHeldOpen);
            EXPECT_EQ(r.state.NoInstrumentResponse, point.commandSent) << "no scan command without the parameters";

            // The adapter plugged back; a loader that lost its download half-way is switched off
            // and on.
            r.clock.Advance(2000);
            if (r.instrument.Stage() != InstrumentStage::Running) r.instrument.RestartIntoLoader();
            NextScan(r.flow);
            EXPECT_EQ(Texts(r.op), boxes) << "the next scan is whole";
            EXPECT_FALSE(r.state.NoInstrumentResponse);
            r.comm.CatchUp();
            EXPECT_FALSE(r.instrument.InPair());
            EXPECT_EQ(r.state.Ch1Data[0][9], r.instrument.LastPair().sample[9]);
        }
    }
}

// Every other scan flow alike: the adapter pulled in the first pass of its pair is one box. The
// automatic integration time does not then send the operator's values back on the port opened
// afresh (where the instrument, still in its pair, would lose them, or no device would be found,
// with a second box): like every flow's, they are left unknown, for the next exchange to send
// first.
TEST(PortFailures, EveryScanFlowTellsAPortThatFailsInItsPairOnce) {
    const std::string failed = "The serial port COM1 failed:\nThe serial device has been removed.";
    struct Flow {
        const char* name;
        std::function<void(FlowRig&)> run;
        int bytesBefore = 0;  // what the flow sends before its scan command
    };
    const Flow flows[] = {
        {"overlay scan", [](FlowRig& r) { OverlayScan(r.flow); }},
        {"dark scan", [](FlowRig& r) { DarkScan(r.flow); }},
        {"reference scan", [](FlowRig& r) { ReferenceScan(r.flow); }},
        {"Auto Set Integration Time", [](FlowRig& r) { AutoSetIntegrationTime(r.flow); }, 7},
    };
    for (const Flow& flow : flows) {
        SCOPED_TRACE(flow.name);
        FlowRig r;
        r.instrument.ClearLogs();
        r.comm.PullPortAfterBytes(1, flow.bytesBefore + 5);
        flow.run(r);
        EXPECT_EQ(Texts(r.op), std::vector<std::string>{failed});
        EXPECT_FALSE(r.comm.PortOpen());
        EXPECT_TRUE(r.state.InstrumentParametersUnknown) << "another instrument may come back on the port";
    }
}

}  // namespace
}  // namespace tav
