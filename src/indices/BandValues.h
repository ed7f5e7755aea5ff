#pragma once
// Band values over one slot's channel-1 spectrum: the edge-corrected sum of the points nearest
// to the band (the band integral, in value × points) and their plain average (the band mean).
//
// The searches run over the slot's x values followed by the end marker BandEndMarker, which is
// stored into XData(slot, NumPoints) and stays there. A slot filled to the last element of the
// point store (NumPoints = 2202) has no room for it: the searches then treat the end of the
// array as the marker and nothing is stored. A pixel spectrum's status words (the temperature
// at point 248 and after) are no light: its searches end at point 247, as if the marker stood
// at 248, and its x values stay as they are.

#include <cstdint>

#include "shared/ProgramState.h"

namespace tav {

// The points a band search may use in the slot: its NumPoints bounded to the point store (a
// pixel spectrum's spectral points only), 0 for a slot number outside the store or a negative
// count.
int16_t BandSearchPoints(const ProgramState& state, int16_t slotNumber);

// Writes BandEndMarker into XData(slot, NumPoints) when the slot is valid and the marker fits.
void StoreBandEndMarker(ProgramState& state, int16_t slotNumber);

// First and last point of a band: the points nearest to its start and end (a tie takes the
// higher point; the start search begins at point 2), repaired so that a band below the first
// point covers points 1 and 2, and bounded to 1 <= first <= last <= points-1.
struct BandPixels {
    int16_t first = 1;
    int16_t last = 1;
};
// Requires BandSearchPoints(state, slot) >= 2.
BandPixels FindBandPixels(const ProgramState& state, int16_t slotNumber, float bandStart,
                          float bandEnd);

// The band value over edges held by the caller (the band arrays or a bin's limits): orders the
// edges, widens a band narrower than 0.01 nm once by 0.01 nm, stores the end marker, returns the
// integral and sets mean. A slot with fewer than 2 points gives 0 and mean 0, and changes
// neither the edges nor the slot.
float BandValueOfEdges(ProgramState& state, float& bandStart, float& bandEnd, float& mean,
                       int16_t slotNumber);

// BandValueOfEdges over band element `band` (band number - 1) of BandStart / BandEnd; the
// reordered or widened edges stay in the band arrays. A band element of -1 (no band) or one
// outside 0..NumOfBands-1 gives 0 and leaves mean, the bands and the slot untouched.
float BandValue(ProgramState& state, int16_t band, float& mean, int16_t slotNumber);

}  // namespace tav
