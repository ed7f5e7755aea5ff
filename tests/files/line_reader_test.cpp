// Reading files line by line: the same lines from a file and from a text in memory, whatever
// the line ends and wherever they fall in the read buffer; an overlong line is not taken in;
// and the reasons a file cannot be read or written.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <memory>
#include <string>
#include <vector>

#include "doubles/FaultyFileSystem.h"
#include "files/TextLines.h"
#include "platform/RealFileSystem.h"
#include "support/TempDir.h"

namespace tav {
namespace {

using test::TempDir;
using Status = LineReader::Status;

// Every line, "<too long>" for an overlong one, "<failed>" for a failure; at most 20 results.
std::vector<std::string> AllLines(LineReader& reader, size_t maxLength) {
    std::vector<std::string> lines;
    std::string line;
    for (int n = 0; n < 20; ++n) {
        const Status status = reader.Next(line, maxLength);
        if (status == Status::End) break;
        if (status == Status::TooLong) lines.push_back("<too long>");
        if (status == Status::Failed) {
            lines.push_back("<failed>");
            break;
        }
        if (status == Status::Line) lines.push_back(line);
    }
    return lines;
}

struct LinesCase {
    const char* name;
    std::string text;
    size_t maxLength;
    std::vector<std::string> lines;
};

TEST(LineReader, FileAndTextGiveTheSameLines) {
    const std::string wide(65535, 'w');  // its end falls on the read buffer's edge
    const LinesCase cases[] = {
        {"CR LF", "a\r\nb\r\n", 100, {"a", "b"}},
        {"LF", "a\nb\n", 100, {"a", "b"}},
        {"lone CR", "a\rb\r", 100, {"a", "b"}},
        {"mixed and empty lines", "a\r\n\r\n\nb\r\rc", 100, {"a", "", "", "b", "", "c"}},
        {"last line without end", "a\r\nlast", 100, {"a", "last"}},
        {"empty", "", 100, {}},
        {"bytes kept", std::string("x\0y\xff\r\n", 6), 100, {std::string("x\0y\xff", 4)}},
        {"overlong, then on", "short\r\n0123456789\r\nnext\r\n", 6, {"short", "<too long>", "6789", "next"}},
        {"CR LF across the buffer edge", wide + "\r\nz\r\n", 70000, {wide, "z"}},
    };
    TempDir dir;
    RealFileSystem files(dir.Path());
    for (const LinesCase& c : cases) {
        ASSERT_TRUE(dir.Write("f.txt", c.text));
        FsError error = FsError::WriteError;
        std::unique_ptr<LineReader> file = files.OpenLines("f.txt", &error);
        ASSERT_TRUE(file) << c.name;
        EXPECT_EQ(error, FsError::None);
        EXPECT_EQ(AllLines(*file, c.maxLength), c.lines) << c.name;
        TextLineReader text(c.text);
        EXPECT_EQ(AllLines(text, c.maxLength), c.lines) << c.name;
    }
}

TEST(LineReader, AFileThatCannotBeReadSaysWhy) {
    TempDir dir;
    dir.MakeDir("folder");
    RealFileSystem files(dir.Path());
    FsError error = FsError::None;
    EXPECT_EQ(files.OpenLines("missing.txt", &error), nullptr);
    EXPECT_EQ(error, FsError::NotFound);
    EXPECT_EQ(files.OpenLines("folder", &error), nullptr);
    EXPECT_EQ(error, FsError::IsFolder);

    if (geteuid() != 0) {  // root reads every file
        ASSERT_TRUE(dir.Write("locked.txt", "secret\r\n"));
        ::chmod(dir.File("locked.txt").c_str(), 0);
        EXPECT_EQ(files.OpenLines("locked.txt", &error), nullptr);
        EXPECT_EQ(error, FsError::NoPermission);
        EXPECT_FALSE(files.ReadAll("locked.txt", &error).has_value());
        EXPECT_EQ(error, FsError::NoPermission);
    }
}

TEST(LineReader, AWriteRefusedByTheFolderSaysWhy) {
    if (geteuid() == 0) GTEST_SKIP() << "root writes into every folder";
    TempDir dir;
    dir.MakeDir("ro");
    ::chmod(dir.File("ro").c_str(), 0555);
    RealFileSystem files(dir.Path());
    FsError error = FsError::None;
    EXPECT_FALSE(files.WriteAtomic("ro/x.rdg", "data", &error));
    EXPECT_EQ(error, FsError::NoPermission);
    ::chmod(dir.File("ro").c_str(), 0755);
}

TEST(LineReader, InjectedFaultsStopTheReading) {
    TempDir dir;
    dir.Write("f.txt", "1\r\n2\r\n3\r\n");
    RealFileSystem real(dir.Path());
    FaultyFileSystem files(real);
    files.FailPath(FsOp::ReadLine, "f.txt", FsError::ReadError, FaultyFileSystem::Always, 2);
    std::unique_ptr<LineReader> lines = files.OpenLines("f.txt");
    ASSERT_TRUE(lines);
    EXPECT_EQ(AllLines(*lines, 100), (std::vector<std::string>{"1", "2", "<failed>"}));
    EXPECT_EQ(lines->Error(), FsError::ReadError);

    files.FailNext(FsOp::Read, FsError::NoPermission);
    FsError error = FsError::None;
    EXPECT_EQ(files.OpenLines("f.txt", &error), nullptr);
    EXPECT_EQ(error, FsError::NoPermission);
}

}  // namespace
}  // namespace tav
