#include "indices/KineticSeries.h"

#include <algorithm>
#include <cmath>

#include "shared/IndexPassRecord.h"

namespace tav {

void StoreKineticPoint(ProgramState& state, float value, int16_t code, int16_t& counter,
                       float time) {
    if (KineticWindowOf(code) == nullptr || !HasIndexValue(value)) return;
    if (state.AxisSlot == -1) state.AxisSlot = code;
    auto& xs = state.XData[static_cast<std::size_t>(code)];
    auto& ys = state.Ch1Data[static_cast<std::size_t>(code)];
    counter = std::max<int16_t>(counter, 0);
    if (counter + 1 > MaxKineticPoints) {
        counter = MaxKineticPoints - 1;
        std::copy(xs.begin() + 1, xs.begin() + MaxKineticPoints, xs.begin());
        std::copy(ys.begin() + 1, ys.begin() + MaxKineticPoints, ys.begin());
    }
    const auto at = static_cast<std::size_t>(counter);
    xs[at] = time;
    ys[at] = value;
    SlotRecord& record = state.SlotInfo[static_cast<std::size_t>(code)];
    record.NumPoints = static_cast<int16_t>(counter + 1);
    record.XMax = time;
    record.XMin = xs[0];
}

bool RepeatsLastKineticPoint(const ProgramState& state, int16_t code, int16_t counter, float value,
                             float time) {
    if (KineticWindowOf(code) == nullptr || counter < 1 || counter > MaxKineticPoints) return false;
    const auto last = static_cast<std::size_t>(counter - 1);
    if (state.SlotInfo[static_cast<std::size_t>(code)].NumPoints != counter) return false;
    const auto same = [](float a, float b) { return a == b || (std::isnan(a) && std::isnan(b)); };
    return same(state.XData[static_cast<std::size_t>(code)][last], time) &&
           same(state.Ch1Data[static_cast<std::size_t>(code)][last], value);
}

}  // namespace tav
