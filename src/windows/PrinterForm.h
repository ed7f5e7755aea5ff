#pragma once
// The print dialog: the operator ticks the chart windows to print (the spectrum chart, the
// index value block, the seven kinetic charts) and prints them in one run, two to a page.
// It is made with its defaults on every opening (only "Main Window" ticked).
//
//     app.forms.Get<PrinterForm>().Show();   // the Print menu and the tool strip's button

#include <cstdint>

#include "platform/forms/Controls.h"

namespace tav {

class PrinterForm : public Form {
public:
    explicit PrinterForm(App& app);

    CheckBox SpectraChk{*this, "SpectraChk", "Main Window"};
    CheckBox IndexChk{*this, "IndexChk", "Index Data Window"};
    CheckBox RatioChk{*this, "RatioChk", "Ratio Window"};
    CheckBox NormDiffChk{*this, "NormDiffChk", "Normalized Difference"};
    CheckBox ExperimentalChk{*this, "ExperimentalChk", "Experimental Window"};
    CheckBox DerivChk{*this, "DerivChk", "Derivative Window"};
    CheckBox IntegralChk{*this, "IntegralChk", "Integral Window"};
    CheckBox AverageChk{*this, "AverageChk", "Average Window"};
    CheckBox DiagnosticsChk{*this, "DiagnosticsChk", "Diagnostics Window"};
    Button Command1{*this, "Command1", "OK"};
    Button Command2{*this, "Command2", "Cancel"};
    Button Command3{*this, "Command3", "Options"};

    // Prints the ticked items; the dialog closes afterwards, also after a printer failure,
    // and stays open when there is nothing to print.
    void PrintSelectedCharts();

protected:
    void Form_KeyPress(int16_t& KeyAscii) override;

private:
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
};

}  // namespace tav
