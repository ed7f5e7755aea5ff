#pragma once
// The next-scan flow: one scan as a pair of acquisitions into slot 10 and slot 0, corrected,
// with the instrument-memory addresses kept, the spectrum window redrawn, the status and
// saturation texts, the band indices and the kinetic points, and AutoSave. A pair that brings
// no data changes no slot: the operator is told and nothing is drawn, computed or saved.

#include "acquisition/ScanFlowContext.h"

namespace tav {

void NextScan(ScanFlowContext& flow);

}  // namespace tav
