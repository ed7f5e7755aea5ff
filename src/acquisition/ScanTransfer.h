#pragma once
// One pass of a scan over the serial link into column 1 of RawCounts.
//
// A scan is a pair of passes answering one scan command: the reference pass (ReferencePass
// True) takes the port, probes the link, sends the command and reads the first 8 blocks; the
// second pass reads the next 8 blocks, sets Temperature and gives the port back. A silent
// instrument, a port that cannot be used and a link that goes quiet in the middle all end in
// NoInstrumentResponse True; after a reference pass without response the second pass reads
// nothing and sends nothing.

#include "acquisition/AcquisitionContext.h"

namespace tav {

enum class TransferOutcome {
    Data,        // the pass's blocks were read
    NoResponse,  // NoInstrumentResponse is True; RawCounts may hold what arrived before
    Refused,     // the port is held open on another port number; nothing happened
};

// Opens the port for a reference pass, runs TransferScan, closes the port after a second pass.
TransferOutcome OpenPortAndTransfer(AcquisitionContext& ctx);

// The pass itself, on the port that OpenPortAndTransfer took.
TransferOutcome TransferScan(AcquisitionContext& ctx);

// The measuring time that the scan command asks of the instrument, in milliseconds: one
// averaged measurement, or a whole series of them when it writes to its memory.
double CommandMeasuringMs(const ProgramState& state);

}  // namespace tav
