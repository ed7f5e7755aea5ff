#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "platform/RealFileSystem.h"
#include "support/Fifo.h"
#include "support/TempDir.h"

namespace tav {
namespace {

using test::TempDir;

TEST(RealFileSystem, ResolvesPathsFromItsOwnCurrentFolder) {
    RealFileSystem files("/base/dir");
    struct Case {
        const char* path;
        const char* resolved;
    };
    const Case cases[] = {
        {"a.rdg", "/base/dir/a.rdg"},
        {"sub\\a.rdg", "/base/dir/sub/a.rdg"},
        {"/abs/x.ini", "/abs/x.ini"},
        {"\\abs\\x.ini", "/abs/x.ini"},
        {"../up.txt", "/base/up.txt"},
        {"./sub/./b", "/base/dir/sub/b"},
        {"sub/", "/base/dir/sub"},
        {"", "/base/dir"},
        {"/", "/"},
        {"../../../..", "/"},
    };
    for (const Case& c : cases) EXPECT_EQ(files.Resolve(c.path), c.resolved) << c.path;
}

TEST(RealFileSystem, ChangingFolderNeverChangesTheProcessFolder) {
    TempDir dir;
    ASSERT_TRUE(dir.MakeDir("data"));
    ASSERT_TRUE(dir.Write("data/s.rdg", "spectrum"));
    std::string processFolder = std::filesystem::current_path().string();

    RealFileSystem files;
    EXPECT_EQ(files.CurrentDir(), processFolder);
    EXPECT_TRUE(files.SetCurrentDir(dir.Path()));
    EXPECT_TRUE(files.SetCurrentDir("data"));
    EXPECT_EQ(files.CurrentDir(), dir.File("data"));
    EXPECT_EQ(files.ReadAll("s.rdg").value_or(""), "spectrum");
    EXPECT_EQ(std::filesystem::current_path().string(), processFolder);

    EXPECT_FALSE(files.SetCurrentDir("missing"));
    EXPECT_FALSE(files.SetCurrentDir("s.rdg"));  // a file is no folder
    EXPECT_EQ(files.CurrentDir(), dir.File("data"));
}

TEST(RealFileSystem, FindsFixedNamesExactlyFirstThenWithoutCase) {
    TempDir dir;
    dir.Write("Prismel.INI", "");
    dir.Write("cb.cfg", "");
    dir.Write("CB.CFG", "");
    dir.Write("SIMULATE.RDG", "");
    dir.MakeDir("Sub");
    RealFileSystem files(dir.Path());
    struct Case {
        const char* name;
        const char* found;
    };
    const Case cases[] = {
        {"Prismel.INI", "Prismel.INI"}, {"prismel.ini", "Prismel.INI"}, {"CB.CFG", "CB.CFG"},
        {"cb.cfg", "cb.cfg"},           {"Cb.Cfg", "CB.CFG"},           {"simulate.rdg", "SIMULATE.RDG"},
        {"sub", "Sub"},                 {"OLMMASTR.S19", ""},           {"", ""},
        {"../x", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(files.FindName(dir.Path(), c.name), c.found) << c.name;
    EXPECT_EQ(files.FindName(dir.File("missing"), "CB.CFG"), "");
}

TEST(RealFileSystem, ListsEntriesSortedWithTheirKind) {
    TempDir dir;
    dir.Write("b.rdg", "");
    dir.Write("a.rdg", "");
    dir.MakeDir("c");
    RealFileSystem files(dir.Path());
    auto entries = files.List(".");
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].name, "a.rdg");
    EXPECT_FALSE(entries[0].isDirectory);
    EXPECT_EQ(entries[2].name, "c");
    EXPECT_TRUE(entries[2].isDirectory);
    EXPECT_TRUE(files.List("missing").empty());
    EXPECT_TRUE(files.IsDirectory("c"));
    EXPECT_FALSE(files.IsDirectory("a.rdg"));
    EXPECT_TRUE(files.Exists("a.rdg"));
    EXPECT_FALSE(files.Exists("z.rdg"));
}

TEST(RealFileSystem, ReadsBytesExactlyAndSaysWhyItCannot) {
    TempDir dir;
    std::string bytes("line 1\r\nline\0two\r\n\xff\x80", 20);
    dir.Write("f.rdg", bytes);
    dir.MakeDir("folder");
    RealFileSystem files(dir.Path());

    FsError error = FsError::WriteError;
    EXPECT_EQ(files.ReadAll("f.rdg", &error).value_or(""), bytes);
    EXPECT_EQ(error, FsError::None);

    struct Case {
        const char* path;
        FsError error;
    };
    for (Case c : {Case{"missing.rdg", FsError::NotFound}, Case{"nofolder/f.rdg", FsError::NotFound},
                   Case{"f.rdg/inside", FsError::NotFound}, Case{"folder", FsError::IsFolder}}) {
        FsError e = FsError::None;
        EXPECT_FALSE(files.ReadAll(c.path, &e).has_value()) << c.path;
        EXPECT_EQ(e, c.error) << c.path;
    }
    EXPECT_FALSE(files.ReadAll("missing.rdg").has_value());  // no error slot: no crash
}

TEST(RealFileSystem, WriteAtomicReplacesTheFileAndLeavesNoTemporary) {
    TempDir dir;
    dir.Write("Prismel.INI", "old settings");
    ::chmod(dir.File("Prismel.INI").c_str(), 0640);
    RealFileSystem files(dir.Path());

    FsError error = FsError::WriteError;
    EXPECT_TRUE(files.WriteAtomic("Prismel.INI", "[Windows]\r\nnew\r\n", &error));
    EXPECT_EQ(error, FsError::None);
    EXPECT_EQ(dir.Read("Prismel.INI"), "[Windows]\r\nnew\r\n");
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"Prismel.INI"});
    struct stat st {};
    ASSERT_EQ(::stat(dir.File("Prismel.INI").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);

    EXPECT_TRUE(files.WriteAtomic("new.rdg", ""));
    EXPECT_TRUE(dir.Exists("new.rdg"));
    EXPECT_EQ(dir.Read("new.rdg"), "");
}

TEST(RealFileSystem, AFailedWriteKeepsTheOldFile) {
    TempDir dir;
    dir.Write("keep.rdg", "precious");
    dir.MakeDir("adir");
    RealFileSystem files(dir.Path());
    struct Case {
        const char* path;
        FsError error;
    };
    const Case cases[] = {
        {"missing/x.rdg", FsError::NotFound},
        {"adir", FsError::IsFolder},  // a folder stands where the file would go
        {"adir/", FsError::BadName},
        {"", FsError::BadName},
    };
    for (const Case& c : cases) {
        FsError error = FsError::None;
        EXPECT_FALSE(files.WriteAtomic(c.path, "data", &error)) << c.path;
        EXPECT_EQ(error, c.error) << c.path;
    }
    EXPECT_EQ(dir.Read("keep.rdg"), "precious");
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"adir", "keep.rdg"}));
    EXPECT_TRUE(dir.Names("adir").empty());
    EXPECT_FALSE(dir.Exists("missing"));
}

