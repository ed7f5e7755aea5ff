#include "charts/PrinterOptionsForm.h"

#include "files/TextConversions.h"
#include "platform/Numbers.h"
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

void PrinterOptionsForm::StoreScale() {
    // A number beyond the 16-bit range is refused: the percentage stays as it was.
    if (const auto pct = RoundToInt16(Val(PrinterScaleBox.Text()))) app.state.PrintScalePct = *pct;
}

void PrinterOptionsForm::Command1_Click() {
    StoreScale();
    Unload();
}

void PrinterOptionsForm::Command2_Click() { Unload(); }

void PrinterOptionsForm::PrinterScaleBox_GotFocus() {
    SelectForTyping(PrinterScaleBox);
}

void PrinterOptionsForm::PrinterScaleBox_KeyPress(int16_t& KeyAscii) {
    if (KeyAscii == key::Return) {
        KeyAscii = 0;
        StoreScale();
        Unload();
    } else if (KeyAscii == key::Escape) {
        KeyAscii = 0;
        Unload();
    }
}

}  // namespace tav
