// A timed series meeting faults, through the whole program on the Qt front end, its real message
// boxes and the real serial control against the simulator: the instrument unplugged in the middle
// of the series and plugged back on the same device path (the series ends with one box, Escape
// closes it, and the next N takes a whole scan on the new device), and Escape on the
// "NO DATA TRANSMITTED" of a tick, which stops the series.

#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QMessageBox>
#include <QTimer>

#include <csignal>
#include <cstdlib>
#include <memory>
#include <thread>
#include <unistd.h>

#include "qt/TavolinProgram.h"
#include "qt_modal_watch.h"
#include "qt_simulator_process.h"
#include "qt_test_app.h"
#include "support/TempDir.h"
#include "windows/MDIForm1.h"
#include "windows/MainForm.h"

namespace tav {
namespace {

// Notes each message box and closes it with the Escape key.
class EscapeWatch {
public:
    EscapeWatch() {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible()) return;
            texts.push_back(box->text().toStdString());
            QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QCoreApplication::sendEvent(box, &escape);
        });
        timer_.start(50);
    }
    std::vector<std::string> texts;

private:
    QTimer timer_;
};

// The device path that the program knows as COM1: a link to the simulator's terminal, so that
// unplugging and plugging in keeps the path, as a device's name does.
class PluggedPath {
public:
    PluggedPath() : path_(dir_.Path() + "/ttyTAV" + std::to_string(getpid())) {}
    ~PluggedPath() { Unplug(); }
    const std::string& Path() const { return path_; }
    bool Plug(const test::SimulatorProcess& sim) {
        Unplug();
        return !sim.Path().empty() && symlink(sim.Path().c_str(), path_.c_str()) == 0;
    }
    void Unplug() { unlink(path_.c_str()); }

private:
    test::TempDir dir_;
    std::string path_;
};

// The program in a folder of its own, past its welcome window, COM1 on `device`, a timed series
// of no delay (a scan on every tick) started with A.
class SeriesProgram {
public:
    explicit SeriesProgram(const std::string& device) {
        setenv("TAVOLIN_COM1", device.c_str(), 1);
        dir_.Write("Prismel.INI", "[Acquisition]\r\nIntegration Time=100\r\nNumber to Average=1\r\nAuto Scan Delay=0\r\n");
        program_ = std::make_unique<TavolinProgram>(dir_.Path());
        S().WelcomeShown = true;
        program_->Start();
        app().forms.Get<MainForm>().Show();
        test::ProcessEvents();
    }
    ~SeriesProgram() {
        program_->RequestClose();
        program_.reset();
        unsetenv("TAVOLIN_COM1");
    }
    App& app() { return program_->app(); }
    ProgramState& S() { return app().state; }
    Timer& Timer1() { return app().forms.Get<MDIForm1>().Timer1; }
    // Types into the spectrum window.
    void Type(const char* keys) {
        if (QWidget* spectrum = test::VisibleWidget("MainForm")) test::Type(spectrum, keys);
    }

private:
    test::TempDir dir_;
    std::unique_ptr<TavolinProgram> program_;
};

