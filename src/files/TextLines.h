#pragma once
// Splitting a file's text into lines without their ends (CR LF, LF or a lone CR). A last line
// without an end counts; the empty text after the last line end does not.

#include <string_view>
#include <vector>

namespace tav {

std::vector<std::string_view> SplitTextLines(std::string_view text);

}  // namespace tav
