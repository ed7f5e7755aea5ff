// The kinetic logs: the line of each index, when it is written, and saving a log.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <functional>

#include "files/KineticLogs.h"
#include "files/SpectrumSave.h"
#include "support/FileWorld.h"

namespace tav {
namespace {

using test::FileWorld;

// The last index pass computed every index, from slot 0, the spectrum saved.
void AllComputed(ProgramState& s) { s.LastPassComputed = {true, true, true, true, true, true, 0}; }

const char* Saved = "/data/spectra/XYZ00001.rdg";
const std::string Stamp = " 03-07-2024 14:05:09 ";

class KineticLogsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ProgramState& s = *w.state;
        s.DefaultPath = w.P("DATA");
        w.dir.MakeDir("DATA");
        w.logs.OpenAll(w.fs, w.dir.Path());
        s.ElapsedTime = 12.0f;
        s.RatioValue = 1.5f;
        s.NormDiffValue = 0.25f;
        s.ExperimentalValue = -2.0f;
        s.DerivativeValue = 0.0005f;
        s.IntegralValue = 1234.5f;
        s.AverageValue = 42.125f;
        s.SlotInfo[0].Temperature = 23.5f;
        s.Temperature = 31.0f;  // the latest pair's, another spectrum's
        AllComputed(s);
    }
    void ActivateAll() {
        ProgramState& s = *w.state;
        MenuChecks& m = s.Menu;
        m.ActivateRatio = m.ActivateNormDiff = m.ActivateExperimental = m.ActivateDerivative = true;
        m.ActivateIntegral = m.ActivateAverage = m.ActivateDiagnostics = true;
        s.RatioNumerator = s.RatioDenominator = s.NormDiffX = s.NormDiffY = 1;
        s.DerivativeBand = s.IntegralBand = s.AverageBand = 2;
    }
    std::string Log(const char* name) { return w.dir.Read(name); }
    FileWorld w;
};

TEST_F(KineticLogsTest, OneLinePerActiveIndex) {
    ActivateAll();
    ASSERT_TRUE(AppendKineticLogLines(w.ctx, Saved));
    const std::string head = std::string(Saved) + Stamp + " 12 Secs  ";
    EXPECT_EQ(Log("~Ratio.Tmp"), head + "1.5\r\n");
    EXPECT_EQ(Log("~NormDif.Tmp"), head + ".25\r\n");
    EXPECT_EQ(Log("~Exper.Tmp"), head + "-2.E+00\r\n");
    EXPECT_EQ(Log("~Deriv.Tmp"), head + "5.E-04\r\n");
    EXPECT_EQ(Log("~Integ.Tmp"), head + "1235\r\n");
    EXPECT_EQ(Log("~Average.Tmp"), head + "42.13\r\n");
    EXPECT_EQ(Log("~Diagnost.Tmp"), head + "23.5\r\n");
}

TEST_F(KineticLogsTest, ConditionsOfEachLog) {
    struct Case {
        const char* name;
        void (*change)(ProgramState&);
        const char* silentLog;
    };
    const Case cases[] = {
        {"ratio without denominator", [](ProgramState& s) { s.RatioDenominator = 0; }, "~Ratio.Tmp"},
        {"ratio unchecked", [](ProgramState& s) { s.Menu.ActivateRatio = false; }, "~Ratio.Tmp"},
        {"norm diff with one band", [](ProgramState& s) { s.NormDiffY = 0; }, "~NormDif.Tmp"},
        {"experimental unchecked", [](ProgramState& s) { s.Menu.ActivateExperimental = false; }, "~Exper.Tmp"},
        {"no derivative band", [](ProgramState& s) { s.DerivativeBand = 0; }, "~Deriv.Tmp"},
        {"no integral band", [](ProgramState& s) { s.IntegralBand = 0; }, "~Integ.Tmp"},
        {"no average band", [](ProgramState& s) { s.AverageBand = 0; }, "~Average.Tmp"},
        {"temperature exactly 0", [](ProgramState& s) { s.SlotInfo[0].Temperature = 0.0f; }, "~Diagnost.Tmp"},
        {"a spectrum that tells no temperature",
         [](ProgramState& s) { s.SlotInfo[0].Temperature = NoTemperature; }, "~Diagnost.Tmp"},
    };
    const char* all[] = {"~Ratio.Tmp", "~NormDif.Tmp", "~Exper.Tmp", "~Deriv.Tmp",
                         "~Integ.Tmp", "~Average.Tmp", "~Diagnost.Tmp"};
    for (const Case& c : cases) {
        FileWorld v;
        v.logs.OpenAll(v.fs, v.dir.Path());
        MenuChecks& m = v.state->Menu;
        m.ActivateRatio = m.ActivateNormDiff = m.ActivateExperimental = m.ActivateDerivative = true;
        m.ActivateIntegral = m.ActivateAverage = m.ActivateDiagnostics = true;
        ProgramState& s = *v.state;
        s.RatioNumerator = s.RatioDenominator = s.NormDiffX = s.NormDiffY = 1;
        s.DerivativeBand = s.IntegralBand = s.AverageBand = 2;
        s.SlotInfo[0].Temperature = 20.0f;
        s.Temperature = 20.0f;
        AllComputed(s);
        c.change(s);
        AppendKineticLogLines(v.ctx, Saved);
        for (const char* log : all) {
            const bool written = !v.dir.Read(log).empty();
            EXPECT_EQ(written, std::string(log) != c.silentLog) << c.name << ": " << log;
        }
    }
}

