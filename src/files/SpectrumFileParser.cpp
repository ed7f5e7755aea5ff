#include "files/SpectrumFileParser.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>

#include "files/TextLines.h"
#include "platform/Numbers.h"

namespace tav {
namespace {

constexpr int HeaderLines = 10;
constexpr double FirstRowMinimumX = 150.0;  // a headerless file's rows begin after such a line
constexpr std::string_view ReadOutBlockStart = "Scan#:";  // the block of a multi-scan file

bool IsControlOrBlank(char c) { return static_cast<unsigned char>(c) < 40; }

double LeadingNumber(std::string_view text) { return Val(std::string(text)); }

// The nearest single; nothing for a value beyond the single range. The largest singles are
// written with the digits that round to them, which lie just above FLT_MAX.
std::optional<float> ToSingle(double v) {
    const float single = NearestSingle(v);
    if (!std::isfinite(single)) return std::nullopt;
    return single;
}

// The words of one header line: runs between blanks, TABs and commas, double quotes ignored.
// A missing word is empty and reads as 0.
std::vector<std::string> HeaderWords(std::string_view line) {
    std::vector<std::string> words;
    std::string word;
    for (char c : line) {
        if (c == '"') continue;
        if (c == ' ' || c == '\t' || c == ',') {
            if (!word.empty()) words.push_back(std::move(word));
            word.clear();
        } else {
            word.push_back(c);
        }
    }
    if (!word.empty()) words.push_back(std::move(word));
    return words;
}

// The first word after the label's colon when it is a number and nothing else.
std::optional<double> NumberAfterLabel(std::string_view line) {
    const size_t colon = line.find(':');
    if (colon == std::string_view::npos) return std::nullopt;
    const std::vector<std::string> words = HeaderWords(line.substr(colon + 1));
    if (words.empty()) return std::nullopt;
    const char* begin = words.front().c_str();
    char* end = nullptr;
    const double value = std::strtod(begin, &end);
    if (end == begin || *end != '\0' || !std::isfinite(value)) return std::nullopt;
    return value;
}

float HeaderTemperature(std::string_view line) {
    const std::optional<double> t = NumberAfterLabel(line);
    if (!t) return NoTemperature;
    return ToSingle(*t).value_or(NoTemperature);
}

int16_t HeaderScanCount(std::string_view line) {
    const std::optional<double> n = NumberAfterLabel(line);
    if (!n || *n < 1 || *n > std::numeric_limits<int16_t>::max() || std::floor(*n) != *n) return NoScanCount;
    return static_cast<int16_t>(*n);
}

std::optional<float> HeaderWord(std::string_view line, size_t oneBasedIndex) {
    const std::vector<std::string> words = HeaderWords(line);
    if (oneBasedIndex > words.size()) return 0.0f;
    return ToSingle(Val(words[oneBasedIndex - 1]));
}

// An item of a line from column col: leading blanks skipped, a text in double quotes taken whole
// without its quotes, else the text up to the next comma. col moves past the comma that ends it,
// or to the end of the line.
std::string_view NextItem(std::string_view line, size_t& col) {
    while (col < line.size() && (line[col] == ' ' || line[col] == '\t')) ++col;
    std::string_view item;
    if (col < line.size() && line[col] == '"') {
        const size_t close = line.find('"', col + 1);
        const size_t end = close == std::string_view::npos ? line.size() : close;
        item = line.substr(col + 1, end - col - 1);
        col = end == line.size() ? end : end + 1;
        const size_t comma = line.find(',', col);
        col = comma == std::string_view::npos ? line.size() : comma + 1;
        return item;
    }
    const size_t comma = line.find(',', col);
    const size_t end = comma == std::string_view::npos ? line.size() : comma;
    item = line.substr(col, end - col);
    col = comma == std::string_view::npos ? line.size() : comma + 1;
    while (!item.empty() && (item.back() == ' ' || item.back() == '\t')) item.remove_suffix(1);
    return item;
}

// Takes one field of a row: the text up to and including the first character below code 40
// (the whole rest when there is none); then skips the character after it when it is such a
// separator, so that a row with single separators loses no digit.
std::string_view TakeField(std::string_view& rest) {
    size_t p = 0;
    while (p < rest.size() && !IsControlOrBlank(rest[p])) ++p;
    std::string_view field;
    if (p == rest.size()) {
        field = rest;
        rest = {};
        return field;
    }
    field = rest.substr(0, p + 1);
    rest.remove_prefix(p + 1);
    if (!rest.empty() && IsControlOrBlank(rest.front())) rest.remove_prefix(1);
    return field;
}

// The lines of the file within the format's bounds: at most `budget` lines for the part being
// read (the lines before the rows, then the rows), each at most MaxSpectrumLineLength long. A
// longer line ends the file there, like its end.
class LineFeed {
public:
    LineFeed(LineReader& lines, int budget) : lines_(lines), budget_(budget) {}

