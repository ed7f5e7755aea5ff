#include "doubles/FaultyFileSystem.h"

#include <array>

namespace tav {

namespace {

constexpr size_t OpCount = 8;

struct Fault {
    FsOp op;
    std::string path;  // resolved; empty = any path
    FsError error;
    int times;         // failures left; FaultyFileSystem::Always = no limit
    int succeedFirst;  // matching calls still let through
};

}  // namespace

struct FaultyFileSystem::State {
    std::vector<Fault> faults;
    std::array<int, OpCount> calls{};
    std::array<int, OpCount> failures{};
    std::vector<WriteAttempt> writes;

    // Counts the call; the error it must fail with, or None.
    FsError Check(FsOp op, const std::string& path, const std::string& otherPath = "") {
        ++calls[static_cast<size_t>(op)];
        for (auto it = faults.begin(); it != faults.end(); ++it) {
            if (it->op != op) continue;
            if (!it->path.empty() && it->path != path && it->path != otherPath) continue;
            if (it->succeedFirst > 0) {
                --it->succeedFirst;
                continue;
            }
            FsError error = it->error;
            if (it->times != Always && --it->times <= 0) faults.erase(it);
            ++failures[static_cast<size_t>(op)];
            return error;
        }
        return FsError::None;
    }
};

namespace {

void SetError(FsError* error, FsError value) {
    if (error) *error = value;
}

class FaultyAppendFile : public AppendFile {
public:
    FaultyAppendFile(std::unique_ptr<AppendFile> inner, std::shared_ptr<FaultyFileSystem::State> state,
                     std::string path)
        : inner_(std::move(inner)), state_(std::move(state)), path_(std::move(path)) {}
    bool WriteLine(const std::string& line) override {
        error_ = state_->Check(FsOp::AppendLine, path_);
        if (error_ != FsError::None) return false;
        return inner_->WriteLine(line);
    }
    void Close() override { inner_->Close(); }
    bool IsOpen() const override { return inner_->IsOpen(); }
    FsError Error() const override { return error_ != FsError::None ? error_ : inner_->Error(); }

private:
    FsError error_ = FsError::None;
    std::unique_ptr<AppendFile> inner_;
    std::shared_ptr<FaultyFileSystem::State> state_;
    std::string path_;
};

class FaultyLineReader : public LineReader {
public:
    FaultyLineReader(std::unique_ptr<LineReader> inner, std::shared_ptr<FaultyFileSystem::State> state,
                     std::string path)
        : inner_(std::move(inner)), state_(std::move(state)), path_(std::move(path)) {}
    Status Next(std::string& line, std::size_t maxLength) override {
        if (error_ != FsError::None) return Status::Failed;
        error_ = state_->Check(FsOp::ReadLine, path_);
        if (error_ != FsError::None) {
            line.clear();
            return Status::Failed;
        }
        return inner_->Next(line, maxLength);
    }
    FsError Error() const override { return error_ != FsError::None ? error_ : inner_->Error(); }

private:
    std::unique_ptr<LineReader> inner_;
    std::shared_ptr<FaultyFileSystem::State> state_;
    std::string path_;
    FsError error_ = FsError::None;
};

}  // namespace

FaultyFileSystem::FaultyFileSystem(FileSystem& inner) : inner_(inner), state_(std::make_shared<State>()) {}

FaultyFileSystem::~FaultyFileSystem() = default;

void FaultyFileSystem::FailPath(FsOp op, const std::string& path, FsError error, int times, int succeedFirst) {
    if (times == 0) return;
    state_->faults.push_back({op, inner_.Resolve(path), error, times, succeedFirst});
}

void FaultyFileSystem::FailNext(FsOp op, FsError error) { state_->faults.push_back({op, "", error, 1, 0}); }

void FaultyFileSystem::FailAppendAfter(const std::string& path, int goodLines) {
    FailPath(FsOp::AppendLine, path, FsError::WriteError, Always, goodLines);
}

void FaultyFileSystem::ClearFaults() { state_->faults.clear(); }

int FaultyFileSystem::Calls(FsOp op) const { return state_->calls[static_cast<size_t>(op)]; }
int FaultyFileSystem::Failures(FsOp op) const { return state_->failures[static_cast<size_t>(op)]; }
const std::vector<WriteAttempt>& FaultyFileSystem::WriteAttempts() const { return state_->writes; }

std::optional<std::string> FaultyFileSystem::ReadAll(const std::string& path, FsError* error) const {
    FsError fault = state_->Check(FsOp::Read, inner_.Resolve(path));
    if (fault != FsError::None) {
        SetError(error, fault);
        return std::nullopt;
    }
    return inner_.ReadAll(path, error);
}

std::unique_ptr<LineReader> FaultyFileSystem::OpenLines(const std::string& path, FsError* error) const {
    FsError fault = state_->Check(FsOp::Read, inner_.Resolve(path));
    if (fault != FsError::None) {
        SetError(error, fault);
        return nullptr;
    }
    std::unique_ptr<LineReader> lines = inner_.OpenLines(path, error);
    if (!lines) return nullptr;
    return std::make_unique<FaultyLineReader>(std::move(lines), state_, inner_.Resolve(path));
}

bool FaultyFileSystem::WriteAtomic(const std::string& path, const std::string& contents, FsError* error) {
    std::string resolved = inner_.Resolve(path);
    FsError fault = state_->Check(FsOp::Write, resolved);
    bool ok = false;
    if (fault != FsError::None)
        SetError(error, fault);
    else
        ok = inner_.WriteAtomic(path, contents, error);
    state_->writes.push_back({resolved, contents, ok});
    return ok;
}

std::unique_ptr<AppendFile> FaultyFileSystem::OpenAppend(const std::string& path, FsError* error) {
    std::string resolved = inner_.Resolve(path);
    FsError fault = state_->Check(FsOp::OpenAppend, resolved);
    if (fault != FsError::None) {
        SetError(error, fault);
        return nullptr;
    }
    std::unique_ptr<AppendFile> file = inner_.OpenAppend(path, error);
    if (!file) return nullptr;
    return std::make_unique<FaultyAppendFile>(std::move(file), state_, resolved);
}

bool FaultyFileSystem::MakeDir(const std::string& path) {
    return state_->Check(FsOp::MakeDir, inner_.Resolve(path)) == FsError::None && inner_.MakeDir(path);
}

bool FaultyFileSystem::Remove(const std::string& path) {
    return state_->Check(FsOp::Remove, inner_.Resolve(path)) == FsError::None && inner_.Remove(path);
}

std::string FaultyFileSystem::KeepAside(const std::string& path, const std::string& suffix, FsError* error) {
    const FsError fault = state_->Check(FsOp::Rename, inner_.Resolve(path));
    if (fault == FsError::None) return inner_.KeepAside(path, suffix, error);
    SetError(error, fault);
    return "";
}

bool FaultyFileSystem::Rename(const std::string& from, const std::string& to) {
    return state_->Check(FsOp::Rename, inner_.Resolve(from), inner_.Resolve(to)) == FsError::None &&
           inner_.Rename(from, to);
}

}  // namespace tav
