// Printed items stay inside their half of the printable area at every scale that the printer
// options dialog offers, on Letter and on A4: the chart is made lower where its titles, labels
// and information lines would run past its half, and keeps its designed size where they fit.

#include <gtest/gtest.h>

#include <cmath>

#include "charts/PrintFixtures.h"
#include "charts/PrintJob.h"
#include "charts/PrintedChart.h"
#include "charts/PrintedChartAxes.h"
#include "charts/PrintedChartFit.h"
#include "doubles/ScriptedOperator.h"

namespace tav {
namespace {

using namespace printtest;

struct Paper {
    const char* name;
    float width, height;  // twips
};
constexpr Paper Letter{"Letter", 12240, 15840};
constexpr Paper A4{"A4", 11906, 16838};

// The box a recorded operation covers on the paper, text by the recording canvas's metrics.
PageArea Covered(const CanvasOp& op) {
    float x1 = op.x1, y1 = op.y1, x2 = op.x2, y2 = op.y2;
    if (op.kind == CanvasOp::Kind::Print || op.kind == CanvasOp::Kind::PrintInline) {
        const float charWidth = std::round(op.fontSize * 20 * 0.5f);
        x2 = x1 + charWidth * static_cast<float>(op.text.size());
        y2 = y1 + std::round(op.fontSize * 20 * 1.2f);
    } else if (op.kind == CanvasOp::Kind::PSet) {
        x2 = x1;
        y2 = y1;
    }
    return {std::min(x1, x2), std::min(y1, y2) - op.scaleTop, std::max(x1, x2), std::max(y1, y2) - op.scaleTop};
}

bool Drawing(const CanvasOp& op) {
    return op.kind != CanvasOp::Kind::Font && op.kind != CanvasOp::Kind::NewPage &&
           op.kind != CanvasOp::Kind::EndDoc && op.kind != CanvasOp::Kind::Cls;
}

// A spectrum with every line of the information block, the file line the longest it gets, and
// three kinetic charts with their grid and values: four items, two pages.
void FillWorstCase(ProgramState& s) {
    FillScan256(s, 0);
    s.AutoSaveOn = true;
    s.CurrentFileName = "File: " + std::string(80, 'W');
    s.SlotInfo[0].Temperature = 88.88f;
    s.SlotInfo[0].ScansAveraged = 1000;
    s.AutoScanTimerOn = true;
    s.Menu.ActivateTimeStamp = true;
    for (int16_t k = 11; k <= 13; ++k) FillKinetic(s, k, 200);
}

TEST(PrintFit, EveryItemStaysInsideItsHalfOfThePageAtEveryScale) {
    for (const Paper& paper : {Letter, A4}) {
        for (int16_t pct : {1, 50, 75, 100, 110, 125}) {
            std::unique_ptr<ProgramState> s = MakeState();
            FillWorstCase(*s);
            s->PrintScalePct = pct;
            RecordingPrinter printer(paper.width, paper.height);
            printer.Page().SetAvailableFonts({"Arial", "Small Fonts", "MS Sans Serif"});
            ScriptedOperator op;
            PrintChoices choices;
            choices.kinetic = {true, true, true};
            ASSERT_EQ(RunPrintJob(*s, printer, op, {"", MainBack}, choices), PrintOutcome::Printed);

            int page = 0, drawn[2] = {0, 0};
            for (const CanvasOp& op : printer.Page().Ops()) {
                if (op.kind == CanvasOp::Kind::NewPage) ++page;
                if (!Drawing(op)) continue;
                const bool lower = op.scaleTop < -paper.height / 4;
                ++drawn[lower];
                const PageArea box = Covered(op);
                const float top = lower ? paper.height / 2 : 0, bottom = lower ? paper.height : paper.height / 2;
                const std::string where = std::string(paper.name) + " " + std::to_string(pct) + "% page " +
                                          std::to_string(page + 1) + (lower ? " lower: " : " upper: ") + op.text;
                EXPECT_GE(box.left, 0) << where;
                EXPECT_LE(box.right, paper.width) << where;
                EXPECT_GE(box.top, top) << where;
                EXPECT_LE(box.bottom, bottom) << where;
            }
            EXPECT_EQ(page, 2) << paper.name << " " << pct;
            EXPECT_GT(drawn[0], 0);
            EXPECT_GT(drawn[1], 0);
        }
    }
}

struct PrintScaleTest : PrintFixture {
    void Print(int16_t slotNumber, int16_t count = 1) {
        PrintChart(*s, page, view, slotNumber, "Wavelength (nm)", count);
    }
};

TEST_F(PrintScaleTest, WhereTheChartFitsItKeepsItsSizeAndAtTheTopOfTheRangeItIsMadeLower) {
    FillScan256(*s, 0);
    const struct {
        int16_t pct;
        int left, width, height;
    } fitting[] = {{100, 1224, 9792, 6336}, {75, 2448, 7344, 4752}};
    for (const auto& k : fitting) {
        s->PrintScalePct = k.pct;
        Print(0);
        EXPECT_EQ(s->PrintChartLeft, k.left) << k.pct;
        EXPECT_EQ(s->PrintChartWidth, k.width) << k.pct;
        EXPECT_EQ(s->PrintChartHeight, k.height) << k.pct;
        EXPECT_EQ(s->PrintChartTop, 554) << k.pct;
    }

    // At 125 % the chart takes the whole width; 0.5 of the height would run past the middle of
    // the page, so it is as high as its half allows: its lowest line ends a point above the
    // middle.
    s->PrintScalePct = 125;
    page.ClearRecord();
    Print(0);
    EXPECT_EQ(s->PrintChartLeft, 0);
    EXPECT_EQ(s->PrintChartWidth, 12240);
    EXPECT_LT(s->PrintChartHeight, 7920);
    EXPECT_GT(s->PrintChartHeight, 6336);
    float lowest = 0;
    for (const CanvasOp& op : page.Ops()) {
        if (Drawing(op)) lowest = std::max(lowest, Covered(op).bottom);
    }
    EXPECT_LE(lowest, PageHeight / 2 - 20);
    EXPECT_GT(lowest, PageHeight / 2 - 25);
}

TEST_F(PrintScaleTest, APercentageOutsideTheDialogsRangePrintsAtItsNearestEnd) {
    FillScan256(*s, 0);
    const struct {
        int16_t pct, like;
    } cases[] = {{0, 1}, {-100, 1}, {126, 125}, {32767, 125}};
    for (const auto& k : cases) {
        s->PrintScalePct = k.like;
        Print(0);
        Print(0);  // the origin is measured in the font of the chart before: now that of `like`
        const int16_t width = s->PrintChartWidth, height = s->PrintChartHeight;
        s->PrintScalePct = k.pct;
        page.ClearRecord();
        Print(0);
        EXPECT_EQ(s->PrintChartWidth, width) << k.pct;
        EXPECT_EQ(s->PrintChartHeight, height) << k.pct;
        EXPECT_EQ(s->AxisSlot, -1);
    }
}

TEST_F(PrintScaleTest, TheTrialDrawingsLeaveTheAxisChoiceToThePrintedChart) {
    for (int16_t k : {0, 1}) FillBinned(*s, k, 30);
    for (int i = 0; i < 30; ++i) s->Ch1Data[1][i] += 1000;
    s->FirstOverlaySlot = 0;
    s->PrintScalePct = 125;  // a chart that is fitted
    s->AxisSlot = 0;         // slot 0's y range is labelled, not slot 1's
    Print(1);
    EXPECT_EQ(s->AxisSlot, -1);
    EXPECT_TRUE(Printed(page, PrinterValueText(100, ""))) << "slot 0's lowest value";
    EXPECT_FALSE(Printed(page, PrinterValueText(1100, "")));
}

}  // namespace
}  // namespace tav
