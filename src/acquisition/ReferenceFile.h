#pragma once
// The reference calibration file, read into the work slot (18) for the correction of a scan.
// It corrects every point of the scan or nothing: a file that cannot be read, holds no spectrum
// or does not reach over the whole scan leaves the scan uncorrected, and the operator is told
// why, naming the file, once per timed series (and at every scan outside one).

#include <cstdint>
#include <string>

#include "acquisition/AcquisitionContext.h"

namespace tav {

struct ProgramState;

// The points of a scan that the file must reach: a pixel scan's spectral points, short of its
// status words (the temperature at point 248).
int SpectralPointsOf(const ProgramState& state, int16_t slotNumber);

// Reads ReferenceFileName into slot 18; true when it holds at least `needed` points. Otherwise
// the operator is told why; `what` names what stays uncorrected ("The scan").
bool ReadReferenceFileFor(AcquisitionContext& ctx, int needed, const std::string& what);

// A file that was read but cannot correct the scan for a reason the caller found (`why` ends
// the sentence "The reference calibration file NAME ...").
void RefuseReferenceFile(AcquisitionContext& ctx, const std::string& why, const std::string& what);

// A new series begins (a scan outside timed acquisition, or the start of one), or a correction
// went through: the next problem of the file is told, even the one told before.
void ForgetReferenceFileTold(ProgramState& state);

}  // namespace tav