// A replacing write of 100000 bytes over s.rdg, in a child whose files may not grow past 4 KiB:
// with SIGXFSZ ignored the write fails (exit 0 when it says so), else the signal kills the child
// in the middle of its write. The child's wait status.
int WriteOverTheSizeLimit(const TempDir& dir, bool killed) {
    const pid_t child = fork();
    if (child < 0) return -1;
    if (child == 0) {
        signal(SIGXFSZ, killed ? SIG_DFL : SIG_IGN);
        rlimit limit{4096, 4096};
        setrlimit(RLIMIT_FSIZE, &limit);
        RealFileSystem files(dir.Path());
        FsError error = FsError::None;
        const bool ok = files.WriteAtomic("s.rdg", std::string(100000, 'x'), &error);
        _exit(ok ? 1 : error == FsError::WriteError ? 0 : 2);
    }
    int status = 0;
    return waitpid(child, &status, 0) == child ? status : -1;
}

TEST(RealFileSystem, AWriteThatBreaksOffHalfWayKeepsTheOldFile) {
    // The disk "fills up" half-way through the new contents: a file size limit makes the write
    // fail even for root.
    TempDir dir;
    dir.Write("s.rdg", "old contents");
    const int status = WriteOverTheSizeLimit(dir, false);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(dir.Read("s.rdg"), "old contents");
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"s.rdg"});
}

