#include "acquisition/FirmwareImage.h"

#include <algorithm>
#include <cstddef>

#include "acquisition/LinkProtocol.h"
#include "platform/FileSystem.h"

namespace tav {

namespace {

// A valid S-record line has at most 2 + 2 + 2 * 255 characters; an image is the firmware of a
// hand-held instrument. Anything larger is no image to send, and is not read in: line ends count
// as bytes, and the lines are counted too, since each one costs its place in memory however short
// it is.
constexpr std::size_t MaxRecordLength = 4096;
constexpr std::size_t MaxImageBytes = 16u << 20;
constexpr std::size_t MaxImageLines = 1u << 18;  // 4 MiB of data in the usual 16-byte records

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Address bytes of each record type; 0 for a type that does not exist (S4).
int AddressBytes(char type) {
    switch (type) {
        case '0': case '1': case '5': case '9': return 2;
        case '2': case '6': case '8': return 3;
        case '3': case '7': return 4;
        default: return 0;
    }
}

// The line without the blanks and tabs around it; the blanks inside it are kept, and left out
// when it is sent.
std::string Record(const std::string& line) {
    const size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    const size_t last = line.find_last_not_of(" \t");
    return line.substr(first, last - first + 1);
}

std::string WithoutBlanks(std::string record) {
    std::erase(record, ' ');
    return record;
}

std::string LineNo(std::size_t n) { return "line " + std::to_string(n); }

}  // namespace

std::string SRecordFault(const std::string& record) {
    if (record.size() < 2 || record[0] != 'S' || AddressBytes(record[1]) == 0)
        return "does not begin with S and a record type (S0 to S3, S5 to S9)";
    std::vector<int> bytes;
    for (size_t i = 2; i < record.size(); i += 2) {
        const int high = HexValue(record[i]);
        const int low = i + 1 < record.size() ? HexValue(record[i + 1]) : 0;
        if (high < 0 || low < 0) return "holds a character that is not an upper-case hex digit";
        bytes.push_back(high * 16 + low);
    }
    if (record.size() % 2 != 0 || bytes.empty() || bytes[0] + 1 != static_cast<int>(bytes.size()))
        return "has a count that does not match its length";
    if (bytes[0] < AddressBytes(record[1]) + 1) return "is too short for its address and checksum";
    int sum = 0;
    for (int b : bytes) sum += b;
    if ((sum & 0xFF) != 0xFF) return "has a wrong checksum";
    return "";
}

std::optional<std::vector<std::string>> ReadImageRecords(LineReader& reader, std::string& why) {
    std::vector<std::string> records;
    std::size_t size = 0, lines = 0;
    std::string line;
    for (;;) {
        const LineReader::Status status = reader.Next(line, MaxRecordLength);
        if (status == LineReader::Status::End) break;
        if (status == LineReader::Status::Failed) {
            why.clear();
            return std::nullopt;
        }
        ++lines;
        if (status == LineReader::Status::TooLong) {
            why = LineNo(lines) + " is longer than " + std::to_string(MaxRecordLength) + " characters";
            return std::nullopt;
        }
        size += line.size() + 1;
        if (size > MaxImageBytes) {
            why = "it is larger than 16 MiB";
            return std::nullopt;
        }
        if (lines > MaxImageLines) {
            why = "it has more than " + std::to_string(MaxImageLines) + " lines";
            return std::nullopt;
        }
        std::string record = Record(line);
        if (record.empty()) continue;
        const std::string sent = WithoutBlanks(record);
        if (std::string fault = SRecordFault(sent); !fault.empty()) {
            why = LineNo(lines) + " " + fault;
            return std::nullopt;
        }
        records.push_back(std::move(record));
        if (sent == link::EndRecord) return records;
    }
    why = std::string("it has no end record ") + link::EndRecord;
    return std::nullopt;
}

}  // namespace tav
