// The welcome window: whatever closes it, its closing takes exactly one scan, the first of the
// run, and then restarts the elapsed-time clock.

#include <gtest/gtest.h>

#include <ostream>

#include "MainWindowWorld.h"
#include "SettingsFileLines.h"
#include "windows/IndexForm.h"
#include "windows/KineticForms.h"
#include "windows/MenuForm.h"
#include "windows/NormDiffForm.h"

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

struct Rect {
    float top, left, height, width;
    bool operator==(const Rect&) const = default;
};
void PrintTo(const Rect& r, std::ostream* os) {
    *os << "top " << r.top << " left " << r.left << " height " << r.height << " width " << r.width;
}
Rect PlaceOf(const Form& form) { return {form.Top(), form.Left(), form.Height(), form.Width()}; }

// The places a settings file holds are kept through the welcome window, and the next settings
// file written holds them again; a first run has its windows arranged.
TEST(WelcomeForm, ItKeepsTheWindowPlacesReadAndArrangesOnlyAFirstRun) {
    const std::string placed =
        "Main Window=0 0 4600 8700 0  0 \r\n"
        "Menu Window=4700 9000 5100 2775 0 -1 \r\n"
        "Index Window=0 8700 4600 3500 0 -1 \r\n"
        "Ratio Window = 4600 0 3400 4000 0 -1 \r\n"
        "NormDiff Window=4600 4000 3400 4100 0 -1 \r\n";
    {
        SCOPED_TRACE("a settings file with places");
        MainWindowWorld w(false);
        ASSERT_TRUE(w.dir.Write("Prismel.INI", placed));
        w.Start();
        ASSERT_NE(w.Welcome(), nullptr);
        EXPECT_EQ(PlaceOf(w.Main()), (Rect{0, 0, 4600, 8700}));
        EXPECT_EQ(PlaceOf(w.app.forms.Get<MenuForm>()), (Rect{4700, 9000, 5100, 2775}));
        EXPECT_EQ(PlaceOf(w.app.forms.Get<IndexForm>()), (Rect{0, 8700, 4600, 3500}));
        EXPECT_EQ(PlaceOf(w.app.forms.Get<RatioForm>()), (Rect{4600, 0, 3400, 4000}));
        EXPECT_EQ(PlaceOf(w.app.forms.Get<NormDiffForm>()), (Rect{4600, 4000, 3400, 4100}));
        w.Mdi().Unload();  // the settings file is written
        EXPECT_EQ(test::SettingsLine(w.dir, "Menu Window="), "Menu Window=4700 9000 5100 2775 0 -1 ");
        EXPECT_EQ(test::SettingsLine(w.dir, "Ratio Window"), "Ratio Window = 4600 0 3400 4000 0 -1 ");
        EXPECT_EQ(test::SettingsLine(w.dir, "NormDiff Window="), "NormDiff Window=4600 4000 3400 4100 0 -1 ");
    }
    {
        SCOPED_TRACE("a settings file whose open windows have no places");
        MainWindowWorld w(false);
        ASSERT_TRUE(w.dir.Write("Prismel.INI", "Ratio Window = 0 0 0 0 0 -1 \r\nIndex Window=0 0 0 0 0 -1 \r\n"));
        w.Start();
        const MdiForm& mdi = w.Mdi();
        const Form* tiles[] = {&w.app.forms.Get<RatioForm>(), &w.app.forms.Get<IndexForm>()};
        for (const Form* tiled : tiles) {
            EXPECT_EQ(tiled->Left(), 0) << tiled->Name();
            EXPECT_EQ(tiled->Width(), mdi.ClientWidth()) << tiled->Name();
            EXPECT_EQ(tiled->Height(), mdi.ClientHeight() / 2) << tiled->Name();
        }
    }
    {
        SCOPED_TRACE("no settings file");
        MainWindowWorld w;
        const MainForm& spectrum = w.Main();
        const MenuForm& menu = w.app.forms.Get<MenuForm>();
        ASSERT_TRUE(menu.Visible());
        EXPECT_EQ(menu.Width(), 2775) << "its design size";
        EXPECT_EQ(menu.Height(), 5100);
        EXPECT_EQ(menu.Top(), spectrum.Top());
        // Beside the spectrum window, as far as the client area lets it: whole inside it.
        const float room = w.Mdi().ClientWidth() - menu.Width();
        EXPECT_EQ(menu.Left(), std::min(spectrum.Left() + spectrum.Width(), room));
        EXPECT_TRUE(spectrum.Visible());
        EXPECT_EQ(w.app.forms.ActiveForm(), w.Welcome());
    }
}

}  // namespace
}  // namespace tav
