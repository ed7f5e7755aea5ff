#include "charts/ChartCursor.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "charts/ChartValues.h"
#include "charts/NumericHelpers.h"
#include "charts/ValueFormats.h"
#include "files/TextConversions.h"
#include "platform/Numbers.h"
#include "platform/forms/Keys.h"

namespace tav {
namespace {

constexpr int16_t ReadoutTop = 10;

struct CursorGeometry {
    float x0 = 0;
    float plotWidth = 0;
    VisiblePoints vis;
    int16_t plotTop = 0, plotBottom = 0;
    float XOf(int point) const {
        return static_cast<float>(
            RoundHalfEven(x0 + plotWidth * static_cast<double>(point - vis.first) / vis.Intervals()));
    }
};

void DrawCursorAt(Canvas& window, const CursorGeometry& g, float x, float y) {
    window.Line(x, g.plotTop, x, g.plotBottom);
    DrawCursorMark(window, x, y, g.plotTop);
}

// The y value of the read-out: the value that the chart plots, except that the absorbance is
// the exact base-10 logarithm of the inverse ratio.
float ReadoutValue(const ProgramState& state, int16_t slotNumber, int p) {
    const bool spectrumSlot = slotNumber <= slot::LastOverlay;
    const float ch1 = state.Ch1Data[slotNumber][p];
    const float ch2 = state.Ch2Data[slotNumber][p];
    if (spectrumSlot && state.ViewReflectance && !state.SlotInfo[slotNumber].NoRatio) {
        float v = ch2 == 0.0f ? 1.0f : ch1 / ch2;
        if (state.AbsorbanceOn) v = v > 0 ? Log10Safe(1.0f / v) : 0.0f;
        return v;
    }
    if (spectrumSlot && state.ShowChannel2 && !state.ProcessedResult) return ch2;
    return ch1;
}

std::string ReadoutTemplate(int16_t slotNumber) {
    return slotNumber <= slot::LastOverlay ? "000.0 nm, 0.000, pixel=100" : "000.0 Seconds, 0.000";
}

// The strip above the plot that holds the read-out, cleared in the main window's colour. It
// covers the whole text cell so that no part of an earlier read-out stays.
void ClearReadoutStrip(const ProgramState& state, Canvas& window, const MainWindowView& view,
                       int16_t slotNumber, float& x1) {
    const SlotRecord& rec = state.SlotInfo[slotNumber];
    const double tw = window.TextWidth(ReadoutTemplate(slotNumber));
    const double th = RoundHalfEven(window.TextHeight("0"));
    x1 = static_cast<float>(RoundHalfEven(rec.PlotLeft + (rec.PlotRight - rec.PlotLeft - tw) / 2));
    window.Box(x1, ReadoutTop, window.ScaleWidth(), static_cast<float>(ReadoutTop + th),
               view.MainFormBackColor, true);
}

void PrintReadout(const ProgramState& state, Canvas& window, const MainWindowView& view,
                  int16_t slotNumber) {
    const int p = state.SlotInfo[slotNumber].CursorPoint;
    float x1 = 0;
    ClearReadoutStrip(state, window, view, slotNumber, x1);
    window.CurrentX = x1;
    window.CurrentY = ReadoutTop;
    std::string text = Format(state.XData[slotNumber][p], "##000.0 ");
    text += slotNumber < slot::Ratio ? "nm, " : "Seconds, ";
    text += ValueWithUnitText(ReadoutValue(state, slotNumber, p), "");
    if (slotNumber < slot::Ratio) {
        text += state.PixelMode ? ", Pixel =" : ", Bin =";
        text += IntToText(static_cast<int16_t>(p + 1));
        window.Print(text);
    } else {
        window.PrintInline(text);
    }
}

// The new cursor point for a key or a mouse position; false for Up and Down, which move
// nothing.
bool ApplyMove(SlotRecord& rec, const CursorGeometry& g, int16_t keyCode, float position) {
    int p = rec.CursorPoint;
    switch (keyCode) {
        case key::Left: --p; break;
        case key::Right: ++p; break;
        case key::PageUp: p += 20; break;
        case key::PageDown: p -= 20; break;
        case key::Home: p = g.vis.first; break;
        case key::End:
            p = g.vis.first + static_cast<int>(RoundHalfEven(g.vis.Intervals() / 2.0));
            break;
        case key::Up:
        case key::Down: return false;
        case cursor::NoKey:
            if (position != cursor::Redraw && position >= rec.PlotLeft && position <= rec.PlotRight) {
                const double mx = RoundHalfEven(position);
                p = static_cast<int>(RoundHalfEven(
                    g.vis.first + (mx - rec.PlotLeft) / g.plotWidth * g.vis.Intervals()));
            }
            break;
        default: break;
    }
    if (p > g.vis.last) p = g.vis.first;
    if (p < g.vis.first) p = g.vis.last;
    rec.CursorPoint = static_cast<int16_t>(p);
    return true;
}

// The window that draws the slot's cursor: the experimental series' cursor is drawn on the
// normalized-difference window while that window has it as its selected trace.
Canvas* CursorWindow(const ProgramState& state, ChartWindows& windows, int16_t slotNumber) {
    if (slotNumber == slot::Experimental && state.DisplayChannel[NormDiffWindow] == slot::Experimental) {
        if (Canvas* normDiff = windows.ChartCanvas(NormDiffWindow)) return normDiff;
    }
    return windows.ChartCanvas(SlotWindowIndex(slotNumber));
}

}  // namespace

int16_t DataToScreenY(const ProgramState& state, int point, int16_t slotNumber) {
    if (!IsValidSlot(slotNumber)) return 0;
    const SlotRecord& rec = state.SlotInfo[slotNumber];
    const int n = SlotPoints(state, slotNumber);
    if (n < 1) return rec.PlotBottom;
    point = std::clamp(point, 0, n - 1);
    // The mark sits on the curve: the value the chart plots, absorbance included.
    const double base = static_cast<double>(rec.YScale) * rec.YMin + rec.PlotBottom;
    const double y = base - static_cast<double>(rec.YScale) * PlottedValue(state, slotNumber, point);
    if (std::isnan(y)) return 30000;
    if (std::fabs(y) >= 30000) return y > 0 ? 30000 : -30000;
    return static_cast<int16_t>(RoundHalfEven(y));
}

void DrawCursorMark(Canvas& window, float x, float y, int16_t plotTop) {
    if (y - 60 > plotTop) {
        window.Line(x - 60, y - 60, x - 30, y - 30);
        window.Line(x + 60, y - 60, x + 30, y - 30);
    }
    window.Line(x + 45, y + 45, x + 75, y + 75);
    window.Line(x - 45, y + 45, x - 75, y + 75);
}

void MoveChartCursor(ProgramState& state, Canvas& window, const MainWindowView& view,
                     int16_t slotNumber, int16_t keyCode, float position) {
    const bool moveKey = keyCode >= key::PageUp && keyCode <= key::Down;
    if (!moveKey && keyCode != cursor::NoKey && position != cursor::Erase) return;
    if (!IsValidSlot(slotNumber) || SlotPoints(state, slotNumber) < 2) return;
    SlotRecord& rec = state.SlotInfo[slotNumber];
    if (rec.PlotRight <= rec.PlotLeft || rec.PlotBottom <= rec.PlotTop) return;

    CursorGeometry g;
    g.x0 = rec.PlotLeft;
    g.plotWidth = static_cast<float>(rec.PlotRight - rec.PlotLeft);
    g.plotTop = rec.PlotTop;
    g.plotBottom = rec.PlotBottom;
    g.vis = FindVisiblePoints(state, slotNumber, VisibleXRange(state, slotNumber));
    if (!g.vis.any) return;
    state.PlotWidth = static_cast<int16_t>(rec.PlotRight - rec.PlotLeft);

    // Where line and mark stand now, so that drawing them again removes them.
    double r = static_cast<double>(rec.AnchorPoint - g.vis.first) / g.vis.Intervals();
    if (!(r >= 0 && r <= 1)) r = 0;
    float ax = rec.AnchorPoint == 0 ? g.x0 : static_cast<float>(RoundHalfEven(g.x0 + g.plotWidth * r));
    const float ay = DataToScreenY(state, rec.AnchorPoint, slotNumber);

    window.DrawMode = draw::NotXorPen;
    if (!rec.CursorShown) {
        if (position == cursor::Redraw) position = 0;
        rec.CursorShown = true;
        rec.CursorPoint = static_cast<int16_t>(g.vis.first);
        DrawCursorAt(window, g, g.x0, ay);
        ax = g.x0;
    }
    if (position == cursor::Erase) {
        DrawCursorAt(window, g, ax, ay);
        window.DrawMode = draw::CopyPen;
        float x1 = 0;
        ClearReadoutStrip(state, window, view, slotNumber, x1);
        return;
    }
    if (!ApplyMove(rec, g, keyCode, position)) {
        window.DrawMode = draw::CopyPen;
        return;
    }
    const float cx = g.XOf(rec.CursorPoint);
    const float cy = DataToScreenY(state, rec.CursorPoint, slotNumber);
    if (position != cursor::Redraw) DrawCursorAt(window, g, ax, ay);
    DrawCursorAt(window, g, cx, cy);
    window.DrawMode = draw::CopyPen;
    // The point at which line and mark now stand.
    rec.AnchorPoint = rec.CursorPoint;

    PrintReadout(state, window, view, slotNumber);
    state.AxisSlot = -1;
}

void ClearAllCursors(ProgramState& state, ChartWindows& windows) {
    state.CursorOn = false;
    for (int16_t s = 0; s <= slot::Diagnostics; ++s) {
        SlotRecord& rec = state.SlotInfo[s];
        if (!rec.CursorShown) continue;
        // A window that is not loaded shows no cursor: only the fields are cleared.
        if (Canvas* window = CursorWindow(state, windows, s)) {
            MoveChartCursor(state, *window, windows.MainView(), s, cursor::NoKey, cursor::Erase);
        }
        rec.CursorPoint = 0;
        rec.AnchorPoint = 0;
        rec.CursorShown = false;
    }
}

}  // namespace tav
