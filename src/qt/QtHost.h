#pragma once
// The Qt front end of the form models: makes a view for every window that loads (the main
// window as a QMainWindow with a QMdiArea, its child windows as sub-windows, other windows as
// top-level windows) and converts twips at the screen's logical DPI. Needs a QApplication.

#include <QHash>
#include <QMdiArea>
#include <QPointer>
#include <functional>

#include "platform/forms/FormHost.h"
#include "qt/QtWaitPump.h"
#include "qt/Twips.h"
#include "qt/WindowActivation.h"

class QMdiSubWindow;

namespace tav {

class Form;
class QtFormView;
class QtViewBase;

class QtHost : public FormHost {
public:
    QtHost();

    std::unique_ptr<FormView> CreateView(Form& form) override;
    // Runs onQuit (the program connects it to the end of the event loop).
    void Quit() override;
    std::function<void()> onQuit;
    int Quits() const { return quits_; }
    void ShowDrawing() override { waits_.ShowDrawing(); }
    bool KeepAlive() override { return waits_.KeepAlive(); }
    void TakePendingInput() override { waits_.TakePendingInput(); }
    int EscapesTaken() const override { return waits_.Escapes(); }
    void FlowDone() override { waits_.ReplayKeys(); }
    // The main window closed by the operator during a wait: the wait ends as on Escape, and this
    // is asked to end the program once the flow is done.
    void SetCloseRequest(std::function<void()> request) { waits_.onCloseRequest = std::move(request); }
    // The program is ending: every wait from now on is given up at once.
    void EndWaits() { waits_.EndWaits(); }

    const Twips& Scale() const { return twips_; }

    // Kept by the views.
    void SetMdiArea(QMdiArea* area) {
        area_ = area;
        waits_.SetMainWindow(area ? area->window() : nullptr);
    }
    QMdiArea* MdiArea() const { return area_; }
    void RegisterSubWindow(QMdiSubWindow* sub, QtFormView* view) { subWindows_.insert(sub, view); }
    void UnregisterSubWindow(QMdiSubWindow* sub) { subWindows_.remove(sub); }
    QtFormView* ViewOfSubWindow(QMdiSubWindow* sub) const { return subWindows_.value(sub, nullptr); }
    void RegisterView(const Form& form, QtViewBase* view) { views_.insert(&form, view); }
    void UnregisterView(const Form& form) { views_.remove(&form); }
    QtViewBase* ViewOf(const Form* form) const { return views_.value(form, nullptr); }

    // Brings a top-level window to the front with the focus (see WindowActivation.h).
    void Activate(QWidget& window) { activation_.Activate(window); }
    // The top-level window that a window about to open belongs to: the dialog the operator is
    // working in, else the main window (nullptr before there is one).
    QWidget* OwnerFor(const Form& form) const;
    bool IsMainWindow(const QWidget* window) const { return area_ && window == area_->window(); }

private:
    Twips twips_;
    QPointer<QMdiArea> area_;
    QHash<QMdiSubWindow*, QtFormView*> subWindows_;
    QHash<const Form*, QtViewBase*> views_;
    WindowActivation activation_;
    int quits_ = 0;
    QtWaitPump waits_;
};

}  // namespace tav
