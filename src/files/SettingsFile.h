#pragma once
// The settings file Prismel.INI in the start folder: read once per run at start-up, rewritten
// whole by every dialog that changes a setting.

#include <string>

namespace tav {

struct FileContext;

inline constexpr const char* SettingsFileName = "Prismel.INI";

// Reads the settings file of the current folder (once per run), places and shows the windows it
// records as open, sets the menu check marks, fills the acquisition boxes and shows the welcome
// window. Without a file it applies the built-in defaults and creates the data folder.
void ReadSettingsFile(FileContext& ctx);

// Handles one line of the settings file.
void ApplySettingsLine(FileContext& ctx, const std::string& line);

// The whole file's text from the current state (refreshing the open windows' records).
std::string SettingsFileText(FileContext& ctx);

// Replaces the settings file in StartDir; on failure the old file stays and the operator is told.
bool WriteSettingsFile(FileContext& ctx);

}  // namespace tav
