#include "acquisition/ReferenceFile.h"

#include "charts/ChartValues.h"
#include "platform/Operator.h"
#include "shared/ProgramState.h"

namespace tav {
namespace {

// Once per series: a problem already told in this series is not told again.
void Tell(AcquisitionContext& ctx, const std::string& text) {
    ProgramState& s = ctx.state;
    if (s.ReferenceFileTold == text) return;
    s.ReferenceFileTold = text;
    ctx.op.MsgBox(text, MsgButtons::OkOnly, MsgIcon::Exclamation);
}

std::string PointsText(int n) { return std::to_string(n) + (n == 1 ? " point" : " points"); }

// The operator's message: the file, why it cannot correct, and what stays uncorrected.
std::string ReferenceFileMessage(const std::string& fileName, const std::string& why, const std::string& what) {
    return "The reference calibration file\n" + fileName + "\n" + why + "\n" + what + " is not corrected.";
}

}  // namespace

bool ReadReferenceFileFor(AcquisitionContext& ctx, int needed, const std::string& what) {
    ProgramState& s = ctx.state;
    s.SlotInfo[slot::Work].FileName = s.ReferenceFileName;
    std::string why;
    const SpectrumReadResult read = ctx.windows.ReadSpectrumFileUntold(slot::Work, why);
    if (read != SpectrumReadResult::Ok && read != SpectrumReadResult::NoSpectrum) {
        Tell(ctx, ReferenceFileMessage(s.ReferenceFileName, why, what));
        return false;
    }
    const int points = read == SpectrumReadResult::Ok ? SlotPoints(s, slot::Work) : 0;
    if (points == 0) {
        RefuseReferenceFile(ctx, "holds no spectrum.", what);
        return false;
    }
    if (points < needed) {
        RefuseReferenceFile(ctx, "holds " + PointsText(points) + ", fewer than the " + std::to_string(needed) +
                                     " of the scan.",
                            what);
        return false;
    }
    return true;
}

void RefuseReferenceFile(AcquisitionContext& ctx, const std::string& why, const std::string& what) {
    Tell(ctx, ReferenceFileMessage(ctx.state.ReferenceFileName, why, what));
}

int SpectralPointsOf(const ProgramState& state, int16_t slotNumber) {
    return LastSpectralPoint(state, slotNumber) + 1;
}

void ForgetReferenceFileTold(ProgramState& state) { state.ReferenceFileTold.clear(); }

}  // namespace tav
