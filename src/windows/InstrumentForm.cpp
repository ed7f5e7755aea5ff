#include "windows/InstrumentForm.h"

#include <cmath>

#include "files/SettingsFile.h"
#include "files/TextConversions.h"
#include "indices/Calibration.h"
#include "platform/Numbers.h"
#include "platform/forms/DialogConventions.h"
#include "windows/ProgramContexts.h"

namespace tav {

namespace {

constexpr float LabelWidth = 1020, LabelHeight = 255;

// A coefficient box's number; one beyond the range of a double keeps the coefficient it had.
void TakeCoefficient(double& coefficient, const TextBox& box) {
    const double value = Val(box.Text());
    if (std::isfinite(value)) coefficient = value;
}

// Read-outs of the simulation file move the read address but no instrument's read pointer: the
// instrument's next read-out goes on where its own stood, or at an address the operator entered
// meanwhile; without a position kept (simulation since start-up), at the address shown.
void KeepReadPosition(ProgramState& s) {
    s.ReadPositionOutsideSimulation = ProgramState::ReadPosition{s.ReadAddress, s.ReadAddressPending};
}

void BringBackReadPosition(ProgramState& s, ScanWindows& windows) {
    if (s.ReadPositionOutsideSimulation) {
        s.ReadAddress = s.ReadPositionOutsideSimulation->address;
        s.ReadAddressPending = s.ReadPositionOutsideSimulation->pending;
        s.ReadPositionOutsideSimulation.reset();
    } else {
        s.ReadAddressPending = true;
    }
    windows.ShowReadAddress(s.ReadAddress);
}

}  // namespace

InstrumentForm::InstrumentForm(App& app) : Form(app, "InstrumentForm") {
    SetCaption("Instrument Parameters");
    SetBorderStyle(border::FixedDialog);
    SetKeyPreview(true);

    for (Label* label : {&Coeff_A_Lbl, &Coeff_B_Lbl, &Coeff_C_Lbl, &Label1, &Label2, &Label3}) {
        label->SetWidth(LabelWidth);
        label->SetHeight(LabelHeight);
    }
    Coeff_A_Lbl.Move(495, 360);
    Coeff_D_Box.Move(495, 600, 1020, 330);
    Coeff_B_Lbl.Move(495, 960);
    Coeff_E_Box.Move(495, 1200, 1020, 330);
    Coeff_C_Lbl.Move(480, 1560);
    Coeff_F_Box.Move(495, 1800, 1020, 330);
    Label1.Move(1980, 360);
    Coeff_A_Box.Move(1980, 600, 1020, 330);
    Label2.Move(1980, 960);
    Coeff_B_Box.Move(1980, 1200, 1020, 330);
    Label3.Move(1980, 1560);
    Coeff_C_Box.Move(1980, 1800, 1005, 330);
    SimulationOn.Move(495, 2520, 2775, 195);
    Option1.Move(990, 2880, 1005, 495);
    Option2.Move(1980, 2880, 1005, 495);
    Command1.Move(990, 3480, 1215, 375);
    Command2.Move(990, 4080, 1215, 375);
    int tab = 1;
    for (Control* control : std::initializer_list<Control*>{&Coeff_D_Box, &Coeff_E_Box, &Coeff_F_Box, &Coeff_A_Box,
                                                            &Coeff_B_Box, &Coeff_C_Box, &SimulationOn, &Option1,
                                                            &Option2, &Command1, &Command2}) {
        control->SetTabIndex(tab++);
    }

    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { Command2_Click(); };
}

void InstrumentForm::Form_Load() {
    // Sizing by the client area needs the window's surface, which only a loaded window has.
    SetClientSize(3495, 4695);
    const ProgramState& s = app.state;
    Coeff_A_Box.SetText(NumToText(s.CalCoeffA));
    Coeff_B_Box.SetText(NumToText(s.CalCoeffB));
    Coeff_C_Box.SetText(NumToText(s.CalCoeffC));
    Coeff_D_Box.SetText(NumToText(s.CalCoeffD));
    Coeff_E_Box.SetText(NumToText(s.CalCoeffE));
    Coeff_F_Box.SetText(NumToText(s.CalCoeffF));
    SimulationOn.SetValue(s.SimulationMode ? 1 : 0);
    (s.CommPortNumber == 1 ? Option1 : Option2).SetValue(true);
}

// Escape closes like Cancel; Enter moves on through the coefficients to OK and goes no further.
void InstrumentForm::Form_KeyPress(int16_t& KeyAscii) {
    if (CloseOnEscape(*this, KeyAscii) || !TakeEnter(KeyAscii)) return;
    const Control* order[] = {&Coeff_D_Box, &Coeff_E_Box, &Coeff_F_Box, &Coeff_A_Box, &Coeff_B_Box, &Coeff_C_Box};
    Control* next[] = {&Coeff_E_Box, &Coeff_F_Box, &Coeff_A_Box, &Coeff_B_Box, &Coeff_C_Box, &Command1};
    for (size_t i = 0; i < std::size(order); ++i) {
        if (ActiveControl() == order[i]) {
            next[i]->SetFocus();
            return;
        }
    }
}

void InstrumentForm::Command1_Click() {
    ProgramState& s = app.state;
    TakeCoefficient(s.CalCoeffA, Coeff_A_Box);
    TakeCoefficient(s.CalCoeffB, Coeff_B_Box);
    TakeCoefficient(s.CalCoeffC, Coeff_C_Box);
    TakeCoefficient(s.CalCoeffD, Coeff_D_Box);
    TakeCoefficient(s.CalCoeffE, Coeff_E_Box);
    TakeCoefficient(s.CalCoeffF, Coeff_F_Box);
    const int16_t port = Option1.Value() ? 1 : 2;
    const bool simulation = SimulationOn.Value() != 0;
    // The instrument on another port holds parameters of its own, and so may the one plugged in
    // while the scans came from the simulation file.
    if (port != s.CommPortNumber || (s.SimulationMode && !simulation)) s.InstrumentParametersUnknown = true;
    if (!s.SimulationMode && simulation) KeepReadPosition(s);
    if (s.SimulationMode && !simulation) BringBackReadPosition(s, ContextsOf(app).ScanFlow().windows);
    s.CommPortNumber = port;
    ComputeWavelengths(s);
    s.SimulationMode = simulation;
    Unload();
    WriteSettingsFile(ContextsOf(app).Files());
}

void InstrumentForm::Command2_Click() { Unload(); }

}  // namespace tav
