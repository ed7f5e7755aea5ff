// The text of a spectrum file as the savers write it, byte for byte.

#include <algorithm>
#include <cmath>
#include <memory>

#include <gtest/gtest.h>

#include "files/SpectrumFileParser.h"
#include "files/SpectrumFileWriter.h"

namespace tav {
namespace {

const CivilTime When{2024, 3, 7, 14, 5, 9, 0};

std::unique_ptr<ProgramState> ThreePointSlot(int16_t slot) {
    auto s = std::make_unique<ProgramState>();
    SlotRecord& r = s->SlotInfo[slot];
    r.FileName = "C:\\DATA\\XYZ00001.rdg";
    r.NumPoints = 3;
    r.XMin = 300.5f;
    r.XMax = 302.0f;
    r.IntegTime = 30.0f;
    const float x[] = {300.5f, 301.25f, 302.0f}, c1[] = {1234.5f, 0.0f, 65535.0f}, c2[] = {0.0f, 812.25f, 99.96f};
    for (int i = 0; i < 3; ++i) {
        s->XData[slot][i] = x[i];
        s->Ch1Data[slot][i] = c1[i];
        s->Ch2Data[slot][i] = c2[i];
    }
    r.Temperature = 23.456f;
    r.ScansAveraged = 4;
    // The latest pair's temperature and the box's count belong to no spectrum of a slot.
    s->Temperature = 31.0f;
    s->ElapsedTime = 12.5f;
    s->NumToAverage = 9;
    return s;
}

const std::string Name80 = "C:\\DATA\\XYZ00001.rdg" + std::string(60, ' ');

TEST(SpectrumFileWriter, HeaderAndRawRowsAsStored) {
    auto s = ThreePointSlot(0);
    const std::string expected =
        "\"File:       " + Name80 + "\"\r\n"
        "\"Temp:       23.4 deg C\"\r\n"
        "\"Time:       03/07/2024  14:05:09  12.5\"\r\n"
        "\"Limits:     300.5 - 302\"\r\n"
        "\r\n"
        "\"Minimum:    301.3nm  0\"\r\n"
        "\"Maximum:    302.0nm  65535\"\r\n"
        "\"Integration: 30 ms\"\r\n"
        "\"Number Scans: 4\"\r\n"
        "\r\n"
        "300.5 \t1234.5 \t0.\r\n"
        // Values below 1000 that are not whole keep five digits.
        "301.3 \t0. \t812.25\r\n"
        "302. \t65535. \t99.960\r\n";
    EXPECT_EQ(SpectrumFileText(*s, 0, SpectrumRowForm::Raw, When), expected);
}

// A spectrum that does not tell its temperature or the scans it averaged (a file without them,
// a mean of files that differ) is filed without them, as an index without a value, and a
// reader takes them back as unknown.
TEST(SpectrumFileWriter, ConditionsTheSpectrumDoesNotTellAreWrittenAsNoValue) {
    auto s = ThreePointSlot(0);
    s->SlotInfo[0].Temperature = NoTemperature;
    s->SlotInfo[0].ScansAveraged = NoScanCount;
    const std::string text = SpectrumFileText(*s, 0, SpectrumRowForm::Raw, When);
    EXPECT_NE(text.find("\r\n\"Temp:       NaN deg C\"\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\n\"Number Scans: NaN\"\r\n"), std::string::npos) << text;
    ParsedSpectrum p;
    ASSERT_EQ(ParseSpectrumText(text, p), ParseStatus::Ok);
    EXPECT_TRUE(std::isnan(p.Temperature));
    EXPECT_EQ(p.ScansAveraged, NoScanCount);
    EXPECT_FLOAT_EQ(p.IntegTime, 30.0f);
    EXPECT_EQ(p.x.size(), 3u);
}

TEST(SpectrumFileWriter, AutomaticScaleTakesTheChartRangeAtPointZero) {
    auto s = ThreePointSlot(0);
    s->AutoScaleOn[0] = -1;
    s->SlotInfo[0].DataMin = -5.5f;
    s->SlotInfo[0].DataMax = 70000.0f;
    std::string header;
    WriteSpectrumInfo(*s, 0, When, header);
    EXPECT_NE(header.find("\"Minimum:    300.5nm -5.5\"\r\n"), std::string::npos) << header;
    EXPECT_NE(header.find("\"Maximum:    300.5nm  70000\"\r\n"), std::string::npos) << header;
}

TEST(SpectrumFileWriter, KineticSlotUsesItsOwnWindowScale) {
    // Slot 11 is chart window 1: its AutoScaleOn element decides, not the spectrum window's.
    auto s = ThreePointSlot(slot::Ratio);
    s->AutoScaleOn[0] = -1;
    s->AutoScaleOn[1] = 0;
    std::string header;
    WriteSpectrumInfo(*s, slot::Ratio, When, header);
    EXPECT_NE(header.find("\"Maximum:    302.0nm  65535\""), std::string::npos) << header;
}

TEST(SpectrumFileWriter, WavenumbersAndLongNames) {
    auto s = ThreePointSlot(0);
    s->XData[0][1] = 6000.0f;
    s->SlotInfo[0].FileName = std::string(100, 'n');
    std::string header;
    WriteSpectrumInfo(*s, 0, When, header);
    EXPECT_EQ(header.substr(0, 94), "\"File:       " + std::string(80, 'n') + "\"");
    EXPECT_NE(header.find("\"Minimum:    6000.0-cm  0\""), std::string::npos) << header;
}

TEST(SpectrumFileWriter, SeriesRows) {
    auto s = ThreePointSlot(slot::Ratio);
    s->XData[slot::Ratio][0] = 0.5f;
    s->Ch1Data[slot::Ratio][0] = 1.25f;
    s->Ch1Data[slot::Ratio][1] = 3.14159f;
    std::string rows;
    WriteSpectrumRows(*s, slot::Ratio, SpectrumRowForm::Series, rows);
    EXPECT_EQ(rows, ".5 1.25\r\n301.25 3.14159\r\n302. 65535.\r\n");
}

TEST(SpectrumFileWriter, MultiScanBlockAndRows) {
    // The read-out of two stored scans in the raw store; the slot shows three bins of it, and
    // Scan# has been changed since.
    auto s = ThreePointSlot(0);
    s->SlotInfo[0].Binned = true;
    s->MemoryMode = memmode::Read;
    s->ScanNumber = 5;
    s->RawCountsScans = 2;
    for (int i = 0; i < 257; ++i) s->WaveLength[i] = 300.5f + 0.75f * i;
    for (int c = 1; c <= 4; ++c) {
        s->RawCounts[c][0] = 1000 * c;
        s->RawCounts[c][1] = c == 4 ? 0 : 1000 * c + 1;
    }
    // Each scan's temperature word at point 248 of its second pass (columns 1 and 3), in steps
    // of 0.00975 deg C; the words past the last point are no temperature.
    s->RawCounts[1][248] = 2400;
    s->RawCounts[3][248] = 2554;
    s->RawCounts[1][2] = 751;
    s->RawCounts[2][248] = 3000;
    std::string text;
    WriteMultiScanBlock(*s, 0, text);
    WriteSpectrumRows(*s, 0, SpectrumRowForm::MultiScan, text);
    EXPECT_EQ(text.substr(0, text.find("301.3 ")),
              "Scan#:\t 1 \tRef-\t 2 \tRef-\r\n"
              "Temp.:\t23.4 \tspec\t24.9\tspec\r\n"
              "\r\n"
              "300.5 \t1000. \t2000. \t3000. \t4000.\r\n");
    // One row per pixel at its wavelength, the status words included, whatever the slot holds.
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3 + 256);
    EXPECT_NE(text.find("\r\n301.3 \t1001. \t2001. \t3001. \t0.\r\n302. \t751. \t0. "), std::string::npos);
    EXPECT_NE(text.find("\r\n486.5 \t2400. \t3000. \t2554. \t0.\r\n"), std::string::npos) << "pixel 248";
    EXPECT_TRUE(text.ends_with("\r\n491.8 \t0. \t0. \t0. \t0.\r\n")) << "pixel 255";
}

TEST(SpectrumFileWriter, WhatCanBeWritten) {
    auto s = ThreePointSlot(0);
    EXPECT_TRUE(CanWriteSpectrum(*s, 0, SpectrumRowForm::Raw));
    EXPECT_FALSE(CanWriteSpectrum(*s, 20, SpectrumRowForm::Raw));
    EXPECT_FALSE(CanWriteSpectrum(*s, -1, SpectrumRowForm::Raw));
    s->SlotInfo[0].NumPoints = PointCount + 1;
    EXPECT_FALSE(CanWriteSpectrum(*s, 0, SpectrumRowForm::Raw));
    s->SlotInfo[0].NumPoints = 10;
    for (int16_t scans : {0, 1, 2, 50, 51}) {
        s->RawCountsScans = scans;
        EXPECT_EQ(CanWriteSpectrum(*s, 0, SpectrumRowForm::MultiScan), scans >= 2 && scans <= 50) << scans;
    }
}

TEST(SpectrumFileWriter, EmptySlotWritesOnlyTheHeader) {
    auto s = std::make_unique<ProgramState>();
    const std::string text = SpectrumFileText(*s, 0, SpectrumRowForm::Raw, When);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 10);
    ParsedSpectrum p;
    ASSERT_EQ(ParseSpectrumText(text, p), ParseStatus::Ok);
    EXPECT_TRUE(p.hasHeader);
    EXPECT_TRUE(p.x.empty());
}

}  // namespace
}  // namespace tav

namespace tav {
namespace {

TEST(SpectrumFileWriter, RowsWithoutHeaderReadBackButTheFirst) {
    // A file of rows only is read as a file without header: its first row at 150 nm or more is
    // where the rows begin, so that row itself is not stored.
    auto s = ThreePointSlot(0);
    std::string rows;
    WriteSpectrumRows(*s, 0, SpectrumRowForm::Raw, rows);
    ParsedSpectrum p;
    ASSERT_EQ(ParseSpectrumText(rows, p), ParseStatus::Ok);
    EXPECT_FALSE(p.hasHeader);
    EXPECT_EQ(p.x, (std::vector<float>{301.3f, 302.0f}));
    EXPECT_EQ(p.ch1, (std::vector<float>{0.0f, 65535.0f}));
}

}  // namespace
}  // namespace tav
