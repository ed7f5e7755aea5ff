#include <gtest/gtest.h>

#include "charts/ChartAxes.h"
#include "charts/ChartFixtures.h"
#include "charts/ChartFrame.h"
#include "charts/ChartScaling.h"
#include "charts/ValueFormats.h"

namespace tav {
namespace {

using namespace charttest;

struct AxesTest : ::testing::Test {
    std::unique_ptr<ProgramState> s = MakeState();
    RecordingCanvas c = MakeCanvas();
    MainWindowView view{"", MainBack};

    void XAxis(int16_t slotNumber, std::string title = "") {
        ASSERT_TRUE(LayoutChartFrame(*s, c, slotNumber));
        c.ClearRecord();
        DrawXAxis(*s, c, slotNumber, title);
        EXPECT_EQ(title, "");
    }
    std::vector<CanvasOp> Labels() {
        std::vector<CanvasOp> out;
        for (const auto& op : OpsOf(c, CanvasOp::Kind::PrintInline)) out.push_back(op);
        return out;
    }
    void ManualScale(float lo, float hi) {
        s->AutoScaleOn[0] = 0;
        s->MinGridValue[0] = lo;
        s->MaxGridValue[0] = hi;
    }
    void YAxis(int16_t slotNumber) {
        ASSERT_TRUE(LayoutChartFrame(*s, c, slotNumber));
        ScaleChartData(*s, slotNumber);
        c.ClearRecord();
        DrawYAxis(*s, c, view, slotNumber);
    }
};

TEST_F(AxesTest, ScanTicksEveryHundredNanometresAtTheirInterpolatedPlace) {
    FillScan256(*s, 0);
    XAxis(0);
    const auto lines = LinesIn(c, Grid);
    const auto labels = Labels();
    ASSERT_EQ(lines.size(), 8u);
    ASSERT_EQ(labels.size(), 8u);
    for (int k = 0; k < 8; ++k) {
        const int t = 400 + 100 * k;
        EXPECT_EQ(labels[k].text, std::to_string(t));
        // Where the curve passes t (its points spread over 255 intervals), plus one unit.
        const double place = (t - 301.5) / (848.5 / 255.0);
        EXPECT_NEAR(lines[k].x1, PlotLeft + place * PlotWidth / 255 + 1.25, 0.6) << t;
        EXPECT_EQ(lines[k].x1, lines[k].x2);
        EXPECT_EQ(lines[k].y1, PlotTop);
        EXPECT_EQ(lines[k].y2, PlotBottom);
        EXPECT_EQ(lines[k].drawStyle, 2);
        EXPECT_EQ(labels[k].x1, lines[k].x1 - 110 * labels[k].text.size() / 2.0f);
        EXPECT_EQ(labels[k].y1, PlotBottom);
    }
    const CanvasOp* title = FindPrint(c, "Wavelength (nm)");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->x1, (9600 - 15 * 110) / 2);
    EXPECT_EQ(title->y1, PlotHeight + 2 * 264 + 5);
    EXPECT_EQ(c.DrawStyle, 0);
    EXPECT_EQ(s->StartPixel, 0);
    EXPECT_EQ(s->EndPixel, 255);
}

TEST_F(AxesTest, TitleFollowsTheCallerOrTheXValues) {
    FillBinned(*s, 0, 100);
    XAxis(0, "Time (s)");
    EXPECT_TRUE(Printed(c, "Time (s)"));
    for (int i = 0; i < 100; ++i) s->XData[0][i] = 4000.0f + 3 * i;
    s->SlotInfo[0].XMin = 4000;
    s->SlotInfo[0].XMax = 4297;
    XAxis(0);
    EXPECT_TRUE(Printed(c, "Wavenumbers (cm-1)"));
}

TEST_F(AxesTest, KineticTicksOnlyWhileTimedAcquisitionStampsTheTime) {
    FillKinetic(*s, 11, 20);
    XAxis(11, "Time");
    EXPECT_TRUE(LinesIn(c, Grid).empty());
    EXPECT_EQ(c.PrintedTexts(), std::vector<std::string>{"Time"});

    s->AutoScanTimerOn = true;
    XAxis(11, "Time");
    EXPECT_TRUE(LinesIn(c, Grid).empty());

    s->Menu.ActivateTimeStamp = true;
    XAxis(11, "Time");
    std::vector<std::string> labels;
    for (const auto& op : Labels()) labels.push_back(op.text);
    // 0 s lies on a point, so it gets its tick; step 25 for a span of 190 s.
    EXPECT_EQ(labels, (std::vector<std::string>{"0", "25", "50", "75", "100", "125", "150", "175"}));
    EXPECT_EQ(LinesIn(c, Grid).size(), 8u);
}

TEST_F(AxesTest, StepsBelowOneGiveRepeatedWholeLabels) {
    FillBinned(*s, 0, 10);
    for (int i = 0; i < 10; ++i) s->XData[0][i] = 0.25f * i;
    s->SlotInfo[0].XMin = 0;
    s->SlotInfo[0].XMax = 2.25f;
    XAxis(0);
    std::vector<std::string> labels;
    for (const auto& op : Labels()) labels.push_back(op.text);
    EXPECT_EQ(labels, (std::vector<std::string>{"0", "0", "0", "1", "1", "1", "2", "2", "2", "2"}));
}

TEST_F(AxesTest, RangeOutsideTheDataHasNoTicksButItsTitle) {
    FillScan256(*s, 0);
    s->XZoomOn = true;
    s->XZoomMin = 2000;
    s->XZoomMax = 2100;
    XAxis(0);
    EXPECT_TRUE(LinesIn(c, Grid).empty());
    EXPECT_EQ(c.PrintedTexts(), std::vector<std::string>{"Wavelength (nm)"});

    FillKinetic(*s, 11, 1);  // a single point: no ticks, but its title
    s->AutoScanTimerOn = true;
    s->Menu.ActivateTimeStamp = true;
    c.ClearRecord();
    std::string title = "Time";
    DrawXAxis(*s, c, 11, title);
    EXPECT_TRUE(LinesIn(c, Grid).empty());
    EXPECT_EQ(c.PrintedTexts(), std::vector<std::string>{"Time"});
    EXPECT_TRUE(title.empty());
}

// hh = 132; labels at x 60.
TEST_F(AxesTest, YLabelsOfTheRangeZeroToOne) {
    FillScan256(*s, 0);
    ManualScale(0, 1);
    YAxis(0);
    const auto boxes = OpsOf(c, CanvasOp::Kind::FilledBox);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].x1, 0);
    EXPECT_EQ(boxes[0].y1, PlotTop - 132 + 25);
    EXPECT_EQ(boxes[0].x2, PlotLeft - 75);
    EXPECT_EQ(boxes[0].y2, PlotBottom);
    EXPECT_EQ(boxes[0].color, MainBack);
    const struct {
        const char* text;
        float y;
    } expected[] = {
        {"  1.   ", PlotTop - 132 + 100}, {" .8   ", 1504 - 132}, {" .6   ", 2719 - 132},
        {" .4   ", 3933 - 132},          {" .2   ", 5148 - 132}, {"   0.0    ", PlotBottom - 1.8f * 132},
    };
    const auto labels = Labels();
    ASSERT_EQ(labels.size(), 6u);
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(labels[k].text, expected[k].text);
        EXPECT_EQ(labels[k].x1, 60);
        EXPECT_FLOAT_EQ(labels[k].y1, expected[k].y);
    }
}

