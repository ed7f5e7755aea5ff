#include "indices/SlotStore.h"

#include <algorithm>

#include "indices/SlotPoints.h"
#include "indices/KineticIndices.h"
#include "indices/TraceSelection.h"

namespace tav {

namespace {

constexpr int16_t LastClearedData = slot::Reference;
constexpr int16_t LastEmptied = slot::Diagnostics;

}  // namespace

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
    to.Reserved1 = from.Reserved1;
    to.Reserved2 = from.Reserved2;
    to.YScale = from.YScale;
    to.YMin = from.YMin;
    to.YMax = from.YMax;
}

}  // namespace tav
