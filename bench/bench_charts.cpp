// The chart engine's own cost, on the recording canvas: a full redraw of eight overlaid
// curves of 2202 points, and of a kinetic window of 200 points.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "ChartBenchData.h"
#include "charts/ChartDriver.h"
#include "doubles/RecordingCanvas.h"
#include "shared/ProgramState.h"

namespace {

using namespace tav;

using bench::KineticState;
using bench::OverlayState;

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
