// Under a window manager (openbox on a display of the test's own): the welcome window waits for
// the operator through the program's start-up and goes when the operator chooses another window;
// a dialog opens over the window it belongs to, inside the screen, and stays above that window
// when the operator clicks it.

#include <gtest/gtest.h>

#include <QAction>
#include <QMainWindow>
#include <QPushButton>
#include <QScreen>
#include <QWindow>

#include "qt_main_window_app.h"
#include "qt_window_manager.h"
#include "windows/InstrumentForm.h"
#include "windows/PrinterForm.h"
#include "windows/WelcomeForm.h"

namespace tav {
namespace {

using test::TopLevel;
using test::WaitFor;

// On the screen and drawn, as the window manager has it.
QWidget* ShownWindow(const char* name) {
    QWidget* window = nullptr;
    WaitFor([&] {
        window = TopLevel(name);
        return window && window->windowHandle() && window->windowHandle()->isExposed();
    });
    return window;
}

// What the operator does by clicking a window: the window manager raises it and gives it the
// focus; the program asked for neither.
void OperatorChooses(QWidget* window) {
    window->windowHandle()->raise();
    window->windowHandle()->requestActivate();
    WaitFor([&] { return window->isActiveWindow(); });
    test::Settle(300);
}

TEST(QtUnderWindowManager, TheWelcomeWindowWaitsThroughStartUpAndGoesWhenTheOperatorChoosesAnotherWindow) {
    test::WindowManagerScope desktop;
    if (!desktop.Ready()) GTEST_SKIP() << desktop.Why();
    test::QtTestApp t;
    test::FlowRecord record;
    // Start-up as the program's: the main window loads (the welcome comes up) and is shown.
    MDIForm1& main = t.app->forms.Get<MDIForm1>();
    main.Contexts().SetFlows(std::make_unique<test::RecordingFlows>(record, t.clock));
    if (!main.Visible()) main.Show();
    const auto welcomeUp = [&] { return t.app->forms.Find<WelcomeForm>() != nullptr; };

    QWidget* welcome = ShownWindow("WelcomeForm");
    ASSERT_NE(welcome, nullptr);
    WaitFor([&] { return !welcomeUp() || welcome->isActiveWindow(); });
    test::Settle(1500);
    ASSERT_TRUE(welcomeUp()) << "the start-up's own activations closed it";
    EXPECT_TRUE(welcome->isActiveWindow());
    EXPECT_TRUE(record.calls.empty()) << "no scan taken unasked";

    OperatorChooses(TopLevel("MDIForm1"));
    EXPECT_TRUE(WaitFor([&] { return !welcomeUp(); })) << "choosing another window closes it";
    EXPECT_EQ(record.calls, std::vector<std::string>{"NextScan"});
}

TEST(QtUnderWindowManager, ADialogOpensOverItsWindowInsideTheScreenAndStaysAboveIt) {
    test::WindowManagerScope desktop;
    if (!desktop.Ready()) GTEST_SKIP() << desktop.Why();
    test::QtMainWindowApp program;
    auto* mainWindow = qobject_cast<QMainWindow*>(ShownWindow("MDIForm1"));
    ASSERT_NE(mainWindow, nullptr);
    // Away from the screen's corner, where a dialog placed on the screen alone would open.
    mainWindow->move(300, 200);
    test::Settle(300);
    const QRect screen = mainWindow->screen()->availableGeometry();

    // Setup > Instrument Parameters.
    mainWindow->findChild<QAction*>("InstParams")->trigger();
    QWidget* instrument = ShownWindow("InstrumentForm");
    ASSERT_NE(instrument, nullptr);
    EXPECT_EQ(instrument->windowHandle()->transientParent(), mainWindow->windowHandle());
    EXPECT_TRUE(screen.contains(instrument->frameGeometry()));
    EXPECT_TRUE(mainWindow->frameGeometry().contains(instrument->frameGeometry().center())) << "over the main window";
    OperatorChooses(mainWindow);
    EXPECT_EQ(test::TopWindowAt(instrument->frameGeometry().center()), instrument) << "still above the main window";
    program.t.app->forms.Get<InstrumentForm>().Unload();

    // Print, then its Options: a dialog of a dialog belongs to that dialog and leaves its
    // check boxes in sight.
    mainWindow->findChild<QAction*>("PrintMenu")->trigger();
    QWidget* print = ShownWindow("PrinterForm");
    ASSERT_NE(print, nullptr);
    test::Click(print->findChild<QPushButton*>("Command3"));
    QWidget* options = ShownWindow("PrinterOptionsForm");
    ASSERT_NE(options, nullptr);
    EXPECT_EQ(options->windowHandle()->transientParent(), print->windowHandle());
    EXPECT_TRUE(screen.contains(options->frameGeometry()));
    for (QWidget* check : print->findChildren<QWidget*>()) {
        if (!check->inherits("QCheckBox")) continue;
        const QRect box(check->mapToGlobal(QPoint(0, 0)), check->size());
        EXPECT_FALSE(options->frameGeometry().intersects(box)) << check->objectName().toStdString() << " covered";
    }
    OperatorChooses(print);
    EXPECT_EQ(test::TopWindowAt(options->frameGeometry().center()), options) << "still above the Print dialog";
    OperatorChooses(mainWindow);
    EXPECT_EQ(test::TopWindowAt(print->frameGeometry().center()), print) << "the Print dialog above the main window";
    // The dialog it belongs to may close first.
    program.t.app->forms.Get<PrinterForm>().Unload();
    test::Settle(300);
    EXPECT_TRUE(options->isVisible());
}

}  // namespace
}  // namespace tav
