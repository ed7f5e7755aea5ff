#include "acquisition/ScanTransfer.h"

#include <algorithm>
#include <optional>
#include <string>

#include "acquisition/FirmwareDownload.h"
#include "acquisition/LinkPort.h"
#include "acquisition/LinkProtocol.h"
#include "acquisition/LinkWords.h"
#include "acquisition/WaitBound.h"
#include "platform/Operator.h"
#include "platform/comm/CommControl.h"
#include "shared/ProgramState.h"

namespace tav {

namespace {

// The pass failed: the flows report a silent instrument. A port that this pair opened is
// given back at once, since no second pass will read on it.
TransferOutcome NoResponse(AcquisitionContext& ctx) {
    ctx.state.NoInstrumentResponse = true;
    if (!ctx.state.PortHeldOpen && ctx.comm.PortOpen()) ctx.comm.SetPortOpen(false);
    return TransferOutcome::NoResponse;
}

// Listens at the loader's speed: anything heard means the instrument waits in its loader.
// nullopt when the port failed.
std::optional<bool> BootProbe(AcquisitionContext& ctx) {
    CommControl& comm = ctx.comm;
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
// Escape gives it up.
CommandReply SendScanCommand(AcquisitionContext& ctx) {
    CommControl& comm = ctx.comm;
    comm.ClearInBuffer();
    if (!comm.Output(ByteText(ctx.state.MemoryMode))) return {true, ""};
    double boundMs = std::max(link::ScanReplyFloorMs, CommandMeasuringMs(ctx.state) + link::ScanReplyMarginMs);
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
    return reply;
}

// After every pass that read its blocks: a reading below the lowest is not believed.
void KeepTemperatureInRange(ProgramState& s) {
    if (s.Temperature < link::LowestTemperature) s.Temperature = link::FallbackTemperature;
}

// A block read 20 ms after its acknowledgement; one that is short then is read on until it is
// complete or the grace time is over.
std::string ReadBlockText(AcquisitionContext& ctx, size_t expected) {
    CommControl& comm = ctx.comm;
    LinkPause(ctx, link::BlockWaitMs);
    std::string text = comm.Input();
    if (text.size() >= expected || !comm.LastReadResult()) return text;
    WaitBound grace(ctx, link::ShortBlockGraceMs);
    while (text.size() < expected && !grace.Expired()) {
        std::string more = comm.Input();
        if (!comm.LastReadResult()) break;
        if (more.empty()) grace.Pause();
        text += more;
    }
    return text;
}

// The 8 blocks of one pass into a raw column. `reply` is the scan command's reply when the pass
// is the first after the command (word 0 of its block 1), nullptr otherwise. A block that stays
// short fails the pass: its missing words would be read as counts of 0, and any later block
// would be out of step. Characters beyond a block are dropped with it.
TransferOutcome ReadPass(AcquisitionContext& ctx, const std::string* reply, int columnIndex,
                         KeepAliveBeat* beat) {
    CommControl& comm = ctx.comm;
    auto& column = ctx.state.RawCounts[columnIndex];
    comm.InputLen = 0;
    for (int b = 1; b <= link::BlocksPerPass; ++b) {
        const bool afterReply = reply && b == 1;
        const size_t expected = afterReply ? link::BlockChars - link::ReplyChars : link::BlockChars;
        std::string text = ReadBlockText(ctx, expected);
        if (text.size() < expected || !comm.LastReadResult()) return NoResponse(ctx);
        const int first = (b - 1) * link::PointsPerBlock;
        for (int w = 0; w < link::PointsPerBlock; ++w) {
            int32_t value = afterReply ? (w == 0 ? WordAt(*reply, 0) : WordAt(text, 2 * (w - 1)))
                                       : WordAt(text, 2 * w);
            column[first + w] = value;
        }
        comm.ClearInBuffer();
        if (!comm.Output(ByteText(link::BlockAck))) return NoResponse(ctx);
        if (beat && !beat->Beat()) return NoResponse(ctx);
    }
    KeepTemperatureInRange(ctx.state);
    return TransferOutcome::Data;
}

// The reference pass after the command's reply: in a read-out of several stored scans first the
// pairs of all scans but the last, then the last scan's reference pass.
TransferOutcome ReadReferencePasses(AcquisitionContext& ctx, const std::string& reply) {
    const int scans = ReadOutScans(ctx.state);
    std::optional<KeepAliveBeat> beat;
    if (scans > 1) beat.emplace(ctx, link::KeepAliveAfterMs);
    KeepAliveBeat* alive = beat ? &*beat : nullptr;
    const std::string* first = &reply;
    for (int scan = 1; scan < scans; ++scan) {
        if (ReadPass(ctx, first, 2 * scan, alive) != TransferOutcome::Data) return TransferOutcome::NoResponse;
        first = nullptr;
        if (ReadPass(ctx, nullptr, 2 * scan - 1, alive) != TransferOutcome::Data) return TransferOutcome::NoResponse;
    }
    return ReadPass(ctx, first, RawColumnOfPass(ctx.state), alive);
}

TransferOutcome ReadSecondPass(AcquisitionContext& ctx) {
    ProgramState& s = ctx.state;
    const int column = RawColumnOfPass(s);
    TransferOutcome outcome = ReadPass(ctx, nullptr, column, nullptr);
    if (outcome != TransferOutcome::Data) return outcome;
    s.Temperature = static_cast<float>(s.RawCounts[column][link::TemperaturePoint] * link::DegreesPerCount);
    KeepTemperatureInRange(s);
    return outcome;
}

bool ReadOutTooLarge(AcquisitionContext& ctx) {
    const ProgramState& s = ctx.state;
    if (ReadOutFits(s)) return false;
    ctx.op.MsgBox("A read-out of " + std::to_string(s.ScanNumber) + " stored scans at once cannot be kept: at most " +
                      std::to_string(MaxReadOutScans) + " fit.\nSet Scan# to " + std::to_string(MaxReadOutScans) +
                      " or less.",
                  MsgButtons::OkOnly, MsgIcon::Exclamation);
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

bool ReadOutFits(const ProgramState& s) { return s.MemoryMode != memmode::Read || s.ScanNumber <= MaxReadOutScans; }

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
    CommandReply reply;
    if (!loader) {
        reply = SendScanCommand(ctx);
        if (reply.portFailed || ctx.waitGivenUp) return NoResponse(ctx);
        loader = reply.text.empty();
    }
    if (loader) {
        comm.SetPortOpen(false);
        DownloadFirmware(ctx);
        if (ctx.waitGivenUp) return NoResponse(ctx);
        comm.CommPort = s.CommPortNumber;
        if (!comm.SetSettings(link::FastSettings) || !comm.SetPortOpen(true) || LineChatters(ctx))
            return NoResponse(ctx);
        reply = SendScanCommand(ctx);
        if (reply.portFailed || ctx.waitGivenUp || reply.text.empty()) return NoResponse(ctx);
    }
    // A reply that never completes its first word cannot start a block.
    if (reply.text.size() < link::ReplyChars) return NoResponse(ctx);
    s.NoInstrumentResponse = false;
    return ReadReferencePasses(ctx, reply.text);
}

TransferOutcome OpenPortAndTransfer(AcquisitionContext& ctx) {
    ProgramState& s = ctx.state;
    CommControl& comm = ctx.comm;
    TransferOutcome outcome;
    if (s.ReferencePass) {
        ctx.waitGivenUp = false;
        if (ReadOutTooLarge(ctx)) return TransferOutcome::Refused;
        std::string why;
        PortClaim claim = ClaimPort(ctx, s.CommPortNumber, link::FastSettings, &why);
        if (claim == PortClaim::Refused) return TransferOutcome::Refused;
        if (claim == PortClaim::Failed) ReportPortFailure(ctx, s.CommPortNumber, why);
        outcome = PortUsable(claim) ? TransferScan(ctx) : NoResponse(ctx);
    } else if (s.PortHeldOpen && comm.PortOpen() && comm.CommPort != s.CommPortNumber) {
        return TransferOutcome::Refused;  // its reference pass was refused and told the operator
    } else {
        outcome = TransferScan(ctx);
    }
    if (!s.ReferencePass && !s.PortHeldOpen && comm.PortOpen()) comm.SetPortOpen(false);
    return outcome;
}

}  // namespace tav
