#pragma once
// Starts and stops the instrument's Wireless DC mode after the operator confirms: one byte on
// serial port 1 whatever CommPortNumber holds, no reply read. WirelessDCOn changes only when the
// byte went out; otherwise the operator is told why and nothing changes.

#include "acquisition/AcquisitionContext.h"

namespace tav {

void ToggleWirelessDC(AcquisitionContext& ctx);

}  // namespace tav
