// The questions whose Yes overwrites a file or sends a command to the instrument, on the real
// Qt message box: a stray Space or Enter, pressed where the box has put the focus, answers No,
// so the files and the instrument stay as they were. The program runs against the simulated
// instrument in-process; the keys go where the operator's keys go.

#include <gtest/gtest.h>

#include <QAction>
#include <QFileDialog>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "platform/forms/App.h"
#include "platform/forms_test_app.h"
#include "qt/QtHost.h"
#include "qt/QtOperator.h"
#include "qt_modal_watch.h"
#include "qt_test_app.h"
#include "windows/MDIForm1.h"
#include "windows/MainForm.h"

namespace tav {
namespace {

const char* OverwriteQuestion =
    "AutoSave is ON, and files\nwith the same series name exist.\nDo you want to overwrite?";

// Each message box that comes up gets the next key of the list, sent where the keyboard focus
// is, as the operator's key would be; the button that had the focus is noted.
class BoxKeys {
public:
    explicit BoxKeys(std::deque<int> keys) : keys_(std::move(keys)) {
        QObject::connect(&timer_, &QTimer::timeout, [this] { Answer(); });
        timer_.start(20);
    }
    std::vector<std::string> texts;
    std::vector<std::string> focused;

private:
    void Answer() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible() || box == answered_) return;  // a box answered once, closing
        // The key waits until the box has taken the focus, as it does when it comes up.
        QWidget* target = QApplication::focusWidget();
        if (!target || target->window() != box) {
            if (++unfocusedTicks_ < MaxUnfocusedTicks) return;
            target = box;
        }
        unfocusedTicks_ = 0;
        answered_ = box;
        texts.push_back(box->text().toStdString());
        auto* button = qobject_cast<QAbstractButton*>(target);
        focused.push_back(button ? button->text().remove('&').toStdString() : "");
        if (keys_.empty()) {
            box->close();
            return;
        }
        const int key = keys_.front();
        keys_.pop_front();
        test::SendKey(target, key, key == Qt::Key_Space ? " " : "\r");
    }

    static constexpr int MaxUnfocusedTicks = 100;
    std::deque<int> keys_;
    QPointer<QMessageBox> answered_;
    int unfocusedTicks_ = 0;
    QTimer timer_;
};

