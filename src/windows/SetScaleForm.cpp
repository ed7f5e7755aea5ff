#include "windows/SetScaleForm.h"

#include <charconv>
#include <cmath>
#include <initializer_list>
#include <iterator>

#include "files/SettingsFile.h"
#include "platform/Numbers.h"
#include "platform/forms/DialogConventions.h"
#include "shared/ProgramState.h"
#include "windows/ProgramContexts.h"

namespace tav {

namespace {

// In chart-window index order (SlotWindowIndex).
constexpr const char* WindowNames[] = {"Main",     "Ratio",    "Norm. Diff.", "Experimental",
                                       "Derivative", "Integral", "Average",     "Diagnostics"};
constexpr int WindowNameCount = static_cast<int>(std::size(WindowNames));

float LeadingSingle(const TextBox& box) { return ToSingleClamped(Val(box.Text())); }

}  // namespace

std::string ScaleLimitText(float value) {
    if (!std::isfinite(value)) return "0";
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, value);
    std::string text(buf, r.ptr);
    for (char& c : text) {
        if (c == 'e') c = 'E';
    }
    return text;
}

SetScaleForm::SetScaleForm(App& app) : Form(app, "SetScaleForm") {
    DesignDialog(*this, "Set Scale", 2400, 1800);

    List1.Move(120, 120, 1815, 2370);
    Frame2.Move(2055, 60, 3105, 1935);
    for (Control* c : std::initializer_list<Control*>{&MinValLbl, &MinValBox, &MaxValLbl, &MaxValBox, &Picture1})
        c->SetContainer(Frame2);
    MinValLbl.Move(120, 300, 1335, 255);
    MinValBox.Move(1575, 240, 1335, 315);
    MaxValLbl.Move(120, 720, 1335, 255);
    MaxValBox.Move(1575, 660, 1335, 315);
    Picture1.Move(120, 1095, 2790, 735);
    AutoScale.SetContainer(Picture1);
    AutoScale.Move(60, 45, 2535, 300);
    ManualScale.SetContainer(Picture1);
    ManualScale.Move(60, 390, 2535, 300);
    Command1.Move(3000, 2130, 1215, 375);

    List1.Click = [this] { List1_Click(); };
    AutoScale.Click = [this] { AutoScale_Click(); };
    ManualScale.Click = [this] { ManualScale_Click(); };
    MinValBox.Change = [this] { MinValBox_Change(); };
    MaxValBox.Change = [this] { MaxValBox_Change(); };
    SelectTextOnFocus(MinValBox);
    SelectTextOnFocus(MaxValBox);
    Command1.Click = [this] { Command1_Click(); };
}

void SetScaleForm::Form_Load() {
    // Sized here, not in the constructor: the size of the client area needs the loaded window.
    SetClientSize(5280, 2640);
    for (const char* name : WindowNames) List1.AddItem(name);
    List1.SetListIndex(0);
}

int SetScaleForm::SelectedWindow() const {
    const int i = List1.ListIndex();
    return i >= 0 && i < WindowNameCount ? i : -1;
}

void SetScaleForm::ShowWindowScale(int window) {
    const ProgramState& s = app.state;
    // The charts scale automatically only for True, so any other flag shows as manual.
    if (s.AutoScaleOn[window] == -1) AutoScale.SetValue(true);
    else ManualScale.SetValue(true);
    // Showing the mode counts as choosing it, whichever option was selected before.
    StoreScaleMode();
    MinValBox.SetText(ScaleLimitText(s.MinGridValue[window]));
    MaxValBox.SetText(ScaleLimitText(s.MaxGridValue[window]));
}

void SetScaleForm::List1_Click() {
    const int window = SelectedWindow();
    if (window >= 0) ShowWindowScale(window);
}

void SetScaleForm::StoreScaleMode() {
    const int window = SelectedWindow();
    if (window >= 0) app.state.AutoScaleOn[window] = AutoScale.Value() ? -1 : 0;
}

void SetScaleForm::AutoScale_Click() { StoreScaleMode(); }
void SetScaleForm::ManualScale_Click() { StoreScaleMode(); }

void SetScaleForm::MinValBox_Change() {
    const int window = SelectedWindow();
    if (window >= 0) app.state.MinGridValue[window] = LeadingSingle(MinValBox);
}

void SetScaleForm::MaxValBox_Change() {
    const int window = SelectedWindow();
    if (window >= 0) app.state.MaxGridValue[window] = LeadingSingle(MaxValBox);
}

void SetScaleForm::WriteAndClose() {
    // A settings file that cannot be written is reported by the writer; the edits stay in force.
    WriteSettingsFile(ContextsOf(app).Files());
    Unload();
}

void SetScaleForm::Command1_Click() { WriteAndClose(); }

void SetScaleForm::Form_KeyPress(int16_t& KeyAscii) {
    if (KeyAscii == key::Return) {
        KeyAscii = 0;
        WriteAndClose();
    } else if (KeyAscii == key::Escape) {
        KeyAscii = 0;
        Unload();
    }
}

}  // namespace tav
