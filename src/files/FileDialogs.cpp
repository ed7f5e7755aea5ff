#include "files/FileDialogs.h"

#include "files/FileWindows.h"
#include "platform/FileSystem.h"
#include "shared/ProgramState.h"

namespace tav {
namespace {

constexpr const char* SpectrumFilter = "Quorveld Files (*.rdg)|*.rdg";

FileDialogRequest InDataFolder(const ProgramState& state, const FileSystem& fs) {
    FileDialogRequest req;
    req.initialDir = state.DefaultPath.empty() ? std::string() : fs.Resolve(state.DefaultPath);
    req.fileName = "";
    req.hideReadOnly = true;
    return req;
}

}  // namespace

FileDialogRequest SpectrumOpenRequest(const ProgramState& state, const FileSystem& fs) {
    FileDialogRequest req = InDataFolder(state, fs);
    req.filter = SpectrumFilter;
    return req;
}

FileDialogRequest SpectrumSaveRequest(const ProgramState& state, const FileSystem& fs) {
    FileDialogRequest req = InDataFolder(state, fs);
    req.filter = SpectrumFilter;
    req.defaultExt = "rdg";
    req.overwritePrompt = true;
    return req;
}

FileDialogRequest KineticSaveRequest(const ProgramState& state, const FileSystem& fs) {
    FileDialogRequest req = InDataFolder(state, fs);
    req.filter = "Kinetic Files (*.dat)|*.dat";
    req.defaultExt = "DAT";
    req.overwritePrompt = true;
    return req;
}

void OpenSpectrumDialog(FileContext& ctx) {
    ProgramState& s = ctx.state;
    const std::string chosen = ctx.op.OpenFileDialog(SpectrumOpenRequest(s, ctx.fs));
    if (IsValidSlot(s.CurrentSlot)) s.SlotInfo[s.CurrentSlot].FileName = chosen;
}

}  // namespace tav
