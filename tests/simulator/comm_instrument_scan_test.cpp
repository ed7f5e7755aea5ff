// The running instrument: the scan command and its 16 acknowledged blocks, the parameter
// blocks, the spectra it measures and the wireless bytes.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "support/comm_test_bench.h"

namespace tav {
namespace {

using commtest::Bench;
using commtest::Byte;
using commtest::ScanPairBlocks;

InstrumentOptions Exact() {
    InstrumentOptions o;
    o.spectrum.noise = 0.0;
    return o;
}

std::vector<int> Words(const std::string& block) {
    std::vector<int> w;
    for (size_t i = 0; i + 1 < block.size(); i += 2)
        w.push_back(static_cast<unsigned char>(block[i]) * 256 + static_cast<unsigned char>(block[i + 1]));
    return w;
}

TEST(CommInstrumentScan, AnswersTheScanCommandWithSixteenBlocksByteForByte) {
    Bench b(Exact());
    b.SetParameters(400, 2);  // 40.0 ms, 2 averaged: 80 ms of measuring
    b.Wait(100);
    b.instrument.ClearLogs();

    b.Send(Byte(0x02));
    EXPECT_EQ(b.Wait(79), "") << "nothing while the instrument measures";
    std::vector<std::string> blocks{b.Wait(10)};
    for (int k = 2; k <= 16; ++k) {
        EXPECT_EQ(b.Wait(50), "") << "block " << k << " waits for the acknowledgement";
        b.Send(Byte(0x05));
        blocks.push_back(b.Wait(20));
    }
    b.Send(Byte(0x05));
    EXPECT_EQ(b.Wait(500), "") << "the pair ends after the 16th acknowledgement";
    EXPECT_EQ(b.instrument.Received(), Byte(0x02) + std::string(16, '\x05'));

    const ScanPair& pair = b.instrument.LastPair();
    for (int k = 1; k <= 16; ++k) {
        SCOPED_TRACE(k);
        ASSERT_EQ(blocks[k - 1].size(), 66u);
        std::vector<int> w = Words(blocks[k - 1]);
        const PassWords& pass = k <= 8 ? pair.reference : pair.sample;
        int sum = 0;
        for (int i = 0; i < 32; ++i) {
            EXPECT_EQ(w[i], pass[((k - 1) % 8) * 32 + i]);
            sum += w[i];
        }
        EXPECT_EQ(w[32], sum % 65536) << "word 32 carries the block's sum";
    }
    // Point 248 of the second pass (block 16, word 24): 25 degrees as 25 / 0.00975 = 2564.
    EXPECT_EQ(static_cast<unsigned char>(blocks[15][48]), 0x0A);
    EXPECT_EQ(static_cast<unsigned char>(blocks[15][49]), 0x04);
    EXPECT_NE(pair.reference, pair.sample);
}

TEST(CommInstrumentScan, FirstBlockComesAfterTheMeasuringTimeAndItsLineTime) {
    struct Case {
        int integration, average;
        double measuringMs;
    };
    const Case cases[] = {{40, 1, 4.0}, {1000, 1, 100.0}, {1000, 10, 1000.0}, {250, 3, 75.0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.measuringMs);
        InstrumentOptions o = Exact();
        o.responseLatencyMs = 0.0;
        Bench b(o);
        b.SetParameters(c.integration, c.average);
        b.Send(Byte(0x02));
        EXPECT_EQ(b.Wait(c.measuringMs), "");
        // 66 characters of 10 bits at 115200 baud take 5.73 ms.
        size_t part = b.Wait(3).size();
        EXPECT_GT(part, 20u);
        EXPECT_LT(part, 46u);
        EXPECT_EQ(part + b.Wait(4).size(), 66u);
    }
}

// The instrument waits for each acknowledgement as long as it takes, and nothing else that
// comes meanwhile ends its pair or starts another: not a scan command (in any mode), not a
// parameter block, not the loader's wake-up; whether it comes while the instrument measures,
// before a block of the reference pass or of the second pass.
TEST(CommInstrumentScan, APairWaitsForEachAcknowledgementAndTakesNothingElse) {
    struct Intruder {
        const char* name;
        std::string bytes;
    };
    const Intruder intruders[] = {{"scan command", Byte(0x02)},
                                  {"read-out command", Byte(0x30)},
                                  {"erase command", Byte(0x40)},
                                  {"parameter block", Byte(0x01) + commtest::ParameterData(40, 1, 3, 10, 1)},
                                  {"loader wake-up", Byte(0x1B) + "R" + Byte(0xFF) + Byte(0x1B) + "R"}};
    for (const Intruder& in : intruders) {
        for (int before : {1, 4, 9}) {  // the block the intruder comes before (1: while measuring)
            SCOPED_TRACE(std::string(in.name) + " before block " + std::to_string(before));
            Bench b(Exact());
            b.SetParameters(400, 1);  // 40 ms of measuring
            b.instrument.StoreScan(1, ScanPair{});
            const int measured = b.instrument.ScansMeasured();
            b.Send(Byte(0x02));
            std::vector<std::string> blocks;
            for (int k = 1; k <= 16; ++k) {
                if (k == before) b.Send(in.bytes);
                if (k == before && k > 1) {
                    EXPECT_EQ(b.Wait(3600.0 * 1000), "") << "an hour later it still waits";
                }
                if (k > 1) b.Send(Byte(0x05));
                blocks.push_back(b.Wait(k == 1 ? 60 : 20));
                ASSERT_EQ(blocks.back().size(), 66u) << k;
            }
            b.Send(Byte(0x05));
            b.Wait(1);
            EXPECT_FALSE(b.instrument.InPair());
            EXPECT_EQ(b.instrument.ScansMeasured(), measured + 1) << "one pair, no fresh start";
            EXPECT_EQ(b.instrument.Parameters().ScanNumber, 0);
            EXPECT_TRUE(b.instrument.StoredScan(1).has_value()) << "the memory is as it was";
            EXPECT_EQ(commtest::DecodePair(blocks), b.instrument.LastPair());
        }
    }
}

// Only with the option does the instrument abandon a pair that is not acknowledged.
TEST(CommInstrumentScan, AbandonsAPairOnlyWhenToldTo) {
    InstrumentOptions o = Exact();
    o.ackGiveUpMs = 2000;
    Bench b(o);
    b.SetParameters(40, 1);
    b.Send(Byte(0x02));
    ASSERT_EQ(b.Wait(20).size(), 66u);
    EXPECT_EQ(b.Wait(2500), "");
    EXPECT_FALSE(b.instrument.InPair());
    b.Send(Byte(0x05));
    EXPECT_EQ(b.Wait(100), "") << "an acknowledgement after the time limit starts nothing";
    // A new command is answered again from block 1.
    b.Send(Byte(0x02));
    EXPECT_EQ(b.Wait(20).size(), 66u);
}

// A parameter block ends on a pause of the line, never on a count of its bytes: 12 data bytes
// then make the whole block, 6 the short one (integration, average, lamp), and any other count is
// lost, with a command that came too soon after the block's last byte. After the pause the
// instrument takes commands again.
TEST(CommInstrumentScan, APauseEndsAParameterBlockAndItsLengthTellsWhichOneItWas) {
    struct Case {
        const char* name;
        std::string data;
        double gapMs;           // between two data bytes
        std::string tooSoon;    // sent 5 ms after the last data byte
        bool whole, shortOne;
    };
    const std::string whole = commtest::ParameterData(0x0102, 3, 4, 25, 700);
    const std::string shortBlock = commtest::WordBytes(40) + commtest::WordBytes(1) + commtest::WordBytes(700);
    const Case cases[] = {
        {"whole block", whole, 5, "", true, false},
        {"whole block, its bytes 40 ms apart", whole, 40, "", true, false},
        {"short block", shortBlock, 5, "", false, true},
        {"a scan command 5 ms after the last byte", whole, 5, Byte(0x02), false, false},
        {"a short block and a scan command", shortBlock, 5, Byte(0x02), false, false},
        {"eight bytes", whole.substr(0, 8), 5, "", false, false},
        {"thirteen bytes", whole + Byte(0), 5, "", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bench b(Exact());
        b.Send(Byte(0x01));
        EXPECT_EQ(b.Wait(3).size(), 1u) << "0x01 is answered within a few milliseconds, with one byte";
        for (char byte : c.data) {
            b.Send(std::string(1, byte));
            b.Wait(c.gapMs);
        }
        if (!c.tooSoon.empty()) b.Send(c.tooSoon);
        EXPECT_EQ(b.instrument.ParameterBlocks() + b.instrument.ShortParameterBlocks(), 0) << "not before the pause";
        EXPECT_EQ(b.Wait(100), "") << "no command was taken";
        const InstrumentParameters p = b.instrument.Parameters();
        EXPECT_EQ(b.instrument.ParameterBlocks(), c.whole ? 1 : 0);
        EXPECT_EQ(b.instrument.ShortParameterBlocks(), c.shortOne ? 1 : 0);
        EXPECT_EQ(b.instrument.LostParameterBlocks(), c.whole || c.shortOne ? 0 : 1);
        EXPECT_EQ(p.IntegrationTime, c.whole ? 258 : c.shortOne ? 40 : 100) << "high byte first";
        EXPECT_EQ(p.NumToAverage, c.whole ? 3 : 1);
        EXPECT_EQ(p.LampLevel, c.shortOne ? 700 : 0);
        EXPECT_EQ(p.ScanNumber, c.whole ? 4 : 0) << "only the whole block sets the memory settings";
        EXPECT_EQ(p.IntervalTenths, c.whole ? 25 : 10);
        EXPECT_EQ(b.instrument.ReadPointer(), c.whole ? 700 : 1);
        EXPECT_EQ(b.instrument.ScansMeasured(), 0);

        b.Send(Byte(0x30));
        EXPECT_EQ(b.Wait(20).size(), 66u) << "after the pause a command is a command";
        EXPECT_EQ(b.instrument.ReadPointer(), c.whole ? 701 : 2);
    }
}

TEST(CommInstrumentScan, DropsAnUnfinishedParameterBlock) {
    Bench b(Exact());
    b.Send(Byte(0x01) + Byte(0x00) + Byte(0x28) + Byte(0x00));
    b.Wait(1500);
    EXPECT_EQ(b.instrument.Parameters().IntegrationTime, 100);
    EXPECT_EQ(b.instrument.ParameterBlocks() + b.instrument.ShortParameterBlocks(), 0);
    b.Send(Byte(0x02));
    EXPECT_EQ(b.Wait(20).size(), 66u) << "the instrument listens for commands again";
}

TEST(CommInstrumentScan, SignalGrowsWithIntegrationTimeAndSaturates) {
    auto measure = [](int integration) {
        Bench b(Exact());
        b.SetParameters(integration, 1);
        ScanPairBlocks(b, 0x02, 4000);
        return b.instrument.LastPair();
    };
    ScanPair t1 = measure(100), t2 = measure(200), t3 = measure(300);
    for (int p = 0; p < 256; ++p) {
        if (p == 248) continue;
        // Linear in the integration time: c(30 ms) - c(10 ms) = 2 (c(20 ms) - c(10 ms)).
        EXPECT_NEAR(t3.reference[p] - t1.reference[p], 2 * (t2.reference[p] - t1.reference[p]), 2);
        EXPECT_NEAR(t3.sample[p] - t1.sample[p], 2 * (t2.sample[p] - t1.sample[p]), 2);
    }
    // Smooth curves with a peak well above the dark level, and two different shapes.
    auto peak = *std::max_element(t3.reference.begin(), t3.reference.end());
    EXPECT_GT(peak, 10000);
    for (int p = 0; p + 1 < 248; ++p)
        EXPECT_LT(std::abs(t3.reference[p + 1] - t3.reference[p]), peak / 20) << p;
    double ratioGreen = double(t3.sample[95]) / t3.reference[95];
    double ratioInfrared = double(t3.sample[220]) / t3.reference[220];
    EXPECT_GT(ratioInfrared, 2 * ratioGreen);

    ScanPair bright = measure(32767);
    int saturated = 0;
    for (int p = 0; p < 256; ++p) saturated += bright.reference[p] == 65535;
    EXPECT_GT(saturated, 50);
    EXPECT_EQ(bright.sample[248], 2564) << "the temperature pixel never saturates";
}

TEST(CommInstrumentScan, AveragingLowersTheNoiseNotTheLevel) {
    auto scatter = [](int average, double& meanDifference) {
        Bench b;  // with noise
        b.SetParameters(200, average);
        ScanPairBlocks(b, 0x02, 1000);
        ScanPair a = b.instrument.LastPair();
        b.Wait(100);
        ScanPairBlocks(b, 0x02, 1000);
        ScanPair c = b.instrument.LastPair();
        double sum = 0, sq = 0;
        for (int p = 0; p < 248; ++p) {
            double d = double(c.reference[p]) - a.reference[p];
            sum += d;
            sq += d * d;
        }
        meanDifference = sum / 248;
        return std::sqrt(sq / 248);
    };
    double mean1 = 0, mean16 = 0;
    double s1 = scatter(1, mean1), s16 = scatter(16, mean16);
    EXPECT_GT(s1, 0.0);
    EXPECT_LT(s16, s1 / 2);

    Bench one(Exact()), many(Exact());
    one.SetParameters(200, 1);
    many.SetParameters(200, 16);
    ScanPairBlocks(one, 0x02, 1000);
    ScanPairBlocks(many, 0x02, 1000);
    EXPECT_EQ(one.instrument.LastPair(), many.instrument.LastPair());
}

TEST(CommInstrumentScan, WirelessStartAndStopBytesSwitchTheModeSilently) {
    Bench b;
    EXPECT_FALSE(b.instrument.WirelessOn());
    b.Send(Byte(0x08));
    EXPECT_EQ(b.Wait(100), "");
    EXPECT_TRUE(b.instrument.WirelessOn());
    b.Send(Byte(0x04));
    EXPECT_EQ(b.Wait(100), "");
    EXPECT_FALSE(b.instrument.WirelessOn());
}

}  // namespace
}  // namespace tav
