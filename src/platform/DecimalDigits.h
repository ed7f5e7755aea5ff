#pragma once
// A finite number as decimal digits, the common ground of the number-to-text routines: the
// toolkit rounds on the decimal value the operator sees, never on the binary fraction.

#include <string>

namespace tav {

// value = (negative ? -1 : 1) * 0.d1d2d3... * 10^pointPos; digits has no leading or trailing
// zeros and is empty for zero.
struct DecimalDigits {
    bool negative = false;
    std::string digits;
    int pointPos = 0;

    bool IsZero() const { return digits.empty(); }
};

// True when v is exactly a single-precision value (a widened float).
bool IsExactSingle(double v);

// The digits of a finite single-precision value rounded to `significant` digits (1..9).
DecimalDigits SingleDigits(float v, int significant);
// The digits of a finite double rounded to `significant` digits (1..17).
DecimalDigits DoubleDigits(double v, int significant);
// The digits of a finite value as callers of the picture format hand it in: a value that is
// exactly a single (a widened float) gives the single's shortest round-trip digits, any other
// value its 15 significant digits.
DecimalDigits ValueDigits(double v);

// Rounds half away from zero to `fraction` digits after the point (negative: to tens, ...).
void RoundToFraction(DecimalDigits& d, int fraction);
// Rounds half away from zero to `count` significant digits (count >= 1).
void RoundToSignificant(DecimalDigits& d, int count);

}  // namespace tav
