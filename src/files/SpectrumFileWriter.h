#pragma once
// The text of a spectrum file: the ten-line information header, the three row forms and the
// block of the multi-scan form. The text is built whole in memory and written by the savers in
// one replacing write, so a failure never leaves a partial file.

#include <cstdint>
#include <string>

#include "platform/Clock.h"
#include "shared/ProgramState.h"

namespace tav {

// In the raw and multi-scan forms a channel value is written "#####.#" (0 as "0."), except that
// a value that is not whole keeps five significant digits at any magnitude (as many decimals as
// that takes), so that a saved ratio or derivative reads back as it was; the series form keeps
// "####.#####" on the same terms. A value that overflowed is "Inf", "-Inf" or "NaN". Every field
// but the last ends in a blank.
enum class SpectrumRowForm {
    Raw,        // x, TAB, channel 1, TAB, channel 2
    Series,     // x and channel 1 only (dark views and kinetic series)
    MultiScan,  // one row per pixel: its wavelength, TAB, the two raw columns of every scan of the
                // read-out in RawCounts, whether the slot holds pixels or bins
};

// At most this many scans fit in the raw store (two columns each, columns 1 to 100).
inline constexpr int16_t MaxMultiScans = 50;

// Appends the ten header lines of slot to out, dated now: the temperature and the scans averaged
// are the slot's own, " NaN" where its spectrum does not tell them.
void WriteSpectrumInfo(const ProgramState& state, int16_t slot, const CivilTime& now, std::string& out);

// Appends the multi-scan block (three lines) for the state.RawCountsScans scans of the read-out
// in the raw store: their numbers and each
// scan's temperature, from point 248 of its second pass (raw column 2j - 1).
void WriteMultiScanBlock(const ProgramState& state, int16_t slot, std::string& out);

// Appends one row per point of slot in the given form.
void WriteSpectrumRows(const ProgramState& state, int16_t slot, SpectrumRowForm form, std::string& out);

// True when the slot can be written in that form: a valid slot, a point count that the arrays
// hold and, for the multi-scan form, a read-out of 2 to 50 scans in the raw store.
bool CanWriteSpectrum(const ProgramState& state, int16_t slot, SpectrumRowForm form);

// The whole file: header, the multi-scan block when that is the form, the rows.
std::string SpectrumFileText(const ProgramState& state, int16_t slot, SpectrumRowForm form, const CivilTime& now);

}  // namespace tav
