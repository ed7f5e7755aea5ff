#include "indices/Calibration.h"

#include "platform/Numbers.h"

namespace tav {

void ComputeWavelengths(ProgramState& state) {
    for (int p = 1; p <= PixelCount; ++p) {
        const double pixel = p;
        const double wavelength =
            (state.CalCoeffC * pixel) * pixel + (state.CalCoeffB * pixel + state.CalCoeffA);
        state.WaveLength[p - 1] = ToSingleClamped(wavelength);
    }
    state.XZoomMin = state.WaveLength[0];
    state.XZoomMax = state.WaveLength[PixelCount - 1];
}

}  // namespace tav
