#pragma once
// Saving a slot as a spectrum file: the next name of the AutoSave series, or a name chosen in the
// save dialog. Both replace the file in one write and append the kinetic log lines only once it
// is written whole: a save that fails leaves no line.

#include <cstdint>

namespace tav {

struct FileContext;

enum class SpectrumSaveResult {
    Saved,
    Cancelled,  // the dialog was cancelled or the overwrite question answered No
    Failed,     // nothing was written; the operator has been told
};

// Saves the current slot to AutoSaveFileName. Until the series' first file may be written, an
// existing file of the series in the folder the file goes to makes it ask first; "No" stops the
// timed acquisition and starts the series again. A failure is told with its reason, the
// system's "Path for AutoSave does not exist" being kept for a missing data folder. After a
// read-out of several stored scans (RawCountsScans), a scan's file is that read-out in the
// multi-scan form; a processing result is always saved as its own rows.
SpectrumSaveResult AutoSaveSpectrum(FileContext& ctx);
SpectrumSaveResult SaveSpectrumAs(FileContext& ctx, int16_t slot);

}  // namespace tav
