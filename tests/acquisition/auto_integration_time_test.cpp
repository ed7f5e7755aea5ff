// The automatic integration time: the arithmetic from a test scan's range, and the whole routine
// on the simulated instrument (the blocks sent, the fresh test scan, the main window's controls,
// the settings file) with its ways of failing.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "FlowRig.h"
#include "acquisition/AutoIntegrationTime.h"

namespace tav {
namespace {

using acqtest::FlowRig;

std::string Word(int v) { return std::string{static_cast<char>(v / 256), static_cast<char>(v % 256)}; }
// 0x01, then integration time, scans and lamp level, high byte first.
std::string ShortBlock(int time, int scans, int lamp) { return "\x01" + Word(time) + Word(scans) + Word(lamp); }
std::string PairBytes() { return "\x02" + std::string(16, '\x05'); }

// The range of the second pass over the spectrum's points (the status words from 248 on are no
// part of it).
float SampleRange(const ScanPair& pair) {
    const auto first = pair.sample.begin();
    const auto [lo, hi] = std::minmax_element(first, first + 248);
    return static_cast<float>(*hi) - static_cast<float>(*lo);
}

InstrumentOptions WithSamplePeak(double countsPerMs) {
    InstrumentOptions o = acqtest::ExactInstrument();
    o.spectrum.samplePeakPerMs = countsPerMs;
    return o;
}

TEST(AutoIntegrationTime, TimeFromTheRangeOfTheTestScan) {
    struct Case {
        float range;
        int32_t time;
    };
    const Case cases[] = {
        {45000, 40},    // 40 exactly, below one step: the lower limit
        {9000, 200},    {4000, 400},  // 450 rounded down to whole 10 ms
        {1000, 1800},   {450, 4000},   {100, 10000},  // 18000 capped
        {60000, 40},    // 30 rounds down to 0, raised to the limit
        {65535, 40},    {180, 10000}, {181, 9900},
        {0.001f, 10000}, {0, 10000},   // a flat test scan shows nothing to scale
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.range);
        EXPECT_EQ(IntegrationTimeForRange(c.range), c.time);
    }
}

TEST(AutoIntegrationTime, ScansAreCappedAtSixtySecondsPerMeasurement) {
    struct Case {
        int16_t scans;
        int32_t time;
        int16_t capped;
    };
    const Case cases[] = {
        {100, 10000, 60}, {60, 10000, 60}, {61, 10000, 60},
        {667, 900, 666},  // 600000 / 900 is 666.7: 667 scans would take 60.03 s
        {1, 40, 1},       {32767, 40, 15000}, {1000, 600, 1000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.scans) + " scans of " + std::to_string(c.time));
        EXPECT_EQ(ScansWithinCap(c.scans, c.time), c.capped);
    }
}

TEST(AutoIntegrationTime, ScalesFromAFreshTestScanAndTellsInstrumentWindowAndFile) {
    FlowRig r;
    ProgramState& s = r.state;
    s.IntegrationTime = 300;
    s.NumToAverage = 50;
    s.LampLevel = 70;
    s.ReferencePass = true;
    // A stale transfer with a wide range: the test scan must not be taken from it.
    for (int i = 0; i < 256; ++i) s.RawCounts[1][i] = 200 * i;

    AutoSetIntegrationTime(r.flow);

    const float range = SampleRange(r.instrument.LastPair());
    const int32_t time = IntegrationTimeForRange(range);
    ASSERT_GT(time, 100) << "the instrument's spectrum at 4 ms, not the stale transfer";
    EXPECT_EQ(s.IntegrationTime, time);
    EXPECT_EQ(s.NumToAverage, 50);
    EXPECT_EQ(s.SlotInfo[slot::Work].DataMax - s.SlotInfo[slot::Work].DataMin, range);
    EXPECT_EQ(s.SlotInfo[slot::Work].NumPoints, 256);
    EXPECT_FALSE(s.ReferencePass);

    // The lamp level goes unchanged in both blocks; one scan pair between them.
    EXPECT_EQ(r.Heard(), ShortBlock(40, 1, 70) + PairBytes() + ShortBlock(time, 50, 70));
    EXPECT_EQ(r.instrument.ScansMeasured(), 1);
    EXPECT_FALSE(r.comm.PortOpen());

    MDIForm1& main = r.Main();
    EXPECT_EQ(main.Integrat.Value(), time);
    EXPECT_EQ(main.Text3.Text(), std::to_string(time / 10) + ".0");
    EXPECT_EQ(main.Averaging.Value(), 50);
    EXPECT_EQ(main.Text4.Text(), "50");

    const std::string settings = r.dir.Read("Prismel.INI");
    EXPECT_NE(settings.find("\r\nIntegration Time=" + std::to_string(time) + "\r\n"), std::string::npos);
    EXPECT_NE(settings.find("\r\nNumber to Average=50\r\n"), std::string::npos);
    EXPECT_EQ(r.op.Beeps(), 1) << "the beep sounds whatever BeepOn says";
    EXPECT_TRUE(r.op.Messages().empty());
}

