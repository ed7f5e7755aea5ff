#include "mainwindow/MainForm.h"

namespace tav {

MainForm::MainForm(App& app) : Form(app, "MainForm") {
    SetMDIChild(true);
    SetCaption("Main");
    SetFont("Times New Roman", 8.25f);
    Move(0, 0, 9600, 6000);
}

}  // namespace tav
