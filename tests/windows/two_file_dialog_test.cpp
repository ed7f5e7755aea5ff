// The two-file dialog on the program's windows: how an operation starts, the prompts of each
// operation, accepting, refusing and listing names, the kind of each file, the transform's
// zero coefficients, leaving the dialog, and the result on the spectrum window.

#include <gtest/gtest.h>

#include <functional>

#include "two_file_fixtures.h"
#include "windows/GetFileName.h"

namespace tav {
namespace {

using test::SpectrumFileText;

using test::DialogWorld;

constexpr int16_t Enter = 13;
constexpr int16_t Escape = 27;

TEST(GetFileNameDialog, StartingAnOperationResetsTheFilesAndOpensTheDialogOnTheDataFolder) {
    DialogWorld w;
    ProgramState& s = *w.state;
    s.DataAvailable = true;
    s.SlotInfo[1].FileName = "/old/first.rdg";
    s.SlotInfo[2].FileName = "/old/second.rdg";
    s.CurrentSlot = 6;

    GetFileName& d = w.Open(4);
    EXPECT_EQ(s.FileDialogMode, 4);
    EXPECT_FALSE(s.DataAvailable);
    EXPECT_EQ(s.SlotInfo[1].FileName, std::string(80, ' '));
    EXPECT_EQ(s.SlotInfo[2].FileName, std::string(80, ' '));
    EXPECT_EQ(s.CurrentSlot, 1);
    EXPECT_TRUE(d.Visible());
    EXPECT_EQ(d.Caption(), "Name of Numerator?");
    EXPECT_EQ(d.Dir1.Path(), w.dir.File("DATA"));
    EXPECT_EQ(d.Path.Caption(), w.dir.File("DATA"));
    EXPECT_EQ(d.File1.Path(), w.dir.File("DATA"));
    EXPECT_EQ(d.File1.Pattern(), "*.RDG");
    EXPECT_EQ(d.File1.ListCount(), 2);
    EXPECT_EQ(d.FileNameBox.Text(), "*.rdg");
    EXPECT_EQ(d.FileType.Text(), "Quorveld Files (*.rdg)");
    ASSERT_EQ(d.FileType.ListCount(), 2);
    EXPECT_EQ(d.FileType.List(0), "Prismel Files (*.rdg)");
    EXPECT_EQ(d.FileType.List(1), "All Files (*.*)");
    EXPECT_TRUE(d.Reflectance.Value());
    // The name box has the focus with its text selected, so typing replaces it.
    EXPECT_TRUE(d.FileNameBox.HasFocus());
    EXPECT_EQ(d.FileNameBox.SelLength(), 5);
}

TEST(GetFileNameDialog, EachOperationAsksForItsTwoFilesAndShowsTheResult) {
    const struct {
        int16_t mode;
        const char* first;
        const char* second;
        const char* header;
        float value;  // of the first point: one.rdg and two.rdg as raw data, 8 and 2
    } cases[] = {
        {1, "Name of First File?", "Name of Second File?", "ADD (Raw Data)", 10},
        {2, "Name of First File?", "Name of Second File?", "SUBTRACT (Raw Data)", 6},
        {3, "Name of First File?", "Name of Second File?", "MULTIPLY (Raw Data)", 16},
        {4, "Name of Numerator?", "Name of Denominator?", "DIVIDE (Raw Data)", 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        DialogWorld w;
        ProgramState& s = *w.state;
        GetFileName& d = w.Open(c.mode);
        d.RawData.UserClick();
        EXPECT_EQ(d.Caption(), c.first);
        EXPECT_EQ(w.EnterName("one.rdg"), 0);  // the box gets no Enter
        EXPECT_EQ(d.Caption(), c.second);
        EXPECT_EQ(s.CurrentSlot, 2);
        EXPECT_EQ(s.SlotInfo[1].FileName, w.InData("one.rdg"));
        EXPECT_EQ(s.SlotInfo[1].DataKind, 2);
        EXPECT_EQ(d.FileNameBox.Text(), "one.rdg");  // the box keeps its text for the second name

        w.EnterName("two.rdg");
        EXPECT_EQ(w.Dialog(), nullptr);
        EXPECT_EQ(s.SlotInfo[2].FileName, w.InData("two.rdg"));
        EXPECT_EQ(s.Ch1Data[0][0], c.value);
        EXPECT_TRUE(w.Main().Visible());
        EXPECT_TRUE(w.HeaderShows(c.header));
        EXPECT_TRUE(w.op.Messages().empty());
    }
}

TEST(GetFileNameDialog, APatternListsFilesAndABlankNameEndsTheOperation) {
    DialogWorld w;
    ProgramState& s = *w.state;
    GetFileName& d = w.Open(1);
    EXPECT_EQ(w.EnterName("*.*"), 0);
    EXPECT_EQ(d.File1.Pattern(), "*.*");
    EXPECT_EQ(d.File1.ListCount(), 3);
    EXPECT_EQ(d.Caption(), "Name of First File?");
    EXPECT_EQ(s.SlotInfo[1].FileName, std::string(80, ' '));
    EXPECT_EQ(s.CurrentSlot, 1);
    d.FileNameBox.UserEdit("n?tes.txt");
    d.Command1.UserClick();
    EXPECT_EQ(d.File1.ListCount(), 1);
    EXPECT_TRUE(w.op.Messages().empty());

    d.FileNameBox.UserEdit("   ");
    d.Command1.UserClick();
    EXPECT_EQ(w.op.MessageTexts(), std::vector<std::string>{"Invalid File Name!"});
    EXPECT_TRUE(s.NameRejected);
    EXPECT_EQ(w.Dialog(), nullptr);
    EXPECT_EQ(s.SlotInfo[0].NumPoints, 2);
    EXPECT_EQ(s.Ch1Data[0][0], 77.0f);
    EXPECT_TRUE(w.Main().Visible());
}

TEST(GetFileNameDialog, AClickFillsTheNameBoxAndADoubleClickAcceptsTheFile) {
    DialogWorld w;
    ProgramState& s = *w.state;
    GetFileName& d = w.Open(2);
    d.File1.UserSelect(1);
    EXPECT_EQ(d.FileNameBox.Text(), "two.rdg");
    EXPECT_EQ(d.Caption(), "Name of First File?");
    d.File1.UserSelect(0);
    d.File1.UserDblClick();
    EXPECT_EQ(s.SlotInfo[1].FileName, w.InData("one.rdg"));
    EXPECT_EQ(d.Caption(), "Name of Second File?");

    // A file list that gets the focus with nothing selected selects its first file.
    d.FileType.UserSelect(1);
    EXPECT_EQ(d.File1.Pattern(), "*.*");
    EXPECT_EQ(d.File1.ListIndex(), -1);
    d.FileNameBox.UserEdit("");
    d.File1.SetFocus();
    EXPECT_EQ(d.File1.ListIndex(), 0);
    EXPECT_EQ(d.FileNameBox.Text(), "notes.txt");
    d.FileType.UserSelect(0);
    EXPECT_EQ(d.File1.Pattern(), "*.rdg");
    // Typing in the file-type list does nothing.
    d.FileType.SetFocus();
    EXPECT_EQ(d.UserKeyPress(&d.FileType, 'x'), 0);
}

TEST(GetFileNameDialog, EachFileKeepsItsOwnKindAndTheLastChoiceOpensTheNextDialog) {
    DialogWorld w;
    ProgramState& s = *w.state;
    GetFileName& d = w.Open(1);
    d.Reference.UserClick();
    w.EnterName("one.rdg");
    d.Reflectance.UserClick();
    d.RawData.UserClick();
    w.EnterName("two.rdg");
    EXPECT_EQ(s.SlotInfo[1].DataKind, 3);
    EXPECT_EQ(s.SlotInfo[2].DataKind, 2);
    EXPECT_EQ(s.Ch1Data[0][0], 2.0f + 2.0f);  // reference of the first, raw of the second
    EXPECT_TRUE(w.HeaderShows("ADD (Raw Data)"));

    GetFileName& again = w.Open(2);
    EXPECT_TRUE(again.RawData.Value());
    EXPECT_FALSE(again.Reflectance.Value());
}

TEST(GetFileNameDialog, LongPathsAreKeptWhole) {
    DialogWorld w;
    const std::string longName = std::string(90, 'q') + ".rdg";
    w.dir.Write("DATA/" + longName, SpectrumFileText({{400, 8, 2}, {401, 6, 4}}));
    w.Open(1);
    w.EnterName(longName);
    w.EnterName("two.rdg");
    EXPECT_EQ(w.state->SlotInfo[1].FileName, w.InData(longName));
    EXPECT_TRUE(w.op.Messages().empty());
    EXPECT_EQ(w.state->Ch1Data[0][0], 8.0f / 2.0f + 2.0f / 4.0f);
}

TEST(GetFileNameDialog, TheTransformAsksOnlyForTheFilesItsCoefficientsUse) {
    {
        SCOPED_TRACE("B = 0: the second file is not asked");
        DialogWorld w;
        ProgramState& s = *w.state;
        s.TransFactor1 = 2;
        s.TransFactor2 = 0;
        s.TransOffset = 1;
        s.Ch1Data[2][1] = 55;
        GetFileName& d = w.Open(5);
        EXPECT_EQ(d.Caption(), "Name of First File?");
        d.RawData.UserClick();
        w.EnterName("one.rdg");
        EXPECT_EQ(w.Dialog(), nullptr);
        EXPECT_EQ(s.Ch1Data[2][1], 0.0f);
        EXPECT_EQ(s.Ch1Data[0][0], 17.0f);
        EXPECT_EQ(s.Ch1Data[0][1], 13.0f);
        EXPECT_TRUE(w.op.Messages().empty());
    }
    {
        SCOPED_TRACE("A = B = 0: no dialog, the constant C");
        DialogWorld w;
        ProgramState& s = *w.state;
        s.TransFactor1 = 0;
        s.TransFactor2 = 0;
        s.TransOffset = 2.5f;
        for (int i = 0; i < 256; ++i) s.WaveLength[i] = 350.0f + 2.0f * i;
        ShowGetFileName(w.app, 5);
        EXPECT_EQ(w.Dialog(), nullptr);
        EXPECT_EQ(s.SlotInfo[0].NumPoints, 256);
        EXPECT_EQ(s.Ch1Data[0][255], 2.5f);
        EXPECT_EQ(s.XData[0][255], 860.0f);
        EXPECT_TRUE(w.HeaderShows("TRANSFORM (Reference)"));  // no file has given slot 2 a kind
        EXPECT_TRUE(w.op.Messages().empty());
    }
    {
        SCOPED_TRACE("A = 0: the first name still fills slot 1, then the second is asked");
        DialogWorld w;
        ProgramState& s = *w.state;
        s.TransFactor1 = 0;
        s.TransFactor2 = 3;
        s.TransOffset = 0;
        s.Ch1Data[1][1] = 55;
        GetFileName& d = w.Open(5);
        EXPECT_EQ(d.Caption(), "Name of Second File?");
        EXPECT_EQ(s.Ch1Data[1][1], 0.0f);
        EXPECT_EQ(s.CurrentSlot, 1);
        d.RawData.UserClick();
        w.EnterName("one.rdg");
        EXPECT_EQ(s.SlotInfo[1].FileName, w.InData("one.rdg"));
        EXPECT_EQ(d.Caption(), "Name of Second File?");
        EXPECT_EQ(s.CurrentSlot, 2);
        w.EnterName("two.rdg");
        EXPECT_EQ(w.Dialog(), nullptr);
        EXPECT_EQ(s.Ch1Data[0][0], 6.0f);
        EXPECT_EQ(s.Ch1Data[0][1], 9.0f);
    }
}

TEST(GetFileNameDialog, TheSecondNameGoesToSlotTwoWhateverHappenedMeanwhile) {
    DialogWorld w;
    ProgramState& s = *w.state;
    GetFileName& d = w.Open(4);
    d.RawData.UserClick();
    w.EnterName("one.rdg");
    // The operator looks at the spectrum window and comes back; a scan moved the current slot.
    w.Main().UserActivated();
    s.CurrentSlot = 5;
    d.UserActivated();
    EXPECT_EQ(s.CurrentSlot, 2);
    EXPECT_EQ(d.Caption(), "Name of Denominator?");
    s.CurrentSlot = 3;
    w.EnterName("two.rdg");
    EXPECT_EQ(w.Dialog(), nullptr);
    EXPECT_EQ(s.SlotInfo[1].FileName, w.InData("one.rdg"));
    EXPECT_EQ(s.SlotInfo[2].FileName, w.InData("two.rdg"));
    EXPECT_EQ(s.Ch1Data[0][0], 4.0f);
    EXPECT_EQ(s.Ch1Data[0][1], 2.0f);
}

TEST(GetFileNameDialog, ANewOperationStartsAnOpenDialogOver) {
    DialogWorld w;
    ProgramState& s = *w.state;
    w.Open(4);
    w.EnterName("one.rdg");
    GetFileName& d = w.Open(1);
    EXPECT_EQ(d.Caption(), "Name of First File?");
    EXPECT_EQ(s.FileDialogMode, 1);
    EXPECT_EQ(s.CurrentSlot, 1);
    EXPECT_EQ(s.SlotInfo[1].FileName, std::string(80, ' '));
    // Another processing command changed the mode meanwhile: the dialog's own operation is run.
    s.FileDialogMode = 6;
    d.RawData.UserClick();
    w.EnterName("one.rdg");
    w.EnterName("two.rdg");
    EXPECT_EQ(s.FileDialogMode, 1);
    EXPECT_EQ(s.Ch1Data[0][0], 10.0f);
}

TEST(GetFileNameDialog, CancelAndEscapeCloseWithoutComputing) {
    for (int how = 0; how < 3; ++how) {
        SCOPED_TRACE(how);
        DialogWorld w;
        ProgramState& s = *w.state;
        GetFileName& d = w.Open(2);
        d.Reference.UserClick();
        w.EnterName("one.rdg");
        if (how == 0) {
            d.Command2.UserClick();
        } else if (how == 1) {
            d.UserKeyPress(&d.FileNameBox, Escape);
        } else {
            d.Dir1.SetFocus();
            d.UserKeyPress(&d.Dir1, Escape);
        }
        EXPECT_EQ(w.Dialog(), nullptr);
        EXPECT_EQ(s.SlotInfo[1].FileName, w.InData("one.rdg"));
        EXPECT_EQ(s.SlotInfo[1].DataKind, 3);
        EXPECT_EQ(s.SlotInfo[2].FileName, std::string(80, ' '));
        EXPECT_EQ(s.Ch1Data[0][0], 77.0f);
        EXPECT_FALSE(s.ProcessedResult);
        EXPECT_TRUE(w.Main().Visible());
        EXPECT_TRUE(w.op.Messages().empty());
    }
}

TEST(GetFileNameDialog, AMissingSecondFileIsReportedWhenTheOperationRuns) {
    DialogWorld w;
    ProgramState& s = *w.state;
    w.Open(1);
    w.EnterName("one.rdg");
    w.EnterName("nothere.rdg");
    EXPECT_EQ(w.Dialog(), nullptr);
    EXPECT_EQ(w.op.MessageTexts(), (std::vector<std::string>{"File not found.", "File Error!"}));
    EXPECT_EQ(s.Ch1Data[0][0], 77.0f);
    EXPECT_FALSE(s.ProcessedResult);
}

// The dialog borrows CurrentSlot for the file it asks for and clears DataAvailable; an operation
// that ends without a result gives both back, so that Save, the display buttons and the
// derivative work on the spectrum on display again, not on slot 1 or 2.
TEST(GetFileNameDialog, AnOperationWithoutAResultGivesTheSlotOnDisplayBack) {
    struct Case {
        const char* name;
        std::function<void(DialogWorld&, GetFileName&)> end;
        int16_t slotAfter;
    };
    const Case cases[] = {
        {"Cancel at the first prompt", [](DialogWorld&, GetFileName& d) { d.Command2.UserClick(); }, 3},
        {"Escape at the second prompt",
         [](DialogWorld& w, GetFileName& d) {
             w.EnterName("one.rdg");
             d.UserKeyPress(&d.FileNameBox, Escape);
         },
         3},
        {"a blank name", [](DialogWorld& w, GetFileName&) { w.EnterName("   "); }, 3},
        {"a second file that cannot be read",
         [](DialogWorld& w, GetFileName&) {
             w.EnterName("one.rdg");
             w.EnterName("nothere.rdg");
         },
         3},
        {"a next scan meanwhile, then Cancel",
         [](DialogWorld& w, GetFileName& d) {
             w.Main().UserActivated();
             w.state->CurrentSlot = 0;  // the scan started a new ring
             d.UserActivated();
             d.Command2.UserClick();
         },
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DialogWorld w;
        ProgramState& s = *w.state;
        s.DataAvailable = true;
        s.CurrentSlot = 3;
        GetFileName& d = w.Open(1);
        ASSERT_EQ(s.CurrentSlot, 1);
        ASSERT_FALSE(s.DataAvailable);
        c.end(w, d);
        EXPECT_EQ(w.Dialog(), nullptr);
        EXPECT_EQ(s.CurrentSlot, c.slotAfter);
        EXPECT_TRUE(s.DataAvailable);
        EXPECT_FALSE(s.ProcessedResult);
    }
}

TEST(GetFileNameDialog, TheFolderListOpensFoldersAndPagesDown) {
    DialogWorld w;
    for (int i = 0; i < 10; ++i) w.dir.MakeDir("DATA/sub" + std::to_string(i));
    w.dir.Write("DATA/sub3/three.rdg", SpectrumFileText({{400, 1, 1}}));
    GetFileName& d = w.Open(1);
    ASSERT_EQ(d.Dir1.ListCount(), 10);

    int16_t key = 34;  // PageDown
    EXPECT_FALSE(d.UserKeyDown(&d.Dir1, key, 0));
    EXPECT_EQ(d.Dir1.ListIndex(), 6);
    d.Dir1.SetTopIndex(5);
    d.UserKeyDown(&d.Dir1, key, 0);
    EXPECT_EQ(d.Dir1.ListIndex(), 9);

    // Enter opens the highlighted folder; the acceptance runs first and only lists "*.rdg".
    d.Dir1.SetListIndex(3);
    d.Dir1.SetFocus();
    EXPECT_EQ(d.UserKeyPress(&d.Dir1, Enter), 0);
    EXPECT_EQ(d.Dir1.Path(), w.dir.File("DATA/sub3"));
    EXPECT_EQ(d.File1.Path(), w.dir.File("DATA/sub3"));
    EXPECT_EQ(d.Path.Caption(), w.dir.File("DATA/sub3"));
    EXPECT_EQ(d.File1.List(0), "three.rdg");
    EXPECT_EQ(d.Caption(), "Name of First File?");

    // A drive that cannot be opened leaves the lists where they are.
    d.Drive1.SetDrive("Q:");
    EXPECT_EQ(d.Dir1.Path(), w.dir.File("DATA/sub3"));
}

TEST(GetFileNameDialog, AMissingDataFolderOpensTheDialogOnTheCurrentFolder) {
    DialogWorld w;
    w.state->DefaultPath = w.dir.File("gone");
    GetFileName& d = w.Open(3);
    EXPECT_EQ(d.Dir1.Path(), w.fs.CurrentDir());
    EXPECT_EQ(d.File1.Path(), w.fs.CurrentDir());
    EXPECT_EQ(d.Path.Caption(), w.fs.CurrentDir());
}

}  // namespace
}  // namespace tav
