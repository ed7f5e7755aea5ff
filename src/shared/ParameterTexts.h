#pragma once
// How the acquisition parameters read on screen: the words of the memory-mode box and the
// format of the integration time's boxes. The scan flows, the main window, the settings window
// and the settings reader all show them, and each from here.

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

// An integration time, kept in tenths of a millisecond, as its boxes show it: milliseconds in
// "####.0" (40 gives "4.0", 5 gives ".5").
inline std::string IntegrationTimeText(double tenths) { return Format(tenths / 10.0, "####.0"); }

}  // namespace tav
