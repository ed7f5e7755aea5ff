// The index read-out window: its repaint of the stored values, its rectangle, its keys; and the
// index pass writing on it and redrawing the open kinetic windows.

#include "KineticWindowFixtures.h"
#include "indices/RatioSpectrum.h"

#include "windows/IndexForm.h"
#include "windows/IndexWindowOutput.h"
#include "windows/NormDiffForm.h"

namespace tav {
namespace {

using IndexFormTest = test::KineticWindowsTest;

TEST_F(IndexFormTest, PaintListsTheStoredValuesOnlyWhenOpenIsTrue) {
    s.ElapsedTime = 12.5f;
    s.RatioValue = 2;
    s.NormDiffValue = 0.25f;
    s.ExperimentalValue = 0;
    s.DerivativeValue = 1500;
    s.IntegralValue = 250.5f;
    s.AverageValue = 1.25f;
    const std::vector<std::string> listing = {
        "",
        "Elapsed Time=12.5 Seconds",
        "Ratio = 2.",
        "Normalized Difference = .25",
        "Experimental = 0.0",
        "Derivative = 1500",
        "Integral = 250.5",
        "Average = 1.25",
    };
    struct Case {
        int32_t open;
        bool lists;
    };
    for (const Case c : {Case{-1, true}, Case{1, false}, Case{0, false}}) {
        SCOPED_TRACE(c.open);
        s.IndexFormRect.Open = c.open;
        auto& form = t.app.forms.Get<IndexForm>();
        EXPECT_EQ(form.Caption(), "Index Data Window");
        RecordingCanvas& canvas = CanvasOf(form);
        canvas.Print("Ratio = 9.");  // what an index pass left there
        canvas.ClearRecord();
        form.Show();
        EXPECT_EQ(canvas.PrintedTexts(), c.lists ? listing : std::vector<std::string>{});
        if (c.lists) {
            EXPECT_EQ(canvas.Ops().front().kind, CanvasOp::Kind::Cls);
            const CanvasOp* first = charttest::FindPrint(canvas, "");
            ASSERT_NE(first, nullptr);
            EXPECT_EQ(first->x1, 0);
            EXPECT_EQ(first->y1, 0);
        }
        form.Unload();
    }
}

TEST_F(IndexFormTest, ResizeAndUnloadKeepTheRectangle) {
    s.IndexFormRect.Open = -1;
    s.Menu.ViewIndexForm = true;
    auto& form = t.app.forms.Get<IndexForm>();
    form.Show();
    form.Move(100, 200, 5000, 3000);
    EXPECT_EQ(s.IndexFormRect.Left, 100);
    EXPECT_EQ(s.IndexFormRect.Top, 200);
    EXPECT_EQ(s.IndexFormRect.Width, 5000);
    EXPECT_EQ(s.IndexFormRect.Height, 3000);

    form.SetWindowState(winstate::Maximized);
    EXPECT_EQ(s.IndexFormRect.Width, 5000);
    form.SetWindowState(winstate::Normal);
    form.UserMoved(150, 250);  // moved without a Resize: saved when the window closes
    form.UserClose();
    EXPECT_EQ(t.app.forms.Find<IndexForm>(), nullptr);
    EXPECT_EQ(s.IndexFormRect.Open, 0);
    EXPECT_EQ(s.IndexFormRect.Left, 150);
    EXPECT_EQ(s.IndexFormRect.Top, 250);
    EXPECT_FALSE(s.Menu.ViewIndexForm);
}

TEST_F(IndexFormTest, EveryCharacterGoesToTheKeyCommands) {
    auto& form = t.app.forms.Get<IndexForm>();
    form.Show();
    Type(form, 'N', 'n');
    Type(form, 'X', 'x');  // no close key of its own
    using Command = std::pair<int16_t, std::string>;
    EXPECT_EQ(commands, (std::vector<Command>{{'n', ""}, {'x', ""}}));
    EXPECT_NE(t.app.forms.Find<IndexForm>(), nullptr);
}

struct IndexPassOnWindowsTest : test::KineticWindowsTest {
    void SetUp() override {
        KineticWindowsTest::SetUp();
        test::PrepareRatioSpectrum(s);  // ratio 16 / 8
        s.ElapsedTime = 30;
    }
    std::vector<std::string> Readout() {
        return CanvasOf(t.app.forms.Get<IndexForm>()).PrintedTexts();
    }
};

TEST_F(IndexPassOnWindowsTest, WritesTheReadoutOnAHiddenWindowWithItsPauses) {
    const int64_t before = t.clock.MicrosSinceMidnight();
    ComputeKineticIndices(t.app);
    const int64_t waited = t.clock.MicrosSinceMidnight() - before;
    auto* form = t.app.forms.Find<IndexForm>();
    ASSERT_NE(form, nullptr);
    EXPECT_FALSE(form->Visible());
    EXPECT_EQ(Readout(), (std::vector<std::string>{"", "Elapsed Time=30. Seconds", "Ratio = 2."}));
    EXPECT_GE(waited, 9000);   // three pauses of 3 ms
    EXPECT_LT(waited, 20000);

    // The next pass starts on a blank window.
    s.ElapsedTime = 40;
    ComputeKineticIndices(t.app);
    EXPECT_EQ(SinceLastCls(*form).size(), 3u);
    EXPECT_EQ(CanvasOf(*form).PrintedTexts().back(), "Ratio = 2.");
}

TEST_F(IndexPassOnWindowsTest, WithoutBandsTheWindowShowsOnlyTheMessage) {
    s.NumOfBands = 0;
    ComputeKineticIndices(t.app);
    EXPECT_EQ(Readout(), (std::vector<std::string>{"No Bands Have Been Defined!"}));
}

TEST_F(IndexPassOnWindowsTest, OpenWindowsRedrawTheirSeriesAndClosedOnesStayUnloaded) {
    s.RatioFormRect.Open = -1;
    s.DiagnosticsFormRect.Open = -1;
    s.Menu.ActivateDiagnostics = true;
    s.Temperature = 31.5f;
    s.Menu.ActivateIntegral = true;  // evaluated, but its window is closed
    s.IntegralBand = 1;
    auto& ratio = t.app.forms.Get<RatioForm>();
    ratio.Show();
    auto& diagnostics = t.app.forms.Get<DiagnosticsForm>();
    diagnostics.Show();
    s.RatioCount = s.DiagnosticsCount = 0;  // the first Paint's point is overwritten

    for (float time : {30.0f, 40.0f, 50.0f}) {
        s.ElapsedTime = time;
        ComputeKineticIndices(t.app);
    }
    EXPECT_EQ(s.RatioCount, 3);
    EXPECT_EQ(CurvePoints(ratio), 3);
    EXPECT_TRUE(PrintedSinceCls(ratio, "Time (s)"));
    EXPECT_EQ(s.Ch1Data[17][2], 31.5f);
    EXPECT_EQ(CurvePoints(diagnostics), 3);
    EXPECT_EQ(s.IntegralCount, 0);
    EXPECT_EQ(t.app.forms.Find<IntegralForm>(), nullptr);
    EXPECT_EQ(t.app.forms.Find<NormDiffForm>(), nullptr);
}

}  // namespace
}  // namespace tav
