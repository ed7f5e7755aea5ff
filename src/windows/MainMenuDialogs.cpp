// The menu items that bring up the dialogs of the setup, processing, definition and print
// commands: each shows its dialog, not modal, creating it on first use (a dialog already open
// comes to the front).

#include "acquisition/AutoIntegrationTime.h"
#include "windows/BandDefsForm.h"
#include "windows/FileAverageForm.h"
#include "windows/GetFileName.h"
#include "windows/InstrumentForm.h"
#include "windows/KineticDefsForm.h"
#include "windows/MDIForm1.h"
#include "windows/PrinterForm.h"
#include "windows/RefCalFileForm.h"
#include "windows/SetDirectoryForm.h"
#include "windows/SetScaleForm.h"
#include "windows/SettingsForm.h"
#include "windows/TransDlgForm.h"

namespace tav {

// "&Setup"
void MDIForm1::AutoSetIntegrationTime_Click() { tav::AutoSetIntegrationTime(Contexts().ScanFlow()); }
void MDIForm1::Options_Click() { app.forms.Get<SettingsForm>().Show(); }
void MDIForm1::SetScale_Click() { app.forms.Get<SetScaleForm>().Show(); }
void MDIForm1::InstParams_Click() { app.forms.Get<InstrumentForm>().Show(); }
void MDIForm1::DefaultDataDirectory_Click() { app.forms.Get<SetDirectoryForm>().Show(); }
void MDIForm1::RefCalFile_Click() { app.forms.Get<RefCalFileForm>().Show(); }

// "&Process": the two-file operations by their mode (1 add, 2 subtract, 3 multiply, 4 divide),
// the file average and the transform.
void MDIForm1::Divide_Click() { ShowGetFileName(app, 4); }
void MDIForm1::Add_Click() { ShowGetFileName(app, 1); }
void MDIForm1::Subtract_Click() { ShowGetFileName(app, 2); }
void MDIForm1::Multiply_Click() { ShowGetFileName(app, 3); }
void MDIForm1::Average_Click() { app.forms.Get<FileAverageForm>().Show(); }
void MDIForm1::Transform_Click() { app.forms.Get<TransDlgForm>().Show(); }

// "&Index"
void MDIForm1::BandDefs_Click() { app.forms.Get<BandDefsForm>().Show(); }
void MDIForm1::KinDefs_Click() { app.forms.Get<KineticDefsForm>().Show(); }

// "P&rint"
void MDIForm1::PrintMenu_Click() { app.forms.Get<PrinterForm>().Show(); }

}  // namespace tav
