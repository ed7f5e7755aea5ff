#include "files/FormatByMagnitude.h"

#include "platform/Numbers.h"

namespace tav {

std::string FormatByMagnitude(float x) {
    // Chosen by the signed value: every negative value takes the exponent picture.
    const char* picture = "#.###E+00";
    if (x == 0.0f) {
        picture = "0.0";
    } else if (x >= 100000.0f) {
        picture = "#.###E+00";
    } else if (x >= 1000.0f) {
        picture = "#####";
    } else if (x >= 100.0f) {
        picture = "###.#";
    } else if (x >= 10.0f) {
        picture = "##.##";
    } else if (x >= 1.0f) {
        picture = "#.###";
    } else if (x >= 0.1f) {
        picture = "#.####";
    } else if (x >= 0.001f) {
        picture = "#.#####";
    }
    return Format(x, picture);
}

}  // namespace tav
