#include <gtest/gtest.h>

#include "charts/ChartDriver.h"
#include "charts/PrintFixtures.h"
#include "charts/PrintJob.h"
#include "doubles/ScriptedOperator.h"

namespace tav {
namespace {

using namespace printtest;

// A printer whose run fails when its jamAt-th page ends.
class JammingPrinter : public Printer {
public:
    struct Page : RecordingCanvas {
        explicit Page(JammingPrinter& owner) : RecordingCanvas(PageWidth, PageHeight, 0, 0), owner(owner) {}
        void NewPage() override {
            RecordingCanvas::NewPage();
            if (++owner.pagesEnded == owner.jamAt) owner.failed = true;
        }
        JammingPrinter& owner;
    };
    Canvas* BeginRun(const std::string&) override {
        ++runs;
        return &page;
    }
    bool Failed() const override { return failed; }
    bool EndRun() override {
        ++runsEnded;
        return !failed;
    }

    Page page{*this};
    int jamAt = 0, pagesEnded = 0, runs = 0, runsEnded = 0;
    bool failed = false;
};

struct PrintJobTest : PrintFixture {
    ScriptedOperator op;
    PrintChoices choices;

    PrintOutcome Run() { return RunPrintJob(*s, printer, op, view, choices); }
    int Count(CanvasOp::Kind kind) { return static_cast<int>(OpsOf(page, kind).size()); }
    // The origin shift each printed text was drawn with.
    float ShiftOf(const std::string& text) {
        const CanvasOp* op = FindPrint(page, text);
        EXPECT_NE(op, nullptr) << text;
        return op ? op->scaleTop : 0;
    }
};

TEST_F(PrintJobTest, TheDefaultRunPrintsTheSpectrumInTheTopHalfOfOnePage) {
    FillScan256(*s, 0);
    EXPECT_EQ(Run(), PrintOutcome::Printed);
    EXPECT_EQ(printer.Runs(), 1);
    EXPECT_FALSE(printer.InRun());
    EXPECT_EQ(Count(CanvasOp::Kind::NewPage), 1);
    EXPECT_EQ(page.Ops().back().kind, CanvasOp::Kind::NewPage);
    EXPECT_FLOAT_EQ(ShiftOf("Raw Data (DC off)"), -360 - 198);
    EXPECT_EQ(s->PrintChartCount, 0);
    EXPECT_TRUE(op.Messages().empty());
}

TEST_F(PrintJobTest, TwoItemsToAPageAndTheHalfFilledLastPageEndsTheRun) {
    FillScan256(*s, 0);
    FillKinetic(*s, 11, 20);
    s->RatioValue = 1.5f;
    s->Menu.ActivateRatio = true;
    choices.index = true;
    choices.kinetic[0] = true;
    EXPECT_EQ(Run(), PrintOutcome::Printed);

    EXPECT_EQ(printer.Runs(), 1) << "one run is one document";
    // Page 1: the spectrum on top, the index block from half the page down; page 2: the ratio
    // chart on top.
    std::vector<std::string> order;
    for (const auto& op : page.Ops()) {
        if (op.kind == CanvasOp::Kind::NewPage) order.push_back("|");
        if (op.kind == CanvasOp::Kind::Print &&
            (op.text == "Raw Data (DC off)" || op.text == "Index" || op.text == "Ratio")) {
            order.push_back(op.text);
        }
    }
    EXPECT_EQ(order, (std::vector<std::string>{"Raw Data (DC off)", "Index", "|", "Ratio", "|"}));
    EXPECT_FLOAT_EQ(ShiftOf("Raw Data (DC off)"), -558);
    const CanvasOp* index = FindPrint(page, "Index");
    EXPECT_FLOAT_EQ(PaperY(*index, index->y1), PageHeight / 2);
    EXPECT_FLOAT_EQ(ShiftOf("Ratio"), -360 - 264);
    EXPECT_EQ(s->PrintChartCount, 0);
}

// The printer's job is named after the items that print, as the dialog's check boxes name
// them; a ticked chart without points prints nothing and is not named.
TEST_F(PrintJobTest, TheRunIsNamedAfterTheItemsItPrints) {
    FillScan256(*s, 0);
    FillKinetic(*s, 11, 20);
    FillKinetic(*s, 17, 3);
    choices.index = true;
    choices.kinetic[0] = true;  // ratio
    choices.kinetic[4] = true;  // integral: no points
    choices.kinetic[6] = true;  // diagnostics
    EXPECT_EQ(Run(), PrintOutcome::Printed);
    EXPECT_EQ(printer.Title(), "Main Window, Index Data Window, Ratio Window, Diagnostics Window");

    choices = PrintChoices{};
    choices.spectrum = false;
    choices.kinetic[1] = true;  // normalized difference: no points
    choices.index = true;
    EXPECT_EQ(Run(), PrintOutcome::Printed);
    EXPECT_EQ(printer.Title(), "Index Data Window");
}

TEST_F(PrintJobTest, TheIndexBlockListsTheActiveIndicesThatAreNotZero) {
    s->RatioValue = 1.5f;
    s->NormDiffValue = 0;
    s->ExperimentalValue = 7;
    s->DerivativeValue = -0.25f;
    s->DiagnosticsValue = 1234567;
    s->ElapsedTime = 12.5f;
    s->Menu.ActivateTimeStamp = true;
    s->Menu.ActivateRatio = true;
    s->Menu.ActivateNormDiff = true;   // checked, but 0: left out
    s->Menu.ActivateDerivative = true;
    s->Menu.ActivateDiagnostics = true;  // ExperimentalValue is set but its item is not checked
    // The last index pass computed them from the spectrum on display.
    s->LastPassComputed = {true, true, true, true, true, true, s->CurrentSlot};
    choices.spectrum = false;
    choices.index = true;
    EXPECT_EQ(Run(), PrintOutcome::Printed);

    const std::vector<std::string> expected = {"Index", "", "Elapsed Time= 12.5  Seconds", "Ratio =  1.5 ",
                                               "Derivative = -.25 ", "Diagnostics =  1234567 "};
    EXPECT_EQ(page.PrintedTexts(), expected);
    const auto prints = OpsOf(page, CanvasOp::Kind::Print);
    // Starts at the top edge of the page, "Index" centred in the printer's current font.
    EXPECT_FLOAT_EQ(PaperY(prints[0], prints[0].y1), 0);
    EXPECT_FLOAT_EQ(prints[0].x1, (PageWidth - 5 * 83) / 2);
    for (std::size_t k = 2; k < prints.size(); ++k) {
        EXPECT_EQ(prints[k].x1, 1669) << "1.5/11 of the page width";
        EXPECT_FLOAT_EQ(prints[k].y1, prints[k - 1].y1 + 198);
    }
    EXPECT_EQ(Count(CanvasOp::Kind::NewPage), 1);

    // Without the time stamp the elapsed time is left out.
    s->Menu.ActivateTimeStamp = false;
    page.ClearRecord();
    Run();
    ASSERT_GE(page.PrintedTexts().size(), 3u);
    EXPECT_EQ(page.PrintedTexts()[2], "Ratio =  1.5 ");

    // A value the last pass did not compute is of an earlier spectrum: left out.
    s->LastPassComputed.Ratio = false;
    page.ClearRecord();
    Run();
    EXPECT_EQ(page.PrintedTexts(), (std::vector<std::string>{"Index", "", "Derivative = -.25 ", "Diagnostics =  1234567 "}));

    // Under a processing result, or any spectrum the pass did not take, no value is printed.
    for (const int16_t pass : {int16_t{-1}, int16_t{3}}) {
        s->LastPassComputed = {true, true, true, true, true, true, pass};
        page.ClearRecord();
        Run();
        EXPECT_EQ(page.PrintedTexts(), (std::vector<std::string>{"Index", ""})) << pass;
    }
}

TEST_F(PrintJobTest, NothingToPrintIsSaidAndNothingReachesThePrinter) {
    FillKinetic(*s, 11, 20);
    choices.kinetic[0] = true;
    EXPECT_EQ(Run(), PrintOutcome::NothingToPrint);
    ASSERT_EQ(op.Messages().size(), 1u);
    EXPECT_EQ(op.Messages()[0].text, "There is nothing to print.");
    EXPECT_EQ(op.Messages()[0].buttons, MsgButtons::OkOnly);
    EXPECT_EQ(printer.Runs(), 0);
}

TEST_F(PrintJobTest, OnlyEmptyChartsTickedPrintNothingAndTouchNoPrinter) {
    s->AverageValue = 3;
    printer.SetUnavailable(true);  // not even asked for
    choices.kinetic[0] = true;
    EXPECT_EQ(Run(), PrintOutcome::Printed);
    EXPECT_EQ(printer.Runs(), 0);
    EXPECT_TRUE(page.Ops().empty());
    EXPECT_TRUE(op.Messages().empty());
}

TEST_F(PrintJobTest, APrinterThatCannotBeUsedIsAPrinterErrorAndTheNextRunStartsAfresh) {
    FillScan256(*s, 0);
    printer.SetUnavailable(true);
    EXPECT_EQ(Run(), PrintOutcome::PrinterError);
    ASSERT_EQ(op.Messages().size(), 1u);
    EXPECT_EQ(op.Messages()[0].text, "Printer Error");
    EXPECT_EQ(op.Messages()[0].buttons, MsgButtons::OkOnly);
    EXPECT_EQ(s->PrintChartCount, 0);

    printer.SetUnavailable(false);
    EXPECT_EQ(Run(), PrintOutcome::Printed);
    EXPECT_FLOAT_EQ(ShiftOf("Raw Data (DC off)"), -558) << "the top half again";
}

TEST_F(PrintJobTest, APrinterThatJamsStopsTheRunWithThePagesBeforeItSent) {
    JammingPrinter jamming;
    jamming.page.SetAvailableFonts({"Arial", "Small Fonts", "MS Sans Serif"});
    jamming.jamAt = 1;
    FillScan256(*s, 0);
    for (int16_t k = 11; k <= 13; ++k) FillKinetic(*s, k, 20);
    choices.kinetic = {true, true, true};
    EXPECT_EQ(RunPrintJob(*s, jamming, op, view, choices), PrintOutcome::PrinterError);
    EXPECT_EQ(op.MessageTexts(), std::vector<std::string>{"Printer Error"});
    EXPECT_EQ(jamming.runsEnded, 1);
    EXPECT_EQ(jamming.pagesEnded, 1);
    EXPECT_TRUE(Printed(jamming.page, "Ratio"));
    EXPECT_FALSE(Printed(jamming.page, "Normalized Difference")) << "nothing after the failure";
    EXPECT_EQ(s->PrintChartCount, 0);
}

TEST_F(PrintJobTest, TheSpectrumChartPrintsTheOverlayRingOfTheSpectrumWindow) {
    const struct {
        int16_t current, overlays, first;
    } cases[] = {{6, 3, 4}, {2, 5, 0}, {0, 1, 0}};
    for (const auto& k : cases) {
        FillBinned(*s, k.current, 30);
        s->CurrentSlot = k.current;
        s->OverlayCount = k.overlays;
        s->ActiveWindowIdx = 3;
        Run();
        EXPECT_EQ(s->FirstOverlaySlot, k.first) << k.current;
        EXPECT_EQ(s->ActiveWindowIdx, 0);
    }
    // Kinetic charts leave both alone.
    FillKinetic(*s, 11, 20);
    s->FirstOverlaySlot = 5;
    s->ActiveWindowIdx = 3;
    choices.spectrum = false;
    choices.kinetic[0] = true;
    Run();
    EXPECT_EQ(s->FirstOverlaySlot, 5);
    EXPECT_EQ(s->ActiveWindowIdx, 3);
}

TEST_F(PrintJobTest, TheWindowsKeepTheirChartLayout) {
    FillScan256(*s, 0);
    FillKinetic(*s, 11, 20);
    RecordingCanvas window = MakeCanvas();
    std::string title;
    DrawChart(*s, window, view, 0, title);
    const ProgramState before = *s;

    choices.kinetic[0] = true;
    ASSERT_EQ(Run(), PrintOutcome::Printed);
    for (int k = 0; k < SlotCount; ++k) {
        const SlotRecord &now = s->SlotInfo[k], &was = before.SlotInfo[k];
        EXPECT_EQ(now.PlotTop, was.PlotTop) << k;
        EXPECT_EQ(now.PlotBottom, was.PlotBottom) << k;
        EXPECT_EQ(now.PlotLeft, was.PlotLeft) << k;
        EXPECT_EQ(now.PlotRight, was.PlotRight) << k;
        EXPECT_EQ(now.YMin, was.YMin) << k;
        EXPECT_EQ(now.YMax, was.YMax) << k;
        EXPECT_EQ(now.YScale, was.YScale) << k;
    }
    EXPECT_EQ(s->PlotY, before.PlotY);
    EXPECT_EQ(s->PlotHeight, before.PlotHeight);
    EXPECT_EQ(s->PlotWidth, before.PlotWidth);
}

// The spectrum and a kinetic chart on one page, as the operator gets it.
TEST_F(PrintJobTest, ASpectrumAndARatioChartMakeOnePlausiblePage) {
    FillScan256(*s, 0);
    FillKinetic(*s, 11, 20);
    s->AutoScanTimerOn = true;
    s->Menu.ActivateTimeStamp = true;
    choices.kinetic[0] = true;
    ASSERT_EQ(Run(), PrintOutcome::Printed);
    EXPECT_EQ(printer.Runs(), 1);
    EXPECT_EQ(Count(CanvasOp::Kind::NewPage), 1);

    // Everything lies on the paper: the spectrum's in the top half, the ratio chart's in the
    // bottom half.
    int bottomOps = 0;
    for (const auto& op : page.Ops()) {
        if (op.kind == CanvasOp::Kind::Font || op.kind == CanvasOp::Kind::NewPage) continue;
        const bool bottom = op.scaleTop < -PageHeight / 4;
        bottomOps += bottom ? 1 : 0;
        const float y1 = PaperY(op, op.y1);
        EXPECT_GE(op.x1, 0) << op.text;
        EXPECT_LE(op.x1, PageWidth) << op.text;
        EXPECT_GE(y1, bottom ? PageHeight / 2 : 0) << op.text;
        EXPECT_LE(y1, bottom ? PageHeight : PageHeight / 2) << op.text;
    }
    EXPECT_GT(bottomOps, 0);
    EXPECT_LT(ShiftOf("Raw Data (DC off)"), 0);
    EXPECT_LT(ShiftOf("Ratio"), -PageHeight / 2);
    for (const char* text : {"Raw Data (DC off)", "Wavelength (nm)", "Ratio", "Time", "400", "1100", "0", "175"}) {
        EXPECT_TRUE(Printed(page, text)) << text;
    }
    // Two curves, each inside its plot rectangle on the paper.
    const auto psets = OpsOf(page, CanvasOp::Kind::PSet);
    ASSERT_EQ(psets.size(), 2u);
    EXPECT_LT(PaperY(psets[0], psets[0].y1), PageHeight / 2);
    EXPECT_GT(PaperY(psets[1], psets[1].y1), PageHeight / 2);
    for (const auto& line : OpsOf(page, CanvasOp::Kind::Line)) {
        if (line.color != 0) continue;  // the black curves
        EXPECT_GE(line.x2, PlotLeft);
        EXPECT_LE(line.x2, PlotRight);
        EXPECT_GE(line.y2, PlotTop);
        EXPECT_LE(line.y2, PlotBottom);
    }
}

}  // namespace
}  // namespace tav