// A short plot (a tiled window whose labels keep a legible font) shows fewer labels, never two
// on top of each other: the top, the 0.6 level and the bottom; then the top and the bottom;
// then the top alone. Text 264 high.
TEST_F(AxesTest, AShortPlotShowsFewerYLabelsThatDoNotOverlap) {
    FillScan256(*s, 0);
    ManualScale(0, 1);
    const struct {
        int plotHeight;
        std::vector<std::string> texts;
    } cases[] = {
        {PlotHeight, {"  1.   ", " .8   ", " .6   ", " .4   ", " .2   ", "   0.0    "}},
        {1900, {"  1.   ", " .8   ", " .6   ", " .4   ", " .2   ", "   0.0    "}},
        {1700, {"  1.   ", " .6   ", "   0.0    "}},
        {950, {"  1.   ", " .6   ", "   0.0    "}},
        {850, {"  1.   ", "   0.0    "}},
        {500, {"  1.   ", "   0.0    "}},
        {400, {"  1.   "}},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.plotHeight);
        ASSERT_TRUE(LayoutChartFrame(*s, c, 0));
        SlotRecord& rec = s->SlotInfo[0];
        rec.PlotBottom = static_cast<int16_t>(rec.PlotTop + k.plotHeight);
        SetGridRows(*s, rec.PlotTop, rec.PlotBottom);
        ScaleChartData(*s, 0);
        c.SetFontSize(11);
        c.ClearRecord();
        DrawYAxis(*s, c, view, 0);
        const auto labels = Labels();
        std::vector<std::string> texts;
        for (const auto& label : labels) texts.push_back(label.text);
        EXPECT_EQ(texts, k.texts);
        for (std::size_t i = 1; i < labels.size(); ++i) EXPECT_GE(labels[i].y1 - labels[i - 1].y1, 264) << i;
    }
}

