#include "acquisition/LinkPort.h"

#include <string>

#include "acquisition/LinkProtocol.h"
#include "platform/Clock.h"
#include "platform/Operator.h"
#include "platform/comm/CommControl.h"
#include "shared/ProgramState.h"

namespace tav {

namespace {

PortClaim Check(const CommResult& r, std::string* why, PortClaim success) {
    if (r) return success;
    if (why) *why = r.error;
    return PortClaim::Failed;
}

}  // namespace

PortClaim ClaimPort(AcquisitionContext& ctx, int16_t port, const char* settings, std::string* why) {
    CommControl& comm = ctx.comm;
    std::string failed;
    LetFailedPortGo(ctx, failed);  // opened afresh below
    if (ctx.state.PortHeldOpen && comm.PortOpen()) {
        if (comm.CommPort != port) {
            ctx.op.MsgBox("COM" + std::to_string(comm.CommPort) +
                              " is held open by AutoScan.\nPress Escape to stop AutoScan before using COM" +
                              std::to_string(port) + ".",
                          MsgButtons::OkOnly, MsgIcon::Exclamation);
            return PortClaim::Refused;
        }
        PortClaim held = Check(comm.SetSettings(settings), why, PortClaim::Held);
        if (held == PortClaim::Failed) LetFailedPortGo(ctx, failed);
        return held;
    }
    if (comm.PortOpen()) comm.SetPortOpen(false);  // left open by an exchange that failed
    comm.CommPort = port;
    PortClaim set = Check(comm.SetSettings(settings), why, PortClaim::Opened);
    if (set == PortClaim::Failed) return set;
    return Check(comm.SetPortOpen(true), why, PortClaim::Opened);
}

std::string PortFailureText(int16_t port, const std::string& why) {
    std::string text = "The serial port COM" + std::to_string(port) + " could not be opened";
    return why.empty() ? text + "." : text + ":\n" + why;
}

void ReportPortFailure(AcquisitionContext& ctx, int16_t port, const std::string& why) {
    ctx.portFailed = true;
    ctx.op.MsgBox(PortFailureText(port, why), MsgButtons::OkOnly, MsgIcon::Exclamation);
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
    return true;
}

void ClosePortAfterOutput(AcquisitionContext& ctx) {
    if (!ctx.comm.PortOpen()) return;
    ctx.clock.Sleep(link::CloseAfterOutputMs);
    ctx.comm.SetPortOpen(false);
}

}  // namespace tav
