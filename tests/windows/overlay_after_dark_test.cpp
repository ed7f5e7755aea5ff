// An overlay taken while a dark scan is on display, by the operator's keys against the
// simulated instrument: it goes into the ring slot after the one the ring showed last, so the
// newest scan stays, no curve of an earlier ring comes back, and Ch1/Ch2 keeps the ring.

#include <gtest/gtest.h>

#include <array>

#include "MainWindowWorld.h"
#include "windows/two_file_fixtures.h"

namespace tav {
namespace {

using test::SpectrumFileText;

struct OverlayAfterDark : ::testing::Test {
    test::MainWindowWorld w{false};

    void SetUp() override {
        w.dir.MakeDir("DATA");
        w.dir.Write("DATA/one.rdg", SpectrumFileText({{400, 8, 2}, {401, 6, 4}, {402, 5, 5}}));
        w.Start(true);
        w.state->DefaultPath = w.dir.File("DATA");
        w.state->AutoScaleOn.fill(-1);
        w.PastWelcome();
    }
    ProgramState& S() { return *w.state; }
    void OverlayFileKey() {
        w.op.AnswerOpen(w.dir.File("DATA") + "/one.rdg");
        w.Type('L');
    }
    bool Shown(const std::string& part) {
        for (const std::string& t : w.MainCanvas().PrintedTexts())
            if (t.find(part) != std::string::npos) return true;
        return false;
    }
};

TEST_F(OverlayAfterDark, AnOverlayScanOrFileGoesOnAfterTheSlotTheRingShowedLast) {
    for (const char last : {'O', 'L'}) {
        SCOPED_TRACE(last);
        ProgramState& s = S();
        // A full ring of an earlier run: N, six O and an L fill slots 0 to 7.
        w.Type('N');
        for (int k = 0; k < 6; ++k) w.Type('O');
        OverlayFileKey();
        ASSERT_EQ(s.CurrentSlot, 7);
        // A new ring with one scan, then a dark scan on display.
        w.Type('N');
        ASSERT_EQ(s.CurrentSlot, 0);
        const std::array<float, PointCount> newest = s.Ch1Data[0];
        w.Type('D');
        ASSERT_TRUE(s.CurrentSlot == slot::DarkCh1 || s.CurrentSlot == slot::DarkCh2);

        w.MainCanvas().ClearRecord();
        if (last == 'O') w.Type('O');
        else OverlayFileKey();
        EXPECT_TRUE(w.op.Messages().empty()) << w.op.Messages()[0].text;
        EXPECT_EQ(s.CurrentSlot, 1) << "the slot after the newest scan";
        EXPECT_EQ(s.SavedDisplaySlot, 1);
        EXPECT_EQ(s.FirstOverlaySlot, 0) << "the ring draws the newest scan and the overlay, nothing older";
        EXPECT_EQ(s.OverlayCount, 2);
        EXPECT_EQ(s.Ch1Data[0], newest) << "the newest scan is not overwritten";
        EXPECT_TRUE(Shown("Overlay :   1 "));

        // The channel button keeps the ring on display.
        w.Mdi().Command3.UserClick();
        EXPECT_EQ(s.CurrentSlot, 1);
        EXPECT_EQ(s.FirstOverlaySlot, 0);
        w.Mdi().Command3.UserClick();
    }
}

}  // namespace
}  // namespace tav
