// The instrument keeps the parameters of the last block it received. After a parameter block that
// did not go out whole, the screen may show Normal with Scan# 0 while the instrument still holds
// an earlier Scan# 3, and a scan command would then write a series into its memory. So every flow
// that sends a scan command first sends the parameters on screen again, and goes on only when
// they went out whole; otherwise it sends no scan command, and the memory stays as it was.

#include <gtest/gtest.h>

#include <functional>

#include "FlowRig.h"
#include "acquisition/AutoScanTimer.h"
#include "acquisition/NextScan.h"
#include "windows/InstrumentForm.h"

namespace tav {
namespace {

using acqtest::FlowRig;

std::string Byte(int b) { return std::string(1, static_cast<char>(b)); }
std::string Word(int v) { return Byte(v / 256) + Byte(v % 256); }
// The whole parameter block as the instrument hears it: 0x01, then the six words (lamp 0).
std::string ParameterBlockBytes(int integration, int average, int scanNumber, int interval, int readAddress) {
    return Byte(0x01) + Word(integration) + Word(average) + Word(0) + Word(scanNumber) + Word(interval) +
           Word(readAddress);
}

// The operator sets Write with Scan# 3 (Enter with Scan# 3, then Mode back from Read), which
// reaches the instrument; then Scan# 0, whose block fails in the way `fail` makes it fail.
void StaleWriteSetting(FlowRig& r, const std::function<void(FlowRig&)>& fail,
                       const std::function<void(FlowRig&)>& undo) {
    MDIForm1& main = r.Main();
    main.Text3.UserEdit("10.0");
    main.Text4.UserEdit("1");
    main.Text1.UserEdit("3.0");
    main.Text5.UserEdit("1");
    main.Text6.UserEdit("3");
    main.Text7.UserEdit("1.0");
    r.PressEnter(main.Text6);
    main.Shutter.UserClick();
    ASSERT_EQ(main.Text2.Text(), " WRITE");
    r.InstrumentSettles();
    ASSERT_EQ(r.instrument.Parameters().ScanNumber, 3);
    fail(r);
    main.Text6.UserEdit("0");
    r.PressEnter(main.Text6);
    undo(r);
    ASSERT_EQ(r.state.MemoryMode, 2);
    ASSERT_EQ(r.state.ScanNumber, 0);
    ASSERT_EQ(main.Text2.Text(), " Normal");
    r.InstrumentSettles();
    ASSERT_EQ(r.instrument.Parameters().ScanNumber, 3) << "the instrument keeps the last block it received";
}

struct BlockFailure {
    const char* name;
    std::function<void(FlowRig&)> fail, undo;
};

const BlockFailure Failures[] = {
    {"the port is missing", [](FlowRig& r) { r.comm.SetPortPresent(1, false); },
     [](FlowRig& r) { r.comm.SetPortPresent(1, true); }},
    // Comm2 chosen while AutoScan holds COM1: the block is refused; Escape then stops AutoScan
    // and Comm1 is chosen again.
    {"the block is refused",
     [](FlowRig& r) {
         r.Type('A');
         ASSERT_TRUE(r.state.PortHeldOpen);
         r.state.CommPortNumber = 2;
     },
     [](FlowRig& r) {
         r.Type(27);
         r.state.CommPortNumber = 1;
     }},
};

struct ScanFlow {
    const char* name;
    std::function<void(FlowRig&)> run;
};

const ScanFlow ScanFlows[] = {
    {"reference scan", [](FlowRig& r) { r.Type('R'); }},
    {"auto set integration time", [](FlowRig& r) { r.Main().AutoSetIntegrationTime.UserClick(); }},
    {"next scan", [](FlowRig& r) { r.Type('N'); }},
    {"overlay scan", [](FlowRig& r) { r.Type('O'); }},
    {"dark scan", [](FlowRig& r) { r.Type('D'); }},
    {"timed scan",
     [](FlowRig& r) {
         r.Type('A');
         r.Main().Timer1.UserTick();
         r.Type(27);
     }},
};

TEST(StaleScanNumber, EveryScanFlowSendsTheParametersOnScreenFirstAndTheMemoryStaysAsItWas) {
    for (const BlockFailure& failure : Failures) {
        for (const ScanFlow& flow : ScanFlows) {
            SCOPED_TRACE(std::string(failure.name) + ", " + flow.name);
            FlowRig r;
            StaleWriteSetting(r, failure.fail, failure.undo);
            EXPECT_TRUE(r.state.InstrumentParametersUnknown);
            const size_t boxes = r.op.Messages().size();
            r.instrument.ClearLogs();
            flow.run(r);
            r.InstrumentSettles();
            EXPECT_EQ(r.Heard().substr(0, 13), ParameterBlockBytes(100, 1, 0, 10, 1));
            EXPECT_EQ(r.instrument.Parameters().ScanNumber, 0);
            EXPECT_GE(r.instrument.ScansMeasured(), 1) << "the scan was taken";
            EXPECT_FALSE(r.instrument.StoredScan(1).has_value()) << "nothing written to the memory";
            EXPECT_EQ(r.instrument.WritePointer(), 1);
            EXPECT_FALSE(r.state.InstrumentParametersUnknown);
            EXPECT_EQ(r.op.Messages().size(), boxes) << "no box";

            // The parameters are known again: the next scan sends no block first.
            r.instrument.ClearLogs();
            r.Type('N');
            EXPECT_EQ(r.Heard().substr(0, 1), Byte(0x02));
        }
    }
}

// When the parameters cannot be sent again either, no scan command is sent, and every flow tells
// why in the port's one box.
TEST(StaleScanNumber, NoScanCommandWhileTheParametersCannotBeSent) {
    const std::string why = "COM1 is the bench's port 1: no such device.";
    for (const ScanFlow& flow : ScanFlows) {
        SCOPED_TRACE(flow.name);
        FlowRig r;
        StaleWriteSetting(r, Failures[0].fail, [](FlowRig&) {});
        const size_t boxes = r.op.Messages().size();
        r.comm.ClearJournal();
        flow.run(r);
        EXPECT_TRUE(r.Journal("out").empty()) << "nothing sent";
        EXPECT_TRUE(r.state.InstrumentParametersUnknown);
        EXPECT_FALSE(r.instrument.StoredScan(1).has_value());
        ASSERT_EQ(r.op.Messages().size(), boxes + 1);
        const std::string name = flow.name;
        // Key A cannot take the port either, and timed acquisition does not start.
        const std::string unsent = name == "timed scan" ? "AutoScan has not been started."
                                                        : "The parameters have not been sent to the instrument.";
        EXPECT_EQ(r.op.Messages()[boxes].text, "The serial port COM1 could not be opened:\n" + why + "\n" + unsent);
    }
}

// A change of what the screen shows that no block told the instrument leaves it holding other
// parameters: the next scan sends the parameters on screen first. Mode back to Normal after a
// Write (Mode on the way zeroes Scan# and sends nothing), the instrument on the other port,
// chosen in Instrument Parameters, and the end of simulation mode, during which the instrument
// may have been plugged in; left with Cancel, the dialog changes nothing.
TEST(StaleScanNumber, AChangeOnScreenThatWasNotSentIsSentBeforeTheNextScan) {
    struct Change {
        const char* name;
        std::function<void(FlowRig&)> make;
        bool blockFirst;
    };
    auto writeSetting = [](FlowRig& r) {
        MDIForm1& main = r.Main();
        main.Text3.UserEdit("10.0");
        main.Text4.UserEdit("1");
        main.Text5.UserEdit("1");
        main.Text7.UserEdit("1.0");
        r.Main().Text6.UserEdit("3");
        r.PressEnter(r.Main().Text6);  // Read, and the instrument holds Scan# 3
        r.Main().Shutter.UserClick();   // Write
        ASSERT_EQ(r.Main().Text2.Text(), " WRITE");
    };
    auto instrumentParameters = [](FlowRig& r, bool comm2, bool simulation, bool ok) {
        InstrumentForm& form = r.app.forms.Get<InstrumentForm>();
        form.Show();
        (comm2 ? form.Option2 : form.Option1).UserClick();
        form.SimulationOn.SetValue(simulation ? 1 : 0);
        (ok ? form.Command1 : form.Command2).UserClick();
    };
    const Change changes[] = {
        {"Mode through Read back to Normal",
         [&](FlowRig& r) {
             writeSetting(r);
             r.Main().Shutter.UserClick();
             r.Main().Shutter.UserClick();
             ASSERT_EQ(r.Main().Text2.Text(), " Normal");
         },
         true},
        // Plugged into COM2 in the meantime: Scan# 0 went to COM1, where nothing listens.
        {"the instrument on the other port",
         [&](FlowRig& r) {
             writeSetting(r);
             r.comm.AttachInstrumentTo(2);
             r.Main().Text6.UserEdit("0");
             r.PressEnter(r.Main().Text6);
             instrumentParameters(r, true, false, true);
             ASSERT_EQ(r.state.CommPortNumber, 2);
         },
         true},
        // Unplugged for simulation mode, and plugged in again when it ends.
        {"simulation mode switched off",
         [&](FlowRig& r) {
             writeSetting(r);
             instrumentParameters(r, false, true, true);
             r.comm.AttachInstrumentTo(2);
             r.Main().Text6.UserEdit("0");
             r.PressEnter(r.Main().Text6);
             r.comm.AttachInstrumentTo(1);
             instrumentParameters(r, false, false, true);
             ASSERT_FALSE(r.state.SimulationMode);
         },
         true},
        {"Instrument Parameters left with Cancel",
         [&](FlowRig& r) {
             writeSetting(r);
             r.Main().Text6.UserEdit("0");
             r.PressEnter(r.Main().Text6);
             instrumentParameters(r, true, false, false);
             ASSERT_EQ(r.state.CommPortNumber, 1);
         },
         false},
    };
    for (const Change& change : changes) {
        SCOPED_TRACE(change.name);
        FlowRig r;
        change.make(r);
        r.InstrumentSettles();
        ASSERT_EQ(r.state.MemoryMode, 2);
        ASSERT_EQ(r.state.ScanNumber, 0);
        const size_t boxes = r.op.Messages().size();
        r.instrument.ClearLogs();
        r.Type('N');
        r.Type('D');
        r.InstrumentSettles();
        EXPECT_EQ(r.Heard().substr(0, 13) == ParameterBlockBytes(100, 1, 0, 10, 1), change.blockFirst);
        EXPECT_EQ(r.instrument.Parameters().ScanNumber, 0);
        EXPECT_EQ(r.instrument.ScansMeasured(), 2) << "one scan each";
        EXPECT_FALSE(r.instrument.StoredScan(1).has_value()) << "nothing written to the memory";
        EXPECT_EQ(r.op.Messages().size(), boxes) << r.op.MessageTexts().back();
    }
}

// A port that failed may come back with another instrument on it, which holds parameters of its
// own (here Scan# 3, from another computer): the next scan sends the parameters on screen first.
TEST(StaleScanNumber, AnInstrumentPluggedInAfterThePortFailedGetsTheParametersFirst) {
    FlowRig r;
    SimulatedInstrument other(acqtest::ExactInstrument());
    other.Feed(ParameterBlockBytes(100, 1, 3, 10, 1), 0.0);
    other.Advance(1.0);
    ASSERT_EQ(other.Parameters().ScanNumber, 3);
    other.ClearLogs();

    r.comm.PullPortAfterBytes(1, 5);  // the adapter pulled in the middle of a scan
    r.Type('N');
    const size_t boxes = r.op.Messages().size();
    ASSERT_GE(boxes, 1u);
    r.comm.ConnectInstrument(other);
    r.Type('N');
    r.InstrumentSettles();
    EXPECT_EQ(other.Received().substr(0, 14), ParameterBlockBytes(100, 1, 0, 10, 1) + Byte(0x02));
    EXPECT_EQ(other.ScansMeasured(), 1);
    EXPECT_EQ(other.WritePointer(), 1) << "nothing written to its memory";
    EXPECT_EQ(r.op.Messages().size(), boxes);
}

// An instrument left waiting in its pair (the adapter pulled in the middle of it, its last two
// blocks lost on the line) loses the parameter command of the next block. The program then takes
// the rest of that pair and sends the command again; the block's data bytes never reach the
// instrument as commands of their own (the averaging count 5 as an acknowledgement, which would
// have moved the pair on), and the next scan measures with the parameters on screen.
TEST(StaleScanNumber, AnInstrumentLeftInItsPairGetsTheNextBlockOnceThePairIsTaken) {
    struct Case {
        const char* name;
        std::function<void(FlowRig&)> leave;
    };
    const Case cases[] = {
        {"the adapter pulled after four acknowledgements", [](FlowRig& r) { r.comm.PullPortAfterBytes(1, 5); }},
        {"the last two blocks lost",
         [](FlowRig& r) {
             r.instrument.Options().faults.blocks = {{BlockFault::Kind::Missing, 15, 0, 1}, {BlockFault::Kind::Missing, 16, 0, 1}};
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FlowRig r;
        c.leave(r);
        r.Type('N');
        ASSERT_GE(r.op.Messages().size(), 1u);
        r.InstrumentSettles();
        ASSERT_TRUE(r.instrument.InPair());
        const size_t boxes = r.op.Messages().size();

        MDIForm1& main = r.Main();
        main.Text4.UserEdit("5");
        main.Text7.UserEdit("0.5");
        r.PressEnter(main.Text4);
        r.InstrumentSettles();
        EXPECT_FALSE(r.instrument.InPair());
        EXPECT_EQ(r.instrument.Parameters().NumToAverage, 5);
        EXPECT_EQ(r.instrument.Parameters().IntervalTenths, 5);
        EXPECT_EQ(r.instrument.LostParameterBlocks(), 0);

        r.Type('N');
        r.InstrumentSettles();
        ASSERT_EQ(r.instrument.Commands().size(), 2u);
        EXPECT_EQ(r.instrument.Commands().back().parameters.NumToAverage, 5);
        EXPECT_EQ(r.instrument.Commands().back().acknowledged, 16);
        EXPECT_EQ(r.op.Messages().size(), boxes);
    }
}

// An instrument left waiting in its pair, with Escape pressed while the program waits for the
// next parameter command's answer: the operator gave the wait up, and still the data bytes stay
// unsent (the averaging count 5 would have acknowledged the pair's missing block, and the
// instrument would then take a scan number 2 among them for a write of its own). The box says
// the parameters were not sent, and nothing is measured.
TEST(StaleScanNumber, EscapeDuringAnUnansweredParameterCommandSendsNoDataBytes) {
    FlowRig r;
    MDIForm1& main = r.Main();
    main.Text4.UserEdit("5");
    main.Text6.UserEdit("2");
    r.PressEnter(main.Text4);
    main.Shutter.UserClick();  // Write, Scan# 2
    const int pair = r.instrument.PairsStarted() + 1;
    r.instrument.Options().faults.blocks = {{BlockFault::Kind::Missing, 15, 0, pair}, {BlockFault::Kind::Missing, 16, 0, pair}};
    r.Type('N');
    r.InstrumentSettles();
    ASSERT_TRUE(r.instrument.InPair());
    main.Shutter.UserClick();  // Read, Scan# 0: the instrument's parameters are no longer known
    main.Shutter.UserClick();  // Normal
    const size_t commands = r.instrument.Commands().size();
    const int written = r.instrument.Memory().WritePointer();
    const size_t boxes = r.op.Messages().size();

    r.host.EscapeAtKeepAlive(1);
    r.Type('N');
    r.InstrumentSettles();
    EXPECT_EQ(r.instrument.Commands().size(), commands);
    EXPECT_EQ(r.instrument.Memory().WritePointer(), written);
    EXPECT_TRUE(r.instrument.InPair()) << "no data byte was taken for its acknowledgement";
    ASSERT_EQ(r.op.Messages().size(), boxes + 1);
    EXPECT_NE(r.op.Messages().back().text.find("The parameters have not been sent to the instrument."), std::string::npos)
        << r.op.Messages().back().text;
}

// A scan given up with Escape whose pair comes later than the program waits for it: its first
// block arrives while the next parameter command waits for its answer. A block is no answer:
// the program takes that pair in step and asks again, so that the data bytes reach an instrument
// that collects them (sent into the pair, the averaging count 5 would have acknowledged its
// block and the rest of the parameters would have been lost).
TEST(StaleScanNumber, APairLaterThanItsWaitIsTakenBeforeTheNextParameterBlock) {
    FlowRig r;
    r.Type('N');
    r.InstrumentSettles();
    InstrumentFaults& faults = r.instrument.Options().faults;
    faults.replyDelayMs = 4500;
    faults.replyDelayPair = r.instrument.PairsStarted() + 1;
    r.host.EscapeAtKeepAlive(1);
    r.Type('D');
    ASSERT_EQ(r.op.MessageTexts().size(), 1u);  // no data

    MDIForm1& main = r.Main();
    main.Text4.UserEdit("5");
    r.PressEnter(main.Text4);
    r.InstrumentSettles();
    EXPECT_FALSE(r.instrument.InPair());
    EXPECT_EQ(r.instrument.Commands().back().acknowledged, 16) << "the late pair taken whole";
    EXPECT_EQ(r.instrument.Parameters().NumToAverage, 5);
    EXPECT_EQ(r.instrument.LostParameterBlocks(), 0);
    EXPECT_EQ(r.op.MessageTexts().size(), 1u);
}

}  // namespace
}  // namespace tav
