#pragma once
// How the acquisition parameters read on screen: the words of the memory-mode box and the
// formats of the integration time's, the interval's and the bin size's boxes. The scan flows,
// the main window, the settings window and the settings reader all show them, and each from
// here.

#include <string>

#include "platform/Numbers.h"

namespace tav {

// The memory-mode box (the main window's Text2).
namespace modebox {
inline constexpr const char* Normal = " Normal";  // also once a read-out has reached its end
inline constexpr const char* Write = " WRITE";    // memory mode Normal with a scan number
inline constexpr const char* Read = "  Read";
inline constexpr const char* Erase = " ERASE";
}  // namespace modebox

// A value kept in tenths as its boxes show it: whole units in "####.0" (40 gives "4.0", 5 gives
// ".5").
inline std::string TenthsText(double tenths) { return Format(tenths / 10.0, "####.0"); }
// The integration time, in tenths of a millisecond.
inline std::string IntegrationTimeText(double tenths) { return TenthsText(tenths); }
// The interval of a timed series (Text7), in tenths of a second.
inline std::string IntervalText(double tenths) { return TenthsText(tenths); }
// The bin size (Text1), in nanometres: "###.0".
inline std::string BinSizeText(double nm) { return Format(nm, "###.0"); }

}  // namespace tav
