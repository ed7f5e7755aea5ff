#include "acquisition/LinkPort.h"

#include <string>

#include "acquisition/LinkProtocol.h"
#include "acquisition/PairInStep.h"
#include "acquisition/WaitBound.h"
#include "platform/Clock.h"
#include "platform/Operator.h"
#include "platform/comm/CommControl.h"
#include "shared/ProgramState.h"

namespace tav {

namespace {

constexpr const char* OwedPairText = "The instrument is still busy with the scan that was given up with Escape.";

PortClaim Failed(std::string* problem, const std::string& text) {
    if (problem) *problem = text;
    return PortClaim::Failed;
}

// The port as timed acquisition holds it, at `settings`. A held port that fails is let go.
PortClaim ClaimHeldPort(AcquisitionContext& ctx, int16_t port, const char* settings, std::string* problem) {
    CommControl& comm = ctx.comm;
    if (comm.CommPort != port) {
        ctx.op.MsgBox("COM" + std::to_string(comm.CommPort) +
                          " is held open by AutoScan.\nPress Escape to stop AutoScan before using COM" +
                          std::to_string(port) + ".",
                      MsgButtons::OkOnly, MsgIcon::Exclamation);
        return PortClaim::Refused;
    }
    if (CommResult set = comm.SetSettings(settings); !set) {
        std::string why;
        LetFailedPortGo(ctx, why);
        return Failed(problem, PortFaultText(port, set.error));
    }
    return PortClaim::Held;
}

PortClaim OpenPort(AcquisitionContext& ctx, int16_t port, const char* settings, std::string* problem) {
    CommControl& comm = ctx.comm;
    if (comm.PortOpen()) comm.SetPortOpen(false);  // left open by an exchange that failed
    comm.CommPort = port;
    CommResult opened = comm.SetSettings(settings);
    if (opened) opened = comm.SetPortOpen(true);
    if (!opened) return Failed(problem, PortFailureText(port, opened.error));
    return PortClaim::Opened;
}

}  // namespace

PortClaim ClaimPort(AcquisitionContext& ctx, int16_t port, const char* settings, std::string* problem) {
    CommControl& comm = ctx.comm;
    std::string failed;
    LetFailedPortGo(ctx, failed);  // opened afresh below
    const PortClaim claim = ctx.state.PortHeldOpen && comm.PortOpen() ? ClaimHeldPort(ctx, port, settings, problem)
                                                                       : OpenPort(ctx, port, settings, problem);
    if (!PortUsable(claim) || ctx.state.OwedPairPort != port || TakeOwedPair(ctx)) return claim;
    if (LetFailedPortGo(ctx, failed)) return Failed(problem, PortFaultText(port, failed));
    if (claim == PortClaim::Opened) comm.SetPortOpen(false);
    return Failed(problem, OwedPairText);
}

std::string PortFailureText(int16_t port, const std::string& why) {
    std::string text = "The serial port COM" + std::to_string(port) + " could not be opened";
    return why.empty() ? text + "." : text + ":\n" + why;
}

void ReportPortFailure(AcquisitionContext& ctx, const std::string& text) {
    ctx.portFailed = true;
    ctx.op.MsgBox(text, MsgButtons::OkOnly, MsgIcon::Exclamation);
}

std::string PortFaultText(int16_t port, const std::string& why) {
    return "The serial port COM" + std::to_string(port) + " failed:\n" + why;
}

void ReleasePort(AcquisitionContext& ctx, PortClaim claim) {
    std::string why;
    if (LetFailedPortGo(ctx, why)) return;
    if (claim == PortClaim::Opened) ClosePortAfterOutput(ctx);
}

bool LetFailedPortGo(AcquisitionContext& ctx, std::string& why) {
    CommControl& comm = ctx.comm;
    const CommResult fault = comm.PortFault();
    if (fault) return false;
    why = fault.error;
    comm.SetPortOpen(false);
    ctx.state.PortHeldOpen = false;
    // Whatever comes back on the port (another instrument plugged in) holds parameters of its own.
    ctx.state.InstrumentParametersUnknown = true;
    return true;
}

void ClosePortAfterOutput(AcquisitionContext& ctx) {
    if (!ctx.comm.PortOpen()) return;
    ctx.clock.Sleep(link::CloseAfterOutputMs);
    ctx.comm.SetPortOpen(false);
}

void AwaitBlockEnd(AcquisitionContext& ctx) {
    const double sinceBlock = ctx.clock.MonotonicMs() - ctx.state.LastParameterByteMs;
    if (sinceBlock < link::BlockEndPauseMs) LinkPause(ctx, link::BlockEndPauseMs - sinceBlock);
}

CommResult SendToInstrument(AcquisitionContext& ctx, const std::string& bytes) {
    AwaitBlockEnd(ctx);
    return ctx.comm.Output(bytes);
}

CommResult SendParameterByte(AcquisitionContext& ctx, const std::string& byte) {
    const CommResult sent = ctx.comm.Output(byte);
    ctx.state.LastParameterByteMs = ctx.clock.MonotonicMs();
    return sent;
}

}  // namespace tav
