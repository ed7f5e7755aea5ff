// The kinetic charts of a first run from the bundled trial settings on a 1280 x 800 screen, as
// drawn on their windows: the single point of the first scan stands inside the plot with its y
// labels and caption, a series of equal values runs inside the plot, not along its frame, with
// six labels, and the labels are about as large as the spectrum window's.

#include <gtest/gtest.h>

#include <QAction>
#include <QImage>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

#include <vector>

#include "qt/QtWindowCanvas.h"
#include "qt_trial_run.h"
#include "windows/KineticForms.h"
#include "windows/WelcomeForm.h"

namespace tav {
namespace {

constexpr QRgb DarkBlue = 0xFF000080;  // the kinetic curves

// A window's chart as drawn, with its plot rectangle in pixels.
struct DrawnChart {
    QImage image;
    QRect plot;  // the frame's pixels are its edges
    QRgb back = 0;

    DrawnChart(Form& form, int16_t slotNumber) {
        auto* canvas = dynamic_cast<QtWindowCanvas*>(&form.Surface());
        if (!canvas) return;
        image = canvas->Image().copy();
        const double k = image.width() / canvas->ScaleWidth();
        const SlotRecord& r = form.app.state.SlotInfo[slotNumber];
        plot = QRect(QPoint(static_cast<int>(std::lround(r.PlotLeft * k)), static_cast<int>(std::lround(r.PlotTop * k))),
                     QPoint(static_cast<int>(std::lround(r.PlotRight * k)), static_cast<int>(std::lround(r.PlotBottom * k))));
        back = image.pixel(image.width() - 1, image.height() - 1);
    }
    bool Ink(int x, int y) const { return image.pixel(x, y) != back && image.pixel(x, y) != DarkBlue; }

    // The curve's pixels, and how many of them lie on the frame's top or bottom or outside the
    // plot (a curve begins and ends on the frame's sides).
    int CurvePixels(int* offInside = nullptr) const {
        int count = 0, off = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (image.pixel(x, y) != DarkBlue) continue;
                ++count;
                if (!(x >= plot.left() && x <= plot.right() && y > plot.top() && y < plot.bottom())) ++off;
            }
        }
        if (offInside) *offInside = off;
        return count;
    }

    // The heights of the lines of text in the y label column, top to bottom.
    std::vector<int> LabelLines() const {
        std::vector<int> lines;
        int run = 0;
        for (int y = 0; y <= plot.bottom() + 20 && y < image.height(); ++y) {
            bool ink = false;
            for (int x = 0; x < plot.left() - 2; ++x) ink = ink || Ink(x, y);
            if (ink) {
                ++run;
            } else if (run > 0) {
                lines.push_back(run);
                run = 0;
            }
        }
        return lines;
    }

    // Text under the plot: the caption.
    bool TextBelowThePlot() const {
        for (int y = plot.bottom() + 2; y < image.height(); ++y) {
            for (int x = plot.left(); x < plot.right(); ++x) {
                if (Ink(x, y)) return true;
            }
        }
        return false;
    }
};

TEST(QtKineticCharts, ReadableFromTheFirstPointOnWithLabelsAsLargeAsTheSpectrumWindows) {
    test::TrialRun run({1280, 800, 1});
    test::QtTestApp& t = run.t;
    MDIForm1& main = *run.main;
    ProgramState& s = *t.state;
    s.RatioFormRect.Open = s.IntegralFormRect.Open = -1;
    t.app->forms.Get<RatioForm>().Show();
    t.app->forms.Get<IntegralForm>().Show();
    test::ProcessEvents();
    t.app->forms.Unload<WelcomeForm>();  // into the first scan
    test::ProcessEvents();
    ASSERT_EQ(s.SlotInfo[slot::Ratio].NumPoints, 1);

    for (KineticForm* form : {KineticWindowForm(*t.app, slot::Ratio), KineticWindowForm(*t.app, slot::Integral)}) {
        SCOPED_TRACE(form->Name());
        const DrawnChart one(*form, form->Code());
        ASSERT_FALSE(one.image.isNull());
        int off = 0;
        EXPECT_GE(one.CurvePixels(&off), 9) << "the single point shows as a dot";
        EXPECT_EQ(off, 0) << "inside the plot, clear of the frame";
        EXPECT_EQ(one.image.pixel(one.plot.left(), one.plot.center().y()), one.image.pixel(one.plot.left(), one.plot.top()))
            << "not on the frame's left side";
        EXPECT_EQ(one.LabelLines().size(), 6u) << "six y labels";
        EXPECT_TRUE(one.TextBelowThePlot()) << "the caption";
    }

    // Nineteen more passes over the same spectrum: twenty equal values.
    for (int pass = 0; pass < 19; ++pass) main.Contexts().Flows().ComputeKineticIndices();
    test::ProcessEvents();
    ASSERT_EQ(s.SlotInfo[slot::Ratio].NumPoints, 20);
    RatioForm& ratio = t.app->forms.Get<RatioForm>();
    const DrawnChart flat(ratio, slot::Ratio);
    int off = 0;
    EXPECT_GT(flat.CurvePixels(&off), flat.plot.width() / 2);
    EXPECT_EQ(off, 0) << "the trace runs inside the plot, not along its frame";
    const std::vector<int> kinetic = flat.LabelLines();
    ASSERT_EQ(kinetic.size(), 6u);

    // The spectrum window's labels at its size in the trial layout, and the kinetic ones'.
    MainForm& spectrum = t.app->forms.Get<MainForm>();
    const DrawnChart chart(spectrum, s.CurrentSlot);
    const std::vector<int> big = chart.LabelLines();
    ASSERT_EQ(big.size(), 6u);
    EXPECT_GE(kinetic[0], 9) << "pixels of the digits";
    EXPECT_GE(kinetic[0] * 10, big[0] * 8) << kinetic[0] << " against " << big[0] << " pixels";
}

