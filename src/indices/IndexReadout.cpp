#include "indices/IndexReadout.h"

#include "files/FormatByMagnitude.h"

namespace tav {

std::string IndexReadoutText(const IndexReadoutLine& line) {
    std::string text = line.label;
    if (line.hasValue) text += FormatByMagnitude(line.value);
    return text + line.suffix;
}

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
