#include "acquisition/ScanTransfer.h"

#include <algorithm>
#include <optional>
#include <string>
#include <utility>

#include "acquisition/FirmwareDownload.h"
#include "acquisition/LinkPort.h"
#include "acquisition/LinkProtocol.h"
#include "acquisition/LinkWords.h"
#include "acquisition/PairInStep.h"
#include "acquisition/ParameterBlocks.h"
#include "acquisition/WaitBound.h"
#include "platform/Clock.h"
#include "platform/Operator.h"
#include "platform/comm/CommControl.h"
#include "platform/comm/InstrumentMemory.h"
#include "shared/InstrumentTemperature.h"
#include "shared/ProgramState.h"

namespace tav {

namespace {

// Closes a port that this pair opened. A port that failed stays open for the pass's caller, which
// lets it go and tells the operator why: closing it would lose the reason.
void GiveBackPort(AcquisitionContext& ctx) {
    CommControl& comm = ctx.comm;
    if (!ctx.state.PortHeldOpen && comm.PortOpen() && comm.PortFault()) comm.SetPortOpen(false);
}

// The pass failed: the flows report a silent instrument. A port that this pair opened is
// given back at once, since no second pass will read on it.
TransferOutcome NoResponse(AcquisitionContext& ctx) {
    ctx.state.NoInstrumentResponse = true;
    // A read-out command moves the instrument's read pointer on whether or not its pair arrives
    // whole: the next read-out puts it where the screen says first.
    if (ctx.state.MemoryMode == memmode::Read) ctx.state.InstrumentParametersUnknown = true;
    GiveBackPort(ctx);
    return TransferOutcome::NoResponse;
}

// Listens at the loader's speed: anything heard means the instrument waits in its loader.
// nullopt when the port failed.
std::optional<bool> BootProbe(AcquisitionContext& ctx) {
    CommControl& comm = ctx.comm;
    // The last acknowledgement of the pair before must be heard at the speed it was sent at; the
    // other end of a pseudo-terminal reads it at the speed the line has by then.
    const double sinceAck = ctx.clock.MonotonicMs() - ctx.state.LastAcknowledgementMs;
    if (sinceAck < link::CloseAfterOutputMs) ctx.clock.Sleep(link::CloseAfterOutputMs - sinceAck);
    if (!comm.SetSettings(link::LoaderSettings)) return std::nullopt;
    comm.ClearInBuffer();
    LinkPause(ctx, link::ProbeSettleMs);
    comm.InputLen = 0;
    bool heard = !comm.Input().empty();
    if (!comm.LastReadResult() || !comm.SetSettings(link::FastSettings)) return std::nullopt;
    return heard;
}

// A running instrument speaks only when asked. Characters that come unasked after a firmware
// download are a loader still announcing itself, and would be taken for scan data.
bool LineChatters(AcquisitionContext& ctx) {
    CommControl& comm = ctx.comm;
    comm.ClearInBuffer();
    LinkPause(ctx, link::ProbeSettleMs);
    comm.InputLen = 0;
    return !comm.Input().empty() || !comm.LastReadResult();
}

struct CommandReply {
    bool portFailed = false;
    std::string text;  // empty: the instrument did not answer within the bound
};

// The scan command and its reply, the first word of the first block. The wait lasts the
// measuring time and more, a whole series in write mode: it keeps the program alive, and
// Escape gives it up. The instrument measures on all the same and then waits in its pair, which
// the next exchange on the port takes.
CommandReply SendScanCommand(AcquisitionContext& ctx) {
    CommControl& comm = ctx.comm;
    AwaitBlockEnd(ctx);
    comm.ClearInBuffer();
    if (!comm.Output(ByteText(ctx.state.MemoryMode))) return {true, ""};
    double boundMs = std::max(link::ScanReplyFloorMs, CommandMeasuringMs(ctx.state) + link::ScanReplyMarginMs);
    const double dueMs = ctx.clock.MonotonicMs() + boundMs;
    WaitBound bound(ctx, boundMs);
    CommandReply reply;
    while (reply.text.size() < link::ReplyChars) {
        comm.InputLen = static_cast<int16_t>(link::ReplyChars - reply.text.size());
        std::string got = comm.Input();
        if (!comm.LastReadResult()) return {true, ""};
        reply.text += got;
        if (reply.text.size() >= link::ReplyChars || bound.Expired()) break;
        if (got.empty()) bound.Pause();
    }
    if (reply.text.empty() && ctx.waitGivenUp) NoteOwedPair(ctx, dueMs);
    return reply;
}

// After every pass that read its blocks: a reading below the lowest is not believed.
void KeepTemperatureInRange(ProgramState& s) {
    s.Temperature = BelievedTemperature(s.Temperature);
}

// A pair answered late was broken by what the program sent while it waited, not by the blocks.
void NotePairFault(AcquisitionContext& ctx, PairFault fault) {
    if (ctx.pairFault != PairFault::LateReply) ctx.pairFault = fault;
}

// The pass fails at block `pairBlock` (1 to 16) of its pair for `fault`: the pair is finished in
// step, and the pair is no data.
TransferOutcome BrokenPair(AcquisitionContext& ctx, int pairBlock, PairFault fault) {
    NotePairFault(ctx, fault);
    if (Acknowledge(ctx)) FinishPair(ctx, pairBlock + 1, fault == PairFault::StoppedSending ? 1 : 0);
    return NoResponse(ctx);
}

// The 8 blocks of one pass into a raw column; `firstBlock` is where the pass starts in its pair
// (1 or 9). `reply` is the scan command's reply when the pass is the first after the command
// (word 0 of its block 1), nullptr otherwise. A block that is short or long fails the pass: its
// missing words would be read as counts of 0, its extra characters are noise on the line, and
// the rest of it cannot be trusted. A block of which nothing comes, also the first of a second
// pass, leaves the instrument in its pair: it may still wait for the acknowledgement before,
// lost on the line. Escape (through `beat`) ends the pass after the pair under way.
TransferOutcome ReadPass(AcquisitionContext& ctx, const std::string* reply, int columnIndex, int firstBlock,
                         KeepAliveBeat* beat) {
    CommControl& comm = ctx.comm;
    auto& column = ctx.state.RawCounts[columnIndex];
    comm.InputLen = 0;
    for (int b = 1; b <= link::BlocksPerPass; ++b) {
        const int pairBlock = firstBlock + b - 1;
        const bool afterReply = reply && b == 1;
        const size_t expected = afterReply ? link::BlockChars - link::ReplyChars : link::BlockChars;
        BlockText block = ReadBlockText(ctx, expected);
        if (block.portFailed || PortDead(ctx)) return NoResponse(ctx);
        if (block.text.empty()) return BrokenPair(ctx, pairBlock, PairFault::StoppedSending);
        if (block.text.size() < expected) return BrokenPair(ctx, pairBlock, PairFault::ShortBlock);
        if (block.extra) return BrokenPair(ctx, pairBlock, PairFault::LongBlock);
        const std::string& text = block.text;
        const int first = (b - 1) * link::PointsPerBlock;
        for (int w = 0; w < link::PointsPerBlock; ++w) {
            int32_t value = afterReply ? (w == 0 ? WordAt(*reply, 0) : WordAt(text, 2 * (w - 1)))
                                       : WordAt(text, 2 * w);
            column[first + w] = value;
        }
        if (!Acknowledge(ctx)) return NoResponse(ctx);
        if (beat && !beat->Beat()) {
            FinishPair(ctx, pairBlock + 1);
            return NoResponse(ctx);
        }
    }
    KeepTemperatureInRange(ctx.state);
    return TransferOutcome::Data;
}

// The reference pass of a pair whose scan command was answered with `reply`. A reply that does
// not complete its first word, or a wait that the operator gave up after the reply began, ends
// the pair in step as no data.
TransferOutcome ReadReferencePass(AcquisitionContext& ctx, const std::string& reply, int column,
                                  KeepAliveBeat* beat) {
    if (reply.size() < link::ReplyChars || ctx.waitGivenUp) {
        if (reply.size() < link::ReplyChars) NotePairFault(ctx, PairFault::ShortBlock);
        FinishPair(ctx, 1);
        return NoResponse(ctx);
    }
    return ReadPass(ctx, &reply, column, 1, beat);
}

// A read-out of n stored scans takes one command and one pair per scan: scans 1 to n - 1 whole,
// each pass into its own column, then the reference pass of scan n. Any pair that fails ends
// the read-out, and Escape ends it after the pair under way; no further command is sent.
TransferOutcome ReadReferencePasses(AcquisitionContext& ctx, const std::string& firstReply) {
    const int scans = ReadOutScans(ctx.state);
    if (scans == 1) return ReadReferencePass(ctx, firstReply, RawColumnOfPass(ctx.state), nullptr);
    KeepAliveBeat beat(ctx, link::KeepAliveAfterMs);
    std::string reply = firstReply;
    for (int scan = 1; scan < scans; ++scan) {
        if (ReadReferencePass(ctx, reply, 2 * scan, &beat) != TransferOutcome::Data) return TransferOutcome::NoResponse;
        if (ReadPass(ctx, nullptr, 2 * scan - 1, link::BlocksPerPass + 1, &beat) != TransferOutcome::Data)
            return TransferOutcome::NoResponse;
        if (ctx.waitGivenUp) return NoResponse(ctx);
        const CommandReply next = SendScanCommand(ctx);
        if (next.portFailed || next.text.empty()) return NoResponse(ctx);
        reply = next.text;
    }
    return ReadReferencePass(ctx, reply, RawColumnOfPass(ctx.state), &beat);
}

TransferOutcome ReadSecondPass(AcquisitionContext& ctx) {
    ProgramState& s = ctx.state;
    const int column = RawColumnOfPass(s);
    TransferOutcome outcome = ReadPass(ctx, nullptr, column, link::BlocksPerPass + 1, nullptr);
    if (outcome != TransferOutcome::Data) return outcome;
    s.Temperature = TemperatureOfWord(s.RawCounts[column][TemperaturePoint]);
    return outcome;
}

// The port again at the line speed of scans once the download has closed it. A port that cannot
// be opened again is told, and is no longer held by timed acquisition.
bool ReopenAfterDownload(AcquisitionContext& ctx) {
    ProgramState& s = ctx.state;
    CommControl& comm = ctx.comm;
    comm.CommPort = s.CommPortNumber;
    CommResult opened = comm.SetSettings(link::FastSettings);
    if (opened) opened = comm.SetPortOpen(true);
    if (opened) return true;
    s.PortHeldOpen = false;
    ReportPortFailure(ctx, PortFailureText(s.CommPortNumber, opened.error));
    return false;
}

// The stored scans from the next read address to the end of the memory.
int ScansLeftToRead(const ProgramState& s) { return MemoryScans + 1 - NextReadAddress(s); }

bool ReadOutTooLarge(AcquisitionContext& ctx) {
    const ProgramState& s = ctx.state;
    if (ReadOutFits(s)) return false;
    std::string text;
    if (s.ScanNumber > MaxReadOutScans) {
        text = "A read-out of " + std::to_string(s.ScanNumber) + " stored scans at once cannot be kept: at most " +
               std::to_string(MaxReadOutScans) + " fit.\nSet Scan# to " + std::to_string(MaxReadOutScans) + " or less.";
    } else {
        const int left = ScansLeftToRead(s);
        const int scans = ReadOutScans(s);
        text = "A read-out of " + std::to_string(scans) + (scans == 1 ? " stored scan" : " stored scans") + " from address " +
               std::to_string(NextReadAddress(s)) + " runs past the last one, " + std::to_string(MemoryScans) + ".\n" +
               (left > 0 ? "Set Scan# to " + std::to_string(left) + " or less."
                         : "Enter a read address of " + std::to_string(MemoryScans) + " or less.");
    }
    ctx.op.MsgBox(text, MsgButtons::OkOnly, MsgIcon::Exclamation);
    return true;
}

}  // namespace

double CommandMeasuringMs(const ProgramState& s) {
    auto sent = [](int32_t v) { return static_cast<double>(std::clamp<int32_t>(v, 0, link::MaxWordSent)); };
    double one = sent(s.NumToAverage) * sent(s.IntegrationTime) / 10.0;
    // A scan command in write mode takes ScanNumber measurements, IntervalTenths apart.
    double scans = s.MemoryMode == memmode::Normal && s.ScanNumber > 0 ? sent(s.ScanNumber) : 1.0;
    return scans * one + (scans - 1) * sent(s.IntervalTenths) * 100.0;
}

bool ReadOutFits(const ProgramState& s) {
    return s.MemoryMode != memmode::Read || (s.ScanNumber <= MaxReadOutScans && ReadOutScans(s) <= ScansLeftToRead(s));
}

int ReadOutScans(const ProgramState& s) {
    if (s.MemoryMode != memmode::Read || s.ScanNumber < 2) return 1;
    return std::min<int>(s.ScanNumber, MaxReadOutScans);
}

int RawColumnOfPass(const ProgramState& s) {
    const int n = ReadOutScans(s);
    if (n == 1) return 1;
    return s.ReferencePass ? 2 * n : 2 * n - 1;
}

TransferOutcome TransferScan(AcquisitionContext& ctx) {
    ProgramState& s = ctx.state;
    CommControl& comm = ctx.comm;
    if (!s.ReferencePass) {
        if (s.NoInstrumentResponse || !comm.PortOpen()) return NoResponse(ctx);
        return ReadSecondPass(ctx);
    }

    // On a port held open the link is probed again after a failed pass: the instrument may have
    // restarted into its loader, whose announcements must not be read as a spectrum.
    bool loader = false;
    if (!s.PortHeldOpen || s.NoInstrumentResponse) {
        std::optional<bool> heard = BootProbe(ctx);
        if (!heard) return NoResponse(ctx);
        loader = *heard;
    }
    // Once any of the reply has come the instrument is in its pair, and the pair is finished
    // in step whatever happens next.
    CommandReply reply;
    auto ended = [&ctx](const CommandReply& r) { return r.portFailed || (ctx.waitGivenUp && r.text.empty()); };
    const bool commandSent = !loader;
    if (!loader) {
        reply = SendScanCommand(ctx);
        if (ended(reply)) return NoResponse(ctx);
        // No reply: before the instrument is taken to wait in its loader, it may be in an earlier
        // pair, waiting for an acknowledgement lost on the line. Parameters sent to it meanwhile
        // were lost on it, so they go again before the command does.
        if (reply.text.empty() && PairWasUnderWay(ctx)) {
            if (!SendParameterBlockOnOpenPort(ctx)) return NoResponse(ctx);
            reply = SendScanCommand(ctx);
            if (ended(reply)) return NoResponse(ctx);
        }
        if (PortDead(ctx)) return NoResponse(ctx);
        loader = reply.text.empty();
    }
    if (loader) {
        comm.SetPortOpen(false);
        DownloadFirmware(ctx);
        // A port that failed in the download is still open, for the caller to let go.
        if (ctx.waitGivenUp || ctx.portFailed || comm.PortOpen() || !ReopenAfterDownload(ctx) || LineChatters(ctx))
            return NoResponse(ctx);
        const bool noFirmwareTaken = s.NoInstrumentResponse;
        reply = SendScanCommand(ctx);
        if (reply.portFailed || ended(reply)) return NoResponse(ctx);
        // The first command's pair may have begun while the line ran at the loader's speed: its
        // first block was lost, and the instrument, waiting for that block's acknowledgement,
        // lost this command too. Its pair is taken in step, as an answer that came late.
        if (reply.text.empty()) {
            if (commandSent && noFirmwareTaken && PairWasUnderWay(ctx)) ctx.pairFault = PairFault::LateReply;
            return NoResponse(ctx);
        }
        // No loader took the firmware, yet the instrument answers: it was measuring all along,
        // and what went out meanwhile (the acknowledgement that looked for an earlier pair, the
        // wake-up, the command again) may have put it out of step with its blocks.
        if (commandSent && noFirmwareTaken) ctx.pairFault = PairFault::LateReply;
    }
    s.NoInstrumentResponse = false;
    return ReadReferencePasses(ctx, reply.text);
}

std::string PairFaultText(PairFault fault) {
    switch (fault) {
        case PairFault::None: return "";
        case PairFault::ShortBlock: return "A block from the instrument had fewer characters than a block holds.";
        case PairFault::LongBlock: return "A block from the instrument had more characters than a block holds.";
        case PairFault::StoppedSending: return "The instrument stopped sending in the middle of a scan.";
        case PairFault::LateReply: return "The instrument answered the scan command later than it should.";
    }
    return "";
}

TransferOutcome OpenPortAndTransfer(AcquisitionContext& ctx) {
    ProgramState& s = ctx.state;
    CommControl& comm = ctx.comm;
    TransferOutcome outcome;
    if (s.ReferencePass) {
        ctx.waitGivenUp = false;
        ctx.pairFault = PairFault::None;
        if (ReadOutTooLarge(ctx)) return TransferOutcome::Refused;
        // A scan command's meaning depends on the scan number the instrument holds. Escape in the
        // wait for the block's reply gives the scan up, as in any wait of the pass.
        switch (ParametersInStep(ctx)) {
            case ParametersSent::InStep: break;
            case ParametersSent::Unsent: return TransferOutcome::Refused;
            case ParametersSent::GivenUp: return NoResponse(ctx);
        }
        std::string problem;
        PortClaim claim = ClaimPort(ctx, s.CommPortNumber, link::FastSettings, &problem);
        if (claim == PortClaim::Refused) return TransferOutcome::Refused;
        // The wait for an earlier pair, given up with Escape, ends the pass as no data.
        if (claim == PortClaim::Failed && !ctx.waitGivenUp) ReportPortFailure(ctx, problem);
        outcome = PortUsable(claim) ? TransferScan(ctx) : NoResponse(ctx);
    } else if (s.PortHeldOpen && comm.PortOpen() && comm.CommPort != s.CommPortNumber) {
        return TransferOutcome::Refused;  // its reference pass was refused and told the operator
    } else {
        outcome = TransferScan(ctx);
    }
    if (!s.ReferencePass) GiveBackPort(ctx);
    return outcome;
}

}  // namespace tav
