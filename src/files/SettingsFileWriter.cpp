#include <string>

#include "files/FileMessages.h"
#include "files/FileNames.h"
#include "files/FileWindows.h"
#include "files/SettingsFile.h"
#include "files/SettingsKeys.h"
#include "files/TextConversions.h"
#include "platform/FileSystem.h"
#include "platform/Operator.h"

namespace tav {
namespace {

constexpr const char* LineEnd = "\r\n";

void Line(std::string& out, const std::string& text) {
    out += text;
    out += LineEnd;
}

// A value with a line break would add lines of its own that the reader takes as other keys:
// such a value is never written (the dialogs refuse it before it gets here).
void Entries(std::string& out, const ProgramState& s, SettingsSection section) {
    for (const SettingsEntry& entry : SettingsEntries()) {
        if (entry.section != section) continue;
        const std::string value = entry.write(s);
        if (!HasControlCharacter(value)) Line(out, std::string(entry.line) + value);
    }
}

float BandValue(const std::vector<float>& bands, int k) {
    return static_cast<size_t>(k) <= bands.size() ? bands[k - 1] : 0.0f;
}

// The settings file that start-up could not read is renamed before a new one takes its name,
// and the operator told where it went. False when it stays in the way: nothing is written.
bool KeepUnreadSettingsFile(FileContext& ctx, const std::string& path) {
    ProgramState& s = ctx.state;
    if (s.UnreadSettingsFile.empty() || ctx.fs.Resolve(s.UnreadSettingsFile) != ctx.fs.Resolve(path)) return true;
    FsError error = FsError::None;
    const std::string aside = ctx.fs.KeepAside(path, UnreadSettingsSuffix, &error);
    if (aside.empty() && error != FsError::NotFound) {
        ctx.op.MsgBox(UnreadSettingsNotKeptMessage(path, FsErrorReason(error)), MsgButtons::OkOnly,
                      MsgIcon::Exclamation);
        return false;
    }
    s.UnreadSettingsFile.clear();
    if (!aside.empty()) ctx.op.MsgBox(UnreadSettingsKeptMessage(path, aside), MsgButtons::OkOnly, MsgIcon::Information);
    return true;
}

}  // namespace

std::string SettingsFileText(FileContext& ctx) {
    ProgramState& s = ctx.state;
    std::string out;
    Line(out, "[Windows]");
    for (const SettingsWindowEntry& entry : SettingsWindowEntries()) {
        WindowRect& rect = s.*entry.rect;
        const std::string position = ctx.windows.WindowPositionText(entry.window, rect);
        Line(out, entry.line + position + PrintedNumber(rect.Open));
    }
    Line(out, "");
    Line(out, "[Index]");
    Line(out, "Number Of Bands=" + IntToText(s.NumOfBands));
    for (int k = 1; k <= s.NumOfBands; ++k) {
        const std::string number = IntToText(static_cast<int16_t>(k));
        Line(out, "Band Start " + number + "=" + SngToText(BandValue(s.BandStart, k)));
        Line(out, "Band End " + number + "=" + SngToText(BandValue(s.BandEnd, k)));
    }
    Entries(out, s, SettingsSection::Index);
    Line(out, "");
    Line(out, "[Acquisition]");
    Entries(out, s, SettingsSection::Acquisition);
    Line(out, "");
    Line(out, "[Colors]");
    Entries(out, s, SettingsSection::Colors);
    return out;
}

bool WriteSettingsFile(FileContext& ctx) {
    const std::string path = JoinPath(ctx.state.StartDir, SettingsFileName);
    if (!KeepUnreadSettingsFile(ctx, path)) return false;
    FsError error = FsError::None;
    if (ctx.fs.WriteAtomic(path, SettingsFileText(ctx), &error)) return true;
    ctx.op.MsgBox(CannotWriteMessage(path, FsErrorReason(error)), MsgButtons::OkOnly, MsgIcon::Exclamation);
    return false;
}

}  // namespace tav
