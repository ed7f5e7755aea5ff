#pragma once
// The series store of the seven index time series (slots 11..17, also the kinetic windows'
// codes), with its 200-point limit. What each window plots and counts is the table of
// shared/KineticWindows.h.

#include <cstdint>

#include "shared/KineticWindows.h"
#include "shared/ProgramState.h"

namespace tav {

// The series store of PlotKineticPoint without the drawing: claims the axis when no slot holds
// it, drops the oldest point when 200 are held (counter lowered to 199), writes (time, value) at
// index counter and sets NumPoints, XMin and XMax of the series slot. The counter is not
// advanced. A code outside 11..17, or a value that is no value (NoIndexValue), changes nothing.
void StoreKineticPoint(ProgramState& state, float value, int16_t code, int16_t& counter,
                       float time);

// True when (time, value) is the series' last point (index counter - 1): what a repaint after an
// index pass would store again at the counter. Such a copy at one time would draw a single point
// as a flat line across the plot and give a longer series a flat tail.
bool RepeatsLastKineticPoint(const ProgramState& state, int16_t code, int16_t counter, float value,
                             float time);

}  // namespace tav
