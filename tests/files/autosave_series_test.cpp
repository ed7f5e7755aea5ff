// The AutoSave series after the overwrite question, on the whole program: "No" protects every
// file of the series, on the next STARTs as well; a change of data folder, series name or naming
// choice starts the series again, so the question comes before a file of the new series'
// folder is replaced; "Yes" lets the series go on. And where the files of a series go: a data
// folder of "/" stays the root, an empty one is the current folder, and the question looks there.

#include <gtest/gtest.h>

#include <string>

#include "files/AutoSaveNames.h"
#include "files/SpectrumSave.h"
#include "support/FileWorld.h"
#include "windows/MainWindowWorld.h"
#include "windows/ProgramContexts.h"
#include "windows/SetDirectoryForm.h"
#include "windows/SettingsForm.h"

namespace tav {
namespace {

const char* OverwriteQuestion =
    "AutoSave is ON, and files\nwith the same series name exist.\nDo you want to overwrite?";

struct AutoSaveSeries : ::testing::Test {
    test::MainWindowWorld w{false};
    ProgramState& s = *w.state;

    void SetUp() override {
        ASSERT_TRUE(w.dir.MakeDir("DATA"));
        ASSERT_TRUE(w.dir.MakeDir("OTHER"));
        ASSERT_TRUE(w.dir.Write("Prismel.INI",
                                "[Acquisition]\r\nIntegration Time=100\r\nNumber to Average=1\r\n"
                                "Default Path=" + w.dir.File("DATA") + "\r\nAuto Save On=-1\r\n"
                                "User Supplied Name=0\r\nAuto Save Name=TST\r\n"));
        w.Start(true);
    }
    // The welcome window closes into the first scan of the run.
    void FirstScan() { w.Welcome()->Command1.UserClick(); }
    void Start() { w.Mdi().Command1.UserClick(); }
    int Questions() const {
        int n = 0;
        for (const MessageRecord& m : w.op.Messages()) n += m.text == OverwriteQuestion;
        return n;
    }
    SetDirectoryForm& FolderDialog() {
        SetDirectoryForm& form = w.app.forms.Get<SetDirectoryForm>();
        form.Show();
        return form;
    }
};

TEST_F(AutoSaveSeries, NoKeepsTheSeriesFilesThroughTheNextStarts) {
    ASSERT_TRUE(w.dir.Write("DATA/TST00001.rdg", "first"));
    ASSERT_TRUE(w.dir.Write("DATA/TST00002.rdg", "second"));
    w.op.SetDefaultAnswer(MsgResult::No);
    FirstScan();
    ASSERT_EQ(Questions(), 1);
    EXPECT_FALSE(w.Mdi().Timer1.Enabled());
    Start();
    Start();
    EXPECT_EQ(w.dir.Read("DATA/TST00001.rdg"), "first");
    EXPECT_EQ(w.dir.Read("DATA/TST00002.rdg"), "second");
    EXPECT_EQ(w.dir.Names("DATA"), (std::vector<std::string>{"TST00001.rdg", "TST00002.rdg"}));
    // Each scan asks again: the series starts anew after every "No".
    EXPECT_EQ(Questions(), 3);
    EXPECT_EQ(w.op.Messages().size(), 3u);
    EXPECT_EQ(s.SlotInfo[0].NumPoints, 256);  // the scans themselves were taken
}

TEST_F(AutoSaveSeries, YesLetsTheSeriesGoOn) {
    ASSERT_TRUE(w.dir.Write("DATA/TST00001.rdg", "first"));
    ASSERT_TRUE(w.dir.Write("DATA/TST00002.rdg", "second"));
    w.op.SetDefaultAnswer(MsgResult::Yes);
    FirstScan();
    Start();
    Start();
    EXPECT_EQ(Questions(), 1);
    EXPECT_EQ(w.dir.Names("DATA"), (std::vector<std::string>{"TST00001.rdg", "TST00002.rdg", "TST00003.rdg"}));
    EXPECT_EQ(w.dir.Read("DATA/TST00002.rdg").rfind("\"File:", 0), 0u);
}

TEST_F(AutoSaveSeries, ANewDataFolderStartsTheSeriesAgain) {
    FirstScan();  // DATA/TST00001.rdg, no question: the folder held no file of the series
    ASSERT_EQ(w.dir.Names("DATA"), std::vector<std::string>{"TST00001.rdg"});
    ASSERT_TRUE(w.dir.Write("OTHER/TST00001.rdg", "first"));
    ASSERT_TRUE(w.dir.Write("OTHER/TST00002.rdg", "second"));

    SetDirectoryForm& dialog = FolderDialog();
    ASSERT_TRUE(dialog.Dir1.SetPath(w.dir.File("OTHER")));
    dialog.Command1.UserClick();
    ASSERT_EQ(s.DefaultPath, w.dir.File("OTHER"));

    w.op.SetDefaultAnswer(MsgResult::No);
    Start();
    Start();
    EXPECT_EQ(Questions(), 2);
    EXPECT_EQ(w.dir.Read("OTHER/TST00001.rdg"), "first");
    EXPECT_EQ(w.dir.Read("OTHER/TST00002.rdg"), "second");
    EXPECT_EQ(w.dir.Names("OTHER").size(), 2u);
    EXPECT_EQ(w.dir.Names("DATA"), std::vector<std::string>{"TST00001.rdg"});
}

TEST_F(AutoSaveSeries, EnterInTheFolderListMovesARelativeDataFolderAndStartsTheSeriesAgain) {
    ASSERT_TRUE(w.dir.MakeDir("day2/DATA"));
    s.DefaultPath = "DATA";  // taken from the current folder
    FirstScan();
    ASSERT_EQ(w.dir.Names("DATA"), std::vector<std::string>{"TST00001.rdg"});
    ASSERT_TRUE(w.dir.Write("day2/DATA/TST00002.rdg", "second"));

    SetDirectoryForm& dialog = FolderDialog();
    for (int i = 0; i < dialog.Dir1.ListCount(); ++i) {
        if (dialog.Dir1.List(i) == w.dir.File("day2")) dialog.Dir1.UserSelect(i);
    }
    ASSERT_EQ(dialog.Label1.Caption(), w.dir.File("day2"));
    dialog.UserKeyPress(&dialog.Dir1, 13);
    dialog.Command2.UserClick();
    ASSERT_EQ(w.faulty.CurrentDir(), w.dir.File("day2"));

    w.op.SetDefaultAnswer(MsgResult::No);
    Start();
    EXPECT_EQ(Questions(), 1);
    EXPECT_EQ(w.dir.Read("day2/DATA/TST00002.rdg"), "second");
}

TEST_F(AutoSaveSeries, AnotherNameOrNamingChoiceStartsTheSeriesAgain) {
    SettingsForm& settings = w.app.forms.Get<SettingsForm>();
    settings.Show();  // the dialog's first opening in a run starts a series by itself
    settings.Command2.UserClick();
    FirstScan();
    Start();
    ASSERT_EQ(w.dir.Names("DATA"), (std::vector<std::string>{"TST00001.rdg", "TST00002.rdg"}));
    const std::string first = w.dir.Read("DATA/TST00001.rdg");

    // Names from the operator for a while, then the series' names again.
    w.app.forms.Get<SettingsForm>().Show();
    w.app.forms.Get<SettingsForm>().UserSuppliedNames.UserClick();
    w.app.forms.Get<SettingsForm>().Command1.UserClick();
    w.app.forms.Get<SettingsForm>().Show();
    w.app.forms.Get<SettingsForm>().AutoNames.UserClick();
    w.app.forms.Get<SettingsForm>().Command1.UserClick();
    ASSERT_FALSE(s.UserSuppliedName);

    w.op.SetDefaultAnswer(MsgResult::No);
    Start();
    EXPECT_EQ(Questions(), 1);
    EXPECT_EQ(w.dir.Names("DATA").size(), 2u);
    EXPECT_EQ(w.dir.Read("DATA/TST00001.rdg"), first);
}

// Where the series goes, with the file routines alone.
struct SeriesFolder : ::testing::Test {
    test::FileWorld w;
    ProgramState& s = *w.state;
    void SetUp() override {
        s.AutoSaveName = "TST";
        s.SlotInfo[0].NumPoints = 2;
        s.XData[0][0] = 400.0f;
        s.XData[0][1] = 401.0f;
    }
};

TEST_F(SeriesFolder, TheRootFolderStaysTheRoot) {
    s.DefaultPath = "/";
    w.fs.FailNext(FsOp::Write, FsError::NoPermission);  // nothing reaches the real root
    PrepareAutoSaveName(s);
    EXPECT_EQ(s.DefaultPath, "/");
    EXPECT_EQ(s.AutoSaveFileName, "/TST00001.rdg");
    EXPECT_EQ(AutoSaveSpectrum(w.ctx), SpectrumSaveResult::Failed);
    ASSERT_EQ(w.fs.WriteAttempts().size(), 1u);
    EXPECT_EQ(w.fs.WriteAttempts()[0].path, "/TST00001.rdg");
    EXPECT_FALSE(w.dir.Exists("TST00001.rdg"));

    // One trailing separator of another folder still goes.
    s.DefaultPath = w.P("DATA") + "/";
    PrepareAutoSaveName(s);
    EXPECT_EQ(s.DefaultPath, w.P("DATA"));
}

TEST_F(SeriesFolder, AnEmptyDataFolderIsTheCurrentFolderAndTheQuestionLooksThere) {
    s.DefaultPath = "";
    ASSERT_TRUE(w.dir.Write("TST00001.rdg", "first"));
    w.op.AnswerMessage(MsgResult::No);
    PrepareAutoSaveName(s);
    EXPECT_EQ(AutoSaveSpectrum(w.ctx), SpectrumSaveResult::Cancelled);
    ASSERT_EQ(w.op.Messages().size(), 1u);
    EXPECT_EQ(w.op.Messages()[0].text, OverwriteQuestion);
    EXPECT_EQ(w.dir.Read("TST00001.rdg"), "first");
}

}  // namespace
}  // namespace tav
