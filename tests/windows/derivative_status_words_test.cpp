// A pixel spectrum ends in status words (the temperature count at point 248, more after it),
// which the chart does not draw: the derivative, by the Process menu and as the derivative
// index of the index pass, takes its slopes over the spectral points only, so no spike from the
// temperature word reaches the curve, its scale, the saved file or the index.

#include <gtest/gtest.h>

#include <vector>

#include "MainWindowWorld.h"
#include "windows/two_file_fixtures.h"

namespace tav {
namespace {

using test::SpectrumRow;

constexpr int Pixels = 256;
constexpr int LastSpectral = 247;
constexpr float Slope = 2.0f;

float X(int i) { return 300.0f + 3.3f * static_cast<float>(i + 1); }

// A stored pixel spectrum: a straight line of slope 2 up to point 247, then status words.
std::vector<SpectrumRow> PixelSpectrum() {
    std::vector<SpectrumRow> rows;
    for (int i = 0; i < Pixels; ++i) {
        float ch1 = Slope * X(i) + 10.0f;
        if (i == 248) ch1 = 2564;  // 25 deg C
        else if (i > LastSpectral) ch1 = static_cast<float>(i % 3);
        rows.push_back({X(i), ch1, 1000});
    }
    return rows;
}

struct DerivativeOfPixels : ::testing::Test {
    test::MainWindowWorld w{false};

    void SetUp() override {
        w.dir.MakeDir("DATA");
        w.dir.Write("DATA/pixels.rdg", test::SpectrumFileText(PixelSpectrum()));
        w.Start(true);
        ProgramState& s = *w.state;
        s.DefaultPath = w.dir.File("DATA");
        s.AutoScaleOn.fill(-1);
        s.ViewReflectance = false;
        w.PastWelcome();
    }
    // Key F: the file into the spectrum window, with an index pass over it.
    void ReadWithKeyF() {
        w.op.AnswerOpen(w.dir.File("DATA") + "/pixels.rdg");
        w.Type('F');
        ASSERT_EQ(w.state->SlotInfo[0].NumPoints, Pixels);
    }
};

TEST_F(DerivativeOfPixels, TheProcessedDerivativeStopsAtTheLastSpectralPoint) {
    ProgramState& s = *w.state;
    ReadWithKeyF();
    const std::vector<SpectrumRow> rows = PixelSpectrum();
    w.Mdi().Derivative.UserClick();
    ASSERT_TRUE(w.op.Messages().empty()) << w.op.Messages()[0].text;
    for (int i = 0; i <= LastSpectral; ++i) EXPECT_NEAR(s.Ch1Data[0][i], Slope, 1e-3) << "point " << i;
    for (int i = LastSpectral + 1; i < Pixels; ++i) EXPECT_EQ(s.Ch1Data[0][i], rows[i].ch1) << "status point " << i;
    // The chart's scale is the derivative's own.
    EXPECT_NEAR(s.SlotInfo[0].DataMin, Slope, 1e-3);
    EXPECT_NEAR(s.SlotInfo[0].DataMax, Slope, 1e-3);
}

TEST_F(DerivativeOfPixels, TheDerivativeIndexOfABandReachingTheStatusWordsIsTheSpectrumsSlope) {
    ProgramState& s = *w.state;
    s.NumOfBands = 1;
    s.BandStart = {X(240)};
    s.BandEnd = {X(255)};
    s.DerivativeBand = 1;
    s.Menu.ActivateDerivative = true;
    ReadWithKeyF();
    EXPECT_TRUE(s.LastPassComputed.Derivative);
    EXPECT_NEAR(s.DerivativeValue, Slope, 1e-3);
}

}  // namespace
}  // namespace tav
