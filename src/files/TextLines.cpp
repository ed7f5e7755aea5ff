#include "files/TextLines.h"

namespace tav {

std::vector<std::string_view> SplitTextLines(std::string_view text) {
    std::vector<std::string_view> lines;
    lines.reserve(text.size() / 16 + 1);
    size_t start = 0;
    const size_t n = text.size();
    for (size_t i = 0; i < n; ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n') continue;
        lines.push_back(text.substr(start, i - start));
        if (c == '\r' && i + 1 < n && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < n) lines.push_back(text.substr(start));
    return lines;
}

}  // namespace tav
