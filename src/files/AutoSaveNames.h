#pragma once
// Names of the AutoSave series: series name, the counter in five digits, ".rdg".

#include <string>

namespace tav {

class FileSystem;
struct ProgramState;

// Before each scan while AutoSave is on: advances AutoSaveCounter, drops one trailing separator
// from DefaultPath (a root folder stays as it is) and forms AutoSaveFileName and CurrentFileName
// ("File: " and the name).
void PrepareAutoSaveName(ProgramState& state);

// Starts the series again: the next name is the series' first, and no existing file of the
// series is written before the operator has been asked. After "No" to that question, and
// whenever the data folder, the series name or the choice of user-supplied names changes.
void RestartAutoSaveSeries(ProgramState& state);

// True when name is a file of the series: the series name, five digits, ".rdg", case ignored.
bool IsSeriesFileName(const std::string& name, const std::string& seriesName);

// True when folder holds a file of the series.
bool SeriesFilesExist(const FileSystem& fs, const std::string& folder, const std::string& seriesName);

// The series name with every character removed that the settings dialog's name filter rejects:
// only letters, digits, "$", "_" and "~" stay, so a name never leads out of the data folder.
std::string FilterSeriesName(const std::string& name);

}  // namespace tav
