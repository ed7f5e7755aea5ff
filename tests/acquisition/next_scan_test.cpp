// The next-scan flow on a headless program with the simulated instrument: the scan pair, the
// main window's controls, the status, saturation and no-data reports, the memory addresses, the
// elapsed-time clock, the corrections, AutoSave and simulation mode.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "AcquisitionRig.h"
#include "FlowRig.h"
#include "acquisition/DarkReferenceScan.h"
#include "acquisition/NextScan.h"
#include "acquisition/OverlayScan.h"
#include "charts/PrintedChart.h"

namespace tav {
namespace {

using acqtest::FlowRig;

std::string Acks() { return std::string(16, '\x05'); }

TEST(NextScan, TakesThePairDrawsItAndComputesTheIndices) {
    FlowRig r;
    ProgramState& s = r.state;
    s.CurrentSlot = 4;
    s.OverlayCount = 5;
    s.DarkViewOn = s.PrintInColor = s.DarkRefShown = s.ProcessedResult = true;
    s.DerivativeParam = 3;
    s.SavedDisplaySlot = 6;
    s.IntegrationTime = 250;
    s.NumToAverage = 3;
    s.BinWidth = 2.5f;
    s.ScanNumber = 0;
    s.IntervalTenths = 12;
    size_t clearsBefore = r.Clears();

    NextScan(r.flow);

    EXPECT_EQ(r.Heard(), "\x02" + Acks());
    const ScanPair& pair = r.instrument.LastPair();
    for (int i = 0; i < 256; ++i) {
        ASSERT_EQ(s.Ch1Data[0][i], pair.sample[i]);
        ASSERT_EQ(s.Ch2Data[0][i], pair.reference[i]);
        ASSERT_EQ(s.Ch1Data[10][i], pair.reference[i]);
    }
    EXPECT_EQ(s.CurrentSlot, 0);
    EXPECT_EQ(s.OverlayCount, 1);
    EXPECT_EQ(s.FirstOverlaySlot, 0);
    EXPECT_FALSE(s.DarkViewOn || s.PrintInColor || s.DarkRefShown || s.ProcessedResult);
    EXPECT_EQ(s.DerivativeParam, 0);
    EXPECT_EQ(s.SavedDisplaySlot, 0);
    EXPECT_EQ(r.Main().Integrat.Value(), 250);
    EXPECT_EQ(r.Main().Averaging.Value(), 3);
    EXPECT_EQ(r.Main().Text4.Text(), "3");
    EXPECT_EQ(r.Main().Source.Value(), 2) << "2.5 rounds to even";
    EXPECT_EQ(r.Main().interva.Value(), 12);
    EXPECT_EQ(r.Main().Text5.Text(), " 1");
    EXPECT_EQ(r.Clears(), clearsBefore + 1);
    EXPECT_FALSE(r.Canvas().OpsOfKind(CanvasOp::Kind::Line).empty()) << "the chart is drawn";
    EXPECT_EQ(r.indices.passes, 1);
    EXPECT_TRUE(r.indices.duringFlow);
    EXPECT_FALSE(r.app.flow.Running());
    EXPECT_TRUE(r.op.Messages().empty());
    EXPECT_EQ(r.op.Beeps(), 0);
}

TEST(NextScan, StatusTextsFollowTimedAcquisitionAndTheMemoryMode) {
    struct Case {
        bool timer;
        int16_t mode, scanNumber;
        const char* text;  // "" for none
    };
    const Case cases[] = {
        {true, 48, 0, "AutoCopy in Progress"},
        {true, 2, 0, "AutoScan in Progress"},
        {true, 2, 5, "AutoScan in Progress"},
        {false, 2, 5, "Write Finished"},
        {false, 64, 0, "Erase Finished"},
        {false, 2, 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        FlowRig r;
        r.Main().Timer1.SetEnabled(c.timer);
        r.state.MemoryMode = c.mode;
        r.state.ScanNumber = c.scanNumber;
        r.state.ReadAddress = 1000;
        r.Canvas().ClearRecord();
        NextScan(r.flow);
        std::vector<CanvasOp> prints = r.StatusPrints();
        if (*c.text == 0) {
            EXPECT_TRUE(prints.empty());
            continue;
        }
        ASSERT_EQ(prints.size(), 1u);
        EXPECT_EQ(prints[0].text, c.text);
        EXPECT_EQ(prints[0].x1, 5500);
        EXPECT_EQ(prints[0].y1, 0);
        EXPECT_NE(r.Canvas().FontName(), "DejaVu Sans") << "the window's font is restored";
    }
}

// A pair stored in the instrument's memory, read back in mode 48.
ScanPair StoredPair(uint16_t top) {
    ScanPair p;
    for (int i = 0; i < 256; ++i) p.reference[i] = p.sample[i] = 500;
    p.sample[100] = top;
    return p;
}

// The averaging bar ends at 1000 while the accepted count may lie above it: after a scan the
// box shows the count, whether or not the bar was moved without Enter before.
TEST(ScanFlows, TheAveragingBoxShowsTheAcceptedCount) {
    const struct {
        const char* name;
        void (*run)(ScanFlowContext&);
    } flows[] = {
        {"next", &NextScan},
        {"dark", &DarkScan},
        {"overlay", &OverlayScan},
        {"reference", &ReferenceScan},
    };
    for (const auto& f : flows) {
        for (int16_t moved : {500, 1000}) {
            SCOPED_TRACE(std::string(f.name) + " " + std::to_string(moved));
            FlowRig r;
            ProgramState& s = r.state;
            s.IntegrationTime = 40;
            s.NumToAverage = 1500;
            r.Main().Averaging.SetValue(moved);  // the bar moved without Enter
            ASSERT_EQ(r.Main().Text4.Text(), std::to_string(moved));
            f.run(r.flow);
            EXPECT_EQ(r.Main().Text4.Text(), "1500");
            EXPECT_EQ(r.Main().Averaging.Value(), 1000);
            EXPECT_EQ(s.NumToAverage, 1500);
        }
    }
}

// Only an instrument's pixel spectrum ends in status words (the temperature count at 248 and
// after): a spectrum of 256 wavelength bins keeps its last 8 bins on the window and on paper.
TEST(NextScan, OnlyAPixelSpectrumLeavesOutItsLastEightPoints) {
    const struct {
        const char* name;
        bool pixels;
        int drawn;
    } cases[] = {{"pixels", true, 248}, {"256 bins", false, 256}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FlowRig r;
        ProgramState& s = r.state;
        s.PixelMode = c.pixels;
        s.BinWidth = 3.18f;  // 304 to 1117 nm (pixel 247 less a nanometre): 256 bins
        s.CalCoeffD = 300.0;
        s.CalCoeffE = 3.3;
        r.Canvas().ClearRecord();
        NextScan(r.flow);
        ASSERT_EQ(s.SlotInfo[0].NumPoints, 256);
        ASSERT_EQ(s.XData[0][0], c.pixels ? s.WaveLength[0] : 304.0f);

        const auto curve = [](RecordingCanvas& canvas) {
            std::vector<CanvasOp> lines;
            for (const CanvasOp& op : canvas.OpsOfKind(CanvasOp::Kind::Line))
                if (op.color == 0x800000 && op.drawMode == 13) lines.push_back(op);
            return lines;
        };
        const auto window = curve(r.Canvas());
        EXPECT_EQ(static_cast<int>(window.size()), c.drawn);
        EXPECT_EQ(s.EndPixel, c.drawn - 1) << "the scale covers the points drawn";
        if (!c.pixels) {
            ASSERT_FALSE(window.empty());
            EXPECT_NEAR(window.back().x2, s.SlotInfo[0].PlotRight, 0.01) << "the last bin at the edge";
        }

        s.PrintInColor = true;
        RecordingCanvas& page = r.printer.Page();
        PrintChart(s, page, ReadMainWindows(r.app), 0, "Wavelength (nm)", 1);
        EXPECT_EQ(static_cast<int>(curve(page).size()), c.drawn);
        EXPECT_EQ(s.EndPixel, c.drawn - 1);
    }
}

TEST(NextScan, ASaturatedSecondPassIsWarnedOf) {
    for (uint16_t top : {uint16_t(65535), uint16_t(65534)}) {
        SCOPED_TRACE(top);
        FlowRig r;
        r.instrument.StoreScan(1, StoredPair(top));
        r.state.MemoryMode = 48;
        r.state.ReadAddress = 1764;
        r.Canvas().ClearRecord();
        NextScan(r.flow);
        EXPECT_EQ(r.state.SaturationFlag, top == 65535);
        std::vector<CanvasOp> prints = r.StatusPrints();
        if (top == 65534) {
            EXPECT_TRUE(prints.empty());
            continue;
        }
        ASSERT_EQ(prints.size(), 2u);
        EXPECT_EQ(prints[0].text, "Signal is saturating. Reduce");
        EXPECT_EQ(prints[0].x1, 1500);
        EXPECT_EQ(prints[0].y1, 500);
        EXPECT_EQ(prints[1].text, "integr.time/source intensity.");
        EXPECT_EQ(prints[1].x1, 1500);
        EXPECT_GT(prints[1].y1, 500);
    }
}

TEST(NextScan, ASilentInstrumentIsReportedAndNothingElseHappens) {
    InstrumentOptions o = acqtest::ExactInstrument();
    o.faults.silent = true;
    FlowRig r(o);
    ProgramState& s = r.state;
    s.AutoSaveOn = true;
    s.AutoSaveName = "S";
    for (int k : {0, 10}) {
        s.SlotInfo[k].NumPoints = 256;
        s.Ch1Data[k].fill(42.0f);
    }
    s.DataAvailable = true;
    size_t clearsBefore = r.Clears();
    NextScan(r.flow);

    ASSERT_EQ(r.op.Messages().size(), 1u);
    const MessageRecord& m = r.op.Messages()[0];
    EXPECT_EQ(m.text, "Warning:\nNO DATA TRANSMITTED\nRefer to 'Trouble Shooting'");
    EXPECT_EQ(m.icon, MsgIcon::Exclamation);
    EXPECT_EQ(m.buttons, MsgButtons::OkOnly);
    EXPECT_EQ(m.title, "");
    EXPECT_EQ(s.Ch1Data[0][7], 42.0f);
    EXPECT_EQ(s.Ch1Data[10][7], 42.0f);
    EXPECT_EQ(r.Clears(), clearsBefore) << "nothing drawn";
    EXPECT_EQ(r.indices.passes, 0);
    EXPECT_EQ(s.OverlayCount, 0);
    EXPECT_EQ(s.AutoSaveCounter, 0) << "a scan without data takes no file number";
    EXPECT_TRUE(r.dir.Names().empty()) << "nothing saved";
}

TEST(NextScan, ReadOutAndWriteAddressesStayInTheMemory) {
    struct Case {
        int16_t mode, scanNumber, readAddress, writeAddress;
        bool firstReadPending;
        int16_t readAfter, writeAfter;
        bool readScanPrinted;
        const char* text2;
    };
    const Case cases[] = {
        {48, 0, 1763, 0, false, 1764, 0, true, " Normal"},
        {48, 2, 1762, 0, false, 1764, 0, true, " Normal"},  // the last two scans
        {48, 0, 10, 0, true, 10, 0, true, ""},              // the first read steps back by one
        {2, 5, 1, 1762, false, 1, 1764, false, ""},
        {2, 0, 1, 1800, false, 1, 1764, false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode * 10000 + c.readAddress);
        FlowRig r;
        ProgramState& s = r.state;
        s.MemoryMode = c.mode;
        s.ScanNumber = c.scanNumber;
        s.ReadAddress = c.readAddress;
        s.WriteAddress = c.writeAddress;
        s.ReadAddressPending = c.firstReadPending;
        if (c.scanNumber >= 2) r.SendParameters();
        r.Main().Text2.SetText("");
        r.Canvas().ClearRecord();
        NextScan(r.flow);
        EXPECT_EQ(s.ReadAddress, c.readAfter);
        EXPECT_EQ(s.WriteAddress, c.writeAfter);
        // The flow writes the number with its sign blank; when that moves the bar, the bar's own
        // change handler writes it again plainly.
        const std::string number = std::to_string(c.readAfter);
        const std::string& text5 = r.Main().Text5.Text();
        EXPECT_TRUE(text5 == " " + number || text5 == number) << text5;
        EXPECT_EQ(r.Main().Integ.Value(), c.readAfter);
        EXPECT_EQ(r.Main().Text2.Text(), c.text2);
        std::vector<std::string> printed = r.Printed();
        EXPECT_EQ(!printed.empty() && printed[0] == "Read Scan", c.readScanPrinted);
        EXPECT_FALSE(s.ReadAddressPending);
    }
}

// A timed read-out of more scans than the raw store keeps is refused once and ends the series,
// instead of bringing the refusal up again on every tick.
TEST(NextScan, ATimedReadOutThatCannotBeKeptEndsTheSeries) {
    FlowRig r;
    ProgramState& s = r.state;
    s.MemoryMode = 48;
    s.ScanNumber = 51;
    r.comm.CommPort = 1;
    ASSERT_TRUE(r.comm.SetSettings("115200,N,8,1"));
    ASSERT_TRUE(r.comm.SetPortOpen(true));
    s.PortHeldOpen = true;
    r.Main().Timer1.SetEnabled(true);
    NextScan(r.flow);
    EXPECT_EQ(r.Heard(), "");
    EXPECT_EQ(r.op.Messages().size(), 1u);
    EXPECT_FALSE(r.Main().Timer1.Enabled());
    EXPECT_FALSE(s.PortHeldOpen);
    EXPECT_FALSE(r.comm.PortOpen());
}

TEST(NextScan, AutoCopyReadsTheStoredScansInTurnAndEraseEmptiesTheMemory) {
    FlowRig r;
    ProgramState& s = r.state;
    for (int a = 1; a <= 3; ++a) r.instrument.StoreScan(a, StoredPair(static_cast<uint16_t>(1000 * a)));
    s.MemoryMode = 48;
    s.ReadAddress = 2;
    s.ReadAddressPending = true;  // the first read steps back to address 1
    r.Main().Timer1.SetEnabled(true);
    for (int a = 1; a <= 3; ++a) {
        SCOPED_TRACE(a);
        r.instrument.ClearLogs();
        r.Canvas().ClearRecord();
        NextScan(r.flow);
        EXPECT_EQ(r.Heard(), "\x30" + Acks());
        EXPECT_EQ(s.Ch1Data[0][100], 1000.0f * a) << "stored scan " << a;
        EXPECT_EQ(s.ReadAddress, a + 1);
        ASSERT_EQ(r.StatusPrints().size(), 1u);
        EXPECT_EQ(r.StatusPrints()[0].text, "AutoCopy in Progress");
    }

    s.MemoryMode = 64;
    r.Main().Timer1.SetEnabled(false);
    r.instrument.ClearLogs();
    r.Canvas().ClearRecord();
    NextScan(r.flow);
    EXPECT_EQ(r.Heard(), "\x40" + Acks());
    EXPECT_FALSE(r.instrument.StoredScan(1).has_value());
    ASSERT_EQ(r.StatusPrints().size(), 1u);
    EXPECT_EQ(r.StatusPrints()[0].text, "Erase Finished");
}

// AutoCopy of stored scans two at a time: each run sends two read-out commands, one pair each,
// and the multi-scan file holds every scan's two columns as they came, none filled with zeros.
TEST(NextScan, AReadOutOfSeveralScansSavesEveryColumnFromItsTransfer) {
    FlowRig r;
    ProgramState& s = r.state;
    s.AutoSaveOn = true;
    s.AutoSaveName = "C";
    acqtest::PrepareReadOut(r, 4, 2);
    for (int group = 0; group < 2; ++group) {
        SCOPED_TRACE(group);
        r.instrument.ClearLogs();
        NextScan(r.flow);
        EXPECT_EQ(r.Heard(), "\x30" + std::string(16, '\x05') + "\x30" + std::string(16, '\x05'));
        const int first = 100 * (2 * group + 1), second = 100 * (2 * group + 2);
        EXPECT_EQ(s.Ch1Data[0][10], second + 2.0f) << "the slots show the group's last scan";
        EXPECT_EQ(s.Ch1Data[10][10], second + 1.0f);
        const std::string file = r.dir.Read("C0000" + std::to_string(group + 1) + ".rdg");
        const std::string row = "\t" + std::to_string(first + 2) + ". \t" + std::to_string(first + 1) + ". \t" +
                                std::to_string(second + 2) + ". \t" + std::to_string(second + 1) + ".\r\n";
        EXPECT_NE(file.find("\"Number Scans: 1\"\r\n\r\nScan#:\t 1 \tRef-\t 2 \tRef-\r\n"), std::string::npos)
            << file.substr(0, 600);
        EXPECT_NE(file.find(row), std::string::npos) << file.substr(0, 800);
        EXPECT_EQ(file.find("\t0. \t"), std::string::npos) << "no column of zeros";
    }
    EXPECT_EQ(s.ReadAddress, 4) << "the last scan read";
    EXPECT_EQ(r.instrument.ReadPointer(), 5);
}

// Each stored scan carries its own temperature in point 248 of its sample pass: the multi-scan
// file's "Temp.:" line gives every scan its own, and the header's the last scan's.
TEST(NextScan, AReadOutFileGivesEachScanItsOwnTemperature) {
    FlowRig r;
    ProgramState& s = r.state;
    s.AutoSaveOn = true;
    s.AutoSaveName = "T";
    const uint16_t words[] = {2400, 2554};  // 23.4 and 24.9 deg C in steps of 0.00975
    for (int a = 1; a <= 2; ++a) {
        ScanPair stored;
        stored.reference.fill(static_cast<uint16_t>(100 * a + 1));
        stored.sample.fill(static_cast<uint16_t>(100 * a + 2));
        stored.sample[248] = words[a - 1];
        r.instrument.StoreScan(a, stored);
    }
    s.MemoryMode = 48;
    s.ScanNumber = 2;
    s.ReadAddress = 1;
    s.ReadAddressPending = true;  // as Enter in the read-address box leaves it
    r.SendParameters();
    NextScan(r.flow);
    const std::string file = r.dir.Read("T00001.rdg");
    EXPECT_NE(file.find("\r\nScan#:\t 1 \tRef-\t 2 \tRef-\r\nTemp.:\t23.4 \tspec\t24.9\tspec\r\n\r\n"), std::string::npos)
        << file.substr(0, 800);
    EXPECT_NE(file.find("\"Temp:       24.9 deg C\""), std::string::npos) << file.substr(0, 300);
}

TEST(NextScan, TheElapsedTimeRunsFromTheFirstScanAfterAReset) {
    FlowRig r;
    ProgramState& s = r.state;
    s.ResetTimer = true;
    s.RatioCount = s.NormDiffCount = s.ExperimentalCount = s.DerivativeCount = 9;
    s.IntegralCount = s.AverageCount = s.DiagnosticsCount = 9;
    NextScan(r.flow);
    EXPECT_FALSE(s.ResetTimer);
    EXPECT_EQ(s.ElapsedTime, 0.0f);
    EXPECT_EQ(s.RatioCount + s.NormDiffCount + s.ExperimentalCount + s.DerivativeCount + s.IntegralCount +
                  s.AverageCount + s.DiagnosticsCount,
              0);
    const float start = s.TimerStart;
    r.clock.Advance(5000);
    NextScan(r.flow);
    EXPECT_EQ(s.TimerStart, start);
    EXPECT_NEAR(s.ElapsedTime, 5.4f, 0.1f) << "5 s and the first scan's own time";
}

TEST(NextScan, DarkCorrectionOnlyOnInstrumentScans) {
    FlowRig r;
    ProgramState& s = r.state;
    s.DarkCorrectionOn = true;
    for (int i = 0; i < 256; ++i) {
        s.Ch1Data[8][i] = 100.0f;
        s.Ch1Data[9][i] = 200.0f;
    }
    NextScan(r.flow);
    const ScanPair& pair = r.instrument.LastPair();
    for (int i = 0; i < 256; ++i) {
        ASSERT_EQ(s.Ch1Data[0][i], pair.sample[i] - 100.0f);
        ASSERT_EQ(s.Ch1Data[10][i], pair.reference[i] - 200.0f);
        ASSERT_EQ(s.Ch2Data[0][i], pair.reference[i] - 200.0f);
    }
}

TEST(NextScan, AutoSaveNamesTheSeriesFileAndWritesIt) {
    FlowRig r;
    ProgramState& s = r.state;
    ASSERT_TRUE(r.dir.MakeDir("DATA"));
    s.AutoSaveOn = true;
    s.AutoSaveName = "S";
    s.AutoSaveCounter = 40;
    s.DefaultPath = r.dir.File("DATA") + "/";
    NextScan(r.flow);
    EXPECT_EQ(s.AutoSaveCounter, 41);
    EXPECT_EQ(s.DefaultPath, r.dir.File("DATA"));
    EXPECT_EQ(s.AutoSaveFileName, r.dir.File("DATA/S00041.rdg"));
    EXPECT_EQ(s.CurrentFileName, "File: S00041.rdg");
    EXPECT_EQ(r.dir.Names("DATA"), std::vector<std::string>{"S00041.rdg"});
    EXPECT_EQ(r.dir.Read("DATA/S00041.rdg").rfind("\"File:", 0), 0u);

    // The operator names each file: the save dialog after the scan; the number still advances.
    s.UserSuppliedName = true;
    NextScan(r.flow);
    EXPECT_EQ(s.AutoSaveCounter, 42);
    EXPECT_EQ(r.op.SaveRequests().size(), 1u);
    EXPECT_EQ(r.dir.Names("DATA").size(), 1u) << "the dialog was cancelled";
}

TEST(NextScan, SimulationTakesTheBundledSpectrum) {
    FlowRig r;
    ProgramState& s = r.state;
    const std::string bundled = std::string(TAVOLIN_SOURCE_DIR) + "/data/simulate.rdg";
    std::string text;
    {
        std::FILE* f = std::fopen(bundled.c_str(), "rb");
        ASSERT_NE(f, nullptr) << bundled;
        char buf[4096];
        for (size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;) text.append(buf, n);
        std::fclose(f);
    }
    ASSERT_TRUE(r.dir.Write("simulate.rdg", text));
    s.SimulationMode = true;
    s.DarkCorrectionOn = true;
    s.Ch1Data[8].fill(1000.0f);
    NextScan(r.flow);

    EXPECT_EQ(r.Heard(), "") << "no instrument in simulation";
    EXPECT_TRUE(r.op.Messages().empty());
    EXPECT_EQ(s.SlotInfo[0].NumPoints, 256);
    EXPECT_NEAR(s.XData[0][0], 304.6f, 0.01f);
    EXPECT_NEAR(s.XData[0][255], 1134.2f, 0.01f);
    EXPECT_EQ(s.SlotInfo[0].FileName, r.dir.Path() + "/simulate.rdg");
    EXPECT_EQ(r.app.forms.Get<MainForm>().CMDialog1.FileName, r.dir.Path() + "/simulate.rdg");
    float ch1Max = 0, ch2Max = 0;
    for (int i = 0; i < 256; ++i) {
        ch1Max = std::max(ch1Max, s.Ch1Data[0][i]);
        ch2Max = std::max(ch2Max, s.Ch2Data[0][i]);
        ASSERT_GT(s.Ch1Data[0][i], 0.0f) << "no dark subtracted in simulation, point " << i;
    }
    EXPECT_GT(ch1Max, 1000.0f);
    EXPECT_GT(ch2Max, ch1Max) << "the reference channel is the brighter";
    EXPECT_EQ(s.OverlayCount, 1);
    EXPECT_EQ(r.indices.passes, 1);
}

TEST(NextScan, SimulationWithoutTheFileSaysSoOnce) {
    FlowRig r;
    ProgramState& s = r.state;
    s.SimulationMode = true;
    size_t clearsBefore = r.Clears();
    NextScan(r.flow);
    ASSERT_EQ(r.op.Messages().size(), 1u);
    EXPECT_EQ(r.op.Messages()[0].text, "No Simulation File found.");
    EXPECT_EQ(r.op.Messages()[0].title, "No Simulation");
    EXPECT_EQ(r.Clears(), clearsBefore);
    EXPECT_EQ(r.indices.passes, 0);
    EXPECT_FALSE(s.DataAvailable);
}

}  // namespace
}  // namespace tav
