// The dark scan into slots 9 and 8 and the reference scan into slot 10.

#include <gtest/gtest.h>

#include <utility>

#include "FlowRig.h"
#include "acquisition/DarkReferenceScan.h"

namespace tav {
namespace {

using acqtest::FlowRig;

std::string PairBytes() { return "\x02" + std::string(16, '\x05'); }

TEST(DarkScan, FillsBothDarkSlotsAndShowsTheChannelOnDisplay) {
    for (bool channel2 : {false, true}) {
        SCOPED_TRACE(channel2);
        FlowRig r;
        ProgramState& s = r.state;
        s.ShowChannel2 = channel2;
        s.BinWidth = 3.5f;
        for (int i = 0; i < 256; ++i) s.Ch2Data[8][i] = s.Ch2Data[9][i] = -1.0f;
        DarkScan(r.flow);
        EXPECT_EQ(r.Heard(), PairBytes());
        const ScanPair& pair = r.instrument.LastPair();
        for (int i = 0; i < 256; ++i) {
            ASSERT_EQ(s.Ch1Data[9][i], pair.reference[i]) << "the reference pass is channel 2's dark";
            ASSERT_EQ(s.Ch1Data[8][i], pair.sample[i]);
            ASSERT_EQ(s.Ch2Data[8][i], -1.0f) << "dark slots keep their own channel 2";
        }
        EXPECT_EQ(s.CurrentSlot, channel2 ? 9 : 8);
        EXPECT_TRUE(s.DarkViewOn);
        EXPECT_TRUE(s.DarkRefShown);
        EXPECT_EQ(r.Main().Source.Value(), 4) << "3.5 rounds to even";
        EXPECT_EQ(r.indices.passes, 0);
        EXPECT_TRUE(r.StatusPrints().empty());
    }
}

// The write address stays within the short limit of these flows; the read address follows the
// scans read to the end of the whole memory, as the instrument's read pointer does, and at the
// end the mode is Normal again.
TEST(DarkScan, TheWriteAddressStaysWithinItsLimitAndTheReadAddressFollowsTheScansRead) {
    const std::vector<acqtest::MemoryAddressCase> cases = {
        {2, 2, 1, 300, 1, 302, "Write Finished", ""},
        {2, 2, 1, 400, 1, 379, "Write Finished", ""},
        {48, 0, 100, 0, 101, 0, "Read Scan", ""},
        {48, 0, 379, 0, 380, 0, "Read Scan", ""},
        {48, 2, 500, 0, 502, 0, "Read Scan", ""},
        {48, 0, 1763, 0, 1764, 0, "", " Normal"},
    };
    acqtest::ExpectMemoryAddresses(cases, [](ScanFlowContext& flow) { DarkScan(flow); });
}

TEST(DarkScan, ASilentInstrumentNeverReplacesTheDarkSpectra) {
    InstrumentOptions o = acqtest::ExactInstrument();
    o.faults.silent = true;
    FlowRig r(o);
    ProgramState& s = r.state;
    for (int k : {8, 9}) {
        s.SlotInfo[k].NumPoints = 256;
        s.Ch1Data[k].fill(33.0f);
    }
    DarkScan(r.flow);
    EXPECT_EQ(s.Ch1Data[8][10], 33.0f);
    EXPECT_EQ(s.Ch1Data[9][10], 33.0f);
    ASSERT_EQ(r.op.Messages().size(), 1u);
    EXPECT_EQ(r.op.Messages()[0].text, "Warning:\nNO DATA TRANSMITTED\nRefer to 'Trouble Shooting'");
}

TEST(ReferenceScan, ReadsItsOwnPairAndShowsTheSecondPassInSlot10) {
    FlowRig r;
    ProgramState& s = r.state;
    s.CurrentSlot = 3;
    s.LampLevel = 700;
    s.AutoScaleOn[0] = 0;
    s.DarkViewOn = false;
    ReferenceScan(r.flow);
    EXPECT_EQ(r.Heard(), PairBytes());
    const ScanPair& pair = r.instrument.LastPair();
    for (int i = 0; i < 256; ++i) ASSERT_EQ(s.Ch1Data[10][i], pair.sample[i]) << i;
    EXPECT_EQ(s.SlotInfo[10].NumPoints, 256);
    EXPECT_EQ(s.CurrentSlot, 3);
    EXPECT_FALSE(s.DarkViewOn);
    EXPECT_TRUE(s.DarkRefShown);
    EXPECT_EQ(s.AutoScaleOn[0], 0) << "the window's scale setting is put back";
    EXPECT_EQ(r.Main().Source.Value(), 3) << "the bin width, as every flow shows it";
    EXPECT_FALSE(r.Canvas().OpsOfKind(CanvasOp::Kind::Line).empty());
    EXPECT_FALSE(r.comm.PortOpen());
}

// Key R leaves the Binsize box showing the bin width, as every scan flow does, so that the next
// Enter in a parameter box keeps it (a box showing the lamp level ".0" would set 0.4 nm).
TEST(ReferenceScan, KeyRLeavesTheBinWidthInItsBox) {
    FlowRig r;
    ProgramState& s = r.state;
    MDIForm1& main = r.Main();
    for (auto [box, text] : {std::pair{&main.Text3, "10.0"}, {&main.Text4, "1"}, {&main.Text1, "5.0"},
                             {&main.Text5, "1"}, {&main.Text6, "0"}, {&main.Text7, "1.0"}})
        box->UserEdit(text);
    main.UserKeyPress(&main.Text1, 13);
    ASSERT_EQ(s.BinWidth, 5.0f);
    s.LampLevel = 0;
    int16_t key = 'R';
    std::string title;
    r.app.keyCommand(key, title);
    ASSERT_EQ(r.Heard().substr(r.Heard().size() - 17), PairBytes());
    EXPECT_EQ(main.Text1.Text(), "5.0");
    EXPECT_EQ(main.Source.Value(), 5);
    main.UserKeyPress(&main.Text4, 13);
    EXPECT_EQ(s.BinWidth, 5.0f);
    EXPECT_EQ(main.Text1.Text(), "5.0");
}

TEST(ReferenceScan, DarkCorrectedAndConvertedByTheCalibrationFile) {
    // A file over the whole scan converts it; one of 200 rows converts nothing and says why.
    for (int rows : {256, 200}) {
        SCOPED_TRACE(rows);
        FlowRig r;
        ProgramState& s = r.state;
        s.CurrentSlot = 2;
        s.DarkCorrectionOn = true;
        s.Ch1Data[8].fill(100.0f);
        s.ReferenceOn = true;
        std::vector<float> x, ch1, ch2;
        for (int i = 0; i < rows; ++i) {
            x.push_back(300.0f + 3.0f * i);
            ch1.push_back(i == 5 ? 0.0f : 4.0f);
            ch2.push_back(2.0f);
        }
        ASSERT_TRUE(r.WriteSpectrum("white.rdg", x, ch1, ch2));
        s.ReferenceFileName = r.dir.File("white.rdg");
        s.Ch2Data[2].fill(-7.0f);
        ReferenceScan(r.flow);
        const bool whole = rows == 256;
        const ScanPair& pair = r.instrument.LastPair();
        for (int i = 0; i < 256; ++i) {
            const float dark = pair.sample[i] - 100.0f;
            const float expected = !whole ? dark : i == 5 ? 1.0f : dark / 4.0f * 2.0f;
            ASSERT_EQ(s.Ch1Data[10][i], expected) << i;
            ASSERT_EQ(s.Ch2Data[2][i], whole ? expected : -7.0f) << "the slot on display takes it, point " << i;
        }
        EXPECT_EQ(s.SlotInfo[18].NumPoints, rows);
        if (whole) {
            EXPECT_TRUE(r.op.Messages().empty());
        } else {
            EXPECT_EQ(r.op.MessageTexts(),
                      std::vector<std::string>{"The reference calibration file\n" + r.dir.File("white.rdg") +
                                               "\nholds 200 points, fewer than the 248 of the scan.\n"
                                               "The reference scan is not corrected."});
        }
    }
}

TEST(ReferenceScan, InSimulationItIsOneFileRead) {
    FlowRig r;
    ProgramState& s = r.state;
    s.SimulationMode = true;
    std::vector<float> x, ch1, ch2;
    for (int i = 0; i < 256; ++i) {
        x.push_back(300.0f + 3.0f * i);
        ch1.push_back(1000.0f);
        ch2.push_back(3000.0f);
    }
    ASSERT_TRUE(r.WriteSpectrum("simulate.rdg", x, ch1, ch2));
    ReferenceScan(r.flow);
    EXPECT_EQ(r.Heard(), "");
    EXPECT_TRUE(r.op.Messages().empty());
    EXPECT_EQ(s.SlotInfo[10].NumPoints, 256);
    EXPECT_EQ(s.SlotInfo[10].FileName, r.dir.Path() + "/simulate.rdg");
}

TEST(ReferenceScan, ASilentInstrumentKeepsTheOldReference) {
    InstrumentOptions o = acqtest::ExactInstrument();
    o.faults.silent = true;
    FlowRig r(o);
    ProgramState& s = r.state;
    s.SlotInfo[10].NumPoints = 256;
    s.Ch1Data[10].fill(12.0f);
    ReferenceScan(r.flow);
    EXPECT_EQ(s.Ch1Data[10][0], 12.0f);
    ASSERT_EQ(r.op.Messages().size(), 1u);
    EXPECT_EQ(r.op.Messages()[0].text, "Warning:\nNO DATA TRANSMITTED\nRefer to 'Trouble Shooting'");
}

// Key R stops timed acquisition and takes a plain scan pair of its own: scan command 2 while the
// memory mode is Normal and the scan number 0. In Read mode the command would take a stored field
// scan as the reference and move the instrument's read pointer, in Erase mode wipe the memory, and
// with a scan number store scans; so in those states nothing is sent and nothing changes.
TEST(ReferenceScan, KeyRTakesAPlainScanOnlyAndNeverTouchesTheMemory) {
    for (const acqtest::MemoryState& c : acqtest::MemoryStates) {
        SCOPED_TRACE(c.name);
        FlowRig r;
        ProgramState& s = r.state;
        s.MemoryMode = c.mode;
        s.ScanNumber = c.scanNumber;
        s.ReadAddress = 1;
        s.CurrentSlot = 0;
        s.SlotInfo[10].NumPoints = 256;
        s.Ch1Data[10].fill(12.0f);
        const ScanPair stored = acqtest::StoreOneScan(r.instrument, 4321);
        r.Main().Timer1.SetEnabled(true);
        r.Main().Integrat.SetValue(555);
        int16_t key = 'r';
        std::string title;
        r.app.keyCommand(key, title);
        EXPECT_FALSE(r.Main().Timer1.Enabled()) << "timed acquisition stops first, in every state";
        acqtest::ExpectMemoryAsStored(r.instrument, stored);
        EXPECT_EQ(s.ReadAddress, 1);
        if (c.plain) {
            EXPECT_EQ(r.Heard(), PairBytes());
            EXPECT_EQ(s.Ch1Data[10][0], r.instrument.LastPair().sample[0]);
            EXPECT_TRUE(s.DarkRefShown);
            EXPECT_TRUE(r.op.Messages().empty());
            continue;
        }
        EXPECT_TRUE(r.comm.Journal().empty()) << "the port is not even opened";
        EXPECT_EQ(s.Ch1Data[10][0], 12.0f);
        EXPECT_FALSE(s.DarkRefShown);
        EXPECT_EQ(r.Main().Integrat.Value(), 555) << "nothing changes";
        ASSERT_EQ(r.op.Messages().size(), 1u);
        EXPECT_EQ(r.op.Messages()[0].text,
                  "The reference scan takes a plain scan: it needs the memory mode Normal and Scan# 0.\n"
                  "Nothing has been sent to the instrument.");
    }
}

}  // namespace
}  // namespace tav
