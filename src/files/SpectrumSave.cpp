#include "files/SpectrumSave.h"

#include <string>

#include "files/AutoSaveNames.h"
#include "files/FileDialogs.h"
#include "files/FileMessages.h"
#include "files/FileNames.h"
#include "files/FileWindows.h"
#include "files/KineticLogs.h"
#include "files/SpectrumFileWriter.h"
#include "platform/FileSystem.h"
#include "platform/Operator.h"
#include "shared/IndexPassRecord.h"
#include "shared/ProgramState.h"

namespace tav {
namespace {

// Names the slot after the file, writes it and, on failure, gives the slot its old name back.
bool WriteSpectrumFile(FileContext& ctx, int16_t slot, SpectrumRowForm form, const std::string& path,
                       FsError& error) {
    ProgramState& s = ctx.state;
    const std::string previousName = s.SlotInfo[slot].FileName;
    s.SpectrumFileName = path;
    s.SlotInfo[slot].FileName = path;
    const std::string text = SpectrumFileText(s, slot, form, ctx.clock.Now());
    error = FsError::BadName;
    if (!path.empty() && ctx.fs.WriteAtomic(path, text, &error)) return true;
    s.SlotInfo[slot].FileName = previousName;
    return false;
}

// What keeps a slot out of a file, for the operator.
std::string CannotFitReason(const ProgramState& s, SpectrumRowForm form) {
    if (form == SpectrumRowForm::MultiScan && s.RawCountsScans > MaxMultiScans) {
        return "more than 50 scans do not fit in one file";
    }
    return "the spectrum does not fit in a file";
}

void Warn(FileContext& ctx, const std::string& text) { ctx.op.MsgBox(text, MsgButtons::OkOnly, MsgIcon::Exclamation); }

// The system's warning is kept for the one case it names: the data folder does not exist.
void WarnAutoSaveFailure(FileContext& ctx, const std::string& path, FsError error) {
    Warn(ctx, error == FsError::NotFound ? std::string(AutoSavePathText)
                                         : CannotWriteMessage(path, FsErrorReason(error)));
}

// The kinetic log lines of a file written whole, so that no line names a file that was never
// written or that holds another spectrum; only the values the last pass took from this slot.
void LogSavedSpectrum(FileContext& ctx, int16_t slot, const std::string& path) {
    if (IndexValuesBelongTo(ctx.state, slot)) AppendKineticLogLines(ctx, path);
}

}  // namespace

SpectrumSaveResult AutoSaveSpectrum(FileContext& ctx) {
    ProgramState& s = ctx.state;
    const int16_t slot = s.CurrentSlot;
    const std::string path = s.AutoSaveFileName;
    // Until the first file of a series may be written, an existing file of the series in the
    // folder it goes to is only replaced after the operator says so; "No" starts the series again.
    if (!s.AutoSaveSeriesOpen && SeriesFilesExist(ctx.fs, FolderOf(path), s.AutoSaveName)) {
        // No is the default: Enter or Space never overwrites.
        if (ctx.op.MsgBox(AutoSaveOverwriteText, MsgButtons::YesNo, MsgIcon::Exclamation, "", MsgDefault::Button2) !=
            MsgResult::Yes) {
            ctx.windows.StopAutoScanTimer();
            RestartAutoSaveSeries(s);
            return SpectrumSaveResult::Cancelled;
        }
    }
    s.AutoSaveSeriesOpen = true;
    // The scan just read out of the memory, several stored scans at once: the read-out itself,
    // as many scans as it brought, whatever the boxes show by now. A processing result is saved
    // as the spectrum it is.
    const SpectrumRowForm form =
        s.RawCountsScans >= 2 && !s.ProcessedResult ? SpectrumRowForm::MultiScan : SpectrumRowForm::Raw;
    if (!CanWriteSpectrum(s, slot, form)) {
        Warn(ctx, CannotWriteMessage(path, CannotFitReason(s, form)));
        return SpectrumSaveResult::Failed;
    }
    FsError error = FsError::None;
    if (!WriteSpectrumFile(ctx, slot, form, path, error)) {
        WarnAutoSaveFailure(ctx, path, error);
        return SpectrumSaveResult::Failed;
    }
    LogSavedSpectrum(ctx, slot, path);
    return SpectrumSaveResult::Saved;
}

SpectrumSaveResult SaveSpectrumAs(FileContext& ctx, int16_t slot) {
    ProgramState& s = ctx.state;
    if (!IsValidSlot(slot)) return SpectrumSaveResult::Failed;
    const SpectrumRowForm form = slot >= slot::DarkCh2 ? SpectrumRowForm::Series : SpectrumRowForm::Raw;
    const std::string chosen = ctx.op.SaveFileDialog(SpectrumSaveRequest(s, ctx.fs));
    if (chosen.empty()) return SpectrumSaveResult::Cancelled;
    if (!CanWriteSpectrum(s, slot, form)) {
        Warn(ctx, CannotWriteMessage(chosen, CannotFitReason(s, form)));
        return SpectrumSaveResult::Failed;
    }
    SpectrumSaveResult result = SpectrumSaveResult::Saved;
    FsError error = FsError::None;
    if (WriteSpectrumFile(ctx, slot, form, chosen, error)) {
        LogSavedSpectrum(ctx, slot, chosen);
    } else {
        Warn(ctx, CannotWriteMessage(chosen, FsErrorReason(error)));
        result = SpectrumSaveResult::Failed;
    }
    ctx.windows.RedrawSpectrumWindow(slot, "Wavelength (nm)");
    return result;
}

}  // namespace tav
