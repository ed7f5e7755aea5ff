// What the operator and the system can do to the program in the middle of a long wait, through
// the whole program on the Qt front end against the simulator: the close box and the
// termination signals end the wait as Escape does and the program the normal way, with its
// settings written; a resize keeps the wait's progress text; and the welcome window is gone
// before the first scan that its closing starts.

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QImage>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTimer>

#include <csignal>
#include <cstdlib>
#include <functional>

#include "qt/QtWindowCanvas.h"
#include "qt/TavolinProgram.h"
#include "qt/TerminationSignals.h"
#include "qt_modal_watch.h"
#include "qt_simulator_process.h"
#include "qt_test_app.h"
#include "support/TempDir.h"
#include "windows/MDIForm1.h"
#include "windows/MainForm.h"
#include "windows/WelcomeForm.h"

namespace tav {
namespace {

constexpr const char* Settings = "[Acquisition]\r\nIntegration Time=100\r\nNumber to Average=1\r\n";

// The program in a folder of its own, COM1 on the simulator.
struct Program {
    explicit Program(const test::SimulatorProcess& sim, bool welcome = false) {
        setenv("TAVOLIN_COM1", sim.Path().c_str(), 1);
        dir.Write("Prismel.INI", Settings);
        program = std::make_unique<TavolinProgram>(dir.Path());
        program->app().state.WelcomeShown = !welcome;
        program->Start();
        if (!welcome) program->app().forms.Get<MainForm>().Show();
        test::ProcessEvents();
    }
    ~Program() {
        program->RequestClose();
        program.reset();
        unsetenv("TAVOLIN_COM1");
    }
    App& app() { return program->app(); }
    ProgramState& S() { return program->app().state; }
    // A write series of ten scans 10 s apart: against a silent instrument its reply wait would
    // last the whole series, twice.
    void LongWrite() {
        S().ScanNumber = 10;
        S().IntervalTenths = 100;
    }

