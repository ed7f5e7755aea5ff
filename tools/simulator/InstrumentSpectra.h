#pragma once
// The light the simulated instrument measures: a smooth lamp-like curve on the reference channel
// and a vegetation-like reflectance times that lamp on the sample channel, on top of a dark
// offset. Signal grows with the integration time; averaging more scans lowers the noise, not the
// level; every value saturates at 65535.

#include <array>
#include <cstdint>

namespace tav {

inline constexpr int kPixelsPerPass = 256;
// Pixel of the sample pass that carries the temperature reading instead of light.
inline constexpr int kTemperaturePixel = 248;
// Degrees Celsius per count of the temperature reading.
inline constexpr double kDegreesPerCount = 0.00975;

using PassWords = std::array<uint16_t, kPixelsPerPass>;

// One scan as the instrument sends it: the reference pass first, then the sample pass.
struct ScanPair {
    PassWords reference{};
    PassWords sample{};
    bool operator==(const ScanPair&) const = default;
};

struct SpectrumModel {
    double darkCounts = 300.0;            // offset of every pixel
    double darkCountsPerMs = 2.0;         // dark current
    double referencePeakPerMs = 400.0;    // reference channel near its peak, counts per ms
    double samplePeakPerMs = 300.0;       // sample channel scale, counts per ms
    double noise = 1.0;                   // 0: exact curves, 1: shot-like noise
    double temperatureC = 25.0;
};

// One measurement. integrationTenths is in tenths of a millisecond; seed varies the noise from
// scan to scan (the same seed gives the same scan).
ScanPair MeasureScanPair(const SpectrumModel& model, int integrationTenths, int numToAverage,
                         uint32_t seed);

// The word of the temperature pixel for a temperature: round(celsius / 0.00975), 0 to 65535.
uint16_t TemperatureWord(double celsius);

// The noiseless shapes, 0 to about 1, for pixel 0 to 255.
double ReferenceShape(int pixel);
double SampleShape(int pixel);

}  // namespace tav
