// The instrument tells the end of a parameter block only by a pause of the line: a byte that
// comes sooner is taken as one more byte of the block, and the block and the byte are lost. The
// program leaves at least 100 ms of silence after the last byte of every block, in every flow.
// The instrument here ends a block on a pause of 99 ms, so a flow that leaves less loses a block
// or a command.

#include <gtest/gtest.h>

#include <functional>

#include "FlowRig.h"
#include "acquisition/AutoIntegrationTime.h"
#include "acquisition/NextScan.h"

namespace tav {
namespace {

using acqtest::FlowRig;

void Enter(FlowRig& r, TextBox& box, const char* text) {
    box.UserEdit(text);
    r.Main().UserKeyPress(&box, 13);
}

// A run that ended in the middle of a pair: the instrument took its scan command and sent the
// first block, and waits for its acknowledgement.
void RunEndedInAPair(FlowRig& r) {
    r.comm.CommPort = 1;
    ASSERT_TRUE(r.comm.SetSettings("115200,N,8,1"));
    ASSERT_TRUE(r.comm.SetPortOpen(true));
    ASSERT_TRUE(r.comm.Output("\x02"));
    r.clock.Advance(100);
    ASSERT_TRUE(r.comm.SetPortOpen(false));
    r.comm.CatchUp();
    ASSERT_TRUE(r.instrument.InPair());
    r.state.InstrumentParametersUnknown = true;  // the new run knows nothing of the instrument
}

TEST(BlockEndPause, NoByteFollowsAParameterBlockSoonerThanTheInstrumentsPause) {
    struct Flow {
        const char* name;
        std::function<void(FlowRig&)> run;
        int wholeBlocks, shortBlocks;
        size_t boxes = 0;  // questions the flow asks
    };
    const Flow flows[] = {
        {"Enter in a parameter box, then N at once",
         [](FlowRig& r) {
             Enter(r, r.Main().Text3, "20.0");
             r.Type('N');
         },
         1, 0},
        {"N with the parameters unknown",
         [](FlowRig& r) {
             r.state.InstrumentParametersUnknown = true;
             r.Type('N');
         },
         1, 0},
        {"D, O and R with the parameters unknown",
         [](FlowRig& r) {
             for (char key : {'D', 'O', 'R'}) {
                 r.state.InstrumentParametersUnknown = true;
                 r.Type(key);
             }
         },
         3, 0},
        {"A timed scan with the parameters unknown",
         [](FlowRig& r) {
             r.state.InstrumentParametersUnknown = true;
             r.Type('A');
             r.Main().Timer1.UserTick();
             r.Type(27);
         },
         1, 0},
        // The parameters on screen, the test values, the test scan, and the values found.
        {"Auto Set Integration Time with the parameters unknown",
         [](FlowRig& r) {
             r.state.InstrumentParametersUnknown = true;
             AutoSetIntegrationTime(r.flow);
         },
         1, 2},
        {"the Set Para button twice",
         [](FlowRig& r) {
             r.Main().Command10.UserClick();
             r.Main().Command10.UserClick();
             r.Type('N');
         },
         2, 0},
        {"Wireless DC after Enter in a parameter box",
         [](FlowRig& r) {
             Enter(r, r.Main().Text4, "2");
             r.op.AnswerMessage(MsgResult::Yes);
             r.Main().cartmenu.UserClick();
             ASSERT_TRUE(r.state.WirelessDCOn);
             r.comm.CatchUp();
             ASSERT_TRUE(r.instrument.WirelessOn()) << "the start byte was no byte of the block";
             r.Type('N');
         },
         1, 0, 1},
        // The lost pair taken in step, then the parameters again and the command.
        {"a scan after a run that ended in the middle of a pair",
         [](FlowRig& r) {
             RunEndedInAPair(r);
             r.Type('N');
         },
         1, 0},
        // Both images, each followed by its block: the slave's "Y" and the last "Z" wait.
        {"the firmware download",
         [](FlowRig& r) {
             const std::string end = "S804000000FB\r\n";
             ASSERT_TRUE(r.dir.Write("OLMMASTR.S19", "S1060000010203F3\r\n" + end));
             ASSERT_TRUE(r.dir.Write("OLMSLAVE.S19", "S1060100040506E9\r\n" + end));
             r.instrument.RestartIntoLoader();
             r.Type('N');
             EXPECT_EQ(r.instrument.Stage(), InstrumentStage::Running);
         },
         2, 0},
    };
    for (const Flow& flow : flows) {
        SCOPED_TRACE(flow.name);
        InstrumentOptions o = acqtest::ExactInstrument();
        o.blockEndPauseMs = 99;
        FlowRig r(o);
        flow.run(r);
        r.InstrumentSettles();
        EXPECT_EQ(r.instrument.LostParameterBlocks(), 0);
        EXPECT_EQ(r.instrument.ParameterBlocks(), flow.wholeBlocks);
        EXPECT_EQ(r.instrument.ShortParameterBlocks(), flow.shortBlocks);
        EXPECT_FALSE(r.state.NoInstrumentResponse) << "every scan command was answered";
        EXPECT_GE(r.instrument.ScansMeasured(), 1);
        EXPECT_EQ(r.op.Messages().size(), flow.boxes) << r.op.MessageTexts().back();
        EXPECT_FALSE(r.instrument.InPair());
    }
}

}  // namespace
}  // namespace tav
