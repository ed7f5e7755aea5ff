#include "charts/ChartScaling.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "charts/ChartValues.h"
#include "platform/Numbers.h"

namespace tav {
namespace {

constexpr double ScreenLimit = 30000;
// A point alone on a window chart is a dot of 3 pixels at 96 dpi.
constexpr float LonePointDot = 45;

// A flat curve (all its values within 5e-05 of each other, a single point among them) would
// give six equal labels and a curve along the frame: its range is widened around its value,
// by a tenth of the value and at least by the curve's own spread (by 1 around 0).
struct YRange {
    float min, max;
};
YRange FlatCurveRange(float min, float max) {
    if (static_cast<float>(min + 5e-05) < max) return {min, max};
    const double mid = (static_cast<double>(min) + max) / 2;
    double half = std::max(std::fabs(mid) / 10, static_cast<double>(max) - min);
    if (half == 0) half = 1;
    const YRange wide{static_cast<float>(mid - half), static_cast<float>(mid + half)};
    if (!std::isfinite(wide.min) || !std::isfinite(wide.max)) return {min, max};
    return wide;
}

// The y range and scale that a run's curves share under a common scale.
struct SharedScale {
    float yMin = 0, yMax = 0, yScale = 0;
};

// Under a common scale the curves of the run (the mean and the curves one standard deviation
// above and below it) are drawn on one scale that covers each slot's own range. Nothing when no
// slot of the run could be scaled.
std::optional<SharedScale> CommonScaleOfRun(ProgramState& state, int16_t first, int16_t shown) {
    std::optional<SharedScale> common;
    for (int16_t i = first; i <= shown; ++i) {
        if (SlotPoints(state, i) < 2 || !FindVisiblePoints(state, i, VisibleXRange(state, i)).any) continue;
        ScaleChartData(state, i);
        const SlotRecord& rec = state.SlotInfo[i];
        if (!common) common = SharedScale{rec.YMin, rec.YMax, rec.YScale};
        common->yMin = std::min(common->yMin, rec.YMin);
        common->yMax = std::max(common->yMax, rec.YMax);
    }
    if (common && common->yMax != common->yMin) {
        const float scale = static_cast<float>(static_cast<double>(state.PlotHeight) /
                                               (static_cast<double>(common->yMax) - common->yMin));
        if (std::isfinite(scale)) common->yScale = scale;
    }
    return common;
}

void DrawRunSlot(ProgramState& state, int16_t i, int16_t shown, const std::optional<SharedScale>& common,
                 const ChartRunDrawing& drawing) {
    if (SlotPoints(state, i) == 0) return;  // an empty slot of the ring is no curve
    ScaleChartData(state, i);
    // Take the common scale before the axis, so the labels show the scale the curves are drawn on.
    if (common) {
        state.SlotInfo[i].YMin = common->yMin;
        state.SlotInfo[i].YMax = common->yMax;
        state.SlotInfo[i].YScale = common->yScale;
    }
    if (i == shown && drawing.yAxis) drawing.yAxis();
    ComputeCurvePoints(state, i);
    if (drawing.curve) drawing.curve(i);
}

}  // namespace

// Slot 13 shares its chart only with slot 12.
int16_t FirstSlotOfRun(const ProgramState& state, int16_t shown) {
    const int16_t first = state.FirstOverlaySlot;
    if (shown <= slot::LastOverlay) return IsValidSlot(first) ? first : shown;
    if (shown == slot::Experimental && first == slot::NormDiff) return first;
    return shown;
}

void DrawChartRun(ProgramState& state, int16_t shown, const ChartRunDrawing& drawing) {
    if (!IsValidSlot(shown)) return;
    const int16_t first = FirstSlotOfRun(state, shown);
    if (first <= shown) {
        const std::optional<SharedScale> common =
            state.CommonScale ? CommonScaleOfRun(state, first, shown) : std::nullopt;
        for (int16_t i = first; i <= shown; ++i) DrawRunSlot(state, i, shown, common, drawing);
        return;
    }
    // The ring has wrapped past slot 7: oldest curves first, no common scale.
    for (int16_t i = first; i <= slot::LastOverlay; ++i) DrawRunSlot(state, i, shown, std::nullopt, drawing);
    for (int16_t i = 0; i <= shown; ++i) DrawRunSlot(state, i, shown, std::nullopt, drawing);
}

void ScaleChartData(ProgramState& state, int16_t slotNumber) {
    if (!IsValidSlot(slotNumber)) return;
    SlotRecord& rec = state.SlotInfo[slotNumber];
    const XRange range = VisibleXRange(state, slotNumber);
    state.PlotWidth = RoundToInt16Clamped(static_cast<double>(rec.PlotRight) - rec.PlotLeft);
    if (SlotPoints(state, slotNumber) < 1) return;
    if (!FindVisiblePoints(state, slotNumber, range).any) return;

    const int start = SearchStartPixel(state, slotNumber, range.lo);
    const int end =
        SearchEndPixel(state, slotNumber, range.hi, LastSpectralPoint(state, slotNumber), start);
    state.StartPixel = static_cast<int16_t>(start);
    state.EndPixel = static_cast<int16_t>(end);

    // Values that are not finite (from a file) take no part in the range; they are drawn
    // clamped to the edge of the screen.
    bool found = false;
    float min = 0, max = 0;
    for (int i = start; i <= end; ++i) {
        const float v = PlottedValue(state, slotNumber, i);
        if (!std::isfinite(v)) continue;
        if (!found) {
            min = max = v;
            found = true;
        } else if (v > max) {
            max = v;
        } else if (v < min) {
            min = v;
        }
    }

    const YRange automatic = FlatCurveRange(min, max);
    float yMin = automatic.min;
    float yMax = automatic.max;
    const int16_t w = SlotWindowIndex(slotNumber);
    if (state.AutoScaleOn[w] != -1) {  // any flag but True is manual
        yMin = state.MinGridValue[w];
        yMax = state.MaxGridValue[w];
    }
    float scale = 0.0001f;
    if (yMax != yMin) scale = static_cast<float>(static_cast<double>(state.PlotHeight) / (static_cast<double>(yMax) - yMin));
    if (!std::isfinite(scale)) scale = 0.0001f;

    rec.DataMin = min;
    rec.DataMax = max;
    rec.YMin = yMin;
    rec.YMax = yMax;
    rec.YScale = scale;
}

void ComputeCurvePoints(ProgramState& state, int16_t slotNumber) {
    if (!IsValidSlot(slotNumber)) return;
    const SlotRecord& rec = state.SlotInfo[slotNumber];
    const double scale = rec.YScale;
    const double base = static_cast<float>(rec.YMin * scale + rec.PlotBottom);
    const int n = SlotPoints(state, slotNumber);
    for (int i = 0; i < n; ++i) {
        const double y = base - static_cast<double>(PlottedValue(state, slotNumber, i)) * scale;
        int16_t py;
        if (std::isnan(y)) {
            py = static_cast<int16_t>(ScreenLimit);  // below the plot, out of sight
        } else if (std::fabs(y) >= ScreenLimit) {
            py = static_cast<int16_t>(y > 0 ? ScreenLimit : -ScreenLimit);
        } else {
            py = static_cast<int16_t>(RoundHalfEven(y));
        }
        state.PlotY[i] = py;
    }
}

void PlotCurve(ProgramState& state, Canvas& form, int16_t slotNumber) {
    if (!IsValidSlot(slotNumber)) return;
    const SlotRecord& rec = state.SlotInfo[slotNumber];
    const VisiblePoints vis =
        FindVisiblePoints(state, slotNumber, VisibleXRange(state, slotNumber));
    if (SlotPoints(state, slotNumber) < 1 || !vis.any) return;

    const float plotWidth = static_cast<float>(rec.PlotRight - rec.PlotLeft);
    const float step = plotWidth / static_cast<float>(vis.Intervals());
    const bool lone = vis.first == vis.last;
    const float left = lone ? LonePointX(rec) : static_cast<float>(rec.PlotLeft);
    const float x0 = left - static_cast<float>(vis.first) * step;

    form.PSet(left, state.PlotY[vis.first], state.CurveColor);
    form.CurrentX = left;
    form.CurrentY = state.PlotY[vis.first];
    form.ForeColor = TraceColor(slotNumber);
    const int last = std::min(vis.last, LastSpectralPoint(state, slotNumber));
    std::vector<float> xs, ys;
    for (int i = vis.first; i <= last; ++i) {
        xs.push_back(x0 + static_cast<float>(i) * step);
        ys.push_back(state.PlotY[i]);
    }
    form.PolylineTo(xs.data(), ys.data(), xs.size());
    if (lone) DrawLonePoint(form, left, state.PlotY[vis.first], LonePointDot, form.ForeColor);
    form.ForeColor = state.TextColor;
}

}  // namespace tav
