#include "windows/PrinterForm.h"

#include "charts/PrintJob.h"
#include "platform/forms/App.h"
#include "platform/forms/Keys.h"
#include "windows/FormCharts.h"
#include "windows/PrinterOptionsForm.h"

namespace tav {
namespace {

constexpr float OptionsWidth = 2500, OptionsHeight = 3000;

}  // namespace

PrinterForm::PrinterForm(App& app) : Form(app, "PrinterForm") {
    SetCaption("Print");
    SetBorderStyle(border::FixedDialog);
    SetKeyPreview(true);
    SetClientSize(4080, 3480);

    float top = 120;
    for (CheckBox* box : {&SpectraChk, &IndexChk, &RatioChk, &NormDiffChk, &ExperimentalChk,
                          &DerivChk, &IntegralChk, &AverageChk, &DiagnosticsChk}) {
        box->Move(240, top, 2400, 285);
        top += 360;
    }
    SpectraChk.SetValue(1);
    Command1.Move(2880, 240, 1035, 375);
    Command2.Move(2880, 720, 1035, 375);
    Command3.Move(2880, 1200, 1035, 375);

    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { Command2_Click(); };
    Command3.Click = [this] { Command3_Click(); };
}

void PrinterForm::PrintSelectedCharts() {
    PrintChoices choices;
    choices.spectrum = SpectraChk.Value() != 0;
    choices.index = IndexChk.Value() != 0;
    const CheckBox* kinetic[] = {&RatioChk, &NormDiffChk, &ExperimentalChk, &DerivChk,
                                 &IntegralChk, &AverageChk, &DiagnosticsChk};
    for (std::size_t k = 0; k < choices.kinetic.size(); ++k) choices.kinetic[k] = kinetic[k]->Value() != 0;

    PrintOutcome outcome;
    {
        // No key, click or timer tick may start a scan or redraw a chart while the charts print
        // (or while the printer's message box waits).
        FlowScope flow(app.flow);
        outcome = RunPrintJob(app.state, app.printer, app.op, ReadMainWindows(app), choices);
    }
    if (outcome != PrintOutcome::NothingToPrint) Unload();
}

void PrinterForm::Form_KeyPress(int16_t& KeyAscii) {
    if (KeyAscii == key::Return) {
        KeyAscii = 0;
        PrintSelectedCharts();
    } else if (KeyAscii == key::Escape) {
        KeyAscii = 0;
        Unload();
    }
}

void PrinterForm::Command1_Click() { PrintSelectedCharts(); }

void PrinterForm::Command2_Click() { Unload(); }

void PrinterForm::Command3_Click() {
    PrinterOptionsForm& options = app.forms.Get<PrinterOptionsForm>();
    options.SetWidth(OptionsWidth);
    options.SetHeight(OptionsHeight);
    options.Show();
}

}  // namespace tav
