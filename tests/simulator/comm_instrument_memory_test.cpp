// The instrument's memory: a write series with mode 2 and a scan number, read-back with 48
// from the read address of the parameter block, erase with 64.

#include <gtest/gtest.h>

#include "support/comm_test_bench.h"

namespace tav {
namespace {

using commtest::Bench;
using commtest::DecodePair;
using commtest::ScanPairBlocks;

InstrumentOptions Exact() {
    InstrumentOptions o;
    o.spectrum.noise = 0.0;
    o.seed = 7;
    return o;
}

bool AllZero(const ScanPair& p) { return p == ScanPair{}; }

TEST(CommInstrumentMemory, WriteModeStoresAScanSeriesAndAnswersWithTheLast) {
    Bench b;  // with noise, so that the stored scans differ
    b.SetParameters(100, 1, /*scanNumber=*/3, /*interval=*/5);
    b.Send(commtest::Byte(0x02));
    // Three measurements of 10 ms, 0.5 s apart: the answer starts after 1030 ms.
    EXPECT_EQ(b.Wait(1025), "");
    std::vector<std::string> blocks{b.Wait(15)};
    for (int k = 2; k <= 16; ++k) {
        b.Send(commtest::Byte(0x05));
        blocks.push_back(b.Wait(20));
    }
    b.Send(commtest::Byte(0x05));
    ASSERT_TRUE(b.instrument.StoredScan(1) && b.instrument.StoredScan(2) && b.instrument.StoredScan(3));
    EXPECT_FALSE(b.instrument.StoredScan(4));
    EXPECT_NE(*b.instrument.StoredScan(1), *b.instrument.StoredScan(2));
    EXPECT_EQ(DecodePair(blocks), *b.instrument.StoredScan(3));
    EXPECT_EQ(b.instrument.WritePointer(), 4);

    ScanPairBlocks(b, 0x02, 1100);
    EXPECT_TRUE(b.instrument.StoredScan(6));
    EXPECT_EQ(b.instrument.WritePointer(), 7);
}

// Each read-out command is answered by one pair, the stored scan at the read pointer, and moves
// the pointer on by one, whatever the scan number.
TEST(CommInstrumentMemory, ReadBackStartsAtTheReadAddressAndStepsOneScanPerCommand) {
    struct Case {
        int readAddress, scanNumber;
        std::vector<int> addresses;  // read by successive commands
    };
    const Case cases[] = {
        {2, 0, {2, 3, 4, 5}},
        {1, 2, {1, 2, 3, 4}},
        {1, 3, {1, 2, 3}},
        {1763, 0, {1763, 1764, 0, 0}},  // past the end: empty answers
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.readAddress);
        Bench b(Exact());
        for (int a : {1, 2, 3, 5, 1763, 1764}) {
            ScanPair p;
            p.reference.fill(static_cast<uint16_t>(a));
            p.sample.fill(static_cast<uint16_t>(a + 10000));
            b.instrument.StoreScan(a, p);
        }
        b.SetParameters(100, 1, c.scanNumber, 0, c.readAddress);
        for (int a : c.addresses) {
            ScanPair got = DecodePair(ScanPairBlocks(b, 48, 20));
            b.Wait(1);
            EXPECT_FALSE(b.instrument.InPair()) << "one pair per command";
            if (a == 0 || !b.instrument.StoredScan(a)) {
                EXPECT_TRUE(AllZero(got)) << a;
            } else {
                EXPECT_EQ(got, *b.instrument.StoredScan(a)) << a;
            }
        }
    }
    // An empty position answers with zeros (its temperature word too).
    Bench b(Exact());
    b.SetParameters(100, 1, 0, 10, 9);
    EXPECT_TRUE(AllZero(DecodePair(ScanPairBlocks(b, 48, 20))));
    EXPECT_EQ(b.instrument.ScansMeasured(), 0) << "a read-back does not measure";
}

TEST(CommInstrumentMemory, EraseEmptiesTheMemoryAndAnswersWithAFreshScan) {
    Bench b(Exact());
    b.SetParameters(100, 1, 2, 0);
    ScanPairBlocks(b, 0x02, 200);
    ASSERT_TRUE(b.instrument.StoredScan(2));

    b.Send(commtest::Byte(64));
    EXPECT_EQ(b.Wait(150), "") << "erasing takes its time";
    std::vector<std::string> blocks{b.Wait(100)};
    for (int k = 2; k <= 16; ++k) {
        b.Send(commtest::Byte(0x05));
        blocks.push_back(b.Wait(20));
    }
    for (int a = 1; a <= 1764; ++a) ASSERT_FALSE(b.instrument.StoredScan(a)) << a;
    EXPECT_EQ(b.instrument.WritePointer(), 1);
    ScanPair answer = DecodePair(blocks);
    EXPECT_FALSE(AllZero(answer));
    EXPECT_EQ(answer.sample[248], 2564);
}

TEST(CommInstrumentMemory, FullMemoryKeepsItsScansAndStillAnswers) {
    Bench b;  // with noise, so that a rewrite would show
    b.SetParameters(40, 1, 1764, 0);
    ScanPairBlocks(b, 0x02, 8000);  // 1764 scans of 4 ms
    ASSERT_TRUE(b.instrument.StoredScan(1764));
    ScanPair last = *b.instrument.StoredScan(1764);

    b.SetParameters(40, 1, 2, 0);
    ScanPair answer = DecodePair(ScanPairBlocks(b, 0x02, 50));
    EXPECT_FALSE(AllZero(answer));
    EXPECT_EQ(*b.instrument.StoredScan(1764), last);
    EXPECT_EQ(b.instrument.WritePointer(), 1765);
}

}  // namespace
}  // namespace tav
