#include "files/SpectrumFileReader.h"

#include <optional>
#include <string>

#include "files/FileMessages.h"
#include "files/FileNames.h"
#include "files/FileWindows.h"
#include "files/SpectrumFileParser.h"
#include "platform/FileSystem.h"
#include "platform/Operator.h"
#include "shared/ProgramState.h"

namespace tav {
namespace {

// The path of an existing file for the stored name: exactly, else without regard to case.
std::string LookUp(const FileSystem& fs, const std::string& name) {
    const std::string path = fs.Resolve(name);
    const std::string folder = FolderOf(path);
    const std::string found = fs.FindName(folder, LeafOf(path));
    if (found.empty()) return "";
    const std::string full = JoinPath(folder, found);
    return fs.IsDirectory(full) ? std::string() : full;
}

void Commit(ProgramState& s, int16_t slot, const ParsedSpectrum& parsed) {
    const int n = static_cast<int>(parsed.x.size());
    for (int i = 0; i < n; ++i) {
        s.XData[slot][i] = parsed.x[i];
        s.Ch1Data[slot][i] = parsed.ch1[i];
        // The reference channel of a spectrum is the reference slot's channel 1, as a scan pairs
        // them; the reference calibration file must not overwrite the measured reference.
        if (slot != slot::Work) s.Ch1Data[slot::Reference][i] = parsed.ch2[i];
        s.Ch2Data[slot][i] = parsed.ch2[i];
    }
    SlotRecord& rec = s.SlotInfo[slot];
    if (parsed.hasHeader) {
        rec.DataMin = parsed.DataMin;
        rec.DataMax = parsed.DataMax;
        rec.IntegTime = parsed.IntegTime;
    }
    rec.NumPoints = static_cast<int16_t>(n);
    rec.Binned = false;
    rec.XMin = n == 0 ? 0.0f : parsed.x.front();
    rec.XMax = n == 0 ? 0.0f : parsed.x.back();
    rec.NoRatio = false;
    s.DataAvailable = true;
}

}  // namespace

SpectrumReadResult ReadSpectrumFile(FileContext& ctx, int16_t slot) {
    ProgramState& s = ctx.state;
    s.PrintInColor = false;
    s.DarkRefShown = false;
    s.CommonScale = false;
    s.DerivativeParam = 0;
    if (!IsValidSlot(slot)) return SpectrumReadResult::ReadError;

    const std::string& stored = s.SlotInfo[slot].FileName;
    if (IsNoFileName(stored)) {
        ctx.op.MsgBox(InvalidFileNameText);
        return SpectrumReadResult::NoName;
    }
    const std::string path = LookUp(ctx.fs, StoredFileName(stored));
    if (path.empty()) {
        ctx.op.MsgBox(FileNotFoundText);
        return SpectrumReadResult::NotFound;
    }

    FsError error = FsError::None;
    const std::optional<std::string> text = ctx.fs.ReadAll(path, &error);
    if (!text) {
        if (error == FsError::InUse) {
            ctx.op.MsgBox(FileInUseMessage(stored), MsgButtons::OkOnly, MsgIcon::Exclamation);
            return SpectrumReadResult::InUse;
        }
        ctx.op.MsgBox(FileNotFoundText);
        return error == FsError::NotFound ? SpectrumReadResult::NotFound : SpectrumReadResult::ReadError;
    }

    ParsedSpectrum parsed;
    if (ParseSpectrumText(*text, parsed) != ParseStatus::Ok) {
        ctx.op.MsgBox(FileNotFoundText);
        return SpectrumReadResult::ReadError;
    }
    Commit(s, slot, parsed);
    return SpectrumReadResult::Ok;
}

}  // namespace tav
