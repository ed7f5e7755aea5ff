// The first run from the bundled trial settings on a 1280 x 800 screen: the windows it opens,
// and those it places for the View menu, stand side by side inside the main window, and the
// spectrum window is wide enough for the status texts printed at x = 5500. A first run without
// settings has its two windows side by side too.

#include <gtest/gtest.h>

#include <QAction>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include "acquisition/StatusFont.h"
#include "qt_trial_run.h"

namespace tav {
namespace {

std::vector<QMdiSubWindow*> Shown(QMdiArea& area) {
    std::vector<QMdiSubWindow*> shown;
    for (QMdiSubWindow* sub : area.subWindowList()) {
        if (sub->isVisible()) shown.push_back(sub);
    }
    return shown;
}

void ExpectSideBySideInside(QMdiArea& area) {
    const std::vector<QMdiSubWindow*> shown = Shown(area);
    for (size_t i = 0; i < shown.size(); ++i) {
        EXPECT_TRUE(area.viewport()->rect().contains(shown[i]->geometry()))
            << shown[i]->windowTitle().toStdString() << " is cut off by the main window's edge";
        for (size_t j = i + 1; j < shown.size(); ++j) {
            EXPECT_FALSE(shown[i]->geometry().intersects(shown[j]->geometry()))
                << shown[i]->windowTitle().toStdString() << " overlaps " << shown[j]->windowTitle().toStdString();
        }
    }
}

// Without any settings file the quick menu comes up at its design size beside the spectrum
// window, both whole inside the main window.
TEST(QtTrialSettings, WithoutSettingsTheQuickMenuStandsBesideTheSpectrumWindow) {
    test::TrialRun run({1280, 800, 1}, false);
    test::ProcessEvents();
    QWidget* window = test::TopLevel("MDIForm1");
    ASSERT_NE(window, nullptr);
    QMdiArea& area = *window->findChild<QMdiArea*>();
    ASSERT_EQ(Shown(area).size(), 2u);
    ExpectSideBySideInside(area);
    const QMdiSubWindow* menu = window->findChild<QMdiSubWindow*>("MenuFormWindow");
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->height(), 340) << "5100 twips, its design height";
}

TEST(QtTrialSettings, TheFirstRunsWindowsStandSideBySideInsideTheMainWindow) {
    test::TrialRun run({1280, 800, 1});
    test::QtTestApp& t = run.t;
    MDIForm1& main = *run.main;
    test::ProcessEvents();
    t.app->forms.Unload<WelcomeForm>();  // into the first scan
    test::ProcessEvents();

    QMainWindow* window = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->objectName() == "MDIForm1") window = qobject_cast<QMainWindow*>(top);
    }
    ASSERT_NE(window, nullptr);
    QMdiArea& area = *window->findChild<QMdiArea*>();
    EXPECT_FALSE(Shown(area).empty());
    ExpectSideBySideInside(area);

    // "AutoScan in Progress", as "Ch1 / Ch2" prints it while timed acquisition runs.
    MainForm& spectrum = *t.app->forms.Find<MainForm>();
    main.Timer1.SetInterval(60000);
    main.Timer1.SetEnabled(true);
    window->findChild<QPushButton*>("Command3")->click();
    test::ProcessEvents();
    Canvas& surface = spectrum.Surface();
    StatusFont status(surface, t.op);
    EXPECT_LE(5500 + surface.TextWidth("AutoScan in Progress"), spectrum.ScaleWidth());

    // The windows the trial places come up where it placed them.
    QMenu* view = window->menuBar()->findChild<QMenu*>("ViewMenu");
    ASSERT_NE(view, nullptr);
    for (const char* item : {"ViewIndexForm", "ViewRatioForm", "ViewNormDiffForm", "ViewIntegralForm"}) {
        emit view->aboutToShow();  // the check marks as they stand
        QAction* action = view->findChild<QAction*>(item);
        ASSERT_NE(action, nullptr) << item;
        if (!action->isChecked()) action->trigger();
        test::ProcessEvents();
    }
    EXPECT_EQ(Shown(area).size(), 5u);
    ExpectSideBySideInside(area);
}

}  // namespace
}  // namespace tav
