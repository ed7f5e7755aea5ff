#pragma once
// The chart cursor: a vertical line through the plot at one point of one slot, a small mark at
// the point's height and a one-line read-out above the plot. Line and mark are drawn in the
// not-xor pen, so drawing them again at the same place removes them and the chart itself is
// never redrawn to move the cursor.

#include <cstdint>

#include "charts/ChartWindows.h"
#include "charts/MainWindowView.h"
#include "platform/draw/Canvas.h"
#include "shared/ProgramState.h"

namespace tav {

namespace cursor {
constexpr int16_t NoKey = -1;          // key code of a mouse call or a redraw
constexpr float Erase = -1.0f;         // position: remove line, mark and read-out
constexpr float Redraw = -2.0f;        // position: draw again at CursorPoint on a fresh chart
}  // namespace cursor

// Moves, draws or erases the cursor of the slot on the window: the key codes key::PageUp to
// key::Down (page keys, End, Home, arrows), or key -1 with the mouse x as position; position -1
// erases, -2 redraws.
// Nothing happens for a slot with fewer than 2 points, none in the visible range, or a plot
// rectangle without area.
void MoveChartCursor(ProgramState& state, Canvas& window, const MainWindowView& view,
                     int16_t slotNumber, int16_t key, float position);

// Screen y of the slot's plotted value at the point, held to +/-30000.
int16_t DataToScreenY(const ProgramState& state, int point, int16_t slotNumber);

// The mark: four short diagonal strokes around (x, y) in the current pen; the upper two only
// where they stay below plotTop.
void DrawCursorMark(Canvas& window, float x, float y, int16_t plotTop);

// The cursor command's "off": CursorOn cleared, every shown cursor of slots 0 to 17 erased on
// its window (when that window is loaded) and its fields cleared.
void ClearAllCursors(ProgramState& state, ChartWindows& windows);

}  // namespace tav
