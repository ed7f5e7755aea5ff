#pragma once
// "&Process" > "De&rivative": the spectrum on display differentiated with respect to x into
// slot 0, which the spectrum window then shows as "DERIVATIVE (n)", n the order reached. The
// first derivative of a reflectance view is taken of channel 1 over the reference scan; the
// spectrum it came from keeps both its channels. A pixel spectrum is differentiated over its
// spectral points, the ones the chart draws; its status words stay as they were.

#include "shared/ProgramState.h"

namespace tav {

// The processing of the current slot into slot 0, and the state that makes the spectrum window
// show it. Nothing happens, and false comes back, without data or with fewer than 3 points.
bool DifferentiateCurrentSpectrum(ProgramState& state);

}  // namespace tav
