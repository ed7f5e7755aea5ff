#pragma once
// What a UART hears when the far end sends at another speed. Both ends use 8 data bits, no
// parity, one stop bit. The receiver starts a character on a falling edge, checks the start bit
// in its middle, samples each data bit in its middle and delivers a character whose stop bit
// reads low as 0 (a framing error, as the serial driver reports it by default). A slow sender
// heard by a fast receiver therefore gives a 0 byte per falling edge; a fast sender heard by a
// slow receiver gives a few bytes of whatever the samples catch, or nothing.

#include <string>
#include <string_view>

namespace tav {

// The bytes a receiver at receiverBaud hears from bytes sent back to back at senderBaud.
// Equal speeds give the bytes unchanged.
std::string HearAtSpeed(std::string_view sent, int senderBaud, int receiverBaud);

// Seconds one 8N1 character occupies on the line at this speed.
inline double CharacterTime(int baud) { return 10.0 / baud; }

}  // namespace tav
