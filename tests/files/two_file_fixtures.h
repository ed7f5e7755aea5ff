#pragma once
// Spectrum files for the two-file operations, written as the program writes them: the ten-line
// information header, then one row per point (x, channel 1, channel 2).

#include <cstdio>
#include <string>
#include <vector>

namespace tav::test {

struct SpectrumRow {
    float x, ch1, ch2;
};

inline std::string NumberText(float v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", static_cast<double>(v));
    return text;
}

inline std::string SpectrumFileText(const std::vector<SpectrumRow>& rows, float integrationMs = 30) {
    std::string text =
        "\"File:       C:\\DATA\\TEST.rdg\"\r\n"
        "\"Temp:       23.4 deg C\"\r\n"
        "\"Time:       03/07/2024  14:05:09  12.5\"\r\n"
        "\"Limits:     300 - 900\"\r\n"
        "\r\n"
        "\"Minimum:    300nm  0\"\r\n"
        "\"Maximum:    900nm  65535\"\r\n"
        "\"Integration: " + NumberText(integrationMs) + " ms\"\r\n"
        "\"Number Scans: 4\"\r\n"
        "\r\n";
    for (const SpectrumRow& r : rows) {
        text += NumberText(r.x) + " \t" + NumberText(r.ch1) + " \t" + NumberText(r.ch2) + "\r\n";
    }
    return text;
}

}  // namespace tav::test
