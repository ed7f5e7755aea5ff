#include "platform/forms/FileControls.h"

#include <algorithm>
#include <cctype>

#include "platform/FileSystem.h"
#include "platform/TextCase.h"
#include "platform/forms/App.h"

namespace tav {

namespace {

bool LessIgnoringCase(const std::string& a, const std::string& b) {
    const std::string la = LowerAscii(a), lb = LowerAscii(b);
    return la != lb ? la < lb : a < b;
}

// Entries of a folder of one kind, hidden ones (".name") left out, sorted without regard to case.
std::vector<std::string> EntryNames(const FileSystem& fs, const std::string& dir, bool folders) {
    std::vector<std::string> names;
    for (const DirEntry& entry : fs.List(dir)) {
        if (entry.isDirectory != folders || entry.name.empty() || entry.name[0] == '.') continue;
        names.push_back(entry.name);
    }
    std::sort(names.begin(), names.end(), LessIgnoringCase);
    return names;
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (!folder.empty() && folder.back() == '/') return folder + name;
    return folder + "/" + name;
}

// The folder itself and its parents, root first.
std::vector<std::string> FolderChain(const std::string& path) {
    std::vector<std::string> chain{"/"};
    for (size_t slash = path.find('/', 1); ; slash = path.find('/', slash + 1)) {
        const std::string part = path.substr(0, slash);
        if (part.size() > 1) chain.push_back(part);
        if (slash == std::string::npos) break;
    }
    return chain;
}

bool Matches(const std::string& name, size_t n, const std::string& pattern, size_t p) {
    while (p < pattern.size()) {
        const char pc = pattern[p];
        if (pc == '*') {
            for (size_t rest = n; rest <= name.size(); ++rest) {
                if (Matches(name, rest, pattern, p + 1)) return true;
            }
            return false;
        }
        if (n >= name.size()) return false;
        if (pc != '?' && std::tolower(static_cast<unsigned char>(pc)) !=
                             std::tolower(static_cast<unsigned char>(name[n]))) {
            return false;
        }
        ++n;
        ++p;
    }
    return n == name.size();
}

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The absolute form of a folder path; "" when it is not a readable folder.
std::string Folder(const FileSystem& fs, const std::string& path) {
    const std::string resolved = fs.Resolve(path);
    return !resolved.empty() && fs.IsDirectory(resolved) ? resolved : "";
}

}  // namespace

bool MatchesFilePattern(const std::string& name, const std::string& patterns) {
    size_t start = 0;
    while (start <= patterns.size()) {
        size_t end = patterns.find(';', start);
        if (end == std::string::npos) end = patterns.size();
        std::string pattern = Trimmed(patterns.substr(start, end - start));
        if (pattern == "*.*") pattern = "*";
        if (!pattern.empty() && Matches(name, 0, pattern, 0)) return true;
        start = end + 1;
    }
    return false;
}

// ---- DriveListBox ------------------------------------------------------------------------------

DriveListBox::DriveListBox(Form& form, std::string name)
    : ListControl(form, std::move(name), ControlKind::DriveListBox) {
    items_ = {"/"};
    listIndex_ = 0;
}

void DriveListBox::SetDrive(std::string drive) {
    if (drive == drive_) return;
    drive_ = std::move(drive);
    const auto found = std::find(items_.begin(), items_.end(), drive_);
    listIndex_ = found == items_.end() ? -1 : static_cast<int>(found - items_.begin());
    Changed();
    Fire(Change);
}

void DriveListBox::Selected() { SetDrive(List(listIndex_)); }

// ---- DirListBox --------------------------------------------------------------------------------

DirListBox::DirListBox(Form& form, std::string name)
    : ListControl(form, std::move(name), ControlKind::DirListBox) {
    SetPath(app().fs.CurrentDir());
}

bool DirListBox::SetPath(const std::string& path) {
    const std::string resolved = Folder(app().fs, path);
    if (resolved.empty()) return false;
    const bool changed = resolved != path_;
    path_ = resolved;
    ancestors_ = FolderChain(path_);
    ReplaceItems(EntryNames(app().fs, path_, true));
    if (changed) Fire(Change);
    return true;
}

void DirListBox::Refresh() {
    if (!path_.empty()) ReplaceItems(EntryNames(app().fs, path_, true));
}

std::string DirListBox::List(int index) const {
    if (index >= 0) return index < ListCount() ? JoinPath(path_, items_[index]) : "";
    const int chain = static_cast<int>(ancestors_.size()) + index;
    return chain >= 0 ? ancestors_[chain] : "";
}

std::vector<std::string> DirListBox::Rows() const {
    std::vector<std::string> rows;
    for (const std::string& folder : ancestors_) {
        rows.push_back(folder == "/" ? folder : folder.substr(folder.rfind('/') + 1));
    }
    rows.insert(rows.end(), items_.begin(), items_.end());
    return rows;
}

int DirListBox::RowDepth(int row) const {
    return std::min(row, static_cast<int>(ancestors_.size()));
}

void DirListBox::DoubleClicked() {
    if (listIndex_ != -1) SetPath(List(listIndex_));
}

// ---- FileListBox -------------------------------------------------------------------------------

FileListBox::FileListBox(Form& form, std::string name)
    : ListControl(form, std::move(name), ControlKind::FileListBox) {
    SetPath(app().fs.CurrentDir());
}

bool FileListBox::SetPath(const std::string& path) {
    const std::string resolved = Folder(app().fs, path);
    if (resolved.empty()) return false;
    path_ = resolved;
    Refresh();
    return true;
}

void FileListBox::SetPattern(std::string pattern) {
    pattern_ = std::move(pattern);
    Refresh();
}

void FileListBox::Refresh() {
    if (path_.empty()) return;
    std::vector<std::string> names = EntryNames(app().fs, path_, false);
    std::erase_if(names, [&](const std::string& n) { return !MatchesFilePattern(n, pattern_); });
    ReplaceItems(std::move(names));
}

}  // namespace tav
