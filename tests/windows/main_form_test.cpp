// The spectrum window: repaints through the chart driver, the zoom range picked with the left
// mouse button, Tab and the cursor keys, and the first click that closes the welcome window.

#include <gtest/gtest.h>

#include <functional>

#include "MainWindowWorld.h"
#include "charts/ChartFixtures.h"

namespace tav {
namespace {

using test::MainWindowWorld;

struct SpectrumWindow : ::testing::Test {
    MainWindowWorld w;

    void SetUp() override {
        w.PastWelcome();
        ProgramState& s = *w.state;
        s.AutoScaleOn.fill(-1);
        charttest::FillScan256(s, 0);
        s.DataAvailable = true;
        s.WelcomeUnloaded = true;
        w.Main().Form_Paint();  // lays out the plot rectangle
        w.MainCanvas().ClearRecord();
    }
    SlotRecord& Rec() { return w.state->SlotInfo[0]; }
    // The mouse x over point p of slot 0.
    float XOf(int p) { return Rec().PlotLeft + (Rec().PlotRight - Rec().PlotLeft) * p / 255.0f; }
    void Drag(float from, float to, int16_t button = mouse::Left) {
        w.Main().UserMouseDown(button, 0, from, 1000);
        w.Main().UserMouseMove(button, 0, (from + to) / 2, 1000);
        w.Main().UserMouseMove(button, 0, to, 1000);
        w.Main().UserMouseUp(button, 0, to, 1000);
    }
};

TEST_F(SpectrumWindow, PaintAndResizeDrawTheWholeRingOnlyWhileThereIsData) {
    ProgramState& s = *w.state;
    s.FirstOverlaySlot = 3;
    w.Main().Form_Paint();
    EXPECT_EQ(s.FirstOverlaySlot, 0);
    EXPECT_EQ(w.MainCanvas().Ops().front().kind, CanvasOp::Kind::Cls);
    EXPECT_FALSE(w.MainCanvas().OpsOfKind(CanvasOp::Kind::PSet).empty() && w.MainCanvas().OpsOfKind(CanvasOp::Kind::Line).size() < 10);

    w.MainCanvas().ClearRecord();
    w.Main().Move(0, 0, 8000, 5000);  // Resize
    EXPECT_EQ(s.AxisSlot, -1);
    EXPECT_GT(w.MainCanvas().Ops().size(), 10u);

    s.DataAvailable = false;
    w.MainCanvas().ClearRecord();
    w.Main().Form_Paint();
    ASSERT_EQ(w.MainCanvas().Ops().size(), 1u);
    EXPECT_EQ(w.MainCanvas().Ops()[0].kind, CanvasOp::Kind::Cls);
}

TEST_F(SpectrumWindow, ADragPicksTheZoomRangeInAscendingOrder) {
    ProgramState& s = *w.state;
    Drag(XOf(128), XOf(10));
    EXPECT_FALSE(s.ZoomDragging);
    EXPECT_EQ(s.XZoomMin, s.XData[0][10]);
    EXPECT_EQ(s.XZoomMax, s.XData[0][128]);
    EXPECT_FALSE(Rec().CursorShown);
    EXPECT_EQ(Rec().CursorPoint, 0);
    EXPECT_TRUE(w.MainCanvas().NotXorResidue().empty());  // the drag's line is gone
    EXPECT_FALSE(s.XZoomOn);  // applied by "Zoom I/O" only
}

TEST_F(SpectrumWindow, NoZoomRangeWhereNoneMayBePicked) {
    struct NoRangeCase {
        const char* what;
        std::function<void(ProgramState&)> set;
    };
    const NoRangeCase cases[] = {
        {"before the first click", [](ProgramState& s) { s.WelcomeUnloaded = false; }},
        {"while zoomed", [](ProgramState& s) { s.XZoomOn = true; }},
        {"on a dark or reference display", [](ProgramState& s) { s.DarkRefShown = true; }},
        {"with the cursor on", [](ProgramState& s) { s.CursorOn = true; }},
    };
    for (const NoRangeCase& c : cases) {
        SetUp();
        ProgramState& s = *w.state;
        s.XZoomMin = 1;
        s.XZoomMax = 2;
        c.set(s);
        Drag(XOf(100), XOf(20));
        SCOPED_TRACE(c.what);
        EXPECT_EQ(s.XZoomMin, 1);
        EXPECT_EQ(s.XZoomMax, 2);
        EXPECT_FALSE(s.ZoomDragging);
    }
}

TEST_F(SpectrumWindow, APressLeftOfThePlotStillDragsAndAFarRightOneStopsAtTheLastPoint) {
    ProgramState& s = *w.state;
    s.XZoomMin = 1;
    Rec().CursorShown = true;
    Rec().CursorPoint = 7;
    w.Main().UserMouseDown(mouse::Left, 0, Rec().PlotLeft - 100, 1000);
    EXPECT_TRUE(s.ZoomDragging);
    EXPECT_EQ(s.XZoomMin, 1);
    EXPECT_FALSE(Rec().CursorShown);
    EXPECT_EQ(Rec().CursorPoint, 0);
    w.Main().UserMouseUp(mouse::Left, 0, Rec().PlotLeft - 100, 1000);

    w.Main().UserMouseDown(mouse::Left, 0, Rec().PlotRight + 5000, 1000);
    EXPECT_EQ(s.XZoomMin, s.XData[0][255]);
}

TEST_F(SpectrumWindow, OtherButtonsDoNothing) {
    ProgramState& s = *w.state;
    s.XZoomMin = 1;
    Drag(XOf(100), XOf(20), mouse::Right);
    EXPECT_FALSE(s.ZoomDragging);
    EXPECT_EQ(s.XZoomMin, 1);
}

TEST_F(SpectrumWindow, TabSwitchesTheTraceOnlyWithMoreThanOneCurve) {
    ProgramState& s = *w.state;
    s.CurrentSlot = 0;
    s.FirstOverlaySlot = 0;
    w.Main().UserKeyDown(nullptr, key::Tab, 0);
    EXPECT_TRUE(w.MainCanvas().Ops().empty());

    charttest::FillScan256(s, 1);
    s.CurrentSlot = 1;  // two curves in the ring: slots 0 and 1
    s.OverlayCount = 2;
    w.Main().Form_Paint();
    s.DisplayChannel[0] = 1;
    w.MainCanvas().ClearRecord();
    w.Main().UserKeyDown(nullptr, key::Tab, 0);
    EXPECT_EQ(s.DisplayChannel[0], 0);
    EXPECT_FALSE(w.MainCanvas().Ops().empty());
}

// Three curves on x axes of their own; Tab selects the middle one, whose cursor the drag moves.
TEST_F(SpectrumWindow, AfterTabTheZoomRangeComesFromTheSelectedTrace) {
    ProgramState& s = *w.state;
    for (int16_t k = 1; k <= 2; ++k) {
        charttest::FillScan256(s, k);
        for (int i = 0; i < 256; ++i) s.XData[k][i] += 1000.0f * k;
        s.SlotInfo[k].XMin = s.XData[k][0];
        s.SlotInfo[k].XMax = s.XData[k][255];
    }
    s.CurrentSlot = 2;
    s.OverlayCount = 3;
    s.DisplayChannel[0] = 2;
    w.Main().Form_Paint();
    w.Main().UserKeyDown(nullptr, key::Tab, 0);
    ASSERT_EQ(s.DisplayChannel[0], 1);

    const struct {
        const char* what;
        int from, to;
        int min, max;  // points of slot 1
    } cases[] = {
        {"a drag from point 100 to 200", 100, 200, 100, 200},
        {"a drag from point 200 back to 100", 200, 100, 100, 200},
        // Without a move the cursor has not left the first point, where the press put it.
        {"a plain click on point 100", 100, 100, 0, 100},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        s.XZoomMin = s.XZoomMax = 0;
        w.Main().UserMouseDown(mouse::Left, 0, XOf(c.from), 1000);
        if (c.to != c.from) w.Main().UserMouseMove(mouse::Left, 0, XOf(c.to), 1000);
        w.Main().UserMouseUp(mouse::Left, 0, XOf(c.to), 1000);
        EXPECT_EQ(s.XZoomMin, s.XData[1][c.min]);
        EXPECT_EQ(s.XZoomMax, s.XData[1][c.max]);
        EXPECT_TRUE(w.MainCanvas().NotXorResidue().empty()) << "the rubber band is gone";
    }
}

// After Tab the cursor keys move the selected trace's cursor; a repaint of the window draws
// that cursor again, so each move erases the line it drew before.
TEST_F(SpectrumWindow, ARepaintAfterTabDrawsTheCursorThatTheKeysMove) {
    const struct {
        const char* what;
        std::function<void(MainWindowWorld&)> repaint;
        int16_t selected;  // the trace the keys move afterwards
    } cases[] = {
        {"Paint", [](MainWindowWorld& m) { m.Main().Form_Paint(); }, 1},
        {"Ch1 / Ch2", [](MainWindowWorld& m) { m.Mdi().Command3.UserClick(); }, 1},
        {"Scale a/m", [](MainWindowWorld& m) { m.Mdi().Command9.UserClick(); }, 1},
        {"Refl / Raw", [](MainWindowWorld& m) { m.Mdi().Command7.UserClick(); }, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        MainWindowWorld m;
        m.PastWelcome();
        ProgramState& s = *m.state;
        s.AutoScaleOn.fill(-1);
        s.DataAvailable = true;
        s.WelcomeUnloaded = true;
        for (int16_t k = 0; k <= 2; ++k) {
            charttest::FillScan256(s, k);
            for (int i = 0; i < 256; ++i) s.Ch1Data[k][i] *= 1.0f + k;  // curves apart
        }
        s.CurrentSlot = s.SavedDisplaySlot = s.DisplayChannel[0] = 2;
        s.OverlayCount = 3;
        s.CursorOn = true;
        m.Main().Form_Paint();
        for (int press = 0; press < 5; ++press) m.Main().UserKeyDown(nullptr, key::Right, 0);
        m.Main().UserKeyDown(nullptr, key::Tab, 0);
        ASSERT_EQ(s.DisplayChannel[0], 1);

        c.repaint(m);
        for (int press = 0; press < 3; ++press) m.Main().UserKeyDown(nullptr, key::Right, 0);
        EXPECT_EQ(s.DisplayChannel[0], c.selected);
        const SlotRecord& rec = s.SlotInfo[c.selected];
        int cursorLines = 0;
        for (const CanvasOp& op : m.MainCanvas().NotXorResidue()) {
            if (op.kind == CanvasOp::Kind::Line && op.x1 == op.x2 && op.y1 == rec.PlotTop &&
                op.y2 == rec.PlotBottom) {
                ++cursorLines;
            }
        }
        EXPECT_EQ(cursorLines, 1);
        EXPECT_EQ(rec.CursorPoint, 8);
    }
}

TEST_F(SpectrumWindow, WithTheCursorOnTheArrowKeysMoveIt) {
    ProgramState& s = *w.state;
    s.CursorOn = true;
    s.DisplayChannel[0] = 0;
    w.Main().UserKeyDown(nullptr, key::Right, 0);
    w.Main().UserKeyDown(nullptr, key::Right, 0);
    EXPECT_TRUE(Rec().CursorShown);
    EXPECT_GT(Rec().CursorPoint, 0);
    EXPECT_EQ(s.ActiveWindowIdx, 0);
}

TEST_F(SpectrumWindow, TheFirstClickClosesTheWelcomeOnlyOnce) {
    MainWindowWorld fresh;
    ASSERT_NE(fresh.Welcome(), nullptr);
    fresh.Main().UserClick();
    EXPECT_EQ(fresh.Welcome(), nullptr);
    EXPECT_TRUE(fresh.state->WelcomeUnloaded);
    fresh.Main().UserClick();
    EXPECT_EQ(fresh.flows.calls, std::vector<std::string>{"NextScan"});
}

TEST_F(SpectrumWindow, ClosingItClearsTheViewCheck) {
    ASSERT_TRUE(w.state->Menu.Viewmainform);
    w.Main().UserClose();
    EXPECT_FALSE(w.state->Menu.Viewmainform);
    EXPECT_TRUE(w.Mdi().Loaded());
}

}  // namespace
}  // namespace tav
