#include "platform/RealFileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "platform/TextCase.h"

namespace tav {

namespace fs = std::filesystem;

namespace {

void SetError(FsError* error, FsError value) {
    if (error) *error = value;
}

FsError ErrorOfErrno(int err, FsError otherwise) {
    switch (err) {
        case ENOENT:
        case ENOTDIR: return FsError::NotFound;
        case EACCES:
        case EPERM:
        case EROFS: return FsError::NoPermission;
        case ENOSPC:
        case EDQUOT: return FsError::NoSpace;
        case EBUSY:
        case ETXTBSY: return FsError::InUse;
        case EISDIR: return FsError::IsFolder;
        case ENXIO:
        case ENODEV: return FsError::NotAFile;
        default: return otherwise;
    }
}

std::string Slashed(const std::string& path) {
    std::string s = path;
    std::replace(s.begin(), s.end(), '\\', '/');
    return s;
}

std::string NormalForm(const fs::path& p) {
    std::string s = p.lexically_normal().generic_string();
    while (s.size() > 1 && s.back() == '/') s.pop_back();
    return s.empty() ? "/" : s;
}

bool WriteFully(int fd, const char* data, size_t size) {
    while (size > 0) {
        ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

void SyncFolder(const std::string& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);  // best effort: the rename itself already took place
    ::close(fd);
}

// What stands at a name that is to be opened as a file: None for a regular file.
FsError KindError(const struct stat& st) {
    if (S_ISREG(st.st_mode)) return FsError::None;
    return S_ISDIR(st.st_mode) ? FsError::IsFolder : FsError::NotAFile;
}

// Opens a regular file and never waits: a name that is no regular file is refused before it is
// opened (opening a device may act on it), the open does not block (a pipe would wait for its
// other end) and what was opened is looked at again, since the name may have changed meanwhile.
// -1 with *error set when it cannot be opened.
int OpenRegularFile(const std::string& path, int flags, FsError* error, FsError otherwise) {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
        if (const FsError kind = KindError(st); kind != FsError::None) {
            SetError(error, kind);
            return -1;
        }
    } else if (errno != ENOENT || (flags & O_CREAT) == 0) {
        SetError(error, ErrorOfErrno(errno, otherwise));
        return -1;
    }
    const int fd = ::open(path.c_str(), flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
    if (fd < 0) {
        SetError(error, ErrorOfErrno(errno, otherwise));
        return -1;
    }
    FsError kind = ::fstat(fd, &st) == 0 ? KindError(st) : ErrorOfErrno(errno, otherwise);
    if (kind == FsError::None && ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) kind = otherwise;
    if (kind != FsError::None) {
        ::close(fd);
        SetError(error, kind);
        return -1;
    }
    SetError(error, FsError::None);
    return fd;
}

// The file a temporary ".NAME.XXXXXX" of WriteAtomic stands for; "" for any other name.
std::string TemporaryTarget(const std::string& entry) {
    constexpr std::size_t Suffix = 7;  // ".XXXXXX"
    if (entry.size() <= Suffix + 1 || entry[0] != '.' || entry[entry.size() - Suffix] != '.') return "";
    for (std::size_t i = entry.size() - Suffix + 1; i < entry.size(); ++i)
        if (!std::isalnum(static_cast<unsigned char>(entry[i]))) return "";
    return entry.substr(1, entry.size() - Suffix - 1);
}

// A replacing write holds a lock on its temporary file until the rename: a temporary file whose
// lock can be taken was left by a write that was killed.
void RemoveIfAbandoned(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0) ::unlink(path.c_str());
    ::close(fd);
}

// Where a path finally leads: each symbolic link replaced by what it names (a relative one from
// its own folder), up to the first name that is no link or does not exist. Nothing for a chain
// longer than the kernel follows (a loop).
std::optional<std::string> FinalTarget(std::string path) {
    constexpr int MaxLinks = 40;
    for (int hop = 0; hop <= MaxLinks; ++hop) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
        std::string link(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 4096) + 1, '\0');
        const ssize_t n = ::readlink(path.c_str(), link.data(), link.size());
        if (n <= 0 || static_cast<std::size_t>(n) >= link.size()) return path;
        link.resize(static_cast<std::size_t>(n));
        path = link[0] == '/' ? link : fs::path(path).parent_path().string() + "/" + link;
    }
    return std::nullopt;
}

// rename() that fails with EEXIST rather than replace what stands at `to`.
int RenameWithoutReplacing(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
    if (errno != EINVAL && errno != ENOSYS) return -1;
    // A file system without that rename: a second name, then the first one gone.
    if (::link(from.c_str(), to.c_str()) != 0) return -1;
    return ::unlink(from.c_str());
}

constexpr std::size_t LineBufferBytes = 65536;

// Reads through a fixed buffer, so that a line reader never holds more than the buffer and the
// line asked for, whatever the file is.
class PosixLineReader : public LineReader {
public:
    explicit PosixLineReader(int fd) : fd_(fd), buffer_(LineBufferBytes) {}
    ~PosixLineReader() override { ::close(fd_); }
    PosixLineReader(const PosixLineReader&) = delete;
    PosixLineReader& operator=(const PosixLineReader&) = delete;

