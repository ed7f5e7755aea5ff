#include "platform/comm/SerialSettings.h"

#include <cctype>
#include <vector>

namespace tav {

namespace {

std::string Trim(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && std::isspace(static_cast<unsigned char>(s[b]))) ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1]))) --e;
    return s.substr(b, e - b);
}

std::optional<int> Digits(const std::string& s, size_t maxLen) {
    if (s.empty() || s.size() > maxLen) return std::nullopt;
    int v = 0;
    for (char c : s) {
        if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
        v = v * 10 + (c - '0');
    }
    return v;
}

}  // namespace

std::optional<SerialSettings> ParseSerialSettings(const std::string& text) {
    std::vector<std::string> fields;
    size_t start = 0;
    for (;;) {
        size_t comma = text.find(',', start);
        fields.push_back(Trim(text.substr(start, comma == std::string::npos ? std::string::npos
                                                                             : comma - start)));
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    if (fields.size() != 4) return std::nullopt;

    SerialSettings s;
    auto baud = Digits(fields[0], 7);
    if (!baud || *baud < 50 || *baud > 4000000) return std::nullopt;
    s.baud = *baud;

    if (fields[1].size() != 1) return std::nullopt;
    s.parity = static_cast<char>(std::toupper(static_cast<unsigned char>(fields[1][0])));
    if (std::string("NEOMS").find(s.parity) == std::string::npos) return std::nullopt;

    auto bits = Digits(fields[2], 1);
    if (!bits || *bits < 5 || *bits > 8) return std::nullopt;
    s.dataBits = *bits;

    if (fields[3] == "1") s.stopBits = 1;
    else if (fields[3] == "2") s.stopBits = 2;
    else if (fields[3] == "1.5") s.stopBits = 15;
    else return std::nullopt;
    return s;
}

double CharacterSeconds(const SerialSettings& s) {
    double stop = s.stopBits == 15 ? 1.5 : s.stopBits;
    double bits = 1.0 + s.dataBits + (s.parity == 'N' ? 0.0 : 1.0) + stop;
    return bits / s.baud;
}

}  // namespace tav
