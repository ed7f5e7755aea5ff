#pragma once
// The firmware download: wakes the instrument's loader, sends the master image OLMMASTR.S19 and
// then the slave image OLMSLAVE.S19 (S-record text from the current folder), starts both and
// sends the parameter block after each, printing its progress on the spectrum window.
//
// Precondition: the port is closed; on return it is closed, but for a port that stopped working,
// which is left open for the caller to let go and to tell why. NoInstrumentResponse tells whether
// the download went through: a loader that does not answer its wake-up, an image that is missing,
// unreadable or no S-record image (FirmwareImage.h; both images are read and checked before
// anything of either is sent, the operator is told which and why, and the context notes it), a
// run reply that never comes, a port that
// cannot be opened (told) and a port that stops working all end it with NoInstrumentResponse
// True.

#include "acquisition/AcquisitionContext.h"

namespace tav {

void DownloadFirmware(AcquisitionContext& ctx);

inline constexpr const char* MasterImageName = "OLMMASTR.S19";
inline constexpr const char* SlaveImageName = "OLMSLAVE.S19";

}  // namespace tav
