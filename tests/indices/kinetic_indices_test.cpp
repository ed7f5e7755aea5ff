#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "indices/KineticIndices.h"

namespace tav {
namespace {

// Records what the pass shows, in order: "clear", "wait 3", "line <label>[value]<suffix>",
// "point <code>".
class RecordingOutput : public KineticIndicesOutput {
public:
    void ClearIndexWindow() override { events.push_back("clear"); }
    void PrintIndexLine(const IndexReadoutLine& line) override {
        lines.push_back(line);
        std::string text = "line " + line.label;
        if (line.hasValue) text += "[" + std::to_string(line.value) + "]";
        events.push_back(text + line.suffix);
    }
    void Wait(int milliseconds) override { events.push_back("wait " + std::to_string(milliseconds)); }
    void KineticPointAdded(int16_t code) override {
        points.push_back(code);
        events.push_back("point " + std::to_string(code));
    }
    // The value printed after `label`, or NaN when no such line was printed.
    float ValueAfter(const std::string& label) const {
        for (const auto& l : lines) {
            if (l.label == label) return l.value;
        }
        return std::nanf("");
    }
    bool Printed(const std::string& label) const {
        for (const auto& l : lines) {
            if (l.label == label) return true;
        }
        return false;
    }
    std::vector<std::string> events;
    std::vector<IndexReadoutLine> lines;
    std::vector<int16_t> points;
};

// Slot 0: x = 400, 410, ..., 490 and y = 1, 2, ..., 10, channel 2 = 2 everywhere.
// Band 1 = 420..440 (integral 8, mean 4), band 2 = 460..480 (16, 8), band 3 = 400..420 (4.5, 2.5).
class KineticIndicesTest : public ::testing::Test {
public:
    void SetUp() override {
        s = std::make_unique<ProgramState>();
        s->WaveLength[255] = 1000.0f;
        s->SlotInfo[0].NumPoints = 10;
        for (int k = 0; k < 10; ++k) {
            s->XData[0][k] = 400.0f + 10.0f * k;
            s->Ch1Data[0][k] = 1.0f + k;
            s->Ch2Data[0][k] = 2.0f;
        }
        s->NumOfBands = 3;
        s->BandStart = {420, 460, 400, 0};
        s->BandEnd = {440, 480, 420, 0};
    }
    void Run() { ComputeKineticIndices(*s, out); }
    void OpenAllWindows() {
        for (WindowRect* r : {&s->RatioFormRect, &s->NormDiffFormRect, &s->ExperimentalFormRect,
                              &s->DerivativeFormRect, &s->IntegralFormRect, &s->AverageFormRect,
                              &s->DiagnosticsFormRect}) {
            r->Open = -1;
        }
    }
    void EnableRatio(int16_t numerator, int16_t denominator) {
        s->Menu.ActivateRatio = true;
        s->RatioNumerator = numerator;
        s->RatioDenominator = denominator;
    }
    void EnableNormDiff(int16_t x, int16_t y) {
        s->Menu.ActivateNormDiff = true;
        s->NormDiffX = x;
        s->NormDiffY = y;
    }
    void EnableExperimental(int16_t b1, int16_t op1, int16_t b2, int16_t op2, int16_t b3,
                            int16_t op3, int16_t b4) {
        s->Menu.ActivateExperimental = true;
        s->ExpBand1 = b1, s->ExpBand2 = b2, s->ExpBand3 = b3, s->ExpBand4 = b4;
        s->ExpOp1 = op1, s->ExpOp2 = op2, s->ExpOp3 = op3;
    }
    std::unique_ptr<ProgramState> s;
    RecordingOutput out;
};

TEST_F(KineticIndicesTest, NoBandsShowsOnlyTheMessage) {
    OpenAllWindows();
    s->NumOfBands = 0;
    s->NormDiffValid = s->ExperimentalValid = true;
    s->ElapsedTime = -10;
    s->Menu.ActivateDiagnostics = true;
    Run();
    EXPECT_EQ(out.events,
              (std::vector<std::string>{"clear", "line No Bands Have Been Defined!"}));
    EXPECT_FALSE(s->NormDiffValid);
    EXPECT_FALSE(s->ExperimentalValid);
    EXPECT_EQ(s->ElapsedTime, -10.0f);
    EXPECT_EQ(s->NormDiffCount, 0);
}

TEST_F(KineticIndicesTest, EverythingEnabledRunsInOrder) {
    OpenAllWindows();
    EnableRatio(2, 3);
    EnableNormDiff(2, 3);
    EnableExperimental(2, 1, 1, 3, 3, 2, 1);
    s->Menu.ActivateDerivative = true;
    s->DerivativeBand = 1;
    s->Menu.ActivateIntegral = true;
    s->IntegralBand = 2;
    s->Menu.ActivateAverage = true;
    s->AverageBand = 1;
    s->Menu.ActivateDiagnostics = true;
    s->ElapsedTime = 12.5f;
    Run();
    const std::vector<std::string> expected = {
        "clear", "wait 3", "line ", "wait 3", "line Elapsed Time=[12.500000] Seconds",
        "wait 3", "line Ratio = [" + std::to_string(16.0f / 4.5f) + "]", "point 11",
        "line Normalized Difference = [" + std::to_string((16.0f - 4.5f) / 20.5f) + "]",
        "line Experimental = [" + std::to_string(8.0f / 36.0f) + "]",
        "point 12", "point 13",
        "line Derivative = [0.100000]", "point 14",
        "line Integral = [16.000000]", "point 15",
        "line Average = [4.000000]", "point 16",
        "point 17"};
    EXPECT_EQ(out.events, expected);
    EXPECT_EQ(s->FirstOverlaySlot, 17);
    EXPECT_TRUE(s->NormDiffValid);
    EXPECT_TRUE(s->ExperimentalValid);
    for (int16_t* counter : {&s->RatioCount, &s->NormDiffCount, &s->ExperimentalCount,
                             &s->DerivativeCount, &s->IntegralCount, &s->AverageCount,
                             &s->DiagnosticsCount}) {
        EXPECT_EQ(*counter, 1);
    }
    EXPECT_EQ(s->Ch1Data[11][0], 16.0f / 4.5f);
    EXPECT_EQ(s->XData[16][0], 12.5f);
}

TEST_F(KineticIndicesTest, IndexFormulas) {
    // Each row enables one index; the printed and stored value follow its formula.
    const struct {
        const char* what;
        int16_t useAverage;  // element of UseAverage that the row sets
        void (*enable)(KineticIndicesTest&);
        std::string label;
        float expected;
    } cases[] = {
        {"ratio of integrals", -1, [](KineticIndicesTest& t) { t.EnableRatio(2, 3); },
         "Ratio = ", 16.0f / 4.5f},
        {"ratio of means", 0, [](KineticIndicesTest& t) { t.EnableRatio(2, 3); }, "Ratio = ",
         8.0f / 2.5f},
        {"normalized difference", -1, [](KineticIndicesTest& t) { t.EnableNormDiff(2, 3); },
         "Normalized Difference = ", (16.0f - 4.5f) / (16.0f + 4.5f)},
        {"normalized difference of means", 1,
         [](KineticIndicesTest& t) { t.EnableNormDiff(2, 3); }, "Normalized Difference = ",
         (8.0f - 2.5f) / (8.0f + 2.5f)},
        {"experimental (B1 - B2) / (B3 * B4)", -1,
         [](KineticIndicesTest& t) { t.EnableExperimental(2, 1, 1, 3, 3, 2, 1); },
         "Experimental = ", (16.0f - 8.0f) / (4.5f * 8.0f)},
        {"experimental (B1 + B2) - (B3 / B4)", -1,
         [](KineticIndicesTest& t) { t.EnableExperimental(2, 0, 1, 1, 3, 7, 1); },
         "Experimental = ", (16.0f + 8.0f) - 4.5f / 8.0f},
        {"experimental of means", 2,
         [](KineticIndicesTest& t) { t.EnableExperimental(2, 2, 1, 0, 3, 0, 0); },
         "Experimental = ", 8.0f * 4.0f + 2.5f},
        {"experimental, band 0 is 0", -1,
         [](KineticIndicesTest& t) { t.EnableExperimental(0, 0, 2, 0, 0, 0, 0); },
         "Experimental = ", 16.0f},
        {"integral", -1,
         [](KineticIndicesTest& t) {
             t.s->Menu.ActivateIntegral = true;
             t.s->IntegralBand = 3;
         },
         "Integral = ", 4.5f},
        {"average", -1,
         [](KineticIndicesTest& t) {
             t.s->Menu.ActivateAverage = true;
             t.s->AverageBand = 2;
         },
         "Average = ", 8.0f},
        {"derivative", -1,
         [](KineticIndicesTest& t) {
             t.s->Menu.ActivateDerivative = true;
             t.s->DerivativeBand = 2;
         },
         "Derivative = ", 0.1f},
    };
    for (const auto& c : cases) {
        SetUp();
        out = RecordingOutput();
        if (c.useAverage >= 0) s->UseAverage[c.useAverage] = 1;
        c.enable(*this);
        Run();
        EXPECT_NEAR(out.ValueAfter(c.label), c.expected, 1e-6f) << c.what;
        EXPECT_EQ(out.lines.size(), 3u) << c.what;
    }
}

TEST_F(KineticIndicesTest, UseAverageOnlyChangesItsOwnIndex) {
    EnableNormDiff(2, 3);
    s->UseAverage[1] = 1;
    s->Menu.ActivateIntegral = true;
    s->IntegralBand = 2;
    Run();
    EXPECT_EQ(s->NormDiffValue, (8.0f - 2.5f) / (8.0f + 2.5f));
    EXPECT_EQ(s->IntegralValue, 16.0f);
}

TEST_F(KineticIndicesTest, NothingEnabledStillFeedsTheTwoSeriesWindows) {
    OpenAllWindows();
    s->NormDiffValue = 0.25f;
    s->ExperimentalValue = 7.0f;
    Run();
    EXPECT_EQ(out.events, (std::vector<std::string>{"clear", "wait 3", "line ", "wait 3",
                                                    "line Elapsed Time=[0.000000] Seconds",
                                                    "point 12", "point 13"}));
    EXPECT_EQ(s->Ch1Data[12][0], 0.25f);
    EXPECT_EQ(s->Ch1Data[13][0], 7.0f);
    EXPECT_EQ(s->FirstOverlaySlot, 13);
    EXPECT_FALSE(s->NormDiffValid);
}

TEST_F(KineticIndicesTest, ClosedWindowsGetNoPoint) {
    EnableRatio(2, 3);
    s->Menu.ActivateDiagnostics = true;
    s->FirstOverlaySlot = 4;
    Run();
    EXPECT_TRUE(out.points.empty());
    EXPECT_EQ(s->RatioCount, 0);
    EXPECT_EQ(s->FirstOverlaySlot, 4);
    EXPECT_TRUE(out.Printed("Ratio = "));
}

TEST_F(KineticIndicesTest, ElapsedTimeWrapsAtMidnight) {
    s->ElapsedTime = -10;
    Run();
    EXPECT_EQ(s->ElapsedTime, 86390.0f);
    EXPECT_EQ(out.ValueAfter("Elapsed Time="), 86390.0f);
}

// A zero divisor leaves the index without a value for this spectrum (NaN), not with the value
// of the spectrum before: the read-out says so and its window gets no point.
TEST_F(KineticIndicesTest, ZeroDivisorsLeaveTheIndexWithoutAValue) {
    // Band 4 (0..0 nm, below the spectrum) is defined but its band values are those of points
    // 1 and 2; a zero channel makes it 0.
    s->NumOfBands = 4;
    s->BandStart = {420, 460, 400, 300};
    s->BandEnd = {440, 480, 420, 310};
    const struct {
        const char* what;
        void (*enable)(KineticIndicesTest&);
        float ProgramState::*value;
        std::string label;
        int16_t code;
    } cases[] = {
        {"ratio denominator", [](KineticIndicesTest& t) { t.EnableRatio(1, 4); },
         &ProgramState::RatioValue, "Ratio = ", 11},
        {"normalized difference sum", [](KineticIndicesTest& t) { t.EnableNormDiff(4, 4); },
         &ProgramState::NormDiffValue, "Normalized Difference = ", 12},
        {"experimental op2",
         [](KineticIndicesTest& t) { t.EnableExperimental(1, 0, 2, 3, 4, 0, 4); },
         &ProgramState::ExperimentalValue, "Experimental = ", 13},
        {"experimental op1",
         [](KineticIndicesTest& t) { t.EnableExperimental(1, 3, 4, 0, 2, 0, 3); },
         &ProgramState::ExperimentalValue, "Experimental = ", 13},
        {"experimental op3",
         [](KineticIndicesTest& t) { t.EnableExperimental(1, 0, 2, 0, 3, 3, 4); },
         &ProgramState::ExperimentalValue, "Experimental = ", 13},
    };
    for (const auto& c : cases) {
        out = RecordingOutput();
        s->Ch1Data[0][1] = s->Ch1Data[0][2] = 0.0f;
        s->RatioCount = s->NormDiffCount = s->ExperimentalCount = 0;
        for (int16_t code : {11, 12, 13}) s->SlotInfo[code].NumPoints = 0;
        OpenAllWindows();
        c.enable(*this);
        (*s).*c.value = 42.0f;
        Run();
        EXPECT_TRUE(std::isnan((*s).*c.value)) << c.what;
        EXPECT_TRUE(out.Printed(c.label)) << c.what;
        EXPECT_TRUE(std::isnan(out.ValueAfter(c.label))) << c.what;
        EXPECT_EQ(s->SlotInfo[c.code].NumPoints, 0) << c.what << ": no point";
        EXPECT_EQ(std::count(out.points.begin(), out.points.end(), c.code), 0) << c.what;
        s->Menu = MenuChecks();
    }
}

TEST_F(KineticIndicesTest, BandNumbersOutsideTheDefinitionsSkipTheirIndex) {
    OpenAllWindows();
    s->RatioValue = 1, s->NormDiffValue = 2, s->ExperimentalValue = 3;
    s->DerivativeValue = 4, s->IntegralValue = 5, s->AverageValue = 6;
    EnableRatio(1, 4);  // band 4 is not defined (NumOfBands = 3)
    EnableNormDiff(-1, 2);
    EnableExperimental(1, 0, 2, 0, 3, 0, 9);
    s->Menu.ActivateDerivative = true;
    s->DerivativeBand = 4;
    s->Menu.ActivateIntegral = true;
    s->IntegralBand = 100;
    s->Menu.ActivateAverage = true;
    s->AverageBand = -7;
    Run();
    EXPECT_EQ(out.lines.size(), 2u);  // only the empty line and the elapsed time
    EXPECT_EQ(out.points, (std::vector<int16_t>{12, 13}));  // the stored values, as always
    EXPECT_EQ(s->Ch1Data[12][0], 2.0f);
    EXPECT_EQ(s->Ch1Data[13][0], 3.0f);
    EXPECT_FALSE(s->NormDiffValid);
    EXPECT_FALSE(s->ExperimentalValid);
    const float values[] = {s->RatioValue, s->NormDiffValue, s->ExperimentalValue,
                            s->DerivativeValue, s->IntegralValue, s->AverageValue};
    for (int k = 0; k < 6; ++k) EXPECT_EQ(values[k], k + 1.0f) << k;
}

TEST_F(KineticIndicesTest, ReflectanceRowDividesByChannelTwo) {
    s->ViewReflectance = true;
    s->Ch2Data[0][3] = 0.0f;
    s->SlotInfo[18].NumPoints = 2;  // a stale record of an earlier use of the work slot
    s->SlotInfo[18].XMin = 1, s->SlotInfo[18].XMax = 2;
    s->SlotInfo[0].XMin = 400, s->SlotInfo[0].XMax = 490;
    s->Menu.ActivateAverage = true;
    s->AverageBand = 2;
    Run();
    EXPECT_EQ(s->Ch1Data[18][3], 1.0f);
    EXPECT_EQ(s->Ch1Data[18][4], 2.5f);
    EXPECT_EQ(s->XData[18][9], 490.0f);
    EXPECT_EQ(s->SlotInfo[18].NumPoints, 10);
    EXPECT_EQ(s->SlotInfo[18].XMin, 400.0f);
    EXPECT_EQ(s->SlotInfo[18].XMax, 490.0f);
    EXPECT_EQ(s->AverageValue, 4.0f);  // (7 + 8 + 9) / 2 / 3
    EXPECT_EQ(s->XData[0][10], 0.0f);  // the spectrum itself carries no marker
}

TEST_F(KineticIndicesTest, NoRatioSlotsUseTheirOwnValues) {
    s->ViewReflectance = true;
    s->SlotInfo[0].NoRatio = true;
    s->Ch1Data[18][5] = -1.0f;
    s->Menu.ActivateAverage = true;
    s->AverageBand = 2;
    Run();
    EXPECT_EQ(s->AverageValue, 8.0f);
    EXPECT_EQ(s->Ch1Data[18][5], -1.0f);
}

TEST_F(KineticIndicesTest, DiagnosticsPlotsTheTemperatureAndPrintsNothing) {
    s->DiagnosticsFormRect.Open = -1;
    s->Menu.ActivateDiagnostics = true;
    s->Temperature = 31.5f;
    s->NumOfBands = 3;
    Run();
    EXPECT_EQ(out.points, (std::vector<int16_t>{17}));
    EXPECT_EQ(s->Ch1Data[17][0], 31.5f);
    EXPECT_EQ(s->DiagnosticsValue, 0.0f);
    EXPECT_EQ(out.lines.size(), 2u);
}

TEST_F(KineticIndicesTest, ShortSpectrumSkipsTheDerivative) {
    s->SlotInfo[0].NumPoints = 2;
    s->DerivativeValue = 9.0f;
    s->DerivativeFormRect.Open = -1;
    s->Menu.ActivateDerivative = true;
    s->DerivativeBand = 1;
    Run();
    EXPECT_EQ(s->DerivativeValue, 9.0f);
    EXPECT_FALSE(out.Printed("Derivative = "));
    EXPECT_TRUE(out.points.empty());
}

TEST_F(KineticIndicesTest, SeriesStopAtTwoHundredPoints) {
    s->IntegralFormRect.Open = -1;
    s->Menu.ActivateIntegral = true;
    s->IntegralBand = 1;
    for (int k = 0; k < 205; ++k) {
        s->ElapsedTime = static_cast<float>(k);
        Run();
    }
    EXPECT_EQ(s->IntegralCount, 200);
    EXPECT_EQ(s->SlotInfo[15].NumPoints, 200);
    EXPECT_EQ(s->SlotInfo[15].XMin, 5.0f);
    EXPECT_EQ(s->XData[15][199], 204.0f);
}

TEST(StoredIndexReadout, ListsAllSixValues) {
    ProgramState s;
    s.ElapsedTime = 3, s.RatioValue = 1, s.NormDiffValue = 2, s.ExperimentalValue = 3;
    s.DerivativeValue = 4, s.IntegralValue = 5, s.AverageValue = 6;
    const std::vector<IndexReadoutLine> lines = StoredIndexReadout(s);
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[0].label, "");
    EXPECT_FALSE(lines[0].hasValue);
    EXPECT_EQ(lines[1], (IndexReadoutLine{"Elapsed Time=", true, 3, " Seconds"}));
    const char* labels[] = {"Ratio = ",      "Normalized Difference = ", "Experimental = ",
                            "Derivative = ", "Integral = ",              "Average = "};
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(lines[k + 2], (IndexReadoutLine{labels[k], true, k + 1.0f, ""})) << k;
    }
}

}  // namespace
}  // namespace tav
