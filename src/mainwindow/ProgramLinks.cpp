#include "mainwindow/ProgramLinks.h"

#include "files/SpectrumFileReader.h"
#include "indices/TraceSelection.h"
#include "mainwindow/MDIForm1.h"
#include "mainwindow/MainForm.h"
#include "mainwindow/WelcomeForm.h"
#include "platform/forms/App.h"

namespace tav {

namespace {

void ShowWelcomeWindow(App& app) { app.forms.Get<WelcomeForm>().Show(); }

}  // namespace

ProgramLinks::ProgramLinks(App& app)
    : app_(app), fileWindows_(app), charts_(app), flows_(MakeProgramFlows(app)) {
    fileWindows_.SetWelcome(ShowWelcomeWindow);
}

FileContext ProgramLinks::Files() {
    return FileContext{app_.state, app_.fs, app_.op, app_.clock, logs, fileWindows_};
}

AcquisitionContext ProgramLinks::Link() {
    return AcquisitionContext{app_.state, app_.comm, app_.clock, app_.fs, app_.op, *this};
}

Canvas& ProgramLinks::MainFormSurface() { return app_.forms.Get<MainForm>().Surface(); }

bool ProgramLinks::ReadSpectrumFile(int16_t slot) {
    FileContext files = Files();
    return tav::ReadSpectrumFile(files, slot) == SpectrumReadResult::Ok;
}

void ProgramLinks::SetDisplayChannel(int16_t slot) { tav::SetDisplayChannel(app_.state, charts_, slot); }

void ProgramLinks::SetDialogFileName(const std::string& path) {
    app_.forms.Get<MainForm>().CMDialog1.FileName = path;
}

ProgramLinks& LinksOf(App& app) { return app.forms.Get<MDIForm1>().Links(); }

}  // namespace tav
