#pragma once
// The instrument parameters dialog (modeless): the wavelength calibration of both channels, the
// serial port (COM1 or COM2) and simulation mode. OK stores them, rebuilds the wavelength table
// at once and rewrites the settings file; Cancel and Escape change nothing. Enter walks through
// the coefficient boxes and on to OK.
//
//     app.forms.Get<InstrumentForm>().Show();

#include <cstdint>

#include "platform/forms/Controls.h"

namespace tav {

class InstrumentForm : public Form {
public:
    explicit InstrumentForm(App& app);

    // The left column edits CalCoeffD to CalCoeffF, the right one CalCoeffA to CalCoeffC (those of
    // the wavelength table); A, B, C in the labels name the constant, linear and quadratic terms.
    Label Coeff_A_Lbl{*this, "Coeff_A_Lbl", "CH1 Coeff A"};
    TextBox Coeff_D_Box{*this, "Coeff_D_Box"};
    Label Coeff_B_Lbl{*this, "Coeff_B_Lbl", "CH1 Coeff B"};
    TextBox Coeff_E_Box{*this, "Coeff_E_Box"};
    Label Coeff_C_Lbl{*this, "Coeff_C_Lbl", "CH1 Coeff C"};
    TextBox Coeff_F_Box{*this, "Coeff_F_Box"};
    Label Label1{*this, "Label1", "CH2 Coeff A"};
    TextBox Coeff_A_Box{*this, "Coeff_A_Box"};
    Label Label2{*this, "Label2", "CH2 Coeff B"};
    TextBox Coeff_B_Box{*this, "Coeff_B_Box"};
    Label Label3{*this, "Label3", "CH2 Coeff C"};
    TextBox Coeff_C_Box{*this, "Coeff_C_Box"};
    CheckBox SimulationOn{*this, "SimulationOn", "Turn On Simulation Mode"};
    OptionButton Option1{*this, "Option1", "Comm1"};
    OptionButton Option2{*this, "Option2", "Comm2"};
    Button Command1{*this, "Command1", "OK"};
    Button Command2{*this, "Command2", "Cancel"};

protected:
    void Form_Load() override;
    void Form_KeyPress(int16_t& KeyAscii) override;

private:
    void Command1_Click();
    void Command2_Click();
};

}  // namespace tav
