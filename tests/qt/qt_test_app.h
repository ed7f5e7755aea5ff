// What the Qt front-end tests share: a QApplication for the test (offscreen), the program
// context on the Qt front end with test doubles for the services, and small event helpers.

#pragma once

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>
#include <functional>
#include <memory>

#include "platform/forms_test_app.h"
#include "qt/QtHost.h"

namespace tav::test {

// One QApplication per test, made when none exists.
class QtApplicationScope {
public:
    QtApplicationScope() {
        if (!QCoreApplication::instance()) app_ = std::make_unique<QApplication>(argc_, argv_);
    }
    ~QtApplicationScope() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        app_.reset();
    }

private:
    int argc_ = 1;
    char name_[8] = "test_qt";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> app_;
};

// The Qt application comes first and goes last.
struct QtTestApp : QtApplicationScope, TestServices {
    QtHost host;
    std::unique_ptr<App> app = std::make_unique<App>(*state, All(), host);

    ~QtTestApp() {
        app.reset();  // the windows go before the QApplication
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

inline void ProcessEvents() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

// Runs the event loop until done() or the time is up; true when done.
inline bool WaitFor(const std::function<bool()>& done, int milliseconds = 5000) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > milliseconds) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

inline void SendKey(QWidget* widget, int key, const QString& text = {}, Qt::KeyboardModifiers modifiers = {}) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QCoreApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QCoreApplication::sendEvent(widget, &release);
}

inline void Type(QWidget* widget, const QString& text) {
    for (QChar c : text) {
        const int key = c.isLetter() ? Qt::Key_A + (c.toUpper().unicode() - 'A') : c.unicode();
        SendKey(widget, key, QString(c));
    }
}

inline void ClickAt(QWidget* widget, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
    const QPointF local(at);
    const QPointF global = widget->mapToGlobal(local);
    QMouseEvent press(QEvent::MouseButtonPress, local, global, button, button, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, button, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &release);
}

inline void Click(QWidget* widget) { ClickAt(widget, widget->rect().center()); }

// The visible top-level window of that object name (a form's name), or nullptr.
inline QWidget* TopLevel(const char* name) {
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->objectName() == name && top->isVisible()) return top;
    }
    return nullptr;
}

// A click as the window system delivers it: to the window, which gives the focus to the widget
// under the mouse as its focus policy says, then passes the click on.
inline void ClickThroughWindow(QWidget* widget) {
    QWidget* top = widget->window();
    QWindow* handle = top->windowHandle();
    if (!handle) return;
    const QPointF local(widget->mapTo(top, widget->rect().center()));
    const QPointF global = top->mapToGlobal(local);
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(handle, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(handle, &release);
}

}  // namespace tav::test