    Status Next(std::string& line, std::size_t maxLength) override {
        line.clear();
        for (;;) {
            if (pos_ == end_ && !Fill()) {
                if (error_ != FsError::None) return Status::Failed;
                return line.empty() ? Status::End : Status::Line;
            }
            const char c = buffer_[pos_];
            if (afterCr_) {
                afterCr_ = false;
                if (c == '\n') {
                    ++pos_;
                    continue;
                }
            }
            if (c == '\r' || c == '\n') {
                ++pos_;
                afterCr_ = c == '\r';
                return Status::Line;
            }
            if (line.size() >= maxLength) {
                line.clear();
                return Status::TooLong;
            }
            line.push_back(c);
            ++pos_;
        }
    }
    FsError Error() const override { return error_; }

private:
    bool Fill() {
        if (error_ != FsError::None || atEnd_) return false;
        for (;;) {
            const ssize_t n = ::read(fd_, buffer_.data(), buffer_.size());
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) {
                error_ = ErrorOfErrno(errno, FsError::ReadError);
                return false;
            }
            pos_ = 0;
            end_ = static_cast<std::size_t>(n);
            atEnd_ = n == 0;
            return n > 0;
        }
    }

    int fd_;
    std::vector<char> buffer_;
    std::size_t pos_ = 0, end_ = 0;
    bool afterCr_ = false;
    bool atEnd_ = false;
    FsError error_ = FsError::None;
};

class PosixAppendFile : public AppendFile {
public:
    explicit PosixAppendFile(int fd) : fd_(fd) {}
    ~PosixAppendFile() override { Close(); }
    bool WriteLine(const std::string& line) override {
        error_ = FsError::WriteError;
        if (fd_ < 0) return false;
        std::string text = line + "\r\n";
        if (!WriteFully(fd_, text.data(), text.size())) {
            error_ = ErrorOfErrno(errno, FsError::WriteError);
            return false;
        }
        error_ = FsError::None;
        return true;
    }
    FsError Error() const override { return error_; }
    void Close() override {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }
    bool IsOpen() const override { return fd_ >= 0; }

private:
    int fd_;
    FsError error_ = FsError::None;
};

}  // namespace

RealFileSystem::RealFileSystem() {
    std::error_code ec;
    fs::path cwd = fs::current_path(ec);
    current_ = ec ? "/" : NormalForm(cwd);
}

RealFileSystem::RealFileSystem(std::string currentDir) : current_("/") { current_ = Resolve(currentDir); }

bool RealFileSystem::SetCurrentDir(const std::string& path) {
    std::string resolved = Resolve(path);
    if (!IsDirectory(resolved)) return false;
    current_ = resolved;
    return true;
}

std::string RealFileSystem::Resolve(const std::string& path) const {
    fs::path p(Slashed(path));
    if (p.is_absolute()) return NormalForm(p);
    return NormalForm(fs::path(current_) / p);
}

bool RealFileSystem::Exists(const std::string& path) const {
    std::error_code ec;
    return fs::exists(Resolve(path), ec);
}

bool RealFileSystem::IsDirectory(const std::string& path) const {
    std::error_code ec;
    return fs::is_directory(Resolve(path), ec);
}

std::vector<DirEntry> RealFileSystem::List(const std::string& dir) const {
    std::vector<DirEntry> entries;
    std::error_code ec;
    fs::directory_iterator it(Resolve(dir), ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        std::error_code typeError;
        entries.push_back({it->path().filename().string(), it->is_directory(typeError)});
    }
    std::sort(entries.begin(), entries.end(), [](const DirEntry& a, const DirEntry& b) { return a.name < b.name; });
    return entries;
}

std::string RealFileSystem::FindName(const std::string& dir, const std::string& name) const {
    std::string wanted = Slashed(name);
    if (wanted.empty() || wanted.find('/') != std::string::npos) return "";
    std::string folder = Resolve(dir);
    if (Exists(folder + "/" + wanted)) return wanted;
    for (const DirEntry& entry : List(folder))
        if (EqualIgnoringCase(entry.name, wanted)) return entry.name;
    return "";
}

std::optional<std::string> RealFileSystem::ReadAll(const std::string& path, FsError* error) const {
    const int fd = OpenRegularFile(Resolve(path), O_RDONLY, error, FsError::ReadError);
    if (fd < 0) return std::nullopt;
    std::string contents;
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 || contents.size() + static_cast<size_t>(n) > MaxReadBytes) {
            const FsError why = n < 0 ? ErrorOfErrno(errno, FsError::ReadError) : FsError::ReadError;
            ::close(fd);
            SetError(error, why);
            return std::nullopt;
        }
        if (n == 0) break;
        contents.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    SetError(error, FsError::None);
    return contents;
}

std::unique_ptr<LineReader> RealFileSystem::OpenLines(const std::string& path, FsError* error) const {
    const int fd = OpenRegularFile(Resolve(path), O_RDONLY, error, FsError::ReadError);
    if (fd < 0) return nullptr;
    return std::make_unique<PosixLineReader>(fd);
}

