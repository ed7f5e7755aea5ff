#pragma once
// Files and folders as the program sees them. The "current folder" is held here, never changed
// process-wide, so that tests can each run in a folder of their own. Relative paths are taken
// from the current folder; "\" in a path is read as "/".

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tav {

// ReadError and WriteError are the failures no other value names (an input/output error).
// IsFolder: the name is that of a folder. NotAFile: the name is that of a device, a pipe or a
// socket, which is never opened, since opening or reading one can wait for ever.
enum class FsError {
    None, NotFound, InUse, ReadError, WriteError, BadName, NoPermission, NoSpace, IsFolder, NotAFile
};

// A file opened for reading one line at a time, so that a reader takes no more of a file than
// it can use, however large the file is.
class LineReader {
public:
    enum class Status {
        Line,     // a line, without its end (CR LF, LF or a lone CR)
        End,      // no more lines; a last line without an end counts, the empty rest after it not
        TooLong,  // the line has more than maxLength characters: not taken (line is empty), and
                  // the next call goes on inside it
        Failed,   // the file could not be read further (Error() says why)
    };
    virtual ~LineReader() = default;
    virtual Status Next(std::string& line, std::size_t maxLength) = 0;
    virtual FsError Error() const = 0;
};

// A file kept open for appending (the kinetic logs); every line is flushed as it is written.
class AppendFile {
public:
    virtual ~AppendFile() = default;
    virtual bool WriteLine(const std::string& line) = 0;  // appends line + "\r\n", flushed
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    // Why the last WriteLine failed (None when it did not).
    virtual FsError Error() const = 0;
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
    // The file opened for reading line by line; null with *error set when it cannot be opened.
    virtual std::unique_ptr<LineReader> OpenLines(const std::string& path, FsError* error = nullptr) const = 0;
    // Replaces the file: writes a temporary file in the same folder, flushes it and renames it
    // over the old one. On failure the old file is untouched. A symbolic link stays: the file it
    // leads to is replaced, through a temporary file in that file's folder.
    virtual bool WriteAtomic(const std::string& path, const std::string& contents, FsError* error = nullptr) = 0;
    virtual std::unique_ptr<AppendFile> OpenAppend(const std::string& path, FsError* error = nullptr) = 0;
    // Removes what replacing writes of the files in folder whose names `ofName` accepts left
    // behind when the program was killed in the middle of one; a write still going on (in
    // another instance of the program) keeps its temporary file. WriteAtomic does this for its
    // own file.
    virtual void RemoveLeftoverTemporaries(const std::string& folder,
                                           const std::function<bool(const std::string& name)>& ofName) = 0;

    virtual bool MakeDir(const std::string& path) = 0;
    virtual bool Remove(const std::string& path) = 0;
    virtual bool Rename(const std::string& from, const std::string& to) = 0;
    // Gives the file at path (for a symbolic link, the file it leads to) another name in its own
    // folder: its name followed by `suffix`, or by `suffix`, "-" and 2, 3, ... where that name is
    // taken; nothing is ever replaced. The new path, or "" with *error set.
    virtual std::string KeepAside(const std::string& path, const std::string& suffix, FsError* error = nullptr) = 0;

    virtual std::string GetEnv(const std::string& name) const = 0;
};

}  // namespace tav
