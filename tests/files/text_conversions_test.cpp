#include <gtest/gtest.h>

#include <array>
#include <cfloat>
#include <string>

#include "files/TextConversions.h"

namespace tav {
namespace {

TEST(NumberToText, DropsTheSignBlank) {
    EXPECT_EQ(IntToText(0), "0");
    EXPECT_EQ(IntToText(5), "5");
    EXPECT_EQ(IntToText(-12), "-12");
    EXPECT_EQ(IntToText(-32768), "-32768");
    EXPECT_EQ(SngToText(0.25f), ".25");
    EXPECT_EQ(SngToText(0.0f), "0");
    EXPECT_EQ(SngToText(-1.5f), "-1.5");
    EXPECT_EQ(SngToText(1e20f), "1E+20");
    EXPECT_EQ(SngToText(0.1f), ".1");
    EXPECT_EQ(NumToText(12.5), "12.5");
    EXPECT_EQ(NumToText(300.0), "300");
    EXPECT_EQ(NumToText(1.0 / 81.0), "1.23456790123457E-02");
}

TEST(NextNumber, ReadsNumbersOneAfterAnother) {
    const std::string text = "Top 120 Left 300";
    int16_t position = 1;
    EXPECT_EQ(NextNumber(text, position), 120.0f);
    EXPECT_EQ(position, 8);  // the blank after 120
    EXPECT_EQ(NextNumber(text, position), 300.0f);
    EXPECT_EQ(position, 17);
    EXPECT_EQ(NextNumber(text, position), 0.0f);
    EXPECT_EQ(position, 17);
}

TEST(NextNumber, CollectedTextIsReadAsItsLeadingNumber) {
    const struct { const char* text; float value; int16_t end; } cases[] = {
        {"1.2.3", 1.2f, 6},
        {"12-5", 12.0f, 5},
        {"x-", 0.0f, 3},
        {"/", 0.0f, 2},
        {"a=-1.5;", -1.5f, 7},
        {"1e39", 1.0f, 2},  // "e" separates
        {"", 0.0f, 1},
    };
    for (const auto& c : cases) {
        int16_t position = 1;
        EXPECT_EQ(NextNumber(c.text, position), c.value) << c.text;
        EXPECT_EQ(position, c.end) << c.text;
    }
}

TEST(NextNumber, PositionIsBoundedToTheFirst79Characters) {
    const std::string pad(77, ' ');
    int16_t position = 1;
    EXPECT_EQ(NextNumber(pad + "12345", position), 12.0f);  // characters 78 and 79
    EXPECT_EQ(position, 80);

    position = 1;
    EXPECT_EQ(NextNumber(pad + "  5", position), 0.0f);  // starts at 80: never read
    EXPECT_EQ(position, 80);

    const struct { int16_t start; int16_t end; } starts[] = {{0, 3}, {-7, 3}, {32767, 32767}};
    for (const auto& s : starts) {
        position = s.start;
        const float v = NextNumber("42", position);
        EXPECT_EQ(position, s.end) << s.start;
        EXPECT_EQ(v, s.end == 3 ? 42.0f : 0.0f) << s.start;
    }

    position = 1;
    EXPECT_EQ(NextNumber(std::string(79, '9'), position), FLT_MAX);
}

TEST(ParseEightValues, MissingNumbersGiveZero) {
    std::array<float, 9> values;
    values.fill(7.0f);
    ParseEightValues(values, "-1 -1 0 -1");
    const std::array<float, 9> expected = {-1, -1, 0, -1, 0, 0, 0, 0, 7};
    EXPECT_EQ(values, expected);

    ParseEightValues(values, "1,2,3,4,5,6,7,8,9");
    const std::array<float, 9> full = {1, 2, 3, 4, 5, 6, 7, 8, 7};
    EXPECT_EQ(values, full);
}

TEST(SplitPath, SplitsAfterTheLastSeparator) {
    const struct { std::string path; const char* trimmed; const char* folder; const char* name; }
        cases[] = {
            {"C:\\DATA\\X1.rdg", "C:\\DATA\\X1.rdg", "C:\\DATA\\", "X1.rdg"},
            {"X1.rdg", "X1.rdg", "", "X1.rdg"},
            {"A:", "A:", "A:", ""},
            {"  /home/op/data/s.rdg  ", "/home/op/data/s.rdg", "/home/op/data/", "s.rdg"},
            {"C:\\a/b", "C:\\a/b", "C:\\a/", "b"},
            {"dir/", "dir/", "dir/", ""},
            {std::string("name\0\0", 6), "", "", "name"},
            {"", "", "", ""},
            {"   ", "", "", ""},
        };
    for (const auto& c : cases) {
        std::string path = c.path;
        std::string name = "old";
        std::string folder = "old";
        SplitPath(path, name, folder);
        if (c.path.find('\0') == std::string::npos) {
            EXPECT_EQ(path, c.trimmed) << c.path;
        }
        EXPECT_EQ(folder, c.folder) << c.path;
        EXPECT_EQ(name, c.name) << c.path;
    }
}

TEST(IsBadFileNameChar, AllowsUpperCaseDigitsAndFourSigns) {
    for (int code : {'$', '.', '_', '~', 'A', 'M', 'Z', '0', '9'}) {
        EXPECT_FALSE(IsBadFileNameChar(static_cast<int16_t>(code))) << code;
    }
    for (int code : {int{'a'}, int{'z'}, int{' '}, int{'/'}, int{'\\'}, int{':'}, int{'*'},
                     int{'?'}, int{'@'}, int{'['}, int{'`'}, int{'-'}, 0, -1, 127, 200, 32767}) {
        EXPECT_TRUE(IsBadFileNameChar(static_cast<int16_t>(code))) << code;
    }
}

}  // namespace
}  // namespace tav
