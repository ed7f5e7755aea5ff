#pragma once
// The drive, folder and file lists, on the program's FileSystem. Paths use "/" ("\" is read as
// "/"); this platform has a single drive, "/".

#include <string>
#include <vector>

#include "platform/forms/ListControls.h"

namespace tav {

// Lists the drives; choosing one (or setting Drive) fires Change.
class DriveListBox : public ListControl {
public:
    DriveListBox(Form& form, std::string name);
    const std::string& Drive() const { return drive_; }
    void SetDrive(std::string drive);

    Handler Change;

protected:
    void Selected() override;

private:
    std::string drive_ = "/";
};

// The open folder, its parents and its sub-folders. List(-1) is the open folder, List(-2) its
// parent and so on up to the root; List(0) to List(ListCount - 1) are the sub-folders (sorted,
// hidden ones left out). ListIndex is -1 after the folder changes. A double click opens the
// entry. Setting Path fires Change when the folder differs.
class DirListBox : public ListControl {
public:
    DirListBox(Form& form, std::string name);
    // The open folder; "" until a path is set.
    const std::string& Path() const { return path_; }
    // Opens a folder; false (and nothing changes) when it is not a readable folder.
    bool SetPath(const std::string& path);
    std::string List(int index) const override;
    // Reads the folder again.
    void Refresh();

    Handler Change;

    std::vector<std::string> Rows() const override;
    int FirstRowIndex() const override { return -static_cast<int>(ancestors_.size()); }
    int RowDepth(int row) const override;

protected:
    int LowestIndex() const override { return FirstRowIndex(); }
    void DoubleClicked() override;

private:
    std::string path_;
    std::vector<std::string> ancestors_;  // root first, the open folder last (full paths)
};

// The files of Path whose names match Pattern (";" separates several; "*" and "?" as wildcards,
// letter case ignored, "*.*" takes every file). Setting Path or Pattern reads the folder again.
class FileListBox : public ListControl {
public:
    FileListBox(Form& form, std::string name);
    const std::string& Path() const { return path_; }
    // False (and nothing changes) when it is not a readable folder.
    bool SetPath(const std::string& path);
    const std::string& Pattern() const { return pattern_; }
    void SetPattern(std::string pattern);
    // The selected file's name (without folder), "" when none is selected.
    std::string FileName() const { return List(listIndex_); }
    void Refresh();

private:
    std::string path_;
    std::string pattern_ = "*.*";
};

// True when name matches one of the ";"-separated patterns, without regard to ASCII case.
bool MatchesFilePattern(const std::string& name, const std::string& patterns);

}  // namespace tav
