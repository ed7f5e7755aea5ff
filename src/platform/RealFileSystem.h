#pragma once
// The machine's file system through POSIX calls. The current folder is this object's own (the
// process's working folder is never changed); it starts as the process's working folder.
//
// - Paths: "\" is read as "/"; relative paths are taken from the current folder; Resolve gives
//   the lexically normal absolute form without a trailing "/".
// - List: every entry but "." and "..", sorted by name (byte order); a symbolic link counts as
//   what it points to. A folder that cannot be read lists nothing.
// - FindName: the entry's name as it is stored in the folder; an exact match first, then the
//   first one (in List order) that equals the name without regard to ASCII case.
// - Errors: NotFound when the file or its folder is missing, NoPermission when access is
//   refused (also a read-only file system), NoSpace for a full disk or quota, InUse for a busy
//   file, IsFolder and NotAFile for a folder, device, pipe or socket where a file is wanted,
//   else ReadError or WriteError (an I/O error, a file larger than MaxReadBytes for ReadAll).
// - ReadAll, OpenLines and OpenAppend open regular files only, and without waiting: a name that
//   is no regular file is refused before it is opened.
// - OpenLines: reads through a buffer of 64 KiB; a line longer than asked for is not taken in.
// - WriteAtomic: first removes the temporary files of that name that killed writes left; then a
//   temporary ".<name>.XXXXXX" in the same folder, locked (flock) until it is renamed, written,
//   flushed and synced, given the old file's permission bits (0644 for a new file), renamed over
//   the target, and the folder synced. On any failure the temporary file is removed and the old
//   file stays as it was. BadName for a path without a file name, IsFolder or NotAFile when the
//   target is no regular file; else the error of the step that failed. A symbolic link is
//   followed to the end of its chain (a dangling one to the file it names), and that file is
//   replaced in its own folder.
// - RemoveLeftoverTemporaries: a ".<name>.XXXXXX" whose lock can be taken is left over.
// - OpenAppend: creates the file when missing; every WriteLine is one write of line + "\r\n"
//   straight to the file (no buffering in the program).
// - MakeDir: one level; false when it exists already or cannot be made.
// - Remove: a file or an empty folder.
// - Rename: moves a file or folder; an existing target file is replaced. Across file systems a
//   file is copied beside the target the WriteAtomic way and the source is then removed.
// - KeepAside: renames without replacing (RENAME_NOREPLACE, or a hard link and an unlink where
//   the file system has no such rename); at most 999 names are tried.
// - GetEnv: an override set by SetEnvOverride wins over the process environment; unset is "".

#include <cstddef>
#include <map>

#include "platform/FileSystem.h"

namespace tav {

class RealFileSystem : public FileSystem {
public:
    static constexpr std::size_t MaxReadBytes = 256u * 1024u * 1024u;

    RealFileSystem();
    explicit RealFileSystem(std::string currentDir);

    std::string CurrentDir() const override { return current_; }
    bool SetCurrentDir(const std::string& path) override;
    std::string Resolve(const std::string& path) const override;

    bool Exists(const std::string& path) const override;
    bool IsDirectory(const std::string& path) const override;
    std::vector<DirEntry> List(const std::string& dir) const override;
    std::string FindName(const std::string& dir, const std::string& name) const override;

    std::optional<std::string> ReadAll(const std::string& path, FsError* error = nullptr) const override;
    std::unique_ptr<LineReader> OpenLines(const std::string& path, FsError* error = nullptr) const override;
    bool WriteAtomic(const std::string& path, const std::string& contents, FsError* error = nullptr) override;
    std::unique_ptr<AppendFile> OpenAppend(const std::string& path, FsError* error = nullptr) override;
    void RemoveLeftoverTemporaries(const std::string& folder,
                                   const std::function<bool(const std::string& name)>& ofName) override;

    bool MakeDir(const std::string& path) override;
    bool Remove(const std::string& path) override;
    bool Rename(const std::string& from, const std::string& to) override;
    std::string KeepAside(const std::string& path, const std::string& suffix, FsError* error = nullptr) override;

    std::string GetEnv(const std::string& name) const override;
    void SetEnvOverride(const std::string& name, const std::string& value) { envOverrides_[name] = value; }
    void ClearEnvOverride(const std::string& name) { envOverrides_.erase(name); }

private:
    std::string current_;
    std::map<std::string, std::string> envOverrides_;
};

}  // namespace tav
