#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "charts/ChartScaling.h"
#include "charts/PrintFixtures.h"
#include "charts/PrintedChartAxes.h"
#include "charts/PrintedChartFrame.h"

namespace tav {
namespace {

using namespace printtest;

struct PrintAxesTest : PrintFixture {
    PrintAxesTest() { Fractions(); }
    void XAxis(int16_t slotNumber, std::string caption) {
        PrintChartFrame(*s, page, slotNumber);
        page.ClearRecord();
        PrintXAxis(*s, page, slotNumber, caption);
    }
    std::vector<CanvasOp> Inline() { return OpsOf(page, CanvasOp::Kind::PrintInline); }
    std::vector<std::string> Texts(const std::vector<CanvasOp>& ops) {
        std::vector<std::string> out;
        for (const auto& op : ops) out.push_back(op.text);
        return out;
    }
    void ManualScale(int16_t window, float lo, float hi) {
        s->AutoScaleOn[window] = 0;
        s->MinGridValue[window] = lo;
        s->MaxGridValue[window] = hi;
    }
    void YAxis(int16_t slotNumber) {
        PrintChartFrame(*s, page, slotNumber);
        ScaleChartData(*s, slotNumber);
        page.ClearRecord();
        PrintYAxis(*s, page, view, slotNumber);
    }
};

TEST_F(PrintAxesTest, ScanTicksStandWhereThePrintedCurvePassesTheirValue) {
    FillScan256(*s, 0);
    XAxis(0, "Wavelength (nm)");
    const auto lines = LinesIn(page, Grid);
    const auto labels = Inline();
    ASSERT_EQ(lines.size(), 8u);
    ASSERT_EQ(labels.size(), 8u);
    EXPECT_EQ(s->StartPixel, 0);
    EXPECT_EQ(s->EndPixel, 255);
    for (int k = 0; k < 8; ++k) {
        const int t = 400 + 100 * k;
        EXPECT_EQ(labels[k].text, std::to_string(t));
        // The 256 points spread over the plot width, plus one unit and what rounding the
        // offset of point -1 leaves.
        const double place = (t - 301.5) / (848.5 / 255.0);
        const double spacing = PlotWidth / 255.0;
        EXPECT_NEAR(lines[k].x1, PlotLeft + place * spacing + 1 + std::round(spacing) - spacing, 0.6) << t;
        EXPECT_EQ(lines[k].x2, lines[k].x1);
        EXPECT_EQ(lines[k].y1, PlotTop);
        EXPECT_EQ(lines[k].y2, PlotBottom);
        EXPECT_EQ(lines[k].drawStyle, 2);
        EXPECT_EQ(labels[k].x1, lines[k].x1 - 110 * labels[k].text.size() / 2.0f);
        EXPECT_EQ(labels[k].y1, PlotHeight + 600);
    }
    const CanvasOp* caption = FindPrint(page, "Wavelength (nm)");
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->kind, CanvasOp::Kind::Print);
    EXPECT_EQ(caption->x1, L + (W - 15 * 110) / 2);
    EXPECT_EQ(caption->y1, T + H - 2 * 264 + 100);
    EXPECT_EQ(page.DrawStyle, 0);
}

TEST_F(PrintAxesTest, AnEmptyCaptionFollowsTheXValuesAndReachesTheCaller) {
    FillBinned(*s, 0, 100);
    std::string caption;
    PrintChartFrame(*s, page, 0);
    PrintXAxis(*s, page, 0, caption);
    EXPECT_EQ(caption, "Wavelength (nm)");

    for (int i = 0; i < 100; ++i) s->XData[0][i] = 4000.0f + 3 * i;
    s->SlotInfo[0].XMin = 4000;
    s->SlotInfo[0].XMax = 4297;
    caption.clear();
    PrintXAxis(*s, page, 0, caption);
    EXPECT_EQ(caption, "cm-1");
    EXPECT_TRUE(Printed(page, "cm-1"));
}

TEST_F(PrintAxesTest, KineticTicksOnlyWhileTimedAcquisitionStampsTheTime) {
    FillKinetic(*s, 11, 20);
    XAxis(11, "Time");
    EXPECT_TRUE(LinesIn(page, Grid).empty());
    EXPECT_EQ(page.PrintedTexts(), std::vector<std::string>{"Time"});

    s->Menu.ActivateTimeStamp = true;
    XAxis(11, "Time");
    EXPECT_TRUE(LinesIn(page, Grid).empty());

    s->AutoScanTimerOn = true;
    XAxis(11, "Time");
    // 0 s lies on a point, so it gets its tick; a step of 25 for a span of 190 s.
    EXPECT_EQ(Texts(Inline()), (std::vector<std::string>{"0", "25", "50", "75", "100", "125", "150", "175"}));
    EXPECT_EQ(LinesIn(page, Grid).size(), 8u);
}

TEST_F(PrintAxesTest, ARangeThatMissesTheDataHasOnlyItsCaption) {
    FillScan256(*s, 0);
    s->XZoomOn = true;
    s->XZoomMin = 2000;
    s->XZoomMax = 2100;
    XAxis(0, "Wavelength (nm)");
    EXPECT_EQ(page.PrintedTexts(), std::vector<std::string>{"Wavelength (nm)"});
    EXPECT_TRUE(LinesIn(page, Grid).empty());
}

// h = 132; labels at L + 60.
TEST_F(PrintAxesTest, YLabelsOfTheRangeZeroToOne) {
    FillScan256(*s, 0);
    ManualScale(0, 0, 1);
    YAxis(0);
    // The label column is cleared in the spectrum window's colour, even on paper.
    const auto boxes = OpsOf(page, CanvasOp::Kind::FilledBox);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ((std::array{boxes[0].x1, boxes[0].y1, boxes[0].x2, boxes[0].y2}),
              (std::array<float, 4>{0, PlotTop - 132 + 25, PlotLeft - 75, PlotBottom}));
    EXPECT_EQ(boxes[0].color, MainBack);

    const struct {
        const char* text;
        bool endsLine;
        float y;
    } expected[] = {
        {"  1.   ", false, PlotTop - 132},
        {"8.E-01", true, 1674 - 132},  // below 1: the exponent form
        {"6.E-01", true, 2769 - 132},
        {"4.E-01", true, 3863 - 132},
        {"2.E-01", true, 4958 - 132},
        {"   0.0    ", false, PlotBottom - 1.8f * 132},
    };
    std::vector<CanvasOp> labels;
    for (const auto& op : page.Ops()) {
        if (op.kind == CanvasOp::Kind::Print || op.kind == CanvasOp::Kind::PrintInline) labels.push_back(op);
    }
    ASSERT_EQ(labels.size(), 6u);
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(labels[k].text, expected[k].text) << k;
        EXPECT_EQ(labels[k].kind == CanvasOp::Kind::Print, expected[k].endsLine) << k;
        EXPECT_EQ(labels[k].x1, L + 60) << k;
        EXPECT_FLOAT_EQ(labels[k].y1, expected[k].y) << k;
    }
}

