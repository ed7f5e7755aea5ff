#include <gtest/gtest.h>

#include "doubles/FaultyFileSystem.h"
#include "platform/RealFileSystem.h"
#include "support/TempDir.h"

namespace tav {
namespace {

using test::TempDir;

class FaultyFileSystemTest : public ::testing::Test {
protected:
    TempDir dir;
    RealFileSystem real{dir.Path()};
    FaultyFileSystem files{real};
};

TEST_F(FaultyFileSystemTest, ReadFaultsHitOnlyTheirPath) {
    dir.Write("a.rdg", "A");
    dir.Write("b.rdg", "B");
    for (FsError injected : {FsError::InUse, FsError::NotFound, FsError::ReadError}) {
        files.ClearFaults();
        files.FailPath(FsOp::Read, dir.File("a.rdg"), injected);
        FsError error = FsError::None;
        EXPECT_FALSE(files.ReadAll("a.rdg", &error).has_value());
        EXPECT_EQ(error, injected);
        EXPECT_FALSE(files.ReadAll(".\\a.rdg").has_value());  // the same file by another spelling
        EXPECT_EQ(files.ReadAll("b.rdg").value_or(""), "B");
        EXPECT_TRUE(files.Exists("a.rdg"));  // only the read fails
    }
    files.ClearFaults();
    EXPECT_EQ(files.ReadAll("a.rdg").value_or(""), "A");
    EXPECT_EQ(files.Calls(FsOp::Read), 10);
    EXPECT_EQ(files.Failures(FsOp::Read), 6);
}

TEST_F(FaultyFileSystemTest, ARefusedWriteKeepsTheOldFile) {
    dir.Write("Prismel.INI", "old");
    files.FailNext(FsOp::Write, FsError::WriteError);
    FsError error = FsError::None;
    EXPECT_FALSE(files.WriteAtomic("Prismel.INI", "new", &error));
    EXPECT_EQ(error, FsError::WriteError);
    EXPECT_EQ(dir.Read("Prismel.INI"), "old");
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"Prismel.INI"});

    EXPECT_TRUE(files.WriteAtomic("Prismel.INI", "new", &error));  // only the next one failed
    EXPECT_EQ(dir.Read("Prismel.INI"), "new");

    ASSERT_EQ(files.WriteAttempts().size(), 2u);
    EXPECT_EQ(files.WriteAttempts()[0].path, dir.File("Prismel.INI"));
    EXPECT_EQ(files.WriteAttempts()[0].contents, "new");
    EXPECT_FALSE(files.WriteAttempts()[0].succeeded);
    EXPECT_TRUE(files.WriteAttempts()[1].succeeded);
}

TEST_F(FaultyFileSystemTest, FaultsCanWaitAndCanRunOut) {
    files.FailPath(FsOp::Write, "s.rdg", FsError::WriteError, 2, 1);
    std::vector<bool> results;
    for (int i = 0; i < 5; ++i) results.push_back(files.WriteAtomic("s.rdg", std::to_string(i)));
    EXPECT_EQ(results, (std::vector<bool>{true, false, false, true, true}));
    EXPECT_EQ(dir.Read("s.rdg"), "4");
}

TEST_F(FaultyFileSystemTest, AppendLinesFailAfterTheGoodOnes) {
    files.FailAppendAfter("~Ratio.Tmp", 2);
    auto log = files.OpenAppend("~Ratio.Tmp");
    ASSERT_TRUE(log);
    EXPECT_TRUE(log->WriteLine("one"));
    EXPECT_TRUE(log->WriteLine("two"));
    EXPECT_FALSE(log->WriteLine("three"));
    EXPECT_EQ(dir.Read("~Ratio.Tmp"), "one\r\ntwo\r\n");

    auto other = files.OpenAppend("~Integral.Tmp");
    ASSERT_TRUE(other);
    EXPECT_TRUE(other->WriteLine("fine"));

    files.FailPath(FsOp::OpenAppend, "~Average.Tmp", FsError::InUse);
    FsError error = FsError::None;
    EXPECT_EQ(files.OpenAppend("~Average.Tmp", &error), nullptr);
    EXPECT_EQ(error, FsError::InUse);
    EXPECT_FALSE(dir.Exists("~Average.Tmp"));
}

TEST_F(FaultyFileSystemTest, AnAppendFileOutlivesTheWrapper) {
    std::unique_ptr<AppendFile> log;
    {
        FaultyFileSystem shortLived(real);
        shortLived.FailAppendAfter("x.Tmp", 1);
        log = shortLived.OpenAppend("x.Tmp");
    }
    ASSERT_TRUE(log);
    EXPECT_TRUE(log->WriteLine("a"));
    EXPECT_FALSE(log->WriteLine("b"));
}

TEST_F(FaultyFileSystemTest, RenameRemoveAndMakeDirFaults) {
    dir.Write("~Ratio.Tmp", "lines");
    files.FailPath(FsOp::Rename, "saved.txt", FsError::InUse);  // matches the target as well
    EXPECT_FALSE(files.Rename("~Ratio.Tmp", "saved.txt"));
    EXPECT_TRUE(dir.Exists("~Ratio.Tmp"));
    EXPECT_TRUE(files.Rename("~Ratio.Tmp", "other.txt"));

    files.FailNext(FsOp::Remove, FsError::InUse);
    EXPECT_FALSE(files.Remove("other.txt"));
    EXPECT_TRUE(dir.Exists("other.txt"));
    EXPECT_TRUE(files.Remove("other.txt"));

    files.FailNext(FsOp::MakeDir, FsError::WriteError);
    EXPECT_FALSE(files.MakeDir("data"));
    EXPECT_FALSE(dir.Exists("data"));
    EXPECT_TRUE(files.MakeDir("data"));
}

}  // namespace
}  // namespace tav
