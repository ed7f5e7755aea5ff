// The instrument parameters dialog: the six calibration coefficients, the serial port and
// simulation mode. OK takes them, rebuilds the wavelength table and writes the settings file;
// Cancel and Escape take nothing. Enter walks through the coefficient boxes to OK.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "MainWindowWorld.h"
#include "SettingsFileLines.h"
#include "windows/InstrumentForm.h"

namespace tav {
namespace {

using test::MainWindowWorld;
using test::SettingsLine;

InstrumentForm& OpenInstrument(MainWindowWorld& w) {
    InstrumentForm& form = w.app.forms.Get<InstrumentForm>();
    form.Show();
    return form;
}

void SetCoefficients(ProgramState& s) {
    s.CalCoeffA = 305.5;
    s.CalCoeffB = 3.25;
    s.CalCoeffC = -0.0003;
    s.CalCoeffD = 300.75;
    s.CalCoeffE = 3.3;
    s.CalCoeffF = -0.00029;
}

TEST(InstrumentForm, OpeningShowsTheCoefficientsThePortAndSimulationMode) {
    struct PortCase {
        int16_t port;
        bool simulation;
        bool comm1;
    };
    for (const PortCase& c : {PortCase{1, false, true}, PortCase{2, true, false}, PortCase{3, false, false}}) {
        MainWindowWorld w;
        w.PastWelcome();
        SetCoefficients(*w.state);
        w.state->CommPortNumber = c.port;
        w.state->SimulationMode = c.simulation;
        InstrumentForm& form = OpenInstrument(w);
        SCOPED_TRACE(c.port);
        EXPECT_EQ(form.Caption(), "Instrument Parameters");
        // The left column edits D to F, the right one A to C.
        EXPECT_EQ(form.Coeff_A_Lbl.Caption(), "CH1 Coeff A");
        EXPECT_EQ(form.Label1.Caption(), "CH2 Coeff A");
        EXPECT_LT(form.Coeff_D_Box.Left(), form.Coeff_A_Box.Left());
        EXPECT_EQ(form.Coeff_A_Box.Text(), "305.5");
        EXPECT_EQ(form.Coeff_B_Box.Text(), "3.25");
        EXPECT_EQ(form.Coeff_C_Box.Text(), "-.0003");
        EXPECT_EQ(form.Coeff_D_Box.Text(), "300.75");
        EXPECT_EQ(form.Coeff_E_Box.Text(), "3.3");
        EXPECT_EQ(form.Coeff_F_Box.Text(), "-.00029");
        EXPECT_EQ(form.SimulationOn.Value(), c.simulation ? 1 : 0);
        EXPECT_EQ(form.Option1.Value(), c.comm1);
        EXPECT_EQ(form.Option2.Value(), !c.comm1);
        EXPECT_EQ(w.app.forms.FocusControl(), &form.Coeff_D_Box);
    }
}

TEST(InstrumentForm, OkTakesTheValuesRebuildsTheWavelengthsAndWritesTheFile) {
    MainWindowWorld w;
    w.PastWelcome();
    ProgramState& s = *w.state;
    InstrumentForm& form = OpenInstrument(w);
    form.Coeff_A_Box.UserEdit("400");
    form.Coeff_B_Box.UserEdit(" 2 .5");     // blanks do not count
    form.Coeff_C_Box.UserEdit("0.001nm");   // the leading number
    form.Coeff_D_Box.UserEdit("abc");       // no number: 0
    form.Coeff_E_Box.UserEdit("1.5E-1");
    form.Coeff_F_Box.UserEdit("-2");
    form.Option2.UserClick();
    form.SimulationOn.UserClick();
    form.Command1.UserClick();

    EXPECT_EQ(w.app.forms.Find<InstrumentForm>(), nullptr);
    EXPECT_EQ(s.CalCoeffA, 400);
    EXPECT_EQ(s.CalCoeffB, 2.5);
    EXPECT_EQ(s.CalCoeffC, 0.001);
    EXPECT_EQ(s.CalCoeffD, 0);
    EXPECT_EQ(s.CalCoeffE, 0.15);
    EXPECT_EQ(s.CalCoeffF, -2);
    EXPECT_EQ(s.CommPortNumber, 2);
    EXPECT_TRUE(s.SimulationMode);
    // Pixel p = 1 .. 256: 400 + 2.5 p + 0.001 p².
    EXPECT_FLOAT_EQ(s.WaveLength[0], 402.501f);
    EXPECT_FLOAT_EQ(s.WaveLength[255], 1105.536f);
    EXPECT_EQ(s.XZoomMin, s.WaveLength[0]);
    EXPECT_EQ(s.XZoomMax, s.WaveLength[255]);
    EXPECT_EQ(SettingsLine(w.dir, "Cal Coeff A="), "Cal Coeff A=400");
    EXPECT_EQ(SettingsLine(w.dir, "Cal Coeff B="), "Cal Coeff B=2.5");
    EXPECT_EQ(SettingsLine(w.dir, "Cal Coeff D="), "Cal Coeff D=0");
    EXPECT_EQ(SettingsLine(w.dir, "Serialport="), "Serialport=2");
    EXPECT_TRUE(w.op.Messages().empty());

    // The next opening reads the values afresh.
    InstrumentForm& again = OpenInstrument(w);
    EXPECT_EQ(again.Coeff_B_Box.Text(), "2.5");
    EXPECT_TRUE(again.Option2.Value());
    EXPECT_EQ(again.SimulationOn.Value(), 1);
}

TEST(InstrumentForm, OkWithUnchangedBoxesKeepsTheValuesAsTheirTextReadsBack) {
    MainWindowWorld w;
    w.PastWelcome();
    ProgramState& s = *w.state;
    SetCoefficients(s);
    s.CalCoeffB = 1.0 / 3.0;  // more digits than its text keeps
    s.CommPortNumber = 3;
    OpenInstrument(w).Command1.UserClick();
    EXPECT_EQ(s.CalCoeffA, 305.5);
    EXPECT_EQ(s.CalCoeffF, -0.00029);
    EXPECT_EQ(s.CalCoeffB, 0.333333333333333);
    EXPECT_EQ(s.CommPortNumber, 2);  // any port but 1 shows and stores COM2
}

TEST(InstrumentForm, ANumberBeyondTheDoubleRangeKeepsItsCoefficient) {
    MainWindowWorld w;
    w.PastWelcome();
    ProgramState& s = *w.state;
    SetCoefficients(s);
    InstrumentForm& form = OpenInstrument(w);
    form.Coeff_A_Box.UserEdit("1e999");
    form.Coeff_B_Box.UserEdit("-1e400");
    form.Coeff_C_Box.UserEdit("1e300");  // within the range: taken
    form.Command1.UserClick();
    EXPECT_EQ(s.CalCoeffA, 305.5);
    EXPECT_EQ(s.CalCoeffB, 3.25);
    EXPECT_EQ(s.CalCoeffC, 1e300);
    for (float wavelength : s.WaveLength) EXPECT_TRUE(std::isfinite(wavelength));
    EXPECT_EQ(SettingsLine(w.dir, "Cal Coeff A="), "Cal Coeff A=305.5");
}

TEST(InstrumentForm, CancelAndEscapeTakeNothing) {
    const std::pair<const char*, std::function<void(InstrumentForm&)>> closes[] = {
        {"Cancel", [](InstrumentForm& f) { f.Command2.UserClick(); }},
        {"Escape", [](InstrumentForm& f) { f.UserKeyPress(&f.Coeff_B_Box, 27); }},
        {"close box", [](InstrumentForm& f) { f.UserClose(); }},
    };
    for (const auto& [what, close] : closes) {
        MainWindowWorld w;
        w.PastWelcome();
        ProgramState& s = *w.state;
        SetCoefficients(s);
        const float firstWavelength = s.WaveLength[0];
        InstrumentForm& form = OpenInstrument(w);
        form.Coeff_A_Box.UserEdit("999");
        form.Coeff_F_Box.UserEdit("1");
        form.Option2.UserClick();
        form.SimulationOn.UserClick();
        close(form);
        SCOPED_TRACE(what);
        EXPECT_EQ(w.app.forms.Find<InstrumentForm>(), nullptr);
        EXPECT_EQ(s.CalCoeffA, 305.5);
        EXPECT_EQ(s.CalCoeffF, -0.00029);
        EXPECT_EQ(s.CommPortNumber, 1);
        EXPECT_FALSE(s.SimulationMode);
        EXPECT_EQ(s.WaveLength[0], firstWavelength);
        EXPECT_FALSE(w.dir.Exists("Prismel.INI"));
    }
}

TEST(InstrumentForm, EnterWalksThroughTheCoefficientsToOkAndIsUsedUp) {
    MainWindowWorld w;
    w.PastWelcome();
    InstrumentForm& form = OpenInstrument(w);
    Control* const walk[] = {&form.Coeff_D_Box, &form.Coeff_E_Box, &form.Coeff_F_Box, &form.Coeff_A_Box,
                             &form.Coeff_B_Box, &form.Coeff_C_Box, &form.Command1};
    for (size_t i = 0; i + 1 < std::size(walk); ++i) {
        ASSERT_EQ(w.app.forms.FocusControl(), walk[i]) << i;
        EXPECT_EQ(form.UserKeyPress(walk[i], 13), 0);
    }
    EXPECT_EQ(w.app.forms.FocusControl(), &form.Command1);
    // Elsewhere Enter does nothing at all: it neither moves on nor presses OK.
    for (Control* elsewhere : std::initializer_list<Control*>{&form.Command1, &form.SimulationOn, &form.Option1}) {
        elsewhere->SetFocus();
        EXPECT_EQ(form.UserKeyPress(elsewhere, 13), 0);
        EXPECT_EQ(w.app.forms.FocusControl(), elsewhere);
    }
    EXPECT_NE(w.app.forms.Find<InstrumentForm>(), nullptr);
    // Other keys reach the box.
    EXPECT_EQ(form.UserKeyPress(&form.Coeff_A_Box, '7'), '7');
}

}  // namespace
}  // namespace tav
