#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <memory>

#include "charts/NumericHelpers.h"
#include "indices/Calibration.h"

namespace tav {
namespace {

TEST(ComputeWavelengths, FillsTheTableAndTheZoomRange) {
    auto s = std::make_unique<ProgramState>();
    s->CalCoeffA = 300;
    s->CalCoeffB = 3;
    s->CalCoeffC = 0;
    s->WaveLength[256] = 7.0f;
    s->XZoomOn = true;
    ComputeWavelengths(*s);
    EXPECT_EQ(s->WaveLength[0], 303.0f);
    EXPECT_EQ(s->WaveLength[255], 1068.0f);
    EXPECT_EQ(s->XZoomMin, 303.0f);
    EXPECT_EQ(s->XZoomMax, 1068.0f);
    EXPECT_EQ(s->WaveLength[256], 7.0f);
    EXPECT_TRUE(s->XZoomOn);
}

TEST(ComputeWavelengths, EvaluatesInDoubleAndStoresSingles) {
    auto s = std::make_unique<ProgramState>();
    s->CalCoeffA = 200.0;
    s->CalCoeffB = 2.5;
    s->CalCoeffC = 0.001;
    ComputeWavelengths(*s);
    EXPECT_EQ(s->WaveLength[9], static_cast<float>(0.001 * 10 * 10 + (2.5 * 10 + 200.0)));
    EXPECT_EQ(s->WaveLength[255], static_cast<float>(0.001 * 256 * 256 + (2.5 * 256 + 200.0)));
}

TEST(ComputeWavelengths, AbsurdCoefficientsStayFinite) {
    auto s = std::make_unique<ProgramState>();
    s->CalCoeffC = 1e40;
    s->CalCoeffA = std::numeric_limits<double>::quiet_NaN();
    ComputeWavelengths(*s);
    for (int i = 0; i < 256; ++i) ASSERT_TRUE(std::isfinite(s->WaveLength[i])) << i;
}

TEST(AxisTickStep, FirstMatchingRangeGivesTheStep) {
    const struct { float span; float step; } cases[] = {
        {-5, 0.25f}, {2.99f, 0.25f}, {3, 2}, {10, 2}, {10.01f, 5}, {50, 5}, {100, 10},
        {100.5f, 25}, {250, 25}, {250.5f, 50}, {600, 50}, {600.5f, 100}, {1000, 100},
        {1000.5f, 200}, {2000, 200}, {2000.5f, 400}, {6000, 400}, {6000.5f, 2500},
        {10000, 2500}, {20000, 4000}, {40000, 9000}, {60000, 18000}, {60000.5f, 36000},
    };
    for (const auto& c : cases) EXPECT_EQ(AxisTickStep(c.span), c.step) << c.span;
}

TEST(Log10Safe, GivesZeroForValuesThatAreNotPositive) {
    EXPECT_EQ(Log10Safe(0), 0.0f);
    EXPECT_EQ(Log10Safe(-5), 0.0f);
    EXPECT_EQ(Log10Safe(std::numeric_limits<float>::quiet_NaN()), 0.0f);
    EXPECT_EQ(Log10Safe(100), 2.0f);
    EXPECT_NEAR(Log10Safe(0.001f), -3.0f, 1e-6f);
    EXPECT_NEAR(Log10Safe(FLT_MAX), 38.53f, 0.01f);
}

}  // namespace
}  // namespace tav
