// The print dialog and the printer options dialog on the program's windows.

#include <gtest/gtest.h>

#include "charts/ChartFixtures.h"
#include "platform/forms_test_app.h"
#include "windows/PrinterForm.h"
#include "windows/PrinterOptionsForm.h"

namespace tav {
namespace {

using namespace charttest;

struct PrintFormsTest : ::testing::Test {
    test::FormsTestApp t;
    ProgramState& s = *t.state;

    PrintFormsTest() {
        s.AutoScaleOn.fill(-1);
        s.ChartFontName = "Arial";
    }
    PrinterForm& OpenPrint() {
        PrinterForm& form = t.app.forms.Get<PrinterForm>();
        form.Show();
        return form;
    }
    PrinterOptionsForm& OpenOptions() {
        PrinterOptionsForm& form = t.app.forms.Get<PrinterOptionsForm>();
        form.Show();
        return form;
    }
    PrinterForm* Print() { return t.app.forms.Find<PrinterForm>(); }
    PrinterOptionsForm* Options() { return t.app.forms.Find<PrinterOptionsForm>(); }
};

TEST_F(PrintFormsTest, ThePrintDialogOpensWithOnlyTheMainWindowTicked) {
    PrinterForm& form = OpenPrint();
    EXPECT_EQ(form.Caption(), "Print");
    EXPECT_TRUE(form.KeyPreview());
    const struct {
        const CheckBox& box;
        const char* caption;
    } boxes[] = {
        {form.SpectraChk, "Main Window"},        {form.IndexChk, "Index Data Window"},
        {form.RatioChk, "Ratio Window"},         {form.NormDiffChk, "Normalized Difference"},
        {form.ExperimentalChk, "Experimental Window"}, {form.DerivChk, "Derivative Window"},
        {form.IntegralChk, "Integral Window"},   {form.AverageChk, "Average Window"},
        {form.DiagnosticsChk, "Diagnostics Window"},
    };
    float top = -1;
    for (const auto& b : boxes) {
        EXPECT_EQ(b.box.Caption(), b.caption);
        EXPECT_EQ(b.box.Value(), &b.box == &form.SpectraChk ? 1 : 0) << b.caption;
        EXPECT_GT(b.box.Top(), top) << "top to bottom in print order";
        top = b.box.Top();
    }
    EXPECT_EQ(form.Command1.Caption(), "OK");
    EXPECT_EQ(form.Command2.Caption(), "Cancel");
    EXPECT_EQ(form.Command3.Caption(), "Options");

    // Every opening starts from the defaults.
    form.IndexChk.SetValue(1);
    form.SpectraChk.SetValue(0);
    form.Command2.UserClick();
    ASSERT_EQ(Print(), nullptr);
    PrinterForm& again = OpenPrint();
    EXPECT_EQ(again.SpectraChk.Value(), 1);
    EXPECT_EQ(again.IndexChk.Value(), 0);
}

TEST_F(PrintFormsTest, OkAndEnterPrintAndClose) {
    FillScan256(s, 0);
    const std::function<void(PrinterForm&)> ways[] = {
        [](PrinterForm& f) { f.Command1.UserClick(); },
        [](PrinterForm& f) { EXPECT_EQ(f.UserKeyPress(&f.Command2, 13), 0); },  // Enter, even on Cancel
        [](PrinterForm& f) { f.UserKeyPress(nullptr, 13); },
    };
    int runs = 0;
    for (const auto& print : ways) {
        print(OpenPrint());
        EXPECT_EQ(t.printer.Runs(), ++runs);
        EXPECT_EQ(Print(), nullptr);
        EXPECT_EQ(s.PrintChartCount, 0);
    }
    EXPECT_TRUE(Printed(t.printer.Page(), "Raw Data (DC off)"));
    EXPECT_TRUE(t.op.Messages().empty());
}

TEST_F(PrintFormsTest, CancelAndEscapeCloseWithoutPrinting) {
    FillScan256(s, 0);
    OpenPrint().Command2.UserClick();
    EXPECT_EQ(Print(), nullptr);
    PrinterForm& form = OpenPrint();
    EXPECT_EQ(form.UserKeyPress(&form.SpectraChk, 27), 0);
    EXPECT_EQ(Print(), nullptr);
    EXPECT_EQ(t.printer.Runs(), 0);
}

TEST_F(PrintFormsTest, NothingToPrintKeepsTheDialogOpenAPrinterErrorClosesIt) {
    OpenPrint().Command1.UserClick();
    EXPECT_EQ(t.op.MessageTexts(), std::vector<std::string>{"There is nothing to print."});
    EXPECT_NE(Print(), nullptr);

    FillScan256(s, 0);
    t.printer.SetUnavailable(true);
    Print()->Command1.UserClick();
    EXPECT_EQ(t.op.MessageTexts(), (std::vector<std::string>{"There is nothing to print.", "Printer Error"}));
    EXPECT_EQ(Print(), nullptr);
}

TEST_F(PrintFormsTest, OptionsOpensBesideThePrintDialog) {
    PrinterForm& form = OpenPrint();
    form.Command3.UserClick();
    ASSERT_NE(Options(), nullptr);
    EXPECT_TRUE(Options()->Visible());
    EXPECT_EQ(Options()->Caption(), "Printer Options");
    EXPECT_EQ(Options()->Width(), 2500);
    EXPECT_EQ(Options()->Height(), 3000);
    EXPECT_NE(Print(), nullptr) << "the print dialog stays open";
    EXPECT_EQ(Options()->Label1.Caption(), "Select percentage of full scale (75%-125%)");
}

TEST_F(PrintFormsTest, TheOptionsDialogShowsAndStoresThePercentage) {
    EXPECT_EQ(OpenOptions().PrinterScaleBox.Text(), "100%");
    const struct {
        const char* typed;
        int16_t stored;
    } cases[] = {
        {"110%", 110}, {"110", 110}, {"99.5", 100}, {"100.5", 100}, {"75 %", 75}, {"124.6", 125},
        {"1", 1}, {"1.5%", 2}, {"50", 50}, {"74.5", 74},
    };
    for (const auto& k : cases) {
        PrinterOptionsForm& form = OpenOptions();
        form.PrinterScaleBox.UserEdit(k.typed);
        form.Command1.UserClick();
        EXPECT_EQ(Options(), nullptr);
        EXPECT_EQ(s.PrintScalePct, k.stored) << k.typed;
    }
    EXPECT_TRUE(t.op.Messages().empty());
    s.PrintScalePct = 110;
    EXPECT_EQ(OpenOptions().PrinterScaleBox.Text(), "110%");
}

TEST_F(PrintFormsTest, APercentageOutsideItsRangeIsRefusedAndTheDialogStaysOpen) {
    s.PrintScalePct = 90;
    // OK or Enter: no number, 0, negative, beyond 16 bits, or outside 1 to 125 once rounded.
    const char* refused[] = {"per cent", "", "0%", "0", "0.5", "-20", "40000", "126", "125.5", "1e3"};
    for (const char* typed : refused) {
        for (const bool enter : {false, true}) {
            PrinterOptionsForm& form = OpenOptions();
            form.PrinterScaleBox.UserEdit(typed);
            const std::size_t told = t.op.Messages().size();
            if (enter) {
                EXPECT_EQ(form.UserKeyPress(&form.PrinterScaleBox, 13), 0);
            } else {
                form.Command1.UserClick();
            }
            ASSERT_EQ(t.op.Messages().size(), told + 1) << typed;
            EXPECT_EQ(t.op.Messages().back().text, "The percentage must be a number from 1 to 125.");
            ASSERT_EQ(Options(), &form) << typed;
            EXPECT_EQ(s.PrintScalePct, 90) << typed;
            EXPECT_EQ(form.PrinterScaleBox.Text(), typed) << "left for the operator to correct";
            EXPECT_EQ(form.PrinterScaleBox.SelStart(), 0);
        }
    }
    Options()->Command2.UserClick();
    EXPECT_EQ(Options(), nullptr);
    EXPECT_EQ(s.PrintScalePct, 90);
}

TEST_F(PrintFormsTest, EnterInTheBoxStoresAndEscapeOrCancelKeepsThePercentage) {
    PrinterOptionsForm& form = OpenOptions();
    form.PrinterScaleBox.SetFocus();
    EXPECT_EQ(form.PrinterScaleBox.SelText(), "100%") << "typing replaces the value";
    form.PrinterScaleBox.UserEdit("80");
    EXPECT_EQ(form.UserKeyPress(&form.PrinterScaleBox, 13), 0) << "the key is consumed";
    EXPECT_EQ(Options(), nullptr);
    EXPECT_EQ(s.PrintScalePct, 80);

    PrinterOptionsForm& esc = OpenOptions();
    esc.PrinterScaleBox.UserEdit("120");
    EXPECT_EQ(esc.UserKeyPress(&esc.PrinterScaleBox, 27), 0);
    EXPECT_EQ(Options(), nullptr);
    PrinterOptionsForm& cancel = OpenOptions();
    cancel.PrinterScaleBox.UserEdit("120");
    cancel.Command2.UserClick();
    EXPECT_EQ(Options(), nullptr);
    EXPECT_EQ(s.PrintScalePct, 80);
}

TEST_F(PrintFormsTest, TheNextRunPrintsAtTheStoredPercentage) {
    FillScan256(s, 0);
    const struct {
        const char* typed;
        int16_t width, left;
    } cases[] = {
        {"125%", 12240, 0},        // the whole width of the page
        {"74", 7246, 2497},        // below the advised range, taken as typed
        {"1", 98, 6071},           // a speck, centred
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        OpenPrint().Command3.UserClick();
        Options()->PrinterScaleBox.UserEdit(c.typed);
        Options()->Command1.UserClick();
        ASSERT_EQ(Options(), nullptr);
        const int runs = t.printer.Runs();
        Print()->Command1.UserClick();
        EXPECT_EQ(t.printer.Runs(), runs + 1);
        EXPECT_EQ(s.PrintChartWidth, c.width);
        EXPECT_EQ(s.PrintChartLeft, c.left);
    }
    EXPECT_TRUE(t.op.Messages().empty());
}

}  // namespace
}  // namespace tav
