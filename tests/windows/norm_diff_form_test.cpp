// The normalized-difference window: what its Resize draws from the validity flags, Tab between
// its two series, and the cursor and rubber band on the selected series.

#include "KineticWindowFixtures.h"

#include "charts/ChartCursor.h"
#include "charts/PrintJob.h"
#include "windows/FormCharts.h"
#include "windows/NormDiffForm.h"

namespace tav {
namespace {

using charttest::FillKinetic;

constexpr int NormDiffPoints = 5;
constexpr int ExperimentalPoints = 8;

struct NormDiffFormTest : test::KineticWindowsTest {
    NormDiffForm* form = nullptr;

    void SetUp() override {
        KineticWindowsTest::SetUp();
        FillKinetic(s, 12, NormDiffPoints);
        FillKinetic(s, 13, ExperimentalPoints);
        s.NormDiffCount = NormDiffPoints;  // a Paint then adds its point after the series
        s.ExperimentalCount = ExperimentalPoints;
        s.NormDiffFormRect.Open = -1;
        form = &t.app.forms.Get<NormDiffForm>();  // hidden: a Resize comes without a Paint
    }
    void DefineBoth() {
        s.NumOfBands = 4;
        s.NormDiffX = 1, s.NormDiffY = 2;
        s.ExpBand1 = 1, s.ExpBand2 = 2, s.ExpBand3 = 3, s.ExpBand4 = 4;
    }
    void Resize() { form->SetWidth(form->Width() + 100); }
    // A shown window with both series active and the cursor on.
    void ShowBothWithCursor() {
        DefineBoth();
        s.Menu.ActivateNormDiff = s.Menu.ActivateExperimental = true;
        form->Show();
        s.CursorOn = true;
    }
};

TEST_F(NormDiffFormTest, ResizeDrawsWhatTheValidityFlagsAllow) {
    struct Case {
        const char* what;
        bool activateNormDiff, activateExperimental;
        int16_t band4;           // 0 leaves the experimental index undefined
        bool validBefore;        // flags left set by an earlier index pass
        bool normDiffValid, experimentalValid;
        int curves, points;
        int16_t firstOverlay;
    };
    const Case cases[] = {
        {"both", true, true, 4, false, true, true, 2, NormDiffPoints + ExperimentalPoints, 12},
        {"normalized difference", true, false, 4, false, true, false, 1, NormDiffPoints, 12},
        {"experimental", false, true, 4, false, false, true, 1, ExperimentalPoints, 13},
        {"experimental band missing", false, true, 0, false, false, false, 0, 0, 7},
        {"neither", false, false, 4, false, false, false, 0, 0, 7},
        {"flags of the pass kept", false, false, 4, true, true, true, 2,
         NormDiffPoints + ExperimentalPoints, 12},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DefineBoth();
        s.ExpBand4 = c.band4;
        s.Menu.ActivateNormDiff = c.activateNormDiff;
        s.Menu.ActivateExperimental = c.activateExperimental;
        s.NormDiffValid = s.ExperimentalValid = c.validBefore;
        s.FirstOverlaySlot = 7;
        s.DataAvailable = false;  // not asked here
        Resize();
        EXPECT_EQ(s.NormDiffValid, c.normDiffValid);
        EXPECT_EQ(s.ExperimentalValid, c.experimentalValid);
        EXPECT_EQ(Curves(*form), c.curves);
        EXPECT_EQ(CurvePoints(*form), c.points);
        EXPECT_EQ(s.FirstOverlaySlot, c.firstOverlay);
        if (c.curves > 0) {
            EXPECT_TRUE(PrintedSinceCls(*form, "Time"));
        }
        EXPECT_EQ(s.AxisSlot, -1);
    }
}

TEST_F(NormDiffFormTest, ResizeOfAClosedWindowOnlySetsTheFlags) {
    DefineBoth();
    s.Menu.ActivateNormDiff = s.Menu.ActivateExperimental = true;
    s.NormDiffFormRect.Open = 0;
    form->Move(10, 20, 6100, 4500);
    EXPECT_TRUE(s.NormDiffValid);
    EXPECT_TRUE(s.ExperimentalValid);
    EXPECT_TRUE(ClearedLast(*form));
    EXPECT_EQ(s.NormDiffFormRect.Top, 20);
    EXPECT_EQ(s.NormDiffFormRect.Width, 6100);
}

TEST_F(NormDiffFormTest, PaintPlotsTheNormalizedDifferenceOnly) {
    ShowBothWithCursor();
    s.CursorOn = false;
    s.NormDiffValue = 0.25f;
    s.ElapsedTime = 55;
    form->Form_Paint();
    EXPECT_EQ(s.SlotInfo[12].NumPoints, NormDiffPoints + 1);
    EXPECT_EQ(s.Ch1Data[12][NormDiffPoints], 0.25f);
    EXPECT_EQ(s.SlotInfo[13].NumPoints, ExperimentalPoints);
    EXPECT_EQ(Curves(*form), 1);
    EXPECT_TRUE(PrintedSinceCls(*form, "Time (s)"));
}

TEST_F(NormDiffFormTest, TabAlternatesTheSeriesOnlyWhileBothAreActive) {
    DefineBoth();
    s.Menu.ActivateNormDiff = true;
    form->Show();
    form->UserKeyDown(nullptr, 9, shift::None);
    EXPECT_EQ(s.DisplayChannel[2], 12);
    EXPECT_EQ(s.ActiveWindowIdx, 2);

    s.Menu.ActivateExperimental = true;
    for (int16_t expected : {13, 12, 13}) {
        form->UserKeyDown(nullptr, 9, shift::None);
        EXPECT_EQ(s.DisplayChannel[2], expected);
    }
}

TEST_F(NormDiffFormTest, CursorKeysMoveTheCursorOfTheSelectedSeries) {
    ShowBothWithCursor();
    Resize();  // both series on the chart, the cursor drawn on slot 12
    form->UserKeyDown(nullptr, 39, shift::None);  // Right
    EXPECT_TRUE(s.SlotInfo[12].CursorShown);
    EXPECT_EQ(s.SlotInfo[12].CursorPoint, 1);

    form->UserKeyDown(nullptr, 9, shift::None);  // the cursor goes over to slot 13
    ASSERT_EQ(s.DisplayChannel[2], 13);
    EXPECT_FALSE(s.SlotInfo[12].CursorShown);
    EXPECT_TRUE(s.SlotInfo[13].CursorShown);
    form->UserKeyDown(nullptr, 39, shift::None);
    EXPECT_EQ(s.SlotInfo[13].CursorPoint, 2);
    EXPECT_FALSE(s.SlotInfo[12].CursorShown);  // no second cursor on the other series
}

// The cursor of the experimental series, selected here, is erased here when the cursor is
// turned off; the experimental window beside it, which never drew it, keeps its chart.
TEST_F(NormDiffFormTest, TurningTheCursorOffErasesTheExperimentalCursorOnThisWindow) {
    DefineBoth();
    s.Menu.ActivateNormDiff = s.Menu.ActivateExperimental = true;
    s.DataAvailable = true;
    s.ExperimentalFormRect.Open = -1;
    ExperimentalForm& experimental = t.app.forms.Get<ExperimentalForm>();
    experimental.Show();
    form->Show();
    Resize();
    const std::size_t experimentalOps = CanvasOf(experimental).Ops().size();
    ASSERT_GT(experimentalOps, 0u);

    s.CursorOn = true;
    form->UserKeyDown(nullptr, 9, shift::None);
    ASSERT_EQ(s.DisplayChannel[2], 13);
    form->UserKeyDown(nullptr, 39, shift::None);
    ASSERT_TRUE(s.SlotInfo[13].CursorShown);
    ASSERT_FALSE(CanvasOf(*form).NotXorResidue().empty());

    FormChartWindows windows(t.app);
    ClearAllCursors(s, windows);
    EXPECT_TRUE(CanvasOf(*form).NotXorResidue().empty());
    EXPECT_EQ(CanvasOf(experimental).Ops().size(), experimentalOps);
    EXPECT_FALSE(s.SlotInfo[13].CursorShown);
}

TEST_F(NormDiffFormTest, MouseDragsOnTheSelectedSeries) {
    ShowBothWithCursor();
    s.CursorOn = false;
    Resize();
    form->UserKeyDown(nullptr, 9, shift::None);
    ASSERT_EQ(s.DisplayChannel[2], 13);
    const SlotRecord& selected = s.SlotInfo[13];
    ASSERT_LT(selected.PlotLeft, selected.PlotRight);

    form->UserMouseDown(mouse::Left, shift::None, selected.PlotLeft, 500);
    form->UserMouseMove(mouse::Left, shift::None, selected.PlotRight, 500);
    EXPECT_TRUE(selected.CursorShown);
    EXPECT_EQ(selected.CursorPoint, ExperimentalPoints - 1);
    EXPECT_FALSE(s.SlotInfo[12].CursorShown);

    // Tab in the middle of the drag first removes the rubber band.
    form->UserKeyDown(nullptr, 9, shift::None);
    EXPECT_TRUE(CanvasOf(*form).NotXorResidue().empty());
    EXPECT_EQ(s.DisplayChannel[2], 12);
    form->UserMouseUp(mouse::Left, shift::None, selected.PlotRight, 500);
    EXPECT_FALSE(s.ZoomDragging);
}

TEST_F(NormDiffFormTest, ASeriesDrawnAloneIsLabelledWithItsOwnScaleWhicheverTraceIsSelected) {
    // Slot 13 on another scale: its labels must not appear over slot 12's curve.
    for (int i = 0; i < ExperimentalPoints; ++i) s.Ch1Data[13][i] *= 1000.0f;
    DefineBoth();
    s.Menu.ActivateNormDiff = true;
    s.Menu.ActivateExperimental = false;
    s.DisplayChannel[2] = 12;
    Resize();
    const std::vector<CanvasOp> selectedDrawn = SinceLastCls(*form);
    s.DisplayChannel[2] = 13;  // left selected by an earlier Tab
    Resize();
    const std::vector<CanvasOp> otherSelected = SinceLastCls(*form);
    ASSERT_EQ(selectedDrawn.size(), otherSelected.size());
    for (std::size_t i = 0; i < selectedDrawn.size(); ++i) {
        EXPECT_EQ(selectedDrawn[i].text, otherSelected[i].text) << "op " << i;
        EXPECT_EQ(selectedDrawn[i].y1, otherSelected[i].y1) << "op " << i;
    }
}

// The printed kinetic charts show the series their windows show: the experimental chart its
// own series whichever window drew last, the normalized-difference chart what its window drew
// last (both series, one of them, after a Resize or a new point).
TEST_F(NormDiffFormTest, PrintedChartsShowTheSeriesOfTheirWindows) {
    // The curves of a print run with one kinetic chart ticked: the points of each (one line to
    // each point after the dot that starts it).
    const auto printed = [&](int kinetic) {
        t.printer.Page().ClearRecord();
        PrintChoices choices;
        choices.spectrum = false;
        choices.kinetic[static_cast<std::size_t>(kinetic)] = true;
        EXPECT_EQ(RunPrintJob(s, t.printer, t.op, ReadMainWindows(t.app), choices), PrintOutcome::Printed);
        std::vector<int> curves;
        const auto& ops = t.printer.Page().Ops();
        for (std::size_t k = 0; k < ops.size(); ++k) {
            if (ops[k].kind != CanvasOp::Kind::PSet) continue;
            int points = 0;
            while (k + 1 < ops.size() && ops[k + 1].kind == CanvasOp::Kind::Line) ++k, ++points;
            curves.push_back(points);
        }
        return curves;
    };
    constexpr int NormDiffChart = 1, ExperimentalChart = 2;  // of slots 11 to 17
    s.NormDiffValue = 0.25f;  // something to print
    s.ExperimentalFormRect.Open = -1;
    auto& experimental = t.app.forms.Get<ExperimentalForm>();
    experimental.Show();  // its own series, with the point of its Paint
    DefineBoth();
    s.Menu.ActivateNormDiff = s.Menu.ActivateExperimental = true;
    s.DataAvailable = true;
    form->Show();  // Resize: both series on one chart; then Paint: the normalized difference
    const int n = NormDiffPoints + 1, e = ExperimentalPoints + 1;  // with the Paints' points

    const auto shrink = [&] { form->SetWidth(form->Width() - 100); };  // a Resize without a Paint
    shrink();  // the window now shows both series
    EXPECT_EQ(printed(ExperimentalChart), std::vector<int>{e})
        << "the experimental window's chart, not the normalized-difference window's";
    EXPECT_EQ(printed(NormDiffChart), (std::vector<int>{n, e}));
    experimental.Form_Paint();  // whichever window drew last
    EXPECT_EQ(printed(ExperimentalChart), std::vector<int>{e});
    EXPECT_EQ(printed(NormDiffChart), (std::vector<int>{n, e}));

    form->Form_Paint();  // a new point: the normalized difference alone
    EXPECT_EQ(printed(NormDiffChart), std::vector<int>{n});

    s.Menu.ActivateNormDiff = false;
    s.NormDiffValid = false;
    shrink();  // the experimental series alone
    EXPECT_EQ(printed(NormDiffChart), std::vector<int>{e});
}

}  // namespace
}  // namespace tav
