#pragma once
// The fixed-point picture formats ("####.#", "#####.000 ") of single-precision values without
// the general Format's picture parsing and strings: the rows of a spectrum file write thousands
// of values, each in the text Format gives for it, byte for byte.

#include <string>

namespace tav {

// The shortest decimal digits that read back as a finite single (those the picture format
// rounds): value = (negative ? -1 : 1) * 0.d1d2d3... * 10^point; no leading or trailing zeros,
// none at all for zero (which is never negative).
struct ShortDigits {
    bool negative = false;
    char digits[12] = {};
    int count = 0;
    int point = 0;
};

ShortDigits ShortestDigits(float value);

// Where the point stands once the digits are rounded (half away from zero) to `significant`
// significant digits (significant >= 1); a carry moves it one place on.
int PointAfterRounding(const ShortDigits& digits, int significant);

// Appends the text Format gives for the value of `digits` with the picture of any number of "#"
// places, a point and `decimals` places (decimals >= 1): "0" places (trailing zeros kept) with
// keepZeros, else "#" places (trailing zeros dropped, the point kept).
void AppendFixed(std::string& out, const ShortDigits& digits, int decimals, bool keepZeros);

}  // namespace tav
