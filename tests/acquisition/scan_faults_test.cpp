// Every fault the simulated instrument injects ends a scan pair in data as the blocks came or
// in "no response" with both slots as they were; never in a hang, never in stale data, never
// in missing bytes read as counts of 0.

#include <gtest/gtest.h>

#include <algorithm>

#include "AcquisitionRig.h"
#include "acquisition/ScanAcquisition.h"

namespace tav {
namespace {

using acqtest::Byte;
using acqtest::Repeat;
using acqtest::Rig;

// Slots 10 and 0 filled with a recognisable earlier scan.
void FillEarlierScan(ProgramState& s) {
    for (int k : {0, 10}) {
        s.SlotInfo[k].NumPoints = 256;
        s.SlotInfo[k].FileName = "earlier.rdg";
        for (int i = 0; i < 256; ++i) {
            s.XData[k][i] = 400.0f + i;
            s.Ch1Data[k][i] = 11.0f * (k + 1);
            s.Ch2Data[k][i] = 7.0f;
        }
    }
    s.DataAvailable = true;
}

void ExpectEarlierScan(const ProgramState& s) {
    for (int k : {0, 10}) {
        SCOPED_TRACE(k);
        EXPECT_EQ(s.SlotInfo[k].FileName, "earlier.rdg");
        EXPECT_EQ(s.SlotInfo[k].NumPoints, 256);
        for (int i = 0; i < 256; ++i) {
            ASSERT_EQ(s.XData[k][i], 400.0f + i) << i;
            ASSERT_EQ(s.Ch1Data[k][i], 11.0f * (k + 1)) << i;
            ASSERT_EQ(s.Ch2Data[k][i], 7.0f) << i;
        }
    }
}

// A pair that fails once the instrument has begun it is finished in step: every block the
// instrument sends is acknowledged, the instrument ends its pair, and the next pair against it
// is whole.
TEST(ScanFaults, ASilentLostShortOrLongChangingInstrumentChangesNoSlot) {
    struct Case {
        const char* name;
        InstrumentFaults faults;
        bool portPresent = true;
        bool nothingReceived = false;  // not one block came: the raw store keeps the earlier scan
        PairFault fault = PairFault::None;
        bool inStep = false;  // the instrument ends its pair and takes the next command
    };
    constexpr PairFault Short = PairFault::ShortBlock, Long = PairFault::LongBlock,
                        Stopped = PairFault::StoppedSending;
    auto shortBlock = [](int block, int bytes = 6) {
        InstrumentFaults f;
        f.blocks.push_back({BlockFault::Kind::Short, block, bytes});
        return f;
    };
    auto longBlock = [](int block, int bytes = 4) {
        InstrumentFaults f;
        f.blocks.push_back({BlockFault::Kind::Long, block, bytes});
        return f;
    };
    auto faults = [](auto set) {
        InstrumentFaults f;
        set(f);
        return f;
    };
    const Case cases[] = {
        {"silent", faults([](InstrumentFaults& f) { f.silent = true; }), true, true},
        // Beyond the wait after the command and the wait after the loader's wake-up as well.
        {"reply beyond the bound", faults([](InstrumentFaults& f) { f.replyDelayMs = 20000; }), true, true},
        {"drop in the reference pass", faults([](InstrumentFaults& f) { f.dropAfterBlock = 4; }), true, false, Stopped},
        {"drop in the second pass", faults([](InstrumentFaults& f) { f.dropAfterBlock = 12; }), true, false, Stopped},
        {"blocks far too slow", faults([](InstrumentFaults& f) { f.blockDelayMs = 600; }), true, false, Stopped},
        // A block lost on the line: the instrument waits for its acknowledgement.
        {"a block missing", faults([](InstrumentFaults& f) { f.blocks.push_back({BlockFault::Kind::Missing, 11}); }),
         true, false, Stopped, true},
        // A block still short after its read bound, in either pass.
        {"block 3 short", shortBlock(3), true, false, Short, true},
        {"block 8 one byte short", shortBlock(8, 1), true, false, Short, true},
        {"block 9 short", shortBlock(9), true, false, Short, true},
        {"block 16 short", shortBlock(16), true, false, Short, true},
        // Block 1 follows the command's reply: short, the reply never completes the block.
        {"block 1 short", shortBlock(1), true, false, Short, true},
        {"only the reply's first byte", shortBlock(1, 65), true, false, Short, true},
        {"every block short", shortBlock(0), true, false, Short, true},
        // Characters beyond a block are noise on the line: the rest of the block is not trusted.
        {"block 2 long", longBlock(2), true, false, Long, true},
        {"block 1 one byte long", longBlock(1, 1), true, false, Long, true},
        {"block 12 long", longBlock(12), true, false, Long, true},
        {"every block long", longBlock(0), true, false, Long, true},
        {"no such port", {}, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        InstrumentOptions o = acqtest::Exact();
        o.faults = c.faults;
        Rig r(o);
        r.port.SetPortPresent(1, c.portPresent);
        FillEarlierScan(r.state);
        for (auto& column : r.state.RawCounts) column.fill(4321);
        r.state.Temperature = 21.0f;
        double start = r.Seconds();
        EXPECT_EQ(AcquireScanPair(r.ctx, 10, 0), AcquireResult::NoResponse);
        EXPECT_LT(r.Seconds() - start, 20.0) << "bounded";
        EXPECT_TRUE(r.state.NoInstrumentResponse);
        EXPECT_FALSE(r.port.PortOpen());
        EXPECT_TRUE(r.state.DataAvailable);
        EXPECT_EQ(r.state.Temperature, 21.0f);
        ExpectEarlierScan(r.state);
        if (c.nothingReceived) {
            for (const auto& column : r.state.RawCounts) {
                ASSERT_EQ(std::count(column.begin(), column.end(), 4321), static_cast<long>(column.size()));
            }
        }
        if (c.portPresent) {
            EXPECT_TRUE(r.op.Messages().empty()) << "the scan flow tells the operator";
        } else {
            ASSERT_EQ(r.op.Messages().size(), 1u) << "why the port could not be opened";
            EXPECT_EQ(r.op.Messages()[0].text,
                      "The serial port COM1 could not be opened:\nCOM1 is the bench's port 1: no such device.");
        }
        EXPECT_EQ(r.ctx.pairFault, c.fault);
        if (!c.inStep) continue;
        r.port.CatchUp();
        EXPECT_FALSE(r.instrument.InPair());
        EXPECT_EQ(r.instrument.BlocksAcknowledged(), 16);
        const std::string heard = r.Heard();
        EXPECT_EQ(heard, Byte(0x02) + Repeat(Byte(0x05), 16)) << "each block acknowledged once, nothing else";
        r.instrument.Options().faults = {};
        ASSERT_EQ(AcquireScanPair(r.ctx, 10, 0), AcquireResult::Data) << "the next pair is whole";
        const ScanPair& pair = r.instrument.LastPair();
        for (int i = 0; i < 256; ++i) ASSERT_EQ(r.state.Ch1Data[0][i], pair.sample[i]) << i;
    }
}

// Before the wake-up, one acknowledgement: an instrument waiting for one it missed would answer it
// with a block.
TEST(ScanFaults, ASilentInstrumentGetsOneWakeUpAndTheCommandTwice) {
    InstrumentOptions o = acqtest::Exact();
    o.faults.silent = true;
    Rig r(o);
    EXPECT_EQ(AcquireScanPair(r.ctx, 10, 0), AcquireResult::NoResponse);
    const std::string wake = Byte(0x1B) + "R" + Byte(0xFF) + Byte(0x1B) + "R";
    // The wake-up goes at 9600 baud, which a silent instrument at 115200 hears garbled; the
    // journal shows what the computer sent. Each unanswered command is followed by one
    // acknowledgement, for an instrument that may wait in a pair.
    std::vector<std::string> out = r.Journal("out");
    EXPECT_EQ(out, (std::vector<std::string>{"out 02", "out 05", "out 1B", "out 52", "out FF", "out 1B", "out 52",
                                             "out 02", "out 05"}));
    std::vector<std::string> opens = r.Journal("open");
    EXPECT_EQ(opens, (std::vector<std::string>{"open 1 115200,N,8,1", "open 1 9600,N,8,1", "open 1 115200,N,8,1"}))
        << "after the unanswered wake-up the port is reopened at 115200";
    EXPECT_EQ(r.instrument.Images().size(), 0u);
    EXPECT_TRUE(r.windows.mainForm.PrintedTexts().empty()) << "nothing printed without a loader";
}

// A block that is garbled but of the right length is read: the words are what came (the link
// has no check of its own).
TEST(ScanFaults, AGarbledBlockOfTheRightLengthGivesItsWords) {
    InstrumentOptions o = acqtest::Exact();
    o.faults.blocks.push_back({BlockFault::Kind::Garbled, 5, 0});
    Rig r(o);
    ASSERT_EQ(AcquireScanPair(r.ctx, 10, 0), AcquireResult::Data);
    EXPECT_FALSE(r.state.NoInstrumentResponse);
    EXPECT_EQ(r.Heard(), Byte(0x02) + Repeat(Byte(0x05), 16));
    const ScanPair& pair = r.instrument.LastPair();
    for (int i = 0; i < 256; ++i) {
        const float reference = r.state.Ch1Data[10][i], sample = r.state.Ch1Data[0][i];
        if (i == 128 || i == 140 || i == 159) {
            EXPECT_NE(reference, pair.reference[i]) << i;
        }
        if (i < 128 || i >= 160) {
            EXPECT_EQ(reference, pair.reference[i]) << i;
        }
        EXPECT_EQ(sample, pair.sample[i]) << i;
    }
}

TEST(ScanFaults, ASlowButAnsweringInstrumentIsWaitedFor) {
    struct Case {
        double replyDelayMs, blockDelayMs;
    };
    // A reply later than the wait after the command comes within the wait after the loader's
    // wake-up: the instrument, measuring, took neither the acknowledgement that looked for an
    // earlier pair, nor the wake-up, nor the second command.
    for (const Case& c : {Case{2500, 0}, Case{6000, 0}, Case{0, 150}}) {
        SCOPED_TRACE(c.replyDelayMs + c.blockDelayMs);
        InstrumentOptions o = acqtest::Exact();
        o.faults.replyDelayMs = c.replyDelayMs;
        o.faults.blockDelayMs = c.blockDelayMs;
        Rig r(o);
        ASSERT_EQ(AcquireScanPair(r.ctx, 10, 0), AcquireResult::Data);
        const std::string heard = r.Heard();
        const std::string pairBytes = Byte(0x02) + Repeat(Byte(0x05), 16);
        if (c.replyDelayMs < 3000) {
            EXPECT_EQ(heard, pairBytes);
        } else {
            EXPECT_EQ(heard.substr(heard.size() - pairBytes.size()), pairBytes) << "after the wake-up";
        }
        EXPECT_EQ(std::count(heard.begin(), heard.end(), '\x05'), c.replyDelayMs < 3000 ? 16 : 17);
        EXPECT_EQ(r.instrument.ScansMeasured(), 1);
        const ScanPair& pair = r.instrument.LastPair();
        for (int i = 0; i < 256; ++i) ASSERT_EQ(r.state.Ch1Data[0][i], pair.sample[i]) << i;
    }
}

// A link cut in the middle of a pair leaves the instrument waiting for its acknowledgement; once
// it has been switched off and on again, the next scan gives it its firmware and is whole.
TEST(ScanFaults, TheNextScanAfterALostLinkIsWholeAgain) {
    InstrumentOptions o = acqtest::Exact();
    o.faults.dropAfterBlock = 6;
    Rig r(o);
    ASSERT_TRUE(r.dir.Write("OLMMASTR.S19", "S1060000010203F3\r\nS804000000FB\r\n"));
    ASSERT_TRUE(r.dir.Write("OLMSLAVE.S19", "S1060100040506E9\r\nS804000000FB\r\n"));
    ASSERT_EQ(AcquireScanPair(r.ctx, 10, 0), AcquireResult::NoResponse);
    r.instrument.RestoreLink();
    r.instrument.Options().faults.dropAfterBlock = 0;
    EXPECT_TRUE(r.instrument.InPair()) << "the instrument waits for an acknowledgement that was lost";
    r.instrument.RestartIntoLoader();
    r.clock.Advance(3000);
    ASSERT_EQ(AcquireScanPair(r.ctx, 10, 0), AcquireResult::Data);
    EXPECT_EQ(r.instrument.Images().size(), 2u);
    EXPECT_FALSE(r.state.NoInstrumentResponse);
    const ScanPair& pair = r.instrument.LastPair();
    for (int i = 0; i < 256; ++i) ASSERT_EQ(r.state.Ch1Data[0][i], pair.sample[i]) << i;
}

}  // namespace
}  // namespace tav
