#pragma once
// Steps that several scan flows share.

#include <cstdint>
#include <string>

#include "acquisition/ScanFlowContext.h"
#include "platform/comm/InstrumentMemory.h"
#include "shared/ParameterTexts.h"
#include "shared/ProgramState.h"

namespace tav {

// The acquisition parameters on the main window's scroll bars: Integrat, Averaging (and the
// accepted count in its box), Source (the bin width, rounded), Integ in read-out mode, scannumbe
// and interva.
void ShowScanParameters(ScanFlowContext& flow);

// "Warning:" / "NO DATA TRANSMITTED" / "Refer to 'Trouble Shooting'", and a line that says why
// when the pair tells (a block short or long, an instrument that fell silent in the middle, a
// reply that came late). When the operator gave a wait of the link up with Escape while timed
// acquisition runs, Escape then stops the series as well, as the key would have done had it
// waited for the scan to end. A failure that has been told in its own box (the port, a firmware
// image: AcquisitionContext::FailureRecurs) is not told again: a running series ends on it.
void ShowNoDataMessage(ScanFlowContext& flow, const AcquisitionContext& link);

// Ends a running timed series as the Escape key does: "AutoScan Stopped" (or "AutoCopy
// Stopped") on the spectrum window, and a held port let go. Nothing when no series runs.
void StopSeriesAsEscapeDoes(ScanFlowContext& flow);

// The reference scan and the automatic integration time take a plain scan only (memory mode
// Normal, scan number 0): in any other state a scan command would write to, read from or erase
// the instrument's memory. False, with the operator told, when the state is another; `what`
// names the flow. Simulation mode sends nothing and is always allowed.
bool PlainScanAllowed(ScanFlowContext& flow, const std::string& what);
// While the instrument's parameters are unknown, the parameters on screen go first. False when
// they could not be sent (their block's box told why) or their reply wait was given up with
// Escape (the no-data box); no scan command may follow then.
bool ParametersOnScreenSent(ScanFlowContext& flow, AcquisitionContext& link);

// The spectrum window cleared and the chart of the slot drawn.
void RedrawSpectrumWindow(ScanFlowContext& flow, int16_t slot);
void DrawSpectrumChart(ScanFlowContext& flow, int16_t slot);

// A status text at the top of the spectrum window in the status font; nothing for "".
void PrintScanStatus(ScanFlowContext& flow, const std::string& text);

// After a new spectrum with AutoSave on: the save dialog when the operator names each file,
// otherwise the next file of the series.
void AutoSaveScan(ScanFlowContext& flow);

// The write address as the dark and overlay scans keep it; the next-scan flow keeps it within
// the whole memory, MemoryScans.
inline constexpr int16_t ShortMemoryEnd = 379;

// WriteAddress after a scan in write mode, capped at `end`.
void AdvanceWriteAddress(ProgramState& state, int16_t end);

// After a read-out that brought its scans (memory mode Read), in every flow that reads: the read
// address names the last scan read, where the instrument's read pointer stands after it (an
// address just set names the first scan read, and the scans read move it on). True when the
// read-out was below the end of the memory and moved it on.
bool AdvanceReadAddress(ProgramState& state);

// The dark and overlay scans' read-out: the read address as AdvanceReadAddress keeps it, in its
// box and on its bar, and "Read Scan" while the end of the memory is not reached.
void KeepReadOutAddress(ScanFlowContext& flow);

// Once a read-out has read the last stored scan, the mode is Normal again, as the mode box then
// says, with Scan# 0 (the instrument still holds the read-out's Scan#, so the next scan sends the
// parameters first), and a timed series ends: the next scan command takes a plain scan instead of
// reading past the end. Nothing before the end.
void EndReadOutAtMemoryEnd(ScanFlowContext& flow);

}  // namespace tav
