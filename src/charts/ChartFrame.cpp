#include "charts/ChartFrame.h"

#include <limits>

#include "files/TextConversions.h"
#include "platform/Numbers.h"

namespace tav {
namespace {

constexpr std::size_t CaptionChars = 65;

void SetChartFont(ProgramState& state, Canvas& form, int32_t s) {
    // A font or size the machine lacks keeps the current one: the chart is drawn anyway.
    form.SetFontBold(false);
    const std::string name = ChartFontFor(state, s);
    form.SetFontName(name);
    form.SetFontSize(ChartFontSize(s));
    form.SetFontName(name);
}

std::string ProcessedTitle(const ProgramState& state) {
    const int16_t kind = state.SlotInfo[2].DataKind;
    const std::string kindText =
        kind == 1 ? "(Reflectance)" : kind == 2 ? "(Raw Data)" : "(Reference)";
    switch (state.FileDialogMode) {
        case 1: return "ADD " + kindText;
        case 2: return "SUBTRACT " + kindText;
        case 3: return "MULTIPLY " + kindText;
        case 4: return "DIVIDE " + kindText;
        case 5: return "TRANSFORM " + kindText;
        case 6: return "DERIVATIVE (" + NumberItem(state.DerivativeParam) + ")";
        case 7: return "AVERAGE (" + NumberItem(state.FileAvgCount) + ")";
        default: return "";
    }
}

std::string LastChars(const std::string& text, std::size_t count) {
    return text.size() <= count ? text : text.substr(text.size() - count);
}

void DrawInformationBlock(const ProgramState& state, Canvas& form, const MainWindowView& view,
                          int16_t slotNumber) {
    const SlotRecord& rec = state.SlotInfo[slotNumber];
    const float h0 = static_cast<float>(RoundHalfEven(form.TextHeight("0")));
    const float lineY = state.ChartTop + state.ChartHeight - h0 - 15;
    const float upperY = lineY - 250;
    const float left = state.ChartLeft + 100.0f;
    const float right = state.ChartLeft + state.ChartWidth - 2000.0f;
    const bool normalScan = state.ScanNumber == 0 && state.MemoryMode == memmode::Normal;

    if (rec.IntegTime > 0) {
        form.CurrentX = left;
        form.CurrentY = lineY;
        if (normalScan) {
            form.PrintInline("Integration time    :  " + SngToText(rec.IntegTime) + " ms");
        } else {
            // Only shown: the address that the parameter boxes accepted stays as it is.
            form.PrintInline("Read Address: " + NumberItem(Val(view.Text5)));
        }
    }

    std::string path = rec.FileName, name, folder;
    SplitPath(path, name, folder);
    std::string caption = name.empty() && folder.empty() ? "" : "File: " + name;
    if (caption.empty() && state.AutoSaveOn) caption = state.CurrentFileName;
    form.CurrentX = state.ChartLeft + state.ChartWidth / 2.0f - 800;
    form.CurrentY = lineY;
    if (!caption.empty()) form.Print(LastChars(caption, CaptionChars));
    form.Print("Temp. :  " + Format(rec.Temperature, "#.## ") + " Deg C");

    form.CurrentX = right;
    form.CurrentY = lineY;
    form.Print("Overlay :  " + NumberItem(slotNumber));
    form.CurrentX = right;
    form.CurrentY = upperY;
    form.Print(state.PixelMode ? std::string("Pixels :  256")
                               : "Bins   :  " + NumberItem(rec.NumPoints));
    form.CurrentX = left;
    form.CurrentY = upperY;
    if (normalScan) {
        form.PrintInline("Scans to Average: " + NumberItem(ScanCountShown(rec)));
    } else {
        form.Print("Write Address: " + NumberItem(state.WriteAddress));
    }
}

}  // namespace

void StorePlotRectangle(ProgramState& state, int16_t slotNumber, int16_t lastShared,
                        const PlotRectangle& rect) {
    const auto store = [&](int16_t k) {
        SlotRecord& rec = state.SlotInfo[k];
        rec.PlotTop = rect.top;
        rec.PlotBottom = rect.bottom;
        rec.PlotLeft = rect.left;
        rec.PlotRight = rect.right;
    };
    if (!IsValidSlot(slotNumber)) return;
    if (slotNumber == slot::Experimental) {
        store(slot::NormDiff);
        store(slot::Experimental);
    } else if (slotNumber > slot::LastOverlay) {
        store(slotNumber);
    } else {
        for (int16_t k = 0; k <= lastShared && k <= MaxSlot; ++k) store(k);
    }
}

std::string DarkCorrectionText(const ProgramState& state) {
    return state.DarkCorrectionOn ? "(DC on)" : "(DC off)";
}

void DrawPlotFrame(const ProgramState& state, Canvas& form, const SlotRecord& rec,
                   const std::array<int16_t, 4>& gridRows) {
    form.Box(rec.PlotLeft, rec.PlotTop, rec.PlotRight, rec.PlotBottom, state.ChartColor, false);
    form.DrawStyle = draw::Dot;
    for (int16_t row : gridRows) form.Line(rec.PlotLeft, row, rec.PlotRight, row, state.ChartColor);
    form.DrawStyle = draw::Solid;
}

std::string NumberItem(double value) { return StrDouble(value) + " "; }

double ScanCountShown(const SlotRecord& rec) {
    return rec.ScansAveraged > 0 ? rec.ScansAveraged : std::numeric_limits<double>::quiet_NaN();
}

std::string ChartFontFor(const ProgramState& state, int32_t s) {
    return s > SmallFontLimit ? state.ChartFontName : std::string("Small Fonts");
}

float ChartFontSize(int32_t s) {
    if (s > 6500) return 11;
    if (s > 5750) return 9;
    if (s > 5000) return 8;
    if (s > 3750) return 6;
    if (s > 3250) return 5.5f;
    if (s > 2250) return 5;
    if (s > 2000) return 3.5f;
    if (s > 1850) return 3;
    if (s > 800) return 2.5f;
    return 1;
}

void SetGridRows(ProgramState& state, int16_t plotTop, int16_t plotBottom) {
    state.PlotHeight = RoundToInt16Clamped(static_cast<double>(plotBottom) - plotTop);
    auto row = [&](double level) {
        return RoundToInt16Clamped(plotTop + (1 - level) * state.PlotHeight);
    };
    state.YTick80 = row(0.8);
    state.YTick60 = row(0.6);
    state.YTick40 = row(0.4);
    state.YTick20 = row(0.2);
}

bool LayoutChartFrame(ProgramState& state, Canvas& form, int16_t slotNumber) {
    if (!IsValidSlot(slotNumber)) return false;
    state.ChartLeft = 0;
    state.ChartTop = 0;
    state.ChartWidth = RoundToInt16Clamped(form.ScaleWidth());
    state.ChartHeight = RoundToInt16Clamped(form.ScaleHeight());
    const double byHeight = RoundHalfEven(2.75 * state.ChartHeight);
    const int32_t s = byHeight < state.ChartWidth ? static_cast<int32_t>(byHeight) : state.ChartWidth;
    SetChartFont(state, form, s);

    const double dummy = form.TextHeight("DUMMY TEXT");
    const int16_t left = RoundToInt16Clamped(state.ChartLeft + form.TextWidth(" -0.0000E+00 "));
    const int16_t right = RoundToInt16Clamped(static_cast<double>(state.ChartLeft) + state.ChartWidth - form.TextWidth("000"));
    const int16_t top = RoundToInt16Clamped(state.ChartTop + dummy + 25);
    const int16_t bottom = RoundToInt16Clamped(static_cast<double>(state.ChartTop) + state.ChartHeight - 3 * (dummy + 15));

    StorePlotRectangle(state, slotNumber, slot::Reference, {top, bottom, left, right});
    SetGridRows(state, top, bottom);
    return right > left && bottom > top;
}

std::string ChartTitle(const ProgramState& state, int16_t slotNumber) {
    if (slotNumber == slot::DarkCh2) return "DarkCurrent (CH 2)";
    if (slotNumber == slot::DarkCh1) return "DarkCurrent (CH 1)";
    if (slotNumber == slot::Reference) return "Reference " + DarkCorrectionText(state);
    if (slotNumber > slot::LastOverlay) return "";
    if (state.ProcessedResult) return ProcessedTitle(state);
    if (state.ViewReflectance) {
        return (state.AbsorbanceOn ? "Absorbance " : "Refl/Transm. ") + DarkCorrectionText(state);
    }
    return (state.ShowChannel2 ? "CH 1 " : "CH 2 ") + DarkCorrectionText(state);
}

bool DrawChartFrame(ProgramState& state, Canvas& form, const MainWindowView& view,
                    int16_t slotNumber) {
    if (!LayoutChartFrame(state, form, slotNumber)) return false;
    const std::string title = ChartTitle(state, slotNumber);
    if (!title.empty()) {
        form.CurrentX = state.ChartLeft + 1400.0f;
        form.CurrentY = state.ChartTop;
        form.Print(title);
    }
    if (slotNumber <= slot::LastOverlay) DrawInformationBlock(state, form, view, slotNumber);
    DrawPlotFrame(state, form, state.SlotInfo[slotNumber],
                  {state.YTick80, state.YTick60, state.YTick40, state.YTick20});
    return true;
}

}  // namespace tav
