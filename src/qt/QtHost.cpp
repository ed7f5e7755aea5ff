#include "qt/QtHost.h"

#include <QGuiApplication>
#include <QScreen>

#include "platform/forms/App.h"
#include "platform/forms/MdiForm.h"
#include "qt/QtFormView.h"
#include "qt/QtMdiView.h"

namespace tav {

namespace {

double ScreenDpi() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInch() : 96.0;
    return dpi > 0 ? dpi : 96.0;
}

}  // namespace

QtHost::QtHost() : twips_(ScreenDpi()) {}

std::unique_ptr<FormView> QtHost::CreateView(Form& form) {
    if (auto* mdi = dynamic_cast<MdiForm*>(&form)) return std::make_unique<QtMdiView>(*this, *mdi);
    return std::make_unique<QtFormView>(*this, form, form.MDIChild() ? area_.data() : nullptr);
}

QWidget* QtHost::OwnerFor(const Form& form) const {
    const Form* active = form.app.forms.ActiveForm();
    const bool dialog =
        active && active != &form && active->Visible() && !active->MDIChild() && active != form.app.forms.Mdi();
    if (const QtViewBase* view = dialog ? ViewOf(active) : nullptr) {
        if (QWidget* window = view->TopWindow()) return window;
    }
    return area_ ? area_->window() : nullptr;
}

void QtHost::Quit() {
    ++quits_;
    if (onQuit) onQuit();
}

}  // namespace tav
