// Injected faults: silence, short, long, garbled and missing blocks, slow replies and blocks,
// and a link that drops in the middle of a pair.

#include <gtest/gtest.h>

#include "support/comm_test_bench.h"

namespace tav {
namespace {

using commtest::Bench;
using commtest::Byte;
using commtest::ScanPairBlocks;

InstrumentOptions With(InstrumentFaults faults) {
    InstrumentOptions o;
    o.spectrum.noise = 0.0;
    o.faults = std::move(faults);
    return o;
}

TEST(CommInstrumentFaults, SilentInstrumentHearsButNeverAnswers) {
    InstrumentFaults f;
    f.silent = true;
    for (bool loader : {false, true}) {
        SCOPED_TRACE(loader);
        InstrumentOptions o = With(f);
        o.startInLoader = loader;
        Bench b(o);
        const int baud = loader ? 9600 : 115200;
        EXPECT_EQ(b.Wait(100, baud), "") << "no loader announcement either";
        b.Send(Byte(0x01), baud);
        EXPECT_EQ(b.Wait(10, baud), "");
        b.Send(Byte(0x02), baud);
        EXPECT_EQ(b.Wait(2000, baud), "");
        EXPECT_EQ(b.instrument.Received(), Byte(0x01) + Byte(0x02));
    }
}

TEST(CommInstrumentFaults, BlockFaultsChangeOnlyTheirBlocks) {
    using K = BlockFault::Kind;
    struct Case {
        const char* name;
        BlockFault fault;
        int block;          // the block that changes (0: every block)
        size_t size;        // its size on the wire
        bool sameContent;   // its bytes are the true block's (cut or extended)
    };
    const Case cases[] = {
        {"short block 3", {K::Short, 3, 6}, 3, 60, true},
        {"every block short", {K::Short, 0, 4}, 0, 62, true},
        {"long block 1", {K::Long, 1, 4}, 1, 70, true},
        {"garbled block 5", {K::Garbled, 5, 0}, 5, 66, false},
        {"missing block 2", {K::Missing, 2, 0}, 2, 0, true},
        {"missing last block", {K::Missing, 16, 0}, 16, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        InstrumentFaults f;
        f.blocks.push_back(c.fault);
        Bench b(With(f));
        b.SetParameters(40, 1);
        std::vector<std::string> blocks = ScanPairBlocks(b, 0x02, 20);
        ASSERT_EQ(blocks.size(), 16u);
        for (int k = 1; k <= 16; ++k) {
            SCOPED_TRACE(k);
            std::string truth = SimulatedInstrument::BlockBytes(b.instrument.LastPair(), k);
            const std::string& got = blocks[k - 1];
            if (c.block != 0 && c.block != k) {
                EXPECT_EQ(got, truth);
                continue;
            }
            EXPECT_EQ(got.size(), c.size);
            size_t common = std::min(got.size(), truth.size());
            EXPECT_EQ(got.substr(0, common) == truth.substr(0, common), c.sameContent);
        }
        b.Wait(1);
        EXPECT_EQ(b.instrument.BlocksAcknowledged(), 16) << "the pair goes on after a bad block";
    }
}

TEST(CommInstrumentFaults, SlowReplyDelaysTheFirstBlockOnly) {
    InstrumentFaults f;
    f.replyDelayMs = 500;
    Bench b(With(f));
    b.SetParameters(100, 1);  // 10 ms of measuring
    b.Send(Byte(0x02));
    EXPECT_EQ(b.Wait(505), "");
    EXPECT_EQ(b.Wait(15).size(), 66u);
    b.Send(Byte(0x05));
    EXPECT_EQ(b.Wait(10).size(), 66u);
}

TEST(CommInstrumentFaults, SlowBlocksComeLateAfterEachAcknowledgement) {
    InstrumentFaults f;
    f.blockDelayMs = 30;
    Bench b(With(f));
    b.SetParameters(40, 1);
    b.Send(Byte(0x02));
    EXPECT_EQ(b.Wait(20).size(), 66u);
    b.Send(Byte(0x05));
    EXPECT_EQ(b.Wait(20), "") << "not there when the reader's 20 ms wait is over";
    EXPECT_EQ(b.Wait(20).size(), 66u);
}

TEST(CommInstrumentFaults, LinkDropsAfterTheGivenBlockAndStaysDown) {
    for (int drop : {3, 8, 12}) {
        SCOPED_TRACE(drop);
        InstrumentFaults f;
        f.dropAfterBlock = drop;
        Bench b(With(f));
        b.SetParameters(40, 1);
        std::vector<std::string> blocks = ScanPairBlocks(b, 0x02, 20);
        for (int k = 1; k <= 16; ++k) EXPECT_EQ(blocks[k - 1].size(), k <= drop ? 66u : 0u) << k;
        EXPECT_FALSE(b.instrument.LinkUp());
        size_t heard = b.instrument.Received().size();
        b.Send(Byte(0x02));
        EXPECT_EQ(b.Wait(100), "");
        EXPECT_EQ(b.instrument.Received().size(), heard) << "nothing gets through a dead link";

        // Back on the line, the instrument still waits for the acknowledgement of its last
        // block: a command is lost on it, and the acknowledgement brings the next block.
        b.instrument.Options().faults.dropAfterBlock = 0;
        b.instrument.RestoreLink();
        b.Send(Byte(0x02));
        EXPECT_EQ(b.Wait(100), "");
        EXPECT_TRUE(b.instrument.InPair());
        b.Send(Byte(0x05));
        EXPECT_EQ(b.Wait(20), SimulatedInstrument::BlockBytes(b.instrument.LastPair(), drop + 1));
    }
}

}  // namespace
}  // namespace tav
