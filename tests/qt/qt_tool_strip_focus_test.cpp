// The tool strip's buttons work as a tool bar's do: a click on any of them leaves the keyboard
// focus in the active chart window (or brings it back there from a parameter box), so that a
// letter typed next reaches the command dispatcher (N: the next scan) and Escape stops timed acquisition.

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>

#include <string>
#include <vector>

#include "qt_main_window_app.h"
#include "windows/KineticForms.h"

namespace tav {
namespace {

enum class FocusBefore { SpectrumWindow, RatioWindow, IntegrationBox };

const char* Named(FocusBefore focus) {
    switch (focus) {
        case FocusBefore::SpectrumWindow: return "spectrum window";
        case FocusBefore::RatioWindow: return "ratio window";
        case FocusBefore::IntegrationBox: return "integration box";
    }
    return "";
}

class QtToolStripFocus : public ::testing::Test {
protected:
    void SetUp() override {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (top->objectName() == "MDIForm1") window = qobject_cast<QMainWindow*>(top);
        }
        ASSERT_NE(window, nullptr);
        window->activateWindow();
        test::ProcessEvents();
    }

    void FocusOn(FocusBefore focus) {
        switch (focus) {
            case FocusBefore::SpectrumWindow:
                t.app->forms.Get<MainForm>().Show();
                t.app->forms.Get<MainForm>().SetFocus();
                break;
            case FocusBefore::RatioWindow: {
                KineticForm& ratio = *KineticWindowForm(*t.app, slot::Ratio);
                ratio.Show();
                ratio.SetFocus();
                break;
            }
            case FocusBefore::IntegrationBox:
                t.app->forms.Get<MainForm>().Show();
                test::ClickThroughWindow(window->findChild<QLineEdit*>("Text3"));
                break;
        }
        test::ProcessEvents();
    }

    void ClickButton(const char* name) {
        auto* button = window->findChild<QPushButton*>(name);
        ASSERT_NE(button, nullptr) << name;
        test::ClickThroughWindow(button);
        test::ProcessEvents();
    }

    test::QtMainWindowApp program;
    test::QtTestApp& t = program.t;
    test::FlowRecord& record = program.record;
    MDIForm1* main = program.main;
    QMainWindow* window = nullptr;
};

TEST_F(QtToolStripFocus, AfterAClickOnAnyButtonTheLettersAndEscapeReachTheChartWindow) {
    const char* const buttons[] = {"Command1", "Command7", "Command9", "Command11", "Command5", "Command2", "Command3",
                                   "Command4", "Command6", "Command8", "Shutter",  "Command10", "Command12"};
    for (FocusBefore before : {FocusBefore::SpectrumWindow, FocusBefore::RatioWindow, FocusBefore::IntegrationBox}) {
        for (const char* button : buttons) {
            SCOPED_TRACE(std::string(button) + " with the focus in the " + Named(before));
            FocusOn(before);
            ClickButton(button);
            ASSERT_NE(QApplication::focusWidget(), nullptr);
            EXPECT_FALSE(qobject_cast<QPushButton*>(QApplication::focusWidget())) << "a button holds the focus";
            record.calls.clear();
            test::Type(QApplication::focusWidget(), "n");
            EXPECT_EQ(record.calls, std::vector<std::string>{"NextScan"}) << "N is the next scan";

            FocusOn(before);
            main->Timer1.SetInterval(60000);
            main->Timer1.SetEnabled(true);
            ClickButton(button);
            main->Timer1.SetEnabled(true);  // START, Darkscan and Overlay stop it themselves
            test::SendKey(QApplication::focusWidget(), Qt::Key_Escape, QString(QChar(27)));
            test::ProcessEvents();
            EXPECT_FALSE(main->Timer1.Enabled()) << "Escape stops timed acquisition";
        }
    }
}

TEST_F(QtToolStripFocus, TheParameterBoxesStillTakeTheirTypingAndEnter) {
    FocusOn(FocusBefore::IntegrationBox);
    auto* box = window->findChild<QLineEdit*>("Text3");
    box->selectAll();
    test::Type(box, "12");
    EXPECT_EQ(main->Text3.Text(), "12");
    EXPECT_TRUE(record.calls.empty());
    test::SendKey(box, Qt::Key_Return, "\r");
    test::ProcessEvents();
    EXPECT_EQ(t.state->IntegrationTime, 120);
    EXPECT_EQ(main->Text3.Text(), "12.0");
}

}  // namespace
}  // namespace tav
