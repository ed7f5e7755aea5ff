// A serial port that cannot be opened says why, once: a scan, the parameter block, the
// wireless bytes and key A each show the port, its device and the reason, in one box, before
// the flow's own message (a scan's "NO DATA TRANSMITTED"). A held port that has failed is let go
// by the exchange that finds it dead.

#include <gtest/gtest.h>

#include <functional>

#include "FlowRig.h"
#include "acquisition/NextScan.h"
#include "acquisition/WirelessDC.h"

namespace tav {
namespace {

using acqtest::FlowRig;

constexpr const char* NoData = "Warning:\nNO DATA TRANSMITTED\nRefer to 'Trouble Shooting'";
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
    const Exchange exchanges[] = {
        {"a scan", [](FlowRig& r) { NextScan(r.flow); },
         [](const std::string& box) { return std::vector<std::string>{box, NoData}; }},
        {"the parameter block", [](FlowRig& r) { r.Main().SetIntegAverIntens(); },
         [](const std::string& box) {
             return std::vector<std::string>{box + "\nThe parameters have not been sent to the instrument."};
         }},
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
        {"a scan", [](FlowRig& r) { NextScan(r.flow); }, 2},
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

}  // namespace
}  // namespace tav
