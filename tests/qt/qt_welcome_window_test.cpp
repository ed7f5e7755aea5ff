// The welcome window shows its whole picture: at 96 dpi at its design size, and on a screen that
// cannot hold that (twice the scale on 1600 x 1000) scaled down with the window, in proportion.

#include <gtest/gtest.h>

#include <QLabel>
#include <QScreen>

#include "qt_main_window_app.h"
#include "qt_screen.h"
#include "windows/WelcomeForm.h"

namespace tav {
namespace {

class QtWelcomeWindow : public ::testing::TestWithParam<test::TestScreen> {};

TEST_P(QtWelcomeWindow, ShowsItsWholePictureScaledToTheWindow) {
    test::ScreenScope screen(GetParam());
    test::QtMainWindowApp program;
    program.t.app->forms.Get<WelcomeForm>().Show();
    test::ProcessEvents();
    QWidget* window = test::TopLevel("WelcomeForm");
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->screen()->availableGeometry().contains(window->frameGeometry())) << "inside the screen";

    for (const char* name : {"Picture3", "Picture1", "Picture2"}) {
        auto* picture = window->findChild<QLabel*>(name);
        ASSERT_NE(picture, nullptr) << name;
        EXPECT_TRUE(window->rect().contains(picture->geometry())) << name << " whole inside the window";
        EXPECT_TRUE(picture->hasScaledContents()) << name << " drawn to its box";
    }
    // The background fills the window in its own proportions, 4 to 3.
    const QRect background = window->findChild<QLabel*>("Picture3")->geometry();
    EXPECT_NEAR(background.width() * 3.0 / (background.height() * 4.0), 1.0, 0.02);
    EXPECT_GE(background.height(), window->height() * 95 / 100);
    EXPECT_GE(background.width(), window->width() * 95 / 100);
    if (GetParam().scale == 1) {
        EXPECT_EQ(background.size(), QSize(800, 600)) << "its design size at 96 dpi";
    }
}

INSTANTIATE_TEST_SUITE_P(Screens, QtWelcomeWindow,
                         ::testing::Values(test::TestScreen{1280, 800, 1}, test::TestScreen{1600, 1000, 2}),
                         [](const auto& info) { return info.param.scale == 1 ? "At96Dpi" : "AtScale2"; });

}  // namespace
}  // namespace tav
