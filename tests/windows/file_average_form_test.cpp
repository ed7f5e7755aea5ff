// The file average dialog: building the list from the folder lists and the name box, removing
// entries, and what OK, Cancel and Esc hand to the averaging.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "charts/ChartValues.h"
#include "windows/FileAverageForm.h"
#include "windows/MainWindowWorld.h"

namespace tav {
namespace {

using Names = std::vector<std::string>;

Names Entries(const ListControl& list) {
    Names names;
    for (int i = 0; i < list.ListCount(); ++i) names.push_back(list.List(i));
    return names;
}

// What the list shows of an entry (the test paths are longer than 25 characters).
std::string Last25(const std::string& path) { return path.substr(path.size() - 25); }

std::string SpectrumFile(float ch1) {
    const std::string c = std::to_string(ch1);
    return "\"File:       X.rdg\"\r\n\"Temp:       23.4 deg C\"\r\n\"Time:       03/07/2024  14:05:09  12.5\"\r\n"
           "\"Limits:     400 - 401\"\r\n\r\n\"Minimum:    400nm  0\"\r\n\"Maximum:    401nm  100\"\r\n"
           "\"Integration: 30 ms\"\r\n\"Number Scans: 4\"\r\n\r\n"
           "400\t" + c + "\t100\r\n401\t" + c + "\t100\r\n";
}

struct FileAverageDialog : ::testing::Test {
    test::MainWindowWorld w;
    ProgramState& s = *w.state;
    std::string data;

