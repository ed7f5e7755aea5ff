#include "acquisition/LinkWords.h"

#include <algorithm>

#include "acquisition/LinkProtocol.h"

namespace tav {

std::string WordBytes(int32_t value) {
    int32_t v = std::clamp<int32_t>(value, 0, link::MaxWordSent);
    int32_t hi = v / 256;
    return ByteText(hi) + ByteText(v - 256 * hi);
}

int32_t WordAt(const std::string& text, size_t at) {
    auto code = [&](size_t i) -> int32_t {
        return i < text.size() ? static_cast<unsigned char>(text[i]) : 0;
    };
    return 256 * code(at) + code(at + 1);
}

}  // namespace tav
