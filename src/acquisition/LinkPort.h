#pragma once
// Taking the serial port for one exchange. Timed acquisition may hold the port open between its
// scans (PortHeldOpen): an exchange on the same port number uses the open port and leaves it
// open; one on another port number is refused with a message, and nothing is sent.

#include <cstdint>
#include <string>

#include "acquisition/AcquisitionContext.h"

namespace tav {

enum class PortClaim {
    Opened,   // this exchange opened the port and closes it
    Held,     // timed acquisition holds it open on this port number; it stays open
    Refused,  // held open on another port number; the operator has been told
    Failed,   // could not be opened or set up
};

// Port `port` at `settings`, open. On Failed, `why` (when given) receives the control's reason.
PortClaim ClaimPort(AcquisitionContext& ctx, int16_t port, const char* settings,
                    std::string* why = nullptr);

// Closes the port when the claim opened it, once what was sent has had time to leave.
void ReleasePort(AcquisitionContext& ctx, PortClaim claim);

// Closes an open port once what was sent has had time to leave.
void ClosePortAfterOutput(AcquisitionContext& ctx);

// "The serial port COMn could not be opened:" and the control's reason (which names the device
// the port maps to and what is wrong with it).
std::string PortFailureText(int16_t port, const std::string& why);
// That text in a message box.
void ReportPortFailure(AcquisitionContext& ctx, int16_t port, const std::string& why);

inline bool PortUsable(PortClaim claim) { return claim == PortClaim::Opened || claim == PortClaim::Held; }

}  // namespace tav
