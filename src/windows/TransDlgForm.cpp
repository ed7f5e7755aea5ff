#include "windows/TransDlgForm.h"

#include "indices/TwoFileArithmetic.h"
#include "platform/Numbers.h"
#include "platform/forms/DialogConventions.h"
#include "shared/ProgramState.h"
#include "windows/GetFileName.h"

namespace tav {
namespace {


// A box holding "2abc" gives 2; one that does not begin with a number gives 0.
float BoxValue(const TextBox& box) { return ToSingleClamped(Val(box.Text())); }

}  // namespace

TransDlgForm::TransDlgForm(App& app) : Form(app, "TransDlgForm") {
    SetCaption("Transform Values");
    SetBorderStyle(border::FixedDialog);
    SetKeyPreview(true);
    Move(2400, 1800);

    Label1.Move(120, 120, 6360, 255);
    Label9.Move(120, 420, 6360, 255);
    Label8.Move(120, 720, 6360, 255);
    Label2.Move(120, 1320, 1200, 255);
    Label5.Move(1320, 1020, 900, 255);
    ABox.Move(1320, 1260, 900, 315);
    Label3.Move(2280, 1320, 1000, 255);
    Label6.Move(3300, 1020, 900, 255);
    BBox.Move(3300, 1260, 900, 315);
    Label4.Move(4260, 1320, 1000, 255);
    Label7.Move(5280, 1020, 900, 255);
    CBox.Move(5280, 1260, 900, 315);
    Command1.Move(1800, 1800, 1215, 375);
    Command2.Move(3600, 1800, 1215, 375);

    ABox.SetTabIndex(1);
    BBox.SetTabIndex(2);
    CBox.SetTabIndex(3);
    Command1.SetTabIndex(4);
    Command2.SetTabIndex(5);
    for (TextBox* box : {&ABox, &BBox, &CBox}) {
        SelectTextOnFocus(*box);
    }
    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { Command2_Click(); };
}

// Here, not in the constructor: sizing the client area needs the window's view.
void TransDlgForm::Form_Load() { SetClientSize(6600, 2340); }

void TransDlgForm::Command1_Click() {
    ProgramState& s = app.state;
    s.TransFactor1 = BoxValue(ABox);
    s.TransFactor2 = BoxValue(BBox);
    s.TransOffset = BoxValue(CBox);
    App& program = app;
    Unload();
    if (s.TransFactor1 != 0.0f || s.TransFactor2 != 0.0f || s.TransOffset != 0.0f) {
        ShowGetFileName(program, twofile::Transform);
    }
}

void TransDlgForm::Command2_Click() { Unload(); }

// Enter walks from box to box and on to OK; on a button it presses that button. No Enter
// reaches a box.
void TransDlgForm::Form_KeyPress(int16_t& KeyAscii) {
    if (CloseOnEscape(*this, KeyAscii) || !TakeEnter(KeyAscii)) return;
    const Control* focused = ActiveControl();
    if (focused == &ABox) BBox.SetFocus();
    else if (focused == &BBox) CBox.SetFocus();
    else if (focused == &CBox) Command1.SetFocus();
    else if (focused == &Command1) Command1_Click();
    else if (focused == &Command2) Command2_Click();
}

}  // namespace tav
