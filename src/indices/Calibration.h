#pragma once
// Pixel-to-wavelength calibration of channel 1.

#include "shared/BuiltInCalibration.h"
#include "shared/ProgramState.h"

namespace tav {

// WaveLength(p-1) = A + B·p + C·p² for pixel p = 1..256 (double, stored single; a value beyond
// the single range is stored as the largest single), then the spectrum window's x zoom range
// becomes the whole table. Element 256 is left alone.
void ComputeWavelengths(ProgramState& state);

// A channel whose three coefficients are all 0 (a settings file without its lines) would put
// every pixel at 0 nm: it takes the built-in calibration instead.
void KeepACalibrationForEachChannel(ProgramState& state);

}  // namespace tav
