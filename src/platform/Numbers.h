#pragma once
// The instrument software's number semantics, fixed once for the whole program:
// rounding to an integer goes to the nearest, halves to even; Int floors, integer division
// truncates toward zero; the text of a number carries a leading blank when it is not negative;
// reading a number from text takes its leading number (0 if none). None of these ever throws.

#include <cstdint>
#include <optional>
#include <string>

namespace tav {

// Nearest integer, halves to the even neighbour. Non-finite input gives 0.
double RoundHalfEven(double v);
// CInt / CLng: nullopt when the rounded value does not fit (or v is not finite).
std::optional<int16_t> RoundToInt16(double v);
std::optional<int32_t> RoundToInt32(double v);
// The same, clamped to the type's range instead of failing (non-finite gives 0).
int16_t RoundToInt16Clamped(double v);
int32_t RoundToInt32Clamped(double v);
// Int(x): the largest integer not above x, clamped like RoundToInt32Clamped.
int32_t FloorToInt32(double v);
// The nearest single; beyond the single range the largest single of that sign, NaN gives 0.
// For storing a Val result (double) into a single-precision variable.
float ToSingleClamped(double v);
// The nearest single as the hardware rounds: beyond the single range +/-infinity, NaN stays NaN.
// For results whose true value is kept, overflow included.
float NearestSingle(double v);

// Sign-blank text: " 5", "-3", " .5", " 1.5E-07", " 1E+20". Single precision keeps at most
// 7 significant digits, double 15; integers are exact. The plain form is used while it needs
// no more digit places than that (leading zeros after the point count: 1E-07 gives
// " .0000001", 1234567 gives " 1234567"), else a mantissa, "E", a sign and at least two
// exponent digits (" 1.5E-07", " 1E+07"). Non-finite values give " Inf", "-Inf", " NaN".
std::string StrInt(int32_t v);
std::string StrSingle(float v);
std::string StrDouble(double v);

// Leading number of a text: blanks, TABs and line feeds are deleted first; then the longest
// beginning that reads as a decimal number (sign, digits with one point, exponent E or D in
// either case); 0 when there is none. "&H" prefixes and other forms read as 0. Overflow gives
// +/-infinity only in double (callers that store narrower types use ToSingleClamped or the
// clamped roundings); underflow gives 0.
double Val(const std::string& text);

// Picture formats such as "####.0", "###.0", "#.###E+00", "0.00", "#####", "##000.0 ":
// a "0" is always a digit, a "#" only where needed (no leading zero: .5 in "####.0");
// a "#" after the point drops trailing zeros but keeps the point (5 in "#.###" gives "5.");
// the digits after the point are the most decimals, rounded half away from zero on the decimal
// value (a value that is exactly a single, i.e. a widened float, is rounded on its shortest
// decimal text, so 2.5 in "#" gives "3" and 0.125 in "#.##" gives ".13"; other doubles on their
// 15 significant digits). Integer digits are never cut: those the places cannot hold go to the
// leftmost place. Exponent pictures give one leading digit, a sign always ("E+" and "E-"
// pictures both print "-" for negative exponents, "E+" prints "+" for the others) and at least
// as many exponent digits as the picture has "0" places. A negative value carries "-" in front
// of the whole text, also when it rounds to zero ("-." for -0.01 in "#.#"). Other characters
// (blanks, a second point) are copied where they stand; a picture without digit places is
// copied whole; an empty picture gives the sign-blank text without its blank. Non-finite
// values give a fixed text ("Inf", "-Inf", "NaN") rather than digits.
std::string Format(double value, const std::string& picture);

}  // namespace tav
