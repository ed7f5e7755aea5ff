// The program's start-up (the main window's Load) and its end (every way of closing the main
// window): start values, the settings file and its defaults, the board detection, the kinetic
// logs kept open for the run.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

#include "MainWindowWorld.h"
#include "windows/BoardDetection.h"

namespace tav {
namespace {

using test::MainWindowWorld;

const char* const LogNames[] = {"~Ratio.Tmp", "~NormDif.Tmp", "~Exper.Tmp", "~Deriv.Tmp",
                                "~Integ.Tmp", "~Average.Tmp", "~Diagnost.Tmp"};

TEST(StartUp, WithoutASettingsFileTheProgramStartsOnItsDefaults) {
    MainWindowWorld w;
    const ProgramState& s = *w.state;
    MDIForm1& mdi = w.Mdi();

    EXPECT_TRUE(s.ShowChannel2);
    EXPECT_TRUE(s.PixelMode);
    EXPECT_EQ(s.BinWidth, 3.0f);
    EXPECT_EQ(s.MemoryMode, 2);
    EXPECT_EQ(s.ScanNumber, 0);
    EXPECT_EQ(s.IntervalTenths, 10);
    EXPECT_EQ(s.ReadAddress, 1);
    EXPECT_EQ(s.ReadAddressSaved, 1);
    EXPECT_EQ(s.WriteAddress, 0);
    EXPECT_TRUE(s.ReadAddressPending);
    EXPECT_EQ(s.MaxScanIdx, 100);
    EXPECT_EQ(s.StartDir, w.dir.Path());
    EXPECT_TRUE(s.ResetTimer);
    EXPECT_EQ(s.PrintScalePct, 100);
    EXPECT_EQ(s.DisplayChannel, (std::array<int16_t, 8>{0, 0, 12, 0, 0, 16, 0, 0}));
    EXPECT_FALSE(s.DasBoardPresent);
    // The settings file's defaults, and the wavelength table from its calibration.
    EXPECT_EQ(s.IntegrationTime, 300);
    EXPECT_EQ(s.NumToAverage, 1);
    EXPECT_EQ(s.DefaultPath, w.dir.File("DATA"));
    EXPECT_TRUE(w.dir.Exists("DATA"));
    EXPECT_FLOAT_EQ(s.WaveLength[0], static_cast<float>(301.22 + 3.3323 - 0.000306));
    EXPECT_EQ(s.XZoomMin, s.WaveLength[0]);

    EXPECT_EQ(mdi.Text5.Text(), "1");
    EXPECT_EQ(mdi.Text6.Text(), "0");
    EXPECT_EQ(mdi.Text7.Text(), "1.0");
    EXPECT_EQ(mdi.Text2.Text(), " Normal");
    EXPECT_EQ(mdi.Text3.Text(), "30.0");
    EXPECT_EQ(mdi.Integrat.Value(), 300);
    EXPECT_EQ(mdi.Text4.Text(), "1");
    EXPECT_EQ(mdi.Text1.Text(), "3.0");

    // The windows: the main window with the spectrum window, and the welcome window over them.
    EXPECT_TRUE(mdi.Visible());
    EXPECT_EQ(mdi.Caption(), "Veradin V2.5");
    ASSERT_NE(w.app.forms.Find<MainForm>(), nullptr);
    EXPECT_TRUE(w.Main().Visible());
    EXPECT_TRUE(s.Menu.Viewmainform);
    ASSERT_NE(w.Welcome(), nullptr);
    EXPECT_TRUE(w.Welcome()->Visible());
    EXPECT_TRUE(w.flows.calls.empty());  // the first scan waits for the welcome to close

    for (const char* name : LogNames) EXPECT_TRUE(w.dir.Exists(name)) << name;
    EXPECT_TRUE(w.Mdi().Contexts().logs.IsOpen(101));
    EXPECT_TRUE(w.Mdi().Contexts().logs.IsOpen(107));
}

TEST(StartUp, TheSettingsFileOfTheStartFolderIsRead) {
    MainWindowWorld w(false);
    w.dir.Write("Prismel.INI", "[Acquisition]\r\nIntegration Time=1200\r\nNumber to Average=5\r\n");
    w.Start();
    EXPECT_EQ(w.state->IntegrationTime, 1200);
    EXPECT_EQ(w.Mdi().Text3.Text(), "120.0");
    EXPECT_EQ(w.Mdi().Text4.Text(), "5");
    EXPECT_FALSE(w.dir.Exists("DATA"));  // the defaults' folder only comes without a file
}

// A settings file without the calibration lines leaves no coefficient set: the program takes
// the built-in calibration for such a channel, so the first scan after the welcome window is
// drawn on its wavelengths like every later one.
TEST(StartUp, AFileWithoutTheCalibrationKeepsTheBuiltInOneAndTheFirstChartIsWhole) {
    MainWindowWorld w(false);
    w.dir.Write("Prismel.INI",
                "[Index]\r\n"
                "Auto Scale On=-1 -1 -1 -1 -1 -1 -1 -1\r\n"
                "Max Grid Value=1 1 1 1 1 1 1 1\r\n"
                "[Acquisition]\r\n"
                "Integration Time=300\r\n"
                "Beep On=0\r\n"
                "Serialport=1\r\n");
    w.Start(true);
    const ProgramState& s = *w.state;
    EXPECT_DOUBLE_EQ(s.CalCoeffA, 301.22);
    EXPECT_DOUBLE_EQ(s.CalCoeffB, 3.3323);
    EXPECT_DOUBLE_EQ(s.CalCoeffC, -0.000306);
    EXPECT_DOUBLE_EQ(s.CalCoeffD, 301.1);
    EXPECT_DOUBLE_EQ(s.CalCoeffE, 3.3268);
    EXPECT_DOUBLE_EQ(s.CalCoeffF, -0.000285);

    ASSERT_NE(w.Welcome(), nullptr);
    w.MainCanvas().ClearRecord();
    w.Welcome()->Command1.UserClick();  // the first scan of the run
    ASSERT_EQ(s.SlotInfo[0].NumPoints, 256);
    const std::vector<std::string> printed = w.MainCanvas().PrintedTexts();
    for (const char* label : {"400", "500", "600", "700", "800", "900", "1000", "1100"}) {
        EXPECT_NE(std::find(printed.begin(), printed.end(), label), printed.end()) << label;
    }
    EXPECT_EQ(std::find(printed.begin(), printed.end(), "0"), printed.end());

    // A file that gives a calibration keeps it, also for one channel alone.
    MainWindowWorld other(false);
    other.dir.Write("Prismel.INI", "[Acquisition]\r\nCal Coeff A=350\r\nCal Coeff B=2\r\n");
    other.Start();
    EXPECT_DOUBLE_EQ(other.state->CalCoeffA, 350);
    EXPECT_DOUBLE_EQ(other.state->CalCoeffB, 2);
    EXPECT_DOUBLE_EQ(other.state->CalCoeffC, 0);
    EXPECT_DOUBLE_EQ(other.state->CalCoeffD, 301.1);
    EXPECT_FLOAT_EQ(other.state->WaveLength[0], 352.0f);
}

TEST(StartUp, ASecondRunAppendsToTheLogsOfTheFirst) {
    MainWindowWorld first;
    ASSERT_TRUE(first.Mdi().Contexts().logs.Append(101, "first run"));
    first.Mdi().UserClose();

    MainWindowWorld second(false);
    second.fs.SetCurrentDir(first.dir.Path());
    second.Start();
    ASSERT_TRUE(second.Mdi().Contexts().logs.Append(101, "second run"));
    EXPECT_EQ(first.dir.Read("~Ratio.Tmp"), "first run\r\nsecond run\r\n");
}

// Temporary files that replacing writes of a killed run left are removed at start: those of the
// settings file and the logs in the start folder, of spectrum files and saved logs in the data
// folder. Files of that shape for other names, and a write still going on, keep theirs.
TEST(StartUp, WhatTheWritesOfAKilledRunLeftIsRemoved) {
    MainWindowWorld w(false);
    ASSERT_TRUE(w.dir.Write("Prismel.INI", "[Acquisition]\r\nDefault Path=" + w.dir.File("DATA") + "\r\n"));
    const std::vector<std::string> leftovers = {
        ".Prismel.INI.Ab12Cd", ".~Ratio.Tmp.Xy34Zw", ".~Diagnost.Tmp.q1W2e3", "DATA/.XYZ00003.rdg.Qw12Er",
        "DATA/.ratio.DAT.a1B2c3"};
    const std::vector<std::string> kept = {".notes.txt.Ab12Cd", "DATA/.notes.txt.Ab12Cd", "DATA/.busy.rdg.Zz99Yy",
                                           "DATA/XYZ00002.rdg"};
    for (const std::string& name : leftovers) ASSERT_TRUE(w.dir.Write(name, "half written"));
    for (const std::string& name : kept) ASSERT_TRUE(w.dir.Write(name, "kept"));
    const int busy = ::open(w.dir.File("DATA/.busy.rdg.Zz99Yy").c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(busy, 0);
    ASSERT_EQ(::flock(busy, LOCK_EX), 0);

    w.Start();
    EXPECT_EQ(w.state->DefaultPath, w.dir.File("DATA"));
    for (const std::string& name : leftovers) EXPECT_FALSE(w.dir.Exists(name)) << name;
    for (const std::string& name : kept) EXPECT_EQ(w.dir.Read(name), "kept") << name;
    ::close(busy);
}

TEST(StartUp, ALogThatCannotBeOpenedIsSkippedSilently) {
    MainWindowWorld w(false);
    w.faulty.FailPath(FsOp::OpenAppend, w.dir.File("~Exper.Tmp"), FsError::WriteError);
    w.Start();
    KineticLogs& logs = w.Mdi().Contexts().logs;
    EXPECT_FALSE(logs.IsOpen(103));
    EXPECT_TRUE(logs.IsOpen(102));
    EXPECT_TRUE(logs.IsOpen(104));
    EXPECT_TRUE(w.op.Messages().empty());
}

struct BoardCase {
    const char* what;
    const char* cbdirec;  // nullptr: not set; "@" stands for the test folder
    const char* configAt; // where CB.CFG is written, relative to the test folder ("" none)
    const char* boardName;
    bool asked;
    bool present;
};

TEST(StartUp, TheBoardIsAskedForOnlyWhereItsConfigurationIs) {
    const BoardCase cases[] = {
        {"no variable, no file", nullptr, "", "PCM-DAS16D/12", false, false},
        {"no variable, file in the current folder", nullptr, "CB.CFG", "PCM-DAS16D/12", true, true},
        {"folder without separator", "@/cb", "cb/CB.CFG", "PCM-DAS16D/12", true, true},
        {"folder ending in a backslash", "@/cb\\", "cb/CB.CFG", "PCM-DAS16D/12", true, true},
        {"folder ending in a slash", "@/cb/", "cb/CB.CFG", "PCM-DAS16D/12", true, true},
        {"the name in another case", "@/cb", "cb/cb.cfg", "PCM-DAS16D/12", true, true},
        {"file only in the current folder", "@/cb", "CB.CFG", "PCM-DAS16D/12", false, false},
        {"another board", nullptr, "CB.CFG", "PCM-DAS16D/16", true, false},
        {"the board's name in other letters", nullptr, "CB.CFG", "pcm-das16d/12", true, false},
        {"no board", nullptr, "CB.CFG", "", true, false},
    };
    for (const BoardCase& c : cases) {
        MainWindowWorld w(false, c.boardName);
        if (c.cbdirec) {
            std::string value = c.cbdirec;
            if (value.rfind('@', 0) == 0) value = w.dir.Path() + value.substr(1);
            w.fs.SetEnvOverride("CBDIREC", value);
        }
        if (*c.configAt) {
            ASSERT_TRUE(w.dir.Write(c.configAt, "board 0\r\n"));
        }
        w.Start();
        SCOPED_TRACE(c.what);
        EXPECT_EQ(w.boardLibrary.BoardsAsked().size(), c.asked ? 1u : 0u);
        EXPECT_EQ(w.state->DasBoardPresent, c.present);
    }
}

TEST(StartUp, SimulationModeLeavesTheBoardLibraryAlone) {
    MainWindowWorld w(false, "PCM-DAS16D/12");
    ASSERT_TRUE(w.dir.Write("CB.CFG", ""));
    EXPECT_EQ(DetectedBoardName(w.fs, w.boardLibrary, true), "");
    EXPECT_TRUE(w.boardLibrary.BoardsAsked().empty());
    EXPECT_EQ(DetectedBoardName(w.fs, w.boardLibrary, false), "PCM-DAS16D/12");
}

// Ways of ending the program, each from a running program whose current folder has moved on.
enum class EndBy { CloseBox, ExitMenu, ExitShortcut };

TEST(ShutDown, EveryWayOfClosingWritesTheSettingsFirstAndEndsTheProgram) {
    for (EndBy end : {EndBy::CloseBox, EndBy::ExitMenu, EndBy::ExitShortcut}) {
        MainWindowWorld w;
        w.PastWelcome();
        w.dir.MakeDir("elsewhere");
        w.fs.SetCurrentDir(w.dir.File("elsewhere"));
        w.state->IntegrationTime = 777;
        w.Main().Move(300, 200, 5000, 3000);  // left, top, width, height
        w.state->MainFormRect.Open = -1;       // as showing it from the View menu leaves it
        switch (end) {
            case EndBy::CloseBox: w.Mdi().UserClose(); break;
            case EndBy::ExitMenu: w.Mdi().Exit.UserClick(); break;
            case EndBy::ExitShortcut: w.Main().UserKeyDown(nullptr, 'X', shift::Ctrl); break;
        }
        SCOPED_TRACE(static_cast<int>(end));
        const std::string settings = w.dir.Read("Prismel.INI");
        EXPECT_NE(settings.find("Integration Time=777\r\n"), std::string::npos) << settings;
        // Written while the spectrum window was still there to give its place.
        EXPECT_NE(settings.find("Main Window=200 300 3000 5000 0 -1 \r\n"), std::string::npos) << settings;
        EXPECT_FALSE(w.dir.Exists("elsewhere/Prismel.INI"));
        EXPECT_EQ(w.fs.CurrentDir(), w.dir.Path());
        EXPECT_TRUE(w.app.forms.Loaded().empty());
        EXPECT_EQ(w.host.Quits(), 1);
        EXPECT_TRUE(w.flows.calls.empty());
    }
}

TEST(ShutDown, ASettingsFileThatCannotBeWrittenIsReportedAndTheProgramStillEnds) {
    MainWindowWorld w;
    w.PastWelcome();
    w.dir.Write("Prismel.INI", "old");
    w.faulty.FailPath(FsOp::Write, w.dir.File("Prismel.INI"), FsError::WriteError);
    w.Mdi().UserClose();
    EXPECT_EQ(w.op.Messages().size(), 1u);
    EXPECT_EQ(w.dir.Read("Prismel.INI"), "old");
    EXPECT_TRUE(w.app.forms.Loaded().empty());
    EXPECT_EQ(w.host.Quits(), 1);
    // The logs were closed: what a later run appends follows the lines of this one.
    EXPECT_TRUE(w.dir.Exists("~Ratio.Tmp"));
}

TEST(ShutDown, ClosingWhileTheWelcomeIsUpTakesNoScan) {
    MainWindowWorld w;
    ASSERT_NE(w.Welcome(), nullptr);
    w.Mdi().UserClose();
    EXPECT_TRUE(w.flows.calls.empty());
    EXPECT_TRUE(w.dir.Exists("Prismel.INI"));
    EXPECT_EQ(w.host.Quits(), 1);
}

}  // namespace
}  // namespace tav