bool RealFileSystem::WriteAtomic(const std::string& path, const std::string& contents, FsError* error) {
    const std::optional<std::string> linked = FinalTarget(Resolve(path));
    if (!linked) {
        SetError(error, FsError::BadName);
        return false;
    }
    std::string target = *linked;
    fs::path targetPath(target);
    std::string name = targetPath.filename().string();
    std::string given = Slashed(path);
    bool namesFolder = given.empty() || given.back() == '/';
    if (namesFolder || name.empty() || name == "." || name == ".." || target == "/") {
        SetError(error, FsError::BadName);
        return false;
    }
    // A folder, a device or a pipe at the name is no file to replace.
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists && KindError(old) != FsError::None) {
        SetError(error, KindError(old));
        return false;
    }
    std::string folder = targetPath.parent_path().string();
    RemoveLeftoverTemporaries(folder, [&name](const std::string& of) { return of == name; });
    std::string temp = folder + "/." + name + ".XXXXXX";
    int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) {
        SetError(error, ErrorOfErrno(errno, FsError::WriteError));
        return false;
    }
    ::flock(fd, LOCK_EX | LOCK_NB);  // held until the rename: the file is not left over
    mode_t mode = exists ? (old.st_mode & 07777) : 0644;
    int failure = 0;  // errno of the first step that failed
    auto step = [&failure](bool ok) {
        if (!ok && failure == 0) failure = errno != 0 ? errno : EIO;
        return ok;
    };
    const bool written = step(WriteFully(fd, contents.data(), contents.size())) &&
                         step(::fchmod(fd, mode) == 0) && step(::fsync(fd) == 0);
    const bool renamed = written && step(::rename(temp.c_str(), target.c_str()) == 0);
    ::close(fd);  // after the sync, a close reports nothing about the contents
    if (!renamed) {
        ::unlink(temp.c_str());
        SetError(error, ErrorOfErrno(failure, FsError::WriteError));
        return false;
    }
    SyncFolder(folder);
    SetError(error, FsError::None);
    return true;
}

std::unique_ptr<AppendFile> RealFileSystem::OpenAppend(const std::string& path, FsError* error) {
    const int fd = OpenRegularFile(Resolve(path), O_WRONLY | O_APPEND | O_CREAT, error, FsError::WriteError);
    if (fd < 0) return nullptr;
    return std::make_unique<PosixAppendFile>(fd);
}

void RealFileSystem::RemoveLeftoverTemporaries(const std::string& folder,
                                               const std::function<bool(const std::string&)>& ofName) {
    const std::string dir = Resolve(folder);
    DIR* listing = ::opendir(dir.c_str());
    if (!listing) return;
    std::vector<std::string> candidates;  // the folder is not changed while it is read
    while (const dirent* entry = ::readdir(listing)) {
        const std::string target = TemporaryTarget(entry->d_name);
        if (!target.empty() && ofName(target)) candidates.push_back(dir + "/" + entry->d_name);
    }
    ::closedir(listing);
    for (const std::string& path : candidates) RemoveIfAbandoned(path);
}

bool RealFileSystem::MakeDir(const std::string& path) { return ::mkdir(Resolve(path).c_str(), 0777) == 0; }

bool RealFileSystem::Remove(const std::string& path) { return ::remove(Resolve(path).c_str()) == 0; }

bool RealFileSystem::Rename(const std::string& from, const std::string& to) {
    std::string source = Resolve(from), target = Resolve(to);
    if (::rename(source.c_str(), target.c_str()) == 0) return true;
    if (errno != EXDEV || IsDirectory(source)) return false;
    std::optional<std::string> contents = ReadAll(source);
    if (!contents || !WriteAtomic(target, *contents)) return false;
    return ::unlink(source.c_str()) == 0;
}

std::string RealFileSystem::KeepAside(const std::string& path, const std::string& suffix, FsError* error) {
    constexpr int MaxNames = 999;
    const std::optional<std::string> linked = FinalTarget(Resolve(path));
    if (!linked) {
        SetError(error, FsError::BadName);
        return "";
    }
    const std::string& target = *linked;
    const fs::path targetPath(target);
    const std::string folder = targetPath.parent_path().string();
    const std::string base = target + suffix;
    for (int n = 1; n <= MaxNames; ++n) {
        const std::string aside = n == 1 ? base : base + "-" + std::to_string(n);
        if (RenameWithoutReplacing(target, aside) == 0) {
            SyncFolder(folder);
            SetError(error, FsError::None);
            return aside;
        }
        if (errno != EEXIST) {
            SetError(error, ErrorOfErrno(errno, FsError::WriteError));
            return "";
        }
    }
    SetError(error, FsError::WriteError);
    return "";
}

std::string RealFileSystem::GetEnv(const std::string& name) const {
    auto found = envOverrides_.find(name);
    if (found != envOverrides_.end()) return found->second;
    const char* value = std::getenv(name.c_str());
    return value ? value : "";
}

}  // namespace tav
