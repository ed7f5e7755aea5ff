#pragma once
// Reading back the settings file that the program wrote into a test's start folder.

#include <sstream>
#include <string>

#include "support/TempDir.h"

namespace tav::test {

// The first line of Prismel.INI that starts with key, without its line end; "" when there is none.
inline std::string SettingsLine(const TempDir& dir, const std::string& key) {
    std::istringstream lines(dir.Read("Prismel.INI"));
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.compare(0, key.size(), key) == 0) return line;
    }
    return "";
}

// The open flag of a window line ("Menu Window=120 300 4000 2800 0 -1 " gives "-1").
inline std::string OpenFlagOf(const std::string& windowLine) {
    std::istringstream numbers(windowLine.substr(windowLine.find('=') + 1));
    std::string number, last;
    while (numbers >> number) last = number;
    return last;
}

}  // namespace tav::test
