// A kinetic window on the Qt front end: the index passes draw the growing series on the
// window's image, and the window's keys arrive from its widget.

#include <gtest/gtest.h>

#include <QImage>
#include <string>
#include <utility>
#include <vector>

#include "indices/RatioSpectrum.h"
#include "qt/QtWindowCanvas.h"
#include "qt_test_app.h"
#include "windows/IndexForm.h"
#include "windows/IndexWindowOutput.h"
#include "windows/KineticForms.h"
#include "windows/MDIForm1.h"

namespace tav {
namespace {

constexpr QRgb DarkBlue = 0xFF000080;  // the kinetic curves

struct QtKineticWindow : ::testing::Test {
    test::QtTestApp t;
    ProgramState& s = *t.state;
    RatioForm* ratio = nullptr;
    QtWindowCanvas* canvas = nullptr;
    std::vector<int16_t> commands;

    void SetUp() override {
        s.AutoScaleOn.fill(-1);
        s.ChartFontName = "Arial";
        s.ChartColor = 0x808080;
        test::PrepareRatioSpectrum(s);  // Scan makes band 2 grow
        t.app->keyCommand = [this](int16_t& keyAscii, std::string&) { commands.push_back(keyAscii); };

        t.app->forms.Get<MDIForm1>().Show();
        s.RatioFormRect.Open = -1;
        ratio = &t.app->forms.Get<RatioForm>();
        ratio->Move(0, 0, 7200, 5400);
        ratio->Show();
        test::ProcessEvents();
        canvas = dynamic_cast<QtWindowCanvas*>(&ratio->Surface());
        ASSERT_NE(canvas, nullptr);
    }
    QWidget* Widget(const char* name) {
        QWidget* found = nullptr;
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (auto* w = top->findChild<QWidget*>(name)) found = w;
        }
        return found;
    }
    void Scan(float elapsed) {
        s.Ch1Data[0][7] += 1.0f;  // inside band 2
        s.ElapsedTime = elapsed;
        ComputeKineticIndices(*t.app);
    }
};

TEST_F(QtKineticWindow, IndexPassesDrawTheSeriesInsideThePlot) {
    s.RatioCount = 0;
    for (float elapsed : {0.0f, 10.0f, 20.0f, 30.0f}) Scan(elapsed);
    ASSERT_EQ(s.SlotInfo[11].NumPoints, 4);

    const QImage chart = canvas->Image().copy();
    const SlotRecord& r = s.SlotInfo[11];
    ASSERT_LT(r.PlotLeft, r.PlotRight);
    const double k = chart.width() / canvas->ScaleWidth();
    const QRect plot(QPoint(static_cast<int>(r.PlotLeft * k), static_cast<int>(r.PlotTop * k)),
                     QPoint(static_cast<int>(r.PlotRight * k) + 1, static_cast<int>(r.PlotBottom * k) + 1));
    int inside = 0, outside = 0;
    int left = chart.width(), right = 0;
    for (int y = 0; y < chart.height(); ++y) {
        for (int x = 0; x < chart.width(); ++x) {
            if (chart.pixel(x, y) != DarkBlue) continue;
            (plot.contains(x, y) ? inside : outside)++;
            left = std::min(left, x);
            right = std::max(right, x);
        }
    }
    EXPECT_GT(inside, plot.width() / 2);
    EXPECT_EQ(outside, 0);
    EXPECT_GT(right - left, plot.width() * 9 / 10);  // the series spans the time axis
}

TEST_F(QtKineticWindow, KeysTypedInTheWindowReachIt) {
    QWidget* widget = Widget("RatioForm");
    ASSERT_NE(widget, nullptr);
    test::SendKey(widget, Qt::Key_N, "n");
    EXPECT_EQ(commands, std::vector<int16_t>{'n'});

    test::SendKey(widget, Qt::Key_F9);
    test::ProcessEvents();
    EXPECT_NE(t.app->forms.Find<DiagnosticsForm>(), nullptr);
    EXPECT_EQ(s.DiagnosticsFormRect.Open, -1);

    s.Menu.ViewRatioForm = true;
    test::SendKey(widget, Qt::Key_X, "x");
    test::ProcessEvents();
    EXPECT_EQ(t.app->forms.Find<RatioForm>(), nullptr);
    EXPECT_EQ(s.RatioFormRect.Open, 0);
    EXPECT_FALSE(s.Menu.ViewRatioForm);
    EXPECT_EQ(commands.size(), 1u);
}

TEST_F(QtKineticWindow, ReadoutWrittenWhileHiddenShowsWhenTheWindowComesUp) {
    Scan(10);
    auto* index = t.app->forms.Find<IndexForm>();
    ASSERT_NE(index, nullptr);
    EXPECT_FALSE(index->Visible());
    s.IndexFormRect.Open = 0;  // shown by the function key, which marks it open afterwards
    index->Show();
    test::ProcessEvents();
    auto* image = dynamic_cast<QtWindowCanvas*>(&index->Surface());
    ASSERT_NE(image, nullptr);
    const QImage text = image->Image();
    int ink = 0;
    for (int y = 0; y < text.height(); ++y) {
        for (int x = 0; x < text.width(); ++x) ink += qGray(text.pixel(x, y)) < 128;
    }
    EXPECT_GT(ink, 50);  // "Elapsed Time=10. Seconds" and "Ratio = ..."
}

}  // namespace
}  // namespace tav
