#include "indices/SlotStore.h"

#include <algorithm>

#include "charts/TraceSelection.h"
#include "indices/KineticIndices.h"
#include "indices/SlotPoints.h"

namespace tav {

namespace {

constexpr int16_t LastClearedData = slot::Reference;
constexpr int16_t LastEmptied = slot::Diagnostics;

}  // namespace

ShownSpectrum::ShownSpectrum(const ProgramState& s)
    : currentSlot_(s.CurrentSlot), overlayCount_(s.OverlayCount), firstOverlaySlot_(s.FirstOverlaySlot),
      savedDisplaySlot_(s.SavedDisplaySlot), derivativeParam_(s.DerivativeParam), darkViewOn_(s.DarkViewOn),
      darkRefShown_(s.DarkRefShown), processedResult_(s.ProcessedResult), printInColor_(s.PrintInColor),
      commonScale_(s.CommonScale) {
    for (int k = 0; k < SlotCount; ++k) names_[k] = s.SlotInfo[k].FileName;
}

void ShownSpectrum::PutBack(ProgramState& s) const {
    s.CurrentSlot = currentSlot_;
    s.OverlayCount = overlayCount_;
    s.FirstOverlaySlot = firstOverlaySlot_;
    s.SavedDisplaySlot = savedDisplaySlot_;
    s.DerivativeParam = derivativeParam_;
    s.DarkViewOn = darkViewOn_;
    s.DarkRefShown = darkRefShown_;
    s.ProcessedResult = processedResult_;
    s.PrintInColor = printInColor_;
    s.CommonScale = commonScale_;
    for (int k = 0; k < SlotCount; ++k) s.SlotInfo[k].FileName = names_[k];
}

void ResetOverlayRing(ProgramState& s, int16_t newest) {
    if (newest < slot::FirstOverlay || newest > slot::LastOverlay) newest = slot::FirstOverlay;
    s.CurrentSlot = newest;
    s.OverlayCount = 0;
    s.FirstOverlaySlot = newest;
    s.SavedDisplaySlot = newest;
    SelectSpectrumTrace(s, newest);
    // The curves the last index pass saw are gone from the ring; a flow that then takes a new
    // spectrum runs a pass of its own, a processing result has none.
    ForgetIndexPass(s);
}

void ClearAllSlots(ProgramState& s, Canvas& mainForm) {
    s.DataAvailable = false;
    mainForm.Cls();
    ResetOverlayRing(s);
    for (int16_t k = 0; k <= LastClearedData; ++k)
        std::fill_n(s.Ch1Data[k].begin(), SlotPoints(s, k), 0.0f);
    s.ResetTimer = true;
    for (int16_t k = 0; k <= LastEmptied; ++k) s.SlotInfo[k].NumPoints = 0;
    s.DisplayChannel[NormDiffWindow] = slot::NormDiff;
}

void CopySlot(ProgramState& s, int16_t source, int16_t target) {
    if (!IsValidSlot(source) || !IsValidSlot(target) || source == target) return;
    const SlotRecord& from = s.SlotInfo[source];
    SlotRecord& to = s.SlotInfo[target];
    to.NumPoints = from.NumPoints;
    to.Binned = from.Binned;
    std::copy_n(s.XData[source].begin(), SlotPoints(s, source), s.XData[target].begin());
    to.PlotRight = from.PlotRight;
    to.PlotLeft = from.PlotLeft;
    to.PlotTop = from.PlotTop;
    to.PlotBottom = from.PlotBottom;
    to.XMin = from.XMin;
    to.XMax = from.XMax;
    to.DataMin = from.DataMin;
    to.DataMax = from.DataMax;
    to.IntegTime = from.IntegTime;
    to.Temperature = from.Temperature;
    to.ScansAveraged = from.ScansAveraged;
    to.Reserved1 = from.Reserved1;
    to.Reserved2 = from.Reserved2;
    to.YScale = from.YScale;
    to.YMin = from.YMin;
    to.YMax = from.YMax;
}

}  // namespace tav
