#pragma once
// Files and folders as the program sees them. The "current folder" is held here, never changed
// process-wide, so that tests can each run in a folder of their own. Relative paths are taken
// from the current folder; "\" in a path is read as "/".

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tav {

enum class FsError { None, NotFound, InUse, ReadError, WriteError, BadName };

// A file kept open for appending (the kinetic logs); every line is flushed as it is written.
class AppendFile {
public:
    virtual ~AppendFile() = default;
    virtual bool WriteLine(const std::string& line) = 0;  // appends line + "\r\n", flushed
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
};

struct DirEntry {
    std::string name;
    bool isDirectory = false;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    virtual std::string CurrentDir() const = 0;
    virtual bool SetCurrentDir(const std::string& path) = 0;
    // Absolute, "/"-separated form of a path taken from the current folder.
    virtual std::string Resolve(const std::string& path) const = 0;

    virtual bool Exists(const std::string& path) const = 0;
    virtual bool IsDirectory(const std::string& path) const = 0;
    virtual std::vector<DirEntry> List(const std::string& dir) const = 0;
    // A fixed name is looked up exactly first, then without regard to case; "" when absent.
    virtual std::string FindName(const std::string& dir, const std::string& name) const = 0;

    // Whole contents of a file; nullopt with *error set when it cannot be read.
    virtual std::optional<std::string> ReadAll(const std::string& path, FsError* error = nullptr) const = 0;
    // Replaces the file: writes a temporary file in the same folder, flushes it and renames it
    // over the old one. On failure the old file is untouched.
    virtual bool WriteAtomic(const std::string& path, const std::string& contents, FsError* error = nullptr) = 0;
    virtual std::unique_ptr<AppendFile> OpenAppend(const std::string& path, FsError* error = nullptr) = 0;

    virtual bool MakeDir(const std::string& path) = 0;
    virtual bool Remove(const std::string& path) = 0;
    virtual bool Rename(const std::string& from, const std::string& to) = 0;

    virtual std::string GetEnv(const std::string& name) const = 0;
};

}  // namespace tav
