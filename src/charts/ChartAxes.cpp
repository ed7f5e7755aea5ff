#include "charts/ChartAxes.h"

#include <cmath>
#include <cstdint>
#include <vector>

#include "charts/ChartFrame.h"
#include "charts/ChartValues.h"
#include "charts/ValueFormats.h"
#include "platform/Numbers.h"

namespace tav {
namespace {

// The y label sets, from most to fewest (indices top to bottom: 1.0, 0.8, ... 0.0 of the range).
struct YLabelSet {
    std::size_t count;
    std::array<int, 6> labels;
};
constexpr YLabelSet YLabelSets[] = {
    {6, {0, 1, 2, 3, 4, 5}},
    {3, {0, 2, 5}},
    {2, {0, 5}},
    {1, {0}},
};

}  // namespace

void DrawXTicks(ProgramState& state, Canvas& form, int16_t slotNumber, XRange range,
                const VisiblePoints& visible, float labelY) {
    const SlotRecord& rec = state.SlotInfo[slotNumber];
    const std::vector<XTick> ticks = XAxisTicks(state, slotNumber, range, visible);
    const bool labelled = slotNumber < slot::Ratio ||
                          (state.Menu.ActivateTimeStamp && state.AutoScanTimerOn);
    form.DrawStyle = draw::Dot;
    for (const XTick& tick : ticks) {
        if (!labelled) break;
        form.Line(tick.x, rec.PlotTop, tick.x, rec.PlotBottom, state.ChartColor);
        const std::string label = TickLabel(tick.value);
        form.CurrentX = static_cast<float>(tick.x - form.TextWidth(label) / 2);
        form.CurrentY = labelY;
        form.PrintInline(label);
    }
    form.DrawStyle = draw::Solid;
}

void DrawXAxis(ProgramState& state, Canvas& form, int16_t slotNumber, std::string& xTitle) {
    if (!IsValidSlot(slotNumber)) return;
    const SlotRecord& rec = state.SlotInfo[slotNumber];
    const XRange range = VisibleXRange(state, slotNumber);
    state.PlotWidth = RoundToInt16Clamped(static_cast<double>(rec.PlotRight) - rec.PlotLeft);
    if (SlotPoints(state, slotNumber) < 1) return;

    // A range that misses every point of the slot gets no ticks, only the title; so does a
    // single point.
    const VisiblePoints vis = FindVisiblePoints(state, slotNumber, range);
    if (vis.any) DrawXTicks(state, form, slotNumber, range, vis, rec.PlotBottom);

    if (xTitle.empty()) {
        xTitle = SecondX(state, slotNumber) < 3000 ? "Wavelength (nm)" : "Wavenumbers (cm-1)";
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

bool HasCurrentScale(const ProgramState& state, int16_t slotNumber) {
    return SlotPoints(state, slotNumber) >= 1 &&
           FindVisiblePoints(state, slotNumber, VisibleXRange(state, slotNumber)).any;
}

double ClearYLabelColumn(Canvas& form, const SlotRecord& rec, const MainWindowView& view) {
    const double hh = RoundHalfEven(form.TextHeight("8") / 2);
    form.Box(0, static_cast<float>(rec.PlotTop - hh + 25), static_cast<float>(rec.PlotLeft - 75),
             rec.PlotBottom, view.MainFormBackColor, true);
    return hh;
}

void DrawYAxis(ProgramState& state, Canvas& form, const MainWindowView& view,
               int16_t slotNumber) {
    if (!IsValidSlot(slotNumber)) return;
    const SlotRecord& rec = state.SlotInfo[slotNumber];
    if (rec.YMin == 0.0f && rec.YMax == 0.0f) return;
    // An old scale gets no labels rather than wrong ones.
    if (!HasCurrentScale(state, slotNumber)) return;

    const double hh = ClearYLabelColumn(form, rec, view);
    SetGridRows(state, rec.PlotTop, rec.PlotBottom);

    if (slotNumber <= slot::LastOverlay && state.ViewReflectance) {
        form.CurrentX = 200;
        form.CurrentY = 0;
        form.Print(state.AbsorbanceOn ? "log Io/I" : "I/Io");
    }

    const double yMin = rec.YMin, range = static_cast<double>(rec.YMax) - rec.YMin;
    constexpr double levels[] = {1.0, 0.8, 0.6, 0.4, 0.2, 0.0};
    const std::array<double, 6> rows = {
        rec.PlotTop - hh + 100,  state.YTick80 - hh, state.YTick60 - hh,
        state.YTick40 - hh,      state.YTick20 - hh, rec.PlotBottom - 1.8 * hh,
    };
    for (const int k : FittingYLabels(rows, form.TextHeight("8"))) {
        const double level = levels[k];
        const float v = level == 1.0 ? rec.YMax
                        : level == 0.0 ? rec.YMin
                                       : static_cast<float>(yMin + range * level);
        const AxisLabel text = YAxisLabel(v, rec.YMin, rec.YMax);
        form.CurrentX = state.ChartLeft + 60.0f;
        form.CurrentY = static_cast<float>(rows[static_cast<std::size_t>(k)]);
        if (text.endsLine) {
            form.Print(text.text);
        } else {
            form.PrintInline(text.text);
        }
    }
}

std::vector<int> FittingYLabels(const std::array<double, 6>& rows, double textHeight) {
    for (const YLabelSet& set : YLabelSets) {
        bool apart = true;
        for (std::size_t i = 1; i < set.count; ++i) {
            const auto above = static_cast<std::size_t>(set.labels[i - 1]);
            const auto below = static_cast<std::size_t>(set.labels[i]);
            apart = apart && rows[below] - rows[above] >= textHeight;
        }
        if (apart) return {set.labels.begin(), set.labels.begin() + static_cast<std::ptrdiff_t>(set.count)};
    }
    return {};
}

}  // namespace tav
