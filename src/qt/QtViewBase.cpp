#include "qt/QtViewBase.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <algorithm>
#include <set>

#include "platform/forms/Controls.h"
#include "qt/ControlLayout.h"
#include "qt/ControlWidgets.h"
#include "qt/QtHost.h"
#include "qt/QtKeys.h"

namespace tav {

void RouteKeyToModel(QtViewBase& view, Control* target, QKeyEvent* event,
                     const std::function<void(QKeyEvent*)>& deliver) {
    view.RouteKey(target, event, deliver);
}

void RouteFocusToModel(QtViewBase& view, Control* target, bool in, Qt::FocusReason reason) {
    view.RouteFocus(target, in, reason);
}

int16_t WindowStateOf(Qt::WindowStates states) {
    if (states & Qt::WindowMinimized) return winstate::Minimized;
    if (states & Qt::WindowMaximized) return winstate::Maximized;
    return winstate::Normal;
}

void ApplyWindowState(QWidget& window, int16_t state) {
    Qt::WindowStates states = window.windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized);
    if (state == winstate::Minimized) states |= Qt::WindowMinimized;
    if (state == winstate::Maximized) states |= Qt::WindowMaximized;
    if (states != window.windowState()) window.setWindowState(states);
}

QRect OnScreen(QRect outer, const QWidget& window) {
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen) return outer;
    const QRect area = screen->availableGeometry();
    outer.setSize(outer.size().boundedTo(area.size()));
    outer.moveLeft(std::clamp(outer.left(), area.left(), area.left() + area.width() - outer.width()));
    outer.moveTop(std::clamp(outer.top(), area.top(), area.top() + area.height() - outer.height()));
    return outer;
}

void KeepOnScreen(QWidget& window) {
    const QRect frame = window.frameGeometry();
    const QRect fitted = OnScreen(frame, window);
    if (fitted == frame) return;
    const QSize size = fitted.size() - (frame.size() - window.size());
    if (window.minimumSize() == window.maximumSize()) window.setFixedSize(size);  // a fixed frame
    else window.resize(size);
    window.move(fitted.topLeft());
}

QRect BesideWindow(const QRect& main, QSize size, const QRect& screen, int minWidth) {
    size = size.boundedTo(screen.size());
    const int right = screen.right() - main.right();  // the room right of the main window
    const int left = main.left() - screen.left();
    QRect placed(QPoint(0, 0), size);
    if (right >= std::min(size.width(), minWidth) && right >= left) {
        placed.setWidth(std::min(size.width(), right));
        placed.moveLeft(main.right() + 1);
    } else if (left >= std::min(size.width(), minWidth)) {
        placed.setWidth(std::min(size.width(), left));
        placed.moveRight(main.left() - 1);
    } else {
        placed.moveRight(screen.right());
    }
    placed.moveTop(std::clamp(main.top(), screen.top(), screen.bottom() + 1 - placed.height()));
    return placed;
}

QtViewBase::QtViewBase(QtHost& host, Form& form) : form(form), host(host), handle_(std::make_shared<LiveView>()) {
    handle_->view = this;
    host.RegisterView(form, this);
}

QtViewBase::~QtViewBase() {
    host.UnregisterView(form);
    handle_->view = nullptr;
    for (auto& [timer, qtimer] : timers_) {
        if (qtimer) {
            qtimer->stop();
            qtimer->deleteLater();
        }
    }
}

std::vector<Control*> QtViewBase::ControlsInOrder() const {
    // Containers before what they hold, otherwise the form's order (which is the tab order).
    std::vector<Control*> ordered;
    std::set<Control*> placed;
    std::function<void(Control*)> place = [&](Control* control) {
        if (placed.count(control)) return;
        placed.insert(control);
        if (control->Container()) place(control->Container());
        ordered.push_back(control);
    };
    for (Control* control : form.Controls()) place(control);
    return ordered;
}

void QtViewBase::AddControl(Control& control, QWidget* parent) {
    if (control.Kind() == ControlKind::Timer) {
        auto* timer = new QTimer();
        timer->setTimerType(Qt::PreciseTimer);
        auto& model = static_cast<Timer&>(control);
        const ViewHandle handle = handle_;
        QObject::connect(timer, &QTimer::timeout, timer, [handle, &model] {
            if (handle->view) model.UserTick();
        });
        timers_[&model] = timer;
        SyncTimer(model);
        // The view is made while its window loads, before a timer may run: one enabled at design
        // time starts once the load is over.
        QTimer::singleShot(0, timer, [handle, &model] {
            if (handle->view) handle->view->SyncTimer(model);
        });
        return;
    }
    QWidget* widget = MakeControlWidget(control, handle_, parent);
    if (!widget) return;
    widgets_[&control] = widget;
}

