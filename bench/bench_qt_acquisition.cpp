// One scan pair through the Qt serial control on the simulator's pseudo-terminal, against the
// waits the link mandates: 16 block waits of 20 ms, the measuring time, and the 20 ms boot probe
// when the pair opens the port itself (not while timed acquisition holds it open). Pairs follow
// one another at once here, so before each probe but the first the last acknowledgement of the
// pair before is given the rest of its 20 ms to leave at its own speed (the simulator's end of
// the pseudo-terminal reads it at the speed the line has by then); that is counted too.
//
// Counters: wall_ms and cpu_ms per pair, wall_per_mandated (goal: within 1.03) and
// cpu_per_wall (the processor should idle while the link waits). The simulator is found through
// INSTRUMENT_SIM_PATH, else next to the build folder's bench/ folder.
//
// With a broken block k (block k of every pair 6 bytes short), each pair is no data and is
// finished in step: wall_ms is then the time a broken pair takes in all, the mandated waits
// include the grace time that the short block is waited for, and pair_times is wall_ms against
// the mandated waits of a whole pair (goal: at most 1.7).
//
// With parameters first, every pair follows a whole parameter block (as after a change on screen
// that was not sent): the block's 11 pauses of 5 ms, and the 100 ms of silence after its last
// byte that the instrument needs to tell where the block ends (pause_ms), are mandated too; the
// close and the boot probe fall within that silence.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QProcess>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>

#include "acquisition/AcquisitionContext.h"
#include "acquisition/ParameterBlocks.h"
#include "acquisition/ScanAcquisition.h"
#include "doubles/RecordingCanvas.h"
#include "doubles/ScriptedOperator.h"
#include "platform/RealFileSystem.h"
#include "platform/SystemClock.h"
#include "qt/comm/QtCommControl.h"
#include "shared/ProgramState.h"

namespace tav {
namespace {

std::string SimulatorPath() {
    if (const char* env = std::getenv("INSTRUMENT_SIM_PATH"); env && *env) return env;
    std::error_code ec;
    auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    return (self.parent_path().parent_path() / "instrument-sim").string();
}

double CpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec + ts.tv_nsec / 1e9;
}

// The silence the instrument needs after a parameter block, restated.
constexpr double BlockEndPauseMs = 100;

class Windows : public AcquisitionWindows {
public:
    Canvas& MainFormSurface() override { return canvas_; }
    bool ReadSpectrumFile(int16_t) override { return false; }
    SpectrumReadResult ReadSpectrumFileUntold(int16_t, std::string&) override {
        return SpectrumReadResult::ReadError;
    }
    void SetDisplayChannel(int16_t) override {}
    void SetDialogFileName(const std::string&) override {}

private:
    RecordingCanvas canvas_;
};

// Arguments: integration time (tenths of a millisecond), 1 when timed acquisition holds the port
// open, the broken block (0: none), and 1 when every pair follows a parameter block.
void BM_ScanPairOverPseudoTerminal(benchmark::State& bench) {
    int argc = 1;
    char name[] = "bench_qt_acquisition";
    char* argv[] = {name, nullptr};
    std::unique_ptr<QCoreApplication> app;
    if (!QCoreApplication::instance()) app = std::make_unique<QCoreApplication>(argc, argv);

    const int broken = static_cast<int>(bench.range(2));
    QStringList simArgs;
    if (broken > 0) simArgs << QString("--short-block=%1").arg(broken);
    QProcess sim;
    sim.start(QString::fromStdString(SimulatorPath()), simArgs);
    if (!sim.waitForStarted(5000)) {
        bench.SkipWithError("instrument-sim did not start");
        return;
    }
    for (int i = 0; i < 50 && !sim.canReadLine(); ++i) sim.waitForReadyRead(100);
    const std::string device = sim.readLine().trimmed().toStdString();
    setenv("TAVOLIN_COM1", device.c_str(), 1);

    auto state = std::make_unique<ProgramState>();
    state->IntegrationTime = static_cast<int32_t>(bench.range(0));
    state->NumToAverage = 1;
    state->CommPortNumber = 1;
    const bool held = bench.range(1) != 0;
    SystemClock clock;
    QtCommControl comm;
    ScriptedOperator op;
    RealFileSystem fs;
    Windows windows;
    AcquisitionContext ctx{*state, comm, clock, fs, op, windows};
    if (held) {
        comm.CommPort = 1;
        comm.SetSettings("115200,N,8,1");
        if (!comm.SetPortOpen(true)) {
            bench.SkipWithError("cannot open the simulator's port");
            return;
        }
        state->PortHeldOpen = true;
    }
    // The instrument takes its integration time from a parameter block, and the silence after it.
    if (!ParameterBlock(ctx)) {
        bench.SkipWithError("the parameter block could not be sent");
        return;
    }
    clock.Sleep(BlockEndPauseMs);
    const bool parametersFirst = bench.range(3) != 0;

    constexpr double ShortBlockGraceMs = 200;
    constexpr double AckLeavesMs = 20;
    // On a held port only the pair after a failed one probes the link.
    const double pairs = static_cast<double>(bench.max_iterations);
    const double probes = held ? (broken > 0 ? pairs - 1 : 0) : pairs;
    const double blocksMs = 16 * 20 + state->IntegrationTime / 10.0;
    const double wholePairMs = blocksMs + (20 * probes + AckLeavesMs * std::min(probes, pairs - 1)) / pairs;
    // After a block the probe, and the time the acknowledgement before it had, fall within the
    // silence that ends the block.
    const double mandatedMs = parametersFirst ? blocksMs + 11 * 5 + BlockEndPauseMs
                                              : wholePairMs + (broken > 0 ? ShortBlockGraceMs : 0);
    double wallMs = 0, cpuMs = 0;
    int failures = 0;
    for (auto _ : bench) {
        state->InstrumentParametersUnknown = parametersFirst;
        auto start = std::chrono::steady_clock::now();
        double cpuStart = CpuSeconds();
        if ((AcquireScanPair(ctx, 10, 0) == AcquireResult::Data) == (broken > 0)) ++failures;
        double cpu = (CpuSeconds() - cpuStart) * 1000.0;
        double wall = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        bench.SetIterationTime(wall / 1000.0);
        wallMs += wall;
        cpuMs += cpu;
    }
    const double n = static_cast<double>(bench.iterations());
    bench.counters["wall_ms"] = wallMs / n;
    bench.counters["cpu_ms"] = cpuMs / n;
    bench.counters["mandated_ms"] = mandatedMs;
    bench.counters["wall_per_mandated"] = wallMs / n / mandatedMs;
    if (broken > 0) bench.counters["pair_times"] = wallMs / n / wholePairMs;
    if (parametersFirst) bench.counters["pause_ms"] = BlockEndPauseMs;
    bench.counters["cpu_per_wall"] = cpuMs / wallMs;
    bench.counters["failures"] = failures;  // pairs that did not end as expected
    if (comm.PortOpen()) comm.SetPortOpen(false);
    unsetenv("TAVOLIN_COM1");
    sim.terminate();
    sim.waitForFinished(3000);
}

BENCHMARK(BM_ScanPairOverPseudoTerminal)
    ->ArgNames({"integration", "held", "broken", "parameters"})
    ->Args({100, 0, 0, 0})
    ->Args({100, 1, 0, 0})
    ->Args({1000, 0, 0, 0})
    ->Args({100, 0, 3, 0})
    ->Args({100, 1, 12, 0})
    ->Args({100, 0, 0, 1})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);

}  // namespace
}  // namespace tav
