#pragma once
// Reading a spectrum file for a flow that tells the operator in words of its own (the reference
// calibration file): what the reader would have said is handed back instead of shown.

#include <cstdint>
#include <string>

#include "files/SpectrumFileReader.h"

namespace tav {

struct FileContext;

// ReadSpectrumFile with all of its contract (the same results, the same changes to the slot and
// DataAvailable, and the same flags reset on every call, failed ones included), but without a
// message box: `message` becomes the text of the box the reader would have shown ("File not
// found.", "Invalid File Name.", why the file could not be read), and "" when it would have
// shown none (Ok, or a slot out of range). The operator sees nothing.
SpectrumReadResult ReadSpectrumFileUntold(FileContext& ctx, int16_t slot, std::string& message);

}  // namespace tav
