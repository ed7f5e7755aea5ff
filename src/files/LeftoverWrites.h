#pragma once
// What the replacing writes of a run that was killed left behind: each write removes its own
// file's temporary files, and start-up removes those of the files the program writes by itself
// (the settings file and the kinetic logs in the start folder, spectrum files and saved logs in
// the data folder), which may not be written again for a long time.

namespace tav {

class FileSystem;
struct ProgramState;

// After the settings file was read, so that the data folder is known.
void RemoveLeftoverWrites(FileSystem& fs, const ProgramState& state);

}  // namespace tav