TEST(RealFileSystem, AppendsLinesThatAreOnDiskAtOnce) {
    TempDir dir;
    dir.Write("~Ratio.Tmp", "earlier run\r\n");
    RealFileSystem files(dir.Path());
    FsError error = FsError::WriteError;
    auto log = files.OpenAppend("~Ratio.Tmp", &error);
    ASSERT_TRUE(log);
    EXPECT_EQ(error, FsError::None);
    EXPECT_TRUE(log->IsOpen());
    EXPECT_TRUE(log->WriteLine("a.rdg, 1.5"));
    EXPECT_EQ(dir.Read("~Ratio.Tmp"), "earlier run\r\na.rdg, 1.5\r\n");  // before any close
    EXPECT_TRUE(log->WriteLine(""));
    log->Close();
    EXPECT_FALSE(log->IsOpen());
    EXPECT_FALSE(log->WriteLine("after close"));
    EXPECT_EQ(dir.Read("~Ratio.Tmp"), "earlier run\r\na.rdg, 1.5\r\n\r\n");

    auto fresh = files.OpenAppend("~Diagnost.Tmp");
    ASSERT_TRUE(fresh);
    EXPECT_TRUE(dir.Exists("~Diagnost.Tmp"));

    EXPECT_EQ(files.OpenAppend("missing/x.Tmp", &error), nullptr);
    EXPECT_EQ(error, FsError::NotFound);
}

// A pipe, a device or a folder where a file is wanted is refused, before anything opens it and
// without waiting for the pipe's other end, by every way of opening and by the replacing write,
// which leaves it as it was.
TEST(RealFileSystem, OpensOnlyRegularFilesAndNeverWaitsOnOne) {
    TempDir dir;
    test::Fifo pipe(dir.File("pipe.rdg"));
    ASSERT_TRUE(pipe.Made());
    ASSERT_EQ(::symlink("/dev/null", dir.File("device.rdg").c_str()), 0);
    ASSERT_TRUE(dir.MakeDir("folder.rdg"));
    RealFileSystem files(dir.Path());
    struct Case {
        const char* name;
        FsError error;
    };
    for (const Case c : {Case{"pipe.rdg", FsError::NotAFile}, Case{"device.rdg", FsError::NotAFile},
                         Case{"folder.rdg", FsError::IsFolder}}) {
        SCOPED_TRACE(c.name);
        FsError error = FsError::None;
        EXPECT_EQ(files.OpenLines(c.name, &error), nullptr);
        EXPECT_EQ(error, c.error);
        error = FsError::None;
        EXPECT_FALSE(files.ReadAll(c.name, &error).has_value());
        EXPECT_EQ(error, c.error);
        error = FsError::None;
        EXPECT_EQ(files.OpenAppend(c.name, &error), nullptr);
        EXPECT_EQ(error, c.error);
        error = FsError::None;
        EXPECT_FALSE(files.WriteAtomic(c.name, "data", &error));
        EXPECT_EQ(error, c.error);
    }
    struct stat st {};
    ASSERT_EQ(::lstat(dir.File("pipe.rdg").c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    ASSERT_EQ(::lstat(dir.File("device.rdg").c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"device.rdg", "folder.rdg", "pipe.rdg"}));
    EXPECT_TRUE(dir.Names("folder.rdg").empty());
}

// A replacing write killed half-way leaves its temporary file; the next write of that file
// removes it, but not the temporary file of a write still going on, nor those of other files.
TEST(RealFileSystem, TheNextWriteRemovesWhatAKilledWriteLeft) {
    TempDir dir;
    dir.Write("s.rdg", "old contents");
    const int status = WriteOverTheSizeLimit(dir, true);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), SIGXFSZ);
    std::vector<std::string> left = dir.Names();
    ASSERT_EQ(left.size(), 2u);
    EXPECT_EQ(left[0].rfind(".s.rdg.", 0), 0u) << left[0];
    EXPECT_EQ(dir.Read("s.rdg"), "old contents");

    dir.Write(".s.rdg.Busy01", "a write going on");
    const int busy = ::open(dir.File(".s.rdg.Busy01").c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(busy, 0);
    ASSERT_EQ(::flock(busy, LOCK_EX), 0);
    dir.Write(".t.rdg.Abc123", "another file's");
    dir.MakeDir(".s.rdg.Dir123");
    dir.Write(".s.rdg.short", "not of that shape");

    RealFileSystem files(dir.Path());
    ASSERT_TRUE(files.WriteAtomic("s.rdg", "new contents"));
    EXPECT_EQ(dir.Read("s.rdg"), "new contents");
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{".s.rdg.Busy01", ".s.rdg.Dir123", ".s.rdg.short",
                                                     ".t.rdg.Abc123", "s.rdg"}));
    ::close(busy);
}

