#include "acquisition/ParameterBlocks.h"

#include <algorithm>

#include "acquisition/Delay.h"
#include "acquisition/LinkPort.h"
#include "acquisition/LinkProtocol.h"
#include "acquisition/LinkWords.h"
#include "acquisition/WaitBound.h"
#include "platform/Operator.h"
#include "platform/comm/CommControl.h"
#include "shared/ProgramState.h"

namespace tav {

namespace {

// 0x01, then any reply or the bound, then the bytes with the pause after all but the last.
bool SendBlock(AcquisitionContext& ctx, const std::string& data) {
    CommControl& comm = ctx.comm;
    comm.ClearInBuffer();
    if (!comm.Output(std::string(1, link::ParameterCommand))) return false;
    WaitBound bound(ctx.clock, link::ParameterReplyMs);
    while (comm.Input().empty() && comm.LastReadResult() && !bound.Expired()) bound.Pause();
    for (size_t i = 0; i < data.size(); ++i) {
        if (!comm.Output(data.substr(i, 1))) return false;
        if (i + 1 < data.size()) Delay(ctx.clock, link::ParameterByteMs);
    }
    return true;
}

bool WithPort(AcquisitionContext& ctx, const std::string& data) {
    PortClaim claim = ClaimPort(ctx, ctx.state.CommPortNumber, link::FastSettings);
    bool sent = PortUsable(claim) && SendBlock(ctx, data);
    ReleasePort(ctx, claim);
    return sent;
}

}  // namespace

std::string ParameterBlockBytes(const ProgramState& s) {
    return WordBytes(s.IntegrationTime) + WordBytes(s.NumToAverage) + WordBytes(0) +
           WordBytes(s.ScanNumber) + WordBytes(s.IntervalTenths) + WordBytes(s.ReadAddress);
}

std::string ShortParameterBlockBytes(const ProgramState& s) {
    return WordBytes(s.IntegrationTime) + WordBytes(s.NumToAverage) + WordBytes(s.LampLevel);
}

bool SendParameterBlockOnOpenPort(AcquisitionContext& ctx) {
    ctx.state.LampLevel = 0;
    return SendBlock(ctx, ParameterBlockBytes(ctx.state));
}

bool ParameterBlock(AcquisitionContext& ctx) {
    ctx.state.LampLevel = 0;
    return WithPort(ctx, ParameterBlockBytes(ctx.state));
}

bool ShortParameterBlock(AcquisitionContext& ctx) {
    return WithPort(ctx, ShortParameterBlockBytes(ctx.state));
}

void ReportUnsentParameters(AcquisitionContext& ctx) {
    ctx.op.MsgBox("The parameters could not be sent to the instrument on COM" + std::to_string(ctx.state.CommPortNumber) + ".",
                  MsgButtons::OkOnly, MsgIcon::Exclamation);
}

}  // namespace tav
