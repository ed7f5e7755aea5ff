#include "acquisition/FlowSteps.h"

#include <algorithm>

#include "acquisition/AutoScanTimer.h"
#include "acquisition/ParameterBlocks.h"
#include "acquisition/ScanTransfer.h"
#include "acquisition/StatusFont.h"
#include "files/FileWindows.h"
#include "files/SpectrumSave.h"
#include "acquisition/ScanWindows.h"
#include "platform/forms/App.h"
#include "platform/forms/Keys.h"

namespace tav {

namespace {

void RefusePlainScan(ScanFlowContext& flow, const std::string& what, const std::string& why) {
    flow.app.op.MsgBox(what + " takes a plain scan: it needs the memory mode Normal and Scan# 0.\n" + why,
                       MsgButtons::OkOnly, MsgIcon::Exclamation);
}

}  // namespace

void ShowScanParameters(ScanFlowContext& flow) {
    flow.windows.ShowScanParameters(flow.app.state);
}

void ShowNoDataMessage(ScanFlowContext& flow, const AcquisitionContext& link) {
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
    RefusePlainScan(flow, what, "Nothing has been sent to the instrument.");
    return false;
}

bool PlainScanParametersSent(ScanFlowContext& flow, AcquisitionContext& link, const std::string& what) {
    switch (ParametersInStep(link)) {
        case ParametersSent::InStep: return true;
        case ParametersSent::GivenUp: ShowNoDataMessage(flow, link); return false;
        case ParametersSent::Unsent: break;
    }
    RefusePlainScan(flow, what,
                    "The instrument may still hold another Scan#: the parameters could not be sent to it.\n"
                    "No scan command has been sent.");
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

}  // namespace tav
