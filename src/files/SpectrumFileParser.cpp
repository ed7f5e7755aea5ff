#include "files/SpectrumFileParser.h"

#include <cfloat>
#include <cmath>
#include <limits>
#include <optional>
#include <string>

#include "files/TextLines.h"
#include "platform/Numbers.h"

namespace tav {
namespace {

constexpr int HeaderLines = 10;
constexpr double FirstRowMinimumX = 150.0;  // a headerless file's rows begin after such a line

bool IsControlOrBlank(char c) { return static_cast<unsigned char>(c) < 40; }

double LeadingNumber(std::string_view text) { return Val(std::string(text)); }

// Half a unit in the last place above the largest single: from here on a value rounds to infinity.
constexpr double SingleOverflow = 3.4028235677973366e38;

// The nearest single; the largest singles are written with the digits that round to them, which
// lie just above FLT_MAX.
std::optional<float> ToSingle(double v) {
    if (!std::isfinite(v) || std::fabs(v) >= SingleOverflow) return std::nullopt;
    if (std::fabs(v) > FLT_MAX) return v > 0 ? FLT_MAX : -FLT_MAX;
    return static_cast<float>(v);
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

    bool Take(std::string& line) {
        if (failed_ || ended_ || taken_ >= budget_) return false;
        switch (lines_.Next(line, MaxSpectrumLineLength)) {
            case LineReader::Status::Line: ++taken_; return true;
            case LineReader::Status::Failed: failed_ = true; return false;
            case LineReader::Status::End:
            case LineReader::Status::TooLong: ended_ = true; return false;
        }
        return false;
    }
    bool Failed() const { return failed_; }

private:
    LineReader& lines_;
    int budget_;
    int taken_ = 0;
    bool failed_ = false;
    bool ended_ = false;
};

// A channel field as the writer leaves a value that overflowed ("Inf", "-Inf", "NaN", before its
// separator) is that value; any other field is its leading number, within single precision.
std::optional<float> ChannelValue(std::string_view field) {
    while (!field.empty() && IsControlOrBlank(field.back())) field.remove_suffix(1);
    if (field == "Inf") return std::numeric_limits<float>::infinity();
    if (field == "-Inf") return -std::numeric_limits<float>::infinity();
    if (field == "NaN") return std::numeric_limits<float>::quiet_NaN();
    return ToSingle(LeadingNumber(field));
}

// Reads the rows: first the given text (the rest of the line that ended the search, when there
// is one), then the following lines.
void ParseRows(LineFeed& feed, std::string first, bool useFirst, ParsedSpectrum& out) {
    feed.StartRows();
    std::string line = std::move(first);
    for (bool have = useFirst || feed.Take(line); have; have = feed.Take(line)) {
        std::string_view row = line;
        if (row.empty()) return;
        while (!row.empty() && IsControlOrBlank(row.front())) row.remove_prefix(1);
        const std::optional<float> x = ToSingle(LeadingNumber(TakeField(row)));
        const std::optional<float> c1 = ChannelValue(TakeField(row));
        const std::optional<float> c2 = ChannelValue(row);
        if (!x || !c1 || !c2 || *x == 0.0f) return;
        out.x.push_back(*x);
        out.ch1.push_back(*c1);
        out.ch2.push_back(*c2);
        if (static_cast<int>(out.x.size()) >= MaxFilePoints) return;  // no line after the last point
    }
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
    return ParseStatus::Ok;
}

}  // namespace

ParseStatus ParseSpectrumLines(LineReader& lines, ParsedSpectrum& out) {
    out = ParsedSpectrum{};
    LineFeed feed(lines, MaxLeadingLines);
    std::string line;
    if (!feed.Take(line)) return feed.Failed() ? ParseStatus::ReadFailed : ParseStatus::Ok;
    size_t col = 0;
    std::string item(NextItem(line, col));
    if (item.compare(0, 4, "File") == 0) {
        const ParseStatus status = ReadHeaderLines(feed, line, out);
        if (status != ParseStatus::Ok) return status;
        ParseRows(feed, {}, false, out);
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
    return feed.Failed() ? ParseStatus::ReadFailed : ParseStatus::Ok;
}

ParseStatus ParseSpectrumText(std::string_view text, ParsedSpectrum& out) {
    TextLineReader lines(text);
    return ParseSpectrumLines(lines, out);
}

}  // namespace tav