TEST(AutoIntegrationTime, LimitsAndTheCapReachTheInstrumentAndTheControls) {
    struct Case {
        const char* name;
        double samplePeakPerMs;
        int16_t scans;
        int32_t time;
        int16_t scansAfter;
    };
    const Case cases[] = {
        {"a dim sample: the longest time, the scans capped", 0.01, 61, 10000, 60},
        {"exactly 60 s stays", 0.01, 60, 10000, 60},
        {"a saturating sample: the shortest time", 40000, 1000, 40, 1000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FlowRig r(WithSamplePeak(c.samplePeakPerMs));
        ProgramState& s = r.state;
        s.NumToAverage = c.scans;
        // The settings file is rewritten even when nothing changes.
        s.IntegrationTime = c.time;
        AutoSetIntegrationTime(r.flow);
        EXPECT_EQ(s.IntegrationTime, c.time);
        EXPECT_EQ(s.NumToAverage, c.scansAfter);
        EXPECT_EQ(r.Heard(), ShortBlock(40, 1, 0) + PairBytes() + ShortBlock(c.time, c.scansAfter, 0));
        EXPECT_EQ(r.Main().Integrat.Value(), c.time);
        EXPECT_EQ(r.Main().Text4.Text(), std::to_string(c.scansAfter));
        EXPECT_TRUE(r.dir.Exists("Prismel.INI"));
    }
}

TEST(AutoIntegrationTime, MoreScansThanTheAveragingBarHoldsStillShowInTheBox) {
    FlowRig r(WithSamplePeak(40000));
    r.state.NumToAverage = 20000;
    AutoSetIntegrationTime(r.flow);
    EXPECT_EQ(r.state.IntegrationTime, 40);
    EXPECT_EQ(r.state.NumToAverage, 15000);
    EXPECT_EQ(r.Main().Averaging.Value(), 1000);
    EXPECT_EQ(r.Main().Text4.Text(), "15000");
}

TEST(AutoIntegrationTime, DoesNothingInSimulationMode) {
    FlowRig r;
    ProgramState& s = r.state;
    s.SimulationMode = true;
    s.IntegrationTime = 300;
    s.NumToAverage = 5;
    AutoSetIntegrationTime(r.flow);
    EXPECT_EQ(s.IntegrationTime, 300);
    EXPECT_EQ(s.NumToAverage, 5);
    EXPECT_EQ(r.Heard(), "");
    EXPECT_FALSE(r.dir.Exists("Prismel.INI"));
    EXPECT_EQ(r.op.Beeps(), 0);
    EXPECT_EQ(s.SlotInfo[slot::Work].NumPoints, 0);
}

TEST(AutoIntegrationTime, ASilentInstrumentKeepsTheOperatorsValues) {
    InstrumentOptions o = acqtest::ExactInstrument();
    o.faults.silent = true;
    FlowRig r(o);
    ProgramState& s = r.state;
    s.IntegrationTime = 300;
    s.NumToAverage = 7;
    AutoSetIntegrationTime(r.flow);

    EXPECT_EQ(s.IntegrationTime, 300);
    EXPECT_EQ(s.NumToAverage, 7);
    // Nothing takes the test values' block: no data byte goes out, and no test scan.
    EXPECT_EQ(r.op.MessageTexts(), std::vector<std::string>{"The instrument on COM1 did not answer the parameter "
                                                            "command.\nThe parameters have not been sent to the "
                                                            "instrument."});
    std::vector<std::string> out = r.comm.Journal();
    std::erase_if(out, [](const std::string& line) { return line.rfind("out ", 0) != 0; });
    EXPECT_EQ(out, (std::vector<std::string>{"out 01", "out 05", "out 01"}));
    EXPECT_TRUE(s.InstrumentParametersUnknown) << "the next scan sends the parameters on screen first";
    EXPECT_FALSE(r.dir.Exists("Prismel.INI"));
    EXPECT_EQ(r.op.Beeps(), 0);
    EXPECT_FALSE(r.comm.PortOpen());
}

// Only a plain scan (memory mode Normal, scan number 0) is a test scan: in Read mode the command
// would bring a stored scan and move the instrument's read pointer, in Erase mode wipe the
// memory, and with a scan number store test scans and wait out a whole series. In every state
// the instrument's memory stays as it was.
TEST(AutoIntegrationTime, OnlyAPlainScanIsSentAndTheMemoryStaysAsItWas) {
    for (const acqtest::MemoryState& c : acqtest::MemoryStates) {
        SCOPED_TRACE(c.name);
        FlowRig r;
        ProgramState& s = r.state;
        s.MemoryMode = c.mode;
        s.ScanNumber = c.scanNumber;
        s.IntegrationTime = 300;
        s.NumToAverage = 7;
        const ScanPair stored = acqtest::StoreOneScan(r.instrument, 1234);
        AutoSetIntegrationTime(r.flow);
        acqtest::ExpectMemoryAsStored(r.instrument, stored);
        EXPECT_EQ(s.MemoryMode, c.mode);
        EXPECT_EQ(s.ScanNumber, c.scanNumber);
        if (c.plain) {
            EXPECT_EQ(r.Heard(), ShortBlock(40, 1, 0) + PairBytes() +
                                     ShortBlock(s.IntegrationTime, s.NumToAverage, 0));
            EXPECT_TRUE(r.op.Messages().empty());
            EXPECT_TRUE(r.dir.Exists("Prismel.INI"));
            continue;
        }
        EXPECT_TRUE(r.comm.Journal().empty()) << "the port is not even opened";
        EXPECT_EQ(r.Heard(), "");
        EXPECT_EQ(s.IntegrationTime, 300);
        EXPECT_EQ(s.NumToAverage, 7);
        EXPECT_EQ(s.SlotInfo[slot::Work].NumPoints, 0);
        EXPECT_FALSE(r.dir.Exists("Prismel.INI"));
        ASSERT_EQ(r.op.Messages().size(), 1u);
        EXPECT_EQ(r.op.Messages()[0].text,
                  "Auto Set Integration Time takes a plain scan: it needs the memory mode Normal and Scan# 0.\n"
                  "Nothing has been sent to the instrument.");
    }
}

TEST(AutoIntegrationTime, APortHeldByAutoScanOnTheOtherNumberChangesNothing) {
    FlowRig r;
    ProgramState& s = r.state;
    s.IntegrationTime = 300;
    s.NumToAverage = 7;
    s.PortHeldOpen = true;
    r.comm.CommPort = 2;
    r.comm.SetSettings("115200,N,8,1");
    r.comm.SetPortOpen(true);
    AutoSetIntegrationTime(r.flow);
    EXPECT_EQ(s.IntegrationTime, 300);
    EXPECT_EQ(s.NumToAverage, 7);
    EXPECT_EQ(r.Heard(), "");
    ASSERT_EQ(r.op.Messages().size(), 1u) << "the refusal only";
    EXPECT_EQ(r.op.Messages()[0].text,
              "COM2 is held open by AutoScan.\nPress Escape to stop AutoScan before using COM1.");
    EXPECT_FALSE(r.dir.Exists("Prismel.INI"));
}

}  // namespace
}  // namespace tav
