// The erase confirmation on the Qt front end: N(o) has the first focus, so that Space and Enter
// never erase by accident; Y, y and a click on Y(es) erase.

#include <gtest/gtest.h>

#include <QPushButton>

#include "qt_test_app.h"
#include "windows/EraseForm.h"
#include "windows/MainWindowWorld.h"

namespace tav {
namespace {

class QtEraseForm : public ::testing::Test {
protected:
    void SetUp() override {
        t.state->WelcomeShown = true;
        MDIForm1& main = t.app->forms.Get<MDIForm1>();
        main.Contexts().SetFlows(std::make_unique<test::RecordingFlows>(record, t.clock));
        main.Show();
        test::ProcessEvents();
    }

    void HoldSpectra() {
        ProgramState& s = *t.state;
        s.DataAvailable = true;
        s.CurrentSlot = 3;
        s.SlotInfo[3].NumPoints = 10;
        s.Ch1Data[3][5] = 42;
    }
    bool Erased() const { return !t.state->DataAvailable && t.state->Ch1Data[3][5] == 0.0f; }

    // Shows the question and returns the widget that has the keyboard focus in it.
    QWidget* Ask() {
        ShowEraseForm(*t.app);
        test::ProcessEvents();
        QWidget* window = Window();
        if (!window) return nullptr;
        window->activateWindow();
        test::ProcessEvents();
        return QApplication::focusWidget();
    }
    QWidget* Window() const {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (top->objectName() == "ERASEFORM" && top->isVisible()) return top;
        }
        return nullptr;
    }

    test::QtTestApp t;
    test::FlowRecord record;
};

TEST_F(QtEraseForm, SpaceAndEnterOnTheFirstFocusNeverErase) {
    HoldSpectra();
    QWidget* focus = Ask();
    ASSERT_NE(focus, nullptr);
    EXPECT_EQ(focus->objectName().toStdString(), "Command2");
    EXPECT_EQ(static_cast<QPushButton*>(focus)->text().toStdString(), "N(o)");

    test::SendKey(focus, Qt::Key_Return, "\r");
    test::ProcessEvents();
    EXPECT_NE(Window(), nullptr) << "Enter leaves the question open";
    EXPECT_FALSE(Erased());

    test::SendKey(focus, Qt::Key_Space, " ");
    test::ProcessEvents();
    EXPECT_EQ(Window(), nullptr) << "Space answers No";
    EXPECT_FALSE(Erased());
}

TEST_F(QtEraseForm, YesByKeyOrByClickErases) {
    for (const char* answer : {"y", "Y", "click"}) {
        SCOPED_TRACE(answer);
        HoldSpectra();
        QWidget* focus = Ask();
        ASSERT_NE(focus, nullptr);
        if (std::string(answer) == "click") test::ClickThroughWindow(Window()->findChild<QPushButton*>("Command1"));
        else test::Type(focus, answer);
        test::ProcessEvents();
        EXPECT_EQ(Window(), nullptr);
        EXPECT_TRUE(Erased());
    }
}

}  // namespace
}  // namespace tav
