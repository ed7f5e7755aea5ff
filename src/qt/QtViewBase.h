#pragma once
// What the views of plain windows and of the main window share: the widgets of the controls,
// the timers, the routing of keys and focus to the model, and the handle the widgets hold.

#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <map>
#include <string>

#include "platform/forms/Control.h"
#include "platform/forms/FormHost.h"
#include "qt/Routed.h"

namespace tav {

class Control;
class Form;
class QtHost;
class Timer;

// The toolkit's window state (0 normal, 1 minimized, 2 maximized) of Qt's, and the other way.
int16_t WindowStateOf(Qt::WindowStates states);
void ApplyWindowState(QWidget& window, int16_t state);
// A top-level window's outer rectangle moved (and if need be made smaller) so that it lies in
// the available area of its screen.
QRect OnScreen(QRect outer, const QWidget& window);
// The same for a window that is shown, once its frame is known.
void KeepOnScreen(QWidget& window);
// Where a window of the given outer size opens beside another window `main` and inside
// `screen`: to its right, else to its left, as wide as the room there allows down to minWidth;
// where neither side has that room, at the screen's right edge over that window. Its top is
// that window's, moved up as far as the screen needs.
QRect BesideWindow(const QRect& main, QSize size, const QRect& screen, int minWidth);

class QtViewBase : public FormView {
public:
    QtViewBase(QtHost& host, Form& form);
    ~QtViewBase() override;

    void FormChanged(FormAspect aspect) override;
    void ControlChanged(Control& control) override;
    void FocusMoved(Control* control) override;
    void Unloaded() override;

    Form& form;
    QtHost& host;

    // Called by the widgets (see Routed.h).
    void RouteKey(Control* target, QKeyEvent* event, const std::function<void(QKeyEvent*)>& deliver);
    void RouteFocus(Control* target, bool in, Qt::FocusReason reason);
    // The widget of a control, nullptr for none.
    QWidget* WidgetOf(Control* control) const;
    // The window was moved or resized: the model learns its new rectangle.
    virtual void ReportGeometry() = 0;
    // The top-level window that shows the form (the main window for a child window).
    QWidget* TopWindow() const { return Window() ? Window()->window() : nullptr; }

protected:
    // Makes the widgets of all controls; a control without a container goes on parentFor(it).
    template <class ParentFor>
    void BuildControls(ParentFor parentFor) {
        for (Control* control : ControlsInOrder()) {
            QWidget* parent = control->Container() ? WidgetOf(control->Container()) : parentFor(*control);
            AddControl(*control, parent);
        }
        FinishControls();
    }
    // The window, the widget that has the focus when the form itself has it, and how the window
    // comes to the front.
    virtual QWidget* Window() const = 0;
    virtual QWidget* FormFocusWidget() const = 0;
    virtual void BringToFront() = 0;
    // The form's geometry, shown or hidden state and window state, applied to the window.
    virtual void ApplyGeometry() = 0;
    virtual void ApplyVisibility() = 0;
    virtual void ApplyState() = 0;
    bool Dead() const { return dead_; }
    // Places the controls' widgets again (their design, or what they show, changed).
    void LayoutControls();
    // The controls are placed; growth is how much larger than its design the client area became.
    virtual void LaidOut(QSize growth) = 0;

    ViewHandle handle_;

private:
    std::vector<Control*> ControlsInOrder() const;
    void AddControl(Control& control, QWidget* parent);
    void FinishControls();
    void SetTabOrder();
    void SyncTimer(Timer& timer);

    std::map<Control*, QPointer<QWidget>> widgets_;
    std::map<Control*, std::string> layoutKeys_;
    std::map<Timer*, QPointer<QTimer>> timers_;
    bool dead_ = false;
};

}  // namespace tav
