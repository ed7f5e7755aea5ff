// The two-file arithmetic: both files read into slots 1 and 2 and combined point by point into
// slot 0 by the kind chosen for each file; failed reads, files of different lengths, results
// beyond the single range, the constant transform, and what follows a result (draw, beep,
// AutoSave as the next file of the series).

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "indices/TwoFileArithmetic.h"
#include "support/FileWorld.h"
#include "windows/two_file_fixtures.h"

namespace tav {
namespace {

using test::FileWorld;
using test::SpectrumFileText;
using test::SpectrumRow;

const char* FileError = "File Error!";
const char* NotFound = "File not found.";

// Operands of the first file: reflectance 4, 1.5, 2; raw 8, 6, 10; reference 2, 4, 5.
const std::vector<SpectrumRow> FirstRows = {{400, 8, 2}, {401, 6, 4}, {402, 10, 5}};
// Of the second, once its reference 0 has become 1: reflectance .5, 3, 0; raw 2, 3, 0;
// reference 4, 1, 10. Its x values differ from the first file's.
const std::vector<SpectrumRow> SecondRows = {{500, 2, 4}, {501, 3, 0}, {502, 0, 10}};

class TwoFileArithmetic : public ::testing::Test {
protected:
    void SetUp() override { w.dir.MakeDir("DATA"); }

    void WriteFile(const std::string& name, const std::vector<SpectrumRow>& rows) {
        w.dir.Write("DATA/" + name, SpectrumFileText(rows));
    }
    // The names and kinds the dialog leaves in slots 1 and 2 ("" for a file not asked for).
    void Choose(const std::string& first, int16_t kind1, const std::string& second, int16_t kind2) {
        ProgramState& s = *w.state;
        s.SlotInfo[1].FileName = first.empty() ? std::string(80, ' ') : w.P("DATA/" + first);
        s.SlotInfo[2].FileName = second.empty() ? std::string(80, ' ') : w.P("DATA/" + second);
        s.SlotInfo[1].DataKind = kind1;
        s.SlotInfo[2].DataKind = kind2;
    }
    // Slot 0 as a scan left it.
    void FillResultSlot(float value) {
        ProgramState& s = *w.state;
        s.SlotInfo[0].NumPoints = 5;
        s.SlotInfo[0].XMin = 300;
        s.SlotInfo[0].XMax = 304;
        for (int i = 0; i < 5; ++i) {
            s.XData[0][i] = 300.0f + i;
            s.Ch1Data[0][i] = value;
            s.Ch2Data[0][i] = value;
        }
    }
    std::vector<float> Result(int points) const {
        return {w.state->Ch1Data[0].begin(), w.state->Ch1Data[0].begin() + points};
    }

