// A read-out command moves the instrument's read pointer on by one stored scan, whether or not its
// pair reaches the program whole. After a read-out that failed, the next one first puts the
// pointer where the screen says, with the whole parameter block, so that each stored scan is read
// under its own place in the series; when that block cannot be sent it sends no read-out command,
// and says why. Every parameter block leaves the pointer where the screen says: the address in
// the read-address box until the first read-out after it was set, and from then on the scan after
// the last one read (which the box then shows).

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sstream>

#include "FlowRig.h"
#include "acquisition/DarkReferenceScan.h"
#include "acquisition/NextScan.h"
#include "acquisition/OverlayScan.h"
#include "windows/InstrumentForm.h"
#include "windows/SettingsForm.h"

namespace tav {
namespace {

using acqtest::FlowRig;

constexpr const char* NoData = "Warning:\nNO DATA TRANSMITTED\nRefer to 'Trouble Shooting'";

// A read-out of three stored scans from address 1 (as Enter in the read-address box sets it),
// with scans 1 to 9 in the memory, each recognisable (see StoreDistinctScans).
struct ReadOutRig : FlowRig {
    ReadOutRig() { acqtest::PrepareReadOut(*this, 9, 3); }

    // The stored scans the latest read-out brought, by their addresses.
    std::vector<int> ScansRead() {
        std::vector<int> addresses;
        for (int j = 1; j <= 3; ++j) {
            const int32_t sample = state.RawCounts[2 * j - 1][0], reference = state.RawCounts[2 * j][0];
            addresses.push_back(sample % 100 == 2 && reference == sample - 1 ? sample / 100 : 0);
        }
        return addresses;
    }
    // The read-out's pair `pair` (counted from the first command the instrument takes) brings a
    // short block.
    void BreakPair(int pair) { instrument.Options().faults.blocks = {{BlockFault::Kind::Short, 3, 6, pair}}; }
};

TEST(ReadPointer, AFailedReadOutIsFollowedByOneThatStartsWhereTheScreenSays) {
    struct Case {
        const char* name;
        std::function<void(ReadOutRig&)> before;  // what happened before the read-out that fails
        int brokenPair;
        int16_t addressShown;  // the read-address box after the failed read-out
        int sentAddress;       // the read address of the block that comes first
        std::vector<int> read;
    };
    const Case cases[] = {
        {"the first read-out after Enter fails in its second pair", [](ReadOutRig&) {}, 2, 1, 1, {1, 2, 3}},
        {"the second read-out fails in its second pair",
         [](ReadOutRig& r) {
             NextScan(r.flow);
             ASSERT_EQ(r.ScansRead(), (std::vector<int>{1, 2, 3}));
         },
         5, 3, 4, {4, 5, 6}},
        {"the first read-out fails in its third pair", [](ReadOutRig&) {}, 3, 1, 1, {1, 2, 3}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ReadOutRig r;
        c.before(r);
        r.BreakPair(c.brokenPair);
        NextScan(r.flow);
        ASSERT_EQ(r.op.MessageTexts().size(), 1u);
        EXPECT_EQ(r.op.MessageTexts()[0].substr(0, std::string(NoData).size()), NoData);
        EXPECT_EQ(r.state.ReadAddress, c.addressShown);

        r.instrument.Options().faults = {};
        r.instrument.ClearLogs();
        NextScan(r.flow);
        EXPECT_EQ(r.Heard().substr(0, 14), acqtest::WholeParameterBlock(100, 1, 3, 10, c.sentAddress) + "\x30");
        EXPECT_EQ(r.ScansRead(), c.read);
        EXPECT_EQ(r.state.ReadAddress, c.read.back()) << "the last scan read";
        EXPECT_EQ(r.instrument.ReadPointer(), c.read.back() + 1);
        EXPECT_EQ(r.op.MessageTexts().size(), 1u);

        // From then on the read-outs follow one another without a block.
        r.instrument.ClearLogs();
        NextScan(r.flow);
        EXPECT_EQ(r.Heard().substr(0, 1), "\x30");
        EXPECT_EQ(r.ScansRead(), (std::vector<int>{c.read.back() + 1, c.read.back() + 2, c.read.back() + 3}));
    }
}

// When the pointer cannot be put back, no read-out command goes out, and the box says why.
TEST(ReadPointer, AReadOutThatCannotPutThePointerBackSendsNothingAndSaysWhy) {
    ReadOutRig r;
    r.BreakPair(2);
    NextScan(r.flow);
    ASSERT_EQ(r.op.MessageTexts().size(), 1u);
    r.instrument.Options().faults = {};
    r.comm.SetPortPresent(1, false);
    r.comm.ClearJournal();
    NextScan(r.flow);
    EXPECT_TRUE(r.Journal("out").empty());
    ASSERT_EQ(r.op.MessageTexts().size(), 2u);
    EXPECT_EQ(r.op.MessageTexts()[1],
              "The serial port COM1 could not be opened:\nCOM1 is the bench's port 1: no such device.\n"
              "The parameters have not been sent to the instrument.");

    r.comm.SetPortPresent(1, true);
    NextScan(r.flow);
    EXPECT_EQ(r.ScansRead(), (std::vector<int>{1, 2, 3}));
}

struct ReadingFlow {
    const char* name;
    std::function<void(ScanFlowContext&)> run;
};
const ReadingFlow ReadingFlows[] = {
    {"next scan", [](ScanFlowContext& f) { NextScan(f); }},
    {"dark scan", [](ScanFlowContext& f) { DarkScan(f); }},
    {"overlay scan", [](ScanFlowContext& f) { OverlayScan(f); }},
};

// A parameter block between two read-outs (here the settings dialog's) leaves the pointer where
// the series stands: the next read-out goes on with the scan after the last one read. The dark
// and overlay scans read as many stored scans as the next scan does, and leave the read address
// at the last one read alike, so that no stored scan is read twice after them either.
TEST(ReadPointer, ABlockBetweenTwoReadOutsLeavesTheSeriesWhereItStands) {
    for (const ReadingFlow& flow : ReadingFlows) {
        SCOPED_TRACE(flow.name);
        ReadOutRig r;
        flow.run(r.flow);
        ASSERT_EQ(r.ScansRead(), (std::vector<int>{1, 2, 3}));
        EXPECT_EQ(r.state.ReadAddress, 3);
        EXPECT_EQ(r.Main().Integ.Value(), 3);
        SettingsForm& settings = r.app.forms.Get<SettingsForm>();
        settings.Show();
        r.instrument.ClearLogs();
        settings.Command1.UserClick();
        EXPECT_EQ(r.Heard(), acqtest::WholeParameterBlock(100, 1, 3, 10, 4));
        NextScan(r.flow);
        EXPECT_EQ(r.ScansRead(), (std::vector<int>{4, 5, 6}));
        EXPECT_EQ(r.state.ReadAddress, 6);
    }
}

// Read mode with Scan# `scans` from address 1763, the last but one, as Enter in the boxes sets it.
void ReadOutNearTheEnd(FlowRig& r, int16_t scans, bool timed) {
    r.state.MemoryMode = 48;
    r.state.ScanNumber = scans;
    r.state.ReadAddress = 1763;
    r.state.ReadAddressPending = true;
    r.SendParameters();
    r.Main().Timer1.SetEnabled(timed);
}

// A read-out that has read the last stored scan ends Read mode, as the mode box then says: the
// next scan command is a plain scan, with the parameters on screen (Scan# 0) sent first, and
// never a read-out past the end of the memory. A timed series stops there.
TEST(ReadPointer, AReadOutThatReachesTheLastStoredScanEndsReadMode) {
    for (bool timed : {false, true}) {
        for (const ReadingFlow& flow : ReadingFlows) {
            if (timed && std::string(flow.name) != "next scan") continue;
            SCOPED_TRACE(std::string(flow.name) + (timed ? ", timed" : ""));
            FlowRig r;
            acqtest::StoreDistinctScans(r.instrument, 3);
            r.instrument.StoreScan(1763, *r.instrument.StoredScan(1));
            r.instrument.StoreScan(1764, *r.instrument.StoredScan(2));
            ReadOutNearTheEnd(r, 2, timed);
            flow.run(r.flow);
            EXPECT_EQ(r.instrument.ReadPointer(), 1765);
            EXPECT_EQ(r.state.MemoryMode, 2);
            EXPECT_EQ(r.state.ScanNumber, 0);
            EXPECT_EQ(r.Main().Text2.Text(), " Normal");
            EXPECT_EQ(r.Main().Text6.Text(), "0");
            EXPECT_FALSE(r.Main().Timer1.Enabled());
            if (timed) {
                const std::vector<std::string> printed = r.Printed();
                EXPECT_NE(std::find(printed.begin(), printed.end(), "AutoCopy Stopped"), printed.end());
            }
            r.instrument.ClearLogs();
            NextScan(r.flow);
            EXPECT_EQ(r.Heard().substr(0, 14), acqtest::WholeParameterBlock(100, 1, 0, 10, 1765) + "\x02");
            EXPECT_EQ(r.instrument.WritePointer(), 1) << "nothing written";
            EXPECT_TRUE(r.op.MessageTexts().empty());
        }
    }
}

// A read-out that would run past the last stored scan is refused before anything is sent, with
// the number of scans that are left; a timed series ends on it.
TEST(ReadPointer, AReadOutThatWouldRunPastTheLastStoredScanIsRefused) {
    for (bool timed : {false, true}) {
        SCOPED_TRACE(timed ? "timed" : "single");
        FlowRig r;
        ReadOutNearTheEnd(r, 6, timed);
        NextScan(r.flow);
        EXPECT_EQ(r.Heard(), "");
        EXPECT_EQ(r.op.MessageTexts(), std::vector<std::string>{"A read-out of 6 stored scans from address 1763 runs "
                                                                "past the last one, 1764.\nSet Scan# to 2 or less."});
        EXPECT_FALSE(r.Main().Timer1.Enabled());
        EXPECT_EQ(r.state.ReadAddress, 1763);
    }
}

// Read-outs of the simulation file move the read address on screen but no instrument's pointer:
// once the simulation is switched off, the instrument's read-out goes on where its own series
// stood (the box shows it again), or at an address the operator entered meanwhile.
TEST(ReadPointer, ReadOutsOfTheSimulationFileMoveNoInstrumentsPointer) {
    std::stringstream bundled;
    bundled << std::ifstream(std::string(TAVOLIN_SOURCE_DIR) + "/data/simulate.rdg", std::ios::binary).rdbuf();
    auto simulation = [](ReadOutRig& r, bool on) {
        InstrumentForm& form = r.app.forms.Get<InstrumentForm>();
        form.Show();
        form.SimulationOn.SetValue(on ? 1 : 0);
        form.Command1.UserClick();
        ASSERT_EQ(r.state.SimulationMode, on);
    };
    struct Case {
        const char* name;
        const char* entered;  // the read-address box during the simulation, "" for none
        std::vector<int> read;
    };
    const Case cases[] = {
        {"the series goes on", "", {4, 5, 6}},
        {"the address entered meanwhile", "2", {2, 3, 4}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ReadOutRig r;
        ASSERT_TRUE(r.dir.Write("simulate.rdg", bundled.str()));
        NextScan(r.flow);
        ASSERT_EQ(r.ScansRead(), (std::vector<int>{1, 2, 3}));
        simulation(r, true);
        if (*c.entered) {
            r.Main().Text5.UserEdit(c.entered);
            r.PressEnter(r.Main().Text5);
        }
        NextScan(r.flow);
        NextScan(r.flow);
        ASSERT_TRUE(r.op.Messages().empty());
        simulation(r, false);
        EXPECT_EQ(std::stoi(r.Main().Text5.Text()), c.read.front() - (*c.entered ? 0 : 1)) << "the box shows it";
        NextScan(r.flow);
        EXPECT_EQ(r.ScansRead(), c.read);
        EXPECT_TRUE(r.op.Messages().empty());
    }
}

// A scan given up with Escape, whose pair comes 1.5 s past its reply's bound: the read-out that
// follows takes that pair first, and its own command then reads stored scan 1; the late pair is
// not filed as the stored scan.
TEST(ReadPointer, APairThatComesLateAfterEscapeIsNotReadAsAStoredScan) {
    FlowRig r;
    acqtest::StoreDistinctScans(r.instrument, 3);
    r.Type('N');
    r.InstrumentSettles();
    InstrumentFaults& faults = r.instrument.Options().faults;
    faults.replyDelayMs = 4500;
    faults.replyDelayPair = r.instrument.PairsStarted() + 1;
    r.host.EscapeAtKeepAlive(1);
    r.Type('N');
    ASSERT_EQ(r.op.MessageTexts(), std::vector<std::string>{NoData});

    r.Main().Shutter.UserClick();  // Read, one stored scan at a time
    r.Type('N');
    r.InstrumentSettles();
    const std::vector<TakenCommand>& commands = r.instrument.Commands();
    ASSERT_EQ(commands.back().mode, 48);
    EXPECT_EQ(commands.back().readPointer, 1);
    EXPECT_EQ(commands[commands.size() - 2].acknowledged, 16) << "the late pair taken whole first";
    EXPECT_EQ(r.state.RawCounts[1][0], 102) << "stored scan 1, not the late pair";
    EXPECT_EQ(r.op.MessageTexts().size(), 1u);
}

}  // namespace
}  // namespace tav
