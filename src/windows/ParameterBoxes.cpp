#include "acquisition/ParameterLimits.h"

#include <cmath>

#include "acquisition/AcquisitionContext.h"
#include "acquisition/ParameterBlocks.h"
#include "files/TextConversions.h"
#include "platform/Numbers.h"
#include "platform/Operator.h"
#include "platform/forms/Keys.h"
#include "shared/ParameterTexts.h"
#include "windows/MDIForm1.h"
#include "windows/MainForm.h"

namespace tav {

namespace {


float Entry(const TextBox& box) { return ToSingleClamped(Val(box.Text())); }

}  // namespace

void MDIForm1::SetIntegAverIntens() {
    ProgramState& s = app.state;
    ParameterEntries entries;
    entries.integrationMs = Entry(Text3);
    entries.average = Entry(Text4);
    entries.binSize = Entry(Text1);
    entries.readAddress = Entry(Text5);
    entries.scanNumber = Entry(Text6);
    entries.intervalSeconds = Entry(Text7);
    const std::string modeText = AcceptParameterEntries(s, entries);
    if (!modeText.empty()) Text2.SetText(modeText);

    // Each bar first, then its box: the box shows the accepted value, not the bar's reading of it.
    ShowAcquisitionSettings(s);
    Integ.SetValue(s.ReadAddress);
    Text5.SetText(IntToText(s.ReadAddress));
    scannumbe.SetValue(s.ScanNumber);
    Text6.SetText(IntToText(s.ScanNumber));
    interva.SetValue(s.IntervalTenths);
    Text7.SetText(IntervalText(s.IntervalTenths));

    ParameterBlock(contexts_.Acquisition());  // tells the operator when it cannot be sent
}

void MDIForm1::BindParameterBoxes() {
    for (HScrollBar* bar : {&Integrat, &Averaging, &Source, &Integ, &scannumbe, &interva}) {
        bar->Change = [this, bar] { ShowScrollValue(*bar); };
        bar->KeyPress = [this](int16_t& KeyAscii) { ScrollBar_KeyPress(KeyAscii); };
    }
    for (TextBox* box : {&Text1, &Text3, &Text4, &Text5, &Text6, &Text7}) {
        box->KeyPress = [this](int16_t& KeyAscii) { ParameterBox_KeyPress(KeyAscii); };
    }
}

// A moved bar shows its value in its box; nothing is checked or sent until Enter.
void MDIForm1::ShowScrollValue(HScrollBar& bar) {
    FocusSpectrumWindow();
    const int16_t value = bar.Value();
    if (&bar == &Integrat) Text3.SetText(IntegrationTimeText(value));
    else if (&bar == &Averaging) Text4.SetText(IntToText(value));
    else if (&bar == &Source) Text1.SetText(BinSizeText(value));
    else if (&bar == &Integ) Text5.SetText(IntToText(value));
    else if (&bar == &scannumbe) Text6.SetText(IntToText(value));
    else if (&bar == &interva) Text7.SetText(IntervalText(value));
}

void MDIForm1::ScrollBar_KeyPress(int16_t& KeyAscii) {
    FocusSpectrumWindow();
    if (KeyAscii == key::Return) SetIntegAverIntens();
}

void MDIForm1::ParameterBox_KeyPress(int16_t& KeyAscii) {
    if (KeyAscii != key::Return) return;
    SetIntegAverIntens();
    FocusSpectrumWindow();
}

// The single-letter commands keep reaching the spectrum window after the tool strip was used.
// Start-up filling the boxes moves no focus.
void MDIForm1::FocusSpectrumWindow() {
    if (loading_) return;
    if (MainForm* main = app.forms.Find<MainForm>(); main && main->Visible()) main->SetFocus();
}

}  // namespace tav
