#pragma once
// Adding a curve to the spectrum window's ring of eight overlay slots (0 to 7): a new scan
// processed as the next-scan flow does, or a spectrum file the operator chooses. Once the ring
// is full each new curve replaces the oldest.

#include "acquisition/ScanFlowContext.h"

namespace tav {

// Moves CurrentSlot to the ring slot of the new curve and FirstOverlaySlot to the oldest one
// still drawn; OverlayCount is taken as at most 7 curves before the new one. While a dark view
// is shown the ring goes on after SavedDisplaySlot, the ring slot it showed last.
void AdvanceOverlayRing(ProgramState& state);

// A pair without data does not count: the ring has advanced, the operator is told, nothing is
// drawn.
void OverlayScan(ScanFlowContext& flow);

// The file goes into the next ring slot; a file that cannot be read, or holds no spectrum, leaves
// the ring and the window as they were.
void OverlayFile(ScanFlowContext& flow);

}  // namespace tav
