#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>
#include <string>

#include "charts/ChartAxes.h"
#include "charts/ChartCursor.h"
#include "charts/ChartDriver.h"
#include "charts/ChartFixtures.h"
#include "charts/ValueFormats.h"

namespace tav {
namespace {

using namespace charttest;

struct DriverTest : ::testing::Test {
    std::unique_ptr<ProgramState> s = MakeState();
    RecordingCanvas c = MakeCanvas();
    MainWindowView view{"", MainBack};

    void Draw(int16_t slotNumber, std::string title = "") {
        c.ClearRecord();
        DrawChart(*s, c, view, slotNumber, title);
        EXPECT_EQ(s->AxisSlot, -1);
    }
    // The slots whose curves were drawn, in drawing order (each curve starts with its PSet and
    // continues in the slot's colour).
    std::vector<int32_t> CurveColours() {
        std::vector<int32_t> out;
        const auto& ops = c.Ops();
        for (size_t k = 0; k + 1 < ops.size(); ++k) {
            if (ops[k].kind == CanvasOp::Kind::PSet) out.push_back(ops[k + 1].color);
        }
        return out;
    }
    // Index in the record of the y-axis label column, -1 when none was cleared.
    int LabelColumnAt() {
        const auto& ops = c.Ops();
        for (size_t k = 0; k < ops.size(); ++k) {
            if (ops[k].kind == CanvasOp::Kind::FilledBox && ops[k].color == MainBack && ops[k].x1 == 0) {
                return static_cast<int>(k);
            }
        }
        return -1;
    }
    int PSetAt(int nth) {
        int seen = 0;
        const auto& ops = c.Ops();
        for (size_t k = 0; k < ops.size(); ++k) {
            if (ops[k].kind == CanvasOp::Kind::PSet && seen++ == nth) return static_cast<int>(k);
        }
        return -1;
    }
    std::string TopLabel() {
        const int at = LabelColumnAt();
        return at < 0 ? "" : c.Ops()[at + 1].text;
    }
    void FillValues(int16_t slotNumber, float base) {
        FillBinned(*s, slotNumber, 100);
        for (int i = 0; i < 100; ++i) s->Ch1Data[slotNumber][i] = base + i;
    }
};

TEST_F(DriverTest, WrappedRingDrawsOldestFirstAndTheAxisInThePassOfTheSlotShown) {
    for (int16_t k = 0; k <= 7; ++k) FillScan256(*s, k);
    s->FirstOverlaySlot = 6;
    Draw(1);
    EXPECT_EQ(CurveColours(), (std::vector<int32_t>{0x000000, 0x808080, 0x800000, 0x008000}));
    const int axis = LabelColumnAt();
    EXPECT_GT(axis, PSetAt(2));  // after slot 0's curve ...
    EXPECT_LT(axis, PSetAt(3));  // ... before slot 1's
    EXPECT_TRUE(Printed(c, "Overlay :   1 "));
    EXPECT_EQ(s->MainFirstOverlaySlot, 6);
}

TEST_F(DriverTest, RunsOfTheSpectrumAndTheKineticWindows) {
    for (int16_t k = 0; k <= 7; ++k) FillScan256(*s, k);
    for (int16_t k = 11; k <= 13; ++k) FillKinetic(*s, k, 20);
    const struct {
        int16_t first, shown;
        std::vector<int32_t> colours;
    } cases[] = {
        {3, 3, {0x000080}},
        {2, 4, {0x808000, 0x000080, 0x800080}},
        {0, 11, {0x800000}},
        {12, 13, {0x800000, 0x800000}},
        {0, 13, {0x800000}},  // slot 13 shares its chart only with slot 12
        {5, 12, {0x800000}},
    };
    for (const auto& k : cases) {
        s->FirstOverlaySlot = k.first;
        Draw(k.shown);
        EXPECT_EQ(CurveColours(), k.colours) << k.first << " to " << k.shown;
    }
}

TEST_F(DriverTest, EmptySlotsDrawNothing) {
    FillScan256(*s, 0);
    FillScan256(*s, 2);
    s->FirstOverlaySlot = 0;
    Draw(2);
    EXPECT_EQ(CurveColours(), (std::vector<int32_t>{0x800000, 0x808000}));  // slot 1 is skipped

    s->AxisSlot = 2;
    s->FirstOverlaySlot = 4;
    Draw(5);
    EXPECT_TRUE(c.Ops().empty());
    EXPECT_EQ(s->MainFirstOverlaySlot, 4);
}

TEST_F(DriverTest, AxisSlotChosenByTheCallerLabelsTheAxis) {
    FillValues(0, 100);
    FillValues(1, 200);
    s->FirstOverlaySlot = 0;
    Draw(1);
    EXPECT_EQ(TopLabel(), "  299.   ");
    s->AxisSlot = 0;
    Draw(1);
    EXPECT_EQ(TopLabel(), "  199.   ");
}

TEST_F(DriverTest, CommonScaleDrawsAndLabelsEveryCurveOnOneScaleThatCoversThemAll) {
    FillValues(0, 100);
    FillValues(1, 200);
    FillValues(2, 1000);
    s->CommonScale = true;
    s->FirstOverlaySlot = 0;
    Draw(2);
    for (int16_t k : {0, 1}) {
        EXPECT_EQ(s->SlotInfo[k].YMin, s->SlotInfo[2].YMin);
        EXPECT_EQ(s->SlotInfo[k].YMax, s->SlotInfo[2].YMax);
        EXPECT_EQ(s->SlotInfo[k].YScale, s->SlotInfo[2].YScale);
    }
    EXPECT_EQ(s->SlotInfo[2].DataMax, 1099);
    EXPECT_EQ(s->SlotInfo[2].YMin, 100);
    EXPECT_EQ(s->SlotInfo[2].YMax, 1099);
    EXPECT_EQ(TopLabel(), " 1099    ");

    // A wrapped ring does not take the common scale.
    for (int16_t k = 0; k <= 7; ++k) FillValues(k, 100.0f * (k + 1));
    s->FirstOverlaySlot = 6;
    Draw(1);
    EXPECT_EQ(s->SlotInfo[1].YMax, 299);
    EXPECT_EQ(s->SlotInfo[7].YMax, 899);
}

TEST_F(DriverTest, CursorIsDrawnLastWhileOn) {
    FillScan256(*s, 0);
    s->CursorOn = true;
    s->AxisSlot = 0;
    Draw(0);
    ASSERT_FALSE(c.Ops().empty());
    bool xorSeen = false;
    for (const auto& op : c.Ops()) xorSeen = xorSeen || op.drawMode == 10;
    EXPECT_TRUE(xorSeen);
    EXPECT_EQ(c.Ops().back().kind, CanvasOp::Kind::Print);  // the read-out ends the drawing
    EXPECT_EQ(c.DrawMode, 13);
    EXPECT_TRUE(s->SlotInfo[0].CursorShown);
}

TEST_F(DriverTest, ValuesFromABadFileNeverTrapAndStayOnTheScreen) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const struct {
        float x5, y5, xMax, yAll;
    } cases[] = {
        {nan, 7, 1197, 1}, {inf, inf, 1197, 1}, {400, nan, inf, 1}, {400, -inf, 1e30f, nan},
        {-inf, 3e38f, nan, -3e38f},
    };
    for (const auto& k : cases) {
        s = MakeState();
        FillBinned(*s, 0, 300);
        if (!std::isnan(k.yAll)) {
            for (int i = 0; i < 300; i += 7) s->Ch1Data[0][i] = k.yAll;
        }
        s->XData[0][5] = k.x5;
        s->Ch1Data[0][5] = k.y5;
        s->SlotInfo[0].XMax = k.xMax;
        s->CursorOn = true;
        Draw(0);
        MoveChartCursor(*s, c, view, 0, 35, 0);
        MoveChartCursor(*s, c, view, 0, -1, 5000);
        for (const auto& op : c.Ops()) {
            for (float v : {op.x1, op.y1, op.x2, op.y2}) {
                EXPECT_TRUE(std::isfinite(v) && std::fabs(v) <= 1e6f) << k.x5 << " " << k.y5;
            }
        }
    }
    EXPECT_EQ(FormatByMagnitude(nan), "NaN");
    EXPECT_EQ(FormatByMagnitude(inf), "Inf");
    EXPECT_EQ(YAxisLabel(-inf, 0, 1).text, "-Inf");
}

// A flat spectrum (a scan of equal counts) is drawn inside the plot with six different labels.
TEST_F(DriverTest, AFlatSpectrumRunsInsideThePlotWithSixDifferentLabels) {
    FillScan256(*s, 0);
    for (int i = 0; i < 256; ++i) s->Ch1Data[0][i] = 1234.0f;
    Draw(0);
    const SlotRecord& r = s->SlotInfo[0];
    const auto curve = LinesIn(c, TraceColor(0));
    ASSERT_EQ(curve.size(), 248u);
    ExpectBetweenTopAndBottom(curve, r);
    EXPECT_EQ(TextsPrintedAt(c, 60).size(), 6u) << "six different labels";
}

TEST_F(DriverTest, TitleIsConsumed) {
    FillKinetic(*s, 14, 20);
    std::string title = "Time (s)";
    DrawChart(*s, c, view, 14, title);
    EXPECT_EQ(title, "");
    EXPECT_TRUE(Printed(c, "Time (s)"));
}

}  // namespace
}  // namespace tav
