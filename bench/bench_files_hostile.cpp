// Files far larger than the formats hold, read as the scan flows read the reference calibration
// file: a 200 MB spectrum file of rows, a 200 MB file of one line, a 200 MB settings file. Each
// is measured beside an ordinary 2202-row file in the same run, with the peak resident memory
// of the read itself (VmHWM, reset before each read through /proc/self/clear_refs). A firmware
// image of 200 MB of blank lines, met by a download from the simulated instrument's loader, must
// be refused before anything is sent; a pipe in the place of the reference calibration file, the
// settings file or a firmware image must be refused at once, without waiting for its writer.

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

#include "BenchFileWindows.h"
#include "acquisition/AcquisitionContext.h"
#include "acquisition/FirmwareDownload.h"
#include "doubles/FakeClock.h"
#include "doubles/LoopbackComm.h"
#include "doubles/RecordingCanvas.h"
#include "doubles/ScriptedOperator.h"
#include "files/FileWindows.h"
#include "files/KineticLogs.h"
#include "files/SettingsFile.h"
#include "files/SpectrumFileReader.h"
#include "files/SpectrumFileWriter.h"
#include "platform/RealFileSystem.h"
#include "simulator/SimulatedInstrument.h"

namespace {

constexpr size_t HostileBytes = 200u * 1024u * 1024u;

using tav::bench::NoWindows;

// Peak resident set of the process in KiB since the last reset.
long PeakKiB() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmHWM:") {
            long kib = 0;
            status >> kib;
            return kib;
        }
        status.ignore(1 << 16, '\n');
    }
    return -1;
}

void ResetPeak() {
    const int fd = ::open("/proc/self/clear_refs", O_WRONLY);
    if (fd < 0) return;
    const char five = '5';
    (void)!::write(fd, &five, 1);
    ::close(fd);
}

// A folder holding one file of the given kind, written piece by piece so that making it costs
// no memory; removed at the end.
enum class Kind { Normal, Rows, OneLine, Settings, BlankImage, Pipes };

constexpr const char* SlaveImage = "S1060000010203F3\r\nS804000000FB\r\n";

class BenchFolder {
public:
    explicit BenchFolder(Kind kind) {
        if (!mkdtemp(path_.data())) return;
        switch (kind) {
            case Kind::Normal: ok_ = WriteNormal(); break;
            case Kind::Rows: ok_ = Fill("hostile.rdg", SpectrumHeader(), Repeated("  412.5 \t31234. \t29876.\r\n")); break;
            case Kind::OneLine: ok_ = Fill("hostile.rdg", "", std::string(1 << 20, '7')); break;
            case Kind::Settings: ok_ = Fill("Prismel.INI", "[Acquisition]\r\n", Repeated("Auto Scan Delay=1\r\n")); break;
            case Kind::BlankImage:
                ok_ = Fill("OLMMASTR.S19", "", Repeated("\r\n")) &&
                      static_cast<bool>(std::ofstream(path_ + "/OLMSLAVE.S19", std::ios::binary) << SlaveImage);
                break;
            case Kind::Pipes:
                ok_ = true;
                for (const char* name : {"hostile.rdg", "Prismel.INI", "OLMMASTR.S19", "OLMSLAVE.S19"})
                    ok_ = ok_ && ::mkfifo((path_ + "/" + name).c_str(), 0644) == 0;
                break;
        }
    }
    ~BenchFolder() {
        for (const char* name : {"hostile.rdg", "normal.rdg", "Prismel.INI", "OLMMASTR.S19", "OLMSLAVE.S19"})
            std::remove((path_ + "/" + name).c_str());
        ::rmdir(path_.c_str());
    }
    BenchFolder(const BenchFolder&) = delete;
    BenchFolder& operator=(const BenchFolder&) = delete;

    bool ok() const { return ok_; }
    const std::string& path() const { return path_; }

private:
    static std::string SpectrumHeader() {
        return "\"File:       big.rdg\"\r\n\"Temp:       20 deg C\"\r\n\"Time:       01/01/2024  00:00:00  0\"\r\n"
               "\"Limits:     300 - 400\"\r\n\r\n\"Minimum:    300.0nm  0\"\r\n\"Maximum:    350.0nm  99\"\r\n"
               "\"Integration: 12.5 ms\"\r\n\"Number Scans: 3\"\r\n\r\n";
    }
    static std::string Repeated(const std::string& line) {
        std::string chunk;
        while (chunk.size() < (1u << 20)) chunk += line;
        return chunk;
    }
    bool Fill(const char* name, const std::string& head, const std::string& chunk) const {
        std::ofstream out(path_ + "/" + name, std::ios::binary);
        out << head;
        for (size_t written = head.size(); written < HostileBytes; written += chunk.size()) out << chunk;
        return out.good();
    }
    bool WriteNormal() const {
        auto s = std::make_unique<tav::ProgramState>();
        s->SlotInfo[0].NumPoints = tav::PointCount;
        for (int i = 0; i < tav::PointCount; ++i) {
            s->XData[0][i] = 300.0f + 0.4f * static_cast<float>(i);
            s->Ch1Data[0][i] = 1000.0f + static_cast<float>(i);
            s->Ch2Data[0][i] = 2000.0f;
        }
        std::ofstream out(path_ + "/normal.rdg", std::ios::binary);
        out << tav::SpectrumFileText(*s, 0, tav::SpectrumRowForm::Raw, tav::CivilTime{});
        return out.good();
    }

    std::string path_ = "/tmp/tavolin-bench-hostile-XXXXXX";
    bool ok_ = false;
};

