// Reading and writing a spectrum file of 2202 rows: the text is built by the writer, parsed by
// the reader's parser; the two are measured in one run so that their ratio is meaningful.

#include <memory>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "BenchFileWindows.h"
#include "doubles/FakeClock.h"
#include "doubles/ScriptedOperator.h"
#include "files/FileWindows.h"
#include "files/KineticLogs.h"
#include "files/SpectrumFileParser.h"
#include "files/SpectrumFileReader.h"
#include "files/SpectrumFileWriter.h"
#include "platform/RealFileSystem.h"

namespace {

std::unique_ptr<tav::ProgramState> FullSlot() {
    auto s = std::make_unique<tav::ProgramState>();
    s->SlotInfo[0].FileName = "/data/spectra/XYZ00001.rdg";
    s->SlotInfo[0].NumPoints = tav::PointCount;
    for (int i = 0; i < tav::PointCount; ++i) {
        s->XData[0][i] = 300.0f + 0.4f * i;
        s->Ch1Data[0][i] = 1000.0f + 17.25f * (i % 300);
        s->Ch2Data[0][i] = 2000.0f + 11.5f * (i % 200);
    }
    return s;
}

const tav::CivilTime When{2024, 3, 7, 14, 5, 9, 0};

void BM_WriteSpectrumFile(benchmark::State& st) {
    auto s = FullSlot();
    for (auto _ : st) {
        std::string text = tav::SpectrumFileText(*s, 0, tav::SpectrumRowForm::Raw, When);
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_WriteSpectrumFile)->Unit(benchmark::kMicrosecond);

void BM_ReadSpectrumFile(benchmark::State& st) {
    auto s = FullSlot();
    const std::string text = tav::SpectrumFileText(*s, 0, tav::SpectrumRowForm::Raw, When);
    tav::ParsedSpectrum parsed;
    for (auto _ : st) {
        tav::ParseSpectrumText(text, parsed);
        benchmark::DoNotOptimize(parsed.x.data());
    }
    st.counters["points"] = static_cast<double>(parsed.x.size());
}
BENCHMARK(BM_ReadSpectrumFile)->Unit(benchmark::kMicrosecond);

using tav::bench::NoWindows;

// The whole read of a file on disk into a slot: lookup, reading, parsing and storing.
void BM_ReadSpectrumFileFromDisk(benchmark::State& st) {
    auto s = FullSlot();
    std::string folder = "/tmp/tavolin-bench-XXXXXX";
    if (!mkdtemp(folder.data())) {
        st.SkipWithError("no temporary folder");
        return;
    }
    tav::RealFileSystem fs(folder);
    tav::ScriptedOperator op;
    tav::FakeClock clock;
    tav::KineticLogs logs;
    NoWindows windows;
    tav::FileContext ctx{*s, fs, op, clock, logs, windows};
    fs.WriteAtomic("full.rdg", tav::SpectrumFileText(*s, 0, tav::SpectrumRowForm::Raw, When));
    for (auto _ : st) {
        s->SlotInfo[1].FileName = "full.rdg";
        benchmark::DoNotOptimize(tav::ReadSpectrumFile(ctx, 1));
    }
    st.counters["points"] = s->SlotInfo[1].NumPoints;
    fs.Remove("full.rdg");
    fs.Remove(folder);
}
BENCHMARK(BM_ReadSpectrumFileFromDisk)->Unit(benchmark::kMicrosecond);

}  // namespace
