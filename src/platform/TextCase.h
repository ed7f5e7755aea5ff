#pragma once
// Names compared and sorted without regard to case, as the original platform's file names are:
// ASCII letters only, byte by byte.

#include <string>

namespace tav {

std::string LowerAscii(std::string text);
bool EqualIgnoringCase(const std::string& a, const std::string& b);

}  // namespace tav