struct Reader {
    explicit Reader(const std::string& folder) : fs(folder) {}
    std::unique_ptr<tav::ProgramState> state = std::make_unique<tav::ProgramState>();
    tav::RealFileSystem fs;
    tav::ScriptedOperator op;
    tav::FakeClock clock;
    tav::KineticLogs logs;
    NoWindows windows;
    tav::FileContext ctx{*state, fs, op, clock, logs, windows};
};

// The reference calibration file of a scan: the work slot, as the scan flows read it.
void ReadAsReferenceFile(benchmark::State& st, Kind kind, const char* name) {
    BenchFolder folder(kind);
    if (!folder.ok()) {
        st.SkipWithError("the file could not be written");
        return;
    }
    Reader r(folder.path());
    long peak = 0;
    for (auto _ : st) {
        ResetPeak();
        r.state->SlotInfo[tav::slot::Work].FileName = name;
        benchmark::DoNotOptimize(tav::ReadSpectrumFile(r.ctx, tav::slot::Work));
        peak = std::max(peak, PeakKiB());
    }
    st.counters["points"] = r.state->SlotInfo[tav::slot::Work].NumPoints;
    st.counters["peak_rss_MiB"] = static_cast<double>(peak) / 1024.0;
}

void BM_NormalSpectrumFile(benchmark::State& st) { ReadAsReferenceFile(st, Kind::Normal, "normal.rdg"); }
void BM_HostileSpectrumRows(benchmark::State& st) { ReadAsReferenceFile(st, Kind::Rows, "hostile.rdg"); }
void BM_HostileSpectrumOneLine(benchmark::State& st) { ReadAsReferenceFile(st, Kind::OneLine, "hostile.rdg"); }

// Runs `run` on the files of a folder of that kind once per iteration, with the peak memory of
// each run; `run` says whether the program did what it must.
template <typename Run>
void MeasureInFolder(benchmark::State& st, Kind kind, Run run) {
    BenchFolder folder(kind);
    if (!folder.ok()) {
        st.SkipWithError("the files could not be made");
        return;
    }
    long peak = 0;
    bool done = true;
    for (auto _ : st) {
        ResetPeak();
        done = run(folder.path()) && done;
        peak = std::max(peak, PeakKiB());
    }
    if (!done) st.SkipWithError("the program did not refuse the file as it must");
    st.counters["peak_rss_MiB"] = static_cast<double>(peak) / 1024.0;
}

void BM_HostileSettingsFile(benchmark::State& st) {
    MeasureInFolder(st, Kind::Settings, [](const std::string& folder) {
        Reader r(folder);
        tav::ReadSettingsFile(r.ctx);
        return true;
    });
}

// The window layer of a download: a recording spectrum window, and no file to read.
class DownloadWindows : public tav::AcquisitionWindows {
public:
    tav::Canvas& MainFormSurface() override { return canvas; }
    bool ReadSpectrumFile(int16_t) override { return false; }
    tav::SpectrumReadResult ReadSpectrumFileUntold(int16_t, std::string&) override {
        return tav::SpectrumReadResult::ReadError;
    }
    void SetDisplayChannel(int16_t) override {}
    void SetDialogFileName(const std::string&) override {}
    tav::RecordingCanvas canvas;
};

// A download from the loader of a simulated instrument, with the images of the folder.
struct Download {
    explicit Download(const std::string& folder) : instrument(Loader()), port(instrument, clock), fs(folder) {
        state->CommPortNumber = 1;
        state->IntegrationTime = 100;
        state->NumToAverage = 1;
    }
    static tav::InstrumentOptions Loader() {
        tav::InstrumentOptions o;
        o.startInLoader = true;
        return o;
    }
    // The download ended on its one message, and no image reached the instrument.
    bool RefusedUnsent() const {
        return state->NoInstrumentResponse && instrument.Images().empty() && op.Messages().size() == 1;
    }
    std::unique_ptr<tav::ProgramState> state = std::make_unique<tav::ProgramState>();
    tav::FakeClock clock;
    tav::SimulatedInstrument instrument;
    tav::LoopbackComm port;
    tav::RealFileSystem fs;
    tav::ScriptedOperator op;
    DownloadWindows windows;
    tav::AcquisitionContext ctx{*state, port, clock, fs, op, windows};
};

bool DownloadRefused(const std::string& folder) {
    Download d(folder);
    tav::DownloadFirmware(d.ctx);
    return d.RefusedUnsent();
}

void BM_HostileFirmwareBlankLines(benchmark::State& st) { MeasureInFolder(st, Kind::BlankImage, DownloadRefused); }

// A pipe where each file is expected: each read ends at once with its message.
void BM_PipeReferenceFile(benchmark::State& st) {
    MeasureInFolder(st, Kind::Pipes, [](const std::string& folder) {
        Reader r(folder);
        r.state->SlotInfo[tav::slot::Work].FileName = "hostile.rdg";
        return tav::ReadSpectrumFile(r.ctx, tav::slot::Work) == tav::SpectrumReadResult::ReadError &&
               r.op.Messages().size() == 1;
    });
}

void BM_PipeSettingsFile(benchmark::State& st) {
    MeasureInFolder(st, Kind::Pipes, [](const std::string& folder) {
        Reader r(folder);
        tav::ReadSettingsFile(r.ctx);
        return r.op.Messages().size() == 1;
    });
}

void BM_PipeFirmwareImage(benchmark::State& st) { MeasureInFolder(st, Kind::Pipes, DownloadRefused); }

BENCHMARK(BM_NormalSpectrumFile)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_HostileSpectrumRows)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_HostileSpectrumOneLine)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_HostileSettingsFile)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_HostileFirmwareBlankLines)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_PipeReferenceFile)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_PipeSettingsFile)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_PipeFirmwareImage)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace
