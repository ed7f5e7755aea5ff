#include <gtest/gtest.h>

#include <set>
#include <string>

#include "charts/PrintFixtures.h"
#include "charts/PrintedChart.h"

namespace tav {
namespace {

using namespace printtest;

// Palette colours as 0x00BBGGRR.
constexpr int32_t Black = 0x000000, DarkBlue = 0x800000, DarkGreen = 0x008000, DarkCyan = 0x808000,
                  Grey = 0x808080;

struct PrintChartTest : PrintFixture {
    void Print(int16_t slotNumber, int16_t count = 1, const std::string& caption = "Wavelength (nm)") {
        PrintChart(*s, page, view, slotNumber, caption, count);
    }
    // The colour of each curve in drawing order: the lines after each PSet.
    std::vector<int32_t> CurveColors() {
        std::vector<int32_t> colors;
        const auto& ops = page.Ops();
        for (std::size_t k = 0; k < ops.size(); ++k) {
            if (ops[k].kind != CanvasOp::Kind::PSet) continue;
            EXPECT_EQ(ops[k].color, Curve0) << "a curve starts with a dot in the curve colour";
            if (k + 1 < ops.size() && ops[k + 1].kind == CanvasOp::Kind::Line) colors.push_back(ops[k + 1].color);
        }
        return colors;
    }
    std::vector<CanvasOp> CurveLines(int32_t color) {
        std::vector<CanvasOp> out;
        for (const auto& op : OpsOf(page, CanvasOp::Kind::Line)) {
            if (op.color == color && op.drawStyle == 0) out.push_back(op);
        }
        return out;
    }
};

TEST_F(PrintChartTest, OddCountsPrintInTheTopHalfAndEvenCountsInTheBottomHalf) {
    FillScan256(*s, 0);
    // The shift uses the height of "0" in the font the printer has: first its own (198), then
    // the 11-point chart font the chart before left.
    const struct {
        int16_t count;
        float scaleTop;
        bool bottomHalf;
    } cases[] = {{1, -360 - 198, false}, {2, -8280 - 264, true}, {3, -360 - 264, false}};
    for (const auto& k : cases) {
        page.ClearRecord();
        Print(0, k.count);
        EXPECT_FLOAT_EQ(page.ScaleTop, k.scaleTop) << k.count;
        const CanvasOp* title = FindPrint(page, "Raw Data (DC off)");
        ASSERT_NE(title, nullptr);
        EXPECT_EQ(PaperY(*title, title->y1) > PageHeight / 2, k.bottomHalf) << k.count;
        for (const auto& op : page.Ops()) {
            if (op.kind == CanvasOp::Kind::Font) continue;
            EXPECT_GE(PaperY(op, op.y1), k.bottomHalf ? PageHeight / 2 : 0);
            EXPECT_LE(PaperY(op, op.y1), k.bottomHalf ? PageHeight : PageHeight / 2) << op.text;
        }
    }
}

TEST_F(PrintChartTest, TheCurveIsScaledAsOnTheWindowAndStopsAtTheLastSpectralPoint) {
    FillScan256(*s, 0);
    Print(0);
    const auto lines = CurveLines(Black);
    // Points 0 to 247 (the status words after them are no spectrum), spaced over 255 intervals.
    ASSERT_EQ(lines.size(), 248u);
    const float step = static_cast<float>(PlotWidth) / 255;
    EXPECT_EQ(lines.front().x2, PlotLeft);
    EXPECT_EQ(lines.front().y2, PlotBottom) << "the smallest value on the bottom edge";
    EXPECT_NEAR(lines.back().x2, PlotLeft + 247 * step, 0.01);
    EXPECT_EQ(lines.back().y2, PlotTop) << "the largest on the top edge";
    for (const auto& line : lines) {
        EXPECT_GE(line.y2, PlotTop);
        EXPECT_LE(line.y2, PlotBottom);
    }
    EXPECT_EQ(page.ForeColor, Ink);
    EXPECT_FLOAT_EQ(s->SlotInfo[0].YMin, 2000);
    EXPECT_FLOAT_EQ(s->SlotInfo[0].YMax, 4470);
    EXPECT_FLOAT_EQ(s->SlotInfo[0].YScale, PlotHeight / 2470.0f);
}

TEST_F(PrintChartTest, AWrappedRingPrintsOldestFirstWithTheAxisInThePassOfTheSlotPrinted) {
    for (int16_t k : {6, 7, 0, 1, 2}) FillBinned(*s, k, 50);
    s->PrintInColor = true;
    s->FirstOverlaySlot = 6;
    Print(2);
    EXPECT_EQ(CurveColors(), (std::vector<int32_t>{Black, Grey, DarkBlue, DarkGreen, DarkCyan}));
    // The label column is cleared once, after the curve of slot 1 and before that of slot 2.
    int psets = 0, boxAt = -1;
    for (const auto& op : page.Ops()) {
        if (op.kind == CanvasOp::Kind::PSet) ++psets;
        if (op.kind == CanvasOp::Kind::FilledBox) boxAt = psets;
    }
    EXPECT_EQ(boxAt, 4);
    EXPECT_EQ(s->MainFirstOverlaySlot, 6);
    EXPECT_EQ(s->AxisSlot, -1);
}

TEST_F(PrintChartTest, CurvesAreBlackUnlessPrintedInColour) {
    for (int16_t k = 0; k <= 7; ++k) FillBinned(*s, k, 30);
    s->FirstOverlaySlot = 0;
    Print(7);
    EXPECT_EQ(CurveColors(), std::vector<int32_t>(8, Black));

    page.ClearRecord();
    s->PrintInColor = true;
    Print(7);
    EXPECT_EQ(CurveColors(), (std::vector<int32_t>{DarkBlue, DarkGreen, DarkCyan, 0x000080, 0x800080,
                                                   0x008080, Black, Grey}));
}

TEST_F(PrintChartTest, AKineticChartPrintsItsOwnSeriesInBlack) {
    for (int16_t k = 0; k <= 7; ++k) FillBinned(*s, k, 30);
    FillKinetic(*s, 11, 20);
    s->PrintInColor = true;
    s->FirstOverlaySlot = 0;
    Print(11, 1, "Time");
    EXPECT_EQ(CurveColors(), std::vector<int32_t>{Black});
    EXPECT_TRUE(Printed(page, "Time"));
    EXPECT_TRUE(Printed(page, "Ratio"));
    EXPECT_EQ(s->MainFirstOverlaySlot, 0) << "only spectrum charts note the ring";
}

TEST_F(PrintChartTest, SlotThirteenSharesItsChartOnlyWithSlotTwelve) {
    FillKinetic(*s, 12, 10);
    FillKinetic(*s, 13, 10);
    FillBinned(*s, 0, 30);
    s->FirstOverlaySlot = 0;  // left by a spectrum chart
    Print(13, 1, "Time");
    EXPECT_EQ(CurveColors().size(), 1u);
    page.ClearRecord();
    s->FirstOverlaySlot = 12;  // left by the normalized-difference window showing both
    Print(13, 1, "Time");
    EXPECT_EQ(CurveColors().size(), 2u);
}

TEST_F(PrintChartTest, ASinglePointIsAVisibleDot) {
    FillKinetic(*s, 11, 1);
    Print(11, 1, "Time");
    ASSERT_EQ(OpsOf(page, CanvasOp::Kind::PSet).size(), 1u);
    const auto lines = CurveLines(Black);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].x1, lines[0].x2);
    EXPECT_EQ(lines[0].y1, lines[0].y2);
    const SlotRecord& r = s->SlotInfo[11];
    EXPECT_EQ(lines[0].x2, (r.PlotLeft + r.PlotRight) / 2.0f) << "in the middle, clear of the frame";
    EXPECT_GT(lines[0].y2, r.PlotTop);
    EXPECT_LT(lines[0].y2, r.PlotBottom);
    // A line of no length shows nothing on paper: the point is a 2-point square in its colour.
    std::vector<CanvasOp> dots;
    for (const auto& op : OpsOf(page, CanvasOp::Kind::FilledBox)) {
        if (op.color == Black) dots.push_back(op);
    }
    ASSERT_EQ(dots.size(), 1u);
    EXPECT_FLOAT_EQ(dots[0].x2 - dots[0].x1, 40);
    EXPECT_FLOAT_EQ(dots[0].y2 - dots[0].y1, 40);
    EXPECT_FLOAT_EQ((dots[0].x1 + dots[0].x2) / 2, lines[0].x2);
    EXPECT_FLOAT_EQ((dots[0].y1 + dots[0].y2) / 2, lines[0].y2);

