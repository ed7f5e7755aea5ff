#include "acquisition/NextScan.h"

#include <algorithm>

#include "acquisition/FlowSteps.h"
#include "acquisition/ReferenceFile.h"
#include "acquisition/ScanAcquisition.h"
#include "acquisition/ScanCorrections.h"
#include "acquisition/ScanTransfer.h"
#include "acquisition/ScanWindows.h"
#include "acquisition/StatusFont.h"
#include "files/AutoSaveNames.h"
#include "indices/KineticIndices.h"
#include "indices/SlotStore.h"
#include "platform/Clock.h"
#include "platform/forms/App.h"

namespace tav {

namespace {

constexpr float WarningX = 1500;
constexpr float WarningY = 500;

void RestartElapsedTime(ProgramState& s, Clock& clock) {
    const float now = clock.Timer();
    if (s.ResetTimer) {
        s.ResetTimer = false;
        s.RatioCount = s.NormDiffCount = s.ExperimentalCount = s.DerivativeCount = 0;
        s.IntegralCount = s.AverageCount = s.DiagnosticsCount = 0;
        s.TimerStart = now;
    }
    // Across midnight the clock starts again at 0: the day is added here, so that no reader of
    // the elapsed time (headers, logs, printing) ever sees a negative one.
    s.ElapsedTime = now - s.TimerStart;
    if (s.ElapsedTime < 0) s.ElapsedTime = s.ElapsedTime + SecondsPerDay;
}

// Read-out and write addresses after the scan, with the main window's boxes.
void KeepMemoryAddresses(ScanFlowContext& flow) {
    ProgramState& s = flow.app.state;
    if (AdvanceReadAddress(s)) flow.windows.SpectrumSurface().Print("Read Scan");
    flow.windows.ShowReadAddress(s.ReadAddress);
    AdvanceWriteAddress(s, MemoryScans);
}

std::string StatusText(ScanFlowContext& flow) {
    const ProgramState& s = flow.app.state;
    if (flow.windows.SeriesRuns())
        return s.MemoryMode == memmode::Read ? "AutoCopy in Progress" : "AutoScan in Progress";
    if (s.MemoryMode == memmode::Normal && s.ScanNumber != 0) return "Write Finished";
    if (s.MemoryMode == memmode::Erase) return "Erase Finished";
    return "";
}

void SaturationWarning(ScanFlowContext& flow) {
    Canvas& window = flow.windows.SpectrumSurface();
    StatusFont font(window, flow.app.op);
    window.CurrentX = WarningX;
    window.CurrentY = WarningY;
    window.Print("Signal is saturating. Reduce");
    window.CurrentX = WarningX;
    window.Print("integr.time/source intensity.");
}

}  // namespace

void NextScan(ScanFlowContext& flow) {
    FlowScope running(flow.app.flow);
    ProgramState& s = flow.app.state;
    s.DarkViewOn = s.PrintInColor = s.DarkRefShown = s.ProcessedResult = false;
    s.DerivativeParam = 0;

    ShowScanParameters(flow);
    // A scan outside a timed series is a series of its own: a problem of the reference
    // calibration file is told at each one.
    if (!flow.windows.SeriesRuns()) ForgetReferenceFileTold(s);
    RestartElapsedTime(s, flow.app.clock);
    ResetOverlayRing(s);

    FlowAcquisition acquisition(flow);
    switch (AcquireScanPair(acquisition.ctx, slot::Reference, s.CurrentSlot)) {
        case AcquireResult::Data: break;
        case AcquireResult::NoResponse: ShowNoDataMessage(flow, acquisition.ctx); return;
        case AcquireResult::Failed:
            // A refusal (the port held for another number, a read-out that cannot be kept) or a
            // simulation file that cannot be read would come back on every tick alike: the
            // series ends with its one box.
            StopSeriesAsEscapeDoes(flow);
            return;
    }
    // Only a scan that brought data takes the next name of an AutoSave series.
    if (s.AutoSaveOn) PrepareAutoSaveName(s);
    s.FirstOverlaySlot = s.CurrentSlot;
    CorrectNewSpectrum(acquisition.ctx, s.CurrentSlot);
    KeepMemoryAddresses(flow);
    RedrawSpectrumWindow(flow, s.CurrentSlot);
    PrintScanStatus(flow, StatusText(flow));
    if (s.SaturationFlag) SaturationWarning(flow);
    ComputeKineticIndices(s, flow.indices);
    s.OverlayCount = 1;
    AutoSaveScan(flow);
    EndReadOutAtMemoryEnd(flow);
}

}  // namespace tav
