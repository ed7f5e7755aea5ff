#include "charts/PrintedChartFrame.h"

#include "charts/ChartFrame.h"
#include "files/TextConversions.h"
#include "platform/Numbers.h"
#include "shared/KineticWindows.h"

namespace tav {
namespace {

constexpr std::size_t FileLineChars = 65;

int16_t Rounded(double v) { return RoundToInt16Clamped(v); }

std::string LastChars(const std::string& text, std::size_t count) {
    return text.size() <= count ? text : text.substr(text.size() - count);
}

// The end of a text that fits between the print position and the right edge of the page: the
// file line starts at the middle of the chart, whatever its width.
std::string FitToRightEdge(Canvas& printer, std::string text) {
    const float room = printer.ScaleWidth() - printer.CurrentX;
    while (!text.empty() && printer.TextWidth(text) > room) text.erase(0, 1);
    return text;
}

// The chart rectangle on the page from the fractions PrintChart set.
void PlaceChart(ProgramState& state, Canvas& printer) {
    const double width = printer.ScaleWidth(), height = printer.ScaleHeight();
    state.PrintChartLeft = Rounded(width * state.PrintLeftFrac);
    state.PrintChartTop = Rounded(height * state.PrintTopFrac);
    state.PrintChartWidth = Rounded(width * state.PrintWidthFrac);
    state.PrintChartHeight = Rounded(height * state.PrintHeightFrac);
}

void SetPrintFont(const ProgramState& state, Canvas& printer) {
    // A printer without the font or the size keeps its own: the chart is printed anyway.
    const int32_t s = PrintSizeMeasure(state.PrintChartWidth, state.PrintChartHeight);
    const std::string name = ChartFontFor(state, s);
    printer.SetFontBold(false);
    printer.SetFontName(name);
    printer.SetFontSize(ChartFontSize(s));
    printer.SetFontName(name);
}

// The trimmed path goes back into the record; the flag is "File: " and the name, or "" when
// the slot has no file.
std::string FileFlag(SlotRecord& rec) {
    std::string path = rec.FileName, name, folder;
    SplitPath(path, name, folder);
    rec.FileName = path;
    return name.empty() && folder.empty() ? "" : "File: " + name;
}

void LayOutPlot(ProgramState& state, Canvas& printer, int16_t slotNumber) {
    const double l = state.PrintChartLeft, t = state.PrintChartTop;
    const double w = state.PrintChartWidth, h = state.PrintChartHeight;
    const double dummy = printer.TextHeight("DUMMY TEXT");
    const int16_t left = Rounded(l + printer.TextWidth(" -0.0000E+00 "));
    const int16_t right = Rounded(l + w - printer.TextWidth("000"));
    const int16_t top = Rounded(t + dummy + 25 - printer.TextHeight("0"));
    const int16_t bottom = Rounded(t + h - 3 * (dummy + 15));

    // Every slot of the overlay ring shares the printed rectangle; the dark and reference
    // slots keep theirs.
    StorePlotRectangle(state, slotNumber, slot::LastOverlay, {top, bottom, left, right});
    SetPrintGridRows(state, top, bottom);
}

void PrintInformationBlock(const ProgramState& state, Canvas& printer, int16_t slotNumber,
                           std::string flag) {
    const SlotRecord& rec = state.SlotInfo[slotNumber];
    const float l = state.PrintChartLeft, w = state.PrintChartWidth;
    const float infoY = static_cast<float>(state.PrintChartTop) + state.PrintChartHeight - 100;

    if (rec.IntegTime > 0) {
        printer.CurrentX = l + 100;
        printer.CurrentY = infoY;
        printer.PrintInline("Integration time    :  " + SngToText(rec.IntegTime) + " ms");
    }
    // A spectrum from a file, or a processed result, gets no instrument lines.
    if (!flag.empty() || state.ProcessedResult) return;

    printer.CurrentX = l + w / 2 - 800;
    printer.CurrentY = infoY;
    if (state.AutoSaveOn) flag = state.CurrentFileName;
    if (!flag.empty()) printer.Print(FitToRightEdge(printer, LastChars(flag, FileLineChars)));
    printer.Print("Temp. :  " + Format(rec.Temperature, "#.## ") + " Deg C");

    printer.CurrentX = l + w - 2000;
    printer.CurrentY = infoY;
    printer.Print("Overlay   :  " + NumberItem(slotNumber));
    printer.CurrentX = l + w - 2000;
    printer.CurrentY = infoY - 250;
    printer.Print("Vsource  :  " + Format(state.LampLevel / 2.5, "###.# ") + " %");
    printer.CurrentX = l + 100;
    printer.CurrentY = infoY - 300;
    printer.PrintInline("Scans to average : " + NumberItem(ScanCountShown(rec)));
}

void PrintTitleText(const ProgramState& state, Canvas& printer, const std::string& title) {
    if (title.empty()) return;
    printer.CurrentX = state.PrintChartLeft + 1400.0f;
    printer.CurrentY = state.PrintChartTop - 300.0f;
    printer.Print(title);
}

}  // namespace

int32_t PrintSizeMeasure(int16_t width, int16_t height) {
    const double byHeight = 2.75 * height;
    if (byHeight >= width) return width;
    return static_cast<int32_t>(RoundHalfEven(byHeight));
}

std::string PrintedChartTitle(const ProgramState& state, int16_t slotNumber) {
    if (slotNumber == slot::DarkCh2) return "DarkCurrent";
    if (slotNumber == slot::Reference) return "Reference " + DarkCorrectionText(state);
    if (slotNumber > slot::LastOverlay || slotNumber < 0) return "";
    // The processing names read as on the window.
    if (state.ProcessedResult) return ChartTitle(state, slotNumber);
    if (state.ViewReflectance) {
        return (state.AbsorbanceOn ? "Absorbance " : "Refl/Transm. ") + DarkCorrectionText(state);
    }
    return "Raw Data " + DarkCorrectionText(state);
}

void SetPrintGridRows(ProgramState& state, int16_t plotTop, int16_t plotBottom) {
    state.PlotHeight = Rounded(static_cast<double>(plotBottom) - plotTop);
    auto row = [&](float level) {
        return Rounded(plotTop + static_cast<float>(1 - level) * static_cast<float>(state.PlotHeight));
    };
    state.PrintGridY80 = row(0.8f);
    state.PrintGridY60 = row(0.6f);
    state.PrintGridY40 = row(0.4f);
    state.PrintGridY20 = row(0.2f);
}

void PrintChartFrame(ProgramState& state, Canvas& printer, int16_t slotNumber) {
    if (!IsValidSlot(slotNumber)) return;
    PlaceChart(state, printer);
    SetPrintFont(state, printer);
    const std::string flag = FileFlag(state.SlotInfo[slotNumber]);
    LayOutPlot(state, printer, slotNumber);
    PrintTitleText(state, printer, PrintedChartTitle(state, slotNumber));
    PrintInformationBlock(state, printer, slotNumber, flag);
    if (const KineticWindowInfo* kinetic = KineticWindowOf(slotNumber)) {
        state.IndexWinTitle = kinetic->caption;
        PrintTitleText(state, printer, state.IndexWinTitle);
    }
    DrawPlotFrame(state, printer, state.SlotInfo[slotNumber],
                  {state.PrintGridY80, state.PrintGridY60, state.PrintGridY40, state.PrintGridY20});
}

}  // namespace tav
