#pragma once
// Reading a spectrum file into a slot. Every reader of spectrum files goes through it: the
// simulation and reference calibration files, the open dialog, the overlay file, the two-file
// operations and the averaging of files.

#include <cstdint>

namespace tav {

struct FileContext;

enum class SpectrumReadResult {
    Ok,         // the slot holds the file; DataAvailable is set
    NoName,     // "Invalid File Name."
    NotFound,   // "File not found."
    InUse,      // "The file" / name / "Is already open"
    ReadError,  // the file could not be read (the message says why) or is no spectrum file
};

// Reads the file named in SlotInfo(slot).FileName into that slot. The slot and DataAvailable
// change only when the result is Ok; the operator is told of every other result.
SpectrumReadResult ReadSpectrumFile(FileContext& ctx, int16_t slot);

}  // namespace tav
