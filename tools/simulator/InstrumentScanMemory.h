#pragma once
// The simulated instrument's memory of stored scans: positions 1 to MemoryScans, each empty or
// holding one scan pair, with two pointers. The write pointer is where the next written scan
// goes; only an erase puts it back to 1. The read pointer is the position the next read-back
// answers with; a parameter block sets it, and every read-back moves it on by one. Scans and
// pointers stay as they are through program runs and power cuts: only the instrument's own
// commands change them.

#include <optional>
#include <vector>

#include "platform/comm/InstrumentMemory.h"
#include "simulator/InstrumentSpectra.h"

namespace tav {

class InstrumentScanMemory {
public:
    static constexpr int kPositions = MemoryScans;

    InstrumentScanMemory();

    // The scan at a position; empty outside 1 to kPositions.
    const std::optional<ScanPair>& At(int address) const;
    // A scan put in place by a test; positions outside 1 to kPositions are ignored.
    void Store(int address, const ScanPair& pair);

    int FreePositions() const { return kPositions + 1 - writePointer_; }
    // The scan at the write pointer, which moves on; false, with nothing kept, when full.
    bool Write(const ScanPair& pair);
    // The scan at the read pointer (zeros for an empty position or one past the end); the pointer
    // moves on by one, no further than one past the last position.
    ScanPair ReadNext();
    void SetReadPointer(int address);
    void Erase();

    int WritePointer() const { return writePointer_; }
    int ReadPointer() const { return readPointer_; }

private:
    std::vector<std::optional<ScanPair>> scans_;  // index 0 is never used
    int writePointer_ = 1;
    int readPointer_ = 1;
};

}  // namespace tav
