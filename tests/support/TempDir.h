#pragma once
// A fresh folder under /tmp for one test, removed with everything in it at the end.
// Helpers read and write files in it directly (not through the program's FileSystem), so a
// test can set up and check files independently of the code under test.

#include <string>
#include <vector>

namespace tav::test {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return path_; }
    // Path of a name inside the folder ("sub/file.txt" allowed).
    std::string File(const std::string& name) const;

    // Writes bytes exactly as given (creating the folders on the way); true on success.
    bool Write(const std::string& name, const std::string& contents) const;
    // Whole contents, or "" when the file cannot be read (see Exists).
    std::string Read(const std::string& name) const;
    bool Exists(const std::string& name) const;
    bool MakeDir(const std::string& name) const;
    // Names of the entries of the folder (or of a folder inside it), sorted.
    std::vector<std::string> Names(const std::string& subfolder = "") const;

private:
    std::string path_;
};

}  // namespace tav::test
