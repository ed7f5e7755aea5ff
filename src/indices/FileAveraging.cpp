#include "indices/FileAveraging.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "files/AutoSaveNames.h"
#include "files/FileWindows.h"
#include "files/SpectrumFileReader.h"
#include "files/SpectrumSave.h"
#include "indices/SlotStore.h"
#include "platform/Numbers.h"
#include "platform/Operator.h"
#include "shared/ProgramState.h"

namespace tav {
namespace {

constexpr int16_t SumSlot = 0;        // the mean, or the upper curve
constexpr int16_t FileSlot = 1;       // each file in turn; the lower curve
constexpr int16_t BandMeanSlot = 2;   // the mean drawn between the two curves
constexpr int16_t FirstRefSlot = 3;   // channel 2 keeps the first file's channel 2
constexpr int16_t FileAverageMode = 7;
constexpr const char* AverageXTitle = "WaveLengths (nm)";

// What the files read so far add up to, kept apart from the slots until the run is complete.
struct AverageSums {
    int files = 0;
    int points = 0;                           // the smallest point count of the files read
    // In double, so that values near the single range average without overflowing.
    std::vector<double> sum, sumOfSquares;
    std::vector<float> firstCh2;              // the first file's channel 2
    int firstPoints = 0;

    // What the files were measured with: a value they all share is the mean's, any other none.
    float integTime = 0, temperature = NoTemperature;
    int16_t scansAveraged = NoScanCount;

    AverageSums() : sum(PointCount), sumOfSquares(PointCount), firstCh2(PointCount) {}

    void AddConditions(const SlotRecord& file) {
        if (files == 0) {
            integTime = file.IntegTime;
            temperature = file.Temperature;
            scansAveraged = file.ScansAveraged;
            return;
        }
        if (file.IntegTime != integTime) integTime = 0;
        if (!(file.Temperature == temperature)) temperature = NoTemperature;
        if (file.ScansAveraged != scansAveraged) scansAveraged = NoScanCount;
    }
    void FileConditionsInto(SlotRecord& result) const {
        result.IntegTime = integTime;
        result.Temperature = temperature;
        result.ScansAveraged = scansAveraged;
    }
};

// Reads one listed file into the file slot; false (slot and name as they were) when it gave
// nothing to average.
bool ReadListedFile(FileContext& ctx, const std::string& path) {
    ProgramState& s = ctx.state;
    SlotRecord& rec = s.SlotInfo[FileSlot];
    const std::string previousName = rec.FileName;
    rec.FileName = path;
    if (ReadSpectrumFile(ctx, FileSlot) == SpectrumReadResult::Ok) return true;
    rec.FileName = previousName;
    return false;
}

// What a read of a listed file changes besides the file slot's data: a run in which no file
// could be used puts all of it back.
class ReadSideEffects {
public:
    explicit ReadSideEffects(const ProgramState& s)
        : file_(s, FileSlot), referenceCh1_(s.Ch1Data[slot::Reference]), dataAvailable_(s.DataAvailable),
          printInColor_(s.PrintInColor), darkRefShown_(s.DarkRefShown), commonScale_(s.CommonScale),
          derivativeParam_(s.DerivativeParam) {}

