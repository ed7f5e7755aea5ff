#include "platform/TextCase.h"

#include <cctype>

namespace tav {

std::string LowerAscii(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool EqualIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && LowerAscii(a) == LowerAscii(b);
}

}  // namespace tav
