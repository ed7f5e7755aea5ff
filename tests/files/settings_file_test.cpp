// The settings file: a stored file read to its values, the defaults without a file, the writer's
// exact text, the round trip of every key and the reader's rules for odd lines.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "files/SettingsFile.h"
#include "files/SettingsKeys.h"
#include "support/FileWorld.h"

namespace tav {
namespace {

using test::FileWorld;
using test::Fixture;

TEST(SettingsFileRead, StoredFileReadsToItsValues) {
    FileWorld w;
    w.dir.Write("Prismel.INI", Fixture("Prismel.INI"));
    ReadSettingsFile(w.ctx);
    const ProgramState& s = *w.state;

    EXPECT_TRUE(s.IniLoaded);
    EXPECT_EQ(s.NumOfBands, 2);
    EXPECT_EQ(s.BandStart, (std::vector<float>{450.0f, 650.0f, 0.0f}));
    EXPECT_EQ(s.BandEnd, (std::vector<float>{470.5f, 680.0f, 0.0f}));
    EXPECT_EQ(s.UseAverage[0], -1);
    EXPECT_EQ(s.RatioNumerator, 1);
    EXPECT_EQ(s.RatioDenominator, 2);
    EXPECT_EQ(s.NormDiffX, 2);
    EXPECT_EQ(s.NormDiffY, 1);
    EXPECT_EQ(s.ExpBand2, 2);
    EXPECT_EQ(s.ExpOp2, 3);
    EXPECT_EQ(s.DerivativeBand, 1);
    EXPECT_EQ(s.IntegralBand, 2);
    EXPECT_EQ(s.AverageBand, 1);
    EXPECT_TRUE(s.Menu.ActivateTimeStamp);
    EXPECT_TRUE(s.Menu.ActivateRatio);
    EXPECT_FALSE(s.Menu.ActivateNormDiff);
    EXPECT_TRUE(s.Menu.ActivateIntegral);
    EXPECT_TRUE(s.Menu.ActivateDiagnostics);
    // Element 0 is forced to automatic; the others are each window's own.
    EXPECT_EQ((std::vector<int16_t>(s.AutoScaleOn.begin(), s.AutoScaleOn.begin() + 8)),
              (std::vector<int16_t>{-1, -1, 0, -1, -1, -1, -1, -1}));
    EXPECT_FLOAT_EQ(s.MinGridValue[1], 0.5f);
    EXPECT_FLOAT_EQ(s.MaxGridValue[1], 1.5f);
    EXPECT_FLOAT_EQ(s.MaxGridValue[7], 1500.0f);
    EXPECT_EQ(s.IntegrationTime, 1200);
    EXPECT_EQ(s.NumToAverage, 5);
    EXPECT_FALSE(s.ViewReflectance);  // always starts on the raw view
    EXPECT_TRUE(s.DarkCorrectionOn);
    EXPECT_TRUE(s.ReferenceOn);
    EXPECT_EQ(s.ReferenceFileName, "C:\\DATA\\WHITE.RDG");
    EXPECT_EQ(s.DefaultPath, "C:\\DATA");
    EXPECT_DOUBLE_EQ(s.CalCoeffA, 301.22);
    EXPECT_DOUBLE_EQ(s.CalCoeffC, -0.000306);
    EXPECT_DOUBLE_EQ(s.CalCoeffF, -0.000285);
    EXPECT_FLOAT_EQ(s.AutoScanDelay, 2.5f);
    EXPECT_TRUE(s.AutoSaveOn);
    EXPECT_FALSE(s.UserSuppliedName);
    EXPECT_EQ(s.AutoSaveName, "XYZ");
    EXPECT_FALSE(s.BeepOn);
    EXPECT_EQ(s.CommPortNumber, 2);
    EXPECT_EQ(s.TextColor, 0);
    EXPECT_EQ(s.ChartColor, 8355711);
    EXPECT_EQ(s.CurveColor, 16711680);

    // Windows: each line placed; the open ones shown and checked, the spectrum window always.
    ASSERT_EQ(w.windows.applied.size(), 10u);
    EXPECT_EQ(w.windows.applied[0].second, "120 300 4000 6000 0  0");
    EXPECT_EQ(w.windows.calls, (std::vector<std::string>{"show 0", "show 1", "show 2", "show 0", "show 3",
                                                          "show 9", "boxes", "welcome"}));
    EXPECT_TRUE(s.Menu.Viewmainform);
    EXPECT_EQ(s.MainFormRect.Open, 0);
    EXPECT_EQ(s.MenuFormRect.Open, -1);
    EXPECT_EQ(s.IndexFormRect.Open, -1);
    EXPECT_TRUE(s.Menu.ViewIndexForm);
    EXPECT_EQ(s.RatioFormRect.Open, -1);
    EXPECT_TRUE(s.Menu.ViewRatioForm);
    EXPECT_EQ(s.ExperimentalFormRect.Open, 0);
    EXPECT_FALSE(s.Menu.ViewExperimentalForm);
    EXPECT_EQ(s.DiagnosticsFormRect.Open, -1);
    EXPECT_TRUE(s.Menu.ViewDiagnosticsForm);

    EXPECT_EQ(w.windows.shown.IntegrationTime, 1200);
    EXPECT_EQ(w.windows.shown.NumToAverage, 5);
    EXPECT_FLOAT_EQ(w.windows.shown.BinWidth, 3.0f);
    EXPECT_TRUE(w.op.Messages().empty());
}

TEST(SettingsFileRead, WithoutAFileTheDefaultsApply) {
    FileWorld w;
    ReadSettingsFile(w.ctx);
    const ProgramState& s = *w.state;
    EXPECT_EQ(w.windows.calls, (std::vector<std::string>{"show 0", "show 1", "welcome"}));
    EXPECT_EQ(s.DefaultPath, w.P("DATA"));
    EXPECT_TRUE(w.fs.IsDirectory(w.P("DATA")));
    EXPECT_EQ(s.MenuFormRect.Open, -1);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(s.AutoScaleOn[i], -1);
        EXPECT_EQ(s.MinGridValue[i], 0.0f);
        EXPECT_EQ(s.MaxGridValue[i], 1.0f);
    }
    EXPECT_EQ(s.ExpOp1, 1);
    EXPECT_EQ(s.ExpOp2, 3);
    EXPECT_EQ(s.ExpOp3, 0);
    EXPECT_TRUE(s.BeepOn);
    EXPECT_EQ(s.IntegrationTime, 300);
    EXPECT_DOUBLE_EQ(s.CalCoeffB, 3.3323);
    EXPECT_DOUBLE_EQ(s.CalCoeffE, 3.3268);
    EXPECT_EQ(s.CommPortNumber, 1);
    EXPECT_EQ(s.NumToAverage, 1);
    EXPECT_EQ(s.AutoScanDelay, 0.0f);
    EXPECT_EQ(s.TextColor, 0);
    EXPECT_EQ(s.ChartColor, 8355711);
    EXPECT_EQ(s.CurveColor, 16711680);
    EXPECT_FALSE(s.Menu.Viewmainform);
    EXPECT_TRUE(s.WelcomeShown);
}

TEST(SettingsFileRead, ReadsOncePerRunAndWelcomesOnce) {
    FileWorld w;
    ReadSettingsFile(w.ctx);
    const size_t calls = w.windows.calls.size();
    ReadSettingsFile(w.ctx);  // IniLoaded: nothing
    EXPECT_EQ(w.windows.calls.size(), calls);
    w.state->IniLoaded = false;  // the welcome window's closing clears it
    ReadSettingsFile(w.ctx);
    EXPECT_EQ(std::count(w.windows.calls.begin(), w.windows.calls.end(), "welcome"), 1);
}

TEST(SettingsFileRead, FileNameIsFoundWithoutRegardToCase) {
    FileWorld w;
    w.dir.Write("PRISMEL.ini", "Serialport=2\r\n");
    ReadSettingsFile(w.ctx);
    EXPECT_EQ(w.state->CommPortNumber, 2);
}

TEST(SettingsFileRead, UnreadableFileDoesNotStallStartUp) {
    FileWorld w;
    w.dir.Write("Prismel.INI", "Serialport=2\r\n");
    w.fs.FailPath(FsOp::Read, w.P("Prismel.INI"), FsError::ReadError);
    ReadSettingsFile(w.ctx);
    ASSERT_EQ(w.op.Messages().size(), 1u);
    EXPECT_EQ(w.op.Messages()[0].text, "The file\n" + w.P("Prismel.INI") +
                                           "\ncould not be read: an input/output error.\nIt is not overwritten: before "
                                           "the settings are written, it is kept under another name.");
    EXPECT_EQ(w.windows.calls, (std::vector<std::string>{"boxes", "welcome"}));
    EXPECT_EQ(w.state->NumToAverage, 1);
}

// Lines of the reader applied to a state, then read back through a check.
struct LineCase {
    const char* name;
    std::vector<std::string> lines;
    bool (*check)(const ProgramState&);
};

// ctest names a case by this, not by a dump of its bytes.
void PrintTo(const LineCase& c, std::ostream* os) { *os << c.name; }

class SettingsLines : public ::testing::TestWithParam<LineCase> {};

TEST_P(SettingsLines, Apply) {
    FileWorld w;
    ProgramState& s = *w.state;
    s.NumToAverage = 7;
    s.CommPortNumber = 1;
    for (const std::string& line : GetParam().lines) ApplySettingsLine(w.ctx, line);
    EXPECT_TRUE(GetParam().check(s));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SettingsLines,
    ::testing::Values(
        LineCase{"BandBeforeItsCountIsLost",
                 {"Band Start 1=450", "Number Of Bands=1"},
                 [](const ProgramState& s) { return s.NumOfBands == 1 && s.BandStart[0] == 0.0f; }},
        LineCase{"BandNumbersOutsideTheCountArePassedOver",
                 {"Number Of Bands=2", "Band Start 0=1", "Band Start 3=3", "Band End 2=9", "Band End 1=8"},
                 [](const ProgramState& s) {
                     return s.BandStart == std::vector<float>{0, 0, 0} && s.BandEnd == std::vector<float>{8, 9, 0};
                 }},
        LineCase{"MoreThan100BandsIsPassedOver",
                 {"Number Of Bands=3", "Number Of Bands=101", "Number Of Bands=-1"},
                 [](const ProgramState& s) { return s.NumOfBands == 3 && s.BandStart.size() == 4u; }},
        LineCase{"EightZerosLeaveTheSpectrumWindowAutomatic",
                 {"Auto Scale On=0 0 0 0 0 0 0 0"},
                 [](const ProgramState& s) {
                     return s.AutoScaleOn[0] == -1 && s.AutoScaleOn[1] == 0 && s.AutoScaleOn[7] == 0;
                 }},
        LineCase{"ScaleFlagsOtherThanTrueAreManual",
                 {"Auto Scale On=0 1 2 -2 0.4 -0.6 -1 7"},
                 [](const ProgramState& s) {
                     const std::array<int16_t, 8> expected = {-1, 0, 0, 0, 0, -1, -1, 0};
                     return std::equal(expected.begin(), expected.end(), s.AutoScaleOn.begin());
                 }},
        LineCase{"ShortEightValueLineGivesZeros",
                 {"Max Grid Value=5 6"},
                 [](const ProgramState& s) {
                     return s.MaxGridValue[0] == 5.0f && s.MaxGridValue[1] == 6.0f && s.MaxGridValue[2] == 0.0f;
                 }},
        LineCase{"ViewReflectanceHasNoEffect",
                 {"View Reflectance=-1"},
                 [](const ProgramState& s) { return !s.ViewReflectance; }},
        LineCase{"KeysInOtherCaseOrUnknownAreIgnored",
                 {"serialport=2", "SERIALPORT=2", "Serial Port=2", "no equals sign", "[Acquisition]"},
                 [](const ProgramState& s) { return s.CommPortNumber == 1; }},
        LineCase{"BlanksAroundKeyAndValue",
                 {"   Serialport   =   2   "},
                 [](const ProgramState& s) { return s.CommPortNumber == 2; }},
        LineCase{"LaterLineWins",
                 {"Serialport=2", "Serialport=1"},
                 [](const ProgramState& s) { return s.CommPortNumber == 1; }},
        LineCase{"ValueMayHoldEquals",
                 {"Reference File Name=a=b.rdg  "},
                 [](const ProgramState& s) { return s.ReferenceFileName == "a=b.rdg"; }},
        LineCase{"IntegerTooLargeKeepsTheValue",
                 {"Number to Average=40000", "Serialport=abc"},
                 [](const ProgramState& s) { return s.NumToAverage == 7 && s.CommPortNumber == 0; }},
        LineCase{"IntegersRoundHalfToEven",
                 {"Number to Average=2.5", "Serialport=1.5", "Integration Time=300.5"},
                 [](const ProgramState& s) {
                     return s.NumToAverage == 2 && s.CommPortNumber == 2 && s.IntegrationTime == 300;
                 }},
        LineCase{"BooleansFromAnyNonZero",
                 {"Dark Correction=1", "Beep On=0", "Ratio Active=5"},
                 [](const ProgramState& s) { return s.DarkCorrectionOn && !s.BeepOn && s.Menu.ActivateRatio; }},
        LineCase{"SeriesNameKeepsOnlyWhatTheDialogAllows",
                 {"Auto Save Name=../x.y/Z$~_"},
                 [](const ProgramState& s) { return s.AutoSaveName == "xyZ$~_"; }},
        LineCase{"ColoursArePrintedNumbers",
                 {"Text Color= 255 ", "Curve Color=-1 "},
                 [](const ProgramState& s) { return s.TextColor == 255 && s.CurveColor == -1; }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SettingsFileRead, BoxesAreFilledBeforeTheFixUps) {
    FileWorld w;
    w.dir.Write("Prismel.INI", "Number to Average=0\r\nIntegration Time=40000\r\nAuto Scan Delay=-3\r\n");
    ReadSettingsFile(w.ctx);
    EXPECT_EQ(w.state->NumToAverage, 1);
    EXPECT_EQ(w.windows.shown.NumToAverage, 0);
    EXPECT_EQ(w.state->IntegrationTime, 40000);
    EXPECT_EQ(w.windows.shown.IntegrationTime, 40000);
    EXPECT_FLOAT_EQ(w.state->AutoScanDelay, 1.0f);
}

TEST(SettingsFileRead, WindowLineWithFewNumbersDoesNotOpen) {
    FileWorld w;
    ApplySettingsLine(w.ctx, "Ratio Window = 10 20 30");
    ApplySettingsLine(w.ctx, "Main Window=");
    EXPECT_EQ(w.state->RatioFormRect.Open, 0);
    EXPECT_EQ(w.windows.calls, (std::vector<std::string>{"show 0"}));
    EXPECT_TRUE(w.state->Menu.Viewmainform);
}

const std::string DefaultsText =
    "[Windows]\r\n"
    "Main Window=0 0 0 0 0  0 \r\n"
    "Menu Window=0 0 0 0 0 -1 \r\n"
    "Index Window=0 0 0 0 0  0 \r\n"
    "Ratio Window = 0 0 0 0 0  0 \r\n"
    "NormDiff Window=0 0 0 0 0  0 \r\n"
    "Experimental Window = 0 0 0 0 0  0 \r\n"
    "Derivative Window=0 0 0 0 0  0 \r\n"
    "Integral Window=0 0 0 0 0  0 \r\n"
    "Average Window=0 0 0 0 0  0 \r\n"
    "Diagnostics Window = 0 0 0 0 0  0 \r\n"
    "\r\n"
    "[Index]\r\n"
    "Number Of Bands=0\r\n"
    "Ratio Use Average=0\r\n"
    "NormDiff Use Average=0\r\n"
    "Experimental Use Average=0\r\n"
    "Ratio Numerator=0\r\n"
    "Ratio Denomintor=0\r\n"
    "Norm. Diff. X=0\r\n"
    "Norm. Diff. Y=0\r\n"
    "Exp. Band 1=0\r\n"
    "Exp. Band 2=0\r\n"
    "Exp. Band 3=0\r\n"
    "Exp. Band 4=0\r\n"
    "Exp. Op 1=1\r\n"
    "Exp. Op 2=3\r\n"
    "Exp. Op 3=0\r\n"
    "Derivative=0\r\n"
    "Integral=0\r\n"
    "Average=0\r\n"
    "Time Stamp Active=0\r\n"
    "Ratio Active=0\r\n"
    "Norm Diff Active=0\r\n"
    "Experimental Active=0\r\n"
    "Derivative Active=0\r\n"
    "Integral Active=0\r\n"
    "Average Active=0\r\n"
    "Diagnostics Active=0\r\n"
    "\r\n"
    "[Acquisition]\r\n"
    "Auto Scale On=-1 -1 -1 -1 -1 -1 -1 -1\r\n"
    "Min Grid Value=0 0 0 0 0 0 0 0\r\n"
    "Max Grid Value=1 1 1 1 1 1 1 1\r\n"
    "Integration Time=300\r\n"
    "Number to Average=1\r\n"
    "View Reflectance=0\r\n"
    "Dark Correction=0\r\n"
    "Reference On= 0 \r\n"
    "Reference File Name=\r\n"
    "Default Path=@\r\n"
    "Cal Coeff A=301.22\r\n"
    "Cal Coeff B=3.3323\r\n"
    "Cal Coeff C=-.000306\r\n"
    "Cal Coeff D=301.1\r\n"
    "Cal Coeff E=3.3268\r\n"
    "Cal Coeff F=-.000285\r\n"
    "Auto Scan Delay=0\r\n"
    "Auto Save On=0\r\n"
    "User Supplied Name=0\r\n"
    "Auto Save Name=\r\n"
    "Beep On=-1\r\n"
    "Serialport=1\r\n"
    "\r\n"
    "[Colors]\r\n"
    "Text Color= 0 \r\n"
    "Chart Color= 8355711 \r\n"
    "Curve Color= 16711680 \r\n";

TEST(SettingsFileWrite, FirstRunWithTheDefaults) {
    FileWorld w;
    ReadSettingsFile(w.ctx);
    ASSERT_TRUE(WriteSettingsFile(w.ctx));
    std::string expected = DefaultsText;
    expected.replace(expected.find('@'), 1, w.P("DATA"));
    EXPECT_EQ(w.dir.Read("Prismel.INI"), expected);
}

TEST(SettingsFileWrite, BandLinesAndWindowLines) {
    FileWorld w;
    ProgramState& s = *w.state;
    s.NumOfBands = 2;
    s.BandStart = {450.5f, 600.0f, 0.0f};
    s.BandEnd = {470.0f, 650.25f, 0.0f};
    s.RatioFormRect = {-120, 300, 4000, 2500, -1};
    const std::string text = SettingsFileText(w.ctx);
    EXPECT_NE(text.find("Number Of Bands=2\r\nBand Start 1=450.5\r\nBand End 1=470\r\n"
                        "Band Start 2=600\r\nBand End 2=650.25\r\nRatio Use Average=0\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("Ratio Window = -120 300 2500 4000 0 -1 \r\n"), std::string::npos) << text;
}

TEST(SettingsFileWrite, RootStartFolderHasNoDoubledSeparator) {
    FileWorld w;
    w.state->StartDir = "/";
    w.fs.FailNext(FsOp::Write, FsError::WriteError);  // nothing is written to the real root
    WriteSettingsFile(w.ctx);
    ASSERT_EQ(w.fs.WriteAttempts().size(), 1u);
    EXPECT_EQ(w.fs.WriteAttempts()[0].path, "/Prismel.INI");
}

TEST(SettingsFileWrite, FailedWriteKeepsTheOldFileAndTellsTheOperator) {
    FileWorld w;
    w.dir.Write("Prismel.INI", "old settings");
    w.fs.FailPath(FsOp::Write, w.P("Prismel.INI"), FsError::WriteError);
    EXPECT_FALSE(WriteSettingsFile(w.ctx));
    EXPECT_EQ(w.dir.Read("Prismel.INI"), "old settings");
    ASSERT_EQ(w.op.Messages().size(), 1u);
    EXPECT_EQ(w.op.Messages()[0].text, "The file\n" + w.P("Prismel.INI") + "\ncould not be written: an input/output error.");
}

TEST(SettingsFile, EveryKeyRoundTrips) {
    FileWorld a;
    ProgramState& s = *a.state;
    s.NumOfBands = 3;
    s.BandStart = {401.5f, 502.25f, 603.0f, 0.0f};
    s.BandEnd = {420.0f, 530.75f, 640.5f, 0.0f};
    s.UseAverage = {-1, 0, -1, 0};
    s.RatioNumerator = 1;
    s.RatioDenominator = 2;
    s.NormDiffX = 3;
    s.NormDiffY = 1;
    s.ExpBand1 = 1;
    s.ExpBand2 = 2;
    s.ExpBand3 = 3;
    s.ExpBand4 = 1;
    s.ExpOp1 = 2;
    s.ExpOp2 = 4;
    s.ExpOp3 = 1;
    s.DerivativeBand = 2;
    s.IntegralBand = 3;
    s.AverageBand = 1;
    s.Menu.ActivateTimeStamp = s.Menu.ActivateNormDiff = s.Menu.ActivateDerivative = true;
    s.Menu.ActivateAverage = s.Menu.ActivateDiagnostics = true;
    s.AutoScaleOn = {-1, 0, -1, 0, 0, -1, 0, -1, 0};
    s.MinGridValue = {0.0f, -5.5f, 0.001f, 1.5e-7f, 0.0f, 2.0f, 0.0f, 0.0f, 0.0f};
    s.MaxGridValue = {1.0f, 1500.0f, 0.5f, 1e20f, 1.0f, 3.0f, -1.0f, 65535.0f, 0.0f};
    s.IntegrationTime = 32767;
    s.NumToAverage = 18;
    s.DarkCorrectionOn = true;
    s.ReferenceOn = true;
    s.ReferenceFileName = "/data/white ref.rdg";
    s.DefaultPath = "/data/spectra";
    s.CalCoeffA = 300.987654321;
    s.CalCoeffB = 3.1;
    s.CalCoeffC = -0.00031234;
    s.CalCoeffD = 299.5;
    s.CalCoeffE = 3.25;
    s.CalCoeffF = -1.5e-10;
    s.AutoScanDelay = 12.75f;
    s.AutoSaveOn = true;
    s.UserSuppliedName = true;
    s.AutoSaveName = "Ab_";
    s.BeepOn = false;
    s.CommPortNumber = 2;
    s.TextColor = 255;
    s.ChartColor = 12632256;
    s.CurveColor = 65280;
    s.MenuFormRect.Open = -1;
    s.IntegralFormRect = {100, 200, 300, 400, -1};
    ASSERT_TRUE(WriteSettingsFile(a.ctx));

    FileWorld b;
    b.dir.Write("Prismel.INI", a.dir.Read("Prismel.INI"));
    ReadSettingsFile(b.ctx);
    const ProgramState& r = *b.state;
    EXPECT_EQ(r.NumOfBands, 3);
    EXPECT_EQ(r.BandStart, s.BandStart);
    EXPECT_EQ(r.BandEnd, s.BandEnd);
    EXPECT_EQ(r.UseAverage, s.UseAverage);
    EXPECT_EQ(r.RatioNumerator, 1);
    EXPECT_EQ(r.RatioDenominator, 2);
    EXPECT_EQ(r.NormDiffX, 3);
    EXPECT_EQ(r.NormDiffY, 1);
    EXPECT_EQ(r.ExpBand1, 1);
    EXPECT_EQ(r.ExpBand2, 2);
    EXPECT_EQ(r.ExpBand3, 3);
    EXPECT_EQ(r.ExpBand4, 1);
    EXPECT_EQ(r.ExpOp1, 2);
    EXPECT_EQ(r.ExpOp2, 4);
    EXPECT_EQ(r.ExpOp3, 1);
    EXPECT_EQ(r.DerivativeBand, 2);
    EXPECT_EQ(r.IntegralBand, 3);
    EXPECT_EQ(r.AverageBand, 1);
    EXPECT_TRUE(r.Menu.ActivateTimeStamp && r.Menu.ActivateNormDiff && r.Menu.ActivateDerivative);
    EXPECT_TRUE(r.Menu.ActivateAverage && r.Menu.ActivateDiagnostics);
    EXPECT_FALSE(r.Menu.ActivateRatio || r.Menu.ActivateExperimental || r.Menu.ActivateIntegral);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(r.AutoScaleOn[i], i == 0 ? -1 : s.AutoScaleOn[i]) << i;
        EXPECT_EQ(r.MinGridValue[i], s.MinGridValue[i]) << i;
        EXPECT_EQ(r.MaxGridValue[i], s.MaxGridValue[i]) << i;
    }
    EXPECT_EQ(r.IntegrationTime, 32767);
    EXPECT_EQ(r.NumToAverage, 18);
    EXPECT_TRUE(r.DarkCorrectionOn);
    EXPECT_TRUE(r.ReferenceOn);
    EXPECT_EQ(r.ReferenceFileName, s.ReferenceFileName);
    EXPECT_EQ(r.DefaultPath, s.DefaultPath);
    EXPECT_DOUBLE_EQ(r.CalCoeffA, s.CalCoeffA);
    EXPECT_DOUBLE_EQ(r.CalCoeffB, s.CalCoeffB);
    EXPECT_DOUBLE_EQ(r.CalCoeffC, s.CalCoeffC);
    EXPECT_DOUBLE_EQ(r.CalCoeffD, s.CalCoeffD);
    EXPECT_DOUBLE_EQ(r.CalCoeffE, s.CalCoeffE);
    EXPECT_DOUBLE_EQ(r.CalCoeffF, s.CalCoeffF);
    EXPECT_EQ(r.AutoScanDelay, s.AutoScanDelay);
    EXPECT_TRUE(r.AutoSaveOn);
    EXPECT_TRUE(r.UserSuppliedName);
    EXPECT_EQ(r.AutoSaveName, "Ab_");
    EXPECT_FALSE(r.BeepOn);
    EXPECT_EQ(r.CommPortNumber, 2);
    EXPECT_EQ(r.TextColor, 255);
    EXPECT_EQ(r.ChartColor, 12632256);
    EXPECT_EQ(r.CurveColor, 65280);
    EXPECT_EQ(r.MenuFormRect.Open, -1);
    EXPECT_EQ(r.IntegralFormRect.Open, -1);
    EXPECT_TRUE(r.Menu.ViewIntegralForm);
    EXPECT_EQ(b.windows.applied[7].second, "100 200 400 300 0 -1");
}

TEST(SettingsFile, GridValuesAvoidTheExponentForm) {
    struct Case {
        float v;
        const char* text;
    };
    for (const Case& c : {Case{0.0f, "0"}, Case{0.5f, ".5"}, Case{1500.0f, "1500"}, Case{-2.25f, "-2.25"},
                          Case{1.5e-7f, ".00000015"}, Case{-1.234567e-3f, "-.001234567"},
                          Case{1e20f, "100000000000000000000"}, Case{2.5e7f, "25000000"}}) {
        EXPECT_EQ(PlainSingleText(c.v), c.text) << c.v;
    }
}

}  // namespace
}  // namespace tav
