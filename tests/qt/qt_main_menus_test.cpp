// tavolin's main window on the Qt front end: the menu bar in its order with the unavailable
// reference scan greyed, the shortcuts shown beside the captions, the tool strip's buttons
// above the child windows, and the About box and the erase confirmation as windows of their own.

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include "platform/forms/App.h"
#include "qt_test_app.h"
#include "windows/MDIForm1.h"

namespace tav {
namespace {

QAction* ActionIn(QMenuBar* bar, const char* menu, const char* item) {
    auto* m = bar->findChild<QMenu*>(menu);
    return m ? m->findChild<QAction*>(item) : nullptr;
}

TEST(QtMainMenus, MenuBarToolStripAndTheSmallDialogs) {
    test::QtTestApp t;
    t.state->WelcomeShown = true;  // no welcome window to close into a scan
    t.app->forms.Get<MDIForm1>().Show();
    test::ProcessEvents();
    auto* window = qobject_cast<QMainWindow*>(test::TopLevel("MDIForm1"));
    ASSERT_NE(window, nullptr);
    QMenuBar* bar = window->menuBar();

    QStringList titles;
    for (QAction* action : bar->actions()) titles << action->text();
    EXPECT_EQ(titles, QStringList({"&Menu", "&Setup", "&View", "&Process", "&Index", "&Activate", "Sav&e", "P&rint",
                                   "E&xit", "&Help"}));
    QAction* reference = ActionIn(bar, "GetData", "ReferenceScanMenu");
    ASSERT_NE(reference, nullptr);
    EXPECT_FALSE(reference->isEnabled());
    EXPECT_TRUE(reference->isVisible());
    QAction* saveDiagnostics = ActionIn(bar, "save", "SaveDiagnostics");
    ASSERT_NE(saveDiagnostics, nullptr);
    EXPECT_EQ(saveDiagnostics->text(), "Dia&gnostics\tCtrl+Shift+F9");
    ASSERT_NE(ActionIn(bar, "GetData", "cartmenu"), nullptr);
    EXPECT_EQ(ActionIn(bar, "GetData", "cartmenu")->text(), "Cart %Go/Stop");

    // The strip: buttons above the child windows; Mode shows its new mode in the box.
    auto* area = window->findChild<QMdiArea*>();
    ASSERT_NE(area, nullptr);
    auto* mode = window->findChild<QPushButton*>("Shutter");
    ASSERT_NE(mode, nullptr);
    EXPECT_EQ(mode->text(), "Mode");
    EXPECT_LT(mode->mapTo(window, QPoint(0, 0)).y(), area->mapTo(window, QPoint(0, 0)).y());
    auto* start = window->findChild<QPushButton*>("Command1");
    ASSERT_NE(start, nullptr);
    EXPECT_EQ(start->text(), "START");
    auto* modeBox = window->findChild<QLineEdit*>("Text2");
    ASSERT_NE(modeBox, nullptr);
    EXPECT_EQ(modeBox->text(), " Normal");
    mode->click();
    test::ProcessEvents();
    EXPECT_EQ(modeBox->text(), "  Read");

    // About, then the erase confirmation, each a window of its own.
    ActionIn(bar, "help1", "about")->trigger();
    test::ProcessEvents();
    QWidget* about = test::TopLevel("Aboutform");
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->windowTitle(), "About Tavolin");
    auto* title = about->findChild<QLabel*>("Title");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->text(), "Tavolin");
    auto* ok = about->findChild<QPushButton*>("Command1");
    ASSERT_NE(ok, nullptr);
    ok->click();
    test::ProcessEvents();
    EXPECT_EQ(test::TopLevel("Aboutform"), nullptr);

    ActionIn(bar, "GetData", "ClearMenu")->trigger();
    test::ProcessEvents();
    QWidget* erase = test::TopLevel("ERASEFORM");
    ASSERT_NE(erase, nullptr);
    EXPECT_EQ(erase->windowTitle(), "Erase");
    ASSERT_NE(erase->findChild<QPushButton*>("Command2"), nullptr);
    erase->findChild<QPushButton*>("Command2")->click();
    test::ProcessEvents();
    EXPECT_EQ(test::TopLevel("ERASEFORM"), nullptr);

    window->close();
    EXPECT_TRUE(t.app->forms.Loaded().empty());
}

}  // namespace
}  // namespace tav
