// One kinetic point as the operator sees it: the index pass over a new spectrum with all seven
// indices on, and the redraw of all seven kinetic windows holding 200 points each on their
// window images (goal: under 10 ms). The pass pauses three times for 3 ms; the first benchmark
// runs it on a fake clock whose waits cost nothing, the second on the real clock, so the
// difference between the two is the waits.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cmath>
#include <cstdlib>
#include <memory>

#include "doubles/FakeClock.h"
#include "doubles/LoopbackComm.h"
#include "doubles/RecordingPrinter.h"
#include "doubles/ScriptedOperator.h"
#include "indices/KineticSeries.h"
#include "platform/BoardLibrary.h"
#include "platform/RealFileSystem.h"
#include "platform/SystemClock.h"
#include "platform/forms/App.h"
#include "qt/QtHost.h"
#include "shared/ProgramState.h"
#include "simulator/SimulatedInstrument.h"
#include "windows/IndexForm.h"
#include "windows/IndexWindowOutput.h"
#include "windows/KineticForms.h"
#include "windows/MDIForm1.h"

namespace {

using namespace tav;

// A 256-point spectrum in slot 0 with four bands, every index defined and on, and 200 points
// in every series.
void PrepareState(ProgramState& s) {
    s.AutoScaleOn.fill(-1);
    s.ChartFontName = "Arial";
    s.ChartColor = 0x808080;
    s.AutoScanTimerOn = true;
    s.Menu.ActivateTimeStamp = true;
    s.WaveLength[255] = 1150.0f;
    SlotRecord& spectrum = s.SlotInfo[0];
    spectrum.NumPoints = 256;
    for (int i = 0; i < 256; ++i) {
        s.XData[0][i] = 300.0f + 3.3f * i;
        s.Ch1Data[0][i] = 2000.0f + 1000.0f * std::sin(i / 30.0f);
        s.Ch2Data[0][i] = 4000.0f;
    }
    spectrum.XMin = s.XData[0][0];
    spectrum.XMax = s.XData[0][255];
    s.NumOfBands = 4;
    s.BandStart = {400, 500, 600, 700, 0};
    s.BandEnd = {450, 550, 650, 750, 0};
    s.RatioNumerator = 1, s.RatioDenominator = 2;
    s.NormDiffX = 3, s.NormDiffY = 4;
    s.ExpBand1 = 1, s.ExpBand2 = 2, s.ExpBand3 = 3, s.ExpBand4 = 4;
    s.ExpOp1 = 1, s.ExpOp2 = 3, s.ExpOp3 = 0;
    s.DerivativeBand = 1, s.IntegralBand = 2, s.AverageBand = 3;
    MenuChecks& m = s.Menu;
    m.ActivateRatio = m.ActivateNormDiff = m.ActivateExperimental = m.ActivateDerivative = true;
    m.ActivateIntegral = m.ActivateAverage = m.ActivateDiagnostics = true;
    s.Temperature = 31.5f;
    for (const KineticWindowInfo& w : KineticWindows) {
        for (int i = 0; i < MaxKineticPoints; ++i) {
            s.XData[w.code][i] = 10.0f * i;
            s.Ch1Data[w.code][i] = 0.5f + 0.1f * std::cos(i / 7.0f);
        }
        s.SlotInfo[w.code].NumPoints = MaxKineticPoints;
        (s.*w.rect).Open = -1;
    }
}

void OnePoint(benchmark::State& bench, Clock& clock) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    int argc = 1;
    char name[] = "bench_indices";
    char* argv[] = {name, nullptr};
    QApplication qt(argc, argv);

    auto state = std::make_unique<ProgramState>();
    PrepareState(*state);
    ScriptedOperator op;
    FakeClock linkClock;
    SimulatedInstrument instrument;
    LoopbackComm comm(instrument, linkClock);
    NoBoardLibrary board;
    RealFileSystem fs;
    RecordingPrinter printer;
    QtHost host;
    {
        App app(*state, Services{clock, op, comm, board, fs, printer}, host);
        app.forms.Get<MDIForm1>().Show();
        app.forms.Get<IndexForm>().Show();
        for (const KineticWindowInfo& w : KineticWindows) KineticWindowForm(app, w.code)->Show();
        QCoreApplication::processEvents();
        for (const KineticWindowInfo& w : KineticWindows) state.get()->*w.counter = MaxKineticPoints;

        float elapsed = 2000;
        for (auto _ : bench) {
            state->ElapsedTime = elapsed;
            elapsed += 10;
            ComputeKineticIndices(app);
        }
        if (state->SlotInfo[slot::Diagnostics].NumPoints != MaxKineticPoints) {
            bench.SkipWithError("the series did not stay at 200 points");
        }
    }
    QCoreApplication::processEvents();
}

void BM_KineticPointWaitsFree(benchmark::State& bench) {
    FakeClock clock;
    OnePoint(bench, clock);
}
BENCHMARK(BM_KineticPointWaitsFree)->Unit(benchmark::kMillisecond);

void BM_KineticPointRealClock(benchmark::State& bench) {
    SystemClock clock;
    OnePoint(bench, clock);
}
BENCHMARK(BM_KineticPointRealClock)->Unit(benchmark::kMillisecond);

}  // namespace