// The single point of the first scan stays a dot when its window is painted again (closed and
// opened from the View menu, or enlarged by Tile), and tiled windows too short for six y labels
// show fewer, each on a line of its own.
TEST(QtKineticCharts, TheFirstPointStaysADotAndTiledChartsKeepTheirLabelsApart) {
    test::TrialRun run({1280, 800, 1});
    test::QtTestApp& t = run.t;
    ProgramState& s = *t.state;
    auto* window = qobject_cast<QMainWindow*>(test::TopLevel("MDIForm1"));
    ASSERT_NE(window, nullptr);
    auto* view = window->menuBar()->findChild<QMenu*>("ViewMenu");
    ASSERT_NE(view, nullptr);
    QAction* ratioItem = view->findChild<QAction*>("ViewRatioForm");
    QAction* tile = view->findChild<QAction*>("Tile");
    ASSERT_TRUE(ratioItem && tile);
    for (const char* item : {"ViewRatioForm", "ViewNormDiffForm", "ViewIntegralForm"}) {
        view->findChild<QAction*>(item)->trigger();
    }
    test::ProcessEvents();
    t.app->forms.Unload<WelcomeForm>();  // into the first scan
    test::ProcessEvents();
    ASSERT_EQ(s.SlotInfo[slot::Ratio].NumPoints, 1);
    const int tall = DrawnChart(t.app->forms.Get<RatioForm>(), slot::Ratio).LabelLines().at(0);

    ratioItem->trigger();  // closed
    test::ProcessEvents();
    ASSERT_EQ(t.app->forms.Find<RatioForm>(), nullptr);
    ratioItem->trigger();  // and opened again: a Paint
    test::ProcessEvents();
    EXPECT_EQ(s.SlotInfo[slot::Ratio].NumPoints, 1);
    const DrawnChart again(t.app->forms.Get<RatioForm>(), slot::Ratio);
    int off = 0;
    const int pixels = again.CurvePixels(&off);
    EXPECT_GE(pixels, 9) << "the dot";
    EXPECT_LT(pixels, again.plot.width() / 4) << "not a line across the plot";
    EXPECT_EQ(off, 0);

    tile->trigger();
    test::ProcessEvents();
    for (int16_t code : {slot::Ratio, slot::NormDiff, slot::Integral}) {
        KineticForm& form = *KineticWindowForm(*t.app, code);
        SCOPED_TRACE(form.Name());
        EXPECT_EQ(s.SlotInfo[code].NumPoints, 1);
        const DrawnChart tiled(form, code);
        ASSERT_FALSE(tiled.image.isNull());
        EXPECT_LT(tiled.plot.height(), 120) << "a short plot";
        EXPECT_LT(tiled.CurvePixels(), tiled.plot.width() / 4) << "still a dot";
        const std::vector<int> lines = tiled.LabelLines();
        EXPECT_GE(lines.size(), 2u) << "the top and the bottom of the range";
        EXPECT_LT(lines.size(), 6u);
        for (int height : lines) EXPECT_LE(height, tall) << "one label a line";
    }
}

// The cursor of the normalized-difference window, turned on, moved and turned off again, leaves
// the window as it was: no mark where its read-out stood.
TEST(QtKineticCharts, TurningTheCursorOffLeavesNoMark) {
    test::TrialRun run({1280, 800, 1});
    ProgramState& s = *run.t.state;
    s.NormDiffFormRect.Open = -1;
    s.Menu.ActivateExperimental = true;  // both series on one chart
    s.ExpBand1 = 1, s.ExpBand2 = 2, s.ExpBand3 = 3, s.ExpBand4 = 4;
    KineticForm& window = *KineticWindowForm(*run.t.app, slot::NormDiff);
    window.Show();
    test::ProcessEvents();
    run.t.app->forms.Unload<WelcomeForm>();  // into the first scan
    test::ProcessEvents();
    for (int pass = 0; pass < 12; ++pass) {
        for (int p = 0; p < 256; ++p) s.Ch1Data[0][p] *= 1.0f + 0.01f * static_cast<float>((p * 7 + pass * 13) % 5);
        s.ElapsedTime = 10.0f * static_cast<float>(pass);
        run.main->Contexts().Flows().ComputeKineticIndices();
    }
    test::ProcessEvents();
    ASSERT_GT(s.SlotInfo[slot::NormDiff].NumPoints, 10);

    auto* canvas = dynamic_cast<QtWindowCanvas*>(&window.Surface());
    ASSERT_NE(canvas, nullptr);
    QWidget* widget = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (auto* found = top->findChild<QWidget*>("NormDiffForm")) widget = found;
    }
    ASSERT_NE(widget, nullptr);
    const QImage before = canvas->Image().copy();
    test::SendKey(widget, Qt::Key_M, "m");  // the cursor on
    test::SendKey(widget, Qt::Key_Right);
    test::SendKey(widget, Qt::Key_Right);
    test::ProcessEvents();
    ASSERT_NE(canvas->Image(), before) << "the cursor and its read-out show";
    test::SendKey(widget, Qt::Key_M, "m");  // and off
    test::ProcessEvents();
    const QImage after = canvas->Image().copy();
    int marks = 0;
    for (int y = 0; y < before.height(); ++y) {
        for (int x = 0; x < before.width(); ++x) marks += after.pixel(x, y) != before.pixel(x, y);
    }
    EXPECT_EQ(marks, 0);
}

}  // namespace
}  // namespace tav