    FileWorld w;
};

struct OperationCase {
    const char* what;
    int16_t operation;
    int16_t kind1, kind2;
    float a, b, c;  // the transform's coefficients
    std::vector<float> expected;
};

TEST_F(TwoFileArithmetic, EachOperationCombinesTheOperandsThatTheKindsSelect) {
    const OperationCase cases[] = {
        {"add raw raw", 1, 2, 2, 0, 0, 0, {10, 9, 10}},
        {"add reflectance raw", 1, 1, 2, 0, 0, 0, {6, 4.5f, 2}},
        {"subtract reflectance reflectance", 2, 1, 1, 0, 0, 0, {3.5f, -1.5f, 2}},
        {"subtract raw reflectance", 2, 2, 1, 0, 0, 0, {7.5f, 3, 10}},
        {"multiply reference raw", 3, 3, 2, 0, 0, 0, {4, 12, 0}},
        {"multiply reference reflectance", 3, 3, 1, 0, 0, 0, {1, 12, 0}},
        // A divisor of exactly 0 gives 1.0: a raw one, and a reflectance one whose channel 1 is 0.
        {"divide raw raw", 4, 2, 2, 0, 0, 0, {4, 2, 1}},
        {"divide reflectance reflectance", 4, 1, 1, 0, 0, 0, {8, 0.5f, 1}},
        {"divide raw reference", 4, 2, 3, 0, 0, 0, {2, 6, 1}},
        {"transform reflectance reference", 5, 1, 3, 2, -1, 0.5f, {4.5f, 2.5f, -5.5f}},
        {"transform 1, -1, 0 is the subtraction", 5, 1, 1, 1, -1, 0, {3.5f, -1.5f, 2}},
        // A kind the dialog does not know counts as reference.
        {"unknown kinds", 1, 0, 7, 0, 0, 0, {6, 5, 15}},
    };
    for (const OperationCase& c : cases) {
        SCOPED_TRACE(c.what);
        w.Reset();
        WriteFile("one.rdg", FirstRows);
        WriteFile("two.rdg", SecondRows);
        Choose("one.rdg", c.kind1, "two.rdg", c.kind2);
        ProgramState& s = *w.state;
        s.TransFactor1 = c.a;
        s.TransFactor2 = c.b;
        s.TransOffset = c.c;
        ASSERT_EQ(CombineFiles(w.ctx, c.operation), CombineResult::Done);
        EXPECT_EQ(Result(3), c.expected);
        EXPECT_TRUE(w.op.Messages().empty());
    }
}

TEST_F(TwoFileArithmetic, TheResultTakesTheFirstFilesShapeAndShowsAsTheProcessedResult) {
    ProgramState& s = *w.state;
    w.dir.Write("DATA/one.rdg", SpectrumFileText(FirstRows, 42));
    WriteFile("two.rdg", SecondRows);
    Choose("one.rdg", 2, "two.rdg", 1);
    s.ViewReflectance = true;
    s.OverlayCount = 4;
    s.FirstOverlaySlot = 3;
    s.CurrentSlot = 5;
    s.BeepOn = true;

    ASSERT_EQ(CombineFiles(w.ctx, 2), CombineResult::Done);
    const SlotRecord& result = s.SlotInfo[0];
    EXPECT_EQ(result.NumPoints, 3);
    EXPECT_EQ(result.XMin, 400.0f);
    EXPECT_EQ(result.XMax, 402.0f);
    EXPECT_EQ(result.IntegTime, 42.0f);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(s.XData[0][i], 400.0f + i);
        EXPECT_EQ(s.Ch2Data[0][i], 1.0f);  // the result reads the same as a ratio
    }
    // The zero reference value of the loaded second file has become 1.0.
    EXPECT_EQ(s.Ch2Data[2][1], 1.0f);
    EXPECT_EQ(s.CurrentSlot, 0);
    EXPECT_EQ(s.FirstOverlaySlot, 0);
    EXPECT_EQ(s.OverlayCount, 1);
    EXPECT_EQ(s.FileDialogMode, 2);
    EXPECT_TRUE(s.ProcessedResult);
    EXPECT_FALSE(s.ViewReflectance);
    EXPECT_TRUE(s.DataAvailable);
    EXPECT_EQ(w.windows.calls, std::vector<std::string>{"redraw 0 Wavelength (nm)"});
    EXPECT_EQ(w.op.Beeps(), 1);
}

TEST_F(TwoFileArithmetic, AFileThatCannotBeReadStopsTheOperationWithSlotZeroUnchanged) {
    struct FailureCase {
        const char* what;
        std::string first, second;
        bool secondInUse;
        std::string readerMessage;  // the start of the reader's own message ("" for none)
        int16_t slotLeft;
        bool secondRead;
    };
    const FailureCase cases[] = {
        {"second missing", "one.rdg", "gone.rdg", false, NotFound, 2, false},
        {"first missing", "gone.rdg", "two.rdg", false, NotFound, 1, true},
        {"second in use", "one.rdg", "two.rdg", true, "The file\n", 2, false},
        {"first without points", "empty.rdg", "two.rdg", false, "The file\n", 1, true},
        {"second not a spectrum", "one.rdg", "notes.rdg", false, "The file\n", 2, false},
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.what);
        w.Reset();
        WriteFile("one.rdg", FirstRows);
        WriteFile("two.rdg", SecondRows);
        WriteFile("empty.rdg", {});
        w.dir.Write("DATA/notes.rdg", "Some notes\r\nabout nothing\r\n");
        if (c.secondInUse) w.fs.FailPath(FsOp::Read, w.P("DATA/two.rdg"), FsError::InUse);
        FillResultSlot(7);
        ProgramState& s = *w.state;
        s.SlotInfo[1].NumPoints = 9;  // what slot 1 held before
        s.DataAvailable = true;
        Choose(c.first, 2, c.second, 2);

        EXPECT_EQ(CombineFiles(w.ctx, 1), CombineResult::ReadFailed);
        const std::vector<std::string> texts = w.op.MessageTexts();
        ASSERT_EQ(texts.size(), c.readerMessage.empty() ? 1u : 2u);
        EXPECT_EQ(texts.back(), FileError);
        if (!c.readerMessage.empty()) {
            EXPECT_EQ(texts.front().rfind(c.readerMessage, 0), 0u) << texts.front();
        }
        EXPECT_EQ(s.CurrentSlot, c.slotLeft);
        EXPECT_EQ(s.SlotInfo[2].NumPoints, c.secondRead ? 3 : 0);
        if (c.slotLeft == 2) {
            EXPECT_EQ(s.SlotInfo[1].NumPoints, 9);  // the first file was not read
        }
        EXPECT_EQ(s.SlotInfo[0].NumPoints, 5);
        EXPECT_EQ(Result(5), std::vector<float>(5, 7.0f));
        EXPECT_FALSE(s.DataAvailable);
        EXPECT_FALSE(s.ProcessedResult);
        EXPECT_TRUE(w.windows.calls.empty());
    }
}

