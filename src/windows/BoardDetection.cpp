#include "windows/BoardDetection.h"

#include "platform/BoardLibrary.h"
#include "platform/FileSystem.h"

namespace tav {

namespace {

constexpr const char* ConfigFileName = "CB.CFG";
constexpr size_t NameBufferLength = 80;

bool EndsInSeparator(const std::string& folder) {
    return !folder.empty() && (folder.back() == '\\' || folder.back() == '/');
}

}  // namespace

std::string DetectedBoardName(FileSystem& fs, BoardLibrary& board, bool simulationMode) {
    std::string folder = fs.GetEnv("CBDIREC");
    if (!folder.empty() && !EndsInSeparator(folder)) folder += '\\';
    const std::string dir = folder.empty() ? fs.CurrentDir() : folder;
    const std::string found = fs.FindName(dir, ConfigFileName);
    if (found.empty() || fs.IsDirectory(folder + found) || simulationMode) return "";

    std::string buffer(NameBufferLength, ' ');
    board.cbGetBoardName(0, buffer);
    // The name ends at its terminating NUL; a library that wrote none leaves only blanks after it.
    std::string name = buffer.substr(0, buffer.find('\0'));
    while (!name.empty() && name.back() == ' ') name.pop_back();
    return name;
}

bool DasBoardDetected(FileSystem& fs, BoardLibrary& board, bool simulationMode) {
    return DetectedBoardName(fs, board, simulationMode) == DasBoardName;
}

}  // namespace tav
