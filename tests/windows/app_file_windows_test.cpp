// The settings file and the savers acting on the program's windows through the App.

#include <gtest/gtest.h>

#include "files/SettingsFile.h"
#include "files/SpectrumSave.h"
#include "platform/forms_test_app.h"
#include "support/FileWorld.h"
#include "windows/AppFileWindows.h"
#include "windows/MDIForm1.h"
#include "windows/MainForm.h"

namespace tav {
namespace {

// Stands for a kinetic window whose class lives elsewhere.
class TestRatioWindow : public Form {
public:
    explicit TestRatioWindow(App& app) : Form(app, "RatioForm") { SetMDIChild(true); }
};

Form& GetRatioForm(App& app) { return app.forms.Get<TestRatioWindow>(); }

struct AppWorld : test::FormsTestApp {
    AppWorld() {
        state->StartDir = dir.Path();
        app.forms.Get<MDIForm1>();
        // The main window's start-up has read the folder's (missing) settings file; the tests
        // read their own.
        state->IniLoaded = false;
        state->WelcomeShown = false;
    }
    AppFileWindows windows{app, {nullptr, nullptr, nullptr, GetRatioForm}};
    KineticLogs logs;
    FileContext ctx{*state, fs, op, clock, logs, windows};
};

TEST(AppFileWindows, SettingsFilePlacesAndShowsTheWindows) {
    AppWorld w;
    int welcomes = 0;
    w.windows.SetWelcome([&](App&) { ++welcomes; });
    w.dir.Write("Prismel.INI",
                "Main Window=120 300 4000 6000 0  0 \r\n"
                "Ratio Window = 600 900 2500 3500 2 -1 \r\n"
                "Average Window=10 20 30 40 0 -1 \r\n"
                "Integration Time=1200\r\nNumber to Average=5\r\n");
    ReadSettingsFile(w.ctx);

    MainForm* main = w.app.forms.Find<MainForm>();
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(main->Visible());
    EXPECT_EQ(main->Top(), 120.0f);
    EXPECT_EQ(main->Left(), 300.0f);
    EXPECT_EQ(main->Height(), 4000.0f);
    EXPECT_EQ(main->Width(), 6000.0f);

    TestRatioWindow* ratio = w.app.forms.Find<TestRatioWindow>();
    ASSERT_NE(ratio, nullptr);
    EXPECT_TRUE(ratio->Visible());
    EXPECT_EQ(ratio->WindowState(), winstate::Maximized);
    EXPECT_TRUE(w.state->Menu.ViewRatioForm);
    // Neither loaded nor with a getter: nothing to show, but the state that window will read is set.
    EXPECT_EQ(w.state->AverageFormRect.Open, -1);
    EXPECT_TRUE(w.state->Menu.Viewaverageform);

    MDIForm1& mdi = w.app.forms.Get<MDIForm1>();
    EXPECT_EQ(mdi.Text3.Text(), "120.0");
    EXPECT_EQ(mdi.Integrat.Value(), 1200);
    EXPECT_EQ(mdi.Text4.Text(), "5");
    EXPECT_EQ(mdi.Averaging.Value(), 5);
    EXPECT_EQ(mdi.Text1.Text(), "3.0");
    EXPECT_EQ(mdi.Source.Value(), 3);
    EXPECT_EQ(welcomes, 1);
}

// The boxes show the values as read, before the reader's fix-ups; an integration time beyond
// 16 bits leaves its bar as it was.
TEST(AppFileWindows, TheBoxesShowTheSettingsAsReadBeforeTheFixUps) {
    AppWorld w;
    MDIForm1& mdi = w.app.forms.Get<MDIForm1>();
    mdi.Integrat.SetValue(99);
    w.dir.Write("Prismel.INI", "Number to Average=0\r\nIntegration Time=40000\r\nAuto Scan Delay=-3\r\n");
    ReadSettingsFile(w.ctx);
    EXPECT_EQ(w.state->NumToAverage, 1);
    EXPECT_EQ(mdi.Text4.Text(), "0");
    EXPECT_EQ(mdi.Text3.Text(), "4000.0");
    EXPECT_EQ(mdi.Integrat.Value(), 99);
}

TEST(AppFileWindows, WindowLinesComeFromTheWindowsThatAreLoaded) {
    AppWorld w;
    MainForm& main = w.app.forms.Get<MainForm>();
    main.Move(200, 100, 5000, 3000);  // left, top, width, height
    w.state->MainFormRect.Open = -1;
    w.state->RatioFormRect = {11, 22, 33, 44, 0};  // closed: its record is written as it stands
    const std::string text = SettingsFileText(w.ctx);
    EXPECT_NE(text.find("Main Window=100 200 3000 5000 0 -1 \r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Ratio Window = 11 22 44 33 0  0 \r\n"), std::string::npos) << text;
    EXPECT_EQ(w.app.forms.Find<TestRatioWindow>(), nullptr);  // writing loads no window

    // A loaded window without a getter is found by its name.
    w.state->RatioFormRect.Open = -1;
    w.app.forms.Get<TestRatioWindow>().Move(1, 2, 3, 4);
    AppFileWindows noGetters(w.app);
    FileContext ctx{*w.state, w.fs, w.op, w.clock, w.logs, noGetters};
    EXPECT_NE(SettingsFileText(ctx).find("Ratio Window = 2 1 4 3 0 -1 \r\n"), std::string::npos);
}

TEST(AppFileWindows, AnswerNoStopsTheTimer) {
    AppWorld w;
    MDIForm1& mdi = w.app.forms.Get<MDIForm1>();
    mdi.Timer1.SetEnabled(true);
    w.dir.MakeDir("DATA");
    w.dir.Write("DATA/XYZ00001.rdg", "old");
    w.state->DefaultPath = w.dir.File("DATA");
    w.state->AutoSaveName = "XYZ";
    w.state->AutoSaveCounter = 1;
    w.state->AutoSaveFileName = w.dir.File("DATA/XYZ00001.rdg");
    w.op.AnswerMessage(MsgResult::No);
    EXPECT_EQ(AutoSaveSpectrum(w.ctx), SpectrumSaveResult::Cancelled);
    EXPECT_FALSE(mdi.Timer1.Enabled());
}

}  // namespace
}  // namespace tav

namespace tav {
namespace {

TEST(AppFileWindows, SaveAsRedrawsTheSpectrumWindowWithItsTitle) {
    AppWorld w;
    ProgramState& s = *w.state;
    s.SlotInfo[0].NumPoints = 3;
    for (int i = 0; i < 3; ++i) {
        s.XData[0][i] = 400.0f + 10 * i;
        s.Ch1Data[0][i] = 100.0f * (i + 1);
    }
    s.SlotInfo[0].XMin = 400.0f;
    s.SlotInfo[0].XMax = 420.0f;
    w.op.AnswerSave(w.dir.File("mine.rdg"));
    ASSERT_EQ(SaveSpectrumAs(w.ctx, 0), SpectrumSaveResult::Saved);
    MainForm* main = w.app.forms.Find<MainForm>();
    ASSERT_NE(main, nullptr);
    const auto ops = HeadlessHost::CanvasOf(*main).Ops();
    // Cleared, then drawn with the x-axis title.
    bool cleared = false, titled = false;
    for (const CanvasOp& op : ops) {
        cleared = cleared || op.kind == CanvasOp::Kind::Cls;
        titled = titled || (cleared && op.text == "Wavelength (nm)");
    }
    EXPECT_TRUE(titled);
}

}  // namespace
}  // namespace tav
