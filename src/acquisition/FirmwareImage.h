#pragma once
// A firmware image read whole and checked before anything of it is sent: S-record text up to and
// including the end record S804000000FB (lines after it are not read). Every line is one record:
// "S", its type, then upper-case hex digit pairs: the count of the bytes that follow, the address,
// the data and the checksum (the ones' complement of the sum of the other bytes). Blanks and tabs
// around a record are dropped, blanks inside it are kept but not sent, and a blank line is
// skipped. A line end may be CR LF, LF or CR.
//
// The image is bounded before it is read in: a line of more than 4096 characters, more than
// 16 MiB with the line ends, or more than 262144 lines (blank ones included) is no image to send.

#include <optional>
#include <string>
#include <vector>

namespace tav {

class LineReader;

// The records to send, in order, the end record last; nullopt when the text is no image to send,
// with `why` saying so for the operator ("line 3 holds a character that is not a hex digit",
// "it has no end record S804000000FB"), or "" when the file could not be read further (the
// reader's Error() says why).
std::optional<std::vector<std::string>> ReadImageRecords(LineReader& reader, std::string& why);

// Why one record, its blanks left out, is no S-record; "" when it is one.
std::string SRecordFault(const std::string& record);

}  // namespace tav
