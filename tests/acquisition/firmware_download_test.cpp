// The firmware download, reached from a scan whose boot probe finds the instrument in its
// loader: the wake-up, both images character by character, the run, start and parameter bytes,
// the progress texts, and the ways it ends early.

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <functional>
#include <memory>

#include "AcquisitionRig.h"
#include "FlowRig.h"
#include "acquisition/AutoIntegrationTime.h"
#include "acquisition/DarkReferenceScan.h"
#include "acquisition/FirmwareDownload.h"
#include "acquisition/NextScan.h"
#include "acquisition/OverlayScan.h"
#include "acquisition/ScanAcquisition.h"
#include "support/Fifo.h"

namespace tav {
namespace {

using acqtest::Rig;

// An S1 record of the bytes at the address, with its checksum.
std::string S1(int address, const std::vector<int>& data) {
    std::vector<int> bytes = {static_cast<int>(data.size()) + 3, address >> 8, address & 0xFF};
    bytes.insert(bytes.end(), data.begin(), data.end());
    int sum = 0;
    for (int b : bytes) sum += b;
    bytes.push_back(~sum & 0xFF);
    std::string text = "S1";
    char hex[3];
    for (int b : bytes) {
        std::snprintf(hex, sizeof hex, "%02X", b);
        text += hex;
    }
    return text;
}

std::vector<std::string> OutLines(const std::string& bytes) {
    std::vector<std::string> lines;
    char hex[8];
    for (unsigned char c : bytes) {
        std::snprintf(hex, sizeof hex, "out %02X", c);
        lines.push_back(hex);
    }
    return lines;
}

void Append(std::vector<std::string>& to, const std::vector<std::string>& more) {
    to.insert(to.end(), more.begin(), more.end());
}

const std::string EndRecord = "S804000000FB";
const std::string Esc = "\x1B";

struct Images {
    std::string masterRecord1 = S1(0x0000, {1, 2, 3, 4, 5, 6, 7, 8});
    std::string masterRecord2 = S1(0x0008, {0xAA, 0xBB, 0xCC});
    std::string slaveRecord = S1(0x1000, {9, 8, 7});
    // A blank inside the second record, and a record after the end record that is not sent.
    std::string master = masterRecord1 + "\r\n" + masterRecord2.substr(0, 8) + " " + masterRecord2.substr(8) +
                         "\r\n" + EndRecord + "\r\n" + S1(0x0100, {0x55}) + "\r\n";
    // Leading blanks, and no line end after the end record.
    std::string slave = "   " + slaveRecord + "\r\n" + EndRecord;
};

Rig LoaderRig(int wakeZeros = 1) {
    InstrumentOptions o = acqtest::Exact();
    o.startInLoader = true;
    o.faults.wakeZeros = wakeZeros;
    return Rig(o);
}

TEST(FirmwareDownload, FromTheLoaderToTheFirstScan) {
    Rig r = LoaderRig();
    Images img;
    ASSERT_TRUE(r.dir.Write("OLMMASTR.S19", img.master));
    ASSERT_TRUE(r.dir.Write("olmslave.s19", img.slave));  // found without regard to case
    r.state.IntegrationTime = 30;

    ASSERT_EQ(AcquireScanPair(r.ctx, 10, 0), AcquireResult::Data);

    ASSERT_EQ(r.instrument.Images().size(), 2u);
    const LoadedImage& master = r.instrument.Images()[0];
    const LoadedImage& slave = r.instrument.Images()[1];
    EXPECT_EQ(master.text, img.masterRecord1 + img.masterRecord2 + EndRecord);
    EXPECT_EQ(master.records, 3);
    EXPECT_EQ(master.checksumErrors, 0);
    EXPECT_EQ(slave.text, img.slaveRecord + EndRecord);
    EXPECT_TRUE(slave.ended);
    EXPECT_EQ(r.instrument.Stage(), InstrumentStage::Running);
    EXPECT_EQ(r.state.IntegrationTime, 40);
    EXPECT_EQ(r.instrument.Parameters().IntegrationTime, 40);
    EXPECT_EQ(r.instrument.ParameterBlocks(), 2);
    EXPECT_FALSE(r.state.NoInstrumentResponse);

    // What the computer sent, in order.
    const std::string params = std::string("\x01") + '\0' + '\x28' + '\0' + '\x01' + std::string(4, '\0') +
                               '\0' + '\x0A' + '\0' + '\x01';
    std::vector<std::string> out;
    Append(out, OutLines(Esc + "R\xFF" + Esc + "R"));
    Append(out, OutLines(Esc + "B1" + Esc + "L"));
    Append(out, OutLines(img.masterRecord1 + img.masterRecord2 + EndRecord));
    Append(out, OutLines(Esc + "JS" + params));
    Append(out, OutLines("Y" + Esc + "B1Y" + Esc + "L"));
    Append(out, OutLines(img.slaveRecord + EndRecord));
    Append(out, OutLines(Esc + "JS" + params + "Z"));
    Append(out, OutLines("\x02" + std::string(16, '\x05')));
    EXPECT_EQ(r.Journal("out"), out);
    EXPECT_EQ(r.Journal("open"),
              (std::vector<std::string>{"open 1 115200,N,8,1", "open 1 9600,N,8,1", "open 1 115200,N,8,1",
                                        "open 1 9600,N,8,1", "open 1 115200,N,8,1", "open 1 115200,N,8,1"}));

    const auto prints = r.windows.mainForm.OpsOfKind(CanvasOp::Kind::Print);
    ASSERT_EQ(prints.size(), 3u);
    EXPECT_EQ(prints[0].text, "                         L0ADING MASTER...");
    EXPECT_EQ(prints[1].text, "                         L0ADING SLAVE...");
    EXPECT_EQ(prints[2].text, "                         SYSTEM READY");
    EXPECT_EQ(prints[0].x1, 0);
    EXPECT_EQ(prints[0].y1, 300);
    EXPECT_GT(prints[1].y1, prints[0].y1) << "each on the line below";
    for (const CanvasOp& p : prints) EXPECT_EQ(p.fontName, "DejaVu Sans");
    EXPECT_EQ(r.windows.mainForm.FontName(), "MS Sans Serif");
}

TEST(FirmwareDownload, EndsAsNoResponseWhenItCannotGoOn) {
    struct Case {
        const char* name;
        bool master, slave;
        bool withEndRecord;
        bool deafLoader;
        std::string message;  // part of the one message shown, "" for none
        std::string masterText = "";  // in place of the good master image
    };
    const Case cases[] = {
        {"master image missing", false, true, true, false, "OLMMASTR.S19"},
        {"slave image missing", true, false, true, false, "OLMSLAVE.S19"},
        {"image without end record", true, true, false, false, "OLMMASTR.S19"},
        {"loader never wakes", true, true, true, true, ""},
        // Not read in, not sent: no S-record is that long.
        {"master image with an overlong line", true, true, true, false, "OLMMASTR.S19",
         "S1" + std::string(5000, '0') + "\r\n" + EndRecord + "\r\n"},
        // Each line costs its pause on the line, however short: more lines than any image has.
        {"master image of blank lines", true, true, true, false, "OLMMASTR.S19",
         acqtest::Repeat("\r\n", 600000) + S1(0x0000, {1}) + "\r\n" + EndRecord + "\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        InstrumentOptions o = acqtest::Exact();
        o.startInLoader = true;
        o.faults.loaderIgnoresWake = c.deafLoader;
        Rig r(o);
        Images img;
        std::string master = c.withEndRecord ? img.master : img.masterRecord1 + "\r\n";
        if (!c.masterText.empty()) master = c.masterText;
        ASSERT_TRUE(!c.master || r.dir.Write("OLMMASTR.S19", master));
        ASSERT_TRUE(!c.slave || r.dir.Write("OLMSLAVE.S19", img.slave));
        double start = r.Seconds();
        EXPECT_EQ(AcquireScanPair(r.ctx, 10, 0), AcquireResult::NoResponse);
        EXPECT_LT(r.Seconds() - start, 30.0);
        EXPECT_TRUE(r.state.NoInstrumentResponse);
        EXPECT_FALSE(r.port.PortOpen());
        EXPECT_EQ(r.windows.mainForm.FontName(), "MS Sans Serif");
        if (c.message.empty()) {
            EXPECT_TRUE(r.op.Messages().empty());
        } else {
            ASSERT_EQ(r.op.Messages().size(), 1u);
            EXPECT_NE(r.op.Messages()[0].text.find(c.message), std::string::npos) << r.op.Messages()[0].text;
            EXPECT_TRUE(r.instrument.Images().empty()) << "nothing sent before both images are there";
        }
    }
}

// An image is read whole and checked before anything of either image goes out: text that is not
// S-records, or that has no end record, is refused with the image's name and the reason.
TEST(FirmwareDownload, AnImageThatIsNoSRecordTextIsRefusedBeforeAnythingIsSent) {
    std::string noise;
    uint32_t seed = 24;
    for (int i = 0; i < 200 * 1024; ++i) {
        seed = seed * 1664525u + 1013904223u;
        noise.push_back(static_cast<char>(seed >> 24));
    }
    Images img;
    const std::string good = img.masterRecord1 + "\r\n";
    std::string badSum = img.masterRecord2;
    badSum.back() = badSum.back() == '0' ? '1' : '0';
    std::string lower = img.masterRecord2;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    struct Case {
        const char* name;
        std::string master, slave;
        std::string reason;  // "" for the noise, whose first bad line depends on the bytes
    };
    const Case cases[] = {
        {"200 KB of random bytes", noise, img.slave, ""},
        {"a wrong checksum", good + badSum + "\r\n" + EndRecord, img.slave, "line 2 has a wrong checksum"},
        {"a character that is no hex digit", good + "S1060000010G03F3\r\n" + EndRecord, img.slave,
         "line 2 holds a character that is not an upper-case hex digit"},
        {"lower-case hex digits", good + lower + "\r\n" + EndRecord, img.slave,
         "line 2 does not begin with S and a record type (S0 to S3, S5 to S9)"},
        {"a count too large", good + "S1070000010203F3\r\n" + EndRecord, img.slave,
         "line 2 has a count that does not match its length"},
        {"half a digit pair", good + "S1060000010203F\r\n" + EndRecord, img.slave,
         "line 2 has a count that does not match its length"},
        {"a record too short for its address", "S2030000FC\r\n" + EndRecord, img.slave,
         "line 1 is too short for its address and checksum"},
        {"a text line", good + "\r\nfirmware 2.1\r\n" + EndRecord, img.slave,
         "line 3 does not begin with S and a record type (S0 to S3, S5 to S9)"},
        {"the reserved type S4", "S4030000FC\r\n" + EndRecord, img.slave,
         "line 1 does not begin with S and a record type (S0 to S3, S5 to S9)"},
        {"no end record", good + "S9030000FC\r\n", img.slave, "it has no end record S804000000FB"},
        {"a slave image without end record", img.master, img.slaveRecord + "\r\n", "it has no end record S804000000FB"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig r = LoaderRig(0);
        ASSERT_TRUE(r.dir.Write("OLMMASTR.S19", c.master));
        ASSERT_TRUE(r.dir.Write("OLMSLAVE.S19", c.slave));
        EXPECT_EQ(AcquireScanPair(r.ctx, 10, 0), AcquireResult::NoResponse);
        EXPECT_TRUE(r.state.NoInstrumentResponse);
        const std::string name = c.master == img.master ? "OLMSLAVE.S19" : "OLMMASTR.S19";
        ASSERT_EQ(r.op.Messages().size(), 1u);
        const std::string& text = r.op.Messages()[0].text;
        const std::string head = "The firmware image " + name + " in " + r.dir.Path() + " is not an S-record image: ";
        EXPECT_EQ(text.substr(0, head.size()), head) << text;
        if (!c.reason.empty()) {
            EXPECT_EQ(text.substr(head.size()), c.reason + "; nothing of it was sent.");
        }
        EXPECT_TRUE(r.instrument.Images().empty());
        // The wake-up, and after the refused download the scan command again: no byte of an image.
        EXPECT_EQ(r.Journal("out"), OutLines(Esc + "R\xFF" + Esc + "R\x02"));
    }
}

// Line ends of every kind, blank lines and blanks around a record are taken; what goes out is
// the records alone.
TEST(FirmwareDownload, AnImageMayHaveAnyLineEndsAndBlankLines) {
    Rig r = LoaderRig(0);
    Images img;
    ASSERT_TRUE(r.dir.Write("OLMMASTR.S19", "\r\n" + img.masterRecord1 + " \t\n\n   \r\n\t" + img.masterRecord2 +
                                                "\r" + EndRecord + "\n"));
    ASSERT_TRUE(r.dir.Write("OLMSLAVE.S19", img.slave));
    ASSERT_EQ(AcquireScanPair(r.ctx, 10, 0), AcquireResult::Data);
    ASSERT_EQ(r.instrument.Images().size(), 2u);
    EXPECT_EQ(r.instrument.Images()[0].text, img.masterRecord1 + img.masterRecord2 + EndRecord);
    EXPECT_EQ(r.instrument.Images()[0].checksumErrors, 0);
    EXPECT_TRUE(r.op.Messages().empty());
}

// In every scan flow, an image that cannot be used is the scan's one box: no "NO DATA
// TRANSMITTED" follows it.
TEST(FirmwareDownload, AnImageThatCannotBeUsedIsTheScansOneBox) {
    struct Flow {
        const char* name;
        std::function<void(ScanFlowContext&)> run;
    };
    const Flow flows[] = {
        {"next scan", [](ScanFlowContext& f) { NextScan(f); }},
        {"overlay scan", [](ScanFlowContext& f) { OverlayScan(f); }},
        {"dark scan", [](ScanFlowContext& f) { DarkScan(f); }},
        {"reference scan", [](ScanFlowContext& f) { ReferenceScan(f); }},
        {"Auto Set Integration Time", [](ScanFlowContext& f) { AutoSetIntegrationTime(f); }},
    };
    for (const Flow& flow : flows) {
        for (bool missing : {true, false}) {
            SCOPED_TRACE(std::string(flow.name) + (missing ? ", missing" : ", no S-records"));
            InstrumentOptions o = acqtest::ExactInstrument();
            o.startInLoader = true;
            acqtest::FlowRig r(o);
            if (!missing) {
                ASSERT_TRUE(r.dir.Write("OLMMASTR.S19", "firmware\r\n"));
            }
            flow.run(r.flow);
            const std::string box = missing ? "The firmware image OLMMASTR.S19 was not found in " + r.dir.Path() + "."
                                            : "The firmware image OLMMASTR.S19 in " + r.dir.Path() +
                                                  " is not an S-record image: line 1 does not begin with S and a "
                                                  "record type (S0 to S3, S5 to S9); nothing of it was sent.";
            EXPECT_EQ(r.op.MessageTexts(), std::vector<std::string>{box});
            EXPECT_TRUE(r.instrument.Images().empty());
        }
    }
}

// An image name that stands for a pipe, a device or a folder is refused before anything of an
// image is sent, and nothing waits for the pipe's other end.
TEST(FirmwareDownload, AnImageThatIsNoFileIsRefusedBeforeAnythingIsSent) {
    struct Case {
        const char* name;
        std::string reason;
    };
    for (const Case& c : {Case{"a pipe", "it is a device or a pipe, not a file"},
                          Case{"a device", "it is a device or a pipe, not a file"},
                          Case{"a folder", "it is a folder"}}) {
        SCOPED_TRACE(c.name);
        Rig r = LoaderRig();
        Images img;
        ASSERT_TRUE(r.dir.Write("OLMMASTR.S19", img.master));
        std::unique_ptr<test::Fifo> pipe;
        const std::string slave = r.dir.File("OLMSLAVE.S19");
        if (c.reason == "it is a folder") {
            ASSERT_TRUE(r.dir.MakeDir("OLMSLAVE.S19"));
        } else if (std::string(c.name) == "a pipe") {
            pipe = std::make_unique<test::Fifo>(slave);
            ASSERT_TRUE(pipe->Made());
        } else {
            ASSERT_EQ(::symlink("/dev/null", slave.c_str()), 0);
        }
        EXPECT_EQ(AcquireScanPair(r.ctx, 10, 0), AcquireResult::NoResponse);
        EXPECT_TRUE(r.state.NoInstrumentResponse);
        EXPECT_FALSE(r.port.PortOpen());
        ASSERT_EQ(r.op.Messages().size(), 1u);
        EXPECT_EQ(r.op.Messages()[0].text, "The firmware image OLMSLAVE.S19 in " + r.dir.Path() +
                                               " could not be read: " + c.reason + "; nothing of it was sent.");
        EXPECT_TRUE(r.instrument.Images().empty());
    }
}

// Each S-record character is on the line before a pause of at least a millisecond and the next
// character; a line's echo is read once, 5 ms after its last character.
TEST(FirmwareDownload, TheImageCharactersArePacedOnTheLine) {
    Rig r = LoaderRig(0);
    Images img;
    ASSERT_TRUE(r.dir.Write("OLMMASTR.S19", img.master));
    ASSERT_TRUE(r.dir.Write("OLMSLAVE.S19", img.slave));
    r.clock.SetReadStepMicros(0);
    DownloadFirmware(r.ctx);
    ASSERT_FALSE(r.state.NoInstrumentResponse);

    const std::vector<std::string>& journal = r.port.Journal();
    const std::vector<double>& times = r.port.JournalTimes();
    ASSERT_EQ(journal.size(), times.size());
    // The first record of the master image: its characters as the journal shows them, each
    // output after the clearing of the input that starts the line.
    const std::vector<std::string> record = OutLines(img.masterRecord1);
    const auto first = std::search(journal.begin(), journal.end(), record.begin(), record.end());
    ASSERT_NE(first, journal.end());
    const size_t at = static_cast<size_t>(first - journal.begin());
    const double characterMs = 10.0 / 115.2;  // ten bits at 115200 baud
    for (size_t k = at + 1; k < at + record.size(); ++k) {
        EXPECT_GE(times[k] - times[k - 1], characterMs + 1.0) << "character " << k - at;
        EXPECT_LE(times[k] - times[k - 1], characterMs + 1.2) << "character " << k - at;
    }
    // The next line starts after the 5 ms wait and the echo.
    const size_t next = at + record.size();
    ASSERT_EQ(journal[next], "clear");
    EXPECT_GE(times[next] - times[next - 1], characterMs + 1.0 + 5.0);
    EXPECT_EQ(r.instrument.Images()[0].text, img.masterRecord1 + img.masterRecord2 + EndRecord);
}

TEST(FirmwareDownload, WaitsOneAveragedMeasurementAtTheEnd) {
    auto duration = [](int16_t average, int32_t integration) {
        Rig r = LoaderRig(0);
        Images img;
        EXPECT_TRUE(r.dir.Write("OLMMASTR.S19", img.master));
        EXPECT_TRUE(r.dir.Write("OLMSLAVE.S19", img.slave));
        r.clock.Set(0, 1, 0);
        r.clock.SetReadStepMicros(0);
        r.state.NumToAverage = average;
        r.state.IntegrationTime = integration;
        double start = r.Seconds();
        DownloadFirmware(r.ctx);
        EXPECT_FALSE(r.state.NoInstrumentResponse);
        return (r.Seconds() - start) * 1000.0;
    };
    // 10 x 1000 tenths of a millisecond is 1000 ms; 1 x 40 is 4 ms.
    EXPECT_NEAR(duration(10, 1000) - duration(1, 40), 996.0, 3.0);
}

}  // namespace
}  // namespace tav
