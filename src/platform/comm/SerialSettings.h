#pragma once
// The settings string of the serial control, such as "115200,N,8,1": baud, parity, data bits,
// stop bits. Shared by the real port and the loopback one so both accept the same strings.

#include <optional>
#include <string>

namespace tav {

struct SerialSettings {
    int baud = 9600;
    char parity = 'N';  // N, E, O, M or S
    int dataBits = 8;   // 5 to 8
    int stopBits = 1;   // 1 or 2 (1.5 is accepted as 15)
};

// nullopt when the text is not a settings string the control accepts. Blanks around the
// fields and a lower-case parity letter are accepted.
std::optional<SerialSettings> ParseSerialSettings(const std::string& text);

// Seconds one character occupies on the line: start bit, data bits, parity bit, stop bits.
double CharacterSeconds(const SerialSettings& s);

}  // namespace tav
