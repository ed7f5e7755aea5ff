#include "indices/Derivative.h"

#include <algorithm>

#include "charts/ChartValues.h"
#include "charts/NumericHelpers.h"
#include "indices/BandValues.h"

namespace tav {
namespace {

constexpr int MinDerivativePoints = 3;

float Slope(float dy, float dx) { return dx == 0.0f ? 0.0f : dy / dx; }

}  // namespace

bool IsDefinedBand(const ProgramState& state, int16_t bandNumber) {
    const int defined = std::min<int>({state.NumOfBands, static_cast<int>(state.BandStart.size()),
                                       static_cast<int>(state.BandEnd.size())});
    return bandNumber >= 1 && bandNumber <= defined;
}

float ComputeDerivativeSpectrum(ProgramState& state, int16_t slotNumber, int16_t first,
                                int16_t last) {
    const int points = BandSearchPoints(state, slotNumber);
    if (points < MinDerivativePoints || first < 1 || last < first || last > points - 1) {
        return 0.0f;
    }
    const auto& xs = state.XData[static_cast<std::size_t>(slotNumber)];
    const auto& ys = state.Ch1Data[static_cast<std::size_t>(slotNumber)];
    // From NumPoints on, x is the end marker; a y behind the store's last element reads as 0.
    auto x = [&](int k) { return k < points ? xs[static_cast<std::size_t>(k)] : BandEndMarker; };
    auto y = [&](int k) { return k < PointCount ? ys[static_cast<std::size_t>(k)] : 0.0f; };

    float acc = 0.0f;
    for (int i = first; i <= last; ++i) {
        const float left = Slope(y(i) - y(i - 1), x(i) - x(i - 1));
        const float right = Slope(y(i + 1) - y(i), x(i + 1) - x(i));
        const float d = (right + left) / 2.0f;
        state.DerivativeSpectrum[static_cast<std::size_t>(i)] = d;
        acc = acc + (x(i + 1) - x(i - 1)) * d;
    }
    acc = acc / 2.0f;
    const float width =
        (x(last + 1) - x(last)) / 2.0f + (x(last) - x(first)) + (x(first) - x(first - 1)) / 2.0f;
    return Slope(acc, width);
}

std::optional<float> DerivativeIndex(ProgramState& state, int16_t slotNumber) {
    if (!IsDefinedBand(state, state.DerivativeBand) ||
        BandSearchPoints(state, slotNumber) < MinDerivativePoints) {
        return std::nullopt;
    }
    const auto b = static_cast<std::size_t>(state.DerivativeBand - 1);
    if (state.BandStart[b] > state.BandEnd[b]) SwapSingle(state.BandStart[b], state.BandEnd[b]);
    StoreBandEndMarker(state, slotNumber);
    BandPixels range = FindBandPixels(state, slotNumber, state.BandStart[b], state.BandEnd[b]);
    // A pixel spectrum's status words (the temperature at point 248) are no light: the slopes
    // stop at the last spectral point.
    if (HasTrailingStatusPoints(state, slotNumber)) {
        const auto lastSlope = static_cast<int16_t>(LastSpectralPoint(state, slotNumber) - 1);
        range.last = std::min(range.last, lastSlope);
        range.first = std::min(range.first, range.last);
    }
    return ComputeDerivativeSpectrum(state, slotNumber, range.first, range.last);
}

}  // namespace tav
