#pragma once
// One acquisition fills one slot with one spectrum of 256 points: from the instrument through
// the scan transfer, or in simulation mode from simulate.rdg in the start folder. The scan flows
// take their data as a pair of acquisitions through AcquireScanPair.

#include <cstdint>

#include "acquisition/AcquisitionContext.h"
#include "acquisition/ScanTransfer.h"

namespace tav {

enum class AcquireResult {
    Data,        // the slot holds the new spectrum
    NoResponse,  // the instrument did not answer (NoInstrumentResponse); the slot is unchanged
    Failed,      // no simulation file, an unreadable one, or the port refused; the operator has
                 // been told and the slot is unchanged
};

// One pass over the link (OpenPortAndTransfer). A held port that failed in it is let go at once
// and the operator is told why, once; the pass then has no response.
TransferOutcome TransferPass(AcquisitionContext& ctx);

// One pass into the slot; ReferencePass tells which pass of the pair it is.
AcquireResult AcquireScan(AcquisitionContext& ctx, int16_t slot);

// The instrument half of AcquireScan: x from the wavelength table, the slot record, and
// channel 1 from the raw column of the pass.
AcquireResult ReadInstrumentScan(AcquisitionContext& ctx, int16_t slot);

// A scan pair: ReferencePass True and the first slot, then ReferencePass False and the second.
// When the pair brings no data neither slot changes: the first slot, the flags an acquisition
// sets and the spectrum window's trace selection are put back as they were, and the second pass
// is not taken after a first that failed.
AcquireResult AcquireScanPair(AcquisitionContext& ctx, int16_t firstSlot, int16_t secondSlot);

// The spectrum window's selected trace (DisplayChannel(0)) and AxisSlot as an acquisition
// found them, for putting back when it stops early: a paint, Resize, Tab or cursor key must
// then work on the slot on display, not on the slot the acquisition was filling.
class TraceSelectionKeeper {
public:
    explicit TraceSelectionKeeper(AcquisitionContext& ctx);
    void Restore();

private:
    AcquisitionContext& ctx_;
    int16_t displayChannel_;
    int16_t axisSlot_;
};

}  // namespace tav
