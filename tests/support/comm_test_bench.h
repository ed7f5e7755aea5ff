#pragma once
// Helpers for the serial tests: the computer's side of the exchanges written out byte by byte
// (the wire constants restated, not imported).

#include <string>
#include <vector>

#include "simulator/SimulatedInstrument.h"

namespace tav::commtest {

inline std::string Byte(int b) { return std::string(1, static_cast<char>(b)); }
inline std::string WordBytes(int v) { return Byte(v / 256) + Byte(v % 256); }

// The 12 data bytes of a parameter block (lamp word 0).
inline std::string ParameterData(int integration, int average, int scanNumber, int interval,
                                 int readAddress) {
    return WordBytes(integration) + WordBytes(average) + WordBytes(0) + WordBytes(scanNumber) +
           WordBytes(interval) + WordBytes(readAddress);
}

// The instrument on its own, driven straight through Feed and TakeOutput at 115200 baud.
struct Bench {
    explicit Bench(InstrumentOptions o = {}) : instrument(std::move(o)) {}
    SimulatedInstrument instrument;
    double t = 100.0;  // seconds

    void Send(const std::string& bytes, int baud = 115200) { instrument.Feed(bytes, t, baud); }
    // Lets ms pass and returns what arrived meanwhile.
    std::string Wait(double ms, int baud = 115200) {
        t += ms / 1000.0;
        return instrument.TakeOutput(t, baud);
    }
    // 0x01, a short pause for the reply, then the bytes 5 ms apart.
    void SendParameters(const std::string& data) {
        Send(Byte(0x01));
        Wait(1);
        for (char c : data) {
            Send(std::string(1, c));
            Wait(5);
        }
        Wait(50);  // lets a short block end
    }
    void SetParameters(int integration, int average, int scanNumber = 0, int interval = 10,
                       int readAddress = 1) {
        SendParameters(ParameterData(integration, average, scanNumber, interval, readAddress));
    }
};

// Reassembles a pair from its 16 blocks: 33 words each, high byte first, words 0 to 31 are
// pixels, blocks 1 to 8 the reference pass, 9 to 16 the second pass. Missing bytes count as 0.
inline ScanPair DecodePair(const std::vector<std::string>& blocks) {
    ScanPair pair;
    for (size_t k = 0; k < blocks.size() && k < 16; ++k) {
        PassWords& pass = k < 8 ? pair.reference : pair.sample;
        for (int w = 0; w < 32; ++w) {
            auto at = [&](size_t i) {
                return i < blocks[k].size() ? static_cast<unsigned char>(blocks[k][i]) : 0;
            };
            pass[(k % 8) * 32 + w] = static_cast<uint16_t>(at(2 * w) * 256 + at(2 * w + 1));
        }
    }
    return pair;
}

// Sends the scan command byte and reads the 16 blocks, acknowledging each with 0x05.
inline std::vector<std::string> ScanPairBlocks(Bench& b, int mode, double firstWaitMs) {
    std::vector<std::string> blocks;
    b.Send(Byte(mode));
    blocks.push_back(b.Wait(firstWaitMs));
    for (int k = 2; k <= 16; ++k) {
        b.Send(Byte(0x05));
        blocks.push_back(b.Wait(20));
    }
    b.Send(Byte(0x05));
    return blocks;
}

}  // namespace tav::commtest
