// Averaging spectrum files: the mean of the per-file reflectances, the standard-deviation band,
// the slots and display state it leaves, and the files it cannot use.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "files/FileWindows.h"
#include "files/KineticLogs.h"
#include "indices/FileAveraging.h"
#include "platform/forms_test_app.h"

namespace tav {
namespace {

struct Row {
    float x, ch1, ch2;
};

// A spectrum file: the ten header lines, then one "x ch1 ch2" row per point.
std::string SpectrumText(const std::vector<Row>& rows) {
    std::string text =
        "\"File:       X.rdg\"\r\n\"Temp:       23.4 deg C\"\r\n\"Time:       03/07/2024  14:05:09  12.5\"\r\n"
        "\"Limits:     400 - 402\"\r\n\r\n\"Minimum:    400nm  0\"\r\n\"Maximum:    402nm  100\"\r\n"
        "\"Integration: 30 ms\"\r\n\"Number Scans: 4\"\r\n\r\n";
    for (const Row& r : rows) {
        text += std::to_string(r.x) + "\t" + std::to_string(r.ch1) + "\t" + std::to_string(r.ch2) + "\r\n";
    }
    return text;
}

class RedrawLog : public FileWindows {
public:
    std::vector<std::string> redraws;
    void StopAutoScanTimer() override {}
    void RedrawSpectrumWindow(int16_t slot, const std::string& xTitle) override {
        redraws.push_back(std::to_string(slot) + " " + xTitle);
    }
    int16_t ApplyWindowPosition(SettingsWindow, const std::string&) override { return 0; }
    std::string WindowPositionText(SettingsWindow, WindowRect&) override { return ""; }
    void ShowWindow(SettingsWindow) override {}
    void ShowAcquisitionSettings(const ProgramState&) override {}
    void ShowWelcome() override {}
};

struct FileAveraging : ::testing::Test {
    test::TestServices t;
    ProgramState& s = *t.state;
    KineticLogs logs;
    RedrawLog windows;
    FileContext ctx{s, t.fs, t.op, t.clock, logs, windows};

    // reflectances 0.4, 20 (channel 2 of 0 taken as 1), 0.5
    const std::vector<Row> a{{400, 40, 100}, {401, 20, 0}, {402, 30, 60}};
    // reflectances 0.6, 1, 0.9
    const std::vector<Row> b{{410, 60, 100}, {411, 10, 10}, {412, 90, 100}};

