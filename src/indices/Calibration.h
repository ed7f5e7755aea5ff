#pragma once
// Pixel-to-wavelength calibration of channel 1.

#include "shared/ProgramState.h"

namespace tav {

// WaveLength(p-1) = A + B·p + C·p² for pixel p = 1..256 (double, stored single; a value beyond
// the single range is stored as the largest single), then the spectrum window's x zoom range
// becomes the whole table. Element 256 is left alone.
void ComputeWavelengths(ProgramState& state);

}  // namespace tav
