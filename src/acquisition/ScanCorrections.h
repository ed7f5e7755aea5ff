// Corrections of a new scan pair (reference pass in slot 10, second pass in the current slot),
// shared by the next-scan and overlay-scan flows: the dark spectra of slots 8 and 9, the
// reference calibration file read into slot 18, and the averaging of both channels onto common
// wavelength bins.
#pragma once

#include <cstdint>

#include "acquisition/AcquisitionContext.h"

namespace tav {

// With dark correction on and no simulation running: channel 1 of the slot less slot 8,
// slot 10 less slot 9, and the corrected reference pass becomes channel 2 of the slot.
void SubtractDarkSpectra(ProgramState& state, int16_t slot);

// Pixel mode with ReferenceOn: channel 2 of the slot becomes the measured reference scaled point
// by point by the file's channel 1 to channel 2 ratio (1.0 where the file's channel 2 is 0), and
// slot 10 shows it. Points beyond the file's length stay uncorrected; a file that cannot be read
// corrects nothing (the reader has told the operator).
void ApplyReferenceFile(AcquisitionContext& ctx, int16_t slot);

// Bin mode: both channels averaged onto bins BinWidth wide (taken within 0.4 to 500 nm) over
// the wavelength range that the spectral pixels of the two channels share (a pixel spectrum's
// status words from point 248 on take no part), one nanometre inside it; the slot gets the bin
// count (2 to 2200) and the bin centres as x, slot 10 the same x. With ReferenceOn the binned
// reference is scaled by the file's binned channels as in pixel mode.
void AverageOntoBins(AcquisitionContext& ctx, int16_t slot);

// The three in the order the flows take them.
void CorrectNewSpectrum(AcquisitionContext& ctx, int16_t slot);

// The bins of the current channel ranges: first centre, last centre and count.
struct BinLayout {
    float width = 0;
    float start = 0;
    float end = 0;
    int16_t count = 0;
};
BinLayout ComputeBinLayout(const ProgramState& state, int16_t slot);

}  // namespace tav
