// A full chart redraw on a window's image, as the screen gets it: eight overlaid curves of
// 2202 points (goal: under 2 ms), and a kinetic window of 200 points (goal: under 0.5 ms).
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cstdlib>
#include <memory>
#include <string>

#include "ChartBenchData.h"
#include "charts/ChartDriver.h"
#include "qt/QtWindowCanvas.h"
#include "shared/ProgramState.h"

namespace {

using namespace tav;

using bench::KineticState;
using bench::OverlayState;

void Redraw(benchmark::State& bench, ProgramState& s, int16_t slotNumber, QSize pixels) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    int argc = 1;
    char name[] = "bench_qt_charts";
    char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);
    const Twips twips(96);
    QtWindowCanvas canvas(twips);
    canvas.Resize(pixels, 1.0);
    const MainWindowView view;
    for (auto _ : bench) {
        canvas.Cls();
        s.FirstOverlaySlot = 0;
        std::string title;
        DrawChart(s, canvas, view, slotNumber, title);
        benchmark::DoNotOptimize(canvas.Image().constBits());  // the painting is finished
    }
}

void BM_QtEightOverlayCurves(benchmark::State& bench) {
    auto s = OverlayState();
    Redraw(bench, *s, 7, QSize(1200, 800));
}
BENCHMARK(BM_QtEightOverlayCurves)->Unit(benchmark::kMillisecond);

void BM_QtKineticWindow(benchmark::State& bench) {
    auto s = KineticState();
    Redraw(bench, *s, slot::Ratio, QSize(600, 400));
}
BENCHMARK(BM_QtKineticWindow)->Unit(benchmark::kMillisecond);

}  // namespace
