#pragma once
// The automatic integration time: a test scan at 4.0 ms and one scan, then the integration time
// scaled so that the scan's range (largest minus smallest value) would come out at 45000 counts,
// rounded down to whole 10 ms within 4.0 to 1000.0 ms, and the operator's scans to average capped
// so that one averaged measurement takes at most 60 s. The instrument is told the test values and
// then the new ones, the main window's integration and averaging controls show them, and the
// settings file is rewritten. Nothing happens in simulation mode. Run from the main window's
// Setup menu:
//
//     AutoSetIntegrationTime(ContextsOf(app).ScanFlow());
//
// A test scan that brings no data changes nothing: the instrument gets the operator's values
// back and the operator is told, as after a scan without data.

#include <cstdint>

#include "acquisition/ScanFlowContext.h"

namespace tav {

void AutoSetIntegrationTime(ScanFlowContext& flow);

// The integration time (tenths of a millisecond) for the range of a test scan taken at 4.0 ms.
// A flat test scan (range 0) shows no signal to scale and gets the longest time.
int32_t IntegrationTimeForRange(float range);

// The scans to average, reduced where needed so that scans x integration time stays within
// 600000 (60 s).
int16_t ScansWithinCap(int16_t scans, int32_t integrationTime);

}  // namespace tav
