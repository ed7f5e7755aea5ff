#include "indices/BandValues.h"

#include <algorithm>

#include "charts/ChartValues.h"
#include "charts/NumericHelpers.h"

namespace tav {
namespace {

constexpr float MinBandWidth = 0.01f;

// x of a point of the slot, the end marker from NumPoints on.
class SlotX {
public:
    SlotX(const ProgramState& state, int16_t slotNumber)
        : row_(state.XData[static_cast<std::size_t>(slotNumber)]),
          points_(BandSearchPoints(state, slotNumber)) {}
    float operator()(int k) const {
        return k >= points_ ? BandEndMarker : row_[static_cast<std::size_t>(k)];
    }
    int points() const { return points_; }

private:
    const std::array<float, PointCount>& row_;
    int points_;
};

// The first point from `from` whose x is not below edge, stepped back to the lower neighbour
// when that one is strictly nearer. Bounded by the end marker whatever the edge is.
int NearestPoint(const SlotX& x, int from, float edge) {
    int k = from;
    while (k < x.points() && edge > x(k)) ++k;
    const float dHigh = x(k) - edge;
    const float dLow = edge - x(k - 1);
    if (dLow < dHigh) --k;
    return k;
}

// The part of the edge point's cell that lies outside the band, as a fraction of the cell.
float OutsideFraction(float outside, float cellLow, float cellHigh) {
    const float width = cellHigh - cellLow;
    if (width == 0.0f) return 0.0f;  // x values that do not increase: no cell to cut
    return 2.0f * outside / width;
}

}  // namespace

int16_t BandSearchPoints(const ProgramState& state, int16_t slotNumber) {
    if (!IsValidSlot(slotNumber)) return 0;
    return static_cast<int16_t>(LastSpectralPoint(state, slotNumber) + 1);
}

void StoreBandEndMarker(ProgramState& state, int16_t slotNumber) {
    const int n = SlotPoints(state, slotNumber);
    if (!IsValidSlot(slotNumber) || n > MaxPoint) return;
    state.XData[static_cast<std::size_t>(slotNumber)][static_cast<std::size_t>(n)] =
        BandEndMarker;
}

BandPixels FindBandPixels(const ProgramState& state, int16_t slotNumber, float bandStart,
                          float bandEnd) {
    const SlotX x(state, slotNumber);
    const int lastPoint = x.points() - 1;
    int s = NearestPoint(x, 2, bandStart);
    int e = NearestPoint(x, s, bandEnd);
    if (e == s - 1) {  // the end snapped back below the start
        s = e == 0 ? 1 : e;
        e = s + 1;
    }
    if (e < s) e = s;
    // A band edge beyond the marker's midpoint would snap onto the marker itself.
    s = std::clamp(s, 1, std::max(lastPoint, 1));
    e = std::clamp(e, s, std::max(lastPoint, 1));
    return {static_cast<int16_t>(s), static_cast<int16_t>(e)};
}

float BandValueOfEdges(ProgramState& state, float& bandStart, float& bandEnd, float& mean,
                       int16_t slotNumber) {
    if (BandSearchPoints(state, slotNumber) < 2) {
        mean = 0.0f;
        return 0.0f;
    }
    if (bandStart > bandEnd) SwapSingle(bandStart, bandEnd);
    const float width = bandEnd - bandStart;
    if (width < MinBandWidth) {
        const float topLimit = state.WaveLength[PixelCount - 1] - MinBandWidth;
        if (bandEnd <= topLimit) {
            bandEnd = bandEnd + MinBandWidth;
        } else {
            bandStart = bandStart - MinBandWidth;
        }
    }
    StoreBandEndMarker(state, slotNumber);

    const BandPixels pixels = FindBandPixels(state, slotNumber, bandStart, bandEnd);
    const SlotX x(state, slotNumber);
    const auto& y = state.Ch1Data[static_cast<std::size_t>(slotNumber)];
    const int s = pixels.first;
    const int e = pixels.last;

    float sum = 0.0f;
    for (int k = s; k <= e; ++k) sum += y[static_cast<std::size_t>(k)];

    float integral = sum - OutsideFraction(bandStart - (x(s - 1) + x(s)) / 2.0f, x(s - 1),
                                           x(s + 1)) *
                               y[static_cast<std::size_t>(s)];
    integral = integral - OutsideFraction((x(e) + x(e + 1)) / 2.0f - bandEnd, x(e - 1),
                                          x(e + 1)) *
                              y[static_cast<std::size_t>(e)];
    mean = sum / static_cast<float>(e - s + 1);
    return integral;
}

float BandValue(ProgramState& state, int16_t band, float& mean, int16_t slotNumber) {
    const int defined = std::min<int>(
        {state.NumOfBands, static_cast<int>(state.BandStart.size()),
         static_cast<int>(state.BandEnd.size())});
    if (band < 0 || band >= defined) return 0.0f;
    const auto b = static_cast<std::size_t>(band);
    return BandValueOfEdges(state, state.BandStart[b], state.BandEnd[b], mean, slotNumber);
}

}  // namespace tav
