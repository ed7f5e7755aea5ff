#include "files/KineticLogs.h"

#include <cmath>
#include <vector>

#include "files/FileDialogs.h"
#include "files/FileMessages.h"
#include "files/FileNames.h"
#include "files/FileWindows.h"
#include "files/FormatByMagnitude.h"
#include "platform/Numbers.h"
#include "platform/Operator.h"
#include "shared/ProgramState.h"

namespace tav {
namespace {

constexpr std::array<const char*, KineticLogCount> TempNames = {
    "~Ratio.Tmp", "~NormDif.Tmp", "~Exper.Tmp", "~Deriv.Tmp", "~Integ.Tmp", "~Average.Tmp", "~Diagnost.Tmp"};

constexpr size_t LoggedNameLength = 35;

// Whether log k (0 = ratio .. 6 = diagnostics) gets a line, and its value: an index logs only
// what the last index pass computed; the diagnostics log the temperature of that pass's spectrum,
// when it has one.
bool LogIsActive(const ProgramState& s, int k, float& value) {
    const MenuChecks& m = s.Menu;
    const ProgramState::IndicesComputed& computed = s.LastPassComputed;
    switch (k) {
    case 0:
        value = s.RatioValue;
        return m.ActivateRatio && s.RatioNumerator != 0 && s.RatioDenominator != 0 && computed.Ratio;
    case 1:
        value = s.NormDiffValue;
        return m.ActivateNormDiff && s.NormDiffX != 0 && s.NormDiffY != 0 && computed.NormDiff;
    case 2: value = s.ExperimentalValue; return m.ActivateExperimental && computed.Experimental;
    case 3: value = s.DerivativeValue; return m.ActivateDerivative && s.DerivativeBand != 0 && computed.Derivative;
    case 4: value = s.IntegralValue; return m.ActivateIntegral && s.IntegralBand != 0 && computed.Integral;
    case 5: value = s.AverageValue; return m.ActivateAverage && s.AverageBand != 0 && computed.Average;
    case 6:
        value = IsValidSlot(computed.Slot) ? s.SlotInfo[computed.Slot].Temperature : NoTemperature;
        return m.ActivateDiagnostics && !std::isnan(value) && value != 0.0f;
    }
    return false;
}

}  // namespace

std::string KineticLogTempName(int16_t fileNumber) {
    const int k = fileNumber - FirstKineticLogNumber;
    return k >= 0 && k < KineticLogCount ? TempNames[k] : "";
}

int KineticLogs::IndexOf(int16_t fileNumber) {
    const int k = fileNumber - FirstKineticLogNumber;
    return k >= 0 && k < KineticLogCount ? k : -1;
}

void KineticLogs::OpenAll(FileSystem& fs, const std::string& folder) {
    for (int k = 0; k < KineticLogCount; ++k) {
        Open(fs, static_cast<int16_t>(FirstKineticLogNumber + k), JoinPath(folder, TempNames[k]));
    }
}

void KineticLogs::CloseAll() {
    for (int k = 0; k < KineticLogCount; ++k) Close(static_cast<int16_t>(FirstKineticLogNumber + k));
}

bool KineticLogs::Open(FileSystem& fs, int16_t fileNumber, const std::string& path) {
    const int k = IndexOf(fileNumber);
    if (k < 0) return false;
    Close(fileNumber);
    openError_[k] = FsError::None;
    files_[k] = fs.OpenAppend(path, &openError_[k]);
    reported_[k] = false;
    return files_[k] != nullptr && files_[k]->IsOpen();
}

void KineticLogs::Close(int16_t fileNumber) {
    const int k = IndexOf(fileNumber);
    if (k < 0 || !files_[k]) return;
    files_[k]->Close();
    files_[k].reset();
}

bool KineticLogs::IsOpen(int16_t fileNumber) const {
    const int k = IndexOf(fileNumber);
    return k >= 0 && files_[k] && files_[k]->IsOpen();
}

bool KineticLogs::Append(int16_t fileNumber, const std::string& line) {
    const int k = IndexOf(fileNumber);
    if (k < 0 || !IsOpen(fileNumber)) return false;
    return files_[k]->WriteLine(line);
}

std::string KineticLogs::FailureReason(int16_t fileNumber) const {
    const int k = IndexOf(fileNumber);
    if (k >= 0 && IsOpen(fileNumber)) return FsErrorReason(files_[k]->Error());
    const FsError why = k >= 0 ? openError_[k] : FsError::None;
    return why == FsError::None ? "it is not open" : "it could not be opened (" + FsErrorReason(why) + ")";
}

bool KineticLogs::FailureReported(int16_t fileNumber) const {
    const int k = IndexOf(fileNumber);
    return k >= 0 && reported_[k];
}

void KineticLogs::SetFailureReported(int16_t fileNumber) {
    const int k = IndexOf(fileNumber);
    if (k >= 0) reported_[k] = true;
}

std::string KineticLogLine(const std::string& savedFileName, const CivilTime& now, int32_t seconds, float value) {
    return LastChars(savedFileName, LoggedNameLength) + " " + DateTextDashes(now) + " " + TimeText(now) + " " +
           StrInt(seconds) + " " + "Secs  " + FormatByMagnitude(value);
}

bool AppendKineticLogLines(FileContext& ctx, const std::string& savedFileName) {
    const ProgramState& s = ctx.state;
    // Whole seconds, halves up; 32 bits so that a long series keeps logging.
    const int32_t seconds = FloorToInt32(static_cast<double>(s.ElapsedTime) + 0.5);
    std::vector<KineticLogFailure> failed;
    for (int k = 0; k < KineticLogCount; ++k) {
        float value = 0;
        if (!LogIsActive(s, k, value)) continue;
        const int16_t number = static_cast<int16_t>(FirstKineticLogNumber + k);
        if (ctx.logs.Append(number, KineticLogLine(savedFileName, ctx.clock.Now(), seconds, value))) continue;
        if (!ctx.logs.FailureReported(number)) {
            ctx.logs.SetFailureReported(number);
            failed.push_back({JoinPath(s.StartDir, TempNames[k]), ctx.logs.FailureReason(number)});
        }
    }
    if (!failed.empty()) ctx.op.MsgBox(KineticLogFailureMessage(failed), MsgButtons::OkOnly, MsgIcon::Exclamation);
    return failed.empty();
}

KineticSaveResult SaveKineticFile(FileContext& ctx, const std::string& tempName, int16_t fileNumber) {
    if (KineticLogTempName(fileNumber).empty() || tempName.empty()) return KineticSaveResult::BadLog;
    const std::string chosen = ctx.op.SaveFileDialog(KineticSaveRequest(ctx.state, ctx.fs));
    if (chosen.empty()) return KineticSaveResult::Cancelled;

    const std::string tempPath = JoinPath(ctx.state.StartDir, tempName);
    ctx.logs.Close(fileNumber);
    FsError error = FsError::None;
    std::optional<std::string> lines = ctx.fs.ReadAll(tempPath, &error);
    if (!lines && error != FsError::NotFound) {
        ctx.logs.Open(ctx.fs, fileNumber, tempPath);
        ctx.op.MsgBox(CannotReadMessage(tempPath, FsErrorReason(error)), MsgButtons::OkOnly, MsgIcon::Exclamation);
        return KineticSaveResult::Failed;
    }
    if (ctx.fs.Resolve(chosen) != ctx.fs.Resolve(tempPath)) {
        // The collected lines go to the chosen file first; only then is the log emptied, so a
        // failure loses nothing.
        if (!ctx.fs.WriteAtomic(chosen, lines.value_or(""), &error)) {
            ctx.logs.Open(ctx.fs, fileNumber, tempPath);
            ctx.op.MsgBox(CannotWriteMessage(chosen, FsErrorReason(error)), MsgButtons::OkOnly, MsgIcon::Exclamation);
            return KineticSaveResult::Failed;
        }
        if (!ctx.fs.WriteAtomic(tempPath, "", &error)) {
            ctx.logs.Open(ctx.fs, fileNumber, tempPath);
            ctx.op.MsgBox(CannotWriteMessage(tempPath, FsErrorReason(error)), MsgButtons::OkOnly,
                          MsgIcon::Exclamation);
            return KineticSaveResult::Failed;
        }
    }
    ctx.logs.Open(ctx.fs, fileNumber, tempPath);
    return KineticSaveResult::Saved;
}

}  // namespace tav
