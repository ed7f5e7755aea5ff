#include "simulator/InstrumentSpectra.h"

#include <algorithm>
#include <cmath>

namespace tav {

namespace {

// splitmix32-style generator: small, deterministic and good enough for noise.
class Noise {
public:
    explicit Noise(uint32_t seed) : state_(seed * 0x9E3779B9u + 0x7F4A7C15u) {}
    double Uniform() {
        uint32_t z = (state_ += 0x9E3779B9u);
        z = (z ^ (z >> 16)) * 0x85EBCA6Bu;
        z = (z ^ (z >> 13)) * 0xC2B2AE35u;
        z ^= z >> 16;
        return z / 4294967296.0;
    }
    // Roughly normal, mean 0, deviation 1 (sum of four uniforms).
    double Normal() { return (Uniform() + Uniform() + Uniform() + Uniform() - 2.0) * std::sqrt(3.0); }

private:
    uint32_t state_;
};

uint16_t ToCounts(double v) {
    if (!(v > 0.0)) return 0;
    if (v >= 65535.0) return 65535;
    return static_cast<uint16_t>(std::lround(v));
}

}  // namespace

double ReferenceShape(int p) {
    double x = (p - 120.0) / 62.0;
    return 0.05 + std::exp(-x * x) * (1.0 + 0.04 * std::sin(p / 17.0));
}

double SampleShape(int p) {
    double green = 0.07 * std::exp(-std::pow((p - 95.0) / 12.0, 2));
    double redEdge = 0.48 / (1.0 + std::exp(-(p - 165.0) / 6.0));
    return ReferenceShape(p) * (0.04 + green + redEdge);
}

uint16_t TemperatureWord(double celsius) { return ToCounts(celsius / kDegreesPerCount); }

ScanPair MeasureScanPair(const SpectrumModel& m, int integrationTenths, int numToAverage,
                         uint32_t seed) {
    const double ms = std::max(0, integrationTenths) / 10.0;
    const double spread = m.noise * 0.5 / std::sqrt(std::max(1, numToAverage));
    Noise noise(seed);
    ScanPair pair;
    for (int p = 0; p < kPixelsPerPass; ++p) {
        double dark = m.darkCounts + 12.0 * std::cos(p * 0.37) + m.darkCountsPerMs * ms;
        double ref = m.referencePeakPerMs * ReferenceShape(p) * ms;
        double smp = m.samplePeakPerMs * SampleShape(p) * ms;
        double refTotal = dark + ref, smpTotal = dark + smp;
        if (spread > 0) {
            refTotal += spread * std::sqrt(refTotal) * noise.Normal();
            smpTotal += spread * std::sqrt(smpTotal) * noise.Normal();
        }
        pair.reference[p] = ToCounts(refTotal);
        pair.sample[p] = ToCounts(smpTotal);
    }
    pair.sample[kTemperaturePixel] = TemperatureWord(m.temperatureC);
    return pair;
}

}  // namespace tav
