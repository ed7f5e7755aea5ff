#pragma once
// The slots the chart benchmarks draw: eight overlaid curves of 2202 points, and a kinetic
// series of 200 points while timed acquisition stamps the time.

#include <cmath>
#include <memory>

#include "shared/ProgramState.h"

namespace tav::bench {

inline std::unique_ptr<ProgramState> OverlayState() {
    auto s = std::make_unique<ProgramState>();
    s->AutoScaleOn.fill(-1);
    s->ChartFontName = "Arial";
    s->ChartColor = 0x808080;
    for (int16_t k = 0; k <= 7; ++k) {
        SlotRecord& r = s->SlotInfo[k];
        r.NumPoints = PointCount;
        for (int i = 0; i < PointCount; ++i) {
            s->XData[k][i] = 300.0f + 0.4f * i;
            s->Ch1Data[k][i] = 1000.0f + 800.0f * std::sin(i / (50.0f + k));
            s->Ch2Data[k][i] = 2000.0f;
        }
        r.XMin = s->XData[k][0];
        r.XMax = s->XData[k][PointCount - 1];
    }
    return s;
}

inline std::unique_ptr<ProgramState> KineticState() {
    auto s = std::make_unique<ProgramState>();
    s->AutoScaleOn.fill(-1);
    s->ChartFontName = "Arial";
    s->ChartColor = 0x808080;
    s->AutoScanTimerOn = true;
    s->Menu.ActivateTimeStamp = true;
    SlotRecord& r = s->SlotInfo[slot::Ratio];
    r.NumPoints = MaxKineticPoints;
    for (int i = 0; i < MaxKineticPoints; ++i) {
        s->XData[slot::Ratio][i] = 10.0f * i;
        s->Ch1Data[slot::Ratio][i] = 0.5f + 0.1f * std::cos(i / 7.0f);
    }
    r.XMax = s->XData[slot::Ratio][MaxKineticPoints - 1];
    return s;
}

}  // namespace tav::bench
