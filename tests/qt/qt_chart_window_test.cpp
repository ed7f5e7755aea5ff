// A chart on the spectrum window's image: the curve inside the plot rectangle, and the cursor
// drawn in the not-xor pen and removed again.

#include <gtest/gtest.h>

#include <QImage>

#include "charts/ChartCursor.h"
#include "charts/ChartFixtures.h"
#include "qt/QtWindowCanvas.h"
#include "qt_test_app.h"
#include "windows/FormCharts.h"
#include "windows/MainForm.h"

namespace tav {
namespace {

constexpr QRgb DarkBlue = 0xFF000080;  // slot 0's curve

struct QtChartWindow : ::testing::Test {
    test::QtTestApp t;
    ProgramState& s = *t.state;
    MainForm* spectrum = nullptr;
    QtWindowCanvas* canvas = nullptr;

    void SetUp() override {
        s.AutoScaleOn.fill(-1);
        s.ChartFontName = "Arial";
        s.ChartColor = 0x808080;
        charttest::FillScan256(s, 0);
        spectrum = &t.app->forms.Get<MainForm>();
        spectrum->Show();
        test::ProcessEvents();
        canvas = dynamic_cast<QtWindowCanvas*>(&spectrum->Surface());
        ASSERT_NE(canvas, nullptr);
        ASSERT_GT(canvas->ScaleWidth(), 3000);
        spectrum->Surface().Cls();
    }
    QImage Snapshot() { return canvas->Image().copy(); }
    int Px(float twips) const { return static_cast<int>(std::lround(twips * 96.0 / 1440.0)); }
};

TEST_F(QtChartWindow, SpectrumCurveLiesInsideThePlotRectangle) {
    const QImage blank = Snapshot();
    std::string title;
    DrawChart(*spectrum, 0, title);
    const QImage chart = Snapshot();
    EXPECT_NE(chart, blank);

    const SlotRecord& r = s.SlotInfo[0];
    ASSERT_LT(r.PlotLeft, r.PlotRight);
    const double k = chart.width() / canvas->ScaleWidth();  // pixels per twip of this image
    const QRect plot(QPoint(static_cast<int>(r.PlotLeft * k), static_cast<int>(r.PlotTop * k)),
                     QPoint(static_cast<int>(r.PlotRight * k) + 1, static_cast<int>(r.PlotBottom * k) + 1));
    int inside = 0, outside = 0;
    for (int y = 0; y < chart.height(); ++y) {
        for (int x = 0; x < chart.width(); ++x) {
            if (chart.pixel(x, y) != DarkBlue) continue;
            (plot.contains(x, y) ? inside : outside)++;
        }
    }
    EXPECT_GT(inside, plot.width() / 2);  // a rising line across most of the plot
    EXPECT_EQ(outside, 0);
}

TEST_F(QtChartWindow, CursorDrawnTwiceRestoresThePixels) {
    std::string title;
    DrawChart(*spectrum, 0, title);
    const QImage chart = Snapshot();
    const MainWindowView view = ReadMainWindows(*t.app);
    MoveChartCursor(s, spectrum->Surface(), view, 0, 39, 0);  // Right: shows it
    MoveChartCursor(s, spectrum->Surface(), view, 0, 35, 0);  // End: moves it
    EXPECT_NE(Snapshot(), chart);
    MoveChartCursor(s, spectrum->Surface(), view, 0, -1, -1.0f);  // erase
    EXPECT_EQ(Snapshot(), chart);
}

}  // namespace
}  // namespace tav
