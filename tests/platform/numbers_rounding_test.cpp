#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>

#include "platform/Numbers.h"

namespace tav {
namespace {

const double NaN = std::numeric_limits<double>::quiet_NaN();
const double Inf = std::numeric_limits<double>::infinity();

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
    const struct { double v; double r; } cases[] = {
        {0.5, 0}, {1.5, 2}, {2.5, 2}, {3.5, 4}, {-0.5, 0}, {-1.5, -2}, {-2.5, -2},
        {2.4999999, 2}, {2.5000001, 3}, {-7.2, -7}, {1e300, 1e300}, {NaN, 0}, {Inf, 0}, {-Inf, 0},
    };
    for (const auto& c : cases) {
        const double r = RoundHalfEven(c.v);
        EXPECT_EQ(r, c.r) << c.v;
        EXPECT_FALSE(std::signbit(r) && r == 0) << "negative zero from " << c.v;
    }
}

TEST(RoundToInt, FailsOnlyWhenTheRoundedValueDoesNotFit) {
    EXPECT_EQ(RoundToInt16(32767.4), int16_t{32767});
    EXPECT_EQ(RoundToInt16(32767.5), std::nullopt);  // rounds to 32768
    EXPECT_EQ(RoundToInt16(-32768.5), int16_t{-32768});  // -32768 is even
    EXPECT_EQ(RoundToInt16(-32769), std::nullopt);
    EXPECT_EQ(RoundToInt16(NaN), std::nullopt);
    EXPECT_EQ(RoundToInt16(Inf), std::nullopt);
    EXPECT_EQ(RoundToInt32(2147483646.5), int32_t{2147483646});
    EXPECT_EQ(RoundToInt32(2147483647.5), std::nullopt);
    EXPECT_EQ(RoundToInt32(-2147483648.4), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(RoundToInt32(-1e10), std::nullopt);
}

TEST(RoundToInt, ClampedVariantsSaturate) {
    const struct { double v; int16_t i16; int32_t i32; } cases[] = {
        {2.5, 2, 2},
        {40000, 32767, 40000},
        {-1e9, -32768, -1000000000},
        {1e20, 32767, 2147483647},
        {-1e20, -32768, -2147483647 - 1},
        {NaN, 0, 0},
        {-Inf, 0, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RoundToInt16Clamped(c.v), c.i16) << c.v;
        EXPECT_EQ(RoundToInt32Clamped(c.v), c.i32) << c.v;
    }
}

TEST(FloorToInt32, FloorsTowardMinusInfinityAndClamps) {
    const struct { double v; int32_t r; } cases[] = {
        {2.9, 2}, {-0.5, -1}, {-3, -3}, {1e20, 2147483647}, {-1e20, -2147483647 - 1}, {NaN, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(FloorToInt32(c.v), c.r) << c.v;
}

TEST(ToSingleClamped, StaysWithinTheSingleRange) {
    EXPECT_EQ(ToSingleClamped(0.1), 0.1f);
    EXPECT_EQ(ToSingleClamped(1e39), FLT_MAX);
    EXPECT_EQ(ToSingleClamped(-1e39), -FLT_MAX);
    EXPECT_EQ(ToSingleClamped(Inf), FLT_MAX);
    EXPECT_EQ(ToSingleClamped(NaN), 0.0f);
}

}  // namespace
}  // namespace tav
