// A stand-in for a service whose real definition is still being built elsewhere; removed as soon
// as the real one is part of the core library.

#include <string>

#include "charts/FormatByMagnitude.h"
#include "platform/Numbers.h"

namespace tav {

std::string FormatByMagnitude(float x) {
    const char* picture = "#.###E+00";
    if (x == 0.0f) picture = "0.0";
    else if (x >= 100000.0f) picture = "#.###E+00";
    else if (x >= 1000.0f) picture = "#####";
    else if (x >= 100.0f) picture = "###.#";
    else if (x >= 10.0f) picture = "##.##";
    else if (x >= 1.0f) picture = "#.###";
    else if (x >= 0.1f) picture = "#.####";
    else if (x >= 0.001f) picture = "#.#####";
    return Format(x, picture);
}

}  // namespace tav
