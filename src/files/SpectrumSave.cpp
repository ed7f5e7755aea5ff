#include "files/SpectrumSave.h"

#include <string>

#include "files/AutoSaveNames.h"
#include "files/FileDialogs.h"
#include "files/FileMessages.h"
#include "files/FileWindows.h"
#include "files/KineticLogs.h"
#include "files/SpectrumFileWriter.h"
#include "platform/FileSystem.h"
#include "platform/Operator.h"
#include "shared/ProgramState.h"

namespace tav {
namespace {

// Names the slot after the file, writes it and, on failure, gives the slot its old name back.
bool WriteSpectrumFile(FileContext& ctx, int16_t slot, SpectrumRowForm form, const std::string& path) {
    ProgramState& s = ctx.state;
    const std::string previousName = s.SlotInfo[slot].FileName;
    s.SpectrumFileName = path;
    s.SlotInfo[slot].FileName = path;
    const std::string text = SpectrumFileText(s, slot, form, ctx.clock.Now());
    if (!path.empty() && ctx.fs.WriteAtomic(path, text)) return true;
    s.SlotInfo[slot].FileName = previousName;
    return false;
}

void WarnAutoSave(FileContext& ctx) { ctx.op.MsgBox(AutoSavePathText, MsgButtons::OkOnly, MsgIcon::Exclamation); }

}  // namespace

SpectrumSaveResult AutoSaveSpectrum(FileContext& ctx) {
    ProgramState& s = ctx.state;
    const int16_t slot = s.CurrentSlot;
    if (s.AutoSaveCounter == 1 && SeriesFilesExist(ctx.fs, s.DefaultPath, s.AutoSaveName)) {
        if (ctx.op.MsgBox(AutoSaveOverwriteText, MsgButtons::YesNo, MsgIcon::Exclamation) != MsgResult::Yes) {
            ctx.windows.StopAutoScanTimer();
            return SpectrumSaveResult::Cancelled;
        }
    }
    const SpectrumRowForm form = s.MemoryMode == memmode::Read && s.ScanNumber >= 2 ? SpectrumRowForm::MultiScan
                                                                                     : SpectrumRowForm::Raw;
    if (!CanWriteSpectrum(s, slot, form)) {
        WarnAutoSave(ctx);
        return SpectrumSaveResult::Failed;
    }
    const std::string path = s.AutoSaveFileName;
    AppendKineticLogLines(ctx, path);
    if (!WriteSpectrumFile(ctx, slot, form, path)) {
        WarnAutoSave(ctx);
        return SpectrumSaveResult::Failed;
    }
    return SpectrumSaveResult::Saved;
}

SpectrumSaveResult SaveSpectrumAs(FileContext& ctx, int16_t slot) {
    ProgramState& s = ctx.state;
    if (!IsValidSlot(slot)) return SpectrumSaveResult::Failed;
    const SpectrumRowForm form = slot >= slot::DarkCh2 ? SpectrumRowForm::Series : SpectrumRowForm::Raw;
    const std::string chosen = ctx.op.SaveFileDialog(SpectrumSaveRequest(s, ctx.fs));
    if (chosen.empty()) return SpectrumSaveResult::Cancelled;
    if (!CanWriteSpectrum(s, slot, form)) {
        ctx.op.MsgBox(CannotWriteMessage(chosen), MsgButtons::OkOnly, MsgIcon::Exclamation);
        return SpectrumSaveResult::Failed;
    }
    AppendKineticLogLines(ctx, chosen);
    SpectrumSaveResult result = SpectrumSaveResult::Saved;
    if (!WriteSpectrumFile(ctx, slot, form, chosen)) {
        ctx.op.MsgBox(CannotWriteMessage(chosen), MsgButtons::OkOnly, MsgIcon::Exclamation);
        result = SpectrumSaveResult::Failed;
    }
    ctx.windows.RedrawSpectrumWindow(slot, "Wavelength (nm)");
    return result;
}

}  // namespace tav
