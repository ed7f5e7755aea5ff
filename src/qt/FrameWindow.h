#pragma once
// A window frame (a child window's sub-window, the main window) that tells the model when the
// operator closes, moves, resizes, minimizes or maximizes it. Closing is the model's decision:
// the close event is refused and the window's Unload handler runs instead.

#include <QCloseEvent>
#include <QEvent>

#include "platform/forms/Form.h"
#include "qt/QtViewBase.h"

namespace tav {

template <class Base>
class FrameWindow : public Base {
public:
    explicit FrameWindow(ViewHandle handle) : handle_(std::move(handle)) {}

protected:
    void closeEvent(QCloseEvent* event) override {
        event->ignore();
        if (handle_->view) handle_->view->form.UserClose();
    }
    void moveEvent(QMoveEvent* event) override {
        Base::moveEvent(event);
        if (handle_->view) handle_->view->ReportGeometry();
    }
    void resizeEvent(QResizeEvent* event) override {
        Base::resizeEvent(event);
        if (handle_->view) handle_->view->ReportGeometry();
    }
    void changeEvent(QEvent* event) override {
        Base::changeEvent(event);
        if (event->type() == QEvent::WindowStateChange && handle_->view) {
            handle_->view->form.UserWindowState(WindowStateOf(this->windowState()));
        }
    }
    const ViewHandle& handle() const { return handle_; }

private:
    ViewHandle handle_;
};

}  // namespace tav
