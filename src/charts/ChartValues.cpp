#include "charts/ChartValues.h"

#include <algorithm>
#include <cmath>

#include "charts/NumericHelpers.h"
#include "platform/Numbers.h"

namespace tav {
namespace {

// More ticks than this cannot fit on any chart; it bounds the loop for absurd x ranges.
constexpr int MaxTicks = 10000;

// The point where the x values pass t, continuing from i: big strides, back by 7, then by 1.
int PassPoint(const std::array<float, PointCount>& x, int n, int i, float t) {
    while (x[i] < t && i < n - 1) i = i + 40 <= n - 1 ? i + 40 : i + 1;
    while (x[i] > t && i > 7) i -= 7;
    const float near = static_cast<float>(t - 0.3);
    while (x[i] < near && i < n - 1) ++i;
    return i;
}

// Absorbance divides the natural logarithm by this constant, not by ln 10; stored charts and
// printed values rely on it.
constexpr double AbsorbanceDivisor = 2.306;

// A first guess of a search position, rounded and bounded to 0..maxPoint; fallback when the
// divisor is 0 or the quotient is not a number.
int BoundedGuess(float numerator, float divisor, int points, int maxPoint, int fallback) {
    if (divisor == 0.0f) return fallback;
    const float q = numerator / divisor * static_cast<float>(points);
    if (!std::isfinite(q)) return fallback;
    return static_cast<int>(std::clamp(RoundHalfEven(q), 0.0, static_cast<double>(maxPoint)));
}

}  // namespace

float PlottedValue(const ProgramState& state, int16_t slotNumber, int point) {
    const float ch1 = state.Ch1Data[slotNumber][point];
    const float ch2 = state.Ch2Data[slotNumber][point];
    const bool spectrumSlot = slotNumber <= slot::LastOverlay;
    if (spectrumSlot && state.ViewReflectance && !state.SlotInfo[slotNumber].NoRatio) {
        if (!state.AbsorbanceOn) return ch2 == 0.0f ? 1.0f : ch1 / ch2;
        if (ch1 == 0.0f) return 0.0f;
        const float r = ch2 / ch1;
        if (!(r > 0.0f)) return 0.0f;
        return static_cast<float>(std::log(static_cast<double>(r)) / AbsorbanceDivisor);
    }
    // A processing result is the curve in channel 1; its channel 2 is no reference pass.
    if (spectrumSlot && state.ShowChannel2 && !state.ProcessedResult) return ch2;
    return ch1;
}

int SlotPoints(const ProgramState& state, int16_t slotNumber) {
    if (!IsValidSlot(slotNumber)) return 0;
    return std::clamp<int>(state.SlotInfo[slotNumber].NumPoints, 0, PointCount);
}

bool HasTrailingStatusPoints(const ProgramState& state, int16_t slotNumber) {
    return SlotPoints(state, slotNumber) == PixelCount && !state.SlotInfo[slotNumber].Binned;
}

int LastSpectralPoint(const ProgramState& state, int16_t slotNumber) {
    const int n = SlotPoints(state, slotNumber);
    return HasTrailingStatusPoints(state, slotNumber) ? n - 9 : n - 1;
}

XRange VisibleXRange(const ProgramState& state, int16_t slotNumber) {
    const SlotRecord& rec = state.SlotInfo[slotNumber];
    if (slotNumber < slot::DarkCh2 && state.XZoomOn) {
        return {static_cast<float>(state.XZoomMin - 0.001), static_cast<float>(state.XZoomMax + 0.001)};
    }
    return {static_cast<float>(rec.XMin - 0.001), static_cast<float>(rec.XMax + 0.001)};
}

VisiblePoints FindVisiblePoints(const ProgramState& state, int16_t slotNumber, XRange range) {
    VisiblePoints v;
    const int n = SlotPoints(state, slotNumber);
    if (n < 1) return v;
    const auto& x = state.XData[slotNumber];
    int first = 0;
    while (first < n && !(x[first] >= range.lo)) ++first;
    int last = n - 1;
    while (last >= 0 && !(x[last] <= range.hi)) --last;
    if (first >= n || last < 0 || first > last) return v;
    v.first = first;
    v.last = last;
    v.any = true;
    return v;
}

float SecondX(const ProgramState& state, int16_t slotNumber) {
    return state.XData[slotNumber][SlotPoints(state, slotNumber) > 1 ? 1 : 0];
}

float LonePointX(const SlotRecord& rec) {
    return static_cast<float>((static_cast<double>(rec.PlotLeft) + rec.PlotRight) / 2);
}

void DrawLonePoint(Canvas& target, float x, float y, float width, Color color) {
    const float half = width / 2;
    target.Box(x - half, y - half, x + half, y + half, color, true);
}

int SearchStartPixel(const ProgramState& state, int16_t slotNumber, float lo) {
    const int n = SlotPoints(state, slotNumber);
    if (n < 2) return 0;
    const auto& x = state.XData[slotNumber];
    if (x[0] >= lo) return 0;
    int g = BoundedGuess(lo - x[0], x[n - 1] - x[0], n, n - 1, 1);
    if (x[g] > lo) g = 1;
    while (g < n - 1 && x[g] < lo) ++g;
    return g;
}

int SearchEndPixel(const ProgramState& state, int16_t slotNumber, float hi, int lastPoint,
                   int startPixel) {
    const int n = SlotPoints(state, slotNumber);
    if (n < 2) return 0;
    lastPoint = std::clamp(lastPoint, 0, n - 1);
    startPixel = std::clamp(startPixel, 0, n - 1);
    const auto& x = state.XData[slotNumber];
    int e = lastPoint;
    if (!(x[lastPoint] <= hi)) {
        e = BoundedGuess(x[lastPoint] - hi, x[lastPoint] - x[0], n, lastPoint, startPixel);
        if (x[e] > hi) e = startPixel;
        const float near = static_cast<float>(hi - 0.4);
        while (e < lastPoint && x[e] < near) ++e;
    }
    return std::max(e, startPixel);
}

std::vector<XTick> XAxisTicks(ProgramState& state, int16_t slotNumber, XRange range,
                              const VisiblePoints& visible) {
    std::vector<XTick> ticks;
    const int n = SlotPoints(state, slotNumber);
    if (n < 2 || !visible.any) return ticks;
    const SlotRecord& rec = state.SlotInfo[slotNumber];
    const auto& x = state.XData[slotNumber];

    float span = range.hi - range.lo;
    if (span == 0.0f) span = 10;
    if (span > 100000.0f) span = 100000;
    const int start = SearchStartPixel(state, slotNumber, range.lo);
    const int end = SearchEndPixel(state, slotNumber, range.hi, n - 1, start);
    state.StartPixel = static_cast<int16_t>(start);
    state.EndPixel = static_cast<int16_t>(end);
    const int intervals = end - start == 0 ? 1 : end - start;

    const float step = AxisTickStep(span);
    // Tick numbers in 64 bits: an absurd x range must not overflow them.
    const int64_t kEnd = int64_t{FloorToInt32(range.hi / step)} + 1;
    int i = visible.first;
    int64_t k = int64_t{FloorToInt32(x[i] / step)} + 1;
    if (static_cast<float>(step * (static_cast<double>(k) - 1.0)) == x[i]) --k;
    const double xoff = RoundHalfEven((start - 1.0) / intervals * state.PlotWidth);

    for (int count = 0; k < kEnd && count < MaxTicks; ++count, ++k) {
        const int32_t t = RoundToInt32Clamped(static_cast<double>(step) * static_cast<double>(k));
        i = PassPoint(x, n, i, static_cast<float>(t));
        float frac = 0;
        if (i > 0 && x[i] != x[i - 1]) frac = (x[i] - static_cast<float>(t)) / (x[i] - x[i - 1]);
        const double txExact =
            rec.PlotLeft + (i - 1 - static_cast<double>(frac)) * state.PlotWidth / intervals - xoff + 1;
        if (!std::isfinite(txExact)) break;
        const int32_t tx = RoundToInt32Clamped(txExact);
        if (tx > rec.PlotRight) break;
        ticks.push_back({t, tx});
    }
    return ticks;
}

std::string TickLabel(int32_t value) {
    std::string text = StrInt(value);
    if (!text.empty() && text[0] == ' ') text.erase(0, 1);
    return text;
}

Color TraceColor(int16_t slotNumber) {
    if (slotNumber > slot::LastOverlay) return QBColor(1);
    if (slotNumber == 6) return QBColor(0);
    return QBColor(slotNumber + 1);
}

}  // namespace tav
