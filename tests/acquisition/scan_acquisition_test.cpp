// How an acquisition becomes slot data: simulation mode with simulate.rdg, the synthetic dark
// of slot 8, the missing file, channel 2 of sample slots, the beep; and the slot store.

#include <gtest/gtest.h>

#include "AcquisitionRig.h"
#include "acquisition/ScanAcquisition.h"
#include "indices/SlotStore.h"

namespace tav {
namespace {

using acqtest::Rig;

// A reader that fills the slot as a spectrum file of 300 points would.
bool ReadFakeFile(ProgramState& s, int16_t slot) {
    for (int i = 0; i < 300; ++i) {
        s.XData[slot][i] = 350.0f + i;
        s.Ch1Data[slot][i] = 1000.0f + i;
        s.Ch2Data[slot][i] = 2000.0f + i;
    }
    s.SlotInfo[slot].NumPoints = 300;
    s.DataAvailable = true;
    return true;
}

struct SimulationRig : Rig {
    SimulationRig() {
        state.SimulationMode = true;
        windows.reader = [this](int16_t slot) { return ReadFakeFile(state, slot); };
    }
};

TEST(Simulation, TakesTheSpectrumFromTheFileInTheStartFolder) {
    for (const char* stored : {"simulate.rdg", "SIMULATE.RDG"}) {
        for (int16_t slot : {int16_t(10), int16_t(9), int16_t(0), int16_t(5)}) {
            SCOPED_TRACE(std::string(stored) + " slot " + std::to_string(slot));
            SimulationRig r;
            ASSERT_TRUE(r.dir.Write(stored, "not read by the fake reader"));
            r.state.BeepOn = true;
            r.state.SaturationFlag = true;
            r.state.Ch2Data[slot][3] = -1.0f;
            EXPECT_EQ(AcquireScan(r.ctx, slot), AcquireResult::Data);
            const std::string path = r.dir.Path() + "/" + stored;
            EXPECT_EQ(r.state.SlotInfo[slot].FileName, path);
            EXPECT_EQ(r.windows.dialogNames, (std::vector<std::string>{path}));
            EXPECT_EQ(r.windows.reads, (std::vector<int16_t>{slot}));
            EXPECT_EQ(r.windows.displayChannels, (std::vector<int16_t>{slot}));
            EXPECT_TRUE(r.state.DataAvailable);
            EXPECT_EQ(r.state.SlotInfo[slot].NumPoints, 300);
            EXPECT_EQ(r.state.Ch2Data[slot][3], 2003.0f) << "the file supplies both channels";
            EXPECT_TRUE(r.state.SaturationFlag) << "no saturation check in simulation";
            EXPECT_EQ(r.op.Beeps(), 0);
            EXPECT_EQ(r.Heard(), "") << "nothing goes to the instrument";
        }
    }
}

TEST(Simulation, Slot8GetsASilentDarkOnTheWavelengthTable) {
    SimulationRig r;
    ASSERT_TRUE(r.dir.Write("simulate.rdg", "x"));
    r.state.IntegrationTime = 255;
    for (int i = 0; i < 300; ++i) {
        r.state.Ch1Data[8][i] = 5.0f;
        r.state.Ch2Data[8][i] = 6.0f;
    }
    EXPECT_EQ(AcquireScan(r.ctx, 8), AcquireResult::Data);
    const SlotRecord& rec = r.state.SlotInfo[8];
    EXPECT_EQ(rec.FileName, "Dark");
    EXPECT_EQ(rec.NumPoints, 256);
    EXPECT_EQ(rec.XMin, r.state.WaveLength[0]);
    EXPECT_EQ(rec.XMax, r.state.WaveLength[255]);
    EXPECT_EQ(rec.IntegTime, 25.5f);
    for (int i = 0; i < 256; ++i) {
        ASSERT_EQ(r.state.Ch1Data[8][i], 0.0f);
        ASSERT_EQ(r.state.XData[8][i], r.state.WaveLength[i]);
        ASSERT_EQ(r.state.Ch2Data[8][i], 6.0f) << "channel 2 is left as it was";
    }
    EXPECT_TRUE(r.windows.reads.empty());
    EXPECT_TRUE(r.state.DataAvailable);
}

TEST(Simulation, WithoutTheFileTheOperatorIsToldOnceAndNothingChanges) {
    SimulationRig r;
    r.state.DataAvailable = false;
    r.state.SlotInfo[10].NumPoints = 17;
    r.state.Ch1Data[10][0] = 4.0f;
    r.state.SlotInfo[0].NumPoints = 18;
    EXPECT_EQ(AcquireScanPair(r.ctx, 10, 0), AcquireResult::Failed);
    ASSERT_EQ(r.op.Messages().size(), 1u) << "the second pass is not tried";
    const MessageRecord& m = r.op.Messages()[0];
    EXPECT_EQ(m.text, "No Simulation File found.");
    EXPECT_EQ(m.title, "No Simulation");
    EXPECT_EQ(m.buttons, MsgButtons::OkOnly);
    EXPECT_EQ(m.icon, MsgIcon::None);
    EXPECT_FALSE(r.state.DataAvailable);
    EXPECT_EQ(r.state.SlotInfo[10].NumPoints, 17);
    EXPECT_EQ(r.state.Ch1Data[10][0], 4.0f);
    EXPECT_EQ(r.state.SlotInfo[0].NumPoints, 18);
    EXPECT_TRUE(r.windows.reads.empty());
}

TEST(Simulation, AFileThatCannotBeReadLeavesThePairAsItWas) {
    SimulationRig r;
    ASSERT_TRUE(r.dir.Write("simulate.rdg", "x"));
    int reads = 0;
    r.windows.reader = [&](int16_t slot) { return ++reads == 1 && ReadFakeFile(r.state, slot); };
    r.state.DataAvailable = false;
    r.state.SlotInfo[10].NumPoints = 17;
    r.state.SlotInfo[10].FileName = "before";
    EXPECT_EQ(AcquireScanPair(r.ctx, 10, 0), AcquireResult::Failed);
    EXPECT_EQ(reads, 2);
    EXPECT_EQ(r.state.SlotInfo[10].NumPoints, 17) << "the first slot is put back";
    EXPECT_EQ(r.state.SlotInfo[10].FileName, "before");
    EXPECT_FALSE(r.state.DataAvailable);
}

TEST(InstrumentAcquisition, SampleSlotsTakeTheReferencePassAsChannel2) {
    for (int16_t second : {int16_t(8), int16_t(3)}) {
        SCOPED_TRACE(second);
        Rig r;
        r.state.BeepOn = true;
        for (int i = 0; i < 256; ++i) r.state.Ch2Data[second][i] = -3.0f;
        // The dark scan's pair (9 then 8) keeps both channels 2; a sample slot takes slot 10's.
        int16_t first = second == 8 ? 9 : 10;
        if (second != 8) r.state.Ch1Data[10].fill(0);
        ASSERT_EQ(AcquireScanPair(r.ctx, first, second), AcquireResult::Data);
        EXPECT_EQ(r.op.Beeps(), 2) << "an instrument pair beeps twice";
        const ScanPair& pair = r.instrument.LastPair();
        for (int i = 0; i < 256; ++i) {
            ASSERT_EQ(r.state.Ch1Data[first][i], pair.reference[i]);
            ASSERT_EQ(r.state.Ch2Data[second][i], second == 8 ? -3.0f : pair.reference[i]) << i;
        }
    }
}

TEST(SlotStore, ClearingForgetsSpectraAndSeriesButKeepsTheWorkSlots) {
    Rig r;
    ProgramState& s = r.state;
    for (int k = 0; k < 20; ++k) {
        s.SlotInfo[k].NumPoints = k == 4 ? 0 : 100;
        s.XData[k].fill(1.0f);
        s.Ch1Data[k].fill(2.0f);
        s.Ch2Data[k].fill(3.0f);
    }
    s.SlotInfo[6].NumPoints = 5000;  // a count beyond the store must not reach past it
    s.DataAvailable = true;
    s.CurrentSlot = 5;
    s.OverlayCount = 6;
    s.ResetTimer = false;
    s.DisplayChannel[0] = 5;
    s.DisplayChannel[2] = 11;
    ClearAllSlots(s, r.windows.mainForm);

    EXPECT_FALSE(s.DataAvailable);
    EXPECT_EQ(r.windows.mainForm.OpsOfKind(CanvasOp::Kind::Cls).size(), 1u);
    EXPECT_EQ(s.CurrentSlot, 0);
    EXPECT_EQ(s.OverlayCount, 0);
    EXPECT_TRUE(s.ResetTimer);
    EXPECT_EQ(s.DisplayChannel[0], 0);
    EXPECT_EQ(s.DisplayChannel[2], 12);
    for (int k = 0; k < 20; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(s.SlotInfo[k].NumPoints, k <= 17 ? 0 : 100);
        const bool cleared = k <= 10 && k != 4;
        EXPECT_EQ(s.Ch1Data[k][0], cleared ? 0.0f : 2.0f);
        EXPECT_EQ(s.Ch1Data[k][100], k == 6 ? 0.0f : 2.0f) << "only the slot's own points";
        EXPECT_EQ(s.XData[k][0], 1.0f);
        EXPECT_EQ(s.Ch2Data[k][0], 3.0f);
    }
}

TEST(SlotStore, CopyingTakesTheAxisAndScaleRecordOnly) {
    Rig r;
    ProgramState& s = r.state;
    SlotRecord& from = s.SlotInfo[2];
    from = SlotRecord{"source.rdg", 256, 12.5f, 7, 300.0f, 1100.0f, -1.0f, 9.0f, 42, 0.5f, -2.0f, 20.0f,
                      10, 20, 30, 40, 5, 6, true, false, 2};
    for (int i = 0; i < 300; ++i) {
        s.XData[2][i] = 300.0f + i;
        s.XData[18][i] = -1.0f;
        s.Ch1Data[18][i] = 8.0f;
    }
    s.SlotInfo[18] = SlotRecord{};
    s.SlotInfo[18].NumPoints = 300;
    s.SlotInfo[18].FileName = "target";
    s.SlotInfo[18].NoRatio = true;
    s.SlotInfo[18].DataKind = 3;
    s.SlotInfo[18].CursorPoint = 77;
    CopySlot(s, 2, 18);

    const SlotRecord& to = s.SlotInfo[18];
    EXPECT_EQ(to.NumPoints, 256);
    EXPECT_EQ(s.XData[18][255], 555.0f);
    EXPECT_EQ(s.XData[18][256], -1.0f) << "points beyond the source's count stay";
    EXPECT_EQ(s.Ch1Data[18][0], 8.0f);
    EXPECT_EQ(to.IntegTime, 12.5f);
    EXPECT_EQ(to.Reserved1, 7);
    EXPECT_EQ(to.Reserved2, 42);
    EXPECT_EQ(to.XMin, 300.0f);
    EXPECT_EQ(to.XMax, 1100.0f);
    EXPECT_EQ(to.DataMin, -1.0f);
    EXPECT_EQ(to.DataMax, 9.0f);
    EXPECT_EQ(to.YScale, 0.5f);
    EXPECT_EQ(to.YMin, -2.0f);
    EXPECT_EQ(to.YMax, 20.0f);
    EXPECT_EQ(to.PlotTop, 10);
    EXPECT_EQ(to.PlotBottom, 20);
    EXPECT_EQ(to.PlotLeft, 30);
    EXPECT_EQ(to.PlotRight, 40);
    EXPECT_EQ(to.FileName, "target");
    EXPECT_EQ(to.CursorPoint, 77);
    EXPECT_TRUE(to.NoRatio);
    EXPECT_EQ(to.DataKind, 3);

    SlotRecord before = s.SlotInfo[2];
    CopySlot(s, 2, 2);
    EXPECT_EQ(s.SlotInfo[2].NumPoints, before.NumPoints);
    CopySlot(s, 2, 25);  // outside the store: nothing
    CopySlot(s, -1, 3);
}

}  // namespace
}  // namespace tav
