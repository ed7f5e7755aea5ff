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
    if (ctx.op.MsgBox(question, MsgButtons::YesNo, MsgIcon::Exclamation) != MsgResult::Yes) return;

    std::string why;
    PortClaim claim = ClaimPort(ctx, link::WirelessPort, link::FastSettings, &why);
    if (claim == PortClaim::Refused) return;
    if (PortUsable(claim)) {
        CommResult sent = ctx.comm.Output(std::string(1, stopping ? link::WirelessStop : link::WirelessStart));
        if (sent) s.WirelessDCOn = !stopping;
        else why = sent.error;
    }
    ReleasePort(ctx, claim);
    if (s.WirelessDCOn == stopping)
        ctx.op.MsgBox(std::string("Wireless DC could not be ") + (stopping ? "stopped" : "started") +
                          ":\n" + why,
                      MsgButtons::OkOnly, MsgIcon::Exclamation);
}

}  // namespace tav
