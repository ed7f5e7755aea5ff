#include <memory>
#include <optional>
#include <string>

#include "files/FileMessages.h"
#include "files/FileNames.h"
#include "files/FileWindows.h"
#include "files/SettingsFile.h"
#include "files/SettingsKeys.h"
#include "files/TextConversions.h"
#include "files/WindowPositions.h"
#include "platform/FileSystem.h"
#include "platform/Numbers.h"
#include "platform/Operator.h"
#include "shared/BuiltInCalibration.h"

namespace tav {
namespace {

constexpr int32_t DefaultChartColor = 8355711;    // grey
constexpr int32_t DefaultCurveColor = 16711680;   // blue
constexpr std::size_t MaxSettingsLineLength = 64 * 1024;
constexpr std::size_t MaxSettingsFileBytes = 1024 * 1024;

std::string After(const std::string& text, size_t count) { return count < text.size() ? text.substr(count) : ""; }

// "Band Start k" and "Band End k": band k is element k-1; numbers outside 1..NumOfBands are passed
// over, as are lines before "Number Of Bands".
void ApplyBandLine(ProgramState& s, const std::string& key, const std::string& value) {
    const bool isEnd = key.compare(0, 8, "Band End") == 0;
    const std::optional<int16_t> k = SettingsInteger(After(key, isEnd ? 9 : 11));
    const std::optional<float> v = SettingsSingle(value);
    if (!k || !v || *k < 1 || *k > s.NumOfBands) return;
    std::vector<float>& bands = isEnd ? s.BandEnd : s.BandStart;
    if (static_cast<size_t>(*k) > bands.size()) return;
    bands[*k - 1] = *v;
}

void ApplyNumberOfBands(ProgramState& s, const std::string& value) {
    const std::optional<int16_t> n = SettingsInteger(value);
    if (!n || *n < 0 || *n > MaxBands) return;
    s.NumOfBands = *n;
    s.BandStart.assign(static_cast<size_t>(*n) + 1, 0.0f);
    s.BandEnd.assign(static_cast<size_t>(*n) + 1, 0.0f);
}

void ApplyWindowLine(FileContext& ctx, const SettingsWindowEntry& entry, const std::string& value) {
    ProgramState& s = ctx.state;
    const int16_t open = ctx.windows.ApplyWindowPosition(entry.window, value);
    if (WindowLineHoldsPlace(value)) s.WindowPlacesRead = true;
    switch (entry.window) {
    case SettingsWindow::Main:
        // The spectrum window is shown whatever the line says; its record's flag stays.
        ctx.windows.ShowWindow(SettingsWindow::Main);
        s.Menu.Viewmainform = true;
        return;
    case SettingsWindow::Menu:
        if (open == 0) return;
        s.MenuFormRect.Open = -1;
        ctx.windows.ShowWindow(SettingsWindow::Menu);
        return;
    case SettingsWindow::Index:
        if (open == 0) return;
        s.IndexFormRect.Open = -1;
        ctx.windows.ShowWindow(SettingsWindow::Index);
        ctx.windows.ShowWindow(SettingsWindow::Main);
        s.Menu.ViewIndexForm = true;
        return;
    default:
        if (open == 0) return;
        (s.*entry.rect).Open = -1;
        ctx.windows.ShowWindow(entry.window);
        s.Menu.*entry.viewCheck = true;
        return;
    }
}

void ApplyDefaults(FileContext& ctx) {
    ProgramState& s = ctx.state;
    ctx.windows.ShowWindow(SettingsWindow::Main);
    s.DefaultPath = JoinPath(s.StartDir, "DATA");
    if (!ctx.fs.IsDirectory(s.DefaultPath)) ctx.fs.MakeDir(s.DefaultPath);  // a failure is passed over
    for (int i = 0; i < 8; ++i) {
        s.AutoScaleOn[i] = -1;
        s.MinGridValue[i] = 0.0f;
        s.MaxGridValue[i] = 1.0f;
    }
    s.ExpOp1 = 1;
    s.ExpOp2 = 3;
    s.ExpOp3 = 0;
    s.MenuFormRect.Open = -1;
    ctx.windows.ShowWindow(SettingsWindow::Menu);
    s.BeepOn = true;
    s.IntegrationTime = 300;
    s.CalCoeffA = BuiltInCalCoeffA;
    s.CalCoeffB = BuiltInCalCoeffB;
    s.CalCoeffC = BuiltInCalCoeffC;
    s.CalCoeffD = BuiltInCalCoeffD;
    s.CalCoeffE = BuiltInCalCoeffE;
    s.CalCoeffF = BuiltInCalCoeffF;
    s.CommPortNumber = 1;
}

// Why a settings file was not read whole; `replaceable` when it is a file that the next settings
// write would replace (not a folder, a device or a file gone meanwhile).
struct SettingsRefusal {
    std::string reason;
    bool replaceable = true;
};

SettingsRefusal Refusal(FsError error) {
    const bool noFile = error == FsError::NotFound || error == FsError::IsFolder || error == FsError::NotAFile;
    return {FsErrorReason(error), !noFile};
}

// Applies the file's lines one by one, within bounds no settings file comes near; nothing when the
// whole file was read, else why reading stopped.
std::optional<SettingsRefusal> ApplySettingsLines(FileContext& ctx, const std::string& path) {
    FsError error = FsError::None;
    const std::unique_ptr<LineReader> lines = ctx.fs.OpenLines(path, &error);
    if (!lines) return Refusal(error);
    std::string line;
    std::size_t total = 0;
    for (;;) {
        switch (lines->Next(line, MaxSettingsLineLength)) {
            case LineReader::Status::End: return std::nullopt;
            case LineReader::Status::Failed: return Refusal(lines->Error());
            case LineReader::Status::TooLong: return SettingsRefusal{"a line is longer than 64 KiB"};
            case LineReader::Status::Line: break;
        }
        total += line.size() + 1;
        if (total > MaxSettingsFileBytes) return SettingsRefusal{"it is larger than 1 MiB"};
        ApplySettingsLine(ctx, line);
    }
}

}  // namespace

void ApplySettingsLine(FileContext& ctx, const std::string& line) {
    const size_t eq = line.find('=');
    if (eq == std::string::npos) return;
    const std::string key = TrimBlanks(line.substr(0, eq));
    const std::string value = TrimBlanks(line.substr(eq + 1));
    ProgramState& s = ctx.state;

    if (key.compare(0, 4, "Band") == 0) {
        ApplyBandLine(s, key, value);
        return;
    }
    if (key == "Number Of Bands") {
        ApplyNumberOfBands(s, value);
        return;
    }
    for (const SettingsWindowEntry& entry : SettingsWindowEntries()) {
        if (LineHasKey(entry.line, key)) {
            ApplyWindowLine(ctx, entry, value);
            return;
        }
    }
    for (const SettingsEntry& entry : SettingsEntries()) {
        if (LineHasKey(entry.line, key)) {
            entry.read(s, value);
            return;
        }
    }
}

void ReadSettingsFile(FileContext& ctx) {
    ProgramState& s = ctx.state;
    if (s.IniLoaded) return;
    s.IniLoaded = true;

    const std::string folder = ctx.fs.CurrentDir();
    const std::string found = ctx.fs.FindName(folder, SettingsFileName);
    if (!found.empty()) {
        const std::string path = JoinPath(folder, found);
        // Start-up goes on with what was set so far; a file that the writer would replace is
        // kept for the operator, who may want what it holds.
        if (const std::optional<SettingsRefusal> refused = ApplySettingsLines(ctx, path)) {
            std::string text = CannotReadMessage(path, refused->reason);
            if (refused->replaceable) {
                s.UnreadSettingsFile = path;
                text += "\n";
                text += UnreadSettingsKeptText;
            }
            ctx.op.MsgBox(text, MsgButtons::OkOnly, MsgIcon::Exclamation);
        }
        ctx.windows.ShowAcquisitionSettings(ctx.state);
    } else {
        ApplyDefaults(ctx);
    }

    if (s.NumToAverage == 0) s.NumToAverage = 1;
    if (s.AutoScanDelay < 0) s.AutoScanDelay = 1.0f;
    // The screen now shows the file's values, which no block has told the instrument.
    s.InstrumentParametersUnknown = true;
    if (s.ChartColor == 0) s.ChartColor = DefaultChartColor;
    if (s.CurveColor == 0) s.CurveColor = DefaultCurveColor;

    if (!s.WelcomeShown) {
        ctx.windows.ShowWelcome();
        s.WelcomeShown = true;
    }
}

}  // namespace tav
