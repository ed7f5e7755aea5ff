#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>
#include <string>

#include "charts/ChartAxes.h"
#include "charts/ChartFixtures.h"
#include "charts/ChartFrame.h"
#include "charts/ChartScaling.h"
#include "charts/ChartValues.h"

namespace tav {
namespace {

using namespace charttest;

constexpr int32_t DarkBlue = 0x800000;

struct ScalingTest : ::testing::Test {
    std::unique_ptr<ProgramState> s = MakeState();
    RecordingCanvas c = MakeCanvas();

    void Draw(int16_t slotNumber) {
        ASSERT_TRUE(LayoutChartFrame(*s, c, slotNumber));
        ScaleChartData(*s, slotNumber);
        ComputeCurvePoints(*s, slotNumber);
        PlotCurve(*s, c, slotNumber);
    }
    void Constant(int16_t slotNumber, float value) {
        for (int i = 0; i < s->SlotInfo[slotNumber].NumPoints; ++i) s->Ch1Data[slotNumber][i] = value;
    }
};

TEST_F(ScalingTest, InstrumentScanLeavesOutTheStatusPoints) {
    FillScan256(*s, 0);
    Draw(0);
    EXPECT_EQ(s->StartPixel, 0);
    EXPECT_EQ(s->EndPixel, 247);
    EXPECT_EQ(s->PlotWidth, PlotWidth);
    const SlotRecord& r = s->SlotInfo[0];
    EXPECT_EQ(r.DataMin, 2000);
    EXPECT_EQ(r.DataMax, 4470);
    EXPECT_EQ(r.YMin, 2000);
    EXPECT_EQ(r.YMax, 4470);
    EXPECT_FLOAT_EQ(r.YScale, 6074.0f / 2470.0f);
    EXPECT_EQ(s->PlotY[0], PlotBottom);  // YMin lands on the bottom edge
    EXPECT_EQ(s->PlotY[247], PlotTop);   // YMax on the top edge
    EXPECT_EQ(s->PlotY[250], -30000);    // the status words are far above the axis

    const auto pset = OpsOf(c, CanvasOp::Kind::PSet);
    ASSERT_EQ(pset.size(), 1u);
    EXPECT_EQ(pset[0].x1, PlotLeft);
    EXPECT_EQ(pset[0].y1, PlotBottom);
    EXPECT_EQ(pset[0].color, Curve0);
    const auto curve = LinesIn(c, DarkBlue);
    ASSERT_EQ(curve.size(), 248u);
    // Spaced by 255 intervals, the curve stops 8 steps short of the right edge.
    const float step = static_cast<float>(PlotWidth) / 255;
    EXPECT_FLOAT_EQ(curve.back().x2, PlotLeft + 247 * step);
    EXPECT_NEAR(PlotRight - curve.back().x2, 8 * step, 0.01);
    EXPECT_EQ(curve.back().y2, PlotTop);
    EXPECT_EQ(c.ForeColor, Ink);
}

TEST_F(ScalingTest, BinnedSpectraAndSeriesUseEveryPoint) {
    const struct {
        int16_t slot;
        int points;
        bool binned;
        float dataMax;
    } cases[] = {
        {0, 300, true, 399}, {0, 255, true, 354}, {0, 2202, true, 2301},
        {11, 20, false, 2.9f}, {11, 200, false, 20.9f}, {12, 2, false, 1.1f},
        {13, 5, false, 1.4f},  {17, 8, false, 1.7f},
    };
    for (const auto& k : cases) {
        s = MakeState();
        c.ClearRecord();
        if (k.binned) {
            FillBinned(*s, k.slot, k.points);
        } else {
            FillKinetic(*s, k.slot, k.points);
        }
        Draw(k.slot);
        EXPECT_EQ(s->StartPixel, 0) << k.points;
        EXPECT_EQ(s->EndPixel, k.points - 1) << k.points;
        EXPECT_NEAR(s->SlotInfo[k.slot].DataMax, k.dataMax, 1e-5) << k.points;
        const auto curve = LinesIn(c, DarkBlue);
        ASSERT_EQ(curve.size(), static_cast<size_t>(k.points)) << k.points;
        EXPECT_NEAR(curve.back().x2, PlotRight, 0.01) << k.points;  // the newest point is shown
        EXPECT_EQ(curve.back().y2, PlotTop) << k.points;
    }
}

TEST_F(ScalingTest, PlottedValueFollowsTheDisplaySwitches) {
    const struct {
        int16_t slot;
        bool reflectance, absorbance, channel2, noRatio;
        float ch1, ch2, value;
    } cases[] = {
        {0, true, false, false, false, 50, 100, 0.5f},
        {0, true, false, false, false, 50, 0, 1.0f},
        {3, true, true, false, false, 10, 100, static_cast<float>(std::log(10.0) / 2.306)},
        {3, true, true, false, false, 0, 100, 0.0f},
        {3, true, true, false, false, 10, -5, 0.0f},
        {3, true, true, false, false, 10, 0, 0.0f},
        {4, true, false, true, true, 50, 100, 100},  // ratio forbidden: channel 2 shown
        {5, false, false, true, false, 50, 100, 100},
        {7, false, false, false, false, 50, 100, 50},
        {9, false, false, true, false, 50, 100, 50},  // dark and kinetic slots: channel 1
        {11, true, true, true, false, 50, 100, 50},
    };
    for (const auto& k : cases) {
        s->ViewReflectance = k.reflectance;
        s->AbsorbanceOn = k.absorbance;
        s->ShowChannel2 = k.channel2;
        s->SlotInfo[k.slot].NoRatio = k.noRatio;
        s->Ch1Data[k.slot][4] = k.ch1;
        s->Ch2Data[k.slot][4] = k.ch2;
        EXPECT_FLOAT_EQ(PlottedValue(*s, k.slot, 4), k.value) << "slot " << k.slot;
    }
}

// A flat curve is widened around its value by a tenth of it (by 1 around 0): its six labels
// differ and the curve runs through the middle of the plot, not along the frame. A single
// point is as flat as a curve can be; a curve whose spread is below the flat limit keeps all
// its points inside the range.
TEST_F(ScalingTest, FlatCurvesAreWidenedAroundTheirValue) {
    const struct {
        int points;
        float value, spread, yMin, yMax;
    } cases[] = {
        {20, 5.0f, 0, 4.5f, 5.5f},
        {20, 20.0f, 0, 18.0f, 22.0f},
        {20, 1234.0f, 0, 1110.6f, 1357.4f},
        {20, 0.5f, 0, 0.45f, 0.55f},
        {20, 0.0538f, 0, 0.04842f, 0.05918f},
        {20, 0.0f, 0, -1.0f, 1.0f},
        {20, -2.0f, 0, -2.2f, -1.8f},
        {20, 0.005f, 0, 0.0045f, 0.0055f},
        {20, 0.0f, 4e-05f, -2e-05f, 6e-05f},  // values 0 and 4e-05: the spread counts
        {1, 0.0538f, 0, 0.04842f, 0.05918f},
        {1, 0.0f, 0, -1.0f, 1.0f},
    };
    for (const auto& k : cases) {
        const std::string which = std::to_string(k.points) + " x " + std::to_string(k.value);
        FillKinetic(*s, 11, k.points);
        Constant(11, k.value);
        s->Ch1Data[11][0] += k.spread;
        Draw(11);
        const SlotRecord& r = s->SlotInfo[11];
        EXPECT_NEAR(r.YMin, k.yMin, 1e-5 * std::max(1.0f, std::fabs(k.value))) << which;
        EXPECT_NEAR(r.YMax, k.yMax, 1e-5 * std::max(1.0f, std::fabs(k.value))) << which;
        EXPECT_FLOAT_EQ(r.YScale, static_cast<float>(6074 / (static_cast<double>(r.YMax) - r.YMin))) << which;
        EXPECT_EQ(r.DataMin, k.value) << which << ": the data range is kept";
        EXPECT_EQ(r.DataMax, k.value + k.spread) << which;
        for (int i = 0; i < k.points; ++i) {
            EXPECT_GT(s->PlotY[i], PlotTop) << which << " point " << i;
            EXPECT_LT(s->PlotY[i], PlotBottom) << which << " point " << i;
        }
        std::set<std::string> labels;
        for (double level : {0.0, 0.2, 0.4, 0.6, 0.8, 1.0}) {
            const auto v = static_cast<float>(r.YMin + (static_cast<double>(r.YMax) - r.YMin) * level);
            labels.insert(YAxisLabel(v, r.YMin, r.YMax).text);
        }
        EXPECT_EQ(labels.size(), 6u) << which << ": six different labels";
    }

    // A curve with some spread is drawn with its own range.
    FillKinetic(*s, 11, 20);
    Constant(11, 5.0f);
    s->Ch1Data[11][3] = 5.001f;
    Draw(11);
    EXPECT_EQ(s->SlotInfo[11].YMin, 5.0f);
    EXPECT_EQ(s->SlotInfo[11].YMax, 5.001f);
}

// A point alone stands in the middle of the plot as a dot of 3 pixels, not one pixel on the
// left edge of the frame.
TEST_F(ScalingTest, ALonePointIsADotInTheMiddleOfThePlot) {
    FillKinetic(*s, 11, 1);
    Draw(11);
    const float middle = (PlotLeft + PlotRight) / 2.0f;
    const auto pset = OpsOf(c, CanvasOp::Kind::PSet);
    ASSERT_EQ(pset.size(), 1u);
    EXPECT_EQ(pset[0].x1, middle);
    EXPECT_EQ(pset[0].y1, (PlotTop + PlotBottom) / 2);
    const auto dots = OpsOf(c, CanvasOp::Kind::FilledBox);
    ASSERT_EQ(dots.size(), 1u);
    EXPECT_EQ(dots[0].color, DarkBlue);
    EXPECT_FLOAT_EQ(dots[0].x2 - dots[0].x1, 45);
    EXPECT_FLOAT_EQ((dots[0].x1 + dots[0].x2) / 2, middle);

    c.ClearRecord();
    FillKinetic(*s, 11, 2);
    Draw(11);
    EXPECT_TRUE(OpsOf(c, CanvasOp::Kind::FilledBox).empty()) << "a curve needs no dot";
    EXPECT_EQ(OpsOf(c, CanvasOp::Kind::PSet)[0].x1, PlotLeft);
}

TEST_F(ScalingTest, ManualScaleOfTheWindowReplacesTheRangeButKeepsTheData) {
    FillKinetic(*s, 11, 20);
    s->AutoScaleOn[1] = 0;
    s->MinGridValue[1] = 0;
    s->MaxGridValue[1] = 1;
    s->Ch1Data[11][3] = 100;
    s->Ch1Data[11][4] = -100;
    Draw(11);
    const SlotRecord& r = s->SlotInfo[11];
    EXPECT_EQ(r.YMin, 0);
    EXPECT_EQ(r.YMax, 1);
    EXPECT_FLOAT_EQ(r.YScale, 6074);
    EXPECT_EQ(r.DataMin, -100);
    EXPECT_EQ(r.DataMax, 100);
    EXPECT_EQ(s->PlotY[3], -30000);  // far above the axis range
    EXPECT_EQ(s->PlotY[4], 30000);

    // The spectrum window's manual scale does not reach the kinetic window.
    s->AutoScaleOn[1] = -1;
    s->AutoScaleOn[0] = 0;
    Draw(11);
    EXPECT_EQ(s->SlotInfo[11].YMax, 100);

    s->AutoScaleOn[1] = 0;
    s->MaxGridValue[1] = 0;
    Draw(11);
    EXPECT_EQ(s->SlotInfo[11].YScale, 0.0001f);

    // Only True (-1) scales automatically; any other flag takes the manual limits.
    s->MaxGridValue[1] = 1;
    for (int16_t flag : {1, 2, -2}) {
        s->AutoScaleOn[1] = flag;
        Draw(11);
        EXPECT_EQ(s->SlotInfo[11].YMax, 1) << flag;
    }
}

TEST_F(ScalingTest, ValuesThatAreNotFiniteAreLeftOutOfTheRangeAndClamped) {
    FillKinetic(*s, 11, 20);
    s->Ch1Data[11][0] = std::numeric_limits<float>::quiet_NaN();
    s->Ch1Data[11][5] = std::numeric_limits<float>::infinity();
    s->Ch1Data[11][6] = -std::numeric_limits<float>::infinity();
    Draw(11);
    const SlotRecord& r = s->SlotInfo[11];
    EXPECT_FLOAT_EQ(r.DataMin, 1.1f);
    EXPECT_FLOAT_EQ(r.DataMax, 2.9f);
    EXPECT_TRUE(std::isfinite(r.YScale));
    EXPECT_EQ(s->PlotY[0], 30000);
    EXPECT_EQ(s->PlotY[5], -30000);
    EXPECT_EQ(s->PlotY[6], 30000);
}

TEST_F(ScalingTest, ZoomRangeOutsideTheDataDrawsNoCurveAndKeepsTheScale) {
    FillScan256(*s, 2);
    Draw(2);
    const float scale = s->SlotInfo[2].YScale;
    for (const auto& zoom : {std::pair<float, float>{2000, 2100}, {10, 200}}) {
        s->XZoomOn = true;
        s->XZoomMin = zoom.first;
        s->XZoomMax = zoom.second;
        c.ClearRecord();
        Draw(2);
        EXPECT_TRUE(OpsOf(c, CanvasOp::Kind::PSet).empty());
        EXPECT_TRUE(LinesIn(c, QBColor(3)).empty());
        EXPECT_EQ(s->SlotInfo[2].YScale, scale);
    }
}

TEST_F(ScalingTest, ZoomSpreadsTheVisiblePointsOverThePlot) {
    FillScan256(*s, 0);
    s->XZoomOn = true;
    s->XZoomMin = ScanX(100);
    s->XZoomMax = ScanX(150);
    Draw(0);
    EXPECT_EQ(s->StartPixel, 100);
    EXPECT_EQ(s->SlotInfo[0].DataMin, 3000);
    const auto curve = LinesIn(c, DarkBlue);
    ASSERT_EQ(curve.size(), 51u);
    EXPECT_FLOAT_EQ(curve.front().x2, PlotLeft);
    EXPECT_NEAR(curve.back().x2, PlotRight, 0.01);
    // Kinetic slots ignore the zoom of the spectrum window.
    FillKinetic(*s, 11, 20);
    Draw(11);
    EXPECT_EQ(s->EndPixel, 19);
}

TEST_F(ScalingTest, PointSearchesStayInsideTheSlot) {
    FillKinetic(*s, 11, 10);
    EXPECT_EQ(SearchStartPixel(*s, 11, 1e6f), 9);   // the guess would point past the end
    EXPECT_EQ(SearchStartPixel(*s, 11, -5), 0);
    EXPECT_EQ(SearchStartPixel(*s, 11, 35), 4);
    EXPECT_EQ(SearchEndPixel(*s, 11, -1e6f, 9, 0), 0);
    EXPECT_EQ(SearchEndPixel(*s, 11, 45, 9, 2), 5);  // first point not below hi - 0.4
    EXPECT_EQ(SearchEndPixel(*s, 11, 1, 9, 3), 3);    // never below the start
    for (int i = 0; i < 10; ++i) s->XData[11][i] = 5;  // no spread: the guess is skipped
    EXPECT_EQ(SearchStartPixel(*s, 11, 6), 9);
    EXPECT_EQ(SearchEndPixel(*s, 11, 4, 9, 0), 0);
}

TEST_F(ScalingTest, TraceColours) {
    const struct {
        int16_t slot;
        int32_t color;
    } cases[] = {{0, 0x800000}, {1, 0x008000}, {2, 0x808000}, {3, 0x000080}, {4, 0x800080},
                 {5, 0x008080}, {6, 0x000000}, {7, 0x808080}, {8, 0x800000}, {10, 0x800000},
                 {11, 0x800000}, {17, 0x800000}};
    for (const auto& k : cases) EXPECT_EQ(TraceColor(k.slot), k.color) << k.slot;
}

TEST_F(ScalingTest, ASlotWithoutPointsInViewKeepsTheEarlierScale) {
    FillKinetic(*s, 11, 5);
    s->SlotInfo[11].XMin = 1000;  // a range that misses every point
    s->SlotInfo[11].XMax = 2000;
    s->SlotInfo[11].YScale = 3.5f;
    s->SlotInfo[11].YMax = 7;
    ScaleChartData(*s, 11);
    EXPECT_EQ(s->SlotInfo[11].YScale, 3.5f);
    EXPECT_EQ(s->SlotInfo[11].YMax, 7);
    s->SlotInfo[11].NumPoints = 0;
    ScaleChartData(*s, 11);
    EXPECT_EQ(s->SlotInfo[11].YScale, 3.5f);
}

}  // namespace
}  // namespace tav
