#pragma once
// The seven kinetic windows (codes 11..17, also their series slots): what each plots and counts,
// and where its rectangle and its View menu item are kept. The index pass, the kinetic windows
// and the printed charts read the same table.

#include <array>
#include <cstddef>
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
inline const KineticWindowInfo* KineticWindowOf(int16_t code) {
    if (code < slot::Ratio || code > slot::Diagnostics) return nullptr;
    return &KineticWindows[static_cast<std::size_t>(code - slot::Ratio)];
}

}  // namespace tav
