#include "charts/PrintedChart.h"

#include <algorithm>
#include <vector>

#include "charts/ChartFrame.h"
#include "charts/ChartScaling.h"
#include "charts/ChartValues.h"
#include "charts/PrintedChartAxes.h"
#include "charts/PrintedChartFit.h"
#include "charts/PrintedChartFrame.h"
#include "platform/Numbers.h"

namespace tav {
namespace {

constexpr float ChartTopFrac = 0.035f;   // of the printable height, within the half
// A fitted chart ends this far (1 pt) above the edge of its half: the printer's text measures
// are rounded.
constexpr float HalfPageClearance = 20;
// A curve of one point is a dot this wide (2 pt), not a line of no length.
constexpr float SinglePointDot = 40;

void SetChartSize(ProgramState& state, Canvas& printer) {
    // The options dialog takes only percentages of its range; any other would print nothing
    // or run off the page.
    const float pct = std::clamp<float>(state.PrintScalePct, PrintScaleMinPct, PrintScaleMaxPct);
    state.PrintWidthFrac = 0.8f * pct / 100;
    state.PrintHeightFrac = 0.4f * pct / 100;
    state.PrintChartWidth = RoundToInt16Clamped(printer.ScaleWidth() * static_cast<double>(state.PrintWidthFrac));
    state.PrintChartHeight = RoundToInt16Clamped(printer.ScaleHeight() * static_cast<double>(state.PrintHeightFrac));
    state.PrintLeftFrac = 0.5f - state.PrintWidthFrac / 2;  // centred across the page
    state.PrintTopFrac = ChartTopFrac;
}

Color PrintedCurveColor(const ProgramState& state, int16_t slotNumber) {
    if (slotNumber > slot::LastOverlay || !state.PrintInColor || slotNumber == 6) return QBColor(0);
    return QBColor(slotNumber + 1);
}

// Everything of the chart after its size and half page are set (font, bookkeeping, frame,
// axes, curves), on the printer or on trial.
void PrintChartContents(ProgramState& state, Canvas& printer, const MainWindowView& view,
                        int16_t slotNumber, std::string xCaption) {
    printer.SetFontBold(false);
    const int32_t s = PrintSizeMeasure(state.PrintChartWidth, state.PrintChartHeight);
    printer.SetFontName(ChartFontFor(state, s));

    if (slotNumber <= slot::LastOverlay) state.MainFirstOverlaySlot = state.FirstOverlaySlot;
    if (!IsValidSlot(state.AxisSlot)) state.AxisSlot = slotNumber;
    // An empty chart leaves no axis choice behind for the next one.
    if (SlotPoints(state, slotNumber) == 0) {
        state.AxisSlot = -1;
        return;
    }

    PrintChartFrame(state, printer, slotNumber);
    PrintXAxis(state, printer, slotNumber, xCaption);
    DrawChartRun(state, slotNumber,
                 {[&] { PrintYAxis(state, printer, view, state.AxisSlot); },
                  [&](int16_t i) { PrintCurve(state, printer, i); }});
    state.AxisSlot = -1;
}

}  // namespace

float HalfPageScaleTop(float pageHeight, int16_t count, double offset) {
    const double h = RoundHalfEven(pageHeight);
    const double half = count % 2 == 0 ? 0.5 : 0.0;
    return static_cast<float>(-(half + offset) * h);
}

void PrintChart(ProgramState& state, Canvas& printer, const MainWindowView& view,
                int16_t slotNumber, std::string xCaption, int16_t chartCount) {
    if (!IsValidSlot(slotNumber)) return;
    SetChartSize(state, printer);
    // The origin is measured in the font the previous chart left on the printer.
    printer.ScaleTop = static_cast<float>(HalfPageScaleTop(printer.Height(), chartCount, HalfPageMargin) -
                                          static_cast<double>(printer.TextHeight("0")));
    if (SlotPoints(state, slotNumber) > 0) {
        // The trial drawings consume the axis choice as the printed one does.
        const int16_t axisSlot = state.AxisSlot;
        PageArea half = HalfOfPage(printer, chartCount);
        half.bottom -= HalfPageClearance;
        FitPrintedChart(state, printer, half, [&](Canvas& trial) {
            state.AxisSlot = axisSlot;
            PrintChartContents(state, trial, view, slotNumber, xCaption);
        });
        state.AxisSlot = axisSlot;
    }
    PrintChartContents(state, printer, view, slotNumber, std::move(xCaption));
}

void PrintCurve(ProgramState& state, Canvas& printer, int16_t slotNumber) {
    if (!IsValidSlot(slotNumber)) return;
    const VisiblePoints visible =
        FindVisiblePoints(state, slotNumber, VisibleXRange(state, slotNumber));
    // No point inside the visible range: no curve (not a stray dot at the left edge).
    if (!visible.any) return;

    const SlotRecord& rec = state.SlotInfo[slotNumber];
    const bool lone = visible.first == visible.last;
    const float x0 = lone ? LonePointX(rec) : static_cast<float>(rec.PlotLeft);
    const float step = static_cast<float>(state.PlotWidth) / static_cast<float>(visible.Intervals());
    const float origin = x0 - static_cast<float>(visible.first) * step;
    printer.PSet(x0, state.PlotY[visible.first], state.CurveColor);
    printer.ForeColor = PrintedCurveColor(state, slotNumber);
    // The status words after point 247 of an instrument scan are no spectrum: as on the
    // window, the spacing counts them but the curve stops before them.
    const int last = std::min(visible.last, LastSpectralPoint(state, slotNumber));
    std::vector<float> xs, ys;
    for (int i = visible.first; i <= last; ++i) {
        xs.push_back(static_cast<float>(i) * step + origin);
        ys.push_back(state.PlotY[i]);
    }
    printer.PolylineTo(xs.data(), ys.data(), xs.size());
    if (lone) DrawLonePoint(printer, x0, state.PlotY[visible.first], SinglePointDot, printer.ForeColor);
    printer.ForeColor = state.TextColor;
}

}  // namespace tav
