// The overlay ring: scans and files added to the spectrum window's eight slots.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "FlowRig.h"
#include "acquisition/NextScan.h"
#include "acquisition/OverlayScan.h"

namespace tav {
namespace {

using acqtest::FlowRig;

TEST(OverlayRing, AdvancesRoundEightSlots) {
    struct Case {
        int16_t current, count, savedBefore;
        int16_t newCurrent, first, saved;
    };
    const Case cases[] = {
        {0, 0, 99, 0, 0, 99},  // an empty ring starts at slot 0 and keeps SavedDisplaySlot
        {5, 0, 99, 0, 0, 99},
        {0, 1, 99, 1, 0, 1},
        {6, 7, 99, 7, 0, 7},
        {7, 8, 99, 0, 1, 0},   // full: the oldest is overwritten
        {0, 9, 99, 1, 2, 1},
        // From a dark view the ring goes on after the slot it showed last.
        {8, 3, 2, 3, 0, 3},
        {9, 1, 0, 1, 0, 1},
        {8, 8, 7, 0, 1, 0},
        {8, 3, 99, 0, 5, 0},   // no ring slot to go on from: slot 0
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.current * 100 + c.count);
        auto s = std::make_unique<ProgramState>();
        s->CurrentSlot = c.current;
        s->OverlayCount = c.count;
        s->SavedDisplaySlot = c.savedBefore;
        AdvanceOverlayRing(*s);
        EXPECT_EQ(s->CurrentSlot, c.newCurrent);
        EXPECT_EQ(s->FirstOverlaySlot, c.first);
        EXPECT_EQ(s->SavedDisplaySlot, c.saved);
        EXPECT_LE(s->OverlayCount, 7);
    }
}

TEST(OverlayScan, ARingOfNineScans) {
    FlowRig r;
    ProgramState& s = r.state;
    NextScan(r.flow);
    ASSERT_EQ(s.OverlayCount, 1);
    struct Step {
        int16_t current, first, count;
    };
    const Step steps[] = {{1, 0, 2}, {2, 0, 3}, {3, 0, 4}, {4, 0, 5}, {5, 0, 6}, {6, 0, 7},
                          {7, 0, 8}, {0, 1, 8}, {1, 2, 8}};
    for (const Step& step : steps) {
        SCOPED_TRACE(step.current);
        r.instrument.ClearLogs();
        OverlayScan(r.flow);
        EXPECT_EQ(r.Heard(), "\x02" + std::string(16, '\x05'));
        EXPECT_EQ(s.CurrentSlot, step.current);
        EXPECT_EQ(s.FirstOverlaySlot, step.first);
        EXPECT_EQ(s.OverlayCount, step.count);
        EXPECT_EQ(s.SavedDisplaySlot, step.current);
        EXPECT_TRUE(s.PrintInColor);
        const ScanPair& pair = r.instrument.LastPair();
        EXPECT_EQ(s.Ch1Data[step.current][3], pair.sample[3]);
        EXPECT_EQ(s.Ch2Data[step.current][3], pair.reference[3]);
    }
    EXPECT_EQ(r.indices.passes, 10);
}

// The write address stays within the short limit of these flows; the read address follows the
// scans read to the end of the whole memory, as the instrument's read pointer does, and at the
// end the mode is Normal again.
TEST(OverlayScan, TheWriteAddressStaysWithinItsLimitAndTheReadAddressFollowsTheScansRead) {
    const std::vector<acqtest::MemoryAddressCase> cases = {
        {2, 3, 1, 378, 1, 379, "Write Finished", ""},
        {2, 0, 1, 500, 1, 379, "", ""},
        {48, 0, 100, 0, 101, 0, "Read Scan", ""},
        {48, 0, 379, 0, 380, 0, "Read Scan", ""},
        {48, 2, 500, 0, 502, 0, "Read Scan", ""},
        {48, 0, 1763, 0, 1764, 0, "", " Normal"},
    };
    acqtest::ExpectMemoryAddresses(cases, [](ScanFlowContext& flow) { OverlayScan(flow); });
}

TEST(OverlayScan, WithoutDataTheRingAdvancesButDoesNotCount) {
    InstrumentOptions o = acqtest::ExactInstrument();
    o.faults.silent = true;
    FlowRig r(o);
    ProgramState& s = r.state;
    s.CurrentSlot = 2;
    s.OverlayCount = 3;
    s.Ch1Data[3].fill(5.0f);
    OverlayScan(r.flow);
    EXPECT_EQ(s.CurrentSlot, 3);
    EXPECT_EQ(s.FirstOverlaySlot, 0);
    EXPECT_EQ(s.OverlayCount, 3);
    EXPECT_EQ(s.Ch1Data[3][0], 5.0f);
    ASSERT_EQ(r.op.Messages().size(), 1u);
    EXPECT_EQ(r.op.Messages()[0].text, "Warning:\nNO DATA TRANSMITTED\nRefer to 'Trouble Shooting'");
    EXPECT_EQ(r.indices.passes, 0);
}

TEST(OverlayFile, TheChosenFileGoesIntoTheNextRingSlot) {
    FlowRig r;
    ProgramState& s = r.state;
    std::vector<float> x, ch1, ch2;
    for (int i = 0; i < 50; ++i) {
        x.push_back(400.0f + i);
        ch1.push_back(10.0f + i);
        ch2.push_back(20.0f + i);
    }
    ASSERT_TRUE(r.WriteSpectrum("leaf.rdg", x, ch1, ch2));
    s.CurrentSlot = 0;
    s.OverlayCount = 1;
    s.BeepOn = true;
    r.op.AnswerOpen(r.dir.File("leaf.rdg"));
    OverlayFile(r.flow);
    EXPECT_EQ(s.CurrentSlot, 1);
    EXPECT_EQ(s.OverlayCount, 2);
    EXPECT_EQ(s.SlotInfo[1].NumPoints, 50);
    EXPECT_EQ(s.Ch1Data[1][49], 59.0f);
    EXPECT_TRUE(s.PrintInColor);
    EXPECT_EQ(r.op.Beeps(), 1);
    EXPECT_EQ(r.indices.passes, 1);
    EXPECT_EQ(r.Heard(), "") << "a file, not a scan";

    // A cancelled dialog: the reader's message, nothing drawn, and the ring as it was.
    size_t clears = r.Clears();
    OverlayFile(r.flow);
    EXPECT_EQ(s.CurrentSlot, 1);
    EXPECT_EQ(s.OverlayCount, 2);
    ASSERT_EQ(r.op.Messages().size(), 1u);
    EXPECT_EQ(r.op.Messages()[0].text, "Invalid File Name.");
    EXPECT_EQ(r.Clears(), clears);
    EXPECT_EQ(r.indices.passes, 1);
    EXPECT_TRUE(s.PrintInColor);
    EXPECT_EQ(s.SlotInfo[1].FileName, r.dir.File("leaf.rdg"));
}

// A file that is not read adds no curve: the ring, the names and the view stay as they were, so
// no slot of an earlier ring is drawn or saved as the new curve, and the next overlay still
// reaches back to the older curves.
TEST(OverlayFile, AFileThatIsNotReadLeavesTheRingAsItWas) {
    using namespace std::string_literals;
    const struct {
        const char* how;
        const char* answer;  // "" cancels the dialog
        std::optional<std::string> contents;  // none: no such file
        std::string message;
    } cases[] = {
        {"cancelled", "", std::nullopt, "Invalid File Name."},
        {"missing", "gone.rdg", std::nullopt, "File not found."},
        {"empty", "empty.rdg", "", "holds no spectrum: it is empty."},
        {"binary", "photo.rdg", "\x89PNG\r\n\x1a\n\0\0\0\rIHDR"s, "holds no spectrum: it is not a text file."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.how);
        FlowRig r;
        ProgramState& s = r.state;
        NextScan(r.flow);
        OverlayScan(r.flow);  // slot 1; slot 2 holds a curve of an earlier ring
        s.SlotInfo[2].NumPoints = 256;
        s.SlotInfo[2].FileName = "earlier.rdg";
        s.DarkViewOn = true;
        const int16_t savedDisplaySlot = s.SavedDisplaySlot;
        const bool printInColor = s.PrintInColor;
        const size_t clears = r.Clears();
        if (c.contents) {
            ASSERT_TRUE(r.dir.Write(c.answer, *c.contents));
        }
        r.op.AnswerOpen(*c.answer ? r.dir.File(c.answer) : std::string());
        OverlayFile(r.flow);
        ASSERT_FALSE(r.op.Messages().empty());
        const std::string& told = r.op.Messages().back().text;
        EXPECT_NE(told.find(c.message), std::string::npos) << told;
        if (c.contents) {
            EXPECT_EQ(told.find(r.dir.File(c.answer)), 9u) << "names the file";
        }
        EXPECT_EQ(r.Clears(), clears) << "nothing drawn";
        EXPECT_EQ(s.CurrentSlot, 1);
        EXPECT_EQ(s.OverlayCount, 2);
        EXPECT_EQ(s.FirstOverlaySlot, 0);
        EXPECT_EQ(s.SavedDisplaySlot, savedDisplaySlot);
        EXPECT_TRUE(s.DarkViewOn);
        EXPECT_EQ(s.PrintInColor, printInColor);
        EXPECT_EQ(s.SlotInfo[2].FileName, "earlier.rdg");
        s.DarkViewOn = false;

        OverlayScan(r.flow);
        EXPECT_EQ(s.CurrentSlot, 2);
        EXPECT_EQ(s.FirstOverlaySlot, 0);
        EXPECT_EQ(s.OverlayCount, 3);
    }
}

}  // namespace
}  // namespace tav
