#include "windows/DerivativeProcessing.h"

#include <algorithm>
#include <string>

#include "charts/ChartValues.h"
#include "files/AutoSaveNames.h"
#include "files/SpectrumSave.h"
#include "indices/Derivative.h"
#include "indices/SlotStore.h"
#include "platform/Operator.h"
#include "windows/FormCharts.h"
#include "windows/MDIForm1.h"
#include "windows/MainForm.h"

namespace tav {

namespace {

constexpr int16_t DerivativeMode = 6;
constexpr int16_t ResultSlot = 0;
// Both neighbours are needed for the inner points; the two end points copy theirs.
constexpr int MinPoints = 3;

}  // namespace

bool DifferentiateCurrentSpectrum(ProgramState& s) {
    if (!s.DataAvailable || !IsValidSlot(s.CurrentSlot)) return false;
    const int16_t source = s.CurrentSlot;
    const int n = std::clamp<int>(s.SlotInfo[source].NumPoints, 0, PointCount);
    if (n < MinPoints) return false;

    // The curve is differentiated in the result slot itself, so that the source keeps its
    // channels: once per new spectrum it is the reflectance, channel 1 over the reference scan's.
    const bool reflectance = s.ViewReflectance && s.DerivativeParam == 0;
    const auto& values = s.Ch1Data[source];
    const auto& reference = s.Ch1Data[slot::Reference];
    auto& curve = s.Ch1Data[ResultSlot];
    for (int i = 0; i < n; ++i) {
        s.XData[ResultSlot][i] = s.XData[source][i];
        if (reflectance) curve[i] = reference[i] == 0.0f ? 1.0f : values[i] / reference[i];
        else curve[i] = values[i];
    }
    const SlotRecord& from = s.SlotInfo[source];
    SlotRecord& result = s.SlotInfo[ResultSlot];
    result.NumPoints = static_cast<int16_t>(n);
    result.XMin = from.XMin;
    result.XMax = from.XMax;
    result.Binned = from.Binned;
    // The slope of a spectrum was measured as that spectrum was.
    result.IntegTime = from.IntegTime;
    result.Temperature = from.Temperature;
    result.ScansAveraged = from.ScansAveraged;

    // A pixel spectrum ends in status words (the temperature at point 248), which are no light:
    // the slope stops at the last spectral point and the status points keep their values.
    const int spectral = LastSpectralPoint(s, ResultSlot) + 1;
    ComputeDerivativeSpectrum(s, ResultSlot, 1, static_cast<int16_t>(spectral - 2));
    s.DerivativeSpectrum[0] = s.DerivativeSpectrum[1];
    s.DerivativeSpectrum[spectral - 1] = s.DerivativeSpectrum[spectral - 2];
    std::copy_n(s.DerivativeSpectrum.begin(), spectral, curve.begin());

    ResetOverlayRing(s, ResultSlot);
    ++s.DerivativeParam;
    s.ProcessedResult = true;
    s.ViewReflectance = false;
    s.FileDialogMode = DerivativeMode;
    return true;
}

void MDIForm1::Derivative_Click() {
    ProgramState& s = app.state;
    if (!DifferentiateCurrentSpectrum(s)) return;
    MainForm& main = app.forms.Get<MainForm>();
    main.Surface().Cls();
    std::string title = "Wavelength (nm)";
    DrawChart(main, s.CurrentSlot, title);
    if (s.BeepOn) app.op.Beep();
    s.OverlayCount = 1;
    if (s.AutoSaveOn) {
        // The result is the next file of the series: the last one holds the spectrum it came from.
        FlowScope flow(app.flow);
        PrepareAutoSaveName(s);
        AutoSaveSpectrum(contexts_.Files());
    }
}

}  // namespace tav
