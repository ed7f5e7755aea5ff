// The welcome window: whatever closes it, its closing takes exactly one scan, the first of the
// run, and then restarts the elapsed-time clock.

#include <gtest/gtest.h>

#include "MainWindowWorld.h"

namespace tav {
namespace {

using test::MainWindowWorld;

struct CloseCase {
    const char* what;
    std::function<void(MainWindowWorld&)> close;
};

TEST(WelcomeForm, WhateverClosesItTakesExactlyOneScan) {
    const CloseCase cases[] = {
        {"CONTINUE", [](MainWindowWorld& w) { w.Welcome()->Command1.UserClick(); }},
        {"a click on the window", [](MainWindowWorld& w) { w.Welcome()->UserClick(); }},
        {"a click on its picture", [](MainWindowWorld& w) { w.Welcome()->Picture3.UserClick(); }},
        {"a key", [](MainWindowWorld& w) { w.Welcome()->UserKeyPress(&w.Welcome()->Command1, 'q'); }},
        {"a key at the first tick", [](MainWindowWorld& w) {
             WelcomeForm& welcome = *w.Welcome();
             welcome.Timer2.UserTick();
             welcome.UserKeyPress(nullptr, 13);
         }},
        {"the focus going elsewhere", [](MainWindowWorld& w) {
             w.Welcome()->UserActivated();
             w.Main().UserFocus(nullptr);
         }},
        {"the first click on the spectrum window", [](MainWindowWorld& w) { w.Main().UserClick(); }},
        {"a click on the main window's empty area", [](MainWindowWorld& w) { w.Mdi().UserClick(); }},
        {"the end of the animation", [](MainWindowWorld& w) {
             for (int i = 0; i < 200 && w.Welcome(); ++i) w.Welcome()->Timer2.UserTick();
         }},
    };
    for (const CloseCase& c : cases) {
        MainWindowWorld w;
        ASSERT_NE(w.Welcome(), nullptr);
        w.state->ResetTimer = false;
        bool resetDuringScan = true;
        bool shownDuringScan = true;
        w.flows.duringNextScan = [&] {
            resetDuringScan = w.state->ResetTimer;
            shownDuringScan = w.Welcome() && w.Welcome()->Visible();
            w.Main().UserClick();  // a second cause while the first is being handled
        };
        c.close(w);
        SCOPED_TRACE(c.what);
        EXPECT_EQ(w.Welcome(), nullptr);
        EXPECT_EQ(w.flows.calls, std::vector<std::string>{"NextScan"});
        EXPECT_FALSE(shownDuringScan) << "the window is gone before its scan";
        EXPECT_FALSE(resetDuringScan);      // the scan comes first,
        EXPECT_TRUE(w.state->ResetTimer);   // then the clock restarts at the next
        EXPECT_FALSE(w.state->IniLoaded);

        // Nothing that would have closed it takes another scan later.
        w.Main().UserClick();
        w.Mdi().UserClick();
        EXPECT_EQ(w.flows.calls.size(), 1u);
    }
}

TEST(WelcomeForm, FocusMovingBeforeTheWindowSystemActivatedItLeavesItOpen) {
    MainWindowWorld w;
    w.Main().UserFocus(nullptr);
    EXPECT_NE(w.Welcome(), nullptr);
    EXPECT_TRUE(w.flows.calls.empty());
}

TEST(WelcomeForm, TheButterflyCrossesInSeventyFourStepsAndTheNextTickCloses) {
    MainWindowWorld w;
    WelcomeForm& welcome = *w.Welcome();
    EXPECT_EQ(welcome.Timer2.Interval(), 400);
    EXPECT_TRUE(welcome.Timer2.Running());
    EXPECT_EQ(welcome.main.Left(), -960);
    std::vector<std::string> frames;
    for (int i = 0; i < 74; ++i) {
        welcome.Timer2.UserTick();
        frames.push_back(welcome.main.Picture());
    }
    ASSERT_EQ(w.Welcome(), &welcome);
    EXPECT_EQ(welcome.main.Left(), 520);
    EXPECT_EQ(welcome.main.Top(), 2280 - 148);
    EXPECT_EQ(frames[0], welcome.openwings.Picture());
    EXPECT_EQ(frames[1], welcome.closewings.Picture());
    EXPECT_EQ(frames[2], welcome.openwings.Picture());
    EXPECT_TRUE(w.flows.calls.empty());
    welcome.Timer2.UserTick();
    EXPECT_EQ(w.Welcome(), nullptr);
    EXPECT_EQ(w.flows.calls.size(), 1u);
}

TEST(WelcomeForm, ItsLoadStopsTimedAcquisitionAndBringsUpTheSpectrumWindow) {
    MainWindowWorld w;
    const WelcomeForm& welcome = *w.Welcome();
    EXPECT_EQ(welcome.Caption(), "Welcome to Veradin");
    EXPECT_EQ(welcome.Command1.Caption(), "CONTINUE");
    EXPECT_EQ(welcome.Command1.Left(), 10);
    EXPECT_EQ(welcome.Command1.Top(), 10);
    EXPECT_FALSE(w.Mdi().Timer1.Enabled());
    EXPECT_EQ(w.state->ChartFontName, "Arial");
    MainForm& spectrum = w.Main();
    EXPECT_TRUE(spectrum.Visible());
    EXPECT_TRUE(w.state->Menu.Viewmainform);
}

}  // namespace
}  // namespace tav