TEST_F(TwoFileArithmetic, FilesOfDifferentLengthsCombineOnlyThePointsBothHave) {
    ProgramState& s = *w.state;
    WriteFile("long.rdg", {{400, 1, 1}, {401, 2, 1}, {402, 3, 1}, {403, 4, 1}, {404, 5, 1}});
    WriteFile("short.rdg", {{400, 10, 1}, {401, 20, 1}, {402, 30, 1}});
    // What slot 2 held beyond the short file's end must take no part.
    for (int i = 0; i < 10; ++i) s.Ch1Data[2][i] = 1000;

    Choose("long.rdg", 2, "short.rdg", 2);
    ASSERT_EQ(CombineFiles(w.ctx, 1), CombineResult::Done);
    EXPECT_EQ(s.SlotInfo[0].NumPoints, 3);
    EXPECT_EQ(s.SlotInfo[0].XMin, 400.0f);
    EXPECT_EQ(s.SlotInfo[0].XMax, 402.0f);
    EXPECT_EQ(Result(3), (std::vector<float>{11, 22, 33}));

    Choose("short.rdg", 2, "long.rdg", 2);
    ASSERT_EQ(CombineFiles(w.ctx, 2), CombineResult::Done);
    EXPECT_EQ(s.SlotInfo[0].NumPoints, 3);
    EXPECT_EQ(s.SlotInfo[0].XMax, 402.0f);
    EXPECT_EQ(Result(3), (std::vector<float>{9, 18, 27}));
}

// A result beyond the single range is the infinity of its sign and an undefined one NaN, as the
// writer saves them; neither becomes a value it is not.
TEST_F(TwoFileArithmetic, ResultsKeepTheirTrueValueBeyondTheSingleRange) {
    ProgramState& s = *w.state;
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    WriteFile("big.rdg", {{400, 3e38f, 1e-30f}, {401, -3e38f, 1e-30f}, {402, 2, 1}, {403, inf, 1}});
    WriteFile("small.rdg", {{400, 3e38f, 1e-30f}, {401, 3e38f, 1e-30f}, {402, 4, 1}, {403, inf, 1}});
    const struct {
        int16_t operation, kind1, kind2;
        std::vector<float> expected;
    } cases[] = {
        {3, 2, 2, {inf, -inf, 8, inf}},
        {4, 1, 3, {inf, -inf, 2, inf}},
        {5, 1, 1, {inf, -inf, 2e10f, nan}},  // 1e10 times the first file, plus 0 times infinity
        {2, 2, 2, {0, -inf, -2, nan}},       // infinity less infinity
        {1, 2, 2, {inf, 0, 6, inf}},         // 3e38 + 3e38 overflows, -3e38 + 3e38 does not
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.operation);
        s.TransFactor1 = 1e10f;
        s.TransFactor2 = 0;
        s.TransOffset = 0;
        Choose("big.rdg", c.kind1, "small.rdg", c.kind2);
        ASSERT_EQ(CombineFiles(w.ctx, c.operation), CombineResult::Done);
        const std::vector<float> result = Result(4);
        for (size_t i = 0; i < result.size(); ++i) {
            if (std::isnan(c.expected[i])) {
                EXPECT_TRUE(std::isnan(result[i])) << i << ": " << result[i];
            } else {
                EXPECT_EQ(result[i], c.expected[i]) << i;
            }
        }
    }
}

TEST_F(TwoFileArithmetic, TransformWithoutFilesIsTheConstantAtThePixelWavelengths) {
    ProgramState& s = *w.state;
    for (int i = 0; i < 256; ++i) s.WaveLength[i] = 350.0f + 2.0f * i;
    // Slot 1 holds an earlier spectrum whose reference channel is 0 almost everywhere; its
    // values count zero times, so every point must come out exactly C.
    s.SlotInfo[1].NumPoints = 10;
    for (int i = 0; i < 10; ++i) s.Ch1Data[1][i] = 5;
    s.TransFactor1 = 0;
    s.TransFactor2 = 0;
    s.TransOffset = 3;
    Choose("", 1, "", 1);

    ASSERT_EQ(CombineFiles(w.ctx, 5), CombineResult::Done);
    EXPECT_TRUE(w.op.Messages().empty());
    EXPECT_EQ(s.SlotInfo[0].NumPoints, 256);
    EXPECT_EQ(s.SlotInfo[0].XMin, 350.0f);
    EXPECT_EQ(s.SlotInfo[0].XMax, 860.0f);
    EXPECT_EQ(Result(256), std::vector<float>(256, 3.0f));
    EXPECT_EQ(s.XData[0][255], 860.0f);
    EXPECT_TRUE(s.DataAvailable);
    EXPECT_EQ(w.windows.calls, std::vector<std::string>{"redraw 0 Wavelength (nm)"});
}

