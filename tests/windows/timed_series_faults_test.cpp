// A timed series against faults that would come back on every tick: the port it holds failing
// (its settings refused, the adapter pulled between ticks or in the middle of a pair), a series
// from the quick menu whose port fails in a pair, the port number changed under it, a simulation
// file that is missing, an instrument in its loader without the firmware images. Each ends the series with its one
// box, lets the port go and uses no file number; the instrument back on its port then works with
// the next N and A. A box that the series may bring up again (no data) lets the series go on
// after OK, and Escape on it, on any box of a tick's scan, or anywhere else during a tick, stops
// the series.

#include <gtest/gtest.h>

#include <functional>

#include "MainWindowWorld.h"
#include "windows/InstrumentForm.h"
#include "windows/MenuForm.h"

namespace tav {
namespace {

using test::MainWindowWorld;

constexpr const char* NoData = "Warning:\nNO DATA TRANSMITTED\nRefer to 'Trouble Shooting'";
constexpr const char* Removed = "The serial device has been removed.";
constexpr const char* Refused = "COM1: the device refused the settings (unsupported baud rate).";

InstrumentOptions Exact() {
    InstrumentOptions o;
    o.spectrum.noise = 0.0;
    return o;
}

// The whole program with its scan flows, past the welcome, AutoSave on in its own folder and a
// timed series of no delay about to start.
struct Series {
    MainWindowWorld w{false};
    SimulatedInstrument spare{Exact()};  // an instrument switched on afresh

