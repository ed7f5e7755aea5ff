// The spectrum file's text: hand-made files in the stored form, headerless files, separators,
// bounds and cut-short headers.

#include <gtest/gtest.h>

#include <cmath>

#include "files/SpectrumFileParser.h"
#include "support/FileWorld.h"

namespace tav {
namespace {

using test::Fixture;

ParsedSpectrum Parse(const std::string& text, ParseStatus expected = ParseStatus::Ok) {
    ParsedSpectrum p;
    EXPECT_EQ(ParseSpectrumText(text, p), expected);
    return p;
}

const std::string Header =
    "\"File:       x.rdg\"\r\n\"Temp:       20 deg C\"\r\n\"Time:       01/01/2024  00:00:00  0\"\r\n"
    "\"Limits:     300 - 400\"\r\n\r\n\"Minimum:    300.0nm  -2.5\"\r\n\"Maximum:    350.0nm  99\"\r\n"
    "\"Integration: 12.5 ms\"\r\n\"Number Scans: 3\"\r\n\r\n";

TEST(SpectrumFileParser, StoredFileWithHeaderReadsHeaderNumbersAndRows) {
    const ParsedSpectrum p = Parse(Fixture("header_raw.rdg"));
    ASSERT_TRUE(p.hasHeader);
    EXPECT_FLOAT_EQ(p.XMin, 300.5f);
    EXPECT_FLOAT_EQ(p.XMax, 302.0f);
    EXPECT_FLOAT_EQ(p.DataMin, 0.0f);
    EXPECT_FLOAT_EQ(p.DataMax, 65535.0f);
    EXPECT_FLOAT_EQ(p.IntegTime, 30.0f);
    ASSERT_EQ(p.x.size(), 3u);
    EXPECT_EQ(p.x, (std::vector<float>{300.5f, 301.3f, 302.0f}));
    EXPECT_EQ(p.ch1, (std::vector<float>{1234.5f, 0.0f, 65535.0f}));
    EXPECT_EQ(p.ch2, (std::vector<float>{0.0f, 812.3f, 100.0f}));
}

TEST(SpectrumFileParser, StoredSeriesFormLosesNoDigit) {
    const ParsedSpectrum p = Parse(Fixture("series.rdg"));
    EXPECT_FLOAT_EQ(p.DataMin, 1.25f);
    EXPECT_FLOAT_EQ(p.DataMax, 3.14159f);
    EXPECT_EQ(p.x, (std::vector<float>{0.5f, 12.5f, 60.0f}));
    EXPECT_EQ(p.ch1, (std::vector<float>{1.25f, 3.14159f, 2.0f}));
    EXPECT_EQ(p.ch2, (std::vector<float>{0.0f, 0.0f, 0.0f}));
}

TEST(SpectrumFileParser, StoredMultiScanFileHasNoPoints) {
    // The first line after the header is the "Scan#:" line, whose x reads as 0.
    const ParsedSpectrum p = Parse(Fixture("multiscan.rdg"));
    EXPECT_TRUE(p.hasHeader);
    EXPECT_FLOAT_EQ(p.IntegTime, 50.0f);
    EXPECT_TRUE(p.x.empty());
}

TEST(SpectrumFileParser, HeaderlessFileSkipsLinesUpToTheFirstAt150) {
    // The text lines and the first line at 150 or more are consumed; the rows follow it.
    const ParsedSpectrum p = Parse(Fixture("headerless_tabs.rdg"));
    EXPECT_FALSE(p.hasHeader);
    EXPECT_EQ(p.x, (std::vector<float>{351.0f, 352.0f}));
    EXPECT_EQ(p.ch1, (std::vector<float>{110.0f, 120.0f}));
    EXPECT_EQ(p.ch2, (std::vector<float>{210.0f, 220.0f}));
}

struct RowCase {
    const char* name;
    std::string rows;
    std::vector<float> x, ch1, ch2;
};

// ctest names a case by this, not by a dump of its bytes.
void PrintTo(const RowCase& c, std::ostream* os) { *os << c.name; }

class SpectrumRows : public ::testing::TestWithParam<RowCase> {};

TEST_P(SpectrumRows, ReadAsStored) {
    const RowCase& c = GetParam();
    const ParsedSpectrum p = Parse(Header + c.rows);
    EXPECT_EQ(p.x, c.x);
    EXPECT_EQ(p.ch1, c.ch1);
    EXPECT_EQ(p.ch2, c.ch2);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SpectrumRows,
    ::testing::Values(
        RowCase{"RawForm", "300.5 \t12.5 \t7.\r\n", {300.5f}, {12.5f}, {7.0f}},
        RowCase{"SingleTabs", "300.5\t12.5\t7\r\n", {300.5f}, {12.5f}, {7.0f}},
        RowCase{"SingleBlanks", "300 12 7\r\n", {300.0f}, {12.0f}, {7.0f}},
        RowCase{"ZeroChannels", "300.5 \t0. \t0.\r\n", {300.5f}, {0.0f}, {0.0f}},
        RowCase{"LeadingBlanksAndTabs", "  \t 300.5 \t1 \t2\r\n", {300.5f}, {1.0f}, {2.0f}},
        RowCase{"NegativeValues", "300.5 \t-12.5 \t-7.\r\n", {300.5f}, {-12.5f}, {-7.0f}},
        RowCase{"XOnly", "300.5\r\n", {300.5f}, {0.0f}, {0.0f}},
        // The rest after field 2 is read as one number: blanks and TABs in it are deleted first.
        RowCase{"RestJoined", "300 \t1 \t2 \t3\r\n", {300.0f}, {1.0f}, {23.0f}},
        RowCase{"ZeroXEndsRows", "300 \t1 \t2\r\n0 \t5 \t5\r\n301 \t1 \t2\r\n", {300.0f}, {1.0f}, {2.0f}},
        RowCase{"EmptyLineEndsRows", "300 \t1 \t2\r\n\r\n301 \t1 \t2\r\n", {300.0f}, {1.0f}, {2.0f}},
        RowCase{"BlankLineEndsRows", "300 \t1 \t2\r\n   \r\n301 \t1 \t2\r\n", {300.0f}, {1.0f}, {2.0f}},
        RowCase{"OverflowEndsRows", "300 \t1 \t2\r\n301 \t1E+39 \t2\r\n", {300.0f}, {1.0f}, {2.0f}},
        RowCase{"LfOnlyLines", "300 \t1 \t2\n301 \t3 \t4\n", {300.0f, 301.0f}, {1.0f, 3.0f}, {2.0f, 4.0f}},
        RowCase{"LastLineWithoutEnd", "300 \t1 \t2\r\n301 \t3 \t4", {300.0f, 301.0f}, {1.0f, 3.0f}, {2.0f, 4.0f}},
        RowCase{"NoRows", "", {}, {}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SpectrumFileParser, HeaderWordsAreTakenPerLine) {
    const ParsedSpectrum p = Parse(Header);
    EXPECT_FLOAT_EQ(p.XMin, 300.0f);
    EXPECT_FLOAT_EQ(p.XMax, 400.0f);
    EXPECT_FLOAT_EQ(p.DataMin, -2.5f);
    EXPECT_FLOAT_EQ(p.DataMax, 99.0f);
    EXPECT_FLOAT_EQ(p.IntegTime, 12.5f);

    // A header line with missing words reads them as 0 and the rows still begin at line 11.
    std::string shortLines = Header;
    shortLines.replace(shortLines.find("\"Integration: 12.5 ms\""), 22, "\"Integration:\"");
    shortLines.replace(shortLines.find("\"Limits:     300 - 400\""), 23, "\"Limits:     300\"");
    const ParsedSpectrum q = Parse(shortLines + "300 \t1 \t2\r\n");
    EXPECT_FLOAT_EQ(q.IntegTime, 0.0f);
    EXPECT_FLOAT_EQ(q.XMin, 300.0f);
    EXPECT_FLOAT_EQ(q.XMax, 0.0f);
    EXPECT_EQ(q.x, (std::vector<float>{300.0f}));
}

// The temperature and the scans averaged are read where their lines hold a number; any other
// text (the "NaN" of a spectrum that had none, another program's words) leaves them unknown and
// the file reads on.
TEST(SpectrumFileParser, TemperatureAndScanCountAreReadWhereTheyAreNumbers) {
    const struct {
        const char* temperatureLine;
        const char* scansLine;
        float temperature;  // NaN: unknown
        int16_t scans;      // 0: unknown
    } cases[] = {
        {"\"Temp:       23.4 deg C\"", "\"Number Scans: 4\"", 23.4f, 4},
        {"Temp:-3.5", "Number Scans:2", -3.5f, 2},
        {"\"Temp:       NaN deg C\"", "\"Number Scans: NaN\"", NAN, 0},
        {"\"Temp:       deg C\"", "\"Number Scans:\"", NAN, 0},
        {"\"Temp:      25,5 deg C\"", "\"Number Scans: 2.5\"", 25.0f, 0},
        {"\"Temp:      warm\"", "\"Number Scans: 70000\"", NAN, 0},
        {"\"Temp:       1e999 deg C\"", "\"Number Scans: 0\"", NAN, 0},
        {"\"Temperature\"", "\"Number Scans: 3x\"", NAN, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.temperatureLine) + " / " + c.scansLine);
        std::string text = Header;
        text.replace(text.find("\"Temp:       20 deg C\""), 22, c.temperatureLine);
        text.replace(text.find("\"Number Scans: 3\""), 17, c.scansLine);
        const ParsedSpectrum p = Parse(text + "300 \t1 \t2\r\n");
        if (std::isnan(c.temperature)) EXPECT_TRUE(std::isnan(p.Temperature)) << p.Temperature;
        else EXPECT_FLOAT_EQ(p.Temperature, c.temperature);
        EXPECT_EQ(p.ScansAveraged, c.scans);
        EXPECT_FLOAT_EQ(p.IntegTime, 12.5f);
        EXPECT_EQ(p.x, (std::vector<float>{300.0f}));
    }
}

TEST(SpectrumFileParser, HeaderCutShortIsAnError) {
    const std::vector<std::string> lines = {
        "\"File:       x.rdg\"", "\"Temp:       20 deg C\"", "\"Time:  01/01/2024  00:00:00  0\"",
        "\"Limits:     300 - 400\"", "", "\"Minimum:    300.0nm  1\"", "\"Maximum:    300.0nm  2\"",
        "\"Integration: 1 ms\"", "\"Number Scans: 1\""};
    std::string text;
    for (const std::string& line : lines) {
        Parse(text, text.empty() ? ParseStatus::Ok : ParseStatus::TruncatedHeader);
        text += line + "\r\n";
    }
    Parse(text, ParseStatus::TruncatedHeader);  // nine lines
    Parse(text + "\r\n");                          // ten: complete, no rows
}

TEST(SpectrumFileParser, HeaderNumberBeyondSingleIsAnError) {
    std::string text = Header;
    text.replace(text.find("99\""), 3, "1E+39\"");
    Parse(text, ParseStatus::BadHeaderNumber);
}

TEST(SpectrumFileParser, HeaderlessSearchTakesItemsSplitAtCommas) {
    // "100,200" holds the items 100 and 200: 200 is consumed and the rows begin on the next line.
    EXPECT_EQ(Parse("note\r\n100,200\r\n300\t1\t2\r\n").x, (std::vector<float>{300.0f}));
    // An item ended by a comma leaves the rest of its line as the first row.
    EXPECT_EQ(Parse("200,350\t1\t2\r\n360\t3\t4\r\n").x, (std::vector<float>{350.0f, 360.0f}));
    // No line at 150 or more: no points.
    EXPECT_TRUE(Parse("a\r\n100\t1\t2\r\n").x.empty());
    EXPECT_TRUE(Parse("").x.empty());
}

TEST(SpectrumFileParser, AFileOfMoreRowsGivesEveryPointOfASlot) {
    std::string rows;
    for (int i = 1; i <= 2300; ++i) rows += std::to_string(i) + " \t1 \t2\r\n";
    const ParsedSpectrum p = Parse(Header + rows);
    ASSERT_EQ(p.x.size(), 2202u);
    EXPECT_FLOAT_EQ(p.x.back(), 2202.0f);
}

}  // namespace
}  // namespace tav
