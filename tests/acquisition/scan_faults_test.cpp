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

TEST(ScanFaults, ASilentLostOrShortChangingInstrumentChangesNoSlot) {
    struct Case {
        const char* name;
        InstrumentFaults faults;
        bool portPresent = true;
        bool nothingReceived = false;  // not one block came: the raw store keeps the earlier scan
    };
    auto shortBlock = [](int block, int bytes = 6) {
        InstrumentFaults f;
        f.blocks.push_back({BlockFault::Kind::Short, block, bytes});
        return f;
    };
    auto faults = [](auto set) {
        InstrumentFaults f;
        set(f);
        return f;
    };
    const Case cases[] = {
        {"silent", faults([](InstrumentFaults& f) { f.silent = true; }), true, true},
        {"reply beyond the bound", faults([](InstrumentFaults& f) { f.replyDelayMs = 8000; }), true, true},
        {"drop in the reference pass", faults([](InstrumentFaults& f) { f.dropAfterBlock = 4; })},
        {"drop in the second pass", faults([](InstrumentFaults& f) { f.dropAfterBlock = 12; })},
        {"blocks far too slow", faults([](InstrumentFaults& f) { f.blockDelayMs = 600; })},
        {"a block missing", faults([](InstrumentFaults& f) { f.blocks.push_back({BlockFault::Kind::Missing, 11}); })},
        // A block still short after its read bound, in either pass.
        {"block 3 short", shortBlock(3)},
        {"block 8 one byte short", shortBlock(8, 1)},
        {"block 9 short", shortBlock(9)},
        {"block 16 short", shortBlock(16)},
        // Block 1 follows the command's reply: short, the reply never completes the block.
        {"block 1 short", shortBlock(1)},
        {"only the reply's first byte", shortBlock(1, 65)},
        {"every block short", shortBlock(0)},
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
    }
}

TEST(ScanFaults, ASilentInstrumentGetsOneWakeUpAndTheCommandTwice) {
    InstrumentOptions o = acqtest::Exact();
    o.faults.silent = true;
    Rig r(o);
    EXPECT_EQ(AcquireScanPair(r.ctx, 10, 0), AcquireResult::NoResponse);
    const std::string wake = Byte(0x1B) + "R" + Byte(0xFF) + Byte(0x1B) + "R";
    // The wake-up goes at 9600 baud, which a silent instrument at 115200 hears garbled; the
    // journal shows what the computer sent.
    std::vector<std::string> out = r.Journal("out");
    EXPECT_EQ(out, (std::vector<std::string>{"out 02", "out 1B", "out 52", "out FF", "out 1B", "out 52", "out 02"}));
    std::vector<std::string> opens = r.Journal("open");
    EXPECT_EQ(opens, (std::vector<std::string>{"open 1 115200,N,8,1", "open 1 9600,N,8,1", "open 1 115200,N,8,1"}))
        << "after the unanswered wake-up the port is reopened at 115200";
    EXPECT_EQ(r.instrument.Images().size(), 0u);
    EXPECT_TRUE(r.windows.mainForm.PrintedTexts().empty()) << "nothing printed without a loader";
}

// A block that is long or garbled but whole is read: the extra characters are dropped, and the
// words are what came (the link has no check of its own).
TEST(ScanFaults, LongOrGarbledBlocksGiveTheirWords) {
    struct Case {
        const char* name;
        BlockFault fault;
        std::vector<int> garbledReference;  // points that differ from the pair
    };
    const Case cases[] = {
        {"every block long", {BlockFault::Kind::Long, 0, 4}, {}},
        {"block 5 garbled", {BlockFault::Kind::Garbled, 5, 0}, {128, 140, 159}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        InstrumentOptions o = acqtest::Exact();
        o.faults.blocks.push_back(c.fault);
        Rig r(o);
        ASSERT_EQ(AcquireScanPair(r.ctx, 10, 0), AcquireResult::Data);
        EXPECT_FALSE(r.state.NoInstrumentResponse);
        EXPECT_EQ(r.Heard(), Byte(0x02) + Repeat(Byte(0x05), 16));
        const ScanPair& pair = r.instrument.LastPair();
        auto contains = [](const std::vector<int>& v, int i) { return std::find(v.begin(), v.end(), i) != v.end(); };
        const bool garbled = !c.garbledReference.empty();
        for (int i = 0; i < 256; ++i) {
            const float reference = r.state.Ch1Data[10][i], sample = r.state.Ch1Data[0][i];
            if (contains(c.garbledReference, i)) {
                EXPECT_NE(reference, pair.reference[i]) << i;
            } else if (!garbled || i < 128 || i >= 160) {
                EXPECT_EQ(reference, pair.reference[i]) << i;
            }
            EXPECT_EQ(sample, pair.sample[i]) << i;
        }
    }
}

TEST(ScanFaults, ASlowButAnsweringInstrumentIsWaitedFor) {
    struct Case {
        double replyDelayMs, blockDelayMs;
    };
    for (const Case& c : {Case{2500, 0}, Case{0, 150}}) {
        SCOPED_TRACE(c.replyDelayMs + c.blockDelayMs);
        InstrumentOptions o = acqtest::Exact();
        o.faults.replyDelayMs = c.replyDelayMs;
        o.faults.blockDelayMs = c.blockDelayMs;
        Rig r(o);
        ASSERT_EQ(AcquireScanPair(r.ctx, 10, 0), AcquireResult::Data);
        EXPECT_EQ(r.Heard(), Byte(0x02) + Repeat(Byte(0x05), 16));
        const ScanPair& pair = r.instrument.LastPair();
        for (int i = 0; i < 256; ++i) ASSERT_EQ(r.state.Ch1Data[0][i], pair.sample[i]) << i;
    }
}

TEST(ScanFaults, TheNextScanAfterALostLinkIsWholeAgain) {
    InstrumentOptions o = acqtest::Exact();
    o.faults.dropAfterBlock = 6;
    Rig r(o);
    ASSERT_EQ(AcquireScanPair(r.ctx, 10, 0), AcquireResult::NoResponse);
    r.instrument.RestoreLink();
    r.instrument.Options().faults.dropAfterBlock = 0;
    r.clock.Advance(3000);  // the instrument gives the broken transfer up
    ASSERT_EQ(AcquireScanPair(r.ctx, 10, 0), AcquireResult::Data);
    EXPECT_FALSE(r.state.NoInstrumentResponse);
    const ScanPair& pair = r.instrument.LastPair();
    for (int i = 0; i < 256; ++i) ASSERT_EQ(r.state.Ch1Data[0][i], pair.sample[i]) << i;
}

}  // namespace
}  // namespace tav
