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

void KeepACalibrationForEachChannel(ProgramState& state) {
    ProgramState& s = state;
    if (s.CalCoeffA == 0 && s.CalCoeffB == 0 && s.CalCoeffC == 0) {
        s.CalCoeffA = BuiltInCalCoeffA;
        s.CalCoeffB = BuiltInCalCoeffB;
        s.CalCoeffC = BuiltInCalCoeffC;
    }
    if (s.CalCoeffD == 0 && s.CalCoeffE == 0 && s.CalCoeffF == 0) {
        s.CalCoeffD = BuiltInCalCoeffD;
        s.CalCoeffE = BuiltInCalCoeffE;
        s.CalCoeffF = BuiltInCalCoeffF;
    }
}

}  // namespace tav