    void SetUp() override {
        w.PastWelcome();
        data = s.DefaultPath;
        ASSERT_EQ(data, w.dir.File("DATA"));
        const std::pair<const char*, float> files[] = {{"a.rdg", 10}, {"b.rdg", 20}, {"c.RDG", 60}, {"d.rdg", 90}};
        for (const auto& [name, ch1] : files) ASSERT_TRUE(w.dir.Write(std::string("DATA/") + name, SpectrumFile(ch1)));
        ASSERT_TRUE(w.dir.Write("DATA/notes.txt", "x"));
        ASSERT_TRUE(w.dir.MakeDir("DATA/first"));
        for (int i = 1; i <= 9; ++i) ASSERT_TRUE(w.dir.MakeDir("DATA/sub" + std::to_string(i)));
    }
    FileAverageForm& Open() {
        FileAverageForm& form = w.app.forms.Get<FileAverageForm>();
        form.Show();
        return form;
    }
    FileAverageForm* Dialog() { return w.app.forms.Find<FileAverageForm>(); }
    void Key(Control& control, int16_t ascii) { control.Owner().UserKeyPress(&control, ascii); }
    void DoubleClickFile(FileAverageForm& form, int index) {
        form.File1.UserSelect(index);
        form.File1.UserDblClick();
    }
    bool HeaderShows(const std::string& text) {
        for (const CanvasOp& op : w.MainCanvas().Ops()) {
            if ((op.kind == CanvasOp::Kind::Print || op.kind == CanvasOp::Kind::PrintInline) &&
                op.text.find(text) != std::string::npos) {
                return true;
            }
        }
        return false;
    }
};

TEST_F(FileAverageDialog, OpensAtTheDataFolderWithAnEmptyListOfSpectrumFiles) {
    s.AvgFileList = {"left over"};
    FileAverageForm& form = Open();
    EXPECT_EQ(form.Caption(), "Files to Average");
    EXPECT_TRUE(form.KeyPreview());
    EXPECT_EQ(form.Dir1.Path(), data);
    EXPECT_EQ(form.File1.Path(), data);
    EXPECT_EQ(Entries(form.File1), (Names{"a.rdg", "b.rdg", "c.RDG", "d.rdg"}));
    EXPECT_EQ(form.List1.ListCount(), 0);
    EXPECT_TRUE(s.AvgFileList.empty());
    EXPECT_EQ(form.CalcStdErrChk.Caption(), "Calculate Standard Error");
    EXPECT_EQ(form.CalcStdErrChk.Value(), 0);
}

TEST_F(FileAverageDialog, OpensAtTheCurrentFolderWhenTheDataFolderIsGone) {
    s.DefaultPath = w.dir.File("nowhere");
    FileAverageForm& form = Open();
    EXPECT_EQ(form.Dir1.Path(), w.faulty.CurrentDir());
    EXPECT_EQ(form.File1.Path(), w.faulty.CurrentDir());
}

TEST_F(FileAverageDialog, ThreeDoubleClickedFilesAreAveragedInListOrderOnOk) {
    FileAverageForm& form = Open();
    for (int index : {3, 0, 1}) DoubleClickFile(form, index);
    EXPECT_EQ(Entries(form.List1), (Names{Last25(data + "/d.rdg"), Last25(data + "/a.rdg"),
                                          Last25(data + "/b.rdg")}));
    EXPECT_EQ(form.List1.List(0).size(), 25u);
    form.Command1.UserClick();
    EXPECT_EQ(Dialog(), nullptr);
    EXPECT_EQ(s.FileAvgCount, 3);
    EXPECT_EQ(s.AvgFileList, (Names{data + "/d.rdg", data + "/a.rdg", data + "/b.rdg"}));
    EXPECT_FALSE(s.CalcStdError);
    EXPECT_EQ(s.CurrentSlot, 0);
    EXPECT_FLOAT_EQ(s.Ch1Data[0][0], 0.4f);  // (0.9 + 0.1 + 0.2) / 3
    EXPECT_EQ(s.SlotInfo[1].FileName, data + "/b.rdg");
    EXPECT_TRUE(HeaderShows("AVERAGE ( 3 )"));
}

TEST_F(FileAverageDialog, TheStandardErrorBoxAsksForTheBand) {
    FileAverageForm& form = Open();
    DoubleClickFile(form, 0);
    DoubleClickFile(form, 1);
    form.CalcStdErrChk.UserClick();
    form.Command1.UserClick();
    EXPECT_TRUE(s.CalcStdError);
    EXPECT_EQ(s.CurrentSlot, 2);
    EXPECT_EQ(s.OverlayCount, 3);
    EXPECT_FLOAT_EQ(s.Ch1Data[2][0], 0.15f);
}

// The mean and the curves one standard deviation above and below it share one scale that
// covers all three: each is drawn inside the plot.
TEST_F(FileAverageDialog, TheStandardErrorCurvesAreAllDrawnInsideThePlot) {
    w.Mdi().Average.UserClick();  // Process > Average
    ASSERT_NE(Dialog(), nullptr);
    FileAverageForm& form = *Dialog();
    for (int index = 0; index < 4; ++index) DoubleClickFile(form, index);  // 0.1, 0.2, 0.6, 0.9
    form.CalcStdErrChk.UserClick();
    w.MainCanvas().ClearRecord();
    form.Command1.UserClick();
    ASSERT_EQ(s.CurrentSlot, 2);
    const SlotRecord& plot = s.SlotInfo[2];
    for (int16_t k = 0; k <= 2; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(s.SlotInfo[k].YMin, plot.YMin);
        EXPECT_EQ(s.SlotInfo[k].YMax, plot.YMax);
        EXPECT_LE(plot.YMin, s.SlotInfo[k].DataMin);
        EXPECT_GE(plot.YMax, s.SlotInfo[k].DataMax);
        int segments = 0;
        for (const CanvasOp& op : w.MainCanvas().OpsOfKind(CanvasOp::Kind::Line)) {
            if (op.color != TraceColor(k)) continue;
            ++segments;
            for (float y : {op.y1, op.y2}) {
                EXPECT_GE(y, plot.PlotTop);
                EXPECT_LE(y, plot.PlotBottom);
            }
        }
        EXPECT_GT(segments, 0);
    }
}

TEST_F(FileAverageDialog, EnterInTheFileListAddsOneFileAfterAnotherAndTheBoxAddsWhatIsTyped) {
    FileAverageForm& form = Open();
    form.File1.SetFocus();  // selects the first file
    EXPECT_EQ(form.File1.ListIndex(), 0);
    EXPECT_EQ(form.FileNameBox.Text(), "a.rdg");
    for (int i = 0; i < 5; ++i) Key(form.File1, 13);  // the last file stays selected
    EXPECT_EQ(s.AvgFileList, (Names{data + "/a.rdg", data + "/b.rdg", data + "/c.RDG", data + "/d.rdg",
                                    data + "/d.rdg"}));

    form.FileNameBox.SetText("typed.rdg");
    form.FileNameBox.SetFocus();
    EXPECT_EQ(form.FileNameBox.SelLength(), 9);  // all of it, being shorter than 20
    Key(form.FileNameBox, 13);
    form.FileNameBox.SetText("");
    Key(form.FileNameBox, 13);
    EXPECT_EQ(s.AvgFileList.size(), 7u);
    EXPECT_EQ(s.AvgFileList[5], data + "/typed.rdg");
    EXPECT_EQ(s.AvgFileList[6], data + "/");
    EXPECT_EQ(form.List1.ListCount(), 7);
}

TEST_F(FileAverageDialog, RemovingAnEntryKeepsTheListAndThePathsInStep) {
    FileAverageForm& form = Open();
    for (int index : {0, 1, 2, 3}) DoubleClickFile(form, index);
    form.List1.UserSelect(1);
    form.List1.UserDblClick();
    EXPECT_EQ(s.AvgFileList, (Names{data + "/a.rdg", data + "/c.RDG", data + "/d.rdg"}));
    EXPECT_EQ(form.List1.List(1), Last25(data + "/c.RDG"));

    form.List1.UserSelect(1);
    Key(form.List1, 13);  // the entry now at the same place is selected
    EXPECT_EQ(form.List1.ListIndex(), 1);
    EXPECT_EQ(form.List1.Text(), Last25(data + "/d.rdg"));
    Key(form.List1, 13);  // the last one removed: the new last is selected
    EXPECT_EQ(form.List1.ListIndex(), 0);
    Key(form.List1, 13);
    EXPECT_EQ(form.List1.ListIndex(), -1);
    Key(form.List1, 13);  // nothing selected: nothing happens
    EXPECT_TRUE(s.AvgFileList.empty());
    EXPECT_EQ(form.List1.ListCount(), 0);
}

TEST_F(FileAverageDialog, CancelForgetsTheCountEscLeavesItAndAnEmptyOkSaysSo) {
    s.FileAvgCount = 5;
    FileAverageForm& form = Open();
    DoubleClickFile(form, 0);
    form.UserKeyPress(&form.List1, 27);
    EXPECT_EQ(Dialog(), nullptr);
    EXPECT_EQ(s.FileAvgCount, 5);

    Open().Command2.UserClick();
    EXPECT_EQ(Dialog(), nullptr);
    EXPECT_EQ(s.FileAvgCount, 0);

    s.DataAvailable = false;
    Open().Command1.UserClick();
    EXPECT_EQ(Dialog(), nullptr);
    EXPECT_EQ(w.op.MessageTexts(), Names{"You did not select any files."});
    EXPECT_FALSE(s.DataAvailable || s.ProcessedResult);
    EXPECT_TRUE(w.op.UnusedAnswers() == 0);
}

TEST_F(FileAverageDialog, TheFolderListOpensWithEnterAndJumpsSixOnPageDown) {
    FileAverageForm& form = Open();
    ASSERT_EQ(form.Dir1.ListCount(), 10);  // first, sub1 .. sub9
    form.Dir1.UserSelect(0);
    EXPECT_TRUE(form.UserKeyDown(&form.Dir1, key::PageDown, shift::None));  // the list goes on with its own page
    EXPECT_EQ(form.Dir1.ListIndex(), 6);
    form.UserKeyDown(&form.Dir1, key::PageDown, shift::None);
    EXPECT_EQ(form.Dir1.ListIndex(), 9);  // 12 is past the list: the last entry

    ASSERT_TRUE(w.dir.Write("DATA/sub9/e.rdg", SpectrumFile(1)));
    Key(form.Dir1, 13);
    EXPECT_EQ(form.Dir1.Path(), data + "/sub9");
    EXPECT_EQ(Entries(form.File1), Names{"e.rdg"});
    DoubleClickFile(form, 0);
    EXPECT_EQ(s.AvgFileList, Names{data + "/sub9/e.rdg"});
}

}  // namespace
}  // namespace tav