// The program on the Qt front end with the real message box, over the simulated instrument.
struct QtProgram : test::QtApplicationScope, test::TestServices {
    explicit QtProgram(const std::string& settings) {
        clock.Set(10, 0, 0);
        dir.MakeDir("DATA");
        dir.Write("Prismel.INI", settings);
    }
    ~QtProgram() {
        app.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    void Start() {
        app = std::make_unique<App>(*state, Services{clock, box, comm, board, fs, printer}, host);
        // As the program starts: the welcome window keeps the focus over the main window.
        MDIForm1& main = app->forms.Get<MDIForm1>();
        if (!main.Visible()) main.Show();
        test::ProcessEvents();
    }

    QtOperator box;
    QtHost host;
    std::unique_ptr<App> app;
};

TEST(QtSafeDefaults, SpaceOrEnterOnTheAutoSaveQuestionOverwritesNoFileOfTheSeries) {
    QtProgram p("[Acquisition]\r\nIntegration Time=100\r\nNumber to Average=1\r\n"
                "Auto Save On=-1\r\nUser Supplied Name=0\r\nAuto Save Name=TST\r\n");
    p.dir.Write("DATA/TST00001.rdg", "the morning's first file\r\n");
    p.dir.Write("DATA/TST00002.rdg", "the morning's second file\r\n");
    BoxKeys keys({Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter});
    p.Start();
    ProgramState& s = *p.state;
    s.DefaultPath = p.dir.File("DATA");

    // The key that closes the welcome window takes the first scan, whose save asks: the second
    // Space of a double press lands on the question.
    QWidget* welcome = test::VisibleWidget("WelcomeForm");
    ASSERT_NE(welcome, nullptr);
    welcome->activateWindow();
    test::ProcessEvents();
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    ASSERT_EQ(focus->window(), welcome);
    test::SendKey(focus, Qt::Key_Space, " ");
    ASSERT_TRUE(test::WaitFor([&] { return keys.texts.size() == 1 && !QApplication::activeModalWidget(); }));
    ASSERT_EQ(s.SlotInfo[0].NumPoints, 256) << "the scan was taken";

    // Each next scan asks again, since No started the series afresh; Enter answers No as well.
    for (size_t asked = 2; asked <= 3; ++asked) {
        QWidget* spectrum = test::VisibleWidget("MainForm");
        ASSERT_NE(spectrum, nullptr);
        test::Type(spectrum, "n");
        ASSERT_TRUE(test::WaitFor([&] { return keys.texts.size() == asked && !QApplication::activeModalWidget(); }));
    }
    EXPECT_EQ(keys.texts, std::vector<std::string>(3, OverwriteQuestion));
    EXPECT_EQ(keys.focused, std::vector<std::string>(3, "No"));
    EXPECT_EQ(p.dir.Read("DATA/TST00001.rdg"), "the morning's first file\r\n");
    EXPECT_EQ(p.dir.Read("DATA/TST00002.rdg"), "the morning's second file\r\n");
    EXPECT_EQ(p.dir.Names("DATA"), (std::vector<std::string>{"TST00001.rdg", "TST00002.rdg"}));
}

TEST(QtSafeDefaults, SpaceOrEnterOnTheWirelessQuestionSendsNothing) {
    QtProgram p("[Acquisition]\r\nIntegration Time=100\r\n");
    p.state->WelcomeShown = true;  // no first scan: the instrument hears only what the menu sends
    p.Start();
    auto* window = qobject_cast<QMainWindow*>(test::TopLevel("MDIForm1"));
    ASSERT_NE(window, nullptr);
    auto* menu = window->menuBar()->findChild<QMenu*>("GetData");
    ASSERT_NE(menu, nullptr);
    QAction* cart = menu->findChild<QAction*>("cartmenu");
    ASSERT_NE(cart, nullptr);

    struct Case {
        bool running;
        int key;
        const char* question;
    };
    for (const Case& c : {Case{false, Qt::Key_Space, "Are you sure you want to start Wireless DC?"},
                          Case{false, Qt::Key_Return, "Are you sure you want to start Wireless DC?"},
                          Case{true, Qt::Key_Space, "Are you sure you want to stop wireless DC?"},
                          Case{true, Qt::Key_Enter, "Are you sure you want to stop wireless DC?"}}) {
        SCOPED_TRACE(c.question);
        p.state->WirelessDCOn = c.running;
        p.instrument.ClearLogs();
        BoxKeys keys({c.key});
        QTimer::singleShot(0, cart, &QAction::trigger);
        ASSERT_TRUE(test::WaitFor([&] { return keys.texts.size() == 1 && !QApplication::activeModalWidget(); }));
        test::ProcessEvents();
        EXPECT_EQ(keys.texts, std::vector<std::string>{c.question});
        EXPECT_EQ(keys.focused, std::vector<std::string>{"No"});
        EXPECT_EQ(p.state->WirelessDCOn, c.running);
        EXPECT_EQ(p.instrument.Received(), "") << "nothing reached the instrument";
        EXPECT_FALSE(p.instrument.WirelessOn());
        EXPECT_FALSE(p.comm.PortOpen());
    }
}

// The save dialog asks before it replaces a file; Space or Enter there keeps the file, and the
// dialog, cancelled, saves nothing.
TEST(QtSafeDefaults, SpaceOrEnterOnTheSaveDialogsReplaceQuestionKeepsTheFile) {
    QtProgram p("[Acquisition]\r\nIntegration Time=100\r\n");
    p.state->WelcomeShown = true;
    p.dir.Write("DATA/kept.rdg", "a spectrum saved before\r\n");
    p.Start();
    ProgramState& s = *p.state;
    s.DefaultPath = p.dir.File("DATA");
    p.app->forms.Get<MainForm>().Show();
    test::ProcessEvents();
    QWidget* spectrum = test::VisibleWidget("MainForm");
    ASSERT_NE(spectrum, nullptr);
    test::Type(spectrum, "n");
    ASSERT_TRUE(test::WaitFor([&] { return s.SlotInfo[0].NumPoints == 256; }));

    for (const int key : {Qt::Key_Space, Qt::Key_Return}) {
        SCOPED_TRACE(key);
        // The operator names the existing file, meets the question with the key, then gives up.
        int step = 0;
        std::string question, focused;
        QTimer driver;
        QObject::connect(&driver, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal) return;
            QWidget* focus = QApplication::focusWidget();
            if (focus && focus->window() != modal) focus = nullptr;
            if (auto* dialog = qobject_cast<QFileDialog*>(modal); dialog && step != 1) {
                auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
                if (!name) return;
                if (step == 0 && focus) {
                    name->setText("kept.rdg");
                    step = 1;
                    // Posted: the question comes up inside the key's handling, where this
                    // timer could not look at it.
                    QTimer::singleShot(0, name, [name] { test::SendKey(name, Qt::Key_Return, "\r"); });
                } else if (step == 2) {
                    step = 3;
                    test::SendKey(focus ? focus : dialog, Qt::Key_Escape);
                }
            } else if (auto* box = qobject_cast<QMessageBox*>(modal); box && step == 1 && focus) {
                question = box->text().toStdString();
                auto* button = qobject_cast<QAbstractButton*>(focus);
                focused = button ? button->text().remove('&').toStdString() : "";
                step = 2;
                test::SendKey(focus, key, key == Qt::Key_Space ? " " : "\r");
            }
        });
        driver.start(20);
        test::Type(spectrum, "s");
        ASSERT_TRUE(test::WaitFor([&] { return step == 3 && !QApplication::activeModalWidget(); }));
        EXPECT_NE(question.find("already exists"), std::string::npos) << question;
        EXPECT_EQ(focused, "No");
        EXPECT_EQ(p.dir.Read("DATA/kept.rdg"), "a spectrum saved before\r\n");
    }
}

}  // namespace
}  // namespace tav
