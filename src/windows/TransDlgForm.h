#pragma once
// The transform dialog: asks for A, B and C of Output = A * File1 + B * File2 + C and then
// starts the two-file dialog in transform mode. Each opening starts with empty boxes; the values
// stay in TransFactor1, TransFactor2 and TransOffset until the next OK.

#include "platform/forms/Controls.h"

namespace tav {

class TransDlgForm : public Form {
public:
    explicit TransDlgForm(App& app);

    Label Label1{*this, "Label1", "\"Transform\" modifies files according to the following formula."};
    Label Label9{*this, "Label9", "Output File = A * File1 + B * File2 + C"};
    Label Label8{*this, "Label8", "Enter the values for A, B, and C."};
    Label Label2{*this, "Label2", "Output File  = "};
    Label Label5{*this, "Label5", "A"};
    TextBox ABox{*this, "ABox"};
    Label Label3{*this, "Label3", " * File 1  +"};
    Label Label6{*this, "Label6", "B"};
    TextBox BBox{*this, "BBox"};
    Label Label4{*this, "Label4", " * File2  +"};
    Label Label7{*this, "Label7", "C"};
    TextBox CBox{*this, "CBox"};
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
