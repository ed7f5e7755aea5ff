#include <gtest/gtest.h>

#include <cfloat>
#include <limits>
#include <string>

#include "platform/Numbers.h"

namespace tav {
namespace {

struct FormatCase {
    double value;
    const char* picture;
    const char* text;
};

void ExpectFormats(const FormatCase* first, const FormatCase* last) {
    for (const FormatCase* c = first; c != last; ++c) {
        EXPECT_EQ(Format(c->value, c->picture), c->text)
            << "value " << c->value << " picture [" << c->picture << "]";
    }
}

TEST(Format, HashPlacesShowNoLeadingZeroAndKeepThePoint) {
    const FormatCase cases[] = {
        {40, "####.0", "40.0"},
        {0.4f, "####.0", ".4"},
        {0, "####.0", ".0"},
        {0.5, "####.0", ".5"},
        {3276.7, "####.0", "3276.7"},
        {12345.6, "####.0", "12345.6"},  // integer digits are never cut
        {3, "###.0", "3.0"},
        {0.4f, "###.0", ".4"},
        {5, "#.###", "5."},
        {10, "##.##", "10."},
        {12.5, "##.##", "12.5"},
        {0, "#####.#", "."},
        {100, "#####.# ", "100. "},
        {400, "###.# ", "400. "},
        {1, "  #.###", "  1."},
        {0.5, " #.####", " .5"},
        {1234, " #####", " 1234"},
        {1234567, " #####", " 1234567"},
        {123.45f, "  ###.#", "  123.5"},
    };
    ExpectFormats(std::begin(cases), std::end(cases));
}

TEST(Format, RoundsHalfAwayFromZeroOnTheDecimalValue) {
    const FormatCase cases[] = {
        {2.5f, "#", "3"},
        {3.5f, "#", "4"},
        {-2.5f, "#", "-3"},
        {0.125, "#.##", ".13"},
        {1234.5, "#####", "1235"},
        {500.25f, "####.# ", "500.3 "},
        {400.125f, "####.## ", "400.13 "},
        {1.0005f, "#.###", "1.001"},     // the single lies below 1.0005, its text does not
        {23.456f, "#.## ", "23.46 "},
        {12345.67f, "#####.# ", "12345.7 "},
        {12345.67f, "#####.#", "12345.7"},
        {1.000005f, "####.#####", "1.00001"},
        {86399.9375f, "######.###", "86399.94"},  // the single's text has two decimals
        {12.3456f, "######.###", "12.346"},
        {0.12345f, "#.####", ".1235"},
        {0.0012345f, "#.#####", ".00123"},
        {0.05, "####.0", ".1"},
        {2.675, "0.00", "2.68"},   // a double: on its 15 significant digits
        {9.96, "##.#", "10."},
    };
    ExpectFormats(std::begin(cases), std::end(cases));
}

TEST(Format, ZeroPlacesAlwaysShowADigit) {
    const FormatCase cases[] = {
        {1, "0.00", "1.00"},
        {0.005, "0.00", "0.01"},
        {-1.234, "0.00", "-1.23"},
        {0, "0.0", "0.0"},
        {0, "   0.0 ", "   0.0 "},
        {5.55f, "##000.0 ", "005.6 "},
        {123456.7, "##000.0 ", "123456.7 "},
        {42, "00000", "00042"},
        {123456, "00000", "123456"},
        {1.5, "#.0#", "1.5"},
        {1.25, "#.0#", "1.25"},
        {1, "#.0#", "1.0"},
    };
    ExpectFormats(std::begin(cases), std::end(cases));
}

TEST(Format, NegativeValuesCarryTheSignInFrontOfTheWholeText) {
    const FormatCase cases[] = {
        {-12.5, "  ##.##", "-  12.5"},
        {-0.5, "####.0", "-.5"},
        {-0.01, "#.#", "-."},  // rounds to zero and keeps its sign
        {-1, "abc", "-abc"},
    };
    ExpectFormats(std::begin(cases), std::end(cases));
}

TEST(Format, ExponentPicturesGiveOneLeadingDigitAndTwoExponentDigits) {
    const FormatCase cases[] = {
        {1234.5, "#.###E+00", "1.235E+03"},
        {100000, "#.###E+00", "1.E+05"},
        {-5, "#.###E+00", "-5.E+00"},
        {0.0005f, "#.###E+00", "5.E-04"},
        {9.9996, "#.###E+00", "1.E+01"},  // the carry moves the exponent
        {1e-300, "#.###E+00", "1.E-300"},
        {0, "#.###E+00", "0.E+00"},
        {0.04f, "#.##E+00", "4.E-02"},
        {0.8f, "#.##E+00", "8.E-01"},
        {12000, "#.##E+00", "1.2E+04"},
        {1.005f, "#.##E+00", "1.01E+00"},
        {1234, "#.##E-00", "1.23E03"},
        {0.01, "#.##E-00", "1.E-02"},
        {1234, "#.##E+00 ", "1.23E+03 "},
        {1234, "0.00e+0", "1.23e+3"},
    };
    ExpectFormats(std::begin(cases), std::end(cases));
}

TEST(Format, HostileValuesAndPicturesGiveDefinedTexts) {
    EXPECT_EQ(Format(std::numeric_limits<double>::quiet_NaN(), "####.0"), "NaN");
    EXPECT_EQ(Format(std::numeric_limits<double>::infinity(), "#.###E+00"), "Inf");
    EXPECT_EQ(Format(-std::numeric_limits<double>::infinity(), "#####"), "-Inf");
    EXPECT_EQ(Format(1e300, "#####"), "1" + std::string(300, '0'));
    EXPECT_EQ(Format(FLT_MAX, "#.#"), "34028235" + std::string(31, '0') + ".");
    EXPECT_EQ(Format(0, "#####"), "");
    EXPECT_EQ(Format(0.5, ""), ".5");
    EXPECT_EQ(Format(-3, ""), "-3");
    EXPECT_EQ(Format(7, "abc"), "abc");
    EXPECT_EQ(Format(1.25, "#.#.#"), "1.2.5");  // a second point is copied
    EXPECT_EQ(Format(5, "E+00"), "E+05");  // no digit place before it: "E+" is plain text
    EXPECT_EQ(Format(12.5, ".00"), "12.50");
    EXPECT_EQ(Format(1e-320, "#.##E+00"), "1.E-320");
    EXPECT_NO_THROW(Format(1e308, std::string(500, '#') + "." + std::string(500, '0')));
}

}  // namespace
}  // namespace tav
