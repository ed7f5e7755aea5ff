// The reference calibration file dialog and the data folder dialog: what they show, what OK
// stores and writes to the settings file, and what Cancel and Esc leave alone.

#include <gtest/gtest.h>

#include <string>

#include "files/SpectrumFileReader.h"
#include "windows/MainWindowWorld.h"
#include "windows/RefCalFileForm.h"
#include "windows/SetDirectoryForm.h"

namespace tav {
namespace {

struct FolderDialogs : ::testing::Test {
    test::MainWindowWorld w;
    ProgramState& s = *w.state;

    void SetUp() override {
        w.PastWelcome();
        ASSERT_TRUE(w.dir.Write("Ref1.rdg", "400 1 2\r\n401 1 2\r\n"));
        ASSERT_TRUE(w.dir.Write("cal/Lamp.rdg", "400 1 2\r\n401 1 2\r\n"));
        ASSERT_TRUE(w.dir.MakeDir("Spectra/Day1"));
        ASSERT_TRUE(w.dir.MakeDir("Spectra/Day2"));
        // What the settings file says before a dialog writes it.
        ASSERT_TRUE(w.dir.Write("Prismel.INI", "untouched"));
    }
    std::string Settings() { return w.dir.Read("Prismel.INI"); }
    bool SettingsHave(const std::string& line) { return Settings().find(line + "\r\n") != std::string::npos; }
    template <class T>
    T& Open() {
        T& form = w.app.forms.Get<T>();
        form.Show();
        return form;
    }
    template <class T>
    bool IsOpen() {
        return w.app.forms.Find<T>() != nullptr;
    }
};

TEST_F(FolderDialogs, TheReferenceDialogShowsTheSettingsAndStoresTheNameInUpperCase) {
    s.ReferenceOn = true;
    s.ReferenceFileName = "OLD.RDG";
    RefCalFileForm& form = Open<RefCalFileForm>();
    EXPECT_EQ(form.Caption(), "Select Reference Calibration File");
    EXPECT_EQ(form.RefCalFileOnChk.Value(), 1);
    EXPECT_EQ(form.RefNameBox.Text(), "OLD.RDG");
    EXPECT_EQ(form.File1.Pattern(), "*.RDG");
    form.RefNameBox.SetFocus();
    EXPECT_EQ(form.RefNameBox.SelLength(), 7);

    form.RefCalFileOnChk.UserClick();
    form.RefNameBox.UserEdit("mine.rdg");
    form.Command1.UserClick();
    EXPECT_FALSE(IsOpen<RefCalFileForm>());
    EXPECT_FALSE(s.ReferenceOn);  // off, yet the name is kept
    EXPECT_EQ(s.ReferenceFileName, "MINE.RDG");
    EXPECT_TRUE(SettingsHave("Reference On= 0 ")) << Settings();
    EXPECT_TRUE(SettingsHave("Reference File Name=MINE.RDG")) << Settings();
}

TEST_F(FolderDialogs, AFileOfTheCurrentFolderIsNamedBareAndOneOfAnotherFolderWithItsFolder) {
    RefCalFileForm& form = Open<RefCalFileForm>();
    ASSERT_EQ(form.File1.ListCount(), 1);
    form.File1.UserSelect(0);
    EXPECT_EQ(form.RefNameBox.Text(), "REF1.RDG");

    ASSERT_TRUE(form.Dir1.SetPath(w.dir.File("cal")));
    EXPECT_EQ(form.File1.Path(), w.dir.File("cal"));
    form.File1.SetListIndex(0);
    form.RefNameBox.SetText("");
    form.UserKeyPress(&form.File1, 13);
    EXPECT_EQ(form.RefNameBox.Text(), w.dir.File("cal") + "/LAMP.RDG");  // the folder keeps its case
    form.RefCalFileOnChk.UserClick();
    form.Command1.UserClick();
    EXPECT_TRUE(s.ReferenceOn);

    // The scans find the chosen file, although it is not in the current folder.
    s.SlotInfo[slot::Work].FileName = s.ReferenceFileName;
    EXPECT_EQ(ReadSpectrumFile(w.Mdi().Contexts().Files(), slot::Work), SpectrumReadResult::Ok);
}

TEST_F(FolderDialogs, CancelAndEscStoreNothing) {
    s.ReferenceFileName = "KEEP.RDG";
    s.DefaultPath = w.dir.File("DATA");
    RefCalFileForm& ref = Open<RefCalFileForm>();
    ref.RefNameBox.UserEdit("other.rdg");
    ref.RefCalFileOnChk.UserClick();
    ref.Command2.UserClick();
    EXPECT_FALSE(IsOpen<RefCalFileForm>());
    Open<RefCalFileForm>().RefNameBox.UserEdit("other.rdg");
    w.app.forms.Get<RefCalFileForm>().UserKeyPress(&w.app.forms.Get<RefCalFileForm>().RefNameBox, 27);
    EXPECT_FALSE(IsOpen<RefCalFileForm>());

    SetDirectoryForm& dir = Open<SetDirectoryForm>();
    dir.Dir1.UserSelect(0);
    dir.Command2.UserClick();
    EXPECT_FALSE(IsOpen<SetDirectoryForm>());
    Open<SetDirectoryForm>().UserKeyPress(nullptr, 27);
    EXPECT_FALSE(IsOpen<SetDirectoryForm>());

    EXPECT_EQ(s.ReferenceFileName, "KEEP.RDG");
    EXPECT_FALSE(s.ReferenceOn);
    EXPECT_EQ(s.DefaultPath, w.dir.File("DATA"));
    EXPECT_EQ(Settings(), "untouched");
}

TEST_F(FolderDialogs, TheDataFolderDialogOpensAtTheCurrentFolderAndTakesTheHighlightedOne) {
    s.DefaultPath = w.dir.File("DATA");
    SetDirectoryForm& form = Open<SetDirectoryForm>();
    EXPECT_EQ(form.Caption(), "Set Directory");
    EXPECT_EQ(form.Dir1.Path(), w.dir.Path());
    EXPECT_EQ(form.Label1.Caption(), w.dir.Path());

    ASSERT_TRUE(form.Dir1.SetPath(w.dir.File("Spectra")));
    form.Dir1.UserSelect(1);  // clicked once, not opened
    EXPECT_EQ(form.Label1.Caption(), w.dir.File("Spectra/Day2"));
    EXPECT_EQ(form.Dir1.Path(), w.dir.File("Spectra"));
    form.Command1.UserClick();
    EXPECT_FALSE(IsOpen<SetDirectoryForm>());
    EXPECT_EQ(s.DefaultPath, w.dir.File("Spectra/Day2"));
    EXPECT_TRUE(SettingsHave("Default Path=" + w.dir.File("Spectra/Day2"))) << Settings();
    EXPECT_EQ(w.faulty.CurrentDir(), w.dir.Path());  // OK does not change the current folder
}

TEST_F(FolderDialogs, EnterInTheFolderListMakesTheHighlightedFolderCurrent) {
    SetDirectoryForm& form = Open<SetDirectoryForm>();
    ASSERT_TRUE(form.Dir1.SetPath(w.dir.File("Spectra")));
    form.Dir1.UserSelect(0);
    const std::string label = form.Label1.Caption();
    form.UserKeyPress(&form.Dir1, 13);
    EXPECT_EQ(form.Dir1.Path(), w.dir.File("Spectra/Day1"));
    EXPECT_EQ(w.faulty.CurrentDir(), w.dir.File("Spectra/Day1"));
    EXPECT_EQ(form.Label1.Caption(), label);
    form.Command1.UserClick();
    EXPECT_EQ(s.DefaultPath, w.dir.File("Spectra/Day1"));
    // The settings file stays in the start folder.
    EXPECT_TRUE(SettingsHave("Default Path=" + w.dir.File("Spectra/Day1"))) << Settings();
}

TEST(ReferenceNameText, UpperCasesTheNameOnly) {
    EXPECT_EQ(ReferenceNameText("ref.rdg"), "REF.RDG");
    EXPECT_EQ(ReferenceNameText("/home/Op/cal/ref.rdg"), "/home/Op/cal/REF.RDG");
    EXPECT_EQ(ReferenceNameText("sub\\ref.rdg"), "sub\\REF.RDG");
    EXPECT_EQ(ReferenceNameText(""), "");
}

}  // namespace
}  // namespace tav