    // The rows begin: they have a budget of their own.
    void StartRows() {
        taken_ = 0;
        budget_ = MaxFilePoints;
    }
    // A row was taken: the lines need no more looking at for what kept the rows away.
    void RowTaken() { beforeRows_ = false; }

    bool Take(std::string& line) {
        if (failed_ || ended_ || taken_ >= budget_) return false;
        switch (lines_.Next(line, MaxSpectrumLineLength)) {
            case LineReader::Status::Line:
                ++taken_;
                if (beforeRows_) LookAt(line);
                return true;
            case LineReader::Status::Failed: failed_ = true; return false;
            case LineReader::Status::TooLong: tooLong_ = beforeRows_; [[fallthrough]];
            case LineReader::Status::End: ended_ = true; return false;
        }
        return false;
    }
    bool Failed() const { return failed_; }

    // Why no row came, for a file without header.
    NoRows WhyNoRows() const {
        if (sawControl_) return NoRows::NotText;
        if (tooLong_) return NoRows::LongLine;
        return sawText_ ? NoRows::WithoutHeader : NoRows::Empty;
    }

private:
    void LookAt(const std::string& line) {
        for (const char c : line) {
            const auto code = static_cast<unsigned char>(c);
            if (c == ' ' || c == '\t') continue;
            if (code < ' ' || code == 0x7F) sawControl_ = true;
            else sawText_ = true;
        }
    }

