#include "charts/ChartFonts.h"

namespace tav {

void SelectChartFonts(ProgramState& state, const std::vector<std::string>& screenFonts) {
    if (screenFonts.empty()) return;
    std::size_t arial = 0, times = 0, small = 0;
    for (std::size_t k = 1; k < screenFonts.size(); ++k) {
        if (screenFonts[k] == "Arial") arial = k;
        if (screenFonts[k] == "Times New Roman") times = k;
        if (screenFonts[k] == "Small Fonts") small = k;
    }
    const std::size_t chosen = arial ? arial : times ? times : small;
    state.ChartFontName = screenFonts[chosen];
}

}  // namespace tav
