#pragma once
// The dark scan (both channels' dark spectra into slots 8 and 9, shown on the spectrum window)
// and the reference scan (one scan into slot 10, dark-corrected and converted by the reference
// calibration file into channel 2 of the slot on display, shown with an automatic scale). A scan
// that brings no data changes no slot: the operator is told and nothing is drawn.

#include "acquisition/ScanFlowContext.h"

namespace tav {

void DarkScan(ScanFlowContext& flow);

// From the instrument the reference scan is a pair of passes of its own; the reference pass is
// read and discarded and the second pass fills slot 10. In simulation mode it is one file read.
void ReferenceScan(ScanFlowContext& flow);

}  // namespace tav
