// The family of kinetic windows on the headless front end: what each window plots on Paint,
// Resize with and without data, closing, keys and the rubber band of the mouse.

#include "KineticWindowFixtures.h"

#include <algorithm>

#include "windows/IndexForm.h"
#include "windows/MainForm.h"
#include "windows/NormDiffForm.h"
#include "windows/PlotKineticPoint.h"

namespace tav {
namespace {

using charttest::FillKinetic;

template <class T>
KineticForm& GetWindow(App& app) {
    return app.forms.Get<T>();
}
template <class T>
bool IsLoaded(App& app) {
    return app.forms.Find<T>() != nullptr;
}

struct WindowCase {
    const char* name;
    const char* caption;
    int16_t code;
    KineticForm& (*get)(App&);
    bool (*loaded)(App&);
    float ProgramState::*value;
    int16_t ProgramState::*counter;
    WindowRect ProgramState::*rect;
    bool MenuChecks::*viewItem;
};

#define WINDOW(T) &GetWindow<T>, &IsLoaded<T>
const WindowCase Windows[] = {
    {"RatioForm", "Ratio", 11, WINDOW(RatioForm), &ProgramState::RatioValue,
     &ProgramState::RatioCount, &ProgramState::RatioFormRect, &MenuChecks::ViewRatioForm},
    {"NormDiffForm", "Normalized Difference", 12, WINDOW(NormDiffForm),
     &ProgramState::NormDiffValue, &ProgramState::NormDiffCount, &ProgramState::NormDiffFormRect,
     &MenuChecks::ViewNormDiffForm},
    {"ExperimentalForm", "Experimental", 13, WINDOW(ExperimentalForm),
     &ProgramState::ExperimentalValue, &ProgramState::ExperimentalCount,
     &ProgramState::ExperimentalFormRect, &MenuChecks::ViewExperimentalForm},
    {"DerivativeForm", "Derivative", 14, WINDOW(DerivativeForm), &ProgramState::DerivativeValue,
     &ProgramState::DerivativeCount, &ProgramState::DerivativeFormRect,
     &MenuChecks::ViewDerivativeForm},
    {"IntegralForm", "Integral", 15, WINDOW(IntegralForm), &ProgramState::IntegralValue,
     &ProgramState::IntegralCount, &ProgramState::IntegralFormRect,
     &MenuChecks::ViewIntegralForm},
    {"AverageForm", "Average per bin", 16, WINDOW(AverageForm), &ProgramState::AverageValue,
     &ProgramState::AverageCount, &ProgramState::AverageFormRect, &MenuChecks::Viewaverageform},
    {"DiagnosticsForm", "Diagnostics", 17, WINDOW(DiagnosticsForm), &ProgramState::Temperature,
     &ProgramState::DiagnosticsCount, &ProgramState::DiagnosticsFormRect,
     &MenuChecks::ViewDiagnosticsForm},
};
#undef WINDOW

// The windows whose handlers are exactly the family's.
bool FamilyOnly(const WindowCase& w) { return w.code != 12; }

using KineticFormsTest = test::KineticWindowsTest;

TEST_F(KineticFormsTest, EachWindowPaintsItsValueAtItsCounter) {
    for (const WindowCase& w : Windows) {
        SCOPED_TRACE(w.name);
        FillKinetic(s, w.code, 10);  // 0, 10, ..., 90 s
        s.*w.counter = 10;
        s.*w.value = 2.5f;
        s.ElapsedTime = 95;
        (s.*w.rect).Open = -1;
        KineticForm& form = w.get(t.app);
        EXPECT_EQ(form.Name(), w.name);
        EXPECT_EQ(form.Caption(), w.caption);
        EXPECT_TRUE(form.MDIChild());
        EXPECT_TRUE(form.OwnsFunctionKeys());

        form.Show();  // Resize (no data: blank), then Paint
        const SlotRecord& series = s.SlotInfo[w.code];
        EXPECT_EQ(series.NumPoints, 11);
        EXPECT_EQ(s.XData[w.code][10], 95.0f);
        EXPECT_EQ(s.Ch1Data[w.code][10], 2.5f);
        EXPECT_EQ(series.XMax, 95.0f);
        EXPECT_EQ(s.*w.counter, 10);  // a Paint does not advance it
        EXPECT_EQ(s.FirstOverlaySlot, w.code);
        EXPECT_TRUE(PrintedSinceCls(form, "Time (s)"));
        EXPECT_EQ(CurvePoints(form), 11);
        EXPECT_EQ(s.AxisSlot, -1);
    }
}

// A repaint after an index pass (the window brought up again by its F key, or enlarged by Tile)
// draws the series as the pass left it: a single point stays a dot, a longer series gets no
// flat piece at its end.
TEST_F(KineticFormsTest, ARepaintAfterAPassAddsNoCopyOfTheLastPoint) {
    for (int points : {1, 10}) {
        SCOPED_TRACE(points);
        FillKinetic(s, 11, points);
        s.RatioCount = static_cast<int16_t>(points);
        s.RatioValue = s.Ch1Data[11][points - 1];
        s.ElapsedTime = s.XData[11][points - 1];
        s.RatioFormRect.Open = -1;
        auto& form = t.app.forms.Get<RatioForm>();
        form.Show();
        form.Form_Paint();
        EXPECT_EQ(s.SlotInfo[11].NumPoints, points);
        EXPECT_EQ(s.RatioCount, points);
        EXPECT_TRUE(PrintedSinceCls(form, "Time (s)"));
        EXPECT_EQ(CurvePoints(form), points);
        int dots = 0;
        for (const CanvasOp& op : SinceLastCls(form)) dots += op.kind == CanvasOp::Kind::FilledBox && op.color == test::SeriesBlue;
        EXPECT_EQ(dots, points == 1 ? 1 : 0) << "a single point is a dot";
        t.app.forms.Unload<RatioForm>();
    }
}

TEST_F(KineticFormsTest, PaintOfAClosedWindowLeavesTheSeries) {
    for (const WindowCase& w : Windows) {
        SCOPED_TRACE(w.name);
        FillKinetic(s, w.code, 4);
        s.*w.counter = 4;
        (s.*w.rect).Open = 0;
        KineticForm& form = w.get(t.app);
        CanvasOf(form).ClearRecord();
        form.Form_Paint();
        EXPECT_EQ(s.SlotInfo[w.code].NumPoints, 4);
        EXPECT_TRUE(CanvasOf(form).Ops().empty());
    }
}

TEST_F(KineticFormsTest, PaintOfAFullSeriesDropsTheOldestPointOnce) {
    FillKinetic(s, 11, 200);
    s.RatioCount = 200;
    s.RatioFormRect.Open = -1;
    s.RatioValue = 7;
    s.ElapsedTime = 2000;
    auto& form = t.app.forms.Get<RatioForm>();
    form.Form_Paint();
    EXPECT_EQ(s.RatioCount, 199);
    EXPECT_EQ(s.SlotInfo[11].NumPoints, 200);
    EXPECT_EQ(s.SlotInfo[11].XMin, 10.0f);
    EXPECT_EQ(s.Ch1Data[11][199], 7.0f);
    EXPECT_EQ(CurvePoints(form), 200);
}

TEST_F(KineticFormsTest, PlotKineticPointRedrawsTheWholeSeries) {
    FillKinetic(s, 15, 30);
    auto& form = t.app.forms.Get<IntegralForm>();
    CanvasOf(form).Print("left over");
    int16_t counter = 30;
    s.FirstOverlaySlot = 15;
    PlotKineticPoint(form, 4.0f, 15, counter, 300.0f);
    EXPECT_EQ(counter, 30);
    EXPECT_EQ(s.SlotInfo[15].NumPoints, 31);
    EXPECT_EQ(CurvePoints(form), 31);
    EXPECT_TRUE(PrintedSinceCls(form, "Time (s)"));

    // A code outside the family neither stores nor draws.
    CanvasOf(form).ClearRecord();
    PlotKineticPoint(form, 4.0f, 18, counter, 310.0f);
    EXPECT_TRUE(CanvasOf(form).Ops().empty());
    EXPECT_EQ(s.SlotInfo[18].NumPoints, 0);
}

TEST_F(KineticFormsTest, ResizeSavesTheRectangleAndDrawsOnlyWithData) {
    for (const WindowCase& w : Windows) {
        if (!FamilyOnly(w)) continue;
        SCOPED_TRACE(w.name);
        FillKinetic(s, w.code, 6);
        KineticForm& form = w.get(t.app);  // loaded, hidden: a Resize without a Paint
        form.Move(300, 200, 6000, 4500);

        s.DataAvailable = false;
        form.SetWidth(6500);
        const WindowRect& rect = s.*w.rect;
        EXPECT_EQ(rect.Top, 200);
        EXPECT_EQ(rect.Left, 300);
        EXPECT_EQ(rect.Width, 6500);
        EXPECT_EQ(rect.Height, 4500);
        EXPECT_EQ(rect.Open, 0);  // Resize never opens
        EXPECT_TRUE(ClearedLast(form));  // blank until there is data

        s.DataAvailable = true;
        s.FirstOverlaySlot = 3;
        form.SetHeight(4400);
        EXPECT_EQ(rect.Height, 4400);
        EXPECT_TRUE(PrintedSinceCls(form, "Time"));
        EXPECT_EQ(CurvePoints(form), 6);
        EXPECT_EQ(s.FirstOverlaySlot, w.code);
        EXPECT_EQ(s.AxisSlot, -1);

        // Minimized or maximized: the record keeps the last normal rectangle.
        for (int16_t state : {winstate::Minimized, winstate::Maximized}) {
            form.SetWindowState(state);
            EXPECT_EQ(rect.Width, 6500) << state;
            EXPECT_EQ(rect.Height, 4400) << state;
        }
    }
}

TEST_F(KineticFormsTest, XOrTheCloseBoxClosesTheWindow) {
    struct Close {
        const char* how;
        int16_t keyCode;  // 0: the close box
        int16_t keyAscii;
    };
    const Close closes[] = {{"x", 'X', 'x'}, {"X", 'X', 'X'}, {"close box", 0, 0}};
    for (const WindowCase& w : Windows) {
        for (const Close& c : closes) {
            SCOPED_TRACE(std::string(w.name) + " by " + c.how);
            (s.*w.rect).Open = -1;
            s.Menu.*w.viewItem = true;
            KineticForm& form = w.get(t.app);
            form.Show();
            form.Move(120, 240, 5000, 4000);
            if (c.keyCode != 0) {
                Type(form, c.keyCode, c.keyAscii);
            } else {
                form.UserClose();
            }
            EXPECT_FALSE(w.loaded(t.app));
            EXPECT_EQ((s.*w.rect).Open, 0);
            EXPECT_EQ((s.*w.rect).Left, 120);
            EXPECT_EQ((s.*w.rect).Width, 5000);
            EXPECT_FALSE(s.Menu.*w.viewItem);
        }
    }
    EXPECT_TRUE(commands.empty());
}

TEST_F(KineticFormsTest, OtherCharactersGoToTheKeyCommandsWithAnEmptyTitle) {
    for (const WindowCase& w : Windows) {
        SCOPED_TRACE(w.name);
        commands.clear();
        KineticForm& form = w.get(t.app);
        form.Show();
        Type(form, 'N', 'n');
        Type(form, 'A', 'A');
        Type(form, 27, 27);  // Escape
        Type(form, 'Y', 'y');
        using Command = std::pair<int16_t, std::string>;
        EXPECT_EQ(commands, (std::vector<Command>{{'n', ""}, {'A', ""}, {27, ""}, {'y', ""}}));
        EXPECT_TRUE(w.loaded(t.app));
    }
    // Without a dispatcher a key is simply ignored.
    t.app.keyCommand = nullptr;
    auto& ratio = t.app.forms.Get<RatioForm>();
    Type(ratio, 'N', 'n');
    EXPECT_TRUE(IsLoaded<RatioForm>(t.app));
}

TEST_F(KineticFormsTest, FunctionKeysBringUpTheWindowsOpenAndPainted) {
    // Each window comes up as from the View menu: open, and its first Paint already drawn.
    s.DataAvailable = true;
    s.ElapsedTime = 95;
    s.RatioValue = 2;
    auto& from = t.app.forms.Get<DerivativeForm>();
    from.Show();

    from.UserKeyDown(nullptr, 112, shift::None);  // F1: the spectrum window, no open flag
    ASSERT_TRUE(IsLoaded<MainForm>(t.app));
    EXPECT_TRUE(t.app.forms.Get<MainForm>().Visible());

    from.UserKeyDown(nullptr, 113, shift::None);  // F2
    ASSERT_TRUE(IsLoaded<IndexForm>(t.app));
    auto& index = t.app.forms.Get<IndexForm>();
    EXPECT_TRUE(index.Visible());
    EXPECT_EQ(s.IndexFormRect.Open, -1);
    EXPECT_TRUE(s.Menu.ViewIndexForm);
    const std::vector<std::string> printed = CanvasOf(index).PrintedTexts();
    ASSERT_EQ(printed.size(), 8u) << "the read-out is listed when F2 shows it";
    EXPECT_EQ(printed[1], "Elapsed Time=95. Seconds");
    EXPECT_EQ(printed[2], "Ratio = 2.");

    // F3 to F9; F6, which brings up the derivative window itself, is pressed last in the ratio
    // window.
    for (int16_t code : {11, 12, 13, 15, 16, 17, 14}) {
        const WindowCase& w = *std::find_if(std::begin(Windows), std::end(Windows),
                                            [code](const WindowCase& c) { return c.code == code; });
        SCOPED_TRACE(w.name);
        const auto keyCode = static_cast<int16_t>(code + 103);
        if (code != 14) {
            EXPECT_FALSE(w.loaded(t.app));
        }
        KineticForm* window = &from;
        if (code == 14) window = &t.app.forms.Get<RatioForm>();
        FillKinetic(s, code, 5);
        s.*w.counter = 5;
        s.*w.value = 3.5f;
        (s.*w.rect).Open = 0;
        s.Menu.*w.viewItem = false;
        if (code == 14) from.Hide();  // so that the key shows it again
        window->UserKeyDown(nullptr, keyCode, shift::None);
        ASSERT_TRUE(w.loaded(t.app));
        KineticForm& form = w.get(t.app);
        EXPECT_TRUE(form.Visible());
        EXPECT_EQ((s.*w.rect).Open, -1);
        EXPECT_TRUE(s.Menu.*w.viewItem);
        // The Paint of the Show plotted the current value as the point at the counter.
        EXPECT_EQ(s.SlotInfo[w.code].NumPoints, 6);
        EXPECT_EQ(s.Ch1Data[w.code][5], 3.5f);
        EXPECT_TRUE(PrintedSinceCls(form, "Time (s)"));
        EXPECT_EQ(CurvePoints(form), 6);
    }
    EXPECT_TRUE(commands.empty());
}

// A fixture with a drawn ratio series of 20 points.
struct RatioCursorTest : test::KineticWindowsTest {
    RatioForm* form = nullptr;
    void SetUp() override {
        KineticWindowsTest::SetUp();
        FillKinetic(s, 11, 20);
        s.DataAvailable = true;
        form = &t.app.forms.Get<RatioForm>();
        form->Show();  // Resize draws the series
        ASSERT_LT(Series().PlotLeft, Series().PlotRight);
    }
    SlotRecord& Series() { return s.SlotInfo[11]; }
    float PlotMiddle() { return (Series().PlotLeft + Series().PlotRight) / 2.0f; }
};

TEST_F(RatioCursorTest, CursorKeysMoveTheCursorOnlyWhileItIsOn) {
    form->UserKeyDown(nullptr, 39, shift::None);  // Right
    EXPECT_FALSE(Series().CursorShown);
    s.CursorOn = true;
    form->UserKeyDown(nullptr, 39, shift::None);
    EXPECT_TRUE(Series().CursorShown);
    EXPECT_EQ(Series().CursorPoint, 1);
    form->UserKeyDown(nullptr, 36, shift::None);  // Home
    EXPECT_EQ(Series().CursorPoint, 0);
    EXPECT_FALSE(CanvasOf(*form).NotXorResidue().empty());  // the cursor stands on the chart
}

TEST_F(RatioCursorTest, DragWithTheCursorOffLeavesNoTrace) {
    Series().CursorPoint = 5;
    Series().AnchorPoint = 5;
    form->UserMouseDown(mouse::Left, shift::None, PlotMiddle(), 1000);
    EXPECT_TRUE(s.ZoomDragging);
    EXPECT_EQ(Series().CursorPoint, 0);
    EXPECT_EQ(Series().AnchorPoint, 0);

    form->UserMouseMove(mouse::Left, shift::None, PlotMiddle(), 1000);
    EXPECT_TRUE(Series().CursorShown);
    EXPECT_GT(Series().CursorPoint, 5);
    EXPECT_FALSE(CanvasOf(*form).NotXorResidue().empty());
    form->UserMouseMove(mouse::Left, shift::None, Series().PlotRight, 1000);
    EXPECT_EQ(Series().CursorPoint, 19);

    form->UserMouseUp(mouse::Left, shift::None, Series().PlotRight, 1000);
    EXPECT_FALSE(s.ZoomDragging);
    EXPECT_TRUE(CanvasOf(*form).NotXorResidue().empty());  // line and mark removed
    EXPECT_FALSE(Series().CursorShown);
    EXPECT_EQ(Series().CursorPoint, 0);
}

TEST_F(RatioCursorTest, ReleaseWithTheCursorOnOnlyEndsTheDrag) {
    s.CursorOn = true;
    form->UserKeyDown(nullptr, 39, shift::None);  // cursor at point 1
    form->UserMouseDown(mouse::Left, shift::None, PlotMiddle(), 1000);
    EXPECT_TRUE(s.ZoomDragging);
    EXPECT_EQ(Series().CursorPoint, 1);
    form->UserMouseUp(mouse::Left, shift::None, PlotMiddle(), 1000);
    EXPECT_FALSE(s.ZoomDragging);
    EXPECT_TRUE(Series().CursorShown);
    EXPECT_EQ(Series().CursorPoint, 1);
}

TEST_F(RatioCursorTest, OtherButtonsDoNothing) {
    Series().CursorPoint = 5;
    form->UserMouseDown(mouse::Right, shift::None, PlotMiddle(), 1000);
    EXPECT_FALSE(s.ZoomDragging);
    EXPECT_EQ(Series().CursorPoint, 5);
    s.ZoomDragging = true;
    form->UserMouseUp(mouse::Middle, shift::None, PlotMiddle(), 1000);
    EXPECT_TRUE(s.ZoomDragging);
}

}  // namespace
}  // namespace tav
