#pragma once
// Steps that several scan flows share.

#include <cstdint>
#include <string>

#include "acquisition/ScanFlowContext.h"
#include "shared/ProgramState.h"

namespace tav {

// The acquisition parameters on the main window's scroll bars: Integrat, Averaging (and the
// accepted count in its box), Source (the bin width, rounded), Integ in read-out mode, scannumbe
// and interva.
void ShowScanParameters(ScanFlowContext& flow);

// "Warning:" / "NO DATA TRANSMITTED" / "Refer to 'Trouble Shooting'".
void ShowNoDataMessage(ScanFlowContext& flow);

// The spectrum window cleared and the chart of the slot drawn.
void RedrawSpectrumWindow(ScanFlowContext& flow, int16_t slot);
void DrawSpectrumChart(ScanFlowContext& flow, int16_t slot);

// A status text at the top of the spectrum window in the status font; nothing for "".
void PrintScanStatus(ScanFlowContext& flow, const std::string& text);

// After a new spectrum with AutoSave on: the save dialog when the operator names each file,
// otherwise the next file of the series.
void AutoSaveScan(ScanFlowContext& flow);

// The instrument's memory addresses as the dark and overlay scans keep them.
inline constexpr int16_t ShortMemoryEnd = 379;
// The next-scan flow's bound: the instrument holds 1764 scans.
inline constexpr int16_t MemoryEnd = 1764;

// WriteAddress after a scan in write mode, capped at `end`.
void AdvanceWriteAddress(ProgramState& state, int16_t end);

}  // namespace tav
