#include "acquisition/ScanCorrections.h"

#include <algorithm>

#include "acquisition/ReferenceFile.h"
#include "charts/ChartValues.h"
#include "files/TextConversions.h"
#include "indices/BandValues.h"
#include "platform/Numbers.h"
#include "shared/ProgramState.h"

namespace tav {

namespace {

constexpr float MinBinWidth = 0.4f;
constexpr float MaxBinWidth = 500.0f;
constexpr int16_t MinBins = 2;
constexpr int16_t MaxBins = 2200;
constexpr float RangeMargin = 1.0f;  // the bins stay this far inside the shared range
constexpr int AnyPoints = 1;  // bin mode: the file's wavelength range decides, not its length
constexpr const char* ScanWhat = "The scan";

// Reference-file correction of one value: measured / file channel 2 * file channel 1, in single
// precision step by step; 1.0 where the divisor is 0.
float Corrected(float measured, float fileCh2, float fileCh1) {
    if (fileCh2 == 0.0f) return 1.0f;
    float ratio = measured / fileCh2;
    return ratio * fileCh1;
}

// Limits of bin k.
void BinLimits(const BinLayout& bins, int k, float& lower, float& upper) {
    lower = static_cast<float>(k) * bins.width + bins.start - bins.width / 2.0f;
    upper = lower + bins.width;
}

// Band mean of a slot's channel 1 over explicit limits (never the operator's band table).
float BinMean(ProgramState& s, int16_t slot, float lower, float upper) {
    float mean = 0.0f;
    BandValueOfEdges(s, lower, upper, mean, slot);
    return mean;
}

// The file's two channels over a bin, from its points whose channel 2 is not 0: a point where
// the file holds no reference gives no ratio (pixel mode puts 1.0 there), so it does not halve
// the bin's divisor. A bin without such a point gives 0 for both, which corrects to 1.0.
struct FileBin {
    float ch1 = 0, ch2 = 0;
};
FileBin FileBinMeans(const ProgramState& s, float lower, float upper) {
    const BandPixels p = FindBandPixels(s, slot::Work, lower, upper);
    float sum1 = 0.0f, sum2 = 0.0f;
    int used = 0;
    for (int k = p.first; k <= p.last; ++k) {
        if (s.Ch2Data[slot::Work][k] == 0.0f) continue;
        sum1 += s.Ch1Data[slot::Work][k];
        sum2 += s.Ch2Data[slot::Work][k];
        ++used;
    }
    if (used == 0) return {};
    return {sum1 / static_cast<float>(used), sum2 / static_cast<float>(used)};
}

// Whether the file read into the work slot reaches over every bin centre (two bins at least, so
// also its first and last points differ); the operator is told when it does not.
bool FileCoversBins(AcquisitionContext& ctx, const BinLayout& bins) {
    const ProgramState& s = ctx.state;
    const float a = s.XData[slot::Work][0];
    const float b = s.XData[slot::Work][std::max(LastSpectralPoint(s, slot::Work), 0)];
    const float first = bins.start;
    const float last = static_cast<float>(bins.count - 1) * bins.width + bins.start;
    if (first >= std::min(a, b) && last <= std::max(a, b)) return true;
    RefuseReferenceFile(ctx,
                        "covers " + SngToText(std::min(a, b)) + " to " + SngToText(std::max(a, b)) +
                            " nm, less than the " + SngToText(first) + " to " + SngToText(last) +
                            " nm of the scan's bins.",
                        ScanWhat);
    return false;
}

}  // namespace

void SubtractDarkSpectra(ProgramState& s, int16_t slot) {
    for (int i = 0; i < SlotPoints(s, slot); ++i) {
        s.Ch1Data[slot][i] = s.Ch1Data[slot][i] - s.Ch1Data[slot::DarkCh2][i];
        s.Ch1Data[slot::Reference][i] = s.Ch1Data[slot::Reference][i] - s.Ch1Data[slot::DarkCh1][i];
        s.Ch2Data[slot][i] = s.Ch1Data[slot::Reference][i];
    }
}

void ApplyReferenceFile(AcquisitionContext& ctx, int16_t slot) {
    ProgramState& s = ctx.state;
    const int n = SlotPoints(s, slot);
    for (int i = 0; i < n; ++i) s.RefSpec2[i] = s.Ch1Data[slot::Reference][i];
    if (!ReadReferenceFileFor(ctx, SpectralPointsOf(s, slot), ScanWhat)) return;
    const int covered = std::min(n, SlotPoints(s, slot::Work));
    for (int i = 0; i < covered; ++i) {
        s.Ch2Data[slot][i] = Corrected(s.RefSpec2[i], s.Ch2Data[slot::Work][i], s.Ch1Data[slot::Work][i]);
        s.Ch1Data[slot::Reference][i] = s.Ch2Data[slot][i];
    }
    ForgetReferenceFileTold(s);
}

BinLayout ComputeBinLayout(const ProgramState& s, int16_t slot) {
    BinLayout bins;
    bins.width = std::clamp(s.BinWidth, MinBinWidth, MaxBinWidth);
    if (!(bins.width >= MinBinWidth)) bins.width = MinBinWidth;  // NaN
    const auto& x = s.XData[slot];
    const auto& x2 = s.XData[slot::Reference];
    // The bins end within the last spectral pixel of both passes: a pixel spectrum's status
    // words (the temperature at point 248 and after) are no light.
    const int last = std::clamp(LastSpectralPoint(s, slot), 0, PixelCount - 1);
    bins.start = static_cast<float>(RoundHalfEven(std::max(x[0], x2[0]) + RangeMargin));
    bins.end = static_cast<float>(RoundHalfEven(std::min(x[last], x2[last]) - RangeMargin));
    double count = RoundHalfEven((bins.end - bins.start) / bins.width);
    bins.count = static_cast<int16_t>(std::clamp<double>(count, MinBins, MaxBins));
    return bins;
}

void AverageOntoBins(AcquisitionContext& ctx, int16_t slot) {
    ProgramState& s = ctx.state;
    for (int i = 0; i < PixelCount; ++i) {
        const double p = i + 1;
        // Coefficients typed into the instrument dialog may be huge: clamp into single range.
        s.XData[slot::Reference][i] = ToSingleClamped(s.CalCoeffD + s.CalCoeffE * p + s.CalCoeffF * p * p);
    }
    const BinLayout bins = ComputeBinLayout(s, slot);
    const int n = bins.count;
    // The means are taken over the acquisition's pixels, before the slot holds bins.
    float lower, upper;
    for (int k = 0; k < n; ++k) {
        BinLimits(bins, k, lower, upper);
        s.RefSpec1[k] = BinMean(s, slot, lower, upper);
        s.Ch2Data[slot][k] = BinMean(s, slot::Reference, lower, upper);
    }
    for (int k = 0; k < n; ++k) {
        s.Ch1Data[slot][k] = s.RefSpec1[k];
        s.Ch1Data[slot::Reference][k] = s.Ch2Data[slot][k];
    }
    if (s.ReferenceOn) {
        for (int k = 0; k < n; ++k) s.RefSpec2[k] = s.Ch1Data[slot::Reference][k];
        if (ReadReferenceFileFor(ctx, AnyPoints, ScanWhat) && FileCoversBins(ctx, bins)) {
            StoreBandEndMarker(s, slot::Work);
            for (int k = 0; k < n; ++k) {
                BinLimits(bins, k, lower, upper);
                const FileBin file = FileBinMeans(s, lower, upper);
                s.RefSpec1[k] = file.ch1;
                s.Ch2Data[slot][k] = Corrected(s.RefSpec2[k], file.ch2, file.ch1);
            }
            ForgetReferenceFileTold(s);
        }
    }
    for (int k = 0; k < n; ++k) {
        s.XData[slot][k] = static_cast<float>(k) * bins.width + bins.start;
        s.XData[slot::Reference][k] = s.XData[slot][k];
    }
    s.SlotInfo[slot].NumPoints = bins.count;
    s.SlotInfo[slot].Binned = true;
}

void CorrectNewSpectrum(AcquisitionContext& ctx, int16_t slot) {
    ProgramState& s = ctx.state;
    if (!IsValidSlot(slot)) return;
    if (s.DarkCorrectionOn && !s.SimulationMode) SubtractDarkSpectra(s, slot);
    if (!s.PixelMode) AverageOntoBins(ctx, slot);
    else if (s.ReferenceOn) ApplyReferenceFile(ctx, slot);
}

}  // namespace tav