    test::TempDir dir;
    std::unique_ptr<TavolinProgram> program;
};

QWidget* Widget(const char* name) { return test::VisibleWidget(name); }

TEST(QtLongWaitEnding, TheCloseBoxAndTheSignalsEndTheWaitAndThenTheProgramWithItsSettings) {
    struct Case {
        const char* name;
        std::function<void(Program&)> end;
    };
    const Case cases[] = {
        {"the close box",
         [](Program&) {
             if (QWidget* main = test::TopLevel("MDIForm1")) main->close();
         }},
        {"SIGTERM", [](Program&) { raise(SIGTERM); }},
        {"SIGINT", [](Program&) { raise(SIGINT); }},
        {"SIGHUP", [](Program&) { raise(SIGHUP); }},
    };
    ASSERT_TRUE(BlockTerminationSignals());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::QtApplicationScope qt;
        test::SimulatorProcess sim({"--slow=600000"});  // takes the parameters, then measures for minutes
        ASSERT_FALSE(sim.Path().empty());
        test::ModalWatch modals;
        Program p(sim);
        TerminationSignals termination([&p] { p.program->RequestClose(); });
        ASSERT_TRUE(termination.Watching());
        p.LongWrite();
        p.S().AutoScanDelay = 7;  // to be found in the settings file written at the end
        QWidget* spectrum = Widget("MainForm");
        ASSERT_NE(spectrum, nullptr);

        QElapsedTimer sinceEnd;
        QTimer::singleShot(800, [&] {
            sinceEnd.start();
            c.end(p);
        });
        test::Type(spectrum, "n");
        const qint64 waitEnded = sinceEnd.isValid() ? sinceEnd.elapsed() : -1;
        EXPECT_TRUE(test::WaitFor([&] { return p.app().forms.Loaded().empty(); }, 5000));
        const qint64 programEnded = sinceEnd.isValid() ? sinceEnd.elapsed() : -1;

        EXPECT_GE(waitEnded, 0) << "the wait was under way";
        EXPECT_LT(programEnded, 5000) << "the wait itself would have lasted minutes";
        EXPECT_GE(p.program->host().Quits(), 1);
        EXPECT_TRUE(p.S().NoInstrumentResponse);
        EXPECT_TRUE(modals.texts.empty()) << "no box waits for an operator who has gone";
        EXPECT_NE(p.dir.Read("Prismel.INI").find("Auto Scan Delay=7"), std::string::npos)
            << "the settings are written";
    }
    sigset_t set;
    sigemptyset(&set);
    for (int s : {SIGTERM, SIGINT, SIGHUP}) sigaddset(&set, s);
    pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
}

// The pixels of the spectrum window's status line that are not its background.
int StatusPixels(Form& spectrum) {
    auto* canvas = dynamic_cast<QtWindowCanvas*>(&spectrum.Surface());
    if (!canvas) return -1;
    const QImage image = canvas->Image().copy();
    const QRgb background = image.pixel(image.width() - 1, image.height() - 1);
    int n = 0;
    for (int y = 0; y < std::min(image.height(), 30); ++y)
        for (int x = 300; x < std::min(image.width(), 600); ++x) n += image.pixel(x, y) != background;
    return n;
}

TEST(QtLongWaitEnding, AResizeDuringALongWaitKeepsItsProgressText) {
    test::QtApplicationScope qt;
    test::SimulatorProcess sim({"--slow=600000"});  // takes the parameters, then measures for minutes
    ASSERT_FALSE(sim.Path().empty());
    test::ModalWatch modals;
    Program p(sim);
    p.LongWrite();
    MainForm& spectrum = p.app().forms.Get<MainForm>();
    QWidget* view = Widget("MainForm");
    ASSERT_NE(view, nullptr);
    QMdiSubWindow* frame = nullptr;
    for (QWidget* w = view; w && !frame; w = w->parentWidget()) frame = qobject_cast<QMdiSubWindow*>(w);
    ASSERT_NE(frame, nullptr);
    auto* start = qobject_cast<QPushButton*>(test::TopLevel("MDIForm1")->findChild<QWidget*>("Command1"));
    ASSERT_NE(start, nullptr);

    int before = -1, after = -1;
    QSize grownTo;
    QTimer::singleShot(500, [&] { before = StatusPixels(spectrum); });
    QTimer::singleShot(700, [&] { frame->resize(frame->size() + QSize(120, 80)); });
    QTimer::singleShot(1200, [&] {
        after = StatusPixels(spectrum);
        grownTo = view->size();
    });
    QTimer::singleShot(1400, [view] {
        QCoreApplication::postEvent(view, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
    });
    const QSize size = view->size();
    test::Click(start);  // START in write mode: "Write in Progress", then the scan
    EXPECT_GT(before, 20) << "Write in Progress is up";
    EXPECT_EQ(after, before) << "the resize kept it";
    EXPECT_GT(grownTo.width(), size.width()) << "the window was resized during the wait";
    test::ProcessEvents();
    EXPECT_EQ(modals.texts, std::vector<std::string>{"Warning:\nNO DATA TRANSMITTED\nRefer to 'Trouble Shooting'"});
}

// The first scan of the run waits for a slow instrument; meanwhile the welcome window is no
// longer on the screen.
TEST(QtLongWaitEnding, TheWelcomeWindowIsGoneBeforeItsScan) {
    test::QtApplicationScope qt;
    test::SimulatorProcess sim({"--slow=1500"});
    ASSERT_FALSE(sim.Path().empty());
    test::ModalWatch modals;
    Program p(sim, true);
    ASSERT_NE(p.app().forms.Find<WelcomeForm>(), nullptr);
    auto* button = qobject_cast<QPushButton*>(test::TopLevel("WelcomeForm")->findChild<QWidget*>("Command1"));
    ASSERT_NE(button, nullptr);
    bool checked = false, welcomeShown = true;
    QTimer::singleShot(800, [&] {
        checked = p.app().flow.Running();
        welcomeShown = test::TopLevel("WelcomeForm") != nullptr;
    });
    test::Click(button);
    EXPECT_TRUE(checked) << "looked during the scan";
    EXPECT_FALSE(welcomeShown);
    EXPECT_EQ(p.S().SlotInfo[0].NumPoints, 256);
    EXPECT_TRUE(modals.texts.empty()) << modals.texts.front();
}

}  // namespace
}  // namespace tav
