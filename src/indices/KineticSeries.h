#pragma once
// The seven index time series (slots 11..17, also the kinetic windows' codes): what each
// window plots and counts, and the series store with its 200-point limit.

#include <array>
#include <cstdint>

#include "shared/ProgramState.h"

namespace tav {

// One kinetic window of the family, by its code.
struct KineticWindowInfo {
    int16_t code;                    // window code and series slot
    const char* caption;
    float ProgramState::*value;      // the value its points take
    int16_t ProgramState::*counter;  // points appended in the current run
    WindowRect ProgramState::*rect;  // saved rectangle and open flag
    bool MenuChecks::*viewItem;      // its View menu item
};

// Codes 11..17 in order; the diagnostics window plots the instrument temperature.
inline constexpr std::array<KineticWindowInfo, 7> KineticWindows{{
    {slot::Ratio, "Ratio", &ProgramState::RatioValue, &ProgramState::RatioCount,
     &ProgramState::RatioFormRect, &MenuChecks::ViewRatioForm},
    {slot::NormDiff, "Normalized Difference", &ProgramState::NormDiffValue,
     &ProgramState::NormDiffCount, &ProgramState::NormDiffFormRect, &MenuChecks::ViewNormDiffForm},
    {slot::Experimental, "Experimental", &ProgramState::ExperimentalValue,
     &ProgramState::ExperimentalCount, &ProgramState::ExperimentalFormRect,
     &MenuChecks::ViewExperimentalForm},
    {slot::Derivative, "Derivative", &ProgramState::DerivativeValue,
     &ProgramState::DerivativeCount, &ProgramState::DerivativeFormRect,
     &MenuChecks::ViewDerivativeForm},
    {slot::Integral, "Integral", &ProgramState::IntegralValue, &ProgramState::IntegralCount,
     &ProgramState::IntegralFormRect, &MenuChecks::ViewIntegralForm},
    {slot::Average, "Average per bin", &ProgramState::AverageValue, &ProgramState::AverageCount,
     &ProgramState::AverageFormRect, &MenuChecks::Viewaverageform},
    {slot::Diagnostics, "Diagnostics", &ProgramState::Temperature,
     &ProgramState::DiagnosticsCount, &ProgramState::DiagnosticsFormRect,
     &MenuChecks::ViewDiagnosticsForm},
}};
// The window of a code; nullptr for a code outside 11..17.
const KineticWindowInfo* KineticWindowOf(int16_t code);

// The series store of PlotKineticPoint without the drawing: claims the axis when no slot holds
// it, drops the oldest point when 200 are held (counter lowered to 199), writes (time, value) at
// index counter and sets NumPoints, XMin and XMax of the series slot. The counter is not
// advanced. A code outside 11..17 changes nothing.
void StoreKineticPoint(ProgramState& state, float value, int16_t code, int16_t& counter,
                       float time);

}  // namespace tav
