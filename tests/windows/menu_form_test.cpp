// The quick menu: each label runs what its caption names; the window keeps its place and its
// open flag in MenuFormRect, which the settings file reads and writes as "Menu Window".

#include <gtest/gtest.h>

#include <functional>

#include "MainWindowWorld.h"
#include "SettingsFileLines.h"
#include "windows/IndexForm.h"
#include "windows/KineticForms.h"
#include "windows/MenuForm.h"
#include "windows/NormDiffForm.h"

namespace tav {
namespace {

using test::MainWindowWorld;
using test::OpenFlagOf;
using test::SettingsLine;

MenuForm& QuickMenu(MainWindowWorld& w) { return w.app.forms.Get<MenuForm>(); }

Label* LabelCaptioned(MenuForm& menu, const std::string& caption) {
    for (Control* control : menu.Controls()) {
        if (control->Kind() != ControlKind::Label) continue;
        auto* label = static_cast<Label*>(control);
        if (label->Caption() == caption) return label;
    }
    return nullptr;
}

TEST(MenuForm, TheScanLabelsRunTheirFlowsAndBringUpTheSpectrumWindow) {
    struct ScanCase {
        const char* caption;
        const char* flow;
        bool seriesGoesOn;
    };
    const ScanCase cases[] = {
        {"N - Next Scan", "NextScan", false},
        {"D - Dark Scan", "DarkScan", false},
        {"R - Reference Scan", "ReferenceScan", false},
        {"O - Overlay Scan", "OverlayScan", true},
        {"L - Overlay File", "OverlayFile", true},
    };
    for (const ScanCase& c : cases) {
        MainWindowWorld w;
        w.PastWelcome();
        w.RunningSeries();
        w.Main().Hide();
        Label* label = LabelCaptioned(QuickMenu(w), c.caption);
        ASSERT_NE(label, nullptr) << c.caption;
        bool blockedDuringFlow = false;
        w.flows.duringNextScan = [&] { blockedDuringFlow = w.app.flow.Running(); };
        label->UserClick();
        SCOPED_TRACE(c.caption);
        EXPECT_EQ(w.flows.calls, std::vector<std::string>{c.flow});
        EXPECT_EQ(w.Mdi().Timer1.Enabled(), c.seriesGoesOn);
        if (std::string(c.flow) == "NextScan") {
            EXPECT_TRUE(blockedDuringFlow);
        }
        if (std::string(c.flow) != "OverlayFile") {
            EXPECT_TRUE(w.Main().Visible());
        }
    }
}

TEST(MenuForm, AutoScanStartsTheTimerWithoutHoldingThePort) {
    MainWindowWorld w;
    w.PastWelcome();
    w.Main().Hide();
    QuickMenu(w).AutoScanLbl.UserClick();
    EXPECT_TRUE(w.Mdi().Timer1.Enabled());
    EXPECT_EQ(w.Mdi().Timer1.Interval(), 10);
    EXPECT_TRUE(w.state->AutoScanTimerOn);
    EXPECT_FALSE(w.state->PortHeldOpen) << "each scan of the series opens and closes the port";
    EXPECT_FALSE(w.comm.PortOpen());
    EXPECT_TRUE(w.Main().Visible());
    EXPECT_TRUE(w.op.Messages().empty());
    EXPECT_TRUE(w.flows.calls.empty());

    // A series that the key started keeps its held port; the timer is only re-armed.
    w.RunningSeries();
    QuickMenu(w).AutoScanLbl.UserClick();
    EXPECT_EQ(w.Mdi().Timer1.Interval(), 10);
    EXPECT_TRUE(w.state->PortHeldOpen);
    EXPECT_TRUE(w.comm.PortOpen());
}

TEST(MenuForm, ClearEmptiesTheSlotsAtOnceWithoutAsking) {
    MainWindowWorld w;
    w.PastWelcome();
    ProgramState& s = *w.state;
    s.DataAvailable = true;
    s.CurrentSlot = 3;
    s.SlotInfo[3].NumPoints = 256;
    s.Ch1Data[3][10] = 5;
    s.ResetTimer = false;
    QuickMenu(w).ClearLbl.UserClick();
    EXPECT_FALSE(s.DataAvailable);
    EXPECT_EQ(s.CurrentSlot, 0);
    EXPECT_EQ(s.SlotInfo[3].NumPoints, 0);
    EXPECT_EQ(s.Ch1Data[3][10], 0);
    EXPECT_TRUE(s.ResetTimer);
    EXPECT_TRUE(w.flows.calls.empty());  // no confirmation window
    EXPECT_TRUE(w.op.Messages().empty());
}

TEST(MenuForm, MarkerSwitchesTheCursorExceptDuringADrag) {
    MainWindowWorld w;
    w.PastWelcome();
    ProgramState& s = *w.state;
    MenuForm& menu = QuickMenu(w);
    menu.MarkerLbl.UserClick();
    EXPECT_TRUE(s.CursorOn);
    s.ZoomDragging = true;
    menu.MarkerLbl.UserClick();
    EXPECT_TRUE(s.CursorOn);
    s.ZoomDragging = false;
    menu.MarkerLbl.UserClick();
    EXPECT_FALSE(s.CursorOn);
}

TEST(MenuForm, SaveAndReadAskForAFile) {
    MainWindowWorld w;
    w.PastWelcome();
    MenuForm& menu = QuickMenu(w);
    menu.SaveLbl.UserClick();
    EXPECT_EQ(w.op.SaveRequests().size(), 1u);
    // A cancelled read after nothing was ever loaded leaves the chart alone and computes nothing.
    menu.ReadFileLbl.UserClick();
    EXPECT_EQ(w.op.OpenRequests().size(), 1u);
    EXPECT_TRUE(w.flows.calls.empty());
    EXPECT_TRUE(w.MainCanvas().Ops().empty());
}

// A window label brings its window up as the function key does: marked open and checked in the
// View menu, so that its first Paint draws and it takes the next index points.
TEST(MenuForm, TheWindowLabelsBringUpTheirWindowsOpenAndPainted) {
    struct WindowCase {
        const char* caption;
        std::function<Form*(App&)> find;
        WindowRect ProgramState::*rect;  // nullptr: the spectrum window, which has no open flag
        bool MenuChecks::*viewItem;
        int16_t slot;                    // a kinetic window's first Paint plots its point here
    };
    const WindowCase cases[] = {
        {"F1 - Main Window", [](App& a) -> Form* { return a.forms.Find<MainForm>(); }, nullptr,
         &MenuChecks::Viewmainform, 0},
        {"F2 - Index Window", [](App& a) -> Form* { return a.forms.Find<IndexForm>(); },
         &ProgramState::IndexFormRect, &MenuChecks::ViewIndexForm, 0},
        {"F3 - Ratio Window", [](App& a) -> Form* { return a.forms.Find<RatioForm>(); },
         &ProgramState::RatioFormRect, &MenuChecks::ViewRatioForm, 11},
        {"F4 - Norm. Diff. Win", [](App& a) -> Form* { return a.forms.Find<NormDiffForm>(); },
         &ProgramState::NormDiffFormRect, &MenuChecks::ViewNormDiffForm, 12},
        {"F5 - Derivative Win", [](App& a) -> Form* { return a.forms.Find<DerivativeForm>(); },
         &ProgramState::DerivativeFormRect, &MenuChecks::ViewDerivativeForm, 14},
        {"F6 - Integral Win", [](App& a) -> Form* { return a.forms.Find<IntegralForm>(); },
         &ProgramState::IntegralFormRect, &MenuChecks::ViewIntegralForm, 15},
        {"F7 - Average Win", [](App& a) -> Form* { return a.forms.Find<AverageForm>(); },
         &ProgramState::AverageFormRect, &MenuChecks::Viewaverageform, 16},
    };
    for (const WindowCase& c : cases) {
        SCOPED_TRACE(c.caption);
        MainWindowWorld w;
        w.PastWelcome();
        w.Main().Hide();
        ProgramState& s = *w.state;
        s.DataAvailable = true;
        if (c.rect) (s.*c.rect).Open = 0;
        s.Menu.*c.viewItem = false;
        Label* label = LabelCaptioned(QuickMenu(w), c.caption);
        ASSERT_NE(label, nullptr);
        label->UserClick();
        Form* shown = c.find(w.app);
        ASSERT_NE(shown, nullptr);
        EXPECT_TRUE(shown->Visible());
        EXPECT_EQ(w.app.forms.ActiveForm(), shown);
        if (c.rect) {
            EXPECT_EQ((s.*c.rect).Open, -1);
        }
        EXPECT_TRUE(s.Menu.*c.viewItem);
        if (c.slot != 0) {
            EXPECT_EQ(s.SlotInfo[c.slot].NumPoints, 1) << "its first Paint plotted the current value";
        } else if (c.rect) {
            EXPECT_FALSE(HeadlessHost::CanvasOf(*shown).PrintedTexts().empty()) << "the read-out is listed";
        }
    }
}

TEST(MenuForm, TheSettingsFileShowsItByItsMenuWindowLine) {
    for (const char* open : {"-1", "0"}) {
        MainWindowWorld w(false);
        w.dir.Write("Prismel.INI", std::string("[Windows]\r\nMenu Window=500 700 4200 2900 0 ") + open + "\r\n");
        w.Start();
        const bool shown = std::string(open) == "-1";
        SCOPED_TRACE(open);
        MenuForm* menu = w.app.forms.Find<MenuForm>();
        ASSERT_NE(menu, nullptr);  // placed all the same, ready to be shown
        EXPECT_EQ(menu->Visible(), shown);
        EXPECT_EQ(w.state->MenuFormRect.Open, shown ? -1 : 0);
        if (!shown) {
            EXPECT_EQ(menu->Top(), 500);
            EXPECT_EQ(menu->Left(), 700);
            EXPECT_EQ(menu->Height(), 4200);
            EXPECT_EQ(menu->Width(), 2900);
        }
        // Written back where it is, with its flag.
        w.PastWelcome();
        menu->Move(400, 600, 3000, 4500);
        w.Mdi().UserClose();
        EXPECT_EQ(SettingsLine(w.dir, "Menu Window="), std::string("Menu Window=600 400 4500 3000 0 ") + (shown ? "-1 " : " 0 "));
    }
}

TEST(MenuForm, ClosingItTurnsTheQuickMenuOffAndKeepsItsPlace) {
    MainWindowWorld w;
    w.PastWelcome();
    MenuForm& menu = QuickMenu(w);
    ASSERT_TRUE(menu.Visible());
    menu.Move(300, 200, 3000, 5000);
    const WindowRect& rect = w.state->MenuFormRect;
    EXPECT_EQ(rect.Left, 300);
    EXPECT_EQ(rect.Top, 200);
    EXPECT_EQ(rect.Width, 3000);
    EXPECT_EQ(rect.Height, 5000);

    menu.UserWindowState(winstate::Minimized);  // a minimized window keeps the record
    EXPECT_EQ(rect.Width, 3000);
    menu.UserWindowState(winstate::Normal);

    menu.UserClose();
    EXPECT_EQ(w.app.forms.Find<MenuForm>(), nullptr);
    EXPECT_EQ(rect.Open, 0);
    w.Mdi().UserClose();
    EXPECT_EQ(OpenFlagOf(SettingsLine(w.dir, "Menu Window=")), "0");
}

TEST(MenuForm, TakingTheFocusAfterTheWelcomeBringsItToTheFront) {
    MainWindowWorld w;
    MenuForm& menu = QuickMenu(w);
    ASSERT_TRUE(w.state->IniLoaded);
    w.Main().SetFocus();
    menu.UserFocus(nullptr);  // while the program comes up: left where it is
    EXPECT_NE(w.app.forms.ActiveForm(), &menu);
    w.PastWelcome();
    w.Main().SetFocus();
    menu.UserFocus(nullptr);
    EXPECT_EQ(w.app.forms.ActiveForm(), &menu);
}

}  // namespace
}  // namespace tav
