#include "windows/PrinterOptionsForm.h"

#include <string>

#include "charts/PrintedChart.h"
#include "files/TextConversions.h"
#include "platform/Numbers.h"
#include "platform/Operator.h"
#include "platform/forms/App.h"
#include "platform/forms/DialogConventions.h"
#include "platform/forms/Keys.h"
#include "shared/ProgramState.h"

namespace tav {

PrinterOptionsForm::PrinterOptionsForm(App& app) : Form(app, "PrinterOptionsForm") {
    SetCaption("Printer Options");
    SetBorderStyle(border::FixedDialog);
    Label1.Move(120, 120, 2160, 615);
    PrinterScaleBox.Move(480, 840, 1335, 375);
    Command1.Move(480, 1440, 1335, 375);
    Command2.Move(480, 1920, 1335, 375);

    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { Command2_Click(); };
    PrinterScaleBox.GotFocus = [this] { PrinterScaleBox_GotFocus(); };
    PrinterScaleBox.KeyPress = [this](int16_t& KeyAscii) { PrinterScaleBox_KeyPress(KeyAscii); };
}

void PrinterOptionsForm::Form_Load() {
    PrinterScaleBox.SetText(IntToText(app.state.PrintScalePct) + "%");
}

bool PrinterOptionsForm::StoreScale() {
    // 0, a negative number or no number at all would print nothing, a larger one than 125 would
    // run off the page.
    const auto pct = RoundToInt16(Val(PrinterScaleBox.Text()));
    if (!pct || *pct < PrintScaleMinPct || *pct > PrintScaleMaxPct) {
        app.op.MsgBox("The percentage must be a number from " + std::to_string(PrintScaleMinPct) + " to " +
                          std::to_string(PrintScaleMaxPct) + ".",
                      MsgButtons::OkOnly, MsgIcon::Exclamation);
        PrinterScaleBox.SetFocus();
        SelectForTyping(PrinterScaleBox);
        return false;
    }
    app.state.PrintScalePct = *pct;
    return true;
}

void PrinterOptionsForm::Command1_Click() {
    if (StoreScale()) Unload();
}

void PrinterOptionsForm::Command2_Click() { Unload(); }

void PrinterOptionsForm::PrinterScaleBox_GotFocus() {
    SelectForTyping(PrinterScaleBox);
}

void PrinterOptionsForm::PrinterScaleBox_KeyPress(int16_t& KeyAscii) {
    if (KeyAscii == key::Return) {
        KeyAscii = 0;
        if (StoreScale()) Unload();
    } else if (KeyAscii == key::Escape) {
        KeyAscii = 0;
        Unload();
    }
}

}  // namespace tav
