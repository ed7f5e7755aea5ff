// Stand-ins for services whose real definitions are still being built elsewhere; removed as soon
// as the real ones are part of the core library.

#include <cstdio>
#include <string>

#include "charts/FormatByMagnitude.h"
#include "platform/Clock.h"
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

static std::string Two(int v) {
    char b[16];
    std::snprintf(b, sizeof b, "%02d", v);
    return b;
}

std::string DateTextSlashes(const CivilTime& t) { return Two(t.month) + "/" + Two(t.day) + "/" + std::to_string(t.year); }
std::string DateTextDashes(const CivilTime& t) { return Two(t.month) + "-" + Two(t.day) + "-" + std::to_string(t.year); }
std::string TimeText(const CivilTime& t) { return Two(t.hour) + ":" + Two(t.minute) + ":" + Two(t.second); }

}  // namespace tav
