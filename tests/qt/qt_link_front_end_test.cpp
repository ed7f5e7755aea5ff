// The instrument link through the whole program on the Qt front end, against the simulator on a
// pseudo-terminal: a short block is no data and no file, a missing device names itself in one
// box, and a long wait keeps the windows painting, ends on Escape, and hands the keys typed
// meanwhile to the windows after it.

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTimer>

#include <cstdlib>

#include "qt/QtWaitPump.h"
#include "qt/TavolinProgram.h"
#include "qt_modal_watch.h"
#include "qt_simulator_process.h"
#include "qt_test_app.h"
#include "support/TempDir.h"
#include "windows/MDIForm1.h"
#include "windows/MainForm.h"

namespace tav {
namespace {

constexpr const char* NoData = "Warning:\nNO DATA TRANSMITTED\nRefer to 'Trouble Shooting'";

using test::ModalWatch;

QWidget* Widget(const char* name) { return test::VisibleWidget(name); }

// A key typed into the window `ms` from now, while a flow may be waiting.
void TypeLater(QWidget* window, int ms, Qt::Key key, const QString& text) {
    QTimer::singleShot(ms, [window, key, text] {
        QCoreApplication::postEvent(window, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier, text));
    });
}

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

// The program against the simulator started with `args`, its message boxes noted, and a write
// series of `scans` scans `intervalTenths` apart on screen.
struct WriteSeriesOnSimulator {
    WriteSeriesOnSimulator(const QStringList& args, int16_t scans, int16_t intervalTenths) : sim(args) {
        p.State().ScanNumber = scans;
        p.State().IntervalTenths = intervalTenths;
    }
    test::QtApplicationScope qt;
    test::SimulatorProcess sim;
    ModalWatch modals;
    LinkProgram p{sim.Path(), ""};
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
            EXPECT_TRUE(modals.texts.empty()) << modals.texts.front();
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
    // The first scan of a run sends the parameters first; without them no scan command goes out.
    p.Key("n");
    EXPECT_EQ(modals.texts, std::vector<std::string>{
                                "The serial port COM1 could not be opened:\nCOM1 is /nonexistent/ttyTAV (from "
                                "TAVOLIN_COM1):\nno such device.\nThe parameters have not been sent to the instrument."})
        << "one box, no no-data box after it";
}

// A write series of ten scans 10 s apart against a slow instrument: the reply wait would last
// the whole series, twice. The windows keep painting meanwhile, and Escape ends it as no data.
TEST(QtLinkFrontEnd, ALongWaitKeepsPaintingAndEndsOnEscape) {
    WriteSeriesOnSimulator run({"--slow=600000"}, 10, 100);  // takes the parameters, then measures for minutes
    ASSERT_FALSE(run.sim.Path().empty());
    LinkProgram& p = run.p;
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
    int requests = 0;  // the timer fires as often as the event loop runs, which load makes rarer
    QObject::connect(&repaint, &QTimer::timeout, spectrum, [spectrum, &requests] {
        ++requests;
        spectrum->update();
    });
    repaint.start(100);
    // A key, and then Escape, typed while the scan waits: the key goes with the scan given up.
    TypeLater(spectrum, 800, Qt::Key_N, "n");
    TypeLater(spectrum, 1500, Qt::Key_Escape, QString(QChar(27)));
    QElapsedTimer took;
    took.start();
    test::Type(spectrum, "n");
    const qint64 ms = took.elapsed();
    spectrum->removeEventFilter(&counter);

    EXPECT_GE(ms, 1400);
    EXPECT_LT(ms, 6000) << "ended by Escape, not by the series";
    // Every repaint asked for during the wait was painted during it (but for one that may come
    // just as the wait ends), instead of once after it.
    EXPECT_GE(requests, 2);
    EXPECT_GE(counter.paints, requests - 1) << "the window kept painting";
    test::ProcessEvents();
    EXPECT_EQ(run.modals.texts, std::vector<std::string>{NoData});
    EXPECT_TRUE(p.State().NoInstrumentResponse);
    EXPECT_EQ(p.State().SlotInfo[0].NumPoints, 0);
}

// A key typed while a scan waits for a slow reply is kept and handled once the scan is done, as if
// the program had been busy; one typed before an Escape that gives the wait up goes with it.
TEST(QtLinkFrontEnd, AKeyTypedDuringALongWaitIsHandledAfterItUnlessEscapeFollows) {
    struct Case {
        const char* name;
        const char* sim;
        bool escape;
    };
    for (const Case& c : {Case{"a slow reply", "--slow=1500", false}, Case{"Escape after the key", "--slow=4000", true}}) {
        SCOPED_TRACE(c.name);
        test::QtApplicationScope qt;
        test::SimulatorProcess sim({c.sim});
        ASSERT_FALSE(sim.Path().empty());
        ModalWatch modals;
        LinkProgram p(sim.Path(), "");
        QWidget* spectrum = Widget("MainForm");
        ASSERT_NE(spectrum, nullptr);
        ASSERT_FALSE(p.State().CursorOn);
        TypeLater(spectrum, 700, Qt::Key_M, "m");  // the cursor command
        if (c.escape) TypeLater(spectrum, 1100, Qt::Key_Escape, QString(QChar(27)));
        p.Key("n");
        test::ProcessEvents();
        if (c.escape) {
            EXPECT_EQ(modals.texts, std::vector<std::string>{NoData});
            EXPECT_FALSE(p.State().CursorOn) << "the key went with the scan given up";
        } else {
            EXPECT_TRUE(modals.texts.empty()) << modals.texts.front();
            EXPECT_EQ(p.State().SlotInfo[0].NumPoints, 256);
            EXPECT_TRUE(p.State().CursorOn) << "the key is handled after the scan";
        }
    }
}

// A write series of two scans 2 s apart, given up with Escape half a second in: the instrument
// measures on and answers after some 2 s, when the port is closed again (the operator waits) or
// open for the next N (the operator goes on at once). Either way the next N takes that pair in
// step first, and is whole.
TEST(QtLinkFrontEnd, AScanGivenUpWithEscapeLeavesTheInstrumentInStepForTheNextScan) {
    for (int waitMs : {3000, 0}) {
        SCOPED_TRACE(waitMs);
        WriteSeriesOnSimulator run({"--no-noise"}, 2, 20);
        ASSERT_FALSE(run.sim.Path().empty());
        LinkProgram& p = run.p;
        p.State().InstrumentParametersUnknown = true;  // so that the instrument takes them first
        TypeLater(Widget("MainForm"), 500, Qt::Key_Escape, QString(QChar(27)));
        p.Key("n");
        ASSERT_EQ(run.modals.texts, std::vector<std::string>{NoData});
        ASSERT_TRUE(p.State().NoInstrumentResponse);
        test::WaitFor([] { return false; }, waitMs);

        p.Key("n");
        EXPECT_EQ(run.modals.texts, std::vector<std::string>{NoData}) << "no box";
        EXPECT_FALSE(p.State().NoInstrumentResponse);
        EXPECT_EQ(p.State().SlotInfo[0].NumPoints, 256);
    }
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

// The keys that the pump swallows reach their windows afterwards, in order, when the flow is
// done; an Escape drops the ones before it, and is counted. Keys still queued before a box comes
// up are taken the same way.
TEST(QtWaitPump, KeepsTheKeysForAfterTheFlowAndEscapeDropsThoseBeforeIt) {
    test::QtApplicationScope qt;
    QWidget window;
    window.show();
    struct Keys : QObject {
        QString typed;
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::KeyPress) typed += static_cast<QKeyEvent*>(e)->text();
            return false;
        }
    } keys;
    window.installEventFilter(&keys);
    auto type = [&](Qt::Key key, const QString& text) {
        QCoreApplication::postEvent(&window, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier, text));
    };
    QtWaitPump pump;
    type(Qt::Key_A, "a");
    EXPECT_FALSE(pump.KeepAlive());
    type(Qt::Key_Escape, QString(QChar(27)));
    type(Qt::Key_B, "b");
    EXPECT_TRUE(pump.KeepAlive());
    type(Qt::Key_C, "c");
    pump.TakePendingInput();
    EXPECT_EQ(pump.Escapes(), 1);
    QCoreApplication::processEvents();
    EXPECT_EQ(keys.typed, "") << "nothing reaches the window during the flow";
    pump.ReplayKeys();
    QCoreApplication::processEvents();
    EXPECT_EQ(keys.typed, "bc");
    pump.ReplayKeys();
    QCoreApplication::processEvents();
    EXPECT_EQ(keys.typed, "bc") << "each key once";
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
