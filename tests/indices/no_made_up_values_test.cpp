// The index pass and the file averaging put no value where none was measured: a spectrum of 0
// or 1 points leaves every index as it was and feeds no kinetic window, and an average in which
// no file could be used changes no slot and leaves DataAvailable as it was.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "files/FileWindows.h"
#include "files/KineticLogs.h"
#include "indices/FileAveraging.h"
#include "indices/KineticIndices.h"
#include "platform/forms_test_app.h"

namespace tav {
namespace {

class Readout : public KineticIndicesOutput {
public:
    void ClearIndexWindow() override {}
    void PrintIndexLine(const IndexReadoutLine& line) override { labels.push_back(line.label); }
    void Wait(int) override {}
    void KineticPointAdded(int16_t code) override { points.push_back(code); }
    std::vector<std::string> labels;
    std::vector<int16_t> points;
};

TEST(NoMadeUpValues, ASpectrumOfFewerThanTwoPointsKeepsEveryIndex) {
    for (int16_t points : {0, 1}) {
        auto s = std::make_unique<ProgramState>();
        s->NumOfBands = 2;
        s->BandStart = {400, 500, 0};
        s->BandEnd = {450, 550, 0};
        s->SlotInfo[0].NumPoints = points;
        s->XData[0][0] = 420.0f;
        s->Ch1Data[0][0] = 5.0f;
        s->Ch2Data[0][0] = 2.0f;
        MenuChecks& m = s->Menu;
        m.ActivateRatio = m.ActivateNormDiff = m.ActivateExperimental = m.ActivateDerivative = true;
        m.ActivateIntegral = m.ActivateAverage = true;
        s->RatioNumerator = s->NormDiffX = s->ExpBand1 = s->ExpBand3 = s->DerivativeBand = 1;
        s->RatioDenominator = s->NormDiffY = s->ExpBand2 = s->ExpBand4 = s->IntegralBand = s->AverageBand = 2;
        s->ExpOp1 = s->ExpOp2 = s->ExpOp3 = 0;  // all additions: 0 + 0 would be taken as a value
        s->RatioValue = 1.5f;
        s->NormDiffValue = 0.25f;
        s->ExperimentalValue = 7.0f;
        s->DerivativeValue = 0.01f;
        s->IntegralValue = 1234.0f;
        s->AverageValue = 42.0f;
        for (WindowRect* r : {&s->RatioFormRect, &s->NormDiffFormRect, &s->ExperimentalFormRect,
                              &s->DerivativeFormRect, &s->IntegralFormRect, &s->AverageFormRect}) {
            r->Open = -1;
        }
        s->LastPassComputed = {true, true, true, true, true, true};  // from an earlier spectrum

        Readout out;
        ComputeKineticIndices(*s, out);
        SCOPED_TRACE(points);
        EXPECT_EQ(s->RatioValue, 1.5f);
        EXPECT_EQ(s->NormDiffValue, 0.25f);
        EXPECT_EQ(s->ExperimentalValue, 7.0f);
        EXPECT_EQ(s->DerivativeValue, 0.01f);
        EXPECT_EQ(s->IntegralValue, 1234.0f);
        EXPECT_EQ(s->AverageValue, 42.0f);
        EXPECT_TRUE(out.points.empty());
        EXPECT_EQ(out.labels, (std::vector<std::string>{"", "Elapsed Time="}));
        EXPECT_EQ(s->RatioCount + s->NormDiffCount + s->ExperimentalCount + s->IntegralCount + s->AverageCount, 0);
        const ProgramState::IndicesComputed& c = s->LastPassComputed;
        EXPECT_FALSE(c.Ratio || c.NormDiff || c.Experimental || c.Derivative || c.Integral || c.Average);
    }
}

class NoRedraws : public FileWindows {
public:
    int redraws = 0;
    void StopAutoScanTimer() override {}
    void RedrawSpectrumWindow(int16_t, const std::string&) override { ++redraws; }
    int16_t ApplyWindowPosition(SettingsWindow, const std::string&) override { return 0; }
    std::string WindowPositionText(SettingsWindow, WindowRect&) override { return ""; }
    void ShowWindow(SettingsWindow) override {}
    void ShowAcquisitionSettings(const ProgramState&) override {}
    void ShowWelcome() override {}
};

TEST(NoMadeUpValues, AnAverageOfNoUsableFileChangesNoSlot) {
    for (bool dataBefore : {false, true}) {
        test::TestServices t;
        ProgramState& s = *t.state;
        KineticLogs logs;
        NoRedraws windows;
        FileContext ctx{s, t.fs, t.op, t.clock, logs, windows};
        // A file that reads but holds no point, and one that is not there.
        ASSERT_TRUE(t.dir.Write("empty.rdg", "\"File:       e.rdg\"\r\n\r\n\r\n\"Limits: 0 - 0\"\r\n\r\n"
                                             "\"Minimum: 0nm 0\"\r\n\"Maximum: 0nm 0\"\r\n\"Integration: 30 ms\"\r\n"
                                             "\"Number Scans: 1\"\r\n\r\n"));
        s.DataAvailable = dataBefore;
        s.SlotInfo[1].NumPoints = 3;
        s.SlotInfo[1].FileName = "earlier.rdg";
        s.SlotInfo[1].IntegTime = 12.0f;
        s.XData[1][0] = 500.0f;
        s.Ch1Data[1][0] = 9.0f;
        s.Ch2Data[1][0] = 3.0f;
        s.Ch1Data[slot::Reference][0] = 77.0f;
        s.ProcessedResult = true;
        s.FileDialogMode = 6;
        s.DerivativeParam = 2;  // the derivative on display still names itself
        s.CommonScale = true;

        s.AvgFileList = {t.dir.File("empty.rdg"), t.dir.File("gone.rdg")};
        s.FileAvgCount = 2;
        AverageSpectrumFiles(ctx);

        SCOPED_TRACE(dataBefore);
        EXPECT_EQ(t.op.Messages().size(), 2u);
        EXPECT_EQ(s.DataAvailable, dataBefore);
        EXPECT_EQ(s.SlotInfo[1].NumPoints, 3);
        EXPECT_EQ(s.SlotInfo[1].FileName, "earlier.rdg");
        EXPECT_EQ(s.SlotInfo[1].IntegTime, 12.0f);
        EXPECT_EQ(s.XData[1][0], 500.0f);
        EXPECT_EQ(s.Ch1Data[1][0], 9.0f);
        EXPECT_EQ(s.Ch2Data[1][0], 3.0f);
        EXPECT_EQ(s.Ch1Data[slot::Reference][0], 77.0f);
        EXPECT_EQ(s.DerivativeParam, 2);
        EXPECT_TRUE(s.CommonScale);
        EXPECT_EQ(s.FileDialogMode, 6);
        EXPECT_EQ(windows.redraws, 0);
    }
}

}  // namespace
}  // namespace tav
