#pragma once
// The slot store kept aside and put back (a slot, what the spectrum window shows), cleared, its
// overlay ring restarted, and a slot's x axis and scale record copied.

#include <array>
#include <cstdint>
#include <string>

#include "platform/draw/Canvas.h"
#include "shared/ProgramState.h"

namespace tav {

// A slot's record and data kept aside, so that a flow that ends without a result can put the
// slot back as it was.
class SlotContents {
public:
    SlotContents(const ProgramState& state, int16_t slot)
        : slot_(slot), record_(state.SlotInfo[slot]), x_(state.XData[slot]), ch1_(state.Ch1Data[slot]),
          ch2_(state.Ch2Data[slot]) {}
    void PutBack(ProgramState& state) const {
        state.SlotInfo[slot_] = record_;
        state.XData[slot_] = x_;
        state.Ch1Data[slot_] = ch1_;
        state.Ch2Data[slot_] = ch2_;
    }

private:
    int16_t slot_;
    SlotRecord record_;
    std::array<float, PointCount> x_, ch1_, ch2_;
};

// What the spectrum window shows, short of the slots' data: the overlay ring, the view flags a
// file read resets and every slot's file name (an open dialog stores the name it chose). A file
// command whose read fails puts it back, so that the window keeps what it showed.
class ShownSpectrum {
public:
    explicit ShownSpectrum(const ProgramState& state);
    void PutBack(ProgramState& state) const;

private:
    int16_t currentSlot_, overlayCount_, firstOverlaySlot_, savedDisplaySlot_, derivativeParam_;
    bool darkViewOn_, darkRefShown_, processedResult_, printInColor_, commonScale_;
    std::array<std::string, SlotCount> names_;
};

// Forgets every spectrum and index series held in memory: the spectrum window is blanked,
// channel 1 of slots 0 to 10 is zeroed over their points, slots 0 to 17 get no points, and the
// next scan restarts the elapsed-time clock. Slots 18 and 19 are kept.
void ClearAllSlots(ProgramState& state, Canvas& mainForm);

// The overlay ring starts again with the one slot (slot 0 unless told): CurrentSlot,
// FirstOverlaySlot, SavedDisplaySlot and the spectrum window's selected trace all name it, and
// OverlayCount is 0 until the caller has drawn it. The cursor moves with the selection but
// nothing is drawn: every caller blanks the spectrum window or draws it afresh. The stored index
// values then belong to no spectrum until the next index pass.
void ResetOverlayRing(ProgramState& state, int16_t newest = 0);

// The target takes the source's point count, x values and scale record; its channel data, file
// name, cursor fields, NoRatio and DataKind stay. Slot numbers outside the store do nothing.
void CopySlot(ProgramState& state, int16_t source, int16_t target);

}  // namespace tav
