// Window lines of the settings file and the window records: writing, applying, storing.

#include <gtest/gtest.h>

#include "../platform/forms_test_app.h"
#include "doubles/HeadlessHost.h"
#include "files/WindowPositions.h"
#include "platform/forms/App.h"
#include "platform/forms/Form.h"

namespace tav {
namespace {

class ChartWindow : public Form {
public:
    explicit ChartWindow(App& app) : Form(app, "RatioForm") {}
};

class WindowPositions : public ::testing::Test {
protected:
    test::FormsTestApp t;
    ChartWindow& form = t.app.forms.Get<ChartWindow>();
};

TEST_F(WindowPositions, LineOfAnOpenNormalWindowRefreshesTheRecord) {
    form.Move(-120.5, 3600, 4800.5, 2400);  // halves go to the even neighbour
    WindowRect rect{1, 2, 3, 4, -1};
    EXPECT_EQ(WindowPositionText(form, rect), "3600 -120 2400 4800 0 ");
    EXPECT_EQ(rect.Top, 3600);
    EXPECT_EQ(rect.Left, -120);
    EXPECT_EQ(rect.Width, 4800);
    EXPECT_EQ(rect.Height, 2400);
}

TEST_F(WindowPositions, LineKeepsTheStoredRectangleUnlessTheWindowIsOpenAndNormal) {
    struct Case {
        const char* what;
        int16_t state;
        int32_t open;
        const char* line;
    };
    const Case cases[] = {
        {"closed", winstate::Normal, 0, "10 20 30 40 0 "},
        {"minimized: written as normal", winstate::Minimized, -1, "10 20 30 40 0 "},
        {"maximized", winstate::Maximized, -1, "10 20 30 40 2 "},
    };
    for (const Case& c : cases) {
        form.SetWindowState(winstate::Normal);
        form.Move(500, 600, 700, 800);
        form.SetWindowState(c.state);
        WindowRect rect{10, 20, 40, 30, c.open};
        EXPECT_EQ(WindowPositionText(form, rect), c.line) << c.what;
        EXPECT_EQ(rect.Top, 10) << c.what;
    }
    WindowRect empty{};
    form.SetWindowState(winstate::Normal);
    EXPECT_EQ(WindowPositionText(form, empty), "0 0 0 0 0 ");
}

TEST_F(WindowPositions, ApplyingALinePlacesTheWindowAndReturnsItsOpenFlag) {
    struct Case {
        const char* what;
        const char* line;
        bool placed;
        float top, left, height, width;
        int16_t state;
        int16_t open;
    };
    const Case cases[] = {
        {"open", "1200 2400 3000 5000 0  -1 ", true, 1200, 2400, 3000, 5000, 0, -1},
        {"closed", "1200 2400 3000 5000 0  0 ", true, 1200, 2400, 3000, 5000, 0, 0},
        // A tiled window at the very top or left comes back where it was.
        {"top 0", "0 2400 3000 5000 0  -1 ", true, 0, 2400, 3000, 5000, 0, -1},
        {"left 0", "1200 0 3000 5000 0  -1 ", true, 1200, 0, 3000, 5000, 0, -1},
        {"negative position", "-300 -450 3000 5000 0  -1 ", true, -300, -450, 3000, 5000, 0, -1},
        {"no rectangle known", "0 0 0 0 0  0 ", false, 0, 0, 0, 0, 0, 0},
        {"zero width", "1200 2400 3000 0 0  -1 ", false, 0, 0, 0, 0, 0, -1},
        {"negative height", "1200 2400 -3000 5000 0  -1 ", false, 0, 0, 0, 0, 0, -1},
        {"maximized", "1200 2400 3000 5000 2  -1 ", true, 1200, 2400, 3000, 5000, 2, -1},
        {"minimized never restored", "1200 2400 3000 5000 1  -1 ", true, 1200, 2400, 3000, 5000, 0, -1},
        {"three numbers", "1200 2400 3000", false, 0, 0, 0, 0, 0, 0},
        {"five numbers", "1200 2400 3000 5000 0", true, 1200, 2400, 3000, 5000, 0, 0},
        {"empty", "", false, 0, 0, 0, 0, 0, 0},
        {"beyond the record range", "99999 2400 3000 5000 0  -1 ", true, 32767, 2400, 3000, 5000, 0, -1},
    };
    for (const Case& c : cases) {
        form.SetWindowState(winstate::Normal);
        form.Move(0, 0, 0, 0);
        EXPECT_EQ(ApplyWindowPosition(c.line, form), c.open) << c.what;
        EXPECT_EQ(form.Top(), c.top) << c.what;
        EXPECT_EQ(form.Left(), c.left) << c.what;
        EXPECT_EQ(form.Height(), c.placed ? c.height : 0) << c.what;
        EXPECT_EQ(form.Width(), c.placed ? c.width : 0) << c.what;
        EXPECT_EQ(form.WindowState(), c.state) << c.what;
    }
}

TEST_F(WindowPositions, AMaximizedWindowComesBackToNormalFromANormalLine) {
    form.SetWindowState(winstate::Maximized);
    ApplyWindowPosition("1200 2400 3000 5000 0  -1 ", form);
    EXPECT_EQ(form.WindowState(), winstate::Normal);
}

TEST_F(WindowPositions, WrittenLinesComeBackAsTheyWere) {
    form.Move(-450, 0, 4000, 2500);  // left, top, width, height
    WindowRect rect{0, 0, 0, 0, -1};
    const std::string line = WindowPositionText(form, rect) + " -1 ";
    form.Move(1, 1, 1, 1);
    EXPECT_EQ(ApplyWindowPosition(line, form), -1);
    EXPECT_EQ(form.Top(), 0);
    EXPECT_EQ(form.Left(), -450);
    EXPECT_EQ(form.Width(), 4000);
    EXPECT_EQ(form.Height(), 2500);
}

TEST_F(WindowPositions, SetFormRectAppliesAKnownRectangleOnly) {
    form.Move(1, 2, 3, 4);
    SetFormRect(form, WindowRect{0, 0, 0, 0, -1});
    EXPECT_EQ(form.Width(), 3);
    SetFormRect(form, WindowRect{0, 100, 4800, 3000, 0});
    EXPECT_EQ(form.Top(), 0);
    EXPECT_EQ(form.Left(), 100);
    EXPECT_EQ(form.Width(), 4800);
    EXPECT_EQ(form.Height(), 3000);
}

TEST_F(WindowPositions, SaveWindowRectStoresOnlyTheNormalRectangle) {
    form.Move(100.5, 201.5, 3000, 2000);
    WindowRect rect{7, 7, 7, 7, -1};
    SaveWindowRect(form, rect);
    EXPECT_EQ(rect.Top, 202);
    EXPECT_EQ(rect.Left, 100);
    EXPECT_EQ(rect.Width, 3000);
    EXPECT_EQ(rect.Height, 2000);
    EXPECT_EQ(rect.Open, -1);

    for (int16_t state : {winstate::Minimized, winstate::Maximized}) {
        form.SetWindowState(state);
        form.Move(9, 9, 9, 9);
        SaveWindowRect(form, rect);
        EXPECT_EQ(rect.Top, 202) << "state " << state;
    }
}

}  // namespace
}  // namespace tav
