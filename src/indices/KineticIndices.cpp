#include "indices/KineticIndices.h"

#include <optional>

#include "charts/ChartValues.h"
#include "indices/BandValues.h"
#include "indices/Derivative.h"
#include "indices/KineticSeries.h"
#include "platform/Clock.h"

namespace tav {
namespace {

constexpr int LinePause = 3;  // milliseconds
constexpr int16_t MinBandPoints = 2;

// The slot the band values are taken from: a reflectance row in the work slot, when the
// reflectance view is on and the current slot allows it, else the current slot itself. The
// row carries the current slot's point count, x range and kind (a pixel spectrum's status words
// included), so the band searches never run over a record left behind by an earlier use of the
// work slot and leave out the same points as over the slot itself.
int16_t ChooseWorkingSlot(ProgramState& state) {
    const int16_t current = state.CurrentSlot;
    if (!IsValidSlot(current)) return current;
    const SlotRecord& source = state.SlotInfo[static_cast<std::size_t>(current)];
    if (!state.ViewReflectance || source.NoRatio) return current;

    const auto from = static_cast<std::size_t>(current);
    constexpr auto to = static_cast<std::size_t>(slot::Work);
    const int points = SlotPoints(state, current);
    for (int i = 0; i < points; ++i) {
        const auto p = static_cast<std::size_t>(i);
        const float reference = state.Ch2Data[from][p];
        state.Ch1Data[to][p] = reference != 0.0f ? state.Ch1Data[from][p] / reference : 1.0f;
        state.XData[to][p] = state.XData[from][p];
    }
    SlotRecord& row = state.SlotInfo[to];
    row.NumPoints = static_cast<int16_t>(points);
    row.XMin = source.XMin;
    row.XMax = source.XMax;
    row.Binned = source.Binned;
    return slot::Work;
}

// Band number 0 means no band; any other number must name a defined band.
bool IsUsableBand(const ProgramState& state, int16_t bandNumber) {
    return bandNumber == 0 || IsDefinedBand(state, bandNumber);
}

// The band integral, or with useMean the band mean; 0 for band number 0.
float BandOf(ProgramState& state, int16_t bandNumber, bool useMean, int16_t workingSlot) {
    float mean = 0.0f;
    const float integral =
        BandValue(state, static_cast<int16_t>(bandNumber - 1), mean, workingSlot);
    return useMean ? mean : integral;
}

// a op b by operator code: 0 +, 1 -, 2 ×, any other ÷; nothing for a zero divisor.
std::optional<float> Combine(float a, int16_t op, float b) {
    switch (op) {
        case 0: return a + b;
        case 1: return a - b;
        case 2: return a * b;
        default: return b != 0.0f ? std::optional<float>(a / b) : std::nullopt;
    }
}

class IndexPass {
public:
    IndexPass(ProgramState& state, KineticIndicesOutput& output) : s_(state), out_(output) {}

    void Run() {
        s_.ExperimentalValid = false;
        s_.NormDiffValid = false;
        s_.LastPassComputed = {};
        s_.LastPassComputed.Slot = s_.CurrentSlot;
        if (s_.NumOfBands <= 0) {
            out_.ClearIndexWindow();
            out_.PrintIndexLine(TextLine(readout::NoBands));
            return;
        }
        slot_ = ChooseWorkingSlot(s_);
        out_.ClearIndexWindow();
        if (s_.ElapsedTime < 0) s_.ElapsedTime = s_.ElapsedTime + SecondsPerDay;
        out_.Wait(LinePause);
        out_.PrintIndexLine(TextLine(""));
        out_.Wait(LinePause);
        out_.PrintIndexLine(ElapsedTimeLine(s_.ElapsedTime));
        // Fewer than two points hold no band: every index keeps its value and no window gets a
        // point that was not measured.
        if (BandSearchPoints(s_, slot_) < MinBandPoints) return;

        Ratio();
        NormDiff();
        Experimental();
        Feed(slot::NormDiff);
        Feed(slot::Experimental);
        Derivative();
        Integral();
        Average();
        if (s_.Menu.ActivateDiagnostics) Feed(slot::Diagnostics);
    }

private:
    bool UseMean(int index) const { return s_.UseAverage[static_cast<std::size_t>(index)] != 0; }

