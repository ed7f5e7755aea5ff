#pragma once
// A board library for tests that knows one board (board 0) by name. Any other board number
// gets a non-zero status and an untouched buffer. The name and its terminating NUL are written
// over the start of the caller's buffer and never past its end.

#include <algorithm>
#include <string>
#include <vector>

#include "platform/BoardLibrary.h"

namespace tav {

class FakeBoardLibrary : public BoardLibrary {
public:
    static constexpr int16_t BadBoardStatus = 1;

    explicit FakeBoardLibrary(std::string boardName, int16_t status = 0)
        : name_(std::move(boardName)), status_(status) {}

    int16_t cbGetBoardName(int16_t boardNumber, std::string& buffer) override {
        asked_.push_back(boardNumber);
        if (boardNumber != 0) return BadBoardStatus;
        std::string written = name_ + '\0';
        buffer.replace(0, std::min(written.size(), buffer.size()), written, 0,
                       std::min(written.size(), buffer.size()));
        return status_;
    }

    const std::vector<int16_t>& BoardsAsked() const { return asked_; }

private:
    std::string name_;
    int16_t status_;
    std::vector<int16_t> asked_;
};

}  // namespace tav
