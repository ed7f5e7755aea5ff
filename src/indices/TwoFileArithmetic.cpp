#include "indices/TwoFileArithmetic.h"

#include <algorithm>

#include "files/AutoSaveNames.h"
#include "files/FileNames.h"
#include "files/FileWindows.h"
#include "files/SpectrumFileReader.h"
#include "files/SpectrumSave.h"
#include "indices/SlotStore.h"
#include "platform/Numbers.h"
#include "platform/Operator.h"
#include "shared/ProgramState.h"

namespace tav {
namespace {

constexpr const char* FileErrorText = "File Error!";
constexpr const char* ResultAxisTitle = "Wavelength (nm)";
constexpr int16_t ResultSlot = 0;
constexpr int16_t FirstFileSlot = 1;
constexpr int16_t SecondFileSlot = 2;

bool HasName(const ProgramState& s, int16_t slot) { return !IsNoFileName(s.SlotInfo[slot].FileName); }

// Reads the file named in the slot. A slot without a name is not read and counts as read.
bool ReadNamedFile(FileContext& ctx, int16_t slot) {
    ProgramState& s = ctx.state;
    s.CurrentSlot = slot;
    if (!HasName(s, slot)) return true;
    s.DataAvailable = false;
    if (ReadSpectrumFile(ctx, slot) == SpectrumReadResult::Ok) return true;
    s.DataAvailable = false;
    ctx.op.MsgBox(FileErrorText);
    return false;
}

// The points of the result: those of the first file, cut to the second file's when it was read,
// so that no point is combined with what a slot held before.
int CommonPointCount(const ProgramState& s, bool secondRead) {
    int count = s.SlotInfo[FirstFileSlot].NumPoints;
    if (secondRead) count = std::min<int>(count, s.SlotInfo[SecondFileSlot].NumPoints);
    return std::clamp(count, 0, PointCount);
}

// Slot 0's point count, x range and measuring conditions, from the first file or, for the constant
// transform, from the pixel wavelengths.
void ShapeResult(ProgramState& s, int count, bool constant) {
    SlotRecord& result = s.SlotInfo[ResultSlot];
    const SlotRecord& first = s.SlotInfo[FirstFileSlot];
    result.NumPoints = static_cast<int16_t>(count);
    result.Binned = !constant && first.Binned;
    result.IntegTime = first.IntegTime;
    result.Temperature = first.Temperature;
    result.ScansAveraged = first.ScansAveraged;
    if (constant) {
        result.XMin = s.WaveLength[0];
        result.XMax = s.WaveLength[PixelCount - 1];
        for (int i = 0; i < PixelCount; ++i) s.XData[FirstFileSlot][i] = s.WaveLength[i];
        return;
    }
    result.XMin = first.XMin;
    result.XMax = count > 0 && count < first.NumPoints ? s.XData[FirstFileSlot][count - 1] : first.XMax;
}

// A reference channel of exactly 0 becomes 1.0 in both files, so no ratio operand divides by 0.
void GuardReferenceChannels(ProgramState& s, int count) {
    for (int16_t slot : {FirstFileSlot, SecondFileSlot}) {
        for (int i = 0; i < count; ++i) {
            if (s.Ch2Data[slot][i] == 0.0f) s.Ch2Data[slot][i] = 1.0f;
        }
    }
}

// What point i of a file contributes, by the kind chosen for it (any unknown kind is a reference).
double Operand(const ProgramState& s, int16_t slot, int i) {
    const double ch1 = s.Ch1Data[slot][i];
    const double ch2 = s.Ch2Data[slot][i];
    switch (s.SlotInfo[slot].DataKind) {
        case 1: return ch1 / ch2;
        case 2: return ch1;
        default: return ch2;
    }
}

double Combine(const ProgramState& s, int16_t operation, double x1, double x2) {
    switch (operation) {
        case twofile::Add: return x1 + x2;
        case twofile::Subtract: return x1 - x2;
        case twofile::Multiply: return x1 * x2;
        case twofile::Divide: return x2 == 0.0 ? 1.0 : x1 / x2;
        default: return static_cast<double>(s.TransFactor1) * x1 + static_cast<double>(s.TransFactor2) * x2 + s.TransOffset;
    }
}

// A result beyond the single range is stored as the infinity of its sign, an undefined one as
// NaN: the files keep both, and neither is taken for a value it is not.
void ComputeResult(ProgramState& s, int16_t operation, int count) {
    for (int i = 0; i < count; ++i) {
        const double x1 = Operand(s, FirstFileSlot, i);
        const double x2 = Operand(s, SecondFileSlot, i);
        s.Ch1Data[ResultSlot][i] = NearestSingle(Combine(s, operation, x1, x2));
        s.XData[ResultSlot][i] = s.XData[FirstFileSlot][i];
        s.Ch2Data[ResultSlot][i] = 1.0f;  // the result reads the same as channel 1 or as a ratio
    }
}

void ShowResult(FileContext& ctx) {
    ProgramState& s = ctx.state;
    s.DataAvailable = true;
    ResetOverlayRing(s, ResultSlot);
    s.ProcessedResult = true;
    s.ViewReflectance = false;
    ctx.windows.RedrawSpectrumWindow(ResultSlot, ResultAxisTitle);
    if (s.BeepOn) ctx.op.Beep();
    s.OverlayCount = 1;
    if (!s.AutoSaveOn) return;
    // The name the series stands at is the last scan's file: the result goes to the next one.
    PrepareAutoSaveName(s);
    AutoSaveSpectrum(ctx);
}

}  // namespace

bool IsTwoFileOperation(int16_t operation) { return operation >= twofile::Add && operation <= twofile::Transform; }

CombineResult CombineFiles(FileContext& ctx, int16_t operation) {
    ProgramState& s = ctx.state;
    if (!IsTwoFileOperation(operation)) return CombineResult::NotAnOperation;
    const bool secondRead = HasName(s, SecondFileSlot);
    if (!ReadNamedFile(ctx, SecondFileSlot) || !ReadNamedFile(ctx, FirstFileSlot)) return CombineResult::ReadFailed;

    s.CurrentSlot = ResultSlot;
    s.FileDialogMode = operation;
    const bool constant = operation == twofile::Transform && s.TransFactor1 == 0.0f && s.TransFactor2 == 0.0f;
    const int count = constant ? PixelCount : CommonPointCount(s, secondRead);
    ShapeResult(s, count, constant);
    GuardReferenceChannels(s, count);
    ComputeResult(s, operation, count);
    ShowResult(ctx);
    return CombineResult::Done;
}

}  // namespace tav
