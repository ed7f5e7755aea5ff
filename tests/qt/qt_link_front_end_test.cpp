// The instrument link through the whole program on the Qt front end, against the simulator on a
// pseudo-terminal: a short block is no data and no file, a missing device names itself, and a
// long wait keeps the windows painting and ends on Escape.

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTimer>

#include <cstdlib>

#include "mainwindow/MDIForm1.h"
#include "mainwindow/MainForm.h"
#include "qt/TavolinProgram.h"
#include "qt/QtWaitPump.h"
#include "qt_modal_watch.h"
#include "qt_simulator_process.h"
#include "qt_test_app.h"
#include "support/TempDir.h"

namespace tav {
namespace {

constexpr const char* NoData = "Warning:\nNO DATA TRANSMITTED\nRefer to 'Trouble Shooting'";

using test::ModalWatch;

QWidget* Widget(const char* name) { return test::VisibleWidget(name); }

// The program in a folder of its own, past its welcome window, COM1 on `device`.
class LinkProgram {
public:
    LinkProgram(const std::string& device, const std::string& settings) {
        setenv("TAVOLIN_COM1", device.c_str(), 1);
        dir.Write("Prismel.INI", "[Acquisition]\r\nIntegration Time=100\r\nNumber to Average=1\r\n" + settings);
        program = std::make_unique<TavolinProgram>(dir.Path());
        program->app().state.WelcomeShown = true;
        program->Start();
        program->app().forms.Get<MainForm>().Show();
        test::ProcessEvents();
    }
    ~LinkProgram() {
        program->RequestClose();
        program.reset();
        unsetenv("TAVOLIN_COM1");
    }
    ProgramState& State() { return program->app().state; }
    // Types a key into the spectrum window; the command runs to its end.
    void Key(const char* keys) {
        QWidget* spectrum = Widget("MainForm");
        ASSERT_NE(spectrum, nullptr);
        test::Type(spectrum, keys);
        test::ProcessEvents();
    }

    test::TempDir dir;
    std::unique_ptr<TavolinProgram> program;
};

// A block with too few or too many characters saves no file and shows the no-data box with the
// reason on a line of its own.
TEST(QtLinkFrontEnd, AShortOrLongBlockSavesNoFileAndShowsTheNoDataBoxWithTheReason) {
    struct Case {
        QStringList args;
        bool whole;
        const char* reason = "";
    };
    const char* fewer = "A block from the instrument had fewer characters than a block holds.";
    const char* more = "A block from the instrument had more characters than a block holds.";
    const Case cases[] = {{{}, true},
                          {{"--short-block=5"}, false, fewer},
                          {{"--short-block=12"}, false, fewer},
                          {{"--long-block=3"}, false, more},
                          {{"--long-block=16"}, false, more}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.join(" ").toStdString());
        test::QtApplicationScope qt;
        test::SimulatorProcess sim(c.args);
        ASSERT_FALSE(sim.Path().empty());
        ModalWatch modals;
        LinkProgram p(sim.Path(), "Auto Save On=-1\r\nAuto Save Name=BRK\r\n");
        p.State().DefaultPath = p.dir.Path();
        p.Key("n");
        const bool saved = p.dir.Exists("BRK00001.rdg");
        if (c.whole) {
            EXPECT_TRUE(modals.texts.empty());
            EXPECT_TRUE(saved);
            EXPECT_EQ(p.State().SlotInfo[0].NumPoints, 256);
            continue;
        }
        EXPECT_EQ(modals.texts, std::vector<std::string>{std::string(NoData) + "\n" + c.reason});
        EXPECT_TRUE(p.State().NoInstrumentResponse);
        EXPECT_EQ(p.State().SlotInfo[0].NumPoints, 0) << "no slot changed";
        EXPECT_FALSE(saved);
    }
}

TEST(QtLinkFrontEnd, AMissingDeviceIsNamedInTheMessage) {
    test::QtApplicationScope qt;
    ModalWatch modals;
    LinkProgram p("/nonexistent/ttyTAV", "");
    p.Key("n");
    ASSERT_EQ(modals.texts.size(), 2u);
    EXPECT_EQ(modals.texts[0],
              "The serial port COM1 could not be opened:\nCOM1 is /nonexistent/ttyTAV (from TAVOLIN_COM1):\n"
              "no such device.");
    EXPECT_EQ(modals.texts[1], NoData);
}

// A write series of ten scans 10 s apart against a silent instrument: the reply wait would last
// the whole series, twice. The windows keep painting meanwhile, and Escape ends it as no data.
TEST(QtLinkFrontEnd, ALongWaitKeepsPaintingAndEndsOnEscape) {
    test::QtApplicationScope qt;
    test::SimulatorProcess sim({"--silent"});
    ASSERT_FALSE(sim.Path().empty());
    ModalWatch modals;
    LinkProgram p(sim.Path(), "");
    p.State().ScanNumber = 10;
    p.State().IntervalTenths = 100;
    QWidget* spectrum = Widget("MainForm");
    ASSERT_NE(spectrum, nullptr);

    struct PaintCount : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* e) override {
            paints += e->type() == QEvent::Paint;
            return false;
        }
    } counter;
    spectrum->installEventFilter(&counter);
    QTimer repaint;  // something to paint while the flow waits
    QObject::connect(&repaint, &QTimer::timeout, spectrum, [spectrum] { spectrum->update(); });
    repaint.start(100);
    // A key that is no command, and then Escape, typed while the scan waits.
    QTimer::singleShot(800, [spectrum] {
        QCoreApplication::postEvent(spectrum, new QKeyEvent(QEvent::KeyPress, Qt::Key_N, Qt::NoModifier, "n"));
    });
    QTimer::singleShot(1500, [spectrum] {
        QCoreApplication::postEvent(spectrum, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier,
                                                            QString(QChar(27))));
    });
    QElapsedTimer took;
    took.start();
    test::Type(spectrum, "n");
    const qint64 ms = took.elapsed();
    spectrum->removeEventFilter(&counter);

    EXPECT_GE(ms, 1400);
    EXPECT_LT(ms, 6000) << "ended by Escape, not by the series";
    EXPECT_GE(counter.paints, 5) << "the window kept painting";
    test::ProcessEvents();
    EXPECT_EQ(modals.texts, std::vector<std::string>{NoData});
    EXPECT_TRUE(p.State().NoInstrumentResponse);
    EXPECT_EQ(p.State().SlotInfo[0].NumPoints, 0);
}

