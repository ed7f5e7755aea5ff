#include "indices/KineticIndices.h"

#include <algorithm>
#include <iterator>
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

// The values of the enabled indices: nothing for an index that is not evaluated, NoIndexValue
// for one whose divisor is 0.
struct IndexValues {
    std::optional<float> ratio, normDiff, experimental, derivative, integral, average;
};

// The values over the working slot under the definitions in force; nothing when it holds fewer
// than two points, where no band has a value. The bands are taken in the order of the pass
// (ratio, normalized difference, experimental, derivative, integral, average), since a band may
// be reordered or widened on its first use.
std::optional<IndexValues> EvaluateIndices(ProgramState& s, int16_t slot) {
    if (BandSearchPoints(s, slot) < MinBandPoints) return std::nullopt;
    const MenuChecks& m = s.Menu;
    auto useMean = [&s](int index) { return s.UseAverage[static_cast<std::size_t>(index)] != 0; };
    IndexValues v;
    if (m.ActivateRatio && s.RatioNumerator != 0 && s.RatioDenominator != 0 &&
        IsDefinedBand(s, s.RatioNumerator) && IsDefinedBand(s, s.RatioDenominator)) {
        const float numerator = BandOf(s, s.RatioNumerator, useMean(0), slot);
        const float denominator = BandOf(s, s.RatioDenominator, useMean(0), slot);
        v.ratio = denominator != 0.0f ? numerator / denominator : NoIndexValue;
    }
    if (m.ActivateNormDiff && s.NormDiffX != 0 && s.NormDiffY != 0 && IsDefinedBand(s, s.NormDiffX) &&
        IsDefinedBand(s, s.NormDiffY)) {
        const float x = BandOf(s, s.NormDiffX, useMean(1), slot);
        const float y = BandOf(s, s.NormDiffY, useMean(1), slot);
        const float sum = x + y;
        v.normDiff = sum != 0.0f ? (x - y) / sum : NoIndexValue;
    }
    const int16_t expBands[] = {s.ExpBand1, s.ExpBand2, s.ExpBand3, s.ExpBand4};
    if (m.ActivateExperimental &&
        std::all_of(std::begin(expBands), std::end(expBands), [&s](int16_t b) { return IsUsableBand(s, b); })) {
        float b[4];
        for (int k = 0; k < 4; ++k) b[k] = BandOf(s, expBands[k], useMean(2), slot);
        const std::optional<float> left = Combine(b[0], s.ExpOp1, b[1]);
        const std::optional<float> right = Combine(b[2], s.ExpOp3, b[3]);
        std::optional<float> value;
        if (left && right) value = Combine(*left, s.ExpOp2, *right);
        v.experimental = value.value_or(NoIndexValue);
    }
    if (m.ActivateDerivative && s.DerivativeBand != 0) v.derivative = DerivativeIndex(s, slot);
    if (m.ActivateIntegral && IsDefinedBand(s, s.IntegralBand)) v.integral = BandOf(s, s.IntegralBand, false, slot);
    if (m.ActivateAverage && IsDefinedBand(s, s.AverageBand)) v.average = BandOf(s, s.AverageBand, true, slot);
    return v;
}

// Keeps what was evaluated as the values of the spectrum in slot `spectrum`; an index not
// evaluated keeps its old value and is not recorded as computed.
void StoreIndexValues(ProgramState& s, const IndexValues& v, int16_t spectrum) {
    ProgramState::IndicesComputed& computed = s.LastPassComputed;
    computed = {};
    computed.Slot = spectrum;
    const struct {
        const std::optional<float>& value;
        float ProgramState::*stored;
        bool ProgramState::IndicesComputed::*flag;
    } indices[] = {
        {v.ratio, &ProgramState::RatioValue, &ProgramState::IndicesComputed::Ratio},
        {v.normDiff, &ProgramState::NormDiffValue, &ProgramState::IndicesComputed::NormDiff},
        {v.experimental, &ProgramState::ExperimentalValue, &ProgramState::IndicesComputed::Experimental},
        {v.derivative, &ProgramState::DerivativeValue, &ProgramState::IndicesComputed::Derivative},
        {v.integral, &ProgramState::IntegralValue, &ProgramState::IndicesComputed::Integral},
        {v.average, &ProgramState::AverageValue, &ProgramState::IndicesComputed::Average},
    };
    for (const auto& index : indices) {
        if (!index.value) continue;
        s.*index.stored = *index.value;
        computed.*index.flag = true;
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
        const int16_t working = ChooseWorkingSlot(s_);
        out_.ClearIndexWindow();
        if (s_.ElapsedTime < 0) s_.ElapsedTime = s_.ElapsedTime + SecondsPerDay;
        out_.Wait(LinePause);
        out_.PrintIndexLine(TextLine(""));
        out_.Wait(LinePause);
        out_.PrintIndexLine(ElapsedTimeLine(s_.ElapsedTime));
        // Fewer than two points hold no band: every index keeps its value and no window gets a
        // point that was not measured.
        const std::optional<IndexValues> values = EvaluateIndices(s_, working);
        if (!values) return;
        StoreIndexValues(s_, *values, s_.CurrentSlot);

        if (values->ratio) {
            out_.Wait(LinePause);
            out_.PrintIndexLine(ValueLine(readout::Ratio, s_.RatioValue));
            Feed(slot::Ratio);
        }
        if (values->normDiff) {
            s_.NormDiffValid = true;
            out_.PrintIndexLine(ValueLine(readout::NormDiff, s_.NormDiffValue));
        }
        if (values->experimental) {
            s_.ExperimentalValid = true;
            out_.PrintIndexLine(ValueLine(readout::Experimental, s_.ExperimentalValue));
        }
        Feed(slot::NormDiff);
        Feed(slot::Experimental);
        if (values->derivative) {
            out_.PrintIndexLine(ValueLine(readout::Derivative, s_.DerivativeValue));
            Feed(slot::Derivative);
        }
        if (values->integral) {
            out_.PrintIndexLine(ValueLine(readout::Integral, s_.IntegralValue));
            Feed(slot::Integral);
        }
        if (values->average) {
            out_.PrintIndexLine(ValueLine(readout::Average, s_.AverageValue));
            Feed(slot::Average);
        }
        if (s_.Menu.ActivateDiagnostics) Feed(slot::Diagnostics);
    }

private:
    // One point for the window of `code` at the elapsed time, when the window is open and its
    // index has a value for this spectrum.
    void Feed(int16_t code) {
        const KineticWindowInfo& window = *KineticWindowOf(code);
        if ((s_.*window.rect).Open == 0 || !HasIndexValue(s_.*window.value)) return;
        s_.FirstOverlaySlot = code;
        int16_t& counter = s_.*window.counter;
        StoreKineticPoint(s_, s_.*window.value, code, counter, s_.ElapsedTime);
        out_.KineticPointAdded(code);
        counter = static_cast<int16_t>(counter + 1);
    }

    ProgramState& s_;
    KineticIndicesOutput& out_;
};

}  // namespace

void ComputeKineticIndices(ProgramState& state, KineticIndicesOutput& output) {
    IndexPass(state, output).Run();
}

void BringIndexValuesUpToDate(ProgramState& state) {
    const int16_t spectrum = state.LastPassComputed.RedefinedSlot;
    if (!IsValidSlot(spectrum) || spectrum != state.CurrentSlot) return;
    std::optional<IndexValues> values;
    if (state.NumOfBands > 0) values = EvaluateIndices(state, ChooseWorkingSlot(state));
    StoreIndexValues(state, values.value_or(IndexValues{}), spectrum);
}

}  // namespace tav
