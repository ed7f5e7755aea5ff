#include "acquisition/AutoIntegrationTime.h"

#include <cmath>
#include <string>

#include "acquisition/FlowSteps.h"
#include "acquisition/ParameterBlocks.h"
#include "acquisition/ParameterLimits.h"
#include "acquisition/ScanAcquisition.h"
#include "acquisition/ScanTransfer.h"
#include "acquisition/ScanWindows.h"
#include "charts/ChartScaling.h"
#include "files/SettingsFile.h"
#include "platform/Numbers.h"
#include "platform/Operator.h"
#include "platform/comm/CommControl.h"
#include "platform/forms/App.h"

namespace tav {

namespace {

constexpr float TargetRange = 45000.0f;  // counts
constexpr int32_t TestTime = 40;         // tenths of a millisecond
constexpr int16_t TestScans = 1;
constexpr int32_t TimeStep = 100;
constexpr int32_t ShortestTime = 40;
constexpr int32_t LongestTime = 10000;

// A fresh plain scan pair on the instrument, its second pass into the work slot.
AcquireResult TakeTestScan(AcquisitionContext& ctx) {
    ProgramState& s = ctx.state;
    s.ReferencePass = true;
    const TransferOutcome first = TransferPass(ctx);
    s.ReferencePass = false;
    if (first == TransferOutcome::Data) return ReadInstrumentScan(ctx, slot::Work);
    return first == TransferOutcome::NoResponse ? AcquireResult::NoResponse : AcquireResult::Failed;
}

// The range of the work slot's spectrum, as the chart scaling finds it. A scan the scaling
// cannot range reads as flat, never as the range of an earlier use of the slot.
float MeasuredRange(ProgramState& s) {
    SlotRecord& rec = s.SlotInfo[slot::Work];
    rec.DataMin = 0;
    rec.DataMax = 0;
    ScaleChartData(s, slot::Work);
    return rec.DataMax - rec.DataMin;
}

}  // namespace

int32_t IntegrationTimeForRange(float range) {
    const float factor = TargetRange / range;
    const float scaled = factor * static_cast<float>(TestTime);
    if (!(scaled < static_cast<float>(LongestTime))) return LongestTime;
    const double rounded = RoundHalfEven(scaled);
    const double stepped = TimeStep * std::floor(rounded / TimeStep);
    if (stepped > LongestTime) return LongestTime;
    if (stepped < ShortestTime) return ShortestTime;
    return static_cast<int32_t>(stepped);
}

// Truncated, not rounded: a rounded count could carry the product past the cap.
int16_t ScansWithinCap(int16_t scans, int32_t integrationTime) {
    if (integrationTime <= 0) return scans;
    if (static_cast<int64_t>(scans) * integrationTime <= MaxIntegrationTimesScans) return scans;
    return static_cast<int16_t>(MaxIntegrationTimesScans / integrationTime);
}

void AutoSetIntegrationTime(ScanFlowContext& flow) {
    ProgramState& s = flow.app.state;
    if (s.SimulationMode) return;
    FlowScope running(flow.app.flow);
    if (!PlainScanAllowed(flow, "Auto Set Integration Time")) return;
    FlowAcquisition acquisition(flow);
    AcquisitionContext& ctx = acquisition.ctx;
    if (!ParametersOnScreenSent(flow, ctx)) return;

    const int32_t keptTime = s.IntegrationTime;
    const int16_t keptScans = s.NumToAverage;
    auto restore = [&] {
        s.IntegrationTime = keptTime;
        s.NumToAverage = keptScans;
    };

    s.NumToAverage = TestScans;
    s.IntegrationTime = TestTime;
    if (!ShortParameterBlock(ctx)) {
        restore();
        return;
    }
    const AcquireResult scan = TakeTestScan(ctx);
    if (scan != AcquireResult::Data) {
        // Nothing to scale from: the instrument goes back to the operator's values. A port that
        // failed or a loader without its firmware has been told and would fail again with a second
        // box: the instrument then keeps the test values until the next exchange sends the
        // parameters on screen.
        restore();
        if (scan == AcquireResult::NoResponse) ShowNoDataMessage(flow, ctx);
        if (ctx.FailureRecurs()) s.InstrumentParametersUnknown = true;
        else ShortParameterBlock(ctx);
        return;
    }
    flow.app.op.Beep();

    s.IntegrationTime = IntegrationTimeForRange(MeasuredRange(s));
    s.NumToAverage = ScansWithinCap(keptScans, s.IntegrationTime);
    flow.windows.ShowIntegrationAndAverage(s);
    ShortParameterBlock(ctx);
    WriteSettingsFile(flow.files);
}

}  // namespace tav