TEST(RealFileSystem, MakesRemovesAndRenames) {
    TempDir dir;
    RealFileSystem files(dir.Path());
    EXPECT_TRUE(files.MakeDir("data"));
    EXPECT_FALSE(files.MakeDir("data"));
    EXPECT_FALSE(files.MakeDir("no/such/parent"));

    dir.Write("~Ratio.Tmp", "lines");
    dir.Write("saved.txt", "older save");
    EXPECT_TRUE(files.Rename("~Ratio.Tmp", "saved.txt"));  // an existing target is replaced
    EXPECT_EQ(dir.Read("saved.txt"), "lines");
    EXPECT_FALSE(dir.Exists("~Ratio.Tmp"));
    EXPECT_FALSE(files.Rename("~Ratio.Tmp", "other.txt"));
    EXPECT_TRUE(files.Rename("saved.txt", "data\\moved.txt"));
    EXPECT_EQ(dir.Read("data/moved.txt"), "lines");

    EXPECT_FALSE(files.Remove("data"));  // not empty
    EXPECT_TRUE(files.Remove("data/moved.txt"));
    EXPECT_FALSE(files.Remove("data/moved.txt"));
    EXPECT_TRUE(files.Remove("data"));
    EXPECT_TRUE(dir.Names().empty());
}

// What a link names, or "" for no link.
std::string LinkText(const std::string& path) {
    char text[4096];
    const ssize_t n = ::readlink(path.c_str(), text, sizeof text);
    return n > 0 ? std::string(text, static_cast<size_t>(n)) : "";
}

