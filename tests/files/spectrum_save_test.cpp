// Saving spectra: the AutoSave series (naming, the overwrite question, the multi-scan form),
// Save As, replacing files without ever leaving a partial one, and round trips through the reader.

#include <gtest/gtest.h>

#include "files/AutoSaveNames.h"
#include "files/SpectrumFileReader.h"
#include "files/SpectrumSave.h"
#include "support/FileWorld.h"

namespace tav {
namespace {

using test::FileWorld;

const char* OverwriteQuestion =
    "AutoSave is ON, and files\nwith the same series name exist.\nDo you want to overwrite?";
const char* PathWarning = "Warning:\nPath for AutoSave does not exist\nSet Default Directory";

void FillSlot(ProgramState& s, int16_t slot, int points) {
    s.SlotInfo[slot].NumPoints = static_cast<int16_t>(points);
    for (int i = 0; i < points; ++i) {
        s.XData[slot][i] = 300.0f + 3.5f * i;
        s.Ch1Data[slot][i] = i % 7 == 0 ? 0.0f : 100.0f * i + 0.25f;
        s.Ch2Data[slot][i] = i % 5 == 0 ? 0.0f : 50.5f * i;
    }
    s.SlotInfo[slot].XMin = s.XData[slot][0];
    s.SlotInfo[slot].XMax = s.XData[slot][points - 1];
    s.SlotInfo[slot].IntegTime = 25.5f;
}

class SpectrumSave : public ::testing::Test {
protected:
    void SetUp() override {
        ProgramState& s = *w.state;
        s.DefaultPath = w.P("DATA") + "\\";
        s.AutoSaveName = "XYZ";
        w.dir.MakeDir("DATA");
        FillSlot(s, 0, 20);
    }
    // The next name of the series, as the scan flow forms it before each scan.
    SpectrumSaveResult NextAutoSave() {
        PrepareAutoSaveName(*w.state);
        return AutoSaveSpectrum(w.ctx);
    }
    FileWorld w;
};

TEST_F(SpectrumSave, SeriesNames) {
    ProgramState& s = *w.state;
    s.AutoSaveCounter = 40;
    s.AutoSaveName = "S";
    s.DefaultPath = "C:\\DATA\\";
    PrepareAutoSaveName(s);
    EXPECT_EQ(s.AutoSaveCounter, 41);
    EXPECT_EQ(s.DefaultPath, "C:\\DATA");
    EXPECT_EQ(s.AutoSaveFileName, "C:\\DATA/S00041.rdg");
    EXPECT_EQ(s.CurrentFileName, "File: S00041.rdg");
    s.AutoSaveCounter = 123456;
    PrepareAutoSaveName(s);
    EXPECT_EQ(s.CurrentFileName, "File: S123457.rdg");
}

TEST_F(SpectrumSave, SeriesFileNamesMatchIgnoringCase) {
    EXPECT_TRUE(IsSeriesFileName("XYZ00001.rdg", "XYZ"));
    EXPECT_TRUE(IsSeriesFileName("xyz12345.RDG", "XYZ"));
    EXPECT_TRUE(IsSeriesFileName("LONGNAME00007.rdg", "LONGNAME"));
    EXPECT_FALSE(IsSeriesFileName("XYZ0001.rdg", "XYZ"));
    EXPECT_FALSE(IsSeriesFileName("XYZ0000a.rdg", "XYZ"));
    EXPECT_FALSE(IsSeriesFileName("XYZ00001.txt", "XYZ"));
    EXPECT_FALSE(IsSeriesFileName("XY00001.rdg", "XYZ"));
}

TEST_F(SpectrumSave, AutoSaveWritesTheSeriesAndReadsBack) {
    ASSERT_EQ(NextAutoSave(), SpectrumSaveResult::Saved);
    ASSERT_EQ(NextAutoSave(), SpectrumSaveResult::Saved);
    EXPECT_TRUE(w.dir.Exists("DATA/XYZ00001.rdg"));
    EXPECT_TRUE(w.dir.Exists("DATA/XYZ00002.rdg"));
    EXPECT_TRUE(w.op.Messages().empty());
    EXPECT_EQ(w.state->SlotInfo[0].FileName, w.P("DATA/XYZ00002.rdg"));
    EXPECT_EQ(w.state->SpectrumFileName, w.P("DATA/XYZ00002.rdg"));

    // Round trip: every point of the raw form comes back to the written precision.
    ProgramState& s = *w.state;
    s.SlotInfo[4].FileName = w.P("DATA/XYZ00002.rdg");
    ASSERT_EQ(ReadSpectrumFile(w.ctx, 4), SpectrumReadResult::Ok);
    ASSERT_EQ(s.SlotInfo[4].NumPoints, 20);
    for (int i = 0; i < 20; ++i) {
        EXPECT_NEAR(s.XData[4][i], s.XData[0][i], 0.051f) << i;
        EXPECT_NEAR(s.Ch1Data[4][i], s.Ch1Data[0][i], 0.051f) << i;
        EXPECT_NEAR(s.Ch2Data[4][i], s.Ch2Data[0][i], 0.051f) << i;
    }
    EXPECT_FLOAT_EQ(s.SlotInfo[4].IntegTime, 25.5f);
}

TEST_F(SpectrumSave, OverwriteQuestionWheneverASeriesFileExists) {
    struct Case {
        const char* existing;
        bool asks;
    };
    const Case cases[] = {{"XYZ00017.rdg", true}, {"xyz00001.RDG", true}, {"XYZ-notes.txt", false},
                          {"XYZ0001.rdg", false}, {"ABC00001.rdg", false}};
    for (const Case& c : cases) {
        FileWorld v;
        v.state->DefaultPath = v.P("DATA");
        v.state->AutoSaveName = "XYZ";
        v.dir.Write(std::string("DATA/") + c.existing, "old");
        FillSlot(*v.state, 0, 3);
        PrepareAutoSaveName(*v.state);
        AutoSaveSpectrum(v.ctx);
        EXPECT_EQ(!v.op.Messages().empty() && v.op.Messages()[0].text == OverwriteQuestion, c.asks) << c.existing;
    }
}

TEST_F(SpectrumSave, OverwriteQuestionOnlyForTheFirstFileOfASeries) {
    w.dir.Write("DATA/XYZ00001.rdg", "old");
    w.op.AnswerMessage(MsgResult::Yes);
    ASSERT_EQ(NextAutoSave(), SpectrumSaveResult::Saved);
    ASSERT_EQ(w.op.Messages().size(), 1u);
    EXPECT_EQ(w.op.Messages()[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(w.op.Messages()[0].icon, MsgIcon::Exclamation);
    EXPECT_NE(w.dir.Read("DATA/XYZ00001.rdg"), "old");
    ASSERT_EQ(NextAutoSave(), SpectrumSaveResult::Saved);
    EXPECT_EQ(w.op.Messages().size(), 1u);
}

TEST_F(SpectrumSave, AnswerNoStopsTheTimerAndWritesNothing) {
    w.dir.Write("DATA/XYZ00001.rdg", "old");
    w.state->Menu.ActivateExperimental = true;
    w.logs.OpenAll(w.fs, w.dir.Path());
    w.op.AnswerMessage(MsgResult::No);
    EXPECT_EQ(NextAutoSave(), SpectrumSaveResult::Cancelled);
    EXPECT_EQ(w.windows.calls, (std::vector<std::string>{"stop"}));
    EXPECT_EQ(w.dir.Read("DATA/XYZ00001.rdg"), "old");
    EXPECT_EQ(w.dir.Read("~Exper.Tmp"), "");
}

TEST_F(SpectrumSave, MissingDataFolderWarnsAndKeepsTheSpectrum) {
    w.state->DefaultPath = w.P("NODATA");
    w.state->SlotInfo[0].FileName = "before";
    EXPECT_EQ(NextAutoSave(), SpectrumSaveResult::Failed);
    ASSERT_EQ(w.op.Messages().size(), 1u);
    EXPECT_EQ(w.op.Messages()[0].text, PathWarning);
    EXPECT_EQ(w.op.Messages()[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(w.state->SlotInfo[0].FileName, "before");
    EXPECT_EQ(w.state->SlotInfo[0].NumPoints, 20);
}

TEST_F(SpectrumSave, InterruptedWriteLeavesTheOldFile) {
    w.dir.Write("DATA/XYZ00002.rdg", "previous contents");
    w.state->AutoSaveCounter = 1;
    w.fs.FailPath(FsOp::Write, w.P("DATA/XYZ00002.rdg"), FsError::WriteError);
    w.op.AnswerMessage(MsgResult::Yes);  // the operator lets the series replace its file
    EXPECT_EQ(NextAutoSave(), SpectrumSaveResult::Failed);
    EXPECT_EQ(w.op.UnusedAnswers(), 0u);
    ASSERT_FALSE(w.fs.WriteAttempts().empty());
    EXPECT_FALSE(w.fs.WriteAttempts().back().succeeded);
    EXPECT_EQ(w.fs.WriteAttempts().back().path, w.P("DATA/XYZ00002.rdg"));
    EXPECT_EQ(w.dir.Read("DATA/XYZ00002.rdg"), "previous contents");
    EXPECT_EQ(w.op.Messages().back().text,
              "The file\n" + w.P("DATA/XYZ00002.rdg") + "\ncould not be written: an input/output error.");
}

TEST_F(SpectrumSave, MultiScanFormRoundTrip) {
    ProgramState& s = *w.state;
    s.MemoryMode = memmode::Read;
    s.ScanNumber = 3;
    s.RawCountsScans = 3;  // the read-out in the raw store
    FillSlot(s, 0, 4);
    for (int i = 0; i < 256; ++i) s.WaveLength[i] = 300.0f + 3.5f * i;
    for (int c = 1; c <= 6; ++c) {
        for (int i = 0; i <= 4; ++i) s.RawCounts[c][i] = c * 100 + i;
    }
    // Temperature words of the three scans; scan 3's reads below 5 deg C and stands as 7.
    s.RawCounts[1][248] = 2400;
    s.RawCounts[3][248] = 2554;
    s.RawCounts[5][248] = 100;
    ASSERT_EQ(NextAutoSave(), SpectrumSaveResult::Saved);
    const std::string text = w.dir.Read("DATA/XYZ00001.rdg");
    EXPECT_NE(text.find("\r\n\r\nScan#:\t 1 \tRef-\t 2 \tRef-\t 3 \tRef-\r\nTemp.:\t23.4 \tspec\t24.9 \tspec\t7.\tspec\r\n\r\n"
                        "300. \t100. \t200. \t300. \t400. \t500. \t600.\r\n"),
              std::string::npos)
        << text;
    // The stored multi-scan form holds no one spectrum to read back.
    s.SlotInfo[5].FileName = w.P("DATA/XYZ00001.rdg");
    ASSERT_EQ(ReadSpectrumFile(w.ctx, 5), SpectrumReadResult::NoSpectrum);
    EXPECT_EQ(s.SlotInfo[5].NumPoints, 0);
}

TEST_F(SpectrumSave, MoreThan50ScansIsRefusedBeforeAnythingIsWritten) {
    ProgramState& s = *w.state;
    s.MemoryMode = memmode::Read;
    s.ScanNumber = 51;
    s.RawCountsScans = 51;
    s.Menu.ActivateExperimental = true;
    s.LastPassComputed.Experimental = true;
    s.LastPassComputed.Slot = 0;  // the pass took slot 0, the slot saved
    w.logs.OpenAll(w.fs, w.dir.Path());
    EXPECT_EQ(NextAutoSave(), SpectrumSaveResult::Failed);
    EXPECT_EQ(w.op.Messages().back().text, "The file\n" + w.P("DATA/XYZ00001.rdg") +
                                               "\ncould not be written: more than 50 scans do not fit in one file.");
    EXPECT_FALSE(w.dir.Exists("DATA/XYZ00001.rdg"));
    EXPECT_EQ(w.dir.Read("~Exper.Tmp"), "");
}

TEST_F(SpectrumSave, LogThatCannotBeWrittenDoesNotStopTheSaveAndIsToldOnceWithItsReason) {
    w.state->Menu.ActivateExperimental = true;
    w.state->LastPassComputed.Experimental = true;
    w.state->LastPassComputed.Slot = 0;  // the pass took slot 0, the slot saved
    w.fs.FailPath(FsOp::AppendLine, w.P("~Exper.Tmp"), FsError::NoSpace);
    w.logs.OpenAll(w.fs, w.dir.Path());
    EXPECT_EQ(NextAutoSave(), SpectrumSaveResult::Saved);
    EXPECT_EQ(NextAutoSave(), SpectrumSaveResult::Saved);
    EXPECT_TRUE(w.dir.Exists("DATA/XYZ00002.rdg"));
    ASSERT_EQ(w.op.Messages().size(), 1u);
    EXPECT_EQ(w.op.Messages()[0].text, "The kinetic log could not be written:\n" + w.P("~Exper.Tmp") +
                                           ": the disk is full.");
}

TEST_F(SpectrumSave, SaveAsAsksInTheDataFolderAndWritesTheChosenFile) {
    w.op.AnswerSave(w.P("DATA/mine.rdg"));
    EXPECT_EQ(SaveSpectrumAs(w.ctx, 0), SpectrumSaveResult::Saved);
    ASSERT_EQ(w.op.SaveRequests().size(), 1u);
    const FileDialogRequest& r = w.op.SaveRequests()[0];
    EXPECT_EQ(r.initialDir, w.P("DATA"));
    EXPECT_EQ(r.filter, "Quorveld Files (*.rdg)|*.rdg");
    EXPECT_EQ(r.defaultExt, "rdg");
    EXPECT_EQ(r.fileName, "");
    EXPECT_TRUE(r.overwritePrompt);
    EXPECT_TRUE(r.hideReadOnly);
    EXPECT_EQ(w.state->SlotInfo[0].FileName, w.P("DATA/mine.rdg"));
    EXPECT_EQ(w.windows.calls, (std::vector<std::string>{"redraw 0 Wavelength (nm)"}));
    const std::string line1 = "\"File:       " + w.P("DATA/mine.rdg");
    EXPECT_EQ(w.dir.Read("DATA/mine.rdg").substr(0, line1.size()), line1);
}

TEST_F(SpectrumSave, SaveAsCancelWritesNothing) {
    w.state->Menu.ActivateExperimental = true;
    w.logs.OpenAll(w.fs, w.dir.Path());
    EXPECT_EQ(SaveSpectrumAs(w.ctx, 0), SpectrumSaveResult::Cancelled);
    EXPECT_EQ(w.fs.Calls(FsOp::Write), 0);
    EXPECT_TRUE(w.windows.calls.empty());
    EXPECT_EQ(w.dir.Read("~Exper.Tmp"), "");
}

TEST_F(SpectrumSave, SaveAsSeriesFormForKineticSlotsRoundTrips) {
    ProgramState& s = *w.state;
    const int16_t k = slot::Integral;
    s.SlotInfo[k].NumPoints = 3;
    const float x[] = {2.0f, 4.0f, 6.25f}, y[] = {1.23456f, 12.5f, 0.0f};
    for (int i = 0; i < 3; ++i) {
        s.XData[k][i] = x[i];
        s.Ch1Data[k][i] = y[i];
    }
    w.op.AnswerSave(w.P("DATA/k.rdg"));
    ASSERT_EQ(SaveSpectrumAs(w.ctx, k), SpectrumSaveResult::Saved);
    const std::string text = w.dir.Read("DATA/k.rdg");
    // Series rows: x and channel 1 without a TAB; 0 in the all-"#" picture is a lone point.
    const std::string rows = "\r\n\r\n2. 1.23456\r\n4. 12.5\r\n6.25 .\r\n";
    EXPECT_EQ(text.substr(text.size() - rows.size()), rows) << text;
    s.SlotInfo[1].FileName = w.P("DATA/k.rdg");
    ASSERT_EQ(ReadSpectrumFile(w.ctx, 1), SpectrumReadResult::Ok);
    ASSERT_EQ(s.SlotInfo[1].NumPoints, 3);
    EXPECT_FLOAT_EQ(s.Ch1Data[1][0], 1.23456f);
    EXPECT_FLOAT_EQ(s.Ch1Data[1][1], 12.5f);
    EXPECT_FLOAT_EQ(s.XData[1][2], 6.25f);
}

TEST_F(SpectrumSave, SaveAsFailureTellsTheOperatorAndKeepsTheOldFile) {
    w.dir.Write("DATA/mine.rdg", "old");
    w.fs.FailPath(FsOp::Write, w.P("DATA/mine.rdg"), FsError::WriteError);
    w.state->SlotInfo[0].FileName = "earlier.rdg";
    w.op.AnswerSave(w.P("DATA/mine.rdg"));
    EXPECT_EQ(SaveSpectrumAs(w.ctx, 0), SpectrumSaveResult::Failed);
    EXPECT_EQ(w.dir.Read("DATA/mine.rdg"), "old");
    ASSERT_EQ(w.op.Messages().size(), 1u);
    EXPECT_EQ(w.op.Messages()[0].text, "The file\n" + w.P("DATA/mine.rdg") + "\ncould not be written: an input/output error.");
    EXPECT_EQ(w.state->SlotInfo[0].FileName, "earlier.rdg");
}

TEST_F(SpectrumSave, FullSlotRoundTrip) {
    ProgramState& s = *w.state;
    FillSlot(s, 0, PointCount);
    w.op.AnswerSave(w.P("DATA/full.rdg"));
    ASSERT_EQ(SaveSpectrumAs(w.ctx, 0), SpectrumSaveResult::Saved);
    s.SlotInfo[2].FileName = w.P("DATA/full.rdg");
    ASSERT_EQ(ReadSpectrumFile(w.ctx, 2), SpectrumReadResult::Ok);
    EXPECT_EQ(s.SlotInfo[2].NumPoints, PointCount);
    EXPECT_NEAR(s.XData[2][PointCount - 1], s.XData[0][PointCount - 1], 0.05f);
    EXPECT_FLOAT_EQ(s.SlotInfo[2].XMax, s.XData[2][PointCount - 1]);
}

}  // namespace
}  // namespace tav
