#pragma once
// Bytes and 16-bit words on the wire: one character per byte, words high byte first.

#include <cstdint>
#include <string>

namespace tav {

inline std::string ByteText(int b) { return std::string(1, static_cast<char>(b & 0xFF)); }

// A value sent as a word: taken within 0 to 32767, hi = v \ 256, lo = v - 256 * hi.
std::string WordBytes(int32_t value);

// The word at characters `at` and `at + 1` of text; a character beyond its end counts as 0.
int32_t WordAt(const std::string& text, size_t at);

}  // namespace tav
