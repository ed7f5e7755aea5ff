#include "files/TextLines.h"

namespace tav {

LineReader::Status TextLineReader::Next(std::string& line, std::size_t maxLength) {
    line.clear();
    if (pos_ >= text_.size()) return Status::End;
    const std::size_t end = text_.find_first_of("\r\n", pos_);
    const std::size_t stop = end == std::string_view::npos ? text_.size() : end;
    if (stop - pos_ > maxLength) {
        pos_ += maxLength;
        return Status::TooLong;
    }
    line.assign(text_.substr(pos_, stop - pos_));
    pos_ = stop;
    if (pos_ < text_.size()) {
        const bool crLf = text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n';
        pos_ += crLf ? 2 : 1;
    }
    return Status::Line;
}

}  // namespace tav
