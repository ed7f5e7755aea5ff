#pragma once
// One pass of a scan over the serial link into RawCounts.
//
// A scan is a pair of passes answering one scan command: the reference pass (ReferencePass
// True) takes the port, probes the link, sends the command and reads the first 8 blocks; the
// second pass reads the next 8 blocks, sets Temperature and gives the port back. A silent
// instrument, a port that cannot be used, a link that goes quiet in the middle, a block that
// is short or long and a wait that the operator gives up with Escape all end in
// NoInstrumentResponse True; after a reference pass without response the second pass reads
// nothing and sends nothing. The instrument takes no command until its pair is acknowledged to
// the end, so a pair that fails once the instrument has begun it is first finished in step: the
// rest of its blocks are read, acknowledged and thrown away (PairInStep.h), and a scan command
// without a reply first looks for an earlier pair the instrument may still be in. While timed
// acquisition holds the port, the pass after a failed one probes the link again, as a pass on a
// freshly opened port does. A port that fails in a pass is left open for TransferPass, which
// lets it go and tells why.
//
// Every pass goes to column 1 of RawCounts, except in a read-out of several stored scans
// (MemoryMode 48, ScanNumber n of 2 or more). That sends one read-out command per scan, each
// answered by one pair, each pass into its own column: scan j's reference pass into column 2j,
// its second pass into 2j - 1. The reference pass reads the pairs of scans 1 to n - 1 and then
// the reference pass of scan n; the second pass reads scan n's.

#include <string>

#include "acquisition/AcquisitionContext.h"

namespace tav {

enum class TransferOutcome {
    Data,        // the pass's blocks were read
    NoResponse,  // NoInstrumentResponse is True; RawCounts may hold what arrived before
    Refused,     // nothing was sent: the port is held open on another port number, or the
                 // read-out asks for more scans than the raw store keeps; the operator was told
};

// Opens the port for a reference pass, runs TransferScan, closes the port after a second pass.
TransferOutcome OpenPortAndTransfer(AcquisitionContext& ctx);

// The pass itself, on the port that OpenPortAndTransfer took.
TransferOutcome TransferScan(AcquisitionContext& ctx);

// The measuring time that the scan command asks of the instrument, in milliseconds: one
// averaged measurement, or a whole series of them when it writes to its memory.
double CommandMeasuringMs(const ProgramState& state);

// The stored scans one read-out brings: ScanNumber while MemoryMode is 48 and ScanNumber is 2 or
// more, else 1.
int ReadOutScans(const ProgramState& state);
// The raw store keeps the two columns of at most this many scans (columns 1 to 100).
inline constexpr int MaxReadOutScans = 50;
// False for a read-out of more scans than the raw store keeps, or of more than are left before
// the end of the memory, which is refused before anything is sent.
bool ReadOutFits(const ProgramState& state);

// The line of the no-data message that says why the pair failed; "" when its blocks do not tell.
std::string PairFaultText(PairFault fault);

// The RawCounts column of the present pass, whose values go into channel 1: 1, or in a read-out
// of n scans 2n for the reference pass and 2n - 1 for the second.
int RawColumnOfPass(const ProgramState& state);

}  // namespace tav
