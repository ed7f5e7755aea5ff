#pragma once
// A FileSystem for tests that passes every call on to another one and makes chosen calls fail,
// so that the error paths of the callers can be driven without permission tricks (tests may run
// as root). A failed call leaves the files as they were, as a failing real call would:
// a refused WriteAtomic keeps the old file, a refused append line writes nothing.
//
// Faults name an operation and either a path (compared after Resolve) or any path. A fault can
// let its first few matching calls succeed and can be limited to a number of failures.

#include <memory>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace tav {

// ReadLine: each line taken from a file opened with OpenLines (a failure there stops the reading).
enum class FsOp { Read, Write, OpenAppend, AppendLine, MakeDir, Remove, Rename, ReadLine };

struct WriteAttempt {
    std::string path;  // resolved
    std::string contents;
    bool succeeded = false;
};

class FaultyFileSystem : public FileSystem {
public:
    static constexpr int Always = -1;

    explicit FaultyFileSystem(FileSystem& inner);
    ~FaultyFileSystem() override;

    // Calls of op on path (either end of a Rename) fail with error: after succeedFirst calls
    // that go through, `times` calls fail (Always: every later one).
    void FailPath(FsOp op, const std::string& path, FsError error, int times = Always, int succeedFirst = 0);
    // The next call of op, on any path, fails with error.
    void FailNext(FsOp op, FsError error);
    // Lines appended to path: the first goodLines are written, every later one fails.
    void FailAppendAfter(const std::string& path, int goodLines);
    void ClearFaults();

    int Calls(FsOp op) const;
    int Failures(FsOp op) const;
    const std::vector<WriteAttempt>& WriteAttempts() const;

    std::string CurrentDir() const override { return inner_.CurrentDir(); }
    bool SetCurrentDir(const std::string& path) override { return inner_.SetCurrentDir(path); }
    std::string Resolve(const std::string& path) const override { return inner_.Resolve(path); }
    bool Exists(const std::string& path) const override { return inner_.Exists(path); }
    bool IsDirectory(const std::string& path) const override { return inner_.IsDirectory(path); }
    std::vector<DirEntry> List(const std::string& dir) const override { return inner_.List(dir); }
    std::string FindName(const std::string& dir, const std::string& name) const override {
        return inner_.FindName(dir, name);
    }
    std::string GetEnv(const std::string& name) const override { return inner_.GetEnv(name); }
    void RemoveLeftoverTemporaries(const std::string& folder,
                                   const std::function<bool(const std::string& name)>& ofName) override {
        inner_.RemoveLeftoverTemporaries(folder, ofName);
    }

    // Read faults apply to ReadAll and to OpenLines alike.
    std::optional<std::string> ReadAll(const std::string& path, FsError* error = nullptr) const override;
    std::unique_ptr<LineReader> OpenLines(const std::string& path, FsError* error = nullptr) const override;
    bool WriteAtomic(const std::string& path, const std::string& contents, FsError* error = nullptr) override;
    std::unique_ptr<AppendFile> OpenAppend(const std::string& path, FsError* error = nullptr) override;
    bool MakeDir(const std::string& path) override;
    bool Remove(const std::string& path) override;
    bool Rename(const std::string& from, const std::string& to) override;
    // Rename faults apply.
    std::string KeepAside(const std::string& path, const std::string& suffix, FsError* error = nullptr) override;

    struct State;  // shared with the append files handed out, which may outlive this object

private:
    FileSystem& inner_;
    std::shared_ptr<State> state_;
};

}  // namespace tav
