#include "acquisition/ScanTransfer.h"

#include <algorithm>
#include <optional>
#include <string>

#include "acquisition/Delay.h"
#include "acquisition/FirmwareDownload.h"
#include "acquisition/LinkPort.h"
#include "acquisition/LinkProtocol.h"
#include "acquisition/LinkWords.h"
#include "acquisition/WaitBound.h"
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
    Delay(ctx.clock, link::ProbeSettleMs);
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
    Delay(ctx.clock, link::ProbeSettleMs);
    comm.InputLen = 0;
    return !comm.Input().empty() || !comm.LastReadResult();
}

struct CommandReply {
    bool portFailed = false;
    std::string text;  // empty: the instrument did not answer within the bound
};

// The scan command and its reply, the first word of the reference pass.
CommandReply SendScanCommand(AcquisitionContext& ctx) {
    CommControl& comm = ctx.comm;
    comm.ClearInBuffer();
    if (!comm.Output(ByteText(ctx.state.MemoryMode))) return {true, ""};
    double boundMs = std::max(link::ScanReplyFloorMs, CommandMeasuringMs(ctx.state) + link::ScanReplyMarginMs);
    WaitBound bound(ctx.clock, boundMs);
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

// A block read 20 ms after its acknowledgement; one that is short then is read on until it is
// complete or the grace time is over.
std::string ReadBlockText(AcquisitionContext& ctx, size_t expected) {
    CommControl& comm = ctx.comm;
    Delay(ctx.clock, link::BlockWaitMs);
    std::string text = comm.Input();
    if (text.size() >= expected || !comm.LastReadResult()) return text;
    WaitBound grace(ctx.clock, link::ShortBlockGraceMs);
    while (text.size() < expected && !grace.Expired()) {
        std::string more = comm.Input();
        if (!comm.LastReadResult()) break;
        if (more.empty()) grace.Pause();
        text += more;
    }
    return text;
}

// The 8 blocks of a pass into column 1. `reply` is the scan command's reply in a reference
// pass (word 0 of block 1), nullopt in a second pass.
TransferOutcome ReadBlocks(AcquisitionContext& ctx, const std::optional<std::string>& reply) {
    CommControl& comm = ctx.comm;
    ProgramState& s = ctx.state;
    auto& column = s.RawCounts[1];
    comm.InputLen = 0;
    for (int b = 1; b <= link::BlocksPerPass; ++b) {
        const bool firstOfReference = reply && b == 1;
        const size_t expected = firstOfReference ? link::BlockChars - link::ReplyChars : link::BlockChars;
        std::string text = ReadBlockText(ctx, expected);
        // A block of which nothing came means the link is gone: what follows would be stale.
        if (text.empty() || !comm.LastReadResult()) return NoResponse(ctx);
        const int first = (b - 1) * link::PointsPerBlock;
        for (int w = 0; w < link::PointsPerBlock; ++w) {
            int32_t value = firstOfReference ? (w == 0 ? WordAt(*reply, 0) : WordAt(text, 2 * (w - 1)))
                                             : WordAt(text, 2 * w);
            column[first + w] = value;
        }
        comm.ClearInBuffer();  // characters beyond the block go with it
        if (!comm.Output(ByteText(link::BlockAck))) return NoResponse(ctx);
    }
    if (!reply) s.Temperature = static_cast<float>(column[link::TemperaturePoint] * link::DegreesPerCount);
    if (s.Temperature < link::LowestTemperature) s.Temperature = link::FallbackTemperature;
    return TransferOutcome::Data;
}

}  // namespace

double CommandMeasuringMs(const ProgramState& s) {
    auto sent = [](int32_t v) { return static_cast<double>(std::clamp<int32_t>(v, 0, link::MaxWordSent)); };
    double one = sent(s.NumToAverage) * sent(s.IntegrationTime) / 10.0;
    // A scan command in write mode takes ScanNumber measurements, IntervalTenths apart.
    double scans = s.MemoryMode == memmode::Normal && s.ScanNumber > 0 ? sent(s.ScanNumber) : 1.0;
    return scans * one + (scans - 1) * sent(s.IntervalTenths) * 100.0;
}

TransferOutcome TransferScan(AcquisitionContext& ctx) {
    ProgramState& s = ctx.state;
    CommControl& comm = ctx.comm;
    if (!s.ReferencePass) {
        if (s.NoInstrumentResponse || !comm.PortOpen()) return NoResponse(ctx);
        return ReadBlocks(ctx, std::nullopt);
    }

    bool loader = false;
    if (!s.PortHeldOpen) {
        std::optional<bool> heard = BootProbe(ctx);
        if (!heard) return NoResponse(ctx);
        loader = *heard;
    }
    CommandReply reply;
    if (!loader) {
        reply = SendScanCommand(ctx);
        if (reply.portFailed) return NoResponse(ctx);
        loader = reply.text.empty();
    }
    if (loader) {
        comm.SetPortOpen(false);
        DownloadFirmware(ctx);
        comm.CommPort = s.CommPortNumber;
        if (!comm.SetSettings(link::FastSettings) || !comm.SetPortOpen(true) || LineChatters(ctx))
            return NoResponse(ctx);
        reply = SendScanCommand(ctx);
        if (reply.portFailed || reply.text.empty()) return NoResponse(ctx);
    }
    s.NoInstrumentResponse = false;
    return ReadBlocks(ctx, reply.text);
}

TransferOutcome OpenPortAndTransfer(AcquisitionContext& ctx) {
    ProgramState& s = ctx.state;
    CommControl& comm = ctx.comm;
    TransferOutcome outcome;
    if (s.ReferencePass) {
        PortClaim claim = ClaimPort(ctx, s.CommPortNumber, link::FastSettings);
        if (claim == PortClaim::Refused) return TransferOutcome::Refused;
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
