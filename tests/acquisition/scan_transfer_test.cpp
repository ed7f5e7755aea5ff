// A scan pair over the loopback port, byte for byte: the boot probe, the scan command, 16 blocks
// with their acknowledgements, the words and the temperature; the memory modes; a port held
// open by timed acquisition; and the pacing on the clock.

#include <gtest/gtest.h>

#include "AcquisitionRig.h"
#include "acquisition/ParameterBlocks.h"
#include "acquisition/ScanAcquisition.h"

namespace tav {
namespace {

using acqtest::Byte;
using acqtest::Repeat;
using acqtest::Rig;

// The port operations of one scan pair that opens its own port on COM1: settings and open, the
// probe at 9600 baud, the command byte after emptying the input, and every block acknowledged
// with 0x05 after the rest of the block was discarded.
std::vector<std::string> PairJournal(const std::string& command) {
    std::vector<std::string> j = {"settings 115200,N,8,1", "open 1 115200,N,8,1", "settings 9600,N,8,1",
                                  "clear", "settings 115200,N,8,1", "clear", "out " + command};
    for (int k = 0; k < 16; ++k) {
        j.push_back("clear");
        j.push_back("out 05");
    }
    j.push_back("close");
    return j;
}

TEST(ScanTransfer, APairIsProbeCommandAndSixteenAcknowledgedBlocks) {
    Rig r;
    ASSERT_EQ(AcquireScanPair(r.ctx, 10, 0), AcquireResult::Data);

    EXPECT_EQ(r.Heard(), Byte(0x02) + Repeat(Byte(0x05), 16));
    EXPECT_EQ(r.port.Journal(), PairJournal("02"));
    EXPECT_FALSE(r.port.PortOpen());
    r.instrument.Advance(1e6);  // lets it hear the last acknowledgement
    EXPECT_EQ(r.instrument.BlocksAcknowledged(), 16);

    const ScanPair& pair = r.instrument.LastPair();
    const ProgramState& s = r.state;
    for (int i = 0; i < 256; ++i) {
        ASSERT_EQ(s.Ch1Data[10][i], pair.reference[i]) << i;
        ASSERT_EQ(s.Ch1Data[0][i], pair.sample[i]) << i;
        ASSERT_EQ(s.Ch2Data[0][i], pair.reference[i]) << "channel 2 is the reference pass, point " << i;
        ASSERT_EQ(s.XData[0][i], s.WaveLength[i]);
    }
    EXPECT_EQ(s.XData[0][256], s.WaveLength[256]) << "the element after the last point too";
    EXPECT_EQ(s.Temperature, static_cast<float>(pair.sample[248] * 0.00975));
    EXPECT_NEAR(s.Temperature, 25.0f, 0.01f);
    EXPECT_FALSE(s.NoInstrumentResponse);
    EXPECT_TRUE(s.DataAvailable);
    for (int k : {0, 10}) {
        EXPECT_EQ(s.SlotInfo[k].NumPoints, 256);
        EXPECT_EQ(s.SlotInfo[k].XMin, s.WaveLength[0]);
        EXPECT_EQ(s.SlotInfo[k].XMax, s.WaveLength[255]);
        EXPECT_EQ(s.SlotInfo[k].IntegTime, 10.0f);
        EXPECT_EQ(s.SlotInfo[k].FileName, std::string(80, ' '));
    }
    EXPECT_EQ(r.windows.displayChannels, (std::vector<int16_t>{10, 0}));
}

TEST(ScanTransfer, TakesTheMandatedWaitsAndLittleMore) {
    Rig r;
    r.clock.Set(0, 1, 0);  // early in the day the clock resolves microseconds
    r.clock.SetReadStepMicros(0);
    double start = r.Seconds();
    ASSERT_EQ(AcquireScanPair(r.ctx, 10, 0), AcquireResult::Data);
    double ms = (r.Seconds() - start) * 1000.0;
    // 16 block waits of 20 ms, 10 ms of measuring, and the 20 ms of the boot probe.
    EXPECT_GE(ms, 16 * 20 + 10 + 20);
    EXPECT_LE(ms, 16 * 20 + 10 + 20 + 15);
}

// A pair stored in the instrument's memory, read back with memory mode 48.
ScanPair StoredPair() {
    ScanPair p;
    for (int i = 0; i < 256; ++i) {
        p.reference[i] = static_cast<uint16_t>(1000 + i);
        p.sample[i] = static_cast<uint16_t>(2000 + i);
    }
    p.reference[0] = 0xFFFF;
    p.reference[1] = 0x8000;
    p.sample[248] = 1000;
    return p;
}

TEST(ScanTransfer, WordsAreHighByteFirstAndUnsigned) {
    Rig r;
    r.instrument.StoreScan(1, StoredPair());
    r.state.MemoryMode = 48;
    ASSERT_EQ(AcquireScanPair(r.ctx, 10, 0), AcquireResult::Data);
    EXPECT_EQ(r.Heard().substr(0, 1), Byte(0x30));
    EXPECT_EQ(r.state.Ch1Data[10][0], 65535.0f);
    EXPECT_EQ(r.state.Ch1Data[10][1], 32768.0f);
    EXPECT_EQ(r.state.Ch1Data[10][255], 1255.0f);
    EXPECT_EQ(r.state.Ch1Data[0][0], 2000.0f);
    EXPECT_EQ(r.state.Temperature, 9.75f);
}

TEST(ScanTransfer, TemperatureAndSaturationComeFromTheSecondPass) {
    struct Case {
        uint16_t referenceTop, sampleTop, temperatureWord;
        bool saturated;
        float temperature;
    };
    const Case cases[] = {
        {65535, 65534, 0, false, 7.0f},   // a saturated reference pass does not count; 0 reads 7
        {100, 65535, 1000, true, 9.75f},
        {100, 65534, 512, false, 7.0f},   // 4.99 degrees is below 5
        {100, 65533, 513, false, static_cast<float>(513 * 0.00975)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sampleTop);
        Rig r;
        ScanPair p = StoredPair();
        p.reference[7] = c.referenceTop;
        p.sample[7] = c.sampleTop;
        p.sample[248] = c.temperatureWord;
        r.instrument.StoreScan(1, p);
        r.state.MemoryMode = 48;
        ASSERT_EQ(AcquireScanPair(r.ctx, 10, 0), AcquireResult::Data);
        EXPECT_EQ(r.state.SaturationFlag, c.saturated);
        EXPECT_EQ(r.state.Temperature, c.temperature);
    }
}

TEST(ScanTransfer, MemoryModesSendTheirCommandByte) {
    struct Case {
        int16_t mode, scanNumber;
        int command;
    };
    const Case cases[] = {{2, 0, 0x02}, {48, 0, 0x30}, {48, 1, 0x30}, {64, 0, 0x40}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode * 1000 + c.scanNumber);
        Rig r;
        r.instrument.StoreScan(1, StoredPair());
        r.state.MemoryMode = c.mode;
        r.state.ScanNumber = c.scanNumber;
        ASSERT_EQ(AcquireScanPair(r.ctx, 10, 0), AcquireResult::Data);
        EXPECT_EQ(r.Heard(), Byte(c.command) + Repeat(Byte(0x05), 16));
        const ScanPair& pair = r.instrument.LastPair();
        EXPECT_EQ(r.state.RawCounts[1][5], pair.sample[5]) << "column 1 holds the latest pass";
        EXPECT_EQ(r.state.Ch1Data[10][5], pair.reference[5]);
        EXPECT_EQ(r.state.Ch1Data[0][5], pair.sample[5]);
    }
}

// A read-out of n stored scans is n read-out commands, each answered by one pair: every raw
// column the multi-scan file writes comes from its own pair, and the slots show the last scan.
TEST(ScanTransfer, AReadOutOfSeveralScansFillsEveryColumnFromItsOwnPair) {
    Rig r;
    ProgramState& s = r.state;
    acqtest::StoreDistinctScans(r.instrument, 4);
    s.MemoryMode = 48;
    s.ScanNumber = 3;
    s.ReadAddress = 2;
    ASSERT_TRUE(ParameterBlock(r.ctx));  // the instrument learns the scan number and address
    r.instrument.ClearLogs();
    for (auto& column : s.RawCounts) column.fill(777);  // left from an earlier read-out
    ASSERT_EQ(AcquireScanPair(r.ctx, 10, 0), AcquireResult::Data);
    EXPECT_EQ(r.Heard(), Repeat(Byte(0x30) + Repeat(Byte(0x05), 16), 3)) << "a command and a pair per scan";
    for (int scan = 1; scan <= 3; ++scan) {
        SCOPED_TRACE(scan);
        const int stored = 100 * (scan + 1);  // scans 2 to 4
        for (int i : {0, 31, 32, 200, 255}) {
            EXPECT_EQ(s.RawCounts[2 * scan][i], stored + 1) << i;
            EXPECT_EQ(s.RawCounts[2 * scan - 1][i], stored + 2) << i;
        }
    }
    EXPECT_EQ(s.RawCounts[7][5], 777) << "no column beyond the scans";
    EXPECT_EQ(s.Ch1Data[10][5], 401.0f);
    EXPECT_EQ(s.Ch1Data[0][5], 402.0f);
    EXPECT_EQ(r.instrument.ReadPointer(), 5);
}

TEST(ScanTransfer, AReadOutOfMoreScansThanTheRawStoreKeepsSendsNothing) {
    Rig r;
    r.state.MemoryMode = 48;
    r.state.ScanNumber = 51;
    r.state.Ch1Data[0][5] = 12.0f;
    EXPECT_EQ(AcquireScanPair(r.ctx, 10, 0), AcquireResult::Failed);
    EXPECT_EQ(r.Heard(), "");
    EXPECT_TRUE(r.port.Journal().empty());
    EXPECT_EQ(r.state.Ch1Data[0][5], 12.0f);
    ASSERT_EQ(r.op.Messages().size(), 1u);
    EXPECT_EQ(r.op.Messages()[0].text,
              "A read-out of 51 stored scans at once cannot be kept: at most 50 fit.\nSet Scan# to 50 or less.");
}

TEST(ScanTransfer, AWriteSeriesGetsTheTimeItsScansTake) {
    // Three scans 3 s apart: the instrument answers after more than 6 s.
    Rig r;
    r.state.ScanNumber = 3;
    r.state.IntervalTenths = 30;
    ASSERT_TRUE(ParameterBlock(r.ctx));
    r.instrument.ClearLogs();
    ASSERT_EQ(AcquireScanPair(r.ctx, 10, 0), AcquireResult::Data);
    EXPECT_EQ(r.Heard(), Byte(0x02) + Repeat(Byte(0x05), 16)) << "no firmware download in between";
    EXPECT_EQ(r.instrument.WritePointer(), 4);
}

TEST(ScanTransfer, APortHeldOpenByTimedAcquisitionIsUsedAndStaysOpen) {
    Rig r;
    r.port.CommPort = 1;
    ASSERT_TRUE(r.port.SetSettings("115200,N,8,1"));
    ASSERT_TRUE(r.port.SetPortOpen(true));
    r.state.PortHeldOpen = true;
    r.port.ClearJournal();
    ASSERT_EQ(AcquireScanPair(r.ctx, 10, 0), AcquireResult::Data);
    std::vector<std::string> expected = PairJournal("02");
    expected.erase(expected.begin() + 1, expected.begin() + 5);  // no open, no probe
    expected.pop_back();                                         // no close
    EXPECT_EQ(r.port.Journal(), expected);
    EXPECT_TRUE(r.port.PortOpen());
    EXPECT_TRUE(r.op.Messages().empty());
}

TEST(ScanTransfer, APortHeldOpenOnAnotherNumberIsRefused) {
    Rig r;
    r.port.CommPort = 2;
    ASSERT_TRUE(r.port.SetPortOpen(true));
    r.state.PortHeldOpen = true;
    r.state.CommPortNumber = 1;
    r.state.NoInstrumentResponse = false;
    auto before = std::make_unique<ProgramState>(r.state);
    r.port.ClearJournal();
    EXPECT_EQ(AcquireScanPair(r.ctx, 10, 0), AcquireResult::Failed);
    EXPECT_TRUE(r.port.Journal().empty());
    EXPECT_TRUE(r.port.PortOpen());
    EXPECT_EQ(r.port.CommPort, 2);
    ASSERT_EQ(r.op.Messages().size(), 1u);
    EXPECT_NE(r.op.Messages()[0].text.find("COM2"), std::string::npos);
    EXPECT_FALSE(r.state.NoInstrumentResponse);
    EXPECT_EQ(r.state.Ch1Data, before->Ch1Data);
}

}  // namespace
}  // namespace tav
