#pragma once
// The printer options dialog: the size of the printed charts in percent of their full size
// (PrintScalePct, kept for the run only): any whole percentage from 1 to 125 (the label advises
// 75 to 125); any other entry is refused with a message and the dialog stays open. The print dialog's "Options" button opens
// it beside itself.

#include <cstdint>

#include "platform/forms/Controls.h"

namespace tav {

class PrinterOptionsForm : public Form {
public:
    explicit PrinterOptionsForm(App& app);

    Label Label1{*this, "Label1", "Select percentage of full scale (75%-125%)"};
    TextBox PrinterScaleBox{*this, "PrinterScaleBox"};
    Button Command1{*this, "Command1", "OK"};
    Button Command2{*this, "Command2", "Cancel"};

protected:
    void Form_Load() override;

private:
    void Command1_Click();
    void Command2_Click();
    void PrinterScaleBox_GotFocus();
    void PrinterScaleBox_KeyPress(int16_t& KeyAscii);
    // PrintScalePct := the leading number of the box, rounded (halves to even), when it lies in
    // the dialog's range; otherwise the operator is told and false returned.
    bool StoreScale();
};

}  // namespace tav
