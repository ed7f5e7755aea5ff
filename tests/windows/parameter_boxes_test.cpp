// The acquisition parameter boxes: Enter in a box limits and stores every entry, the boxes and
// scroll bars show what was accepted, and the parameter block goes to the instrument.

#include <gtest/gtest.h>

#include <algorithm>

#include "MainWindowWorld.h"

namespace tav {
namespace {

using test::MainWindowWorld;

struct Boxes {
    std::string integ, aver, bin, raddr, scan, interv;
};

void Fill(MDIForm1& mdi, const Boxes& b) {
    mdi.Text3.UserEdit(b.integ);
    mdi.Text4.UserEdit(b.aver);
    mdi.Text1.UserEdit(b.bin);
    mdi.Text5.UserEdit(b.raddr);
    mdi.Text6.UserEdit(b.scan);
    mdi.Text7.UserEdit(b.interv);
}

Boxes Shown(MDIForm1& mdi) {
    return {mdi.Text3.Text(), mdi.Text4.Text(), mdi.Text1.Text(), mdi.Text5.Text(), mdi.Text6.Text(), mdi.Text7.Text()};
}

void PressEnter(MDIForm1& mdi, TextBox& box) { mdi.UserKeyPress(&box, 13); }

struct Accepted {
    int32_t integrationTime;
    int16_t numToAverage;
    float binWidth;
    int16_t readAddress, scanNumber, intervalTenths;
};

struct EntryCase {
    const char* what;
    Boxes typed;
    Accepted accepted;
    Boxes shown;
};

TEST(ParameterBoxes, EntriesAreLimitedStoredAndShownAsAccepted) {
    const EntryCase cases[] = {
        {"plain values", {"30", "4", "3", "12", "0", "1"}, {300, 4, 3.0f, 12, 0, 10}, {"30.0", "4", "3.0", "12", "0", "1.0"}},
        {"integration below 4 ms", {"0.5", "1", "3", "1", "0", "1"}, {40, 1, 3.0f, 1, 0, 10}, {"4.0", "1", "3.0", "1", "0", "1.0"}},
        {"integration above the bar", {"5000", "1", "3", "1", "0", "1"}, {32767, 1, 3.0f, 1, 0, 10}, {"3276.7", "1", "3.0", "1", "0", "1.0"}},
        {"600000 cap", {"100", "1000", "3", "1", "0", "1"}, {1000, 600, 3.0f, 1, 0, 10}, {"100.0", "600", "3.0", "1", "0", "1.0"}},
        // 600000 / 999 is 600.6: the count stays within the cap.
        {"cap not passed by rounding", {"99.9", "700", "3", "1", "0", "1"}, {999, 600, 3.0f, 1, 0, 10}, {"99.9", "600", "3.0", "1", "0", "1.0"}},
        {"many scans at 4 ms", {"4", "20000", "3", "1", "0", "1"}, {40, 15000, 3.0f, 1, 0, 10}, {"4.0", "15000", "3.0", "1", "0", "1.0"}},
        {"interval 0: limit 1764, even scans", {"30", "1", "3", "1800", "7", "0"}, {300, 1, 3.0f, 1764, 8, 0}, {"30.0", "1", "3.0", "1764", "8", ".0"}},
        {"interval set: limit 882", {"30", "1", "3", "1800", "7", "1"}, {300, 1, 3.0f, 882, 7, 10}, {"30.0", "1", "3.0", "882", "7", "1.0"}},
        {"scan number above the limit", {"30", "1", "3", "5", "5000", "1"}, {300, 1, 3.0f, 5, 882, 10}, {"30.0", "1", "3.0", "5", "882", "1.0"}},
        {"negative interval", {"30", "1", "3", "1", "0", "-2"}, {300, 1, 3.0f, 1, 0, 10}, {"30.0", "1", "3.0", "1", "0", "1.0"}},
        {"interval above the bar", {"30", "1", "3", "1", "0", "5000"}, {300, 1, 3.0f, 1, 0, 32767}, {"30.0", "1", "3.0", "1", "0", "3276.7"}},
        {"bin size below 0.4", {"30", "1", "0.1", "1", "0", "1"}, {300, 1, 0.4f, 1, 0, 10}, {"30.0", "1", ".4", "1", "0", "1.0"}},
        {"bin size between bar steps", {"30", "1", "2.5", "1", "0", "1"}, {300, 1, 2.5f, 1, 0, 10}, {"30.0", "1", "2.5", "1", "0", "1.0"}},
        {"bin size above 500", {"30", "1", "900", "1", "0", "1"}, {300, 1, 500.0f, 1, 0, 10}, {"30.0", "1", "500.0", "1", "0", "1.0"}},
        {"empty boxes", {"", "", "", "", "", ""}, {40, 1, 0.4f, 1, 0, 0}, {"4.0", "1", ".4", "1", "0", ".0"}},
        {"no numbers", {"abc", "x", "-", "ms", "#", "s"}, {40, 1, 0.4f, 1, 0, 0}, {"4.0", "1", ".4", "1", "0", ".0"}},
        {"beyond the single range", {"1e39", "1e39", "1e39", "1e39", "1e39", "1e39"}, {32767, 18, 500.0f, 882, 882, 32767}, {"3276.7", "18", "500.0", "882", "882", "3276.7"}},
        {"below the single range", {"-1e39", "-1e39", "-1e39", "-1e39", "-1e39", "-1e39"}, {40, 1, 0.4f, 1, 0, 10}, {"4.0", "1", ".4", "1", "0", "1.0"}},
    };
    for (const EntryCase& c : cases) {
        MainWindowWorld w;
        w.PastWelcome();
        MDIForm1& mdi = w.Mdi();
        Fill(mdi, c.typed);
        PressEnter(mdi, mdi.Text5);

        SCOPED_TRACE(c.what);
        const ProgramState& s = *w.state;
        EXPECT_EQ(s.IntegrationTime, c.accepted.integrationTime);
        EXPECT_EQ(s.NumToAverage, c.accepted.numToAverage);
        EXPECT_EQ(s.BinWidth, c.accepted.binWidth);
        EXPECT_EQ(s.ReadAddress, c.accepted.readAddress);
        EXPECT_EQ(s.ReadAddressSaved, c.accepted.readAddress);
        EXPECT_EQ(s.ScanNumber, c.accepted.scanNumber);
        EXPECT_EQ(s.IntervalTenths, c.accepted.intervalTenths);
        EXPECT_TRUE(s.ReadAddressPending);
        EXPECT_FALSE(s.EraseArmed);
        const Boxes shown = Shown(mdi);
        EXPECT_EQ(shown.integ, c.shown.integ);
        EXPECT_EQ(shown.aver, c.shown.aver);
        EXPECT_EQ(shown.bin, c.shown.bin);
        EXPECT_EQ(shown.raddr, c.shown.raddr);
        EXPECT_EQ(shown.scan, c.shown.scan);
        EXPECT_EQ(shown.interv, c.shown.interv);
        // The bars stand at the accepted values, within their ranges.
        EXPECT_EQ(mdi.Integrat.Value(), std::min<int32_t>(s.IntegrationTime, 32767));
        EXPECT_EQ(mdi.Averaging.Value(), std::min<int16_t>(s.NumToAverage, 1000));
        EXPECT_EQ(mdi.Integ.Value(), s.ReadAddress);
        EXPECT_EQ(mdi.scannumbe.Value(), s.ScanNumber);
        EXPECT_EQ(mdi.interva.Value(), s.IntervalTenths);
        EXPECT_TRUE(w.op.Messages().empty());
    }
}

TEST(ParameterBoxes, TheBoxShowsTheAcceptedIntegrationTimeAlsoWhenTheBarDoesNotMove) {
    MainWindowWorld w;
    w.PastWelcome();
    MDIForm1& mdi = w.Mdi();
    Fill(mdi, {"30", "1", "3", "1", "0", "1"});
    PressEnter(mdi, mdi.Text3);
    ASSERT_EQ(mdi.Integrat.Value(), 300);
    mdi.Text3.UserEdit("30.04");
    PressEnter(mdi, mdi.Text3);
    EXPECT_EQ(w.state->IntegrationTime, 300);
    EXPECT_EQ(mdi.Text3.Text(), "30.0");
}

TEST(ParameterBoxes, TheBlockCarriesTheAcceptedValuesHighByteFirst) {
    MainWindowWorld w;
    w.PastWelcome();
    MDIForm1& mdi = w.Mdi();
    Fill(mdi, {"100", "1000", "3", "300", "4", "2.5"});
    w.instrument.ClearLogs();
    w.comm.ClearJournal();
    PressEnter(mdi, mdi.Text4);
    // 1, then integration 1000, scans 600, lamp 0, scan number 4, interval 25, read address 300.
    const std::string expected = std::string("\x01") + std::string("\x03\xE8\x02\x58\x00\x00\x00\x04\x00\x19\x01\x2C", 12);
    EXPECT_EQ(w.instrument.Received(), expected);
    EXPECT_FALSE(w.comm.PortOpen());  // open for the exchange only
    const std::vector<std::string>& journal = w.comm.Journal();
    EXPECT_NE(std::find(journal.begin(), journal.end(), "open 1 115200,N,8,1"), journal.end());
    EXPECT_EQ(w.state->LampLevel, 0);
}

TEST(ParameterBoxes, AScanNumberSwitchesNormalToReadMode) {
    struct ModeCase {
        int16_t modeBefore;
        const char* scan;
        int16_t modeAfter;
        const char* boxAfter;
    };
    const ModeCase cases[] = {
        {2, "3", 48, "  Read"},
        {2, "0", 2, " Normal"},
        {48, "0", 48, "  Read"},
        {64, "3", 64, " ERASE"},  // Erase mode and its box stay
    };
    for (const ModeCase& c : cases) {
        MainWindowWorld w;
        w.PastWelcome();
        MDIForm1& mdi = w.Mdi();
        w.state->MemoryMode = c.modeBefore;
        mdi.Text2.SetText(" ERASE");
        Fill(mdi, {"30", "1", "3", "1", c.scan, "1"});
        PressEnter(mdi, mdi.Text6);
        SCOPED_TRACE(c.modeBefore);
        EXPECT_EQ(w.state->MemoryMode, c.modeAfter);
        EXPECT_EQ(mdi.Text2.Text(), c.boxAfter);
    }
}

TEST(ParameterBoxes, TheAccessCodeArmsEraseAndKeepsTheReadAddress) {
    MainWindowWorld w;
    w.PastWelcome();
    MDIForm1& mdi = w.Mdi();
    Fill(mdi, {"30", "1", "3", "25", "0", "1"});
    PressEnter(mdi, mdi.Text5);
    ASSERT_EQ(w.state->ReadAddress, 25);

    mdi.Text5.UserEdit("4817");
    mdi.Text6.UserEdit("9999");
    w.instrument.ClearLogs();
    PressEnter(mdi, mdi.Text5);
    EXPECT_TRUE(w.state->EraseArmed);
    EXPECT_EQ(w.state->ReadAddress, 25);
    EXPECT_EQ(w.state->ReadAddressSaved, 25);
    EXPECT_EQ(mdi.Text5.Text(), "25");
    EXPECT_EQ(w.state->ScanNumber, 882);  // bounded on this path too
    const std::string& heard = w.instrument.Received();
    ASSERT_EQ(heard.size(), 13u);
    EXPECT_EQ(heard.substr(11), std::string("\x00\x19", 2));  // the old read address

    // Any other entry disarms it again.
    mdi.Text5.UserEdit("4816");
    PressEnter(mdi, mdi.Text5);
    EXPECT_FALSE(w.state->EraseArmed);
    EXPECT_EQ(w.state->ReadAddress, 882);
}

TEST(ParameterBoxes, ABlockThatCannotBeSentIsReportedExceptInSimulationMode) {
    for (bool simulation : {false, true}) {
        MainWindowWorld w;
        w.PastWelcome();
        w.comm.SetPortPresent(1, false);
        w.state->SimulationMode = simulation;
        MDIForm1& mdi = w.Mdi();
        Fill(mdi, {"30", "2", "3", "1", "0", "1"});
        PressEnter(mdi, mdi.Text3);
        EXPECT_EQ(w.state->NumToAverage, 2);  // the values are taken all the same
        EXPECT_EQ(w.op.Messages().size(), simulation ? 0u : 1u);
    }
}

TEST(ParameterBoxes, AMovedBarShowsItsValueAndEnterOnABarSends) {
    MainWindowWorld w;
    w.PastWelcome();
    MDIForm1& mdi = w.Mdi();
    mdi.Integrat.UserScroll(1234);
    EXPECT_EQ(mdi.Text3.Text(), "123.4");
    mdi.Source.UserScroll(7);
    EXPECT_EQ(mdi.Text1.Text(), "7.0");
    mdi.interva.UserScroll(25);
    EXPECT_EQ(mdi.Text7.Text(), "2.5");
    mdi.Integ.UserScroll(33);
    EXPECT_EQ(mdi.Text5.Text(), "33");
    EXPECT_EQ(w.state->IntegrationTime, 300);  // nothing taken before Enter
    w.instrument.ClearLogs();
    mdi.UserKeyPress(&mdi.Integrat, 13);
    EXPECT_EQ(w.state->IntegrationTime, 1234);
    EXPECT_EQ(w.state->ReadAddress, 33);
    EXPECT_EQ(w.instrument.Received().size(), 13u);
}

}  // namespace
}  // namespace tav