    LineReader& lines_;
    int budget_;
    int taken_ = 0;
    bool failed_ = false;
    bool ended_ = false;
    bool beforeRows_ = true;
    bool sawText_ = false, sawControl_ = false, tooLong_ = false;
};

// "inf", "infinity" or "nan" in any case, with an optional sign, as the writer and other programs
// leave a value that overflowed; nothing for any other text.
std::optional<float> NonFiniteValue(std::string_view field) {
    bool negative = false;
    if (!field.empty() && (field.front() == '-' || field.front() == '+')) {
        negative = field.front() == '-';
        field.remove_prefix(1);
    }
    const auto is = [field](std::string_view word) {
        return field.size() == word.size() &&
               std::equal(field.begin(), field.end(), word.begin(),
                          [](char a, char b) { return (a | 0x20) == b; });  // b is lower case
    };
    if (is("nan")) return std::numeric_limits<float>::quiet_NaN();
    if (!is("inf") && !is("infinity")) return std::nullopt;
    return negative ? -std::numeric_limits<float>::infinity() : std::numeric_limits<float>::infinity();
}

// A channel field that is a non-finite value is that value; any other field is its leading
// number, within single precision.
std::optional<float> ChannelValue(std::string_view field) {
    while (!field.empty() && IsControlOrBlank(field.back())) field.remove_suffix(1);
    if (const std::optional<float> v = NonFiniteValue(field)) return v;
    return ToSingle(LeadingNumber(field));
}

// Reads the rows: first the given text (the rest of the line that ended the search, when there
// is one), then the following lines. True when the first line looked at is the block of a
// memory read-out.
bool ParseRows(LineFeed& feed, std::string first, bool useFirst, ParsedSpectrum& out) {
    feed.StartRows();
    std::string line = std::move(first);
    for (bool have = useFirst || feed.Take(line); have; have = feed.Take(line)) {
        std::string_view row = line;
        if (row.empty()) return false;
        while (!row.empty() && IsControlOrBlank(row.front())) row.remove_prefix(1);
        const bool readOutBlock = out.x.empty() && row.substr(0, ReadOutBlockStart.size()) == ReadOutBlockStart;
        const std::optional<float> x = ToSingle(LeadingNumber(TakeField(row)));
        const std::optional<float> c1 = ChannelValue(TakeField(row));
        const std::optional<float> c2 = ChannelValue(row);
        if (!x || !c1 || !c2 || *x == 0.0f) return readOutBlock;
        out.x.push_back(*x);
        out.ch1.push_back(*c1);
        out.ch2.push_back(*c2);
        feed.RowTaken();
        if (static_cast<int>(out.x.size()) >= MaxFilePoints) return false;  // no line after the last point
    }
    return false;
}

// The header's ten lines, each parsed on its own; the first is already taken.
ParseStatus ReadHeaderLines(LineFeed& feed, const std::string& first, ParsedSpectrum& out) {
    std::vector<std::string> lines{first};
    std::string line;
    while (static_cast<int>(lines.size()) < HeaderLines && feed.Take(line)) lines.push_back(line);
    if (feed.Failed()) return ParseStatus::ReadFailed;
    if (static_cast<int>(lines.size()) < HeaderLines) return ParseStatus::TruncatedHeader;
    const std::optional<float> xMin = HeaderWord(lines[3], 2);
    const std::optional<float> xMax = HeaderWord(lines[3], 4);
    const std::optional<float> dataMin = HeaderWord(lines[5], 3);
    const std::optional<float> dataMax = HeaderWord(lines[6], 3);
    const std::optional<float> integ = HeaderWord(lines[7], 2);
    if (!xMin || !xMax || !dataMin || !dataMax || !integ) return ParseStatus::BadHeaderNumber;
    out.hasHeader = true;
    out.XMin = *xMin;
    out.XMax = *xMax;
    out.DataMin = *dataMin;
    out.DataMax = *dataMax;
    out.IntegTime = *integ;
    out.Temperature = HeaderTemperature(lines[1]);
    out.ScansAveraged = HeaderScanCount(lines[8]);
    return ParseStatus::Ok;
}

}  // namespace

ParseStatus ParseSpectrumLines(LineReader& lines, ParsedSpectrum& out) {
    out = ParsedSpectrum{};
    LineFeed feed(lines, MaxLeadingLines);
    std::string line;
    if (!feed.Take(line)) {
        out.noRows = feed.WhyNoRows();
        return feed.Failed() ? ParseStatus::ReadFailed : ParseStatus::Ok;
    }
    size_t col = 0;
    std::string item(NextItem(line, col));
    if (item.compare(0, 4, "File") == 0) {
        const ParseStatus status = ReadHeaderLines(feed, line, out);
        if (status != ParseStatus::Ok) return status;
        const bool readOut = ParseRows(feed, {}, false, out);
        out.noRows = readOut ? NoRows::ReadOut : NoRows::AfterHeader;
        return feed.Failed() ? ParseStatus::ReadFailed : ParseStatus::Ok;
    }
    // A file without header: the items up to and including the first whose leading number is
    // at least 150 are passed over; the rows begin after it.
    bool found = true;
    while (LeadingNumber(item) < FirstRowMinimumX) {
        if (col >= line.size()) {
            if (!feed.Take(line)) {
                found = false;
                break;
            }
            col = 0;
        }
        item = std::string(NextItem(line, col));
    }
    if (found) {
        if (col < line.size()) {
            ParseRows(feed, line.substr(col), true, out);
        } else {
            ParseRows(feed, {}, false, out);
        }
    }
    out.noRows = feed.WhyNoRows();
    return feed.Failed() ? ParseStatus::ReadFailed : ParseStatus::Ok;
}

ParseStatus ParseSpectrumText(std::string_view text, ParsedSpectrum& out) {
    TextLineReader lines(text);
    return ParseSpectrumLines(lines, out);
}

}  // namespace tav
