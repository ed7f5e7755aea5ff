#pragma once
// Parsing of a spectrum file's lines: the ten-line information header (when the file has one),
// the search for the first row in a file without header, and the rows. No shared state, so that
// the reader commits to a slot only what parsed. Lines are taken one at a time and only as many
// as the format can hold, so a file of any size costs no more than a full spectrum.

#include <cstddef>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"
#include "shared/ProgramState.h"

namespace tav {

// A file fills at most every point of a slot.
inline constexpr int MaxFilePoints = PointCount;
// The header's ten lines and one row per point: no line after them is read.
inline constexpr int MaxSpectrumLines = 10 + MaxFilePoints;
// A file without header: the lines before its rows are looked through up to this many; its rows
// then have a full slot of lines of their own.
inline constexpr int MaxLeadingLines = MaxSpectrumLines;
// Longer than any line the writer makes (a multi-scan row of 50 scans is about 1300 characters);
// a longer line ends the file there.
inline constexpr std::size_t MaxSpectrumLineLength = 4096;

// Why a file gave no row.
enum class NoRows {
    Empty,          // nothing but blanks
    NotText,        // control characters other than TAB before any row
    LongLine,       // a line longer than MaxSpectrumLineLength before any row
    ReadOut,        // a multi-scan file: its block stands where the rows would begin
    AfterHeader,    // a header, and no row after it
    WithoutHeader,  // text without header, and no row
};

struct ParsedSpectrum {
    bool hasHeader = false;
    // Header numbers (only when hasHeader).
    float XMin = 0, XMax = 0, DataMin = 0, DataMax = 0, IntegTime = 0;
    // The temperature and the scans averaged, NoTemperature and NoScanCount where the header's
    // line holds no number (other programs, a file of a spectrum that had none).
    float Temperature = NoTemperature;
    int16_t ScansAveraged = NoScanCount;
    // One element per counted row.
    std::vector<float> x, ch1, ch2;
    // Only when x is empty.
    NoRows noRows = NoRows::Empty;
};

enum class ParseStatus {
    Ok,
    TruncatedHeader,   // a "File" header of fewer than ten lines
    BadHeaderNumber,   // a header number beyond single precision
    ReadFailed,        // the lines could not be read (lines.Error() says why)
};

ParseStatus ParseSpectrumLines(LineReader& lines, ParsedSpectrum& out);
// The same over a text held in memory.
ParseStatus ParseSpectrumText(std::string_view text, ParsedSpectrum& out);

}  // namespace tav
