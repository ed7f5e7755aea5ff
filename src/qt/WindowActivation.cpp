#include "qt/WindowActivation.h"

#include <QEvent>

namespace tav {

void WindowActivation::Activate(QWidget& window) {
    wanted_ = &window;
    window.raise();
    QWindow* handle = window.windowHandle();
    if (handle && handle->isExposed()) {
        Watch(nullptr);
        window.activateWindow();
        return;
    }
    Watch(handle);
}

void WindowActivation::Watch(QWindow* handle) {
    if (watched_ == handle) return;
    if (watched_) watched_->removeEventFilter(this);
    watched_ = handle;
    if (handle) handle->installEventFilter(this);
}

bool WindowActivation::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Expose && watched == watched_ && watched_->isExposed()) {
        Watch(nullptr);
        if (wanted_ && wanted_->windowHandle() == watched) wanted_->activateWindow();
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace tav