// Unplugged between two scans of the series, or at any moment, in the middle of a pair most
// likely (from another thread, as the operator's hand is).
TEST(QtTimedSeriesFaults, AnInstrumentPluggedBackOnTheSamePathWorksWithTheNextScan) {
    for (bool anyMoment : {false, true}) {
        SCOPED_TRACE(anyMoment ? "at any moment" : "between scans");
        test::QtApplicationScope qt;
        PluggedPath device;
        auto sim = std::make_unique<test::SimulatorProcess>();
        ASSERT_TRUE(device.Plug(*sim));
        EscapeWatch boxes;
        SeriesProgram p(device.Path());
        ProgramState& s = p.S();

        p.Type("a");
        ASSERT_TRUE(p.Timer1().Enabled());
        ASSERT_TRUE(s.PortHeldOpen);
        ASSERT_TRUE(test::WaitFor([&] { return s.SlotInfo[0].NumPoints == 256 && s.ElapsedTime > 0.5f; }, 8000))
            << "scans follow each other";
        ASSERT_TRUE(boxes.texts.empty()) << boxes.texts.front();

        // Unplugged: the simulator ends and its terminal goes.
        std::thread hand;
        if (anyMoment) {
            const pid_t pid = static_cast<pid_t>(sim->Pid());
            hand = std::thread([pid] {
                usleep(170000);
                kill(pid, SIGTERM);
            });
        } else {
            sim.reset();
            device.Unplug();
        }
        EXPECT_TRUE(test::WaitFor([&] { return !p.Timer1().Enabled() && !boxes.texts.empty(); }, 8000));
        if (hand.joinable()) hand.join();
        test::WaitFor([] { return false; }, 500);  // no box comes back
        ASSERT_EQ(boxes.texts.size(), 1u) << boxes.texts.back();
        // The held port was open: it failed, it did not fail to open.
        if (anyMoment)
            EXPECT_EQ(boxes.texts[0].rfind("The serial port COM1 failed:\n", 0), 0u) << boxes.texts[0];
        else
            EXPECT_EQ(boxes.texts[0],
                      "The serial port COM1 failed:\nCOM1: the device stopped working (Input/output error).");
        EXPECT_FALSE(s.PortHeldOpen);
        EXPECT_FALSE(p.app().comm.PortOpen()) << "the dead port is let go at once";

        // Another instrument on the same path: N takes a whole scan.
        sim = std::make_unique<test::SimulatorProcess>();
        ASSERT_TRUE(device.Plug(*sim));
        s.SlotInfo[0].NumPoints = 0;
        p.Type("n");
        test::ProcessEvents();
        EXPECT_EQ(boxes.texts.size(), 1u) << boxes.texts.back();
        EXPECT_FALSE(s.NoInstrumentResponse);
        EXPECT_EQ(s.SlotInfo[0].NumPoints, 256);
        EXPECT_NEAR(s.Temperature, 25.0f, 0.5f);
    }
}

TEST(QtTimedSeriesFaults, EscapeOnTheNoDataBoxOfATickStopsTheSeries) {
    test::QtApplicationScope qt;
    test::SimulatorProcess sim({"--short-block=5"});
    ASSERT_FALSE(sim.Path().empty());
    EscapeWatch boxes;
    SeriesProgram p(sim.Path());
    p.Type("a");
    ASSERT_TRUE(p.Timer1().Enabled());
    EXPECT_TRUE(test::WaitFor([&] { return !p.Timer1().Enabled(); }, 8000));
    test::WaitFor([] { return false; }, 500);  // no box comes back
    EXPECT_EQ(boxes.texts, std::vector<std::string>{"Warning:\nNO DATA TRANSMITTED\nRefer to 'Trouble Shooting'\n"
                                                    "A block from the instrument had fewer characters than a block holds."});
    EXPECT_FALSE(p.S().PortHeldOpen);
    EXPECT_FALSE(p.app().comm.PortOpen());
}

// Escape pressed on the spectrum window while a failing tick's pair runs, when no event loop
// runs: the key waits in the queue until the tick's box comes up, which is answered with OK. The
// series stops after that tick.
TEST(QtTimedSeriesFaults, EscapeOnTheWindowDuringAFailingPairStopsTheSeries) {
    test::QtApplicationScope qt;
    test::SimulatorProcess sim({"--short-block=5", "--slow-blocks=40"});
    ASSERT_FALSE(sim.Path().empty());
    std::vector<std::string> texts;
    std::thread hand;
    QWidget* spectrum = nullptr;
    // Each box noted and answered with OK; after the first one, Escape on the spectrum window in
    // the middle of the next tick's pair (from another thread, as the operator's hand is).
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible() || !box->button(QMessageBox::Ok)) return;
        texts.push_back(box->text().toStdString());
        box->button(QMessageBox::Ok)->click();
        if (texts.size() == 1 && spectrum) {
            hand = std::thread([spectrum] {
                usleep(200000);
                QCoreApplication::postEvent(spectrum, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier,
                                                                    QString(QChar(27))));
            });
        }
    });
    watch.start(20);
    SeriesProgram p(sim.Path());
    spectrum = test::VisibleWidget("MainForm");
    ASSERT_NE(spectrum, nullptr);
    p.Type("a");
    ASSERT_TRUE(p.Timer1().Enabled());
    EXPECT_TRUE(test::WaitFor([&] { return !p.Timer1().Enabled(); }, 8000)) << texts.size() << " boxes";
    test::WaitFor([] { return false; }, 500);  // no box comes back
    if (hand.joinable()) hand.join();
    EXPECT_GE(texts.size(), 1u);
    EXPECT_LE(texts.size(), 2u) << "the box of the tick before the Escape, and of the tick it came in";
    EXPECT_FALSE(p.S().PortHeldOpen);
    EXPECT_FALSE(p.app().comm.PortOpen());
}

}  // namespace
}  // namespace tav
