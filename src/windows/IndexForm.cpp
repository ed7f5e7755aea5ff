#include "windows/IndexForm.h"

#include "files/WindowPositions.h"
#include "indices/IndexReadout.h"
#include "platform/draw/Canvas.h"
#include "windows/KeyCommandRoute.h"

namespace tav {

IndexForm::IndexForm(App& app) : Form(app, "IndexForm") {
    SetMDIChild(true);
    SetCaption("Index Data Window");
    Move(0, 0, 4800, 3600);
}

void IndexForm::Form_KeyPress(int16_t& KeyAscii) { PassKeyCommand(app, KeyAscii); }

void IndexForm::Form_Paint() {
    ProgramState& s = app.state;
    if (s.IndexFormRect.Open != -1) return;
    Canvas& surface = Surface();
    // The surface keeps what the index pass wrote, which may list other indices on the same
    // lines; printing over it would garble both.
    surface.Cls();
    surface.CurrentX = 0;
    surface.CurrentY = 0;
    for (const IndexReadoutLine& line : StoredIndexReadout(s)) surface.Print(IndexReadoutText(line));
}

void IndexForm::Form_Resize() { SaveWindowRect(*this, app.state.IndexFormRect); }

void IndexForm::Form_Unload(int16_t& /*Cancel*/) {
    ProgramState& s = app.state;
    s.IndexFormRect.Open = 0;
    SaveWindowRect(*this, s.IndexFormRect);
    s.Menu.ViewIndexForm = false;
}

void ClearIndexWindow(App& app) { app.forms.Get<IndexForm>().Surface().Cls(); }

}  // namespace tav
