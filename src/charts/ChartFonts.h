#pragma once
// The font of chart text, chosen once at start-up from the screen's font list.

#include <string>
#include <vector>

#include "shared/ProgramState.h"

namespace tav {

// ChartFontName := "Arial" when the list has it (from its second entry on), else "Times New
// Roman", else "Small Fonts", else the list's first font. An empty list changes nothing.
void SelectChartFonts(ProgramState& state, const std::vector<std::string>& screenFonts);

}  // namespace tav
