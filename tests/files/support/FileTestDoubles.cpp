#include "files/support/FileTestDoubles.h"

#include <algorithm>
#include <cctype>
#include <memory>
#include <fstream>
#include <sstream>

#include "files/TextConversions.h"
#include "platform/Numbers.h"

namespace tav::test {
namespace {

std::string Parent(const std::string& path) {
    const size_t p = path.find_last_of('/');
    if (p == std::string::npos || p == 0) return "/";
    return path.substr(0, p);
}

std::string Leaf(const std::string& path) {
    const size_t p = path.find_last_of('/');
    return p == std::string::npos ? path : path.substr(p + 1);
}

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

class MemoryAppendFile : public AppendFile {
public:
    MemoryAppendFile(MemoryFileSystem& fs, std::string path, bool failing)
        : fs_(fs), path_(std::move(path)), failing_(failing) {}
    bool WriteLine(const std::string& line) override {
        if (!open_ || failing_) return false;
        fs_.files[path_] += line + "\r\n";
        return true;
    }
    void Close() override { open_ = false; }
    bool IsOpen() const override { return open_; }

private:
    MemoryFileSystem& fs_;
    std::string path_;
    bool failing_;
    bool open_ = true;
};

}  // namespace

std::string Fixture(const std::string& name) {
    std::ifstream in(std::string(TAVOLIN_TEST_DATA_DIR) + "/" + name, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

MemoryFileSystem::MemoryFileSystem() {
    dirs.insert("/");
    dirs.insert("/work");
}

void MemoryFileSystem::AddFile(const std::string& path, const std::string& contents) {
    const std::string p = Resolve(path);
    AddDir(Parent(p));
    files[p] = contents;
}

void MemoryFileSystem::AddDir(const std::string& path) {
    std::string p = Resolve(path);
    while (p != "/" && !p.empty()) {
        dirs.insert(p);
        p = Parent(p);
    }
}

bool MemoryFileSystem::HasFile(const std::string& path) const { return files.count(Resolve(path)) != 0; }

std::string MemoryFileSystem::Contents(const std::string& path) const {
    auto it = files.find(Resolve(path));
    return it == files.end() ? std::string("<missing>") : it->second;
}

bool MemoryFileSystem::SetCurrentDir(const std::string& path) {
    if (!IsDirectory(path)) return false;
    cwd_ = Resolve(path);
    return true;
}

std::string MemoryFileSystem::Resolve(const std::string& path) const {
    std::string p = path;
    std::replace(p.begin(), p.end(), '\\', '/');
    if (p.empty() || p[0] != '/') p = cwd_ + "/" + p;
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= p.size()) {
        size_t end = p.find('/', start);
        if (end == std::string::npos) end = p.size();
        const std::string part = p.substr(start, end - start);
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    std::string out;
    for (const std::string& part : parts) out += "/" + part;
    return out.empty() ? "/" : out;
}

bool MemoryFileSystem::Exists(const std::string& path) const {
    const std::string p = Resolve(path);
    return files.count(p) != 0 || dirs.count(p) != 0;
}

bool MemoryFileSystem::IsDirectory(const std::string& path) const { return dirs.count(Resolve(path)) != 0; }

std::vector<DirEntry> MemoryFileSystem::List(const std::string& dir) const {
    const std::string d = Resolve(dir);
    std::vector<DirEntry> out;
    for (const auto& [p, c] : files) {
        if (Parent(p) == d) out.push_back({Leaf(p), false});
    }
    for (const std::string& p : dirs) {
        if (p != "/" && Parent(p) == d) out.push_back({Leaf(p), true});
    }
    return out;
}

std::string MemoryFileSystem::FindName(const std::string& dir, const std::string& name) const {
    const std::string d = Resolve(dir);
    if (Exists(d + "/" + name)) return name;
    for (const DirEntry& e : List(d)) {
        if (Lower(e.name) == Lower(name)) return e.name;
    }
    return "";
}

std::optional<std::string> MemoryFileSystem::ReadAll(const std::string& path, FsError* error) const {
    const std::string p = Resolve(path);
    auto fail = [&](FsError e) -> std::optional<std::string> {
        if (error) *error = e;
        return std::nullopt;
    };
    if (inUse.count(p)) return fail(FsError::InUse);
    if (unreadable.count(p)) return fail(FsError::ReadError);
    auto it = files.find(p);
    if (it == files.end()) return fail(FsError::NotFound);
    if (error) *error = FsError::None;
    return it->second;
}

bool MemoryFileSystem::WriteAtomic(const std::string& path, const std::string& contents, FsError* error) {
    const std::string p = Resolve(path);
    if (failWrite.count(p) || !IsDirectory(Parent(p)) || IsDirectory(p)) {
        if (error) *error = FsError::WriteError;
        return false;
    }
    files[p] = contents;
    ++writeCount;
    return true;
}

std::unique_ptr<AppendFile> MemoryFileSystem::OpenAppend(const std::string& path, FsError* error) {
    const std::string p = Resolve(path);
    if (failOpenAppend.count(p) || !IsDirectory(Parent(p))) {
        if (error) *error = FsError::WriteError;
        return nullptr;
    }
    files[p];  // created when missing
    return std::make_unique<MemoryAppendFile>(*this, p, failAppend.count(p) != 0);
}

bool MemoryFileSystem::MakeDir(const std::string& path) {
    const std::string p = Resolve(path);
    if (!IsDirectory(Parent(p)) || files.count(p)) return false;
    dirs.insert(p);
    return true;
}

bool MemoryFileSystem::Remove(const std::string& path) { return files.erase(Resolve(path)) != 0; }

bool MemoryFileSystem::Rename(const std::string& from, const std::string& to) {
    auto it = files.find(Resolve(from));
    if (it == files.end()) return false;
    std::string c = it->second;
    files.erase(it);
    files[Resolve(to)] = c;
    return true;
}

MsgResult ScriptedOperator::MsgBox(const std::string& text, MsgButtons buttons, MsgIcon icon, const std::string&) {
    messages.push_back({text, buttons, icon});
    if (!answers.empty()) {
        const MsgResult r = answers.front();
        answers.pop_front();
        return r;
    }
    return buttons == MsgButtons::YesNo ? MsgResult::Yes : MsgResult::Ok;
}

std::string ScriptedOperator::OpenFileDialog(const FileDialogRequest& request) {
    openRequests.push_back(request);
    if (dialogAnswers.empty()) return "";
    std::string a = dialogAnswers.front();
    dialogAnswers.pop_front();
    return a;
}

std::string ScriptedOperator::SaveFileDialog(const FileDialogRequest& request) {
    saveRequests.push_back(request);
    if (dialogAnswers.empty()) return "";
    std::string a = dialogAnswers.front();
    dialogAnswers.pop_front();
    return a;
}

void FileWorld::Reset() {
    std::destroy_at(state.get());
    std::construct_at(state.get());
    fs = MemoryFileSystem();
    op = ScriptedOperator();
    clock = SetClock();
    logs.CloseAll();
    windows = RecordingWindows();
}

void RecordingWindows::RedrawSpectrumWindow(int16_t slot, const std::string& xTitle) {
    calls.push_back("redraw " + std::to_string(slot) + " " + xTitle);
}

int16_t RecordingWindows::ApplyWindowPosition(SettingsWindow window, const std::string& text) {
    applied.emplace_back(window, text);
    int16_t position = 1;
    float flag = 0;
    for (int i = 0; i < 6; ++i) flag = NextNumber(text, position);
    return RoundToInt16Clamped(flag);
}

std::string RecordingWindows::WindowPositionText(SettingsWindow, WindowRect& rect) {
    return IntToText(rect.Top) + " " + IntToText(rect.Left) + " " + IntToText(rect.Height) + " " +
           IntToText(rect.Width) + " 0 ";
}

void RecordingWindows::ShowWindow(SettingsWindow window) {
    calls.push_back("show " + std::to_string(static_cast<int>(window)));
}

void RecordingWindows::FillAcquisitionBoxes(const AcquisitionBoxes& b) {
    calls.push_back("boxes");
    boxes = b;
}

}  // namespace tav::test
