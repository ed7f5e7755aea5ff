#include "acquisition/DarkReferenceScan.h"

#include <algorithm>

#include "acquisition/FlowSteps.h"
#include "acquisition/ParameterBlocks.h"
#include "acquisition/ReferenceFile.h"
#include "acquisition/ScanAcquisition.h"
#include "acquisition/ScanTransfer.h"
#include "acquisition/ScanWindows.h"
#include "charts/TraceSelection.h"
#include "indices/KineticIndices.h"
#include "indices/SlotPoints.h"
#include "platform/draw/Canvas.h"
#include "platform/forms/App.h"

namespace tav {

namespace {

// The reference scan's acquisition into slot 10: a plain scan pair of its own, whose second pass
// is kept.
AcquireResult AcquireReference(AcquisitionContext& ctx) {
    ProgramState& s = ctx.state;
    TraceSelectionKeeper selection(ctx);
    AcquireResult result = AcquireResult::Data;
    if (!s.SimulationMode) {
        s.ReferencePass = true;
        const TransferOutcome first = TransferPass(ctx);
        if (first == TransferOutcome::Refused) result = AcquireResult::Failed;
        if (first == TransferOutcome::NoResponse) result = AcquireResult::NoResponse;
    }
    s.ReferencePass = false;
    if (result == AcquireResult::Data) result = AcquireScan(ctx, slot::Reference);
    if (result != AcquireResult::Data) selection.Restore();
    return result;
}

// Slot 10 divided by the file's channel 1 and multiplied by its channel 2, point by point (1.0
// where its channel 1 is 0); the result is channel 2 of the slot on display. A file that does not
// reach over the reference scan's spectral points converts nothing, and the operator is told.
void ApplyReferenceCalibration(AcquisitionContext& ctx) {
    ProgramState& s = ctx.state;
    if (!IsValidSlot(s.CurrentSlot)) return;
    if (!ReadReferenceFileFor(ctx, SpectralPointsOf(s, slot::Reference), "The reference scan")) return;
    // The spectrum on display has another channel 2: its index values are no longer its own.
    if (IndexPassTookValuesFrom(s, s.CurrentSlot)) ForgetIndexPass(s);
    const int n = std::min(SlotPoints(s, slot::Reference), SlotPoints(s, slot::Work));
    for (int i = 0; i < n; ++i) {
        float& v = s.Ch1Data[slot::Reference][i];
        const float divisor = s.Ch1Data[slot::Work][i];
        if (divisor == 0.0f) {
            v = 1.0f;
        } else {
            v = v / divisor;
            v = s.Ch2Data[slot::Work][i] * v;
        }
        s.Ch2Data[s.CurrentSlot][i] = v;
    }
    ForgetReferenceFileTold(s);
}

}  // namespace

void DarkScan(ScanFlowContext& flow) {
    FlowScope running(flow.app.flow);
    ProgramState& s = flow.app.state;
    s.DarkViewOn = s.DarkRefShown = true;
    s.ProcessedResult = false;
    ShowScanParameters(flow);

    FlowAcquisition acquisition(flow);
    switch (AcquireScanPair(acquisition.ctx, slot::DarkCh1, slot::DarkCh2)) {
        case AcquireResult::Data: break;
        case AcquireResult::NoResponse: ShowNoDataMessage(flow, acquisition.ctx); return;
        case AcquireResult::Failed: return;
    }
    flow.windows.SpectrumSurface().Cls();
    s.CurrentSlot = s.ShowChannel2 ? slot::DarkCh1 : slot::DarkCh2;
    AdvanceWriteAddress(s, ShortMemoryEnd);
    // The pair's last acquisition left its own slot as the axis: the dark slot shown has its own,
    // as Ch1 / Ch2 draws it.
    s.AxisSlot = SelectedTraceAxisSlot(s);
    DrawSpectrumChart(flow, s.CurrentSlot);
    KeepReadOutAddress(flow);
    if (s.MemoryMode == memmode::Normal && s.ScanNumber != 0) PrintScanStatus(flow, "Write Finished");
    EndReadOutAtMemoryEnd(flow);
}

void ReferenceScan(ScanFlowContext& flow) {
    FlowScope running(flow.app.flow);
    if (!PlainScanAllowed(flow, "The reference scan")) return;
    FlowAcquisition acquisition(flow);
    if (!ParametersOnScreenSent(flow, acquisition.ctx)) return;
    ProgramState& s = flow.app.state;
    s.DarkRefShown = true;
    s.ProcessedResult = false;
    flow.windows.ShowIntegrationAverageAndBin(s);

    switch (AcquireReference(acquisition.ctx)) {
        case AcquireResult::Data: break;
        case AcquireResult::NoResponse: ShowNoDataMessage(flow, acquisition.ctx); return;
        case AcquireResult::Failed: return;
    }
    if (s.DarkCorrectionOn) {
        for (int i = 0; i < SlotPoints(s, slot::Reference); ++i)
            s.Ch1Data[slot::Reference][i] = s.Ch1Data[slot::Reference][i] - s.Ch1Data[slot::DarkCh2][i];
    }
    if (s.ReferenceOn) {
        ForgetReferenceFileTold(s);  // a reference scan is no part of a timed series
        ApplyReferenceCalibration(acquisition.ctx);
    }
    flow.windows.SpectrumSurface().Cls();
    const int16_t window = SlotWindowIndex(slot::Reference);
    const int16_t autoScale = s.AutoScaleOn[window];
    s.AutoScaleOn[window] = -1;
    DrawSpectrumChart(flow, slot::Reference);
    s.AutoScaleOn[window] = autoScale;
}

}  // namespace tav
