// An instrument left in the middle of its pair takes no command until the pair has been taken to
// its end, and loses every other byte meanwhile. It is left there when the operator gives the
// reply wait of a scan command up with Escape (the instrument measures on and answers later,
// maybe while the port is closed and nobody hears it), and when an acknowledgement is lost on a
// noisy line. Either way the next exchange takes the rest of that pair in step before it sends
// anything, parameters sent meanwhile go again, and the next scan is whole; nothing written to
// the instrument's memory by a stale scan number.

#include <gtest/gtest.h>

#include <functional>

#include "FlowRig.h"
#include "acquisition/NextScan.h"

namespace tav {
namespace {

using acqtest::FlowRig;

constexpr const char* NoData = "Warning:\nNO DATA TRANSMITTED\nRefer to 'Trouble Shooting'";
constexpr const char* StoppedReason = "The instrument stopped sending in the middle of a scan.";
constexpr const char* StillBusy = "The instrument is still busy with the scan that was given up with Escape.";

void EnterScanNumber(FlowRig& r, const char* number) {
    r.Main().Text6.UserEdit(number);
    r.Main().UserKeyPress(&r.Main().Text6, 13);
}

void ExpectWholeScan(FlowRig& r) {
    EXPECT_FALSE(r.state.NoInstrumentResponse);
    for (int i = 0; i < 256; ++i) ASSERT_EQ(r.state.Ch1Data[0][i], r.instrument.LastPair().sample[i]) << i;
    r.comm.CatchUp();
    EXPECT_FALSE(r.instrument.InPair());
}

// Scan# on screen and in the instrument.
void SetScanNumber(FlowRig& r, int16_t scans, int16_t intervalTenths) {
    r.state.ScanNumber = scans;
    r.state.IntervalTenths = intervalTenths;
    r.SendParameters();
}

TEST(PairLeftBehind, AScanGivenUpWithEscapeIsTakenInStepBeforeAnythingElseIsSent) {
    struct GivenUp {
        const char* name;
        std::function<void(FlowRig&)> setUp;  // before the scan given up
        double laterMs;                       // passes before the operator goes on
        int stored;                           // scans the given-up command writes to the memory
    };
    const GivenUp givenUps[] = {
        {"a slow reply that came while the port was closed",
         [](FlowRig& r) { r.instrument.Options().faults.replyDelayMs = 2500; }, 4000, 0},
        {"a slow reply still to come", [](FlowRig& r) { r.instrument.Options().faults.replyDelayMs = 2500; }, 0, 0},
        // Its tenth block lost on the line: the instrument waits for that block's acknowledgement.
        {"a slow reply with a block lost",
         [](FlowRig& r) {
             r.instrument.Options().faults.replyDelayMs = 2500;
             r.instrument.Options().faults.blocks = {{BlockFault::Kind::Missing, 10, 0, 1}};
         },
         0, 0},
        // Three scans a second apart into the memory: the operator then wants Scan# 0 again.
        {"a write series still measuring", [](FlowRig& r) { SetScanNumber(r, 3, 10); }, 0, 3},
        {"a write series over while the port was closed", [](FlowRig& r) { SetScanNumber(r, 3, 10); }, 5000, 3},
    };
    struct Next {
        const char* name;
        std::function<void(FlowRig&)> run;
    };
    const Next nexts[] = {
        {"N", [](FlowRig& r) { r.Type('N'); }},
        {"A and a tick",
         [](FlowRig& r) {
             r.Type('A');
             ASSERT_TRUE(r.state.PortHeldOpen);
             r.comm.CatchUp();
             EXPECT_FALSE(r.instrument.InPair()) << "the series takes the pair before its first tick";
             r.Main().Timer1.UserTick();
             r.Type(27);
         }},
        {"Scan# 0 entered, then N",
         [](FlowRig& r) {
             EnterScanNumber(r, "0");
             EXPECT_FALSE(r.state.InstrumentParametersUnknown);
             r.Type('N');
         }},
    };
    for (const GivenUp& givenUp : givenUps) {
        for (const Next& next : nexts) {
            SCOPED_TRACE(std::string(givenUp.name) + ", then " + next.name);
            FlowRig r;
            givenUp.setUp(r);
            r.host.EscapeAtKeepAlive(5);
            r.Type('N');
            ASSERT_EQ(r.op.MessageTexts(), std::vector<std::string>{NoData});
            ASSERT_FALSE(r.comm.PortOpen());
            r.clock.Advance(givenUp.laterMs);
            r.instrument.Options().faults.replyDelayMs = 0;

            next.run(r);
            EXPECT_EQ(r.op.MessageTexts(), std::vector<std::string>{NoData}) << "no box";
            ExpectWholeScan(r);
            EXPECT_EQ(r.instrument.Parameters().ScanNumber, r.state.ScanNumber);
            EXPECT_EQ(r.instrument.WritePointer(), 1 + givenUp.stored + r.state.ScanNumber)
                << "the memory holds only what the operator asked for";
            EXPECT_FALSE(r.state.InstrumentParametersUnknown);
        }
    }
}

// The first acknowledgement of a block is lost on the line, in the first pair: the instrument
// waits for one more. A later block that does not come ends the pair as no data, after the rest
// of it has been taken (the acknowledgement of the silent block was the one missing); the last
// block's is only missed at the next scan command, which brings no reply. Either way the next scan
// is whole.
TEST(PairLeftBehind, ALostAcknowledgementLeavesTheNextScanWhole) {
    for (int block : {1, 4, 8, 9, 15, 16}) {
        SCOPED_TRACE(block);
        InstrumentOptions o = acqtest::ExactInstrument();
        o.faults.blocks.push_back({BlockFault::Kind::AckLost, block, 0, 1});
        FlowRig r(o);
        r.Type('N');
        r.comm.CatchUp();
        if (block < 16) {
            EXPECT_EQ(r.op.MessageTexts(), std::vector<std::string>{std::string(NoData) + "\n" + StoppedReason});
            EXPECT_FALSE(r.instrument.InPair()) << "taken to its end";
        } else {
            EXPECT_TRUE(r.op.MessageTexts().empty());
            EXPECT_TRUE(r.instrument.InPair()) << "it waits for the last acknowledgement";
        }
        const size_t boxes = r.op.Messages().size();
        r.Type('N');
        EXPECT_EQ(r.op.Messages().size(), boxes) << r.op.MessageTexts().back();
        ExpectWholeScan(r);
    }
}

// The wait for the pair owed by a long write series given up may be given up again: nothing is
// sent, the box says why, and the parameters are sent again once the pair has been taken.
TEST(PairLeftBehind, GivingUpTheWaitForAnOwedPairSendsNothing) {
    const std::string unsent = std::string(StillBusy) + "\nThe parameters have not been sent to the instrument.";
    struct Step {
        const char* name;
        std::function<void(FlowRig&)> run;
        std::string box;
    };
    const Step steps[] = {
        {"Enter in the scan-number box", [](FlowRig& r) { EnterScanNumber(r, "0"); }, unsent},
        // The parameters go again first, which cannot be done either.
        {"N", [](FlowRig& r) { r.Type('N'); }, unsent},
        {"A", [](FlowRig& r) { r.Type('A'); }, std::string(StillBusy) + "\nAutoScan has not been started."},
    };
    FlowRig r;
    SetScanNumber(r, 3, 50);  // some ten seconds
    r.host.EscapeAtKeepAlive(5);
    r.Type('N');
    ASSERT_EQ(r.op.MessageTexts(), std::vector<std::string>{NoData});

    r.comm.ClearJournal();
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        r.host.EscapeAtKeepAlive(3);
        step.run(r);
        EXPECT_EQ(r.op.MessageTexts().back(), step.box);
        EXPECT_TRUE(r.state.InstrumentParametersUnknown);
        EXPECT_FALSE(r.Main().Timer1.Enabled());
    }
    EXPECT_TRUE(r.Journal("out").empty()) << "nothing sent";
    EXPECT_FALSE(r.comm.PortOpen());

    const size_t boxes = r.op.Messages().size();
    r.Type('N');
    EXPECT_EQ(r.op.Messages().size(), boxes);
    ExpectWholeScan(r);
    EXPECT_EQ(r.instrument.Parameters().ScanNumber, 0);
    EXPECT_EQ(r.instrument.WritePointer(), 4) << "the three scans of the series, and no more";
}

}  // namespace
}  // namespace tav