    std::string File(const std::string& name, const std::vector<Row>& rows) {
        EXPECT_TRUE(t.dir.Write(name, SpectrumText(rows)));
        return t.dir.File(name);
    }
    void Average(const std::vector<std::string>& paths, bool band) {
        s.AvgFileList = paths;
        s.FileAvgCount = static_cast<int16_t>(paths.size());
        s.CalcStdError = band;
        AverageSpectrumFiles(ctx);
    }
};

TEST(StdDeviation, IsTheSampleStandardDeviationFromTheSums) {
    struct Case {
        std::vector<double> values;
        float expected;
    };
    const Case cases[] = {
        {{2, 4, 4, 4, 5, 5, 7, 9}, static_cast<float>(std::sqrt(32.0 / 7.0))},
        {{0.4f, 0.6f}, static_cast<float>(std::sqrt(0.02))},
        {{0.7f}, 0.0f},          // one value has no spread
        {{3, 3, 3}, 0.0f},
        {{}, 0.0f},
    };
    for (const Case& c : cases) {
        double sum = 0, squares = 0;
        for (double v : c.values) {
            sum += v;
            squares += v * v;
        }
        EXPECT_NEAR(StdDeviation(sum, squares, static_cast<int>(c.values.size())), c.expected, 1e-6)
            << c.values.size() << " values";
    }
}

TEST_F(FileAveraging, OneFileGivesItsReflectanceInSlotZero) {
    s.SlotInfo[0].NumPoints = 7;
    s.ViewReflectance = true;
    Average({File("a.rdg", a)}, false);
    EXPECT_EQ(s.CurrentSlot, 0);
    EXPECT_EQ(s.SlotInfo[0].NumPoints, 3);
    EXPECT_FLOAT_EQ(s.Ch1Data[0][0], 0.4f);
    EXPECT_FLOAT_EQ(s.Ch1Data[0][1], 20.0f);  // channel 2 of 0 counts as 1
    EXPECT_FLOAT_EQ(s.Ch1Data[0][2], 0.5f);
    EXPECT_FLOAT_EQ(s.XData[0][2], 402.0f);
    EXPECT_FLOAT_EQ(s.Ch2Data[0][1], 1.0f);
    EXPECT_FLOAT_EQ(s.Ch2Data[3][0], 100.0f);
    EXPECT_FLOAT_EQ(s.SlotInfo[0].XMin, 400.0f);
    EXPECT_FLOAT_EQ(s.SlotInfo[0].XMax, 402.0f);
    EXPECT_EQ(s.OverlayCount, 1);
    EXPECT_EQ(s.FirstOverlaySlot, 0);
    EXPECT_EQ(s.FileAvgCount, 1);
    EXPECT_EQ(s.FileDialogMode, 7);
    EXPECT_TRUE(s.DataAvailable && s.ProcessedResult);
    EXPECT_FALSE(s.ViewReflectance || s.CommonScale);
    EXPECT_EQ(windows.redraws, std::vector<std::string>{"0 WaveLengths (nm)"});
}

TEST_F(FileAveraging, TwoFilesWithTheBandGiveMeanAndOneStandardDeviationEitherSide) {
    Average({File("a.rdg", a), File("b.rdg", b)}, true);
    const float sd0 = static_cast<float>(std::sqrt(0.02));
    EXPECT_EQ(s.CurrentSlot, 2);
    EXPECT_EQ(s.FirstOverlaySlot, 0);
    EXPECT_EQ(s.OverlayCount, 3);
    EXPECT_TRUE(s.CommonScale);
    EXPECT_FLOAT_EQ(s.Ch1Data[2][0], 0.5f);
    EXPECT_NEAR(s.Ch1Data[0][0], 0.5f + sd0, 1e-6);  // about 0.6414
    EXPECT_NEAR(s.Ch1Data[1][0], 0.5f - sd0, 1e-6);  // about 0.3586
    EXPECT_FLOAT_EQ(s.Ch1Data[2][1], 10.5f);
    EXPECT_FLOAT_EQ(s.Ch1Data[2][2], 0.7f);
    for (int16_t k : {0, 1, 2}) {
        EXPECT_EQ(s.SlotInfo[k].NumPoints, 3) << k;
        EXPECT_FLOAT_EQ(s.XData[k][0], 410.0f) << k;  // x of the last file read
        EXPECT_FLOAT_EQ(s.SlotInfo[k].XMax, 412.0f) << k;
    }
    for (int16_t k : {0, 1, 2, 3}) {
        EXPECT_FLOAT_EQ(s.Ch2Data[k][1], 1.0f) << k;  // the first file's channel 2
        EXPECT_FLOAT_EQ(s.Ch2Data[k][2], 60.0f) << k;
    }
    EXPECT_EQ(windows.redraws, std::vector<std::string>{"2 WaveLengths (nm)"});
}

TEST_F(FileAveraging, OneFileWithTheBandDrawsThreeCoincidingCurves) {
    Average({File("a.rdg", a)}, true);
    EXPECT_EQ(s.CurrentSlot, 2);
    EXPECT_EQ(s.OverlayCount, 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(s.Ch1Data[0][i], s.Ch1Data[2][i]);
        EXPECT_EQ(s.Ch1Data[1][i], s.Ch1Data[2][i]);
    }
}

TEST_F(FileAveraging, AFileThatGivesNothingIsLeftOutAndNotCountedAgain) {
    const std::string empty = File("empty.rdg", {});
    Average({File("a.rdg", a), t.dir.File("missing.rdg"), empty, File("b.rdg", b)}, false);
    EXPECT_EQ(t.op.MessageTexts(),
              (std::vector<std::string>{"File not found.", "The file\n" + empty + "\nholds no spectrum: no row follows its header."}));
    EXPECT_EQ(s.FileAvgCount, 2);  // the header names the files averaged
    EXPECT_FLOAT_EQ(s.Ch1Data[0][0], 0.5f);
    EXPECT_FLOAT_EQ(s.Ch1Data[0][2], 0.7f);
    EXPECT_EQ(s.SlotInfo[1].FileName, t.dir.File("b.rdg"));
}

TEST_F(FileAveraging, WhenNoFileCanBeReadNothingChanges) {
    s.SlotInfo[0].NumPoints = 2;
    s.Ch1Data[0][0] = 123.0f;
    s.SlotInfo[1].FileName = "earlier.rdg";
    s.CurrentSlot = 4;
    s.OverlayCount = 4;
    Average({t.dir.File("gone.rdg"), File("empty.rdg", {})}, true);
    EXPECT_EQ(t.op.Messages().size(), 2u);
    EXPECT_EQ(s.Ch1Data[0][0], 123.0f);
    EXPECT_EQ(s.SlotInfo[0].NumPoints, 2);
    EXPECT_EQ(s.CurrentSlot, 4);
    EXPECT_EQ(s.OverlayCount, 4);
    EXPECT_FALSE(s.ProcessedResult);
    EXPECT_NE(s.FileDialogMode, 7);
    EXPECT_TRUE(windows.redraws.empty());
}

TEST_F(FileAveraging, FilesOfDifferentLengthsAverageOverTheirCommonPoints) {
    const std::vector<Row> longer{{410, 60, 100}, {411, 10, 10}, {412, 90, 100}, {413, 5, 5}, {414, 8, 4}};
    const std::vector<Row> shorter{{400, 40, 100}, {401, 20, 0}};
    for (bool band : {false, true}) {
        Average({File("long.rdg", longer), File("short.rdg", shorter), File("a.rdg", a)}, band);
        const int16_t r = band ? 2 : 0;
        EXPECT_EQ(s.SlotInfo[r].NumPoints, 2) << band;
        EXPECT_FLOAT_EQ(s.Ch1Data[r][1], (1.0f + 20.0f + 20.0f) / 3.0f) << band;
        EXPECT_FLOAT_EQ(s.SlotInfo[r].XMax, 401.0f) << band;
        if (band) {
            EXPECT_EQ(s.SlotInfo[0].NumPoints, 2);
            EXPECT_EQ(s.SlotInfo[1].NumPoints, 2);
        }
    }
}

TEST_F(FileAveraging, ALongListAveragesEveryCopyAndTheCountIsBoundedByTheList) {
    const std::vector<std::string> many(1500, File("a.rdg", a));
    s.AvgFileList = many;
    s.FileAvgCount = 2000;  // more than listed: only the list is read
    s.CalcStdError = true;
    AverageSpectrumFiles(ctx);
    EXPECT_EQ(s.FileAvgCount, 1500);
    EXPECT_NEAR(s.Ch1Data[2][0], 0.4f, 1e-4);
    EXPECT_NEAR(s.Ch1Data[0][0] - s.Ch1Data[1][0], 0.0f, 1e-4);
}

TEST_F(FileAveraging, BeepsAndSavesTheMeanAsTheNextFileOfTheSeries) {
    s.BeepOn = true;
    s.AutoSaveOn = true;
    s.AutoSaveName = "AVG";
    s.DefaultPath = t.dir.Path();
    s.AutoSaveCounter = 3;
    s.AutoSaveSeriesOpen = true;  // a series under way: its files so far were written
    s.AutoSaveFileName = File("AVG00003.rdg", b);  // the last scan's file
    const std::string lastScan = t.dir.Read("AVG00003.rdg");
    Average({File("a.rdg", a)}, false);
    EXPECT_EQ(t.op.Beeps(), 1);
    EXPECT_EQ(t.dir.Read("AVG00003.rdg"), lastScan);
    ASSERT_TRUE(t.dir.Exists("AVG00004.rdg"));
    EXPECT_NE(t.dir.Read("AVG00004.rdg").find("400. \t.40000 \t100."), std::string::npos) << t.dir.Read("AVG00004.rdg");
}

}  // namespace
}  // namespace tav

