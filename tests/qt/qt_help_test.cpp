// Help > Help opens the program's own help in a window beside the main window: the key
// commands first, then the tool strip, the menus, the memory modes, the files and how to try
// the program with the simulated instrument. The windows show the program's own icon.

#include <gtest/gtest.h>

#include <QAction>
#include <QImage>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTextBrowser>

#include "platform/forms/App.h"
#include "qt/HelpWindow.h"
#include "qt/ProgramIcon.h"
#include "qt/QtViewBase.h"
#include "qt/TavolinProgram.h"
#include "qt_screen.h"
#include "qt_test_app.h"
#include "shared/ProgramState.h"
#include "support/TempDir.h"
#include "windows/MDIForm1.h"

namespace tav {
namespace {

int HelpWindows() {
    int n = 0;
    for (QWidget* top : QApplication::topLevelWidgets()) n += top->objectName() == "HelpWindow";
    return n;
}

struct QtProgramWindows : ::testing::Test {
    test::QtApplicationScope qt;
    test::TempDir dir;
    TavolinProgram program{dir.Path()};
    QMainWindow* window = nullptr;

    void SetUp() override {
        program.app().state.WelcomeShown = true;  // no welcome window to close into a scan
        program.Start();
        test::ProcessEvents();
        window = qobject_cast<QMainWindow*>(test::TopLevel("MDIForm1"));
        ASSERT_NE(window, nullptr);
    }
    QAction* HelpItem() {
        auto* menu = window->menuBar()->findChild<QMenu*>("help1");
        return menu ? menu->findChild<QAction*>("help") : nullptr;
    }
};

TEST_F(QtProgramWindows, HelpShowsTheHelpWindowWithTheKeyCommands) {
    QAction* help = HelpItem();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->text(), "Help");
    help->trigger();
    test::ProcessEvents();

    QWidget* shown = test::TopLevel("HelpWindow");
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->windowTitle(), "tavolin Help");
    auto* browser = shown->findChild<QTextBrowser*>("HelpText");
    ASSERT_NE(browser, nullptr);
    const QString text = browser->toPlainText();
    for (const char* part : {"Key commands", "Next scan", "Stops timed acquisition", "The tool strip", "Zoom I/O",
                             "The menus", "Memory modes", "AutoCopy", "Files", "Prismel.INI", "~Ratio.Tmp",
                             "Trying it with the simulated instrument", "instrument-sim", "TAVOLIN_COM"}) {
        EXPECT_TRUE(text.contains(part)) << part;
    }
    EXPECT_LT(text.indexOf("Key commands"), text.indexOf("The tool strip")) << "the keys come first";
    // The operator reads it while the program goes on: it waits for nothing.
    EXPECT_FALSE(shown->isModal());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    // Once more: the same window, brought up again; Escape closes it.
    help->trigger();
    test::ProcessEvents();
    EXPECT_EQ(HelpWindows(), 1);
    test::SendKey(shown, Qt::Key_Escape);
    test::ProcessEvents();
    EXPECT_EQ(test::TopLevel("HelpWindow"), nullptr);
}

// Beside the main window where the screen has room for it (narrower when needed), over it at the
// screen's edge where it has none; always inside the screen.
TEST(QtHelpPlace, BesideTheMainWindowInsideTheScreen) {
    const QRect screen(0, 0, 1280, 800);
    const struct {
        QRect main;
        QSize size;
        QRect placed;
    } cases[] = {
        {{0, 0, 600, 500}, {640, 700}, {600, 0, 640, 700}},     // room on the right
        {{0, 0, 870, 600}, {640, 700}, {870, 0, 410, 700}},     // narrower, still beside
        {{700, 200, 580, 500}, {640, 700}, {60, 100, 640, 700}},  // on the left, moved up to fit
        {{0, 0, 1280, 800}, {640, 700}, {640, 0, 640, 700}},    // no room: at the right edge
        {{100, 0, 1100, 800}, {640, 900}, {640, 0, 640, 800}},  // no taller than the screen
    };
    for (const auto& k : cases) {
        const QRect placed = BesideWindow(k.main, k.size, screen, 340);
        EXPECT_EQ(placed, k.placed) << k.main.x() << "," << k.main.y() << " " << k.main.width() << "x" << k.main.height();
        EXPECT_TRUE(screen.contains(placed));
    }
}

TEST(QtHelpPlace, HelpOpensBesideTheMainWindowAndInsideTheScreen) {
    for (bool maximized : {false, true}) {
        SCOPED_TRACE(maximized ? "main window maximized" : "main window as it opens");
        test::ScreenScope screen({1280, 800, 1});
        test::TempDir dir;
        TavolinProgram program{dir.Path()};
        program.app().state.WelcomeShown = true;
        program.Start();
        test::ProcessEvents();
        auto* window = qobject_cast<QMainWindow*>(test::TopLevel("MDIForm1"));
        ASSERT_NE(window, nullptr);
        if (maximized) window->setGeometry(window->screen()->availableGeometry());
        window->activateWindow();
        test::ProcessEvents();
        auto* menu = window->menuBar()->findChild<QMenu*>("help1");
        ASSERT_NE(menu, nullptr);
        menu->findChild<QAction*>("help")->trigger();
        test::ProcessEvents();
        QWidget* help = test::TopLevel("HelpWindow");
        ASSERT_NE(help, nullptr);
        const QRect area = help->screen()->availableGeometry();
        EXPECT_TRUE(area.contains(help->frameGeometry()));
        if (!maximized) {
            EXPECT_FALSE(help->frameGeometry().intersects(window->frameGeometry())) << "beside it";
        }
        EXPECT_GE(help->width(), 300) << "wide enough to read";
    }
}

// The icon on the title bar of each window inside the main window is the program's tile, not
// the toolkit's logo.
TEST_F(QtProgramWindows, TheWindowsInsideTheMainWindowShowTheProgramsIcon) {
    EXPECT_EQ(window->windowIcon().cacheKey(), QApplication::windowIcon().cacheKey());
    auto* area = window->findChild<QMdiArea*>();
    ASSERT_NE(area, nullptr);
    ASSERT_FALSE(area->subWindowList().isEmpty());
    for (QMdiSubWindow* sub : area->subWindowList()) {
        const QImage shot = sub->grab().toImage();
        // The title bar's left end, where the window menu's icon stands.
        const int bar = sub->height() - sub->contentsRect().height();
        int tile = 0, curve = 0;
        // The curve's edges are blended into the tile at title-bar size.
        const auto near = [](QRgb a, QRgb b) {
            return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b)) < 60;
        };
        for (int y = 0; y < std::min(bar, shot.height()); ++y) {
            for (int x = 0; x < std::min(bar * 2, shot.width()); ++x) {
                const QRgb pixel = shot.pixel(x, y);
                tile += near(pixel, IconTileColor);
                curve += near(pixel, IconCurveColor);
            }
        }
        EXPECT_GT(tile, 10) << sub->windowTitle().toStdString();
        EXPECT_GT(curve, 3) << sub->windowTitle().toStdString();
    }
}

}  // namespace
}  // namespace tav
