#include "shared/ProgramState.h"

namespace tav {

int16_t SlotWindowIndex(int16_t slotNumber) {
    if (slotNumber >= slot::Ratio && slotNumber <= slot::Diagnostics) {
        return static_cast<int16_t>(slotNumber - slot::Ratio + 1);
    }
    return 0;
}

}  // namespace tav
