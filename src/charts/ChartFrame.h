#pragma once
// The first step of every window chart: chart font by window size, plot rectangle (stored in
// the slot records that share the window), grid rows, title, the information block under the
// plot of spectrum-window slots, and the frame with its dotted grid.

#include <array>
#include <cstdint>
#include <string>

#include "charts/MainWindowView.h"
#include "platform/draw/Canvas.h"
#include "shared/ProgramState.h"

namespace tav {

// Sets the chart font and lays out the chart without drawing: ChartLeft .. ChartHeight,
// PlotHeight, YTick80 .. YTick20 and the plot rectangle of the slots that share the window.
// False when the plot rectangle has no area (a minimised or tiny window): nothing may be drawn.
bool LayoutChartFrame(ProgramState& state, Canvas& form, int16_t slotNumber);

// Layout, then title, information block, frame and grid. False as LayoutChartFrame, in which
// case nothing is drawn.
bool DrawChartFrame(ProgramState& state, Canvas& form, const MainWindowView& view,
                    int16_t slotNumber);

// Charts of a size measure up to this are lettered in "Small Fonts", larger ones in
// ChartFontName: on the screen and on paper alike.
inline constexpr int32_t SmallFontLimit = 5000;

// The chart font size for the size measure S (the smaller of the width and 2.75 heights).
float ChartFontSize(int32_t sizeMeasure);
// The chart font's name for the size measure S.
std::string ChartFontFor(const ProgramState& state, int32_t sizeMeasure);

// The chart title of the slot ("" for the kinetic slots).
std::string ChartTitle(const ProgramState& state, int16_t slotNumber);

// A plot rectangle into the records of the slots that share the chart of slotNumber: slots 12
// and 13 for slot 13, the slot alone for the others above 7, and slots 0 to lastShared for a
// spectrum slot (the window's chart shares it up to the reference slot, the printed chart
// within the overlay ring).
struct PlotRectangle {
    int16_t top = 0, bottom = 0, left = 0, right = 0;
};
void StorePlotRectangle(ProgramState& state, int16_t slotNumber, int16_t lastShared,
                        const PlotRectangle& rect);

// "(DC on)" or "(DC off)", the dark correction of a title.
std::string DarkCorrectionText(const ProgramState& state);

// The slot's plot rectangle as a box in ChartColor (in the current DrawStyle) and the four
// grid rows, highest first, dotted; DrawStyle is solid afterwards.
void DrawPlotFrame(const ProgramState& state, Canvas& form, const SlotRecord& rec,
                   const std::array<int16_t, 4>& gridRows);

// YTick80 .. YTick20 and PlotHeight from a plot rectangle.
void SetGridRows(ProgramState& state, int16_t plotTop, int16_t plotBottom);

// A number printed as an item: its sign-blank text and one trailing blank (" 12 ", "-3 ").
std::string NumberItem(double value);
// The scans the slot's spectrum averaged, NaN (shown "NaN") where it does not tell.
double ScanCountShown(const SlotRecord& rec);

}  // namespace tav
