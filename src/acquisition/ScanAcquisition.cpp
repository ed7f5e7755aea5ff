#include "acquisition/ScanAcquisition.h"

#include <algorithm>
#include <string>

#include "acquisition/LinkPort.h"
#include "indices/SlotStore.h"
#include "platform/FileSystem.h"
#include "platform/Operator.h"
#include "platform/comm/CommControl.h"
#include "shared/ProgramState.h"

namespace tav {

namespace {

constexpr const char* SimulationFileName = "simulate.rdg";
constexpr float SaturationLevel = 65534.0f;

// What one acquisition may change, so that a pair without data can be undone.
struct SlotSnapshot {
    SlotSnapshot(const ProgramState& s, int16_t slot)
        : contents(s, slot), dataAvailable(s.DataAvailable), saturation(s.SaturationFlag),
          commonScale(s.CommonScale) {}

    void Restore(ProgramState& s) const {
        contents.PutBack(s);
        s.DataAvailable = dataAvailable;
        s.SaturationFlag = saturation;
        s.CommonScale = commonScale;
    }

    SlotContents contents;
    bool dataAvailable, saturation, commonScale;
};

bool IsOwnChannelSlot(int16_t slot) {
    return slot == slot::DarkCh2 || slot == slot::DarkCh1 || slot == slot::Reference;
}

void FillWavelengthAxis(ProgramState& s, int16_t slot) {
    for (int i = 0; i < WaveLengthCount; ++i) s.XData[slot][i] = s.WaveLength[i];
    SlotRecord& rec = s.SlotInfo[slot];
    rec.XMin = s.XData[slot][0];
    rec.XMax = s.XData[slot][PixelCount - 1];
    rec.NumPoints = PixelCount;
    rec.Binned = false;
    rec.IntegTime = static_cast<float>(s.IntegrationTime / 10.0);
    rec.ScansAveraged = s.NumToAverage;
    rec.Temperature = NoTemperature;  // the pair's second pass brings it
}

AcquireResult Simulate(AcquisitionContext& ctx, int16_t slot) {
    ProgramState& s = ctx.state;
    const std::string dir = ctx.fs.Resolve(s.StartDir.empty() ? "." : s.StartDir);
    const std::string found = ctx.fs.FindName(dir, SimulationFileName);
    const std::string path = dir + "/" + found;
    if (found.empty() || ctx.fs.IsDirectory(path)) {
        ctx.op.MsgBox("No Simulation File found.", MsgButtons::OkOnly, MsgIcon::None, "No Simulation");
        ctx.windows.SetDisplayChannel(slot);
        return AcquireResult::Failed;
    }
    if (slot != slot::DarkCh2) {
        s.SlotInfo[slot].FileName = path;
        ctx.windows.SetDialogFileName(path);
        if (!ctx.windows.ReadSpectrumFile(slot)) return AcquireResult::Failed;
    } else {
        // The dark spectrum of the second pass is taken as no signal at all.
        FillWavelengthAxis(s, slot);
        std::fill_n(s.Ch1Data[slot].begin(), PixelCount, 0.0f);
        s.SlotInfo[slot].FileName = "Dark";
    }
    s.DataAvailable = true;
    s.CommonScale = false;
    s.SlotInfo[slot].NoRatio = false;
    ctx.windows.SetDisplayChannel(slot);
    return AcquireResult::Data;
}

}  // namespace

TransferOutcome TransferPass(AcquisitionContext& ctx) {
    if (ctx.state.ReferencePass) ctx.portFailed = ctx.firmwareUnusable = false;
    ctx.state.RawCountsScans = 0;  // every pass writes into the raw store
    const TransferOutcome outcome = OpenPortAndTransfer(ctx);
    std::string why;
    if (!LetFailedPortGo(ctx, why)) return outcome;
    ctx.state.NoInstrumentResponse = true;
    if (!ctx.portFailed) {
        ctx.portFailed = true;
        ctx.op.MsgBox(PortFaultText(ctx.comm.CommPort, why), MsgButtons::OkOnly, MsgIcon::Exclamation);
    }
    return outcome == TransferOutcome::Refused ? outcome : TransferOutcome::NoResponse;
}

AcquireResult ReadInstrumentScan(AcquisitionContext& ctx, int16_t slot) {
    ProgramState& s = ctx.state;
    switch (TransferPass(ctx)) {
        case TransferOutcome::Refused: return AcquireResult::Failed;
        case TransferOutcome::NoResponse: return AcquireResult::NoResponse;
        case TransferOutcome::Data: break;
    }
    FillWavelengthAxis(s, slot);
    if (!s.ReferencePass) s.SlotInfo[slot].Temperature = s.Temperature;
    const auto& column = s.RawCounts[RawColumnOfPass(s)];
    for (int i = 0; i < PixelCount; ++i) s.Ch1Data[slot][i] = static_cast<float>(column[i]);
    return AcquireResult::Data;
}

AcquireResult AcquireScan(AcquisitionContext& ctx, int16_t slot) {
    ProgramState& s = ctx.state;
    if (!IsValidSlot(slot)) return AcquireResult::Failed;
    if (s.SimulationMode) {
        s.RawCountsScans = 0;  // the spectrum saved next is the file's, not a read-out's
        return Simulate(ctx, slot);
    }

    AcquireResult r = ReadInstrumentScan(ctx, slot);
    if (r != AcquireResult::Data) return r;
    SlotRecord& rec = s.SlotInfo[slot];
    s.CommonScale = false;
    rec.NoRatio = false;
    rec.FileName = std::string(FileNameFieldLength, ' ');  // the slot names no file any more
    s.DataAvailable = true;
    if (s.BeepOn) ctx.op.Beep();
    s.SaturationFlag = false;
    for (int i = 0; i < rec.NumPoints; ++i)
        if (s.Ch1Data[slot][i] > SaturationLevel) s.SaturationFlag = true;
    // A sample slot's channel 2 is the reference pass just taken into slot 10.
    if (!IsOwnChannelSlot(slot))
        for (int i = 0; i < rec.NumPoints; ++i) s.Ch2Data[slot][i] = s.Ch1Data[slot::Reference][i];
    ctx.windows.SetDisplayChannel(slot);
    return AcquireResult::Data;
}

TraceSelectionKeeper::TraceSelectionKeeper(AcquisitionContext& ctx)
    : ctx_(ctx), displayChannel_(ctx.state.DisplayChannel[0]), axisSlot_(ctx.state.AxisSlot) {}

void TraceSelectionKeeper::Restore() {
    ProgramState& s = ctx_.state;
    if (s.DisplayChannel[0] != displayChannel_) ctx_.windows.SetDisplayChannel(displayChannel_);
    s.AxisSlot = axisSlot_;
}

AcquireResult AcquireScanPair(AcquisitionContext& ctx, int16_t firstSlot, int16_t secondSlot) {
    ProgramState& s = ctx.state;
    if (!IsValidSlot(firstSlot) || !IsValidSlot(secondSlot)) return AcquireResult::Failed;
    const SlotSnapshot before(s, firstSlot);
    TraceSelectionKeeper selection(ctx);
    s.ReferencePass = true;
    AcquireResult result = AcquireScan(ctx, firstSlot);
    s.ReferencePass = false;
    if (result == AcquireResult::Data) {
        result = AcquireScan(ctx, secondSlot);
        if (result != AcquireResult::Data) before.Restore(s);
    }
    if (result == AcquireResult::Data && !s.SimulationMode) {
        // The temperature of a pair comes with its second pass; a read-out of several stored
        // scans is whole in the raw store only now.
        s.SlotInfo[firstSlot].Temperature = s.SlotInfo[secondSlot].Temperature;
        if (ReadOutScans(s) >= 2) s.RawCountsScans = static_cast<int16_t>(ReadOutScans(s));
    }
    if (result != AcquireResult::Data) selection.Restore();
    return result;
}

}  // namespace tav
