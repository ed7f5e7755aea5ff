#pragma once
// The tie between a widget and the window model it shows. Every widget of a form holds the
// view's handle; the handle is cleared when the view goes (the window was freed), after which the
// widget, still alive until Qt deletes it, calls nothing of the model.
//
// Routed<Widget> sends the widget's keys through the model first (menu shortcuts, KeyPreview,
// KeyDown, KeyPress) and its focus changes to the model; the widget then handles the key itself
// unless a handler used it up, or with the character a handler put in its place. Keys never
// travel on to the parent widgets, so each key reaches the model once.

#include <QFocusEvent>
#include <QKeyEvent>
#include <functional>
#include <memory>
#include <utility>

namespace tav {

class Control;
class QtViewBase;

struct LiveView {
    QtViewBase* view = nullptr;
};
using ViewHandle = std::shared_ptr<LiveView>;

// Implemented by QtViewBase; declared here so that the widget templates need no more.
void RouteKeyToModel(QtViewBase& view, Control* target, QKeyEvent* event,
                     const std::function<void(QKeyEvent*)>& deliver);
void RouteFocusToModel(QtViewBase& view, Control* target, bool in, Qt::FocusReason reason);

template <class Base>
class Routed : public Base {
public:
    template <class... Args>
    Routed(ViewHandle handle, Control* control, Args&&... args)
        : Base(std::forward<Args>(args)...), handle_(std::move(handle)), control_(control) {}

    const ViewHandle& ViewHandleOf() const { return handle_; }
    Control* ControlOf() const { return control_; }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        const ViewHandle handle = handle_;
        if (handle->view) {
            RouteKeyToModel(*handle->view, control_, event, [this](QKeyEvent* key) { Base::keyPressEvent(key); });
        }
        event->accept();
    }
    void focusInEvent(QFocusEvent* event) override {
        Base::focusInEvent(event);
        if (handle_->view) RouteFocusToModel(*handle_->view, control_, true, event->reason());
    }
    void focusOutEvent(QFocusEvent* event) override {
        Base::focusOutEvent(event);
        if (handle_->view) RouteFocusToModel(*handle_->view, control_, false, event->reason());
    }

private:
    ViewHandle handle_;
    Control* control_;
};

}  // namespace tav
