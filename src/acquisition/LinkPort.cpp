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
    if (ctx.state.PortHeldOpen && comm.PortOpen()) {
        if (comm.CommPort != port) {
            ctx.op.MsgBox("COM" + std::to_string(comm.CommPort) +
                              " is held open by AutoScan.\nPress Escape to stop AutoScan before using COM" +
                              std::to_string(port) + ".",
                          MsgButtons::OkOnly, MsgIcon::Exclamation);
            return PortClaim::Refused;
        }
        return Check(comm.SetSettings(settings), why, PortClaim::Held);
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
    ctx.op.MsgBox(PortFailureText(port, why), MsgButtons::OkOnly, MsgIcon::Exclamation);
}

void ReleasePort(AcquisitionContext& ctx, PortClaim claim) {
    if (claim == PortClaim::Opened) ClosePortAfterOutput(ctx);
}

void ClosePortAfterOutput(AcquisitionContext& ctx) {
    if (!ctx.comm.PortOpen()) return;
    ctx.clock.Sleep(link::CloseAfterOutputMs);
    ctx.comm.SetPortOpen(false);
}

}  // namespace tav
