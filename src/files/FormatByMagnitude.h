#pragma once
// Number to text with a picture chosen by the signed value; used by the charts, the kinetic
// logs and the index read-out.

#include <string>

namespace tav {

std::string FormatByMagnitude(float x);

}  // namespace tav
