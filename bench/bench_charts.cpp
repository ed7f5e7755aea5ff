// The chart engine's own cost, on the recording canvas: a full redraw of eight overlaid
// curves of 2202 points, and of a kinetic window of 200 points.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <string>

#include "charts/ChartDriver.h"
#include "platform/draw/RecordingCanvas.h"
#include "shared/ProgramState.h"

namespace {

using namespace tav;

std::unique_ptr<ProgramState> OverlayState() {
    auto s = std::make_unique<ProgramState>();
    s->AutoScaleOn.fill(-1);
    s->ChartFontName = "Arial";
    for (int16_t k = 0; k <= 7; ++k) {
        SlotRecord& r = s->SlotInfo[k];
        r.NumPoints = PointCount;
        for (int i = 0; i < PointCount; ++i) {
            s->XData[k][i] = 300.0f + 0.4f * i;
            s->Ch1Data[k][i] = 1000.0f + 800.0f * std::sin(i / (50.0f + k));
            s->Ch2Data[k][i] = 2000.0f;
        }
        r.XMin = s->XData[k][0];
        r.XMax = s->XData[k][PointCount - 1];
    }
    s->FirstOverlaySlot = 0;
    return s;
}

std::unique_ptr<ProgramState> KineticState() {
    auto s = std::make_unique<ProgramState>();
    s->AutoScaleOn.fill(-1);
    s->ChartFontName = "Arial";
    s->AutoScanTimerOn = true;
    s->Menu.ActivateTimeStamp = true;
    SlotRecord& r = s->SlotInfo[slot::Ratio];
    r.NumPoints = MaxKineticPoints;
    for (int i = 0; i < MaxKineticPoints; ++i) {
        s->XData[slot::Ratio][i] = 10.0f * i;
        s->Ch1Data[slot::Ratio][i] = 0.5f + 0.1f * std::cos(i / 7.0f);
    }
    r.XMax = s->XData[slot::Ratio][MaxKineticPoints - 1];
    return s;
}

void Redraw(benchmark::State& bench, ProgramState& s, int16_t slotNumber) {
    RecordingCanvas canvas(13000, 8000);
    canvas.SetAvailableFonts({"Arial", "Small Fonts"});
    const MainWindowView view;
    for (auto _ : bench) {
        canvas.ClearRecord();
        canvas.Cls();
        std::string title;
        DrawChart(s, canvas, view, slotNumber, title);
        benchmark::DoNotOptimize(canvas.Ops().data());
    }
}

void BM_EightOverlayCurves(benchmark::State& bench) {
    auto s = OverlayState();
    Redraw(bench, *s, 7);
}
BENCHMARK(BM_EightOverlayCurves)->Unit(benchmark::kMicrosecond);

void BM_KineticWindow(benchmark::State& bench) {
    auto s = KineticState();
    Redraw(bench, *s, slot::Ratio);
}
BENCHMARK(BM_KineticWindow)->Unit(benchmark::kMicrosecond);

}  // namespace