// A replacing write through a symbolic link replaces the file at the end of the link's chain, in
// that file's own folder, and the contexts stay: relative and absolute contexts, a chain, a dangling
// link (the file it names is made).
TEST(RealFileSystem, WriteAtomicThroughALinkReplacesTheFileItLeadsTo) {
    TempDir dir;
    dir.Write("conf/real.ini", "old");
    ::chmod(dir.File("conf/real.ini").c_str(), 0600);
    ASSERT_EQ(::symlink("conf/real.ini", dir.File("Prismel.INI").c_str()), 0);
    ASSERT_EQ(::symlink(dir.File("Prismel.INI").c_str(), dir.File("chain.ini").c_str()), 0);
    ASSERT_EQ(::symlink("conf/new.ini", dir.File("dangling.ini").c_str()), 0);
    RealFileSystem files(dir.Path());

    EXPECT_TRUE(files.WriteAtomic("Prismel.INI", "first"));
    EXPECT_TRUE(files.WriteAtomic("chain.ini", "second"));
    EXPECT_TRUE(files.WriteAtomic("dangling.ini", "made"));
    EXPECT_EQ(LinkText(dir.File("Prismel.INI")), "conf/real.ini");
    EXPECT_EQ(LinkText(dir.File("chain.ini")), dir.File("Prismel.INI"));
    EXPECT_EQ(LinkText(dir.File("dangling.ini")), "conf/new.ini");
    EXPECT_EQ(dir.Read("conf/real.ini"), "second");
    EXPECT_EQ(dir.Read("conf/new.ini"), "made");
    struct stat st {};
    ASSERT_EQ(::stat(dir.File("conf/real.ini").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_EQ(dir.Names("conf"), (std::vector<std::string>{"new.ini", "real.ini"})) << "no temporary left";
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"Prismel.INI", "chain.ini", "conf", "dangling.ini"}));

    ASSERT_EQ(::symlink("loop.ini", dir.File("loop.ini").c_str()), 0);
    EXPECT_FALSE(files.WriteAtomic("loop.ini", "never"));
    EXPECT_EQ(LinkText(dir.File("loop.ini")), "loop.ini");
}

// Keeping a file aside renames it in its own folder (through a link, the file the link leads to)
// and never replaces what stands at a name already.
TEST(RealFileSystem, KeepAsideFindsAFreeNameAndReplacesNothing) {
    TempDir dir;
    dir.Write("Prismel.INI", "first");
    dir.Write("Prismel.INI.unread", "kept before");
    ASSERT_EQ(::symlink("nowhere", dir.File("Prismel.INI.unread-2").c_str()), 0);
    RealFileSystem files(dir.Path());

    FsError error = FsError::WriteError;
    EXPECT_EQ(files.KeepAside("Prismel.INI", ".unread", &error), dir.File("Prismel.INI.unread-3"));
    EXPECT_EQ(error, FsError::None);
    EXPECT_FALSE(dir.Exists("Prismel.INI"));
    EXPECT_EQ(dir.Read("Prismel.INI.unread"), "kept before");
    EXPECT_EQ(LinkText(dir.File("Prismel.INI.unread-2")), "nowhere");
    EXPECT_EQ(dir.Read("Prismel.INI.unread-3"), "first");

    dir.Write("conf/real.ini", "behind a link");
    ASSERT_EQ(::symlink("conf/real.ini", dir.File("Prismel.INI").c_str()), 0);
    EXPECT_EQ(files.KeepAside("Prismel.INI", ".unread"), dir.File("conf/real.ini.unread"));
    EXPECT_EQ(dir.Read("conf/real.ini.unread"), "behind a link");
    EXPECT_EQ(LinkText(dir.File("Prismel.INI")), "conf/real.ini");

    EXPECT_EQ(files.KeepAside("gone.ini", ".unread", &error), "");
    EXPECT_EQ(error, FsError::NotFound);
}

TEST(RealFileSystem, EnvironmentOverridesWinOverTheProcess) {
    RealFileSystem files;
    ::setenv("TAVOLIN_TEST_PROBE", "/opt/cb", 1);
    EXPECT_EQ(files.GetEnv("TAVOLIN_TEST_PROBE"), "/opt/cb");
    files.SetEnvOverride("TAVOLIN_TEST_PROBE", "");
    EXPECT_EQ(files.GetEnv("TAVOLIN_TEST_PROBE"), "");
    files.SetEnvOverride("CBDIREC", "/tmp/board/");
    EXPECT_EQ(files.GetEnv("CBDIREC"), "/tmp/board/");
    files.ClearEnvOverride("TAVOLIN_TEST_PROBE");
    EXPECT_EQ(files.GetEnv("TAVOLIN_TEST_PROBE"), "/opt/cb");
    ::unsetenv("TAVOLIN_TEST_PROBE");
    EXPECT_EQ(files.GetEnv("TAVOLIN_TEST_PROBE"), "");
}

}  // namespace
}  // namespace tav
