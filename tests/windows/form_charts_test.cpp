#include <gtest/gtest.h>

#include "charts/ChartCursor.h"
#include "charts/ChartFixtures.h"
#include "platform/forms_test_app.h"
#include "windows/FormCharts.h"
#include "windows/KineticForms.h"
#include "windows/MDIForm1.h"
#include "windows/MainForm.h"

namespace tav {
namespace {

using namespace charttest;

struct FormChartsTest : ::testing::Test {
    test::FormsTestApp t;
    ProgramState& s = *t.state;

    void SetUp() override {
        s.AutoScaleOn.fill(-1);
        s.ChartFontName = "Arial";
        FillScan256(s, 0);
    }
};

TEST_F(FormChartsTest, ReadsTheMainWindowsWhenTheyAreLoaded) {
    EXPECT_EQ(ReadMainWindows(t.app).Text5, "");
    EXPECT_EQ(ReadMainWindows(t.app).MainFormBackColor, 0xFFFFFF);
    EXPECT_EQ(t.app.forms.Find<MainForm>(), nullptr);  // reading loads nothing

    auto& main = t.app.forms.Get<MDIForm1>();
    main.Text5.SetText("17");
    t.app.forms.Get<MainForm>().Surface().BackColor = MainBack;
    const MainWindowView view = ReadMainWindows(t.app);
    EXPECT_EQ(view.Text5, "17");
    EXPECT_EQ(view.MainFormBackColor, MainBack);
}

TEST_F(FormChartsTest, AWindowDrawsItsChartOnItsOwnSurface) {
    auto& spectrum = t.app.forms.Get<MainForm>();
    spectrum.Show();
    RecordingCanvas& canvas = HeadlessHost::CanvasOf(spectrum);
    canvas.ClearRecord();
    std::string title;
    DrawChart(spectrum, 0, title);
    EXPECT_TRUE(Printed(canvas, "Wavelength (nm)"));
    EXPECT_FALSE(OpsOf(canvas, CanvasOp::Kind::PSet).empty());
}

TEST_F(FormChartsTest, ChartWindowsAreTheLoadedWindows) {
    FormChartWindows windows(t.app);
    EXPECT_EQ(windows.ChartCanvas(0), nullptr);
    EXPECT_EQ(windows.ChartCanvas(1), nullptr);
    auto& spectrum = t.app.forms.Get<MainForm>();
    auto& ratio = t.app.forms.Get<RatioForm>();
    EXPECT_EQ(windows.ChartCanvas(0), &spectrum.Surface());
    EXPECT_EQ(windows.ChartCanvas(1), &ratio.Surface());
    EXPECT_EQ(windows.ChartCanvas(2), nullptr);

    // A shown cursor of a window that is not loaded is only forgotten.
    s.SlotInfo[12].CursorShown = true;
    s.SlotInfo[12].CursorPoint = 4;
    s.CursorOn = true;
    ClearAllCursors(s, windows);
    EXPECT_FALSE(s.SlotInfo[12].CursorShown);
    EXPECT_EQ(s.SlotInfo[12].CursorPoint, 0);
}

}  // namespace
}  // namespace tav
