#include "charts/PrintedChartFit.h"

#include <algorithm>
#include <cmath>

#include "platform/Numbers.h"

namespace tav {
namespace {

// Each trial takes off at least what stuck out; a smaller font can only make the chart fit
// better, so a few trials are enough.
constexpr int MaxTrials = 6;

}  // namespace

ExtentCanvas::ExtentCanvas(Canvas& printer) : printer_(printer) { ScaleTop = printer.ScaleTop; }

void ExtentCanvas::Take(float x, float y) {
    const float py = y - ScaleTop;
    if (!drawn_) {
        extent_ = {x, py, x, py};
        drawn_ = true;
        return;
    }
    extent_.left = std::min(extent_.left, x);
    extent_.right = std::max(extent_.right, x);
    extent_.top = std::min(extent_.top, py);
    extent_.bottom = std::max(extent_.bottom, py);
}

void ExtentCanvas::PrintInline(const std::string& text) {
    const float width = TextWidth(text), height = TextHeight(text);
    Take(CurrentX, CurrentY);
    Take(CurrentX + width, CurrentY + height);
    CurrentX += width;
}

void ExtentCanvas::Print(const std::string& text) {
    const float height = TextHeight(text);
    PrintInline(text);
    CurrentX = 0;
    CurrentY += height;
}

void ExtentCanvas::Line(float x1, float y1, float x2, float y2, Color) {
    Take(x1, y1);
    Take(x2, y2);
    CurrentX = x2;
    CurrentY = y2;
}

void ExtentCanvas::Box(float x1, float y1, float x2, float y2, Color color, bool) { Line(x1, y1, x2, y2, color); }

void ExtentCanvas::PSet(float x, float y, Color color) { Line(x, y, x, y, color); }

void ExtentCanvas::Cls() {
    CurrentX = 0;
    CurrentY = 0;
}

PageArea HalfOfPage(const Canvas& printer, int16_t count) {
    const float height = printer.ScaleHeight(), half = height / 2;
    if (count % 2 == 0) return {0, half, printer.ScaleWidth(), height};
    return {0, 0, printer.ScaleWidth(), half};
}

void FitPrintedChart(ProgramState& state, Canvas& printer, const PageArea& area,
                     const std::function<void(Canvas&)>& drawChart) {
    const double pageWidth = printer.ScaleWidth(), pageHeight = printer.ScaleHeight();
    if (pageWidth <= 0 || pageHeight <= 0) return;
    double asideBefore = pageWidth;
    for (int trial = 0; trial < MaxTrials; ++trial) {
        ExtentCanvas probe(printer);
        drawChart(probe);
        if (!probe.Drawn()) return;
        const PageArea& drawn = probe.Extent();
        const double below = std::ceil(drawn.bottom - area.bottom);
        double aside = std::ceil(std::max(drawn.right - area.right, area.left - drawn.left));
        // What sticks out at the side regardless of the chart's width is not narrowed away.
        if (aside >= asideBefore) aside = 0;
        asideBefore = aside;
        if (below <= 0 && aside <= 0) return;
        if (below > 0) {
            const double height = std::max(0.0, state.PrintChartHeight - below);
            state.PrintHeightFrac = static_cast<float>(height / pageHeight);
            state.PrintChartHeight = RoundToInt16Clamped(pageHeight * static_cast<double>(state.PrintHeightFrac));
        }
        if (aside > 0) {
            const double width = std::max(0.0, state.PrintChartWidth - 2 * aside);
            state.PrintWidthFrac = static_cast<float>(width / pageWidth);
            state.PrintLeftFrac = 0.5f - state.PrintWidthFrac / 2;
            state.PrintChartWidth = RoundToInt16Clamped(pageWidth * static_cast<double>(state.PrintWidthFrac));
        }
    }
}

}  // namespace tav
