// Failures of the file routines are told as what they are: a spectrum file that exists but
// cannot be read is not "File not found.", an AutoSave write that fails for a full disk or a
// refused permission says so, and the system's "Path for AutoSave does not exist" is kept for
// the data folder that is missing. A pipe or a device is refused at once, a folder is told as one.

#include <gtest/gtest.h>

#include <unistd.h>

#include <memory>
#include <string>

#include "files/AutoSaveNames.h"
#include "files/KineticLogs.h"
#include "files/SettingsFile.h"
#include "files/SpectrumFileReader.h"
#include "files/SpectrumSave.h"
#include "support/Fifo.h"
#include "support/FileWorld.h"

namespace tav {
namespace {

using test::FileWorld;
using test::Fixture;

const char* PathWarning = "Warning:\nPath for AutoSave does not exist\nSet Default Directory";

TEST(FileFailuresTold, ASpectrumFileThatCannotBeReadSaysWhyAndNamesIt) {
    struct Case {
        const char* name;
        FsOp op;
        FsError error;
        const char* reason;
    };
    const Case cases[] = {
        {"permission denied", FsOp::Read, FsError::NoPermission, "permission denied"},
        {"I/O error on opening", FsOp::Read, FsError::ReadError, "an input/output error"},
        {"I/O error half-way", FsOp::ReadLine, FsError::ReadError, "an input/output error"},
    };
    for (const Case& c : cases) {
        FileWorld w;
        ProgramState& s = *w.state;
        ASSERT_TRUE(w.dir.Write("locked.rdg", Fixture("header_raw.rdg")));
        w.fs.FailPath(c.op, w.P("locked.rdg"), c.error, FaultyFileSystem::Always, c.op == FsOp::ReadLine ? 11 : 0);
        s.SlotInfo[4].NumPoints = 1;
        s.XData[4][0] = 777.0f;
        s.SlotInfo[4].FileName = w.P("locked.rdg");
        EXPECT_EQ(ReadSpectrumFile(w.ctx, 4), SpectrumReadResult::ReadError) << c.name;
        ASSERT_EQ(w.op.Messages().size(), 1u) << c.name;
        EXPECT_EQ(w.op.Messages()[0].text,
                  "The file\n" + w.P("locked.rdg") + "\ncould not be read: " + c.reason + ".")
            << c.name;
        EXPECT_EQ(w.op.Messages()[0].icon, MsgIcon::Exclamation) << c.name;
        EXPECT_FALSE(s.DataAvailable) << c.name;
        EXPECT_EQ(s.SlotInfo[4].NumPoints, 1) << c.name;
        EXPECT_EQ(s.XData[4][0], 777.0f) << c.name;
    }
}

TEST(FileFailuresTold, AnAutoSaveThatCannotBeWrittenSaysWhy) {
    struct Case {
        const char* name;
        FsError error;
        std::string message;  // "#" stands for the file's path
    };
    const Case cases[] = {
        {"full disk", FsError::NoSpace, "The file\n#\ncould not be written: the disk is full."},
        {"permission", FsError::NoPermission, "The file\n#\ncould not be written: permission denied."},
        {"I/O error", FsError::WriteError, "The file\n#\ncould not be written: an input/output error."},
        {"missing folder", FsError::NotFound, PathWarning},
    };
    for (const Case& c : cases) {
        FileWorld w;
        ProgramState& s = *w.state;
        ASSERT_TRUE(w.dir.MakeDir("DATA"));
        ASSERT_TRUE(w.dir.Write("DATA/XYZ00001.rdg", "before"));
        s.DefaultPath = w.P("DATA");
        s.AutoSaveName = "XYZ";
        s.SlotInfo[0].NumPoints = 2;
        s.XData[0][0] = 400.0f;
        s.XData[0][1] = 401.0f;
        s.SlotInfo[0].FileName = "earlier";
        PrepareAutoSaveName(s);
        w.op.AnswerMessage(MsgResult::Yes);  // overwrite the series
        w.fs.FailPath(FsOp::Write, w.P("DATA/XYZ00001.rdg"), c.error);
        EXPECT_EQ(AutoSaveSpectrum(w.ctx), SpectrumSaveResult::Failed) << c.name;
        std::string message = c.message;
        if (const size_t at = message.find('#'); at != std::string::npos) {
            message.replace(at, 1, w.P("DATA/XYZ00001.rdg"));
        }
        ASSERT_EQ(w.op.Messages().size(), 2u) << c.name;
        EXPECT_EQ(w.op.Messages()[1].text, message) << c.name;
        EXPECT_EQ(w.op.Messages()[1].icon, MsgIcon::Exclamation) << c.name;
        EXPECT_EQ(w.dir.Read("DATA/XYZ00001.rdg"), "before") << c.name;
        EXPECT_EQ(s.SlotInfo[0].FileName, "earlier") << c.name;
    }
}

TEST(FileFailuresTold, AMissingDataFolderKeepsTheSystemsWarning) {
    FileWorld w;
    ProgramState& s = *w.state;
    s.DefaultPath = w.P("NODATA");
    s.AutoSaveName = "XYZ";
    s.SlotInfo[0].NumPoints = 1;
    s.XData[0][0] = 400.0f;
    PrepareAutoSaveName(s);
    EXPECT_EQ(AutoSaveSpectrum(w.ctx), SpectrumSaveResult::Failed);
    ASSERT_EQ(w.op.Messages().size(), 1u);
    EXPECT_EQ(w.op.Messages()[0].text, PathWarning);
}

TEST(FileFailuresTold, TheSettingsFileThatCannotBeWrittenSaysWhy) {
    FileWorld w;
    w.state->StartDir = w.dir.Path();
    w.fs.FailPath(FsOp::Write, w.P("Prismel.INI"), FsError::NoSpace);
    EXPECT_FALSE(WriteSettingsFile(w.ctx));
    ASSERT_EQ(w.op.Messages().size(), 1u);
    EXPECT_EQ(w.op.Messages()[0].text, "The file\n" + w.P("Prismel.INI") + "\ncould not be written: the disk is full.");
}

// A spectrum file, a reference calibration file or the settings file that is a pipe or a device
// is refused with a message that says so, at once: nothing waits for the pipe's other end.
TEST(FileFailuresTold, AFileThatIsAPipeOrADeviceIsRefusedWithoutWaiting) {
    const std::string reason = "could not be read: it is a device or a pipe, not a file.";
    struct Case {
        const char* name;
        bool pipe;  // else a link to a device
    };
    for (const Case c : {Case{"a pipe", true}, Case{"a device", false}}) {
        SCOPED_TRACE(c.name);
        FileWorld w;
        ProgramState& s = *w.state;
        std::unique_ptr<test::Fifo> pipes[2];
        for (int k = 0; k < 2; ++k) {
            const std::string name = k == 0 ? "scan.rdg" : "Prismel.INI";
            if (c.pipe) {
                pipes[k] = std::make_unique<test::Fifo>(w.P(name));
                ASSERT_TRUE(pipes[k]->Made());
            } else {
                ASSERT_EQ(::symlink("/dev/null", w.P(name).c_str()), 0);
            }
        }

        // Read as the open dialog and the scan flows' reference calibration file read.
        for (const int16_t slot : {int16_t{4}, slot::Work}) {
            s.SlotInfo[slot].NumPoints = 1;
            s.XData[slot][0] = 777.0f;
            s.SlotInfo[slot].FileName = w.P("scan.rdg");
            EXPECT_EQ(ReadSpectrumFile(w.ctx, slot), SpectrumReadResult::ReadError);
            ASSERT_FALSE(w.op.Messages().empty());
            EXPECT_EQ(w.op.Messages().back().text, "The file\n" + w.P("scan.rdg") + "\n" + reason);
            EXPECT_EQ(s.SlotInfo[slot].NumPoints, 1);
            EXPECT_EQ(s.XData[slot][0], 777.0f);
        }
        EXPECT_FALSE(s.DataAvailable);

        ReadSettingsFile(w.ctx);
        ASSERT_EQ(w.op.Messages().size(), 3u);
        EXPECT_EQ(w.op.Messages().back().text, "The file\n" + w.P("Prismel.INI") + "\n" + reason);
    }
}

// A name chosen or made for a file that is that of a folder is told as a folder; the folder stays.
TEST(FileFailuresTold, ATargetThatIsAFolderIsToldAsSuch) {
    FileWorld w;
    ProgramState& s = *w.state;
    ASSERT_TRUE(w.dir.MakeDir("DATA/XYZ00001.rdg"));
    ASSERT_TRUE(w.dir.MakeDir("DATA/mine.rdg"));
    ASSERT_TRUE(w.dir.MakeDir("DATA/ratio.dat"));
    ASSERT_TRUE(w.dir.MakeDir("Prismel.INI"));
    s.DefaultPath = w.P("DATA");
    s.AutoSaveName = "XYZ";
    s.SlotInfo[0].NumPoints = 2;
    s.XData[0][0] = 400.0f;
    s.XData[0][1] = 401.0f;
    w.logs.OpenAll(w.fs, w.dir.Path());
    auto toldAsFolder = [&](const std::string& path) {
        ASSERT_FALSE(w.op.Messages().empty()) << path;
        EXPECT_EQ(w.op.Messages().back().text, "The file\n" + path + "\ncould not be written: it is a folder.");
        EXPECT_TRUE(w.dir.Names(path.substr(w.dir.Path().size() + 1)).empty()) << path;
    };

    PrepareAutoSaveName(s);
    EXPECT_EQ(AutoSaveSpectrum(w.ctx), SpectrumSaveResult::Failed);
    toldAsFolder(w.P("DATA/XYZ00001.rdg"));

    w.op.AnswerSave(w.P("DATA/mine.rdg"));
    EXPECT_EQ(SaveSpectrumAs(w.ctx, 0), SpectrumSaveResult::Failed);
    toldAsFolder(w.P("DATA/mine.rdg"));

    w.op.AnswerSave(w.P("DATA/ratio.dat"));
    EXPECT_EQ(SaveKineticFile(w.ctx, "~Ratio.Tmp", 101), KineticSaveResult::Failed);
    toldAsFolder(w.P("DATA/ratio.dat"));

    EXPECT_FALSE(WriteSettingsFile(w.ctx));
    toldAsFolder(w.P("Prismel.INI"));
    EXPECT_EQ(w.op.Messages().size(), 4u);
}

}  // namespace
}  // namespace tav
