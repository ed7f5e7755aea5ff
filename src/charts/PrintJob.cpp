#include "charts/PrintJob.h"

#include <algorithm>
#include <functional>
#include <string>
#include <utility>

#include "charts/ChartValues.h"
#include "charts/PrintedChart.h"
#include "platform/Numbers.h"
#include "platform/Operator.h"
#include "platform/forms/Printer.h"
#include "shared/IndexPassRecord.h"

namespace tav {
namespace {

// The index block starts at the top edge of its half: its origin lies a quarter page lower.
constexpr double IndexOriginDrop = HalfPageMargin + 0.25;
constexpr double IndexMarginFrac = 1.5 / 11;

using Computed = ProgramState::IndicesComputed;
struct IndexLine {
    const char* label;
    float ProgramState::*value;
    bool MenuChecks::*active;
    bool Computed::*computed;  // nullptr: the pass leaves the value as it is
};
constexpr IndexLine IndexLines[] = {
    {"Ratio = ", &ProgramState::RatioValue, &MenuChecks::ActivateRatio, &Computed::Ratio},
    {"Normalized Difference = ", &ProgramState::NormDiffValue, &MenuChecks::ActivateNormDiff, &Computed::NormDiff},
    {"Experimental = ", &ProgramState::ExperimentalValue, &MenuChecks::ActivateExperimental, &Computed::Experimental},
    {"Derivative = ", &ProgramState::DerivativeValue, &MenuChecks::ActivateDerivative, &Computed::Derivative},
    {"Integral = ", &ProgramState::IntegralValue, &MenuChecks::ActivateIntegral, &Computed::Integral},
    {"Average = ", &ProgramState::AverageValue, &MenuChecks::ActivateAverage, &Computed::Average},
    {"Diagnostics = ", &ProgramState::DiagnosticsValue, &MenuChecks::ActivateDiagnostics, nullptr},
};

// An index value is printed only as the last pass computed it from the spectrum on display.
bool PrintsValueOf(const ProgramState& state, const IndexLine& line) {
    if (!(state.Menu.*line.active) || state.*line.value == 0.0f) return false;
    if (!IndexValuesBelongTo(state, state.CurrentSlot)) return false;
    return !line.computed || state.LastPassComputed.*line.computed;
}

// The print dialog's captions of the items, in print order.
constexpr const char* SpectrumItemName = "Main Window";
constexpr const char* IndexItemName = "Index Data Window";
constexpr std::array<const char*, 7> KineticItemNames = {
    "Ratio Window",      "Normalized Difference", "Experimental Window", "Derivative Window",
    "Integral Window",   "Average Window",        "Diagnostics Window",
};

// A single printed as a number item: sign-blank text and one trailing blank.
std::string SingleItem(float value) { return StrSingle(value) + " "; }

bool NothingToPrint(const ProgramState& state) {
    for (const IndexLine& line : IndexLines) {
        if (state.*line.value != 0.0f) return false;
    }
    return SlotPoints(state, state.CurrentSlot) == 0;
}

// The print run on the printer, begun with the first item so that a run without items
// touches no printer.
class PageRun {
public:
    PageRun(Printer& printer, std::string title) : printer_(printer), title_(std::move(title)) {}
    ~PageRun() { End(); }

