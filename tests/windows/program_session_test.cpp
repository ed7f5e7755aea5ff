// A session of the whole program without a screen: the simulated instrument on the loopback
// port, the real scan flows and kinetic windows, the fake clock. The welcome window closes into
// the first scan, the letters typed into the spectrum window run their commands, a timed series
// runs on whole seconds, and the ratio window follows every scan.

#include <gtest/gtest.h>

#include "MainWindowWorld.h"
#include "windows/KineticForms.h"

namespace tav {
namespace {

using test::MainWindowWorld;

constexpr const char* Settings =
    "[Windows]\r\n"
    "Ratio Window = 0 0 3000 5000 0 -1 \r\n"
    "[Index]\r\n"
    "Number Of Bands=2\r\n"
    "Band Start 1=500\r\nBand End 1=600\r\nBand Start 2=700\r\nBand End 2=800\r\n"
    "Ratio Numerator=1\r\nRatio Denomintor=2\r\nRatio Active=-1\r\n"
    "[Acquisition]\r\n"
    "Integration Time=100\r\nNumber to Average=1\r\nAuto Scan Delay=5\r\n";

struct ProgramSession : ::testing::Test {
    MainWindowWorld w{false};

    void SetUp() override {
        ASSERT_TRUE(w.dir.Write("Prismel.INI", Settings));
        w.Start(true);
    }
    ProgramState& S() { return *w.state; }
    int Count(const std::string& call) {
        int n = 0;
        for (const std::string& c : w.flows.calls) n += c == call;
        return n;
    }
    void RunTimer(double seconds) {
        Timer& timer = w.Mdi().Timer1;
        const int64_t end = w.clock.MicrosSinceMidnight() + static_cast<int64_t>(seconds * 1e6);
        while (w.clock.MicrosSinceMidnight() < end && timer.Running()) {
            w.clock.Advance(timer.Interval());
            timer.UserTick();
        }
    }
};

TEST_F(ProgramSession, FromTheWelcomeWindowThroughTheKeysToTheEnd) {
    KineticForm* ratio = KineticWindowForm(w.app, slot::Ratio);
    ASSERT_NE(ratio, nullptr);
    EXPECT_TRUE(ratio->Visible());
    ASSERT_NE(w.Welcome(), nullptr);
    EXPECT_EQ(S().SlotInfo[0].NumPoints, 0);

    // The welcome closes into the first scan, which is drawn and feeds the ratio window.
    w.Welcome()->Command1.UserClick();
    EXPECT_EQ(Count("NextScan"), 1);
    EXPECT_TRUE(w.op.Messages().empty()) << w.op.Messages()[0].text;
    EXPECT_EQ(S().SlotInfo[0].NumPoints, 256);
    EXPECT_TRUE(S().DataAvailable);
    EXPECT_GT(S().Ch1Data[0][100], 0.0f);
    EXPECT_FALSE(w.MainCanvas().OpsOfKind(CanvasOp::Kind::Line).empty());
    EXPECT_EQ(S().RatioCount, 1);
    EXPECT_GT(S().RatioValue, 0.0f);
    EXPECT_TRUE(S().ResetTimer);  // the clock starts again at the next scan

    // N: a next scan; the series restarts with it, then grows.
    w.Type('n');
    EXPECT_EQ(S().RatioCount, 1);
    w.Type('N');
    EXPECT_EQ(S().RatioCount, 2);
    EXPECT_EQ(S().SlotInfo[slot::Ratio].NumPoints, 2);
    HeadlessHost::CanvasOf(*ratio).ClearRecord();

    // D: the dark spectra of both channels.
    w.Type('d');
    EXPECT_EQ(S().SlotInfo[8].NumPoints, 256);
    EXPECT_EQ(S().SlotInfo[9].NumPoints, 256);
    EXPECT_TRUE(S().DarkViewOn);

    // O: an overlay scan adds a curve to the ring.
    const int16_t overlays = S().OverlayCount;
    w.Type('o');
    EXPECT_EQ(S().OverlayCount, overlays + 1);
    EXPECT_EQ(S().RatioCount, 3);
    EXPECT_FALSE(HeadlessHost::CanvasOf(*ratio).Ops().empty());  // the ratio window redrew its series

    // R: the reference scan.
    w.Type('r');
    EXPECT_EQ(S().SlotInfo[10].NumPoints, 256);
    EXPECT_TRUE(S().DarkRefShown);
    EXPECT_TRUE(w.op.Messages().empty()) << w.op.Messages()[0].text;

    // A: a timed series every 5 s on whole seconds, the port held open between its scans.
    const int scansBefore = Count("NextScan");
    const int16_t pointsBefore = S().RatioCount;
    w.Type('a');
    EXPECT_TRUE(w.Mdi().Timer1.Enabled());
    EXPECT_TRUE(S().PortHeldOpen);
    RunTimer(12);
    const std::vector<int64_t>& times = w.flows.scanTimes;
    ASSERT_GE(Count("NextScan") - scansBefore, 2);
    for (size_t i = scansBefore + 1; i < times.size(); ++i) {
        EXPECT_NEAR(static_cast<double>(times[i] - times[i - 1]), 5e6, 5000.0) << i;
    }
    EXPECT_EQ(S().RatioCount, pointsBefore + Count("NextScan") - scansBefore);
    EXPECT_TRUE(w.comm.PortOpen());

    // A key without a command leaves the series running; Escape stops it and frees the port.
    w.Type('q');
    EXPECT_TRUE(w.Mdi().Timer1.Enabled());
    w.MainCanvas().ClearRecord();
    w.Type(27);
    EXPECT_FALSE(w.Mdi().Timer1.Enabled());
    EXPECT_FALSE(S().PortHeldOpen);
    EXPECT_FALSE(w.comm.PortOpen());
    const std::vector<std::string> printed = w.MainCanvas().PrintedTexts();
    EXPECT_NE(std::find(printed.begin(), printed.end(), "AutoScan Stopped"), printed.end());
    EXPECT_TRUE(w.op.Messages().empty()) << w.op.Messages()[0].text;

    // The end: settings written, every window gone.
    w.Mdi().UserClose();
    EXPECT_NE(w.dir.Read("Prismel.INI").find("Ratio Active=-1"), std::string::npos);
    EXPECT_TRUE(w.app.forms.Loaded().empty());
}

}  // namespace
}  // namespace tav
