#pragma once
// The erase confirmation: asks before every spectrum held in memory is thrown away and the
// elapsed-time clock of the kinetic series starts again. Y(es), "y" or "Y" erase and close;
// N(o), Escape, "n" or "N" only close; other keys do nothing. N(o) has the first focus.

#include "platform/forms/Controls.h"

namespace tav {

class ERASEFORM : public Form {
public:
    explicit ERASEFORM(App& app);

    Label Label1{*this, "Label1", "Are you sure you want to:"};
    Label Label2{*this, "Label2", "Erase all unsaved spectra, and"};
    Label Label3{*this, "Label3", "Reset the timer?"};
    Button Command1{*this, "Command1", "Y(es)"};
    Button Command2{*this, "Command2", "N(o)"};

protected:
    void Form_KeyPress(int16_t& KeyAscii) override;

private:
    void Command1_Click();
    void Command2_Click();
};

// Sizes the confirmation (4500 x 2200 twips) and shows it, not modal: key E and Menu > Erase.
void ShowEraseForm(App& app);

}  // namespace tav
