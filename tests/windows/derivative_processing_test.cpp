// "Process > Derivative": the spectrum on display differentiated into slot 0, the reflectance
// taken first on a reflectance view, the order counted in the chart header, and what happens
// without data, with too few points, with the beep and with AutoSave.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "MainWindowWorld.h"
#include "charts/ChartValues.h"
#include "windows/DerivativeProcessing.h"
#include "windows/two_file_fixtures.h"

namespace tav {
namespace {

using test::MainWindowWorld;

constexpr int N = 12;

struct Derivative : ::testing::Test {
    MainWindowWorld w;

    void SetUp() override {
        w.PastWelcome();
        ProgramState& s = *w.state;
        s.AutoScaleOn.fill(-1);
        s.DataAvailable = true;
        Fill(0, [](float x) { return 3 * x + 1; });
    }
    ProgramState& S() { return *w.state; }
    // Slot of N points at x = 400, 402, ... with channel 1 = f(x) and channel 2 = 7.
    void Fill(int16_t slotNumber, const std::function<float(float)>& f) {
        ProgramState& s = S();
        for (int i = 0; i < N; ++i) {
            s.XData[slotNumber][i] = 400.0f + 2 * i;
            s.Ch1Data[slotNumber][i] = f(s.XData[slotNumber][i]);
            s.Ch2Data[slotNumber][i] = 7;
        }
        s.SlotInfo[slotNumber].NumPoints = N;
        s.SlotInfo[slotNumber].XMin = 400;
        s.SlotInfo[slotNumber].XMax = 400 + 2 * (N - 1);
    }
    void Choose() { w.Mdi().Derivative.UserClick(); }
    void ExpectSlot0(const std::function<float(int)>& expected) {
        for (int i = 0; i < N; ++i) EXPECT_NEAR(S().Ch1Data[0][i], expected(i), 1e-3) << "point " << i;
    }
    bool HeaderShows(const std::string& text) {
        for (const std::string& t : w.MainCanvas().PrintedTexts())
            if (t.find(text) != std::string::npos) return true;
        return false;
    }
};

TEST_F(Derivative, TheDisplayedSpectrumIsDifferentiatedIntoSlotZeroAndShownAsTheFirstOrder) {
    ProgramState& s = S();
    Fill(3, [](float x) { return x * x; });
    s.SlotInfo[3].XMin = 401;
    s.CurrentSlot = 3;
    s.OverlayCount = 4;
    s.FirstOverlaySlot = 1;
    s.ViewReflectance = false;
    s.BeepOn = false;
    Choose();
    // d(x^2)/dx = 2x at the inner points; the end points copy their neighbours.
    ExpectSlot0([&](int i) { return 2 * s.XData[3][std::clamp(i, 1, N - 2)]; });
    EXPECT_EQ(s.XData[0][5], 410.0f);
    EXPECT_EQ(s.Ch2Data[0][5], 7.0f);
    EXPECT_EQ(s.SlotInfo[0].NumPoints, N);
    EXPECT_EQ(s.SlotInfo[0].XMin, 401.0f);
    EXPECT_EQ(s.SlotInfo[0].XMax, 422.0f);
    EXPECT_EQ(s.Ch1Data[3][5], 410.0f * 410.0f) << "the source slot keeps its spectrum";
    EXPECT_EQ(s.CurrentSlot, 0);
    EXPECT_EQ(s.FirstOverlaySlot, 0);
    EXPECT_EQ(s.OverlayCount, 1);
    EXPECT_EQ(s.DerivativeParam, 1);
    EXPECT_TRUE(s.ProcessedResult);
    EXPECT_EQ(s.FileDialogMode, 6);
    EXPECT_TRUE(HeaderShows("DERIVATIVE ( 1 )"));
    EXPECT_EQ(w.op.Beeps(), 0);
}

TEST_F(Derivative, AReflectanceViewIsDividedByTheReferenceOnceAndTheOrderGrows) {
    ProgramState& s = S();
    Fill(0, [](float x) { return 2 * x * x; });
    Fill(slot::Reference, [](float) { return 2; });
    s.ViewReflectance = true;
    Choose();
    ExpectSlot0([&](int i) { return 2 * s.XData[0][std::clamp(i, 1, N - 2)]; });
    EXPECT_FALSE(s.ViewReflectance);

    // The second derivative takes the first as it is, even on a reflectance view again.
    s.ViewReflectance = true;
    w.MainCanvas().ClearRecord();
    Choose();
    for (int i = 2; i <= N - 3; ++i) EXPECT_NEAR(s.Ch1Data[0][i], 2.0f, 1e-3) << i;
    EXPECT_EQ(s.DerivativeParam, 2);
    EXPECT_TRUE(HeaderShows("DERIVATIVE ( 2 )"));
}

TEST_F(Derivative, AZeroReferenceGivesAFlatReflectance) {
    S().ViewReflectance = true;
    Choose();
    ExpectSlot0([](int) { return 0.0f; });
}

TEST_F(Derivative, NothingHappensWithoutDataOrWithTooFewPoints) {
    ProgramState& s = S();
    for (int16_t points : {int16_t{12}, int16_t{2}, int16_t{0}}) {
        s.DataAvailable = points == 12 ? false : true;
        s.SlotInfo[0].NumPoints = points;
        s.CurrentSlot = 0;
        s.OverlayCount = 3;
        w.MainCanvas().ClearRecord();
        EXPECT_FALSE(DifferentiateCurrentSpectrum(s));
        Choose();
        EXPECT_EQ(s.Ch1Data[0][1], 3 * 402.0f + 1) << points;
        EXPECT_EQ(s.DerivativeParam, 0);
        EXPECT_FALSE(s.ProcessedResult);
        EXPECT_EQ(s.OverlayCount, 3);
        EXPECT_TRUE(w.MainCanvas().Ops().empty());
    }
    // Three points are enough.
    s.DataAvailable = true;
    s.SlotInfo[0].NumPoints = 3;
    Choose();
    EXPECT_EQ(s.SlotInfo[0].NumPoints, 3);
    EXPECT_NEAR(s.Ch1Data[0][0], 3.0f, 1e-4);
    EXPECT_NEAR(s.Ch1Data[0][2], 3.0f, 1e-4);
}

TEST_F(Derivative, BeepsAndSavesTheResultAsTheNextFileOfTheSeries) {
    ProgramState& s = S();
    ASSERT_TRUE(w.dir.Write("DATA/ABC00004.rdg", "the scan before"));
    s.BeepOn = true;
    s.AutoSaveOn = true;
    s.AutoSaveName = "ABC";
    s.DefaultPath = w.dir.File("DATA");
    s.AutoSaveCounter = 4;
    s.AutoSaveSeriesOpen = true;  // a series under way: its files so far were written
    s.AutoSaveFileName = w.dir.File("DATA/ABC00004.rdg");
    Choose();
    EXPECT_EQ(w.op.Beeps(), 1);
    EXPECT_EQ(s.AutoSaveCounter, 5);
    EXPECT_EQ(*w.fs.ReadAll(w.dir.File("DATA/ABC00004.rdg")), "the scan before");
    const auto saved = w.fs.ReadAll(w.dir.File("DATA/ABC00005.rdg"));
    ASSERT_TRUE(saved.has_value());
    EXPECT_NE(saved->find("400. \t3. \t7."), std::string::npos) << *saved;
    EXPECT_TRUE(w.op.Messages().empty());
}

TEST_F(Derivative, ARawOverlayScanInTheReflectanceViewKeepsItsCountsAndTheResultIsDrawn) {
    ProgramState& s = S();
    Fill(3, [](float x) { return 4 * x * x; });
    Fill(slot::Reference, [](float) { return 2; });
    const auto counts = s.Ch1Data[3];
    const auto reference = s.Ch2Data[3];
    s.CurrentSlot = 3;
    s.OverlayCount = 4;
    s.ViewReflectance = true;
    w.MainCanvas().ClearRecord();
    Choose();
    // d(2x^2)/dx = 4x at the inner points, from the reflectance 4x^2 / 2.
    ExpectSlot0([&](int i) { return 4 * s.XData[3][std::clamp(i, 1, N - 2)]; });
    EXPECT_EQ(s.Ch1Data[3], counts) << "the overlay scan keeps its raw counts";
    EXPECT_EQ(s.Ch2Data[3], reference);
    // The chart is scaled to the derivative and shows its curve.
    EXPECT_NEAR(s.SlotInfo[0].DataMin, 4 * 402.0f, 1e-2);
    EXPECT_NEAR(s.SlotInfo[0].DataMax, 4 * 420.0f, 1e-2);
    EXPECT_TRUE(HeaderShows("DERIVATIVE ( 1 )"));
}

// A ramp from the simulation file, as a new user takes it: the spectrum window's channel switch
// stands where the program starts it (the reference pass), and the derivative is what the chart,
// its y axis and the saved file show.
TEST(DerivativeOfARamp, IsDrawnFlatScaledAndSavedAsTheDerivative) {
    MainWindowWorld w{false};
    std::vector<test::SpectrumRow> rows;
    for (int i = 0; i < 256; ++i) {
        const float x = 400.0f + 2 * i;
        rows.push_back({x, 100.0f + 10 * i, 300.0f + 40 * i});
    }
    ASSERT_TRUE(w.dir.Write("simulate.rdg", test::SpectrumFileText(rows)));
    w.dir.MakeDir("DATA");
    w.Start(true);
    ProgramState& s = *w.state;
    s.SimulationMode = true;
    s.DefaultPath = w.dir.File("DATA");
    w.PastWelcome();
    w.Type('N');
    ASSERT_EQ(s.SlotInfo[0].NumPoints, 256);
    ASSERT_TRUE(s.ShowChannel2);

    const Color curve = TraceColor(0);
    for (const auto& [order, slope, label] : {std::tuple{1, 5.0f, "DERIVATIVE ( 1 )"},
                                              std::tuple{2, 0.0f, "DERIVATIVE ( 2 )"}}) {
        SCOPED_TRACE(order);
        w.MainCanvas().ClearRecord();
        w.Mdi().Derivative.UserClick();
        const RecordingCanvas& canvas = w.MainCanvas();
        const auto texts = canvas.PrintedTexts();
        EXPECT_NE(std::find(texts.begin(), texts.end(), label), texts.end());
        // Flat: every segment of the curve at one height.
        std::vector<float> heights;
        for (const CanvasOp& op : canvas.OpsOfKind(CanvasOp::Kind::Line))
            if (op.color == curve && op.drawMode == 13) heights.push_back(op.y2);
        ASSERT_GT(heights.size(), 200u);
        for (float y : heights) EXPECT_EQ(y, heights.front());
        // The y axis of a flat curve: a range around its value.
        EXPECT_NEAR(s.SlotInfo[0].DataMin, slope, 1e-3);
        EXPECT_NEAR(s.SlotInfo[0].DataMax, slope, 1e-3);
        EXPECT_NEAR((s.SlotInfo[0].YMin + s.SlotInfo[0].YMax) / 2, slope, 1e-3);
        EXPECT_GT(s.SlotInfo[0].YMax - s.SlotInfo[0].YMin, 0.1f);
    }

    // Saved, the rows and the header's minimum and maximum are those of the derivative.
    w.op.AnswerSave(w.dir.File("DATA/deriv.rdg"));
    w.Mdi().SaveFileMenu.UserClick();
    const auto saved = w.fs.ReadAll(w.dir.File("DATA/deriv.rdg"));
    ASSERT_TRUE(saved.has_value());
    EXPECT_NE(saved->find("\"Minimum:    400.0nm  0\""), std::string::npos) << *saved;
    EXPECT_NE(saved->find("\"Maximum:    400.0nm  0\""), std::string::npos) << *saved;
    EXPECT_NE(saved->find("\r\n500. \t0. \t"), std::string::npos) << *saved;
}

}  // namespace
}  // namespace tav
