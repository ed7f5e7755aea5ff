#include "acquisition/FlowSteps.h"

#include <algorithm>

#include "acquisition/AutoScanTimer.h"
#include "acquisition/ParameterBlocks.h"
#include "acquisition/ScanTransfer.h"
#include "acquisition/ScanWindows.h"
#include "acquisition/StatusFont.h"
#include "files/FileWindows.h"
#include "files/SpectrumSave.h"
#include "platform/forms/App.h"
#include "platform/forms/Keys.h"

namespace tav {

void ShowScanParameters(ScanFlowContext& flow) {
    flow.windows.ShowScanParameters(flow.app.state);
}

void ShowNoDataMessage(ScanFlowContext& flow, const AcquisitionContext& link) {
    // A port that failed or a firmware image that cannot be used has had its own box with the
    // reason: a second one would only hide the cause. In a series it would come back on every
    // tick alike, so the series ends on it.
    if (link.FailureRecurs()) {
        StopSeriesAsEscapeDoes(flow);
        return;
    }
    std::string text = "Warning:\nNO DATA TRANSMITTED\nRefer to 'Trouble Shooting'";
    if (const std::string why = PairFaultText(link.pairFault); !why.empty()) text += "\n" + why;
    flow.app.op.MsgBox(text, MsgButtons::OkOnly, MsgIcon::Exclamation);
    if (link.waitGivenUp) StopSeriesAsEscapeDoes(flow);
}

void StopSeriesAsEscapeDoes(ScanFlowContext& flow) {
    if (!flow.windows.SeriesRuns()) return;
    if (!flow.app.keyCommand) {
        flow.windows.EndSeries();
        return;
    }
    int16_t escape = key::Escape;
    std::string title;
    flow.app.keyCommand(escape, title);
}

bool PlainScanAllowed(ScanFlowContext& flow, const std::string& what) {
    const ProgramState& s = flow.app.state;
    if (s.SimulationMode || (s.MemoryMode == memmode::Normal && s.ScanNumber == 0)) return true;
    flow.app.op.MsgBox(what + " takes a plain scan: it needs the memory mode Normal and Scan# 0.\n"
                              "Nothing has been sent to the instrument.",
                       MsgButtons::OkOnly, MsgIcon::Exclamation);
    return false;
}

bool ParametersOnScreenSent(ScanFlowContext& flow, AcquisitionContext& link) {
    switch (ParametersInStep(link)) {
        case ParametersSent::InStep: return true;
        case ParametersSent::GivenUp: ShowNoDataMessage(flow, link); return false;
        case ParametersSent::Unsent: return false;
    }
    return false;
}

void DrawSpectrumChart(ScanFlowContext& flow, int16_t slot) {
    flow.windows.DrawSpectrum(slot);
}

void RedrawSpectrumWindow(ScanFlowContext& flow, int16_t slot) {
    flow.windows.SpectrumSurface().Cls();
    DrawSpectrumChart(flow, slot);
}

void PrintScanStatus(ScanFlowContext& flow, const std::string& text) {
    if (text.empty()) return;
    PrintStatus(flow.windows.SpectrumSurface(), flow.app.op, StatusX, StatusY, text);
}

void AutoSaveScan(ScanFlowContext& flow) {
    ProgramState& s = flow.app.state;
    if (!s.AutoSaveOn) return;
    const SpectrumSaveResult saved =
        s.UserSuppliedName ? SaveSpectrumAs(flow.files, s.CurrentSlot) : AutoSaveSpectrum(flow.files);
    // A file that cannot be written now cannot be written on the next tick either: the series
    // ends with its one box rather than measure on without saving.
    if (saved == SpectrumSaveResult::Failed) StopSeriesAsEscapeDoes(flow);
}

void AdvanceWriteAddress(ProgramState& s, int16_t end) {
    int address = s.WriteAddress;
    if (s.MemoryMode == memmode::Normal && s.ScanNumber != 0) address += s.ScanNumber;
    s.WriteAddress = static_cast<int16_t>(std::clamp(address, INT16_MIN + 0, static_cast<int>(end)));
}

bool AdvanceReadAddress(ProgramState& s) {
    if (s.MemoryMode != memmode::Read) return false;
    if (s.ReadAddressPending) {
        s.ReadAddressPending = false;
        s.ReadAddress = static_cast<int16_t>(std::max(s.ReadAddress - 1, INT16_MIN + 0));
    }
    if (s.ReadAddress >= MemoryScans) return false;
    const int step = s.ScanNumber == 0 ? 1 : s.ScanNumber;
    s.ReadAddress = static_cast<int16_t>(std::clamp(s.ReadAddress + step, INT16_MIN + 0, MemoryScans + 0));
    return true;
}

void KeepReadOutAddress(ScanFlowContext& flow) {
    ProgramState& s = flow.app.state;
    if (s.MemoryMode != memmode::Read) return;
    AdvanceReadAddress(s);
    flow.windows.ShowReadAddress(s.ReadAddress);
    if (s.ReadAddress < MemoryScans) PrintScanStatus(flow, "Read Scan");
}

void EndReadOutAtMemoryEnd(ScanFlowContext& flow) {
    ProgramState& s = flow.app.state;
    if (s.MemoryMode != memmode::Read || s.ReadAddress < MemoryScans) return;
    StopSeriesAsEscapeDoes(flow);
    s.MemoryMode = memmode::Normal;
    if (s.ScanNumber != 0) s.InstrumentParametersUnknown = true;
    s.ScanNumber = 0;
    flow.windows.ShowScanParameters(s);
    flow.windows.ShowMode(modebox::Normal);
}

}  // namespace tav
