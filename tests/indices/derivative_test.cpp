#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "indices/Derivative.h"

namespace tav {
namespace {

class DerivativeTest : public ::testing::Test {
protected:
    void SetUp() override { s = std::make_unique<ProgramState>(); }
    void Fill(const std::vector<float>& x, const std::vector<float>& y, int16_t slotNumber = 0) {
        s->SlotInfo[slotNumber].NumPoints = static_cast<int16_t>(x.size());
        for (std::size_t k = 0; k < x.size(); ++k) {
            s->XData[slotNumber][k] = x[k];
            s->Ch1Data[slotNumber][k] = y[k];
        }
    }
    void DefineDerivativeBand(float start, float end) {
        s->NumOfBands = 1;
        s->BandStart = {start};
        s->BandEnd = {end};
        s->DerivativeBand = 1;
    }
    std::unique_ptr<ProgramState> s;
};

TEST_F(DerivativeTest, StraightLineGivesItsSlopeWhateverTheSpacing) {
    const std::vector<float> x = {400, 401, 403, 406, 410, 415, 421};
    std::vector<float> y;
    for (float v : x) y.push_back(2.0f + 0.5f * v);
    Fill(x, y);
    const float mean = ComputeDerivativeSpectrum(*s, 0, 1, 5);
    for (int i = 1; i <= 5; ++i) EXPECT_NEAR(s->DerivativeSpectrum[i], 0.5f, 1e-5f) << i;
    EXPECT_NEAR(mean, 0.5f, 1e-5f);
}

TEST_F(DerivativeTest, PointDerivativeIsThePlainAverageOfBothQuotients) {
    Fill({0, 1, 3}, {0, 1, 5});
    EXPECT_EQ(ComputeDerivativeSpectrum(*s, 0, 1, 1), 1.5f);  // one point: its own derivative
    EXPECT_EQ(s->DerivativeSpectrum[1], 1.5f);
}

TEST_F(DerivativeTest, OnlyTheRangeIsWritten) {
    Fill({0, 1, 2, 3, 4, 5}, {0, 2, 4, 6, 8, 10});
    s->DerivativeSpectrum.fill(-7.0f);
    ComputeDerivativeSpectrum(*s, 0, 2, 3);
    const float expected[] = {-7, -7, 2, 2, -7, -7, -7};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(s->DerivativeSpectrum[i], expected[i]) << i;
}

TEST_F(DerivativeTest, EqualXValuesCountAsZeroSlope) {
    Fill({400, 400, 400, 401}, {1, 5, 9, 10});
    EXPECT_EQ(ComputeDerivativeSpectrum(*s, 0, 1, 1), 0.0f);  // both quotients over 0 nm
    EXPECT_EQ(s->DerivativeSpectrum[1], 0.0f);
    EXPECT_EQ(ComputeDerivativeSpectrum(*s, 0, 2, 2), 0.5f);  // only the right quotient counts
}

TEST_F(DerivativeTest, BrokenRangesAndShortSlotsDoNothing) {
    Fill({0, 1, 2, 3}, {0, 1, 2, 3});
    s->DerivativeSpectrum.fill(-7.0f);
    const struct { int16_t slot, first, last, points; } cases[] = {
        {0, 0, 2, 4},    // first below 1
        {0, 2, 1, 4},    // first above last
        {0, 1, 4, 4},    // beyond the end marker
        {0, 1, 1, 2},    // fewer than 3 points
        {0, 1, 1, 0},
        {-1, 1, 1, 4},   // no such slot
        {20, 1, 1, 4},
    };
    for (const auto& c : cases) {
        s->SlotInfo[0].NumPoints = c.points;
        EXPECT_EQ(ComputeDerivativeSpectrum(*s, c.slot, c.first, c.last), 0.0f) << c.first;
    }
    for (int i = 0; i < 6; ++i) EXPECT_EQ(s->DerivativeSpectrum[i], -7.0f) << i;
}

TEST_F(DerivativeTest, IndexIsTheMeanSlopeOverTheBand) {
    Fill({400, 410, 420, 430, 440, 450}, {0, 10, 30, 60, 100, 150});
    DefineDerivativeBand(420, 430);  // points 2 and 3: D = 2.5 and 3.5
    const auto value = DerivativeIndex(*s, 0);
    ASSERT_TRUE(value);
    EXPECT_EQ(s->DerivativeSpectrum[2], 2.5f);
    EXPECT_EQ(s->DerivativeSpectrum[3], 3.5f);
    EXPECT_NEAR(*value, 3.0f, 1e-6f);
    EXPECT_EQ(s->XData[0][6], 900000.0f);
}

TEST_F(DerivativeTest, IndexBandPlacement) {
    Fill({400, 410, 420, 430, 440, 450}, {0, 10, 30, 60, 100, 150});
    const struct { float start, end; int first, last; } cases[] = {
        {300, 350, 1, 2},  // wholly below the first point: points 1 and 2
        {435, 435, 4, 4},  // zero width stays unwidened: the tie takes the higher point
        {430, 420, 2, 3},  // reversed
    };
    for (const auto& c : cases) {
        DefineDerivativeBand(c.start, c.end);
        s->DerivativeSpectrum.fill(-7.0f);
        ASSERT_TRUE(DerivativeIndex(*s, 0));
        for (int i = 0; i < 6; ++i) {
            EXPECT_EQ(s->DerivativeSpectrum[i] != -7.0f, i >= c.first && i <= c.last)
                << c.start << " point " << i;
        }
    }
    EXPECT_EQ(s->BandStart[0], 420.0f);  // the reversed band is stored in order
    EXPECT_EQ(s->BandEnd[0], 430.0f);
}

TEST_F(DerivativeTest, BandAtTheLastPointSeesTheEndMarker) {
    Fill({400, 410, 420, 430}, {0, 10, 20, 30});
    DefineDerivativeBand(430, 500);
    const auto value = DerivativeIndex(*s, 0);
    ASSERT_TRUE(value);
    EXPECT_NEAR(s->DerivativeSpectrum[3], 0.5f, 1e-4f);  // about half the left slope
    EXPECT_NEAR(*value, s->DerivativeSpectrum[3], 1e-4f);
}

TEST_F(DerivativeTest, IndexNeedsADefinedBandAndThreePoints) {
    Fill({400, 410, 420, 430}, {0, 10, 20, 30});
    DefineDerivativeBand(430, 420);
    for (int16_t band : {0, 2, -1}) {
        s->DerivativeBand = band;
        EXPECT_FALSE(DerivativeIndex(*s, 0)) << band;
    }
    s->DerivativeBand = 1;
    s->SlotInfo[0].NumPoints = 2;
    EXPECT_FALSE(DerivativeIndex(*s, 0));
    EXPECT_EQ(s->BandStart[0], 430.0f);  // nothing changed
    EXPECT_EQ(s->XData[0][2], 420.0f);
}

}  // namespace
}  // namespace tav
