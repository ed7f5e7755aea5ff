// The instrument's loader through the loopback port: the 9600-baud probe, the wake-up, both
// images with their echo, run and start, and the parameter blocks of the download.

#include <gtest/gtest.h>

#include "doubles/FakeClock.h"
#include "doubles/LoopbackComm.h"
#include "support/comm_test_bench.h"

namespace tav {
namespace {

using commtest::Byte;

const std::string kWakeUp = "\x1B" "R" "\xFF" "\x1B" "R";
const std::vector<std::string> kMaster = {
    "S00900006D61737465726A",
    "S1131000000102030405060708090A0B0C0D0E0F64",
    "S1131010101112131415161718191A1B1C1D1E1F54",
    "S804000000FB",
};
const std::vector<std::string> kSlave = {
    "S0080000736C617665DC",
    "S20C020000AA55 010203040506DD",  // the blank is not sent
    "S804000000FB",
};

// The computer's side of the download, written out step by step.
class Computer {
public:
    explicit Computer(SimulatedInstrument& instrument) : port(instrument, clock) {}
    FakeClock clock;
    LoopbackComm port;

    void Open(const char* settings) {
        ASSERT_TRUE(port.SetSettings(settings));
        ASSERT_TRUE(port.SetPortOpen(true));
    }
    void Close() { ASSERT_TRUE(port.SetPortOpen(false)); }
    // Opens the port and sends the loader wake-up, then empties the input.
    void WakeUp(const char* settings = "9600,N,8,1") {
        Open(settings);
        Out(kWakeUp);
        port.InputLen = 1;
        port.ClearInBuffer();
    }
    void Out(const std::string& bytes) {
        for (char c : bytes) ASSERT_TRUE(port.Output(std::string(1, c)));
    }
    void Delay(double ms) { clock.Advance(ms); }
    // Lets the instrument take in what was sent (the port runs it when polled).
    void Settle() {
        Delay(1);
        port.InBufferCount();
    }
    // Reads one character at a time until `wanted` comes; everything else is returned in `other`.
    bool ReadUntil(char wanted, double limitMs, std::string* other = nullptr) {
        port.InputLen = 1;
        for (double waited = 0; waited < limitMs; waited += 0.5) {
            std::string c = port.Input();
            if (c == std::string(1, wanted)) return true;
            if (!c.empty() && other) *other += c;
            if (c.empty()) Delay(0.5);
        }
        return false;
    }
    void LoaderSelect() {
        port.ClearInBuffer();
        Delay(300);
        Out("\x1B" "B");
        Delay(5);
        Out("1");
    }
    void LoadStart() {
        Out("\x1B");
        Delay(5);
        Out("L");
        Delay(5);
    }
    // ESC "J", then waits for ")".
    bool Run() {
        Delay(70);
        Out("\x1B");
        Delay(5);
        Out("J");
        port.ClearInBuffer();
        return ReadUntil(')', 100);
    }
    // Returns the echo of each line.
    std::vector<std::string> SendImage(const std::vector<std::string>& lines) {
        std::vector<std::string> echoes;
        for (const std::string& line : lines) {
            port.ClearInBuffer();
            port.InputLen = static_cast<int16_t>(line.size());
            for (char c : line)
                if (c != ' ') Out(std::string(1, c));
            Delay(5);
            echoes.push_back(port.Input());
        }
        return echoes;
    }
    void ParameterBlock(const std::string& data) {
        Out(Byte(0x01));
        port.ClearInBuffer();
        for (int reads = 0; reads < 200000 && port.Input().empty(); ++reads) {
        }
        for (size_t i = 0; i < data.size(); ++i) {
            Out(data.substr(i, 1));
            if (i + 1 < data.size()) Delay(5);
        }
        Delay(100);  // the pause that ends the block
    }
};

std::string WithoutBlanks(std::string s) {
    std::erase(s, ' ');
    return s;
}

InstrumentOptions InLoader() {
    InstrumentOptions o;
    o.startInLoader = true;
    return o;
}

TEST(CommInstrumentLoader, ProbeAt9600HearsTheLoaderButNotARunningInstrument) {
    for (bool loader : {true, false}) {
        SCOPED_TRACE(loader);
        InstrumentOptions o;
        o.startInLoader = loader;
        SimulatedInstrument instrument(o);
        Computer pc(instrument);
        pc.Delay(500);
        pc.Open("115200,N,8,1");
        ASSERT_TRUE(pc.port.SetSettings("9600,N,8,1"));
        pc.port.ClearInBuffer();
        pc.Delay(20);
        EXPECT_EQ(pc.port.Input().empty(), !loader);
        EXPECT_EQ(instrument.LineBaud(), loader ? 9600 : 115200);
    }
}

TEST(CommInstrumentLoader, TakesBothImagesAndRunsAfterTheDownload) {
    SimulatedInstrument instrument(InLoader());
    Computer pc(instrument);
    const std::string params = commtest::ParameterData(400, 2, 0, 10, 1);

    // Wake-up at 9600.
    pc.WakeUp();
    ASSERT_TRUE(pc.ReadUntil('1', 100));
    EXPECT_EQ(instrument.Stage(), InstrumentStage::LoaderAwake);

    // Master: select at 9600, load at 115200.
    pc.LoaderSelect();
    pc.Close();
    pc.port.OutBufferSize = 512;
    pc.Open("115200,N,8,1");
    pc.LoadStart();
    std::vector<std::string> echoes = pc.SendImage(kMaster);
    for (size_t i = 0; i < kMaster.size(); ++i) EXPECT_EQ(echoes[i], kMaster[i]);
    ASSERT_TRUE(pc.Run());
    pc.Out("S");
    pc.Settle();
    EXPECT_EQ(instrument.Stage(), InstrumentStage::MasterRunning);
    pc.ParameterBlock(params);
    pc.Settle();
    EXPECT_EQ(instrument.Stage(), InstrumentStage::SlaveWake);
    pc.Close();

    // Slave: announce and select at 9600, announce again and load at 115200.
    pc.Open("9600,N,8,1");
    pc.Out("Y");
    pc.LoaderSelect();
    pc.Close();
    pc.Open("115200,N,8,1");
    pc.Out("Y");
    pc.Delay(5);
    pc.LoadStart();
    echoes = pc.SendImage(kSlave);
    for (size_t i = 0; i < kSlave.size(); ++i) EXPECT_EQ(echoes[i], WithoutBlanks(kSlave[i]));
    ASSERT_TRUE(pc.Run());
    pc.Out("S");
    pc.Delay(1000);
    pc.ParameterBlock(params);
    pc.Delay(5);
    pc.Out("Z");
    pc.Close();

    EXPECT_EQ(instrument.Stage(), InstrumentStage::Running);
    ASSERT_EQ(instrument.Images().size(), 2u);
    const LoadedImage& master = instrument.Images()[0];
    const LoadedImage& slave = instrument.Images()[1];
    EXPECT_EQ(master.records, 4);
    EXPECT_EQ(master.dataBytes, 32);
    EXPECT_EQ(slave.records, 3);
    EXPECT_EQ(slave.dataBytes, 8);
    EXPECT_EQ(master.checksumErrors + slave.checksumErrors, 0);
    EXPECT_EQ(master.strayCharacters + slave.strayCharacters, 0);
    EXPECT_TRUE(master.ended && slave.ended);
    EXPECT_EQ(instrument.ParameterBlocks(), 2);
    EXPECT_EQ(instrument.Parameters().IntegrationTime, 400);

    // Now it scans.
    pc.Open("115200,N,8,1");
    pc.Out(Byte(0x02));
    pc.port.InputLen = 2;
    pc.Delay(100);
    EXPECT_EQ(pc.port.Input().size(), 2u);
}

TEST(CommInstrumentLoader, WakeUpAnsweredWithZeroBeforeOne) {
    InstrumentOptions o = InLoader();
    o.faults.wakeZeros = 1;
    SimulatedInstrument instrument(o);
    Computer pc(instrument);
    pc.WakeUp();
    std::string other;
    ASSERT_TRUE(pc.ReadUntil('1', 200, &other));
    EXPECT_EQ(other, "0");
}

TEST(CommInstrumentLoader, LoaderThatIgnoresTheWakeUpKeepsAnnouncingItself) {
    InstrumentOptions o = InLoader();
    o.faults.loaderIgnoresWake = true;
    SimulatedInstrument instrument(o);
    Computer pc(instrument);
    pc.WakeUp();
    std::string other;
    EXPECT_FALSE(pc.ReadUntil('1', 500, &other));
    EXPECT_GT(other.size(), 10u);
    EXPECT_EQ(other.find_first_not_of('?'), std::string::npos);
    EXPECT_EQ(instrument.Stage(), InstrumentStage::LoaderIdle);
}

TEST(CommInstrumentLoader, ImageWithoutEndRecordOrWithBadChecksumIsNoticed) {
    SimulatedInstrument instrument(InLoader());
    Computer pc(instrument);
    pc.WakeUp();
    ASSERT_TRUE(pc.ReadUntil('1', 100));
    pc.Out("\x1B" "B" "1");
    pc.Close();
    pc.Open("115200,N,8,1");
    pc.Out("\x1B" "L");
    pc.SendImage({"S1131000000102030405060708090A0B0C0D0E0F65"});  // checksum off by one
    pc.Out("\x1B" "J");
    pc.port.ClearInBuffer();
    std::string other;
    EXPECT_FALSE(pc.ReadUntil(')', 100, &other));
    EXPECT_EQ(other, "E") << "an image without its end record does not run";
    EXPECT_EQ(instrument.Images().at(0).checksumErrors, 1);
    EXPECT_EQ(instrument.Stage(), InstrumentStage::LoadingImage);
}

TEST(CommInstrumentLoader, WakeUpAtTheWrongSpeedIsNotHeard) {
    SimulatedInstrument instrument(InLoader());
    Computer pc(instrument);
    pc.WakeUp("115200,N,8,1");
    pc.Delay(100);
    EXPECT_EQ(instrument.Stage(), InstrumentStage::LoaderIdle);
    EXPECT_NE(instrument.Received(), kWakeUp);
}

}  // namespace
}  // namespace tav
