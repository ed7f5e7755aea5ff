#pragma once
// The rules that the chart scaling, the axes and the cursor share: which value of a point is
// plotted, which x range is visible, and the bounded point searches over a slot's x values.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/draw/Canvas.h"
#include "shared/ProgramState.h"

namespace tav {

// The plotted value of point i of the slot: ratio, absorbance, channel 2 or channel 1 by the
// display switches (slots 8 and above always show channel 1, and so does a processing result
// whatever the channel switch says).
float PlottedValue(const ProgramState& state, int16_t slotNumber, int point);

// The slot's point count bounded to the point store (0 for a bad slot or a negative count).
int SlotPoints(const ProgramState& state, int16_t slotNumber);

// A 256-point instrument spectrum carries status words after point 247 (the temperature count
// at 248); those points are neither scaled nor drawn. Other series, a spectrum of 256 bins
// among them, use every point.
bool HasTrailingStatusPoints(const ProgramState& state, int16_t slotNumber);
// The last point that the value range and the curve may use.
int LastSpectralPoint(const ProgramState& state, int16_t slotNumber);

// The visible x range: the zoom range for the spectrum window's slots when zoom is on, else
// the slot's own range, each widened by 0.001.
struct XRange {
    float lo = 0;
    float hi = 0;
};
XRange VisibleXRange(const ProgramState& state, int16_t slotNumber);

// first: the lowest point with x >= lo; last: the highest with x <= hi. `any` is false when no
// point lies inside the range (the whole slot left or right of it, or fewer than 1 point).
struct VisiblePoints {
    int first = 0;
    int last = 0;
    bool any = false;
    int Intervals() const { return last - first == 0 ? 1 : last - first; }
};
VisiblePoints FindVisiblePoints(const ProgramState& state, int16_t slotNumber, XRange range);

// The x value that names the default x title: the second point's (the first of a single point).
float SecondX(const ProgramState& state, int16_t slotNumber);

// A point alone in the visible range stands in the middle of the plot's width, clear of the
// frame (the others spread evenly from PlotLeft to PlotRight), and shows as a filled square of
// the given width: a line of no length draws nothing on paper and one pixel on a window.
float LonePointX(const SlotRecord& rec);
void DrawLonePoint(Canvas& target, float x, float y, float width, Color color);

// First point of the value range (the fast search of the chart code, bounded to the slot).
int SearchStartPixel(const ProgramState& state, int16_t slotNumber, float lo);
// Last point of the value range, searching no further than lastPoint; never below startPixel.
int SearchEndPixel(const ProgramState& state, int16_t slotNumber, float hi, int lastPoint,
                   int startPixel);

// The x-axis ticks of a slot, as the window chart and the printed chart place them: the
// multiples of the tick step in the visible range, each at the place where the curve (its
// visible points spread evenly over the plot width) passes its value, plus one unit. Sets
// StartPixel and EndPixel (the last point of the slot included) for the whole visible range;
// PlotWidth must be the slot's. Ends at the first tick right of PlotRight.
struct XTick {
    int32_t value = 0;
    int32_t x = 0;
};
std::vector<XTick> XAxisTicks(ProgramState& state, int16_t slotNumber, XRange range,
                              const VisiblePoints& visible);
// The label of a tick: its value without the sign blank.
std::string TickLabel(int32_t value);

// The colour of a slot's curve: slot n in palette colour n + 1, slot 6 black, slots above 7
// dark blue.
Color TraceColor(int16_t slotNumber);

}  // namespace tav
