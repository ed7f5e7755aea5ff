#pragma once
// The instrument's temperature: the word at point 248 of a scan's second pass (its sample
// pass), in steps of 0.00975 deg C. A reading below 5 deg C is not believed and stands as 7.
// The scan transfer takes it into Temperature; a multi-scan file gives each stored scan its own.

#include <cstdint>

namespace tav {

inline constexpr int TemperaturePoint = 248;
inline constexpr double DegreesPerCount = 0.00975;
inline constexpr float LowestTemperature = 5.0f;
inline constexpr float FallbackTemperature = 7.0f;

inline float BelievedTemperature(float celsius) {
    return celsius < LowestTemperature ? FallbackTemperature : celsius;
}

// The temperature of a pass whose point 248 holds `word`, in single precision.
inline float TemperatureOfWord(int32_t word) {
    return BelievedTemperature(static_cast<float>(word * DegreesPerCount));
}

}  // namespace tav
