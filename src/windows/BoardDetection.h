#pragma once
// Start-up's look for the data-acquisition board: only when the board library's configuration
// file "CB.CFG" is in the folder that the environment variable "CBDIREC" names (the current
// folder when it is not set) is board 0's name asked for.

#include <string>

namespace tav {

class BoardLibrary;
class FileSystem;

inline constexpr const char* DasBoardName = "PCM-DAS16D/12";

// Board 0's name, or "" when the library is not asked (no "CB.CFG", or simulation mode).
std::string DetectedBoardName(FileSystem& fs, BoardLibrary& board, bool simulationMode);

// True when board 0 is the one the instrument reader uses (compared exactly, case included).
bool DasBoardDetected(FileSystem& fs, BoardLibrary& board, bool simulationMode);

}  // namespace tav
