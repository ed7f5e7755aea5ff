#pragma once
// Parsing of a spectrum file's text: the ten-line information header (when the file has one),
// the search for the first row in a file without header, and the rows. Pure: no file access and
// no shared state, so that the reader commits to a slot only what parsed.

#include <cstdint>
#include <string_view>
#include <vector>

namespace tav {

// At most this many points are read into a slot: the band routines store their end marker in
// the element after the last point, which must stay inside the point arrays.
inline constexpr int MaxFilePoints = 2201;

struct ParsedSpectrum {
    bool hasHeader = false;
    // Header numbers (only when hasHeader).
    float XMin = 0, XMax = 0, DataMin = 0, DataMax = 0, IntegTime = 0;
    // One element per counted row.
    std::vector<float> x, ch1, ch2;
};

enum class ParseStatus { Ok, TruncatedHeader, BadHeaderNumber };

ParseStatus ParseSpectrumText(std::string_view text, ParsedSpectrum& out);

}  // namespace tav
