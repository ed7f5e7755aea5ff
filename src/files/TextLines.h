#pragma once
// A text held in memory read line by line with the rules of a file's LineReader: lines without
// their ends (CR LF, LF or a lone CR); a last line without an end counts, the empty text after
// the last line end does not.

#include <string>
#include <string_view>

#include "platform/FileSystem.h"

namespace tav {

class TextLineReader : public LineReader {
public:
    explicit TextLineReader(std::string_view text) : text_(text) {}
    Status Next(std::string& line, std::size_t maxLength) override;
    FsError Error() const override { return FsError::None; }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

}  // namespace tav
