#pragma once
// Test doubles for the file tests: an in-memory file system with injected failures, a scripted
// operator, a settable clock and a recording window layer.

#include <deque>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "files/FileWindows.h"
#include "files/KineticLogs.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/Operator.h"
#include "shared/ProgramState.h"

namespace tav::test {

class MemoryFileSystem : public FileSystem {
public:
    MemoryFileSystem();

    // Set-up and inspection.
    void AddFile(const std::string& path, const std::string& contents);
    void AddDir(const std::string& path);
    bool HasFile(const std::string& path) const;
    std::string Contents(const std::string& path) const;
    // Injected failures, by resolved path.
    std::set<std::string> inUse;       // ReadAll fails with InUse
    std::set<std::string> unreadable;  // ReadAll fails with ReadError
    std::set<std::string> failWrite;   // WriteAtomic fails (the old file stays)
    std::set<std::string> failAppend;  // OpenAppend succeeds, every WriteLine fails
    std::set<std::string> failOpenAppend;
    int writeCount = 0;

    std::string CurrentDir() const override { return cwd_; }
    bool SetCurrentDir(const std::string& path) override;
    std::string Resolve(const std::string& path) const override;
    bool Exists(const std::string& path) const override;
    bool IsDirectory(const std::string& path) const override;
    std::vector<DirEntry> List(const std::string& dir) const override;
    std::string FindName(const std::string& dir, const std::string& name) const override;
    std::optional<std::string> ReadAll(const std::string& path, FsError* error = nullptr) const override;
    bool WriteAtomic(const std::string& path, const std::string& contents, FsError* error = nullptr) override;
    std::unique_ptr<AppendFile> OpenAppend(const std::string& path, FsError* error = nullptr) override;
    bool MakeDir(const std::string& path) override;
    bool Remove(const std::string& path) override;
    bool Rename(const std::string& from, const std::string& to) override;
    std::string GetEnv(const std::string&) const override { return ""; }

    std::map<std::string, std::string> files;
    std::set<std::string> dirs;

private:
    std::string cwd_ = "/work";
};

struct ShownMessage {
    std::string text;
    MsgButtons buttons;
    MsgIcon icon;
};

class ScriptedOperator : public Operator {
public:
    std::deque<MsgResult> answers;          // for MsgBox; Ok (or Yes for YesNo) when empty
    std::deque<std::string> dialogAnswers;  // for the file dialogs; "" when empty
    std::vector<ShownMessage> messages;
    std::vector<FileDialogRequest> openRequests, saveRequests;

    MsgResult MsgBox(const std::string& text, MsgButtons buttons, MsgIcon icon, const std::string& title) override;
    std::string OpenFileDialog(const FileDialogRequest& request) override;
    std::string SaveFileDialog(const FileDialogRequest& request) override;
    void Beep() override {}
    std::vector<std::string> ScreenFonts() override { return {"Sans"}; }
    void ShowHelp(const std::string&) override {}
};

class SetClock : public Clock {
public:
    CivilTime now{2024, 3, 7, 14, 5, 9, 0};
    float Timer() override { return static_cast<float>(now.hour * 3600 + now.minute * 60 + now.second); }
    CivilTime Now() override { return now; }
    void Sleep(double) override {}
};

class RecordingWindows : public FileWindows {
public:
    std::vector<std::string> calls;  // "stop", "redraw <slot> <title>", "show <n>", "welcome", "boxes"
    AcquisitionBoxes boxes;
    std::vector<std::pair<SettingsWindow, std::string>> applied;

    void StopAutoScanTimer() override { calls.push_back("stop"); }
    void RedrawSpectrumWindow(int16_t slot, const std::string& xTitle) override;
    // Returns the line's sixth number, as the window layer does.
    int16_t ApplyWindowPosition(SettingsWindow window, const std::string& text) override;
    // The record's rectangle, state 0.
    std::string WindowPositionText(SettingsWindow window, WindowRect& rect) override;
    void ShowWindow(SettingsWindow window) override;
    void FillAcquisitionBoxes(const AcquisitionBoxes& b) override;
    void ShowWelcome() override { calls.push_back("welcome"); }
};

// The contents of a hand-made file of tests/data.
std::string Fixture(const std::string& name);

// A fresh state, services and context for one case.
struct FileWorld {
    std::unique_ptr<ProgramState> state = std::make_unique<ProgramState>();
    MemoryFileSystem fs;
    ScriptedOperator op;
    SetClock clock;
    KineticLogs logs;
    RecordingWindows windows;
    FileContext ctx{*state, fs, op, clock, logs, windows};
    // Back to a fresh world, reusing the state's memory.
    void Reset();
};

}  // namespace tav::test
