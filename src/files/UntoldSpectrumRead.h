#pragma once
// Reading a spectrum file for a flow that tells the operator in words of its own (the reference
// calibration file): what the reader would have said is handed back instead of shown.

#include <cstdint>
#include <string>

#include "files/SpectrumFileReader.h"

namespace tav {

struct FileContext;

// ReadSpectrumFile without a message box: on any result but Ok, `message` holds the reader's
// message ("File not found.", "Invalid File Name.", why the file could not be read).
SpectrumReadResult ReadSpectrumFileUntold(FileContext& ctx, int16_t slot, std::string& message);

}  // namespace tav
