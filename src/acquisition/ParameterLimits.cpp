#include "acquisition/ParameterLimits.h"

#include "platform/Numbers.h"
#include "platform/comm/InstrumentMemory.h"
#include "shared/ParameterTexts.h"

namespace tav {

namespace {

// With an interval, the read address and the scan number stay within the first half of the memory.
constexpr int16_t ReadAddressLimit = MemoryScans / 2;

}  // namespace

void AcceptIntegrationAndAverage(ProgramState& s, float integrationMs, float average) {
    const float t = integrationMs * 10.0f;
    if (t > 32767) s.IntegrationTime = 32767;
    else if (!(t >= 40)) s.IntegrationTime = 40;
    else s.IntegrationTime = RoundToInt32Clamped(t);

    // The cap holds for the number stored: a rounded count may not carry the product past it.
    const double scans = RoundHalfEven(average);
    if (!(average >= 1)) s.NumToAverage = 1;
    else if (scans * s.IntegrationTime > MaxIntegrationTimesScans) s.NumToAverage = static_cast<int16_t>(MaxIntegrationTimesScans / s.IntegrationTime);
    else s.NumToAverage = static_cast<int16_t>(scans);
}

std::string AcceptParameterEntries(ProgramState& s, const ParameterEntries& e) {
    float b = e.binSize;
    float a = e.readAddress;
    float sn = e.scanNumber;
    const float v = e.intervalSeconds;

    s.ReadAddressPending = true;

    // The access code's path bounds the scan number as well, so that it fits its 16 bits.
    const float limit = v == 0 ? MemoryScans : ReadAddressLimit;
    if (sn > limit) sn = limit;
    if (a == EraseAccessCode) {
        s.EraseArmed = true;
        s.ReadAddress = s.ReadAddressSaved;
    } else {
        s.EraseArmed = false;
        if (a > limit) a = limit;
        if (a < 1) a = 1;
        s.ReadAddress = RoundToInt16Clamped(a);
        s.ReadAddressSaved = s.ReadAddress;
    }

    if (!(sn >= 0)) sn = 0;
    s.ScanNumber = RoundToInt16Clamped(sn);
    if (v == 0 && s.ScanNumber % 2 != 0) ++s.ScanNumber;

    std::string modeText;
    if (s.MemoryMode == memmode::Normal) {
        if (s.ScanNumber != 0) {
            s.MemoryMode = memmode::Read;
            modeText = modebox::Read;
        } else {
            modeText = modebox::Normal;
        }
    } else if (s.MemoryMode == memmode::Read) {
        modeText = modebox::Read;
    }

    if (v > 3276.7f) s.IntervalTenths = 32767;
    else if (v < 0) s.IntervalTenths = 10;
    else s.IntervalTenths = RoundToInt16Clamped(v * 10.0f);

    AcceptIntegrationAndAverage(s, e.integrationMs, e.average);

    if (b > 500) b = 500;
    if (!(b >= 0.4f)) b = 0.4f;
    s.BinWidth = b;
    // An address entered while the scans come from the simulation file is where the instrument's
    // next read-out starts once the simulation ends.
    if (s.SimulationMode) s.ReadPositionOutsideSimulation = ProgramState::ReadPosition{s.ReadAddress, true};
    else s.ReadPositionOutsideSimulation.reset();
    return modeText;
}

}  // namespace tav
