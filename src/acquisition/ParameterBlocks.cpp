#include "acquisition/ParameterBlocks.h"

#include <algorithm>
#include <utility>

#include "acquisition/LinkPort.h"
#include "acquisition/LinkProtocol.h"
#include "acquisition/LinkWords.h"
#include "acquisition/WaitBound.h"
#include "platform/Operator.h"
#include "platform/comm/CommControl.h"
#include "platform/comm/InstrumentMemory.h"
#include "shared/ProgramState.h"

namespace tav {

namespace {

// 0x01, then any reply or the bound, then the bytes with the pause after all but the last.
// The reply is not examined: a reply wait that the operator gives up with Escape ends, and a
// block of its own goes on as it does without a reply (an instrument left with half a block
// would take the next command for its bytes), the exchange given up once it is out; inside a
// longer exchange the exchange ends at once.
CommResult SendBlock(AcquisitionContext& ctx, const std::string& data, bool ownExchange) {
    CommControl& comm = ctx.comm;
    AwaitBlockEnd(ctx);  // a block after a block
    comm.ClearInBuffer();
    if (CommResult sent = SendParameterByte(ctx, std::string(1, link::ParameterCommand)); !sent) return sent;
    WaitBound bound(ctx, link::ParameterReplyMs);
    while (comm.Input().empty() && comm.LastReadResult() && !bound.Expired()) bound.Pause();
    if (ctx.waitGivenUp && !ownExchange) return CommResult::Fail("given up");
    const bool givenUp = std::exchange(ctx.waitGivenUp, false);
    for (size_t i = 0; i < data.size(); ++i) {
        if (CommResult sent = SendParameterByte(ctx, data.substr(i, 1)); !sent) return sent;
        if (i + 1 < data.size()) LinkPause(ctx, link::ParameterByteMs);
    }
    ctx.waitGivenUp = givenUp;
    return CommResult::Ok();
}

void ReportUnsent(AcquisitionContext& ctx, const std::string& text) {
    if (ctx.state.SimulationMode) return;
    ctx.op.MsgBox(text + "\nThe parameters have not been sent to the instrument.", MsgButtons::OkOnly,
                  MsgIcon::Exclamation);
}

bool WithPort(AcquisitionContext& ctx, const std::string& data) {
    const int16_t port = ctx.state.CommPortNumber;
    ctx.waitGivenUp = false;
    std::string problem;
    PortClaim claim = ClaimPort(ctx, port, link::FastSettings, &problem);
    if (claim == PortClaim::Refused) return false;  // the claim told the operator
    if (claim == PortClaim::Failed) {
        ReportUnsent(ctx, problem);
        return false;
    }
    const CommResult sent = SendBlock(ctx, data, true);
    ReleasePort(ctx, claim);
    if (!sent) ReportUnsent(ctx, PortFaultText(port, sent.error));
    return static_cast<bool>(sent);
}

// Only a whole block of all the parameters tells the instrument its scan number again.
bool Sent(AcquisitionContext& ctx, bool whole, bool allParameters) {
    if (!whole) ctx.state.InstrumentParametersUnknown = true;
    else if (allParameters) ctx.state.InstrumentParametersUnknown = false;
    return whole;
}

}  // namespace

int NextReadAddress(const ProgramState& s) {
    if (s.ReadAddressPending) return s.ReadAddress;
    return std::min(s.ReadAddress + 1, MemoryScans + 1);
}

std::string ParameterBlockBytes(const ProgramState& s) {
    return WordBytes(s.IntegrationTime) + WordBytes(s.NumToAverage) + WordBytes(0) +
           WordBytes(s.ScanNumber) + WordBytes(s.IntervalTenths) + WordBytes(NextReadAddress(s));
}

std::string ShortParameterBlockBytes(const ProgramState& s) {
    return WordBytes(s.IntegrationTime) + WordBytes(s.NumToAverage) + WordBytes(s.LampLevel);
}

bool SendParameterBlockOnOpenPort(AcquisitionContext& ctx) {
    ctx.state.LampLevel = 0;
    return Sent(ctx, static_cast<bool>(SendBlock(ctx, ParameterBlockBytes(ctx.state), false)), true);
}

bool ParameterBlock(AcquisitionContext& ctx) {
    ctx.state.LampLevel = 0;
    return Sent(ctx, WithPort(ctx, ParameterBlockBytes(ctx.state)), true);
}

bool ShortParameterBlock(AcquisitionContext& ctx) {
    return Sent(ctx, WithPort(ctx, ShortParameterBlockBytes(ctx.state)), false);
}

ParametersSent ParametersInStep(AcquisitionContext& ctx) {
    if (ctx.state.SimulationMode || !ctx.state.InstrumentParametersUnknown) return ParametersSent::InStep;
    if (!ParameterBlock(ctx)) return ParametersSent::Unsent;
    return ctx.waitGivenUp ? ParametersSent::GivenUp : ParametersSent::InStep;
}

}  // namespace tav
