#include "files/SpectrumFileReader.h"

#include <memory>
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

std::string NoRowsReason(NoRows why) {
    switch (why) {
        case NoRows::Empty: return "it is empty";
        case NoRows::NotText: return "it is not a text file";
        case NoRows::LongLine:
            return "a line before its rows is longer than " + std::to_string(MaxSpectrumLineLength) + " characters";
        case NoRows::ReadOut: return "it holds several scans of a memory read-out";
        case NoRows::AfterHeader: return "no row follows its header";
        case NoRows::WithoutHeader: return "it has neither the header nor the rows of a spectrum file";
    }
    return "it has no rows";
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
    }
    // What the spectrum was measured with is the file's to tell; without a header it is unknown.
    rec.IntegTime = parsed.IntegTime;
    rec.Temperature = parsed.Temperature;
    rec.ScansAveraged = parsed.ScansAveraged;
    rec.NumPoints = static_cast<int16_t>(n);
    rec.Binned = false;
    rec.XMin = parsed.x.front();
    rec.XMax = parsed.x.back();
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
    const std::unique_ptr<LineReader> lines = ctx.fs.OpenLines(path, &error);
    if (!lines) {
        if (error == FsError::InUse) {
            ctx.op.MsgBox(FileInUseMessage(stored), MsgButtons::OkOnly, MsgIcon::Exclamation);
            return SpectrumReadResult::InUse;
        }
        if (error == FsError::NotFound) {  // gone since the look-up
            ctx.op.MsgBox(FileNotFoundText);
            return SpectrumReadResult::NotFound;
        }
        ctx.op.MsgBox(CannotReadMessage(path, FsErrorReason(error)), MsgButtons::OkOnly, MsgIcon::Exclamation);
        return SpectrumReadResult::ReadError;
    }

    ParsedSpectrum parsed;
    switch (ParseSpectrumLines(*lines, parsed)) {
        case ParseStatus::Ok: break;
        case ParseStatus::ReadFailed:
            ctx.op.MsgBox(CannotReadMessage(path, FsErrorReason(lines->Error())), MsgButtons::OkOnly,
                          MsgIcon::Exclamation);
            return SpectrumReadResult::ReadError;
        case ParseStatus::TruncatedHeader:
        case ParseStatus::BadHeaderNumber:
            ctx.op.MsgBox(NotSpectrumFileMessage(path), MsgButtons::OkOnly, MsgIcon::Exclamation);
            return SpectrumReadResult::ReadError;
    }
    if (parsed.x.empty()) {
        ctx.op.MsgBox(NoSpectrumMessage(path, NoRowsReason(parsed.noRows)), MsgButtons::OkOnly, MsgIcon::Exclamation);
        return SpectrumReadResult::NoSpectrum;
    }
    Commit(s, slot, parsed);
    return SpectrumReadResult::Ok;
}

}  // namespace tav
