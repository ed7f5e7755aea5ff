// The main window's menu bar: every item with its caption and shortcut in order, the scan and
// file commands of "&Menu", wireless DC, help, the About box and the shortcuts that reach the
// menu from the windows.

#include <gtest/gtest.h>

#include "MainWindowWorld.h"
#include "charts/ChartFixtures.h"
#include "windows/AboutForm.h"
#include "windows/EraseForm.h"

namespace tav {
namespace {

using test::MainWindowWorld;

struct ItemDesign {
    const char* name;
    const char* caption;
    const char* shortcut;
};

struct MenuDesign {
    const char* name;
    const char* caption;
    std::vector<ItemDesign> items;
};

TEST(MainMenus, TheMenuBarCarriesEveryItemInOrderWithItsShortcut) {
    const std::vector<MenuDesign> bar = {
        {"GetData", "&Menu",
         {{"NextScanMenu", "Sca&n", ""}, {"DarkScanMenu", "&Dark Scan", ""}, {"ReferenceScanMenu", "&Reference Scan", ""},
          {"AutoScanMenu", "&AutoScan / AutoCopy", ""}, {"OverlayMenu", "&Overlay Scan", ""}, {"Cursor", "&Cursor", ""},
          {"SaveFileMenu", "&Save File", ""}, {"ReadFileMenu", "Read &File", ""}, {"OverlayFileMenu", "Over&lay File", ""},
          {"cartmenu", "Cart %Go/Stop", ""}, {"ClearMenu", "&Erase", ""}}},
        {"Setup", "&Setup",
         {{"AutoSetIntegrationTime", "&Auto Set Integration Time", "Ctrl+I"}, {"Options", "&Options", "Ctrl+O"},
          {"SetScale", "&Set Scale", "Ctrl+S"}, {"InstParams", "&Instrument Parameters", "Ctrl+P"},
          {"DefaultDataDirectory", "&Default Data Directory", ""}, {"RefCalFile", "&Reference Calibration File", "Ctrl+R"}}},
        {"ViewMenu", "&View",
         {{"Viewmainform", "&Main Window", ""}, {"ViewIndexForm", "Inde&x Data Window", "F2"},
          {"ViewRatioForm", "&Ratio Window", "F3"}, {"ViewNormDiffForm", "&Normalized Difference", "F4"},
          {"ViewExperimentalForm", "&Experimental Window", "F5"}, {"ViewDerivativeForm", "&Derivative Window", "F6"},
          {"ViewIntegralForm", "&Integral Window", "F7"}, {"Viewaverageform", "&Average Window", "F8"},
          {"ViewDiagnosticsForm", "Dia&gnostics Window", "F9"}, {"Tile", "&Tile Windows", ""}}},
        {"Process", "&Process",
         {{"Divide", "&Divide", "Ctrl+D"}, {"Add", "&Add", ""}, {"Subtract", "Su&btract", "Ctrl+B"},
          {"Multiply", "&Multiply", ""}, {"Average", "A&verage", "Ctrl+A"}, {"Derivative", "De&rivative", ""},
          {"Transform", "&Transform", "Ctrl+T"}}},
        {"Index", "&Index", {{"BandDefs", "&Band Definitions", ""}, {"KinDefs", "&Kinetic Definitions", ""}}},
        {"Activate", "&Activate",
         {{"ActivateRatio", "&Ratio", "Shift+F3"}, {"ActivateNormDiff", "&Normalized Difference", "Shift+F4"},
          {"ActivateExperimental", "&Experimental", "Shift+F5"}, {"ActivateDerivative", "&Derivative", "Shift+F6"},
          {"ActivateIntegral", "&Integral", "Shift+F7"}, {"ActivateAverage", "&Average", "Shift+F8"},
          {"ActivateDiagnostics", "Dia&gnostics", "Shift+F9"}, {"ActivateTimeStamp", "&TimeStamp", ""}}},
        {"save", "Sav&e",
         {{"SaveRatio", "&Ratio", "Ctrl+Shift+F3"}, {"SaveNormDiff", "&Normalized Difference", "Ctrl+Shift+F4"},
          {"SaveExperimental", "&Experimental", "Ctrl+Shift+F5"}, {"SaveDerivative", "&Derivative", "Ctrl+Shift+F6"},
          {"SaveIntegral", "&Integral", "Ctrl+Shift+F7"}, {"SaveAverage", "&Average", "Ctrl+Shift+F8"},
          {"SaveDiagnostics", "Dia&gnostics", "Ctrl+Shift+F9"}}},
        {"PrintMenu", "P&rint", {}},
        {"ExitProg", "E&xit", {{"Exit", "E&xit", "Ctrl+X"}}},
        {"help1", "&Help", {{"help", "Help", ""}, {"about", "About Tavolin...", ""}}},
    };
    MainWindowWorld w;
    const std::vector<MenuItem*>& menus = w.Mdi().Menus();
    ASSERT_EQ(menus.size(), bar.size());
    for (std::size_t m = 0; m < bar.size(); ++m) {
        const MenuItem& menu = *menus[m];
        EXPECT_EQ(menu.Name(), bar[m].name);
        EXPECT_EQ(menu.Caption(), bar[m].caption);
        ASSERT_EQ(menu.Items().size(), bar[m].items.size()) << bar[m].name;
        for (std::size_t i = 0; i < bar[m].items.size(); ++i) {
            const MenuItem& item = *menu.Items()[i];
            const ItemDesign& design = bar[m].items[i];
            EXPECT_EQ(item.Name(), design.name);
            EXPECT_EQ(item.Caption(), design.caption) << design.name;
            EXPECT_EQ(ShortcutText(item.ShortcutKey()), design.shortcut) << design.name;
            EXPECT_TRUE(item.Visible()) << design.name;
            EXPECT_EQ(item.Enabled(), std::string(design.name) != "ReferenceScanMenu") << design.name;
        }
    }
}

struct MenuCommands : ::testing::Test {
    MainWindowWorld w;

