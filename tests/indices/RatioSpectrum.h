// A spectrum for index passes over windows: slot 0 with x = 400, 410, ..., 490 and
// y = 1, 2, ..., 10, band 1 = 420..440 (integral 8) and band 2 = 460..480 (integral 16), and the
// ratio of band 2 to band 1 on.

#pragma once

#include "shared/ProgramState.h"

namespace tav::test {

inline void PrepareRatioSpectrum(ProgramState& s) {
    s.WaveLength[255] = 1000.0f;
    s.SlotInfo[0].NumPoints = 10;
    for (int k = 0; k < 10; ++k) {
        s.XData[0][k] = 400.0f + 10.0f * k;
        s.Ch1Data[0][k] = 1.0f + k;
        s.Ch2Data[0][k] = 2.0f;
    }
    s.NumOfBands = 2;
    s.BandStart = {420, 460, 0};
    s.BandEnd = {440, 480, 0};
    s.Menu.ActivateRatio = true;
    s.RatioNumerator = 2;
    s.RatioDenominator = 1;
}

}  // namespace tav::test