    Series() {
        w.Start(true);
        w.PastWelcome();
        ProgramState& s = *w.state;
        s.AutoScanDelay = 0;
        s.AutoSaveOn = true;
        s.UserSuppliedName = false;
        s.AutoSaveName = "SER";
        s.DefaultPath = w.dir.Path();
        s.AutoSaveSeriesOpen = true;  // no series file exists: nothing to ask
    }
    ProgramState& S() { return *w.state; }
    Timer& Timer1() { return w.Mdi().Timer1; }
    size_t Boxes() const { return w.op.Messages().size(); }
    std::vector<std::string> BoxesSince(size_t first) const {
        std::vector<std::string> texts = w.op.MessageTexts();
        return {texts.begin() + static_cast<long>(std::min(first, texts.size())), texts.end()};
    }
    // The event loop: ticks one interval apart while the timer runs.
    void Tick(int ticks) {
        for (int i = 0; i < ticks && Timer1().Running(); ++i) {
            w.clock.Advance(Timer1().Interval());
            Timer1().UserTick();
        }
    }
    bool Saved(int number) {
        char name[16];
        std::snprintf(name, sizeof name, "SER%05d.rdg", number);
        return w.dir.Exists(name);
    }
    std::vector<std::string> Printed() { return w.MainCanvas().PrintedTexts(); }
    bool PrintedText(const std::string& text) {
        std::vector<std::string> printed = Printed();
        return std::find(printed.begin(), printed.end(), text) != printed.end();
    }
    void ChoosePort(bool comm2) {
        InstrumentForm& form = w.app.forms.Get<InstrumentForm>();
        form.Show();
        (comm2 ? form.Option2 : form.Option1).UserClick();
        form.Command1.UserClick();
    }
};

TEST(TimedSeriesFaults, AFaultThatWouldComeBackOnEveryTickEndsTheSeriesWithItsOneBox) {
    struct Case {
        const char* name;
        std::function<void(Series&)> fault;
        std::string box;
        std::function<void(Series&)> mend;
        bool fromMenu = false;  // started from the quick menu, which holds no port
    };
    const Case cases[] = {
        // The held port was open: it failed, it did not fail to open.
        {"the held port refuses its settings",
         [](Series& r) { r.w.comm.SetSettingsRefusal(1, Refused); },
         std::string("The serial port COM1 failed:\n") + Refused,
         [](Series& r) { r.w.comm.SetSettingsRefusal(1, ""); }},
        {"the adapter pulled between ticks",
         [](Series& r) { r.w.comm.SetPortPresent(1, false); },
         std::string("The serial port COM1 failed:\n") + Removed,
         [](Series& r) { r.w.comm.SetPortPresent(1, true); }},
        {"the adapter pulled between ticks while the parameters must go again",
         [](Series& r) {
             r.w.comm.SetPortPresent(1, false);
             r.S().InstrumentParametersUnknown = true;
         },
         std::string("The serial port COM1 failed:\n") + Removed + "\nThe parameters have not been sent to the instrument.",
         [](Series& r) { r.w.comm.SetPortPresent(1, true); }},
        // The instrument is left in the middle of its pair: the one plugged back is switched on
        // afresh.
        {"the adapter pulled in the middle of a pair",
         [](Series& r) { r.w.comm.PullPortAfterBytes(1, 6); },
         std::string("The serial port COM1 failed:\n") + Removed,
         [](Series& r) { r.w.comm.ConnectInstrument(r.spare); }},
        {"Comm2 chosen while the series holds COM1",
         [](Series& r) { r.ChoosePort(true); },
         "COM1 is held open by AutoScan.\nPress Escape to stop AutoScan before using COM2.",
         [](Series& r) { r.ChoosePort(false); }},
        {"no simulation file",
         [](Series& r) { r.S().SimulationMode = true; },
         "No Simulation File found.",
         [](Series& r) { r.S().SimulationMode = false; }},
        {"a simulation file that holds no spectrum",
         [](Series& r) {
             r.S().SimulationMode = true;
             ASSERT_TRUE(r.w.dir.Write("simulate.rdg", ""));
         },
         "The file\nDIR/simulate.rdg\nholds no spectrum: it is empty.",
         [](Series& r) { r.S().SimulationMode = false; }},
        // A series from the quick menu holds no port: each tick opens it.
        {"the adapter pulled in the middle of a pair of a series from the menu",
         [](Series& r) { r.w.comm.PullPortAfterBytes(1, 6); },
         std::string("The serial port COM1 failed:\n") + Removed,
         [](Series&) {}, true},
        {"the instrument in its loader without its firmware images",
         [](Series& r) {
             r.w.instrument.RestartIntoLoader();
             r.w.clock.Advance(100);
         },
         "The firmware image OLMMASTR.S19 was not found in " + std::string("DIR") + ".",
         [](Series& r) {
             ASSERT_TRUE(r.w.dir.Write("OLMMASTR.S19", "S1060000010203F3\r\nS804000000FB\r\n"));
             ASSERT_TRUE(r.w.dir.Write("OLMSLAVE.S19", "S1060100040506E9\r\nS804000000FB\r\n"));
         },
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Series r;
        if (c.fromMenu) r.w.app.forms.Get<MenuForm>().AutoScanLbl.UserClick();
        else r.w.Type('A');
        ASSERT_TRUE(r.Timer1().Running());
        r.Tick(2);  // two good scans, two files
        ASSERT_EQ(r.Boxes(), 0u) << r.w.op.MessageTexts().front();
        ASSERT_EQ(r.S().AutoSaveCounter, 2);
        ASSERT_TRUE(r.Saved(2));

        c.fault(r);
        const size_t before = r.Boxes();
        r.Tick(50);
        std::string box = c.box;
        if (const size_t dir = box.find("DIR"); dir != std::string::npos) box.replace(dir, 3, r.w.fs.CurrentDir());
        EXPECT_EQ(r.BoxesSince(before), std::vector<std::string>{box});
        EXPECT_FALSE(r.Timer1().Running());
        EXPECT_TRUE(r.PrintedText("AutoScan Stopped"));
        EXPECT_FALSE(r.S().PortHeldOpen);
        EXPECT_FALSE(r.w.comm.PortOpen()) << "the port is let go at once";
        EXPECT_EQ(r.S().AutoSaveCounter, 2) << "failed ticks use no file number";
        EXPECT_FALSE(r.Saved(3));

        // The instrument back on its port: N takes a whole scan and saves it as the next file,
        // and A holds the port and scans again.
        c.mend(r);
        r.S().NoInstrumentResponse = false;
        const size_t mended = r.Boxes();
        r.w.Type('N');
        EXPECT_EQ(r.BoxesSince(mended), std::vector<std::string>{});
        EXPECT_FALSE(r.S().NoInstrumentResponse);
        EXPECT_EQ(r.S().SlotInfo[0].NumPoints, 256);
        EXPECT_TRUE(r.Saved(3));
        r.w.Type('A');
        r.Tick(1);
        EXPECT_TRUE(r.Timer1().Running());
        EXPECT_TRUE(r.S().PortHeldOpen);
        EXPECT_TRUE(r.Saved(4));
        EXPECT_EQ(r.BoxesSince(mended), std::vector<std::string>{});
    }
}

// "NO DATA TRANSMITTED" lets the series go on after OK, as a silent instrument may answer again;
// Escape on it, or on any other box that a tick's scan raises, stops the series. A box told once
// per series (a reference file that cannot be used) stops it on Escape the first time. Escape
// that the operator presses while a tick holds the event loop stops the series as well, once the
// tick is done, its box answered with OK: on the spectrum window while the pair runs (the key is
// still queued when the tick's box comes up), and in a long wait that Escape gives up without
// ending the scan (the reply wait of the parameters sent first).
TEST(TimedSeriesFaults, EscapeOnABoxOrElsewhereDuringATickStopsTheSeries) {
    struct Case {
        const char* name;
        std::function<void(Series&)> fault;
        std::string box;
        std::function<void(Series&)> escape;
        size_t boxes;        // until the series stops
        int numbersUsed;     // by the ticks with a box
    };
    const Case cases[] = {
        {"on the no-data box of a silent instrument", [](Series& r) { r.w.instrument.Options().faults.silent = true; },
         NoData,
         [](Series& r) {
             r.w.op.AnswerMessage(MsgResult::Ok);
             r.w.op.AnswerEscape();
         },
         2, 0},
        {"on the box of a reference file that is missing",
         [](Series& r) {
             r.S().ReferenceOn = true;
             r.S().ReferenceFileName = r.w.dir.Path() + "/gone.rdg";
         },
         "File not found.", [](Series& r) { r.w.op.AnswerEscape(); }, 1, 1},
        {"on the window while the pair runs",
         [](Series& r) { r.w.instrument.Options().faults.blocks.push_back({BlockFault::Kind::Short, 5, 6}); }, NoData,
         [](Series& r) { r.w.host.EscapePendingAtBox(1); }, 1, 0},
        {"in the reply wait of the parameters",
         [](Series& r) {
             r.w.instrument.Options().faults.silent = true;
             r.S().InstrumentParametersUnknown = true;
         },
         "The parameters have not been sent to the instrument.", [](Series& r) { r.w.host.EscapeAtKeepAlive(1); }, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Series r;
        r.w.Type('A');
        r.Tick(1);
        ASSERT_EQ(r.Boxes(), 0u) << r.w.op.MessageTexts().front();
        const int32_t counter = r.S().AutoSaveCounter;
        c.fault(r);
        c.escape(r);
        const size_t before = r.Boxes();
        r.Tick(50);
        const std::vector<std::string> boxes = r.BoxesSince(before);
        EXPECT_EQ(boxes.size(), c.boxes) << "OK lets the series go on, Escape stops it";
        for (const std::string& box : boxes) EXPECT_NE(box.find(c.box), std::string::npos) << box;
        EXPECT_FALSE(r.Timer1().Running());
        EXPECT_TRUE(r.PrintedText("AutoScan Stopped"));
        EXPECT_FALSE(r.S().PortHeldOpen);
        EXPECT_FALSE(r.w.comm.PortOpen());
        EXPECT_EQ(r.S().AutoSaveCounter, counter + c.numbersUsed);
    }
}

// A file of the series that cannot be written now cannot be written on the next tick either:
// the series ends with the one box, and the scan on display stays.
TEST(TimedSeriesFaults, AnAutoSaveThatFailsEndsTheSeriesWithItsOneBox) {
    for (bool gone : {true, false}) {
        SCOPED_TRACE(gone ? "the data folder gone" : "a folder where the file goes");
        Series r;
        r.w.Type('A');
        r.Tick(1);
        ASSERT_TRUE(r.Saved(1));
        if (gone) {
            r.S().DefaultPath = r.w.dir.Path() + "/gone";
        } else {
            ASSERT_TRUE(r.w.dir.MakeDir("SER00002.rdg"));
        }
        const size_t before = r.Boxes();
        r.Tick(20);
        const std::vector<std::string> boxes = r.BoxesSince(before);
        ASSERT_EQ(boxes.size(), 1u) << boxes.back();
        EXPECT_FALSE(r.Timer1().Running());
        EXPECT_TRUE(r.PrintedText("AutoScan Stopped"));
        EXPECT_FALSE(r.S().PortHeldOpen);
        EXPECT_EQ(r.S().SlotInfo[r.S().CurrentSlot].NumPoints, 256) << "the scan stays on display";
    }
}

}  // namespace
}  // namespace tav