    void Restore(ProgramState& s) const {
        file_.PutBack(s);
        s.Ch1Data[slot::Reference] = referenceCh1_;
        s.DataAvailable = dataAvailable_;
        s.PrintInColor = printInColor_;
        s.DarkRefShown = darkRefShown_;
        s.CommonScale = commonScale_;
        s.DerivativeParam = derivativeParam_;
    }

private:
    SlotContents file_;
    std::array<float, PointCount> referenceCh1_;
    bool dataAvailable_, printInColor_, darkRefShown_, commonScale_;
    int16_t derivativeParam_;
};

void AddFileSlot(ProgramState& s, AverageSums& sums) {
    const int n = std::clamp<int>(s.SlotInfo[FileSlot].NumPoints, 0, PointCount);
    auto& ch1 = s.Ch1Data[FileSlot];
    auto& ch2 = s.Ch2Data[FileSlot];
    for (int i = 0; i < n; ++i) {
        if (ch2[i] == 0.0f) ch2[i] = 1.0f;
    }
    sums.AddConditions(s.SlotInfo[FileSlot]);
    if (sums.files == 0) {
        std::copy_n(ch2.begin(), n, sums.firstCh2.begin());
        sums.firstPoints = n;
        sums.points = n;
    }
    for (int i = 0; i < n; ++i) {
        const double q = static_cast<double>(ch1[i]) / ch2[i];
        sums.sum[i] += q;
        sums.sumOfSquares[i] += q * q;
    }
    sums.points = std::min(sums.points, n);
    ++sums.files;
}

// The result slots hold the x values of the last file read over the common points.
void SetResultRange(ProgramState& s, int16_t slotNumber, int points) {
    SlotRecord& rec = s.SlotInfo[slotNumber];
    rec.NumPoints = static_cast<int16_t>(points);
    rec.XMin = s.XData[slotNumber][0];
    rec.XMax = s.XData[slotNumber][points - 1];
}

void StoreResult(ProgramState& s, const AverageSums& sums) {
    const int n = sums.points;
    const int16_t r = s.CalcStdError ? BandMeanSlot : SumSlot;
    // The mean is the newest curve of the ring and the selected trace.
    ResetOverlayRing(s, r);
    std::copy_n(sums.firstCh2.begin(), sums.firstPoints, s.Ch2Data[FirstRefSlot].begin());
    for (int i = 0; i < n; ++i) {
        s.Ch1Data[r][i] = NearestSingle(sums.sum[i] / sums.files);
        s.XData[r][i] = s.XData[FileSlot][i];
        s.Ch2Data[r][i] = sums.firstCh2[i];
    }
    if (!s.CalcStdError) {
        SetResultRange(s, r, n);
        sums.FileConditionsInto(s.SlotInfo[r]);
        return;
    }
    for (int i = 0; i < n; ++i) {
        const float sd = StdDeviation(sums.sum[i], sums.sumOfSquares[i], sums.files);
        const float mean = s.Ch1Data[r][i];
        s.Ch1Data[FileSlot][i] = mean - sd;
        s.Ch1Data[SumSlot][i] = sd + mean;
        s.Ch2Data[FileSlot][i] = sums.firstCh2[i];
        s.Ch2Data[SumSlot][i] = sums.firstCh2[i];
    }
    CopySlot(s, FileSlot, SumSlot);
    CopySlot(s, FileSlot, r);
    for (int16_t k : {SumSlot, FileSlot, r}) {
        SetResultRange(s, k, n);
        sums.FileConditionsInto(s.SlotInfo[k]);
    }
    s.OverlayCount = 2;
    s.FirstOverlaySlot = SumSlot;
}

}  // namespace

float StdDeviation(double sum, double sumOfSquares, int n) {
    if (n < 1) return 0.0f;
    const double mean = sum / n;
    const double t = mean * mean * n;
    if (sumOfSquares <= t) return 0.0f;
    return static_cast<float>(std::sqrt((sumOfSquares - t) / (n - 1)));
}

void AverageSpectrumFiles(FileContext& ctx) {
    ProgramState& s = ctx.state;
    const int listed = std::min<int>(std::max<int>(s.FileAvgCount, 0), static_cast<int>(s.AvgFileList.size()));
    AverageSums sums;
    const auto before = std::make_unique<ReadSideEffects>(s);
    for (int k = 0; k < listed; ++k) {
        if (ReadListedFile(ctx, s.AvgFileList[k])) AddFileSlot(s, sums);
    }
    if (sums.files == 0) {
        before->Restore(s);
        return;
    }

    s.FileAvgCount = static_cast<int16_t>(sums.files);
    s.DataAvailable = true;
    s.CommonScale = s.CalcStdError;  // the reader clears it at every read
    StoreResult(s, sums);
    s.ProcessedResult = true;
    s.ViewReflectance = false;
    s.FileDialogMode = FileAverageMode;
    ctx.windows.RedrawSpectrumWindow(s.CurrentSlot, AverageXTitle);
    ++s.OverlayCount;
    if (s.BeepOn) ctx.op.Beep();
    if (s.AutoSaveOn) {
        // The next name of the series: the name of the last scan would lose that scan's file.
        PrepareAutoSaveName(s);
        AutoSaveSpectrum(ctx);
    }
}

}  // namespace tav
