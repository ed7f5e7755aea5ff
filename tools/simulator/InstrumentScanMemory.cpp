#include "simulator/InstrumentScanMemory.h"

#include <algorithm>

namespace tav {

InstrumentScanMemory::InstrumentScanMemory() : scans_(kPositions + 1) {}

const std::optional<ScanPair>& InstrumentScanMemory::At(int address) const {
    return scans_[address >= 1 && address <= kPositions ? address : 0];
}

void InstrumentScanMemory::Store(int address, const ScanPair& pair) {
    if (address >= 1 && address <= kPositions) scans_[address] = pair;
}

bool InstrumentScanMemory::Write(const ScanPair& pair) {
    if (FreePositions() <= 0) return false;
    scans_[writePointer_++] = pair;
    return true;
}

ScanPair InstrumentScanMemory::ReadNext() {
    ScanPair pair;
    if (const std::optional<ScanPair>& stored = At(readPointer_)) pair = *stored;
    readPointer_ = std::min(readPointer_ + 1, kPositions + 1);
    return pair;
}

void InstrumentScanMemory::SetReadPointer(int address) { readPointer_ = std::clamp(address, 1, kPositions + 1); }

void InstrumentScanMemory::Erase() {
    std::fill(scans_.begin(), scans_.end(), std::nullopt);
    writePointer_ = 1;
}

}  // namespace tav
