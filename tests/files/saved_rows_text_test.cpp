// The rows of a spectrum file are written byte for byte as the general picture format writes
// them: the rows of every form compared with rows made the plain way (Format and the decimal
// digits), for values of every magnitude, the values where rounding decides, and values that
// overflowed.

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "files/SpectrumFileWriter.h"
#include "platform/DecimalDigits.h"
#include "platform/Numbers.h"

namespace tav {
namespace {

// The rows the plain way: each value through Format, its decimals from its rounded digits.
int PlainDecimals(double value, int fewest) {
    if (std::floor(value) == value) return fewest;
    DecimalDigits digits = ValueDigits(value);
    RoundToSignificant(digits, 5);
    return std::max(5 - digits.pointPos, fewest);
}

std::string PlainPicture(int integerPlaces, int decimals, char place) {
    return std::string(static_cast<size_t>(integerPlaces), '#') + "." + std::string(static_cast<size_t>(decimals), place);
}

std::string PlainNonFinite(double value) {
    if (std::isnan(value)) return "NaN";
    return value < 0 ? "-Inf" : "Inf";
}

std::string PlainChannel(double value, bool last) {
    const char* separator = last ? "" : " ";
    if (!std::isfinite(value)) return PlainNonFinite(value) + separator;
    if (value == 0.0) return std::string("0.") + separator;
    const int decimals = PlainDecimals(value, 1);
    return Format(value, PlainPicture(5, decimals, decimals == 1 ? '#' : '0') + separator);
}

std::string PlainSeries(double value) {
    if (!std::isfinite(value)) return PlainNonFinite(value);
    return Format(value, PlainPicture(4, PlainDecimals(value, 5), '#'));
}

std::string PlainRows(const ProgramState& s, int16_t slot, SpectrumRowForm form) {
    std::string out;
    // A read-out has a row per pixel at the pixel's wavelength.
    const bool readOut = form == SpectrumRowForm::MultiScan;
    for (int i = 0; i < (readOut ? PixelCount : s.SlotInfo[slot].NumPoints); ++i) {
        const double x = readOut ? s.WaveLength[i] : s.XData[slot][i];
        switch (form) {
            case SpectrumRowForm::Raw:
                out += Format(x, "####.# ") + "\t" + PlainChannel(s.Ch1Data[slot][i], false) + "\t" +
                       PlainChannel(s.Ch2Data[slot][i], true);
                break;
            case SpectrumRowForm::Series: out += Format(x, "####.## ") + PlainSeries(s.Ch1Data[slot][i]); break;
            case SpectrumRowForm::MultiScan:
                out += Format(x, "####.# ") + "\t";
                for (int c = 1; c <= 2 * s.RawCountsScans; ++c) {
                    const bool last = c == 2 * s.RawCountsScans;
                    out += PlainChannel(s.RawCounts[c][i], last) + (last ? "" : "\t");
                }
                break;
        }
        out += "\r\n";
    }
    return out;
}

std::vector<float> Values() {
    std::vector<float> v = {0.0f, -0.0f, 0.5f, 0.05f, 0.15f, 0.25f, 0.35f, 0.45f, -0.05f, -0.04f, 9.99995f, 99999.95f,
                            99999.5f, 0.999995f, 1234.5f, 1234.55f, 0.000015f, 1e-5f, 8388607.5f, 16777216.0f, 1e10f,
                            65535.0f, 812.25f, 99.96f, 3e38f, FLT_MAX, -FLT_MAX, FLT_MIN, FLT_TRUE_MIN, 300.05f,
                            1099.95f, std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity(),
                            std::numeric_limits<float>::quiet_NaN()};
    for (float base = 1e-6f; base < 1e8f; base *= 10) {
        for (float f : {0.5f, 0.95f, 0.9995f, 0.99995f, 0.999995f}) {
            for (float w : {base * f, -base * f}) {
                v.push_back(w);
                v.push_back(std::nextafter(w, 0.0f));
                v.push_back(std::nextafter(w, 1e30f));
            }
        }
    }
    // The values of scans, ratios and derivatives, and bit patterns of every magnitude.
    for (int i = 0; i < 20000; ++i) v.push_back(static_cast<float>(i * 3.3));
    for (int i = 0; i < 20000; ++i) v.push_back(static_cast<float>(i) / 7919.0f);
    uint64_t state = 0x2545F4914F6CDD1Dull;
    for (int i = 0; i < 100000; ++i) {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        const auto bits = static_cast<uint32_t>(state >> 32);
        float f;
        std::memcpy(&f, &bits, sizeof f);
        v.push_back(f);
    }
    return v;
}

TEST(SavedRowsText, EveryFormWritesWhatThePictureFormatWrites) {
    const std::vector<float> values = Values();
    auto s = std::make_unique<ProgramState>();
    s->RawCountsScans = 3;
    for (size_t first = 0; first < values.size(); first += PointCount) {
        const int n = static_cast<int>(std::min<size_t>(PointCount, values.size() - first));
        s->SlotInfo[0].NumPoints = static_cast<int16_t>(n);
        s->SlotInfo[8].NumPoints = static_cast<int16_t>(n);
        for (int i = 0; i < n; ++i) {
            const float v = values[first + static_cast<size_t>(i)];
            const float w = values[(first + static_cast<size_t>(i) * 7919 + 1) % values.size()];
            for (int16_t slot : {int16_t{0}, int16_t{8}}) {
                s->XData[slot][i] = w;
                s->Ch1Data[slot][i] = v;
                s->Ch2Data[slot][i] = w;
            }
            if (i < PixelCount) s->WaveLength[i] = w;
            const uint32_t bits = static_cast<uint32_t>(first) * 2654435761u + static_cast<uint32_t>(i) * 40503u;
            for (int c = 1; c <= 6; ++c) s->RawCounts[c][i] = static_cast<int32_t>(bits >> (c * 4)) - (c == 6 ? 1 << 26 : 0);
        }
        for (const auto& [slot, form] : {std::pair{int16_t{0}, SpectrumRowForm::Raw},
                                         std::pair{int16_t{8}, SpectrumRowForm::Series},
                                         std::pair{int16_t{0}, SpectrumRowForm::MultiScan}}) {
            std::string rows;
            WriteSpectrumRows(*s, slot, form, rows);
            const std::string plain = PlainRows(*s, slot, form);
            if (rows != plain) {
                // The first row that differs, for the message.
                size_t at = 0;
                while (at < rows.size() && at < plain.size() && rows[at] == plain[at]) ++at;
                const size_t start = plain.rfind('\n', at) == std::string::npos ? 0 : plain.rfind('\n', at) + 1;
                FAIL() << "form " << static_cast<int>(form) << ": " << rows.substr(start, 60) << " instead of "
                       << plain.substr(start, 60);
            }
        }
    }
}

}  // namespace
}  // namespace tav
