#include <gtest/gtest.h>

#include "files/FormatByMagnitude.h"

namespace tav {
namespace {

TEST(ValueFormats, FormatByMagnitudePicksThePictureFromTheSignedValue) {
    const struct {
        float x;
        const char* text;
    } cases[] = {
        {0, "0.0"},          {-5, "-5.E+00"},     {0.0005f, "5.E-04"},   {1234.5f, "1235"},
        {123456, "1.235E+05"}, {150.25f, "150.3"}, {12.345f, "12.35"},  {1.5f, "1.5"},
        {0.5f, ".5"},        {0.002f, ".002"},    {-0.5f, "-5.E-01"},
    };
    for (const auto& k : cases) EXPECT_EQ(FormatByMagnitude(k.x), k.text) << k.x;
}

}  // namespace
}  // namespace tav
