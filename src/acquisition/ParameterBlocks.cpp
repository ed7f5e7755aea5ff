#include "acquisition/ParameterBlocks.h"

#include <algorithm>
#include <utility>

#include "acquisition/LinkPort.h"
#include "acquisition/LinkProtocol.h"
#include "acquisition/LinkWords.h"
#include "acquisition/PairInStep.h"
#include "acquisition/WaitBound.h"
#include "platform/Operator.h"
#include "platform/comm/CommControl.h"
#include "platform/comm/InstrumentMemory.h"
#include "shared/ProgramState.h"

namespace tav {

namespace {

// How a block went: the port's failure, or an instrument that did not take its command.
struct BlockSent {
    CommResult port = CommResult::Ok();
    bool answered = true;
    explicit operator bool() const { return port.ok && answered; }
};

// What came after 0x01 within the bound.
enum class CommandReply {
    None,
    Answer,
    Block,  // as long as a scan block: one of a pair the instrument still sends, not an answer
};

// 0x01 and any reply, within the bound. The reply is not examined, but a reply as long as half a
// scan block is no answer to the command: it is a block of a pair that came later than every
// bound, whose instrument waits for its acknowledgement and did not hear the command.
CommandReply SendBlockCommand(AcquisitionContext& ctx, CommResult& port) {
    CommControl& comm = ctx.comm;
    AwaitBlockEnd(ctx);  // a block after a block
    comm.ClearInBuffer();
    if (port = SendParameterByte(ctx, std::string(1, link::ParameterCommand)); !port) return CommandReply::None;
    WaitBound bound(ctx, link::ParameterReplyMs);
    comm.InputLen = 0;  // all that came, to tell an answer from a block
    std::string reply;
    while (reply.empty() && !bound.Expired()) {
        reply = comm.Input();
        if (!comm.LastReadResult()) {
            port = comm.LastReadResult();
            return CommandReply::None;
        }
        if (reply.empty()) bound.Pause();
    }
    if (reply.empty()) return CommandReply::None;
    // At the line's speed a block is out in 6 ms; an answer is a few characters.
    LinkPause(ctx, link::ParameterByteMs);
    reply += comm.Input();
    if (!comm.LastReadResult()) {
        port = comm.LastReadResult();
        return CommandReply::None;
    }
    return reply.size() >= link::BlockChars / 2 ? CommandReply::Block : CommandReply::Answer;
}

// 0x01, then any reply or the bound, then the bytes with the pause after all but the last.
// An instrument that does not answer within the bound, or answers with a block, did not take the
// command: it may wait in a pair for an acknowledgement lost on the line or a pair that came
// late (one goes out, and its blocks are taken in step) or still be busy with a block of its
// own, so the command goes once more. Still unanswered, the data bytes stay unsent, Escape or
// not: to such an instrument they would be commands of their own (a 0x05 an acknowledgement, a
// 0x02 a scan, a 0x40 an erase). A block of its own whose command was answered goes on after
// Escape (an instrument left with half a block would take the next command for its bytes), the
// exchange given up once it is out; inside a longer exchange the exchange ends at once.
BlockSent SendBlock(AcquisitionContext& ctx, const std::string& data, bool ownExchange) {
    BlockSent sent;
    CommandReply reply = SendBlockCommand(ctx, sent.port);
    // Once more after a silence; after a block, until the pair it belongs to has been taken.
    for (int retry = 0; retry < 2 && (retry == 0 || reply == CommandReply::Block); ++retry) {
        if (reply == CommandReply::Answer || !sent.port || ctx.waitGivenUp) break;
        PairWasUnderWay(ctx);
        if (PortDead(ctx)) {
            sent.port = CommResult::Fail(ctx.comm.LastReadResult() ? ctx.comm.PortFault().error
                                                                   : ctx.comm.LastReadResult().error);
            break;
        }
        reply = SendBlockCommand(ctx, sent.port);
    }
    const bool answered = reply == CommandReply::Answer;
    if (!sent.port) return sent;
    if (ctx.waitGivenUp && !ownExchange) {
        sent.port = CommResult::Fail("given up");
        return sent;
    }
    if (!answered) {
        sent.answered = false;  // given up or not: the data bytes would be commands to it
        return sent;
    }
    const bool givenUp = std::exchange(ctx.waitGivenUp, false);
    for (size_t i = 0; i < data.size(); ++i) {
        if (sent.port = SendParameterByte(ctx, data.substr(i, 1)); !sent.port) return sent;
        if (i + 1 < data.size()) LinkPause(ctx, link::ParameterByteMs);
    }
    ctx.waitGivenUp = givenUp;
    return sent;
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
    const BlockSent sent = SendBlock(ctx, data, true);
    ReleasePort(ctx, claim);
    if (!sent.port) ReportUnsent(ctx, PortFaultText(port, sent.port.error));
    else if (!sent.answered) ReportUnsent(ctx, "The instrument on COM" + std::to_string(port) + " did not answer the parameter command.");
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
