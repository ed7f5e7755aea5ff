#pragma once
// The acquisition parameter boxes of the main window: what their entries become. Out-of-range
// entries are never refused; each is limited and the boxes then show the accepted values.
//
//   integration time  40 to 32767 tenths of a millisecond
//   scans to average  1 upward, integration time x scans at most 600000
//   bin size          0.4 to 500 nm
//   read address      1 to 1764 (interval 0) or 1 to 882; the access code 4817 arms Erase instead
//   scan number       0 to the same limit, raised to even with interval 0
//   interval          0 to 32767 tenths of a second (a negative entry gives 10)

#include <cstdint>
#include <string>

#include "shared/ProgramState.h"

namespace tav {

inline constexpr float EraseAccessCode = 4817;
inline constexpr int32_t MaxIntegrationTimesScans = 600000;

// The boxes' entries, each the leading number of its text.
struct ParameterEntries {
    float integrationMs = 0;   // Text3
    float average = 0;         // Text4
    float binSize = 0;         // Text1
    float readAddress = 0;     // Text5
    float scanNumber = 0;      // Text6
    float intervalSeconds = 0; // Text7
};

// Integration time (ms) and scans to average as typed: limited and stored.
void AcceptIntegrationAndAverage(ProgramState& state, float integrationMs, float average);

// Stores the limited entries (and the memory mode the scan number asks for). Returns the mode
// box's new text, or "" when the box keeps its text (Erase mode).
std::string AcceptParameterEntries(ProgramState& state, const ParameterEntries& entries);

}  // namespace tav
