#include "indices/IndexReadout.h"

namespace tav {

std::vector<IndexReadoutLine> StoredIndexReadout(const ProgramState& state) {
    return {TextLine(""),
            ElapsedTimeLine(state.ElapsedTime),
            ValueLine(readout::Ratio, state.RatioValue),
            ValueLine(readout::NormDiff, state.NormDiffValue),
            ValueLine(readout::Experimental, state.ExperimentalValue),
            ValueLine(readout::Derivative, state.DerivativeValue),
            ValueLine(readout::Integral, state.IntegralValue),
            ValueLine(readout::Average, state.AverageValue)};
}

}  // namespace tav
