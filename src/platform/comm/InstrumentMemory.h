#pragma once
// The instrument's memory of stored scans, as the program and the simulated instrument both
// know it.

#include <cstdint>

namespace tav {

// The memory holds this many scans, at the addresses 1 to MemoryScans: the read-out and the
// write address stop at the last one, and the read-address box goes no further.
inline constexpr int16_t MemoryScans = 1764;

}  // namespace tav