TEST_F(TwoFileArithmetic, ASecondFileWithoutNameIsNotReadAndDoesNotLimitThePoints) {
    ProgramState& s = *w.state;
    WriteFile("one.rdg", FirstRows);
    s.SlotInfo[2].NumPoints = 1;  // what slot 2 held: not a file of this operation
    for (int i = 0; i < 3; ++i) s.Ch1Data[2][i] = 0;  // cleared by the dialog
    s.TransFactor1 = 2;
    s.TransFactor2 = 0;
    s.TransOffset = 1;
    Choose("one.rdg", 2, "", 2);
    ASSERT_EQ(CombineFiles(w.ctx, 5), CombineResult::Done);
    EXPECT_TRUE(w.op.Messages().empty());
    EXPECT_EQ(s.SlotInfo[0].NumPoints, 3);
    EXPECT_EQ(Result(3), (std::vector<float>{17, 13, 21}));
}

TEST_F(TwoFileArithmetic, ACodeThatIsNoTwoFileOperationReadsAndChangesNothing) {
    for (int16_t code : {0, 6, 7, -1}) {
        SCOPED_TRACE(code);
        w.Reset();
        WriteFile("one.rdg", FirstRows);
        WriteFile("two.rdg", SecondRows);
        Choose("one.rdg", 2, "two.rdg", 2);
        FillResultSlot(7);
        w.state->FileDialogMode = 6;
        EXPECT_EQ(CombineFiles(w.ctx, code), CombineResult::NotAnOperation);
        EXPECT_EQ(w.state->SlotInfo[0].NumPoints, 5);
        EXPECT_EQ(w.state->SlotInfo[1].NumPoints, 0);
        EXPECT_EQ(w.state->FileDialogMode, 6);
        EXPECT_TRUE(w.op.Messages().empty());
        EXPECT_TRUE(w.windows.calls.empty());
    }
}

TEST_F(TwoFileArithmetic, AutoSaveKeepsTheResultAsTheNextFileOfTheSeries) {
    ProgramState& s = *w.state;
    WriteFile("one.rdg", FirstRows);
    WriteFile("two.rdg", SecondRows);
    // The last scan of the series was saved as XYZ00003.rdg.
    w.dir.Write("DATA/XYZ00003.rdg", "the last scan");
    s.DefaultPath = w.P("DATA");
    s.AutoSaveName = "XYZ";
    s.AutoSaveCounter = 3;
    s.AutoSaveFileName = w.P("DATA/XYZ00003.rdg");
    s.AutoSaveOn = true;
    Choose("one.rdg", 2, "two.rdg", 2);

    // The series' files exist, so the first save of this run asks; the operator lets it go on.
    w.op.AnswerMessage(MsgResult::Yes);
    ASSERT_EQ(CombineFiles(w.ctx, 1), CombineResult::Done);
    EXPECT_EQ(w.op.UnusedAnswers(), 0u);
    EXPECT_EQ(w.dir.Read("DATA/XYZ00003.rdg"), "the last scan");
    ASSERT_TRUE(w.dir.Exists("DATA/XYZ00004.rdg"));
    EXPECT_EQ(s.AutoSaveCounter, 4);
    EXPECT_EQ(s.CurrentFileName, "File: XYZ00004.rdg");
    EXPECT_EQ(s.SlotInfo[0].FileName, w.P("DATA/XYZ00004.rdg"));

    // Read back, the saved file is the result.
    w.dir.Write("DATA/zero.rdg", SpectrumFileText({{400, 0, 1}, {401, 0, 1}, {402, 0, 1}}));
    s.AutoSaveOn = false;
    Choose("XYZ00004.rdg", 2, "zero.rdg", 2);
    ASSERT_EQ(CombineFiles(w.ctx, 1), CombineResult::Done);
    EXPECT_EQ(Result(3), (std::vector<float>{10, 9, 10}));
}

}  // namespace
}  // namespace tav
