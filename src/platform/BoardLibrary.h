#pragma once
// The data-acquisition board library, asked once at start-up for board 0's name.

#include <cstdint>
#include <string>

namespace tav {

class BoardLibrary {
public:
    virtual ~BoardLibrary() = default;
    // Writes the board's name and a terminating NUL into the start of buffer (80 blanks on entry),
    // leaving the rest blank. Returns the library's status code.
    virtual int16_t cbGetBoardName(int16_t boardNumber, std::string& buffer) = 0;
};

// No board library on this platform: reports no board (the buffer is left blank).
class NoBoardLibrary : public BoardLibrary {
public:
    int16_t cbGetBoardName(int16_t, std::string&) override { return 0; }
};

}  // namespace tav
