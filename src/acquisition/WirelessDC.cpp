#include "acquisition/WirelessDC.h"

#include <string>

#include "acquisition/LinkPort.h"
#include "acquisition/LinkProtocol.h"
#include "platform/Operator.h"
#include "platform/comm/CommControl.h"
#include "shared/ProgramState.h"

namespace tav {

void ToggleWirelessDC(AcquisitionContext& ctx) {
    ProgramState& s = ctx.state;
    const bool stopping = s.WirelessDCOn;
    const char* question = stopping ? "Are you sure you want to stop wireless DC?"
                                    : "Are you sure you want to start Wireless DC?";
    // No is the default: Enter or Space sends nothing.
    if (ctx.op.MsgBox(question, MsgButtons::YesNo, MsgIcon::Exclamation, "", MsgDefault::Button2) != MsgResult::Yes)
        return;

    std::string problem;
    PortClaim claim = ClaimPort(ctx, link::WirelessPort, link::FastSettings, &problem);
    if (claim == PortClaim::Refused) return;
    if (PortUsable(claim)) {
        CommResult sent = SendToInstrument(ctx, std::string(1, stopping ? link::WirelessStop : link::WirelessStart));
        if (sent) s.WirelessDCOn = !stopping;
        else problem = PortFaultText(link::WirelessPort, sent.error);
    }
    ReleasePort(ctx, claim);
    if (s.WirelessDCOn == stopping)
        ctx.op.MsgBox(problem + "\nWireless DC has not been " + (stopping ? "stopped." : "started."),
                      MsgButtons::OkOnly, MsgIcon::Exclamation);
}

}  // namespace tav
