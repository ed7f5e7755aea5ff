// The loopback serial control: its failures, the timing of arriving bytes, the input buffer,
// line speeds, and a whole pair of passes read the way the computer reads it.

#include <gtest/gtest.h>

#include "doubles/FakeClock.h"
#include "doubles/LoopbackComm.h"
#include "support/comm_test_bench.h"

namespace tav {
namespace {

using commtest::Byte;

struct Rig {
    explicit Rig(InstrumentOptions o = Exact()) : instrument(std::move(o)), port(instrument, clock) {}
    static InstrumentOptions Exact() {
        InstrumentOptions o;
        o.spectrum.noise = 0.0;
        return o;
    }
    SimulatedInstrument instrument;
    FakeClock clock;
    LoopbackComm port;
    void Open(const char* settings = "115200,N,8,1") {
        ASSERT_TRUE(port.SetSettings(settings));
        ASSERT_TRUE(port.SetPortOpen(true));
    }
};

TEST(CommLoopback, EveryOperationCanFailAndSaysWhy) {
    Rig r;
    EXPECT_FALSE(r.port.Output(Byte(2))) << "output on a closed port";
    EXPECT_EQ(r.port.Input(), "");
    EXPECT_FALSE(r.port.LastReadResult());
    EXPECT_EQ(r.port.InBufferCount(), 0);
    EXPECT_FALSE(r.port.SetPortOpen(false)) << "closing a closed port";

    CommResult bad = r.port.SetSettings("fast please");
    EXPECT_FALSE(bad);
    EXPECT_NE(bad.error.find("fast please"), std::string::npos);
    EXPECT_EQ(r.port.Settings(), "9600,N,8,1") << "a refused setting keeps the old one";

    r.port.CommPort = 3;
    CommResult missing = r.port.SetPortOpen(true);
    EXPECT_FALSE(missing);
    EXPECT_NE(missing.error.find("COM3"), std::string::npos);
    EXPECT_FALSE(r.port.PortOpen());

    r.port.CommPort = 1;
    ASSERT_TRUE(r.port.SetPortOpen(true));
    EXPECT_FALSE(r.port.SetPortOpen(true)) << "opening twice";
    EXPECT_TRUE(r.port.PortOpen());
    EXPECT_EQ(r.port.Input(), "");
    EXPECT_TRUE(r.port.LastReadResult()) << "a quiet open port is no failure";

    // The adapter is pulled out while the port is open.
    r.port.SetPortPresent(1, false);
    EXPECT_FALSE(r.port.Output(Byte(2)));
    EXPECT_EQ(r.port.Input(), "");
    EXPECT_FALSE(r.port.LastReadResult());
    EXPECT_FALSE(r.port.SetSettings("9600,N,8,1"));
    EXPECT_FALSE(r.port.PortFault());
    // Back on the same path, the device does not bring the open descriptor back to life.
    r.port.SetPortPresent(1, true);
    EXPECT_FALSE(r.port.Output(Byte(2)));
    EXPECT_FALSE(r.port.PortFault());
    EXPECT_TRUE(r.port.SetPortOpen(false));
    EXPECT_TRUE(r.port.PortFault()) << "a closed port has no fault";
    ASSERT_TRUE(r.port.SetPortOpen(true));
    EXPECT_TRUE(r.port.Output(Byte(2)));
    EXPECT_TRUE(r.port.PortFault());
}

TEST(CommLoopback, APortPulledInTheMiddleAndSettingsRefused) {
    Rig r;
    r.Open();
    r.port.PullPortAfterBytes(1, 2);
    EXPECT_TRUE(r.port.Output(Byte(2)));
    EXPECT_FALSE(r.port.Output(Byte(5) + Byte(5))) << "only the first byte goes";
    std::vector<std::string> out;
    for (const std::string& line : r.port.Journal())
        if (line.rfind("out", 0) == 0) out.push_back(line);
    EXPECT_EQ(out, (std::vector<std::string>{"out 02", "out 05"}));
    EXPECT_FALSE(r.port.PortFault());
    EXPECT_TRUE(r.port.SetPortOpen(false));

    r.port.SetSettingsRefusal(1, "refused");
    EXPECT_FALSE(r.port.SetPortOpen(true));
    r.port.SetSettingsRefusal(1, "");
    ASSERT_TRUE(r.port.SetPortOpen(true));
    r.port.SetSettingsRefusal(1, "refused");
    CommResult set = r.port.SetSettings("9600,N,8,1");
    EXPECT_EQ(set.error, "refused");
    EXPECT_EQ(r.port.PortFault().error, "refused");
}

TEST(CommLoopback, BytesArriveWhenTheInstrumentHasSentThem) {
    Rig r;
    r.Open();
    ASSERT_TRUE(r.port.Output(Byte(0x02)));  // 10 ms of measuring, 2 ms to react, 5.7 ms on the line
    EXPECT_EQ(r.port.InBufferCount(), 0);
    r.clock.Advance(9);
    EXPECT_EQ(r.port.InBufferCount(), 0);
    r.clock.Advance(4);
    int part = r.port.InBufferCount();
    EXPECT_GT(part, 0);
    EXPECT_LT(part, 66);
    r.clock.Advance(7);
    EXPECT_EQ(r.port.InBufferCount(), 66);

    r.port.InputLen = 2;
    EXPECT_EQ(r.port.Input().size(), 2u);
    EXPECT_EQ(r.port.InBufferCount(), 64) << "Input removes what it returns";
    r.port.InputLen = 0;
    EXPECT_EQ(r.port.Input().size(), 64u);
    EXPECT_EQ(r.port.Input(), "");
}

TEST(CommLoopback, ClearingDiscardsWhatArrivedButNotWhatIsOnTheWay) {
    Rig r;
    r.clock.SetReadStepMicros(0);  // only the advances let bytes arrive
    r.Open();
    r.port.Output(Byte(0x02));
    r.clock.Advance(13);
    int early = r.port.InBufferCount();
    ASSERT_GT(early, 0);
    r.port.ClearInBuffer();
    EXPECT_EQ(r.port.InBufferCount(), 0);
    r.clock.Advance(10);
    EXPECT_EQ(r.port.InBufferCount(), 66 - early);
}

TEST(CommLoopback, WhatArrivesWhileThePortIsClosedIsLost) {
    Rig r;
    r.Open();
    r.port.Output(Byte(0x02));
    ASSERT_TRUE(r.port.SetPortOpen(false));
    r.clock.Advance(50);
    ASSERT_TRUE(r.port.SetPortOpen(true));
    EXPECT_EQ(r.port.InBufferCount(), 0);
}

TEST(CommLoopback, DifferentLineSpeedsGarbleBothWays) {
    // Command sent at 9600 to the instrument at 115200: it hears zeros, not 0x02, and is silent.
    Rig slow;
    slow.Open("9600,N,8,1");
    slow.port.Output(Byte(0x02));
    slow.clock.Advance(100);
    EXPECT_EQ(slow.port.InBufferCount(), 0);
    EXPECT_EQ(slow.instrument.Received(), std::string(2, '\0'));

    // Command at 115200, then the port drops to 9600 before the block comes: few bytes, wrong.
    Rig r;
    r.Open();
    r.port.Output(Byte(0x02));
    ASSERT_TRUE(r.port.SetSettings("9600,N,8,1")) << "settings change while the port is open";
    EXPECT_TRUE(r.port.PortOpen());
    r.clock.Advance(30);
    std::string heard = r.port.Input();
    std::string truth = SimulatedInstrument::BlockBytes(r.instrument.LastPair(), 1);
    EXPECT_LT(heard.size(), 12u);
    EXPECT_EQ(truth.find(heard), heard.empty() ? 0u : std::string::npos);
}

TEST(CommLoopback, CountedWaitOfEmptyReadsSeesTheReply) {
    // A poll takes time, so 200000 empty reads span a while, not no time at all: by the port's
    // own poll cost or by the clock's cost of a reading.
    struct Case {
        double pollMs;
        int readStepMicros;
        bool replySeen;
    };
    const Case cases[] = {{0.001, 0, true}, {0.0, 100, true}, {0.0, 0, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pollMs + c.readStepMicros);
        Rig r;
        r.clock.SetReadStepMicros(c.readStepMicros);
        r.port.SetPollMilliseconds(c.pollMs);
        r.Open();
        r.port.Output(Byte(0x01));
        r.port.ClearInBuffer();
        int reads = 0;
        std::string reply;
        while (reads <= 200000 && (reply = r.port.Input()).empty()) ++reads;
        EXPECT_EQ(reply.size(), c.replySeen ? 1u : 0u);
    }
}

TEST(CommLoopback, InstrumentHangsOnItsOwnPortOnly) {
    Rig r;
    r.port.CommPort = 2;
    r.Open();
    r.port.Output(Byte(0x08));
    r.port.Output(Byte(0x02));
    r.clock.Advance(50);
    EXPECT_EQ(r.port.InBufferCount(), 0);
    EXPECT_EQ(r.instrument.Received(), "");
    r.port.SetPortOpen(false);
    r.port.CommPort = 1;
    r.Open();
    r.port.Output(Byte(0x08));
    r.port.SetPortOpen(false);
    EXPECT_EQ(r.instrument.Received(), Byte(0x08));
    EXPECT_EQ(r.port.Journal(), (std::vector<std::string>{
        "settings 115200,N,8,1", "open 2 115200,N,8,1", "out 08", "out 02", "close",
        "settings 115200,N,8,1", "open 1 115200,N,8,1", "out 08", "close"}));
}

TEST(CommLoopback, PairOfPassesReadTheComputersWay) {
    Rig r;
    r.port.CommPort = 1;
    r.Open();
    // Probe at 9600: a running instrument says nothing.
    ASSERT_TRUE(r.port.SetSettings("9600,N,8,1"));
    r.port.ClearInBuffer();
    r.clock.Advance(20);
    EXPECT_EQ(r.port.Input(), "");
    ASSERT_TRUE(r.port.SetSettings("115200,N,8,1"));

    // Reference pass: the command's 2-character reply is word 0 of block 1.
    ASSERT_TRUE(r.port.Output(Byte(0x02)));
    r.port.InputLen = 2;
    r.port.ClearInBuffer();
    std::string reply;
    for (int i = 0; i < 1000 && reply.empty(); ++i) {
        reply = r.port.Input();
        if (reply.empty()) r.clock.Advance(1);
    }
    ASSERT_EQ(reply.size(), 2u);
    r.port.InputLen = 0;
    std::vector<std::string> texts;
    for (int pass = 0; pass < 2; ++pass) {
        for (int b = 0; b < 8; ++b) {
            r.clock.Advance(20);
            texts.push_back(r.port.Input());
            ASSERT_TRUE(r.port.Output(Byte(0x05)));
        }
    }
    ASSERT_TRUE(r.port.SetPortOpen(false));

    EXPECT_EQ(texts[0].size(), 64u) << "block 1 less the reply";
    for (size_t k = 1; k < 16; ++k) EXPECT_EQ(texts[k].size(), 66u) << k;
    texts[0] = reply + texts[0];
    EXPECT_EQ(commtest::DecodePair(texts), r.instrument.LastPair());
    EXPECT_EQ(r.instrument.Received(), Byte(0x02) + std::string(16, '\x05'));
}

}  // namespace
}  // namespace tav
