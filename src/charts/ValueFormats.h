#pragma once
// Number pictures of the chart labels and the cursor read-out.

#include <string>

#include "files/FormatByMagnitude.h"
#include "platform/draw/Canvas.h"

namespace tav {

// The picture that PrintValueWithUnit chooses from |x| ("   0.0 ", " #####", "#.##E+00", ...).
std::string ValueWithUnitPicture(float x);
// What PrintValueWithUnit prints: x in its picture, then the unit (at most 9 characters) and
// blanks up to 10 picture places.
std::string ValueWithUnitText(float x, const std::string& unit);
// Prints ValueWithUnitText at the current position without ending the line.
void PrintValueWithUnit(Canvas& form, float x, const std::string& unit);

}  // namespace tav