TEST_F(PrintAxesTest, YLabelsAboveFourDigitsNegativeValuesAndResidueAroundZero) {
    FillScan256(*s, 0);
    ManualScale(0, 0, 15000);
    YAxis(0);
    // 15000 and 12000 above 9999, 9000 to 3000 in " #####".
    EXPECT_EQ(Texts(OpsOf(page, CanvasOp::Kind::Print)), (std::vector<std::string>{"1.5E+04", "1.2E+04"}));
    EXPECT_EQ(Texts(Inline()), (std::vector<std::string>{" 9000    ", " 6000    ", " 3000    ", "   0.0    "}));

    // -4 to 1: the 80 % level lies within a millionth of the range of 0; every negative
    // value, whatever its size, takes the exponent form.
    ManualScale(0, -4, 1);
    YAxis(0);
    EXPECT_TRUE(OpsOf(page, CanvasOp::Kind::Print).empty());
    EXPECT_EQ(Texts(Inline()), (std::vector<std::string>{"  1.   ", "   0.0    ", "-1.E+00  ", "-2.E+00  ",
                                                          "-3.E+00  ", "-4.E+00  "}));
}

// A low printed chart whose font stays large (a printer without the small size keeps the
// current one) keeps its labels apart as the window chart does.
TEST_F(PrintAxesTest, ALowChartPrintsFewerYLabelsThatDoNotOverlap) {
    FillScan256(*s, 0);
    ManualScale(0, 0, 1);
    Fractions(12);
    PrintChartFrame(*s, page, 0);
    ScaleChartData(*s, 0);
    page.SetFontSize(11);
    page.ClearRecord();
    PrintYAxis(*s, page, view, 0);
    std::vector<CanvasOp> labels;
    for (const auto& op : page.Ops()) {
        if (op.kind == CanvasOp::Kind::Print || op.kind == CanvasOp::Kind::PrintInline) labels.push_back(op);
    }
    ASSERT_GE(labels.size(), 1u);
    EXPECT_LT(labels.size(), 6u);
    EXPECT_EQ(labels.front().text, "  1.   ");
    for (std::size_t i = 1; i < labels.size(); ++i) {
        EXPECT_GE(labels[i].y1 - labels[i - 1].y1, page.TextHeight("8")) << labels[i].text;
    }
}

TEST_F(PrintAxesTest, NoYLabelsForASlotThatWasNotScaled) {
    FillKinetic(*s, 11, 5);
    s->SlotInfo[11].XMin = 1000;  // no point in view: not scaled for this chart
    s->SlotInfo[11].XMax = 2000;
    s->SlotInfo[11].YMin = 1;
    s->SlotInfo[11].YMax = 2;
    YAxis(11);
    EXPECT_TRUE(page.Ops().empty());
}

TEST(PrinterValueText, PictureByTheSignedValueThenUnitAndPadding) {
    const struct {
        float value;
        const char* unit;
        const char* text;
    } cases[] = {
        {0, "", "   0.0    "},
        {123456, "", "1.23E+05  "},
        {5000, "", " 5000    "},
        {123.45f, "", "  123.5   "},
        {12.5f, "", "  12.5   "},
        {1.5f, "nm", "  1.5nm   "},
        {0.5f, "", " .5   "},
        {0.0123f, "", ".0123   "},
        {0.0005f, "", "5.E-04  "},
        {-12.5f, "", "-1.25E+01  "},
        {5, "abcdefghijkl", "  5.abcdefghi   "},
    };
    for (const auto& k : cases) EXPECT_EQ(PrinterValueText(k.value, k.unit), k.text) << k.value;
}

}  // namespace
}  // namespace tav