    void SetUp() override {
        w.PastWelcome();
        w.state->AutoScaleOn.fill(-1);
    }
    ProgramState& S() { return *w.state; }
    MDIForm1& Mdi() { return w.Mdi(); }
    // The spectrum window closed to the operator's eyes: hidden and not marked open.
    void HideSpectrum() {
        w.Main().Hide();
        S().Menu.Viewmainform = false;
    }
};

TEST_F(MenuCommands, ScanItemsShowTheSpectrumWindowRunTheirLetterAndMarkItOpen) {
    const std::pair<MenuItem MDIForm1::*, const char*> items[] = {
        {&MDIForm1::NextScanMenu, "NextScan"},
        {&MDIForm1::DarkScanMenu, "DarkScan"},
        {&MDIForm1::OverlayMenu, "OverlayScan"},
    };
    for (const auto& [item, call] : items) {
        HideSpectrum();
        w.flows.calls.clear();
        int visibleDuringScan = -1;
        w.flows.duringNextScan = [&] { visibleDuringScan = w.Main().Visible(); };
        (Mdi().*item).UserClick();
        EXPECT_EQ(w.flows.calls, std::vector<std::string>{call});
        EXPECT_TRUE(w.Main().Visible()) << call;
        EXPECT_TRUE(S().Menu.Viewmainform) << call;
        if (std::string(call) == "NextScan") {
            EXPECT_EQ(visibleDuringScan, 1);
        }
    }

    // The reference scan cannot be chosen from here.
    w.flows.calls.clear();
    Mdi().ReferenceScanMenu.UserClick();
    EXPECT_TRUE(w.flows.calls.empty());
}

TEST_F(MenuCommands, AutoScanMarksTheSpectrumWindowWithoutShowingItAndOverlayFileDoesNeither) {
    HideSpectrum();
    Mdi().OverlayFileMenu.UserClick();
    EXPECT_EQ(w.flows.calls, std::vector<std::string>{"OverlayFile"});
    EXPECT_FALSE(S().Menu.Viewmainform);
    EXPECT_FALSE(w.Main().Visible());

    Mdi().AutoScanMenu.UserClick();
    EXPECT_TRUE(Mdi().Timer1.Running());
    EXPECT_TRUE(S().AutoScanTimerOn);
    EXPECT_TRUE(S().Menu.Viewmainform);
    EXPECT_FALSE(w.Main().Visible());
}

TEST_F(MenuCommands, CursorTogglesExceptDuringAZoomDrag) {
    Mdi().Cursor.UserClick();
    EXPECT_TRUE(S().CursorOn);
    Mdi().Cursor.UserClick();
    EXPECT_FALSE(S().CursorOn);
    S().ZoomDragging = true;
    Mdi().Cursor.UserClick();
    EXPECT_FALSE(S().CursorOn);
}

TEST_F(MenuCommands, ReadFileStartsANewRingInSlotZero) {
    ProgramState& s = S();
    w.dir.Write("DATA/leaf.rdg",
                "\"File:       leaf.rdg\"\r\n\"Temp:       20 deg C\"\r\n\"Time:       01/01/2024  00:00:00  0\"\r\n"
                "\"Limits:     400 - 420\"\r\n\r\n\"Minimum:    400.0nm  10\"\r\n\"Maximum:    420.0nm  50\"\r\n"
                "\"Integration: 12.5 ms\"\r\n\"Number Scans: 3\"\r\n\r\n"
                "400 \t10. \t20.\r\n410 \t30. \t40.\r\n420 \t50. \t60.\r\n");
    s.CurrentSlot = 5;
    s.OverlayCount = 6;
    s.FirstOverlaySlot = 2;
    w.op.AnswerOpen(w.dir.File("DATA/leaf.rdg"));
    Mdi().ReadFileMenu.UserClick();
    EXPECT_EQ(s.SlotInfo[0].NumPoints, 3);
    EXPECT_EQ(s.Ch1Data[0][2], 50.0f);
    EXPECT_EQ(s.CurrentSlot, 0);
    EXPECT_EQ(s.FirstOverlaySlot, 0);
    EXPECT_EQ(s.OverlayCount, 1);
    EXPECT_EQ(s.DisplayChannel[0], 0);
    EXPECT_EQ(s.SavedDisplaySlot, 0);
    EXPECT_EQ(w.flows.calls, std::vector<std::string>{"ComputeKineticIndices"});
    EXPECT_FALSE(w.MainCanvas().OpsOfKind(CanvasOp::Kind::Line).empty());

    // Cancelled: the window still shows the old ring, so the ring stays as it is, and the old
    // spectrum gives no new index point.
    s.CurrentSlot = 3;
    s.OverlayCount = 4;
    s.SavedDisplaySlot = 3;
    w.flows.calls.clear();
    w.MainCanvas().ClearRecord();
    w.op.AnswerOpen("");
    Mdi().ReadFileMenu.UserClick();
    EXPECT_EQ(w.op.MessageTexts(), std::vector<std::string>{"Invalid File Name."});
    EXPECT_EQ(s.CurrentSlot, 3);
    EXPECT_EQ(s.OverlayCount, 4);
    EXPECT_EQ(s.FirstOverlaySlot, 0);
    EXPECT_EQ(s.SavedDisplaySlot, 3);
    EXPECT_TRUE(w.flows.calls.empty());
    EXPECT_TRUE(w.MainCanvas().Ops().empty());
}

TEST_F(MenuCommands, SaveFileSavesTheCurrentSlot) {
    charttest::FillScan256(S(), 2);
    S().CurrentSlot = 2;
    w.op.AnswerSave(w.dir.File("DATA/mine.rdg"));
    Mdi().SaveFileMenu.UserClick();
    EXPECT_EQ(w.op.SaveRequests().size(), 1u);
    EXPECT_TRUE(w.fs.Exists(w.dir.File("DATA/mine.rdg")));
}

TEST_F(MenuCommands, EraseItemShowsTheConfirmation) {
    Mdi().ClearMenu.UserClick();
    ERASEFORM* erase = w.app.forms.Find<ERASEFORM>();
    ASSERT_NE(erase, nullptr);
    EXPECT_TRUE(erase->Visible());
    EXPECT_EQ(erase->Width(), 4500);
    EXPECT_EQ(erase->Height(), 2200);
    EXPECT_TRUE(w.flows.calls.empty());
}

TEST_F(MenuCommands, WirelessDcStartsAndStopsOnlyWhenConfirmed) {
    w.op.AnswerMessage(MsgResult::Yes);
    Mdi().cartmenu.UserClick();
    EXPECT_EQ(w.op.MessageTexts(), std::vector<std::string>{"Are you sure you want to start Wireless DC?"});
    EXPECT_TRUE(S().WirelessDCOn);
    w.instrument.Advance(1e6);
    EXPECT_TRUE(w.instrument.WirelessOn());

    w.op.AnswerMessage(MsgResult::No);
    Mdi().cartmenu.UserClick();
    EXPECT_EQ(w.op.MessageTexts().back(), "Are you sure you want to stop wireless DC?");
    EXPECT_TRUE(S().WirelessDCOn);
    w.instrument.Advance(1e6);
    EXPECT_TRUE(w.instrument.WirelessOn());
}

TEST_F(MenuCommands, HelpShowsTheProgramsOwnHelpWhateverTheStartFolderHolds) {
    w.dir.Write("OLMHELP.HLP", "an old help file");
    Mdi().help.UserClick();
    Mdi().help.UserClick();
    EXPECT_EQ(w.op.HelpRequests(), (std::vector<std::string>{"olmhelp.hlp", "olmhelp.hlp"}));
    EXPECT_TRUE(w.op.Messages().empty());
}

TEST_F(MenuCommands, AboutBoxComesUpSizedAndGoesWithOk) {
    Mdi().about.UserClick();
    Aboutform* box = w.app.forms.Find<Aboutform>();
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->Visible());
    EXPECT_EQ(box->Caption(), "About Tavolin");
    EXPECT_EQ(box->Width(), 7500);
    EXPECT_EQ(box->Height(), 5500);
    EXPECT_EQ(box->Title.Caption(), "Tavolin");
    EXPECT_EQ(box->Title.Container(), &box->Picture1);
    box->Command1.UserClick();
    w.app.forms.Collect();
    EXPECT_EQ(w.app.forms.Find<Aboutform>(), nullptr);
}

TEST_F(MenuCommands, ShortcutsReachTheMenuFromTheSpectrumWindow) {
    // Shift+F3: switching the ratio on without its bands is refused.
    w.Main().UserKeyDown(nullptr, key::Fn(3), shift::Shift);
    EXPECT_EQ(w.op.MessageTexts(), std::vector<std::string>{"You must specify the bands to ratio before using this option!"});
    // F2: the index window.
    w.Main().UserKeyDown(nullptr, key::Fn(2), shift::None);
    EXPECT_TRUE(S().Menu.ViewIndexForm);
    // Ctrl+Shift+F9: the diagnostics log's save dialog.
    w.Main().UserKeyDown(nullptr, key::Fn(9), shift::Ctrl | shift::Shift);
    EXPECT_EQ(w.op.SaveRequests().size(), 1u);
}

}  // namespace
}  // namespace tav
