// The parameter blocks and the wireless switch, byte for byte on the loopback port.

#include <gtest/gtest.h>

#include "AcquisitionRig.h"
#include "acquisition/ParameterBlocks.h"
#include "acquisition/WirelessDC.h"

namespace tav {
namespace {

using acqtest::Byte;
using acqtest::Rig;

std::string Word(int v) { return Byte(v / 256) + Byte(v % 256); }

TEST(ParameterBlock, SendsTheCommandThenTwelveBytesFivePaced) {
    Rig r;
    r.clock.Set(0, 1, 0);
    r.clock.SetReadStepMicros(0);
    ProgramState& s = r.state;
    s.IntegrationTime = 1234;
    s.NumToAverage = 5;
    s.LampLevel = 99;
    s.ScanNumber = 3;
    s.IntervalTenths = 30;
    s.ReadAddress = 300;
    double start = r.Seconds();
    ASSERT_TRUE(ParameterBlock(r.ctx));
    double ms = (r.Seconds() - start) * 1000.0;

    EXPECT_EQ(r.Heard(), Byte(0x01) + Word(1234) + Word(5) + Word(0) + Word(3) + Word(30) + Word(300));
    EXPECT_EQ(s.LampLevel, 0);
    EXPECT_EQ(r.port.Journal(),
              (std::vector<std::string>{"settings 115200,N,8,1", "open 1 115200,N,8,1", "clear", "out 01",
                                        "out 04", "out D2", "out 00", "out 05", "out 00", "out 00", "out 00",
                                        "out 03", "out 00", "out 1E", "out 01", "out 2C", "close"}));
    // The pauses after the first 11 bytes, and 20 ms for the last byte to leave before the close.
    EXPECT_GE(ms, 11 * 5 + 20);
    EXPECT_LE(ms, 11 * 5 + 20 + 10);
    r.instrument.Advance(1e6);
    EXPECT_EQ(r.instrument.ParameterBlocks(), 1);
    EXPECT_EQ(r.instrument.Parameters().IntegrationTime, 1234);
    EXPECT_EQ(r.instrument.Parameters().ReadAddress, 300);
}

TEST(ParameterBlock, EveryWordIsSentWithinItsRange) {
    struct Case {
        int32_t integration;
        int16_t average, readAddress;
        int sentIntegration, sentAverage, sentReadAddress;
    };
    const Case cases[] = {
        {40000, 1, 1, 32767, 1, 1},
        {-5, -1, 1764, 0, 0, 1764},
        {32767, 32767, -32768, 32767, 32767, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.integration);
        Rig r;
        r.state.IntegrationTime = c.integration;
        r.state.NumToAverage = c.average;
        r.state.ReadAddress = c.readAddress;
        ASSERT_TRUE(ParameterBlock(r.ctx));
        EXPECT_EQ(r.Heard(), Byte(0x01) + Word(c.sentIntegration) + Word(c.sentAverage) + Word(0) + Word(0) +
                                 Word(10) + Word(c.sentReadAddress));
    }
}

// An instrument that does not answer the parameter command did not take it: its data bytes
// would reach it as commands of their own. The command goes again after one acknowledgement (for
// an instrument waiting in a pair), and when that brings no answer either, the block is not sent
// and the operator is told.
TEST(ParameterBlock, ASilentInstrumentCostsTheReplyWaitTwiceAndGetsNoDataBytes) {
    InstrumentOptions o = acqtest::Exact();
    o.faults.silent = true;
    Rig r(o);
    r.clock.Set(0, 1, 0);
    r.clock.SetReadStepMicros(0);
    double start = r.Seconds();
    EXPECT_FALSE(ParameterBlock(r.ctx));
    double ms = (r.Seconds() - start) * 1000.0;
    EXPECT_EQ(r.Journal("out"), (std::vector<std::string>{"out 01", "out 05", "out 01"}));
    // Two reply waits and, between them, the acknowledgement's block wait with its grace.
    EXPECT_GE(ms, 2 * 1000 + 20 + 200);
    EXPECT_LE(ms, 2 * 1000 + 20 + 200 + 30);
    EXPECT_FALSE(r.port.PortOpen());
    EXPECT_TRUE(r.state.InstrumentParametersUnknown);
    EXPECT_EQ(r.op.MessageTexts(), std::vector<std::string>{"The instrument on COM1 did not answer the parameter "
                                                            "command.\nThe parameters have not been sent to the "
                                                            "instrument."});
}

TEST(ParameterBlock, TheShortBlockCarriesTheLampLevel) {
    Rig r;
    r.state.IntegrationTime = 500;
    r.state.NumToAverage = 2;
    r.state.LampLevel = 700;
    ASSERT_TRUE(ShortParameterBlock(r.ctx));
    EXPECT_EQ(r.Heard(), Byte(0x01) + Word(500) + Word(2) + Word(700));
    EXPECT_EQ(r.state.LampLevel, 700);
    r.instrument.Advance(1e6);
    EXPECT_EQ(r.instrument.ShortParameterBlocks(), 1);
    EXPECT_EQ(r.instrument.Parameters().LampLevel, 700);
}

TEST(ParameterBlock, PortProblems) {
    {
        Rig r;  // the port does not exist
        r.state.CommPortNumber = 2;
        r.port.SetPortPresent(2, false);
        EXPECT_FALSE(ParameterBlock(r.ctx));
        EXPECT_EQ(r.Heard(), "");
    }
    {
        Rig r;  // held open by timed acquisition on the same port: used, left open
        r.port.CommPort = 1;
        ASSERT_TRUE(r.port.SetPortOpen(true));
        r.state.PortHeldOpen = true;
        ASSERT_TRUE(ParameterBlock(r.ctx));
        EXPECT_EQ(r.Heard().size(), 13u);
        EXPECT_TRUE(r.port.PortOpen());
        EXPECT_EQ(r.port.Settings(), "115200,N,8,1");
    }
}

// Only a whole block of all the parameters tells the instrument its scan number and read pointer
// again. A block cut short or refused leaves the parameters unknown, whatever they were; a short
// block, which carries neither, leaves them as they were even when it goes out whole.
TEST(ParameterBlock, OnlyAWholeBlockOfAllTheParametersMakesThemKnown) {
    enum class Sender { Whole, Short, InTheDownload };
    enum class Goes { Whole, Cut, Refused };
    for (Sender sender : {Sender::Whole, Sender::Short, Sender::InTheDownload}) {
        for (bool unknownBefore : {false, true}) {
            for (Goes goes : {Goes::Whole, Goes::Cut, Goes::Refused}) {
                if (sender == Sender::InTheDownload && goes == Goes::Refused) continue;  // it has its port
                SCOPED_TRACE(testing::Message() << "sender " << static_cast<int>(sender) << ", unknown before "
                                                << unknownBefore << ", goes " << static_cast<int>(goes));
                Rig r;
                r.state.InstrumentParametersUnknown = unknownBefore;
                if (goes == Goes::Cut) r.port.PullPortAfterBytes(1, 5);  // 0x01 and four data bytes
                if (goes == Goes::Refused) {                             // AutoScan holds COM2
                    r.port.CommPort = 2;
                    ASSERT_TRUE(r.port.SetPortOpen(true));
                    r.state.PortHeldOpen = true;
                }
                bool sent = false;
                switch (sender) {
                    case Sender::Whole: sent = ParameterBlock(r.ctx); break;
                    case Sender::Short: sent = ShortParameterBlock(r.ctx); break;
                    case Sender::InTheDownload:
                        r.port.CommPort = 1;
                        ASSERT_TRUE(r.port.SetSettings("115200,N,8,1"));
                        ASSERT_TRUE(r.port.SetPortOpen(true));
                        sent = SendParameterBlockOnOpenPort(r.ctx);
                        break;
                }
                EXPECT_EQ(sent, goes == Goes::Whole);
                const bool known = goes == Goes::Whole && (sender != Sender::Short || !unknownBefore);
                EXPECT_EQ(r.state.InstrumentParametersUnknown, !known);
            }
        }
    }
}

TEST(WirelessDC, AConfirmedQuestionSendsOneByteOnPortOne) {
    struct Case {
        bool before;
        MsgResult answer;
        const char* question;
        std::string heard;
        bool after;
    };
    const Case cases[] = {
        {false, MsgResult::Yes, "Are you sure you want to start Wireless DC?", Byte(0x08), true},
        {true, MsgResult::Yes, "Are you sure you want to stop wireless DC?", Byte(0x04), false},
        {false, MsgResult::No, "Are you sure you want to start Wireless DC?", "", false},
        {true, MsgResult::No, "Are you sure you want to stop wireless DC?", "", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.question);
        Rig r;
        r.state.CommPortNumber = 2;  // the switch always uses port 1
        r.state.WirelessDCOn = c.before;
        r.op.AnswerMessage(c.answer);
        ToggleWirelessDC(r.ctx);
        ASSERT_EQ(r.op.Messages().size(), 1u);
        EXPECT_EQ(r.op.Messages()[0].text, c.question);
        EXPECT_EQ(r.op.Messages()[0].buttons, MsgButtons::YesNo);
        EXPECT_EQ(r.op.Messages()[0].icon, MsgIcon::Exclamation);
        EXPECT_EQ(r.op.Messages()[0].title, "");
        EXPECT_EQ(r.Heard(), c.heard);
        EXPECT_EQ(r.state.WirelessDCOn, c.after);
        if (c.heard.empty()) {
            EXPECT_TRUE(r.port.Journal().empty()) << "No leaves the port untouched";
        } else {
            EXPECT_EQ(r.Journal("open"), (std::vector<std::string>{"open 1 115200,N,8,1"}));
            EXPECT_FALSE(r.port.PortOpen());
        }
        r.instrument.Advance(1e6);
        EXPECT_EQ(r.instrument.WirelessOn(), c.heard == Byte(0x08));
    }
}

TEST(WirelessDC, ACommandThatCannotBeSentChangesNothing) {
    Rig r;
    r.port.SetPortPresent(1, false);
    r.op.AnswerMessage(MsgResult::Yes);
    ToggleWirelessDC(r.ctx);
    EXPECT_FALSE(r.state.WirelessDCOn);
    ASSERT_EQ(r.op.Messages().size(), 2u);
    EXPECT_NE(r.op.Messages()[1].text.find("COM1"), std::string::npos) << r.op.Messages()[1].text;
}

}  // namespace
}  // namespace tav
