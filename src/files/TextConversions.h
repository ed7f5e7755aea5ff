#pragma once
// Number-to-text and text-scanning helpers shared by the files, dialogs and charts.

#include <array>
#include <cstdint>
#include <string>

namespace tav {

// Sign-blank text with the leading blank removed: "5", "-12", ".25".
std::string IntToText(int16_t x);
std::string SngToText(float x);
std::string NumToText(double x);

// The next number of text from 1-based position (0 or below is taken as 1), advancing position
// past it. Numbers are made of "-", ".", "/" and digits; everything else separates; position 80
// and beyond is never read. The number is the leading number of the collected characters, as a
// single (beyond the single range: the largest single of that sign).
float NextNumber(const std::string& text, int16_t& position);
// Eight NextNumber calls from position 1 fill elements 0 to 7; missing numbers give 0.
void ParseEightValues(std::array<float, 9>& values, const std::string& text);

// Trims the blanks around path in place, then splits it after its last ":", "\" or "/":
// folder keeps the separator ("" when there is none), name is the rest without trailing NULs.
void SplitPath(std::string& path, std::string& name, std::string& folder);

// True when the (upper-cased) character may not appear in an AutoSave series name: everything
// but "A" to "Z", "0" to "9", "$", ".", "_" and "~".
bool IsBadFileNameChar(int16_t code);

}  // namespace tav