// The pump on its own: input posted meanwhile is swallowed, Escape among it reported, other
// events (a timer here) go on.
TEST(QtWaitPump, SwallowsInputAndReportsEscape) {
    test::QtApplicationScope qt;
    QWidget window;
    window.show();
    struct KeyCount : QObject {
        int keys = 0;
        bool eventFilter(QObject*, QEvent* e) override {
            keys += e->type() == QEvent::KeyPress;
            return false;
        }
    } counter;
    window.installEventFilter(&counter);
    QtWaitPump pump;
    bool ticked = false;
    QTimer::singleShot(0, [&] { ticked = true; });
    QCoreApplication::postEvent(&window, new QKeyEvent(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a"));
    EXPECT_FALSE(pump.KeepAlive());
    EXPECT_TRUE(ticked);
    QCoreApplication::postEvent(&window, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
    EXPECT_TRUE(pump.KeepAlive());
    EXPECT_FALSE(pump.KeepAlive()) << "each call reports its own";
    EXPECT_EQ(counter.keys, 0);
    // Outside the pump the keys reach the window again.
    QCoreApplication::postEvent(&window, new QKeyEvent(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a"));
    QCoreApplication::processEvents();
    EXPECT_EQ(counter.keys, 1);
}

// What a window drew in the middle of a flow is painted when the next wait begins, without the
// event loop and so without any input.
TEST(QtWaitPump, ShowDrawingPaintsWhatIsPending) {
    test::QtApplicationScope qt;
    struct Painted : QWidget {
        int paints = 0;
        void paintEvent(QPaintEvent*) override { ++paints; }
    } window;
    window.resize(200, 100);
    window.show();
    test::ProcessEvents();
    const int before = window.paints;
    bool typed = false;
    struct Keys : QObject {
        bool& typed;
        explicit Keys(bool& t) : typed(t) {}
        bool eventFilter(QObject*, QEvent* e) override {
            typed = typed || e->type() == QEvent::KeyPress;
            return false;
        }
    } keys(typed);
    window.installEventFilter(&keys);
    window.update();
    QCoreApplication::postEvent(&window, new QKeyEvent(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a"));
    QtWaitPump().ShowDrawing();
    EXPECT_EQ(window.paints, before + 1);
    EXPECT_FALSE(typed) << "the key waits for the event loop";
    QCoreApplication::processEvents();
    EXPECT_TRUE(typed);
}

}  // namespace
}  // namespace tav
