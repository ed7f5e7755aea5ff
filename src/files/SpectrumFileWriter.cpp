#include "files/SpectrumFileWriter.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "files/FileNames.h"
#include "platform/DecimalDigits.h"
#include "platform/FixedPoint.h"
#include "platform/Numbers.h"
#include "shared/InstrumentTemperature.h"

namespace tav {
namespace {

constexpr const char* LineEnd = "\r\n";
constexpr float WavenumberLimit = 5000.0f;  // x of point 1 at or above it: x is in cm-1

int RowCount(const ProgramState& state, int16_t slot) {
    return std::max<int>(0, state.SlotInfo[slot].NumPoints);
}

void QuotedLine(const std::string& text, std::string& out) {
    out += '"';
    out += text;
    out += '"';
    out += LineEnd;
}

// x of a point as the header shows it: one decimal, cut (not rounded) after 0.05 is added.
std::string XText(const ProgramState& state, int16_t slot, int point) {
    std::string text = StrDouble(static_cast<double>(state.XData[slot][point]) + 0.05);
    const size_t dot = text.find('.');
    text = dot == std::string::npos ? text.substr(0, 1) : text.substr(0, dot + 2);
    return text + (state.XData[slot][1] < WavenumberLimit ? "nm" : "-cm");
}

constexpr int KeptDigits = 5;
constexpr int SeriesDecimals = 5;

// A value that overflowed keeps its field: "Inf", "-Inf" or "NaN", which the reader takes back.
const char* NonFiniteText(double value) {
    if (std::isnan(value)) return "NaN";
    return value < 0 ? "-Inf" : "Inf";
}

// The rows hold thousands of values: each is taken apart into its digits once and laid out by
// the fixed-point shortcut, which gives the picture format's text byte for byte. A value that
// is no single (a raw count beyond 2^24) goes the general way.

// Decimals that give a value that is not whole KeptDigits significant digits at any magnitude,
// and at least `fewest`; a whole number keeps the picture's `fewest`.
int DecimalsFor(float value, const ShortDigits& digits, int fewest) {
    if (std::floor(value) == value) return fewest;
    return std::max(KeptDigits - PointAfterRounding(digits, KeptDigits), fewest);
}

std::string FixedPicture(int integerPlaces, int decimals, char place) {
    return std::string(static_cast<size_t>(integerPlaces), '#') + "." +
           std::string(static_cast<size_t>(decimals), place);
}

// An x value in the picture "####.<places> ", the blank included.
void AppendX(std::string& out, float x, int places) {
    if (!std::isfinite(x)) {
        out += NonFiniteText(x);  // as the picture format writes it: no digits, no blank
        return;
    }
    AppendFixed(out, ShortestDigits(x), places, false);
    out += ' ';
}

// A channel value followed by its separator characters: exactly 0 is "0.". The picture is
// "#####.#" unless that would leave a ratio or a derivative with fewer than five digits.
void AppendChannel(std::string& out, double value, bool last) {
    const char* separator = last ? "" : " ";
    if (!std::isfinite(value)) {
        out += NonFiniteText(value);
    } else if (value == 0.0) {
        out += "0.";
    } else if (IsExactSingle(value)) {
        const auto single = static_cast<float>(value);
        const ShortDigits digits = ShortestDigits(single);
        const int decimals = DecimalsFor(single, digits, 1);
        AppendFixed(out, digits, decimals, decimals != 1);
    } else {
        DecimalDigits digits = ValueDigits(value);
        RoundToSignificant(digits, KeptDigits);
        const int decimals = std::floor(value) == value ? 1 : std::max(KeptDigits - digits.pointPos, 1);
        out += Format(value, FixedPicture(5, decimals, decimals == 1 ? '#' : '0'));
    }
    out += separator;
}

// Channel 1 of the series form: "####.#####", with more decimals where five would leave fewer
// than five significant digits.
void AppendSeries(std::string& out, float value) {
    if (!std::isfinite(value)) {
        out += NonFiniteText(value);
        return;
    }
    const ShortDigits digits = ShortestDigits(value);
    AppendFixed(out, digits, DecimalsFor(value, digits, SeriesDecimals), false);
}

// The smallest and the largest finite channel-1 value with the first point of each; both 0 at
// point 0 when no value is finite.
struct Extremes {
    float minimum = 0, maximum = 0;
    int minPoint = 0, maxPoint = 0;
};

// A count that the spectrum does not tell is no value, as a temperature it does not tell: " NaN".
std::string ScanCountText(int16_t scans) {
    return scans > 0 ? StrInt(scans) : StrSingle(std::numeric_limits<float>::quiet_NaN());
}

Extremes FiniteExtremes(const ProgramState& state, int16_t slot, int points) {
    Extremes e;
    bool found = false;
    for (int i = 0; i < points; ++i) {
        const float v = state.Ch1Data[slot][i];
        if (!std::isfinite(v)) continue;
        if (!found || v < e.minimum) { e.minimum = v; e.minPoint = i; }
        if (!found || v > e.maximum) { e.maximum = v; e.maxPoint = i; }
        found = true;
    }
    return e;
}

}  // namespace

bool CanWriteSpectrum(const ProgramState& state, int16_t slot, SpectrumRowForm form) {
    if (!IsValidSlot(slot)) return false;
    const int points = RowCount(state, slot);
    if (form == SpectrumRowForm::MultiScan) {
        return state.RawCountsScans >= 2 && state.RawCountsScans <= MaxMultiScans;
    }
    return points <= PointCount;
}

void WriteSpectrumInfo(const ProgramState& state, int16_t slot, const CivilTime& now, std::string& out) {
    const SlotRecord& rec = state.SlotInfo[slot];
    const int points = RowCount(state, slot);

    Extremes e = FiniteExtremes(state, slot, points);
    if (state.AutoScaleOn[SlotWindowIndex(slot)] != 0) {
        // The chart's range, both at point 0; a range that is not finite cannot be the chart's.
        if (std::isfinite(rec.DataMin) && std::isfinite(rec.DataMax)) {
            e.minimum = rec.DataMin;
            e.maximum = rec.DataMax;
        }
        e.minPoint = e.maxPoint = 0;
    }

    QuotedLine("File:       " + FileNameField(rec.FileName), out);
    QuotedLine("Temp:      " + StrSingle(rec.Temperature).substr(0, 5) + " deg C", out);
    QuotedLine("Time:       " + DateTextSlashes(now) + "  " + TimeText(now) + "  " +
                   Format(state.ElapsedTime, "######.###"),
               out);
    QuotedLine("Limits:    " + StrSingle(rec.XMin) + " -" + StrSingle(rec.XMax), out);
    out += LineEnd;
    QuotedLine("Minimum:   " + XText(state, slot, e.minPoint) + " " + StrSingle(e.minimum), out);
    QuotedLine("Maximum:   " + XText(state, slot, e.maxPoint) + " " + StrSingle(e.maximum), out);
    QuotedLine("Integration:" + StrSingle(rec.IntegTime) + " ms", out);
    QuotedLine("Number Scans:" + ScanCountText(rec.ScansAveraged), out);
    out += LineEnd;
}

void WriteMultiScanBlock(const ProgramState& state, int16_t /*slot*/, std::string& out) {
    const int scans = state.RawCountsScans;
    out += "Scan#:\t";
    for (int j = 1; j <= scans; ++j) {
        if (j > 1) out += '\t';
        out += StrInt(j) + " \tRef-";
    }
    out += LineEnd;
    out += "Temp.:\t";
    for (int j = 1; j <= scans; ++j) {
        if (j > 1) out += '\t';
        // Each scan's own temperature: point 248 of its second pass, column 2j - 1.
        const double t = TemperatureOfWord(state.RawCounts[2 * j - 1][TemperaturePoint]);
        out += Format(t, j < scans ? "####.# " : "####.#") + "\tspec";
    }
    out += LineEnd;
    out += LineEnd;
}

namespace {

// One row per pixel of the transfers, at the pixel's wavelength, whether the slot holds pixels or
// bins: the raw columns are the instrument's words, status words included.
void WriteReadOutRows(const ProgramState& state, std::string& out) {
    const int columns = 2 * state.RawCountsScans;
    out.reserve(out.size() + static_cast<size_t>(PixelCount) * (12 + 8 * static_cast<size_t>(columns)));
    for (int i = 0; i < PixelCount; ++i) {
        AppendX(out, state.WaveLength[i], 1);
        out += '\t';
        for (int c = 1; c <= columns; ++c) {
            const bool last = c == columns;
            AppendChannel(out, state.RawCounts[c][i], last);
            if (!last) out += '\t';
        }
        out += LineEnd;
    }
}

}  // namespace

void WriteSpectrumRows(const ProgramState& state, int16_t slot, SpectrumRowForm form, std::string& out) {
    if (form == SpectrumRowForm::MultiScan) {
        WriteReadOutRows(state, out);
        return;
    }
    const int points = RowCount(state, slot);
    out.reserve(out.size() + static_cast<size_t>(points) * 32);
    for (int i = 0; i < points; ++i) {
        const float x = state.XData[slot][i];
        if (form == SpectrumRowForm::Raw) {
            AppendX(out, x, 1);
            out += '\t';
            AppendChannel(out, state.Ch1Data[slot][i], false);
            out += '\t';
            AppendChannel(out, state.Ch2Data[slot][i], true);
        } else {
            AppendX(out, x, 2);
            AppendSeries(out, state.Ch1Data[slot][i]);
        }
        out += LineEnd;
    }
}

std::string SpectrumFileText(const ProgramState& state, int16_t slot, SpectrumRowForm form, const CivilTime& now) {
    std::string text;
    WriteSpectrumInfo(state, slot, now, text);
    if (form == SpectrumRowForm::MultiScan) WriteMultiScanBlock(state, slot, text);
    WriteSpectrumRows(state, slot, form, text);
    return text;
}

}  // namespace tav
