#include "acquisition/OverlayScan.h"

#include "acquisition/FlowSteps.h"
#include "acquisition/ReferenceFile.h"
#include "acquisition/ScanAcquisition.h"
#include "acquisition/ScanCorrections.h"
#include "acquisition/ScanWindows.h"
#include "charts/TraceSelection.h"
#include "files/AutoSaveNames.h"
#include "files/FileDialogs.h"
#include "files/FileWindows.h"
#include "files/SpectrumFileReader.h"
#include "indices/KineticIndices.h"
#include "indices/SlotPoints.h"
#include "indices/SlotStore.h"
#include "platform/Operator.h"
#include "platform/forms/App.h"
#include "platform/forms/CommonDialog.h"

namespace tav {

namespace {

constexpr int16_t RingSlots = slot::LastOverlay + 1;

}  // namespace

void AdvanceOverlayRing(ProgramState& s) {
    if (s.OverlayCount > RingSlots - 1) s.OverlayCount = RingSlots - 1;
    if (s.OverlayCount != 0) {
        // A dark view shows a slot outside the ring: the ring goes on after the slot it showed
        // last, so that neither its newest curve nor one of an earlier ring is drawn over.
        const auto inRing = [](int16_t k) { return k >= slot::FirstOverlay && k <= slot::LastOverlay; };
        int16_t last = s.CurrentSlot;
        if (!inRing(last)) last = inRing(s.SavedDisplaySlot) ? s.SavedDisplaySlot : slot::LastOverlay;
        s.CurrentSlot = last == slot::LastOverlay ? slot::FirstOverlay : static_cast<int16_t>(last + 1);
        s.SavedDisplaySlot = s.CurrentSlot;
    } else {
        s.CurrentSlot = 0;
    }
    s.FirstOverlaySlot = static_cast<int16_t>(s.CurrentSlot - s.OverlayCount);
    if (s.FirstOverlaySlot < 0) s.FirstOverlaySlot = static_cast<int16_t>(s.FirstOverlaySlot + RingSlots);
}

void OverlayScan(ScanFlowContext& flow) {
    FlowScope running(flow.app.flow);
    ProgramState& s = flow.app.state;
    s.PrintInColor = true;
    s.DarkViewOn = s.DarkRefShown = s.ProcessedResult = false;
    ShowScanParameters(flow);
    ForgetReferenceFileTold(s);  // an overlay scan is no part of a timed series
    AdvanceOverlayRing(s);

    FlowAcquisition acquisition(flow);
    switch (AcquireScanPair(acquisition.ctx, slot::Reference, s.CurrentSlot)) {
        case AcquireResult::Data: break;
        case AcquireResult::NoResponse: ShowNoDataMessage(flow, acquisition.ctx); return;
        case AcquireResult::Failed: return;
    }
    // Only a scan that brought data takes the next name of an AutoSave series.
    if (s.AutoSaveOn) PrepareAutoSaveName(s);
    CorrectNewSpectrum(acquisition.ctx, s.CurrentSlot);
    flow.windows.SpectrumSurface().Cls();
    AdvanceWriteAddress(s, ShortMemoryEnd);
    s.ActiveWindowIdx = 0;
    DrawSpectrumChart(flow, s.CurrentSlot);
    KeepReadOutAddress(flow);
    if (s.MemoryMode == memmode::Normal && s.ScanNumber != 0) PrintScanStatus(flow, "Write Finished");
    ComputeKineticIndices(s, flow.indices);
    s.OverlayCount = static_cast<int16_t>(s.OverlayCount + 1);
    AutoSaveScan(flow);
    EndReadOutAtMemoryEnd(flow);
}

void OverlayFile(ScanFlowContext& flow) {
    FlowScope running(flow.app.flow);
    ProgramState& s = flow.app.state;
    const ShownSpectrum shown(s);
    s.DarkViewOn = s.DarkRefShown = s.ProcessedResult = false;
    AdvanceOverlayRing(s);
    flow.windows.SpectrumDialog().FileTitle.clear();
    OpenSpectrumDialog(flow.files);
    if (ReadSpectrumFile(flow.files, s.CurrentSlot) != SpectrumReadResult::Ok) {
        // The ring stays as it was: a slot that holds no file of it is never drawn or saved.
        shown.PutBack(s);
        return;
    }
    s.PrintInColor = true;
    if (s.BeepOn) flow.app.op.Beep();
    SetDisplayChannel(s, flow.charts, s.CurrentSlot);
    flow.windows.SpectrumSurface().Cls();
    s.ActiveWindowIdx = 0;
    DrawSpectrumChart(flow, s.CurrentSlot);
    ComputeKineticIndices(s, flow.indices);
    s.OverlayCount = static_cast<int16_t>(s.OverlayCount + 1);
}

}  // namespace tav
