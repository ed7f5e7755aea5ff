#include "charts/ChartAxes.h"

#include <cmath>
#include <cstdint>

#include "charts/ChartFrame.h"
#include "charts/ChartValues.h"
#include "charts/ValueFormats.h"
#include "indices/NumericHelpers.h"
#include "platform/Numbers.h"

namespace tav {
namespace {

// More ticks than this cannot fit on any window; it bounds the loop for absurd x ranges.
constexpr int MaxTicks = 10000;

std::string TickLabel(int32_t t) {
    std::string text = StrInt(t);
    if (!text.empty() && text[0] == ' ') text.erase(0, 1);
    return text;
}

// The point where the x values pass t, continuing from i: big strides, back by 7, then by 1.
int PassPoint(const std::array<float, PointCount>& x, int n, int i, float t) {
    while (x[i] < t && i < n - 1) i = i + 40 <= n - 1 ? i + 40 : i + 1;
    while (x[i] > t && i > 7) i -= 7;
    const float near = static_cast<float>(t - 0.3);
    while (x[i] < near && i < n - 1) ++i;
    return i;
}

void DrawTicks(ProgramState& state, Canvas& form, int16_t slotNumber, XRange range,
               const VisiblePoints& vis) {
    const SlotRecord& rec = state.SlotInfo[slotNumber];
    const auto& x = state.XData[slotNumber];
    const int n = SlotPoints(state, slotNumber);

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
    int i = vis.first;
    int64_t k = int64_t{FloorToInt32(x[i] / step)} + 1;
    if (static_cast<float>(step * (static_cast<double>(k) - 1.0)) == x[i]) --k;
    const double xoff = RoundHalfEven((start - 1.0) / intervals * state.PlotWidth);
    const bool labelled = slotNumber < slot::Ratio ||
                          (state.Menu.ActivateTimeStamp && state.AutoScanTimerOn);

    form.DrawStyle = draw::Dot;
    for (int ticks = 0; k < kEnd && ticks < MaxTicks; ++ticks, ++k) {
        const int32_t t = RoundToInt32Clamped(static_cast<double>(step) * static_cast<double>(k));
        i = PassPoint(x, n, i, static_cast<float>(t));
        float frac = 0;
        if (i > 0 && x[i] != x[i - 1]) frac = (x[i] - static_cast<float>(t)) / (x[i] - x[i - 1]);
        const double txExact =
            rec.PlotLeft + (i - 1 - static_cast<double>(frac)) * state.PlotWidth / intervals - xoff + 1;
        if (!std::isfinite(txExact)) break;
        const int32_t tx = RoundToInt32Clamped(txExact);
        if (tx > rec.PlotRight) break;
        if (!labelled) continue;
        form.Line(tx, rec.PlotTop, tx, rec.PlotBottom, state.ChartColor);
        const std::string label = TickLabel(t);
        form.CurrentX = static_cast<float>(tx - form.TextWidth(label) / 2);
        form.CurrentY = rec.PlotBottom;
        form.PrintInline(label);
    }
    form.DrawStyle = draw::Solid;
}

}  // namespace

void DrawXAxis(ProgramState& state, Canvas& form, int16_t slotNumber, std::string& xTitle) {
    if (!IsValidSlot(slotNumber)) return;
    const SlotRecord& rec = state.SlotInfo[slotNumber];
    const XRange range = VisibleXRange(state, slotNumber);
    state.PlotWidth = RoundToInt16Clamped(static_cast<double>(rec.PlotRight) - rec.PlotLeft);
    if (SlotPoints(state, slotNumber) < 2) return;

    // A range that misses every point of the slot gets no ticks, only the title.
    const VisiblePoints vis = FindVisiblePoints(state, slotNumber, range);
    if (vis.any) DrawTicks(state, form, slotNumber, range, vis);

    if (xTitle.empty()) {
        xTitle = state.XData[slotNumber][1] < 3000 ? "Wavelength (nm)" : "Wavenumbers (cm-1)";
    }
    const double tw = RoundHalfEven(form.TextWidth(xTitle));
    const double th = RoundHalfEven(form.TextHeight(xTitle));
    form.CurrentX = static_cast<float>(state.ChartLeft + (state.ChartWidth - tw) / 2);
    form.CurrentY = static_cast<float>(state.PlotHeight + 2 * th + 5);
    form.Print(xTitle);
    xTitle.clear();
}

AxisLabel YAxisLabel(float value, float yMin, float yMax) {
    float v = value;
    if (std::fabs(v) <= (yMax - yMin) / 1000000.0f) v = 0;
    if (v != 0.0f && (std::fabs(v) < 0.1 || std::fabs(v) > 9999)) {
        return {Format(v, "#.##E+00"), true};
    }
    return {ValueWithUnitText(v, ""), false};
}

void DrawYAxis(ProgramState& state, Canvas& form, const MainWindowView& view,
               int16_t slotNumber) {
    if (!IsValidSlot(slotNumber)) return;
    const SlotRecord& rec = state.SlotInfo[slotNumber];
    if (rec.YMin == 0.0f && rec.YMax == 0.0f) return;
    // A slot that was not scaled in this drawing (too few points, nothing in the visible
    // range) holds an old scale: no labels rather than wrong ones.
    if (SlotPoints(state, slotNumber) < 2 ||
        !FindVisiblePoints(state, slotNumber, VisibleXRange(state, slotNumber)).any) {
        return;
    }

    const double hh = RoundHalfEven(form.TextHeight("8") / 2);
    form.Box(0, static_cast<float>(rec.PlotTop - hh + 25), static_cast<float>(rec.PlotLeft - 75),
             rec.PlotBottom, view.MainFormBackColor, true);
    SetGridRows(state, rec.PlotTop, rec.PlotBottom);

    if (slotNumber <= slot::LastOverlay && state.ViewReflectance) {
        form.CurrentX = 200;
        form.CurrentY = 0;
        form.Print(state.AbsorbanceOn ? "log Io/I" : "I/Io");
    }

    const double yMin = rec.YMin, range = static_cast<double>(rec.YMax) - rec.YMin;
    const struct {
        double level;
        double row;
    } labels[] = {
        {1.0, rec.PlotTop - hh + 100}, {0.8, state.YTick80 - hh}, {0.6, state.YTick60 - hh},
        {0.4, state.YTick40 - hh},     {0.2, state.YTick20 - hh}, {0.0, rec.PlotBottom - 1.8 * hh},
    };
    for (const auto& label : labels) {
        const float v = label.level == 1.0 ? rec.YMax
                        : label.level == 0.0 ? rec.YMin
                                             : static_cast<float>(yMin + range * label.level);
        const AxisLabel text = YAxisLabel(v, rec.YMin, rec.YMax);
        form.CurrentX = state.ChartLeft + 60.0f;
        form.CurrentY = static_cast<float>(label.row);
        if (text.endsLine) {
            form.Print(text.text);
        } else {
            form.PrintInline(text.text);
        }
    }
}

}  // namespace tav