TEST_F(KineticLogsTest, NoCheckedItemNoLine) {
    ProgramState& s = *w.state;
    s.RatioNumerator = s.RatioDenominator = 1;
    w.op.AnswerSave(w.P("DATA/a.rdg"));
    ASSERT_EQ(SaveSpectrumAs(w.ctx, 0), SpectrumSaveResult::Saved);
    for (int16_t n = 101; n <= 107; ++n) EXPECT_EQ(w.dir.Read(KineticLogTempName(n)), "");
}

TEST_F(KineticLogsTest, ElapsedSecondsAndNameField) {
    struct Case {
        float elapsed;
        const char* seconds;
    };
    // Whole seconds, halves up; 32 bits, so a series past 9.1 hours keeps counting.
    for (const Case& c : {Case{11.5f, " 12 "}, Case{11.49f, " 11 "}, Case{0.0f, " 0 "}, Case{-0.6f, "-1 "},
                          Case{33000.4f, " 33000 "}, Case{86399.0f, " 86399 "}}) {
        FileWorld v;
        v.logs.OpenAll(v.fs, v.dir.Path());
        v.state->Menu.ActivateExperimental = true;
        AllComputed(*v.state);
        v.state->ExperimentalValue = 1.0f;
        v.state->ElapsedTime = c.elapsed;
        AppendKineticLogLines(v.ctx, "n");
        EXPECT_EQ(v.dir.Read("~Exper.Tmp"), "n" + Stamp + c.seconds + "Secs  1.\r\n") << c.elapsed;
    }
    const std::string longName = "/home/operator/measurements/2024/series/XYZ00001.rdg";
    EXPECT_EQ(KineticLogLine(longName, w.clock.Now(), 5, 1.0f).substr(0, 36), longName.substr(longName.size() - 35) + " ");
    EXPECT_EQ(KineticLogLine("C:\\DATA\\XYZ00001.rdg", w.clock.Now(), 12, 1.5f),
              "C:\\DATA\\XYZ00001.rdg 03-07-2024 14:05:09  12 Secs  1.5");
}

TEST_F(KineticLogsTest, LinesCollectAcrossRunsUntilSaved) {
    w.dir.Write("~Exper.Tmp", "from an earlier run\r\n");
    KineticLogs again;
    again.OpenAll(w.fs, w.dir.Path());
    w.state->Menu.ActivateExperimental = true;
    FileContext ctx{*w.state, w.fs, w.op, w.clock, again, w.windows};
    AppendKineticLogLines(ctx, "f");
    EXPECT_EQ(Log("~Exper.Tmp").substr(0, 21), "from an earlier run\r\n");
    EXPECT_NE(Log("~Exper.Tmp").find("Secs"), std::string::npos);
}

TEST_F(KineticLogsTest, SavingMovesTheLinesAndBeginsAnEmptyLog) {
    w.state->Menu.ActivateExperimental = true;
    AppendKineticLogLines(w.ctx, "f");
    const std::string lines = Log("~Exper.Tmp");
    w.op.AnswerSave(w.P("DATA/exp.dat"));
    w.op.AnswerSave(w.P("DATA/exp2.dat"));
    ASSERT_EQ(SaveKineticFile(w.ctx, "~Exper.Tmp", 103), KineticSaveResult::Saved);
    ASSERT_EQ(w.op.SaveRequests().size(), 1u);
    EXPECT_EQ(w.op.SaveRequests()[0].filter, "Kinetic Files (*.dat)|*.dat");
    EXPECT_EQ(w.op.SaveRequests()[0].defaultExt, "DAT");
    EXPECT_EQ(w.op.SaveRequests()[0].initialDir, w.P("DATA"));
    EXPECT_TRUE(w.op.SaveRequests()[0].overwritePrompt);
    EXPECT_EQ(w.dir.Read("DATA/exp.dat"), lines);
    EXPECT_EQ(Log("~Exper.Tmp"), "");
    EXPECT_TRUE(w.logs.IsOpen(103));

    // The new log goes on taking lines; a second save right away saves an empty file.
    ASSERT_EQ(SaveKineticFile(w.ctx, "~Exper.Tmp", 103), KineticSaveResult::Saved);
    EXPECT_EQ(w.dir.Read("DATA/exp2.dat"), "");
    AppendKineticLogLines(w.ctx, "g");
    EXPECT_NE(Log("~Exper.Tmp").find("Secs"), std::string::npos);
}

