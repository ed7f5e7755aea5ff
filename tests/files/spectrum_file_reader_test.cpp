// Reading a spectrum file into a slot: messages, lookups, what a read changes and what a failed
// read leaves alone.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "files/FileDialogs.h"
#include "files/FileNames.h"
#include "files/SpectrumFileReader.h"
#include "files/UntoldSpectrumRead.h"
#include "support/FileWorld.h"

namespace tav {
namespace {

using test::FileWorld;
using test::Fixture;

class SpectrumFileReader : public ::testing::Test {
protected:
    void SetUp() override {
        w.dir.Write("data/a.rdg", Fixture("header_raw.rdg"));
        // Earlier contents that a failed read must leave alone.
        ProgramState& s = *w.state;
        s.SlotInfo[3].NumPoints = 1;
        s.XData[3][0] = 777.0f;
        s.Ch1Data[slot::Reference][0] = 55.0f;
        s.SlotInfo[3].NoRatio = true;
        s.PrintInColor = s.DarkRefShown = s.CommonScale = true;
        s.DerivativeParam = 2;
    }
    SpectrumReadResult Read(const std::string& name, int16_t slot = 3) {
        w.state->SlotInfo[slot].FileName = name;
        return ReadSpectrumFile(w.ctx, slot);
    }
    // Reset by every read, whatever its result.
    void ExpectViewFlagsReset() {
        const ProgramState& s = *w.state;
        EXPECT_FALSE(s.PrintInColor || s.DarkRefShown || s.CommonScale);
        EXPECT_EQ(s.DerivativeParam, 0);
    }
    void ExpectUntouched() {
        ProgramState& s = *w.state;
        EXPECT_FALSE(s.DataAvailable);
        EXPECT_EQ(s.SlotInfo[3].NumPoints, 1);
        EXPECT_EQ(s.XData[3][0], 777.0f);
        EXPECT_EQ(s.Ch1Data[slot::Reference][0], 55.0f);
        EXPECT_TRUE(s.SlotInfo[3].NoRatio);
    }
    FileWorld w;
};

TEST_F(SpectrumFileReader, ReadsTheFileIntoTheSlot) {
    ASSERT_EQ(Read(w.P("data/a.rdg")), SpectrumReadResult::Ok);
    const ProgramState& s = *w.state;
    const SlotRecord& r = s.SlotInfo[3];
    EXPECT_TRUE(s.DataAvailable);
    EXPECT_EQ(r.NumPoints, 3);
    EXPECT_FLOAT_EQ(r.XMin, 300.5f);
    EXPECT_FLOAT_EQ(r.XMax, 302.0f);
    EXPECT_FLOAT_EQ(r.DataMax, 65535.0f);
    EXPECT_FLOAT_EQ(r.IntegTime, 30.0f);
    EXPECT_FALSE(r.NoRatio);
    EXPECT_FLOAT_EQ(s.Ch1Data[3][0], 1234.5f);
    EXPECT_FLOAT_EQ(s.Ch2Data[3][1], 812.3f);
    // The reference channel also goes to the reference slot's channel 1.
    EXPECT_FLOAT_EQ(s.Ch1Data[slot::Reference][1], 812.3f);
    EXPECT_FALSE(s.PrintInColor || s.DarkRefShown || s.CommonScale);
    EXPECT_EQ(s.DerivativeParam, 0);
    EXPECT_TRUE(w.op.Messages().empty());
}

TEST_F(SpectrumFileReader, ReferenceSlotEndsWithTheReferenceChannel) {
    ASSERT_EQ(Read(w.P("data/a.rdg"), slot::Reference), SpectrumReadResult::Ok);
    EXPECT_FLOAT_EQ(w.state->Ch1Data[slot::Reference][1], 812.3f);
    EXPECT_FLOAT_EQ(w.state->Ch2Data[slot::Reference][1], 812.3f);
}

TEST_F(SpectrumFileReader, ReferenceCalibrationFileLeavesTheMeasuredReference) {
    ASSERT_EQ(Read(w.P("data/a.rdg"), slot::Work), SpectrumReadResult::Ok);
    EXPECT_FLOAT_EQ(w.state->Ch2Data[slot::Work][1], 812.3f);
    EXPECT_EQ(w.state->Ch1Data[slot::Reference][0], 55.0f);
}

TEST_F(SpectrumFileReader, NamesAreLookedUpTrimmedExactlyThenWithoutCase) {
    const std::string a = w.P("data/a.rdg");
    EXPECT_EQ(Read(a + std::string(40, ' ')), SpectrumReadResult::Ok);
    EXPECT_EQ(Read(a + '\0' + '\0'), SpectrumReadResult::Ok);
    EXPECT_EQ(Read(w.P("DATA/a.rdg")), SpectrumReadResult::NotFound);  // only the leaf ignores case
    EXPECT_EQ(Read(w.P("data/A.RDG")), SpectrumReadResult::Ok);
    std::string backslashed = a;
    for (char& c : backslashed) c = c == '/' ? '\\' : c;
    EXPECT_EQ(Read(backslashed), SpectrumReadResult::Ok);
    EXPECT_EQ(Read("data/a.rdg"), SpectrumReadResult::Ok);  // from the current folder
}

TEST_F(SpectrumFileReader, NameLongerThan80IsKeptWhole) {
    const std::string longName = std::string(90, 'd') + "/spectrum.rdg";
    w.dir.Write(longName, Fixture("header_raw.rdg"));
    EXPECT_EQ(Read(w.P(longName)), SpectrumReadResult::Ok);
}

struct FailureCase {
    const char* name;
    std::string fileName;  // in the world's folder unless empty or blank
    SpectrumReadResult result;
    std::string message;   // "@" stands for the 80-character name field, "#" for the path
    MsgIcon icon;
};

void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }

class SpectrumFileReaderFailure : public SpectrumFileReader, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(SpectrumFileReaderFailure, TellsTheOperatorAndChangesNothing) {
    const FailureCase& c = GetParam();
    for (const char* name : {"data/busy.rdg", "data/bad.rdg"}) w.dir.Write(name, Fixture("header_raw.rdg"));
    w.fs.FailPath(FsOp::Read, w.P("data/busy.rdg"), FsError::InUse);
    w.fs.FailPath(FsOp::Read, w.P("data/bad.rdg"), FsError::ReadError);
    w.dir.Write("data/short.rdg", Fixture("header_raw.rdg").substr(0, 200));
    w.dir.MakeDir("data/folder.rdg");
    // Files that are read whole and give no row.
    const std::string header = Fixture("header_raw.rdg");
    w.dir.Write("data/empty.rdg", "");
    w.dir.Write("data/blank.rdg", "\r\n   \r\n\t\r\n");
    w.dir.Write("data/binary.rdg", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\x01\0", 20));
    w.dir.Write("data/long.rdg", std::string(5000, 'x') + "\r\n400 1 2\r\n401 1 2\r\n");
    w.dir.Write("data/header.rdg", header.substr(0, header.find("\r\n300.5 \t") + 2));
    w.dir.Write("data/multi.rdg", Fixture("multiscan.rdg"));
    w.dir.Write("data/notes.rdg", "Sample 12, leaf\r\nmeasured 03/07\r\n");
    w.dir.Write("data/onerow.rdg", "400 1 2\r\n");  // its first row is the line the rows follow

    const bool inFolder = !c.fileName.empty() && c.fileName[0] != ' ' && c.fileName[0] != '\0';
    const std::string name = inFolder ? w.P(c.fileName) : c.fileName;
    EXPECT_EQ(Read(name), c.result);
    std::string message = c.message;
    if (const size_t at = message.find('@'); at != std::string::npos) {
        message.replace(at, 1, name + std::string(80 - name.size(), ' '));
    }
    if (const size_t at = message.find('#'); at != std::string::npos) message.replace(at, 1, name);
    ASSERT_EQ(w.op.Messages().size(), 1u);
    EXPECT_EQ(w.op.Messages()[0].text, message);
    EXPECT_EQ(w.op.Messages()[0].buttons, MsgButtons::OkOnly);
    EXPECT_EQ(w.op.Messages()[0].icon, c.icon);
    ExpectUntouched();
    ExpectViewFlagsReset();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SpectrumFileReaderFailure,
    ::testing::Values(
        FailureCase{"Empty", "", SpectrumReadResult::NoName, "Invalid File Name.", MsgIcon::None},
        FailureCase{"Blanks", std::string(80, ' '), SpectrumReadResult::NoName, "Invalid File Name.", MsgIcon::None},
        FailureCase{"Nuls", std::string(80, '\0'), SpectrumReadResult::NoName, "Invalid File Name.", MsgIcon::None},
        FailureCase{"Missing", "data/none.rdg", SpectrumReadResult::NotFound, "File not found.", MsgIcon::None},
        FailureCase{"MissingFolder", "nowhere/a.rdg", SpectrumReadResult::NotFound, "File not found.", MsgIcon::None},
        FailureCase{"Folder", "data/folder.rdg", SpectrumReadResult::NotFound, "File not found.", MsgIcon::None},
        FailureCase{"InUse", "data/busy.rdg", SpectrumReadResult::InUse, "The file\n@\nIs already open",
                    MsgIcon::Exclamation},
        FailureCase{"Unreadable", "data/bad.rdg", SpectrumReadResult::ReadError,
                    "The file\n#\ncould not be read: an input/output error.", MsgIcon::Exclamation},
        FailureCase{"HeaderCutShort", "data/short.rdg", SpectrumReadResult::ReadError,
                    "The file\n#\nis not a spectrum file: its header is incomplete or unreadable.",
                    MsgIcon::Exclamation},
        FailureCase{"EmptyFile", "data/empty.rdg", SpectrumReadResult::NoSpectrum,
                    "The file\n#\nholds no spectrum: it is empty.", MsgIcon::Exclamation},
        FailureCase{"BlankLines", "data/blank.rdg", SpectrumReadResult::NoSpectrum,
                    "The file\n#\nholds no spectrum: it is empty.", MsgIcon::Exclamation},
        FailureCase{"Binary", "data/binary.rdg", SpectrumReadResult::NoSpectrum,
                    "The file\n#\nholds no spectrum: it is not a text file.", MsgIcon::Exclamation},
        FailureCase{"LongLine", "data/long.rdg", SpectrumReadResult::NoSpectrum,
                    "The file\n#\nholds no spectrum: a line before its rows is longer than 4096 characters.",
                    MsgIcon::Exclamation},
        FailureCase{"HeaderOnly", "data/header.rdg", SpectrumReadResult::NoSpectrum,
                    "The file\n#\nholds no spectrum: no row follows its header.", MsgIcon::Exclamation},
        FailureCase{"MultiScan", "data/multi.rdg", SpectrumReadResult::NoSpectrum,
                    "The file\n#\nholds no spectrum: it holds several scans of a memory read-out.",
                    MsgIcon::Exclamation},
        FailureCase{"Notes", "data/notes.rdg", SpectrumReadResult::NoSpectrum,
                    "The file\n#\nholds no spectrum: it has neither the header nor the rows of a spectrum file.",
                    MsgIcon::Exclamation},
        FailureCase{"HeaderlessOneRow", "data/onerow.rdg", SpectrumReadResult::NoSpectrum,
                    "The file\n#\nholds no spectrum: it has neither the header nor the rows of a spectrum file.",
                    MsgIcon::Exclamation}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SpectrumFileReader, EarlierDataAvailableStaysAfterAFailedRead) {
    w.state->DataAvailable = true;
    EXPECT_EQ(Read(w.P("data/none.rdg")), SpectrumReadResult::NotFound);
    EXPECT_TRUE(w.state->DataAvailable);
}

// The integration time, temperature and scans averaged are the file's: a file without header
// tells none of them, and the slot keeps none of the spectrum it held before.
TEST_F(SpectrumFileReader, MeasuringConditionsComeFromTheFileOrAreUnknown) {
    SlotRecord& rec = w.state->SlotInfo[3];
    w.dir.Write("data/header.rdg", Fixture("header_raw.rdg"));
    w.dir.Write("data/h.rdg", Fixture("headerless_tabs.rdg"));
    rec.IntegTime = 42.0f, rec.Temperature = 31.5f, rec.ScansAveraged = 9;
    ASSERT_EQ(Read(w.P("data/header.rdg")), SpectrumReadResult::Ok);
    EXPECT_FLOAT_EQ(rec.IntegTime, 30.0f);
    EXPECT_FLOAT_EQ(rec.Temperature, 23.4f);
    EXPECT_EQ(rec.ScansAveraged, 4);

    ASSERT_EQ(Read(w.P("data/h.rdg")), SpectrumReadResult::Ok);
    EXPECT_EQ(rec.NumPoints, 2);
    EXPECT_FLOAT_EQ(rec.XMin, 351.0f);
    EXPECT_EQ(rec.IntegTime, 0.0f);
    EXPECT_TRUE(std::isnan(rec.Temperature));
    EXPECT_EQ(rec.ScansAveraged, 0);
}

TEST_F(SpectrumFileReader, OutOfRangeSlotIsRefused) {
    EXPECT_EQ(ReadSpectrumFile(w.ctx, 20), SpectrumReadResult::ReadError);
    EXPECT_EQ(ReadSpectrumFile(w.ctx, -1), SpectrumReadResult::ReadError);
    EXPECT_TRUE(w.op.Messages().empty());
    ExpectUntouched();
    ExpectViewFlagsReset();
}

// The untold read keeps the reader's whole contract; only the box becomes a text.
TEST_F(SpectrumFileReader, UntoldReadHandsTheMessageBackAndShowsNone) {
    struct Case {
        const char* name;
        std::string fileName;  // in the world's folder
        int16_t slot;
        SpectrumReadResult result;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"Missing", "data/none.rdg", 3, SpectrumReadResult::NotFound, "File not found."},
        {"NoSpectrum", "data/e.rdg", 3, SpectrumReadResult::NoSpectrum,
         "The file\n" + w.P("data/e.rdg") + "\nholds no spectrum: it is empty."},
        {"OutOfRange", "data/a.rdg", 20, SpectrumReadResult::ReadError, ""},
        {"Read", "data/a.rdg", 3, SpectrumReadResult::Ok, ""},
    };
    w.dir.Write("data/e.rdg", "");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ProgramState& s = *w.state;
        s.PrintInColor = s.DarkRefShown = s.CommonScale = true;
        s.DerivativeParam = 2;
        if (IsValidSlot(c.slot)) s.SlotInfo[c.slot].FileName = w.P(c.fileName);
        std::string message = "left over";
        EXPECT_EQ(ReadSpectrumFileUntold(w.ctx, c.slot, message), c.result);
        EXPECT_EQ(message, c.message);
        EXPECT_TRUE(w.op.Messages().empty());
        ExpectViewFlagsReset();
        if (c.result != SpectrumReadResult::Ok) ExpectUntouched();
    }
    EXPECT_EQ(w.state->SlotInfo[3].NumPoints, 3);
    EXPECT_TRUE(w.state->DataAvailable);
}

TEST(OpenSpectrumDialogTest, ChosenPathGoesToTheCurrentSlot) {
    FileWorld w;
    w.state->DefaultPath = "data\\spectra";
    w.state->CurrentSlot = 4;
    const std::string longPath = w.P(std::string(100, 'p') + ".rdg");
    w.op.AnswerOpen(longPath);
    OpenSpectrumDialog(w.ctx);
    ASSERT_EQ(w.op.OpenRequests().size(), 1u);
    const FileDialogRequest& r = w.op.OpenRequests()[0];
    EXPECT_EQ(r.initialDir, w.P("data/spectra"));  // the data folder as the file system resolves it
    EXPECT_EQ(r.fileName, "");
    EXPECT_EQ(r.filter, "Quorveld Files (*.rdg)|*.rdg");
    EXPECT_EQ(r.defaultExt, "");
    EXPECT_TRUE(r.hideReadOnly);
    EXPECT_EQ(w.state->SlotInfo[4].FileName, longPath);  // kept whole
}

TEST(OpenSpectrumDialogTest, CancelBlanksTheNameAndTheReadThatFollowsSaysSo) {
    FileWorld w;
    w.state->SlotInfo[0].FileName = w.P("old.rdg");
    OpenSpectrumDialog(w.ctx);
    EXPECT_TRUE(IsNoFileName(w.state->SlotInfo[0].FileName));
    EXPECT_EQ(ReadSpectrumFile(w.ctx, 0), SpectrumReadResult::NoName);
    EXPECT_EQ(w.op.Messages().at(0).text, "Invalid File Name.");
}

}  // namespace
}  // namespace tav
