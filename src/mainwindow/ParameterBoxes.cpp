#include "mainwindow/ParameterBoxes.h"

#include <cmath>

#include "acquisition/AcquisitionContext.h"
#include "acquisition/ParameterBlocks.h"
#include "files/TextConversions.h"
#include "mainwindow/MDIForm1.h"
#include "mainwindow/MainForm.h"
#include "platform/Numbers.h"
#include "platform/Operator.h"
#include "platform/comm/InstrumentMemory.h"
#include "platform/forms/Keys.h"
#include "shared/ParameterTexts.h"

namespace tav {

namespace {

constexpr int16_t ReadAddressLimit = 882;

float Entry(const TextBox& box) { return ToSingleClamped(Val(box.Text())); }

}  // namespace

void AcceptIntegrationAndAverage(ProgramState& s, float integrationMs, float average) {
    const float t = integrationMs * 10.0f;
    if (t > 32767) s.IntegrationTime = 32767;
    else if (!(t >= 40)) s.IntegrationTime = 40;
    else s.IntegrationTime = RoundToInt32Clamped(t);

    // The cap holds for the number stored: a rounded count may not carry the product past it.
    const double scans = RoundHalfEven(average);
    if (!(average >= 1)) s.NumToAverage = 1;
    else if (scans * s.IntegrationTime > MaxIntegrationTimesScans) s.NumToAverage = static_cast<int16_t>(MaxIntegrationTimesScans / s.IntegrationTime);
    else s.NumToAverage = static_cast<int16_t>(scans);
}

std::string AcceptParameterEntries(ProgramState& s, const ParameterEntries& e) {
    float b = e.binSize;
    float a = e.readAddress;
    float sn = e.scanNumber;
    const float v = e.intervalSeconds;

    s.ReadAddressPending = true;

    // The access code's path bounds the scan number as well, so that it fits its 16 bits.
    const float limit = v == 0 ? MemoryScans : ReadAddressLimit;
    if (sn > limit) sn = limit;
    if (a == EraseAccessCode) {
        s.EraseArmed = true;
        s.ReadAddress = s.ReadAddressSaved;
    } else {
        s.EraseArmed = false;
        if (a > limit) a = limit;
        if (a < 1) a = 1;
        s.ReadAddress = RoundToInt16Clamped(a);
        s.ReadAddressSaved = s.ReadAddress;
    }

    if (!(sn >= 0)) sn = 0;
    s.ScanNumber = RoundToInt16Clamped(sn);
    if (v == 0 && s.ScanNumber % 2 != 0) ++s.ScanNumber;

    std::string modeText;
    if (s.MemoryMode == memmode::Normal) {
        if (s.ScanNumber != 0) {
            s.MemoryMode = memmode::Read;
            modeText = modebox::Read;
        } else {
            modeText = modebox::Normal;
        }
    } else if (s.MemoryMode == memmode::Read) {
        modeText = modebox::Read;
    }

    if (v > 3276.7f) s.IntervalTenths = 32767;
    else if (v < 0) s.IntervalTenths = 10;
    else s.IntervalTenths = RoundToInt16Clamped(v * 10.0f);

    AcceptIntegrationAndAverage(s, e.integrationMs, e.average);

    if (b > 500) b = 500;
    if (!(b >= 0.4f)) b = 0.4f;
    s.BinWidth = b;
    return modeText;
}

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
    Text7.SetText(Format(s.IntervalTenths / 10.0, "####.0"));

    AcquisitionContext& link = links_.Link();
    ParameterBlock(link);  // tells the operator when it cannot be sent
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
    else if (&bar == &Source) Text1.SetText(Format(value, "###.0"));
    else if (&bar == &Integ) Text5.SetText(IntToText(value));
    else if (&bar == &scannumbe) Text6.SetText(IntToText(value));
    else if (&bar == &interva) Text7.SetText(Format(value / 10.0, "####.0"));
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
