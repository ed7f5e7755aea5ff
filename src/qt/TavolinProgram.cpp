#include "qt/TavolinProgram.h"

#include <QApplication>

#include "mainwindow/MDIForm1.h"
#include "platform/forms/App.h"
#include "shared/ProgramState.h"

namespace tav {

TavolinProgram::TavolinProgram(const std::string& startDir)
    : state_(std::make_unique<ProgramState>()),
      fs_(startDir.empty() ? RealFileSystem() : RealFileSystem(startDir)),
      printer_(*state_, op_) {
    // The windows' models decide when the program ends, not the last window closed.
    QApplication::setQuitOnLastWindowClosed(false);
    host_.onQuit = [] { QCoreApplication::quit(); };
    app_ = std::make_unique<App>(*state_, Services{clock_, op_, comm_, board_, fs_, printer_}, host_);
}

TavolinProgram::~TavolinProgram() {
    app_.reset();
    // The windows' widgets go with the deferred deletions the views asked for.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TavolinProgram::Start() {
    app_->forms.Get<MDIForm1>().Show();
}

void TavolinProgram::RequestClose() {
    if (MdiForm* main = app_->forms.Mdi()) main->UserClose();
    if (app_->forms.Mdi()) QCoreApplication::quit();
}

}  // namespace tav