namespace tav {
namespace {

// The mean keeps what all its files were measured with, and no value where they differ: a
// temperature of one file beside the mean of several would be no measurement of it.
TEST_F(FileAveraging, TheMeanKeepsOnlyTheConditionsItsFilesShare) {
    std::string warmer = SpectrumText(b);
    warmer.replace(warmer.find("23.4 deg C"), 4, "25.1");
    ASSERT_TRUE(t.dir.Write("warm.rdg", warmer));
    for (bool band : {false, true}) {
        SCOPED_TRACE(band);
        // Slot 0 held a spectrum measured otherwise before.
        s.SlotInfo[0].IntegTime = 99.0f, s.SlotInfo[0].Temperature = 40.0f, s.SlotInfo[0].ScansAveraged = 9;
        Average({File("a.rdg", a), t.dir.File("warm.rdg")}, band);
        for (int16_t slot : band ? std::vector<int16_t>{0, 1, 2} : std::vector<int16_t>{0}) {
            const SlotRecord& rec = s.SlotInfo[slot];
            EXPECT_FLOAT_EQ(rec.IntegTime, 30.0f) << slot;
            EXPECT_TRUE(std::isnan(rec.Temperature)) << slot << ": " << rec.Temperature;
            EXPECT_EQ(rec.ScansAveraged, 4) << slot;
        }
        Average({File("a.rdg", a), File("b.rdg", b)}, band);
        EXPECT_FLOAT_EQ(s.SlotInfo[0].Temperature, 23.4f);
    }
}

}  // namespace
}  // namespace tav
