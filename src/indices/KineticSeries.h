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

}  // namespace tav
