#include "acquisition/PairInStep.h"

#include <utility>

#include "acquisition/LinkPort.h"
#include "acquisition/LinkProtocol.h"
#include "acquisition/LinkWords.h"
#include "acquisition/WaitBound.h"
#include "platform/Clock.h"
#include "platform/Delay.h"
#include "platform/comm/CommControl.h"
#include "shared/ProgramState.h"

namespace tav {

namespace {

constexpr int BlocksPerPair = 2 * link::BlocksPerPass;

// Blocks of a pair whose place the program does not know, each acknowledged as it comes, until
// the pair's count is reached or two in a row do not come: the instrument has ended its pair. A
// block that does not come after one did may have been lost on the line, its instrument waiting
// for its acknowledgement: one goes out for it. When the first does not come, there is no pair.
int TakeBlocksAsTheyCome(AcquisitionContext& ctx) {
    ctx.comm.InputLen = 0;
    int taken = 0, silent = 0;
    while (taken + silent < BlocksPerPair) {
        const BlockText block = ReadBlockText(ctx, link::BlockChars);
        if (block.portFailed || PortDead(ctx)) break;
        if (!block.text.empty()) {
            ++taken;
            silent = 0;
        } else if (taken == 0 || ++silent >= 2) {
            break;
        }
        if (!Acknowledge(ctx)) break;
    }
    return taken;
}

}  // namespace

bool PortDead(AcquisitionContext& ctx) { return !ctx.comm.LastReadResult() || !ctx.comm.PortFault(); }

BlockText ReadBlockText(AcquisitionContext& ctx, size_t expected) {
    CommControl& comm = ctx.comm;
    LinkPause(ctx, link::BlockWaitMs);
    BlockText block{comm.Input()};
    bool late = false;
    if (block.text.size() < expected && comm.LastReadResult()) {
        late = true;
        WaitBound grace(ctx, link::ShortBlockGraceMs);
        while (block.text.size() < expected && !grace.Expired()) {
            std::string more = comm.Input();
            if (!comm.LastReadResult()) break;
            if (more.empty()) grace.Pause();
            block.text += more;
        }
    }
    if (!comm.LastReadResult()) return {block.text, true, false};
    if (block.text.size() >= expected) {
        // A block that came late may still be arriving: its last characters get a moment.
        if (late) ctx.clock.Sleep(SleepPollMs);
        const bool waiting = comm.InBufferCount() > 0;
        if (!comm.LastReadResult()) return {block.text, true, false};
        block.extra = block.text.size() > expected || waiting;
    }
    return block;
}

bool Acknowledge(AcquisitionContext& ctx) {
    AwaitBlockEnd(ctx);
    ctx.comm.ClearInBuffer();
    const bool sent = static_cast<bool>(ctx.comm.Output(ByteText(link::BlockAck)));
    ctx.state.LastAcknowledgementMs = ctx.clock.MonotonicMs();
    return sent;
}

void FinishPair(AcquisitionContext& ctx, int next, int quiet) {
    const bool givenUp = std::exchange(ctx.waitGivenUp, false);
    bool nudged = quiet > 0;
    for (int b = next; b <= 2 * BlocksPerPair; ++b) {
        const bool pastCount = b > BlocksPerPair;
        if (pastCount && !nudged) break;
        const BlockText block = ReadBlockText(ctx, link::BlockChars);
        if (block.portFailed || PortDead(ctx)) break;
        if (pastCount && block.text.empty()) break;
        quiet = block.text.empty() ? quiet + 1 : 0;
        if (quiet >= 2) break;
        nudged = nudged || quiet == 1;
        if (!Acknowledge(ctx)) break;
    }
    ctx.waitGivenUp = givenUp || ctx.waitGivenUp;
}

void NoteOwedPair(AcquisitionContext& ctx, double dueMs) {
    ctx.state.OwedPairPort = ctx.comm.CommPort;
    ctx.state.OwedPairDueMs = dueMs;
}

bool TakeOwedPair(AcquisitionContext& ctx) {
    ProgramState& s = ctx.state;
    CommControl& comm = ctx.comm;
    ctx.waitGivenUp = false;
    bool heard = comm.InBufferCount() > 0;
    if (const double left = s.OwedPairDueMs + link::OwedPairGraceMs - ctx.clock.MonotonicMs(); !heard && left > 0) {
        WaitBound due(ctx, left);
        while (!heard && comm.LastReadResult() && !due.Expired()) {
            due.Pause();
            heard = comm.InBufferCount() > 0;
        }
        if (ctx.waitGivenUp) return false;
    }
    if (PortDead(ctx)) return false;
    if (heard) TakeBlocksAsTheyCome(ctx);
    else PairWasUnderWay(ctx);
    s.OwedPairPort = 0;
    return !PortDead(ctx);
}

bool PairWasUnderWay(AcquisitionContext& ctx) {
    if (!Acknowledge(ctx)) return false;
    return TakeBlocksAsTheyCome(ctx) > 0;
}

}  // namespace tav
