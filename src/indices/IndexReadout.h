#pragma once
// The lines of the index read-out window: a label, the value's text, a trailing text.

#include <string>
#include <vector>

#include "shared/ProgramState.h"

namespace tav {

struct IndexReadoutLine {
    std::string label;
    bool hasValue = false;
    float value = 0;
    std::string suffix;

    bool operator==(const IndexReadoutLine&) const = default;
};

namespace readout {
inline const std::string NoBands = "No Bands Have Been Defined!";
inline const std::string ElapsedTime = "Elapsed Time=";
inline const std::string Seconds = " Seconds";
inline const std::string Ratio = "Ratio = ";
inline const std::string NormDiff = "Normalized Difference = ";
inline const std::string Experimental = "Experimental = ";
inline const std::string Derivative = "Derivative = ";
inline const std::string Integral = "Integral = ";
inline const std::string Average = "Average = ";
}  // namespace readout

inline IndexReadoutLine TextLine(std::string text) { return {std::move(text), false, 0, {}}; }
inline IndexReadoutLine ValueLine(std::string label, float value, std::string suffix = {}) {
    return {std::move(label), true, value, std::move(suffix)};
}
inline IndexReadoutLine ElapsedTimeLine(float elapsed) {
    return ValueLine(readout::ElapsedTime, elapsed, readout::Seconds);
}

// The text of a line: the label, the value's FormatByMagnitude text, the trailing text, with
// nothing between them.
std::string IndexReadoutText(const IndexReadoutLine& line);

// What the window's repaint shows: the empty line, the elapsed time and the six stored values,
// whatever the enable flags are.
std::vector<IndexReadoutLine> StoredIndexReadout(const ProgramState& state);

}  // namespace tav
