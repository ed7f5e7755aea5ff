#include "windows/EraseForm.h"

#include "indices/SlotStore.h"
#include "windows/MainForm.h"

namespace tav {

namespace {

constexpr float ShownWidth = 4500, ShownHeight = 2200;

}  // namespace

ERASEFORM::ERASEFORM(App& app) : Form(app, "ERASEFORM") {
    SetCaption("Erase");
    SetFont("MS Sans Serif", 8.25f);
    SetBorderStyle(border::FixedDialog);
    // The letters answer the question whichever button has the focus.
    SetKeyPreview(true);
    Move(3000, 2400, ShownWidth, ShownHeight);

    Label1.Move(960, 240, 2895, 255);
    Label2.Move(600, 480, 3375, 255);
    Label3.Move(1080, 720, 1935, 255);
    Command1.Move(840, 1080, 1095, 495);
    Command2.Move(2520, 1080, 1095, 495);
    // N(o) has the first focus: Space or Enter on it never erases.
    Command2.SetTabIndex(0);
    Command1.SetTabIndex(1);
    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { Command2_Click(); };
}

void ERASEFORM::Command1_Click() {
    ClearAllSlots(app.state, app.forms.Get<MainForm>().Surface());
    Unload();
}

void ERASEFORM::Command2_Click() { Unload(); }

void ERASEFORM::Form_KeyPress(int16_t& KeyAscii) {
    switch (KeyAscii) {
        case key::Escape:
        case 'n':
        case 'N':
            Command2_Click();
            break;
        case 'y':
        case 'Y':
            Command1_Click();
            break;
        default:
            break;
    }
}

void ShowEraseForm(App& app) {
    ERASEFORM& form = app.forms.Get<ERASEFORM>();
    form.SetWidth(ShownWidth);
    form.SetHeight(ShownHeight);
    form.Show();
}

}  // namespace tav
