#pragma once
// The tie between a widget and the window model it shows. Every widget of a form holds the
// view's link; the link is cleared when the view goes (the window was freed), after which the
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

struct ViewLink {
    QtViewBase* view = nullptr;
};
using Link = std::shared_ptr<ViewLink>;

// Implemented by QtViewBase; declared here so that the widget templates need no more.
void RouteKeyToModel(QtViewBase& view, Control* target, QKeyEvent* event,
                     const std::function<void(QKeyEvent*)>& deliver);
void RouteFocusToModel(QtViewBase& view, Control* target, bool in, Qt::FocusReason reason);

template <class Base>
class Routed : public Base {
public:
    template <class... Args>
    Routed(Link link, Control* control, Args&&... args)
        : Base(std::forward<Args>(args)...), link_(std::move(link)), control_(control) {}

    const Link& ViewLinkOf() const { return link_; }
    Control* ControlOf() const { return control_; }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        const Link link = link_;
        if (link->view) {
            RouteKeyToModel(*link->view, control_, event, [this](QKeyEvent* key) { Base::keyPressEvent(key); });
        }
        event->accept();
    }
    void focusInEvent(QFocusEvent* event) override {
        Base::focusInEvent(event);
        if (link_->view) RouteFocusToModel(*link_->view, control_, true, event->reason());
    }
    void focusOutEvent(QFocusEvent* event) override {
        Base::focusOutEvent(event);
        if (link_->view) RouteFocusToModel(*link_->view, control_, false, event->reason());
    }

private:
    Link link_;
    Control* control_;
};

}  // namespace tav
