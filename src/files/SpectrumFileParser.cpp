#include "files/SpectrumFileParser.h"

#include <cfloat>
#include <cmath>
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

std::optional<float> ToSingle(double v) {
    if (!std::isfinite(v) || std::fabs(v) > FLT_MAX) return std::nullopt;
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

// Reads the rows from lines[first] on, the first one possibly only the rest of its line.
void ParseRows(const std::vector<std::string_view>& lines, size_t first, std::string_view firstText,
               bool useFirstText, ParsedSpectrum& out) {
    for (size_t li = first; li < lines.size(); ++li) {
        if (static_cast<int>(out.x.size()) >= MaxFilePoints) return;
        std::string_view row = (useFirstText && li == first) ? firstText : lines[li];
        if (row.empty()) return;
        while (!row.empty() && IsControlOrBlank(row.front())) row.remove_prefix(1);
        const std::optional<float> x = ToSingle(LeadingNumber(TakeField(row)));
        const std::optional<float> c1 = ToSingle(LeadingNumber(TakeField(row)));
        const std::optional<float> c2 = ToSingle(LeadingNumber(row));
        if (!x || !c1 || !c2 || *x == 0.0f) return;
        out.x.push_back(*x);
        out.ch1.push_back(*c1);
        out.ch2.push_back(*c2);
    }
}

// Where the rows begin: a whole line, or the rest of a line after the item that ended the search.
struct RowStart {
    size_t line = 0;
    bool partial = false;
    std::string_view rest;
};

// The part before the rows: the ten header lines, each parsed on its own, or, in a file without
// header, the items up to and including the first whose leading number is at least 150.
ParseStatus ReadSpectrumHeader(const std::vector<std::string_view>& lines, ParsedSpectrum& out, RowStart& start) {
    size_t col = 0;
    const std::string_view item1 = lines.empty() ? std::string_view() : NextItem(lines[0], col);
    if (item1.substr(0, 4) == "File") {
        if (lines.size() < HeaderLines) return ParseStatus::TruncatedHeader;
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
        start.line = HeaderLines;
        return ParseStatus::Ok;
    }
    size_t li = 0;
    std::string_view item = item1;
    while (li < lines.size() && LeadingNumber(item) < FirstRowMinimumX) {
        if (col >= lines[li].size()) {
            ++li;
            col = 0;
            if (li >= lines.size()) break;
        }
        item = NextItem(lines[li], col);
    }
    if (li >= lines.size()) {
        start.line = lines.size();
    } else if (col < lines[li].size()) {
        start = RowStart{li, true, lines[li].substr(col)};
    } else {
        start.line = li + 1;
    }
    return ParseStatus::Ok;
}

}  // namespace

ParseStatus ParseSpectrumText(std::string_view text, ParsedSpectrum& out) {
    out = ParsedSpectrum{};
    const std::vector<std::string_view> lines = SplitTextLines(text);
    const size_t capacity = lines.size() < MaxFilePoints ? lines.size() : MaxFilePoints;
    out.x.reserve(capacity);
    out.ch1.reserve(capacity);
    out.ch2.reserve(capacity);
    RowStart start;
    const ParseStatus status = ReadSpectrumHeader(lines, out, start);
    if (status != ParseStatus::Ok) return status;
    ParseRows(lines, start.line, start.rest, start.partial, out);
    return ParseStatus::Ok;
}

}  // namespace tav
