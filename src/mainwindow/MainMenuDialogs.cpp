// The menu items that bring up the dialogs of the setup, processing, definition and print
// commands: each shows its dialog, not modal, creating it on first use. An item whose dialog is
// not part of the program yet does nothing.

#include "mainwindow/MDIForm1.h"

namespace tav {

// "&Setup"
void MDIForm1::AutoSetIntegrationTime_Click() {}
void MDIForm1::Options_Click() {}
void MDIForm1::SetScale_Click() {}
void MDIForm1::InstParams_Click() {}
void MDIForm1::DefaultDataDirectory_Click() {}
void MDIForm1::RefCalFile_Click() {}

// "&Process": the two-file operations by their mode (1 add, 2 subtract, 3 multiply, 4 divide),
// the file average and the transform.
void MDIForm1::Divide_Click() {}
void MDIForm1::Add_Click() {}
void MDIForm1::Subtract_Click() {}
void MDIForm1::Multiply_Click() {}
void MDIForm1::Average_Click() {}
void MDIForm1::Transform_Click() {}

// "&Index"
void MDIForm1::BandDefs_Click() {}
void MDIForm1::KinDefs_Click() {}

// "P&rint"
void MDIForm1::PrintMenu_Click() {}

}  // namespace tav
