#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <string>

#include "platform/Numbers.h"

namespace tav {
namespace {

TEST(StrInt, SignBlankThenDigits) {
    EXPECT_EQ(StrInt(0), " 0");
    EXPECT_EQ(StrInt(5), " 5");
    EXPECT_EQ(StrInt(-3), "-3");
    EXPECT_EQ(StrInt(-2147483647 - 1), "-2147483648");
}

TEST(StrSingle, SevenSignificantDigitsPlainWhileTheyFit) {
    const struct { float v; const char* text; } cases[] = {
        {0.0f, " 0"},
        {-0.0f, " 0"},
        {0.5f, " .5"},
        {-0.5f, "-.5"},
        {0.25f, " .25"},
        {100.0f, " 100"},
        {12.5f, " 12.5"},
        {1.0f / 3.0f, " .3333333"},
        {1234567.0f, " 1234567"},
        {12345678.0f, " 1.234568E+07"},
        {1e7f, " 1E+07"},
        {1e20f, " 1E+20"},
        {1e-7f, " .0000001"},
        {1.5e-7f, " 1.5E-07"},
        {0.01234567f, " 1.234567E-02"},
        {0.1f, " .1"},
        {FLT_MAX, " 3.402823E+38"},
        {1e-45f, " 1.401298E-45"},
        {-65535.0f, "-65535"},
    };
    for (const auto& c : cases) EXPECT_EQ(StrSingle(c.v), c.text) << c.text;
}

TEST(StrDouble, FifteenSignificantDigits) {
    const struct { double v; const char* text; } cases[] = {
        {1.0 / 81.0, " 1.23456790123457E-02"},
        {0.1 + 0.2, " .3"},
        {999999999999999.0, " 999999999999999"},
        {1e15, " 1E+15"},
        {1e-15, " .000000000000001"},
        {1.5e-15, " 1.5E-15"},
        {-2.0, "-2"},
        {300.0, " 300"},
        {1e300, " 1E+300"},
    };
    for (const auto& c : cases) EXPECT_EQ(StrDouble(c.v), c.text) << c.text;
}

TEST(StrSingleAndDouble, NonFiniteValuesGiveAFixedText) {
    EXPECT_EQ(StrSingle(std::numeric_limits<float>::quiet_NaN()), " NaN");
    EXPECT_EQ(StrSingle(std::numeric_limits<float>::infinity()), " Inf");
    EXPECT_EQ(StrDouble(-std::numeric_limits<double>::infinity()), "-Inf");
}

TEST(Val, TakesTheLeadingNumber) {
    const struct { std::string text; double v; } cases[] = {
        {"12.5 ms", 12.5},
        {"300.5\t1200", 300.51200},  // the TAB goes first
        {" - 5", -5},
        {"\n1\n2", 12},
        {"12\r", 12},  // a CR is not deleted, it ends the number
        {"-", 0},
        {"+7", 7},
        {"--5", 0},
        {".", 0},
        {"-.5", -0.5},
        {".5e1", 5},
        {"1.2.3", 1.2},
        {"12-5", 12},
        {"1D3", 1000},
        {"2d-1", 0.2},
        {"1e5", 100000},
        {"1E", 1},
        {"1E+", 1},
        {"1E+39", 1e39},
        {"1e-999", 0},
        {"000.000", 0},
        {"0e99999", 0},
        {"&H10", 0},
        {"", 0},
        {"   ", 0},
        {"abc12", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(Val(c.text), c.v) << "text [" << c.text << "]";
}

TEST(Val, HostileTextsGiveDefinedValues) {
    EXPECT_EQ(Val("1e999"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(Val("-1e999"), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(Val(std::string(200, '1')), std::stod(std::string(200, '1')));
    EXPECT_EQ(Val("1" + std::string(400, '0')), std::numeric_limits<double>::infinity());
    EXPECT_EQ(Val("." + std::string(400, '0') + "1"), 0.0);
    EXPECT_EQ(Val("1E" + std::string(198, '0') + "5"), 100000.0);
    EXPECT_EQ(Val("1E" + std::string(200, '9')), std::numeric_limits<double>::infinity());
    EXPECT_DOUBLE_EQ(Val(std::string(100000, '7') + "E-99990"), 7777777777.7777777);
    EXPECT_FALSE(std::signbit(Val("-0")));
}

}  // namespace
}  // namespace tav
