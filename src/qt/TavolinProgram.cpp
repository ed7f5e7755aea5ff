#include "qt/TavolinProgram.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include "platform/MessageButtons.h"
#include "platform/forms/App.h"
#include "qt/ProgramIcon.h"
#include "shared/ProgramState.h"
#include "windows/MDIForm1.h"

namespace tav {

namespace {

constexpr int CloseRetryMs = 20;

}  // namespace

MsgResult ProgramOperator::MsgBox(const std::string& text, MsgButtons buttons, MsgIcon icon,
                                  const std::string& title, MsgDefault defaultButton) {
    return ending_ ? EscapeAnswer(buttons) : dialogs_.MsgBox(text, buttons, icon, title, defaultButton);
}

std::string ProgramOperator::OpenFileDialog(const FileDialogRequest& request) {
    return ending_ ? std::string() : dialogs_.OpenFileDialog(request);
}

std::string ProgramOperator::SaveFileDialog(const FileDialogRequest& request) {
    return ending_ ? std::string() : dialogs_.SaveFileDialog(request);
}

TavolinProgram::TavolinProgram(const std::string& startDir)
    : state_(std::make_unique<ProgramState>()),
      fs_(startDir.empty() ? RealFileSystem() : RealFileSystem(startDir)),
      printer_(*state_, op_, &fs_) {
    // The windows' models decide when the program ends, not the last window closed.
    QApplication::setQuitOnLastWindowClosed(false);
    // Before any window is made: the windows inside the main window take their icon when made.
    QApplication::setWindowIcon(ProgramIcon());
    host_.onQuit = [] { QCoreApplication::quit(); };
    host_.SetCloseRequest([this] { RequestClose(); });
    app_ = std::make_unique<App>(*state_, Services{clock_, op_, comm_, board_, fs_, printer_}, host_);
}

TavolinProgram::~TavolinProgram() {
    app_.reset();
    // The windows' widgets go with the deferred deletions the views asked for.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Start-up shows the main window with the spectrum window and the welcome window over them; the
// main window is not brought up again, so that the welcome keeps the focus.
void TavolinProgram::Start() {
    MDIForm1& main = app_->forms.Get<MDIForm1>();
    if (!main.Visible()) main.Show();
}

void TavolinProgram::RequestClose() {
    op_.SetEnding();
    // The wait under way ends as on Escape, and every later one at once; no scan of a timed
    // series starts any more.
    host_.EndWaits();
    if (MDIForm1* main = app_->forms.Find<MDIForm1>()) main->Timer1.SetEnabled(false);
    if (app_->flow.Running()) {
        // The dialog the flow waits for gives way; the close comes when the flow is done.
        if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
        QTimer::singleShot(CloseRetryMs, [this] { RequestClose(); });
        return;
    }
    if (MdiForm* main = app_->forms.Mdi()) main->UserClose();
    if (app_->forms.Mdi()) QCoreApplication::quit();
}

}  // namespace tav
