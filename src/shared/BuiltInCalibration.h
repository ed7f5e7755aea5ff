#pragma once
// The calibration the program starts on without a settings file, and that a channel without
// calibration lines in the settings file takes: the coefficients CalCoeffA to CalCoeffF of
// ProgramState (channel 1: A + B·p + C·p², channel 2: D, E, F).

namespace tav {

inline constexpr double BuiltInCalCoeffA = 301.22, BuiltInCalCoeffB = 3.3323, BuiltInCalCoeffC = -0.000306;
inline constexpr double BuiltInCalCoeffD = 301.1, BuiltInCalCoeffE = 3.3268, BuiltInCalCoeffF = -0.000285;

}  // namespace tav
