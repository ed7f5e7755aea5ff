#include "acquisition/ScanCorrections.h"

#include <algorithm>

#include "acquisition/SlotPoints.h"
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

// The same mean over channel 2, on the points the channel-1 mean takes.
float BinMeanOfChannel2(ProgramState& s, int16_t slot, float lower, float upper) {
    if (BandSearchPoints(s, slot) < 2) return 0.0f;
    StoreBandEndMarker(s, slot);
    BandPixels p = FindBandPixels(s, slot, lower, upper);
    float sum = 0.0f;
    for (int k = p.first; k <= p.last; ++k) sum += s.Ch2Data[slot][k];
    return sum / static_cast<float>(p.last - p.first + 1);
}

bool ReadReferenceFile(AcquisitionContext& ctx) {
    ctx.state.SlotInfo[slot::Work].FileName = ctx.state.ReferenceFileName;
    return ctx.windows.ReadSpectrumFile(slot::Work);
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
    if (!ReadReferenceFile(ctx)) return;
    const int covered = std::min(n, SlotPoints(s, slot::Work));
    for (int i = 0; i < covered; ++i) {
        s.Ch2Data[slot][i] = Corrected(s.RefSpec2[i], s.Ch2Data[slot::Work][i], s.Ch1Data[slot::Work][i]);
        s.Ch1Data[slot::Reference][i] = s.Ch2Data[slot][i];
    }
}

BinLayout ComputeBinLayout(const ProgramState& s, int16_t slot) {
    BinLayout bins;
    bins.width = std::clamp(s.BinWidth, MinBinWidth, MaxBinWidth);
    if (!(bins.width >= MinBinWidth)) bins.width = MinBinWidth;  // NaN
    const auto& x = s.XData[slot];
    const auto& x2 = s.XData[slot::Reference];
    const int last = PixelCount - 1;
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
        if (ReadReferenceFile(ctx) && BandSearchPoints(s, slot::Work) >= 2) {
            const float first = s.XData[slot::Work][0];
            const float last = s.XData[slot::Work][SlotPoints(s, slot::Work) - 1];
            for (int k = 0; k < n; ++k) {
                const float centre = static_cast<float>(k) * bins.width + bins.start;
                if (centre < std::min(first, last) || centre > std::max(first, last)) continue;
                BinLimits(bins, k, lower, upper);
                s.RefSpec1[k] = BinMean(s, slot::Work, lower, upper);
                const float fileCh2 = BinMeanOfChannel2(s, slot::Work, lower, upper);
                s.Ch2Data[slot][k] = Corrected(s.RefSpec2[k], fileCh2, s.RefSpec1[k]);
            }
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
