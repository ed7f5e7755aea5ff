#pragma once
// First derivative of a slot's channel-1 spectrum with respect to x (value units per nm).

#include <cstdint>
#include <optional>

#include "shared/ProgramState.h"

namespace tav {

// For i = first..last: DerivativeSpectrum(i) = the plain average of the left and right
// difference quotients at point i (a quotient over equal x values counts as 0). Returns the
// cell-weighted mean of those derivatives over the range. Point last + 1 may be the end
// marker after the slot's last point. Writes nothing and returns 0 for a slot with fewer than
// 3 points, a slot number outside the store, or a range that is not 1 <= first <= last <=
// NumPoints - 1; elements outside the range keep their values.
float ComputeDerivativeSpectrum(ProgramState& state, int16_t slotNumber, int16_t first,
                                int16_t last);

// The derivative index of DerivativeBand over the slot: the mean slope over the points nearest
// to the band's edges (the band search of BandValue, without its minimum width), on a pixel
// spectrum no further than its last spectral point, short of the status words. Orders a
// reversed band in the band arrays and stores the end marker. Nothing, and no change, when the
// band number is not 1..NumOfBands or the slot has fewer than 3 points.
std::optional<float> DerivativeIndex(ProgramState& state, int16_t slotNumber);

// True when the 1-based band number names one of the defined bands.
bool IsDefinedBand(const ProgramState& state, int16_t bandNumber);

}  // namespace tav
