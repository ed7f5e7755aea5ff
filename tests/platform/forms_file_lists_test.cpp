// The drive, folder and file lists on a real folder tree, and the file patterns.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms_test_app.h"
#include "platform/forms/Controls.h"

namespace tav {
namespace {

class ListsForm : public Form {
public:
    explicit ListsForm(App& app) : Form(app, "ListsForm") {
        Drive1.Change = [this] { log.push_back("Drive1_Change:" + Drive1.Drive()); };
        Dir1.Change = [this] { log.push_back("Dir1_Change:" + Dir1.Path()); };
        Dir1.Click = [this] { log.push_back("Dir1_Click:" + std::to_string(Dir1.ListIndex())); };
        File1.Click = [this] { log.push_back("File1_Click:" + File1.FileName()); };
    }
    std::vector<std::string> log;
    DriveListBox Drive1{*this, "Drive1"};
    DirListBox Dir1{*this, "Dir1"};
    FileListBox File1{*this, "File1"};
};

using Names = std::vector<std::string>;

Names Entries(const ListControl& list) {
    Names names;
    for (int i = 0; i < list.ListCount(); ++i) names.push_back(list.List(i));
    return names;
}

class FormsFileLists : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* file : {"data/b.rdg", "data/A.RDG", "data/c.txt", "data/.hidden.rdg",
                                 "data/noext", "data/Zeta/x.rdg", "data/alpha/y.rdg"}) {
            ASSERT_TRUE(t.dir.Write(file, "1"));
        }
        ASSERT_TRUE(t.dir.MakeDir("data/.git"));
        data = t.dir.File("data");
    }
    test::FormsTestApp t;
    std::string data;
};

TEST_F(FormsFileLists, ListsStartAtTheCurrentFolder) {
    auto& form = t.app.forms.Get<ListsForm>();
    EXPECT_EQ(form.Dir1.Path(), t.fs.CurrentDir());
    EXPECT_EQ(form.File1.Path(), t.fs.CurrentDir());
    EXPECT_EQ(form.Drive1.Drive(), "/");
}

TEST_F(FormsFileLists, FileListShowsTheMatchingFilesSortedWithoutRegardToCase) {
    auto& form = t.app.forms.Get<ListsForm>();
    ASSERT_TRUE(form.File1.SetPath(data));
    struct Case {
        const char* pattern;
        Names files;
    };
    const Case cases[] = {
        {"*.*", {"A.RDG", "b.rdg", "c.txt", "noext"}},
        {"*.RDG", {"A.RDG", "b.rdg"}},
        {"*.rdg;*.TXT", {"A.RDG", "b.rdg", "c.txt"}},
        {"?.rdg", {"A.RDG", "b.rdg"}},
        {"b*", {"b.rdg"}},
        {"*.dat", {}},
    };
    for (const Case& c : cases) {
        form.File1.SetPattern(c.pattern);
        EXPECT_EQ(Entries(form.File1), c.files) << c.pattern;
    }
    form.File1.SetPattern("*.rdg");
    form.File1.SetListIndex(1);
    EXPECT_EQ(form.File1.FileName(), "b.rdg");
    EXPECT_EQ(form.log.back(), "File1_Click:b.rdg");
    form.File1.SetPattern("*.txt");
    EXPECT_EQ(form.File1.ListIndex(), -1) << "a new listing selects nothing";
    EXPECT_EQ(form.File1.FileName(), "");
}

TEST_F(FormsFileLists, FolderListNumbersTheOpenFolderAndItsParentsBelowZero) {
    auto& form = t.app.forms.Get<ListsForm>();
    form.log.clear();
    ASSERT_TRUE(form.Dir1.SetPath(data + "\\"));  // a "\" is read as "/"
    EXPECT_EQ(form.Dir1.Path(), data);
    EXPECT_EQ(form.log, Names({"Dir1_Change:" + data}));

    EXPECT_EQ(form.Dir1.List(-1), data);
    EXPECT_EQ(form.Dir1.List(-2), t.dir.Path());
    EXPECT_EQ(Entries(form.Dir1), Names({data + "/alpha", data + "/Zeta"})) << "hidden folders left out";
    const int depth = -form.Dir1.FirstRowIndex();
    EXPECT_EQ(form.Dir1.List(-depth), "/");
    EXPECT_EQ(form.Dir1.List(-depth - 1), "");
    const Names rows = form.Dir1.Rows();
    ASSERT_EQ(rows.size(), static_cast<size_t>(depth + 2));
    EXPECT_EQ(rows.front(), "/");
    EXPECT_EQ(rows[depth - 1], "data");
    EXPECT_EQ(rows[depth], "alpha");

    form.log.clear();
    form.Dir1.SetPath(data);
    EXPECT_TRUE(form.log.empty()) << "the same folder again: no Change";
    EXPECT_FALSE(form.Dir1.SetPath(data + "/missing"));
    EXPECT_FALSE(form.Dir1.SetPath(data + "/c.txt"));
    EXPECT_EQ(form.Dir1.Path(), data);
    EXPECT_TRUE(form.log.empty());
}

TEST_F(FormsFileLists, DoubleClickOpensTheHighlightedFolder) {
    auto& form = t.app.forms.Get<ListsForm>();
    form.Dir1.SetPath(data);
    form.log.clear();
    form.Dir1.UserSelect(1);
    form.Dir1.UserDblClick();
    EXPECT_EQ(form.Dir1.Path(), data + "/Zeta");
    EXPECT_EQ(form.log, Names({"Dir1_Click:1", "Dir1_Change:" + data + "/Zeta"}));

    form.Dir1.UserSelect(-2);  // the parent
    form.Dir1.UserDblClick();
    EXPECT_EQ(form.Dir1.Path(), data);
}

TEST_F(FormsFileLists, DriveChangeFiresWhenTheDriveDiffers) {
    auto& form = t.app.forms.Get<ListsForm>();
    form.Drive1.SetDrive("/");
    form.Drive1.SetDrive("x:");
    EXPECT_EQ(form.Drive1.ListIndex(), -1);
    form.Drive1.UserSelect(0);
    EXPECT_EQ(form.log, Names({"Drive1_Change:x:", "Drive1_Change:/"}));
}

TEST(FormsFilePattern, Matching) {
    struct Case {
        const char* name;
        const char* patterns;
        bool matches;
    };
    const Case cases[] = {
        {"simulate.rdg", "*.RDG", true}, {"simulate.rdg.bak", "*.rdg", false},
        {"noext", "*.*", true},          {"a.dat", "*.rdg; *.dat", true},
        {"ab.rdg", "?.rdg", false},      {"x", "", false},
        {"x", ";;", false},              {"~Ratio.Tmp", "~*.tmp", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MatchesFilePattern(c.name, c.patterns), c.matches) << c.name << " ~ " << c.patterns;
    }
}

}  // namespace
}  // namespace tav
