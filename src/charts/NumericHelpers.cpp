#include "charts/NumericHelpers.h"

#include <cmath>
#include <utility>

namespace tav {

float AxisTickStep(float span) {
    // The first test that holds gives the step; the order matters (3 gives 2, 100.5 gives 25).
    if (span < 3) return 0.25f;
    if (span <= 10) return 2;
    if (span <= 50) return 5;
    if (span <= 100) return 10;
    if (span > 60000) return 36000;
    if (span > 40000) return 18000;
    if (span > 20000) return 9000;
    if (span > 10000) return 4000;
    if (span > 6000) return 2500;
    if (span > 2000) return 400;
    if (span > 1000) return 200;
    if (span > 600) return 100;
    if (span <= 250) return 25;
    return 50;
}

float Log10Safe(float x) {
    if (!(x > 0)) return 0.0f;
    return static_cast<float>(std::log(static_cast<double>(x)) / std::log(10.0));
}

void SwapSingle(float& a, float& b) { std::swap(a, b); }

}  // namespace tav