TEST_F(AxesTest, SmallAndLargeLabelsTakeTheExponentFormAndEndTheirLine) {
    FillScan256(*s, 0);
    ManualScale(0, 0.05f);
    YAxis(0);
    std::vector<std::string> ended;
    for (const auto& op : OpsOf(c, CanvasOp::Kind::Print)) ended.push_back(op.text);
    EXPECT_EQ(ended, (std::vector<std::string>{"5.E-02", "4.E-02", "3.E-02", "2.E-02", "1.E-02"}));
    EXPECT_EQ(Labels().back().text, "   0.0    ");

    EXPECT_EQ(YAxisLabel(12000, 0, 15000).text, "1.2E+04");
    EXPECT_TRUE(YAxisLabel(12000, 0, 15000).endsLine);
    EXPECT_EQ(YAxisLabel(5000, 0, 15000).text, " 5000    ");
    // Rounding residue around zero is shown as zero.
    EXPECT_EQ(YAxisLabel(2.4e-8f, -0.6f, 0.9f).text, "   0.0    ");
}

TEST_F(AxesTest, NoLabelsForAnEmptyRangeOrAnUnscaledSlot) {
    FillScan256(*s, 0);
    ManualScale(0, 0);
    YAxis(0);
    EXPECT_TRUE(c.Ops().empty());

    FillKinetic(*s, 11, 5);
    s->SlotInfo[11].XMin = 1000;  // no point in view: not scaled for this drawing
    s->SlotInfo[11].XMax = 2000;
    s->SlotInfo[11].YMin = 1;
    s->SlotInfo[11].YMax = 2;
    YAxis(11);
    EXPECT_TRUE(c.Ops().empty());
}

TEST_F(AxesTest, YTitleOnlyForRatioViewsOfSpectra) {
    FillScan256(*s, 0);
    FillKinetic(*s, 11, 20);
    const struct {
        int16_t slot;
        bool reflectance, absorbance;
        const char* title;
    } cases[] = {
        {0, true, false, "I/Io"}, {0, true, true, "log Io/I"}, {0, false, false, ""}, {11, true, false, ""},
    };
    for (const auto& k : cases) {
        s->ViewReflectance = k.reflectance;
        s->AbsorbanceOn = k.absorbance;
        YAxis(k.slot);
        const auto titles = OpsOf(c, CanvasOp::Kind::Print);
        const bool found = !titles.empty() && titles[0].text == k.title && titles[0].x1 == 200 &&
                           titles[0].y1 == 0;
        EXPECT_EQ(found, std::string(k.title) != "") << k.title;
        if (std::string(k.title).empty()) {
            for (const auto& t : titles) EXPECT_NE(t.y1, 0);
        }
    }
}

TEST(ValueFormats, ValueWithUnitPadsToTenPicturePlaces) {
    const struct {
        float x;
        const char* unit;
        const char* text;
    } cases[] = {
        {1234, "", " 1234    "},
        {-12.5f, "", "-  12.5   "},
        {0, "", "   0.0    "},
        {123456, "", "1.23E+05  "},
        {2.5f, "Seconds and more", "  2.5Seconds a   "},
        {0.0004f, "nm", "4.E-04nm  "},
        {0.25f, "", " .25   "},
    };
    for (const auto& k : cases) EXPECT_EQ(ValueWithUnitText(k.x, k.unit), k.text) << k.x;
}

}  // namespace
}  // namespace tav
