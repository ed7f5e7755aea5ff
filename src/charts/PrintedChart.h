#pragma once
// The printed twin of the chart driver: the complete chart of one slot (frame, titles,
// information block, axes and the curves of its run) in the top or the bottom half of a
// printer page, so that a page carries two charts. It scales the curves exactly as the window
// chart does; it neither counts the charts nor ends a page (the print dialog does both).

#include <cstdint>
#include <string>

#include "charts/MainWindowView.h"
#include "platform/draw/Canvas.h"
#include "shared/ProgramState.h"

namespace tav {

// Each half page begins this fraction of the page height below its top edge.
constexpr double HalfPageMargin = 0.25 / 11;

// The scale percentages that the printer options dialog takes.
constexpr int16_t PrintScaleMinPct = 1;
constexpr int16_t PrintScaleMaxPct = 125;

// The chart goes into the top half of the page for an odd chartCount and into the bottom half
// for an even one, at PrintScalePct percent of its full size (0.8 of the page width, 0.4 of
// its height; a percentage outside the dialog's range is taken as its nearest end). Where its
// titles, labels and information lines would reach beyond its half of the printable area, the
// chart is made lower (and narrower, centred) until everything fits. An empty slot prints
// nothing. AxisSlot is -1 again when it returns.
void PrintChart(ProgramState& state, Canvas& printer, const MainWindowView& view,
                int16_t slotNumber, std::string xCaption, int16_t chartCount);

// The curve of one slot from PlotY, its visible points spread evenly over the plot width; in
// the slot's palette colour when PrintInColor is on (slot 6 black), black otherwise. A curve
// of a single point is a small filled square.
void PrintCurve(ProgramState& state, Canvas& printer, int16_t slotNumber);

// The origin shift (ScaleTop) that puts an item into its half of the page: the top half for an
// odd count, the bottom half for an even one; the origin lies `offset` page heights below the
// half's top edge.
float HalfPageScaleTop(float pageHeight, int16_t count, double offset);

}  // namespace tav
