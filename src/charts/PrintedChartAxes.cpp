#include "charts/PrintedChartAxes.h"

#include <cmath>

#include "charts/ChartAxes.h"
#include "charts/ChartValues.h"
#include "charts/PrintedChartFrame.h"
#include "charts/ValueFormats.h"
#include "platform/Numbers.h"

namespace tav {
namespace {

// Below the plot, as the printed layout has it (PlotHeight counts from the chart's origin).
constexpr float TickLabelDrop = 600;

}  // namespace

void PrintXAxis(ProgramState& state, Canvas& printer, int16_t slotNumber, std::string& caption) {
    if (!IsValidSlot(slotNumber)) return;
    const SlotRecord& rec = state.SlotInfo[slotNumber];
    state.PlotWidth = RoundToInt16Clamped(static_cast<double>(rec.PlotRight) - rec.PlotLeft);
    if (SlotPoints(state, slotNumber) < 1) return;
    const XRange range = VisibleXRange(state, slotNumber);
    const VisiblePoints visible = FindVisiblePoints(state, slotNumber, range);
    // A range that misses every point of the slot gets no ticks, only the caption; so does a
    // single point.
    if (visible.any) DrawXTicks(state, printer, slotNumber, range, visible, state.PlotHeight + TickLabelDrop);

    if (caption.empty()) caption = SecondX(state, slotNumber) < 3000 ? "Wavelength (nm)" : "cm-1";
    const double tw = RoundHalfEven(printer.TextWidth(caption));
    const double th = RoundHalfEven(printer.TextHeight(caption));
    printer.CurrentX = static_cast<float>(state.PrintChartLeft + (state.PrintChartWidth - tw) / 2);
    printer.CurrentY = static_cast<float>(state.PrintChartTop + state.PrintChartHeight - 2 * th + 100);
    printer.Print(caption);
}

void PrintYAxis(ProgramState& state, Canvas& printer, const MainWindowView& view,
                int16_t axisSlot) {
    if (!IsValidSlot(axisSlot)) return;
    const SlotRecord& rec = state.SlotInfo[axisSlot];
    // A slot not scaled for this chart holds the scale of an earlier drawing: no labels
    // rather than wrong ones.
    if (!HasCurrentScale(state, axisSlot)) return;

    const double h = ClearYLabelColumn(printer, rec, view);
    SetPrintGridRows(state, rec.PlotTop, rec.PlotBottom);

    const float yMin = rec.YMin, yMax = rec.YMax;
    const double range = static_cast<double>(yMax) - yMin;
    const float values[] = {
        yMax,
        static_cast<float>(yMin + range * 0.8),
        static_cast<float>(yMin + range * 0.6),
        static_cast<float>(yMin + range * 0.4),
        static_cast<float>(yMin + range * 0.2),
        yMin,
    };
    const std::array<double, 6> rows = {
        rec.PlotTop - h,           state.PrintGridY80 - h, state.PrintGridY60 - h,
        state.PrintGridY40 - h,    state.PrintGridY20 - h, rec.PlotBottom - 1.8 * h,
    };
    const float zeroBand = (yMax - yMin) / 1000000.0f;
    for (const int k : FittingYLabels(rows, printer.TextHeight("8"))) {
        float v = values[k];
        if (std::fabs(v) <= zeroBand) v = 0;
        printer.CurrentX = state.PrintChartLeft + 60.0f;
        printer.CurrentY = static_cast<float>(rows[static_cast<std::size_t>(k)]);
        if (v != 0.0f && (std::fabs(v) < 1 || std::fabs(v) > 9999)) {
            printer.Print(Format(v, "#.##E+00"));
        } else {
            PrinterValueWithUnit(printer, v, "");
        }
    }
}

std::string PrinterValueText(float value, const std::string& unit) {
    // The window's picture for every value but the negative ones.
    const std::string picture = value < 0.0f ? "#.##E+00" : ValueWithUnitPicture(value);
    std::string text = Format(value, picture) + unit.substr(0, 9);
    text.append(10 - picture.size(), ' ');
    return text;
}

void PrinterValueWithUnit(Canvas& printer, float value, const std::string& unit) {
    printer.PrintInline(PrinterValueText(value, unit));
}

}  // namespace tav
