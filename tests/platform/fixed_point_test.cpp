// The fixed-point shortcut gives the general picture format's text byte for byte: for singles of
// every magnitude (random bit patterns), for the values where rounding decides (halves, runs of
// nines, carries into a new digit, values that round to zero) and for every number of places.

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "platform/DecimalDigits.h"
#include "platform/FixedPoint.h"
#include "platform/Numbers.h"

namespace tav {
namespace {

std::vector<float> EdgeValues() {
    std::vector<float> v = {0.0f, -0.0f, 1.0f, -1.0f, 0.5f, 0.05f, 0.15f, 0.25f, 0.35f, 0.45f, 0.95f, -0.05f, -0.04f,
                            0.004f, 0.005f, 0.0049999f, 9.5f, 9.95f, 99.95f, 999.95f, 9999.95f, 99999.95f, 9.99995f,
                            0.999995f, 0.99999f, 99999.5f, 999999.5f, 1234.5f, 1234.55f, 0.000015f, 1e-5f, 1.5e-7f,
                            8388607.5f, 16777216.0f, 16777218.0f, 1e10f, -1e-7f, 65535.0f, 812.25f, 99.96f, 3e38f,
                            FLT_MAX, -FLT_MAX, FLT_MIN, -FLT_MIN, FLT_TRUE_MIN, -FLT_TRUE_MIN, 1.0e-30f, 0.1f, 0.2f,
                            0.3f, 2.675f, 1.005f, 300.05f, 301.25f, 1099.95f, 0.0625f, 0.03125f};
    for (float base = 1e-6f; base < 1e8f; base *= 10) {
        for (float f : {0.5f, 0.95f, 0.995f, 0.9995f, 0.99995f, 0.999995f}) {
            v.push_back(base * f);
            v.push_back(-base * f);
            v.push_back(std::nextafter(base * f, 0.0f));
            v.push_back(std::nextafter(base * f, 1e30f));
        }
    }
    return v;
}

// Finite singles spread over every exponent: a fixed sequence of random bit patterns.
std::vector<float> RandomValues(int count) {
    std::vector<float> v;
    uint64_t state = 0x9E3779B97F4A7C15ull;
    while (static_cast<int>(v.size()) < count) {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        const auto bits = static_cast<uint32_t>(state >> 32);
        float f;
        std::memcpy(&f, &bits, sizeof f);
        if (std::isfinite(f)) v.push_back(f);
    }
    return v;
}

std::string Shortcut(float value, int decimals, bool keepZeros) {
    std::string out;
    AppendFixed(out, ShortestDigits(value), decimals, keepZeros);
    return out;
}

std::string Picture(int decimals, bool keepZeros) {
    return "#####." + std::string(static_cast<size_t>(decimals), keepZeros ? '0' : '#');
}

TEST(FixedPoint, GivesThePictureFormatsTextForEveryValueAndPlaces) {
    std::vector<float> values = EdgeValues();
    const std::vector<float> random = RandomValues(200000);
    values.insert(values.end(), random.begin(), random.end());
    for (float v : values) {
        for (int decimals : {1, 2, 3, 5, 7, 12, 50}) {
            for (bool keepZeros : {false, true}) {
                const std::string expected = Format(v, Picture(decimals, keepZeros));
                ASSERT_EQ(Shortcut(v, decimals, keepZeros), expected)
                    << std::hexfloat << v << " with " << decimals << (keepZeros ? " zeros" : " places");
            }
        }
    }
}

TEST(FixedPoint, PointAfterRoundingIsThatOfTheRoundedDigits) {
    std::vector<float> values = EdgeValues();
    const std::vector<float> random = RandomValues(100000);
    values.insert(values.end(), random.begin(), random.end());
    for (float v : values) {
        for (int significant : {1, 2, 5, 9}) {
            DecimalDigits d = ValueDigits(v);
            RoundToSignificant(d, significant);
            if (d.IsZero()) continue;
            ASSERT_EQ(PointAfterRounding(ShortestDigits(v), significant), d.pointPos) << std::hexfloat << v;
        }
    }
}

}  // namespace
}  // namespace tav
