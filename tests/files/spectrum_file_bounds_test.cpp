// What the readers take from a file, whatever its size: a full slot of 2202 points round-trips
// whole, a spectrum file is read no further than its header and 2202 rows, a line longer than
// any the program writes ends the file there, and a settings file is read within its bounds.
// (Memory and time on a 200 MB file are measured in bench/bench_files_hostile.cpp.)

#include <gtest/gtest.h>

#include <string>

#include "doubles/SilentIndexOutput.h"
#include "files/AutoSaveNames.h"
#include "files/SettingsFile.h"
#include "files/SpectrumFileParser.h"
#include "files/SpectrumFileReader.h"
#include "files/SpectrumSave.h"
#include "indices/KineticIndices.h"
#include "support/FileWorld.h"

namespace tav {
namespace {

using test::FileWorld;

const std::string Header =
    "\"File:       x.rdg\"\r\n\"Temp:       20 deg C\"\r\n\"Time:       01/01/2024  00:00:00  0\"\r\n"
    "\"Limits:     300 - 400\"\r\n\r\n\"Minimum:    300.0nm  0\"\r\n\"Maximum:    350.0nm  99\"\r\n"
    "\"Integration: 12.5 ms\"\r\n\"Number Scans: 3\"\r\n\r\n";

std::string Rows(int from, int count) {
    std::string rows;
    for (int i = from; i < from + count; ++i) rows += std::to_string(i) + " \t" + std::to_string(i % 97) + " \t7.\r\n";
    return rows;
}

TEST(SpectrumFileBounds, AFullSlotRoundTripsWhole) {
    FileWorld w;
    ProgramState& s = *w.state;
    ASSERT_TRUE(w.dir.MakeDir("DATA"));
    for (int i = 0; i < PointCount; ++i) {
        s.XData[0][i] = 300.0f + 0.25f * static_cast<float>(i * 2);
        s.Ch1Data[0][i] = static_cast<float>(1000 + i);
        s.Ch2Data[0][i] = 2000.0f;
    }
    s.SlotInfo[0].NumPoints = PointCount;
    s.DefaultPath = w.P("DATA");
    s.AutoSaveName = "FUL";
    PrepareAutoSaveName(s);
    ASSERT_EQ(AutoSaveSpectrum(w.ctx), SpectrumSaveResult::Saved);

    s.SlotInfo[1].FileName = w.P("DATA/FUL00001.rdg");
    ASSERT_EQ(ReadSpectrumFile(w.ctx, 1), SpectrumReadResult::Ok);
    ASSERT_EQ(s.SlotInfo[1].NumPoints, PointCount);
    EXPECT_FLOAT_EQ(s.XData[1][PointCount - 1], s.XData[0][PointCount - 1]);
    EXPECT_FLOAT_EQ(s.Ch1Data[1][PointCount - 1], s.Ch1Data[0][PointCount - 1]);
    EXPECT_FLOAT_EQ(s.SlotInfo[1].XMax, s.XData[0][PointCount - 1]);

    // The band searches over a slot without room for their end marker stay in the store.
    s.CurrentSlot = 1;
    s.NumOfBands = 1;
    s.BandStart = {s.XData[1][PointCount - 3], 0.0f};
    s.BandEnd = {s.XData[1][PointCount - 1] + 5.0f, 0.0f};
    s.Menu.ActivateIntegral = s.Menu.ActivateAverage = true;
    s.IntegralBand = s.AverageBand = 1;
    test::SilentIndexOutput sink;
    ComputeKineticIndices(s, sink);
    EXPECT_TRUE(s.LastPassComputed.Average);
    EXPECT_NEAR(s.AverageValue, 1000.0f + PointCount - 2, 1.0f);
}

TEST(SpectrumFileBounds, NoMoreThanTheHeaderAndAFullSlotOfRowsIsRead) {
    // A file of far more rows gives every point of a slot and stops there.
    ParsedSpectrum p;
    ASSERT_EQ(ParseSpectrumText(Header + Rows(1, 100000), p), ParseStatus::Ok);
    ASSERT_EQ(p.x.size(), static_cast<size_t>(PointCount));
    EXPECT_FLOAT_EQ(p.x.back(), static_cast<float>(PointCount));

}

// The lines before the rows of a file without header leave the rows a full slot; the search for
// the rows is bounded in its turn.
TEST(SpectrumFileBounds, AHeaderlessFilesLeadingLinesLeaveItsRowsWhole) {
    auto notes = [](int count) {
        std::string text;
        for (int i = 0; i < count; ++i) text += "note " + std::to_string(i) + "\r\n";
        return text;
    };
    // Rows from x = 300 on, `points` of them.
    auto expectRows = [](const char* name, const std::string& text, size_t points) {
        ParsedSpectrum p;
        ASSERT_EQ(ParseSpectrumText(text, p), ParseStatus::Ok) << name;
        EXPECT_FALSE(p.hasHeader) << name;
        ASSERT_EQ(p.x.size(), points) << name;
        if (points == 0) return;
        EXPECT_FLOAT_EQ(p.x.front(), 300.0f) << name;
        EXPECT_FLOAT_EQ(p.x.back(), 300.0f + static_cast<float>(points - 1)) << name;
    };
    expectRows("a line before the rows", "200\r\n" + Rows(300, 5000), PointCount);
    expectRows("30 notes", notes(30) + "200\r\n" + Rows(300, 5000), PointCount);
    expectRows("as many notes as rows", notes(PointCount) + "200\r\n" + Rows(300, PointCount), PointCount);
    expectRows("notes up to the bound", notes(MaxLeadingLines - 1) + "200\r\n" + Rows(300, 10), 10);
    expectRows("notes beyond the bound", notes(MaxLeadingLines) + "200\r\n" + Rows(300, 10), 0);
}

TEST(SpectrumFileBounds, AnOverlongLineEndsTheFileThere) {
    const std::string longLine(5 * 1024 * 1024, '7');
    struct Case {
        const char* name;
        std::string text;
        ParseStatus status;
        size_t points;
    };
    const Case cases[] = {
        {"a row", Header + Rows(300, 3) + longLine + "\r\n" + Rows(400, 3), ParseStatus::Ok, 3},
        {"the first line, without end", longLine, ParseStatus::Ok, 0},
        {"inside the header", Header.substr(0, 60) + longLine + "\r\n" + Header, ParseStatus::TruncatedHeader, 0},
    };
    for (const Case& c : cases) {
        ParsedSpectrum p;
        EXPECT_EQ(ParseSpectrumText(c.text, p), c.status) << c.name;
        EXPECT_EQ(p.x.size(), c.points) << c.name;
    }

    // Read from disk into a slot: the rows before the long line.
    FileWorld w;
    ASSERT_TRUE(w.dir.Write("long.rdg", cases[0].text));
    w.state->SlotInfo[2].FileName = w.P("long.rdg");
    ASSERT_EQ(ReadSpectrumFile(w.ctx, 2), SpectrumReadResult::Ok);
    EXPECT_EQ(w.state->SlotInfo[2].NumPoints, 3);
    EXPECT_TRUE(w.op.Messages().empty());
}

TEST(SpectrumFileBounds, ASettingsFileIsReadWithinItsBounds) {
    struct Case {
        const char* name;
        std::string tail;
        const char* reason;
    };
    const Case cases[] = {
        {"a line longer than 64 KiB", "Beep On=" + std::string(70 * 1024, '1') + "\r\nAuto Scan Delay=9\r\n",
         "a line is longer than 64 KiB"},
        {"more than 1 MiB", std::string(1100 * 1024, '\n') + "Auto Scan Delay=9\r\n", "it is larger than 1 MiB"},
    };
    for (const Case& c : cases) {
        FileWorld w;
        ASSERT_TRUE(w.dir.Write("Prismel.INI", "[Acquisition]\r\nNumber to Average=7\r\n" + c.tail));
        w.state->StartDir = w.dir.Path();
        ReadSettingsFile(w.ctx);
        EXPECT_EQ(w.state->NumToAverage, 7) << c.name;           // the lines before it are taken
        EXPECT_EQ(w.state->AutoScanDelay, 0.0f) << c.name;       // reading stopped there
        ASSERT_FALSE(w.op.Messages().empty()) << c.name;
        EXPECT_EQ(w.op.Messages()[0].text,
                  "The file\n" + w.P("Prismel.INI") + "\ncould not be read: " + c.reason +
                      ".\nIt is not overwritten: before the settings are written, it is kept under another name.")
            << c.name;
    }
}

}  // namespace
}  // namespace tav