TEST_F(KineticLogsTest, CancelLeavesTheLogOpenWithItsLines) {
    w.state->Menu.ActivateExperimental = true;
    AppendKineticLogLines(w.ctx, "f");
    const std::string lines = Log("~Exper.Tmp");
    EXPECT_EQ(SaveKineticFile(w.ctx, "~Exper.Tmp", 103), KineticSaveResult::Cancelled);
    EXPECT_EQ(Log("~Exper.Tmp"), lines);
    EXPECT_TRUE(w.logs.IsOpen(103));
}

TEST_F(KineticLogsTest, FailedSaveKeepsTheLinesAndLoggingGoesOn) {
    w.state->Menu.ActivateExperimental = true;
    AppendKineticLogLines(w.ctx, "f");
    const std::string lines = Log("~Exper.Tmp");
    w.dir.Write("DATA/exp.dat", "older save");
    w.fs.FailPath(FsOp::Write, w.P("DATA/exp.dat"), FsError::WriteError);
    w.op.AnswerSave(w.P("DATA/exp.dat"));
    EXPECT_EQ(SaveKineticFile(w.ctx, "~Exper.Tmp", 103), KineticSaveResult::Failed);
    EXPECT_EQ(w.dir.Read("DATA/exp.dat"), "older save");
    EXPECT_EQ(Log("~Exper.Tmp"), lines);
    ASSERT_EQ(w.op.Messages().size(), 1u);
    EXPECT_EQ(w.op.Messages()[0].text, "The file\n" + w.P("DATA/exp.dat") + "\ncould not be written: an input/output error.");
    EXPECT_TRUE(w.logs.IsOpen(103));
}

TEST_F(KineticLogsTest, ChoosingTheLogItselfLosesNothing) {
    w.state->Menu.ActivateExperimental = true;
    AppendKineticLogLines(w.ctx, "f");
    const std::string lines = Log("~Exper.Tmp");
    w.op.AnswerSave(w.P("~Exper.Tmp"));
    EXPECT_EQ(SaveKineticFile(w.ctx, "~Exper.Tmp", 103), KineticSaveResult::Saved);
    EXPECT_EQ(Log("~Exper.Tmp"), lines);
}

// A log that cannot take its line is named with the reason: the write's, or the reason why it
// could not be opened at start-up.
TEST_F(KineticLogsTest, ALogThatCannotBeWrittenIsToldWithItsReason) {
    struct Case {
        const char* name;
        std::function<void(FileWorld&)> breakLog;  // before the logs are opened
        std::string reason;
    };
    const Case cases[] = {
        {"a full disk", [](FileWorld& v) { v.fs.FailPath(FsOp::AppendLine, v.P("~Ratio.Tmp"), FsError::NoSpace); },
         "the disk is full"},
        {"refused at start-up",
         [](FileWorld& v) { v.fs.FailPath(FsOp::OpenAppend, v.P("~Ratio.Tmp"), FsError::NoPermission); },
         "it could not be opened (permission denied)"},
        {"a pipe in the log's place",
         [](FileWorld& v) { ASSERT_EQ(::mkfifo(v.P("~Ratio.Tmp").c_str(), 0644), 0); },
         "it could not be opened (it is a device or a pipe, not a file)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FileWorld v;
        c.breakLog(v);
        v.logs.OpenAll(v.fs, v.dir.Path());
        v.state->Menu.ActivateRatio = v.state->Menu.ActivateDiagnostics = true;
        v.state->RatioNumerator = v.state->RatioDenominator = 1;
        v.state->SlotInfo[0].Temperature = 23.5f;
        AllComputed(*v.state);
        EXPECT_FALSE(AppendKineticLogLines(v.ctx, Saved));
        ASSERT_EQ(v.op.Messages().size(), 1u);
        EXPECT_EQ(v.op.Messages()[0].text,
                  "The kinetic log could not be written:\n" + v.P("~Ratio.Tmp") + ": " + c.reason + ".");
        EXPECT_NE(v.dir.Read("~Diagnost.Tmp"), "") << "the other logs go on";
    }
}

TEST_F(KineticLogsTest, LogsThatCannotBeOpenedAreSkipped) {
    FileWorld v;
    v.fs.FailPath(FsOp::OpenAppend, v.P("~Ratio.Tmp"), FsError::WriteError);
    v.logs.OpenAll(v.fs, v.dir.Path());
    EXPECT_FALSE(v.logs.IsOpen(101));
    for (int16_t n = 102; n <= 107; ++n) EXPECT_TRUE(v.logs.IsOpen(n)) << n;
    v.logs.CloseAll();
    for (int16_t n = 101; n <= 107; ++n) EXPECT_FALSE(v.logs.IsOpen(n)) << n;
    EXPECT_EQ(SaveKineticFile(v.ctx, "x", 100), KineticSaveResult::BadLog);
}

}  // namespace
}  // namespace tav