    // The page, or nullptr when the printer cannot be used.
    Canvas* Page() {
        if (!page_ && !begun_) {
            begun_ = true;
            page_ = printer_.BeginRun(title_);
        }
        return page_;
    }
    bool Failed() const { return begun_ && (!page_ || printer_.Failed()); }
    // Ends the run (sending a page begun but not ended); false when the printer failed.
    bool End() {
        if (!begun_ || ended_) return !Failed();
        ended_ = true;
        const bool ok = page_ && printer_.EndRun();
        return ok && !printer_.Failed();
    }

private:
    Printer& printer_;
    std::string title_;
    Canvas* page_ = nullptr;
    bool begun_ = false;
    bool ended_ = false;
};

// What a printed chart changes of the windows' chart layout, put back after the run so that
// the chart cursor and the next partial redraw of a window work in window coordinates.
class WindowLayoutKeeper {
public:
    explicit WindowLayoutKeeper(ProgramState& state)
        : state_(state), slots_(state.SlotInfo), plotY_(state.PlotY), plotHeight_(state.PlotHeight),
          plotWidth_(state.PlotWidth), startPixel_(state.StartPixel), endPixel_(state.EndPixel) {}
    ~WindowLayoutKeeper() {
        for (std::size_t i = 0; i < slots_.size(); ++i) {
            SlotRecord& rec = state_.SlotInfo[i];
            const SlotRecord& kept = slots_[i];
            rec.PlotTop = kept.PlotTop;
            rec.PlotBottom = kept.PlotBottom;
            rec.PlotLeft = kept.PlotLeft;
            rec.PlotRight = kept.PlotRight;
            rec.YMin = kept.YMin;
            rec.YMax = kept.YMax;
            rec.YScale = kept.YScale;
            rec.DataMin = kept.DataMin;
            rec.DataMax = kept.DataMax;
        }
        state_.PlotY = plotY_;
        state_.PlotHeight = plotHeight_;
        state_.PlotWidth = plotWidth_;
        state_.StartPixel = startPixel_;
        state_.EndPixel = endPixel_;
    }
    WindowLayoutKeeper(const WindowLayoutKeeper&) = delete;
    WindowLayoutKeeper& operator=(const WindowLayoutKeeper&) = delete;

private:
    ProgramState& state_;
    std::array<SlotRecord, SlotCount> slots_;
    std::array<int16_t, PointCount> plotY_;
    int16_t plotHeight_, plotWidth_, startPixel_, endPixel_;
};

// The series a kinetic chart prints: those its window shows, never a run another window left
// in FirstOverlaySlot. The normalized-difference window shows what it drew last; with both
// series its y axis is the selected trace's.
struct KineticRun {
    int16_t first, shown, axis;
};
KineticRun WindowRunOf(const ProgramState& state, int16_t chart) {
    if (chart != slot::NormDiff) return {chart, chart, chart};
    const int16_t first = state.NormDiffRunFirst, shown = state.NormDiffRunShown;
    const auto ownSeries = [](int16_t k) { return k == slot::NormDiff || k == slot::Experimental; };
    if (!ownSeries(first) || !ownSeries(shown) || first > shown) return {chart, chart, chart};
    const int16_t selected = state.DisplayChannel[NormDiffWindow];
    return {first, shown, first != shown && ownSeries(selected) ? selected : shown};
}

bool PrintsSpectrum(const ProgramState& state, const PrintChoices& choices) {
    return choices.spectrum && SlotPoints(state, state.CurrentSlot) >= 1;
}

// Kinetic chart k (0 for the ratio window) prints when it is ticked and its window shows points.
bool PrintsKinetic(const ProgramState& state, const PrintChoices& choices, std::size_t k) {
    const KineticRun run = WindowRunOf(state, static_cast<int16_t>(slot::Ratio + static_cast<int>(k)));
    return choices.kinetic[k] && SlotPoints(state, run.shown) >= 1;
}

// Prints the chosen items in their order; false at the first printer failure.
bool PrintItems(ProgramState& state, PageRun& run, const MainWindowView& view,
                const PrintChoices& choices) {
    int16_t& count = state.PrintChartCount;
    const auto item = [&](const std::function<void(Canvas&)>& print) {
        ++count;
        Canvas* page = run.Page();
        if (!page) return false;
        print(*page);
        if (count % 2 == 0) page->NewPage();  // the bottom half is filled
        return !run.Failed();
    };

    const int16_t current = state.CurrentSlot;
    if (PrintsSpectrum(state, choices)) {
        state.FirstOverlaySlot = static_cast<int16_t>(std::max(0, current - state.OverlayCount + 1));
        state.ActiveWindowIdx = 0;
        if (!item([&](Canvas& page) { PrintChart(state, page, view, current, "Wavelength (nm)", count); })) {
            return false;
        }
    }
    if (choices.index && !item([&](Canvas& page) { PrintIndexBlock(state, page, count); })) {
        return false;
    }
    for (std::size_t k = 0; k < choices.kinetic.size(); ++k) {
        if (!PrintsKinetic(state, choices, k)) continue;
        const KineticRun series = WindowRunOf(state, static_cast<int16_t>(slot::Ratio + static_cast<int>(k)));
        // The run is the printed chart's own: the windows keep the FirstOverlaySlot they drew.
        const int16_t kept = state.FirstOverlaySlot;
        state.FirstOverlaySlot = series.first;
        state.AxisSlot = series.axis;
        const bool printed =
            item([&](Canvas& page) { PrintChart(state, page, view, series.shown, "Time", count); });
        state.FirstOverlaySlot = kept;
        if (!printed) return false;
    }
    if (count % 2 != 0) {
        if (Canvas* page = run.Page()) page->NewPage();  // the half-filled last page
    }
    return !run.Failed();
}

}  // namespace

void PrintIndexBlock(const ProgramState& state, Canvas& page, int16_t count) {
    const double h = RoundHalfEven(page.Height());
    const double w = RoundHalfEven(page.ScaleWidth());
    page.ScaleTop = HalfPageScaleTop(page.Height(), count, IndexOriginDrop);
    page.CurrentY = static_cast<float>(-IndexOriginDrop * h);
    const auto margin = static_cast<float>(RoundHalfEven(IndexMarginFrac * w));

    page.CurrentX = static_cast<float>((w - page.TextWidth("Index")) / 2);
    page.Print("Index");
    page.Print("");
    if (state.Menu.ActivateTimeStamp) {
        page.CurrentX = margin;
        page.Print("Elapsed Time=" + SingleItem(state.ElapsedTime) + " Seconds");
    }
    for (const IndexLine& line : IndexLines) {
        if (!PrintsValueOf(state, line)) continue;
        page.CurrentX = margin;
        page.Print(line.label + SingleItem(state.*line.value));
    }
}

std::string PrintRunTitle(const ProgramState& state, const PrintChoices& choices) {
    std::string title;
    const auto name = [&title](const char* item) { title += (title.empty() ? "" : ", ") + std::string(item); };
    if (PrintsSpectrum(state, choices)) name(SpectrumItemName);
    if (choices.index) name(IndexItemName);
    for (std::size_t k = 0; k < choices.kinetic.size(); ++k) {
        if (PrintsKinetic(state, choices, k)) name(KineticItemNames[k]);
    }
    return title;
}

PrintOutcome RunPrintJob(ProgramState& state, Printer& printer, Operator& op,
                         const MainWindowView& view, const PrintChoices& choices) {
    if (NothingToPrint(state)) {
        op.MsgBox("There is nothing to print.", MsgButtons::OkOnly);
        return PrintOutcome::NothingToPrint;
    }
    bool printed = false;
    {
        WindowLayoutKeeper keeper(state);
        PageRun run(printer, PrintRunTitle(state, choices));
        state.PrintChartCount = 0;
        printed = PrintItems(state, run, view, choices);
        printed = run.End() && printed;
        state.PrintChartCount = 0;
    }
    if (printed) return PrintOutcome::Printed;
    op.MsgBox("Printer Error", MsgButtons::OkOnly);
    return PrintOutcome::PrinterError;
}

}  // namespace tav
