#pragma once
// A new point of an index time series, drawn at once: the whole series is redrawn on its
// kinetic window, never only the newest segment.

#include <cstdint>

namespace tav {

class Form;

// Stores (time, value) at index counter of the series of window `code` (dropping the oldest of
// 200 points, which lowers the counter to 199) and redraws the series on form. The caller has
// set FirstOverlaySlot to the code and advances the counter itself when it appends.
void PlotKineticPoint(Form& form, float value, int16_t code, int16_t& counter, float time);

// The drawing half: clears the window and draws the series of `code` with the title "Time (s)".
void RedrawKineticSeries(Form& form, int16_t code);

}  // namespace tav
