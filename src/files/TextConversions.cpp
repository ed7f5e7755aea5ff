#include "files/TextConversions.h"

#include "platform/Numbers.h"

namespace tav {
namespace {

std::string WithoutLeadingBlanks(std::string text) {
    text.erase(0, text.find_first_not_of(' '));
    return text;
}

// Settings values are read through a fixed 80-character window.
constexpr int16_t NumberScanLimit = 80;

}  // namespace

std::string IntToText(int16_t x) { return WithoutLeadingBlanks(StrInt(x)); }
std::string SngToText(float x) { return WithoutLeadingBlanks(StrSingle(x)); }
std::string NumToText(double x) { return WithoutLeadingBlanks(StrDouble(x)); }

float NextNumber(const std::string& text, int16_t& position) {
    if (position < 1) position = 1;
    const auto length = static_cast<int>(text.size());
    auto code = [&](int16_t pos) { return static_cast<unsigned char>(text[pos - 1]); };
    while (position < NumberScanLimit && position <= length &&
           (code(position) > '9' || code(position) < '-')) {
        ++position;
    }
    std::string collected;
    while (position <= length && code(position) >= '-' && code(position) <= '9' &&
           position < NumberScanLimit) {
        collected += static_cast<char>(code(position));
        ++position;
    }
    return ToSingleClamped(Val(collected));
}

void ParseEightValues(std::array<float, 9>& values, const std::string& text) {
    int16_t position = 1;
    for (int i = 0; i < 8; ++i) values[i] = NextNumber(text, position);
}

void SplitPath(std::string& path, std::string& name, std::string& folder) {
    const auto first = path.find_first_not_of(' ');
    if (first == std::string::npos) {
        path.clear();
    } else {
        path = path.substr(first, path.find_last_not_of(' ') - first + 1);
    }
    const auto separator = path.find_last_of(":\\/");
    const std::size_t split = separator == std::string::npos ? 0 : separator + 1;
    folder = path.substr(0, split);
    name = path.substr(split);
    while (!name.empty() && name.back() == '\0') name.pop_back();
}

bool IsBadFileNameChar(int16_t code) {
    if (code >= 'A' && code <= 'Z') return false;
    if (code >= '0' && code <= '9') return false;
    return code != '$' && code != '.' && code != '_' && code != '~';
}

}  // namespace tav
