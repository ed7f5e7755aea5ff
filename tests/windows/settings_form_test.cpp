// The settings dialog: it opens on the settings in force, OK (or Enter) limits and takes them
// all, sends the parameter block, shows or closes the quick menu, writes the settings file and
// closes; Cancel, Escape and the close box change nothing.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "MainWindowWorld.h"
#include "SettingsFileLines.h"
#include "windows/MenuForm.h"
#include "windows/SettingsForm.h"

namespace tav {
namespace {

using test::MainWindowWorld;
using test::OpenFlagOf;
using test::SettingsLine;

SettingsForm& OpenSettings(MainWindowWorld& w) {
    SettingsForm& form = w.app.forms.Get<SettingsForm>();
    form.Show();
    return form;
}

bool SettingsOpen(MainWindowWorld& w) { return w.app.forms.Find<SettingsForm>() != nullptr; }

TEST(SettingsForm, OpeningShowsTheSettingsInForce) {
    struct OpenCase {
        const char* what;
        std::function<void(ProgramState&)> set;
        const char *integ, *scans, *lamp, *delay, *name;
        bool reflectance, darkCorrection, userNames;
        int16_t autoSave, beep, quickMenu;
    };
    const OpenCase cases[] = {
        {"everything on",
         [](ProgramState& s) {
             s.IntegrationTime = 400, s.NumToAverage = 12, s.LampLevel = 35, s.AutoScanDelay = 2.5f;
             s.ViewReflectance = s.DarkCorrectionOn = s.UserSuppliedName = s.AutoSaveOn = s.BeepOn = true;
             s.AutoSaveName = "Ab_", s.MenuFormRect.Open = -1;
         },
         "40.0", "12", "3.5", "2.5", "Ab_", true, true, true, 1, 1, 1},
        {"everything off",
         [](ProgramState& s) {
             s.IntegrationTime = 32767, s.NumToAverage = 15000, s.LampLevel = 0, s.AutoScanDelay = -5;
             s.ViewReflectance = s.DarkCorrectionOn = s.UserSuppliedName = s.AutoSaveOn = s.BeepOn = false;
             s.AutoSaveName = "", s.MenuFormRect.Open = 0;
         },
         "3276.7", "15000", ".0", "-5", "", false, false, false, 0, 0, 0},
        // The box holds three characters, then the name filter drops the full stop.
        {"a long name", [](ProgramState& s) { s.AutoSaveName = "A.BCD"; }, "30.0", "1", ".0", "0", "AB", false, false,
         false, 0, 1, 1},
    };
    for (const OpenCase& c : cases) {
        MainWindowWorld w;
        w.PastWelcome();
        c.set(*w.state);
        w.instrument.ClearLogs();
        SettingsForm& form = OpenSettings(w);
        SCOPED_TRACE(c.what);
        EXPECT_EQ(form.IntTimeBox.Text(), c.integ);
        EXPECT_EQ(form.NumToAverageBox.Text(), c.scans);
        EXPECT_EQ(form.lightbox.Text(), c.lamp);
        EXPECT_EQ(form.AutoScanDelayBox.Text(), c.delay);
        EXPECT_EQ(form.AutoSaveNameBox.Text(), c.name);
        EXPECT_EQ(form.ViewRefOn.Value(), c.reflectance);
        EXPECT_EQ(form.ViewRefOff.Value(), !c.reflectance);
        EXPECT_EQ(form.DarkCorrOn.Value(), c.darkCorrection);
        EXPECT_EQ(form.DarkCorrOff.Value(), !c.darkCorrection);
        EXPECT_EQ(form.UserSuppliedNames.Value(), c.userNames);
        EXPECT_EQ(form.AutoNames.Value(), !c.userNames);
        EXPECT_EQ(form.AutoSaveOnChk.Value(), c.autoSave);
        EXPECT_EQ(form.BeepOnChk.Value(), c.beep);
        EXPECT_EQ(form.QuickMenuOnChk.Value(), c.quickMenu);
        // The integration box has the focus with its text selected, ready to be typed over.
        EXPECT_EQ(w.app.forms.FocusControl(), &form.IntTimeBox);
        EXPECT_EQ(form.IntTimeBox.SelText(), c.integ);
        EXPECT_TRUE(w.instrument.Received().empty());
    }
}

TEST(SettingsForm, ItsLabelsAndLimitsAreTheSystems) {
    MainWindowWorld w;
    w.PastWelcome();
    SettingsForm& form = OpenSettings(w);
    EXPECT_EQ(form.Caption(), "Settings");
    EXPECT_EQ(form.Label2.Caption(), "Halogen Souce");
    EXPECT_EQ(form.UserSuppliedNames.Caption(), "User Suplied Names");
    EXPECT_EQ(form.IntTimeBox.MaxLength(), 10);
    EXPECT_EQ(form.AutoSaveNameBox.MaxLength(), 3);
    EXPECT_EQ(form.lightbox.MaxLength(), 0);
    EXPECT_EQ(form.ScaleWidth(), 5535);
    EXPECT_EQ(form.ScaleHeight(), 5610);
    // The view pair, the dark-correction pair and the naming pair exclude each other only in pairs.
    form.ViewRefOn.UserClick();
    form.DarkCorrOn.UserClick();
    form.AutoNames.UserClick();
    EXPECT_TRUE(form.ViewRefOn.Value() && form.DarkCorrOn.Value() && form.AutoNames.Value());
    EXPECT_FALSE(form.ViewRefOff.Value() || form.DarkCorrOff.Value() || form.UserSuppliedNames.Value());
}

TEST(SettingsForm, TheKeyIOpensItAndASecondIKeepsWhatIsBeingEdited) {
    MainWindowWorld w(false);
    w.Start(true);
    w.PastWelcome();
    w.Type('i');
    SettingsForm* form = w.app.forms.Find<SettingsForm>();
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(form->Visible());
    form->IntTimeBox.UserEdit("55");
    w.Type('I');
    EXPECT_EQ(w.app.forms.Find<SettingsForm>(), form);
    EXPECT_EQ(form->IntTimeBox.Text(), "55");
}

TEST(SettingsForm, IntegrationTimeAndScansAreLimitedAndShownOnTheMainWindow) {
    struct LimitCase {
        const char *integ, *scans;
        int32_t integrationTime;
        int16_t numToAverage;
        const char* shown;  // the main window's integration box
    };
    const LimitCase cases[] = {
        {"40.05", "1", 400, 1, "40.0"},  // a half goes to the even neighbour
        {"40.15", "1", 402, 1, "40.2"},
        {"3276.8", "1", 32767, 1, "3276.7"},
        {"3.9", "1", 40, 1, "4.0"},
        {"", "", 40, 1, "4.0"},
        {"ms", "x", 40, 1, "4.0"},
        {"30", "0", 300, 1, "30.0"},
        {"30", "-3", 300, 1, "30.0"},
        {"100.0", "700", 1000, 600, "100.0"},
        // 600000 / 7000 is 85.7: the count stays within the cap.
        {"700.0", "100", 7000, 85, "700.0"},
        {"4", "20000", 40, 15000, "4.0"},  // beyond the averaging bar's end
        {"1e39", "1e39", 32767, 18, "3276.7"},
    };
    for (const LimitCase& c : cases) {
        MainWindowWorld w;
        w.PastWelcome();
        SettingsForm& form = OpenSettings(w);
        form.IntTimeBox.UserEdit(c.integ);
        form.NumToAverageBox.UserEdit(c.scans);
        form.Command1.UserClick();
        SCOPED_TRACE(std::string(c.integ) + " / " + c.scans);
        const ProgramState& s = *w.state;
        EXPECT_EQ(s.IntegrationTime, c.integrationTime);
        EXPECT_EQ(s.NumToAverage, c.numToAverage);
        EXPECT_LE(int64_t{s.IntegrationTime} * s.NumToAverage, std::max<int64_t>(600000, s.IntegrationTime));
        MDIForm1& mdi = w.Mdi();
        EXPECT_EQ(mdi.Integrat.Value(), c.integrationTime);
        EXPECT_EQ(mdi.Text3.Text(), c.shown);
        EXPECT_EQ(mdi.Averaging.Value(), std::min<int16_t>(c.numToAverage, 1000));
        EXPECT_EQ(mdi.Text4.Text(), std::to_string(c.numToAverage));
        EXPECT_FALSE(SettingsOpen(w));
    }
}

TEST(SettingsForm, OkSendsTheBlockTakesTheOptionsWritesTheFileAndCloses) {
    MainWindowWorld w;
    w.PastWelcome();
    ProgramState& s = *w.state;
    s.ScanNumber = 4;
    s.IntervalTenths = 25;
    s.ReadAddress = 300;
    s.BinWidth = 2.5f;
    s.LampLevel = 70;
    SettingsForm& form = OpenSettings(w);
    form.IntTimeBox.UserEdit("100");
    form.NumToAverageBox.UserEdit("12");
    form.lightbox.UserEdit("50");  // not used: the lamp level is always 0
    form.AutoScanDelayBox.UserEdit("2.5");
    form.ViewRefOn.UserClick();
    form.DarkCorrOn.UserClick();
    form.UserSuppliedNames.UserClick();
    form.AutoSaveOnChk.UserClick();
    form.AutoSaveNameBox.UserEdit("Xy");
    form.BeepOnChk.UserClick();
    w.instrument.ClearLogs();
    w.comm.ClearJournal();
    form.Command1.UserClick();

    // 1, then integration 1000, scans 12, lamp 0, scan number 4, interval 25, read address 300.
    EXPECT_EQ(w.instrument.Received(), std::string("\x01\x03\xE8\x00\x0C\x00\x00\x00\x04\x00\x19\x01\x2C", 13));
    const std::vector<std::string>& journal = w.comm.Journal();
    EXPECT_NE(std::find(journal.begin(), journal.end(), "open 1 115200,N,8,1"), journal.end());
    EXPECT_FALSE(w.comm.PortOpen());
    EXPECT_EQ(s.LampLevel, 0);
    EXPECT_EQ(s.AutoScanDelay, 2.5f);
    EXPECT_TRUE(s.ViewReflectance);
    EXPECT_TRUE(s.DarkCorrectionOn);
    EXPECT_TRUE(s.UserSuppliedName);
    EXPECT_TRUE(s.AutoSaveOn);
    EXPECT_EQ(s.AutoSaveName, "Xy");
    EXPECT_FALSE(s.BeepOn);
    // The bin-size box keeps the bin width, which the bar can only show rounded.
    EXPECT_EQ(w.Mdi().Text1.Text(), "2.5");
    EXPECT_FALSE(SettingsOpen(w));
    EXPECT_TRUE(w.op.Messages().empty());

    EXPECT_EQ(SettingsLine(w.dir, "Integration Time="), "Integration Time=1000");
    EXPECT_EQ(SettingsLine(w.dir, "Number to Average="), "Number to Average=12");
    EXPECT_EQ(SettingsLine(w.dir, "Auto Scan Delay="), "Auto Scan Delay=2.5");
    EXPECT_EQ(SettingsLine(w.dir, "View Reflectance="), "View Reflectance=-1");
    EXPECT_EQ(SettingsLine(w.dir, "Dark Correction="), "Dark Correction=-1");
    EXPECT_EQ(SettingsLine(w.dir, "Auto Save On="), "Auto Save On=-1");
    EXPECT_EQ(SettingsLine(w.dir, "User Supplied Name="), "User Supplied Name=-1");
    EXPECT_EQ(SettingsLine(w.dir, "Auto Save Name="), "Auto Save Name=Xy");
    EXPECT_EQ(SettingsLine(w.dir, "Beep On="), "Beep On=0");

    // The next opening shows the lamp level that was sent.
    EXPECT_EQ(OpenSettings(w).lightbox.Text(), ".0");
}

TEST(SettingsForm, TheAutoScanDelayIsLimitedToADayOnly) {
    const std::pair<const char*, float> cases[] = {{"100000", 86400}, {"86400", 86400}, {"-5", -5}, {"0", 0}, {"", 0}, {"0.25", 0.25f}};
    for (const auto& [typed, stored] : cases) {
        MainWindowWorld w;
        w.PastWelcome();
        SettingsForm& form = OpenSettings(w);
        form.AutoScanDelayBox.UserEdit(typed);
        form.Command1.UserClick();
        EXPECT_EQ(w.state->AutoScanDelay, stored) << typed;
    }
}

TEST(SettingsForm, EnterAppliesFromEveryControlButTheDarkCorrectionPair) {
    MainWindowWorld probe;
    std::vector<std::string> names;
    for (Control* control : OpenSettings(probe).Controls()) {
        if (control->CanFocus() && control->Kind() != ControlKind::Button) names.push_back(control->Name());
    }
    ASSERT_EQ(names.size(), 14u);
    for (const std::string& name : names) {
        MainWindowWorld w;
        w.PastWelcome();
        SettingsForm& form = OpenSettings(w);
        form.IntTimeBox.UserEdit("50");
        Control* target = *std::find_if(form.Controls().begin(), form.Controls().end(),
                                        [&](Control* c) { return c->Name() == name; });
        target->SetFocus();
        form.UserKeyPress(target, 13);
        const bool applies = name != "DarkCorrOn" && name != "DarkCorrOff";
        SCOPED_TRACE(name);
        EXPECT_EQ(SettingsOpen(w), !applies);
        EXPECT_EQ(w.state->IntegrationTime, applies ? 500 : 300);
    }
}

TEST(SettingsForm, EscapeCancelAndTheCloseBoxChangeNothing) {
    const std::pair<const char*, std::function<void(SettingsForm&)>> closes[] = {
        {"Escape", [](SettingsForm& f) { f.UserKeyPress(&f.NumToAverageBox, 27); }},
        {"Cancel", [](SettingsForm& f) { f.Command2.UserClick(); }},
        {"close box", [](SettingsForm& f) { f.UserClose(); }},
    };
    for (const auto& [what, close] : closes) {
        MainWindowWorld w;
        w.PastWelcome();
        SettingsForm& form = OpenSettings(w);
        form.IntTimeBox.UserEdit("100");
        form.NumToAverageBox.UserEdit("7");
        form.AutoScanDelayBox.UserEdit("9");
        form.ViewRefOn.UserClick();
        form.BeepOnChk.UserClick();
        form.QuickMenuOnChk.UserClick();
        w.instrument.ClearLogs();
        close(form);
        SCOPED_TRACE(what);
        EXPECT_FALSE(SettingsOpen(w));
        const ProgramState& s = *w.state;
        EXPECT_EQ(s.IntegrationTime, 300);
        EXPECT_EQ(s.NumToAverage, 1);
        EXPECT_EQ(s.AutoScanDelay, 0);
        EXPECT_FALSE(s.ViewReflectance);
        EXPECT_TRUE(s.BeepOn);
        EXPECT_EQ(s.MenuFormRect.Open, -1);
        EXPECT_NE(w.app.forms.Find<MenuForm>(), nullptr);
        EXPECT_TRUE(w.instrument.Received().empty());
        EXPECT_FALSE(w.dir.Exists("Prismel.INI"));
    }
}

TEST(SettingsForm, TheSeriesNameKeepsOnlyFileNameCharacters) {
    const std::pair<const char*, const char*> cases[] = {
        {"a.b", "ab"}, {"x$~", "x$~"}, {"Q_z", "Q_z"}, {"../", ""}, {"a b", "ab"}, {"\xC3\xA9" "1", "1"}, {"a\\", "a"},
    };
    for (const auto& [typed, kept] : cases) {
        MainWindowWorld w;
        w.PastWelcome();
        SettingsForm& form = OpenSettings(w);
        form.AutoSaveNameBox.UserEdit(typed);
        EXPECT_EQ(form.AutoSaveNameBox.Text(), kept) << typed;
        // After a rejected character the caret is at the end, so the next one typed follows the kept ones.
        if (std::string(kept) != typed) {
            EXPECT_EQ(form.AutoSaveNameBox.SelStart(), static_cast<int>(std::string(kept).size())) << typed;
        }
    }
}

TEST(SettingsForm, AChangedSeriesNameStartsANewSeriesEvenWhenCancelled) {
    MainWindowWorld w;
    w.PastWelcome();
    ProgramState& s = *w.state;
    s.AutoSaveName = "ab";
    s.AutoSaveCounter = 7;
    // The first opening of a run meets the name for the first time.
    OpenSettings(w).Command2.UserClick();
    EXPECT_EQ(s.AutoSaveCounter, 0);
    EXPECT_EQ(s.PrevAutoSaveName, "ab");

    s.AutoSaveCounter = 7;
    SettingsForm& again = OpenSettings(w);
    EXPECT_EQ(s.AutoSaveCounter, 7);
    again.AutoSaveNameBox.UserEdit("ab.");  // a rejected character changes nothing
    EXPECT_EQ(s.AutoSaveCounter, 7);
    again.AutoSaveNameBox.UserEdit("ac");
    EXPECT_EQ(s.AutoSaveCounter, 0);
    again.Command2.UserClick();
    EXPECT_EQ(s.AutoSaveName, "ab");
    EXPECT_EQ(s.PrevAutoSaveName, "ac");
}

TEST(SettingsForm, TheQuickMenuCheckShowsOrClosesTheQuickMenu) {
    MainWindowWorld w;
    w.PastWelcome();
    ProgramState& s = *w.state;
    ASSERT_EQ(s.MenuFormRect.Open, -1);  // on without a settings file
    ASSERT_TRUE(w.app.forms.Get<MenuForm>().Visible());

    SettingsForm& off = OpenSettings(w);
    EXPECT_EQ(off.QuickMenuOnChk.Value(), 1);
    off.QuickMenuOnChk.UserClick();
    off.Command1.UserClick();
    EXPECT_EQ(w.app.forms.Find<MenuForm>(), nullptr);
    EXPECT_EQ(s.MenuFormRect.Open, 0);
    EXPECT_EQ(OpenFlagOf(SettingsLine(w.dir, "Menu Window=")), "0");

    SettingsForm& on = OpenSettings(w);
    EXPECT_EQ(on.QuickMenuOnChk.Value(), 0);
    on.QuickMenuOnChk.UserClick();
    on.Command1.UserClick();
    MenuForm* menu = w.app.forms.Find<MenuForm>();
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->Visible());
    EXPECT_EQ(s.MenuFormRect.Open, -1);
    EXPECT_EQ(OpenFlagOf(SettingsLine(w.dir, "Menu Window=")), "-1");
}

TEST(SettingsForm, ABlockThatCannotBeSentIsReportedAndTheRestIsTaken) {
    for (bool simulation : {false, true}) {
        MainWindowWorld w;
        w.PastWelcome();
        w.comm.SetPortPresent(1, false);
        w.state->SimulationMode = simulation;
        SettingsForm& form = OpenSettings(w);
        form.IntTimeBox.UserEdit("50");
        form.AutoScanDelayBox.UserEdit("3");
        form.Command1.UserClick();
        SCOPED_TRACE(simulation);
        if (simulation) {
            EXPECT_TRUE(w.op.Messages().empty());
        } else {
            ASSERT_EQ(w.op.Messages().size(), 1u);
            EXPECT_EQ(w.op.Messages()[0].text,
                      "The serial port COM1 could not be opened:\nCOM1 is the bench's port 1: no such device.\n"
                      "The parameters have not been sent to the instrument.");
        }
        EXPECT_EQ(w.state->IntegrationTime, 500);
        EXPECT_EQ(w.state->AutoScanDelay, 3);
        EXPECT_EQ(SettingsLine(w.dir, "Auto Scan Delay="), "Auto Scan Delay=3");
        EXPECT_FALSE(SettingsOpen(w));
    }
}

// Without an instrument nothing takes the parameter command, and its data bytes stay unsent; the
// settings are taken all the same and the dialog closes, after the box that says so.
TEST(SettingsForm, WithoutAnInstrumentTheSettingsAreTakenAndTheBoxSaysTheBlockWasNotSent) {
    MainWindowWorld w;
    w.PastWelcome();
    w.comm.AttachInstrumentTo(2);  // nothing answers on COM1
    SettingsForm& form = OpenSettings(w);
    form.IntTimeBox.UserEdit("20.0");
    w.comm.ClearJournal();
    form.Command1.UserClick();
    const std::vector<std::string>& journal = w.comm.Journal();
    std::vector<std::string> out;
    std::copy_if(journal.begin(), journal.end(), std::back_inserter(out), [](const std::string& op) { return op.rfind("out ", 0) == 0; });
    EXPECT_EQ(out, (std::vector<std::string>{"out 01", "out 05", "out 01"}));
    EXPECT_EQ(journal.back(), "close");
    EXPECT_EQ(w.op.MessageTexts(), std::vector<std::string>{"The instrument on COM1 did not answer the parameter "
                                                            "command.\nThe parameters have not been sent to the "
                                                            "instrument."});
    EXPECT_EQ(w.state->IntegrationTime, 200);
    EXPECT_NE(w.dir.Read("Prismel.INI").find("Integration Time=200"), std::string::npos);
    EXPECT_FALSE(SettingsOpen(w));
}

TEST(SettingsForm, AutoScanHoldingThePortKeepsItOpen) {
    MainWindowWorld w;
    w.PastWelcome();
    w.RunningSeries();
    w.instrument.ClearLogs();
    OpenSettings(w).Command1.UserClick();
    EXPECT_EQ(w.instrument.Received().size(), 13u);
    EXPECT_TRUE(w.comm.PortOpen());
    EXPECT_TRUE(w.Mdi().Timer1.Enabled());
    EXPECT_TRUE(w.op.Messages().empty());
}

}  // namespace
}  // namespace tav