    page.ClearRecord();
    FillKinetic(*s, 11, 2);
    Print(11, 1, "Time");
    for (const auto& op : OpsOf(page, CanvasOp::Kind::FilledBox)) EXPECT_NE(op.color, Black) << "a curve needs no dot";
}

// On paper as on the window: a series of equal values gets six different labels and its
// curve runs inside the plot.
TEST_F(PrintChartTest, AFlatSeriesPrintsInsideThePlotWithSixDifferentLabels) {
    FillKinetic(*s, 11, 20);
    for (int i = 0; i < 20; ++i) s->Ch1Data[11][i] = 0.0538f;
    Print(11, 1, "Time");
    const SlotRecord& r = s->SlotInfo[11];
    const auto lines = CurveLines(Black);
    ASSERT_EQ(lines.size(), 20u);
    charttest::ExpectBetweenTopAndBottom(lines, r);
    EXPECT_EQ(charttest::TextsPrintedAt(page, s->PrintChartLeft + 60).size(), 6u) << "six different labels";
}

TEST_F(PrintChartTest, AnEmptySlotPrintsNothing) {
    s->AxisSlot = 4;
    Print(3);
    for (const auto& op : page.Ops()) EXPECT_EQ(op.kind, CanvasOp::Kind::Font);
    EXPECT_EQ(s->AxisSlot, -1);

    // A ring slot without points is no curve; the others print.
    FillBinned(*s, 0, 30);
    FillBinned(*s, 2, 30);
    s->FirstOverlaySlot = 0;
    page.ClearRecord();
    Print(2);
    EXPECT_EQ(CurveColors().size(), 2u);
}

TEST_F(PrintChartTest, ARangeThatMissesTheDataPrintsNoCurve) {
    FillScan256(*s, 0);
    s->XZoomOn = true;
    s->XZoomMin = 2000;
    s->XZoomMax = 2100;
    Print(0);
    EXPECT_TRUE(OpsOf(page, CanvasOp::Kind::PSet).empty());
    EXPECT_TRUE(Printed(page, "Wavelength (nm)"));
}

}  // namespace
}  // namespace tav
