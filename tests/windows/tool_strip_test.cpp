// The main window's tool strip: the memory-mode button with the erase run it arms, the scan
// buttons and what they do to a running series, and the buttons that switch what the spectrum
// window shows, with the status texts and the focus given back to the spectrum window.

#include <gtest/gtest.h>

#include "MainWindowWorld.h"
#include "charts/ChartFixtures.h"
#include "windows/IndexForm.h"
#include "windows/KineticForms.h"
#include "windows/MenuForm.h"

namespace tav {
namespace {

using test::MainWindowWorld;

struct ToolStrip : ::testing::Test {
    MainWindowWorld w;

    void SetUp() override {
        w.PastWelcome();
        ProgramState& s = *w.state;
        charttest::FillScan256(s, 0);
        s.DataAvailable = true;
        w.MainCanvas().SetAvailableFonts({"DejaVu Sans", "Arial", "Times New Roman", "Small Fonts"});
    }
    ProgramState& S() { return *w.state; }
    MDIForm1& Mdi() { return w.Mdi(); }
    void Enter(TextBox& box, const std::string& text) {
        box.UserEdit(text);
        Mdi().UserKeyPress(&box, 13);
    }
    // The status texts printed on the spectrum window, each with the font it was printed in.
    std::vector<std::string> Status() {
        std::vector<std::string> texts;
        for (const CanvasOp& op : w.MainCanvas().OpsOfKind(CanvasOp::Kind::Print)) {
            if (op.x1 == 5500 && op.y1 == 0) texts.push_back(op.text + " in " + op.fontName);
        }
        return texts;
    }
    bool Repainted() { return !w.MainCanvas().OpsOfKind(CanvasOp::Kind::Cls).empty(); }
    void RunTimer() {
        Mdi().Timer1.SetInterval(1000);
        Mdi().Timer1.SetEnabled(true);
    }
};

TEST_F(ToolStrip, ThirteenButtonsSitOnTheStripInItsFont) {
    MDIForm1& m = Mdi();
    const std::pair<Button*, const char*> buttons[] = {
        {&m.Command1, "START"},      {&m.Command7, "Refl / Raw"}, {&m.Command9, "Scale a/m"},
        {&m.Command11, "Zoom I/O"},  {&m.Command5, "Overlay"},    {&m.Command2, "Darkscan"},
        {&m.Command3, "Ch1 / Ch2"},  {&m.Command4, "Cursor"},     {&m.Command6, "Pixel / Bin"},
        {&m.Command8, "Darkcorr"},   {&m.Shutter, "Mode"},        {&m.Command10, "Set Para"},
        {&m.Command12, "STOP"},
    };
    for (const auto& [button, caption] : buttons) {
        EXPECT_EQ(button->Caption(), caption);
        EXPECT_EQ(button->Container(), &m.Picture1) << caption;
        EXPECT_EQ(button->FontName(), "Small Fonts") << caption;
        EXPECT_LE(button->Top() + button->Height(), m.Picture1.Height()) << caption;
    }
    // "STOP" does nothing at all.
    RunTimer();
    m.Command12.UserClick();
    EXPECT_TRUE(w.flows.calls.empty());
    EXPECT_TRUE(m.Timer1.Enabled());
}

TEST_F(ToolStrip, ModeStepsBetweenNormalReadAndWrite) {
    MDIForm1& m = Mdi();
    m.Shutter.UserClick();
    EXPECT_EQ(S().MemoryMode, 48);
    EXPECT_EQ(m.Text2.Text(), "  Read");
    EXPECT_EQ(m.Text6.Text(), "0");
    m.Shutter.UserClick();
    EXPECT_EQ(S().MemoryMode, 2);
    EXPECT_EQ(m.Text2.Text(), " Normal");

    // A scan number switches Normal to Read; Mode then offers Write, and the way back to Read
    // zeroes the scan number, so the next press gives Normal.
    Enter(m.Text6, "5");
    EXPECT_EQ(S().MemoryMode, 48);
    m.Shutter.UserClick();
    EXPECT_EQ(S().MemoryMode, 2);
    EXPECT_EQ(m.Text2.Text(), " WRITE");
    m.Shutter.UserClick();
    EXPECT_EQ(S().ScanNumber, 0);
    EXPECT_EQ(m.Text6.Text(), "0");
    EXPECT_EQ(m.Text2.Text(), "  Read");
    m.Shutter.UserClick();
    EXPECT_EQ(m.Text2.Text(), " Normal");
    EXPECT_EQ(S().MemoryMode, 2);
}

TEST_F(ToolStrip, TheAccessCodeArmsOneEraseRunThatReturnsToTheModeBefore) {
    MDIForm1& m = Mdi();
    m.Shutter.UserClick();  // Read
    Enter(m.Text5, "4817");
    EXPECT_TRUE(S().EraseArmed);
    m.Shutter.UserClick();
    EXPECT_EQ(m.Text2.Text(), " ERASE");
    EXPECT_EQ(S().MemoryMode, 64);
    EXPECT_EQ(S().SavedMemoryMode, 48);
    EXPECT_FALSE(S().EraseArmed);

    S().WriteAddress = 12;
    int16_t modeDuringScan = 0;
    w.flows.duringNextScan = [&] { modeDuringScan = S().MemoryMode; };
    w.MainCanvas().ClearRecord();
    m.Command1.UserClick();
    EXPECT_EQ(w.flows.calls, std::vector<std::string>{"NextScan"});
    EXPECT_EQ(modeDuringScan, 64);
    EXPECT_EQ(Status(), std::vector<std::string>{"Erase in Progress in DejaVu Sans"});
    EXPECT_NE(w.MainCanvas().FontName(), "DejaVu Sans");  // the window has its font back
    EXPECT_EQ(S().MemoryMode, 48);
    EXPECT_EQ(S().WriteAddress, 0);
    EXPECT_EQ(m.Text2.Text(), "  Read");
}

// A scan number typed while Erase is shown stays in force after the erase run: the box then says
// Write, since the next scan stores that many scans; Scan# 0 leaves it Normal.
TEST_F(ToolStrip, AfterAnEraseRunTheModeBoxSaysWhatTheScanNumberTypedDuringEraseDoes) {
    MDIForm1& m = Mdi();
    for (const auto& [scans, box] : {std::pair{"0", " Normal"}, std::pair{"3", " WRITE"}}) {
        Enter(m.Text5, "4817");
        m.Shutter.UserClick();
        ASSERT_EQ(m.Text2.Text(), " ERASE");
        Enter(m.Text6, scans);
        EXPECT_EQ(m.Text2.Text(), " ERASE");
        m.Command1.UserClick();
        EXPECT_EQ(S().MemoryMode, 2);
        EXPECT_EQ(m.Text2.Text(), box) << "Scan# " << scans;
    }
}

TEST_F(ToolStrip, AnArmedEraseLeftWithModeGoesToNormalOrWriteNotBack) {
    MDIForm1& m = Mdi();
    m.Shutter.UserClick();  // Read
    Enter(m.Text5, "4817");
    m.Shutter.UserClick();  // Erase
    m.Shutter.UserClick();
    EXPECT_EQ(S().MemoryMode, 2);
    EXPECT_EQ(m.Text2.Text(), " Normal");
    EXPECT_FALSE(S().EraseArmed);
    m.Shutter.UserClick();
    EXPECT_EQ(m.Text2.Text(), "  Read");
}

TEST_F(ToolStrip, StartTakesOneScanAndEndsASeries) {
    MDIForm1& m = Mdi();
    w.RunningSeries();
    w.Main().Hide();
    S().Menu.Viewmainform = false;
    m.Command1.UserClick();
    EXPECT_EQ(w.flows.calls, std::vector<std::string>{"NextScan"});
    EXPECT_FALSE(m.Timer1.Enabled());
    EXPECT_FALSE(S().AutoScanTimerOn);
    EXPECT_TRUE(w.Main().Visible());
    EXPECT_TRUE(S().Menu.Viewmainform);
    EXPECT_EQ(w.app.forms.FocusForm(), &w.Main());
    EXPECT_TRUE(Status().empty());
}

TEST_F(ToolStrip, WriteRunsAreAnnouncedByStartAndOverlay) {
    MDIForm1& m = Mdi();
    Enter(m.Text6, "5");
    m.Shutter.UserClick();  // Write
    w.MainCanvas().ClearRecord();
    m.Command1.UserClick();
    EXPECT_EQ(Status(), std::vector<std::string>{"Write in Progress in DejaVu Sans"});
    EXPECT_EQ(S().MemoryMode, 2);
    EXPECT_EQ(m.Text2.Text(), " WRITE");

    w.MainCanvas().ClearRecord();
    m.Command5.UserClick();
    EXPECT_EQ(Status(), std::vector<std::string>{"Write in Progress in DejaVu Sans"});
    EXPECT_EQ(w.flows.calls, (std::vector<std::string>{"NextScan", "OverlayScan"}));
}

TEST_F(ToolStrip, OverlayEndsASeriesDarkscanOnlyStopsItsTimer) {
    MDIForm1& m = Mdi();
    w.RunningSeries();
    m.Command2.UserClick();
    EXPECT_EQ(w.flows.calls, std::vector<std::string>{"DarkScan"});
    EXPECT_FALSE(m.Timer1.Enabled());
    EXPECT_TRUE(S().AutoScanTimerOn);

    w.Main().Hide();
    S().Menu.Viewmainform = false;
    m.Command5.UserClick();
    EXPECT_EQ(w.flows.calls, (std::vector<std::string>{"DarkScan", "OverlayScan"}));
    EXPECT_FALSE(S().AutoScanTimerOn);
    EXPECT_TRUE(w.Main().Visible());
    EXPECT_TRUE(S().Menu.Viewmainform);
    EXPECT_TRUE(Status().empty());
}

TEST_F(ToolStrip, ChannelButtonSwitchesTheDarkSlotOrReturnsToTheRing) {
    MDIForm1& m = Mdi();
    ProgramState& s = S();
    s.DarkViewOn = true;
    s.ShowChannel2 = true;
    s.CurrentSlot = 3;
    s.ViewReflectance = true;
    m.Command3.UserClick();
    EXPECT_FALSE(s.ShowChannel2);
    EXPECT_EQ(s.CurrentSlot, 8);
    EXPECT_EQ(s.SavedDisplaySlot, 3);
    EXPECT_FALSE(s.ViewReflectance);
    m.Command3.UserClick();
    EXPECT_EQ(s.CurrentSlot, 9);
    EXPECT_EQ(s.SavedDisplaySlot, 3);

    s.DarkViewOn = false;
    s.ViewReflectance = true;
    w.MainCanvas().ClearRecord();
    m.Command3.UserClick();
    EXPECT_EQ(s.CurrentSlot, 3);
    EXPECT_FALSE(s.ShowChannel2);
    EXPECT_FALSE(s.ViewReflectance);
    EXPECT_TRUE(Repainted());
    EXPECT_EQ(w.app.forms.FocusForm(), &w.Main());
}

TEST_F(ToolStrip, ChannelButtonTellsWhatRuns) {
    struct Case {
        bool timer;
        int16_t mode, readAddress;
        std::vector<std::string> status;
    };
    const Case cases[] = {
        {true, 48, 5, {"AutoCopy in Progress in DejaVu Sans"}},
        {true, 2, 5, {"AutoScan in Progress in DejaVu Sans"}},
        {false, 48, 1763, {"Read Scan in DejaVu Sans"}},
        {false, 48, 1764, {}},
        {false, 2, 5, {}},
    };
    for (const Case& c : cases) {
        if (c.timer) RunTimer();
        else Mdi().Timer1.SetEnabled(false);
        S().MemoryMode = c.mode;
        S().ReadAddress = c.readAddress;
        w.MainCanvas().ClearRecord();
        Mdi().Command3.UserClick();
        EXPECT_EQ(Status(), c.status) << c.timer << " " << c.mode << " " << c.readAddress;
        EXPECT_NE(w.MainCanvas().FontName(), "DejaVu Sans");  // the window has its font back
    }
}

TEST_F(ToolStrip, ReflRawLeavesTheDarkViewAndRepaintsUnlessAResultIsShown) {
    MDIForm1& m = Mdi();
    ProgramState& s = S();
    s.DarkViewOn = true;
    s.CurrentSlot = 9;
    s.SavedDisplaySlot = 2;
    s.ViewReflectance = false;
    w.MainCanvas().ClearRecord();
    m.Command7.UserClick();
    EXPECT_TRUE(s.ViewReflectance);
    EXPECT_FALSE(s.DarkViewOn);
    EXPECT_EQ(s.CurrentSlot, 2);
    EXPECT_EQ(s.DisplayChannel[0], 2);
    EXPECT_TRUE(Repainted());

    s.ProcessedResult = true;
    s.CurrentSlot = 0;
    w.MainCanvas().ClearRecord();
    m.Command7.UserClick();
    EXPECT_FALSE(s.ViewReflectance);
    EXPECT_EQ(s.DisplayChannel[0], 0);
    EXPECT_FALSE(Repainted());
}

TEST_F(ToolStrip, ZoomRepaintsUnlessADarkOrReferenceScanIsShown) {
    MDIForm1& m = Mdi();
    S().DarkRefShown = true;
    w.MainCanvas().ClearRecord();
    m.Command11.UserClick();
    EXPECT_TRUE(S().XZoomOn);
    EXPECT_FALSE(Repainted());

    S().DarkRefShown = false;
    m.Command11.UserClick();
    EXPECT_FALSE(S().XZoomOn);
    EXPECT_TRUE(Repainted());
}

TEST_F(ToolStrip, ScaleSwitchesTheActiveChartWindowOnly) {
    MDIForm1& m = Mdi();
    ProgramState& s = S();
    s.AutoScaleOn.fill(-1);
    s.SavedDisplaySlot = 4;
    s.CurrentSlot = 0;
    w.MainCanvas().ClearRecord();
    ASSERT_EQ(m.ActiveForm(), &w.Main());
    m.Command9.UserClick();
    EXPECT_EQ(s.AutoScaleOn[0], 0);
    EXPECT_EQ(s.CurrentSlot, 4);
    EXPECT_TRUE(Repainted());
    m.Command9.UserClick();
    EXPECT_EQ(s.AutoScaleOn[0], -1);

    m.ViewRatioForm.UserClick();
    KineticForm* ratio = KineticWindowForm(w.app, slot::Ratio);
    ASSERT_EQ(m.ActiveForm(), ratio);
    HeadlessHost::CanvasOf(*ratio).ClearRecord();
    m.Command9.UserClick();
    EXPECT_EQ(s.AutoScaleOn[1], 0);
    EXPECT_FALSE(HeadlessHost::CanvasOf(*ratio).Ops().empty());
    EXPECT_EQ(s.AutoScaleOn[0], -1);

    // The index window has no scale, and without an active window there is nothing to switch.
    w.app.forms.Get<IndexForm>().Show();
    s.CurrentSlot = 1;
    m.Command9.UserClick();
    w.app.forms.Unload<IndexForm>();
    ratio->Unload();
    w.app.forms.Unload<MainForm>();
    w.app.forms.Unload<MenuForm>();
    ASSERT_EQ(m.ActiveForm(), nullptr);
    m.Command9.UserClick();
    EXPECT_EQ(s.CurrentSlot, 1);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(s.AutoScaleOn[i], i == 1 ? 0 : -1) << i;
}

TEST_F(ToolStrip, SwitchesFlipTheirSettingAndTheCursorWaitsForADrag) {
    MDIForm1& m = Mdi();
    ProgramState& s = S();
    s.PixelMode = true;
    m.Command6.UserClick();
    EXPECT_FALSE(s.PixelMode);
    s.DarkCorrectionOn = false;
    m.Text3.SetFocus();
    m.Command8.UserClick();
    EXPECT_TRUE(s.DarkCorrectionOn);
    EXPECT_EQ(w.app.forms.FocusForm(), &w.Main());

    m.Command4.UserClick();
    EXPECT_TRUE(s.CursorOn);
    m.Command4.UserClick();
    EXPECT_FALSE(s.CursorOn);
    s.ZoomDragging = true;
    m.Command4.UserClick();
    EXPECT_FALSE(s.CursorOn);
}

TEST_F(ToolStrip, SetParaTakesTheBoxesAndTheFocusSkipsAClosedSpectrumWindow) {
    MDIForm1& m = Mdi();
    m.Text3.UserEdit("30");
    m.Text4.UserEdit("4");
    w.app.forms.Unload<MainForm>();
    m.Command10.UserClick();
    EXPECT_EQ(S().IntegrationTime, 300);
    EXPECT_EQ(S().NumToAverage, 4);
    // The closed spectrum window is not brought back for the focus.
    EXPECT_EQ(w.app.forms.Find<MainForm>(), nullptr);
    m.Command8.UserClick();
    EXPECT_EQ(w.app.forms.Find<MainForm>(), nullptr);
}

}  // namespace
}  // namespace tav
