// A name with a line break never reaches the settings file: the dialogs where it is chosen or
// typed refuse it with a message, the writer never writes one (a line break in a value would
// write a line that the reader takes as another key), and the reader never takes one in.

#include <gtest/gtest.h>

#include <string>

#include "files/SettingsFile.h"
#include "support/FileWorld.h"
#include "windows/MainWindowWorld.h"
#include "windows/RefCalFileForm.h"
#include "windows/SetDirectoryForm.h"
#include "windows/SettingsForm.h"

namespace tav {
namespace {

std::string Refusal(const std::string& what) {
    return what + " holds a line break or another control character,\nwhich the settings file cannot keep.\n"
                  "Choose another name.";
}

struct NamesWithLineBreaks : ::testing::Test {
    test::MainWindowWorld w;
    ProgramState& s = *w.state;

    void SetUp() override {
        w.PastWelcome();
        ASSERT_TRUE(w.dir.MakeDir("Day1\nAuto Save On=-1"));
        ASSERT_TRUE(w.dir.Write("Prismel.INI", "untouched"));
        s.DefaultPath = w.dir.File("DATA");
        s.ReferenceFileName = "WHITE.RDG";
    }
};

TEST_F(NamesWithLineBreaks, TheDataFolderDialogRefusesAFolderWhoseNameHasOne) {
    SetDirectoryForm& form = w.app.forms.Get<SetDirectoryForm>();
    form.Show();
    int bad = -1;
    for (int i = 0; i < form.Dir1.ListCount(); ++i) {
        if (form.Dir1.List(i).find('\n') != std::string::npos) bad = i;
    }
    ASSERT_GE(bad, 0);
    form.Dir1.UserSelect(bad);
    form.Command1.UserClick();
    ASSERT_EQ(w.op.Messages().size(), 1u);
    EXPECT_EQ(w.op.Messages()[0].text, Refusal("The folder name"));
    EXPECT_EQ(w.op.Messages()[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(s.DefaultPath, w.dir.File("DATA"));
    EXPECT_EQ(w.dir.Read("Prismel.INI"), "untouched");
    EXPECT_NE(w.app.forms.Find<SetDirectoryForm>(), nullptr);  // the operator chooses again
}

TEST_F(NamesWithLineBreaks, TheReferenceDialogRefusesATypedNameWithOne) {
    for (const char* typed : {"REF\r\nDefault Path=/etc", "ref\tone.rdg"}) {
        w.op = ScriptedOperator();
        RefCalFileForm& form = w.app.forms.Get<RefCalFileForm>();
        form.Show();
        form.RefNameBox.UserEdit(typed);
        form.Command1.UserClick();
        ASSERT_EQ(w.op.Messages().size(), 1u);
        EXPECT_EQ(w.op.Messages()[0].text, Refusal("The reference file name"));
        EXPECT_EQ(s.ReferenceFileName, "WHITE.RDG");
        EXPECT_EQ(w.dir.Read("Prismel.INI"), "untouched");
        form.Command2.UserClick();
    }
}

TEST_F(NamesWithLineBreaks, TheSeriesNameBoxKeepsNone) {
    SettingsForm& form = w.app.forms.Get<SettingsForm>();
    form.Show();
    form.AutoSaveNameBox.UserEdit("A\nB");
    EXPECT_EQ(form.AutoSaveNameBox.Text(), "AB");
}

TEST(SettingsFileText, AValueWithALineBreakIsNeverWrittenNorRead) {
    test::FileWorld w;
    ProgramState& s = *w.state;
    s.StartDir = w.dir.Path();
    s.DefaultPath = "/data\r\nAuto Save On=-1";
    s.ReferenceFileName = "REF\nNumber Of Bands=100";
    s.AutoSaveOn = false;
    ASSERT_TRUE(WriteSettingsFile(w.ctx));
    const std::string text = w.dir.Read("Prismel.INI");
    EXPECT_EQ(text.find("Default Path="), std::string::npos) << text;
    EXPECT_EQ(text.find("Reference File Name="), std::string::npos) << text;
    EXPECT_EQ(text.find("Auto Save On=-1"), std::string::npos) << text;
    EXPECT_NE(text.find("Auto Save On=0\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Number Of Bands=0\r\n"), std::string::npos) << text;

    // A hand-edited file with a control character in a name: the name in force stays.
    test::FileWorld again;
    again.state->DefaultPath = "/kept";
    again.state->ReferenceFileName = "KEPT.RDG";
    ApplySettingsLine(again.ctx, "Default Path=/data\x01x");
    ApplySettingsLine(again.ctx, "Reference File Name=A\tB.RDG");
    EXPECT_EQ(again.state->DefaultPath, "/kept");
    EXPECT_EQ(again.state->ReferenceFileName, "KEPT.RDG");
    ApplySettingsLine(again.ctx, "Default Path=/data/new");
    EXPECT_EQ(again.state->DefaultPath, "/data/new");
}

}  // namespace
}  // namespace tav