void QtViewBase::FinishControls() {
    // A label's access key moves the focus to the control that follows it.
    const auto& controls = form.Controls();
    for (size_t i = 0; i < controls.size(); ++i) {
        if (controls[i]->Kind() != ControlKind::Label) continue;
        if (static_cast<Label*>(controls[i])->Caption().find('&') == std::string::npos) continue;
        for (size_t j = i + 1; j < controls.size(); ++j) {
            if (!controls[j]->CanFocus()) continue;
            if (auto* label = qobject_cast<QLabel*>(WidgetOf(controls[i]))) label->setBuddy(WidgetOf(controls[j]));
            break;
        }
    }
    for (auto& [control, widget] : widgets_) {
        if (!widget) continue;
        widget->setProperty("tavTabIndex", control->TabIndex());
        SyncControlWidget(*control, *widget);
        layoutKeys_[control] = LayoutKey(*control);
    }
    SetTabOrder();
    LayoutControls();
}

void QtViewBase::LayoutControls() {
    ControlLayout layout(host.Scale(), [this](Control* control) { return WidgetOf(control); });
    LaidOut(layout.PlaceWindow(form.Controls()));
}

void QtViewBase::SetTabOrder() {
    std::vector<Control*> order;
    for (Control* control : form.Controls()) {
        if (control->CanFocus() && WidgetOf(control)) order.push_back(control);
    }
    std::stable_sort(order.begin(), order.end(),
                     [](const Control* a, const Control* b) { return a->TabIndex() < b->TabIndex(); });
    for (size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(WidgetOf(order[i - 1]), WidgetOf(order[i]));
}

QWidget* QtViewBase::WidgetOf(Control* control) const {
    const auto found = widgets_.find(control);
    return found == widgets_.end() ? nullptr : found->second.data();
}

void QtViewBase::FormChanged(FormAspect aspect) {
    if (dead_ || !Window()) return;
    switch (aspect) {
        case FormAspect::Caption:
            Window()->setWindowTitle(QString::fromStdString(form.Caption()));
            break;
        case FormAspect::Geometry:
            ApplyGeometry();
            break;
        case FormAspect::Visibility:
            ApplyVisibility();
            break;
        case FormAspect::WindowState:
            ApplyState();
            break;
        case FormAspect::Front:
            BringToFront();
            break;
        case FormAspect::KeyPreview:
            break;  // the model routes the keys
    }
}

void QtViewBase::ControlChanged(Control& control) {
    if (dead_) return;
    if (control.Kind() == ControlKind::Timer) {
        SyncTimer(static_cast<Timer&>(control));
        return;
    }
    if (QWidget* widget = WidgetOf(&control)) {
        const bool reordered = widget->property("tavTabIndex").toInt() != control.TabIndex();
        widget->setProperty("tavTabIndex", control.TabIndex());
        SyncControlWidget(control, *widget);
        if (reordered) SetTabOrder();
        std::string key = LayoutKey(control);
        if (key != layoutKeys_[&control]) {
            layoutKeys_[&control] = std::move(key);
            LayoutControls();
        }
    }
}

void QtViewBase::SyncTimer(Timer& timer) {
    QTimer* qtimer = timers_[&timer];
    if (!qtimer) return;
    if (!dead_ && timer.Running()) qtimer->start(timer.Interval());  // (re)starts the count
    else qtimer->stop();
}

void QtViewBase::FocusMoved(Control* control) {
    if (dead_) return;
    BringToFront();
    QWidget* target = control ? WidgetOf(control) : FormFocusWidget();
    if (target) target->setFocus(Qt::OtherFocusReason);
}

void QtViewBase::Unloaded() {
    dead_ = true;
    for (auto& [timer, qtimer] : timers_) {
        if (qtimer) qtimer->stop();
    }
    if (QWidget* window = Window()) window->hide();
}

void QtViewBase::RouteKey(Control* target, QKeyEvent* event, const std::function<void(QKeyEvent*)>& deliver) {
    if (dead_) return;
    const ViewHandle handle = handle_;  // the window may be freed by a handler: check before each step
    const int16_t code = VirtualKeyCode(*event);
    if (code != 0 && !form.UserKeyDown(target, code, ShiftState(event->modifiers()))) return;
    if (!handle->view) return;
    const int16_t ascii = AsciiCode(*event);
    if (ascii == 0) {
        deliver(event);
        return;
    }
    const int16_t typed = form.UserKeyPress(target, ascii);
    if (!handle->view || typed == 0) return;
    if (typed == ascii) {
        deliver(event);
        return;
    }
    const QString text(QChar(static_cast<char16_t>(static_cast<uint8_t>(typed))));
    QKeyEvent replaced(QEvent::KeyPress, 0, event->modifiers() & ~Qt::ControlModifier, text);
    deliver(&replaced);
}

void QtViewBase::RouteFocus(Control* target, bool in, Qt::FocusReason reason) {
    if (dead_ || reason == Qt::PopupFocusReason || reason == Qt::MenuBarFocusReason) return;
    if (in) {
        form.UserFocus(target);
    } else if (reason != Qt::ActiveWindowFocusReason) {
        // Another window of the program taking the focus reports its own focus-in.
        form.UserFocusLost(target);
    }
}

}  // namespace tav