    void Ratio() {
        if (!s_.Menu.ActivateRatio || s_.RatioNumerator == 0 || s_.RatioDenominator == 0) return;
        if (!IsDefinedBand(s_, s_.RatioNumerator) || !IsDefinedBand(s_, s_.RatioDenominator)) {
            return;
        }
        s_.LastPassComputed.Ratio = true;
        const float numerator = BandOf(s_, s_.RatioNumerator, UseMean(0), slot_);
        const float denominator = BandOf(s_, s_.RatioDenominator, UseMean(0), slot_);
        if (denominator != 0.0f) s_.RatioValue = numerator / denominator;
        out_.Wait(LinePause);
        out_.PrintIndexLine(ValueLine(readout::Ratio, s_.RatioValue));
        Feed(slot::Ratio);
    }

    void NormDiff() {
        if (!s_.Menu.ActivateNormDiff || s_.NormDiffX == 0 || s_.NormDiffY == 0) return;
        if (!IsDefinedBand(s_, s_.NormDiffX) || !IsDefinedBand(s_, s_.NormDiffY)) return;
        s_.NormDiffValid = true;
        s_.LastPassComputed.NormDiff = true;
        const float x = BandOf(s_, s_.NormDiffX, UseMean(1), slot_);
        const float y = BandOf(s_, s_.NormDiffY, UseMean(1), slot_);
        const float sum = x + y;
        if (sum != 0.0f) s_.NormDiffValue = (x - y) / sum;
        out_.PrintIndexLine(ValueLine(readout::NormDiff, s_.NormDiffValue));
    }

    void Experimental() {
        if (!s_.Menu.ActivateExperimental) return;
        const int16_t bands[] = {s_.ExpBand1, s_.ExpBand2, s_.ExpBand3, s_.ExpBand4};
        for (int16_t band : bands) {
            if (!IsUsableBand(s_, band)) return;
        }
        s_.ExperimentalValid = true;
        s_.LastPassComputed.Experimental = true;
        float b[4];
        for (int k = 0; k < 4; ++k) b[k] = BandOf(s_, bands[k], UseMean(2), slot_);
        const std::optional<float> left = Combine(b[0], s_.ExpOp1, b[1]);
        const std::optional<float> right = Combine(b[2], s_.ExpOp3, b[3]);
        if (left && right) {
            if (const std::optional<float> value = Combine(*left, s_.ExpOp2, *right)) {
                s_.ExperimentalValue = *value;
            }
        }
        out_.PrintIndexLine(ValueLine(readout::Experimental, s_.ExperimentalValue));
    }

    void Derivative() {
        if (!s_.Menu.ActivateDerivative || s_.DerivativeBand == 0) return;
        const std::optional<float> value = DerivativeIndex(s_, slot_);
        if (!value) return;
        s_.DerivativeValue = *value;
        s_.LastPassComputed.Derivative = true;
        out_.PrintIndexLine(ValueLine(readout::Derivative, s_.DerivativeValue));
        Feed(slot::Derivative);
    }

    void Integral() {
        if (!s_.Menu.ActivateIntegral || !IsDefinedBand(s_, s_.IntegralBand)) return;
        s_.IntegralValue = BandOf(s_, s_.IntegralBand, false, slot_);
        s_.LastPassComputed.Integral = true;
        out_.PrintIndexLine(ValueLine(readout::Integral, s_.IntegralValue));
        Feed(slot::Integral);
    }

    void Average() {
        if (!s_.Menu.ActivateAverage || !IsDefinedBand(s_, s_.AverageBand)) return;
        s_.AverageValue = BandOf(s_, s_.AverageBand, true, slot_);
        s_.LastPassComputed.Average = true;
        out_.PrintIndexLine(ValueLine(readout::Average, s_.AverageValue));
        Feed(slot::Average);
    }

    // One point for the window of `code` at the elapsed time, when the window is open.
    void Feed(int16_t code) {
        const KineticWindowInfo& window = *KineticWindowOf(code);
        if ((s_.*window.rect).Open == 0) return;
        s_.FirstOverlaySlot = code;
        int16_t& counter = s_.*window.counter;
        StoreKineticPoint(s_, s_.*window.value, code, counter, s_.ElapsedTime);
        out_.KineticPointAdded(code);
        counter = static_cast<int16_t>(counter + 1);
    }

    ProgramState& s_;
    KineticIndicesOutput& out_;
    int16_t slot_ = 0;
};

}  // namespace

void ComputeKineticIndices(ProgramState& state, KineticIndicesOutput& output) {
    IndexPass(state, output).Run();
}

}  // namespace tav
